// TMDIClient, TMDIFrame and TMDIChild.
#include "owl/TMDIChild.h"
#include "owl/TMDIClient.h"
#include "owl/TMDIFrame.h"

#include "PXAssert.h"

#include <vector>

namespace {

// The pop-up of the menu bar that holds the Window menu's commands.
HMENU FindWindowMenu(HMENU hMenuBar)
{
    if (!hMenuBar)
        return nullptr;
    int n = ::GetMenuItemCount(hMenuBar);
    for (int i = 0; i < n; ++i)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (!hPopup)
            continue;
        int m = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < m; ++j)
        {
            UINT id = ::GetMenuItemID(hPopup, j);
            if (id == CM_CASCADECHILDREN || id == CM_TILECHILDREN)
                return hPopup;
        }
    }
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// TMDIClient

TMDIClient::TMDIClient(TModule* pModule)
    : TWindow(static_cast<TWindow*>(nullptr), nullptr, pModule)
{
    SetFlag(wfPredefinedClass | wfAutoCreate);
    Attr.Style = WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL;
    Attr.ExStyle = WS_EX_CLIENTEDGE;
    Attr.X = Attr.Y = Attr.W = Attr.H = 0;
    m_ccs.hWindowMenu = nullptr;
    m_ccs.idFirstChild = IDW_FIRSTMDICHILD;
}

bool TMDIClient::Create()
{
    PXASSERT(GetParentO() != nullptr);
    m_ccs.hWindowMenu = FindWindowMenu(GetParentO()->HWindow ? ::GetMenu(GetParentO()->HWindow) : nullptr);
    Attr.Param = &m_ccs;
    if (GetParentO()->HWindow)
    {
        RECT rc;
        ::GetClientRect(GetParentO()->HWindow, &rc);
        Attr.W = rc.right;
        Attr.H = rc.bottom;
    }
    return TWindow::Create();
}

LRESULT TMDIClient::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    switch (id)
    {
    case CM_CASCADECHILDREN:
        CmCascadeChildren();
        return 0;
    case CM_TILECHILDREN:
        CmTileChildren();
        return 0;
    case CM_ARRANGEICONS:
        CmArrangeIcons();
        return 0;
    case CM_CLOSECHILDREN:
        CmCloseChildren();
        return 0;
    }
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TMDIClient::CmCascadeChildren()
{
    SendMessage(WM_MDICASCADE, 0, 0);
}

void TMDIClient::CmTileChildren()
{
    SendMessage(WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TMDIClient::CmArrangeIcons()
{
    SendMessage(WM_MDIICONARRANGE, 0, 0);
}

void TMDIClient::CmCloseChildren()
{
    CloseChildren();
}

bool TMDIClient::CloseChildren()
{
    if (!CanClose())
        return false;
    std::vector<TWindow*> children;
    for (int i = 0; i < NumChildren(); ++i)
        children.push_back(GetChild(i));
    for (TWindow* pChild : children)
    {
        // Each may delete itself when its window goes; check it is still ours.
        bool bStill = false;
        for (int i = 0; i < NumChildren(); ++i)
            if (GetChild(i) == pChild)
                bStill = true;
        if (bStill && pChild->HWindow)
            pChild->Destroy();
    }
    return true;
}

TMDIChild* TMDIClient::GetActiveMDIChild() const
{
    if (!HWindow)
        return nullptr;
    HWND h = reinterpret_cast<HWND>(::SendMessageA(HWindow, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TMDIChild*>(GetWindowPtr(h));
}

// ---------------------------------------------------------------------------
// TMDIFrame

TMDIFrame::TMDIFrame(const char* pszTitle, TResId menuResId, TMDIClient& client, TModule* pModule)
    : TFrameWindow(nullptr, pszTitle, &client, false, pModule), m_pClient(&client)
{
    if (!menuResId.IsNull())
        AssignMenu(menuResId);
}

LRESULT TMDIFrame::DefProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(HWindow, m_pClient ? m_pClient->HWindow : nullptr, msg, wParam, lParam);
}

void TMDIFrame::EvSize(UINT sizeType, int cx, int cy)
{
    DefaultProcessing();   // the system's frame procedure sizes the client
}

void TMDIFrame::EvDestroy()
{
    if (m_pClient && m_pClient->HWindow)
    {
        std::vector<HWND> children;
        for (HWND h = ::GetWindow(m_pClient->HWindow, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_MDICHILD)
                children.push_back(h);
        for (HWND h : children)
            if (::IsWindow(h))
                ::SendMessageA(m_pClient->HWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    }
    TFrameWindow::EvDestroy();
}

bool TMDIFrame::PreProcessMsg(MSG& msg)
{
    if (m_pClient && m_pClient->HWindow && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
        ::TranslateMDISysAccel(m_pClient->HWindow, &msg))
        return true;
    return TFrameWindow::PreProcessMsg(msg);
}

// ---------------------------------------------------------------------------
// TMDIChild

TMDIChild::TMDIChild(TMDIClient& parent, const char* pszTitle, TWindow* pClientWnd,
                     bool shrinkToClient, TModule* pModule)
    : TWindow(&parent, pszTitle, pModule)
{
    SetFlag(wfMDIChild | wfDeleteOnClose);
    ClearFlag(wfAutoCreate);
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    Attr.ExStyle = WS_EX_MDICHILD;
    Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
    if (pClientWnd)
        pClientWnd->SetParent(this);
}

bool TMDIChild::Create()
{
    if (HWindow)
        return true;
    TWindow* pClient = GetParentO();
    PXASSERT(pClient != nullptr && pClient->HWindow != nullptr);
    if (!RegisterClassIfNeeded())
        return false;
    HINSTANCE hInst = GetModule()->GetHandle();
    if (!hInst)
        hInst = TModule::GetExeModule().GetHandle();
    MDICREATESTRUCTA mcs;
    mcs.szClass = GetClassName();
    mcs.szTitle = GetCaption();
    mcs.hOwner = hInst;
    mcs.x = Attr.X;
    mcs.y = Attr.Y;
    mcs.cx = Attr.W;
    mcs.cy = Attr.H;
    mcs.style = Attr.Style & ~WS_CHILD;
    mcs.lParam = reinterpret_cast<LPARAM>(Attr.Param);
    s_pCreating = this;
    HWND h = reinterpret_cast<HWND>(::SendMessageA(pClient->HWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (s_pCreating == this)
        s_pCreating = nullptr;
    return h != nullptr;
}

LRESULT TMDIChild::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_MDIACTIVATE)
    {
        EvMDIActivate(reinterpret_cast<HWND>(lParam), reinterpret_cast<HWND>(wParam));
        return 0;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

void TMDIChild::EvMDIActivate(HWND, HWND)
{
    DefaultProcessing();
}

LRESULT TMDIChild::DefProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(HWindow, msg, wParam, lParam);
}
