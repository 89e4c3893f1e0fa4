// The editor's own frame with its block palette open: the palette's block
// icons follow the zoom of the active page window (the zoom commands, Set
// Zoom, activation), a block moved inside its page pane runs the frame's
// image drag, and a drag out of the palette ends an in-place note edit.
// Real windows, driven with messages.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "EditorDlgRes.h"
#include "PaletteMDI.h"
#include "PalettePanes.h"
#include "PowerBlockObject.h"
#include "PXCmdIds.h"
#include "PXImageList.h"
#include "PXInTabWnd.h"
#include "PXListCtrl.h"
#include "PXMainFrame.h"
#include "PXMsgBox.h"
#include "PXPaletteManager.h"
#include "PXSObj.h"
#include "PXTabCtrl.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "classlib/ListIterator.h"

#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_boxes;

int RecordBox(HWND, const char* pszText, const char*, UINT)
{
    g_boxes.push_back(pszText ? pszText : "");
    return IDOK;
}

class FramePaletteTest : public ModelTest
{
protected:
    FramePaletteTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

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
        m_pPages->pfnClose = CloseProgram;
        m_pfnBeep = PXSetMessageBeepHook(RecordBeep);
        m_pfnBox = PXSetMessageBoxHook(RecordBox);
        g_beeps.clear();
        g_boxes.clear();
        ::ShowWindow(m_pFrame->HWindow, SW_SHOWNORMAL);
        ::SetWindowPos(m_pFrame->HWindow, HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
        ::SendMessageA(m_pFrame->HWindow, WM_UI_RELAYOUT, 0, 0);
        Flush();
        ASSERT_NE(nullptr, Inner());
    }
    void TearDown() override
    {
        while (m_pFrame->GetChildCount() > 0)
        {
            EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetChild(0));
            ASSERT_NE(nullptr, pWindow);
            pWindow->GetProgram()->ClearModified();
            pWindow->CloseWindow();
        }
        // The next test finds the icons at their size for 100 percent.
        if (!m_pFrame->IsPaletteShown())
            ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_PALETTE, 0);
        m_pFrame->RebuildResizedIcons(100);
        PXSetMessageBeepHook(m_pfnBeep);
        PXSetMessageBoxHook(m_pfnBox);
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // A program with its page "Main" shown in a window; clean.
    EditMDI* OpenProgram(Program** ppProgram = nullptr)
    {
        Program* pProgram = NewProgram();
        pProgram->ClearModified();
        EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pProgram, pProgram->GetMainPage()));
        EXPECT_NE(nullptr, pWindow);
        if (ppProgram)
            *ppProgram = pProgram;
        Flush();
        return pWindow;
    }

    void Send(UINT nId) { ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(nId, 0), 0); }

    static void Flush()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    static PXInTabWnd* Inner()
    {
        PXMainFrame* pMainFrame = GetPXMainFrame();
        return pMainFrame ? dynamic_cast<PXInTabWnd*>(pMainFrame->GetInWnd()) : nullptr;
    }
    static HWND Tabs() { return Inner()->GetTabCtrl()->m_hWnd; }
    static HWND List() { return Inner()->GetListCtrl()->m_hWnd; }
    // The side of the palette's block icons, and the list its list view
    // shows.
    static int IconSide() { return m_pResizedIconIL ? m_pResizedIconIL->m_nCellWidth : 0; }
    static HIMAGELIST ShownList()
    {
        return reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    }

    static std::vector<std::string> TabNames()
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

    static std::vector<std::string> ListNames()
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
    // The group a tab stands for, and the names of its blocks.
    static GroupIcon* TabGroup(int nTab)
    {
        TCITEMA tab = {};
        tab.mask = TCIF_PARAM;
        if (!::SendMessageA(Tabs(), TCM_GETITEMA, nTab, reinterpret_cast<LPARAM>(&tab)))
            return nullptr;
        return reinterpret_cast<GroupIcon*>(tab.lParam);
    }
    static std::vector<std::string> BlockNames(GroupIcon* pGroup)
    {
        std::vector<std::string> names;
        if (pGroup)
            for (ListIterator it(pGroup->GetIcons()); it; ++it)
                names.push_back(static_cast<PowerBlockIcon*>(&it.current())->GetName());
        return names;
    }
    static int TabNamed(const char* pszName)
    {
        const std::vector<std::string> names = TabNames();
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == pszName)
                return static_cast<int>(i);
        return -1;
    }
    // A click of the mouse on a tab, as the tab control receives it; a tab
    // out of sight is first scrolled into it, as the strip's arrows do.
    static void ClickTab(int nTab)
    {
        RECT rc = {}, rcStrip = {};
        ::GetClientRect(Tabs(), &rcStrip);
        for (int nTry = 0; nTry < 40; ++nTry)
        {
            if (::SendMessageA(Tabs(), TCM_GETITEMRECT, nTab, reinterpret_cast<LPARAM>(&rc)) &&
                rc.right <= rcStrip.right - 40)
                break;
            ::SendMessageA(Tabs(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nTab), 0);
        }
        ASSERT_TRUE(::SendMessageA(Tabs(), TCM_GETITEMRECT, nTab, reinterpret_cast<LPARAM>(&rc)));
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageA(Tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(Tabs(), WM_LBUTTONUP, 0, at);
        Flush();
    }

    // The program becomes the active application's, which keeps the zoom.
    PXUserApp* MakeActiveApp(Program* pProgram)
    {
        PXUserApp* pApp = new PXUserApp(CString(pProgram->GetName()));
        pApp->SetProgram(pProgram);
        m_pController->AddUserApp(pApp);
        EXPECT_EQ(pApp, m_pController->GetActiveUserApp());
        return pApp;
    }

    // The first PowerBlock of the page and the client point over the middle
    // of its icon.
    static PowerBlock* FirstBlock(Page* pPage)
    {
        for (ListIterator it(pPage->GetBlocks()); it; ++it)
            return static_cast<PowerBlock*>(&it.current());
        return nullptr;
    }
    static POINT PointOf(ObjectChild* pPane, PowerBlock* pBlock)
    {
        DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
        EXPECT_NE(nullptr, pObj);
        if (!pObj)
            return {0, 0};
        const RECT& rc = static_cast<PowerBlockObject*>(pObj)->GetIconBox();
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        pPane->LogicalToDevice(pt);
        return pt;
    }
    // The model point of the pressed display object's corner.
    static POINT CornerOf(ObjectChild* pPane, PowerBlock* pBlock)
    {
        DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
        EXPECT_NE(nullptr, pObj);
        if (!pObj)
            return {0, 0};
        long mx = 0, my = 0;
        pPane->ViewToModel(pObj->GetRect().left, pObj->GetRect().top, mx, my);
        return {mx, my};
    }
    // The model point of a screen point of the pane.
    static POINT ModelOfScreen(ObjectChild* pPane, POINT ptScreen)
    {
        ::ScreenToClient(pPane->HWindow, &ptScreen);
        pPane->DeviceToLogical(ptScreen);
        long mx = 0, my = 0;
        pPane->ViewToModel(ptScreen.x, ptScreen.y, mx, my);
        return {mx, my};
    }

    static void Mouse(ObjectChild* pPane, UINT nMsg, POINT pt, UINT nKeys)
    {
        ::SendMessageA(pPane->HWindow, nMsg, nKeys, MAKELPARAM(pt.x, pt.y));
    }
    // The display is shared with other test processes, whose windows may
    // lie over ours: the frame is put above every one of them, so that the
    // point the drag looks under finds our pane.
    static bool RaiseOver(ObjectChild* pPane, POINT ptScreen)
    {
        HWND hRoot = ::GetAncestor(pPane->HWindow, GA_ROOT);
        for (int nTry = 0; nTry < 30; ++nTry)
        {
            if (::WindowFromPoint(ptScreen) == pPane->HWindow)
                return true;
            ::SetWindowPos(hRoot, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            ::Sleep(100);
        }
        return ::WindowFromPoint(ptScreen) == pPane->HWindow;
    }
    // Pressed on the block and moved far enough for a drag.
    static void StartBlockDrag(ObjectChild* pPane, PowerBlock* pBlock)
    {
        const POINT pt = PointOf(pPane, pBlock);
        POINT ptScreen = pt;
        ::ClientToScreen(pPane->HWindow, &ptScreen);
        RaiseOver(pPane, ptScreen);
        Mouse(pPane, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        Mouse(pPane, WM_MOUSEMOVE, {pt.x + 10, pt.y + 6}, MK_LBUTTON);
    }
    static bool ImageDragShown()
    {
        POINT pos = {0, 0}, hot = {0, 0};
        return ImageList_GetDragImage(&pos, &hot) != nullptr;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    PXMessageBeepHook m_pfnBeep = nullptr;
    PXMessageBoxHook m_pfnBox = nullptr;
};

} // namespace

// Zoom In and Zoom Out walk the ladder from 35 to 100 percent, Zoom Normal
// goes back to 100; each time the application keeps the zoom and the
// palette shows its icons at zoom * 40 / 100 pixels, with the same tabs
// and the same tab chosen.
TEST_F(FramePaletteTest, TheZoomCommandsStepTheLadderAndThePaletteIconsFollow)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    PXUserApp* pApp = MakeActiveApp(pProgram);
    const std::vector<std::string> tabs = TabNames();
    ASSERT_FALSE(tabs.empty());
    const int nChosen = static_cast<int>(tabs.size()) - 1;
    ::SendMessageA(Tabs(), TCM_SETCURSEL, nChosen, 0);
    ASSERT_EQ(100, pPane->GetZoom());
    ASSERT_EQ(40, IconSide());

    const struct
    {
        UINT nId;
        int nPercent, nStep;
    } steps[] = {
        {CM_ZOOMOUT, 89, 10}, {CM_ZOOMOUT, 79, 9},  {CM_ZOOMIN, 89, 10},    {CM_ZOOMIN, 100, 11},
        {CM_ZOOMIN, 100, 11}, {CM_ZOOMOUT, 89, 10}, {CM_ZOOMNORMAL, 100, 11}, {CM_ZOOMOUT, 89, 10},
        {CM_ZOOMOUT, 79, 9},  {CM_ZOOMOUT, 70, 8},  {CM_ZOOMOUT, 62, 7},    {CM_ZOOMOUT, 55, 6},
        {CM_ZOOMOUT, 49, 5},  {CM_ZOOMOUT, 44, 4},  {CM_ZOOMOUT, 40, 3},    {CM_ZOOMOUT, 37, 2},
        {CM_ZOOMOUT, 35, 1},  {CM_ZOOMOUT, 35, 1},  {CM_ZOOMIN, 37, 2},     {CM_ZOOMIN, 40, 3},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.nId) + " to " + std::to_string(step.nPercent));
        Send(step.nId);
        EXPECT_EQ(step.nPercent, pPane->GetZoom());
        EXPECT_EQ(step.nStep, pPane->GetZoomStep());
        EXPECT_EQ(step.nPercent, pApp->GetZoom());
        EXPECT_EQ(step.nPercent * 40 / 100, IconSide());
        ASSERT_NE(nullptr, m_pResizedIconIL);
        EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
        EXPECT_EQ(m_pIconIL->GetImageCount(), m_pResizedIconIL->GetImageCount());
        EXPECT_EQ(tabs, TabNames());
        EXPECT_EQ(nChosen, Inner()->GetCurSel());
    }

    // Set Zoom off the ladder: the icons follow; the next step first snaps
    // 50 to 49.
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "50");
        ClickButton(hDlg, IDOK);
    });
    Send(CM_SETZOOM);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(50, pPane->GetZoom());
    EXPECT_EQ(20, IconSide());
    EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
    Send(CM_ZOOMIN);
    EXPECT_EQ(55, pPane->GetZoom());
    EXPECT_EQ(22, IconSide());
    EXPECT_TRUE(g_beeps.empty());
    m_pController->RemoveUserApp(pApp);
}

// The highlighted tab is the group whose blocks are listed: at start, when
// the blocks become known after the tabs were made, and with a program;
// a click on the highlighted tab lists its blocks again, a click on
// another tab lists that one's.
TEST_F(FramePaletteTest, TheHighlightedTabIsTheGroupListedAndAClickOnItShowsItAgain)
{
    PaletteMDI* pPalette = m_pFrame->GetPaletteMDI();
    ASSERT_NE(nullptr, pPalette);
    for (bool bProgram : {false, true})
    {
        SCOPED_TRACE(bProgram ? "a program open" : "no program");
        if (bProgram)
            ASSERT_NE(nullptr, OpenProgram());
        else
        {
            // As at start: the palette's tabs are made before the blocks
            // are known, and filled when they are.
            Icons* pIcons = pPalette->GetIcons();
            pPalette->SetIcons(nullptr);
            pPalette->SetProgram(nullptr);
            pPalette->InitGroupTabs();
            pPalette->SetIcons(pIcons);
            pPalette->SetProgram(nullptr);
            pPalette->UpdateGroupTabs();
        }
        const int nSel = Inner()->GetCurSel();
        ASSERT_GE(nSel, 0);
        EXPECT_EQ(pPalette->GetGroupPane()->GetCurrentGroup(), TabGroup(nSel));
        EXPECT_FALSE(ListNames().empty());
        EXPECT_EQ(BlockNames(TabGroup(nSel)), ListNames());

        ::SendMessageA(Inner()->m_hWnd, WM_PLT_CLEARITEMS, 0, 0);
        ASSERT_TRUE(ListNames().empty());
        ClickTab(nSel);
        EXPECT_EQ(nSel, Inner()->GetCurSel());
        EXPECT_EQ(BlockNames(TabGroup(nSel)), ListNames());

        const int nCount = static_cast<int>(TabNames().size());
        for (int nTab : {nCount - 1, 0, nSel})
        {
            SCOPED_TRACE(nTab);
            ClickTab(nTab);
            EXPECT_EQ(nTab, Inner()->GetCurSel());
            EXPECT_EQ(BlockNames(TabGroup(nTab)), ListNames());
            EXPECT_EQ(TabGroup(nTab), pPalette->GetGroupPane()->GetCurrentGroup());
        }
    }
    EXPECT_TRUE(g_beeps.empty());
}

// A zoom change makes the palette's icons again: the tab chosen stays, and
// its blocks stay listed.
TEST_F(FramePaletteTest, AfterAZoomChangeTheListedGroupKeepsItsBlocks)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    PXUserApp* pApp = MakeActiveApp(pProgram);
    const int nTab = 2;
    ASSERT_GT(static_cast<int>(TabNames().size()), nTab);
    ClickTab(nTab);
    const std::vector<std::string> blocks = BlockNames(TabGroup(nTab));
    ASSERT_FALSE(blocks.empty());
    ASSERT_EQ(blocks, ListNames());
    for (UINT nId : {CM_ZOOMOUT, CM_ZOOMOUT, CM_ZOOMIN, CM_ZOOMNORMAL})
    {
        SCOPED_TRACE(nId);
        const HIMAGELIST hBefore = m_pResizedIconIL->m_hImageList;
        Send(nId);
        Flush();
        EXPECT_NE(hBefore, m_pResizedIconIL->m_hImageList) << "the icons were made again";
        EXPECT_EQ(nTab, Inner()->GetCurSel());
        EXPECT_EQ(blocks, ListNames());
    }
    m_pController->RemoveUserApp(pApp);
}

// The program's SuperBlocks are offered under their own tab, the new one
// as soon as it is made; dropped on a page, one places a block that calls
// its SuperBlock.
TEST_F(FramePaletteTest, TheProgramsSuperBlocksAreOfferedAndPlaceABlockThatCallsThem)
{
    ModelSettings settings = GetModelSettings();
    settings.dwOptions |= 0x400;    // Auto Name
    ModelSetSettings(settings);
    Program* pProgram = nullptr;
    EditMDI* pMainWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pMainWindow);
    const int nSuper = TabNamed("SuperBlocks");
    ASSERT_GE(nSuper, 0) << "the program's SuperBlocks have a tab";
    EXPECT_GE(TabNamed("Verification Blocks"), 0);
    ClickTab(nSuper);
    EXPECT_TRUE(ListNames().empty());

    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "Orders");
        ClickButton(hDlg, IDOK);
    });
    Send(CM_NEWSUPERBLOCK);
    ASSERT_TRUE(scripts.AllRun());
    ASSERT_NE(nullptr, pProgram->FindPage("Orders"));
    EXPECT_EQ(nSuper, Inner()->GetCurSel()) << "the tab stays";
    EXPECT_EQ(std::vector<std::string>{"Orders"}, ListNames());

    // Dropped on the page "Main".
    ASSERT_TRUE(m_pFrame->ActivateChild(pMainWindow));
    Flush();
    ASSERT_EQ(std::vector<std::string>{"Orders"}, ListNames());
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = 0;
    ASSERT_TRUE(::SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    PowerBlockIcon* pIcon = reinterpret_cast<PowerBlockIcon*>(item.lParam);
    ASSERT_NE(nullptr, pIcon);
    EditChild* pPane = pMainWindow->GetEditPane();
    Page* pMain = pProgram->GetMainPage();
    const size_t nBefore = pMain->GetBlocks().getItemsInContainer();
    POINT at = {300, 200};
    ::ClientToScreen(pPane->HWindow, &at);
    ASSERT_TRUE(RaiseOver(pPane, at));
    ::SendMessageA(pPane->HWindow, WM_PLT_DROP, reinterpret_cast<WPARAM>(pIcon), MAKELPARAM(at.x, at.y));
    Flush();
    ASSERT_EQ(nBefore + 1, pMain->GetBlocks().getItemsInContainer());
    PowerBlock* pCall = nullptr;
    for (ListIterator it(pMain->GetBlocks()); it; ++it)
        if (static_cast<PowerBlock*>(&it.current())->GetType() == KVR_PB_SUPERCALL)
            pCall = static_cast<PowerBlock*>(&it.current());
    ASSERT_NE(nullptr, pCall);
    EXPECT_STREQ("Orders", pCall->GetCustomType());
    EXPECT_STREQ("Orders", kvrGetSBName(pCall->GetHandle()));
    EXPECT_EQ(1, kvrPageInUse(pProgram->FindPage("Orders")->GetHandle()));
    EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pCall, PX_CLASS_POWERBLOCKOBJECT));
    EXPECT_TRUE(g_boxes.empty());

    settings.dwOptions &= ~static_cast<DWORD>(0x400);
    ModelSetSettings(settings);
}

TEST_F(FramePaletteTest, WithoutAPageWindowTheZoomStepsSaySoAndChangeNoIcons)
{
    const struct
    {
        UINT nId;
        const char* pszHint;
    } cases[] = {
        {CM_ZOOMIN, "Select window containing a program before executing this command."},
        {CM_ZOOMOUT, "Select window containing a program before executing this command."},
        {CM_ZOOMNORMAL, "Select window to Scale before executing command."},
    };
    struct Status : UIStatusLine
    {
        void SetText(int nLevel, const char* pszText, bool) override
        {
            lines.push_back(std::to_string(nLevel) + ":" + (pszText ? pszText : ""));
        }
        std::vector<std::string> lines;
    } status;
    m_pFrame->SetStatusLine(&status);
    const HIMAGELIST hBefore = m_pResizedIconIL->m_hImageList;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nId);
        status.lines.clear();
        g_beeps.clear();
        Send(c.nId);
        EXPECT_EQ(std::vector<std::string>{std::string("3:") + c.pszHint}, status.lines);
        EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
        EXPECT_EQ(hBefore, m_pResizedIconIL->m_hImageList);
    }
    m_pFrame->SetStatusLine(nullptr);
}

// Activating a page window gives the palette's icons its zoom; activating
// one of the same zoom makes nothing again. With the palette closed the
// icons stay; the first activation after it opens again resizes them.
TEST_F(FramePaletteTest, ActivatingAPageWindowGivesThePaletteIconsItsZoom)
{
    EditMDI* pNear = OpenProgram();
    EditMDI* pFar = OpenProgram();
    ASSERT_TRUE(pNear && pFar);
    pFar->GetEditPane()->SetZoom(55, 6);

    EXPECT_TRUE(m_pFrame->ActivateChild(pNear));
    EXPECT_EQ(40, IconSide());
    EXPECT_TRUE(m_pFrame->ActivateChild(pFar));
    EXPECT_EQ(22, IconSide());
    EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
    const HIMAGELIST hFar = m_pResizedIconIL->m_hImageList;
    EXPECT_TRUE(m_pFrame->ActivateChild(pFar));
    EXPECT_EQ(hFar, m_pResizedIconIL->m_hImageList) << "the same zoom: not made again";
    EXPECT_TRUE(m_pFrame->ActivateChild(pNear));
    EXPECT_EQ(40, IconSide());

    Send(CM_PALETTE);
    ASSERT_FALSE(m_pFrame->IsPaletteShown());
    const HIMAGELIST hClosed = m_pResizedIconIL->m_hImageList;
    EXPECT_TRUE(m_pFrame->ActivateChild(pFar));
    EXPECT_EQ(hClosed, m_pResizedIconIL->m_hImageList);
    EXPECT_FALSE(m_pFrame->RebuildResizedIcons(55));
    Send(CM_PALETTE);
    ASSERT_TRUE(m_pFrame->IsPaletteShown());
    EXPECT_TRUE(m_pFrame->ActivateChild(pFar));
    EXPECT_EQ(22, IconSide());
    EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
}

namespace
{
// The palette's tab window, asked to choose its tab while the icons are
// made again, asks for another size.
UIMDIFrame* g_pFrame = nullptr;
WNDPROC g_pfnInner = nullptr;
std::vector<bool> g_nested;

LRESULT CALLBACK NestingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_PLT_SELECTTAB && g_pFrame)
        g_nested.push_back(g_pFrame->RebuildResizedIcons(70));
    return ::CallWindowProcA(g_pfnInner, hWnd, nMsg, wParam, lParam);
}
}

// A rebuild that reaches the frame again while it runs starts no second
// one: the icons are those of the first.
TEST_F(FramePaletteTest, ARebuildIsNotStartedAgainWhileItRuns)
{
    ASSERT_NE(nullptr, OpenProgram());
    g_pFrame = m_pFrame;
    g_nested.clear();
    HWND hInner = Inner()->m_hWnd;
    g_pfnInner = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hInner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NestingProc)));
    const bool bRebuilt = m_pFrame->RebuildResizedIcons(55);
    ::SetWindowLongPtrA(hInner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnInner));
    g_pFrame = nullptr;
    EXPECT_TRUE(bRebuilt);
    EXPECT_EQ(std::vector<bool>{false}, g_nested);
    EXPECT_EQ(22, IconSide());
    EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
}

// A block dragged inside its page pane shows the block's image while it
// moves and lands where the image was left; snapped to the grid when the
// option is on.
TEST_F(FramePaletteTest, ABlockMovedInItsPaneFollowsTheDragImage)
{
    for (bool bSnap : {false, true})
    {
        SCOPED_TRACE(bSnap ? "snapped" : "free");
        ModelSettings settings = GetModelSettings();
        if (bSnap)
            settings.dwOptions |= MODEL_OPT_SNAPTOGRID;
        else
            settings.dwOptions &= ~static_cast<DWORD>(MODEL_OPT_SNAPTOGRID);
        ModelSetSettings(settings);
        Program* pProgram = nullptr;
        EditMDI* pWindow = OpenProgram(&pProgram);
        ASSERT_NE(nullptr, pWindow);
        EditChild* pPane = pWindow->GetEditPane();
        PowerBlock* pBlock = FirstBlock(pProgram->GetMainPage());
        ASSERT_NE(nullptr, pBlock);
        const long x0 = pBlock->GetX(), y0 = pBlock->GetY();
        const POINT corner = CornerOf(pPane, pBlock);

        StartBlockDrag(pPane, pBlock);
        EXPECT_EQ(MODE_DRAGGING, pPane->GetMouseMode());
        EXPECT_TRUE(ImageDragShown());
        EXPECT_EQ(pWindow->HWindow, GetPXMainFrame()->GetDragChild());
        // Somewhere else in the pane, away from the block.
        RECT rcPane;
        ::GetClientRect(pPane->HWindow, &rcPane);
        const POINT to = {rcPane.right / 2 + 37, rcPane.bottom / 2 + 21};
        POINT toScreen = to;
        ::ClientToScreen(pPane->HWindow, &toScreen);
        char szUnder[64] = "";
        ::GetClassNameA(::WindowFromPoint(toScreen), szUnder, sizeof(szUnder));
        ASSERT_TRUE(RaiseOver(pPane, toScreen))
            << szUnder << " pane " << rcPane.right << "x" << rcPane.bottom << " at " << toScreen.x << "," << toScreen.y;
        Mouse(pPane, WM_MOUSEMOVE, to, MK_LBUTTON);
        const POINT last = GetPXMainFrame()->GetDragLast();
        if (bSnap)
        {
            POINT v = last;
            ::ScreenToClient(pPane->HWindow, &v);
            pPane->DeviceToLogical(v);
            long vx = v.x, vy = v.y;
            pPane->SnapViewPoint(vx, vy);
            EXPECT_NEAR(v.x, vx, 1);
            EXPECT_NEAR(v.y, vy, 1);
        }
        Mouse(pPane, WM_LBUTTONUP, to, 0);
        Flush();

        EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
        EXPECT_FALSE(ImageDragShown());
        EXPECT_NE(pPane->HWindow, ::GetCapture());
        const POINT dropped = ModelOfScreen(pPane, last);
        EXPECT_EQ(x0 + dropped.x - corner.x, pBlock->GetX());
        EXPECT_EQ(y0 + dropped.y - corner.y, pBlock->GetY());
        EXPECT_NE(x0, pBlock->GetX());
        EXPECT_TRUE(pProgram->IsModified());
        EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT));
        EXPECT_TRUE(g_beeps.empty());
        EXPECT_TRUE(g_boxes.empty());
        pProgram->ClearModified();
        pWindow->CloseWindow();
    }
    ModelSettings settings = GetModelSettings();
    settings.dwOptions &= ~static_cast<DWORD>(MODEL_OPT_SNAPTOGRID);
    ModelSetSettings(settings);
}

// A block released outside its page window stays where it was, with the
// reason said; a drag the program's deactivation cancels moves nothing
// and leaves no image.
TEST_F(FramePaletteTest, ABlockMovedOutOfItsPageWindowOrCancelledStays)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    PowerBlock* pBlock = FirstBlock(pProgram->GetMainPage());
    ASSERT_NE(nullptr, pBlock);
    const long x0 = pBlock->GetX(), y0 = pBlock->GetY();

    // Over the docked palette, beside the page window.
    RECT rcPalette;
    ::GetWindowRect(GetPXMainFrame()->m_pPaletteManager->m_pPalette->m_hWnd, &rcPalette);
    POINT over = {rcPalette.left + 30, (rcPalette.top + rcPalette.bottom) / 2};
    ::ScreenToClient(pPane->HWindow, &over);
    StartBlockDrag(pPane, pBlock);
    ASSERT_TRUE(ImageDragShown());
    Mouse(pPane, WM_MOUSEMOVE, over, MK_LBUTTON);
    Mouse(pPane, WM_LBUTTONUP, over, 0);
    Flush();
    EXPECT_EQ(std::vector<std::string>{"Can not move ZirirAradur between pages."}, g_boxes);
    EXPECT_FALSE(ImageDragShown());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_EQ(x0, pBlock->GetX());
    EXPECT_EQ(y0, pBlock->GetY());

    g_boxes.clear();
    StartBlockDrag(pPane, pBlock);
    ASSERT_TRUE(ImageDragShown());
    ::SendMessageA(m_pFrame->HWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(ImageDragShown());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    EXPECT_EQ(nullptr, GetPXMainFrame()->GetDragChild());
    EXPECT_EQ(x0, pBlock->GetX());
    EXPECT_EQ(y0, pBlock->GetY());
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_FALSE(pProgram->IsModified());
}

// The palette telling the frame that a drag starts ends the in-place edit
// of a note, keeping its text: the message by itself and a block icon
// dragged out of the palette's list.
TEST_F(FramePaletteTest, APaletteDragStartEndsAnInPlaceNoteEdit)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    PowerBlockIcon* pIcon = nullptr;
    for (ListIterator it(s_pIcons->GetGroups()); it && !pIcon; ++it)
        for (ListIterator ic(static_cast<GroupIcon*>(&it.current())->GetIcons()); ic && !pIcon; ++ic)
            pIcon = static_cast<PowerBlockIcon*>(&ic.current());
    ASSERT_NE(nullptr, pIcon);

    for (bool bFromList : {false, true})
    {
        SCOPED_TRACE(bFromList ? "an icon dragged from the list" : "the message");
        pPane->BeginTextNote();
        POINT from = {30, 400};
        pPane->LogicalToDevice(from);
        Mouse(pPane, WM_LBUTTONDOWN, from, MK_LBUTTON);
        Mouse(pPane, WM_MOUSEMOVE, {from.x + 120, from.y + 60}, MK_LBUTTON);
        Mouse(pPane, WM_LBUTTONUP, {from.x + 120, from.y + 60}, 0);
        // No message pump here: a focus change another program's window
        // makes on the shared display would end the edit first.
        ASSERT_EQ(MODE_TEXTEDIT, pPane->GetMouseMode());
        PXTextUI* pNote = pPane->GetEditedTextNote();
        ASSERT_NE(nullptr, pNote);
        ::SetWindowTextA(pNote->GetTextBox()->GetEditWindow(), "Typed");

        if (!bFromList)
        {
            EXPECT_EQ(0, ::SendMessageA(m_pFrame->HWindow, WM_PLT_DRAGSTART, 0, 0));
        }
        else
        {
            ::SendMessageA(Inner()->m_hWnd, WM_PLT_CLEARITEMS, 0, 0);
            PXPalettePBItem item(CString(pIcon->GetName()), 0, reinterpret_cast<INT_PTR>(pIcon));
            ::SendMessageA(Inner()->m_hWnd, WM_PLT_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
            NMLISTVIEW nm = {};
            nm.hdr.hwndFrom = List();
            nm.hdr.idFrom = PXInTabWnd::kListCtrlId;
            nm.hdr.code = LVN_BEGINDRAG;
            nm.iItem = 0;
            nm.ptAction = {10, 10};
            ::SendMessageA(Inner()->m_hWnd, WM_NOTIFY, PXInTabWnd::kListCtrlId, reinterpret_cast<LPARAM>(&nm));
            EXPECT_TRUE(Inner()->IsDragging());
            // The drag ends without a drop when the palette loses the mouse.
            ::ReleaseCapture();
            Flush();
            EXPECT_FALSE(Inner()->IsDragging());
        }
        EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
        EXPECT_EQ(nullptr, pPane->GetEditedTextNote());
        EXPECT_STREQ("Typed", pNote->GetText());
    }
}

// A block dragged past the bottom of its page pane scrolls the pane one
// line for each move out there.
TEST_F(FramePaletteTest, ABlockDraggedPastItsPanesEdgeScrollsThePane)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    PowerBlock* pBlock = FirstBlock(pProgram->GetMainPage());
    ASSERT_NE(nullptr, pBlock);
    RECT rcPane;
    ::GetClientRect(pPane->HWindow, &rcPane);

    StartBlockDrag(pPane, pBlock);
    ASSERT_TRUE(ImageDragShown());
    Mouse(pPane, WM_MOUSEMOVE, {rcPane.right / 2, rcPane.bottom - 4}, MK_LBUTTON);
    const int nBefore = pPane->GetVScrollPos();
    Mouse(pPane, WM_MOUSEMOVE, {rcPane.right / 2, rcPane.bottom + 6}, MK_LBUTTON);
    const int nOnce = pPane->GetVScrollPos();
    EXPECT_GT(nOnce, nBefore);
    Mouse(pPane, WM_MOUSEMOVE, {rcPane.right / 2, rcPane.bottom + 9}, MK_LBUTTON);
    EXPECT_GT(pPane->GetVScrollPos(), nOnce);
    EXPECT_TRUE(ImageDragShown());

    ::SendMessageA(m_pFrame->HWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(ImageDragShown());
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
}

namespace
{
// The recent list's opener: the program opens in a window of its own and
// becomes the active application's.
UIMDIFrame* g_pOpeningFrame = nullptr;
PXWinApp* g_pOpeningController = nullptr;
Program* g_pRecentProgram = nullptr;
PXUserApp* g_pRecentApp = nullptr;

int OpenRecentProgram(const char*)
{
    if (!g_pOpeningFrame->OpenEditWindow(g_pRecentProgram, g_pRecentProgram->GetMainPage()))
        return 1;
    g_pRecentApp = new PXUserApp(CString(g_pRecentProgram->GetName()));
    g_pRecentApp->SetProgram(g_pRecentProgram);
    g_pOpeningController->AddUserApp(g_pRecentApp);
    return 0;
}
}

// A program opened again from the recent list shows the zoom it was kept
// with, and the palette's icons take that zoom.
TEST_F(FramePaletteTest, AProgramOpenedFromTheRecentListBringsItsZoomToThePaletteIcons)
{
    Program* pProgram = NewProgram();
    pProgram->SetZoom(62);
    pProgram->ClearModified();
    g_pOpeningFrame = m_pFrame;
    g_pOpeningController = m_pController.get();
    g_pRecentProgram = pProgram;
    g_pRecentApp = nullptr;
    UIMDIFrame::RecentOpener pfnOld = UIMDIFrame::SetRecentOpener(OpenRecentProgram);
    const char kEntry[] = "ZOOMED|7|1";
    m_pFrame->AddRecentProgram(kEntry);
    Send(CM_RECENTFIRST);
    UIMDIFrame::SetRecentOpener(pfnOld);
    m_pFrame->RemoveRecentProgram(kEntry);

    ASSERT_NE(nullptr, g_pRecentApp);
    EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->FindChildForPage(pProgram->GetMainPage()));
    ASSERT_NE(nullptr, pWindow);
    EXPECT_EQ(62, pWindow->GetEditPane()->GetZoom());
    EXPECT_EQ(24, IconSide());
    EXPECT_EQ(m_pResizedIconIL->m_hImageList, ShownList());
    m_pController->RemoveUserApp(g_pRecentApp);
}

// The full-screen command puts the caption and borders off the screen with
// the menu bar at its top, and the second time gives back the exact
// placement the frame had, maximised or not.
TEST_F(FramePaletteTest, FullScreenCoversTheScreenAndGivesBackThePlacement)
{
    PXMainFrame* pMainFrame = GetPXMainFrame();
    ASSERT_NE(nullptr, pMainFrame);
    for (bool bMaximised : {false, true})
    {
        SCOPED_TRACE(bMaximised ? "maximised" : "normal");
        WINDOWPLACEMENT start = {};
        start.length = sizeof(start);
        ::GetWindowPlacement(m_pFrame->HWindow, &start);
        start.showCmd = bMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        ::SetWindowPlacement(m_pFrame->HWindow, &start);
        Flush();
        WINDOWPLACEMENT before = {};
        before.length = sizeof(before);
        ASSERT_TRUE(::GetWindowPlacement(m_pFrame->HWindow, &before));
        ASSERT_EQ(bMaximised, ::IsZoomed(m_pFrame->HWindow) != FALSE);

        Send(CM_FULLSCREEN);
        EXPECT_TRUE(m_pFrame->IsFullScreen());
        EXPECT_FALSE(::IsZoomed(m_pFrame->HWindow));
        RECT rcFull = {};
        ::GetWindowRect(m_pFrame->HWindow, &rcFull);
        const RECT expected = pMainFrame->GetFullScreenRect();
        EXPECT_TRUE(::EqualRect(&expected, &rcFull))
            << rcFull.left << "," << rcFull.top << "," << rcFull.right << "," << rcFull.bottom;
        EXPECT_LT(rcFull.top, 0);
        EXPECT_LE(rcFull.left, 0);
        EXPECT_GE(rcFull.right, ::GetSystemMetrics(SM_CXSCREEN));
        // The menu bar lies at the screen's top, the client area under it.
        POINT ptClient = {0, 0};
        ::ClientToScreen(m_pFrame->HWindow, &ptClient);
        EXPECT_GT(ptClient.y, 0);
        EXPECT_LE(ptClient.y, ::GetSystemMetrics(SM_CYMENU) + 2);

        Send(CM_FULLSCREEN);
        EXPECT_FALSE(m_pFrame->IsFullScreen());
        WINDOWPLACEMENT after = {};
        after.length = sizeof(after);
        ASSERT_TRUE(::GetWindowPlacement(m_pFrame->HWindow, &after));
        EXPECT_EQ(before.showCmd, after.showCmd) << "zoomed " << ::IsZoomed(m_pFrame->HWindow);
        EXPECT_TRUE(::EqualRect(&before.rcNormalPosition, &after.rcNormalPosition));
        EXPECT_EQ(bMaximised, ::IsZoomed(m_pFrame->HWindow) != FALSE);
    }
    ::ShowWindow(m_pFrame->HWindow, SW_RESTORE);
}

// A report that a program's groups changed points the palette at that
// program again, when a window shows it; a report for a program without a
// window, or without a record, leaves the palette alone.
TEST_F(FramePaletteTest, AGroupsReportPointsThePaletteAtItsProgram)
{
    Program* pFirst = nullptr;
    Program* pSecond = nullptr;
    ASSERT_NE(nullptr, OpenProgram(&pFirst));
    ASSERT_NE(nullptr, OpenProgram(&pSecond));
    std::unique_ptr<Program> pHidden(NewProgram());
    PaletteMDI* pPalette = m_pFrame->GetPaletteMDI();
    ASSERT_NE(nullptr, pPalette);
    const auto* pFirstBlocks = &pFirst->GetLibraryGroups();
    const auto* pSecondBlocks = &pSecond->GetLibraryGroups();
    ASSERT_NE(pFirstBlocks, pSecondBlocks);
    m_pFrame->PaletteFollowProgram(pSecond);
    ASSERT_EQ(pSecondBlocks, pPalette->GetLibraryGroups());

    kvrHandleType* hFirst = pFirst->GetHandle();
    EXPECT_EQ(0, ::SendMessageA(m_pFrame->HWindow, WM_UI_MODELNOTIFY, 6, reinterpret_cast<LPARAM>(&hFirst)));
    EXPECT_EQ(pFirstBlocks, pPalette->GetLibraryGroups());

    kvrHandleType* hHidden = pHidden->GetHandle();
    m_pFrame->PaletteFollowProgram(pSecond);
    ::SendMessageA(m_pFrame->HWindow, WM_UI_MODELNOTIFY, 6, reinterpret_cast<LPARAM>(&hHidden));
    ::SendMessageA(m_pFrame->HWindow, WM_UI_MODELNOTIFY, 6, 0);
    EXPECT_EQ(pSecondBlocks, pPalette->GetLibraryGroups());
}
