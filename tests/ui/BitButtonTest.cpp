// The "BITBUTTON" window class on real windows driven with messages: the
// notifications of presses, releases and hovering, the capture of a push
// button and the tracking flag, a button disabled while it is held, toggle
// buttons, BM_SETSTATE and BM_GETSTATE, and the faces the button paints.
#include "BarsTestSupport.h"
#include "BitButtonClass.h"
#include "BarsRes.h"
#include "PXImageList.h"

#include <string>

namespace {

const int kId = 4138;
const int kOtherId = 4139;

class BitButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(0, RegisterBitButtonClass());
        ASSERT_TRUE(parent.Create());
        ShowWindow(parent.HWindow, SW_SHOWNOACTIVATE);
        g_bTracking = false;
    }

    void TearDown() override
    {
        ReleaseCapture();
        g_bTracking = false;
    }

    HWND Make(int nId, DWORD dwStyle = 0, int nGlyph = 0, int x = 10)
    {
        BitButtonCreate create = { nGlyph, nullptr, 10 };
        HWND hWnd = CreateWindowExA(0, BITBUTTON_CLASS, "", WS_CHILD | WS_VISIBLE | dwStyle, x, 10, 23, 22,
                                    parent.HWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                                    GetModuleHandleA(nullptr), &create);
        EXPECT_NE(nullptr, hWnd);
        UpdateWindow(hWnd);
        return hWnd;
    }

    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
    static DWORD State(HWND hWnd) { return GetBitButtonRecord(hWnd)->dwState; }

    TestParent parent;
};

} // namespace

TEST_F(BitButtonTest, TheClassIsRegisteredOnceAsTheProgramsButtonClass)
{
    ATOM atom = RegisterBitButtonClass();
    EXPECT_NE(0, atom);
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), BITBUTTON_CLASS, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(0x400Bu, wc.style);
    EXPECT_EQ(2, wc.cbWndExtra);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), wc.hbrBackground);
    EXPECT_EQ(1, BitButtonInit());
}

TEST_F(BitButtonTest, ANewButtonIsUpWithTheGlyphOfItsCreationRecord)
{
    HWND hWnd = Make(kId, 0, 7);
    BitButtonRecord* pRec = GetBitButtonRecord(hWnd);
    ASSERT_NE(nullptr, pRec);
    EXPECT_EQ(static_cast<DWORD>(BITBUTTON_UP), pRec->dwState);
    EXPECT_EQ(7, pRec->nGlyph);
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), pRec->hFont);
    EXPECT_EQ(nullptr, pRec->hAltGlyph);
    // Split 10: the glyph takes the whole inner area.
    RECT inner = { 2, 2, 21, 20 };
    EXPECT_TRUE(EqualRect(&inner, &pRec->rcGlyph));
    EXPECT_EQ(21, pRec->rcText.left);
    EXPECT_EQ(0, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    // Another window has no button record.
    EXPECT_EQ(nullptr, GetBitButtonRecord(parent.HWindow));
}

TEST_F(BitButtonTest, WithoutACreationRecordNoButtonIsMade)
{
    HWND hWnd = CreateWindowExA(0, BITBUTTON_CLASS, "", WS_CHILD, 0, 0, 23, 22, parent.HWindow, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(nullptr, hWnd);
}

TEST_F(BitButtonTest, TheSplitSharesTheInnerWidthBetweenGlyphAndCaption)
{
    const struct
    {
        int nSplit;
        int nGlyphRight;
        int nTextLeft;
    } cases[] = {
        // Inner width 96 (100 less 2 on each side).
        { 0, 50, 50 },      // one half
        { 10, 98, 98 },
        { 3, 31, 30 },      // right edge 98 - trunc(96 * 0.7), left edge 2 + trunc(96 * 0.3)
        { 7, 70, 69 },
    };
    for (const auto& c : cases)
    {
        BitButtonCreate create = { 0, nullptr, c.nSplit };
        HWND hWnd = CreateWindowExA(0, BITBUTTON_CLASS, "Go", WS_CHILD, 0, 0, 100, 30, parent.HWindow,
                                    nullptr, GetModuleHandleA(nullptr), &create);
        ASSERT_NE(nullptr, hWnd);
        const BitButtonRecord* pRec = GetBitButtonRecord(hWnd);
        EXPECT_EQ(c.nGlyphRight, pRec->rcGlyph.right) << "split " << c.nSplit;
        EXPECT_EQ(c.nTextLeft, pRec->rcText.left) << "split " << c.nSplit;
        EXPECT_EQ(2, pRec->rcGlyph.left);
        EXPECT_EQ(98, pRec->rcText.right);
        // The caption is centred on its height.
        EXPECT_GT(pRec->rcText.top, 2) << "split " << c.nSplit;
        DestroyWindow(hWnd);
    }
}

TEST_F(BitButtonTest, APressReleasedInsideIsAClickAndLetsTheMouseGo)
{
    const struct
    {
        const char* name;
        std::vector<POINT> moves;   // while the button is held
        POINT release;
        size_t nClicks;
        DWORD dwStateBeforeRelease;
    } cases[] = {
        { "released at once", {}, { 5, 5 }, 1, BITBUTTON_DOWN },
        { "moved inside", { { 12, 10 }, { 20, 18 } }, { 20, 18 }, 1, BITBUTTON_DOWN },
        { "dragged off", { { 40, 5 } }, { 40, 5 }, 0, BITBUTTON_UP },
        { "dragged off above", { { 5, -3 } }, { 5, -3 }, 0, BITBUTTON_UP },
        { "dragged off and back", { { 40, 5 }, { 6, 6 } }, { 6, 6 }, 1, BITBUTTON_DOWN },
        { "dragged back, released off", { { 40, 5 }, { 6, 6 } }, { 30, 30 }, 0, BITBUTTON_DOWN },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        HWND hWnd = Make(kId);
        parent.commands.clear();
        SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        EXPECT_EQ(hWnd, GetCapture());
        EXPECT_TRUE(g_bTracking);
        EXPECT_EQ(static_cast<DWORD>(BITBUTTON_DOWN), State(hWnd));
        for (POINT pt : c.moves)
            SendMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(pt.x, pt.y));
        EXPECT_EQ(c.dwStateBeforeRelease, State(hWnd));
        SendMessageA(hWnd, WM_LBUTTONUP, 0, At(c.release.x, c.release.y));
        EXPECT_EQ(static_cast<DWORD>(BITBUTTON_UP), State(hWnd));
        EXPECT_FALSE(g_bTracking);
        EXPECT_EQ(nullptr, GetCapture());
        // Nothing but the clicks: no hints while the button is held.
        ASSERT_EQ(c.nClicks, parent.commands.size());
        for (const ReceivedCommand& cmd : parent.commands)
        {
            EXPECT_EQ(static_cast<UINT>(kId), cmd.nId);
            EXPECT_EQ(static_cast<UINT>(BITBUTTON_CLICKED), cmd.nCode);
            EXPECT_EQ(0, cmd.lParam);
        }
        DestroyWindow(hWnd);
    }
}

TEST_F(BitButtonTest, EveryMoveOverAnyButtonWhileNoneIsHeldIsAHint)
{
    HWND hCut = Make(kId, 0, 7, 10);
    HWND hCopy = Make(kOtherId, 0, 8, 40);
    SendMessageA(hCut, WM_MOUSEMOVE, 0, At(3, 3));
    SendMessageA(hCut, WM_MOUSEMOVE, 0, At(4, 3));
    SendMessageA(hCopy, WM_MOUSEMOVE, 0, At(3, 3));
    SendMessageA(hCut, WM_MOUSEMOVE, 0, At(9, 9));
    const UINT expected[] = { kId, kId, kOtherId, kId };
    ASSERT_EQ(4u, parent.commands.size());
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(expected[i], parent.commands[i].nId);
        EXPECT_EQ(static_cast<UINT>(BITBUTTON_HOVER), parent.commands[i].nCode);
        EXPECT_EQ(0, parent.commands[i].lParam);
    }
}

TEST_F(BitButtonTest, ADisabledButtonIgnoresPressesButStillShowsItsHint)
{
    HWND hWnd = Make(kId);
    GetBitButtonRecord(hWnd)->dwState |= BITBUTTON_DISABLED;
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(g_bTracking);
    SendMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(static_cast<DWORD>(BITBUTTON_UP | BITBUTTON_DISABLED), State(hWnd));
    EXPECT_TRUE(parent.CommandsWithCode(BITBUTTON_CLICKED).empty());
    SendMessageA(hWnd, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(1u, parent.CommandsWithCode(BITBUTTON_HOVER).size());
}

TEST_F(BitButtonTest, AButtonDisabledWhileItIsHeldLetsTheMouseGoWhenReleased)
{
    HWND hWnd = Make(kId, 0, 7, 10);
    HWND hOther = Make(kOtherId, 0, 8, 40);
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ASSERT_EQ(hWnd, GetCapture());
    // The command states change while the button is held.
    GetBitButtonRecord(hWnd)->dwState |= BITBUTTON_DISABLED;
    SendMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, At(6, 6));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(g_bTracking);
    EXPECT_EQ(0, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    EXPECT_TRUE(parent.commands.empty());
    // The other buttons show their hints again.
    SendMessageA(hOther, WM_MOUSEMOVE, 0, At(5, 5));
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ(static_cast<UINT>(kOtherId), parent.commands[0].nId);
    EXPECT_EQ(static_cast<UINT>(BITBUTTON_HOVER), parent.commands[0].nCode);
    // Enabled again, it clicks as before.
    GetBitButtonRecord(hWnd)->dwState &= ~BITBUTTON_DISABLED;
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(1u, parent.CommandsWithCode(BITBUTTON_CLICKED).size());
}

TEST_F(BitButtonTest, APressEndsWhenAnotherWindowTakesTheMouse)
{
    HWND hWnd = Make(kId);
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ASSERT_EQ(hWnd, GetCapture());
    SetCapture(parent.HWindow);
    EXPECT_FALSE(g_bTracking);
    EXPECT_EQ(0, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    ReleaseCapture();
    SendMessageA(hWnd, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(BitButtonTest, AHeldButtonThatIsDestroyedTakesItsPressAlong)
{
    HWND hWnd = Make(kId);
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ASSERT_TRUE(g_bTracking);
    DestroyWindow(hWnd);
    EXPECT_FALSE(g_bTracking);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(BitButtonTest, AToggleButtonLatchesAndReleasesWithoutTheMouse)
{
    HWND hWnd = Make(kId, BBS_TOGGLE);
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(g_bTracking);
    EXPECT_EQ(1, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(1, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    SendMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(0, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
    ASSERT_EQ(2u, parent.commands.size());
    EXPECT_EQ(static_cast<UINT>(BITBUTTON_LATCHED), parent.commands[0].nCode);
    EXPECT_EQ(static_cast<UINT>(BITBUTTON_RELEASED), parent.commands[1].nCode);
    EXPECT_EQ(static_cast<UINT>(kId), parent.commands[1].nId);
    EXPECT_NE(nullptr, GetBitButtonRecord(hWnd)->hAltGlyph);
}

TEST_F(BitButtonTest, WithoutItsGlyphStripALatchedButtonShowsNoGlyph)
{
    HINSTANCE hPrev = PXImageList::GetResourceInstance();
    PXImageList::SetResourceInstance(GetModuleHandleA("kernel32.dll"));
    BitButtonCreate create = { 0, nullptr, 10 };
    HWND hWnd = CreateWindowExA(0, BITBUTTON_CLASS, "", WS_CHILD | BBS_TOGGLE, 10, 10, 23, 22, parent.HWindow,
                                nullptr, GetModuleHandleA(nullptr), &create);
    PXImageList::SetResourceInstance(hPrev);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, GetBitButtonRecord(hWnd)->hAltGlyph);
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    Canvas canvas(23, 22, RGB(255, 0, 255));
    canvas.Print(hWnd);
    RECT cell = { 4, 4, 20, 19 };
    EXPECT_EQ(16 * 15, canvas.Count(cell, RGB(128, 128, 128)));
}

TEST_F(BitButtonTest, SetStateChangesAndRepaintsOnlyWhatDiffers)
{
    HWND hWnd = Make(kId);
    PaintCounter paints(hWnd);
    const struct
    {
        WPARAM wDown;
        LRESULT nGetState;
        int nPaints;
    } steps[] = {
        { 0, 0, 0 },    // already up
        { 1, 1, 1 },
        { 1, 1, 0 },    // already down
        { 0, 0, 1 },
    };
    int nBefore = 0;
    for (const auto& s : steps)
    {
        EXPECT_EQ(1, SendMessageA(hWnd, BM_SETSTATE, s.wDown, 0));
        EXPECT_EQ(s.nGetState, SendMessageA(hWnd, BM_GETSTATE, 0, 0));
        EXPECT_EQ(s.nPaints, paints.Count() - nBefore) << "BM_SETSTATE " << s.wDown;
        nBefore = paints.Count();
    }
}

namespace {

// Where a glyph's cell lands on a 23 by 22 button: centred in the inner
// area, moved by the face's offset.
POINT GlyphOrigin(int nOffset)
{
    return { 3 + nOffset, 3 + nOffset };
}

} // namespace

TEST_F(BitButtonTest, TheFacesOfTheStatesHaveTheirEdgesAndGlyphs)
{
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Glyph 0 (New): its top-left pixel is face, its pixel (3, 1) ink.
    const struct
    {
        const char* name;
        DWORD dwStyle;
        bool bDown;
        int nOffset;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } cases[] = {
        { "up", 0, false, 0,
          { { { 22, 0 }, black }, { { 22, 21 }, black }, { { 0, 21 }, black },
            { { 21, 5 }, grey }, { { 5, 20 }, grey },
            { { 0, 0 }, white }, { { 0, 20 }, white }, { { 20, 0 }, white },
            { { 3, 3 }, face }, { { 6, 4 }, black } } },
        { "pressed", 0, true, 2,
          { { { 22, 0 }, white }, { { 21, 5 }, white }, { { 5, 21 }, white }, { { 5, 20 }, white },
            { { 0, 0 }, grey }, { { 0, 19 }, grey }, { { 19, 0 }, grey },
            { { 1, 1 }, face }, { { 5, 5 }, face }, { { 8, 6 }, black } } },
        { "latched", BBS_TOGGLE, true, 1,
          { { { 0, 0 }, black }, { { 1, 1 }, black }, { { 1, 20 }, black }, { { 20, 1 }, black },
            { { 22, 5 }, white }, { { 5, 21 }, white },
            { { 2, 2 }, grey }, { { 4, 4 }, grey }, { { 7, 5 }, black } } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        HWND hWnd = Make(kId, c.dwStyle, 0);
        if (c.bDown)
            SendMessageA(hWnd, BM_SETSTATE, 1, 0);
        Canvas canvas(23, 22, RGB(255, 0, 255));
        canvas.Print(hWnd);
        for (const auto& p : c.pixels)
            EXPECT_EQ(p.second, canvas.At(p.first.x, p.first.y)) << "at " << p.first.x << "," << p.first.y;
        POINT origin = GlyphOrigin(c.nOffset);
        // The glyph is more than its background.
        RECT cell = { origin.x, origin.y, origin.x + 16, origin.y + 15 };
        EXPECT_LT(canvas.Count(cell, c.dwStyle ? grey : face), 16 * 15);
        DestroyWindow(hWnd);
    }
}

TEST_F(BitButtonTest, ADisabledButtonDrawsItsGlyphGreyed)
{
    HWND hWnd = Make(kId, 0, 7);
    Canvas enabled(23, 22, RGB(255, 0, 255));
    enabled.Print(hWnd);
    GetBitButtonRecord(hWnd)->dwState |= BITBUTTON_DISABLED;
    Canvas disabled(23, 22, RGB(255, 0, 255));
    disabled.Print(hWnd);
    // The scissors' red handles are not red when greyed; the edges stay.
    RECT glyph = { 3, 3, 19, 18 };
    EXPECT_GT(enabled.Count(glyph, RGB(255, 0, 0)), 0);
    EXPECT_EQ(0, disabled.Count(glyph, RGB(255, 0, 0)));
    EXPECT_EQ(enabled.At(22, 0), disabled.At(22, 0));
    EXPECT_EQ(enabled.At(0, 0), disabled.At(0, 0));
}

TEST(ToolBarGlyphsTest, Bitmap1001HoldsAGlyphForEveryButton)
{
    PXImageListEx glyphs;
    ASSERT_TRUE(glyphs.LoadBitmap(IDB_TOOLBAR, BITBUTTON_GLYPH_WIDTH, 10, BITBUTTON_MASK_COLOUR));
    ASSERT_EQ(15, glyphs.GetImageCount());
    EXPECT_EQ(16, glyphs.GetCellWidth());
    EXPECT_EQ(15, glyphs.GetCellHeight());
    HBITMAP hStrip = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, hStrip);
    DIBSECTION dib;
    ASSERT_EQ(static_cast<int>(sizeof(dib)), GetObjectA(hStrip, sizeof(dib), &dib));
    EXPECT_EQ(240, dib.dsBm.bmWidth);
    EXPECT_EQ(15, dib.dsBm.bmHeight);
    EXPECT_EQ(4, dib.dsBmih.biBitCount);
    DeleteObject(hStrip);
    // Each glyph draws something, and its face stays transparent.
    const COLORREF magenta = RGB(255, 0, 255);
    for (int i = 0; i < 15; ++i)
    {
        Canvas canvas(16, 15, magenta);
        PXDC dc(canvas.DC());
        glyphs.Draw(i, &dc, 0, 0, ILD_TRANSPARENT);
        GdiFlush();
        RECT cell = { 0, 0, 16, 15 };
        EXPECT_LT(canvas.Count(cell, magenta), 16 * 15 - 10) << "glyph " << i;
        EXPECT_EQ(magenta, canvas.At(0, 0)) << "glyph " << i;
    }
}
