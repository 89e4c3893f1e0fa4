// The palette manager: owns the block palette's frame window and its inner
// tab window and keeps their geometry. The main frame carries it
// (PXMainFrame::m_pPaletteManager); the palette panes reach the inner
// window through PXMainFrame::GetInWnd.
#ifndef PXPALETTEMANAGER_H
#define PXPALETTEMANAGER_H

#include "PXafx.h"

class PXMainFrame;
class PXWnd;

class PXPaletteManager
{
public:
    explicit PXPaletteManager(PXMainFrame* pFrame);
    virtual ~PXPaletteManager();

    // Opens the palette in its current state (docked beside the MDI
    // client, or floating): the frame window "Block palette" and the inner
    // window in it, made on the first opening and moved over on later
    // ones. The command states follow.
    void CreatePalette();
    // Destroys the inner window and the frame window; the command states
    // follow. The MDI client stays where it is: the main frame lays out
    // afterwards. Close is the same, for the main frame's closing.
    void ClosePalette();
    void Close();
    // Docked becomes floating and floating docked.
    void ToggleDock();
    // The frame window made again in the current state, with the inner
    // window moved over, and the MDI client moved beside or under it.
    void Rebuild();
    // The frame window's new client size; the main window's new client
    // size (height unused).
    void OnPaletteSize(int cx, int cy);
    void OnFrameSize(int cx, int cy);
    // The inner window of a new palette; the base has none.
    virtual PXWnd* CreateInnerWnd();

    bool IsOpen() const { return m_pPalette != nullptr; }
    // Where the inner window goes in the frame window.
    void GetInnerRect(RECT* pRect) const;

    // The private move loop, started by a press on the palette's frame
    // window: an outline follows the mouse, docked beside the MDI client
    // while the window's left third lies left of the client's left edge,
    // floating otherwise. A release in the floating state moves the
    // floating palette there; Escape, a lost capture or a quit message
    // ends the loop with the palette where it was.
    void MoveLoop();

    PXMainFrame* m_pFrame;      // not owned
    CString* m_pClassName;      // "Palette Class" once it is registered
    PXWnd* m_pPalette;          // the frame window; none while the palette is closed
    PXWnd* m_pInnerWnd;         // survives a dock/float switch
    bool m_bMoving;
    HDC m_hDragDC;              // the desktop's, while the move loop runs
    RECT m_rcDrag;              // the outline last drawn (screen)
    bool m_bFirstMove;
    POINT m_ptGrab;             // cursor to the window's top-left corner
    bool m_bFloating;
    bool m_bTargetFloating;
    POINT m_ptFloat;
    POINT m_ptDocked;
    SIZE m_sizeFloat;
    SIZE m_sizeDocked;

private:
    void TrackTo(const RECT& rcStart, POINT ptCursor);
    void DestroyWindows();
    void DrawOutline(const RECT& rc);

    PXPaletteManager(const PXPaletteManager&) = delete;
    PXPaletteManager& operator=(const PXPaletteManager&) = delete;
};

// One entry of the palette's list, built by the sender of WM_PLT_ADDITEM and
// deleted by it afterwards.
class PXPalettePBItem
{
public:
    PXPalettePBItem(const CString& name, int nImage, INT_PTR nParam)
        : m_strName(name), m_nImage(nImage), m_nParam(nParam) {}
    virtual ~PXPalettePBItem() {}

    CString GetName() const { return m_strName; }
    int GetNameLength() const { return m_strName.GetLength(); }
    int GetImage() const { return m_nImage; }
    // The value handed back with the drop: a pointer on 64-bit builds too.
    INT_PTR GetParam() const { return m_nParam; }

private:
    CString m_strName;
    int m_nImage;
    INT_PTR m_nParam;
};

#endif
