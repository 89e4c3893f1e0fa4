// What the walk's menu hook, inside the editor, hands to the probe: the
// items of the menu the editor last prepared for showing, one a line as
// "id<TAB>greyed<TAB>checked<TAB>text", and a count of the menus seen.
#ifndef WALKSHARED_H
#define WALKSHARED_H

#include <windows.h>

static const char kWalkMenuMapping[] = "PlexwrightWalkMenuStates";

struct WalkMenuShared
{
    volatile LONG nSequence;
    char szItems[16384];
};

#endif
