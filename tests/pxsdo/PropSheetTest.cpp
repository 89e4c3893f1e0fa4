// Soft property sheets: a record of the tests' own edited on two pages of
// a real sheet, driven from inside its modal loop with the messages a user's
// clicks and keys would send.
#include "PXTestSupport.h"
#include "PXDialogDriver.h"
#include "PropSheetTestRes.h"

#include "PXFieldValue.h"
#include "PXSObj.h"
#include "PXSRecDf.h"
#include "PXSoftPropSheet.h"
#include "PXSoftRec.h"
#include "PXWinApp.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ControllerEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        PXSoftObj::Init(m_pApp);
    }
    PXWinApp* m_pApp = nullptr;
};

testing::Environment* const g_pEnv = testing::AddGlobalTestEnvironment(new ControllerEnvironment);

// What the test does with the sheet once it is up; the script ends it.
std::function<void(HWND)> g_script;
int g_nSheetsRun = 0;

void RunScript(TWindow* pWnd)
{
    ++g_nSheetsRun;
    if (g_script)
        g_script(pWnd->HWindow);
}

// What the help program was asked for.
struct HelpAsked
{
    UINT uCommand;
    ULONG_PTR dwData;
};
std::vector<HelpAsked> g_helps;

BOOL WINAPI RecordHelp(HWND, LPCSTR, UINT uCommand, ULONG_PTR dwData)
{
    g_helps.push_back({ uCommand, dwData });
    return TRUE;
}

std::string Text(PXSoftRec* pRec, WORD wFieldId)
{
    return static_cast<const char*>(*PXFieldValue(wFieldId, pRec).GetText());
}

class PropSheetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_script = nullptr;
        g_nSheetsRun = 0;
        g_helps.clear();
        m_pfnOldHook = TWindow::SetModalHook(RunScript);
        m_pfnOldHelp = PXWinApp::SetHelpCall(RecordHelp);
        m_rec.reset(PXSoftRec::Create(TPS_REC, FALSE));
        PXFieldValue(TPS_NAME, m_rec.get()).SetText("Old");
        PXFieldValue(TPS_START, m_rec.get()).SetText("08:00");
        PXFieldValue(TPS_NOTE, m_rec.get()).SetText("kept");
        ASSERT_EQ(1, m_rec->Commit());
    }
    void TearDown() override
    {
        m_sheet.reset();
        m_rec.reset();
        TWindow::SetModalHook(m_pfnOldHook);
        PXWinApp::SetHelpCall(m_pfnOldHelp);
        g_script = nullptr;
    }

    // The record's sheet, run once with the script.
    int RunSheet(std::function<void(HWND)> script)
    {
        g_script = script;
        m_sheet.reset(m_rec->GetDef()->CreateSoftPropSheet(m_rec.get()));
        int nResult = m_sheet->Execute(1);
        g_script = nullptr;
        return nResult;
    }

    // Whether a page's soft dialog ever had its page window made.
    bool PageWasMade(int nIndex) { return m_sheet->GetSoftDlg(nIndex)->IsReady() != FALSE; }

    std::unique_ptr<PXSoftRec> m_rec;
    std::unique_ptr<PXSoftPropSheet> m_sheet;
    TWindow::TModalHook m_pfnOldHook = nullptr;
    PXWinApp::HelpCall m_pfnOldHelp = nullptr;
};

} // namespace

TEST_F(PropSheetTest, PagesAreTheSoftDialogStatementsOfTheDefinitionInOrder)
{
    std::vector<WORD> defIds;
    std::vector<DWORD> helpIds;
    std::vector<bool> hosted;
    int nResult = RunSheet([&](HWND hSheet) {
        for (int i = 0; i < m_sheet->GetPageCount(); ++i)
        {
            PXSoftDlg* pSoftDlg = m_sheet->GetSoftDlg(i);
            defIds.push_back(pSoftDlg->GetDefId());
            helpIds.push_back(pSoftDlg->GetHelpId());
            hosted.push_back(pSoftDlg->IsHosted() && pSoftDlg->GetWindow() == m_sheet->GetSheet()->GetPage(i));
        }
        Press(hSheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(0, nResult);
    EXPECT_EQ((std::vector<WORD>{ TPS_PAGE1, TPS_PAGE2 }), defIds);
    EXPECT_EQ((std::vector<DWORD>{ TPS_HELP1, TPS_HELP2 }), helpIds);
    EXPECT_EQ((std::vector<bool>{ true, true }), hosted);
    // Each page offers Help.
    for (int i = 0; i < m_sheet->GetSheet()->GetPageCount(); ++i)
        EXPECT_TRUE(m_sheet->GetSheet()->GetPage(i)->GetPropSheetPage().dwFlags & PSP_HASHELP) << i;
    EXPECT_TRUE(m_sheet->GetSheet()->GetFlags() & PSH_HASHELP);
}

TEST_F(PropSheetTest, OkWithTheSecondPageNeverOpenedCommitsTheRecord)
{
    bool bSecondHadWindow = true;
    int nResult = RunSheet([&](HWND hSheet) {
        Type(CurrentPage(hSheet), TPS_IDC_NAME, "Alice");
        bSecondHadWindow = m_sheet->GetSoftDlg(1)->GetWindow()->HWindow != nullptr;
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ(1, nResult);
    EXPECT_FALSE(bSecondHadWindow);
    EXPECT_FALSE(PageWasMade(1));
    EXPECT_EQ(0, m_rec->GetNbCells());
    EXPECT_EQ("Alice", Text(m_rec.get(), TPS_NAME));
    EXPECT_EQ("08:00", Text(m_rec.get(), TPS_START));
    EXPECT_EQ("kept", Text(m_rec.get(), TPS_NOTE));
}

TEST_F(PropSheetTest, BothPagesCommitOnce)
{
    int nResult = RunSheet([&](HWND hSheet) {
        Type(CurrentPage(hSheet), TPS_IDC_START, "09:15");
        OpenPage(hSheet, 1);
        Type(CurrentPage(hSheet), TPS_IDC_NOTE, "new note");
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ(1, nResult);
    EXPECT_TRUE(PageWasMade(1));
    EXPECT_EQ(0, m_rec->GetNbCells());
    EXPECT_EQ("Old", Text(m_rec.get(), TPS_NAME));
    EXPECT_EQ("09:15", Text(m_rec.get(), TPS_START));
    EXPECT_EQ("new note", Text(m_rec.get(), TPS_NOTE));
}

TEST_F(PropSheetTest, AValueTypedOnTheFirstPageIsSeenByTheSecondPagesConditions)
{
    const struct
    {
        const char* pszStored;
        const char* pszTyped;
        bool bOptionEnabled;
    } cases[] = {
        { "", "Bob", true },
        { "Old", "", false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTyped);
        // Stored without the record's check, which refuses an empty name.
        PXFieldValue(TPS_NAME, m_rec.get()).SetText(c.pszStored);
        ASSERT_EQ(1, m_rec->StoreField(TPS_NAME));
        m_rec->DropCells();
        int bEnabled = -1;
        RunSheet([&](HWND hSheet) {
            Type(CurrentPage(hSheet), TPS_IDC_NAME, c.pszTyped);
            OpenPage(hSheet, 1);
            bEnabled = IsWindowEnabled(GetDlgItem(CurrentPage(hSheet), TPS_IDC_OPTION)) ? 1 : 0;
            Press(hSheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(c.bOptionEnabled ? 1 : 0, bEnabled);
        EXPECT_EQ(c.pszStored, Text(m_rec.get(), TPS_NAME));
    }
}

TEST_F(PropSheetTest, APageOpenedAgainShowsTheRecordAsItIsNow)
{
    std::vector<int> enabled;
    std::string noteShown;
    RunSheet([&](HWND hSheet) {
        HWND hFirst = CurrentPage(hSheet);
        OpenPage(hSheet, 1);
        HWND hSecond = CurrentPage(hSheet);
        enabled.push_back(IsWindowEnabled(GetDlgItem(hSecond, TPS_IDC_OPTION)) ? 1 : 0);
        Type(hSecond, TPS_IDC_NOTE, "typed before leaving");
        OpenPage(hSheet, 0);
        Type(hFirst, TPS_IDC_NAME, "");
        OpenPage(hSheet, 1);
        enabled.push_back(IsWindowEnabled(GetDlgItem(hSecond, TPS_IDC_OPTION)) ? 1 : 0);
        char sz[64] = "";
        GetWindowTextA(GetDlgItem(hSecond, TPS_IDC_NOTE), sz, sizeof(sz));
        noteShown = sz;
        Press(hSheet, PSBTN_CANCEL);
    });
    // The second visit runs the page's ready reactions again, on the name
    // emptied meanwhile, and shows the note from the record.
    EXPECT_EQ((std::vector<int>{ 1, 0 }), enabled);
    EXPECT_EQ("typed before leaving", noteShown);
    EXPECT_EQ("Old", Text(m_rec.get(), TPS_NAME));
}

TEST_F(PropSheetTest, OkWithAnInvalidEntryOnTheFirstPageKeepsTheSheetOpenOnTheSecond)
{
    MessageBoxRecorder boxes;
    bool bOpenAfterRefusal = false;
    bool bStillOnSecond = false;
    size_t nBoxesAfterRefusal = 0;
    int nResult = RunSheet([&](HWND hSheet) {
        HWND hFirst = CurrentPage(hSheet);
        Type(hFirst, TPS_IDC_START, "25:99");
        OpenPage(hSheet, 1);
        HWND hSecond = CurrentPage(hSheet);
        Press(hSheet, PSBTN_OK);
        bOpenAfterRefusal = IsWindow(hSheet) && IsWindowVisible(hSheet);
        bStillOnSecond = CurrentPage(hSheet) == hSecond;
        nBoxesAfterRefusal = boxes.boxes.size();
        // Mended on the hidden page, the sheet closes.
        Type(hFirst, TPS_IDC_START, "10:30");
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ(1, nResult);
    EXPECT_TRUE(bOpenAfterRefusal);
    EXPECT_TRUE(bStillOnSecond);
    ASSERT_EQ(1u, nBoxesAfterRefusal);
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("HH:MM")) << boxes.boxes[0].text;
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("10:30", Text(m_rec.get(), TPS_START));
}

TEST_F(PropSheetTest, OkRefusedByTheRecordsVerificationKeepsTheSheetOpen)
{
    MessageBoxRecorder boxes;
    bool bOpenAfterRefusal = false;
    int nResult = RunSheet([&](HWND hSheet) {
        HWND hFirst = CurrentPage(hSheet);
        Type(hFirst, TPS_IDC_NAME, "");
        Press(hSheet, PSBTN_OK);
        bOpenAfterRefusal = IsWindow(hSheet) != FALSE;
        Type(hFirst, TPS_IDC_NAME, "Carol");
        Press(hSheet, PSBTN_OK);
    });
    EXPECT_EQ(1, nResult);
    EXPECT_TRUE(bOpenAfterRefusal);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("A name is needed.", boxes.boxes[0].text);
    EXPECT_EQ("Carol", Text(m_rec.get(), TPS_NAME));
}

TEST_F(PropSheetTest, CancelAndTheCloseBoxDropTheCells)
{
    const struct
    {
        const char* pszHow;
        UINT msg;
        WPARAM wParam;
    } cases[] = {
        { "Cancel", PSM_PRESSBUTTON, PSBTN_CANCEL },
        { "close box", WM_SYSCOMMAND, SC_CLOSE },
        { "WM_CLOSE", WM_CLOSE, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszHow);
        int nCellsBeforeClosing = 0;
        int nResult = RunSheet([&](HWND hSheet) {
            Type(CurrentPage(hSheet), TPS_IDC_NAME, "Dave");
            OpenPage(hSheet, 1);
            Type(CurrentPage(hSheet), TPS_IDC_NOTE, "lost");
            nCellsBeforeClosing = m_rec->GetNbCells();
            SendMessageA(hSheet, c.msg, c.wParam, 0);
        });
        EXPECT_EQ(0, nResult);
        EXPECT_GT(nCellsBeforeClosing, 0);
        EXPECT_EQ(0, m_rec->GetNbCells());
        EXPECT_EQ("Old", Text(m_rec.get(), TPS_NAME));
        EXPECT_EQ("kept", Text(m_rec.get(), TPS_NOTE));
        m_rec->DropCells();
    }
}

// Watches a sheet's last message: whether the system sheet still held its
// own data then, that is whether it never saw its WM_DESTROY.
WNDPROC g_pfnSheetProc = nullptr;
int g_nSheetDataLeft = -1;

LRESULT CALLBACK WatchSheetEnd(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY)
        g_nSheetDataLeft = GetPropA(hWnd, "PropertySheetInfo") != nullptr ? 1 : 0;
    return CallWindowProcA(g_pfnSheetProc, hWnd, msg, wParam, lParam);
}

TEST_F(PropSheetTest, EveryEndLetsTheSystemSheetFreeWhatItHeld)
{
    const struct
    {
        const char* pszHow;
        UINT msg;
        WPARAM wParam;
        int nResult;
    } cases[] = {
        { "Cancel", PSM_PRESSBUTTON, PSBTN_CANCEL, 0 },
        { "close box", WM_SYSCOMMAND, SC_CLOSE, 0 },
        { "OK", PSM_PRESSBUTTON, PSBTN_OK, 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszHow);
        g_nSheetDataLeft = -1;
        bool bWatched = false;
        int nResult = RunSheet([&](HWND hSheet) {
            // The system sheet keeps its data under this name while it runs.
            bWatched = GetPropA(hSheet, "PropertySheetInfo") != nullptr;
            g_pfnSheetProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(hSheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchSheetEnd)));
            Type(CurrentPage(hSheet), TPS_IDC_NAME, "Frank");
            OpenPage(hSheet, 1);
            SendMessageA(hSheet, c.msg, c.wParam, 0);
        });
        ASSERT_TRUE(bWatched);
        EXPECT_EQ(c.nResult, nResult);
        EXPECT_EQ(0, g_nSheetDataLeft);
        EXPECT_EQ(0, m_rec->GetNbCells());
        EXPECT_EQ(c.nResult ? "Frank" : "Old", Text(m_rec.get(), TPS_NAME));
    }
}

TEST_F(PropSheetTest, TheCaptionIsTheRecordTypesNameWithoutAContextHelpButton)
{
    std::string caption;
    LONG style = 0, exStyle = 0;
    BOOL bHelpButton = FALSE;
    RunSheet([&](HWND hSheet) {
        char sz[64] = "";
        GetWindowTextA(hSheet, sz, sizeof(sz));
        caption = sz;
        style = GetWindowLongA(hSheet, GWL_STYLE);
        exStyle = GetWindowLongA(hSheet, GWL_EXSTYLE);
        HWND hHelp = GetDlgItem(hSheet, IDHELP);
        bHelpButton = hHelp && IsWindowVisible(hHelp) && IsWindowEnabled(hHelp);
        Press(hSheet, PSBTN_CANCEL);
    });
    EXPECT_EQ("Test sheet", caption);
    EXPECT_EQ("Test sheet", std::string(m_sheet->GetSheet()->GetCaption()));
    EXPECT_EQ(0, exStyle & WS_EX_CONTEXTHELP);
    EXPECT_EQ(0, style & DS_CONTEXTHELP);
    EXPECT_TRUE(bHelpButton);
}

TEST_F(PropSheetTest, HelpOpensTheTopicOfThePageShown)
{
    RunSheet([&](HWND hSheet) {
        Press(hSheet, PSBTN_HELP);
        OpenPage(hSheet, 1);
        Press(hSheet, PSBTN_HELP);
        Press(hSheet, PSBTN_CANCEL);
    });
    ASSERT_EQ(2u, g_helps.size());
    EXPECT_EQ(static_cast<ULONG_PTR>(TPS_HELP1), g_helps[0].dwData);
    EXPECT_EQ(static_cast<ULONG_PTR>(TPS_HELP2), g_helps[1].dwData);
}

TEST_F(PropSheetTest, EditInPropSheetMarksTheRecordModifiedAndAnswersTheSheetsResult)
{
    // A fresh record: nothing has written into it, and Cancel writes nothing.
    const struct
    {
        const char* pszTyped;
        int nButton;
        int nResult;
        const char* pszName;
    } cases[] = {
        { "Eve", PSBTN_OK, 1, "Eve" },
        { nullptr, PSBTN_CANCEL, 0, "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nButton);
        std::unique_ptr<PXSoftRec> rec(PXSoftRec::Create(TPS_REC, FALSE));
        EXPECT_FALSE(rec->IsModified());
        g_script = [&](HWND hSheet) {
            if (c.pszTyped)
                Type(CurrentPage(hSheet), TPS_IDC_NAME, c.pszTyped);
            Press(hSheet, c.nButton);
        };
        g_nSheetsRun = 0;
        EXPECT_EQ(c.nResult, rec->EditInPropSheet());
        EXPECT_EQ(1, g_nSheetsRun);
        EXPECT_TRUE(rec->IsModified());
        EXPECT_EQ(0, rec->GetNbCells());
        EXPECT_EQ(c.pszName, Text(rec.get(), TPS_NAME));
    }
}

TEST_F(PropSheetTest, EndIdsOtherThanOkAndCancelAreConsistencyFailures)
{
    m_sheet.reset(m_rec->GetDef()->CreateSoftPropSheet(m_rec.get()));
    EXPECT_EQ(0, m_sheet->GetPageCount());
    EXPECT_EQ(nullptr, m_sheet->GetSheet());
    EXPECT_PXASSERT(m_sheet->EndSheet(IDABORT), "(0)");
    EXPECT_PXASSERT(m_sheet->Execute(2), "nMode");
    // Cancel outside a run drops what the record holds.
    PXFieldValue(TPS_NAME, m_rec.get()).SetText("typed");
    EXPECT_EQ(1, m_sheet->EndSheet(IDCANCEL));
    EXPECT_EQ(0, m_rec->GetNbCells());
}
