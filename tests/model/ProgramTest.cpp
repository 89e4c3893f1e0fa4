// Programs and pages: registration, default blocks and their places, object
// IDs, the modified flag and removal of pages and blocks.
#include "ModelTestSupport.h"
#include "ModelRes.h"
#include "PXTextUI.h"

#include <cstring>
#include <memory>

namespace
{
struct Place
{
    const char* pszName;
    int nType;
    long x;
    long y;
};

void ExpectBlocksAt(Page* pPage, const Place* pPlaces, int nCount)
{
    EXPECT_EQ(nCount, static_cast<int>(pPage->GetBlocks().getItemsInContainer()));
    for (int i = 0; i < nCount; ++i)
    {
        PowerBlock* pBlock = pPage->FindBlockByName(pPlaces[i].pszName);
        ASSERT_NE(nullptr, pBlock) << pPlaces[i].pszName;
        EXPECT_EQ(pPlaces[i].nType, pBlock->GetType()) << pPlaces[i].pszName;
        EXPECT_EQ(pPlaces[i].x, pBlock->GetX()) << pPlaces[i].pszName;
        EXPECT_EQ(pPlaces[i].y, pBlock->GetY()) << pPlaces[i].pszName;
    }
}
}

TEST_F(ModelTest, NewProgramHasMainWithDefaultBlocksAtSnappedPlaces)
{
    MessageBoxRecorder boxes;
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    ASSERT_NE(nullptr, pMain);
    EXPECT_STREQ("Main", pMain->GetName());
    // The settings' places (50, 50), (50, 500), (200, 420), (50, 420), with
    // x cut to a multiple of 34 and y to a multiple of 17.
    const Place places[] = {
        {"Begin", 142, 34, 34}, {"End", 396, 34, 493}, {"Attendant", 394, 170, 408}, {"Rotary", 408, 34, 408},
    };
    ExpectBlocksAt(pMain, places, 4);

    PowerBlock* pRotary = pMain->FindBlockByName("Rotary");
    PowerBlock* pAttendant = pMain->FindBlockByName("Attendant");
    Goto* pDone = pRotary->FindGoto("Done");
    ASSERT_NE(nullptr, pDone);
    EXPECT_EQ(pAttendant, pDone->GetTarget());
    EXPECT_TRUE(pDone->IsRerouteMarked());
    // The model leads the attendant's "Rotary" output to the Rotary Dial
    // block; the goto made from it carries the loading marks.
    Goto* pBack = pAttendant->FindGoto("Rotary");
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(pRotary, pBack->GetTarget());
    EXPECT_TRUE(pBack->HasFlag(GOTO_FLAG_LABELSTUB));
    EXPECT_FALSE(pBack->HasFlag(GOTO_FLAG_FROMMODEL));
    EXPECT_TRUE(program->IsModified());
    EXPECT_TRUE(boxes.boxes.empty());
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, DefaultPlacesComeFromTheSettingsFile)
{
    const char* pszSection = "Default Positions";
    WritePrivateProfileStringA(pszSection, "Start X", "100", GetModelSettings().strSettingsFile);
    WritePrivateProfileStringA(pszSection, "Start Y", "210", GetModelSettings().strSettingsFile);
    WritePrivateProfileStringA(pszSection, "Failure Y", "300", GetModelSettings().strSettingsFile);
    Page::ForgetDefaultPositions();
    std::unique_ptr<Program> program(NewProgram());
    Page* pVerify = new Page(program.get(), "Check", PX_PAGE_VERIFICATION, 0);
    program->AddPage(pVerify);
    EXPECT_EQ(1, pVerify->AddDefaultBlocks(PX_PAGE_VERIFICATION));
    WritePrivateProfileStringA(pszSection, nullptr, nullptr, GetModelSettings().strSettingsFile);
    Page::ForgetDefaultPositions();

    PowerBlock* pBegin = program->GetMainPage()->FindBlockByName("Begin");
    EXPECT_EQ(68, pBegin->GetX());
    EXPECT_EQ(204, pBegin->GetY());
    PowerBlock* pFailure = pVerify->FindBlockByName("Failure");
    EXPECT_EQ(476, pFailure->GetX());
    EXPECT_EQ(289, pFailure->GetY());
}

TEST_F(ModelTest, SuperBlockAndVerificationPagesGetTheirDefaultBlocks)
{
    std::unique_ptr<Program> program(NewProgram());
    struct Case
    {
        const char* pszPage;
        int nKind;
        Place places[3];
        int nPlaces;
    } cases[] = {
        {"Super1", PX_PAGE_SUPERBLOCK, {{"Begin", 142, 34, 34}}, 1},
        {"Verify1", PX_PAGE_VERIFICATION, {{"Begin", 142, 34, 34}, {"Success", 181, 476, 34}, {"Failure", 181, 476, 136}}, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszPage);
        Page* pPage = new Page(program.get(), c.pszPage, c.nKind, 0);
        ASSERT_TRUE(pPage->HasHandle());
        program->AddPage(pPage);
        EXPECT_EQ(1, pPage->AddDefaultBlocks(c.nKind));
        ExpectBlocksAt(pPage, c.places, c.nPlaces);
        EXPECT_EQ(pPage, program->FindPage(c.pszPage));
        ExpectModelMatches(program.get());
    }
    EXPECT_EQ(0, program->AllPagesFinished(2));
}

TEST_F(ModelTest, AllPagesFinishedModeTwoLooksOnlyAtThePages)
{
    std::unique_ptr<Program> program(NewProgram());
    EXPECT_EQ(1, program->AllPagesFinished(2));
    Page* pPage = new Page(program.get(), "Sub", PX_PAGE_SUPERBLOCK, 0);
    program->AddPage(pPage);
    EXPECT_EQ(0, program->AllPagesFinished(2));
}

TEST_F(ModelTest, RefusedPageIsReportedAndMakesNoModelCall)
{
    std::unique_ptr<Program> program(NewProgram());
    MessageBoxRecorder boxes;
    // A page may not take the name of a block or another page.
    const char* names[] = {"Main", "Rotary", "Bad$Name"};
    for (const char* pszName : names)
    {
        SCOPED_TRACE(pszName);
        boxes.boxes.clear();
        std::unique_ptr<Page> page(new Page(program.get(), pszName, PX_PAGE_SUPERBLOCK, 0));
        EXPECT_FALSE(page->HasHandle());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_NE(std::string::npos, boxes.boxes[0].text.find(pszName));
        page.reset();
        // The page "Main" is still registered.
        ExpectModelMatches(program.get());
    }
}

TEST_F(ModelTest, ObjectIdsAreGivenLazilyAndKeepGrowing)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pBegin = pMain->FindBlockByName("Begin");
    PowerBlock* pEnd = pMain->FindBlockByName("End");
    EXPECT_EQ(0, pBegin->PeekID());
    long nFirst = pBegin->GetID();
    EXPECT_EQ(1, nFirst);
    EXPECT_EQ(nFirst, pBegin->GetID());
    EXPECT_EQ(2, pEnd->GetID());
    EXPECT_EQ(0, pMain->PeekID());
    EXPECT_EQ(2, program->GetIDCounter());

    // A loaded counter of 40: the next number is 41.
    program->SetIDCounter(40);
    EXPECT_EQ(41, pMain->GetID());
    EXPECT_EQ(41, program->GetIDCounter());
}

TEST_F(ModelTest, IdentityAndClassNumbers)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pA = AddBlock(pMain, 402, "MenuA");
    PowerBlock* pB = AddBlock(pMain, 402, "MenuB");
    EXPECT_FALSE(pA->isEqual(*pB));
    EXPECT_TRUE(pA->isEqual(*pA));
    EXPECT_STREQ("KVROBJECT", pA->nameOf());
    EXPECT_EQ(356u, program->isA());
    EXPECT_EQ(357u, pMain->isA());
    EXPECT_EQ(358u, pA->isA());
    EXPECT_EQ(363u, pA->GetGotoBlocks()[0].isA());
    EXPECT_TRUE(pA->IsProgramObject());
    EXPECT_EQ(program.get(), pA->GetProgram());
    EXPECT_EQ(pMain, pA->GetPage());
    EXPECT_EQ(nullptr, program->GetPage());
}

TEST_F(ModelTest, RemovingBlocksAndPagesKeepsTheModelInStep)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 100);
    PowerBlock* pAnnounce = AddBlock(pMain, 393, "Hello", 300, 300);
    PowerBlock* pBegin = pMain->FindBlockByName("Begin");
    ASSERT_NE(nullptr, pBegin->Connect(pMenu, "Start", 0));
    ASSERT_NE(nullptr, pMenu->Connect(pAnnounce, "No response", 0));
    ASSERT_NE(nullptr, pAnnounce->Connect(pMenu, "Done", 0));
    pAnnounce->SyncGotos(0, 0, 0);  // the model led "Rotary" to the Rotary Dial block
    ExpectModelMatches(program.get());

    // The block goes with the gotos that end at it and those that leave it.
    pMain->RemoveBlock(pMenu);
    EXPECT_EQ(nullptr, pMain->FindBlockByName("Menu1"));
    EXPECT_EQ(nullptr, pBegin->FindGoto("Start"));
    EXPECT_EQ(nullptr, pAnnounce->FindGoto("Done"));
    ExpectModelMatches(program.get());

    Page* pSub = new Page(program.get(), "Sub", PX_PAGE_SUPERBLOCK, 0);
    program->AddPage(pSub);
    pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK);
    ExpectModelMatches(program.get());
    program->ClearModified();
    program->RemovePage(pSub);
    EXPECT_TRUE(program->IsModified());
    EXPECT_EQ(nullptr, kvrFindPage("Sub"));
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, DestroyingAProgramRemovesItFromTheModel)
{
    Program* pProgram = NewProgram();
    kvrHandleType* hMain = pProgram->GetMainPage()->GetHandle();
    ASSERT_NE(nullptr, hMain);
    delete pProgram;
    // The model program is gone with its pages and blocks.
    EXPECT_NE(0, kvrActivatePage(hMain));
}

TEST_F(ModelTest, TextNotesHoldTextAndMarkTheProgramModified)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PXTextUI* pNote = new PXTextUI(pMain, 10, 200, 20, 80, nullptr);
    pMain->AddNote(pNote);
    long l, r, t, b;
    pNote->GetRect(l, r, t, b);
    EXPECT_EQ(10, l);
    EXPECT_EQ(200, r);
    EXPECT_EQ(20, t);
    EXPECT_EQ(80, b);
    EXPECT_STREQ("", pNote->GetText());
    EXPECT_EQ(368u, pNote->isA());
    EXPECT_EQ(program.get(), pNote->GetProgram());

    program->ClearModified();
    pNote->SetRect(1, 2, 3, 4);
    EXPECT_TRUE(program->IsModified());
    program->ClearModified();
    std::string strLong(3000, 'x');
    pNote->SetText(strLong.c_str());
    EXPECT_TRUE(program->IsModified());
    EXPECT_EQ(static_cast<size_t>(PX_TEXTNOTE_MAX), std::strlen(pNote->GetText()));

    pMain->RemoveNote(pNote);
    EXPECT_TRUE(pMain->GetNotes().isEmpty());
}

TEST_F(ModelTest, LibraryGroupHoldsOneIconPerImportedLibrary)
{
    std::unique_ptr<Program> program(NewProgram());
    kvrHandleType* hProgram = program->GetHandle();
    auto iconNames = [&]() {
        std::vector<std::string> names;
        if (program->GetLibraryGroups().isEmpty())
            return names;
        GroupIcon& group = static_cast<GroupIcon&>(program->GetLibraryGroups().peekHead());
        ListIterator it(group.GetIcons());
        while (it)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(it++);
            EXPECT_EQ(409, icon.GetInfo()->type);
            names.push_back(icon.GetName());
        }
        return names;
    };

    program->LoadRllIcons("");
    EXPECT_TRUE(program->GetLibraryGroups().isEmpty());
    ASSERT_NE(0, kvrImportRLL(hProgram, "Orders.12", nullptr));
    program->LoadRllIcons("Orders.12");
    ASSERT_NE(0, kvrImportRLL(hProgram, "Billing.7", nullptr));
    program->LoadRllIcons("Billing.7");
    EXPECT_EQ(1u, program->GetLibraryGroups().getItemsInContainer());
    EXPECT_EQ((std::vector<std::string>{"Orders.12", "Billing.7"}), iconNames());
    GroupIcon* pGroup = program->FindLibraryGroup("Imported Applications");
    ASSERT_NE(nullptr, pGroup);
    EXPECT_TRUE(pGroup->IsShownInPalette());
    EXPECT_STREQ("RLL", pGroup->GetBitmapName());

    // An imported-application block finds its library's icon.
    PowerBlock* pRun = AddBlock(program->GetMainPage(), 409, "RunOrders");
    pRun->SetCustomType("Orders.12");
    pRun->Refresh(0);
    EXPECT_STREQ("Orders.12", pRun->GetInfo()->name);
    EXPECT_EQ(pGroup->FindByName("Orders.12"), pRun->GetIcon());

    // Rebuilt from the model's list; the block shows the new icon.
    program->RefreshRllIcons();
    EXPECT_EQ(1u, program->GetLibraryGroups().getItemsInContainer());
    EXPECT_EQ((std::vector<std::string>{"Orders.12", "Billing.7"}), iconNames());
    pGroup = program->FindLibraryGroup("Imported Applications");
    EXPECT_EQ(pGroup->FindByName("Orders.12"), pRun->GetIcon());

    // Removed one by one: the group goes with the last.
    ASSERT_EQ(0, kvrRemoveRLL(hProgram, "BILLING.7"));
    program->LoadRllIconsFor();
    EXPECT_EQ((std::vector<std::string>{"Orders.12"}), iconNames());
    ASSERT_EQ(0, kvrRemoveRLL(hProgram, "ORDERS.12"));
    program->LoadRllIconsFor();
    EXPECT_TRUE(program->GetLibraryGroups().isEmpty());
    // Its library gone, the block keeps its description and shows the
    // palette's icon.
    EXPECT_STREQ("Orders.12", pRun->GetInfo()->name);
    EXPECT_EQ(IconOf(409), pRun->GetIcon());
    program->RefreshRllIcons();
    EXPECT_TRUE(program->GetLibraryGroups().isEmpty());
}

// The program's SuperBlock and Verification Block groups list one icon per
// page of their kind, by name; an icon whose page stays is the same object
// after the groups are made again, and a block calling a page shows its
// page's icon.
TEST_F(ModelTest, PageGroupsHoldOneIconPerSuperBlockAndVerificationBlock)
{
    std::unique_ptr<Program> program(NewProgram());
    auto iconNames = [&](int nGroup) {
        std::vector<std::string> names;
        GroupIcon* pGroup = program->GetSuperBlockGroup(nGroup);
        if (!pGroup)
            return names;
        for (ListIterator it(pGroup->GetIcons()); it; ++it)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(it.current());
            EXPECT_EQ(KVR_PB_SUPERCALL, icon.GetInfo()->type);
            names.push_back(icon.GetName());
        }
        return names;
    };
    auto addPage = [&](const char* pszName, int nKind) {
        Page* pPage = new Page(program.get(), pszName, nKind, 0);
        EXPECT_TRUE(pPage->HasHandle()) << pszName;
        program->AddPage(pPage);
        EXPECT_EQ(1, pPage->AddDefaultBlocks(nKind)) << pszName;
        return pPage;
    };

    EXPECT_EQ(nullptr, program->GetSuperBlockGroup(0));
    program->RefreshPageIcons();
    ASSERT_NE(nullptr, program->GetSuperBlockGroup(0));
    ASSERT_NE(nullptr, program->GetSuperBlockGroup(1));
    EXPECT_STREQ("SuperBlocks", program->GetSuperBlockGroup(0)->GetName());
    EXPECT_STREQ("Verification Blocks", program->GetSuperBlockGroup(1)->GetName());
    EXPECT_TRUE(program->GetSuperBlockGroup(0)->IsShownInPalette());
    EXPECT_TRUE(iconNames(0).empty());
    EXPECT_TRUE(iconNames(1).empty());

    addPage("Orders", PX_PAGE_SUPERBLOCK);
    Page* pBilling = addPage("Billing", PX_PAGE_SUPERBLOCK);
    addPage("Check", PX_PAGE_VERIFICATION);
    program->RefreshPageIcons();
    EXPECT_EQ((std::vector<std::string>{"Billing", "Orders"}), iconNames(0));
    EXPECT_EQ(std::vector<std::string>{"Check"}, iconNames(1));
    PowerBlockIcon* pOrders = program->GetSuperBlockGroup(0)->FindByName("Orders");
    ASSERT_NE(nullptr, pOrders);

    // The icon places a block that calls its page.
    Page* pMain = program->GetMainPage();
    pMain->Activate();
    int nRetry = 1;
    PowerBlock* pCall = new PowerBlock(pMain, "CallOrders", pOrders->GetInfo(), pOrders, 400, 100, &nRetry,
                                       nullptr, 0, nullptr);
    ASSERT_TRUE(pCall->HasHandle());
    pMain->AddObject(pCall);
    EXPECT_EQ(KVR_PB_SUPERCALL, pCall->GetType());
    EXPECT_STREQ("Orders", pCall->GetCustomType());
    EXPECT_STREQ("Orders", kvrGetSBName(pCall->GetHandle()));
    EXPECT_EQ(1, kvrPageInUse(program->FindPage("Orders")->GetHandle()));

    // A page removed: its icon goes, the others stay the same objects.
    program->RemovePage(pBilling);
    program->RefreshPageIcons();
    EXPECT_EQ(std::vector<std::string>{"Orders"}, iconNames(0));
    EXPECT_EQ(pOrders, program->GetSuperBlockGroup(0)->FindByName("Orders"));
    EXPECT_EQ(pOrders, pCall->GetIcon());
    EXPECT_EQ(pOrders->GetInfo(), pCall->GetInfo());
}
