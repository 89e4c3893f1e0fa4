// Page windows: the layout records, the panes laid out and following the
// window's size, zoom and scrolling, and closing a program's windows.
#include "PageTestSupport.h"
#include "classlib/ListIterator.h"
#include "ScrollBar.h"
#include "owl/TScrollBar.h"
#include "PXUIMsg.h"

// ---- layout records ----------------------------------------------------------

TEST(LayoutRecordTest, PanesArePlacedByTheirElements)
{
    LayoutElement e = {};
    e.w = -12;
    e.h = 20;
    e.nStyle = LE_FILLWIDTH;
    RECT rc = LayoutRecord::ToClientRect(e, 300, 200);
    EXPECT_EQ(288, rc.right - rc.left);
    e.nStyle = 0;
    rc = LayoutRecord::ToClientRect(e, 300, 200);
    EXPECT_EQ(-12, rc.right - rc.left);

    const struct
    {
        short x, y, w, h, nStyle;
        RECT expected;
    } cases[] = {
        {-14, 0, 14, -14, LE_RIGHT | LE_FILLHEIGHT, {286, 0, 300, 186}},
        {0, -14, -14, 14, LE_BOTTOM | LE_FILLWIDTH, {0, 186, 286, 200}},
        {0, 0, -14, -14, LE_FILLWIDTH | LE_FILLHEIGHT, {0, 0, 286, 186}},
        {-14, 0, 14, -14, 0, {-14, 0, 0, -14}},
    };
    for (const auto& c : cases)
    {
        LayoutElement el = {};
        el.x = c.x, el.y = c.y, el.w = c.w, el.h = c.h, el.nStyle = c.nStyle;
        RECT r = LayoutRecord::ToClientRect(el, 300, 200);
        EXPECT_EQ(c.expected.left, r.left);
        EXPECT_EQ(c.expected.top, r.top);
        EXPECT_EQ(c.expected.right, r.right);
        EXPECT_EQ(c.expected.bottom, r.bottom);
    }
}

TEST(LayoutRecordTest, TheTableHoldsThePaletteAndThePageWindow)
{
    const LayoutTable& t = GetLayoutTable();
    ASSERT_EQ(2, t.nCount);
    const LayoutRecord* pPalette = LayoutRecord::Find(LAYOUT_PALETTE);
    const LayoutRecord* pPage = LayoutRecord::Find(LAYOUT_PAGE);
    ASSERT_NE(nullptr, pPalette);
    ASSERT_NE(nullptr, pPage);
    RECT rc = pPalette->ToRectInParent(800, 600);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(600, rc.bottom);
    rc = pPage->ToRectInParent(800, 600);
    EXPECT_EQ(200, rc.left);
    EXPECT_EQ(800, rc.right);
    EXPECT_EQ(600, rc.bottom);
    const LayoutElement* pEdit = LayoutRecord::FindElement(PANE_EDIT);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_STREQ("powerblock_label", pEdit->pszFont);
    EXPECT_EQ(53, pEdit->nCellWidth);
    EXPECT_EQ(256, pEdit->nMetric5);
    EXPECT_EQ(10, pEdit->nMetric6);
    EXPECT_EQ(24, pEdit->nMetric7);
    EXPECT_EQ(4, pEdit->nGapX);
    EXPECT_EQ(2, pEdit->nGapY);
    EXPECT_EQ(nullptr, LayoutRecord::FindElement(PANE_NONE));
}

// ---- zoom and grid arithmetic ------------------------------------------------

TEST(ZoomTest, NormalizeZoomMovesOntoTheLadder)
{
    const struct
    {
        int nPercent, nStep, nPercentAfter, nStepAfter;
    } cases[] = {
        {95, 0, 100, 11}, {94, 0, 100, 11}, {93, 0, 89, 10}, {36, 0, 37, 2}, {35, 0, 35, 1},
        {20, 0, 35, 1},   {150, 0, 100, 11}, {70, 0, 70, 8}, {60, 7, 60, 7}, {120, 5, 100, 11},
    };
    for (const auto& c : cases)
    {
        int nPercent = c.nPercent, nStep = c.nStep;
        EXPECT_EQ(c.nStepAfter, NormalizeZoom(nPercent, nStep)) << c.nPercent << "/" << c.nStep;
        EXPECT_EQ(c.nPercentAfter, nPercent) << c.nPercent << "/" << c.nStep;
    }
    for (int n = 1; n <= 11; ++n)
    {
        int nPercent = ZoomOfStep(n), nStep = 0;
        EXPECT_EQ(n, NormalizeZoom(nPercent, nStep));
    }
}

TEST(ZoomTest, SnapToGridTruncatesTowardZero)
{
    const long cases[][4] = {{50, 30, 34, 17}, {-50, -30, -34, -17}, {34, 17, 34, 17}, {33, 16, 0, 0}};
    for (const auto& c : cases)
    {
        long x = c[0], y = c[1];
        ObjectChild::SnapToGrid(x, y);
        EXPECT_EQ(c[2], x);
        EXPECT_EQ(c[3], y);
    }
}

// ---- page windows ------------------------------------------------------------

TEST_F(PageTest, APageWindowIsLaidOutByItsRecordAndFollowsItsSize)
{
    EditMDI* pWindow = OpenProgram();
    ASSERT_NE(nullptr, pWindow);
    EXPECT_EQ(UI_KIND_MDICHILD, ::SendMessageA(pWindow->HWindow, WM_UI_WINDOWKIND, 0, 0));
    EditChild* pPane = PaneOf(pWindow);
    ASSERT_NE(nullptr, pPane);
    EXPECT_EQ(UI_KIND_PANE | UI_KIND_OBJECTPANE, ::SendMessageA(pPane->HWindow, WM_UI_WINDOWKIND, 0, 0));
    ScrollBar* pV = pPane->GetVScrollBar();
    ScrollBar* pH = pPane->GetHScrollBar();
    ASSERT_NE(nullptr, pV);
    ASSERT_NE(nullptr, pH);
    EXPECT_FALSE(pV->IsHorizontal());
    EXPECT_TRUE(pH->IsHorizontal());

    // Restored and sized: the page pane fills all but the bars' 14 pixels.
    ::SendMessageA(frame->GetClientWindow()->HWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWindow->HWindow), 0);
    for (int nWidth : {500, 640})
    {
        pWindow->SetWindowPos(nullptr, 0, 0, nWidth, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        Flush();
        RECT rcClient = pWindow->GetClientRect();
        RECT rcPane = pPane->GetWindowRect();
        RECT rcV = pV->GetWindowRect();
        RECT rcH = pH->GetWindowRect();
        ::MapWindowPoints(nullptr, pWindow->HWindow, reinterpret_cast<POINT*>(&rcPane), 2);
        ::MapWindowPoints(nullptr, pWindow->HWindow, reinterpret_cast<POINT*>(&rcV), 2);
        ::MapWindowPoints(nullptr, pWindow->HWindow, reinterpret_cast<POINT*>(&rcH), 2);
        EXPECT_EQ(0, rcPane.left);
        EXPECT_EQ(0, rcPane.top);
        EXPECT_EQ(rcClient.right - 14, rcPane.right) << nWidth;
        EXPECT_EQ(rcClient.bottom - 14, rcPane.bottom) << nWidth;
        EXPECT_EQ(rcClient.right - 14, rcV.left);
        EXPECT_EQ(rcClient.right, rcV.right);
        EXPECT_EQ(rcClient.bottom - 14, rcV.bottom);
        EXPECT_EQ(rcClient.bottom - 14, rcH.top);
        EXPECT_EQ(rcClient.right - 14, rcH.right);
    }
}

TEST_F(PageTest, ThePagePaneShowsEveryBlockGotoAndNote)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    EditChild* pPane = PaneOf(pWindow);
    Page* pMain = pProgram->GetMainPage();
    int nBlocks = 0, nGotos = 0;
    for (ListIterator it(pMain->GetBlocks()); it; ++it, ++nBlocks)
    {
        PowerBlock* pBlock = static_cast<PowerBlock*>(&it.current());
        EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT)) << pBlock->GetName();
        for (ListIterator g(pBlock->GetGotos()); g; ++g, ++nGotos)
        {
            Goto* pGoto = static_cast<Goto*>(&g.current());
            if (pGoto->GetSegmentCount() > 0)
            {
                EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT));
            }
        }
    }
    EXPECT_GT(nBlocks, 0);
    // A block's display object sits where the model puts it.
    PowerBlock* pFirst = static_cast<PowerBlock*>(&pMain->GetBlocks().peekHead());
    long vx, vy;
    pPane->ModelToView(pFirst->GetX(), pFirst->GetY(), vx, vy);
    const long S = pPane->GetMetrics().nIconSide;
    DisplayObject* pHit = pPane->FindAt(vx + S / 2, vy + S / 2);
    ASSERT_NE(nullptr, pHit);
    EXPECT_EQ(pFirst, pHit->GetObject());
    // Page extent and scroll ranges.
    EXPECT_EQ(50, pPane->GetVLineSize());
    EXPECT_EQ(50, pPane->GetHLineSize());
    int nMin = 0, nMax = 0;
    pPane->GetVScrollBar()->GetControl()->GetRange(nMin, nMax);
    EXPECT_EQ(250, nMax);
    EXPECT_EQ(14750, pPane->GetPageExtent().cx);
    EXPECT_EQ(14250, pPane->GetPageExtent().cy);
}

TEST_F(PageTest, ZoomAndScrollingKeepModelPositions)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    EditChild* pPane = PaneOf(pWindow);
    PowerBlock* pBlock = AddBlock(pProgram->GetMainPage(), 402, "Menu1", 600, 400);
    frame->NotifyChildren(pBlock, OBJECT_ADDED, 0);
    Flush();

    // A model unit is an eighth of the font's character.
    long vx, vy, mx, my;
    pPane->ModelToView(8, 8, vx, vy);
    EXPECT_EQ(pPane->GetHScale() / 1024, vx);
    EXPECT_EQ(pPane->GetVScale() / 1024, vy);
    pPane->ViewToModel(vx, vy, mx, my);
    EXPECT_EQ(8, mx);
    EXPECT_EQ(8, my);

    for (int nZoom : {100, 70, 35})
    {
        int nStep = 0;
        int nPercent = nZoom;
        NormalizeZoom(nPercent, nStep);
        pPane->SetZoom(nPercent, nStep);
        Flush();
        POINT pt = PointOf(pPane, pBlock);
        POINT ptView = pt;
        pPane->DeviceToLogical(ptView);
        DisplayObject* pHit = pPane->FindAt(ptView.x, ptView.y);
        ASSERT_NE(nullptr, pHit) << nZoom;
        EXPECT_EQ(pBlock, pHit->GetObject()) << nZoom;
        Click(pPane, pt);
        EXPECT_TRUE(pPane->IsSelected(pBlock)) << nZoom;
        EXPECT_EQ(600, pBlock->GetX());
        EXPECT_EQ(400, pBlock->GetY());
    }

    // A line down scrolls by one line size; thumb tracking does not.
    pPane->SetZoom(100, 11);
    HWND hBar = pPane->GetVScrollBar()->GetControl()->HWindow;
    ::SendMessageA(pPane->GetVScrollBar()->HWindow, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                   reinterpret_cast<LPARAM>(hBar));
    EXPECT_EQ(50, pPane->GetScrollOrigin().y);
    ::SendMessageA(pPane->GetVScrollBar()->HWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7),
                   reinterpret_cast<LPARAM>(hBar));
    EXPECT_EQ(50, pPane->GetScrollOrigin().y);
    ::SendMessageA(pPane->GetVScrollBar()->HWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3),
                   reinterpret_cast<LPARAM>(hBar));
    EXPECT_EQ(150, pPane->GetScrollOrigin().y);
    Flush();
    POINT pt = PointOf(pPane, pBlock);
    pPane->ClearSelection();
    Click(pPane, pt);
    EXPECT_TRUE(pPane->IsSelected(pBlock));
    EXPECT_EQ(400, pBlock->GetY());
}

// ---- closing -----------------------------------------------------------------

TEST_F(PageTest, OnlyTheLastWindowOfAProgramClosesItsOwnProgram)
{
    Program* pA = nullptr;
    EditMDI* pA1 = OpenProgram(&pA);
    EditMDI* pA2 = frame->OpenEditWindow(pA, pA->GetMainPage());
    EditMDI* pA3 = frame->OpenEditWindow(pA, pA->GetMainPage());
    Program* pB = nullptr;
    EditMDI* pB1 = OpenProgram(&pB);
    EXPECT_EQ(1, pA1->GetWindowNumber());
    EXPECT_EQ(2, pA2->GetWindowNumber());
    EXPECT_EQ(3, pA3->GetWindowNumber());
    pA->SetModified();
    MessageBoxRecorder boxes;

    // Closing the second of three renumbers the third; nothing is asked
    // and no program closes.
    pA2->CloseWindow();
    Flush();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(frame->closedPrograms.empty());
    EXPECT_EQ(2, pA3->GetWindowNumber());
    EXPECT_EQ(2, pA->GetOpenWindows());
    pA1->CloseWindow();
    Flush();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(frame->closedPrograms.empty());

    // The last window asks; Cancel keeps it open.
    boxes.Answer(IDCANCEL);
    pA3->CloseWindow();
    Flush();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Save changes to Untitled?", boxes.boxes[0].text);
    EXPECT_EQ("Plexwright", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL), boxes.boxes[0].uType);
    EXPECT_EQ(2u, frame->children.size());
    EXPECT_TRUE(frame->closedPrograms.empty());

    // Yes saves the program and closes its own application only.
    boxes.Answer(IDYES);
    pA3->CloseWindow();
    Flush();
    ASSERT_EQ(1u, frame->savedPrograms.size());
    EXPECT_EQ(pA, frame->savedPrograms[0]);
    ASSERT_EQ(1u, frame->closedPrograms.size());
    EXPECT_EQ(pA, frame->closedPrograms[0]);
    ASSERT_EQ(1u, frame->children.size());
    EXPECT_EQ(pB1, frame->children[0]);
    EXPECT_EQ(pB, pB1->GetProgram());

    // A program that is not modified closes without a question.
    pB1->CloseWindow();
    Flush();
    EXPECT_EQ(2u, boxes.boxes.size());
    ASSERT_EQ(2u, frame->closedPrograms.size());
    EXPECT_EQ(pB, frame->closedPrograms[1]);
    EXPECT_TRUE(frame->children.empty());
}

TEST_F(PageTest, AFailedSaveKeepsTheWindowOpen)
{
    Program* pA = nullptr;
    EditMDI* pWindow = OpenProgram(&pA);
    pA->SetModified();
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    frame->bSaveSucceeds = false;
    pWindow->CloseWindow();
    Flush();
    EXPECT_EQ(1u, frame->children.size());
    EXPECT_TRUE(frame->closedPrograms.empty());
    boxes.Answer(IDNO);
    pWindow->CloseWindow();
    Flush();
    EXPECT_TRUE(frame->children.empty());
    EXPECT_EQ(1u, frame->closedPrograms.size());
}

TEST_F(PageTest, AWindowWhosePageIsRemovedClosesSilently)
{
    Program* pA = nullptr;
    EditMDI* pMainWindow = OpenProgram(&pA);
    Page* pSuper = new Page(pA, "Sub", PX_PAGE_SUPERBLOCK, 0);
    pA->AddPage(pSuper);
    EditMDI* pSubWindow = frame->OpenEditWindow(pA, pSuper);
    ASSERT_NE(nullptr, pSubWindow);
    pA->SetModified();
    MessageBoxRecorder boxes;
    frame->NotifyChildren(pSuper, OBJECT_CHANGING, 0);
    Flush();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(frame->closedPrograms.empty());
    ASSERT_EQ(1u, frame->children.size());
    EXPECT_EQ(pMainWindow, frame->children[0]);
    EXPECT_EQ(1, pA->GetOpenWindows());
    pA->RemovePage(pSuper);
    pA->ClearModified();
}

// The scroll-bar panes: one pane type for both orientations, the steps
// kept in the control, and a lay-out that leaves the control alone.
TEST_F(PageTest, ScrollBarPanesKeepTheirStepsInTheControl)
{
    EditMDI* pWindow = OpenProgram();
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = PaneOf(pWindow);
    ASSERT_NE(nullptr, pPane);
    for (ScrollBar* pBar : {pPane->GetVScrollBar(), pPane->GetHScrollBar()})
    {
        ASSERT_NE(nullptr, pBar);
        SCOPED_TRACE(pBar->IsHorizontal());
        EXPECT_EQ(PANE_HSCROLL, pBar->PaneType());
        pBar->SetRange(0, 40, 3, 9);
        int nMin = -1, nMax = -1;
        pBar->GetControl()->GetRange(nMin, nMax);
        EXPECT_EQ(0, nMin);
        EXPECT_EQ(40, nMax);
        EXPECT_EQ(3, pBar->GetControl()->LineMagnitude);
        EXPECT_EQ(9, pBar->GetControl()->PageMagnitude);
        pBar->SetPosition(5);
        // A line step moves by the stored step.
        ::SendMessageA(pBar->HWindow, pBar->IsHorizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                       reinterpret_cast<LPARAM>(pBar->GetControl()->HWindow));
        Flush();
        EXPECT_EQ(8, pBar->GetPosition());
        // Laying the bar out changes neither range nor position.
        pBar->Relayout();
        pBar->GetControl()->GetRange(nMin, nMax);
        EXPECT_EQ(40, nMax);
        EXPECT_EQ(8, pBar->GetPosition());
    }
}
