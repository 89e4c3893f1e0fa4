// The Find PowerBlock dialog: the name pattern rule, the history, the
// search over a real program in every mode and scope, the double click
// that asks the main frame for the block, and the dialog without an
// editor window.
#include "EditorDlgTestSupport.h"

#include "EditorDlgRes.h"
#include "PXMsgBox.h"
#include "PXUIMsg.h"
#include "TFindPBDialog.h"
#include "TPBSearchInfo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// ---------------------------------------------------------------------------
// The pattern rule

TEST(FindPattern, Matches)
{
    struct Case
    {
        const char* pszPattern;
        const char* pszName;
        bool bMatch;
    } cases[] = {
        { "*", "anything", true },
        { "*", "", true },
        { "abc*", "ABCdef", true },
        { "abc*", "abc", true },
        { "abc*", "xabc", false },
        { "abc*", "ab", false },
        { "*abc", "xyzABC", true },
        { "*abc", "abc", true },
        { "*abc", "abcx", false },
        { "*abc*", "xxAbCyy", true },
        { "*abc*", "abc", true },
        { "*abc*", "xxabyy", false },
        { "ab*yz", "abxxyz", true },
        { "ab*yz", "ABYZ", true },
        { "ab*yz", "abyzq", false },
        { "ab*b", "ab", false },
        { "abc", "abc", true },
        { "abc", "ABC", true },
        { "abc", "abcd", false },
        { "abc", "ab", false },
        { "name", "page$name", true },
        { "page*", "page$name", false },
        { "n*", "a$b$name", false },
        { "b$*", "a$b$name", true },
        { "*a*b", "xxa*b", true },
        { "*a*b", "xxaqb", false },
        { "[x", "{x", false },
        { "1_*", "1_z", true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bMatch, TPBSearchInfo::MatchPattern(c.pszPattern, c.pszName))
            << c.pszPattern << " against " << c.pszName;
    TPBSearchInfo info;
    EXPECT_EQ("*", std::string(info.m_Pattern));
    EXPECT_TRUE(info.MatchPattern("whatever"));
}

TEST(FindPattern, HistoryKeepsTenDistinctPatternsNewestFirst)
{
    TPBSearchInfo info;
    EXPECT_TRUE(info.AddToHistory("abc*"));
    EXPECT_FALSE(info.AddToHistory("abc*"));
    EXPECT_TRUE(info.AddToHistory("ABC*"));
    EXPECT_EQ(2, info.m_nHistoryCount);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(info.AddToHistory(("p" + std::to_string(i)).c_str()));
    EXPECT_EQ(10, info.m_nHistoryCount);
    EXPECT_EQ("p8", std::string(info.m_History[0]));
    EXPECT_EQ("ABC*", std::string(info.m_History[9]));
    // The oldest is gone and may come back.
    EXPECT_TRUE(info.AddToHistory("abc*"));
    EXPECT_EQ("abc*", std::string(info.m_History[0]));
    EXPECT_EQ("p0", std::string(info.m_History[9]));
}

TEST(FindPattern, BlockTypesByExactName)
{
    EXPECT_EQ(402, TPBSearchInfo::PowerBlockTypeIndex("Menu"));
    EXPECT_EQ(393, TPBSearchInfo::PowerBlockTypeIndex("Announcement"));
    EXPECT_EQ(-1, TPBSearchInfo::PowerBlockTypeIndex("menu"));
    EXPECT_EQ(-1, TPBSearchInfo::PowerBlockTypeIndex("No such block"));
    EXPECT_EQ(-1, TPBSearchInfo::PowerBlockTypeIndex(""));
    EXPECT_EQ(-1, TPBSearchInfo::PowerBlockTypeIndex(nullptr));
}

// ---------------------------------------------------------------------------
// The dialog over a program

namespace {

std::vector<BlockRequest> g_requests;
std::vector<UINT> g_beeps;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_UI_BLOCKREQUEST)
    {
        g_requests.push_back(*reinterpret_cast<BlockRequest*>(lParam));
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void RecordBeep(UINT uType)
{
    g_beeps.push_back(uType);
}

class FindDialogTest : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        GetPBSearchInfo() = TPBSearchInfo();
        g_requests.clear();
        g_beeps.clear();
        m_pfnOldBeep = PXSetMessageBeepHook(RecordBeep);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FINDTESTFRAME";
        RegisterClassA(&wc);
        m_hFrame = CreateWindowA("FINDTESTFRAME", "Frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hFrame);
        m_pFrameWindow.reset(new TWindow(m_hFrame));

        m_CallInfo = PowerBlockInfo();
        m_CallInfo.name = "Sub1";
        m_CallInfo.description = "";
        m_CallInfo.bitmapName = "";
        m_CallInfo.type = KVR_PB_SUPERCALL;
        m_pCallIcon.reset(new PowerBlockIcon(&m_CallInfo));

        program.reset(NewProgram());
        program->SetName("Sales");
        pMain = program->GetMainPage();
        pSub1 = new Page(program.get(), "Sub1", PX_PAGE_SUPERBLOCK, 0);
        program->AddPage(pSub1);
        ASSERT_EQ(1, pSub1->AddDefaultBlocks(PX_PAGE_SUPERBLOCK));
        pMenu = AddBlock(pMain, 402, "abcMenu");
        AddBlock(pMain, 393, "xyzabc");
        AddBlock(pMain, 395, "ABCdef");
        AddBlock(pMain, 393, "ab_to_yz");
        int nRetry = 1;
        PowerBlock* pCall =
            new PowerBlock(pMain, "CallSub1", &m_CallInfo, m_pCallIcon.get(), 0, 0, &nRetry, nullptr, 0, nullptr);
        ASSERT_TRUE(pCall->HasHandle());
        pMain->AddObject(pCall);
        AddBlock(pSub1, 402, "abc1");
        frame.pActive = pMain;
    }
    void TearDown() override
    {
        DeleteFindPowerBlock();
        other.reset();
        program.reset();
        m_pCallIcon.reset();
        m_pFrameWindow.reset();
        if (m_hFrame)
            DestroyWindow(m_hFrame);
        PXSetMessageBeepHook(m_pfnOldBeep);
        GetPBSearchInfo() = TPBSearchInfo();
        EditorDialogTest::TearDown();
    }

    HWND Open()
    {
        ShowFindPowerBlock(m_pFrameWindow.get(), program.get());
        TFindPBDialog* pDlg = GetFindPowerBlock();
        EXPECT_NE(nullptr, pDlg);
        return pDlg && pDlg->IsWindow() ? pDlg->HWindow : nullptr;
    }

    std::vector<std::string> Results(HWND hDlg) { return ListLines(hDlg, IDC_FIND_RESULTS); }

    // Types the pattern and presses Search.
    std::vector<std::string> SearchFor(HWND hDlg, const char* pszPattern)
    {
        SetDlgItemTextA(hDlg, IDC_FIND_PATTERN, pszPattern);
        ClickButton(hDlg, IDC_FIND_SEARCH);
        return Results(hDlg);
    }

    void SelectEntry(HWND hDlg, int nCombo, const char* pszEntry)
    {
        LRESULT n = SendDlgItemMessageA(hDlg, nCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(pszEntry));
        ASSERT_NE(CB_ERR, n) << pszEntry;
        Choose(hDlg, nCombo, static_cast<int>(n));
    }

    void SetSentence(PowerBlock* pBlock, const char* pszText)
    {
        int nOffset = kvrSDOGetSymbolOffset(402, "Menu choices");
        std::free(kvrSDOGetSymbolPtr(402, "Menu choices", pBlock->GetHandle(), nOffset));
        char* psz = static_cast<char*>(kvrSDOAllocateMem(402, "Menu choices", pBlock->GetHandle(), nOffset));
        ASSERT_NE(nullptr, psz);
        std::strcpy(psz, pszText);
    }

    PowerBlockInfo m_CallInfo;
    std::unique_ptr<PowerBlockIcon> m_pCallIcon;
    std::unique_ptr<Program> program;
    std::unique_ptr<Program> other;
    Page* pMain = nullptr;
    Page* pSub1 = nullptr;
    PowerBlock* pMenu = nullptr;
    HWND m_hFrame = nullptr;
    std::unique_ptr<TWindow> m_pFrameWindow;
    PXMessageBeepHook m_pfnOldBeep = nullptr;
};

typedef std::vector<std::string> Lines;

} // namespace

TEST_F(FindDialogTest, OpensWithEveryBlockAndTheProgramsName)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ("Find Power Block : Sales", Text(hDlg));
    Lines results = Results(hDlg);
    EXPECT_EQ(static_cast<size_t>(kvrGetNumPBs()), results.size());
    EXPECT_EQ(GetPBSearchInfo().m_nPBCount, static_cast<short>(results.size()));
    for (const char* psz : { "abcMenu", "CallSub1", "Sub1$abc1", "Sub1$Begin" })
        EXPECT_NE(results.end(), std::find(results.begin(), results.end(), psz)) << psz;
    EXPECT_EQ("*", Text(hDlg, IDC_FIND_PATTERN));
    EXPECT_TRUE(IsDlgButtonChecked(hDlg, IDC_FIND_ALL) == BST_CHECKED);
    EXPECT_TRUE(IsDlgButtonChecked(hDlg, IDC_FIND_ALLPAGES) == BST_CHECKED);
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_TYPE));
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_CALLED));
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_PAGE));
    EXPECT_EQ((Lines{ "Main", "Sub1" }), Entries(hDlg, IDC_FIND_PAGE));
    EXPECT_EQ("Main", Text(hDlg, IDC_FIND_PAGE));
    EXPECT_EQ(Lines{ "Sub1" }, Entries(hDlg, IDC_FIND_CALLED));
    Lines types = Entries(hDlg, IDC_FIND_TYPE);
    EXPECT_NE(types.end(), std::find(types.begin(), types.end(), "Menu"));
    EXPECT_TRUE(IsWindowVisible(hDlg));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(hDlg, IDC_FIND_RESULTS)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_FIND_BYVARIABLE)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_FIND_SENTENCE)));
}

TEST_F(FindDialogTest, PatternsOverAllPages)
{
    struct Case
    {
        const char* pszPattern;
        Lines results;
    } cases[] = {
        { "abc*", { "abcMenu", "ABCdef", "Sub1$abc1" } },
        { "*abc", { "xyzabc" } },
        { "*abc*", { "abcMenu", "xyzabc", "ABCdef", "Sub1$abc1" } },
        { "ab*yz", { "ab_to_yz" } },
        { "abc1", { "Sub1$abc1" } },
        { "ABCMENU", { "abcMenu" } },
        { "none*", {} },
    };
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    for (const Case& c : cases)
        EXPECT_EQ(c.results, SearchFor(hDlg, c.pszPattern)) << c.pszPattern;
    // Each pattern once in the history, the newest first.
    Lines history = Entries(hDlg, IDC_FIND_PATTERN);
    ASSERT_EQ(7u, history.size());
    EXPECT_EQ("none*", history[0]);
    SearchFor(hDlg, "abc*");
    EXPECT_EQ(7u, Entries(hDlg, IDC_FIND_PATTERN).size());
}

TEST_F(FindDialogTest, Modes)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);

    // Incomplete blocks, as the model last heard of them.
    PowerBlock* pAnnounce = pMain->FindBlockByName("xyzabc");
    ASSERT_NE(nullptr, pAnnounce);
    kvrSDOSetIconFinished(pMenu->GetHandle(), 0);
    kvrSDOSetIconFinished(pAnnounce->GetHandle(), 1);
    Click(hDlg, IDC_FIND_INCOMPLETE);
    EXPECT_EQ(PX_FIND_INCOMPLETE, GetPBSearchInfo().m_nMode);
    Lines incomplete = Results(hDlg);
    EXPECT_NE(incomplete.end(), std::find(incomplete.begin(), incomplete.end(), "abcMenu"));
    EXPECT_EQ(incomplete.end(), std::find(incomplete.begin(), incomplete.end(), "xyzabc"));
    for (const std::string& name : incomplete)
    {
        kvrHandleType* h = kvrFindPowerBlock(name.c_str(), 1, 0);
        EXPECT_EQ(0, kvrIsPBComplete(h)) << name;
    }

    // Blocks calling a SuperBlock: none until one is chosen.
    Click(hDlg, IDC_FIND_CALLING);
    EXPECT_TRUE(Enabled(hDlg, IDC_FIND_CALLED));
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_TYPE));
    EXPECT_EQ(Lines{}, Results(hDlg));
    SelectEntry(hDlg, IDC_FIND_CALLED, "Sub1");
    EXPECT_EQ(Lines{ "CallSub1" }, SearchFor(hDlg, "*"));

    // Blocks of a type.
    SelectEntry(hDlg, IDC_FIND_TYPE, "Menu");
    Click(hDlg, IDC_FIND_BYTYPE);
    EXPECT_TRUE(Enabled(hDlg, IDC_FIND_TYPE));
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_CALLED));
    EXPECT_EQ(402, GetPBSearchInfo().m_nPBType);
    EXPECT_EQ((Lines{ "abcMenu", "Sub1$abc1" }), Results(hDlg));
    EXPECT_EQ(Lines{ "Sub1$abc1" }, SearchFor(hDlg, "*1"));

    Click(hDlg, IDC_FIND_ALL);
    EXPECT_EQ(PX_FIND_ALL, GetPBSearchInfo().m_nMode);
    EXPECT_EQ((Lines{ "abcMenu", "ABCdef", "Sub1$abc1" }), SearchFor(hDlg, "abc*"));
}

TEST_F(FindDialogTest, VoiceSentenceAndVariableModes)
{
    SetSentence(pMenu, "Hello");
    TPBSearchInfo& info = GetPBSearchInfo();
    info.m_nMode = PX_FIND_SENTENCE;
    std::strcpy(info.m_szSentence, "hello");
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ("hello", Text(hDlg, IDC_FIND_SENTENCE));
    EXPECT_TRUE(Enabled(hDlg, IDC_FIND_SENTENCE));
    EXPECT_EQ(Lines{ "abcMenu" }, Results(hDlg));
    Type(hDlg, IDC_FIND_SENTENCE, "Other");
    EXPECT_STREQ("Other", info.m_szSentence);
    EXPECT_EQ(Lines{}, SearchFor(hDlg, "*"));

    // A voice item is no variable.
    DeleteFindPowerBlock();
    info.m_nMode = PX_FIND_VARIABLE;
    std::strcpy(info.m_szVariable, "Hello");
    hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(Lines{}, Results(hDlg));
    Type(hDlg, IDC_FIND_VARIABLE, std::string(60, 'v').c_str());
    EXPECT_EQ(std::string(39, 'v'), info.m_szVariable);
}

// The "L" buttons: the model's pickers fill the edit, and the search then
// finds the blocks that use what was picked.
TEST_F(FindDialogTest, PickersFillTheVariableAndTheSentence)
{
    PowerBlock* pCheck = AddBlock(pMain, 411, "Guard");
    int nOffset = kvrSDOGetSymbolOffset(411, "Password Entry 1");
    std::free(kvrSDOGetSymbolPtr(411, "Password Entry 1", pCheck->GetHandle(), nOffset));
    char* psz = static_cast<char*>(kvrSDOAllocateMem(411, "Password Entry 1", pCheck->GetHandle(), nOffset));
    ASSERT_NE(nullptr, psz);
    std::strcpy(psz, "PinCode");
    SetSentence(pMenu, "Hello");
    kvrItemData* pVoice = static_cast<kvrItemData*>(std::calloc(1, sizeof(kvrItemData)));
    Symbol* pSymbol = nullptr;
    program->Activate();
    ASSERT_EQ(1, kvrAddSymbol(&pSymbol, "Hello", KVR_SYM_ITEM, 1, 5, 1, 0, pVoice));

    TPBSearchInfo& info = GetPBSearchInfo();
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    struct Case
    {
        int nRadio;
        int nPick;
        int nEdit;
        const char* pszChoice;
        const char* pszCaption;
        const char* pszFound;
    } cases[] = {
        { IDC_FIND_BYVARIABLE, IDC_FIND_PICKVARIABLE, IDC_FIND_VARIABLE, "PinCode", "Select Variable", "Guard" },
        { IDC_FIND_BYSENTENCE, IDC_FIND_PICKSENTENCE, IDC_FIND_SENTENCE, "Hello", "Select Voice Sentence",
          "abcMenu" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszChoice);
        // The radios of these modes are hidden: checked as a click would.
        for (int nRadio : { IDC_FIND_ALL, IDC_FIND_INCOMPLETE, IDC_FIND_CALLING, IDC_FIND_BYTYPE,
                            IDC_FIND_BYVARIABLE, IDC_FIND_BYSENTENCE })
            CheckDlgButton(hDlg, nRadio, nRadio == c.nRadio ? BST_CHECKED : BST_UNCHECKED);
        Command(hDlg, c.nRadio, BN_CLICKED);
        EXPECT_TRUE(Enabled(hDlg, c.nPick));
        std::vector<std::string> offered;
        std::string caption;
        std::string choice = c.pszChoice;
        AnswerNextDialog([&](HWND hPicker) {
            caption = Text(hPicker);
            offered = ListLines(hPicker, 100);
            LRESULT n = SendDlgItemMessageA(hPicker, 100, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(choice.c_str()));
            SendDlgItemMessageA(hPicker, 100, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
            PostMessageA(hPicker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ClickButton(hDlg, c.nPick);
        DisarmDialogAnswer();
        EXPECT_EQ(c.pszCaption, caption);
        EXPECT_EQ(Lines{ c.pszChoice }, offered);
        EXPECT_EQ(c.pszChoice, Text(hDlg, c.nEdit));
        EXPECT_STREQ(c.pszChoice, c.nEdit == IDC_FIND_VARIABLE ? info.m_szVariable : info.m_szSentence);
        EXPECT_EQ(Lines{ c.pszFound }, SearchFor(hDlg, "*"));

        // Cancel leaves the edit as it is.
        AnswerNextDialog([](HWND hPicker) { PostMessageA(hPicker, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); });
        ClickButton(hDlg, c.nPick);
        EXPECT_TRUE(DialogAnswerRan());
        DisarmDialogAnswer();
        EXPECT_EQ(c.pszChoice, Text(hDlg, c.nEdit));
    }
    program->Activate();
    kvrDeleteSymbol("Hello", KVR_SYM_ITEM);
    std::free(pVoice);
}

TEST_F(FindDialogTest, OneSuperBlockShowsNamesWithoutThePage)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    Click(hDlg, IDC_FIND_ONEPAGE);
    EXPECT_EQ(1, GetPBSearchInfo().m_nScope);
    EXPECT_TRUE(Enabled(hDlg, IDC_FIND_PAGE));
    // The page Main: the model is asked for the main page's blocks.
    Lines onMain = Results(hDlg);
    EXPECT_NE(onMain.end(), std::find(onMain.begin(), onMain.end(), "abcMenu"));
    for (const std::string& name : onMain)
        EXPECT_EQ(std::string::npos, name.find('$')) << name;

    SelectEntry(hDlg, IDC_FIND_PAGE, "Sub1");
    EXPECT_STREQ("Sub1", GetPBSearchInfo().m_szScopePage);
    EXPECT_EQ((Lines{ "Begin", "abc1" }), Results(hDlg));

    DoubleClickLine(hDlg, IDC_FIND_RESULTS, 1);
    ASSERT_EQ(1u, g_requests.size());
    EXPECT_STREQ("Sub1$abc1", g_requests[0].szBlock);
    EXPECT_EQ(UI_BLOCKREQUEST_SHOW, g_requests[0].nAction);

    Click(hDlg, IDC_FIND_ALLPAGES);
    EXPECT_EQ(0, GetPBSearchInfo().m_nScope);
    EXPECT_FALSE(Enabled(hDlg, IDC_FIND_PAGE));
}

TEST_F(FindDialogTest, DoubleClickAsksTheFrameForTheBlock)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    ASSERT_EQ(Lines{ "Sub1$abc1" }, SearchFor(hDlg, "abc1"));
    DoubleClickLine(hDlg, IDC_FIND_RESULTS, 0);
    ASSERT_EQ(1u, g_requests.size());
    EXPECT_STREQ("Sub1$abc1", g_requests[0].szBlock);

    // No selection: nothing is asked.
    SendDlgItemMessageA(hDlg, IDC_FIND_RESULTS, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(hDlg, IDC_FIND_RESULTS, LBN_DBLCLK);
    EXPECT_EQ(1u, g_requests.size());

    // A line longer than the request holds is cut to the request's size.
    std::string longLine(300, 'q');
    SendDlgItemMessageA(hDlg, IDC_FIND_RESULTS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longLine.c_str()));
    DoubleClickLine(hDlg, IDC_FIND_RESULTS, 1);
    ASSERT_EQ(2u, g_requests.size());
    EXPECT_EQ(std::string(UI_BLOCKREQUEST_TEXT - 1, 'q'), std::string(g_requests[1].szBlock));
}

TEST_F(FindDialogTest, WithoutAnEditorWindowTheDialogBeepsAndCloses)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    frame.pActive = nullptr;
    ClickButton(hDlg, IDC_FIND_SEARCH);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(std::vector<UINT>{ MB_ICONEXCLAMATION }, g_beeps);
    EXPECT_TRUE(g_requests.empty());

    // The next Find command makes the window again with the same settings.
    frame.pActive = pSub1;
    GetPBSearchInfo().m_Pattern = "abc*";
    hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ((Lines{ "abcMenu", "ABCdef", "Sub1$abc1" }), Results(hDlg));
}

TEST_F(FindDialogTest, FollowsTheProgramOfTheActiveWindow)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    other.reset(NewProgram());
    other->SetName("Orders");
    AddBlock(other->GetMainPage(), 393, "onlyHere");
    frame.pActive = other->GetMainPage();
    RefreshFindPowerBlock();
    EXPECT_EQ("Find Power Block : Orders", Text(hDlg));
    EXPECT_EQ(other.get(), GetFindPowerBlock()->GetProgram());
    Lines results = Results(hDlg);
    EXPECT_NE(results.end(), std::find(results.begin(), results.end(), "onlyHere"));
    EXPECT_EQ(results.end(), std::find(results.begin(), results.end(), "abcMenu"));
}

TEST_F(FindDialogTest, DoneKeepsThePatternForTheNextTime)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    SetDlgItemTextA(hDlg, IDC_FIND_PATTERN, "*abc");
    ClickButton(hDlg, IDOK);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ("*abc", std::string(GetPBSearchInfo().m_Pattern));
    hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ("*abc", Text(hDlg, IDC_FIND_PATTERN));
    EXPECT_EQ(Lines{ "*abc" }, Entries(hDlg, IDC_FIND_PATTERN));
    EXPECT_EQ(Lines{ "xyzabc" }, Results(hDlg));
}

TEST_F(FindDialogTest, MoreThan249PagesAreCutTo250)
{
    for (int i = 0; i < 252; ++i)
    {
        Page* pPage = new Page(program.get(), ("P" + std::to_string(i)).c_str(), PX_PAGE_SUPERBLOCK, 0);
        ASSERT_TRUE(pPage->HasHandle());
        program->AddPage(pPage);
    }
    MessageBoxRecorder boxes;
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ("More than 250 Super Blocks exist only 250 will be displayed", boxes.boxes[0].text);
    EXPECT_EQ("Error", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_EQ(250u, Entries(hDlg, IDC_FIND_PAGE).size());
    EXPECT_EQ(254, GetPBSearchInfo().m_nPageCount);
}

TEST_F(FindDialogTest, TheFrameTakesTheDialogWithIt)
{
    HWND hDlg = Open();
    ASSERT_NE(nullptr, hDlg);
    m_pFrameWindow.reset();
    EXPECT_EQ(nullptr, GetFindPowerBlock());
    EXPECT_FALSE(IsWindow(hDlg));
    // The next Find command makes a new one.
    m_pFrameWindow.reset(new TWindow(m_hFrame));
    EXPECT_NE(nullptr, Open());
}
