// Shared helpers of the tests of the bars.
#include "BarsTestSupport.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "PenObject.h"
#include "PXUIMsg.h"

TestParent::TestParent() : TWindow(static_cast<TWindow*>(nullptr), "bars test")
{
    Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    Attr.X = 0;
    Attr.Y = 0;
    Attr.W = 500;
    Attr.H = 120;
}

LRESULT TestParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
    {
        commands.push_back({ LOWORD(wParam), HIWORD(wParam), lParam });
        return commandAnswer;
    }
    if (msg == WM_UI_RELAYOUT)
    {
        ++nRelayouts;
        return 0;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

std::vector<ReceivedCommand> TestParent::CommandsWithCode(UINT nCode) const
{
    std::vector<ReceivedCommand> result;
    for (const ReceivedCommand& c : commands)
        if (nCode == ~0u || c.nCode == nCode)
            result.push_back(c);
    return result;
}

void EnsureDrawingTables()
{
    if (!g_pFonts)
        g_pFonts = new Fonts(DefaultFontRows);
    if (!g_pBrushes)
        g_pBrushes = new Brushes(DefaultBrushRows);
    if (!g_pPens)
        g_pPens = new Pens(DefaultPenRows);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

Canvas::Canvas(int nWidth, int nHeight, COLORREF crFill)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_hDC(nullptr), m_hBitmap(nullptr), m_hOld(nullptr),
      m_pBits(nullptr)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(pBits);
    m_hDC = CreateCompatibleDC(nullptr);
    m_hOld = SelectObject(m_hDC, m_hBitmap);
    RECT rc = { 0, 0, nWidth, nHeight };
    HBRUSH hBrush = CreateSolidBrush(crFill);
    FillRect(m_hDC, &rc, hBrush);
    DeleteObject(hBrush);
}

Canvas::~Canvas()
{
    SelectObject(m_hDC, m_hOld);
    DeleteDC(m_hDC);
    DeleteObject(m_hBitmap);
}

void Canvas::Print(HWND hWnd)
{
    SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hDC), PRF_CLIENT);
    GdiFlush();
}

COLORREF Canvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    DWORD v = m_pBits[y * m_nWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Canvas::Count(const RECT& rc, COLORREF cr) const
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) == cr)
                ++n;
    return n;
}

namespace {
const char kCounterProp[] = "PXBarsPaintCounter";
}

PaintCounter::PaintCounter(HWND hWnd) : m_hWnd(hWnd)
{
    SetPropA(hWnd, kCounterProp, this);
    m_pfnPrev = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintCounter::Proc)));
}

PaintCounter::~PaintCounter()
{
    if (IsWindow(m_hWnd))
    {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrev));
        RemovePropA(m_hWnd, kCounterProp);
    }
}

LRESULT CALLBACK PaintCounter::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    PaintCounter* p = static_cast<PaintCounter*>(GetPropA(hWnd, kCounterProp));
    if (!p)
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    if (msg == WM_PAINT)
        ++p->m_nPaints;
    return CallWindowProcA(p->m_pfnPrev, hWnd, msg, wParam, lParam);
}
