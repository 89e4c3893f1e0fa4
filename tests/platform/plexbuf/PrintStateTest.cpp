// plexbuf: the printer choice, the set-up dialog, jobs printed into a file
// and the kept printer DC.
#include "PXTestSupport.h"
#include "PXTestPrinter.h"

#include "PrintState.h"

#include <string>

namespace {

class PrintStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pxtest::InstallTestPrinter());
        m_pfnOld = PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
        char szTemp[MAX_PATH], szName[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        GetTempFileNameA(szTemp, "pst", 0, szName);
        m_out = szName;
        PrintState::set_output_file(m_out.c_str());
    }
    void TearDown() override
    {
        PrintState(nullptr).cleanup(0);
        PrintState::set_output_file(nullptr);
        PrintState::set_dialog_func(m_pfnOld);
        DeleteFileA(m_out.c_str());
    }

    PrintState::PrintDialogFunc m_pfnOld = nullptr;
    std::string m_out;
};

TEST_F(PrintStateTest, JobPrintsItsPagesIntoTheFile)
{
    {
        PrintState state(nullptr);
        ASSERT_EQ(PrintState::ok, state.status());
        HDC hDC = state.make_printer_dc(0);
        ASSERT_NE(nullptr, hDC);
        EXPECT_EQ(DT_RASPRINTER, GetDeviceCaps(hDC, TECHNOLOGY));
        ASSERT_NE(0, state.begin_job("Application flow"));
        EXPECT_EQ(0, state.begin_job("again")) << "a second job on the same state";
        for (int i = 0; i < 3; ++i)
        {
            ASSERT_NE(0, state.new_page());
            EXPECT_EQ(0, state.new_page()) << "a page inside a page";
            TextOutA(hDC, 100, 100, "page", 4);
            EXPECT_NE(0, state.end_page());
        }
        EXPECT_EQ(3, state.page_count());
        EXPECT_NE(0, state.end_job());
        EXPECT_EQ(0, state.new_page()) << "no page after the job";
    }
    EXPECT_EQ(3, pxtest::CountPostScriptPages(m_out));
}

TEST_F(PrintStateTest, DestroyingARunningJobEndsIt)
{
    {
        PrintState state(nullptr);
        ASSERT_NE(0, state.begin_job("Application flow"));
        ASSERT_NE(0, state.new_page());
        TextOutA(state.make_printer_dc(0), 10, 10, "x", 1);
    }
    EXPECT_EQ(1, pxtest::CountPostScriptPages(m_out));
}

TEST_F(PrintStateTest, KeptDCOutlivesTheStateUntilCleanup)
{
    HDC hKept;
    {
        PrintState state(nullptr);
        hKept = state.get_printer_dc(1);
        ASSERT_NE(nullptr, hKept);
        EXPECT_EQ(hKept, state.get_printer_dc(0));
    }
    EXPECT_GT(GetDeviceCaps(hKept, HORZRES), 0) << "the kept DC is still valid";
    PrintState(nullptr).cleanup(0);
    EXPECT_EQ(0, GetDeviceCaps(hKept, HORZRES)) << "cleanup released the kept DC";
}

TEST_F(PrintStateTest, SetupTakesTheChoiceAndACancelKeepsIt)
{
    PrintState state(nullptr);
    HDC hBefore = state.get_printer_dc(1);
    ASSERT_NE(nullptr, hBefore);
    PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    EXPECT_EQ(0, state.setup());
    EXPECT_EQ(PrintState::ok, state.status());
    EXPECT_EQ(hBefore, state.get_printer_dc(2)) << "a cancelled set-up changes nothing";
    PrintState::set_dialog_func(pxtest::ChooseTestPrinter);
    EXPECT_NE(0, state.setup());
    HDC hAfter = state.get_printer_dc(2);
    ASSERT_NE(nullptr, hAfter);
    EXPECT_GT(GetDeviceCaps(hAfter, LOGPIXELSY), 0);
}

TEST_F(PrintStateTest, WithoutAPrinterNothingPrints)
{
    PrintState(nullptr).cleanup(0);
    PrintState::set_dialog_func(pxtest::CancelPrintDialog);
    PrintState state(nullptr);
    EXPECT_EQ(PrintState::no_printer, state.status());
    EXPECT_EQ(nullptr, state.make_printer_dc(0));
    EXPECT_EQ(nullptr, state.get_printer_dc(1));
    EXPECT_EQ(0, state.begin_job("Application flow"));
    EXPECT_EQ(0, state.new_page());
    EXPECT_EQ(0, state.end_page());
    EXPECT_EQ(0, state.end_job());
}

}
