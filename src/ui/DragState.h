// DragState: the one record of the drag that runs (only one at a time):
// the selection dragged, the display object pressed, the source pane and
// the start point in the source pane's view units.
#ifndef DRAGSTATE_H
#define DRAGSTATE_H

#include "PXafx.h"

class SelectedList;
class DisplayObject;
class ObjectChild;

struct DragState
{
    SelectedList* pSelection;
    DisplayObject* pPressed;
    ObjectChild* pSource;
    POINT ptStart;
};

// The program's drag record; its pointers are none while no drag runs.
DragState& GetDragState();

#endif
