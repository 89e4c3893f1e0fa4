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
    // The in-place editor while the text is edited, none otherwise.
    PXEdit* GetEdit() const { return m_pEdit; }

    // Opens the in-place editor over the parent window: its client area
    // gets the frame of a sizing border around (x1, y1) - (x2, y2), or
    // around the note's own rectangle with bOwnRect; the text shows in
    // the note's font at the zoom (percent). 1 when an editor is open.
    int BeginEdit(HWND hParent, BOOL bOwnRect, long x1, long y1, long x2, long y2, int nZoom);
    // Closes the editor: its text becomes the note's, and its rectangle
    // (less the frame, at least four frame widths and heights) goes into
    // the note's own rectangle with bOwnRect, else into *pOut. Nothing
    // without an editor.
    void EndEdit(BOOL bOwnRect, RECT* pOut);
    // True when an editor is open and the point (the parent's client
    // coordinates) lies in it.
    bool HitTestEdit(long x, long y) const;
    HWND GetEditWindow() const;
    // The font the editor shows its text in, while it is open.
    HFONT GetEditFont() const { return m_hEditFont; }

private:
    PXTextBase(const PXTextBase&) = delete;
    PXTextBase& operator=(const PXTextBase&) = delete;
    void CloseEditor();

    CString m_strText;
    long m_nLeft;
    long m_nRight;
    long m_nTop;
    long m_nBottom;
    HFONT m_hFont;
    PXEdit* m_pEdit;
    HFONT m_hEditFont;          // made for the editor, deleted with it
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
