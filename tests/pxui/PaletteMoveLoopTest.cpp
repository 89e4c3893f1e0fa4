// The block palette's move loop on a real floating window: how it ends
// (release, Escape, a lost capture, a quit message) and where the palette
// is afterwards.
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXWnd.h"

#include <gtest/gtest.h>

namespace
{
const char kClass[] = "PXMOVELOOPTEST";

// A window whose message 0x8001 takes the capture, as another window's
// drag would.
LRESULT CALLBACK TestProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP + 1)
    {
        ::SetCapture(hWnd);
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

class PaletteMoveLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        ::RegisterClassA(&wc);
        hClient = ::CreateWindowA(kClass, "client", WS_POPUP | WS_VISIBLE, 200, 100, 400, 300, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        hOther = ::CreateWindowA(kClass, "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        palette.m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "Block palette", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                           300, 150, 526, 244, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(hClient && hOther && palette.m_hWnd);
        frame.m_hWndMDIClient = hClient;
        manager.m_pPalette = &palette;
        manager.m_bFloating = true;
        Flush();
    }

    void TearDown() override
    {
        ::DestroyWindow(palette.m_hWnd);
        palette.m_hWnd = nullptr;
        ::DestroyWindow(hOther);
        ::DestroyWindow(hClient);
    }

    static void Flush()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    // A mouse move to the screen point, as the captured palette gets it.
    void PostMove(POINT ptScreen)
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        POINT pt = ptScreen;
        ::ScreenToClient(palette.m_hWnd, &pt);
        ::PostMessageA(palette.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    RECT PaletteRect() const
    {
        RECT rc;
        ::GetWindowRect(palette.m_hWnd, &rc);
        return rc;
    }

    HWND hClient = nullptr;
    HWND hOther = nullptr;
    PXMainFrame frame;
    PXPaletteManager manager{&frame};
    PXWnd palette;
};
}

// Every way out of the loop leaves no capture and the loop stopped; only a
// release moves the floating palette, by as far as the mouse went.
TEST_F(PaletteMoveLoopTest, TheLoopEndsOnEveryWayOutAndOnlyAReleaseMovesThePalette)
{
    enum End { Release, Escape, LostCapture, Quit };
    const struct
    {
        End end;
        bool bMoves;
    } cases[] = {{Release, true}, {Escape, false}, {LostCapture, false}, {Quit, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(c.end));
        ::SetWindowPos(palette.m_hWnd, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Flush();
        const RECT before = PaletteRect();
        const POINT start = {before.left + 20, before.top + 10};
        PostMove(start);
        PostMove({start.x + 30, start.y + 40});
        switch (c.end)
        {
        case Release:
            ::PostMessageA(palette.m_hWnd, WM_LBUTTONUP, 0, 0);
            break;
        case Escape:
            ::PostMessageA(palette.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case LostCapture:
            ::PostMessageA(hOther, WM_APP + 1, 0, 0);
            break;
        case Quit:
            ::PostQuitMessage(7);
            break;
        }
        manager.MoveLoop();
        EXPECT_FALSE(manager.m_bMoving);
        EXPECT_NE(palette.m_hWnd, ::GetCapture());
        EXPECT_EQ(nullptr, manager.m_hDragDC);
        const RECT after = PaletteRect();
        if (c.bMoves)
        {
            EXPECT_EQ(before.left + 30, after.left);
            EXPECT_EQ(before.top + 40, after.top);
            EXPECT_EQ(after.left, manager.m_ptFloat.x);
        }
        else
        {
            EXPECT_EQ(before.left, after.left);
            EXPECT_EQ(before.top, after.top);
        }
        if (c.end == Quit)
        {
            // The quit message is posted again for the outer loop.
            MSG msg;
            ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(7, static_cast<int>(msg.wParam));
        }
        ::ReleaseCapture();
        Flush();
    }
}

// Dragged so that its left third crosses the MDI client's left edge, the
// outline takes the docked shape: the docked width and the client's height.
TEST_F(PaletteMoveLoopTest, CrossingTheClientsLeftEdgeTargetsTheDockedState)
{
    const RECT before = PaletteRect();
    RECT client;
    ::GetWindowRect(hClient, &client);
    const POINT start = {before.left + 20, before.top + 10};
    PostMove(start);
    // The palette's left edge well left of the client's.
    PostMove({client.left - 300 + 20, start.y});
    ::PostMessageA(palette.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    manager.MoveLoop();
    EXPECT_FALSE(manager.m_bTargetFloating);
    EXPECT_EQ(manager.m_sizeDocked.cx, manager.m_rcDrag.right - manager.m_rcDrag.left);
    EXPECT_EQ(client.bottom - client.top, manager.m_rcDrag.bottom - manager.m_rcDrag.top);
    EXPECT_EQ(before.left, PaletteRect().left);

    PostMove(start);
    PostMove({start.x + 5, start.y});
    ::PostMessageA(palette.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    manager.MoveLoop();
    EXPECT_TRUE(manager.m_bTargetFloating);
    EXPECT_EQ(manager.m_sizeFloat.cx, manager.m_rcDrag.right - manager.m_rcDrag.left);
}
