// The imported applications of a user application, and its ThruDial and
// SetLanguage blocks checked against the server's lists, under the editor's
// own main frame with a server session whose answers are the test's.
#include "UserAppTestSupport.h"
#include "PXRecArray.h"
#include "PXServerRec.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{

const char kImportsNotSent[] = "The system could not update the list of imported applications on the server.\r\n"
                               "Please check the connection to the server and try again.";

// The server's lists and its answers to the import and list calls.
struct ListLink
{
    inline static int nImportResult = 0;
    inline static int nResPermUsedResult = 0;
    inline static std::vector<std::vector<long>> imports;     // the IDs sent by each import call
    inline static std::vector<std::vector<long>> lists;       // the list ids sent by each use call
    inline static int nResPermReads = 0;

    static void Reset()
    {
        nImportResult = nResPermUsedResult = 0;
        imports.clear();
        lists.clear();
        nResPermReads = 0;
    }
    template <class Row> static Row* Rows(size_t n)
    {
        return static_cast<Row*>(calloc(n + 1, sizeof(Row)));
    }
    // Lists 5 and 9.
    static int __cdecl ResPerms(PXResPermRow** pp)
    {
        ++nResPermReads;
        *pp = Rows<PXResPermRow>(2);
        (*pp)[0].rplid = 5;
        std::strcpy((*pp)[0].rplname, "Local calls");
        (*pp)[1].rplid = 9;
        std::strcpy((*pp)[1].rplname, "Long distance");
        return 0;
    }
    // Language 11.
    static int __cdecl Languages(PXLanguageRow** pp)
    {
        *pp = Rows<PXLanguageRow>(1);
        (*pp)[0].vpromptlangid = 2;
        (*pp)[0].locallangid = 11;
        (*pp)[0].customerid = 1;
        std::strcpy((*pp)[0].locallangname, "French");
        return 0;
    }
    static int __cdecl Volumes(PXVolumeRow** pp)
    {
        *pp = Rows<PXVolumeRow>(1);
        (*pp)[0].volumenum = 1;
        std::strcpy((*pp)[0].volumetext, "VOL1");
        return 0;
    }
    static int __cdecl Free(void* p)
    {
        free(p);
        return 0;
    }
    static int __cdecl Import(const PXAppDataRequest* pRequest)
    {
        std::vector<long> ids;
        for (const PXImportRow* pRow = pRequest->pImports; pRow && pRow->appprofid; ++pRow)
            ids.push_back(pRow->appprofid);
        imports.push_back(ids);
        return nImportResult;
    }
    static int __cdecl ResPermUsed(int, int, const PXAppDataRequest* pRequest)
    {
        std::vector<long> ids;
        for (const PXResPermUseRow* pRow = pRequest->pResPerms; pRow && pRow->appprofid; ++pRow)
            ids.push_back(pRow->rplid);
        lists.push_back(ids);
        return nResPermUsedResult;
    }
};

void* Var(int nType, const char* pszName, kvrHandleType* h)
{
    return kvrSDOGetSymbolPtr(nType, pszName, h, kvrSDOGetSymbolOffset(nType, pszName));
}

} // namespace

class UserAppListsTest : public UserAppFixture
{
protected:
    // An application opened in standalone mode, then a server session with
    // the test's lists.
    PXUserApp* OpenOnServer(const char* pszName, long lId)
    {
        WriteProgramFile(m_dir + pszName + ".ed");
        PXUserApp* pUserApp = NewUserApp(pszName, lId);
        EXPECT_EQ(0, pUserApp->Open(PXOPEN_EXISTING));
        m_pController->AddUserApp(pUserApp);
        m_userApps.pop_back();      // the controller owns it now
        ListLink::Reset();
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnResPermToDisplay = ListLink::ResPerms;
        calls.pfnLanguagesToDisplay = ListLink::Languages;
        calls.pfnVolumeToDisplay = ListLink::Volumes;
        calls.pfnFreeAllocatedMemory = ListLink::Free;
        calls.pfnFileImport = ListLink::Import;
        calls.pfnResPermUsed = ListLink::ResPermUsed;
        PXSetAppLink(calls);
        m_pController->SetStandalone(FALSE);
        m_pController->SetServerSession(TRUE);
        return pUserApp;
    }
    PXUserApp* Entry(const char* pszName, long lId)
    {
        PXUserApp* pEntry = new PXUserApp(CString());
        PXFieldValue(PXFIELD_USER_APP_NAME, pEntry).SetText(pszName);
        PXFieldValue(PXFIELD_USER_APP_ID, pEntry).SetInt32(lId);
        pEntry->Commit();
        return pEntry;
    }
    static std::vector<std::string> Libraries(Program* pProgram)
    {
        char names[8][KVR_MAX_RLL_NAME];
        int n = kvrGetRLList(pProgram->GetHandle(), names, 8);
        return std::vector<std::string>(names, names + (n < 8 ? n : 8));
    }
    PowerBlock* ThruDial(Page* pPage, const std::string& name, long lListId)
    {
        PowerBlock* pBlock = AddBlock(pPage, 405, name.c_str());
        *static_cast<long*>(Var(405, "Restriction/permission list", pBlock->GetHandle())) = lListId;
        return pBlock;
    }
    PowerBlock* SetLanguage(Page* pPage, const std::string& name, short sLanguage)
    {
        PowerBlock* pBlock = AddBlock(pPage, 403, name.c_str());
        *static_cast<short*>(Var(403, "System prompt", pBlock->GetHandle())) = sLanguage;
        return pBlock;
    }
};

// ---------------------------------------------------------------------------
// Imported applications

TEST_F(UserAppListsTest, AnImportJoinsTheModelTheListAndTheServerOrNothing)
{
    PXUserApp* pUserApp = OpenOnServer("Sales", 1500);
    Program* pProgram = pUserApp->GetProgram();
    pProgram->ClearModified();

    // Into itself: refused with a message.
    std::unique_ptr<PXUserApp> pSelf(Entry("Sales", 1500));
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, pUserApp->AddImport(pSelf.get()));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The import (Imported Application ID = 1500) could not be completed because \r\n"
              "the ID matches the current application.",
              boxes.boxes[0].text);
    EXPECT_EQ(0, pUserApp->GetImportCount());
    EXPECT_TRUE(ListLink::imports.empty());

    // Refused by the server: the model and the list are as they were, and
    // the entry is still the caller's.
    boxes.boxes.clear();
    ListLink::nImportResult = PXRC_DIRECTORY_FAILED;
    std::unique_ptr<PXUserApp> pRefused(Entry("Billing", 2001));
    EXPECT_EQ(1, pUserApp->AddImport(pRefused.get()));
    EXPECT_EQ(std::vector<std::string>{kImportsNotSent}, std::vector<std::string>{boxes.boxes[0].text});
    EXPECT_EQ(0, pUserApp->GetImportCount());
    EXPECT_TRUE(Libraries(pProgram).empty());
    EXPECT_FALSE(pUserApp->IsModified());
    ASSERT_EQ(1u, ListLink::imports.size());
    EXPECT_EQ(std::vector<long>{2001}, ListLink::imports[0]);

    // Taken.
    boxes.boxes.clear();
    ListLink::nImportResult = 0;
    PXUserApp* pEntry = Entry("Billing", 2001);
    EXPECT_EQ(0, pUserApp->AddImport(pEntry));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(1, pUserApp->GetImportCount());
    EXPECT_EQ(0, pUserApp->FindImport(2001));
    EXPECT_EQ(std::vector<std::string>{"Billing.2001"}, Libraries(pProgram));
    EXPECT_TRUE(pUserApp->IsModified());
    EXPECT_NE(nullptr, pProgram->FindLibraryGroup("Imported Applications"));

    // Imported already: nothing, silently.
    std::unique_ptr<PXUserApp> pAgain(Entry("Billing", 2001));
    EXPECT_EQ(-1, pUserApp->AddImport(pAgain.get()));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(1, pUserApp->GetImportCount());
}

TEST_F(UserAppListsTest, ARemovedImportLeavesTheModelUnlessBlocksUseItOrTheServerRefuses)
{
    PXUserApp* pUserApp = OpenOnServer("Sales", 1500);
    Program* pProgram = pUserApp->GetProgram();
    ASSERT_EQ(0, pUserApp->AddImport(Entry("Billing", 2001)));
    ASSERT_EQ(0, pUserApp->AddImport(Entry("Orders", 2002)));
    std::unique_ptr<PXUserApp> pBilling(Entry("Billing", 2001));
    std::unique_ptr<PXUserApp> pOrders(Entry("Orders", 2002));

    // A block runs the library of Orders.
    pProgram->Activate();
    pProgram->GetMainPage()->Activate();
    int nRetry = 0;
    ASSERT_NE(nullptr, kvrCreatePowerBlock(KVR_PB_IMPORTED, "RunOrders", &nRetry, "Orders.2002"));
    ListLink::Reset();
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, pUserApp->RemoveImport(pOrders.get()));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The imported application: Orders.2002\r\ncannot be removed because it is currently in use.",
              boxes.boxes[0].text);
    EXPECT_EQ(2, pUserApp->GetImportCount());
    EXPECT_TRUE(ListLink::imports.empty());

    // The server refuses: the entry stays, so does the library.
    boxes.boxes.clear();
    ListLink::nImportResult = PXRC_SERVER_DISK_FULL;
    EXPECT_EQ(1, pUserApp->RemoveImport(pBilling.get()));
    EXPECT_EQ(std::vector<std::string>{"Server disk is full. Server will not perform any operation"},
              std::vector<std::string>{boxes.boxes[0].text});
    EXPECT_EQ(2, pUserApp->GetImportCount());
    EXPECT_EQ(0, pUserApp->FindImport(2001));
    ASSERT_EQ(1u, ListLink::imports.size());
    EXPECT_EQ(std::vector<long>{2002}, ListLink::imports[0]);
    EXPECT_EQ(2u, Libraries(pProgram).size());

    // Removed.
    boxes.boxes.clear();
    ListLink::nImportResult = 0;
    pProgram->ClearModified();
    EXPECT_EQ(0, pUserApp->RemoveImport(pBilling.get()));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(1, pUserApp->GetImportCount());
    EXPECT_EQ(-1, pUserApp->FindImport(2001));
    EXPECT_EQ(std::vector<std::string>{"Orders.2002"}, Libraries(pProgram));
    EXPECT_TRUE(pUserApp->IsModified());
}

// ---------------------------------------------------------------------------
// Blocks against the server's lists

// At most ten blocks are named; an eleventh on the same page adds the
// "more blocks" line, one on a later page is not looked at. Pages and their
// blocks are walked in the program's own order.
TEST_F(UserAppListsTest, ThruDialBlocksNamingListsTheServerLacksAreNamedUpToTen)
{
    struct Case
    {
        int nOnFirst;       // on the page walked first
        int nOnSecond;
        bool bMore;
    };
    const Case cases[] = {{12, 0, true}, {10, 2, false}, {3, 0, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nOnFirst << "+" << c.nOnSecond);
        std::string name = "App" + std::to_string(&c - cases);
        PXUserApp* pUserApp = OpenOnServer(name.c_str(), 1500 + static_cast<long>(&c - cases));
        Program* pProgram = pUserApp->GetProgram();
        Page* pSub = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
        ASSERT_TRUE(pSub->HasHandle());
        pProgram->AddPage(pSub);
        std::vector<Page*> pages;
        pProgram->ForEachPage([](Page* pPage, void* pData) { static_cast<std::vector<Page*>*>(pData)->push_back(pPage); },
                              &pages);
        ASSERT_EQ(2u, pages.size());
        // A list the server has, and no list, are never named.
        ThruDial(pages[0], "Known", 5);
        ThruDial(pages[0], "NoList", 0);
        for (int i = 1; i <= c.nOnFirst; ++i)
            ThruDial(pages[0], "First" + std::to_string(i), 7);
        for (int i = 1; i <= c.nOnSecond; ++i)
            ThruDial(pages[1], "Second" + std::to_string(i), 7);

        ListLink::nResPermReads = 0;
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, pUserApp->SendResPerms(0));
        // The server's lists were read again for the check.
        EXPECT_EQ(1, ListLink::nResPermReads);
        ASSERT_EQ(1u, boxes.boxes.size());
        std::string shown = boxes.boxes[0].text;
        for (size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at))
            shown.erase(at, 1);
        const std::string head = "The following blocks reference restriction/permission lists that are not available "
                                 "on this system.\n\n";
        const std::string tail = "\nPlease verify the restriction/permission list selected for each ThruDial block.";
        ASSERT_EQ(head, shown.substr(0, head.size()));
        ASSERT_GE(shown.size(), head.size() + tail.size());
        ASSERT_EQ(tail, shown.substr(shown.size() - tail.size()));
        std::string names = shown.substr(head.size(), shown.size() - head.size() - tail.size());
        std::vector<std::string> lines;
        for (size_t at = 0, next; at < names.size(); at = next + 1)
        {
            next = names.find('\n', at);
            ASSERT_NE(std::string::npos, next);
            lines.push_back(names.substr(at, next - at));
        }
        EXPECT_EQ(c.bMore, !lines.empty() && lines.back() == "<more blocks>");
        if (c.bMore)
            lines.pop_back();
        int nNamed = c.nOnFirst < 10 ? c.nOnFirst : 10;
        EXPECT_EQ(static_cast<size_t>(nNamed), lines.size());
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines.end(), std::unique(lines.begin(), lines.end()));
        for (const std::string& line : lines)
            EXPECT_EQ(0u, line.find("First")) << line;
    }
}

// Only the used lists that the server has are told to it.
TEST_F(UserAppListsTest, TheUsedListsAreCutToThoseTheServerHasBeforeTheyAreSent)
{
    PXUserApp* pUserApp = OpenOnServer("Sales", 1500);
    ASSERT_EQ(0, pUserApp->AddResPermRef(5));
    ASSERT_EQ(0, pUserApp->AddResPermRef(7));
    ASSERT_EQ(0, pUserApp->AddResPermRef(9));
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pUserApp->SendResPerms(0));
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_EQ(1u, ListLink::lists.size());
    EXPECT_EQ((std::vector<long>{5, 9}), ListLink::lists[0]);
    EXPECT_EQ(0, pUserApp->FindResPermItem(5));
    EXPECT_EQ(-1, pUserApp->FindResPermItem(7));
    EXPECT_EQ(1, pUserApp->FindResPermItem(9));

    // Refused: reported, the list stays as tidied.
    ListLink::nResPermUsedResult = PXRC_DIRECTORY_FAILED;
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, pUserApp->SendResPerms(0));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Selected Restriction/Permission could not be updated. Please try to select again",
              boxes.boxes[0].text);
    EXPECT_EQ(1, pUserApp->FindResPermItem(9));
}

TEST_F(UserAppListsTest, SetLanguageBlocksNamingLanguagesTheServerLacksAreNamed)
{
    PXUserApp* pUserApp = OpenOnServer("Sales", 1500);
    Page* pMain = pUserApp->GetProgram()->GetMainPage();
    SetLanguage(pMain, "French", 11);
    SetLanguage(pMain, "Klingon", 12);
    SetLanguage(pMain, "Default", -1);
    MessageBoxRecorder boxes;
    EXPECT_EQ(1, pUserApp->CheckLanguages());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The following blocks reference a language that is not available on this system.\r\n\r\n"
              "Klingon\n\r\nPlease verify the language selected for each SetLanguage block. ",
              boxes.boxes[0].text);

    // Without a server session the server's languages are not known:
    // nothing is named.
    boxes.boxes.clear();
    m_pController->SetServerSession(FALSE);
    EXPECT_EQ(0, pUserApp->CheckLanguages());
    EXPECT_TRUE(boxes.boxes.empty());
}

// ---------------------------------------------------------------------------
// The controller's server record

TEST_F(UserAppListsTest, TheControllerKeepsOneServerRecordWhileItsSessionRuns)
{
    PXUserApp* pUserApp = OpenOnServer("Sales", 1500);
    PXServerRec* pRecord = m_pController->GetServerRecord(-1);
    ASSERT_NE(nullptr, pRecord);
    EXPECT_EQ(-1, pRecord->GetMode());
    // The first kind asked stays.
    EXPECT_EQ(pRecord, m_pController->GetServerRecord(2));
    EXPECT_TRUE(m_pController->HasServerLists());
    EXPECT_EQ(1, m_pController->FindResPermList(9));
    EXPECT_EQ(-1, m_pController->FindResPermList(7));
    EXPECT_EQ(0, m_pController->FindLanguage(11));

    // The soft dialogs' lists show it while the application is active.
    PXFieldValue lists;
    m_pController->GetFieldValue(2312, lists);
    EXPECT_EQ(pRecord, lists.GetRecord());
    EXPECT_EQ(PXFIELD_SERVER_RESPERM_LISTS, lists.GetFieldId());
    ASSERT_EQ(pUserApp, m_pController->GetActiveUserApp());

    m_pController->FreeServerRecord();
    PXServerRec* pAgain = m_pController->GetServerRecord(1);
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(1, pAgain->GetMode());

    // None without a session, and in standalone mode.
    m_pController->SetServerSession(FALSE);
    m_pController->FreeServerRecord();
    EXPECT_EQ(nullptr, m_pController->GetServerRecord(-1));
    EXPECT_FALSE(m_pController->HasServerLists());
    EXPECT_EQ(-1, m_pController->FindResPermList(9));
    m_pController->SetServerSession(TRUE);
    m_pController->SetStandalone(TRUE);
    EXPECT_EQ(nullptr, m_pController->GetServerRecord(-1));
}
