// Drawing and window helpers: rectangles, label breaks, the palette drawing,
// the Escape poll and its guard against a second long operation.
#include "PXTestSupport.h"
#include "DrawHelpers.h"

#include <cstring>
#include <vector>

TEST(DrawHelpersTest, CentreRect)
{
    const struct
    {
        RECT in;
        long width, height;
        RECT out;
    } cases[] = {
        {{0, 0, 100, 50}, 40, 0, {30, 0, 70, 50}},
        {{0, 0, 100, 50}, 100, 0, {0, 0, 100, 50}},
        {{0, 0, 100, 50}, 41, 0, {29, 0, 71, 50}},
        {{0, 0, 100, 50}, 0, 10, {0, 20, 100, 30}},
        {{0, 0, 100, 50}, 200, 60, {0, 0, 100, 50}},
        {{10, 10, 20, 20}, 4, 4, {13, 13, 17, 17}},
    };
    for (const auto& c : cases)
    {
        RECT r = c.in;
        CentreRect(r, c.width, c.height, &r);  // in place
        EXPECT_EQ(c.out.left, r.left);
        EXPECT_EQ(c.out.top, r.top);
        EXPECT_EQ(c.out.right, r.right);
        EXPECT_EQ(c.out.bottom, r.bottom);
    }
    RECT r;
    SetRectPosSize(r, 5, 6, 10, 20);
    EXPECT_EQ(15, r.right);
    EXPECT_EQ(26, r.bottom);
}

TEST(DrawHelpersTest, FindLabelBreak)
{
    const struct
    {
        const char* pszLabel;
        int nMinimum;
        int nBreak;
    } cases[] = {
        {"abc deGhijkl", 0, 6},      // nearest the middle 6
        {"Announcement", 0, -1},     // no candidate after position 0
        {"Call Transfer", 0, 4},
        {"DayControl", 0, 3},
        {"ab cd", 0, 2},
        {"ab cd", 2, -1},            // too near an end
        {"aB cD", 0, 2},             // the space at the middle
        {"aBcDe", 0, 3},             // 1 and 3 equally near: the later wins
        {"", 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nBreak, FindLabelBreak(c.pszLabel, c.nMinimum)) << c.pszLabel;
}

TEST(DrawHelpersTest, FindLabelBreakReadsNothingAfterTheLabel)
{
    // Labels that end at the last byte of a page whose next page cannot be
    // read: the search stays within the label.
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    const DWORD nPage = si.dwPageSize;
    char* pBase = static_cast<char*>(VirtualAlloc(nullptr, 2 * nPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, pBase);
    DWORD dwOld = 0;
    ASSERT_TRUE(VirtualProtect(pBase + nPage, nPage, PAGE_NOACCESS, &dwOld));
    const struct
    {
        const char* pszLabel;
        int nBreak;
    } cases[] = {{"", -1}, {"a", -1}, {"ab cd", 2}};
    for (const auto& c : cases)
    {
        size_t n = std::strlen(c.pszLabel) + 1;
        char* pLabel = pBase + nPage - n;
        std::memcpy(pLabel, c.pszLabel, n);
        EXPECT_EQ(c.nBreak, FindLabelBreak(pLabel, 0)) << c.pszLabel;
    }
    VirtualFree(pBase, 0, MEM_RELEASE);
}

namespace
{
std::vector<UINT> g_received;
bool g_bNestedAnswer = false;

LRESULT CALLBACK RecordProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg >= WM_USER || uMsg == WM_KEYDOWN)
        g_received.push_back(uMsg);
    if (uMsg == WM_USER + 7)
    {
        // A long operation asked for from inside the poll: nothing runs.
        PXLongOperation second;
        EXPECT_FALSE(second.Acquired());
        g_bNestedAnswer = PollEscape();
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PXPOLLTEST";
    RegisterClassA(&wc);
    return CreateWindowA("PXPOLLTEST", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

void Drain()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}
}

TEST(DrawHelpersTest, PollEscapeDispatchesEverythingAndSeesEscape)
{
    HWND hWnd = MakeWindow();
    ASSERT_NE(nullptr, hWnd);
    PXSetMainWindow(hWnd);
    Drain();
    g_received.clear();

    EXPECT_TRUE(PollEscape());
    PostMessageA(hWnd, WM_USER + 5, 0, 0);
    PostMessageA(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(hWnd, WM_USER + 6, 0, 0);
    EXPECT_FALSE(PollEscape());
    EXPECT_EQ((std::vector<UINT>{WM_USER + 5, WM_KEYDOWN, WM_USER + 6}), g_received);
    EXPECT_TRUE(PollEscape());

    // Another key is no Escape.
    PostMessageA(hWnd, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PollEscape());

    // Inside a running long operation, a poll from a dispatched message
    // dispatches nothing; the outer poll goes on with the rest.
    g_received.clear();
    {
        PXLongOperation routing;
        EXPECT_TRUE(routing.Acquired());
        EXPECT_TRUE(PXLongOperation::IsRunning());
        PostMessageA(hWnd, WM_USER + 7, 0, 0);
        PostMessageA(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(PollEscape());
    }
    EXPECT_TRUE(g_bNestedAnswer);
    EXPECT_EQ((std::vector<UINT>{WM_USER + 7, WM_KEYDOWN}), g_received);
    EXPECT_FALSE(PXLongOperation::IsRunning());
    PXLongOperation later;
    EXPECT_TRUE(later.Acquired());

    DisableMainWindow(true);
    EXPECT_FALSE(IsWindowEnabled(hWnd));
    DisableMainWindow(false);
    EXPECT_TRUE(IsWindowEnabled(hWnd));

    PXSetMainWindow(nullptr);
    DestroyWindow(hWnd);
}

TEST(DrawHelpersTest, ATimerDuringALongOperationComesAgainOnceWhenItEnds)
{
    HWND hWnd = MakeWindow();
    ASSERT_NE(nullptr, hWnd);
    Drain();
    auto TakeTimers = [hWnd]() {
        std::vector<WPARAM> ids;
        MSG msg;
        while (PeekMessageA(&msg, hWnd, WM_TIMER, WM_TIMER, PM_REMOVE))
            ids.push_back(msg.wParam);
        return ids;
    };

    // Without a long operation the timer does its work at once.
    EXPECT_FALSE(PXLongOperation::DeferTimer(hWnd, 7));
    EXPECT_TRUE(TakeTimers().empty());
    {
        PXLongOperation routing;
        ASSERT_TRUE(routing.Acquired());
        EXPECT_TRUE(PXLongOperation::DeferTimer(hWnd, 7));
        EXPECT_TRUE(PXLongOperation::DeferTimer(hWnd, 7));
        EXPECT_TRUE(PXLongOperation::DeferTimer(hWnd, 3));
        {
            // A nested operation's end is not the end.
            PXLongOperation nested;
            EXPECT_FALSE(nested.Acquired());
        }
        EXPECT_TRUE(TakeTimers().empty());
    }
    EXPECT_EQ((std::vector<WPARAM>{7, 3}), TakeTimers());
    EXPECT_FALSE(PXLongOperation::DeferTimer(hWnd, 7));

    // A window gone by the end gets nothing, and nothing is left over.
    {
        PXLongOperation routing;
        EXPECT_TRUE(PXLongOperation::DeferTimer(hWnd, 7));
        DestroyWindow(hWnd);
    }
    hWnd = MakeWindow();
    {
        PXLongOperation routing;
    }
    EXPECT_TRUE(TakeTimers().empty());
    DestroyWindow(hWnd);
}

TEST(DrawHelpersTest, BitmapIsDrawnThroughItsPaletteAndThePaletteGoesBack)
{
    // A 2 by 2 bitmap of 8 bits with two colours: red and blue.
    struct
    {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } bi = {};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = 2;
    bi.h.biHeight = 2;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 8;
    bi.h.biClrUsed = 2;
    bi.colors[0] = {0, 0, 255, 0};  // red (blue, green, red)
    bi.colors[1] = {255, 0, 0, 0};  // blue
    void* pBits = nullptr;
    HDC hScreen = GetDC(nullptr);
    HBITMAP hSource = CreateDIBSection(hScreen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(nullptr, hSource);
    BYTE* pRows = static_cast<BYTE*>(pBits);
    // Rows are 4 bytes wide; all red.
    pRows[0] = pRows[1] = pRows[4] = pRows[5] = 0;
    GdiFlush();

    HDC hTarget = CreateCompatibleDC(hScreen);
    HBITMAP hCanvas = CreateCompatibleBitmap(hScreen, 8, 8);
    HGDIOBJ hOld = SelectObject(hTarget, hCanvas);
    RECT whole = {0, 0, 8, 8};
    FillRect(hTarget, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ hPalBefore = GetCurrentObject(hTarget, OBJ_PAL);

    RECT rc = {2, 2, 6, 6};
    DrawBitmapHandleWithPalette(hTarget, hSource, rc);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(hTarget, 3, 3));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(hTarget, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hTarget, 0, 0));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hTarget, 7, 7));
    EXPECT_EQ(hPalBefore, GetCurrentObject(hTarget, OBJ_PAL));

    // No bitmap draws nothing.
    DrawBitmapHandleWithPalette(hTarget, nullptr, whole);
    DrawBitmapWithPalette(hTarget, nullptr, whole);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hTarget, 0, 0));

    SelectObject(hTarget, hOld);
    DeleteObject(hCanvas);
    DeleteDC(hTarget);
    DeleteObject(hSource);
    ReleaseDC(nullptr, hScreen);
}

TEST(DrawHelpersTest, UsePenSelectsThePreviousPenBack)
{
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hBefore = GetCurrentObject(hDC, OBJ_PEN);
    HPEN hPen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    {
        UsePen use(hDC, hPen);
        EXPECT_EQ(hPen, GetCurrentObject(hDC, OBJ_PEN));
    }
    EXPECT_EQ(hBefore, GetCurrentObject(hDC, OBJ_PEN));
    DeleteObject(hPen);
    DeleteDC(hDC);
    EXPECT_EQ(1, SetBusyCursor(3, 0, 0));
}
