// DisplayPane: what a display object asks of the pane that shows it. The
// object panes of the editor's windows implement it; the display objects
// reach the page windows and the frame only through it, so that the model
// needs nothing of the windows above it.
#ifndef DISPLAYPANE_H
#define DISPLAYPANE_H

#include "PXafx.h"

class FontObject;
class UIObject;
class Page;

// Mouse modes of a pane that the display objects look at.
enum
{
    PANE_MODE_DRAGGING = 2,
    PANE_MODE_TEXTEDIT = 7
};

// The page metrics of a page pane in view units: icon side S, body width
// W, text line T, output offset D, block margin V, text margin M. Panes
// that show no page answer zeros.
struct PaneMetrics
{
    long nIconSide;
    long nBodyWidth;
    long nTextLine;
    long nOutputOffset;
    long nBlockMargin;
    long nTextMargin;
};

class DisplayPane
{
public:
    virtual ~DisplayPane() {}

    // The pane's window.
    virtual HWND GetPaneWindow() const = 0;
    // The context to measure and draw in, with the pane's mapping: the
    // printer's while the pane prints, else the pane's own. Every context
    // taken is given back with ReleasePaneDC.
    virtual HDC GetPaneDC() = 0;
    virtual void ReleasePaneDC(HDC hDC) = 0;

    // The pane's font (a FontObject of the font table).
    virtual FontObject* GetResourceRecord() = 0;
    // Zoom in percent: one view unit is zoom/100 pixels.
    virtual int GetZoom() const = 0;
    virtual const PaneMetrics& GetMetrics() const = 0;
    virtual void ViewToModel(long vx, long vy, long& mx, long& my) const = 0;

    // The pane's selection.
    virtual bool IsSelected(UIObject* pObject) const = 0;
    // The first selected object, none when nothing is selected.
    virtual UIObject* GetFirstSelected() const = 0;
    virtual int GetSelectionCount() const = 0;
    // 1 after the only selected object was clicked again, else 0.
    virtual int GetSecondClick() const = 0;
    virtual int GetMouseMode() const = 0;
    // True when the object ended up selected.
    virtual bool Select(UIObject* pObject, bool bExclusive, int nHow) = 0;

    // The pane's own handling of a model change (kinds as NotifyChildren).
    // It may destroy the display objects of the object, the caller among
    // them.
    virtual void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) = 0;
    // A model change told to every page window: kind 1 repaint, 2 rebuild,
    // 3 about to change or go, 4 added, 5 remove without deselecting, 6
    // rebuild and repaint. The display objects of the object, the caller
    // among them, may be destroyed.
    virtual void NotifyChildren(UIObject* pObject, int nKind, int nFlags) = 0;
    // The page window showing the page becomes current and active, or a new
    // page window opens on it.
    virtual void ShowPage(Page* pPage) = 0;
};

#endif
