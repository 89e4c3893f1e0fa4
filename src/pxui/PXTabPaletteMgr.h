// The palette manager the editor uses: its inner window is the tab window.
#ifndef PXTABPALETTEMGR_H
#define PXTABPALETTEMGR_H

#include "PXPaletteManager.h"

class PXTabPaletteMgr : public PXPaletteManager
{
public:
    explicit PXTabPaletteMgr(PXMainFrame* pFrame) : PXPaletteManager(pFrame) {}
    PXWnd* CreateInnerWnd() override;
};

#endif
