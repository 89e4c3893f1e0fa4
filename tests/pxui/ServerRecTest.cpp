// The server record: the server's lists read through the client library's
// list calls (answered by the test), what a missing list shows by mode, and
// the finds.
#include "PXUITestSupport.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXServerRec.h"
#include "PXUserApp.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The list calls: each hands out a zero-ended row array the way the
// library does (calloc, one more row), or fails with the code set.
struct FakeLists
{
    inline static int nResPermResult = 0;
    inline static int nLanguageResult = 0;
    inline static int nVolumeResult = 0;
    inline static int nAppResult = 0;
    inline static int nFreed = 0;
    inline static int nMode = 0;
    inline static int nActiveId = -1;
    inline static std::vector<PXAppListRow> apps;

    template <class Row> static Row* Rows(size_t n)
    {
        return static_cast<Row*>(calloc(n + 1, sizeof(Row)));
    }
    static int __cdecl ResPerms(PXResPermRow** pp)
    {
        if (nResPermResult)
            return nResPermResult;
        *pp = Rows<PXResPermRow>(2);
        (*pp)[0].rplid = 5;
        std::strcpy((*pp)[0].rplname, "Local calls");
        (*pp)[1].rplid = 9;
        std::memset((*pp)[1].rplname, 'L', sizeof((*pp)[1].rplname));   // no terminator
        return 0;
    }
    static int __cdecl Languages(PXLanguageRow** pp)
    {
        if (nLanguageResult)
            return nLanguageResult;
        *pp = Rows<PXLanguageRow>(1);
        (*pp)[0].vpromptlangid = 2;
        (*pp)[0].locallangid = 11;
        (*pp)[0].customerid = 1;
        std::strcpy((*pp)[0].locallangname, "French");
        (*pp)[0].modnum = 4;
        return 0;
    }
    static int __cdecl Volumes(PXVolumeRow** pp)
    {
        if (nVolumeResult)
            return nVolumeResult;
        *pp = Rows<PXVolumeRow>(1);
        (*pp)[0].volumenum = 3;
        std::strcpy((*pp)[0].volumetext, "VOL3");
        return 0;
    }
    static int __cdecl Apps(PXAppListRow** pp, int nListMode, int, int nAppID)
    {
        nMode = nListMode;
        nActiveId = nAppID;
        if (nAppResult)
            return nAppResult;
        *pp = Rows<PXAppListRow>(apps.size());
        for (size_t i = 0; i < apps.size(); ++i)
            (*pp)[i] = apps[i];
        return 0;
    }
    static int __cdecl Pump(PXAppListRow** pp)
    {
        return Apps(pp, 0, 1, 0);
    }
    static int __cdecl Free(void* p)
    {
        ++nFreed;
        free(p);
        return 0;
    }
};

PXAppListRow AppRow(int nCustomer, int nId, const char* pszName)
{
    PXAppListRow row;
    std::memset(&row, 0, sizeof(row));
    row.customerid = nCustomer;
    row.appprofid = nId;
    std::strcpy(row.appname, pszName);
    return row;
}

class ServerRec : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnResPermToDisplay = FakeLists::ResPerms;
        calls.pfnLanguagesToDisplay = FakeLists::Languages;
        calls.pfnVolumeToDisplay = FakeLists::Volumes;
        calls.pfnFilesToDisplay = FakeLists::Apps;
        calls.pfnFilesToPump = FakeLists::Pump;
        calls.pfnFreeAllocatedMemory = FakeLists::Free;
        m_oldCalls = PXSetAppLink(calls);
        FakeLists::nResPermResult = FakeLists::nLanguageResult = FakeLists::nVolumeResult = 0;
        FakeLists::nAppResult = FakeLists::nFreed = 0;
        FakeLists::apps.clear();
    }
    void TearDown() override
    {
        PXSetAppLink(m_oldCalls);
        RegisteredController::TearDown();
    }

    static PXObArray& List(PXServerRec& rec, WORD wField)
    {
        return *static_cast<PXObArray*>(rec.GetFieldMem(wField));
    }
    static std::string Text(void* pRec, WORD wField)
    {
        return static_cast<const char*>(*PXFieldValue(wField, static_cast<PXSoftRec*>(pRec)).GetText());
    }
    static long Int(void* pRec, WORD wField)
    {
        return *PXFieldValue(wField, static_cast<PXSoftRec*>(pRec)).GetInt32();
    }

private:
    PXAppLinkCalls m_oldCalls;
};

} // namespace

TEST_F(ServerRec, TheServersListsBecomeRowRecords)
{
    MessageBoxRecorder boxes;
    PXServerRec rec(0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(3, FakeLists::nFreed);
    EXPECT_EQ(22803, rec.GetTypeId());
    EXPECT_EQ(0, rec.GetNbCells());

    PXObArray& prompts = List(rec, PXFIELD_SERVER_SYSTEM_PROMPTS);
    ASSERT_EQ(17, prompts.GetSize());
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(PXServerRec::s_apszPromptNames[i], Text(prompts.GetAt(i), PXFIELD_SYSTEM_PROMPT_ROW_NAME));
    EXPECT_EQ("<beep>", Text(prompts.GetAt(0), PXFIELD_SYSTEM_PROMPT_ROW_NAME));
    EXPECT_EQ("Goodbye", Text(prompts.GetAt(16), PXFIELD_SYSTEM_PROMPT_ROW_NAME));

    PXObArray& lists = List(rec, PXFIELD_SERVER_RESPERM_LISTS);
    ASSERT_EQ(2, lists.GetSize());
    EXPECT_EQ(5, Int(lists.GetAt(0), PXFIELD_RESPERM_LIST_ROW_LISTID));
    EXPECT_EQ("Local calls", Text(lists.GetAt(0), PXFIELD_RESPERM_LIST_ROW_NAME));
    EXPECT_EQ(std::string(26, 'L'), Text(lists.GetAt(1), PXFIELD_RESPERM_LIST_ROW_NAME));

    PXObArray& languages = List(rec, PXFIELD_SERVER_LANGUAGES);
    ASSERT_EQ(1, languages.GetSize());
    struct { WORD field; long value; } numbers[] = {
        {PXFIELD_LANGUAGE_ROW_GLOBAL_LANGUAGE_ID, 2}, {PXFIELD_LANGUAGE_ROW_LOCAL_LANGUAGE_ID, 11},
        {PXFIELD_LANGUAGE_ROW_CUSTOMER_ID, 1}, {PXFIELD_LANGUAGE_ROW_MODIFICATION_NUMBER, 4},
    };
    for (auto& n : numbers)
        EXPECT_EQ(n.value, Int(languages.GetAt(0), n.field)) << n.field;
    EXPECT_EQ("French", Text(languages.GetAt(0), PXFIELD_LANGUAGE_ROW_CUSTOMER_LANGUAGE_NAME));

    PXObArray& volumes = List(rec, PXFIELD_SERVER_VOLUMES);
    ASSERT_EQ(1, volumes.GetSize());
    EXPECT_EQ(3, Int(volumes.GetAt(0), PXFIELD_VOLUME_ROW_VOLUME_ID));
    EXPECT_EQ("VOL3", Text(volumes.GetAt(0), PXFIELD_VOLUME_ROW_VOLUME_NAME));

    EXPECT_EQ(0, List(rec, PXFIELD_SERVER_APPS).GetSize());
    EXPECT_EQ(1, rec.FindResPermList(9));
    EXPECT_EQ(-1, rec.FindResPermList(6));
    EXPECT_EQ(0, rec.FindLanguage(11));
    EXPECT_EQ(-1, rec.FindLanguage(2));
    EXPECT_PXASSERT(rec.GetFieldMem(25400), "0");
}

TEST_F(ServerRec, AMissingListIsReportedByMode)
{
    const char* kResPerm = "List of Restriction/Permission not available on the server";
    const char* kLanguage = "List of Languages not available on the server";
    const char* kVolume = "List of Volumes not available on the server";
    struct Case
    {
        int nMode;
        bool bResPerm, bLanguage, bVolume;      // which list fails
        std::vector<std::string> shown;
    } cases[] = {
        {0, false, true, false, {}},
        {-1, false, true, false, {kLanguage}},
        {-1, true, false, false, {kResPerm}},
        {3, true, false, false, {}},
        {0, false, false, true, {kVolume}},
        {-1, false, false, true, {}},
        {2300, false, false, true, {}},
        {-1, true, true, true, {kResPerm, kLanguage}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.nMode << " lists " << c.bResPerm << c.bLanguage
                                        << c.bVolume);
        FakeLists::nResPermResult = c.bResPerm ? 36 : 0;
        FakeLists::nLanguageResult = c.bLanguage ? 36 : 0;
        FakeLists::nVolumeResult = c.bVolume ? 36 : 0;
        MessageBoxRecorder boxes;
        PXServerRec rec(c.nMode);
        ASSERT_EQ(c.shown.size(), boxes.boxes.size());
        for (size_t i = 0; i < c.shown.size(); ++i)
            EXPECT_EQ(c.shown[i], boxes.boxes[i].text);
        EXPECT_EQ(c.bResPerm ? 0 : 2, List(rec, PXFIELD_SERVER_RESPERM_LISTS).GetSize());
        EXPECT_EQ(c.bLanguage ? 0 : 1, List(rec, PXFIELD_SERVER_LANGUAGES).GetSize());
        EXPECT_EQ(c.bVolume ? 0 : 1, List(rec, PXFIELD_SERVER_VOLUMES).GetSize());
        EXPECT_EQ(17, List(rec, PXFIELD_SERVER_SYSTEM_PROMPTS).GetSize());
        if (c.bResPerm)
            EXPECT_EQ(-1, rec.FindResPermList(5));
    }
}

TEST_F(ServerRec, ApplicationsComeAheadOfThoseHeldUpToTheFirstEmptyRow)
{
    FakeLists::apps = {AppRow(1, 2001, "Sales"), AppRow(1, 2002, "Orders"), AppRow(1, 0, "Ignored"),
                       AppRow(1, 2003, "After")};
    PXServerRec rec(4);
    rec.LoadApplications();
    EXPECT_EQ(4, FakeLists::nMode);
    EXPECT_EQ(0, FakeLists::nActiveId);     // no active application
    PXObArray& apps = List(rec, PXFIELD_SERVER_APPS);
    ASSERT_EQ(2, apps.GetSize());
    EXPECT_EQ("Sales", Text(apps.GetAt(0), PXFIELD_USER_APP_NAME));
    EXPECT_EQ(2002, Int(apps.GetAt(1), PXFIELD_USER_APP_ID));
    EXPECT_NE(nullptr, dynamic_cast<PXUserApp*>(static_cast<PXSoftRec*>(apps.GetAt(0))));

    // A second read puts the server's rows first; the pump files go where
    // they are asked to.
    FakeLists::apps = {AppRow(1, 3001, "New")};
    rec.LoadApplications();
    ASSERT_EQ(3, apps.GetSize());
    EXPECT_EQ("New", Text(apps.GetAt(0), PXFIELD_USER_APP_NAME));
    FakeLists::apps = {AppRow(1, 4001, "Pump")};
    rec.LoadPumpFiles(1);
    ASSERT_EQ(4, apps.GetSize());
    EXPECT_EQ("Pump", Text(apps.GetAt(1), PXFIELD_USER_APP_NAME));

    // A list the server does not give changes nothing.
    FakeLists::nAppResult = 36;
    MessageBoxRecorder boxes;
    rec.LoadApplications();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("List of Applications not available on the server", boxes.boxes[0].text);
    EXPECT_EQ(4, apps.GetSize());
}

TEST_F(ServerRec, TheActiveApplicationsIdGoesWithTheQuery)
{
    PXUserApp* pUserApp = new PXUserApp("C:\\p\\Sales.ed");
    PXFieldValue(PXFIELD_USER_APP_ID, pUserApp).SetInt32(2001);
    ASSERT_EQ(1, pUserApp->Commit());
    app->AddUserApp(pUserApp);
    s_pszProgram = "C:\\p\\Sales.ed";
    PXServerRec rec(1);
    rec.LoadApplications();
    EXPECT_EQ(2001, FakeLists::nActiveId);
}

namespace {

int StandaloneInit(int, int, int, const char*, const char*, const char*, int, const char*, int, int, const char*,
                   const char*, int, int)
{
    return 0;
}
int StandaloneTerm()
{
    return 0;
}
int NoVersion(int, int, char*)
{
    return 73;
}

} // namespace

// New and Open choose with no application open. In standalone mode the
// choosers list what the client library serves offline (the local program
// files and its volumes), while the server's lists stay unknown to the
// blocks' checks.
TEST_F(ServerRec, ChoosersListTheApplicationsAndVolumesWithNoApplicationOpenInStandaloneMode)
{
    PXLinkCalls oldCalls = PXWinApp::SetLinkCalls(PXLinkCalls{StandaloneInit, StandaloneTerm, NoVersion});
    app->Login("", 0, 0);
    ASSERT_TRUE(app->IsStandalone());
    FakeLists::apps = {AppRow(1, 1, "Sales"), AppRow(1, 1, "Orders")};
    const WORD lists[] = {2305, 2306, 2308};     // New, Open, Delete
    for (WORD wList : lists)
    {
        app->FreeServerRecord();
        PXFieldValue unread;
        app->GetFieldValue(wList, unread);
        EXPECT_EQ(nullptr, unread.GetRecord()) << wList;

        app->ReloadServerRecord(wList);
        PXFieldValue apps;
        app->GetFieldValue(wList, apps);
        ASSERT_NE(nullptr, apps.GetRecord()) << wList;
        PXRecArray* pApps = apps.GetRecArray();
        ASSERT_NE(nullptr, pApps) << wList;
        ASSERT_EQ(2, pApps->GetSize()) << wList;
        EXPECT_EQ("Sales", Text(pApps->GetAt(0), PXFIELD_USER_APP_NAME));
        EXPECT_EQ("Orders", Text(pApps->GetAt(1), PXFIELD_USER_APP_NAME));

        PXFieldValue volumes;
        app->GetFieldValue(2316, volumes);
        ASSERT_NE(nullptr, volumes.GetRecord()) << wList;
        PXRecArray* pVolumes = volumes.GetRecArray();
        ASSERT_NE(nullptr, pVolumes);
        ASSERT_EQ(1, pVolumes->GetSize());
        EXPECT_EQ(3, Int(pVolumes->GetAt(0), PXFIELD_VOLUME_ROW_VOLUME_ID));
    }
    // The offline lists are no server's: the blocks keep their lists.
    EXPECT_FALSE(app->HasServerLists());
    EXPECT_EQ(-1, app->FindLanguage(11));
    PXFieldValue languages;
    app->GetFieldValue(2313, languages);
    EXPECT_EQ(nullptr, languages.GetRecord());
    app->Logout();
    PXWinApp::SetLinkCalls(oldCalls);
}
