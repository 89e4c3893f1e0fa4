// Soft dialogs under a real dialog manager: the ready cycle with its
// transfers and reactions, user changes written into the record, OK and
// Cancel, a second activation, the controls and groups, and the checks of
// definitions that the template contradicts. The dialogs run modally; the
// modal hook drives them with the messages a user's actions produce.
#include "PXTestSupport.h"
#include "PXDialogDriver.h"
#include "PXSoftDlg.h"
#include "PXSoftCtrl.h"
#include "PXSoftGrp.h"
#include "PXSoftRec.h"
#include "PXSoftRecMem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSRecDf.h"
#include "PXWinApp.h"
#include "PXUserApp.h"
#include "SoftDlgTestRes.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// ---- driving a modal dialog ------------------------------------------------

std::function<void(PXDialog*)> g_drive;
std::vector<UINT> g_exceptions;     // messages whose handling raised

void DriveDialog(TWindow* pWnd)
{
    PXDialog* pDialog = dynamic_cast<PXDialog*>(pWnd);
    ASSERT_NE(nullptr, pDialog);
    HWND hDlg = pDialog->HWindow;
    if (g_drive)
        g_drive(pDialog);
    // A drive that did not end the dialog (an OK that was refused) must
    // not leave the test waiting: Cancel follows, and is lost when the
    // dialog has ended.
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void RecordException(TWindow*, UINT msg)
{
    g_exceptions.push_back(msg);
}

struct HelpAsked
{
    std::string file;
    UINT uCommand;
    ULONG_PTR dwData;
};
std::vector<HelpAsked> g_helps;

BOOL WINAPI RecordHelp(HWND, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    g_helps.push_back({ pszFile ? pszFile : "", uCommand, dwData });
    return TRUE;
}

std::string String(UINT nId)
{
    CString s;
    s.LoadString(nId);
    return static_cast<const char*>(s);
}

void PageNotify(PXDialog* pDialog, int nCode)
{
    NMHDR hdr = { pDialog->HWindow, 0, static_cast<UINT>(nCode) };
    pDialog->OnMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
}

// ---- the record and the application lists ----------------------------------

const char* CurrentProgram()
{
    return "C:\\apps\\DialogApp.pxp";
}

template <class T> T& Stored(PXSoftRec* pRec, WORD wFieldId)
{
    return *static_cast<T*>(pRec->GetFieldMem(wFieldId));
}

std::string TextOf(PXSoftRec* pRec, WORD wFieldId)
{
    return static_cast<const char*>(*PXFieldValue(wFieldId, pRec).GetText());
}

short Int16Of(PXSoftRec* pRec, WORD wFieldId)
{
    return *PXFieldValue(wFieldId, pRec).GetInt16();
}

long Int32Of(PXSoftRec* pRec, WORD wFieldId)
{
    return *PXFieldValue(wFieldId, pRec).GetInt32();
}

class SoftDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        InitCommonControlsEx(&icc);
        app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(app.get());
        PXSetWinApp(app.get());
        PXWinApp::SetCurrentProgramSource(CurrentProgram);
        MakeUserApp();
        m_pfnOldHook = TWindow::SetModalHook(DriveDialog);
        m_pfnOldException = TWindow::SetExceptionHandler(RecordException);
        m_pfnOldHelp = PXWinApp::SetHelpCall(RecordHelp);
        g_exceptions.clear();
        g_helps.clear();
        g_drive = nullptr;

        rec.reset(new PXSoftRecMem(TREC_DLG));
        PXFieldValue(DF_PASSWORD, rec.get()).SetText("secret");
        PXFieldValue(DF_CONFIRM, rec.get()).SetText("conf");
        PXFieldValue(DF_EXTENSION, rec.get()).SetText("0");
        PXFieldValue(DF_MODE, rec.get()).SetInt16(1);
        PXFieldValue(DF_DELAY, rec.get()).SetInt32(0);
        PXFieldValue(DF_FUNCTION, rec.get()).SetInt16(1);
        PXFieldValue(DF_VOICE, rec.get()).SetInt32(12);
        ASSERT_EQ(1, rec->Commit());
        PXObArray& options = Stored<PXObArray>(rec.get(), DF_OPTIONS);
        AddOption(options, "Day service");
        AddOption(options, "Night service");
    }
    void TearDown() override
    {
        g_drive = nullptr;
        TWindow::SetModalHook(m_pfnOldHook);
        TWindow::SetExceptionHandler(m_pfnOldException);
        PXWinApp::SetHelpCall(m_pfnOldHelp);
        EXPECT_TRUE(g_exceptions.empty()) << "a window procedure raised";
        rec.reset();
        PXWinApp::SetCurrentProgramSource(nullptr);
        PXSetWinApp(nullptr);
        app.reset();
    }

    static void AddOption(PXObArray& rList, const char* pszName)
    {
        PXSoftRec* pRow = PXSoftRec::Create(TREC_OPTION, FALSE);
        PXFieldValue(DF_OPTNAME, pRow).SetText(pszName);
        EXPECT_EQ(1, pRow->Commit());
        rList.Add(pRow);
    }

    // The active application: three functions, three voice items 11..13.
    void MakeUserApp()
    {
        PXUserApp* pApp = new PXUserApp("C:\\apps\\DialogApp.pxp");
        PXObArray& functions = *static_cast<PXObArray*>(pApp->GetFieldMem(25250));
        PXObArray& voice = *static_cast<PXObArray*>(pApp->GetFieldMem(25251));
        const char* names[] = { "Welcome", "Menu", "Goodbye" };
        for (int i = 0; i < 3; ++i)
        {
            PXSoftRec* pFunction = PXSoftRec::Create(22003, FALSE);
            PXFieldValue(25200, pFunction).SetText(names[i]);
            EXPECT_EQ(1, pFunction->Commit());
            functions.Add(pFunction);
            PXSoftRec* pItem = PXSoftRec::Create(22801, FALSE);
            CString name;
            name.Format("Voice %d", 11 + i);
            PXFieldValue(25300, pItem).SetText(name);
            PXFieldValue(25301, pItem).SetInt16(static_cast<short>(11 + i));
            EXPECT_EQ(1, pItem->Commit());
            voice.Add(pItem);
        }
        app->AddUserApp(pApp);
    }

    int Run(WORD wDlgId, std::function<void(PXDialog*)> drive)
    {
        g_drive = drive;
        int nResult = rec->EditInDialog(wDlgId, 77);
        g_drive = nullptr;
        return nResult;
    }

    std::unique_ptr<PXWinApp> app;
    std::unique_ptr<PXSoftRecMem> rec;
    TWindow::TModalHook m_pfnOldHook;
    TWindow::TExceptionHandler m_pfnOldException;
    PXWinApp::HelpCall m_pfnOldHelp;
};

} // namespace

// ---- the ready cycle -------------------------------------------------------

TEST_F(SoftDlgTest, ReadyShowsEveryFieldAndRunsTheReactionsBeforeTheUserSeesIt)
{
    bool bDriven = false;
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        bDriven = true;
        PXSoftDlg* s = d->GetSoftDlg();
        EXPECT_TRUE(s->IsReady());
        EXPECT_TRUE(s->IsTransferred());
        EXPECT_TRUE(app->HasAttachedView());
        // Edits; the check box is off, so its edits are disabled.
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(d->HWindow, IDC_CHECK), BM_GETCHECK, 0, 0));
        EXPECT_EQ("secret", Text(d->HWindow, IDC_PASSWORD));
        EXPECT_EQ("conf", Text(d->HWindow, IDC_CONFIRM));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_PASSWORD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_CONFIRM)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_TIME)));
        // "0" is shown as an empty edit; the text limit is set.
        EXPECT_EQ("", Text(d->HWindow, IDC_EXTENSION));
        EXPECT_EQ(8, SendMessageA(GetDlgItem(d->HWindow, IDC_PASSWORD), EM_GETLIMITTEXT, 0, 0));
        // An edit without the limit flag has no limit word: its limit stays.
        EXPECT_GT(SendMessageA(GetDlgItem(d->HWindow, IDC_EXTENSION), EM_GETLIMITTEXT, 0, 0), 1000);
        // The radio group checked member 1, and its click reaction ran.
        EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(d->HWindow, IDC_RADIO1), BM_GETCHECK, 0, 0));
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(d->HWindow, IDC_RADIO0), BM_GETCHECK, 0, 0));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_EXTENSION)));
        // 0 is below the range 1..60: shown as 1, and the record says so.
        EXPECT_EQ("1", Text(d->HWindow, IDC_DELAY));
        EXPECT_EQ(1, Int32Of(rec.get(), DF_DELAY));
        // Combo boxes: index mode and key mode.
        EXPECT_EQ(3, SendMessageA(GetDlgItem(d->HWindow, IDC_FUNCTION), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(1, SendMessageA(GetDlgItem(d->HWindow, IDC_FUNCTION), CB_GETCURSEL, 0, 0));
        EXPECT_EQ("Menu", Text(d->HWindow, IDC_FUNCTION));
        EXPECT_EQ(1, SendMessageA(GetDlgItem(d->HWindow, IDC_VOICE), CB_GETCURSEL, 0, 0));
        EXPECT_EQ("Voice 12", Text(d->HWindow, IDC_VOICE));
        // The list view: two columns titled by the field names, two rows.
        HWND hList = GetDlgItem(d->HWindow, IDC_OPTIONS);
        HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(2, SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(2, SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        char sz[64] = "";
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        SendMessageA(hList, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ("Night service", sz);
        item.iSubItem = 1;
        SendMessageA(hList, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ("0", sz);
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT;
        col.pszText = sz;
        col.cchTextMax = sizeof(sz);
        SendMessageA(hList, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
        EXPECT_STREQ("Option flag", sz);
        // The ready section set the caption; the caption's change notification
        // set the label and the caption again, whose second change
        // notification the cycle's guard dropped.
        EXPECT_EQ(String(DS_CAPTION), Text(d->HWindow));
        EXPECT_EQ(String(DS_CAPTIONSET), Text(d->HWindow, IDC_LABEL));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
    EXPECT_TRUE(bDriven);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_FALSE(app->HasAttachedView());
    EXPECT_TRUE(rec->IsModified());
}

TEST_F(SoftDlgTest, CheckBoxClicksWriteTheFieldAndEnableOrDisableItsEdits)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        Click(d->HWindow, IDC_CHECK);
        EXPECT_EQ(1, Int16Of(rec.get(), DF_CHECK));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_PASSWORD)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_CONFIRM)));
        Click(d->HWindow, IDC_CHECK);
        EXPECT_EQ(0, Int16Of(rec.get(), DF_CHECK));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_PASSWORD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_CONFIRM)));
        Click(d->HWindow, IDC_CHECK);
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(1, Stored<short>(rec.get(), DF_CHECK));
}

TEST_F(SoftDlgTest, UserChangesReachTheRecordAndOkCommitsThem)
{
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        Type(d->HWindow, IDC_TIME, "10:30");
        EXPECT_EQ("10:30", TextOf(rec.get(), DF_TIME));
        Type(d->HWindow, IDC_EXTENSION, "42");
        EXPECT_EQ("42", TextOf(rec.get(), DF_EXTENSION));
        // Typing is not clamped to the up-down's range.
        Type(d->HWindow, IDC_DELAY, "75");
        EXPECT_EQ(75, Int32Of(rec.get(), DF_DELAY));
        Choose(d->HWindow, IDC_FUNCTION, 2);
        EXPECT_EQ(2, Int16Of(rec.get(), DF_FUNCTION));
        Choose(d->HWindow, IDC_VOICE, 2);
        EXPECT_EQ(13, Int32Of(rec.get(), DF_VOICE));
        Click(d->HWindow, IDC_RADIO2);
        EXPECT_EQ(2, Int16Of(rec.get(), DF_MODE));
        Click(d->HWindow, IDC_RADIO0);
        EXPECT_EQ(0, Int16Of(rec.get(), DF_MODE));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_EXTENSION)));
        // Storage is untouched until OK.
        EXPECT_EQ(0L, Stored<long>(rec.get(), DF_DELAY));
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(0, rec->GetNbCells());
    EXPECT_EQ(75L, Stored<long>(rec.get(), DF_DELAY));
    EXPECT_EQ(2, Stored<short>(rec.get(), DF_FUNCTION));
    EXPECT_EQ(13L, Stored<long>(rec.get(), DF_VOICE));
    EXPECT_EQ(0, Stored<short>(rec.get(), DF_MODE));
    EXPECT_EQ("42", TextOf(rec.get(), DF_EXTENSION));
    EXPECT_EQ("10:30", TextOf(rec.get(), DF_TIME));
}

TEST_F(SoftDlgTest, CancelAfterSeveralChangesLeavesTheStorageUnchanged)
{
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        Click(d->HWindow, IDC_CHECK);
        Type(d->HWindow, IDC_PASSWORD, "other");
        Choose(d->HWindow, IDC_VOICE, 0);
        Click(d->HWindow, IDC_NIGHT);
        EXPECT_EQ("other", TextOf(rec.get(), DF_PASSWORD));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(0, rec->GetNbCells());
    EXPECT_EQ(0, Stored<short>(rec.get(), DF_CHECK));
    EXPECT_EQ(12L, Stored<long>(rec.get(), DF_VOICE));
    EXPECT_EQ(0, Stored<short>(rec.get(), DF_NIGHT));
    EXPECT_EQ("secret", TextOf(rec.get(), DF_PASSWORD));
    EXPECT_EQ(0, Int16Of(rec.get(), DF_NIGHT));
}

// ---- the busy flag, groups and reactions -----------------------------------

TEST_F(SoftDlgTest, ReactionsDoNotComeBackAsNotificationsAndAGroupDisablesEveryMember)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        Click(d->HWindow, IDC_CHECK);
        Click(d->HWindow, IDC_SETTEXT);
        // The reaction changed the edit's text while the cycle ran: its
        // change notification was refused, so the record still holds the
        // old value.
        EXPECT_EQ(String(DS_BYREACTION), Text(d->HWindow, IDC_CONFIRM));
        EXPECT_EQ("conf", TextOf(rec.get(), DF_CONFIRM));
        EXPECT_FALSE(d->IsBusy());
        // The plain group disabled every member, data-linked ones too;
        // their values stay in the record.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_PASSWORD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_CONFIRM)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_TIME)));
        EXPECT_EQ("secret", TextOf(rec.get(), DF_PASSWORD));
        // A later change of the user's is written as usual.
        Type(d->HWindow, IDC_CONFIRM, "typed");
        EXPECT_EQ("typed", TextOf(rec.get(), DF_CONFIRM));
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ("typed", TextOf(rec.get(), DF_CONFIRM));
}

TEST_F(SoftDlgTest, AGroupAcceptsKindTenFromAMemberAndLeavesOtherKindsToTheMember)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        PXSoftDlg* s = d->GetSoftDlg();
        PXSoftCtrl* pGroup = s->GetGroupCtrl(IDC_TIME);
        ASSERT_NE(nullptr, pGroup);
        EXPECT_EQ(IDC_EDITGROUP, pGroup->GetCtrlID());
        EXPECT_EQ(1, pGroup->AcceptMessage(IDC_TIME, 10, nullptr));
        EXPECT_EQ(2, pGroup->AcceptMessage(IDC_TIME, EN_CHANGE, nullptr));
        // Kind 11: the group has no opinion and the edit refuses it.
        Command(d->HWindow, IDC_TIME, 11);
        EXPECT_EQ(String(DS_CAPTIONSET), Text(d->HWindow, IDC_LABEL));
        // Kind 10: the group accepts although the edit would not.
        Command(d->HWindow, IDC_TIME, 10);
        EXPECT_EQ(String(DS_KINDTEN), Text(d->HWindow, IDC_LABEL));
        EXPECT_EQ(0, s->FindSoftCtrl(IDC_TIME)->AcceptMessage(IDC_TIME, 10, nullptr));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

TEST_F(SoftDlgTest, AReactionOnAnIdWithoutControlOrWindowIsSkipped)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        PXSoftDlg* s = d->GetSoftDlg();
        EXPECT_EQ(nullptr, s->GetSoftCtrl(999));
        EXPECT_EQ(nullptr, s->GetSoftCtrl(0));
        Click(d->HWindow, IDC_OTHER);
        // The section went on after the reaction it could not carry out.
        EXPECT_EQ(String(DS_CLICKED), Text(d->HWindow, IDC_LABEL));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

TEST_F(SoftDlgTest, ARadioValueOutsideTheMembersLeavesTheDialogUsable)
{
    for (short sMode : { short(3), short(7), short(-1) })
    {
        SCOPED_TRACE(sMode);
        PXFieldValue(DF_MODE, rec.get()).SetInt16(sMode);
        ASSERT_EQ(1, rec->Commit());
        int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
            for (int id : { IDC_RADIO0, IDC_RADIO1, IDC_RADIO2 })
                EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(d->HWindow, id), BM_GETCHECK, 0, 0));
            EXPECT_EQ(sMode, Int16Of(rec.get(), DF_MODE));
            Click(d->HWindow, IDC_RADIO1);
            EXPECT_EQ(1, Int16Of(rec.get(), DF_MODE));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d->HWindow, IDC_EXTENSION)));
            Command(d->HWindow, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(1, Stored<short>(rec.get(), DF_MODE));
    }
}

// ---- OK that fails ---------------------------------------------------------

TEST_F(SoftDlgTest, OkWithAnInvalidEditStaysOpenKeepsTheCellsAndDetachesTheView)
{
    MessageBoxRecorder boxes;
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        // A time the field cannot take is stored as the empty text while
        // typing, without a message.
        Type(d->HWindow, IDC_TIME, "99:99");
        EXPECT_EQ("", TextOf(rec.get(), DF_TIME));
        EXPECT_TRUE(boxes.boxes.empty());
        Type(d->HWindow, IDC_PASSWORD, "kept");
        EXPECT_TRUE(app->HasAttachedView());
        Command(d->HWindow, IDOK, BN_CLICKED);
        EXPECT_TRUE(IsWindow(d->HWindow));
        EXPECT_EQ(1u, boxes.boxes.size());
        EXPECT_FALSE(app->HasAttachedView());
        EXPECT_NE(nullptr, rec->FindCell(DF_PASSWORD));
        EXPECT_EQ("kept", TextOf(rec.get(), DF_PASSWORD));
        EXPECT_EQ("99:99", Text(d->HWindow, IDC_TIME));
        // A delay the record's verification refuses: the record's message,
        // and the dialog stays open again.
        Type(d->HWindow, IDC_TIME, "10:30");
        Type(d->HWindow, IDC_DELAY, "150");
        Command(d->HWindow, IDOK, BN_CLICKED);
        EXPECT_TRUE(IsWindow(d->HWindow));
        EXPECT_EQ(2u, boxes.boxes.size());
        EXPECT_EQ(150, Int32Of(rec.get(), DF_DELAY));
        Type(d->HWindow, IDC_DELAY, "50");
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("kept", TextOf(rec.get(), DF_PASSWORD));
    EXPECT_EQ(50L, Stored<long>(rec.get(), DF_DELAY));
}

// ---- a second activation ---------------------------------------------------

TEST_F(SoftDlgTest, ASecondActivationShowsTheRecordAgainWithoutFillingTwice)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        // The set-active that follows the initialisation produces nothing.
        SetWindowTextA(d->HWindow, "untouched");
        PageNotify(d, PSN_SETACTIVE);
        EXPECT_EQ("untouched", Text(d->HWindow));

        Type(d->HWindow, IDC_DELAY, "75");
        Type(d->HWindow, IDC_PASSWORD, "again");
        EXPECT_EQ(75, Int32Of(rec.get(), DF_DELAY));
        // What another page would have entered meanwhile.
        PXFieldValue(DF_CONFIRM, rec.get()).SetText("from the record");
        PageNotify(d, PSN_KILLACTIVE);
        EXPECT_FALSE(d->IsActive());
        PageNotify(d, PSN_SETACTIVE);
        EXPECT_TRUE(d->IsActive());
        // A second ready: shown again from the record, range enforced now.
        EXPECT_EQ(String(DS_CAPTION), Text(d->HWindow));
        EXPECT_EQ("again", Text(d->HWindow, IDC_PASSWORD));
        EXPECT_EQ("from the record", Text(d->HWindow, IDC_CONFIRM));
        EXPECT_EQ("60", Text(d->HWindow, IDC_DELAY));
        EXPECT_EQ(60, Int32Of(rec.get(), DF_DELAY));
        EXPECT_EQ(3, SendMessageA(GetDlgItem(d->HWindow, IDC_FUNCTION), CB_GETCOUNT, 0, 0));
        HWND hHeader = reinterpret_cast<HWND>(SendMessageA(GetDlgItem(d->HWindow, IDC_OPTIONS), LVM_GETHEADER, 0, 0));
        EXPECT_EQ(2, SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(2, SendMessageA(GetDlgItem(d->HWindow, IDC_OPTIONS), LVM_GETITEMCOUNT, 0, 0));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

// ---- application notification, help ---------------------------------------

TEST_F(SoftDlgTest, TheApplicationMessageIsIgnoredWithoutAnAttachedView)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        PXSoftDlg* s = d->GetSoftDlg();
        app->DetachView(d);
        SendMessageA(d->HWindow, PXWM_APPNOTIFY, 0, 5);
        EXPECT_EQ(nullptr, s->FindSoftCtrl(PXAPPNOTIFY_CTRLID));
        app->AttachView(d);
        SendMessageA(d->HWindow, PXWM_APPNOTIFY, 0, 5);
        EXPECT_NE(nullptr, s->FindSoftCtrl(PXAPPNOTIFY_CTRLID));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

TEST_F(SoftDlgTest, HelpOpensTheTopicOfTheHelpId)
{
    Run(0, [&](PXDialog* d) {
        EXPECT_EQ(77u, d->GetSoftDlg()->GetHelpId());
        Click(d->HWindow, IDHELP);
        PageNotify(d, PSN_HELP);
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
    ASSERT_EQ(2u, g_helps.size());
    for (const HelpAsked& h : g_helps)
    {
        EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), h.uCommand);
        EXPECT_EQ(77u, h.dwData);
        EXPECT_NE(std::string::npos, h.file.find("plexstudio.hlp>proc4"));
    }
    g_helps.clear();
    app->ShowHelp(0);
    ASSERT_EQ(1u, g_helps.size());
    EXPECT_EQ(static_cast<UINT>(HELP_CONTENTS), g_helps[0].uCommand);
    EXPECT_EQ(0u, g_helps[0].dwData);
}

// ---- check box with parameters, combo box modes, reading back --------------

TEST_F(SoftDlgTest, ACheckBoxWithParametersAlsoWritesTheRecordOfTheList)
{
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        Click(d->HWindow, IDC_NIGHT);
        EXPECT_EQ(1, Int16Of(rec.get(), DF_NIGHT));
        PXRecArray* pOptions = PXFieldValue(DF_OPTIONS, rec.get()).GetRecArray();
        ASSERT_EQ(2, pOptions->GetSize());
        EXPECT_EQ(0, Int16Of(pOptions->GetAt(0), DF_OPTFLAG));
        EXPECT_EQ(1, Int16Of(pOptions->GetAt(1), DF_OPTFLAG));
        // Stored lists stay as they were until OK.
        PXObArray& stored = Stored<PXObArray>(rec.get(), DF_OPTIONS);
        EXPECT_EQ(0, *PXFieldValue(DF_OPTFLAG, static_cast<PXSoftRec*>(stored.GetAt(1))).GetInt16());
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(1, Stored<short>(rec.get(), DF_NIGHT));
    PXObArray& stored = Stored<PXObArray>(rec.get(), DF_OPTIONS);
    EXPECT_EQ(1, *PXFieldValue(DF_OPTFLAG, static_cast<PXSoftRec*>(stored.GetAt(1))).GetInt16());
}

TEST_F(SoftDlgTest, ComboBoxesWhoseFieldMatchesNoEntry)
{
    struct Case
    {
        WORD wDlg;
        WORD wCtrl;
        WORD wField;
        long lValue;        // the field's value
        int nShown;         // the selection shown
        long lReadBack;     // what reading the box back stores
    };
    const Case cases[] = {
        { TDEF_FULL, IDC_VOICE, DF_VOICE, 99, -1, -1 },         // key mode: no selection
        { TDEF_PLAIN, IDC_FUNCTION, DF_VOICE, 99, 0, 11 },      // key mode, 0x0008: the first
        { TDEF_PLAIN, IDC_FUNCTION, DF_VOICE, 13, 2, 13 },      // key mode, a match
        { TDEF_FULL, IDC_FUNCTION, DF_FUNCTION, -1, -1, -1 },   // index mode, negative
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lValue);
        if (c.wField == DF_VOICE)
            PXFieldValue(c.wField, rec.get()).SetInt32(c.lValue);
        else
            PXFieldValue(c.wField, rec.get()).SetInt16(static_cast<short>(c.lValue));
        ASSERT_EQ(1, rec->Commit());
        Run(c.wDlg, [&](PXDialog* d) {
            EXPECT_EQ(c.nShown, SendMessageA(GetDlgItem(d->HWindow, c.wCtrl), CB_GETCURSEL, 0, 0));
            d->GetSoftDlg()->GetSoftCtrl(c.wCtrl)->Transfer(PXSoftIntrfc::CtrlToField);
            EXPECT_EQ(c.lReadBack, Int32Of(rec.get(), c.wField));
            Command(d->HWindow, IDCANCEL, BN_CLICKED);
        });
    }
}

TEST_F(SoftDlgTest, AnEditShowingZeroAsEmptyReadsBackTheEmptyText)
{
    Run(TDEF_FULL, [&](PXDialog* d) {
        EXPECT_EQ("", Text(d->HWindow, IDC_EXTENSION));
        EXPECT_EQ("0", TextOf(rec.get(), DF_EXTENSION));
        d->GetSoftDlg()->GetSoftCtrl(IDC_EXTENSION)->Transfer(PXSoftIntrfc::CtrlToField);
        EXPECT_EQ("", TextOf(rec.get(), DF_EXTENSION));
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ("", TextOf(rec.get(), DF_EXTENSION));
}

TEST_F(SoftDlgTest, AListViewOverAnEmptyListShowsOnlyItsColumns)
{
    PXObArray& options = Stored<PXObArray>(rec.get(), DF_OPTIONS);
    for (int i = options.GetSize() - 1; i >= 0; --i)
    {
        delete options.GetAt(i);
        options.RemoveAt(i);
    }
    Run(TDEF_FULL, [&](PXDialog* d) {
        HWND hList = GetDlgItem(d->HWindow, IDC_OPTIONS);
        HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(2, SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(0, SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(0, d->GetSoftDlg()->GetSoftCtrl(IDC_OPTIONS)->AcceptMessage(IDC_OPTIONS, WM_NOTIFY, nullptr));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

TEST_F(SoftDlgTest, TheUpDownRangeBringsEveryValueIntoItWhenShown)
{
    struct Case
    {
        long lStored;
        const char* pszShown;
        long lField;
    };
    const Case cases[] = {
        { 0, "1", 1 }, { 30, "30", 30 }, { 75, "60", 60 },
        { -5, "1", 1 },             // negative: below the range, not far above it
        { 65537, "60", 60 },        // past 16 bits: above the range
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lStored);
        // Stored directly: the record's own checks would refuse some.
        Stored<long>(rec.get(), DF_DELAY) = c.lStored;
        Run(TDEF_FULL, [&](PXDialog* d) {
            EXPECT_EQ(c.pszShown, Text(d->HWindow, IDC_DELAY));
            EXPECT_EQ(c.lField, Int32Of(rec.get(), DF_DELAY));
            Command(d->HWindow, IDCANCEL, BN_CLICKED);
        });
    }
}

TEST_F(SoftDlgTest, WithoutAnActiveApplicationTheComboBoxesAreEmpty)
{
    PXWinApp::SetCurrentProgramSource(nullptr);
    int nResult = Run(TDEF_FULL, [&](PXDialog* d) {
        EXPECT_EQ(0, SendMessageA(GetDlgItem(d->HWindow, IDC_FUNCTION), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(0, SendMessageA(GetDlgItem(d->HWindow, IDC_VOICE), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(-1, SendMessageA(GetDlgItem(d->HWindow, IDC_VOICE), CB_GETCURSEL, 0, 0));
        d->GetSoftDlg()->GetSoftCtrl(IDC_VOICE)->Transfer(PXSoftIntrfc::CtrlToField);
        EXPECT_EQ(-1, Int32Of(rec.get(), DF_VOICE));
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(-1L, Stored<long>(rec.get(), DF_VOICE));
}

TEST_F(SoftDlgTest, AKeyComboBoxWhoseListShrankStoresNoKey)
{
    PXUserApp* pUserApp = app->FindUserAppByName("DialogApp");
    ASSERT_NE(nullptr, pUserApp);
    Run(TDEF_FULL, [&](PXDialog* d) {
        Choose(d->HWindow, IDC_VOICE, 2);
        EXPECT_EQ(13, Int32Of(rec.get(), DF_VOICE));
        // The item goes while the box still shows it.
        PXFieldValue(25251, pUserApp).GetRecArray()->RemoveAt(2);
        d->GetSoftDlg()->GetSoftCtrl(IDC_VOICE)->Transfer(PXSoftIntrfc::CtrlToField);
        EXPECT_EQ(-1, Int32Of(rec.get(), DF_VOICE));
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

// ---- a definition without Notification sections ----------------------------

TEST_F(SoftDlgTest, ADefinitionWithoutNotificationSectionsShowsAndCommits)
{
    int nResult = Run(TDEF_PLAIN, [&](PXDialog* d) {
        EXPECT_EQ("secret", Text(d->HWindow, IDC_PASSWORD));
        EXPECT_EQ("Small", Text(d->HWindow));
        Type(d->HWindow, IDC_PASSWORD, "plain");
        Click(d->HWindow, IDC_CHECK);
        Command(d->HWindow, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ("plain", TextOf(rec.get(), DF_PASSWORD));
    EXPECT_EQ(1, Stored<short>(rec.get(), DF_CHECK));
}

// ---- the runtime's own parts -----------------------------------------------

// A click is a check box's only when the button's type is the automatic
// check box: group boxes and owner-drawn buttons share its bits.
TEST_F(SoftDlgTest, AClickIsACheckBoxsOnlyForAutomaticCheckBoxes)
{
    struct Row { DWORD dwType; BOOL bCheck; WORD wCode; const char* pszName; };
    const Row rows[] = {
        { BS_AUTOCHECKBOX, FALSE, PXN_UNCHECKED, "automatic check box" },
        { BS_AUTOCHECKBOX, TRUE, PXN_CHECKED, "automatic check box, checked" },
        { BS_PUSHBUTTON, FALSE, PXN_CLICKED, "push button" },
        { BS_GROUPBOX, FALSE, PXN_CLICKED, "group box" },
        { BS_OWNERDRAW, FALSE, PXN_CLICKED, "owner-drawn button" },
        { BS_AUTORADIOBUTTON, FALSE, PXN_CLICKED, "radio button" },
        { BS_CHECKBOX, FALSE, PXN_CLICKED, "check box the program checks" },
    };
    const int IDC_PROBE = 4711;
    Run(TDEF_PLAIN, [&](PXDialog* d) {
        PXNotifier notifier(d->GetSoftDlg());
        for (const Row& r : rows)
        {
            HWND hButton = CreateWindowA("BUTTON", "", WS_CHILD | r.dwType, 0, 0, 20, 20, d->HWindow,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROBE)),
                                         GetModuleHandleA(nullptr), nullptr);
            ASSERT_NE(nullptr, hButton) << r.pszName;
            SendMessageA(hButton, BM_SETCHECK, r.bCheck ? BST_CHECKED : BST_UNCHECKED, 0);
            PXNotification n;
            n.SetCtrlID(IDC_PROBE);
            notifier.Translate(BN_CLICKED, n, nullptr);
            EXPECT_EQ(r.wCode, n.GetCode()) << r.pszName;
            DestroyWindow(hButton);
        }
        // Three-state check boxes are not for soft dialogs.
        HWND hThree = CreateWindowA("BUTTON", "", WS_CHILD | BS_AUTO3STATE, 0, 0, 20, 20, d->HWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROBE)),
                                    GetModuleHandleA(nullptr), nullptr);
        PXNotification n;
        n.SetCtrlID(IDC_PROBE);
        EXPECT_PXASSERT(notifier.Translate(BN_CLICKED, n, nullptr), "(dwType!=BS_AUTO3STATE)");
        DestroyWindow(hThree);
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
}

TEST_F(SoftDlgTest, TheSameNotificationIsPostedOnlyOncePerCycle)
{
    PXSoftDlg s(TDEF_PLAIN, rec.get(), 77);
    EXPECT_EQ(TDLG_SMALL, s.GetTemplateId());
    EXPECT_EQ(TDEF_PLAIN, s.GetDefId());
    EXPECT_TRUE(s.PostNotification(IDC_CHECK, PXN_CHECKED));
    EXPECT_FALSE(s.PostNotification(IDC_CHECK, PXN_CHECKED));
    EXPECT_TRUE(s.PostNotification(IDC_CHECK, PXN_UNCHECKED));
    int nData = 0;
    EXPECT_TRUE(s.PostNotification(IDC_CHECK, PXN_CHECKED, &nData));
    // Not ready: the cycle drops them all; the next cycle starts afresh.
    s.ProcessQueue();
    EXPECT_FALSE(s.IsReady());
    EXPECT_TRUE(s.PostNotification(IDC_CHECK, PXN_CHECKED));
    s.ProcessQueue();
}

// ---- a control whose set-up posts ------------------------------------------

namespace {

// What became of the notification the control below posts.
std::vector<std::string> g_events;
std::vector<const void*> g_live;

// A notification that tells when it goes. Its memory is kept (and freed by
// the test) so that a use after deletion is seen rather than undefined.
class TrackedNotification : public PXNotification
{
public:
    TrackedNotification(WORD wCtrlId, WORD wCode) : PXNotification(wCtrlId, wCode, nullptr)
    {
        g_live.push_back(this);
    }
    ~TrackedNotification() override
    {
        g_events.push_back("deleted");
        for (size_t i = 0; i < g_live.size(); ++i)
            if (g_live[i] == this)
                g_live.erase(g_live.begin() + static_cast<long>(i));
    }
    static void* operator new(size_t n) { return ::operator new(n); }
    static void operator delete(void* p) { s_kept.push_back(p); }
    static std::vector<void*> s_kept;
};
std::vector<void*> TrackedNotification::s_kept;

bool IsLive(const void* p)
{
    for (const void* q : g_live)
        if (q == p)
            return true;
    return false;
}

class PostingCtrl : public PXSoftCtrl
{
public:
    PostingCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftCtrl(wCtrlId, pSoftDlg, pStatement) {}
    void SetUp() override
    {
        g_events.push_back("posted");
        m_pSoftDlg->PostNotification(new TrackedNotification(m_wCtrlId, PXN_CLICKED));
    }
    void PreNotify(PXNotification* pN) override
    {
        if (pN->GetCtrlID() == m_wCtrlId)
            g_events.push_back(IsLive(pN) ? "processed" : "processed after deletion");
    }
};

PXSoftCtrl* MakePostingCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
{
    if (wCtrlId != IDC_SETTEXT)
        return nullptr;
    return new PostingCtrl(wCtrlId, pSoftDlg, pStatement);
}

} // namespace

// A notification that a control's set-up posts while the definition has no
// data links (no transfer drains the queue) is still queued when the ready
// cycle lets go of the transfers' notifications: it is processed in the
// same cycle and deleted once, after that.
TEST_F(SoftDlgTest, ANotificationPostedBySetUpWithoutDataLinksIsProcessedBeforeItIsDeleted)
{
    g_events.clear();
    g_live.clear();
    PXSoftDlg::TCtrlFactory pfnOld = PXSoftDlg::SetCtrlFactory(MakePostingCtrl);
    std::string caption;
    int nResult = Run(TDEF_SETUPPOSTS, [&](PXDialog* d) {
        caption = Text(d->HWindow);
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
    PXSoftDlg::SetCtrlFactory(pfnOld);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ((std::vector<std::string>{ "posted", "processed", "deleted" }), g_events);
    EXPECT_EQ(String(DS_CLICKED), caption);
    EXPECT_TRUE(g_live.empty());
    // Freed here only when nothing else freed it (a second deletion goes
    // through the global operator).
    if (g_events.size() == 3 && g_events[2] == "deleted")
        for (void* p : TrackedNotification::s_kept)
            ::operator delete(p);
    TrackedNotification::s_kept.clear();
}

TEST_F(SoftDlgTest, NotificationsCompareAllThreeMembers)
{
    int a = 0;
    PXNotification n1(5, PXN_CLICKED, &a);
    PXNotification n2(5, PXN_CLICKED, &a);
    PXNotification n3(5, PXN_CLICKED, nullptr);
    PXNotification n4(6, PXN_CLICKED, &a);
    EXPECT_TRUE(n1 == n2);
    EXPECT_TRUE(n1 != n3);
    EXPECT_TRUE(n1 != n4);
    EXPECT_PXASSERT(PXNotification(5, 0x3FF, nullptr), "wCode");
    EXPECT_PXASSERT(PXNotification(5, 0x40F, nullptr), "wCode");
    PXNotification n5;
    n5.SetCtrlID(7);
    n5.SetCode(0x1234);
    EXPECT_EQ(7, n5.GetCtrlID());
    EXPECT_EQ(0x1234, n5.GetCode());
}

TEST_F(SoftDlgTest, MisuseOfTheRuntimeFailsItsChecks)
{
    PXSoftDlg s(TDEF_PLAIN, rec.get(), 77);
    EXPECT_PXASSERT(s.Execute(2), "nMode==1");
    EXPECT_PXASSERT(s.TransferToControls(PXSoftIntrfc::CtrlToField), "FieldToCtrl");
    EXPECT_PXASSERT(s.GetDlgHWND(), "m_pDialog!=0");
    EXPECT_PXASSERT(rec->EditInDialog(TDEF_PLAIN, 0), "nHelpID!=0");
    EXPECT_EQ(DF_PASSWORD, s.GetDataLinkField(IDC_PASSWORD));
    EXPECT_EQ(0, s.GetDataLinkField(IDC_SETTEXT));
    EXPECT_EQ(nullptr, s.GetDataLink(IDC_SETTEXT));
    EXPECT_EQ(nullptr, s.GetGroupCtrl(IDC_PASSWORD));
}

TEST_F(SoftDlgTest, ControlsThatTheTemplateContradictsFailTheirChecks)
{
    int nResult = Run(TDEF_BROKEN, [&](PXDialog* d) {
        PXSoftDlg* s = d->GetSoftDlg();
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_SETTEXT)->SetUp(), "BS_ICON");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_SETTEXT)->Transfer(PXSoftIntrfc::FieldToCtrl), "0");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_PASSWORD)->SetUp(), "CBS_DROPDOWNLIST");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_BADUPDOWN)->SetUp(), "lMin<=lMax");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_BADUPDOWN)->GetHWND(), "PXTOK_GROUPCTRL");
        // An item picker whose style names neither voice nor fax items.
        ASSERT_NE(nullptr, s->GetSoftCtrl(IDC_PICKER));
        EXPECT_PXASSERT(s->GetSoftCtrl(IDC_PICKER)->SetUp(), "StyleFax");
        EXPECT_PXASSERT(s->EndDialog(5), "0");
        EXPECT_PXASSERT(s->GetCtrlHWND(999), "IsWindow");
        Command(d->HWindow, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    // The ready cycle met the bitmap button first: its failure was raised
    // inside WM_INITDIALOG and caught at the window's edge.
    ASSERT_EQ(1u, g_exceptions.size());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), g_exceptions[0]);
    g_exceptions.clear();
}

TEST(SoftCtrl, ClassNamesCompareWholeAndWithoutRegardToCase)
{
    HWND hEdit = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(0, PXSoftCtrl::CompareClassName(hEdit, "edit"));
    EXPECT_NE(0, PXSoftCtrl::CompareClassName(hEdit, "button"));
    EXPECT_NE(0, PXSoftCtrl::CompareClassName(hEdit, "edi"));
    DestroyWindow(hEdit);

    // A class name longer than 99 characters is compared whole, not cut.
    std::string name(150, 'x');
    name += "Class";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name.c_str();
    ASSERT_NE(0, RegisterClassA(&wc));
    HWND hLong = CreateWindowA(name.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hLong);
    EXPECT_EQ(0, PXSoftCtrl::CompareClassName(hLong, name.c_str()));
    EXPECT_NE(0, PXSoftCtrl::CompareClassName(hLong, name.substr(0, 99).c_str()));
    DestroyWindow(hLong);
    UnregisterClassA(name.c_str(), wc.hInstance);
}
