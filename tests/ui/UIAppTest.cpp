// The application object's options and settings, and the main frame's
// page-window registry: captions, change fan-out and the status line; the
// frame as the model's observer and the settings the model is given.
#include "PXTestSupport.h"
#include "DrawHelpers.h"
#include "ModelObserver.h"
#include "Program.h"
#include "Page.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TDialog.h"
#include "owl/TMDIClient.h"
#include "owl/TModule.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// A settings file of these tests' own: other test programs running at the
// same time write theirs.
const bool s_bSettingsFile = (UIApp::SetSettingsFile("PXUITEST.INI"), true);

const char* const s_OptionKeys[] = {"Status Line", "Tool Bar", "Smart Routing", "Label Stub Gotos",
                                    "Confirm PB Deletes", "Old Variable Types", "Snap to Grid",
                                    "Print Grid", "Print Frame", "Auto Name", "Diag Level",
                                    "Log Level", "Log Interval"};

void ForgetOptionKeys()
{
    for (const char* pszKey : s_OptionKeys)
        WritePrivateProfileStringA("Main", pszKey, nullptr, UIApp::SettingsFile());
}
}

TEST(UIAppTest, WithoutSettingsTheDefaultOptionsAndLevelsHold)
{
    EXPECT_STREQ("PXUITEST.INI", UIApp::SettingsFile());
    ForgetOptionKeys();
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    EXPECT_EQ(0u, app.GetOptions());
    EXPECT_EQ(34, UIApp::GetGridStep());
    EXPECT_FALSE(app.ReadSettings());
    EXPECT_EQ(0x33Du, app.GetOptions());
    EXPECT_EQ(4u, app.TestDiagLevel(0xF));
    EXPECT_EQ(3, app.GetLogLevel());
    EXPECT_TRUE(app.IsLogLevel(3));
    EXPECT_EQ(0, app.GetLogInterval());
    EXPECT_EQ(&app, UIApp::GetApp());
    EXPECT_EQ(nullptr, UIApp::GetMainFrame());
    // A main window of another class is no main frame.
    TFrameWindow other(nullptr, "other");
    app.SetMainWindow(&other);
    EXPECT_EQ(nullptr, UIApp::GetMainFrame());
    app.SetMainWindow(nullptr);
}

TEST(UIAppTest, TruthValuesAreUpperCasedAndCompared)
{
    ForgetOptionKeys();
    const struct
    {
        const char* pszKey;
        const char* pszValue;
        DWORD dwBit;
        bool bSet;
    } cases[] = {
        {"Status Line", "true", UI_OPT_STATUSLINE, true},
        {"Tool Bar", "yes", UI_OPT_TOOLBAR, false},
        {"Auto Name", "TrUe", UI_OPT_AUTONAME, true},
        {"Smart Routing", "", UI_OPT_SMARTROUTING, false},
        {"Confirm PB Deletes", "FALSE", UI_OPT_CONFIRMDELETE, false},
    };
    for (const auto& c : cases)
        WritePrivateProfileStringA("Main", c.pszKey, c.pszValue, UIApp::SettingsFile());
    WritePrivateProfileStringA("Main", "Old Variable Types", "TRUE", UIApp::SettingsFile());
    WritePrivateProfileStringA("Main", "Log Level", "1", UIApp::SettingsFile());
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    EXPECT_TRUE(app.ReadSettings());
    for (const auto& c : cases)
        EXPECT_EQ(c.bSet, UIApp::IsOptionSet(c.dwBit)) << c.pszKey;
    EXPECT_EQ(1, app.GetLogLevel());
    ForgetOptionKeys();
}

TEST(UIAppTest, OptionsAreWrittenBackAndReadAgain)
{
    ForgetOptionKeys();
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        app.SetOption(UI_OPT_AUTONAME | UI_OPT_PRINTGRID, true);
        app.SetDiagLevel(8);
        app.SetLogLevel(2);
        app.WriteSettings();
    }
    char sz[32];
    GetPrivateProfileStringA("Main", "Auto Name", "", sz, sizeof(sz), UIApp::SettingsFile());
    EXPECT_STREQ("TRUE", sz);
    GetPrivateProfileStringA("Main", "Tool Bar", "", sz, sizeof(sz), UIApp::SettingsFile());
    EXPECT_STREQ("FALSE", sz);
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    app.ReadSettings();
    EXPECT_EQ(static_cast<DWORD>(UI_OPT_AUTONAME | UI_OPT_PRINTGRID), app.GetOptions());
    EXPECT_EQ(8u, app.TestDiagLevel(8));
    EXPECT_EQ(2, app.GetLogLevel());
    app.SetOption(UI_OPT_AUTONAME, false);
    EXPECT_FALSE(UIApp::IsOptionSet(UI_OPT_AUTONAME));
    ForgetOptionKeys();
}

namespace
{
struct Notice
{
    int nWindow;
    UIObject* pObject;
    int nKind;
    int nFlags;
};
std::vector<Notice> g_notices;

// A page window as the frame sees it, over a real (hidden) window.
class FakePageWindow : public UIMDIChild
{
public:
    FakePageWindow(int nNumber, Program* pProgram, Page* pPage) : m_nNumber(nNumber), m_pProgram(pProgram), m_pPage(pPage)
    {
        m_hWnd = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~FakePageWindow() override { DestroyWindow(m_hWnd); }
    void ObjectChanged(UIObject* pObject, int nKind, int nFlags) override
    {
        g_notices.push_back({m_nNumber, pObject, nKind, nFlags});
    }
    Program* GetProgram() const override { return m_pProgram; }
    Page* GetPage() const override { return m_pPage; }
    HWND GetHandle() const override { return m_hWnd; }
    std::string Caption() const
    {
        char sz[128] = "";
        GetWindowTextA(m_hWnd, sz, sizeof(sz));
        return sz;
    }

private:
    int m_nNumber;
    Program* m_pProgram;
    Page* m_pPage;
    HWND m_hWnd;
};

int g_nRefreshes = 0;
void CountRefresh()
{
    ++g_nRefreshes;
}
}

TEST(UIMDIFrameTest, CaptionsFollowTheModifiedFlag)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    app.SetMainWindow(&frame);
    EXPECT_EQ(&frame, UIApp::GetMainFrame());
    UIApp::SetCommandRefresh(CountRefresh);
    g_nRefreshes = 0;

    std::unique_ptr<Program> program(new Program("C:\\PROG\\ORDERS.ed", 0));
    Page* pMain = new Page(program.get(), "Main", 0, 0);
    program->AddPage(pMain);
    program->ClearModified();
    FakePageWindow one(1, program.get(), pMain), two(2, program.get(), pMain);
    frame.AddChild(&one);
    frame.AddChild(&two);
    EXPECT_EQ(2, program->GetOpenWindows());
    EXPECT_EQ("ORDERS", one.Caption());
    EXPECT_EQ(&one, frame.FindChildForPage(pMain));

    int nBefore = g_nRefreshes;
    program->SetModified();
    EXPECT_EQ("ORDERS *", one.Caption());
    EXPECT_EQ("ORDERS *", two.Caption());
    EXPECT_EQ(nBefore + 1, g_nRefreshes);

    // Removing a page marks the program modified and refreshes the captions.
    program->ClearModified();
    EXPECT_EQ("ORDERS", two.Caption());
    Page* pSub = new Page(program.get(), "Sub", 1, 0);
    program->AddPage(pSub);
    program->ClearModified();
    program->RemovePage(pSub);
    EXPECT_EQ("ORDERS *", one.Caption());

    const struct
    {
        const char* pszPath;
        const char* pszCaption;
    } names[] = {{"Untitled", "Untitled"}, {"D:\\a.b\\NAME", "NAME"}, {"plain.ed", "plain"}};
    program->ClearModified();
    for (const auto& c : names)
    {
        program->SetName(c.pszPath);
        EXPECT_STREQ(c.pszCaption, UIMDIFrame::CaptionFor(program.get())) << c.pszPath;
    }

    frame.CloseChild(&one);
    EXPECT_EQ(1, program->GetOpenWindows());
    EXPECT_EQ(&two, frame.FindChildForPage(pMain));
    frame.CloseChild(&two);
    UIApp::SetCommandRefresh(nullptr);
    app.SetMainWindow(nullptr);
}

TEST(UIMDIFrameTest, ChangesReachEveryWindowInOrder)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    std::unique_ptr<Program> program(new Program("Untitled", 0));
    FakePageWindow one(1, program.get(), nullptr), two(2, program.get(), nullptr);
    frame.AddChild(&one);
    frame.AddChild(&two);
    g_notices.clear();
    frame.NotifyChildren(program.get(), 3, 2);
    frame.NotifyChildren(program.get(), 4, 2);
    ASSERT_EQ(4u, g_notices.size());
    const int order[] = {1, 2, 1, 2};
    const int kinds[] = {3, 3, 4, 4};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(order[i], g_notices[i].nWindow);
        EXPECT_EQ(kinds[i], g_notices[i].nKind);
        EXPECT_EQ(2, g_notices[i].nFlags);
        EXPECT_EQ(program.get(), g_notices[i].pObject);
    }
    frame.CloseChild(&one);
    frame.CloseChild(&two);
}

namespace
{
// A page window that, when told of a change, closes another one, as a
// window does when the page the other shows goes.
class ClosingPageWindow : public FakePageWindow
{
public:
    ClosingPageWindow(int nNumber, Program* pProgram, UIMDIFrame& frame, UIMDIChild* pOther)
        : FakePageWindow(nNumber, pProgram, nullptr), m_frame(frame), m_pOther(pOther)
    {
    }
    void ObjectChanged(UIObject* pObject, int nKind, int nFlags) override
    {
        FakePageWindow::ObjectChanged(pObject, nKind, nFlags);
        if (m_pOther)
            m_frame.CloseChild(m_pOther);
        m_pOther = nullptr;
    }

private:
    UIMDIFrame& m_frame;
    UIMDIChild* m_pOther;
};
}

TEST(UIMDIFrameTest, AWindowClosedWhileChangesGoOutIsNotToldAgain)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    std::unique_ptr<Program> program(new Program("Untitled", 0));
    FakePageWindow two(2, program.get(), nullptr), three(3, program.get(), nullptr);
    ClosingPageWindow one(1, program.get(), frame, &two);
    frame.AddChild(&one);
    frame.AddChild(&two);
    frame.AddChild(&three);
    g_notices.clear();
    frame.NotifyChildren(program.get(), 3, 0);
    ASSERT_EQ(2u, g_notices.size());
    EXPECT_EQ(1, g_notices[0].nWindow);
    EXPECT_EQ(3, g_notices[1].nWindow);
    EXPECT_EQ(2, frame.GetChildCount());
    frame.CloseChild(&one);
    frame.CloseChild(&three);
}

namespace
{
class StatusRecorder : public UIStatusLine
{
public:
    void SetText(int nLevel, const char* pszText, bool bUpdate) override
    {
        calls.push_back({nLevel, pszText ? pszText : "(none)", bUpdate});
    }
    struct Call
    {
        int nLevel;
        std::string text;
        bool bUpdate;
    };
    std::vector<Call> calls;
};
}

TEST(UIMDIFrameTest, StatusTextLevels)
{
    TMDIClient client;
    UIMDIFrame frame(client);
    EXPECT_STREQ("UIFRAME", frame.GetClassName());
    frame.SetStatusText("nothing to show it", 1);  // no status line: nothing happens
    StatusRecorder status;
    frame.SetStatusLine(&status);
    frame.SetStatusText("hint", 0);
    frame.SetStatusText("error", 1);
    frame.SetStatusText(nullptr, 0);
    ASSERT_EQ(3u, status.calls.size());
    EXPECT_EQ(0, status.calls[0].nLevel);
    EXPECT_EQ(3, status.calls[1].nLevel);
    EXPECT_TRUE(status.calls[1].bUpdate);
    EXPECT_EQ("(none)", status.calls[2].text);
}

// The model reaches the windows through its observer: the main frame,
// installed by the application while it is the main window.
TEST(UIMDIFrameTest, TheMainFrameObservesTheModelWhileItIsTheMainWindow)
{
    TMDIClient client;
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    UIMDIFrame frame(client);
    StatusRecorder status;
    frame.SetStatusLine(&status);
    std::unique_ptr<Program> program(new Program("Untitled", 0));
    FakePageWindow one(1, program.get(), nullptr);
    frame.AddChild(&one);
    g_notices.clear();

    GetModelObserver().NotifyChildren(program.get(), OBJECT_REPAINT, 0);
    ShowStatusMessage("not yet", 0);
    EXPECT_TRUE(g_notices.empty());
    EXPECT_TRUE(status.calls.empty());

    app.SetMainWindow(&frame);
    EXPECT_TRUE(ModelIsObserver(&frame));
    GetModelObserver().NotifyChildren(program.get(), OBJECT_REBUILD, OBJECT_OWN_GOTOS);
    ShowStatusMessage("told", 0);
    ASSERT_EQ(1u, g_notices.size());
    EXPECT_EQ(OBJECT_REBUILD, g_notices[0].nKind);
    EXPECT_EQ(OBJECT_OWN_GOTOS, g_notices[0].nFlags);
    ASSERT_EQ(1u, status.calls.size());
    EXPECT_EQ("told", status.calls[0].text);

    // Another main window takes over; none leaves the model without one.
    TMDIClient otherClient;
    UIMDIFrame other(otherClient);
    app.SetMainWindow(&other);
    EXPECT_TRUE(ModelIsObserver(&other));
    EXPECT_FALSE(ModelIsObserver(&frame));
    app.SetMainWindow(nullptr);
    EXPECT_FALSE(ModelIsObserver(&other));
    GetModelObserver().NotifyChildren(program.get(), OBJECT_REPAINT, 0);
    EXPECT_EQ(1u, g_notices.size());
    frame.CloseChild(&one);

    // A frame that goes while it observes takes itself back.
    {
        TMDIClient shortClient;
        UIMDIFrame shortLived(shortClient);
        app.SetMainWindow(&shortLived);
        app.SetMainWindow(nullptr);
        ModelSetObserver(&shortLived);
    }
    EXPECT_EQ(nullptr, ModelSetObserver(nullptr));

    // The main window at the application's end is taken back with it.
    UIMDIFrame* pLast = nullptr;
    {
        TMDIClient lastClient;
        std::unique_ptr<UIApp> pApp(new UIApp("Plexwright", GetModuleHandleA(nullptr), ""));
        pLast = new UIMDIFrame(lastClient);
        pApp->SetMainWindow(pLast);
        EXPECT_TRUE(ModelIsObserver(pLast));
        pApp.reset();
        EXPECT_FALSE(ModelIsObserver(pLast));
    }
}

// The model takes the options, the grid step and the settings file from the
// application object, and its defaults without one.
TEST(UIAppTest, TheModelIsGivenTheSettings)
{
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        EXPECT_EQ(34, GetModelSettings().nGridStep);
        EXPECT_STREQ("PXUITEST.INI", GetModelSettings().strSettingsFile);
        EXPECT_FALSE(ModelIsOptionSet(MODEL_OPT_SNAPTOGRID));
        app.SetOption(UI_OPT_SNAPTOGRID, true);
        app.SetOption(UI_OPT_LABELSTUBS, true);
        EXPECT_TRUE(ModelIsOptionSet(MODEL_OPT_SNAPTOGRID));
        EXPECT_TRUE(ModelIsOptionSet(MODEL_OPT_LABELSTUBS));
        EXPECT_FALSE(ModelIsOptionSet(MODEL_OPT_SMARTROUTING));
        app.SetOption(UI_OPT_SNAPTOGRID, false);
        EXPECT_FALSE(ModelIsOptionSet(MODEL_OPT_SNAPTOGRID));

        // Options read from the settings file reach the model too.
        WritePrivateProfileStringA("Main", "Smart Routing", "true", UIApp::SettingsFile());
        app.ReadSettings();
        EXPECT_TRUE(ModelIsOptionSet(MODEL_OPT_SMARTROUTING));
        ForgetOptionKeys();

        UIApp::SetSettingsFile("PXUITEST2.INI");
        EXPECT_STREQ("PXUITEST2.INI", GetModelSettings().strSettingsFile);
        UIApp::SetSettingsFile("PXUITEST.INI");
        EXPECT_STREQ("PXUITEST.INI", GetModelSettings().strSettingsFile);
    }
    EXPECT_EQ(0u, GetModelSettings().dwOptions);
    EXPECT_EQ(MODEL_DEFAULT_GRIDSTEP, GetModelSettings().nGridStep);
    EXPECT_STREQ(MODEL_DEFAULT_SETTINGSFILE, GetModelSettings().strSettingsFile);
}

// The dialog library: loaded at start, made the framework's dialog library,
// and given back at the end.
TEST(UIAppTest, TheDialogLibraryIsLoadedRegisteredAndFreedAgain)
{
    ASSERT_EQ(nullptr, GetModuleHandleA(UI_DIALOG_LIBRARY));
    ASSERT_EQ(nullptr, TDialog::GetDialogLibrary());
    MessageBoxRecorder boxes;
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        HINSTANCE hDialogs = GetModuleHandleA(UI_DIALOG_LIBRARY);
        ASSERT_NE(nullptr, hDialogs);
        ASSERT_NE(nullptr, app.GetDialogModule());
        EXPECT_EQ(hDialogs, app.GetDialogModule()->GetHandle());
        EXPECT_EQ(hDialogs, TDialog::GetDialogLibrary());
        // The templates of the soft dialogs come from there.
        EXPECT_NE(nullptr, FindResourceA(hDialogs, MAKEINTRESOURCEA(10001), RT_DIALOG));
        EXPECT_NE(nullptr, FindResourceA(hDialogs, MAKEINTRESOURCEA(11002), RT_DIALOG));
    }
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, TDialog::GetDialogLibrary());
    EXPECT_EQ(nullptr, GetModuleHandleA(UI_DIALOG_LIBRARY));
}

TEST(UIAppTest, ADialogLibraryAlreadyLoadedIsTakenAndLeftLoaded)
{
    HINSTANCE hLoaded = LoadLibraryA(UI_DIALOG_LIBRARY);
    ASSERT_NE(nullptr, hLoaded);
    MessageBoxRecorder boxes;
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        ASSERT_NE(nullptr, app.GetDialogModule());
        EXPECT_EQ(hLoaded, app.GetDialogModule()->GetHandle());
        EXPECT_EQ(hLoaded, TDialog::GetDialogLibrary());
    }
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, TDialog::GetDialogLibrary());
    // The application object gave back only what it took itself.
    EXPECT_EQ(hLoaded, GetModuleHandleA(UI_DIALOG_LIBRARY));
    FreeLibrary(hLoaded);
    EXPECT_EQ(nullptr, GetModuleHandleA(UI_DIALOG_LIBRARY));
}

TEST(UIAppTest, WithoutTheDialogLibraryStartUpSaysSoAndGoesOn)
{
    ForgetOptionKeys();
    UIApp::SetDialogLibraryName("pxnodialogs.dll");
    MessageBoxRecorder boxes;
    {
        UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(nullptr, boxes.boxes[0].hOwner);
        EXPECT_EQ("Unable to load application dialog module.", boxes.boxes[0].text);
        EXPECT_EQ("Error", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
        EXPECT_EQ(nullptr, app.GetDialogModule());
        EXPECT_EQ(nullptr, TDialog::GetDialogLibrary());
        // The rest of the start-up does not depend on it.
        EXPECT_EQ(&app, UIApp::GetApp());
        EXPECT_FALSE(app.ReadSettings());
        EXPECT_EQ(0x33Du, app.GetOptions());
    }
    UIApp::SetDialogLibraryName(nullptr);
    EXPECT_STREQ(UI_DIALOG_LIBRARY, UIApp::DialogLibraryName());
    EXPECT_EQ(1u, boxes.boxes.size());
}
