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
