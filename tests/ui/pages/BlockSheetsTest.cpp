// The property sheet of every block type as Block Properties opens it, on
// the program's own page templates and over an open application with voice
// and fax items: the block's settings page with its fields (or the page of
// the types without settings), the Announcement's voice item chosen in its
// picker, and the chosen item in the model, the program file and the block
// report.
#include "UserAppTestSupport.h"
#include "PXDialogDriver.h"
#include "PXReports.h"

#include <owl/TWindow.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

std::function<void(HWND)> g_sheetScript;
int g_nSheets = 0;

void RunSheetScript(TWindow* pWnd)
{
    ++g_nSheets;
    if (g_sheetScript)
        g_sheetScript(pWnd->HWindow);
}

void AddItem(const char* pszName, short sId, short sMedia)
{
    kvrItemData* pData = static_cast<kvrItemData*>(calloc(1, sizeof(kvrItemData)));
    pData->mediaKind = sMedia;
    Symbol* pSym = nullptr;
    EXPECT_EQ(1, kvrAddSymbol(&pSym, pszName, KVR_SYM_ITEM, 1, sId, 1, 0, pData));
}

// The application's items: voice items "Welcome" (3) and "Alpha" (12), fax
// item "Invoice" (4).
void FillItems(Program*)
{
    AddItem("Welcome", 3, 0);
    AddItem("Alpha", 12, 0);
    AddItem("Invoice", 4, 3);     // media kind 3: a fax item
}

// The texts drawn into a metafile.
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    if (pRec->iType == EMR_EXTTEXTOUTW)
    {
        const EMREXTTEXTOUTW* p = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec);
        const WCHAR* pw = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) + p->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < p->emrtext.nChars; ++i)
            s += static_cast<char>(pw[i]);
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(s);
    }
    return 1;
}

int NextPage(void*, HDC, int) { return 1; }

std::string TabText(HWND hSheet, int nIndex)
{
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    char sz[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = sz;
    item.cchTextMax = sizeof(sz);
    SendMessageA(hTab, TCM_GETITEMA, nIndex, reinterpret_cast<LPARAM>(&item));
    return sz;
}

int TabCount(HWND hSheet)
{
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
}

// A block's variable as text, as the model holds it.
std::string Var(PowerBlock* pBlock, const char* pszName)
{
    int nType = pBlock->GetType();
    void* p = kvrSDOGetSymbolPtr(nType, pszName, pBlock->GetHandle(), kvrSDOGetSymbolOffset(nType, pszName));
    if (!p)
        return "<none>";
    switch (kvrSDOGetSymbolMemRep(nType, pszName))
    {
    case KVR_MEM_CHAR: return static_cast<const char*>(p);
    case KVR_MEM_INT16: return std::to_string(*static_cast<short*>(p));
    default: return std::to_string(*static_cast<long*>(p));
    }
}

void SetVar(PowerBlock* pBlock, const char* pszName, const char* pszValue)
{
    int nType = pBlock->GetType();
    void* p = kvrSDOGetSymbolPtr(nType, pszName, pBlock->GetHandle(), kvrSDOGetSymbolOffset(nType, pszName));
    ASSERT_NE(nullptr, p) << pszName;
    switch (kvrSDOGetSymbolMemRep(nType, pszName))
    {
    case KVR_MEM_CHAR:
        lstrcpynA(static_cast<char*>(p), pszValue, kvrSDOGetSymbolSize(nType, pszName));
        break;
    case KVR_MEM_INT16: *static_cast<short*>(p) = static_cast<short>(atoi(pszValue)); break;
    default: *static_cast<long*>(p) = atol(pszValue); break;
    }
}

} // namespace

class BlockSheetsTest : public UserAppFixture
{
protected:
    void SetUp() override
    {
        UserAppFixture::SetUp();
        WriteProgramFile(m_dir + "Sales.ed", FillItems);
        PXUserApp* pUserApp = NewUserApp("Sales", 1500);
        ASSERT_EQ(0, pUserApp->Open(PXOPEN_EXISTING));
        m_pController->AddUserApp(pUserApp);
        m_userApps.pop_back();      // the controller owns it now
        ASSERT_EQ(pUserApp, m_pController->GetActiveUserApp());
        m_pUserApp = pUserApp;
        m_pProgram = m_pFrame->GetCurrentProgram();
        ASSERT_NE(nullptr, m_pProgram);
        m_pfnOldHook = TWindow::SetModalHook(RunSheetScript);
        g_nSheets = 0;
    }
    void TearDown() override
    {
        TWindow::SetModalHook(m_pfnOldHook);
        g_sheetScript = nullptr;
        UserAppFixture::TearDown();
    }

    // Block Properties on the block with the script answering its sheet.
    int Edit(PowerBlock* pBlock, std::function<void(HWND)> script)
    {
        g_sheetScript = script;
        int nChanged = 0;
        pBlock->EditProperties(nChanged);
        g_sheetScript = nullptr;
        return nChanged;
    }

    PXUserApp* m_pUserApp = nullptr;
    Program* m_pProgram = nullptr;
    TWindow::TModalHook m_pfnOldHook = nullptr;
};

// Each type's sheet opens with its settings page first, whose fields show
// what the block holds, then the outputs and notes; the types without
// settings of their own show the page that says so.
TEST_F(BlockSheetsTest, EveryBlockTypesSheetOpensWithItsFields)
{
    struct Row
    {
        int nType;
        const char* pszPage;        // the first page's tab
        const char* pszVar;         // a setting shown on it, set before
        const char* pszValue;
        int nControl;               // the control that shows it
        const char* pszShown;       // its text, or "checked"
    };
    const Row rows[] = {
        { 393, "Announcement", "Voice Item", "12", 301, "Alpha" },
        { 394, "Call Transfer", "Number of rings", "7", 306, "7" },
        { 397, "Express Voice Messaging", "Mailbox number", "4711", 303, "4711" },
        { 402, "Menu", "Max number of no responses", "4", 306, "4" },
        { 405, "Thru-Dial", "Number length", "6", 309, "6" },
        { 406, "Time Control", "Time period 1 - From", "08:30", 3001, "08:30" },
        { 410, "Date Control", "Date period 1 - To", "3/31", 3002, "3/31" },
        { 411, "Password Check", "Password Entry 1", "4711", 302, "4711" },
        { 412, "Express Fax Messaging", "Mailbox number", "815", 303, "815" },
        { 413, "Fax Select", "Fax Item", "4", 301, "Invoice" },
        { 414, "Speech Activated (SA) Messaging", "Use paced speech recognition", "1", 301, "checked" },
        { 403, "Language Select", nullptr, nullptr, 0, nullptr },
        { 142, "General", nullptr, nullptr, 0, nullptr },     // Begin
        { 396, "General", nullptr, nullptr, 0, nullptr },     // End
        { 401, "General", nullptr, nullptr, 0, nullptr },     // Continue
        { 408, "General", nullptr, nullptr, 0, nullptr },     // Rotary Dial
        { 181, "General", nullptr, nullptr, 0, nullptr },     // Exit
        { 409, "General", nullptr, nullptr, 0, nullptr },     // Imported Application
        { 395, "General", nullptr, nullptr, 0, nullptr },     // Day Control
        { 404, "General", nullptr, nullptr, 0, nullptr },     // Multimedia Messaging
        { 400, "General", nullptr, nullptr, 0, nullptr },     // Remote Activation
        { 407, "General", nullptr, nullptr, 0, nullptr },     // Voice Item Maintenance
        { 398, "General", nullptr, nullptr, 0, nullptr },     // Fax Send
        { 399, "General", nullptr, nullptr, 0, nullptr },     // Fax Item Maintenance
        { 415, "General", nullptr, nullptr, 0, nullptr },     // Custom Commands
    };
    Page* pMain = m_pProgram->GetMainPage();
    int n = 0;
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.nType);
        ++n;
        PowerBlock* pBlock = AddBlock(pMain, r.nType, ("Block" + std::to_string(n)).c_str(), 60 * n, 200);
        ASSERT_NE(nullptr, pBlock);
        if (r.pszVar)
            SetVar(pBlock, r.pszVar, r.pszValue);
        std::vector<std::string> tabs;
        std::string shown;
        MessageBoxRecorder boxes;
        g_nSheets = 0;
        Edit(pBlock, [&](HWND hSheet) {
            for (int i = 0; i < TabCount(hSheet); ++i)
                tabs.push_back(TabText(hSheet, i));
            HWND hPage = CurrentPage(hSheet);
            if (r.nControl && std::string(r.pszShown) == "checked")
                shown = IsDlgButtonChecked(hPage, r.nControl) == BST_CHECKED ? "checked" : "unchecked";
            else if (r.nControl)
                shown = ::Text(hPage, r.nControl);
            Press(hSheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(1, g_nSheets);
        EXPECT_EQ((std::vector<std::string>{ r.pszPage, "Outputs and Notes" }), tabs);
        if (r.nControl)
        {
            EXPECT_EQ(r.pszShown, shown);
        }
        EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
        // Cancel leaves the setting as it was.
        if (r.pszVar)
        {
            EXPECT_EQ(r.pszValue, Var(pBlock, r.pszVar));
        }
    }
}

// The Announcement's voice item is one of the application's, chosen in the
// sheet's picker: the new-item entry is refused, a chosen item is stored
// by its number, counted as used, saved with the program and printed by
// name in the block report.
TEST_F(BlockSheetsTest, TheAnnouncementsVoiceItemIsChosenThroughThePicker)
{
    PowerBlock* pBlock = AddBlock(m_pProgram->GetMainPage(), 393, "Hello", 200, 200);
    ASSERT_NE(nullptr, pBlock);
    m_pProgram->Activate();
    Symbol* pWelcome = kvrFindSymbol("Welcome");
    ASSERT_NE(nullptr, pWelcome);
    const short sUsesBefore = pWelcome->RefCnt;
    std::vector<std::string> entries;
    int nFirst = -1;
    bool bStayed = false;
    std::string idShown;
    MessageBoxRecorder boxes;
    Edit(pBlock, [&](HWND hSheet) {
        HWND hPage = CurrentPage(hSheet);
        entries = Entries(hPage, 301);
        nFirst = Selection(hPage, 301);
        Press(hSheet, PSBTN_OK);
        bStayed = IsWindow(hSheet) && IsWindowVisible(hSheet);
        hPage = CurrentPage(hSheet);
        Choose(hPage, 301, 2);
        idShown = ::Text(hPage, 302);
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{ "<new voice item>", "Alpha", "Welcome" }), entries);
    EXPECT_EQ(0, nFirst);
    EXPECT_TRUE(bStayed);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("A voice item cannot be left as '<new voice item>'", boxes.boxes[0].text);
    EXPECT_EQ("3", idShown);
    EXPECT_EQ("3", Var(pBlock, "Voice Item"));
    EXPECT_EQ(sUsesBefore + 1, pWelcome->RefCnt);
    EXPECT_TRUE(m_pProgram->IsModified());

    // Shown again when the sheet opens next.
    std::string chosen;
    Edit(pBlock, [&](HWND hSheet) {
        chosen = ::Text(CurrentPage(hSheet), 301);
        Press(hSheet, PSBTN_CANCEL);
    });
    EXPECT_EQ("Welcome", chosen);

    // Saved with the program and read back.
    const std::string path = m_dir + "Saved.ed";
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), m_pProgram, nullptr));
    std::string text;
    if (FILE* f = fopen(path.c_str(), "rb"))
    {
        char buf[512];
        size_t nRead;
        while ((nRead = fread(buf, 1, sizeof(buf), f)) > 0)
            text.append(buf, nRead);
        fclose(f);
    }
    EXPECT_NE(std::string::npos, text.find("Block|Main|Hello|393||")) << text;
    EXPECT_NE(std::string::npos, text.find("Var|Voice Item|3\n")) << text;

    // Printed by name from the application's voice items.
    m_pProgram->Activate();
    BuildComboTables();
    ASSERT_EQ(KVR_OK, kvrSetupComboString(KVR_COMBO_ANNOUNCEMENT, GetComboTables().pLanguages,
                                          GetComboTables().pSystemPrompts, GetComboTables().pLists,
                                          GetComboTables().pVoiceItems, GetComboTables().pFaxItems));
    HDC hDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(hDC, GetStockObject(ANSI_VAR_FONT));
    kvrPrintPager pager = { nullptr, NextPage };
    int y = 0, nPage = 1;
    EXPECT_EQ(KVR_OK, kvrPrintAppPB("Hello", hDC, &pager, &y, &nPage));
    HENHMETAFILE hEmf = CloseEnhMetaFile(hDC);
    std::vector<std::string> drawn;
    EnumEnhMetaFile(nullptr, hEmf, CollectText, &drawn, nullptr);
    DeleteEnhMetaFile(hEmf);
    kvrSetupComboString(KVR_COMBO_OTHER, nullptr, nullptr, nullptr, nullptr, nullptr);
    FreeComboTables();
    EXPECT_EQ((std::vector<std::string>{ "Voice Item", "Welcome (3)" }), drawn);
}

// The mailbox of the express messaging blocks and the transfer's extension
// can be typed only while the choice beside them asks for one, from the
// moment the sheet opens; an extension left empty refuses OK.
TEST_F(BlockSheetsTest, TheNumberBesideAChoiceIsEditableOnlyWhileTheChoiceAsksForIt)
{
    struct Row
    {
        int nType;
        const char* pszChoice;
        const char* pszValue;
        bool bEditable;
    };
    const Row rows[] = {
        { 394, "Transfer to", "0", false }, { 394, "Transfer to", "1", true },
        { 397, "Mailbox selection options", "0", false }, { 397, "Mailbox selection options", "1", true },
    };
    int n = 0;
    for (const Row& r : rows)
    {
        SCOPED_TRACE(std::to_string(r.nType) + " " + r.pszValue);
        ++n;
        PowerBlock* pBlock = AddBlock(m_pProgram->GetMainPage(), r.nType, ("Number" + std::to_string(n)).c_str(),
                                      60 * n, 300);
        ASSERT_NE(nullptr, pBlock);
        SetVar(pBlock, r.pszChoice, r.pszValue);
        bool bAtOpen = !r.bEditable, bAfterOther = r.bEditable, bAfterSame = !r.bEditable;
        Edit(pBlock, [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            bAtOpen = Enabled(hPage, 303);
            Click(hPage, r.bEditable ? 301 : 302);
            bAfterOther = Enabled(hPage, 303);
            Click(hPage, r.bEditable ? 302 : 301);
            bAfterSame = Enabled(hPage, 303);
            Press(hSheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(r.bEditable, bAtOpen);
        EXPECT_EQ(!r.bEditable, bAfterOther);
        EXPECT_EQ(r.bEditable, bAfterSame);
    }

    PowerBlock* pTransfer = AddBlock(m_pProgram->GetMainPage(), 394, "Transfer", 100, 400);
    ASSERT_NE(nullptr, pTransfer);
    MessageBoxRecorder boxes;
    bool bStayed = false;
    Edit(pTransfer, [&](HWND hSheet) {
        HWND hPage = CurrentPage(hSheet);
        Click(hPage, 302);
        Press(hSheet, PSBTN_OK);
        bStayed = IsWindow(hSheet) && IsWindowVisible(hSheet);
        Type(CurrentPage(hSheet), 303, "2201");
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_TRUE(bStayed);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The field 'Extension' cannot be left blank.", boxes.boxes[0].text);
    EXPECT_EQ("1", Var(pTransfer, "Transfer to"));
    EXPECT_EQ("2201", Var(pTransfer, "Extension number"));
}
