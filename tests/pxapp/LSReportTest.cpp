// Load/save reports: prompt modes, the log "kvrlslog.txt" and its limit,
// the saturating report count, and the prompt's dialog template.
#include "PXTestSupport.h"

#include "LSReport.h"
#include "PXAppRes.h"

#include <direct.h>
#include <stdio.h>

#include <regex>
#include <string>
#include <vector>

namespace {

struct Prompt
{
    short nModeSeen;
    std::string text;
};

std::vector<Prompt> g_prompts;

std::vector<int> g_answers;

int AnswerPrompt(short& nPromptMode, const char* pszText)
{
    g_prompts.push_back({ nPromptMode, pszText });
    int nAnswer = g_answers.empty() ? IDCANCEL : g_answers.front();
    if (!g_answers.empty())
        g_answers.erase(g_answers.begin());
    return nAnswer;
}

// Runs each test in a scratch working directory, where the log goes, with
// the prompt answered by the test and the report count at 0.
class LSReportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        char szName[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        GetTempFileNameA(szTemp, "lsl", 0, szName);
        DeleteFileA(szName);
        CreateDirectoryA(szName, nullptr);
        m_dir = szName;
        _getcwd(m_szOldDir, MAX_PATH);
        _chdir(m_dir.c_str());
        m_pfnOld = LSSetPromptRunner(AnswerPrompt);
        g_prompts.clear();
        g_answers.clear();
        LSSetReportCount(0);
    }
    void TearDown() override
    {
        LSSetPromptRunner(m_pfnOld);
        _chdir(m_szOldDir);
        DeleteFileA((m_dir + "\\" LS_LOG_FILE).c_str());
        RemoveDirectoryA((m_dir + "\\" LS_LOG_FILE).c_str());
        RemoveDirectoryA(m_dir.c_str());
    }

    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        FILE* fp = fopen(LS_LOG_FILE, "rb");
        if (!fp)
            return lines;
        std::string line;
        int ch;
        while ((ch = getc(fp)) != EOF)
        {
            line += static_cast<char>(ch);
            if (ch == '\n')
            {
                lines.push_back(line);
                line.clear();
            }
        }
        if (!line.empty())
            lines.push_back(line);
        fclose(fp);
        return lines;
    }

    std::string m_dir;
    char m_szOldDir[MAX_PATH];
    LSPromptRunner m_pfnOld = nullptr;
};

} // namespace

TEST_F(LSReportTest, PromptModesDecideWithoutAskingOrAsk)
{
    struct Case
    {
        short nMode;
        int nAnswer;        // of the prompt, when one is shown
        BOOL bResult;
        bool bPrompted;
    };
    const Case cases[] = {
        { LS_PROMPT_STOP, 0, FALSE, false },
        { LS_PROMPT_CONTINUE, 0, TRUE, false },
        { LS_PROMPT_ASK, IDOK, TRUE, true },
        { LS_PROMPT_ASK, IDCANCEL, FALSE, true },
        { 2, IDOK, TRUE, true },      // any other mode asks too
    };
    for (const Case& c : cases)
    {
        g_prompts.clear();
        g_answers = { c.nAnswer };
        short nMode = c.nMode;
        EXPECT_EQ(LSReportError(nMode, "Bad goto line", 12), c.bResult) << c.nMode;
        ASSERT_EQ(g_prompts.size(), c.bPrompted ? 1u : 0u) << c.nMode;
        if (c.bPrompted)
        {
            EXPECT_EQ(g_prompts[0].text, "Load and Save Error!!\n\nBad goto line");
            EXPECT_EQ(g_prompts[0].nModeSeen, LS_PROMPT_ASK);
        }
        else
            EXPECT_EQ(nMode, c.nMode);
    }
    // Every report was logged, whatever its answer.
    EXPECT_EQ(LogLines().size(), 5u);
    EXPECT_EQ(LSGetReportCount(), 5);
}

TEST_F(LSReportTest, PromptChoiceOfNoMoreWarningsLastsForTheCaller)
{
    // The prompt ticks its box and continues: the caller's mode becomes 1,
    // so later reports continue without asking.
    LSSetPromptRunner([](short& nMode, const char*) {
        g_prompts.push_back({ nMode, "" });
        nMode = LS_PROMPT_CONTINUE;
        return IDOK;
    });
    short nMode = LS_PROMPT_ASK;
    EXPECT_TRUE(LSReportError(nMode, "first", 1));
    EXPECT_EQ(nMode, LS_PROMPT_CONTINUE);
    EXPECT_TRUE(LSReportError(nMode, "second", 2));
    EXPECT_TRUE(LSReportError(nMode, "third", 3));
    EXPECT_EQ(g_prompts.size(), 1u);
    EXPECT_EQ(LogLines().size(), 3u);
}

TEST_F(LSReportTest, LogLineHoldsDateTimeCodeAndText)
{
    short nMode = LS_PROMPT_STOP;
    LSReportError(nMode, "Invalid file header found.", 10);
    LSReportError(nMode, "negative", -4);
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    const std::regex line1(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d 10 Invalid file header found\.\r?\n)");
    const std::regex line2(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d -4 negative\r?\n)");
    EXPECT_TRUE(std::regex_match(lines[0], line1)) << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], line2)) << lines[1];
    SYSTEMTIME st;
    GetLocalTime(&st);
    char szDate[16];
    sprintf(szDate, "%02u/%02u/%02u", st.wMonth, st.wDay, st.wYear % 100);
    EXPECT_EQ(lines[0].substr(0, 8), szDate);
}

TEST_F(LSReportTest, OnlyTheFirst49ReportsOfTheRunAreLogged)
{
    short nMode = LS_PROMPT_CONTINUE;
    LSSetReportCount(47);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(LSReportError(nMode, "late", i));
    // Reports 48 and 49 are logged, 50 and 51 are not.
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(" 1 late"), std::string::npos);
    EXPECT_EQ(LSGetReportCount(), 51);
    // Prompts go on as before.
    short nAsk = LS_PROMPT_ASK;
    g_answers = { IDOK };
    EXPECT_TRUE(LSReportError(nAsk, "still asked", 0));
    EXPECT_EQ(g_prompts.size(), 1u);
}

TEST_F(LSReportTest, ReportCountSaturatesInsteadOfWrapping)
{
    short nMode = LS_PROMPT_STOP;
    LSSetReportCount(32766);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(LSReportError(nMode, "many", i));
    EXPECT_EQ(LSGetReportCount(), 32767);
    // A wrapped count would have started logging again.
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(LSReportTest, LogThatCannotBeOpenedIsLeftOut)
{
    ASSERT_TRUE(CreateDirectoryA(LS_LOG_FILE, nullptr));
    short nMode = LS_PROMPT_CONTINUE;
    EXPECT_TRUE(LSReportError(nMode, "no log", 1));
    g_answers = { IDOK };
    nMode = LS_PROMPT_ASK;
    EXPECT_TRUE(LSReportError(nMode, "no log", 1));
    EXPECT_EQ(g_prompts.size(), 1u);
    EXPECT_EQ(LSGetReportCount(), 2);
}

TEST_F(LSReportTest, HeadingLoads)
{
    CString heading;
    EXPECT_TRUE(heading.LoadString(IDS_LS_ERRORHEADING));
    EXPECT_STREQ(heading, "Load and Save Error!!\n\n");
}

// A report that would ask, with no prompt installed: the content of a file
// must not end the program, so the operation stops as an Abort would, and
// the log tells why after the report itself.
TEST_F(LSReportTest, WithoutAPromptTheOperationStopsAndTheLogSaysSo)
{
    LSSetPromptRunner(nullptr);
    for (short nAsk : { static_cast<short>(LS_PROMPT_ASK), static_cast<short>(2) })
    {
        short nMode = nAsk;
        EXPECT_FALSE(LSReportError(nMode, "Main. Could not load this PowerBlock.", 3)) << nAsk;
        EXPECT_EQ(nMode, LS_PROMPT_ASK) << nAsk;
    }
    // The modes that decide without asking still do.
    short nContinue = LS_PROMPT_CONTINUE;
    EXPECT_TRUE(LSReportError(nContinue, "continued", 2));
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[0].find(" 3 Main. Could not load this PowerBlock."), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(" 3 No prompt to ask: stopped."), std::string::npos) << lines[1];
    EXPECT_NE(lines[4].find(" 2 continued"), std::string::npos) << lines[4];
    EXPECT_EQ(LSGetReportCount(), 3);
}
