// The page dialogs over a real program: naming and renaming pages, choosing
// one to view, and every operation of the define dialog with what it does
// to the program, the model and the windows, and its refusals.
#include "EditorDlgTestSupport.h"

#include "EditorDlgRes.h"
#include "TDefinePagesDialog.h"
#include "TNamePageDialog.h"
#include "TRenamePageDialog.h"
#include "TViewPagesDialog.h"
#include "plexedit.h"

#include <memory>
#include <string>

namespace {

const char* const kSub1Line = "Sub1            \tInternal";
const char* const kSub2Line = "Sub2            \tInternal";

class PageDialogTest : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        m_CallInfo = PowerBlockInfo();
        m_CallInfo.name = "Sub1";
        m_CallInfo.description = "";
        m_CallInfo.bitmapName = "";
        m_CallInfo.type = KVR_PB_SUPERCALL;
        m_pCallIcon.reset(new PowerBlockIcon(&m_CallInfo));
        program.reset(NewProgram());
        pMain = program->GetMainPage();
        pSub1 = AddPage("Sub1", PX_PAGE_SUPERBLOCK);
        pSub2 = AddPage("Sub2", PX_PAGE_SUPERBLOCK);
        pVerify = AddPage("Check", PX_PAGE_VERIFICATION);
        frame.pActive = pMain;
    }
    void TearDown() override
    {
        program.reset();
        m_pCallIcon.reset();
        EditorDialogTest::TearDown();
    }

    Page* AddPage(const char* pszName, int nKind)
    {
        Page* pPage = new Page(program.get(), pszName, nKind, 0);
        EXPECT_TRUE(pPage->HasHandle()) << pszName;
        program->AddPage(pPage);
        EXPECT_EQ(1, pPage->AddDefaultBlocks(nKind));
        return pPage;
    }

    // A block of the page that calls Sub1.
    PowerBlock* AddCall(Page* pPage, const char* pszName)
    {
        int nRetry = 1;
        PowerBlock* pBlock =
            new PowerBlock(pPage, pszName, &m_CallInfo, m_pCallIcon.get(), 0, 0, &nRetry, nullptr, 0, nullptr);
        EXPECT_TRUE(pBlock->HasHandle());
        pPage->AddObject(pBlock);
        return pBlock;
    }

    // Runs the define dialog with the script; answers its end code.
    int Define(int nKind, DialogScripts& scripts, DialogScripts::Script script)
    {
        scripts.Add(std::move(script));
        TDefinePagesDialog dlg(nullptr, program.get(), nKind);
        int nResult = dlg.Execute();
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(0, scripts.nUnscripted);
        return nResult;
    }

    PowerBlockInfo m_CallInfo;
    std::unique_ptr<PowerBlockIcon> m_pCallIcon;
    std::unique_ptr<Program> program;
    Page* pMain = nullptr;
    Page* pSub1 = nullptr;
    Page* pSub2 = nullptr;
    Page* pVerify = nullptr;
};

bool Checked(HWND hDlg, int nId)
{
    return IsDlgButtonChecked(hDlg, nId) == BST_CHECKED;
}

} // namespace

// ---------------------------------------------------------------------------
// Naming a new page

TEST_F(PageDialogTest, NamePageTextsFollowTheKind)
{
    struct Case
    {
        int nKind;
        const char* pszPrompt;
        const char* pszCaption;
    } cases[] = {
        { PX_PAGE_SUPERBLOCK, "Enter new SuperBlock name:", "Add New SuperBlock" },
        { PX_PAGE_VERIFICATION, "Enter new Verification Block name:", "Add New Verification Block" },
    };
    for (const Case& c : cases)
    {
        DialogScripts scripts;
        std::string prompt, shown;
        LRESULT nLimit = 0;
        scripts.Add([&](HWND hDlg) {
            prompt = Text(hDlg, IDC_NAMEPAGE_PROMPT);
            shown = Text(hDlg, IDC_NAMEPAGE_NAME);
            nLimit = SendDlgItemMessageA(hDlg, IDC_NAMEPAGE_NAME, EM_GETLIMITTEXT, 0, 0);
            SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "ABCDEFGHIJKLMNOPQRST");
            ClickButton(hDlg, IDOK);
        });
        char szName[PX_PAGENAME_SIZE] = "Start";
        TNamePageDialog dlg(nullptr, szName, c.nKind);
        EXPECT_EQ(IDOK, dlg.Execute());
        EXPECT_EQ(c.pszPrompt, prompt);
        EXPECT_EQ(c.pszCaption, scripts.captions.at(0));
        EXPECT_EQ("Start", shown);
        EXPECT_EQ(15, nLimit);
        EXPECT_STREQ("ABCDEFGHIJKLMNO", szName);
        EXPECT_EQ(0u, dlg.GetHelpId());
    }
}

// ---------------------------------------------------------------------------
// Renaming

TEST_F(PageDialogTest, RenameRefusesNamesInUseAndEmptyNames)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    std::string shown, prompt;
    bool bOpen = false;
    scripts.Add([&](HWND hDlg) {
        shown = Text(hDlg, IDC_NAMEPAGE_NAME);
        prompt = Text(hDlg, IDC_NAMEPAGE_PROMPT);
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "Sub2");
        ClickButton(hDlg, IDOK);
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "Main");
        ClickButton(hDlg, IDOK);
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "");
        ClickButton(hDlg, IDOK);
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "  ");
        ClickButton(hDlg, IDOK);
        bOpen = IsWindow(hDlg) != FALSE;
        SetDlgItemTextA(hDlg, IDC_NAMEPAGE_NAME, "Fresh");
        ClickButton(hDlg, IDOK);
    });
    program->Activate();
    char szNew[PX_PAGENAME_SIZE] = "";
    TRenamePageDialog dlg(nullptr, "Sub1", "Renaming Sub1.", szNew);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_TRUE(bOpen);
    EXPECT_EQ("", shown);
    EXPECT_EQ("Enter new SuperBlock name:", prompt);
    EXPECT_EQ(std::vector<std::string>{ "Renaming Sub1." }, scripts.captions);
    ASSERT_EQ(4u, boxes.boxes.size());
    EXPECT_EQ("A Symbol with this name already exists.", boxes.boxes[0].text);
    EXPECT_EQ("A Symbol with this name already exists.", boxes.boxes[1].text);
    EXPECT_EQ("Please enter a name.", boxes.boxes[2].text);
    EXPECT_EQ("Please enter a name.", boxes.boxes[3].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_STREQ("Fresh", szNew);
    EXPECT_EQ(FindHelpID("Rename"), dlg.GetHelpId());
}

// ---------------------------------------------------------------------------
// Viewing

TEST_F(PageDialogTest, ViewListsThePagesOfTheKind)
{
    ASSERT_EQ(KVR_OK, kvrSetPageType(program->GetHandle(), "Sub2", 1));
    struct Case
    {
        int nKind;
        const char* pszCaption;
        const char* pszTopic;
        std::vector<std::string> lines;
    } cases[] = {
        { PX_PAGE_SUPERBLOCK, "View SuperBlock", "View SuperBlock",
          { kSub1Line, "Sub2            \tExport" } },
        { PX_PAGE_VERIFICATION, "View Verification Block", "View Verification Block", { "Check" } },
    };
    for (const Case& c : cases)
    {
        DialogScripts scripts;
        std::vector<std::string> lines;
        scripts.Add([&](HWND hDlg) {
            lines = ListLines(hDlg, IDC_PAGES_LIST);
            SelectLine(hDlg, IDC_PAGES_LIST, static_cast<int>(lines.size()) - 1);
            ClickButton(hDlg, IDOK);
        });
        Page* pChoice = nullptr;
        TViewPagesDialog dlg(nullptr, program.get(), &pChoice, c.nKind);
        EXPECT_EQ(IDOK, dlg.Execute());
        EXPECT_EQ(c.lines, lines);
        EXPECT_EQ(std::vector<std::string>{ c.pszCaption }, scripts.captions);
        EXPECT_EQ(c.nKind == PX_PAGE_SUPERBLOCK ? pSub2 : pVerify, pChoice);
        EXPECT_EQ(FindHelpID(c.pszTopic), dlg.GetHelpId());
    }
}

TEST_F(PageDialogTest, ViewNeedsASelectionAndTakesADoubleClick)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add([&](HWND hDlg) {
        ClickButton(hDlg, IDOK);
        DoubleClickLine(hDlg, IDC_PAGES_LIST, 0);
    });
    Page* pChoice = nullptr;
    TViewPagesDialog dlg(nullptr, program.get(), &pChoice, PX_PAGE_SUPERBLOCK);
    EXPECT_EQ(IDOK, dlg.Execute());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Please select a block to view or press Cancel.", boxes.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_EQ(pSub1, pChoice);
}

// ---------------------------------------------------------------------------
// Defining: the form

TEST_F(PageDialogTest, DefineFormFollowsTheKind)
{
    struct Case
    {
        int nKind;
        const char* pszCaption;
        const char* pszLabel;
        bool bExportShown;
        std::vector<std::string> lines;
        const char* pszTopic;
    } cases[] = {
        { PX_PAGE_SUPERBLOCK, "Define SuperBlocks", "Available SuperBlocks", true, { kSub1Line, kSub2Line },
          "Define SuperBlocks" },
        { PX_PAGE_VERIFICATION, "Define Verification Blocks", "Available Verification Blocks", false, { "Check" },
          "Define Verification Blocks" },
    };
    for (const Case& c : cases)
    {
        DialogScripts scripts;
        std::string label;
        bool bShown = false, bEnabled = true;
        std::vector<std::string> lines;
        EXPECT_EQ(IDOK, Define(c.nKind, scripts, [&](HWND hDlg) {
            label = Text(hDlg, IDC_PAGES_LABEL);
            bShown = (GetWindowLongA(GetDlgItem(hDlg, IDC_PAGES_EXPORT), GWL_STYLE) & WS_VISIBLE) != 0;
            bEnabled = Enabled(hDlg, IDC_PAGES_EXPORT);
            lines = ListLines(hDlg, IDC_PAGES_LIST);
            ClickButton(hDlg, IDOK);
        }));
        EXPECT_EQ(std::vector<std::string>{ c.pszCaption }, scripts.captions);
        EXPECT_EQ(c.pszLabel, label);
        EXPECT_EQ(c.bExportShown, bShown);
        EXPECT_FALSE(bEnabled);
        EXPECT_EQ(c.lines, lines);
    }
}

TEST_F(PageDialogTest, ExportFlagFollowsTheSelectionAndIsStored)
{
    program->ClearModified();
    DialogScripts scripts;
    bool bEnabledAfterSelect = false, bCheckedAfterSelect = true;
    std::vector<std::string> lines;
    int nSel = -1;
    Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        bEnabledAfterSelect = Enabled(hDlg, IDC_PAGES_EXPORT);
        bCheckedAfterSelect = Checked(hDlg, IDC_PAGES_EXPORT);
        Click(hDlg, IDC_PAGES_EXPORT);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        nSel = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_PAGES_LIST, LB_GETCURSEL, 0, 0));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_TRUE(bEnabledAfterSelect);
    EXPECT_FALSE(bCheckedAfterSelect);
    EXPECT_EQ((std::vector<std::string>{ "Sub1            \tExport", kSub2Line }), lines);
    EXPECT_EQ(0, nSel);
    // Cancel does not undo it.
    EXPECT_EQ(1, kvrGetPageType(program->GetHandle(), "Sub1"));
    EXPECT_EQ(0, kvrGetPageType(program->GetHandle(), "Sub2"));
    EXPECT_TRUE(program->IsModified());

    DialogScripts again;
    bool bChecked = false;
    Define(PX_PAGE_SUPERBLOCK, again, [&](HWND hDlg) {
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        bChecked = Checked(hDlg, IDC_PAGES_EXPORT);
        Click(hDlg, IDC_PAGES_EXPORT);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(0, kvrGetPageType(program->GetHandle(), "Sub1"));
}

// ---------------------------------------------------------------------------
// Add

TEST_F(PageDialogTest, AddAsksAgainForANameTheModelRefuses)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    std::vector<std::string> lines;
    std::string shownSecond = "x";
    int nSel = -1;
    bool bExportEnabled = false;
    scripts.Add([&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_ADD);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        nSel = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_PAGES_LIST, LB_GETCURSEL, 0, 0));
        bExportEnabled = Enabled(hDlg, IDC_PAGES_EXPORT);
        ClickButton(hDlg, IDOK);
    });
    scripts.Add([](HWND hName) {
        SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, "Sub2");
        ClickButton(hName, IDOK);
    });
    scripts.Add([&](HWND hName) {
        shownSecond = Text(hName, IDC_NAMEPAGE_NAME);
        SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, "Added");
        ClickButton(hName, IDOK);
    });
    TDefinePagesDialog dlg(nullptr, program.get(), PX_PAGE_SUPERBLOCK);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_TRUE(scripts.AllRun());
    // The page reports the model's refusal itself.
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("Sub2"));
    EXPECT_EQ("", shownSecond);
    Page* pAdded = program->FindPage("Added");
    ASSERT_NE(nullptr, pAdded);
    EXPECT_EQ(PX_PAGE_SUPERBLOCK, pAdded->GetKind());
    EXPECT_TRUE(pAdded->HasHandle());
    EXPECT_NE(nullptr, pAdded->FindBlockByName("Begin"));
    EXPECT_EQ((std::vector<std::string>{ "Added           \tInternal", kSub1Line, kSub2Line }), lines);
    EXPECT_EQ(0, nSel);
    EXPECT_TRUE(bExportEnabled);
    ExpectModelMatches(program.get());
}

TEST_F(PageDialogTest, AddCancelledAddsNothing)
{
    DialogScripts scripts;
    std::vector<std::string> lines;
    scripts.Add([&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_ADD);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        ClickButton(hDlg, IDOK);
    });
    scripts.Add([](HWND hName) {
        SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, "Never");
        ClickButton(hName, IDCANCEL);
    });
    TDefinePagesDialog dlg(nullptr, program.get(), PX_PAGE_VERIFICATION);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ(nullptr, program->FindPage("Never"));
    EXPECT_EQ(std::vector<std::string>{ "Check" }, lines);
    EXPECT_EQ("Add New Verification Block", scripts.captions.at(1));
    ExpectModelMatches(program.get());
}

// ---------------------------------------------------------------------------
// Edit

TEST_F(PageDialogTest, EditNeedsASelectionThenShowsThePageAndCloses)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    EXPECT_EQ(IDOK, Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_EDIT);
        SelectLine(hDlg, IDC_PAGES_LIST, 1);
        ClickButton(hDlg, IDC_PAGES_EDIT);
    }));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Please select an item to edit.", boxes.boxes[0].text);
    EXPECT_EQ(std::vector<Page*>{ pSub2 }, frame.shown);
}

TEST_F(PageDialogTest, DoubleClickBehavesAsEdit)
{
    DialogScripts scripts;
    // The posted Edit command closes the dialog once the script is done.
    EXPECT_EQ(IDOK, Define(PX_PAGE_VERIFICATION, scripts, [&](HWND hDlg) {
        DoubleClickLine(hDlg, IDC_PAGES_LIST, 0);
    }));
    EXPECT_EQ(std::vector<Page*>{ pVerify }, frame.shown);
}

// ---------------------------------------------------------------------------
// Delete

TEST_F(PageDialogTest, DeleteRefusalsAndQuestion)
{
    AddCall(pMain, "CallSub1");
    MessageBoxRecorder boxes;
    boxes.Answer(IDOK);     // no selection
    boxes.Answer(IDOK);     // in use
    boxes.Answer(IDNO);
    boxes.Answer(IDCANCEL);
    std::vector<std::string> lines;
    DialogScripts scripts;
    Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_DELETE);
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        ClickButton(hDlg, IDC_PAGES_DELETE);
        SelectLine(hDlg, IDC_PAGES_LIST, 1);
        ClickButton(hDlg, IDC_PAGES_DELETE);
        ClickButton(hDlg, IDC_PAGES_DELETE);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        ClickButton(hDlg, IDOK);
    });
    ASSERT_EQ(4u, boxes.boxes.size());
    EXPECT_EQ("Please select an item to delete.", boxes.boxes[0].text);
    EXPECT_EQ("This block cannot be delete because it is still in use.", boxes.boxes[1].text);
    EXPECT_EQ("Are you sure you want to delete Sub2?", boxes.boxes[2].text);
    EXPECT_EQ("Warning", boxes.boxes[2].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), boxes.boxes[2].uType & MB_TYPEMASK);
    EXPECT_EQ(boxes.boxes[2].text, boxes.boxes[3].text);
    EXPECT_EQ((std::vector<std::string>{ kSub1Line, kSub2Line }), lines);
    EXPECT_EQ(pSub1, program->FindPage("Sub1"));
    EXPECT_EQ(pSub2, program->FindPage("Sub2"));
    EXPECT_TRUE(frame.closed.empty());
}

TEST_F(PageDialogTest, DeleteYesRemovesThePageEverywhere)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    std::vector<std::string> lines;
    bool bExportEnabled = true, bExportChecked = true;
    kvrHandleType* hSub2 = pSub2->GetHandle();
    Page* pGone = pSub2;
    DialogScripts scripts;
    Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
        SelectLine(hDlg, IDC_PAGES_LIST, 1);
        Click(hDlg, IDC_PAGES_EXPORT);
        ClickButton(hDlg, IDC_PAGES_DELETE);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        bExportEnabled = Enabled(hDlg, IDC_PAGES_EXPORT);
        bExportChecked = Checked(hDlg, IDC_PAGES_EXPORT);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(std::vector<std::string>{ kSub1Line }, lines);
    EXPECT_EQ(nullptr, program->FindPage("Sub2"));
    EXPECT_EQ(nullptr, kvrFindPage("Sub2"));
    EXPECT_EQ(0, kvrPageInUse(hSub2));
    EXPECT_EQ(std::vector<Page*>{ pGone }, frame.closed);
    bool bTold = false;
    for (const RecordingObserver::Told& t : m_observer.told)
        bTold = bTold || (t.pObject == pGone && t.nKind == OBJECT_CHANGING);
    EXPECT_TRUE(bTold);
    EXPECT_FALSE(bExportEnabled);
    EXPECT_FALSE(bExportChecked);
    ExpectModelMatches(program.get());
}

// ---------------------------------------------------------------------------
// Rename

TEST_F(PageDialogTest, RenameGivesThePageAndItsCallsTheNewName)
{
    PowerBlock* pCall = AddCall(pMain, "CallSub1");
    MessageBoxRecorder boxes;
    std::vector<std::string> lines;
    int nSel = -1;
    int nCaptionsBefore = m_observer.nCaptionRefreshes;
    DialogScripts scripts;
    scripts.Add([&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_RENAME);
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        ClickButton(hDlg, IDC_PAGES_RENAME);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        nSel = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_PAGES_LIST, LB_GETCURSEL, 0, 0));
        ClickButton(hDlg, IDOK);
    });
    scripts.Add([](HWND hName) {
        SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, "Zeta");
        ClickButton(hName, IDOK);
    });
    TDefinePagesDialog dlg(nullptr, program.get(), PX_PAGE_SUPERBLOCK);
    EXPECT_EQ(IDOK, dlg.Execute());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Please select an item to rename.", boxes.boxes[0].text);
    EXPECT_EQ("Renaming Sub1.", scripts.captions.at(1));
    EXPECT_STREQ("Zeta", pSub1->GetName());
    EXPECT_EQ(pSub1, program->FindPage("Zeta"));
    EXPECT_STREQ("Zeta", pCall->GetCustomType());
    EXPECT_STREQ("Zeta", kvrGetSBName(pCall->GetHandle()));
    EXPECT_EQ(pSub1->GetHandle(), kvrFindPage("Zeta"));
    EXPECT_EQ(nullptr, kvrFindPage("Sub1"));
    EXPECT_EQ(1, kvrPageInUse(pSub1->GetHandle()));
    // The line is replaced where it stood, before the list is sorted again.
    EXPECT_EQ((std::vector<std::string>{ "Zeta            \tInternal", kSub2Line }), lines);
    EXPECT_EQ(0, nSel);
    bool bRedrawn = false;
    for (const RecordingObserver::Told& t : m_observer.told)
        bRedrawn = bRedrawn || (t.pObject == pCall && t.nKind == OBJECT_REBUILD);
    EXPECT_TRUE(bRedrawn);
    EXPECT_GT(m_observer.nCaptionRefreshes, nCaptionsBefore);
    EXPECT_TRUE(program->IsModified());
    ExpectModelMatches(program.get());
}

TEST_F(PageDialogTest, RenameTheModelRefusesKeepsTheOldNameEverywhere)
{
    PowerBlock* pCall = AddCall(pMain, "CallSub1");
    MessageBoxRecorder boxes;
    std::vector<std::string> lines;
    DialogScripts scripts;
    scripts.Add([&](HWND hDlg) {
        SelectLine(hDlg, IDC_PAGES_LIST, 0);
        ClickButton(hDlg, IDC_PAGES_RENAME);
        lines = ListLines(hDlg, IDC_PAGES_LIST);
        ClickButton(hDlg, IDOK);
    });
    // A name the symbol table does not hold, but the model takes no "$".
    scripts.Add([](HWND hName) {
        SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, "Bad$Name");
        ClickButton(hName, IDOK);
    });
    TDefinePagesDialog dlg(nullptr, program.get(), PX_PAGE_SUPERBLOCK);
    EXPECT_EQ(IDOK, dlg.Execute());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The page cannot be renamed to Bad$Name.", boxes.boxes[0].text);
    EXPECT_STREQ("Sub1", pSub1->GetName());
    EXPECT_STREQ("Sub1", pCall->GetCustomType());
    EXPECT_STREQ("Sub1", kvrGetSBName(pCall->GetHandle()));
    EXPECT_EQ(pSub1->GetHandle(), kvrFindPage("Sub1"));
    EXPECT_EQ((std::vector<std::string>{ kSub1Line, kSub2Line }), lines);
    ExpectModelMatches(program.get());
}

// ---------------------------------------------------------------------------
// Copy and paste

TEST_F(PageDialogTest, PasteNeedsACopyMadeInThisDialog)
{
    frame.bCanPaste = TRUE;
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
        ClickButton(hDlg, IDC_PAGES_PASTE);
        ClickButton(hDlg, IDC_PAGES_COPY);
        ClickButton(hDlg, IDOK);
    });
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("You must first select a superblock or verification block to copy.", boxes.boxes[0].text);
    EXPECT_EQ("Please select a block to copy.", boxes.boxes[1].text);
    EXPECT_EQ(0, frame.nPastes);
    EXPECT_TRUE(frame.copied.empty());
}

TEST_F(PageDialogTest, CopyThenPasteRefillsTheList)
{
    struct Case
    {
        BOOL bCanPaste;
        int nResult;
        int nPastes;
        size_t nBoxes;
    } cases[] = { { TRUE, 0, 1, 0 }, { FALSE, 0, 0, 1 }, { TRUE, 1, 1, 0 } };
    for (const Case& c : cases)
    {
        frame = TestEditorFrame();
        frame.pActive = pMain;
        frame.bCanPaste = c.bCanPaste;
        frame.nPasteResult = c.nResult;
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        std::vector<std::string> before, lines;
        bool bRefilled = c.bCanPaste && c.nResult == 0;
        Define(PX_PAGE_SUPERBLOCK, scripts, [&](HWND hDlg) {
            SelectLine(hDlg, IDC_PAGES_LIST, FindLine(hDlg, IDC_PAGES_LIST, kSub2Line));
            ClickButton(hDlg, IDC_PAGES_COPY);
            before = ListLines(hDlg, IDC_PAGES_LIST);
            // The page a paste makes; the list shows it once filled again.
            AddPage(("Pasted" + std::to_string(&c - cases)).c_str(), PX_PAGE_SUPERBLOCK);
            ClickButton(hDlg, IDC_PAGES_PASTE);
            lines = ListLines(hDlg, IDC_PAGES_LIST);
            ClickButton(hDlg, IDOK);
        });
        EXPECT_EQ(std::vector<Page*>{ pSub2 }, frame.copied);
        EXPECT_EQ(c.nPastes, frame.nPastes);
        EXPECT_EQ(c.nBoxes, boxes.boxes.size());
        if (bRefilled)
            EXPECT_EQ(before.size() + 1, lines.size());
        else
            EXPECT_EQ(before, lines);
    }
}

// ---------------------------------------------------------------------------
// The palette

// Every change of the pages shows the palette afresh for the program, so
// that it offers the pages as they are now; a refused command does not.
TEST_F(PageDialogTest, AddingDeletingAndRenamingAPageShowThePaletteAfresh)
{
    const struct
    {
        const char* pszCase;
        int nButton;
        int nLine;              // selected first; -1 none
        const char* pszName;    // typed into the name dialog; none when it does not open
        bool bRefreshed;
    } cases[] = {
        {"add", IDC_PAGES_ADD, -1, "Added", true},
        {"delete", IDC_PAGES_DELETE, 1, nullptr, true},
        {"rename", IDC_PAGES_RENAME, 0, "Zeta", true},
        {"delete without a selection", IDC_PAGES_DELETE, -1, nullptr, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        frame.palettes.clear();
        MessageBoxRecorder boxes;
        boxes.Answer(c.nLine < 0 ? IDOK : IDYES);
        DialogScripts scripts;
        scripts.Add([&](HWND hDlg) {
            if (c.nLine >= 0)
                SelectLine(hDlg, IDC_PAGES_LIST, c.nLine);
            ClickButton(hDlg, c.nButton);
            ClickButton(hDlg, IDOK);
        });
        if (c.pszName)
            scripts.Add([&](HWND hName) {
                SetDlgItemTextA(hName, IDC_NAMEPAGE_NAME, c.pszName);
                ClickButton(hName, IDOK);
            });
        TDefinePagesDialog dlg(nullptr, program.get(), PX_PAGE_SUPERBLOCK);
        EXPECT_EQ(IDOK, dlg.Execute());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(c.bRefreshed ? std::vector<Program*>{program.get()} : std::vector<Program*>{}, frame.palettes);
    }
}
