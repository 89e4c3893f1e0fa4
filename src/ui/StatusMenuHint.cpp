// The status-line hints of the menu bar.
#include "StatusMenuHint.h"
#include "BarsRes.h"
#include "UIMDIFrame.h"

StatusMenuHint::Action StatusMenuHint::Find(HMENU hMenuBar, UINT nItem, UINT nFlags, HMENU hMenu,
                                            UINT& rnStringId)
{
    rnStringId = 0;
    // The menu closes: flags 0xFFFF without a menu.
    if (nFlags == 0xFFFF && !hMenu)
        return HINT_CLEAR;
    if (nFlags & MF_POPUP)
    {
        // The pop-up of the bar that holds the highlighted pop-up item.
        int nCount = hMenuBar ? ::GetMenuItemCount(hMenuBar) : 0;
        for (int p = 0; p < nCount; ++p)
        {
            HMENU hPopup = ::GetSubMenu(hMenuBar, p);
            if (hPopup && hPopup == hMenu)
            {
                rnStringId = IDS_MENU_POPUPFIRST + p;
                return HINT_SHOW;
            }
        }
        return HINT_KEEP;
    }
    if (nItem == 0)
        return HINT_CLEAR;
    rnStringId = nItem;
    return HINT_SHOW;
}

void StatusMenuHint::Show(UIMDIFrame& frame, HINSTANCE hInstance, HMENU hMenuBar, UINT nItem, UINT nFlags,
                          HMENU hMenu)
{
    UINT nId = 0;
    switch (Find(hMenuBar, nItem, nFlags, hMenu, nId))
    {
    case HINT_KEEP:
        return;
    case HINT_CLEAR:
        frame.SetStatusText(nullptr, 0);
        return;
    case HINT_SHOW:
    {
        char szHint[MAX_HINT + 1];
        if (::LoadStringA(hInstance, nId, szHint, sizeof(szHint)) > 0)
            frame.SetStatusText(szHint, 0);
        else
            frame.SetStatusText(nullptr, 0);
        return;
    }
    }
}
