// Named fonts and the font table.
#include "FontObject.h"

#include "ModelRes.h"
#include "NamedTable.h"
#include "PXFaultHandler.h"

#include <new>

namespace {

FontObject::ChooseFontFn g_pfnChooseFont = ChooseFontA;

const char g_szAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

int AdjustHeight(int nHeight)
{
    return nHeight >= -7 && nHeight <= 0 ? -8 : nHeight;
}

HFONT MakeFont(const char* pszFace, int nHeight, int nWeight, BYTE bItalic)
{
    return CreateFontA(nHeight, 0, 0, 0, nWeight, bItalic, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, pszFace);
}

} // namespace

Fonts* g_pFonts = nullptr;

const FontRow DefaultFontRows[] = {
    { "icon_label", "arial", -11, 400 },
    { "powerblock_label", "arial", -11, 400 },
    { "status_line", "Helv", -10, 700 },
    { "default_textnotes", "arial", -15, 400 },
    { nullptr, nullptr, 0, 0 },
};

FontObject::FontObject(const char* pszName, const char* pszFace, int nHeight, int nWeight,
                       BYTE bItalic, HDC hDC)
    : m_Name(pszName ? pszName : ""), m_Face(pszFace ? pszFace : "")
{
    m_nHeight = AdjustHeight(nHeight);
    m_bItalic = bItalic;
    m_hFont = MakeFont(m_Face, m_nHeight, nWeight, bItalic);
    Measure(hDC);
}

FontObject::FontObject(const char* pszName, const FontObject& other)
    : m_Name(pszName ? pszName : ""), m_Face(other.m_Face)
{
    m_nHeight = other.m_nHeight;
    m_bItalic = other.m_bItalic;
    LOGFONTA lf;
    if (other.m_hFont && GetObjectA(other.m_hFont, sizeof(lf), &lf) == sizeof(lf))
    {
        m_Face = lf.lfFaceName;
        m_hFont = MakeFont(lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfItalic);
    }
    Measure(nullptr);
}

FontObject::~FontObject()
{
    if (m_hFont)
        DeleteObject(m_hFont);
}

void FontObject::Measure(HDC hDC)
{
    if (!m_hFont)
        return;
    HWND hDesktop = nullptr;
    if (!hDC)
    {
        hDesktop = GetDesktopWindow();
        hDC = GetDC(hDesktop);
        if (!hDC)
            return;
    }
    HGDIOBJ hOld = SelectObject(hDC, m_hFont);
    TEXTMETRICA tm;
    if (GetTextMetricsA(hDC, &tm))
    {
        m_nCharHeight = tm.tmHeight - tm.tmInternalLeading;
        m_nInternalLeading = tm.tmInternalLeading;
        m_nWeight = tm.tmWeight;
    }
    SIZE size;
    if (GetTextExtentPoint32A(hDC, g_szAlphabet, 52, &size))
        m_nAveCharWidth = size.cx / 52;
    SelectObject(hDC, hOld);
    if (hDesktop)
        ReleaseDC(hDesktop, hDC);
}

FontObject::ChooseFontFn FontObject::SetChooseFontHook(ChooseFontFn pfn)
{
    ChooseFontFn pfnOld = g_pfnChooseFont;
    g_pfnChooseFont = pfn ? pfn : ChooseFontA;
    return pfnOld;
}

FontObject* FontObject::Choose(const FontObject* pEntry, HWND hWndOwner)
{
    PXASSERT(pEntry != nullptr);
    LOGFONTA lf = {};
    if (!pEntry->m_hFont || GetObjectA(pEntry->m_hFont, sizeof(lf), &lf) != sizeof(lf))
    {
        lf.lfHeight = pEntry->m_nHeight;
        lf.lfWeight = pEntry->m_nWeight;
        lf.lfItalic = pEntry->m_bItalic;
        lstrcpynA(lf.lfFaceName, pEntry->m_Face, LF_FACESIZE);
    }
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = hWndOwner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ANSIONLY | CF_FORCEFONTEXIST;
    if (!g_pfnChooseFont(&cf))
        return nullptr;
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return new FontObject(pEntry->m_Name, lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfItalic);
}

Fonts::Fonts(const FontRow* pRows)
    : Array(5, 0, 5)
{
    for (const FontRow* pRow = pRows; pRow && pRow->pszFace; ++pRow)
    {
        FontObject* pFont = new (std::nothrow) FontObject(pRow->pszName, pRow->pszFace,
                                                          pRow->nHeight, pRow->nWeight, 0);
        if (!pFont || !pFont->GetFont())
            ShowMessageId(IDS_MODEL_NOFONT, const_cast<char*>("Error!"), MB_ICONEXCLAMATION,
                          pRow->pszName);
        if (pFont)
            add(*pFont);
    }
}

FontObject* Fonts::Find(const char* pszName) const
{
    return FindByName<FontObject>(*this, pszName);
}

void Fonts::Add(FontObject* pFont, BOOL bReplace)
{
    PXASSERT(pFont != nullptr);
    if (bReplace)
    {
        FontObject* pOld = Find(pFont->GetName());
        if (pOld && pOld != pFont)
            detach(find(*pOld), Delete);
    }
    add(*pFont);
}
