// The base of the panes.
#include "ChildWindow.h"
#include "FontObject.h"
#include "PXUIMsg.h"

ChildWindow::ChildWindow(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight)
    : TWindow(pParent), m_pElement(pElement)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (pElement->nStyle & LE_BORDER)
        Attr.Style |= WS_BORDER;
    RECT rc = LayoutRecord::ToClientRect(*pElement, nWidth, nHeight);
    Attr.X = rc.left;
    Attr.Y = rc.top;
    Attr.W = rc.right - rc.left;
    Attr.H = rc.bottom - rc.top;
}

ChildWindow::~ChildWindow()
{
}

LRESULT ChildWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_UI_WINDOWKIND)
        return UI_KIND_PANE;
    return TWindow::WindowProc(msg, wParam, lParam);
}

void ChildWindow::Relayout()
{
    if (HWindow)
        Invalidate(true);
}

void ChildWindow::Drop(DragState*, int x, int y)
{
    OutputDebugStringA("ChildWindow::Drop\n");
}

void ChildWindow::Outline(DragState*, BandList*, int, int)
{
    OutputDebugStringA("ChildWindow::Outline\n");
}

FontObject* ChildWindow::GetResourceRecord()
{
    if (!g_pFonts || !m_pElement->pszFont)
        return nullptr;
    return g_pFonts->Find(m_pElement->pszFont);
}
