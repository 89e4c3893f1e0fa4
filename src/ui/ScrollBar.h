// ScrollBar: a pane holding one scroll-bar control that scrolls an object
// pane of the same MDI window (the pane named by the element's partner
// type, found when the bar is set up).
#ifndef SCROLLBAR_H
#define SCROLLBAR_H

#include "ChildWindow.h"

class TScrollBar;

class ScrollBar : public ChildWindow
{
public:
    // Horizontal for element type 261, vertical for 262.
    ScrollBar(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight);

    void SetupWindow() override;
    // Both orientations answer the horizontal bar's type; IsHorizontal
    // tells them apart.
    int PaneType() override { return PANE_HSCROLL; }
    // The control follows the pane's size by itself: nothing to lay out.
    void Relayout() override {}
    void EvSize(UINT sizeType, int cx, int cy) override;
    void EvHScroll(UINT code, UINT pos, HWND hWndCtl) override;
    void EvVScroll(UINT code, UINT pos, HWND hWndCtl) override;

    // Range 0 to nMax with the line and page steps.
    void SetRange(int nMin, int nMax, int nLine, int nPage);
    int GetPosition() const;
    void SetPosition(int nPos);
    bool IsHorizontal() const { return m_bHorizontal; }
    TScrollBar* GetControl() const { return m_pControl; }
    ChildWindow* GetServedPane() const { return m_pServed; }

private:
    void Scrolled(UINT code);

    TScrollBar* m_pControl;     // a child of this pane
    ChildWindow* m_pServed;
    bool m_bHorizontal;
    int m_nLastPos;
};

class Divider : public ChildWindow
{
public:
    Divider(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight)
        : ChildWindow(pParent, pElement, nWidth, nHeight)
    {
        Attr.Style |= WS_BORDER;
    }
    int PaneType() override { return PANE_DIVIDER; }
};

#endif
