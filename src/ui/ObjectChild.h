// ObjectChild: the pane that shows display objects. It owns them, keeps
// them in layers and in a spatial grid, converts between model units, view
// units (the logical units of its device context) and pixels under its
// zoom, scrolls through its scroll-bar panes, keeps the selection, turns
// model-change notifications into display-object work, and runs the mouse:
// selection, the rubber band, drags inside and between panes, the
// palette's drop, paste at a point, text notes placed and edited in place
// and the context menus.
#ifndef OBJECTCHILD_H
#define OBJECTCHILD_H

#include "ChildWindow.h"
#include "DisplayList.h"
#include "DisplayPane.h"
#include "SelectedList.h"

class DisplayObject;
class Grid;
class PXTextUI;
class UIMDIChildWindow;
struct DragState;

// Mouse modes.
enum
{
    MODE_IDLE = 0,
    MODE_PRESSED = 1,       // left button down on a movable object, not yet dragged
    MODE_DRAGGING = 2,
    MODE_RUBBERBAND = 3,
    MODE_PASTE = 4,         // waiting for the click that says where to paste
    MODE_NOTESTART = 5,     // waiting for the press that starts a new note's rectangle
    MODE_NOTERECT = 6,      // drawing the new note's rectangle
    MODE_TEXTEDIT = 7       // a note is edited in place
};

// Shows a tracked context menu at a screen point for the owner; tests
// install their own.
typedef void (*PaneMenuTracker)(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner);

class ObjectChild : public ChildWindow, public DisplayPane
{
public:
    ObjectChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight);
    ~ObjectChild() override;

    // ---- window framework
    const char* GetClassName() override { return "UIOBJECTCHILD"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void Paint(HDC hDC, bool erase, RECT& rect) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EvMouseMove(UINT modKeys, POINT pt) override { MouseMove(modKeys, pt); }
    void EvLButtonDown(UINT modKeys, POINT pt) override { LButtonDown(modKeys, pt); }
    void EvLButtonUp(UINT modKeys, POINT pt) override { LButtonUp(modKeys, pt); }
    void EvLButtonDblClk(UINT modKeys, POINT pt) override { LButtonDblClk(modKeys, pt); }
    void EvRButtonDown(UINT modKeys, POINT pt) override { RButtonDown(modKeys, pt); }
    void EvRButtonDblClk(UINT modKeys, POINT pt) override { RButtonDblClk(modKeys, pt); }

    // ---- pane operations
    void AttachScrollBar(ScrollBar* pBar, bool bHorizontal) override;
    void ScrollTo(int nPosition, bool bHorizontal) override;
    void Relayout() override;
    void Resized() override { Relayout(); }
    void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) override;
    void ShowObject(UIObject* pObject, bool bSelect) override;
    void ReadScale() override;
    int PaneType() override { return 0; }

    virtual PXTextUI* CreateTextNote() { return nullptr; }
    virtual void AddDisplayObjects(UIObject* pObject, bool bRepaint) {}
    virtual void LButtonDown(UINT nKeys, POINT pt);
    virtual void LButtonUp(UINT nKeys, POINT pt);
    virtual void LButtonDblClk(UINT nKeys, POINT pt);
    virtual void RButtonDown(UINT nKeys, POINT pt);
    virtual void RButtonDblClk(UINT nKeys, POINT pt);
    virtual void MouseMove(UINT nKeys, POINT pt);
    bool Select(UIObject* pObject, bool bExclusive, int nHow) override;
    virtual void Deselect(UIObject* pObject, bool bRepaint);
    virtual bool KeepsSelection() { return false; }
    virtual DisplayObject* CreateItemObject(UIObject* pItem, const RECT& rcCell) { return nullptr; }
    virtual List* GetItemList() { return nullptr; }

    // ---- DisplayPane
    HWND GetPaneWindow() const override { return HWindow; }
    HDC GetPaneDC() override;
    void ReleasePaneDC(HDC hDC) override;
    FontObject* GetResourceRecord() override { return ChildWindow::GetResourceRecord(); }
    int GetZoom() const override { return m_nZoom; }
    const PaneMetrics& GetMetrics() const override { return m_Metrics; }
    void ViewToModel(long vx, long vy, long& mx, long& my) const override;
    bool IsSelected(UIObject* pObject) const override { return m_Selection.Holds(pObject); }
    UIObject* GetFirstSelected() const override { return m_Selection.First(); }
    int GetSelectionCount() const override { return m_Selection.Count(); }
    // The selected object at the index in selection order; none.
    UIObject* GetSelectedObject(int nIndex) const { return m_Selection.At(nIndex); }
    int GetSecondClick() const override { return m_nSecondClick; }
    int GetMouseMode() const override { return m_nMode; }
    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override;
    void ShowPage(Page* pPage) override;

    // ---- coordinates
    void ModelToView(long mx, long my, long& vx, long& vy) const;
    RECT ViewRectToModel(const RECT& rc) const;
    void DeviceToLogical(POINT& pt);
    void LogicalToDevice(POINT& pt);
    void DeviceToLogical(RECT& rc);
    void LogicalToDevice(RECT& rc);
    // Snaps a model point to the page grid (34 by 17 model units).
    static void SnapToGrid(long& mx, long& my);
    void SnapViewPoint(long& vx, long& vy) const;

    // ---- zoom and scrolling
    void SetZoom(int nPercent, int nStep);
    int GetZoomStep() const { return m_nZoomStep; }
    void SetScrollRange(ScrollBar* pBar, long nLineSize, int nCount);
    // which 0 the vertical bar, 1 the horizontal one; kind 4 a line, 5 a
    // page (direction 2 back, 3 forward), 6 the start, 7 the end.
    void ScrollBarRequest(int nWhich, int nDirection, int nKind);
    int GetVScrollPos() const;
    int GetHScrollPos() const;
    ScrollBar* GetVScrollBar() const { return m_pVBar; }
    ScrollBar* GetHScrollBar() const { return m_pHBar; }
    POINT GetScrollOrigin() const { return {m_nOriginX, m_nOriginY}; }
    long GetVLineSize() const { return m_nVLine; }
    long GetHLineSize() const { return m_nHLine; }
    long GetHScale() const { return m_nHScale; }
    long GetVScale() const { return m_nVScale; }

    // ---- display objects
    void AddDisplayObject(DisplayObject* pObj);
    void RemoveDisplayObject(int nLayer, int nIndex, bool bRepaint);
    void ClearDisplayObjects();
    void InvalidateObject(DisplayObject* pObj);
    DisplayObject* FindAt(long vx, long vy) const;
    DisplayObject* ObjectsInRect(const RECT& rc);
    static DisplayObject* FindDisplayObject(UIObject* pObject, classType nClass);
    // Only display objects of this pane.
    DisplayObject* FindOwnDisplayObject(UIObject* pObject, classType nClass);
    void GetObjectsExtent(long& left, long& top, long& right, long& bottom) const;
    const DisplayList& GetDisplayList() const { return m_Display; }
    Grid* GetGrid() const { return m_pGrid; }
    int GetDisplayObjectCount() const;

    // ---- selection
    void ClearSelection();
    SelectedList& GetSelection() { return m_Selection; }
    UIMDIChildWindow* GetMDIChild() const;

    // ---- mouse
    void BeginPasteAtPoint();
    int PasteAt(long x, long y, int nHow);
    void BeginTextNote();
    void EndTextEdit();
    PXTextUI* GetEditedTextNote();
    // Opens the note's in-place editor in this pane as a double click on
    // the note does (a running edit ends first): the note alone selected,
    // mode 7. False when the pane does not show the note.
    bool BeginNoteEdit(PXTextUI* pNote);
    // A mouse message over the in-place note editor goes to the editor;
    // false when the point lies outside it (or no note is edited).
    bool ForwardToNoteEditor(UINT nMsg, UINT nKeys, POINT pt);
    void EndDrag();
    // Ends whatever mode runs, leaving nothing drawn: Escape, a lost
    // capture, a closing window.
    void CancelMode();
    void AutoScrollAtEdge(POINT pt);
    // 0 refused, 1 taken; bDrop delivers the drop, else shows outlines.
    int DragOver(bool bDrop, int x, int y);
    void GetObjectOffset(const DragState* pState, long& dx, long& dy) const;

    // The rubber band or note rectangle, view units, and whether it shows.
    const RECT& GetBandRect() const { return m_rcBand; }
    bool IsBandDrawn() const { return !m_bBandNotDrawn; }

    static PaneMenuTracker SetMenuTracker(PaneMenuTracker pfn);

protected:
    void SetMode(int nMode) { m_nMode = nMode; }
    void CaptureMouse();
    void ReleaseMouse();
    // Removes every display object of the object from the layers; kind 3
    // deselects. The number removed.
    int RemoveObjectDisplays(UIObject* pObject, bool bDeselect, bool bRepaint);
    void DrawBand(const RECT& rc);
    void CloseOpenEditors();
    void ShowStatus(const char* pszText);
    void TrackMenu(HMENU hMenu, POINT ptClient);
    int LayerObjectCount() const;
    // Whether the palette drop may start at the point (the pane's window
    // under it).
    LRESULT OnPaletteDrop(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteDragOver(LPARAM lParam);

    DisplayList m_Display;
    SelectedList m_Selection;
    int m_nSecondClick;
    int m_nZoom;
    int m_nZoomStep;
    long m_nVScale;
    long m_nHScale;
    long m_nOriginX;
    long m_nOriginY;
    ScrollBar* m_pVBar;
    ScrollBar* m_pHBar;
    long m_nVLine;
    long m_nHLine;
    // Mouse state.
    DisplayObject* m_pPressed;
    POINT m_ptPress;            // client pixels
    POINT m_ptBandStart;        // view units
    POINT m_ptLastScroll;       // screen pixels
    int m_nMode;
    bool m_bBandNotDrawn;
    RECT m_rcBand;
    RECT m_rcNote;
    POINT m_ptNoteStart;
    bool m_bImageDrag;          // the running drag is the frame's image drag
    bool m_bReleasing;          // the pane lets the capture go itself
    ObjectChild* m_pPasteTarget;    // the page pane a paste goes to
    Grid* m_pGrid;
    long m_nPageHeight;
    long m_nPageWidth;
    PaneMetrics m_Metrics;
};

// The image of a block type in the block image lists (the obsolete
// block's image for a type without one of its own).
int BlockImageOf(int nType);

// The zoom ladder: the percent of a step (1 to 11).
int ZoomOfStep(int nStep);
// The step of a percent, adjusting the percent onto the ladder (step 0:
// off the ladder).
int NormalizeZoom(int& nPercent, int& nStep);

#endif
