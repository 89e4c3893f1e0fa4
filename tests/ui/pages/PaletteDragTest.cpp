// The block palette beside a page window: its tabs and list follow the
// palette window's groups and the current program, and a block icon
// dragged out of the list and released over the page pane adds the block
// there with its default name; released elsewhere it is refused with a
// beep.
#include "PageTestSupport.h"
#include "Icons.h"
#include "PalettePanes.h"
#include "PaletteMDI.h"
#include "PXImageList.h"
#include "PXInTabWnd.h"
#include "PXListCtrl.h"
#include "PXMainFrame.h"
#include "PXMsgBox.h"
#include "PXTabCtrl.h"
#include "PXTabPaletteMgr.h"
#include "PXUIMsg.h"
#include "classlib/ListIterator.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
int s_nBeeps = 0;
std::vector<std::string> s_boxes;

void CountBeep(UINT)
{
    ++s_nBeeps;
}

int RecordBox(HWND, const char* pszText, const char*, UINT)
{
    s_boxes.push_back(pszText ? pszText : "");
    return IDOK;
}

std::string ClassOf(HWND hWnd)
{
    char sz[64] = "";
    ::GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}
}

class PaletteDragTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        if (!m_pResizedIconIL)
            PXCreateBlockImageLists();
        s_nBeeps = 0;
        s_boxes.clear();
        pOldBeep = PXSetMessageBeepHook(CountBeep);
        pOldBox = PXSetMessageBoxHook(RecordBox);
        mainFrame.Attach(frame->HWindow, frame->GetClientWindow()->HWindow);
        mainFrame.m_pPaletteManager = &manager;
        SetPXMainFrame(&mainFrame);
        manager.CreatePalette();
        RECT rc;
        ::GetClientRect(frame->HWindow, &rc);
        manager.OnFrameSize(rc.right, rc.bottom);
        Flush();
        ASSERT_NE(nullptr, Inner());
    }

    void TearDown() override
    {
        if (manager.IsOpen())
            manager.ClosePalette();
        PageTest::TearDown();
        SetPXMainFrame(nullptr);
        PXSetMessageBeepHook(pOldBeep);
        PXSetMessageBoxHook(pOldBox);
    }

    PXInTabWnd* Inner() const { return dynamic_cast<PXInTabWnd*>(manager.m_pInnerWnd); }
    HWND List() const { return Inner()->GetListCtrl()->m_hWnd; }
    HWND Tabs() const { return Inner()->GetTabCtrl()->m_hWnd; }

    std::vector<std::string> ListNames() const
    {
        std::vector<std::string> names;
        const int n = static_cast<int>(::SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            char sz[64] = "";
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = sz;
            item.cchTextMax = sizeof(sz);
            ::SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            names.push_back(sz);
        }
        return names;
    }

    std::vector<std::string> TabNames() const
    {
        std::vector<std::string> names;
        const int n = static_cast<int>(::SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            char sz[64] = "";
            TCITEMA tab = {};
            tab.mask = TCIF_TEXT;
            tab.pszText = sz;
            tab.cchTextMax = sizeof(sz);
            ::SendMessageA(Tabs(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&tab));
            names.push_back(sz);
        }
        return names;
    }

    // The palette's list holds the one icon; a drag of it begins as the
    // list view reports it.
    void BeginItemDrag(PowerBlockIcon* pIcon)
    {
        ::SendMessageA(Inner()->m_hWnd, WM_PLT_CLEARITEMS, 0, 0);
        PXPalettePBItem item(CString(pIcon->GetName()), BlockImageOf(402), reinterpret_cast<INT_PTR>(pIcon));
        ::SendMessageA(Inner()->m_hWnd, WM_PLT_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
        POINT ptItem = {0, 0};
        ::SendMessageA(List(), LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&ptItem));
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = List();
        nm.hdr.idFrom = PXInTabWnd::kListCtrlId;
        nm.hdr.code = LVN_BEGINDRAG;
        nm.iItem = 0;
        nm.ptAction = {ptItem.x + 20, ptItem.y + 10};
        ::SendMessageA(Inner()->m_hWnd, WM_NOTIFY, PXInTabWnd::kListCtrlId, reinterpret_cast<LPARAM>(&nm));
    }

    // The mouse point, in the inner window's client coordinates, at which
    // the dragged icon's corner lies on the screen point.
    POINT MouseFor(POINT ptScreen) const
    {
        POINT pos = {0, 0}, hot = {0, 0};
        ImageList_GetDragImage(&pos, &hot);
        POINT pt = {ptScreen.x + hot.x, ptScreen.y + hot.y};
        ::ScreenToClient(Inner()->m_hWnd, &pt);
        return pt;
    }

    void MoveAndRelease(POINT ptScreen)
    {
        const POINT pt = MouseFor(ptScreen);
        ::SendMessageA(Inner()->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::SendMessageA(Inner()->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Flush();
    }

    PXMainFrame mainFrame;
    PXTabPaletteMgr manager{&mainFrame};
    PXMessageBeepHook pOldBeep = nullptr;
    PXMessageBoxHook pOldBox = nullptr;
};

// The "Blocks" palette window pointed at a program puts one tab per shown
// group into the palette and lists the current group's blocks.
TEST_F(PaletteDragTest, TheTabsAndTheListFollowThePaletteWindowAndTheProgram)
{
    Program* pProgram = nullptr;
    OpenProgram(&pProgram);
    PaletteMDI* pWindow =
        new PaletteMDI(*frame->GetClientWindow(), LayoutRecord::Find(LAYOUT_PALETTE), s_pIcons, "Blocks");
    ASSERT_TRUE(pWindow->Create());
    Flush();
    pWindow->SetProgram(pProgram);
    pWindow->InitGroupTabs();
    Flush();

    std::vector<std::string> expectedTabs;
    for (ListIterator it(*pWindow->GetGroupPane()->GetItemList()); it; ++it)
    {
        GroupIcon* pGroup = static_cast<GroupIcon*>(&it.current());
        if (pGroup->IsShownInPalette())
            expectedTabs.push_back(pGroup->GetName());
    }
    ASSERT_FALSE(expectedTabs.empty());
    EXPECT_EQ(expectedTabs, TabNames());
    EXPECT_FALSE(Inner()->IsLoadingTab());

    // The list holds the current group's blocks, in order.
    GroupIcon* pCurrent = pWindow->GetGroupPane()->GetCurrentGroup();
    ASSERT_NE(nullptr, pCurrent);
    pWindow->ShowGroup(pCurrent);
    std::vector<std::string> expectedItems;
    for (ListIterator it(pCurrent->GetIcons()); it; ++it)
        expectedItems.push_back(static_cast<PowerBlockIcon*>(&it.current())->GetName());
    EXPECT_EQ(expectedItems, ListNames());

    // Another group's tab chosen: its blocks replace the list.
    for (ListIterator it(s_pIcons->GetGroups()); it; ++it)
    {
        GroupIcon* pGroup = static_cast<GroupIcon*>(&it.current());
        if (pGroup == pCurrent || pGroup->GetIcons().getItemsInContainer() == 0)
            continue;
        pWindow->ShowGroup(pGroup);
        std::vector<std::string> names;
        for (ListIterator ic(pGroup->GetIcons()); ic; ++ic)
            names.push_back(static_cast<PowerBlockIcon*>(&ic.current())->GetName());
        EXPECT_EQ(names, ListNames());
        break;
    }
}

TEST_F(PaletteDragTest, AnIconDroppedOnThePagePaneAddsTheBlockWithItsDefaultName)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    EditChild* pPane = PaneOf(pWindow);
    Page* pMain = pProgram->GetMainPage();
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= 0x400;    // Auto Name
    ModelSetSettings(settings);
    PowerBlockIcon* pIcon = IconOf(402);
    ASSERT_NE(nullptr, pIcon);
    const int nBefore = static_cast<int>(pMain->GetBlocks().getItemsInContainer());
    // The name the block will take: its type's word with the first free
    // number.
    char szDefault[64] = "";
    ASSERT_TRUE(pIcon->MakeUniqueName(szDefault, sizeof(szDefault)));

    BeginItemDrag(pIcon);
    EXPECT_TRUE(Inner()->IsDragging());
    EXPECT_EQ(Inner()->m_hWnd, ::GetCapture());
    EXPECT_EQ(pWindow->HWindow, mainFrame.GetDragChild());

    POINT target = {200, 150};
    ::ClientToScreen(pPane->HWindow, &target);
    MoveAndRelease(target);
    EXPECT_FALSE(Inner()->IsDragging());
    EXPECT_NE(Inner()->m_hWnd, ::GetCapture());
    EXPECT_EQ(0, s_nBeeps);
    EXPECT_TRUE(frame->prompts.empty());
    ASSERT_EQ(nBefore + 1, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));

    // The new block lies where the drag last showed the icon.
    POINT last = mainFrame.GetDragLast();
    ::ScreenToClient(pPane->HWindow, &last);
    pPane->DeviceToLogical(last);
    long mx, my;
    pPane->ViewToModel(last.x, last.y, mx, my);
    PowerBlock* pNew = nullptr;
    for (ListIterator it(pMain->GetBlocks()); it; ++it)
    {
        PowerBlock* p = static_cast<PowerBlock*>(&it.current());
        if (p->GetType() == 402 && p->GetX() == mx && p->GetY() == my)
            pNew = p;
    }
    ASSERT_NE(nullptr, pNew);
    EXPECT_STRNE("", pNew->GetName());
    EXPECT_STREQ(szDefault, pNew->GetName());
    EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pNew, PX_CLASS_POWERBLOCKOBJECT));
}

// Released anywhere but over a page pane of the page window, the palette's
// drag adds nothing and beeps.
TEST_F(PaletteDragTest, AnIconReleasedElsewhereIsRefusedWithABeep)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    Page* pMain = pProgram->GetMainPage();
    HWND hOther = nullptr;     // a window of the page window other than a page pane
    for (HWND h = ::GetWindow(pWindow->HWindow, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::IsWindowVisible(h) && ClassOf(h) != "UIOBJECTCHILD")
            hOther = h;
    ASSERT_NE(nullptr, hOther);
    RECT rcOther;
    ::GetWindowRect(hOther, &rcOther);
    RECT rcPalette;
    ::GetWindowRect(manager.m_pPalette->m_hWnd, &rcPalette);
    const struct
    {
        const char* pszWhere;
        POINT pt;
    } places[] = {
        {"another pane of the page window", {(rcOther.left + rcOther.right) / 2, (rcOther.top + rcOther.bottom) / 2}},
        {"the palette", {rcPalette.left + 40, rcPalette.top + 100}},
    };
    const int nBefore = static_cast<int>(pMain->GetBlocks().getItemsInContainer());
    for (const auto& place : places)
    {
        SCOPED_TRACE(place.pszWhere);
        s_nBeeps = 0;
        BeginItemDrag(IconOf(402));
        MoveAndRelease(place.pt);
        EXPECT_EQ(1, s_nBeeps);
        EXPECT_TRUE(s_boxes.empty());
        EXPECT_FALSE(Inner()->IsDragging());
        EXPECT_EQ(nBefore, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));
    }
}

// A drag that is not quiet (a block moved out of its page) says why it is
// refused.
TEST_F(PaletteDragTest, ALoudDropOutsideThePageWindowIsReported)
{
    OpenProgram();
    RECT rcPalette;
    ::GetWindowRect(manager.m_pPalette->m_hWnd, &rcPalette);
    mainFrame.BeginDrag(nullptr, rcPalette.left + 40, rcPalette.top + 100, 0, nullptr, 0);
    mainFrame.EndDrag(rcPalette.left + 40, rcPalette.top + 100, false);
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ("Can not move ZirirAradur between pages.", s_boxes[0]);
    EXPECT_EQ(0, s_nBeeps);
}

// Another window taking the mouse ends the palette's drag without a drop;
// the next drag starts and drops as usual.
TEST_F(PaletteDragTest, ADragThatLosesTheMouseEndsWithoutADrop)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    EditChild* pPane = PaneOf(pWindow);
    Page* pMain = pProgram->GetMainPage();
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= 0x400;    // Auto Name
    ModelSetSettings(settings);
    const int nBefore = static_cast<int>(pMain->GetBlocks().getItemsInContainer());

    BeginItemDrag(IconOf(402));
    ASSERT_TRUE(Inner()->IsDragging());
    ::SetCapture(pPane->HWindow);
    ::ReleaseCapture();
    Flush();
    EXPECT_FALSE(Inner()->IsDragging());
    EXPECT_EQ(nullptr, mainFrame.GetDragChild());
    EXPECT_EQ(nBefore, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));

    BeginItemDrag(IconOf(402));
    EXPECT_TRUE(Inner()->IsDragging());
    POINT target = {220, 160};
    ::ClientToScreen(pPane->HWindow, &target);
    MoveAndRelease(target);
    EXPECT_EQ(nBefore + 1, static_cast<int>(pMain->GetBlocks().getItemsInContainer()));
}
