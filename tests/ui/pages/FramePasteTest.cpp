// The paste of the clipboard at a point of a page pane under the editor's
// own main frame: clashing block names resolved in the conflict dialog as
// the user answers it, cancelling pasting nothing, within a program and
// into another, with the model's registrations matching the editor's
// objects after each paste; and the program losing the activation ending a
// drag in its page pane.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "ClipboardProgram.h"
#include "PXImageList.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "PXDialogDriver.h"
#include "PXSObj.h"
#include "TResolveConflictRes.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"

#include "classlib/ListIterator.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace
{
void ArmAnswers(std::vector<std::function<void(HWND)>> scripts, size_t nNext = 0)
{
    if (nNext >= scripts.size())
        return;
    AnswerNextDialog([scripts, nNext](HWND hDlg) {
        ArmAnswers(scripts, nNext + 1);
        scripts[nNext](hDlg);
    });
}

void PressButton(HWND hDlg, int nId)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

// The pane that lets a test set its mouse mode.
struct ModePane : EditChild
{
    using ObjectChild::SetMode;
};
}

class FramePasteTest : public ModelTest
{
protected:
    FramePasteTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        if (!m_pIconIL)
            PXCreateBlockImageLists();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(new UIFramePages(*m_pFrame));
        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pMenu = AddBlock(m_pMain, 402, "Menu1", 300, 200);
        m_pDay = AddBlock(m_pMain, 395, "Day", 400, 260);
        ASSERT_NE(nullptr, m_pMenu->Connect(m_pDay, "1", 0));
        m_pWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(m_pProgram, m_pMain));
        ASSERT_NE(nullptr, m_pWindow);
        ASSERT_NE(nullptr, GetClipboardProgram());
    }
    void TearDown() override
    {
        DisarmDialogAnswer();
        m_pPages.reset();
        PXSetWinApp(nullptr);
        m_pController.reset();
        ModelTest::TearDown();
    }

    // Copies the blocks as the Copy command does.
    void Copy(std::vector<PowerBlock*> blocks)
    {
        m_pController->BeginClipCopy();
        ASSERT_EQ(0, GetClipboardProgram()->CopyBlocks(blocks, blocks.front()->GetPage()));
    }
    static std::vector<std::string> Names(Page* pPage)
    {
        std::vector<std::string> names;
        ListIterator it(pPage->GetBlocks());
        while (it)
            names.push_back(static_cast<PowerBlock&>(it++).GetName());
        std::sort(names.begin(), names.end());
        return names;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    Program* m_pProgram = nullptr;      // its windows'
    Page* m_pMain = nullptr;
    PowerBlock* m_pMenu = nullptr;
    PowerBlock* m_pDay = nullptr;
    EditMDI* m_pWindow = nullptr;
};

TEST_F(FramePasteTest, ClashingNamesAreResolvedInTheDialogBeforeThePaste)
{
    Copy({m_pMenu, m_pDay});
    const std::vector<std::string> before = Names(m_pMain);
    EditChild* pPane = m_pWindow->GetEditPane();
    ASSERT_NE(nullptr, pPane);

    // Cancel in the first dialog: nothing is pasted.
    std::vector<std::string> captions;
    ArmAnswers({[&](HWND hDlg) {
        captions.push_back(Text(hDlg));
        PressButton(hDlg, IDCANCEL);
    }});
    EXPECT_EQ(1, pPane->PasteAt(50, 50, 1));
    // The End block that came with the copy is not counted: it asks nothing.
    EXPECT_EQ(std::vector<std::string>{"Block Name conflict (1 of 2)"}, captions);
    EXPECT_EQ(before, Names(m_pMain));
    ExpectModelMatches(m_pProgram);

    // A typed name for the first block, the proposal for the second; the
    // End block that came with the copy asks nothing and is not pasted.
    captions.clear();
    ArmAnswers({[&](HWND hDlg) {
                    captions.push_back(Text(hDlg));
                    Click(hDlg, IDC_CONFLICT_NEWNAME);
                    Type(hDlg, IDC_CONFLICT_TYPEDNAME, "Choice");
                    PressButton(hDlg, IDOK);
                },
                [&](HWND hDlg) {
                    captions.push_back(Text(hDlg));
                    EXPECT_EQ("Day1", Text(hDlg, IDC_CONFLICT_DEFNAME));
                    PressButton(hDlg, IDOK);
                }});
    EXPECT_EQ(0, pPane->PasteAt(50, 50, 1));
    EXPECT_EQ((std::vector<std::string>{"Block Name conflict (1 of 2)", "Block Name conflict (2 of 2)"}), captions);
    PowerBlock* pChoice = m_pMain->FindBlockByName("Choice");
    PowerBlock* pDay1 = m_pMain->FindBlockByName("Day1");
    ASSERT_NE(nullptr, pChoice);
    ASSERT_NE(nullptr, pDay1);
    ASSERT_NE(nullptr, pChoice->FindGoto("1"));
    EXPECT_EQ(pDay1, pChoice->FindGoto("1")->GetTarget());
    EXPECT_EQ(before.size() + 2, Names(m_pMain).size());
    ExpectModelMatches(m_pProgram);
    // The pane selected what came.
    EXPECT_EQ(2, pPane->GetSelectionCount());

    // "Change All" answers the rest with the proposals.
    ArmAnswers({[](HWND hDlg) { PressButton(hDlg, IDC_CONFLICT_ALL); },
                [](HWND hDlg) { PressButton(hDlg, IDCANCEL); }});
    EXPECT_EQ(0, pPane->PasteAt(50, 50, 1));
    DisarmDialogAnswer();
    EXPECT_NE(nullptr, m_pMain->FindBlockByName("Menu2"));
    EXPECT_NE(nullptr, m_pMain->FindBlockByName("Day2"));
    ExpectModelMatches(m_pProgram);
}

TEST_F(FramePasteTest, IntoAnotherProgramFreeNamesStayWithoutADialog)
{
    Copy({m_pMenu, m_pDay});
    Program* pOther = NewProgram();
    Page* pOtherMain = pOther->GetMainPage();
    EditMDI* pOtherWindow = dynamic_cast<EditMDI*>(m_pFrame->OpenEditWindow(pOther, pOtherMain));
    ASSERT_NE(nullptr, pOtherWindow);
    const size_t nBefore = Names(pOtherMain).size();
    bool bAsked = false;
    ArmAnswers({[&](HWND hDlg) {
        bAsked = true;
        PressButton(hDlg, IDCANCEL);
    }});
    EXPECT_EQ(0, pOtherWindow->GetEditPane()->PasteAt(50, 50, 1));
    DisarmDialogAnswer();
    EXPECT_FALSE(bAsked);
    PowerBlock* pMenu = pOtherMain->FindBlockByName("Menu1");
    PowerBlock* pDay = pOtherMain->FindBlockByName("Day");
    ASSERT_NE(nullptr, pMenu);
    ASSERT_NE(nullptr, pDay);
    EXPECT_EQ(pDay, pMenu->FindGoto("1") ? pMenu->FindGoto("1")->GetTarget() : nullptr);
    EXPECT_EQ(nBefore + 2, Names(pOtherMain).size());
    ExpectModelMatches(pOther);
    ExpectModelMatches(m_pProgram);
}

TEST_F(FramePasteTest, DeactivatingTheProgramEndsADragInTheActivePagePane)
{
    ModePane* pPane = static_cast<ModePane*>(static_cast<ObjectChild*>(m_pWindow->GetEditPane()));
    pPane->SetMode(MODE_DRAGGING);
    SendMessageA(m_pFrame->HWindow, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(MODE_DRAGGING, pPane->GetMouseMode());
    SendMessageA(m_pFrame->HWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(MODE_IDLE, pPane->GetMouseMode());
    // Any other mode is left alone.
    pPane->SetMode(MODE_PASTE);
    SendMessageA(m_pFrame->HWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(MODE_PASTE, pPane->GetMouseMode());
    pPane->SetMode(MODE_IDLE);
}
