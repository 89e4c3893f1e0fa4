// Named pens and the pen table.
#include "PenObject.h"

#include "ModelRes.h"
#include "NamedTable.h"
#include "PXFaultHandler.h"

#include <new>

Pens* g_pPens = nullptr;

PenRow DefaultPenRows[] = {
    { "powerblock_branch", PS_SOLID, 1, RGB(0, 0, 0) },
    { "normal_goto", PS_SOLID, 1, RGB(0, 0, 0) },
    { "selected_goto", PS_SOLID, 2, RGB(255, 0, 0) },
    { "stub_goto", PS_SOLID, 1, RGB(255, 0, 255) },
    { "divider", PS_SOLID, 0, RGB(0, 0, 0) },
    { "page_grid", PS_SOLID, 1, RGB(192, 192, 192) },
    { "gray_frame", PS_SOLID, 1, RGB(192, 192, 192) },
    { "pink_frame", PS_SOLID, 2, RGB(255, 0, 255) },
    { nullptr, 0, 0, 0 },
};

PenObject::PenObject(const char* pszName, int nStyle, int nWidth, COLORREF colour)
    : m_hPen(CreatePen(nStyle, nWidth, colour)), m_pszName(pszName)
{
}

PenObject::~PenObject()
{
    if (m_hPen)
        DeleteObject(m_hPen);
}

Pens::Pens(const PenRow* pRows)
    : Array(10, 0, 5)
{
    for (const PenRow* pRow = pRows; pRow && pRow->pszName; ++pRow)
    {
        PenObject* pPen = new (std::nothrow) PenObject(pRow->pszName, pRow->nStyle,
                                                       pRow->nWidth, pRow->colour);
        if (!pPen || !pPen->GetPen())
            ShowMessageId(IDS_MODEL_NOPEN, const_cast<char*>("Error!"), MB_ICONEXCLAMATION,
                          pRow->pszName);
        if (pPen)
            add(*pPen);
    }
}

PenObject* Pens::Find(const char* pszName) const
{
    return FindByName<PenObject>(*this, pszName);
}
