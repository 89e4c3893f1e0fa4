// Drawing and window helpers.
#include "DrawHelpers.h"
#include "BitmapObject.h"
#include "Icons.h"
#include "ModelObserver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
DWORD s_dwMainThread = 0;
int s_nPollDepth = 0;
int s_nLongOperations = 0;
std::vector<std::pair<HWND, UINT_PTR>> s_deferredTimers;
}

RECT& SetRectPosSize(RECT& rc, long left, long top, long width, long height)
{
    rc.left = left;
    rc.top = top;
    rc.right = left + width;
    rc.bottom = top + height;
    return rc;
}

void CentreRect(const RECT& rc, long width, long height, RECT* pOut)
{
    RECT r = rc;
    long nWidth = rc.right - rc.left;
    long nHeight = rc.bottom - rc.top;
    if (width != 0 && width < nWidth)
    {
        long d = (nWidth - width) / 2;
        r.left += d;
        r.right -= d;
    }
    if (height != 0 && height < nHeight)
    {
        long d = (nHeight - height) / 2;
        r.top += d;
        r.bottom -= d;
    }
    *pOut = r;
}

void DrawBitmapHandleWithPalette(HDC hDC, HBITMAP hBitmap, const RECT& rc)
{
    BITMAP bm;
    if (!hBitmap || !GetObjectA(hBitmap, sizeof(bm), &bm))
        return;
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info;
    std::memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;

    HDC hScreen = GetDC(nullptr);
    GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    // The colour table is read from a context that holds the bitmap.
    UINT nColors = 0;
    if (HDC hMem = CreateCompatibleDC(hScreen))
    {
        HGDIOBJ hOld = SelectObject(hMem, hBitmap);
        nColors = GetDIBColorTable(hMem, 0, 256, info.colors);
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
    }
    if (info.header.biClrUsed == 0 || info.header.biClrUsed > nColors)
        info.header.biClrUsed = nColors;

    HPALETTE hPalette = nullptr;
    HPALETTE hOldPalette = nullptr;
    if (nColors > 0)
    {
        std::vector<BYTE> palBuf(sizeof(LOGPALETTE) + nColors * sizeof(PALETTEENTRY));
        LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(palBuf.data());
        pLog->palVersion = 0x300;
        pLog->palNumEntries = static_cast<WORD>(nColors);
        for (UINT i = 0; i < nColors; ++i)
        {
            pLog->palPalEntry[i].peRed = info.colors[i].rgbRed;
            pLog->palPalEntry[i].peGreen = info.colors[i].rgbGreen;
            pLog->palPalEntry[i].peBlue = info.colors[i].rgbBlue;
            pLog->palPalEntry[i].peFlags = 0;
        }
        hPalette = CreatePalette(pLog);
        if (hPalette)
        {
            hOldPalette = SelectPalette(hDC, hPalette, FALSE);
            RealizePalette(hDC);
        }
    }

    if (info.header.biSizeImage != 0)
    {
        std::vector<BYTE> bits(info.header.biSizeImage);
        if (GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                      DIB_RGB_COLORS))
            StretchDIBits(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, 0, bm.bmWidth,
                          bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                          SRCCOPY);
    }

    // The palette goes back and is deleted whatever was drawn.
    if (hPalette)
    {
        UnrealizeObject(hPalette);
        SelectPalette(hDC, hOldPalette ? hOldPalette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
                      FALSE);
        RealizePalette(hDC);
        DeleteObject(hPalette);
    }
    ReleaseDC(nullptr, hScreen);
}

void DrawBitmapWithPalette(HDC hDC, Icon* pIcon, const RECT& rc)
{
    BitmapObject* pBitmap = pIcon ? pIcon->GetBitmap() : nullptr;
    if (pBitmap)
        DrawBitmapHandleWithPalette(hDC, pBitmap->GetBitmap(), rc);
}

int FindLabelBreak(const char* pszLabel, int nMinimum)
{
    if (!pszLabel)
        return -1;
    int n = static_cast<int>(std::strlen(pszLabel));
    int nMiddle = n / 2;
    int nBest = -1;
    int nBestDist = 0;
    for (int p = 1; p < n; ++p)
    {
        unsigned char ch = static_cast<unsigned char>(pszLabel[p]);
        unsigned char prev = static_cast<unsigned char>(pszLabel[p - 1]);
        bool bCandidate = (std::isupper(ch) && std::islower(prev)) || ch == ' ';
        if (!bCandidate)
            continue;
        int nDist = std::abs(p - nMiddle);
        if (nBest < 0 || nDist <= nBestDist)
        {
            nBest = p;
            nBestDist = nDist;
        }
    }
    if (nBest >= 0 && n - nBest > nMinimum && nBest > nMinimum)
        return nBest;
    return -1;
}

void ShowStatusMessage(const char* pszText, int bHighlight)
{
    GetModelObserver().SetStatusText(pszText, bHighlight);
    if (bHighlight)
        PXMessageBeep(MB_ICONEXCLAMATION);
}

int SetBusyCursor(int, int, int)
{
    return 1;
}

void DisableMainWindow(bool bDisable)
{
    HWND hMain = PXGetMainWindow();
    if (hMain)
        EnableWindow(hMain, !bDisable);
}

bool PollEscape()
{
    if (s_dwMainThread == 0)
    {
        HWND hMain = PXGetMainWindow();
        if (hMain)
            s_dwMainThread = GetWindowThreadProcessId(hMain, nullptr);
    }
    DWORD dwThread = s_dwMainThread ? s_dwMainThread : GetCurrentThreadId();
    if (s_nPollDepth > 0)
        return true;
    ++s_nPollDepth;
    bool bGoOn = true;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && msg.hwnd &&
            GetWindowThreadProcessId(msg.hwnd, nullptr) == dwThread)
            bGoOn = false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    --s_nPollDepth;
    return bGoOn;
}

PXLongOperation::PXLongOperation() : m_bAcquired(s_nLongOperations == 0)
{
    if (m_bAcquired)
        ++s_nLongOperations;
}

PXLongOperation::~PXLongOperation()
{
    if (!m_bAcquired)
        return;
    if (--s_nLongOperations > 0 || s_deferredTimers.empty())
        return;
    std::vector<std::pair<HWND, UINT_PTR>> timers;
    timers.swap(s_deferredTimers);
    for (const auto& t : timers)
        if (IsWindow(t.first))
            PostMessageA(t.first, WM_TIMER, t.second, 0);
}

bool PXLongOperation::DeferTimer(HWND hWnd, UINT_PTR nTimerId)
{
    if (s_nLongOperations == 0)
        return false;
    const std::pair<HWND, UINT_PTR> timer(hWnd, nTimerId);
    if (std::find(s_deferredTimers.begin(), s_deferredTimers.end(), timer) == s_deferredTimers.end())
        s_deferredTimers.push_back(timer);
    return true;
}

bool PXLongOperation::IsRunning()
{
    return s_nLongOperations > 0;
}
