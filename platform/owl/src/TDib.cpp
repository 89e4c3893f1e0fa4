// TDib: reading and drawing a ".bmp" file.
#include "owl/TDib.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const long kMaxFile = 64L * 1024 * 1024;

// The bytes of the bitmap's pixel rows, -1 when the header is unusable.
long long PixelBytes(const BITMAPINFOHEADER& bih)
{
    if (bih.biWidth <= 0 || bih.biHeight == 0 || bih.biPlanes != 1)
        return -1;
    // Run-length rows end where their stored size says. Every other kind
    // is drawn row by row, so its rows must all be there, whatever size the
    // header claims; kinds the screen cannot draw are refused.
    if (bih.biCompression == BI_RLE8 || bih.biCompression == BI_RLE4)
    {
        if (bih.biBitCount != (bih.biCompression == BI_RLE8 ? 8 : 4))
            return -1;
        return bih.biSizeImage > 0 ? static_cast<long long>(bih.biSizeImage) : -1;
    }
    if (bih.biCompression == BI_BITFIELDS)
    {
        if (bih.biBitCount != 16 && bih.biBitCount != 32)
            return -1;
    }
    else if (bih.biCompression != BI_RGB)
        return -1;
    switch (bih.biBitCount)
    {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return -1;
    }
    long long height = bih.biHeight < 0 ? -static_cast<long long>(bih.biHeight) : bih.biHeight;
    long long stride = ((static_cast<long long>(bih.biWidth) * bih.biBitCount + 31) / 32) * 4;
    return stride * height;
}

long long ColourTableBytes(const BITMAPINFOHEADER& bih)
{
    long long nColours = bih.biClrUsed;
    if (nColours == 0 && bih.biBitCount <= 8)
        nColours = 1LL << bih.biBitCount;
    if (nColours > 256)
        return -1;
    long long n = nColours * static_cast<long long>(sizeof(RGBQUAD));
    if (bih.biCompression == BI_BITFIELDS && bih.biSize == sizeof(BITMAPINFOHEADER))
        n += 3 * sizeof(DWORD);
    return n;
}

} // namespace

TDib::TDib(const char* pszFileName)
    : m_pInfo(nullptr), m_pBits(nullptr)
{
    if (!pszFileName)
        return;
    FILE* f = fopen(pszFileName, "rb");
    if (!f)
        return;
    unsigned char* pFile = nullptr;
    long nSize = 0;
    if (fseek(f, 0, SEEK_END) == 0 && (nSize = ftell(f)) > 0 && nSize <= kMaxFile && fseek(f, 0, SEEK_SET) == 0)
    {
        pFile = static_cast<unsigned char*>(malloc(static_cast<size_t>(nSize)));
        if (pFile && fread(pFile, 1, static_cast<size_t>(nSize), f) != static_cast<size_t>(nSize))
        {
            free(pFile);
            pFile = nullptr;
        }
    }
    fclose(f);
    if (!pFile)
        return;

    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    bool ok = nSize >= static_cast<long>(sizeof(bfh) + sizeof(bih));
    if (ok)
    {
        memcpy(&bfh, pFile, sizeof(bfh));
        memcpy(&bih, pFile + sizeof(bfh), sizeof(bih));
        ok = bfh.bfType == 0x4D42 && bih.biSize >= sizeof(BITMAPINFOHEADER) &&
             bih.biSize <= static_cast<DWORD>(nSize);
    }
    long long nPixels = ok ? PixelBytes(bih) : -1;
    long long nTable = ok ? ColourTableBytes(bih) : -1;
    long long nHeader = static_cast<long long>(sizeof(bfh)) + bih.biSize;
    ok = ok && nPixels > 0 && nTable >= 0 && nHeader + nTable <= nSize &&
         bfh.bfOffBits >= nHeader + nTable && bfh.bfOffBits + nPixels <= nSize;
    if (ok)
    {
        size_t nInfo = sizeof(BITMAPINFOHEADER) + static_cast<size_t>(nTable);
        m_pInfo = static_cast<BITMAPINFO*>(malloc(nInfo));
        m_pBits = malloc(static_cast<size_t>(nPixels));
        if (m_pInfo && m_pBits)
        {
            // Only the plain header is kept: later header versions start with it.
            memcpy(m_pInfo, &bih, sizeof(bih));
            m_pInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            memcpy(reinterpret_cast<unsigned char*>(m_pInfo) + sizeof(BITMAPINFOHEADER),
                   pFile + nHeader, static_cast<size_t>(nTable));
            memcpy(m_pBits, pFile + bfh.bfOffBits, static_cast<size_t>(nPixels));
        }
        else
        {
            free(m_pInfo);
            free(m_pBits);
            m_pInfo = nullptr;
            m_pBits = nullptr;
        }
    }
    free(pFile);
}

TDib::~TDib()
{
    free(m_pInfo);
    free(m_pBits);
}

int TDib::Width() const
{
    return m_pInfo ? m_pInfo->bmiHeader.biWidth : 0;
}

int TDib::Height() const
{
    if (!m_pInfo)
        return 0;
    LONG h = m_pInfo->bmiHeader.biHeight;
    return h < 0 ? -h : h;
}

void TDib::StretchTo(HDC hDC, int x, int y, int w, int h) const
{
    if (!m_pInfo || !hDC)
        return;
    ::SetStretchBltMode(hDC, COLORONCOLOR);
    ::StretchDIBits(hDC, x, y, w, h, 0, 0, Width(), Height(), m_pBits, m_pInfo, DIB_RGB_COLORS, SRCCOPY);
}
