// The page view dialog.
#include "TViewPagesDialog.h"

#include "EditorDlgRes.h"
#include "Page.h"
#include "PageList.h"
#include "PXFaultHandler.h"

TViewPagesDialog::TViewPagesDialog(TWindow* pParent, Program* pProgram, Page** ppChoice, int nKind)
    : TBaseDialog(pParent, "VIEWPAGES"), m_pProgram(pProgram), m_ppChoice(ppChoice), m_nKind(nKind)
{
}

void TViewPagesDialog::TransferData(TTransferDirection direction)
{
    HWND hList = GetDlgItem(IDC_PAGES_LIST);
    if (direction == tdSetData)
    {
        bool bSuper = m_nKind == PX_PAGE_SUPERBLOCK;
        SetCaption(CString(MAKEINTRESOURCEA(bSuper ? IDS_PAGES_SBVIEW : IDS_PAGES_VBVIEW)));
        SetHelpTopic(bSuper ? "View SuperBlock" : "View Verification Block");
        FillPageList(hList, m_pProgram, m_nKind);
        return;
    }
    if (m_ppChoice)
        *m_ppChoice = SelectedPage(hList);
}

bool TViewPagesDialog::CanClose()
{
    if (SelectedPage(GetDlgItem(IDC_PAGES_LIST)))
        return true;
    ShowMessageIdFor(HWindow, IDS_PAGES_SELECTVIEW, nullptr, MB_ICONEXCLAMATION);
    return false;
}

LRESULT TViewPagesDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_PAGES_LIST && notifyCode == LBN_DBLCLK)
    {
        CloseWindow(IDOK);
        return 0;
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}
