// The application object: start-up, the message loop with its accelerator
// table, the end of the loop when the main window goes, and a start-up
// without a main window.
#include "OwlTestSupport.h"

#include "owl/TApplication.h"
#include "owl/TFrameWindow.h"

namespace {

const UINT CM_TEST_ACCEL = 300;
int g_nFramesDeleted = 0;

class MainFrame : public TFrameWindow
{
public:
    MainFrame() : TFrameWindow(nullptr, "Main") {}
    ~MainFrame() override { ++g_nFramesDeleted; }

    const char* GetClassName() override { return "OWLTESTMAIN"; }

    void SetupWindow() override
    {
        TFrameWindow::SetupWindow();
        // F5 is translated by the application's accelerator table.
        PostMessage(WM_KEYDOWN, VK_F5, 0);
    }

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == CM_TEST_ACCEL)
        {
            g_log.push_back(notifyCode == 1 ? "accelerator" : "command");
            PostMessage(WM_CLOSE);
            return 0;
        }
        return TFrameWindow::EvCommand(id, hWndCtl, notifyCode);
    }
};

class TestApp : public TApplication
{
public:
    TestApp(bool bMakeMain) : TApplication("Test", nullptr, nullptr, "-x file", SW_HIDE), m_bMakeMain(bMakeMain) {}

    void InitInstance() override
    {
        ACCEL accel = { FVIRTKEY, VK_F5, static_cast<WORD>(CM_TEST_ACCEL) };
        HAccTable = CreateAcceleratorTableA(&accel, 1);
        TApplication::InitInstance();
    }

    void InitMainWindow() override
    {
        if (m_bMakeMain)
            SetMainWindow(new MainFrame);
    }

    ~TestApp() override
    {
        if (HAccTable)
            DestroyAcceleratorTable(HAccTable);
    }

    bool m_bMakeMain;
};

} // namespace

TEST(Application, RunsTheLoopWithAcceleratorsUntilTheMainWindowCloses)
{
    g_log.clear();
    g_nFramesDeleted = 0;
    {
        TestApp app(true);
        EXPECT_EQ(&app, GetApplicationObject());
        EXPECT_STREQ("-x file", app.GetCmdLine());
        EXPECT_STREQ("Test", app.GetName());
        EXPECT_EQ(GetModuleHandleA(nullptr), app.GetHandle());
        EXPECT_EQ(0, app.Run());
        EXPECT_EQ(std::vector<std::string>{ "accelerator" }, g_log);
        ASSERT_NE(nullptr, app.GetMainWindow());
        EXPECT_FALSE(app.GetMainWindow()->IsWindow());
        EXPECT_TRUE(app.GetMainWindow()->IsFlagSet(wfMainWindow));
        EXPECT_EQ(0, g_nFramesDeleted);
    }
    // The application object deletes its main window.
    EXPECT_EQ(1, g_nFramesDeleted);
    EXPECT_EQ(nullptr, GetApplicationObject());
}

TEST(Application, NoMainWindowEndsTheRunWithAMessage)
{
    MessageBoxRecorder boxes;
    TestApp app(false);
    EXPECT_EQ(-1, app.Run());
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(-1, app.Status);
}

TEST(Application, ModulesOverNullHandlesAnswerNothing)
{
    TModule none("pxdlg.dll", nullptr);
    EXPECT_EQ(nullptr, none.GetHandle());
    EXPECT_FALSE(none.HasResource("TESTDLG", RT_DIALOG));
    char sz[8] = "x";
    EXPECT_EQ(0, none.LoadString(1, sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
    EXPECT_EQ(nullptr, none.LoadMenu("TESTMENU"));
    TModule exe("exe", GetModuleHandleA(nullptr));
    EXPECT_TRUE(exe.HasResource("TESTDLG", RT_DIALOG));
    HMENU hMenu = exe.LoadMenu("TESTMENU");
    EXPECT_NE(nullptr, hMenu);
    DestroyMenu(hMenu);
}
