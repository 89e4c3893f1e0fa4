// Palette icons: groups and block icons from the model's palette table, and
// the default names of new blocks.
#include "ModelTestSupport.h"

#include <cstdio>
#include <memory>

TEST_F(ModelTest, IconsFollowThePaletteTable)
{
    int nGroups = 0;
    ListIterator groups(s_pIcons->GetGroups());
    while (groups)
    {
        GroupIcon& group = static_cast<GroupIcon&>(groups++);
        IconGroupEntry* pEntry = s_pTable->groups[nGroups];
        ASSERT_EQ(pEntry, group.GetEntry());
        EXPECT_STREQ(pEntry->name, group.GetName());
        EXPECT_EQ(pEntry->description, group.GetSecondValue());
        EXPECT_EQ(pEntry->hidden == 0, group.IsShownInPalette());
        EXPECT_FALSE(group.IsDraggable());
        EXPECT_EQ(361u, group.isA());
        // One icon per block type, in table order.
        int i = 0;
        ListIterator icons(group.GetIcons());
        while (icons)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(icons++);
            EXPECT_EQ(&pEntry->blocks[i], icon.GetInfo());
            EXPECT_STREQ(pEntry->blocks[i].name, icon.GetName());
            EXPECT_EQ(362u, icon.isA());
            EXPECT_TRUE(icon.IsDraggable());
            ++i;
        }
        EXPECT_EQ(nullptr, pEntry->blocks[i].name);
        ++nGroups;
    }
    EXPECT_EQ(nullptr, s_pTable->groups[nGroups]);
    EXPECT_EQ(142, s_pIcons->FindByType(142)->GetInfo()->type);
    EXPECT_EQ(nullptr, s_pIcons->FindByType(12345));

    IconInfoTable empty = {};
    Icons none(&empty);
    EXPECT_TRUE(none.GetGroups().isEmpty());
    EXPECT_EQ(nullptr, none.FindByType(142));
}

TEST_F(ModelTest, HiddenGroupIsNotListed)
{
    // A group whose first record ends the list.
    static char szName[] = "Test";
    IconGroupEntry entry = {};
    entry.name = szName;
    entry.hidden = 1;
    GroupIcon icon(&entry);
    EXPECT_FALSE(icon.IsShownInPalette());
    EXPECT_TRUE(icon.GetIcons().isEmpty());
}

TEST_F(ModelTest, UniqueDefaultNames)
{
    std::unique_ptr<Program> program(NewProgram());
    Page* pMain = program->GetMainPage();
    char szName[20];

    const struct
    {
        int nType;
        const char* pszName;
    } fresh[] = {{408, "Block1"}, {402, "Menu1"}, {407, "VIM1"}, {409, "ImportedPB1"}, {142, "Block1"}};
    for (const auto& c : fresh)
    {
        ASSERT_TRUE(IconOf(c.nType)->MakeUniqueName(szName)) << c.nType;
        EXPECT_STREQ(c.pszName, szName) << c.nType;
    }

    // Taken by a block, or by a page: the next number.
    AddBlock(pMain, 402, "Menu1");
    ASSERT_TRUE(IconOf(402)->MakeUniqueName(szName));
    EXPECT_STREQ("Menu2", szName);
    // The search is bounded: with every number taken there is no name.
    AddBlock(pMain, 402, "Menu2");
    EXPECT_FALSE(IconOf(402)->MakeUniqueName(szName, sizeof(szName), 2));
    EXPECT_STREQ("", szName);
    Page* pPage = new Page(program.get(), "Fax_Send1", PX_PAGE_SUPERBLOCK, 0);
    program->AddPage(pPage);
    program->GetMainPage()->Activate();
    ASSERT_TRUE(IconOf(398)->MakeUniqueName(szName));
    EXPECT_STREQ("Fax_Send2", szName);

    // Custom_Cmds10 has 13 characters; from 100 on MultimediaMsg is cut.
    for (int n = 1; n <= 9; ++n)
    {
        char sz[20];
        std::snprintf(sz, sizeof(sz), "Custom_Cmds%d", n);
        AddBlock(pMain, 415, sz);
    }
    ASSERT_TRUE(IconOf(415)->MakeUniqueName(szName));
    EXPECT_STREQ("Custom_Cmds10", szName);
    for (int n = 1; n <= 99; ++n)
    {
        char sz[20];
        std::snprintf(sz, sizeof(sz), "MultimediaMsg%d", n);
        AddBlock(pMain, 404, sz);
    }
    ASSERT_TRUE(IconOf(404)->MakeUniqueName(szName));
    EXPECT_STREQ("MultimediaMs100", szName);
}
