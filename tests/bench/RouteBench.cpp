// Benchmark of goto-line routing: a page of 300 blocks in a seeded random
// arrangement with 500 gotos, each routed with "Smart Routing" on, one
// after the other on the page pane (each line sees the lines routed before
// it). Prints, from one run, the total and median time per goto, the paths
// the search expanded per goto (median and maximum), how many searches gave
// up and left the three-run line, the total routed length as a ratio to the
// sum of the Manhattan distances from stub to entry, how many lines pass
// through a block (found by the search, and left to the three-run line),
// and how many of those pass through a block they could have gone round:
// one their fixed exit and entry runs do not pass through, while an
// orthogonal way between those runs exists on the page that enters no
// other block. Not a test: run it by hand under a display.
// "--small" makes a page of a tenth of the size; ctest runs it so, to keep
// it working.
#include "BenchBlocks.h"
#include "BenchFrame.h"
#include "BitmapObject.h"
#include "BrushObject.h"
#include "DisplayObject.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "FontObject.h"
#include "Goto.h"
#include "GotoRouter.h"
#include "Icons.h"
#include "LayoutRecord.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PenObject.h"
#include "PowerBlock.h"
#include "PowerBlockObject.h"
#include "Program.h"
#include "PXMsgBox.h"
#include "PXSObj.h"
#include "PXWinApp.h"
#include "UIPageFrame.h"
#include "classlib/ListIterator.h"
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
int BLOCKS = 300;
int GOTOS = 500;
int COLUMNS = 20;
int ROWS = 20;


void SetSmartRouting(bool bOn)
{
    ModelSettings settings = GetModelSettings();
    settings.dwOptions = bOn ? MODEL_OPT_SMARTROUTING : 0;
    ModelSetSettings(settings);
}

struct Cell
{
    int nColumn, nRow;
};

// Blocks in distinct cells of a grid picked at random, each moved a little
// inside its cell; gotos from a random block's free output to a random
// block at most five columns and four rows away.
Program* Generate(std::vector<PowerBlock*>& blocks, std::vector<Cell>& cells, int& nGotos)
{
    std::mt19937 rng(17u);
    const int types[] = {402, 393, 395, 406, 398, 405, 410, 411, 413, 412};
    Program* pProgram = new Program("RouteBench", 0);
    Page* pPage = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
    pProgram->AddPage(pPage);
    std::vector<int> free(static_cast<size_t>(COLUMNS * ROWS));
    for (size_t i = 0; i < free.size(); ++i)
        free[i] = static_cast<int>(i);
    std::shuffle(free.begin(), free.end(), rng);
    for (int b = 0; b < BLOCKS && b < static_cast<int>(free.size()); ++b)
    {
        const int nCell = free[static_cast<size_t>(b)];
        const Cell cell = {nCell % COLUMNS, nCell / COLUMNS};
        char szName[32];
        snprintf(szName, sizeof(szName), "Block%03d", b);
        const int nType = types[rng() % (sizeof(types) / sizeof(types[0]))];
        const long x = 400 + cell.nColumn * 200 + static_cast<long>(rng() % 60);
        const long y = 200 + cell.nRow * 130 + static_cast<long>(rng() % 30);
        if (PowerBlock* pBlock = MakeBlock(pPage, nType, szName, x, y))
        {
            blocks.push_back(pBlock);
            cells.push_back(cell);
        }
    }
    nGotos = 0;
    for (int nTry = 0; nGotos < GOTOS && nTry < GOTOS * 20; ++nTry)
    {
        const size_t i = rng() % blocks.size();
        PowerBlock* pBlock = blocks[i];
        const char* pszOutput = nullptr;
        for (int o = 0; o < pBlock->GetOutputCount() && !pszOutput; ++o)
        {
            const char* pszName = pBlock->GetInfo()->outputs[o].name;
            if (pBlock->IsOutputOptional(pszName) && !pBlock->FindGoto(pszName))
                pszOutput = pszName;
        }
        if (!pszOutput)
            continue;
        std::vector<size_t> nearby;
        for (size_t j = 0; j < blocks.size(); ++j)
            if (j != i && std::abs(cells[j].nColumn - cells[i].nColumn) <= 5 &&
                std::abs(cells[j].nRow - cells[i].nRow) <= 4)
                nearby.push_back(j);
        if (nearby.empty())
            continue;
        PowerBlock* pTarget = blocks[nearby[rng() % nearby.size()]];
        if (pBlock->Connect(pTarget, pszOutput, 0))
        {
            // A group output connects its members too.
            nGotos = 0;
            for (PowerBlock* p : blocks)
                nGotos += static_cast<int>(p->GetGotos().getItemsInContainer());
        }
    }
    return pProgram;
}

bool Crosses(long fx, long fy, long tx, long ty, const RECT& rc)
{
    if (fy == ty)
        return rc.top < fy && fy < rc.bottom && std::max(fx, tx) > rc.left && std::min(fx, tx) < rc.right;
    return rc.left < fx && fx < rc.right && std::max(fy, ty) > rc.top && std::min(fy, ty) < rc.bottom;
}

bool Crosses(const Segment& s, const RECT& rc)
{
    return Crosses(s.m_nFromX, s.m_nFromY, s.m_nToX, s.m_nToY, rc);
}

// The coordinates of one axis that a way round the rectangles needs: their
// edges, the given points and the page's margins, each doubled, with the
// middle between each two neighbours (a way along an edge touches no block,
// and between two edges lies free space or a block's inside).
std::vector<long> Axis(std::vector<long> edges)
{
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<long> axis;
    for (size_t i = 0; i < edges.size(); ++i)
    {
        if (i > 0)
            axis.push_back(edges[i - 1] + edges[i]);
        axis.push_back(2 * edges[i]);
    }
    return axis;
}

// Whether an orthogonal way from p to q exists that enters no rectangle
// (running along an edge is no entering), within the rectangles' extent
// and a margin round it.
bool WayExists(POINT p, POINT q, const std::vector<RECT>& rects)
{
    std::vector<long> xs = {p.x, q.x}, ys = {p.y, q.y};
    long l = std::min(p.x, q.x), t = std::min(p.y, q.y), r = std::max(p.x, q.x), b = std::max(p.y, q.y);
    for (const RECT& rc : rects)
    {
        xs.push_back(rc.left);
        xs.push_back(rc.right);
        ys.push_back(rc.top);
        ys.push_back(rc.bottom);
        l = std::min(l, rc.left);
        t = std::min(t, rc.top);
        r = std::max(r, rc.right);
        b = std::max(b, rc.bottom);
    }
    xs.push_back(l - 100);
    xs.push_back(r + 100);
    ys.push_back(t - 100);
    ys.push_back(b + 100);
    const std::vector<long> ax = Axis(xs), ay = Axis(ys);
    const size_t nx = ax.size(), ny = ay.size();
    std::vector<unsigned char> blocked(nx * ny, 0);
    for (const RECT& rc : rects)
    {
        const size_t i0 = std::upper_bound(ax.begin(), ax.end(), 2 * rc.left) - ax.begin();
        const size_t i1 = std::lower_bound(ax.begin(), ax.end(), 2 * rc.right) - ax.begin();
        const size_t j0 = std::upper_bound(ay.begin(), ay.end(), 2 * rc.top) - ay.begin();
        const size_t j1 = std::lower_bound(ay.begin(), ay.end(), 2 * rc.bottom) - ay.begin();
        for (size_t j = j0; j < j1; ++j)
            for (size_t i = i0; i < i1; ++i)
                blocked[j * nx + i] = 1;
    }
    auto Node = [&](POINT pt) {
        const size_t i = std::lower_bound(ax.begin(), ax.end(), 2 * pt.x) - ax.begin();
        const size_t j = std::lower_bound(ay.begin(), ay.end(), 2 * pt.y) - ay.begin();
        return j * nx + i;
    };
    const size_t from = Node(p), to = Node(q);
    if (blocked[from] || blocked[to])
        return false;
    // Neighbouring free nodes are joined by a free run: a block between
    // them would put one of them, or the middle node between its edges,
    // inside it.
    std::vector<size_t> queue = {from};
    blocked[from] = 2;
    for (size_t k = 0; k < queue.size(); ++k)
    {
        const size_t n = queue[k];
        if (n == to)
            return true;
        const size_t i = n % nx, j = n / nx;
        const size_t next[4] = {i > 0 ? n - 1 : n, i + 1 < nx ? n + 1 : n, j > 0 ? n - nx : n,
                                j + 1 < ny ? n + nx : n};
        for (size_t m : next)
            if (!blocked[m])
            {
                blocked[m] = 2;
                queue.push_back(m);
            }
    }
    return false;
}

std::vector<RECT> BlockRects(EditChild* pPane, const std::vector<PowerBlock*>& blocks)
{
    std::vector<RECT> rects;
    for (PowerBlock* pBlock : blocks)
        if (DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT))
            rects.push_back(pPane->ViewRectToModel(pObj->GetRect()));
    return rects;
}

// Whether the line passes through a block as drawn; its entry run may end
// at its target and its exit run start beside its own block.
bool CrossesABlock(EditChild* pPane, Goto* pGoto, const std::vector<PowerBlock*>& blocks)
{
    const int n = pGoto->GetSegmentCount();
    for (PowerBlock* pBlock : blocks)
    {
        DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
        if (!pObj)
            continue;
        const RECT rc = pPane->ViewRectToModel(pObj->GetRect());
        for (int i = 0; i < n; ++i)
        {
            if ((i == 0 && pBlock == pGoto->GetTarget()) || (i == n - 1 && pBlock == pGoto->GetBlock()))
                continue;
            if (Crosses(*pGoto->GetSegment(i), rc))
                return true;
        }
    }
    return false;
}

bool Inside(long x, long y, const RECT& rc)
{
    return rc.left < x && x < rc.right && rc.top < y && y < rc.bottom;
}

// Whether the line passes through a block that it could have gone round:
// one that neither its exit run nor its entry run (which the line must
// have) passes through, while a way between the two runs exists that
// enters no block but those the runs pass through.
bool CrossesAvoidably(EditChild* pPane, Goto* pGoto, const std::vector<PowerBlock*>& blocks,
                      const std::vector<RECT>& rects)
{
    long sx, sy, w, tx, ty, nameOver, typeOver, a, b, c, d;
    if (!pGoto->GetRouteEnds(pPane, a, b, c, d))
        return false;
    pPane->GetObjectCentre(pGoto->GetBlock(), pGoto->GetOutputName(), sx, sy, w);
    pPane->GetGotoAnchors(pGoto->GetTarget(), tx, ty, nameOver, typeOver);
    const int n = pGoto->GetSegmentCount();
    std::vector<RECT> obstacles;
    bool bAvoidable = false;
    for (size_t k = 0; k < blocks.size() && k < rects.size(); ++k)
    {
        const RECT& rc = rects[k];
        const bool bForced = Crosses(sx, sy, a, b, rc) || Crosses(c, d, tx, ty, rc) || Inside(a, b, rc) ||
                             Inside(c, d, rc);
        if (bForced)
            continue;
        obstacles.push_back(rc);
        for (int i = 0; i < n && !bAvoidable; ++i)
        {
            if ((i == 0 && blocks[k] == pGoto->GetTarget()) || (i == n - 1 && blocks[k] == pGoto->GetBlock()))
                continue;
            bAvoidable = Crosses(*pGoto->GetSegment(i), rc);
        }
    }
    return bAvoidable && WayExists({a, b}, {c, d}, obstacles);
}

template <class T> T Median(std::vector<T> v)
{
    if (v.empty())
        return T();
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--small")
    {
        BLOCKS = 30;
        GOTOS = 50;
        COLUMNS = 7;
        ROWS = 6;
    }
    PXSetMessageBoxHook(QuietBox);
    BenchSession session;
    if (!session.Start("Routing benchmark", "PXROUTEBENCHFRAME"))
    {
        fprintf(stderr, "no frame window (is there a display?)\n");
        return 1;
    }
    TMDIClient* pClient = session.pClient;
    BenchFrame* pFrame = session.pFrame;
    PXSetMainWindow(pFrame->HWindow);
    Flush();

    std::vector<PowerBlock*> blocks;
    std::vector<Cell> cells;
    int nGotos = 0;
    Program* pProgram = Generate(blocks, cells, nGotos);
    Page* pPage = pProgram->GetMainPage();

    // The window opens with the three-run lines; then every line is routed
    // with the search, in the order the gotos were made.
    SetSmartRouting(false);
    EditMDI* pWindow = new EditMDI(*pClient, LayoutRecord::Find(LAYOUT_PAGE), pProgram, pPage, "RouteBench");
    pWindow->Create();
    pFrame->pWindow = pWindow;
    pProgram->AddOpenWindow(1);
    ::SendMessageA(pClient->HWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWindow->HWindow), 0);
    pWindow->RelayoutPanes();
    Flush();
    EditChild* pPane = pWindow->GetEditPane();
    SetSmartRouting(true);

    std::vector<Goto*> gotos;
    for (PowerBlock* pBlock : blocks)
        for (ListIterator g(pBlock->GetGotos()); g; ++g)
            gotos.push_back(static_cast<Goto*>(&g.current()));
    printf("page: %zu blocks, %zu gotos\n", blocks.size(), gotos.size());

    std::vector<double> times;
    std::vector<long> expanded;
    int nFailed = 0, nNoWay = 0, nCrossFound = 0, nCrossFailed = 0, nAvoidableFound = 0, nAvoidableFailed = 0;
    const std::vector<RECT> rects = BlockRects(pPane, blocks);
    double fLength = 0, fManhattan = 0;
    for (Goto* pGoto : gotos)
    {
        pPane->ObjectNotify(pGoto, OBJECT_REMOVE, 0);
        const double t = Now();
        pGoto->RouteLine(pPane);
        times.push_back(Now() - t);
        pPane->ObjectNotify(pGoto, OBJECT_ADDED, 0);
        const GotoRouteStats& stats = GotoRouter::LastStats();
        expanded.push_back(stats.nExpanded);
        if (!stats.bFound)
            ++(stats.bNoWay ? nNoWay : nFailed);
        long sx, sy, w, tx, ty, a, b;
        pPane->GetObjectCentre(pGoto->GetBlock(), pGoto->GetOutputName(), sx, sy, w);
        pPane->GetGotoAnchors(pGoto->GetTarget(), tx, ty, a, b);
        fManhattan += std::labs(tx - sx) + std::labs(ty - sy);
        for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
        {
            Segment* s = pGoto->GetSegment(i);
            fLength += std::labs(s->m_nToX - s->m_nFromX) + std::labs(s->m_nToY - s->m_nFromY);
        }
        if (CrossesABlock(pPane, pGoto, blocks))
        {
            ++(stats.bFound ? nCrossFound : nCrossFailed);
            if (CrossesAvoidably(pPane, pGoto, blocks, rects))
                ++(stats.bFound ? nAvoidableFound : nAvoidableFailed);
        }
    }
    double fTotal = 0;
    for (double t : times)
        fTotal += t;
    printf("routing   total %.3f s, median %.2f ms, maximum %.2f ms per goto\n", fTotal, Median(times) * 1000,
           times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()) * 1000);
    printf("expanded  median %ld, maximum %ld paths per goto\n", Median(expanded),
           expanded.empty() ? 0L : *std::max_element(expanded.begin(), expanded.end()));
    printf("failed    %d of %zu searches left the three-run line (%d spent their budget, %d found no way)\n",
           nFailed + nNoWay, gotos.size(), nFailed, nNoWay);
    printf("length    %.3f of the Manhattan distances (%.0f / %.0f)\n", fManhattan > 0 ? fLength / fManhattan : 0.0,
           fLength, fManhattan);
    printf("crossing  %d lines found by the search and %d three-run lines pass through a block\n", nCrossFound,
           nCrossFailed);
    printf("avoidable %d of them pass through a block they could go round (%d found by the search, %d three-run "
           "lines)\n",
           nAvoidableFound + nAvoidableFailed, nAvoidableFound, nAvoidableFailed);
    printf("boxes %d\n", g_nBoxes);

    SetPageFrame(nullptr);
    ModelSetObserver(nullptr);
    PXSetMainWindow(nullptr);
    pFrame->Destroy();
    delete pFrame;
    Flush();
    return g_nBoxes ? 1 : 0;
}
