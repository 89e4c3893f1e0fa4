// Dialogs from memory and resource templates, run modally and ended by the
// test through messages; the look-up in a second module; modeless dialogs.
#include "OwlTestSupport.h"
#include "OwlTestRes.h"

#include "owl/TDialog.h"
#include "owl/TEdit.h"

#include <string.h>

namespace {

// A dialog with an edit whose text is transferred to and from a buffer.
class NameDialog : public TDialog
{
public:
    NameDialog(TWindow* pParent, const DLGTEMPLATE* pTemplate, char* pszBuf)
        : TDialog(pParent, pTemplate), m_pszBuf(pszBuf)
    {
        m_pEdit = new TEdit(this, IDC_TEST_EDIT, 31);
    }
    NameDialog(TWindow* pParent, TResId resId, char* pszBuf)
        : TDialog(pParent, resId), m_pszBuf(pszBuf)
    {
        m_pEdit = new TEdit(this, IDC_TEST_EDIT, 31);
    }

    void TransferData(TTransferDirection direction) override
    {
        if (direction == tdSetData)
        {
            m_pEdit->SetText(m_pszBuf);
            g_log.push_back("set");
        }
        else
        {
            m_pEdit->GetText(m_pszBuf, 31);
            g_log.push_back("get");
        }
    }

    bool CanClose() override
    {
        g_log.push_back("CanClose");
        return ++m_nCloseAsked > m_nRefusals;
    }

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == IDC_TEST_EDIT && notifyCode == EN_CHANGE)
            ++m_nChanges;
        return TDialog::EvCommand(id, hWndCtl, notifyCode);
    }

    TEdit* m_pEdit;
    char* m_pszBuf;
    int m_nRefusals = 0;
    int m_nCloseAsked = 0;
    int m_nChanges = 0;
};

// Script of the modal hook: what the test does once a modal dialog is up.
struct Script
{
    const char* pszType = nullptr;  // text for the edit, or none
    int nOkPresses = 1;
    bool bCancel = false;
    bool bClose = false;
    std::string caption;
    UINT nLimit = 0;
};
Script g_script;

void RunScript(TWindow* pWnd)
{
    char szCaption[64];
    GetWindowTextA(pWnd->HWindow, szCaption, sizeof(szCaption));
    g_script.caption = szCaption;
    HWND hEdit = GetDlgItem(pWnd->HWindow, IDC_TEST_EDIT);
    if (hEdit)
        g_script.nLimit = static_cast<UINT>(SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0));
    if (g_script.pszType && hEdit)
        SetWindowTextA(hEdit, g_script.pszType);
    if (g_script.bClose)
    {
        PostMessageA(pWnd->HWindow, WM_CLOSE, 0, 0);
        return;
    }
    if (g_script.bCancel)
    {
        PostMessageA(pWnd->HWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(pWnd->HWindow, IDCANCEL)));
        return;
    }
    for (int i = 0; i < g_script.nOkPresses; ++i)
        PostMessageA(pWnd->HWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(pWnd->HWindow, IDOK)));
}

class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        g_script = Script();
    }
    void TearDown() override
    {
        TDialog::SetDialogLibrary(nullptr);
    }
    ModalHook m_hook{ RunScript };
};

} // namespace

TEST_F(DialogTest, MemoryTemplateRunsModallyAndOkReadsTheControls)
{
    MemoryTemplate tmpl("In memory", IDC_TEST_EDIT);
    char szName[32] = "old";
    NameDialog dlg(nullptr, tmpl.Get(), szName);
    g_script.pszType = "new name";
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_STREQ("new name", szName);
    EXPECT_EQ("In memory", g_script.caption);
    EXPECT_EQ(30u, g_script.nLimit);      // 31 with the NUL
    EXPECT_EQ((std::vector<std::string>{ "set", "CanClose", "get" }), g_log);
    EXPECT_FALSE(dlg.IsWindow());
    EXPECT_GT(dlg.m_nChanges, 0);         // the edit's notification reached the dialog
}

TEST_F(DialogTest, EndingMessagesGiveTheirCodes)
{
    // (script, end code, buffer after, log)
    struct Case
    {
        const char* pszName;
        bool bCancel;
        bool bClose;
        int nRefusals;
        int nOkPresses;
        int nEnd;
        const char* pszAfter;
        std::vector<std::string> log;
    } cases[] = {
        { "cancel", true, false, 0, 0, IDCANCEL, "old", { "set" } },
        { "close box", false, true, 0, 0, IDCANCEL, "old", { "set" } },
        { "refused once", false, false, 1, 2, IDOK, "typed", { "set", "CanClose", "CanClose", "get" } },
    };
    MemoryTemplate tmpl("Ending", IDC_TEST_EDIT);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        g_log.clear();
        g_script = Script();
        g_script.pszType = "typed";
        g_script.bCancel = c.bCancel;
        g_script.bClose = c.bClose;
        g_script.nOkPresses = c.nOkPresses;
        char szName[32] = "old";
        NameDialog dlg(nullptr, tmpl.Get(), szName);
        dlg.m_nRefusals = c.nRefusals;
        EXPECT_EQ(c.nEnd, dlg.Execute());
        EXPECT_STREQ(c.pszAfter, szName);
        EXPECT_EQ(c.log, g_log);
    }
}

TEST_F(DialogTest, TemplatesComeFromTheProgramThenTheDialogLibrary)
{
    HMODULE hLib = LoadLibraryA("owltestdlg.dll");
    ASSERT_NE(nullptr, hLib);
    // (template, library set, where found: 0 nowhere 1 program 2 library, end code, caption)
    struct Case
    {
        const char* pszTemplate;
        bool bLibrary;
        int nWhere;
        int nEnd;
        const char* pszCaption;
    } cases[] = {
        { "TESTDLG", false, 1, IDOK, "From program" },
        { "DLLONLYDLG", false, 0, -1, "" },
        { "DLLONLYDLG", true, 2, IDOK, "From library" },
        { "BOTHDLG", true, 1, IDOK, "Program copy" },
        { "NOSUCHDLG", true, 0, -1, "" },
    };
    HINSTANCE where[] = { nullptr, GetModuleHandleA(nullptr), hLib };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszTemplate << " " << c.bLibrary);
        TDialog::SetDialogLibrary(c.bLibrary ? hLib : nullptr);
        g_script = Script();
        TDialog dlg(nullptr, c.pszTemplate);
        EXPECT_EQ(where[c.nWhere], dlg.FindTemplateModule());
        EXPECT_EQ(c.nEnd, dlg.Execute());
        EXPECT_EQ(c.pszCaption, g_script.caption);
    }
    TDialog::SetDialogLibrary(nullptr);
    FreeLibrary(hLib);
}

TEST_F(DialogTest, ACaptionGivenToTheObjectReplacesTheTemplates)
{
    char szName[32] = "";
    NameDialog dlg(nullptr, TResId("TESTDLG"), szName);
    dlg.SetCaption("Add Menu Block");
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ("Add Menu Block", g_script.caption);
    TDialog plain(nullptr, "TESTDLG");
    EXPECT_EQ(IDOK, plain.Execute());
    EXPECT_EQ("From program", g_script.caption);
}

TEST_F(DialogTest, ResourceTemplateAttachesTheEditById)
{
    char szName[32] = "start";
    NameDialog dlg(nullptr, TResId("TESTDLG"), szName);
    g_script.pszType = "0123456789012345678901234567890123456789";
    EXPECT_EQ(IDOK, dlg.Execute());
    // SetWindowText is not bound by the limit; the transfer reads 30.
    EXPECT_EQ(30u, strlen(szName));
    EXPECT_EQ(30u, g_script.nLimit);
}

TEST_F(DialogTest, ModelessDialogIsMadeAgainAfterClosing)
{
    MemoryTemplate tmpl("Modeless", IDC_TEST_EDIT);
    char szName[32] = "x";
    NameDialog dlg(nullptr, tmpl.Get(), szName);
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        ASSERT_TRUE(dlg.Create());
        EXPECT_TRUE(dlg.IsWindow());
        EXPECT_FALSE(dlg.IsModal());
        SetWindowTextA(dlg.GetDlgItem(IDC_TEST_EDIT), round ? "second" : "first");
        SendMessageA(dlg.HWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Pump();
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_EQ(nullptr, dlg.HWindow);
        EXPECT_STREQ(round ? "second" : "first", szName);
    }
}

TEST_F(DialogTest, ExceptionInADialogHandlerIsCaught)
{
    struct Throwing : public TDialog
    {
        using TDialog::TDialog;
        LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
        {
            if (id == 300)
                throw PXException(1553, "DialogTest.cpp", __LINE__);
            return TDialog::EvCommand(id, hWndCtl, notifyCode);
        }
    };
    ExceptionRecorder rec;
    MemoryTemplate tmpl("Throwing", IDC_TEST_EDIT);
    Throwing dlg(nullptr, tmpl.Get());
    ASSERT_TRUE(dlg.Create());
    SendMessageA(dlg.HWindow, WM_COMMAND, 300, 0);
    ASSERT_EQ(1u, rec.caught.size());
    EXPECT_EQ(1553, rec.caught[0].nDescr);
    EXPECT_TRUE(dlg.IsWindow());
    dlg.Destroy();
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(DialogTest, ADialogWhoseSetUpFailsEndsInsteadOfShowingHalfMade)
{

    struct FailingSetup : public TDialog
    {
        using TDialog::TDialog;
        void SetupWindow() override
        {
            // Stands in for the user pressing OK on whatever got shown.
            ::PostMessageA(HWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            throw PXException(1553, "DialogTest.cpp", __LINE__);
        }
    };
    ExceptionRecorder rec;
    MemoryTemplate tmpl("Failing", IDC_TEST_EDIT);
    {
        FailingSetup dlg(nullptr, tmpl.Get());
        EXPECT_EQ(-1, dlg.Execute());
        EXPECT_FALSE(dlg.IsWindow());
    }
    {
        FailingSetup dlg(nullptr, tmpl.Get());
        EXPECT_FALSE(dlg.Create());
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_EQ(nullptr, dlg.HWindow);
    }
    Pump();
    ASSERT_EQ(2u, rec.caught.size());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), rec.caught[0].msg);
    EXPECT_EQ(1553, rec.caught[0].nDescr);
}
