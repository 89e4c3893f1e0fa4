// PXTextDObj: the display object of a text note. It draws the note's text,
// frames a selected note, opens the note's in-place editor on a double
// click and gives the status-line hints.
#ifndef PXTEXTDOBJ_H
#define PXTEXTDOBJ_H

#include "DisplayObject.h"

class PXTextUI;

class PXTextDObj : public DisplayObject
{
public:
    PXTextDObj(DisplayPane* pPane, PXTextUI* pNote, const RECT& rc);

    classType isA() const override { return PX_CLASS_TEXTDOBJ; }
    // A double click (or Ctrl double click) opens the in-place editor over
    // the note; the pane then drops the note's display objects.
    bool Click(long x, long y, int nKind) override;
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    int Layer() const override { return DO_LAYER_NOTES; }
    // The note's text on one line, at most PX_TEXTNOTE_MAX characters.
    const char* HoverText() override;
    const char* DragText() override;
    const char* StatusText() override;

    PXTextUI* GetNote() const;
    // A font drawn in place of the note's own (a printer-sized copy while
    // a page prints; the note keeps its font). None: the note's font.
    void SetDrawFont(HFONT hFont) { m_hDrawFont = hFont; }

private:
    HFONT m_hDrawFont = nullptr;     // not owned
};

// Ends the in-place edit of a note shown in the pane: the editor's text
// becomes the note's, its rectangle goes through the pane's view units
// into model units as the note's rectangle, and the pane builds the note's
// display objects again. False when no editor was open.
bool EndTextNoteEdit(DisplayPane* pPane, PXTextUI* pNote);

#endif
