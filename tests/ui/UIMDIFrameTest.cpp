// The main frame's current program and page over real MDI page windows:
// activation through the MDI client, the guard against a page window's
// activation asking for its page again, the hints without a page window or
// edit pane, the registry's renumbering and what a closed window leaves.
#include "PXTestSupport.h"
#include "Page.h"
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXWnd.h"
#include "PXWinApp.h"
#include "Program.h"
#include "DrawHelpers.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "UIRes.h"
#include "owl/TMDIChild.h"
#include "owl/TMDIClient.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_events;

// A page window as the page windows are made: an MDI child that, when
// activated, makes its program and page the frame's current ones.
class TestPageWindow : public TMDIChild, public UIMDIChild
{
public:
    TestPageWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage, int nNumber, int nZoom = 100)
        : TMDIChild(*frame.GetClientWindow(), "page"), m_frame(frame), m_pProgram(pProgram), m_pPage(pPage),
          m_nNumber(nNumber), m_nZoom(nZoom)
    {
    }
    void EvMDIActivate(HWND hWndActivated, HWND hWndDeactivated) override
    {
        TMDIChild::EvMDIActivate(hWndActivated, hWndDeactivated);
        if (hWndActivated != HWindow)
            return;
        g_events.push_back("activate " + std::to_string(m_nNumber));
        m_frame.SetCurrentProgram(m_pProgram);
        m_frame.SetCurrentPage(m_pPage);
    }
    void ObjectChanged(UIObject*, int, int) override {}
    Program* GetProgram() const override { return m_pProgram; }
    Page* GetPage() const override { return m_pPage; }
    HWND GetHandle() const override { return HWindow; }
    void LayoutPanes() override { g_events.push_back("layout " + std::to_string(m_nNumber)); }
    void RereadResources() override { g_events.push_back("reread " + std::to_string(m_nNumber)); }
    int GetWindowNumber() const override { return m_nNumber; }
    void AdjustIndexOnRemove(int nRemoved) override
    {
        g_events.push_back("renumber " + std::to_string(m_nNumber) + " after " + std::to_string(nRemoved));
    }
    int GetEditZoom() const override { return m_nZoom; }

private:
    UIMDIFrame& m_frame;
    Program* m_pProgram;
    Page* m_pPage;
    int m_nNumber;
    int m_nZoom;
};

struct StatusRecorder : UIStatusLine
{
    void SetText(int nLevel, const char* pszText, bool) override
    {
        lines.push_back(std::to_string(nLevel) + ":" + (pszText ? pszText : ""));
    }
    std::vector<std::string> lines;
};

std::vector<UINT> g_beeps;
void RecordBeep(UINT uType)
{
    g_beeps.push_back(uType);
}

// An application object, a created frame over its MDI client, and a
// program of two pages.
class FrameFixture : public ::testing::Test
{
protected:
    FrameFixture() : m_app("Plexwright", GetModuleHandleA(nullptr), "")
    {
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        m_pFrame->SetStatusLine(&m_status);
        EXPECT_TRUE(m_pFrame->Create());
        m_program.reset(new Program("C:\\PROG\\ORDERS.ed", 0));
        m_pMain = new Page(m_program.get(), "Main", 0, 0);
        m_program->AddPage(m_pMain);
        m_pSub = new Page(m_program.get(), "Sub", 1, 0);
        m_program->AddPage(m_pSub);
        m_program->ClearModified();
        m_pfnBeep = PXSetMessageBeepHook(RecordBeep);
        g_events.clear();
        g_beeps.clear();
    }
    ~FrameFixture() override
    {
        m_pFrame->SetStatusLine(nullptr);
        PXSetMessageBeepHook(m_pfnBeep);
        for (int i = m_pFrame->GetChildCount() - 1; i >= 0; --i)
            m_pFrame->CloseChild(m_pFrame->GetChild(i));
        // The application object deletes the frame, whose window takes the
        // page windows with it.
    }
    TestPageWindow* Open(Page* pPage, int nNumber, int nZoom = 100)
    {
        TestPageWindow* pWindow = new TestPageWindow(*m_pFrame, m_program.get(), pPage, nNumber, nZoom);
        EXPECT_TRUE(pWindow->Create());
        m_pFrame->AddChild(pWindow);
        return pWindow;
    }
    static void Flush()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    UIApp m_app;
    TMDIClient m_client;
    UIMDIFrame* m_pFrame;
    StatusRecorder m_status;
    std::unique_ptr<Program> m_program;
    Page* m_pMain;
    Page* m_pSub;
    PXMessageBeepHook m_pfnBeep;
};
}

TEST_F(FrameFixture, SettingThePageActivatesItsWindowOnceAndMakesItsProgramCurrent)
{
    TestPageWindow* pMainWnd = Open(m_pMain, 1);
    TestPageWindow* pSubWnd = Open(m_pSub, 2);
    Flush();
    EXPECT_EQ(pSubWnd, m_pFrame->GetActiveEditWindow());
    g_events.clear();

    // The window's activation asks for its page again while the frame is
    // still setting it: no second activation, no endless recursion.
    m_pFrame->SetCurrentPage(m_pMain);
    Flush();
    EXPECT_EQ(std::vector<std::string>{"activate 1"}, g_events);
    EXPECT_EQ(m_pMain, m_pFrame->GetCurrentPage());
    EXPECT_EQ(m_program.get(), m_pFrame->GetCurrentProgram());
    EXPECT_EQ(pMainWnd, m_pFrame->GetActiveEditWindow());

    // The page already current: no window is activated.
    g_events.clear();
    m_pFrame->SetCurrentPage(m_pMain);
    EXPECT_TRUE(g_events.empty());

    // No page: none current, program none too.
    m_pFrame->SetCurrentPage(nullptr);
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentPage());
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentProgram());
    EXPECT_TRUE(g_events.empty());
    EXPECT_TRUE(m_status.lines.empty());
    EXPECT_TRUE(g_beeps.empty());
}

TEST_F(FrameFixture, TheEarlierOpenedWindowOfAPageIsFound)
{
    TestPageWindow* pFirst = Open(m_pMain, 1);
    Open(m_pMain, 2);
    EXPECT_EQ(pFirst, m_pFrame->FindChildForPage(m_pMain));
    EXPECT_EQ(nullptr, m_pFrame->FindChildForPage(m_pSub));
    // A listed window has its panes laid out once (after its activation as
    // a new MDI child).
    std::vector<std::string> layouts;
    for (const std::string& e : g_events)
        if (e.compare(0, 6, "layout") == 0)
            layouts.push_back(e);
    EXPECT_EQ(std::vector<std::string>({"layout 1", "layout 2"}), layouts);
    g_events.clear();
    m_pFrame->RelayoutChildren();
    m_pFrame->RereadChildResources();
    EXPECT_EQ(std::vector<std::string>({"layout 1", "layout 2", "reread 1", "reread 2"}), g_events);
}

TEST_F(FrameFixture, ClosingAWindowRenumbersTheOthersOfItsProgramAndForgetsWhatItShowed)
{
    TestPageWindow* pOne = Open(m_pMain, 1);
    Open(m_pSub, 2);
    std::unique_ptr<Program> other(new Program("C:\\PROG\\OTHER.ed", 0));
    Page* pOtherMain = new Page(other.get(), "Main", 0, 0);
    other->AddPage(pOtherMain);
    TestPageWindow* pOther = new TestPageWindow(*m_pFrame, other.get(), pOtherMain, 1);
    ASSERT_TRUE(pOther->Create());
    m_pFrame->AddChild(pOther);
    m_pFrame->SetCurrentPage(m_pMain);
    Flush();
    g_events.clear();

    m_pFrame->CloseChild(pOne);
    EXPECT_EQ(std::vector<std::string>{"renumber 2 after 1"}, g_events);
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentPage());
    EXPECT_EQ(m_program.get(), m_pFrame->GetCurrentProgram());   // another window shows it
    EXPECT_EQ(1, m_program->GetOpenWindows());
    // Closing a window that is not listed changes nothing.
    m_pFrame->CloseChild(pOne);
    EXPECT_EQ(1, m_program->GetOpenWindows());
    pOne->Destroy();
    m_pFrame->CloseChild(pOther);
    other->AddOpenWindow(0);
    pOther->Destroy();
}

TEST_F(FrameFixture, WithoutAPageWindowActivationGivesHint33AndABeep)
{
    // A window that is no page window of the frame's list.
    TestPageWindow* pLoose = new TestPageWindow(*m_pFrame, m_program.get(), m_pMain, 9);
    ASSERT_TRUE(pLoose->Create());
    Flush();
    EXPECT_FALSE(m_pFrame->ActivateChild(pLoose));
    ASSERT_EQ(1u, m_status.lines.size());
    EXPECT_EQ("3:Select window containing a program before executing this command.", m_status.lines[0]);
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
    pLoose->Destroy();
}

TEST_F(FrameFixture, APageWindowWithoutEditPaneGivesMessage19)
{
    TestPageWindow* pNoPane = Open(m_pMain, 1, -1);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(m_pFrame->ActivateChild(pNoPane));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Edit child window not found in Edit MDI window.", boxes.boxes[0].text);
    EXPECT_EQ("Plexwright", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_TRUE(m_status.lines.empty());
}

namespace
{
UIMDIChild* g_pMade = nullptr;
std::string g_madeCaption;
UIMDIChild* MakeTestWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage, const char* pszCaption)
{
    g_madeCaption = pszCaption;
    TestPageWindow* pWindow = new TestPageWindow(frame, pProgram, pPage, 7);
    if (!pWindow->Create())
        return nullptr;
    g_pMade = pWindow;
    return pWindow;
}
}

TEST_F(FrameFixture, OpenEditWindowMakesListsAndMaximisesThroughTheFactory)
{
    // Without a maker nothing is made.
    EXPECT_EQ(nullptr, m_pFrame->OpenEditWindow(m_program.get(), m_pMain));
    UIMDIFrame::EditWindowFactory pfnOld = UIMDIFrame::SetEditWindowFactory(MakeTestWindow);
    m_program->SetModified();
    UIMDIChild* pChild = m_pFrame->OpenEditWindow(m_program.get(), m_pMain);
    UIMDIFrame::SetEditWindowFactory(pfnOld);
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(g_pMade, pChild);
    EXPECT_EQ("ORDERS *", g_madeCaption);
    EXPECT_TRUE(m_pFrame->IsListed(pChild));
    EXPECT_EQ(1, m_program->GetOpenWindows());
    EXPECT_TRUE(IsZoomed(pChild->GetHandle()));
}

namespace
{
int g_nAutoSaves = 0;
void CountAutoSave()
{
    ++g_nAutoSaves;
}

struct BarsRecorder : UIStatusLine
{
    void SetText(int, const char*, bool) override {}
};
BarsRecorder g_bars;
UIMDIFrame* g_pBarsFrame = nullptr;
void MakeBars(UIMDIFrame& frame)
{
    g_pBarsFrame = &frame;
    frame.SetStatusLine(&g_bars);
}
}

TEST_F(FrameFixture, OnlyTimer7RunsTheAutoSave)
{
    UIMDIFrame::AutoSaveCall pfnOld = UIMDIFrame::SetAutoSaveCall(CountAutoSave);
    g_nAutoSaves = 0;
    for (UINT nTimer : {1u, 6u, 8u, 7u})
        SendMessageA(m_pFrame->HWindow, WM_TIMER, nTimer, 0);
    UIMDIFrame::SetAutoSaveCall(pfnOld);
    EXPECT_EQ(1, g_nAutoSaves);
}

TEST_F(FrameFixture, AnAutoSaveDueDuringARoutingSearchRunsOnceWhenItEnds)
{
    UIMDIFrame::AutoSaveCall pfnOld = UIMDIFrame::SetAutoSaveCall(CountAutoSave);
    g_nAutoSaves = 0;
    MSG msg;
    while (PeekMessageA(&msg, m_pFrame->HWindow, WM_TIMER, WM_TIMER, PM_REMOVE))
        ;
    {
        PXLongOperation routing;
        ASSERT_TRUE(routing.Acquired());
        SendMessageA(m_pFrame->HWindow, WM_TIMER, 7, 0);
        SendMessageA(m_pFrame->HWindow, WM_TIMER, 7, 0);
        EXPECT_EQ(0, g_nAutoSaves) << "no save in the middle of a search";
    }
    int nTimers = 0;
    while (PeekMessageA(&msg, m_pFrame->HWindow, WM_TIMER, WM_TIMER, PM_REMOVE))
    {
        ++nTimers;
        DispatchMessageA(&msg);
    }
    UIMDIFrame::SetAutoSaveCall(pfnOld);
    EXPECT_EQ(1, nTimers);
    EXPECT_EQ(1, g_nAutoSaves);
}

TEST_F(FrameFixture, TheControllerAsksTheActivePageWindowThroughTheFrame)
{
    EXPECT_EQ(static_cast<PXEditorFrame*>(m_pFrame), PXWinApp::GetEditorFrame());
    EXPECT_FALSE(m_pFrame->IsEditingTextNote());
    EXPECT_EQ(0, m_pFrame->GetSelectionCount());
    // The frame opens the block palette when it is set up; the Palette
    // command closes it and opens it again.
    EXPECT_TRUE(m_pFrame->IsPaletteShown());
    m_pFrame->TogglePalette();
    EXPECT_FALSE(m_pFrame->IsPaletteShown());
    m_pFrame->TogglePalette();
    EXPECT_TRUE(m_pFrame->IsPaletteShown());
    EXPECT_FALSE(m_pFrame->IsFullScreen());
    ASSERT_NE(nullptr, GetPXMainFrame());
    EXPECT_EQ(m_pFrame->HWindow, GetPXMainFrame()->GetHandle());

    // Full-screen mode covers the desktop's width and goes back again.
    RECT before = {};
    GetWindowRect(m_pFrame->HWindow, &before);
    GetPXMainFrame()->ToggleFullScreen();
    EXPECT_TRUE(m_pFrame->IsFullScreen());
    RECT full = {};
    GetWindowRect(m_pFrame->HWindow, &full);
    RECT expected = GetPXMainFrame()->GetFullScreenRect();
    EXPECT_TRUE(EqualRect(&expected, &full)) << full.left << "," << full.top << "," << full.right << ","
                                              << full.bottom << " for " << expected.left << "," << expected.top
                                              << "," << expected.right << "," << expected.bottom;
    EXPECT_LE(full.left, 0);
    EXPECT_GE(full.right, GetSystemMetrics(SM_CXSCREEN));
    GetPXMainFrame()->ToggleFullScreen();
    EXPECT_FALSE(m_pFrame->IsFullScreen());
    RECT after = {};
    GetWindowRect(m_pFrame->HWindow, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(UIMDIFrameBars, TheBarsAreMadeThroughTheFactoryWhenTheFrameIsMade)
{
    UIMDIFrame::BarsFactory pfnOld = UIMDIFrame::SetBarsFactory(MakeBars);
    TMDIClient client;
    UIMDIFrame frame(client);
    UIMDIFrame::SetBarsFactory(pfnOld);
    EXPECT_EQ(&frame, g_pBarsFrame);
    EXPECT_EQ(&g_bars, frame.GetStatusLine());
}

TEST_F(FrameFixture, ClosingWritesPlacementAndZoomAndAsksEveryWindow)
{
    const char* pszFile = UIApp::SettingsFile();
    WritePrivateProfileStringA("Main", nullptr, nullptr, pszFile);
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    // No page window: the placement is written, hint 33 and a beep, and
    // the close goes on.
    EXPECT_TRUE(m_pFrame->CanClose());
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntA("Main", "WinState", 0, pszFile)));
    RECT rc = {};
    GetWindowRect(m_pFrame->HWindow, &rc);
    EXPECT_EQ(rc.left, static_cast<int>(GetPrivateProfileIntA("Main", "left", -1, pszFile)));
    EXPECT_EQ(rc.bottom, static_cast<int>(GetPrivateProfileIntA("Main", "bottom", -1, pszFile)));
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
    ASSERT_EQ(1u, m_status.lines.size());
    EXPECT_EQ(0, m_pFrame->IsClosing());

    // The active page window's zoom.
    Open(m_pMain, 1, 70);
    Flush();
    EXPECT_TRUE(m_pFrame->CanClose());
    EXPECT_EQ(70, static_cast<int>(GetPrivateProfileIntA("Main", "Zoom Level", 0, pszFile)));

    // A page window without an edit pane: message 19, no zoom written.
    WritePrivateProfileStringA("Main", "Zoom Level", nullptr, pszFile);
    Open(m_pSub, 2, -1);
    Flush();
    MessageBoxRecorder boxes;
    EXPECT_TRUE(m_pFrame->CanClose());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Edit child window not found in Edit MDI window.", boxes.boxes[0].text);
    EXPECT_EQ(0, static_cast<int>(GetPrivateProfileIntA("Main", "Zoom Level", 0, pszFile)));
    WritePrivateProfileStringA("Main", nullptr, nullptr, pszFile);
}

namespace
{
// An MDI window that will not close.
class RefusingWindow : public TMDIChild
{
public:
    explicit RefusingWindow(TMDIClient& client) : TMDIChild(client, "refuses") {}
    bool CanClose() override { return false; }
};

int ClientLeft(UIMDIFrame* pFrame)
{
    RECT rc;
    ::GetWindowRect(pFrame->GetClientWindow()->HWindow, &rc);
    ::MapWindowPoints(nullptr, pFrame->HWindow, reinterpret_cast<POINT*>(&rc), 2);
    return rc.left;
}
}

// Set up, the frame opens the block palette docked beside the MDI client
// with its "Blocks" palette window; the Palette command closes and opens
// it, and the client gives the strip back and takes it again.
TEST_F(FrameFixture, TheFrameOpensTheDockedPaletteBesideTheClient)
{
    PXMainFrame* pMainFrame = GetPXMainFrame();
    ASSERT_NE(nullptr, pMainFrame);
    ASSERT_NE(nullptr, pMainFrame->m_pPaletteManager);
    ASSERT_NE(nullptr, pMainFrame->GetInWnd());
    EXPECT_NE(nullptr, m_pFrame->GetPaletteMDI());
    HWND hPalette = pMainFrame->m_pPaletteManager->m_pPalette->m_hWnd;
    EXPECT_EQ(m_pFrame->HWindow, ::GetParent(hPalette));
    RECT rcPalette;
    ::GetWindowRect(hPalette, &rcPalette);
    EXPECT_EQ(213, rcPalette.right - rcPalette.left);
    EXPECT_EQ(213, ClientLeft(m_pFrame));

    m_pFrame->TogglePalette();
    EXPECT_EQ(nullptr, pMainFrame->GetInWnd());
    EXPECT_FALSE(::IsWindow(hPalette));
    EXPECT_EQ(0, ClientLeft(m_pFrame));
    m_pFrame->TogglePalette();
    EXPECT_NE(nullptr, pMainFrame->GetInWnd());
    EXPECT_EQ(213, ClientLeft(m_pFrame));
}

// The frame closes the palette before it closes; a refused close opens it
// again.
TEST_F(FrameFixture, ARefusedCloseOpensThePaletteAgain)
{
    RefusingWindow* pWindow = new RefusingWindow(m_client);
    ASSERT_TRUE(pWindow->Create());
    PXMainFrame* pMainFrame = GetPXMainFrame();
    const HWND hOldInner = pMainFrame->GetInWnd()->m_hWnd;
    ASSERT_FALSE(m_pFrame->CanClose());
    ::SendMessageA(m_pFrame->HWindow, WM_CLOSE, 0, 0);
    Flush();
    ASSERT_TRUE(::IsWindow(m_pFrame->HWindow));
    EXPECT_FALSE(::IsWindow(hOldInner));
    ASSERT_NE(nullptr, pMainFrame->GetInWnd());
    EXPECT_TRUE(m_pFrame->IsPaletteShown());
    EXPECT_EQ(213, ClientLeft(m_pFrame));
}
