// TNamePageDialog: asks for the name of a new SuperBlock or Verification
// Block page.
#ifndef TNAMEPAGEDIALOG_H
#define TNAMEPAGEDIALOG_H

#include "TBaseDialog.h"
#include "owl/TEdit.h"

// The characters of a page name with its NUL: 15 can be typed.
#define PX_PAGENAME_SIZE 16

class TNamePageDialog : public TBaseDialog
{
public:
    // The caller's buffer of at least PX_PAGENAME_SIZE characters: shown
    // when the dialog opens, filled on OK. Kind 1 a SuperBlock, otherwise
    // a Verification Block.
    TNamePageDialog(TWindow* pParent, char* pszName, int nKind);

    void TransferData(TTransferDirection direction) override;

protected:
    char* m_pszName;            // not owned
    int m_nKind;
    TEdit* m_pEdit;
};

#endif
