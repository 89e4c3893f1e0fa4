// Bitmaps, masks, dither patterns and the embossed look.
#include "PXBitmap.h"
#include "PXWnd.h"
#include "PXMemDC.h"
#include "PXBrush.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Dither patterns of PXBitmapBW::MakeMask: the first byte of each row holds
// its eight pixels; a 0 becomes transparent.
struct DitherPattern
{
    DWORD dwFlag;
    BYTE abRows[8];
};

const DitherPattern kDitherPatterns[] = {
    { PXMASK_DITHER_0,  { 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00 } },
    { PXMASK_DITHER_2,  { 0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00 } },
    { PXMASK_DITHER_8,  { 0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00 } },
    { PXMASK_DITHER_32, { 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55 } },
    { PXMASK_DITHER_56, { 0xEE, 0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF } },
    { PXMASK_DITHER_64, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF } },
};

const DWORD kDitherBits = PXMASK_DITHER_0 | PXMASK_DITHER_2 | PXMASK_DITHER_8 |
                          PXMASK_DITHER_32 | PXMASK_DITHER_56 | PXMASK_DITHER_64;

// Raster operation: the brush where the (monochrome) source is 1, the
// destination where it is 0.
const DWORD kRopBrushWhereSource = 0x00E20746;

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

// Paints colour cr into the target wherever the mask holds a 1.
void PaintThroughMask(PXBitmap* pTarget, PXBitmap* pMask, COLORREF cr, int nWidth, int nHeight)
{
    PXMemDC dst(pTarget);
    PXMemDC msk(pMask);
    COLORREF crOldText = dst.DC().SetTextColor(RGB(0, 0, 0));
    COLORREF crOldBk = dst.DC().SetBkColor(RGB(255, 255, 255));
    PXBrush brush;
    brush.m_hObject = CreateSolidBrush(cr);
    PXASSERT(brush.m_hObject!=0);
    HGDIOBJ hBrush = brush.m_hObject;
    dst.DC().SelectObject(&hBrush);
    BitBlt(dst.Handle(), 0, 0, nWidth, nHeight, msk.Handle(), 0, 0, kRopBrushWhereSource);
    dst.DC().RestoreSelections();
    dst.DC().SetTextColor(crOldText);
    dst.DC().SetBkColor(crOldBk);
}

} // namespace

// ----------------------------------------------------------------- PXBitmap

PXBitmap::~PXBitmap()
{
    if (m_hObject)
        DeleteObject(m_hObject);
}

PXBitmap* PXBitmap::Detach()
{
    m_hObject = nullptr;
    return this;
}

BITMAP PXBitmap::GetInfo() const
{
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    GetObjectA(m_hObject, sizeof(bm), &bm);
    return bm;
}

int PXBitmap::GetWidth() const
{
    return GetInfo().bmWidth;
}

int PXBitmap::GetHeight() const
{
    return GetInfo().bmHeight;
}

int PXBitmap::GetNbBitsPixel() const
{
    BITMAP bm = GetInfo();
    return bm.bmBitsPixel * bm.bmPlanes;
}

// --------------------------------------------------------------- PXBitmapEx

PXBitmapEx::~PXBitmapEx()
{
    free(m_pbBits);
}

bool PXBitmapEx::CanHalftone(int nBitsPixel, int nRasterCaps)
{
    return nBitsPixel >= 24 && !(nRasterCaps & RC_PALETTE);
}

void PXBitmapEx::CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect,
                          const RECT* pSrcRect)
{
    PXASSERT(m_hObject!=0);
    PXASSERT(pSrcBitmap!=0);
    if (dwFlags == PXBMP_COPY)
    {
        if (pDestRect || pSrcRect)
            PXASSERT(0);
        PXMemDC src(pSrcBitmap);
        PXMemDC dst(this);
        BitBlt(dst.Handle(), 0, 0, pSrcBitmap->GetWidth(), pSrcBitmap->GetHeight(),
               src.Handle(), 0, 0, SRCCOPY);
        return;
    }
    if (dwFlags & PXBMP_STRETCH_ANY)
    {
        BITMAP BM = GetInfo();
        RECT rcDest = { 0, 0, BM.bmWidth, BM.bmHeight };
        if (pDestRect)
            rcDest = *pDestRect;
        RECT rcSrc = { 0, 0, pSrcBitmap->GetWidth(), pSrcBitmap->GetHeight() };
        if (pSrcRect)
            rcSrc = *pSrcRect;
        PXASSERT(BM.bmWidth>=RectWidth(rcDest)&& BM.bmHeight>=RectHeight(rcDest));

        PXMemDC src(pSrcBitmap);
        PXMemDC dst(this);
        HDC hDst = dst.Handle();
        int nOldMode = GetStretchBltMode(hDst);
        int nMode = nOldMode;
        HPALETTE hHalftone = nullptr;
        HPALETTE hOldPalette = nullptr;
        switch (dwFlags & PXBMP_STRETCH_ANY)
        {
        case PXBMP_STRETCH_BW:
            nMode = BLACKONWHITE;
            break;
        case PXBMP_STRETCH_WB:
            nMode = WHITEONBLACK;
            break;
        case PXBMP_STRETCH_CURRENT:
            break;
        case PXBMP_STRETCH_HALFTONE:
            if (CanHalftone(GetDeviceCaps(hDst, BITSPIXEL) * GetDeviceCaps(hDst, PLANES),
                            GetDeviceCaps(hDst, RASTERCAPS)))
            {
                hHalftone = CreateHalftonePalette(hDst);
                if (hHalftone)
                {
                    hOldPalette = SelectPalette(hDst, hHalftone, FALSE);
                    RealizePalette(hDst);
                }
                nMode = HALFTONE;
            }
            break;
        default:
            PXASSERT(0);
        }
        SetStretchBltMode(hDst, nMode);
        if (nMode == HALFTONE)
            SetBrushOrgEx(hDst, 0, 0, nullptr);
        StretchBlt(hDst, rcDest.left, rcDest.top, RectWidth(rcDest), RectHeight(rcDest),
                   src.Handle(), rcSrc.left, rcSrc.top, RectWidth(rcSrc), RectHeight(rcSrc),
                   SRCCOPY);
        SetStretchBltMode(hDst, nOldMode);
        if (hHalftone)
        {
            SelectPalette(hDst, hOldPalette, FALSE);
            RealizePalette(hDst);
            DeleteObject(hHalftone);
        }
        return;
    }
    PXASSERT(0);
}

// --------------------------------------------------------------- PXBitmapBW

void PXBitmapBW::Create(int nWidth, int nHeight, const void* pBits)
{
    m_hObject = CreateBitmap(nWidth, nHeight, 1, 1, pBits);
    PXASSERT(m_hObject!=0);
}

void PXBitmapBW::Fill(BOOL bWhite)
{
    PXASSERT(m_pbBits==0);
    PXMemDC dc(this);
    PatBlt(dc.Handle(), 0, 0, GetWidth(), GetHeight(), bWhite ? WHITENESS : BLACKNESS);
}

void PXBitmapBW::AttachBits()
{
    PXASSERT(m_pbBits==0);
    BITMAP bm = GetInfo();
    m_nWidthBytes = bm.bmWidthBytes;
    m_nBufWidth = bm.bmWidth;
    m_nBufHeight = bm.bmHeight;
    LONG cb = bm.bmHeight * bm.bmWidthBytes;
    m_pbBits = static_cast<BYTE*>(calloc(cb ? cb : 1, 1));
    if (!m_pbBits)
        PXTHROW_XMEM(0);
    GetBitmapBits(m_hObject, cb, m_pbBits);
}

void PXBitmapBW::DetachBits(BOOL bWriteBack)
{
    PXASSERT(m_pbBits!=0);
    if (bWriteBack)
    {
        BITMAP bm = GetInfo();
        SetBitmapBits(m_hObject, bm.bmHeight * bm.bmWidthBytes, m_pbBits);
    }
    free(m_pbBits);
    m_pbBits = nullptr;
}

void PXBitmapBW::SetPixel(int nRow, int nColumn, int nValue)
{
    PXASSERT(m_pbBits!=0);
    PXASSERT(GetNbBitsPixel()==1);
    PXASSERT(nRow>=0&&nRow<m_nBufHeight&&nColumn>=0&&nColumn<m_nBufWidth);
    BYTE* pb = m_pbBits + nRow * m_nWidthBytes + nColumn / 8;
    BYTE bBit = static_cast<BYTE>(0x80 >> (nColumn % 8));
    if (nValue & 1)
        *pb |= bBit;
    else
        *pb &= static_cast<BYTE>(~bBit);
}

void PXBitmapBW::MakeMask(PXBitmap* pSrcBitmap, DWORD dwFlags)
{
    PXASSERT(m_hObject!=0);
    BITMAP BM = GetInfo();
    PXASSERT(BM.bmBitsPixel*BM.bmPlanes==1);
    PXASSERT(pSrcBitmap!=0);

    if (pSrcBitmap->GetNbBitsPixel() == 1)
    {
        PXMemDC src(pSrcBitmap);
        PXMemDC dst(this);
        BitBlt(dst.Handle(), 0, 0, BM.bmWidth, BM.bmHeight, src.Handle(), 0, 0, SRCCOPY);
    }
    else
    {
        // Pixels of the mask colour turn 1 (transparent), all others 0.
        PXBitmapColor* pBMColor = dynamic_cast<PXBitmapColor*>(pSrcBitmap);
        PXASSERT(pBMColor!=0);
        PXASSERT(pBMColor->GetMaskColor()!=(COLORREF)-1);
        PXMemDC src(pSrcBitmap);
        PXMemDC dst(this);
        COLORREF crOld = src.DC().SetBkColor(pBMColor->GetMaskColor());
        BitBlt(dst.Handle(), 0, 0, BM.bmWidth, BM.bmHeight, src.Handle(), 0, 0, SRCCOPY);
        src.DC().SetBkColor(crOld);
    }

    DWORD dwDither = dwFlags & kDitherBits;
    if (!dwDither)
        return;
    const DitherPattern* pPattern = nullptr;
    for (const DitherPattern& p : kDitherPatterns)
        if (p.dwFlag == dwDither)
            pPattern = &p;
    if (!pPattern)
        PXASSERT(0);

    WORD awRows[8];
    for (int i = 0; i < 8; i++)
        awRows[i] = pPattern->abRows[i];    // rows are words; the first byte holds the pixels
    PXBitmapBW patternBitmap;
    patternBitmap.Create(8, 8, awRows);
    PXBrush brush;
    brush.CreatePatternBrush(&patternBitmap);

    PXBitmapBW dither;
    dither.Create(BM.bmWidth, BM.bmHeight);
    {
        PXMemDC dc(&dither);
        PatBlt(dc.Handle(), 0, 0, BM.bmWidth, BM.bmHeight, BLACKNESS);
        HGDIOBJ hBrush = brush.m_hObject;
        dc.DC().SelectObject(&hBrush);
        SetBrushOrgEx(dc.Handle(), 0, 0, nullptr);
        PatBlt(dc.Handle(), 0, 0, BM.bmWidth, BM.bmHeight, PATCOPY);
    }
    PXMemDC src(&dither);
    PXMemDC dst(this);
    BitBlt(dst.Handle(), 0, 0, BM.bmWidth, BM.bmHeight, src.Handle(), 0, 0, MERGEPAINT);
}

void PXBitmapBW::CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect,
                          const RECT* pSrcRect)
{
    if (dwFlags & PXBMP_EMBOSS)
        PXASSERT(0);
    PXBitmapEx::CopyFrom(pSrcBitmap, dwFlags, pDestRect, pSrcRect);
}

// ------------------------------------------------------------ PXBitmapColor

PXBitmapColor::PXBitmapColor()
    : m_crMask(static_cast<COLORREF>(-1)),
      m_crShadow(PXPALETTERGB(128, 128, 128)),
      m_crHighlight(PXPALETTERGB(255, 255, 255))
{
}

void PXBitmapColor::Create(PXDC* pDC, int nWidth, int nHeight, COLORREF crMask)
{
    PXASSERT(pDC!=0);
    m_crMask = crMask;
    m_hObject = CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight);
    PXASSERT(m_hObject!=0);
}

COLORREF PXBitmapColor::GetMaskColor() const
{
    PXASSERT(m_crMask!=(COLORREF)-1);
    return m_crMask;
}

void PXBitmapColor::SetEffectColors(COLORREF crShadow, COLORREF crHighlight)
{
    if (crShadow != static_cast<COLORREF>(-1))
        m_crShadow = crShadow;
    if (crHighlight != static_cast<COLORREF>(-1))
        m_crHighlight = crHighlight;
}

void PXBitmapColor::Fill(BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    PXASSERT(m_pbBits==0);
    int nWidth = GetWidth();
    int nHeight = GetHeight();
    PXBitmapBW white;
    white.Create(nWidth, nHeight);
    white.Fill(TRUE);
    PXMemDC src(&white);
    PXMemDC dst(this);
    COLORREF crOld = dst.DC().SetBkColor(RGB(bRed, bGreen, bBlue));
    BitBlt(dst.Handle(), 0, 0, nWidth, nHeight, src.Handle(), 0, 0, SRCCOPY);
    dst.DC().SetBkColor(crOld);
}

namespace {

BITMAPINFOHEADER ColorBufferHeader(int nWidth, int nHeight)
{
    BITMAPINFOHEADER bi;
    memset(&bi, 0, sizeof(bi));
    bi.biSize = sizeof(bi);
    bi.biWidth = nWidth;
    bi.biHeight = -nHeight;    // top-down
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    return bi;
}

} // namespace

void PXBitmapColor::AttachBits()
{
    PXASSERT(m_pbBits==0);
    BITMAP bm = GetInfo();
    m_nBufWidth = bm.bmWidth;
    m_nBufHeight = bm.bmHeight;
    m_nRowBytes = (bm.bmWidth * 3 + 3) & ~3;
    size_t cb = static_cast<size_t>(bm.bmHeight) * (bm.bmWidth * 3 + 16 - (bm.bmWidth * 3) % 16);
    m_pbBits = static_cast<BYTE*>(calloc(cb ? cb : 1, 1));
    if (!m_pbBits)
        PXTHROW_XMEM(0);
    BITMAPINFOHEADER bi = ColorBufferHeader(bm.bmWidth, bm.bmHeight);
    HDC hScreen = ::GetDC(nullptr);
    GetDIBits(hScreen, m_hObject, 0, bm.bmHeight, m_pbBits,
              reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
}

void PXBitmapColor::DetachBits(BOOL bWriteBack)
{
    PXASSERT(m_pbBits!=0);
    if (bWriteBack)
    {
        BITMAPINFOHEADER bi = ColorBufferHeader(m_nBufWidth, m_nBufHeight);
        HDC hScreen = ::GetDC(nullptr);
        SetDIBits(hScreen, m_hObject, 0, m_nBufHeight, m_pbBits,
                  reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, hScreen);
    }
    free(m_pbBits);
    m_pbBits = nullptr;
}

void PXBitmapColor::GetPixelRGB(int nRow, int nColumn, BYTE& bRed, BYTE& bGreen, BYTE& bBlue) const
{
    PXASSERT(m_pbBits!=0);
    PXASSERT(nRow>=0&&nRow<m_nBufHeight&&nColumn>=0&&nColumn<m_nBufWidth);
    const BYTE* pb = m_pbBits + nRow * m_nRowBytes + nColumn * 3;
    bBlue = pb[0];
    bGreen = pb[1];
    bRed = pb[2];
}

bool PXBitmapColor::IsPixelColor(int nRow, int nColumn, COLORREF cr) const
{
    // The high byte only says how a colour is matched to a palette: 0xFF00FF
    // and its palette-relative form are the same mask colour.
    BYTE r, g, b;
    GetPixelRGB(nRow, nColumn, r, g, b);
    return RGB(r, g, b) == (cr & 0x00FFFFFF);
}

int PXBitmapColor::GetLuminance(int nRow, int nColumn) const
{
    BYTE r, g, b;
    GetPixelRGB(nRow, nColumn, r, g, b);
    // In thousandths, so that the cut to an integer is exact.
    return (300 * r + 590 * g + 110 * b) / 1000;
}

void PXBitmapColor::CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect,
                             const RECT* pSrcRect)
{
    PXASSERT(m_hObject!=0);
    PXASSERT(pSrcBitmap!=0);
    PXBitmapColor* pSrc = dynamic_cast<PXBitmapColor*>(pSrcBitmap);
    PXASSERT(pSrc!=0);
    m_crMask = pSrc->GetMaskColor();

    if (dwFlags == PXBMP_COPY || (dwFlags & PXBMP_STRETCH_ANY))
        PXBitmapEx::CopyFrom(pSrcBitmap, dwFlags & ~PXBMP_EMBOSS, pDestRect, pSrcRect);
    if (!(dwFlags & PXBMP_EMBOSS))
        return;

    GetMaskColor();
    BITMAP BM = GetInfo();
    BITMAP srcBM = pSrc->GetInfo();
    PXASSERT(BM.bmWidth==srcBM.bmWidth);
    PXASSERT(BM.bmHeight==srcBM.bmHeight);
    PXASSERT(BM.bmWidthBytes==srcBM.bmWidthBytes);
    PXASSERT(BM.bmBitsPixel*BM.bmPlanes!=1);
    int nWidth = BM.bmWidth;
    int nHeight = BM.bmHeight;

    Fill(GetRValue(m_crMask), GetGValue(m_crMask), GetBValue(m_crMask));

    // The dark mask: every source pixel that is not of the mask colour and
    // whose luminance is below 128.
    PXBitmapBW dark;
    dark.Create(nWidth, nHeight);
    dark.Fill(FALSE);
    pSrc->AttachBits();
    dark.AttachBits();
    for (int nRow = 0; nRow < nHeight; nRow++)
        for (int nCol = 0; nCol < nWidth; nCol++)
            if (!pSrc->IsPixelColor(nRow, nCol, m_crMask) && pSrc->GetLuminance(nRow, nCol) < 128)
                dark.SetPixel(nRow, nCol, 1);
    dark.DetachBits(TRUE);
    pSrc->DetachBits(FALSE);

    // The highlight: the dark mask shifted by one pixel; the row and column
    // that the shift uncovers stay empty.
    PXBitmapBW highlight;
    highlight.Create(nWidth, nHeight);
    highlight.Fill(FALSE);
    if (dwFlags & (PXBMP_HILITE_DOWN | PXBMP_HILITE_UP))
    {
        int nDestY = (dwFlags & PXBMP_HILITE_DOWN) ? 1 : 0;
        int nDestX = (dwFlags & PXBMP_HILITE_RIGHT) ? 1 : 0;
        PXMemDC src(&dark);
        PXMemDC dst(&highlight);
        BitBlt(dst.Handle(), nDestX, nDestY, nWidth - 1, nHeight - 1,
               src.Handle(), 1 - nDestX, 1 - nDestY, SRCCOPY);
    }

    PaintThroughMask(this, &highlight, m_crHighlight, nWidth, nHeight);
    PaintThroughMask(this, &dark, m_crShadow, nWidth, nHeight);
}
