// The block palette's inner window: a tab control with one tab per block
// group and, over the tab's display area, a list view of the chosen
// group's blocks as large icons. Filled from outside through the WM_PLT_*
// messages; an item dragged out of the list goes to the main frame's
// block drag.
#ifndef PXINTABWND_H
#define PXINTABWND_H

#include "PXWnd.h"
#include "PXImageList.h"

class PXTabCtrl;
class PXListCtrl;

// A plain child window of the palette.
class PXInnerWnd : public PXWnd
{
public:
    int Create(int x, int y, int cx, int cy, HWND hParent);
    int CreateRect(int left, int top, int right, int bottom, HWND hParent);
    BOOL DestroyWindow() override;

    static const char* GetClassNameText();
};

class PXInTabWnd : public PXInnerWnd, public PXGDIRez
{
public:
    enum { kTabCtrlId = 999, kListCtrlId = 997 };

    PXInTabWnd();
    ~PXInTabWnd() override;

    BOOL DestroyWindow() override;
    void OnClose() override;
    LRESULT OnCreate(LPARAM lParam) override;
    void OnLButtonUp(UINT nKeys, int x, int y) override;
    void OnMouseMove(UINT nKeys, int x, int y) override;
    void OnSize(UINT nType, int cx, int cy) override;
    // A drag that loses the mouse (another window took it) ends without a
    // drop, so that the next drag can start.
    void OnCaptureChanged(HWND hWndNew) override;
    void OnListBeginDrag(NMHDR* pHdr) override;
    void OnTabSelChange() override;
    // A click on the tab strip that did not change the tab shows the
    // highlighted tab's group again.
    void OnControlClick(NMHDR* pHdr) override;
    void OnAddItem(LPARAM lParam) override;
    void OnRemoveAllItems() override;
    void OnAddTab(WPARAM wParam, LPARAM lParam) override;
    void OnSelectTab(WPARAM wParam) override;
    void OnRemoveAll() override;

    // Brackets a change of the resized block image list: the full-size
    // list is shown meanwhile, with redrawing off.
    void BeginUpdate();
    void EndUpdate();
    void SetDragging(bool bDragging) { m_bDragging = bDragging; }
    bool IsDragging() const { return m_bDragging; }
    bool IsLoadingTab() const { return m_bLoadingTab; }
    int GetCurSel();

    PXTabCtrl* GetTabCtrl() const { return m_pTabCtrl; }
    PXListCtrl* GetListCtrl() const { return m_pListCtrl; }

private:
    // The list view over the tab control's display area.
    void PlaceList();
    // The selected tab's group to the main frame (WM_PLT_TABSELECTED).
    void SendSelectedTab();

    PXTabCtrl* m_pTabCtrl;
    PXListCtrl* m_pListCtrl;
    HFONT m_hFont;
    int m_nItems;
    int m_nTabs;
    bool m_bDragging;
    bool m_bLoadingTab;
    // The tab changed since the last click on the strip (a click changes
    // the tab on the press and reports the click on the release).
    bool m_bTabChanged;
};

#endif
