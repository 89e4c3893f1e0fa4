// Auto-save and recovery at start under the editor's own main frame: timer
// 7's tick reaching the controller through WM_TIMER, the Auto Save Options
// command with its dialog answered as the user would, the timer's start and
// stop as applications open and close, and the offer at start to reopen
// the program files that a crash left in the program directory.
#include "UserAppTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "LSReport.h"
#include "PXCmdIds.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

const int CHECK_ON = 101, INTERVAL = 103;

int __cdecl AnswerData(const PXAppDataRequest*)
{
    return 0;
}

int __cdecl AnswerResPerms(int, int, const PXResPermUseRow*)
{
    return 0;
}

// A program file of a server application: the program's copy of its
// profile names it.
void FillCopy(Program* pProgram, const char* pszName, int nId)
{
    PXFileInfoCopy copy;
    std::memset(&copy, 0, sizeof(copy));
    copy.profile.customerid = 1;
    copy.profile.appprofid = nId;
    std::strcpy(copy.profile.appname, pszName);
    copy.profile.volumeid = 3;
    std::memcpy(pProgram->GetFileInfo(), &copy, sizeof(copy));
}

std::string Plain(const std::string& text)
{
    std::string plain;
    for (char ch : text)
        if (ch != '\r')
            plain += ch;
    return plain;
}

std::string RecoveryQuestion(const char* pszName)
{
    return std::string("A recovery version of the application '") + pszName +
           "' was found.\nDo you wish to restore the application now?";
}

} // namespace

class AutoSaveTest : public UserAppFixture
{
protected:
    void SetUp() override
    {
        UserAppFixture::SetUp();
        // The page windows close their applications through the controller.
        // The fixture's pages go first: their end withdraws the page
        // window maker that the new ones install.
        m_pPages.reset();
        m_pPages.reset(m_pFrame->MakeApplicationPages());
        PXSetMainWindow(m_pFrame->HWindow);
        m_pszSettings = GetModelSettings().strSettingsFile;
        ForgetKeys();
    }
    void TearDown() override
    {
        ForgetKeys();
        UserAppFixture::TearDown();
        UIMDIFrame::SetRecentOpener(nullptr);
        PXSetMainWindow(nullptr);
    }

    void ForgetKeys()
    {
        WritePrivateProfileStringA("Main", "Auto Save Enabled", nullptr, m_pszSettings);
        WritePrivateProfileStringA("Main", "Auto Save Interval", nullptr, m_pszSettings);
    }
    void SetKeys(const char* pszEnabled, const char* pszInterval)
    {
        WritePrivateProfileStringA("Main", "Auto Save Enabled", pszEnabled, m_pszSettings);
        WritePrivateProfileStringA("Main", "Auto Save Interval", pszInterval, m_pszSettings);
    }
    std::string Key(const char* pszKey)
    {
        char sz[128] = "";
        GetPrivateProfileStringA("Main", pszKey, "(none)", sz, sizeof(sz), m_pszSettings);
        return sz;
    }

    // Whether timer 7 ran on the frame; it does not any more afterwards.
    bool TimerWasSet()
    {
        return KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER) != FALSE;
    }
    void Tick()
    {
        ::SendMessageA(m_pFrame->HWindow, WM_TIMER, PXAUTOSAVE_TIMER, 0);
    }
    void Send(UINT nId)
    {
        ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, nId, 0);
    }

    // An application opened from its program file as File Open does.
    PXUserApp* Open(const char* pszName)
    {
        WriteProgramFile(m_dir + pszName + ".ed");
        std::string entry = std::string(pszName) + "|1500|1";
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, m_pController->FileOpen(entry.c_str()));
        for (const PXShownBox& box : boxes.boxes)
            ADD_FAILURE() << box.text;
        return m_pController->FindUserAppByName(pszName);
    }

    // The server mode's client library: a reopening is answered with
    // g_nRecoveryResult, the lists are taken.
    void ServerMode()
    {
        m_pController->SetStandalone(FALSE);
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnFileOpenOnRecovery = RecoverOnServer;
        calls.pfnGetDataFromPW = AnswerData;
        calls.pfnGetResPermDataFromPW = AnswerResPerms;
        PXSetAppLink(calls);
    }
    void WriteLeftOver(const char* pszName, int nId)
    {
        Program* pProgram = NewProgram();
        pProgram->Activate();
        FillCopy(pProgram, pszName, nId);
        ASSERT_EQ(1, PXFileSaveProgram((m_dir + pszName + ".ed").c_str(), pProgram, nullptr));
        delete pProgram;
    }

    const char* m_pszSettings = nullptr;
};

// A tick writes the recovery copy of the active application only, and only
// when it is modified; both applications stay modified, so that each is
// still saved to the server.
TEST_F(AutoSaveTest, ATickWritesOnlyTheActiveModifiedApplicationAndLeavesItModified)
{
    PXUserApp* pSales = Open("Sales");
    PXUserApp* pOrders = Open("Orders");
    ASSERT_NE(nullptr, pSales);
    ASSERT_NE(nullptr, pOrders);
    ASSERT_EQ(pOrders, m_pController->GetActiveUserApp());
    pSales->SetModified();
    pOrders->SetModified();
    ASSERT_TRUE(DeleteFileA((m_dir + "Sales.ed").c_str()));
    ASSERT_TRUE(DeleteFileA((m_dir + "Orders.ed").c_str()));

    MessageBoxRecorder boxes;
    Tick();
    EXPECT_TRUE(FileExists(m_dir + "Orders.ed"));
    EXPECT_FALSE(FileExists(m_dir + "Sales.ed"));
    EXPECT_TRUE(pOrders->IsModified());
    EXPECT_TRUE(pSales->IsModified());
    EXPECT_TRUE(boxes.boxes.empty());

    // The copy holds the program as edited: it loads.
    Program* pCopy = PXFileLoadProgram((m_dir + "Orders.ed").c_str(), nullptr);
    EXPECT_NE(nullptr, pCopy);
    delete pCopy;
    pOrders->GetProgram()->Activate();

    // Unmodified: nothing is written.
    pOrders->GetProgram()->ClearModified();
    ASSERT_TRUE(DeleteFileA((m_dir + "Orders.ed").c_str()));
    EXPECT_EQ(0, m_pController->OnAutoSaveTimer());
    EXPECT_FALSE(FileExists(m_dir + "Orders.ed"));
    EXPECT_FALSE(pOrders->IsModified());
}

namespace
{
// The prompt of a load that a tick of the timer reaches while it asks: the
// recovery copy must not be begun inside the load.
HWND g_hTickedFrame = nullptr;
std::string g_copyPath;
int g_nPromptsTicked = 0;
bool g_bCopyWrittenInside = false;
}

// A load that asks the user lets the message loop run, timer and all: a
// tick then writes no recovery copy inside the load, the next one after it
// does.
TEST_F(AutoSaveTest, ATickWhileALoadAsksWaitsForTheLoad)
{
    PXUserApp* pOrders = Open("Orders");
    ASSERT_NE(nullptr, pOrders);
    pOrders->SetModified();
    g_copyPath = m_dir + "Orders.ed";
    // A program file cut in half: its load asks whether to go on.
    WriteProgramFile(m_dir + "Half.ed");
    std::string bytes;
    {
        FILE* pFile = fopen((m_dir + "Half.ed").c_str(), "rb");
        ASSERT_NE(nullptr, pFile);
        for (int c; (c = fgetc(pFile)) != EOF;)
            bytes += static_cast<char>(c);
        fclose(pFile);
        pFile = fopen((m_dir + "Half.ed").c_str(), "wb");
        ASSERT_NE(nullptr, pFile);
        fwrite(bytes.data(), 1, bytes.size() / 2, pFile);
        fclose(pFile);
    }
    ASSERT_TRUE(DeleteFileA(g_copyPath.c_str()));
    g_hTickedFrame = m_pFrame->HWindow;
    g_nPromptsTicked = 0;
    g_bCopyWrittenInside = false;
    LSPromptRunner pfnOld = LSSetPromptRunner([](short&, const char*) {
        ++g_nPromptsTicked;
        ::SendMessageA(g_hTickedFrame, WM_TIMER, PXAUTOSAVE_TIMER, 0);
        g_bCopyWrittenInside = g_bCopyWrittenInside || GetFileAttributesA(g_copyPath.c_str()) != INVALID_FILE_ATTRIBUTES;
        return IDCANCEL;
    });
    {
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pHalf(PXFileLoadProgram((m_dir + "Half.ed").c_str(), nullptr));
    }
    LSSetPromptRunner(pfnOld);
    pOrders->GetProgram()->Activate();
    ASSERT_GT(g_nPromptsTicked, 0) << "the cut file made the load ask nothing";
    EXPECT_FALSE(g_bCopyWrittenInside);
    EXPECT_FALSE(FileExists(g_copyPath));
    MessageBoxRecorder boxes;
    Tick();
    EXPECT_TRUE(FileExists(g_copyPath));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(AutoSaveTest, ATickWithoutAnApplicationDoesNothing)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, m_pController->OnAutoSaveTimer());
    Tick();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(0, m_pController->GetUserAppCount());
}

// The dialog shows what the settings file says: only "TRUE", in any case,
// is on; OK writes the keys in their own spelling.
TEST_F(AutoSaveTest, TheOptionsShowTheSettingsAndOkWritesThem)
{
    struct Case
    {
        const char* pszEnabled;     // none: not in the file
        const char* pszInterval;
        bool bChecked;
        const char* pszShown;
        const char* pszWritten;
        const char* pszInterval2;
    };
    const Case cases[] = {
        {nullptr, nullptr, true, "10", "TRUE", "10"}, {"true", "5", true, "5", "TRUE", "5"},
        {"TRUE", "60", true, "60", "TRUE", "60"},    {"Yes", "5", false, "5", "FALSE", "5"},
        {"FALSE", "1", false, "1", "FALSE", "1"},    {"on", "30", false, "30", "FALSE", "30"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszEnabled ? c.pszEnabled : "(none)");
        SetKeys(c.pszEnabled, c.pszInterval);
        bool bChecked = !c.bChecked;
        std::string shown;
        bool bIntervalEnabled = !c.bChecked;
        DialogScripts scripts;
        scripts.Add([&](HWND h) {
            bChecked = IsDlgButtonChecked(h, CHECK_ON) == BST_CHECKED;
            shown = ::Text(h, INTERVAL);
            bIntervalEnabled = Enabled(h, INTERVAL);
            Command(h, IDOK, BN_CLICKED);
        });
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, m_pController->AutoSaveOptions());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(c.bChecked, bChecked);
        EXPECT_EQ(c.bChecked, bIntervalEnabled);     // the interval follows the check box
        EXPECT_EQ(c.pszShown, shown);
        EXPECT_EQ(c.pszWritten, Key("Auto Save Enabled"));
        EXPECT_EQ(c.pszInterval2, Key("Auto Save Interval"));
    }
}

// The Options menu's command opens the dialog; switching auto-save on with
// no application open writes the keys and starts no timer; the next
// application opened starts it.
TEST_F(AutoSaveTest, SwitchingOnWithoutAnApplicationStartsNoTimerUntilOneOpens)
{
    SetKeys("FALSE", "5");
    EXPECT_NE(nullptr, m_pFrame->FindMenuHolding(CM_AUTOSAVEOPTIONS));
    DialogScripts scripts;
    scripts.Add([](HWND h) {
        EXPECT_FALSE(Enabled(h, INTERVAL));
        Click(h, CHECK_ON);
        EXPECT_TRUE(Enabled(h, INTERVAL));
        Type(h, INTERVAL, "12");
        Command(h, IDOK, BN_CLICKED);
    });
    Send(CM_AUTOSAVEOPTIONS);
    EXPECT_TRUE(scripts.AllRun());
    ASSERT_EQ(1u, scripts.captions.size());
    EXPECT_EQ("Auto Save Options", scripts.captions[0]);
    EXPECT_EQ("TRUE", Key("Auto Save Enabled"));
    EXPECT_EQ("12", Key("Auto Save Interval"));
    EXPECT_FALSE(TimerWasSet());

    Open("Sales");
    EXPECT_TRUE(TimerWasSet());
}

// With an application open, switching on (or leaving on) sets the timer;
// switching off kills it only when the file said it was on, and writes the
// keys either way.
TEST_F(AutoSaveTest, SwitchingOffKillsTheTimerOnlyWhenTheFileSaidOn)
{
    ASSERT_NE(nullptr, Open("Sales"));
    struct Case
    {
        const char* pszEnabled;
        bool bClick;            // the check box is clicked
        bool bTimerBefore;      // timer 7 runs when the dialog opens
        bool bTimerAfter;
        const char* pszWritten;
    };
    const Case cases[] = {
        {"TRUE", true, true, false, "FALSE"},   // on to off: killed
        {"FALSE", false, true, true, "FALSE"},  // off stays off: a running timer is not the file's
        {"FALSE", true, false, true, "TRUE"},   // off to on: set
        {"TRUE", false, false, true, "TRUE"},   // on stays on: set again
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszEnabled << (c.bClick ? " clicked" : ""));
        SetKeys(c.pszEnabled, "5");
        KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER);
        if (c.bTimerBefore)
        {
            ASSERT_NE(0u, SetTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER, 600000, nullptr));
        }
        DialogScripts scripts;
        bool bClick = c.bClick;
        scripts.Add([bClick](HWND h) {
            if (bClick)
                Click(h, CHECK_ON);
            Command(h, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(0, m_pController->AutoSaveOptions());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(c.bTimerAfter, TimerWasSet());
        EXPECT_EQ(c.pszWritten, Key("Auto Save Enabled"));
        EXPECT_EQ("5", Key("Auto Save Interval"));
    }
}

// Cancel writes back what was read, whatever the dialog showed, and with
// auto-save on and an application open the timer starts its period again.
TEST_F(AutoSaveTest, CancelWritesBackTheValuesRead)
{
    ASSERT_NE(nullptr, Open("Sales"));
    struct Case
    {
        const char* pszEnabled;
        const char* pszInterval;
        const char* pszWritten;
        const char* pszInterval2;
        bool bTimer;
    };
    const Case cases[] = {
        {"true", "7", "TRUE", "7", true},
        {"Yes", "20", "FALSE", "20", false},
        // Only the file can hold an interval the dialog refuses: Cancel
        // keeps it as it is.
        {"TRUE", "0", "TRUE", "0", true},
        {"TRUE", "600", "TRUE", "600", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszEnabled << " " << c.pszInterval);
        SetKeys(c.pszEnabled, c.pszInterval);
        KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER);
        DialogScripts scripts;
        scripts.Add([](HWND h) {
            Click(h, CHECK_ON);
            if (Enabled(h, INTERVAL))
                Type(h, INTERVAL, "30");
            Command(h, IDCANCEL, BN_CLICKED);
        });
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, m_pController->AutoSaveOptions());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(c.pszWritten, Key("Auto Save Enabled"));
        EXPECT_EQ(c.pszInterval2, Key("Auto Save Interval"));
        EXPECT_EQ(c.bTimer, TimerWasSet());
    }
}

// An interval outside 1 to 60 is refused with its message and the dialog
// stays open for a correction.
TEST_F(AutoSaveTest, AnIntervalOutsideOneToSixtyIsRefusedAndTheDialogStays)
{
    SetKeys("TRUE", "10");
    MessageBoxRecorder boxes;
    std::vector<std::string> refusals;
    DialogScripts scripts;
    scripts.Add([&](HWND h) {
        for (const char* pszTyped : {"0", "61", "99"})
        {
            boxes.boxes.clear();
            Type(h, INTERVAL, pszTyped);
            Command(h, IDOK, BN_CLICKED);
            EXPECT_TRUE(IsWindow(h)) << pszTyped;
            ASSERT_EQ(1u, boxes.boxes.size()) << pszTyped;
            refusals.push_back(boxes.boxes[0].text);
        }
        boxes.boxes.clear();
        Type(h, INTERVAL, "60");
        Command(h, IDOK, BN_CLICKED);
        EXPECT_TRUE(boxes.boxes.empty());
    });
    EXPECT_EQ(0, m_pController->AutoSaveOptions());
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(std::vector<std::string>(3, "The save interval must be between 1 and 60 minutes."), refusals);
    EXPECT_EQ("TRUE", Key("Auto Save Enabled"));
    EXPECT_EQ("60", Key("Auto Save Interval"));

    // An interval out of range in the settings file is shown within the
    // dialog's range, and OK writes what was shown.
    const struct
    {
        const char* pszInFile;
        const char* pszShown;
    } fromFile[] = {{"0", "1"}, {"-5", "1"}, {"600", "60"}};
    for (const auto& c : fromFile)
    {
        SCOPED_TRACE(c.pszInFile);
        SetKeys("TRUE", c.pszInFile);
        boxes.boxes.clear();
        std::string shown;
        scripts.Add([&](HWND h) {
            shown = ::Text(h, INTERVAL);
            Command(h, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(0, m_pController->AutoSaveOptions());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(c.pszShown, shown);
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(c.pszShown, Key("Auto Save Interval"));
    }
}

// Closing the last application kills the timer; closing one of two keeps
// it.
TEST_F(AutoSaveTest, ClosingTheLastApplicationStopsTheTimer)
{
    ASSERT_NE(nullptr, Open("Sales"));
    ASSERT_NE(nullptr, Open("Orders"));
    ASSERT_EQ(2, m_pFrame->GetChildCount());
    Send(CM_FILECLOSE);
    ASSERT_EQ(1, m_pController->GetUserAppCount());
    EXPECT_TRUE(TimerWasSet());
    ASSERT_NE(0u, SetTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER, 600000, nullptr));
    Send(CM_FILECLOSE);
    ASSERT_EQ(0, m_pController->GetUserAppCount());
    EXPECT_FALSE(TimerWasSet());
}

// In server mode each program file left behind is offered: No leaves it
// for the next start; Yes reopens it from the file as a modified
// application; a reopening the server refuses keeps the file.
TEST_F(AutoSaveTest, RecoveryOffersEachLeftOverProgramFile)
{
    ServerMode();
    WriteLeftOver("Orders", 1600);
    WriteLeftOver("Sales", 1500);
    {
        MessageBoxRecorder boxes;
        boxes.nDefault = IDNO;
        EXPECT_EQ(0, m_pController->RecoverApplications());
        std::vector<std::string> texts;
        for (const PXShownBox& box : boxes.boxes)
        {
            texts.push_back(Plain(box.text));
            EXPECT_EQ(static_cast<UINT>(MB_YESNO), box.uType & MB_TYPEMASK);
            EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), box.uType & MB_ICONMASK);
            EXPECT_EQ(static_cast<UINT>(MB_DEFBUTTON1), box.uType & MB_DEFMASK);
        }
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ((std::vector<std::string>{RecoveryQuestion("Orders"), RecoveryQuestion("Sales")}), texts);
        EXPECT_EQ(0, m_pController->GetUserAppCount());
        EXPECT_EQ(0, g_nRecoveries);
        EXPECT_TRUE(FileExists(m_dir + "Orders.ed"));
        EXPECT_TRUE(FileExists(m_dir + "Sales.ed"));
    }
    ASSERT_TRUE(DeleteFileA((m_dir + "Sales.ed").c_str()));
    {
        // Refused by the server: reported, nothing kept, the file stays.
        g_nRecoveryResult = PXRC_DIRECTORY_FAILED;
        MessageBoxRecorder boxes;
        boxes.nDefault = IDYES;
        EXPECT_EQ(0, m_pController->RecoverApplications());
        ASSERT_EQ(2u, boxes.boxes.size());
        EXPECT_EQ(RecoveryQuestion("Orders"), Plain(boxes.boxes[0].text));
        EXPECT_EQ("The system could not load the application from the server.\n"
                  "Please check the connection to the server and try again.",
                  Plain(boxes.boxes[1].text));
        EXPECT_EQ(1, g_nRecoveries);
        EXPECT_EQ(0, m_pController->GetUserAppCount());
        EXPECT_EQ(0, m_pFrame->GetChildCount());
        EXPECT_TRUE(FileExists(m_dir + "Orders.ed"));
    }
    {
        g_nRecoveryResult = 0;
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        EXPECT_EQ(0, m_pController->RecoverApplications());
        EXPECT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(2, g_nRecoveries);
        EXPECT_EQ(1600, g_recovery.stored.profile.appprofid);
        ASSERT_EQ(1, m_pController->GetUserAppCount());
        PXUserApp* pOrders = m_pController->FindUserAppByName("Orders");
        ASSERT_NE(nullptr, pOrders);
        EXPECT_EQ(1600, *PXFieldValue(PXFIELD_USER_APP_ID, pOrders).GetInt32());
        EXPECT_TRUE(pOrders->IsModified());
        EXPECT_EQ(1, m_pFrame->GetChildCount());
        EXPECT_EQ(pOrders, m_pController->GetActiveUserApp());
        // Its window shows the program; auto-save runs for it.
        EXPECT_TRUE(TimerWasSet());
        pOrders->GetProgram()->ClearModified();
    }
}

// A left-over file that no longer loads is reported by the reader; nothing
// opens, the server is not asked, and the file stays.
TEST_F(AutoSaveTest, RecoveryOfAFileThatDoesNotLoadLeavesIt)
{
    ServerMode();
    const std::string path = m_dir + "Broken.ed";
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD dwWritten = 0;
    WriteFile(hFile, "not a program", 13, &dwWritten, nullptr);
    CloseHandle(hFile);
    MessageBoxRecorder boxes;
    boxes.nDefault = IDYES;
    EXPECT_EQ(0, m_pController->RecoverApplications());
    ASSERT_GE(boxes.boxes.size(), 2u);     // the offer, then the reader's message
    EXPECT_EQ(RecoveryQuestion("Broken"), Plain(boxes.boxes[0].text));
    EXPECT_EQ(0, g_nRecoveries);
    EXPECT_EQ(0, m_pController->GetUserAppCount());
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    EXPECT_TRUE(FileExists(path));
}

// A name with a dot in it is the whole name before ".ed".
TEST_F(AutoSaveTest, RecoveryKeepsADottedNameWhole)
{
    ServerMode();
    WriteLeftOver("North.Orders", 1700);
    MessageBoxRecorder boxes;
    boxes.nDefault = IDYES;
    EXPECT_EQ(0, m_pController->RecoverApplications());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(RecoveryQuestion("North.Orders"), Plain(boxes.boxes[0].text));
    PXUserApp* pApp = m_pController->FindUserAppByName("North.Orders");
    ASSERT_NE(nullptr, pApp);
    ASSERT_NE(nullptr, pApp->GetProgram());
    EXPECT_EQ(m_dir + "North.Orders.ed", pApp->GetProgram()->GetName());
    pApp->GetProgram()->ClearModified();
}

// Standalone mode works on the user's own program files: none is offered.
TEST_F(AutoSaveTest, RecoveryOffersNothingInStandaloneMode)
{
    WriteLeftOver("Orders", 1600);
    MessageBoxRecorder boxes;
    boxes.nDefault = IDYES;
    EXPECT_EQ(0, m_pController->RecoverApplications());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(0, m_pController->GetUserAppCount());
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    EXPECT_TRUE(FileExists(m_dir + "Orders.ed"));
}
