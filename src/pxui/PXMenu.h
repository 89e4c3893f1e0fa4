// The editor's menus: the owner of one menu handle, the main menu bar's
// presenter, and the context menus of a page pane (over a PowerBlock, and
// over a text note or no object). Their items take their look from the
// command-state table; chosen commands reach the main frame as WM_COMMAND.
#ifndef PXMENU_H
#define PXMENU_H

#include "PXafx.h"
#include "PXCmdInterface.h"

class PowerBlock;
class PXGotoMenu;
class PXWnd;

// Owns the menu handle attached to it. A menu that belongs to somebody else
// (the frame's menu bar, a submenu the frame rebuilds) is attached for the
// work and detached before the PXMenu goes.
class PXMenu
{
public:
    PXMenu() : m_hMenu(nullptr) {}
    ~PXMenu();

    bool Attach(HMENU hMenu);
    HMENU Detach();
    bool CreatePopup();
    HMENU GetHandle() const { return m_hMenu; }

    // uFlags are the system's menu flags (MF_CHECKED, MF_GRAYED |
    // MF_DISABLED, MF_SEPARATOR, MF_POPUP with the submenu handle as id).
    void Append(UINT uFlags, UINT_PTR uId, const char* pszText);
    // By command id: uCheck MF_CHECKED or MF_UNCHECKED; uEnable MF_ENABLED
    // or MF_GRAYED.
    void CheckItem(UINT uId, UINT uCheck);
    void EnableItem(UINT uId, UINT uEnable);
    // Tracks the popup at the screen point; the owner's window receives the
    // command chosen.
    void TrackPopup(UINT uFlags, int x, int y, PXWnd* pOwner, const RECT* pRect);

protected:
    // Enabled or greyed, checked or not, as the command-state table says.
    void RefreshItem(UINT uId);
    // Appends the items of the first popup of the menu resource; a popup
    // item of the template takes hSubMenu instead (none: it is left out).
    void AppendTemplate(const char* pszResource, HMENU hSubMenu);

    HMENU m_hMenu;

private:
    PXMenu(const PXMenu&) = delete;
    PXMenu& operator=(const PXMenu&) = delete;
};

// The main window's menu bar "MAINMENU".
class PXMainMenu : public PXCmdInterface, public PXMenu
{
public:
    PXMainMenu() {}
    ~PXMainMenu() override {}
    void UpdateState() override;

    // The items it refreshes: every command of the table but the keyboard
    // scrolling ones.
    static const WORD s_awItems[];
    static const int s_nItems;
};

// The context menu of one PowerBlock, with its Hide/Show Outputs submenu.
class PXPBCtxtMenu : public PXMenu, public PXCmdInterface
{
public:
    explicit PXPBCtxtMenu(PowerBlock* pBlock);
    ~PXPBCtxtMenu() override;

    void Build();
    void UpdateState() override;

    PowerBlock* pPB;

private:
    PXGotoMenu* m_pGotoMenu;    // owned; its handle belongs to this menu once appended
    bool m_bGotoAppended;
};

// The context menu of a page, over a text note or over no object.
class PXUserAppCtxtMenu : public PXMenu, public PXCmdInterface
{
public:
    PXUserAppCtxtMenu() {}
    ~PXUserAppCtxtMenu() override {}

    void Build();
    void UpdateState() override;
};

#endif
