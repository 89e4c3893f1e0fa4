// The group and block panes of the palette window.
#include "PalettePanes.h"
#include "BandList.h"
#include "BrushObject.h"
#include "DragState.h"
#include "IconObject.h"
#include "Icons.h"
#include "PaletteMDI.h"
#include "PaneRes.h"
#include "PXAssert.h"
#include "PXFaultHandler.h"
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXUIMsg.h"
#include "PXWnd.h"

#include <new>

namespace
{
// The palette panes' background: the named brush "palette_background".
void UsePaletteBackground(WNDCLASSA& wc)
{
    if (BrushObject* pBrush = g_pBrushes ? g_pBrushes->Find("palette_background") : nullptr)
        wc.hbrBackground = pBrush->GetBrush();
}
}

// ---- GroupPaletteChild -------------------------------------------------------

void GroupPaletteChild::GetWindowClass(WNDCLASSA& wc)
{
    ObjectChild::GetWindowClass(wc);
    UsePaletteBackground(wc);
}

GroupPaletteChild::GroupPaletteChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight,
                                     List* pGroups)
    : ObjectChild(pParent, pElement, nWidth, nHeight), m_pCurrentGroup(nullptr)
{
    m_Groups.ownsElements(0);
    if (pGroups)
        for (ListIterator it(*pGroups); it; ++it)
            m_Groups.addAtTail(it.current());
}

GroupPaletteChild::~GroupPaletteChild()
{
    m_Groups.flush(TShouldDelete::NoDelete);
}

PaletteMDI* GroupPaletteChild::GetPaletteWindow() const
{
    return dynamic_cast<PaletteMDI*>(GetParentO());
}

bool GroupPaletteChild::Select(UIObject* pObject, bool bExclusive, int nHow)
{
    if (nHow != 1)
        return false;
    ObjectChild::Select(pObject, bExclusive, nHow);
    GroupIcon* pGroup = static_cast<GroupIcon*>(pObject);
    if (pGroup != m_pCurrentGroup)
    {
        if (PaletteMDI* pWindow = GetPaletteWindow())
            pWindow->ShowGroup(pGroup);
        ChooseGroup(pGroup);
    }
    return true;
}

void GroupPaletteChild::ChooseGroup(GroupIcon* pGroup)
{
    m_pCurrentGroup = pGroup;
    m_strChosen = pGroup && pGroup->GetName() ? pGroup->GetName() : "";
}

int GroupPaletteChild::TabIndexOf(const GroupIcon* pGroup)
{
    int nTab = 0;
    for (ListIterator it(m_Groups); it; ++it)
    {
        GroupIcon* pListed = static_cast<GroupIcon*>(&it.current());
        if (!pListed->IsShownInPalette())
            continue;
        if (pListed == pGroup)
            return nTab;
        ++nTab;
    }
    return -1;
}

GroupIcon* GroupPaletteChild::GroupOfTab(int nTab)
{
    if (nTab < 0)
        return nullptr;
    for (ListIterator it(m_Groups); it; ++it)
    {
        GroupIcon* pListed = static_cast<GroupIcon*>(&it.current());
        if (pListed->IsShownInPalette() && nTab-- == 0)
            return pListed;
    }
    return nullptr;
}

DisplayObject* GroupPaletteChild::CreateItemObject(UIObject* pItem, const RECT& rcCell)
{
    return new (std::nothrow) PowerBlockGroupIconObject(this, static_cast<Icon*>(pItem), rcCell,
                                                        m_pElement->nCellWidth, m_pElement->nCellHeight);
}

void GroupPaletteChild::RebuildGroups(List* pModelGroups, List* pProgramGroups)
{
    if (m_pCurrentGroup)
        Deselect(m_pCurrentGroup, true);
    m_Groups.flush(TShouldDelete::NoDelete);
    if (pProgramGroups)
        for (ListIterator it(*pProgramGroups); it; ++it)
            m_Groups.addAtTail(it.current());
    if (pModelGroups)
        for (ListIterator it(*pModelGroups); it; ++it)
            m_Groups.addAtTail(it.current());
    Relayout();

    // The group the user chose stays: the palette is made again whenever
    // it follows another program or the program's groups change, and the
    // user's tab must not go with it.
    m_pCurrentGroup = nullptr;
    if (!m_strChosen.IsEmpty())
        for (ListIterator it(m_Groups); it && !m_pCurrentGroup; ++it)
        {
            GroupIcon* pGroup = static_cast<GroupIcon*>(&it.current());
            if (pGroup->IsShownInPalette() && pGroup->GetName() && m_strChosen == pGroup->GetName())
                m_pCurrentGroup = pGroup;
        }
    // Otherwise the third group is the first of the palette list after a
    // program's library group and custom group; a palette with fewer
    // groups takes its last one, and an empty one has none.
    if (!m_pCurrentGroup)
    {
        int nIndex = 0;
        for (ListIterator it(m_Groups); it; ++it, ++nIndex)
        {
            m_pCurrentGroup = static_cast<GroupIcon*>(&it.current());
            if (nIndex == 2)
                break;
        }
    }
    // A group without a tab cannot be the one shown: its blocks would be
    // listed under another group's tab.
    if (m_pCurrentGroup && !m_pCurrentGroup->IsShownInPalette())
        m_pCurrentGroup = GroupOfTab(0);

    PaletteMDI* pWindow = GetPaletteWindow();
    if (!pWindow)
        return;
    pWindow->ShowGroup(m_pCurrentGroup);
    PXMainFrame* pMainFrame = GetPXMainFrame();
    if (pMainFrame && pMainFrame->GetInWnd())
        pWindow->UpdateGroupTabs();
}

// ---- PowerBlockPaletteChild --------------------------------------------------

PowerBlockPaletteChild::PowerBlockPaletteChild(TWindow* pParent, const LayoutElement* pElement, int nWidth,
                                               int nHeight, List* pItems)
    : ObjectChild(pParent, pElement, nWidth, nHeight), m_pItems(pItems)
{
}

void PowerBlockPaletteChild::GetWindowClass(WNDCLASSA& wc)
{
    ObjectChild::GetWindowClass(wc);
    UsePaletteBackground(wc);
}

void PowerBlockPaletteChild::SetDisplayList(List* pItems)
{
    ClearSelection();
    m_pItems = pItems;
    Relayout();
}

void PowerBlockPaletteChild::Relayout()
{
    if (!m_pItems)
        return;
    PXMainFrame* pMainFrame = GetPXMainFrame();
    PXASSERT(pMainFrame != 0);
    PXWnd* pInWnd = pMainFrame->GetInWnd();
    if (!pInWnd)
        return;     // the palette is closed
    PXASSERT(::IsWindow(pInWnd->m_hWnd));
    ::SendMessageA(pInWnd->m_hWnd, WM_PLT_CLEARITEMS, 0, 0);
    for (ListIterator it(*m_pItems); it; ++it)
    {
        UIObject* pItem = static_cast<UIObject*>(&it.current());
        if (pItem->isA() != PX_CLASS_POWERBLOCKICON)
            continue;
        PowerBlockIcon* pIcon = static_cast<PowerBlockIcon*>(pItem);
        PowerBlockInfo* pInfo = pIcon->GetInfo();
        const int nType = pInfo ? pInfo->type : 289;
        // An imported application is listed under its library's name.
        const char* pszName = (nType == 409 && pInfo && pInfo->name) ? pInfo->name : pIcon->GetName();
        PXPalettePBItem item(CString(pszName ? pszName : ""), BlockImageOf(nType),
                             reinterpret_cast<INT_PTR>(pIcon));
        ::SendMessageA(pInWnd->m_hWnd, WM_PLT_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int PowerBlockPaletteChild::CanAcceptDrop(DragState* pState, int, int)
{
    UIObject* pObject = pState && pState->pPressed ? pState->pPressed->GetObject() : nullptr;
    return pObject && pObject->isA() == PX_CLASS_POWERBLOCKICON ? 1 : 0;
}

RECT PowerBlockPaletteChild::GetItemRect(UIObject*, long x, long y) const
{
    RECT rc = {x, y, x + m_pElement->nCellWidth, y + m_pElement->nCellHeight};
    return rc;
}

void PowerBlockPaletteChild::Outline(DragState* pState, BandList* pOutlines, int x, int y)
{
    UIObject* pObject = pState && pState->pPressed ? pState->pPressed->GetObject() : nullptr;
    if (!pObject || pObject->isA() != PX_CLASS_POWERBLOCKICON)
    {
        ShowMessageId(IDS_PANE_BADDRAG, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    POINT pt = {x, y};
    DeviceToLogical(pt);
    long dx, dy;
    GetObjectOffset(pState, dx, dy);
    pt.x -= dx;
    pt.y -= dy;
    if (pOutlines->GetOwner() == HWindow && pOutlines->GetCount() > 0)
    {
        pOutlines->Move(pt.x, pt.y);
        return;
    }
    pOutlines->Clear();
    pOutlines->Start(HWindow, pt.x, pt.y);
    pOutlines->AddRect(GetItemRect(pObject, pt.x, pt.y));
    pOutlines->Show(true);
}

DisplayObject* PowerBlockPaletteChild::CreateItemObject(UIObject* pItem, const RECT& rcCell)
{
    return new (std::nothrow) PowerBlockIconObject(this, static_cast<Icon*>(pItem), rcCell,
                                                   m_pElement->nCellWidth, m_pElement->nCellHeight);
}
