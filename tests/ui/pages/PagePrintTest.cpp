// Printing a page: the tiles, headers and frames recorded into a metafile
// made on the printer's DC, a page printed into a file through the test
// printer, the notes' fonts and the modified marks left alone, and a
// printer page too small for a tile refused.
#include "PageTestSupport.h"
#include "PXTestPrinter.h"
#include "PXTestSupport.h"
#include "FontObject.h"
#include "PaneRes.h"
#include "PrintEdit.h"
#include "PrintState.h"
#include "PXTextUI.h"
#include "UIApp.h"

#include "classlib/ListIterator.h"

#include <string.h>
#include <string>
#include <vector>

namespace {

std::string TempPath(const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    return std::string(szTemp) + pszName;
}

// A printing pane drawing into a metafile: each printer page leaves a
// comment "tile" in the records.
class RecordingPrint : public PrintEdit
{
public:
    using PrintEdit::PrintEdit;
    bool BeginTile() override
    {
        GdiComment(GetPaneDC(), 4, reinterpret_cast<const BYTE*>("tile"));
        ++nTiles;
        return true;
    }
    void EndTile() override {}
    int DeviceCaps(int nIndex) override
    {
        if (nIndex == HORZRES && nHorzRes >= 0)
            return nHorzRes;
        return PrintEdit::DeviceCaps(nIndex);
    }
    int nTiles = 0;
    int nHorzRes = -1;      // a printer page of this width, when set
};

// What one printer page of the metafile holds.
struct PrintedPage
{
    std::vector<std::string> texts;
    int nFramePatBlts = 0;  // the four edges FrameRect paints
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    auto* pPages = reinterpret_cast<std::vector<PrintedPage>*>(lParam);
    if (pRec->iType == EMR_GDICOMMENT)
    {
        const EMRGDICOMMENT* p = reinterpret_cast<const EMRGDICOMMENT*>(pRec);
        if (p->cbData == 4 && memcmp(p->Data, "tile", 4) == 0)
            pPages->push_back(PrintedPage());
    }
    else if (pRec->iType == EMR_EXTTEXTOUTW && !pPages->empty())
    {
        const EMREXTTEXTOUTW* p = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec);
        const WCHAR* pw = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) + p->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < p->emrtext.nChars; ++i)
            text += static_cast<char>(pw[i]);
        pPages->back().texts.push_back(text);
    }
    else if (pRec->iType == EMR_EXTTEXTOUTA && !pPages->empty())
    {
        const EMREXTTEXTOUTA* p = reinterpret_cast<const EMREXTTEXTOUTA*>(pRec);
        pPages->back().texts.push_back(
            std::string(reinterpret_cast<const char*>(p) + p->emrtext.offString, p->emrtext.nChars));
    }
    else if (pRec->iType == EMR_BITBLT && !pPages->empty())
        ++pPages->back().nFramePatBlts;
    return 1;
}

class PagePrintTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ASSERT_TRUE(pxtest::InstallTestPrinter());
        pfnOldDialog = PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
        pWindow = OpenProgram(&pProgram);
        pPane = PaneOf(pWindow);
        pMain = pProgram->GetMainPage();
        pElement = LayoutRecord::FindElement(PANE_EDIT);
        ASSERT_NE(nullptr, pElement);
    }
    void TearDown() override
    {
        SetFrameOption(false);
        PrinterCleanup();
        PrintState::set_output_file(nullptr);
        PrintState::set_dialog_func(pfnOldDialog);
        PageTest::TearDown();
    }

    static void SetFrameOption(bool bOn)
    {
        ModelSettings settings = GetModelSettings();
        if (bOn)
            settings.dwOptions |= UI_OPT_PRINTFRAME;
        else
            settings.dwOptions &= ~static_cast<DWORD>(UI_OPT_PRINTFRAME);
        ModelSetSettings(settings);
    }

    PowerBlock* Add(int nType, const char* pszName, long x, long y)
    {
        PowerBlock* pBlock = AddBlock(pMain, nType, pszName, x, y);
        frame->NotifyChildren(pBlock, OBJECT_ADDED, 0);
        return pBlock;
    }

    // Every block now on the page is dropped from it.
    void EmptyPage()
    {
        std::vector<PowerBlock*> blocks;
        for (ListIterator it(pMain->GetBlocks()); it; ++it)
            blocks.push_back(static_cast<PowerBlock*>(&it.current()));
        for (PowerBlock* p : blocks)
        {
            frame->NotifyChildren(p, OBJECT_CHANGING, OBJECT_INCOMING_GOTOS | OBJECT_OWN_GOTOS);
            pMain->RemoveBlock(p);
        }
    }

    // Prints the main page into a metafile on the printer's DC; the pages
    // recorded, and the printing pane's tile size and scales through pOut.
    std::vector<PrintedPage> PrintToMetafile(int* pnResult = nullptr, int nHorzRes = -1, SIZE* pTile = nullptr,
                                             long* pHScale = nullptr, long* pVScale = nullptr)
    {
        std::vector<PrintedPage> pages;
        PrintState state(nullptr);
        HDC hRef = state.get_printer_dc(0);
        EXPECT_NE(nullptr, hRef);
        if (!hRef)
            return pages;
        HDC hMeta = CreateEnhMetaFileA(hRef, nullptr, nullptr, nullptr);
        RecordingPrint print(&state, pElement, pProgram, pMain, hMeta);
        print.nHorzRes = nHorzRes;
        const int nResult = print.PrintPages();
        if (pnResult)
            *pnResult = nResult;
        if (pTile)
            *pTile = print.GetTileSize();
        if (pHScale)
            *pHScale = print.GetHScale();
        if (pVScale)
            *pVScale = print.GetVScale();
        HENHMETAFILE hEmf = CloseEnhMetaFile(hMeta);
        EnumEnhMetaFile(nullptr, hEmf, CollectRecord, &pages, nullptr);
        DeleteEnhMetaFile(hEmf);
        EXPECT_EQ(nResult < 0 ? 0 : nResult, static_cast<int>(pages.size()));
        EXPECT_EQ(print.nTiles, static_cast<int>(pages.size()));
        return pages;
    }

    static std::string HeaderOf(const PrintedPage& page)
    {
        for (const std::string& s : page.texts)
            if (s.find("     Page ") != std::string::npos)
                return s;
        return std::string();
    }

    PrintState::PrintDialogFunc pfnOldDialog = nullptr;
    Program* pProgram = nullptr;
    EditMDI* pWindow = nullptr;
    EditChild* pPane = nullptr;
    Page* pMain = nullptr;
    const LayoutElement* pElement = nullptr;
};

TEST_F(PagePrintTest, APageInOneTilePrintsOnePageMarkedA1)
{
    EmptyPage();
    Add(402, "MenuA", 40, 40);
    const std::vector<PrintedPage> pages = PrintToMetafile();
    ASSERT_EQ(1u, pages.size());
    const std::string header = HeaderOf(pages[0]);
    EXPECT_EQ(std::string(pProgram->GetName()) + " (" + pMain->GetName() + ")     Page A-1", header);
    bool bBlockName = false;
    for (const std::string& s : pages[0].texts)
        bBlockName = bBlockName || s == "MenuA";
    EXPECT_TRUE(bBlockName) << "the block was drawn on the page";
}

// Tiles go row by row; an empty tile prints no page but keeps its number.
TEST_F(PagePrintTest, TilesGoRowByRowAndEmptyTilesAreSkipped)
{
    // First a block to learn the printing pane's scales from.
    EmptyPage();
    Add(402, "Probe", 40, 40);
    SIZE tile;
    long nHScale = 0, nVScale = 0;
    PrintToMetafile(nullptr, -1, &tile, &nHScale, &nVScale);
    ASSERT_GT(tile.cx, 0);
    ASSERT_GT(nHScale, 0);
    // Model units across one tile.
    const long nTileModelX = (tile.cx * 8192L) / nHScale;
    const long nTileModelY = (tile.cy * 8192L) / nVScale;

    struct Case
    {
        const char* pszWhat;
        int nColumn;        // the tile of the second block (the first sits in A-1 unless told)
        int nRow;
        bool bFirstToo;
        std::vector<std::string> expected;
    } cases[] = {
        {"right tile empty", 0, 0, true, {"A-1"}},
        {"left tile empty", 1, 0, false, {"A-2"}},
        {"two tiles in a row", 1, 0, true, {"A-1", "A-2"}},
        {"a gap of three tiles", 3, 0, true, {"A-1", "A-4"}},
        {"the next row", 0, 1, true, {"A-1", "B-1"}},
        {"the 27th row is lettered A", 1, 26, false, {"A-2"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        EmptyPage();
        if (c.bFirstToo)
            Add(402, "First", 40, 40);
        if (c.nColumn || c.nRow)
            Add(402, "Second", c.nColumn * nTileModelX + nTileModelX / 3, c.nRow * nTileModelY + nTileModelY / 3);
        const std::vector<PrintedPage> pages = PrintToMetafile();
        ASSERT_EQ(c.expected.size(), pages.size());
        for (size_t i = 0; i < pages.size(); ++i)
        {
            const std::string header = HeaderOf(pages[i]);
            const std::string mark = "Page " + c.expected[i];
            EXPECT_EQ(mark, header.substr(header.size() >= mark.size() ? header.size() - mark.size() : 0))
                << header;
        }
    }
}

TEST_F(PagePrintTest, FrameOptionFramesEveryPrintedPage)
{
    EmptyPage();
    Add(402, "First", 40, 40);
    SIZE tile;
    long nHScale = 0, nVScale = 0;
    PrintToMetafile(nullptr, -1, &tile, &nHScale, &nVScale);
    ASSERT_GT(nHScale, 0);
    Add(402, "Second", (tile.cx * 8192L) / nHScale + 40, 40);

    SetFrameOption(false);
    const std::vector<PrintedPage> plain = PrintToMetafile();
    SetFrameOption(true);
    const std::vector<PrintedPage> framed = PrintToMetafile();
    ASSERT_EQ(2u, plain.size());
    ASSERT_EQ(2u, framed.size());
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(plain[i].nFramePatBlts + 4, framed[i].nFramePatBlts) << "page " << i;
}

TEST_F(PagePrintTest, NotesOfBlanksAreNotPrinted)
{
    EmptyPage();
    PXTextUI* pBlank = new PXTextUI(pMain, 40, 240, 40, 90, nullptr);
    pBlank->SetText("  \t \r\n ");
    pMain->AddNote(pBlank);
    const std::vector<PrintedPage> none = PrintToMetafile();
    EXPECT_EQ(0u, none.size()) << "a page of only a blank note prints nothing";

    PXTextUI* pNote = new PXTextUI(pMain, 40, 240, 100, 150, nullptr);
    pNote->SetText("Printed note");
    pMain->AddNote(pNote);
    const std::vector<PrintedPage> pages = PrintToMetafile();
    ASSERT_EQ(1u, pages.size());
    bool bFound = false;
    for (const std::string& s : pages[0].texts)
        bFound = bFound || s.find("Printed") != std::string::npos;
    EXPECT_TRUE(bFound);
}

TEST_F(PagePrintTest, PrintingLeavesNoteFontsAndModifiedMarksAlone)
{
    EmptyPage();
    FontObject* pFont = new FontObject("", "Arial", -13, 700, 1);
    PXTextUI* pNote = new PXTextUI(pMain, 40, 240, 40, 90, pFont);
    pNote->SetText("Kept font");
    pMain->AddNote(pNote);
    frame->NotifyChildren(pNote, OBJECT_ADDED, 0);
    pProgram->ClearModified();
    const HFONT hFont = pNote->GetTextBox()->GetFont();

    PrintState::set_output_file(TempPath("plexkept.ps").c_str());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(1, PrintPage(pMain, pPane));
    pPane->Relayout();

    EXPECT_EQ(pFont, pNote->GetFontObject());
    EXPECT_EQ(hFont, pNote->GetTextBox()->GetFont());
    EXPECT_EQ(-13, pFont->GetHeight()) << "the note's font did not shrink";
    EXPECT_FALSE(pProgram->IsModified());
    DeleteFileA(TempPath("plexkept.ps").c_str());
}

TEST_F(PagePrintTest, APagePrintsIntoTheFileOfTheTestPrinter)
{
    EmptyPage();
    Add(402, "First", 40, 40);
    SIZE tile;
    long nHScale = 0, nVScale = 0;
    PrintToMetafile(nullptr, -1, &tile, &nHScale, &nVScale);
    ASSERT_GT(nVScale, 0);
    Add(402, "Below", 40, (tile.cy * 8192L) / nVScale + 40);

    const std::string out = TempPath("plexpage.ps");
    DeleteFileA(out.c_str());
    PrintState::set_output_file(out.c_str());
    EXPECT_EQ(2, PrintPage(pMain, pPane));
    EXPECT_EQ(0, pPane->GetDisplayObjectCount()) << "the screen pane's objects were dropped";
    pPane->Relayout();
    EXPECT_GT(pPane->GetDisplayObjectCount(), 0);
    EXPECT_EQ(2, pxtest::CountPostScriptPages(out));
    DeleteFileA(out.c_str());
}

TEST_F(PagePrintTest, APrinterPageTooSmallForATileIsRefused)
{
    EmptyPage();
    Add(402, "First", 40, 40);
    MessageBoxRecorder boxes;
    PrintState state(nullptr);
    const int nDpiX = GetDeviceCaps(state.get_printer_dc(0), LOGPIXELSX);
    int nResult = 0;
    const std::vector<PrintedPage> pages = PrintToMetafile(&nResult, nDpiX);
    EXPECT_EQ(-1, nResult);
    EXPECT_TRUE(pages.empty());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The printer's page is too small to print on.", boxes.boxes[0].text);
}

}

namespace {

TEST_F(PagePrintTest, PageSizeIsThePrintableAreaInEighthsOfACharacter)
{
    long nWidth = -1, nHeight = -1;
    EditChild::GetPageSize(pPane, nWidth, nHeight, 1);
    ASSERT_GT(nWidth, 0);
    ASSERT_GT(nHeight, 0);
    // The same measure from the printer's DC: a page of Letter paper holds
    // more eighths of a character across than one line of 80 characters.
    PrintState state(nullptr);
    HDC hDC = state.get_printer_dc(1);
    const long nPrintWidth = GetDeviceCaps(hDC, HORZRES) - GetDeviceCaps(hDC, LOGPIXELSX);
    EXPECT_GT(nWidth, 8 * 20);
    EXPECT_LT(nWidth, nPrintWidth * 8);
    long nWidth2 = 0, nHeight2 = 0;
    EditChild::GetPageSize(pPane, nWidth2, nHeight2, 0);
    EXPECT_EQ(nWidth, nWidth2);
    EXPECT_EQ(nHeight, nHeight2);

    // Without a printer the page has no size.
    PrinterCleanup();
    PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    EditChild::GetPageSize(pPane, nWidth, nHeight, 2);
    EXPECT_EQ(0, nWidth);
    EXPECT_EQ(0, nHeight);
}

}
