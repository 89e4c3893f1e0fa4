// Device contexts that give back what was selected into them.
#include "PXDC.h"
#include "PXBitmap.h"

PXDC::PXDC()
    : m_pPrevBitmap(nullptr), m_pPrevObject(nullptr), m_hDC(nullptr), m_bOwnDC(false)
{
    for (HGDIOBJ& h : m_ahOriginal)
        h = nullptr;
}

PXDC::PXDC(HDC hDC)
    : PXDC()
{
    m_hDC = hDC;
}

PXDC::~PXDC()
{
    // A window's context (m_hDC cleared by PXWnd when it gave it back) has
    // nothing left to restore.
    if (m_hDC)
        RestoreSelections();
    if (m_pPrevBitmap)
    {
        m_pPrevBitmap->Detach();
        delete m_pPrevBitmap;
    }
    delete m_pPrevObject;
    if (m_bOwnDC && m_hDC)
        DeleteDC(m_hDC);
}

BOOL PXDC::CreateCompatibleDC(PXDC* pDC)
{
    PXASSERT(pDC==0);
    PXASSERT(m_hDC==0);
    m_hDC = ::CreateCompatibleDC(nullptr);
    PXASSERT(m_hDC!=0);
    m_bOwnDC = true;
    return m_hDC != nullptr;
}

COLORREF PXDC::SetBkColor(COLORREF cr)
{
    return ::SetBkColor(m_hDC, cr);
}

COLORREF PXDC::SetTextColor(COLORREF cr)
{
    return ::SetTextColor(m_hDC, cr);
}

void PXDC::RememberOriginal(HGDIOBJ hPrev)
{
    int nKind;
    switch (GetObjectType(hPrev))
    {
    case OBJ_PEN: case OBJ_EXTPEN: nKind = kPen; break;
    case OBJ_BRUSH: nKind = kBrush; break;
    case OBJ_FONT: nKind = kFont; break;
    case OBJ_BITMAP: nKind = kBitmap; break;
    default: return;
    }
    if (!m_ahOriginal[nKind])
        m_ahOriginal[nKind] = hPrev;
}

PXBitmap* PXDC::SelectBitmap(PXBitmap* pBitmap)
{
    PXASSERT(pBitmap!=0);
    HGDIOBJ hPrev = ::SelectObject(m_hDC, pBitmap->m_hObject);
    if (hPrev)
        RememberOriginal(hPrev);
    if (!m_pPrevBitmap)
        m_pPrevBitmap = new PXBitmap;
    m_pPrevBitmap->m_hObject = static_cast<HBITMAP>(hPrev);
    return m_pPrevBitmap;
}

HGDIOBJ* PXDC::SelectObject(HGDIOBJ* phObject)
{
    PXASSERT(phObject!=0);
    HGDIOBJ hPrev = ::SelectObject(m_hDC, *phObject);
    if (hPrev && hPrev != HGDI_ERROR)
        RememberOriginal(hPrev);
    if (!m_pPrevObject)
        m_pPrevObject = new PXGDIHandle{ nullptr };
    m_pPrevObject->m_hObject = hPrev;
    return &m_pPrevObject->m_hObject;
}

void PXDC::RestoreSelections()
{
    PXASSERT(m_hDC!=0);
    for (HGDIOBJ& h : m_ahOriginal)
    {
        if (h)
        {
            ::SelectObject(m_hDC, h);
            h = nullptr;
        }
    }
}
