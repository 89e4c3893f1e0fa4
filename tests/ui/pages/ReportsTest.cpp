// The printed reports over an open application: what each report draws,
// recorded into a metafile made on the test printer's DC while the job runs
// into a file of the test printer; the pages the driver counts; the lookup
// tables; the font heights; and the paths on which nothing is printed.
#include "UserAppTestSupport.h"
#include "PXTestPrinter.h"
#include "PXReports.h"
#include "PXCmdIds.h"
#include "PrintEdit.h"
#include "PrintState.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

std::string TempPath(const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    return std::string(szTemp) + pszName;
}

// One text the report drew, where it drew it.
struct Drawn
{
    std::string text;
    int x;
    int y;
};

// The metafile the reports draw into during a test.
HDC g_hRecord = nullptr;
HDC RecordInto(HDC hPrinterDC)
{
    if (!g_hRecord)
        g_hRecord = CreateEnhMetaFileA(hPrinterDC, nullptr, nullptr, nullptr);
    return g_hRecord;
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    auto* pTexts = reinterpret_cast<std::vector<Drawn>*>(lParam);
    if (pRec->iType == EMR_EXTTEXTOUTW)
    {
        const EMREXTTEXTOUTW* p = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec);
        const WCHAR* pw = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) + p->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < p->emrtext.nChars; ++i)
            text += static_cast<char>(pw[i]);
        pTexts->push_back({text, p->emrtext.ptlReference.x, p->emrtext.ptlReference.y});
    }
    else if (pRec->iType == EMR_EXTTEXTOUTA)
    {
        const EMREXTTEXTOUTA* p = reinterpret_cast<const EMREXTTEXTOUTA*>(pRec);
        pTexts->push_back({std::string(reinterpret_cast<const char*>(p) + p->emrtext.offString, p->emrtext.nChars),
                           p->emrtext.ptlReference.x, p->emrtext.ptlReference.y});
    }
    return 1;
}

// The texts of the recording, which is closed and dropped.
std::vector<Drawn> TakeRecording()
{
    std::vector<Drawn> texts;
    if (!g_hRecord)
        return texts;
    HENHMETAFILE hEmf = CloseEnhMetaFile(g_hRecord);
    g_hRecord = nullptr;
    EnumEnhMetaFile(nullptr, hEmf, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(hEmf);
    return texts;
}

// The index of the first text equal to s from a position on, or -1.
int Find(const std::vector<Drawn>& texts, const std::string& s, int nFrom = 0)
{
    for (int i = nFrom; i < static_cast<int>(texts.size()); ++i)
        if (texts[i].text == s)
            return i;
    return -1;
}

void AddItem(const char* pszName, short sId, short sMedia, const char* pszText)
{
    kvrItemData* pData = static_cast<kvrItemData*>(calloc(1, sizeof(kvrItemData)));
    pData->mediaKind = sMedia;
    pData->description = pszText ? _strdup(pszText) : nullptr;
    Symbol* pSym = nullptr;
    EXPECT_EQ(1, kvrAddSymbol(&pSym, pszName, 35, 1, sId, 1, 0, pData));
}

} // namespace

class ReportsTest : public UserAppFixture
{
protected:
    void SetUp() override
    {
        UserAppFixture::SetUp();
        ASSERT_TRUE(pxtest::InstallTestPrinter());
        m_pfnOldDialog = PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
        m_pfnOldTarget = SetReportDrawTarget(RecordInto);
        m_out = TempPath("plexreport.ps");
        DeleteFileA(m_out.c_str());
        PrintState::set_output_file(m_out.c_str());
    }
    void TearDown() override
    {
        TakeRecording();
        SetReportDrawTarget(m_pfnOldTarget);
        PrinterCleanup();
        PrintState::set_output_file(nullptr);
        PrintState::set_dialog_func(m_pfnOldDialog);
        DeleteFileA(m_out.c_str());
        UserAppFixture::TearDown();
    }

    // An application opened from a program file written by fill, made the
    // controller's (and so the active one).
    PXUserApp* OpenApp(const char* pszName, long lId, void (*fill)(Program*) = nullptr)
    {
        WriteProgramFile(m_dir + pszName + ".ed", fill);
        PXUserApp* pUserApp = NewUserApp(pszName, lId);
        EXPECT_EQ(0, pUserApp->Open(PXOPEN_EXISTING));
        m_pController->AddUserApp(pUserApp);
        m_userApps.pop_back();      // the controller owns it now
        EXPECT_EQ(pUserApp, m_pController->GetActiveUserApp());
        return pUserApp;
    }

    int Pages() const { return pxtest::CountPostScriptPages(m_out); }

    PrintState::PrintDialogFunc m_pfnOldDialog = nullptr;
    PXReportDrawTarget m_pfnOldTarget = nullptr;
    std::string m_out;
};

TEST_F(ReportsTest, FontHeightsFollowThePaperOnlyWhenItIsFarFromTheUsualOne)
{
    struct Case
    {
        int nVertRes;
        bool bScale;
        PXReportHeights expected;
    };
    const Case cases[] = {
        {3300, true, {64, 52, 44, 44, 44}},
        {3300, false, {121, 98, 82, 82, 82}},           // the SuperBlock report never scales
        {6150, true, {121, 98, 82, 82, 82}},            // div 82 is 75
        {74 * 82, true, {121, 98, 82, 82, 82}},
        {76 * 82 + 81, true, {121, 98, 82, 82, 82}},
        {73 * 82, true, {116, 94, 79, 79, 79}},         // 5986 div 75 is 79
        {77 * 82, true, {123, 100, 84, 84, 84}},        // 6314 div 75 is 84
    };
    for (const Case& c : cases)
    {
        const PXReportHeights h = ReportFontHeights(c.nVertRes, c.bScale);
        EXPECT_EQ(c.expected.nTitle, h.nTitle) << c.nVertRes;
        EXPECT_EQ(c.expected.nHeading, h.nHeading) << c.nVertRes;
        EXPECT_EQ(c.expected.nLabels, h.nLabels) << c.nVertRes;
        EXPECT_EQ(c.expected.nBody, h.nBody) << c.nVertRes;
        EXPECT_EQ(c.expected.nComments, h.nComments) << c.nVertRes;
    }
}

TEST_F(ReportsTest, WithoutVoiceItemsTheScriptSaysSoAndTheFaxPartStartsOnPageTwo)
{
    OpenApp("Sales", 1500, [](Program*) { AddItem("Form", 4, 3, "Order form"); });
    ASSERT_EQ(0, PrintVoiceFaxScript(m_pFrame->GetCurrentProgram()));
    const std::vector<Drawn> texts = TakeRecording();
    const int nTitle = Find(texts, "Plexwright Voice Items (Sales/1500)");
    const int nNone = Find(texts, "No voice items");
    const int nPage1 = Find(texts, "Page 1");
    const int nFaxTitle = Find(texts, "Plexwright Fax Items (Sales/1500)");
    const int nPage2 = Find(texts, "Page 2");
    ASSERT_GE(nTitle, 0);
    EXPECT_GT(nNone, nTitle);
    EXPECT_GT(nPage1, nNone);
    EXPECT_GT(nFaxTitle, nPage1);
    EXPECT_GT(Find(texts, "Form/4"), nFaxTitle);
    EXPECT_GT(Find(texts, "Fax Item Description:"), nFaxTitle);
    EXPECT_GT(Find(texts, "\"Order form\""), nFaxTitle);
    EXPECT_GT(Find(texts, "<no description>"), nFaxTitle) << "the confirmation has none";
    EXPECT_GT(nPage2, nFaxTitle);
    EXPECT_EQ(-1, Find(texts, "No fax items"));
    EXPECT_EQ(2, Pages());

    // Labels at the left margin, values at the value column 4L + 53W.
    const PXReportLayout& layout = GetReportLayout();
    const int nLabel = Find(texts, "Fax Item Description:");
    EXPECT_EQ(layout.Margin(), texts[nLabel].x);
    EXPECT_EQ(4 * layout.nLine + 53 * layout.nCharWidth, texts[Find(texts, "\"Order form\"")].x);
}

TEST_F(ReportsTest, ALongWordOfADescriptionBreaksInsideTheValueColumn)
{
    OpenApp("Sales", 1500, [](Program*) {
        const std::string word(200, 'w');
        AddItem("Long", 5, 0, word.c_str());
    });
    ASSERT_EQ(0, PrintVoiceFaxScript(m_pFrame->GetCurrentProgram()));
    const std::vector<Drawn> texts = TakeRecording();
    const PXReportLayout& layout = GetReportLayout();
    std::string joined;
    int nLines = 0;
    for (const Drawn& d : texts)
    {
        if (d.text.find("www") == std::string::npos)
            continue;
        ++nLines;
        EXPECT_EQ(layout.nValueColumn, d.x);
        joined += d.text;
    }
    EXPECT_GT(nLines, 1);
    std::string letters;
    for (char c : joined)
        if (c != ' ')
            letters += c;
    EXPECT_EQ("\"" + std::string(200, 'w') + "\"", letters);
}

TEST_F(ReportsTest, WrappedWordsFitTheRectangleAndShortTextsStay)
{
    HDC hDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HFONT hFont = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Helv");
    SetReportLayout(hDC, hFont, 35);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    PXReportLayout& layout = GetReportLayout();
    const int x = layout.RightLimit() - 30 * layout.nCharWidth;

    std::string shortText = "a few short words";
    WrapLongWords(hDC, shortText, x, 0);
    EXPECT_EQ("a few short words", shortText);

    std::string text = "start " + std::string(150, 'm') + " end";
    WrapLongWords(hDC, text, x, 0);
    EXPECT_GT(text.size(), 154u);
    size_t nStart = 0;
    while (nStart < text.size())
    {
        size_t nEnd = text.find(' ', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        SIZE size;
        GetTextExtentPoint32A(hDC, text.c_str() + nStart, static_cast<int>(nEnd - nStart), &size);
        EXPECT_LE(size.cx, layout.RightLimit() - x) << text.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
    }
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    DeleteEnhMetaFile(CloseEnhMetaFile(hDC));
}

TEST_F(ReportsTest, ATextReachingTheBottomSplitsAtItsLastLineFeedThatFits)
{
    OpenApp("Sales", 1500);
    PrintState state(nullptr);
    HDC hPrinter = state.make_printer_dc(0);
    ASSERT_NE(nullptr, hPrinter);
    ASSERT_TRUE(state.begin_job("lines"));
    ASSERT_TRUE(state.new_page());
    HDC hDC = RecordInto(hPrinter);
    HFONT hFont = CreateFontA(82, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Helv");
    SetReportLayout(hDC, hFont, 35);
    const PXReportLayout& layout = GetReportLayout();
    const int nLines = (layout.BottomLimit() - layout.Margin()) / layout.nLine + 10;
    std::string text;
    for (int i = 0; i < nLines; ++i)
        text += "line" + std::to_string(i) + (i + 1 < nLines ? "\r\n" : "");
    int y = layout.Margin();
    PrintReportText(hDC, &state, text.c_str(), layout.Margin(), y, hFont, TRUE);
    PrintPageFooter(hDC);
    state.end_job();
    const std::vector<Drawn> texts = TakeRecording();
    const int nPage1 = Find(texts, "Page 1");
    ASSERT_GE(nPage1, 0);
    EXPECT_EQ(1, state.page_count() - 1) << "one page break";
    // Everything before the footer lies above the bottom limit, the rest
    // starts again at the top margin and ends with the last line.
    for (int i = 0; i < nPage1; ++i)
        EXPECT_LT(texts[i].y, layout.BottomLimit()) << texts[i].text;
    ASSERT_LT(nPage1 + 1, static_cast<int>(texts.size()));
    std::string all;
    for (const Drawn& d : texts)
        if (d.text.compare(0, 4, "line") == 0)
            all += d.text + "|";
    for (int i = 0; i < nLines; ++i)
        EXPECT_NE(std::string::npos, all.find("line" + std::to_string(i) + "|")) << i;
    EXPECT_GT(y, layout.Margin());
    EXPECT_LT(y, layout.BottomLimit());
    DeleteObject(hFont);
    EXPECT_EQ(2, Pages());
}

TEST_F(ReportsTest, TheBlockReportNamesBlocksOffMainByPageAndBlock)
{
    OpenApp("Sales", 1500, [](Program*) { AddItem("Welcome", 3, 0, "Hello"); });
    Program* pProgram = m_pFrame->GetCurrentProgram();
    ASSERT_NE(nullptr, pProgram);
    Page* pSub = new Page(pProgram, "Sub1", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSub);
    AddBlock(pSub, 402, "Menu1");
    PowerBlock* pGreeting = AddBlock(pProgram->GetMainPage(), 402, "Greeting");
    pGreeting->SetDescription("Says hello");

    ASSERT_EQ(0, PrintBlockReport(pProgram));
    const std::vector<Drawn> texts = TakeRecording();
    ASSERT_GE(Find(texts, "Plexwright Block Report \"Sales (1500)\""), 0);
    const int nGreeting = Find(texts, "Greeting");
    const int nMenu1 = Find(texts, "Menu1");
    ASSERT_GE(nGreeting, 0);
    ASSERT_GT(nMenu1, nGreeting) << "pages in order: Main first";
    EXPECT_EQ("Block Type", texts[nGreeting + 1].text);
    EXPECT_EQ("Menu", texts[nGreeting + 2].text);
    EXPECT_EQ("Completed?", texts[nGreeting + 3].text);
    EXPECT_EQ(kvrIsPowerBlockFinished(pGreeting->GetHandle()) ? "Yes" : "No", texts[nGreeting + 4].text);
    EXPECT_EQ("Comments", texts[nGreeting + 5].text);
    EXPECT_EQ("Says hello", texts[nGreeting + 6].text);
    EXPECT_EQ("Block Fields", texts[nGreeting + 7].text);
    // The model found each block by the name given and printed its fields.
    EXPECT_EQ("Menu choices", texts[nGreeting + 8].text);
    EXPECT_EQ("None", texts[nMenu1 + 6].text) << "no comment";
    EXPECT_EQ("Menu choices", texts[nMenu1 + 8].text);
    const PXReportLayout& layout = GetReportLayout();
    EXPECT_EQ(4 * layout.nLine + 35 * layout.nCharWidth, texts[nGreeting + 2].x);
    EXPECT_GE(Find(texts, "Page 1"), 0);
    EXPECT_GE(Pages(), 1);
    // The tables are gone with the job.
    EXPECT_EQ(nullptr, GetComboTables().pVoiceItems);
}

TEST_F(ReportsTest, TheSuperBlockReportListsEachPageWithItsReturnVectors)
{
    OpenApp("Sales", 1500);
    Program* pProgram = m_pFrame->GetCurrentProgram();
    ASSERT_NE(nullptr, pProgram);
    Page* pSub = new Page(pProgram, "Sub1", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSub);
    pSub->SetComment("Takes orders");
    AddBlock(pSub, 181, "Done")->SetDescription("Back to main");

    ASSERT_EQ(0, PrintSuperBlockReport(pProgram));
    const std::vector<Drawn> texts = TakeRecording();
    // The title may take more than one line on the page.
    const int nTitle = Find(texts, "\"Sales.ed\"");
    ASSERT_GE(nTitle, 1);
    std::string title;
    for (int i = 0; i < nTitle; ++i)
        title += texts[i].text;     // each line keeps the blank it broke at
    EXPECT_EQ("Vevizid Ozuvidir Adazirurovo SuperBlock Report", title);
    const int nMain = Find(texts, "Main");
    ASSERT_GT(nMain, nTitle);
    EXPECT_EQ("No SuperBlock comments", texts[nMain + 1].text);
    EXPECT_EQ("Return Vectors", texts[nMain + 2].text);
    const int nSub = Find(texts, "Sub1", nMain);
    ASSERT_GT(nSub, nMain);
    EXPECT_EQ("Takes orders", texts[nSub + 1].text);
    EXPECT_EQ("Return Vectors", texts[nSub + 2].text);
    EXPECT_EQ("Done", texts[nSub + 3].text);
    EXPECT_EQ("Back to main", texts[nSub + 4].text);
    const PXReportLayout& layout = GetReportLayout();
    EXPECT_EQ(4 * layout.nLine + 20 * layout.nCharWidth, texts[nSub + 4].x);
    EXPECT_GE(Find(texts, "Page 1"), 0);
    EXPECT_EQ(1, Pages());
}

TEST_F(ReportsTest, LookupTablesAreMadeOnlyForListsThatAreNotEmpty)
{
    OpenApp("Sales", 1500, [](Program*) {
        AddItem("Welcome", 3, 0, "Hello");
        AddItem("Goodbye", 9, 0, nullptr);
    });
    BuildComboTables();
    const PXComboTables& t = GetComboTables();
    ASSERT_NE(nullptr, t.pVoiceItems);
    std::vector<std::pair<int, std::string>> entries;
    for (const ComboStruct* p = t.pVoiceItems; p->number != 0x7fff; ++p)
        entries.push_back({p->number, p->text});
    std::sort(entries.begin(), entries.end());
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(3, entries[0].first);
    EXPECT_EQ("Welcome", entries[0].second);
    EXPECT_EQ(9, entries[1].first);
    EXPECT_EQ("Goodbye", entries[1].second);
    EXPECT_EQ(nullptr, t.pFaxItems) << "no fax items";
    // Without a server session there are no server lists.
    EXPECT_EQ(nullptr, t.pLanguages);
    EXPECT_EQ(nullptr, t.pSystemPrompts);
    EXPECT_EQ(nullptr, t.pLists);
    FreeComboTables();
    EXPECT_EQ(nullptr, t.pVoiceItems);
}

TEST_F(ReportsTest, NothingIsPrintedWhenTheDialogIsCancelledOrThereIsNoProgram)
{
    OpenApp("Sales", 1500);
    Program* pProgram = m_pFrame->GetCurrentProgram();
    EXPECT_EQ(-1, PrintBlockReport(nullptr));
    EXPECT_EQ(-1, PrintVoiceFaxScript(nullptr));
    EXPECT_EQ(-1, PrintSuperBlockReport(nullptr));
    PrinterCleanup();
    PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    for (int (*pfn)(Program*) : {PrintBlockReport, PrintVoiceFaxScript, PrintSuperBlockReport})
        EXPECT_EQ(-1, pfn(pProgram));
    EXPECT_TRUE(TakeRecording().empty());
    EXPECT_EQ(nullptr, GetComboTables().pVoiceItems);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_out.c_str())) << "no job ran";
}

TEST_F(ReportsTest, TheFrameCommandsPrintTheCurrentProgramOrSayThereIsNone)
{
    StatusRecorder status;
    m_pFrame->SetStatusLine(&status);
    for (UINT nId : {CM_PRINTBLOCKS, CM_PRINTITEMS, CM_PRINTSUPERBLOCKS})
    {
        status.lines.clear();
        SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
        EXPECT_EQ(std::vector<std::string>{"3:Select window containing a program before executing this command."},
                  status.lines)
            << nId;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_out.c_str())) << nId;
    }
    m_pFrame->SetStatusLine(nullptr);
    OpenApp("Sales", 1500);
    const struct
    {
        UINT nId;
        int nPages;
    } cases[] = {{CM_PRINTBLOCKS, 1}, {CM_PRINTITEMS, 2}, {CM_PRINTSUPERBLOCKS, 1}};
    for (const auto& c : cases)
    {
        DeleteFileA(m_out.c_str());
        SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(c.nId, 0), 0);
        TakeRecording();
        EXPECT_EQ(c.nPages, Pages()) << c.nId;
    }
}
