// The command states follow the selection of a real page window under the
// editor's own frame with its bars and an active application: a click, a
// shift-click, a rubber band and a click on empty paper change the
// selection with mouse messages; the Edit menu of the frame's menu bar, the
// tool-bar buttons and the block's context menu then show the states; keys
// go through the program's message path (the frame's accelerator table
// "KEYS") to the commands they stand for, and a menu item of the MDI
// client's command reaches it through the frame.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "PXTestSupport.h"
#include "ClipboardProgram.h"
#include "FrameBars.h"
#include "IconBoxChild.h"
#include "PXCmdIds.h"
#include "PXSObj.h"
#include "PXToolBar.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "PowerBlockObject.h"
#include "TFindPBDialog.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

// The commands whose look depends on the selection, and the look each
// selection gives them.
const UINT kSelectionCommands[] = {CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_RENAME, CM_BLOCKPROPERTIES,
                                   CM_REROUTELINE, CM_STUBLINE};

struct Looks
{
    bool cut, copy, del, rename, props, reroute, stub;
    bool Of(UINT nId) const
    {
        switch (nId)
        {
        case CM_EDITCUT: return cut;
        case CM_EDITCOPY: return copy;
        case CM_EDITDELETE: return del;
        case CM_RENAME: return rename;
        case CM_BLOCKPROPERTIES: return props;
        case CM_REROUTELINE: return reroute;
        case CM_STUBLINE: return stub;
        default: return false;
        }
    }
};
const Looks kNothing = {false, false, false, false, false, false, false};
const Looks kOneBlock = {true, true, true, true, true, false, false};
const Looks kBlocks = {true, true, true, false, false, false, false};
const Looks kLine = {false, false, true, false, false, true, true};

bool MenuItemEnabled(HMENU hMenu, UINT nId)
{
    UINT uState = GetMenuState(hMenu, nId, MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), uState) << "no item " << nId;
    return uState != static_cast<UINT>(-1) && (uState & (MF_GRAYED | MF_DISABLED)) == 0;
}

// The context menus the pane tracks: ids and whether each is enabled.
struct TrackedItem
{
    UINT nId;
    bool bEnabled;
};
std::vector<std::vector<TrackedItem>> g_tracked;
void RecordMenu(HMENU hMenu, UINT, int, int, HWND)
{
    std::vector<TrackedItem> items;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        UINT nId = GetMenuItemID(hMenu, i);
        if (nId == 0 || nId == static_cast<UINT>(-1))
            continue;
        items.push_back({nId, (GetMenuState(hMenu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0});
    }
    g_tracked.push_back(items);
}

// Keys held down while a test presses others; the keyboard as it was
// afterwards.
class HeldKeys
{
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        for (int vk : keys)
            state[vk] |= 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

class SelectionCommandsTest : public ModelTest
{
protected:
    SelectionCommandsTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        MakeFrameBars(*m_pFrame);
        m_app.SetMainWindow(m_pFrame);
        m_pFrame->SetStatusLine(&m_status);
        ASSERT_TRUE(m_pFrame->Create());
        // As the program starts it: the main window, whose menu bar the
        // command states refresh, with the keys.
        PXSetMainWindow(m_pFrame->HWindow);
        m_pFrame->SetFlag(wfMainWindow);
        m_app.HAccTable = LoadAcceleratorsA(GetModuleHandleA(nullptr), "KEYS");
        ASSERT_NE(nullptr, m_app.HAccTable);
        ShowWindow(m_pFrame->HWindow, SW_SHOW);
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pPages->pfnClose = CloseProgram;
        m_pfnBeep = PXSetMessageBeepHook(RecordBeep);
        g_beeps.clear();
        m_app.SetOption(UI_OPT_CONFIRMDELETE, false);
        m_app.SetOption(UI_OPT_TOOLBAR, true);

        // A program with blocks "A" and "B" and a line from A to B, shown
        // in a window; its application open.
        m_pProgram = NewProgram();
        Page* pMain = m_pProgram->GetMainPage();
        m_pA = AddBlock(pMain, 402, "A", 300, 200);
        m_pB = AddBlock(pMain, 402, "B", 900, 200);
        m_pLine = m_pA->Connect(m_pB, m_pA->GetInfo()->outputs[0].name, 0);
        ASSERT_NE(nullptr, m_pLine);
        m_pProgram->ClearModified();
        PXUserApp* pUserApp = new PXUserApp(CString(m_pProgram->GetName()));
        pUserApp->SetProgram(m_pProgram);
        m_pController->AddUserApp(pUserApp);
        m_pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(m_pProgram, pMain));
        ASSERT_NE(nullptr, m_pWindow);
        m_pPane = m_pWindow->GetEditPane();
        ASSERT_NE(nullptr, m_pPane);
        ASSERT_EQ(pUserApp, m_pController->GetActiveUserApp());
        m_pToolBar = GetFrameToolStrip(*m_pFrame) ? GetFrameToolStrip(*m_pFrame)->GetToolBar() : nullptr;
        ASSERT_NE(nullptr, m_pToolBar);
        Flush();
    }

    void TearDown() override
    {
        DeleteFindPowerBlock();
        while (m_pFrame->GetChildCount() > 0)
        {
            EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetChild(0));
            ASSERT_NE(nullptr, pWindow);
            pWindow->GetProgram()->ClearModified();
            pWindow->CloseWindow();
        }
        m_app.SetOption(UI_OPT_CONFIRMDELETE, false);
        PXSetMainWindow(nullptr);
        DestroyAcceleratorTable(m_app.HAccTable);
        m_app.HAccTable = nullptr;
        PXSetMessageBeepHook(m_pfnBeep);
        m_pFrame->SetStatusLine(nullptr);
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // Each selection command as the Edit menu of the menu bar and the tool
    // bar show it.
    void ExpectLooks(const Looks& looks, const char* pszWhat)
    {
        SCOPED_TRACE(pszWhat);
        HMENU hBar = GetMenu(m_pFrame->HWindow);
        ASSERT_NE(nullptr, hBar);
        for (UINT nId : kSelectionCommands)
        {
            EXPECT_EQ(looks.Of(nId), MenuItemEnabled(hBar, nId)) << "menu item " << nId;
            if (nId == CM_EDITCUT || nId == CM_EDITCOPY || nId == CM_EDITDELETE || nId == CM_BLOCKPROPERTIES ||
                nId == CM_STUBLINE)
            {
                EXPECT_EQ(looks.Of(nId), m_pToolBar->IsButtonEnabled(nId)) << "button " << nId;
            }
        }
    }

    // A key pressed over the pane as the program's message loop takes it:
    // the frame's keys first, then the pane.
    void PressKey(UINT vk)
    {
        PostMessageA(m_pPane->HWindow, WM_KEYDOWN, vk, 1);
        PostMessageA(m_pPane->HWindow, WM_KEYUP, vk, 0xC0000001);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!m_app.ProcessAppMsg(msg))
            {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    static void Flush()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    static bool ClipHolds(const char* pszName)
    {
        ClipboardProgram* pClip = GetClipboardProgram();
        return pClip && pClip->GetClipboardPage() && pClip->GetClipboardPage()->FindBlockByName(pszName);
    }

    static void Click(ObjectChild* pPane, POINT pt, UINT nKeys = 0)
    {
        SendMessageA(pPane->HWindow, WM_LBUTTONDOWN, MK_LBUTTON | nKeys, MAKELPARAM(pt.x, pt.y));
        SendMessageA(pPane->HWindow, WM_LBUTTONUP, nKeys, MAKELPARAM(pt.x, pt.y));
        Flush();
    }
    POINT BlockPoint(PowerBlock* pBlock)
    {
        DisplayObject* pObj = m_pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
        EXPECT_NE(nullptr, pObj);
        if (!pObj)
            return {0, 0};
        const RECT& rc = static_cast<PowerBlockObject*>(pObj)->GetIconBox();
        return ViewPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    POINT ViewPoint(long vx, long vy)
    {
        POINT pt = {vx, vy};
        m_pPane->LogicalToDevice(pt);
        return pt;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    StatusRecorder m_status;
    PXMessageBeepHook m_pfnBeep = nullptr;
    PXToolBar* m_pToolBar = nullptr;

    Program* m_pProgram = nullptr;
    PowerBlock* m_pA = nullptr;
    PowerBlock* m_pB = nullptr;
    Goto* m_pLine = nullptr;
    EditMDI* m_pWindow = nullptr;
    EditChild* m_pPane = nullptr;
};

} // namespace

TEST_F(SelectionCommandsTest, MenuAndToolBarFollowEveryChangeOfTheSelection)
{
    ExpectLooks(kNothing, "nothing selected");

    Click(m_pPane, BlockPoint(m_pA));
    ASSERT_TRUE(m_pPane->IsSelected(m_pA));
    ExpectLooks(kOneBlock, "a click on a block");

    Click(m_pPane, BlockPoint(m_pB), MK_SHIFT);
    ASSERT_EQ(2, m_pPane->GetSelectionCount());
    ExpectLooks(kBlocks, "a shift-click adds a second block");

    Click(m_pPane, BlockPoint(m_pB), MK_SHIFT);
    ASSERT_EQ(1, m_pPane->GetSelectionCount());
    ExpectLooks(kOneBlock, "a shift-click takes it out again");

    Click(m_pPane, ViewPoint(5, 5));
    ASSERT_EQ(0, m_pPane->GetSelectionCount());
    ExpectLooks(kNothing, "a click on empty paper");

    // A rubber band from empty paper around both blocks.
    POINT from = ViewPoint(5, 5);
    POINT to = BlockPoint(m_pB);
    to.x += 200;
    to.y += 200;
    SendMessageA(m_pPane->HWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(m_pPane->HWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(m_pPane->HWindow, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Flush();
    ASSERT_TRUE(m_pPane->IsSelected(m_pA));
    ASSERT_TRUE(m_pPane->IsSelected(m_pB));
    ExpectLooks(kBlocks, "a rubber band around two blocks");

    m_pPane->ClearSelection();
    m_pPane->Select(m_pLine, true, 1);
    ASSERT_TRUE(m_pPane->IsSelected(m_pLine));
    ExpectLooks(kLine, "a line");

    // The selected block goes with the command that deletes it.
    m_pPane->ClearSelection();
    Click(m_pPane, BlockPoint(m_pA));
    ExpectLooks(kOneBlock, "a click on a block");
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_EDITDELETE, 0);
    ASSERT_EQ(nullptr, m_pProgram->GetMainPage()->FindBlockByName("A"));
    ExpectLooks(kNothing, "the selected block deleted");
}

TEST_F(SelectionCommandsTest, TheBlockContextMenuEnablesItsCommands)
{
    PaneMenuTracker pOld = ObjectChild::SetMenuTracker(RecordMenu);
    g_tracked.clear();
    POINT pt = BlockPoint(m_pA);
    SendMessageA(m_pPane->HWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageA(m_pPane->HWindow, WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Flush();
    ObjectChild::SetMenuTracker(pOld);
    ASSERT_EQ(1u, g_tracked.size());
    std::vector<UINT> ids;
    for (const TrackedItem& item : g_tracked[0])
    {
        ids.push_back(item.nId);
        EXPECT_TRUE(item.bEnabled) << "item " << item.nId;
    }
    for (UINT nId : {CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_RENAME, CM_BLOCKPROPERTIES})
        EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), nId)) << nId;
    // The right click selected the block, and the menu bar shows it too.
    EXPECT_TRUE(m_pPane->IsSelected(m_pA));
    ExpectLooks(kOneBlock, "after the context menu");
}

TEST_F(SelectionCommandsTest, CtrlCAndDelActOnTheClickedBlockThroughTheKeys)
{
    ClipboardProgram* pClip = GetClipboardProgram();
    ASSERT_NE(nullptr, pClip);
    pClip->Clear();

    // Nothing selected: the keys stand for greyed commands and do nothing.
    {
        HeldKeys ctrl({VK_CONTROL, VK_LCONTROL});
        PressKey('C');
    }
    EXPECT_FALSE(ClipHolds("A"));
    PressKey(VK_DELETE);
    EXPECT_NE(nullptr, m_pProgram->GetMainPage()->FindBlockByName("A"));
    EXPECT_NE(nullptr, m_pProgram->GetMainPage()->FindBlockByName("B"));

    Click(m_pPane, BlockPoint(m_pA));
    ASSERT_TRUE(m_pPane->IsSelected(m_pA));
    {
        HeldKeys ctrl({VK_CONTROL, VK_LCONTROL});
        PressKey('C');
    }
    EXPECT_TRUE(ClipHolds("A")) << "Ctrl+C copied the block";
    EXPECT_FALSE(ClipHolds("B"));
    EXPECT_NE(nullptr, m_pProgram->GetMainPage()->FindBlockByName("A")) << "a copy leaves the page alone";

    PressKey(VK_DELETE);
    EXPECT_EQ(nullptr, m_pProgram->GetMainPage()->FindBlockByName("A")) << "Del deleted the block";
    EXPECT_NE(nullptr, m_pProgram->GetMainPage()->FindBlockByName("B"));
    EXPECT_EQ(0, m_pPane->GetSelectionCount());
    ExpectLooks(kNothing, "after Del");
    EXPECT_TRUE(g_beeps.empty());
}

TEST_F(SelectionCommandsTest, CtrlFOpensFind)
{
    ASSERT_TRUE(GetFindPowerBlock() == nullptr || !GetFindPowerBlock()->IsWindow());
    {
        HeldKeys ctrl({VK_CONTROL, VK_LCONTROL});
        PressKey('F');
    }
    TFindPBDialog* pFind = GetFindPowerBlock();
    ASSERT_NE(nullptr, pFind);
    EXPECT_TRUE(pFind->IsWindow());
    EXPECT_EQ(m_pProgram, pFind->GetProgram());
}

TEST_F(SelectionCommandsTest, RepositionWindowsFromTheMenuBarPutsThePaletteBack)
{
    HMENU hBar = GetMenu(m_pFrame->HWindow);
    ASSERT_NE(static_cast<UINT>(-1), GetMenuState(hBar, CM_REPOSITIONWINDOWS, MF_BYCOMMAND));
    HWND hPalette = m_pPages->GetPaletteWindow();
    ASSERT_TRUE(hPalette && IsWindow(hPalette));
    auto place = [&]() {
        RECT rc;
        GetWindowRect(hPalette, &rc);
        MapWindowPoints(nullptr, GetParent(hPalette), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const RECT rcHome = place();
    SetWindowPos(hPalette, nullptr, rcHome.left + 150, rcHome.top + 120, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_NE(rcHome.left, place().left);
    // As the menu sends it: to the frame, which passes it to its client.
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(CM_REPOSITIONWINDOWS, 0), 0);
    const RECT rcBack = place();
    EXPECT_EQ(rcHome.left, rcBack.left);
    EXPECT_EQ(rcHome.top, rcBack.top);
}
