// What the tests of the tool strip, its buttons and the status line share:
// a plain parent window that records the commands it gets, the drawing
// tables, a canvas to draw a window into, and a pump for posted messages.
#ifndef BARSTESTSUPPORT_H
#define BARSTESTSUPPORT_H

#include "PXTestSupport.h"
#include "owl/TWindow.h"

#include <vector>

// One WM_COMMAND as the parent got it.
struct ReceivedCommand
{
    UINT nId;
    UINT nCode;
    LPARAM lParam;
};

// A top-level window at the screen's top-left corner, shown without
// activation, that records every WM_COMMAND and counts WM_UI_RELAYOUT.
class TestParent : public TWindow
{
public:
    TestParent();
    const char* GetClassName() override { return "PXBARSTESTPARENT"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The commands of one code (all when nCode is ~0u).
    std::vector<ReceivedCommand> CommandsWithCode(UINT nCode) const;

    std::vector<ReceivedCommand> commands;
    int nRelayouts = 0;
    LRESULT commandAnswer = 0;
};

// The program's named fonts, pens and brushes, made once.
void EnsureDrawingTables();

// Dispatches what is queued for this thread.
void PumpMessages();

// A 32-bit top-down bitmap with its own context, for WM_PRINTCLIENT.
class Canvas
{
public:
    Canvas(int nWidth, int nHeight, COLORREF crFill);
    ~Canvas();
    HDC DC() const { return m_hDC; }
    // Draws the window's client area into the canvas.
    void Print(HWND hWnd);
    COLORREF At(int x, int y) const;
    // Pixels of the rectangle (right and bottom exclusive) that have the colour.
    int Count(const RECT& rc, COLORREF cr) const;

private:
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int m_nWidth, m_nHeight;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
};

// Counts the WM_PAINT messages that reach a window, by subclassing it for
// its lifetime.
class PaintCounter
{
public:
    explicit PaintCounter(HWND hWnd);
    ~PaintCounter();
    int Count() const { return m_nPaints; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    WNDPROC m_pfnPrev;
    int m_nPaints = 0;
};

#endif
