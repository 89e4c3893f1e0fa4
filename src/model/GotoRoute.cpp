// Laying out a goto line: from the stub of its output to the left side of
// its target, a short stub for the lines drawn as stubs, otherwise an
// orthogonal line of three runs between the exit and entry segments.
#include "Goto.h"
#include "GotoRoutePane.h"
#include "PowerBlock.h"

#include <algorithm>
#include <cstdlib>
#include <new>

// Laying a line out is no edit of the program: the segments are put in
// and taken out without marking it modified.
namespace
{
void Put(Goto* pGoto, long fromX, long fromY, long toX, long toY)
{
    if (Segment* pSegment = new (std::nothrow) Segment(pGoto, fromX, fromY, toX, toY))
        pGoto->AppendSegment(pSegment);
}
}

InsertArray& Goto::Route(GotoRoutePane* pPane)
{
    if (pPane && (GetSegmentCount() == 0 || IsRerouteMarked()))
        RouteLine(pPane);
    return m_Segments;
}

void Goto::RouteLine(GotoRoutePane* pPane)
{
    ClearFlag(GOTO_FLAG_REROUTE);
    PowerBlock* pBlock = GetBlock();
    if (!pBlock || !m_pTarget || !pBlock->IsOutputOptional(m_strOutput))
    {
        RemoveAllSegments();
        return;
    }
    long sx = 0, sy = 0, w = 0;
    pPane->GetObjectCentre(pBlock, m_strOutput, sx, sy, w);
    long tx = 0, ty = 0, nameOver = 0, typeOver = 0;
    pPane->GetGotoAnchors(m_pTarget, tx, ty, nameOver, typeOver);
    long approach = std::max(nameOver, typeOver) + 8;

    RemoveAllSegments();
    if (HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB))
    {
        Put(this, sx, sy, sx + w + 18, sy);
        ClearFlag(GOTO_FLAG_HANDEDIT);
        return;
    }
    const bool bNear = std::labs(ty - sy) < 24 && sx < tx && tx < sx + 32;
    const long e = (pBlock->CountOptionalOutputs() == 1 && bNear) ? w + 4 : w + 10;
    if (approach <= 10 || (std::labs(ty - sy) < 32 && sx < tx && tx < sx + 96))
        approach = 10;
    Put(this, tx - approach, ty, tx, ty);
    SimpleRoute(pPane, sx + e, sy, tx - approach, ty);
    if (e != 0)
        Put(this, sx, sy, sx + e, sy);
    TrimRouteEnds();
    ClearFlag(GOTO_FLAG_HANDEDIT);
}

void Goto::SimpleRoute(GotoRoutePane* pPane, long a, long b, long c, long d)
{
    if (c >= a)
    {
        const long m = a + (c - a) / 2;
        Put(this, m, d, c, d);
        Put(this, m, b, m, d);
        Put(this, a, b, m, b);
        return;
    }
    const RECT S = pPane->GetBlockModelRect(GetBlock());
    const RECT T = pPane->GetBlockModelRect(m_pTarget);
    long y;
    if (T.top >= S.bottom + 10)
        y = S.bottom + (T.top - S.bottom) / 2;
    else if (T.bottom + 10 < S.top)
        y = T.bottom + (S.top - T.bottom) / 2;
    else
        y = std::max(S.bottom, T.bottom) + 10;
    Put(this, c, y, c, d);
    Put(this, a, y, c, y);
    Put(this, a, b, a, y);
}

void Goto::TrimRouteEnds()
{
    if (GetSegmentCount() < 2)
        return;
    Segment* pFirst = GetSegment(0);
    Segment* pSecond = GetSegment(1);
    const long lo = std::min(pFirst->m_nFromX, pFirst->m_nToX), hi = std::max(pFirst->m_nFromX, pFirst->m_nToX);
    if (pSecond->m_nFromY == pFirst->m_nFromY && pSecond->m_nToY == pFirst->m_nFromY && pSecond->m_nFromX > lo &&
        pSecond->m_nFromX < hi)
    {
        pFirst->SetFrom(pSecond->m_nFromX, pSecond->m_nFromY);
        m_Segments.detach(1, TShouldDelete::Delete);
    }
    while (GetSegmentCount() >= 2)
    {
        Segment* pLast = GetSegment(GetSegmentCount() - 1);
        Segment* pPrev = GetSegment(GetSegmentCount() - 2);
        const long l = std::min(pLast->m_nFromX, pLast->m_nToX), h = std::max(pLast->m_nFromX, pLast->m_nToX);
        if (!(pPrev->m_nToY == pLast->m_nToY && pPrev->m_nFromY == pLast->m_nToY && pPrev->m_nToX > l &&
              pPrev->m_nToX < h))
            break;
        pLast->SetTo(pPrev->m_nToX, pPrev->m_nToY);
        m_Segments.detach(GetSegmentCount() - 2, TShouldDelete::Delete);
    }
}
