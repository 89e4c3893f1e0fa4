// TWindow: binding, dispatch, the exception edge and the child list.
#include "owl/TWindow.h"
#include "owl/TApplication.h"
#include "owl/TEventTable.h"
#include "owl/TMenuItemEnabler.h"
#include "OwlFailure.h"

#include "PXafx.h"

#include <windowsx.h>
#include <algorithm>
#include <string.h>

namespace {

const char kObjectProp[] = "PlexwrightWindowObject";

void DefaultExceptionHandler(TWindow* pWnd, UINT)
{
    OwlShowCurrentException(pWnd ? pWnd->HWindow : nullptr);
}

TWindow::TExceptionHandler g_pfnException = DefaultExceptionHandler;
TWindow::TModalHook g_pfnModalHook = nullptr;

} // namespace

void OwlShowCurrentException(HWND hOwner)
{
    if (hOwner && !::IsWindow(hOwner))
        hOwner = nullptr;
    CString caption;
    caption.LoadStringA(IDS_PX_PROGRAMNAME);
    CString text;
    try {
        throw;
    } catch (PXException& x) {
        x.FormatText(text);
    } catch (...) {
        text.LoadStringA(IDS_PX_NODESCR);
    }
    PXMessageBox(hOwner, text, caption, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

TWindow* TWindow::s_pCreating = nullptr;
UINT TWindow::s_nModalReadyMsg = 0;

// ---------------------------------------------------------------------------
// Menu item enabler

void TMenuItemEnabler::Enable(bool enable)
{
    TCommandEnabler::Enable(enable);
    ::EnableMenuItem(m_hMenu, m_nPos, MF_BYPOSITION | (enable ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

void TMenuItemEnabler::SetCheck(int state)
{
    TCommandEnabler::SetCheck(state);
    ::CheckMenuItem(m_hMenu, m_nPos, MF_BYPOSITION | (state ? MF_CHECKED : MF_UNCHECKED));
}

// ---------------------------------------------------------------------------
// Construction and destruction

TWindow::TWindow(TWindow* pParent, const char* pszTitle, TModule* pModule)
{
    Init(pParent, pszTitle, pModule);
}

TWindow::TWindow(HWND hWnd, TModule* pModule)
{
    Init(nullptr, nullptr, pModule);
    SetFlag(wfAlias);
    ClearFlag(wfAutoCreate);
    HWindow = hWnd;
}

void TWindow::Init(TWindow* pParent, const char* pszTitle, TModule* pModule)
{
    HWindow = nullptr;
    m_pfnPrevProc = nullptr;
    m_bDialogProc = false;
    m_pParent = nullptr;
    m_pModule = pModule;
    m_pszTitle = nullptr;
    m_nFlags = wfAutoCreate;
    m_pCur = nullptr;
    m_bUnhandled = false;
    m_nDepth = 0;
    m_bDeletePending = false;
    memset(&Attr, 0, sizeof(Attr));
    if (pParent)
    {
        Attr.Style = WS_CHILD | WS_VISIBLE;
    }
    else
    {
        Attr.Style = WS_OVERLAPPEDWINDOW;
        Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
    }
    SetCaption(pszTitle);
    if (pParent)
        SetParent(pParent);
    if (!s_nModalReadyMsg)
        s_nModalReadyMsg = ::RegisterWindowMessageA("PlexwrightModalReady");
}

TWindow::~TWindow()
{
    // The children go first, each taking its own window with it.
    while (!m_children.empty())
    {
        TWindow* pChild = m_children.back();
        delete pChild;
    }
    if (HWindow)
    {
        HWND h = HWindow;
        bool bAlias = IsFlagSet(wfAlias);
        bool bMDI = IsFlagSet(wfMDIChild);
        bool bBound = GetWindowPtr(h) == this;
        if (bBound)
            Detach();
        HWindow = nullptr;
        if (!bAlias && ::IsWindow(h))
        {
            HWND hParent = ::GetParent(h);
            if (bMDI && hParent)
                ::SendMessageA(hParent, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
            else
                ::DestroyWindow(h);
        }
    }
    if (m_pParent)
        m_pParent->RemoveChild(this);
    free(m_pszTitle);
}

void TWindow::SetParent(TWindow* pParent)
{
    if (m_pParent == pParent)
        return;
    if (m_pParent)
        m_pParent->RemoveChild(this);
    m_pParent = pParent;
    if (pParent)
        pParent->AddChild(this);
}

void TWindow::AddChild(TWindow* pChild)
{
    m_children.push_back(pChild);
}

void TWindow::RemoveChild(TWindow* pChild)
{
    auto it = std::find(m_children.begin(), m_children.end(), pChild);
    if (it != m_children.end())
        m_children.erase(it);
}

TModule* TWindow::GetModule() const
{
    if (m_pModule)
        return m_pModule;
    if (TApplication* pApp = GetApplicationObject())
        return pApp;
    return &TModule::GetExeModule();
}

TApplication* TWindow::GetApplication() const
{
    return GetApplicationObject();
}

void TWindow::SetCaption(const char* pszTitle)
{
    char* pCopy = nullptr;
    if (pszTitle)
    {
        size_t n = strlen(pszTitle) + 1;
        pCopy = static_cast<char*>(malloc(n));
        if (!pCopy)
            PXTHROW_XMEM(0);
        memcpy(pCopy, pszTitle, n);
    }
    free(m_pszTitle);
    m_pszTitle = pCopy;
    if (HWindow)
        ::SetWindowTextA(HWindow, GetCaption());
}

// ---------------------------------------------------------------------------
// Binding

TWindow* TWindow::GetWindowPtr(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    return static_cast<TWindow*>(::GetPropA(hWnd, kObjectProp));
}

void TWindow::Attach(HWND hWnd, bool subclass)
{
    HWindow = hWnd;
    ::SetPropA(hWnd, kObjectProp, this);
    if (subclass)
    {
        m_pfnPrevProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindow::StdWndProc)));
    }
}

void TWindow::Detach()
{
    if (!HWindow)
        return;
    ::RemovePropA(HWindow, kObjectProp);
    if (m_pfnPrevProc &&
        ::GetWindowLongPtrA(HWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TWindow::StdWndProc))
        ::SetWindowLongPtrA(HWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
    m_pfnPrevProc = nullptr;
    HWindow = nullptr;
}

// ---------------------------------------------------------------------------
// Window procedures: the edge where every exception stops

LRESULT TWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool* pDefaulted)
{
    CurrentMsg cur = { msg, wParam, lParam, false };
    CurrentMsg* pSaved = m_pCur;
    m_pCur = &cur;
    ++m_nDepth;
    LRESULT result = 0;
    try {
        result = WindowProc(msg, wParam, lParam);
    } catch (...) {
        // A window that could not be set up is not made at all.
        result = msg == WM_CREATE ? -1 : 0;
        HandleException(this, msg);
    }
    m_pCur = pSaved;
    --m_nDepth;
    if (pDefaulted)
        *pDefaulted = cur.bDefaulted;
    if (msg == WM_NCDESTROY)
    {
        Detach();
        if (IsFlagSet(wfDeleteOnClose))
            m_bDeletePending = true;
    }
    if (m_nDepth == 0 && m_bDeletePending)
        delete this;    // nothing of the object is touched after this
    return result;
}

void TWindow::HandleException(TWindow* pWnd, UINT msg)
{
    // Runs inside the catch block of the edge, so the handler can rethrow
    // to see what was thrown; nothing it throws gets past here either.
    try {
        g_pfnException(pWnd, msg);
    } catch (...) {
    }
}

LRESULT CALLBACK TWindow::StdWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* p = GetWindowPtr(hWnd);
    if (!p && msg == WM_NCCREATE && s_pCreating)
    {
        p = s_pCreating;
        s_pCreating = nullptr;
        p->Attach(hWnd, false);
    }
    if (!p)
    {
        if (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
            return ::DefMDIChildProcA(hWnd, msg, wParam, lParam);
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    return p->Dispatch(msg, wParam, lParam, nullptr);
}

INT_PTR TWindow::DlgDispatch(TWindow* pWnd, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool bDefaulted = false;
    LRESULT result = pWnd->Dispatch(msg, wParam, lParam, &bDefaulted);
    if (bDefaulted)
        return FALSE;
    switch (msg)
    {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        if (::IsWindow(hWnd))
            ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

INT_PTR CALLBACK TWindow::StdDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* p = GetWindowPtr(hWnd);
    if (!p && msg == WM_INITDIALOG && lParam)
    {
        p = reinterpret_cast<TWindow*>(lParam);
        p->Attach(hWnd, false);
    }
    if (!p)
        return FALSE;
    return DlgDispatch(p, hWnd, msg, wParam, lParam);
}

TWindow::TExceptionHandler TWindow::SetExceptionHandler(TExceptionHandler pfn)
{
    TExceptionHandler pfnOld = g_pfnException;
    g_pfnException = pfn ? pfn : DefaultExceptionHandler;
    return pfnOld;
}

TWindow::TModalHook TWindow::SetModalHook(TModalHook pfn)
{
    TModalHook pfnOld = g_pfnModalHook;
    g_pfnModalHook = pfn;
    return pfnOld;
}

void TWindow::ArmModalHook()
{
    if (g_pfnModalHook && HWindow)
        ::PostMessageA(HWindow, s_nModalReadyMsg, 0, 0);
}

// ---------------------------------------------------------------------------
// Creation

const char* TWindow::GetClassName()
{
    return "PXOWLWINDOW";
}

void TWindow::GetWindowClass(WNDCLASSA& wc)
{
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWindow::StdWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = GetModule()->GetHandle();
    if (!wc.hInstance)
        wc.hInstance = TModule::GetExeModule().GetHandle();
    wc.hIcon = nullptr;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = GetClassName();
}

bool TWindow::RegisterClassIfNeeded()
{
    const char* pszClass = GetClassName();
    HINSTANCE hInst = GetModule()->GetHandle();
    if (!hInst)
        hInst = TModule::GetExeModule().GetHandle();
    WNDCLASSA wc;
    if (::GetClassInfoA(hInst, pszClass, &wc))
        return true;
    memset(&wc, 0, sizeof(wc));
    GetWindowClass(wc);
    wc.lpfnWndProc = &TWindow::StdWndProc;
    wc.hInstance = hInst;
    wc.lpszClassName = pszClass;
    return ::RegisterClassA(&wc) != 0;
}

bool TWindow::Create()
{
    if (HWindow)
        return true;
    HINSTANCE hInst = GetModule()->GetHandle();
    if (!hInst)
        hInst = TModule::GetExeModule().GetHandle();
    HWND hParent = GetParentHandle();
    HMENU hMenuOrId = (Attr.Style & WS_CHILD)
        ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(Attr.Id))
        : CreationMenu();
    if (IsFlagSet(wfPredefinedClass))
    {
        HWND h = ::CreateWindowExA(Attr.ExStyle, GetClassName(), GetCaption(), Attr.Style,
                                   Attr.X, Attr.Y, Attr.W, Attr.H, hParent, hMenuOrId, hInst, Attr.Param);
        if (!h)
            return false;
        Attach(h, true);
        SetupWindow();
        return true;
    }
    if (!RegisterClassIfNeeded())
        return false;
    s_pCreating = this;
    HWND h = ::CreateWindowExA(Attr.ExStyle, GetClassName(), GetCaption(), Attr.Style,
                               Attr.X, Attr.Y, Attr.W, Attr.H, hParent, hMenuOrId, hInst, Attr.Param);
    if (s_pCreating == this)
        s_pCreating = nullptr;
    return h != nullptr;
}

void TWindow::SetupWindow()
{
    CreateChildren();
}

void TWindow::CreateChildren()
{
    std::vector<TWindow*> children(m_children);
    for (TWindow* pChild : children)
    {
        if (std::find(m_children.begin(), m_children.end(), pChild) == m_children.end())
            continue;   // gone meanwhile
        if (pChild->HWindow)
            continue;
        if (pChild->IsFlagSet(wfFromResource))
        {
            HWND h = ::GetDlgItem(HWindow, pChild->Attr.Id);
            PXASSERT(h != nullptr);
            pChild->Attach(h, true);
            pChild->SetupWindow();
        }
        else if (pChild->IsFlagSet(wfAutoCreate))
        {
            pChild->Create();
        }
    }
}

void TWindow::Destroy(int retVal)
{
    if (!HWindow)
        return;
    HWND h = HWindow;
    HWND hParent = ::GetParent(h);
    if (IsFlagSet(wfMDIChild) && hParent)
        ::SendMessageA(hParent, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    else
        ::DestroyWindow(h);
    // The object may be gone now (deleted on close): nothing more here.
}

bool TWindow::CanClose()
{
    std::vector<TWindow*> children(m_children);
    for (TWindow* pChild : children)
        if (pChild->HWindow && !pChild->CanClose())
            return false;
    return true;
}

void TWindow::CloseWindow(int retVal)
{
    if (CanClose())
        Destroy(retVal);
}

// ---------------------------------------------------------------------------
// Dispatch

LRESULT TWindow::DefProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnPrevProc)
        return ::CallWindowProcA(m_pfnPrevProc, HWindow, msg, wParam, lParam);
    return ::DefWindowProcA(HWindow, msg, wParam, lParam);
}

LRESULT TWindow::DefaultProcessing()
{
    if (!m_pCur || !HWindow)
        return 0;
    if (m_bDialogProc)
    {
        m_pCur->bDefaulted = true;
        return 0;
    }
    return DefProc(m_pCur->msg, m_pCur->wParam, m_pCur->lParam);
}

bool TWindow::Find(TEventInfo&)
{
    return false;
}

bool TWindow::TryCommand(UINT id, HWND hWndCtl, UINT notifyCode, LRESULT& result)
{
    TEventInfo info(0, id);
    if (id != 0 && Find(info) && info.Entry)
    {
        result = info.Entry->Dispatcher(*this, info.Entry->Handler, MAKEWPARAM(id, notifyCode),
                                        reinterpret_cast<LPARAM>(hWndCtl));
        return true;
    }
    bool bSaved = m_bUnhandled;
    m_bUnhandled = false;
    result = EvCommand(id, hWndCtl, notifyCode);
    bool bHandled = !m_bUnhandled;
    m_bUnhandled = bSaved;
    return bHandled;
}

bool TWindow::TryCommandEnable(TCommandEnabler& ce)
{
    TEventInfo info(kCommandEnableMsg, ce.GetId());
    if (ce.GetId() != 0 && Find(info) && info.Entry)
    {
        info.Entry->Dispatcher(*this, info.Entry->Handler, 0, reinterpret_cast<LPARAM>(&ce));
        return true;
    }
    bool bSaved = m_bUnhandled;
    m_bUnhandled = false;
    EvCommandEnable(ce);
    bool bHandled = !m_bUnhandled;
    m_bUnhandled = bSaved;
    return bHandled;
}

LRESULT TWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == s_nModalReadyMsg && msg != 0)
    {
        if (g_pfnModalHook)
            g_pfnModalHook(this);
        return 0;
    }
    if (msg != 0 && msg != WM_COMMAND)
    {
        TEventInfo info(msg);
        if (Find(info) && info.Entry)
            return info.Entry->Dispatcher(*this, info.Entry->Handler, wParam, lParam);
    }
    POINT pt = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    switch (msg)
    {
    case WM_CREATE:
    {
        LRESULT r = DefaultProcessing();
        if (r == -1)
            return -1;
        SetupWindow();
        return r;
    }
    case WM_COMMAND:
    {
        LRESULT r = 0;
        if (TryCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam), r))
            return r;
        return DefaultProcessing();
    }
    case WM_NOTIFY:
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (!pHdr)
            return DefaultProcessing();
        bool bSaved = m_bUnhandled;
        m_bUnhandled = false;
        LRESULT r = EvNotify(static_cast<UINT>(wParam), *pHdr);
        bool bHandled = !m_bUnhandled;
        m_bUnhandled = bSaved;
        return bHandled ? r : DefaultProcessing();
    }
    case WM_SIZE:
        EvSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOVE:
        EvMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_CLOSE:
        EvClose();
        return 0;
    case WM_DESTROY:
        EvDestroy();
        return 0;
    case WM_TIMER:
        EvTimer(static_cast<UINT>(wParam));
        return 0;
    case WM_SETCURSOR:
        return EvSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_MOUSEMOVE:
        EvMouseMove(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONDOWN:
        EvLButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONUP:
        EvLButtonUp(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        EvLButtonDblClk(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONDOWN:
        EvRButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONUP:
        EvRButtonUp(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONDBLCLK:
        EvRButtonDblClk(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_NCMOUSEMOVE:
        EvNCMouseMove(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_GETMINMAXINFO:
        if (!lParam)
            return DefaultProcessing();
        EvGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_ACTIVATEAPP:
        EvActivateApp(wParam != 0, static_cast<DWORD>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        EvInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
        return 0;
    case WM_MENUSELECT:
        EvMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_HSCROLL:
        EvHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        EvVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CHILDACTIVATE:
        EvChildActivate();
        return 0;
    case WM_PAINT:
        EvPaint();
        return 0;
    default:
        return DefaultProcessing();
    }
}

bool TWindow::PreProcessMsg(MSG& msg)
{
    return false;
}

// ---------------------------------------------------------------------------
// Default handlers

LRESULT TWindow::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    m_bUnhandled = true;
    return 0;
}

void TWindow::EvCommandEnable(TCommandEnabler& ce)
{
    m_bUnhandled = true;
}

LRESULT TWindow::EvNotify(UINT id, NMHDR& hdr)
{
    m_bUnhandled = true;
    return 0;
}

void TWindow::EvSize(UINT, int, int) { DefaultProcessing(); }
void TWindow::EvMove(int, int) { DefaultProcessing(); }

void TWindow::EvClose()
{
    if (IsFlagSet(wfAlias))
        DefaultProcessing();
    else
        CloseWindow();
}

void TWindow::EvDestroy()
{
    if (IsFlagSet(wfMainWindow))
        ::PostQuitMessage(0);
    DefaultProcessing();
}

void TWindow::EvTimer(UINT) { DefaultProcessing(); }
BOOL TWindow::EvSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(DefaultProcessing()); }
void TWindow::EvMouseMove(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvLButtonDown(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvLButtonUp(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvLButtonDblClk(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvRButtonDown(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvRButtonUp(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvRButtonDblClk(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvNCMouseMove(UINT, POINT) { DefaultProcessing(); }
void TWindow::EvGetMinMaxInfo(MINMAXINFO&) { DefaultProcessing(); }
void TWindow::EvActivateApp(bool, DWORD) { DefaultProcessing(); }
void TWindow::EvInitMenuPopup(HMENU, UINT, bool) { DefaultProcessing(); }
void TWindow::EvMenuSelect(UINT, UINT, HMENU) { DefaultProcessing(); }
void TWindow::EvChildActivate() { DefaultProcessing(); }

void TWindow::EvHScroll(UINT code, UINT pos, HWND hWndCtl)
{
    TWindow* pCtl = GetWindowPtr(hWndCtl);
    if (pCtl && pCtl != this && pCtl->NotifyScroll(code, pos))
        return;
    DefaultProcessing();
}

void TWindow::EvVScroll(UINT code, UINT pos, HWND hWndCtl)
{
    TWindow* pCtl = GetWindowPtr(hWndCtl);
    if (pCtl && pCtl != this && pCtl->NotifyScroll(code, pos))
        return;
    DefaultProcessing();
}

void TWindow::EvPaint()
{
    if (IsFlagSet(wfPredefinedClass) || m_bDialogProc)
    {
        DefaultProcessing();
        return;
    }
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(HWindow, &ps);
    if (!hDC)
        return;
    try {
        Paint(hDC, ps.fErase != 0, ps.rcPaint);
    } catch (...) {
        ::EndPaint(HWindow, &ps);
        throw;
    }
    ::EndPaint(HWindow, &ps);
}

// ---------------------------------------------------------------------------
// Helpers

void TWindow::Invalidate(bool erase)
{
    if (HWindow)
        ::InvalidateRect(HWindow, nullptr, erase);
}

void TWindow::InvalidateRect(const RECT& rect, bool erase)
{
    if (HWindow)
        ::InvalidateRect(HWindow, &rect, erase);
}

void TWindow::UpdateWindow()
{
    if (HWindow)
        ::UpdateWindow(HWindow);
}

bool TWindow::ShowWindow(int cmdShow)
{
    return HWindow && ::ShowWindow(HWindow, cmdShow);
}

bool TWindow::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return HWindow && ::SetWindowPos(HWindow, hWndInsertAfter, x, y, cx, cy, flags);
}

bool TWindow::MoveWindow(int x, int y, int cx, int cy, bool repaint)
{
    return HWindow && ::MoveWindow(HWindow, x, y, cx, cy, repaint);
}

RECT TWindow::GetClientRect() const
{
    RECT rc = { 0, 0, 0, 0 };
    if (HWindow)
        ::GetClientRect(HWindow, &rc);
    return rc;
}

RECT TWindow::GetWindowRect() const
{
    RECT rc = { 0, 0, 0, 0 };
    if (HWindow)
        ::GetWindowRect(HWindow, &rc);
    return rc;
}

LRESULT TWindow::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return HWindow ? ::SendMessageA(HWindow, msg, wParam, lParam) : 0;
}

bool TWindow::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return HWindow && ::PostMessageA(HWindow, msg, wParam, lParam);
}

int TWindow::GetWindowText(char* pszBuf, int nMax) const
{
    if (!pszBuf || nMax <= 0)
        return 0;
    pszBuf[0] = '\0';
    return HWindow ? ::GetWindowTextA(HWindow, pszBuf, nMax) : 0;
}

int TWindow::GetWindowTextLength() const
{
    return HWindow ? ::GetWindowTextLengthA(HWindow) : 0;
}

void TWindow::SetWindowText(const char* psz)
{
    if (HWindow)
        ::SetWindowTextA(HWindow, psz ? psz : "");
}

DWORD TWindow::GetStyle() const
{
    return HWindow ? static_cast<DWORD>(::GetWindowLongA(HWindow, GWL_STYLE)) : Attr.Style;
}

DWORD TWindow::GetExStyle() const
{
    return HWindow ? static_cast<DWORD>(::GetWindowLongA(HWindow, GWL_EXSTYLE)) : Attr.ExStyle;
}

void TWindow::EnableWindow(bool enable)
{
    if (HWindow)
        ::EnableWindow(HWindow, enable);
}

TWindow* TWindow::GetChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= NumChildren())
        return nullptr;
    return m_children[nIndex];
}

TWindow* TWindow::ChildWithId(int id) const
{
    for (TWindow* pChild : m_children)
        if (pChild->GetId() == id)
            return pChild;
    return nullptr;
}

void TWindow::ForEach(TActionFunc action, void* pParam)
{
    std::vector<TWindow*> children(m_children);
    for (TWindow* pChild : children)
        action(pChild, pParam);
}

TWindow* TWindow::FirstThat(TCondFunc test, void* pParam)
{
    std::vector<TWindow*> children(m_children);
    for (TWindow* pChild : children)
        if (test(pChild, pParam))
            return pChild;
    return nullptr;
}
