// The status-line hints of the menu bar.
#include "StatusMenuHint.h"
#include "BarsRes.h"
#include "UIMDIFrame.h"

namespace {

// The hint of each pop-up of the bar, in the bar's order. The hint texts are
// numbered for a bar that once had a debugger menu and options after Define;
// the bar is File, Edit, View, Options, Define, Window, Help, so a position
// alone would give Options the hint of Define.
const UINT kPopupHints[] = {
    IDS_MENU_POPUPFIRST,        // File
    IDS_MENU_POPUPFIRST + 1,    // Edit
    IDS_MENU_POPUPFIRST + 2,    // View
    IDS_MENU_POPUPFIRST + 6,    // Options
    IDS_MENU_POPUPFIRST + 3,    // Define
    IDS_MENU_POPUPFIRST + 7,    // Window
    IDS_MENU_POPUPFIRST + 8,    // Help
};

} // namespace

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
                if (p >= static_cast<int>(sizeof(kPopupHints) / sizeof(kPopupHints[0])))
                    return HINT_CLEAR;
                rnStringId = kPopupHints[p];
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
