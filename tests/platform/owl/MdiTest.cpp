// An MDI frame with its client and two children, driven with messages:
// derived handlers before base ones, command routing, enablers, closing
// through CanClose and the exception edge.
#include "OwlTestSupport.h"
#include "OwlTestRes.h"

#include "owl/TMDIChild.h"
#include "owl/TMDIClient.h"
#include "owl/TMDIFrame.h"

namespace {

const UINT WM_TEST_PRIVATE = WM_USER + 5;
int g_nChildrenDeleted = 0;

class TestClient : public TMDIClient
{
public:
    void CmCascadeChildren() override
    {
        g_log.push_back("client cascade");
        TMDIClient::CmCascadeChildren();
    }
};

class TestFrame : public TMDIFrame
{
public:
    explicit TestFrame(TMDIClient& client) : TMDIFrame("Test frame", "TESTMENU", client) {}

    const char* GetClassName() override { return "OWLTESTFRAME"; }

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == IDM_TEST_CMD || id == IDM_TEST_CHILDCMD)
        {
            g_log.push_back("frame " + std::to_string(id));
            return 0;
        }
        return TMDIFrame::EvCommand(id, hWndCtl, notifyCode);
    }

    void EvCommandEnable(TCommandEnabler& ce) override
    {
        if (ce.GetId() == IDM_TEST_CMD2)
            ce.Enable(false);
        else if (ce.GetId() == IDM_TEST_CMD)
            ce.SetCheck(1);
        else
            TMDIFrame::EvCommandEnable(ce);
    }

    bool CanClose() override
    {
        g_log.push_back("frame CanClose");
        return TMDIFrame::CanClose();
    }
};

// The base child: handles two commands and a private message.
class BaseChild : public TMDIChild
{
public:
    BaseChild(TMDIClient& client, const char* pszName) : TMDIChild(client, pszName), m_name(pszName) {}
    ~BaseChild() override { ++g_nChildrenDeleted; }

    const char* GetClassName() override { return "OWLTESTCHILD"; }

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == 500 || id == 501 || id == IDM_TEST_CHILDCMD)
        {
            g_log.push_back(m_name + " base " + std::to_string(id));
            return 7;
        }
        if (id == 666)
            PXTHROW_XMEM(1513);
        return TMDIChild::EvCommand(id, hWndCtl, notifyCode);
    }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TEST_PRIVATE)
        {
            g_log.push_back(m_name + " base private");
            return 1;
        }
        return TMDIChild::WindowProc(msg, wParam, lParam);
    }

    bool CanClose() override
    {
        g_log.push_back(m_name + " CanClose");
        return m_bAllowClose;
    }

    void EvMDIActivate(HWND hActivated, HWND hDeactivated) override
    {
        if (hActivated == HWindow)
            g_log.push_back(m_name + " activated");
        TMDIChild::EvMDIActivate(hActivated, hDeactivated);
    }

    std::string m_name;
    bool m_bAllowClose = true;
};

// The derived child takes command 500 and the private message itself and
// leaves the rest to its base.
class DerivedChild : public BaseChild
{
public:
    using BaseChild::BaseChild;

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == 500)
        {
            g_log.push_back(m_name + " derived 500");
            return 9;
        }
        return BaseChild::EvCommand(id, hWndCtl, notifyCode);
    }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TEST_PRIVATE && wParam == 1)
        {
            g_log.push_back(m_name + " derived private");
            return 2;
        }
        return BaseChild::WindowProc(msg, wParam, lParam);
    }
};

class MdiTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        g_nChildrenDeleted = 0;
        m_pClient = new TestClient;
        m_pFrame = new TestFrame(*m_pClient);
        ASSERT_TRUE(m_pFrame->Create());
        m_pFrame->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pOne = new BaseChild(*m_pClient, "one");
        m_pTwo = new DerivedChild(*m_pClient, "two");
        ASSERT_TRUE(m_pOne->Create());
        ASSERT_TRUE(m_pTwo->Create());
        Pump();
    }

    void TearDown() override
    {
        delete m_pFrame;
        Pump();
    }

    TestClient* m_pClient;
    TestFrame* m_pFrame;
    BaseChild* m_pOne;
    DerivedChild* m_pTwo;
};

} // namespace

TEST_F(MdiTest, FrameClientAndChildrenAreBound)
{
    ASSERT_TRUE(m_pClient->IsWindow());
    EXPECT_EQ(m_pFrame->HWindow, GetParent(m_pClient->HWindow));
    EXPECT_EQ(m_pClient->HWindow, GetParent(m_pOne->HWindow));
    EXPECT_EQ(m_pClient->HWindow, GetParent(m_pTwo->HWindow));
    EXPECT_EQ(m_pOne, TWindow::GetWindowPtr(m_pOne->HWindow));
    EXPECT_EQ(m_pTwo, TWindow::GetWindowPtr(m_pTwo->HWindow));
    EXPECT_EQ(2, m_pClient->NumChildren());
    EXPECT_EQ(m_pTwo, m_pClient->GetActiveMDIChild());
    // Exact class tests tell the two children apart.
    EXPECT_TRUE(IsExactly<BaseChild>(m_pOne));
    EXPECT_FALSE(IsExactly<BaseChild>(m_pTwo));
    EXPECT_EQ(m_pTwo, FirstChildOfClass<DerivedChild>(*m_pClient));
    EXPECT_EQ(m_pOne, FirstChildOfClass<BaseChild>(*m_pClient));
    char szTitle[32];
    GetWindowTextA(m_pOne->HWindow, szTitle, sizeof(szTitle));
    EXPECT_STREQ("one", szTitle);
}

TEST_F(MdiTest, DerivedHandlersComeBeforeBaseHandlers)
{
    // (window, message, wParam, log entry, answer)
    struct Case
    {
        BaseChild* pWnd;
        UINT msg;
        WPARAM wParam;
        const char* pszLog;
        LRESULT result;
    } cases[] = {
        { m_pTwo, WM_COMMAND, 500, "two derived 500", 9 },
        { m_pTwo, WM_COMMAND, 501, "two base 501", 7 },
        { m_pOne, WM_COMMAND, 500, "one base 500", 7 },
        { m_pTwo, WM_TEST_PRIVATE, 1, "two derived private", 2 },
        { m_pTwo, WM_TEST_PRIVATE, 0, "two base private", 1 },
        { m_pOne, WM_TEST_PRIVATE, 1, "one base private", 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszLog);
        g_log.clear();
        EXPECT_EQ(c.result, SendMessageA(c.pWnd->HWindow, c.msg, c.wParam, 0));
        EXPECT_EQ(std::vector<std::string>{ c.pszLog }, g_log);
    }
}

TEST_F(MdiTest, ActivationReachesTheChild)
{
    g_log.clear();
    SendMessageA(m_pClient->HWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_pOne->HWindow), 0);
    Pump();
    EXPECT_EQ(m_pOne, m_pClient->GetActiveMDIChild());
    EXPECT_NE(std::find(g_log.begin(), g_log.end(), "one activated"), g_log.end());
}

TEST_F(MdiTest, MenuCommandsAreRoutedThroughFocusClientAndFrame)
{
    m_pFrame->ShowWindow(SW_SHOW);
    SendMessageA(m_pClient->HWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_pOne->HWindow), 0);
    SetFocus(m_pOne->HWindow);
    Pump();
    // (command, who answers)
    struct Case { UINT id; const char* pszLog; } cases[] = {
        { IDM_TEST_CHILDCMD, "one base 102" },   // the focus window's chain first
        { IDM_TEST_CMD, "frame 100" },           // nobody else: the frame
        { CM_CASCADECHILDREN, "client cascade" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        if (GetFocus() != m_pOne->HWindow)
            SetFocus(m_pOne->HWindow);
        g_log.clear();
        SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        ASSERT_FALSE(g_log.empty());
        EXPECT_EQ(c.pszLog, g_log.front());
    }
    // The tool strip's marker (lParam 1, no window) counts as a command too.
    g_log.clear();
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, IDM_TEST_CHILDCMD, 1);
    EXPECT_EQ(std::vector<std::string>{ "one base 102" }, g_log);
    g_log.clear();
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, IDM_TEST_CMD, 1);
    EXPECT_EQ(std::vector<std::string>{ "frame 100" }, g_log);
}

TEST_F(MdiTest, EnablersSetMenuItemsWhenThePopUpOpens)
{
    HMENU hFile = GetSubMenu(GetMenu(m_pFrame->HWindow), 0);
    ASSERT_NE(nullptr, hFile);
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    EXPECT_TRUE(GetMenuState(hFile, IDM_TEST_CMD2, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(hFile, IDM_TEST_CMD, MF_BYCOMMAND) & MF_CHECKED);
    // An item nobody answers for stays as it was.
    UINT state = GetMenuState(hFile, IDM_TEST_CHILDCMD, MF_BYCOMMAND);
    EXPECT_FALSE(state & (MF_GRAYED | MF_CHECKED));
}

TEST_F(MdiTest, ClosingAsksEveryChildAndARefusalKeepsAllOpen)
{
    m_pOne->m_bAllowClose = true;
    m_pTwo->m_bAllowClose = false;
    g_log.clear();
    SendMessageA(m_pFrame->HWindow, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ((std::vector<std::string>{ "frame CanClose", "one CanClose", "two CanClose" }), g_log);
    EXPECT_TRUE(m_pFrame->IsWindow());
    EXPECT_TRUE(m_pOne->IsWindow());
    EXPECT_TRUE(m_pTwo->IsWindow());
    EXPECT_EQ(0, g_nChildrenDeleted);

    m_pTwo->m_bAllowClose = true;
    g_log.clear();
    SendMessageA(m_pFrame->HWindow, WM_CLOSE, 0, 0);
    Pump();
    ASSERT_GE(g_log.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{ "frame CanClose", "one CanClose", "two CanClose" }),
              std::vector<std::string>(g_log.begin(), g_log.begin() + 3));
    EXPECT_FALSE(m_pFrame->IsWindow());
    EXPECT_EQ(nullptr, m_pFrame->HWindow);
    // The children deleted themselves with their windows.
    EXPECT_EQ(2, g_nChildrenDeleted);
    EXPECT_EQ(0, m_pClient->NumChildren());
}

TEST_F(MdiTest, AChildClosesAloneThroughCanClose)
{
    m_pOne->m_bAllowClose = false;
    SendMessageA(m_pOne->HWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_pOne->IsWindow());
    m_pOne->m_bAllowClose = true;
    HWND hOne = m_pOne->HWindow;
    SendMessageA(hOne, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindow(hOne));
    EXPECT_EQ(1, g_nChildrenDeleted);
    EXPECT_EQ(1, m_pClient->NumChildren());
    EXPECT_EQ(m_pTwo, m_pClient->GetChild(0));
    EXPECT_TRUE(m_pFrame->IsWindow());
}

TEST_F(MdiTest, DeletingTheFrameDeletesItsWindowsAndChildren)
{
    HWND hFrame = m_pFrame->HWindow;
    HWND hTwo = m_pTwo->HWindow;
    delete m_pFrame;
    m_pFrame = nullptr;
    Pump();
    EXPECT_FALSE(IsWindow(hFrame));
    EXPECT_FALSE(IsWindow(hTwo));
    EXPECT_EQ(2, g_nChildrenDeleted);
}

TEST_F(MdiTest, ExceptionsStopAtTheWindowProcedure)
{
    ExceptionRecorder rec;
    EXPECT_EQ(0, SendMessageA(m_pOne->HWindow, WM_COMMAND, 666, 0));
    ASSERT_EQ(1u, rec.caught.size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), rec.caught[0].msg);
    EXPECT_EQ(1513, rec.caught[0].nDescr);
    // The window goes on working.
    EXPECT_EQ(7, SendMessageA(m_pOne->HWindow, WM_COMMAND, 501, 0));
}

TEST_F(MdiTest, DefaultExceptionHandlerShowsTheFault)
{
    MessageBoxRecorder boxes;
    SendMessageA(m_pOne->HWindow, WM_COMMAND, 666, 0);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("Error# 1513"));
    EXPECT_TRUE(boxes.boxes[0].uType & MB_ICONSTOP);
}

TEST_F(MdiTest, CloseAllClosesOnlyWhenEveryChildMay)
{
    m_pOne->m_bAllowClose = false;
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_CLOSECHILDREN, 0);
    Pump();
    EXPECT_EQ(2, m_pClient->NumChildren());
    EXPECT_EQ(0, g_nChildrenDeleted);
    m_pOne->m_bAllowClose = true;
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_CLOSECHILDREN, 0);
    Pump();
    EXPECT_EQ(0, m_pClient->NumChildren());
    EXPECT_EQ(2, g_nChildrenDeleted);
    EXPECT_TRUE(m_pFrame->IsWindow());
}
