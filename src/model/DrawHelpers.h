// Drawing and window helpers of the model, the display objects and the
// long operations: rectangle arithmetic, an icon bitmap drawn through its
// palette, icon labels broken in two, status-line messages, keeping the
// main window disabled while watching for Escape, and a pen guard.
#ifndef DRAWHELPERS_H
#define DRAWHELPERS_H

#include "PXafx.h"

class Icon;

RECT& SetRectPosSize(RECT& rc, long left, long top, long width, long height);
// Narrows rc symmetrically to the width and height where they are not 0
// and smaller than rc's; pOut may be &rc.
void CentreRect(const RECT& rc, long width, long height, RECT* pOut);

// Draws the icon's bitmap stretched into the rectangle, through a palette
// made from the bitmap's colours.
void DrawBitmapWithPalette(HDC hDC, Icon* pIcon, const RECT& rc);
void DrawBitmapHandleWithPalette(HDC hDC, HBITMAP hBitmap, const RECT& rc);

// The position at which a label is best broken into two lines, -1 for none.
int FindLabelBreak(const char* pszLabel, int nMinimum);

// The text on the main frame's status line; with bHighlight at the error
// level and with the exclamation beep.
void ShowStatusMessage(const char* pszText, int bHighlight);

// Hook of the program-file code around a load or save; answers 1.
int SetBusyCursor(int nCode, int nParam, int nCursor);

void DisableMainWindow(bool bDisable);

// Dispatches every pending message; false when an Escape key-down for a
// window of the main window's thread was among them. A call made while a
// message that it dispatched is being handled dispatches nothing and
// answers true.
bool PollEscape();

// Marks a long operation (routing, saving) for its life. Only one runs at
// a time: one begun from a message dispatched while another runs (see
// PollEscape) is not acquired, and its caller does nothing.
class PXLongOperation
{
public:
    PXLongOperation();
    ~PXLongOperation();
    bool Acquired() const { return m_bAcquired; }
    static bool IsRunning();
    // A timer that must not do its work in the middle of a long operation
    // (the auto-save timer): while one runs, the window's timer message is
    // kept (once) and posted to it again when the operation has ended, and
    // the answer is true; otherwise false, and the caller goes on.
    static bool DeferTimer(HWND hWnd, UINT_PTR nTimerId);

private:
    PXLongOperation(const PXLongOperation&) = delete;
    PXLongOperation& operator=(const PXLongOperation&) = delete;
    bool m_bAcquired;
};

// Selects a pen into a device context and selects the previous one back
// when it goes; owns neither.
class UsePen
{
public:
    UsePen(HDC hDC, HPEN hPen) : m_hDC(hDC), m_hOldPen(static_cast<HPEN>(SelectObject(hDC, hPen))) {}
    ~UsePen()
    {
        if (m_hOldPen)
            SelectObject(m_hDC, m_hOldPen);
    }

private:
    UsePen(const UsePen&) = delete;
    UsePen& operator=(const UsePen&) = delete;
    HDC m_hDC;
    HPEN m_hOldPen;
};

#endif
