// The palette manager's state (each run starts docked with these values)
// and the palette's move loop.
#include "PXPaletteManager.h"
#include "PXAssert.h"
#include "PXDragWnd.h"
#include "PXInTabWnd.h"
#include "PXMainFrame.h"
#include "PXUIRes.h"
#include "PXWinApp.h"
#include "PXWnd.h"

PXPaletteManager::PXPaletteManager(PXMainFrame* pFrame)
    : m_pFrame(pFrame), m_pClassName(nullptr), m_pPalette(nullptr), m_pInnerWnd(nullptr), m_bMoving(false), m_hDragDC(nullptr),
      m_rcDrag(), m_bFirstMove(true), m_ptGrab(), m_bFloating(false), m_bTargetFloating(false), m_ptFloat{300, 300},
      m_ptDocked{0, 0}, m_sizeFloat{526, 244}, m_sizeDocked{213, 200}
{
}

PXPaletteManager::~PXPaletteManager()
{
    delete m_pClassName;
}

PXWnd* PXPaletteManager::CreateInnerWnd()
{
    PXASSERT(0);
    return nullptr;
}

namespace
{
// The main window's client coordinates of a screen rectangle.
RECT ToMainClient(HWND hMain, RECT rc)
{
    if (hMain)
        ::MapWindowPoints(nullptr, hMain, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
}

void PXPaletteManager::GetInnerRect(RECT* pRect) const
{
    ::SetRectEmpty(pRect);
    if (!m_pPalette || !::IsWindow(m_pPalette->m_hWnd))
        return;
    if (m_bFloating)
        ::GetClientRect(m_pPalette->m_hWnd, pRect);
    else
        PXDragWnd::GetInnerRectOf(m_pPalette->m_hWnd, pRect);
}

void PXPaletteManager::CreatePalette()
{
    HWND hMain = m_pFrame ? m_pFrame->m_hWnd : nullptr;
    PXASSERT(::IsWindow(hMain));
    if (!m_pClassName)
    {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = PXWndImpl::WindowProc;
        wc.hInstance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(hMain, GWLP_HINSTANCE));
        wc.hCursor = ::LoadCursor(nullptr, IDC_SIZEALL);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
        wc.lpszClassName = PXDragWnd::GetClassNameText();
        // Another manager of this run may have registered it already.
        ATOM a = ::RegisterClassA(&wc);
        if (!a && ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
            a = 1;
        PXASSERT(a!=0);
        m_pClassName = new CString(PXDragWnd::GetClassNameText());
    }
    PXASSERT(m_pPalette==0);

    PXDragWnd* pPalette = new PXDragWnd(this);
    m_pPalette = pPalette;
    POINT pt = m_ptFloat;
    SIZE size = m_sizeFloat;
    if (!m_bFloating)
    {
        RECT M;
        m_pFrame->GetMDIClientRect(&M);
        M = ToMainClient(hMain, M);
        m_sizeDocked.cy = M.bottom - M.top;
        m_ptDocked.y = M.top;
        pt = m_ptDocked;
        size = m_sizeDocked;
    }
    CString strTitle;
    strTitle.LoadStringA(IDS_UI_PALETTETITLE);
    if (!pPalette->Create(strTitle, pt.x, pt.y, size.cx, size.cy, hMain, m_bFloating))
    {
        // No window: the palette stays closed.
        m_pPalette = nullptr;
        delete pPalette;
        PXWinApp::UpdateCommandUI();
        return;
    }

    RECT rcInner;
    GetInnerRect(&rcInner);
    if (m_pInnerWnd)
    {
        m_pInnerWnd->SetParent(pPalette);
        m_pInnerWnd->MoveWindow(&rcInner);
    }
    else if (PXWnd* pInner = CreateInnerWnd())
    {
        PXInnerWnd* pInnerWnd = dynamic_cast<PXInnerWnd*>(pInner);
        PXASSERT(pInnerWnd!=0);
        m_pInnerWnd = pInner;
        if (!pInnerWnd->CreateRect(rcInner.left, rcInner.top, rcInner.right, rcInner.bottom, pPalette->m_hWnd))
        {
            m_pInnerWnd = nullptr;
            delete pInner;
        }
    }
    PXWinApp::UpdateCommandUI();
}

void PXPaletteManager::DestroyWindows()
{
    if (m_pInnerWnd)
    {
        PXWnd* pInner = m_pInnerWnd;
        m_pInnerWnd = nullptr;
        if (::IsWindow(pInner->m_hWnd))
            pInner->DestroyWindow();
        delete pInner;
    }
    if (m_pPalette)
    {
        PXWnd* pPalette = m_pPalette;
        m_pPalette = nullptr;
        if (::IsWindow(pPalette->m_hWnd))
            pPalette->DestroyWindow();
        delete pPalette;
    }
}

void PXPaletteManager::ClosePalette()
{
    DestroyWindows();
    PXWinApp::UpdateCommandUI();
}

void PXPaletteManager::Close()
{
    ClosePalette();
}

void PXPaletteManager::ToggleDock()
{
    m_bFloating = !m_bFloating;
    if (m_pPalette)
        Rebuild();
}

void PXPaletteManager::Rebuild()
{
    PXWnd* pOld = m_pPalette;
    m_pPalette = nullptr;
    CreatePalette();
    if (pOld)
    {
        if (::IsWindow(pOld->m_hWnd))
            pOld->DestroyWindow();
        delete pOld;
    }

    // The MDI client takes the strip the docked palette leaves, or gives it
    // back.
    HWND hMain = m_pFrame ? m_pFrame->m_hWnd : nullptr;
    RECT M;
    m_pFrame->GetMDIClientRect(&M);
    if (::IsRectEmpty(&M))
        return;
    M = ToMainClient(hMain, M);
    const int nWidth = M.right - M.left;
    RECT rc = M;
    if (m_bFloating)
    {
        rc.left = m_ptDocked.x;
        rc.right = rc.left + nWidth + m_sizeDocked.cx;
    }
    else
    {
        rc.left = m_sizeDocked.cx;
        rc.right = rc.left + nWidth - m_sizeDocked.cx;
    }
    m_pFrame->MoveMDIClient(rc);
}

void PXPaletteManager::OnPaletteSize(int cx, int cy)
{
    if (!m_pPalette || !::IsWindow(m_pPalette->m_hWnd))
        return;
    if (m_bFloating)
    {
        RECT rc;
        ::GetWindowRect(m_pPalette->m_hWnd, &rc);
        m_sizeFloat.cx = rc.right - rc.left;
        m_sizeFloat.cy = rc.bottom - rc.top;
    }
    else
    {
        const SIZE old = m_sizeDocked;
        m_sizeDocked.cx = cx;
        m_sizeDocked.cy = cy;
        m_pPalette->Invalidate(TRUE);
        if (cx != old.cx || cy != old.cy)
        {
            RECT M;
            m_pFrame->GetMDIClientRect(&M);
            if (!::IsRectEmpty(&M))
            {
                M = ToMainClient(m_pFrame->m_hWnd, M);
                M.left += cx - old.cx;
                M.bottom += cy - old.cy;
                m_pFrame->MoveMDIClient(M);
            }
        }
    }
    if (m_pInnerWnd && ::IsWindow(m_pInnerWnd->m_hWnd))
    {
        RECT rcInner;
        GetInnerRect(&rcInner);
        m_pInnerWnd->MoveWindow(&rcInner);
    }
}

void PXPaletteManager::OnFrameSize(int cx, int)
{
    if (!m_pPalette || m_bFloating || !::IsWindow(m_pPalette->m_hWnd))
        return;
    RECT M;
    m_pFrame->GetMDIClientRect(&M);
    M = ToMainClient(m_pFrame->m_hWnd, M);
    m_sizeDocked.cy = M.bottom - M.top;
    m_ptDocked.y = M.top;
    m_pPalette->Invalidate(TRUE);
    m_pPalette->MoveWindow(m_ptDocked.x, M.top, m_sizeDocked.cx, m_sizeDocked.cy);
    RECT rc = {m_sizeDocked.cx, M.top, cx, M.bottom};
    m_pFrame->MoveMDIClient(rc);
    if (m_pInnerWnd && ::IsWindow(m_pInnerWnd->m_hWnd))
    {
        RECT rcInner;
        GetInnerRect(&rcInner);
        m_pInnerWnd->MoveWindow(&rcInner);
    }
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

    // A drop in the other state docks or floats the palette (a new
    // floating palette where it was dropped); a floating palette dropped
    // as floating moves; a docked one dropped as docked stays where it is.
    if (bDropped && !m_bFirstMove && m_bTargetFloating != m_bFloating)
    {
        m_bFloating = m_bTargetFloating;
        if (m_bFloating)
        {
            m_ptFloat.x = m_rcDrag.left;
            m_ptFloat.y = m_rcDrag.top;
        }
        Rebuild();
    }
    else if (bDropped && !m_bFirstMove && m_bFloating && m_bTargetFloating)
    {
        ::SetWindowPos(hWnd, nullptr, m_rcDrag.left, m_rcDrag.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ptFloat.x = m_rcDrag.left;
        m_ptFloat.y = m_rcDrag.top;
    }
}
