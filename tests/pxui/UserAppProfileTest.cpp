// The user application's profile: rows of the server's list, the client
// library's file information both ways, the program's own copy, the local
// program file's name, and the answers of PXFileOpen and PXFileNew.
#include "PXUITestSupport.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "PXUserApp.h"
#include "Program.h"

#include <cstring>
#include <string>

namespace {

std::string Text(PXSoftRec* pRec, WORD wField)
{
    return static_cast<const char*>(*PXFieldValue(wField, pRec).GetText());
}

long Int(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetInt32();
}

// The calls of the client library answered by the test.
struct FakeLink
{
    inline static int nOpenResult = 0;
    inline static int nNewResult = 0;
    inline static int nEncryptResult = 0;
    inline static int nOpens = 0;
    inline static int nNews = 0;
    inline static int nCloses = 0;
    inline static std::string encrypted;
    inline static PXFileRequest lastRequest;

    static int __cdecl Open(const PXFileRequest* pRequest, PXFileInfo* pInfo)
    {
        ++nOpens;
        lastRequest = *pRequest;
        std::memset(pInfo, 0, sizeof(*pInfo));
        return nOpenResult;
    }
    static int __cdecl New(const PXFileRequest* pRequest, PXFileInfo* pInfo)
    {
        ++nNews;
        lastRequest = *pRequest;
        std::memset(pInfo, 0, sizeof(*pInfo));
        return nNewResult;
    }
    static int __cdecl Close(int, int)
    {
        ++nCloses;
        return 0;
    }
    static int __cdecl Encrypt(const char* pszPassword, unsigned char* pOut)
    {
        encrypted = pszPassword;
        if (nEncryptResult == 0)
            for (int i = 0; i < 8; ++i)
                pOut[i] = static_cast<unsigned char>(0xA0 + i);
        return nEncryptResult;
    }
};

class UserAppProfile : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnFileOpen = FakeLink::Open;
        calls.pfnFileNew = FakeLink::New;
        calls.pfnFileClose = FakeLink::Close;
        calls.pfnEncryptString = FakeLink::Encrypt;
        m_oldCalls = PXSetAppLink(calls);
        FakeLink::nOpenResult = FakeLink::nNewResult = FakeLink::nEncryptResult = 0;
        FakeLink::nOpens = FakeLink::nNews = FakeLink::nCloses = 0;
        FakeLink::encrypted.clear();
    }
    void TearDown() override
    {
        PXSetAppLink(m_oldCalls);
        RegisteredController::TearDown();
    }

    // A file information record as the server fills it, every text at its
    // longest and without a terminator, numbers telling the members apart.
    static PXFileInfo ServerInfo()
    {
        PXFileInfo info;
        std::memset(&info, 'x', sizeof(info));
        PXAppProfileInfo& p = info.profile;
        p.customerid = 7;
        p.appprofid = 1234;
        p.appvernum = 3;
        p.appmediatype = 2;
        std::memcpy(p.appname, "Sales Menu", 11);
        std::memcpy(p.appdescr, "Orders", 7);
        p.spokennamerecorded = 1;
        std::memcpy(p.appspokenname, "spoken", 7);
        std::memcpy(p.verffaxnum, "5551234", 8);
        p.verffaxnummodifiable = 1;
        std::memcpy(p.verfcontactid, "contact", 8);
        p.updatepsswdneeded = 1;
        for (int i = 0; i < 8; ++i)
            p.updatepsswd[i] = static_cast<unsigned char>(0x10 + i);
        p.mntadnthrudial = 1;
        std::memcpy(p.expansiondigits, "99", 3);
        p.enforcedial = 1;
        p.importable = 1;
        p.compiledok = 2;       // only 1 says complete
        p.comfprmtmodifiable = 1;
        std::memcpy(p.lockingpc, "pc7", 4);
        std::memcpy(p.lockinguser, "admin", 6);
        p.volumeid = 4;
        p.apppreviousvernum = 2;
        std::memcpy(p.runfilepath, "r.run", 6);
        std::memcpy(p.rllfilepath, "r.rll", 6);
        std::memcpy(p.misafilepath, "r.misa", 7);
        p.visible = 1;
        p.modnum = 42;
        std::memcpy(info.newedfilepath, "\\\\srv\\apps\\Sales Menu.ed", 25);
        return info;
    }

private:
    PXAppLinkCalls m_oldCalls;
};

} // namespace

TEST_F(UserAppProfile, ARowOfTheServersListGivesItsFieldsAndTheRestTheDefaults)
{
    PXAppListRow row;
    std::memset(&row, 0, sizeof(row));
    row.customerid = 3;
    row.appprofid = 2001;
    std::memset(row.appname, 'N', sizeof(row.appname));       // no terminator
    std::strcpy(row.appdescr, "Weekend menu");
    std::strcpy(row.lockingpc, "pc");
    std::strcpy(row.lockinguser, "alice");
    row.lockingdatetime.tm_year = 126;
    row.lockingdatetime.tm_mon = 11;
    row.lockingdatetime.tm_mday = 11;
    row.lockingdatetime.tm_wday = 5;
    row.lockingdatetime.tm_hour = 2;
    row.lockingdatetime.tm_min = 3;
    row.lockingdatetime.tm_sec = 4;
    row.volumeid = 6;
    row.reserved = 9;
    PXUserApp ua(&row);
    EXPECT_EQ(0, ua.GetNbCells());      // committed
    EXPECT_EQ(std::string(sizeof(row.appname), 'N'), Text(&ua, 25256));
    EXPECT_EQ(3, Int(&ua, 25254));
    EXPECT_EQ(2001, Int(&ua, 25255));
    EXPECT_EQ("Weekend menu", Text(&ua, 25257));
    EXPECT_EQ("pc", Text(&ua, 25258));
    EXPECT_EQ("alice", Text(&ua, 25259));
    EXPECT_EQ("Fri Dec 11 02:03:04 2026\n", Text(&ua, 25260));
    EXPECT_EQ(6, Int(&ua, 25281));
    EXPECT_EQ(9, Int(&ua, 25276));
    EXPECT_EQ("No", Text(&ua, 25273));
    EXPECT_EQ("KRVMTQZXWPLHNGDSYB", Text(&ua, 25268));

    // A lock time out of every range reads as no time, never as whatever
    // the library's formatting would make of it.
    row.lockingdatetime.tm_mon = 4000;
    row.lockingdatetime.tm_year = 2000000000;
    PXUserApp odd(&row);
    EXPECT_EQ("", Text(&odd, 25260));
}

TEST_F(UserAppProfile, FileInformationOfTheServerBecomesTheFields)
{
    PXUserApp ua("C:\\x\\Old.ed");
    PXFileInfo info = ServerInfo();
    ua.SetFromFileInfo(&info);
    EXPECT_EQ(0, ua.GetNbCells());
    struct { WORD field; const char* text; } texts[] = {
        {25256, "Sales Menu"}, {25257, "Orders"}, {25262, "Yes"}, {25263, "spoken"}, {25264, "5551234"},
        {25266, "contact"}, {25268, "KRVMTQZXWPLHNGDSYB"}, {25269, "KRVMTQZXWPLHNGDSYB"}, {25271, "99"},
        {25273, "Yes"}, {25274, "No"}, {25258, "pc7"}, {25259, "admin"}, {25283, "r.run"},
        {25282, "r.rll"}, {25284, "r.misa"}, {25285, "\\\\srv\\apps\\Sales Menu.ed"},
    };
    for (auto& t : texts)
        EXPECT_EQ(t.text, Text(&ua, t.field)) << t.field;
    struct { WORD field; long value; } numbers[] = {
        {25254, 1}, {25255, 1234}, {25279, 3}, {25261, 2}, {25265, 1}, {25267, 1}, {25270, 0},
        {25272, 1}, {25275, 1}, {25281, 4}, {25280, 2}, {25278, 1}, {25276, 42},
    };
    for (auto& n : numbers)
        EXPECT_EQ(n.value, Int(&ua, n.field)) << n.field;
    // The lock time is the time of the call.
    std::string stamp = Text(&ua, 25260);
    ASSERT_EQ(25u, stamp.size());
    EXPECT_EQ('\n', stamp.back());
    const BYTE* pStored = ua.GetStoredPassword();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(0x10 + i, pStored[i]);

    // Nothing without a record.
    ua.SetFromFileInfo(nullptr);
    EXPECT_EQ("Sales Menu", Text(&ua, 25256));
}

TEST_F(UserAppProfile, FileInformationForTheServerIsWholeBoundedAndKeepsTheStoredPassword)
{
    PXUserApp ua("C:\\x\\Old.ed");
    PXFileInfo in = ServerInfo();
    ua.SetFromFileInfo(&in);
    PXFieldValue(25257, &ua).SetText(std::string(400, 'd').c_str());
    PXFieldValue(25262, &ua).SetText("No");
    ASSERT_EQ(1, ua.Commit());

    PXFileInfo out;
    std::memset(&out, 0xCC, sizeof(out));
    EXPECT_EQ(0, ua.FillFileInfo(&out));
    EXPECT_TRUE(FakeLink::encrypted.empty());       // the placeholder: nothing to encrypt
    EXPECT_EQ(0, std::memcmp(out.profile.updatepsswd, in.profile.updatepsswd, 8));
    EXPECT_EQ(1, out.profile.customerid);
    EXPECT_EQ(1234, out.profile.appprofid);
    EXPECT_EQ(0, out.profile.spokennamerecorded);
    EXPECT_EQ(1, out.profile.importable);
    EXPECT_EQ(0, out.profile.compiledok);
    EXPECT_EQ(0, out.profile.mntadnthrudial);
    EXPECT_EQ(42, out.profile.modnum);
    EXPECT_STREQ("Sales Menu", out.profile.appname);
    EXPECT_EQ(std::string(255, 'd'), std::string(out.profile.appdescr));
    EXPECT_STREQ("\\\\srv\\apps\\Sales Menu.ed", out.newedfilepath);
    // No byte of the caller's buffer goes to the server: the gaps and the
    // lock time are zero.
    EXPECT_EQ(0, out.profile.fill333[0]);
    EXPECT_EQ(0, out.profile.fill427[0]);
    EXPECT_EQ(0, out.profile.fill461[0]);
    EXPECT_EQ(0, out.profile.fill551[0]);
    EXPECT_EQ(0, out.profile.fill899[0]);
    EXPECT_EQ(0, out.profile.lockingdatetime.tm_year);
    EXPECT_EQ(0, out.newedfilepath[sizeof(out.newedfilepath) - 1]);

    // With the password off the stored bytes go too.
    PXFieldValue(25267, &ua).SetInt32(0);
    ASSERT_EQ(1, ua.Commit());
    EXPECT_EQ(0, ua.FillFileInfo(&out));
    EXPECT_EQ(0, std::memcmp(out.profile.updatepsswd, in.profile.updatepsswd, 8));
}

TEST_F(UserAppProfile, ANewPasswordIsEncryptedAndAFailedEncryptionKeepsTheStoredOne)
{
    PXUserApp ua("C:\\x\\App.ed");
    PXFileInfo in = ServerInfo();
    ua.SetFromFileInfo(&in);
    PXFieldValue(25268, &ua).SetText("secret");
    PXFieldValue(25269, &ua).SetText("secret");
    ASSERT_EQ(1, ua.Commit());

    PXFileInfo out;
    EXPECT_EQ(0, ua.FillFileInfo(&out));
    EXPECT_EQ("secret", FakeLink::encrypted);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(0xA0 + i, out.profile.updatepsswd[i]);

    FakeLink::nEncryptResult = PXRC_ENCRYPTION_FAILED;
    EXPECT_EQ(PXRC_ENCRYPTION_FAILED, ua.FillFileInfo(&out));
    EXPECT_EQ(0, std::memcmp(out.profile.updatepsswd, in.profile.updatepsswd, 8));
}

TEST_F(UserAppProfile, TheProgramsCopyKeepsTheProfileAndGivesItBack)
{
    kvrHandleType* hOther = kvrAddProgram(nullptr, 0);
    ASSERT_NE(nullptr, hOther);
    Program program("C:\\x\\App.ed", 0);
    PXUserApp ua("C:\\x\\App.ed");
    PXFileInfo in = ServerInfo();
    ua.SetFromFileInfo(&in);
    PXFieldValue(25270, &ua).SetInt32(1);
    PXFieldValue(25285, &ua).SetText(std::string(150, 'p').c_str());
    ASSERT_EQ(1, ua.Commit());
    ua.SetProgram(&program);
    ua.StoreInProgram();

    PXFileInfoCopy copy;
    std::memcpy(&copy, program.GetFileInfo(), sizeof(copy));
    EXPECT_EQ(1, copy.profile.customerid);
    EXPECT_EQ(1, copy.profile.mntadnthrudial);
    EXPECT_EQ(1, copy.profile.spokennamerecorded);
    EXPECT_EQ(0, std::memcmp(copy.profile.updatepsswd, in.profile.updatepsswd, 8));
    EXPECT_EQ(std::string(104, 'p'), std::string(copy.newedfilepath, 104));

    // Read back into another application: every field but the password
    // fields and Monitor Thru-Dial, which the copy does not give.
    PXUserApp back("");
    PXFieldValue(25268, &back).SetText("typed");
    PXFieldValue(25269, &back).SetText("typed");
    back.SetProgram(&program);
    back.LoadFromProgram();
    EXPECT_EQ("Sales Menu", Text(&back, 25256));
    EXPECT_EQ(1234, Int(&back, 25255));
    EXPECT_EQ("Yes", Text(&back, 25262));
    EXPECT_EQ("Yes", Text(&back, 25273));
    EXPECT_EQ("No", Text(&back, 25274));       // the server's 2 was no 1
    EXPECT_EQ(0, Int(&back, 25270));
    EXPECT_EQ("typed", Text(&back, 25268));
    EXPECT_EQ(std::string(104, 'p'), Text(&back, 25285));
    EXPECT_EQ(0, std::memcmp(back.GetStoredPassword(), in.profile.updatepsswd, 8));
    back.SetProgram(nullptr);
    ua.SetProgram(nullptr);
    kvrRemoveProgram(hOther);
}

TEST_F(UserAppProfile, ACommittedChangeOfAnOpenApplicationMarksItsProgramAndARenameMovesItsFile)
{
    kvrHandleType* hOther = kvrAddProgram(nullptr, 0);
    Program program("C:\\x\\App.ed", 0);
    program.ClearModified();
    PXUserApp ua("C:\\x\\App.ed");
    ua.SetProgram(&program);
    EXPECT_FALSE(ua.IsModified());
    PXFieldValue(25257, &ua).SetText("New text");
    ASSERT_EQ(1, ua.Commit());
    EXPECT_TRUE(ua.IsModified());

    PXFieldValue(25256, &ua).SetText("Renamed");
    ASSERT_EQ(1, ua.Commit());
    CString strPath;
    ua.GetEdFileName(strPath);
    EXPECT_EQ(std::string(strPath), program.GetName());
    EXPECT_EQ("Renamed.ed", std::string(strPath).substr(std::string(strPath).size() - 10));

    ua.SetZoom(75);
    EXPECT_EQ(75, ua.GetZoom());
    EXPECT_EQ(75, program.GetZoom());
    ua.SetProgram(nullptr);
    EXPECT_PXASSERT(ua.IsModified(), "m_pProgram!=0");
    kvrRemoveProgram(hOther);
}

TEST_F(UserAppProfile, TheRequestCarriesIdNameAndVolume)
{
    PXUserApp ua("");
    PXFieldValue(25256, &ua).SetText(std::string(500, 'n').c_str());
    PXFieldValue(25255, &ua).SetInt32(2002);
    PXFieldValue(25281, &ua).SetInt32(5);
    ASSERT_EQ(1, ua.Commit());
    PXFileRequest request;
    std::memset(&request, 0xCC, sizeof(request));
    ua.FillFileRequest(&request);
    EXPECT_EQ(1, request.customerid);
    EXPECT_EQ(2002, request.appprofid);
    EXPECT_EQ(5, request.volumeid);
    EXPECT_EQ(std::string(sizeof(request.appname) - 1, 'n'), std::string(request.appname));
}

// What the server's answer to an open or a new shows, and what Open
// answers; nothing else happens after a refusal.
TEST_F(UserAppProfile, TheServersAnswersToOpenAndNewGiveTheirMessages)
{
    const char* k8041 = "The system could not load the application from the server.\r\n"
                        "Please check the connection to the server and try again.";
    const char* k8057 = "The application could not be created because the specified\r\n"
                        "application name and ID are currently in use.";
    struct Case
    {
        int nResult;
        int nMode;
        const char* pszText;    // none: no message
        int nOpen;
    } cases[] = {
        {27, 0, "The application could not be opened because it is currently being\r\nupdated by another "
                "administrator.\r\nPlease try again later.", 1},
        {27, 1, "The application could not be opened because it is currently being\r\nupdated by another "
                "administrator.\r\nPlease try again later.", 1},
        {28, 0, "The requested application is already open in the workspace.", -1},
        {28, 1, k8057, 1},
        {29, 0, nullptr, 1},
        {29, 1, nullptr, 1},
        {62, 0, "Server disk is full. Server will not perform any operation", 1},
        {63, 1, "Database space is full.Server will not perform any operation", 1},
        {64, 0, "MISA space is full.Server will not perform any operation", 1},
        {72, 1, "The application could not be created because the maximum application \r\nlimit has been "
                "reached for this server.", 1},
        {101, 1, k8057, 1},
        {102, 1, "The application could not be created because the specified\r\napplication ID is currently "
                 "in use.", 1},
        {103, 0, "The application could not be created because the specified\r\napplication name is "
                 "currently in use.", 1},
        {36, 0, k8041, 1},
        {73, 1, k8041, 1},
        {60, 0, k8041, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "result " << c.nResult << " mode " << c.nMode);
        FakeLink::nOpenResult = FakeLink::nNewResult = c.nResult;
        FakeLink::nOpens = FakeLink::nNews = FakeLink::nCloses = 0;
        PXUserApp ua("C:\\x\\Sales.ed");
        PXFieldValue(25255, &ua).SetInt32(1500);
        ASSERT_EQ(1, ua.Commit());
        MessageBoxRecorder boxes;
        EXPECT_EQ(c.nOpen, ua.Open(c.nMode));
        EXPECT_EQ(c.nMode == 0 ? 1 : 0, FakeLink::nOpens);
        EXPECT_EQ(c.nMode == 1 ? 1 : 0, FakeLink::nNews);
        EXPECT_EQ(0, FakeLink::nCloses);
        EXPECT_EQ(1500, FakeLink::lastRequest.appprofid);
        EXPECT_STREQ("Sales", FakeLink::lastRequest.appname);
        if (c.pszText)
        {
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ(c.pszText, boxes.boxes[0].text);
            EXPECT_NE(0u, boxes.boxes[0].uType & MB_ICONEXCLAMATION);
        }
        else
            EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(nullptr, ua.GetProgram());
    }
}

// Without a frame to show it the program file does not open: the server's
// application goes back at once.
TEST_F(UserAppProfile, AnOpenWhoseProgramFileWillNotShowGivesTheApplicationBack)
{
    PXUserApp ua("C:\\x\\Sales.ed");
    MessageBoxRecorder boxes;
    EXPECT_EQ(1, ua.Open(0));
    EXPECT_EQ(1, FakeLink::nCloses);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, ua.GetProgram());
}

TEST(NameAndID, LongNamesAreCutToThirtyCharacters)
{
    struct { const char* name; long id; const char* text; } cases[] = {
        {"Main Menu", 1234, "Main Menu.1234"},
        {"0123456789012345678901234567890123456789", 1234, "0123456789012345678901234.1234"},
        {"", 7, ".7"},
        // 26 characters and ".1234" fit: 31 in all.
        {"01234567890123456789012345", 1234, "01234567890123456789012345.1234"},
    };
    for (auto& c : cases)
    {
        char szOut[32];
        MakeNameAndID(c.id, c.name, szOut);
        EXPECT_STREQ(c.text, szOut);
    }
}
