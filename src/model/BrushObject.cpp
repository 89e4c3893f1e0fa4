// Named brushes and the brush table.
#include "BrushObject.h"

#include "ModelRes.h"
#include "NamedTable.h"
#include "PXFaultHandler.h"

#include <new>

Brushes* g_pBrushes = nullptr;

const BrushRow DefaultBrushRows[] = {
    { "palette_background", RGB(165, 255, 255) },
    { "selected_powerblock", RGB(255, 0, 0) },
    { "normal_powerblock", RGB(0, 0, 128) },
    { "unfinished_powerblock", RGB(255, 0, 255) },
    { "powerblock_background", RGB(192, 192, 192) },
    { "powerblock_shadow", RGB(128, 128, 128) },
    { "powerblock_highlight", RGB(255, 255, 255) },
    { "powerblock_border", RGB(0, 0, 0) },
    { "normal_gotoblock", RGB(0, 0, 0) },
    { "selected_gotoblock", RGB(255, 0, 0) },
    { "gotoblock_shadow", RGB(128, 128, 128) },
    { "gotoblock_highlight", RGB(255, 255, 255) },
    { "gotoblock_text_background", RGB(255, 255, 192) },
    { "goto_line_block", RGB(0, 0, 0) },
    { "goto_label_background", RGB(255, 204, 204) },
    { "iconbox_background", RGB(192, 192, 192) },
    { "status_background", RGB(192, 192, 192) },
    { "status_highlight", RGB(255, 255, 255) },
    { "status_shadow", RGB(128, 128, 128) },
    { "status_divider", RGB(0, 0, 0) },
    { "powerblock_breakpoint", RGB(255, 0, 0) },
    { "powerblock_current", RGB(0, 128, 0) },
    { "text_note", RGB(0, 0, 0) },
    { nullptr, 0 },
};

BrushObject::BrushObject(const char* pszName, COLORREF colour)
    : m_hBrush(CreateSolidBrush(colour)), m_colour(colour), m_pszName(pszName)
{
}

BrushObject::~BrushObject()
{
    if (m_hBrush)
        DeleteObject(m_hBrush);
}

Brushes::Brushes(const BrushRow* pRows)
    : Array(10, 0, 5)
{
    for (const BrushRow* pRow = pRows; pRow && pRow->pszName; ++pRow)
    {
        BrushObject* pBrush = new (std::nothrow) BrushObject(pRow->pszName, pRow->colour);
        if (!pBrush || !pBrush->GetBrush())
            ShowMessageId(IDS_MODEL_NOBRUSH, const_cast<char*>("Error!"), MB_ICONEXCLAMATION,
                          pRow->pszName);
        if (pBrush)
            add(*pBrush);
    }
}

BrushObject* Brushes::Find(const char* pszName) const
{
    return FindByName<BrushObject>(*this, pszName);
}
