// The tool strip's bitmap push buttons.
#include "BitButton.h"

BitButton::BitButton(TWindow* pParent, int nId, const char* pszTitle, int x, int y, int nWidth, int nHeight,
                     int nGlyph, TModule* pModule)
    : TControl(pParent, nId, pszTitle, x, y, nWidth, nHeight, pModule)
{
    m_create.nGlyph = nGlyph;
    m_create.hFont = nullptr;
    m_create.nSplit = 10;
    Attr.Style = WS_CHILD | WS_VISIBLE;
    Attr.Param = &m_create;
}
