// The routing search by itself, on a pane without display objects: its
// budget, its arena, the lattice of moves, the estimate, the merge of
// straight runs, Escape; and the adaptation of lines edited by hand and the
// trimming of line ends, which need no pane.
#include "PXTestSupport.h"
#include "DrawHelpers.h"
#include "Goto.h"
#include "GotoRoutePane.h"
#include "GotoRouter.h"
#include "ModelRes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
// A pane with nothing on it.
class EmptyPane : public GotoRoutePane
{
public:
    void GetObjectCentre(PowerBlock*, const char*, long& x, long& y, long& w) override { x = y = w = 0; }
    void GetGotoAnchors(PowerBlock*, long& x, long& y, long& a, long& b) override { x = y = a = b = 0; }
    RECT GetBlockModelRect(PowerBlock*) override { return {0, 0, 0, 0}; }
    void RouteModelToView(long mx, long my, long& vx, long& vy) const override
    {
        vx = mx;
        vy = my;
    }
    void RouteObjectsMeeting(const RECT&, std::vector<DisplayObject*>& objects) override
    {
        objects.clear();
        ++nQueries;
    }
    int nQueries = 0;
};

struct Move
{
    long x, y;
    int nDirection;
    bool operator==(const Move& r) const { return x == r.x && y == r.y && nDirection == r.nDirection; }
};

// The moves of a path from the first to the last.
std::vector<Move> MovesOf(const Path* pPath)
{
    std::vector<Move> moves;
    for (const RouteMove* m = pPath->GetLastMove(); m; m = m->pNext)
        moves.insert(moves.begin(), {m->x, m->y, m->nDirection});
    return moves;
}

// A search between two points on the empty pane; the moves of the found
// path, before and after the merge of straight runs.
struct Searched
{
    int nResult;
    std::vector<Move> moves;
    std::vector<Move> merged;
    long nDistance;
};

Searched Search(long a, long b, long c, long d)
{
    EmptyPane pane;
    RECT rcGoal = {c - 4, d - 20, c + 60, d + 20};
    Path* pFound = nullptr;
    Searched s = {GotoRouter::Route(nullptr, &pane, a, b, c, d, rcGoal, pFound), {}, {}, 0};
    if (pFound)
    {
        s.moves = MovesOf(pFound);
        s.nDistance = pFound->m_nDistance;
        pFound->MergeStraightMoves();
        s.merged = MovesOf(pFound);
    }
    GotoRouter::FreeBlockGrid();
    return s;
}
}

TEST(GotoRouterTest, ItsMessagesAreInTheStringTable)
{
    const struct
    {
        UINT nId;
        const char* pszText;
    } cases[] = {
        {IDS_MODEL_ROUTING, "Routing goto lines."},
        {IDS_MODEL_NOMEMROUTE, "Out of memory while routing goto.  Goto line may be drawn incompletely."},
        {IDS_MODEL_NOMEMBLOCK, "Error allocating memory."},
    };
    for (const auto& c : cases)
    {
        char szText[256] = "";
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), c.nId, szText, sizeof(szText)), 0) << c.nId;
        EXPECT_STREQ(c.pszText, szText);
    }
}

TEST(GotoRouterTest, BudgetIsTwiceTheDistanceWithinLimits)
{
    const struct
    {
        long a, b, c, d, nBudget;
    } cases[] = {
        {100, 100, 110, 100, 250}, {0, 0, 600, 0, 1000}, {0, 0, 200, 100, 600},   {0, 0, 125, 0, 250},
        {0, 0, 126, 0, 252},       {0, 0, 500, 1, 1000}, {600, 0, 0, 0, 1000},    {0, 300, 0, 0, 600},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.nBudget, GotoRouter::Budget(c.a, c.b, c.c, c.d)) << c.a << "," << c.b << " " << c.c << "," << c.d;
        EXPECT_EQ(c.nBudget, GotoRouter::Budget(c.c, c.d, c.a, c.b)) << "the other way";
    }
}

TEST(GotoRouterTest, ArenaChainsBlocksAndGivesEverythingBackAtOnce)
{
    OBJECT_BLOCK* pArena = OBJECT_BLOCK::NewBlock();
    ASSERT_NE(nullptr, pArena);
    EXPECT_EQ(0x7fff, pArena->nCapacity);
    EXPECT_EQ(0, pArena->nUsed);
    EXPECT_EQ(pArena, pArena->pLast);

    // Entries are 8-aligned, never overlap, and fill one block before the
    // next is chained.
    std::vector<BYTE*> entries;
    while (!pArena->pNext)
    {
        BYTE* p = static_cast<BYTE*>(pArena->Allocate(100));
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(p) % 8);
        if (!entries.empty() && pArena->pNext == nullptr)
        {
            EXPECT_GE(p, entries.back() + 100);
        }
        entries.push_back(p);
    }
    // 104 bytes and an 8-byte header each: 292 fit in 32767 bytes, the
    // 293rd goes into a new block.
    EXPECT_EQ(293u, entries.size());
    EXPECT_EQ(pArena->pNext, pArena->pLast);
    EXPECT_EQ(112, pArena->pLast->nUsed);
    EXPECT_EQ(292 * 112, pArena->nUsed);

    // Single frees do nothing.
    pArena->Free(entries.front());
    EXPECT_EQ(292 * 112, pArena->nUsed);
    // What can never fit is refused without chaining.
    EXPECT_EQ(nullptr, pArena->Allocate(0x8000));
    EXPECT_EQ(nullptr, pArena->pLast->pNext);

    pArena->Reset();
    EXPECT_EQ(nullptr, pArena->pNext);
    EXPECT_EQ(pArena, pArena->pLast);
    EXPECT_EQ(0, pArena->nUsed);
    EXPECT_EQ(entries.front(), pArena->Allocate(8));
    OBJECT_BLOCK::FreeChain(pArena);
}

TEST(GotoRouterTest, MovesFollowTheLatticeAndLandOnTheGoal)
{
    // 40 units while the goal is more than 119 away, then 12; the last
    // step lands on the goal's x.
    Searched s = Search(0, 0, 130, 0);
    ASSERT_EQ(1, s.nResult);
    const std::vector<Move> expected = {{40, 0, MOVE_EAST},  {52, 0, MOVE_EAST},  {64, 0, MOVE_EAST},
                                        {76, 0, MOVE_EAST},  {88, 0, MOVE_EAST},  {100, 0, MOVE_EAST},
                                        {112, 0, MOVE_EAST}, {130, 0, MOVE_EAST}};
    EXPECT_EQ(expected, s.moves);
    EXPECT_EQ((std::vector<Move>{{130, 0, MOVE_EAST}}), s.merged);
    EXPECT_EQ(130, s.nDistance);

    // Vertically 20 units while more than 59 away, then 6.
    s = Search(0, 0, 0, -70);
    ASSERT_EQ(1, s.nResult);
    EXPECT_EQ((std::vector<Move>{{0, -20, MOVE_NORTH}, {0, -26, MOVE_NORTH}, {0, -32, MOVE_NORTH},
                                 {0, -38, MOVE_NORTH}, {0, -44, MOVE_NORTH}, {0, -50, MOVE_NORTH},
                                 {0, -56, MOVE_NORTH}, {0, -62, MOVE_NORTH}, {0, -70, MOVE_NORTH}}),
              s.moves);

    // A goal nearer than one step is reached at once.
    s = Search(0, 0, 10, 0);
    ASSERT_EQ(1, s.nResult);
    EXPECT_EQ((std::vector<Move>{{10, 0, MOVE_EAST}}), s.moves);
}

TEST(GotoRouterTest, OnAnEmptyPaneTheLineIsShortAndHasFewTurns)
{
    const struct
    {
        long a, b, c, d;
    } cases[] = {{0, 0, 400, 100}, {0, 100, 400, 0}, {400, 0, 0, 100}, {0, 0, 35, 300}, {200, 200, 200, -100}};
    for (const auto& c : cases)
    {
        Searched s = Search(c.a, c.b, c.c, c.d);
        ASSERT_EQ(1, s.nResult) << c.a << "," << c.b << " to " << c.c << "," << c.d;
        EXPECT_EQ(labs(c.a - c.c) + labs(c.b - c.d), s.nDistance) << c.a << "," << c.b << " to " << c.c << "," << c.d;
        ASSERT_FALSE(s.merged.empty());
        EXPECT_EQ(c.c, s.merged.back().x);
        EXPECT_EQ(c.d, s.merged.back().y);
        EXPECT_LE(s.merged.size(), 3u);
        for (size_t i = 1; i < s.merged.size(); ++i)
            EXPECT_NE(s.merged[i - 1].nDirection, s.merged[i].nDirection) << "a straight run is one move";
        // Every move is straight: it changes one coordinate.
        long x = c.a, y = c.b;
        for (const Move& m : s.moves)
        {
            EXPECT_TRUE((m.x == x) != (m.y == y)) << m.x << "," << m.y;
            x = m.x;
            y = m.y;
        }
        EXPECT_FALSE(GotoRouter::LastStats().bEscaped);
        EXPECT_LE(GotoRouter::LastStats().nExpanded, GotoRouter::LastStats().nBudget + 1);
    }
}

TEST(GotoRouterTest, EstimateChargesTheWayRoundTheTargetAndTheHeading)
{
    // Sets the context: goal (100, 50), the goal rectangle 30 to 70 high.
    EmptyPane pane;
    Path* pFound = nullptr;
    ASSERT_EQ(1, GotoRouter::Route(nullptr, &pane, 100, 40, 100, 50, {96, 30, 200, 70}, pFound));
    GotoRouter::FreeBlockGrid();
    const struct
    {
        long x, y;
        int nDirection;
        long nEstimate;
    } cases[] = {
        {0, 50, MOVE_EAST, 100},    {0, 0, MOVE_EAST, 200},    {200, 50, MOVE_EAST, 290},
        {200, 50, MOVE_NORTH, 240}, {100, 0, MOVE_SOUTH, 50},  {100, 80, MOVE_SOUTH, 80},
        {0, 80, MOVE_NORTH, 180},   {150, 0, MOVE_WEST, 150},  {150, 50, MOVE_WEST, 50 + 40 + 100},
        {0, 50, MOVE_WEST, 150},    {100, 80, MOVE_NORTH, 30}, {100, 20, MOVE_NORTH, 80},
    };
    Path path;
    for (const auto& c : cases)
        EXPECT_EQ(c.nEstimate, path.Estimate(c.x, c.y, c.nDirection)) << c.x << "," << c.y << " " << c.nDirection;
}

namespace
{
// A pane that shows only block rectangles.
class BlocksPane : public EmptyPane
{
public:
    explicit BlocksPane(std::vector<RECT> blocks) : rects(std::move(blocks)) {}
    void RouteBlockRects(std::vector<RECT>& out) override { out = rects; }
    std::vector<RECT> rects;
};

// The rectangles whose inside the moves from (a, b) pass through.
std::vector<size_t> Crossed(long a, long b, const std::vector<Move>& moves, const std::vector<RECT>& rects)
{
    std::vector<size_t> crossed;
    long x = a, y = b;
    for (const Move& m : moves)
    {
        for (size_t i = 0; i < rects.size(); ++i)
        {
            const RECT& rc = rects[i];
            const bool bCrosses =
                m.y == y ? rc.top < y && y < rc.bottom && std::max(x, m.x) > rc.left && std::min(x, m.x) < rc.right
                         : rc.left < x && x < rc.right && std::max(y, m.y) > rc.top && std::min(y, m.y) < rc.bottom;
            if (bCrosses && std::find(crossed.begin(), crossed.end(), i) == crossed.end())
                crossed.push_back(i);
        }
        x = m.x;
        y = m.y;
    }
    return crossed;
}
}

TEST(GotoRouterTest, TheSearchGoesRoundEveryBlockItNeedNotPassThrough)
{
    const struct
    {
        const char* pszCase;
        long a, b, c, d;
        std::vector<RECT> blocks;
        std::vector<size_t> crossed;  // the blocks the line must pass through
        long nDistance;               // 0: longer than the straight way
    } cases[] = {
        {"a block on the straight way", 0, 0, 600, 0, {{250, -30, 330, 30}}, {}, 0},
        {"a tall block on the straight way", 0, 0, 600, 0, {{250, -150, 330, 150}}, {}, 0},
        {"a block on the way down", 0, 0, 0, 400, {{-40, 150, 40, 210}}, {}, 0},
        {"a block on the way to the left", 600, 0, 0, 100, {{250, -30, 330, 130}}, {}, 0},
        {"a line along a block's edge passes it", 0, 0, 600, 0, {{250, 0, 330, 60}, {400, -60, 480, 0}}, {}, 600},
        {"a block that holds the goal", 0, 0, 600, 0, {{560, -30, 640, 30}}, {0}, 600},
        {"a block that holds the start", 0, 0, 600, 0, {{-40, -30, 40, 30}}, {0}, 600},
        {"the way between two blocks", 0, 0, 600, 0, {{250, -100, 330, -10}, {250, 10, 330, 100}}, {}, 600},
    };
    for (const auto& c : cases)
    {
        BlocksPane pane(c.blocks);
        RECT rcGoal = {c.c - 4, c.d - 20, c.c + 60, c.d + 20};
        Path* pFound = nullptr;
        ASSERT_EQ(1, GotoRouter::Route(nullptr, &pane, c.a, c.b, c.c, c.d, rcGoal, pFound)) << c.pszCase;
        ASSERT_NE(nullptr, pFound);
        const std::vector<Move> moves = MovesOf(pFound);
        const long nDistance = pFound->m_nDistance;
        GotoRouter::FreeBlockGrid();
        ASSERT_FALSE(moves.empty()) << c.pszCase;
        EXPECT_EQ(c.c, moves.back().x) << c.pszCase;
        EXPECT_EQ(c.d, moves.back().y) << c.pszCase;
        EXPECT_EQ(c.crossed, Crossed(c.a, c.b, moves, c.blocks)) << c.pszCase;
        if (c.nDistance)
            EXPECT_EQ(c.nDistance, nDistance) << c.pszCase;
        else
            EXPECT_GT(nDistance, labs(c.a - c.c) + labs(c.b - c.d)) << c.pszCase;
    }
}

TEST(GotoRouterTest, AGoalWalledInFailsWithinTheBudget)
{
    // A ring of blocks round the goal, none holding it: no way in.
    BlocksPane pane({{500, -100, 700, -60}, {500, 60, 700, 100}, {500, -100, 540, 100}, {660, -100, 700, 100}});
    Path* pFound = nullptr;
    EXPECT_EQ(0, GotoRouter::Route(nullptr, &pane, 0, 0, 600, 0, {596, -20, 660, 20}, pFound));
    GotoRouter::FreeBlockGrid();
    EXPECT_EQ(nullptr, pFound);
    const GotoRouteStats& stats = GotoRouter::LastStats();
    EXPECT_FALSE(stats.bFound);
    EXPECT_EQ(1000, stats.nBudget);
    EXPECT_LE(stats.nExpanded, stats.nBudget + 1);
}

TEST(GotoRouterTest, EscapeStopsTheSearchBeforeItsFirstExpansion)
{
    HWND hWnd = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    PostMessageA(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EmptyPane pane;
    Path* pFound = nullptr;
    EXPECT_EQ(0, GotoRouter::Route(nullptr, &pane, 0, 0, 400, 100, {396, 80, 460, 120}, pFound));
    GotoRouter::FreeBlockGrid();
    EXPECT_EQ(nullptr, pFound);
    EXPECT_TRUE(GotoRouter::LastStats().bEscaped);
    EXPECT_EQ(0, GotoRouter::LastStats().nExpanded);
    EXPECT_EQ(0, pane.nQueries);
    DestroyWindow(hWnd);
}

namespace
{
struct Seg
{
    long fx, fy, tx, ty;
    bool operator==(const Seg& r) const { return fx == r.fx && fy == r.fy && tx == r.tx && ty == r.ty; }
};

std::ostream& operator<<(std::ostream& os, const Seg& s)
{
    return os << "(" << s.fx << "," << s.fy << ")-(" << s.tx << "," << s.ty << ")";
}

// A line of segments, index 0 at the target.
void Lay(Goto& line, const std::vector<Seg>& segs)
{
    line.RemoveAllSegments();
    for (const Seg& s : segs)
        line.AppendSegment(new Segment(&line, s.fx, s.fy, s.tx, s.ty));
}

std::vector<Seg> SegmentsOf(const Goto& line)
{
    std::vector<Seg> segs;
    for (int i = 0; i < line.GetSegmentCount(); ++i)
    {
        Segment* p = line.GetSegment(i);
        segs.push_back({p->m_nFromX, p->m_nFromY, p->m_nToX, p->m_nToY});
    }
    return segs;
}
}

TEST(GotoRouterTest, HandEditedLinesAreAdaptedToTheirMovedEnds)
{
    const std::vector<Seg> zLine = {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}};
    const struct
    {
        const char* pszCase;
        std::vector<Seg> before;
        long sx, sy, tx, ty, w;
        int nResult;
        std::vector<Seg> after;
    } cases[] = {
        {"no segments", {}, 0, 0, 100, 100, 5, 0, {}},
        {"both ends moved: shifted", zLine, 10, 20, 110, 130, 5, 1,
         {{60, 120, 110, 120}, {60, 20, 60, 120}, {10, 20, 60, 20}}},
        {"entry now left of the start", zLine, 0, 0, -20, 100, 5, 0, zLine},
        {"target moved: the vertical run stretched", zLine, 0, 0, 100, 150, 5, 1,
         {{50, 150, 100, 150}, {50, 0, 50, 150}, {0, 0, 50, 0}}},
        {"nothing moved: the same line", zLine, 0, 0, 100, 100, 5, 1, zLine},
        {"target moved left: a horizontal run cut at the entry",
         {{80, 50, 100, 50}, {80, 30, 80, 50}, {10, 30, 80, 30}, {10, 0, 10, 30}, {0, 0, 10, 0}},
         0, 0, 70, 60, 5, 1,
         {{60, 60, 70, 60}, {60, 30, 60, 60}, {10, 30, 60, 30}, {10, 0, 10, 30}, {0, 0, 10, 0}}},
        {"start moved: the vertical run stretched", zLine, 0, 20, 100, 100, 5, 1,
         {{50, 100, 100, 100}, {50, 20, 50, 100}, {0, 20, 50, 20}}},
        {"start moved right: a horizontal run cut at the exit",
         {{60, 100, 100, 100}, {60, 50, 60, 100}, {10, 50, 60, 50}, {10, 0, 10, 50}, {0, 0, 10, 0}},
         20, 10, 100, 100, 5, 1,
         {{60, 100, 100, 100}, {60, 50, 60, 100}, {29, 50, 60, 50}, {29, 10, 29, 50}, {20, 10, 29, 10}}},
        {"start moved past every run", zLine, 70, 20, 100, 100, 5, 0, {}},
    };
    for (const auto& c : cases)
    {
        Goto line;
        Lay(line, c.before);
        EXPECT_EQ(c.nResult, line.KeepManualRoute(c.sx, c.sy, c.tx, c.ty, c.w)) << c.pszCase;
        EXPECT_EQ(c.after, SegmentsOf(line)) << c.pszCase;
        line.RemoveAllSegments();
    }
}

TEST(GotoRouterTest, LineEndsThatDoubleBackAreTrimmed)
{
    const struct
    {
        std::vector<Seg> before, after;
    } cases[] = {
        // The run before the entry doubles back over it.
        {{{100, 50, 120, 50}, {110, 50, 100, 50}, {110, 0, 110, 50}},
         {{110, 50, 120, 50}, {110, 0, 110, 50}}},
        // The exit run is doubled back over by the run after it.
        {{{20, 30, 20, 40}, {20, 0, 20, 30}, {30, 0, 20, 0}, {0, 0, 30, 0}}, {{20, 30, 20, 40}, {20, 0, 20, 30}, {0, 0, 20, 0}}},
        // Nothing doubles back.
        {{{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}}, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}}},
        // One segment stays.
        {{{0, 0, 10, 0}}, {{0, 0, 10, 0}}},
    };
    for (const auto& c : cases)
    {
        Goto line;
        Lay(line, c.before);
        line.TrimRouteEnds();
        EXPECT_EQ(c.after, SegmentsOf(line));
        line.RemoveAllSegments();
    }
}
