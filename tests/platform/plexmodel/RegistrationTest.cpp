// Registration of programs, pages, blocks and connections; names, current
// objects and handles that have gone.
#include "PlexModelTest.h"

TEST_F(ModelTest, BlocksOffTheMainPageAreKnownByQualifiedNames)
{
    kvrHandleType* begin = Block(KVR_PB_BEGIN, "Begin");
    kvrHandleType* sub = kvrCreatePage("Sub1", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(KVR_OK, kvrActivatePage(sub));
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* subBegin = Block(KVR_PB_BEGIN, "Begin");

    struct { const char* name; int qualified; kvrHandleType* expected; } rows[] = {
        { "Begin", 1, begin },        // the main page: plain names
        { "Sub1$Menu1", 1, menu },
        { "Sub1$Begin", 1, subBegin },
        { "Menu1", 1, nullptr },      // not a model name
        { "Menu1", 0, menu },         // plain name on the current page
        { "Begin", 0, subBegin },
        { "Sub1$Menu1", 0, nullptr },
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, kvrFindPowerBlock(r.name, r.qualified, 0))
            << r.name << " " << r.qualified;

    EXPECT_EQ(sub, kvrFindPage("Sub1"));
    EXPECT_EQ(m_main, kvrFindPage("Main"));
    EXPECT_EQ(nullptr, kvrFindPage("sub1"));
    ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    EXPECT_EQ(begin, kvrFindPowerBlock("Begin", 0, 0));
}

TEST_F(ModelTest, BlockNamesAreChecked)
{
    Block(402, "Menu1");
    struct { const char* name; bool retry; } refused[] = {
        { "", true },
        { "a$b", true },
        { "1234567890123456789012345678901", true },   // 31 characters
        { "Menu1", true },
    };
    for (const auto& r : refused)
    {
        int retry = 1;
        EXPECT_EQ(nullptr, kvrCreatePowerBlock(402, r.name, &retry, "")) << r.name;
        EXPECT_EQ(r.retry ? 1 : 0, retry) << r.name;
    }
    int retry = 1;
    EXPECT_EQ(nullptr, kvrCreatePowerBlock(402, nullptr, &retry, ""));
    EXPECT_EQ(1, retry);
    // 30 characters is the longest name.
    EXPECT_NE(nullptr, kvrCreatePowerBlock(402, "123456789012345678901234567890", &retry, ""));
    EXPECT_EQ(0, retry);
}

TEST_F(ModelTest, BlocksTheModelCannotMakeAskNoOtherName)
{
    struct { int type; const char* custom; } rows[] = {
        { 5, "" }, { KVR_PB_CUSTOM, "Mine" }, { KVR_PB_SUPERCALL, "Sub1" },
        { KVR_PB_IMPORTED, "" },
    };
    for (const auto& r : rows)
    {
        int retry = 1;
        EXPECT_EQ(nullptr, kvrCreatePowerBlock(r.type, "Block1", &retry, r.custom)) << r.type;
        EXPECT_EQ(0, retry) << r.type;
    }
    kvrHandleType* imported = Block(KVR_PB_IMPORTED, "Lib1", "APP.7");
    PowerBlockInfo info;
    ASSERT_EQ(&info, kvrGetPowerBlockInfo(imported, &info));
    EXPECT_STREQ("APP.7", info.name);
    EXPECT_EQ(KVR_PB_IMPORTED, info.type);
    // A program handle gives no old-file records.
    EXPECT_EQ(nullptr, kvrGetPowerBlockInfo(m_prog, &info));
}

TEST_F(ModelTest, NoPageNoBlock)
{
    kvrHandleType* other = kvrAddProgram(nullptr, 0);
    int retry = 1;
    EXPECT_EQ(nullptr, kvrCreatePowerBlock(402, "Menu1", &retry, ""));
    EXPECT_EQ(0, retry);
    EXPECT_EQ(KVR_OK, kvrRemoveProgram(other));
    EXPECT_EQ(nullptr, kvrCreatePage("Sub1", 1, 0));   // no current program
}

TEST_F(ModelTest, RenameChecksTheNewName)
{
    kvrHandleType* a = Block(402, "A");
    Block(402, "B");
    struct { const char* name; int result; int detail; } rows[] = {
        { "B", KVR_ERR_INUSE, 1 },
        { "", KVR_ERR_NAME, 1 },
        { "x$y", KVR_ERR_NAME, 1 },
        { "A", KVR_OK, 0 },
        { "C", KVR_OK, 0 },
    };
    for (const auto& r : rows)
    {
        int detail = 0;
        EXPECT_EQ(r.result, kvrRenamePowerBlock(a, r.name, &detail)) << r.name;
        EXPECT_EQ(r.detail, detail) << r.name;
    }
    EXPECT_EQ(a, kvrFindPowerBlock("C", 1, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("A", 1, 0));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrRenamePowerBlock(m_main, "D", nullptr));
}

TEST_F(ModelTest, NamesInUseSpanPagesBlocksAndItems)
{
    Block(402, "Menu1");
    kvrHandleType* sub = kvrCreatePage("Sub1", 1, 0);
    kvrActivatePage(sub);
    Block(402, "Menu2");
    Symbol* sym = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&sym, "Greeting", KVR_SYM_ITEM, 1, 5, 1, 0, nullptr));
    struct { const char* name; int used; } rows[] = {
        { "Menu1", 1 }, { "Sub1", 1 }, { "Main", 1 }, { "Greeting", 1 },
        { "Sub1$Menu2", 1 }, { "Menu2", 0 }, { "greeting", 0 }, { "", 0 },
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.used, kvrIsNameInUse(r.name)) << r.name;
    EXPECT_EQ(0, kvrIsNameInUse(nullptr));
    // Page names share the same names.
    EXPECT_EQ(nullptr, kvrCreatePage("Greeting", 1, 0));
    EXPECT_EQ(nullptr, kvrCreatePage("Sub1", 2, 0));
    EXPECT_EQ(nullptr, kvrCreatePage("A$B", 1, 0));
}

TEST_F(ModelTest, ConnectionsCountOutputsThatAreNotGroupOutputs)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* a = Block(393, "Hello");
    kvrHandleType* b = Block(396, "Bye");
    // "Choices" is the group output before "1": "1" has index 0.
    int one = ConnIndex(menu, "1");
    int noResponse = ConnIndex(menu, "No response");
    ASSERT_EQ(0, one);
    ASSERT_EQ(12, noResponse);
    EXPECT_EQ(KVR_OK, kvrCreateGoto(menu, a, one));
    EXPECT_EQ(KVR_OK, kvrCreateGoto(menu, b, noResponse));
    EXPECT_EQ(a, kvrGetGotoConnection(menu, one));
    EXPECT_EQ(b, kvrGetGotoConnection(menu, noResponse));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menu, 1));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menu, 99));

    struct { kvrHandleType* from; kvrHandleType* to; int index; int result; } rows[] = {
        { menu, a, -1, KVR_ERR_ARGUMENT },
        { menu, a, 15, KVR_ERR_ARGUMENT },
        { b, a, 0, KVR_ERR_ARGUMENT },        // End has no outputs
        { menu, m_main, 0, KVR_ERR_HANDLE },
        { nullptr, a, 0, KVR_ERR_HANDLE },
        { menu, menu, 2, KVR_OK },            // a block may lead back to itself
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.result, kvrCreateGoto(r.from, r.to, r.index)) << r.index;

    EXPECT_EQ(KVR_OK, kvrDeleteGoto(menu, "1"));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menu, one));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrDeleteGoto(menu, "Choices"));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrDeleteGoto(menu, "nothing"));
    EXPECT_EQ(KVR_OK, kvrDeleteGoto(menu, "1"));   // already free
}

TEST_F(ModelTest, ConnectionsStayOnOnePage)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* sub = kvrCreatePage("Sub1", 1, 0);
    kvrActivatePage(sub);
    kvrHandleType* other = Block(393, "Hello");
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrCreateGoto(menu, other, 0));
}

TEST_F(ModelTest, NewProgramDefaultBlocksConnectRotary)
{
    kvrHandleType* begin = Block(KVR_PB_BEGIN, "Begin");
    Block(KVR_PB_END, "End");
    kvrHandleType* attendant = Block(394, "Attendant");
    kvrHandleType* rotary = Block(KVR_PB_ROTARY, "Rotary");
    // The Rotary Dial block takes the attendant's "Rotary" output.
    EXPECT_EQ(rotary, kvrGetGotoConnection(attendant, ConnIndex(attendant, "Rotary")));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(attendant, ConnIndex(attendant, "Busy")));
    EXPECT_EQ(KVR_OK, kvrCreateGoto(rotary, attendant, ConnIndex(rotary, "Done")));
    EXPECT_EQ(attendant, kvrGetGotoConnection(rotary, 0));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(begin, 0));
    // A later block with a "Rotary" output is connected at once.
    kvrHandleType* menu = Block(402, "Menu1");
    EXPECT_EQ(rotary, kvrGetGotoConnection(menu, ConnIndex(menu, "Rotary")));
    // Not on a page without a Rotary Dial block.
    kvrActivatePage(kvrCreatePage("Sub1", 1, 0));
    kvrHandleType* subMenu = Block(402, "Menu1");
    EXPECT_EQ(nullptr, kvrGetGotoConnection(subMenu, ConnIndex(subMenu, "Rotary")));
}

TEST_F(ModelTest, RemovedObjectsLeaveNoHandlesBehind)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* hello = Block(393, "Hello");
    kvrCreateGoto(menu, hello, 0);
    EXPECT_EQ(KVR_OK, kvrDeletePowerBlock(hello, 0));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menu, 0));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrDeletePowerBlock(hello, 0));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrSDOSetIconFinished(hello, 1));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Hello", 1, 0));

    kvrHandleType* sub = kvrCreatePage("Sub1", 1, 0);
    kvrActivatePage(sub);
    kvrHandleType* subMenu = Block(402, "Menu1");
    EXPECT_EQ(KVR_OK, kvrRemovePage(sub, 0));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrActivatePage(sub));
    EXPECT_EQ(0, kvrIsPowerBlockFinished(subMenu));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrDeletePowerBlock(subMenu, 0));
    EXPECT_EQ(nullptr, kvrFindPage("Sub1"));
    // Blocks made after the current page went land on the main page.
    kvrHandleType* again = Block(393, "Hello2");
    EXPECT_EQ(again, kvrFindPowerBlock("Hello2", 1, 0));

    kvrHandleType* prog = m_prog;
    EXPECT_EQ(KVR_OK, kvrRemoveProgram(prog));
    m_prog = nullptr;
    EXPECT_EQ(KVR_ERR_HANDLE, kvrRemoveProgram(prog));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrActivateProgram(prog));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrDeletePowerBlock(menu, 0));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 0));
}

TEST_F(ModelTest, EachProgramHasItsOwnNames)
{
    Block(402, "Menu1");
    kvrHandleType* other = kvrAddProgram(nullptr, 0);
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 0));   // the new one is current
    kvrHandleType* page = kvrCreatePage("Main", 1, 0);
    ASSERT_NE(nullptr, page);
    kvrHandleType* menu = Block(402, "Menu1");
    EXPECT_EQ(menu, kvrFindPowerBlock("Menu1", 1, 0));
    EXPECT_EQ(KVR_OK, kvrActivateProgram(m_prog));
    EXPECT_NE(menu, kvrFindPowerBlock("Menu1", 1, 0));
    EXPECT_EQ(KVR_OK, kvrRemoveProgram(other));
}

TEST_F(ModelTest, TheClipboardProgramIsSearchedApart)
{
    kvrHandleType* clip = kvrAddProgram(nullptr, 1);
    kvrActivateProgram(clip);
    kvrHandleType* page = kvrCreatePage("Clipboard", 1, 0);
    kvrActivatePage(page);
    kvrHandleType* copied = Block(402, "Menu1");
    kvrActivateProgram(m_prog);
    EXPECT_EQ(copied, kvrFindPowerBlock("Menu1", 1, 1));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 0));
    EXPECT_EQ(KVR_OK, kvrRemoveProgram(clip));
    EXPECT_EQ(nullptr, kvrFindPowerBlock("Menu1", 1, 1));
}

TEST_F(ModelTest, BlockDescriptionComesFromItsType)
{
    kvrHandleType* menu = Block(402, "Menu1");
    PowerBlockInfo info;
    std::memset(&info, 0xcc, sizeof(info));
    ASSERT_EQ(&info, kvrGetPowerBlockInfo(menu, &info));
    EXPECT_STREQ("Menu", info.name);
    EXPECT_EQ(402, info.type);
    EXPECT_EQ(16, info.numOutputs);
    EXPECT_STREQ("Choices", info.outputs[0].name);
    EXPECT_EQ(KVR_OUTPUT_GROUP, info.outputs[0].flags);
    EXPECT_EQ(1, info.outputs[1].groupKey);
    EXPECT_EQ(16, info.outputs[15].number);
    EXPECT_EQ(nullptr, info.outputs[16].name);   // the rest is cleared
    EXPECT_EQ(nullptr, kvrGetPowerBlockInfo(menu, nullptr));
}
