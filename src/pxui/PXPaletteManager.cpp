// The palette manager's state (each run starts docked with these values)
// and the palette's move loop.
#include "PXPaletteManager.h"
#include "PXAssert.h"
#include "PXMainFrame.h"
#include "PXWnd.h"

PXPaletteManager::PXPaletteManager(PXMainFrame* pFrame)
    : m_pFrame(pFrame), m_pPalette(nullptr), m_pInnerWnd(nullptr), m_bMoving(false), m_hDragDC(nullptr),
      m_rcDrag(), m_bFirstMove(true), m_ptGrab(), m_bFloating(false), m_bTargetFloating(false), m_ptFloat{300, 300},
      m_ptDocked{0, 0}, m_sizeFloat{526, 244}, m_sizeDocked{213, 200}
{
}

PXPaletteManager::~PXPaletteManager()
{
}

void PXPaletteManager::DrawOutline(const RECT& rc)
{
    // Three nested focus rectangles: a 3-pixel frame drawn by XOR, so that
    // drawing it again erases it.
    RECT r = rc;
    for (int i = 0; i < 3; ++i)
    {
        ::DrawFocusRect(m_hDragDC, &r);
        ::InflateRect(&r, -1, -1);
    }
}

void PXPaletteManager::TrackTo(const RECT& rcStart, POINT c)
{
    if (m_bFirstMove)
    {
        m_ptGrab.x = rcStart.left - c.x;
        m_ptGrab.y = rcStart.top - c.y;
    }
    RECT M = {0, 0, 0, 0};
    if (m_pFrame && m_pFrame->m_hWndMDIClient)
        ::GetWindowRect(m_pFrame->m_hWndMDIClient, &M);
    const int w3 = ::MulDiv(rcStart.right - rcStart.left, 1, 3);
    RECT rc;
    if (c.x + m_ptGrab.x + w3 < M.left)
    {
        m_bTargetFloating = false;
        ::SetRect(&rc, c.x, c.y, c.x + m_sizeDocked.cx, c.y + (M.bottom - M.top));
    }
    else
    {
        m_bTargetFloating = true;
        ::SetRect(&rc, c.x, c.y, c.x + m_sizeFloat.cx, c.y + m_sizeFloat.cy);
        if (-m_ptGrab.x > m_sizeFloat.cx)
            m_ptGrab.x = -m_sizeFloat.cx / 2;
        if (-m_ptGrab.y > m_sizeFloat.cy)
            m_ptGrab.y = -m_sizeFloat.cy / 2;
    }
    ::OffsetRect(&rc, m_ptGrab.x, m_ptGrab.y);
    if (!m_bFirstMove && ::EqualRect(&rc, &m_rcDrag))
        return;
    if (!m_bFirstMove)
        DrawOutline(m_rcDrag);
    DrawOutline(rc);
    m_rcDrag = rc;
    m_bFirstMove = false;
}

void PXPaletteManager::MoveLoop()
{
    PXASSERT(m_pPalette != 0);
    HWND hWnd = m_pPalette->m_hWnd;
    m_bMoving = true;
    RECT R;
    ::GetWindowRect(hWnd, &R);
    ::SetCapture(hWnd);
    HWND hDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hDesktop);
    m_hDragDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    PXASSERT(m_hDragDC != 0);
    m_bFirstMove = true;
    ::SetRectEmpty(&m_rcDrag);

    bool bDropped = false;
    bool bQuit = false;
    int nExitCode = 0;
    MSG msg;
    while (m_bMoving)
    {
        const BOOL r = ::GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1)
        {
            bQuit = r == 0;
            nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            POINT c = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &c);
            TrackTo(R, c);
            break;
        }
        case WM_LBUTTONUP:
            bDropped = true;
            m_bMoving = false;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                m_bMoving = false;
                break;
            }
            ::DispatchMessageA(&msg);
            break;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
        // Whoever took the capture (WM_CAPTURECHANGED went to the palette)
        // ends the move: no button-up will come to us.
        if (m_bMoving && ::GetCapture() != hWnd)
            m_bMoving = false;
    }

    if (!m_bFirstMove)
        DrawOutline(m_rcDrag);
    ::ReleaseDC(hDesktop, m_hDragDC);
    m_hDragDC = nullptr;
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bMoving = false;
    if (bQuit)
        ::PostQuitMessage(nExitCode);

    // A floating palette dropped as floating moves; a docked one dropped
    // as docked stays where it is.
    if (bDropped && !m_bFirstMove && m_bFloating && m_bTargetFloating)
    {
        ::SetWindowPos(hWnd, nullptr, m_rcDrag.left, m_rcDrag.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ptFloat.x = m_rcDrag.left;
        m_ptFloat.y = m_rcDrag.top;
    }
}
