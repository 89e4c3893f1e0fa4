// The tool bar's presenter over a real strip: buttons that follow the
// command-state table, repaints only on a change, the buttons that the
// table never greys, the checks of its look-ups, and a button disabled by
// the table while it is held.
#include "BarsTestSupport.h"
#include "BitButtonClass.h"
#include "IconBoxChild.h"
#include "PXCmdIds.h"
#include "PXCommandHandler.h"
#include "PXToolBar.h"

#include <set>

namespace {

class PXToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDrawingTables();
        ASSERT_NE(0, RegisterBitButtonClass());
        pPrevHandler = PXCmdInterface::GetCommandHandler();
        PXCmdInterface::SetCommandHandler(&handler);
        strip = new IconBoxChild(&parent, &g_ToolStripRecord);
        ASSERT_TRUE(parent.Create());
        ShowWindow(parent.HWindow, SW_SHOWNOACTIVATE);
        strip->Show(true);
        RECT rc = parent.GetClientRect();
        strip->Layout(rc);
        UpdateWindow(parent.HWindow);
        bar = strip->GetToolBar();
        g_bTracking = false;
    }

    void TearDown() override
    {
        ReleaseCapture();
        g_bTracking = false;
        PXCmdInterface::SetCommandHandler(pPrevHandler);
    }

    void EnableOnly(const std::set<int>& enabled)
    {
        for (int i = 0; i < PXCommandHandler::s_nCommands; ++i)
        {
            int nId = PXCommandHandler::s_awCommands[i];
            handler.SetEnabled(nId, enabled.count(nId) != 0);
        }
    }

    PXCommandHandler handler;
    PXCommandHandler* pPrevHandler = nullptr;
    TestParent parent;
    IconBoxChild* strip = nullptr;
    PXToolBar* bar = nullptr;
};

const int s_anButtons[] = {
    CM_FILENEW, CM_FILEOPEN, CM_FILESAVE, CM_PRINTFLOW, CM_ZOOMIN, CM_ZOOMOUT, CM_ZOOMNORMAL,
    CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, CM_EDITDELETE, CM_BLOCKPROPERTIES, CM_STUBLINE,
    CM_TEXTNOTE, CM_HELPTOPICS,
};

// Never greyed through the table.
const std::set<int> s_Ungreyed = { CM_FILENEW, CM_FILEOPEN, CM_HELPTOPICS };

} // namespace

TEST_F(PXToolBarTest, TheButtonsTakeTheEnabledLookOfTheirCommands)
{
    const struct
    {
        const char* name;
        std::set<int> enabled;
    } cases[] = {
        { "nothing open", {} },
        { "an application open", { CM_FILESAVE, CM_PRINTFLOW, CM_ZOOMIN, CM_ZOOMOUT, CM_ZOOMNORMAL,
                                   CM_TEXTNOTE, CM_FILECLOSE } },
        { "one block selected", { CM_FILESAVE, CM_PRINTFLOW, CM_ZOOMIN, CM_ZOOMOUT, CM_ZOOMNORMAL,
                                  CM_TEXTNOTE, CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_BLOCKPROPERTIES } },
        { "lines selected", { CM_EDITDELETE, CM_STUBLINE } },
        { "something to paste", { CM_EDITPASTE } },
        { "nothing open again", {} },
    };
    EXPECT_EQ(12, PXToolBar::s_nRefreshed);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnableOnly(c.enabled);
        bar->UpdateState();
        for (int nId : s_anButtons)
        {
            bool bExpected = s_Ungreyed.count(nId) || c.enabled.count(nId);
            EXPECT_EQ(bExpected, bar->IsButtonEnabled(nId)) << nId;
            const BitButtonRecord* pRec = GetBitButtonRecord(bar->GetButton(nId));
            EXPECT_EQ(bExpected, !(pRec->dwState & BITBUTTON_DISABLED)) << nId;
        }
    }
}

TEST_F(PXToolBarTest, OnlyAChangedButtonIsRepainted)
{
    EnableOnly({ CM_FILESAVE, CM_EDITCUT });
    bar->UpdateState();
    UpdateWindow(parent.HWindow);
    PaintCounter save(bar->GetButton(CM_FILESAVE));
    PaintCounter cut(bar->GetButton(CM_EDITCUT));
    PaintCounter copy(bar->GetButton(CM_EDITCOPY));

    bar->UpdateState();
    EXPECT_EQ(0, save.Count() + cut.Count() + copy.Count()) << "nothing changed";

    EnableOnly({ CM_EDITCUT, CM_EDITCOPY });
    bar->UpdateState();
    EXPECT_EQ(1, save.Count());
    EXPECT_EQ(0, cut.Count());
    EXPECT_EQ(1, copy.Count());

    // EnableButton alone changes the look without painting.
    bar->EnableButton(CM_EDITCUT, false);
    EXPECT_FALSE(bar->IsButtonEnabled(CM_EDITCUT));
    EXPECT_EQ(0, cut.Count());
    bar->EnableButton(CM_EDITCUT, true);
    EXPECT_TRUE(bar->IsButtonEnabled(CM_EDITCUT));
}

TEST_F(PXToolBarTest, TheCheckedFlagPlaysNoPart)
{
    EnableOnly({});
    handler.SetChecked(CM_FILESAVE, true);
    bar->UpdateState();
    EXPECT_FALSE(bar->IsButtonEnabled(CM_FILESAVE));
    EXPECT_EQ(0, SendMessageA(bar->GetButton(CM_FILESAVE), BM_GETSTATE, 0, 0));
}

TEST_F(PXToolBarTest, ALookUpOfAMissingButtonOrStripFailsItsCheck)
{
    EXPECT_PXASSERT(bar->GetButton(CM_FILESAVEAS), "IsWindow");
    PXToolBar lone;
    EXPECT_PXASSERT(lone.GetStripWindow(), "IsWindow");
}

TEST_F(PXToolBarTest, AButtonTheTableDisablesWhileItIsHeldSendsNothingAndLetsGo)
{
    EnableOnly({ CM_EDITCUT, CM_EDITCOPY });
    bar->UpdateState();
    HWND hCut = bar->GetButton(CM_EDITCUT);
    SendMessageA(hCut, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ASSERT_EQ(hCut, GetCapture());
    // The selection went away meanwhile.
    EnableOnly({});
    bar->UpdateState();
    EXPECT_FALSE(bar->IsButtonEnabled(CM_EDITCUT));
    SendMessageA(hCut, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(parent.commands.empty());
    // The other buttons work again.
    HWND hOpen = bar->GetButton(CM_FILEOPEN);
    SendMessageA(hOpen, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(hOpen, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ(static_cast<UINT>(CM_FILEOPEN), parent.commands[0].nId);
}
