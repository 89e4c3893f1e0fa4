// EditChild: the object pane that shows and edits one page of a program:
// the display objects of its blocks with their output stubs and branch
// marks, of its goto lines and of its text notes; the printed-page grid;
// the drag answers for blocks, notes, goto-line segments and palette
// icons; blocks added from palette icons, outputs connected, blocks and
// notes moved, notes made, the SuperBlock and program comments edited.
#ifndef EDITCHILD_H
#define EDITCHILD_H

#include "ObjectChild.h"
#include "GotoRoutePane.h"

#include <vector>

class Program;
class PowerBlock;
class PowerBlockIcon;
class Goto;

class EditChild : public ObjectChild, public GotoRoutePane
{
public:
    EditChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight, Program* pProgram,
              Page* pPage);
    ~EditChild() override;

    void SetupWindow() override;
    void Paint(HDC hDC, bool erase, RECT& rect) override;
    void Relayout() override;
    void Resized() override {}
    void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) override;
    void ReadScale() override;
    int CanAcceptDrop(DragState* pState, int x, int y) override;
    void DragStarted(DragState* pState) override;
    void DragEnded(DragState* pState, bool bFailed) override;
    void Drop(DragState* pState, int x, int y) override;
    void Outline(DragState* pState, BandList* pOutlines, int x, int y) override;
    Page* GetPage() override { return m_pPage; }
    int PaneType() override { return PANE_EDIT; }
    PXTextUI* CreateTextNote() override;
    void AddDisplayObjects(UIObject* pObject, bool bRepaint) override;
    bool Select(UIObject* pObject, bool bExclusive, int nHow) override;
    bool KeepsSelection() override { return true; }

    // GotoRoutePane
    void GetObjectCentre(PowerBlock* pBlock, const char* pszOutput, long& x, long& y, long& halfWidth) override;
    void GetGotoAnchors(PowerBlock* pBlock, long& x, long& y, long& nameOverhang, long& typeOverhang) override;
    RECT GetBlockModelRect(PowerBlock* pBlock) override;
    void RouteModelToView(long mx, long my, long& vx, long& vy) const override { ModelToView(mx, my, vx, vy); }
    void RouteObjectsMeeting(const RECT& rcView, std::vector<DisplayObject*>& objects) override;
    void RouteBlockRects(std::vector<RECT>& rects) override;

    // The body rectangle of a block whose icon is at the view point.
    RECT BlockRectAt(long vx, long vy) const;
    bool AddBlockDisplays(PowerBlock* pBlock, bool bRepaint);
    bool AddGotoDisplays(Goto* pGoto, bool bRepaint);
    bool AddTextNoteDisplay(PXTextUI* pNote, bool bRepaint);
    // The stub rectangles of the shown outputs, from the body rectangle.
    void LayoutOutputs(PowerBlock* pBlock, const RECT& rcBody, std::vector<RECT>& rects);
    void AddBlockFromIcon(PowerBlockIcon* pIcon, long vx, long vy);
    // As AddBlockFromIcon, always asking the name.
    void AddBlockNamed(PowerBlockIcon* pIcon, long vx, long vy);
    void MoveSelection(DragState* pState, long vx, long vy);
    // Routes the marked goto lines of the page again; nothing while a
    // routing runs (they stay marked).
    void RouteGotoLines();
    void CheckGotosUnderBlock(PowerBlock* pBlock);

    // The printable page size of the chosen printer in eighths of a
    // character of the pane's font made for the printer; 0 by 0 without a
    // printer. bGridFlag takes up a new printer choice.
    static void GetPageSize(ObjectChild* pPane, long& nWidth, long& nHeight, int bGridFlag);

    Program* GetProgram() const { return m_pProgram; }
    int GetPageGridFlag() const { return m_nPageGridFlag; }
    // Set before a relayout that must take up a new printer choice.
    void SetPageGridFlag(int nFlag) { m_nPageGridFlag = nFlag; }
    SIZE GetPageGridCell() const { return m_PageGridCell; }
    SIZE GetPageExtent() const { return {m_nPageWidth, m_nPageHeight}; }

private:
    void AddBlock(PowerBlockIcon* pIcon, long vx, long vy, bool bAlwaysAsk);
    bool Add(DisplayObject* pObj, bool bRepaint);
    UIObject* DraggedObject(const DragState* pState) const;
    void OffsetAndSnap(const DragState* pState, long& vx, long& vy) const;

    Program* m_pProgram;        // not owned
    Page* m_pPage;              // not owned
    int m_nPageGridFlag;
    SIZE m_PageGridCell;
};

#endif
