// The palette window and its panes: the group pane's groups and current
// group, the block pane filling the block palette's list, and the palette's
// tabs. The palette's inner window is a recording window of the test's own.
#include "PageTestSupport.h"
#include "IconObject.h"
#include "PaletteMDI.h"
#include "PalettePanes.h"
#include "PXAssert.h"
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXUIMsg.h"
#include "PXWnd.h"
#include "classlib/ListIterator.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
struct PaletteMessage
{
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;       // an item's or a tab's name
    int nImage;
};

std::vector<PaletteMessage> s_messages;

LRESULT CALLBACK RecorderProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg >= WM_PLT_ADDITEM && nMsg <= WM_PLT_DRAGSTART)
    {
        PaletteMessage m = {nMsg, wParam, lParam, std::string(), -1};
        if (nMsg == WM_PLT_ADDITEM)
        {
            const PXPalettePBItem* pItem = reinterpret_cast<const PXPalettePBItem*>(lParam);
            m.text = static_cast<const char*>(pItem->GetName());
            m.nImage = pItem->GetImage();
            m.wParam = static_cast<WPARAM>(pItem->GetParam());
        }
        else if (nMsg == WM_PLT_ADDTAB)
            m.text = reinterpret_cast<const char*>(wParam);
        s_messages.push_back(m);
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

std::vector<PaletteMessage> Of(UINT nMsg)
{
    std::vector<PaletteMessage> v;
    for (const auto& m : s_messages)
        if (m.nMsg == nMsg)
            v.push_back(m);
    return v;
}

const char* s_failedCheck = nullptr;
[[noreturn]] void ThrowingAssert(const char* pszExpr, const char*, int)
{
    s_failedCheck = pszExpr;
    throw std::runtime_error(pszExpr);
}
}

class PalettePaneTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        s_messages.clear();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PXPALETTERECORDER";
        ::RegisterClassA(&wc);
        hRecorder = ::CreateWindowA("PXPALETTERECORDER", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    wc.hInstance, nullptr);
        ASSERT_NE(nullptr, hRecorder);
        mainFrame.Attach(hRecorder, frame->GetClientWindow()->HWindow);
        mainFrame.m_pPaletteManager = &manager;
        SetPXMainFrame(&mainFrame);
        inner.m_hWnd = hRecorder;
        pOldAssert = PXSetAssertHandler(ThrowingAssert);
        s_failedCheck = nullptr;
    }

    void TearDown() override
    {
        PageTest::TearDown();
        PXSetAssertHandler(pOldAssert);
        SetPXMainFrame(nullptr);
        inner.m_hWnd = nullptr;
        palette.m_hWnd = nullptr;
        ::DestroyWindow(hRecorder);
    }

    // The block palette opens or closes (as far as the panes can tell).
    void OpenPalette()
    {
        manager.m_pPalette = &palette;
        manager.m_pInnerWnd = &inner;
    }
    void ClosePalette()
    {
        manager.m_pPalette = nullptr;
        manager.m_pInnerWnd = nullptr;
    }

    PaletteMDI* OpenPaletteWindow(Icons* pIcons)
    {
        PaletteMDI* pWindow = new PaletteMDI(*frame->GetClientWindow(), LayoutRecord::Find(LAYOUT_PALETTE), pIcons,
                                             "Blocks");
        if (!pWindow->Create())
            return nullptr;
        Flush();
        return pWindow;
    }

    static int IndexOf(List& list, Object* pObject)
    {
        int n = 0;
        for (ListIterator it(list); it; ++it, ++n)
            if (&it.current() == pObject)
                return n;
        return -1;
    }

    HWND hRecorder = nullptr;
    PXMainFrame mainFrame;
    PXPaletteManager manager{&mainFrame};
    PXWnd inner;
    PXWnd palette;
    PXAssertHandler pOldAssert = nullptr;
};

TEST_F(PalettePaneTest, ThePaletteWindowHoldsTheGroupAndBlockPanes)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    ASSERT_NE(nullptr, pWindow->GetGroupPane());
    ASSERT_NE(nullptr, pWindow->GetBlockPane());
    EXPECT_EQ(258, pWindow->GetGroupPane()->PaneType());
    EXPECT_EQ(259, pWindow->GetBlockPane()->PaneType());
    EXPECT_STREQ("GROUPPALETTE", pWindow->GetGroupPane()->GetClassName());
    EXPECT_STREQ("PBPALETTE", pWindow->GetBlockPane()->GetClassName());
    EXPECT_EQ(s_pIcons->GetGroups().getItemsInContainer(),
              pWindow->GetGroupPane()->GetItemList()->getItemsInContainer());
    EXPECT_EQ(nullptr, pWindow->GetGroupPane()->GetCurrentGroup());
    EXPECT_EQ(nullptr, pWindow->GetBlockPane()->GetItemList());
    // Scroll bar and divider of the record are there too.
    EXPECT_EQ(4, pWindow->GetPaneCount());
}

// The third group becomes current; a palette with fewer groups takes its
// last one instead of failing, and an empty one shows nothing.
TEST_F(PalettePaneTest, RebuildingTakesTheThirdGroupOrTheNearestThatExists)
{
    const struct
    {
        int nGroups;
        int nExpected;      // -1: none
    } cases[] = {{0, -1}, {1, 0}, {2, 1}, {3, 2}, {5, 2}};
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nGroups);
        std::vector<std::unique_ptr<GroupIcon>> groups;
        List list;
        list.ownsElements(0);
        for (int i = 0; i < c.nGroups; ++i)
        {
            groups.emplace_back(new GroupIcon("Group", "tip", nullptr));
            list.addAtTail(*groups.back());
        }
        GroupPaletteChild* pPane = pWindow->GetGroupPane();
        pPane->RebuildGroups(&list, nullptr);
        EXPECT_EQ(nullptr, s_failedCheck);
        EXPECT_EQ(c.nGroups, static_cast<int>(pPane->GetItemList()->getItemsInContainer()));
        if (c.nExpected < 0)
        {
            EXPECT_EQ(nullptr, pPane->GetCurrentGroup());
            EXPECT_EQ(nullptr, pWindow->GetBlockPane()->GetItemList());
        }
        else
        {
            ASSERT_NE(nullptr, pPane->GetCurrentGroup());
            EXPECT_EQ(c.nExpected, IndexOf(list, pPane->GetCurrentGroup()));
            // The window shows the group.
            EXPECT_EQ(&pPane->GetCurrentGroup()->GetIcons(), pWindow->GetBlockPane()->GetItemList());
        }
        pPane->RebuildGroups(nullptr, nullptr);
        list.flush(TShouldDelete::NoDelete);
    }
}

TEST_F(PalettePaneTest, ProgramGroupsComeBeforeThePaletteListsGroups)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupIcon library("LIB.RLL", "tip", nullptr);
    List programGroups;
    programGroups.ownsElements(0);
    programGroups.addAtTail(library);
    GroupPaletteChild* pPane = pWindow->GetGroupPane();
    pPane->RebuildGroups(&s_pIcons->GetGroups(), &programGroups);
    List* pList = pPane->GetItemList();
    ASSERT_EQ(s_pIcons->GetGroups().getItemsInContainer() + 1, pList->getItemsInContainer());
    EXPECT_EQ(&library, &pList->peekHead());
    EXPECT_EQ(1, IndexOf(*pList, &s_pIcons->GetGroups().peekHead()));
    pPane->RebuildGroups(&s_pIcons->GetGroups(), nullptr);
    programGroups.flush(TShouldDelete::NoDelete);
}

TEST_F(PalettePaneTest, ShowingAGroupPicksTheListByItsName)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    Program* pProgram = nullptr;
    OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pProgram);
    pWindow->SetProgram(pProgram);
    GroupIcon library("SHIP.RLL", "tip", nullptr);
    GroupIcon plain("Plain", "tip", nullptr);
    GroupIcon custom("Custom", "tip", nullptr);

    pWindow->ShowGroup(&library);
    EXPECT_EQ(3, pWindow->GetLibraryShown());
    EXPECT_EQ(&library.GetIcons(), pWindow->GetBlockPane()->GetItemList());
    pWindow->ShowGroup(&plain);
    EXPECT_EQ(0, pWindow->GetLibraryShown());
    EXPECT_EQ(0, pWindow->GetCustomShown());
    EXPECT_EQ(&plain.GetIcons(), pWindow->GetBlockPane()->GetItemList());
    pWindow->ShowGroup(&custom);
    EXPECT_EQ(1, pWindow->GetCustomShown());
    List* pCustom = pProgram->GetCustomGroup() ? &pProgram->GetCustomGroup()->GetIcons() : nullptr;
    EXPECT_EQ(pCustom, pWindow->GetBlockPane()->GetItemList());
    pWindow->ShowGroup(nullptr);
    EXPECT_EQ(0, pWindow->GetCustomShown());
    EXPECT_EQ(nullptr, pWindow->GetBlockPane()->GetItemList());
    pWindow->SetProgram(nullptr);
}

TEST_F(PalettePaneTest, TheBlockPaneFillsTheOpenPalettesList)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupIcon* pGroup = nullptr;
    for (ListIterator it(s_pIcons->GetGroups()); it; ++it)
    {
        GroupIcon* p = static_cast<GroupIcon*>(&it.current());
        if (p->GetIcons().getItemsInContainer() > 1)
        {
            pGroup = p;
            break;
        }
    }
    ASSERT_NE(nullptr, pGroup);
    PowerBlockPaletteChild* pPane = pWindow->GetBlockPane();

    // Closed: nothing is sent.
    pPane->SetDisplayList(&pGroup->GetIcons());
    EXPECT_TRUE(s_messages.empty());

    OpenPalette();
    pPane->Relayout();
    ASSERT_FALSE(s_messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_PLT_CLEARITEMS), s_messages.front().nMsg);
    std::vector<PaletteMessage> items = Of(WM_PLT_ADDITEM);
    ASSERT_EQ(pGroup->GetIcons().getItemsInContainer(), items.size());
    size_t n = 0;
    for (ListIterator it(pGroup->GetIcons()); it; ++it, ++n)
    {
        PowerBlockIcon* pIcon = static_cast<PowerBlockIcon*>(&it.current());
        EXPECT_EQ(reinterpret_cast<WPARAM>(pIcon), items[n].wParam);
        EXPECT_EQ(BlockImageOf(pIcon->GetInfo()->type), items[n].nImage);
        EXPECT_EQ(std::string(pIcon->GetName()), items[n].text);
    }

    // A group without icons leaves the list empty.
    s_messages.clear();
    GroupIcon empty("Empty", "tip", nullptr);
    pPane->SetDisplayList(&empty.GetIcons());
    ASSERT_EQ(1u, s_messages.size());
    EXPECT_EQ(static_cast<UINT>(WM_PLT_CLEARITEMS), s_messages[0].nMsg);
    pPane->SetDisplayList(nullptr);
}

TEST_F(PalettePaneTest, ImportedApplicationsShowTheirDescriptionsNameAndUnknownTypesTheObsoleteImage)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    PowerBlockInfo imported = {};
    imported.name = "Imported";
    imported.type = 409;
    PowerBlockInfo unknown = {};
    unknown.name = "Unknown";
    unknown.type = 5000;
    PowerBlockIcon importedIcon(&imported);
    PowerBlockIcon unknownIcon(&unknown);
    // The library's copy of the description is renamed after the icon was made.
    imported.name = "SHIP.RLL";
    unknown.name = "Renamed";
    List list;
    list.ownsElements(0);
    list.addAtTail(importedIcon);
    list.addAtTail(unknownIcon);
    OpenPalette();
    pWindow->GetBlockPane()->SetDisplayList(&list);
    std::vector<PaletteMessage> items = Of(WM_PLT_ADDITEM);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("SHIP.RLL", items[0].text);
    EXPECT_EQ(11, items[0].nImage);
    EXPECT_EQ("Unknown", items[1].text);
    EXPECT_EQ(24, items[1].nImage);
    pWindow->GetBlockPane()->SetDisplayList(nullptr);
    list.flush(TShouldDelete::NoDelete);
}

TEST_F(PalettePaneTest, SelectingAGroupShowsItOnce)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupPaletteChild* pPane = pWindow->GetGroupPane();
    GroupIcon first("First", "tip", nullptr);
    GroupIcon second("Second", "tip", nullptr);

    EXPECT_FALSE(pPane->Select(&first, true, 2));
    EXPECT_EQ(nullptr, pPane->GetCurrentGroup());
    EXPECT_EQ(nullptr, pWindow->GetBlockPane()->GetItemList());

    EXPECT_TRUE(pPane->Select(&first, true, 1));
    EXPECT_EQ(&first, pPane->GetCurrentGroup());
    EXPECT_EQ(&first.GetIcons(), pWindow->GetBlockPane()->GetItemList());

    // The current group again: not shown again.
    pWindow->GetBlockPane()->SetDisplayList(nullptr);
    EXPECT_TRUE(pPane->Select(&first, true, 1));
    EXPECT_EQ(nullptr, pWindow->GetBlockPane()->GetItemList());

    EXPECT_TRUE(pPane->Select(&second, true, 1));
    EXPECT_EQ(&second, pPane->GetCurrentGroup());
    EXPECT_EQ(&second.GetIcons(), pWindow->GetBlockPane()->GetItemList());
    pPane->ClearSelection();
    pPane->SetCurrentGroup(nullptr);
    pWindow->GetBlockPane()->SetDisplayList(nullptr);
}

TEST_F(PalettePaneTest, TheTabsListTheShownGroups)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupIcon a("Alpha", "tip", nullptr);
    GroupIcon b("Beta", "tip", nullptr);
    List list;
    list.ownsElements(0);
    list.addAtTail(a);
    list.addAtTail(b);

    // Without the palette the tabs are left alone.
    pWindow->GetGroupPane()->RebuildGroups(&list, nullptr);
    EXPECT_TRUE(s_messages.empty());
    pWindow->UpdateGroupTabs();
    pWindow->RefreshGroupTabs(1);
    EXPECT_TRUE(s_messages.empty());

    OpenPalette();
    pWindow->InitGroupTabs();
    std::vector<UINT> seq;
    for (const auto& m : s_messages)
        if (m.nMsg != WM_PLT_CLEARITEMS && m.nMsg != WM_PLT_ADDITEM)
            seq.push_back(m.nMsg);
    const std::vector<UINT> expected = {WM_PLT_CLEARALL, WM_PLT_ADDTAB, WM_PLT_ADDTAB, WM_PLT_SELECTTAB,
                                        WM_PLT_TABSELECTED};
    EXPECT_EQ(expected, seq);
    std::vector<PaletteMessage> tabs = Of(WM_PLT_ADDTAB);
    ASSERT_EQ(2u, tabs.size());
    EXPECT_EQ("Alpha", tabs[0].text);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&a), tabs[0].lParam);
    EXPECT_EQ("Beta", tabs[1].text);
    EXPECT_EQ(0u, Of(WM_PLT_SELECTTAB)[0].wParam);
    // The first group is current after the init.
    EXPECT_EQ(reinterpret_cast<LPARAM>(&a), Of(WM_PLT_TABSELECTED)[0].lParam);

    s_messages.clear();
    pWindow->RefreshGroupTabs(1);
    EXPECT_EQ(1u, Of(WM_PLT_SELECTTAB)[0].wParam);
    EXPECT_TRUE(Of(WM_PLT_TABSELECTED).empty());

    ClosePalette();
    pWindow->GetGroupPane()->RebuildGroups(nullptr, nullptr);
    list.flush(TShouldDelete::NoDelete);
}

// The tab selected is the current group's, which is the group shown; a
// refill that keeps a tab lists that tab's blocks again, since emptying
// the tabs empties the list.
TEST_F(PalettePaneTest, TheSelectedTabIsTheGroupShownAndARefreshListsItAgain)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupPaletteChild* pPane = pWindow->GetGroupPane();
    OpenPalette();
    pWindow->SetProgram(nullptr);
    GroupIcon* pCurrent = pPane->GetCurrentGroup();
    ASSERT_NE(nullptr, pCurrent);
    std::vector<GroupIcon*> shown;
    for (ListIterator it(*pPane->GetItemList()); it; ++it)
        if (static_cast<GroupIcon*>(&it.current())->IsShownInPalette())
            shown.push_back(static_cast<GroupIcon*>(&it.current()));
    ASSERT_GE(shown.size(), 3u);
    const auto at = std::find(shown.begin(), shown.end(), pCurrent);
    ASSERT_NE(shown.end(), at);
    ASSERT_FALSE(Of(WM_PLT_SELECTTAB).empty());
    EXPECT_EQ(static_cast<WPARAM>(at - shown.begin()), Of(WM_PLT_SELECTTAB).back().wParam);
    ASSERT_FALSE(Of(WM_PLT_TABSELECTED).empty());
    EXPECT_EQ(reinterpret_cast<LPARAM>(pCurrent), Of(WM_PLT_TABSELECTED).back().lParam);

    for (int nTab : {2, 0})
    {
        SCOPED_TRACE(nTab);
        s_messages.clear();
        pWindow->RefreshGroupTabs(nTab);
        EXPECT_EQ(static_cast<WPARAM>(nTab), Of(WM_PLT_SELECTTAB).at(0).wParam);
        EXPECT_EQ(shown[nTab], pPane->GetCurrentGroup());
        std::vector<std::string> listed;
        for (const auto& m : Of(WM_PLT_ADDITEM))
            listed.push_back(m.text);
        std::vector<std::string> blocks;
        for (ListIterator it(shown[nTab]->GetIcons()); it; ++it)
            blocks.push_back(static_cast<PowerBlockIcon*>(&it.current())->GetName());
        EXPECT_FALSE(blocks.empty());
        EXPECT_EQ(blocks, listed);
    }
    ClosePalette();
}

TEST_F(PalettePaneTest, ThePaletteIconObjectsAnswerTheirTexts)
{
    PaletteMDI* pWindow = OpenPaletteWindow(s_pIcons);
    ASSERT_NE(nullptr, pWindow);
    GroupIcon group("Alpha", "tip", nullptr);
    PowerBlockInfo info = {};
    info.name = "Answer";
    info.type = 393;
    PowerBlockIcon icon(&info);
    RECT rc = {0, 0, 96, 38};
    std::unique_ptr<DisplayObject> pBlock(pWindow->GetBlockPane()->CreateItemObject(&icon, rc));
    std::unique_ptr<DisplayObject> pGroup(pWindow->GetGroupPane()->CreateItemObject(&group, rc));
    ASSERT_TRUE(pBlock && pGroup);
    EXPECT_EQ(307u, pBlock->isA());
    EXPECT_EQ(306u, pGroup->isA());
    EXPECT_STREQ("Answer", pBlock->StatusText());
    EXPECT_STREQ("Dragging new Block...", pBlock->DragText());
    EXPECT_STREQ("Drag new Block to the desired location in the workspace.", pBlock->HoverText());
    EXPECT_STREQ("Alpha", pGroup->StatusText());
    EXPECT_STREQ("Alpha", pGroup->HoverText());
}
