// UIPageFrame: what the page windows and their panes ask of the main
// frame: activating a window, the current program and page, the registry
// of page windows, saving and closing a program's application, the naming
// dialog of new blocks, the editor clipboard, the palette and its image
// drag. The main frame implements it and installs itself
// (SetPageFrame); tests install a frame of their own. Model changes go
// through the model's observer (ModelObserver.h), not through this.
#ifndef UIPAGEFRAME_H
#define UIPAGEFRAME_H

#include "PXafx.h"

class UIMDIChildWindow;
class ObjectChild;
class Program;
class Page;
class TWindow;

class UIPageFrame
{
public:
    virtual ~UIPageFrame() {}

    // Shows the window normally unless it is maximised, brings it to the
    // top, gives it the focus and makes it the active MDI child.
    virtual void ActivateChild(UIMDIChildWindow* pChild) = 0;
    virtual void SetCurrentProgram(Program* pProgram) = 0;
    virtual void SetCurrentPage(Page* pPage) = 0;
    virtual Program* GetCurrentProgram() const = 0;
    // A page window is destroyed: it leaves the registry and is counted out
    // of its program's open windows, the other windows of its program are
    // renumbered and the captions refreshed.
    virtual void CloseChild(UIMDIChildWindow* pChild) = 0;
    // The window showing the page becomes current and active, or a new
    // page window opens on it.
    virtual void ShowPage(Page* pPage) = 0;
    // True while the frame closes its MDI windows at shut-down.
    virtual bool IsClosing() const = 0;

    // Saves the program's application; false when the save failed.
    virtual bool SaveProgram(Program* pProgram) = 0;
    // Closes the program's application (its last window is closing).
    virtual void CloseProgram(Program* pProgram) = 0;

    // The naming dialog of a new block with its prompt; the buffer holds
    // the name on OK. False on Cancel.
    virtual bool AskBlockName(HWND hOwner, const char* pszPrompt, char* pszName, int nSize) = 0;

    // Whether the clipboard program holds an End Block.
    virtual bool ClipboardHasEndBlock() = 0;
    // Pastes the clipboard into the page of the pane at the model point
    // (conflicts resolved with the user); the paste's result, or -1 when
    // the user cancelled the conflicts.
    virtual int PasteClipboard(Page* pPage, ObjectChild* pPane, long mx, long my) = 0;
    // Points the palette window at no program and then at the program, so
    // that its lists are rebuilt (nothing without a palette window).
    virtual void RefreshPalette(Program* pProgram) = 0;

    // The "Blocks" palette window, none while there is none; showing it
    // when it is not there (the palette command).
    virtual HWND GetPaletteWindow() = 0;
    virtual void TogglePalette() = 0;

    // The palette's image drag of one block: begun at a screen point with
    // the image of the block type, moved, ended (which delivers
    // WM_PLT_DROP to the page pane under the point) or cancelled. Begin
    // answers false when the frame has no image drag; the pane then drags
    // outlines instead.
    virtual bool BeginImageDrag(int nImage, POINT ptScreen) = 0;
    virtual void MoveImageDrag(UINT nKeys, POINT ptScreen, ObjectChild* pSource) = 0;
    virtual void EndImageDrag(POINT ptScreen) = 0;
    virtual void CancelImageDrag() = 0;

    // The cached size of a printed page in model units; 0, 0 while not
    // measured.
    virtual void GetPageGridSize(long& cx, long& cy) = 0;
    // The page editing pane measured it: the frame keeps it.
    virtual void SetPageGridSize(long cx, long cy) {}
};

// Installs the frame (none: the windows act without one); answers the
// previous one.
UIPageFrame* SetPageFrame(UIPageFrame* pFrame);
UIPageFrame* GetPageFrame();

#endif
