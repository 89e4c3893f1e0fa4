// TScrollBar: a scroll-bar control with a range, a position and the steps
// by which a line and a page move it. The parent's WM_HSCROLL and
// WM_VSCROLL about the bar move it (the framework's handling): line and
// page codes by LineMagnitude and PageMagnitude, thumb codes to the thumb,
// top and bottom to the range's ends.
#ifndef OWL_TSCROLLBAR_H
#define OWL_TSCROLLBAR_H

#include "owl/TControl.h"

class TScrollBar : public TControl
{
public:
    TScrollBar(TWindow* pParent, int id, int x, int y, int w, int h, bool isHScrollBar,
               TModule* pModule = nullptr);
    TScrollBar(TWindow* pParent, int resourceId, TModule* pModule = nullptr);

    const char* GetClassName() override { return "SCROLLBAR"; }
    void SetupWindow() override;
    bool NotifyScroll(UINT code, UINT pos) override;

    void SetRange(int nMin, int nMax, bool redraw = true);
    void GetRange(int& nMin, int& nMax) const;
    int GetPosition() const;
    // Clamped to the range.
    void SetPosition(int nPos, bool redraw = true);
    // Moves by delta within the range; answers the move made.
    int DeltaPos(int delta);

    virtual void SBLineUp() { DeltaPos(-LineMagnitude); }
    virtual void SBLineDown() { DeltaPos(LineMagnitude); }
    virtual void SBPageUp() { DeltaPos(-PageMagnitude); }
    virtual void SBPageDown() { DeltaPos(PageMagnitude); }
    virtual void SBThumbPosition(int thumbPos) { SetPosition(thumbPos); }
    virtual void SBThumbTrack(int thumbPos) { SetPosition(thumbPos); }
    virtual void SBTop();
    virtual void SBBottom();
    virtual void SBEndScroll() {}

    int LineMagnitude;
    int PageMagnitude;

private:
    int m_nMin;
    int m_nMax;
    int m_nPos;
};

#endif
