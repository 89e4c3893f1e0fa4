// The clipboard program: copies of blocks with the gotos between them,
// notes, and whole SuperBlock and Verification Block pages, pasted within a
// program and into another, with the model's registrations matching the
// editor's objects after each paste.
#include "ModelTestSupport.h"
#include "ClipboardProgram.h"
#include "PXTextUI.h"
#include "FontObject.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The pane's side of a paste: what it was given to select.
class RecordingSelection : public PasteSelection
{
public:
    void AddPasted(UIObject* pObject) override { objects.push_back(pObject); }
    std::vector<UIObject*> objects;
};

class ClipboardTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        clip.reset(new ClipboardProgram());
        ASSERT_TRUE(clip->HasHandle());
        ASSERT_NE(nullptr, clip->GetClipboardPage());
        program.reset(NewProgram());
        pMain = program->GetMainPage();
    }
    void TearDown() override
    {
        other.reset();
        program.reset();
        clip.reset();
        ModelTest::TearDown();
    }

    Page* AddPage(Program* pProgram, const char* pszName, int nKind)
    {
        Page* pPage = new Page(pProgram, pszName, nKind, 0);
        EXPECT_TRUE(pPage->HasHandle()) << pszName;
        pProgram->AddPage(pPage);
        EXPECT_EQ(1, pPage->AddDefaultBlocks(nKind));
        return pPage;
    }

    // A block of the page that calls the named page.
    PowerBlock* AddCall(Page* pPage, const char* pszName, const char* pszCalled)
    {
        auto info = std::make_unique<PowerBlockInfo>();
        names.push_back(std::make_unique<std::string>(pszCalled));
        info->name = names.back()->c_str();
        info->description = "";
        info->bitmapName = "";
        info->type = KVR_PB_SUPERCALL;
        auto icon = std::make_unique<PowerBlockIcon>(info.get());
        int nRetry = 1;
        PowerBlock* pBlock = new PowerBlock(pPage, pszName, info.get(), icon.get(), 10, 10, &nRetry, nullptr, 0, nullptr);
        EXPECT_TRUE(pBlock->HasHandle()) << pszName;
        pPage->AddObject(pBlock);
        callInfos.push_back(std::move(info));
        callIcons.push_back(std::move(icon));
        return pBlock;
    }

    static void SetAppID(Program* pProgram, long nID)
    {
        std::memcpy(pProgram->GetFileInfo() + 4, &nID, sizeof(nID));
    }

    int Copy(std::vector<PowerBlock*> blocks, Page* pSource)
    {
        clip->Clear();
        return clip->CopyBlocks(blocks, pSource);
    }

    int PasteAt(Page* pTarget, long x, long y, RecordingSelection* pPane = nullptr)
    {
        clip->SetPastePoint(x, y);
        int nResult = clip->Paste(pTarget, pPane, 0);
        if (nResult == 0)
            clip->PasteNotes(pTarget, pPane);
        return nResult;
    }

    static Goto* GotoOf(PowerBlock* pBlock, const char* pszOutput)
    {
        return pBlock ? pBlock->FindGoto(pszOutput) : nullptr;
    }

    std::unique_ptr<ClipboardProgram> clip;
    std::unique_ptr<Program> program;
    std::unique_ptr<Program> other;
    Page* pMain = nullptr;
    std::vector<std::unique_ptr<PowerBlockInfo>> callInfos;
    std::vector<std::unique_ptr<PowerBlockIcon>> callIcons;
    std::vector<std::unique_ptr<std::string>> names;
};

} // namespace

TEST_F(ClipboardTest, BlocksWithTheirGotoPasteWithinTheProgramUnderNewNames)
{
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 200);
    PowerBlock* pDay = AddBlock(pMain, 395, "Day", 400, 260);
    PowerBlock* pLeft = AddBlock(pMain, 407, "Left", 600, 260);
    ASSERT_NE(nullptr, pMenu->Connect(pDay, "1", 0));
    ASSERT_NE(nullptr, pMenu->Connect(pLeft, "2", 0));
    ASSERT_NE(nullptr, pMenu->Connect(pMain->FindBlockByName("End"), "3", 0));

    std::vector<PowerBlock*> selection = {pMenu, pDay};
    ASSERT_EQ(0, Copy(selection, pMain));
    // The End block came along for the copy and left the list again.
    EXPECT_EQ((std::vector<PowerBlock*>{pMenu, pDay}), selection);
    EXPECT_EQ(program->GetID(), clip->GetSourceProgramID());
    EXPECT_NE(nullptr, clip->GetClipboardPage()->FindBlockByName("End"));
    EXPECT_EQ(300, clip->GetSmallestX());
    EXPECT_EQ(200, clip->GetSmallestY());
    EXPECT_FALSE(clip->HasEndBlock());

    RecordingSelection pane;
    ASSERT_EQ(0, PasteAt(pMain, 1000, 1000, &pane));
    PowerBlock* pMenu2 = pMain->FindBlockByName("Menu2");
    PowerBlock* pDay1 = pMain->FindBlockByName("Day1");
    ASSERT_NE(nullptr, pMenu2);
    ASSERT_NE(nullptr, pDay1);
    EXPECT_EQ(1000, pMenu2->GetX());
    EXPECT_EQ(1000, pMenu2->GetY());
    EXPECT_EQ(1100, pDay1->GetX());
    EXPECT_EQ(1060, pDay1->GetY());
    // The goto between the copies is pasted; the one to a block left out
    // is not; the one to End leads to the page's End.
    ASSERT_NE(nullptr, GotoOf(pMenu2, "1"));
    EXPECT_EQ(pDay1, GotoOf(pMenu2, "1")->GetTarget());
    EXPECT_EQ(nullptr, GotoOf(pMenu2, "2"));
    ASSERT_NE(nullptr, GotoOf(pMenu2, "3"));
    EXPECT_EQ(pMain->FindBlockByName("End"), GotoOf(pMenu2, "3")->GetTarget());
    EXPECT_EQ(1, pMain->CountBlocksOfType(KVR_PB_END));
    EXPECT_EQ(2u, pane.objects.size());
    ExpectModelMatches(program.get());

    // The clipboard stays: a second paste makes two more.
    ASSERT_EQ(0, PasteAt(pMain, 2000, 2000));
    EXPECT_NE(nullptr, pMain->FindBlockByName("Menu3"));
    EXPECT_NE(nullptr, pMain->FindBlockByName("Day2"));
    ExpectModelMatches(program.get());
}

TEST_F(ClipboardTest, BlocksPasteIntoAnotherProgramUnderTheirOwnNames)
{
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 200);
    PowerBlock* pDay = AddBlock(pMain, 395, "Day", 400, 260);
    ASSERT_NE(nullptr, pMenu->Connect(pDay, "1", 0));
    ASSERT_EQ(0, Copy({pMenu, pDay}, pMain));

    other.reset(NewProgram());
    Page* pOtherMain = other->GetMainPage();
    ASSERT_EQ(0, PasteAt(pOtherMain, 50, 60));
    PowerBlock* pPasted = pOtherMain->FindBlockByName("Menu1");
    ASSERT_NE(nullptr, pPasted);
    EXPECT_EQ(50, pPasted->GetX());
    ASSERT_NE(nullptr, GotoOf(pPasted, "1"));
    EXPECT_EQ(pOtherMain->FindBlockByName("Day"), GotoOf(pPasted, "1")->GetTarget());
    ExpectModelMatches(other.get());
    ExpectModelMatches(program.get());
}

TEST_F(ClipboardTest, AFailedCopyTakesTheEndBlockOutOfTheListToo)
{
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 200);
    // The same block twice: the model refuses the second copy.
    std::vector<PowerBlock*> selection = {pMenu, pMenu};
    clip->Clear();
    EXPECT_NE(0, clip->CopyBlocks(selection, pMain));
    EXPECT_EQ((std::vector<PowerBlock*>{pMenu, pMenu}), selection);
}

TEST_F(ClipboardTest, NotesPasteMovedByThePastePoint)
{
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 200);
    PXTextUI* pNote = new PXTextUI(pMain, 320, 420, 150, 190, new FontObject("note", "Arial", -12, 400, 0));
    pNote->SetText("Say hello");
    pMain->AddNote(pNote);
    ASSERT_EQ(0, Copy({pMenu}, pMain));
    ASSERT_EQ(0, clip->CopyNotes({pNote}, pMain, 1));
    EXPECT_EQ(150, clip->GetSmallestY());

    other.reset(NewProgram());
    Page* pOtherMain = other->GetMainPage();
    RecordingSelection pane;
    ASSERT_EQ(0, PasteAt(pOtherMain, 1000, 1000, &pane));
    ASSERT_EQ(1u, pOtherMain->GetNotes().getItemsInContainer());
    PXTextUI& pasted = static_cast<PXTextUI&>(pOtherMain->GetNotes().peekHead());
    long left, right, top, bottom;
    pasted.GetRect(left, right, top, bottom);
    EXPECT_EQ(1020, left);
    EXPECT_EQ(1120, right);
    EXPECT_EQ(1000, top);
    EXPECT_EQ(1040, bottom);
    EXPECT_STREQ("Say hello", pasted.GetText());
    ASSERT_NE(nullptr, pasted.GetFontObject());
    EXPECT_NE(pNote->GetFontObject(), pasted.GetFontObject());
    EXPECT_EQ(1050, pOtherMain->FindBlockByName("Menu1")->GetY());
    EXPECT_EQ(2u, pane.objects.size());
    ExpectModelMatches(other.get());
}

TEST_F(ClipboardTest, SuperBlockPageGoesWithItsCallIntoAnotherProgram)
{
    Page* pSub = AddPage(program.get(), "Sub1", PX_PAGE_SUPERBLOCK);
    PowerBlock* pAsk = AddBlock(pSub, 402, "Ask", 200, 100);
    PowerBlock* pDay = AddBlock(pSub, 395, "Day", 300, 100);
    ASSERT_NE(nullptr, pAsk->Connect(pDay, "1", 0));
    PowerBlock* pCall = AddCall(pMain, "CallSub", "Sub1");
    ASSERT_EQ(0, Copy({pCall}, pMain));
    ASSERT_NE(nullptr, clip->FindPage("Sub1"));

    other.reset(NewProgram());
    Page* pOtherMain = other->GetMainPage();
    for (const char* pszPage : {"Sub1", "Sub2"})
    {
        ASSERT_EQ(0, PasteAt(pOtherMain, 500, 500)) << pszPage;
        Page* pPasted = other->FindPage(pszPage);
        ASSERT_NE(nullptr, pPasted) << pszPage;
        EXPECT_EQ(PX_PAGE_SUPERBLOCK, pPasted->GetKind());
        PowerBlock* pAsk2 = pPasted->FindBlockByName("Ask");
        ASSERT_NE(nullptr, pAsk2) << pszPage;
        EXPECT_NE(nullptr, pPasted->FindBlockByName("Begin"));
        ASSERT_NE(nullptr, GotoOf(pAsk2, "1"));
        EXPECT_EQ(pPasted->FindBlockByName("Day"), GotoOf(pAsk2, "1")->GetTarget());
        ExpectModelMatches(other.get());
    }
    // The second paste's call calls the second page.
    PowerBlock* pCall1 = pOtherMain->FindBlockByName("CallSub1");
    ASSERT_NE(nullptr, pCall1);
    EXPECT_STREQ("Sub2", pCall1->GetCustomType());
    EXPECT_STREQ("Sub1", pOtherMain->FindBlockByName("CallSub")->GetCustomType());
}

TEST_F(ClipboardTest, CallPastedIntoItsOwnProgramCallsTheSamePage)
{
    Page* pSub = AddPage(program.get(), "Sub1", PX_PAGE_SUPERBLOCK);
    AddBlock(pSub, 402, "Ask", 200, 100);
    PowerBlock* pCall = AddCall(pMain, "CallSub", "Sub1");
    ASSERT_EQ(0, Copy({pCall}, pMain));
    ASSERT_EQ(0, PasteAt(pMain, 500, 500));
    EXPECT_EQ(nullptr, program->FindPage("Sub2"));
    PowerBlock* pCall1 = pMain->FindBlockByName("CallSub1");
    ASSERT_NE(nullptr, pCall1);
    EXPECT_STREQ("Sub1", pCall1->GetCustomType());
    ExpectModelMatches(program.get());
}

TEST_F(ClipboardTest, VerificationPageCopiedAndPastedAsAPage)
{
    Page* pCheck = AddPage(program.get(), "Check", PX_PAGE_VERIFICATION);
    PowerBlock* pAsk = AddBlock(pCheck, 402, "Ask", 200, 100);
    ASSERT_NE(nullptr, pAsk->Connect(pCheck->FindBlockByName("Success"), "1", 0));
    pCheck->SetComment("Checks the caller");

    // As the page dialogs copy a page.
    clip->Clear();
    clip->SetCopiedPage(pCheck);
    ASSERT_EQ(0, clip->CopyPage(pCheck, pMain));
    clip->CopyGotos(pMain);
    program->Activate();
    ASSERT_EQ(0, kvrPageToCopy("Check", 0));
    clip->SetCopyKind(PX_CLIP_KIND_PAGE);
    ASSERT_NE(nullptr, clip->GetCopiedPage());
    EXPECT_STREQ("Check", clip->GetCopiedPage()->GetName());
    EXPECT_EQ(1, kvrCanIPaste(1));

    kvrSetupPasteSuperVerBlock(1);
    int nResult = clip->Paste(pMain, nullptr, 1);
    kvrSetupPasteSuperVerBlock(0);
    ASSERT_EQ(0, nResult);
    Page* pPasted = program->FindPage("Check1");
    ASSERT_NE(nullptr, pPasted);
    EXPECT_EQ(PX_PAGE_VERIFICATION, pPasted->GetKind());
    EXPECT_STREQ("Checks the caller", pPasted->GetComment());
    EXPECT_EQ(2, pPasted->CountBlocksOfType(KVR_PB_EXIT));
    PowerBlock* pAsk2 = pPasted->FindBlockByName("Ask");
    ASSERT_NE(nullptr, pAsk2);
    ASSERT_NE(nullptr, GotoOf(pAsk2, "1"));
    EXPECT_EQ(pPasted->FindBlockByName("Success"), GotoOf(pAsk2, "1")->GetTarget());
    // The page paste put no single blocks on the page "Main".
    EXPECT_EQ(nullptr, pMain->FindBlockByName("Ask"));
    ExpectModelMatches(program.get());
}

TEST_F(ClipboardTest, ExitBlockSetsTheEndBlockMark)
{
    Page* pSub = AddPage(program.get(), "Sub1", PX_PAGE_SUPERBLOCK);
    PowerBlock* pExit = AddBlock(pSub, KVR_PB_EXIT, "Out", 100, 100);
    ASSERT_EQ(0, Copy({pExit}, pSub));
    EXPECT_TRUE(clip->HasEndBlock());
    clip->Clear();
    EXPECT_FALSE(clip->HasEndBlock());
    EXPECT_EQ(PX_CLIP_NOSOURCE, clip->GetSourceProgramID());
    EXPECT_EQ(0, kvrCanIPaste(0));
}

TEST_F(ClipboardTest, ImportOfTheTargetApplicationIsRefusedAndOthersArePasted)
{
    MessageBoxRecorder boxes;
    SetAppID(program.get(), 5);
    PowerBlock* pHours = AddBlock(pMain, 395, "Day", 100, 100);
    (void)pHours;
    PowerBlockInfo info7, info8;
    PowerBlockIcon* pIcon = IconOf(KVR_PB_IMPORTED);
    ASSERT_NE(nullptr, pIcon);
    std::memcpy(&info7, pIcon->GetInfo(), sizeof(info7));
    std::memcpy(&info8, pIcon->GetInfo(), sizeof(info8));
    info7.name = "HOURS.7";
    info8.name = "NIGHT.8";
    int nRetry = 1;
    PowerBlock* p7 = new PowerBlock(pMain, "Hours", &info7, pIcon, 200, 100, &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(p7->HasHandle());
    pMain->AddObject(p7);
    PowerBlock* p8 = new PowerBlock(pMain, "Night", &info8, pIcon, 300, 100, &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(p8->HasHandle());
    pMain->AddObject(p8);
    ASSERT_EQ(0, Copy({p7, p8}, pMain));

    other.reset(NewProgram());
    SetAppID(other.get(), 7);
    Page* pOtherMain = other->GetMainPage();
    ASSERT_EQ(0, PasteAt(pOtherMain, 100, 100));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("AppID = 7"));
    EXPECT_EQ(nullptr, pOtherMain->FindBlockByName("Hours"));
    EXPECT_NE(nullptr, pOtherMain->FindBlockByName("Night"));
    other->Activate();
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Hours", 1, 0));
    ExpectModelMatches(other.get());
    // The library of the pasted block came along, each by its own name;
    // the application's own did not.
    char libraries[4][KVR_MAX_RLL_NAME] = {};
    ASSERT_EQ(1, kvrGetRLList(other->GetHandle(), libraries, 4));
    EXPECT_STREQ("NIGHT.8", libraries[0]);
    EXPECT_NE(nullptr, other->FindLibraryGroup("Imported Applications"));
}

TEST_F(ClipboardTest, BlocksPasteOntoASuperBlockPageUnderItsQualifiedNames)
{
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 200);
    PowerBlock* pDay = AddBlock(pMain, 395, "Day", 400, 260);
    ASSERT_NE(nullptr, pMenu->Connect(pDay, "1", 0));
    ASSERT_NE(nullptr, pMenu->Connect(pMain->FindBlockByName("End"), "3", 0));
    Page* pSub = AddPage(program.get(), "Sub1", PX_PAGE_SUPERBLOCK);
    AddBlock(pSub, 395, "Day", 100, 100);
    ASSERT_EQ(0, Copy({pMenu, pDay}, pMain));

    ASSERT_EQ(0, PasteAt(pSub, 0, 0));
    PowerBlock* pMenu1 = pSub->FindBlockByName("Menu1");
    PowerBlock* pDay1 = pSub->FindBlockByName("Day1");
    ASSERT_NE(nullptr, pMenu1);
    ASSERT_NE(nullptr, pDay1);
    program->Activate();
    EXPECT_EQ(pMenu1->GetHandle(), kvrFindPowerBlock("Sub1$Menu1", 1, 0));
    ASSERT_NE(nullptr, GotoOf(pMenu1, "1"));
    EXPECT_EQ(pDay1, GotoOf(pMenu1, "1")->GetTarget());
    // The page has no End block: that goto goes nowhere.
    EXPECT_EQ(nullptr, GotoOf(pMenu1, "3"));
    ExpectModelMatches(program.get());

    // And back from the page onto "Main".
    ASSERT_EQ(0, Copy({pMenu1, pDay1}, pSub));
    ASSERT_EQ(0, PasteAt(pMain, 0, 0));
    EXPECT_NE(nullptr, pMain->FindBlockByName("Menu2"));
    EXPECT_NE(nullptr, pMain->FindBlockByName("Day1"));
    ExpectModelMatches(program.get());
}
