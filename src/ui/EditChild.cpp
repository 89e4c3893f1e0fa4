// The page editing pane.
#include "EditChild.h"
#include "classlib/ListIterator.h"
#include "BandList.h"
#include "DragState.h"
#include "DrawHelpers.h"
#include "FontObject.h"
#include "Goto.h"
#include "Grid.h"
#include "Icons.h"
#include "LineObjects.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PaneRes.h"
#include "PenObject.h"
#include "PowerBlock.h"
#include "PowerBlockObject.h"
#include "Program.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"
#include "PXWinApp.h"
#include "UIPageFrame.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

namespace
{
// The option bits of the editor that the page pane reads besides the
// model's.
const DWORD kOptPrintGrid = 0x100;
const DWORD kOptAutoName = 0x400;
}

EditChild::EditChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight, Program* pProgram,
                     Page* pPage)
    : ObjectChild(pParent, pElement, nWidth, nHeight), m_pProgram(pProgram), m_pPage(pPage), m_nPageGridFlag(2),
      m_PageGridCell{0, 0}
{
    ReadScale();
}

EditChild::~EditChild()
{
}

void EditChild::SetupWindow()
{
    ObjectChild::SetupWindow();
    SetZoom(100, 11);
}

void EditChild::ReadScale()
{
    ObjectChild::ReadScale();
    const LayoutElement& e = *m_pElement;
    long v;
    ModelToView(e.nCellWidth, 0, m_Metrics.nIconSide, v);
    ModelToView(e.nMetric5, e.nMetric6, m_Metrics.nBodyWidth, m_Metrics.nTextLine);
    ModelToView(e.nMetric7, e.nGapY, m_Metrics.nOutputOffset, m_Metrics.nBlockMargin);
    ModelToView(e.nGapX, 0, m_Metrics.nTextMargin, v);
}

RECT EditChild::BlockRectAt(long vx, long vy) const
{
    const PaneMetrics& m = m_Metrics;
    RECT rc;
    rc.left = vx - (m.nBodyWidth - m.nIconSide) / 2;
    rc.top = vy - (m.nTextLine + m.nBlockMargin);
    rc.right = rc.left + m.nBodyWidth;
    rc.bottom = rc.top + 2 * m.nTextLine + m.nIconSide + 2 * m.nBlockMargin;
    return rc;
}

bool EditChild::Add(DisplayObject* pObj, bool bRepaint)
{
    if (!pObj)
        return false;
    AddDisplayObject(pObj);
    if (bRepaint)
        InvalidateObject(pObj);
    return true;
}

// ---- building the page -------------------------------------------------------

void EditChild::Relayout()
{
    if (!m_pPage)
    {
        ShowMessageId(IDS_PANE_NOPAGE, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    if (ModelIsOptionSet(kOptPrintGrid))
    {
        long cx = 0, cy = 0;
        UIPageFrame* pFrame = GetPageFrame();
        if (pFrame)
            pFrame->GetPageGridSize(cx, cy);
        // Measured once and kept by the frame until the printer changes.
        if (cx <= 0 || cy <= 0)
        {
            GetPageSize(this, cx, cy, m_nPageGridFlag);
            if (pFrame && cx > 0 && cy > 0)
                pFrame->SetPageGridSize(cx, cy);
        }
        if (cx > 0 && cy > 0)
        {
            long vx, vy;
            ModelToView(cx, cy, vx, vy);
            m_PageGridCell.cx = vx;
            m_PageGridCell.cy = vy;
        }
    }
    m_nPageGridFlag = 0;
    ClearDisplayObjects();
    HCURSOR hOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    (void)hOld;
    bool bFailed = false;
    for (ListIterator it(m_pPage->GetNotes()); it && !bFailed; ++it)
        bFailed = !AddTextNoteDisplay(static_cast<PXTextUI*>(&it.current()), false);
    for (ListIterator it(m_pPage->GetBlocks()); it && !bFailed; ++it)
        bFailed = !AddBlockDisplays(static_cast<PowerBlock*>(&it.current()), false);
    std::vector<Goto*> waiting;
    for (ListIterator it(m_pPage->GetBlocks()); it && !bFailed; ++it)
    {
        PowerBlock* pBlock = static_cast<PowerBlock*>(&it.current());
        m_pPage->InvalidateGotosOf(pBlock);
        for (ListIterator g(pBlock->GetGotos()); g && !bFailed; ++g)
        {
            Goto* pGoto = static_cast<Goto*>(&g.current());
            if (pGoto->IsRerouteMarked())
                waiting.push_back(pGoto);
            else
                bFailed = !AddGotoDisplays(pGoto, false);
        }
    }
    if (bFailed)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        ShowMessageId(IDS_PANE_NODISPLAYOBJ, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    SetScrollRange(m_pVBar, 50, 250);
    SetScrollRange(m_pHBar, 50, 250);
    m_nPageHeight = m_nVLine * 250 + 1750;
    m_nPageWidth = m_nHLine * 250 + 2250;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    const bool bPrinting = HWindow && (SendMessage(WM_UI_WINDOWKIND) & UI_KIND_PRINTPANE);
    if (HWindow && !bPrinting)
    {
        Invalidate(true);
        UpdateWindow();
    }
    for (Goto* pGoto : waiting)
        if (!AddGotoDisplays(pGoto, true))
        {
            ShowMessageId(IDS_PANE_NODISPLAYOBJ, nullptr, MB_ICONEXCLAMATION);
            return;
        }
}

void EditChild::Paint(HDC hDC, bool erase, RECT& rect)
{
    if (ModelIsOptionSet(kOptPrintGrid) && m_PageGridCell.cx > 0 && m_PageGridCell.cy > 0)
    {
        PenObject* pPen = g_pPens ? g_pPens->Find("page_grid") : nullptr;
        HGDIOBJ hOld = pPen ? SelectObject(hDC, pPen->GetPen()) : nullptr;
        for (long x = m_PageGridCell.cx; x < m_nPageWidth; x += m_PageGridCell.cx)
        {
            MoveToEx(hDC, x, 0, nullptr);
            LineTo(hDC, x, m_nPageHeight);
        }
        for (long y = m_PageGridCell.cy; y < m_nPageHeight; y += m_PageGridCell.cy)
        {
            MoveToEx(hDC, 0, y, nullptr);
            LineTo(hDC, m_nPageWidth, y);
        }
        if (hOld)
            SelectObject(hDC, hOld);
    }
    ObjectChild::Paint(hDC, erase, rect);
}

void EditChild::LayoutOutputs(PowerBlock* pBlock, const RECT& body, std::vector<RECT>& rects)
{
    rects.clear();
    std::vector<const char*> names;
    PowerBlockInfo* pInfo = pBlock->GetInfo();
    for (int i = 0; pInfo && i < pBlock->GetOutputCount(); ++i)
        if (pBlock->IsOutputOptional(pInfo->outputs[i].name))
            names.push_back(pInfo->outputs[i].name);
    const int n = static_cast<int>(names.size());
    if (n == 0)
        return;
    TEXTMETRICA tm = {};
    long nWidest = 0;
    if (HDC hDC = GetPaneDC())
    {
        FontObject* pFont = GetResourceRecord();
        UseFont font(hDC, pFont ? pFont->GetFont() : nullptr);
        GetTextMetricsA(hDC, &tm);
        for (const char* pszName : names)
            nWidest = std::max(nWidest, TextWidth(hDC, pszName));
        ReleasePaneDC(hDC);
    }
    const PaneMetrics& m = m_Metrics;
    const long L = tm.tmHeight;
    long nOffset = m.nOutputOffset;
    if (n == 1)
        nOffset /= 2;
    else if (n > 4)
        nOffset += m.nOutputOffset / 2;
    long x0 = body.right, cy = body.top + (body.bottom - body.top) / 2, mx, my;
    ViewToModel(x0, cy, mx, my);
    ModelToView(mx, my, x0, cy);
    const bool bSquare = pBlock->GetOutputCount() < 2;
    long g = (tm.tmHeight - tm.tmInternalLeading) / 2;
    if (g % 2 == 0)
        ++g;
    const long w = bSquare ? g : nWidest + 2 * m.nTextMargin;
    const long h = bSquare ? g : L;
    rects.resize(static_cast<size_t>(n));
    const int mid = (n - 1) / 2;
    long y = (n % 2) ? cy - L / 2 : cy - L;
    for (int i = mid; i >= 0; --i, y -= L)
        SetRect(&rects[static_cast<size_t>(i)], x0 + nOffset, y, x0 + nOffset + w, y + h);
    y = (n % 2) ? cy + L / 2 : cy;
    for (int i = mid + 1; i < n; ++i, y += L)
        SetRect(&rects[static_cast<size_t>(i)], x0 + nOffset, y, x0 + nOffset + w, y + h);
    if (bSquare)
        SetRect(&rects[0], x0 + nOffset, cy - g / 2, x0 + nOffset + g, cy - g / 2 + g);
}

bool EditChild::AddBlockDisplays(PowerBlock* pBlock, bool bRepaint)
{
    long vx, vy;
    ModelToView(pBlock->GetX(), pBlock->GetY(), vx, vy);
    const RECT body = BlockRectAt(vx, vy);
    if (!Add(new (std::nothrow) PowerBlockObject(this, pBlock, body), bRepaint))
        return false;
    std::vector<RECT> rects;
    LayoutOutputs(pBlock, body, rects);
    const int n = static_cast<int>(rects.size());
    PowerBlockInfo* pInfo = pBlock->GetInfo();
    int k = 0;
    for (int i = 0; pInfo && i < pBlock->GetOutputCount() && k < n; ++i)
    {
        const char* pszName = pInfo->outputs[i].name;
        if (!pBlock->IsOutputOptional(pszName))
            continue;
        GotoBlock* pStub = pBlock->FindGotoBlock(pszName);
        if (pStub && !Add(new (std::nothrow) GotoBlockObject(this, pStub, rects[static_cast<size_t>(k)], pBlock),
                          bRepaint))
            return false;
        ++k;
    }
    RECT rcBranch = {0, 0, 0, 0};
    long cy = body.top + (body.bottom - body.top) / 2, mx, my;
    long ax = body.right;
    ViewToModel(ax, cy, mx, my);
    ModelToView(mx, my, ax, cy);
    POINT anchor = {body.right, cy};
    std::vector<POINT> pts(static_cast<size_t>(n));
    if (n > 0)
    {
        rcBranch = {body.right, rects.front().top, rects.front().left, rects.back().bottom};
        const int mid = (n - 1) / 2;
        for (int i = 0; i < n; ++i)
        {
            const RECT& rc = rects[static_cast<size_t>(i)];
            long px = rc.left, py = rc.top + (rc.bottom - rc.top) / 2;
            if (n % 2 && i == mid)
                py = anchor.y;
            else
            {
                ViewToModel(px, py, mx, my);
                ModelToView(mx, my, px, py);
            }
            pts[static_cast<size_t>(i)] = {px, py};
        }
    }
    return Add(new (std::nothrow) BranchObject(this, pBlock, rcBranch, anchor, pts.data(), n), bRepaint);
}

bool EditChild::AddGotoDisplays(Goto* pGoto, bool bRepaint)
{
    InsertArray& segments = pGoto->Route(this);
    (void)segments;
    FontObject* pFont = GetResourceRecord();
    const long nHeight = pFont ? pFont->GetCharHeight() : 8;
    const long h = nHeight > 7 ? nHeight / 4 : 2;
    RECT rcLastHandle = {0, 0, 0, 0};
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
    {
        Segment* pSeg = pGoto->GetSegment(i);
        long x0, y0, x1, y1;
        ModelToView(pSeg->m_nFromX, pSeg->m_nFromY, x0, y0);
        ModelToView(pSeg->m_nToX, pSeg->m_nToY, x1, y1);
        const bool bHorizontal = pSeg->m_nFromY == pSeg->m_nToY;
        RECT rc;
        if (bHorizontal)
            SetRect(&rc, std::min(x0, x1), y0 - h, std::max(x0, x1), y0 + h);
        else
            SetRect(&rc, x0 - h, std::min(y0, y1), x0 + h, std::max(y0, y1));
        if (!Add(new (std::nothrow) LineSegmentObject(this, pSeg, rc, bHorizontal ? 1 : 0), bRepaint))
            return false;
        long ex, ey;
        switch (pSeg->Direction())
        {
        case SEG_EAST:
            ex = rc.right, ey = y0;
            break;
        case SEG_SOUTH:
            ex = x0, ey = rc.bottom;
            break;
        case SEG_WEST:
            ex = rc.left, ey = y0;
            break;
        default:
            ex = x0, ey = rc.top;
            break;
        }
        RECT rcHandle = {ex - h, ey - h, ex + h, ey + h};
        if (!Add(new (std::nothrow) LineBlockObject(this, pSeg, rcHandle), bRepaint))
            return false;
        rcLastHandle = rcHandle;
    }
    if (pGoto->HasFlag(GOTO_FLAG_LABELSTUB) && pGoto->GetSegmentCount() > 0 && pGoto->GetTarget())
    {
        SIZE size = {0, 0};
        if (HDC hDC = GetPaneDC())
        {
            UseFont font(hDC, pFont ? pFont->GetFont() : nullptr);
            const char* pszName = pGoto->GetTarget()->GetName();
            GetTextExtentPoint32A(hDC, pszName, lstrlenA(pszName), &size);
            ReleasePaneDC(hDC);
        }
        const long cy = rcLastHandle.top + (rcLastHandle.bottom - rcLastHandle.top) / 2;
        RECT rc = {rcLastHandle.right, cy - size.cy / 2, rcLastHandle.right + size.cx, cy - size.cy / 2 + size.cy};
        if (!Add(new (std::nothrow) LineLabelObject(this, pGoto, rc), bRepaint))
            return false;
    }
    return true;
}

bool EditChild::AddTextNoteDisplay(PXTextUI* pNote, bool bRepaint)
{
    long l, r, t, b;
    pNote->GetRect(l, r, t, b);
    RECT rc;
    ModelToView(l, t, rc.left, rc.top);
    ModelToView(r, b, rc.right, rc.bottom);
    return Add(new (std::nothrow) PXTextDObj(this, pNote, rc), bRepaint);
}

void EditChild::AddDisplayObjects(UIObject* pObject, bool)
{
    if (!pObject || !pObject->IsProgramObject())
        return;
    if (static_cast<ProgramObject*>(pObject)->GetPage() != m_pPage)
        return;
    bool bDone = true;
    switch (pObject->isA())
    {
    case PX_CLASS_POWERBLOCK:
        bDone = AddBlockDisplays(static_cast<PowerBlock*>(pObject), true);
        break;
    case PX_CLASS_GOTO:
        bDone = AddGotoDisplays(static_cast<Goto*>(pObject), true);
        break;
    case PX_CLASS_TEXTUI:
        bDone = AddTextNoteDisplay(static_cast<PXTextUI*>(pObject), true);
        break;
    default:
        break;
    }
    if (!bDone)
        ShowMessageId(IDS_PANE_NODISPLAYOBJ, nullptr, MB_ICONEXCLAMATION);
    if (HWindow)
        UpdateWindow();
}

void EditChild::ObjectNotify(UIObject* pObject, int nKind, unsigned nFlags)
{
    if (!pObject)
        return;
    const classType nClass = pObject->isA();
    if (nKind == OBJECT_CHANGING && nClass == PX_CLASS_POWERBLOCK && nFlags == 3)
    {
        for (ListIterator it(static_cast<PowerBlock*>(pObject)->GetGotos()); it; ++it)
            static_cast<Goto&>(it.current()).ClearFlag(GOTO_FLAG_FROMMODEL);
    }
    if (nKind == OBJECT_CHANGING && nClass == PX_CLASS_GOTO)
    {
        Goto* pGoto = static_cast<Goto*>(pObject);
        if (pGoto->GetBlock() && pGoto->HasFlag(GOTO_FLAG_FROMMODEL))
            return;
    }
    ObjectChild::ObjectNotify(pObject, nKind, nFlags);
    if (nClass == PX_CLASS_POWERBLOCK)
    {
        PowerBlock* pBlock = static_cast<PowerBlock*>(pObject);
        std::vector<Goto*> gotos;
        if ((nFlags & OBJECT_INCOMING_GOTOS) && m_pPage)
            for (ListIterator b(m_pPage->GetBlocks()); b; ++b)
                for (ListIterator g(static_cast<PowerBlock&>(b.current()).GetGotos()); g; ++g)
                    if (static_cast<Goto&>(g.current()).GetTarget() == pBlock)
                        gotos.push_back(static_cast<Goto*>(&g.current()));
        if (nFlags & OBJECT_OWN_GOTOS)
            for (ListIterator g(pBlock->GetGotos()); g; ++g)
                gotos.push_back(static_cast<Goto*>(&g.current()));
        for (Goto* pGoto : gotos)
            ObjectNotify(pGoto, nKind, 0);
    }
    else if (nClass == PX_CLASS_GOTO)
    {
        Goto* pGoto = static_cast<Goto*>(pObject);
        if (nKind == OBJECT_CHANGING)
            pGoto->MarkForReroute();
        if ((nKind == OBJECT_CHANGING || nKind == OBJECT_ADDED || nKind == OBJECT_REMOVE) && pGoto->GetBlock())
            ObjectChild::ObjectNotify(pGoto->GetBlock(), OBJECT_REPAINT, 0);
    }
}

// ---- what routing asks -------------------------------------------------------

void EditChild::GetObjectCentre(PowerBlock* pBlock, const char* pszOutput, long& x, long& y, long& halfWidth)
{
    x = y = halfWidth = 0;
    for (ListIterator it(pBlock->GetDisplayObjects()); it; ++it)
    {
        DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
        if (pObj->isA() != PX_CLASS_GOTOBLOCKOBJECT || pObj->GetPane() != static_cast<DisplayPane*>(this))
            continue;
        GotoBlock* pStub = static_cast<GotoBlockObject*>(pObj)->GetStub();
        if (!pStub || lstrcmpA(pStub->GetOutputName(), pszOutput) != 0)
            continue;
        const RECT& rc = pObj->GetRect();
        ViewToModel((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, x, y);
        long mx0, mx1, my;
        ViewToModel(rc.left, 0, mx0, my);
        ViewToModel(rc.right, 0, mx1, my);
        halfWidth = (mx1 - mx0) / 2;
        return;
    }
}

void EditChild::GetGotoAnchors(PowerBlock* pBlock, long& x, long& y, long& nameOverhang, long& typeOverhang)
{
    x = y = nameOverhang = typeOverhang = 0;
    PowerBlockObject* pObj = static_cast<PowerBlockObject*>(FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT));
    if (!pObj)
        return;
    const RECT& icon = pObj->GetIconBox();
    ViewToModel(icon.left, (icon.top + icon.bottom) / 2, x, y);
    long mx, my;
    ViewToModel(pObj->GetNameBox().left, 0, mx, my);
    nameOverhang = std::max(0L, x - mx);
    ViewToModel(pObj->GetTypeBox().left, 0, mx, my);
    typeOverhang = std::max(0L, x - mx);
}

void EditChild::RouteObjectsMeeting(const RECT& rcView, std::vector<DisplayObject*>& objects)
{
    objects.clear();
    if (m_pGrid)
        m_pGrid->Collect(rcView, objects);
}

void EditChild::RouteBlockRects(std::vector<RECT>& rects)
{
    rects.clear();
    if (!m_pPage)
        return;
    for (ListIterator it(m_pPage->GetBlocks()); it; ++it)
        if (DisplayObject* pObj =
                FindOwnDisplayObject(static_cast<PowerBlock*>(&it.current()), PX_CLASS_POWERBLOCKOBJECT))
            rects.push_back(ViewRectToModel(pObj->GetRect()));
}

RECT EditChild::GetBlockModelRect(PowerBlock* pBlock)
{
    long vx, vy;
    ModelToView(pBlock->GetX(), pBlock->GetY(), vx, vy);
    return ViewRectToModel(BlockRectAt(vx, vy));
}

// ---- drags -------------------------------------------------------------------

UIObject* EditChild::DraggedObject(const DragState* pState) const
{
    return pState && pState->pPressed ? pState->pPressed->GetObject() : nullptr;
}

void EditChild::OffsetAndSnap(const DragState* pState, long& vx, long& vy) const
{
    long dx, dy;
    GetObjectOffset(pState, dx, dy);
    vx -= dx;
    vy -= dy;
    if (ModelIsOptionSet(MODEL_OPT_SNAPTOGRID))
        SnapViewPoint(vx, vy);
}

int EditChild::CanAcceptDrop(DragState* pState, int, int)
{
    UIObject* pObject = DraggedObject(pState);
    if (!pObject)
        return 0;
    switch (pObject->isA())
    {
    case PX_CLASS_POWERBLOCK:
    case PX_CLASS_POWERBLOCKICON:
    case PX_CLASS_TEXTUI:
        return 2;
    case PX_CLASS_SEGMENT:
    {
        Segment* pSeg = static_cast<Segment*>(pObject);
        Goto* pGoto = static_cast<Goto*>(pSeg->GetOwner());
        if (pSeg->GetPage() != m_pPage || !pGoto)
            return 0;
        return pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB) ? 0 : 2;
    }
    default:
        return 0;
    }
}

void EditChild::DragStarted(DragState* pState)
{
    UIObject* pObject = DraggedObject(pState);
    if (pObject && pObject->isA() == PX_CLASS_SEGMENT)
    {
        if (UIObject* pGoto = static_cast<Segment*>(pObject)->GetOwner())
            ObjectChild::ObjectNotify(pGoto, OBJECT_REPAINT, 0);
        if (HWindow)
            UpdateWindow();
    }
}

void EditChild::DragEnded(DragState* pState, bool bFailed)
{
    UIObject* pObject = DraggedObject(pState);
    if (bFailed && pObject && pObject->isA() == PX_CLASS_SEGMENT)
    {
        if (UIObject* pGoto = static_cast<Segment*>(pObject)->GetOwner())
            ObjectChild::ObjectNotify(pGoto, OBJECT_REPAINT, 0);
        if (HWindow)
            UpdateWindow();
    }
}

void EditChild::Drop(DragState* pState, int x, int y)
{
    UIObject* pObject = DraggedObject(pState);
    POINT pt = {x, y};
    DeviceToLogical(pt);
    long vx = pt.x, vy = pt.y;
    switch (pObject ? pObject->isA() : 0)
    {
    case PX_CLASS_POWERBLOCK:
    case PX_CLASS_TEXTUI:
        OffsetAndSnap(pState, vx, vy);
        MoveSelection(pState, vx, vy);
        break;
    case PX_CLASS_SEGMENT:
    {
        Segment* pSeg = static_cast<Segment*>(pObject);
        Goto* pGoto = static_cast<Goto*>(pSeg->GetOwner());
        long mx, my;
        ViewToModel(vx, vy, mx, my);
        pGoto->MoveSegment(pSeg, mx, my);
        GetModelObserver().NotifyChildren(pGoto, OBJECT_REBUILD, 0);
        break;
    }
    case PX_CLASS_POWERBLOCKICON:
        OffsetAndSnap(pState, vx, vy);
        AddBlockNamed(static_cast<PowerBlockIcon*>(pObject), vx, vy);
        break;
    default:
        PXMessageBeep(MB_ICONEXCLAMATION);
        break;
    }
}

void EditChild::Outline(DragState* pState, BandList* pOutlines, int x, int y)
{
    UIObject* pObject = DraggedObject(pState);
    POINT pt = {x, y};
    DeviceToLogical(pt);
    long vx = pt.x, vy = pt.y;
    const long S = m_Metrics.nIconSide;
    switch (pObject ? pObject->isA() : 0)
    {
    case PX_CLASS_POWERBLOCK:
    case PX_CLASS_TEXTUI:
    case PX_CLASS_POWERBLOCKICON:
    {
        OffsetAndSnap(pState, vx, vy);
        POINT ptDev = {vx, vy};
        LogicalToDevice(ptDev);
        if (pOutlines->GetOwner() == HWindow && pOutlines->GetCount() > 0)
        {
            pOutlines->Move(ptDev.x, ptDev.y);
            break;
        }
        pOutlines->Clear();
        pOutlines->Start(HWindow, ptDev.x, ptDev.y);
        if (pObject->isA() == PX_CLASS_POWERBLOCKICON)
        {
            RECT rc = {vx, vy, vx + S, vy + S};
            LogicalToDevice(rc);
            pOutlines->AddRect(rc);
        }
        else if (pState->pSelection)
        {
            const RECT& rcPressed = pState->pPressed->GetRect();
            const long dx = vx - rcPressed.left, dy = vy - rcPressed.top;
            for (ListIterator it(*pState->pSelection); it; ++it)
            {
                UIObject* pSel = static_cast<UIObject*>(&it.current());
                RECT rc;
                if (pSel->isA() == PX_CLASS_POWERBLOCK)
                {
                    PowerBlock* pBlock = static_cast<PowerBlock*>(pSel);
                    long bx, by;
                    ModelToView(pBlock->GetX(), pBlock->GetY(), bx, by);
                    rc = {bx + dx, by + dy, bx + dx + S, by + dy + S};
                }
                else if (pSel->isA() == PX_CLASS_TEXTUI)
                {
                    long l, r, t, b;
                    static_cast<PXTextUI*>(pSel)->GetRect(l, r, t, b);
                    ModelToView(l, t, rc.left, rc.top);
                    ModelToView(r, b, rc.right, rc.bottom);
                    OffsetRect(&rc, dx, dy);
                }
                else
                    continue;
                LogicalToDevice(rc);
                pOutlines->AddRect(rc);
            }
        }
        pOutlines->Show(true);
        break;
    }
    case PX_CLASS_SEGMENT:
    {
        Segment* pSeg = static_cast<Segment*>(pObject);
        long x0, y0, x1, y1;
        ModelToView(pSeg->m_nFromX, pSeg->m_nFromY, x0, y0);
        ModelToView(pSeg->m_nToX, pSeg->m_nToY, x1, y1);
        POINT p[4];
        if (pSeg->m_nFromY == pSeg->m_nToY)
            p[0] = {x0, y0}, p[1] = {x0, vy}, p[2] = {x1, vy}, p[3] = {x1, y1};
        else
            p[0] = {x0, y0}, p[1] = {vx, y0}, p[2] = {vx, y1}, p[3] = {x1, y1};
        for (POINT& q : p)
            LogicalToDevice(q);
        pOutlines->Clear();
        pOutlines->Start(HWindow, p[1].x, p[1].y);
        for (int i = 0; i < 3; ++i)
            pOutlines->AddLine(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
        pOutlines->Show(true);
        break;
    }
    default:
        PXMessageBeep(MB_ICONEXCLAMATION);
        break;
    }
}

// ---- editing -----------------------------------------------------------------

void EditChild::MoveSelection(DragState* pState, long vx, long vy)
{
    UIObject* pPressed = DraggedObject(pState);
    if (!pPressed || !pState->pSelection)
        return;
    if ((pPressed->isA() == PX_CLASS_POWERBLOCK || pPressed->isA() == PX_CLASS_TEXTUI) &&
        static_cast<ProgramObject*>(pPressed)->GetPage() != m_pPage)
    {
        ShowMessageId(IDS_PANE_MOVEPAGES, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    long mx, my, ox, oy;
    ViewToModel(vx, vy, mx, my);
    const RECT& rcPressed = pState->pPressed->GetRect();
    ViewToModel(rcPressed.left, rcPressed.top, ox, oy);
    std::vector<UIObject*> objects;
    for (ListIterator it(*pState->pSelection); it; ++it)
    {
        UIObject* pObj = static_cast<UIObject*>(&it.current());
        if (pObj->isA() == PX_CLASS_POWERBLOCK || pObj->isA() == PX_CLASS_TEXTUI)
            objects.push_back(pObj);
    }
    // The smallest coordinates start at the largest integer, so that a
    // selection lying anywhere on the page is measured.
    long nMinX = LONG_MAX, nMinY = LONG_MAX;
    for (UIObject* pObj : objects)
    {
        long x, y;
        if (pObj->isA() == PX_CLASS_POWERBLOCK)
            x = static_cast<PowerBlock*>(pObj)->GetX(), y = static_cast<PowerBlock*>(pObj)->GetY();
        else
        {
            long r, b;
            static_cast<PXTextUI*>(pObj)->GetRect(x, r, y, b);
        }
        nMinX = std::min(nMinX, x);
        nMinY = std::min(nMinY, y);
    }
    if (objects.empty())
        return;
    if (nMinX + mx - ox < 1)
        ox = nMinX + mx - 20;
    if (nMinY + my - oy < 1)
        oy = nMinY + my - 20;
    const long dx = mx - ox, dy = my - oy;
    std::vector<PowerBlock*> moved;
    for (UIObject* pObj : objects)
    {
        if (pObj->isA() == PX_CLASS_POWERBLOCK)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(pObj);
            pBlock->SetPosition(pBlock->GetX() + dx, pBlock->GetY() + dy);
            moved.push_back(pBlock);
        }
        else
        {
            PXTextUI* pNote = static_cast<PXTextUI*>(pObj);
            long l, r, t, b;
            pNote->GetRect(l, r, t, b);
            pNote->SetRect(l + dx, r + dx, t + dy, b + dy);
            pNote->SetModified();
        }
        GetModelObserver().NotifyChildren(pObj, OBJECT_REBUILD, 0);
    }
    RouteGotoLines();
    for (PowerBlock* pBlock : moved)
        CheckGotosUnderBlock(pBlock);
}

void EditChild::RouteGotoLines()
{
    if (!m_pPage || PXLongOperation::IsRunning())
        return;
    std::vector<Goto*> stubs, lines;
    for (ListIterator b(m_pPage->GetBlocks()); b; ++b)
        for (ListIterator g(static_cast<PowerBlock&>(b.current()).GetGotos()); g; ++g)
        {
            Goto* pGoto = static_cast<Goto*>(&g.current());
            if (!pGoto->IsRerouteMarked())
                continue;
            (pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB) ? stubs : lines).push_back(pGoto);
        }
    for (Goto* pGoto : stubs)
        GetModelObserver().NotifyChildren(pGoto, OBJECT_REBUILD, 0);
    for (Goto* pGoto : lines)
        GetModelObserver().NotifyChildren(pGoto, OBJECT_REBUILD, 0);
}

void EditChild::CheckGotosUnderBlock(PowerBlock* pBlock)
{
    if (!ModelIsOptionSet(MODEL_OPT_SMARTROUTING))
        return;
    long vx, vy;
    ModelToView(pBlock->GetX(), pBlock->GetY(), vx, vy);
    const RECT rc = BlockRectAt(vx, vy);
    std::vector<Goto*> lines;
    while (DisplayObject* pObj = m_pGrid->Next(rc))
    {
        if (pObj->isA() != PX_CLASS_LINESEGMENTOBJECT)
            continue;
        Goto* pGoto = static_cast<LineSegmentObject*>(pObj)->GetGoto();
        if (!pGoto || pGoto->GetBlock() == pBlock || pGoto->GetTarget() == pBlock)
            continue;
        if (std::find(lines.begin(), lines.end(), pGoto) == lines.end())
            lines.push_back(pGoto);
    }
    for (Goto* pGoto : lines)
    {
        pGoto->MarkForReroute();
        pGoto->ClearFlag(GOTO_FLAG_HANDEDIT);
    }
    for (Goto* pGoto : lines)
        GetModelObserver().NotifyChildren(pGoto, OBJECT_REBUILD, 0);
}

void EditChild::AddBlockFromIcon(PowerBlockIcon* pIcon, long vx, long vy)
{
    AddBlock(pIcon, vx, vy, false);
}

void EditChild::AddBlockNamed(PowerBlockIcon* pIcon, long vx, long vy)
{
    AddBlock(pIcon, vx, vy, true);
}

void EditChild::AddBlock(PowerBlockIcon* pIcon, long vx, long vy, bool bAlwaysAsk)
{
    if (!pIcon || !m_pPage)
        return;
    long mx, my;
    ViewToModel(vx, vy, mx, my);
    char szFormat[64] = "";
    LoadStringA(PXGetResourceHandle(), IDS_PANE_ADDBLOCK, szFormat, sizeof(szFormat));
    char szPrompt[128];
    std::snprintf(szPrompt, sizeof(szPrompt), szFormat, pIcon->GetName() ? pIcon->GetName() : "");
    PowerBlock* pBlock = nullptr;
    int nRetry = 0;
    do
    {
        if (pBlock)
        {
            delete pBlock;
            pBlock = nullptr;
        }
        char szName[128] = "";
        bool bNamed = false;
        if (!bAlwaysAsk && ModelIsOptionSet(kOptAutoName))
            bNamed = pIcon->MakeUniqueName(szName, sizeof(szName));
        if (!bNamed)
        {
            UIPageFrame* pFrame = GetPageFrame();
            if (!pFrame)
            {
                ShowMessageId(IDS_PANE_NOMEMDIALOG, nullptr, MB_ICONEXCLAMATION);
                return;
            }
            if (!pFrame->AskBlockName(HWindow, szPrompt, szName, sizeof(szName)))
                return;
        }
        nRetry = 0;
        pBlock = new (std::nothrow)
            PowerBlock(m_pPage, szName, pIcon->GetInfo(), pIcon, mx, my, &nRetry, nullptr, 0, nullptr);
        if (!pBlock)
        {
            ShowMessageId(IDS_PANE_NOMEMBLOCK, nullptr, MB_ICONEXCLAMATION);
            return;
        }
    } while (nRetry);
    if (!pBlock->HasHandle())
    {
        delete pBlock;
        return;
    }
    m_pPage->AddObject(pBlock);
    ModelObserver& observer = GetModelObserver();
    observer.NotifyChildren(pBlock, OBJECT_ADDED, 0);
    CheckGotosUnderBlock(pBlock);
    observer.NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
    pBlock->SyncGotos(0, 0, 1);
    observer.NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
}

bool EditChild::Select(UIObject* pObject, bool bExclusive, int nHow)
{
    if (!pObject)
        return false;
    UIObject* pFirst = m_Selection.First();
    if (pObject->isA() == PX_CLASS_POWERBLOCK && pFirst && pFirst->isA() == PX_CLASS_GOTOBLOCK)
    {
        PowerBlock* pTarget = static_cast<PowerBlock*>(pObject);
        ModelObserver& observer = GetModelObserver();
        const long nStubFlag = ModelIsOptionSet(MODEL_OPT_LABELSTUBS) ? GOTO_FLAG_LABELSTUB : GOTO_FLAG_STUB;
        std::vector<GotoBlock*> stubs;
        for (ListIterator it(m_Selection); it; ++it)
            if (static_cast<UIObject&>(it.current()).isA() == PX_CLASS_GOTOBLOCK)
                stubs.push_back(static_cast<GotoBlock*>(&it.current()));
        for (GotoBlock* pStub : stubs)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(pStub->GetOwner());
            if (!pBlock)
                continue;
            CString strOutput(pStub->GetOutputName());
            if (Goto* pOld = pBlock->FindGoto(strOutput))
            {
                if (pOld->HasFlag(GOTO_FLAG_FROMMODEL))
                    continue;
                if (pOld->GetTarget() == pTarget)
                {
                    pOld->MarkForReroute();
                    pOld->ClearFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB);
                    if (nHow == 2)
                        pOld->SetFlag(nStubFlag);
                    observer.NotifyChildren(pOld, OBJECT_REBUILD, 0);
                    continue;
                }
                observer.NotifyChildren(pOld, OBJECT_CHANGING, 0);
                pBlock->RemoveGotoWithGroup(pOld);
            }
            Goto* pNew = pBlock->Connect(pTarget, strOutput, 0);
            if (!pNew)
                continue;
            if (nHow == 2)
                pNew->SetFlag(nStubFlag);
            observer.NotifyChildren(pNew, OBJECT_ADDED, 0);
        }
        ClearSelection();
        PXWinApp::UpdateCommandUI();
        return false;
    }
    if (pObject->isA() == PX_CLASS_SEGMENT)
    {
        UIObject* pGoto = static_cast<Segment*>(pObject)->GetOwner();
        return pGoto ? ObjectChild::Select(pGoto, bExclusive, nHow) : false;
    }
    const bool bResult = ObjectChild::Select(pObject, bExclusive, nHow);
    PXWinApp::UpdateCommandUI();
    return bResult;
}

PXTextUI* EditChild::CreateTextNote()
{
    if (!m_pPage)
        return nullptr;
    RECT rc = m_rcNote;
    rc.left = std::max(rc.left, 0L);
    rc.top = std::max(rc.top, 0L);
    RECT m = ViewRectToModel(rc);
    FontObject* pBase = g_pFonts ? g_pFonts->Find("default_textnotes") : nullptr;
    FontObject* pFont = pBase ? new (std::nothrow) FontObject("", *pBase) : nullptr;
    PXTextUI* pNote = new (std::nothrow) PXTextUI(m_pPage, m.left, m.right, m.top, m.bottom, pFont);
    if (!pNote)
    {
        delete pFont;
        ShowMessageId(IDS_PANE_NOMEMBLOCK, nullptr, MB_ICONEXCLAMATION);
        return nullptr;
    }
    m_pPage->AddNote(pNote);
    ObjectNotify(pNote, OBJECT_ADDED, 0);
    return pNote;
}
