// The search of "Smart Routing": a best-first search over a coarse lattice
// of moves from the exit of an output towards the approach point of the
// target block. Each candidate move is charged for the blocks, goto lines
// and parallel runs it touches on the page pane. Everything the search
// makes comes from a private arena of fixed-size global-memory blocks
// that is reset before each search and freed after each line.
#ifndef GOTOROUTER_H
#define GOTOROUTER_H

#include "PXafx.h"

#include <climits>
#include "classlib/Btree.h"
#include "classlib/Sortable.h"

class Goto;
class GotoRoutePane;

// Class numbers of the search's objects.
enum
{
    PX_CLASS_PATH = 364,
    PX_CLASS_PATHPOINTER = 365
};

// Directions of a move (as those of a segment).
enum
{
    MOVE_EAST = 1,
    MOVE_SOUTH = 2,
    MOVE_WEST = 4,
    MOVE_NORTH = 8
};

// One block of the arena: a header followed by the space. Allocations
// take an entry header and the bytes asked for; nothing is freed one by
// one.
struct OBJECT_BLOCK
{
    enum
    {
        BLOCK_BYTES = 32783,    // as allocated on 32-bit Windows
        CAPACITY = 0x7fff,
        ENTRY_HEADER = 8
    };

    OBJECT_BLOCK* pLast;        // the chain's last block (kept in the first)
    OBJECT_BLOCK* pNext;
    long nUsed;
    long nCapacity;

    // A block of global memory, locked; none (reported) when it cannot be
    // had.
    static OBJECT_BLOCK* NewBlock();
    // The bytes, from this chain; a new block is chained when they do not
    // fit. None when no block can be had.
    void* Allocate(size_t nSize);
    void Free(void*) {}
    // The chain after this block is freed, and this block is empty again.
    void Reset();
    // Frees the whole chain from this block on.
    static void FreeChain(OBJECT_BLOCK* pFirst);

private:
    BYTE* Space() { return reinterpret_cast<BYTE*>(this + 1); }
};

// One move of a path. Moves are shared: a path extends its parent's chain
// by one move.
struct RouteMove
{
    RouteMove* pNext;           // towards the start
    long x;
    long y;
    BYTE nDirection;
};

// The routing context of the one running search.
struct RouteContext
{
    GotoRoutePane* pPane;
    Goto* pGoto;
    long nStartX, nStartY;
    long nGoalX, nGoalY;
    RECT rcGoal;                // the target's body, grown by 4 on every side
};

class Path : public Sortable
{
public:
    // The start path: no moves, ID 1.
    Path();
    // A child of the parent: its counts and moves, the ID kept for a
    // straight continuation in the direction, else a new one.
    Path(const Path& parent, int nDirection);

    classType isA() const override { return PX_CLASS_PATH; }
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return &test == this; }
    // Fewer passes through block bodies first, so that a way round a block
    // is always preferred to a way through it, however long the way round
    // (the budget bounds it); then lower value; then the end point nearer
    // the goal; then the lower ID.
    int isLessThan(const Object& test) const override;
    void printOn(std::ostream& os) const override;

    // Adds the move to the point and charges it; 0 when the move cannot be
    // allocated (reported).
    int Extend(long x, long y, int nDirection);
    // The next of the four moves from the end point, in the order north,
    // south, east, west, never back the way the last move came; 0 when
    // all are given.
    int NextMove(long& x, long& y, int nLastDirection);
    // The remaining-cost estimate from the end point after a move in the
    // direction.
    long Estimate(long x, long y, int nDirection) const;
    // Leaves only the move that ends each straight run.
    void MergeStraightMoves();
    POINT EndPoint() const;
    int LastDirection() const { return m_pLast ? m_pLast->nDirection : 0; }
    RouteMove* GetLastMove() const { return m_pLast; }

    long m_nBlockHits;
    // The blocks whose rectangles (name, icon and type) the moves pass
    // through, but for one that holds the start or the goal, which every
    // line passes through.
    long m_nBodyHits;
    long m_nParallels;
    long m_nCrossings;
    long m_nTurns;
    long m_nDistance;
    long m_nEstimate;
    long m_nValue;
    long m_nID;
    long m_nMoves;
    int m_nExpansion;
    RouteMove* m_pLast;
    Path* m_pNextAtPoint;       // the point register's list

private:
    // Charges the move from the previous point to the new one; may move
    // the new point along a line to the same target (once).
    void Charge(long px, long py, long& x, long& y, int nDirection);
};

// A point of the lattice and the open paths that end there.
class PathPointer : public Sortable
{
public:
    PathPointer(long x, long y) : m_nX(x), m_nY(y), m_pPaths(nullptr)
    {
        for (long& n : m_nTakenHits)
            n = LONG_MAX;
        for (long& n : m_nTakenValue)
            n = LONG_MAX;
    }

    classType isA() const override { return PX_CLASS_PATHPOINTER; }
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override;
    // By y, then x.
    int isLessThan(const Object& test) const override;
    void printOn(std::ostream&) const override {}

    void Add(Path* pPath);
    void Remove(Path* pPath);

    // Whether a path already taken from the open set here, arriving the
    // same way, was no dearer than this one: nothing new is found from it.
    bool TakenBefore(const Path& path) const;
    // Notes the path as taken from the open set here.
    void NoteTaken(const Path& path);

    long m_nX;
    long m_nY;
    Path* m_pPaths;
    // The least body hits, and the least value with them, of the paths
    // taken here, by the direction of their last move (east, south, west,
    // north).
    long m_nTakenHits[4];
    long m_nTakenValue[4];
};

// What the last search did, for the benchmark and the tests.
struct GotoRouteStats
{
    long nBudget;               // paths it could take
    long nExpanded;             // paths it took
    bool bFound;
    bool bEscaped;              // stopped by Escape
    bool bNoWay;                // every way from the start was tried
};

class GotoRouter
{
public:
    // The search from (a, b) to (c, d): 1 with the found path (living in
    // the arena until FreeBlockGrid), 0 when the budget is spent, the
    // open set empties, Escape is pressed or memory runs out.
    static int Route(Goto* pGoto, GotoRoutePane* pPane, long a, long b, long c, long d, const RECT& rcGoal,
                     Path*& pFound);
    // Destroys the arena.
    static void FreeBlockGrid();

    // Paths a search between the two points may take: twice the distance,
    // at least 250, at most 1000.
    static long Budget(long a, long b, long c, long d);
    static const RouteContext& Context();
    static const GotoRouteStats& LastStats();

    // Memory of the running search; none (reported) when it runs out.
    static void* Allocate(size_t nSize);
    // A new path ID of the running search.
    static long NewID();
};

#endif
