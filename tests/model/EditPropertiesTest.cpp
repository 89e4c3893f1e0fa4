// Editing a block's properties end to end: the block's property sheet on
// the program's own page templates (pxdlg.dll, which the application object
// loads), over the block's variables
// in the application model, answered from inside its modal loop.
#include "ModelTestSupport.h"
#include "PXDialogDriver.h"
#include "PXFieldValue.h"
#include "PXSoftRecPBV.h"

#include "owl/TDialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Period 1 is set before the test, period 2 is typed in the sheet.
struct PeriodCase
{
    int nType;
    const char* pszCaption;
    WORD wFrom1, wTo1;
    const char* pszFirstFrom;
    const char* pszFirstTo;
    const char* pszFromVar;
    const char* pszToVar;
    const char* pszOther;
    const char* pszFrom;
    const char* pszTo;
};

const PeriodCase kPeriodCases[] = {
    { 406, "Time Control", 28081, 28082, "08:00", "09:00",
      "Time period 2 - From", "Time period 2 - To", "Other times", "10:00", "12:30" },
    { 410, "Date Control", 28091, 28092, "1/1", "1/31",
      "Date period 2 - From", "Date period 2 - To", "Other dates", "3/1", "3/31" },
};

std::function<void(HWND)> g_script;
int g_nSheetsRun = 0;
std::string g_caption;

void RunScript(TWindow* pWnd)
{
    ++g_nSheetsRun;
    char sz[64] = "";
    GetWindowTextA(pWnd->HWindow, sz, sizeof(sz));
    g_caption = sz;
    if (g_script)
        g_script(pWnd->HWindow);
}


// The controls of the pages (the program's templates).
enum
{
    IDC_PERIOD1_FROM = 3001,
    IDC_PERIOD1_TO = 3002,
    IDC_PERIOD2_FROM = 3003,
    IDC_PERIOD2_TO = 3004,
    IDC_OUTPUTS = 301,
    IDC_NOTES = 304
};

class EditPropertiesTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        // The test suite loaded the page templates.
        ASSERT_NE(nullptr, TDialog::GetDialogLibrary());
        m_pfnOldHook = TWindow::SetModalHook(RunScript);
        g_script = nullptr;
        g_nSheetsRun = 0;
        g_caption.clear();

        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pEnd = m_pMain->FindBlockByName("End");
        ASSERT_NE(nullptr, m_pEnd);
    }
    void TearDown() override
    {
        delete m_pProgram;
        TWindow::SetModalHook(m_pfnOldHook);
        g_script = nullptr;
        ModelTest::TearDown();
    }

    // A block of the case's type with its first period set and both outputs
    // that apply ("Period 1" and the other one) led to "End": finished.
    PowerBlock* FinishedPeriodBlock(const PeriodCase& c, const char* pszName)
    {
        PowerBlock* pBlock = AddBlock(m_pMain, c.nType, pszName, 200, 100);
        if (!pBlock)
            return nullptr;
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(c.nType)), pBlock,
                            pBlock->GetHandle(), c.nType);
        PXFieldValue(c.wFrom1, &record).SetText(c.pszFirstFrom);
        PXFieldValue(c.wTo1, &record).SetText(c.pszFirstTo);
        EXPECT_EQ(1, record.Commit());
        EXPECT_NE(nullptr, pBlock->Connect(m_pEnd, "Period 1", 0));
        EXPECT_NE(nullptr, pBlock->Connect(m_pEnd, c.pszOther, 0));
        EXPECT_EQ(1, record.CheckFinished());
        EXPECT_TRUE(pBlock->IsFinished());
        m_pProgram->ClearModified();
        m_observer.told.clear();
        return pBlock;
    }

    // A variable as the model holds it (the period variables keep text).
    static std::string Var(PowerBlock* pBlock, const char* pszName)
    {
        int nType = pBlock->GetType();
        const char* psz = static_cast<const char*>(
            kvrSDOGetSymbolPtr(nType, pszName, pBlock->GetHandle(), kvrSDOGetSymbolOffset(nType, pszName)));
        return psz ? psz : "";
    }

    int Edit(PowerBlock* pBlock, std::function<void(HWND)> script, int* pChangedOut = nullptr)
    {
        g_script = script;
        int nChanged = -1;
        int nResult = pBlock->EditProperties(nChanged);
        g_script = nullptr;
        EXPECT_EQ(nResult, nChanged);
        if (pChangedOut)
            *pChangedOut = nChanged;
        return nResult;
    }

    TWindow::TModalHook m_pfnOldHook = nullptr;
    Program* m_pProgram = nullptr;
    Page* m_pMain = nullptr;
    PowerBlock* m_pEnd = nullptr;
};

// The two blocks whose settings are periods: their names, variables and
// what a typed period becomes.
} // namespace


TEST_F(EditPropertiesTest, OkStoresTheTypedPeriodInTheModelAndChecksTheBlockAgain)
{
    for (const PeriodCase& c : kPeriodCases)
    {
        SCOPED_TRACE(c.pszCaption);
        PowerBlock* pBlock = FinishedPeriodBlock(c, c.pszCaption);
        ASSERT_NE(nullptr, pBlock);

        int nChanged = -1;
        int nResult = Edit(pBlock, [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            Type(hPage, IDC_PERIOD2_FROM, c.pszFrom);
            Type(hPage, IDC_PERIOD2_TO, c.pszTo);
            Press(hSheet, PSBTN_OK);
        }, &nChanged);

        EXPECT_EQ(1, g_nSheetsRun);
        EXPECT_EQ(c.pszCaption, g_caption);
        EXPECT_EQ(0, nResult);
        EXPECT_EQ(0, nChanged);
        EXPECT_EQ(c.pszFrom, Var(pBlock, c.pszFromVar));
        EXPECT_EQ(c.pszTo, Var(pBlock, c.pszToVar));
        EXPECT_TRUE(m_pProgram->IsModified());
        // "Period 2" applies now and goes nowhere.
        EXPECT_FALSE(pBlock->IsFinished());
        const std::vector<RecordingObserver::Told> expected = { { pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS }, { pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS } };
        EXPECT_EQ(expected, m_observer.told);
        ExpectModelMatches(m_pProgram);
        g_nSheetsRun = 0;
    }
}

// Times typed with one minute digit ('9 5') are stored with two, and times
// an earlier version stored with one ('9:5', which reads as 9:05) are shown
// with two: editing the block again keeps every period.
TEST_F(EditPropertiesTest, TimesKeepTheirPeriodsWhenEditedAgain)
{
    PowerBlock* pBlock = FinishedPeriodBlock(kPeriodCases[0], "Hours");
    ASSERT_NE(nullptr, pBlock);
    {
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(406)), pBlock, pBlock->GetHandle(), 406);
        PXFieldValue(28081, &record).SetText("9:5");
        PXFieldValue(28082, &record).SetText("17:3");
        ASSERT_EQ(1, record.Commit());
    }
    for (int nRound = 0; nRound < 2; ++nRound)
    {
        SCOPED_TRACE(nRound);
        std::string shownFrom, shownTo;
        MessageBoxRecorder boxes;
        Edit(pBlock, [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            char sz[32] = "";
            GetDlgItemTextA(hPage, IDC_PERIOD1_FROM, sz, sizeof(sz));
            shownFrom = sz;
            GetDlgItemTextA(hPage, IDC_PERIOD1_TO, sz, sizeof(sz));
            shownTo = sz;
            if (nRound == 0)
            {
                Type(hPage, IDC_PERIOD2_FROM, "9 5");
                Type(hPage, IDC_PERIOD2_TO, "9.7");
            }
            Press(hSheet, PSBTN_OK);
        });
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ("9:05", shownFrom);
        EXPECT_EQ("17:03", shownTo);
        EXPECT_EQ("9:05", Var(pBlock, "Time period 1 - From"));
        EXPECT_EQ("17:03", Var(pBlock, "Time period 1 - To"));
        EXPECT_EQ("9:05", Var(pBlock, "Time period 2 - From"));
        EXPECT_EQ("9:07", Var(pBlock, "Time period 2 - To"));
    }
}

TEST_F(EditPropertiesTest, CancelChangesNothing)
{
    for (const PeriodCase& c : kPeriodCases)
    {
        SCOPED_TRACE(c.pszCaption);
        PowerBlock* pBlock = FinishedPeriodBlock(c, c.pszCaption);
        ASSERT_NE(nullptr, pBlock);

        int nChanged = -1;
        Edit(pBlock, [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            Type(hPage, IDC_PERIOD2_FROM, c.pszFrom);
            Type(hPage, IDC_PERIOD2_TO, c.pszTo);
            Press(hSheet, PSBTN_CANCEL);
        }, &nChanged);

        EXPECT_EQ(1, g_nSheetsRun);
        EXPECT_EQ(0, nChanged);
        EXPECT_EQ("", Var(pBlock, c.pszFromVar));
        EXPECT_EQ("", Var(pBlock, c.pszToVar));
        EXPECT_FALSE(m_pProgram->IsModified());
        EXPECT_TRUE(pBlock->IsFinished());
        EXPECT_TRUE(m_observer.told.empty());
        g_nSheetsRun = 0;
    }
}

TEST_F(EditPropertiesTest, AConnectionTheBlockDoesNotShowIsReportedAsAChange)
{
    PowerBlock* pBlock = FinishedPeriodBlock(kPeriodCases[0], "Hours");
    ASSERT_NE(nullptr, pBlock);
    // The model leads "Period 2" (its second plain output) to "End"; the
    // block has no goto for it yet.
    ASSERT_EQ(0, kvrCreateGoto(pBlock->GetHandle(), m_pEnd->GetHandle(), 1));
    const struct
    {
        int nButton;
    } cases[] = { { PSBTN_CANCEL }, { PSBTN_OK } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nButton);
        int nChanged = -1;
        EXPECT_EQ(1, Edit(pBlock, [&](HWND hSheet) { Press(hSheet, c.nButton); }, &nChanged));
        EXPECT_EQ(1, nChanged);
        // Only reported: the caller brings the gotos in line.
        EXPECT_EQ(nullptr, pBlock->FindGoto("Period 2"));
    }
    pBlock->SyncGotos(0, 1, 0);
    ASSERT_NE(nullptr, pBlock->FindGoto("Period 2"));
    EXPECT_EQ(0, Edit(pBlock, [&](HWND hSheet) { Press(hSheet, PSBTN_CANCEL); }));
    ExpectModelMatches(m_pProgram);
}

TEST_F(EditPropertiesTest, TheOutputsAndNotesPageShowsTheOutputsAndEditsTheDescription)
{
    PowerBlock* pBlock = FinishedPeriodBlock(kPeriodCases[0], "Hours");
    ASSERT_NE(nullptr, pBlock);
    pBlock->SetDescription("before");
    m_pProgram->ClearModified();

    int nRows = -1;
    std::string firstRow, lastRow, notesShown;
    Edit(pBlock, [&](HWND hSheet) {
        SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        HWND hPage = CurrentPage(hSheet);
        HWND hList = GetDlgItem(hPage, IDC_OUTPUTS);
        nRows = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        char sz[64] = "";
        LVITEMA item = {};
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        SendMessageA(hList, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
        firstRow = sz;
        SendMessageA(hList, LVM_GETITEMTEXTA, nRows - 1, reinterpret_cast<LPARAM>(&item));
        lastRow = sz;
        GetWindowTextA(GetDlgItem(hPage, IDC_NOTES), sz, sizeof(sz));
        notesShown = sz;
        Type(hPage, IDC_NOTES, "Opening hours of the shop");
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ(6, nRows);
    EXPECT_EQ("Period 1", firstRow);
    EXPECT_EQ("Other times", lastRow);
    EXPECT_EQ("before", notesShown);
    EXPECT_STREQ("Opening hours of the shop", pBlock->GetDescription());
    EXPECT_TRUE(m_pProgram->IsModified());
    // Nothing else changed: the block is still finished.
    EXPECT_TRUE(pBlock->IsFinished());
}

TEST_F(EditPropertiesTest, ABlockWithoutAHandleHasNothingToEdit)
{
    PowerBlock block;
    int nChanged = -1;
    EXPECT_EQ(0, block.EditProperties(nChanged));
    EXPECT_EQ(0, nChanged);
    EXPECT_EQ(0, g_nSheetsRun);
}
