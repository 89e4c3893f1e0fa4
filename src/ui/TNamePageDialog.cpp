// The new-page name dialog.
#include "TNamePageDialog.h"

#include "EditorDlgRes.h"
#include "Page.h"

TNamePageDialog::TNamePageDialog(TWindow* pParent, char* pszName, int nKind)
    : TBaseDialog(pParent, "NAMEPAGE"), m_pszName(pszName), m_nKind(nKind),
      m_pEdit(new TEdit(this, IDC_NAMEPAGE_NAME, PX_PAGENAME_SIZE))
{
}

void TNamePageDialog::TransferData(TTransferDirection direction)
{
    if (!m_pszName)
        return;
    if (direction == tdSetData)
    {
        bool bSuper = m_nKind == PX_PAGE_SUPERBLOCK;
        m_pEdit->SetText(m_pszName);
        ::SetDlgItemTextA(HWindow, IDC_NAMEPAGE_PROMPT,
                          CString(MAKEINTRESOURCEA(bSuper ? IDS_PAGES_SBPROMPT : IDS_PAGES_VBPROMPT)));
        SetCaption(CString(MAKEINTRESOURCEA(bSuper ? IDS_PAGES_SBADD : IDS_PAGES_VBADD)));
        CenterDialog(HWindow);
        return;
    }
    m_pEdit->GetText(m_pszName, PX_PAGENAME_SIZE);
}
