// The editor's dialog base: where its template is found, the report of a
// missing one, the Help button with and without a topic, its window class,
// and the centring of dialogs.
#include "PXTestSupport.h"

#include "DialogRes.h"
#include "PXProgDir.h"
#include "TBaseDialog.h"

#include <string>
#include <vector>

namespace {

// A dialog whose help topic the test sets.
class TopicDialog : public TBaseDialog
{
public:
    TopicDialog(TResId resId, UINT nHelpId) : TBaseDialog(nullptr, resId) { m_nHelpId = nHelpId; }
};

// What the Help button asked of the help program.
struct HelpAsked
{
    HWND hWnd;
    std::string file;
    UINT uCommand;
    ULONG_PTR dwData;
};
std::vector<HelpAsked> g_helps;
BOOL g_bHelpWorks = TRUE;

BOOL WINAPI RecordHelp(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    g_helps.push_back({ hWnd, pszFile ? pszFile : "", uCommand, dwData });
    return g_bHelpWorks;
}

// Once the dialog is up: press Help as often as asked, then OK.
int g_nHelpPresses = 0;
HWND g_hDialog = nullptr;
std::string g_caption;

void PressButtons(TWindow* pWnd)
{
    g_hDialog = pWnd->HWindow;
    char sz[64];
    GetWindowTextA(pWnd->HWindow, sz, sizeof(sz));
    g_caption = sz;
    for (int i = 0; i < g_nHelpPresses; ++i)
        SendMessageA(GetDlgItem(pWnd->HWindow, IDC_DLG_HELP), BM_CLICK, 0, 0);
    PostMessageA(pWnd->HWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(pWnd->HWindow, IDOK)));
}

class TBaseDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pfnOldHook = TWindow::SetModalHook(PressButtons);
        m_pfnOldHelp = TBaseDialog::SetHelpCall(RecordHelp);
        g_helps.clear();
        g_bHelpWorks = TRUE;
        g_nHelpPresses = 0;
        g_hDialog = nullptr;
        g_caption.clear();
    }
    void TearDown() override
    {
        TWindow::SetModalHook(m_pfnOldHook);
        TBaseDialog::SetHelpCall(m_pfnOldHelp);
        TDialog::SetDialogLibrary(nullptr);
    }

    TWindow::TModalHook m_pfnOldHook;
    TBaseDialog::HelpCall m_pfnOldHelp;
};

} // namespace

TEST_F(TBaseDialogTest, TemplatesComeFromTheProgramThenTheDialogLibraryElseTheUserIsTold)
{
    HMODULE hLib = LoadLibraryA("owltestdlg.dll");
    ASSERT_NE(nullptr, hLib);
    // (template, library set, reported missing, end code, caption)
    struct Case
    {
        const char* pszTemplate;
        bool bLibrary;
        bool bMissing;
        int nEnd;
        const char* pszCaption;
    } cases[] = {
        { "BASEDLG", false, false, IDOK, "Base from program" },
        { "BASEDLG", true, false, IDOK, "Base from program" },
        { "DLLONLYDLG", true, false, IDOK, "From library" },
        { "DLLONLYDLG", false, true, -1, "" },
        { "NOSUCHDLG", true, true, -1, "" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszTemplate << " library " << c.bLibrary);
        TDialog::SetDialogLibrary(c.bLibrary ? hLib : nullptr);
        g_caption.clear();
        MessageBoxRecorder boxes;
        TBaseDialog dlg(nullptr, c.pszTemplate);
        EXPECT_EQ(0u, dlg.GetHelpId());
        if (c.bMissing)
        {
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ("Unable to load dialog.", boxes.boxes[0].text);
            EXPECT_EQ("Error", boxes.boxes[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType);
        }
        else
        {
            EXPECT_TRUE(boxes.boxes.empty());
        }
        EXPECT_EQ(c.nEnd, dlg.Execute());
        EXPECT_EQ(c.pszCaption, g_caption);
    }
    TDialog::SetDialogLibrary(nullptr);
    FreeLibrary(hLib);
}

TEST_F(TBaseDialogTest, HelpOpensTheHelpFileAtTheTopicOrItsContents)
{
    char szDir[PX_PATH_MAX];
    PXGetHelpDir(szDir, sizeof(szDir));
    const std::string file = std::string(szDir) + "plexstudio.hlp>proc4";
    // (help id, command, data)
    struct Case
    {
        UINT nHelpId;
        UINT uCommand;
        ULONG_PTR dwData;
    } cases[] = {
        { 0, HELP_CONTENTS, 0 },
        { 4711, HELP_CONTEXT, 4711 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nHelpId);
        g_helps.clear();
        g_nHelpPresses = 1;
        TopicDialog dlg("BASEDLG", c.nHelpId);
        EXPECT_EQ(IDOK, dlg.Execute());
        ASSERT_EQ(1u, g_helps.size());
        EXPECT_EQ(g_hDialog, g_helps[0].hWnd);
        EXPECT_EQ(file, g_helps[0].file);
        EXPECT_EQ(c.uCommand, g_helps[0].uCommand);
        EXPECT_EQ(c.dwData, g_helps[0].dwData);
    }
}

// A help file text longer than the path buffer: the directory is left out
// and the text cut to fit, never written past the buffer.
TEST_F(TBaseDialogTest, HelpFileTextThatDoesNotFitIsCut)
{
    HINSTANCE hStrings = LoadLibraryA("longhelp.dll");
    ASSERT_NE(nullptr, hStrings);
    CString file;
    HINSTANCE hOld = PXGetResourceHandle();
    PXSetResourceHandle(hStrings);
    file.LoadString(IDS_DLG_HELPFILE);
    ASSERT_GT(file.GetLength(), PX_PATH_MAX + 32);
    g_helps.clear();
    g_nHelpPresses = 1;
    TopicDialog dlg("BASEDLG", 12);
    EXPECT_EQ(IDOK, dlg.Execute());
    PXSetResourceHandle(hOld == GetModuleHandleA(nullptr) ? nullptr : hOld);
    FreeLibrary(hStrings);
    ASSERT_EQ(1u, g_helps.size());
    EXPECT_EQ(static_cast<size_t>(PX_PATH_MAX + 31), g_helps[0].file.size());
    EXPECT_EQ(0, std::string(file).compare(0, g_helps[0].file.size(), g_helps[0].file));
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), g_helps[0].uCommand);
}

TEST_F(TBaseDialogTest, HelpProgramThatFailsIsReported)
{
    g_bHelpWorks = FALSE;
    g_nHelpPresses = 2;
    MessageBoxRecorder boxes;
    TBaseDialog dlg(nullptr, "BASEDLG");
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ(2u, g_helps.size());
    ASSERT_EQ(2u, boxes.boxes.size());
    for (const PXShownBox& box : boxes.boxes)
    {
        EXPECT_EQ("Could not load WinHelp program.", box.text);
        EXPECT_EQ("Plexwright", box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.uType & MB_ICONMASK);
    }
}

TEST_F(TBaseDialogTest, WindowClassIsTheDialogsWithoutTheGlobalBit)
{
    struct Probe : TBaseDialog
    {
        Probe() : TBaseDialog(nullptr, "BASEDLG") {}
        void DialogClass(WNDCLASSA& wc) { TDialog::GetWindowClass(wc); }
    } probe;
    WNDCLASSA dialogs = {};
    probe.DialogClass(dialogs);
    dialogs.style |= CS_GLOBALCLASS;    // as a framework that registers it globally would
    WNDCLASSA own = {};
    probe.GetWindowClass(own);
    EXPECT_EQ(0u, own.style & CS_GLOBALCLASS);
    EXPECT_EQ(dialogs.style & ~CS_GLOBALCLASS, own.style);
    EXPECT_EQ(dialogs.lpfnWndProc, own.lpfnWndProc);
    EXPECT_STREQ(dialogs.lpszClassName, own.lpszClassName);
}

TEST(CenterDialog, OverTheOwnerWhenItFitsElseOnTheScreen)
{
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const int w = 200, h = 100;
    // (owner place and size or none, expected place: -1 for the screen's centre)
    struct Case
    {
        const char* pszName;
        bool bOwner;
        int x, y, cx, cy;
        int xWant, yWant;
    } cases[] = {
        { "inside", true, 100, 50, 401, 301, 100 + 201 / 2 - 100, 50 + 201 / 2 },
        { "owner smaller than the dialog", true, 200, 200, 100, 50, 150, 175 },
        { "would leave the left edge", true, -300, 100, 300, 300, -1, -1 },
        { "would leave the bottom edge", true, 100, cyScreen - 120, 300, 200, -1, -1 },
        { "would leave the right edge", true, cxScreen - 150, 100, 300, 300, -1, -1 },
        { "no owner", false, 0, 0, 0, 0, -1, -1 },
    };
    // The first case: owner left 100 + (401 - 200) / 2 = 200, top 50 + (301 - 100) / 2 = 150.
    cases[0].xWant = 200;
    cases[0].yWant = 150;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        HWND hOwner = nullptr;
        if (c.bOwner)
        {
            hOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, c.x, c.y, c.cx, c.cy,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            ASSERT_NE(nullptr, hOwner);
        }
        HWND hDlg = CreateWindowExA(0, "STATIC", "dialog", WS_POPUP, 3, 3, w, h,
                                    hOwner, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, hDlg);
        CenterDialog(hDlg);
        RECT rc;
        GetWindowRect(hDlg, &rc);
        int xWant = c.xWant >= 0 ? c.xWant : (cxScreen - w) / 2;
        int yWant = c.yWant >= 0 ? c.yWant : (cyScreen - h) / 2;
        EXPECT_EQ(xWant, rc.left);
        EXPECT_EQ(yWant, rc.top);
        EXPECT_EQ(w, rc.right - rc.left);
        EXPECT_EQ(h, rc.bottom - rc.top);
        DestroyWindow(hDlg);
        if (hOwner)
            DestroyWindow(hOwner);
    }
}
