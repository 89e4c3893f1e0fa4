// The block palette's frame window.
#include "PXDragWnd.h"
#include "PXAssert.h"
#include "PXPaletteManager.h"

PXPaintDC::PXPaintDC(PXWnd* pWnd)
    : m_hWnd(pWnd->m_hWnd), m_ps()
{
    PXASSERT(::IsWindow(pWnd->m_hWnd));
    ::BeginPaint(m_hWnd, &m_ps);
}

PXPaintDC::~PXPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

PXDragWnd::PXDragWnd(PXPaletteManager* pManager)
    : m_pManager(pManager)
{
}

int PXDragWnd::Create(const char* pszTitle, int x, int y, int cx, int cy, HWND hParent, bool bFloating)
{
    const DWORD dwExStyle = bFloating ? (WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE) : 0;
    const DWORD dwStyle = bFloating ? (WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                       WS_SYSMENU | WS_THICKFRAME)
                                    : (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    return PXWnd::Create(dwExStyle, GetClassNameText(), pszTitle, dwStyle, x, y, cx, cy, hParent, nullptr,
                         nullptr);
}

void PXDragWnd::GetInnerRect(RECT* pRect) const
{
    PXASSERT(::IsWindow(m_hWnd));
    GetInnerRectOf(m_hWnd, pRect);
}

void PXDragWnd::GetInnerRectOf(HWND hWnd, RECT* pRect)
{
    ::GetClientRect(hWnd, pRect);
    ::InflateRect(pRect, -6, -6);
    pRect->right -= GetStripWidth();
    ::InflateRect(pRect, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
}

void PXDragWnd::OnClose()
{
    // The floating palette's Close: the manager deletes this window, so
    // nothing of it may be touched afterwards.
    m_pManager->ClosePalette();
}

void PXDragWnd::OnSpare(int n)
{
    PXWnd::OnSpare(n);
}

void PXDragWnd::OnLButtonDown(UINT, int, int)
{
    // The move loop may rebuild the palette, deleting this window.
    m_pManager->MoveLoop();
}

void PXDragWnd::OnLButtonDblClk(UINT, int, int)
{
    m_pManager->ToggleDock();
}

LRESULT PXDragWnd::OnNcHitTest(int x, int y)
{
    const LRESULT nHit = PXWnd::OnNcHitTest(x, y);
    if (nHit == HTCAPTION)
        return HTCLIENT;    // a press on the caption starts the move loop
    if (nHit == HTCLIENT)
    {
        RECT rc;
        GetWindowRect(&rc);
        if (x >= rc.right - GetStripWidth())
            return HTRIGHT;
    }
    return nHit;
}

void PXDragWnd::OnPaint()
{
    PXPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    rc.right += 2;
    ::DrawEdge(dc.GetHandle(), &rc, EDGE_RAISED, BF_RIGHT);
    rc.right -= GetStripWidth();
    ::DrawEdge(dc.GetHandle(), &rc, EDGE_SUNKEN, BF_TOP | BF_RIGHT | BF_BOTTOM);
}

void PXDragWnd::OnSize(UINT, int cx, int cy)
{
    m_pManager->OnPaletteSize(cx, cy);
}
