// Bitmaps beneath the icons of the tool bar, the palette and the pages:
// PXBitmap owns one GDI bitmap; PXBitmapEx adds a pixel buffer and the copy
// with its stretch modes; PXBitmapBW is a monochrome transparency mask, built
// from a colour bitmap's mask colour and thinned by a dither pattern;
// PXBitmapColor is a colour bitmap with a mask colour and the embossed
// (disabled) look. Every operation draws through memory contexts of its own.
#ifndef PXBITMAP_H
#define PXBITMAP_H

#include "PXafx.h"

class PXDC;

// Copy flags of PXBitmapEx::CopyFrom (PXImageListEx passes the same word).
#define PXBMP_COPY              0x0001
#define PXBMP_EMBOSS            0x0002
#define PXBMP_HILITE_DOWN       0x0004
#define PXBMP_HILITE_UP         0x0008
#define PXBMP_HILITE_RIGHT      0x0010
#define PXBMP_HILITE_LEFT       0x0020
#define PXBMP_STRETCH_BW        0x0040  // BLACKONWHITE
#define PXBMP_STRETCH_WB        0x0080  // WHITEONBLACK
#define PXBMP_STRETCH_CURRENT   0x0100  // the context's own mode
#define PXBMP_STRETCH_HALFTONE  0x0200  // HALFTONE where the display allows it
#define PXBMP_STRETCH_ANY       0x03C0

// Mask flags of PXBitmapBW::MakeMask: the mask alone, or thinned by one of
// the dither patterns (0x2 keeps no pixel, 0x40 keeps all).
#define PXMASK_ONLY             0x0001
#define PXMASK_DITHER_0         0x0002
#define PXMASK_DITHER_2         0x0004
#define PXMASK_DITHER_8         0x0008
#define PXMASK_DITHER_32        0x0010
#define PXMASK_DITHER_56        0x0020
#define PXMASK_DITHER_64        0x0040

// Palette-relative colour of red, green and blue.
#define PXPALETTERGB(r, g, b)   (0x02000000 | RGB((r), (g), (b)))

class PXBitmap
{
public:
    PXBitmap() : m_hObject(nullptr) {}
    virtual ~PXBitmap();

    // Lets go of the bitmap without deleting it.
    PXBitmap* Detach();

    int GetWidth() const;
    int GetHeight() const;
    int GetNbBitsPixel() const;

    HBITMAP m_hObject;

protected:
    BITMAP GetInfo() const;

private:
    PXBitmap(const PXBitmap&) = delete;
    PXBitmap& operator=(const PXBitmap&) = delete;
};

class PXBitmapEx : public PXBitmap
{
public:
    PXBitmapEx() : m_pbBits(nullptr) {}
    ~PXBitmapEx() override;

    // Copies the source in: plainly (flags 1, whole source to (0, 0)) or
    // stretched from the source rectangle (default the whole source) onto
    // the destination rectangle (default this whole bitmap).
    virtual void CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect = nullptr,
                          const RECT* pSrcRect = nullptr);

    // Whether a context of this depth and these raster capabilities can
    // stretch with halftoning.
    static bool CanHalftone(int nBitsPixel, int nRasterCaps);

    BYTE* m_pbBits;
};

class PXBitmapBW : public PXBitmapEx
{
public:
    void Create(int nWidth, int nHeight, const void* pBits = nullptr);
    void Fill(BOOL bWhite);
    void AttachBits();
    void DetachBits(BOOL bWriteBack);
    void SetPixel(int nRow, int nColumn, int nValue);
    void MakeMask(PXBitmap* pSrcBitmap, DWORD dwFlags);

    void CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect = nullptr,
                  const RECT* pSrcRect = nullptr) override;

private:
    int m_nWidthBytes = 0;
    int m_nBufWidth = 0;        // pixels of a row of the attached buffer
    int m_nBufHeight = 0;       // rows of the attached buffer
};

class PXBitmapColor : public PXBitmapEx
{
public:
    PXBitmapColor();

    void Create(PXDC* pDC, int nWidth, int nHeight, COLORREF crMask);
    COLORREF GetMaskColor() const;
    void SetEffectColors(COLORREF crShadow, COLORREF crHighlight);
    void Fill(BYTE bRed, BYTE bGreen, BYTE bBlue);
    void AttachBits();
    void DetachBits(BOOL bWriteBack);
    void GetPixelRGB(int nRow, int nColumn, BYTE& bRed, BYTE& bGreen, BYTE& bBlue) const;
    bool IsPixelColor(int nRow, int nColumn, COLORREF cr) const;
    int GetLuminance(int nRow, int nColumn) const;

    // Adds the embossing effect (flag 0x2) to the copy of PXBitmapEx.
    void CopyFrom(PXBitmap* pSrcBitmap, DWORD dwFlags, const RECT* pDestRect = nullptr,
                  const RECT* pSrcRect = nullptr) override;

    COLORREF m_crMask;
    COLORREF m_crShadow;
    COLORREF m_crHighlight;

private:
    int m_nRowBytes = 0;
    int m_nBufWidth = 0;
    int m_nBufHeight = 0;
};

#endif
