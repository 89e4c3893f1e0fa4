// The consistency-check mechanism: the handler sees the expression, the
// source path and the line; the message-box seam records and answers.
#include "PXTestSupport.h"

namespace {

std::string g_expr;
std::string g_file;
int g_line = 0;

void RecordingHandler(const char* pszExpr, const char* pszFile, int nLine)
{
    g_expr = pszExpr;
    g_file = pszFile;
    g_line = nLine;
    throw 7;    // leave the failed operation, as the test handler does
}

} // namespace

TEST(ConsistencyCheck, HandlerSeesExpressionFileAndLine)
{
    PXAssertHandler pfnOld = PXSetAssertHandler(RecordingHandler);
    int nExpectedLine = __LINE__ + 2;
    try {
        PXASSERT(1 + 1 == 3);
    } catch (int) {
    }
    PXSetAssertHandler(pfnOld);
    EXPECT_EQ("(1 + 1 == 3)", g_expr);
    EXPECT_NE(std::string::npos, g_file.find("AssertTest.cpp"));
    EXPECT_EQ(nExpectedLine, g_line);
}

TEST(ConsistencyCheck, PassingCheckCallsNothing)
{
    g_line = 0;
    PXAssertHandler pfnOld = PXSetAssertHandler(RecordingHandler);
    PXASSERT(2 > 1);
    PXSetAssertHandler(pfnOld);
    EXPECT_EQ(0, g_line);
}

TEST(ConsistencyCheck, DefaultHandlerEndsTheProgram)
{
    // Run a child copy of this executable that fails a check with the
    // default handler and the message box answered: it must exit with 3.
    if (GetEnvironmentVariableA("PX_ASSERT_CHILD", nullptr, 0) != 0)
    {
        PXSetAssertHandler(nullptr);
        PXSetMessageBoxHook([](HWND, const char*, const char*, UINT) { return IDOK; });
        PXASSERT(false);
        return;
    }
    char szExe[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, szExe, MAX_PATH));
    std::string cmd = std::string("\"") + szExe + "\" --gtest_filter=ConsistencyCheck.DefaultHandlerEndsTheProgram";
    SetEnvironmentVariableA("PX_ASSERT_CHILD", "1");
    STARTUPINFOA si = { sizeof(si) };
    PROCESS_INFORMATION pi;
    std::vector<char> cmdLine(cmd.begin(), cmd.end());
    cmdLine.push_back('\0');
    BOOL ok = CreateProcessA(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("PX_ASSERT_CHILD", nullptr);
    ASSERT_TRUE(ok);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(3u, code);
}

TEST(MessageBoxSeam, RecorderSeesAndAnswersBoxes)
{
    MessageBoxRecorder rec;
    rec.Answer(IDNO);
    EXPECT_EQ(IDNO, PXMessageBox(nullptr, "Save?", "Plexwright", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDOK, PXMessageBox(nullptr, "Done", "Plexwright", MB_OK));
    ASSERT_EQ(2u, rec.boxes.size());
    EXPECT_EQ("Save?", rec.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), rec.boxes[0].uType);
    EXPECT_EQ("Done", rec.boxes[1].text);
}
