// The base of the display objects and the named resources they draw with.
#include "DisplayObject.h"
#include "UIObject.h"
#include "BrushObject.h"
#include "PenObject.h"

#include <map>

DisplayObject::DisplayObject(DisplayPane* pPane, UIObject* pObject, const RECT& rc)
    : m_pPane(pPane), m_pObject(pObject), m_rc(rc)
{
    if (m_pObject)
        m_pObject->GetDisplayObjects().add(*this);
}

DisplayObject::~DisplayObject()
{
    if (m_pObject)
        m_pObject->GetDisplayObjects().detach(*this, TShouldDelete::NoDelete);
}

bool DisplayObject::Intersects(const RECT& rc) const
{
    RECT r;
    return IntersectRect(&r, &m_rc, &rc) != FALSE;
}

bool DisplayObject::Contains(long x, long y) const
{
    return m_rc.left <= x && x <= m_rc.right && m_rc.top <= y && y <= m_rc.bottom;
}

const char* DisplayObject::Text(UINT nId)
{
    static std::map<UINT, CString> s_texts;
    auto it = s_texts.find(nId);
    if (it == s_texts.end())
        it = s_texts.emplace(nId, CString(MAKEINTRESOURCEA(nId))).first;
    return it->second;
}

long TextWidth(HDC hDC, const char* pszText)
{
    SIZE size = {0, 0};
    if (pszText && *pszText)
        GetTextExtentPoint32A(hDC, pszText, lstrlenA(pszText), &size);
    return size.cx;
}

namespace
{
HPEN PenOf(const char* pszName)
{
    PenObject* pPen = g_pPens->Find(pszName);
    PXASSERT(pPen != 0);
    return pPen->GetPen();
}

BrushObject* BrushOf(const char* pszName)
{
    BrushObject* pBrush = g_pBrushes->Find(pszName);
    PXASSERT(pBrush != 0);
    return pBrush;
}
}

const DisplayResources& DisplayResources::Get()
{
    static DisplayResources s_res;
    static const Brushes* s_pBrushes = nullptr;
    static const Pens* s_pPens = nullptr;
    PXASSERT(g_pBrushes != 0 && g_pPens != 0);
    if (s_pBrushes == g_pBrushes && s_pPens == g_pPens)
        return s_res;

    s_res.hGrayFrame = PenOf("gray_frame");
    s_res.hPinkFrame = PenOf("pink_frame");
    s_res.hNormalGoto = PenOf("normal_goto");
    s_res.hSelectedGoto = PenOf("selected_goto");
    s_res.hStubGoto = PenOf("stub_goto");
    s_res.hNormalGotoBlock = BrushOf("normal_gotoblock")->GetBrush();
    s_res.hSelectedGotoBlock = BrushOf("selected_gotoblock")->GetBrush();
    s_res.hGotoLineBlock = BrushOf("goto_line_block")->GetBrush();
    s_res.hGotoLabelBackground = BrushOf("goto_label_background")->GetBrush();
    s_res.crGotoLabelBackground = BrushOf("goto_label_background")->GetColour();
    s_res.hTextNote = BrushOf("text_note")->GetBrush();
    s_res.crCurrent = BrushOf("powerblock_current")->GetColour();
    s_res.crBreakpoint = BrushOf("powerblock_breakpoint")->GetColour();
    // The rest of the block drawing's names must be there as well.
    static const char* const s_otherBrushes[] = {
        "unfinished_powerblock", "normal_powerblock", "powerblock_background", "powerblock_border",
        "powerblock_shadow", "powerblock_highlight", "selected_powerblock", "gotoblock_shadow",
        "gotoblock_highlight", "gotoblock_text_background"};
    for (const char* pszName : s_otherBrushes)
        BrushOf(pszName);
    PenOf("powerblock_branch");

    s_pBrushes = g_pBrushes;
    s_pPens = g_pPens;
    return s_res;
}
