// StatusMenuHint: what the status line shows while a menu item of the main
// frame is highlighted (the frame's WM_MENUSELECT). A command shows its
// hint, the string with the command's number; an item that holds a pop-up
// shows the text of the menu-bar pop-up it lies in; a separator, a command
// without a hint and the closing of the menu clear the line. The texts go
// out at the plain level, so an error text in force stays.
#ifndef STATUSMENUHINT_H
#define STATUSMENUHINT_H

#include "PXafx.h"

class UIMDIFrame;

class StatusMenuHint
{
public:
    enum Action
    {
        HINT_KEEP,      // the line stays as it is
        HINT_CLEAR,     // the line is cleared
        HINT_SHOW       // the string found is shown (cleared when it is missing)
    };

    // For WM_MENUSELECT (item, flags, menu) in a frame whose menu bar is
    // hMenuBar: what to do and, for HINT_SHOW, the string's id.
    static Action Find(HMENU hMenuBar, UINT nItem, UINT nFlags, HMENU hMenu, UINT& rnStringId);
    // Finds the text (at most 127 characters, from hInstance) and shows it
    // on the frame's status line.
    static void Show(UIMDIFrame& frame, HINSTANCE hInstance, HMENU hMenuBar, UINT nItem, UINT nFlags,
                     HMENU hMenu);

private:
    enum { MAX_HINT = 127 };
};

#endif
