// The command-state table: its commands, the flags before the first
// refresh, and the enabled and checked flags of every command for each
// state of the application and of the active page pane.
#include "MenuTestSupport.h"
#include "PXCmdIds.h"
#include "PXCmdInterface.h"
#include "PXCommandHandler.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXTextUI.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

// The 41 commands of the table.
const int s_anCommands[] = {
    4132, 4131, 101, 4232, 4136, 4135, 51, 4178, 4145, 4146, 4162, 4233, 4142, 4143, 4165, 4144, 4130,
    4228, 4203, 4229, 4138, 4139, 4141, 4140, 4150, 4221, 4202, 4154, 4174, 4222, 4237, 4238, 4239,
    4240, 4241, 4242, 4243, 4244, 4245, 4246, 4249,
};

// Enabled whenever an application is open.
const std::set<int> s_Open = {
    4132, 4131, 101, 4232, 4136, 4135, 51, 4178, 4221, 4145, 4146, 4142, 4143, 4165, 4144, 4130,
    4237, 4238, 4239, 4240, 4241, 4242, 4243, 4244, 4245, 4246, 4162, 4233,
};

std::set<int> With(std::set<int> base, std::initializer_list<int> more)
{
    base.insert(more.begin(), more.end());
    return base;
}

// Bare model objects stand for what a page pane selected: only their
// class counts.
struct Selected
{
    PowerBlock block1, block2;
    PXTextUI note1, note2;
    Goto line1, line2;
    Segment segment;
};

enum Selection { SEL_NONE, SEL_BLOCK, SEL_BLOCKS, SEL_NOTE, SEL_NOTES, SEL_LINES, SEL_SEGMENT, SEL_BLOCKNOTE };

struct StateCase
{
    const char* name;
    bool bOpen;
    bool bComplete;
    bool bExported;
    bool bImport;
    Selection selection;
    bool bClip;
    bool bEditingNote;
    bool bPalette;
    bool bFullScreen;
    std::set<int> enabled;
    std::set<int> checked;
};

const std::set<int> s_Always = { 4162, 4233 };

class CommandState : public MenuTest
{
protected:
    void Select(Selection kind)
    {
        frame.selection.clear();
        switch (kind)
        {
        case SEL_NONE: break;
        case SEL_BLOCK: frame.selection = { &sel.block1 }; break;
        case SEL_BLOCKS: frame.selection = { &sel.block1, &sel.block2 }; break;
        case SEL_NOTE: frame.selection = { &sel.note1 }; break;
        case SEL_NOTES: frame.selection = { &sel.note1, &sel.note2 }; break;
        case SEL_LINES: frame.selection = { &sel.line1, &sel.line2 }; break;
        case SEL_SEGMENT: frame.selection = { &sel.segment }; break;
        case SEL_BLOCKNOTE: frame.selection = { &sel.note1, &sel.block1 }; break;
        }
    }

    // A program with no unfinished block, or one with a Menu block whose
    // required outputs lead nowhere.
    Program* MakeProgram(bool bComplete)
    {
        if (bComplete)
        {
            Program* pProgram = new Program("Done", 0);
            Page* pMain = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
            pProgram->AddPage(pMain);
            EXPECT_EQ(1, pProgram->AllPagesFinished(0));
            return pProgram;
        }
        Program* pProgram = NewProgram();
        AddBlock(pProgram->GetMainPage(), 402, "Choose", 200, 200);
        EXPECT_EQ(0, pProgram->AllPagesFinished(0));
        return pProgram;
    }

    Selected sel;
};

} // namespace

TEST(CommandHandler, EveryCommandStartsDisabledAndUncheckedAndOthersReadSo)
{
    EXPECT_EQ(41, PXCommandHandler::s_nCommands);
    for (int i = 0; i < PXCommandHandler::s_nCommands; ++i)
        EXPECT_EQ(s_anCommands[i], PXCommandHandler::s_awCommands[i]) << i;
    PXCommandHandler handler;
    for (int nId : s_anCommands)
    {
        EXPECT_FALSE(handler.IsEnabled(nId)) << nId;
        EXPECT_FALSE(handler.IsChecked(nId)) << nId;
    }
    // Ids outside the table: no flags, and setting them changes nothing.
    const int outside[] = { 0, 4096, 4124, 4128, 4300, 24310, -1, 70000 };
    for (int nId : outside)
    {
        handler.SetEnabled(nId, true);
        handler.SetChecked(nId, true);
        EXPECT_FALSE(handler.IsEnabled(nId)) << nId;
        EXPECT_FALSE(handler.IsChecked(nId)) << nId;
    }
    handler.SetEnabled(4130, true);
    handler.SetChecked(4162, true);
    EXPECT_TRUE(handler.IsEnabled(4130));
    EXPECT_FALSE(handler.IsChecked(4130));
    EXPECT_TRUE(handler.IsChecked(4162));
    EXPECT_FALSE(handler.IsEnabled(4162));
}

TEST(CommandHandler, StateObjectsTellWhetherTheFlagWasOff)
{
    PXCommandObj command;
    EXPECT_FALSE(command.IsEnabled());
    EXPECT_TRUE(command.SetEnabled(true));
    EXPECT_FALSE(command.SetEnabled(true));
    EXPECT_TRUE(command.IsEnabled());
    EXPECT_FALSE(command.SetEnabled(false));
    EXPECT_TRUE(command.SetEnabled(false));
    EXPECT_TRUE(command.SetChecked(true));
    EXPECT_FALSE(command.SetChecked(false));
    EXPECT_FALSE(command.IsChecked());
}

TEST(CommandHandler, PresentersWithoutATableReadFalseAndTheBaseIsNoPresenter)
{
    PXCommandHandler* pOld = PXCmdInterface::GetCommandHandler();
    PXCmdInterface::SetCommandHandler(nullptr);
    EXPECT_PXASSERT(PXCmdInterface::IsCommandEnabled(4130), "m_pCmdHandler!=0");
    EXPECT_PXASSERT(PXCmdInterface::IsCommandChecked(4162), "m_pCmdHandler!=0");
    PXCmdInterface::SetCommandHandler(pOld);
    PXCmdInterface presenter;
    EXPECT_PXASSERT(presenter.UpdateState(), "0");
}

TEST_F(CommandState, TheControllerInstallsItsTableAndRefreshNeedsNoMenuBar)
{
    ASSERT_NE(nullptr, app->GetCommandHandler());
    EXPECT_EQ(app->GetCommandHandler(), PXCmdInterface::GetCommandHandler());
    for (int nId : s_anCommands)
        EXPECT_FALSE(PXCmdInterface::IsCommandEnabled(nId)) << nId;
    // No main window yet: the table is recomputed all the same.
    PXWinApp::UpdateCommandUI();
    EXPECT_TRUE(PXCmdInterface::IsCommandEnabled(4162));
    EXPECT_FALSE(PXCmdInterface::IsCommandEnabled(4130));
}

TEST_F(CommandState, FlagsOfEveryCommandForEachState)
{
    const std::set<int> none;
    const StateCase cases[] = {
        { "no application", false, false, false, false, SEL_NONE, false, false, false, false, s_Always, none },
        { "no application, palette and full screen", false, false, false, false, SEL_NONE, true, true, true, true,
          s_Always, { 4162, 4233 } },
        { "no application, a block selected elsewhere", false, true, true, true, SEL_BLOCK, true, true, false, true,
          s_Always, { 4233 } },
        { "open, nothing selected", true, false, false, false, SEL_NONE, false, false, true, false, s_Open, { 4162 } },
        { "one PowerBlock", true, false, false, false, SEL_BLOCK, false, false, false, false,
          With(s_Open, { 4138, 4139, 4141, 4150, 4202 }), none },
        { "two PowerBlocks", true, false, false, false, SEL_BLOCKS, false, false, false, false,
          With(s_Open, { 4138, 4139, 4141 }), none },
        { "one text note", true, false, false, false, SEL_NOTE, false, false, false, false,
          With(s_Open, { 4138, 4139, 4141, 4222, 4249 }), none },
        { "two text notes", true, false, false, false, SEL_NOTES, false, false, false, false,
          With(s_Open, { 4138, 4139, 4141, 4222 }), none },
        { "a note first, then a block", true, false, false, false, SEL_BLOCKNOTE, false, false, false, false,
          With(s_Open, { 4138, 4139, 4141, 4222 }), none },
        { "goto lines", true, false, false, false, SEL_LINES, false, false, false, false,
          With(s_Open, { 4141, 4154, 4174 }), none },
        { "a segment", true, false, false, false, SEL_SEGMENT, false, false, false, false, s_Open, none },
        { "complete, not exported", true, true, false, false, SEL_NONE, false, false, false, false,
          With(s_Open, { 4203 }), none },
        { "complete and exported", true, true, true, false, SEL_NONE, false, false, false, false,
          With(s_Open, { 4229 }), none },
        { "exported, not complete", true, false, true, false, SEL_NONE, false, false, false, false,
          With(s_Open, { 4229 }), none },
        { "imported", true, false, false, true, SEL_NONE, false, false, false, false, With(s_Open, { 4228 }), none },
        { "blocks on the clipboard", true, false, false, false, SEL_NONE, true, false, false, false,
          With(s_Open, { 4140 }), none },
        { "editing a note, empty clipboard", true, false, false, false, SEL_NOTE, false, true, false, false,
          With(s_Open, { 4138, 4139, 4141, 4222, 4249, 4140 }), none },
        { "everything at once", true, true, true, true, SEL_BLOCK, true, true, true, true,
          With(s_Open, { 4138, 4139, 4141, 4150, 4202, 4229, 4228, 4140 }), { 4162, 4233 } },
    };
    for (const StateCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(app.get());
        PXSetWinApp(app.get());
        s_pszProgram = nullptr;
        if (c.bOpen)
        {
            PXUserApp* pUserApp = OpenApp("C:\\apps\\Sales.ed", MakeProgram(c.bComplete));
            pUserApp->SetExported(c.bExported ? TRUE : FALSE);
            if (c.bImport)
            {
                PXRecArray imports(PXFieldValue(25253, pUserApp).GetRecArray());
                imports.Add(PXSoftRec::Create(22004, FALSE));
                PXFieldValue(25253, pUserApp).SetRecArray(imports);
                ASSERT_EQ(1, pUserApp->Commit());
                ASSERT_EQ(1, pUserApp->GetImportCount());
            }
        }
        Select(c.selection);
        frame.bEditingNote = c.bEditingNote ? TRUE : FALSE;
        frame.bPalette = c.bPalette ? TRUE : FALSE;
        frame.bFullScreen = c.bFullScreen ? TRUE : FALSE;
        if (c.bClip)
            app->BeginClipCopy();
        PXWinApp::UpdateCommandUI();
        PXCommandHandler* pHandler = app->GetCommandHandler();
        for (int nId : s_anCommands)
        {
            EXPECT_EQ(c.enabled.count(nId) != 0, pHandler->IsEnabled(nId)) << "enabled " << nId;
            EXPECT_EQ(c.checked.count(nId) != 0, pHandler->IsChecked(nId)) << "checked " << nId;
        }
        // A refresh after the state went back takes the flags away again.
        frame.selection.clear();
        frame.bPalette = FALSE;
        frame.bFullScreen = FALSE;
        s_pszProgram = nullptr;
        PXWinApp::UpdateCommandUI();
        for (int nId : s_anCommands)
        {
            EXPECT_EQ(s_Always.count(nId) != 0, pHandler->IsEnabled(nId)) << "after, enabled " << nId;
            EXPECT_FALSE(pHandler->IsChecked(nId)) << "after, checked " << nId;
        }
    }
}

TEST_F(CommandState, AnUnboundProgramFailsTheCompletenessCheck)
{
    PXUserApp* pUserApp = new PXUserApp("C:\\apps\\Loose.ed");
    app->AddUserApp(pUserApp);
    EXPECT_PXASSERT(pUserApp->IsComplete(), "m_pProgram!=0");
}

TEST_F(CommandState, SelectionIsAskedOfTheActivePaneWhicheverApplication)
{
    PXUserApp* pUserApp = OpenApp("C:\\apps\\Sales.ed", MakeProgram(true));
    struct { Selection selection; int kind; int count; } cases[] = {
        { SEL_NONE, 0, 0 }, { SEL_BLOCK, 1, 1 }, { SEL_BLOCKS, 1, 2 }, { SEL_NOTE, 2, 1 },
        { SEL_NOTES, 2, 2 }, { SEL_LINES, 3, 2 }, { SEL_SEGMENT, 0, 1 }, { SEL_BLOCKNOTE, 2, 2 },
    };
    for (auto& c : cases)
    {
        Select(c.selection);
        EXPECT_EQ(c.kind, pUserApp->GetSelectionKind()) << c.selection;
        EXPECT_EQ(c.count, pUserApp->GetSelectionCount()) << c.selection;
    }
    // Without a main frame there is no active pane.
    Select(SEL_BLOCK);
    PXWinApp::SetEditorFrame(nullptr);
    EXPECT_EQ(0, pUserApp->GetSelectionKind());
    EXPECT_EQ(0, pUserApp->GetSelectionCount());
    EXPECT_FALSE(IsEditingTextNote());
    EXPECT_FALSE(app->IsPaletteShown());
    EXPECT_FALSE(app->IsFullScreen());
}
