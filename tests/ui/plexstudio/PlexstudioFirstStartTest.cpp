// The editor is its own installer: a start on a machine without the
// program's registry values, program directory and template puts them in
// place, and File New and Open work at once; a start where they are
// present keeps them as they are.
//
// The Wine prefix is shared with the other suites, and every start of the
// editor in this suite may set up what is missing: the suite keeps the
// installation it found aside and puts it back when it ends.
#include "PXTestSupport.h"
#include "PlexstudioProcess.h"

#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "plexmodel.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char s_szKey[] = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";
// The editor's built-in program directory and the folders above it.
const char s_szProgDir[] = "C:\\Zantrel\\Dorvo\\Uprog\\";
const char* const s_apszAbove[] = {"C:\\Zantrel\\Dorvo", "C:\\Zantrel"};
const char s_szKeptProgDir[] = "C:\\Zantrel\\Dorvo\\Uprog.kept-by-plexstudio-test";
const WPARAM s_cmdNew = 4128, s_cmdOpen = 4129;
// The chooser's controls.
const int s_nName = 102, s_nVolume = 105, s_nList = 2008;

bool IsDirectory(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

struct Value
{
    std::string name;
    DWORD dwType;
    std::vector<BYTE> data;
};

// The program's key as it stands: whether it is there, and its values.
bool ReadKey(std::vector<Value>& rValues)
{
    rValues.clear();
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0;; ++i)
    {
        char szName[256];
        DWORD cchName = sizeof(szName);
        BYTE data[2048];
        DWORD cb = sizeof(data);
        DWORD dwType = 0;
        if (RegEnumValueA(hKey, i, szName, &cchName, nullptr, &dwType, data, &cb) != ERROR_SUCCESS)
            break;
        rValues.push_back(Value{szName, dwType, std::vector<BYTE>(data, data + cb)});
    }
    RegCloseKey(hKey);
    return true;
}

void SetString(const char* pszName, const std::string& value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hKey);
}

// A text value, or "(none)".
std::string GetString(const char* pszName)
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz) - 1;
    DWORD dwType = 0;
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return "(none)";
    LONG rc = RegQueryValueExA(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(sz), &cb);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS && dwType == REG_SZ ? std::string(sz) : std::string("(none)");
}

// The suite's whole run: the key's values and the built-in program
// directory as they were before are kept aside, and put back at its end.
class KeptInstallation : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_bKey = ReadKey(m_values);
        for (const char* pszAbove : s_apszAbove)
            m_bAbove.push_back(IsDirectory(pszAbove));
        m_bProgDir = IsDirectory(s_szProgDir);
        if (m_bProgDir && !MoveFileA(std::string(s_szProgDir).substr(0, strlen(s_szProgDir) - 1).c_str(),
                                     s_szKeptProgDir))
            m_bProgDir = false;     // cannot be moved: left where it is
    }
    void TearDown() override
    {
        if (!m_bProgDir && !IsDirectory(s_szKeptProgDir) && IsDirectory(s_szProgDir))
            PXRemoveTree(s_szProgDir);
        if (m_bProgDir)
        {
            PXRemoveTree(s_szProgDir);
            MoveFileA(s_szKeptProgDir, std::string(s_szProgDir).substr(0, strlen(s_szProgDir) - 1).c_str());
        }
        for (size_t i = 0; i < m_bAbove.size(); ++i)
            if (!m_bAbove[i])
                RemoveDirectoryA(s_apszAbove[i]);   // only when empty
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        if (!m_bKey)
            return;
        HKEY hKey = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) !=
            ERROR_SUCCESS)
            return;
        for (const Value& value : m_values)
            RegSetValueExA(hKey, value.name.c_str(), 0, value.dwType, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        RegCloseKey(hKey);
    }

private:
    bool m_bKey = false;
    std::vector<Value> m_values;
    std::vector<bool> m_bAbove;
    bool m_bProgDir = false;
};

::testing::Environment* const s_pKept = ::testing::AddGlobalTestEnvironment(new KeptInstallation);

// The blocks the test reads program files with, as the editor has them.
void UseBlocks()
{
    static IconInfoTable s_table = {};
    static Icons* s_pIcons = nullptr;
    if (!s_pIcons && kvrGetPowerBlockList(&s_table, 0, 1) > 0)
        s_pIcons = new Icons(&s_table);
    Icons::SetCurrent(s_pIcons);
}

// The blocks of the program file's page "Main", sorted; empty when the
// file does not load. Any warning of the load is a message box, which
// fails the test.
std::vector<std::string> MainBlocks(const std::string& path)
{
    std::vector<std::string> names;
    if (!IsFile(path))
        return names;
    UseBlocks();
    std::unique_ptr<Program> pProgram(PXFileLoadProgram(path.c_str(), nullptr));
    if (!pProgram || !pProgram->GetMainPage())
        return names;
    EXPECT_STREQ("Main", pProgram->GetMainPage()->GetName());
    ListIterator blocks(pProgram->GetMainPage()->GetBlocks());
    while (blocks)
        names.push_back(static_cast<PowerBlock&>(blocks++).GetName());
    std::sort(names.begin(), names.end());
    return names;
}

bool Contains(const std::vector<std::string>& names, const char* pszName)
{
    return std::find(names.begin(), names.end(), pszName) != names.end();
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0)
        bytes.append(buf, n);
    CloseHandle(h);
    return bytes;
}

class PlexstudioFirstStart : public ::testing::Test
{
protected:
    // A machine where nothing of the installation is there.
    void SetUp() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        PXRemoveTree(s_szProgDir);
        m_exeDir = ExeDir();
    }

    void TearDown() override
    {
        if (m_editor.pi.hProcess)
        {
            if (WaitForSingleObject(m_editor.pi.hProcess, 0) != WAIT_OBJECT_0)
            {
                ADD_FAILURE() << "the editor still runs; its windows:\n" << Windows();
                TerminateProcess(m_editor.pi.hProcess, 99);
                WaitForSingleObject(m_editor.pi.hProcess, 5000);
            }
            Close(m_editor);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        PXRemoveTree(s_szProgDir);
        if (!m_otherDir.empty())
            PXRemoveTree(m_otherDir);
    }

    void StartEditor()
    {
        m_editor = Start();
        ASSERT_TRUE(m_editor.bOk);
        m_hFrame = WaitForWindow(m_editor, "UIFRAME");
        ASSERT_NE(nullptr, m_hFrame) << "no main frame; exit code " << WaitForExit(m_editor, 0) << "\n" << Windows();
        WaitForInputIdle(m_editor.pi.hProcess, 20000);
    }

    DWORD Exit()
    {
        PostMessageA(m_hFrame, WM_CLOSE, 0, 0);
        DWORD dwCode = WaitForExit(m_editor);
        Close(m_editor);
        m_hFrame = nullptr;
        return dwCode;
    }

    std::string Windows() const
    {
        std::string out;
        for (HWND hWnd : TopLevelWindows(m_editor))
            out += DescribeTree(hWnd);
        return out;
    }

    // A dialog of the editor other than the one given: a chooser, or a
    // message box; none when none comes in time.
    HWND WaitForDialog(HWND hExcept, DWORD dwMillis = 20000) const
    {
        for (DWORD dwWaited = 0; dwWaited < dwMillis; dwWaited += 100)
        {
            for (HWND hWnd : TopLevelWindows(m_editor))
                if (hWnd != hExcept && ClassOf(hWnd) == "#32770")
                    return hWnd;
            Sleep(100);
        }
        return nullptr;
    }

    // The page window of that caption; when a message box comes instead,
    // none, with its text.
    HWND WaitForPage(const char* pszCaption, std::string& rBox, DWORD dwMillis = 20000)
    {
        for (DWORD dwWaited = 0; dwWaited < dwMillis; dwWaited += 100)
        {
            for (HWND hWnd : FindDescendants(m_hFrame, "UIMDI"))
                if (TextOf(hWnd) == pszCaption)
                    return hWnd;
            for (HWND hWnd : TopLevelWindows(m_editor))
                if (ClassOf(hWnd) == "#32770")
                {
                    std::string caption;
                    ReadAndAnswer(hWnd, rBox, caption);
                    return nullptr;
                }
            Sleep(100);
        }
        rBox = "(no page window and no message)";
        return nullptr;
    }

    // The texts of the chooser's Volume ID list, each as the list shows it
    // once chosen; the first is chosen again afterwards.
    static std::vector<std::string> Volumes(HWND hChooser)
    {
        std::vector<std::string> texts;
        HWND hCombo = GetDlgItem(hChooser, s_nVolume);
        const int n = static_cast<int>(SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            SendMessageA(hCombo, CB_SETCURSEL, i, 0);
            texts.push_back(TextOf(hCombo));
        }
        SendMessageA(hCombo, CB_SETCURSEL, 0, 0);
        return texts;
    }

    // The names the chooser's application list shows.
    std::vector<std::string> Listed(HWND hChooser) const
    {
        std::vector<std::string> names;
        HWND hList = GetDlgItem(hChooser, s_nList);
        const int n = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        RemoteBuffer remote(m_editor, sizeof(LVITEMA) + 128);
        for (int i = 0; i < n; ++i)
        {
            LVITEMA item = {};
            item.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
            item.cchTextMax = 128;
            char szText[128] = "";
            remote.Write(&item, sizeof(item));
            SendMessageA(hList, LVM_GETITEMTEXTA, i, remote.Param());
            remote.Read(szText, sizeof(szText), sizeof(LVITEMA));
            szText[sizeof(szText) - 1] = '\0';
            names.push_back(szText);
        }
        return names;
    }

    static void Press(HWND hDialog, int nButton)
    {
        PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nButton)));
    }

    std::string m_exeDir;
    std::string m_otherDir;
    Started m_editor;
    HWND m_hFrame = nullptr;
};
}

// A first start on a machine without the installation puts it in place;
// New offers the offline volumes and makes the application from the
// template at once, with Begin and End on "Main"; the next start finds
// everything as the first left it, and Open lists the application.
TEST_F(PlexstudioFirstStart, AFreshStartPutsTheInstallationInPlaceAndNewWorksAtOnce)
{
    std::vector<Value> values;
    ASSERT_FALSE(ReadKey(values));
    ASSERT_FALSE(IsDirectory(s_szProgDir));

    StartEditor();
    // Read with the trailing separators that their readers expect.
    EXPECT_EQ(s_szProgDir, GetString("ProgDir"));
    EXPECT_EQ(m_exeDir, GetString("HelpDir"));
    EXPECT_EQ(m_exeDir.substr(0, m_exeDir.size() - 1), GetString("BinDir"));
    const std::string version = GetString("Plexwright Version");
    EXPECT_NE("(none)", version);
    EXPECT_FALSE(version.empty());
    const std::string templatePath = std::string(s_szProgDir) + "default\\default.ed";
    const std::vector<std::string> templateBlocks = MainBlocks(templatePath);
    EXPECT_TRUE(Contains(templateBlocks, "Begin")) << ::testing::PrintToString(templateBlocks);
    EXPECT_TRUE(Contains(templateBlocks, "End")) << ::testing::PrintToString(templateBlocks);

    PostMessageA(m_hFrame, WM_COMMAND, s_cmdNew, 0);
    HWND hChooser = WaitForDialog(nullptr);
    ASSERT_NE(nullptr, hChooser) << Windows();
    Settle(m_editor);
    EXPECT_EQ((std::vector<std::string>{"1", "2", "11"}), Volumes(hChooser)) << DescribeTree(hChooser);
    SendMessageA(GetDlgItem(hChooser, s_nName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Probe"));
    Press(hChooser, IDOK);
    std::string box;
    HWND hPage = WaitForPage("Probe", box);
    ASSERT_NE(nullptr, hPage) << box << "\n" << Windows();
    const std::string probePath = std::string(s_szProgDir) + "Probe.ed";
    const std::vector<std::string> probeBlocks = MainBlocks(probePath);
    EXPECT_EQ(templateBlocks, probeBlocks);
    EXPECT_EQ(0u, Exit());

    // Once: the next start changes nothing.
    std::vector<Value> first;
    ASSERT_TRUE(ReadKey(first));
    const std::string templateBytes = FileBytes(templatePath);
    StartEditor();
    std::vector<Value> second;
    ASSERT_TRUE(ReadKey(second));
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
    {
        EXPECT_EQ(first[i].name, second[i].name);
        EXPECT_EQ(first[i].data, second[i].data) << first[i].name;
    }
    EXPECT_EQ(templateBytes, FileBytes(templatePath));

    PostMessageA(m_hFrame, WM_COMMAND, s_cmdOpen, 0);
    hChooser = WaitForDialog(nullptr);
    ASSERT_NE(nullptr, hChooser) << Windows();
    Settle(m_editor);
    EXPECT_EQ((std::vector<std::string>{"Probe"}), Listed(hChooser)) << DescribeTree(hChooser);
    Press(hChooser, IDCANCEL);
    for (DWORD dwWaited = 0; IsWindow(hChooser) && dwWaited < 10000; dwWaited += 50)
        Sleep(50);
    EXPECT_EQ(0u, Exit());
}

// What an installation already holds stays as it is: its values, and the
// template in the program directory it names; nothing is made in the
// built-in program directory.
TEST_F(PlexstudioFirstStart, PresentValuesAndTheTemplateAreKept)
{
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    m_otherDir = std::string(szTemp) + "pxfirststart\\";
    PXRemoveTree(m_otherDir);
    ASSERT_TRUE(CreateDirectoryA(m_otherDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((m_otherDir + "default").c_str(), nullptr));
    const std::string templatePath = m_otherDir + "default\\default.ed";
    {
        HANDLE h = CreateFileA(templatePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD n = 0;
        WriteFile(h, "the installer's own template", 28, &n, nullptr);
        CloseHandle(h);
    }
    SetString("ProgDir", m_otherDir);
    SetString("HelpDir", "C:\\Help\\Here\\");
    SetString("Plexwright Version", "0.9 (kept)");

    StartEditor();
    EXPECT_EQ(m_otherDir, GetString("ProgDir"));
    EXPECT_EQ("C:\\Help\\Here\\", GetString("HelpDir"));
    EXPECT_EQ("0.9 (kept)", GetString("Plexwright Version"));
    EXPECT_EQ(m_exeDir.substr(0, m_exeDir.size() - 1), GetString("BinDir"));   // the one that was missing
    EXPECT_EQ("the installer's own template", FileBytes(templatePath));
    EXPECT_FALSE(IsDirectory(s_szProgDir));
    EXPECT_EQ(0u, Exit());
}
