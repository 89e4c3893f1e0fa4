// The page definition dialog.
#include "TDefinePagesDialog.h"

#include "EditorDlgRes.h"
#include "ModelObserver.h"
#include "PXEditorFrame.h"
#include "PXFaultHandler.h"
#include "PXWinApp.h"
#include "Page.h"
#include "PageList.h"
#include "PowerBlock.h"
#include "Program.h"
#include "TNamePageDialog.h"
#include "TRenamePageDialog.h"
#include "bwcc/Bwcc.h"

#include <new>

namespace {

// The SuperBlock calls of one page that call a page by its old name take
// its new one.
struct RenameCalls
{
    const char* pszOld;
    const char* pszNew;
};

void RenameCallsOnPage(Page* pPage, void* pData)
{
    RenameCalls* pRename = static_cast<RenameCalls*>(pData);
    ListIterator it(pPage->GetBlocks());
    while (it)
    {
        PowerBlock& block = static_cast<PowerBlock&>(it++);
        if (block.GetType() == KVR_PB_SUPERCALL && lstrcmpA(block.GetCustomType(), pRename->pszOld) == 0)
        {
            block.SetCustomType(pRename->pszNew);
            block.SetModified();
            GetModelObserver().NotifyChildren(&block, OBJECT_REBUILD, 0);
        }
    }
}

void ShowText(HWND hOwner, UINT nId, unsigned uStyle)
{
    ShowMessageFor(hOwner, "%s", nullptr, uStyle, static_cast<const char*>(CString(MAKEINTRESOURCEA(nId))));
}

} // namespace

TDefinePagesDialog::TDefinePagesDialog(TWindow* pParent, Program* pProgram, int nKind)
    : TBaseDialog(pParent, "DEFINEPAGES"), m_pProgram(pProgram), m_nKind(nKind), m_pCopied(nullptr)
{
}

void TDefinePagesDialog::TransferData(TTransferDirection direction)
{
    if (direction != tdSetData)
        return;
    HWND hExport = GetDlgItem(IDC_PAGES_EXPORT);
    ::EnableWindow(hExport, FALSE);
    bool bSuper = m_nKind == PX_PAGE_SUPERBLOCK;
    SetCaption(CString(MAKEINTRESOURCEA(bSuper ? IDS_PAGES_SBDEFINE : IDS_PAGES_VBDEFINE)));
    SetHelpTopic(bSuper ? "Define SuperBlocks" : "Define Verification Blocks");
    ::SetDlgItemTextA(HWindow, IDC_PAGES_LABEL,
                      CString(MAKEINTRESOURCEA(bSuper ? IDS_PAGES_SBAVAILABLE : IDS_PAGES_VBAVAILABLE)));
    if (!bSuper)
        ::ShowWindow(hExport, SW_HIDE);
    FillPageList(List(), m_pProgram, m_nKind);
}

LRESULT TDefinePagesDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_PAGES_LIST)
    {
        if (notifyCode == LBN_SELCHANGE)
            UpdateExport();
        else if (notifyCode == LBN_DBLCLK)
            PostMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGES_EDIT, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(IDC_PAGES_EDIT)));
        return 0;
    }
    if (notifyCode == BN_CLICKED || !hWndCtl)
    {
        switch (id)
        {
        case IDC_PAGES_ADD: CmAdd(); return 0;
        case IDC_PAGES_EDIT: CmEdit(); return 0;
        case IDC_PAGES_DELETE: CmDelete(); return 0;
        case IDC_PAGES_RENAME: CmRename(); return 0;
        case IDC_PAGES_COPY: CmCopy(); return 0;
        case IDC_PAGES_PASTE: CmPaste(); return 0;
        case IDC_PAGES_EXPORT: CmExport(); return 0;
        }
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}

void TDefinePagesDialog::UpdateExport()
{
    HWND hExport = GetDlgItem(IDC_PAGES_EXPORT);
    Page* pPage = SelectedPage(List());
    if (!pPage)
    {
        ::EnableWindow(hExport, FALSE);
        return;
    }
    if (pPage->GetKind() == PX_PAGE_SUPERBLOCK)
    {
        ::EnableWindow(hExport, TRUE);
        bool bExport = kvrGetPageType(m_pProgram->GetHandle(), pPage->GetName()) == 1;
        ::SendMessageA(hExport, BM_SETCHECK, bExport ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void TDefinePagesDialog::DisableExport()
{
    HWND hExport = GetDlgItem(IDC_PAGES_EXPORT);
    ::SendMessageA(hExport, BM_SETCHECK, BST_UNCHECKED, 0);
    ::EnableWindow(hExport, FALSE);
}

void TDefinePagesDialog::ReplaceLine(int nIndex, Page* pPage)
{
    HWND hList = List();
    ::SendMessageA(hList, LB_DELETESTRING, static_cast<WPARAM>(nIndex), 0);
    int n = AddPageLine(hList, m_pProgram, pPage, nIndex);
    ::SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
}

void TDefinePagesDialog::CmExport()
{
    int nIndex;
    Page* pPage = SelectedPage(List(), &nIndex);
    if (!pPage || pPage->GetKind() != PX_PAGE_SUPERBLOCK)
        return;
    bool bChecked = ::SendDlgItemMessageA(HWindow, IDC_PAGES_EXPORT, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // The flag is kept in the program file: an edit like any other.
    if (kvrSetPageType(m_pProgram->GetHandle(), pPage->GetName(), bChecked ? 1 : 0) == KVR_OK)
        m_pProgram->SetModified();
    ReplaceLine(nIndex, pPage);
}

void TDefinePagesDialog::CmAdd()
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    Page* pRemembered = pFrame ? pFrame->GetActivePage() : nullptr;
    Page* pPage = nullptr;
    for (;;)
    {
        char szName[PX_PAGENAME_SIZE] = "";
        TNamePageDialog dlg(this, szName, m_nKind);
        if (dlg.Execute() != IDOK)
        {
            if (pRemembered)
                pRemembered->Activate();
            return;
        }
        pPage = new (std::nothrow) Page(m_pProgram, szName, m_nKind, 0);
        if (!pPage)
        {
            ShowMessageIdFor(HWindow, IDS_PAGES_NOMEMORY, nullptr, MB_ICONSTOP);
            return;
        }
        if (pPage->HasHandle())
            break;
        // The model refused the name: it is asked for again.
        delete pPage;
    }
    m_pProgram->AddPage(pPage);
    if (!pPage->AddDefaultBlocks(m_nKind))
    {
        if (pRemembered)
            pRemembered->Activate();
        m_pProgram->RemovePage(pPage);
        return;
    }
    HWND hList = List();
    int n = AddPageLine(hList, m_pProgram, pPage);
    ::SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
    ::EnableWindow(GetDlgItem(IDC_PAGES_EXPORT), TRUE);
    ::SendDlgItemMessageA(HWindow, IDC_PAGES_EXPORT, BM_SETCHECK, BST_UNCHECKED, 0);
    if (pRemembered)
        pRemembered->Activate();
    // The new page is offered in the palette for placing.
    if (pFrame)
        pFrame->RefreshPalette(m_pProgram);
}

void TDefinePagesDialog::CmEdit()
{
    Page* pPage = SelectedPage(List());
    if (!pPage)
    {
        ShowMessageIdFor(HWindow, IDS_PAGES_SELECTEDIT, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    if (PXEditorFrame* pFrame = PXWinApp::GetEditorFrame())
        pFrame->ShowPage(pPage);
    CloseWindow(IDOK);
}

void TDefinePagesDialog::CmDelete()
{
    int nIndex;
    Page* pPage = SelectedPage(List(), &nIndex);
    if (!pPage)
    {
        ShowMessageIdFor(HWindow, IDS_PAGES_SELECTDELETE, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    if (kvrPageInUse(pPage->GetHandle()))
    {
        ShowMessageIdFor(HWindow, IDS_PAGES_INUSE, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    CString text;
    text.Format(CString(MAKEINTRESOURCEA(IDS_PAGES_ASKDELETE)), pPage->GetName());
    if (BWCCMessageBox(HWindow, text, CString(MAKEINTRESOURCEA(IDS_EDLG_WARNING)), MB_YESNOCANCEL) != IDYES)
        return;
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    // The window of the page closes with it; were it the program's only
    // window, it would take the program along while the dialog still
    // edits it. The main page is shown first.
    if (pFrame && m_pProgram->GetOpenWindows() == 1 && pFrame->GetActivePage() == pPage)
        if (Page* pMain = m_pProgram->GetMainPage())
            pFrame->ShowPage(pMain);
    GetModelObserver().NotifyChildren(pPage, OBJECT_CHANGING, 0);
    if (pFrame)
        pFrame->ClosePageWindows(pPage);
    if (m_pCopied == pPage)
        m_pCopied = nullptr;
    m_pProgram->RemovePage(pPage);
    ::SendMessageA(List(), LB_DELETESTRING, static_cast<WPARAM>(nIndex), 0);
    DisableExport();
    if (pFrame)
        pFrame->RefreshPalette(m_pProgram);
}

void TDefinePagesDialog::CmRename()
{
    int nIndex;
    Page* pPage = SelectedPage(List(), &nIndex);
    if (!pPage)
    {
        ShowMessageIdFor(HWindow, IDS_PAGES_SELECTRENAME, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    CString oldName = pPage->GetName();
    CString caption;
    caption.Format(CString(MAKEINTRESOURCEA(IDS_PAGES_RENAMING)), static_cast<const char*>(oldName));
    char szNew[PX_PAGENAME_SIZE] = "";
    // The name check asks the model about this program.
    m_pProgram->Activate();
    TRenamePageDialog dlg(this, oldName, caption, szNew);
    if (dlg.Execute() != IDOK)
        return;
    if (kvrRenamePage(pPage->GetHandle(), szNew, m_nKind, 0) != KVR_OK)
    {
        // The model keeps the old name, and so does every window.
        CString text;
        text.Format(CString(MAKEINTRESOURCEA(IDS_PAGES_NORENAME)), szNew);
        ShowMessageFor(HWindow, "%s", nullptr, MB_ICONSTOP, static_cast<const char*>(text));
        return;
    }
    RenameCalls rename = { oldName, szNew };
    m_pProgram->ForEachPage(RenameCallsOnPage, &rename);
    pPage->SetName(szNew);
    pPage->SetModified();
    ReplaceLine(nIndex, pPage);
    DisableExport();
    GetModelObserver().RefreshCaptions();
    if (PXEditorFrame* pFrame = PXWinApp::GetEditorFrame())
        pFrame->RefreshPalette(m_pProgram);
}

void TDefinePagesDialog::CmCopy()
{
    Page* pPage = SelectedPage(List());
    if (!pPage)
    {
        ShowText(HWindow, IDS_PAGES_SELECTCOPY, MB_ICONEXCLAMATION);
        return;
    }
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (pFrame && pFrame->CopyPageToClipboard(pPage))
        m_pCopied = pPage;
}

void TDefinePagesDialog::CmPaste()
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!m_pCopied || !pFrame || !pFrame->CanPastePage())
    {
        ShowText(HWindow, IDS_PAGES_NOCOPY, MB_ICONEXCLAMATION);
        return;
    }
    int nResult = pFrame->PastePage();
    ::SetFocus(HWindow);
    if (nResult == 0)
        FillPageList(List(), m_pProgram, m_nKind);
}
