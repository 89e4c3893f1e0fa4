// Named fonts, pens, brushes and bitmaps: the default tables, look-up by
// name, font replacement, the font chooser and bitmaps loaded once.
#include "PXTestSupport.h"

#include "BitmapObject.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "PenObject.h"

#include <string>

TEST(GdiResourceTest, DefaultBrushesAreFoundByNameWithTheirColours)
{
    Brushes brushes(DefaultBrushRows);
    int nRows = 0;
    for (const BrushRow* pRow = DefaultBrushRows; pRow->pszName; ++pRow, ++nRows)
    {
        BrushObject* pBrush = brushes.Find(pRow->pszName);
        ASSERT_NE(pBrush, nullptr) << pRow->pszName;
        EXPECT_EQ(pBrush->GetColour(), pRow->colour);
        LOGBRUSH lb;
        ASSERT_EQ(GetObjectA(pBrush->GetBrush(), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
        EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(lb.lbColor, pRow->colour) << pRow->pszName;
        EXPECT_STREQ(pBrush->nameOf(), "BRUSHOBJECT");
    }
    EXPECT_EQ(nRows, 23);
    EXPECT_EQ(static_cast<int>(brushes.getItemsInContainer()), 23);
    EXPECT_EQ(brushes.Find("goto_label_background")->GetColour(), RGB(255, 204, 204));
    EXPECT_EQ(brushes.Find("text_notes"), nullptr);
    EXPECT_EQ(brushes.Find("Text_Note"), nullptr);
}

TEST(GdiResourceTest, DefaultPensAreFoundByNameWithStyleWidthAndColour)
{
    Pens pens(DefaultPenRows);
    int nRows = 0;
    for (const PenRow* pRow = DefaultPenRows; pRow->pszName; ++pRow, ++nRows)
    {
        PenObject* pPen = pens.Find(pRow->pszName);
        ASSERT_NE(pPen, nullptr) << pRow->pszName;
        LOGPEN lp;
        ASSERT_EQ(GetObjectA(pPen->GetPen(), sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
        EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(pRow->nStyle));
        EXPECT_EQ(lp.lopnWidth.x, pRow->nWidth) << pRow->pszName;
        EXPECT_EQ(lp.lopnColor, pRow->colour) << pRow->pszName;
    }
    EXPECT_EQ(nRows, 8);
    LOGPEN lp;
    GetObjectA(pens.Find("selected_goto")->GetPen(), sizeof(lp), &lp);
    EXPECT_EQ(lp.lopnWidth.x, 2);
    EXPECT_EQ(lp.lopnColor, RGB(255, 0, 0));
}

TEST(GdiResourceTest, DefaultFontsAreMadeAndMeasured)
{
    Fonts fonts(DefaultFontRows);
    EXPECT_EQ(static_cast<int>(fonts.getItemsInContainer()), 4);
    for (const FontRow* pRow = DefaultFontRows; pRow->pszFace; ++pRow)
    {
        FontObject* pFont = fonts.Find(pRow->pszName);
        ASSERT_NE(pFont, nullptr) << pRow->pszName;
        ASSERT_NE(pFont->GetFont(), nullptr);
        EXPECT_STREQ(pFont->GetFace(), pRow->pszFace);
        EXPECT_EQ(pFont->GetHeight(), pRow->nHeight);
        EXPECT_EQ(pFont->GetItalic(), 0);
        LOGFONTA lf;
        ASSERT_EQ(GetObjectA(pFont->GetFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfHeight, pRow->nHeight);
        EXPECT_EQ(lf.lfWeight, pRow->nWeight);
        EXPECT_STREQ(lf.lfFaceName, pRow->pszFace);
        EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
        // The measured character height is the asked height without the
        // internal leading.
        EXPECT_GT(pFont->GetCharHeight(), 0);
        EXPECT_LE(pFont->GetCharHeight(), -pRow->nHeight + 1);
        EXPECT_GT(pFont->GetAveCharWidth(), 0);
        EXPECT_GE(pFont->GetInternalLeading(), 0);
        EXPECT_STREQ(pFont->nameOf(), "FONTOBJECT");
    }
    EXPECT_EQ(fonts.Find("Icon_Label"), nullptr);
    EXPECT_GT(fonts.Find("status_line")->GetWeight(), fonts.Find("icon_label")->GetWeight());
}

TEST(GdiResourceTest, MeasuresInTheGivenContext)
{
    HDC hDC = CreateCompatibleDC(nullptr);
    ASSERT_NE(hDC, nullptr);
    FontObject font("probe", "arial", -20, 400, 1, hDC);
    HGDIOBJ hOld = SelectObject(hDC, font.GetFont());
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(hDC, &tm));
    SIZE size;
    GetTextExtentPoint32A(hDC, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    EXPECT_EQ(font.GetCharHeight(), tm.tmHeight - tm.tmInternalLeading);
    EXPECT_EQ(font.GetInternalLeading(), tm.tmInternalLeading);
    EXPECT_EQ(font.GetWeight(), tm.tmWeight);
    EXPECT_EQ(font.GetAveCharWidth(), size.cx / 52);
    EXPECT_EQ(font.GetItalic(), 1);
}

// Only character heights from -7 to 0 become -8; a positive height asks for
// a cell height and stays.
TEST(GdiResourceTest, SmallCharacterHeightsBecomeMinus8)
{
    struct Case { int nAsked; int nMade; };
    const Case cases[] = {
        { -7, -8 }, { -1, -8 }, { 0, -8 }, { -8, -8 }, { -11, -11 }, { -100, -100 },
        { 1, 1 }, { 7, 7 }, { 12, 12 },
    };
    for (const Case& c : cases)
    {
        FontObject font("h", "arial", c.nAsked, 400, 0);
        EXPECT_EQ(font.GetHeight(), c.nMade) << c.nAsked;
        LOGFONTA lf;
        ASSERT_EQ(GetObjectA(font.GetFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfHeight, c.nMade) << c.nAsked;
    }
}

TEST(GdiResourceTest, CopyOfAFontTakesItsFontAsItIs)
{
    FontObject cell("cell", "arial", 9, 700, 1);
    FontObject copy("", cell);
    EXPECT_STREQ(copy.GetName(), "");
    EXPECT_STREQ(copy.GetFace(), "arial");
    EXPECT_EQ(copy.GetHeight(), 9);
    EXPECT_EQ(copy.GetItalic(), 1);
    LOGFONTA lf;
    ASSERT_EQ(GetObjectA(copy.GetFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, 9);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_NE(copy.GetFont(), cell.GetFont());
    EXPECT_GT(copy.GetAveCharWidth(), 0);
}

namespace {

int CountNamed(const Fonts& fonts, const char* pszName)
{
    int n = 0;
    for (int i = 0; i < static_cast<int>(fonts.getItemsInContainer()); ++i)
        if (lstrcmpA(static_cast<FontObject&>(fonts[i]).GetName(), pszName) == 0)
            ++n;
    return n;
}

FontObject& LastFont(const Fonts& fonts)
{
    return static_cast<FontObject&>(fonts[static_cast<int>(fonts.getItemsInContainer()) - 1]);
}

} // namespace

TEST(GdiResourceTest, ReplacingAFontLeavesOneEntryAtTheEnd)
{
    Fonts fonts(DefaultFontRows);
    fonts.Add(new FontObject("status_line", "arial", -30, 400, 0), TRUE);
    EXPECT_EQ(static_cast<int>(fonts.getItemsInContainer()), 4);
    EXPECT_EQ(CountNamed(fonts, "status_line"), 1);
    EXPECT_STREQ(LastFont(fonts).GetName(), "status_line");
    EXPECT_EQ(fonts.Find("status_line"), &LastFont(fonts));
    EXPECT_EQ(fonts.Find("status_line")->GetHeight(), -30);
    // A name not in the table is simply added.
    fonts.Add(new FontObject("palette", "arial", -12, 400, 0), TRUE);
    EXPECT_EQ(static_cast<int>(fonts.getItemsInContainer()), 5);
    EXPECT_NE(fonts.Find("icon_label"), nullptr);
}

TEST(GdiResourceTest, AddingWithoutReplaceKeepsTheFirstEntryFound)
{
    Fonts fonts(DefaultFontRows);
    FontObject* pOriginal = fonts.Find("status_line");
    FontObject* pSecond = new FontObject("status_line", "arial", -20, 400, 0);
    fonts.Add(pSecond, FALSE);
    EXPECT_EQ(static_cast<int>(fonts.getItemsInContainer()), 5);
    EXPECT_EQ(CountNamed(fonts, "status_line"), 2);
    EXPECT_EQ(fonts.Find("status_line"), pOriginal);
    // Replacing then removes the first of the two.
    fonts.Add(new FontObject("status_line", "arial", -40, 400, 0), TRUE);
    EXPECT_EQ(CountNamed(fonts, "status_line"), 2);
    EXPECT_EQ(fonts.Find("status_line"), pSecond);
}

namespace {

CHOOSEFONTA g_seen;
LOGFONTA g_seenFont;
LOGFONTA g_answerFont;
BOOL g_bChoose;

BOOL WINAPI AnswerChooseFont(CHOOSEFONTA* pcf)
{
    g_seen = *pcf;
    g_seenFont = *pcf->lpLogFont;
    if (g_bChoose)
        *pcf->lpLogFont = g_answerFont;
    return g_bChoose;
}

} // namespace

TEST(GdiResourceTest, ChooserStartsFromTheEntryAndNamesTheResultLikeIt)
{
    FontObject::ChooseFontFn pfnOld = FontObject::SetChooseFontHook(AnswerChooseFont);
    FontObject entry("powerblock_label", "arial", -11, 400, 0);
    HWND hOwner = reinterpret_cast<HWND>(0x1234);

    g_bChoose = FALSE;
    EXPECT_EQ(FontObject::Choose(&entry, hOwner), nullptr);
    EXPECT_EQ(g_seen.Flags, 0x10441u);
    EXPECT_EQ(g_seen.hwndOwner, hOwner);
    EXPECT_EQ(g_seenFont.lfHeight, -11);
    EXPECT_STREQ(g_seenFont.lfFaceName, "arial");

    struct Case { int nHeight; int nMade; BYTE bItalic; };
    const Case cases[] = { { -5, -8, 1 }, { -14, -14, 0 }, { 10, 10, 1 } };
    for (const Case& c : cases)
    {
        g_bChoose = TRUE;
        g_answerFont = g_seenFont;
        g_answerFont.lfHeight = c.nHeight;
        g_answerFont.lfWeight = 700;
        g_answerFont.lfItalic = c.bItalic;
        lstrcpyA(g_answerFont.lfFaceName, "Courier New");
        FontObject* pChosen = FontObject::Choose(&entry, hOwner);
        ASSERT_NE(pChosen, nullptr);
        EXPECT_STREQ(pChosen->GetName(), "powerblock_label");
        EXPECT_STREQ(pChosen->GetFace(), "Courier New");
        EXPECT_EQ(pChosen->GetHeight(), c.nMade);
        EXPECT_EQ(pChosen->GetItalic(), c.bItalic);
        LOGFONTA lf;
        GetObjectA(pChosen->GetFont(), sizeof(lf), &lf);
        EXPECT_EQ(lf.lfWeight, 700);
        delete pChosen;
    }
    EXPECT_PXASSERT(FontObject::Choose(nullptr, hOwner), "pEntry");
    FontObject::SetChooseFontHook(pfnOld);
}

TEST(GdiResourceTest, BitmapsAreLoadedOnceByName)
{
    Bitmaps bitmaps;
    EXPECT_EQ(static_cast<int>(bitmaps.getItemsInContainer()), 0);
    BitmapObject* pFirst = BitmapObject::Get(bitmaps, "TEST_GLYPH");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pFirst->GetBitmap(), nullptr);
    EXPECT_EQ(pFirst->GetWidth(), 5);
    EXPECT_EQ(pFirst->GetHeight(), 3);
    EXPECT_EQ(BitmapObject::Get(bitmaps, "TEST_GLYPH"), pFirst);
    EXPECT_EQ(static_cast<int>(bitmaps.getItemsInContainer()), 1);
    EXPECT_STREQ(pFirst->nameOf(), "BRUSHOBJECT");
}

TEST(GdiResourceTest, MissingBitmapIsReportedOnceAndKeptWithoutBitmap)
{
    Bitmaps bitmaps;
    MessageBoxRecorder boxes;
    BitmapObject* pMissing = BitmapObject::Get(bitmaps, "NO_SUCH_BITMAP");
    ASSERT_NE(pMissing, nullptr);
    EXPECT_EQ(pMissing->GetBitmap(), nullptr);
    EXPECT_EQ(pMissing->GetWidth(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Error loading bitmap NO_SUCH_BITMAP");
    EXPECT_EQ(boxes.boxes[0].uType & MB_ICONMASK, 0u);
    EXPECT_EQ(BitmapObject::Get(bitmaps, "NO_SUCH_BITMAP"), pMissing);
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST(GdiResourceTest, BitmapMissingFromTheProgramComesFromTheLibrary)
{
    // With the program's texts and bitmaps taken from a module that has no
    // such bitmap, the bitmap library is searched next.
    HINSTANCE hProgram = PXGetResourceHandle();
    Bitmaps bitmaps;
    BitmapObject::SetLibrary(GetModuleHandleA(nullptr));
    PXSetResourceHandle(GetModuleHandleA("kernel32.dll"));
    BitmapObject* pBitmap = new BitmapObject("TEST_GLYPH");
    PXSetResourceHandle(hProgram);
    BitmapObject::SetLibrary(nullptr);
    bitmaps.add(*pBitmap);
    EXPECT_NE(pBitmap->GetBitmap(), nullptr);
    EXPECT_EQ(pBitmap->GetWidth(), 5);
}
