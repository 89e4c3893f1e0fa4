// The display objects of a block.
#include "PowerBlockObject.h"
#include "DrawHelpers.h"
#include "FontObject.h"
#include "ModelObserver.h"
#include "Icons.h"
#include "ModelRes.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"

#include <cstring>
#include <new>

namespace
{
HFONT PaneFont(DisplayPane* pPane)
{
    FontObject* pFont = pPane ? pPane->GetResourceRecord() : nullptr;
    return pFont ? pFont->GetFont() : nullptr;
}

long Width(const RECT& rc)
{
    return rc.right - rc.left;
}

// Text colours and background of a drawing, restored when it ends.
class TextState
{
public:
    explicit TextState(HDC hDC)
        : m_hDC(hDC), m_nBkMode(GetBkMode(hDC)), m_crBk(GetBkColor(hDC)), m_crText(GetTextColor(hDC)),
          m_nAlign(GetTextAlign(hDC))
    {
    }
    ~TextState()
    {
        SetBkMode(m_hDC, m_nBkMode);
        SetBkColor(m_hDC, m_crBk);
        SetTextColor(m_hDC, m_crText);
        SetTextAlign(m_hDC, m_nAlign);
    }

private:
    HDC m_hDC;
    int m_nBkMode;
    COLORREF m_crBk;
    COLORREF m_crText;
    UINT m_nAlign;
};

void ReportNoBranchMemory()
{
    CString strCaption(MAKEINTRESOURCEA(IDS_FILE_ERRORCAPTION));
    ShowMessageId(IDS_MODEL_NOMEMBRANCH, const_cast<char*>(static_cast<const char*>(strCaption)), MB_ICONEXCLAMATION);
}

void Line(HDC hDC, long x0, long y0, long x1, long y1)
{
    MoveToEx(hDC, x0, y0, nullptr);
    LineTo(hDC, x1, y1);
}
}

// ---- PowerBlockObject ----------------------------------------------------

PowerBlockObject::PowerBlockObject(DisplayPane* pPane, PowerBlock* pBlock, const RECT& rc)
    : DisplayObject(pPane, pBlock, rc), m_rcName(rc), m_rcIcon(rc), m_rcType(rc)
{
    DisplayResources::Get();
    PaneDC dc(pPane);
    if (dc)
    {
        UseFont font(dc, PaneFont(pPane));
        Layout(dc);
    }
}

PowerBlock* PowerBlockObject::GetBlock() const
{
    return static_cast<PowerBlock*>(m_pObject);
}

const char* PowerBlockObject::TypeName() const
{
    PowerBlockInfo* pInfo = GetBlock()->GetInfo();
    return pInfo && pInfo->name ? pInfo->name : "";
}

void PowerBlockObject::Layout(HDC hDC)
{
    const PaneMetrics& m = m_pPane->GetMetrics();
    RECT rc = {m_rc.left, m_rc.top, m_rc.right, m_rc.top + m.nTextLine};
    CentreRect(rc, TextWidth(hDC, GetBlock()->GetName()) + 2, 0, &m_rcName);

    rc.top = m_rcName.bottom + m.nBlockMargin;
    rc.bottom = rc.top + m.nIconSide;
    CentreRect(rc, m.nIconSide, 0, &m_rcIcon);

    rc.top = m_rcIcon.bottom + m.nBlockMargin;
    rc.bottom = rc.top + m.nTextLine;
    CentreRect(rc, TextWidth(hDC, TypeName()) + 2, 0, &m_rcType);

    const RECT* pWidest = &m_rcName;
    if (Width(m_rcIcon) > Width(*pWidest))
        pWidest = &m_rcIcon;
    if (Width(m_rcType) > Width(*pWidest))
        pWidest = &m_rcType;
    m_rc.left = pWidest->left;
    m_rc.right = pWidest->right;
}

void PowerBlockObject::Draw(HDC hDC, const DrawOffset*, const RECT*)
{
    const DisplayResources& res = DisplayResources::Get();
    PowerBlock* pBlock = GetBlock();
    UseFont font(hDC, PaneFont(m_pPane));
    Layout(hDC);

    TextState state(hDC);
    SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const long nFlags = pBlock->GetFlags();
    COLORREF crBack = 0;
    bool bOpaque = true;
    if (nFlags & PB_FLAG_CURRENT)
        crBack = res.crCurrent;
    else if (nFlags & PB_FLAG_BREAKPOINT)
        crBack = res.crBreakpoint;
    else if (m_pPane->IsSelected(pBlock))
        crBack = GetSysColor(COLOR_ACTIVECAPTION);
    else
        bOpaque = false;
    if (bOpaque)
    {
        SetBkMode(hDC, OPAQUE);
        SetBkColor(hDC, crBack);
        SetTextColor(hDC, GetSysColor(COLOR_CAPTIONTEXT));
    }
    else
    {
        SetBkMode(hDC, TRANSPARENT);
        SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    }
    const char* pszName = pBlock->GetName();
    const char* pszType = TypeName();
    TextOutA(hDC, m_rcName.left + 1, m_rcName.top, pszName, lstrlenA(pszName));
    TextOutA(hDC, m_rcType.left + 1, m_rcType.top, pszType, lstrlenA(pszType));

    DrawBitmapWithPalette(hDC, pBlock->GetIcon(), m_rcIcon);

    // Gray frame for a finished block, pink for one that still lacks
    // settings or connections.
    bool bFinished = false;
    if (pBlock->HasHandle())
    {
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(pBlock->GetType())), pBlock,
                            pBlock->GetHandle(), pBlock->GetType());
        bFinished = record.CheckFinished() != 0;
    }
    UsePen pen(hDC, bFinished ? res.hGrayFrame : res.hPinkFrame);
    MoveToEx(hDC, m_rcIcon.right, m_rcIcon.top, nullptr);
    LineTo(hDC, m_rcIcon.left, m_rcIcon.top);
    LineTo(hDC, m_rcIcon.left, m_rcIcon.bottom);
    LineTo(hDC, m_rcIcon.right, m_rcIcon.bottom);
    LineTo(hDC, m_rcIcon.right, m_rcIcon.top);
}

bool PowerBlockObject::Intersects(const RECT& rc) const
{
    RECT r;
    if (!IntersectRect(&r, &m_rc, &rc))
        return false;
    return IntersectRect(&r, &m_rcName, &rc) || IntersectRect(&r, &m_rcIcon, &rc) ||
           IntersectRect(&r, &m_rcType, &rc);
}

bool PowerBlockObject::Contains(long x, long y) const
{
    POINT pt = {x, y};
    return PtInRect(&m_rcName, pt) || PtInRect(&m_rcIcon, pt) || PtInRect(&m_rcType, pt);
}

void PowerBlockObject::EditProperties(DisplayPane* pPane, PowerBlock* pBlock)
{
    int nChanged = 0;
    pBlock->EditProperties(nChanged);
    // The notifications rebuild the block's display objects: the object
    // that was clicked is gone by then.
    if (nChanged)
    {
        pPane->NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
        pBlock->SyncGotos(0, 1, 0);
        pPane->NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    }
    else
        pPane->NotifyChildren(pBlock, OBJECT_REPAINT, 0);
}

bool PowerBlockObject::Click(long, long, int nKind)
{
    DisplayPane* pPane = m_pPane;
    PowerBlock* pBlock = GetBlock();
    switch (nKind)
    {
    case DO_CLICK_DOUBLE:
        EditProperties(pPane, pBlock);
        return true;
    case DO_CLICK_RIGHTDOUBLE:
        return true;
    case DO_CLICK_OPEN:
        if (pBlock->GetType() == KVR_PB_SUPERCALL)
        {
            // A block that calls a page opens it.
            Program* pProgram = pBlock->GetProgram();
            Page* pPage = pProgram ? pProgram->FindPage(TypeName()) : nullptr;
            if (pPage)
            {
                pPane->ShowPage(pPage);
                return true;
            }
        }
        else if (pBlock->GetType() == KVR_PB_CUSTOM)
            return kvrOpenCustomPB(TypeName()) != 0;
        EditProperties(pPane, pBlock);
        return true;
    default:
        return false;
    }
}

const char* PowerBlockObject::HoverText()
{
    UIObject* pFirst = m_pPane->GetFirstSelected();
    if (pFirst && pFirst->isA() == PX_CLASS_GOTOBLOCK)
        return Text(IDS_DO_CONNECTTOBLOCK);
    // The description's first line, at most 127 characters.
    static char s_szHover[128];
    const char* pszText = GetBlock()->GetDescription();
    size_t n = 0;
    if (pszText)
        while (n < sizeof(s_szHover) - 1 && pszText[n] && pszText[n] != '\r')
        {
            s_szHover[n] = pszText[n];
            ++n;
        }
    s_szHover[n] = '\0';
    return s_szHover;
}

const char* PowerBlockObject::DragText()
{
    return Text(IDS_DO_MOVING);
}

const char* PowerBlockObject::StatusText()
{
    return Text(IDS_DO_BLOCKSTATUS);
}

// ---- GotoBlockObject -----------------------------------------------------

GotoBlockObject::GotoBlockObject(DisplayPane* pPane, GotoBlock* pStub, const RECT& rc, PowerBlock* pBlock)
    : DisplayObject(pPane, pStub, rc), m_pBlock(pBlock)
{
    DisplayResources::Get();
    if (m_pBlock)
        m_pBlock->GetDisplayObjects().add(*this);
}

GotoBlockObject::~GotoBlockObject()
{
    if (m_pBlock)
        m_pBlock->GetDisplayObjects().detach(*this, TShouldDelete::NoDelete);
}

GotoBlock* GotoBlockObject::GetStub() const
{
    return static_cast<GotoBlock*>(m_pObject);
}

bool GotoBlockObject::Shows(const UIObject* pObject) const
{
    return pObject == m_pObject || (pObject && pObject == m_pBlock);
}

void GotoBlockObject::Draw(HDC hDC, const DrawOffset*, const RECT* pClip)
{
    const DisplayResources& res = DisplayResources::Get();
    UseFont font(hDC, PaneFont(m_pPane));
    const bool bSelected = m_pPane->IsSelected(m_pObject);

    // A square stub stands for an output shown without its name.
    if (Width(m_rc) == m_rc.bottom - m_rc.top)
    {
        FillRect(hDC, &m_rc, bSelected ? res.hSelectedGotoBlock : res.hNormalGotoBlock);
        return;
    }

    TextState state(hDC);
    SetBkMode(hDC, TRANSPARENT);
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    int nState = m_pBlock ? kvrSDOIsOutputOptionalApplicable(m_pBlock->GetType(), m_pBlock->GetHandle(),
                                                             GetStub()->GetOutputName())
                          : 0;
    if (nState & (KVR_OUT_CONNECTED | KVR_OUT_OPTIONAL))
    {
        if (HBRUSH hBrush = CreateSolidBrush(crFace))
        {
            FillRect(hDC, &m_rc, hBrush);
            DeleteObject(hBrush);
        }
    }
    else
    {
        // An output that still needs a connection: magenta hatching.
        static const WORD s_pattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        if (HBITMAP hPattern = CreateBitmap(8, 8, 1, 1, s_pattern))
        {
            if (HBRUSH hBrush = CreatePatternBrush(hPattern))
            {
                SetTextColor(hDC, RGB(255, 0, 255));
                SetBkColor(hDC, crFace);
                FillRect(hDC, &m_rc, hBrush);
                DeleteObject(hBrush);
            }
            DeleteObject(hPattern);
        }
    }

    HPEN hShadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN hHighlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    {
        // A selected stub looks pressed.
        UsePen pen(hDC, bSelected ? hHighlight : hShadow);
        Line(hDC, m_rc.left, m_rc.bottom - 1, m_rc.right, m_rc.bottom - 1);
        Line(hDC, m_rc.right, m_rc.bottom - 1, m_rc.right, m_rc.top);
        SelectObject(hDC, bSelected ? hShadow : hHighlight);
        Line(hDC, m_rc.left, m_rc.top, m_rc.right, m_rc.top);
        Line(hDC, m_rc.left, m_rc.top, m_rc.left, m_rc.bottom - 1);
    }
    DeleteObject(hShadow);
    DeleteObject(hHighlight);

    const char* pszName = GetStub()->GetOutputName();
    SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    SetTextAlign(hDC, TA_RIGHT | TA_TOP | TA_NOUPDATECP);
    const long x = m_rc.right - m_pPane->GetMetrics().nTextMargin;
    RECT rcClip;
    if (pClip && IntersectRect(&rcClip, &m_rc, pClip))
        ExtTextOutA(hDC, x, m_rc.top, ETO_CLIPPED, &rcClip, pszName, lstrlenA(pszName), nullptr);
    else
        TextOutA(hDC, x, m_rc.top, pszName, lstrlenA(pszName));
}

const char* GotoBlockObject::HoverText()
{
    if (m_pPane->GetFirstSelected() == m_pObject)
        return Text(IDS_DO_SELECTBLOCK);
    return Text(IDS_DO_CONNECTOUTPUT);
}

const char* GotoBlockObject::StatusText()
{
    return Text(IDS_DO_SELECTBLOCK);
}

// ---- BranchObject --------------------------------------------------------

BranchObject::BranchObject(DisplayPane* pPane, PowerBlock* pBlock, const RECT& rc, POINT ptStart,
                           const POINT* pPoints, int nCount)
    : DisplayObject(pPane, pBlock, rc), m_ptStart(ptStart)
{
    DisplayResources::Get();
    try
    {
        if (pPoints && nCount > 0)
            m_Points.assign(pPoints, pPoints + nCount);
    }
    catch (const std::bad_alloc&)
    {
        m_Points.clear();
        ReportNoBranchMemory();
    }
}

void BranchObject::Draw(HDC hDC, const DrawOffset* pOffset, const RECT*)
{
    std::vector<POINT> pts;
    try
    {
        pts = m_Points;
    }
    catch (const std::bad_alloc&)
    {
        ReportNoBranchMemory();
        return;
    }
    if (pts.empty())
        return;
    POINT start = m_ptStart;
    if (pOffset)
    {
        const long dx = pOffset->cx / 2 - pOffset->x;
        const long dy = pOffset->cy / 2 - pOffset->y;
        for (POINT& pt : pts)
        {
            pt.x += dx;
            pt.y += dy;
        }
        start.x += dx;
        start.y += dy;
    }

    const long m = m_rc.left + (m_rc.right - m_rc.left) / 2;   // the trunk
    const long x1 = start.x + 1;
    const long sy = start.y;
    const long f = pts.front().y;
    const long l = pts.back().y;

    HPEN hShadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN hHighlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN hFace = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    {
        UsePen pen(hDC, hShadow);
        Line(hDC, x1, sy + 1, m - 1, sy + 1);
        Line(hDC, m + 1, f + 1, m + 1, l - 1);
        for (const POINT& pt : pts)
            Line(hDC, m + 1, pt.y + 1, pt.x + 1, pt.y + 1);

        SelectObject(hDC, hHighlight);
        Line(hDC, x1, sy - 1, m - 1, sy - 1);
        Line(hDC, m - 1, f - 2, m - 1, l + 2);
        for (const POINT& pt : pts)
            Line(hDC, m + 1, pt.y - 1, pt.x + 1, pt.y - 1);

        SelectObject(hDC, hFace);
        Line(hDC, x1, sy - 2, m - 1, sy - 2);
        Line(hDC, m - 2, f - 2, m - 2, l + 2);
        Line(hDC, m - 2, f - 2, m + 1, f - 2);
        for (const POINT& pt : pts)
            Line(hDC, m + 1, pt.y - 2, pt.x + 1, pt.y - 2);
        Line(hDC, x1, sy, m - 2, sy);
        Line(hDC, m, f, m, l);
        for (const POINT& pt : pts)
            Line(hDC, m, pt.y, pt.x, pt.y);

        SelectObject(hDC, hShadow);
        Line(hDC, m - 2, l + 1, m + 1, l + 1);
    }
    DeleteObject(hShadow);
    DeleteObject(hHighlight);
    DeleteObject(hFace);
}
