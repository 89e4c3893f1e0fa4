// The application controller: open applications, the active one and its
// caption, the field provider, views, and the extensions without an
// application; the user application's defaults.
#include "PXUITestSupport.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXUserApp.h"
#include "PXWinApp.h"

#include <functional>
#include <memory>

namespace {

// A controller registered as the program makes it, with applications.
class Controller : public RegisteredController
{
protected:
    PXUserApp* Open(const char* pszPath, long lId)
    {
        PXUserApp* pApp = new PXUserApp(pszPath);
        PXFieldValue(25255, pApp).SetInt32(lId);
        EXPECT_EQ(1, pApp->Commit());
        app->AddUserApp(pApp);
        return pApp;
    }
};

std::string Text(PXSoftRec* pRec, WORD wField)
{
    return static_cast<const char*>(*PXFieldValue(wField, pRec).GetText());
}

} // namespace

TEST(UserApp, NewApplicationHasTheDefaultProfile)
{
    PXWinApp app(GetModuleHandleA(nullptr));
    PXSoftObj::Init(&app);
    struct { const char* path; const char* name; } names[] = {
        { "C:\\dir\\Sales Menu.ed", "Sales Menu" }, { "", "" }, { "Main.ed", "Main" }, { "C:\\a.b\\Plain", "Plain" },
    };
    for (auto& n : names)
    {
        PXUserApp ua(n.path);
        EXPECT_EQ(n.name, Text(&ua, 25256)) << n.path;
    }
    PXUserApp ua("C:\\x\\App.ed");
    EXPECT_EQ(22004, ua.GetTypeId());
    EXPECT_EQ(0, ua.GetNbCells());      // the defaults are committed
    struct { WORD field; const char* text; } defaults[] = {
        { 25254, "1" }, { 25281, "1" }, { 25255, "0" }, { 25273, "No" }, { 25274, "No" }, { 25262, "No" },
        { 25268, "KRVMTQZXWPLHNGDSYB" }, { 25269, "KRVMTQZXWPLHNGDSYB" }, { 25267, "No" },
        { 25257, "" }, { 25270, "No" },
    };
    for (auto& d : defaults)
        EXPECT_EQ(d.text, Text(&ua, d.field)) << d.field;
    EXPECT_FALSE(ua.IsExported());
    ua.SetExported(TRUE);
    EXPECT_TRUE(ua.IsExported());
    EXPECT_EQ(0, ua.GetImportCount());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(0, ua.GetStoredPassword()[i]);
    struct { WORD field; } lists[] = { { 25250 }, { 25251 }, { 25252 }, { 25253 }, { 25286 } };
    for (auto& l : lists)
        EXPECT_EQ(0, PXFieldValue(l.field, &ua).GetRecArray()->GetSize()) << l.field;
}

TEST(UserApp, ApplicationIdsAndTexts)
{
    struct { long id; BOOL valid; } ids[] = { { 999, FALSE }, { 1000, TRUE }, { 49999, TRUE }, { 50000, FALSE } };
    for (auto& c : ids)
        EXPECT_EQ(c.valid, IsValidAppID(c.id)) << c.id;
    EXPECT_FALSE(IsNonEmptyText(""));
    EXPECT_TRUE(IsNonEmptyText(" "));
}

TEST(UserApp, PasswordMismatchIsRefusedWithTheFieldName)
{
    PXWinApp app(GetModuleHandleA(nullptr));
    PXSoftObj::Init(&app);
    PXUserApp ua("C:\\x\\App.ed");
    PXFieldValue(25267, &ua).SetInt32(1);
    PXFieldValue(25268, &ua).SetText("secret1");
    PXFieldValue(25269, &ua).SetText("secret2");
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, ua.Commit());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The password entered does not match the confirmation for 'Telset maintenance password'.",
              boxes.boxes[0].text);
    // Standalone, no minimum length applies: equal passwords pass.
    PXFieldValue(25269, &ua).SetText("secret1");
    EXPECT_EQ(1, ua.Commit());
}

TEST_F(Controller, OpenApplicationsAreFoundByNameAndId)
{
    PXUserApp* pSales = Open("C:\\p\\Sales.ed", 1200);
    PXUserApp* pMain = Open("C:\\p\\Main.ed", 1300);
    EXPECT_EQ(2, app->GetUserAppCount());
    EXPECT_EQ(pSales, app->FindUserAppByName("Sales"));
    // Names are the program files' and compared as those are: "sales"
    // must not pass for an application other than "Sales".
    EXPECT_EQ(pSales, app->FindUserAppByName("sales"));
    EXPECT_EQ(pSales, app->FindUserAppByName("SALES"));
    EXPECT_EQ(nullptr, app->FindUserAppByName("Sale"));
    EXPECT_EQ(pMain, app->FindUserAppByID(1300));
    EXPECT_EQ(nullptr, app->FindUserAppByID(1400));
    app->RemoveUserApp(pSales);
    EXPECT_EQ(1, app->GetUserAppCount());
    EXPECT_EQ(nullptr, app->FindUserAppByName("Sales"));
}

TEST_F(Controller, TheActiveApplicationFollowsTheCurrentProgramAndNamesTheCaption)
{
    PXUserApp* pSales = Open("C:\\p\\Sales.ed", 1200);
    Open("C:\\p\\Main.ed", 1300);
    EXPECT_EQ(nullptr, app->GetActiveUserApp());
    struct { const char* program; const char* caption; bool active; } cases[] = {
        { nullptr, "Plexwright", false },
        { "C:\\Program Files\\progs\\Sales.ed", "Sales - Plexwright", true },
        { "D:\\other\\Unknown.ed", "Plexwright", false },
    };
    for (auto& c : cases)
    {
        s_pszProgram = c.program;
        EXPECT_EQ(c.active ? pSales : nullptr, app->GetActiveUserApp());
        MessageBoxRecorder boxes;
        PXArgList message(IDS_PX_PROGRAMNAME);
        PXGetWinApp()->Report(0x40000, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                              __FILE__, __LINE__);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.caption, boxes.boxes[0].caption);
    }
}

TEST_F(Controller, FieldProviderPointsAtTheActiveApplicationsLists)
{
    PXUserApp* pSales = Open("C:\\p\\Sales.ed", 1200);
    s_pszProgram = "C:\\p\\Sales.ed";
    struct { WORD control; WORD field; bool appRecord; } cases[] = {
        { 2301, 25250, true }, { 2302, 25251, true }, { 2303, 25252, true }, { 2314, 25253, true },
        { 2315, 25286, true }, { 2305, 25350, false }, { 2311, 25351, false }, { 2312, 25352, false },
        { 2313, 25353, false }, { 2316, 25287, false },
    };
    for (auto& c : cases)
    {
        PXFieldValue v;
        app->GetFieldValue(c.control, v);
        EXPECT_EQ(c.field, v.GetFieldId()) << c.control;
        EXPECT_EQ(c.appRecord ? pSales : nullptr, v.GetRecord()) << c.control;
    }
    s_pszProgram = nullptr;
    PXFieldValue v;
    app->GetFieldValue(2302, v);
    EXPECT_EQ(nullptr, v.GetRecord());
    EXPECT_PXASSERT(app->GetFieldValue(2300, v), "(0)");
}

TEST_F(Controller, AttachedViewIsRememberedUntilDetached)
{
    int a, b;
    EXPECT_FALSE(app->HasAttachedView());
    app->AttachView(&a);
    EXPECT_TRUE(app->HasAttachedView());
    app->AttachView(&b);
    EXPECT_TRUE(app->HasAttachedView());
    app->DetachView(&b);
    EXPECT_FALSE(app->HasAttachedView());
}

TEST_F(Controller, ExtensionsWithoutAnActiveApplicationShowTheirMessage)
{
    PXUserApp context("");
    using Op = int (PXWinApp::*)(PXSoftRec*);
    struct { Op op; const char* text; } cases[] = {
        { &PXWinApp::RecordVoiceItem, "Select an application window before attempting to record a voice item." },
        { &PXWinApp::ImportVoiceItem, "Select an application window before attempting to import a voice item." },
        { &PXWinApp::ImportFaxItem, "Select an application window before attempting to import a fax item." },
        { &PXWinApp::RecordFaxItemVoice, "Select an application window before attempting to record a voice item." },
        { &PXWinApp::ImportFaxItemVoice, "Select an application window before attempting to import a voice item." },
        { &PXWinApp::RecordSpokenName, "Select an application window before attempting to record a voice item." },
        { &PXWinApp::ImportSpokenName, "Select an application window before attempting to import a voice item." },
        { &PXWinApp::DeleteFaxItemVoice, "Select an application window before attempting to delete fax items." },
    };
    for (auto& c : cases)
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(-1, (app.get()->*c.op)(&context));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.text, boxes.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    }
    EXPECT_EQ(0, app->GetCustomerProfile());
}
