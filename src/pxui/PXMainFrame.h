// The wrapper of the editor's main window that the controller and the
// palette side work with: the window and its MDI client, the palette
// manager while there is one, and the full-screen mode. The main frame
// makes it and publishes it (SetPXMainFrame); GetPXMainFrame answers it.
#ifndef PXMAINFRAME_H
#define PXMAINFRAME_H

#include "PXafx.h"

#include <commctrl.h>

class PXPaletteManager;
class PXWnd;

// A pane that a block drag passes over without a page pane under the
// point: it scrolls when the point nears its edge, and may move the point
// (given in the client coordinates of the MDI child that was on top when
// the drag began).
class PXDragPane
{
public:
    virtual ~PXDragPane() {}
    virtual void DragOverEdge(POINT* pPoint) = 0;
};

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

    // The MDI client's window rectangle (screen); moving the client to a
    // rectangle of the main window's client area, repainted and erased.
    void GetMDIClientRect(RECT* pRect) const;
    void MoveMDIClient(const RECT& rc);

    // A block drag, in screen coordinates. BeginDrag remembers the param
    // that the drop hands on and the MDI child on top; mode 1 drags image
    // 0 of the image list (hotspot (0, 0) when none is given). DragMove
    // tells a page pane of that child under the block's icon where the
    // block would go (WM_PLT_DRAGOVER); elsewhere the pane given, if any,
    // follows the point, and without one the cursor says "no". EndDrag
    // drops on a page pane of that child (WM_PLT_DROP) and refuses any
    // other place: with a beep when quiet, else with a message.
    void BeginDrag(HIMAGELIST hImage, int x, int y, INT_PTR nParam, const POINT* pHotspot, int nMode);
    void DragMove(UINT nKeys, int x, int y, PXDragPane* pPane);
    void EndDrag(int x, int y, bool bQuiet);
    // The drag image taken away without a drop.
    void CancelDrag();
    HWND GetDragChild() const { return m_hWndDragChild; }
    POINT GetDragLast() const { return m_ptDragLast; }

    // True while the frame fills the desktop.
    BOOL IsFullScreen() const { return m_bFullScreen; }
    // Between the saved placement (maximised or not) and one whose client
    // area and menu bar cover the desktop, the caption and borders off the
    // screen; the command states follow.
    void ToggleFullScreen();
    // The rectangle the frame takes in full-screen mode.
    RECT GetFullScreenRect() const;

    HWND m_hWnd;
    HWND m_hWndMDIClient;
    PXPaletteManager* m_pPaletteManager;   // none until the palette side makes it

    int m_nDragMode;
    INT_PTR m_nDragParam;
    HWND m_hWndDragChild;
    POINT m_ptDragLast;

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
