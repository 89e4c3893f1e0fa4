// PXDC wraps a device context and gives back what was selected into it.
#ifndef PXDC_H
#define PXDC_H

#include "PXafx.h"

class PXBitmap;

// One GDI handle remembered by a PXDC; never deletes it.
struct PXGDIHandle
{
    HGDIOBJ m_hObject;
};

class PXDC final
{
public:
    PXDC();
    // Wraps a context that someone else gives back (a window's).
    explicit PXDC(HDC hDC);
    ~PXDC();

    virtual BOOL CreateCompatibleDC(PXDC* pDC);
    virtual COLORREF SetBkColor(COLORREF cr);
    virtual COLORREF SetTextColor(COLORREF cr);

    // Select into the context and answer a wrapper holding the handle that
    // was selected before, for selecting it back.
    PXBitmap* SelectBitmap(PXBitmap* pBitmap);
    HGDIOBJ* SelectObject(HGDIOBJ* phObject);

    // Selects back what the context held before this PXDC first selected an
    // object of each kind. The destructor does it; so does PXWnd::ReleaseDC
    // before it gives the context back.
    void RestoreSelections();

    PXBitmap* m_pPrevBitmap;
    PXGDIHandle* m_pPrevObject;
    HDC m_hDC;

private:
    void RememberOriginal(HGDIOBJ hPrev);

    enum { kPen, kBrush, kFont, kBitmap, kKinds };
    HGDIOBJ m_ahOriginal[kKinds];
    bool m_bOwnDC;

    PXDC(const PXDC&) = delete;
    PXDC& operator=(const PXDC&) = delete;
};

#endif
