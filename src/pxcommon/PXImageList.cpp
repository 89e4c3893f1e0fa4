// Image lists with effects and resized copies, and the block image lists.
#include "PXImageList.h"
#include "PXCommonRes.h"
#include "PXMemDC.h"

namespace {

HINSTANCE g_hResourceInstance = nullptr;

// The stretch mode of PXBitmapEx::CopyFrom that a resizing flag names.
DWORD StretchModeOf(DWORD dwResize)
{
    switch (dwResize)
    {
    case PXIL_RESIZE_CURRENT:  return PXBMP_STRETCH_CURRENT;
    case PXIL_RESIZE_HALFTONE: return PXBMP_STRETCH_HALFTONE;
    case PXIL_RESIZE_BW:       return PXBMP_STRETCH_BW;
    case PXIL_RESIZE_WB:       return PXBMP_STRETCH_WB;
    }
    PXASSERT(0);
}

// The desktop's context for making compatible bitmaps, given back at the end
// of the scope whatever happens.
class DesktopDC
{
public:
    DesktopDC() : m_pWnd(PXWnd::GetDesktopWindow()), m_pDC(m_pWnd->GetDC()) {}
    ~DesktopDC() { m_pWnd->ReleaseDC(m_pDC); }
    PXDC* DC() { return m_pDC; }

private:
    PXWnd* m_pWnd;
    PXDC* m_pDC;
};

} // namespace

PXImageListEx* m_pIconIL = nullptr;
PXImageListEx* m_pResizedIconIL = nullptr;

// -------------------------------------------------------------- PXImageList

PXImageList::~PXImageList()
{
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

void PXImageList::SetResourceInstance(HINSTANCE hInstance)
{
    g_hResourceInstance = hInstance;
}

HINSTANCE PXImageList::GetResourceInstance()
{
    return g_hResourceInstance ? g_hResourceInstance : GetModuleHandleA(nullptr);
}

int PXImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

int PXImageList::Add(PXBitmapColor* pBitmap, PXBitmapBW* pMask)
{
    return ImageList_Add(m_hImageList, pBitmap->m_hObject, pMask ? pMask->m_hObject : nullptr);
}

BOOL PXImageList::Draw(int nIndex, PXDC* pDC, int x, int y, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nIndex, pDC->m_hDC, x, y, nStyle);
}

COLORREF PXImageList::SetBkColor(COLORREF cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF PXImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}

BOOL PXImageList::GetImageInfo(int nIndex, IMAGEINFO* pInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nIndex, pInfo);
}

BOOL PXImageList::Remove(int nIndex)
{
    return ImageList_Remove(m_hImageList, nIndex);
}

int PXImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

int PXImageList::LoadBitmap(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    PXASSERT(HIWORD(nBitmapID)==0);
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    m_hImageList = ImageList_LoadImageA(GetResourceInstance(), MAKEINTRESOURCEA(nBitmapID), cx,
                                        nGrow, crMask, IMAGE_BITMAP, 0);
    PXASSERT(m_hImageList!=0);
    return m_hImageList != nullptr;
}

// ------------------------------------------------------------ PXImageListEx

int PXImageListEx::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    m_nCellWidth = cx;
    m_nCellHeight = cy;
    return PXImageList::Create(cx, cy, nFlags, nInitial, nGrow + 1);
}

int PXImageListEx::LoadBitmap(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    m_crBk = crMask;
    int nResult = PXImageList::LoadBitmap(nBitmapID, cx, nGrow + 1, crMask);
    SetBkColor(crMask);
    m_nCellWidth = cx;
    IMAGEINFO info;
    m_nCellHeight = GetImageInfo(0, &info) ? info.rcImage.bottom - info.rcImage.top : 0;
    return nResult;
}

void PXImageListEx::GetImageBitmap(int nIndex, PXBitmapColor* pBitmap, UINT nStyle)
{
    // Where the list has no background colour the image's transparent
    // pixels keep what is there: the bitmap's own mask colour.
    if (pBitmap->m_crMask != CLR_NONE)
    {
        COLORREF cr = pBitmap->m_crMask;
        pBitmap->Fill(GetRValue(cr), GetGValue(cr), GetBValue(cr));
    }
    PXMemDC dc(pBitmap);
    Draw(nIndex, &dc.DC(), 0, 0, nStyle);
}

void PXImageListEx::GetMaskBitmap(int nIndex, PXBitmapBW* pMask)
{
    pMask->Fill(TRUE);
    PXMemDC dc(pMask);
    Draw(nIndex, &dc.DC(), 0, 0, ILD_MASK);
}

void PXImageListEx::MakeImageBitmaps(PXDC* pDC, int nIndex, PXBitmapColor* pColor, PXBitmapBW* pMask)
{
    pColor->Create(pDC, m_nCellWidth, m_nCellHeight, GetBkColor());
    GetImageBitmap(nIndex, pColor, ILD_NORMAL);
    pMask->Create(m_nCellWidth, m_nCellHeight);
    GetMaskBitmap(nIndex, pMask);
}

void PXImageListEx::Transform(PXBitmapColor* pSrcColor, PXBitmapBW* pSrcMask,
                              PXBitmapColor* pDestColor, PXBitmapBW* pDestMask,
                              SIZE srcSize, const SIZE* pDestSize, DWORD dwEffect,
                              COLORREF crShadow, COLORREF crHighlight, PXDC* pDC)
{
    DWORD dwResize = dwEffect & PXIL_RESIZE_ANY;
    bool bEmboss = (dwEffect & PXIL_EMBOSS) != 0;
    if (dwResize)
    {
        PXASSERT(pDestSize!=0);
        DWORD dwMode = StretchModeOf(dwResize);
        COLORREF crMask = pDestColor->GetMaskColor();
        pDestColor->Fill(GetRValue(crMask), GetGValue(crMask), GetBValue(crMask));
        RECT rcDest = { 0, 0, pDestSize->cx, pDestSize->cy };
        pDestColor->CopyFrom(pSrcColor, dwMode, &rcDest, nullptr);
        if (!bEmboss)
        {
            // Halftoning has no meaning for a mask (and turns it all opaque
            // on some displays): a mask shrinks with the context's own mode.
            DWORD dwMaskMode = dwMode == PXBMP_STRETCH_HALFTONE ? PXBMP_STRETCH_CURRENT : dwMode;
            pDestMask->CopyFrom(pSrcMask, dwMaskMode, &rcDest, nullptr);
        }
    }
    if (bEmboss)
    {
        if (!dwResize)
            pDestColor->CopyFrom(pSrcColor, PXBMP_COPY);
        // The embossed image is as large as the target it replaces.
        PXBitmapColor embossed;
        embossed.Create(pDC, pDestColor->GetWidth(), pDestColor->GetHeight(),
                        pDestColor->GetMaskColor());
        embossed.SetEffectColors(crShadow, crHighlight);
        DWORD dwFlags = PXBMP_EMBOSS;
        if (dwEffect & PXIL_HILITE_DOWN)
            dwFlags |= PXBMP_HILITE_DOWN;
        else if (dwEffect & PXIL_HILITE_UP)
            dwFlags |= PXBMP_HILITE_UP;
        if (dwEffect & PXIL_HILITE_RIGHT)
            dwFlags |= PXBMP_HILITE_RIGHT;
        else if (dwEffect & PXIL_HILITE_LEFT)
            dwFlags |= PXBMP_HILITE_LEFT;
        embossed.CopyFrom(pDestColor, dwFlags);
        pDestColor->CopyFrom(&embossed, PXBMP_COPY);
        pDestMask->MakeMask(pDestColor, PXMASK_ONLY);
    }
    if (!dwResize && !bEmboss)
    {
        pDestColor->CopyFrom(pSrcColor, PXBMP_COPY);
        pDestMask->CopyFrom(pSrcMask, PXBMP_COPY);
    }
    (void)srcSize;
}

void PXImageListEx::DrawEx(int nIndex, PXDC* pDC, int x, int y, UINT nStyle, DWORD dwEffect,
                           const SIZE* pDestSize, COLORREF crShadow, COLORREF crHighlight,
                           int nDelay)
{
    if (dwEffect == 0)
    {
        Draw(nIndex, pDC, x, y, nStyle);
        return;
    }
    SIZE srcSize = { m_nCellWidth, m_nCellHeight };
    PXBitmapColor color;
    PXBitmapBW mask;
    MakeImageBitmaps(pDC, nIndex, &color, &mask);
    PXBitmapColor targetColor;
    targetColor.Create(pDC, srcSize.cx, srcSize.cy, color.m_crMask);
    PXBitmapBW targetMask;
    targetMask.Create(srcSize.cx, srcSize.cy);
    targetMask.Fill(TRUE);
    PXASSERT(pDestSize==0|| (pDestSize->cx<=srcSize.cx&&pDestSize->cy<=srcSize.cy));

    Transform(&color, &mask, &targetColor, &targetMask, srcSize, pDestSize, dwEffect,
              crShadow, crHighlight, pDC);
    int nTemp = Add(&targetColor, &targetMask);
    if (nTemp < 0)
        PXTHROW_XMEM(0);
    Draw(nTemp, pDC, x, y, nStyle);
    Remove(nTemp);
    (void)nDelay;
}

void PXImageListEx::CreateResized(PXImageListEx* pSource, DWORD dwEffect, SIZE size,
                                  COLORREF crShadow, COLORREF crHighlight)
{
    PXASSERT(pSource!=0);
    DesktopDC desktop;
    int nCount = pSource->GetImageCount();
    // Full colour: the default depth of a mask list would reduce the
    // palette's icons to sixteen colours.
    if (!Create(size.cx, size.cy, ILC_MASK | ILC_COLOR24, nCount, nCount))
        PXTHROW_XMEM(0);
    m_crBk = pSource->GetBkColor();
    SetBkColor(m_crBk);
    SIZE srcSize = { pSource->m_nCellWidth, pSource->m_nCellHeight };
    for (int i = 0; i < nCount; i++)
    {
        PXBitmapColor color;
        PXBitmapBW mask;
        pSource->MakeImageBitmaps(desktop.DC(), i, &color, &mask);
        PXBitmapColor targetColor;
        targetColor.Create(desktop.DC(), size.cx, size.cy, color.m_crMask);
        PXBitmapBW targetMask;
        targetMask.Create(size.cx, size.cy);
        targetMask.Fill(TRUE);
        Transform(&color, &mask, &targetColor, &targetMask, srcSize, &size, dwEffect,
                  crShadow, crHighlight, desktop.DC());
        // A copy that cannot be added would shift every later index.
        if (Add(&targetColor, &targetMask) != i)
            PXTHROW_XMEM(0);
    }
}

void PXCreateBlockImageLists()
{
    PXImageListEx* pIcons = new PXImageListEx;
    pIcons->LoadBitmap(IDB_PX_BLOCKIMAGES, 40, 50, RGB(255, 0, 255));
    PXImageListEx* pResized = new PXImageListEx;
    SIZE size = { 40, 40 };
    pResized->CreateResized(pIcons, PXIL_RESIZE_HALFTONE, size, static_cast<COLORREF>(-1),
                            static_cast<COLORREF>(-1));
    delete m_pIconIL;
    delete m_pResizedIconIL;
    m_pIconIL = pIcons;
    m_pResizedIconIL = pResized;
}
