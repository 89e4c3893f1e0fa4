// User applications saved, built, saved under another name, exported and
// given back their export under the editor's own main frame. The client
// library's answers are the test's; the local files and the build are real.
#include "UserAppTestSupport.h"
#include "CUserAppChecker.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

const char kMarker[] = "This application is newly restored. Administrator must reopen and resave.";

const char kDiskFull[] = "Server disk is full. Server will not perform any operation";
const char kDatabaseFull[] = "Database space is full.Server will not perform any operation";
const char kMisaFull[] = "MISA space is full.Server will not perform any operation";
const char kNotSaved[] = "The system could not save the application on the server.\r\n"
                         "Please check the connection to the server and try again.";
const char kPropsNotSent[] = "The system could not update the application properties on the server.\r\n"
                             "Please check the connection to the server and try again.";
const char kNotExported[] = "The system could not export the application on the server.\r\n"
                            "Please check the connection to the server and try again.";
const char kExportNotUndone[] = "The system could not undo the export of the application on the server.\r\n"
                                "Please check the connection to the server and try again.";
const char kAssigned[] = "This application is assigned to an SDN. Cannot make it incomplete!";
const char kIncomplete[] = "Incomplete applications cannot be put into service.";
const char kNotBuilt[] = "The run-time files of the application could not be built.\r\n"
                         "The application cannot be saved as complete.";

// The client library's saves, answered by the test: each call is recorded
// with the message boxes shown before it; a good answer fills the file
// information from reply.
struct SaveLink
{
    struct Call
    {
        int nAppID;
        int nComplete;
        int nSaveType;
        int nNewAppID;
        std::string newName;
        int nNewVolume;
        int nModNum;
        size_t nBoxesBefore;
    };
    inline static std::vector<Call> saves;
    inline static std::vector<Call> saveAses;
    inline static std::vector<PXAppProfileInfo> properties;
    inline static int nSaveResult = 0;
    inline static int nSaveAsResult = 0;
    inline static int nPropertiesResult = 0;
    inline static PXFileInfo reply;
    inline static MessageBoxRecorder* pBoxes = nullptr;

    static void Reset()
    {
        saves.clear();
        saveAses.clear();
        properties.clear();
        nSaveResult = nSaveAsResult = nPropertiesResult = 0;
        std::memset(&reply, 0, sizeof(reply));
        pBoxes = nullptr;
    }
    static size_t Boxes() { return pBoxes ? pBoxes->boxes.size() : 0; }

    static int __cdecl Save(int, int nAppID, int nComplete, int nSaveType, PXFileInfo* pInfo)
    {
        saves.push_back({nAppID, nComplete, nSaveType, 0, "", 0, 0, Boxes()});
        if (nSaveResult == 0)
            *pInfo = reply;
        return nSaveResult;
    }
    static int __cdecl SaveAs(int, int nAppID, int nComplete, int, int nNewAppID, const char* pszNewName,
                              int nNewVolume, int nModNum, PXFileInfo* pInfo)
    {
        saveAses.push_back({nAppID, nComplete, 0, nNewAppID, pszNewName, nNewVolume, nModNum, Boxes()});
        if (nSaveAsResult == 0)
            *pInfo = reply;
        return nSaveAsResult;
    }
    static int __cdecl Properties(PXAppProfileInfo* pProfile)
    {
        properties.push_back(*pProfile);
        return nPropertiesResult;
    }
};

DWORD DiagLevel = 1;
DWORD QueryDiagLevel()
{
    return DiagLevel;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A Menu block whose outputs lead nowhere leaves the program incomplete.
void AddUnfinishedBlock(Program* pProgram)
{
    int nType = 0;
    PowerBlockIcon* pIcon = IconForBlockType(402, nType);
    ASSERT_EQ(402, nType);
    int nRetry = 0;
    PowerBlock* pBlock = new PowerBlock(pProgram->GetMainPage(), "Choose", pIcon->GetInfo(), pIcon, 200, 200,
                                        &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(pBlock->HasHandle());
    pProgram->GetMainPage()->AddObject(pBlock);
}

// Without its unfinished default blocks the program is complete.
void MakeComplete(Program* pProgram)
{
    Page* pMain = pProgram->GetMainPage();
    std::vector<PowerBlock*> unfinished;
    pMain->ForEachBlock(
        [](PowerBlock* pBlock, void* pData) {
            if (!pBlock->IsFinished())
                static_cast<std::vector<PowerBlock*>*>(pData)->push_back(pBlock);
        },
        &unfinished);
    for (PowerBlock* pBlock : unfinished)
        pMain->RemoveBlock(pBlock);
    ASSERT_EQ(1, pProgram->AllPagesFinished(0));
}

} // namespace

class UserAppSaveTest : public UserAppFixture
{
protected:
    void SetUp() override
    {
        UserAppFixture::SetUp();
        SaveLink::Reset();
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnFileSave = SaveLink::Save;
        calls.pfnFileSaveAs = SaveLink::SaveAs;
        calls.pfnFileProperties = SaveLink::Properties;
        PXSetAppLink(calls);
        // The program diagnostics are off unless a test turns them on.
        DiagLevel = 1;
        m_pfnOldDiag = PXSetDiagLevelQuery(QueryDiagLevel);
    }
    void TearDown() override
    {
        PXSetDiagLevelQuery(m_pfnOldDiag);
        UserAppFixture::TearDown();
    }

    // An application opened from its local program file, complete unless
    // told otherwise; its program modified as by an edit.
    PXUserApp* OpenApp(const char* pszName, long lId, bool bComplete = true)
    {
        WriteProgramFile(m_dir + pszName + ".ed", bComplete ? MakeComplete : AddUnfinishedBlock);
        PXUserApp* pUserApp = NewUserApp(pszName, lId);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, pUserApp->Open(PXOPEN_EXISTING));
        EXPECT_NE(nullptr, pUserApp->GetProgram());
        if (pUserApp->GetProgram())
        {
            EXPECT_EQ(bComplete, pUserApp->IsComplete() != FALSE);
            pUserApp->SetModified();
        }
        return pUserApp;
    }

    std::string Path(const char* pszName, const char* pszExt) const { return m_dir + pszName + pszExt; }

    static std::vector<std::string> Texts(const MessageBoxRecorder& boxes)
    {
        std::vector<std::string> texts;
        for (const PXShownBox& box : boxes.boxes)
            texts.push_back(box.text);
        return texts;
    }
    // The boxes shown, without the diagnostics' own findings.
    static std::vector<std::string> Messages(const MessageBoxRecorder& boxes)
    {
        std::vector<std::string> texts;
        for (const PXShownBox& box : boxes.boxes)
            if (box.caption.find("Diagnostic") == std::string::npos &&
                box.caption.find("Loop") == std::string::npos)
                texts.push_back(box.text);
        return texts;
    }
    static std::vector<std::string> One(const char* pszText)
    {
        return pszText && *pszText ? std::vector<std::string>{pszText} : std::vector<std::string>{};
    }

    static void SetDescription(PXUserApp* pUserApp, const char* pszText)
    {
        PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, pUserApp).SetText(pszText);
        pUserApp->Commit();
    }
    static long Int(PXSoftRec* pRec, WORD wField) { return *PXFieldValue(wField, pRec).GetInt32(); }
    static PowerBlock* FindBlock(PXUserApp* pUserApp, const char* pszName)
    {
        return pUserApp->GetProgram()->GetMainPage()->FindBlockByName(pszName);
    }

    PXDiagLevelQuery m_pfnOldDiag = nullptr;
};

// ---------------------------------------------------------------------------
// The local save and the build

TEST_F(UserAppSaveTest, ALocalSaveWritesTheProgramAndAsksNothingOfTheServer)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    ASSERT_TRUE(DeleteFileA(Path("Sales", ".ed").c_str()));
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->Save(0));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(FileExists(Path("Sales", ".ed")));
    EXPECT_FALSE(pUserApp->IsModified());
    EXPECT_TRUE(SaveLink::saves.empty());
    EXPECT_TRUE(SaveLink::properties.empty());
    // Nothing is built without the server save.
    EXPECT_FALSE(FileExists(Path("Sales", ".run")));

    // The recovery copy is the same local save.
    pUserApp->SetModified();
    ASSERT_TRUE(DeleteFileA(Path("Sales", ".ed").c_str()));
    EXPECT_EQ(0, pUserApp->SaveRecoveryCopy());
    EXPECT_TRUE(FileExists(Path("Sales", ".ed")));
    EXPECT_TRUE(SaveLink::saves.empty());
}

// A restored application's marker is cleared on the server before anything
// else; when the server refuses, nothing is saved.
TEST_F(UserAppSaveTest, TheRestoredMarkerIsClearedOnTheServerFirst)
{
    struct Case
    {
        int nResult;
        int nSave;
        const char* pszMessage;
    };
    const Case cases[] = {
        {0, 0, ""},
        {PXRC_SERVER_DISK_FULL, 1, kDiskFull},
        {PXRC_MISA_FULL, 1, kMisaFull},
        {PXRC_DIRECTORY_FAILED, 1, kPropsNotSent},
    };
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nResult);
        SaveLink::Reset();
        SaveLink::nPropertiesResult = c.nResult;
        SetDescription(pUserApp, kMarker);
        DeleteFileA(Path("Sales", ".ed").c_str());
        MessageBoxRecorder boxes;
        EXPECT_EQ(c.nSave, pUserApp->Save(0));
        EXPECT_EQ(One(c.pszMessage), Texts(boxes));
        ASSERT_EQ(1u, SaveLink::properties.size());
        EXPECT_STREQ("", SaveLink::properties[0].appdescr);
        EXPECT_EQ(1500, SaveLink::properties[0].appprofid);
        EXPECT_EQ("", Text(pUserApp, PXFIELD_USER_APP_DESCRIPTION));
        EXPECT_EQ(c.nSave == 0, FileExists(Path("Sales", ".ed")));
        EXPECT_TRUE(SaveLink::saves.empty());
    }
    // Without the marker the server is not asked.
    SaveLink::Reset();
    SetDescription(pUserApp, "Sales line");
    EXPECT_EQ(0, pUserApp->Save(0));
    EXPECT_TRUE(SaveLink::properties.empty());
}

// A complete application is built into its run-time file; an exported one
// also gets the RLL copy of it; an incomplete one neither.
TEST_F(UserAppSaveTest, ACompleteApplicationIsBuiltAndAnExportedOneCopiedToItsRll)
{
    struct Case
    {
        bool bComplete;
        bool bExported;
        bool bRun;
        bool bRll;
    };
    const Case cases[] = {
        {true, false, true, false},
        {true, true, true, true},
        {false, true, false, false},
    };
    // A complete program is diagnosed before it is built: its End and
    // Attendant blocks cannot be reached.
    DiagLevel = 8;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bComplete << c.bExported);
        std::string name = c.bComplete ? (c.bExported ? "Exported" : "Complete") : "Partial";
        PXUserApp* pUserApp = OpenApp(name.c_str(), 1500, c.bComplete);
        pUserApp->SetExported(c.bExported);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, pUserApp->Save(1));
        int nDiagnostics = 0;
        for (const PXShownBox& box : boxes.boxes)
            if (box.caption == "Plexwright Program Diagnostics")
            {
                ++nDiagnostics;
                EXPECT_NE(std::string::npos, box.text.find("\"End\""));
            }
        EXPECT_EQ(c.bComplete ? 1 : 0, nDiagnostics);
        EXPECT_EQ(c.bRun, FileExists(Path(name.c_str(), ".run")));
        EXPECT_EQ(c.bRll, FileExists(Path(name.c_str(), ".rll")));
        if (c.bRll)
        {
            EXPECT_EQ(ReadFile(Path(name.c_str(), ".run")), ReadFile(Path(name.c_str(), ".rll")));
        }
        ASSERT_EQ(1u, SaveLink::saves.size());
        EXPECT_EQ(c.bComplete ? 1 : 0, SaveLink::saves[0].nComplete);
        SaveLink::Reset();
    }
}

// The server's answer to a save: its profile becomes the fields, or a
// message and a program that stays modified.
TEST_F(UserAppSaveTest, TheServersAnswerToASave)
{
    struct Case
    {
        int nResult;
        const char* pszMessage;
    };
    const Case cases[] = {
        {0, ""},
        {PXRC_USER_SAID_NO, ""},
        {PXRC_SERVER_DISK_FULL, kDiskFull},
        {PXRC_DATABASE_FULL, kDatabaseFull},
        {PXRC_MISA_FULL, kMisaFull},
        {PXRC_TARGET_ASSIGNED, kAssigned},
        {PXRC_DIRECTORY_FAILED, kNotSaved},
        {PXRC_FAILURE, kNotSaved},
    };
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    m_pController->SetStandalone(FALSE);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nResult);
        SaveLink::Reset();
        SaveLink::nSaveResult = c.nResult;
        SaveLink::reply.profile.customerid = 1;
        SaveLink::reply.profile.appprofid = 1500;
        std::strcpy(SaveLink::reply.profile.appname, "Sales");
        SaveLink::reply.profile.appvernum = 7;
        SaveLink::reply.profile.apppreviousvernum = 6;
        SaveLink::reply.profile.modnum = 12;
        SaveLink::reply.profile.volumeid = 1;
        pUserApp->SetModified();
        MessageBoxRecorder boxes;
        EXPECT_EQ(c.nResult == 0 ? 0 : 1, pUserApp->Save(1));
        EXPECT_EQ(One(c.pszMessage), Messages(boxes));
        ASSERT_EQ(1u, SaveLink::saves.size());
        EXPECT_EQ(1500, SaveLink::saves[0].nAppID);
        EXPECT_EQ(1, SaveLink::saves[0].nComplete);
        EXPECT_EQ(PX_SAVE_SAVE, SaveLink::saves[0].nSaveType);
        EXPECT_EQ(c.nResult != 0, pUserApp->IsModified() != FALSE);
        if (c.nResult == 0)
        {
            EXPECT_EQ(7, Int(pUserApp, PXFIELD_USER_APP_VERSION_NUMBER));
            EXPECT_EQ(6, Int(pUserApp, PXFIELD_USER_APP_PREVIOUS_VERSION_NUMBER));
            EXPECT_EQ(12, Int(pUserApp, PXFIELD_USER_APP_MODIFICATION_NUMBER));
            // The program file holds the new profile.
            PXFileInfoCopy copy;
            std::memcpy(&copy, pUserApp->GetProgram()->GetFileInfo(), sizeof(copy));
            EXPECT_EQ(7, copy.profile.appvernum);
            EXPECT_EQ(12, copy.profile.modnum);
        }
    }
}

// An incomplete application is saved as incomplete, after a box unless the
// diagnostics are off.
TEST_F(UserAppSaveTest, AnIncompleteApplicationIsSavedAfterTheBoxUnlessDiagnosticsAreOff)
{
    struct Case
    {
        DWORD dwLevel;
        bool bBox;
    };
    const Case cases[] = {{1, false}, {2, true}, {4, true}, {8, true}};
    PXUserApp* pUserApp = OpenApp("Partial", 1500, false);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dwLevel);
        SaveLink::Reset();
        DiagLevel = c.dwLevel;
        MessageBoxRecorder boxes;
        SaveLink::pBoxes = &boxes;
        EXPECT_EQ(0, pUserApp->Save(1));
        ASSERT_EQ(1u, SaveLink::saves.size());
        EXPECT_EQ(0, SaveLink::saves[0].nComplete);
        if (c.bBox)
        {
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ(kIncomplete, boxes.boxes[0].text);
            EXPECT_EQ("Plexwright Alert", boxes.boxes[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.boxes[0].uType & MB_ICONMASK);
            EXPECT_EQ(1u, SaveLink::saves[0].nBoxesBefore);
        }
        else
            EXPECT_TRUE(boxes.boxes.empty());
    }
}

// A program file that cannot be written is not sent: the save fails and the
// program stays modified.
TEST_F(UserAppSaveTest, AFailedLocalSaveSendsNothingAndKeepsTheProgramModified)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    m_pController->SetStandalone(FALSE);
    // Another program holds the program file open and shares it with no
    // one: it cannot be replaced.
    std::string before = ReadFile(Path("Sales", ".ed"));
    HANDLE hHeld = CreateFileA(Path("Sales", ".ed").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    struct Case
    {
        const char* pszOperation;
        int (*pfn)(PXUserApp*);
    };
    const Case cases[] = {
        {"save", [](PXUserApp* p) { return p->Save(1); }},
        {"local save", [](PXUserApp* p) { return p->Save(0); }},
        {"recovery copy", [](PXUserApp* p) { return p->SaveRecoveryCopy(); }},
        {"export", [](PXUserApp* p) { return p->Export(); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszOperation);
        SaveLink::Reset();
        MessageBoxRecorder boxes;   // the writer's own message
        EXPECT_EQ(1, c.pfn(pUserApp));
        EXPECT_FALSE(boxes.boxes.empty());
        EXPECT_TRUE(SaveLink::saves.empty());
        EXPECT_TRUE(pUserApp->IsModified());
    }
    CloseHandle(hHeld);
    EXPECT_EQ(before, ReadFile(Path("Sales", ".ed")));
    // The export took its Continue block away again.
    EXPECT_EQ(nullptr, FindBlock(pUserApp, "Continue"));
    EXPECT_FALSE(pUserApp->IsExported());
}

// A build that fails is reported and the application goes to the server
// as incomplete; no RLL copy is made.
TEST_F(UserAppSaveTest, AFailedBuildIsNotSavedAsComplete)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    pUserApp->SetExported(TRUE);
    ASSERT_TRUE(CreateDirectoryA(Path("Sales", ".run").c_str(), nullptr));
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->Save(1));
    std::vector<std::string> messages = Messages(boxes);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(kNotBuilt, messages[0]);
    ASSERT_EQ(1u, SaveLink::saves.size());
    EXPECT_EQ(0, SaveLink::saves[0].nComplete);
    EXPECT_FALSE(FileExists(Path("Sales", ".rll")));
}

// Saving an application writes its own program, whichever window is
// active.
TEST_F(UserAppSaveTest, ASaveWritesTheApplicationsOwnProgramNotTheActiveOne)
{
    PXUserApp* pFirst = OpenApp("First", 1500);
    PXUserApp* pSecond = OpenApp("Second", 1600);
    ASSERT_EQ(pSecond->GetProgram(), m_pFrame->GetCurrentProgram());
    ASSERT_TRUE(DeleteFileA(Path("First", ".ed").c_str()));
    ASSERT_TRUE(DeleteFileA(Path("Second", ".ed").c_str()));
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pFirst->Save(1));
    EXPECT_TRUE(FileExists(Path("First", ".ed")));
    EXPECT_TRUE(FileExists(Path("First", ".run")));
    EXPECT_FALSE(FileExists(Path("Second", ".ed")));
    EXPECT_FALSE(FileExists(Path("Second", ".run")));
    EXPECT_FALSE(pFirst->IsModified());
    EXPECT_TRUE(pSecond->IsModified());
    ASSERT_EQ(1u, SaveLink::saves.size());
    EXPECT_EQ(1500, SaveLink::saves[0].nAppID);
}

// ---------------------------------------------------------------------------
// Save As

TEST_F(UserAppSaveTest, SaveAsOnTheServerTakesTheNewNameAndDropsTheOldFiles)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, pUserApp).SetInt32(4);
    pUserApp->Commit();
    m_pController->SetStandalone(FALSE);
    SaveLink::reply.profile.customerid = 1;
    SaveLink::reply.profile.appprofid = 1700;
    std::strcpy(SaveLink::reply.profile.appname, "Copy");
    SaveLink::reply.profile.appvernum = 1;
    SaveLink::reply.profile.volumeid = 2;
    PXUserApp target{CString("Copy")};
    PXFieldValue(PXFIELD_USER_APP_ID, &target).SetInt32(1700);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, &target).SetInt32(2);
    target.Commit();

    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->SaveAs(&target));
    EXPECT_TRUE(Messages(boxes).empty());
    ASSERT_EQ(1u, SaveLink::saveAses.size());
    const SaveLink::Call& call = SaveLink::saveAses[0];
    EXPECT_EQ(1500, call.nAppID);
    EXPECT_EQ(1, call.nComplete);
    EXPECT_EQ(1700, call.nNewAppID);
    EXPECT_EQ("Copy", call.newName);
    EXPECT_EQ(2, call.nNewVolume);
    EXPECT_EQ(4, call.nModNum);
    EXPECT_EQ("Copy", Text(pUserApp, PXFIELD_USER_APP_NAME));
    EXPECT_EQ(1700, Int(pUserApp, PXFIELD_USER_APP_ID));
    EXPECT_EQ(2, Int(pUserApp, PXFIELD_USER_APP_VOLUME_ID));
    EXPECT_EQ(1, Int(pUserApp, PXFIELD_USER_APP_VERSION_NUMBER));
    EXPECT_EQ(Path("Copy", ".ed"), pUserApp->GetProgram()->GetName());
    EXPECT_TRUE(FileExists(Path("Copy", ".ed")));
    EXPECT_TRUE(FileExists(Path("Copy", ".run")));
    EXPECT_FALSE(FileExists(Path("Sales", ".ed")));
    char szCaption[64] = "";
    ::GetWindowTextA(m_pFrame->GetChild(0)->GetHandle(), szCaption, sizeof(szCaption));
    EXPECT_STREQ("Copy", szCaption);
}

// A refused Save As leaves the application under its own name and ID and
// removes what was written under the new name.
TEST_F(UserAppSaveTest, ARefusedSaveAsKeepsTheOldNameAndRemovesTheNewFiles)
{
    struct Case
    {
        int nResult;
        const char* pszMessage;
    };
    const Case cases[] = {
        {PXRC_SAVEAS_LOCKED_BY_OTHER, "The target application is locked by another PC."},
        {PXRC_USER_SAID_NO, ""},
        {PXRC_DATABASE_FULL, kDatabaseFull},
        {PXRC_TARGET_IMPORTED, "Cannot save a non-exported application as an imported application."},
        {PXRC_TARGET_ASSIGNED, kAssigned},
        {PXRC_ID_TAKEN, "The application could not be created because the specified\r\n"
                        "application ID is currently in use."},
        {PXRC_NAME_TAKEN, "The application could not be created because the specified\r\n"
                          "application name is currently in use."},
        {PXRC_DIRECTORY_FAILED, kNotSaved},
    };
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    m_pController->SetStandalone(FALSE);
    PXUserApp target{CString("Copy")};
    PXFieldValue(PXFIELD_USER_APP_ID, &target).SetInt32(1700);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, &target).SetInt32(2);
    target.Commit();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nResult);
        SaveLink::Reset();
        SaveLink::nSaveAsResult = c.nResult;
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, pUserApp->SaveAs(&target));
        EXPECT_EQ(One(c.pszMessage), Messages(boxes));
        EXPECT_EQ(1u, SaveLink::saveAses.size());
        EXPECT_EQ("Sales", Text(pUserApp, PXFIELD_USER_APP_NAME));
        EXPECT_EQ(1500, Int(pUserApp, PXFIELD_USER_APP_ID));
        EXPECT_EQ(1, Int(pUserApp, PXFIELD_USER_APP_VOLUME_ID));
        EXPECT_EQ(Path("Sales", ".ed"), pUserApp->GetProgram()->GetName());
        EXPECT_FALSE(FileExists(Path("Copy", ".ed")));
        EXPECT_FALSE(FileExists(Path("Copy", ".run")));
        EXPECT_TRUE(FileExists(Path("Sales", ".ed")));
        EXPECT_TRUE(pUserApp->IsModified());
    }
}

// In standalone mode the library answers a Save As without a profile: the
// application keeps the name, ID and volume it was given, and the old
// name's files, which are the user's own, stay.
TEST_F(UserAppSaveTest, AStandaloneSaveAsKeepsTheNewIdentityAndTheOldFiles)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    // What the library leaves in the record it was given is not a profile.
    std::memset(&SaveLink::reply, 0x5A, sizeof(SaveLink::reply));
    PXUserApp target{CString("Copy")};
    PXFieldValue(PXFIELD_USER_APP_ID, &target).SetInt32(1700);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, &target).SetInt32(2);
    target.Commit();
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->SaveAs(&target));
    EXPECT_EQ("Copy", Text(pUserApp, PXFIELD_USER_APP_NAME));
    EXPECT_EQ(1700, Int(pUserApp, PXFIELD_USER_APP_ID));
    EXPECT_EQ(2, Int(pUserApp, PXFIELD_USER_APP_VOLUME_ID));
    EXPECT_EQ(0, Int(pUserApp, PXFIELD_USER_APP_VERSION_NUMBER));
    EXPECT_EQ("", Text(pUserApp, PXFIELD_USER_APP_DESCRIPTION));
    EXPECT_TRUE(FileExists(Path("Copy", ".ed")));
    EXPECT_TRUE(FileExists(Path("Sales", ".ed")));
    PXFileInfoCopy copy;
    std::memcpy(&copy, pUserApp->GetProgram()->GetFileInfo(), sizeof(copy));
    EXPECT_EQ(1700, copy.profile.appprofid);
    EXPECT_STREQ("Copy", copy.profile.appname);

    // With the library itself.
    PXAppLinkCalls calls = PXAppLink();
    calls.pfnFileSaveAs = PXAppLinkExports().pfnFileSaveAs;
    PXSetAppLink(calls);
    PXUserApp again{CString("Third")};
    PXFieldValue(PXFIELD_USER_APP_ID, &again).SetInt32(1800);
    again.Commit();
    EXPECT_EQ(0, pUserApp->SaveAs(&again));
    EXPECT_EQ("Third", Text(pUserApp, PXFIELD_USER_APP_NAME));
    EXPECT_EQ(1800, Int(pUserApp, PXFIELD_USER_APP_ID));
    EXPECT_TRUE(FileExists(Path("Third", ".ed")));
    EXPECT_TRUE(FileExists(Path("Copy", ".ed")));
}

// ---------------------------------------------------------------------------
// Export and undo export

TEST_F(UserAppSaveTest, ExportPlacesTheContinueBlockAndSavesAsComplete)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->Export());
    EXPECT_TRUE(Messages(boxes).empty());
    PowerBlock* pContinue = FindBlock(pUserApp, "Continue");
    ASSERT_NE(nullptr, pContinue);
    EXPECT_EQ(401, pContinue->GetType());
    EXPECT_TRUE(pUserApp->IsExported());
    ASSERT_EQ(1u, SaveLink::saves.size());
    EXPECT_EQ(PX_SAVE_EXPORT, SaveLink::saves[0].nSaveType);
    EXPECT_EQ(1, SaveLink::saves[0].nComplete);
    EXPECT_TRUE(FileExists(Path("Sales", ".rll")));
    EXPECT_FALSE(pUserApp->IsModified());
    // The page window shows it.
    EditMDI* pWindow = dynamic_cast<EditMDI*>(m_pFrame->GetChild(0));
    ASSERT_NE(nullptr, pWindow);
    EXPECT_NE(nullptr, pWindow->GetEditPane()->FindOwnDisplayObject(pContinue, PX_CLASS_POWERBLOCKOBJECT));
}

// A refused export takes away the Continue block it placed, and only that
// one: a block of that name that the page had already stays.
TEST_F(UserAppSaveTest, ARefusedExportRemovesOnlyTheContinueBlockItPlaced)
{
    struct Case
    {
        int nResult;
        const char* pszMessage;
        bool bOwnBlock;
    };
    const Case cases[] = {
        {PXRC_SERVER_DISK_FULL, kDiskFull, false},
        {PXRC_USER_SAID_NO, kNotExported, false},
        {PXRC_DIRECTORY_FAILED, kNotExported, false},
        {PXRC_DIRECTORY_FAILED, kNotExported, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nResult << c.bOwnBlock);
        std::string name = "App" + std::to_string(&c - cases);
        PXUserApp* pUserApp = OpenApp(name.c_str(), 1500 + static_cast<long>(&c - cases));
        PowerBlock* pOwn = nullptr;
        if (c.bOwnBlock)
        {
            pOwn = AddBlock(pUserApp->GetProgram()->GetMainPage(), 401, "Continue", 100, 100);
            ASSERT_NE(nullptr, pOwn);
        }
        SaveLink::Reset();
        SaveLink::nSaveResult = c.nResult;
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, pUserApp->Export());
        EXPECT_EQ(One(c.pszMessage), Messages(boxes));
        EXPECT_FALSE(pUserApp->IsExported());
        EXPECT_TRUE(pUserApp->IsModified());
        EXPECT_EQ(pOwn, FindBlock(pUserApp, "Continue"));
    }
}

TEST_F(UserAppSaveTest, UndoExportTakesTheContinueBlockAwayOrPutsItBack)
{
    struct Case
    {
        int nResult;
        const char* pszMessage;
    };
    const Case cases[] = {
        {0, ""},
        {PXRC_UNDOEXPORT_INCOMPLETE_USED,
         "You cannot make an application that is exported and/or assigned incomplete."},
        {PXRC_UNDOEXPORT_COMPLETE_USED, "You cannot UndoExport on imported applications."},
        {PXRC_USER_SAID_NO, ""},
        {PXRC_MISA_FULL, kMisaFull},
        {PXRC_DIRECTORY_FAILED, kExportNotUndone},
    };
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nResult);
        SaveLink::Reset();
        if (!FindBlock(pUserApp, "Continue"))
        {
            ASSERT_EQ(0, pUserApp->Export());
        }
        ASSERT_TRUE(pUserApp->IsExported());
        SaveLink::Reset();
        SaveLink::nSaveResult = c.nResult;
        MessageBoxRecorder boxes;
        EXPECT_EQ(c.nResult == 0 ? 0 : 1, pUserApp->UndoExport());
        EXPECT_EQ(One(c.pszMessage), Messages(boxes));
        ASSERT_EQ(1u, SaveLink::saves.size());
        EXPECT_EQ(PX_SAVE_UNDOEXPORT, SaveLink::saves[0].nSaveType);
        EXPECT_EQ(1, SaveLink::saves[0].nComplete);
        EXPECT_EQ(c.nResult != 0, pUserApp->IsExported() != FALSE);
        EXPECT_EQ(c.nResult != 0, FindBlock(pUserApp, "Continue") != nullptr);
        EXPECT_EQ(c.nResult != 0, pUserApp->IsModified() != FALSE);
    }
}

// ---------------------------------------------------------------------------
// Properties

TEST_F(UserAppSaveTest, PropertiesGoToTheServerWithTheProgramsState)
{
    struct Case
    {
        int nResult;
        int nAnswer;
        const char* pszMessage;
    };
    const Case cases[] = {
        {0, 0, ""},
        {PXRC_SERVER_DISK_FULL, 1, kDiskFull},
        {PXRC_DIRECTORY_FAILED, 1, kPropsNotSent},
    };
    PXUserApp* pComplete = OpenApp("Complete", 1500);
    PXUserApp* pPartial = OpenApp("Partial", 1600, false);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nResult);
        for (PXUserApp* pUserApp : {pComplete, pPartial})
        {
            SaveLink::Reset();
            SaveLink::nPropertiesResult = c.nResult;
            SetDescription(pUserApp, "Before");
            PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, pUserApp).SetText("After");
            MessageBoxRecorder boxes;
            EXPECT_EQ(c.nAnswer, pUserApp->EditProperties(0));
            EXPECT_EQ(One(c.pszMessage), Texts(boxes));
            ASSERT_EQ(1u, SaveLink::properties.size());
            bool bComplete = pUserApp == pComplete;
            EXPECT_EQ(bComplete ? 1 : 0, SaveLink::properties[0].compiledok);
            EXPECT_STREQ("After", SaveLink::properties[0].appdescr);
            // Committed only when the server took them.
            pUserApp->DropCells();
            EXPECT_EQ(c.nResult == 0 ? "After" : "Before", Text(pUserApp, PXFIELD_USER_APP_DESCRIPTION));
        }
    }
}
