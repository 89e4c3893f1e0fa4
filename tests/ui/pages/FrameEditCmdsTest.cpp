// The main frame's Edit menu commands, sent as WM_COMMAND to the editor's
// own frame over real page windows: cut, copy, paste and delete with the
// protected blocks, Esc, rename, the one-block commands, the shown outputs,
// the line commands and the text notes. Boxes are answered through the
// message-box seam, dialogs by scripts, the font dialog by its hook.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "PXTestSupport.h"
#include "ClipboardProgram.h"
#include "EditCmdRes.h"
#include "EditorDlgRes.h"
#include "FontObject.h"
#include "PaneRes.h"
#include "PXCmdIds.h"
#include "PXMsgBox.h"
#include "PXSObj.h"
#include "PXTextUI.h"
#include "PXWinApp.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "classlib/ListIterator.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{

std::string Str(UINT nId)
{
    char sz[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), nId, sz, sizeof(sz));
    return sz;
}

// The font dialog: cancelled, or answered with a face and height.
int g_nFontDialogs = 0;
BOOL WINAPI CancelFont(CHOOSEFONTA*)
{
    ++g_nFontDialogs;
    return FALSE;
}
BOOL WINAPI ChooseCourier(CHOOSEFONTA* pcf)
{
    ++g_nFontDialogs;
    lstrcpynA(pcf->lpLogFont->lfFaceName, "Courier New", LF_FACESIZE);
    pcf->lpLogFont->lfHeight = -20;
    pcf->lpLogFont->lfWeight = FW_BOLD;
    return TRUE;
}

class FrameEditCmdsTest : public ModelTest
{
protected:
    FrameEditCmdsTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        m_pFrame->SetStatusLine(&m_status);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pPages->pfnClose = CloseProgram;
        m_pfnBeep = PXSetMessageBeepHook(RecordBeep);
        g_beeps.clear();
        m_app.SetOption(UI_OPT_CONFIRMDELETE, false);
        m_app.SetOption(UI_OPT_LABELSTUBS, false);
        OpenProgram();
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
        m_app.SetOption(UI_OPT_CONFIRMDELETE, false);
        m_app.SetOption(UI_OPT_LABELSTUBS, false);
        PXSetMessageBeepHook(m_pfnBeep);
        m_pFrame->SetStatusLine(nullptr);
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // A program with blocks "A" and "B" (Menu blocks) on its page "Main",
    // a line from A to B, a SuperBlock "Sub1" and a Verification Block
    // "Check"; its page "Main" shown in a window; nothing selected; clean.
    void OpenProgram()
    {
        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pSub = new Page(m_pProgram, "Sub1", PX_PAGE_SUPERBLOCK, 0);
        m_pProgram->AddPage(m_pSub);
        m_pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK);
        m_pCheck = new Page(m_pProgram, "Check", PX_PAGE_VERIFICATION, 0);
        m_pProgram->AddPage(m_pCheck);
        m_pCheck->AddDefaultBlocks(PX_PAGE_VERIFICATION);
        m_pA = AddBlock(m_pMain, 402, "A", 300, 200);
        m_pB = AddBlock(m_pMain, 402, "B", 300, 500);
        m_pLine = m_pA->Connect(m_pB, m_pA->GetInfo()->outputs[0].name, 0);
        ASSERT_NE(nullptr, m_pLine);
        m_pProgram->ClearModified();
        m_pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(m_pProgram, m_pMain));
        ASSERT_NE(nullptr, m_pWindow);
        m_pPane = m_pWindow->GetEditPane();
        ASSERT_NE(nullptr, m_pPane);
        m_pPane->ClearSelection();
    }

    // The window of another page of the program, active.
    EditChild* ShowPage(Page* pPage)
    {
        EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(m_pProgram, pPage));
        return pWindow ? pWindow->GetEditPane() : nullptr;
    }

    // Selects the objects as the pane's selection list holds them, in order.
    void SelectOnly(EditChild* pPane, std::initializer_list<UIObject*> objects)
    {
        pPane->ClearSelection();
        for (UIObject* pObject : objects)
            pPane->GetSelection().add(*pObject);
    }
    void SelectOnly(std::initializer_list<UIObject*> objects) { SelectOnly(m_pPane, objects); }

    PowerBlock* Find(Page* pPage, const char* pszName) { return pPage->FindBlockByName(pszName); }

    // The command as the menu, a key or a button sends it.
    void Send(UINT nId) { SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(nId, 0), 0); }

    static void Flush()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    static int ClipBlockCount()
    {
        ClipboardProgram* pClip = GetClipboardProgram();
        return pClip && pClip->GetClipboardPage()
                   ? static_cast<int>(pClip->GetClipboardPage()->GetBlocks().getItemsInContainer())
                   : -1;
    }
    static bool ClipHolds(const char* pszName)
    {
        ClipboardProgram* pClip = GetClipboardProgram();
        return pClip && pClip->GetClipboardPage() && pClip->GetClipboardPage()->FindBlockByName(pszName);
    }
    static bool HoldsLine(PowerBlock* pBlock, Goto* pLine)
    {
        for (ListIterator it(pBlock->GetGotos()); it; ++it)
            if (&it.current() == pLine)
                return true;
        return false;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    StatusRecorder m_status;
    PXMessageBeepHook m_pfnBeep = nullptr;

    Program* m_pProgram = nullptr;
    Page* m_pMain = nullptr;
    Page* m_pSub = nullptr;
    Page* m_pCheck = nullptr;
    PowerBlock* m_pA = nullptr;
    PowerBlock* m_pB = nullptr;
    Goto* m_pLine = nullptr;
    EditMDI* m_pWindow = nullptr;
    EditChild* m_pPane = nullptr;
};

const char kNoWindow[] = "3:Select window containing a program before executing this command.";

} // namespace

TEST(EditCmdResources, EveryTextOfTheEditCommandsLoads)
{
    const struct
    {
        UINT nId;
        const char* pszText;
    } texts[] = {
        {20, "Select a goto line before using this command."},
        {23, "Select a PowerBlock before using this command."},
        {24, "Only one PowerBlock can be configured at a time."},
        {25, "You can not rename the Start Block."},
        {26, "You can not rename End Block ZirirAradur in a Verification Block."},
        {27, "Out of memory:  unable to create dialog box."},
        {43, "You cannot delete the Start Block."},
        {64, "Are you sure you want to remove the selected objects?"},
        {65, "Are you sure you want to paste the copied objects?"},
        {66, "You cannot cut the End Block."},
        {67, "You cannot cut the Rotary Dial Block."},
        {68, "You cannot cut the Continue Block."},
        {69, "You cannot cut the Start Block."},
        {70, "You cannot delete the Rotary Dial Block."},
        {71, "You cannot delete the Continue Block."},
        {72, "You cannot delete the End Block."},
        {73, "You cannot rename the Rotary Dial Block."},
        {74, "You cannot rename the End Block."},
        {75, "You cannot rename the Continue Block."},
        {76, "You cannot copy the Start Block."},
        {77, "You cannot copy the End Block."},
        {78, "You cannot copy the Rotary Dial Block."},
        {79, "You cannot copy the Continue Block."},
        {IDS_EDIT_SELECTCUT, "You must select the blocks you wish to cut."},
        {IDS_EDIT_SELECTCOPY, "You must select the powerblocks you wish to copy!"},
        {IDS_EDIT_CLIPEMPTY, "The clipboard is empty!"},
        {IDS_EDIT_CLIPNOTBLOCKS, "The last cut/copy operation was not a powerblock!"},
        {IDS_EDIT_RENAMECAPTION, "Rename Block %.50s"},
        {CM_CONFIGUREBLOCK, "Change PowerBlock configuration (add description, select which gotos to display)."},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.pszText, Str(t.nId)) << t.nId;
}

TEST_F(FrameEditCmdsTest, WithoutAPageWindowTheCommandsSaySoAndBeepButEscIsSilent)
{
    m_pProgram->ClearModified();
    m_pWindow->CloseWindow();
    ASSERT_EQ(0, m_pFrame->GetChildCount());
    const UINT ids[] = {CM_EDITCUT,     CM_EDITCOPY,      CM_EDITPASTE,    CM_EDITDELETE,      CM_RENAME,
                        CM_BLOCKPROPERTIES, 4151,          CM_SHOWALLOUTPUTS, CM_OUTPUTFIRST,   CM_REROUTELINE,
                        4168,           CM_STUBLINE,      CM_TEXTNOTE,     CM_TEXTNOTEFONT,    CM_EDITTEXTNOTE,
                        4224,           4226};
    for (UINT nId : ids)
    {
        SCOPED_TRACE(nId);
        m_status.lines.clear();
        g_beeps.clear();
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        Send(nId);
        EXPECT_EQ(std::vector<std::string>{kNoWindow}, m_status.lines);
        EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_TRUE(scripts.captions.empty());
    }
    // Esc without a page window, and Esc with no paste pending.
    m_status.lines.clear();
    g_beeps.clear();
    Send(CM_CANCELPASTE);
    OpenProgram();
    Send(CM_CANCELPASTE);
    EXPECT_TRUE(m_status.lines.empty());
    EXPECT_TRUE(g_beeps.empty());
    EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
}

TEST_F(FrameEditCmdsTest, DeleteWithAnEmptySelectionAsksNothingAndRemovesNothing)
{
    m_app.SetOption(UI_OPT_CONFIRMDELETE, true);
    const int nBlocks = CountBlocks(m_pProgram);
    MessageBoxRecorder boxes;
    Send(CM_EDITDELETE);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nBlocks, CountBlocks(m_pProgram));
    EXPECT_FALSE(m_pProgram->IsModified());
}

TEST_F(FrameEditCmdsTest, DeleteAsksWhenTheOptionIsOnAndNoKeepsEverything)
{
    struct Case
    {
        bool bConfirm;
        int nAnswer;
        bool bRemoved;
        size_t nBoxes;
    } cases[] = {
        {true, IDNO, false, 1},
        {true, IDYES, true, 1},
        {false, IDOK, true, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bConfirm << " " << c.nAnswer);
        m_app.SetOption(UI_OPT_CONFIRMDELETE, c.bConfirm);
        PowerBlock* pBlock = AddBlock(m_pMain, 402, "Gone", 700, 200);
        m_pFrame->NotifyChildren(pBlock, OBJECT_ADDED, 0);
        SelectOnly({pBlock});
        MessageBoxRecorder boxes;
        boxes.Answer(c.nAnswer);
        Send(CM_EDITDELETE);
        ASSERT_EQ(c.nBoxes, boxes.boxes.size());
        if (c.nBoxes)
        {
            EXPECT_EQ("Are you sure you want to remove the selected objects?", boxes.boxes[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION), boxes.boxes[0].uType);
        }
        EXPECT_EQ(c.bRemoved, Find(m_pMain, "Gone") == nullptr);
        if (!c.bRemoved)
        {
            EXPECT_EQ(1, m_pPane->GetSelectionCount());
            m_pFrame->NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_INCOMING_GOTOS | OBJECT_OWN_GOTOS);
            m_pMain->RemoveBlock(pBlock);
        }
        ExpectModelMatches(m_pProgram);
    }
}

// Protected blocks are reported one by one; the other objects go.
TEST_F(FrameEditCmdsTest, DeleteReportsTheProtectedBlocksAndRemovesTheRest)
{
    PowerBlock* pContinue = AddBlock(m_pMain, 401, "Cont", 700, 400);
    m_pFrame->NotifyChildren(pContinue, OBJECT_ADDED, 0);
    PowerBlock* pBegin = Find(m_pMain, "Begin");
    PowerBlock* pEnd = Find(m_pMain, "End");
    PowerBlock* pRotary = Find(m_pMain, "Rotary");
    ASSERT_TRUE(pBegin && pEnd && pRotary);
    SelectOnly({pBegin, m_pA, pEnd, pContinue, pRotary});
    MessageBoxRecorder boxes;
    Send(CM_EDITDELETE);
    std::vector<std::string> texts;
    for (const PXShownBox& box : boxes.boxes)
        texts.push_back(box.text);
    EXPECT_EQ((std::vector<std::string>{"You cannot delete the Start Block.", "You cannot delete the End Block.",
                                        "You cannot delete the Continue Block.",
                                        "You cannot delete the Rotary Dial Block."}),
              texts);
    for (const PXShownBox& box : boxes.boxes)
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.uType & MB_ICONMASK);
    EXPECT_EQ(nullptr, Find(m_pMain, "A"));
    EXPECT_EQ(pBegin, Find(m_pMain, "Begin"));
    EXPECT_EQ(pEnd, Find(m_pMain, "End"));
    EXPECT_EQ(pContinue, Find(m_pMain, "Cont"));
    EXPECT_EQ(pRotary, Find(m_pMain, "Rotary"));
    EXPECT_TRUE(m_pProgram->IsModified());
    ExpectModelMatches(m_pProgram);
}

// The line into B is selected after B: removing B takes the line with it,
// and the command passes over what is gone.
TEST_F(FrameEditCmdsTest, DeletePassesOverObjectsAnEarlierRemovalTookAlong)
{
    SelectOnly({m_pB, m_pLine, m_pA});
    MessageBoxRecorder boxes;
    Send(CM_EDITDELETE);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, Find(m_pMain, "A"));
    EXPECT_EQ(nullptr, Find(m_pMain, "B"));
    EXPECT_EQ(0, m_pPane->GetSelectionCount());
    ExpectModelMatches(m_pProgram);
    // The pane draws what is left.
    m_pPane->Relayout();
    UpdateWindow(m_pPane->HWindow);
}

TEST_F(FrameEditCmdsTest, DeleteTakesLinesAndNotesAndRefusesStubsAndModelLines)
{
    // A line alone.
    SelectOnly({m_pLine});
    Send(CM_EDITDELETE);
    EXPECT_FALSE(HoldsLine(m_pA, m_pLine));
    EXPECT_EQ(m_pA, Find(m_pMain, "A"));
    EXPECT_EQ(m_pB, Find(m_pMain, "B"));
    ExpectModelMatches(m_pProgram);

    // A line the model made that nobody has looked at stays.
    Goto* pModelLine = m_pA->Connect(m_pB, m_pA->GetInfo()->outputs[0].name, 0);
    ASSERT_NE(nullptr, pModelLine);
    pModelLine->SetFlag(GOTO_FLAG_FROMMODEL);
    SelectOnly({pModelLine});
    Send(CM_EDITDELETE);
    EXPECT_TRUE(HoldsLine(m_pA, pModelLine));

    // An output stub: a beep, nothing removed.
    Array& stubs = m_pA->GetGotoBlocks();
    ASSERT_GT(stubs.getItemsInContainer(), 0u);
    GotoBlock* pStub = static_cast<GotoBlock*>(&stubs[stubs.lowerBound()]);
    g_beeps.clear();
    SelectOnly({pStub});
    Send(CM_EDITDELETE);
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
    EXPECT_EQ(stubs.getItemsInContainer(), m_pA->GetGotoBlocks().getItemsInContainer());

    // A text note.
    PXTextUI* pNote = new PXTextUI(m_pMain, 40, 200, 700, 760, nullptr);
    m_pMain->AddNote(pNote);
    m_pFrame->NotifyChildren(pNote, OBJECT_ADDED, 0);
    SelectOnly({pNote});
    Send(CM_EDITDELETE);
    EXPECT_EQ(0u, m_pMain->GetNotes().getItemsInContainer());
}

// The End block of a Verification Block that holds only two: the model's
// own message, and the block stays.
TEST_F(FrameEditCmdsTest, DeleteOfTheLastEndBlocksOfAVerificationBlockIsRefusedByTheModel)
{
    EditChild* pPane = ShowPage(m_pCheck);
    ASSERT_NE(nullptr, pPane);
    PowerBlock* pSuccess = Find(m_pCheck, "Success");
    ASSERT_NE(nullptr, pSuccess);
    SelectOnly(pPane, {pSuccess});
    MessageBoxRecorder boxes;
    Send(CM_EDITDELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("You cannot delete the End PowerBlock from a Verification Block.", boxes.boxes[0].text);
    EXPECT_EQ(pSuccess, Find(m_pCheck, "Success"));
}

TEST_F(FrameEditCmdsTest, CutOfAStartBlockAndALineCopiesNothingAndDeletesTheLine)
{
    GetClipboardProgram()->Clear();
    const long nSource = GetClipboardProgram()->GetSourceProgramID();
    PowerBlock* pBegin = Find(m_pMain, "Begin");
    SelectOnly({pBegin, m_pLine});
    MessageBoxRecorder boxes;
    Send(CM_EDITCUT);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("You cannot cut the Start Block.", boxes.boxes[0].text);
    EXPECT_EQ(0, ClipBlockCount());
    EXPECT_EQ(nSource, GetClipboardProgram()->GetSourceProgramID()) << "nothing copied";
    EXPECT_EQ(pBegin, Find(m_pMain, "Begin"));
    EXPECT_FALSE(HoldsLine(m_pA, m_pLine));
    EXPECT_FALSE(m_pPane->IsSelected(pBegin));
    ExpectModelMatches(m_pProgram);
}

TEST_F(FrameEditCmdsTest, CutOfTwoBlocksAndALineCopiesTheBlocksAndDeletesAll)
{
    m_app.SetOption(UI_OPT_CONFIRMDELETE, true);
    SelectOnly({m_pA, m_pLine, m_pB});
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    Send(CM_EDITCUT);
    ASSERT_EQ(1u, boxes.boxes.size()) << "the delete asks";
    EXPECT_EQ("Are you sure you want to remove the selected objects?", boxes.boxes[0].text);
    EXPECT_TRUE(ClipHolds("A"));
    EXPECT_TRUE(ClipHolds("B"));
    EXPECT_EQ(m_pProgram->GetID(), GetClipboardProgram()->GetSourceProgramID());
    EXPECT_EQ(nullptr, Find(m_pMain, "A"));
    EXPECT_EQ(nullptr, Find(m_pMain, "B"));
    ExpectModelMatches(m_pProgram);
}

TEST_F(FrameEditCmdsTest, CutWithNothingToCutSaysSo)
{
    struct Case
    {
        const char* pszWhat;
        std::vector<UIObject*> selection;
    } cases[] = {
        {"nothing", {}},
        {"a line", {m_pLine}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        SelectOnly({});
        for (UIObject* pObject : c.selection)
            m_pPane->GetSelection().add(*pObject);
        MessageBoxRecorder boxes;
        Send(CM_EDITCUT);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("You must select the blocks you wish to cut.", boxes.boxes[0].text);
        EXPECT_TRUE(HoldsLine(m_pA, m_pLine)) << "nothing deleted";
    }
}

// The model refuses to copy a block it does not know: the cut deletes
// nothing, neither the block nor the note nor the line selected with it.
TEST_F(FrameEditCmdsTest, CutDeletesNothingWhenTheCopyIsRefused)
{
    PXTextUI* pNote = new PXTextUI(m_pMain, 40, 200, 700, 760, nullptr);
    m_pMain->AddNote(pNote);
    m_pFrame->NotifyChildren(pNote, OBJECT_ADDED, 0);
    m_pA->SetNameDirect("Ghost");
    SelectOnly({m_pA, pNote, m_pLine});
    MessageBoxRecorder boxes;
    Send(CM_EDITCUT);
    m_pA->SetNameDirect("A");
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(m_pA, Find(m_pMain, "A"));
    EXPECT_EQ(1u, m_pMain->GetNotes().getItemsInContainer());
    EXPECT_TRUE(HoldsLine(m_pA, m_pLine));
    EXPECT_EQ(3, m_pPane->GetSelectionCount());
    ExpectModelMatches(m_pProgram);
}

TEST_F(FrameEditCmdsTest, CopyReportsTheStartBlockAndCopiesTheOthersKeepingTheSelection)
{
    PowerBlock* pBegin = Find(m_pMain, "Begin");
    SelectOnly({pBegin, m_pA});
    MessageBoxRecorder boxes;
    Send(CM_EDITCOPY);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("You cannot copy the Start Block.", boxes.boxes[0].text);
    EXPECT_TRUE(ClipHolds("A"));
    EXPECT_FALSE(ClipHolds("Begin"));
    EXPECT_TRUE(m_pPane->IsSelected(pBegin));
    EXPECT_TRUE(m_pPane->IsSelected(m_pA));
    EXPECT_EQ(pBegin, Find(m_pMain, "Begin"));
    EXPECT_EQ(m_pA, Find(m_pMain, "A"));
    EXPECT_FALSE(m_pProgram->IsModified()) << "copy never changes the page";

    // Nothing to copy.
    SelectOnly({m_pLine});
    MessageBoxRecorder more;
    Send(CM_EDITCOPY);
    ASSERT_EQ(1u, more.boxes.size());
    EXPECT_EQ("You must select the powerblocks you wish to copy!", more.boxes[0].text);
}

TEST_F(FrameEditCmdsTest, PasteChecksTheClipboardAndTheConfirmationBeforeItWaitsForTheClick)
{
    m_app.SetOption(UI_OPT_CONFIRMDELETE, true);
    // An empty clipboard.
    GetClipboardProgram()->Clear();
    {
        MessageBoxRecorder boxes;
        Send(CM_EDITPASTE);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The clipboard is empty!", boxes.boxes[0].text);
        EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
    }
    // A block copied; No to the question keeps the pane idle.
    SelectOnly({m_pA});
    Send(CM_EDITCOPY);
    ASSERT_TRUE(ClipHolds("A"));
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        Send(CM_EDITPASTE);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Are you sure you want to paste the copied objects?", boxes.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION), boxes.boxes[0].uType);
        EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
        EXPECT_EQ(1, m_pPane->GetSelectionCount());
    }
    // Yes: the selection goes and the pane waits for the click; Esc gives
    // the paste up.
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        Send(CM_EDITPASTE);
        EXPECT_EQ(MODE_PASTE, m_pPane->GetMouseMode());
        EXPECT_EQ(0, m_pPane->GetSelectionCount());
        m_status.lines.clear();
        Send(CM_CANCELPASTE);
        EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
        EXPECT_TRUE(m_status.lines.empty());
        EXPECT_EQ(nullptr, GetCapture());
    }
    EXPECT_EQ(nullptr, Find(m_pMain, "A_1"));
    ExpectModelMatches(m_pProgram);
}

// An End block copied from a SuperBlock page: refused on "Main" and on a
// Verification Block before any question; a SuperBlock page takes it.
TEST_F(FrameEditCmdsTest, PasteOfAnEndBlockIsRefusedOnMainAndOnVerificationBlocks)
{
    m_app.SetOption(UI_OPT_CONFIRMDELETE, true);
    PowerBlock* pDone = AddBlock(m_pSub, KVR_PB_EXIT, "Done", 400, 400);
    EditChild* pSubPane = ShowPage(m_pSub);
    ASSERT_NE(nullptr, pSubPane);
    SelectOnly(pSubPane, {pDone});
    Send(CM_EDITCOPY);
    ASSERT_TRUE(GetClipboardProgram()->HasEndBlock());

    struct Case
    {
        Page* pPage;
        const char* pszText;
    } cases[] = {
        {m_pMain, "The clipboard contains an End Block, which cannot be added to Main."},
        {m_pCheck, "The clipboard contains an End Block, which cannot be added to verification blocks."},
        {m_pSub, "Are you sure you want to paste the copied objects?"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pPage->GetName());
        UIMDIChild* pShowing = m_pFrame->FindChildForPage(c.pPage);
        EditChild* pPane = pShowing ? dynamic_cast<EditMDI*>(pShowing)->GetEditPane() : ShowPage(c.pPage);
        ASSERT_NE(nullptr, pPane);
        if (pShowing)
            m_pFrame->ActivateChild(pShowing);
        MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        Send(CM_EDITPASTE);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.pszText, boxes.boxes[0].text);
        EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    }
}

TEST_F(FrameEditCmdsTest, RenameChecksTheSelectionAndTheBlockType)
{
    PowerBlock* pContinue = AddBlock(m_pMain, 401, "Cont", 700, 400);
    struct Case
    {
        const char* pszWhat;
        std::vector<UIObject*> selection;
        const char* pszText;
        UINT uIcon;
    } cases[] = {
        {"nothing", {}, "Select a PowerBlock before using this command.", MB_ICONEXCLAMATION},
        {"a line", {m_pLine}, "Select a PowerBlock before using this command.", MB_ICONEXCLAMATION},
        {"two blocks", {m_pA, m_pB}, "Only one PowerBlock can be configured at a time.", MB_ICONEXCLAMATION},
        {"Begin", {Find(m_pMain, "Begin")}, "You can not rename the Start Block.", MB_ICONEXCLAMATION},
        {"End", {Find(m_pMain, "End")}, "You cannot rename the End Block.", MB_ICONEXCLAMATION},
        {"Continue", {pContinue}, "You cannot rename the Continue Block.", MB_ICONEXCLAMATION},
        {"Rotary", {Find(m_pMain, "Rotary")}, "You cannot rename the Rotary Dial Block.", MB_ICONEXCLAMATION},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        SelectOnly({});
        for (UIObject* pObject : c.selection)
            m_pPane->GetSelection().add(*pObject);
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        Send(CM_RENAME);
        EXPECT_TRUE(scripts.captions.empty()) << "no dialog";
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.pszText, boxes.boxes[0].text);
        EXPECT_EQ(c.uIcon, boxes.boxes[0].uType & MB_ICONMASK);
    }
    // Block Properties and Configure Block check the selection the same way.
    for (UINT nId : {static_cast<UINT>(CM_BLOCKPROPERTIES), 4151u})
    {
        SCOPED_TRACE(nId);
        SelectOnly({m_pA, m_pB});
        MessageBoxRecorder boxes;
        Send(nId);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Only one PowerBlock can be configured at a time.", boxes.boxes[0].text);
        SelectOnly({});
        MessageBoxRecorder none;
        Send(nId);
        ASSERT_EQ(1u, none.boxes.size());
        EXPECT_EQ("Select a PowerBlock before using this command.", none.boxes[0].text);
    }
}

// The End block of a SuperBlock page may be renamed; that of a
// Verification Block may not (stop icon).
TEST_F(FrameEditCmdsTest, RenameOfAnEndBlockDependsOnItsPage)
{
    PowerBlock* pDone = AddBlock(m_pSub, KVR_PB_EXIT, "Done", 400, 400);
    EditChild* pSubPane = ShowPage(m_pSub);
    ASSERT_NE(nullptr, pSubPane);
    SelectOnly(pSubPane, {pDone});
    DialogScripts scripts;
    std::string shown;
    scripts.Add([&](HWND hDlg) {
        shown = Text(hDlg, IDC_NAMEPB_NAME);
        ClickButton(hDlg, IDCANCEL);
    });
    MessageBoxRecorder boxes;
    Send(CM_RENAME);
    EXPECT_TRUE(scripts.AllRun());
    ASSERT_EQ(1u, scripts.captions.size());
    EXPECT_EQ("Rename Block Done", scripts.captions[0]);
    EXPECT_EQ("Done", shown);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_STREQ("Done", pDone->GetName()) << "Cancel keeps the name";

    EditChild* pCheckPane = ShowPage(m_pCheck);
    ASSERT_NE(nullptr, pCheckPane);
    SelectOnly(pCheckPane, {Find(m_pCheck, "Failure")});
    DialogScripts none;
    MessageBoxRecorder refused;
    Send(CM_RENAME);
    EXPECT_TRUE(none.captions.empty());
    ASSERT_EQ(1u, refused.boxes.size());
    EXPECT_EQ("You can not rename End Block ZirirAradur in a Verification Block.", refused.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), refused.boxes[0].uType & MB_ICONMASK);
}

// A name the model refuses (in use) asks again with the name entered.
TEST_F(FrameEditCmdsTest, RenameAsksAgainUntilTheModelTakesTheName)
{
    SelectOnly({m_pA});
    DialogScripts scripts;
    std::string second;
    scripts.Add([](HWND hDlg) {
        Type(hDlg, IDC_NAMEPB_NAME, "B");
        ClickButton(hDlg, IDOK);
    });
    scripts.Add([&](HWND hDlg) {
        second = Text(hDlg, IDC_NAMEPB_NAME);
        Type(hDlg, IDC_NAMEPB_NAME, "Orders");
        ClickButton(hDlg, IDOK);
    });
    MessageBoxRecorder boxes;
    boxes.nDefault = IDOK;
    Send(CM_RENAME);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ("B", second);
    EXPECT_STREQ("Orders", m_pA->GetName());
    EXPECT_EQ(m_pA, Find(m_pMain, "Orders"));
    EXPECT_TRUE(m_pProgram->IsModified());
    ExpectModelMatches(m_pProgram);
}

// Show all shows every output, also those the submenu does not list; an
// index the block does not have changes nothing.
TEST_F(FrameEditCmdsTest, HideShowOutputsSwitchesTheStubsOfTheOneSelectedBlock)
{
    Array& stubs = m_pA->GetGotoBlocks();
    const int nStubs = static_cast<int>(stubs.getItemsInContainer());
    ASSERT_GT(nStubs, 1);
    auto shown = [&]() {
        std::vector<bool> flags;
        for (int i = 0; i < nStubs; ++i)
            flags.push_back(static_cast<GotoBlock&>(stubs[stubs.lowerBound() + i]).IsShown());
        return flags;
    };
    SelectOnly({m_pA});
    Send(CM_HIDEALLOUTPUTS);
    EXPECT_EQ(std::vector<bool>(static_cast<size_t>(nStubs), false), shown());
    SelectOnly({m_pA});
    Send(CM_SHOWALLOUTPUTS);
    EXPECT_EQ(std::vector<bool>(static_cast<size_t>(nStubs), true), shown());
    EXPECT_TRUE(m_pProgram->IsModified());

    SelectOnly({m_pA});
    Send(CM_OUTPUTFIRST + 1);
    std::vector<bool> expected(static_cast<size_t>(nStubs), true);
    expected[1] = false;
    EXPECT_EQ(expected, shown());
    for (UINT nId : {static_cast<UINT>(CM_OUTPUTFIRST + nStubs), static_cast<UINT>(CM_OUTPUTLAST)})
    {
        if (static_cast<int>(nId - CM_OUTPUTFIRST) < nStubs)
            continue;
        SelectOnly({m_pA});
        Send(nId);
        EXPECT_EQ(expected, shown()) << nId;
    }
    // Without one block selected: message 23.
    SelectOnly({});
    MessageBoxRecorder boxes;
    Send(CM_SHOWALLOUTPUTS);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Select a PowerBlock before using this command.", boxes.boxes[0].text);
    EXPECT_EQ(expected, shown());
}

TEST_F(FrameEditCmdsTest, RerouteAndStubWorkOnTheSelectedLines)
{
    // Without a line: message 20.
    for (UINT nId : {CM_REROUTELINE, CM_STUBLINE})
    {
        SCOPED_TRACE(nId);
        SelectOnly({m_pA});
        MessageBoxRecorder boxes;
        Send(nId);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Select a goto line before using this command.", boxes.boxes[0].text);
    }

    m_pLine->SetFlag(GOTO_FLAG_HANDEDIT);
    SelectOnly({m_pLine});
    Send(CM_REROUTELINE);
    EXPECT_FALSE(m_pLine->HasFlag(GOTO_FLAG_HANDEDIT));
    EXPECT_FALSE(m_pLine->IsRerouteMarked()) << "routed";
    EXPECT_GT(m_pLine->GetSegmentCount(), 0);

    struct Case
    {
        bool bLabel;
        long nBefore;
        long nAfter;
    } cases[] = {
        {false, 0, GOTO_FLAG_STUB},
        {true, 0, GOTO_FLAG_LABELSTUB},
        {false, GOTO_FLAG_STUB, 0},
        {false, GOTO_FLAG_LABELSTUB, 0},
        {true, GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bLabel << " " << c.nBefore);
        m_app.SetOption(UI_OPT_LABELSTUBS, c.bLabel);
        m_pLine->ClearFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB);
        m_pLine->SetFlag(c.nBefore | GOTO_FLAG_HANDEDIT);
        SelectOnly({m_pLine});
        Send(CM_STUBLINE);
        EXPECT_EQ(c.nAfter, m_pLine->GetFlags() & (GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB));
        EXPECT_FALSE(m_pLine->HasFlag(GOTO_FLAG_HANDEDIT));
    }

    // Reroute All Lines: every line of the page.
    m_pLine->SetFlag(GOTO_FLAG_HANDEDIT);
    SelectOnly({});
    Send(4168);
    EXPECT_FALSE(m_pLine->HasFlag(GOTO_FLAG_HANDEDIT));
    EXPECT_FALSE(m_pLine->IsRerouteMarked());
}

// A note drawn with the mouse and edited in place.
class FrameEditNoteTest : public FrameEditCmdsTest
{
protected:
    PXTextUI* EditNewNote(const char* pszText)
    {
        m_pPane->BeginTextNote();
        POINT from = {30, 700};
        m_pPane->LogicalToDevice(from);
        SendMessageA(m_pPane->HWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(m_pPane->HWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 120, from.y + 60));
        SendMessageA(m_pPane->HWindow, WM_LBUTTONUP, 0, MAKELPARAM(from.x + 120, from.y + 60));
        // No message pump here: a focus change another program's window
        // makes on the shared display would end the edit first.
        EXPECT_EQ(MODE_TEXTEDIT, m_pPane->GetMouseMode());
        PXTextUI* pNote = m_pPane->GetEditedTextNote();
        if (pNote)
            SetWindowTextA(pNote->GetTextBox()->GetEditWindow(), pszText);
        return pNote;
    }
};

TEST_F(FrameEditNoteTest, WhileANoteIsEditedCopyAndDeleteGoToItsEditor)
{
    SelectOnly({m_pB});
    Send(CM_EDITCOPY);
    ASSERT_TRUE(ClipHolds("B"));
    PXTextUI* pNote = EditNewNote("Hello world");
    ASSERT_NE(nullptr, pNote);
    HWND hEdit = pNote->GetTextBox()->GetEditWindow();
    SendMessageA(hEdit, EM_SETSEL, 0, 5);
    Send(CM_EDITCOPY);
    EXPECT_TRUE(ClipHolds("B")) << "the program clipboard is left alone";
    EXPECT_FALSE(ClipHolds("A"));
    EXPECT_EQ(MODE_TEXTEDIT, m_pPane->GetMouseMode());
    if (OpenClipboard(nullptr))
    {
        HANDLE hData = GetClipboardData(CF_TEXT);
        const char* pszData = hData ? static_cast<const char*>(GlobalLock(hData)) : nullptr;
        EXPECT_STREQ("Hello", pszData);
        if (pszData)
            GlobalUnlock(hData);
        CloseClipboard();
    }
    // Delete removes the selected text, not the note.
    Send(CM_EDITDELETE);
    EXPECT_EQ(MODE_TEXTEDIT, m_pPane->GetMouseMode());
    EXPECT_EQ(" world", Text(hEdit));
    EXPECT_EQ(1u, m_pMain->GetNotes().getItemsInContainer());
    EXPECT_EQ(m_pB, Find(m_pMain, "B"));
    m_pPane->EndTextEdit();
    EXPECT_STREQ(" world", pNote->GetText());
}

TEST_F(FrameEditNoteTest, EditTextNoteOpensTheEditorOfTheOneSelectedNote)
{
    PXTextUI* pNote = EditNewNote("Note");
    ASSERT_NE(nullptr, pNote);
    m_pPane->EndTextEdit();
    ASSERT_EQ(MODE_IDLE, m_pPane->GetMouseMode());

    // Any other selection: nothing.
    SelectOnly({pNote, m_pA});
    Send(CM_EDITTEXTNOTE);
    EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
    SelectOnly({m_pA});
    Send(CM_EDITTEXTNOTE);
    EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());

    SelectOnly({pNote});
    Send(CM_EDITTEXTNOTE);
    EXPECT_EQ(MODE_TEXTEDIT, m_pPane->GetMouseMode());
    EXPECT_EQ(pNote, m_pPane->GetEditedTextNote());
    HWND hEdit = pNote->GetTextBox()->GetEditWindow();
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ("Note", Text(hEdit));
    m_pPane->EndTextEdit();
}

// Cancel changes nothing (not even the program's mark); OK gives every
// selected note a font of its own.
TEST_F(FrameEditNoteTest, TheNoteFontIsChangedOnOkOnly)
{
    PXTextUI* pFirst = EditNewNote("One");
    ASSERT_NE(nullptr, pFirst);
    m_pPane->EndTextEdit();
    PXTextUI* pSecond = EditNewNote("Two");
    ASSERT_NE(nullptr, pSecond);
    m_pPane->EndTextEdit();
    m_pProgram->ClearModified();
    FontObject* pFirstFont = pFirst->GetFontObject();
    HFONT hFirst = pFirst->GetTextBox()->GetFont();

    // No note selected: a beep only.
    g_nFontDialogs = 0;
    g_beeps.clear();
    FontObject::ChooseFontFn pfnOld = FontObject::SetChooseFontHook(CancelFont);
    SelectOnly({m_pA});
    Send(CM_TEXTNOTEFONT);
    EXPECT_EQ(0, g_nFontDialogs);
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);

    SelectOnly({pFirst, pSecond});
    Send(CM_TEXTNOTEFONT);
    EXPECT_EQ(1, g_nFontDialogs);
    EXPECT_FALSE(m_pProgram->IsModified());
    EXPECT_EQ(pFirstFont, pFirst->GetFontObject());
    EXPECT_EQ(hFirst, pFirst->GetTextBox()->GetFont());

    FontObject::SetChooseFontHook(ChooseCourier);
    SelectOnly({pFirst, pSecond});
    Send(CM_TEXTNOTEFONT);
    EXPECT_EQ(2, g_nFontDialogs);
    EXPECT_TRUE(m_pProgram->IsModified());
    for (PXTextUI* pNote : {pFirst, pSecond})
    {
        FontObject* pFont = pNote->GetFontObject();
        ASSERT_NE(nullptr, pFont);
        EXPECT_STREQ("Courier New", pFont->GetFace());
        EXPECT_EQ(FW_BOLD, pFont->GetWeight());
        EXPECT_EQ(pFont->GetFont(), pNote->GetTextBox()->GetFont());
    }
    EXPECT_NE(pFirst->GetFontObject(), pSecond->GetFontObject()) << "a font of its own each";
    FontObject::SetChooseFontHook(pfnOld);
}

// The comment commands mark the program only when the comment changed.
TEST_F(FrameEditCmdsTest, TheCommentCommandsMarkTheProgramOnlyWhenDone)
{
    struct Case
    {
        UINT nId;
        int nButton;
        bool bModified;
    } cases[] = {
        {4226, IDCANCEL, false},
        {4226, IDOK, true},
        {4224, IDCANCEL, false},
        {4224, IDOK, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nId << " " << c.nButton);
        m_pProgram->ClearModified();
        DialogScripts scripts;
        scripts.Add([&](HWND hDlg) { ClickButton(hDlg, c.nButton); });
        Send(c.nId);
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(c.bModified, m_pProgram->IsModified());
    }
}

// The sheet of the one selected block; cancelled, the block and its lines
// stay as they were.
TEST_F(FrameEditCmdsTest, BlockPropertiesRunsTheSheetOfTheOneSelectedBlock)
{
    SelectOnly({m_pA});
    DialogScripts scripts;
    scripts.Add([](HWND hSheet) { PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
    MessageBoxRecorder boxes;
    Send(CM_BLOCKPROPERTIES);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(1u, scripts.captions.size());
    EXPECT_EQ(0, scripts.nUnscripted);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(m_pProgram->IsModified());
    EXPECT_EQ(m_pA, Find(m_pMain, "A"));
    EXPECT_TRUE(HoldsLine(m_pA, m_pLine)) << "its lines as they were";
    ExpectModelMatches(m_pProgram);
}

// The line of a group output goes with its members' lines, also when a
// member's line is selected after it; the block's other lines stay shown.
TEST_F(FrameEditCmdsTest, DeleteOfAGroupLineTakesItsMembersAndKeepsTheOtherLines)
{
    PowerBlock* pDays = AddBlock(m_pMain, 395, "Days", 700, 200);
    Goto* pGroup = pDays->Connect(m_pB, "Weekdays", 0);
    ASSERT_NE(nullptr, pGroup);
    ASSERT_TRUE(pGroup->HasFlag(GOTO_FLAG_GROUP));
    Goto* pMonday = pDays->FindGoto("Monday");
    ASSERT_NE(nullptr, pMonday);
    Goto* pSaturday = pDays->Connect(m_pA, "Saturday", 0);
    ASSERT_NE(nullptr, pSaturday);
    m_pFrame->NotifyChildren(pDays, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    ASSERT_FALSE(pSaturday->GetDisplayObjects().isEmpty());

    SelectOnly({pGroup, pMonday});
    Send(CM_EDITDELETE);
    EXPECT_EQ(nullptr, pDays->FindGoto("Weekdays"));
    EXPECT_EQ(nullptr, pDays->FindGoto("Monday"));
    EXPECT_EQ(nullptr, pDays->FindGoto("Friday"));
    EXPECT_EQ(pSaturday, pDays->FindGoto("Saturday"));
    EXPECT_FALSE(pSaturday->GetDisplayObjects().isEmpty()) << "shown again";
    ExpectModelMatches(m_pProgram);
    // No display object is left over a line that went: the pane lays out
    // and draws.
    m_pPane->Relayout();
    UpdateWindow(m_pPane->HWindow);
}

// Cut, then Paste: the click in the pane puts the block back, and the pane
// selects it.
TEST_F(FrameEditCmdsTest, TheClickAfterPastePastesTheCutBlock)
{
    SelectOnly({m_pA});
    Send(CM_EDITCUT);
    ASSERT_EQ(nullptr, Find(m_pMain, "A"));
    ASSERT_TRUE(ClipHolds("A"));
    m_pA = nullptr;
    m_pLine = nullptr;

    MessageBoxRecorder boxes;
    DialogScripts scripts;
    Send(CM_EDITPASTE);
    ASSERT_EQ(MODE_PASTE, m_pPane->GetMouseMode());
    // The click itself: where it lands on the shared display is not the
    // test's to decide, so the pane is told the view point directly.
    m_pPane->PasteAt(600, 300, 1);
    EXPECT_EQ(MODE_IDLE, m_pPane->GetMouseMode());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(0, scripts.nUnscripted);
    PowerBlock* pPasted = Find(m_pMain, "A");
    ASSERT_NE(nullptr, pPasted);
    EXPECT_TRUE(m_pPane->IsSelected(pPasted));
    EXPECT_TRUE(m_pProgram->IsModified());
    ExpectModelMatches(m_pProgram);
}
