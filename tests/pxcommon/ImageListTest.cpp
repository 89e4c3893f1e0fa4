// Image lists: the block image lists, drawing with effects, resized copies
// that keep their indexes, and the list-view and tab-control wrappers.
#include "WindowTestSupport.h"
#include "PXImageList.h"
#include "PXListCtrl.h"
#include "PXTabCtrl.h"
#include "PXCommonRes.h"

#include <cstdlib>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 200, 0);
const COLORREF kShadow = RGB(128, 128, 128);
const COLORREF kHighlight = RGB(255, 255, 255);

const std::vector<PictureColor> kColors = {
    { '.', kMagenta }, { 'D', RGB(30, 30, 30) }, { 'L', RGB(220, 220, 220) },
    { 'g', kGreen }, { '1', RGB(220, 30, 30) }, { '2', RGB(30, 30, 220) },
    { '3', RGB(240, 200, 20) }, { '4', RGB(20, 160, 160) }, { '5', RGB(150, 60, 200) },
    { '6', RGB(90, 90, 90) },
};

COLORREF ColorOf(char ch)
{
    for (const PictureColor& pc : kColors)
        if (pc.ch == ch)
            return pc.cr;
    return 0;
}

bool Near(COLORREF a, COLORREF b, int nTolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A square of one colour inside a transparent border.
Picture Square(int nSize, char ch, int nBorder = 2)
{
    Picture p(nSize, std::string(nSize, '.'));
    for (int r = nBorder; r < nSize - nBorder; r++)
        for (int c = nBorder; c < nSize - nBorder; c++)
            p[r][c] = ch;
    return p;
}

// A 16-pixel tool-bar glyph: a dark cross on a light square.
Picture Glyph()
{
    Picture p = Square(16, 'L');
    for (int i = 4; i < 12; i++)
    {
        p[7][i] = 'D';
        p[i][7] = 'D';
    }
    return p;
}

void AddPicture(PXImageListEx& il, const Picture& pic)
{
    PXBitmapColor color;
    PaintPicture(color, pic, kColors, kMagenta);
    PXBitmapBW mask;
    mask.Create(static_cast<int>(pic[0].size()), static_cast<int>(pic.size()));
    mask.MakeMask(&color, PXMASK_ONLY);
    il.Add(&color, &mask);
}

void MakeList(PXImageListEx& il, int nCell, const std::vector<Picture>& pics)
{
    ASSERT_NE(0, il.Create(nCell, nCell, ILC_MASK | ILC_COLOR24, static_cast<int>(pics.size()), 4));
    il.SetBkColor(kMagenta);
    il.m_crBk = kMagenta;
    for (const Picture& pic : pics)
        AddPicture(il, pic);
    ASSERT_EQ(static_cast<int>(pics.size()), il.GetImageCount());
}

// A colour bitmap of the given size filled with one colour.
void Canvas(PXBitmapColor& bmp, int nWidth, int nHeight, char ch)
{
    PaintPicture(bmp, Picture(nHeight, std::string(nWidth, ch)), kColors, kMagenta);
}

// Draws image i of the list into a canvas of its own.
std::vector<std::vector<COLORREF>> DrawnPixels(PXImageListEx& il, int nIndex, int nSize,
                                               DWORD dwEffect, const SIZE* pDestSize,
                                               UINT nStyle = ILD_TRANSPARENT)
{
    PXBitmapColor canvas;
    Canvas(canvas, nSize, nSize, 'g');
    {
        PXDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectBitmap(&canvas);
        if (dwEffect == 0 && !pDestSize)
            il.Draw(nIndex, &dc, 0, 0, nStyle);
        else
            il.DrawEx(nIndex, &dc, 0, 0, nStyle, dwEffect, pDestSize, static_cast<COLORREF>(-1),
                      static_cast<COLORREF>(-1), 0);
    }
    return ReadPixels(canvas);
}

// Image i of a list as its colour and mask pictures.
void ImageOf(PXImageListEx& il, int nIndex, std::vector<std::vector<COLORREF>>& color, Picture& mask)
{
    ScreenDC screen;
    PXBitmapColor bmp;
    bmp.Create(&screen.dc, il.m_nCellWidth, il.m_nCellHeight, il.GetBkColor());
    il.GetImageBitmap(nIndex, &bmp, ILD_NORMAL);
    color = ReadPixels(bmp);
    PXBitmapBW bw;
    bw.Create(il.m_nCellWidth, il.m_nCellHeight);
    il.GetMaskBitmap(nIndex, &bw);
    mask = ReadBits(bw);
}

int Count(const Picture& p, char ch)
{
    int n = 0;
    for (const std::string& row : p)
        for (char c : row)
            n += c == ch;
    return n;
}

// A window object that takes its window with it, should a test stop early.
class HostWnd : public PXWnd
{
public:
    ~HostWnd() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

} // namespace

TEST(PXImageList, BasicOperations)
{
    PXImageListEx il;
    EXPECT_EQ(nullptr, il.m_hImageList);
    MakeList(il, 16, { Square(16, '1'), Square(16, '2'), Square(16, '3') });
    EXPECT_EQ(16, il.GetCellWidth());
    EXPECT_EQ(16, il.GetCellHeight());
    EXPECT_EQ(kMagenta, il.GetBkColor());
    IMAGEINFO info;
    ASSERT_TRUE(il.GetImageInfo(2, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    EXPECT_TRUE(il.Remove(1));
    EXPECT_EQ(2, il.GetImageCount());
    // Image 1 is now the third square.
    std::vector<std::vector<COLORREF>> color;
    Picture mask;
    ImageOf(il, 1, color, mask);
    EXPECT_EQ(ColorOf('3'), color[8][8]);
    EXPECT_EQ(kMagenta, color[0][0]);
    EXPECT_EQ('1', mask[0][0]);
    EXPECT_EQ('0', mask[8][8]);
    EXPECT_EQ(Count(Square(16, '.'), '.') - Count(Square(16, '3'), '3'), Count(mask, '1'));
}

TEST(PXImageList, LoadBitmapChecks)
{
    PXImageListEx il;
    EXPECT_PXASSERT(il.LoadBitmap(0x10000 | IDB_PX_BLOCKIMAGES, 40, 4, kMagenta),
                    "(HIWORD(nBitmapID)==0)");
    EXPECT_PXASSERT(il.LoadBitmap(999, 40, 4, kMagenta), "(m_hImageList!=0)");
}

TEST(PXBlockImageLists, FullSizeAndResizedListsOfTheStrip)
{
    PXCreateBlockImageLists();
    ASSERT_NE(nullptr, m_pIconIL);
    ASSERT_NE(nullptr, m_pResizedIconIL);
    const int kImages = 25;    // one per row of the block image table
    EXPECT_EQ(kImages, m_pIconIL->GetImageCount());
    EXPECT_EQ(40, m_pIconIL->m_nCellWidth);
    EXPECT_EQ(40, m_pIconIL->m_nCellHeight);
    EXPECT_EQ(kMagenta, m_pIconIL->GetBkColor());
    EXPECT_EQ(kMagenta, m_pIconIL->m_crBk);
    EXPECT_EQ(kImages, m_pResizedIconIL->GetImageCount());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(m_pResizedIconIL->m_hImageList, &cx, &cy);
    EXPECT_EQ(40, cx);
    EXPECT_EQ(40, cy);
    EXPECT_EQ(m_pIconIL->GetBkColor(), m_pResizedIconIL->GetBkColor());

    std::vector<Picture> masks;
    for (int i = 0; i < kImages; i++)
    {
        std::vector<std::vector<COLORREF>> color, resizedColor;
        Picture mask, resizedMask;
        ImageOf(*m_pIconIL, i, color, mask);
        ImageOf(*m_pResizedIconIL, i, resizedColor, resizedMask);
        // A shape on a transparent ground: corners clear, the middle drawn,
        // the shape covering a good part of the cell.
        EXPECT_EQ('1', mask[0][0]) << i;
        EXPECT_EQ('1', mask[39][39]) << i;
        EXPECT_EQ('0', mask[20][20]) << i;
        EXPECT_EQ(kMagenta, color[0][0]) << i;
        EXPECT_GT(Count(mask, '0'), 600) << i;
        // Label and border: more than one colour inside the shape.
        int nOther = 0;
        for (int r = 0; r < 40; r++)
            for (int c = 0; c < 40; c++)
                nOther += mask[r][c] == '0' && color[r][c] != color[5][20];
        EXPECT_GT(nOther, 20) << i;
        // Resized at the same size, the copy matches its original.
        int nMaskDiffs = 0, nColorDiffs = 0;
        for (int r = 0; r < 40; r++)
            for (int c = 0; c < 40; c++)
            {
                nMaskDiffs += mask[r][c] != resizedMask[r][c];
                nColorDiffs += mask[r][c] == '0' && !Near(color[r][c], resizedColor[r][c], 24);
            }
        EXPECT_LT(nMaskDiffs, 16) << i;
        EXPECT_LT(nColorDiffs, 40) << i;
        masks.push_back(mask);
    }
    // Shapes tell decisions from actions: the diamonds leave more clear.
    EXPECT_GT(Count(masks[13], '1'), Count(masks[0], '1') + 200);    // Menu, Announcement
}

TEST(PXImageListEx, ResizedCopiesKeepTheirIndexes)
{
    const char acColors[] = "123456";
    std::vector<Picture> pics;
    for (const char* p = acColors; *p; p++)
        pics.push_back(Square(40, *p, 6));    // a border of two pixels or more at 16
    PXImageListEx src;
    MakeList(src, 40, pics);
    for (DWORD dwEffect : { PXIL_RESIZE_HALFTONE, PXIL_RESIZE_CURRENT, PXIL_RESIZE_BW, PXIL_RESIZE_WB })
    {
        PXImageListEx resized;
        SIZE size = { 16, 16 };
        resized.CreateResized(&src, dwEffect, size, static_cast<COLORREF>(-1),
                              static_cast<COLORREF>(-1));
        ASSERT_EQ(6, resized.GetImageCount()) << dwEffect;
        EXPECT_EQ(16, resized.m_nCellWidth);
        EXPECT_EQ(kMagenta, resized.GetBkColor());
        for (int i = 0; i < 6; i++)
        {
            std::vector<std::vector<COLORREF>> color;
            Picture mask;
            ImageOf(resized, i, color, mask);
            EXPECT_TRUE(Near(ColorOf(acColors[i]), color[8][8], 24)) << "effect " << dwEffect << " image " << i;
            EXPECT_EQ('0', mask[8][8]) << i;
            EXPECT_EQ('1', mask[0][0]) << i;
            EXPECT_EQ('1', mask[15][15]) << i;
        }
    }

    // The block strip at 16 pixels keeps all of its images.
    PXCreateBlockImageLists();
    PXImageListEx small;
    SIZE size = { 16, 16 };
    small.CreateResized(m_pIconIL, PXIL_RESIZE_HALFTONE, size, static_cast<COLORREF>(-1),
                        static_cast<COLORREF>(-1));
    EXPECT_EQ(m_pIconIL->GetImageCount(), small.GetImageCount());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(small.m_hImageList, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
}

TEST(PXImageListEx, ResizedAndEmbossedCopies)
{
    PXImageListEx src;
    MakeList(src, 16, { Glyph(), Square(16, '1') });
    PXImageListEx embossed;
    SIZE size = { 16, 16 };
    embossed.CreateResized(&src, PXIL_RESIZE_CURRENT | PXIL_EMBOSS | PXIL_HILITE_DOWN | PXIL_HILITE_RIGHT,
                           size, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1));
    ASSERT_EQ(2, embossed.GetImageCount());
    std::vector<std::vector<COLORREF>> color;
    Picture mask;
    ImageOf(embossed, 0, color, mask);
    for (int r = 0; r < 16; r++)
        for (int c = 0; c < 16; c++)
        {
            COLORREF cr = color[r][c];
            if (mask[r][c] == '0')
            {
                EXPECT_TRUE(cr == kShadow || cr == kHighlight) << r << "," << c;
            }
            else
            {
                EXPECT_EQ(kMagenta, cr) << r << "," << c;
            }
        }
    EXPECT_EQ(kShadow, color[7][7]);
    EXPECT_EQ(kHighlight, color[8][8]);
}

TEST(PXImageListEx, DrawExWithoutEffectDrawsAsDraw)
{
    PXImageListEx il;
    MakeList(il, 16, { Glyph(), Square(16, '2') });
    for (int i = 0; i < 2; i++)
        for (UINT nStyle : { static_cast<UINT>(ILD_TRANSPARENT), static_cast<UINT>(ILD_NORMAL) })
        {
            PXBitmapColor a, b;
            Canvas(a, 20, 20, 'g');
            Canvas(b, 20, 20, 'g');
            {
                PXDC dcA, dcB;
                dcA.CreateCompatibleDC(nullptr);
                dcB.CreateCompatibleDC(nullptr);
                dcA.SelectBitmap(&a);
                dcB.SelectBitmap(&b);
                il.Draw(i, &dcA, 2, 3, nStyle);
                il.DrawEx(i, &dcB, 2, 3, nStyle, 0, nullptr, 0, 0, 0);
            }
            auto pa = ReadPixels(a);
            EXPECT_EQ(pa, ReadPixels(b)) << i;
            EXPECT_EQ(kGreen, pa[0][0]);
        }
}

TEST(PXImageListEx, DrawExEmbossedToolBarGlyph)
{
    PXImageListEx il;
    MakeList(il, 16, { Glyph() });
    auto px = DrawnPixels(il, 0, 16, 0x16, nullptr);
    EXPECT_EQ(1, il.GetImageCount());    // the temporary image is gone again
    Picture pic = Glyph();
    auto isDark = [&](int r, int c) { return r >= 0 && c >= 0 && pic[r][c] == 'D'; };
    for (int r = 0; r < 16; r++)
        for (int c = 0; c < 16; c++)
        {
            COLORREF expected = isDark(r, c) ? kShadow
                              : isDark(r - 1, c - 1) ? kHighlight
                              : kGreen;
            EXPECT_EQ(expected, px[r][c]) << r << "," << c;
        }
}

TEST(PXImageListEx, DrawExResizedIntoASmallerSquare)
{
    PXImageListEx il;
    MakeList(il, 16, { Square(16, '2') });
    SIZE size = { 8, 8 };
    auto px = DrawnPixels(il, 0, 16, PXIL_RESIZE_BW, &size);
    EXPECT_EQ(1, il.GetImageCount());
    for (int r = 0; r < 16; r++)
        for (int c = 0; c < 16; c++)
        {
            if (r >= 8 || c >= 8)
            {
                EXPECT_EQ(kGreen, px[r][c]) << r << "," << c;
            }
        }
    EXPECT_EQ(ColorOf('2'), px[4][4]);
    EXPECT_EQ(kGreen, px[0][0]);
}

TEST(PXImageListEx, DrawExChecks)
{
    PXImageListEx il;
    MakeList(il, 16, { Square(16, '2') });
    ScreenDC screen;
    SIZE tooBig = { 17, 16 };
    EXPECT_PXASSERT(il.DrawEx(0, &screen.dc, 0, 0, ILD_TRANSPARENT, PXIL_RESIZE_BW, &tooBig, 0, 0, 0),
                    "(pDestSize==0|| (pDestSize->cx<=srcSize.cx&&pDestSize->cy<=srcSize.cy))");
    EXPECT_PXASSERT(il.DrawEx(0, &screen.dc, 0, 0, ILD_TRANSPARENT, PXIL_RESIZE_BW, nullptr, 0, 0, 0),
                    "(pDestSize!=0)");
    SIZE size = { 8, 8 };
    EXPECT_PXASSERT(il.DrawEx(0, &screen.dc, 0, 0, ILD_TRANSPARENT, PXIL_RESIZE_BW | PXIL_RESIZE_WB,
                              &size, 0, 0, 0),
                    "(0)");
}

// ------------------------------------------------------------------ controls

TEST(PXListCtrl, CreatedOutsideTheTableWithItsImageList)
{
    TestParent parent;
    InitCommonControls();
    int nTable = PXWndImpl::GetTableCount();
    PXListCtrl list;
    EXPECT_EQ(1, list.Create(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "ListView",
                             WS_CHILD | LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS, 0, 0, 200,
                             100, parent.m_hWnd, reinterpret_cast<HMENU>(997), nullptr));
    ASSERT_NE(nullptr, list.m_hWnd);
    EXPECT_EQ(nTable, PXWndImpl::GetTableCount());
    EXPECT_EQ(997, GetDlgCtrlID(list.m_hWnd));

    PXImageListEx il;
    MakeList(il, 16, { Square(16, '1') });
    EXPECT_EQ(nullptr, list.SetImageList(&il, LVSIL_NORMAL));
    EXPECT_EQ(il.m_hImageList,
              reinterpret_cast<HIMAGELIST>(SendMessageA(list.m_hWnd, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)));
    EXPECT_EQ(il.m_hImageList, list.SetImageList(nullptr, LVSIL_NORMAL));
    list.DestroyWindow();

    PXListCtrl bad;
    EXPECT_EQ(0, bad.Create(0, "PXNOSUCHCLASS", "", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, nullptr,
                            nullptr));
    EXPECT_EQ(nullptr, bad.m_hWnd);
}

TEST(PXTabCtrl, CreateInsertAndAdjust)
{
    TestParent parent;
    HostWnd host;
    host.Create(0, PXTestWndClass(), "host", WS_CHILD, 0, 0, 300, 200, parent.m_hWnd, nullptr,
                nullptr);
    PXTabCtrl tab;
    RECT rc = { 2, 2, 298, 198 };
    ASSERT_NE(0, tab.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, &host, 999));
    char szClass[64], szTitle[64];
    GetClassNameA(tab.m_hWnd, szClass, sizeof(szClass));
    GetWindowTextA(tab.m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ("SysTabControl32", szClass);
    EXPECT_STREQ("Tab Ctrl", szTitle);
    EXPECT_EQ(999, GetDlgCtrlID(tab.m_hWnd));
    EXPECT_EQ(host.m_hWnd, GetParent(tab.m_hWnd));
    RECT rcTab;
    tab.GetWindowRect(&rcTab);
    host.ScreenToClient(&rcTab);
    EXPECT_EQ(2, rcTab.left);
    EXPECT_EQ(296, rcTab.right - rcTab.left);

    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>("Loading...");
    item.lParam = 42;
    EXPECT_EQ(0, tab.InsertItem(0, &item));
    item.pszText = const_cast<char*>("Second");
    EXPECT_EQ(1, tab.InsertItem(1, &item));
    EXPECT_EQ(2, tab.SendMessage(TCM_GETITEMCOUNT));

    RECT rcDisplay;
    tab.GetClientRect(&rcDisplay);
    RECT rcWhole = rcDisplay;
    tab.AdjustRect(FALSE, &rcDisplay);
    EXPECT_GT(rcDisplay.top, rcWhole.top);    // below the row of tabs
    EXPECT_LT(rcDisplay.bottom - rcDisplay.top, rcWhole.bottom - rcWhole.top);
    tab.AdjustRect(TRUE, &rcDisplay);
    EXPECT_EQ(rcWhole.top, rcDisplay.top);

    PXWnd none;
    PXTabCtrl orphan;
    EXPECT_PXASSERT(orphan.Create(WS_CHILD, rc, &none, 1), "(::IsWindow(pParentWnd->m_hWnd))");
    tab.DestroyWindow();
    host.DestroyWindow();
    FlushMessages();
}
