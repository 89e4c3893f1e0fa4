// The bars of the main frame: the status line at the bottom and the tool
// strip under the menu bar. The frame's bars factory makes them as the
// frame's children; the frame finds them again among its children, shows
// them as its options say and lays them out around the MDI client.
#ifndef FRAMEBARS_H
#define FRAMEBARS_H

#include "PXafx.h"

class IconBoxChild;
class StatusLineChild;
class UIMDIFrame;

// Registers the class of the tool-bar buttons, makes the status line and
// the tool strip (over the program's tool-strip record) as children of the
// frame, created with it, and hands the status line to the frame.
void MakeFrameBars(UIMDIFrame& frame);

// The frame's bars, or none when it has not got them.
StatusLineChild* GetFrameStatusLine(const UIMDIFrame& frame);
IconBoxChild* GetFrameToolStrip(const UIMDIFrame& frame);

// The shown bars placed in the rectangle (the frame's client rectangle):
// the status line takes its height from the bottom, the tool strip its
// height from the top. Answers what is left for the MDI client.
RECT LayoutFrameBars(const UIMDIFrame& frame, RECT rcClient);

#endif
