// TDib: a device-independent bitmap read from a ".bmp" file. A file that is
// missing, too short or malformed gives an empty DIB (IsOK false); every
// size in the file is checked against the file's length before it is used.
#ifndef OWL_TDIB_H
#define OWL_TDIB_H

#include <windows.h>

class TDib
{
public:
    explicit TDib(const char* pszFileName);
    ~TDib();

    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;

    bool IsOK() const { return m_pInfo != nullptr; }
    int Width() const;
    int Height() const;     // always positive
    const BITMAPINFO* GetInfo() const { return m_pInfo; }
    const void* GetBits() const { return m_pBits; }

    // Draws the whole bitmap stretched into the rectangle.
    void StretchTo(HDC hDC, int x, int y, int w, int h) const;

private:
    BITMAPINFO* m_pInfo;    // header and colour table
    void* m_pBits;
};

#endif
