// Named fonts: FontObject, one font of the program's font table, and Fonts,
// the table through which every window finds its fonts by name.
#ifndef FONTOBJECT_H
#define FONTOBJECT_H

#include "PXafx.h"
#include "classlib/Array.h"

#include <commdlg.h>

class FontObject : public Object
{
public:
    // A height from -7 to 0 becomes -8 (a smaller character height is not
    // readable); positive heights ask for a cell height and are kept. The
    // font is measured in hDC, or in the desktop window's context.
    FontObject(const char* pszName, const char* pszFace, int nHeight, int nWeight,
               BYTE bItalic, HDC hDC = nullptr);
    // A copy of another font under a new name, with its face, height, weight
    // and italic flag as they are.
    FontObject(const char* pszName, const FontObject& other);
    ~FontObject() override;

    // Runs the font dialog owned by hWndOwner, starting from the entry's
    // font. A new FontObject named like the entry, or none when cancelled.
    static FontObject* Choose(const FontObject* pEntry, HWND hWndOwner);

    // The font dialog; tests answer it in its place.
    typedef BOOL (WINAPI *ChooseFontFn)(CHOOSEFONTA* pcf);
    static ChooseFontFn SetChooseFontHook(ChooseFontFn pfn);

    const char* GetName() const { return m_Name; }
    HFONT GetFont() const { return m_hFont; }
    const char* GetFace() const { return m_Face; }
    int GetCharHeight() const { return m_nCharHeight; }
    int GetAveCharWidth() const { return m_nAveCharWidth; }
    int GetInternalLeading() const { return m_nInternalLeading; }
    int GetWeight() const { return m_nWeight; }
    int GetHeight() const { return m_nHeight; }
    BYTE GetItalic() const { return m_bItalic; }

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "FONTOBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

private:
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    void Measure(HDC hDC);

    CString m_Name;
    HFONT m_hFont = nullptr;
    CString m_Face;
    int m_nCharHeight = 0;
    int m_nAveCharWidth = 0;
    int m_nInternalLeading = 0;
    int m_nWeight = 0;
    int m_nHeight = 0;
    BYTE m_bItalic = 0;
};

// One default font: the table ends with a row without a face.
struct FontRow
{
    const char* pszName;
    const char* pszFace;
    short nHeight;
    short nWeight;
};

extern const FontRow DefaultFontRows[];

class Fonts : public Array
{
public:
    explicit Fonts(const FontRow* pRows);

    // The first font of that name (case-sensitive), or none.
    FontObject* Find(const char* pszName) const;
    // Appends the font; with bReplace the font of the same name is first
    // removed and deleted.
    void Add(FontObject* pFont, BOOL bReplace);
};

// The program's font table, made by the application at start-up.
extern Fonts* g_pFonts;

#endif
