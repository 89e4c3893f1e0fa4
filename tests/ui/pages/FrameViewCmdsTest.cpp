// The main frame's print, printer set-up, zoom, About, page and Find
// commands, sent as WM_COMMAND to the editor's own frame over real page
// windows: each one without a page window, the dialogs answered by
// scripts, printing through the test printer, and the frame's page-grid
// cache.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "PXTestPrinter.h"
#include "PXTestSupport.h"
#include "EditorDlgRes.h"
#include "PrintEdit.h"
#include "PrintState.h"
#include "PXCmdIds.h"
#include "PXMsgBox.h"
#include "PXSObj.h"
#include "PXTextUI.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "TFindPBDialog.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"

#include <memory>
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

void SetPrintGrid(bool bOn)
{
    ModelSettings settings = GetModelSettings();
    if (bOn)
        settings.dwOptions |= UI_OPT_PRINTGRID;
    else
        settings.dwOptions &= ~static_cast<DWORD>(UI_OPT_PRINTGRID);
    ModelSetSettings(settings);
}

class FrameViewCmdsTest : public ModelTest
{
protected:
    FrameViewCmdsTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        m_pFrame->SetStatusLine(&m_status);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pPages->pfnClose = CloseProgram;
        m_pfnBeep = PXSetMessageBeepHook(RecordBeep);
        g_beeps.clear();
    }
    void TearDown() override
    {
        DeleteFindPowerBlock();
        while (m_pFrame->GetChildCount() > 0)
        {
            EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetChild(0));
            ASSERT_NE(nullptr, pWindow);
            pWindow->GetProgram()->ClearModified();
            pWindow->CloseWindow();
        }
        SetPrintGrid(false);
        PXSetMessageBeepHook(m_pfnBeep);
        m_pFrame->SetStatusLine(nullptr);
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // A program with a SuperBlock "Sub1" and a Verification Block "Check",
    // its page "Main" shown in a window; clean.
    EditMDI* OpenProgram(Program** ppProgram)
    {
        Program* pProgram = NewProgram();
        Page* pSub = new Page(pProgram, "Sub1", PX_PAGE_SUPERBLOCK, 0);
        pProgram->AddPage(pSub);
        pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK);
        Page* pCheck = new Page(pProgram, "Check", PX_PAGE_VERIFICATION, 0);
        pProgram->AddPage(pCheck);
        pCheck->AddDefaultBlocks(PX_PAGE_VERIFICATION);
        pProgram->ClearModified();
        EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pProgram, pProgram->GetMainPage()));
        EXPECT_NE(nullptr, pWindow);
        if (ppProgram)
            *ppProgram = pProgram;
        return pWindow;
    }

    // The command as the menu, a key or a button sends it.
    void Send(UINT nId) { SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(nId, 0), 0); }

    static void Flush()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    StatusRecorder m_status;
    PXMessageBeepHook m_pfnBeep = nullptr;
};

const char kNoWindow[] = "3:Select window containing a program before executing this command.";
const char kNoScaleWindow[] = "3:Select window to Scale before executing command.";

} // namespace

TEST_F(FrameViewCmdsTest, WithoutAPageWindowTheCommandsSaySoAndBeep)
{
    struct Case
    {
        UINT nId;
        const char* pszHint;
    } cases[] = {
        {CM_PRINTFLOW, kNoWindow},
        {CM_SETZOOM, kNoScaleWindow},
        {CM_NEWSUPERBLOCK, kNoWindow},
        {CM_VIEWSUPERBLOCKS, kNoWindow},
        {CM_VIEWVERIFBLOCKS, kNoWindow},
        {CM_DEFINESUPERBLOCKS, kNoWindow},
        {CM_DEFINEVERIFBLOCKS, kNoWindow},
        {CM_FINDPOWERBLOCK, kNoWindow},
    };
    PrintState::PrintDialogFunc pfnOld = PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        m_status.lines.clear();
        g_beeps.clear();
        DialogScripts scripts;
        Send(c.nId);
        EXPECT_EQ(std::vector<std::string>{c.pszHint}, m_status.lines);
        EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
        EXPECT_TRUE(scripts.captions.empty()) << "no dialog opened";
    }
    EXPECT_EQ(nullptr, GetFindPowerBlock());
    PrintState::set_dialog_func(pfnOld);
}

TEST_F(FrameViewCmdsTest, SetZoomTakesThePercentChosenAndCancelKeepsTheZoom)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    ASSERT_EQ(100, pPane->GetZoom());
    // The program is the active application's, which keeps its zoom.
    PXUserApp* pApp = new PXUserApp(CString(pProgram->GetName()));
    pApp->SetProgram(pProgram);
    m_pController->AddUserApp(pApp);
    ASSERT_EQ(pApp, m_pController->GetActiveUserApp());

    DialogScripts scripts;
    std::string shown;
    scripts.Add([&](HWND hDlg) {
        shown = Text(hDlg, IDC_SCALE_CURRENT);
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "50");
        ClickButton(hDlg, IDOK);
    });
    Send(CM_SETZOOM);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ("100", shown);
    EXPECT_EQ(50, pPane->GetZoom());
    EXPECT_EQ(50, pApp->GetZoom());
    EXPECT_EQ(0, pPane->GetZoomStep()) << "the next zoom step snaps it onto the ladder";
    int nPercent = pPane->GetZoom(), nStep = pPane->GetZoomStep();
    NormalizeZoom(nPercent, nStep);
    EXPECT_EQ(49, nPercent);

    scripts.Add([&](HWND hDlg) {
        shown = Text(hDlg, IDC_SCALE_CURRENT);
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "90");
        ClickButton(hDlg, IDCANCEL);
    });
    Send(CM_SETZOOM);
    EXPECT_EQ("50", shown);
    EXPECT_EQ(50, pPane->GetZoom());
    EXPECT_EQ(50, pApp->GetZoom());
    EXPECT_TRUE(m_status.lines.empty());
    m_pController->RemoveUserApp(pApp);
}

TEST_F(FrameViewCmdsTest, AboutShowsTheAboutBox)
{
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) { ClickButton(hDlg, IDOK); });
    Send(CM_ABOUT);
    EXPECT_TRUE(scripts.AllRun());
    ASSERT_EQ(1u, scripts.captions.size());
    EXPECT_NE(std::string::npos, scripts.captions[0].find("About"));
}

TEST_F(FrameViewCmdsTest, PrintingPrintsThePageAndLeavesTheProgramsMarkAlone)
{
    ASSERT_TRUE(pxtest::InstallTestPrinter());
    PrintState::PrintDialogFunc pfnOld = PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    const int nObjects = pPane->GetDisplayObjectCount();
    ASSERT_GT(nObjects, 0);

    const std::string out = TempPath("plexframeprint.ps");
    for (bool bModified : {false, true})
    {
        SCOPED_TRACE(bModified ? "modified program" : "clean program");
        DeleteFileA(out.c_str());
        PrintState::set_output_file(out.c_str());
        if (bModified)
            pProgram->SetModified();
        else
            pProgram->ClearModified();
        m_pFrame->SetPageGridCell(7, 9);
        Send(CM_PRINTFLOW);
        EXPECT_EQ(1, pxtest::CountPostScriptPages(out));
        EXPECT_EQ(bModified, pProgram->IsModified());
        EXPECT_EQ(nObjects, pPane->GetDisplayObjectCount()) << "the pane was laid out again";
        EXPECT_EQ(0, m_pFrame->GetPageGridCellWidth()) << "the page grid is off: nothing measured";
        EXPECT_EQ(0, m_pFrame->GetPageGridCellHeight());
    }
    EXPECT_TRUE(m_status.lines.empty());
    PrintState::set_output_file(nullptr);
    DeleteFileA(out.c_str());
    PrinterCleanup();
    PrintState::set_dialog_func(pfnOld);
}

// Without a printer the print says so, from the string table through the
// reporter, and leaves the page window as it was.
TEST_F(FrameViewCmdsTest, PrintingWithoutAPrinterSaysSo)
{
    PrinterCleanup();
    PrintState::PrintDialogFunc pfnOld = PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    const int nObjects = pPane->GetDisplayObjectCount();
    ASSERT_GT(nObjects, 0);
    {
        MessageBoxRecorder boxes;
        Send(CM_PRINTFLOW);
        ASSERT_EQ(1u, boxes.boxes.size());
        std::string text;
        for (char ch : boxes.boxes[0].text)
            if (ch != '\r')
                text += ch;
        EXPECT_EQ("There is no printer to print on.\nPlease create a default printer.", text);
        EXPECT_TRUE(boxes.boxes[0].uType & MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(nObjects, pPane->GetDisplayObjectCount());
    EXPECT_FALSE(pProgram->IsModified());
    EXPECT_TRUE(m_status.lines.empty());
    EXPECT_TRUE(g_beeps.empty());
    PrintState::set_dialog_func(pfnOld);
}

// The page editing pane measures the printed page once and the frame keeps
// it; print and printer set-up make it measure again.
TEST_F(FrameViewCmdsTest, ThePageGridCacheIsFilledByThePaneAndClearedByThePrinterCommands)
{
    ASSERT_TRUE(pxtest::InstallTestPrinter());
    PrintState::PrintDialogFunc pfnOld = PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
    EditMDI* pWindow = OpenProgram(nullptr);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    long nWidth = 0, nHeight = 0;
    EditChild::GetPageSize(pPane, nWidth, nHeight, 1);
    ASSERT_GT(nWidth, 0);
    ASSERT_GT(nHeight, 0);
    long cx = -1, cy = -1;
    m_pPages->GetPageGridSize(cx, cy);
    EXPECT_EQ(0, cx) << "nothing measured while the page grid is off";
    EXPECT_EQ(0, cy);

    SetPrintGrid(true);
    pPane->Relayout();
    EXPECT_EQ(nWidth, m_pFrame->GetPageGridCellWidth());
    EXPECT_EQ(nHeight, m_pFrame->GetPageGridCellHeight());
    long vx = 0, vy = 0;
    pPane->ModelToView(nWidth, nHeight, vx, vy);
    EXPECT_EQ(vx, pPane->GetPageGridCell().cx);
    EXPECT_EQ(vy, pPane->GetPageGridCell().cy);

    // A kept size is used as it is.
    m_pFrame->SetPageGridCell(80, 40);
    pPane->Relayout();
    pPane->ModelToView(80, 40, vx, vy);
    EXPECT_EQ(vx, pPane->GetPageGridCell().cx);
    EXPECT_EQ(80, m_pFrame->GetPageGridCellWidth());

    // Print and printer set-up drop it; the pane's relayout measures again.
    const std::string out = TempPath("plexframegrid.ps");
    PrintState::set_output_file(out.c_str());
    Send(CM_PRINTFLOW);
    EXPECT_EQ(nWidth, m_pFrame->GetPageGridCellWidth());
    EXPECT_EQ(nHeight, m_pFrame->GetPageGridCellHeight());
    m_pFrame->SetPageGridCell(80, 40);
    Send(CM_PRINTSETUP);
    EXPECT_EQ(nWidth, m_pFrame->GetPageGridCellWidth());
    EXPECT_EQ(nHeight, m_pFrame->GetPageGridCellHeight());
    EXPECT_EQ(0, pPane->GetPageGridFlag());

    // Printer set-up without a page window clears the cache, and the next
    // pane to lay out measures it.
    pWindow->GetProgram()->ClearModified();
    pWindow->CloseWindow();
    m_pFrame->SetPageGridCell(80, 40);
    Send(CM_PRINTSETUP);
    EXPECT_EQ(0, m_pFrame->GetPageGridCellWidth());
    EXPECT_TRUE(m_status.lines.empty()) << "set-up needs no page window";

    PrintState::set_output_file(nullptr);
    DeleteFileA(out.c_str());
    PrinterCleanup();
    PrintState::set_dialog_func(pfnOld);
}

TEST_F(FrameViewCmdsTest, NewSuperBlockAsksUntilTheModelTakesTheNameAndOpensIt)
{
    Program* pProgram = nullptr;
    ASSERT_NE(nullptr, OpenProgram(&pProgram));
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    std::string second;
    scripts.Add([](HWND hDlg) {
        Type(hDlg, IDC_NAMEPAGE_NAME, "Sub1");      // in use
        ClickButton(hDlg, IDOK);
    });
    scripts.Add([&](HWND hDlg) {
        second = Text(hDlg, IDC_NAMEPAGE_NAME);
        Type(hDlg, IDC_NAMEPAGE_NAME, "Orders");
        ClickButton(hDlg, IDOK);
    });
    Send(CM_NEWSUPERBLOCK);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ("Sub1", second) << "asked again with the name entered";
    Page* pNew = pProgram->FindPage("Orders");
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(PX_PAGE_SUPERBLOCK, pNew->GetKind());
    EXPECT_GT(pNew->GetBlocks().getItemsInContainer(), 0u) << "its default blocks";
    EXPECT_NE(nullptr, m_pFrame->FindChildForPage(pNew));
    EXPECT_EQ(2, m_pFrame->GetChildCount());
    ExpectModelMatches(pProgram);

    // Cancel makes nothing.
    scripts.Add([](HWND hDlg) {
        Type(hDlg, IDC_NAMEPAGE_NAME, "Other");
        ClickButton(hDlg, IDCANCEL);
    });
    Send(CM_NEWSUPERBLOCK);
    EXPECT_EQ(nullptr, pProgram->FindPage("Other"));
    EXPECT_EQ(2, m_pFrame->GetChildCount());
}

TEST_F(FrameViewCmdsTest, ViewPagesOpensOrActivatesTheWindowOfThePageChosen)
{
    Program* pProgram = nullptr;
    EditMDI* pMainWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pMainWindow);
    struct Case
    {
        UINT nId;
        const char* pszPage;
        bool bStaysClean;       // a clean program stays clean (SuperBlocks only)
    } cases[] = {
        {CM_VIEWSUPERBLOCKS, "Sub1", true},
        {CM_VIEWVERIFBLOCKS, "Check", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszPage);
        Page* pPage = pProgram->FindPage(c.pszPage);
        ASSERT_NE(nullptr, pPage);
        pProgram->ClearModified();
        DialogScripts scripts;
        auto choose = [&](HWND hDlg) {
            std::vector<std::string> lines = ListLines(hDlg, IDC_PAGES_LIST);
            for (size_t i = 0; i < lines.size(); ++i)
                if (lines[i].compare(0, strlen(c.pszPage), c.pszPage) == 0)
                    SelectLine(hDlg, IDC_PAGES_LIST, static_cast<int>(i));
            ClickButton(hDlg, IDOK);
        };
        scripts.Add(choose);
        const int nBefore = m_pFrame->GetChildCount();
        Send(c.nId);
        EXPECT_TRUE(scripts.AllRun());
        UIMDIChild* pShowing = m_pFrame->FindChildForPage(pPage);
        ASSERT_NE(nullptr, pShowing);
        EXPECT_EQ(nBefore + 1, m_pFrame->GetChildCount());
        if (c.bStaysClean)
        {
            EXPECT_FALSE(pProgram->IsModified());
        }

        // Chosen again while another window is active: activated, not
        // opened again.
        m_pFrame->ActivateChild(pMainWindow);
        scripts.Add(choose);
        Send(c.nId);
        EXPECT_EQ(nBefore + 1, m_pFrame->GetChildCount());
        EXPECT_EQ(pShowing, m_pFrame->GetActiveEditWindow());
        m_pFrame->ActivateChild(pMainWindow);

        // Cancel leaves the windows as they are.
        scripts.Add([](HWND hDlg) { ClickButton(hDlg, IDCANCEL); });
        Send(c.nId);
        EXPECT_EQ(pMainWindow, m_pFrame->GetActiveEditWindow());
    }
}

TEST_F(FrameViewCmdsTest, DefinePagesRunsTheDialogOfTheKindAndMarksTheProgram)
{
    Program* pProgram = nullptr;
    ASSERT_NE(nullptr, OpenProgram(&pProgram));
    struct Case
    {
        UINT nId;
        const char* pszCaption;
        const char* pszLinePrefix;
    } cases[] = {
        {CM_DEFINESUPERBLOCKS, "Define SuperBlocks", "Sub1"},
        {CM_DEFINEVERIFBLOCKS, "Define Verification Blocks", "Check"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszCaption);
        pProgram->ClearModified();
        DialogScripts scripts;
        std::vector<std::string> lines;
        scripts.Add([&](HWND hDlg) {
            lines = ListLines(hDlg, IDC_PAGES_LIST);
            ClickButton(hDlg, IDCANCEL);
        });
        Send(c.nId);
        EXPECT_TRUE(scripts.AllRun());
        ASSERT_EQ(1u, scripts.captions.size());
        EXPECT_EQ(c.pszCaption, scripts.captions[0]);
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(0u, lines[0].find(c.pszLinePrefix));
        EXPECT_TRUE(pProgram->IsModified()) << "whatever the answer";
    }
}

TEST_F(FrameViewCmdsTest, FindOpensTheOneDialogAndFollowsTheCurrentProgram)
{
    Program* pFirst = nullptr;
    Program* pSecond = nullptr;
    EditMDI* pFirstWindow = OpenProgram(&pFirst);
    ASSERT_NE(nullptr, pFirstWindow);
    m_pFrame->ActivateChild(pFirstWindow);
    Send(CM_FINDPOWERBLOCK);
    TFindPBDialog* pFind = GetFindPowerBlock();
    ASSERT_NE(nullptr, pFind);
    ASSERT_TRUE(pFind->IsWindow());
    EXPECT_EQ(pFirst, pFind->GetProgram());
    EXPECT_EQ(m_pFrame->HWindow, GetParent(pFind->HWindow));
    EXPECT_FALSE(ListLines(pFind->HWindow, IDC_FIND_RESULTS).empty()) << "the search ran";

    // The frame's current program changes with the active window: the
    // open dialog searches the new one, a window just opened too.
    g_beeps.clear();
    EditMDI* pSecondWindow = OpenProgram(&pSecond);
    ASSERT_NE(nullptr, pSecondWindow);
    Flush();
    EXPECT_EQ(pSecond, m_pFrame->GetCurrentProgram());
    ASSERT_TRUE(pFind->IsWindow()) << "a new window does not close the dialog";
    EXPECT_EQ(pSecond, pFind->GetProgram());
    m_pFrame->ActivateChild(pFirstWindow);
    Flush();
    EXPECT_EQ(pFirst, m_pFrame->GetCurrentProgram());
    EXPECT_EQ(pFirst, pFind->GetProgram());
    EXPECT_TRUE(g_beeps.empty());

    // Find again: the same dialog, no second one.
    Send(CM_FINDPOWERBLOCK);
    EXPECT_EQ(pFind, GetFindPowerBlock());
    EXPECT_TRUE(m_status.lines.empty());
}

// Set Zoom, the page dialogs and Find end an in-place note edit first,
// keeping the text typed.
TEST_F(FrameViewCmdsTest, CommandsEndAnInPlaceNoteEditFirst)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    const UINT ids[] = {CM_SETZOOM, CM_VIEWSUPERBLOCKS, CM_DEFINESUPERBLOCKS, CM_FINDPOWERBLOCK};
    for (UINT nId : ids)
    {
        SCOPED_TRACE(nId);
        // A new note, drawn with the mouse and edited in place.
        pPane->BeginTextNote();
        POINT from = {30, 400};
        pPane->LogicalToDevice(from);
        SendMessageA(pPane->HWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(pPane->HWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 120, from.y + 60));
        SendMessageA(pPane->HWindow, WM_LBUTTONUP, 0, MAKELPARAM(from.x + 120, from.y + 60));
        // No message pump here: a focus change another program's window
        // makes on the shared display would end the edit before the command.
        ASSERT_EQ(MODE_TEXTEDIT, pPane->GetMouseMode());
        PXTextUI* pNote = pPane->GetEditedTextNote();
        ASSERT_NE(nullptr, pNote);
        SetWindowTextA(pNote->GetTextBox()->GetEditWindow(), "Typed");

        DialogScripts scripts;
        scripts.Add([](HWND hDlg) { ClickButton(hDlg, IDCANCEL); });
        Send(nId);
        EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
        EXPECT_STREQ("Typed", pNote->GetText());
        DeleteFindPowerBlock();
    }
}

// Deleting, in Define SuperBlocks, the page of the program's only window:
// the program stays, shown on its main page.
TEST_F(FrameViewCmdsTest, DeletingThePageOfTheOnlyWindowKeepsTheProgram)
{
    Program* pProgram = nullptr;
    EditMDI* pMainWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pMainWindow);
    Page* pSub = pProgram->FindPage("Sub1");
    ASSERT_NE(nullptr, m_pFrame->OpenEditWindow(pProgram, pSub));
    pMainWindow->CloseWindow();
    ASSERT_EQ(1, m_pFrame->GetChildCount());
    ASSERT_EQ(pSub, m_pFrame->GetActivePage());

    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    DialogScripts scripts;
    std::vector<std::string> lines;
    scripts.Add([&](HWND hDlg) {
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        ClickButton(hDlg, IDC_PAGES_DELETE);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        ClickButton(hDlg, IDOK);
    });
    Send(CM_DEFINESUPERBLOCKS);
    EXPECT_TRUE(scripts.AllRun());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(nullptr, pProgram->FindPage("Sub1"));
    ASSERT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(pProgram->GetMainPage(), m_pFrame->GetChild(0)->GetPage());
    EXPECT_EQ(1, pProgram->GetOpenWindows());
    EXPECT_TRUE(pProgram->IsModified());
    ExpectModelMatches(pProgram);
}
