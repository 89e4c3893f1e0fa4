// The page pane of the display-object tests.
#include "DisplayTestSupport.h"
#include "BitmapObject.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "LineObjects.h"
#include "PenObject.h"
#include "PowerBlockObject.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"

#include <algorithm>

namespace
{
const char* const kPaneClass = "PXTESTPANE";

}

LRESULT CALLBACK TestPane::PaneProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pPane = reinterpret_cast<TestPane*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pPane && uMsg == WM_COMMAND &&
        (LOWORD(wParam) == PANE_CMD_ENDEDIT || HIWORD(wParam) == EN_KILLFOCUS))
    {
        pPane->EndEdit();
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

void TestPane::EndEdit()
{
    if (m_pEditedNote && EndTextNoteEdit(this, m_pEditedNote))
        ++m_nEditsEnded;
}

void TestPane::Show()
{
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    SetFocus(m_hWnd);
}

namespace
{
void RegisterPaneClass()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TestPane::PaneProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPaneClass;
    RegisterClassA(&wc);
    s_bDone = true;
}

// The editor's page metrics in model units: S 53, W 256, T 10, D 24, M 4,
// V 2.
const long kIconSide = 53, kBodyWidth = 256, kTextLine = 10, kOutputOffset = 24, kTextMargin = 4,
           kBlockMargin = 2;
}

void MakeDrawingTables()
{
    if (!g_pFonts)
        g_pFonts = new Fonts(DefaultFontRows);
    if (!g_pBrushes)
        g_pBrushes = new Brushes(DefaultBrushRows);
    if (!g_pPens)
        g_pPens = new Pens(DefaultPenRows);
    if (!g_pBitmaps)
        g_pBitmaps = new Bitmaps();
}

TestPane::TestPane(int nZoom) : m_Grid(nullptr, 240, 120), m_hWnd(nullptr), m_nZoom(nZoom)
{
    MakeDrawingTables();
    RegisterPaneClass();
    m_hWnd = CreateWindowExA(0, kPaneClass, "pane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1000, 800,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FontObject* pFont = GetResourceRecord();
    m_nHScale = pFont->GetAveCharWidth() * 1024;
    m_nVScale = pFont->GetCharHeight() * 1024;
    long v = 0;
    ModelToView(kIconSide, 0, m_metrics.nIconSide, v);
    ModelToView(kBodyWidth, kTextLine, m_metrics.nBodyWidth, m_metrics.nTextLine);
    ModelToView(kOutputOffset, kBlockMargin, m_metrics.nOutputOffset, m_metrics.nBlockMargin);
    ModelToView(kTextMargin, 0, m_metrics.nTextMargin, v);
}

TestPane::~TestPane()
{
    Clear();
    m_pEditedNote = nullptr;
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

HDC TestPane::GetPaneDC()
{
    HDC hDC = ::GetDC(m_hWnd);
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowExtEx(hDC, 100, 100, nullptr);
    SetViewportExtEx(hDC, m_nZoom, m_nZoom, nullptr);
    return hDC;
}

void TestPane::ReleasePaneDC(HDC hDC)
{
    SetMapMode(hDC, MM_TEXT);
    ::ReleaseDC(m_hWnd, hDC);
}

FontObject* TestPane::GetResourceRecord()
{
    return g_pFonts->Find("powerblock_label");
}

void TestPane::ModelToView(long mx, long my, long& vx, long& vy) const
{
    vx = (mx * m_nHScale + 4096) >> 13;
    vy = (my * m_nVScale + 4096) >> 13;
}

void TestPane::ViewToModel(long vx, long vy, long& mx, long& my) const
{
    mx = (vx * 8192 + m_nHScale / 2) / m_nHScale;
    my = (vy * 8192 + m_nVScale / 2) / m_nVScale;
}

bool TestPane::IsSelected(UIObject* pObject) const
{
    return pObject && std::find(m_Selection.begin(), m_Selection.end(), pObject) != m_Selection.end();
}

UIObject* TestPane::GetFirstSelected() const
{
    return m_Selection.empty() ? nullptr : m_Selection.front();
}

bool TestPane::Select(UIObject* pObject, bool bExclusive, int nHow)
{
    m_Selects.push_back({pObject, nHow, bExclusive ? 1 : 0});
    if (bExclusive)
        m_Selection.clear();
    if (!IsSelected(pObject))
        m_Selection.push_back(pObject);
    return true;
}

void TestPane::ObjectNotify(UIObject* pObject, int nKind, unsigned)
{
    switch (nKind)
    {
    case 2:
        if (RemoveDisplayObjects(pObject))
            AddDisplayObjects(pObject);
        break;
    case 3:
    case 5:
        RemoveDisplayObjects(pObject);
        break;
    case 4:
    case 6:
        AddDisplayObjects(pObject);
        break;
    default:
        break;
    }
}

void TestPane::NotifyChildren(UIObject* pObject, int nKind, int nFlags)
{
    m_Notices.push_back({pObject, nKind, nFlags});
    ObjectNotify(pObject, nKind, static_cast<unsigned>(nFlags));
}

void TestPane::Add(DisplayObject* pObj)
{
    m_Objects.push_back(pObj);
    m_Grid.AddObject(pObj);
}

int TestPane::RemoveDisplayObjects(UIObject* pObject)
{
    int n = 0;
    for (size_t i = m_Objects.size(); i-- > 0;)
    {
        DisplayObject* pObj = m_Objects[i];
        if (!pObj->Shows(pObject))
            continue;
        m_Grid.RemoveObject(pObj);
        m_Objects.erase(m_Objects.begin() + static_cast<std::ptrdiff_t>(i));
        delete pObj;
        ++n;
    }
    return n;
}

void TestPane::Clear()
{
    for (DisplayObject* pObj : m_Objects)
    {
        m_Grid.RemoveObject(pObj);
        delete pObj;
    }
    m_Objects.clear();
}

DisplayObject* TestPane::Find(UIObject* pObject, classType nClass) const
{
    for (DisplayObject* pObj : m_Objects)
        if (pObj->GetObject() == pObject && pObj->isA() == nClass)
            return pObj;
    return nullptr;
}

std::vector<DisplayObject*> TestPane::FindAll(classType nClass) const
{
    std::vector<DisplayObject*> found;
    for (DisplayObject* pObj : m_Objects)
        if (pObj->isA() == nClass)
            found.push_back(pObj);
    return found;
}

void TestPane::AddDisplayObjects(UIObject* pObject)
{
    switch (pObject->isA())
    {
    case PX_CLASS_POWERBLOCK:
        AddBlockDisplays(static_cast<PowerBlock*>(pObject));
        break;
    case PX_CLASS_GOTO:
        AddGotoDisplays(static_cast<Goto*>(pObject));
        break;
    case PX_CLASS_TEXTUI:
        AddTextNoteDisplay(static_cast<PXTextUI*>(pObject));
        break;
    default:
        break;
    }
}

void TestPane::AddBlockDisplays(PowerBlock* pBlock)
{
    const PaneMetrics& m = m_metrics;
    long vx, vy;
    ModelToView(pBlock->GetX(), pBlock->GetY(), vx, vy);
    RECT body;
    body.left = vx - (m.nBodyWidth - m.nIconSide) / 2;
    body.top = vy - (m.nTextLine + m.nBlockMargin);
    body.right = body.left + m.nBodyWidth;
    body.bottom = body.top + 2 * m.nTextLine + m.nIconSide + 2 * m.nBlockMargin;
    Add(new PowerBlockObject(this, pBlock, body));

    // The output stubs beside the body.
    std::vector<GotoBlock*> stubs;
    for (int i = 0; i < pBlock->GetOutputCount(); ++i)
        if (pBlock->IsOutputOptional(pBlock->GetInfo()->outputs[i].name))
            stubs.push_back(pBlock->FindGotoBlock(pBlock->GetInfo()->outputs[i].name));
    const int n = static_cast<int>(stubs.size());
    if (n == 0)
        return;
    TEXTMETRICA tm;
    long nWidest = 0;
    {
        HDC hDC = GetPaneDC();
        HGDIOBJ hOld = SelectObject(hDC, GetResourceRecord()->GetFont());
        GetTextMetricsA(hDC, &tm);
        for (GotoBlock* pStub : stubs)
            nWidest = std::max(nWidest, TextWidth(hDC, pStub->GetOutputName()));
        SelectObject(hDC, hOld);
        ReleasePaneDC(hDC);
    }
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
    std::vector<RECT> rects(static_cast<size_t>(n));
    const int mid = (n - 1) / 2;
    long y = (n % 2) ? cy - L / 2 : cy - L;
    for (int i = mid; i >= 0; --i, y -= L)
        SetRect(&rects[static_cast<size_t>(i)], x0 + nOffset, y, x0 + nOffset + w, y + h);
    y = (n % 2) ? cy + L / 2 : cy;
    for (int i = mid + 1; i < n; ++i, y += L)
        SetRect(&rects[static_cast<size_t>(i)], x0 + nOffset, y, x0 + nOffset + w, y + h);
    if (bSquare)
        SetRect(&rects[0], x0 + nOffset, cy - g / 2, x0 + nOffset + g, cy - g / 2 + g);
    for (int i = 0; i < n; ++i)
        Add(new GotoBlockObject(this, stubs[static_cast<size_t>(i)], rects[static_cast<size_t>(i)], pBlock));

    // The branch mark from the body to the stubs.
    RECT rcBranch = {body.right, rects.front().top, rects.front().left, rects.back().bottom};
    POINT anchor = {body.right, cy};
    std::vector<POINT> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        const RECT& rc = rects[static_cast<size_t>(i)];
        pts[static_cast<size_t>(i)] = {rc.left, rc.top + (rc.bottom - rc.top) / 2};
        if (n % 2 && i == mid)
            pts[static_cast<size_t>(i)].y = anchor.y;
    }
    Add(new BranchObject(this, pBlock, rcBranch, anchor, pts.data(), n));
}

void TestPane::AddGotoDisplays(Goto* pGoto)
{
    const long nHeight = GetResourceRecord()->GetCharHeight();
    const long h = nHeight > 7 ? nHeight / 4 : 2;
    RECT rcLastHandle = {};
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
    {
        Segment* pSeg = pGoto->GetSegment(i);
        long x0, y0, x1, y1;
        ModelToView(pSeg->m_nFromX, pSeg->m_nFromY, x0, y0);
        ModelToView(pSeg->m_nToX, pSeg->m_nToY, x1, y1);
        const bool bHorizontal = y0 == y1;
        RECT rc;
        if (bHorizontal)
            SetRect(&rc, std::min(x0, x1), y0 - h, std::max(x0, x1), y0 + h);
        else
            SetRect(&rc, x0 - h, std::min(y0, y1), x0 + h, std::max(y0, y1));
        Add(new LineSegmentObject(this, pSeg, rc, bHorizontal ? 1 : 0));
        RECT rcHandle;
        SetRect(&rcHandle, x1 - h, y1 - h, x1 + h, y1 + h);
        Add(new LineBlockObject(this, pSeg, rcHandle));
        rcLastHandle = rcHandle;
    }
    if (pGoto->HasFlag(GOTO_FLAG_LABELSTUB) && pGoto->GetSegmentCount() > 0 && pGoto->GetTarget())
    {
        HDC hDC = GetPaneDC();
        HGDIOBJ hOld = SelectObject(hDC, GetResourceRecord()->GetFont());
        SIZE size = {};
        const char* pszName = pGoto->GetTarget()->GetName();
        GetTextExtentPoint32A(hDC, pszName, lstrlenA(pszName), &size);
        SelectObject(hDC, hOld);
        ReleasePaneDC(hDC);
        const long cy = rcLastHandle.top + (rcLastHandle.bottom - rcLastHandle.top) / 2;
        RECT rc = {rcLastHandle.right, cy - size.cy / 2, rcLastHandle.right + size.cx, cy - size.cy / 2 + size.cy};
        Add(new LineLabelObject(this, pGoto, rc));
    }
}

void TestPane::AddTextNoteDisplay(PXTextUI* pNote)
{
    long l, r, t, b;
    pNote->GetRect(l, r, t, b);
    RECT rc;
    ModelToView(l, t, rc.left, rc.top);
    ModelToView(r, b, rc.right, rc.bottom);
    Add(new PXTextDObj(this, pNote, rc));
}

void TestPane::AddPage(Page* pPage)
{
    ListIterator notes(pPage->GetNotes());
    while (notes)
        AddTextNoteDisplay(static_cast<PXTextUI*>(&static_cast<Object&>(notes++)));
    ListIterator blocks(pPage->GetBlocks());
    while (blocks)
    {
        PowerBlock* pBlock = static_cast<PowerBlock*>(&static_cast<Object&>(blocks++));
        AddBlockDisplays(pBlock);
        ListIterator gotos(pBlock->GetGotos());
        while (gotos)
            AddGotoDisplays(static_cast<Goto*>(&static_cast<Object&>(gotos++)));
    }
}

// ---- InkCanvas -------------------------------------------------------------

InkCanvas::InkCanvas(int nZoom, long vx, long vy, int cx, int cy) : m_pBits(nullptr), m_cx(cx), m_cy(cy)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(nullptr);
    m_hDC = CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    void* pBits = nullptr;
    m_hBitmap = CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(pBits);
    m_hOld = SelectObject(m_hDC, m_hBitmap);
    std::fill(m_pBits, m_pBits + static_cast<size_t>(cx) * static_cast<size_t>(cy), 0x00FFFFFFu);
    SetMapMode(m_hDC, MM_ANISOTROPIC);
    SetWindowExtEx(m_hDC, 100, 100, nullptr);
    SetViewportExtEx(m_hDC, nZoom, nZoom, nullptr);
    SetWindowOrgEx(m_hDC, vx, vy, nullptr);
}

InkCanvas::~InkCanvas()
{
    SelectObject(m_hDC, m_hOld);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hDC);
}

COLORREF InkCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD v = m_pBits[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

RECT InkCanvas::ToDevice(const RECT& rcView) const
{
    RECT rc = rcView;
    LPtoDP(m_hDC, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT InkCanvas::InkBounds() const
{
    RECT rc = {m_cx, m_cy, -1, -1};
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            if (IsInk(x, y))
            {
                rc.left = std::min<long>(rc.left, x);
                rc.top = std::min<long>(rc.top, y);
                rc.right = std::max<long>(rc.right, x + 1);
                rc.bottom = std::max<long>(rc.bottom, y + 1);
            }
    if (rc.right < 0)
        SetRectEmpty(&rc);
    return rc;
}

int InkCanvas::CountInk(const RECT& rc) const
{
    int n = 0;
    for (long y = std::max<long>(rc.top, 0); y < std::min<long>(rc.bottom, m_cy); ++y)
        for (long x = std::max<long>(rc.left, 0); x < std::min<long>(rc.right, m_cx); ++x)
            n += IsInk(static_cast<int>(x), static_cast<int>(y)) ? 1 : 0;
    return n;
}

int InkCanvas::CountColour(const RECT& rc, COLORREF cr) const
{
    int n = 0;
    for (long y = std::max<long>(rc.top, 0); y < std::min<long>(rc.bottom, m_cy); ++y)
        for (long x = std::max<long>(rc.left, 0); x < std::min<long>(rc.right, m_cx); ++x)
            n += Pixel(static_cast<int>(x), static_cast<int>(y)) == cr ? 1 : 0;
    return n;
}

int InkCanvas::CountOther(const RECT& rc, std::vector<COLORREF> colours) const
{
    int n = 0;
    for (long y = std::max<long>(rc.top, 0); y < std::min<long>(rc.bottom, m_cy); ++y)
        for (long x = std::max<long>(rc.left, 0); x < std::min<long>(rc.right, m_cx); ++x)
        {
            COLORREF cr = Pixel(static_cast<int>(x), static_cast<int>(y));
            n += std::find(colours.begin(), colours.end(), cr) == colours.end() ? 1 : 0;
        }
    return n;
}
