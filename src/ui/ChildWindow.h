// ChildWindow: a pane of an MDI window, placed by one element of the
// window's layout record. It declares what the MDI window, the scroll
// bars and the drag code ask of every pane; the object panes
// (ObjectChild), the scroll bars (ScrollBar) and the dividers (Divider)
// answer.
#ifndef CHILDWINDOW_H
#define CHILDWINDOW_H

#include "owl/TWindow.h"
#include "LayoutRecord.h"

class ScrollBar;
class UIObject;
class Page;
class FontObject;
class BandList;
struct DragState;

class ChildWindow : public TWindow
{
public:
    // Placed by the element in a parent whose client is nWidth by nHeight.
    ChildWindow(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight);
    ~ChildWindow() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    virtual void AttachScrollBar(ScrollBar* pBar, bool bHorizontal) {}
    virtual void ScrollTo(int nPosition, bool bHorizontal) {}
    // Invalidates the whole pane.
    virtual void Relayout();
    virtual void Resized() {}
    virtual void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) {}
    virtual void ShowObject(UIObject* pObject, bool bSelect) {}
    virtual void ReadScale() {}
    // 0 no, 1 outline only, 2 yes.
    virtual int CanAcceptDrop(DragState* pState, int x, int y) { return 0; }
    virtual void DragStarted(DragState* pState) {}
    virtual void DragEnded(DragState* pState, bool bFailed) {}
    virtual void Drop(DragState* pState, int x, int y);
    virtual void Outline(DragState* pState, BandList* pOutlines, int x, int y);
    virtual Page* GetPage() { return nullptr; }
    // The pane's font, by the element's font name.
    virtual FontObject* GetResourceRecord();
    virtual int PaneType() = 0;

    const LayoutElement* GetElement() const { return m_pElement; }

protected:
    const LayoutElement* m_pElement;    // the table's, not owned
};

#endif
