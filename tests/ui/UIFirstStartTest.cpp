// The first start in process, on a key and a program directory of the
// test's own: every missing value written, present ones kept, the program
// directory made with the folders above it, and the template an empty
// application that loads without a word: "Main" with the default blocks of
// a new program.
#include "PXTestSupport.h"
#include "Goto.h"
#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "UIFirstStart.h"
#include "plexmodel.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char s_szKey[] = "SOFTWARE\\Zantrel\\Telvanta\\PlexwrightFirstStartTest";
const char* const s_apszNames[] = {"ProgDir", "BinDir", "HelpDir", "Plexwright Version"};

std::string Value(const char* pszName)
{
    char sz[512] = "";
    DWORD cb = sizeof(sz) - 1;
    DWORD dwType = 0;
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return "(no key)";
    LONG rc = RegQueryValueExA(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(sz), &cb);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS && dwType == REG_SZ ? std::string(sz) : std::string("(none)");
}

void SetValue(const char* pszName, const std::string& value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hKey);
}

bool IsFile(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

class FirstStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH] = "";
        GetTempPathA(sizeof(szTemp), szTemp);
        m_root = std::string(szTemp) + "pxfirststartunit\\";
        PXRemoveTree(m_root);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        m_pBefore = Icons::GetCurrent();
        // As at the editor's start: no palette blocks yet.
        Icons::SetCurrent(nullptr);
        m_installation.strKey = s_szKey;
        m_installation.strProgDir = m_root + "Zantrel\\Uprog\\";
        m_installation.strBinDir = "C:\\Bin";
        m_installation.strHelpDir = "C:\\Help\\";
        m_installation.strVersion = "1.2.3";
    }
    void TearDown() override
    {
        Icons::SetCurrent(m_pBefore);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        PXRemoveTree(m_root);
    }

    // The written value of each name, in the order of s_apszNames.
    std::vector<std::string> Expected() const
    {
        return {m_installation.strProgDir, m_installation.strBinDir, m_installation.strHelpDir,
                m_installation.strVersion};
    }

    std::string m_root;
    UIInstallation m_installation;
    Icons* m_pBefore = nullptr;
};
}

TEST_F(FirstStart, PutsEveryPartInPlaceAndTheTemplateIsANewProgram)
{
    EXPECT_EQ(0u, UIPutInstallationInPlace(m_installation));
    EXPECT_EQ(nullptr, Icons::GetCurrent());    // the blocks it made for the template are gone
    const std::vector<std::string> expected = Expected();
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], Value(s_apszNames[i])) << s_apszNames[i];

    const std::string path = m_installation.strProgDir + "default\\default.ed";
    ASSERT_TRUE(IsFile(path));
    static IconInfoTable s_table = {};
    static Icons* s_pIcons = nullptr;
    if (!s_pIcons)
    {
        ASSERT_GT(kvrGetPowerBlockList(&s_table, 0, 1), 0);
        s_pIcons = new Icons(&s_table);
    }
    Icons::SetCurrent(s_pIcons);
    // Any warning would be a message box, which fails the test.
    std::unique_ptr<Program> pProgram(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pProgram);
    Page* pMain = pProgram->GetMainPage();
    ASSERT_NE(nullptr, pMain);
    EXPECT_STREQ("Main", pMain->GetName());
    std::vector<std::string> blocks, gotos;
    ListIterator it(pMain->GetBlocks());
    while (it)
    {
        PowerBlock& block = static_cast<PowerBlock&>(it++);
        blocks.push_back(block.GetName());
        ListIterator lines(block.GetGotos());
        while (lines)
        {
            Goto& line = static_cast<Goto&>(lines++);
            if (line.GetTarget())
                gotos.push_back(std::string(block.GetName()) + "." + line.GetOutputName() + "->" +
                                line.GetTarget()->GetName());
        }
    }
    std::sort(blocks.begin(), blocks.end());
    EXPECT_EQ((std::vector<std::string>{"Attendant", "Begin", "End", "Rotary"}), blocks);
    EXPECT_NE(gotos.end(), std::find(gotos.begin(), gotos.end(), "Rotary.Done->Attendant"))
        << ::testing::PrintToString(gotos);

    // A second start finds the template and leaves it.
    FILETIME before = {}, after = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    before = data.ftLastWriteTime;
    Sleep(50);
    EXPECT_EQ(0u, UIPutInstallationInPlace(m_installation));
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    after = data.ftLastWriteTime;
    EXPECT_EQ(0, CompareFileTime(&before, &after));
}

// Each value present beforehand is kept, whatever it holds; the missing
// ones are written. A present "ProgDir" names the folder that gets the
// template.
TEST_F(FirstStart, PresentValuesAreNeverOverwritten)
{
    for (size_t nKept = 0; nKept < 4; ++nKept)
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        const std::string kept = nKept == 0 ? m_root + "Own\\" : "kept " + std::to_string(nKept);
        SetValue(s_apszNames[nKept], kept);
        EXPECT_EQ(0u, UIPutInstallationInPlace(m_installation)) << s_apszNames[nKept];
        std::vector<std::string> expected = Expected();
        expected[nKept] = kept;
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(expected[i], Value(s_apszNames[i])) << "kept " << s_apszNames[nKept];
    }
    EXPECT_TRUE(IsFile(m_root + "Own\\default\\default.ed"));
    EXPECT_TRUE(IsFile(m_installation.strProgDir + "default\\default.ed"));
}

// An empty "ProgDir" keeps the program files in the current folder: no
// folder and no template are made. A program directory that cannot be made
// is said so.
TEST_F(FirstStart, AnEmptyOrImpossibleProgramDirectory)
{
    SetValue("ProgDir", "");
    EXPECT_EQ(0u, UIPutInstallationInPlace(m_installation));
    EXPECT_EQ("", Value("ProgDir"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_root.c_str()));

    RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
    ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr));
    HANDLE h = CreateFileA((m_root + "AFile").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    m_installation.strProgDir = m_root + "AFile\\Uprog\\";
    EXPECT_EQ(static_cast<unsigned>(UI_FIRSTSTART_PROGDIR), UIPutInstallationInPlace(m_installation));
    EXPECT_EQ(m_installation.strProgDir, Value("ProgDir"));
}
