// The window class "BITBUTTON": the small bitmap push buttons of the tool
// bar. A button draws a glyph of the tool-bar strip (bitmap 1001) and its
// window text, looks raised, pressed or (a toggle button) latched, and tells
// its parent of presses with WM_COMMAND (wParam: code << 16 | its id,
// lParam 0; codes BITBUTTON_*).
//
// The window's creation parameter must point at a BitButtonCreate.
#ifndef BITBUTTONCLASS_H
#define BITBUTTONCLASS_H

#include "PXafx.h"

#include <stddef.h>

#define BITBUTTON_CLASS "BITBUTTON"

// Window style bit: a toggle button (each press latches or releases it).
#define BBS_TOGGLE 0x0001

// Notification codes.
enum
{
    BITBUTTON_CLICKED = 0,      // a push button released inside itself
    BITBUTTON_LATCHED = 1,      // a toggle button went down
    BITBUTTON_RELEASED = 2,     // a toggle button came up
    BITBUTTON_HOVER = 3         // the mouse moves over it while no press is in progress
};

// State bits of a button.
enum
{
    BITBUTTON_UP = 0x1,
    BITBUTTON_DOWN = 0x2,
    BITBUTTON_DISABLED = 0x4
};

// The creation parameter: the glyph's index in the strip, the caption's
// font (0: the system font) and the glyph's share of the inner width in
// tenths (0: one half).
struct BitButtonCreate
{
    INT32 nGlyph;
    HFONT hFont;
    INT32 nSplit;
};

// What each button keeps, in its GWLP_USERDATA while it exists.
struct BitButtonRecord
{
    INT32 nGlyph;
    HBITMAP hAltGlyph;      // the latched glyph of a toggle button, or none
    HFONT hFont;
    DWORD dwState;          // BITBUTTON_* state bits
    RECT rcGlyph;
    RECT rcText;
};

#if defined(_WIN32) && !defined(_WIN64)
// Where pointers and handles take 4 bytes, the creation parameter is three
// 32-bit words and the record is laid out as the program has always had it.
static_assert(sizeof(BitButtonCreate) == 12, "three words of creation state");
static_assert(offsetof(BitButtonRecord, hAltGlyph) == 4 && offsetof(BitButtonRecord, hFont) == 8 &&
                  offsetof(BitButtonRecord, dwState) == 12 && offsetof(BitButtonRecord, rcGlyph) == 16 &&
                  offsetof(BitButtonRecord, rcText) == 32 && sizeof(BitButtonRecord) == 48,
              "button record layout");
#endif

// The tool-bar glyph strip: cells of 16 by 15, light grey the mask colour.
#define BITBUTTON_GLYPH_WIDTH 16
#define BITBUTTON_GLYPH_HEIGHT 15
#define BITBUTTON_MASK_COLOUR RGB(192, 192, 192)

// Registers the class in the program's module (once; later calls answer
// the class that exists). The class atom, 0 when it cannot be registered.
ATOM RegisterBitButtonClass();
// Start-up hook of the buttons; nothing to do. 1.
int BitButtonInit();

// The record of a BITBUTTON window, or none for any other window.
BitButtonRecord* GetBitButtonRecord(HWND hWnd);

// True while the left button that went down on a push button is held: that
// button has the mouse capture. One flag for every button.
extern bool g_bTracking;

#endif
