// The status-line hints of the menu bar "MAINMENU": commands, separators,
// pop-up items inside a pop-up of the bar, a pop-up of the bar itself, the
// closing of the menu, and an error text that outranks them.
#include "BarsTestSupport.h"
#include "BarsRes.h"
#include "PXCmdIds.h"
#include "StatusLineChild.h"
#include "StatusMenuHint.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TMDIClient.h"

namespace {

class StatusMenuHintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hBar = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENU");
        ASSERT_NE(nullptr, hBar);
        hEdit = GetSubMenu(hBar, 1);
        hOptions = GetSubMenu(hBar, 3);
        ASSERT_NE(nullptr, hEdit);
        ASSERT_NE(nullptr, hOptions);
    }

    void TearDown() override { DestroyMenu(hBar); }

    HMENU hBar = nullptr;
    HMENU hEdit = nullptr;
    HMENU hOptions = nullptr;
};

} // namespace

TEST_F(StatusMenuHintTest, EachSelectionFindsItsText)
{
    const struct
    {
        const char* name;
        UINT nItem;
        UINT nFlags;
        int nMenu;      // 0 none, 1 the bar, 2 Edit, 3 Options
        StatusMenuHint::Action action;
        UINT nString;
    } cases[] = {
        { "a command", CM_EDITCUT, MF_HILITE, 2, StatusMenuHint::HINT_SHOW, CM_EDITCUT },
        { "a command of the bar's last pop-up", CM_ABOUT, MF_HILITE | MF_MOUSESELECT, 1,
          StatusMenuHint::HINT_SHOW, CM_ABOUT },
        { "a separator", 0, MF_SEPARATOR | MF_HILITE, 2, StatusMenuHint::HINT_CLEAR, 0 },
        { "the menu closes", 0, 0xFFFF, 0, StatusMenuHint::HINT_CLEAR, 0 },
        { "a pop-up item in Edit", 6, MF_POPUP | MF_HILITE, 2, StatusMenuHint::HINT_SHOW,
          IDS_MENU_POPUPFIRST + 1 },
        { "a pop-up item in Options", 4, MF_POPUP | MF_HILITE, 3, StatusMenuHint::HINT_SHOW,
          IDS_MENU_POPUPFIRST + 6 },
        { "a pop-up of the bar", 1, MF_POPUP | MF_HILITE, 1, StatusMenuHint::HINT_KEEP, 0 },
        { "a pop-up of no known menu", 1, MF_POPUP | MF_HILITE, 0, StatusMenuHint::HINT_KEEP, 0 },
    };
    for (const auto& c : cases)
    {
        HMENU hMenu = c.nMenu == 1 ? hBar : c.nMenu == 2 ? hEdit : c.nMenu == 3 ? hOptions : nullptr;
        UINT nString = 12345;
        EXPECT_EQ(c.action, StatusMenuHint::Find(hBar, c.nItem, c.nFlags, hMenu, nString)) << c.name;
        if (c.action == StatusMenuHint::HINT_SHOW)
        {
            EXPECT_EQ(c.nString, nString) << c.name;
        }
    }
}

TEST_F(StatusMenuHintTest, EveryPopupOfTheBarHasAHint)
{
    int nPopups = GetMenuItemCount(hBar);
    EXPECT_EQ(7, nPopups);
    for (int p = 0; p < nPopups; ++p)
    {
        char sz[128] = "";
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_MENU_POPUPFIRST + p, sz, sizeof(sz)), 0) << p;
    }
    char sz[128] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_MENU_POPUPFIRST + 8, sz, sizeof(sz));
    EXPECT_STREQ("Help access.", sz);
}

// Each pop-up of the bar is described by its own hint, whatever position the
// hint texts were numbered for.
TEST_F(StatusMenuHintTest, EachPopupOfTheBarIsDescribedByItsOwnHint)
{
    const struct
    {
        int nPosition;
        const char* pszTitle;
        const char* pszHint;
    } cases[] = {
        { 0, "&File", "Program management commands." },
        { 1, "&Edit", "Program editing operations." },
        { 2, "&View", "Program display operations." },
        { 3, "&Options", "Change interface options." },
        { 4, "&Define", "Define program elements." },
        { 5, "&Window", "Window management commands." },
        { 6, "&Help", "Help access." },
    };
    for (const auto& c : cases)
    {
        char szTitle[64] = "";
        GetMenuStringA(hBar, c.nPosition, szTitle, sizeof(szTitle), MF_BYPOSITION);
        EXPECT_STREQ(c.pszTitle, szTitle) << c.nPosition;
        UINT nString = 0;
        ASSERT_EQ(StatusMenuHint::HINT_SHOW,
                  StatusMenuHint::Find(hBar, 0, MF_POPUP | MF_HILITE, GetSubMenu(hBar, c.nPosition), nString))
            << c.pszTitle;
        char szHint[128] = "";
        LoadStringA(GetModuleHandleA(nullptr), nString, szHint, sizeof(szHint));
        EXPECT_STREQ(c.pszHint, szHint) << c.pszTitle;
    }
}

TEST_F(StatusMenuHintTest, TheHintsGoToTheFramesStatusLineAtThePlainLevel)
{
    TestParent parent;
    StatusLineChild* line = new StatusLineChild(&parent);
    ASSERT_TRUE(parent.Create());
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    frame.SetStatusLine(line);
    HINSTANCE hInst = GetModuleHandleA(nullptr);

    StatusMenuHint::Show(frame, hInst, hBar, CM_EDITCOPY, MF_HILITE, hEdit);
    EXPECT_STREQ("Copy the selected program elements to the clipboard.", line->GetText());
    EXPECT_EQ(0, line->GetLevel());
    StatusMenuHint::Show(frame, hInst, hBar, 6, MF_POPUP | MF_HILITE, hEdit);
    EXPECT_STREQ("Program editing operations.", line->GetText());
    StatusMenuHint::Show(frame, hInst, hBar, 1, MF_POPUP | MF_HILITE, hBar);
    EXPECT_STREQ("Program editing operations.", line->GetText()) << "a pop-up of the bar changes nothing";
    StatusMenuHint::Show(frame, hInst, hBar, 4999, MF_HILITE, hEdit);
    EXPECT_STREQ("", line->GetText()) << "a command without a hint clears the line";
    StatusMenuHint::Show(frame, hInst, hBar, CM_EDITCOPY, MF_HILITE, hEdit);
    StatusMenuHint::Show(frame, hInst, hBar, 0, 0xFFFF, nullptr);
    EXPECT_STREQ("", line->GetText());

    frame.SetStatusText("Select a PowerBlock before using this command.", 1);
    StatusMenuHint::Show(frame, hInst, hBar, CM_EDITCOPY, MF_HILITE, hEdit);
    EXPECT_STREQ("Select a PowerBlock before using this command.", line->GetText());
    frame.SetStatusLine(nullptr);
}
