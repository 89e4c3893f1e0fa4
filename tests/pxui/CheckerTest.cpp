// The program checker and the diagnostics runner over programs made with
// the model: the loops and unreachable blocks of a table of small programs,
// the boxes each diagnostics level shows, and a long chain searched on a
// thread with a small stack.
#include "CUserAppChecker.h"
#include "../model/ModelTestSupport.h"
#include "PXMsgBox.h"
#include "PXUserApp.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Box
{
    std::string text;
    std::string caption;
    UINT uType;
};
std::vector<Box> g_boxes;

int RecordBox(HWND, const char* pszText, const char* pszCaption, UINT uType)
{
    g_boxes.push_back({pszText ? pszText : "", pszCaption ? pszCaption : "", uType});
    return IDOK;
}

DWORD g_dwLevel = 4;
DWORD TestLevel() { return g_dwLevel; }

// A block of the program: its page (0 the page "Main", 1 a SuperBlock
// page "Sub"), its type and its name.
struct BlockSpec
{
    int nPage;
    int nType;
    const char* pszName;
};

// A goto line from an output of a block to a block of the same page.
struct LineSpec
{
    int nPage;
    const char* pszFrom;
    const char* pszOutput;
    const char* pszTo;
};

const int BEGIN = 142, END = 396, ANNOUNCE = 393, MENU = 402, CONTINUE = 401, ROTARYDIAL = 408;

struct ProgramCase
{
    const char* pszName;
    std::vector<BlockSpec> blocks;
    std::vector<LineSpec> lines;
    // The loops as the search pushed their blocks, and the unreachable
    // blocks in node order.
    std::vector<std::vector<std::string>> loops;
    std::vector<std::string> unreachable;
};

const ProgramCase s_aCases[] = {
    {"only Begin", {{0, BEGIN, "Begin"}}, {}, {}, {}},
    {"a straight line",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "Hello"}, {0, END, "End"}},
     {{0, "Begin", "Start", "Hello"}, {0, "Hello", "Done", "End"}},
     {},
     {}},
    {"an announcement back to itself",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "Again"}},
     {{0, "Begin", "Start", "Again"}, {0, "Again", "Done", "Again"}},
     {{"Again"}},
     {}},
    {"a menu back to itself is no loop",
     {{0, BEGIN, "Begin"}, {0, MENU, "Choose"}},
     {{0, "Begin", "Start", "Choose"}, {0, "Choose", "1", "Choose"}},
     {},
     {}},
    {"two blocks leading to each other, a menu among them",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "A"}, {0, MENU, "B"}},
     {{0, "Begin", "Start", "A"}, {0, "A", "Done", "B"}, {0, "B", "1", "A"}},
     {{"A", "B"}},
     {}},
    {"a loop of three and a loop of one behind it",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "A"}, {0, ANNOUNCE, "B"}, {0, MENU, "C"}, {0, ANNOUNCE, "D"}},
     {{0, "Begin", "Start", "A"},
      {0, "A", "Done", "B"},
      {0, "B", "Done", "C"},
      {0, "C", "1", "A"},
      {0, "C", "2", "D"},
      {0, "D", "Done", "D"}},
     {{"D"}, {"A", "B", "C"}},
     {}},
    {"a block that nothing leads to",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "Used"}, {0, ANNOUNCE, "Orphan"}},
     {{0, "Begin", "Start", "Used"}},
     {},
     {"Orphan"}},
    {"an unreachable block leading into a loop that Begin does not reach",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "X"}, {0, ANNOUNCE, "Y"}, {0, ANNOUNCE, "Z"}, {0, END, "End"}},
     {{0, "Begin", "Start", "End"}, {0, "X", "Done", "Y"}, {0, "Y", "Done", "Z"}, {0, "Z", "Done", "Y"}},
     {},
     {"X"}},
    {"Rotary and Continue are start blocks",
     {{0, BEGIN, "Begin"}, {0, ROTARYDIAL, "Rotary"}, {0, CONTINUE, "Continue"}, {0, ANNOUNCE, "Lost"}},
     {},
     {},
     {"Lost"}},
    {"a line whose output does not apply does not count",
     {{0, BEGIN, "Begin"}, {0, MENU, "Choose"}, {0, ANNOUNCE, "Quiet"}},
     {{0, "Begin", "Start", "Choose"}, {0, "Choose", "No response", "Quiet"}},
     {},
     {"Quiet"}},
    {"names that differ in case are different blocks",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "loop"}, {0, ANNOUNCE, "Loop"}},
     {{0, "Begin", "Start", "loop"}, {0, "loop", "Done", "Loop"}},
     {},
     {}},
    // More distinct names on later pages than the page "Main" has blocks:
    // the tables take every name of the program.
    {"a SuperBlock page with more blocks than the page Main",
     {{0, BEGIN, "Begin"}, {1, ANNOUNCE, "C"}, {1, ANNOUNCE, "D"}, {1, ANNOUNCE, "E"}, {1, ANNOUNCE, "F"}},
     {{1, "Begin", "Start", "C"}, {1, "C", "Done", "D"}, {1, "D", "Done", "E"}, {1, "E", "Done", "C"}},
     {{"C", "D", "E"}},
     {"F"}},
    {"blocks of the same name on two pages are one block",
     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "Shared"}, {0, ANNOUNCE, "P"}, {1, ANNOUNCE, "Shared"}, {1, ANNOUNCE, "Q"}},
     {{0, "Begin", "Start", "Shared"}, {0, "Shared", "Done", "P"}, {1, "Shared", "Done", "Q"}, {1, "Q", "Done", "Shared"}},
     {{"Shared", "Q"}},
     {}},
};

class Checker : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        g_boxes.clear();
        m_pfnOldBox = PXSetMessageBoxHook(RecordBox);
        m_pfnOldLevel = PXSetDiagLevelQuery(TestLevel);
        g_dwLevel = 4;
    }
    void TearDown() override
    {
        PXSetDiagLevelQuery(m_pfnOldLevel);
        PXSetMessageBoxHook(m_pfnOldBox);
        ModelTest::TearDown();
    }

    // A program of the blocks and lines: the page "Main", and a SuperBlock
    // page "Sub" (with its own Begin) when a block asks for it.
    Program* Make(const ProgramCase& c)
    {
        Program* pProgram = new Program("Checked", 0);
        Page* pages[2] = {new Page(pProgram, "Main", PX_PAGE_MAIN, 0), nullptr};
        pProgram->AddPage(pages[0]);
        std::map<std::pair<int, std::string>, PowerBlock*> made;
        for (const BlockSpec& b : c.blocks)
        {
            if (b.nPage == 1 && !pages[1])
            {
                pages[1] = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
                pProgram->AddPage(pages[1]);
                EXPECT_EQ(1, pages[1]->AddDefaultBlocks(PX_PAGE_SUPERBLOCK));
                made[{1, "Begin"}] = pages[1]->FindBlockByName("Begin");
            }
            PowerBlock* pBlock = AddBlock(pages[b.nPage], b.nType, b.pszName);
            EXPECT_NE(nullptr, pBlock) << b.pszName;
            made[{b.nPage, b.pszName}] = pBlock;
        }
        for (const LineSpec& l : c.lines)
        {
            PowerBlock* pFrom = made[{l.nPage, l.pszFrom}];
            PowerBlock* pTo = made[{l.nPage, l.pszTo}];
            EXPECT_TRUE(pFrom && pTo) << l.pszFrom << " -> " << l.pszTo;
            if (pFrom && pTo)
            {
                EXPECT_NE(nullptr, pFrom->Connect(pTo, l.pszOutput, 0)) << l.pszFrom << " " << l.pszOutput;
            }
        }
        return pProgram;
    }

    PXMessageBoxHook m_pfnOldBox = nullptr;
    PXDiagLevelQuery m_pfnOldLevel = nullptr;
};

std::vector<std::vector<std::string>> LoopNames(const CUserAppChecker& checker)
{
    std::vector<std::vector<std::string>> loops;
    for (const std::vector<int>& loop : checker.GetLoops())
    {
        loops.emplace_back();
        for (int n : loop)
            loops.back().push_back(checker.NameOf(n));
    }
    return loops;
}

std::vector<std::string> UnreachableNames(const CUserAppChecker& checker)
{
    std::vector<std::string> names;
    for (int n : checker.GetUnreachable())
        names.push_back(checker.NameOf(n));
    return names;
}

} // namespace

TEST_F(Checker, FindsTheLoopsAndTheUnreachableBlocksOfEachProgram)
{
    for (const ProgramCase& c : s_aCases)
    {
        SCOPED_TRACE(c.pszName);
        std::unique_ptr<Program> program(Make(c));
        CUserAppChecker checker(program.get());
        checker.FindLoops();
        checker.FindUnreachable();
        EXPECT_EQ(c.loops, LoopNames(checker));
        EXPECT_EQ(!c.loops.empty(), checker.LoopsFound());
        EXPECT_EQ(c.unreachable, UnreachableNames(checker));
        EXPECT_EQ(!c.unreachable.empty(), checker.UnreachableFound());
    }
}

TEST_F(Checker, IndicesCountFromZeroInTheOrderNamesAreMet)
{
    ProgramCase c = {"", {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "One"}, {0, ANNOUNCE, "Two"}}, {}, {}, {}};
    std::unique_ptr<Program> program(Make(c));
    CUserAppChecker checker(program.get());
    // The page's list walks the blocks newest first.
    EXPECT_EQ(3, checker.GetNumberOfBlocks());
    EXPECT_EQ(0, checker.IndexOf("Two"));
    EXPECT_EQ(1, checker.IndexOf("One"));
    EXPECT_EQ(2, checker.IndexOf("Begin"));
    EXPECT_STREQ("One", checker.NameOf(1));
}

TEST_F(Checker, TheTablesHoldBeginWhenTheProgramHasNone)
{
    ProgramCase c = {"", {{0, ANNOUNCE, "A"}, {0, ANNOUNCE, "B"}}, {{0, "A", "Done", "B"}, {0, "B", "Done", "A"}}, {}, {}};
    std::unique_ptr<Program> program(Make(c));
    CUserAppChecker checker(program.get());
    EXPECT_EQ(3, checker.GetNumberOfBlocks());
    checker.FindLoops();
    checker.FindUnreachable();
    // Nothing leads from a "Begin" no block carries; A and B lead to each other.
    EXPECT_FALSE(checker.LoopsFound());
    EXPECT_FALSE(checker.UnreachableFound());
}

TEST_F(Checker, FormatsLoopsAndUnreachableBlocks)
{
    std::unique_ptr<Program> program(Make(s_aCases[5]));
    CUserAppChecker checker(program.get());
    checker.FindLoops();
    CString text("x");
    checker.FormatLoops(text);
    EXPECT_STREQ("x\"  D\"\n\"  A  B  C\"\n", static_cast<const char*>(text));

    std::unique_ptr<Program> orphans(
        Make({"", {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "P"}, {0, ANNOUNCE, "Q"}}, {}, {}, {}}));
    CUserAppChecker second(orphans.get());
    second.FindUnreachable();
    CString list;
    second.FormatUnreachable(list);
    EXPECT_STREQ("\"Q\"\"P\"", static_cast<const char*>(list));
}

namespace {

const char s_szLoopText[] =
    "\nWARNING\tWARNING\tWARNING\tWARNING\tWARNING\n\n"
    "Description:\nWhen building applications, each output of a block should proceed to a new block.\n"
    "Creating loops in an application can cause serious problems for the system and should be avoided.\n"
    "System problems may include system slow down, high CPU usage or ring-no-answer.\n\n"
    "These areas of the program contain loops: \n"
    "\"  Again\"\n"
    "\n\nTo disable program diagnostics, select Options->Program Diagnostics->None\n\n";

const char s_szUnreachableText[] =
    "Description:  This analysis has determined that some blocks in your application\n"
    "are unreachable.  This could indicate that a connection to a block has been\n"
    "deleted or that an unused block is present in an application.\n\n"
    "The following blocks are unreachable in this application:\n\n"
    "\"Orphan\"\n ";

struct LevelCase
{
    DWORD dwLevel;
    bool bLoopBox;
    bool bUnreachableBox;
};

} // namespace

TEST_F(Checker, TheRunnerShowsWhatTheLevelAsks)
{
    // A loop of one block and a block that nothing leads to.
    ProgramCase c = {"",
                     {{0, BEGIN, "Begin"}, {0, ANNOUNCE, "Again"}, {0, ANNOUNCE, "Orphan"}},
                     {{0, "Begin", "Start", "Again"}, {0, "Again", "Done", "Again"}},
                     {},
                     {}};
    const LevelCase levels[] = {
        {1, false, false},
        {2, true, false},
        {4, true, true},
        {8, true, true},
    };
    for (const LevelCase& l : levels)
    {
        SCOPED_TRACE(l.dwLevel);
        g_dwLevel = l.dwLevel;
        g_boxes.clear();
        std::unique_ptr<Program> program(Make(c));
        PXUserApp app("Checked");
        app.SetProgram(program.get());
        EXPECT_EQ(1, app.RunDiagnostics());
        size_t n = 0;
        if (l.bLoopBox)
        {
            ASSERT_LT(n, g_boxes.size());
            EXPECT_EQ(s_szLoopText, g_boxes[n].text);
            EXPECT_EQ("Plexwright Program Diagnostics - Powerblock Loop Analysis", g_boxes[n].caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), g_boxes[n].uType);
            ++n;
        }
        if (l.bUnreachableBox)
        {
            ASSERT_LT(n, g_boxes.size());
            EXPECT_EQ(s_szUnreachableText, g_boxes[n].text);
            EXPECT_EQ("Plexwright Program Diagnostics", g_boxes[n].caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK), g_boxes[n].uType);
            ++n;
        }
        EXPECT_EQ(n, g_boxes.size());
        app.SetProgram(nullptr);
    }
}

TEST_F(Checker, TheRunnerShowsNothingForACleanProgram)
{
    std::unique_ptr<Program> program(Make(s_aCases[1]));
    PXUserApp app("Clean");
    app.SetProgram(program.get());
    g_dwLevel = 8;
    EXPECT_EQ(1, app.RunDiagnostics());
    EXPECT_TRUE(g_boxes.empty());
    app.SetProgram(nullptr);
}

namespace {

struct ChainRun
{
    Program* pProgram;
    std::vector<std::vector<std::string>> loops;
};

DWORD WINAPI CheckChain(LPVOID pv)
{
    ChainRun* pRun = static_cast<ChainRun*>(pv);
    CUserAppChecker checker(pRun->pProgram);
    checker.FindLoops();
    for (const std::vector<int>& loop : checker.GetLoops())
        pRun->loops.push_back({checker.NameOf(loop.front()), checker.NameOf(loop.back()),
                               std::to_string(loop.size())});
    return 0;
}

} // namespace

// A chain of blocks far deeper than a small stack holds frames for: the
// search keeps its own stack.
TEST_F(Checker, SearchesALongChainOnASmallStack)
{
    const int nBlocks = 3000;
    ProgramCase c = {"", {{0, BEGIN, "Begin"}}, {}, {}, {}};
    std::vector<std::string> names;
    for (int i = 0; i < nBlocks; ++i)
        names.push_back("N" + std::to_string(i));
    for (const std::string& name : names)
        c.blocks.push_back({0, ANNOUNCE, name.c_str()});
    c.lines.push_back({0, "Begin", "Start", names[0].c_str()});
    for (int i = 0; i < nBlocks; ++i)
        c.lines.push_back({0, names[i].c_str(), "Done", names[(i + 1) % nBlocks].c_str()});
    std::unique_ptr<Program> program(Make(c));

    ChainRun run = {program.get(), {}};
    HANDLE hThread = CreateThread(nullptr, 64 * 1024, CheckChain, &run, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 120000));
    DWORD dwExit = 1;
    GetExitCodeThread(hThread, &dwExit);
    CloseHandle(hThread);
    EXPECT_EQ(0u, dwExit);
    const std::vector<std::vector<std::string>> expected = {{"N0", names.back(), std::to_string(nBlocks)}};
    EXPECT_EQ(expected, run.loops);
}
