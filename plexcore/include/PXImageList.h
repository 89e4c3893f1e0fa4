// Image lists of the block palette, the tool bar and the page panes.
// PXImageListEx adds the cell size, drawing with an effect (embossed or
// resized) and the building of a list of resized copies.
//
// Classes: PXGDIRez (the GDI handle they share), PXImageList, PXImageListEx.
#ifndef PXIMAGELIST_H
#define PXIMAGELIST_H

#include "PXWnd.h"
#include "PXDC.h"
#include "PXBitmap.h"

#include <commctrl.h>

// Effect flags of PXImageListEx: the copy flags of PXBitmapEx, except that
// the resizing bits name the stretch modes in another order.
#define PXIL_EMBOSS             0x0002
#define PXIL_HILITE_DOWN        0x0004
#define PXIL_HILITE_UP          0x0008
#define PXIL_HILITE_RIGHT       0x0010
#define PXIL_HILITE_LEFT        0x0020
#define PXIL_RESIZE_CURRENT     0x0040  // the context's own stretch mode
#define PXIL_RESIZE_HALFTONE    0x0080
#define PXIL_RESIZE_BW          0x0100  // BLACKONWHITE
#define PXIL_RESIZE_WB          0x0200  // WHITEONBLACK
#define PXIL_RESIZE_ANY         0x03C0

class PXGDIRez
{
public:
    PXGDIRez() {}
    virtual ~PXGDIRez() {}

    PXGDIRez(const PXGDIRez&) = delete;
    PXGDIRez& operator=(const PXGDIRez&) = delete;
};

class PXImageList : public PXGDIRez
{
public:
    PXImageList() : m_hImageList(nullptr) {}
    ~PXImageList() override;

    int Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    int Add(PXBitmapColor* pBitmap, PXBitmapBW* pMask);
    BOOL Draw(int nIndex, PXDC* pDC, int x, int y, UINT nStyle);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nIndex, IMAGEINFO* pInfo) const;
    BOOL Remove(int nIndex);
    int GetImageCount() const;
    int LoadBitmap(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

    // The module whose image strips LoadBitmap loads: the program's own,
    // stored by the application's start-up (by default the executable).
    static void SetResourceInstance(HINSTANCE hInstance);
    static HINSTANCE GetResourceInstance();

    HIMAGELIST m_hImageList;
};

class PXImageListEx : public PXImageList
{
public:
    PXImageListEx() : m_crBk(CLR_NONE), m_nCellWidth(0), m_nCellHeight(0) {}

    int Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    int LoadBitmap(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    void GetImageBitmap(int nIndex, PXBitmapColor* pBitmap, UINT nStyle);
    void GetMaskBitmap(int nIndex, PXBitmapBW* pMask);

    // Draws one image with an effect (0: exactly as Draw). The delay plays
    // no part in the drawing.
    void DrawEx(int nIndex, PXDC* pDC, int x, int y, UINT nStyle, DWORD dwEffect,
                const SIZE* pDestSize, COLORREF crShadow, COLORREF crHighlight, int nDelay);

    // Fills this list with a copy of every image of the source, transformed
    // with the effect flags into cells of the given size; the indexes stay.
    void CreateResized(PXImageListEx* pSource, DWORD dwEffect, SIZE size, COLORREF crShadow,
                       COLORREF crHighlight);

    int GetCellWidth() const { return m_nCellWidth; }
    int GetCellHeight() const { return m_nCellHeight; }

    COLORREF m_crBk;
    int m_nCellWidth;
    int m_nCellHeight;

private:
    void MakeImageBitmaps(PXDC* pDC, int nIndex, PXBitmapColor* pColor, PXBitmapBW* pMask);
    static void Transform(PXBitmapColor* pSrcColor, PXBitmapBW* pSrcMask,
                          PXBitmapColor* pDestColor, PXBitmapBW* pDestMask,
                          SIZE srcSize, const SIZE* pDestSize, DWORD dwEffect,
                          COLORREF crShadow, COLORREF crHighlight, PXDC* pDC);
};

// The block image lists: the full-size strip of bitmap 1000 and its copy at
// the size of the active page's zoom. Made once by PXCreateBlockImageLists.
extern PXImageListEx* m_pIconIL;
extern PXImageListEx* m_pResizedIconIL;
void PXCreateBlockImageLists();

#endif
