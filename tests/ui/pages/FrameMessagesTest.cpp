// The main frame's own messages over real windows: block requests and the
// application model's change reports reaching the page windows, the
// arranging of the MDI windows, the window kind, the menu hints on the
// status line and the pop-ups prepared when they open.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "ClipboardProgram.h"
#include "PXCmdIds.h"
#include "PXMsgBox.h"
#include "PXUIMsg.h"
#include "UIApp.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "owl/TMDIChild.h"

#include <algorithm>
#include <cstring>

namespace
{
// A page window that records what the frame tells it.
class RecordingWindow : public TMDIChild, public UIMDIChild
{
public:
    RecordingWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage)
        : TMDIChild(*frame.GetClientWindow(), pPage ? pPage->GetName() : "page"), m_pProgram(pProgram),
          m_pPage(pPage)
    {
    }
    void ObjectChanged(UIObject* pObject, int nKind, int nFlags) override
    {
        events.push_back(Name(pObject) + " " + std::to_string(nKind) + "," + std::to_string(nFlags));
    }
    void ShowObject(UIObject* pObject, bool bSelect) override
    {
        events.push_back(std::string(bSelect ? "select " : "show ") + Name(pObject));
    }
    void LayoutPanes() override { events.push_back("layout"); }
    Program* GetProgram() const override { return m_pProgram; }
    Page* GetPage() const override { return m_pPage; }
    HWND GetHandle() const override { return HWindow; }
    int GetEditZoom() const override { return 100; }
    int GetSelectionCount() const override { return static_cast<int>(selection.size()); }
    UIObject* GetSelectedObject(int nIndex) const override { return selection[static_cast<size_t>(nIndex)]; }
    std::vector<UIObject*> selection;

    static std::string Name(UIObject* pObject)
    {
        PowerBlock* pBlock = dynamic_cast<PowerBlock*>(pObject);
        return pBlock ? pBlock->GetName() : "?";
    }
    std::vector<std::string> events;

private:
    Program* m_pProgram;
    Page* m_pPage;
};

std::vector<RecordingWindow*> g_made;

UIMDIChild* MakeRecordingWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage, const char*)
{
    RecordingWindow* pWindow = new RecordingWindow(frame, pProgram, pPage);
    if (!pWindow->Create())
    {
        delete pWindow;
        return nullptr;
    }
    g_made.push_back(pWindow);
    return pWindow;
}

// The message boxes shown, answered from a list (IDNO when it runs out).
struct BoxRecorder
{
    BoxRecorder() { pfnOld = PXSetMessageBoxHook(Record); s_pThis = this; }
    ~BoxRecorder()
    {
        PXSetMessageBoxHook(pfnOld);
        s_pThis = nullptr;
    }
    static int Record(HWND, const char* pszText, const char* pszCaption, UINT)
    {
        s_pThis->boxes.push_back(std::string(pszCaption ? pszCaption : "") + ": " + (pszText ? pszText : ""));
        if (s_pThis->answers.empty())
            return IDNO;
        int nAnswer = s_pThis->answers.front();
        s_pThis->answers.erase(s_pThis->answers.begin());
        return nAnswer;
    }
    std::vector<std::string> boxes;
    std::vector<int> answers;
    PXMessageBoxHook pfnOld;
    static BoxRecorder* s_pThis;
};
BoxRecorder* BoxRecorder::s_pThis = nullptr;
}

class FrameMessagesTest : public ModelTest
{
protected:
    FrameMessagesTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        g_made.clear();
        m_pfnOldFactory = UIMDIFrame::SetEditWindowFactory(MakeRecordingWindow);
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
        m_pFrame->SetStatusLine(&m_status);

        // A program of two pages: Main with blocks A and B, Sub1 with Start.
        m_pProgram.reset(NewProgram());
        m_pMain = m_pProgram->GetMainPage();
        m_pSub = new Page(m_pProgram.get(), "Sub1", PX_PAGE_SUPERBLOCK, 0);
        m_pProgram->AddPage(m_pSub);
        m_pA = AddBlock(m_pMain, 402, "A", 300, 200);
        m_pB = AddBlock(m_pMain, 402, "B", 300, 400);
        m_pStart = AddBlock(m_pSub, 402, "Start", 300, 200);
        ASSERT_TRUE(m_pA && m_pB && m_pStart);
    }
    void TearDown() override
    {
        m_pFrame->SetStatusLine(nullptr);
        for (int i = m_pFrame->GetChildCount() - 1; i >= 0; --i)
            m_pFrame->CloseChild(m_pFrame->GetChild(i));
        for (RecordingWindow* pWindow : g_made)
            delete pWindow;
        g_made.clear();
        UIMDIFrame::SetEditWindowFactory(m_pfnOldFactory);
        m_pProgram.reset();
        ModelTest::TearDown();
    }

    RecordingWindow* WindowOf(Page* pPage) const
    {
        return static_cast<RecordingWindow*>(m_pFrame->FindChildForPage(pPage));
    }
    LRESULT Request(const char* pszName, WORD nAction)
    {
        BlockRequest request;
        std::memset(&request, 0, sizeof(request));
        // A name of 128 characters fills the record without an end.
        std::memcpy(request.szBlock, pszName, std::min(std::strlen(pszName), sizeof(request.szBlock)));
        request.nAction = nAction;
        return SendMessageA(m_pFrame->HWindow, WM_UI_BLOCKREQUEST, 0, reinterpret_cast<LPARAM>(&request));
    }
    static bool HasFlag(PowerBlock* pBlock, long nFlag) { return (pBlock->GetFlags() & nFlag) != 0; }
    void ClearEvents()
    {
        for (RecordingWindow* pWindow : g_made)
            pWindow->events.clear();
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    UIMDIFrame::EditWindowFactory m_pfnOldFactory = nullptr;
    StatusRecorder m_status;
    std::unique_ptr<Program> m_pProgram;
    Page* m_pMain = nullptr;
    Page* m_pSub = nullptr;
    PowerBlock* m_pA = nullptr;
    PowerBlock* m_pB = nullptr;
    PowerBlock* m_pStart = nullptr;
};

TEST_F(FrameMessagesTest, ABlockRequestShowsAndSelectsTheBlockOnItsPage)
{
    m_pFrame->SetCurrentProgram(m_pProgram.get());
    // Page Sub1 has no window: one is opened and the block selected in it.
    EXPECT_EQ(0, Request("Sub1$Start", UI_BLOCKREQUEST_SHOW));
    RecordingWindow* pSub = WindowOf(m_pSub);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(std::vector<std::string>({"layout", "select Start"}), pSub->events);

    // A name without '$' is a block of "Main".
    EXPECT_EQ(0, Request("A", UI_BLOCKREQUEST_SHOW));
    RecordingWindow* pMain = WindowOf(m_pMain);
    ASSERT_NE(nullptr, pMain);
    EXPECT_EQ(std::vector<std::string>({"layout", "select A"}), pMain->events);

    // Page Sub1's window exists now: it is activated, not opened again.
    ClearEvents();
    EXPECT_EQ(0, Request("Sub1$Start", 1));
    EXPECT_EQ(2, m_pFrame->GetChildCount());
    EXPECT_EQ(pSub, m_pFrame->GetActiveEditWindow());
    EXPECT_EQ(std::vector<std::string>({"select Start"}), pSub->events);
    EXPECT_TRUE(pMain->events.empty());
}

TEST_F(FrameMessagesTest, BlockRequestsSetTheBreakpointAndCurrentBlockMarks)
{
    m_pFrame->SetCurrentProgram(m_pProgram.get());
    // (name, action, breakpoint on A, current mark on A, on B, marked block,
    //  what the windows are told)
    struct Case
    {
        const char* pszName;
        WORD nAction;
        bool bBreakA;
        bool bCurrentA;
        bool bCurrentB;
        char cMarked;   // the block marked current: 'A', 'B' or none (0)
        std::vector<std::string> events;
    } cases[] = {
        {"A", UI_BLOCKREQUEST_TOGGLE, true, false, false, 0, {"layout", "A 1,0"}},
        {"A", UI_BLOCKREQUEST_TOGGLE, false, false, false, 0, {"A 1,0"}},
        {"A", UI_BLOCKREQUEST_SET, true, false, false, 0, {"A 1,0"}},
        {"A", UI_BLOCKREQUEST_SET, true, false, false, 0, {"A 1,0"}},
        {"A", UI_BLOCKREQUEST_CLEAR, false, false, false, 0, {"A 1,0"}},
        {"A", UI_BLOCKREQUEST_MARK, false, true, false, 'A', {"show A", "A 1,0"}},
        {"B", UI_BLOCKREQUEST_MARK, false, false, true, 'B', {"A 1,0", "show B", "B 1,0"}},
        {"B", UI_BLOCKREQUEST_UNMARK, false, false, false, 0, {"B 1,0"}},
        // No block marked: nothing to clear.
        {"B", UI_BLOCKREQUEST_UNMARK, false, false, false, 0, {}},
        // Pages and blocks that do not exist end the request silently.
        {"Nowhere$A", UI_BLOCKREQUEST_SET, false, false, false, 0, {}},
        {"Missing", UI_BLOCKREQUEST_SET, false, false, false, 0, {}},
    };
    for (const Case& c : cases)
    {
        ClearEvents();
        EXPECT_EQ(0, Request(c.pszName, c.nAction));
        SCOPED_TRACE(std::string(c.pszName) + " action " + std::to_string(c.nAction));
        EXPECT_EQ(c.bBreakA, HasFlag(m_pA, PB_FLAG_BREAKPOINT));
        EXPECT_EQ(c.bCurrentA, HasFlag(m_pA, PB_FLAG_CURRENT));
        EXPECT_EQ(c.bCurrentB, HasFlag(m_pB, PB_FLAG_CURRENT));
        PowerBlock* pMarked = c.cMarked == 'A' ? m_pA : c.cMarked == 'B' ? m_pB : nullptr;
        EXPECT_EQ(pMarked, m_pFrame->GetMarkedBlock());
        RecordingWindow* pMain = WindowOf(m_pMain);
        ASSERT_NE(nullptr, pMain);
        EXPECT_EQ(c.events, pMain->events);
    }
    // The breakpoint actions leave the window that shows the page where
    // it is: Sub1's window stays active.
    Request("Sub1$Start", UI_BLOCKREQUEST_SHOW);
    RecordingWindow* pSub = WindowOf(m_pSub);
    ASSERT_EQ(pSub, m_pFrame->GetActiveEditWindow());
    Request("B", UI_BLOCKREQUEST_SET);
    EXPECT_EQ(pSub, m_pFrame->GetActiveEditWindow());
    EXPECT_TRUE(HasFlag(m_pB, PB_FLAG_BREAKPOINT));
}

TEST_F(FrameMessagesTest, TheMarkIsForgottenWhenItsBlockGoesAndNothingHappensWithoutAProgram)
{
    // No current program: nothing opens, nothing changes.
    EXPECT_EQ(0, Request("A", UI_BLOCKREQUEST_TOGGLE));
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    EXPECT_FALSE(HasFlag(m_pA, PB_FLAG_BREAKPOINT));
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_BLOCKREQUEST, 0, 0));

    m_pFrame->SetCurrentProgram(m_pProgram.get());
    Request("A", UI_BLOCKREQUEST_MARK);
    ASSERT_EQ(m_pA, m_pFrame->GetMarkedBlock());
    // The marked block's end tells the frame (wParam -1, no record); the
    // block keeps its flag.
    SendMessageA(m_pFrame->HWindow, WM_UI_BLOCKREQUEST, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(nullptr, m_pFrame->GetMarkedBlock());
    EXPECT_TRUE(HasFlag(m_pA, PB_FLAG_CURRENT));
    ClearEvents();
    Request("A", UI_BLOCKREQUEST_UNMARK);
    EXPECT_TRUE(HasFlag(m_pA, PB_FLAG_CURRENT));
    EXPECT_TRUE(WindowOf(m_pMain)->events.empty());
}

TEST_F(FrameMessagesTest, RequestNamesFillingTheWholeRecordAreReadWithinIt)
{
    m_pFrame->SetCurrentProgram(m_pProgram.get());
    // A record of 128 characters without an end, and a page name longer
    // than any page: read within the record, found nowhere.
    BlockRequest request;
    std::memset(request.szBlock, 'P', sizeof(request.szBlock));
    request.szBlock[100] = '$';
    request.nAction = UI_BLOCKREQUEST_SET;
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_BLOCKREQUEST, 0, reinterpret_cast<LPARAM>(&request)));
    std::string strLong(127, 'x');
    EXPECT_EQ(0, Request(("Sub1$" + strLong).c_str(), UI_BLOCKREQUEST_SET));
    // The page was found and opened; the block of the overlong name was
    // not, and no block got a mark.
    EXPECT_NE(nullptr, WindowOf(m_pSub));
    EXPECT_FALSE(HasFlag(m_pStart, PB_FLAG_BREAKPOINT));
    EXPECT_EQ(0, Request((std::string(90, 'S') + "$" + "Start").c_str(), UI_BLOCKREQUEST_SET));
    EXPECT_FALSE(HasFlag(m_pStart, PB_FLAG_BREAKPOINT));
}

TEST_F(FrameMessagesTest, ModelReportsReachTheWindowsOfTheirProgram)
{
    std::unique_ptr<Program> other(NewProgram());
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pSub);
    m_pFrame->OpenEditWindow(other.get(), other->GetMainPage());
    RecordingWindow* pMain = WindowOf(m_pMain);
    RecordingWindow* pSub = WindowOf(m_pSub);
    RecordingWindow* pOther = WindowOf(other->GetMainPage());
    ASSERT_TRUE(pMain && pSub && pOther);
    HWND hFrame = m_pFrame->HWindow;

    // Kind 1 for a block that agrees with the model: nobody is told.
    kvrBlockNotify report = {m_pProgram->GetHandle(), m_pA->GetHandle()};
    ClearEvents();
    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_MODELNOTIFY, 1, reinterpret_cast<LPARAM>(&report)));
    EXPECT_TRUE(pMain->events.empty());
    EXPECT_TRUE(pOther->events.empty());

    // Kind 8 redraws the block: every window is told once for the program
    // although two windows show it.
    ClearEvents();
    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_MODELNOTIFY, 8, reinterpret_cast<LPARAM>(&report)));
    const std::vector<std::string> redraw = {"A 3,2", "A 4,2"};
    EXPECT_EQ(redraw, pMain->events);
    EXPECT_EQ(redraw, pSub->events);
    EXPECT_EQ(redraw, pOther->events);

    // Kind 8 for a block the program does not have, or a program without
    // a window: nothing.
    kvrBlockNotify stranger = {m_pProgram->GetHandle(), other->GetMainPage()->GetHandle()};
    kvrBlockNotify noWindow = {nullptr, m_pA->GetHandle()};
    ClearEvents();
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 8, reinterpret_cast<LPARAM>(&stranger));
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 8, reinterpret_cast<LPARAM>(&noWindow));
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 1, 0);
    EXPECT_TRUE(pMain->events.empty());

    // Kind 7: every window of the program lays its panes out.
    ClearEvents();
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 7, reinterpret_cast<LPARAM>(m_pProgram->GetHandle()));
    EXPECT_EQ(std::vector<std::string>{"layout"}, pMain->events);
    EXPECT_EQ(std::vector<std::string>{"layout"}, pSub->events);
    EXPECT_TRUE(pOther->events.empty());

    // Kind 5: the text on the status line at level 0; kinds 2, 3, 4 and
    // those beyond 11 change nothing that shows.
    m_status.lines.clear();
    ClearEvents();
    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_MODELNOTIFY, 5, reinterpret_cast<LPARAM>("Reading the program.")));
    for (WPARAM nKind : {2, 3, 4, 12, 0})
        EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_MODELNOTIFY, nKind, 0));
    EXPECT_EQ(std::vector<std::string>{"0:Reading the program."}, m_status.lines);
    EXPECT_TRUE(pMain->events.empty());
    EXPECT_TRUE(pSub->events.empty());
}

TEST_F(FrameMessagesTest, PageReportsMakeTheProgramCurrentAndShowThePage)
{
    HWND hFrame = m_pFrame->HWindow;
    struct PageReport
    {
        kvrHandleType* hProgram;
        char szPage[86];
    };
    // Kind 9 for a program without a window: nothing happens.
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 9, reinterpret_cast<LPARAM>(m_pProgram->GetHandle()));
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentProgram());

    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pSub);
    m_pFrame->SetCurrentProgram(nullptr);
    // Kind 10 with a page that does not exist: the program becomes current,
    // nothing opens.
    PageReport report = {m_pProgram->GetHandle(), "Sub9"};
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 10, reinterpret_cast<LPARAM>(&report));
    EXPECT_EQ(m_pProgram.get(), m_pFrame->GetCurrentProgram());
    EXPECT_EQ(1, m_pFrame->GetChildCount());

    // Kind 9 opens the page "Main"; kind 10 activates Sub1's window.
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 9, reinterpret_cast<LPARAM>(m_pProgram->GetHandle()));
    ASSERT_NE(nullptr, WindowOf(m_pMain));
    EXPECT_EQ(WindowOf(m_pMain), m_pFrame->GetActiveEditWindow());
    std::strcpy(report.szPage, "Sub1");
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 10, reinterpret_cast<LPARAM>(&report));
    EXPECT_EQ(WindowOf(m_pSub), m_pFrame->GetActiveEditWindow());
    EXPECT_EQ(2, m_pFrame->GetChildCount());

    // A page name that fills its field without an end is read no further.
    std::memset(report.szPage, 'x', sizeof(report.szPage));
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 10, reinterpret_cast<LPARAM>(&report));
    EXPECT_EQ(2, m_pFrame->GetChildCount());
}

TEST_F(FrameMessagesTest, ArrangeTilesOrCascadesAndOtherwiseChangesNothing)
{
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pSub);
    HWND hMain = WindowOf(m_pMain)->HWindow;
    HWND hSub = WindowOf(m_pSub)->HWindow;
    // The MDI client arranges only the windows that show.
    ShowWindow(m_pFrame->HWindow, SW_SHOWNORMAL);
    SetWindowPos(m_pFrame->HWindow, nullptr, 0, 0, 640, 480, SWP_NOZORDER);
    ShowWindow(hMain, SW_RESTORE);
    ShowWindow(hSub, SW_RESTORE);
    SetWindowPos(hMain, nullptr, 5, 5, 100, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hSub, nullptr, 5, 5, 100, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    auto rectOf = [](HWND h) {
        RECT rc = {};
        GetWindowRect(h, &rc);
        return rc;
    };
    RECT rcBefore = rectOf(hSub);
    for (WPARAM n : {2, 3, 7})
    {
        EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_ARRANGE, n, 0));
        RECT rcNow = rectOf(hSub);
        EXPECT_TRUE(EqualRect(&rcBefore, &rcNow)) << n;
    }
    // Tiled: the two windows share the client without overlapping.
    SendMessageA(m_pFrame->HWindow, WM_UI_ARRANGE, 0, 0);
    RECT rcMain = rectOf(hMain), rcSub = rectOf(hSub), rcBoth = {};
    EXPECT_FALSE(IntersectRect(&rcBoth, &rcMain, &rcSub));
    // Cascaded: offset from each other, overlapping.
    SendMessageA(m_pFrame->HWindow, WM_UI_ARRANGE, 1, 0);
    rcMain = rectOf(hMain);
    rcSub = rectOf(hSub);
    EXPECT_TRUE(IntersectRect(&rcBoth, &rcMain, &rcSub));
    EXPECT_NE(rcMain.left, rcSub.left);
    // The Window menu's Tile goes the same way, through the MDI client.
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_TILE, 0);
    rcMain = rectOf(hMain);
    rcSub = rectOf(hSub);
    EXPECT_FALSE(IntersectRect(&rcBoth, &rcMain, &rcSub));
    // The frame's new size is kept as its size attributes.
    RECT rcFrame = {};
    GetClientRect(m_pFrame->HWindow, &rcFrame);
    EXPECT_EQ(rcFrame.right, m_pFrame->Attr.W);
    EXPECT_EQ(rcFrame.bottom, m_pFrame->Attr.H);

    EXPECT_EQ(UI_KIND_FRAME, SendMessageA(m_pFrame->HWindow, WM_UI_WINDOWKIND, 0, 0));
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_BLOCKCHANGED, 0, 0));
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_USER + 1102, 0, 0));
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_BUSYCURSOR, 0, reinterpret_cast<LPARAM>("'quiet")));
}

TEST_F(FrameMessagesTest, MenuHintsGoToTheStatusLineAndTheClosingMenuClearsIt)
{
    HMENU hBar = GetMenu(m_pFrame->HWindow);
    ASSERT_NE(nullptr, hBar);
    HMENU hFile = GetSubMenu(hBar, 0);
    HMENU hEdit = GetSubMenu(hBar, 1);
    HMENU hOutputs = GetSubMenu(hEdit, 6);
    ASSERT_NE(nullptr, hOutputs);
    HWND hFrame = m_pFrame->HWindow;
    const struct
    {
        UINT nItem;
        UINT nFlags;
        HMENU hMenu;
        const char* pszLine;
    } cases[] = {
        // The Open item of the File menu.
        {CM_FILEOPEN, MF_HILITE, hFile, "0:Open an existing application."},
        // A pop-up item: the text of the bar's pop-up holding it.
        {6, MF_POPUP | MF_HILITE, hEdit, "0:Program editing operations."},
        // A separator and the closing of the menu clear the line.
        {0, MF_SEPARATOR, hFile, "0:"},
        {0, 0xFFFF, nullptr, "0:"},
    };
    for (const auto& c : cases)
    {
        m_status.lines.clear();
        SendMessageA(hFrame, WM_MENUSELECT, MAKEWPARAM(c.nItem, c.nFlags), reinterpret_cast<LPARAM>(c.hMenu));
        EXPECT_EQ(std::vector<std::string>{c.pszLine}, m_status.lines) << c.nItem;
    }
    // A pop-up of the bar itself highlighted: the line stays.
    m_status.lines.clear();
    SendMessageA(hFrame, WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(hBar));
    EXPECT_TRUE(m_status.lines.empty());
    // The mouse over the frame's border clears the line.
    SendMessageA(hFrame, WM_NCMOUSEMOVE, HTBORDER, 0);
    EXPECT_EQ(std::vector<std::string>{"0:"}, m_status.lines);
}

TEST_F(FrameMessagesTest, TheLevelPopupsAreRebuiltWithTheirChecksWhenTheyOpen)
{
    HMENU hBar = GetMenu(m_pFrame->HWindow);
    HMENU hOptions = GetSubMenu(hBar, 3);
    HMENU hDiag = GetSubMenu(hOptions, 4);
    HMENU hLog = GetSubMenu(hOptions, 5);
    ASSERT_TRUE(hDiag && hLog);
    m_app.SetDiagLevel(4);
    m_app.SetLogLevel(3);
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hDiag), MAKELPARAM(4, FALSE));
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hLog), MAKELPARAM(5, FALSE));
    auto items = [](HMENU hMenu) {
        std::vector<std::string> v;
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
        {
            char sz[32] = "";
            GetMenuStringA(hMenu, i, sz, sizeof(sz), MF_BYPOSITION);
            bool bChecked = (GetMenuState(hMenu, i, MF_BYPOSITION) & MF_CHECKED) != 0;
            v.push_back(std::to_string(GetMenuItemID(hMenu, i)) + " " + sz + (bChecked ? " *" : ""));
        }
        return v;
    };
    EXPECT_EQ(std::vector<std::string>({"4253 None", "4250 Low", "4251 Medium *", "4252 High"}), items(hDiag));
    EXPECT_EQ(std::vector<std::string>({"4254 Low", "4255 Medium", "4256 High *"}), items(hLog));

    // Opened again after a change: rebuilt, not added to.
    m_app.SetDiagLevel(1);
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hDiag), MAKELPARAM(4, FALSE));
    EXPECT_EQ(std::vector<std::string>({"4253 None *", "4250 Low", "4251 Medium", "4252 High"}), items(hDiag));

    // The Hide/Show Outputs pop-up without a selected block.
    HMENU hOutputs = GetSubMenu(GetSubMenu(hBar, 1), 6);
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hOutputs), MAKELPARAM(6, FALSE));
    ASSERT_EQ(1, GetMenuItemCount(hOutputs));
    EXPECT_EQ(static_cast<UINT>(CM_NOBLOCKSELECTED), GetMenuItemID(hOutputs, 0));
    EXPECT_TRUE(GetMenuState(hOutputs, 0, MF_BYPOSITION) & MF_GRAYED);
    // The system menu is left alone.
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hDiag), MAKELPARAM(4, TRUE));
    EXPECT_EQ(4, GetMenuItemCount(hDiag));
}

TEST_F(FrameMessagesTest, TheBreakpointTextHoldsEverySelectedNameHoweverLong)
{
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pSub);
    m_pFrame->SetCurrentPage(m_pSub);
    RecordingWindow* pSub = WindowOf(m_pSub);
    ASSERT_NE(nullptr, pSub);
    // Forty blocks of the longest names on page Sub1: more than a
    // 1024-character text would hold.
    std::string strExpected;
    for (int i = 0; i < 40; ++i)
    {
        char szName[KVR_MAX_BLOCK_NAME + 1];
        std::snprintf(szName, sizeof(szName), "%0*d", KVR_MAX_BLOCK_NAME, i);
        PowerBlock* pBlock = AddBlock(m_pSub, 402, szName, 100 + 200 * (i % 8), 600 + 200 * (i / 8));
        ASSERT_NE(nullptr, pBlock);
        pSub->selection.push_back(pBlock);
        strExpected += std::string("Sub1$") + szName + '\4';
    }
    ASSERT_GT(strExpected.size(), 1024u);
    EXPECT_EQ(strExpected, m_pFrame->BreakpointText());

    // On the page "Main" the names stand alone.
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    m_pFrame->SetCurrentPage(m_pMain);
    RecordingWindow* pMain = WindowOf(m_pMain);
    pMain->selection = {m_pA, m_pB};
    EXPECT_EQ(std::string("A\4B\4"), m_pFrame->BreakpointText());
    // The command itself changes nothing that shows.
    ClearEvents();
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_TOGGLEBREAKPOINTS, 0);
    EXPECT_TRUE(pMain->events.empty());
    EXPECT_FALSE(HasFlag(m_pA, PB_FLAG_BREAKPOINT));
}

TEST_F(FrameMessagesTest, RunProgramOffersARebuildForAnOlderRunFileWithBothFullPaths)
{
    EXPECT_EQ("C:\\apps\\ORDERS.run", UIMDIFrame::RunFilePath("C:\\apps\\ORDERS.ed"));
    EXPECT_EQ("C:\\a.b\\ORDERS.run", UIMDIFrame::RunFilePath("C:\\a.b\\ORDERS"));

    BoxRecorder boxes;
    // No page window: the hint on the status line, no question.
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_RUNPROGRAM, 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(std::vector<std::string>{"3:Select window containing a program before executing this command."},
              m_status.lines);

    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    // An unsaved program: told, then saved; without a frame that saves,
    // the command stops.
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_RUNPROGRAM, 0);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Plexwright: You need to save and build the program before you run it.", boxes.boxes[0]);

    // A program file whose run file is missing, both paths of 250
    // characters: the question holds them whole.
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    std::string strDir = std::string(szTemp) + std::string(250 - std::strlen(szTemp) - 5, 'd');
    std::string strProgram = strDir + "\\P.ed";
    std::string strRun = strDir + "\\P.run";
    ASSERT_EQ(250u, strProgram.size());
    // The program file exists; the missing run file counts as older.
    ASSERT_TRUE(CreateDirectoryA(strDir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE hFile = CreateFileA(strProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD dwWritten = 0;
    WriteFile(hFile, "x", 1, &dwWritten, nullptr);
    CloseHandle(hFile);
    m_pProgram->SetName(strProgram.c_str());
    // Page Sub1 is not finished: it has no End block.
    ASSERT_EQ(0, m_pProgram->AllPagesFinished(0));
    boxes.boxes.clear();
    boxes.answers = {IDYES, IDNO};
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_RUNPROGRAM, 0);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("Warning!: The Run File You Requested To Run, " + strRun +
                  ", Is Older Than Its Coresponding Ed File, " + strProgram +
                  ".Would You Like To Rebuild The Program?",
              boxes.boxes[0]);
    // A rebuild of a program with unfinished pages asks once more.
    EXPECT_EQ("Plexwright: The program contains incomplete ZirirAradur.  Would you like to build anyway?",
              boxes.boxes[1]);

    // A run file newer than the program: no question, no rebuild.
    hFile = CreateFileA(strRun.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    FILETIME ftNow = {};
    GetSystemTimeAsFileTime(&ftNow);
    ULARGE_INTEGER later;
    later.LowPart = ftNow.dwLowDateTime;
    later.HighPart = ftNow.dwHighDateTime;
    later.QuadPart += 10000000ULL * 60;
    FILETIME ftLater = {later.LowPart, later.HighPart};
    SetFileTime(hFile, nullptr, nullptr, &ftLater);
    CloseHandle(hFile);
    boxes.boxes.clear();
    SendMessageA(m_pFrame->HWindow, WM_COMMAND, CM_RUNPROGRAM, 0);
    EXPECT_TRUE(boxes.boxes.empty());

    DeleteFileA(strRun.c_str());
    DeleteFileA(strProgram.c_str());
    RemoveDirectoryA(strDir.c_str());
    m_pProgram->SetName("Untitled");
}

TEST_F(FrameMessagesTest, OpeningAProgramThatAWindowShowsMakesItCurrent)
{
    m_pProgram->SetName("C:\\apps\\Orders.ed");
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pSub);
    ASSERT_EQ(WindowOf(m_pSub), m_pFrame->GetActiveEditWindow());
    m_pFrame->SetCurrentProgram(nullptr);
    HWND hFrame = m_pFrame->HWindow;

    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_OPENPROGRAM, 0, 0));
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentProgram());

    // The same file name in other letters and another folder: the program
    // of the windows becomes current and its main page's window active.
    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_OPENPROGRAM, 0, reinterpret_cast<LPARAM>("D:\\other\\ORDERS.ED")));
    EXPECT_EQ(m_pProgram.get(), m_pFrame->GetCurrentProgram());
    EXPECT_EQ(WindowOf(m_pMain), m_pFrame->GetActiveEditWindow());
    EXPECT_EQ(2, m_pFrame->GetChildCount());

    // A file that cannot be loaded opens nothing; the loader says why.
    BoxRecorder boxes;
    SendMessageA(hFrame, WM_UI_OPENPROGRAM, 0, reinterpret_cast<LPARAM>("C:\\nowhere\\MISSING.ed"));
    EXPECT_EQ(2, m_pFrame->GetChildCount());
    EXPECT_EQ(m_pProgram.get(), m_pFrame->GetCurrentProgram());
}

TEST_F(FrameMessagesTest, ABlockWhoseConnectionsChangedInTheModelIsRedrawnWithThem)
{
    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    RecordingWindow* pMain = WindowOf(m_pMain);
    ASSERT_NE(nullptr, pMain);
    ASSERT_EQ(nullptr, m_pA->FindGoto("1"));
    // The model connects A's first output to B behind the editor's back.
    ASSERT_EQ(0, kvrCreateGoto(m_pA->GetHandle(), m_pB->GetHandle(), 0));
    kvrBlockNotify report = {m_pProgram->GetHandle(), m_pA->GetHandle()};
    ClearEvents();
    EXPECT_EQ(0, SendMessageA(m_pFrame->HWindow, WM_UI_MODELNOTIFY, 1, reinterpret_cast<LPARAM>(&report)));
    EXPECT_EQ((std::vector<std::string>{"A 3,2", "A 4,2"}), pMain->events);
    Goto* pLine = m_pA->FindGoto("1");
    ASSERT_NE(nullptr, pLine);
    EXPECT_EQ(m_pB, pLine->GetTarget());
    // Told again, the block agrees: nobody hears of it.
    ClearEvents();
    SendMessageA(m_pFrame->HWindow, WM_UI_MODELNOTIFY, 1, reinterpret_cast<LPARAM>(&report));
    EXPECT_TRUE(pMain->events.empty());
}

TEST_F(FrameMessagesTest, LibraryReportsRefreshTheIconsOfEachWindowsProgramOrTheClipboard)
{
    std::unique_ptr<Program> other(NewProgram());
    ClipboardProgram* pClip = GetClipboardProgram();
    ASSERT_NE(nullptr, pClip);
    ASSERT_NE(0, kvrImportRLL(m_pProgram->GetHandle(), "Orders.12", nullptr));
    ASSERT_NE(0, kvrImportRLL(other->GetHandle(), "Billing.7", nullptr));
    ASSERT_NE(0, kvrImportRLL(pClip->GetHandle(), "Stock.3", nullptr));
    HWND hFrame = m_pFrame->HWindow;

    // Without a window nothing is refreshed, not even the clipboard.
    kvrHandleType* hClip = pClip->GetHandle();
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 11, reinterpret_cast<LPARAM>(&hClip));
    EXPECT_TRUE(pClip->GetLibraryGroups().isEmpty());

    m_pFrame->OpenEditWindow(m_pProgram.get(), m_pMain);
    kvrHandleType* hProgram = m_pProgram->GetHandle();
    kvrHandleType* hOther = other->GetHandle();
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 11, reinterpret_cast<LPARAM>(&hOther));
    EXPECT_TRUE(other->GetLibraryGroups().isEmpty());
    EXPECT_TRUE(m_pProgram->GetLibraryGroups().isEmpty());
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 11, reinterpret_cast<LPARAM>(&hProgram));
    EXPECT_FALSE(m_pProgram->GetLibraryGroups().isEmpty());
    SendMessageA(hFrame, WM_UI_MODELNOTIFY, 11, reinterpret_cast<LPARAM>(&hClip));
    EXPECT_FALSE(pClip->GetLibraryGroups().isEmpty());
    EXPECT_EQ(0, SendMessageA(hFrame, WM_UI_MODELNOTIFY, 11, 0));
    pClip->Clear();
}
