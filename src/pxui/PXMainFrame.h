// The wrapper of the editor's main window that the controller and the
// palette side work with: the window and its MDI client, the palette
// manager while there is one, and the full-screen mode. The main frame
// makes it and publishes it (SetPXMainFrame); GetPXMainFrame answers it.
#ifndef PXMAINFRAME_H
#define PXMAINFRAME_H

#include "PXafx.h"

class PXPaletteManager;
class PXWnd;

class PXMainFrame
{
public:
    PXMainFrame();
    ~PXMainFrame();

    // The frame's window and its MDI client, once they exist.
    void Attach(HWND hWnd, HWND hWndMDIClient);
    HWND GetHandle() const { return m_hWnd; }

    // The palette's inner tab window while the palette is open; none
    // otherwise.
    PXWnd* GetInWnd() const;

    // True while the frame fills the desktop.
    BOOL IsFullScreen() const { return m_bFullScreen; }
    // Between the saved placement and one that covers the desktop (with
    // the menu bar's height added above it); then the command states.
    void ToggleFullScreen();
    // The rectangle the frame takes in full-screen mode.
    RECT GetFullScreenRect() const;

    HWND m_hWnd;
    HWND m_hWndMDIClient;
    PXPaletteManager* m_pPaletteManager;   // none until the palette side makes it

private:
    PXMainFrame(const PXMainFrame&) = delete;
    PXMainFrame& operator=(const PXMainFrame&) = delete;

    BOOL m_bFullScreen;
    WINDOWPLACEMENT m_wpSaved;
    RECT m_rcFullScreen;
};

// The program's one main-frame wrapper (none before the frame exists).
PXMainFrame* GetPXMainFrame();
void SetPXMainFrame(PXMainFrame* pMainFrame);

#endif
