// The local program directory: registry values (written into the test's own
// Wine prefix and removed after), listings, descriptions and deletion.
#include "PXTestSupport.h"

#include <map>
#include <set>

namespace {

const char* const kKey = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";

void RemoveKey()
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
    {
        RegDeleteValueA(hKey, "ProgDir");
        RegDeleteValueA(hKey, "HelpDir");
        RegCloseKey(hKey);
    }
    // Each of these goes only when nothing else is left in it.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel\\Telvanta");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel");
}

void MakeKey()
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &hKey, nullptr));
    RegCloseKey(hKey);
}

void SetValue(const char* pszName, const void* pData, DWORD cb, DWORD dwType)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &hKey, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb));
    RegCloseKey(hKey);
}

void SetString(const char* pszName, const std::string& value, DWORD dwType = REG_SZ)
{
    SetValue(pszName, value.c_str(), static_cast<DWORD>(value.size() + 1), dwType);
}

void WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    DWORD n = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(h);
}

bool ReadFileText(const std::string& path, std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    char buf[4096];
    DWORD n = 0;
    ReadFile(h, buf, sizeof(buf), &n, nullptr);
    CloseHandle(h);
    text.assign(buf, n);
    return true;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentDir()
{
    char sz[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, sz);
    std::string s(sz, n);
    if (!s.empty() && s.back() != '\\')
        s += '\\';
    return s;
}

// The folder of this run's test directories, below the temporary folder.
std::string TestRoot()
{
    char szTemp[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, szTemp);
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    return std::string(szTemp) + "pxprogdir" + std::to_string(GetCurrentProcessId()) + "\\";
}

// Removes a test directory with everything in it. Only this run's own
// folder below the temporary folder is touched, and no link is followed.
void RemoveTestTree(const std::string& dir)
{
    std::string root = TestRoot();
    if (root.empty() || dir.size() < root.size() || dir.compare(0, root.size(), root) != 0 ||
        dir.back() != '\\')
    {
        ADD_FAILURE() << "refusing to remove " << dir;
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTestTree(dir + name + "\\");
            else
                DeleteFileA((dir + name).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

// Every test gets a fresh program directory named by the registry; the key
// and the directory are removed after and the current directory put back.
class ProgDir : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strOldCwd = CurrentDir();
        dir = TestRoot();
        ASSERT_FALSE(dir.empty());
        RemoveTestTree(dir);
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        RemoveKey();
        SetString("ProgDir", dir);
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_strOldCwd.c_str());
        RemoveTestTree(TestRoot());
        RemoveKey();
    }

    // Lists the program files, checking the current directory on the way.
    std::set<std::string> ListApplications(const std::string& progDir)
    {
        std::set<std::string> found;
        char szPath[PX_PATH_MAX];
        for (int r = PXFindFirstApplication(szPath); r; r = PXFindNextApplication(szPath))
        {
            EXPECT_EQ(progDir, CurrentDir());
            found.insert(szPath);
        }
        EXPECT_STREQ("", szPath);
        EXPECT_EQ(progDir, CurrentDir());
        return found;
    }

    std::string dir;        // the program directory, ending in a backslash
    std::string m_strOldCwd;
};

const char* const kDefaultDir = "C:\\Zantrel\\Dorvo\\Uprog\\";

} // namespace

// ---------------------------------------------------------------------------
// Directories from the registry

TEST_F(ProgDir, DirectoriesFromTheRegistry)
{
    const std::string longDir = "C:\\" + std::string(255, 'd') + "\\";   // 259 characters
    const std::string noRoom = "C:\\" + std::string(256, 'd');          // 259, no room for a backslash
    struct Case
    {
        const char* pszWhat;
        bool bKey;
        const char* pszProg;        // null: no value
        DWORD dwType;
        int nResult;
        std::string expectedProg;
        const char* pszHelp;
        std::string expectedHelp;
    } cases[] = {
        { "no key", false, nullptr, REG_SZ, 0, kDefaultDir, nullptr, "" },
        { "no values", true, nullptr, REG_SZ, 0, kDefaultDir, nullptr, "" },
        { "plain", true, "D:\\Prog\\", REG_SZ, 1, "D:\\Prog\\", "E:\\Help\\", "E:\\Help\\" },
        { "no backslash", true, "D:\\Prog", REG_SZ, 1, "D:\\Prog\\", "E:\\Help", "E:\\Help\\" },
        { "empty", true, "", REG_SZ, 0, kDefaultDir, "", "" },
        { "expanded", true, "%SystemDrive%\\Uprog", REG_EXPAND_SZ, 1, "C:\\Uprog\\", "%SystemDrive%\\Help\\", "%SystemDrive%\\Help\\" },
        { "longest that fits", true, longDir.c_str(), REG_SZ, 1, longDir, longDir.c_str(), longDir },
        { "no room for the backslash", true, noRoom.c_str(), REG_SZ, 0, kDefaultDir, noRoom.c_str(), "" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        RemoveKey();
        if (c.bKey)
            MakeKey();
        if (c.pszProg)
            SetString("ProgDir", c.pszProg, c.dwType);
        if (c.pszHelp)
            SetString("HelpDir", c.pszHelp);

        char buf[300];
        memset(buf, 'Z', sizeof(buf));
        EXPECT_EQ(c.nResult, PXGetProgramDir(buf, sizeof(buf)));
        EXPECT_EQ(c.expectedProg, std::string(buf));
        EXPECT_EQ(std::string(300 - PX_PATH_MAX, 'Z'), std::string(buf + PX_PATH_MAX, 300 - PX_PATH_MAX));

        memset(buf, 'Z', sizeof(buf));
        PXGetHelpDir(buf, sizeof(buf));
        EXPECT_EQ(c.expectedHelp, std::string(buf));
        EXPECT_EQ(std::string(300 - PX_PATH_MAX, 'Z'), std::string(buf + PX_PATH_MAX, 300 - PX_PATH_MAX));
    }
}

TEST_F(ProgDir, ValuesThatCannotBeReadGiveTheDefaults)
{
    DWORD dw = 7;
    SetValue("ProgDir", &dw, sizeof(dw), REG_DWORD);
    SetValue("HelpDir", &dw, sizeof(dw), REG_DWORD);
    char buf[PX_PATH_MAX];
    EXPECT_EQ(0, PXGetProgramDir(buf, sizeof(buf)));
    EXPECT_STREQ(kDefaultDir, buf);
    PXGetHelpDir(buf, sizeof(buf));
    EXPECT_STREQ("", buf);

    // Longer than the registry's 260 bytes.
    std::string tooLong = "C:\\" + std::string(300, 'x') + "\\";
    SetString("ProgDir", tooLong);
    SetString("HelpDir", tooLong);
    EXPECT_EQ(0, PXGetProgramDir(buf, sizeof(buf)));
    EXPECT_STREQ(kDefaultDir, buf);
    PXGetHelpDir(buf, sizeof(buf));
    EXPECT_STREQ("", buf);

    // Stored without its NUL: the text still ends where the value does.
    SetValue("ProgDir", "D:\\P\\", 5, REG_SZ);
    EXPECT_EQ(1, PXGetProgramDir(buf, sizeof(buf)));
    EXPECT_STREQ("D:\\P\\", buf);
}

// ---------------------------------------------------------------------------
// Program files

TEST_F(ProgDir, SmallBuffersGetNoCutDirectory)
{
    SetString("ProgDir", "D:\\Prog\\");
    SetString("HelpDir", "E:\\Help\\");
    // (buffer size, program directory result, its text, help directory text)
    struct
    {
        size_t cb;
        int nResult;
        const char* pszProg;
        const char* pszHelp;
    } cases[] = {
        { 9, 1, "D:\\Prog\\", "E:\\Help\\" },     // exactly the text and its NUL
        { 8, 0, "", "" },                             // one byte short
        { 1, 0, "", "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.cb);
        char buf[32];
        memset(buf, 'Z', sizeof(buf));
        EXPECT_EQ(c.nResult, PXGetProgramDir(buf, c.cb));
        EXPECT_STREQ(c.pszProg, buf);
        EXPECT_EQ(std::string(sizeof(buf) - c.cb, 'Z'), std::string(buf + c.cb, sizeof(buf) - c.cb));

        memset(buf, 'Z', sizeof(buf));
        PXGetHelpDir(buf, c.cb);
        EXPECT_STREQ(c.pszHelp, buf);
        EXPECT_EQ(std::string(sizeof(buf) - c.cb, 'Z'), std::string(buf + c.cb, sizeof(buf) - c.cb));
    }

    // The default directory does not fit either.
    RemoveKey();
    char buf[8];
    memset(buf, 'Z', sizeof(buf));
    EXPECT_EQ(0, PXGetProgramDir(buf, sizeof(buf)));
    EXPECT_STREQ("", buf);
}

TEST_F(ProgDir, ListsTheProgramFilesOnly)
{
    for (const char* psz : { "Sales.ed", "Billing.ED", "Sales.dsc", "Notes.edx", "Old.ed.bak", "Main" })
        WriteFileText(dir + psz, "x");
    CreateDirectoryA((dir + "Folder.ed").c_str(), nullptr);
    std::set<std::string> expected = { dir + "Sales.ed", dir + "Billing.ED" };
    EXPECT_EQ(expected, ListApplications(dir));

    // Once ended, continuing finds nothing.
    char szPath[PX_PATH_MAX] = "junk";
    EXPECT_EQ(0, PXFindNextApplication(szPath));
    EXPECT_STREQ("", szPath);
}

TEST_F(ProgDir, EmptyOrMissingDirectoryListsNothing)
{
    EXPECT_TRUE(ListApplications(dir).empty());
    SetString("ProgDir", dir + "missing\\");
    char szPath[PX_PATH_MAX] = "junk";
    EXPECT_EQ(0, PXFindFirstApplication(szPath));
    EXPECT_STREQ("", szPath);
}

TEST_F(ProgDir, WithoutTheKeyTheDefaultDirectoryIsUsed)
{
    RemoveKey();
    const std::string defDir = kDefaultDir;
    bool bMade = !Exists(defDir);
    CreateDirectoryA("C:\\Zantrel", nullptr);
    CreateDirectoryA("C:\\Zantrel\\Dorvo", nullptr);
    CreateDirectoryA(defDir.c_str(), nullptr);
    CreateDirectoryA((defDir + "Export").c_str(), nullptr);
    WriteFileText(defDir + "pxtestA.ed", "a");
    WriteFileText(defDir + "pxtestB.ed", "b");
    WriteFileText(defDir + "Export\\pxtestL.rll", "l");
    WriteFileText(defDir + "pxtestL.dsc", std::string("Library L", 10));

    std::set<std::string> found = ListApplications(defDir);
    EXPECT_EQ(1u, found.count(defDir + "pxtestA.ed"));
    EXPECT_EQ(1u, found.count(defDir + "pxtestB.ed"));
    for (const std::string& path : found)
        EXPECT_EQ(0u, path.find(defDir)) << path;
    bool bFoundL = false;
    char szName[PX_PATH_MAX], szDescr[PX_DESCR_MAX];
    for (int r = PXFindFirstRll(szName, szDescr); r; r = PXFindNextRll(szName, szDescr))
        if (std::string(szName) == "pxtestL")
        {
            bFoundL = true;
            EXPECT_STREQ("Library L", szDescr);
        }
    EXPECT_TRUE(bFoundL);
    EXPECT_EQ(defDir, CurrentDir());

    PXDeleteApplicationFiles("pxtestA");
    EXPECT_FALSE(Exists(defDir + "pxtestA.ed"));
    EXPECT_TRUE(Exists(defDir + "pxtestB.ed"));

    SetCurrentDirectoryA(m_strOldCwd.c_str());
    for (const char* psz : { "pxtestB.ed", "pxtestL.dsc", "Export\\pxtestL.rll" })
        DeleteFileA((defDir + psz).c_str());
    if (bMade)
    {
        RemoveDirectoryA((defDir + "Export").c_str());
        RemoveDirectoryA(defDir.c_str());
        RemoveDirectoryA("C:\\Zantrel\\Dorvo");
        RemoveDirectoryA("C:\\Zantrel");
    }
}

// ---------------------------------------------------------------------------
// Descriptions

TEST_F(ProgDir, DescriptionRoundTrip)
{
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(0, PXApplicationDescriptionExists("Sales"));
    EXPECT_EQ(dir, CurrentDir());

    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(1, PXWriteApplicationDescription("Sales", "Main sales line"));
    EXPECT_EQ(dir, CurrentDir());
    std::string text;
    ASSERT_TRUE(ReadFileText(dir + "Sales.dsc", text));
    EXPECT_EQ(std::string("Main sales line", 16), text) << "the text and its NUL, nothing else";
    EXPECT_EQ(1, PXApplicationDescriptionExists("Sales"));

    // An existing description stays as it is.
    EXPECT_EQ(0, PXWriteApplicationDescription("Sales", "Other"));
    ASSERT_TRUE(ReadFileText(dir + "Sales.dsc", text));
    EXPECT_EQ(std::string("Main sales line", 16), text);

    // After the program's files are deleted it can be written again.
    PXDeleteApplicationFiles("C:\\x\\Sales.ed");
    EXPECT_EQ(0, PXApplicationDescriptionExists("Sales"));
    EXPECT_EQ(1, PXWriteApplicationDescription("Sales", ""));
    ASSERT_TRUE(ReadFileText(dir + "Sales.dsc", text));
    EXPECT_EQ(std::string(1, '\0'), text);
}

TEST_F(ProgDir, BadProgramNamesAreRefused)
{
    CreateDirectoryA((dir + "sub").c_str(), nullptr);
    std::string tooLong(300 - dir.size(), 'n');
    const char* names[] = { "", "..\\Evil", "sub\\Evil", "a/b", "C:Evil", "*", "Sa?es", "..", nullptr, tooLong.c_str() };
    for (const char* psz : names)
    {
        SCOPED_TRACE(psz ? psz : "(null)");
        EXPECT_EQ(0, PXWriteApplicationDescription(psz, "x"));
        EXPECT_EQ(0, PXApplicationDescriptionExists(psz));
    }
    EXPECT_FALSE(Exists(dir + "Evil.dsc"));
    EXPECT_FALSE(Exists(dir + "sub\\Evil.dsc"));
    EXPECT_FALSE(Exists(dir + "..\\Evil.dsc"));
    // A directory named like a description is not one.
    CreateDirectoryA((dir + "Dir.dsc").c_str(), nullptr);
    EXPECT_EQ(0, PXApplicationDescriptionExists("Dir"));
}

// ---------------------------------------------------------------------------
// Deletion

TEST_F(ProgDir, DeletesOnlyTheProgramsOwnFiles)
{
    std::string other = dir + "other\\";
    CreateDirectoryA(other.c_str(), nullptr);
    const char* files[] = { "Sales.ed", "Sales.dsc", "Sales.bak", "SALES.txt", "Sales.old.ed",
                            "Salesman.ed", "Sales", "Other.ed", "XSales.ed" };
    for (const char* psz : files)
        WriteFileText(dir + psz, "x");
    WriteFileText(other + "Sales.ed", "x");
    CreateDirectoryA((dir + "Sales.dir").c_str(), nullptr);

    SetCurrentDirectoryA(other.c_str());
    PXDeleteApplicationFiles("C:\\x\\Sales.ed");
    EXPECT_EQ(other, CurrentDir());

    for (const char* psz : files)
    {
        std::string name = psz;
        bool bGone = name == "Sales.ed" || name == "Sales.dsc" || name == "Sales.bak" || name == "SALES.txt";
        EXPECT_EQ(!bGone, Exists(dir + name)) << name;
    }
    EXPECT_TRUE(Exists(other + "Sales.ed"));
    EXPECT_TRUE(Exists(dir + "Sales.dir"));
}

TEST_F(ProgDir, DeletionWithoutANameDeletesNothing)
{
    for (const char* psz : { ".ed", "a.ed", "Sales.ed" })
        WriteFileText(dir + psz, "x");
    for (const char* psz : { "", "C:\\x\\", ".ed", "C:\\x\\.ed", "*", "*.ed", "?" })
        PXDeleteApplicationFiles(psz);
    PXDeleteApplicationFiles(nullptr);
    for (const char* psz : { ".ed", "a.ed", "Sales.ed" })
        EXPECT_TRUE(Exists(dir + psz)) << psz;
    PXDeleteApplicationFiles("a");
    EXPECT_FALSE(Exists(dir + "a.ed"));
}

// ---------------------------------------------------------------------------
// Block libraries

TEST_F(ProgDir, ListsLibrariesWithTheirDescriptions)
{
    std::string exportDir = dir + "Export\\";
    CreateDirectoryA(exportDir.c_str(), nullptr);
    for (const char* psz : { "Sales.old.rll", "Billing.rll", "Long.rll", "Notes.txt", "Wrong.rllx" })
        WriteFileText(exportDir + psz, "x");
    WriteFileText(dir + "Sales.dsc", "Sales library\r\nsecond line");
    WriteFileText(dir + "Long.dsc", std::string(150, 'L'));
    // Billing has no description.

    std::map<std::string, std::string> found;
    char szName[PX_PATH_MAX], szDescr[PX_DESCR_MAX];
    SetCurrentDirectoryA("C:\\");
    for (int r = PXFindFirstRll(szName, szDescr); r; r = PXFindNextRll(szName, szDescr))
    {
        EXPECT_EQ(dir, CurrentDir());
        found[szName] = szDescr;
    }
    EXPECT_STREQ("", szName);
    EXPECT_STREQ("", szDescr);
    EXPECT_EQ(dir, CurrentDir());
    std::map<std::string, std::string> expected = {
        { "Sales", "Sales library" }, { "Billing", "" }, { "Long", std::string(PX_DESCR_MAX - 1, 'L') }
    };
    EXPECT_EQ(expected, found);
}

TEST_F(ProgDir, MissingExportFolderLeavesTheProgramDirectoryCurrent)
{
    char szName[PX_PATH_MAX] = "junk", szDescr[PX_DESCR_MAX] = "junk";
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(0, PXFindFirstRll(szName, szDescr));
    EXPECT_STREQ("", szName);
    EXPECT_STREQ("", szDescr);
    EXPECT_EQ(dir, CurrentDir());

    // An empty one likewise.
    CreateDirectoryA((dir + "Export").c_str(), nullptr);
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(0, PXFindFirstRll(szName, szDescr));
    EXPECT_EQ(dir, CurrentDir());
}

TEST_F(ProgDir, ListingsDoNotMix)
{
    CreateDirectoryA((dir + "Export").c_str(), nullptr);
    for (const char* psz : { "Export\\A.rll", "Export\\B.rll", "P.ed", "Q.ed" })
        WriteFileText(dir + psz, "x");
    char szName[PX_PATH_MAX], szDescr[PX_DESCR_MAX], szPath[PX_PATH_MAX];
    ASSERT_EQ(1, PXFindFirstRll(szName, szDescr));
    EXPECT_EQ(0, PXFindNextApplication(szPath));
    EXPECT_STREQ("", szPath);
    ASSERT_EQ(1, PXFindFirstApplication(szPath));
    EXPECT_EQ(0, PXFindNextRll(szName, szDescr));
    EXPECT_STREQ("", szName);
}

TEST_F(ProgDir, ListingEndsWhenItsDirectoryCannotBeMadeCurrent)
{
    // A relative program directory is taken from the current directory, and
    // every step of a listing makes it current again: "Progs\" leads from
    // dir to dir\Progs, then to dir\Progs\Progs, which the files are found
    // in, then to a directory that does not exist. There the listing ends
    // instead of handing out paths that relative names would not find.
    const std::string outer = dir + "Progs\\";
    const std::string inner = outer + "Progs\\";
    ASSERT_TRUE(CreateDirectoryA(outer.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    for (const char* psz : { "A.ed", "B.ed", "C.ed" })
        WriteFileText(inner + psz, "x");
    SetString("ProgDir", "Progs\\");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    char szPath[PX_PATH_MAX];
    ASSERT_EQ(1, PXFindFirstApplication(szPath));
    EXPECT_EQ(outer, CurrentDir());
    ASSERT_EQ(1, PXFindNextApplication(szPath));
    EXPECT_EQ(inner, CurrentDir());
    strcpy(szPath, "junk");
    EXPECT_EQ(0, PXFindNextApplication(szPath));
    EXPECT_STREQ("", szPath);

    // Nor is a description written where the directory cannot be made current.
    ASSERT_TRUE(SetCurrentDirectoryA(inner.c_str()));
    EXPECT_EQ(0, PXWriteApplicationDescription("A", "text"));
    EXPECT_FALSE(Exists(inner + "Progs\\A.dsc"));
}
