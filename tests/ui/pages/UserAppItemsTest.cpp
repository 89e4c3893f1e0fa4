// The voice and fax items of a user application added to and deleted from
// the server (the library's answers are the test's), the spoken name, and
// the auto-save timer that opening an application starts.
#include "UserAppTestSupport.h"

#include <cstring>
#include <string>

namespace
{

struct ItemLink
{
    struct Call
    {
        int nAppID;
        int nOperation;
        int nItemID;
        int nKind;
        std::string name;
        std::string description;
    };
    inline static std::vector<Call> calls;
    inline static int nResult = 0;

    static int __cdecl Manipulate(int, int nAppID, int nOperation, const PXItemInfo* pItem)
    {
        calls.push_back({nAppID, nOperation, pItem->itemid, pItem->itemkind, pItem->itemname, pItem->itemdescr});
        return nResult;
    }
};

} // namespace

class UserAppItemsTest : public UserAppFixture
{
protected:
    void SetUp() override
    {
        UserAppFixture::SetUp();
        ItemLink::calls.clear();
        ItemLink::nResult = 0;
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnManipulateItem = ItemLink::Manipulate;
        PXSetAppLink(calls);
    }

    PXUserApp* OpenApp(const char* pszName, long lId)
    {
        WriteProgramFile(m_dir + pszName + ".ed");
        PXUserApp* pUserApp = NewUserApp(pszName, lId);
        EXPECT_EQ(0, pUserApp->Open(PXOPEN_EXISTING));
        return pUserApp;
    }
};

TEST_F(UserAppItemsTest, ItemsGoToTheServerAndTheProgramIsSavedLocallyButStaysModified)
{
    struct Case
    {
        const char* pszOperation;
        int (*pfn)(PXUserApp*);
        int nOperation;
        int nKind;
        const char* pszFailure;
    };
    const Case cases[] = {
        {"add voice", [](PXUserApp* p) { return p->AddVoiceItemOnServer("Hello", 3, "Greeting"); }, PX_ITEM_ADD,
         PX_ITEMKIND_VOICE, "The system could not add the voice item on the server."},
        {"delete voice", [](PXUserApp* p) { return p->DeleteVoiceItemOnServer("Hello", 3, "Greeting"); },
         PX_ITEM_DELETE, PX_ITEMKIND_VOICE, "The system could not delete the voice item on the server."},
        {"add fax", [](PXUserApp* p) { return p->AddFaxItemOnServer("Hello", 3, "Greeting"); }, PX_ITEM_ADD,
         PX_ITEMKIND_FAX, "The system could not add the fax item on the server."},
        {"delete fax", [](PXUserApp* p) { return p->DeleteFaxItemOnServer("Hello", 3, "Greeting"); },
         PX_ITEM_DELETE, PX_ITEMKIND_FAX, "The system could not delete the fax item on the server."},
        {"fax voice part",
         [](PXUserApp* p) {
             std::unique_ptr<PXSoftRec> pFax(PXSoftRec::Create(PXREC_FAX_ITEM, FALSE));
             PXFieldValue(PXFIELD_FAX_ITEM_NAME, pFax.get()).SetText("Hello");
             PXFieldValue(PXFIELD_FAX_ITEM_ID, pFax.get()).SetInt16(3);
             PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, pFax.get()).SetText("Greeting");
             pFax->Commit();
             return p->DeleteFaxItemVoice(pFax.get());
         },
         PX_ITEM_RESETVOICE, PX_ITEMKIND_FAX, "The system could not delete the fax item on the server."},
    };
    struct Answer
    {
        int nResult;
        const char* pszMessage;     // none: the operation's own
    };
    const Answer answers[] = {
        {0, ""},
        {PXRC_DIRECTORY_FAILED, nullptr},
        {PXRC_DATABASE_FULL, "Database space is full.Server will not perform any operation"},
    };
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    for (const Case& c : cases)
        for (const Answer& a : answers)
        {
            SCOPED_TRACE(testing::Message() << c.pszOperation << " " << a.nResult);
            ItemLink::calls.clear();
            ItemLink::nResult = a.nResult;
            pUserApp->GetProgram()->ClearModified();
            DeleteFileA((m_dir + "Sales.ed").c_str());
            MessageBoxRecorder boxes;
            EXPECT_EQ(a.nResult, c.pfn(pUserApp));
            ASSERT_EQ(1u, ItemLink::calls.size());
            const ItemLink::Call& call = ItemLink::calls[0];
            EXPECT_EQ(1500, call.nAppID);
            EXPECT_EQ(c.nOperation, call.nOperation);
            EXPECT_EQ(3, call.nItemID);
            EXPECT_EQ(c.nKind, call.nKind);
            EXPECT_EQ("Hello", call.name);
            EXPECT_EQ("Greeting", call.description);
            if (a.nResult == 0)
            {
                EXPECT_TRUE(boxes.boxes.empty());
                EXPECT_TRUE(FileExists(m_dir + "Sales.ed"));
                EXPECT_TRUE(pUserApp->IsModified());
            }
            else
            {
                ASSERT_EQ(1u, boxes.boxes.size());
                std::string expected = a.pszMessage ? a.pszMessage : c.pszFailure;
                EXPECT_EQ(expected, boxes.boxes[0].text.substr(0, expected.size()));
                EXPECT_FALSE(FileExists(m_dir + "Sales.ed"));
                EXPECT_FALSE(pUserApp->IsModified());
            }
        }
}

TEST_F(UserAppItemsTest, TextsAreCutToTheLibrarysFields)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    std::string description(150, 'd');
    std::string name(40, 'n');
    EXPECT_EQ(0, pUserApp->AddVoiceItemOnServer(name.c_str(), 12, description.c_str()));
    ASSERT_EQ(1u, ItemLink::calls.size());
    EXPECT_EQ(std::string(100, 'd'), ItemLink::calls[0].description);
    EXPECT_EQ(std::string(30, 'n'), ItemLink::calls[0].name);
}

TEST_F(UserAppItemsTest, TheSpokenNameIsRecordedInTheFieldsWhenTheServerTakesIt)
{
    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    PXFieldValue(PXFIELD_USER_APP_MISA_FILE_PATH, pUserApp).SetText("D:\\misa\\1500");
    pUserApp->Commit();
    EXPECT_FALSE(pUserApp->IsSpokenNameRecorded());

    ItemLink::nResult = PXRC_DIRECTORY_FAILED;
    MessageBoxRecorder boxes;
    pUserApp->AddSpokenName();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_FALSE(pUserApp->IsSpokenNameRecorded());
    EXPECT_EQ("", Text(pUserApp, PXFIELD_USER_APP_SPOKEN_NAME));

    ItemLink::calls.clear();
    ItemLink::nResult = 0;
    pUserApp->AddSpokenName();
    ASSERT_EQ(1u, ItemLink::calls.size());
    EXPECT_EQ(9999, ItemLink::calls[0].nItemID);
    EXPECT_EQ(PX_ITEMKIND_VOICE, ItemLink::calls[0].nKind);
    EXPECT_EQ(PX_ITEM_ADD, ItemLink::calls[0].nOperation);
    EXPECT_EQ("Spoken name", ItemLink::calls[0].name);
    EXPECT_TRUE(pUserApp->IsSpokenNameRecorded());
    EXPECT_EQ("D:\\misa\\1500\\_R9999", Text(pUserApp, PXFIELD_USER_APP_SPOKEN_NAME));
    EXPECT_TRUE(pUserApp->IsModified());
}

// The controller's item calls work on the active application, framed by
// the cursors; without one they say so.
TEST_F(UserAppItemsTest, TheControllersItemCallsNeedAnActiveApplication)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, m_pController->AddVoiceItem("Hello", 3, "Greeting"));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Select an application window before attempting to add voice items.", boxes.boxes[0].text);
    EXPECT_TRUE(ItemLink::calls.empty());

    PXUserApp* pUserApp = OpenApp("Sales", 1500);
    m_pController->AddUserApp(pUserApp);
    m_userApps.pop_back();      // the controller owns it now
    ASSERT_EQ(pUserApp, m_pController->GetActiveUserApp());
    boxes.boxes.clear();
    EXPECT_EQ(0, m_pController->AddFaxItem("Form", 4, "Order form"));
    ItemLink::nResult = PXRC_DIRECTORY_FAILED;
    EXPECT_EQ(-1, m_pController->DeleteVoiceItem("Hello", 3, "Greeting"));
    ASSERT_EQ(2u, ItemLink::calls.size());
    EXPECT_EQ(PX_ITEMKIND_FAX, ItemLink::calls[0].nKind);
    EXPECT_EQ(PX_ITEM_DELETE, ItemLink::calls[1].nOperation);
    EXPECT_EQ(1u, boxes.boxes.size());
}

// Opening an application's program file starts the auto-save timer on the
// main window when the settings have auto-save on.
TEST_F(UserAppItemsTest, OpeningAProgramFileStartsTheAutoSaveTimerUnlessItIsOff)
{
    const char* pszSettings = GetModelSettings().strSettingsFile;
    PXSetMainWindow(m_pFrame->HWindow);
    struct Case
    {
        const char* pszEnabled;     // none: not in the file
        const char* pszInterval;
        bool bOn;
    };
    const Case cases[] = {
        {nullptr, nullptr, true}, {"TRUE", "5", true}, {"true", "0", true},
        {"Yes", "5", false},      {"FALSE", "5", false}, {"TRUE", "100000", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (c.pszEnabled ? c.pszEnabled : "(none)"));
        WritePrivateProfileStringA("Main", "Auto Save Enabled", c.pszEnabled, pszSettings);
        WritePrivateProfileStringA("Main", "Auto Save Interval", c.pszInterval, pszSettings);
        KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER);
        int nSet = StartAutoSaveTimer();
        EXPECT_EQ(c.bOn, nSet != -1);
        EXPECT_EQ(c.bOn, KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER) != FALSE);
    }

    WritePrivateProfileStringA("Main", "Auto Save Enabled", "TRUE", pszSettings);
    KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER);
    OpenApp("Sales", 1500);
    EXPECT_TRUE(KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER));
    // A file that does not open starts nothing.
    PXUserApp* pMissing = NewUserApp("Missing", 1600);
    MessageBoxRecorder boxes;
    EXPECT_EQ(1, pMissing->Open(PXOPEN_EXISTING));
    EXPECT_FALSE(KillTimer(m_pFrame->HWindow, PXAUTOSAVE_TIMER));

    WritePrivateProfileStringA("Main", "Auto Save Enabled", nullptr, pszSettings);
    WritePrivateProfileStringA("Main", "Auto Save Interval", nullptr, pszSettings);
    PXSetMainWindow(nullptr);
}
