// What the exception edges of the windows and the application show.
#ifndef OWLFAILURE_H
#define OWLFAILURE_H

#include "PXafx.h"

// Shows the exception being handled (its own text, or the text for an
// exception without a description) in a stop box under the program's name,
// owned by hOwner while that is still a window. Call only inside a catch.
void OwlShowCurrentException(HWND hOwner);

#endif
