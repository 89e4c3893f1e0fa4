// The display objects of a goto line.
#include "LineObjects.h"
#include "DrawHelpers.h"
#include "FontObject.h"
#include "Goto.h"
#include "ModelObserver.h"
#include "ModelRes.h"
#include "PowerBlock.h"

#include <cstdio>

namespace
{
HFONT PaneFont(DisplayPane* pPane)
{
    FontObject* pFont = pPane ? pPane->GetResourceRecord() : nullptr;
    return pFont ? pFont->GetFont() : nullptr;
}

bool IsStubGoto(const Goto* pGoto)
{
    return pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB);
}

Goto* GotoOf(Segment* pSegment)
{
    return pSegment ? static_cast<Goto*>(pSegment->GetOwner()) : nullptr;
}

// The selected line's double click on a segment or a handle: the line's
// display objects go, the line is edited and built again. The clicked
// object is gone after the first notification.
void EditLine(DisplayPane* pPane, Goto* pGoto, Segment* pSegment, long x, long y, bool bSplit)
{
    long mx = 0, my = 0;
    pPane->ViewToModel(x, y, mx, my);
    pPane->NotifyChildren(pGoto, OBJECT_REMOVE, 0);
    if (bSplit)
        pGoto->SplitSegment(pSegment, mx, my);
    else
        pGoto->JoinSegment(pSegment);
    pPane->NotifyChildren(pGoto, OBJECT_REBUILD_REPAINT, 0);
    ShowStatusMessage(nullptr, 0);
}
}

// ---- LineSegmentObject ---------------------------------------------------

LineSegmentObject::LineSegmentObject(DisplayPane* pPane, Segment* pSegment, const RECT& rc, int bHorizontal)
    : DisplayObject(pPane, pSegment, rc), m_pGoto(GotoOf(pSegment)), m_bHorizontal(bHorizontal)
{
    DisplayResources::Get();
    if (m_pGoto)
        m_pGoto->GetDisplayObjects().add(*this);
}

LineSegmentObject::~LineSegmentObject()
{
    if (m_pGoto)
        m_pGoto->GetDisplayObjects().detach(*this, TShouldDelete::NoDelete);
}

Segment* LineSegmentObject::GetSegment() const
{
    return static_cast<Segment*>(m_pObject);
}

bool LineSegmentObject::Shows(const UIObject* pObject) const
{
    return pObject == m_pObject || (pObject && pObject == m_pGoto);
}

bool LineSegmentObject::Click(long x, long y, int nKind)
{
    if (nKind != DO_CLICK_DOUBLE || !m_pGoto || IsStubGoto(m_pGoto))
        return false;
    if (m_pPane->GetSecondClick() != 1)
    {
        m_pPane->Select(m_pGoto, false, 3);
        return false;
    }
    EditLine(m_pPane, m_pGoto, GetSegment(), x, y, true);
    return true;
}

void LineSegmentObject::Draw(HDC hDC, const DrawOffset*, const RECT*)
{
    const DisplayResources& res = DisplayResources::Get();
    const bool bSelected = m_pPane->IsSelected(m_pGoto) && m_pPane->GetMouseMode() != PANE_MODE_DRAGGING;
    HPEN hPen = bSelected ? res.hSelectedGoto : (m_pGoto && IsStubGoto(m_pGoto) ? res.hStubGoto : res.hNormalGoto);
    const int nBkMode = SetBkMode(hDC, TRANSPARENT);
    {
        UsePen pen(hDC, hPen);
        if (m_bHorizontal)
        {
            const long y = m_rc.top + (m_rc.bottom - m_rc.top) / 2;
            MoveToEx(hDC, m_rc.left, y, nullptr);
            LineTo(hDC, bSelected ? m_rc.right : m_rc.right + 1, y);
        }
        else
        {
            const long x = m_rc.left + (m_rc.right - m_rc.left) / 2;
            MoveToEx(hDC, x, m_rc.top, nullptr);
            LineTo(hDC, x, m_rc.bottom);
        }
    }
    SetBkMode(hDC, nBkMode);
}

const char* LineSegmentObject::HoverText()
{
    if (!m_pGoto)
        return nullptr;
    if (!m_pPane->IsSelected(m_pGoto) || IsStubGoto(m_pGoto))
    {
        // Names of any length are cut to the buffer.
        static char s_szHover[128];
        PowerBlock* pTarget = m_pGoto->GetTarget();
        const char* pszType = pTarget && pTarget->GetInfo() && pTarget->GetInfo()->name ? pTarget->GetInfo()->name : "";
        const char* pszName = pTarget ? pTarget->GetName() : "";
        std::snprintf(s_szHover, sizeof(s_szHover), Text(IDS_DO_CONNECTEDTO), pszType, pszName);
        return s_szHover;
    }
    if (m_pPane->GetSecondClick() == 1)
        return Text(IDS_DO_BREAKLINE);
    if (m_pPane->GetSelectionCount() == 1)
        return Text(IDS_DO_CLICKAGAIN);
    return nullptr;
}

const char* LineSegmentObject::DragText()
{
    return Text(IDS_DO_REROUTING);
}

const char* LineSegmentObject::StatusText()
{
    if (!m_pGoto || IsStubGoto(m_pGoto))
        return nullptr;
    return Text(m_pPane->GetSecondClick() == 1 ? IDS_DO_BREAKLINE : IDS_DO_CLICKAGAIN);
}

// ---- LineBlockObject -----------------------------------------------------

LineBlockObject::LineBlockObject(DisplayPane* pPane, Segment* pSegment, const RECT& rc)
    : DisplayObject(pPane, pSegment, rc), m_pGoto(GotoOf(pSegment))
{
    DisplayResources::Get();
    if (m_pGoto)
        m_pGoto->GetDisplayObjects().add(*this);
}

LineBlockObject::~LineBlockObject()
{
    if (m_pGoto)
        m_pGoto->GetDisplayObjects().detach(*this, TShouldDelete::NoDelete);
}

Segment* LineBlockObject::GetSegment() const
{
    return static_cast<Segment*>(m_pObject);
}

bool LineBlockObject::Shows(const UIObject* pObject) const
{
    return pObject == m_pObject || (pObject && pObject == m_pGoto);
}

bool LineBlockObject::Click(long x, long y, int nKind)
{
    if (nKind != DO_CLICK_DOUBLE || !m_pGoto || IsStubGoto(m_pGoto))
        return false;
    if (m_pPane->GetSecondClick() != 1)
    {
        m_pPane->Select(m_pGoto, false, 3);
        return false;
    }
    EditLine(m_pPane, m_pGoto, GetSegment(), x, y, false);
    return true;
}

void LineBlockObject::Draw(HDC hDC, const DrawOffset*, const RECT*)
{
    // Handles show only on the selected line, once it was clicked again.
    if (!m_pGoto || IsStubGoto(m_pGoto) || !m_pPane->IsSelected(m_pGoto) || m_pPane->GetSecondClick() != 1 ||
        m_pPane->GetMouseMode() == PANE_MODE_DRAGGING)
        return;
    FillRect(hDC, &m_rc, DisplayResources::Get().hGotoLineBlock);
}

const char* LineBlockObject::HoverText()
{
    if (!m_pGoto || !m_pPane->IsSelected(m_pGoto) || IsStubGoto(m_pGoto))
        return nullptr;
    if (m_pPane->GetSecondClick() == 1)
        return Text(IDS_DO_JOINLINE);
    if (m_pPane->GetSelectionCount() == 1)
        return Text(IDS_DO_ADDREMOVE);
    return nullptr;
}

const char* LineBlockObject::StatusText()
{
    if (!m_pGoto || IsStubGoto(m_pGoto))
        return nullptr;
    return Text(m_pPane->GetSecondClick() == 1 ? IDS_DO_JOINLINE : IDS_DO_CLICKAGAIN);
}

// ---- LineLabelObject -----------------------------------------------------

LineLabelObject::LineLabelObject(DisplayPane* pPane, Goto* pGoto, const RECT& rc)
    : DisplayObject(pPane, pGoto, rc)
{
    DisplayResources::Get();
}

Goto* LineLabelObject::GetGoto() const
{
    return static_cast<Goto*>(m_pObject);
}

void LineLabelObject::Draw(HDC hDC, const DrawOffset*, const RECT* pClip)
{
    UseFont font(hDC, PaneFont(m_pPane));
    PowerBlock* pTarget = GetGoto()->GetTarget();
    const char* pszText = pTarget ? pTarget->GetName() : "";
    m_rc.right = m_rc.left + TextWidth(hDC, pszText);
    FillRect(hDC, &m_rc, DisplayResources::Get().hGotoLabelBackground);

    const int nBkMode = SetBkMode(hDC, TRANSPARENT);
    const COLORREF crText = SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    const UINT nAlign = SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const COLORREF crBack = GetBkColor(hDC);
    RECT rcClip = m_rc;
    UINT nOptions = ETO_CLIPPED;
    if (pClip && IntersectRect(&rcClip, &m_rc, pClip))
    {
        nOptions |= ETO_OPAQUE;
        SetBkColor(hDC, DisplayResources::Get().crGotoLabelBackground);
    }
    else
        rcClip = m_rc;
    ExtTextOutA(hDC, m_rc.left, m_rc.top, nOptions, &rcClip, pszText, lstrlenA(pszText), nullptr);
    SetBkColor(hDC, crBack);
    SetTextAlign(hDC, nAlign);
    SetTextColor(hDC, crText);
    SetBkMode(hDC, nBkMode);
}
