// The main frame's bars: made by its factory, found among its children,
// laid out around the MDI client.
#include "FrameBars.h"
#include "BitButtonClass.h"
#include "IconBoxChild.h"
#include "StatusLineChild.h"
#include "UIMDIFrame.h"

void MakeFrameBars(UIMDIFrame& frame)
{
    // The buttons' class exists before the strip's window makes them.
    RegisterBitButtonClass();
    StatusLineChild* pLine = new StatusLineChild(&frame);
    new IconBoxChild(&frame, &g_ToolStripRecord);
    frame.SetStatusLine(pLine);
}

StatusLineChild* GetFrameStatusLine(const UIMDIFrame& frame)
{
    return FirstChildOfClass<StatusLineChild>(frame);
}

IconBoxChild* GetFrameToolStrip(const UIMDIFrame& frame)
{
    return FirstChildOfClass<IconBoxChild>(frame);
}

RECT LayoutFrameBars(const UIMDIFrame& frame, RECT rcClient)
{
    if (StatusLineChild* pLine = GetFrameStatusLine(frame))
        pLine->Layout(rcClient);
    if (IconBoxChild* pStrip = GetFrameToolStrip(frame))
        pStrip->Layout(rcClient);
    return rcClient;
}
