// A user's session with the real editor in standalone mode, driven from
// outside with the messages a user's mouse and keys would send: the block
// palette beside the frame, and the programs kept in the program folder
// that the installation names in the registry, with its template for new
// applications.
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
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char s_szSettings[] = "KALVERODIN.INI";
const char s_szRecentSection[] = "Plexwright Past Programs Opened";
const char s_szKey[] = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";
// The File menu's commands, as its items send them.
const WPARAM s_cmdNew = 4128, s_cmdSave = 4130, s_cmdSaveAs = 4131, s_cmdRecentFirst = 4211;

std::string TempFolder()
{
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    return std::string(szTemp) + "pxsession\\";
}

void RemoveFolder(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((dir + "*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(dir + name + "\\");
            else
                DeleteFileA((dir + name).c_str());
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(dir.c_str());
}

// The template of new applications, as an installation has it: the page
// "Main" with its default blocks.
bool WriteTemplate(const std::string& path)
{
    static IconInfoTable s_table = {};
    static Icons* s_pIcons = nullptr;
    if (!s_pIcons)
    {
        if (kvrGetPowerBlockList(&s_table, 0, 1) <= 0)
            return false;
        s_pIcons = new Icons(&s_table);
    }
    Icons::SetCurrent(s_pIcons);
    Program program("Template", 0);
    Page* pMain = new Page(&program, "Main", PX_PAGE_MAIN, 0);
    program.AddPage(pMain);
    return pMain->AddMainDefaultBlocks() == 1 && PXFileSaveProgram(path.c_str(), &program, nullptr) == 1;
}

// The names of the blocks of every page of a saved program file, "page:name"
// each; empty when the file does not load.
std::vector<std::string> SavedBlocks(const std::string& path)
{
    std::vector<std::string> names;
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    if (dwAttr == INVALID_FILE_ATTRIBUTES || (dwAttr & FILE_ATTRIBUTE_DIRECTORY))
        return names;
    std::unique_ptr<Program> pProgram(PXFileLoadProgram(path.c_str(), nullptr));
    if (!pProgram)
        return names;
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ListIterator blocks(page.GetBlocks());
        while (blocks)
            names.push_back(std::string(page.GetName()) + ":" + static_cast<PowerBlock&>(blocks++).GetName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A session's settings and program folder, and the editor's windows.
class PlexstudioSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = TempFolder();
        RemoveFolder(m_dir);
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_dir + "default").c_str(), nullptr));
        ASSERT_TRUE(WriteTemplate(m_dir + "default\\default.ed"));
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, nullptr, 0, KEY_SET_VALUE,
                                                 nullptr, &hKey, nullptr));
        RegSetValueExA(hKey, "ProgDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_dir.c_str()),
                       static_cast<DWORD>(m_dir.size() + 1));
        RegCloseKey(hKey);
        WritePrivateProfileStringA(s_szRecentSection, nullptr, nullptr, s_szSettings);
        // New blocks take names of their own, as the user set it.
        WritePrivateProfileStringA("Main", "Auto Name", "TRUE", s_szSettings);
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
        WritePrivateProfileStringA(s_szRecentSection, nullptr, nullptr, s_szSettings);
        WritePrivateProfileStringA("Main", "Auto Name", nullptr, s_szSettings);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        RemoveFolder(m_dir);
    }

    // Starts the editor and waits for its frame and its start to end.
    void StartEditor()
    {
        m_editor = Start();
        ASSERT_TRUE(m_editor.bOk);
        m_hFrame = WaitForWindow(m_editor, "UIFRAME");
        ASSERT_NE(nullptr, m_hFrame) << "no main frame; exit code " << WaitForExit(m_editor, 0);
        WaitForInputIdle(m_editor.pi.hProcess, 20000);
    }

    // Closes the frame as the user would; the exit code.
    DWORD Exit()
    {
        PostMessageA(m_hFrame, WM_CLOSE, 0, 0);
        DWORD dwCode = WaitForExit(m_editor);
        Close(m_editor);
        m_hFrame = nullptr;
        return dwCode;
    }

    // Every window of the editor, for the message of a failed step.
    std::string Windows() const
    {
        std::string out;
        for (HWND hWnd : TopLevelWindows(m_editor))
            out += DescribeTree(hWnd);
        return out;
    }

    // The block palette's list of blocks and its group tabs.
    HWND PaletteList() const
    {
        HWND hPalette = FindDescendant(m_hFrame, "Palette Class");
        return hPalette ? FindDescendant(hPalette, "SysListView32") : nullptr;
    }
    HWND PaletteTabs() const
    {
        HWND hPalette = FindDescendant(m_hFrame, "Palette Class");
        return hPalette ? FindDescendant(hPalette, "SysTabControl32") : nullptr;
    }

    // The names of the blocks the palette lists, in order.
    std::vector<std::string> PaletteNames() const
    {
        std::vector<std::string> names;
        HWND hList = PaletteList();
        if (!hList)
            return names;
        const int n = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        RemoteBuffer remote(m_editor, sizeof(LVITEMA) + 128);
        for (int i = 0; i < n; ++i)
        {
            LVITEMA item = {};
            item.iSubItem = 0;
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

    // Drags the palette's block onto the screen point and lets it go there,
    // as the mouse does: pressed on its icon, moved past the drag distance
    // (the list begins the drag), moved to the point and released.
    void DragFromPalette(int nItem, POINT ptScreen)
    {
        HWND hList = PaletteList();
        ASSERT_NE(nullptr, hList);
        RemoteBuffer remote(m_editor, sizeof(RECT));
        RECT rc = {};
        rc.left = LVIR_ICON;
        remote.Write(&rc, sizeof(rc));
        ASSERT_NE(0, SendMessageA(hList, LVM_GETITEMRECT, nItem, remote.Param()));
        remote.Read(&rc, sizeof(rc));
        POINT ptPress = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptPress.x, ptPress.y));
        PostMessageA(hList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptPress.x + 20, ptPress.y + 20));
        Settle(m_editor);
        // The drag runs in the palette's window now, which has the mouse.
        HWND hInner = GetParent(hList);
        POINT pt = ptScreen;
        ScreenToClient(hInner, &pt);
        PostMessageA(hInner, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageA(hInner, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Settle(m_editor);
    }

    // The page window of the program, and its page pane.
    HWND PageWindow(const char* pszCaption, DWORD dwMillis = 20000) const
    {
        for (DWORD dwWaited = 0; dwWaited < dwMillis; dwWaited += 100)
        {
            for (HWND hWnd : FindDescendants(m_hFrame, "UIMDI"))
                if (TextOf(hWnd) == pszCaption)
                    return hWnd;
            Sleep(100);
        }
        return nullptr;
    }
    static HWND PagePane(HWND hPageWindow) { return FindDescendant(hPageWindow, "UIOBJECTCHILD"); }

    // Answers the message boxes the editor shows, Yes where the box asks
    // and OK otherwise, until the step is done and none has come for a
    // while (or the time runs out). Their texts, in order.
    std::vector<std::string> AnswerBoxesUntil(const std::function<bool()>& done, DWORD dwMaxMillis = 30000)
    {
        std::vector<std::string> texts;
        DWORD dwQuiet = 0;
        for (DWORD dwWaited = 0; dwWaited < dwMaxMillis && WaitForSingleObject(m_editor.pi.hProcess, 0) != WAIT_OBJECT_0;)
        {
            HWND hBox = nullptr;
            for (HWND hWnd : TopLevelWindows(m_editor))
                if (ClassOf(hWnd) == "#32770")
                    hBox = hWnd;
            if (!hBox)
            {
                if (dwQuiet >= 1000 && done())
                    break;
                Sleep(100);
                dwQuiet += 100;
                dwWaited += 100;
                continue;
            }
            dwQuiet = 0;
            std::string text, caption;
            ReadAndAnswer(hBox, text, caption, GetDlgItem(hBox, IDYES) ? IDYES : IDOK);
            texts.push_back(text);
            Sleep(200);
            dwWaited += 200;
        }
        return texts;
    }

    // Answers the editor's application chooser with the name and OK.
    void Choose(const char* pszName)
    {
        HWND hChooser = WaitForWindow(m_editor, "#32770");
        ASSERT_NE(nullptr, hChooser) << Windows();
        HWND hName = GetDlgItem(hChooser, 102);
        ASSERT_NE(nullptr, hName) << DescribeTree(hChooser);
        SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszName));
        PostMessageA(hChooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hChooser, IDOK)));
        // The chooser closes before anything the choice shows.
        for (DWORD dwWaited = 0; IsWindow(hChooser) && IsWindowVisible(hChooser) && dwWaited < 10000; dwWaited += 50)
            Sleep(50);
        EXPECT_FALSE(IsWindow(hChooser) && IsWindowVisible(hChooser)) << DescribeTree(hChooser);
    }

    std::string m_dir;
    Started m_editor;
    HWND m_hFrame = nullptr;
};
}

// The block palette stands beside the frame at start: a tab per group of
// blocks and the blocks of the first group to drag from.
TEST_F(PlexstudioSession, ThePaletteOffersTheBlocksOfItsGroupsAtStart)
{
    StartEditor();
    HWND hList = PaletteList();
    HWND hTabs = PaletteTabs();
    ASSERT_NE(nullptr, hList) << Windows();
    ASSERT_NE(nullptr, hTabs) << Windows();
    EXPECT_GT(SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(0, SendMessageA(hTabs, TCM_GETCURSEL, 0, 0));
    // The first group's blocks, each by its name.
    std::vector<std::string> names = PaletteNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
        EXPECT_FALSE(name.empty());
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Call Transfer"));
    EXPECT_EQ(0u, Exit());
}

// New: the chooser of the editor is answered with a name and OK; the new
// application's page window shows, its program file lies in the program
// folder and the recent list names it when the editor ends.
TEST_F(PlexstudioSession, NewMakesTheApplicationFromTheChooserAndListsItAsRecent)
{
    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdNew, 0);
    HWND hChooser = WaitForWindow(m_editor, "#32770");
    ASSERT_NE(nullptr, hChooser) << Windows();
    HWND hName = GetDlgItem(hChooser, 102);
    ASSERT_NE(nullptr, hName) << DescribeTree(hChooser);
    SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Sales"));
    PostMessageA(hChooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hChooser, IDOK)));
    HWND hPage = PageWindow("Sales");
    ASSERT_NE(nullptr, hPage) << Windows();
    EXPECT_NE(nullptr, PagePane(hPage)) << DescribeTree(hPage);
    const DWORD dwAttr = GetFileAttributesA((m_dir + "Sales.ed").c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, dwAttr);
    EXPECT_EQ(0u, Exit());
    char szEntry[128] = "";
    GetPrivateProfileStringA(s_szRecentSection, "Last Opened 1", "", szEntry, sizeof(szEntry), s_szSettings);
    EXPECT_EQ(0, strncmp(szEntry, "Sales|", 6)) << szEntry;
}

// A user's session over two starts: New, a block dragged from the palette
// onto the page, Save, exit; the next start opens the application from the
// recent list and saves it under another name, and both program files hold
// the blocks.
TEST_F(PlexstudioSession, ABlockPlacedAndSavedIsThereWhenTheApplicationIsOpenedAgain)
{
    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdNew, 0);
    Choose("Sales");
    HWND hPage = PageWindow("Sales");
    ASSERT_NE(nullptr, hPage) << Windows();
    HWND hPane = PagePane(hPage);
    ASSERT_NE(nullptr, hPane) << DescribeTree(hPage);
    const std::vector<std::string> before = SavedBlocks(m_dir + "Sales.ed");
    ASSERT_FALSE(before.empty());

    // The palette's "Call Transfer" dropped in the middle of the page.
    std::vector<std::string> palette = PaletteNames();
    auto it = std::find(palette.begin(), palette.end(), "Call Transfer");
    ASSERT_NE(palette.end(), it);
    RECT rcPane = {};
    GetWindowRect(hPane, &rcPane);
    DragFromPalette(static_cast<int>(it - palette.begin()),
                    POINT{(rcPane.left + rcPane.right) / 2, (rcPane.top + rcPane.bottom) / 2});
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdSave, 0);
    const std::string path = m_dir + "Sales.ed";
    const std::vector<std::string> saveBoxes =
        AnswerBoxesUntil([&] { return SavedBlocks(path).size() == before.size() + 1; });
    const std::vector<std::string> saved = SavedBlocks(m_dir + "Sales.ed");
    EXPECT_EQ(before.size() + 1, saved.size()) << Windows();
    EXPECT_TRUE(std::includes(saved.begin(), saved.end(), before.begin(), before.end()));
    EXPECT_EQ(0u, Exit());

    // The next start: the recent list's first entry opens it again.
    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdRecentFirst, 0);
    ASSERT_NE(nullptr, PageWindow("Sales")) << Windows();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdSaveAs, 0);
    Choose("Orders");
    const std::vector<std::string> saveAsBoxes =
        AnswerBoxesUntil([&] { return !SavedBlocks(m_dir + "Orders.ed").empty(); });
    EXPECT_NE(nullptr, PageWindow("Orders")) << Windows();
    EXPECT_TRUE(FileExists(m_dir + "Orders.ed"));
    EXPECT_EQ(saved, SavedBlocks(m_dir + "Orders.ed"));
    EXPECT_EQ(saved, SavedBlocks(m_dir + "Sales.ed"));
    EXPECT_EQ(0u, Exit());
    // The block dropped is not reached from Begin: the save says the
    // application is incomplete, and saves it all the same; Save As says
    // nothing else.
    const std::vector<std::string> incomplete = {"Incomplete applications cannot be put into service."};
    EXPECT_EQ(incomplete, saveBoxes);
    for (const std::string& text : saveAsBoxes)
        EXPECT_EQ(incomplete[0], text);
}
