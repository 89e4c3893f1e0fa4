// IconBoxChild: the tool strip under the main frame's menu bar. It holds
// the bitmap push buttons of the tool bar, laid out from the tool-strip
// record of the frame's layout, makes and publishes the tool bar's
// presenter (PXToolBar), shows a button's hint on the status line while
// the mouse is over it and passes button clicks to the frame as commands.
#ifndef ICONBOXCHILD_H
#define ICONBOXCHILD_H

#include "PXafx.h"
#include "owl/TWindow.h"

#include <stddef.h>

class PenObject;
class PXToolBar;
class UIMDIFrame;

// Kinds of the tool-strip record's entries.
enum
{
    TOOLSTRIP_BUTTON = 266,
    TOOLSTRIP_GAP = 267
};

#define TOOLSTRIP_MAX_ENTRIES 21

// The tool-strip part of the frame's layout record: a head of 16-bit
// numbers followed by the entries, packed as the program has always laid it
// out (22-byte entries where pointers take 4 bytes).
#pragma pack(push, 2)
struct ToolStripEntry
{
    INT16 nKind;                // TOOLSTRIP_BUTTON or TOOLSTRIP_GAP
    INT16 nId;                  // a button's command id; 0 for a gap
    const char* pszTitle;       // a button's caption
    INT16 nWidth;
    INT16 nHeight;
    BYTE abReserved[4];
    const char* pszBitmap;      // the name of the button's picture; not read
    INT16 nReserved;
};

struct ToolStripRecord
{
    INT16 nTag;                 // 40; not read
    INT16 nHeight;              // the strip's height
    INT16 nSpacing;             // added after every entry, and where the first starts
    INT16 nY;                   // y of every button
    INT16 nCount;               // entries used, at most TOOLSTRIP_MAX_ENTRIES
    ToolStripEntry aEntries[TOOLSTRIP_MAX_ENTRIES];
};
#pragma pack(pop)

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ToolStripEntry) == 22, "a tool-strip entry is 22 bytes");
static_assert(offsetof(ToolStripEntry, pszTitle) == 4 && offsetof(ToolStripEntry, nWidth) == 8 &&
                  offsetof(ToolStripEntry, pszBitmap) == 16 && offsetof(ToolStripEntry, nReserved) == 20,
              "tool-strip entry layout");
static_assert(offsetof(ToolStripRecord, aEntries) == 10, "the entries follow a 10-byte head");
#endif

// The program's tool strip: fifteen buttons in six groups.
extern const ToolStripRecord g_ToolStripRecord;

class IconBoxChild : public TWindow
{
public:
    // A hidden child of the frame with one BitButton per button entry of
    // the record (created with the strip's window); makes the tool bar,
    // gives it the strip and publishes it as the program's tool bar.
    IconBoxChild(TWindow* pParent, const ToolStripRecord* pRecord, TModule* pModule = nullptr);
    // Withdraws the tool bar from the program, then deletes it.
    ~IconBoxChild() override;

    const char* GetClassName() override { return "ICONBOX"; }
    void GetWindowClass(WNDCLASSA& wc) override;

    PXToolBar* GetToolBar() const { return m_pToolBar; }
    const ToolStripRecord* GetRecord() const { return m_pRecord; }

    // Shows or hides the strip and asks the frame to lay out again.
    void Show(bool bOn);
    bool IsShown() const { return (m_dwFlags & FLAG_SHOWN) != 0; }
    // When shown: placed at the top of the free rectangle with its width
    // and the strip's height, which is taken off the rectangle.
    void Layout(RECT& rcFree);

    // From the buttons: the hover code shows the command's hint on the
    // status line; every other code goes to the frame as its command.
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
    // Over the strip's background no hint shows.
    void EvMouseMove(UINT modKeys, POINT pt) override;
    void Paint(HDC hDC, bool erase, RECT& rect) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum { FLAG_SHOWN = 0x2, MAX_HINT = 127 };

    // The frame whose status line shows the hints: the parent when it is
    // the main frame, else the application's main frame; none without.
    UIMDIFrame* StatusFrame() const;

    const ToolStripRecord* m_pRecord;
    DWORD m_dwFlags;
    PenObject* m_pDivider;
    PXToolBar* m_pToolBar;      // owned
};

#endif
