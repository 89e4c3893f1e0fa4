// The model's clipboard: copies of blocks and pages with their settings and
// the connections between them, pastes into the program copied from and
// into another, the new names of clashing pastes.
#include "PlexModelTest.h"

#include <string>

namespace {

class ClipboardTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        // The editor's clipboard program: its first page takes copied blocks.
        m_clip = kvrAddProgram(nullptr, 1);
        ASSERT_NE(nullptr, m_clip);
        ASSERT_EQ(KVR_OK, kvrActivateProgram(m_clip));
        ASSERT_NE(nullptr, kvrCreatePage("Clipboard", KVR_PAGE_NORMAL, 0));
        ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    }

    void TearDown() override
    {
        kvrEmptyClipboard();
        if (m_other)
            EXPECT_EQ(KVR_OK, kvrRemoveProgram(m_other));
        EXPECT_EQ(KVR_OK, kvrRemoveProgram(m_clip));
        ModelTest::TearDown();
    }

    // A second program with its main page, made current.
    kvrHandleType* OtherProgram()
    {
        m_other = kvrAddProgram(nullptr, 0);
        EXPECT_NE(nullptr, m_other);
        m_otherMain = kvrCreatePage("Main", KVR_PAGE_NORMAL, 0);
        EXPECT_NE(nullptr, m_otherMain);
        kvrActivatePage(m_otherMain);
        return m_other;
    }

    // Copies the blocks of the current page by name, as the editor does.
    void CopyBlocks(std::initializer_list<const char*> names)
    {
        ASSERT_EQ(KVR_OK, kvrSetClipType(KVR_CLIP_BLOCKS));
        for (const char* name : names)
            ASSERT_EQ(KVR_OK, kvrCopyZiriraradur(name)) << name;
    }

    // Copies a page of the current program: the clipboard's page first.
    void CopyPage(kvrHandleType* source, const char* page)
    {
        ASSERT_EQ(KVR_OK, kvrPageToCopy(page, 1));
        ASSERT_EQ(KVR_OK, kvrActivateProgram(m_clip));
        ASSERT_NE(nullptr, kvrCreatePage(page, KVR_PAGE_NORMAL, 1));
        ASSERT_EQ(KVR_OK, kvrActivateProgram(source));
        ASSERT_EQ(KVR_OK, kvrSetClipType(KVR_CLIP_PAGE));
        ASSERT_EQ(KVR_OK, kvrAddSymToClipboard(page));
        ASSERT_EQ(KVR_OK, kvrActivatePage(kvrFindPage(page)));
    }

    static std::string NewName(const char* name)
    {
        return kvrWhatIsNewName(name);
    }

    kvrHandleType* m_clip = nullptr;
    kvrHandleType* m_other = nullptr;
    kvrHandleType* m_otherMain = nullptr;
};

} // namespace

TEST_F(ClipboardTest, CopiesKeepSettingsAndConnectionsBetweenCopiesOnly)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* day = Block(395, "Day");
    kvrHandleType* left = Block(407, "Left");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, day, ConnIndex(menu, "1")));
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, left, ConnIndex(menu, "2")));
    int offset = kvrSDOGetSymbolOffset(402, "Max number of no responses");
    ASSERT_GE(offset, 0);
    long five = 5;
    std::memcpy(kvrSDOGetSymbolPtr(402, "Max number of no responses", menu, offset), &five, sizeof(five));

    CopyBlocks({"Menu1", "Day"});
    kvrHandleType* menuCopy = kvrFindPowerBlock("Menu1", 1, 1);
    kvrHandleType* dayCopy = kvrFindPowerBlock("Day", 1, 1);
    ASSERT_NE(nullptr, menuCopy);
    ASSERT_NE(nullptr, dayCopy);
    EXPECT_NE(menu, menuCopy);
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Left", 1, 1));
    EXPECT_EQ(dayCopy, kvrGetGotoConnection(menuCopy, ConnIndex(menu, "1")));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menuCopy, ConnIndex(menu, "2")));
    long copied = 0;
    std::memcpy(&copied, kvrSDOGetSymbolPtr(402, "Max number of no responses", menuCopy, offset), sizeof(copied));
    EXPECT_EQ(5, copied);
    // Copying the same block twice is refused; an unknown one too.
    EXPECT_EQ(KVR_ERR_INUSE, kvrCopyZiriraradur("Menu1"));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrCopyZiriraradur("Nobody"));
    EXPECT_EQ(1, kvrCanIPaste(0));
    EXPECT_EQ(0, kvrCanIPaste(1));

    // The order of copying does not matter: the later copy's connection
    // is made too.
    ASSERT_EQ(KVR_OK, kvrEmptyClipboard());
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 1));
    EXPECT_EQ(0, kvrCanIPaste(0));
    CopyBlocks({"Day", "Menu1"});
    EXPECT_EQ(kvrFindPowerBlock("Day", 1, 1),
              kvrGetGotoConnection(kvrFindPowerBlock("Menu1", 1, 1), ConnIndex(menu, "1")));
}

TEST_F(ClipboardTest, PasteIntoTheSameProgramRenamesClashingBlocks)
{
    kvrHandleType* menu = Block(402, "Menu9");
    kvrHandleType* day = Block(395, "Choices");
    Block(395, "Choices1");     // taken: the paste of "Choices" goes on to 2
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, day, ConnIndex(menu, "1")));
    CopyBlocks({"Menu9", "Choices"});

    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("Menu10", NewName("Menu9"));
    EXPECT_EQ("Choices2", NewName("Choices"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    kvrHandleType* menu10 = kvrFindPowerBlock("Menu10", 1, 0);
    kvrHandleType* choices2 = kvrFindPowerBlock("Choices2", 1, 0);
    ASSERT_NE(nullptr, menu10);
    ASSERT_NE(nullptr, choices2);
    EXPECT_EQ(choices2, kvrGetGotoConnection(menu10, ConnIndex(menu, "1")));
    // The originals keep theirs; the clipboard is unchanged and pastes again.
    EXPECT_EQ(day, kvrGetGotoConnection(menu, ConnIndex(menu, "1")));
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("Menu11", NewName("Menu9"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    EXPECT_NE(nullptr, kvrFindPowerBlock("Menu11", 1, 0));
}

TEST_F(ClipboardTest, ProposedNamesAreCutToTheLongestBlockName)
{
    Block(402, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");   // 30 characters
    Block(402, "Item007");
    CopyBlocks({"ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "Item007"});
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXYZABC1", NewName("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"));
    EXPECT_EQ("Item8", NewName("Item007"));
}

TEST_F(ClipboardTest, PasteIntoAnotherProgramKeepsFreeNamesAndLeadsEndToItsEnd)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* end = Block(KVR_PB_END, "End");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, end, ConnIndex(menu, "3")));
    CopyBlocks({"Menu1", "End"});

    OtherProgram();
    int retry = 1;
    kvrHandleType* otherEnd = kvrCreatePowerBlock(KVR_PB_END, "End", &retry, "");
    ASSERT_NE(nullptr, otherEnd);
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("", NewName("Menu1"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    kvrHandleType* pasted = kvrFindPowerBlock("Menu1", 1, 0);
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ(otherEnd, kvrGetGotoConnection(pasted, ConnIndex(menu, "3")));
    // The End block itself is not pasted.
    EXPECT_EQ(2, kvrGetNumPBs());
}

TEST_F(ClipboardTest, ImportedBlockOfTheTargetApplicationIsNotPasted)
{
    Block(KVR_PB_IMPORTED, "Lib7", "HOURS.7");
    Block(KVR_PB_IMPORTED, "Lib8", "HOURS.8");
    CopyBlocks({"Lib7", "Lib8"});
    OtherProgram();
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 7));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Lib7", 1, 0));
    EXPECT_NE(nullptr, kvrFindPowerBlock("Lib8", 1, 0));
    EXPECT_EQ(1, kvrGetNumPBs());
}

TEST_F(ClipboardTest, CopiedPagesGoWithTheirCallsIntoAnotherProgram)
{
    kvrHandleType* sub = kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(KVR_OK, kvrActivatePage(sub));
    kvrHandleType* subMenu = Block(402, "Ask");
    kvrHandleType* subDay = Block(395, "Day");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(subMenu, subDay, ConnIndex(subMenu, "1")));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    Block(KVR_PB_SUPERCALL, "CallSub", "Sub");

    // The call needs its page: the model names it.
    const char* called = kvrCheckForSuperVerInCopy("CallSub", "Main");
    ASSERT_NE(nullptr, called);
    EXPECT_STREQ("Sub", called);
    EXPECT_EQ(nullptr, kvrCheckForSuperVerInCopy("Nobody", "Main"));
    CopyPage(m_prog, "Sub");
    ASSERT_EQ(KVR_OK, kvrCopyZiriraradur("Sub$Ask"));
    ASSERT_EQ(KVR_OK, kvrCopyZiriraradur("Sub$Day"));
    // The clipboard has the page now.
    EXPECT_EQ(nullptr, kvrCheckForSuperVerInCopy("CallSub", "Main"));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    CopyBlocks({"CallSub"});

    // Into a program that has a page "Sub" of its own: the pasted page is
    // "Sub1" and the pasted call calls it.
    OtherProgram();
    ASSERT_NE(nullptr, kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_otherMain));
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ(1, kvrIsSuperBeingPasted("Sub"));
    EXPECT_EQ("Sub1", NewName("Sub"));
    EXPECT_EQ("Sub1$Ask", NewName("Sub$Ask"));
    // Without the page made first nothing is pasted.
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrPasteZiriraradur(0, 0));
    EXPECT_EQ(0, kvrGetNumPBs());
    ASSERT_NE(nullptr, kvrCreatePage("Sub1", KVR_PAGE_NORMAL, 0));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_otherMain));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    kvrHandleType* ask = kvrFindPowerBlock("Sub1$Ask", 1, 0);
    kvrHandleType* day = kvrFindPowerBlock("Sub1$Day", 1, 0);
    ASSERT_NE(nullptr, ask);
    ASSERT_NE(nullptr, day);
    EXPECT_EQ(day, kvrGetGotoConnection(ask, ConnIndex(subMenu, "1")));
    kvrHandleType* call = kvrFindPowerBlock("CallSub", 1, 0);
    ASSERT_NE(nullptr, call);
    EXPECT_STREQ("Sub1", kvrGetSBName(call));
}

TEST_F(ClipboardTest, CallsPastedIntoTheirOwnProgramCallTheSamePage)
{
    kvrHandleType* sub = kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(KVR_OK, kvrActivatePage(sub));
    Block(402, "Ask");
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    Block(KVR_PB_SUPERCALL, "CallSub", "Sub");
    CopyPage(m_prog, "Sub");
    ASSERT_EQ(KVR_OK, kvrCopyZiriraradur("Sub$Ask"));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    CopyBlocks({"CallSub"});

    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ(0, kvrIsSuperBeingPasted("Sub"));
    EXPECT_EQ("CallSub1", NewName("CallSub"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    EXPECT_STREQ("Sub", kvrGetSBName(kvrFindPowerBlock("CallSub1", 1, 0)));
    EXPECT_EQ(3, kvrGetNumPBs());

    // A page paste pastes the copied page itself, under a new name.
    ASSERT_EQ(KVR_OK, kvrPageToCopy("Sub", 0));
    ASSERT_EQ(KVR_OK, kvrSetClipType(KVR_CLIP_PAGE));
    EXPECT_EQ(1, kvrCanIPaste(1));
    ASSERT_EQ(KVR_OK, kvrSetupPasteSuperVerBlock(1));
    ASSERT_EQ(KVR_OK, kvrPreparePaste(1));
    EXPECT_EQ(1, kvrIsSuperBeingPasted("Sub"));
    EXPECT_EQ("Sub1", NewName("Sub"));
    ASSERT_NE(nullptr, kvrCreatePage("Sub1", KVR_PAGE_NORMAL, 0));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(1, 0));
    EXPECT_EQ(KVR_OK, kvrSetupPasteSuperVerBlock(0));
    EXPECT_NE(nullptr, kvrFindPowerBlock("Sub1$Ask", 1, 0));
    // Page mode pastes no single blocks.
    EXPECT_EQ(nullptr, kvrFindPowerBlock("CallSub2", 1, 0));
}

TEST_F(ClipboardTest, WithoutAClipboardProgramNothingIsCopied)
{
    Block(402, "Menu1");
    ASSERT_EQ(KVR_OK, kvrRemoveProgram(m_clip));
    m_clip = nullptr;
    EXPECT_EQ(KVR_ERR_HANDLE, kvrCopyZiriraradur("Menu1"));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrPasteZiriraradur(0, 0));
    EXPECT_EQ(0, kvrCanIPaste(0));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrSetClipType(3));
    m_clip = kvrAddProgram(nullptr, 1);
    ASSERT_EQ(KVR_OK, kvrActivateProgram(m_clip));
    ASSERT_NE(nullptr, kvrCreatePage("Clipboard", KVR_PAGE_NORMAL, 0));
}

TEST_F(ClipboardTest, ACutLeavesTheCopiesAndTheirConnections)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* day = Block(395, "Day");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, day, ConnIndex(menu, "1")));
    CopyBlocks({"Menu1", "Day"});
    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(menu, 0));
    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(day, 0));
    kvrHandleType* menuCopy = kvrFindPowerBlock("Menu1", 1, 1);
    ASSERT_NE(nullptr, menuCopy);
    EXPECT_EQ(kvrFindPowerBlock("Day", 1, 1), kvrGetGotoConnection(menuCopy, ConnIndex(menuCopy, "1")));

    // Pasted back where they were cut from: under their own names.
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("", NewName("Menu1"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    kvrHandleType* pasted = kvrFindPowerBlock("Menu1", 1, 0);
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ(kvrFindPowerBlock("Day", 1, 0), kvrGetGotoConnection(pasted, ConnIndex(pasted, "1")));
}

namespace {

std::vector<TClipInfo*> Conflicts()
{
    int n = kvrGetAllNameConflicts(nullptr, 0);
    std::vector<TClipInfo*> list(n > 0 ? n : 0);
    if (n > 0)
        EXPECT_EQ(n, kvrGetAllNameConflicts(list.data(), n));
    return list;
}

std::vector<std::string> Names(const std::vector<TClipInfo*>& list)
{
    std::vector<std::string> names;
    for (TClipInfo* p : list)
        names.push_back(p->name);
    return names;
}

} // namespace

TEST_F(ClipboardTest, TheClipboardListHoldsCopiedBlocksItemsAndPages)
{
    static kvrItemData fax = {};
    fax.mediaKind = 3;
    Symbol* s = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&s, "Welcome", KVR_SYM_ITEM, 1, 7, 1, 0, nullptr));
    ASSERT_EQ(1, kvrAddSymbol(&s, "Prices", KVR_SYM_ITEM, 1, 12, 1, 0, &fax));
    Block(402, "Menu1");
    Block(396, "End");
    CopyBlocks({"Menu1", "End"});
    ASSERT_EQ(KVR_OK, kvrAddSymToClipboard("Welcome"));
    ASSERT_EQ(KVR_OK, kvrAddSymToClipboard("Prices"));
    ASSERT_EQ(KVR_OK, kvrAddSymToClipboard("Main"));

    std::vector<TClipInfo*> all(kvrGetClipboardList(nullptr, 0));
    ASSERT_EQ(5u, all.size());
    ASSERT_EQ(5, kvrGetClipboardList(all.data(), (int)all.size()));
    struct Expected { const char* name; short symbolType; long kind; long number; };
    const Expected expected[] = {
        {"Menu1", KVR_SYM_POWERBLOCK, KVR_CLIPINFO_BLOCK, 0},
        {"End", KVR_SYM_POWERBLOCK, KVR_CLIPINFO_BLOCK, 0},
        {"Welcome", KVR_SYM_ITEM, KVR_CLIPINFO_VOICE, 7},
        {"Prices", KVR_SYM_ITEM, KVR_CLIPINFO_FAX, 12},
        {"Main", KVR_SYM_PAGE, KVR_CLIPINFO_OTHER, 0},
    };
    for (size_t i = 0; i < all.size(); ++i)
    {
        EXPECT_EQ(expected[i].name, std::string(all[i]->name));
        EXPECT_EQ(expected[i].symbolType, all[i]->symbolType) << i;
        EXPECT_EQ(expected[i].kind, all[i]->kind) << i;
        EXPECT_EQ(expected[i].number, all[i]->oldNumber) << i;
    }
    ASSERT_EQ(KVR_OK, kvrEmptyClipboard());
    EXPECT_EQ(0, kvrGetClipboardList(nullptr, 0));
}

TEST_F(ClipboardTest, ConflictsAreTheNamesAndNumbersTheTargetUses)
{
    static kvrItemData fax = {};
    fax.mediaKind = 3;
    Symbol* s = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&s, "Welcome", KVR_SYM_ITEM, 1, 7, 1, 0, nullptr));
    ASSERT_EQ(1, kvrAddSymbol(&s, "Prices", KVR_SYM_ITEM, 1, 12, 1, 0, &fax));
    ASSERT_EQ(1, kvrAddSymbol(&s, "Hours", KVR_SYM_ITEM, 1, 8, 1, 0, nullptr));
    Block(402, "Menu1");
    Block(395, "Day");
    Block(396, "End");
    CopyBlocks({"Menu1", "Day", "End"});
    for (const char* item : {"Welcome", "Prices", "Hours"})
        ASSERT_EQ(KVR_OK, kvrAddSymToClipboard(item));

    // Within the program every name clashes.
    EXPECT_EQ((std::vector<std::string>{"Menu1", "Day", "End", "Welcome", "Prices", "Hours"}), Names(Conflicts()));

    // Another program: "Day" is a block there, "Prices" a voice item,
    // number 7 a voice item of another name, number 8 only a fax item;
    // the End block is always listed.
    static kvrItemData otherFax = {};
    otherFax.mediaKind = 3;
    OtherProgram();
    Block(395, "Day");
    ASSERT_EQ(1, kvrAddSymbol(&s, "Prices", KVR_SYM_ITEM, 1, 30, 1, 0, nullptr));
    ASSERT_EQ(1, kvrAddSymbol(&s, "Greeting", KVR_SYM_ITEM, 1, 7, 1, 0, nullptr));
    ASSERT_EQ(1, kvrAddSymbol(&s, "Form", KVR_SYM_ITEM, 1, 8, 1, 0, &otherFax));
    std::vector<TClipInfo*> list = Conflicts();
    EXPECT_EQ((std::vector<std::string>{"Day", "End", "Welcome", "Prices"}), Names(list));
    // Each listing starts the outcomes afresh.
    for (TClipInfo* p : list)
    {
        EXPECT_EQ(-1, p->newNumber);
        lstrcpyA(p->newName, "X");
        p->skip = 1;
    }
    list = Conflicts();
    for (TClipInfo* p : list)
    {
        EXPECT_EQ(0, p->skip);
        EXPECT_EQ("", std::string(p->newName));
    }
}

TEST_F(ClipboardTest, ThePasteTakesTheResolvedNamesAndSkips)
{
    Block(402, "Menu1");
    Block(395, "Day");
    Block(407, "Left");
    CopyBlocks({"Menu1", "Day", "Left"});
    std::vector<TClipInfo*> list = Conflicts();
    ASSERT_EQ(3u, list.size());
    lstrcpyA(list[0]->newName, "Choice");     // chosen by the user
    list[1]->skip = 1;                        // not pasted
    // "Left" keeps no outcome: the model's own proposal.
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("Choice", NewName("Menu1"));
    EXPECT_EQ("Left1", NewName("Left"));
    ASSERT_EQ(KVR_OK, kvrPasteZiriraradur(0, 0));
    EXPECT_NE(nullptr, kvrFindPowerBlock("Choice", 1, 0));
    EXPECT_NE(nullptr, kvrFindPowerBlock("Left1", 1, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Day1", 1, 0));

    // The outcomes served that paste: the next one without a listing
    // proposes names of its own and pastes everything.
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("Menu2", NewName("Menu1"));
    EXPECT_EQ("Day1", NewName("Day"));

    // A chosen name that is taken by now falls back to a proposal.
    list = Conflicts();
    lstrcpyA(list[0]->newName, "Left");
    ASSERT_EQ(KVR_OK, kvrPreparePaste(0));
    EXPECT_EQ("Menu2", NewName("Menu1"));
}

TEST_F(ClipboardTest, ReservedNamesAreTheModelsOwn)
{
    for (const char* name : {"Begin", "End", "Main", "end", "MAIN"})
        EXPECT_EQ(1, kvrItsAReservedPB(name)) << name;
    for (const char* name : {"Menu1", "Ending", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(0, kvrItsAReservedPB(name));
}
