// Text notes: free text placed on a page. PXTextBase holds the text, the
// rectangle and the font handle; PXTextUI is the page's model object and
// owns its text box and its font.
#ifndef PXTEXTUI_H
#define PXTEXTUI_H

#include "UIObject.h"

class FontObject;
class PXEdit;

// The most characters a note holds: all that the program file's 2048-byte
// "Text" field carries with its terminating NUL.
#define PX_TEXTNOTE_MAX 2047

class PXTextBase
{
public:
    PXTextBase();
    PXTextBase(long left, long right, long top, long bottom, const char* pszText, HFONT hFont);
    virtual ~PXTextBase();

    void GetRect(long& left, long& right, long& top, long& bottom) const;
    void SetRect(long left, long right, long top, long bottom);
    // Keeps at most PX_TEXTNOTE_MAX characters.
    void SetText(const char* pszText);
    const char* GetText() const { return m_strText; }
    HFONT GetFont() const { return m_hFont; }
    void SetFont(HFONT hFont) { m_hFont = hFont; }
    // The in-place editor while the text is edited; the edit that made it
    // ends it and frees it.
    PXEdit* GetEdit() const { return m_pEdit; }
    void SetEdit(PXEdit* pEdit) { m_pEdit = pEdit; }

private:
    CString m_strText;
    long m_nLeft;
    long m_nRight;
    long m_nTop;
    long m_nBottom;
    HFONT m_hFont;
    PXEdit* m_pEdit;
};

class PXTextUI : public ProgramObject
{
public:
    // A note on the page with that rectangle and an empty text; takes the
    // font over.
    PXTextUI(Page* pPage, long left, long right, long top, long bottom, FontObject* pFont);
    // Bare, for the loader.
    PXTextUI();
    ~PXTextUI() override;

    classType isA() const override { return PX_CLASS_TEXTUI; }
    Program* GetProgram() const override;
    Page* GetPage() const override;

    // The note's record line of the program file (ProgramText.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;

    void GetRect(long& left, long& right, long& top, long& bottom) const;
    void SetRect(long left, long right, long top, long bottom);
    void SetText(const char* pszText);
    const char* GetText() const { return m_pTextBox->GetText(); }

    PXTextBase* GetTextBox() const { return m_pTextBox; }
    FontObject* GetFontObject() const { return m_pFont; }
    // Takes the font over, freeing the one held before.
    void SetFontObject(FontObject* pFont);

private:
    PXTextBase* m_pTextBox;
    FontObject* m_pFont;
};

#endif
