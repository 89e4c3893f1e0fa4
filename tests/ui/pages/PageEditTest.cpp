// The page pane's editing: output stubs laid out beside their block,
// outputs connected to a clicked block, the drag answers, moves refused
// between pages, showing a block out of view, and the MDI client's
// commands.
#include "PageTestSupport.h"
#include "classlib/ListIterator.h"
#include "DragState.h"
#include "LineObjects.h"
#include "PowerBlockObject.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"
#include "ScrollBar.h"
#include "UIMDIClient.h"

class PageEditTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        pWindow = OpenProgram(&pProgram);
        pPane = PaneOf(pWindow);
        pMain = pProgram->GetMainPage();
        pA = Add(402, "MenuA", 500, 80);
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

    GotoBlock* FirstStub(PowerBlock* pBlock)
    {
        DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_GOTOBLOCKOBJECT);
        return pObj ? static_cast<GotoBlockObject*>(pObj)->GetStub() : nullptr;
    }

    Program* pProgram = nullptr;
    EditMDI* pWindow = nullptr;
    EditChild* pPane = nullptr;
    Page* pMain = nullptr;
    PowerBlock* pA = nullptr;
    PowerBlock* pC = nullptr;
};

TEST_F(PageEditTest, OutputStubsSitBesideTheirBlock)
{
    const long D = pPane->GetMetrics().nOutputOffset;
    for (PowerBlock* pBlock : {pA, pC})
    {
        const int n = pBlock->CountOptionalOutputs();
        if (n == 0)
            continue;
        DisplayObject* pBody = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
        ASSERT_NE(nullptr, pBody);
        long vx, vy;
        pPane->ModelToView(pBlock->GetX(), pBlock->GetY(), vx, vy);
        const RECT body = pPane->BlockRectAt(vx, vy);
        const long nOffset = n == 1 ? D / 2 : (n > 4 ? D + D / 2 : D);
        int nStubs = 0;
        for (ListIterator it(pBlock->GetDisplayObjects()); it; ++it)
        {
            DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
            if (pObj->isA() != PX_CLASS_GOTOBLOCKOBJECT || pObj->GetPane() != static_cast<DisplayPane*>(pPane))
                continue;
            ++nStubs;
            EXPECT_NEAR(body.right + nOffset, pObj->GetRect().left, 1) << pBlock->GetName();
            if (pBlock->GetOutputCount() < 2)
            {
                const RECT& rc = pObj->GetRect();
                EXPECT_EQ(rc.right - rc.left, rc.bottom - rc.top);
                EXPECT_EQ(1, (rc.right - rc.left) % 2) << "an odd side";
            }
        }
        EXPECT_EQ(n, nStubs) << pBlock->GetName();
        EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pBlock, PX_CLASS_BRANCHOBJECT));
    }
}

TEST_F(PageEditTest, ASelectedOutputIsConnectedToTheClickedBlock)
{
    GotoBlock* pStub = FirstStub(pA);
    ASSERT_NE(nullptr, pStub);
    pPane->Select(pStub, true, 1);
    ASSERT_TRUE(pPane->IsSelected(pStub));
    Click(pPane, PointOf(pPane, pC));
    Goto* pGoto = pA->FindGoto(pStub->GetOutputName());
    ASSERT_NE(nullptr, pGoto);
    EXPECT_EQ(pC, pGoto->GetTarget());
    EXPECT_FALSE(pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB));
    EXPECT_EQ(0, pPane->GetSelectionCount());
    EXPECT_GT(pGoto->GetSegmentCount(), 0);
    EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT));
    const int nGotos = static_cast<int>(pA->GetGotos().getItemsInContainer());

    // Connecting it to the same block again routes the line anew instead
    // of making a second one.
    pPane->Select(pStub, true, 1);
    Click(pPane, PointOf(pPane, pC));
    EXPECT_EQ(nGotos, static_cast<int>(pA->GetGotos().getItemsInContainer()));
    EXPECT_EQ(pGoto, pA->FindGoto(pStub->GetOutputName()));
    EXPECT_FALSE(pGoto->IsRerouteMarked());
    ExpectModelMatches(pProgram);
}

TEST_F(PageEditTest, ThePagePaneAnswersWhatItTakes)
{
    GotoBlock* pStub = FirstStub(pA);
    ASSERT_NE(nullptr, pStub);
    // The output's line to the other block (made by connecting the stub).
    pPane->Select(pStub, true, 1);
    Click(pPane, PointOf(pPane, pC));
    Goto* pGoto = pA->FindGoto(pStub->GetOutputName());
    ASSERT_NE(nullptr, pGoto);
    ASSERT_GT(pGoto->GetSegmentCount(), 0);
    PXTextUI* pNote = new PXTextUI(pMain, 40, 240, 200, 250, nullptr);
    pMain->AddNote(pNote);
    frame->NotifyChildren(pNote, OBJECT_ADDED, 0);

    const struct
    {
        UIObject* pObject;
        classType nClass;
        int nAnswer;
    } cases[] = {
        {pA, PX_CLASS_POWERBLOCKOBJECT, 2},
        {pNote, PX_CLASS_TEXTDOBJ, 2},
        {pGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT, 2},
        {pA, PX_CLASS_BRANCHOBJECT, 2},
    };
    for (const auto& c : cases)
    {
        DisplayObject* pObj = pPane->FindOwnDisplayObject(c.pObject, c.nClass);
        ASSERT_NE(nullptr, pObj) << c.nClass;
        DragState state = {&pPane->GetSelection(), pObj, pPane, {0, 0}};
        EXPECT_EQ(c.nAnswer, pPane->CanAcceptDrop(&state, 0, 0)) << c.nClass;
    }
    // A line drawn as a stub takes no segment drags; a stub takes no drop.
    pGoto->SetFlag(GOTO_FLAG_STUB);
    DragState state = {&pPane->GetSelection(),
                       pPane->FindOwnDisplayObject(pGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT), pPane, {0, 0}};
    EXPECT_EQ(0, pPane->CanAcceptDrop(&state, 0, 0));
    state.pPressed = pPane->FindOwnDisplayObject(pA, PX_CLASS_GOTOBLOCKOBJECT);
    EXPECT_EQ(0, pPane->CanAcceptDrop(&state, 0, 0));
    pGoto->ClearFlag(GOTO_FLAG_STUB);
}

TEST_F(PageEditTest, BlocksDoNotMoveBetweenPages)
{
    Page* pSuper = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSuper);
    EditMDI* pSubWindow = frame->OpenEditWindow(pProgram, pSuper);
    EditChild* pSubPane = PaneOf(pSubWindow);
    pPane->Select(pA, true, 1);
    DragState state = {&pPane->GetSelection(), pPane->FindOwnDisplayObject(pA, PX_CLASS_POWERBLOCKOBJECT), pPane,
                       {0, 0}};
    MessageBoxRecorder boxes;
    pSubPane->MoveSelection(&state, 300, 300);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Can not move ZirirAradur between pages.", boxes.boxes[0].text);
    EXPECT_EQ(500, pA->GetX());
    EXPECT_EQ(80, pA->GetY());
    pSubWindow->Destroy();
    Flush();
    pProgram->RemovePage(pSuper);
}

TEST_F(PageEditTest, ShowingABlockOutOfViewScrollsItIntoTheMiddle)
{
    PowerBlock* pFar = Add(402, "Far", 4000, 2000);
    Flush();
    pPane->ShowObject(pFar, true);
    EXPECT_TRUE(pPane->IsSelected(pFar));
    EXPECT_GT(pPane->GetScrollOrigin().x, 0);
    EXPECT_GT(pPane->GetScrollOrigin().y, 0);
    EXPECT_EQ(pPane->GetScrollOrigin().x / pPane->GetHLineSize(), pPane->GetHScrollPos());
    // The block is in view now: a click at its place hits it.
    Flush();
    pPane->ClearSelection();
    Click(pPane, PointOf(pPane, pFar));
    EXPECT_TRUE(pPane->IsSelected(pFar));
    // A block in view is only selected.
    const POINT origin = pPane->GetScrollOrigin();
    pPane->ShowObject(pFar, true);
    EXPECT_EQ(origin.x, pPane->GetScrollOrigin().x);
    EXPECT_EQ(origin.y, pPane->GetScrollOrigin().y);
}

namespace
{
std::vector<WPARAM> g_arranged;
WNDPROC g_pfnFrameProc = nullptr;

LRESULT CALLBACK RecordArrange(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_UI_ARRANGE)
    {
        g_arranged.push_back(wParam);
        return 0;
    }
    return CallWindowProcA(g_pfnFrameProc, hWnd, uMsg, wParam, lParam);
}
}

TEST(UIMDIClientTest, ArrangingGoesToTheFrame)
{
    HWND hFrame = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                                  nullptr);
    g_pfnFrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordArrange)));
    TWindow frameAlias(hFrame);
    UIMDIClient* pClient = new UIMDIClient();
    pClient->SetParent(&frameAlias);
    ASSERT_TRUE(pClient->Create());
    g_arranged.clear();
    ::SendMessageA(pClient->HWindow, WM_COMMAND, CM_TILECHILDREN, 0);
    ::SendMessageA(pClient->HWindow, WM_COMMAND, CM_CASCADECHILDREN, 0);
    // Without a frame of page windows there is no palette to place.
    ::SendMessageA(pClient->HWindow, WM_COMMAND, CM_REPOSITIONWINDOWS, 0);
    std::vector<WPARAM> expected = {0, 1, 2};
    EXPECT_EQ(expected, g_arranged);
    delete pClient;
    SetWindowLongPtrA(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnFrameProc));
    DestroyWindow(hFrame);
}

TEST_F(PageEditTest, RepositioningPutsThePaletteWindowBack)
{
    // A window standing for the palette window, moved away.
    HWND hPalette = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 300, 200, 50, 50,
                                    frame->GetClientWindow()->HWindow, nullptr, nullptr, nullptr);
    frame->hPalette = hPalette;
    UIMDIClient* pClient = static_cast<UIMDIClient*>(frame->GetClientWindow());
    pClient->CmRepositionWindows();
    RECT rc;
    GetWindowRect(hPalette, &rc);
    MapWindowPoints(nullptr, pClient->HWindow, reinterpret_cast<POINT*>(&rc), 2);
    RECT rcClient = pClient->GetClientRect();
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(rcClient.bottom, rc.bottom);
    EXPECT_EQ(0, frame->nPaletteToggles);
    DestroyWindow(hPalette);
    frame->hPalette = nullptr;
    pClient->CmRepositionWindows();
    EXPECT_EQ(1, frame->nPaletteToggles);
}
