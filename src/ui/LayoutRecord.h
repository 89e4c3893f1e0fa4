// The layout records of the editor's MDI windows: where a window goes in
// the MDI client and which panes tile it, each pane placed relative to the
// window's edges. Record 256 is the "Blocks" palette window, 257 a page
// window.
#ifndef LAYOUTRECORD_H
#define LAYOUTRECORD_H

#include "PXafx.h"

// Pane types of the layout elements.
enum
{
    PANE_NONE = 0,
    PANE_GROUPPALETTE = 258,
    PANE_BLOCKPALETTE = 259,
    PANE_EDIT = 260,
    PANE_HSCROLL = 261,
    PANE_VSCROLL = 262,
    PANE_DIVIDER = 263
};

// Style bits of a layout element.
enum
{
    LE_BORDER = 0x01,
    LE_RIGHT = 0x02,        // a negative x counts from the right edge
    LE_BOTTOM = 0x04,       // a negative y counts from the bottom edge
    LE_FILLHEIGHT = 0x08,   // a height of 0 or less stretches to the bottom edge
    LE_FILLWIDTH = 0x10,    // a width of 0 or less stretches to the right edge
    LE_COLUMNS = 0x20       // an object pane fills columns before rows
};

#define LAYOUT_MAX_ELEMENTS 5
#define LAYOUT_PALETTE 256
#define LAYOUT_PAGE 257

struct LayoutElement
{
    short nType;
    short nPartner;         // a scroll bar: the type of the pane it scrolls
    short x, y, w, h;       // pixels
    short nStyle;
    short nGapX;            // object panes: gap between cells; page pane: text margin M
    short nGapY;            // object panes: gap between rows; page pane: block margin V
    short nCellWidth;       // object panes: cell width; page pane: icon side S
    short nCellHeight;
    short nMetric5;         // page pane: body width W
    short nMetric6;         // page pane: text line T
    const char* pszFont;    // the pane's font in the font table
    short nMetric7;         // page pane: output offset D
    short nMetric8;
    short nMetric9;
};

struct LayoutRecord
{
    short nId;
    short x, y, w, h;       // the window's place in the MDI client
    short nMain;            // 1 the palette window's record, read by the main frame
    short nElements;
    LayoutElement elements[LAYOUT_MAX_ELEMENTS];

    // The window's place in a parent of the size: negative x and y count
    // from the far edges, widths and heights of 0 or less stretch.
    RECT ToRectInParent(int nParentWidth, int nParentHeight) const;

    // A pane's place in its window of the size (the frame taken off first
    // when the window is not a child window).
    static RECT ToChildRect(const LayoutElement& element, int nWidth, int nHeight, DWORD dwParentStyle);
    // The same for the window's client size (which has no frame).
    static RECT ToClientRect(const LayoutElement& element, int nWidth, int nHeight);
    // The first element of the type in any record; none.
    static const LayoutElement* FindElement(short nType);
    // The record of the id; none.
    static const LayoutRecord* Find(short nId);
};

// The program's table: a count, then the records.
struct LayoutTable
{
    short nCount;
    LayoutRecord records[2];
};

const LayoutTable& GetLayoutTable();

#endif
