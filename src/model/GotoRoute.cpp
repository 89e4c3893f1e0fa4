// Laying out a goto line: from the stub of its output to the left side of
// its target, a short stub for the lines drawn as stubs, a line edited by
// hand adapted to its moved ends, otherwise an orthogonal line between the
// exit and entry segments: found by the search of "Smart Routing" (the
// search itself is GotoRouter.cpp) or, without it, three runs.
#include "Goto.h"
#include "GotoRoutePane.h"
#include "GotoRouter.h"
#include "DrawHelpers.h"
#include "ModelObserver.h"
#include "ModelRes.h"
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

void PutAt(Goto* pGoto, int nAt, long fromX, long fromY, long toX, long toY)
{
    if (Segment* pSegment = new (std::nothrow) Segment(pGoto, fromX, fromY, toX, toY))
        pGoto->GetSegments().InsertAt(nAt, *pSegment);
}

bool Between(long x, long a, long b)
{
    return std::min(a, b) <= x && x <= std::max(a, b);
}

// A run from x0 to x1 that heads towards x.
bool Heads(long x0, long x1, long x)
{
    return x0 != x1 && x0 != x && ((x1 > x0) == (x > x0));
}

// The status line of a search: the progress text, and its level back to 0
// and the line empty when the search ends.
void StatusProgress()
{
    if (ModelStatusLine* pStatus = GetModelStatusLine())
        pStatus->SetText(2, CString(MAKEINTRESOURCEA(IDS_MODEL_ROUTING)), true);
}

void StatusReset()
{
    if (ModelStatusLine* pStatus = GetModelStatusLine())
    {
        pStatus->ResetLevel();
        pStatus->SetText(0, nullptr, true);
    }
}

// The main window stays disabled while a search runs; afterwards it is as
// it was (a modal dialog may have disabled it before).
class MainWindowDisabled
{
public:
    MainWindowDisabled()
    {
        HWND hMain = PXGetMainWindow();
        m_bWasEnabled = !hMain || IsWindowEnabled(hMain);
        DisableMainWindow(true);
    }
    ~MainWindowDisabled()
    {
        if (m_bWasEnabled)
            DisableMainWindow(false);
    }

private:
    bool m_bWasEnabled;
};
}

InsertArray& Goto::Route(GotoRoutePane* pPane)
{
    if (pPane && (GetSegmentCount() == 0 || IsRerouteMarked()))
        RouteLine(pPane);
    return m_Segments;
}

namespace
{
// The exit length e and the approach of a line from the stub (sx, sy) of
// half width w to the entry point (tx, ty).
void ExitAndApproach(PowerBlock* pBlock, long sx, long sy, long w, long tx, long ty, long nameOver, long typeOver,
                     long& e, long& approach)
{
    const bool bNear = std::labs(ty - sy) < 24 && sx < tx && tx < sx + 32;
    e = (pBlock->CountOptionalOutputs() == 1 && bNear) ? w + 4 : w + 10;
    approach = std::max(nameOver, typeOver) + 8;
    if (approach <= 10 || (std::labs(ty - sy) < 32 && sx < tx && tx < sx + 96))
        approach = 10;
}
}

bool Goto::GetRouteEnds(GotoRoutePane* pPane, long& a, long& b, long& c, long& d)
{
    a = b = c = d = 0;
    PowerBlock* pBlock = GetBlock();
    if (!pPane || !pBlock || !m_pTarget || !pBlock->IsOutputOptional(m_strOutput))
        return false;
    long sx = 0, sy = 0, w = 0, tx = 0, ty = 0, nameOver = 0, typeOver = 0, e = 0, approach = 0;
    pPane->GetObjectCentre(pBlock, m_strOutput, sx, sy, w);
    pPane->GetGotoAnchors(m_pTarget, tx, ty, nameOver, typeOver);
    ExitAndApproach(pBlock, sx, sy, w, tx, ty, nameOver, typeOver, e, approach);
    a = sx + e;
    b = sy;
    c = tx - approach;
    d = ty;
    return true;
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

    if (HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB))
    {
        RemoveAllSegments();
        Put(this, sx, sy, sx + w + 18, sy);
        ClearFlag(GOTO_FLAG_HANDEDIT);
        return;
    }
    if (HasFlag(GOTO_FLAG_HANDEDIT) && KeepManualRoute(sx, sy, tx, ty, w))
        return;

    RemoveAllSegments();
    long e = 0, approach = 0;
    ExitAndApproach(pBlock, sx, sy, w, tx, ty, nameOver, typeOver, e, approach);
    Put(this, tx - approach, ty, tx, ty);
    // A line asked for while another search runs (from a message that the
    // running search dispatched) gets the three runs now and stays marked,
    // so that the next routing pass searches for it.
    const bool bSmart = ModelIsOptionSet(MODEL_OPT_SMARTROUTING);
    const bool bBusy = bSmart && PXLongOperation::IsRunning();
    if (!bSmart || bBusy || !MazeRoute(pPane, sx + e, sy, tx - approach, ty))
        SimpleRoute(pPane, sx + e, sy, tx - approach, ty);
    if (e != 0)
        Put(this, sx, sy, sx + e, sy);
    TrimRouteEnds();
    ClearFlag(GOTO_FLAG_HANDEDIT);
    if (bBusy)
        MarkForReroute();
}

int Goto::MazeRoute(GotoRoutePane* pPane, long a, long b, long c, long d)
{
    PXLongOperation routing;
    if (!routing.Acquired() || !pPane || !m_pTarget)
        return 0;
    RECT rcGoal = pPane->GetBlockModelRect(m_pTarget);
    InflateRect(&rcGoal, 4, 4);
    Path* pFound = nullptr;
    int nFound = 0;
    {
        MainWindowDisabled disabled;
        if (!PollEscape())
            return 0;
        StatusProgress();
        nFound = GotoRouter::Route(this, pPane, a, b, c, d, rcGoal, pFound);
        StatusReset();
    }
    if (nFound && pFound)
    {
        pFound->MergeStraightMoves();
        for (RouteMove* m = pFound->GetLastMove(); m; m = m->pNext)
        {
            if (m->pNext)
                Put(this, m->pNext->x, m->pNext->y, m->x, m->y);
            else
                Put(this, a, b, m->x, m->y);
        }
    }
    GotoRouter::FreeBlockGrid();
    return nFound ? 1 : 0;
}

int Goto::KeepManualRoute(long sx, long sy, long tx, long ty, long w)
{
    const int n = GetSegmentCount();
    if (n == 0)
        return 0;
    Segment* pStartSeg = GetSegment(n - 1);
    Segment* pEndSeg = GetSegment(0);
    const long lsx = pStartSeg->m_nFromX, lsy = pStartSeg->m_nFromY;
    const long lex = pEndSeg->m_nToX, ley = pEndSeg->m_nToY;
    const bool bStartMoved = lsx != sx || lsy != sy;
    const bool bEndMoved = lex != tx || ley != ty;
    if (bStartMoved && bEndMoved)
    {
        const long dx = sx - lsx, dy = sy - lsy;
        for (int i = 0; i < n; ++i)
        {
            Segment* p = GetSegment(i);
            p->Set(p->m_nFromX + dx, p->m_nFromY + dy, p->m_nToX + dx, p->m_nToY + dy);
        }
        return 1;
    }
    // A line that ran one way cannot be kept when its ends now lie the
    // other way round.
    if ((lex < lsx && tx > sx) || (lex > lsx && tx < sx))
        return 0;
    const long exitX = sx + w + 4;
    const long entryX = tx - 10;
    if (!bStartMoved)
    {
        // From the target end: keep the first vertical run left of the
        // entry, or a horizontal run (not the old entry segment) cut at it.
        for (int nLook = 0; GetSegmentCount() > 0; ++nLook)
        {
            Segment* p = GetSegment(0);
            if (p->IsVertical() && p->m_nFromX <= entryX)
            {
                p->SetTo(p->m_nToX, ty);
                PutAt(this, 0, p->m_nToX, ty, tx, ty);
                return 1;
            }
            if (nLook > 0 && p->IsHorizontal() && Between(p->m_nFromX, exitX, entryX) &&
                Heads(p->m_nFromX, p->m_nToX, entryX))
            {
                p->SetTo(entryX, p->m_nToY);
                PutAt(this, 0, entryX, p->m_nToY, entryX, ty);
                PutAt(this, 0, entryX, ty, tx, ty);
                return 1;
            }
            m_Segments.detach(0, TShouldDelete::Delete);
        }
        return 0;
    }
    // Only the start moved: the same from the start end.
    for (int nLook = 0; GetSegmentCount() > 0; ++nLook)
    {
        const int nLast = GetSegmentCount() - 1;
        Segment* p = GetSegment(nLast);
        if (p->IsVertical() && p->m_nFromX >= exitX)
        {
            p->SetFrom(p->m_nFromX, sy);
            Put(this, sx, sy, p->m_nFromX, sy);
            return 1;
        }
        if (nLook > 0 && p->IsHorizontal() && Between(p->m_nToX, exitX, entryX) &&
            Heads(p->m_nFromX, p->m_nToX, p->m_nToX + (entryX - exitX)))
        {
            p->SetFrom(exitX, p->m_nFromY);
            Put(this, exitX, sy, exitX, p->m_nFromY);
            Put(this, sx, sy, exitX, sy);
            return 1;
        }
        m_Segments.detach(nLast, TShouldDelete::Delete);
    }
    return 0;
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
