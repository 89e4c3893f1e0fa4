// The main frame's View, Options, build and Help commands, sent as
// WM_COMMAND to the editor's own frame with its bars over real page
// windows: the option toggles and their check marks, the status line and
// the tool strip, the page grid and the default printer, the levels, the
// scrolling keys (and a note edited in place), the named fonts through the
// font dialog's seam, Build, the help file, the tutorial and the online
// documentation through their seams.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "PXTestSupport.h"
#include "EditorDlgRes.h"
#include "FontObject.h"
#include "FrameBars.h"
#include "IconBoxChild.h"
#include "Icons.h"
#include "PXCmdIds.h"
#include "PXMsgBox.h"
#include "PXProgDir.h"
#include "PXSObj.h"
#include "PXTextUI.h"
#include "PXWinApp.h"
#include "ScrollBar.h"
#include "StatusLineChild.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "plexmodel.h"
#include "owl/TScrollBar.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{

// The help program's, the started program's and the browser's calls.
struct HelpRecord
{
    std::string file;
    UINT uCommand;
    ULONG_PTR dwData;
};
std::vector<HelpRecord> g_help;
std::vector<std::string> g_started;
std::vector<std::string> g_opened;

BOOL WINAPI RecordHelp(HWND, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    g_help.push_back({pszFile ? pszFile : "", uCommand, dwData});
    return TRUE;
}
void RecordStart(const char* pszPath)
{
    g_started.push_back(pszPath);
}
void RecordOpen(HWND, const char* pszAddress)
{
    g_opened.push_back(pszAddress);
}

// The font dialog: the face it started from, and Arial at 20 pixels
// chosen, or cancelled.
std::string g_startFace;
BOOL WINAPI ChooseArial(CHOOSEFONTA* pcf)
{
    g_startFace = pcf->lpLogFont->lfFaceName;
    lstrcpynA(pcf->lpLogFont->lfFaceName, "Arial", LF_FACESIZE);
    pcf->lpLogFont->lfHeight = -20;
    pcf->lpLogFont->lfWeight = FW_BOLD;
    return TRUE;
}
BOOL WINAPI CancelFont(CHOOSEFONTA* pcf)
{
    g_startFace = pcf->lpLogFont->lfFaceName;
    return FALSE;
}

// The default printer of WIN.INI, put back when the test ends.
class DefaultPrinter
{
public:
    DefaultPrinter()
    {
        char sz[256] = "";
        m_bHad = GetProfileStringA("windows", "device", "", sz, sizeof(sz)) > 0;
        m_saved = sz;
    }
    ~DefaultPrinter() { WriteProfileStringA("windows", "device", m_bHad ? m_saved.c_str() : nullptr); }
    void Set(const char* pszDevice) { WriteProfileStringA("windows", "device", pszDevice); }

private:
    bool m_bHad;
    std::string m_saved;
};

// The help folder value of the program's registry key, put back when the
// test ends.
class HelpDirValue
{
public:
    HelpDirValue()
    {
        char sz[MAX_PATH] = "";
        PXGetHelpDir(sz, sizeof(sz));
        m_saved = sz;
    }
    ~HelpDirValue() { Set(m_saved.empty() ? nullptr : m_saved.c_str()); }
    // None removes the value.
    static void Set(const char* pszDir)
    {
        HKEY hKey = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, PX_REGKEY_PLEXWRIGHT, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                            nullptr) != ERROR_SUCCESS)
            return;
        if (pszDir)
            RegSetValueExA(hKey, "HelpDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszDir),
                           static_cast<DWORD>(strlen(pszDir) + 1));
        else
            RegDeleteValueA(hKey, "HelpDir");
        RegCloseKey(hKey);
    }

private:
    std::string m_saved;
};

class FrameOptionsTest : public ModelTest
{
protected:
    FrameOptionsTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_dwOptions = UIApp::GetApp() ? UIApp::GetApp()->GetOptions() : 0;
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        if (m_bBars)
            MakeFrameBars(*m_pFrame);
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
        while (m_pFrame->GetChildCount() > 0)
        {
            EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetChild(0));
            ASSERT_NE(nullptr, pWindow);
            pWindow->GetProgram()->ClearModified();
            pWindow->CloseWindow();
        }
        // The options as the test found them (the model keeps them too).
        m_app.SetOption(~m_dwOptions, false);
        m_app.SetOption(m_dwOptions, true);
        PXSetMessageBeepHook(m_pfnBeep);
        m_pFrame->SetStatusLine(nullptr);
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // A program whose page "Main" is shown in a window; clean.
    EditMDI* OpenProgram(Program** ppProgram = nullptr)
    {
        Program* pProgram = NewProgram();
        pProgram->ClearModified();
        EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pProgram, pProgram->GetMainPage()));
        EXPECT_NE(nullptr, pWindow);
        if (ppProgram)
            *ppProgram = pProgram;
        return pWindow;
    }

    void Send(UINT nId) { SendMessageA(m_pFrame->HWindow, WM_COMMAND, MAKEWPARAM(nId, 0), 0); }

    // The Options menu's pop-up at its place, opened as the menu bar opens
    // it (its items rebuilt with their check marks).
    HMENU OpenOptionsPopup(int nPlace)
    {
        HMENU hOptions = m_pFrame->FindMenuHolding(CM_CONFIRMPASTE);
        HMENU hPopup = hOptions ? GetSubMenu(hOptions, nPlace) : nullptr;
        if (hPopup)
            SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nPlace, 0));
        return hPopup;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    StatusRecorder m_status;
    PXMessageBeepHook m_pfnBeep = nullptr;
    DWORD m_dwOptions = 0;
    bool m_bBars = true;
};

// The same frame without its bars.
class FrameOptionsNoBarsTest : public FrameOptionsTest
{
protected:
    FrameOptionsNoBarsTest() { m_bBars = false; }
};

const char kNoWindow[] = "3:Select window containing a program before executing this command.";

} // namespace

TEST_F(FrameOptionsTest, TogglesTurnTheirBitOverAndTheCheckMarkWithIt)
{
    // Every toggle has its item in the Options menu, which keeps its check
    // mark.
    struct Case
    {
        UINT nId;
        DWORD dwBit;
    } cases[] = {
        {CM_CONFIRMPASTE, UI_OPT_CONFIRMDELETE},
        {CM_PRINTFRAME, UI_OPT_PRINTFRAME},
        {CM_AUTONAME, UI_OPT_AUTONAME},
        {CM_SMARTROUTING, UI_OPT_SMARTROUTING},
        {CM_LABELSTUBS, UI_OPT_LABELSTUBS},
        {CM_SNAPTOGRID, UI_OPT_SNAPTOGRID},
        {CM_OLDVARTYPES, UI_OPT_OLDVARTYPES},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        EXPECT_NE(nullptr, m_pFrame->FindMenuHolding(c.nId));
        for (bool bStart : {false, true})
        {
            m_app.SetOption(c.dwBit, bStart);
            m_pFrame->SetMenuCheck(c.nId, bStart);
            const int nBackTypes = kvrGetBackTypes();
            Send(c.nId);
            EXPECT_EQ(!bStart, UIApp::IsOptionSet(c.dwBit));
            EXPECT_EQ(!bStart, (GetModelSettings().dwOptions & c.dwBit) != 0) << "the model reads it too";
            EXPECT_EQ(!bStart, m_pFrame->IsMenuChecked(c.nId));
            // Old Variable Types also turns the model's offer over.
            EXPECT_EQ(c.nId == CM_OLDVARTYPES ? !nBackTypes : nBackTypes, kvrGetBackTypes());
        }
    }
    // The model's offer as the test found it.
    if (kvrGetBackTypes())
        kvrToggleBackTypes();
    EXPECT_TRUE(m_status.lines.empty());
    EXPECT_TRUE(g_beeps.empty());
}

TEST_F(FrameOptionsTest, ToolBarAndStatusLineAreShownAndHiddenWithTheFrameLaidOut)
{
    IconBoxChild* pStrip = GetFrameToolStrip(*m_pFrame);
    StatusLineChild* pLine = GetFrameStatusLine(*m_pFrame);
    ASSERT_NE(nullptr, pStrip);
    ASSERT_NE(nullptr, pLine);
    HWND hClient = m_pFrame->GetClientWindow()->HWindow;
    auto clientRect = [&]() {
        RECT rc;
        GetWindowRect(hClient, &rc);
        MapWindowPoints(nullptr, m_pFrame->HWindow, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    // Both hidden to begin with.
    if (pStrip->IsShown())
        Send(CM_TOOLBAR);
    if (pLine->IsShown())
        Send(CM_STATUSLINE);
    ASSERT_FALSE(pStrip->IsShown());
    ASSERT_FALSE(pLine->IsShown());
    const RECT rcBare = clientRect();

    Send(CM_TOOLBAR);
    EXPECT_TRUE(pStrip->IsShown());
    EXPECT_NE(0, GetWindowLongA(pStrip->HWindow, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(m_pFrame->IsMenuChecked(CM_TOOLBAR));
    EXPECT_TRUE(UIApp::IsOptionSet(UI_OPT_TOOLBAR));
    EXPECT_GT(clientRect().top, rcBare.top) << "the MDI client lies under the strip";

    Send(CM_STATUSLINE);
    EXPECT_TRUE(pLine->IsShown());
    EXPECT_TRUE(UIApp::IsOptionSet(UI_OPT_STATUSLINE));
    EXPECT_EQ(rcBare.bottom - pLine->GetHeight(), clientRect().bottom);

    Send(CM_TOOLBAR);
    EXPECT_FALSE(pStrip->IsShown());
    EXPECT_EQ(0, GetWindowLongA(pStrip->HWindow, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(m_pFrame->IsMenuChecked(CM_TOOLBAR));
    EXPECT_FALSE(UIApp::IsOptionSet(UI_OPT_TOOLBAR));
    EXPECT_EQ(rcBare.top, clientRect().top);

    EXPECT_TRUE(m_pFrame->IsMenuChecked(CM_STATUSLINE));
    Send(CM_STATUSLINE);
    EXPECT_FALSE(pLine->IsShown());
    EXPECT_FALSE(m_pFrame->IsMenuChecked(CM_STATUSLINE));
    EXPECT_FALSE(UIApp::IsOptionSet(UI_OPT_STATUSLINE));
    EXPECT_EQ(rcBare.bottom, clientRect().bottom);
}

TEST_F(FrameOptionsNoBarsTest, WithoutTheBarsOnlyTheCheckMarkAndTheBitChange)
{
    ASSERT_EQ(nullptr, GetFrameToolStrip(*m_pFrame));
    ASSERT_EQ(nullptr, GetFrameStatusLine(*m_pFrame));
    for (bool bStart : {false, true})
    {
        SCOPED_TRACE(bStart);
        m_app.SetOption(UI_OPT_TOOLBAR | UI_OPT_STATUSLINE, bStart);
        m_pFrame->SetMenuCheck(CM_TOOLBAR, bStart);
        m_pFrame->SetMenuCheck(CM_STATUSLINE, bStart);
        Send(CM_TOOLBAR);
        Send(CM_STATUSLINE);
        EXPECT_EQ(!bStart, m_pFrame->IsMenuChecked(CM_TOOLBAR));
        EXPECT_EQ(!bStart, m_pFrame->IsMenuChecked(CM_STATUSLINE));
        EXPECT_EQ(!bStart, UIApp::IsOptionSet(UI_OPT_TOOLBAR));
        EXPECT_EQ(!bStart, UIApp::IsOptionSet(UI_OPT_STATUSLINE));
    }
}

TEST_F(FrameOptionsTest, PageGridNeedsADefaultPrinter)
{
    DefaultPrinter printer;
    EditMDI* pWindow = OpenProgram();
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    ASSERT_NE(nullptr, pPane);
    m_app.SetOption(UI_OPT_PRINTGRID, false);
    m_pFrame->SetMenuCheck(CM_PAGEGRID, false);

    for (const char* pszNone : {"NONE", ""})
    {
        SCOPED_TRACE(pszNone);
        printer.Set(pszNone);
        MessageBoxRecorder boxes;
        Send(CM_PAGEGRID);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The system could not display the page grid.\r\nPlease create a default printer.",
                  boxes.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
        EXPECT_FALSE(m_pFrame->IsMenuChecked(CM_PAGEGRID));
        EXPECT_FALSE(UIApp::IsOptionSet(UI_OPT_PRINTGRID));
    }

    printer.Set("Plexwright Printer,winspool,FILE:");
    MessageBoxRecorder boxes;
    const int nObjects = pPane->GetDisplayObjectCount();
    // The page windows lay out again with the grid: the pane takes the
    // frame's kept cell size.
    m_pFrame->SetPageGridCell(80, 40);
    long vx = 0, vy = 0;
    pPane->ModelToView(80, 40, vx, vy);
    ASSERT_NE(vx, pPane->GetPageGridCell().cx);
    Send(CM_PAGEGRID);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(m_pFrame->IsMenuChecked(CM_PAGEGRID));
    EXPECT_TRUE(UIApp::IsOptionSet(UI_OPT_PRINTGRID));
    EXPECT_EQ(vx, pPane->GetPageGridCell().cx);
    EXPECT_EQ(vy, pPane->GetPageGridCell().cy);
    EXPECT_EQ(nObjects, pPane->GetDisplayObjectCount());

    // Turning it off asks for no printer.
    printer.Set("NONE");
    Send(CM_PAGEGRID);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(m_pFrame->IsMenuChecked(CM_PAGEGRID));
    EXPECT_FALSE(UIApp::IsOptionSet(UI_OPT_PRINTGRID));
}

TEST_F(FrameOptionsTest, LevelsAreSetUnlessTheItemIsCheckedAlready)
{
    struct Case
    {
        UINT nId;
        bool bDiag;
        int nLevel;
    } cases[] = {
        {CM_DIAGNONE, true, 1}, {CM_DIAGLOW, true, 2}, {CM_DIAGMEDIUM, true, 4}, {CM_DIAGHIGH, true, 8},
        {CM_LOGLOW, false, 1},  {CM_LOGMEDIUM, false, 2}, {CM_LOGHIGH, false, 3},
    };
    auto level = [&](bool bDiag) {
        if (!bDiag)
            return m_app.GetLogLevel();
        for (int n : {1, 2, 4, 8})
            if (m_app.TestDiagLevel(n))
                return n;
        return 0;
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        const int nPlace = c.bDiag ? 4 : 5;
        // Another level checked: the chosen one is taken.
        if (c.bDiag)
            m_app.SetDiagLevel(c.nLevel == 8 ? 1 : 8);
        else
            m_app.SetLogLevel(c.nLevel == 3 ? 1 : 3);
        ASSERT_NE(nullptr, OpenOptionsPopup(nPlace));
        EXPECT_FALSE(m_pFrame->IsMenuChecked(c.nId));
        Send(c.nId);
        EXPECT_EQ(c.nLevel, level(c.bDiag));

        // The item carries the check mark when the menu opens next: choosing
        // it again changes nothing, whatever the level became meanwhile.
        OpenOptionsPopup(nPlace);
        EXPECT_TRUE(m_pFrame->IsMenuChecked(c.nId));
        const int nOther = c.bDiag ? (c.nLevel == 8 ? 1 : 8) : (c.nLevel == 3 ? 1 : 3);
        c.bDiag ? m_app.SetDiagLevel(nOther) : m_app.SetLogLevel(nOther);
        Send(c.nId);
        EXPECT_EQ(nOther, level(c.bDiag));
    }
    m_app.SetDiagLevel(4);
    m_app.SetLogLevel(1);
}

TEST_F(FrameOptionsTest, FontCommandsReplaceTheNamedFontAndCancelChangesNothing)
{
    ASSERT_NE(nullptr, g_pFonts);
    EditMDI* pWindow = OpenProgram();
    ASSERT_NE(nullptr, pWindow);
    struct Case
    {
        UINT nId;
        const char* pszFont;
    } cases[] = {
        {CM_BLOCKFONT, "powerblock_label"},
        {CM_PALETTEFONT, "icon_label"},
        {CM_DEFAULTNOTEFONT, "default_textnotes"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszFont);
        EXPECT_STREQ(c.pszFont, UIMDIFrame::FontNameOf(c.nId));
        FontObject* pOld = g_pFonts->Find(c.pszFont);
        ASSERT_NE(nullptr, pOld);
        std::unique_ptr<FontObject> saved(new FontObject(c.pszFont, *pOld));
        const std::string oldFace = pOld->GetFace();
        const int nCount = static_cast<int>(g_pFonts->getItemsInContainer());

        FontObject::ChooseFontFn pfnOld = FontObject::SetChooseFontHook(CancelFont);
        g_startFace.clear();
        m_pFrame->SetPageGridCell(7, 7);
        Send(c.nId);
        EXPECT_EQ(oldFace, g_startFace) << "the dialog starts from the named font";
        EXPECT_EQ(pOld, g_pFonts->Find(c.pszFont)) << "cancel keeps the font";
        // The Powerblock font forgets the page grid's cell size first.
        EXPECT_EQ(c.nId == CM_BLOCKFONT ? 0 : 7, m_pFrame->GetPageGridCellWidth());

        FontObject::SetChooseFontHook(ChooseArial);
        Send(c.nId);
        FontObject* pNew = g_pFonts->Find(c.pszFont);
        ASSERT_NE(nullptr, pNew);
        EXPECT_STREQ("Arial", pNew->GetFace());
        EXPECT_EQ(-20, pNew->GetHeight());
        EXPECT_EQ(FW_BOLD, pNew->GetWeight());
        EXPECT_EQ(nCount, static_cast<int>(g_pFonts->getItemsInContainer())) << "the old font is replaced";
        FontObject::SetChooseFontHook(pfnOld);
        g_pFonts->Add(saved.release(), TRUE);
    }
    EXPECT_TRUE(g_beeps.empty());
}

// A table without the named font offers the dialog nothing to start from:
// a beep, and no dialog.
TEST_F(FrameOptionsTest, AFontMissingFromTheTableOpensNoDialog)
{
    ASSERT_NE(nullptr, g_pFonts);
    FontObject* pFont = g_pFonts->Find("icon_label");
    ASSERT_NE(nullptr, pFont);
    g_pFonts->detach(*pFont);
    FontObject::ChooseFontFn pfnOld = FontObject::SetChooseFontHook(ChooseArial);
    g_startFace = "not asked";
    Send(CM_PALETTEFONT);
    FontObject::SetChooseFontHook(pfnOld);
    EXPECT_EQ("not asked", g_startFace);
    EXPECT_EQ(nullptr, g_pFonts->Find("icon_label"));
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
    g_pFonts->Add(pFont, FALSE);
}

TEST_F(FrameOptionsTest, WithoutAPageWindowScrollingAndBuildSaySoAndBeep)
{
    for (UINT nId : {CM_PAGEUP, CM_PAGEDOWN, CM_PAGELEFT, CM_PAGERIGHT, CM_LINEUP, CM_LINEDOWN, CM_LINELEFT,
                     CM_LINERIGHT, CM_HOME, CM_TOP, CM_BUILD})
    {
        SCOPED_TRACE(nId);
        m_status.lines.clear();
        g_beeps.clear();
        MessageBoxRecorder boxes;
        Send(nId);
        EXPECT_EQ(std::vector<std::string>{kNoWindow}, m_status.lines);
        EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, g_beeps);
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

TEST_F(FrameOptionsTest, ScrollingKeysMoveThePanesBarsAndOrigin)
{
    EditMDI* pWindow = OpenProgram();
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    ASSERT_NE(nullptr, pPane);
    ScrollBar* pV = pPane->GetVScrollBar();
    ScrollBar* pH = pPane->GetHScrollBar();
    ASSERT_TRUE(pV && pH && pV->GetControl() && pH->GetControl());
    int nMin = 0, nVMax = 0, nHMax = 0;
    pV->GetControl()->GetRange(nMin, nVMax);
    pH->GetControl()->GetRange(nMin, nHMax);
    ASSERT_GT(nVMax, 20);
    ASSERT_GT(nHMax, 20);
    const int nVPage = pV->GetControl()->PageMagnitude;
    const int nHPage = pH->GetControl()->PageMagnitude;
    ASSERT_GT(nVPage, 1);
    ASSERT_GT(nHPage, 1);

    struct Case
    {
        UINT nId;
        int nV;     // the positions from 10, 10
        int nH;
    } cases[] = {
        {CM_PAGEUP, std::max(0, 10 - nVPage), 10},
        {CM_PAGEDOWN, std::min(nVMax, 10 + nVPage), 10},
        {CM_PAGELEFT, 10, std::max(0, 10 - nHPage)},
        {CM_PAGERIGHT, 10, std::min(nHMax, 10 + nHPage)},
        {CM_LINEUP, 9, 10},
        {CM_LINEDOWN, 11, 10},
        {CM_LINELEFT, 10, 9},
        {CM_LINERIGHT, 10, 11},
        {CM_HOME, 0, 0},
        {CM_TOP, 0, 10},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        pV->SetPosition(10);
        pH->SetPosition(10);
        pPane->ScrollTo(10, false);
        pPane->ScrollTo(10, true);
        Send(c.nId);
        EXPECT_EQ(c.nV, pV->GetPosition());
        EXPECT_EQ(c.nH, pH->GetPosition());
        EXPECT_EQ(c.nV * pPane->GetVLineSize(), pPane->GetScrollOrigin().y);
        EXPECT_EQ(c.nH * pPane->GetHLineSize(), pPane->GetScrollOrigin().x);
    }
    EXPECT_TRUE(m_status.lines.empty());
}

TEST_F(FrameOptionsTest, ScrollingKeysMoveTheCaretOfANoteEditedInPlace)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    Page* pMain = pProgram->GetMainPage();
    PXTextUI* pNote = new PXTextUI(pMain, 40, 200, 700, 760, nullptr);
    pMain->AddNote(pNote);
    m_pFrame->NotifyChildren(pNote, OBJECT_ADDED, 0);

    // Keys that the note's editor takes, and keys that do nothing then.
    struct Case
    {
        UINT nId;
        bool bMovesCaret;   // from the end of "abc\r\ndef" towards the start
    } cases[] = {
        {CM_HOME, true},      {CM_LINEUP, true},    {CM_PAGEUP, true},     {CM_LINELEFT, true},
        {CM_TOP, false},      {CM_PAGELEFT, false}, {CM_PAGERIGHT, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        // Scrolling ends an edit: the pane is scrolled before the edit starts.
        pPane->GetVScrollBar()->SetPosition(5);
        pPane->GetHScrollBar()->SetPosition(5);
        pPane->ScrollTo(5, false);
        pPane->ScrollTo(5, true);
        ASSERT_TRUE(pPane->BeginNoteEdit(pNote));
        HWND hEditor = pNote->GetTextBox() ? pNote->GetTextBox()->GetEditWindow() : nullptr;
        ASSERT_NE(nullptr, hEditor);
        SetWindowTextA(hEditor, "abc\r\ndef");
        SendMessageA(hEditor, EM_SETSEL, 8, 8);
        Send(c.nId);
        EXPECT_EQ(MODE_TEXTEDIT, pPane->GetMouseMode()) << "the note is still edited";
        DWORD dwStart = 0;
        SendMessageA(hEditor, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), 0);
        EXPECT_EQ(c.bMovesCaret, dwStart < 8u);
        EXPECT_EQ(5, pPane->GetVScrollBar()->GetPosition()) << "no scrolling";
        EXPECT_EQ(5, pPane->GetHScrollBar()->GetPosition());
        pPane->EndTextEdit();
    }
}

TEST_F(FrameOptionsTest, BuildSavesAnUntitledProgramFirstAndReportsAnIncompleteOne)
{
    Program* pProgram = nullptr;
    EditMDI* pWindow = OpenProgram(&pProgram);
    ASSERT_NE(nullptr, pWindow);

    // Untitled: the message, then the save's name dialog; cancelled, the
    // command ends.
    pProgram->SetName("Untitled");
    {
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add([](HWND hDlg) { ClickButton(hDlg, IDCANCEL); });
        Send(CM_BUILD);
        EXPECT_TRUE(scripts.AllRun());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Program must be saved before building.", boxes.boxes[0].text);
        EXPECT_STREQ("Untitled", pProgram->GetName());
    }

    // Named and complete or not: a complete program says nothing.
    pProgram->SetName("C:\\buildtest.ed");
    const bool bFinished = pProgram->AllPagesFinished(0) != 0;
    {
        MessageBoxRecorder boxes;
        Send(CM_BUILD);
        if (bFinished)
        {
            EXPECT_TRUE(boxes.boxes.empty());
        }
        else
        {
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ("This application contains incomplete blocks and cannot be built", boxes.boxes[0].text);
        }
    }
    // A block without its outputs connected leaves the page unfinished.
    AddBlock(pProgram->GetMainPage(), 402, "Menu1", 300, 300);
    ASSERT_EQ(0, pProgram->AllPagesFinished(0));
    {
        MessageBoxRecorder boxes;
        Send(CM_BUILD);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("This application contains incomplete blocks and cannot be built", boxes.boxes[0].text);
    }
    EXPECT_TRUE(m_status.lines.empty());
}

TEST_F(FrameOptionsTest, HelpCommandsOpenTheHelpFile)
{
    HelpDirValue dir;
    HelpDirValue::Set("C:\\Plex\\Help\\");
    UIMDIFrame::HelpCall pfnOld = UIMDIFrame::SetHelpCall(RecordHelp);
    g_help.clear();
    Send(CM_HELPTOPICS);
    Send(CM_HELPOVERVIEW);
    Send(CM_HELPUSING);
    UIMDIFrame::SetHelpCall(pfnOld);
    ASSERT_EQ(3u, g_help.size());
    EXPECT_EQ("C:\\Plex\\Help\\plexstudio.hlp", g_help[0].file);
    EXPECT_EQ(static_cast<UINT>(HELP_FINDER), g_help[0].uCommand);
    EXPECT_EQ(0u, g_help[0].dwData);
    EXPECT_EQ("C:\\Plex\\Help\\plexstudio.hlp>proc4", g_help[1].file);
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), g_help[1].uCommand);
    EXPECT_EQ(10020u, g_help[1].dwData);
    EXPECT_EQ("C:\\Plex\\Help\\plexstudio.hlp>proc4", g_help[2].file);
    EXPECT_EQ(static_cast<UINT>(HELP_HELPONHELP), g_help[2].uCommand);

    // F1 of "KEYS" is Help Topics.
    HACCEL hKeys = LoadAcceleratorsA(GetModuleHandleA(nullptr), "KEYS");
    ASSERT_NE(nullptr, hKeys);
    ACCEL keys[64];
    const int nKeys = CopyAcceleratorTableA(hKeys, keys, 64);
    bool bF1 = false;
    for (int i = 0; i < nKeys; ++i)
        bF1 = bF1 || (keys[i].key == VK_F1 && keys[i].cmd == CM_HELPTOPICS);
    EXPECT_TRUE(bF1);
}

TEST_F(FrameOptionsTest, TutorialStartsTheProgramBesideTheHelpFile)
{
    HelpDirValue dir;
    UIMDIFrame::ProgramStart pfnOld = UIMDIFrame::SetProgramStart(RecordStart);
    struct Case
    {
        const char* pszHelpDir;
        const char* pszTutorial;
    } cases[] = {
        {"C:\\Plex\\Help\\", "C:\\Plex\\Help\\pwtutor.EXE"},
        // The help folder's value always ends with a separator.
        {"D:\\Plex\\Help", "D:\\Plex\\Help\\pwtutor.EXE"},
        {"", "pwtutor.EXE"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszHelpDir);
        HelpDirValue::Set(c.pszHelpDir);
        g_started.clear();
        Send(CM_TUTORIAL);
        EXPECT_EQ(std::vector<std::string>{c.pszTutorial}, g_started);
    }
    UIMDIFrame::SetProgramStart(pfnOld);
}

TEST_F(FrameOptionsTest, DocumentationOpensTheServersAddress)
{
    struct Case
    {
        const char* pszTitle;
        const char* pszAddress;
    } cases[] = {
        {"plexsrv1 (Main system)", "http://plexsrv1/tvmgr/tvaa/en-us/default.asp"},
        {"plexsrv1 ", "http://plexsrv1/tvmgr/tvaa/en-us/default.asp"},
        {"plexsrv1", "http://localhost/tvmgr/tvaa/en-us/default.asp"},
        {" leading", "http://localhost/tvmgr/tvaa/en-us/default.asp"},
        {"", "http://localhost/tvmgr/tvaa/en-us/default.asp"},
        {nullptr, "http://localhost/tvmgr/tvaa/en-us/default.asp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszAddress, UIMDIFrame::DocumentationAddress(c.pszTitle)) << (c.pszTitle ? c.pszTitle : "none");

    // Standalone, the controller keeps no server title.
    UIMDIFrame::AddressOpen pfnOld = UIMDIFrame::SetAddressOpen(RecordOpen);
    g_opened.clear();
    Send(CM_DOCUMENTATION);
    UIMDIFrame::SetAddressOpen(pfnOld);
    EXPECT_EQ(std::vector<std::string>{UIMDIFrame::DocumentationAddress(m_pController->GetServerTitle())},
              g_opened);
}

TEST_F(FrameOptionsTest, ObsoletePaletteOpensAFurtherWindowEachTime)
{
    Icons* pOldObsolete = Icons::GetObsolete();
    if (!pOldObsolete)
        Icons::SetObsolete(s_pIcons);
    HWND hClient = m_pFrame->GetClientWindow()->HWindow;
    auto count = [&]() {
        int n = 0;
        for (HWND h = GetWindow(hClient, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        {
            char sz[64] = "";
            GetWindowTextA(h, sz, sizeof(sz));
            n += std::string(sz) == "Old ZirirAradur";
        }
        return n;
    };
    EXPECT_EQ(0, count());
    Send(CM_OBSOLETEPALETTE);
    EXPECT_EQ(1, count());
    Send(CM_OBSOLETEPALETTE);
    EXPECT_EQ(2, count());
    EXPECT_EQ(0, m_pFrame->GetChildCount()) << "palette windows are not page windows";
    // The windows go with the frame.
    Icons::SetObsolete(pOldObsolete);
}

// The hints of the view, option, page, build and debugger commands.
TEST(FrameCommandHints, HintsOfTheFrameCommandsLoad)
{
    struct Case
    {
        UINT nId;
        const char* pszHint;
    } cases[] = {
        {CM_SMARTROUTING, "Route goto lines to avoid intersections if checked."},
        {CM_STATUSLINE, "Show Status Line if checked, hide if not checked."},
        {CM_LABELSTUBS, "Label stubbed goto lines with name of connected PowerBlock if checked."},
        {CM_SNAPTOGRID, "Drag/Drop PowerBlock on a Grid"},
        {CM_OLDVARTYPES, "Display obsolete data types for creating structures and variables."},
        {CM_BLOCKFONT, "Change Powerblock display font."},
        {CM_PALETTEFONT, "Change PowerBlock Palette display font."},
        {CM_OBSOLETEPALETTE, "Open or restore Obsolete PowerBlock palette window."},
        {CM_DEFINESUPERBLOCKS, "Define program SuperBlocks."},
        {CM_DEFINEVERIFBLOCKS, "Define program Verification Blocks."},
        {CM_VIEWSUPERBLOCKS, "Selects SuperBlocks to View or Edit."},
        {CM_VIEWVERIFBLOCKS, "Selects Verification Blocks to View or Edit."},
        {CM_BUILD, "Build program in current window."},
        {CM_FINDPOWERBLOCK, "Find ZirirAradur or VoiceSentences in Current Program"},
        {4182, "Debug A Running Kalverodin Program."},
        {4183, "Execute the current Powerblock stopping within any SuperBlock called."},
        {4184, "Execute the current Powerblock or SuperBlock Stopping After It Is Complete."},
        {4185, "Continue Running Until A Breakpoint Is Reached."},
        {4186, "Display The Watch Window."},
        {4187, "Display The Stack Window."},
        {4188, "Display The Breakpoint Window."},
        {4189, "Set/Clear Breakpoint On the Currently Selected Ziriraradur."},
        {4190, "Jump To The Selected Powerblock Without Executing Any Code."},
        {4191, "Reload And Restart The Current Program."},
        {4192, "End Debugging, Allowing The Current Program To Continue Normally."},
    };
    for (const Case& c : cases)
    {
        char sz[256] = "";
        LoadStringA(GetModuleHandleA(nullptr), c.nId, sz, sizeof(sz));
        EXPECT_STREQ(c.pszHint, sz) << c.nId;
    }
    // Debugger commands 4193 and 4194 have none.
    for (UINT nId : {4193u, 4194u})
    {
        char sz[16] = "";
        EXPECT_EQ(0, LoadStringA(GetModuleHandleA(nullptr), nId, sz, sizeof(sz))) << nId;
    }
}
