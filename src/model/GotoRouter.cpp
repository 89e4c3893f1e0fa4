// The search of "Smart Routing", its paths and moves, and the arena they
// live in.
#include "GotoRouter.h"
#include "DisplayObject.h"
#include "DrawHelpers.h"
#include "Goto.h"
#include "GotoRoutePane.h"
#include "LineObjects.h"
#include "ModelObserver.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "PowerBlock.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <ostream>
#include <vector>

#ifndef _WIN64
static_assert(sizeof(OBJECT_BLOCK) == 16, "the arena block's header is 16 bytes on 32-bit Windows");
#endif

namespace
{
OBJECT_BLOCK* s_pArena = nullptr;
RouteContext s_context = {};
GotoRouteStats s_stats = {};
long s_nNextID = 2;
// The rectangles of the blocks on the pane that the running search goes
// round: every block but one that holds the start or the goal, which every
// line must pass through.
std::vector<RECT> s_bodies;

bool Holds(const RECT& rc, long x, long y)
{
    return rc.left < x && x < rc.right && rc.top < y && y < rc.bottom;
}

void CollectBodies(GotoRoutePane* pPane, long a, long b, long c, long d)
{
    std::vector<RECT> rects;
    pPane->RouteBlockRects(rects);
    s_bodies.clear();
    for (const RECT& rc : rects)
        if (!Holds(rc, a, b) && !Holds(rc, c, d))
            s_bodies.push_back(rc);
}

// The blocks whose inside the move from (px, py) to (x, y) passes through;
// a move along a block's edge passes through none.
long BodiesCrossed(long px, long py, long x, long y)
{
    long n = 0;
    for (const RECT& rc : s_bodies)
    {
        const bool bCrosses =
            py == y ? rc.top < y && y < rc.bottom && std::max(px, x) > rc.left && std::min(px, x) < rc.right
                    : rc.left < x && x < rc.right && std::max(py, y) > rc.top && std::min(py, y) < rc.bottom;
        if (bCrosses)
            ++n;
    }
    return n;
}

// What an entry of the arena starts with.
struct EntryHeader
{
    long nSize;
    long nInUse;
};
static_assert(sizeof(EntryHeader) == OBJECT_BLOCK::ENTRY_HEADER, "entry header");

bool IsHorizontal(int nDirection)
{
    return nDirection == MOVE_EAST || nDirection == MOVE_WEST;
}

int Reverse(int nDirection)
{
    switch (nDirection)
    {
    case MOVE_EAST:
        return MOVE_WEST;
    case MOVE_WEST:
        return MOVE_EAST;
    case MOVE_SOUTH:
        return MOVE_NORTH;
    case MOVE_NORTH:
        return MOVE_SOUTH;
    default:
        return 0;
    }
}

// The step of a move along one axis: it lands on the goal's coordinate
// when it would leave it less than one step away.
long Step(long from, long goal, long step, int sign)
{
    const long to = from + sign * step;
    return std::labs(goal - to) < step ? goal : to;
}

template <class T> T* Make()
{
    void* p = GotoRouter::Allocate(sizeof(T));
    return p ? new (p) T() : nullptr;
}
}

// ---- the arena -----------------------------------------------------------------

OBJECT_BLOCK* OBJECT_BLOCK::NewBlock()
{
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, sizeof(OBJECT_BLOCK) + CAPACITY);
    OBJECT_BLOCK* pBlock = hMem ? static_cast<OBJECT_BLOCK*>(GlobalLock(hMem)) : nullptr;
    if (!pBlock)
    {
        if (hMem)
            GlobalFree(hMem);
        MODEL_REPORT(IDS_MODEL_NOMEMBLOCK);
        return nullptr;
    }
    pBlock->pLast = pBlock;
    pBlock->pNext = nullptr;
    pBlock->nUsed = 0;
    pBlock->nCapacity = CAPACITY;
    return pBlock;
}

void* OBJECT_BLOCK::Allocate(size_t nSize)
{
    // Entries stay 8-byte aligned for the 64-bit build.
    const long nNeed = static_cast<long>((nSize + 7) & ~static_cast<size_t>(7));
    if (nSize > static_cast<size_t>(CAPACITY) || nNeed + ENTRY_HEADER > nCapacity)
        return nullptr;
    OBJECT_BLOCK* pBlock = pLast ? pLast : this;
    if (nNeed >= pBlock->nCapacity - pBlock->nUsed - ENTRY_HEADER)
    {
        OBJECT_BLOCK* pNew = NewBlock();
        if (!pNew)
            return nullptr;
        pBlock->pNext = pNew;
        pLast = pNew;
        pBlock = pNew;
    }
    BYTE* pEntry = pBlock->Space() + pBlock->nUsed;
    EntryHeader* pHeader = reinterpret_cast<EntryHeader*>(pEntry);
    pHeader->nSize = nNeed;
    pHeader->nInUse = 1;
    pBlock->nUsed += ENTRY_HEADER + nNeed;
    return pEntry + ENTRY_HEADER;
}

void OBJECT_BLOCK::Reset()
{
    FreeChain(pNext);
    pNext = nullptr;
    pLast = this;
    nUsed = 0;
}

void OBJECT_BLOCK::FreeChain(OBJECT_BLOCK* pFirst)
{
    while (pFirst)
    {
        OBJECT_BLOCK* pNext = pFirst->pNext;
        HGLOBAL hMem = GlobalHandle(pFirst);
        if (hMem)
        {
            GlobalUnlock(hMem);
            GlobalFree(hMem);
        }
        pFirst = pNext;
    }
}

// ---- paths -----------------------------------------------------------------------

Path::Path()
    : m_nBlockHits(0), m_nBodyHits(0), m_nParallels(0), m_nCrossings(0), m_nTurns(0), m_nDistance(0), m_nEstimate(0), m_nValue(0),
      m_nID(1), m_nMoves(0), m_nExpansion(0), m_pLast(nullptr), m_pNextAtPoint(nullptr)
{
}

Path::Path(const Path& parent, int nDirection)
    : Sortable(), m_nBlockHits(parent.m_nBlockHits), m_nBodyHits(parent.m_nBodyHits), m_nParallels(parent.m_nParallels),
      m_nCrossings(parent.m_nCrossings), m_nTurns(parent.m_nTurns), m_nDistance(parent.m_nDistance),
      m_nEstimate(parent.m_nEstimate), m_nValue(parent.m_nValue),
      m_nID(nDirection == parent.LastDirection() ? parent.m_nID : GotoRouter::NewID()), m_nMoves(parent.m_nMoves),
      m_nExpansion(0), m_pLast(parent.m_pLast), m_pNextAtPoint(nullptr)
{
}

POINT Path::EndPoint() const
{
    if (m_pLast)
        return {m_pLast->x, m_pLast->y};
    const RouteContext& c = GotoRouter::Context();
    return {c.nStartX, c.nStartY};
}

int Path::isLessThan(const Object& test) const
{
    const Path& other = static_cast<const Path&>(test);
    if (m_nBodyHits != other.m_nBodyHits)
        return m_nBodyHits < other.m_nBodyHits;
    if (m_nValue != other.m_nValue)
        return m_nValue < other.m_nValue;
    const RouteContext& c = GotoRouter::Context();
    const POINT a = EndPoint(), b = other.EndPoint();
    const long da = std::labs(c.nGoalX - a.x) + std::labs(c.nGoalY - a.y);
    const long db = std::labs(c.nGoalX - b.x) + std::labs(c.nGoalY - b.y);
    if (da != db)
        return da < db;
    return m_nID < other.m_nID;
}

void Path::printOn(std::ostream& os) const
{
    os << "PB Intersect " << m_nBlockHits << " Parallels " << m_nParallels << " Goto Intersect " << m_nCrossings
       << " Turns " << m_nTurns << " Distance " << m_nDistance << " Value " << m_nValue << " ID " << m_nID;
    for (const RouteMove* m = m_pLast; m; m = m->pNext)
    {
        switch (m->nDirection)
        {
        case MOVE_EAST:
            os << " Right to ";
            break;
        case MOVE_SOUTH:
            os << " Down to ";
            break;
        case MOVE_WEST:
            os << " Left to ";
            break;
        default:
            os << " Up to ";
            break;
        }
        os << m->x << "," << m->y;
    }
    const RouteContext& c = GotoRouter::Context();
    os << " " << c.nStartX << "," << c.nStartY;
}

int Path::NextMove(long& x, long& y, int nLastDirection)
{
    static const int order[4] = {MOVE_NORTH, MOVE_SOUTH, MOVE_EAST, MOVE_WEST};
    const RouteContext& c = GotoRouter::Context();
    const POINT end = EndPoint();
    const long stepX = std::labs(c.nGoalX - end.x) > 119 ? 40 : 12;
    const long stepY = std::labs(c.nGoalY - end.y) > 59 ? 20 : 6;
    while (m_nExpansion < 4)
    {
        const int nDirection = order[m_nExpansion++];
        if (nLastDirection && nDirection == Reverse(nLastDirection))
            continue;
        x = end.x;
        y = end.y;
        switch (nDirection)
        {
        case MOVE_NORTH:
            y = Step(end.y, c.nGoalY, stepY, -1);
            break;
        case MOVE_SOUTH:
            y = Step(end.y, c.nGoalY, stepY, 1);
            break;
        case MOVE_EAST:
            x = Step(end.x, c.nGoalX, stepX, 1);
            break;
        default:
            x = Step(end.x, c.nGoalX, stepX, -1);
            break;
        }
        return nDirection;
    }
    return 0;
}

long Path::Estimate(long x, long y, int nDirection) const
{
    const RouteContext& c = GotoRouter::Context();
    const long gx = c.nGoalX, gy = c.nGoalY;
    const RECT& g = c.rcGoal;
    long e = std::labs(gx - x) + std::labs(gy - y);
    // Right of the goal and level with the target: the way round it.
    if (gx < x && g.top < y && y < g.bottom)
    {
        e += std::min(y - g.top, g.bottom - y) + (g.bottom - g.top) / 2;
        e += IsHorizontal(nDirection) ? 100 : 50;
    }
    switch (nDirection)
    {
    case MOVE_EAST:
        e += y == gy ? (gx < x ? 50 : 0) : (gx < x ? 100 : 50);
        break;
    case MOVE_WEST:
        e += y == gy ? (x < gx ? 50 : 0) : (x < gx ? 100 : 50);
        break;
    case MOVE_SOUTH:
        e += x == gx ? (gy < y ? 50 : 0) : (gy < y ? 100 : 50);
        break;
    default:
        e += x == gx ? (y < gy ? 50 : 0) : (y < gy ? 100 : 50);
        break;
    }
    return e;
}

void Path::Charge(long px, long py, long& x, long& y, int nDirection)
{
    const RouteContext& c = GotoRouter::Context();
    const bool bHorizontal = IsHorizontal(nDirection);
    Goto* pRouted = c.pGoto;
    PowerBlock* pTarget = pRouted ? pRouted->GetTarget() : nullptr;
    PowerBlock* pSource = pRouted ? pRouted->GetBlock() : nullptr;
    bool bJumped = false;
    std::vector<DisplayObject*> objects;
    for (;;)
    {
        RECT rc;
        if (bHorizontal)
            SetRect(&rc, std::min(px, x), y - 2, std::max(px, x), y + 2);
        else
            SetRect(&rc, x - 2, std::min(py, y), x + 2, std::max(py, y));
        RECT rcView;
        c.pPane->RouteModelToView(rc.left, rc.top, rcView.left, rcView.top);
        c.pPane->RouteModelToView(rc.right, rc.bottom, rcView.right, rcView.bottom);
        c.pPane->RouteObjectsMeeting(rcView, objects);

        long nHits = 0, nParallels = 0, nCrossings = 0;
        bool bJump = false;
        long nJumpTo = 0;
        for (DisplayObject* pObj : objects)
        {
            switch (pObj->isA())
            {
            case PX_CLASS_POWERBLOCKOBJECT:
            case PX_CLASS_GOTOBLOCKOBJECT:
            case PX_CLASS_BRANCHOBJECT:
                ++nHits;
                break;
            case PX_CLASS_LINELABELOBJECT:
            {
                Goto* pOther = static_cast<LineLabelObject*>(pObj)->GetGoto();
                if (pOther == pRouted || (pOther && pOther->IsRerouteMarked()))
                    break;
                if (pOther && pOther->GetBlock() == pSource && bHorizontal)
                    break;
                ++nHits;
                break;
            }
            case PX_CLASS_LINESEGMENTOBJECT:
            {
                LineSegmentObject* pLine = static_cast<LineSegmentObject*>(pObj);
                Goto* pOther = pLine->GetGoto();
                if (!pOther || pOther == pRouted || pOther->IsRerouteMarked())
                    break;
                if (pLine->IsHorizontal() != bHorizontal)
                {
                    if (pOther->GetTarget() != pTarget)
                        ++nCrossings;
                    break;
                }
                Segment* pSegment = pLine->GetSegment();
                if (pOther->GetTarget() != pTarget || !pSegment || pSegment->Direction() != nDirection)
                {
                    ++nParallels;
                    break;
                }
                // Along a line to the same target, the same way: join it up
                // to where it turns, unless that is no step forward.
                if (bJumped || bJump || pSegment->IsFirst())
                    break;
                const long to = bHorizontal ? pSegment->m_nToX : pSegment->m_nToY;
                const long from = bHorizontal ? px : py;
                const bool bForward = (nDirection == MOVE_EAST || nDirection == MOVE_SOUTH) ? to > from : to < from;
                if (bForward)
                {
                    bJump = true;
                    nJumpTo = to;
                }
                break;
            }
            default:
                break;
            }
        }
        if (bJump)
        {
            (bHorizontal ? x : y) = nJumpTo;
            bJumped = true;
            continue;
        }
        m_nBlockHits += nHits;
        m_nBodyHits += BodiesCrossed(px, py, x, y);
        m_nParallels += nParallels;
        m_nCrossings += nCrossings;
        return;
    }
}

int Path::Extend(long x, long y, int nDirection)
{
    RouteMove* pMove = static_cast<RouteMove*>(GotoRouter::Allocate(sizeof(RouteMove)));
    if (!pMove)
    {
        MODEL_REPORT(IDS_MODEL_NOMEMROUTE);
        return 0;
    }
    const POINT prev = EndPoint();
    const int nPrevDirection = LastDirection();
    Charge(prev.x, prev.y, x, y, nDirection);
    pMove->pNext = m_pLast;
    pMove->x = x;
    pMove->y = y;
    pMove->nDirection = static_cast<BYTE>(nDirection);
    m_pLast = pMove;
    ++m_nMoves;
    m_nDistance += std::labs(x - prev.x) + std::labs(y - prev.y);
    if (nPrevDirection && nPrevDirection != nDirection)
        ++m_nTurns;
    m_nEstimate = Estimate(x, y, nDirection);
    m_nValue = m_nBlockHits * 100 + m_nCrossings + m_nParallels * 150 + m_nTurns * 50 + m_nDistance + m_nEstimate;
    return 1;
}

void Path::MergeStraightMoves()
{
    // The chain runs from the last move back: a move whose direction is
    // that of the move after it goes.
    for (RouteMove* m = m_pLast; m && m->pNext;)
    {
        if (m->pNext->nDirection == m->nDirection)
        {
            m->pNext = m->pNext->pNext;
            --m_nMoves;
        }
        else
            m = m->pNext;
    }
}

// ---- the point register ----------------------------------------------------------

int PathPointer::isEqual(const Object& test) const
{
    const PathPointer& other = static_cast<const PathPointer&>(test);
    return m_nX == other.m_nX && m_nY == other.m_nY;
}

int PathPointer::isLessThan(const Object& test) const
{
    const PathPointer& other = static_cast<const PathPointer&>(test);
    return m_nY != other.m_nY ? m_nY < other.m_nY : m_nX < other.m_nX;
}

namespace
{
int DirectionIndex(int nDirection)
{
    switch (nDirection)
    {
    case MOVE_EAST:
        return 0;
    case MOVE_SOUTH:
        return 1;
    case MOVE_WEST:
        return 2;
    default:
        return 3;
    }
}
}

bool PathPointer::TakenBefore(const Path& path) const
{
    if (!path.m_pLast)
        return false;
    const int i = DirectionIndex(path.LastDirection());
    return m_nTakenHits[i] < path.m_nBodyHits ||
           (m_nTakenHits[i] == path.m_nBodyHits && m_nTakenValue[i] <= path.m_nValue);
}

void PathPointer::NoteTaken(const Path& path)
{
    if (!path.m_pLast)
        return;
    const int i = DirectionIndex(path.LastDirection());
    if (path.m_nBodyHits < m_nTakenHits[i] ||
        (path.m_nBodyHits == m_nTakenHits[i] && path.m_nValue < m_nTakenValue[i]))
    {
        m_nTakenHits[i] = path.m_nBodyHits;
        m_nTakenValue[i] = path.m_nValue;
    }
}

void PathPointer::Add(Path* pPath)
{
    pPath->m_pNextAtPoint = nullptr;
    Path** pp = &m_pPaths;
    while (*pp)
        pp = &(*pp)->m_pNextAtPoint;
    *pp = pPath;
}

void PathPointer::Remove(Path* pPath)
{
    for (Path** pp = &m_pPaths; *pp; pp = &(*pp)->m_pNextAtPoint)
        if (*pp == pPath)
        {
            *pp = pPath->m_pNextAtPoint;
            pPath->m_pNextAtPoint = nullptr;
            return;
        }
}

// ---- the search ---------------------------------------------------------------------

namespace
{
// The open set and the point register of one search; neither owns what it
// holds (the arena does).
class Search
{
public:
    ~Search()
    {
        m_Open.flush(TShouldDelete::NoDelete);
        m_Register.flush(TShouldDelete::NoDelete);
    }

    PathPointer* Entry(POINT pt, bool bMake)
    {
        PathPointer key(pt.x, pt.y);
        Object& found = m_Register.findMember(key);
        if (found != NOOBJECT)
            return static_cast<PathPointer*>(&found);
        if (!bMake)
            return nullptr;
        void* p = GotoRouter::Allocate(sizeof(PathPointer));
        if (!p)
            return nullptr;
        PathPointer* pEntry = new (p) PathPointer(pt.x, pt.y);
        m_Register.add(*pEntry);
        return pEntry;
    }

    // false when memory ran out.
    bool Offer(Path* pChild)
    {
        PathPointer* pEntry = Entry(pChild->EndPoint(), true);
        if (!pEntry)
            return false;
        // A point already left from, arriving the same way, at no higher
        // cost: nothing new to find from here.
        if (pEntry->TakenBefore(*pChild))
            return true;
        Path* pFirst = pEntry->m_pPaths;
        if (!pFirst)
        {
            pEntry->Add(pChild);
            m_Open.add(*pChild);
        }
        else if (pChild->isLessThan(*pFirst))
        {
            for (Path* p = pEntry->m_pPaths; p; p = p->m_pNextAtPoint)
                m_Open.detach(*p, TShouldDelete::NoDelete);
            pEntry->m_pPaths = nullptr;
            pEntry->Add(pChild);
            m_Open.add(*pChild);
        }
        else if (!pFirst->isLessThan(*pChild))
        {
            pEntry->Add(pChild);
            m_Open.add(*pChild);
        }
        return true;
    }

    Path* TakeLeast()
    {
        if (m_Open.getItemsInContainer() == 0)
            return nullptr;
        Path* pPath = static_cast<Path*>(&m_Open[0]);
        m_Open.detach(*pPath, TShouldDelete::NoDelete);
        if (PathPointer* pEntry = Entry(pPath->EndPoint(), false))
        {
            pEntry->Remove(pPath);
            pEntry->NoteTaken(*pPath);
        }
        return pPath;
    }

    Btree m_Open;
    Btree m_Register;
};
}

long GotoRouter::Budget(long a, long b, long c, long d)
{
    const long n = 2 * (std::labs(a - c) + std::labs(b - d));
    return std::max(250L, std::min(1000L, n));
}

const RouteContext& GotoRouter::Context()
{
    return s_context;
}

const GotoRouteStats& GotoRouter::LastStats()
{
    return s_stats;
}

void* GotoRouter::Allocate(size_t nSize)
{
    return s_pArena ? s_pArena->Allocate(nSize) : nullptr;
}

long GotoRouter::NewID()
{
    return s_nNextID++;
}

void GotoRouter::FreeBlockGrid()
{
    OBJECT_BLOCK::FreeChain(s_pArena);
    s_pArena = nullptr;
    s_bodies.clear();
}

int GotoRouter::Route(Goto* pGoto, GotoRoutePane* pPane, long a, long b, long c, long d, const RECT& rcGoal,
                      Path*& pFound)
{
    pFound = nullptr;
    const long nBudget = Budget(a, b, c, d);
    s_stats = {nBudget, 0, false, false, false};
    if (!s_pArena)
        s_pArena = OBJECT_BLOCK::NewBlock();
    else
        s_pArena->Reset();
    if (!s_pArena || !pPane)
        return 0;
    s_context = {pPane, pGoto, a, b, c, d, rcGoal};
    s_nNextID = 2;
    CollectBodies(pPane, a, b, c, d);

    Search search;
    Path* pStart = Make<Path>();
    if (!pStart || !search.Offer(pStart))
        return 0;
    long nTaken = 0, nSincePoll = 0;
    bool bFirst = true;
    while (nTaken <= nBudget)
    {
        if (bFirst || nSincePoll > 200)
        {
            bFirst = false;
            nSincePoll = 0;
            if (!PollEscape())
            {
                s_stats.bEscaped = true;
                return 0;
            }
            if (ModelStatusLine* pStatus = GetModelStatusLine())
                pStatus->AppendText(2, ".", true);
        }
        Path* pPath = search.TakeLeast();
        if (!pPath)
        {
            s_stats.bNoWay = true;
            return 0;
        }
        ++nTaken;
        ++nSincePoll;
        s_stats.nExpanded = nTaken;
        const POINT end = pPath->EndPoint();
        if (end.x == c && end.y == d)
        {
            s_stats.bFound = true;
            pFound = pPath;
            return 1;
        }
        const int nLast = pPath->LastDirection();
        long x, y;
        int nDirection;
        while ((nDirection = pPath->NextMove(x, y, nLast)) != 0)
        {
            void* p = Allocate(sizeof(Path));
            if (!p)
                return 0;
            Path* pChild = new (p) Path(*pPath, nDirection);
            if (!pChild->Extend(x, y, nDirection) || !search.Offer(pChild))
                return 0;
        }
    }
    return 0;
}
