// The window wrapper: binding at the first message, the handle table, the
// dispatch of messages and notifications to the handlers, device contexts.
#include "WindowTestSupport.h"
#include "PXBitmap.h"
#include "PXBrush.h"
#include "PXUIMsg.h"

#include <commctrl.h>
#include <memory>

namespace {

// Records every handler call as text.
class RecWnd : public PXWnd
{
public:
    // A test that stops early still leaves no window behind its object.
    ~RecWnd() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    std::vector<std::string> calls;
    HWND hWndAtCreate = nullptr;
    bool bBoundAtCreate = false;

    void Log(const char* pszFormat, ...)
    {
        char sz[128];
        va_list args;
        va_start(args, pszFormat);
        wvsprintfA(sz, pszFormat, args);
        va_end(args);
        calls.push_back(sz);
    }

    LRESULT OnCreate(LPARAM) override
    {
        hWndAtCreate = m_hWnd;
        bBoundAtCreate = PXWndImpl::FromHandle(m_hWnd) == this;
        Log("OnCreate");
        return 0;
    }
    void OnClose() override { Log("OnClose"); }
    void OnSpare(int n) override { Log("OnSpare %d", n); }
    void OnLButtonDown(UINT k, int x, int y) override { Log("OnLButtonDown %u %d %d", k, x, y); }
    void OnLButtonDblClk(UINT k, int x, int y) override { Log("OnLButtonDblClk %u %d %d", k, x, y); }
    void OnLButtonUp(UINT k, int x, int y) override { Log("OnLButtonUp %u %d %d", k, x, y); }
    void OnMouseMove(UINT k, int x, int y) override { Log("OnMouseMove %u %d %d", k, x, y); }
    LRESULT OnNcHitTest(int x, int y) override
    {
        Log("OnNcHitTest %d %d", x, y);
        return HTCAPTION;
    }
    void OnPaint() override
    {
        PAINTSTRUCT ps;
        BeginPaint(m_hWnd, &ps);
        EndPaint(m_hWnd, &ps);
        Log("OnPaint");
    }
    void OnSize(UINT t, int cx, int cy) override { Log("OnSize %u %d %d", t, cx, cy); }
    void OnListBeginDrag(NMHDR* p) override { Log("OnListBeginDrag %d", static_cast<int>(p->code)); }
    void OnTabSelChange() override { Log("OnTabSelChange"); }
    void OnAddItem(LPARAM l) override { Log("OnAddItem %d", static_cast<int>(l)); }
    void OnRemoveAllItems() override { Log("OnRemoveAllItems"); }
    void OnAddTab(WPARAM w, LPARAM l) override { Log("OnAddTab %d %d", static_cast<int>(w), static_cast<int>(l)); }
    void OnSelectTab(WPARAM w) override { Log("OnSelectTab %d", static_cast<int>(w)); }
    void OnRemoveAll() override { Log("OnRemoveAll"); }
};

// The base class's behaviour, with the same safety on early stops.
class BaseWnd : public PXWnd
{
public:
    ~BaseWnd() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

HWND MakeChild(PXWnd& wnd, HWND hParent, const char* pszClass = nullptr)
{
    wnd.Create(0, pszClass ? pszClass : PXTestWndClass(), "child", WS_CHILD, 0, 0, 100, 80,
               hParent, nullptr, nullptr);
    return wnd.m_hWnd;
}

void Destroy(PXWnd& wnd)
{
    if (wnd.m_hWnd)
        wnd.DestroyWindow();
    FlushMessages();
}

LPARAM Pos(int x, int y)
{
    return MAKELPARAM(x, y);
}

} // namespace

// ------------------------------------------------------------------ binding

TEST(PXWndBinding, ChildIsBoundAtNcCreateBeforeAnyHandlerRuns)
{
    TestParent parent;
    int nTable = PXWndImpl::GetTableCount();
    RecWnd wnd;
    MessageRecorder rec;
    HWND h = MakeChild(wnd, parent.m_hWnd);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(h, wnd.hWndAtCreate);
    EXPECT_TRUE(wnd.bBoundAtCreate);
    EXPECT_EQ(&wnd, PXWndImpl::FromHandle(h));
    EXPECT_EQ(nTable + 1, PXWndImpl::GetTableCount());
    EXPECT_EQ(PXWnd::GetInstanceHandle(), GetModuleHandleA(nullptr));

    std::vector<RecordedMsg> msgs;
    for (const RecordedMsg& m : rec.msgs)
        if (m.hWnd == h)
            msgs.push_back(m);
    ASSERT_GE(msgs.size(), 2u);
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), msgs[0].nMsg);
    EXPECT_FALSE(msgs[0].bBound);    // the first message binds
    for (size_t i = 1; i < msgs.size(); i++)
        EXPECT_TRUE(msgs[i].bBound) << "message " << msgs[i].nMsg;

    Destroy(wnd);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, PXWndImpl::FromHandle(h));
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
    std::vector<UINT> seq = rec.For(h);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), seq.back());
}

TEST(PXWndBinding, TopLevelWindowIsBoundAtGetMinMaxInfo)
{
    TestParent parent;
    RecWnd wnd;
    MessageRecorder rec;
    wnd.Create(0, PXTestWndClass(), "frame", WS_OVERLAPPEDWINDOW, 20, 20, 200, 150,
               parent.m_hWnd, nullptr, nullptr);
    ASSERT_NE(nullptr, wnd.m_hWnd);
    std::vector<UINT> seq = rec.For(wnd.m_hWnd);
    ASSERT_GE(seq.size(), 3u);
    EXPECT_EQ(static_cast<UINT>(WM_GETMINMAXINFO), seq[0]);
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), seq[1]);
    EXPECT_FALSE(rec.msgs[0].bBound);
    EXPECT_TRUE(rec.msgs[1].bBound);
    EXPECT_TRUE(wnd.bBoundAtCreate);
    Destroy(wnd);
}

TEST(PXWndBinding, SameObjectCreatesAgainAfterDestruction)
{
    TestParent parent;
    int nTable = PXWndImpl::GetTableCount();
    RecWnd wnd;
    for (int i = 0; i < 5; i++)
    {
        HWND h = MakeChild(wnd, parent.m_hWnd);
        ASSERT_NE(nullptr, h);
        EXPECT_EQ(&wnd, PXWndImpl::FromHandle(h));
        EXPECT_EQ(nTable + 1, PXWndImpl::GetTableCount());
        Destroy(wnd);
        EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
    }
}

TEST(PXWndBinding, FailedCreateLeavesNoCreationPending)
{
    TestParent parent;
    RecWnd wnd;
    EXPECT_EQ(0, wnd.Create(0, "PXNOSUCHCLASS", "x", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                            nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, PXWndImpl::m_pNextWndToConnect);
    // The next creation, by this or another object, works.
    RecWnd other;
    HWND h = MakeChild(other, parent.m_hWnd);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(&other, PXWndImpl::FromHandle(h));
    HWND h2 = MakeChild(wnd, parent.m_hWnd);
    ASSERT_NE(nullptr, h2);
    EXPECT_EQ(&wnd, PXWndImpl::FromHandle(h2));
    Destroy(other);
    Destroy(wnd);
}

TEST(PXWndBinding, TableGrowsBeyondTenWindows)
{
    TestParent parent;
    int nTable = PXWndImpl::GetTableCount();
    const int kWindows = 25;
    std::vector<std::unique_ptr<RecWnd>> wnds;
    for (int i = 0; i < kWindows; i++)
    {
        wnds.emplace_back(new RecWnd);
        ASSERT_NE(nullptr, MakeChild(*wnds.back(), parent.m_hWnd)) << "window " << i;
    }
    EXPECT_EQ(nTable + kWindows, PXWndImpl::GetTableCount());
    // Every window still reaches its own object.
    for (int i = 0; i < kWindows; i++)
    {
        EXPECT_EQ(wnds[i].get(), PXWndImpl::FromHandle(wnds[i]->m_hWnd));
        SendMessageA(wnds[i]->m_hWnd, WM_PLT_SELECTTAB, i, 0);
        ASSERT_FALSE(wnds[i]->calls.empty());
        char sz[32];
        wsprintfA(sz, "OnSelectTab %d", i);
        EXPECT_EQ(sz, wnds[i]->calls.back());
    }
    // Destroyed out of order, the others keep their bindings.
    for (int i = 0; i < kWindows; i += 2)
        Destroy(*wnds[i]);
    for (int i = 1; i < kWindows; i += 2)
        EXPECT_EQ(wnds[i].get(), PXWndImpl::FromHandle(wnds[i]->m_hWnd));
    for (int i = 1; i < kWindows; i += 2)
        Destroy(*wnds[i]);
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
}

TEST(PXWndBinding, DestroyingTheParentUnbindsItsChildren)
{
    int nTable = PXWndImpl::GetTableCount();
    RecWnd a, b;
    {
        TestParent parent;
        MakeChild(a, parent.m_hWnd);
        MakeChild(b, parent.m_hWnd);
        EXPECT_EQ(nTable + 2, PXWndImpl::GetTableCount());
    }
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(nullptr, b.m_hWnd);
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
}

TEST(PXWndBinding, WindowOfAnotherProcedureIsOnlyStored)
{
    TestParent parent;
    int nTable = PXWndImpl::GetTableCount();
    BaseWnd wnd;
    HWND h = MakeChild(wnd, parent.m_hWnd, "STATIC");
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(nullptr, PXWndImpl::FromHandle(h));
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
    Destroy(wnd);
}

TEST(PXWndBinding, UnknownWindowsFirstMessageMustCreate)
{
    TestParent parent;
    CallbackFailures failures;
    HWND hStatic = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hStatic);
    EXPECT_EQ(0, PXWndImpl::WindowProc(hStatic, WM_PAINT, 0, 0));
    ASSERT_EQ(1u, failures.exprs.size());
    EXPECT_EQ("(0)", failures.exprs[0]);
    // A creation message with no object pending.
    PXWndImpl::WindowProc(hStatic, WM_NCCREATE, 0, 0);
    ASSERT_EQ(2u, failures.exprs.size());
    EXPECT_EQ("(pWnd!=0)", failures.exprs[1]);
    DestroyWindow(hStatic);
}

TEST(PXWndBinding, CreatePreconditions)
{
    RecWnd wnd;
    EXPECT_PXASSERT(wnd.Create(0, PXTestWndClass(), "x", WS_CHILD, 0, 0, 5, 5,
                               reinterpret_cast<HWND>(0x7654), nullptr, nullptr),
                    "(::IsWindow(hwndParent))");
    EXPECT_EQ(nullptr, PXWndImpl::m_pNextWndToConnect);
}

TEST(PXWndBinding, DesktopWrapperIsMadeOnceOutsideTheTable)
{
    int nTable = PXWndImpl::GetTableCount();
    PXWnd* pDesk = PXWnd::GetDesktopWindow();
    ASSERT_NE(nullptr, pDesk);
    EXPECT_EQ(GetDesktopWindow(), pDesk->m_hWnd);
    EXPECT_EQ(pDesk, PXWnd::GetDesktopWindow());
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
}

// ----------------------------------------------------------------- dispatch

struct DispatchCase
{
    const char* name;
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    const char* call;       // the handler call expected, or null for none
    LRESULT lResult;
};

TEST(PXWndDispatch, MessagesReachTheirHandlers)
{
    static NMHDR tabSel = { nullptr, 999, static_cast<UINT>(-551) };
    static NMHDR beginDrag = { nullptr, 997, static_cast<UINT>(-109) };
    static NMHDR click = { nullptr, 997, static_cast<UINT>(NM_CLICK) };
    const DispatchCase cases[] = {
        { "size", WM_SIZE, SIZE_RESTORED, Pos(120, 80), "OnSize 0 120 80", 0 },
        { "size maximised", WM_SIZE, SIZE_MAXIMIZED, Pos(640, 480), "OnSize 2 640 480", 0 },
        { "close", WM_CLOSE, 0, 0, "OnClose", 0 },
        { "hit test left of the screen", WM_NCHITTEST, 0, Pos(-5, 20), "OnNcHitTest -5 20", HTCAPTION },
        { "hit test", WM_NCHITTEST, 0, Pos(300, 200), "OnNcHitTest 300 200", HTCAPTION },
        { "mouse move", WM_MOUSEMOVE, MK_LBUTTON, Pos(-3, -7), "OnMouseMove 1 -3 -7", 0 },
        { "button down", WM_LBUTTONDOWN, MK_LBUTTON, Pos(10, 12), "OnLButtonDown 1 10 12", 0 },
        { "button up above", WM_LBUTTONUP, 0, Pos(10, -2), "OnLButtonUp 0 10 -2", 0 },
        { "double click", WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, Pos(4, 5), "OnLButtonDblClk 5 4 5", 0 },
        { "tab selection", WM_NOTIFY, 999, reinterpret_cast<LPARAM>(&tabSel), "OnTabSelChange", 0 },
        { "list begin drag", WM_NOTIFY, 997, reinterpret_cast<LPARAM>(&beginDrag), "OnListBeginDrag -109", 0 },
        { "other notification", WM_NOTIFY, 997, reinterpret_cast<LPARAM>(&click), nullptr, 0 },
        { "add item", WM_PLT_ADDITEM, 0, 1234, "OnAddItem 1234", 0 },
        { "clear items", WM_PLT_CLEARITEMS, 0, 0, "OnRemoveAllItems", 0 },
        { "add tab", WM_PLT_ADDTAB, 7, 99, "OnAddTab 7 99", 0 },
        { "select tab", WM_PLT_SELECTTAB, 3, 0, "OnSelectTab 3", 0 },
        { "clear all", WM_PLT_CLEARALL, 0, 0, "OnRemoveAll", 0 },
        { "unused palette number", WM_USER + 205, 0, 0, nullptr, 0 },
        { "drop goes to page panes", WM_PLT_DROP, 0, 0, nullptr, 0 },
        { "tab selected goes to the frame", WM_PLT_TABSELECTED, 0, 0, nullptr, 0 },
        { "window kind", WM_UI_WINDOWKIND, 0, 0, nullptr, 0 },
    };
    TestParent parent;
    RecWnd wnd;
    ASSERT_NE(nullptr, MakeChild(wnd, parent.m_hWnd));
    CallbackFailures failures;
    for (const DispatchCase& c : cases)
    {
        wnd.calls.clear();
        LRESULT lR = SendMessageA(wnd.m_hWnd, c.nMsg, c.wParam, c.lParam);
        EXPECT_EQ(c.lResult, lR) << c.name;
        if (c.call)
        {
            ASSERT_EQ(1u, wnd.calls.size()) << c.name;
            EXPECT_EQ(c.call, wnd.calls[0]) << c.name;
        }
        else
        {
            EXPECT_TRUE(wnd.calls.empty()) << c.name << ": " << (wnd.calls.empty() ? "" : wnd.calls[0]);
        }
    }
    EXPECT_TRUE(failures.exprs.empty());
    Destroy(wnd);
}

TEST(PXWndDispatch, PaintReachesOnPaint)
{
    TestParent parent;
    RecWnd wnd;
    MakeChild(wnd, parent.m_hWnd);
    ShowWindow(parent.m_hWnd, SW_SHOWNA);
    ShowWindow(wnd.m_hWnd, SW_SHOWNA);
    wnd.calls.clear();
    wnd.Invalidate(TRUE);
    UpdateWindow(wnd.m_hWnd);
    ASSERT_FALSE(wnd.calls.empty());
    EXPECT_EQ("OnPaint", wnd.calls.back());
    Destroy(wnd);
}

TEST(PXWndDispatch, BaseClassRefusesNotificationsItDoesNotHandle)
{
    static NMHDR tabSel = { nullptr, 999, static_cast<UINT>(-551) };
    static NMHDR beginDrag = { nullptr, 997, static_cast<UINT>(-109) };
    const struct { UINT nMsg; LPARAM lParam; } cases[] = {
        { WM_NOTIFY, reinterpret_cast<LPARAM>(&tabSel) },
        { WM_NOTIFY, reinterpret_cast<LPARAM>(&beginDrag) },
        { WM_PLT_ADDITEM, 0 },
        { WM_PLT_CLEARITEMS, 0 },
        { WM_PLT_ADDTAB, 0 },
        { WM_PLT_SELECTTAB, 0 },
        { WM_PLT_CLEARALL, 0 },
    };
    TestParent parent;
    BaseWnd wnd;
    MakeChild(wnd, parent.m_hWnd);
    CallbackFailures failures;
    for (const auto& c : cases)
    {
        size_t n = failures.exprs.size();
        SendMessageA(wnd.m_hWnd, c.nMsg, 0, c.lParam);
        ASSERT_EQ(n + 1, failures.exprs.size()) << "message " << c.nMsg;
        EXPECT_EQ("(0)", failures.exprs.back());
    }
    // The window survives and still answers.
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
    Destroy(wnd);
}

TEST(PXWndDispatch, BaseHandlersFallBackToTheDefaultProcedure)
{
    TestParent parent;
    BaseWnd wnd;
    wnd.Create(0, PXTestWndClass(), "base", WS_POPUP, 100, 100, 50, 40, parent.m_hWnd, nullptr,
               nullptr);
    ASSERT_NE(nullptr, wnd.m_hWnd);
    RECT rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(HTCLIENT, wnd.SendMessage(WM_NCHITTEST, 0, Pos(rc.left + 10, rc.top + 10)));
    EXPECT_EQ(HTNOWHERE, wnd.SendMessage(WM_NCHITTEST, 0, Pos(rc.left - 5, rc.top + 10)));
    // The default close destroys the window, which unbinds it.
    int nTable = PXWndImpl::GetTableCount();
    HWND h = wnd.m_hWnd;
    wnd.SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nTable - 1, PXWndImpl::GetTableCount());
}

TEST(PXWndDispatch, TabControlSelectionReachesTheParentObject)
{
    TestParent parent;
    RecWnd host;
    host.Create(0, PXTestWndClass(), "host", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                parent.m_hWnd, nullptr, nullptr);
    ShowWindow(parent.m_hWnd, SW_SHOWNA);
    InitCommonControls();
    HWND hTab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 100,
                                host.m_hWnd, reinterpret_cast<HMENU>(999),
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hTab);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("One");
    SendMessageA(hTab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("Two");
    SendMessageA(hTab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    RECT rcTab;
    SendMessageA(hTab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcTab));
    host.calls.clear();
    LPARAM lPos = Pos((rcTab.left + rcTab.right) / 2, (rcTab.top + rcTab.bottom) / 2);
    SendMessageA(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
    SendMessageA(hTab, WM_LBUTTONUP, 0, lPos);
    FlushMessages();
    EXPECT_EQ(1, SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
    int nSelChanges = 0;
    for (const std::string& call : host.calls)
        nSelChanges += call == "OnTabSelChange";
    EXPECT_EQ(1, nSelChanges);
    Destroy(host);
}

// -------------------------------------------------------- window operations

TEST(PXWndOps, GeometryAndConversions)
{
    TestParent parent;
    BaseWnd wnd;
    wnd.Create(0, PXTestWndClass(), "ops", WS_CHILD, 10, 20, 100, 80, parent.m_hWnd, nullptr,
               nullptr);
    RECT rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(100, rc.right);
    EXPECT_EQ(80, rc.bottom);
    RECT rcMove = { 5, 6, 65, 46 };
    EXPECT_TRUE(wnd.MoveWindow(&rcMove, FALSE));
    wnd.GetClientRect(&rc);
    EXPECT_EQ(60, rc.right);
    EXPECT_EQ(40, rc.bottom);
    EXPECT_TRUE(wnd.SetWindowPos(nullptr, 1, 2, 30, 20, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_PXASSERT(wnd.SetWindowPos(HWND_TOP, 1, 2, 30, 20, SWP_NOACTIVATE), "(nFlags&0x0004)");

    POINT pt = { 0, 0 };
    wnd.ClientToScreen(&pt);
    RECT rcWin;
    wnd.GetWindowRect(&rcWin);
    EXPECT_EQ(rcWin.left, pt.x);
    EXPECT_EQ(rcWin.top, pt.y);
    RECT rcConv = rcWin;
    wnd.ScreenToClient(&rcConv);
    EXPECT_EQ(0, rcConv.left);
    EXPECT_EQ(0, rcConv.top);
    EXPECT_EQ(30, rcConv.right);
    EXPECT_EQ(20, rcConv.bottom);

    BaseWnd other;
    other.Create(0, PXTestWndClass(), "other", WS_CHILD, 0, 0, 200, 200, parent.m_hWnd, nullptr,
                 nullptr);
    wnd.SetParent(&other);
    EXPECT_EQ(other.m_hWnd, GetParent(wnd.m_hWnd));
    BaseWnd none;
    EXPECT_PXASSERT(wnd.SetParent(&none), "(::IsWindow(pWndNewParent->m_hWnd))");
    EXPECT_PXASSERT(none.SendMessage(WM_NULL), "(::IsWindow(m_hWnd))");
    EXPECT_PXASSERT(none.DestroyWindow(), "(::IsWindow(m_hWnd))");
    Destroy(wnd);
    Destroy(other);
}

// ---------------------------------------------------------- device contexts

TEST(PXWndDC, WindowContextIsCachedUntilReleased)
{
    TestParent parent;
    BaseWnd wnd;
    MakeChild(wnd, parent.m_hWnd);
    PXDC* pDC = wnd.GetDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_NE(nullptr, pDC->m_hDC);
    EXPECT_EQ(pDC, wnd.GetDC());
    EXPECT_EQ(pDC, wnd.GetDCEx(DCX_CACHE));
    EXPECT_EQ(pDC, wnd.m_pImpl->m_pDC);
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    EXPECT_EQ(nullptr, wnd.m_pImpl->m_pDC);
    PXDC* pDC2 = wnd.GetDCEx(DCX_CACHE);
    ASSERT_NE(nullptr, pDC2);
    EXPECT_NE(nullptr, pDC2->m_hDC);
    EXPECT_EQ(pDC2, wnd.m_pImpl->m_pDC);
    wnd.ReleaseDC(pDC2);
    Destroy(wnd);
}

// A bitmap selected into one context cannot be selected into another.
bool IsSelectable(HBITMAP hBitmap)
{
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    if (hOld)
        SelectObject(hDC, hOld);
    DeleteDC(hDC);
    return hOld != nullptr;
}

TEST(PXWndDC, ContextGivesBackWhatWasSelected)
{
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOrigBitmap = GetCurrentObject(hDC, OBJ_BITMAP);
    HGDIOBJ hOrigBrush = GetCurrentObject(hDC, OBJ_BRUSH);
    HGDIOBJ hOrigPen = GetCurrentObject(hDC, OBJ_PEN);
    PXBitmapBW first, second;
    first.Create(8, 8);
    second.Create(8, 8);
    HGDIOBJ hBrush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ hPen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    {
        PXDC dc(hDC);
        PXBitmap* pPrev = dc.SelectBitmap(&first);
        ASSERT_NE(nullptr, pPrev);
        EXPECT_EQ(hOrigBitmap, pPrev->m_hObject);
        pPrev = dc.SelectBitmap(&second);
        EXPECT_EQ(first.m_hObject, pPrev->m_hObject);
        EXPECT_TRUE(IsSelectable(first.m_hObject));
        EXPECT_FALSE(IsSelectable(second.m_hObject));
        HGDIOBJ* phPrev = dc.SelectObject(&hBrush);
        ASSERT_NE(nullptr, phPrev);
        EXPECT_EQ(hOrigBrush, *phPrev);
        phPrev = dc.SelectObject(&hPen);
        EXPECT_EQ(hOrigPen, *phPrev);
        EXPECT_EQ(hPen, GetCurrentObject(hDC, OBJ_PEN));
    }
    // The wrapper is gone: the context holds its own objects again and ours
    // are free to be selected elsewhere and deleted.
    EXPECT_EQ(hOrigBitmap, GetCurrentObject(hDC, OBJ_BITMAP));
    EXPECT_EQ(hOrigBrush, GetCurrentObject(hDC, OBJ_BRUSH));
    EXPECT_EQ(hOrigPen, GetCurrentObject(hDC, OBJ_PEN));
    EXPECT_TRUE(IsSelectable(second.m_hObject));
    DeleteObject(hBrush);
    DeleteObject(hPen);
    DeleteDC(hDC);
}

TEST(PXWndDC, ReleasedWindowContextGivesBackItsSelections)
{
    TestParent parent;
    BaseWnd wnd;
    MakeChild(wnd, parent.m_hWnd);
    PXBitmapColor bmp;
    PXDC* pDC = wnd.GetDC();
    bmp.Create(pDC, 4, 4, RGB(255, 0, 255));
    HGDIOBJ hBrush = CreateSolidBrush(RGB(9, 9, 9));
    HGDIOBJ hOrigBrush = GetCurrentObject(pDC->m_hDC, OBJ_BRUSH);
    pDC->SelectObject(&hBrush);
    EXPECT_EQ(hBrush, GetCurrentObject(pDC->m_hDC, OBJ_BRUSH));
    HDC hDC = pDC->m_hDC;
    pDC->RestoreSelections();
    EXPECT_EQ(hOrigBrush, GetCurrentObject(hDC, OBJ_BRUSH));
    pDC->SelectObject(&hBrush);
    wnd.ReleaseDC(pDC);
    // Deleting a brush still selected somewhere would fail.
    EXPECT_TRUE(DeleteObject(hBrush));
    Destroy(wnd);
}

TEST(PXWndDC, MemoryContextOfTheScreenOnly)
{
    PXDC dc;
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_NE(nullptr, dc.m_hDC);
    EXPECT_PXASSERT(dc.CreateCompatibleDC(nullptr), "(m_hDC==0)");
    PXDC other;
    EXPECT_PXASSERT(other.CreateCompatibleDC(&dc), "(pDC==0)");
    EXPECT_EQ(RGB(255, 255, 255), dc.SetBkColor(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), dc.SetBkColor(RGB(4, 5, 6)));
    EXPECT_EQ(RGB(0, 0, 0), dc.SetTextColor(RGB(7, 8, 9)));
    EXPECT_EQ(RGB(7, 8, 9), dc.SetTextColor(RGB(0, 0, 0)));
}

TEST(PXWndDC, PatternBrushPaintsItsBitmap)
{
    // A 8 by 8 pattern of vertical stripes: columns 0, 2, 4, 6 set.
    WORD awRows[8];
    for (WORD& w : awRows)
        w = 0xAA;
    PXBitmapBW pattern;
    pattern.Create(8, 8, awRows);
    PXBrush brush;
    EXPECT_TRUE(brush.CreatePatternBrush(&pattern));
    ASSERT_NE(nullptr, brush.m_hObject);

    PXBitmapBW target;
    target.Create(16, 2);
    {
        PXDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectBitmap(&target);
        HGDIOBJ h = brush.m_hObject;
        dc.SelectObject(&h);
        PatBlt(dc.m_hDC, 0, 0, 16, 2, PATCOPY);
    }
    target.AttachBits();
    EXPECT_EQ(0xAA, target.m_pbBits[0]);
    EXPECT_EQ(0xAA, target.m_pbBits[1]);
    target.DetachBits(FALSE);
}

// ------------------------------------------------------ exceptions at the edge

namespace {

class ThrowingWnd : public BaseWnd
{
public:
    void OnAddItem(LPARAM lParam) override
    {
        if (lParam == 1)
            PXTHROW_XMEM(IDS_PX_NODESCR);
        throw 42;
    }
};

} // namespace

TEST(PXWndEdge, ExceptionsStopAtTheWindowProcedureAndAreShown)
{
    TestParent parent;
    ThrowingWnd wnd;
    MakeChild(wnd, parent.m_hWnd);
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, SendMessageA(wnd.m_hWnd, WM_PLT_ADDITEM, 0, 1));
    EXPECT_EQ(0, SendMessageA(wnd.m_hWnd, WM_PLT_ADDITEM, 0, 2));
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("Plexwright", boxes.boxes[0].caption);
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("Out of memory or internal failure"));
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("WndTest.cpp"));
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_EQ("Out of memory or internal failure", boxes.boxes[1].text);
    // The window lives on and still answers.
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
    EXPECT_EQ(&wnd, PXWndImpl::FromHandle(wnd.m_hWnd));
}

TEST(PXWndBinding, CreateAnswersWhetherAWindowIsHeld)
{
    TestParent parent;
    // (class, whether a window comes of it)
    struct
    {
        const char* pszClass;
        int nResult;
    } cases[] = {
        { PXTestWndClass(), 1 },        // bound by the shared procedure
        { "BUTTON", 1 },                // a procedure of its own, stored
        { "PXNOSUCHCLASS", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszClass);
        RecWnd wnd;
        EXPECT_EQ(c.nResult, wnd.Create(0, c.pszClass, "x", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                        nullptr, nullptr));
        EXPECT_EQ(c.nResult != 0, wnd.m_hWnd != nullptr);
        Destroy(wnd);
    }
}
