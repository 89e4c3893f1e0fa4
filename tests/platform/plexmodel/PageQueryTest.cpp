// The page and block queries of the editor's page and Find dialogs: the
// Export flag, pages in use, renaming a page, the lists of pages and
// blocks, and what each block is, calls and uses.
#include "PlexModelTest.h"

#include <cstdlib>
#include <vector>

namespace {

void SetText(int type, const char* name, kvrHandleType* block, const char* text)
{
    int offset = kvrSDOGetSymbolOffset(type, name);
    std::free(kvrSDOGetSymbolPtr(type, name, block, offset));
    char* mem = static_cast<char*>(kvrSDOAllocateMem(type, name, block, offset));
    lstrcpynA(mem, text, kvrSDOGetSymbolSize(type, name));
}

} // namespace

class PageQueryTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_menu = Block(402, "Menu1");
        m_sub = kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0);
        m_check = kvrCreatePage("Check", KVR_PAGE_VERIFICATION, 0);
        ASSERT_NE(nullptr, m_sub);
        ASSERT_NE(nullptr, m_check);
        ASSERT_EQ(KVR_OK, kvrActivatePage(m_sub));
        m_inner = Block(393, "Inner");
        ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
        m_call = Block(KVR_PB_SUPERCALL, "CallSub", "Sub");
    }

    kvrHandleType* m_menu = nullptr;
    kvrHandleType* m_sub = nullptr;
    kvrHandleType* m_check = nullptr;
    kvrHandleType* m_inner = nullptr;
    kvrHandleType* m_call = nullptr;
};

TEST_F(PageQueryTest, ExportFlagOfSuperBlocksOnly)
{
    EXPECT_EQ(0, kvrGetPageType(m_prog, "Sub"));
    EXPECT_EQ(KVR_OK, kvrSetPageType(m_prog, "Sub", 1));
    EXPECT_EQ(1, kvrGetPageType(m_prog, "Sub"));
    EXPECT_EQ(KVR_OK, kvrSetPageType(m_prog, "Sub", 0));
    EXPECT_EQ(0, kvrGetPageType(m_prog, "Sub"));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrSetPageType(m_prog, "Check", 1));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrSetPageType(m_prog, "Main", 1));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrSetPageType(m_prog, "Nowhere", 1));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrSetPageType(m_prog, nullptr, 1));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrSetPageType(m_sub, "Sub", 1));
    EXPECT_EQ(0, kvrGetPageType(m_prog, "Check"));
    EXPECT_EQ(0, kvrGetPageType(nullptr, "Sub"));
}

TEST_F(PageQueryTest, APageIsInUseWhileACallCallsIt)
{
    EXPECT_EQ(1, kvrPageInUse(m_sub));
    EXPECT_EQ(0, kvrPageInUse(m_check));
    EXPECT_EQ(0, kvrPageInUse(m_main));
    EXPECT_EQ(0, kvrPageInUse(nullptr));
    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(m_call, 0));
    EXPECT_EQ(0, kvrPageInUse(m_sub));
}

TEST_F(PageQueryTest, ACallNeedsThePageItCalls)
{
    int retry = 1;
    EXPECT_EQ(nullptr, kvrCreatePowerBlock(KVR_PB_SUPERCALL, "NoPage", &retry, ""));
    EXPECT_EQ(nullptr, kvrCreatePowerBlock(KVR_PB_SUPERCALL, "NoPage2", &retry, nullptr));
    EXPECT_EQ(nullptr, kvrCreatePowerBlock(KVR_PB_SUPERCALL, "NoPage3", &retry, "Missing"));
    EXPECT_EQ(0, retry);
    EXPECT_STREQ("Sub", kvrGetSBName(m_call));
    EXPECT_EQ(nullptr, kvrGetSBName(m_menu));
}

TEST_F(PageQueryTest, RenameTakesTheBlocksAndCallsAlong)
{
    EXPECT_EQ(KVR_OK, kvrRenamePage(m_sub, "Renamed", 1, 0));
    EXPECT_EQ(m_sub, kvrFindPage("Renamed"));
    EXPECT_EQ(nullptr, kvrFindPage("Sub"));
    EXPECT_STREQ("Renamed", kvrGetSymbolName(m_sub));
    EXPECT_STREQ("Renamed$Inner", kvrGetSymbolName(m_inner));
    EXPECT_EQ(m_inner, kvrFindPowerBlock("Renamed$Inner", 1, 0));
    EXPECT_STREQ("Renamed", kvrGetSBName(m_call));
    EXPECT_EQ(1, kvrPageInUse(m_sub));
    EXPECT_EQ(1, kvrIsNameInUse("Renamed"));
    EXPECT_EQ(0, kvrIsNameInUse("Sub"));
    // The same name again is no change.
    EXPECT_EQ(KVR_OK, kvrRenamePage(m_sub, "Renamed", 1, 0));
}

TEST_F(PageQueryTest, RenameRefusals)
{
    struct Case
    {
        kvrHandleType* page;
        const char* name;
        int result;
    } cases[] = {
        { m_sub, "Check", KVR_ERR_INUSE },
        { m_sub, "Menu1", KVR_ERR_INUSE },
        { m_sub, "", KVR_ERR_NAME },
        { m_sub, nullptr, KVR_ERR_NAME },
        { m_sub, "a$b", KVR_ERR_NAME },
        { m_sub, "0123456789012345678901234567890123456789012", KVR_ERR_NAME },
        { m_main, "NewMain", KVR_ERR_NAME },
        { m_menu, "X", KVR_ERR_HANDLE },
        { nullptr, "X", KVR_ERR_HANDLE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, kvrRenamePage(c.page, c.name, 1, 0)) << (c.name ? c.name : "(none)");
    EXPECT_EQ(m_sub, kvrFindPage("Sub"));
    EXPECT_STREQ("Sub$Inner", kvrGetSymbolName(m_inner));
    EXPECT_STREQ("Sub", kvrGetSBName(m_call));
}

TEST_F(PageQueryTest, PageNamesInPageOrder)
{
    const char* names[2] = { nullptr, nullptr };
    EXPECT_EQ(3, kvrGetAllPageNames(names, 2));
    EXPECT_STREQ("Main", names[0]);
    EXPECT_STREQ("Sub", names[1]);
    EXPECT_EQ(3, kvrGetAllPageNames(nullptr, 0));
}

TEST_F(PageQueryTest, BlocksOfTheProgramAndWhatTheyAre)
{
    int n = kvrGetNumPBs();
    ASSERT_EQ(3, n);
    std::vector<kvrHandleType*> blocks(5, nullptr);
    EXPECT_EQ(3, kvrGetAllPBSymbols(blocks.data(), 5));
    EXPECT_EQ(m_menu, blocks[0]);
    EXPECT_EQ(m_call, blocks[1]);
    EXPECT_EQ(m_inner, blocks[2]);
    EXPECT_EQ(nullptr, blocks[3]);
    // Never more than the array holds.
    std::vector<kvrHandleType*> two(3, nullptr);
    EXPECT_EQ(2, kvrGetAllPBSymbols(two.data(), 2));
    EXPECT_EQ(nullptr, two[2]);

    EXPECT_EQ(402, kvrGetPBType(m_menu));
    EXPECT_EQ(KVR_PB_SUPERCALL, kvrGetPBType(m_call));
    EXPECT_EQ(-1, kvrGetPBType(m_sub));
    EXPECT_STREQ("Menu1", kvrGetSymbolName(m_menu));
    EXPECT_STREQ("Sub$Inner", kvrGetSymbolName(m_inner));
    EXPECT_EQ(nullptr, kvrGetSymbolName(nullptr));
    EXPECT_EQ(1, kvrIsPBInPage(m_menu, nullptr));
    EXPECT_EQ(0, kvrIsPBInPage(m_inner, nullptr));
    EXPECT_EQ(1, kvrIsPBInPage(m_inner, "Sub"));
    EXPECT_EQ(0, kvrIsPBInPage(m_menu, "Sub"));
    EXPECT_EQ(kvrIsPowerBlockFinished(m_menu), kvrIsPBComplete(m_menu));
    kvrSDOSetIconFinished(m_inner, 1);
    EXPECT_EQ(1, kvrIsPBComplete(m_inner));
}

TEST_F(PageQueryTest, VoiceSentencesAndVariablesInTextSettings)
{
    SetText(402, "Menu choices", m_menu, "Hello");
    EXPECT_EQ(1, kvrIsPBUseVSentence(m_menu, "hello"));
    EXPECT_EQ(0, kvrIsPBUseVSentence(m_menu, "Hell"));
    EXPECT_EQ(0, kvrIsPBUseVSentence(m_menu, ""));
    EXPECT_EQ(0, kvrIsPBUseVSentence(m_inner, "Hello"));
    EXPECT_EQ(0, kvrIsPBUseVariable(m_menu, "Hello"));

    kvrHandleType* pwd = Block(411, "Pwd");
    SetText(411, "Password Entry 1", pwd, "CallerPin");
    EXPECT_EQ(1, kvrIsPBUseVariable(pwd, "callerpin"));
    EXPECT_EQ(0, kvrIsPBUseVSentence(pwd, "CallerPin"));
    EXPECT_EQ(0, kvrIsPBUseVariable(nullptr, "CallerPin"));
}

// A block is found by its name on its page as long as it holds the name:
// after a rename by the new one only, after its deletion not at all, and a
// later block may take a name that was given up.
TEST_F(PageQueryTest, BlocksAreFoundByTheNamesTheyHoldNow)
{
    EXPECT_EQ(m_menu, kvrFindPowerBlock("Menu1", 1, 0));
    EXPECT_EQ(m_inner, kvrFindPowerBlock("Sub$Inner", 1, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Inner", 1, 0));

    ASSERT_EQ(KVR_OK, kvrRenamePowerBlock(m_menu, "Greeting", nullptr));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 0));
    EXPECT_EQ(m_menu, kvrFindPowerBlock("Greeting", 1, 0));
    // The name taken is refused to another block; the block keeps its own.
    EXPECT_NE(KVR_OK, kvrRenamePowerBlock(m_call, "Greeting", nullptr));
    EXPECT_EQ(m_menu, kvrFindPowerBlock("Greeting", 1, 0));
    EXPECT_EQ(m_call, kvrFindPowerBlock("CallSub", 1, 0));

    // The old name given up is free for a new block.
    kvrHandleType* pNewMenu = Block(402, "Menu1");
    ASSERT_NE(nullptr, pNewMenu);
    EXPECT_EQ(pNewMenu, kvrFindPowerBlock("Menu1", 1, 0));

    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(m_menu, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Greeting", 1, 0));
    EXPECT_EQ(pNewMenu, kvrFindPowerBlock("Menu1", 1, 0));
    ASSERT_EQ(KVR_OK, kvrRenamePowerBlock(pNewMenu, "Greeting", nullptr));
    EXPECT_EQ(pNewMenu, kvrFindPowerBlock("Greeting", 1, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 0));
}
