// ZirirAradur: the block-type table, creation of every type, names, the
// visibility sets, output groups and keeping gotos in step with the model.
#include "ModelTestSupport.h"
#include "ModelRes.h"
#include "PXUIMsg.h"
#include "PXSObj.h"
#include "PXTestSdoHost.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

TEST(PowerBlockTypeTest, ResourceIdsByType)
{
    const struct
    {
        int nType;
        int nId;
    } cases[] = {
        {142, 23013}, {393, 23002}, {402, 23001}, {408, 23014}, {409, 23015}, {415, 23025},
        {289, 23026}, {181, 23026}, {0, 23026}, {-100, 23026},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nId, PowerBlockType::ResourceId(c.nType)) << c.nType;
}

TEST(PowerBlockSetTest, OutputNumbersMapToBytesAndBitsWithinTheSets)
{
    PowerBlock block;
    const struct
    {
        int nNumber;
        int nByte;
        unsigned char bit;
    } cases[] = {{1, 0, 0x01}, {8, 0, 0x80}, {9, 1, 0x01}, {17, 2, 0x01}, {40, 4, 0x80}};
    for (const auto& c : cases)
    {
        std::memset(block.GetVisibleSet(), 0, PB_SET_BYTES);
        block.SetVisible(c.nNumber, true);
        EXPECT_EQ(c.bit, block.GetVisibleSet()[c.nByte]) << c.nNumber;
        EXPECT_TRUE(block.IsVisible(c.nNumber));
        block.SetVisible(c.nNumber, false);
        EXPECT_EQ(0, block.GetVisibleSet()[c.nByte]);
    }
    // Numbers outside 1..40 touch nothing and read as clear.
    const int bad[] = {0, -1, 41, 255};
    for (int n : bad)
    {
        std::memset(block.GetVisibleSet(), 0, PB_SET_BYTES);
        std::memset(block.GetExpandedSet(), 0xFF, PB_SET_BYTES);
        block.SetVisible(n, true);
        block.SetExpanded(n, false);
        for (int i = 0; i < PB_SET_BYTES; ++i)
        {
            EXPECT_EQ(0, block.GetVisibleSet()[i]) << n;
            EXPECT_EQ(0xFF, block.GetExpandedSet()[i]) << n;
        }
        EXPECT_FALSE(block.IsVisible(n));
        EXPECT_FALSE(block.IsExpanded(n));
    }
}

TEST_F(ModelTest, BlocksOfEveryTypeAreMadeRegisteredAndDeleted)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    std::vector<PowerBlock*> made;
    int nMade = 0;
    ListIterator groups(s_pIcons->GetGroups());
    while (groups)
    {
        GroupIcon& group = static_cast<GroupIcon&>(groups++);
        ListIterator icons(group.GetIcons());
        while (icons)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(icons++);
            int nType = icon.GetInfo()->type;
            char szName[32];
            std::snprintf(szName, sizeof(szName), "T%d_%d", nType, nMade++);
            PowerBlock* pBlock = AddBlock(pMain, nType, szName, 40 * nMade, 700);
            ASSERT_NE(nullptr, pBlock);
            EXPECT_EQ(icon.GetInfo()->numOutputs, pBlock->GetGotoBlocks().getItemsInContainer());
            EXPECT_FALSE(pBlock->OutputsChanged());
            if (nType == 409)
                EXPECT_STREQ(icon.GetInfo()->name, pBlock->GetCustomType());
            else
                EXPECT_STREQ("", pBlock->GetCustomType());
            pBlock->SyncGotos(0, 0, 0);  // the model's "Rotary" connections
            made.push_back(pBlock);
        }
    }
    EXPECT_GT(nMade, 20);
    ExpectModelMatches(program.get());
    for (PowerBlock* pBlock : made)
        pMain->RemoveBlock(pBlock);
    EXPECT_EQ(4, CountBlocks(program.get()));
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, TakenNameLeavesTheRetryFlagForAnotherName)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlockIcon* pIcon = IconOf(402);
    const struct
    {
        const char* pszName;
        bool bMade;
    } cases[] = {{"Rotary", false}, {"Bad$Name", false}, {"", false}, {"Fresh", true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        int nRetry = 1;
        std::unique_ptr<PowerBlock> block(
            new PowerBlock(pMain, c.pszName, pIcon->GetInfo(), pIcon, 0, 0, &nRetry, nullptr, 0, nullptr));
        EXPECT_EQ(c.bMade, block->HasHandle());
        EXPECT_EQ(c.bMade ? 0 : 1, nRetry);
        if (block->HasHandle())
        {
            block->SyncGotos(0, 0, 0);
            pMain->AddObject(block.release());
        }
        ExpectModelMatches(program.get());
    }
}

TEST_F(ModelTest, RenameFollowsTheModel)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1");
    const struct
    {
        const char* pszNew;
        int nResult;
        const char* pszAfter;
    } cases[] = {
        {"Rotary", 0, "Menu1"},
        {"Has$Dollar", 0, "Menu1"},
        {"Choices", 1, "Choices"},
        {"Choices2", 1, "Choices2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszNew);
        program->ClearModified();
        int nDetail = -5;
        EXPECT_EQ(c.nResult, pMenu->Rename(c.pszNew, &nDetail));
        EXPECT_STREQ(c.pszAfter, pMenu->GetName());
        EXPECT_EQ(c.nResult == 1, program->IsModified());
        if (c.nResult == 1)
            EXPECT_EQ(0, nDetail);
        else
            EXPECT_NE(-5, nDetail);
        ExpectModelMatches(program.get());
    }
}

TEST_F(ModelTest, DeletionRules)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    Page* pVerify = new Page(program.get(), "Verify", PX_PAGE_VERIFICATION, 0);
    program->AddPage(pVerify);
    ASSERT_EQ(1, pVerify->AddDefaultBlocks(PX_PAGE_VERIFICATION));
    MessageBoxRecorder boxes;
    const char* refused[] = {"Begin", "End", "Rotary"};
    for (const char* pszName : refused)
        EXPECT_EQ(0, pMain->FindBlockByName(pszName)->CanDelete()) << pszName;
    EXPECT_EQ(1, pMain->FindBlockByName("Attendant")->CanDelete());
    EXPECT_TRUE(boxes.boxes.empty());

    // Two exits of a Verification Block: neither may go.
    EXPECT_EQ(0, pVerify->FindBlockByName("Success")->CanDelete());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("You cannot delete the End PowerBlock from a Verification Block.", boxes.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
    AddBlock(pVerify, 181, "Maybe");
    EXPECT_EQ(1, pVerify->FindBlockByName("Success")->CanDelete());
    EXPECT_EQ(1u, boxes.boxes.size());
}

TEST_F(ModelTest, SetPositionMarksGotosForRerouting)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pRotary = pMain->FindBlockByName("Rotary");
    PowerBlock* pAttendant = pMain->FindBlockByName("Attendant");
    pRotary->FindGoto("Done")->ClearFlag(GOTO_FLAG_REROUTE);
    pAttendant->FindGoto("Rotary")->ClearFlag(GOTO_FLAG_REROUTE);
    program->ClearModified();
    pAttendant->SetPosition(340, 170);
    EXPECT_EQ(340, pAttendant->GetX());
    EXPECT_TRUE(pRotary->FindGoto("Done")->IsRerouteMarked());       // ends at the block
    EXPECT_TRUE(pAttendant->FindGoto("Rotary")->IsRerouteMarked());  // leaves the block
    EXPECT_TRUE(program->IsModified());
}

TEST_F(ModelTest, GroupMembersStartHiddenAndGroupsExpandAndCollapse)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pDay = AddBlock(pMain, 395, "Days");
    PowerBlock* pA = AddBlock(pMain, 393, "A");
    PowerBlock* pB = AddBlock(pMain, 393, "B");
    pA->SyncGotos(0, 0, 0);
    pB->SyncGotos(0, 0, 0);
    auto number = [&](const char* psz) { return pDay->FindOutput(psz)->number; };
    const int nWeekdays = number("Weekdays"), nWeekend = number("Weekend");
    EXPECT_TRUE(pDay->IsVisible(nWeekdays));
    EXPECT_TRUE(pDay->IsVisible(nWeekend));
    EXPECT_FALSE(pDay->IsVisible(number("Monday")));
    EXPECT_FALSE(pDay->IsVisible(number("Sunday")));

    pDay->ShowGroup(1);
    EXPECT_FALSE(pDay->IsVisible(nWeekdays));
    EXPECT_TRUE(pDay->IsExpanded(nWeekdays));
    const char* weekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};
    for (const char* psz : weekdays)
        EXPECT_TRUE(pDay->IsVisible(number(psz))) << psz;
    EXPECT_FALSE(pDay->IsVisible(number("Saturday")));

    // Members that go nowhere have a common target (none): the group
    // collapses without a goto.
    PowerBlock* pTarget = reinterpret_cast<PowerBlock*>(1);
    EXPECT_EQ(1, pDay->CommonTarget(1, &pTarget));
    EXPECT_EQ(nullptr, pTarget);
    EXPECT_EQ(1, pDay->HideGroup(1));
    EXPECT_TRUE(pDay->IsVisible(nWeekdays));
    EXPECT_FALSE(pDay->IsExpanded(nWeekdays));
    EXPECT_FALSE(pDay->IsVisible(number("Monday")));
    EXPECT_EQ(nullptr, pDay->FindGoto("Weekdays"));

    // Members to different blocks refuse to collapse.
    pDay->ShowGroup(1);
    ASSERT_NE(nullptr, pDay->Connect(pA, "Monday", 0));
    ASSERT_NE(nullptr, pDay->Connect(pB, "Tuesday", 0));
    EXPECT_EQ(0, pDay->CommonTarget(1, nullptr));
    EXPECT_EQ(0, pDay->HideGroup(1));
    EXPECT_TRUE(pDay->IsExpanded(nWeekdays));

    // All to the same block: the group output gets one goto there, known
    // only to the editor.
    pDay->RemoveGoto(pDay->FindGoto("Tuesday"));
    for (const char* psz : weekdays)
    {
        if (!pDay->FindGoto(psz))
        {
            ASSERT_NE(nullptr, pDay->Connect(pA, psz, 0)) << psz;
        }
    }
    EXPECT_EQ(1, pDay->HideGroup(1));
    Goto* pGroupGoto = pDay->FindGoto("Weekdays");
    ASSERT_NE(nullptr, pGroupGoto);
    EXPECT_EQ(pA, pGroupGoto->GetTarget());
    EXPECT_TRUE(pGroupGoto->HasFlag(GOTO_FLAG_GROUP));
    ExpectModelMatches(program.get());

    // A member led elsewhere behind the group's back: the collapsed group
    // disagrees; checking says so, expanding opens it.
    kvrCreateGoto(pDay->GetHandle(), pB->GetHandle(), pDay->ModelIndexOf("Friday"));
    EXPECT_EQ(1, pDay->SyncGotos(1, 1, 0));
    EXPECT_EQ(pA, pDay->FindGoto("Friday")->GetTarget());
    EXPECT_EQ(1, pDay->SyncGotos(0, 1, 0));
    EXPECT_EQ(pB, pDay->FindGoto("Friday")->GetTarget());
    EXPECT_TRUE(pDay->IsExpanded(nWeekdays));
    EXPECT_EQ(0, pDay->SyncGotos(1, 1, 0));
    ExpectModelMatches(program.get());

    // Removing the group output's goto with its group takes the members' too.
    pDay->ShowGroup(2);
    ASSERT_NE(nullptr, pDay->Connect(pB, "Weekend", 0));
    EXPECT_EQ(pB, pDay->FindGoto("Saturday")->GetTarget());
    EXPECT_EQ(pB, pDay->FindGoto("Sunday")->GetTarget());
    ExpectModelMatches(program.get());
    pDay->RemoveGotoWithGroup(pDay->FindGoto("Weekend"));
    EXPECT_EQ(nullptr, pDay->FindGoto("Saturday"));
    EXPECT_EQ(nullptr, pDay->FindGoto("Sunday"));
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, SyncGotosCheckOnlyReportsWithoutChanging)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pBegin = pMain->FindBlockByName("Begin");
    PowerBlock* pEnd = pMain->FindBlockByName("End");
    EXPECT_EQ(0, pBegin->SyncGotos(1, 0, 0));
    ASSERT_EQ(0, kvrCreateGoto(pBegin->GetHandle(), pEnd->GetHandle(), 0));
    program->ClearModified();
    EXPECT_EQ(1, pBegin->SyncGotos(1, 0, 0));
    EXPECT_EQ(nullptr, pBegin->FindGoto("Start"));
    EXPECT_FALSE(program->IsModified());

    // Loading marks: a stub with a label, not yet looked at.
    EXPECT_EQ(1, pBegin->SyncGotos(0, 0, 1));
    Goto* pStart = pBegin->FindGoto("Start");
    ASSERT_NE(nullptr, pStart);
    EXPECT_EQ(pEnd, pStart->GetTarget());
    EXPECT_TRUE(pStart->HasFlag(GOTO_FLAG_LABELSTUB));
    EXPECT_TRUE(pStart->HasFlag(GOTO_FLAG_FROMMODEL));
    EXPECT_FALSE(Goto::IsSelectableAlone(pStart));
    EXPECT_TRUE(program->IsModified());
    ExpectModelMatches(program.get());

    // The model's connection removed: the goto goes too.
    kvrDeleteGoto(pBegin->GetHandle(), "Start");
    EXPECT_EQ(1, pBegin->SyncGotos(0, 0, 0));
    EXPECT_EQ(nullptr, pBegin->FindGoto("Start"));
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, RotaryOutputStubStaysShownAndSyncOutputsFollowsTheSets)
{
    std::unique_ptr<Program> program(NewProgram());
    PowerBlock* pMenu = AddBlock(program->GetMainPage(), 402, "Menu1");
    // Clear every visible bit: only the stub of "Rotary" stays shown.
    std::memset(pMenu->GetVisibleSet(), 0, PB_SET_BYTES);
    pMenu->SyncOutputs();
    for (int i = 0; i < pMenu->GetOutputCount(); ++i)
    {
        const char* pszName = pMenu->GetInfo()->outputs[i].name;
        EXPECT_EQ(std::strcmp(pszName, "Rotary") == 0, pMenu->FindGotoBlock(pszName)->IsShown()) << pszName;
    }
    pMenu->RepairOutputs();
    pMenu->SyncOutputs();
    EXPECT_TRUE(pMenu->FindGotoBlock("Choices")->IsShown());
    EXPECT_FALSE(pMenu->FindGotoBlock("1")->IsShown());
    EXPECT_TRUE(pMenu->FindGotoBlock("No response")->IsShown());
}

namespace
{
struct SentMessage
{
    UINT uMsg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<SentMessage> g_sent;

LRESULT CALLBACK MainProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg >= WM_USER)
        g_sent.push_back({uMsg, wParam, lParam});
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
}

TEST_F(ModelTest, TheMainWindowHearsOfNamesConnectionsAndTheCurrentBlock)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PXMAINTEST";
    RegisterClassA(&wc);
    HWND hMain = CreateWindowA("PXMAINTEST", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hMain);
    PXSetMainWindow(hMain);

    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1");
    g_sent.clear();
    ASSERT_EQ(1, pMenu->Rename("Menu2", nullptr));
    ASSERT_NE(nullptr, pMenu->Connect(pMain->FindBlockByName("End"), "No response", 0));
    ASSERT_EQ(2u, g_sent.size());
    for (const SentMessage& m : g_sent)
    {
        EXPECT_EQ(static_cast<UINT>(WM_UI_BLOCKCHANGED), m.uMsg);
        EXPECT_EQ(0u, m.wParam);
        EXPECT_EQ(1, m.lParam);
    }
    // A refused rename says nothing.
    g_sent.clear();
    EXPECT_EQ(0, pMenu->Rename("Rotary", nullptr));
    EXPECT_TRUE(g_sent.empty());

    // The block with the current-block mark makes the frame forget it.
    pMenu->SetFlags(pMenu->GetFlags() | PB_FLAG_CURRENT);
    pMain->RemoveBlock(pMenu);
    ASSERT_EQ(1u, g_sent.size());
    EXPECT_EQ(static_cast<UINT>(WM_UI_BLOCKREQUEST), g_sent[0].uMsg);
    EXPECT_EQ(static_cast<WPARAM>(-1), g_sent[0].wParam);
    EXPECT_EQ(0, g_sent[0].lParam);
    ExpectModelMatches(program.get());

    PXSetMainWindow(nullptr);
    DestroyWindow(hMain);
}

TEST_F(ModelTest, RefreshRereadsTheDescription)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1");
    PowerBlockInfo* pShared = pMenu->GetInfo();
    EXPECT_EQ(IconOf(402)->GetInfo(), pShared);

    // A plain type: the block takes a copy of its own, filled by the model.
    pMenu->ShowGroup(1);
    pMenu->Refresh(1);
    EXPECT_NE(pShared, pMenu->GetInfo());
    EXPECT_TRUE(pMenu->GetFlags() & PB_FLAG_PRIVATEINFO);
    EXPECT_EQ(402, pMenu->GetInfo()->type);
    EXPECT_EQ(pShared->numOutputs, pMenu->GetInfo()->numOutputs);
    EXPECT_FALSE(pMenu->IsExpanded(pMenu->FindOutput("Choices")->number));  // visibility reset
    EXPECT_FALSE(pMenu->OutputsChanged());

    // Page walks refresh by type, skipping blocks being destroyed.
    PowerBlock* pOther = AddBlock(pMain, 402, "Menu2");
    pOther->SetID(-1);
    program->RefreshBlocksOfType(402);
    EXPECT_FALSE(pOther->GetFlags() & PB_FLAG_PRIVATEINFO);
    pOther->SetID(0);
    program->RefreshBlocksOfType(402);
    EXPECT_TRUE(pOther->GetFlags() & PB_FLAG_PRIVATEINFO);

    // A SuperBlock call without its group: the shared default description.
    PowerBlock call;
    call.SetType(KVR_PB_SUPERCALL);
    call.SetCustomType("Nowhere");
    call.Refresh(0);
    ASSERT_NE(nullptr, call.GetInfo());
    EXPECT_EQ(KVR_PB_SUPERCALL, call.GetInfo()->type);
    EXPECT_NE(nullptr, call.GetIcon());
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, PageOfAnUnregisteredProgramIsRefused)
{
    MessageBoxRecorder boxes;
    Program bare;
    EXPECT_FALSE(bare.HasHandle());
    std::unique_ptr<Page> page(new Page(&bare, "Main", PX_PAGE_MAIN, 0));
    EXPECT_FALSE(page->HasHandle());
    EXPECT_EQ(1u, boxes.boxes.size());
}

namespace
{
// The controller's side of the block records: counts of item uses.
struct ItemUses : PXTestSdoHost
{
    void AddVoiceItemRef(short s) override { ++voice[s]; }
    void ReleaseVoiceItemRef(short s) override { --voice[s]; }
    void AddFaxItemRef(short s) override { ++fax[s]; }
    void ReleaseFaxItemRef(short s) override { --fax[s]; }
    int SelectImport(long l) override { ++lists[l]; return 0; }
    int RemoveListEntry(long l) override { --lists[l]; return 0; }
    int RefreshResPermList() override { return 0; }
    int RefreshImportList() override { return 0; }
    BOOL HasServerLists() override { return TRUE; }
    int FindResPermList(long) override { return 0; }
    int FindLanguage(long) override { return 0; }
    std::map<short, int> voice, fax;
    std::map<long, int> lists;
};

// A controller that cannot give up the use of one item.
struct FailingItemUses : ItemUses
{
    void ReleaseVoiceItemRef(short s) override
    {
        if (s == sFailing)
            throw PXException(1553, __FILE__, __LINE__);
        ItemUses::ReleaseVoiceItemRef(s);
    }
    short sFailing = 7;
};

void SetItemVar(int nType, const char* pszVar, PowerBlock* pBlock, const char* pszValue)
{
    char* p = static_cast<char*>(
        kvrSDOGetSymbolPtr(nType, pszVar, pBlock->GetHandle(), kvrSDOGetSymbolOffset(nType, pszVar)));
    ASSERT_NE(nullptr, p);
    lstrcpyA(p, pszValue);
}
}

TEST_F(ModelTest, TheModelHearsWhetherABlockIsFinished)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    // No outputs, no settings: finished as made.
    EXPECT_TRUE(pMain->FindBlockByName("End")->IsFinished());
    PowerBlock* pHello = AddBlock(pMain, 393, "Hello");
    EXPECT_FALSE(pHello->IsFinished());  // "Done" leads nowhere yet
    ASSERT_NE(nullptr, pHello->Connect(pMain->FindBlockByName("End"), "Done", 0));
    // Removing a goto checks again: "Rotary" may stay unconnected.
    Goto* pRotary = pHello->FindGoto("Rotary");
    ASSERT_NE(nullptr, pRotary);
    pHello->RemoveGoto(pRotary);
    EXPECT_TRUE(pHello->IsFinished());
    pHello->RemoveGoto(pHello->FindGoto("Done"));
    EXPECT_FALSE(pHello->IsFinished());
    EXPECT_FALSE(program->GetMainPage()->AllBlocksFinished());
    // A line deleted in the editor goes the same way, also when the block is
    // not drawn again before the program is saved.
    PowerBlock* pBye = AddBlock(pMain, 393, "Bye");
    ASSERT_NE(nullptr, pBye->Connect(pMain->FindBlockByName("End"), "Done", 0));
    pBye->RemoveGoto(pBye->FindGoto("Rotary"));
    ASSERT_TRUE(pBye->IsFinished());
    pBye->RemoveGotoWithGroup(pBye->FindGoto("Done"));
    EXPECT_FALSE(pBye->IsFinished());
    ExpectModelMatches(program.get());
}

TEST_F(ModelTest, ADeletedBlockGivesUpItsItemUsesButATornDownProgramDoesNot)
{
    ItemUses uses;
    PXSoftObj::Init(&uses);
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1");
    SetItemVar(402, "Menu choices", pMenu, "5");
    SetItemVar(402, "Invalid choice", pMenu, "7");
    PowerBlock* pKept = AddBlock(pMain, 402, "Menu2");
    SetItemVar(402, "Menu choices", pKept, "9");

    pMain->RemoveBlock(pMenu);
    EXPECT_EQ(-1, uses.voice[5]);
    EXPECT_EQ(-1, uses.voice[7]);
    EXPECT_EQ(0, uses.voice[9]);

    // The whole program goes: its removal covers every use.
    program.reset();
    EXPECT_EQ(0, uses.voice[9]);
    PXSoftObj::Leave(&uses);
}

TEST_F(ModelTest, ABlockThatCannotGiveUpAnItemUseIsDeletedAndTheFailureCounted)
{
    FailingItemUses uses;
    PXSoftObj::Init(&uses);
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1");
    SetItemVar(402, "Invalid choice", pMenu, "7");
    PowerBlock* pOther = AddBlock(pMain, 402, "Menu2");
    SetItemVar(402, "Menu choices", pOther, "5");
    const long nBefore = PowerBlock::GetReleaseFailures();

    pMain->RemoveBlock(pMenu);
    EXPECT_EQ(nBefore + 1, PowerBlock::GetReleaseFailures());
    EXPECT_EQ(nullptr, pMain->FindBlockByName("Menu1"));
    ExpectModelMatches(program.get());

    // A block whose uses all go adds nothing to the count.
    pMain->RemoveBlock(pOther);
    EXPECT_EQ(nBefore + 1, PowerBlock::GetReleaseFailures());
    EXPECT_EQ(-1, uses.voice[5]);
    ExpectModelMatches(program.get());
    program.reset();
    PXSoftObj::Leave(&uses);
}
