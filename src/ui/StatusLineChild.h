// StatusLineChild: the status line at the bottom of the main frame. It shows
// one line of text under a priority rule: a text is taken only when its
// level is at least the line's current level (0 plain texts and hints, 2
// progress, 3 error texts, drawn in red). A text above level 0 starts the
// line's timer, which every 4000 ms sets the level back to 0 so that the
// next text of any level replaces the one shown.
#ifndef STATUSLINECHILD_H
#define STATUSLINECHILD_H

#include "PXafx.h"
#include "ModelObserver.h"
#include "UIMDIFrame.h"
#include "owl/TWindow.h"

class FontObject;
class BrushObject;

// Levels of the status line's texts.
enum
{
    STATUS_PLAIN = 0,
    STATUS_PROGRESS = 2,
    STATUS_ERROR = 3
};

// The line made last is the one the model's long operations use.
class StatusLineChild : public TWindow, public UIStatusLine, public ModelStatusLine
{
public:
    enum { TIMER_ID = 1, RESET_MS = 4000, MAX_TEXT = 255 };

    // A child of the frame, at level 0 with "Initializing...".
    explicit StatusLineChild(TWindow* pParent, TModule* pModule = nullptr);
    ~StatusLineChild() override;

    const char* GetClassName() override { return "STATUSLINE"; }
    void GetWindowClass(WNDCLASSA& wc) override;

    // The priority rule: a text (none: empty) at a level below the current
    // one changes nothing; otherwise the line takes the level and the text
    // (its first 255 characters). With bPaintNow the line paints at once.
    void SetText(int nLevel, const char* pszText, bool bPaintNow) override;
    // At the current level the text is appended (up to 255 characters in
    // all); above it the text replaces the shown one as SetText does;
    // below it nothing happens.
    void AppendText(int nLevel, const char* pszText, bool bPaintNow) override;

    const char* GetText() const { return m_szText; }
    int GetLevel() const { return m_nLevel; }
    // Back to level 0 at once (the goto router does it when it ends).
    void ResetLevel() override { m_nLevel = STATUS_PLAIN; }

    // Gives the line room in the frame's layout or withdraws it, and asks
    // the frame to lay out again.
    void Show(bool bOn);
    bool IsShown() const { return (m_dwFlags & FLAG_SHOWN) != 0; }
    // When shown: placed at the bottom of the free rectangle with its
    // width, and its height taken off the rectangle.
    void Layout(RECT& rcFree);
    // The height the line takes: the character height of the font
    // "status_line" plus three times its internal leading.
    int GetHeight() const;

    // Once the program waits for input, start-up is over: the line leaves
    // its start-up text for the empty line of an editor at rest.
    void SetupWindow() override;
    void EvTimer(UINT timerId) override;
    void Paint(HDC hDC, bool erase, RECT& rect) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum { FLAG_SHOWN = 0x2 };
    // Posted to itself when made: handled by the first message loop, which
    // runs when start-up is done.
    enum { WM_STATUS_STARTED = WM_APP + 1 };
    bool m_bStartupText;            // the start-up text is still shown

    DWORD m_dwFlags;
    int m_nLevel;
    char m_szText[MAX_TEXT + 1];
    FontObject* m_pFont;            // "status_line": its metrics place the text
    BrushObject* m_pDivider;        // looked up, not drawn with
    BrushObject* m_pHighlight;
    BrushObject* m_pShadow;
};

#endif
