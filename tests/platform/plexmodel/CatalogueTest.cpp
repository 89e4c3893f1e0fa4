// The block catalogue: the palette tables, the description records byte
// by byte, the types the editor relies on, and the variables of each type.
#include "PlexModelTest.h"

#include <cstdio>
#include <set>
#include <vector>

namespace {

const PowerBlockInfo* FindInTable(const IconInfoTable& table, int type,
                                  const IconGroupEntry** group = nullptr)
{
    for (int g = 0; table.groups[g]; ++g)
        for (const PowerBlockInfo* rec = table.groups[g]->blocks; rec->name; ++rec)
            if (rec->type == type)
            {
                if (group)
                    *group = table.groups[g];
                return rec;
            }
    return nullptr;
}

struct TypeRow { int type; const char* name; };

// Every block type with a settings record, and the default blocks.
const TypeRow kTypes[] = {
    { 393, "Announcement" }, { 394, "Call Transfer" }, { 395, "Day Control" },
    { 396, "End" }, { 397, "Express Voice Messaging" }, { 398, "Fax Send" },
    { 399, "Fax Item Maintenance" }, { 400, "Remote Activation" },
    { 401, "Continue" }, { 402, "Menu" }, { 403, "Language Select" },
    { 404, "Multimedia Messaging" }, { 405, "Thru-Dial" }, { 406, "Time Control" },
    { 407, "Voice Item Maintenance" }, { 408, "Rotary Dial" }, { 142, "Begin" },
    { 409, "Imported Application" }, { 410, "Date Control" },
    { 411, "Password Check" }, { 412, "Express Fax Messaging" },
    { 413, "Fax Select" }, { 414, "Speech Activated (SA) Messaging" },
    { 415, "Custom Commands" }, { 181, "Exit" },
};

} // namespace

TEST(Catalogue, EveryTypeIsInTheCurrentBlocksWithItsName)
{
    IconInfoTable table;
    ASSERT_GT(kvrGetPowerBlockList(&table, 0, 1), 0);
    for (const TypeRow& row : kTypes)
    {
        const PowerBlockInfo* rec = FindInTable(table, row.type);
        ASSERT_NE(nullptr, rec) << row.type;
        EXPECT_STREQ(row.name, rec->name);
        EXPECT_STREQ(row.name, kvrGetPowerBlockName(row.type));
        EXPECT_NE(nullptr, rec->bitmapName);
        EXPECT_NE(nullptr, rec->description);
        EXPECT_LT(row.type, kvrMaxPowerBlockType());
    }
    EXPECT_EQ(nullptr, FindInTable(table, 289));
    EXPECT_EQ(nullptr, kvrGetPowerBlockName(5));
}

TEST(Catalogue, ObsoleteBlocksAreTheirOwnList)
{
    IconInfoTable table;
    ASSERT_EQ(1, kvrGetPowerBlockList(&table, 1, 0));
    const PowerBlockInfo* rec = FindInTable(table, 289);
    ASSERT_NE(nullptr, rec);
    EXPECT_STREQ("Obsolete", rec->name);
    EXPECT_EQ(0, rec->numOutputs);
    EXPECT_EQ(nullptr, FindInTable(table, 402));
    EXPECT_EQ(0, kvrGetPowerBlockList(&table, 2, 0));
    EXPECT_EQ(nullptr, table.groups[0]);
}

TEST(Catalogue, OlderServersDoNotGetTheNewestBlocks)
{
    struct { int type; bool old; bool current; } rows[] = {
        { 414, false, true }, { 415, false, true }, { 402, true, true }, { 142, true, true },
    };
    IconInfoTable older, newer;
    kvrGetPowerBlockList(&older, 0, 0);
    kvrGetPowerBlockList(&newer, 0, 1);
    for (const auto& r : rows)
    {
        EXPECT_EQ(r.old, FindInTable(older, r.type) != nullptr) << r.type;
        EXPECT_EQ(r.current, FindInTable(newer, r.type) != nullptr) << r.type;
    }
}

TEST(Catalogue, GroupsKeepDefaultBlocksOutOfPalettes)
{
    IconInfoTable table;
    int n = kvrGetPowerBlockList(&table, 0, 1);
    EXPECT_EQ(nullptr, table.groups[n]);
    struct { int type; bool hidden; } rows[] = {
        { 142, true }, { 396, true }, { 401, true }, { 408, true }, { 181, true },
        { 409, true }, { 402, false }, { 405, false }, { 398, false }, { 415, false },
    };
    for (const auto& r : rows)
    {
        const IconGroupEntry* group = nullptr;
        ASSERT_NE(nullptr, FindInTable(table, r.type, &group));
        EXPECT_EQ(r.hidden, group->hidden != 0) << r.type;
        EXPECT_NE(nullptr, group->name);
        EXPECT_NE(nullptr, group->bitmapName);
    }
}

// Byte offsets of the palette records: the 32-bit program's, and the same
// fields packed alike with 8-byte pointers in the 64-bit build.
struct CatalogueLayout
{
    size_t groupBitmap, groupHidden, groupBlocks;
    size_t record, recBitmap, recCount, recType, recOutputs;
    size_t output, outNumber, outGroupKey;
};
#if defined(_WIN64)
const CatalogueLayout kLayout = { 24, 32, 33, 467, 16, 24, 25, 27, 11, 9, 10 };
#else
const CatalogueLayout kLayout = { 12, 16, 17, 295, 8, 12, 13, 15, 7, 5, 6 };
#endif

TEST(Catalogue, RecordsLieByteByByte)
{
    IconInfoTable table;
    kvrGetPowerBlockList(&table, 0, 1);
    for (int g = 0; table.groups[g]; ++g)
    {
        const IconGroupEntry* group = table.groups[g];
        EXPECT_EQ(group->name, (At<const char*>(group, 0)));
        EXPECT_EQ(group->bitmapName, (At<const char*>(group, kLayout.groupBitmap)));
        EXPECT_EQ(group->hidden, (At<unsigned char>(group, kLayout.groupHidden)));
        const char* rec = reinterpret_cast<const char*>(group) + kLayout.groupBlocks;
        for (; At<const char*>(rec, 0); rec += kLayout.record)
        {
            const PowerBlockInfo* info = reinterpret_cast<const PowerBlockInfo*>(rec);
            EXPECT_EQ(info->type, (At<short>(rec, kLayout.recType)));
            EXPECT_EQ(info->numOutputs, (At<unsigned char>(rec, kLayout.recCount)));
            EXPECT_EQ(info->bitmapName, (At<const char*>(rec, kLayout.recBitmap)));
            for (int i = 0; i < info->numOutputs; ++i)
            {
                const char* out = rec + kLayout.recOutputs + kLayout.output * i;
                EXPECT_EQ(info->outputs[i].name, (At<const char*>(out, 0)));
                EXPECT_EQ(i + 1, (At<unsigned char>(out, kLayout.outNumber)));
                EXPECT_EQ(info->outputs[i].groupKey, (At<unsigned char>(out, kLayout.outGroupKey)));
            }
        }
    }
}

TEST(Catalogue, OutputsFitAndGroupsHaveMembers)
{
    IconInfoTable table;
    kvrGetPowerBlockList(&table, 0, 1);
    for (int g = 0; table.groups[g]; ++g)
    {
        for (const PowerBlockInfo* rec = table.groups[g]->blocks; rec->name; ++rec)
        {
            ASSERT_LE(rec->numOutputs, KVR_MAX_OUTPUTS);
            std::set<std::string> names;
            for (int i = 0; i < rec->numOutputs; ++i)
            {
                const PBOutputEntry& out = rec->outputs[i];
                EXPECT_TRUE(names.insert(out.name).second) << rec->name << " " << out.name;
                if (!(out.flags & KVR_OUTPUT_GROUP))
                    continue;
                EXPECT_NE(0, out.groupKey);
                int members = 0;
                for (int j = 0; j < rec->numOutputs; ++j)
                    if (!(rec->outputs[j].flags & 3) &&
                        rec->outputs[j].groupKey == out.groupKey)
                        ++members;
                EXPECT_GT(members, 1) << rec->name << " " << out.name;
            }
        }
    }
}

TEST(Catalogue, DefaultBlocksHaveTheOutputsNewProgramsUse)
{
    IconInfoTable table;
    kvrGetPowerBlockList(&table, 0, 1);
    struct { int type; std::vector<std::string> outputs; } rows[] = {
        { 142, { "Start" } },
        { 396, {} },
        { 401, {} },
        { 181, {} },
        { 408, { "Done" } },
        { 394, { "Busy", "No answer", "Transferred", "Rotary" } },
    };
    for (const auto& r : rows)
    {
        const PowerBlockInfo* rec = FindInTable(table, r.type);
        ASSERT_NE(nullptr, rec);
        ASSERT_EQ((int)r.outputs.size(), rec->numOutputs) << r.type;
        for (size_t i = 0; i < r.outputs.size(); ++i)
            EXPECT_STREQ(r.outputs[i].c_str(), rec->outputs[i].name);
    }
}

// The variables each settings record binds by name, with their kind and
// storage.
TEST(Catalogue, VariablesOfEachType)
{
    struct Row { int type; const char* name; int sym; int rep; };
    const Row rows[] = {
        { 402, "Menu choices", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 402, "Max no responses", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 402, "Max number of no responses", KVR_SYM_NUMBER, KVR_MEM_INT32 },
        { 402, "No response", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 402, "Invalid choice", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 402, "Replay main after invalid", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 405, "Thru-Dial greeting", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 405, "Number length", KVR_SYM_NUMBER, KVR_MEM_INT32 },
        { 405, "Left pad for fixed length nums", KVR_SYM_NUMBER, KVR_MEM_CHAR },
        { 405, "Restriction/permission list", KVR_SYM_RESPERM, KVR_MEM_INT32 },
        { 413, "Fax Item", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 413, "Allow transfer to an attendant", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 403, "System prompt", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 406, "Time period 1 - From", KVR_SYM_TIME, KVR_MEM_CHAR },
        { 406, "Time period 5 - To", KVR_SYM_TIME, KVR_MEM_CHAR },
        { 410, "Date period 3 - From", KVR_SYM_DATE, KVR_MEM_CHAR },
        { 411, "Password Voice Item", KVR_SYM_ITEM, KVR_MEM_CHAR },
        { 411, "Maximum Password Entries", KVR_SYM_NUMBER, KVR_MEM_INT32 },
        { 411, "Password Check 5", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 411, "Confirmation Entry 5", KVR_SYM_TEXT, KVR_MEM_CHAR },
        { 412, "Mailbox selection options", KVR_SYM_NUMBER, KVR_MEM_INT16 },
        { 412, "Mailbox number", KVR_SYM_NUMBER, KVR_MEM_CHAR },
        { 414, "Use paced speech recognition", KVR_SYM_NUMBER, KVR_MEM_INT16 },
    };
    for (const Row& r : rows)
    {
        EXPECT_EQ(r.sym, kvrSDOGetSymbolType(r.type, r.name)) << r.name;
        EXPECT_EQ(r.rep, kvrSDOGetSymbolMemRep(r.type, r.name)) << r.name;
        EXPECT_GE(kvrSDOGetSymbolOffset(r.type, r.name), 0) << r.name;
        EXPECT_GT(kvrSDOGetSymbolSize(r.type, r.name), 0) << r.name;
    }
    // Unknown names and types answer nothing.
    EXPECT_EQ(-1, kvrSDOGetSymbolOffset(402, "Fax Item"));
    EXPECT_EQ(0, kvrSDOGetSymbolType(402, "no such variable"));
    EXPECT_EQ(-1, kvrSDOGetSymbolOffset(7, "Menu choices"));
    EXPECT_EQ(-1, kvrSDOGetSymbolOffset(402, nullptr));
}

TEST(Catalogue, VariablesOfOneTypeDoNotOverlap)
{
    const char* menu[] = { "Menu choices", "Max no responses", "Max number of no responses",
                           "No response", "Max invalid choices", "Max number of invalid choices",
                           "Invalid choice", "Replay main after no response",
                           "Replay main after invalid" };
    std::vector<std::pair<int, int>> spans;
    for (const char* name : menu)
    {
        int at = kvrSDOGetSymbolOffset(402, name);
        int width = kvrSDOGetSymbolMemRep(402, name) == KVR_MEM_INT16 ? 2 : 4;
        for (const auto& s : spans)
            EXPECT_TRUE(at + width <= s.first || s.first + s.second <= at) << name;
        spans.push_back({ at, width });
    }
}

// Every variable that a block type's settings record binds must exist in
// the model with storage of the record's representation. The records are
// read from their readable tables.
TEST(Catalogue, EveryVariableOfTheSettingsRecordsExists)
{
    // Settings record of each block type.
    const struct { int record; int type; } types[] = {
        { 23001, 402 }, { 23002, 393 }, { 23003, 405 }, { 23004, 413 }, { 23005, 403 },
        { 23006, 406 }, { 23007, 394 }, { 23008, 410 }, { 23009, 397 }, { 23010, 411 },
        { 23011, 412 }, { 23012, 395 }, { 23013, 142 }, { 23014, 408 }, { 23015, 409 },
        { 23016, 398 }, { 23017, 399 }, { 23018, 407 }, { 23019, 400 }, { 23020, 404 },
        { 23021, 414 }, { 23022, 396 }, { 23023, 401 }, { 23025, 415 }, { 23026, 289 },
    };
    std::string path = std::string("Z:") + PLEX_BLOCK_DEFS;
    FILE* f = std::fopen(path.c_str(), "r");
    ASSERT_NE(nullptr, f) << path;
    char line[512];
    int type = 0;
    int variables = 0;
    while (std::fgets(line, sizeof(line), f))
    {
        int record = 0;
        if (std::sscanf(line, "record %d", &record) == 1)
        {
            type = 0;
            for (const auto& t : types)
                if (t.record == record)
                    type = t.type;
            continue;
        }
        const char* var = std::strstr(line, " var ");
        if (!var || std::strncmp(line, "    field", 9) != 0)
            continue;
        ASSERT_NE(0, type) << line;
        // field ID "Name" TYPE STYLE var ID "variable"
        const char* q2 = std::strchr(std::strchr(line, '"') + 1, '"');
        char fieldType[32] = "";
        unsigned style = 0;
        ASSERT_EQ(2, std::sscanf(q2 + 1, "%31s %x", fieldType, &style)) << line;
        const char* v1 = std::strchr(var, '"');
        const char* v2 = std::strchr(v1 + 1, '"');
        std::string name(v1 + 1, (size_t)(v2 - v1 - 1));
        int rep = (style & 0x760) ? (int)(style & 0x8760)
                : std::strcmp(fieldType, "INT16") == 0 ? KVR_MEM_INT16
                : std::strcmp(fieldType, "INT32") == 0 ? KVR_MEM_INT32
                : std::strcmp(fieldType, "BOOL") == 0 ? KVR_MEM_BOOL : 0;
        EXPECT_GE(kvrSDOGetSymbolOffset(type, name.c_str()), 0) << type << " " << name;
        EXPECT_EQ(rep, kvrSDOGetSymbolMemRep(type, name.c_str())) << type << " " << name;
        ++variables;
    }
    std::fclose(f);
    EXPECT_EQ(65, variables);
}
