// The menu-handle owner, the main menu bar and the context menus.
#include "PXMenu.h"
#include "PXCmdIds.h"
#include "PXGotoMenu.h"
#include "PXWnd.h"

#include <new>

// ---------------------------------------------------------------------------
// PXMenu

PXMenu::~PXMenu()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

bool PXMenu::Attach(HMENU hMenu)
{
    PXASSERT(m_hMenu==0);
    m_hMenu = hMenu;
    return true;
}

HMENU PXMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

bool PXMenu::CreatePopup()
{
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return false;
    return Attach(hMenu);
}

void PXMenu::Append(UINT uFlags, UINT_PTR uId, const char* pszText)
{
    PXASSERT(::IsMenu(m_hMenu));
    ::AppendMenuA(m_hMenu, uFlags, uId, pszText);
}

void PXMenu::CheckItem(UINT uId, UINT uCheck)
{
    ::CheckMenuItem(m_hMenu, uId, MF_BYCOMMAND | uCheck);
}

void PXMenu::EnableItem(UINT uId, UINT uEnable)
{
    ::EnableMenuItem(m_hMenu, uId, MF_BYCOMMAND | uEnable);
}

void PXMenu::TrackPopup(UINT uFlags, int x, int y, PXWnd* pOwner, const RECT* pRect)
{
    PXASSERT(pOwner!=0);
    ::TrackPopupMenu(m_hMenu, uFlags, x, y, 0, pOwner->m_hWnd, pRect);
}

void PXMenu::RefreshItem(UINT uId)
{
    EnableItem(uId, PXCmdInterface::IsCommandEnabled(uId) ? MF_ENABLED : MF_GRAYED);
    CheckItem(uId, PXCmdInterface::IsCommandChecked(uId) ? MF_CHECKED : MF_UNCHECKED);
}

void PXMenu::AppendTemplate(const char* pszResource, HMENU hSubMenu)
{
    HMENU hTemplate = ::LoadMenuA(PXGetResourceHandle(), pszResource);
    PXASSERT(hTemplate!=0);
    if (!hTemplate)
        return;
    HMENU hItems = ::GetSubMenu(hTemplate, 0);
    int nCount = hItems ? ::GetMenuItemCount(hItems) : 0;
    for (int i = 0; i < nCount; ++i)
    {
        char szText[128] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        if (!::GetMenuItemInfoA(hItems, i, TRUE, &info))
            continue;
        if (info.fType & MFT_SEPARATOR)
            Append(MF_SEPARATOR, 0, nullptr);
        else if (info.hSubMenu)
        {
            if (hSubMenu)
                Append(MF_POPUP, reinterpret_cast<UINT_PTR>(hSubMenu), szText);
        }
        else
            Append(MF_STRING, info.wID, szText);
    }
    ::DestroyMenu(hTemplate);
}

// ---------------------------------------------------------------------------
// PXMainMenu

const WORD PXMainMenu::s_awItems[] = {
    CM_FILECLOSE, CM_FILESAVEAS, CM_FILEIMPORT, CM_FILEPROPERTIES, CM_PRINTSETUP, CM_PRINTFLOW,
    CM_PRINTBLOCKS, CM_PRINTITEMS, CM_TEXTNOTE, CM_VOICEITEMS, CM_FAXITEMS, CM_PALETTE, CM_FULLSCREEN,
    CM_ZOOMIN, CM_ZOOMOUT, CM_ZOOMNORMAL, CM_SETZOOM, CM_FILESAVE, CM_FILEREMOVEIMPORT, CM_FILEEXPORT,
    CM_FILEUNDOEXPORT, CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_EDITPASTE, CM_RENAME,
    CM_BLOCKPROPERTIES, CM_REROUTELINE, CM_STUBLINE, CM_TEXTNOTEFONT, CM_PAGEUP, CM_PAGEDOWN,
    CM_PAGELEFT, CM_PAGERIGHT, CM_EDITTEXTNOTE,
};
const int PXMainMenu::s_nItems = sizeof(s_awItems) / sizeof(s_awItems[0]);

void PXMainMenu::UpdateState()
{
    for (int i = 0; i < s_nItems; ++i)
        RefreshItem(s_awItems[i]);
}

// ---------------------------------------------------------------------------
// PXPBCtxtMenu

PXPBCtxtMenu::PXPBCtxtMenu(PowerBlock* pBlock) : pPB(pBlock), m_pGotoMenu(nullptr), m_bGotoAppended(false)
{
    PXASSERT(pPB!=0);
}

PXPBCtxtMenu::~PXPBCtxtMenu()
{
    // Once appended, the submenu goes with this menu's handle.
    if (m_pGotoMenu && m_bGotoAppended && m_hMenu)
        m_pGotoMenu->Detach();
    delete m_pGotoMenu;
}

void PXPBCtxtMenu::Build()
{
    PXASSERT(m_hMenu!=0);
    m_pGotoMenu = new (std::nothrow) PXGotoMenu(pPB);
    PXASSERT(m_pGotoMenu!=0);
    if (!m_pGotoMenu || !m_pGotoMenu->CreatePopup())
        PXTHROW_XMEM(0);
    m_pGotoMenu->Build();
    AppendTemplate("PBCTXTMENU", m_pGotoMenu->GetHandle());
    m_bGotoAppended = true;
    ::SetMenuDefaultItem(m_hMenu, CM_BLOCKPROPERTIES, FALSE);
}

void PXPBCtxtMenu::UpdateState()
{
    static const WORD s_awItems[] = { CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_RENAME, CM_BLOCKPROPERTIES };
    for (WORD wId : s_awItems)
        RefreshItem(wId);
}

// ---------------------------------------------------------------------------
// PXUserAppCtxtMenu

void PXUserAppCtxtMenu::Build()
{
    PXASSERT(m_hMenu!=0);
    AppendTemplate("APPCTXTMENU", nullptr);
}

void PXUserAppCtxtMenu::UpdateState()
{
    // Create Text Note keeps the look it was appended with.
    static const WORD s_awItems[] = { CM_FILESAVE, CM_EDITPASTE, CM_ZOOMIN, CM_ZOOMOUT, CM_ZOOMNORMAL, CM_EDITTEXTNOTE };
    for (WORD wId : s_awItems)
        RefreshItem(wId);
}
