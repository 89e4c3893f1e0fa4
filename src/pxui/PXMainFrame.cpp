// The main window's wrapper: its handles and the full-screen mode.
#include "PXMainFrame.h"
#include "PXAssert.h"
#include "PXImageList.h"
#include "PXMsgBox.h"
#include "PXPaletteManager.h"
#include "PXUIMsg.h"
#include "PXUIReport.h"
#include "PXUIRes.h"
#include "PXWinApp.h"
#include "PXWnd.h"

#include <commctrl.h>
#include <cstring>

namespace {
PXMainFrame* s_pMainFrame = nullptr;
}

PXMainFrame* GetPXMainFrame()
{
    return s_pMainFrame;
}

void SetPXMainFrame(PXMainFrame* pMainFrame)
{
    s_pMainFrame = pMainFrame;
}

PXMainFrame::PXMainFrame()
    : m_hWnd(nullptr), m_hWndMDIClient(nullptr), m_pPaletteManager(nullptr), m_nDragMode(0), m_nDragParam(0),
      m_hWndDragChild(nullptr), m_ptDragLast{0, 0}, m_bFullScreen(FALSE), m_wpSaved(), m_rcFullScreen()
{
    m_wpSaved.length = sizeof(m_wpSaved);
}

PXWnd* PXMainFrame::GetInWnd() const
{
    if (!m_pPaletteManager || !m_pPaletteManager->m_pPalette)
        return nullptr;
    return m_pPaletteManager->m_pInnerWnd;
}

PXMainFrame::~PXMainFrame()
{
    if (s_pMainFrame == this)
        s_pMainFrame = nullptr;
}

void PXMainFrame::Attach(HWND hWnd, HWND hWndMDIClient)
{
    m_hWnd = hWnd;
    m_hWndMDIClient = hWndMDIClient;
}

RECT PXMainFrame::GetFullScreenRect() const
{
    // The desktop grown by the frame's caption and borders, so that they
    // lie off the screen while the menu bar stays at its top.
    RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ::GetWindowRect(::GetDesktopWindow(), &rc);
    DWORD dwStyle = m_hWnd ? static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)) : WS_OVERLAPPEDWINDOW;
    DWORD dwExStyle = m_hWnd ? static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)) : 0;
    AdjustWindowRectEx(&rc, dwStyle, TRUE, dwExStyle);
    rc.top += GetSystemMetrics(SM_CYMENU);
    return rc;
}

void PXMainFrame::ToggleFullScreen()
{
    if (!m_hWnd || !IsWindow(m_hWnd))
        return;
    WINDOWPLACEMENT wp;
    if (m_bFullScreen)
    {
        wp = m_wpSaved;
        m_bFullScreen = FALSE;
    }
    else
    {
        m_wpSaved.length = sizeof(m_wpSaved);
        if (!GetWindowPlacement(m_hWnd, &m_wpSaved))
            return;
        if (m_wpSaved.ptMinPosition.x == -1)
            m_wpSaved.ptMinPosition.x = 0;
        if (m_wpSaved.ptMaxPosition.x == -1)
            m_wpSaved.ptMaxPosition.x = 0;
        m_rcFullScreen = GetFullScreenRect();
        wp = m_wpSaved;
        wp.showCmd = SW_SHOWNORMAL;
        wp.rcNormalPosition = m_rcFullScreen;
        // The frame's size limits ask whether it is in full-screen mode.
        m_bFullScreen = TRUE;
    }
    PXWinApp::UpdateCommandUI();
    // One repaint of everything at the end, none while the frame moves.
    const bool bLocked = ::LockWindowUpdate(m_hWnd) != FALSE;
    const bool bClient = m_hWndMDIClient && ::IsWindow(m_hWndMDIClient);
    if (bClient)
        ::SendMessageA(m_hWndMDIClient, WM_SETREDRAW, FALSE, 0);
    ::SetWindowPlacement(m_hWnd, &wp);
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    if (bClient)
        ::SendMessageA(m_hWndMDIClient, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(nullptr, nullptr, TRUE);
}

void PXMainFrame::GetMDIClientRect(RECT* pRect) const
{
    ::SetRectEmpty(pRect);
    if (m_hWndMDIClient && ::IsWindow(m_hWndMDIClient))
        ::GetWindowRect(m_hWndMDIClient, pRect);
}

void PXMainFrame::MoveMDIClient(const RECT& rc)
{
    if (!m_hWndMDIClient || !::IsWindow(m_hWndMDIClient))
        return;
    ::MoveWindow(m_hWndMDIClient, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    ::InvalidateRect(m_hWndMDIClient, nullptr, TRUE);
}

namespace
{
const char kPagePaneClass[] = "UIOBJECTCHILD";

// Whether the window is a page pane: its class name, read up to 19
// characters, is the page pane's.
bool IsPagePane(HWND hWnd)
{
    char szClass[20] = "";
    if (!hWnd || !::GetClassNameA(hWnd, szClass, sizeof(szClass)))
        return false;
    return std::strcmp(szClass, kPagePaneClass) == 0;
}

// The hotspot and width of the image being dragged; none while no image
// drag runs.
void GetDragImageMetrics(POINT* pHotspot, int* pnWidth)
{
    POINT ptPos = {0, 0};
    pHotspot->x = pHotspot->y = 0;
    *pnWidth = 0;
    HIMAGELIST hDrag = ImageList_GetDragImage(&ptPos, pHotspot);
    int cx = 0, cy = 0;
    if (hDrag && ImageList_GetIconSize(hDrag, &cx, &cy))
        *pnWidth = cx;
    if (!hDrag)
        pHotspot->x = pHotspot->y = 0;
}
}

void PXMainFrame::BeginDrag(HIMAGELIST hImage, int x, int y, INT_PTR nParam, const POINT* pHotspot, int nMode)
{
    m_nDragMode = nMode;
    m_nDragParam = nParam;
    m_ptDragLast.x = x;
    m_ptDragLast.y = y;
    m_hWndDragChild = m_hWndMDIClient ? ::GetWindow(m_hWndMDIClient, GW_CHILD) : nullptr;
    if (nMode == 1)
    {
        const POINT ptHot = pHotspot ? *pHotspot : POINT{0, 0};
        if (ImageList_BeginDrag(hImage, 0, ptHot.x, ptHot.y))
            ImageList_DragEnter(::GetDesktopWindow(), x, y);
    }
}

void PXMainFrame::DragMove(UINT, int x, int y, PXDragPane* pPane)
{
    POINT h;
    int w;
    GetDragImageMetrics(&h, &w);
    PXASSERT(m_pResizedIconIL != 0);
    int iw = 0, ih = 0;
    ImageList_GetIconSize(m_pResizedIconIL->m_hImageList, &iw, &ih);
    // The drag image may be wider than the block's icon (the list view
    // adds the name): the icon lies in its middle.
    const int c = w / 2 - iw / 2;
    POINT p = {x + c - h.x, y - h.y};

    HWND hUnder = ::WindowFromPoint(p);
    if (hUnder && m_hWndDragChild && ::GetParent(hUnder) == m_hWndDragChild && IsPagePane(hUnder))
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        ::ScreenToClient(hUnder, &p);
        ::SendMessageA(hUnder, WM_PLT_DRAGOVER, 0, reinterpret_cast<LPARAM>(&p));
        ::ClientToScreen(hUnder, &p);
    }
    else if (pPane && m_hWndDragChild)
    {
        ::ScreenToClient(m_hWndDragChild, &p);
        pPane->DragOverEdge(&p);
        ::ClientToScreen(m_hWndDragChild, &p);
    }
    else
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_NO));
    }
    m_ptDragLast = p;
    ImageList_DragMove(p.x + h.x - c, p.y + h.y);
}

void PXMainFrame::EndDrag(int x, int y, bool bQuiet)
{
    POINT h;
    int w;
    GetDragImageMetrics(&h, &w);
    if (m_nDragMode == 1)
    {
        ImageList_DragLeave(::GetDesktopWindow());
        ImageList_EndDrag();
    }
    const POINT p = {x - h.x, y - h.y};
    HWND hUnder = ::WindowFromPoint(p);
    if (hUnder && m_hWndDragChild && ::GetParent(hUnder) == m_hWndDragChild)
    {
        if (IsPagePane(hUnder))
            ::SendMessageA(hUnder, WM_PLT_DROP, static_cast<WPARAM>(m_nDragParam),
                           MAKELPARAM(m_ptDragLast.x, m_ptDragLast.y));
        else
            PXMessageBeep(0);
    }
    else if (bQuiet)
    {
        PXMessageBeep(0);
    }
    else
    {
        PXUIReportMessage(IDS_UI_MOVEBETWEENPAGES, 0x20000, __FILE__, __LINE__);
    }
    m_nDragMode = 0;
    m_hWndDragChild = nullptr;
}

void PXMainFrame::CancelDrag()
{
    if (m_nDragMode == 1)
    {
        ImageList_DragLeave(::GetDesktopWindow());
        ImageList_EndDrag();
    }
    m_nDragMode = 0;
    m_hWndDragChild = nullptr;
}
