// The load/save prompt TLSMsg as the prompt of LSReportError: what it
// shows, the answers of its buttons, its check box "Do not display further
// warnings" and its Help button, driven through the modal seam.
#include "PXTestSupport.h"

#include "LSReport.h"
#include "DialogRes.h"
#include "TLSMsg.h"

#include <direct.h>

#include <string>
#include <vector>

namespace {

// What the test does once the prompt is up, in order: 'T' ticks the check
// box, 'H' presses Help, then one of 'C' Continue, 'A' Abort, 'X' the
// close box ends it.
std::string g_script;

struct Seen
{
    std::string caption;
    std::string message;
    LRESULT nCheckBefore;
    LRESULT nCheckAfter;
    bool bOwned;
    bool bWatchedEnabled;   // the test's own top-level window, while asked
};
HWND g_hWatched = nullptr;
std::vector<Seen> g_seen;
int g_nHelps = 0;
UINT g_uHelpCommand = 0;

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL WINAPI CountHelp(HWND, LPCSTR, UINT uCommand, ULONG_PTR)
{
    ++g_nHelps;
    g_uHelpCommand = uCommand;
    return TRUE;
}

void Answer(TWindow* pWnd)
{
    HWND hDlg = pWnd->HWindow;
    Seen seen;
    char sz[256];
    GetWindowTextA(hDlg, sz, sizeof(sz));
    seen.caption = sz;
    GetDlgItemTextA(hDlg, IDC_LS_MESSAGE, sz, sizeof(sz));
    seen.message = sz;
    seen.bOwned = GetWindow(hDlg, GW_OWNER) != nullptr;
    seen.bWatchedEnabled = g_hWatched && IsWindowEnabled(g_hWatched);
    HWND hBox = GetDlgItem(hDlg, IDC_LS_NOMOREWARNINGS);
    seen.nCheckBefore = SendMessageA(hBox, BM_GETCHECK, 0, 0);
    for (char ch : g_script)
    {
        int nButton = 0;
        switch (ch)
        {
        case 'T': SendMessageA(hBox, BM_CLICK, 0, 0); break;
        case 'H': SendMessageA(GetDlgItem(hDlg, IDC_LS_HELP), BM_CLICK, 0, 0); break;
        case 'C': nButton = IDOK; break;
        case 'A': nButton = IDCANCEL; break;
        case 'X': PostMessageA(hDlg, WM_CLOSE, 0, 0); break;
        }
        if (nButton)
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nButton)));
    }
    seen.nCheckAfter = SendMessageA(hBox, BM_GETCHECK, 0, 0);
    g_seen.push_back(seen);
}

class TLSMsgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        char szName[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        GetTempFileNameA(szTemp, "lsm", 0, szName);
        DeleteFileA(szName);
        CreateDirectoryA(szName, nullptr);
        m_dir = szName;
        _getcwd(m_szOldDir, MAX_PATH);
        _chdir(m_dir.c_str());
        m_pfnOldRunner = LSSetPromptRunner(nullptr);
        TLSMsg::Register();
        m_pfnOldHook = TWindow::SetModalHook(Answer);
        m_pfnOldHelp = TBaseDialog::SetHelpCall(CountHelp);
        g_seen.clear();
        g_script.clear();
        g_nHelps = 0;
        LSSetReportCount(0);
    }
    void TearDown() override
    {
        TBaseDialog::SetHelpCall(m_pfnOldHelp);
        TWindow::SetModalHook(m_pfnOldHook);
        LSSetPromptRunner(m_pfnOldRunner);
        _chdir(m_szOldDir);
        DeleteFileA((m_dir + "\\" LS_LOG_FILE).c_str());
        RemoveDirectoryA(m_dir.c_str());
    }

    std::string m_dir;
    char m_szOldDir[MAX_PATH];
    LSPromptRunner m_pfnOldRunner = nullptr;
    TWindow::TModalHook m_pfnOldHook = nullptr;
    TBaseDialog::HelpCall m_pfnOldHelp = nullptr;
};

} // namespace

TEST_F(TLSMsgTest, PromptShowsTheReportAndItsButtonsAnswer)
{
    // (script, answer, prompt mode after, check box after)
    struct Case
    {
        const char* pszScript;
        BOOL bAnswer;
        short nModeAfter;
        LRESULT nCheckAfter;
    } cases[] = {
        { "C", TRUE, LS_PROMPT_ASK, BST_UNCHECKED },
        { "A", FALSE, LS_PROMPT_ASK, BST_UNCHECKED },
        { "X", FALSE, LS_PROMPT_ASK, BST_UNCHECKED },
        { "TC", TRUE, LS_PROMPT_CONTINUE, BST_CHECKED },
        { "TA", FALSE, LS_PROMPT_CONTINUE, BST_CHECKED },
        { "TTC", TRUE, LS_PROMPT_ASK, BST_UNCHECKED },
        { "TTA", FALSE, LS_PROMPT_ASK, BST_UNCHECKED },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszScript);
        g_seen.clear();
        g_script = c.pszScript;
        short nMode = LS_PROMPT_ASK;
        EXPECT_EQ(c.bAnswer, LSReportError(nMode, "Main. Could not load this PowerBlock.", 3));
        EXPECT_EQ(c.nModeAfter, nMode);
        ASSERT_EQ(1u, g_seen.size());
        EXPECT_EQ("LOAD AND SAVE ERROR", g_seen[0].caption);
        EXPECT_EQ("Load and Save Error!!\n\nMain. Could not load this PowerBlock.", g_seen[0].message);
        EXPECT_EQ(BST_UNCHECKED, g_seen[0].nCheckBefore);
        EXPECT_EQ(c.nCheckAfter, g_seen[0].nCheckAfter);
        EXPECT_FALSE(g_seen[0].bOwned);
    }
}

TEST_F(TLSMsgTest, NoMoreWarningsLetsTheRestOfTheOperationContinueUnasked)
{
    g_script = "TC";
    short nMode = LS_PROMPT_ASK;
    EXPECT_TRUE(LSReportError(nMode, "first", 1));
    EXPECT_EQ(LS_PROMPT_CONTINUE, nMode);
    EXPECT_TRUE(LSReportError(nMode, "second", 0));
    EXPECT_TRUE(LSReportError(nMode, "third", 22));
    EXPECT_EQ(1u, g_seen.size());
    EXPECT_EQ(3, LSGetReportCount());

    // Ticked and aborted: stop now; the mode stays 1 until the caller sets it.
    g_script = "TA";
    short nOther = LS_PROMPT_ASK;
    EXPECT_FALSE(LSReportError(nOther, "fourth", 4));
    EXPECT_EQ(LS_PROMPT_CONTINUE, nOther);
    EXPECT_TRUE(LSReportError(nOther, "fifth", 4));
    EXPECT_EQ(2u, g_seen.size());
}

TEST_F(TLSMsgTest, HelpOpensTheHelpContentsAndThePromptStaysUp)
{
    g_script = "HHC";
    short nMode = LS_PROMPT_ASK;
    EXPECT_TRUE(LSReportError(nMode, "help", 1));
    EXPECT_EQ(2, g_nHelps);
    EXPECT_EQ(static_cast<UINT>(HELP_CONTENTS), g_uHelpCommand);
}

TEST_F(TLSMsgTest, DialogMadeDirectlySetsTheModeToAskAndRunsModally)
{
    short nMode = LS_PROMPT_STOP;
    g_script = "C";
    {
        TLSMsg dlg(nMode, "direct");
        EXPECT_EQ(LS_PROMPT_ASK, nMode);
        EXPECT_EQ(IDOK, dlg.Execute());
    }
    ASSERT_EQ(1u, g_seen.size());
    EXPECT_EQ("direct", g_seen[0].message);
    g_script = "A";
    EXPECT_EQ(IDCANCEL, TLSMsg::Prompt(nMode, "runner"));
}

TEST(TLSMsgTemplate, PromptTemplateLoads)
{
    HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), "DORVO_LS_MSG", nullptr,
                                   QuietDialogProc, 0);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(hDlg));
    char sz[64];
    GetWindowTextA(hDlg, sz, sizeof(sz));
    EXPECT_STREQ(sz, "LOAD AND SAVE ERROR");
    struct Control { int nId; const char* pszText; const char* pszClass; };
    const Control controls[] = {
        { IDOK, "Continue", "Button" },
        { IDCANCEL, "Abort", "Button" },
        { IDC_LS_HELP, "Help", "Button" },
        { IDC_LS_NOMOREWARNINGS, "Do not display further warnings", "Button" },
        { IDC_LS_MESSAGE, "", "Static" },
    };
    for (const Control& c : controls)
    {
        HWND hCtl = GetDlgItem(hDlg, c.nId);
        ASSERT_NE(hCtl, nullptr) << c.nId;
        GetWindowTextA(hCtl, sz, sizeof(sz));
        EXPECT_STREQ(sz, c.pszText);
        GetClassNameA(hCtl, sz, sizeof(sz));
        EXPECT_STRCASEEQ(sz, c.pszClass);
    }
    EXPECT_EQ(SendDlgItemMessageA(hDlg, IDC_LS_NOMOREWARNINGS, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    DestroyWindow(hDlg);
}

// The prompt has no parent, yet the program's windows wait for its answer:
// nothing can open, close or save a program inside the load that asks.
// They take input again once it is answered, whatever the answer.
TEST_F(TLSMsgTest, TheProgramsWindowsWaitForTheAnswer)
{
    g_hWatched = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, g_hWatched);
    HWND hDisabledBefore = CreateWindowExA(0, "STATIC", "off", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hDisabledBefore);
    EnableWindow(hDisabledBefore, FALSE);
    for (const char* pszScript : {"C", "A"})
    {
        SCOPED_TRACE(pszScript);
        g_seen.clear();
        g_script = pszScript;
        short nMode = LS_PROMPT_ASK;
        LSReportError(nMode, "Main. Could not load this PowerBlock.", 3);
        ASSERT_EQ(1u, g_seen.size());
        EXPECT_FALSE(g_seen[0].bOwned);
        EXPECT_FALSE(g_seen[0].bWatchedEnabled);
        EXPECT_TRUE(IsWindowEnabled(g_hWatched));
        // A window that was disabled before stays so.
        EXPECT_FALSE(IsWindowEnabled(hDisabledBefore));
    }
    DestroyWindow(hDisabledBefore);
    DestroyWindow(g_hWatched);
    g_hWatched = nullptr;
}
