// The block palette's frame window: a strip along the left edge of the
// main window's client area (docked) or a small tool window above it
// (floating). A press anywhere in it, caption included, starts the
// manager's move loop; a double click docks or floats it; the docked strip
// is sized by its right edge.
#ifndef PXDRAGWND_H
#define PXDRAGWND_H

#include "PXWnd.h"

class PXPaletteManager;

class PXDragWnd : public PXWnd
{
public:
    explicit PXDragWnd(PXPaletteManager* pManager);

    // The window's class, registered by the manager's first opening.
    static const char* GetClassNameText() { return "Palette Class"; }
    // Floating: a tool window at a screen position; docked: a child at a
    // position in the parent's client coordinates. 1 with a window.
    int Create(const char* pszTitle, int x, int y, int cx, int cy, HWND hParent, bool bFloating);
    // The client rectangle less the border and the sizing strip on the
    // right: where the docked palette's inner window lies.
    void GetInnerRect(RECT* pRect) const;
    static void GetInnerRectOf(HWND hWnd, RECT* pRect);
    static int GetStripWidth() { return 5; }

    void OnClose() override;
    void OnSpare(int n) override;
    void OnLButtonDown(UINT nKeys, int x, int y) override;
    void OnLButtonDblClk(UINT nKeys, int x, int y) override;
    LRESULT OnNcHitTest(int x, int y) override;
    void OnPaint() override;
    void OnSize(UINT nType, int cx, int cy) override;

private:
    PXPaletteManager* m_pManager;   // not owned
};

// A device context for painting one window: begun on construction, ended
// on destruction.
class PXPaintDC
{
public:
    explicit PXPaintDC(PXWnd* pWnd);
    ~PXPaintDC();
    HDC GetHandle() const { return m_ps.hdc; }

private:
    PXPaintDC(const PXPaintDC&) = delete;
    PXPaintDC& operator=(const PXPaintDC&) = delete;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

#endif
