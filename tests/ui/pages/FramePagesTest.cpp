// The page windows under the editor's own main frame: opened through the
// frame's OpenEditWindow, listed and counted by it, a page shown from a
// pane, the last window closing its program's application, and the block
// palette the frame opens.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "PXSObj.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "Icons.h"
#include "PaletteMDI.h"
#include "PalettePanes.h"
#include "PXCmdIds.h"
#include "PXInTabWnd.h"
#include "PXListCtrl.h"
#include "PXMainFrame.h"
#include "PXTabCtrl.h"
#include "PXUIMsg.h"
#include "classlib/ListIterator.h"

namespace
{
std::vector<Program*> g_closed;

bool RecordClose(Program* pProgram)
{
    g_closed.push_back(pProgram);
    return true;
}
}

class FramePagesTest : public ModelTest
{
protected:
    FramePagesTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pPages->pfnClose = RecordClose;
        g_closed.clear();
    }
    void TearDown() override
    {
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
};

TEST_F(FramePagesTest, TheFrameOpensListsAndClosesPageWindows)
{
    Program* pProgram = NewProgram();
    Page* pMain = pProgram->GetMainPage();
    Page* pSub = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSub);
    pProgram->ClearModified();

    EditMDI* pMainWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pProgram, pMain));
    ASSERT_NE(nullptr, pMainWindow);
    EXPECT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(1, pProgram->GetOpenWindows());
    EXPECT_EQ(1, pMainWindow->GetWindowNumber());
    ASSERT_NE(nullptr, pMainWindow->GetEditPane());
    EXPECT_GT(pMainWindow->GetEditPane()->GetDisplayObjectCount(), 0);
    EXPECT_EQ(100, pMainWindow->GetEditZoom());

    // A pane asks for another page: a window opens on it.
    pMainWindow->GetEditPane()->ShowPage(pSub);
    ASSERT_EQ(2, m_pFrame->GetChildCount());
    EditMDI* pSubWindow = dynamic_cast<EditMDI*>(m_pFrame->FindChildForPage(pSub));
    ASSERT_NE(nullptr, pSubWindow);
    EXPECT_EQ(2, pSubWindow->GetWindowNumber());
    EXPECT_EQ(2, pProgram->GetOpenWindows());

    // The main page's window closes first: the program stays with its
    // other window, which becomes number 1.
    pMainWindow->CloseWindow();
    EXPECT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(1, pProgram->GetOpenWindows());
    EXPECT_EQ(1, pSubWindow->GetWindowNumber());
    EXPECT_TRUE(g_closed.empty());

    // The last window closes the program's application and deletes it.
    pSubWindow->CloseWindow();
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    ASSERT_EQ(1u, g_closed.size());
    EXPECT_EQ(pProgram, g_closed[0]);
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentProgram());
}

namespace
{
std::vector<std::string> TabNamesOf(PXInTabWnd* pInner)
{
    std::vector<std::string> names;
    HWND hTabs = pInner->GetTabCtrl()->m_hWnd;
    const int n = static_cast<int>(::SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        char sz[64] = "";
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = sz;
        tab.cchTextMax = sizeof(sz);
        ::SendMessageA(hTabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&tab));
        names.push_back(sz);
    }
    return names;
}

std::vector<std::string> ItemNamesOf(PXInTabWnd* pInner)
{
    std::vector<std::string> names;
    HWND hList = pInner->GetListCtrl()->m_hWnd;
    const int n = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        char sz[64] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        ::SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        names.push_back(sz);
    }
    return names;
}

std::vector<std::string> IconNamesOf(GroupIcon* pGroup)
{
    std::vector<std::string> names;
    for (ListIterator it(pGroup->GetIcons()); it; ++it)
        names.push_back(static_cast<PowerBlockIcon*>(&it.current())->GetName());
    return names;
}
}

// The frame's palette: one tab per shown group of its "Blocks" window, the
// current group's blocks in the list; a tab's choice shows another group's
// blocks; the Palette command closes the palette and opens it again with
// its tabs.
TEST_F(FramePagesTest, ThePaletteShowsTheBlocksWindowsGroupsAndFollowsTheFramesMessages)
{
    PXMainFrame* pMainFrame = GetPXMainFrame();
    ASSERT_NE(nullptr, pMainFrame);
    PaletteMDI* pBlocks = m_pFrame->GetPaletteMDI();
    ASSERT_NE(nullptr, pBlocks);
    Program* pProgram = NewProgram();
    pProgram->ClearModified();
    ASSERT_NE(nullptr, m_pFrame->OpenEditWindow(pProgram, pProgram->GetMainPage()));
    m_pFrame->SetCurrentProgram(pProgram);
    PXInTabWnd* pInner = dynamic_cast<PXInTabWnd*>(pMainFrame->GetInWnd());
    ASSERT_NE(nullptr, pInner);

    std::vector<std::string> shown;
    for (ListIterator it(*pBlocks->GetGroupPane()->GetItemList()); it; ++it)
    {
        GroupIcon* pGroup = static_cast<GroupIcon*>(&it.current());
        if (pGroup->IsShownInPalette())
            shown.push_back(pGroup->GetName());
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown, TabNamesOf(pInner));
    GroupIcon* pCurrent = pBlocks->GetGroupPane()->GetCurrentGroup();
    ASSERT_NE(nullptr, pCurrent);
    if (!pBlocks->GetCustomShown() && !pBlocks->GetPageKindShown())
        EXPECT_EQ(IconNamesOf(pCurrent), ItemNamesOf(pInner));

    // Another group with blocks chosen on its tab.
    GroupIcon* pOther = nullptr;
    for (ListIterator it(s_pIcons->GetGroups()); it && !pOther; ++it)
    {
        GroupIcon* pGroup = static_cast<GroupIcon*>(&it.current());
        if (pGroup != pCurrent && pGroup->GetIcons().getItemsInContainer() > 0)
            pOther = pGroup;
    }
    ASSERT_NE(nullptr, pOther);
    ::SendMessageA(m_pFrame->HWindow, WM_PLT_TABSELECTED, 0, reinterpret_cast<LPARAM>(pOther));
    EXPECT_EQ(IconNamesOf(pOther), ItemNamesOf(pInner));

    ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_PALETTE, 0);
    EXPECT_FALSE(m_pFrame->IsPaletteShown());
    EXPECT_EQ(nullptr, pMainFrame->GetInWnd());
    ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_PALETTE, 0);
    EXPECT_TRUE(m_pFrame->IsPaletteShown());
    pInner = dynamic_cast<PXInTabWnd*>(pMainFrame->GetInWnd());
    ASSERT_NE(nullptr, pInner);
    EXPECT_FALSE(pInner->IsLoadingTab());
    EXPECT_EQ(shown, TabNamesOf(pInner));
}
