// The "BITBUTTON" window class: registration, the window procedure, the
// three-dimensional painting and the latched glyph of a toggle button.
#include "BitButtonClass.h"
#include "BarsRes.h"
#include "PXImageList.h"

#include <windowsx.h>
#include <string.h>

bool g_bTracking = false;

namespace {

const int kMaxCaption = 80;

void SetRecord(HWND hWnd, BitButtonRecord* pRec)
{
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pRec));
}

BitButtonRecord* Record(HWND hWnd)
{
    return reinterpret_cast<BitButtonRecord*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

bool IsToggle(HWND hWnd)
{
    return (::GetWindowLongA(hWnd, GWL_STYLE) & BBS_TOGGLE) != 0;
}

void Notify(HWND hWnd, int nCode)
{
    HWND hParent = ::GetParent(hWnd);
    if (!hParent)
        return;
    UINT nId = static_cast<UINT>(::GetDlgCtrlID(hWnd));
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(nId, nCode), 0);
}

void Repaint(HWND hWnd)
{
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
}

void SetUp(BitButtonRecord* pRec)
{
    pRec->dwState = (pRec->dwState & ~BITBUTTON_DOWN) | BITBUTTON_UP;
}

void SetDown(BitButtonRecord* pRec)
{
    pRec->dwState = (pRec->dwState & ~BITBUTTON_UP) | BITBUTTON_DOWN;
}

// The glyph and caption rectangles: the glyph takes split tenths of the
// inner width from the left, the caption the rest, centred vertically on
// its word-wrapped height.
void ComputeLayout(HWND hWnd, BitButtonRecord* pRec, int nSplit)
{
    double dShare = nSplit ? nSplit / 10.0 : 0.5;
    RECT rcInner;
    ::GetClientRect(hWnd, &rcInner);
    ::InflateRect(&rcInner, -2, -2);
    int nWidth = rcInner.right - rcInner.left;
    pRec->rcGlyph = rcInner;
    pRec->rcGlyph.right -= static_cast<int>((1.0 - dShare) * nWidth);
    pRec->rcText = rcInner;
    pRec->rcText.left += static_cast<int>(nWidth * dShare);

    char szCaption[kMaxCaption + 1] = "";
    ::GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    HDC hDC = ::GetDC(hWnd);
    if (!hDC)
        return;
    HGDIOBJ hOldFont = ::SelectObject(hDC, pRec->hFont);
    RECT rcMeasure = pRec->rcText;
    int nHeight = ::DrawTextA(hDC, szCaption, -1, &rcMeasure, DT_CALCRECT | DT_WORDBREAK);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(hWnd, hDC);
    pRec->rcText.top += ((pRec->rcText.bottom - pRec->rcText.top) - nHeight) / 2;
}

// The latched glyph of a toggle button: its cell of the strip with the
// light-grey face of the colour table turned into the latched face's grey.
HBITMAP MakeLatchedGlyph(int nGlyph)
{
    HBITMAP hStrip = static_cast<HBITMAP>(::LoadImageA(PXImageList::GetResourceInstance(),
                                                       MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0,
                                                       LR_CREATEDIBSECTION));
    if (!hStrip)
        return nullptr;
    HBITMAP hGlyph = nullptr;
    DIBSECTION dib;
    HDC hScreen = ::GetDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HDC hDst = ::CreateCompatibleDC(hScreen);
    if (hSrc && hDst && ::GetObjectA(hStrip, sizeof(dib), &dib) == sizeof(dib) &&
        dib.dsBmih.biBitCount == 4 &&
        (nGlyph + 1) * BITBUTTON_GLYPH_WIDTH <= dib.dsBm.bmWidth)
    {
        HGDIOBJ hOldSrc = ::SelectObject(hSrc, hStrip);
        RGBQUAD aColours[16];
        UINT nColours = ::GetDIBColorTable(hSrc, 0, 16, aColours);
        auto isFace = [](BYTE b) { return b == 191 || b == 192; };
        for (UINT i = 0; i < nColours; ++i)
        {
            if (isFace(aColours[i].rgbRed) && isFace(aColours[i].rgbGreen) && isFace(aColours[i].rgbBlue))
            {
                aColours[i].rgbRed = aColours[i].rgbGreen = aColours[i].rgbBlue = 0x80;
                ::SetDIBColorTable(hSrc, 0, nColours, aColours);
                break;
            }
        }
        hGlyph = ::CreateCompatibleBitmap(hScreen, BITBUTTON_GLYPH_WIDTH, BITBUTTON_GLYPH_HEIGHT);
        if (hGlyph)
        {
            HGDIOBJ hOldDst = ::SelectObject(hDst, hGlyph);
            ::BitBlt(hDst, 0, 0, BITBUTTON_GLYPH_WIDTH, BITBUTTON_GLYPH_HEIGHT, hSrc,
                     nGlyph * BITBUTTON_GLYPH_WIDTH, 0, SRCCOPY);
            ::SelectObject(hDst, hOldDst);
        }
        ::SelectObject(hSrc, hOldSrc);
    }
    if (hDst)
        ::DeleteDC(hDst);
    if (hSrc)
        ::DeleteDC(hSrc);
    ::ReleaseDC(nullptr, hScreen);
    ::DeleteObject(hStrip);
    return hGlyph;
}

void FillPixels(HDC hDC, int x0, int y0, int x1, int y1, int nStock)
{
    // x1 and y1 are inclusive, as the edges are given.
    if (x1 < x0 || y1 < y0)
        return;
    RECT rc = { x0, y0, x1 + 1, y1 + 1 };
    ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(nStock)));
}

void DrawGlyph(HDC hDC, BitButtonRecord* pRec, int dx, int dy, bool bLatched)
{
    RECT rc = pRec->rcGlyph;
    ::OffsetRect(&rc, dx, dy);
    int x = rc.left + (rc.right - rc.left - BITBUTTON_GLYPH_WIDTH) / 2;
    int y = rc.top + (rc.bottom - rc.top - BITBUTTON_GLYPH_HEIGHT) / 2;
    if (bLatched)
    {
        // Without a latched glyph the latched face shows no glyph.
        if (!pRec->hAltGlyph)
            return;
        HDC hMem = ::CreateCompatibleDC(hDC);
        if (!hMem)
            return;
        HGDIOBJ hOld = ::SelectObject(hMem, pRec->hAltGlyph);
        ::BitBlt(hDC, x, y, BITBUTTON_GLYPH_WIDTH, BITBUTTON_GLYPH_HEIGHT, hMem, 0, 0, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        return;
    }
    PXImageListEx glyphs;
    if (!glyphs.LoadBitmap(IDB_TOOLBAR, BITBUTTON_GLYPH_WIDTH, 10, BITBUTTON_MASK_COLOUR))
        return;
    PXDC dc(hDC);
    if (pRec->dwState & BITBUTTON_DISABLED)
        glyphs.DrawEx(pRec->nGlyph, &dc, x, y, ILD_TRANSPARENT,
                      PXIL_EMBOSS | PXIL_HILITE_DOWN | PXIL_HILITE_RIGHT, nullptr,
                      static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), 50);
    else
        glyphs.Draw(pRec->nGlyph, &dc, x, y, ILD_TRANSPARENT);
}

void DrawCaption(HWND hWnd, HDC hDC, BitButtonRecord* pRec, int dx, int dy)
{
    char szCaption[kMaxCaption + 1] = "";
    ::GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    if (!szCaption[0])
        return;
    HGDIOBJ hOldFont = ::SelectObject(hDC, pRec->hFont);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOld = ::SetTextColor(hDC, RGB(0, 0, 0));
    RECT rc = pRec->rcText;
    ::OffsetRect(&rc, dx, dy);
    ::DrawTextA(hDC, szCaption, -1, &rc, DT_WORDBREAK | DT_NOCLIP);
    ::SetTextColor(hDC, crOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
}

void Paint(HWND hWnd, HDC hDC, BitButtonRecord* pRec)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    int nOffset = 0;
    bool bLatched = false;
    if (pRec->dwState & BITBUTTON_UP)
    {
        FillPixels(hDC, r - 1, t, r - 1, b - 1, BLACK_BRUSH);
        FillPixels(hDC, l, b - 1, r - 1, b - 1, BLACK_BRUSH);
        FillPixels(hDC, r - 2, t, r - 2, b - 2, GRAY_BRUSH);
        FillPixels(hDC, l, b - 2, r - 2, b - 2, GRAY_BRUSH);
        FillPixels(hDC, l, t, l, b - 2, WHITE_BRUSH);
        FillPixels(hDC, l, t, r - 2, t, WHITE_BRUSH);
    }
    else if (IsToggle(hWnd))
    {
        FillPixels(hDC, l, t, r - 1, b - 1, GRAY_BRUSH);
        FillPixels(hDC, l, t, l + 1, b - 1, BLACK_BRUSH);
        FillPixels(hDC, l, t, r - 1, t + 1, BLACK_BRUSH);
        FillPixels(hDC, r - 1, t + 1, r - 1, b - 1, WHITE_BRUSH);
        FillPixels(hDC, l + 1, b - 1, r - 1, b - 1, WHITE_BRUSH);
        nOffset = 1;
        bLatched = true;
    }
    else
    {
        FillPixels(hDC, r - 2, t, r - 1, b - 1, WHITE_BRUSH);
        FillPixels(hDC, l, b - 2, r - 1, b - 1, WHITE_BRUSH);
        FillPixels(hDC, l, t, l, b - 2, GRAY_BRUSH);
        FillPixels(hDC, l, t, r - 2, t, GRAY_BRUSH);
        nOffset = 2;
    }
    DrawCaption(hWnd, hDC, pRec, nOffset, nOffset);
    DrawGlyph(hDC, pRec, nOffset, nOffset, bLatched);
}

// A press that ends: the button comes up and lets the mouse go.
void EndTracking(HWND hWnd, BitButtonRecord* pRec)
{
    g_bTracking = false;
    if (pRec->dwState & BITBUTTON_DOWN)
    {
        SetUp(pRec);
        Repaint(hWnd);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

LRESULT OnMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    BitButtonRecord* pRec = Record(hWnd);
    switch (msg)
    {
    case WM_CREATE:
    {
        const CREATESTRUCTA* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const BitButtonCreate* pParam = static_cast<const BitButtonCreate*>(pCreate->lpCreateParams);
        PXASSERT(pParam!=0);
        if (!pParam)
            return -1;
        pRec = static_cast<BitButtonRecord*>(::LocalAlloc(LPTR, sizeof(BitButtonRecord)));
        if (!pRec)
            return -1;
        SetRecord(hWnd, pRec);
        pRec->nGlyph = pParam->nGlyph;
        pRec->hFont = pParam->hFont ? pParam->hFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        pRec->dwState = BITBUTTON_UP;
        ComputeLayout(hWnd, pRec, pParam->nSplit);
        if (pCreate->style & BBS_TOGGLE)
            pRec->hAltGlyph = MakeLatchedGlyph(pRec->nGlyph);
        break;
    }
    case WM_DESTROY:
        if (pRec)
        {
            // A button that goes while it is held takes its press along.
            if (::GetCapture() == hWnd)
            {
                g_bTracking = false;
                ::ReleaseCapture();
            }
            if (pRec->hAltGlyph)
                ::DeleteObject(pRec->hAltGlyph);
            SetRecord(hWnd, nullptr);
            ::LocalFree(pRec);
        }
        break;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        if (hDC && pRec)
            Paint(hWnd, hDC, pRec);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        // The face drawn into a context of the caller's: the background
        // first, as WM_PAINT has it erased.
        if (pRec && wParam)
        {
            HDC hDC = reinterpret_cast<HDC>(wParam);
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            Paint(hWnd, hDC, pRec);
        }
        return 0;
    case BM_GETSTATE:
        return pRec && (pRec->dwState & BITBUTTON_DOWN) ? 1 : 0;
    case BM_SETSTATE:
        if (!pRec)
            return 0;
        if (wParam)
        {
            if (pRec->dwState & BITBUTTON_DOWN)
                return 1;
            SetDown(pRec);
        }
        else
        {
            if (pRec->dwState & BITBUTTON_UP)
                return 1;
            SetUp(pRec);
        }
        Repaint(hWnd);
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!pRec || (pRec->dwState & BITBUTTON_DISABLED))
            break;
        if (IsToggle(hWnd))
        {
            if (pRec->dwState & BITBUTTON_DOWN)
            {
                SetUp(pRec);
                Repaint(hWnd);
                Notify(hWnd, BITBUTTON_RELEASED);
            }
            else
            {
                SetDown(pRec);
                Repaint(hWnd);
                Notify(hWnd, BITBUTTON_LATCHED);
            }
        }
        else
        {
            SetDown(pRec);
            Repaint(hWnd);
            g_bTracking = true;
            ::SetCapture(hWnd);
        }
        break;
    case WM_MOUSEMOVE:
        if (!pRec)
            break;
        if (!g_bTracking)
        {
            Notify(hWnd, BITBUTTON_HOVER);
        }
        else if (!(pRec->dwState & BITBUTTON_DISABLED))
        {
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            POINT pt = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            bool bInside = ::PtInRect(&rc, pt) != 0;
            if (bInside && (pRec->dwState & BITBUTTON_UP))
            {
                SetDown(pRec);
                Repaint(hWnd);
            }
            else if (!bInside && (pRec->dwState & BITBUTTON_DOWN))
            {
                SetUp(pRec);
                Repaint(hWnd);
            }
        }
        break;
    case WM_LBUTTONUP:
        if (!pRec || !g_bTracking)
            break;
        if (pRec->dwState & BITBUTTON_DISABLED)
        {
            // Disabled while it was held: the press ends without a command,
            // but the capture and the tracking flag go, or every other
            // button would wait for a release that this one never takes.
            EndTracking(hWnd, pRec);
            break;
        }
        {
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            POINT pt = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            EndTracking(hWnd, pRec);
            if (::PtInRect(&rc, pt))
                Notify(hWnd, BITBUTTON_CLICKED);
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse during a press: the press is over.
        if (pRec && g_bTracking && reinterpret_cast<HWND>(lParam) != hWnd)
            EndTracking(hWnd, pRec);
        break;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK BitButtonProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Nothing thrown gets past the window procedure.
    try {
        return OnMessage(hWnd, msg, wParam, lParam);
    } catch (...) {
        return msg == WM_CREATE ? -1 : 0;
    }
}

} // namespace

ATOM RegisterBitButtonClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    if (ATOM atom = static_cast<ATOM>(::GetClassInfoA(hInstance, BITBUTTON_CLASS, &wc)))
        return atom;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = BitButtonProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 2;
    wc.hInstance = hInstance;
    wc.hIcon = nullptr;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = BITBUTTON_CLASS;
    return ::RegisterClassA(&wc);
}

int BitButtonInit()
{
    return 1;
}

BitButtonRecord* GetBitButtonRecord(HWND hWnd)
{
    char szClass[32] = "";
    if (!hWnd || !::GetClassNameA(hWnd, szClass, sizeof(szClass)) || lstrcmpiA(szClass, BITBUTTON_CLASS) != 0)
        return nullptr;
    return Record(hWnd);
}
