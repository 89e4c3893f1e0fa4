// TFrameWindow: menu, command routing and accelerators.
#include "owl/TFrameWindow.h"
#include "owl/TApplication.h"
#include "owl/TMenuItemEnabler.h"

#include <algorithm>
#include <vector>

TFrameWindow::TFrameWindow(TWindow* pParent, const char* pszTitle, TWindow* pClientWnd,
                           bool shrinkToClient, TModule* pModule)
    : TWindow(pParent, pszTitle, pModule), HAccel(nullptr), m_pClientWnd(pClientWnd),
      m_hMenu(nullptr), m_bMenuOwned(false)
{
    // A frame is always a top-level window; a parent only owns it.
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
    ClearFlag(wfAutoCreate);
    if (pClientWnd)
        pClientWnd->SetParent(this);
}

TFrameWindow::~TFrameWindow()
{
    if (m_bMenuOwned && m_hMenu)
        ::DestroyMenu(m_hMenu);
}

bool TFrameWindow::AssignMenu(TResId menuResId)
{
    m_menuResId = menuResId;
    if (!HWindow)
        return true;
    HMENU hMenu = GetModule()->LoadMenu(menuResId);
    if (!hMenu)
        return false;
    HMENU hOld = ::GetMenu(HWindow);
    ::SetMenu(HWindow, hMenu);
    if (hOld)
        ::DestroyMenu(hOld);
    ::DrawMenuBar(HWindow);
    return true;
}

HMENU TFrameWindow::CreationMenu()
{
    if (!m_hMenu && !m_menuResId.IsNull())
        m_hMenu = GetModule()->LoadMenu(m_menuResId);
    // The window owns the menu from now on.
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    m_bMenuOwned = false;
    return h;
}

template <class Try>
bool TFrameWindow::Route(Try tryWindow)
{
    std::vector<TWindow*> visited;
    HWND hFocus = ::GetFocus();
    if (hFocus && hFocus != HWindow && ::IsChild(HWindow, hFocus))
    {
        for (HWND h = hFocus; h && h != HWindow; h = ::GetParent(h))
        {
            TWindow* p = GetWindowPtr(h);
            if (!p)
                continue;
            visited.push_back(p);
            if (tryWindow(p))
                return true;
        }
    }
    if (m_pClientWnd && m_pClientWnd->HWindow &&
        std::find(visited.begin(), visited.end(), m_pClientWnd) == visited.end() &&
        tryWindow(m_pClientWnd))
        return true;
    return tryWindow(this);
}

bool TFrameWindow::RouteCommand(UINT id, HWND hWndCtl, UINT notifyCode, LRESULT& result)
{
    return Route([&](TWindow* p) { return p->TryCommand(id, hWndCtl, notifyCode, result); });
}

bool TFrameWindow::RouteCommandEnable(TCommandEnabler& ce)
{
    return Route([&](TWindow* p) { return p->TryCommandEnable(ce); });
}

LRESULT TFrameWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
    {
        HWND hWndCtl = reinterpret_cast<HWND>(lParam);
        // Menus and accelerators send no control; the tool strip sends a
        // marker that is no window. Both are commands to route.
        if (!hWndCtl || !::IsWindow(hWndCtl))
        {
            LRESULT r = 0;
            if (RouteCommand(LOWORD(wParam), hWndCtl, HIWORD(wParam), r))
                return r;
            return DefaultProcessing();
        }
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

void TFrameWindow::EvInitMenuPopup(HMENU hPopup, UINT index, bool sysMenu)
{
    if (!sysMenu && hPopup)
    {
        int n = ::GetMenuItemCount(hPopup);
        for (int pos = 0; pos < n; ++pos)
        {
            UINT id = ::GetMenuItemID(hPopup, pos);
            if (id == 0 || id == static_cast<UINT>(-1))
                continue;   // separator or pop-up
            TMenuItemEnabler ce(hPopup, id, static_cast<UINT>(pos));
            RouteCommandEnable(ce);
        }
    }
    DefaultProcessing();
}

void TFrameWindow::EvSize(UINT sizeType, int cx, int cy)
{
    DefaultProcessing();
    if (sizeType != SIZE_MINIMIZED && m_pClientWnd && m_pClientWnd->HWindow)
        ::MoveWindow(m_pClientWnd->HWindow, 0, 0, cx, cy, TRUE);
}

bool TFrameWindow::PreProcessMsg(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !HWindow)
        return false;
    if (HAccel && ::TranslateAcceleratorA(HWindow, HAccel, &msg))
        return true;
    TApplication* pApp = GetApplication();
    if (IsFlagSet(wfMainWindow) && pApp && pApp->HAccTable &&
        ::TranslateAcceleratorA(HWindow, pApp->HAccTable, &msg))
        return true;
    return false;
}
