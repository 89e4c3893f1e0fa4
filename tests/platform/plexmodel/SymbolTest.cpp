// Symbols of voice and fax items and of restriction/permission lists, as
// the editor reads and writes them in place.
#include "PlexModelTest.h"

#include <cstdlib>
#include <vector>

TEST_F(ModelTest, SymbolMembersLieWhereTheEditorReadsThem)
{
    kvrListData* list = static_cast<kvrListData*>(std::malloc(sizeof(kvrListData)));
    list->listId = 12;
    list->useCount = 1;
    Symbol* sym = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&sym, "Staff only", KVR_SYM_RESPERM, 1, 12, 1, 0, list));
    ASSERT_NE(nullptr, sym);
    EXPECT_STREQ("Staff only", static_cast<const char*>((const void*)((const char*)sym + 10)));
    EXPECT_EQ(0, (At<short>(sym, 52)));
    EXPECT_EQ(0, (At<long>(sym, 54)));
    EXPECT_EQ(0, (At<short>(sym, 58)));
    EXPECT_EQ((void*)list, (At<void*>(sym, 60)));
    // The 64-bit build's Variable pointer is 8 bytes, so the item number
    // that follows it moves on by 4.
    const size_t itemNumberAt = 60 + sizeof(void*);
    EXPECT_EQ(12, (At<short>(sym, itemNumberAt)));
    EXPECT_EQ(KVR_SYM_RESPERM, sym->Type);
    // The editor writes the use count and the name in place.
    sym->RefCnt = 1;
    lstrcpyA(sym->Name, "Staff");
    EXPECT_EQ(sym, kvrFindSymbol("Staff"));
    EXPECT_EQ(1, kvrIsNameInUse("Staff"));
    sym->Variable = nullptr;
    std::free(list);
    EXPECT_EQ(1, kvrDeleteSymbol("Staff", KVR_SYM_RESPERM));
}

TEST_F(ModelTest, SymbolsAreListedByTypeInTheOrderAdded)
{
    struct { const char* name; int type; short number; } adds[] = {
        { "Welcome", KVR_SYM_ITEM, 1 }, { "Sales", KVR_SYM_RESPERM, 4 },
        { "Goodbye", KVR_SYM_ITEM, 2 }, { "Night", KVR_SYM_ITEM, 3000 },
        { "Support", KVR_SYM_RESPERM, 9 },
    };
    for (const auto& a : adds)
    {
        Symbol* sym = nullptr;
        ASSERT_EQ(1, kvrAddSymbol(&sym, a.name, a.type, 1, a.number, 1, 0, nullptr)) << a.name;
        EXPECT_EQ(a.number, sym->ItemNumber);
    }
    struct { int type; std::vector<std::string> names; } rows[] = {
        { KVR_SYM_ITEM, { "Welcome", "Goodbye", "Night" } },
        { KVR_SYM_RESPERM, { "Sales", "Support" } },
        { KVR_SYM_TEXT, {} },
    };
    for (const auto& r : rows)
    {
        int n = kvrGetTreeSize(r.type);
        ASSERT_EQ((int)r.names.size(), n);
        std::vector<Symbol*> syms(n + 1, nullptr);
        ASSERT_EQ(n, kvrGetATypeOfSymbols(syms.data(), r.type));
        for (int i = 0; i < n; ++i)
            EXPECT_STREQ(r.names[i].c_str(), syms[i]->Name);
        EXPECT_EQ(nullptr, syms[n]);   // nothing written past the count
    }
    EXPECT_EQ(1, kvrDeleteSymbol("Goodbye", KVR_SYM_ITEM));
    EXPECT_EQ(2, kvrGetTreeSize(KVR_SYM_ITEM));
    EXPECT_EQ(0, kvrDeleteSymbol("Sales", KVR_SYM_ITEM));   // wrong type
    EXPECT_EQ(0, kvrDeleteSymbol("Goodbye", KVR_SYM_ITEM)); // gone already
    EXPECT_EQ(2, kvrGetTreeSize(KVR_SYM_RESPERM));
}

TEST_F(ModelTest, BlocksAndPagesAreSymbolsToo)
{
    kvrHandleType* sub = kvrCreatePage("Sub1", 1, 0);
    kvrActivatePage(sub);
    Block(402, "Menu1");
    kvrActivatePage(m_main);
    Block(393, "Hello");
    Symbol* s = kvrFindSymbol("Sub1$Menu1");
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(KVR_SYM_POWERBLOCK, s->Type);
    EXPECT_STREQ("Sub1$Menu1", s->Name);
    ASSERT_NE(nullptr, kvrFindSymbol("Sub1"));
    EXPECT_EQ(KVR_SYM_PAGE, kvrFindSymbol("Sub1")->Type);
    EXPECT_EQ(2, kvrGetTreeSize(KVR_SYM_POWERBLOCK));
    EXPECT_EQ(2, kvrGetTreeSize(KVR_SYM_PAGE));
    EXPECT_EQ(nullptr, kvrFindSymbol("Menu1"));
    EXPECT_EQ(nullptr, kvrFindSymbol(nullptr));
}

TEST_F(ModelTest, SymbolNamesAreChecked)
{
    Block(402, "Menu1");
    Symbol* sym = nullptr;
    std::string longest(41, 'x');
    struct { std::string name; int type; int result; } rows[] = {
        { "", KVR_SYM_ITEM, 0 },
        { std::string(42, 'x'), KVR_SYM_ITEM, 0 },
        { "Menu1", KVR_SYM_ITEM, 0 },          // a block's name
        { "Main", KVR_SYM_RESPERM, 0 },        // a page's name
        { "Greeting", KVR_SYM_TEXT, 0 },       // not an item or list type
        { longest, KVR_SYM_ITEM, 1 },
        { longest, KVR_SYM_RESPERM, 0 },       // taken now
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.result, kvrAddSymbol(&sym, r.name.c_str(), r.type, 1, 1, 1, 0, nullptr))
            << r.name;
    EXPECT_EQ(0, kvrAddSymbol(nullptr, "Other", KVR_SYM_ITEM, 1, 1, 1, 0, nullptr));
    EXPECT_STREQ(longest.c_str(), kvrFindSymbol(longest.c_str())->Name);
}

TEST_F(ModelTest, ItemsAreRenamedWhenTheNameIsFree)
{
    Symbol* a = nullptr;
    Symbol* b = nullptr;
    kvrAddSymbol(&a, "Welcome", KVR_SYM_ITEM, 1, 1, 1, 0, nullptr);
    kvrAddSymbol(&b, "Goodbye", KVR_SYM_ITEM, 1, 2, 1, 0, nullptr);
    char name[32] = "Hello";
    struct { Symbol* sym; const char* name; int result; const char* after; } rows[] = {
        { a, "Goodbye", 0, "Welcome" },
        { a, "Main", 0, "Welcome" },
        { a, "", 0, "Welcome" },
        { a, "Welcome", 1, "Welcome" },
        { a, name, 1, "Hello" },
    };
    for (const auto& r : rows)
    {
        EXPECT_EQ(r.result, kvrRenameVoiceFaxItem(r.sym, r.name)) << r.name;
        EXPECT_STREQ(r.after, r.sym->Name);
    }
    Symbol stray = {};
    EXPECT_EQ(0, kvrRenameVoiceFaxItem(&stray, "Stray"));
    EXPECT_EQ(0, kvrRenameVoiceFaxItem(nullptr, "Stray"));
}

TEST_F(ModelTest, SymbolsBelongToTheirProgram)
{
    Symbol* sym = nullptr;
    kvrAddSymbol(&sym, "Welcome", KVR_SYM_ITEM, 1, 1, 1, 0, nullptr);
    kvrHandleType* other = kvrAddProgram(nullptr, 0);
    EXPECT_EQ(0, kvrGetTreeSize(KVR_SYM_ITEM));
    EXPECT_EQ(nullptr, kvrFindSymbol("Welcome"));
    Symbol* second = nullptr;
    EXPECT_EQ(1, kvrAddSymbol(&second, "Welcome", KVR_SYM_ITEM, 1, 1, 1, 0, nullptr));
    EXPECT_EQ(KVR_OK, kvrRemoveProgram(other));
    kvrActivateProgram(m_prog);
    EXPECT_EQ(sym, kvrFindSymbol("Welcome"));
}
