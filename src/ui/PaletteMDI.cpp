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

#include <cstring>
#include <new>

PaletteMDI::PaletteMDI(TMDIClient& client, const LayoutRecord* pRecord, Icons* pIcons, const char* pszTitle,
                       TWindow* pClientWnd)
    : UIMDIChildWindow(client, pRecord, pszTitle, pClientWnd), m_pIcons(pIcons), m_pBlockPane(nullptr),
      m_pCustomBlocks(nullptr), m_pSuperBlocks(nullptr), m_pVerifyBlocks(nullptr), m_pLibraryGroups(nullptr),
      m_nCustomShown(0), m_nPageKindShown(0), m_nLibraryShown(0), m_pGroupPane(nullptr)
{
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
    GroupIcon* pCustom = pProgram ? pProgram->GetCustomGroup() : nullptr;
    GroupIcon* pSuper = pProgram ? pProgram->GetSuperBlockGroup(0) : nullptr;
    GroupIcon* pVerify = pProgram ? pProgram->GetSuperBlockGroup(1) : nullptr;
    m_pCustomBlocks = pCustom ? &pCustom->GetIcons() : nullptr;
    m_pSuperBlocks = pSuper ? &pSuper->GetIcons() : nullptr;
    m_pVerifyBlocks = pVerify ? &pVerify->GetIcons() : nullptr;
    m_pLibraryGroups = pProgram ? &pProgram->GetLibraryGroups() : nullptr;
    if (m_pGroupPane)
        m_pGroupPane->RebuildGroups(m_pIcons ? &m_pIcons->GetGroups() : nullptr, m_pLibraryGroups);
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
        else if (std::strcmp(pszName, "SuperBlocks") == 0)
        {
            m_nPageKindShown = 1;
            pItems = m_pSuperBlocks;
        }
        else if (std::strcmp(pszName, "Verification Blocks") == 0)
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
    ::SendMessageA(pInWnd->m_hWnd, WM_PLT_SELECTTAB, static_cast<WPARAM>(nSelect), 0);
    return true;
}

void PaletteMDI::InitGroupTabs()
{
    if (m_pGroupPane)
        m_pGroupPane->SetCurrentGroup(nullptr);
    FillTabs(true, 0);
    PXMainFrame* pMainFrame = GetPXMainFrame();
    GroupIcon* group = m_pGroupPane->GetCurrentGroup();
    if (!group)
        return;     // a palette list without a shown group has no tabs
    ::SendMessageA(pMainFrame->m_hWnd, WM_PLT_TABSELECTED, 0, reinterpret_cast<LPARAM>(group));
    ::InvalidateRect(pMainFrame->GetInWnd()->m_hWnd, nullptr, TRUE);
}

void PaletteMDI::UpdateGroupTabs()
{
    if (!FillTabs(false, 0))
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
    if (!FillTabs(false, nIndex))
        return;
    ::UpdateWindow(GetPXMainFrame()->GetInWnd()->m_hWnd);
}
