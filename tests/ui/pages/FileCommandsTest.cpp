// The File menu's commands in standalone mode under the editor's own main
// frame, driven with WM_COMMAND as the menu sends them: New, Open from the
// chooser and from a recent entry, Close, Delete, Locks and Exit; the
// application chooser's checks; the frame's save of the active program
// and its opening of a program file.
#include "PXTestSupport.h"
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "../dialogs/EditorDlgTestSupport.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "EditorDlgRes.h"
#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"
#include "ModelObserver.h"
#include "PXAppLink.h"
#include "PXCmdIds.h"
#include "PXFieldValue.h"
#include "PXImageList.h"
#include "PXRecArray.h"
#include "PXSObj.h"
#include "PXUserApp.h"
#include "ProgramFile.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "plexlink.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

const char* const kKey = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";
const int NAME = 102, ID = 2009;

bool FileExists(const std::string& path)
{
    DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The chooser: a name typed and OK pressed.
DialogScripts::Script TypeAndOk(const char* pszName)
{
    std::string name = pszName;
    return [name](HWND h) {
        Type(h, NAME, name.c_str());
        Command(h, IDOK, BN_CLICKED);
    };
}

DialogScripts::Script Cancel()
{
    return [](HWND h) { Command(h, IDCANCEL, BN_CLICKED); };
}

} // namespace

class FileCommandsTest : public ModelTest
{
protected:
    FileCommandsTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        if (!m_pIconIL)
            PXCreateBlockImageLists();
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = std::string(szTemp) + "pxfilecmds\\";
        PXRemoveTree(m_dir);
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_dir + "default").c_str(), nullptr));
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                 &hKey, nullptr));
        RegSetValueExA(hKey, "ProgDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_dir.c_str()),
                       static_cast<DWORD>(m_dir.size() + 1));
        RegCloseKey(hKey);
        ASSERT_EQ(0, PXInitPlexwright(0, 1, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, nullptr, 0, 0));
        WriteProgramFile(m_dir + "default\\default.ed");

        m_oldSettings = GetModelSettings();
        m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        m_pController->SetStandalone(TRUE);
        PXSoftObj::Init(m_pController.get());
        PXSetWinApp(m_pController.get());
        m_pFrame = new UIMDIFrame(m_client);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
        m_pPages.reset(m_pFrame->MakeApplicationPages());
        m_oldCalls = PXSetAppLink(PXAppLinkExports());
        GetCurrentDirectoryA(sizeof(m_szOldFolder), m_szOldFolder);
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_szOldFolder);
        UIMDIFrame::SetSaveFolderDone(false);
        PXSetAppLink(m_oldCalls);
        {
            MessageBoxRecorder boxes;
            boxes.nDefault = IDNO;      // a modified program is not saved
            while (m_pFrame->GetChildCount() > 0)
            {
                int nBefore = m_pFrame->GetChildCount();
                ::SendMessageA(m_pFrame->GetChild(0)->GetHandle(), WM_CLOSE, 0, 0);
                if (m_pFrame->GetChildCount() == nBefore)
                    break;
            }
        }
        UIMDIFrame::SetRecentOpener(nullptr);
        m_pPages.reset();
        ModelSetSettings(m_oldSettings);
        PXSetWinApp(nullptr);
        m_pController.reset();
        PXTermPlexwright();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        PXRemoveTree(m_dir);
        ModelTest::TearDown();
    }

    void WriteProgramFile(const std::string& path)
    {
        Program* pProgram = NewProgram();
        pProgram->Activate();
        ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram, nullptr));
        delete pProgram;
    }

    void Send(UINT nId)
    {
        ::SendMessageA(m_pFrame->HWindow, WM_COMMAND, nId, 0);
    }

    void SetOption(DWORD dwBit, bool bOn)
    {
        ModelSettings settings = GetModelSettings();
        settings.dwOptions = bOn ? (settings.dwOptions | dwBit) : (settings.dwOptions & ~dwBit);
        ModelSetSettings(settings);
    }

    // The open applications' names, in order.
    std::vector<std::string> OpenNames()
    {
        std::vector<std::string> names;
        for (const char* psz : {"Sales", "Orders", "Billing", "Extra"})
            if (PXUserApp* p = m_pController->FindUserAppByName(psz))
                names.push_back(static_cast<const char*>(*PXFieldValue(PXFIELD_USER_APP_NAME, p).GetText()));
        return names;
    }

    // The texts shown, with the reporter's line ends as "\n".
    static std::vector<std::string> Texts(const MessageBoxRecorder& boxes)
    {
        std::vector<std::string> texts;
        for (const PXShownBox& box : boxes.boxes)
        {
            std::string text;
            for (char ch : box.text)
                if (ch != '\r')
                    text += ch;
            texts.push_back(text);
        }
        return texts;
    }

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    std::string m_dir;
    PXAppLinkCalls m_oldCalls;
    ModelSettings m_oldSettings;
    char m_szOldFolder[MAX_PATH] = "";
};

// New makes the application from the template under the name typed, with
// the ID the chooser was seeded with, shows it and lists it as recent.
TEST_F(FileCommandsTest, NewMakesTheApplicationAndListsItAsRecent)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add([](HWND h) {
        EXPECT_EQ("1000", Text(h, ID));
        Type(h, NAME, "Sales");
        Command(h, IDOK, BN_CLICKED);
    });
    Send(CM_FILENEW);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_TRUE(boxes.boxes.empty()) << (boxes.boxes.empty() ? "" : boxes.boxes[0].text);
    PXUserApp* pApp = m_pController->FindUserAppByName("Sales");
    ASSERT_NE(nullptr, pApp);
    EXPECT_EQ(1000, *PXFieldValue(PXFIELD_USER_APP_ID, pApp).GetInt32());
    EXPECT_TRUE(FileExists(m_dir + "Sales.ed"));
    ASSERT_EQ(1, m_pFrame->GetChildCount());
    EXPECT_EQ(pApp, m_pController->GetActiveUserApp());
    ASSERT_GE(m_pFrame->GetRecentCount(), 1);
    // The volume is the chooser's: the first of the offline volumes, which
    // it selects.
    EXPECT_STREQ("Sales|1000|1", m_pFrame->GetRecentEntry(1));
}

// A block dropped from the palette is named in the block-name dialog over
// its page: the typed name is kept as the program keeps names, Cancel adds
// nothing.
TEST_F(FileCommandsTest, ADroppedBlockIsNamedInTheBlockNameDialog)
{
    DialogScripts scripts;
    scripts.Add(TypeAndOk("Sales"));
    Send(CM_FILENEW);
    ASSERT_TRUE(scripts.AllRun());
    EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetActiveEditWindow());
    ASSERT_NE(nullptr, pWindow);
    EditChild* pPane = pWindow->GetEditPane();
    Page* pPage = pPane->GetPage();
    ASSERT_NE(nullptr, pPage);
    PowerBlockIcon* pIcon = Icons::GetCurrent()->FindByType(394);
    ASSERT_NE(nullptr, pIcon);
    const size_t nBefore = pPage->GetBlocks().getItemsInContainer();

    scripts.Add([](HWND h) {
        Type(h, IDC_NAMEPB_NAME, "  Front Desk ");
        Command(h, IDOK, BN_CLICKED);
    });
    pPane->AddBlockNamed(pIcon, 200, 200);
    ASSERT_TRUE(scripts.AllRun());
    ASSERT_FALSE(scripts.captions.empty());
    EXPECT_EQ("Add Call Transfer Block", scripts.captions.back());
    PowerBlock* pBlock = pPage->FindBlockByName("Front_Desk");
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(394, pBlock->GetType());
    EXPECT_EQ(nBefore + 1, pPage->GetBlocks().getItemsInContainer());

    scripts.Add([](HWND h) {
        Type(h, IDC_NAMEPB_NAME, "Other");
        Command(h, IDCANCEL, BN_CLICKED);
    });
    pPane->AddBlockNamed(pIcon, 400, 200);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(nullptr, pPage->FindBlockByName("Other"));
    EXPECT_EQ(nBefore + 1, pPage->GetBlocks().getItemsInContainer());
}

// Names with a character that file names refuse are refused with the list
// of those characters, and the chooser asks again; Cancel makes nothing.
TEST_F(FileCommandsTest, NewRefusesFileNameCharactersAndCancelMakesNothing)
{
    struct Case
    {
        const char* pszName;
    };
    const Case cases[] = {{"Sa/les"}, {"a:b"}, {"x*"}, {"q?"}, {"\"q\""}, {"<a>"}, {"a|b"}, {"a\\b"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk(c.pszName));
        scripts.Add(Cancel());
        EXPECT_EQ(-1, m_pController->FileNew());
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_EQ(std::vector<std::string>{"A filename cannot contain any of the following characters:\n  \\ / : * "
                                           "? \" < > |"},
                  Texts(boxes));
        EXPECT_EQ(0, m_pController->GetUserAppCount());
        EXPECT_EQ(0, m_pFrame->GetChildCount());
    }
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add(TypeAndOk("Sa/les"));
    scripts.Add(TypeAndOk("Sales"));
    EXPECT_EQ(0, m_pController->FileNew());
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(std::vector<std::string>{"Sales"}, OpenNames());
}

// Offline nothing would stop New from copying the template over a program
// file of that name (whatever its case): it is refused and the file kept.
TEST_F(FileCommandsTest, NewDoesNotOverwriteAProgramFileOfThatName)
{
    WriteProgramFile(m_dir + "Sales.ed");
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    ASSERT_TRUE(GetFileAttributesExA((m_dir + "Sales.ed").c_str(), GetFileExInfoStandard, &before));
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add(TypeAndOk("sales"));
    EXPECT_EQ(1, m_pController->FileNew());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("name is currently in use"));
    EXPECT_EQ(0, m_pController->GetUserAppCount());
    WIN32_FILE_ATTRIBUTE_DATA after = {};
    ASSERT_TRUE(GetFileAttributesExA((m_dir + "Sales.ed").c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(0, CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime));
}

// Open with typed names: quoted names open each application, matched
// without regard to case; a name of no application is named in the
// message and the chooser comes back; OK with nothing shows it again.
TEST_F(FileCommandsTest, OpenFromTheChooserMatchesTypedNamesAndAsksAgain)
{
    WriteProgramFile(m_dir + "Sales.ed");
    WriteProgramFile(m_dir + "Orders.ed");
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add(TypeAndOk(""));
    scripts.Add(TypeAndOk("\"sales\" \"Nowhere\""));
    scripts.Add(TypeAndOk("\"sales\" \"ORDERS\" "));
    Send(CM_FILEOPEN);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(std::vector<std::string>{"The application with the name 'Nowhere' could not be found.\n"
                                       "Please enter a different name or select an application from the list."},
              Texts(boxes));
    EXPECT_EQ(2, m_pController->GetUserAppCount());
    EXPECT_EQ(2, m_pFrame->GetChildCount());
    // The names as typed, with the list's ID and volume, each listed as
    // recent.
    EXPECT_EQ((std::vector<std::string>{"sales", "ORDERS"}), OpenNames());
    EXPECT_STREQ("ORDERS|1|1", m_pFrame->GetRecentEntry(1));
    EXPECT_STREQ("sales|1|1", m_pFrame->GetRecentEntry(2));

    // Cancel opens nothing more.
    scripts.Add(Cancel());
    EXPECT_EQ(-1, m_pController->FileOpen(nullptr));
    EXPECT_EQ(2, m_pController->GetUserAppCount());
}

// A recent entry: its fields, with the defaults of the missing ones; an
// application open already (whatever the case of its name) is not opened
// a second time.
TEST_F(FileCommandsTest, OpenFromARecentEntryReadsItsFields)
{
    WriteProgramFile(m_dir + "Sales.ed");
    WriteProgramFile(m_dir + "Orders.ed");
    struct Case
    {
        const char* pszEntry;
        const char* pszName;
        long lId, lVolume;
    };
    const Case cases[] = {{"Sales", "Sales", 1, 0}, {"Orders|1234|3", "Orders", 1234, 3}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszEntry);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, m_pController->FileOpen(c.pszEntry));
        EXPECT_TRUE(boxes.boxes.empty());
        PXUserApp* pApp = m_pController->FindUserAppByName(c.pszName);
        ASSERT_NE(nullptr, pApp);
        EXPECT_EQ(c.lId, *PXFieldValue(PXFIELD_USER_APP_ID, pApp).GetInt32());
        EXPECT_EQ(c.lVolume, *PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pApp).GetInt32());
    }
    EXPECT_NE(nullptr, m_pController->FindUserAppByName("sales"));
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, m_pController->FileOpen("sales|1|0"));
    EXPECT_EQ(std::vector<std::string>{"The requested application is already open in the workspace."}, Texts(boxes));
    EXPECT_EQ(2, m_pController->GetUserAppCount());
    EXPECT_EQ(2, m_pFrame->GetChildCount());

    // A file that is not there opens nothing.
    boxes.boxes.clear();
    EXPECT_EQ(1, m_pController->FileOpen("Missing|5|1"));
    EXPECT_EQ(2, m_pController->GetUserAppCount());
}

// Close: without an application nothing happens and nothing is said; the
// menu's Close closes the active window, which closes its application.
TEST_F(FileCommandsTest, CloseWithoutAnApplicationIsSilentAndTheMenuClosesTheWindow)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, m_pController->FileClose());
    Send(CM_FILECLOSE);
    EXPECT_TRUE(boxes.boxes.empty());

    WriteProgramFile(m_dir + "Sales.ed");
    ASSERT_EQ(0, m_pController->FileOpen("Sales|1|1"));
    ASSERT_EQ(1, m_pFrame->GetChildCount());
    Send(CM_FILECLOSE);
    EXPECT_EQ(0, m_pFrame->GetChildCount());
    EXPECT_EQ(0, m_pController->GetUserAppCount());
    EXPECT_TRUE(boxes.boxes.empty());
    // Standalone: the program file stays.
    EXPECT_TRUE(FileExists(m_dir + "Sales.ed"));
}

// Delete: the local program files go; an open application, or a name of
// no application, is refused; with "Confirm PB Deletes" each is asked
// about and No stops there.
TEST_F(FileCommandsTest, DeleteRemovesLocalProgramFilesAndStopsWhereRefused)
{
    for (const char* psz : {"Sales", "Orders", "Billing", "Extra"})
        WriteProgramFile(m_dir + psz + ".ed");
    {
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("extra"));
        Send(CM_FILEDELETE);
        EXPECT_TRUE(scripts.AllRun());
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_FALSE(FileExists(m_dir + "Extra.ed"));
    }
    {
        // Open here: refused, the file stays.
        ASSERT_EQ(0, m_pController->FileOpen("Sales|1|1"));
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("Sales"));
        EXPECT_EQ(1, m_pController->FileDelete());
        EXPECT_EQ(std::vector<std::string>{"The application 'Sales' cannot be deleted\nbecause it is opened for "
                                           "edit.  Please close the application and try again."},
                  Texts(boxes));
        EXPECT_TRUE(FileExists(m_dir + "Sales.ed"));
    }
    {
        // With the question: Yes for the first, No for the second.
        SetOption(0x80, true);
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        boxes.Answer(IDNO);
        DialogScripts scripts;
        scripts.Add(TypeAndOk("\"Orders\" \"Billing\""));
        EXPECT_EQ(1, m_pController->FileDelete());
        EXPECT_EQ((std::vector<std::string>{"Are you sure you want to delete the application 'Orders'?",
                                            "Are you sure you want to delete the application 'Billing'?"}),
                  Texts(boxes));
        EXPECT_FALSE(FileExists(m_dir + "Orders.ed"));
        EXPECT_TRUE(FileExists(m_dir + "Billing.ed"));
    }
    {
        // Without the question every chosen application goes.
        SetOption(0x80, false);
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("Billing"));
        EXPECT_EQ(0, m_pController->FileDelete());
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_FALSE(FileExists(m_dir + "Billing.ed"));
    }
}

// A deletion that finds no program file reports that it failed: offline
// the library answers success for whatever it is given.
TEST_F(FileCommandsTest, ADeleteThatDeletesNothingFails)
{
    PXAppLinkCalls calls = PXAppLinkExports();
    // The server's list names an application whose program file is gone.
    calls.pfnFilesToPump = [](PXAppListRow** ppRows) -> int {
        static PXAppListRow rows[2] = {};
        rows[0].customerid = 1;
        rows[0].appprofid = 7;
        std::strcpy(rows[0].appname, "Ghost");
        rows[0].volumeid = 1;
        *ppRows = rows;
        return 0;
    };
    calls.pfnFreeAllocatedMemory = [](void*) -> int { return 0; };
    PXSetAppLink(calls);
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add(TypeAndOk("Ghost"));
    EXPECT_EQ(1, m_pController->FileDelete());
    EXPECT_EQ(std::vector<std::string>{"The system could not delete the application from the server.\n"
                                       "Please check the connection to the server and try again."},
              Texts(boxes));
}

// The server's refusals of a deletion and their messages.
TEST_F(FileCommandsTest, DeleteReportsTheServersRefusals)
{
    m_pController->SetStandalone(FALSE);
    struct Case
    {
        int nCode;
        const char* pszText;
    };
    const Case cases[] = {
        {24, "The application 'Sales' cannot be deleted\nbecause it is currently in use on the server."},
        {25, "The application 'Sales' cannot be deleted\nbecause it is opened for edit on another machine."},
        {26, "The application 'Sales' cannot be deleted\nbecause it is opened for edit.  Please close the "
             "application and try again."},
        {69, "You cannot delete an application that is imported by another application."},
        {70, "You cannot delete an application that is assigned to an SDN."},
        {36, "The system could not delete the application from the server.\nPlease check the connection to the "
             "server and try again."},
    };
    WriteProgramFile(m_dir + "Sales.ed");
    static int s_nCode;
    static std::string s_name;
    PXAppLinkCalls calls = PXAppLinkExports();
    calls.pfnFileDelete = [](int, int, const char* pszName, int) -> int {
        s_name = pszName;
        return s_nCode;
    };
    PXSetAppLink(calls);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nCode);
        s_nCode = c.nCode;
        s_name.clear();
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("Sales"));
        EXPECT_EQ(1, m_pController->FileDelete());
        EXPECT_EQ("Sales", s_name);
        EXPECT_EQ(std::vector<std::string>{c.pszText}, Texts(boxes));
    }
    m_pController->SetStandalone(TRUE);
}

// Locks shows its list and never checks anything: always 0.
TEST_F(FileCommandsTest, LocksAlwaysAnswersZero)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add([](HWND h) { Command(h, IDOK, BN_CLICKED); });
    EXPECT_EQ(0, m_pController->FileLocks());
    scripts.Add(Cancel());
    Send(CM_FILELOCKS);
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_TRUE(boxes.boxes.empty());
}

// The chooser's checks: the ID range with the ID check, a missing name
// with the name check; an ID of none is stored as 0.
TEST_F(FileCommandsTest, TheChoiceIsCheckedAsAsked)
{
    struct Case
    {
        BOOL bIdCheck, bNameCheck;
        long lId;
        const char* pszName;
        int nValid;
        const char* pszMessage;
    };
    const Case cases[] = {
        {TRUE, FALSE, 999, "", 0, "The application ID must be in the range 1000-49999 (inclusive)."},
        {TRUE, FALSE, 1000, "", 1, nullptr},
        {TRUE, FALSE, 49999, "", 1, nullptr},
        {TRUE, FALSE, 50000, "A", 0, "The application ID must be in the range 1000-49999 (inclusive)."},
        {FALSE, TRUE, 5, "A", 1, nullptr},
        {FALSE, TRUE, 5, "", 0, "Please enter the application name or select an application from the list."},
        {FALSE, TRUE, -1, "", 0, "Please enter the application name or select an application from the list."},
        {FALSE, TRUE, -1, "B", 0,
         "The application with the name 'B' could not be found.\nPlease enter a different name or select an "
         "application from the list."},
        {FALSE, FALSE, -1, "", 1, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.lId) + " " + c.pszName);
        std::unique_ptr<PXSoftRec> pEntry(PXSoftRec::Create(PXREC_USER_APP, FALSE));
        PXFieldValue(PXFIELD_USER_APP_ID, pEntry.get()).SetInt32(c.lId);
        PXFieldValue(PXFIELD_USER_APP_NAME, pEntry.get()).SetText(c.pszName);
        pEntry->Commit();
        MessageBoxRecorder boxes;
        EXPECT_EQ(c.nValid, m_pController->ValidateChoice(c.bIdCheck, c.bNameCheck, pEntry.get()));
        if (c.pszMessage)
            EXPECT_EQ(std::vector<std::string>{c.pszMessage}, Texts(boxes));
        else
            EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(c.lId == -1 ? 0 : c.lId, *PXFieldValue(PXFIELD_USER_APP_ID, pEntry.get()).GetInt32());
    }
}

// Typed names: each quoted name, unchanged; an unquoted text is one name;
// blank texts are none.
TEST_F(FileCommandsTest, TypedNamesAreSplitAtTheirQuotes)
{
    struct Case
    {
        const char* pszText;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"Sales", {"Sales"}},
        {" Sales ", {" Sales "}},
        {"\"Sales\" \"accounts\" \"Billing\" ", {"Sales", "accounts", "Billing"}},
        {"\"a b\"", {"a b"}},
        {"\"\" \"  \"", {}},
        {"", {}},
        {"   ", {}},
        {"\"Sales\" tail", {"Sales", " tail"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        PXRecArray names;
        EXPECT_EQ(static_cast<int>(c.names.size()), PXWinApp::ParseAppNames(c.pszText, names));
        std::vector<std::string> got;
        for (int i = 0; i < names.GetSize(); ++i)
            got.push_back(static_cast<const char*>(*PXFieldValue(PXFIELD_USER_APP_NAME, names.GetAt(i)).GetText()));
        EXPECT_EQ(c.names, got);
    }
}

// The frame's save of the active program: no page window, a read-only
// file, and a save that writes; the first save of a run makes the program
// folder current, after a relative file name was made absolute.
TEST_F(FileCommandsTest, TheFramesSaveAnswersWhatHappened)
{
    EXPECT_EQ(0, m_pFrame->FileSave());

    std::string uprog = m_dir + "UPROG";
    ASSERT_TRUE(CreateDirectoryA(uprog.c_str(), nullptr));
    char szOldKvr[MAX_PATH] = "";
    DWORD nOldKvr = GetEnvironmentVariableA("KVR", szOldKvr, sizeof(szOldKvr));
    std::string kvr = m_dir.substr(0, m_dir.size() - 1);
    SetEnvironmentVariableA("KVR", kvr.c_str());

    // A program named relative to the folder current when it was opened.
    WriteProgramFile(m_dir + "Rel.ed");
    ASSERT_TRUE(SetCurrentDirectoryA(m_dir.c_str()));
    Program* pProgram = nullptr;
    ASSERT_EQ(0, m_pFrame->OpenProgram("Rel.ed", &pProgram));
    ASSERT_NE(nullptr, pProgram);
    pProgram->SetModified();
    EXPECT_EQ(1, m_pFrame->FileSave());
    EXPECT_EQ(m_dir + "Rel.ed", pProgram->GetName());
    char szFolder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szFolder), szFolder);
    EXPECT_EQ(0, lstrcmpiA(uprog.c_str(), szFolder)) << szFolder;
    EXPECT_FALSE(FileExists(uprog + "\\Rel.ed"));

    // Read-only: refused with its box, the file untouched.
    SetFileAttributesA((m_dir + "Rel.ed").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, m_pFrame->FileSave());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Program is set to read only cannot save over.", boxes.boxes[0].text);
        EXPECT_EQ("Error!", boxes.boxes[0].caption);
        EXPECT_TRUE(boxes.boxes[0].uType & MB_ICONSTOP);
    }
    SetFileAttributesA((m_dir + "Rel.ed").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetEnvironmentVariableA("KVR", nOldKvr ? szOldKvr : nullptr);
}

// A program file open already is found by its path whatever its case and
// spelling: brought forward, not loaded a second time.
TEST_F(FileCommandsTest, OpeningAProgramOpenAlreadyIgnoresCaseAndSpelling)
{
    WriteProgramFile(m_dir + "Sales.ed");
    Program* pFirst = nullptr;
    ASSERT_EQ(0, m_pFrame->OpenProgram((m_dir + "Sales.ed").c_str(), &pFirst));
    ASSERT_TRUE(SetCurrentDirectoryA(m_dir.c_str()));
    std::string upper = m_dir;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    for (const std::string& path : {upper + "SALES.ED", std::string("sales.ed"), m_dir + "default\\..\\Sales.ed"})
    {
        SCOPED_TRACE(path);
        Program* pAgain = nullptr;
        EXPECT_EQ(0, m_pFrame->OpenProgram(path.c_str(), &pAgain));
        EXPECT_EQ(pFirst, pAgain);
        EXPECT_EQ(1, m_pFrame->GetChildCount());
    }
}

// A program opens on its page "Main", wherever its unfinished blocks are;
// the window of each other page names that page beside the program, so
// the windows of one program can be told apart.
TEST_F(FileCommandsTest, AProgramOpensOnMainAndItsPageWindowsNameTheirPages)
{
    {
        Program* pProgram = new Program("Untitled", 0);
        Page* pMain = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
        pProgram->AddPage(pMain);
        Page* pSub = new Page(pProgram, "Greeting", PX_PAGE_SUPERBLOCK, 0);
        pProgram->AddPage(pSub);
        pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK);
        // A block whose settings are still to be made.
        ASSERT_NE(nullptr, AddBlock(pSub, 402, "Choose", 200, 200));
        ASSERT_FALSE(pSub->AllBlocksFinished());
        pProgram->Activate();
        ASSERT_EQ(1, PXFileSaveProgram((m_dir + "Tour.ed").c_str(), pProgram, nullptr));
        delete pProgram;
    }
    Program* pProgram = nullptr;
    ASSERT_EQ(0, m_pFrame->OpenProgram((m_dir + "Tour.ed").c_str(), &pProgram));
    ASSERT_NE(nullptr, pProgram);
    ASSERT_EQ(1, m_pFrame->GetChildCount());
    UIMDIChild* pMainWindow = m_pFrame->GetActiveEditWindow();
    ASSERT_NE(nullptr, pMainWindow);
    ASSERT_NE(nullptr, pProgram->GetMainPage());
    EXPECT_EQ(pProgram->GetMainPage(), pMainWindow->GetPage());
    EXPECT_EQ(pProgram->GetMainPage(), m_pFrame->GetCurrentPage());

    Page* pSub = pProgram->FindPage("Greeting");
    ASSERT_NE(nullptr, pSub);
    UIMDIChild* pSubWindow = m_pFrame->OpenEditWindow(pProgram, pSub);
    ASSERT_NE(nullptr, pSubWindow);
    auto caption = [](UIMDIChild* pWindow) {
        char sz[128] = "";
        ::GetWindowTextA(pWindow->GetHandle(), sz, sizeof(sz));
        return std::string(sz);
    };
    EXPECT_EQ("Tour", caption(pMainWindow));
    EXPECT_EQ("Tour - Greeting", caption(pSubWindow));
    pProgram->SetModified();
    EXPECT_EQ("Tour *", caption(pMainWindow));
    EXPECT_EQ("Tour - Greeting *", caption(pSubWindow));
    pProgram->ClearModified();
    EXPECT_EQ("Tour - Greeting", caption(pSubWindow));
}

// Open gives the pane the application's stored zoom, brought onto the
// ladder's range when the file holds a number out of it.
TEST_F(FileCommandsTest, OpenGivesThePaneTheStoredZoomWithinItsRange)
{
    struct Case
    {
        int nStored, nShown;
    };
    // Numbers the file cannot hold give the program's default of 100; the
    // others beyond the ladder are brought onto it.
    const Case cases[] = {{70, 70}, {100, 100}, {500, 100}, {20, 35}, {1, 35}, {0, 100}, {5000, 100}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nStored);
        Program* pProgram = NewProgram();
        pProgram->Activate();
        pProgram->SetZoom(c.nStored);
        ASSERT_EQ(1, PXFileSaveProgram((m_dir + "Zoom.ed").c_str(), pProgram, nullptr));
        delete pProgram;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("Zoom"));
        Send(CM_FILEOPEN);
        EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetActiveEditWindow());
        ASSERT_NE(nullptr, pWindow);
        EXPECT_EQ(c.nShown, pWindow->GetEditPane()->GetZoom());
        MessageBoxRecorder boxes;
        boxes.nDefault = IDNO;
        Send(CM_FILECLOSE);
        ASSERT_EQ(0, m_pController->GetUserAppCount());
    }
}

// Exit asks the frame to close: a modified program's question comes, and
// Cancel keeps everything open.
TEST_F(FileCommandsTest, ExitClosesTheFrameThroughItsQuestions)
{
    WriteProgramFile(m_dir + "Sales.ed");
    ASSERT_EQ(0, m_pController->FileOpen("Sales|1|1"));
    m_pController->FindUserAppByName("Sales")->SetModified();
    MessageBoxRecorder boxes;
    boxes.nDefault = IDCANCEL;
    Send(CM_EXIT);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Save changes to Sales?", boxes.boxes[0].text);
    EXPECT_TRUE(IsWindow(m_pFrame->HWindow));
    EXPECT_EQ(1, m_pFrame->GetChildCount());
}

// The commands on the active application refuse without one, each with
// its own message; Close alone says nothing.
TEST_F(FileCommandsTest, CommandsWithoutAnApplicationSaySo)
{
    struct Case
    {
        int (PXWinApp::*pfn)();
        const char* pszText;
    };
    const Case cases[] = {
        {&PXWinApp::FileSave, "Select an application window before attempting to save."},
        {&PXWinApp::FileSaveAs, "Select an application window before attempting to save."},
        {&PXWinApp::FileProperties, "Select an application window before attempting to edit properties."},
        {&PXWinApp::FileImport, "Select an application window before attempting to import."},
        {&PXWinApp::FileRemoveImport, "Select an application window before attempting to remove an import."},
        {&PXWinApp::FileExport, "Select an application window before attempting to export."},
        {&PXWinApp::FileUndoExport, "Select an application window before attempting to undo export."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        EXPECT_EQ(-1, (m_pController.get()->*c.pfn)());
        EXPECT_EQ(std::vector<std::string>{c.pszText}, Texts(boxes));
        EXPECT_TRUE(scripts.captions.empty());
    }
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, m_pController->FileClose());
    EXPECT_TRUE(boxes.boxes.empty());
}

// Undo Export of an application that is not exported, and Export of one
// that is (or is incomplete), are refused before the server is asked.
TEST_F(FileCommandsTest, ExportAndUndoExportRefuseTheWrongState)
{
    WriteProgramFile(m_dir + "Sales.ed");
    ASSERT_EQ(0, m_pController->FileOpen("Sales|1000|1"));
    PXUserApp* pApp = m_pController->GetActiveUserApp();
    ASSERT_NE(nullptr, pApp);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(-1, m_pController->FileUndoExport());
        EXPECT_EQ(std::vector<std::string>{"The application is not exported."}, Texts(boxes));
    }
    pApp->SetExported(TRUE);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(-1, m_pController->FileExport());
        EXPECT_EQ(std::vector<std::string>{pApp->IsComplete() ? "The application is already exported."
                                                               : "This application is incomplete.  It must be "
                                                                 "made complete before it can be exported."},
                  Texts(boxes));
    }
}

// Save As onto an application open here is refused whatever the case of
// its name ("sales" must not overwrite "Sales"); OK brings the chooser
// back, Cancel ends it, and nothing enters the recent list.
TEST_F(FileCommandsTest, SaveAsOntoAnOpenApplicationIsRefusedWhateverItsCase)
{
    WriteProgramFile(m_dir + "Sales.ed");
    WriteProgramFile(m_dir + "Orders.ed");
    ASSERT_EQ(0, m_pController->FileOpen("Sales|1000|1"));
    ASSERT_EQ(0, m_pController->FileOpen("Orders|1001|1"));
    int nRecent = m_pFrame->GetRecentCount();
    MessageBoxRecorder boxes;
    boxes.Answer(IDOK);         // refused: choose again
    boxes.Answer(IDOK);         // the refused characters
    boxes.Answer(IDCANCEL);     // refused: give up
    DialogScripts scripts;
    scripts.Add(TypeAndOk("sales"));
    scripts.Add(TypeAndOk("Bad/Name"));
    scripts.Add(TypeAndOk("ORDERS"));
    EXPECT_EQ(-1, m_pController->FileSaveAs());
    EXPECT_TRUE(scripts.AllRun());
    EXPECT_EQ(0, scripts.nUnscripted);
    const std::string refused =
        "This file is open for editing and cannot be overwritten.\nPlease use a different name and id.";
    EXPECT_EQ((std::vector<std::string>{refused,
                                        "A filename cannot contain any of the following characters:\n  \\ / : * ? "
                                        "\" < > |",
                                        refused}),
              Texts(boxes));
    EXPECT_EQ(nRecent, m_pFrame->GetRecentCount());
    EXPECT_EQ(2, m_pController->GetUserAppCount());
}

// Save As answers what happened: a refused save keeps the recent list as
// it was and answers 1; a good one lists the new name and answers 0.
TEST_F(FileCommandsTest, SaveAsListsTheNewNameOnlyWhenSaved)
{
    WriteProgramFile(m_dir + "Sales.ed");
    ASSERT_EQ(0, m_pController->FileOpen("Sales|1000|1"));
    m_pController->SetStandalone(FALSE);
    PXAppLinkCalls calls = PXAppLinkExports();
    calls.pfnFileSaveAs = [](int, int, int, int, int, const char*, int, int, PXFileInfo*) -> int { return 36; };
    PXSetAppLink(calls);
    {
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add([](HWND h) {
            Type(h, ID, "2000");
            Type(h, NAME, "Copy");
            Command(h, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(1, m_pController->FileSaveAs());
        EXPECT_FALSE(boxes.boxes.empty());
        for (int n = 1; n <= m_pFrame->GetRecentCount(); ++n)
            EXPECT_NE(0, strncmp("Copy|", m_pFrame->GetRecentEntry(n), 5)) << m_pFrame->GetRecentEntry(n);
    }
    m_pController->SetStandalone(TRUE);
    PXSetAppLink(PXAppLinkExports());
    {
        MessageBoxRecorder boxes;
        DialogScripts scripts;
        scripts.Add(TypeAndOk("Copy"));
        EXPECT_EQ(0, m_pController->FileSaveAs());
        EXPECT_TRUE(FileExists(m_dir + "Copy.ed"));
        ASSERT_GE(m_pFrame->GetRecentCount(), 1);
        // The volume is the chooser's, the application's own volume 1.
        EXPECT_STREQ("Copy|1000|1", m_pFrame->GetRecentEntry(1));
    }
}
