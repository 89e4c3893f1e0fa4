// The foundation every module of the editor includes: Windows, consistency
// checks, strings, exceptions, containers and the fault reporter.
#ifndef PXAFX_H
#define PXAFX_H

#include <windows.h>
#include "PXAssert.h"
#include "PXString.h"
#include "PXException.h"
#include "PXMsgBox.h"
#include "PXObject.h"
#include "PXFaultHandler.h"
#include "PXProgDir.h"

#endif
