// The tool strip on a plain parent window: its buttons laid out from the
// tool-strip record, showing and laying out, the tool bar it publishes,
// button clicks that reach the frame as commands, and the hints that the
// main frame's status line shows while the mouse is over a button.
#include "BarsTestSupport.h"
#include "BitButton.h"
#include "IconBoxChild.h"
#include "PXCmdIds.h"
#include "PXToolBar.h"
#include "PXWinApp.h"
#include "StatusLineChild.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TMDIClient.h"

#include <memory>
#include <string>

namespace {

class IconBoxChildTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDrawingTables();
        ASSERT_NE(0, RegisterBitButtonClass());
        strip = new IconBoxChild(&parent, &g_ToolStripRecord);
        ASSERT_TRUE(parent.Create());
        ShowWindow(parent.HWindow, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(strip->IsWindow());
        g_bTracking = false;
    }

    void TearDown() override
    {
        ReleaseCapture();
        g_bTracking = false;
    }

    HWND Button(int nId) const { return GetDlgItem(strip->HWindow, nId); }

    // Lays the strip out over the parent's client area.
    void ShowStrip()
    {
        strip->Show(true);
        RECT rc = parent.GetClientRect();
        strip->Layout(rc);
        UpdateWindow(parent.HWindow);
    }

    TestParent parent;
    IconBoxChild* strip = nullptr;     // the parent's child
};

// The buttons of the program's strip: command id, x and glyph index.
const struct
{
    int nId;
    int x;
} s_Buttons[] = {
    { CM_FILENEW, 8 }, { CM_FILEOPEN, 31 }, { CM_FILESAVE, 54 },
    { CM_PRINTFLOW, 85 }, { CM_ZOOMIN, 108 }, { CM_ZOOMOUT, 131 }, { CM_ZOOMNORMAL, 154 },
    { CM_EDITCUT, 185 }, { CM_EDITCOPY, 208 }, { CM_EDITPASTE, 231 },
    { CM_EDITDELETE, 262 }, { CM_BLOCKPROPERTIES, 285 },
    { CM_STUBLINE, 316 }, { CM_TEXTNOTE, 339 },
    { CM_HELPTOPICS, 370 },
};

} // namespace

TEST_F(IconBoxChildTest, TheButtonsFollowTheRecordWithGlyphsInTheirOrder)
{
    EXPECT_EQ(31, g_ToolStripRecord.nHeight);
    EXPECT_EQ(21, g_ToolStripRecord.nCount);
    int nButtons = 0;
    for (HWND h = GetWindow(strip->HWindow, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        ++nButtons;
    EXPECT_EQ(15, nButtons);
    for (int i = 0; i < 15; ++i)
    {
        SCOPED_TRACE(s_Buttons[i].nId);
        HWND hWnd = Button(s_Buttons[i].nId);
        ASSERT_NE(nullptr, hWnd);
        RECT rc;
        GetWindowRect(hWnd, &rc);
        MapWindowPoints(nullptr, strip->HWindow, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(s_Buttons[i].x, rc.left);
        EXPECT_EQ(5, rc.top);
        EXPECT_EQ(23, rc.right - rc.left);
        EXPECT_EQ(22, rc.bottom - rc.top);
        const BitButtonRecord* pRec = GetBitButtonRecord(hWnd);
        ASSERT_NE(nullptr, pRec);
        EXPECT_EQ(i, pRec->nGlyph);
        EXPECT_EQ(0, GetWindowTextLengthA(hWnd));
        BitButton* pButton = dynamic_cast<BitButton*>(TWindow::GetWindowPtr(hWnd));
        ASSERT_NE(nullptr, pButton);
        EXPECT_EQ(10, pButton->GetCreateState().nSplit);
        EXPECT_EQ(nullptr, pButton->GetCreateState().hFont);
    }
}

TEST_F(IconBoxChildTest, TheStripPublishesItsToolBarWhileItLives)
{
    ASSERT_NE(nullptr, strip->GetToolBar());
    EXPECT_EQ(strip->GetToolBar(), PXWinApp::GetToolBar());
    EXPECT_EQ(strip, strip->GetToolBar()->m_pIconBox);
    EXPECT_EQ(strip->HWindow, strip->GetToolBar()->GetStripWindow());
    delete strip;
    strip = nullptr;
    EXPECT_EQ(nullptr, PXWinApp::GetToolBar());
}

TEST_F(IconBoxChildTest, AnEntryOfAnUnknownKindIsOurOwnMistake)
{
    PXCmdInterface* pPublished = PXWinApp::GetToolBar();
    ToolStripRecord record = g_ToolStripRecord;
    record.aEntries[3].nKind = 268;
    EXPECT_PXASSERT(new IconBoxChild(&parent, &record), "TOOLSTRIP_GAP");
    EXPECT_EQ(pPublished, PXWinApp::GetToolBar());
    EXPECT_EQ(1, parent.NumChildren());
}

TEST_F(IconBoxChildTest, ShownTheStripTakesItsHeightFromTheTopOfTheFreeArea)
{
    EXPECT_FALSE(IsWindowVisible(strip->HWindow));
    RECT rcFree = { 0, 0, 400, 100 };
    strip->Layout(rcFree);
    EXPECT_EQ(0, rcFree.top) << "a hidden strip takes no room";

    strip->Show(true);
    EXPECT_TRUE(strip->IsShown());
    EXPECT_TRUE(IsWindowVisible(strip->HWindow));
    EXPECT_EQ(1, parent.nRelayouts);
    rcFree = { 10, 20, 410, 120 };
    strip->Layout(rcFree);
    EXPECT_EQ(51, rcFree.top);
    EXPECT_EQ(120, rcFree.bottom);
    RECT rc = strip->GetWindowRect();
    MapWindowPoints(nullptr, parent.HWindow, reinterpret_cast<POINT*>(&rc), 2);
    RECT expected = { 10, 20, 410, 51 };
    EXPECT_TRUE(EqualRect(&expected, &rc));

    strip->Show(false);
    EXPECT_FALSE(IsWindowVisible(strip->HWindow));
    EXPECT_EQ(2, parent.nRelayouts);
    rcFree = { 0, 0, 400, 100 };
    strip->Layout(rcFree);
    EXPECT_EQ(0, rcFree.top);
}

TEST_F(IconBoxChildTest, AClickOnAButtonReachesTheFrameAsItsCommand)
{
    ShowStrip();
    parent.commandAnswer = 42;
    for (int nId : { CM_EDITCUT, CM_FILENEW, CM_HELPTOPICS })
    {
        parent.commands.clear();
        HWND hWnd = Button(nId);
        SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ASSERT_EQ(1u, parent.commands.size()) << nId;
        EXPECT_EQ(static_cast<UINT>(nId), parent.commands[0].nId);
        EXPECT_EQ(0u, parent.commands[0].nCode);
        EXPECT_EQ(1, parent.commands[0].lParam);
    }
    // The frame's answer is the strip's.
    EXPECT_EQ(42, SendMessageA(strip->HWindow, WM_COMMAND, MAKEWPARAM(CM_FILEOPEN, 0), 0));
}

TEST_F(IconBoxChildTest, ThePaintingDrawsTheDividers)
{
    ShowStrip();
    RECT rc = strip->GetClientRect();
    Canvas canvas(rc.right, rc.bottom, RGB(255, 0, 255));
    canvas.Print(strip->HWindow);
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(100, rc.bottom - 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(100, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(100, 1));
    EXPECT_EQ(RGB(192, 192, 192), canvas.At(100, 10)) << "the brush iconbox_background";
}

namespace {

// The strip with the main frame of an application whose status line is
// a real status line window.
class StripHintTest : public IconBoxChildTest
{
protected:
    void SetUp() override
    {
        IconBoxChildTest::SetUp();
        app.reset(new UIApp("Plexwright", GetModuleHandleA(nullptr), ""));
        frame.reset(new UIMDIFrame(client));
        app->SetMainWindow(frame.get());
        line = new StatusLineChild(&parent);
        ASSERT_TRUE(line->Create());
        frame->SetStatusLine(line);
        ShowStrip();
    }

    void TearDown() override
    {
        frame->SetStatusLine(nullptr);
        app->SetMainWindow(nullptr);
        frame.reset();
        app.reset();
        IconBoxChildTest::TearDown();
    }

    std::string Hint(int nId)
    {
        char sz[128] = "";
        LoadStringA(GetModuleHandleA(nullptr), nId, sz, sizeof(sz));
        return sz;
    }

    std::unique_ptr<UIApp> app;
    TMDIClient client;
    std::unique_ptr<UIMDIFrame> frame;
    StatusLineChild* line = nullptr;    // the parent's child
};

} // namespace

TEST_F(StripHintTest, TheHintFollowsTheMouseFromButtonToButton)
{
    SendMessageA(Button(CM_EDITCUT), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_STREQ("Remove the selected program elements and place in clipboard.", line->GetText());
    EXPECT_EQ(0, line->GetLevel());
    for (const auto& b : s_Buttons)
    {
        SendMessageA(Button(b.nId), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        std::string hint = Hint(b.nId);
        EXPECT_FALSE(hint.empty()) << "no hint for " << b.nId;
        EXPECT_EQ(hint, line->GetText()) << b.nId;
    }
    // Over the strip's background the hint goes.
    SendMessageA(strip->HWindow, WM_MOUSEMOVE, 0, MAKELPARAM(80, 2));
    EXPECT_STREQ("", line->GetText());
    // Hovering sends no command to the frame.
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(StripHintTest, AHintWithoutAStringLeavesTheLineAsItIs)
{
    line->SetText(0, "as it was", false);
    SendMessageA(strip->HWindow, WM_COMMAND, MAKEWPARAM(4999, 3), 0);
    EXPECT_STREQ("as it was", line->GetText());
}

TEST_F(StripHintTest, AnErrorTextOutranksTheHintsUntilItsTimerFires)
{
    frame->SetStatusText("Select window containing a program before executing this command.", 1);
    EXPECT_EQ(3, line->GetLevel());
    SendMessageA(Button(CM_EDITCOPY), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(strip->HWindow, WM_MOUSEMOVE, 0, MAKELPARAM(80, 2));
    EXPECT_STREQ("Select window containing a program before executing this command.", line->GetText());
    SendMessageA(line->HWindow, WM_TIMER, StatusLineChild::TIMER_ID, 0);
    SendMessageA(Button(CM_EDITCOPY), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Hint(CM_EDITCOPY), line->GetText());
}
