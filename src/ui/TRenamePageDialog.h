// TRenamePageDialog: asks for a new name of an existing page; a name the
// program already uses, or none, keeps the dialog open.
#ifndef TRENAMEPAGEDIALOG_H
#define TRENAMEPAGEDIALOG_H

#include "PXafx.h"
#include "TNamePageDialog.h"

class TRenamePageDialog : public TNamePageDialog
{
public:
    // The caption replaces the template's unless empty; the new name
    // (at most 15 characters) goes into the caller's buffer of at least
    // PX_PAGENAME_SIZE characters on OK.
    TRenamePageDialog(TWindow* pParent, const char* pszCurrent, const char* pszCaption, char* pszNewName);

    void SetupWindow() override;
    // The edit starts empty and the name is taken by CanClose.
    void TransferData(TTransferDirection direction) override {}
    bool CanClose() override;

private:
    CString m_strCurrent;
    CString m_strCaption;
};

#endif
