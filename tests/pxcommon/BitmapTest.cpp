// Bitmaps: plain and stretched copies, masks and dither patterns, the
// embossed look. Effects are checked on the structure of the pixels.
#include "WindowTestSupport.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kDark = RGB(40, 40, 40);
const COLORREF kLight = RGB(230, 230, 230);
const COLORREF kRust = RGB(200, 100, 50);     // luminance 124: dark
const COLORREF kYellow = RGB(255, 255, 0);    // luminance 226: light
const COLORREF kShadow = RGB(128, 128, 128);
const COLORREF kHighlight = RGB(255, 255, 255);

const std::vector<PictureColor> kColors = {
    { '.', kMagenta }, { 'D', kDark }, { 'L', kLight }, { 'R', kRust }, { 'Y', kYellow },
    { 'B', RGB(0, 0, 255) }, { 'G', RGB(0, 255, 0) }, { 'K', RGB(0, 0, 0) },
};

int CountChar(const Picture& p, char ch)
{
    int n = 0;
    for (const std::string& row : p)
        for (char c : row)
            n += c == ch;
    return n;
}

} // namespace

TEST(PXBitmap, SizeDepthAndDetach)
{
    PXBitmapBW bw;
    bw.Create(19, 7);
    EXPECT_EQ(19, bw.GetWidth());
    EXPECT_EQ(7, bw.GetHeight());
    EXPECT_EQ(1, bw.GetNbBitsPixel());
    PXBitmapColor color;
    PaintPicture(color, { "LLL", "LDL" }, kColors, kMagenta);
    EXPECT_EQ(3, color.GetWidth());
    EXPECT_GE(color.GetNbBitsPixel(), 16);

    HBITMAP h = bw.m_hObject;
    EXPECT_EQ(&bw, bw.Detach());
    EXPECT_EQ(nullptr, bw.m_hObject);
    BITMAP bm;
    EXPECT_NE(0, GetObjectA(h, sizeof(bm), &bm));    // not deleted
    DeleteObject(h);
}

TEST(PXBitmapColor, PixelsLuminanceAndColours)
{
    PXBitmapColor bmp;
    PaintPicture(bmp, { "RY.", "DLK" }, kColors, kMagenta);
    EXPECT_EQ(kMagenta, bmp.m_crMask);
    EXPECT_EQ(PXPALETTERGB(128, 128, 128), bmp.m_crShadow);
    EXPECT_EQ(PXPALETTERGB(255, 255, 255), bmp.m_crHighlight);
    bmp.AttachBits();
    EXPECT_PXASSERT(bmp.AttachBits(), "(m_pbBits==0)");
    const struct { int r, c, nLum; COLORREF cr; } cases[] = {
        { 0, 0, 124, kRust },
        { 0, 1, 226, kYellow },
        { 0, 2, 104, kMagenta },
        { 1, 0, 40, kDark },
        { 1, 1, 230, kLight },
        { 1, 2, 0, RGB(0, 0, 0) },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.nLum, bmp.GetLuminance(c.r, c.c)) << c.r << "," << c.c;
        EXPECT_TRUE(bmp.IsPixelColor(c.r, c.c, c.cr));
        // The palette-relative form names the same colour.
        EXPECT_TRUE(bmp.IsPixelColor(c.r, c.c, 0x02000000 | c.cr));
        EXPECT_FALSE(bmp.IsPixelColor(c.r, c.c, c.cr ^ 0x000001));
    }
    bmp.DetachBits(FALSE);
    EXPECT_PXASSERT(bmp.GetLuminance(0, 0), "(m_pbBits!=0)");
    EXPECT_PXASSERT(bmp.DetachBits(FALSE), "(m_pbBits!=0)");
}

TEST(PXBitmapColor, FillAndEffectColours)
{
    PXBitmapColor bmp;
    PaintPicture(bmp, { "RYD", "DLK", "...", "BGY" }, kColors, kMagenta);
    bmp.Fill(10, 20, 30);
    for (const auto& row : ReadPixels(bmp))
        for (COLORREF cr : row)
            EXPECT_EQ(RGB(10, 20, 30), cr);

    bmp.SetEffectColors(static_cast<COLORREF>(-1), RGB(1, 1, 1));
    EXPECT_EQ(PXPALETTERGB(128, 128, 128), bmp.m_crShadow);
    EXPECT_EQ(RGB(1, 1, 1), bmp.m_crHighlight);
    bmp.SetEffectColors(RGB(2, 2, 2), static_cast<COLORREF>(-1));
    EXPECT_EQ(RGB(2, 2, 2), bmp.m_crShadow);
    EXPECT_EQ(RGB(1, 1, 1), bmp.m_crHighlight);

    PXBitmapColor noMask;
    ScreenDC screen;
    noMask.Create(&screen.dc, 2, 2, static_cast<COLORREF>(-1));
    EXPECT_PXASSERT(noMask.GetMaskColor(), "(m_crMask!=(COLORREF)-1)");
}

TEST(PXBitmapBW, FillSetPixelAndBits)
{
    PXBitmapBW bmp;
    bmp.Create(10, 3);
    bmp.Fill(FALSE);
    bmp.AttachBits();
    EXPECT_PXASSERT(bmp.Fill(TRUE), "(m_pbBits==0)");
    bmp.SetPixel(0, 0, 1);
    bmp.SetPixel(1, 9, 3);    // only the low bit counts
    bmp.SetPixel(2, 4, 1);
    bmp.SetPixel(2, 4, 0);
    bmp.DetachBits(TRUE);
    EXPECT_EQ((Picture{ "1000000000", "0000000001", "0000000000" }), ReadBits(bmp));
    EXPECT_PXASSERT(bmp.SetPixel(0, 0, 1), "(m_pbBits!=0)");
    bmp.Fill(TRUE);
    EXPECT_EQ(30, CountChar(ReadBits(bmp), '1'));
    // Detaching without writing back keeps the bitmap.
    bmp.AttachBits();
    bmp.SetPixel(0, 0, 0);
    bmp.DetachBits(FALSE);
    EXPECT_EQ(30, CountChar(ReadBits(bmp), '1'));
}

TEST(PXBitmapBW, APixelOutsideTheBitmapIsNeverWritten)
{
    PXBitmapBW bmp;
    bmp.Create(10, 3);
    bmp.Fill(FALSE);
    bmp.AttachBits();
    // (row, column)
    const int cases[][2] = { { 3, 0 }, { -1, 0 }, { 0, 10 }, { 0, -1 }, { 100000, 5 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c[0] << "," << c[1]);
        EXPECT_PXASSERT(bmp.SetPixel(c[0], c[1], 1), "nRow>=0");
    }
    bmp.DetachBits(TRUE);
    EXPECT_EQ(0, CountChar(ReadBits(bmp), '1'));
}

TEST(PXBitmapBW, MaskFromColourBitmap)
{
    const Picture pic = { "..DD..", ".DLLD.", "DLRYLD", "......" };
    PXBitmapColor src;
    PaintPicture(src, pic, kColors, kMagenta);
    PXBitmapBW mask;
    mask.Create(6, 4);
    mask.MakeMask(&src, PXMASK_ONLY);
    Picture expected;
    for (const std::string& row : pic)
    {
        std::string e;
        for (char c : row)
            e += c == '.' ? '1' : '0';
        expected.push_back(e);
    }
    EXPECT_EQ(expected, ReadBits(mask));

    // A monochrome source is copied in as it is.
    PXBitmapBW copy;
    copy.Create(6, 4);
    copy.MakeMask(&mask, PXMASK_ONLY);
    EXPECT_EQ(expected, ReadBits(copy));

    PXBitmapColor noMask;
    ScreenDC screen;
    noMask.Create(&screen.dc, 6, 4, static_cast<COLORREF>(-1));
    EXPECT_PXASSERT(copy.MakeMask(&noMask, PXMASK_ONLY), "m_crMask");
    EXPECT_PXASSERT(copy.MakeMask(nullptr, PXMASK_ONLY), "(pSrcBitmap!=0)");
}

TEST(PXBitmapBW, DitherPatternsThinTheVisiblePixels)
{
    // An opaque 16 by 16 source: every pixel visible before the dither.
    Picture pic(16, std::string(16, 'D'));
    PXBitmapColor src;
    PaintPicture(src, pic, kColors, kMagenta);
    const struct { DWORD dwFlags; int nKeptOf64; } cases[] = {
        { PXMASK_DITHER_0, 0 },
        { PXMASK_DITHER_2, 2 },
        { PXMASK_DITHER_8, 8 },
        { PXMASK_DITHER_32, 32 },
        { PXMASK_DITHER_56, 56 },
        { PXMASK_DITHER_64, 64 },
        { PXMASK_ONLY | PXMASK_DITHER_64, 64 },
    };
    for (const auto& c : cases)
    {
        PXBitmapBW mask;
        mask.Create(16, 16);
        mask.MakeMask(&src, c.dwFlags);
        EXPECT_EQ(c.nKeptOf64 * 4, CountChar(ReadBits(mask), '0')) << "flags " << c.dwFlags;
    }

    // 0x10 keeps a checkerboard of the visible pixels; pixels of the mask
    // colour stay transparent whatever the pattern.
    Picture half = pic;
    for (int r = 0; r < 16; r++)
        for (int c = 8; c < 16; c++)
            half[r][c] = '.';
    PXBitmapColor srcHalf;
    PaintPicture(srcHalf, half, kColors, kMagenta);
    PXBitmapBW mask;
    mask.Create(16, 16);
    mask.MakeMask(&srcHalf, PXMASK_DITHER_32);
    Picture bits = ReadBits(mask);
    for (int r = 0; r < 16; r++)
        for (int c = 0; c < 16; c++)
        {
            char expected = (c >= 8 || (r + c) % 2 == 1) ? '1' : '0';
            EXPECT_EQ(expected, bits[r][c]) << r << "," << c;
        }

    // Two patterns at once are no pattern at all.
    EXPECT_PXASSERT(mask.MakeMask(&src, PXMASK_DITHER_2 | PXMASK_DITHER_8), "(0)");
    PXBitmapBW notMono;
    {
        ScreenDC screen;
        notMono.m_hObject = CreateCompatibleBitmap(screen.dc.m_hDC, 16, 16);
    }
    EXPECT_PXASSERT(notMono.MakeMask(&src, PXMASK_ONLY), "(BM.bmBitsPixel*BM.bmPlanes==1)");
}

TEST(PXBitmapEx, PlainAndStretchedCopies)
{
    const Picture pic = { "BG", "KY" };
    PXBitmapColor src;
    PaintPicture(src, pic, kColors, kMagenta);

    // Plain copy: the source at (0, 0), the rest untouched.
    PXBitmapColor dst;
    PaintPicture(dst, { "LLL", "LLL", "LLL" }, kColors, kMagenta);
    dst.CopyFrom(&src, PXBMP_COPY);
    auto px = ReadPixels(dst);
    EXPECT_EQ(RGB(0, 0, 255), px[0][0]);
    EXPECT_EQ(RGB(0, 255, 0), px[0][1]);
    EXPECT_EQ(RGB(0, 0, 0), px[1][0]);
    EXPECT_EQ(kYellow, px[1][1]);
    EXPECT_EQ(kLight, px[2][2]);
    EXPECT_EQ(kLight, px[0][2]);

    // Each stretch mode doubling the image: every pixel becomes a 2 by 2 block.
    for (DWORD dwMode : { PXBMP_STRETCH_BW, PXBMP_STRETCH_WB, PXBMP_STRETCH_CURRENT })
    {
        PXBitmapColor big;
        PaintPicture(big, Picture(4, "LLLL"), kColors, kMagenta);
        big.CopyFrom(&src, dwMode);
        auto p = ReadPixels(big);
        for (int r = 0; r < 4; r++)
            for (int c = 0; c < 4; c++)
                EXPECT_EQ(p[(r / 2) * 2][(c / 2) * 2], p[r][c]) << "mode " << dwMode;
        EXPECT_EQ(RGB(0, 0, 255), p[0][0]);
        EXPECT_EQ(kYellow, p[3][3]);
    }

    // Onto a part of the bitmap: outside the destination nothing changes.
    PXBitmapColor part;
    PaintPicture(part, Picture(4, "LLLL"), kColors, kMagenta);
    RECT rcDest = { 2, 2, 4, 4 };
    part.CopyFrom(&src, PXBMP_STRETCH_CURRENT, &rcDest);
    auto pp = ReadPixels(part);
    EXPECT_EQ(kLight, pp[0][0]);
    EXPECT_EQ(kLight, pp[1][3]);
    EXPECT_EQ(RGB(0, 0, 255), pp[2][2]);
    EXPECT_EQ(kYellow, pp[3][3]);

    // From a part of the source.
    PXBitmapColor one;
    PaintPicture(one, { "LL", "LL" }, kColors, kMagenta);
    RECT rcSrc = { 1, 1, 2, 2 };
    one.CopyFrom(&src, PXBMP_STRETCH_BW, nullptr, &rcSrc);
    for (const auto& row : ReadPixels(one))
        for (COLORREF cr : row)
            EXPECT_EQ(kYellow, cr);
}

TEST(PXBitmapEx, CopyPreconditions)
{
    PXBitmapColor src;
    PaintPicture(src, { "BG", "KY" }, kColors, kMagenta);
    PXBitmapColor dst;
    PaintPicture(dst, { "LL", "LL" }, kColors, kMagenta);
    RECT rc = { 0, 0, 1, 1 };
    EXPECT_PXASSERT(dst.CopyFrom(&src, PXBMP_COPY, &rc), "(0)");
    EXPECT_PXASSERT(dst.CopyFrom(&src, PXBMP_COPY, nullptr, &rc), "(0)");
    EXPECT_PXASSERT(dst.CopyFrom(nullptr, PXBMP_COPY), "(pSrcBitmap!=0)");
    RECT rcTooBig = { 0, 0, 3, 2 };
    EXPECT_PXASSERT(dst.CopyFrom(&src, PXBMP_STRETCH_BW, &rcTooBig),
                    "(BM.bmWidth>=RectWidth(rcDest)&& BM.bmHeight>=RectHeight(rcDest))");
    EXPECT_PXASSERT(dst.CopyFrom(&src, PXBMP_STRETCH_BW | PXBMP_STRETCH_WB), "(0)");
    PXBitmapColor none;
    EXPECT_PXASSERT(none.CopyFrom(&src, PXBMP_COPY), "(m_hObject!=0)");

    PXBitmapBW mask, maskSrc;
    mask.Create(2, 2);
    maskSrc.Create(2, 2);
    EXPECT_PXASSERT(mask.CopyFrom(&maskSrc, PXBMP_EMBOSS), "(0)");
    EXPECT_PXASSERT(mask.CopyFrom(&maskSrc, PXBMP_HILITE_DOWN), "(0)");
    maskSrc.Fill(TRUE);
    mask.Fill(FALSE);
    mask.CopyFrom(&maskSrc, PXBMP_COPY);
    EXPECT_EQ((Picture{ "11", "11" }), ReadBits(mask));
}

TEST(PXBitmapEx, HalftoneOnlyOnTrueColourDisplays)
{
    const struct { int nBits; int nCaps; bool bHalftone; } cases[] = {
        { 32, 0, true },
        { 24, 0, true },
        { 16, 0, false },
        { 8, RC_PALETTE, false },
        { 32, RC_PALETTE, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bHalftone, PXBitmapEx::CanHalftone(c.nBits, c.nCaps)) << c.nBits;
}

TEST(PXBitmapEx, HalftoneShrinkKeepsTheLayout)
{
    // Left half blue, right half green, shrunk from 16 to 4 pixels.
    Picture pic(16, std::string(8, 'B') + std::string(8, 'G'));
    PXBitmapColor src;
    PaintPicture(src, pic, kColors, kMagenta);
    PXBitmapColor dst;
    PaintPicture(dst, Picture(4, "LLLL"), kColors, kMagenta);
    dst.CopyFrom(&src, PXBMP_STRETCH_HALFTONE);
    auto p = ReadPixels(dst);
    for (int r = 0; r < 4; r++)
    {
        EXPECT_GT(GetBValue(p[r][0]), GetGValue(p[r][0]) + 100) << r;
        EXPECT_GT(GetGValue(p[r][3]), GetBValue(p[r][3]) + 100) << r;
    }
}

namespace {

// Embosses the picture and answers the expected and the actual result as
// pictures: 'S' shadow, 'H' highlight, '.' mask colour.
void Emboss(const Picture& pic, DWORD dwFlags, Picture& expected, Picture& actual,
            int nShiftX, int nShiftY, bool bHighlight)
{
    PXBitmapColor src;
    PaintPicture(src, pic, kColors, kMagenta);
    PXBitmapColor dst;
    PaintPicture(dst, Picture(pic.size(), std::string(pic[0].size(), 'Y')), kColors,
                 static_cast<COLORREF>(-1));
    dst.CopyFrom(&src, dwFlags);
    EXPECT_EQ(kMagenta, dst.m_crMask);

    int nHeight = static_cast<int>(pic.size());
    int nWidth = static_cast<int>(pic[0].size());
    auto isDark = [&](int r, int c) {
        return r >= 0 && r < nHeight && c >= 0 && c < nWidth && (pic[r][c] == 'D' || pic[r][c] == 'R');
    };
    expected.clear();
    actual.clear();
    auto px = ReadPixels(dst);
    for (int r = 0; r < nHeight; r++)
    {
        std::string e, a;
        for (int c = 0; c < nWidth; c++)
        {
            if (isDark(r, c))
                e += 'S';
            else if (bHighlight && isDark(r - nShiftY, c - nShiftX))
                e += 'H';
            else
                e += '.';
            COLORREF cr = px[r][c];
            a += cr == kShadow ? 'S' : cr == kHighlight ? 'H' : cr == kMagenta ? '.' : '?';
        }
        expected.push_back(e);
        actual.push_back(a);
    }
}

const Picture kCross = {
    "..........",
    "....D.....",
    "....D..LL.",
    ".LDDRDD.Y.",
    "....D.....",
    "....D.....",
    "..........",
};

} // namespace

TEST(PXBitmapColor, EmbossingShadowAndShiftedHighlight)
{
    const struct { DWORD dwFlags; int dx, dy; bool bHighlight; } cases[] = {
        { PXBMP_EMBOSS | PXBMP_HILITE_DOWN | PXBMP_HILITE_RIGHT, 1, 1, true },
        { PXBMP_EMBOSS | PXBMP_HILITE_DOWN, -1, 1, true },
        { PXBMP_EMBOSS | PXBMP_HILITE_UP | PXBMP_HILITE_RIGHT, 1, -1, true },
        { PXBMP_EMBOSS | PXBMP_HILITE_UP | PXBMP_HILITE_LEFT, -1, -1, true },
        { PXBMP_EMBOSS, 0, 0, false },
        { PXBMP_EMBOSS | PXBMP_HILITE_RIGHT, 0, 0, false },
    };
    for (const auto& c : cases)
    {
        Picture expected, actual;
        Emboss(kCross, c.dwFlags, expected, actual, c.dx, c.dy, c.bHighlight);
        EXPECT_EQ(expected, actual) << "flags " << c.dwFlags;
        if (!c.bHighlight)
        {
            EXPECT_EQ(0, CountChar(actual, 'H'));
        }
    }
}

TEST(PXBitmapColor, EmbossingUncoveredEdgeStaysEmpty)
{
    // Dark pixels on the last row and column: their highlight would fall
    // outside and the first row and column get none.
    const Picture pic = { "...D", "....", "....", "D..D" };
    Picture expected, actual;
    Emboss(pic, PXBMP_EMBOSS | PXBMP_HILITE_DOWN | PXBMP_HILITE_RIGHT, expected, actual, 1, 1, true);
    EXPECT_EQ(expected, actual);
    EXPECT_EQ('.', actual[0][0]);
    Emboss(pic, PXBMP_EMBOSS | PXBMP_HILITE_UP | PXBMP_HILITE_LEFT, expected, actual, -1, -1, true);
    EXPECT_EQ(expected, actual);
    EXPECT_EQ('H', actual[2][2]);
}

TEST(PXBitmapColor, EmbossingWithOwnColoursAndChecks)
{
    PXBitmapColor src;
    PaintPicture(src, kCross, kColors, kMagenta);
    PXBitmapColor dst;
    PaintPicture(dst, Picture(kCross.size(), std::string(kCross[0].size(), 'L')), kColors,
                 static_cast<COLORREF>(-1));
    dst.SetEffectColors(RGB(10, 0, 0), RGB(0, 0, 200));
    dst.CopyFrom(&src, PXBMP_EMBOSS | PXBMP_HILITE_DOWN | PXBMP_HILITE_RIGHT);
    auto px = ReadPixels(dst);
    EXPECT_EQ(RGB(10, 0, 0), px[3][4]);     // the cross
    EXPECT_EQ(RGB(0, 0, 200), px[2][5]);    // below and right of (1, 4)
    EXPECT_EQ(kMagenta, px[2][7]);          // a light pixel

    PXBitmapColor small;
    PaintPicture(small, { "LL" }, kColors, kMagenta);
    EXPECT_PXASSERT(small.CopyFrom(&src, PXBMP_EMBOSS), "(BM.bmWidth==srcBM.bmWidth)");
    PXBitmapColor srcNoMask;
    PaintPicture(srcNoMask, kCross, kColors, static_cast<COLORREF>(-1));
    EXPECT_PXASSERT(dst.CopyFrom(&srcNoMask, PXBMP_EMBOSS), "(m_crMask!=(COLORREF)-1)");
    PXBitmapBW mono;
    mono.Create(10, 7);
    EXPECT_PXASSERT(dst.CopyFrom(&mono, PXBMP_EMBOSS), "(pSrc!=0)");
}
