// Pattern brushes.
#include "PXBrush.h"
#include "PXBitmap.h"

PXBrush::~PXBrush()
{
    if (m_hObject)
        DeleteObject(m_hObject);
}

BOOL PXBrush::CreatePatternBrush(PXBitmap* pBitmap)
{
    m_hObject = ::CreatePatternBrush(pBitmap->m_hObject);
    PXASSERT(m_hObject!=0);
    return m_hObject != nullptr;
}
