// What the application controller, the command states and the menus ask
// of the editor's main frame and of the page pane of its active page
// window. The main frame implements it and registers it with the
// controller (PXWinApp::SetEditorFrame); without one there is no palette,
// no full-screen mode and no active page pane.
#ifndef PXEDITORFRAME_H
#define PXEDITORFRAME_H

#include "PXafx.h"

class Page;
class Program;
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

    // The page of the active MDI window; none when that is no page window
    // (or there is none).
    virtual Page* GetActivePage() = 0;
    // Puts the entry ("name|ID|volume") at the top of the recent-program
    // list. Without a frame that keeps one: nothing.
    virtual void AddRecentProgram(const char* pszEntry) { (void)pszEntry; }
    // Activates the first window showing the page, or opens one on it.
    virtual void ShowPage(Page* pPage) = 0;
    // Closes every window showing the page.
    virtual void ClosePageWindows(Page* pPage) = 0;

    // The editor clipboard in page mode: empties it and copies the page
    // with everything it calls (relative to the active page) and the gotos
    // between the copied blocks; false when nothing was copied.
    virtual BOOL CopyPageToClipboard(Page* pPage) = 0;
    // True when the clipboard holds a copied page that the model can paste.
    virtual BOOL CanPastePage() = 0;
    // Pastes the copied page into the active page window's page; 0 when it
    // was pasted (the palette then shows the program's pages again).
    virtual int PastePage() = 0;

    // Opens a local program file in a page window, or brings the window of
    // a program of that file forward; 0 when it was open already or has
    // been loaded (*ppProgram: the program, now the current one), 1 when
    // the file would not load. Without a frame that shows programs: 1.
    virtual int OpenProgram(const char* pszPath, Program** ppProgram)
    {
        *ppProgram = nullptr;
        return 1;
    }

    // Writes the program to its local file, as File Save writes the active
    // page window's program: 1 when written, 0 when not (the writer has
    // said why). The program need not be the active one. Without a frame
    // that shows programs: 0.
    virtual int SaveProgramFile(Program* pProgram) { return 0; }
    // The palette shows the program's block icons afresh (after its
    // imported libraries changed); nothing without a palette window.
    virtual void RefreshPalette(Program* pProgram) {}
};

#endif
