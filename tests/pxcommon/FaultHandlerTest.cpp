// The fault reporter and the message-box helpers: flags, defaults, answers,
// captions, owners, texts, and what happens before start-up.
#include "PXTestSupport.h"

#include <string.h>

namespace {

// Beeps in order, each with the number of boxes shown before it.
struct BeepLog
{
    struct Beep { UINT uType; size_t nBoxesBefore; };
    BeepLog(const MessageBoxRecorder& rec) : m_rec(rec)
    {
        s_pLog = this;
        m_pfnPrev = PXSetMessageBeepHook(&BeepLog::Hook);
    }
    ~BeepLog()
    {
        PXSetMessageBeepHook(m_pfnPrev);
        s_pLog = nullptr;
    }
    static void Hook(UINT uType) { s_pLog->beeps.push_back({ uType, s_pLog->m_rec.boxes.size() }); }

    std::vector<Beep> beeps;
    const MessageBoxRecorder& m_rec;
    PXMessageBeepHook m_pfnPrev;
    static BeepLog* s_pLog;
};
BeepLog* BeepLog::s_pLog = nullptr;

// A controller that captions its reports with the open application's name,
// as the program's own controller does.
class CaptionedApp : public PXFaultHandlerObj
{
public:
    void LoadCaption() override
    {
        ++nLoads;
        if (strApp.IsEmpty())
        {
            PXFaultHandlerObj::LoadCaption();
            return;
        }
        CString str;
        str.FormatMessageA(IDS_PX_APPCAPTION, static_cast<const char*>(strApp));
        SetCaption(str);
    }
    CString strApp;
    int nLoads = 0;
};

// Registers a controller for one test and withdraws it after.
struct WinAppScope
{
    explicit WinAppScope(PXFaultHandlerObj* p) { PXSetWinApp(p); }
    ~WinAppScope() { PXSetWinApp(nullptr); }
};

HWND MakeWindow(bool bVisible = false)
{
    return CreateWindowExA(0, "STATIC", "owner", WS_POPUP | (bVisible ? WS_VISIBLE : 0),
                           0, 0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

const int kMissingId = 4242;    // no entry in the test's string table
const int kInsertId = 9004;     // "Insert %1 and %2!d! here"
const int kPrintfId = 9005;     // "Disk %s has %d files"

} // namespace

// ---------------------------------------------------------------------------
// Report: flags, defaults, beep

TEST(Report, FlagsForEveryIconButtonSetAndDefault)
{
    const UINT iconFlags[5] = { 0x10, 0x30, 0x40, 0x20, 0x40 };
    const UINT buttonFlags[6] = { 0, 1, 5, 4, 3, 2 };
    // Default-button flag by button set (rows) and default answer (columns
    // OK, Cancel, Retry, Yes, No, Abort, Ignore).
    const UINT defFlags[6][7] = {
        { 0, 0,     0,     0, 0,     0, 0 },
        { 0, 0x100, 0,     0, 0,     0, 0 },
        { 0, 0x100, 0,     0, 0,     0, 0 },
        { 0, 0,     0,     0, 0x100, 0, 0 },
        { 0, 0x200, 0,     0, 0x100, 0, 0 },
        { 0, 0,     0x100, 0, 0,     0, 0x200 },
    };
    MessageBoxRecorder rec;
    BeepLog beeps(rec);
    PXArgList msg(IDS_PX_PROGRAMNAME);
    for (int icon = 0; icon < 5; ++icon)
        for (int btn = 0; btn < 6; ++btn)
            for (int def = 0; def < 7; ++def)
            {
                SCOPED_TRACE(testing::Message() << "icon " << icon << " buttons " << btn << " default " << def);
                size_t nBoxes = rec.boxes.size();
                size_t nBeeps = beeps.beeps.size();
                PXGetWinApp()->Report(0x40000, PXIconKind(icon), PXButtonSet(btn), PXAnswer(def),
                                      &msg, nullptr, 0, __FILE__, __LINE__);
                ASSERT_EQ(nBoxes + 1, rec.boxes.size());
                EXPECT_EQ(iconFlags[icon] | buttonFlags[btn] | defFlags[btn][def], rec.boxes.back().uType);
                EXPECT_EQ("Plexwright", rec.boxes.back().text);
                EXPECT_EQ("Plexwright", rec.boxes.back().caption);
                if (icon == 0)
                {
                    ASSERT_EQ(nBeeps + 1, beeps.beeps.size());
                    EXPECT_EQ(UINT(MB_ICONHAND), beeps.beeps.back().uType);
                    EXPECT_EQ(nBoxes, beeps.beeps.back().nBoxesBefore) << "beep must come before the box";
                }
                else
                {
                    EXPECT_EQ(nBeeps, beeps.beeps.size());
                }
            }
}

TEST(Report, AnswersTheButtonPressed)
{
    struct { PXButtonSet buttons; int nPressed; PXAnswer expected; } cases[] = {
        { PXBTN_OK, IDOK, PXANS_OK },
        { PXBTN_OKCANCEL, IDCANCEL, PXANS_CANCEL },
        { PXBTN_RETRYCANCEL, IDRETRY, PXANS_RETRY },
        { PXBTN_YESNO, IDYES, PXANS_YES },
        { PXBTN_YESNO, IDNO, PXANS_NO },
        { PXBTN_YESNOCANCEL, IDCANCEL, PXANS_CANCEL },
        { PXBTN_ABORTRETRYIGNORE, IDABORT, PXANS_ABORT },
        { PXBTN_ABORTRETRYIGNORE, IDIGNORE, PXANS_IGNORE },
        // The box could not be shown (0) or answered with something else.
        { PXBTN_OK, 0, PXANS_OK },
        { PXBTN_OKCANCEL, 0, PXANS_CANCEL },
        { PXBTN_YESNO, 0, PXANS_CANCEL },
        { PXBTN_ABORTRETRYIGNORE, 0, PXANS_CANCEL },
        { PXBTN_YESNOCANCEL, IDCLOSE, PXANS_CANCEL },
    };
    MessageBoxRecorder rec;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "buttons " << c.buttons << " pressed " << c.nPressed);
        rec.Answer(c.nPressed);
        PXArgList msg(IDS_PX_PROGRAMNAME);
        EXPECT_EQ(c.expected, PXGetWinApp()->Report(0x1, PXICON_QUESTION, c.buttons, PXANS_OK,
                                                    &msg, nullptr, 0, __FILE__, __LINE__));
    }
    EXPECT_EQ(sizeof(cases) / sizeof(cases[0]), rec.boxes.size());
}

TEST(Report, EdgeDefaultsAndAnswers)
{
    MessageBoxRecorder rec;
    PXArgList msg(IDS_PX_PROGRAMNAME);
    // Yes/No/Cancel with default Cancel: the third button; with OK: the first.
    PXGetWinApp()->Report(0x1, PXICON_QUESTION, PXBTN_YESNOCANCEL, PXANS_CANCEL, &msg, nullptr, 0, __FILE__, __LINE__);
    PXGetWinApp()->Report(0x1, PXICON_QUESTION, PXBTN_YESNOCANCEL, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    // Yes/No with default Yes keeps Yes first; pressing No answers 4.
    rec.Answer(IDNO);
    rec.Answer(IDNO);
    EXPECT_EQ(PXANS_NO, PXGetWinApp()->Report(0x1, PXICON_QUESTION, PXBTN_YESNO, PXANS_YES, &msg, nullptr, 0, __FILE__, __LINE__));
    ASSERT_EQ(3u, rec.boxes.size());
    EXPECT_EQ(UINT(MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON3), rec.boxes[0].uType);
    EXPECT_EQ(UINT(MB_ICONQUESTION | MB_YESNOCANCEL), rec.boxes[1].uType);
    EXPECT_EQ(UINT(MB_ICONQUESTION | MB_YESNO), rec.boxes[2].uType);
}

TEST(Report, NullMessageShowsNothingAnswersOk)
{
    MessageBoxRecorder rec;
    CaptionedApp app;
    WinAppScope scope(&app);
    EXPECT_EQ(PXANS_OK, PXGetWinApp()->Report(0x1, PXICON_STOP, PXBTN_YESNO, PXANS_NO, nullptr, nullptr, 0, __FILE__, __LINE__));
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_EQ(1, app.nLoads);
    EXPECT_STREQ("Plexwright", app.GetCaption());
}

TEST(Report, BadIconOrButtonSetIsAConsistencyFailure)
{
    MessageBoxRecorder rec;
    PXArgList msg(IDS_PX_PROGRAMNAME);
    EXPECT_PXASSERT(PXGetWinApp()->Report(0x1, PXIconKind(5), PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__), "");
    EXPECT_PXASSERT(PXGetWinApp()->Report(0x1, PXICON_STOP, PXButtonSet(6), PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__), "");
    EXPECT_PXASSERT(PXGetWinApp()->Report(0x1, PXIconKind(-1), PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__), "");
    EXPECT_TRUE(rec.boxes.empty());
}

TEST(Report, CaptionFollowsTheControllerOnEveryReport)
{
    MessageBoxRecorder rec;
    CaptionedApp app;
    WinAppScope scope(&app);
    ASSERT_EQ(&app, PXGetWinApp());
    PXArgList msg(IDS_PX_PROGRAMNAME);
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    app.strApp = "Sales";
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    app.strApp = "Billing";
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    app.strApp.Empty();
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    ASSERT_EQ(4u, rec.boxes.size());
    EXPECT_EQ("Plexwright", rec.boxes[0].caption);
    EXPECT_EQ("Sales - Plexwright", rec.boxes[1].caption);
    EXPECT_EQ("Billing - Plexwright", rec.boxes[2].caption);
    EXPECT_EQ("Plexwright", rec.boxes[3].caption);
    EXPECT_EQ(4, app.nLoads);
}

TEST(Report, BeforeStartUpAPlainReporterShowsTheBox)
{
    PXSetWinApp(nullptr);
    PXFaultHandlerObj* p = PXGetWinApp();
    ASSERT_NE(nullptr, p);
    MessageBoxRecorder rec;
    rec.Answer(IDRETRY);
    PXArgList msg(kInsertId, "a", 1);
    EXPECT_EQ(PXANS_RETRY, p->Report(0x1, PXICON_EXCLAMATION, PXBTN_RETRYCANCEL, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__));
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ("Plexwright", rec.boxes[0].caption);
    EXPECT_EQ("Insert a and 1 here", rec.boxes[0].text);

    // A controller that goes away withdraws itself.
    {
        CaptionedApp app;
        PXSetWinApp(&app);
        EXPECT_EQ(&app, PXGetWinApp());
    }
    EXPECT_EQ(p, PXGetWinApp());
}

TEST(Report, OwnedByTheActiveWindow)
{
    HWND hWnd = MakeWindow(true);
    ASSERT_NE(nullptr, hWnd);
    SetActiveWindow(hWnd);
    HWND hActive = GetActiveWindow();
    MessageBoxRecorder rec;
    PXArgList msg(IDS_PX_PROGRAMNAME);
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    DestroyWindow(hWnd);
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ(hActive, rec.boxes[0].hOwner);
    EXPECT_EQ(hWnd, hActive) << "the test window did not become active";
}

TEST(FaultHandler, ParentAndCaption)
{
    PXFaultHandlerObj h;
    EXPECT_EQ(nullptr, h.Parent);
    EXPECT_STREQ("", h.GetCaption());
    h.SetParent(reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), h.GetParent());
    EXPECT_PXASSERT(h.SetParent(nullptr), "(Parent!=0)");
    char szCaption[] = "Mine";
    h.SetCaption(szCaption);
    szCaption[0] = 'X';
    EXPECT_STREQ("Mine", h.GetCaption());
    h.LoadCaption();
    EXPECT_STREQ("Plexwright", h.GetCaption());
}

// ---------------------------------------------------------------------------
// PXArgList

TEST(ArgList, FormatsInsertsFromTheStringTable)
{
    struct { const char* pszInsert; int n; const char* pszExpected; } cases[] = {
        { "one", 2, "Insert one and 2 here" },
        { "", -7, "Insert  and -7 here" },
        { "%1 stays", 0, "Insert %1 stays and 0 here" },
    };
    for (const auto& c : cases)
    {
        PXArgList msg(kInsertId, c.pszInsert, c.n);
        EXPECT_EQ(unsigned(kInsertId), msg.GetId());
        EXPECT_STREQ(c.pszExpected, msg.GetText());
    }
}

TEST(ArgList, MissingEntryNamesTheMessage)
{
    PXArgList msg(kMissingId, "ignored");
    EXPECT_STREQ("Message 4242", msg.GetText());

    // Without any string table of the program the text is still there.
    HINSTANCE hOld = PXGetResourceHandle();
    PXSetResourceHandle(GetModuleHandleA("kernel32.dll"));
    PXArgList bare(kMissingId);
    PXSetResourceHandle(hOld);
    EXPECT_STREQ("Message 4242", bare.GetText());
}

TEST(ArgList, ReportShowsTheMissingMessageId)
{
    MessageBoxRecorder rec;
    PXArgList msg(kMissingId);
    PXGetWinApp()->Report(0x1, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &msg, nullptr, 0, __FILE__, __LINE__);
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ("Message 4242", rec.boxes[0].text);
}

// ---------------------------------------------------------------------------
// ShowMessage family

TEST(ShowMessage, CaptionIsAlwaysTheProgramsAndStyleGoesThrough)
{
    char szError[] = "Error!";
    char szWarning[] = "Warning!";
    char szEmpty[] = "";
    char* captions[] = { szError, szWarning, szEmpty, nullptr };
    MessageBoxRecorder rec;
    UINT uStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_TASKMODAL;
    for (char* pszCaption : captions)
    {
        ShowMessage("%s has %d blocks", pszCaption, uStyle, "Main", 3);
        ShowMessageFor(nullptr, "%s has %d blocks", pszCaption, uStyle, "Main", 3);
        rec.Answer(IDNO);
        EXPECT_EQ(IDNO, ShowMessageId(kPrintfId, pszCaption, uStyle, "A:", 12));
        rec.Answer(IDYES);
        EXPECT_EQ(IDYES, ShowMessageIdFor(nullptr, kPrintfId, pszCaption, uStyle, "A:", 12));
    }
    EXPECT_STREQ("Error!", szError);
    EXPECT_STREQ("Warning!", szWarning);
    EXPECT_STREQ("", szEmpty);
    ASSERT_EQ(16u, rec.boxes.size());
    for (size_t i = 0; i < rec.boxes.size(); ++i)
    {
        EXPECT_EQ("Plexwright", rec.boxes[i].caption);
        EXPECT_EQ(uStyle, rec.boxes[i].uType);
        EXPECT_EQ(nullptr, rec.boxes[i].hOwner);
        EXPECT_EQ(i % 4 < 2 ? "Main has 3 blocks" : "Disk A: has 12 files", rec.boxes[i].text);
    }
}

TEST(ShowMessage, MissingEntryShowsNothing)
{
    MessageBoxRecorder rec;
    EXPECT_EQ(-1, ShowMessageId(kMissingId, nullptr, MB_OK));
    EXPECT_EQ(-1, ShowMessageIdFor(nullptr, kMissingId, nullptr, MB_OK));
    EXPECT_EQ(-1, ShowMessageId(0x10000 + kPrintfId, nullptr, MB_OK));
    EXPECT_TRUE(rec.boxes.empty());
}

TEST(ShowMessage, SystemFailureIsPassedBack)
{
    MessageBoxRecorder rec;
    rec.Answer(0);
    EXPECT_EQ(0, ShowMessageId(kPrintfId, nullptr, MB_OK, "C:", 1));
}

TEST(ShowMessage, TextsComeFromTheProgramsOwnModule)
{
    // The active window's module does not matter: a window made with another
    // module's instance still gets the program's text.
    HWND hWnd = CreateWindowExA(0, "STATIC", "foreign", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                nullptr, nullptr, GetModuleHandleA("kernel32.dll"), nullptr);
    ASSERT_NE(nullptr, hWnd);
    SetActiveWindow(hWnd);
    EXPECT_EQ(hWnd, GetActiveWindow());
    MessageBoxRecorder rec;
    EXPECT_EQ(IDOK, ShowMessageId(kPrintfId, nullptr, MB_OK, "B:", 5));
    DestroyWindow(hWnd);
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ("Disk B: has 5 files", rec.boxes[0].text);

    // And the program's module is where they are looked up.
    HINSTANCE hOld = PXGetResourceHandle();
    PXSetResourceHandle(GetModuleHandleA("kernel32.dll"));
    int n = ShowMessageId(kPrintfId, nullptr, MB_OK, "B:", 5);
    PXSetResourceHandle(hOld);
    EXPECT_EQ(-1, n);
    EXPECT_EQ(1u, rec.boxes.size());
}

TEST(ShowMessage, LongTextsAreCutNeverOverrun)
{
    MessageBoxRecorder rec;
    // The exit question with the longest name it allows fits whole.
    std::string name(120, 'n');
    ShowMessage("Save changes to %.120s?", nullptr, MB_YESNOCANCEL, name.c_str());
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ("Save changes to " + name + "?", rec.boxes[0].text);

    std::string huge(5000, 'x');
    ShowMessage("%s", nullptr, MB_OK, huge.c_str());
    ShowMessageFor(nullptr, "ab%s", nullptr, MB_OK, huge.c_str());
    EXPECT_EQ(IDOK, ShowMessageId(kPrintfId, nullptr, MB_OK, huge.c_str(), 1));
    ASSERT_EQ(4u, rec.boxes.size());
    EXPECT_EQ(std::string(PX_MESSAGE_TEXT_MAX, 'x'), rec.boxes[1].text);
    EXPECT_EQ("ab" + std::string(PX_MESSAGE_TEXT_MAX - 2, 'x'), rec.boxes[2].text);
    EXPECT_EQ("Disk " + std::string(PX_MESSAGE_TEXT_MAX - 5, 'x'), rec.boxes[3].text);

    // Exactly at the limit nothing is lost.
    std::string fits(PX_MESSAGE_TEXT_MAX, 'y');
    ShowMessage("%s", nullptr, MB_OK, fits.c_str());
    EXPECT_EQ(fits, rec.boxes.back().text);
}

TEST(ShowMessage, OwnersAreTheMainWindowOrTheGivenOne)
{
    HWND hMain = MakeWindow();
    HWND hOther = MakeWindow();
    ASSERT_NE(nullptr, hMain);
    ASSERT_NE(nullptr, hOther);
    MessageBoxRecorder rec;

    ShowMessage("before", nullptr, MB_OK);                  // no main window yet
    PXSetMainWindow(hMain);
    ShowMessage("main", nullptr, MB_OK);
    ShowMessageId(kPrintfId, nullptr, MB_OK, "C:", 1);
    ShowMessageFor(hOther, "other", nullptr, MB_OK);
    ShowMessageIdFor(hOther, kPrintfId, nullptr, MB_OK, "C:", 2);
    ShowMessageFor(nullptr, "none", nullptr, MB_OK);
    DestroyWindow(hOther);
    ShowMessageFor(hOther, "gone", nullptr, MB_OK);         // a destroyed owner: unowned
    DestroyWindow(hMain);
    ShowMessage("main gone", nullptr, MB_OK);
    PXSetMainWindow(nullptr);

    HWND expected[] = { nullptr, hMain, hMain, hOther, hOther, nullptr, nullptr, nullptr };
    ASSERT_EQ(8u, rec.boxes.size());
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(expected[i], rec.boxes[i].hOwner) << "box " << i << " " << rec.boxes[i].text;
}

// ---------------------------------------------------------------------------
// The foundation's own texts

TEST(CommonStrings, EveryTextLoads)
{
    struct { UINT nId; const char* pszText; } texts[] = {
        { IDS_PX_NOMESSAGE, "Message %1!u!" },
        { IDS_PX_NODESCR, "Out of memory or internal failure" },
        { IDS_PX_NEWSTMTARRAY, "New StatementArray" },
        { IDS_PX_NEWWORDARRAY, "New WordArray" },
        { IDS_PX_NORESOURCE, "Cannot load resource" },
        { IDS_PX_APPCAPTION, "%1 - Plexwright" },
        { IDS_PX_PROGRAMNAME, "Plexwright" },
    };
    for (const auto& t : texts)
    {
        CString str;
        EXPECT_TRUE(str.LoadStringA(t.nId)) << t.nId;
        EXPECT_STREQ(t.pszText, str) << t.nId;
    }
}
