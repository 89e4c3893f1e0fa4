// Private window messages shared by the editor's frame, its windows and the
// block palette. The frame's messages run from WM_USER+1000, the palette's
// from WM_USER+201 (WM_USER+205 is not used).
#ifndef PXUIMSG_H
#define PXUIMSG_H

#include <windows.h>

// Messages of the main frame.
#define WM_UI_RELAYOUT      (WM_USER + 1000)
#define WM_UI_MODELNOTIFY   (WM_USER + 1001)
#define WM_UI_WINDOWKIND    (WM_USER + 1002)
#define WM_UI_BLOCKREQUEST  (WM_USER + 1003)
#define WM_UI_OPENPROGRAM   (WM_USER + 1004)
#define WM_UI_BLOCKCHANGED  (WM_USER + 1005)
#define WM_UI_BUSYCURSOR    (WM_USER + 1006)
#define WM_UI_ARRANGE       (WM_USER + 1007)

// The record of WM_UI_BLOCKREQUEST (lParam, the sender's): the block to
// show, named by its page's name, "$" and its own name, or by its model
// name; and what to do with it.
// wParam -1 without a record: the marked block goes away.
#define UI_BLOCKREQUEST_TEXT 128
#define UI_BLOCKREQUEST_SHOW    1   // show and select the block (any action not below)
#define UI_BLOCKREQUEST_TOGGLE  2   // the breakpoint mark toggled
#define UI_BLOCKREQUEST_SET     4   // the breakpoint mark set
#define UI_BLOCKREQUEST_CLEAR   8   // the breakpoint mark cleared
#define UI_BLOCKREQUEST_MARK    16  // the block becomes the one current block, shown
#define UI_BLOCKREQUEST_UNMARK  32  // no block is current

struct BlockRequest
{
    char szBlock[UI_BLOCKREQUEST_TEXT];
    WORD nAction;
};

// Answer bits of WM_UI_WINDOWKIND.
#define UI_KIND_FRAME       0x01
#define UI_KIND_MDICHILD    0x02
#define UI_KIND_PANE        0x04
#define UI_KIND_OBJECTPANE  0x08
#define UI_KIND_PRINTPANE   0x10

// Messages of the block palette.
#define WM_PLT_ADDITEM      (WM_USER + 201)     // lParam: PXPalettePBItem*, the sender's
#define WM_PLT_CLEARITEMS   (WM_USER + 202)
#define WM_PLT_ADDTAB       (WM_USER + 203)     // wParam: group name, lParam: GroupIcon*
#define WM_PLT_SELECTTAB    (WM_USER + 204)     // wParam: tab index
#define WM_PLT_DROP         (WM_USER + 206)     // wParam: drag param, lParam: screen x, y
#define WM_PLT_DRAGOVER     (WM_USER + 207)     // lParam: POINT* in client coordinates
#define WM_PLT_TABSELECTED  (WM_USER + 208)     // lParam: GroupIcon*
#define WM_PLT_CLEARALL     (WM_USER + 209)
#define WM_PLT_DRAGSTART    (WM_USER + 210)

#endif
