// TNamePBDialog: asks for the name of a block being added or renamed.
#ifndef TNAMEPBDIALOG_H
#define TNAMEPBDIALOG_H

#include "TBaseDialog.h"
#include "owl/TEdit.h"

// The characters of a block name with its NUL: 30 can be typed.
#define PX_BLOCKNAME_SIZE 31

class TNamePBDialog : public TBaseDialog
{
public:
    // The caller's buffer holds at least PX_BLOCKNAME_SIZE characters: it
    // is shown when the dialog opens and receives the name on OK. The
    // caption is the caller's ("Add Menu Block", ...).
    TNamePBDialog(TWindow* pParent, char* pszName, const char* pszCaption, bool bRenaming);

    void TransferData(TTransferDirection direction) override;

    // A typed name as the program keeps it: white space trimmed at both
    // ends, every remaining blank made "_". In place.
    static void Normalize(char* pszName);

private:
    char* m_pszName;            // not owned
    TEdit* m_pEdit;
};

#endif
