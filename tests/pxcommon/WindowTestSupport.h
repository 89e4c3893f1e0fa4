// Helpers of the window tests: a hidden parent window, a window class that
// runs the wrapper's shared window procedure, a recorder of the messages
// that windows receive, and the capture of failed consistency checks inside
// window procedures.
#ifndef WINDOWTESTSUPPORT_H
#define WINDOWTESTSUPPORT_H

#include "PXTestSupport.h"
#include "PXWnd.h"
#include "PXDC.h"
#include "PXBitmap.h"

#include <string>
#include <vector>

// The class name of windows run by PXWndImpl::WindowProc (registered once).
const char* PXTestWndClass();

// A hidden top-level window owned by the test, destroyed with the object.
class TestParent
{
public:
    TestParent();
    ~TestParent();
    HWND m_hWnd;
};

// Dispatches whatever is pending for this thread.
void FlushMessages();

// One message as the window procedure was about to receive it, with whether
// its window was already bound to an object at that moment.
struct RecordedMsg
{
    HWND hWnd;
    UINT nMsg;
    bool bBound;
};

// Records, while it lives, every message sent to a window of the test class.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    std::vector<RecordedMsg> msgs;

    // The messages of one window, in order.
    std::vector<UINT> For(HWND hWnd) const;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hHook;
};

// While it lives, a failed consistency check (or any exception) that reaches
// the edge of a window procedure is recorded here instead of shown.
class CallbackFailures
{
public:
    CallbackFailures();
    ~CallbackFailures();

    std::vector<std::string> exprs;     // "?" for an exception that is no check

private:
    static void Hook();
    PXCallbackFailureHook m_pfnPrev;
};

// The screen's context, for making colour bitmaps.
class ScreenDC
{
public:
    ScreenDC() : dc(::GetDC(nullptr)) {}
    ~ScreenDC() { HDC h = dc.m_hDC; dc.RestoreSelections(); dc.m_hDC = nullptr; ::ReleaseDC(nullptr, h); }
    PXDC dc;
};

// Pictures of bitmaps, one string per row, one character per pixel.
typedef std::vector<std::string> Picture;
struct PictureColor
{
    char ch;
    COLORREF cr;
};

// Makes bmp (when it has no bitmap yet) and paints the picture into it.
void PaintPicture(PXBitmapColor& bmp, const Picture& rows, const std::vector<PictureColor>& colors,
                  COLORREF crMask);
// Every pixel of a colour bitmap as RGB(), rows top first.
std::vector<std::vector<COLORREF>> ReadPixels(PXBitmapColor& bmp);
// A monochrome bitmap as rows of '1' (set, transparent in a mask) and '0'.
Picture ReadBits(PXBitmapBW& bmp);

#endif
