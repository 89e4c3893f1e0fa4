// A user's session with the real editor in standalone mode, driven from
// outside with the messages a user's mouse and keys would send: the block
// palette beside the frame, and the programs kept in the program folder
// that the installation names in the registry, with its template for new
// applications.
#include "PXTestSupport.h"
#include "PlexstudioProcess.h"

#include "Goto.h"
#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "plexmodel.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
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

// The blocks of every page of a saved program file, "page:name" each, and
// their connections, "page:name.output->target" each, sorted; empty when
// the file does not load.
struct SavedProgram
{
    std::vector<std::string> blocks;
    std::vector<std::string> gotos;
};

SavedProgram LoadSaved(const std::string& path)
{
    SavedProgram saved;
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    if (dwAttr == INVALID_FILE_ATTRIBUTES || (dwAttr & FILE_ATTRIBUTE_DIRECTORY))
        return saved;
    std::unique_ptr<Program> pProgram(PXFileLoadProgram(path.c_str(), nullptr));
    if (!pProgram)
        return saved;
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            const std::string name = std::string(page.GetName()) + ":" + block.GetName();
            saved.blocks.push_back(name);
            ListIterator gotos(block.GetGotos());
            while (gotos)
            {
                Goto& line = static_cast<Goto&>(gotos++);
                if (line.GetTarget())
                    saved.gotos.push_back(name + "." + line.GetOutputName() + "->" + line.GetTarget()->GetName());
            }
        }
    }
    std::sort(saved.blocks.begin(), saved.blocks.end());
    std::sort(saved.gotos.begin(), saved.gotos.end());
    return saved;
}

std::vector<std::string> SavedBlocks(const std::string& path)
{
    return LoadSaved(path).blocks;
}

// The lines of a text file; none when it cannot be read.
std::vector<std::string> FileLines(const std::string& path)
{
    std::vector<std::string> lines;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return lines;
    std::string line;
    for (int c; (c = fgetc(pFile)) != EOF;)
    {
        if (c == '\n')
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
        }
        else
            line += static_cast<char>(c);
    }
    if (!line.empty())
        lines.push_back(line);
    fclose(pFile);
    return lines;
}

// The fields of a run-time record, split at its '|'s.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line)
        if (c == '|')
            fields.emplace_back();
        else
            fields.back() += c;
    return fields;
}

// The run-time file's connection of the block's output, as "block.output->
// target" by the blocks' names, or why there is none.
std::string RunConnection(const std::vector<std::string>& lines, const char* pszBlock, const char* pszOutput)
{
    std::vector<std::pair<std::string, std::string>> numbers;    // number, name
    std::string current, target;
    for (const std::string& line : lines)
    {
        std::vector<std::string> f = Fields(line);
        if (f[0] == "Block" && f.size() >= 4)
        {
            numbers.emplace_back(f[1], f[3]);
            current = f[3];
        }
        else if (f[0] == "Out" && f.size() >= 3 && current == pszBlock && f[1] == pszOutput)
            target = f[2];
    }
    if (target.empty())
        return "no output record";
    for (const auto& number : numbers)
        if (number.first == target)
            return std::string(pszBlock) + "." + pszOutput + "->" + number.second;
    return "output to unknown block " + target;
}

bool FileExists(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The boxes of a complete save of the session's application: the
// checker's loop of the template's Rotary Dial and Attendant, then End,
// which no line leads to; nothing else.
void ExpectDiagnostics(const std::vector<std::string>& boxes)
{
    ASSERT_EQ(2u, boxes.size()) << ::testing::PrintToString(boxes);
    EXPECT_NE(std::string::npos, boxes[0].find("These areas of the program contain loops: \n\"  Rotary  Attendant\"\n"))
        << boxes[0];
    EXPECT_NE(std::string::npos, boxes[1].find("The following blocks are unreachable in this application:\n\n\"End\"\n "))
        << boxes[1];
}

// A session's settings and program folder, and the editor's windows.
class PlexstudioSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = TempFolder();
        PXRemoveTree(m_dir);
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
        // New blocks are named by the user, as they are unless set otherwise.
        WritePrivateProfileStringA("Main", "Auto Name", nullptr, s_szSettings);
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
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
        PXRemoveTree(m_dir);
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

    // The page window of the program, looked for until the time runs out
    // (once with none), and its page pane.
    HWND PageWindow(const char* pszCaption, DWORD dwMillis = 20000) const
    {
        for (DWORD dwWaited = 0;; dwWaited += 100)
        {
            for (HWND hWnd : FindDescendants(m_hFrame, "UIMDI"))
                if (TextOf(hWnd) == pszCaption)
                    return hWnd;
            if (dwWaited >= dwMillis)
                return nullptr;
            Sleep(100);
        }
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

    // What the status line says with the mouse over the pane's point, as
    // the user reads it while moving the mouse.
    std::string HoverText(HWND hPane, POINT pt)
    {
        if (!IsWindow(m_hStatus))
            m_hStatus = FindDescendant(m_hFrame, "STATUSLINE");
        if (!m_hStatus)
            return "";
        SendMessageTimeoutA(hPane, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y), SMTO_ABORTIFHUNG, 5000, nullptr);
        return TextOf(m_hStatus);
    }

    // The first point, row by row from the top of the pane's client area
    // over a grid of points, where the status line says the text; the texts
    // it said instead, when there is none.
    bool FindHover(HWND hPane, const char* pszText, int nStep, POINT& rFound, std::string& rSeen)
    {
        std::map<std::string, int> seen;
        RECT rc = {};
        GetClientRect(hPane, &rc);
        for (long y = rc.top + nStep / 2; y < rc.bottom; y += nStep)
            for (long x = rc.left + nStep / 2; x < rc.right; x += nStep)
            {
                const std::string text = HoverText(hPane, POINT{x, y});
                if (text == pszText)
                {
                    rFound = POINT{x, y};
                    return true;
                }
                ++seen[text];
            }
        rSeen.clear();
        for (const auto& entry : seen)
            rSeen += "\"" + entry.first + "\" at " + std::to_string(entry.second) + " points\n";
        return false;
    }

    // A click of the left button at the pane's point.
    void ClickAt(HWND hPane, POINT pt) const
    {
        const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
        SendMessageTimeoutA(hPane, WM_MOUSEMOVE, 0, lPoint, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(hPane, WM_LBUTTONDOWN, MK_LBUTTON, lPoint, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(hPane, WM_LBUTTONUP, 0, lPoint, SMTO_ABORTIFHUNG, 5000, nullptr);
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
    HWND m_hStatus = nullptr;
};
}

// The block palette stands beside the frame at start: a tab per group of
// blocks, and the blocks of the highlighted tab's group to drag from.
TEST_F(PlexstudioSession, ThePaletteOffersTheBlocksOfItsGroupsAtStart)
{
    StartEditor();
    HWND hList = PaletteList();
    HWND hTabs = PaletteTabs();
    ASSERT_NE(nullptr, hList) << Windows();
    ASSERT_NE(nullptr, hTabs) << Windows();
    EXPECT_GT(SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0), 1);
    // The highlighted tab's text, read in the editor's memory.
    RemoteBuffer remote(m_editor, sizeof(TCITEMA) + 64);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = static_cast<char*>(remote.Address()) + sizeof(TCITEMA);
    tab.cchTextMax = 64;
    remote.Write(&tab, sizeof(tab));
    ASSERT_TRUE(SendMessageA(hTabs, TCM_GETITEMA, SendMessageA(hTabs, TCM_GETCURSEL, 0, 0), remote.Param()));
    char szTab[64] = "";
    remote.Read(szTab, sizeof(szTab), sizeof(TCITEMA));
    szTab[sizeof(szTab) - 1] = '\0';
    EXPECT_STREQ("Call Routing", szTab);
    // That group's blocks, each by its name.
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
// onto the page and named, the Begin block's output connected to it, Save,
// exit;
// the next start opens the application from the recent list and saves it
// under another name. The application is complete: each save builds its
// run-time file, and both program files hold the blocks and the line.
TEST_F(PlexstudioSession, AnApplicationMadeConnectedAndSavedIsThereWhenOpenedAgain)
{
    const char kOutputHover[] = "Click to connect this output to a Block.";
    const char kTargetHover[] = "Click to connect selected output to this Block.";
    const char kLineHover[] = "Connected to: Call Transfer / Front_Desk";

    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdNew, 0);
    Choose("Sales");
    HWND hPage = PageWindow("Sales");
    ASSERT_NE(nullptr, hPage) << Windows();
    HWND hPane = PagePane(hPage);
    ASSERT_NE(nullptr, hPane) << DescribeTree(hPage);
    const std::string path = m_dir + "Sales.ed", runPath = m_dir + "Sales.run";
    const std::vector<std::string> before = SavedBlocks(path);
    ASSERT_FALSE(before.empty());
    // The template's Begin leads nowhere yet: nothing is built.
    EXPECT_FALSE(FileExists(runPath));

    // The palette's "Call Transfer" dropped in the middle of the page.
    std::vector<std::string> palette = PaletteNames();
    auto it = std::find(palette.begin(), palette.end(), "Call Transfer");
    ASSERT_NE(palette.end(), it);
    RECT rcPane = {};
    GetClientRect(hPane, &rcPane);
    POINT ptDrop = {(rcPane.left + rcPane.right) / 2, (rcPane.top + rcPane.bottom) / 2};
    POINT ptDropScreen = ptDrop;
    ClientToScreen(hPane, &ptDropScreen);
    DragFromPalette(static_cast<int>(it - palette.begin()), ptDropScreen);
    // The dropped block is named in the dialog that asks for it.
    HWND hName = WaitForWindow(m_editor, "#32770");
    ASSERT_NE(nullptr, hName) << Windows();
    EXPECT_EQ("Add Call Transfer Block", TextOf(hName));
    ASSERT_NE(nullptr, GetDlgItem(hName, 101)) << DescribeTree(hName);
    SendMessageA(GetDlgItem(hName, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Front Desk"));
    PostMessageA(hName, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hName, IDOK)));
    for (DWORD dwWaited = 0; IsWindow(hName) && dwWaited < 10000; dwWaited += 50)
        Sleep(50);
    Settle(m_editor);
    // The Begin block's output is found as the user finds it: the status
    // line invites a click on every output that leads nowhere, and Begin,
    // where the call enters, stands above every other block of the
    // template, its output beside it.
    {
        std::unique_ptr<Program> pTemplate(PXFileLoadProgram((m_dir + "default\\default.ed").c_str(), nullptr));
        ASSERT_NE(nullptr, pTemplate);
        PowerBlock* pBegin = pTemplate->GetMainPage()->FindBlockByName("Begin");
        ASSERT_NE(nullptr, pBegin);
        ListIterator blocks(pTemplate->GetMainPage()->GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            if (&block != pBegin)
                ASSERT_LT(pBegin->GetY(), block.GetY()) << block.GetName();
        }
    }
    POINT ptOutput = {};
    std::string seen;
    ASSERT_TRUE(FindHover(hPane, kOutputHover, 4, ptOutput, seen)) << seen;
    ASSERT_LT(ptOutput.y, ptDrop.y) << seen;

    // A click on the output, then one on the block it is to lead to.
    ClickAt(hPane, ptOutput);
    EXPECT_EQ(kTargetHover, HoverText(hPane, ptDrop)) << "the output is not selected, or no block was dropped";
    ClickAt(hPane, ptDrop);
    // The line now leads there, as its segments tell.
    POINT ptLine = {};
    EXPECT_TRUE(FindHover(hPane, kLineHover, 4, ptLine, seen)) << seen;

    // Save: the application is complete, so no box says otherwise; the
    // checker's warnings come before the build, which writes the run-time
    // file. The template's Rotary Dial and Attendant lead to each other,
    // and no line leads to End.
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdSave, 0);
    const std::vector<std::string> saveBoxes =
        AnswerBoxesUntil([&] { return FileExists(runPath) && SavedBlocks(path).size() == before.size() + 1; });
    ExpectDiagnostics(saveBoxes);
    const SavedProgram saved = LoadSaved(path);
    EXPECT_EQ(before.size() + 1, saved.blocks.size()) << Windows();
    EXPECT_TRUE(std::includes(saved.blocks.begin(), saved.blocks.end(), before.begin(), before.end()));
    EXPECT_NE(saved.blocks.end(), std::find(saved.blocks.begin(), saved.blocks.end(), "Main:Front_Desk"));
    EXPECT_NE(saved.gotos.end(), std::find(saved.gotos.begin(), saved.gotos.end(), "Main:Begin.Start->Front_Desk"));
    EXPECT_EQ("Begin.Start->Front_Desk", RunConnection(FileLines(runPath), "Begin", "Start"));
    EXPECT_EQ(0u, Exit());

    // The next start: the recent list's first entry opens it again, with
    // its line, and Save As builds the copy under the new name.
    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdRecentFirst, 0);
    ASSERT_NE(nullptr, PageWindow("Sales")) << Windows();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdSaveAs, 0);
    Choose("Orders");
    const std::string ordersPath = m_dir + "Orders.ed", ordersRun = m_dir + "Orders.run";
    // The page window takes the new name once the save is done.
    const std::vector<std::string> saveAsBoxes = AnswerBoxesUntil(
        [&] { return PageWindow("Orders", 0) && FileExists(ordersRun) && !SavedBlocks(ordersPath).empty(); });
    ExpectDiagnostics(saveAsBoxes);
    EXPECT_NE(nullptr, PageWindow("Orders", 0)) << Windows();
    const SavedProgram copy = LoadSaved(ordersPath);
    EXPECT_EQ(saved.blocks, copy.blocks);
    EXPECT_EQ(saved.gotos, copy.gotos);
    EXPECT_EQ("Begin.Start->Front_Desk", RunConnection(FileLines(ordersRun), "Begin", "Start"));
    EXPECT_EQ(saved.blocks, SavedBlocks(path));
    EXPECT_EQ(0u, Exit());
}

// A block placed on the page of a new application: Del pressed over the
// page while nothing is selected leaves it, Del after a click on it
// deletes it. The key goes through the editor's own message loop and its
// accelerators, which act only for a command the selection enables.
TEST_F(PlexstudioSession, DelDeletesTheClickedBlockAndNothingWithoutASelection)
{
    StartEditor();
    PostMessageA(m_hFrame, WM_COMMAND, s_cmdNew, 0);
    Choose("Sales");
    HWND hPage = PageWindow("Sales");
    ASSERT_NE(nullptr, hPage) << Windows();
    HWND hPane = PagePane(hPage);
    ASSERT_NE(nullptr, hPane) << DescribeTree(hPage);
    std::vector<std::string> palette = PaletteNames();
    auto it = std::find(palette.begin(), palette.end(), "Call Transfer");
    ASSERT_NE(palette.end(), it);
    RECT rcPane = {};
    GetClientRect(hPane, &rcPane);
    const POINT ptDrop = {(rcPane.left + rcPane.right) / 2, (rcPane.top + rcPane.bottom) / 2};
    POINT ptDropScreen = ptDrop;
    ClientToScreen(hPane, &ptDropScreen);
    DragFromPalette(static_cast<int>(it - palette.begin()), ptDropScreen);
    HWND hName = WaitForWindow(m_editor, "#32770");
    ASSERT_NE(nullptr, hName) << Windows();
    SendMessageA(GetDlgItem(hName, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Front Desk"));
    PostMessageA(hName, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hName, IDOK)));
    for (DWORD dwWaited = 0; IsWindow(hName) && dwWaited < 10000; dwWaited += 50)
        Sleep(50);
    Settle(m_editor);
    const POINT ptEmpty = {rcPane.right - 6, rcPane.bottom - 6};
    // A click shows on the status line what it hit: nothing on empty
    // paper, the block's text on a block.
    HWND hStatus = FindDescendant(m_hFrame, "STATUSLINE");
    ASSERT_NE(nullptr, hStatus) << Windows();
    auto clickedText = [&](POINT pt) {
        ClickAt(hPane, pt);
        Settle(m_editor);
        return TextOf(hStatus);
    };
    const std::string blockText = clickedText(ptDrop);
    ASSERT_FALSE(blockText.empty()) << "no block under the drop point";
    ASSERT_EQ("", clickedText(ptEmpty));

    auto pressDel = [&]() {
        PostMessageA(hPane, WM_KEYDOWN, VK_DELETE, 0x01530001);
        PostMessageA(hPane, WM_KEYUP, VK_DELETE, 0xC1530001);
    };
    // Nothing selected: Del stands for a greyed command.
    pressDel();
    EXPECT_TRUE(AnswerBoxesUntil([] { return false; }, 1500).empty());
    EXPECT_EQ(blockText, clickedText(ptDrop)) << "Del without a selection removed the block";

    // The block clicked (just now): Del deletes it (a confirmation, when
    // asked, is answered Yes).
    pressDel();
    AnswerBoxesUntil([] { return true; }, 15000);
    EXPECT_EQ("", clickedText(ptDrop)) << "Del left the clicked block";

    // Ending: the unsaved application's question answered, its checks too.
    PostMessageA(m_hFrame, WM_CLOSE, 0, 0);
    AnswerBoxesUntil([&] { return WaitForSingleObject(m_editor.pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
    EXPECT_EQ(0u, WaitForExit(m_editor));
    Close(m_editor);
    m_hFrame = nullptr;
}

namespace
{
// The bytes of a file, and a file of those bytes.
std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return bytes;
    for (int c; (c = fgetc(pFile)) != EOF;)
        bytes += static_cast<char>(c);
    fclose(pFile);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    const bool bOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && bOk;
}

// The program file cut after half of its bytes.
std::string CutInHalf(const std::string& bytes)
{
    return bytes.substr(0, bytes.size() / 2);
}

// The program file with the page number of its first block record (the
// owner, the 11th of its 13 fields "[f1,f2,...,]", a "~" escaping a comma)
// replaced by the page's name.
std::string PageNumberAsText(const std::string& bytes)
{
    std::string out;
    bool bDone = false;
    size_t nStart = 0;
    while (nStart < bytes.size())
    {
        size_t nEnd = bytes.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        std::string line = bytes.substr(nStart, nEnd - nStart);
        const bool bCr = !line.empty() && line.back() == '\r';
        if (bCr)
            line.pop_back();
        if (!bDone && line.size() > 2 && line.front() == '[' && line.back() == ']')
        {
            std::vector<std::string> fields(1);
            for (size_t i = 1; i + 1 < line.size(); ++i)
            {
                if (line[i] == ',' && line[i - 1] != '~')
                    fields.emplace_back();
                else
                    fields.back() += line[i];
            }
            // "[a,b,]" ends with an empty field after its last comma.
            if (fields.size() == 14)
            {
                fields[10] = "Main";
                line = "[";
                for (size_t i = 0; i + 1 < fields.size(); ++i)
                    line += fields[i] + ",";
                line += "]";
                bDone = true;
            }
        }
        out += line + (bCr ? "\r" : "") + (nEnd < bytes.size() ? "\n" : "");
        nStart = nEnd + 1;
    }
    return bDone ? out : std::string();
}
}

// A damaged program file opened beside an open application: the editor
// asks the load's question in its prompt, and whatever the answer it goes
// on, the other application still open and the session's recent list kept
// when it ends.
TEST_F(PlexstudioSession, ADamagedProgramFileAsksAndTheEditorGoesOn)
{
    ASSERT_TRUE(WriteTemplate(m_dir + "Good.ed"));
    const std::string good = ReadBytes(m_dir + "Good.ed");
    ASSERT_FALSE(good.empty());
    const struct
    {
        const char* pszName;
        std::string bytes;
        const char* pszQuestion;    // a part of the prompt's text
        int nAnswer;
    } cases[] = {
        {"Half", CutInHalf(good), "Continue", IDOK},
        {"Half", CutInHalf(good), "Continue", IDCANCEL},
        {"Paged", PageNumberAsText(good), "Could not load this PowerBlock.  It may be dropped.", IDOK},
        {"Paged", PageNumberAsText(good), "Could not load this PowerBlock.  It may be dropped.", IDCANCEL},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszName) + (c.nAnswer == IDOK ? ", Continue" : ", Abort"));
        ASSERT_FALSE(c.bytes.empty());
        ASSERT_TRUE(WriteBytes(m_dir + c.pszName + ".ed", c.bytes));
        WritePrivateProfileStringA(s_szRecentSection, nullptr, nullptr, s_szSettings);
        WritePrivateProfileStringA(s_szRecentSection, "Last Opened 1", "Good", s_szSettings);
        WritePrivateProfileStringA(s_szRecentSection, "Last Opened 2", c.pszName, s_szSettings);
        StartEditor();
        PostMessageA(m_hFrame, WM_COMMAND, s_cmdRecentFirst, 0);
        HWND hGood = PageWindow("Good");
        ASSERT_NE(nullptr, hGood) << Windows();

        PostMessageA(m_hFrame, WM_COMMAND, s_cmdRecentFirst + 1, 0);
        HWND hPrompt = WaitForWindow(m_editor, "#32770", 20000, "LOAD AND SAVE ERROR");
        ASSERT_NE(nullptr, hPrompt) << "exit code " << WaitForExit(m_editor, 0) << "\n" << Windows();
        const std::string question = TextOf(GetDlgItem(hPrompt, 501));
        EXPECT_NE(std::string::npos, question.find("Load and Save Error!!")) << question;
        EXPECT_NE(std::string::npos, question.find(c.pszQuestion)) << question;
        // While it asks, the frame takes no command.
        EXPECT_FALSE(IsWindowEnabled(m_hFrame));
        PostMessageA(hPrompt, WM_COMMAND, MAKEWPARAM(c.nAnswer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hPrompt, c.nAnswer)));
        // What the load says after it, each further question answered the
        // same; the prompt takes its time to come, so the load is over once
        // the frame has taken input again for a while.
        DWORD dwQuietSince = GetTickCount();
        for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < 60000;)
        {
            if (WaitForSingleObject(m_editor.pi.hProcess, 0) == WAIT_OBJECT_0)
                break;
            HWND hBox = nullptr;
            for (HWND hWnd : TopLevelWindows(m_editor))
                if (ClassOf(hWnd) == "#32770")
                    hBox = hWnd;
            if (hBox)
            {
                const bool bPrompt = TextOf(hBox) == "LOAD AND SAVE ERROR";
                std::string text, caption;
                ReadAndAnswer(hBox, text, caption, bPrompt ? c.nAnswer : IDOK);
                for (DWORD dwWaited = 0; IsWindow(hBox) && dwWaited < 5000; dwWaited += 50)
                    Sleep(50);
                dwQuietSince = GetTickCount();
            }
            else if (!IsWindowEnabled(m_hFrame))
                dwQuietSince = GetTickCount();
            else if (GetTickCount() - dwQuietSince >= 3000)
                break;
            Sleep(100);
        }
        ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(m_editor.pi.hProcess, 0))
            << "the editor ended with " << WaitForExit(m_editor, 0);
        EXPECT_TRUE(IsWindowEnabled(m_hFrame)) << Windows();
        EXPECT_TRUE(IsWindow(hGood));
        EXPECT_EQ("Good", TextOf(hGood));
        EXPECT_EQ(0u, Exit());
        // The damaged file, when what was left of it opened, comes first.
        std::vector<std::string> recent;
        for (const char* pszKey : {"Last Opened 1", "Last Opened 2"})
        {
            char szEntry[128] = "";
            GetPrivateProfileStringA(s_szRecentSection, pszKey, "", szEntry, sizeof(szEntry), s_szSettings);
            recent.push_back(std::string(szEntry).substr(0, std::string(szEntry).find('|')));
        }
        EXPECT_NE(recent.end(), std::find(recent.begin(), recent.end(), "Good")) << ::testing::PrintToString(recent);
    }
}

// Once started, the status line has left its start-up text for the empty
// line of an editor at rest.
TEST_F(PlexstudioSession, AfterTheStartTheStatusLineIsAtRest)
{
    StartEditor();
    Settle(m_editor);
    HWND hStatus = FindDescendant(m_hFrame, "STATUSLINE");
    ASSERT_NE(nullptr, hStatus) << Windows();
    EXPECT_EQ("", TextOf(hStatus));
    EXPECT_EQ(0u, Exit());
}
