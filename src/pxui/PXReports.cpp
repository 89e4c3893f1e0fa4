// The printed reports: block report, voice and fax script, SuperBlock
// report.
#include "PXReports.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "Page.h"
#include "PowerBlock.h"
#include "PrintState.h"
#include "Program.h"
#include "PXFaultHandler.h"
#include "classlib/ListIterator.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <new>
#include <string>
#include <vector>

namespace
{
PXReportLayout g_Layout = {};
PXComboTables g_Tables = {};
PXReportDrawTarget g_pfnDrawTarget = nullptr;

const char kFace[] = "Helv";
const DWORD kComboEnd = KVR_COMBO_END;

// Value columns in average characters.
const int kBlockValueChars = 35;
const int kScriptValueChars = 53;
const int kSuperBlockValueChars = 20;

HFONT MakeFont(int nHeight, int nWeight, BOOL bItalic, BOOL bUnderline)
{
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic ? 1 : 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline ? 1 : 0);
    lstrcpynA(lf.lfFaceName, kFace, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

// The fonts of one report, deleted with it.
struct ReportFonts
{
    HFONT hTitle = nullptr, hHeading = nullptr, hLabels = nullptr, hBody = nullptr, hComments = nullptr;
    ReportFonts(const PXReportHeights& h, bool bLabels)
    {
        hTitle = MakeFont(h.nTitle, 700, FALSE, FALSE);
        hHeading = MakeFont(h.nHeading, 700, FALSE, TRUE);
        if (bLabels)
            hLabels = MakeFont(h.nLabels, 400, FALSE, TRUE);
        hBody = MakeFont(h.nBody, 400, FALSE, FALSE);
        hComments = MakeFont(h.nComments, 200, TRUE, FALSE);
    }
    ~ReportFonts()
    {
        for (HFONT h : { hTitle, hHeading, hLabels, hBody, hComments })
            if (h)
                DeleteObject(h);
    }
    bool Made(bool bLabels) const { return hTitle && hHeading && (hLabels || !bLabels) && hBody && hComments; }
    ReportFonts(const ReportFonts&) = delete;
    ReportFonts& operator=(const ReportFonts&) = delete;
};

HDC DrawTarget(HDC hPrinterDC)
{
    return g_pfnDrawTarget ? g_pfnDrawTarget(hPrinterDC) : hPrinterDC;
}

// Finishes the page and starts the next; false when it did not start.
bool BreakPage(HDC hDC, PrintState* pState)
{
    PrintPageFooter(hDC);
    pState->end_page();
    return pState->new_page() != 0;
}

// The model's page break inside a block's fields.
struct PagerContext
{
    PrintState* pState;
};
int ModelNextPage(void* pContext, HDC hDC, int nPageNumber)
{
    g_Layout.nPageNumber = nPageNumber;
    return BreakPage(hDC, static_cast<PagerContext*>(pContext)->pState) ? 1 : 0;
}

RECT TextRect(int x, int y)
{
    RECT rc = { x, y, g_Layout.RightLimit(), g_Layout.nPageHeight };
    if (rc.right <= rc.left)
        rc.right = rc.left + 1;
    return rc;
}

const UINT kDrawFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

int MeasureBottom(HDC hDC, const std::string& text, int x, int y)
{
    RECT rc = TextRect(x, y);
    DrawTextA(hDC, text.c_str(), static_cast<int>(text.size()), &rc, kDrawFlags | DT_CALCRECT);
    return rc.bottom;
}

void Draw(HDC hDC, const std::string& text, int x, int y)
{
    RECT rc = TextRect(x, y);
    DrawTextA(hDC, text.c_str(), static_cast<int>(text.size()), &rc, kDrawFlags);
}

bool Fits(HDC hDC, const std::string& text, int x, int y)
{
    return MeasureBottom(hDC, text, x, y) <= g_Layout.BottomLimit();
}

void PrintPart(HDC hDC, PrintState* pState, std::string text, int x, int& y, BOOL bAdvance)
{
    if (text.empty())
    {
        if (bAdvance)
        {
            RECT rc = TextRect(x, y);
            DrawTextA(hDC, "dummy", -1, &rc, kDrawFlags | DT_CALCRECT);
            y = rc.bottom;
        }
        return;
    }
    WrapLongWords(hDC, text, x, y);
    int nBottom = MeasureBottom(hDC, text, x, y);
    if (nBottom <= g_Layout.BottomLimit())
    {
        Draw(hDC, text, x, y);
        if (bAdvance)
            y = nBottom;
        return;
    }
    const int nTop = g_Layout.Margin();
    std::string first, rest;
    char cSep;
    const size_t nLF = text.rfind('\n');
    if (nLF != std::string::npos)
    {
        cSep = '\n';
        first = text.substr(0, nLF ? nLF - 1 : 0);
        rest = text.substr(nLF);
    }
    else
    {
        const size_t nBlank = text.rfind(' ');
        if (g_Layout.BottomLimit() - y < 10 * g_Layout.nLine && y > nTop)
        {
            if (!BreakPage(hDC, pState))
                return;
            y = nTop;
            PrintPart(hDC, pState, text, x, y, bAdvance);
            return;
        }
        if (nBlank == std::string::npos)
        {
            // One line that no page holds: it is drawn as far as it goes.
            Draw(hDC, text, x, y);
            if (bAdvance)
                y = nBottom;
            return;
        }
        cSep = ' ';
        first = text.substr(0, nBlank);
        rest = text.substr(nBlank + 1);
    }
    while (!Fits(hDC, first, x, y))
    {
        const size_t nCut = first.rfind(cSep);
        if (nCut == std::string::npos)
        {
            // No separator left: each part by itself. A part that cannot
            // get shorter on a fresh page is drawn as far as it goes.
            if (y <= nTop && first.size() + rest.size() + 1 >= text.size())
            {
                Draw(hDC, text, x, y);
                if (bAdvance)
                    y = nBottom;
                return;
            }
            PrintPart(hDC, pState, first, x, y, TRUE);
            PrintPart(hDC, pState, rest, x, y, bAdvance);
            return;
        }
        if (cSep == '\n')
        {
            rest = first.substr(nCut) + rest;
            first.erase(nCut ? nCut - 1 : 0);
        }
        else
        {
            rest = first.substr(nCut + 1) + " " + rest;
            first.erase(nCut);
        }
    }
    if (first.empty() && y <= nTop)
    {
        // Nothing would go on this fresh page: the text is drawn as far as
        // it goes rather than breaking pages without end.
        Draw(hDC, text, x, y);
        if (bAdvance)
            y = nBottom;
        return;
    }
    Draw(hDC, first, x, y);
    if (!BreakPage(hDC, pState))
        return;
    y = nTop;
    PrintPart(hDC, pState, rest, x, y, bAdvance);
}

// ---- lookup tables ---------------------------------------------------------

char* CopyText(const CString* pText)
{
    const char* psz = pText ? static_cast<const char*>(*pText) : "";
    return _strdup(psz ? psz : "");
}

void FreeTable(ComboStruct*& pTable)
{
    if (!pTable)
        return;
    for (ComboStruct* p = pTable; p->number != static_cast<short>(kComboEnd); ++p)
        free(const_cast<char*>(p->text));
    delete[] pTable;
    pTable = nullptr;
}

// A table over a list of the controller's records; none for an empty list.
// nNumberField 0 numbers every entry 0.
ComboStruct* MakeTable(PXWinApp* pApp, WORD wControlId, WORD wNumberField, bool bInt16, WORD wTextField)
{
    PXFieldValue list(0, nullptr);
    pApp->GetFieldValue(wControlId, list);
    PXRecArray* pArray = list.GetRecord() ? list.GetRecArray() : nullptr;
    const int nCount = pArray ? pArray->GetSize() : 0;
    if (nCount <= 0)
        return nullptr;
    ComboStruct* pTable = new ComboStruct[nCount + 1];
    for (int i = 0; i <= nCount; ++i)
    {
        pTable[i].number = static_cast<short>(kComboEnd);
        pTable[i].text = nullptr;
    }
    for (int i = 0; i < nCount; ++i)
    {
        PXSoftRec* pRow = pArray->GetAt(i);
        short sNumber = 0;
        if (wNumberField && bInt16)
        {
            const short* p = PXFieldValue(wNumberField, pRow).GetInt16();
            sNumber = p ? *p : 0;
        }
        else if (wNumberField)
        {
            const long* p = PXFieldValue(wNumberField, pRow).GetInt32();
            sNumber = static_cast<short>(p ? *p : 0);
        }
        char* pszText = CopyText(PXFieldValue(wTextField, pRow).GetText());
        if (!pszText)
        {
            FreeTable(pTable);
            throw std::bad_alloc();
        }
        pTable[i].text = pszText;
        // The end mark moves on only once the entry is whole.
        pTable[i].number = sNumber;
    }
    return pTable;
}

// ---- report pieces ----------------------------------------------------------

struct ActiveAppTexts
{
    std::string strName;
    long lId = 0;
    PXUserApp* pApp = nullptr;
};

ActiveAppTexts ActiveApp()
{
    ActiveAppTexts t;
    PXWinApp* pController = GetWinApp();
    t.pApp = pController ? pController->GetActiveUserApp() : nullptr;
    if (t.pApp)
    {
        const CString* pName = PXFieldValue(PXFIELD_USER_APP_NAME, t.pApp).GetText();
        t.strName = pName ? static_cast<const char*>(*pName) : "";
        const long* pId = PXFieldValue(PXFIELD_USER_APP_ID, t.pApp).GetInt32();
        t.lId = pId ? *pId : 0;
    }
    return t;
}

std::string TextOf(PXSoftRec* pRec, WORD wField)
{
    const CString* p = PXFieldValue(wField, pRec).GetText();
    return p ? std::string(static_cast<const char*>(*p)) : std::string();
}

std::string Quoted(const std::string& s)
{
    return s.empty() ? std::string("<no description>") : "\"" + s + "\"";
}

int BlockKind(const char* pszTypeName)
{
    static const struct
    {
        const char* pszName;
        int nKind;
    } kKinds[] = {
        { "Language Select", KVR_COMBO_LANGUAGESELECT }, { "Thru-Dial", KVR_COMBO_THRUDIAL },
        { "Announcement", KVR_COMBO_ANNOUNCEMENT },      { "Menu", KVR_COMBO_MENU },
        { "Password Check", KVR_COMBO_PASSWORDCHECK },   { "Call Transfer", KVR_COMBO_CALLTRANSFER },
        { "Fax Select", KVR_COMBO_FAXSELECT },
    };
    for (const auto& k : kKinds)
        if (pszTypeName && strcmp(pszTypeName, k.pszName) == 0)
            return k.nKind;
    return KVR_COMBO_OTHER;
}

// A running print job: the print state, its DC and the report's fonts.
// Start answers false when nothing may be printed.
class ReportJob
{
public:
    ReportJob() : m_State(PXGetMainWindow()) {}
    ~ReportJob()
    {
        if (m_hDC && m_hOldFont)
            SelectObject(m_hDC, m_hOldFont);
        delete m_pFonts;
    }
    // bFirstDC: the printer DC is made before the job (block report,
    // script); otherwise the job starts first (SuperBlock report).
    bool Start(const char* pszJob, bool bFirstDC, bool bScale, bool bLabels, int nValueChars)
    {
        HDC hPrinter = nullptr;
        if (bFirstDC)
        {
            hPrinter = m_State.make_printer_dc(0);
            if (m_State.status() == 1 || !hPrinter)
                return false;
            if (!m_State.begin_job(pszJob))
                return false;
        }
        else
        {
            if (m_State.status() == 1 || !m_State.begin_job(pszJob))
                return false;
            hPrinter = m_State.make_printer_dc(0);
            if (!hPrinter)
                return false;
        }
        if (!m_State.new_page())
            return false;
        m_hDC = DrawTarget(hPrinter);
        if (!m_hDC)
            return false;
        m_pFonts = new ReportFonts(ReportFontHeights(GetDeviceCaps(m_hDC, VERTRES), bScale), bLabels);
        if (!m_pFonts->Made(bLabels))
            return false;
        m_hOldFont = SelectObject(m_hDC, m_pFonts->hBody);
        SetReportLayout(m_hDC, m_pFonts->hBody, nValueChars);
        return true;
    }
    void Finish()
    {
        PrintPageFooter(m_hDC);
        m_State.end_page();
        m_State.end_job();
    }
    void Text(const std::string& s, int x, int& y, HFONT hFont, BOOL bAdvance)
    {
        PrintReportText(m_hDC, &m_State, s.c_str(), x, y, hFont, bAdvance);
    }
    HDC DC() const { return m_hDC; }
    PrintState& State() { return m_State; }
    const ReportFonts& Fonts() const { return *m_pFonts; }

private:
    PrintState m_State;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
    ReportFonts* m_pFonts = nullptr;
};

// Frees the tables when a page's blocks are done, or the job ends early.
struct TablesScope
{
    TablesScope() { BuildComboTables(); }
    ~TablesScope() { FreeComboTables(); }
};

// The program's pages in the order they were added ("Main" first): its
// list keeps the most recent one at the head.
std::vector<Page*> PagesInOrder(Program* pProgram)
{
    std::vector<Page*> pages;
    for (ListIterator it(pProgram->GetPages()); it; ++it)
        pages.insert(pages.begin(), static_cast<Page*>(&it.current()));
    return pages;
}

std::string Decimal(long l)
{
    char sz[16];
    snprintf(sz, sizeof sz, "%ld", l);
    return sz;
}
}

// ---- layout -------------------------------------------------------------------

PXReportLayout& GetReportLayout()
{
    return g_Layout;
}

void SetReportLayout(HDC hDC, HFONT hBodyFont, int nValueChars)
{
    HGDIOBJ hOld = SelectObject(hDC, hBodyFont);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof tm);
    GetTextMetricsA(hDC, &tm);
    if (hOld)
        SelectObject(hDC, hOld);
    g_Layout.nLine = tm.tmHeight + tm.tmExternalLeading;
    g_Layout.nCharWidth = tm.tmAveCharWidth;
    g_Layout.nPageWidth = GetDeviceCaps(hDC, HORZRES);
    g_Layout.nPageHeight = GetDeviceCaps(hDC, VERTRES);
    g_Layout.nValueColumn = 4 * g_Layout.nLine + nValueChars * g_Layout.nCharWidth;
    g_Layout.nPageNumber = 1;
    g_Layout.hBodyFont = hBodyFont;
}

PXReportHeights ReportFontHeights(int nVertRes, bool bScale)
{
    PXReportHeights h = { 121, 98, 82, 82, 82 };
    if (bScale && abs(nVertRes / 82 - 75) >= 2)
    {
        h.nBody = nVertRes / 75;
        h.nHeading = static_cast<int>(h.nBody * 1.195122);
        h.nTitle = static_cast<int>(h.nHeading * 1.2346939);
        h.nLabels = h.nComments = h.nBody;
    }
    return h;
}

PXReportDrawTarget SetReportDrawTarget(PXReportDrawTarget pfn)
{
    PXReportDrawTarget pOld = g_pfnDrawTarget;
    g_pfnDrawTarget = pfn;
    return pOld;
}

// ---- text ---------------------------------------------------------------------

void WrapLongWords(HDC hDC, std::string& rText, int x, int y)
{
    const RECT rcBox = TextRect(x, y);
    const int nWidth = rcBox.right - rcBox.left;
    RECT rc = rcBox;
    DrawTextA(hDC, rText.c_str(), static_cast<int>(rText.size()), &rc, kDrawFlags | DT_CALCRECT);
    if (rc.right - rc.left <= nWidth)
        return;
    std::string out, word;
    out.reserve(rText.size() + rText.size() / 4);
    for (char c : rText)
    {
        if (c == ' ' || c == '\n')
        {
            out += c;
            word.clear();
            continue;
        }
        word += c;
        SIZE size = { 0, 0 };
        GetTextExtentPoint32A(hDC, word.c_str(), static_cast<int>(word.size()), &size);
        if (size.cx > nWidth && word.size() > 1)
        {
            // The character opens the next line's word.
            out += ' ';
            word.assign(1, c);
        }
        out += c;
    }
    rText.swap(out);
}

void PrintReportText(HDC hDC, PrintState* pState, const char* pszText, int x, int& y, HFONT hFont,
                     BOOL bAdvance)
{
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    const int nMode = SetBkMode(hDC, TRANSPARENT);
    PrintPart(hDC, pState, pszText ? pszText : "", x, y, bAdvance);
    SetBkMode(hDC, nMode);
    if (hOld)
        SelectObject(hDC, hOld);
}

void PrintPageFooter(HDC hDC)
{
    const int L = g_Layout.nLine;
    const int nMode = SetBkMode(hDC, TRANSPARENT);
    RECT rcFrame = { 2 * L, 2 * L, g_Layout.nPageWidth - 2 * L, g_Layout.nPageHeight - 2 * L };
    FrameRect(hDC, &rcFrame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const std::string text = "Page " + Decimal(g_Layout.nPageNumber);
    HGDIOBJ hOld = g_Layout.hBodyFont ? SelectObject(hDC, g_Layout.hBodyFont) : nullptr;
    RECT rcText = { 0, g_Layout.nPageHeight - 3 * L, g_Layout.nPageWidth, g_Layout.nPageHeight };
    DrawTextA(hDC, text.c_str(), -1, &rcText, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (hOld)
        SelectObject(hDC, hOld);
    SetBkMode(hDC, nMode);
    ++g_Layout.nPageNumber;
}

// ---- lookup tables ------------------------------------------------------------

void BuildComboTables()
{
    FreeComboTables();
    PXWinApp* pApp = GetWinApp();
    if (!pApp)
        return;
    try
    {
        g_Tables.pLanguages = MakeTable(pApp, 2313, PXFIELD_LANGUAGE_ROW_LOCAL_LANGUAGE_ID, false,
                                        PXFIELD_LANGUAGE_ROW_CUSTOMER_LANGUAGE_NAME);
        g_Tables.pSystemPrompts = MakeTable(pApp, 2311, 0, false, PXFIELD_SYSTEM_PROMPT_ROW_NAME);
        g_Tables.pLists =
            MakeTable(pApp, 2312, PXFIELD_RESPERM_LIST_ROW_LISTID, false, PXFIELD_RESPERM_LIST_ROW_NAME);
        g_Tables.pVoiceItems = MakeTable(pApp, 2302, PXFIELD_VOICE_ITEM_ID, true, PXFIELD_VOICE_ITEM_NAME);
        g_Tables.pFaxItems = MakeTable(pApp, 2303, PXFIELD_FAX_ITEM_ID, true, PXFIELD_FAX_ITEM_NAME);
    }
    catch (...)
    {
        FreeComboTables();
        throw;
    }
}

void FreeComboTables()
{
    // The model forgets the tables before they go.
    kvrSetupComboString(KVR_COMBO_OTHER, nullptr, nullptr, nullptr, nullptr, nullptr);
    FreeTable(g_Tables.pLanguages);
    FreeTable(g_Tables.pSystemPrompts);
    FreeTable(g_Tables.pLists);
    FreeTable(g_Tables.pVoiceItems);
    FreeTable(g_Tables.pFaxItems);
}

const PXComboTables& GetComboTables()
{
    return g_Tables;
}

// ---- the reports ------------------------------------------------------------------

int PrintBlockReport(Program* pProgram)
{
    if (!pProgram)
        return -1;
    ReportJob job;
    if (!job.Start("Printing Blocks", true, true, true, kBlockValueChars))
        return -1;
    const ReportFonts& f = job.Fonts();
    const int L = g_Layout.nLine;
    const int nLeft = g_Layout.Margin();
    int y = nLeft;
    const ActiveAppTexts app = ActiveApp();
    job.Text("Plexwright Block Report \"" + app.strName + " (" + Decimal(app.lId) + ")\"", nLeft, y, f.hTitle,
             TRUE);
    y += 2 * L;
    PagerContext pager = { &job.State() };
    kvrPrintPager modelPager = { &pager, &ModelNextPage };
    for (Page* pPage : PagesInOrder(pProgram))
    {
        TablesScope tables;
        const PXComboTables& t = g_Tables;
        for (ListIterator b(pPage->GetBlocks()); b; ++b)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(&b.current());
            const char* pszType = pBlock->GetInfo() && pBlock->GetInfo()->name ? pBlock->GetInfo()->name : "";
            job.Text(pBlock->GetName(), nLeft, y, f.hHeading, TRUE);
            job.Text("Block Type", nLeft, y, f.hBody, FALSE);
            job.Text(pszType, g_Layout.nValueColumn, y, f.hBody, TRUE);
            job.Text("Completed?", nLeft, y, f.hBody, FALSE);
            job.Text(kvrIsPowerBlockFinished(pBlock->GetHandle()) ? "Yes" : "No", g_Layout.nValueColumn, y, f.hBody,
                     TRUE);
            job.Text("Comments", nLeft, y, f.hBody, FALSE);
            const char* pszComment = pBlock->GetDescription();
            job.Text(pszComment && *pszComment ? pszComment : "None", g_Layout.nValueColumn, y, f.hComments, TRUE);
            job.Text("Block Fields", nLeft, y, f.hLabels, TRUE);
            std::string qualified = pBlock->GetName();
            if (pPage->GetKind() != PX_PAGE_MAIN)
                qualified = std::string(pPage->GetName()) + "$" + pBlock->GetName();
            kvrSetupComboString(BlockKind(pszType), t.pLanguages, t.pSystemPrompts, t.pLists, t.pVoiceItems,
                                t.pFaxItems);
            int nPage = g_Layout.nPageNumber;
            HGDIOBJ hOld = SelectObject(job.DC(), f.hBody);
            kvrPrintAppPB(qualified.c_str(), job.DC(), &modelPager, &y, &nPage);
            SelectObject(job.DC(), hOld);
            g_Layout.nPageNumber = nPage;
            y += L;
        }
        y += L;
    }
    job.Finish();
    return 0;
}

int PrintVoiceFaxScript(Program* pProgram)
{
    if (!pProgram)
        return -1;
    ReportJob job;
    if (!job.Start("Printing Voice and Fax Script", true, true, false, kScriptValueChars))
        return -1;
    const ReportFonts& f = job.Fonts();
    const int L = g_Layout.nLine;
    const int nLeft = g_Layout.Margin();
    const ActiveAppTexts app = ActiveApp();
    const std::string strApp = "(" + app.strName + "/" + Decimal(app.lId) + ")";
    PXRecArray* pVoice = app.pApp ? PXFieldValue(PXFIELD_USER_APP_VOICE_ITEMS, app.pApp).GetRecArray() : nullptr;
    PXRecArray* pFax = app.pApp ? PXFieldValue(PXFIELD_USER_APP_FAX_ITEMS, app.pApp).GetRecArray() : nullptr;

    int y = nLeft;
    job.Text("Plexwright Voice Items " + strApp, nLeft, y, f.hTitle, TRUE);
    y += 2 * L;
    const int nVoice = pVoice ? pVoice->GetSize() : 0;
    if (nVoice == 0)
    {
        job.Text("No voice items", nLeft, y, f.hComments, TRUE);
        y += 2 * L;
    }
    for (int i = 0; i < nVoice; ++i)
    {
        PXSoftRec* pItem = pVoice->GetAt(i);
        const short* pId = PXFieldValue(PXFIELD_VOICE_ITEM_ID, pItem).GetInt16();
        job.Text(TextOf(pItem, PXFIELD_VOICE_ITEM_NAME) + "/" + Decimal(pId ? *pId : 0), nLeft, y, f.hHeading, TRUE);
        job.Text("Voice Item Description:", nLeft, y, f.hBody, FALSE);
        job.Text(Quoted(TextOf(pItem, PXFIELD_VOICE_ITEM_DESCRIPTION)), g_Layout.nValueColumn, y, f.hComments, TRUE);
        y += 2 * L;
    }
    PrintPageFooter(job.DC());
    job.State().end_page();
    if (job.State().new_page())
    {
        y = nLeft;
        job.Text("Plexwright Fax Items " + strApp, nLeft, y, f.hTitle, TRUE);
        y += 2 * L;
        const int nFax = pFax ? pFax->GetSize() : 0;
        if (nFax == 0)
        {
            job.Text("No fax items", nLeft, y, f.hComments, TRUE);
            y += 2 * L;
        }
        for (int i = 0; i < nFax; ++i)
        {
            PXSoftRec* pItem = pFax->GetAt(i);
            const short* pId = PXFieldValue(PXFIELD_FAX_ITEM_ID, pItem).GetInt16();
            job.Text(TextOf(pItem, PXFIELD_FAX_ITEM_NAME) + "/" + Decimal(pId ? *pId : 0), nLeft, y, f.hHeading,
                     TRUE);
            job.Text("Fax Item Description:", nLeft, y, f.hBody, FALSE);
            job.Text(Quoted(TextOf(pItem, PXFIELD_FAX_ITEM_DESCRIPTION)), g_Layout.nValueColumn, y, f.hComments,
                     TRUE);
            job.Text("Fax Confirmation Description:", nLeft, y, f.hBody, FALSE);
            job.Text(Quoted(TextOf(pItem, PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION)), g_Layout.nValueColumn, y,
                     f.hComments, TRUE);
            y += 2 * L;
        }
        job.Finish();
    }
    else
        job.State().end_job();
    return 0;
}

int PrintSuperBlockReport(Program* pProgram)
{
    if (!pProgram)
        return -1;
    ReportJob job;
    if (!job.Start("Printing SuperBlocks", false, false, true, kSuperBlockValueChars))
        return -1;
    const ReportFonts& f = job.Fonts();
    const int L = g_Layout.nLine;
    const int nLeft = g_Layout.Margin();
    int y = nLeft;
    job.Text("Vevizid Ozuvidir Adazirurovo SuperBlock Report", nLeft, y, f.hTitle, TRUE);
    const char* pszPath = pProgram->GetName() ? pProgram->GetName() : "";
    const char* pszSlash = strrchr(pszPath, '\\');
    job.Text(std::string("\"") + (pszSlash ? pszSlash + 1 : pszPath) + "\"", nLeft, y, f.hTitle, TRUE);
    y += 2 * L;
    for (Page* pPage : PagesInOrder(pProgram))
    {
        job.Text(pPage->GetName(), nLeft, y, f.hHeading, TRUE);
        y += L;
        const char* pszComment = pPage->GetComment();
        job.Text(pszComment && *pszComment ? pszComment : "No SuperBlock comments", nLeft, y, f.hComments, TRUE);
        y += L;
        job.Text("Return Vectors", nLeft, y, f.hLabels, TRUE);
        bool bAny = false;
        for (ListIterator b(pPage->GetBlocks()); b; ++b)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(&b.current());
            if (pBlock->GetType() != KVR_PB_EXIT)
                continue;
            bAny = true;
            job.Text(pBlock->GetName(), nLeft, y, f.hBody, FALSE);
            job.Text(pBlock->GetDescription() ? pBlock->GetDescription() : "", g_Layout.nValueColumn, y, f.hComments,
                     TRUE);
        }
        if (!bAny)
            job.Text("None", nLeft, y, f.hBody, TRUE);
        y += 2 * L;
    }
    job.Finish();
    return 0;
}
