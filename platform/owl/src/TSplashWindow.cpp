// TSplashWindow: the start-up picture with text and gauge.
#include "owl/TSplashWindow.h"
#include "owl/TDib.h"

namespace {

const UINT kTimerId = 1;

} // namespace

TSplashWindow::TSplashWindow(TDib& dib, int width, int height, int style, UINT timeOut,
                             const char* pszTitle, TModule* pModule)
    : TWindow(static_cast<TWindow*>(nullptr), pszTitle, pModule), m_dib(dib), m_nStyle(style),
      m_nTimeOut(timeOut), m_nPercent(0), m_bTimedOut(false)
{
    m_szText[0] = '\0';
    int w = width;
    int h = height;
    if ((style & ShrinkToFit) && dib.IsOK())
    {
        if (dib.Width() < w)
            w = dib.Width();
        if (dib.Height() < h)
            h = dib.Height();
    }
    if (style & MakeStatic)
        h += kTextHeight;
    if (style & MakeGauge)
        h += kGaugeHeight;
    Attr.Style = WS_POPUP | WS_BORDER;
    Attr.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Attr.W = w + 2 * ::GetSystemMetrics(SM_CXBORDER);
    Attr.H = h + 2 * ::GetSystemMetrics(SM_CYBORDER);
    Attr.X = (::GetSystemMetrics(SM_CXSCREEN) - Attr.W) / 2;
    Attr.Y = (::GetSystemMetrics(SM_CYSCREEN) - Attr.H) / 2;
}

bool TSplashWindow::Create()
{
    if (!TWindow::Create())
        return false;
    ShowWindow(SW_SHOWNOACTIVATE);
    return true;
}

void TSplashWindow::SetupWindow()
{
    TWindow::SetupWindow();
    if (m_nTimeOut)
        ::SetTimer(HWindow, kTimerId, m_nTimeOut, nullptr);
    if (m_nStyle & CaptureMouse)
        ::SetCapture(HWindow);
}

void TSplashWindow::Paint(HDC hDC, bool, RECT&)
{
    RECT rc = GetClientRect();
    int nPictureBottom = rc.bottom;
    if (m_nStyle & MakeGauge)
        nPictureBottom -= kGaugeHeight;
    if (m_nStyle & MakeStatic)
        nPictureBottom -= kTextHeight;
    if (m_dib.IsOK())
        m_dib.StretchTo(hDC, 0, 0, rc.right, nPictureBottom);
    int y = nPictureBottom;
    if (m_nStyle & MakeStatic)
    {
        RECT rt = { 0, y, rc.right, y + kTextHeight };
        ::FillRect(hDC, &rt, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextA(hDC, m_szText, -1, &rt, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(hDC, hOld);
        y += kTextHeight;
    }
    if (m_nStyle & MakeGauge)
    {
        RECT rg = { 0, y, rc.right, y + kGaugeHeight };
        ::FillRect(hDC, &rg, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        RECT rd = rg;
        rd.right = MulDiv(rc.right, m_nPercent, 100);
        ::FillRect(hDC, &rd, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    }
}

void TSplashWindow::SetText(const char* pszText)
{
    lstrcpynA(m_szText, pszText ? pszText : "", sizeof(m_szText));
    Invalidate(false);
}

void TSplashWindow::SetPercentDone(int percent)
{
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    m_nPercent = percent;
    if (!HWindow)
        return;
    Invalidate(false);
    UpdateWindow();
    CloseWhenDone();
}

void TSplashWindow::EvTimer(UINT timerId)
{
    if (timerId != kTimerId)
    {
        TWindow::EvTimer(timerId);
        return;
    }
    ::KillTimer(HWindow, kTimerId);
    m_bTimedOut = true;
    CloseWhenDone();
}

void TSplashWindow::EvLButtonDown(UINT, POINT)
{
    if (m_nStyle & CaptureMouse)
        Destroy();
    else
        DefaultProcessing();
}

void TSplashWindow::CloseWhenDone()
{
    if (!HWindow || !m_bTimedOut)
        return;
    if ((m_nStyle & MakeGauge) && m_nPercent < 100)
        return;
    if (::GetCapture() == HWindow)
        ::ReleaseCapture();
    Destroy();
}
