// Named bitmaps and the bitmap table.
#include "BitmapObject.h"

#include "ModelRes.h"
#include "NamedTable.h"
#include "PXFaultHandler.h"

#include <new>

namespace {

HINSTANCE g_hLibrary = nullptr;

} // namespace

Bitmaps* g_pBitmaps = nullptr;

void BitmapObject::SetLibrary(HINSTANCE hLibrary)
{
    g_hLibrary = hLibrary;
}

BitmapObject::BitmapObject(const char* pszName)
    : m_Name(pszName ? pszName : "")
{
    m_hBitmap = LoadBitmapA(PXGetResourceHandle(), m_Name);
    if (!m_hBitmap && g_hLibrary)
        m_hBitmap = LoadBitmapA(g_hLibrary, m_Name);
    if (!m_hBitmap)
    {
        ShowMessageId(IDS_MODEL_NOBITMAP, const_cast<char*>("Error!"), MB_OK,
                      static_cast<const char*>(m_Name));
        return;
    }
    BITMAP bm;
    if (GetObjectA(m_hBitmap, sizeof(bm), &bm) != sizeof(bm))
    {
        ShowMessageId(IDS_MODEL_BADBITMAP, const_cast<char*>("Error!"), MB_ICONEXCLAMATION,
                      static_cast<const char*>(m_Name));
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
        return;
    }
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
}

BitmapObject::~BitmapObject()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

BitmapObject* BitmapObject::Get(Bitmaps& table, const char* pszName)
{
    BitmapObject* pBitmap = table.Find(pszName);
    if (pBitmap)
        return pBitmap;
    pBitmap = new BitmapObject(pszName);
    table.add(*pBitmap);
    return pBitmap;
}

Bitmaps::Bitmaps()
    : Array(20, 0, 5)
{
}

BitmapObject* Bitmaps::Find(const char* pszName) const
{
    return FindByName<BitmapObject>(*this, pszName);
}
