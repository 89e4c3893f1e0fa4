// The block palette's windows on a main window and client of the test's
// own: opening docked and floating, the inner window's tabs and list, dock
// and float switches with the client moving beside the strip, sizing,
// closing, and the move loop's dock and float on release.
#include "PXDragWnd.h"
#include "PXImageList.h"
#include "PXInTabWnd.h"
#include "PXListCtrl.h"
#include "PXMainFrame.h"
#include "PXMsgBox.h"
#include "PXTabCtrl.h"
#include "PXTabPaletteMgr.h"
#include "PXUIMsg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char kMainClass[] = "PXPALETTEWINMAIN";
const char kClientClass[] = "PXPALETTEWINCLIENT";

struct Received
{
    UINT nMsg;
    LPARAM lParam;
};
std::vector<Received> s_received;
int s_nBeeps = 0;

LRESULT CALLBACK MainProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_PLT_TABSELECTED || nMsg == WM_PLT_DRAGSTART)
    {
        s_received.push_back({nMsg, lParam});
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void CountBeep(UINT)
{
    ++s_nBeeps;
}

RECT WindowRectIn(HWND hWnd, HWND hParent)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::string ClassOf(HWND hWnd)
{
    char sz[64] = "";
    ::GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}

std::string TextOf(HWND hWnd)
{
    char sz[64] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

class PaletteWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!m_pResizedIconIL)
            PXCreateBlockImageLists();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = MainProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kMainClass;
        ::RegisterClassA(&wc);
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.lpszClassName = kClientClass;
        ::RegisterClassA(&wc);
    }

    void SetUp() override
    {
        s_received.clear();
        s_nBeeps = 0;
        pOldBeep = PXSetMessageBeepHook(CountBeep);
        hMain = ::CreateWindowA(kMainClass, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900,
                                640, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, hMain);
        RECT rc;
        ::GetClientRect(hMain, &rc);
        cxMain = rc.right;
        hClient = ::CreateWindowA(kClientClass, "client", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, kTop, cxMain,
                                  kHeight, hMain, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, hClient);
        frame.Attach(hMain, hClient);
        frame.m_pPaletteManager = &manager;
        SetPXMainFrame(&frame);
    }

    void TearDown() override
    {
        if (manager.IsOpen())
            manager.ClosePalette();
        SetPXMainFrame(nullptr);
        ::DestroyWindow(hMain);
        PXSetMessageBeepHook(pOldBeep);
    }

    static void Flush()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    // The palette opened docked and laid out beside the client as the main
    // frame's relayout does it.
    void OpenDocked()
    {
        ::MoveWindow(hClient, 0, kTop, cxMain, kHeight, TRUE);
        manager.CreatePalette();
        manager.OnFrameSize(cxMain, 0);
        Flush();
    }

    HWND Palette() const { return manager.m_pPalette ? manager.m_pPalette->m_hWnd : nullptr; }
    PXInTabWnd* Inner() const { return dynamic_cast<PXInTabWnd*>(manager.m_pInnerWnd); }
    HWND Tabs() const { return Inner()->GetTabCtrl()->m_hWnd; }
    HWND List() const { return Inner()->GetListCtrl()->m_hWnd; }

    int TabCount() const { return static_cast<int>(::SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0)); }
    std::string TabText(int i) const
    {
        char sz[64] = "";
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = sz;
        tab.cchTextMax = sizeof(sz);
        ::SendMessageA(Tabs(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&tab));
        return sz;
    }
    LPARAM TabParam(int i) const
    {
        TCITEMA tab = {};
        tab.mask = TCIF_PARAM;
        ::SendMessageA(Tabs(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&tab));
        return tab.lParam;
    }
    int ItemCount() const { return static_cast<int>(::SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    void AddTab(const char* pszName, LPARAM group)
    {
        ::SendMessageA(Inner()->m_hWnd, WM_PLT_ADDTAB, reinterpret_cast<WPARAM>(pszName), group);
    }
    void AddItem(const char* pszName, int nImage, INT_PTR nParam)
    {
        PXPalettePBItem item(CString(pszName), nImage, nParam);
        ::SendMessageA(Inner()->m_hWnd, WM_PLT_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
    }

    static constexpr int kTop = 30;
    static constexpr int kHeight = 500;
    HWND hMain = nullptr;
    HWND hClient = nullptr;
    int cxMain = 0;
    PXMainFrame frame;
    PXTabPaletteMgr manager{&frame};
    PXMessageBeepHook pOldBeep = nullptr;
};
}

TEST_F(PaletteWindowTest, TheDockedPaletteIsAStripBesideTheClient)
{
    OpenDocked();
    ASSERT_TRUE(manager.IsOpen());
    HWND hPalette = Palette();
    EXPECT_EQ("Palette Class", ClassOf(hPalette));
    EXPECT_EQ("Block palette", TextOf(hPalette));
    EXPECT_EQ(hMain, ::GetParent(hPalette));
    EXPECT_TRUE(::GetWindowLongPtrA(hPalette, GWL_STYLE) & WS_CHILD);
    const RECT rcPalette = WindowRectIn(hPalette, hMain);
    EXPECT_EQ(0, rcPalette.left);
    EXPECT_EQ(kTop, rcPalette.top);
    EXPECT_EQ(213, rcPalette.right - rcPalette.left);
    EXPECT_EQ(kHeight, rcPalette.bottom - rcPalette.top);
    const RECT rcClient = WindowRectIn(hClient, hMain);
    EXPECT_EQ(213, rcClient.left);
    EXPECT_EQ(cxMain, rcClient.right);
    EXPECT_EQ(kTop, rcClient.top);

    // The inner window fills the strip less its border and sizing strip.
    ASSERT_NE(nullptr, Inner());
    EXPECT_EQ(frame.GetInWnd(), manager.m_pInnerWnd);
    EXPECT_EQ("PXInnerWnd Class", ClassOf(Inner()->m_hWnd));
    EXPECT_EQ(hPalette, ::GetParent(Inner()->m_hWnd));
    RECT rcExpected;
    PXDragWnd::GetInnerRectOf(hPalette, &rcExpected);
    const RECT rcInner = WindowRectIn(Inner()->m_hWnd, hPalette);
    EXPECT_TRUE(::EqualRect(&rcExpected, &rcInner));
    EXPECT_EQ(6 + ::GetSystemMetrics(SM_CXEDGE), rcInner.left);
    EXPECT_EQ(213 - 6 - 5 - ::GetSystemMetrics(SM_CXEDGE), rcInner.right);

    // Its tab control holds the placeholder tab; the list lies over the
    // tab's display area and shows the resized block images.
    EXPECT_EQ(PXInTabWnd::kTabCtrlId, ::GetDlgCtrlID(Tabs()));
    EXPECT_EQ(PXInTabWnd::kListCtrlId, ::GetDlgCtrlID(List()));
    EXPECT_EQ(1, TabCount());
    EXPECT_EQ("Loading...", TabText(0));
    EXPECT_TRUE(Inner()->IsLoadingTab());
    const LONG_PTR listStyle = ::GetWindowLongPtrA(List(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE),
              listStyle & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE));
    EXPECT_EQ(m_pResizedIconIL->m_hImageList,
              reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)));
    RECT rcTab = WindowRectIn(Tabs(), Inner()->m_hWnd);
    ::SendMessageA(Tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rcTab));
    const RECT rcList = WindowRectIn(List(), Inner()->m_hWnd);
    EXPECT_EQ(rcTab.left - 1, rcList.left);
    EXPECT_EQ(rcTab.top + 1, rcList.top);
    EXPECT_EQ(rcTab.right, rcList.right);
    EXPECT_EQ(rcTab.bottom, rcList.bottom);
}

TEST_F(PaletteWindowTest, TheFloatingPaletteIsAToolWindowAtItsFloatingPlace)
{
    manager.m_bFloating = true;
    manager.CreatePalette();
    Flush();
    HWND hPalette = Palette();
    ASSERT_NE(nullptr, hPalette);
    EXPECT_FALSE(::GetWindowLongPtrA(hPalette, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(::GetWindowLongPtrA(hPalette, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(::GetWindowLongPtrA(hPalette, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(hMain, ::GetWindow(hPalette, GW_OWNER));
    RECT rc;
    ::GetWindowRect(hPalette, &rc);
    EXPECT_EQ(300, rc.left);
    EXPECT_EQ(300, rc.top);
    EXPECT_EQ(526, rc.right - rc.left);
    EXPECT_EQ(244, rc.bottom - rc.top);
    // Floating, the inner window takes the whole client area; the main
    // window's relayout leaves the client alone.
    RECT rcClientArea, rcInner;
    ::GetClientRect(hPalette, &rcClientArea);
    rcInner = WindowRectIn(Inner()->m_hWnd, hPalette);
    EXPECT_TRUE(::EqualRect(&rcClientArea, &rcInner));
    manager.OnFrameSize(cxMain, 0);
    EXPECT_EQ(0, WindowRectIn(hClient, hMain).left);
}

TEST_F(PaletteWindowTest, TheFirstTabReplacesTheLoadingTabAndLaterOnesAppend)
{
    OpenDocked();
    AddTab("Basic", 11);
    EXPECT_FALSE(Inner()->IsLoadingTab());
    ASSERT_EQ(1, TabCount());
    EXPECT_EQ("Basic", TabText(0));
    EXPECT_EQ(11, TabParam(0));
    AddTab("Voice", 12);
    AddTab("Fax", 13);
    ASSERT_EQ(3, TabCount());
    EXPECT_EQ("Voice", TabText(1));
    EXPECT_EQ("Fax", TabText(2));
    EXPECT_EQ(13, TabParam(2));

    // Selecting from outside tells nobody; a click on a tab tells the main
    // window which group it holds.
    ::SendMessageA(Inner()->m_hWnd, WM_PLT_SELECTTAB, 2, 0);
    EXPECT_EQ(2, Inner()->GetCurSel());
    Flush();
    EXPECT_TRUE(s_received.empty());
    RECT rcTab;
    ::SendMessageA(Tabs(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcTab));
    const LPARAM at = MAKELPARAM((rcTab.left + rcTab.right) / 2, (rcTab.top + rcTab.bottom) / 2);
    ::SendMessageA(Tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(Tabs(), WM_LBUTTONUP, 0, at);
    Flush();
    EXPECT_EQ(1, Inner()->GetCurSel());
    ASSERT_EQ(1u, s_received.size());
    EXPECT_EQ(static_cast<UINT>(WM_PLT_TABSELECTED), s_received[0].nMsg);
    EXPECT_EQ(12, s_received[0].lParam);

    // Clearing everything leaves no tab, not even the placeholder; the next
    // tab is the first again.
    AddItem("Answer", 3, 77);
    ::SendMessageA(Inner()->m_hWnd, WM_PLT_CLEARALL, 0, 0);
    EXPECT_EQ(0, TabCount());
    EXPECT_EQ(0, ItemCount());
    AddTab("Custom", 14);
    ASSERT_EQ(1, TabCount());
    EXPECT_EQ("Custom", TabText(0));
}

TEST_F(PaletteWindowTest, ItemsAreAppendedWithNameImageAndParamAndCleared)
{
    OpenDocked();
    const struct
    {
        const char* pszName;
        int nImage;
        INT_PTR nParam;
    } items[] = {{"Answer", 3, 101}, {"Hang Up", 24, 102}, {"Play", 0, 103}};
    for (const auto& item : items)
        AddItem(item.pszName, item.nImage, item.nParam);
    ASSERT_EQ(3, ItemCount());
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        char sz[64] = "";
        LVITEMA lvi = {};
        lvi.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        lvi.iItem = i;
        lvi.pszText = sz;
        lvi.cchTextMax = sizeof(sz);
        ASSERT_TRUE(::SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
        EXPECT_STREQ(items[i].pszName, sz);
        EXPECT_EQ(items[i].nImage, lvi.iImage);
        EXPECT_EQ(items[i].nParam, static_cast<INT_PTR>(lvi.lParam));
    }
    ::SendMessageA(Inner()->m_hWnd, WM_PLT_CLEARITEMS, 0, 0);
    EXPECT_EQ(0, ItemCount());
    AddItem("Menu", 5, 104);
    EXPECT_EQ(1, ItemCount());

    // While the resized images are replaced the list shows the full-size
    // ones.
    Inner()->BeginUpdate();
    EXPECT_EQ(m_pIconIL->m_hImageList,
              reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)));
    Inner()->EndUpdate();
    EXPECT_EQ(m_pResizedIconIL->m_hImageList,
              reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)));
}

// A dock/float switch keeps the inner window with its tabs and items; the
// client gives the strip back when the palette floats and takes it again
// when it docks.
TEST_F(PaletteWindowTest, DockingAndFloatingKeepTheInnerWindowAndMoveTheClient)
{
    OpenDocked();
    AddTab("Basic", 11);
    AddItem("Answer", 3, 101);
    PXWnd* pInner = manager.m_pInnerWnd;
    const HWND hInner = pInner->m_hWnd;
    const HWND hDocked = Palette();
    const int nWidth = cxMain - 213;
    ASSERT_EQ(nWidth, WindowRectIn(hClient, hMain).right - WindowRectIn(hClient, hMain).left);

    manager.ToggleDock();
    Flush();
    EXPECT_TRUE(manager.m_bFloating);
    EXPECT_FALSE(::IsWindow(hDocked));
    EXPECT_EQ(pInner, manager.m_pInnerWnd);
    EXPECT_EQ(hInner, pInner->m_hWnd);
    EXPECT_EQ(Palette(), ::GetParent(hInner));
    EXPECT_EQ(1, TabCount());
    EXPECT_EQ(1, ItemCount());
    RECT rcClient = WindowRectIn(hClient, hMain);
    EXPECT_EQ(0, rcClient.left);
    EXPECT_EQ(nWidth + 213, rcClient.right - rcClient.left);
    EXPECT_EQ(kTop, rcClient.top);
    EXPECT_EQ(kHeight, rcClient.bottom - rcClient.top);

    // A double click in the palette docks it again.
    ::SendMessageA(Palette(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    Flush();
    EXPECT_FALSE(manager.m_bFloating);
    EXPECT_TRUE(::GetWindowLongPtrA(Palette(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(hInner, manager.m_pInnerWnd->m_hWnd);
    rcClient = WindowRectIn(hClient, hMain);
    EXPECT_EQ(213, rcClient.left);
    EXPECT_EQ(nWidth, rcClient.right - rcClient.left);
}

TEST_F(PaletteWindowTest, SizingTheDockedStripMovesTheClientsLeftEdge)
{
    OpenDocked();
    // The strip is sized by its right edge.
    RECT rcPalette;
    ::GetWindowRect(Palette(), &rcPalette);
    EXPECT_EQ(HTRIGHT, ::SendMessageA(Palette(), WM_NCHITTEST, 0, MAKELPARAM(rcPalette.right - 2, rcPalette.top + 50)));
    EXPECT_EQ(HTCLIENT, ::SendMessageA(Palette(), WM_NCHITTEST, 0, MAKELPARAM(rcPalette.left + 50, rcPalette.top + 50)));

    ::MoveWindow(Palette(), 0, kTop, 253, kHeight, TRUE);
    Flush();
    EXPECT_EQ(253, manager.m_sizeDocked.cx);
    RECT rcClient = WindowRectIn(hClient, hMain);
    EXPECT_EQ(253, rcClient.left);
    EXPECT_EQ(cxMain, rcClient.right);
    RECT rcExpected;
    PXDragWnd::GetInnerRectOf(Palette(), &rcExpected);
    const RECT rcInner = WindowRectIn(Inner()->m_hWnd, Palette());
    EXPECT_TRUE(::EqualRect(&rcExpected, &rcInner));

    // The main window's relayout keeps the strip's width and follows the
    // client's height.
    ::MoveWindow(hClient, 0, kTop, cxMain, kHeight - 100, TRUE);
    manager.OnFrameSize(cxMain, 0);
    Flush();
    const RECT rcStrip = WindowRectIn(Palette(), hMain);
    EXPECT_EQ(253, rcStrip.right - rcStrip.left);
    EXPECT_EQ(kHeight - 100, rcStrip.bottom - rcStrip.top);
    rcClient = WindowRectIn(hClient, hMain);
    EXPECT_EQ(253, rcClient.left);
    EXPECT_EQ(cxMain, rcClient.right);
}

TEST_F(PaletteWindowTest, ACaptionPressIsAClientPressSoThatTheMoveLoopStarts)
{
    manager.m_bFloating = true;
    manager.CreatePalette();
    Flush();
    RECT rcWindow, rcClientArea;
    ::GetWindowRect(Palette(), &rcWindow);
    ::GetClientRect(Palette(), &rcClientArea);
    POINT ptClient = {0, 0};
    ::ClientToScreen(Palette(), &ptClient);
    // A point on the caption: between the window's top and its client area.
    const int x = (rcWindow.left + rcWindow.right) / 2;
    const int y = (rcWindow.top + ptClient.y) / 2 + 1;
    EXPECT_EQ(HTCLIENT, ::SendMessageA(Palette(), WM_NCHITTEST, 0, MAKELPARAM(x, y)));
}

// Closing and opening again keeps the docked width and the state.
TEST_F(PaletteWindowTest, ClosingKeepsTheWidthAndTheState)
{
    OpenDocked();
    ::MoveWindow(Palette(), 0, kTop, 240, kHeight, TRUE);
    Flush();
    const HWND hOld = Palette();
    const HWND hOldInner = Inner()->m_hWnd;
    manager.ClosePalette();
    EXPECT_FALSE(manager.IsOpen());
    EXPECT_EQ(nullptr, manager.m_pInnerWnd);
    EXPECT_EQ(nullptr, frame.GetInWnd());
    EXPECT_FALSE(::IsWindow(hOld));
    EXPECT_FALSE(::IsWindow(hOldInner));

    ::MoveWindow(hClient, 0, kTop, cxMain, kHeight, TRUE);
    manager.CreatePalette();
    manager.OnFrameSize(cxMain, 0);
    Flush();
    EXPECT_EQ(240, WindowRectIn(Palette(), hMain).right);
    EXPECT_EQ(240, WindowRectIn(hClient, hMain).left);
    ASSERT_NE(nullptr, Inner());
    EXPECT_EQ(1, TabCount());       // a new inner window with its placeholder
    EXPECT_TRUE(Inner()->IsLoadingTab());

    // Floating, closed by its window menu's Close, it opens floating again.
    manager.ToggleDock();
    Flush();
    ::SendMessageA(Palette(), WM_CLOSE, 0, 0);
    Flush();
    EXPECT_FALSE(manager.IsOpen());
    EXPECT_TRUE(manager.m_bFloating);
    manager.CreatePalette();
    Flush();
    EXPECT_FALSE(::GetWindowLongPtrA(Palette(), GWL_STYLE) & WS_CHILD);
}

TEST_F(PaletteWindowTest, TheInnerWindowDoesNotCloseByItself)
{
    OpenDocked();
    const HWND hInner = Inner()->m_hWnd;
    ::SendMessageA(hInner, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hInner));
    EXPECT_TRUE(manager.IsOpen());
    EXPECT_EQ(1, s_nBeeps);
}

// The move loop on the real palette: a release with the window's left
// third left of the client's left edge docks a floating palette; a release
// far to the right floats a docked one there.
TEST_F(PaletteWindowTest, TheMoveLoopDocksAndFloatsOnRelease)
{
    ::MoveWindow(hClient, 150, kTop, cxMain - 150, kHeight, TRUE);
    manager.m_bFloating = true;
    manager.m_ptFloat = {400, 200};
    manager.CreatePalette();
    Flush();
    RECT rcClient;
    ::GetWindowRect(hClient, &rcClient);
    RECT R;
    ::GetWindowRect(Palette(), &R);
    const auto drag = [&](POINT from, POINT to) {
        HWND hPalette = Palette();
        for (POINT pt : {from, to})
        {
            ::SetCursorPos(pt.x, pt.y);
            POINT c = pt;
            ::ScreenToClient(hPalette, &c);
            ::PostMessageA(hPalette, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        }
        ::PostMessageA(hPalette, WM_LBUTTONUP, 0, 0);
        manager.MoveLoop();
        Flush();
    };
    // Grabbed 20 pixels in, dropped so that the window would start far left
    // of the client.
    const POINT from = {R.left + 20, R.top + 10};
    drag(from, {rcClient.left - 250, R.top + 10});
    EXPECT_FALSE(manager.m_bFloating);
    ASSERT_TRUE(manager.IsOpen());
    EXPECT_TRUE(::GetWindowLongPtrA(Palette(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(213, WindowRectIn(hClient, hMain).left);

    // Dragged well to the right, the strip floats at the drop point.
    RECT rcStrip;
    ::GetWindowRect(Palette(), &rcStrip);
    const POINT grab = {rcStrip.left + 20, rcStrip.top + 40};
    const POINT drop = {grab.x + 400, grab.y + 30};
    drag(grab, drop);
    EXPECT_TRUE(manager.m_bFloating);
    ASSERT_TRUE(manager.IsOpen());
    RECT rcFloat;
    ::GetWindowRect(Palette(), &rcFloat);
    EXPECT_EQ(drop.x - 20, rcFloat.left);
    EXPECT_EQ(drop.y - 40, rcFloat.top);
    EXPECT_EQ(drop.x - 20, manager.m_ptFloat.x);
    EXPECT_EQ(0, WindowRectIn(hClient, hMain).left);
}
