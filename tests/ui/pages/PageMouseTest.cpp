// The mouse in a page pane: selection, the rubber band, drags of blocks,
// segments and notes inside and between panes, the palette's drop, paste
// at a point, the context menus, and Escape or a lost capture ending every
// mode without leaving anything drawn.
#include "PageTestSupport.h"
#include "classlib/ListIterator.h"
#include "BandList.h"
#include "DragState.h"
#include "LineObjects.h"
#include "PowerBlockObject.h"
#include "PXCmdInterface.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"

#include <algorithm>

namespace
{
POINT Offset(POINT pt, long dx, long dy)
{
    return {pt.x + dx, pt.y + dy};
}

// The pointer moves this far from the press before a drag starts; the
// drag measures its travel from there.
const long kStartX = 6;

// Press, move in steps and release: a drag of the mouse. Answers the mode
// the pane was in just before the release.
int Drag(ObjectChild* pPane, POINT from, POINT to, UINT nKeys = 0)
{
    ::SendMessageA(pPane->HWindow, WM_LBUTTONDOWN, nKeys | MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageA(pPane->HWindow, WM_MOUSEMOVE, nKeys | MK_LBUTTON, MAKELPARAM(from.x + kStartX, from.y));
    for (int i = 1; i <= 4; ++i)
    {
        POINT pt = {from.x + kStartX + (to.x - from.x - kStartX) * i / 4, from.y + (to.y - from.y) * i / 4};
        ::SendMessageA(pPane->HWindow, WM_MOUSEMOVE, nKeys | MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    const int nMode = pPane->GetMouseMode();
    ::SendMessageA(pPane->HWindow, WM_LBUTTONUP, nKeys, MAKELPARAM(to.x, to.y));
    return nMode;
}

// The model travel between two client points of a pane.
POINT ModelTravel(ObjectChild* pPane, POINT from, POINT to)
{
    pPane->DeviceToLogical(from);
    pPane->DeviceToLogical(to);
    long x0, y0, x1, y1;
    pPane->ViewToModel(from.x, from.y, x0, y0);
    pPane->ViewToModel(to.x, to.y, x1, y1);
    return {x1 - x0, y1 - y0};
}
}

class PageMouseTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        pWindow = OpenProgram(&pProgram);
        pPane = PaneOf(pWindow);
        pMain = pProgram->GetMainPage();
        // Within the visible part of the pane.
        pA = Add(402, "MenuA", 500, 80);
        pB = Add(402, "MenuB", 900, 80);
        pC = Add(401, "ContC", 500, 200);
        pPane->ClearSelection();
        Flush();
    }

    PowerBlock* Add(int nType, const char* pszName, long x, long y)
    {
        PowerBlock* pBlock = AddBlock(pMain, nType, pszName, x, y);
        frame->NotifyChildren(pBlock, OBJECT_ADDED, 0);
        return pBlock;
    }

    Program* pProgram = nullptr;
    EditMDI* pWindow = nullptr;
    EditChild* pPane = nullptr;
    Page* pMain = nullptr;
    PowerBlock* pA = nullptr;
    PowerBlock* pB = nullptr;
    PowerBlock* pC = nullptr;
};

TEST_F(PageMouseTest, AClickSelectsAndShiftExtends)
{
    Click(pPane, PointOf(pPane, pA));
    EXPECT_TRUE(pPane->IsSelected(pA));
    EXPECT_EQ(1, pPane->GetSelectionCount());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_EQ(nullptr, ::GetCapture());

    Click(pPane, PointOf(pPane, pB));
    EXPECT_FALSE(pPane->IsSelected(pA));
    EXPECT_TRUE(pPane->IsSelected(pB));

    Click(pPane, PointOf(pPane, pA), MK_SHIFT);
    EXPECT_TRUE(pPane->IsSelected(pA));
    EXPECT_TRUE(pPane->IsSelected(pB));
    EXPECT_EQ(pB, pPane->GetFirstSelected());

    // Shift on a selected block takes it out; Shift on empty space keeps
    // the selection.
    Click(pPane, PointOf(pPane, pB), MK_SHIFT);
    EXPECT_FALSE(pPane->IsSelected(pB));
    EXPECT_TRUE(pPane->IsSelected(pA));
    Click(pPane, DevicePoint(pPane, 5, 5), MK_SHIFT);
    EXPECT_TRUE(pPane->IsSelected(pA));

    // Clicking the only selected object again marks the second click.
    Click(pPane, PointOf(pPane, pA));
    EXPECT_EQ(1, pPane->GetSecondClick());
    // A plain click on empty space clears it all.
    Click(pPane, DevicePoint(pPane, 5, 5));
    EXPECT_EQ(0, pPane->GetSelectionCount());
    EXPECT_EQ(0, pPane->GetSecondClick());
}

namespace
{
// An object pane that records what its selection tells it.
class CountingPane : public ObjectChild
{
public:
    explicit CountingPane(TWindow* pParent)
        : ObjectChild(pParent, LayoutRecord::FindElement(PANE_EDIT), 400, 300)
    {
    }
    void ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags) override
    {
        told.push_back({pObject, nKind});
    }
    struct Told
    {
        UIObject* pObject;
        int nKind;
    };
    std::vector<Told> told;
};
}

TEST_F(PageMouseTest, TheSelectionTellsItsPaneOfEveryObjectItTakesOrLets)
{
    TWindow parent(static_cast<TWindow*>(nullptr));
    CountingPane* pCounting = new CountingPane(&parent);
    SelectedList& selection = pCounting->GetSelection();
    for (UIObject* pObject : {static_cast<UIObject*>(pA), static_cast<UIObject*>(pB), static_cast<UIObject*>(pC)})
        selection.add(*pObject);
    ASSERT_EQ(3u, pCounting->told.size());
    EXPECT_EQ(pA, selection.First());
    EXPECT_EQ(pC, selection.At(2));
    pCounting->told.clear();
    // Clearing three objects: three notifications, one per object.
    selection.flush();
    ASSERT_EQ(3u, pCounting->told.size());
    std::vector<UIObject*> order;
    for (const auto& t : pCounting->told)
    {
        EXPECT_EQ(1, t.nKind);
        order.push_back(t.pObject);
    }
    std::vector<UIObject*> expected = {pA, pB, pC};
    EXPECT_EQ(expected, order);
    EXPECT_EQ(0, selection.Count());
    EXPECT_EQ(nullptr, selection.First());
    // Taking one out tells the pane too; one not in the list changes nothing.
    selection.add(*pA);
    pCounting->told.clear();
    selection.detach(*pA);
    EXPECT_EQ(1u, pCounting->told.size());
    EXPECT_FALSE(selection.Holds(pA));
}

TEST_F(PageMouseTest, ThePalettesDragOverSnapsThePointToTheGrid)
{
    POINT pt = {123, 77};
    ::SendMessageA(pPane->HWindow, WM_PLT_DRAGOVER, 0, reinterpret_cast<LPARAM>(&pt));
    EXPECT_EQ(123, pt.x);
    EXPECT_EQ(77, pt.y);
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= MODEL_OPT_SNAPTOGRID;
    ModelSetSettings(settings);
    ::SendMessageA(pPane->HWindow, WM_PLT_DRAGOVER, 0, reinterpret_cast<LPARAM>(&pt));
    POINT v = {123, 77};
    pPane->DeviceToLogical(v);
    long vx = v.x, vy = v.y;
    pPane->SnapViewPoint(vx, vy);
    POINT expected = DevicePoint(pPane, vx, vy);
    EXPECT_EQ(expected.x, pt.x);
    EXPECT_EQ(expected.y, pt.y);
    EXPECT_LE(pt.x, 123);
    EXPECT_LE(pt.y, 77);
}

TEST_F(PageMouseTest, ARubberBandSelectsWhatItEncloses)
{
    RECT rcA = pPane->FindOwnDisplayObject(pA, PX_CLASS_POWERBLOCKOBJECT)->GetRect();
    RECT rcC = pPane->FindOwnDisplayObject(pC, PX_CLASS_POWERBLOCKOBJECT)->GetRect();
    POINT from = DevicePoint(pPane, std::min(rcA.left, rcC.left) - 10, rcA.top - 10);
    POINT to = DevicePoint(pPane, std::max(rcA.right, rcC.right) + 2, rcC.bottom + 10);
    Drag(pPane, from, to);
    EXPECT_TRUE(pPane->IsSelected(pA));
    EXPECT_TRUE(pPane->IsSelected(pC));
    EXPECT_FALSE(pPane->IsSelected(pB));
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_FALSE(pPane->IsBandDrawn());

    // A band that was never drawn selects nothing.
    Click(pPane, from);
    EXPECT_EQ(0, pPane->GetSelectionCount());
}

TEST_F(PageMouseTest, DraggingBlocksMovesThemInTheModel)
{
    // Less than four pixels: a click, nothing moves.
    POINT pt = PointOf(pPane, pA);
    Press(pPane, pt);
    Move(pPane, Offset(pt, 2, 3));
    Release(pPane, Offset(pt, 2, 3));
    EXPECT_TRUE(pPane->IsSelected(pA));
    EXPECT_EQ(500, pA->GetX());
    EXPECT_EQ(80, pA->GetY());

    // Two selected blocks move together by the pointer's travel.
    Click(pPane, PointOf(pPane, pB), MK_SHIFT);
    ASSERT_EQ(2, pPane->GetSelectionCount());
    pt = PointOf(pPane, pA);
    POINT to = Offset(pt, 80, 40);
    POINT travel = ModelTravel(pPane, Offset(pt, kStartX, 0), to);
    EXPECT_EQ(MODE_DRAGGING, Drag(pPane, pt, to));
    Flush();
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_NEAR(500 + travel.x, pA->GetX(), 2);
    EXPECT_NEAR(80 + travel.y, pA->GetY(), 2);
    EXPECT_EQ(pA->GetX() + 400, pB->GetX());
    EXPECT_EQ(pA->GetY(), pB->GetY());
    EXPECT_EQ(0, GetBandList().GetInkBalance());
    // The display objects followed.
    POINT ptNew = PointOf(pPane, pA);
    POINT v = ptNew;
    pPane->DeviceToLogical(v);
    EXPECT_EQ(pA, pPane->FindAt(v.x, v.y)->GetObject());
}

TEST_F(PageMouseTest, ASelectionFarOnThePageMovesByThePointersTravel)
{
    // Far beyond 1000 model units, moved left by more than 1000: the
    // blocks land where the pointer takes them.
    pA->SetPosition(3000, 2600);
    pB->SetPosition(3400, 2600);
    frame->NotifyChildren(pA, OBJECT_REBUILD, 0);
    frame->NotifyChildren(pB, OBJECT_REBUILD, 0);
    pPane->Select(pA, true, 1);
    pPane->Select(pB, false, 1);
    DragState state = {&pPane->GetSelection(), pPane->FindOwnDisplayObject(pA, PX_CLASS_POWERBLOCKOBJECT), pPane,
                       {0, 0}};
    const RECT rcA = state.pPressed->GetRect();
    long mx, my;
    pPane->ViewToModel(rcA.left, rcA.top, mx, my);
    long vx, vy;
    pPane->ModelToView(mx - 1200, my - 1200, vx, vy);
    pPane->MoveSelection(&state, vx, vy);
    EXPECT_NEAR(1800, pA->GetX(), 2);
    EXPECT_NEAR(1400, pA->GetY(), 2);
    EXPECT_EQ(pA->GetX() + 400, pB->GetX());

    // A move that would take a block left of the page puts the leftmost at
    // 20 instead.
    state.pPressed = pPane->FindOwnDisplayObject(pA, PX_CLASS_POWERBLOCKOBJECT);
    const RECT rcA2 = state.pPressed->GetRect();
    pPane->ViewToModel(rcA2.left, rcA2.top, mx, my);
    pPane->ModelToView(mx - 5000, my, vx, vy);
    pPane->MoveSelection(&state, vx, vy);
    EXPECT_EQ(20, pA->GetX());
    EXPECT_EQ(420, pB->GetX());
}

TEST_F(PageMouseTest, DraggingANoteMovesItsRectangle)
{
    PXTextUI* pNote = new PXTextUI(pMain, 40, 240, 200, 250, nullptr);
    pNote->SetText("note");
    pMain->AddNote(pNote);
    frame->NotifyChildren(pNote, OBJECT_ADDED, 0);
    Flush();
    DisplayObject* pObj = pPane->FindOwnDisplayObject(pNote, PX_CLASS_TEXTDOBJ);
    ASSERT_NE(nullptr, pObj);
    const RECT rc = pObj->GetRect();
    POINT pt = DevicePoint(pPane, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    POINT v = pt;
    pPane->DeviceToLogical(v);
    ASSERT_EQ(pObj, pPane->FindAt(v.x, v.y));
    EXPECT_EQ(MODE_DRAGGING, Drag(pPane, pt, Offset(pt, 60, 30)));
    Flush();
    long l, r, t, b;
    pNote->GetRect(l, r, t, b);
    EXPECT_GT(l, 40);
    EXPECT_GT(t, 200);
    EXPECT_EQ(200, r - l);
    EXPECT_EQ(50, b - t);
    EXPECT_EQ(0, GetBandList().GetInkBalance());
}

TEST_F(PageMouseTest, DraggingASegmentMovesItInTheModel)
{
    Goto* pGoto = nullptr;
    PBOutputEntry* pEntry = nullptr;
    PowerBlockInfo* pInfo = pA->GetInfo();
    for (int i = 0; i < pA->GetOutputCount() && !pGoto; ++i)
        if (pA->IsOutputOptional(pInfo->outputs[i].name))
        {
            pEntry = &pInfo->outputs[i];
            pGoto = pA->Connect(pC, pEntry->name, 0);
        }
    ASSERT_NE(nullptr, pGoto);
    frame->NotifyChildren(pGoto, OBJECT_ADDED, 0);
    Flush();
    ASSERT_GE(pGoto->GetSegmentCount(), 3);
    // A vertical segment in the middle of the line.
    Segment* pSeg = nullptr;
    for (int i = 1; i + 1 < pGoto->GetSegmentCount() && !pSeg; ++i)
        if (pGoto->GetSegment(i)->IsVertical() && !pGoto->GetSegment(i)->IsPoint())
            pSeg = pGoto->GetSegment(i);
    ASSERT_NE(nullptr, pSeg);
    const long x0 = pSeg->m_nFromX;
    long vx, vy;
    pPane->ModelToView(pSeg->m_nFromX, (pSeg->m_nFromY + pSeg->m_nToY) / 2, vx, vy);
    POINT pt = DevicePoint(pPane, vx, vy);
    // The line is selected first, then its segment dragged.
    Click(pPane, pt);
    EXPECT_TRUE(pPane->IsSelected(pGoto));
    POINT v = pt;
    pPane->DeviceToLogical(v);
    ASSERT_NE(nullptr, pPane->FindAt(v.x, v.y));
    EXPECT_EQ(pSeg, pPane->FindAt(v.x, v.y)->GetObject());
    EXPECT_EQ(MODE_DRAGGING, Drag(pPane, pt, Offset(pt, -30, 0)));
    Flush();
    int nIndex = -1;
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
        if (pGoto->GetSegment(i)->IsVertical() && pGoto->GetSegment(i)->m_nFromX < x0 - 5)
            nIndex = i;
    EXPECT_GE(nIndex, 0) << "no vertical segment moved left of " << x0;
    EXPECT_TRUE(pGoto->HasFlag(GOTO_FLAG_HANDEDIT));
    EXPECT_EQ(0, GetBandList().GetInkBalance());
}

TEST_F(PageMouseTest, DraggingToAnotherPaneMovesThere)
{
    // A second window on the same page beside the first.
    ::SendMessageA(frame->GetClientWindow()->HWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWindow->HWindow), 0);
    EditMDI* pOther = frame->OpenEditWindow(pProgram, pMain, false);
    pWindow->SetWindowPos(HWND_TOP, 0, 0, 480, 600, SWP_NOACTIVATE);
    pOther->SetWindowPos(HWND_TOP, 490, 0, 480, 600, SWP_NOACTIVATE);
    Flush();
    EditChild* pTarget = PaneOf(pOther);
    Click(pPane, PointOf(pPane, pA));
    POINT from = PointOf(pPane, pA);
    POINT onTarget = Offset(from, 60, 50);
    POINT to = onTarget;
    ::MapWindowPoints(pTarget->HWindow, pPane->HWindow, &to, 1);
    // Both panes show the page from its origin at 100 percent: a view
    // point is the same place in either.
    POINT travel = ModelTravel(pPane, Offset(from, kStartX, 0), onTarget);
    EXPECT_EQ(MODE_DRAGGING, Drag(pPane, from, to));
    Flush();
    EXPECT_NEAR(500 + travel.x, pA->GetX(), 3);
    EXPECT_NEAR(80 + travel.y, pA->GetY(), 3);
    EXPECT_EQ(0, GetBandList().GetInkBalance());
}

TEST_F(PageMouseTest, APaletteIconDropsABlockWithItsDefaultName)
{
    PowerBlockIcon* pIcon = IconOf(402);
    ASSERT_NE(nullptr, pIcon);
    POINT pt = {200, 150};
    POINT ptScreen = pt;
    ::ClientToScreen(pPane->HWindow, &ptScreen);
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= 0x400;
    ModelSetSettings(settings);
    const int nBefore = static_cast<int>(pMain->GetBlocks().getItemsInContainer());
    ::SendMessageA(pPane->HWindow, WM_PLT_DROP, reinterpret_cast<WPARAM>(pIcon),
                   MAKELPARAM(ptScreen.x, ptScreen.y));
    Flush();
    ASSERT_EQ(nBefore + 1, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));
    PowerBlock* pNew = nullptr;
    for (ListIterator it(pMain->GetBlocks()); it; ++it)
    {
        PowerBlock* p = static_cast<PowerBlock*>(&it.current());
        if (p != pA && p != pB && p != pC && p->GetType() == 402 && p->GetX() > 0 &&
            pPane->FindOwnDisplayObject(p, PX_CLASS_POWERBLOCKOBJECT))
        {
            POINT v = pt;
            pPane->DeviceToLogical(v);
            long mx, my;
            pPane->ViewToModel(v.x, v.y, mx, my);
            if (p->GetX() == mx && p->GetY() == my)
                pNew = p;
        }
    }
    ASSERT_NE(nullptr, pNew);
    char szDefault[32] = "";
    EXPECT_TRUE(frame->prompts.empty());
    EXPECT_STRNE("", pNew->GetName());

    // Without "Auto Name" the naming dialog names it; Cancel adds nothing.
    settings.dwOptions &= ~0x400u;
    ModelSetSettings(settings);
    frame->names.push_back("Greeting");
    ::SendMessageA(pPane->HWindow, WM_PLT_DROP, reinterpret_cast<WPARAM>(pIcon),
                   MAKELPARAM(ptScreen.x + 300, ptScreen.y));
    ASSERT_EQ(1u, frame->prompts.size());
    EXPECT_EQ("Add " + std::string(pIcon->GetName()) + " Block", frame->prompts[0]);
    EXPECT_NE(nullptr, pMain->FindBlockByName("Greeting"));
    ::SendMessageA(pPane->HWindow, WM_PLT_DROP, reinterpret_cast<WPARAM>(pIcon),
                   MAKELPARAM(ptScreen.x + 300, ptScreen.y + 200));
    EXPECT_EQ(nBefore + 2, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));
    (void)szDefault;
    ExpectModelMatches(pProgram);
}

TEST_F(PageMouseTest, PasteAtAPointPastesAtTheClickedPoint)
{
    pPane->BeginPasteAtPoint();
    EXPECT_EQ(MODE_PASTE, pPane->GetMouseMode());
    EXPECT_EQ(pPane->HWindow, ::GetCapture());
    POINT pt = {300, 200};
    Press(pPane, pt);
    Release(pPane, pt);
    ASSERT_EQ(1u, frame->pastes.size());
    POINT v = pt;
    pPane->DeviceToLogical(v);
    long mx, my;
    pPane->ViewToModel(v.x, v.y, mx, my);
    EXPECT_EQ(mx, frame->pastes[0].mx);
    EXPECT_EQ(my, frame->pastes[0].my);
    EXPECT_EQ(pMain, frame->pastes[0].pPage);
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(1, frame->nPaletteRefreshes);

    // With "Snap to Grid" the paste goes to the snapped point.
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= MODEL_OPT_SNAPTOGRID;
    ModelSetSettings(settings);
    pPane->BeginPasteAtPoint();
    Press(pPane, pt);
    ASSERT_EQ(2u, frame->pastes.size());
    v = pt;
    pPane->DeviceToLogical(v);
    long sx = v.x, sy = v.y;
    pPane->SnapViewPoint(sx, sy);
    pPane->ViewToModel(sx, sy, mx, my);
    EXPECT_EQ(mx, frame->pastes[1].mx);
    EXPECT_EQ(my, frame->pastes[1].my);
    EXPECT_NE(frame->pastes[0].mx, frame->pastes[1].mx);
    settings.dwOptions &= ~static_cast<DWORD>(MODEL_OPT_SNAPTOGRID);
    ModelSetSettings(settings);

    // An End Block in the clipboard is refused on the page "Main".
    frame->bEndBlock = true;
    MessageBoxRecorder boxes;
    pPane->BeginPasteAtPoint();
    Press(pPane, pt);
    EXPECT_EQ(2u, frame->pastes.size());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The clipboard contains an End Block, which cannot be added to Main.", boxes.boxes[0].text);
    frame->bEndBlock = false;

    // A right press cancels.
    pPane->BeginPasteAtPoint();
    ::SendMessageA(pPane->HWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(2u, frame->pastes.size());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
}

TEST_F(PageMouseTest, APasteClickedOverNoPaneIsCancelled)
{
    pPane->BeginPasteAtPoint();
    // Far right of the frame: over no page pane.
    RECT rcFrame = frame->GetWindowRect();
    POINT ptScreen = {rcFrame.right + 40, rcFrame.top + 40};
    POINT pt = ptScreen;
    ::ScreenToClient(pPane->HWindow, &pt);
    Press(pPane, pt);
    EXPECT_TRUE(frame->pastes.empty());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_EQ(nullptr, ::GetCapture());
}

namespace
{
struct TrackedMenu
{
    std::vector<UINT> ids;
    std::vector<bool> enabled;
    std::vector<bool> expected;
};
std::vector<TrackedMenu> g_menus;

void RecordMenu(HMENU hMenu, UINT, int, int, HWND)
{
    TrackedMenu m;
    const int n = GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i)
    {
        UINT id = GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        // The text-note item keeps the look it was appended with.
        if (id == 4221)
            continue;
        UINT state = GetMenuState(hMenu, i, MF_BYPOSITION);
        m.ids.push_back(id);
        m.enabled.push_back((state & (MF_GRAYED | MF_DISABLED)) == 0);
        m.expected.push_back(PXCmdInterface::IsCommandEnabled(id) != 0);
    }
    g_menus.push_back(m);
}
}

TEST_F(PageMouseTest, TheContextMenusShowTheCommandStates)
{
    PaneMenuTracker pOld = ObjectChild::SetMenuTracker(RecordMenu);
    g_menus.clear();
    POINT pt = PointOf(pPane, pA);
    ::SendMessageA(pPane->HWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pPane->IsSelected(pA));
    POINT empty = DevicePoint(pPane, 5, 5);
    ::SendMessageA(pPane->HWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(empty.x, empty.y));
    ObjectChild::SetMenuTracker(pOld);
    ASSERT_EQ(2u, g_menus.size());
    for (const TrackedMenu& m : g_menus)
    {
        EXPECT_FALSE(m.ids.empty());
        for (size_t i = 0; i < m.ids.size(); ++i)
            EXPECT_EQ(m.expected[i], m.enabled[i]) << "command " << m.ids[i];
    }
    // The block's menu differs from the page's.
    EXPECT_NE(g_menus[0].ids, g_menus[1].ids);
}

TEST_F(PageMouseTest, NoMenuWhileOutputStubsAreConnected)
{
    PaneMenuTracker pOld = ObjectChild::SetMenuTracker(RecordMenu);
    g_menus.clear();
    DisplayObject* pStub = pPane->FindOwnDisplayObject(pA, PX_CLASS_GOTOBLOCKOBJECT);
    ASSERT_NE(nullptr, pStub);
    GotoBlock* pGotoBlock = static_cast<GotoBlockObject*>(pStub)->GetStub();
    pPane->Select(pGotoBlock, true, 1);
    POINT pt = PointOf(pPane, pC);
    ::SendMessageA(pPane->HWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    ObjectChild::SetMenuTracker(pOld);
    EXPECT_TRUE(g_menus.empty());
    // The right button connected the output as a short stub.
    Goto* pGoto = pA->FindGoto(pGotoBlock->GetOutputName());
    ASSERT_NE(nullptr, pGoto);
    EXPECT_EQ(pC, pGoto->GetTarget());
    EXPECT_TRUE(pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB));
    EXPECT_EQ(0, pPane->GetSelectionCount());
}

// ---- ending every mode ---------------------------------------------------------

namespace
{
enum class Ender
{
    Escape,
    LostCapture,
};
}

class EndModeTest : public PageMouseTest, public ::testing::WithParamInterface<Ender>
{
protected:
    void End()
    {
        if (GetParam() == Ender::Escape)
            ::SendMessageA(pPane->HWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        else
        {
            HWND hOther = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            ::SetCapture(hOther);
            ::ReleaseCapture();
            DestroyWindow(hOther);
        }
        Flush();
    }
    void ExpectIdle(const char* pszWhat)
    {
        EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode()) << pszWhat;
        EXPECT_NE(pPane->HWindow, ::GetCapture()) << pszWhat;
        EXPECT_FALSE(pPane->IsBandDrawn()) << pszWhat;
        EXPECT_EQ(0, GetBandList().GetInkBalance()) << pszWhat;
        EXPECT_FALSE(GetBandList().IsVisible()) << pszWhat;
    }
};

TEST_P(EndModeTest, EveryModeEndsCleanly)
{
    POINT pt = PointOf(pPane, pA);
    // 1: pressed on a block.
    Press(pPane, pt);
    EXPECT_EQ(MODE_PRESSED, pPane->GetMouseMode());
    End();
    ExpectIdle("pressed");

    // 2: dragging two blocks with their outlines shown.
    Click(pPane, PointOf(pPane, pB), MK_SHIFT);
    Press(pPane, pt);
    Move(pPane, Offset(pt, 20, 20));
    Move(pPane, Offset(pt, 30, 25));
    EXPECT_EQ(MODE_DRAGGING, pPane->GetMouseMode());
    EXPECT_GT(GetBandList().GetInkBalance(), 0);
    End();
    ExpectIdle("dragging");
    EXPECT_EQ(500, pA->GetX());

    // 3: a rubber band drawn.
    POINT empty = DevicePoint(pPane, 10, 10);
    Press(pPane, empty);
    Move(pPane, Offset(empty, 50, 50));
    EXPECT_TRUE(pPane->IsBandDrawn());
    End();
    ExpectIdle("rubber band");

    // 4: waiting for the paste point.
    pPane->BeginPasteAtPoint();
    End();
    ExpectIdle("paste");
    EXPECT_TRUE(frame->pastes.empty());

    // 5 and 6: a new note's rectangle.
    pPane->BeginTextNote();
    End();
    ExpectIdle("note start");
    pPane->BeginTextNote();
    Press(pPane, empty);
    Move(pPane, Offset(empty, 40, 30));
    EXPECT_EQ(MODE_NOTERECT, pPane->GetMouseMode());
    End();
    ExpectIdle("note rectangle");
    EXPECT_EQ(0, static_cast<int>(pMain->GetNotes().getItemsInContainer()));
}

INSTANTIATE_TEST_SUITE_P(Enders, EndModeTest, ::testing::Values(Ender::Escape, Ender::LostCapture));

TEST_F(PageMouseTest, ClosingTheWindowDuringADragLeavesNoOutlines)
{
    Click(pPane, PointOf(pPane, pA));
    Click(pPane, PointOf(pPane, pB), MK_SHIFT);
    POINT pt = PointOf(pPane, pA);
    Press(pPane, pt);
    Move(pPane, Offset(pt, 20, 20));
    ASSERT_GT(GetBandList().GetInkBalance(), 0);
    pPane = nullptr;
    pWindow->Destroy();
    Flush();
    EXPECT_EQ(0, GetBandList().GetInkBalance());
    EXPECT_EQ(nullptr, GetBandList().GetOwner());
    EXPECT_EQ(nullptr, GetDragState().pSource);
}

TEST_F(PageMouseTest, ANewNoteIsDrawnAndEditedInPlace)
{
    pPane->BeginTextNote();
    POINT from = DevicePoint(pPane, 30, 400);
    Press(pPane, from);
    Move(pPane, Offset(from, 120, 60));
    Release(pPane, Offset(from, 120, 60));
    Flush();
    ASSERT_EQ(1, static_cast<int>(pMain->GetNotes().getItemsInContainer()));
    PXTextUI* pNote = static_cast<PXTextUI*>(&pMain->GetNotes().peekHead());
    EXPECT_EQ(MODE_TEXTEDIT, pPane->GetMouseMode());
    EXPECT_EQ(pNote, pPane->GetEditedTextNote());
    ASSERT_NE(nullptr, pNote->GetTextBox()->GetEdit());
    ::SetWindowTextA(pNote->GetTextBox()->GetEditWindow(), "Hello");
    // A press outside the editor ends the edit and keeps the text.
    Click(pPane, DevicePoint(pPane, 5, 5));
    Flush();
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_STREQ("Hello", pNote->GetText());
    EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pNote, PX_CLASS_TEXTDOBJ));
}

// ---- drag outlines -----------------------------------------------------------

TEST(BandListTest, OutlinesAreErasedAsOftenAsDrawn)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                                nullptr);
    BandList bands;
    bands.Start(hWnd, 10, 10);
    bands.AddRect({20, 20, 40, 40});
    bands.AddLine(0, 0, 50, 50);
    EXPECT_EQ(0, bands.GetInkBalance());
    bands.Show(true);
    bands.Show(true);
    EXPECT_EQ(2, bands.GetInkBalance());
    // Moving while shown keeps them shown, moved by the pointer's travel.
    bands.Move(15, 12);
    EXPECT_EQ(2, bands.GetInkBalance());
    const RECT& rc = static_cast<const RectBandObject*>(bands.GetOutline(0))->GetRect();
    EXPECT_EQ(25, rc.left);
    EXPECT_EQ(22, rc.top);
    bands.Show(false);
    EXPECT_EQ(0, bands.GetInkBalance());
    // Moving while hidden draws nothing.
    bands.Move(20, 20);
    EXPECT_EQ(0, bands.GetInkBalance());
    // The same owner keeps outlines and origin.
    bands.Start(hWnd, 99, 99);
    EXPECT_EQ(2, bands.GetCount());
    EXPECT_EQ(20, bands.GetOrigin().x);
    // An outline added while shown is drawn at once.
    bands.Show(true);
    bands.AddRect({40, 10, 10, 40});
    EXPECT_EQ(3, bands.GetInkBalance());
    bands.Clear();
    EXPECT_EQ(0, bands.GetInkBalance());
    EXPECT_EQ(0, bands.GetCount());
    EXPECT_EQ(nullptr, bands.GetOwner());
    DestroyWindow(hWnd);
}
