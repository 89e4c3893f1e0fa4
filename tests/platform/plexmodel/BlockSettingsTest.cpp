// The settings of every block type of the catalogue: which variables each
// type has (kind, storage, initial value), that its settings record binds
// every one of them, and that each set value survives the program file.
#include "PlexModelTest.h"

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Setting
{
    std::string name;
    int sym;
    int rep;
    std::string initial;    // as the program file writes it
};

struct TypeSettings
{
    int type;
    int record;             // the settings record of the type (23001 to 23026)
    std::vector<Setting> settings;
};

const int NUM = KVR_SYM_NUMBER, ITEM = KVR_SYM_ITEM, TEXT = KVR_SYM_TEXT, TIME = KVR_SYM_TIME,
          DATE = KVR_SYM_DATE, LIST = KVR_SYM_RESPERM;
const int CHR = KVR_MEM_CHAR, I16 = KVR_MEM_INT16, I32 = KVR_MEM_INT32;

std::vector<Setting> Periods(const char* kind, int sym)
{
    std::vector<Setting> out;
    for (int i = 1; i <= 5; ++i)
        for (const char* end : { "From", "To" })
            out.push_back({ std::string(kind) + " period " + std::to_string(i) + " - " + end, sym, CHR, "" });
    return out;
}

// The prompt, the number of entries, then per password its check, entry
// and confirmation.
std::vector<Setting> Passwords()
{
    std::vector<Setting> out = { { "Password Voice Item", ITEM, CHR, "" },
                                 { "Maximum Password Entries", NUM, I32, "3" } };
    for (int i = 1; i <= 5; ++i)
    {
        std::string n = std::to_string(i);
        out.push_back({ "Password Check " + n, NUM, I16, "0" });
        out.push_back({ "Password Entry " + n, TEXT, CHR, "" });
        out.push_back({ "Confirmation Entry " + n, TEXT, CHR, "" });
    }
    return out;
}

// Every block type of the catalogue with its settings, in their order.
const std::vector<TypeSettings>& Types()
{
    static const std::vector<TypeSettings> types = {
        { 142, 23013, {} },                                            // Begin
        { 396, 23022, {} },                                            // End
        { 401, 23023, {} },                                            // Continue
        { 408, 23014, {} },                                            // Rotary Dial
        { 181, 23026, {} },                                            // Exit
        { 409, 23015, {} },                                            // Imported Application
        { 393, 23002, { { "Voice Item", ITEM, CHR, "" } } },           // Announcement
        { 402, 23001, { { "Menu choices", ITEM, CHR, "" },
                        { "Max no responses", NUM, I16, "0" },
                        { "Max number of no responses", NUM, I32, "3" },
                        { "No response", ITEM, CHR, "" },
                        { "Max invalid choices", NUM, I16, "0" },
                        { "Max number of invalid choices", NUM, I32, "3" },
                        { "Invalid choice", ITEM, CHR, "" },
                        { "Replay main after no response", NUM, I16, "0" },
                        { "Replay main after invalid", NUM, I16, "0" } } },
        { 403, 23005, { { "System prompt", NUM, I16, "-1" } } },      // Language Select
        { 394, 23007, { { "Transfer to", NUM, I16, "0" },              // Call Transfer
                        { "Extension number", NUM, CHR, "" },
                        { "Number of rings", NUM, I32, "4" },
                        { "Transfer prompt", ITEM, CHR, "" } } },
        { 405, 23003, { { "Thru-Dial greeting", ITEM, CHR, "" },
                        { "Dialing options", NUM, I16, "0" },
                        { "Use Fixed Length Numbers", NUM, I16, "0" },
                        { "Number length", NUM, I32, "4" },
                        { "Left pad for fixed length nums", NUM, CHR, "" },
                        { "Restriction/permission list", LIST, I32, "0" } } },
        { 395, 23012, {} },                                            // Day Control
        { 406, 23006, Periods("Time", TIME) },
        { 410, 23008, Periods("Date", DATE) },
        { 411, 23010, Passwords() },
        { 397, 23009, { { "Mailbox selection options", NUM, I16, "0" },   // Express Voice Messaging
                        { "Mailbox number", NUM, CHR, "" } } },
        { 404, 23020, {} },                                            // Multimedia Messaging
        { 414, 23021, { { "Use paced speech recognition", NUM, I16, "0" } } },
        { 400, 23019, {} },                                            // Remote Activation
        { 407, 23018, {} },                                            // Voice Item Maintenance
        { 398, 23016, {} },                                            // Fax Send
        { 413, 23004, { { "Fax Item", ITEM, CHR, "" },
                        { "Allow transfer to an attendant", NUM, I16, "0" } } },
        { 412, 23011, { { "Mailbox selection options", NUM, I16, "0" },   // Express Fax Messaging
                        { "Mailbox number", NUM, CHR, "" } } },
        { 399, 23017, {} },                                            // Fax Item Maintenance
        { 415, 23025, {} },                                            // Custom Commands
        { 289, 23026, {} },                                            // Obsolete
    };
    return types;
}

std::string BlockName(int type) { return "B" + std::to_string(type); }

// Splits a line of the model's part at its unescaped '|'.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (line[i] == '|')
            fields.emplace_back();
        else if (line[i] == '\\' && i + 1 < line.size())
            fields.back() += line[++i];
        else if (line[i] != '\n')
            fields.back() += line[i];
    }
    return fields;
}

// The "Var" lines of each block of a written model part: block name to
// the variables' names and values in file order.
std::map<std::string, std::vector<std::pair<std::string, std::string>>> WrittenSettings(const std::string& text)
{
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> out;
    std::string block;
    size_t at = 0;
    while (at < text.size())
    {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::vector<std::string> f = Fields(text.substr(at, end - at));
        at = end + 1;
        if (f[0] == "Block" && f.size() > 2)
        {
            block = f[2];
            out[block];
        }
        else if (f[0] == "Var" && f.size() == 3)
            out[block].push_back({ f[1], f[2] });
        else
            block.clear();
    }
    return out;
}

void* Ptr(int type, const char* name, kvrHandleType* block)
{
    return kvrSDOGetSymbolPtr(type, name, block, kvrSDOGetSymbolOffset(type, name));
}

// A value of a setting that no setting starts with, by its place.
std::string ValueFor(const Setting& s, size_t index)
{
    if (s.rep == CHR)
        return "v" + std::to_string(index + 1);
    return std::to_string(s.rep == I16 ? (long)index + 2 : (long)index + 100);
}

void SetValue(int type, const Setting& s, kvrHandleType* block, const std::string& value)
{
    void* p = Ptr(type, s.name.c_str(), block);
    ASSERT_NE(nullptr, p) << type << " " << s.name;
    if (s.rep == CHR)
        lstrcpynA(static_cast<char*>(p), value.c_str(), kvrSDOGetSymbolSize(type, s.name.c_str()));
    else if (s.rep == I16)
        *static_cast<short*>(p) = (short)std::stol(value);
    else
        *static_cast<long*>(p) = std::stol(value);
}

std::string GetValue(int type, const Setting& s, kvrHandleType* block)
{
    void* p = Ptr(type, s.name.c_str(), block);
    if (!p)
        return "<no storage>";
    if (s.rep == CHR)
        return static_cast<const char*>(p);
    return std::to_string(s.rep == I16 ? (long)*static_cast<short*>(p) : *static_cast<long*>(p));
}

class BlockSettingsTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        // The page a SuperBlock call would call is not needed: the call has
        // no settings and stands outside the palette's table.
        for (const TypeSettings& t : Types())
        {
            int retry = 1;
            kvrHandleType* h = kvrCreatePowerBlock(t.type, BlockName(t.type).c_str(), &retry,
                                                   t.type == KVR_PB_IMPORTED ? "Orders.17" : "");
            ASSERT_NE(nullptr, h) << t.type;
            blocks[t.type] = h;
        }
    }

    std::string Written()
    {
        TempFile file;
        EXPECT_EQ(KVR_OK, kvrWriteProgram(file.f, file.f, 0));
        return file.Text();
    }

    // Reads a model part into a new program, current while the test looks;
    // the fixture's program is current again afterwards.
    void ReadInto(const std::string& text, const std::function<void()>& check)
    {
        TempFile file;
        file.Put(text);
        std::fflush(file.f);
        std::rewind(file.f);
        kvrHandleType* prog = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, prog);
        EXPECT_EQ(KVR_OK, kvrReadProgram(file.f, file.f, KVR_PROMPT_ASK, nullptr));
        check();
        EXPECT_EQ(KVR_OK, kvrRemoveProgram(prog));
        kvrActivateProgram(m_prog);
    }

    std::map<int, kvrHandleType*> blocks;
};

} // namespace

// The table holds every block type that the palettes offer, current and
// obsolete: a new type cannot come without its settings being decided.
TEST(BlockSettings, TheTableHoldsEveryBlockTypeOfTheCatalogue)
{
    std::set<int> listed;
    for (int kind : { 0, 1 })
    {
        IconInfoTable table;
        int groups = kvrGetPowerBlockList(&table, kind, 1);
        for (int g = 0; g < groups; ++g)
            for (const PowerBlockInfo* b = table.groups[g]->blocks; b->name; ++b)
                listed.insert(b->type);
    }
    std::set<int> inTable;
    for (const TypeSettings& t : Types())
        inTable.insert(t.type);
    EXPECT_EQ(listed, inTable);
}

// What the model keeps of each type: exactly the table's settings, in its
// order, with their kind, storage and initial value.
TEST_F(BlockSettingsTest, EachTypeHasTheSettingsOfTheTable)
{
    auto written = WrittenSettings(Written());
    for (const TypeSettings& t : Types())
    {
        SCOPED_TRACE(t.type);
        const auto& vars = written[BlockName(t.type)];
        ASSERT_EQ(t.settings.size(), vars.size());
        for (size_t i = 0; i < vars.size(); ++i)
        {
            const Setting& s = t.settings[i];
            EXPECT_EQ(s.name, vars[i].first);
            EXPECT_EQ(s.initial, vars[i].second) << s.name;
            EXPECT_EQ(s.sym, kvrSDOGetSymbolType(t.type, s.name.c_str())) << s.name;
            EXPECT_EQ(s.rep, kvrSDOGetSymbolMemRep(t.type, s.name.c_str())) << s.name;
            EXPECT_GE(kvrSDOGetSymbolOffset(t.type, s.name.c_str()), 0) << s.name;
        }
    }
    // The settings that have the model's voice items behind them.
    EXPECT_EQ(ITEM, kvrSDOGetSymbolType(393, "Voice Item"));
    EXPECT_EQ(ITEM, kvrSDOGetSymbolType(394, "Transfer prompt"));
}

// Each type's settings record binds every setting of the type and nothing
// else, so that its property sheet can show and change all of them. The
// records are read from their readable tables.
TEST(BlockSettings, TheSettingsRecordOfEachTypeBindsEverySetting)
{
    std::string path = std::string("Z:") + PLEX_BLOCK_DEFS;
    FILE* f = std::fopen(path.c_str(), "r");
    ASSERT_NE(nullptr, f) << path;
    std::map<int, std::set<std::string>> bound;
    char line[512];
    int record = 0;
    while (std::fgets(line, sizeof(line), f))
    {
        int id = 0;
        if (std::sscanf(line, "record %d", &id) == 1)
        {
            record = id;
            bound[record];
            continue;
        }
        const char* var = std::strstr(line, " var ");
        if (!var || std::strncmp(line, "    field", 9) != 0)
            continue;
        const char* v1 = std::strchr(var, '"');
        const char* v2 = v1 ? std::strchr(v1 + 1, '"') : nullptr;
        ASSERT_NE(nullptr, v2) << line;
        bound[record].insert(std::string(v1 + 1, (size_t)(v2 - v1 - 1)));
    }
    std::fclose(f);
    for (const TypeSettings& t : Types())
    {
        SCOPED_TRACE(t.type);
        ASSERT_TRUE(bound.count(t.record)) << t.record;
        std::set<std::string> names;
        for (const Setting& s : t.settings)
            names.insert(s.name);
        EXPECT_EQ(names, bound[t.record]);
    }
}

// Every setting of every type, set to a value of its own, comes back from
// the program file.
TEST_F(BlockSettingsTest, EverySettingComesBackFromTheProgramFile)
{
    for (const TypeSettings& t : Types())
        for (size_t i = 0; i < t.settings.size(); ++i)
            SetValue(t.type, t.settings[i], blocks[t.type], ValueFor(t.settings[i], i));
    std::string text = Written();
    int checked = 0;
    ReadInto(text, [&] {
        for (const TypeSettings& t : Types())
        {
            kvrHandleType* h = kvrFindPowerBlock(BlockName(t.type).c_str(), 1, 0);
            ASSERT_NE(nullptr, h) << t.type;
            EXPECT_NE(blocks[t.type], h);
            for (size_t i = 0; i < t.settings.size(); ++i)
            {
                EXPECT_EQ(ValueFor(t.settings[i], i), GetValue(t.type, t.settings[i], h))
                    << t.type << " " << t.settings[i].name;
                ++checked;
            }
        }
    });
    EXPECT_GT(checked, 0);
}

// A program file written before a type had its settings (or by hand)
// names no "Var" line for them: the block loads with their initial values,
// and the settings it does name are taken.
TEST_F(BlockSettingsTest, ABlockSavedWithoutItsSettingsKeepsTheirInitialValues)
{
    const std::string text =
        "{ApplicationModel}\n"
        "Page|Main|1|0|1\n"
        "Block|Main|Hello|393||0\n"
        "Block|Main|Transfer|394||0\n"
        "Var|Extension number|2201\n"
        "Block|Main|Choose|402||0\n"
        "Block|Main|Language|403||0\n"
        "Block|Main|Mailbox|397||0\n"
        "{EndofApplicationModel}\n";
    ReadInto(text, [&] {
        struct Row { const char* block; int type; const char* name; int rep; const char* value; } rows[] = {
            { "Hello", 393, "Voice Item", CHR, "" },
            { "Transfer", 394, "Transfer to", I16, "0" },
            { "Transfer", 394, "Extension number", CHR, "2201" },
            { "Transfer", 394, "Number of rings", I32, "4" },
            { "Transfer", 394, "Transfer prompt", CHR, "" },
            { "Choose", 402, "Max number of invalid choices", I32, "3" },
            { "Language", 403, "System prompt", I16, "-1" },
            { "Mailbox", 397, "Mailbox selection options", I16, "0" },
        };
        for (const Row& r : rows)
        {
            kvrHandleType* h = kvrFindPowerBlock(r.block, 1, 0);
            ASSERT_NE(nullptr, h) << r.block;
            Setting s = { r.name, 0, r.rep, "" };
            EXPECT_EQ(r.value, GetValue(r.type, s, h)) << r.block << " " << r.name;
        }
    });
}
