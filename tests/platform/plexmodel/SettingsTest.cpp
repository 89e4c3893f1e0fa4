// The model's start-up state: the offer of obsolete data types, the
// user-defined sentence types read from the settings file, and the server
// version the block definitions follow.
#include "PlexModelTest.h"

#include <string>
#include <vector>

namespace {

const char s_szSection[] = "User Defined Multimedia Sentence Types";

// A settings file of its own in the temporary folder.
class UserDefTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "kvu", 0, m_path);
    }
    void TearDown() override
    {
        kvrFreeUserDefINI();
        DeleteFileA(m_path);
    }
    void Put(const char* key, const std::string& value)
    {
        WritePrivateProfileStringA(s_szSection, key, value.c_str(), m_path);
    }
    void PutType(int n, const std::string& media, const std::string& name, const std::string& table)
    {
        Put(("User Defined Media " + std::to_string(n)).c_str(), media);
        Put(("User Defined Name " + std::to_string(n)).c_str(), name);
        Put(("User Defined Language Table " + std::to_string(n)).c_str(), table);
    }
    kvrUserDefType Type(int index)
    {
        kvrUserDefType t = {};
        EXPECT_EQ(KVR_OK, kvrGetUserDefType(index, &t)) << index;
        return t;
    }

    char m_path[MAX_PATH] = "";
};

} // namespace

TEST(BackTypes, EachToggleTurnsTheOfferOver)
{
    int start = kvrGetBackTypes();
    EXPECT_EQ(!start, kvrToggleBackTypes());
    EXPECT_EQ(!start, kvrGetBackTypes());
    EXPECT_EQ(start, kvrToggleBackTypes());
    EXPECT_EQ(start, kvrGetBackTypes());
}

TEST_F(UserDefTest, TheTypesAreReadInOrderAndFreedAgain)
{
    Put("Number of User Defined Types", "2");
    PutType(1, "Voice", "Example", "12");
    PutType(2, "Fax", "Cover", " 7 ");
    ASSERT_EQ(2, kvrLoadUserDefINI(m_path));
    ASSERT_EQ(2, kvrGetNumUserDefTypes());
    kvrUserDefType t = Type(0);
    EXPECT_STREQ("Voice", t.media);
    EXPECT_STREQ("Example", t.name);
    EXPECT_EQ(12, t.languageTable);
    t = Type(1);
    EXPECT_STREQ("Fax", t.media);
    EXPECT_STREQ("Cover", t.name);
    EXPECT_EQ(7, t.languageTable);

    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrGetUserDefType(2, &t));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrGetUserDefType(-1, &t));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrGetUserDefType(0, nullptr));

    EXPECT_EQ(KVR_OK, kvrFreeUserDefINI());
    EXPECT_EQ(0, kvrGetNumUserDefTypes());
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrGetUserDefType(0, &t));
}

TEST_F(UserDefTest, AZeroOrMissingCountTakesNothingAndASecondReadReplacesTheFirst)
{
    PutType(1, "Voice", "Example", "12");
    EXPECT_EQ(0, kvrLoadUserDefINI(m_path));      // no count
    Put("Number of User Defined Types", "0");
    EXPECT_EQ(0, kvrLoadUserDefINI(m_path));      // the seeded file: count 0
    Put("Number of User Defined Types", "1");
    EXPECT_EQ(1, kvrLoadUserDefINI(m_path));
    Put("Number of User Defined Types", "0");
    EXPECT_EQ(0, kvrLoadUserDefINI(m_path));
    EXPECT_EQ(0, kvrGetNumUserDefTypes());
}

TEST_F(UserDefTest, EntriesThatDoNotHoldAreLeftOutAndTheRestKept)
{
    const std::string longText(KVR_USERDEF_TEXT, 'x');
    const std::string fitting(KVR_USERDEF_TEXT - 1, 'y');
    const struct
    {
        const char* media;
        std::string name;
        const char* table;
        bool kept;
    } cases[] = {
        {"Voice", "Good", "12", true},
        {"", "NoMedia", "12", false},
        {"Voice", "", "12", false},
        {"Voice", longText, "12", false},
        {"Voice", fitting, "0", true},
        {"Voice", "NotANumber", "twelve", false},
        {"Voice", "Negative", "-3", false},
        {"Voice", "TooLarge", "10000", false},
        {"Voice", "Largest", "9999", true},
        {"Voice", "Trailing", "12x", false},
        {"Voice", "NoTable", "", false},
    };
    int n = 0;
    for (const auto& c : cases)
        PutType(++n, c.media, c.name, c.table);
    Put("Number of User Defined Types", std::to_string(n));

    std::vector<std::string> expected;
    for (const auto& c : cases)
        if (c.kept)
            expected.push_back(c.name);
    ASSERT_EQ((int)expected.size(), kvrLoadUserDefINI(m_path));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], Type((int)i).name) << i;
    EXPECT_EQ(9999, Type(2).languageTable);
}

TEST_F(UserDefTest, TheCountIsHeldToItsRange)
{
    for (int i = 1; i <= KVR_MAX_USERDEF_TYPES + 2; ++i)
        PutType(i, "Voice", "T" + std::to_string(i), "1");
    const struct
    {
        const char* count;
        int taken;
    } cases[] = {{"3", 3}, {"-2", 0}, {"many", 0}, {"99999999999999", KVR_MAX_USERDEF_TYPES},
                 {"66", KVR_MAX_USERDEF_TYPES}};
    for (const auto& c : cases)
    {
        Put("Number of User Defined Types", c.count);
        EXPECT_EQ(c.taken, kvrLoadUserDefINI(m_path)) << c.count;
    }
    EXPECT_STREQ("T64", Type(KVR_MAX_USERDEF_TYPES - 1).name);
}

TEST(UserDefFile, AFileThatDoesNotExistTakesNothing)
{
    EXPECT_EQ(0, kvrLoadUserDefINI("C:\\no such folder\\none.ini"));
    EXPECT_EQ(0, kvrGetNumUserDefTypes());
    EXPECT_EQ(KVR_OK, kvrFreeUserDefINI());
}

TEST(PowerblockDefinitions, TheServerVersionIsTakenOrRefused)
{
    EXPECT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.06.04"));
    EXPECT_STREQ("1.06.04", kvrGetPowerblockDefinitionsVersion());
    EXPECT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.06a"));
    EXPECT_STREQ("1.06a", kvrGetPowerblockDefinitionsVersion());
    EXPECT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("2.1 Z"));
    EXPECT_STREQ("2.1 Z", kvrGetPowerblockDefinitionsVersion());
    const std::string longest(KVR_MAX_VERSION, '9');
    EXPECT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions(longest.c_str()));
    EXPECT_EQ(longest, kvrGetPowerblockDefinitionsVersion());

    // A refused text leaves the definitions as they were.
    EXPECT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.06.04"));
    const std::string tooLong(KVR_MAX_VERSION + 1, '9');
    for (const char* bad : {(const char*)nullptr, "", "v1.06", " 1.06", "1.06;drop", "1.06\n", tooLong.c_str()})
    {
        EXPECT_NE(KVR_OK, kvrUpdatePowerblockDefinitions(bad)) << (bad ? bad : "(null)");
        EXPECT_STREQ("1.06.04", kvrGetPowerblockDefinitionsVersion());
    }
}
