// The main frame's bars made by the bars factory on a real frame window:
// both bars are the frame's children, the status line is the frame's, and
// the shown bars take their strips of the client rectangle.
#include "BarsTestSupport.h"
#include "FrameBars.h"
#include "IconBoxChild.h"
#include "PXCmdIds.h"
#include "PXToolBar.h"
#include "PXWinApp.h"
#include "StatusLineChild.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TMDIClient.h"

TEST(FrameBarsTest, TheFactoryGivesTheFrameItsBars)
{
    EnsureDrawingTables();
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    MakeFrameBars(frame);
    StatusLineChild* pLine = GetFrameStatusLine(frame);
    IconBoxChild* pStrip = GetFrameToolStrip(frame);
    ASSERT_NE(nullptr, pLine);
    ASSERT_NE(nullptr, pStrip);
    frame.Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    frame.Attr.X = frame.Attr.Y = 0;
    frame.Attr.W = 600;
    frame.Attr.H = 300;
    ASSERT_TRUE(frame.Create());
    EXPECT_TRUE(pLine->IsWindow());
    EXPECT_TRUE(pStrip->IsWindow());
    EXPECT_NE(nullptr, GetDlgItem(pStrip->HWindow, CM_EDITCUT));
    EXPECT_EQ(pStrip->GetToolBar(), PXWinApp::GetToolBar());

    // The frame's status text reaches its status line.
    frame.SetStatusText("error", 1);
    EXPECT_STREQ("error", pLine->GetText());
    EXPECT_EQ(3, pLine->GetLevel());

    RECT rcClient = frame.GetClientRect();
    RECT rcLeft = LayoutFrameBars(frame, rcClient);
    EXPECT_TRUE(EqualRect(&rcClient, &rcLeft)) << "hidden bars take no room";

    pLine->Show(true);
    pStrip->Show(true);
    rcLeft = LayoutFrameBars(frame, rcClient);
    EXPECT_EQ(rcClient.top + 31, rcLeft.top);
    EXPECT_EQ(rcClient.bottom - pLine->GetHeight(), rcLeft.bottom);
    EXPECT_EQ(rcClient.left, rcLeft.left);
    EXPECT_EQ(rcClient.right, rcLeft.right);

    pStrip->Show(false);
    rcLeft = LayoutFrameBars(frame, rcClient);
    EXPECT_EQ(rcClient.top, rcLeft.top);
    frame.SetStatusLine(nullptr);
    frame.Destroy();
}

TEST(FrameBarsTest, MenuHintsReachTheStatusLineAndAnErrorTextInForceStays)
{
    EnsureDrawingTables();
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    MakeFrameBars(frame);
    StatusLineChild* pLine = GetFrameStatusLine(frame);
    ASSERT_NE(nullptr, pLine);
    frame.Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    frame.Attr.W = 600;
    frame.Attr.H = 300;
    ASSERT_TRUE(frame.Create());
    HMENU hBar = GetMenu(frame.HWindow);
    ASSERT_NE(nullptr, hBar);
    HMENU hFile = GetSubMenu(hBar, 0);
    auto select = [&](UINT nItem, UINT nFlags, HMENU hMenu) {
        SendMessageA(frame.HWindow, WM_MENUSELECT, MAKEWPARAM(nItem, nFlags), reinterpret_cast<LPARAM>(hMenu));
    };

    // An error text within its time: neither a hint nor the closing menu
    // replaces it.
    frame.SetStatusText("The block has no name.", 1);
    select(CM_FILEOPEN, MF_HILITE, hFile);
    EXPECT_STREQ("The block has no name.", pLine->GetText());
    select(0, 0xFFFF, nullptr);
    EXPECT_STREQ("The block has no name.", pLine->GetText());

    // Its time over (the status line's timer), hints show and the closing
    // menu clears them.
    SendMessageA(pLine->HWindow, WM_TIMER, 1, 0);
    select(CM_FILEOPEN, MF_HILITE, hFile);
    EXPECT_STREQ("Open an existing application.", pLine->GetText());
    EXPECT_EQ(0, pLine->GetLevel());
    // A pop-up item: the text of the bar's pop-up that holds it (the
    // Edit menu holds Hide/Show Outputs); a pop-up of the bar itself
    // leaves the line.
    select(6, MF_POPUP | MF_HILITE, GetSubMenu(hBar, 1));
    EXPECT_STREQ("Program editing operations.", pLine->GetText());
    select(0, MF_POPUP | MF_HILITE, hBar);
    EXPECT_STREQ("Program editing operations.", pLine->GetText());
    select(0, 0xFFFF, nullptr);
    EXPECT_STREQ("", pLine->GetText());
    frame.SetStatusLine(nullptr);
    frame.Destroy();
}
