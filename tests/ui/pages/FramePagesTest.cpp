// The page windows under the editor's own main frame: opened through the
// frame's OpenEditWindow, listed and counted by it, a page shown from a
// pane, and the last window closing its program's application.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "PXImageList.h"
#include "PXSObj.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"

namespace
{
std::vector<Program*> g_closed;

bool RecordClose(Program* pProgram)
{
    g_closed.push_back(pProgram);
    return true;
}
}

class FramePagesTest : public ModelTest
{
protected:
    FramePagesTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        // The frame opens its block palette, which shows the block images.
        if (!m_pIconIL)
            PXCreateBlockImageLists();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pPages->pfnClose = RecordClose;
        g_closed.clear();
    }
    void TearDown() override
    {
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
};

TEST_F(FramePagesTest, TheFrameOpensListsAndClosesPageWindows)
{
    Program* pProgram = NewProgram();
    Page* pMain = pProgram->GetMainPage();
    Page* pSub = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSub);
    pProgram->ClearModified();

    EditMDI* pMainWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pProgram, pMain));
    ASSERT_NE(nullptr, pMainWindow);
    EXPECT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(1, pProgram->GetOpenWindows());
    EXPECT_EQ(1, pMainWindow->GetWindowNumber());
    ASSERT_NE(nullptr, pMainWindow->GetEditPane());
    EXPECT_GT(pMainWindow->GetEditPane()->GetDisplayObjectCount(), 0);
    EXPECT_EQ(100, pMainWindow->GetEditZoom());

    // A pane asks for another page: a window opens on it.
    pMainWindow->GetEditPane()->ShowPage(pSub);
    ASSERT_EQ(2, m_pFrame->GetChildCount());
    EditMDI* pSubWindow = dynamic_cast<EditMDI*>(m_pFrame->FindChildForPage(pSub));
    ASSERT_NE(nullptr, pSubWindow);
    EXPECT_EQ(2, pSubWindow->GetWindowNumber());
    EXPECT_EQ(2, pProgram->GetOpenWindows());

    // The main page's window closes first: the program stays with its
    // other window, which becomes number 1.
    pMainWindow->CloseWindow();
    EXPECT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(1, pProgram->GetOpenWindows());
    EXPECT_EQ(1, pSubWindow->GetWindowNumber());
    EXPECT_TRUE(g_closed.empty());

    // The last window closes the program's application and deletes it.
    pSubWindow->CloseWindow();
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    ASSERT_EQ(1u, g_closed.size());
    EXPECT_EQ(pProgram, g_closed[0]);
    EXPECT_EQ(nullptr, m_pFrame->GetCurrentProgram());
}
