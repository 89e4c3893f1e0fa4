// A page pane for the display-object tests: a hidden window that shows one
// page's display objects at a zoom, keeps its own selection and mouse
// state, lays blocks, stubs, branch marks, goto lines and notes out as the
// page editing pane does, and records what the display objects ask of it.
#ifndef DISPLAYTESTSUPPORT_H
#define DISPLAYTESTSUPPORT_H

#include "ModelTestSupport.h"
#include "DisplayObject.h"
#include "Grid.h"

#include <vector>

class PXTextUI;
class Segment;

// The command the Escape key gives in the editor's accelerators.
#define PANE_CMD_ENDEDIT 4201

class TestPane : public DisplayPane
{
public:
    explicit TestPane(int nZoom = 100);
    ~TestPane() override;

    HWND GetPaneWindow() const override { return m_hWnd; }
    HDC GetPaneDC() override;
    void ReleasePaneDC(HDC hDC) override;
    FontObject* GetResourceRecord() override;
    int GetZoom() const override { return m_nZoom; }
    const PaneMetrics& GetMetrics() const override { return m_metrics; }
    void ViewToModel(long vx, long vy, long& mx, long& my) const override;
    bool IsSelected(UIObject* pObject) const override;
    UIObject* GetFirstSelected() const override;
    int GetSelectionCount() const override { return static_cast<int>(m_Selection.size()); }
    int GetSecondClick() const override { return m_nSecondClick; }
    int GetMouseMode() const override { return m_nMouseMode; }
    bool Select(UIObject* pObject, bool bExclusive, int nHow) override;
    void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) override;
    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override;
    void ShowPage(Page* pPage) override { m_ShownPages.push_back(pPage); }

    void ModelToView(long mx, long my, long& vx, long& vy) const;
    // The display objects of a page object, as the page pane builds them.
    void AddDisplayObjects(UIObject* pObject);
    void AddBlockDisplays(PowerBlock* pBlock);
    void AddGotoDisplays(Goto* pGoto);
    void AddTextNoteDisplay(PXTextUI* pNote);
    void AddPage(Page* pPage);
    void Add(DisplayObject* pObj);
    // Removes (and deletes) every display object that shows the object.
    int RemoveDisplayObjects(UIObject* pObject);
    void Clear();

    // The display object of that class showing the model object.
    DisplayObject* Find(UIObject* pObject, classType nClass) const;
    std::vector<DisplayObject*> FindAll(classType nClass) const;

    void SetZoom(int nZoom) { m_nZoom = nZoom; }
    void SetSelection(std::vector<UIObject*> selection) { m_Selection = std::move(selection); }
    void SetSecondClick(int n) { m_nSecondClick = n; }
    void SetMouseMode(int n) { m_nMouseMode = n; }

    // In-place editing of a note, as the page pane does it: the edit of
    // the note ends when its editor loses the focus or on the command of
    // the Escape key (PANE_CMD_ENDEDIT).
    void SetEditedNote(PXTextUI* pNote) { m_pEditedNote = pNote; }
    int GetEditsEnded() const { return m_nEditsEnded; }
    // Shows the pane's window in front, so that its children take the
    // focus.
    void Show();

    struct Notice
    {
        UIObject* pObject;
        int nKind;
        int nFlags;
    };
    std::vector<Notice> m_Notices;      // NotifyChildren calls
    std::vector<Notice> m_Selects;      // Select calls (kind: how)
    std::vector<Page*> m_ShownPages;
    std::vector<DisplayObject*> m_Objects;
    Grid m_Grid;

    static LRESULT CALLBACK PaneProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    void EndEdit();

    HWND m_hWnd;
    PXTextUI* m_pEditedNote = nullptr;
    int m_nEditsEnded = 0;
    int m_nZoom;
    PaneMetrics m_metrics;
    long m_nHScale;
    long m_nVScale;
    std::vector<UIObject*> m_Selection;
    int m_nSecondClick = 0;
    int m_nMouseMode = 0;
};

// The program's tables of named fonts, brushes and pens, made once.
void MakeDrawingTables();

// Where a drawing put ink: a white memory bitmap with the pane's mapping
// at a zoom, its origin on a view point.
class InkCanvas
{
public:
    // A canvas of cx by cy pixels whose top-left pixel is the view point
    // (vx, vy) at the zoom.
    InkCanvas(int nZoom, long vx, long vy, int cx, int cy);
    ~InkCanvas();
    HDC GetDC() const { return m_hDC; }

    COLORREF Pixel(int x, int y) const;
    bool IsInk(int x, int y) const { return Pixel(x, y) != RGB(255, 255, 255); }
    // The device rectangle of a view rectangle.
    RECT ToDevice(const RECT& rcView) const;
    // The bounding box of all ink (right and bottom exclusive); empty when
    // there is none.
    RECT InkBounds() const;
    // Pixels of ink (of the colour) inside the device rectangle.
    int CountInk(const RECT& rcDevice) const;
    int CountColour(const RECT& rcDevice, COLORREF cr) const;
    // Pixels of none of the colours inside the device rectangle.
    int CountOther(const RECT& rcDevice, std::vector<COLORREF> colours) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
    int m_cx;
    int m_cy;
};

#endif
