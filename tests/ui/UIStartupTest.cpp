// The editor's start-up in process: the order of its steps, the login in
// standalone mode through the client library's calls, the resource
// libraries (missing ones are reported and the start goes on; every bitmap
// the application model names is in pxbmp.dll), the splash gauge, the
// checks of the values read from the settings file, and what the exit
// writes back.
#include "PXTestSupport.h"
#include "BitmapObject.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "Icons.h"
#include "Page.h"
#include "PaletteMDI.h"
#include "PalettePanes.h"
#include "PenObject.h"
#include "ProgramFile.h"
#include "PXMainFrame.h"
#include "PXProgDir.h"
#include "PXWinApp.h"
#include "PXUIRes.h"
#include "PXUserApp.h"
#include "Program.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TDib.h"
#include "owl/TSplashWindow.h"
#include "plexmodel.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
const bool s_bSettingsFile = (UIApp::SetSettingsFile("PXSTARTTEST.INI"), true);

std::vector<std::string> g_steps;
void RecordStep(const char* pszStep)
{
    g_steps.push_back(pszStep);
}

int g_nInits = 0;
int g_nInitResult = 0;
const char* g_pszServer = nullptr;
int g_nTerms = 0;
int FakeInit(int, int, int, const char*, const char*, const char* pszServer, int, const char*, int, int,
             const char*, const char*, int, int)
{
    ++g_nInits;
    g_pszServer = pszServer;
    g_steps.push_back("library start");
    return g_nInitResult;
}
int FakeTerm()
{
    ++g_nTerms;
    g_steps.push_back("library end");
    return 0;
}
int FakeVersion(int, int, char*)
{
    return 73;
}

struct ProcessEnded
{
    int nCode;
};
void ThrowExit(int nCode)
{
    throw ProcessEnded{nCode};
}

void ForgetSettings()
{
    for (const char* pszSection : {"Main", "Edit", "Palette", "TextNote", "User Defined Multimedia Sentence Types"})
        WritePrivateProfileStringA(pszSection, nullptr, nullptr, UIApp::SettingsFile());
}

std::string ReadKey(const char* pszSection, const char* pszKey)
{
    char sz[128] = "";
    GetPrivateProfileStringA(pszSection, pszKey, "(none)", sz, sizeof(sz), UIApp::SettingsFile());
    return sz;
}

class Startup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ForgetSettings();
        g_steps.clear();
        g_nInits = 0;
        g_nInitResult = 0;
        g_nTerms = 0;
        m_oldCalls = PXWinApp::SetLinkCalls(PXLinkCalls{FakeInit, FakeTerm, FakeVersion});
        m_pfnOldExit = PXWinApp::SetExitCall(ThrowExit);
        m_pfnOldTrace = UIApp::SetStepTrace(RecordStep);
    }
    void TearDown() override
    {
        UIApp::SetStepTrace(m_pfnOldTrace);
        PXWinApp::SetExitCall(m_pfnOldExit);
        PXWinApp::SetLinkCalls(m_oldCalls);
        ForgetSettings();
    }
    static void Flush()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    PXLinkCalls m_oldCalls;
    PXWinApp::ExitCall m_pfnOldExit;
    UIApp::StepTrace m_pfnOldTrace;
};
}

TEST_F(Startup, StepsRunInOrderAndTheExitWritesTheSettingsBack)
{
    std::unique_ptr<UIApp> app(new UIApp("Plexwright", GetModuleHandleA(nullptr), ""));
    app->InitInstance();
    const std::vector<std::string> start = {"block images",  "fonts",       "settings",      "user settings",
                                            "controller",    "main window", "accelerators",  "login",
                                            "library start", "block lists", "recovery",    "started"};
    EXPECT_EQ(start, g_steps);

    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(IsWindowVisible(pFrame->HWindow));
    char szTitle[64] = "";
    GetWindowTextA(pFrame->HWindow, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Plexwright", szTitle);       // standalone: the program's name alone
    EXPECT_EQ(nullptr, g_pszServer);            // no server address: offline
    ASSERT_NE(nullptr, app->GetController());
    EXPECT_TRUE(app->GetController()->IsStandalone());
    EXPECT_EQ(app->GetController(), PXGetWinApp());
    EXPECT_NE(nullptr, app->HAccTable);
    EXPECT_NE(nullptr, GetMenu(pFrame->HWindow));
    EXPECT_NE(nullptr, Icons::GetCurrent());
    EXPECT_NE(nullptr, Icons::GetObsolete());
    EXPECT_NE(nullptr, g_pFonts);
    EXPECT_EQ(0x33Du, app->GetOptions());
    // The set options are checked in the menu bar; the others are not.
    const struct
    {
        UINT nCommand;
        bool bChecked;
    } checks[] = {{4156, true}, {4195, true}, {4196, true}, {4210, false}, {4247, false}};
    for (const auto& c : checks)
    {
        EXPECT_NE(nullptr, pFrame->FindMenuHolding(c.nCommand)) << c.nCommand;
        EXPECT_EQ(c.bChecked, pFrame->IsMenuChecked(c.nCommand)) << c.nCommand;
    }
    EXPECT_EQ(nullptr, pFrame->FindMenuHolding(59999));
    EXPECT_FALSE(pFrame->IsMenuChecked(59999));
    pFrame->SetMenuCheck(4247, true);
    EXPECT_TRUE(pFrame->IsMenuChecked(4247));
    ASSERT_NE(nullptr, GetPXMainFrame());
    EXPECT_EQ(pFrame->HWindow, GetPXMainFrame()->GetHandle());
    EXPECT_EQ(pFrame->GetClientWindow()->HWindow, GetPXMainFrame()->m_hWndMDIClient);

    // The frame closes: placement first; then the application object ends.
    MessageBoxRecorder boxes;
    EXPECT_TRUE(pFrame->CanClose());
    EXPECT_EQ(std::to_string(SW_SHOWNORMAL), ReadKey("Main", "WinState"));
    EXPECT_NE("(none)", ReadKey("Main", "left"));
    g_steps.clear();
    app.reset();
    const std::vector<std::string> exit = {"write options", "write fonts",        "seed sentence types",
                                           "logout",        "library end",        "free user settings"};
    EXPECT_EQ(exit, g_steps);
    EXPECT_EQ(1, g_nTerms);
    EXPECT_EQ(nullptr, g_pFonts);
    EXPECT_EQ(nullptr, Icons::GetCurrent());

    const struct
    {
        const char* pszSection;
        const char* pszKey;
        const char* pszValue;
    } written[] = {
        {"Main", "Status Line", "TRUE"},
        {"Main", "Confirm PB Deletes", "FALSE"},
        {"Main", "Auto Name", "FALSE"},
        {"Main", "Diag Level", "4"},
        {"Main", "Log Level", "3"},
        {"Main", "Log Interval", "0"},
        {"Edit", "Font Typeface", "arial"},
        {"TextNote", "Font Typeface", "arial"},
        {"Palette", "Font Italic", "0"},
        {"User Defined Multimedia Sentence Types", "Number of User Defined Types", "0"},
        {"User Defined Multimedia Sentence Types", "User Defined Media 1", "Voice"},
        {"User Defined Multimedia Sentence Types", "User Defined Name 1", "Example"},
        {"User Defined Multimedia Sentence Types", "User Defined Language Table 1", "12"},
    };
    for (const auto& w : written)
        EXPECT_EQ(w.pszValue, ReadKey(w.pszSection, w.pszKey)) << w.pszSection << "/" << w.pszKey;
    EXPECT_EQ(std::to_string(-FontObject("x", "arial", -11, 400, 0).GetCharHeight()), ReadKey("Edit", "Font Size"));
}

TEST_F(Startup, OldVariableTypesAndTheModelsOwnSettingsAreTakenAtStartAndFreedAtExit)
{
    WritePrivateProfileStringA("Main", "Old Variable Types", "TRUE", UIApp::SettingsFile());
    const char* pszTypes = "User Defined Multimedia Sentence Types";
    WritePrivateProfileStringA(pszTypes, "Number of User Defined Types", "1", UIApp::SettingsFile());
    WritePrivateProfileStringA(pszTypes, "User Defined Media 1", "Fax", UIApp::SettingsFile());
    WritePrivateProfileStringA(pszTypes, "User Defined Name 1", "Cover", UIApp::SettingsFile());
    WritePrivateProfileStringA(pszTypes, "User Defined Language Table 1", "3", UIApp::SettingsFile());
    const int nBackTypesBefore = kvrGetBackTypes();

    std::unique_ptr<UIApp> app(new UIApp("Plexwright", GetModuleHandleA(nullptr), ""));
    app->InitInstance();
    // The offer is turned over once, while the options are read, and the
    // model reads its own settings after the fonts, before the controller.
    const std::vector<std::string> start = {"block images",  "fonts",        "settings",    "old variable types",
                                            "user settings", "controller",   "main window", "accelerators",
                                            "login",         "library start", "block lists", "recovery",
                                            "started"};
    EXPECT_EQ(start, g_steps);
    EXPECT_TRUE(app->IsOptionSet(UI_OPT_OLDVARTYPES));
    EXPECT_EQ(!nBackTypesBefore, kvrGetBackTypes());
    ASSERT_EQ(1, kvrGetNumUserDefTypes());
    kvrUserDefType type = {};
    ASSERT_EQ(KVR_OK, kvrGetUserDefType(0, &type));
    EXPECT_STREQ("Fax", type.media);
    EXPECT_STREQ("Cover", type.name);
    EXPECT_EQ(3, type.languageTable);

    // The model's settings are freed after the controller has gone.
    g_steps.clear();
    app.reset();
    ASSERT_GE(g_steps.size(), 2u);
    EXPECT_EQ("library end", g_steps[g_steps.size() - 2]);
    EXPECT_EQ("free user settings", g_steps.back());
    EXPECT_EQ(0, kvrGetNumUserDefTypes());
    EXPECT_EQ("TRUE", ReadKey("Main", "Old Variable Types"));
    // Back to the offer the other tests start with.
    if (kvrGetBackTypes() != nBackTypesBefore)
        kvrToggleBackTypes();
}

TEST_F(Startup, TheSplashGaugeAdvancesThroughTheStart)
{
    // The picture the build draws beside the executables.
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    std::string path(szPath);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "splash.bmp";
    TDib dib(path.c_str());
    ASSERT_TRUE(dib.IsOK()) << "splash.bmp beside the tests";
    TSplashWindow splash(dib, 800, 600, TSplashWindow::ShrinkToFit | TSplashWindow::MakeGauge, 0);
    ASSERT_TRUE(splash.Create());
    UIApp::SetSplash(&splash);
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        app.InitInstance();
    }
    UIApp::SetSplash(nullptr);
    EXPECT_EQ(100, splash.GetPercentDone());
    ASSERT_GE(g_steps.size(), 3u);
    EXPECT_EQ("block images", g_steps[0]);
    EXPECT_EQ("splash 55", g_steps[1]);
    EXPECT_EQ("fonts", g_steps[2]);
    auto it = std::find(g_steps.begin(), g_steps.end(), "splash 100");
    ASSERT_NE(g_steps.end(), it);
    EXPECT_EQ("started", *(it + 1));
    splash.Destroy();

    // Without a splash window the gauge steps do nothing.
    g_steps.clear();
    UIApp::SplashGauge(80);
    EXPECT_TRUE(g_steps.empty());
}

// In server mode the start ends with the offer of each program file that a
// crash left in the program directory; No leaves the file for next time.
TEST_F(Startup, AServerStartOffersTheLeftOverProgramFilesLast)
{
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    const std::string dir = std::string(szTemp) + "pxstartrecovery\\";
    const std::string file = dir + "Orders.ed";
    CreateDirectoryA(dir.c_str(), nullptr);
    HANDLE hFile = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD dwWritten = 0;
    WriteFile(hFile, "left over", 9, &dwWritten, nullptr);
    CloseHandle(hFile);
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, PX_REGKEY_PLEXWRIGHT, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, "ProgDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                   static_cast<DWORD>(dir.size() + 1));
    RegCloseKey(hKey);

    const char szServerLine[] = "plexlogin : Oslo : Fjord : 3 : srv.example : 389 : 6 : seven : 4711 : 9 : 12 : "
                                "11 : ENC : LOC9 : CTX-SECRET : 636 : 2 : 17";
    {
        MessageBoxRecorder boxes;
        boxes.nDefault = IDNO;
        std::unique_ptr<UIApp> app(new UIApp("Plexwright", GetModuleHandleA(nullptr), szServerLine));
        app->InitInstance();
        ASSERT_NE(nullptr, app->GetController());
        EXPECT_FALSE(app->GetController()->IsStandalone());
        ASSERT_GE(g_steps.size(), 3u);
        EXPECT_EQ("block lists", g_steps[g_steps.size() - 3]);
        EXPECT_EQ("recovery", g_steps[g_steps.size() - 2]);
        EXPECT_EQ("started", g_steps.back());
        std::vector<std::string> offers;
        for (const PXShownBox& box : boxes.boxes)
            if (box.text.find("recovery version") != std::string::npos)
                offers.push_back(box.text);
        EXPECT_EQ(std::vector<std::string>{"A recovery version of the application 'Orders' was found.\r\n"
                                           "Do you wish to restore the application now?"},
                  offers);
        EXPECT_EQ(0, app->GetController()->GetUserAppCount());
        ASSERT_NE(nullptr, UIApp::GetMainFrame());
        EXPECT_TRUE(UIApp::GetMainFrame()->CanClose());
        app.reset();
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, PX_REGKEY_PLEXWRIGHT);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST_F(Startup, AFailedLoginEndsTheProcessBeforeTheBlockListsAndWritesNothing)
{
    g_nInitResult = 73;
    MessageBoxRecorder boxes;
    int nCode = -1;
    UIApp* pApp = new UIApp("Plexwright", GetModuleHandleA(nullptr), "");
    try
    {
        pApp->InitInstance();
    }
    catch (const ProcessEnded& e)
    {
        nCode = e.nCode;
    }
    EXPECT_EQ(PX_EXIT_LOGINFAILED, nCode);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Server not available.Please check connection.", boxes.boxes[0].text);
    EXPECT_EQ("library start", g_steps.back());
    EXPECT_EQ(nullptr, Icons::GetCurrent());
    // The real process ends at once: the settings written so far are none.
    EXPECT_EQ("(none)", ReadKey("Main", "Status Line"));
    UIApp::SetStepTrace(nullptr);
    delete pApp;
}

TEST_F(Startup, MissingResourceLibrariesAreReportedAndTheStartGoesOn)
{
    UIApp::SetDialogLibraryName("nosuchdlg.dll");
    UIApp::SetBitmapLibraryName("nosuchbmp.dll");
    {
        MessageBoxRecorder boxes;
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        ASSERT_EQ(2u, boxes.boxes.size());
        EXPECT_EQ("Unable to load application dialog module.", boxes.boxes[0].text);
        EXPECT_EQ("Error", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
        EXPECT_EQ(nullptr, boxes.boxes[0].hOwner);
        EXPECT_EQ("Unable to load application bitmap module.", boxes.boxes[1].text);
        EXPECT_EQ("Error!", boxes.boxes[1].caption);
        EXPECT_EQ(0u, boxes.boxes[1].uType);
        EXPECT_EQ(nullptr, app.GetDialogModule());
        ASSERT_NE(nullptr, app.GetBitmapModule());
        EXPECT_EQ(nullptr, app.GetBitmapModule()->GetHandle());
        app.InitInstance();
        EXPECT_NE(nullptr, UIApp::GetMainFrame());
    }
    UIApp::SetDialogLibraryName(nullptr);
    UIApp::SetBitmapLibraryName(nullptr);
}

TEST_F(Startup, EveryBitmapTheModelNamesIsInTheBitmapLibrary)
{
    MessageBoxRecorder boxes;
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_NE(nullptr, app.GetBitmapModule());
    HINSTANCE hBitmaps = app.GetBitmapModule()->GetHandle();
    ASSERT_NE(nullptr, hBitmaps);
    int nNames = 0;
    for (int nKind = 0; nKind < 2; ++nKind)
    {
        IconInfoTable table = {};
        kvrGetPowerBlockList(&table, nKind, 1);
        for (int g = 0; g < KVR_MAX_ICON_GROUPS && table.groups[g]; ++g)
        {
            IconGroupEntry* pGroup = table.groups[g];
            std::vector<const char*> names = {pGroup->bitmapName};
            for (const PowerBlockInfo* pInfo = pGroup->blocks; pInfo->name; ++pInfo)
                names.push_back(pInfo->bitmapName);
            for (const char* pszName : names)
            {
                ASSERT_NE(nullptr, pszName);
                HBITMAP hBitmap = LoadBitmapA(hBitmaps, pszName);
                EXPECT_NE(nullptr, hBitmap) << pszName;
                BITMAP bm = {};
                if (hBitmap && GetObjectA(hBitmap, sizeof(bm), &bm))
                {
                    EXPECT_EQ(40, bm.bmWidth) << pszName;
                    EXPECT_EQ(40, bm.bmHeight) << pszName;
                }
                DeleteObject(hBitmap);
                ++nNames;
            }
        }
    }
    EXPECT_GT(nNames, 0);
}

TEST_F(Startup, ValuesOutOfTheirRangeKeepTheDefaults)
{
    const struct
    {
        const char* pszKey;
        const char* pszValue;
        DWORD dwDiag;
        int nLogLevel;
        int nInterval;
    } cases[] = {
        {"Diag Level", "3", 4, 3, 0},    {"Diag Level", "16", 4, 3, 0},  {"Diag Level", "0", 4, 3, 0},
        {"Diag Level", "8", 8, 3, 0},    {"Diag Level", "-4", 4, 3, 0},  {"Diag Level", "x", 4, 3, 0},
        {"Log Level", "9", 4, 3, 0},     {"Log Level", "-1", 4, 3, 0},   {"Log Level", "1", 4, 1, 0},
        {"Log Interval", "-5", 4, 3, 0}, {"Log Interval", "50", 4, 3, 50}, {"Log Interval", "99999999", 4, 3, 0},
    };
    for (const auto& c : cases)
    {
        ForgetSettings();
        WritePrivateProfileStringA("Main", c.pszKey, c.pszValue, UIApp::SettingsFile());
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        app.ReadSettings();
        EXPECT_EQ(c.dwDiag, app.TestDiagLevel(0xFFFFFFFF)) << c.pszKey << "=" << c.pszValue;
        EXPECT_EQ(c.nLogLevel, app.GetLogLevel()) << c.pszKey << "=" << c.pszValue;
        EXPECT_EQ(c.nInterval, app.GetLogInterval()) << c.pszKey << "=" << c.pszValue;
    }
}

TEST_F(Startup, APlacementOffEveryScreenOrAShowCommandOf0KeepsTheCurrentOnes)
{
    const RECT current = {10, 20, 410, 320};
    const struct
    {
        const char* pszLeft;
        const char* pszTop;
        const char* pszRight;
        const char* pszBottom;
        const char* pszShow;
        RECT expected;
        UINT nShow;
    } cases[] = {
        {"30", "40", "530", "440", "1", {30, 40, 530, 440}, SW_SHOWNORMAL},
        {"30", "40", "530", "440", "2", {30, 40, 530, 440}, SW_SHOWMAXIMIZED},   // minimised starts maximised
        {"30", "40", "530", "440", "3", {30, 40, 530, 440}, SW_SHOWMAXIMIZED},
        {"30", "40", "530", "440", "0", {30, 40, 530, 440}, SW_SHOWNORMAL},      // 0 keeps the current
        {"30", "40", "530", "440", "77", {30, 40, 530, 440}, SW_SHOWNORMAL},
        {"-32000", "-32000", "-31000", "-31500", "1", current, SW_SHOWNORMAL},   // on no screen
        {"500", "40", "100", "440", "1", current, SW_SHOWNORMAL},                // empty
        {nullptr, nullptr, nullptr, nullptr, nullptr, current, SW_SHOWNORMAL},   // nothing stored
    };
    for (const auto& c : cases)
    {
        ForgetSettings();
        const char* keys[] = {"left", "top", "right", "bottom", "WinState"};
        const char* values[] = {c.pszLeft, c.pszTop, c.pszRight, c.pszBottom, c.pszShow};
        for (int i = 0; i < 5; ++i)
            if (values[i])
                WritePrivateProfileStringA("Main", keys[i], values[i], UIApp::SettingsFile());
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        placement.showCmd = SW_SHOWNORMAL;
        placement.rcNormalPosition = current;
        UIApp::ReadPlacement(placement);
        EXPECT_TRUE(EqualRect(&c.expected, &placement.rcNormalPosition))
            << (c.pszLeft ? c.pszLeft : "-") << " " << (c.pszShow ? c.pszShow : "-");
        EXPECT_EQ(c.nShow, placement.showCmd) << (c.pszShow ? c.pszShow : "-");
    }
}

TEST_F(Startup, FontSectionsReplaceTheBuiltInFontsOnlyWithAFace)
{
    WritePrivateProfileStringA("Edit", "Font Typeface", "courier new", UIApp::SettingsFile());
    WritePrivateProfileStringA("Edit", "Font Size", "-20", UIApp::SettingsFile());
    WritePrivateProfileStringA("Edit", "Font Weight", "700", UIApp::SettingsFile());
    WritePrivateProfileStringA("Edit", "Font Italic", "1", UIApp::SettingsFile());
    // An empty face keeps the built-in font even with a size.
    WritePrivateProfileStringA("Palette", "Font Typeface", "", UIApp::SettingsFile());
    WritePrivateProfileStringA("Palette", "Font Size", "-30", UIApp::SettingsFile());
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    app.InitInstance();
    ASSERT_NE(nullptr, g_pFonts);
    FontObject* pEdit = g_pFonts->Find("powerblock_label");
    ASSERT_NE(nullptr, pEdit);
    EXPECT_STREQ("courier new", pEdit->GetFace());
    EXPECT_EQ(1, pEdit->GetItalic());
    FontObject* pPalette = g_pFonts->Find("icon_label");
    ASSERT_NE(nullptr, pPalette);
    EXPECT_STREQ("arial", pPalette->GetFace());
    EXPECT_NE(-30, pPalette->GetHeight());
}

TEST_F(Startup, AnApplicationObjectThatNeverReadTheSettingsWritesNone)
{
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    }
    EXPECT_EQ("(none)", ReadKey("Main", "Status Line"));
    EXPECT_EQ("(none)", ReadKey("User Defined Multimedia Sentence Types", "Number of User Defined Types"));
}

TEST_F(Startup, TheCommandLineIsKeptWholeForTheLogin)
{
    std::string line = "p : " + std::string(2000, 'x') + " : sys";
    UIApp app("Plexwright", GetModuleHandleA(nullptr), line.c_str());
    EXPECT_EQ(line, app.GetLoginLine());
}

TEST_F(Startup, TheActiveApplicationFollowsTheFramesCurrentProgram)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    app.InitInstance();
    PXWinApp* pController = app.GetController();
    ASSERT_NE(nullptr, pController);
    PXUserApp* pOrders = new PXUserApp("C:\\PROG\\ORDERS.ed");
    pController->AddUserApp(pOrders);
    EXPECT_EQ(nullptr, pController->GetActiveUserApp());

    Program program("C:\\PROG\\ORDERS.ed", 0);
    // An open application shows its program (the frame's palette follows
    // the current program, and the command states then ask the application
    // about it).
    pOrders->SetProgram(&program);
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    ASSERT_NE(nullptr, pFrame);
    pFrame->SetCurrentProgram(&program);
    EXPECT_EQ(pOrders, pController->GetActiveUserApp());
    {
        // Messages are captioned with the active application's name.
        MessageBoxRecorder boxes;
        PXArgList message(IDS_UI_SERVERNOTAVAILABLE);
        pController->Report(0x10000000, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__,
                            __LINE__);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("ORDERS - Plexwright", boxes.boxes[0].caption);
    }
    pFrame->SetCurrentProgram(nullptr);
    EXPECT_EQ(nullptr, pController->GetActiveUserApp());
    pOrders->SetProgram(nullptr);
}

// A started editor shows programs: a program file opens in a page window
// whose blocks are drawn with the drawing tables the start made and the
// pictures of the bitmap library, without a message.
TEST_F(Startup, AStartedEditorShowsAProgramInAPageWindow)
{
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    const std::string path = std::string(szTemp) + "pxstartup.ed";
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    app.InitInstance();
    EXPECT_NE(nullptr, g_pBrushes);
    EXPECT_NE(nullptr, g_pPens);
    EXPECT_NE(nullptr, g_pBitmaps);
    MessageBoxRecorder boxes;
    {
        BitmapObject picture("PB_BEGIN");
        EXPECT_NE(nullptr, picture.GetBitmap());
        Program program("Startup", 0);
        Page* pMain = new Page(&program, "Main", PX_PAGE_MAIN, 0);
        program.AddPage(pMain);
        ASSERT_EQ(1, pMain->AddMainDefaultBlocks());
        ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), &program, nullptr));
    }
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    ASSERT_NE(nullptr, pFrame);
    Program* pProgram = nullptr;
    ASSERT_EQ(0, pFrame->OpenProgram(path.c_str(), &pProgram));
    ASSERT_NE(nullptr, pProgram);
    EXPECT_EQ(1, pFrame->GetChildCount());
    RedrawWindow(pFrame->HWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Flush();
    for (const auto& box : boxes.boxes)
        ADD_FAILURE() << box.text;
    // The page window closes before the frame goes with the application.
    SendMessageA(pFrame->GetChild(0)->GetHandle(), WM_CLOSE, 0, 0);
    Flush();
    EXPECT_EQ(0, pFrame->GetChildCount());
    DeleteFileA(path.c_str());
}

// The frame's palette window is made before the start knows the blocks:
// once it does, the palette offers them, group by group.
TEST_F(Startup, ThePaletteOffersTheBlocksTheStartLoaded)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    app.InitInstance();
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    ASSERT_NE(nullptr, pFrame);
    PaletteMDI* pPalette = pFrame->GetPaletteMDI();
    ASSERT_NE(nullptr, pPalette);
    ASSERT_NE(nullptr, Icons::GetCurrent());
    EXPECT_EQ(Icons::GetCurrent(), pPalette->GetIcons());
    ASSERT_NE(nullptr, pPalette->GetGroupPane());
    List* pGroups = pPalette->GetGroupPane()->GetItemList();
    ASSERT_NE(nullptr, pGroups);
    EXPECT_GT(pGroups->getItemsInContainer(), 0);
}
