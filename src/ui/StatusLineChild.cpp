// The status line: priority rule, reset timer, layout and painting.
#include "StatusLineChild.h"
#include "BarsRes.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "PXUIMsg.h"

#include <string.h>

namespace {

struct LineMetrics
{
    int nCharHeight;
    int nAveCharWidth;
    int nInternalLeading;
};

// The metrics of "status_line"; without a font table, those of the
// system's GUI font.
LineMetrics MetricsOf(const FontObject* pFont)
{
    LineMetrics m = { 0, 0, 0 };
    if (pFont)
    {
        m.nCharHeight = pFont->GetCharHeight();
        m.nAveCharWidth = pFont->GetAveCharWidth();
        m.nInternalLeading = pFont->GetInternalLeading();
        return m;
    }
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return m;
    HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm;
    if (::GetTextMetricsA(hDC, &tm))
    {
        m.nCharHeight = tm.tmHeight;
        m.nAveCharWidth = tm.tmAveCharWidth;
        m.nInternalLeading = tm.tmInternalLeading;
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return m;
}

} // namespace

StatusLineChild::StatusLineChild(TWindow* pParent, TModule* pModule)
    : TWindow(pParent, nullptr, pModule), m_bStartupText(true), m_dwFlags(0), m_nLevel(STATUS_PLAIN),
      m_pFont(nullptr), m_pDivider(nullptr), m_pHighlight(nullptr), m_pShadow(nullptr)
{
    Attr.Style = WS_CHILD | WS_VISIBLE;
    m_szText[0] = '\0';
    GetModule()->LoadString(IDS_STATUS_INITIALIZING, m_szText, sizeof(m_szText));
    if (g_pFonts)
        m_pFont = g_pFonts->Find("status_line");
    if (g_pBrushes)
    {
        m_pDivider = g_pBrushes->Find("status_divider");
        m_pHighlight = g_pBrushes->Find("status_highlight");
        m_pShadow = g_pBrushes->Find("status_shadow");
    }
    // The model's long operations show their progress here.
    ModelSetStatusLine(this);
}

StatusLineChild::~StatusLineChild()
{
    if (GetModelStatusLine() == this)
        ModelSetStatusLine(nullptr);
}

void StatusLineChild::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    // The background is the brush "status_background" of the brush table,
    // looked up when the line is erased (WindowProc).
    wc.hbrBackground = nullptr;
}

void StatusLineChild::SetupWindow()
{
    TWindow::SetupWindow();
    ::PostMessageA(HWindow, WM_STATUS_STARTED, 0, 0);
}

void StatusLineChild::SetText(int nLevel, const char* pszText, bool bPaintNow)
{
    if (nLevel >= m_nLevel)
    {
        m_bStartupText = false;
        if (!pszText)
            pszText = "";
        // Every text above the plain level starts the timer (a running one
        // starts its period again), so that such a text gives way to the
        // next one within 4000 ms. Without a timer the text is a plain one.
        if (nLevel > STATUS_PLAIN && !(HWindow && ::SetTimer(HWindow, TIMER_ID, RESET_MS, nullptr)))
            nLevel = STATUS_PLAIN;
        m_nLevel = nLevel;
        if (strncmp(pszText, m_szText, MAX_TEXT - 1) != 0)
        {
            lstrcpynA(m_szText, pszText, sizeof(m_szText));
            Invalidate(true);
        }
    }
    if (bPaintNow)
        UpdateWindow();
}

void StatusLineChild::AppendText(int nLevel, const char* pszText, bool bPaintNow)
{
    if (nLevel > m_nLevel)
    {
        SetText(nLevel, pszText, false);
        return;
    }
    if (nLevel < m_nLevel)
        return;
    m_bStartupText = false;
    if (pszText)
    {
        size_t nLen = strlen(m_szText);
        lstrcpynA(m_szText + nLen, pszText, static_cast<int>(sizeof(m_szText) - nLen));
    }
    Invalidate(false);
    if (bPaintNow)
        UpdateWindow();
}

void StatusLineChild::EvTimer(UINT)
{
    // The timer keeps running: whatever text comes next is taken.
    m_nLevel = STATUS_PLAIN;
}

void StatusLineChild::Show(bool bOn)
{
    if (bOn)
        m_dwFlags |= FLAG_SHOWN;
    else
        m_dwFlags &= ~FLAG_SHOWN;
    // Without room in the layout the line is hidden too, so that it does
    // not stay where it was under the MDI client.
    ShowWindow(bOn ? SW_SHOWNA : SW_HIDE);
    if (HWND hFrame = GetParentHandle())
        ::SendMessageA(hFrame, WM_UI_RELAYOUT, 0, 0);
}

int StatusLineChild::GetHeight() const
{
    LineMetrics m = MetricsOf(m_pFont);
    return m.nCharHeight + 3 * m.nInternalLeading;
}

void StatusLineChild::Layout(RECT& rcFree)
{
    if (!IsShown())
        return;
    int nHeight = GetHeight();
    SetWindowPos(nullptr, rcFree.left, rcFree.bottom - nHeight, rcFree.right - rcFree.left, nHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    rcFree.bottom -= nHeight;
}

LRESULT StatusLineChild::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND)
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        BrushObject* pBrush = g_pBrushes ? g_pBrushes->Find("status_background") : nullptr;
        RECT rc = GetClientRect();
        ::FillRect(hDC, &rc, pBrush ? pBrush->GetBrush() : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (msg == WM_PRINTCLIENT && wParam)
    {
        // The line drawn into a context of the caller's.
        HDC hDC = reinterpret_cast<HDC>(wParam);
        WindowProc(WM_ERASEBKGND, wParam, 0);
        RECT rc = GetClientRect();
        Paint(hDC, true, rc);
        return 0;
    }
    if (msg == WM_STATUS_STARTED)
    {
        // A text shown during start-up stays; only the start-up text goes.
        if (m_bStartupText)
            SetText(STATUS_PLAIN, nullptr, false);
        return 0;
    }
    // The window's text is the one it shows, for screen readers and
    // whatever else reads windows.
    if (msg == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(strlen(m_szText));
    if (msg == WM_GETTEXT)
    {
        char* pszOut = reinterpret_cast<char*>(lParam);
        if (!pszOut || wParam == 0)
            return 0;
        lstrcpynA(pszOut, m_szText, static_cast<int>(wParam < sizeof(m_szText) ? wParam : sizeof(m_szText)));
        return static_cast<LRESULT>(strlen(pszOut));
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

void StatusLineChild::Paint(HDC hDC, bool, RECT& rcPaint)
{
    LineMetrics m = MetricsOf(m_pFont);
    HGDIOBJ hOldFont = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOld = ::SetTextColor(hDC, m_nLevel == STATUS_ERROR ? RGB(255, 0, 0)
                                                                   : ::GetSysColor(COLOR_WINDOWTEXT));
    ::ExtTextOutA(hDC, m.nAveCharWidth, 3, ETO_CLIPPED, &rcPaint, m_szText,
                  static_cast<UINT>(strlen(m_szText)), nullptr);
    ::SetTextColor(hDC, crOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);

    RECT rc = GetClientRect();
    RECT rcGrip = { rc.right - (rc.bottom - rc.top), rc.top, rc.right, rc.bottom };
    ::DrawFrameControl(hDC, &rcGrip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
