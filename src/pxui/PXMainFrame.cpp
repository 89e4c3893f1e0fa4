// The main window's wrapper: its handles and the full-screen mode.
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXWinApp.h"
#include "PXWnd.h"

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
    : m_hWnd(nullptr), m_hWndMDIClient(nullptr), m_pPaletteManager(nullptr), m_bFullScreen(FALSE), m_wpSaved(),
      m_rcFullScreen()
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
    // The client area covers the screen; the frame's borders, caption and
    // menu bar lie outside it.
    RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    DWORD dwStyle = m_hWnd ? static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)) : WS_OVERLAPPEDWINDOW;
    DWORD dwExStyle = m_hWnd ? static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)) : 0;
    AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    rc.top -= GetSystemMetrics(SM_CYMENU);
    return rc;
}

void PXMainFrame::ToggleFullScreen()
{
    if (!m_hWnd || !IsWindow(m_hWnd))
        return;
    if (!m_bFullScreen)
    {
        m_wpSaved.length = sizeof(m_wpSaved);
        if (!GetWindowPlacement(m_hWnd, &m_wpSaved))
            return;
        m_rcFullScreen = GetFullScreenRect();
        // The frame's size limits ask whether it is in full-screen mode.
        m_bFullScreen = TRUE;
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        SetWindowPos(m_hWnd, nullptr, m_rcFullScreen.left, m_rcFullScreen.top,
                     m_rcFullScreen.right - m_rcFullScreen.left, m_rcFullScreen.bottom - m_rcFullScreen.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else
    {
        m_bFullScreen = FALSE;
        SetWindowPlacement(m_hWnd, &m_wpSaved);
    }
    PXWinApp::UpdateCommandUI();
}
