// The wrapper of the tab control that the palette window holds.
#ifndef PXTABCTRL_H
#define PXTABCTRL_H

#include "PXWnd.h"

#include <commctrl.h>

class PXTabCtrl : public PXWnd
{
public:
    // Non-zero when the control was made.
    int Create(DWORD dwStyle, const RECT& rect, PXWnd* pParentWnd, UINT nID);
    void AdjustRect(BOOL bLarger, RECT* pRect);
    int InsertItem(int nItem, TCITEMA* pTabCtrlItem);
};

#endif
