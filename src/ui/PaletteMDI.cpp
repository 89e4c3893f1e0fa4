// The palette windows: the "Blocks" window over the current blocks and the
// window over the obsolete blocks.
#include "PaletteMDI.h"
#include "UIApp.h"
#include "Icons.h"
#include "PalettePanes.h"
#include "PaneRes.h"
#include "Program.h"
#include "PXAssert.h"
#include "PXFaultHandler.h"
#include "PXMainFrame.h"
#include "PXUIMsg.h"
#include "PXWnd.h"
#include "classlib/ListIterator.h"

#include <cstring>
#include <new>

PaletteMDI::PaletteMDI(TMDIClient& client, const LayoutRecord* pRecord, Icons* pIcons, const char* pszTitle,
                       TWindow* pClientWnd)
    : UIMDIChildWindow(client, pRecord, pszTitle, pClientWnd), m_pIcons(pIcons), m_pProgram(nullptr), m_pBlockPane(nullptr),
      m_pCustomBlocks(nullptr), m_pSuperBlocks(nullptr), m_pVerifyBlocks(nullptr), m_pLibraryGroups(nullptr),
      m_nCustomShown(0), m_nPageKindShown(0), m_nLibraryShown(0), m_pGroupPane(nullptr)
{
    m_ListedGroups.ownsElements(0);
    m_pPageGroups[0] = m_pPageGroups[1] = nullptr;
    for (int i = 0; i < LAYOUT_MAX_ELEMENTS; ++i)
    {
        const LayoutElement& e = pRecord->elements[i];
        ChildWindow* pPane = nullptr;
        if (e.nType == PANE_GROUPPALETTE)
            pPane = m_pGroupPane = new (std::nothrow)
                GroupPaletteChild(this, &e, m_nWidth, m_nHeight, pIcons ? &pIcons->GetGroups() : nullptr);
        else if (e.nType == PANE_BLOCKPALETTE)
            pPane = m_pBlockPane = new (std::nothrow) PowerBlockPaletteChild(this, &e, m_nWidth, m_nHeight, nullptr);
        else
            continue;
        if (!pPane)
            ShowMessageId(IDS_PANE_NOCHILD, nullptr, MB_ICONEXCLAMATION, static_cast<int>(e.nType));
    }
}

PaletteMDI::~PaletteMDI()
{
    m_ListedGroups.flush(TShouldDelete::NoDelete);
}

LRESULT PaletteMDI::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CHILDACTIVATE:
        // Clicking the palette does not make it the active MDI window.
        return 0;
    case WM_DESTROY:
        if (UIMDIFrame* pFrame = UIApp::GetMainFrame())
            pFrame->ForgetPalette(this);
        return UIMDIChildWindow::WindowProc(msg, wParam, lParam);
    case WM_SIZE:
    case WM_MOVE:
    {
        LRESULT r = UIMDIChildWindow::WindowProc(msg, wParam, lParam);
        if (HWindow && !::IsIconic(HWindow) && !::IsZoomed(HWindow))
            if (HWND hClient = ::GetParent(HWindow))
                if (HWND hFrame = ::GetParent(hClient))
                    ::SendMessageA(hFrame, WM_UI_ARRANGE, 3, 0);
        return r;
    }
    default:
        return UIMDIChildWindow::WindowProc(msg, wParam, lParam);
    }
}

void PaletteMDI::SetProgram(Program* pProgram)
{
    // The program's SuperBlocks and Verification Blocks are offered as
    // blocks that call them, made from its pages as they are now.
    m_pProgram = pProgram;
    if (pProgram)
        pProgram->RefreshPageIcons();
    GroupIcon* pCustom = pProgram ? pProgram->GetCustomGroup() : nullptr;
    GroupIcon* pSuper = pProgram ? pProgram->GetSuperBlockGroup(0) : nullptr;
    GroupIcon* pVerify = pProgram ? pProgram->GetSuperBlockGroup(1) : nullptr;
    m_pCustomBlocks = pCustom ? &pCustom->GetIcons() : nullptr;
    m_pSuperBlocks = pSuper ? &pSuper->GetIcons() : nullptr;
    m_pVerifyBlocks = pVerify ? &pVerify->GetIcons() : nullptr;
    m_pPageGroups[0] = pSuper;
    m_pPageGroups[1] = pVerify;
    m_pLibraryGroups = pProgram ? &pProgram->GetLibraryGroups() : nullptr;

    m_ListedGroups.flush(TShouldDelete::NoDelete);
    if (m_pIcons)
        for (ListIterator it(m_pIcons->GetGroups()); it; ++it)
            m_ListedGroups.addAtTail(it.current());
    for (GroupIcon* pGroup : m_pPageGroups)
        if (pGroup)
            m_ListedGroups.addAtTail(*pGroup);
    if (m_pGroupPane)
        m_pGroupPane->RebuildGroups(&m_ListedGroups, m_pLibraryGroups);
    if (m_pBlockPane && (m_nCustomShown || m_nPageKindShown))
        m_pBlockPane->SetDisplayList(ListOfCurrent());
}

List* PaletteMDI::ListOfCurrent() const
{
    if (m_nCustomShown)
        return m_pCustomBlocks;
    if (m_nPageKindShown == 1)
        return m_pSuperBlocks;
    if (m_nPageKindShown == 2)
        return m_pVerifyBlocks;
    return nullptr;
}

void PaletteMDI::ShowGroup(GroupIcon* pGroup)
{
    m_nCustomShown = m_nPageKindShown = m_nLibraryShown = 0;
    List* pItems = nullptr;
    if (pGroup)
    {
        const char* pszName = pGroup->GetName() ? pGroup->GetName() : "";
        if (std::strcmp(pszName, "Custom") == 0)
        {
            m_nCustomShown = 1;
            pItems = m_pCustomBlocks;
        }
        else if (pGroup == m_pPageGroups[0] || std::strcmp(pszName, "SuperBlocks") == 0)
        {
            m_nPageKindShown = 1;
            pItems = m_pSuperBlocks;
        }
        else if (pGroup == m_pPageGroups[1] || std::strcmp(pszName, "Verification Blocks") == 0)
        {
            m_nPageKindShown = 2;
            pItems = m_pVerifyBlocks;
        }
        else
        {
            if (std::strstr(pszName, ".RLL"))
                m_nLibraryShown = 3;
            pItems = &pGroup->GetIcons();
        }
    }
    if (m_pBlockPane)
        m_pBlockPane->SetDisplayList(pItems);
}

void PaletteMDI::ChooseGroup(GroupIcon* pGroup)
{
    if (m_pGroupPane && pGroup && pGroup != m_pGroupPane->GetCurrentGroup())
        m_pGroupPane->ChooseGroup(pGroup);
    ShowGroup(pGroup);
}

bool PaletteMDI::FillTabs(bool bRequireWindow, int nSelect)
{
    PXMainFrame* pMainFrame = GetPXMainFrame();
    PXASSERT(pMainFrame != 0);
    PXWnd* pInWnd = pMainFrame->GetInWnd();
    if (!pInWnd && !bRequireWindow)
        return false;
    PXASSERT(pInWnd != 0);
    PXASSERT(::IsWindow(pInWnd->m_hWnd));
    GroupPaletteChild* group_child = m_pGroupPane;
    PXASSERT(group_child != 0);
    ::SendMessageA(pInWnd->m_hWnd, WM_PLT_CLEARALL, 0, 0);
    List* pGroups = group_child->GetItemList();
    for (ListIterator it(*pGroups); it; ++it)
    {
        GroupIcon* pGI = static_cast<GroupIcon*>(&it.current());
        if (!pGI->IsShownInPalette())
            continue;
        ::SendMessageA(pInWnd->m_hWnd, WM_PLT_ADDTAB, reinterpret_cast<WPARAM>(pGI->GetName()),
                       reinterpret_cast<LPARAM>(pGI));
        if (!group_child->GetCurrentGroup())
            group_child->SetCurrentGroup(pGI);
    }
    // The highlighted tab is the group whose blocks are listed: a tab that
    // shows another group cannot be clicked to show its own.
    if (nSelect < 0)
        nSelect = group_child->TabIndexOf(group_child->GetCurrentGroup());
    ::SendMessageA(pInWnd->m_hWnd, WM_PLT_SELECTTAB, static_cast<WPARAM>(nSelect < 0 ? 0 : nSelect), 0);
    return true;
}

void PaletteMDI::InitGroupTabs()
{
    // The tabs start over: no group is current, none chosen.
    if (m_pGroupPane)
        m_pGroupPane->ChooseGroup(nullptr);
    FillTabs(true, 0);
    PXMainFrame* pMainFrame = GetPXMainFrame();
    GroupIcon* group = m_pGroupPane->GetCurrentGroup();
    if (!group)
        return;     // a palette list without a shown group has no tabs
    m_pGroupPane->ChooseGroup(group);
    ::SendMessageA(pMainFrame->m_hWnd, WM_PLT_TABSELECTED, 0, reinterpret_cast<LPARAM>(group));
    ::InvalidateRect(pMainFrame->GetInWnd()->m_hWnd, nullptr, TRUE);
}

void PaletteMDI::UpdateGroupTabs()
{
    if (!FillTabs(false, -1))
        return;
    PXMainFrame* pMainFrame = GetPXMainFrame();
    GroupIcon* group = m_pGroupPane->GetCurrentGroup();
    if (!group)
        return;
    ::SendMessageA(pMainFrame->m_hWnd, WM_PLT_TABSELECTED, 0, reinterpret_cast<LPARAM>(group));
    ::InvalidateRect(pMainFrame->GetInWnd()->m_hWnd, nullptr, TRUE);
}

void PaletteMDI::RefreshGroupTabs(int nIndex)
{
    // The tab kept is the group shown; emptying the tabs emptied its list
    // of blocks too, which is filled again.
    GroupIcon* pKept = m_pGroupPane ? m_pGroupPane->GroupOfTab(nIndex) : nullptr;
    if (pKept && pKept != m_pGroupPane->GetCurrentGroup())
        m_pGroupPane->ChooseGroup(pKept);
    if (!FillTabs(false, pKept ? nIndex : -1))
        return;
    ShowGroup(m_pGroupPane->GetCurrentGroup());
    ::UpdateWindow(GetPXMainFrame()->GetInWnd()->m_hWnd);
}
