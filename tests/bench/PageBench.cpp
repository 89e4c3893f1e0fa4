// Benchmark of a page window: builds a page of 500 blocks with 800 gotos
// and 50 text notes and prints, from one run, the time to open its window
// (layout, routing and first paint), a full repaint, 10,000 hit tests
// through the pane's grid next to the same hit tests by a linear scan of
// the layers (as a ratio), and a drag of 50 selected blocks by 100 units
// with their gotos marked and routed again. Not a test: run it by hand
// under a display (see the README). "--small" makes a page of a tenth of
// the size; ctest runs it so, to keep it working.
#include "BenchBlocks.h"
#include "BenchFrame.h"
#include "DisplayObject.h"
#include "classlib/ListIterator.h"
#include "DragState.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "FontObject.h"
#include "BrushObject.h"
#include "BitmapObject.h"
#include "PenObject.h"
#include "Goto.h"
#include "Grid.h"
#include "Icons.h"
#include "LayoutRecord.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "PXMsgBox.h"
#include "PXSObj.h"
#include "PXTextUI.h"
#include "PXWinApp.h"
#include "UIPageFrame.h"
#include "owl/TMDIFrame.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
int BLOCKS = 500;
int GOTOS = 800;
int NOTES = 50;
const int HITS = 10000;
const int MOVED = 50;
const long MOVE_BY = 100;


// A page of blocks in rows, gotos between them and notes below them.
Program* Generate(std::vector<PowerBlock*>& blocks, int& nGotos)
{
    std::mt19937 rng(16u);
    const int types[] = {402, 393, 395, 406, 398, 405, 410, 411, 413, 412};
    Program* pProgram = new Program("Bench", 0);
    Page* pPage = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
    pProgram->AddPage(pPage);
    const int nColumns = 25;
    for (int b = 0; b < BLOCKS; ++b)
    {
        char szName[32];
        snprintf(szName, sizeof(szName), "Block%03d", b);
        int nType = types[rng() % (sizeof(types) / sizeof(types[0]))];
        if (PowerBlock* pBlock = MakeBlock(pPage, nType, szName, 40 + (b % nColumns) * 340, 40 + (b / nColumns) * 200))
            blocks.push_back(pBlock);
    }
    nGotos = 0;
    for (size_t i = 0; nGotos < GOTOS && i < blocks.size() * 8; ++i)
    {
        PowerBlock* pBlock = blocks[i % blocks.size()];
        PowerBlockInfo* pInfo = pBlock->GetInfo();
        for (int o = 0; o < pBlock->GetOutputCount() && nGotos < GOTOS; ++o)
        {
            const PBOutputEntry& out = pInfo->outputs[o];
            if (!pBlock->IsOutputOptional(out.name) || pBlock->FindGoto(out.name))
                continue;
            PowerBlock* pTarget = blocks[(i + 1 + rng() % 30) % blocks.size()];
            if (pTarget == pBlock)
                continue;
            if (pBlock->Connect(pTarget, out.name, 0))
                ++nGotos;
            break;
        }
    }
    const long nBottom = 40 + ((BLOCKS + nColumns - 1) / nColumns) * 200;
    for (int n = 0; n < NOTES; ++n)
    {
        long x = 40 + (n % 10) * 400, y = nBottom + (n / 10) * 120;
        PXTextUI* pNote = new PXTextUI(pPage, x, x + 300, y, y + 80, new FontObject("", "Arial", -13, 400, 0));
        pNote->SetText("A note of the benchmark\r\nwith two lines");
        pPage->AddNote(pNote);
    }
    return pProgram;
}

// The first display object containing the point, in layer order: what the
// grid answers, found by walking every layer.
DisplayObject* LinearFindAt(const EditChild* pPane, long x, long y)
{
    const DisplayList& list = pPane->GetDisplayList();
    for (int l = 0; l < list.GetCount(); ++l)
    {
        InsertArray& layer = list.Layer(l);
        const int n = static_cast<int>(layer.getItemsInContainer());
        for (int i = 0; i < n; ++i)
        {
            DisplayObject* pObj = static_cast<DisplayObject*>(&layer[i]);
            if (pObj->Contains(x, y))
                return pObj;
        }
    }
    return nullptr;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--small")
    {
        BLOCKS = 50;
        GOTOS = 80;
        NOTES = 5;
    }
    PXSetMessageBoxHook(QuietBox);
    BenchSession session;
    if (!session.Start("Page benchmark", "PXPAGEBENCHFRAME"))
    {
        fprintf(stderr, "no frame window (is there a display?)\n");
        return 1;
    }
    TMDIClient* pClient = session.pClient;
    BenchFrame* pFrame = session.pFrame;
    Flush();

    std::vector<PowerBlock*> blocks;
    int nGotos = 0;
    double t = Now();
    Program* pProgram = Generate(blocks, nGotos);
    const double tMake = Now() - t;
    Page* pPage = pProgram->GetMainPage();
    printf("page: %zu blocks, %d gotos, %d text notes (made in %.3f s)\n", blocks.size(), nGotos, NOTES, tMake);

    // Opening: the window, its panes, every display object, the routing
    // of every goto line and the first paint.
    t = Now();
    EditMDI* pWindow = new EditMDI(*pClient, LayoutRecord::Find(LAYOUT_PAGE), pProgram, pPage, "Bench");
    pWindow->Create();
    pFrame->pWindow = pWindow;
    pProgram->AddOpenWindow(1);
    ::SendMessageA(pClient->HWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWindow->HWindow), 0);
    pWindow->RelayoutPanes();
    pWindow->UpdateWindow();
    const double tOpen = Now() - t;
    EditChild* pPane = pWindow->GetEditPane();
    int nSegments = 0;
    for (PowerBlock* pBlock : blocks)
        for (ListIterator g(pBlock->GetGotos()); g; ++g)
            nSegments += static_cast<Goto&>(g.current()).GetSegmentCount();
    printf("open  %8.3f s   (%d display objects, %d segments routed)\n", tOpen, pPane->GetDisplayObjectCount(),
           nSegments);

    // A full repaint at 35 percent, where the whole page is in view.
    pPane->SetZoom(35, 1);
    Flush();
    t = Now();
    pPane->Invalidate(true);
    pPane->UpdateWindow();
    const double tPaint = Now() - t;
    printf("paint %8.3f s   (whole pane at 35 percent)\n", tPaint);
    pPane->SetZoom(100, 11);
    Flush();

    // Hit tests at random points of the populated area.
    long left, top, right, bottom;
    pPane->GetObjectsExtent(left, top, right, bottom);
    std::mt19937 rng(7u);
    std::vector<POINT> points(HITS);
    for (POINT& pt : points)
        pt = {left + static_cast<long>(rng() % static_cast<unsigned>(right - left)),
              top + static_cast<long>(rng() % static_cast<unsigned>(bottom - top))};
    int nGridHits = 0, nLinearHits = 0, nDisagree = 0;
    t = Now();
    std::vector<DisplayObject*> gridAnswers(HITS);
    for (int i = 0; i < HITS; ++i)
        if ((gridAnswers[static_cast<size_t>(i)] = pPane->FindAt(points[static_cast<size_t>(i)].x,
                                                                  points[static_cast<size_t>(i)].y)))
            ++nGridHits;
    const double tGrid = Now() - t;
    t = Now();
    for (int i = 0; i < HITS; ++i)
    {
        DisplayObject* pObj = LinearFindAt(pPane, points[static_cast<size_t>(i)].x, points[static_cast<size_t>(i)].y);
        if (pObj)
            ++nLinearHits;
        if ((pObj == nullptr) != (gridAnswers[static_cast<size_t>(i)] == nullptr))
            ++nDisagree;
    }
    const double tLinear = Now() - t;
    printf("hits  %8.4f s grid   %8.4f s linear   linear / grid = %6.1f   (%d of %d points hit, %d answers "
           "differ in finding something)\n",
           tGrid, tLinear, tGrid > 0 ? tLinear / tGrid : 0.0, nGridHits, HITS, nDisagree);
    (void)nLinearHits;

    // A drag of 50 selected blocks by 100 units to the right and down.
    pPane->ClearSelection();
    const int nMoved = std::min(MOVED, static_cast<int>(blocks.size()));
    for (int i = 0; i < nMoved; ++i)
        pPane->Select(blocks[static_cast<size_t>(i)], i == 0, 1);
    DragState state = {&pPane->GetSelection(),
                       pPane->FindOwnDisplayObject(blocks[0], PX_CLASS_POWERBLOCKOBJECT), pPane, {0, 0}};
    const RECT rc = state.pPressed->GetRect();
    long mx, my, vx, vy;
    pPane->ViewToModel(rc.left, rc.top, mx, my);
    pPane->ModelToView(mx + MOVE_BY, my + MOVE_BY, vx, vy);
    const long x0 = blocks[0]->GetX();
    t = Now();
    pPane->MoveSelection(&state, vx, vy);
    pPane->UpdateWindow();
    const double tDrag = Now() - t;
    printf("drag  %8.3f s   (%d blocks moved by %ld units, the first by %ld)\n", tDrag, nMoved, MOVE_BY,
           blocks[0]->GetX() - x0);
    printf("boxes %d\n", g_nBoxes);

    SetPageFrame(nullptr);
    ModelSetObserver(nullptr);
    pFrame->Destroy();
    delete pFrame;
    Flush();
    return g_nBoxes ? 1 : 0;
}
