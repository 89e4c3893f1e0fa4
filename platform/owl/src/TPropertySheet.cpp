// TPropertySheet and TPropertyPage over the system property sheet.
#include "owl/TPropertyPage.h"
#include "owl/TPropertySheet.h"

#include "PXafx.h"

#include <algorithm>
#include <string.h>

TPropertySheet* TPropertySheet::s_pRunning = nullptr;

// ---------------------------------------------------------------------------
// TPropertyPage

TPropertyPage::TPropertyPage(TPropertySheet* pParent, TResId resId, const char* pszTitle,
                             TResId iconResId, TModule* pModule)
    : TDialog(pParent, resId, pModule)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DLGINDIRECT;
    if (pszTitle)
    {
        SetCaption(pszTitle);
        m_psp.dwFlags |= PSP_USETITLE;
    }
    if (!iconResId.IsNull())
    {
        m_psp.dwFlags |= PSP_USEICONID;
        m_psp.pszIcon = iconResId;
    }
    m_psp.pfnDlgProc = &TPropertyPage::PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (pParent)
        pParent->AddPage(*this);
}

TPropertySheet* TPropertyPage::GetSheet() const
{
    return static_cast<TPropertySheet*>(GetParentO());
}

bool TPropertyPage::PreparePage()
{
    const DLGTEMPLATE* pTemplate = nullptr;
    HINSTANCE hInst = nullptr;
    if (!LoadTemplate(pTemplate, hInst))
        return false;
    m_psp.hInstance = hInst;
    m_psp.pResource = pTemplate;
    m_psp.pszTitle = (m_psp.dwFlags & PSP_USETITLE) ? GetCaption() : nullptr;
    m_psp.pfnDlgProc = &TPropertyPage::PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    return true;
}

INT_PTR CALLBACK TPropertyPage::PageDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* p = GetWindowPtr(hWnd);
    if (!p && msg == WM_INITDIALOG && lParam)
    {
        const PROPSHEETPAGEA* pPsp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        p = reinterpret_cast<TPropertyPage*>(pPsp->lParam);
        if (!p)
            return FALSE;
        static_cast<TPropertyPage*>(p)->Attach(hWnd, false);
    }
    if (!p)
        return FALSE;
    return DlgDispatch(p, hWnd, msg, wParam, lParam);
}

LRESULT TPropertyPage::EvNotify(UINT id, NMHDR& hdr)
{
    if (hdr.code == static_cast<UINT>(PSN_APPLY))
        return Apply();
    if (hdr.code == static_cast<UINT>(PSN_KILLACTIVE))
        return KillActive() ? FALSE : TRUE;
    return TDialog::EvNotify(id, hdr);
}

int TPropertyPage::Apply()
{
    TransferData(tdGetData);
    return PSNRET_NOERROR;
}

bool TPropertyPage::KillActive()
{
    return CanClose();
}

// ---------------------------------------------------------------------------
// TPropertySheet

TPropertySheet::TPropertySheet(TWindow* pParent, const char* pszTitle, UINT startPage, bool isWizard,
                               DWORD flags, TModule* pModule)
    : TWindow(pParent, pszTitle, pModule), m_nStartPage(startPage), m_bWizard(isWizard), m_dwFlags(flags)
{
    ClearFlag(wfAutoCreate);
    SetFlag(wfPredefinedClass);
}

void TPropertySheet::AddPage(TPropertyPage& page)
{
    if (std::find(m_pages.begin(), m_pages.end(), &page) == m_pages.end())
        m_pages.push_back(&page);
    // Pages get their windows from the sheet, never from SetupWindow.
    page.ClearFlag(wfAutoCreate);
    if (page.GetParentO() != this)
        page.SetParent(this);
}

void TPropertySheet::RemovePage(TPropertyPage& page)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), &page);
    if (it != m_pages.end())
        m_pages.erase(it);
}

TPropertyPage* TPropertySheet::GetPage(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPageCount())
        return nullptr;
    return m_pages[nIndex];
}

int CALLBACK TPropertySheet::SheetCallback(HWND hWnd, UINT msg, LPARAM lParam)
{
    if (msg == PSCB_INITIALIZED && s_pRunning && !s_pRunning->HWindow)
    {
        TPropertySheet* pSheet = s_pRunning;
        s_pRunning = nullptr;
        // The set-up is the sheet's first handling: the same edge as a
        // window procedure.
        try {
            pSheet->Attach(hWnd, true);
            pSheet->SetupWindow();
            pSheet->ArmModalHook();
        } catch (...) {
            HandleException(pSheet, WM_INITDIALOG);
        }
    }
    return 0;
}

int TPropertySheet::Execute()
{
    if (HWindow || m_pages.empty())
        return -1;
    std::vector<PROPSHEETPAGEA> psps;
    for (TPropertyPage* pPage : m_pages)
    {
        if (!pPage->PreparePage())
            return -1;
        psps.push_back(pPage->GetPropSheetPage());
    }
    HINSTANCE hInst = GetModule()->GetHandle();
    if (!hInst)
        hInst = TModule::GetExeModule().GetHandle();
    PROPSHEETHEADERA psh;
    memset(&psh, 0, sizeof(psh));
    psh.dwSize = sizeof(psh);
    psh.dwFlags = m_dwFlags | PSH_PROPSHEETPAGE | PSH_USECALLBACK | (m_bWizard ? PSH_WIZARD : 0);
    psh.hwndParent = GetParentHandle();
    psh.hInstance = hInst;
    psh.pszCaption = GetCaption();
    psh.nPages = static_cast<UINT>(psps.size());
    psh.nStartPage = m_nStartPage < psh.nPages ? m_nStartPage : 0;
    psh.ppsp = psps.data();
    psh.pfnCallback = &TPropertySheet::SheetCallback;
    TPropertySheet* pSaved = s_pRunning;
    s_pRunning = this;
    INT_PTR r = ::PropertySheetA(&psh);
    s_pRunning = pSaved;
    return static_cast<int>(r);
}

LRESULT TPropertySheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == PSM_PRESSBUTTON && (wParam == PSBTN_OK || wParam == PSBTN_CANCEL))
    {
        WORD id = wParam == PSBTN_OK ? IDOK : IDCANCEL;
        HWND hButton = GetDlgItem(id);
        return SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}
