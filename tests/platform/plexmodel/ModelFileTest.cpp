// The model's part of the program file: written between the editor's
// header and its "{Program}" line, read back whole, the stream left on
// "{Program}".
#include "PlexModelTest.h"

#include <cstdlib>

namespace {

const char kHeader[] = "{FileHeader}\n[Zantrel Plexwright Graphical Editor File,V9.01,]\n"
                       "{EndofFileHeader}\n";
const char kAfter[] = "{Program}\n[1,]\n{EndofProgram}\n";

kvrItemData* NewItem(short media, const char* text)
{
    kvrItemData* item = static_cast<kvrItemData*>(std::calloc(1, sizeof(kvrItemData)));
    item->mediaKind = media;
    item->description = static_cast<char*>(std::malloc(std::strlen(text) + 1));
    std::strcpy(item->description, text);
    return item;
}

void FreeItem(void* data)
{
    kvrItemData* item = static_cast<kvrItemData*>(data);
    if (!item)
        return;
    FreeItem(item->confirm);
    std::free(item->description);
    std::free(item);
}

void SetText(int type, const char* name, kvrHandleType* block, const char* text)
{
    int offset = kvrSDOGetSymbolOffset(type, name);
    std::free(kvrSDOGetSymbolPtr(type, name, block, offset));
    char* mem = static_cast<char*>(kvrSDOAllocateMem(type, name, block, offset));
    lstrcpynA(mem, text, kvrSDOGetSymbolSize(type, name));
}

const char* Text(int type, const char* name, kvrHandleType* block)
{
    return static_cast<const char*>(kvrSDOGetSymbolPtr(
        type, name, block, kvrSDOGetSymbolOffset(type, name)));
}

template <class T>
T Number(int type, const char* name, kvrHandleType* block)
{
    return *static_cast<T*>(kvrSDOGetSymbolPtr(type, name, block,
                                               kvrSDOGetSymbolOffset(type, name)));
}

// The program read back from the file, current while it lives.
class ReadBack
{
public:
    explicit ReadBack(FILE* f, int mode = KVR_PROMPT_ASK, FILE* log = nullptr)
    {
        prog = kvrAddProgram(nullptr, 0);
        std::rewind(f);
        char line[256];
        for (int i = 0; i < 3; ++i)
            std::fgets(line, sizeof(line), f);
        result = kvrReadProgram(f, f, mode, log);
    }
    ~ReadBack()
    {
        for (int type : { KVR_SYM_ITEM, KVR_SYM_RESPERM })
        {
            std::vector<Symbol*> syms(kvrGetTreeSize(type));
            kvrGetATypeOfSymbols(syms.data(), type);
            for (Symbol* s : syms)
            {
                if (type == KVR_SYM_ITEM)
                    FreeItem(s->Variable);
                else
                    std::free(s->Variable);
                s->Variable = nullptr;
            }
        }
        kvrRemoveProgram(prog);
    }
    kvrHandleType* prog;
    int result;
};

std::string NextLine(FILE* f)
{
    char line[256] = "";
    std::fgets(line, sizeof(line), f);
    return line;
}

} // namespace

class ModelFileTest : public ModelTest
{
protected:
    void TearDown() override
    {
        for (void* data : m_data)
            FreeItem(data);
        ModelTest::TearDown();
    }

    void Write()
    {
        m_file.Put(kHeader);
        ASSERT_EQ(KVR_OK, kvrWriteProgram(m_file.f, m_file.f, 0));
        m_file.Put(kAfter);
        std::fflush(m_file.f);
    }

    TempFile m_file;
    std::vector<void*> m_data;
};

TEST_F(ModelFileTest, PagesBlocksVariablesAndConnectionsRoundTrip)
{
    kvrHandleType* begin = Block(KVR_PB_BEGIN, "Begin");
    kvrHandleType* menu = Block(402, "Menu1");
    kvrHandleType* rotary = Block(KVR_PB_ROTARY, "Rotary");
    kvrCreateGoto(begin, menu, 0);
    kvrCreateGoto(menu, menu, ConnIndex(menu, "*"));
    *static_cast<short*>(kvrSDOGetSymbolPtr(402, "Max no responses", menu,
        kvrSDOGetSymbolOffset(402, "Max no responses"))) = 1;
    *static_cast<long*>(kvrSDOGetSymbolPtr(402, "Max number of no responses", menu,
        kvrSDOGetSymbolOffset(402, "Max number of no responses"))) = 5;
    SetText(402, "Menu choices", menu, "12");
    kvrSDOSetIconFinished(menu, 1);
    kvrHandleType* verify = kvrCreatePage("Check", KVR_PAGE_VERIFICATION, 0);
    kvrActivatePage(verify);
    kvrHandleType* pwd = Block(411, "Pwd|1");
    SetText(411, "Password Entry 1", pwd, "12|34\\5");
    kvrHandleType* success = Block(KVR_PB_EXIT, "Success");
    kvrCreateGoto(pwd, success, ConnIndex(pwd, "Password 1"));
    kvrSDOSetIconFinished(pwd, 1);
    kvrActivatePage(m_main);
    Write();

    ReadBack back(m_file.f);
    ASSERT_EQ(KVR_OK, back.result);
    EXPECT_EQ("{Program}\n", NextLine(m_file.f));

    kvrHandleType* main2 = kvrFindPage("Main");
    kvrHandleType* check2 = kvrFindPage("Check");
    ASSERT_NE(nullptr, main2);
    ASSERT_NE(nullptr, check2);
    struct { const char* name; int type; int finished; } blocks[] = {
        { "Begin", KVR_PB_BEGIN, 0 }, { "Menu1", 402, 1 }, { "Rotary", KVR_PB_ROTARY, 0 },
        { "Check$Pwd|1", 411, 1 }, { "Check$Success", KVR_PB_EXIT, 0 },
    };
    for (const auto& b : blocks)
    {
        kvrHandleType* h = kvrFindPowerBlock(b.name, 1, 0);
        ASSERT_NE(nullptr, h) << b.name;
        PowerBlockInfo info;
        kvrGetPowerBlockInfo(h, &info);
        EXPECT_EQ(b.type, info.type) << b.name;
        EXPECT_EQ(b.finished, kvrIsPowerBlockFinished(h)) << b.name;
    }
    kvrHandleType* begin2 = kvrFindPowerBlock("Begin", 1, 0);
    kvrHandleType* menu2 = kvrFindPowerBlock("Menu1", 1, 0);
    kvrHandleType* rotary2 = kvrFindPowerBlock("Rotary", 1, 0);
    kvrHandleType* pwd2 = kvrFindPowerBlock("Check$Pwd|1", 1, 0);
    EXPECT_EQ(menu2, kvrGetGotoConnection(begin2, 0));
    EXPECT_EQ(menu2, kvrGetGotoConnection(menu2, ConnIndex(menu2, "*")));
    EXPECT_EQ(rotary2, kvrGetGotoConnection(menu2, ConnIndex(menu2, "Rotary")));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(menu2, ConnIndex(menu2, "1")));
    EXPECT_EQ(kvrFindPowerBlock("Check$Success", 1, 0),
              kvrGetGotoConnection(pwd2, ConnIndex(pwd2, "Password 1")));
    EXPECT_EQ(1, (Number<short>(402, "Max no responses", menu2)));
    EXPECT_EQ(5, (Number<long>(402, "Max number of no responses", menu2)));
    EXPECT_EQ(3, (Number<long>(402, "Max number of invalid choices", menu2)));
    EXPECT_STREQ("12", Text(402, "Menu choices", menu2));
    EXPECT_STREQ("", Text(402, "No response", menu2));
    EXPECT_STREQ("12|34\\5", Text(411, "Password Entry 1", pwd2));
    // The originals are untouched and a different program.
    EXPECT_NE(menu, menu2);
    (void)rotary;
}

TEST_F(ModelFileTest, SymbolsAndTheirDataRoundTrip)
{
    kvrItemData* voice = NewItem(0, "Welcome, caller|\r\nsecond line");
    kvrItemData* fax = NewItem(3, "Price list");
    fax->confirm = NewItem(3, "Thank you");
    kvrListData* list = static_cast<kvrListData*>(std::malloc(sizeof(kvrListData)));
    list->listId = 44;
    list->useCount = 2;
    m_data = { voice, fax };
    Symbol* s1 = nullptr;
    Symbol* s2 = nullptr;
    Symbol* s3 = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&s1, "Welcome", KVR_SYM_ITEM, 1, 7, 1, 0, voice));
    ASSERT_EQ(1, kvrAddSymbol(&s2, "Prices", KVR_SYM_ITEM, 1, 3000, 1, 0, fax));
    ASSERT_EQ(1, kvrAddSymbol(&s3, "Staff", KVR_SYM_RESPERM, 1, 44, 1, 0, list));
    s1->RefCnt = 3;
    s2->ExclFlags2 = 1;
    s3->RefCnt = 1;
    Write();
    s3->Variable = nullptr;
    std::free(list);

    ReadBack back(m_file.f);
    ASSERT_EQ(KVR_OK, back.result);
    ASSERT_EQ(2, kvrGetTreeSize(KVR_SYM_ITEM));
    ASSERT_EQ(1, kvrGetTreeSize(KVR_SYM_RESPERM));
    Symbol* w = kvrFindSymbol("Welcome");
    Symbol* p = kvrFindSymbol("Prices");
    Symbol* st = kvrFindSymbol("Staff");
    ASSERT_TRUE(w && p && st);
    EXPECT_NE(s1, w);
    struct { Symbol* sym; short type; short number; short refs; short excl2; } rows[] = {
        { w, KVR_SYM_ITEM, 7, 3, 0 }, { p, KVR_SYM_ITEM, 3000, 0, 1 },
        { st, KVR_SYM_RESPERM, 44, 1, 0 },
    };
    for (const auto& r : rows)
    {
        EXPECT_EQ(r.type, r.sym->Type) << r.sym->Name;
        EXPECT_EQ(r.number, r.sym->ItemNumber) << r.sym->Name;
        EXPECT_EQ(r.refs, r.sym->RefCnt) << r.sym->Name;
        EXPECT_EQ(r.excl2, r.sym->ExclFlags2) << r.sym->Name;
        EXPECT_EQ(1, r.sym->Scope);
        EXPECT_EQ(1, r.sym->Defined);
        ASSERT_NE(nullptr, r.sym->Variable) << r.sym->Name;
    }
    const kvrItemData* wd = static_cast<const kvrItemData*>(w->Variable);
    EXPECT_EQ(0, wd->mediaKind);
    EXPECT_STREQ("Welcome, caller|\r\nsecond line", wd->description);
    EXPECT_EQ(nullptr, wd->confirm);
    const kvrItemData* pd = static_cast<const kvrItemData*>(p->Variable);
    EXPECT_EQ(3, pd->mediaKind);
    EXPECT_STREQ("Price list", pd->description);
    ASSERT_NE(nullptr, pd->confirm);
    EXPECT_STREQ("Thank you", pd->confirm->description);
    const kvrListData* ld = static_cast<const kvrListData*>(st->Variable);
    EXPECT_EQ(44, ld->listId);
    EXPECT_EQ(2, ld->useCount);
}

TEST_F(ModelFileTest, ReadingNeedsAnEmptyProgram)
{
    Write();
    std::rewind(m_file.f);
    EXPECT_EQ(KVR_ERR_NOTEMPTY, kvrReadProgram(m_file.f, m_file.f, 0, nullptr));
}

TEST_F(ModelFileTest, AFileWithoutTheModelPartIsRefusedAndLeftOnProgram)
{
    m_file.Put(kHeader);
    m_file.Put(kAfter);
    TempFile log;
    ReadBack back(m_file.f, KVR_PROMPT_ASK, log.f);
    EXPECT_EQ(KVR_ERR_FORMAT, back.result);
    EXPECT_EQ("{Program}\n", NextLine(m_file.f));
    EXPECT_EQ(0u, log.Text().find("ERROR: "));
}

TEST_F(ModelFileTest, BadLinesStopOrAreSkippedByThePromptMode)
{
    m_file.Put(kHeader);
    m_file.Put("{ApplicationModel}\n"
               "Page|Main|1|0|1\n"
               "Block|Main|Menu1|402||0\n"
               "Block|Main|Ghost|5||0\n"          // no such type
               "Var|Max number of no responses|4\n"
               "Var|No such variable|1\n"
               "Goto|Main|Menu1|99|Menu1\n"       // no such connection
               "Whatever\n"
               "Block|Nowhere|Menu2|402||0\n"     // no such page
               "Block|Main|Menu3|402||1\n"
               "{EndofApplicationModel}\n");
    m_file.Put(kAfter);
    struct { int mode; int result; int badLines; bool menu3; } rows[] = {
        { KVR_PROMPT_ASK, KVR_ERR_FORMAT, 1, false },
        { KVR_PROMPT_STOP, KVR_ERR_FORMAT, 1, false },
        { KVR_PROMPT_CONTINUE, KVR_OK, 6, true },
    };
    for (const auto& r : rows)
    {
        TempFile log;
        ReadBack back(m_file.f, r.mode, log.f);
        EXPECT_EQ(r.result, back.result) << r.mode;
        std::string text = log.Text();
        int lines = 0;
        for (size_t at = 0; (at = text.find("ERROR: ", at)) != std::string::npos; ++at)
            ++lines;
        EXPECT_EQ(r.badLines, lines) << r.mode << "\n" << text;
        EXPECT_EQ(r.menu3, kvrFindPowerBlock("Menu3", 1, 0) != nullptr) << r.mode;
        if (r.result == KVR_OK)
        {
            EXPECT_EQ("{Program}\n", NextLine(m_file.f));
            // A bad line in between does not disturb the lines around it.
            kvrHandleType* menu = kvrFindPowerBlock("Menu1", 1, 0);
            ASSERT_NE(nullptr, menu);
        }
    }
}

TEST_F(ModelFileTest, LongTextsAreCutToTheirStorage)
{
    m_file.Put(kHeader);
    std::string longText(200, '7');
    m_file.Put("{ApplicationModel}\nPage|Main|1|0|1\nBlock|Main|Pwd1|411||0\n"
               "Var|Password Entry 1|" + longText + "\n{EndofApplicationModel}\n");
    m_file.Put(kAfter);
    ReadBack back(m_file.f);
    ASSERT_EQ(KVR_OK, back.result);
    kvrHandleType* pwd = kvrFindPowerBlock("Pwd1", 1, 0);
    int size = kvrSDOGetSymbolSize(411, "Password Entry 1");
    EXPECT_EQ(std::string(size - 1, '7'), Text(411, "Password Entry 1", pwd));
}

TEST_F(ModelFileTest, WritingNeedsAProgramAndAFile)
{
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrWriteProgram(nullptr, nullptr, 0));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrReadProgram(nullptr, nullptr, 0, nullptr));
    kvrHandleType* prog = m_prog;
    kvrRemoveProgram(prog);
    m_prog = nullptr;
    EXPECT_EQ(KVR_ERR_HANDLE, kvrWriteProgram(m_file.f, m_file.f, 0));
    EXPECT_EQ(KVR_ERR_HANDLE, kvrReadProgram(m_file.f, m_file.f, 0, nullptr));
}

TEST_F(ModelFileTest, OnlyOnePageIsTheMainPage)
{
    // A damaged file that makes a second page main would give two blocks
    // the same model name: the second claim is reported, and the page is
    // kept as an ordinary page with its blocks.
    m_file.Put(kHeader);
    m_file.Put("{ApplicationModel}\n"
               "Page|Main|1|0|1\n"
               "Page|Other|1|0|1\n"
               "Block|Main|Begin|142||0\n"
               "Block|Other|Begin|142||0\n"
               "{EndofApplicationModel}\n");
    m_file.Put(kAfter);
    struct { int mode; int result; } rows[] = {
        { KVR_PROMPT_ASK, KVR_ERR_FORMAT },
        { KVR_PROMPT_CONTINUE, KVR_OK },
    };
    for (const auto& r : rows)
    {
        TempFile log;
        ReadBack back(m_file.f, r.mode, log.f);
        EXPECT_EQ(r.result, back.result) << r.mode;
        EXPECT_NE(std::string::npos, log.Text().find("Page|Other|1|0|1")) << r.mode;
        if (r.result != KVR_OK)
            continue;
        kvrHandleType* mainPage = kvrFindPage("Main");
        kvrHandleType* other = kvrFindPage("Other");
        ASSERT_NE(nullptr, mainPage);
        ASSERT_NE(nullptr, other);
        kvrHandleType* begin = kvrFindPowerBlock("Begin", 1, 0);
        kvrHandleType* otherBegin = kvrFindPowerBlock("Other$Begin", 1, 0);
        ASSERT_NE(nullptr, begin);
        ASSERT_NE(nullptr, otherBegin);
        EXPECT_NE(begin, otherBegin);
        ASSERT_EQ(KVR_OK, kvrActivatePage(other));
        EXPECT_EQ(otherBegin, kvrFindPowerBlock("Begin", 0, 0));
    }
}

TEST_F(ModelFileTest, ListsTheEditorRenamedInPlaceReadBack)
{
    // The editor writes a list's name straight into its symbol when the
    // server's list is renamed: a saved program with such a name must open
    // again.
    const char* names[] = { "Sales$East", "Main", "Staff", "" };
    std::vector<kvrListData*> lists;
    Symbol* s = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&s, "Staff", KVR_SYM_RESPERM, 1, 1, 1, 0, nullptr));
    for (int i = 0; i < 4; ++i)
    {
        kvrListData* list = static_cast<kvrListData*>(std::malloc(sizeof(kvrListData)));
        list->listId = 50 + i;
        list->useCount = 1;
        lists.push_back(list);
        std::string temp = "List" + std::to_string(i);
        ASSERT_EQ(1, kvrAddSymbol(&s, temp.c_str(), KVR_SYM_RESPERM, 1, (short)(50 + i), 1, 0,
                                  list));
        lstrcpynA(s->Name, names[i], KVR_SYMBOL_NAME_SIZE);
    }
    Write();
    kvrDeleteSymbol("Staff", KVR_SYM_RESPERM);
    for (kvrListData* list : lists)
        std::free(list);
    std::vector<Symbol*> syms(kvrGetTreeSize(KVR_SYM_RESPERM));
    kvrGetATypeOfSymbols(syms.data(), KVR_SYM_RESPERM);
    for (Symbol* sym : syms)
        sym->Variable = nullptr;

    ReadBack back(m_file.f);
    ASSERT_EQ(KVR_OK, back.result);
    std::vector<Symbol*> read(kvrGetTreeSize(KVR_SYM_RESPERM));
    ASSERT_EQ(5u, read.size());
    kvrGetATypeOfSymbols(read.data(), KVR_SYM_RESPERM);
    EXPECT_STREQ("Staff", read[0]->Name);
    EXPECT_EQ(nullptr, read[0]->Variable);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_STREQ(names[i], read[i + 1]->Name);
        ASSERT_NE(nullptr, read[i + 1]->Variable) << names[i];
        EXPECT_EQ(50 + i, static_cast<kvrListData*>(read[i + 1]->Variable)->listId);
    }
}

TEST_F(ModelFileTest, ExportFlagAndSuperBlockCallsRoundTrip)
{
    kvrHandleType* sub = kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0);
    kvrHandleType* other = kvrCreatePage("Other", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_NE(nullptr, other);
    ASSERT_EQ(KVR_OK, kvrSetPageType(m_prog, "Sub", 1));
    Block(KVR_PB_SUPERCALL, "CallSub", "Sub");
    Write();
    std::string text = m_file.Text();
    // Only an exported page has the sixth field.
    EXPECT_NE(std::string::npos, text.find("Page|Sub|1|0|0|1\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Page|Other|1|0|0\n")) << text;

    ReadBack back(m_file.f);
    ASSERT_EQ(KVR_OK, back.result);
    EXPECT_EQ(1, kvrGetPageType(back.prog, "Sub"));
    EXPECT_EQ(0, kvrGetPageType(back.prog, "Other"));
    EXPECT_EQ(1, kvrPageInUse(kvrFindPage("Sub")));
    EXPECT_EQ(0, kvrPageInUse(kvrFindPage("Other")));
    EXPECT_STREQ("Sub", kvrGetSBName(kvrFindPowerBlock("CallSub", 1, 0)));
}
