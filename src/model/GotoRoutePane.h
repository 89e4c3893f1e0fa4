// GotoRoutePane: what laying out a goto line asks of the page pane that
// shows it: where the output's stub sits, where the target block takes
// the line in, and the block bodies, all in model units; and, for the
// search of "Smart Routing", the pane's display objects that a move
// touches, in the pane's view units, and the rectangles of its blocks.
#ifndef GOTOROUTEPANE_H
#define GOTOROUTEPANE_H

#include "PXafx.h"

#include <vector>

class PowerBlock;
class DisplayObject;

class GotoRoutePane
{
public:
    virtual ~GotoRoutePane() {}

    // The centre and half width of the stub of the block's output; all
    // zero when the pane shows no such stub.
    virtual void GetObjectCentre(PowerBlock* pBlock, const char* pszOutput, long& x, long& y,
                                 long& halfWidth) = 0;
    // The point at the left edge and vertical middle of the block's body,
    // and how far its name and type lines reach left of that edge (0 when
    // they do not).
    virtual void GetGotoAnchors(PowerBlock* pBlock, long& x, long& y, long& nameOverhang,
                                long& typeOverhang) = 0;
    // The block's body rectangle.
    virtual RECT GetBlockModelRect(PowerBlock* pBlock) = 0;
    // A model point in the pane's view units.
    virtual void RouteModelToView(long mx, long my, long& vx, long& vy) const = 0;
    // Every display object of the pane that meets the view rectangle, each
    // once.
    virtual void RouteObjectsMeeting(const RECT& rcView, std::vector<DisplayObject*>& objects) = 0;
    // The rectangles of the blocks that the pane shows (name, icon and type
    // together), in model units; the search goes round them.
    virtual void RouteBlockRects(std::vector<RECT>& rects) { rects.clear(); }
};

#endif
