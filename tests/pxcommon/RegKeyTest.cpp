// The owned registry key: made with the keys above it, values kept apart by
// type, expandable texts expanded, a missing key or value answered false.
// Works in a key of its own under HKEY_CURRENT_USER, removed after.
#include "PXTestSupport.h"
#include "PXRegKey.h"

#include <string>

namespace {

const char kParent[] = "Software\\PlexwrightRegKeyTest";
const char kKey[] = "Software\\PlexwrightRegKeyTest\\Deeper\\Key";

class RegKey : public ::testing::Test
{
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PlexwrightRegKeyTest\\Deeper");
        RegDeleteKeyA(HKEY_CURRENT_USER, kParent);
    }
    static void SetRaw(const char* pszName, DWORD dwType, const void* pData, DWORD cb)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &hKey));
        RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb);
        RegCloseKey(hKey);
    }
};

} // namespace

TEST_F(RegKey, OpenFailsOnAMissingKeyAndCreateMakesItWithTheKeysAbove)
{
    PXRegKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, kKey));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.HasValue("Any"));
    std::string value = "untouched";
    EXPECT_FALSE(key.GetString("Any", value));
    EXPECT_EQ("untouched", value);
    EXPECT_FALSE(key.SetString("Any", "text"));

    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));
    EXPECT_TRUE(key.SetString("Dir", "C:\\Programs\\"));
    key.Close();
    EXPECT_FALSE(key.IsOpen());

    PXRegKey reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kKey));
    EXPECT_TRUE(reader.HasValue("Dir"));
    EXPECT_FALSE(reader.HasValue("Other"));
    ASSERT_TRUE(reader.GetString("Dir", value));
    EXPECT_EQ("C:\\Programs\\", value);
    // Opened for reading only: no write gets through.
    EXPECT_FALSE(reader.SetString("Dir", "D:\\"));
    ASSERT_TRUE(reader.GetString("Dir", value));
    EXPECT_EQ("C:\\Programs\\", value);
}

TEST_F(RegKey, TextsAreReadByTypeAndLength)
{
    PXRegKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));
    SetEnvironmentVariableA("PXREGKEYTEST", "Expanded");
    const DWORD dwNumber = 7;
    SetRaw("Number", REG_DWORD, &dwNumber, sizeof(dwNumber));
    SetRaw("Expand", REG_EXPAND_SZ, "C:\\%PXREGKEYTEST%\\", 19);
    SetRaw("NoNul", REG_SZ, "abc", 3);      // stored without its NUL
    SetRaw("Empty", REG_SZ, "", 1);
    const std::string longText(300, 'x');
    SetRaw("Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));

    struct
    {
        const char* pszName;
        DWORD nMax;
        bool bRead;
        const char* pszValue;
    } cases[] = {
        {"Number", 4096, false, ""},
        {"Expand", 4096, true, "C:\\Expanded\\"},
        {"NoNul", 4096, true, "abc"},
        {"Empty", 4096, true, ""},
        {"Long", 4096, true, nullptr},
        {"Long", 100, false, ""},
        {"Missing", 4096, false, ""},
    };
    for (const auto& c : cases)
    {
        std::string value;
        EXPECT_EQ(c.bRead, key.GetString(c.pszName, value, c.nMax)) << c.pszName << " " << c.nMax;
        if (c.bRead)
            EXPECT_EQ(c.pszValue ? std::string(c.pszValue) : longText, value) << c.pszName;
        EXPECT_EQ(c.pszName != std::string("Missing"), key.HasValue(c.pszName)) << c.pszName;
    }
    SetEnvironmentVariableA("PXREGKEYTEST", nullptr);
}
