// What the application controller, the command states and the menus ask
// of the editor's main frame and of the page pane of its active page
// window. The main frame implements it and registers it with the
// controller (PXWinApp::SetEditorFrame); without one there is no palette,
// no full-screen mode and no active page pane.
#ifndef PXEDITORFRAME_H
#define PXEDITORFRAME_H

#include "PXafx.h"

class UIObject;

class PXEditorFrame
{
public:
    virtual ~PXEditorFrame() {}

    // The palette manager has a palette window.
    virtual BOOL IsPaletteShown() = 0;
    // The main window fills the desktop.
    virtual BOOL IsFullScreen() = 0;

    // The page pane of the active page window: whether it edits a text
    // note in place, and its selection list (count and entries in
    // selection order). Without an active page pane: false, 0 and none.
    virtual BOOL IsEditingTextNote() = 0;
    virtual int GetSelectionCount() = 0;
    virtual UIObject* GetSelectedObject(int nIndex) = 0;
};

#endif
