// Block variables through the kvrSDO functions: storage, the text
// storage protocol, outputs and their flags, completeness.
#include "PlexModelTest.h"

#include <cstdlib>

namespace {

void* Ptr(int type, const char* name, kvrHandleType* block)
{
    return kvrSDOGetSymbolPtr(type, name, block, kvrSDOGetSymbolOffset(type, name));
}

// What a settings record does to store a text variable: release the old
// text, ask for new storage, copy the text with its terminator.
void StoreText(int type, const char* name, kvrHandleType* block, const char* text)
{
    int offset = kvrSDOGetSymbolOffset(type, name);
    std::free(kvrSDOGetSymbolPtr(type, name, block, offset));
    char* mem = static_cast<char*>(kvrSDOAllocateMem(type, name, block, offset));
    ASSERT_NE(nullptr, mem);
    lstrcpynA(mem, text, kvrSDOGetSymbolSize(type, name));
}

} // namespace

TEST_F(ModelTest, VariablesStartAtTheirInitialValues)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* lang = Block(403, "Lang1");
    kvrHandleType* thru = Block(405, "Thru1");
    struct { kvrHandleType* block; int type; const char* name; long value; } numbers[] = {
        { menu, 402, "Max no responses", 0 },
        { menu, 402, "Max number of no responses", 3 },
        { lang, 403, "System prompt", -1 },
        { thru, 405, "Restriction/permission list", 0 },
        { thru, 405, "Number length", 4 },
    };
    for (const auto& r : numbers)
    {
        void* p = Ptr(r.type, r.name, r.block);
        ASSERT_NE(nullptr, p) << r.name;
        long value = kvrSDOGetSymbolMemRep(r.type, r.name) == KVR_MEM_INT16
                         ? *static_cast<short*>(p) : *static_cast<long*>(p);
        EXPECT_EQ(r.value, value) << r.name;
    }
    // Text variables have their storage from the start, empty.
    const char* text = static_cast<const char*>(Ptr(402, "Menu choices", menu));
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("", text);
}

TEST_F(ModelTest, NumbersAreWrittenInPlace)
{
    kvrHandleType* thru = Block(405, "Thru1");
    const char* name = "Restriction/permission list";
    int offset = kvrSDOGetSymbolOffset(405, name);
    long* list = static_cast<long*>(kvrSDOAllocateMem(405, name, thru, offset));
    ASSERT_EQ(list, kvrSDOGetSymbolPtr(405, name, thru, offset));
    *list = 17;
    EXPECT_EQ(17, *static_cast<long*>(Ptr(405, name, thru)));
    short* opt = static_cast<short*>(Ptr(405, "Dialing options", thru));
    *opt = 2;
    EXPECT_EQ(2, *static_cast<short*>(Ptr(405, "Dialing options", thru)));
    EXPECT_EQ(17, *static_cast<long*>(Ptr(405, name, thru)));   // no overlap
}

TEST_F(ModelTest, TextStorageIsReplacedWithTheRuntimesMemory)
{
    kvrHandleType* pwd = Block(411, "Pwd1");
    const char* name = "Password Entry 1";
    StoreText(411, name, pwd, "1234");
    EXPECT_STREQ("1234", static_cast<const char*>(Ptr(411, name, pwd)));
    // Fresh storage is cleared and as large as the model says.
    int offset = kvrSDOGetSymbolOffset(411, name);
    std::free(kvrSDOGetSymbolPtr(411, name, pwd, offset));
    char* mem = static_cast<char*>(kvrSDOAllocateMem(411, name, pwd, offset));
    int size = kvrSDOGetSymbolSize(411, name);
    ASSERT_GE(size, 16);
    for (int i = 0; i < size; ++i)
        ASSERT_EQ(0, mem[i]);
    lstrcpynA(mem, "98765", size);
    EXPECT_EQ(mem, Ptr(411, name, pwd));
    StoreText(411, name, pwd, "0000");
    EXPECT_STREQ("0000", static_cast<const char*>(Ptr(411, name, pwd)));
}

TEST_F(ModelTest, VariableCallsCheckTheirArguments)
{
    kvrHandleType* menu = Block(402, "Menu1");
    int offset = kvrSDOGetSymbolOffset(402, "Max no responses");
    struct { int type; const char* name; kvrHandleType* block; int offset; } rows[] = {
        { 402, "Max no responses", menu, offset + 1 },   // not its offset
        { 405, "Max no responses", menu, offset },       // not the block's type
        { 402, "Fax Item", menu, offset },
        { 402, "Max no responses", m_main, offset },     // not a block
        { 402, "Max no responses", nullptr, offset },
        { 402, nullptr, menu, offset },
    };
    for (const auto& r : rows)
    {
        EXPECT_EQ(nullptr, kvrSDOGetSymbolPtr(r.type, r.name, r.block, r.offset));
        EXPECT_EQ(nullptr, kvrSDOAllocateMem(r.type, r.name, r.block, r.offset));
    }
}

TEST_F(ModelTest, OutputsRunFromZeroWithTheirConnections)
{
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* hello = Block(393, "Hello");
    kvrCreateGoto(menu, hello, ConnIndex(menu, "2"));
    struct { int index; const char* name; const char* conn; } rows[] = {
        { 0, "Choices", "" }, { 1, "1", "" }, { 2, "2", "Hello" },
        { 13, "No response", "" }, { 15, "Rotary", "" },
    };
    for (const auto& r : rows)
    {
        EXPECT_STREQ(r.name, kvrSDOGetOutputDataName(402, r.index, menu));
        EXPECT_STREQ(r.conn, kvrSDOGetOutputDataConnection(402, r.index, menu));
    }
    EXPECT_EQ(nullptr, kvrSDOGetOutputDataName(402, 16, menu));
    EXPECT_EQ(nullptr, kvrSDOGetOutputDataName(402, -1, menu));
    EXPECT_EQ(nullptr, kvrSDOGetOutputDataConnection(402, 16, menu));
    EXPECT_EQ(nullptr, kvrSDOGetOutputDataName(393, 0, menu));
    kvrRenamePowerBlock(hello, "Welcome", nullptr);
    EXPECT_STREQ("Welcome", kvrSDOGetOutputDataConnection(402, 2, menu));
    EXPECT_STREQ("Done", kvrSDOGetOutputDataName(393, 0, hello));
    EXPECT_EQ(nullptr, kvrSDOGetOutputDataName(396, 0, Block(396, "End")));
}

TEST_F(ModelTest, OutputFlagsFollowConnectionsAndSettings)
{
    const int C = KVR_OUT_CONNECTED, O = KVR_OUT_OPTIONAL, A = KVR_OUT_APPLICABLE;
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* transfer = Block(394, "Attendant");
    kvrHandleType* hello = Block(393, "Hello");
    struct { int type; kvrHandleType* block; const char* output; int flags; } before[] = {
        { 402, menu, "Choices", O | A },          // group output
        { 402, menu, "1", O | A },
        { 402, menu, "No response", 0 },         // retries not allowed yet
        { 402, menu, "Invalid choice", 0 },
        { 394, transfer, "Transferred", O },      // never shown
        { 394, transfer, "Busy", O | A },
        { 393, hello, "Done", A },                // must be connected
        { 393, hello, "nothing", 0 },
        { 402, hello, "Done", 0 },                // wrong type
    };
    for (const auto& r : before)
        EXPECT_EQ(r.flags, kvrSDOIsOutputOptionalApplicable(r.type, r.block, r.output))
            << r.output;

    *static_cast<short*>(Ptr(402, "Max no responses", menu)) = 1;
    kvrCreateGoto(hello, menu, 0);
    kvrCreateGoto(menu, hello, ConnIndex(menu, "1"));
    struct { int type; kvrHandleType* block; const char* output; int flags; } after[] = {
        { 402, menu, "No response", A },
        { 402, menu, "Invalid choice", 0 },
        { 402, menu, "1", C | O | A },
        { 393, hello, "Done", C | A },
    };
    for (const auto& r : after)
        EXPECT_EQ(r.flags, kvrSDOIsOutputOptionalApplicable(r.type, r.block, r.output))
            << r.output;

    // Texts apply once they are not empty.
    kvrHandleType* time = Block(406, "Time1");
    EXPECT_EQ(0, kvrSDOIsOutputOptionalApplicable(406, time, "Period 2"));
    StoreText(406, "Time period 2 - From", time, "08:00");
    EXPECT_EQ(A, kvrSDOIsOutputOptionalApplicable(406, time, "Period 2"));
    EXPECT_EQ(A, kvrSDOIsOutputOptionalApplicable(406, time, "Other times"));
}

TEST_F(ModelTest, CompletenessIsWhatTheEditorReports)
{
    kvrHandleType* menu = Block(402, "Menu1");
    EXPECT_EQ(0, kvrIsPowerBlockFinished(menu));
    struct { int set; int answer; } rows[] = { { 1, 1 }, { 0, 0 }, { 5, 1 } };
    for (const auto& r : rows)
    {
        EXPECT_EQ(KVR_OK, kvrSDOSetIconFinished(menu, r.set));
        EXPECT_EQ(r.answer, kvrIsPowerBlockFinished(menu));
    }
    EXPECT_EQ(KVR_ERR_HANDLE, kvrSDOSetIconFinished(nullptr, 1));
    EXPECT_EQ(0, kvrIsPowerBlockFinished(nullptr));
}
