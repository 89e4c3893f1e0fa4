// The tab palette's manager.
#include "PXTabPaletteMgr.h"
#include "PXInTabWnd.h"

PXWnd* PXTabPaletteMgr::CreateInnerWnd()
{
    return new PXInTabWnd;
}
