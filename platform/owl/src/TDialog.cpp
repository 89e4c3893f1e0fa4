// TDialog: modal and modeless dialogs from resource or memory templates.
#include "owl/TDialog.h"

namespace {

HINSTANCE g_hDialogLibrary = nullptr;

} // namespace

TDialog::TDialog(TWindow* pParent, TResId resId, TModule* pModule)
    : TWindow(pParent, nullptr, pModule), m_resId(resId), m_pTemplate(nullptr), m_bModal(false)
{
    m_bDialogProc = true;
    ClearFlag(wfAutoCreate);
}

TDialog::TDialog(TWindow* pParent, const DLGTEMPLATE* pTemplate, TModule* pModule)
    : TWindow(pParent, nullptr, pModule), m_pTemplate(pTemplate), m_bModal(false)
{
    m_bDialogProc = true;
    ClearFlag(wfAutoCreate);
}

HINSTANCE TDialog::SetDialogLibrary(HINSTANCE hLibrary)
{
    HINSTANCE hOld = g_hDialogLibrary;
    g_hDialogLibrary = hLibrary;
    return hOld;
}

HINSTANCE TDialog::GetDialogLibrary()
{
    return g_hDialogLibrary;
}

HINSTANCE TDialog::FindTemplateModule() const
{
    if (m_pTemplate || m_resId.IsNull())
        return nullptr;
    HINSTANCE hOwn = GetModule()->GetHandle();
    if (hOwn && ::FindResourceA(hOwn, m_resId, RT_DIALOG))
        return hOwn;
    if (g_hDialogLibrary && g_hDialogLibrary != hOwn && ::FindResourceA(g_hDialogLibrary, m_resId, RT_DIALOG))
        return g_hDialogLibrary;
    return nullptr;
}

bool TDialog::LoadTemplate(const DLGTEMPLATE*& pTemplate, HINSTANCE& hInst) const
{
    if (m_pTemplate)
    {
        pTemplate = m_pTemplate;
        hInst = GetModule()->GetHandle();
        if (!hInst)
            hInst = TModule::GetExeModule().GetHandle();
        return true;
    }
    hInst = FindTemplateModule();
    if (!hInst)
        return false;
    HRSRC hRes = ::FindResourceA(hInst, m_resId, RT_DIALOG);
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    pTemplate = hGlobal ? static_cast<const DLGTEMPLATE*>(::LockResource(hGlobal)) : nullptr;
    return pTemplate != nullptr;
}

int TDialog::Execute()
{
    if (HWindow)
        return -1;
    const DLGTEMPLATE* pTemplate = nullptr;
    HINSTANCE hInst = nullptr;
    if (!LoadTemplate(pTemplate, hInst))
        return -1;
    m_bModal = true;
    INT_PTR r = ::DialogBoxIndirectParamA(hInst, pTemplate, GetParentHandle(), &TWindow::StdDlgProc,
                                         reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return static_cast<int>(r);
}

bool TDialog::Create()
{
    if (HWindow)
        return true;
    const DLGTEMPLATE* pTemplate = nullptr;
    HINSTANCE hInst = nullptr;
    if (!LoadTemplate(pTemplate, hInst))
        return false;
    m_bModal = false;
    HWND h = ::CreateDialogIndirectParamA(hInst, pTemplate, GetParentHandle(), &TWindow::StdDlgProc,
                                          reinterpret_cast<LPARAM>(this));
    return h != nullptr && ::IsWindow(h);
}

void TDialog::Destroy(int retVal)
{
    if (!HWindow)
        return;
    if (m_bModal)
        ::EndDialog(HWindow, retVal);
    else
        TWindow::Destroy(retVal);
}

void TDialog::CloseWindow(int retVal)
{
    if (!CanClose())
        return;
    TransferData(tdGetData);
    Destroy(retVal);
}

void TDialog::SetupWindow()
{
    if (HasCaption())
        ::SetWindowTextA(HWindow, GetCaption());
    TWindow::SetupWindow();
    TransferData(tdSetData);
}

BOOL TDialog::EvInitDialog(HWND)
{
    try {
        SetupWindow();
    } catch (...) {
        // A dialog that could not be set up ends before it is shown: its
        // caller must not take a half-made dialog's OK for an answer.
        if (m_bModal)
            ::EndDialog(HWindow, -1);
        else if (!(GetStyle() & WS_CHILD))     // a page belongs to its sheet
            ::DestroyWindow(HWindow);
        throw;
    }
    if (m_bModal)
        ArmModalHook();
    return TRUE;
}

LRESULT TDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return EvInitDialog(reinterpret_cast<HWND>(wParam));
    return TWindow::WindowProc(msg, wParam, lParam);
}

LRESULT TDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (notifyCode == BN_CLICKED || !hWndCtl)
    {
        if (id == IDOK)
        {
            CmOk();
            return 0;
        }
        if (id == IDCANCEL)
        {
            CmCancel();
            return 0;
        }
    }
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TDialog::CmOk()
{
    CloseWindow(IDOK);
}

void TDialog::CmCancel()
{
    Destroy(IDCANCEL);
}

void TDialog::EvClose()
{
    // The dialog manager turns the close box into IDCANCEL.
    DefaultProcessing();
}

bool TDialog::PreProcessMsg(MSG& msg)
{
    return !m_bModal && HWindow && ::IsDialogMessageA(HWindow, &msg);
}
