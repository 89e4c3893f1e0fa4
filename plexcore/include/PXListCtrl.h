// The wrapper of the list-view control that the palette window holds.
#ifndef PXLISTCTRL_H
#define PXLISTCTRL_H

#include "PXWnd.h"

#include <commctrl.h>

class PXImageList;

class PXListCtrl : public PXWnd
{
public:
    // Creates the control with the instance remembered by PXWnd::Create; the
    // handle goes to m_hWnd. Answers 1 with a window, 0 when the system made
    // nothing (m_hWnd is 0).
    int Create(DWORD dwExStyle, const char* pszClassName, const char* pszTitle, DWORD dwStyle,
               int x, int y, int nWidth, int nHeight, HWND hwndParent, HMENU hMenu,
               void* pParam);
    HIMAGELIST SetImageList(PXImageList* pImageList, int nImageListType);
};

#endif
