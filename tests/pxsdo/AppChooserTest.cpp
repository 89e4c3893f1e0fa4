// The application file chooser on the program's own chooser dialogs
// (templates of the dialog library, definitions of the program): what each
// dialog shows, choosing one or several applications, typing a name, the
// double click, sorting by a column, and what reaches the dialog's record.
#include "PXTestSupport.h"

#include "PXDialogDriver.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftAppChooser.h"
#include "PXSoftDlg.h"
#include "PXSoftRec.h"
#include "PXTestSdoHost.h"

#include <commctrl.h>
#include <owl/TDialog.h>
#include <owl/TWindow.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::function<void(HWND)> Script;
Script g_script;

void RunScript(TWindow* pWnd)
{
    HWND hDlg = pWnd->HWindow;
    if (g_script)
        g_script(hDlg);
    // What the script left open ends; a dialog already ended is gone first.
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

const WORD LIST = 2008, NAME = 102, ID = 2009, VOLUME = 105;

// The controller's side: the server's applications and volumes in one
// server record, handed out for every application list.
class ServerHost : public PXTestSdoHost
{
public:
    void GetFieldValue(WORD wListId, PXFieldValue& rValue) override
    {
        rValue.SetRecord(server.get());
        rValue.SetFieldId(wListId == 2316 ? 25287 : 25350);
    }
    void ReloadServerRecord(WORD wListId) override { reloads.push_back(wListId); }

    std::unique_ptr<PXSoftRec> server;
    std::vector<WORD> reloads;
};

struct App
{
    const char* name;
    long id;
    long volume;
    const char* locker;
    const char* description;
};

void AddRecord(PXSoftRec* pOwner, WORD wField, PXSoftRec* pRec)
{
    PXRecArray edit(PXFieldValue(wField, pOwner).GetRecArray());
    edit.Add(pRec);
    PXFieldValue(wField, pOwner).SetRecArray(edit);
}

PXSoftRec* NewApp(const App& a)
{
    PXSoftRec* pApp = PXSoftRec::Create(22004, FALSE);
    PXFieldValue(25256, pApp).SetText(a.name);
    PXFieldValue(25255, pApp).SetInt32(a.id);
    PXFieldValue(25281, pApp).SetInt32(a.volume);
    PXFieldValue(25259, pApp).SetText(a.locker);
    PXFieldValue(25257, pApp).SetText(a.description);
    return pApp;
}

std::string ItemText(HWND hList, int nItem, int nSub)
{
    char sz[256] = "";
    LVITEMA item = {};
    item.iSubItem = nSub;
    item.pszText = sz;
    item.cchTextMax = sizeof(sz);
    SendMessageA(hList, LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item));
    return sz;
}

// The list's column as it shows now, top to bottom.
std::vector<std::string> Column(HWND hDlg, int nSub)
{
    HWND hList = GetDlgItem(hDlg, LIST);
    std::vector<std::string> texts;
    int n = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        texts.push_back(ItemText(hList, i, nSub));
    return texts;
}

int Find(HWND hDlg, const char* pszName)
{
    std::vector<std::string> names = Column(hDlg, 0);
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == pszName)
            return static_cast<int>(i);
    return -1;
}

// The user clicks an item (bAdd: with Ctrl, keeping the others chosen).
void Pick(HWND hDlg, const char* pszName, bool bAdd = false)
{
    HWND hList = GetDlgItem(hDlg, LIST);
    int nItem = Find(hDlg, pszName);
    ASSERT_GE(nItem, 0) << pszName;
    LVITEMA item = {};
    if (!bAdd)
    {
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = 0;
        SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hList, LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item));
}

void ListNotify(HWND hDlg, UINT nCode, int nSub = 0)
{
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = GetDlgItem(hDlg, LIST);
    nm.hdr.idFrom = LIST;
    nm.hdr.code = nCode;
    nm.iItem = -1;
    nm.iSubItem = nSub;
    SendMessageA(hDlg, WM_NOTIFY, LIST, reinterpret_cast<LPARAM>(&nm));
}

int SelectedCount(HWND hDlg)
{
    return static_cast<int>(SendMessageA(GetDlgItem(hDlg, LIST), LVM_GETSELECTEDCOUNT, 0, 0));
}

// The control's own visibility (the dialog may not be shown yet).
bool Visible(HWND hDlg, int nId)
{
    return (GetWindowLongPtrA(GetDlgItem(hDlg, nId), GWL_STYLE) & WS_VISIBLE) != 0;
}

class AppChooserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        static HINSTANCE s_hDialogs = LoadLibraryA("pxdlg.dll");
        ASSERT_NE(nullptr, s_hDialogs);
        TDialog::SetDialogLibrary(s_hDialogs);
        PXSoftObj::Init(&host);
        host.server.reset(PXSoftRec::Create(22803, FALSE));
        const App apps[] = {
            {"Sales", 10, 2, "", "Sales line"},
            {"accounts", 9, 1, "admin", "Accounts"},
            {"Billing", 100, 1, "", "Bills"},
        };
        for (const App& a : apps)
            AddRecord(host.server.get(), 25350, NewApp(a));
        for (long lVolume : {1L, 2L})
        {
            PXSoftRec* pVolume = PXSoftRec::Create(22808, FALSE);
            PXFieldValue(25400, pVolume).SetInt32(lVolume);
            AddRecord(host.server.get(), 25287, pVolume);
        }
        ASSERT_EQ(1, host.server->Commit());
        rec.reset(PXSoftRec::Create(22803, FALSE));
        m_pfnOldHook = TWindow::SetModalHook(RunScript);
    }
    void TearDown() override
    {
        TWindow::SetModalHook(m_pfnOldHook);
        g_script = nullptr;
        rec.reset();
        host.server.reset();
        PXSoftObj::Leave(&host);
    }

    int Run(WORD wDialog, Script script)
    {
        g_script = script;
        PXSoftDlg dlg(wDialog, rec.get(), 1);
        int nEnd = dlg.Execute(1);
        g_script = nullptr;
        return nEnd;
    }

    // The first chosen application of the dialog's record: "name|id|volume".
    std::string Chosen()
    {
        PXRecArray* pApps = PXFieldValue(25350, rec.get()).GetRecArray();
        if (!pApps || pApps->GetSize() == 0)
            return "none";
        PXSoftRec* pApp = pApps->GetAt(0);
        return std::string(static_cast<const char*>(*PXFieldValue(25256, pApp).GetText())) + "|" +
               std::to_string(*PXFieldValue(25255, pApp).GetInt32()) + "|" +
               std::to_string(*PXFieldValue(25281, pApp).GetInt32());
    }

    ServerHost host;
    std::unique_ptr<PXSoftRec> rec;
    TWindow::TModalHook m_pfnOldHook = nullptr;
};

typedef std::vector<std::string> Strings;

} // namespace

// Each chooser shows the list and the pairs its style asks for, and its
// list shows every application with its ID, volume, locking user and
// description.
TEST_F(AppChooserTest, EachChooserShowsWhatItsStyleAsks)
{
    struct Case
    {
        WORD wDialog;
        WORD wList;
        bool bName, bId;
    };
    const Case cases[] = {
        {14509, 2307, true, true},  {14510, 2309, true, false}, {14511, 2305, true, true},
        {14512, 2306, true, false}, {14513, 2314, true, false}, {14514, 2308, true, false},
        {14515, 2310, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.wDialog);
        host.reloads.clear();
        Run(c.wDialog, [&](HWND h) {
            EXPECT_TRUE(Visible(h, LIST));
            EXPECT_EQ(c.bName, Visible(h, NAME));
            EXPECT_EQ(c.bId, Visible(h, ID));
            EXPECT_EQ(c.bId, Visible(h, VOLUME));
            EXPECT_EQ((Strings{"Sales", "accounts", "Billing"}), Column(h, 0));
            EXPECT_EQ((Strings{"10", "9", "100"}), Column(h, 1));
            EXPECT_EQ((Strings{"2", "1", "1"}), Column(h, 2));
            EXPECT_EQ((Strings{"", "admin", ""}), Column(h, 3));
            EXPECT_EQ((Strings{"Sales line", "Accounts", "Bills"}), Column(h, 4));
            DWORD dwStyle = static_cast<DWORD>(GetWindowLongPtrA(GetDlgItem(h, LIST), GWL_STYLE));
            EXPECT_TRUE(dwStyle & LVS_SHOWSELALWAYS);
            EXPECT_EQ(c.wDialog != 14510 && c.wDialog != 14512 && c.wDialog != 14513 && c.wDialog != 14514,
                      (dwStyle & LVS_SINGLESEL) != 0);
            if (c.bId)
            {
                EXPECT_EQ((Strings{"1", "2"}), Entries(h, VOLUME));
            }
        });
        EXPECT_EQ(std::vector<WORD>{c.wList}, host.reloads);
    }
}

// Choosing one application in Save As fills its name, ID and volume;
// typing another name afterwards changes only the name.
TEST_F(AppChooserTest, SaveAsTakesTheChoiceAndATypedName)
{
    int nEnd = Run(14509, [&](HWND h) {
        Pick(h, "Sales");
        EXPECT_EQ("Sales", Text(h, NAME));
        EXPECT_EQ("10", Text(h, ID));
        EXPECT_EQ("2", Text(h, VOLUME));
        Type(h, NAME, "Sales2");
        EXPECT_EQ("10", Text(h, ID));
        Command(h, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ("Sales2|10|2", Chosen());
}

// Several applications chosen in Import: each name in double quotes with a
// blank after it, stored with ID and volume -1.
TEST_F(AppChooserTest, ImportTakesSeveralApplications)
{
    int nEnd = Run(14510, [&](HWND h) {
        Pick(h, "Sales");
        Pick(h, "accounts", true);
        Pick(h, "Billing", true);
        EXPECT_EQ(3, SelectedCount(h));
        EXPECT_EQ("\"Sales\" \"accounts\" \"Billing\" ", Text(h, NAME));
        Command(h, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ("\"Sales\" \"accounts\" \"Billing\" |-1|-1", Chosen());
}

// A double click ends Open as OK; in Locks (neither style) it does nothing.
TEST_F(AppChooserTest, DoubleClickEndsOpenButNotLocks)
{
    int nEnd = Run(14512, [&](HWND h) {
        Pick(h, "Billing");
        ListNotify(h, NM_DBLCLK);
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ("Billing|-1|-1", Chosen());

    nEnd = Run(14515, [&](HWND h) {
        Pick(h, "Billing");
        ListNotify(h, NM_DBLCLK);
    });
    EXPECT_EQ(IDCANCEL, nEnd);
}

// A double click with two applications chosen does not end Import.
TEST_F(AppChooserTest, DoubleClickNeedsExactlyOneChoice)
{
    int nEnd = Run(14510, [&](HWND h) {
        Pick(h, "Sales");
        Pick(h, "Billing", true);
        ListNotify(h, NM_DBLCLK);
    });
    EXPECT_EQ(IDCANCEL, nEnd);
}

// Clicking into the name edit while an application is chosen lets go of it.
TEST_F(AppChooserTest, ClickingIntoTheNameEditDeselects)
{
    Run(14509, [&](HWND h) {
        Pick(h, "accounts");
        EXPECT_EQ(1, SelectedCount(h));
        Command(h, NAME, EN_SETFOCUS);
        EXPECT_EQ(0, SelectedCount(h));
        EXPECT_EQ("accounts", Text(h, NAME));
    });
}

// Sorting: the ID as a number (9 before 10), the name as case-sensitive
// text; a second click on the column turns the order round.
TEST_F(AppChooserTest, ColumnsSortTheirWay)
{
    Run(14512, [&](HWND h) {
        ListNotify(h, LVN_COLUMNCLICK, 1);
        EXPECT_EQ((Strings{"9", "10", "100"}), Column(h, 1));
        ListNotify(h, LVN_COLUMNCLICK, 1);
        EXPECT_EQ((Strings{"100", "10", "9"}), Column(h, 1));
        ListNotify(h, LVN_COLUMNCLICK, 0);
        EXPECT_EQ((Strings{"Billing", "Sales", "accounts"}), Column(h, 0));
        ListNotify(h, LVN_COLUMNCLICK, 0);
        EXPECT_EQ((Strings{"accounts", "Sales", "Billing"}), Column(h, 0));
        ListNotify(h, LVN_COLUMNCLICK, 3);
        EXPECT_EQ((Strings{"", "", "admin"}), Column(h, 3));
    });
}

// An application already in the dialog's record is shown at set-up; an ID
// or volume of none (-1) shows nothing; a typed ID that is no number is 0.
TEST_F(AppChooserTest, TheRecordsApplicationIsShownAndTypedValuesStored)
{
    AddRecord(rec.get(), 25350, NewApp({"Fresh", 42, 2, "", ""}));
    ASSERT_EQ(1, rec->Commit());
    int nEnd = Run(14511, [&](HWND h) {
        EXPECT_EQ("Fresh", Text(h, NAME));
        EXPECT_EQ("42", Text(h, ID));
        EXPECT_EQ("2", Text(h, VOLUME));
        Type(h, ID, "4x");
        Command(h, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ("Fresh|0|2", Chosen());

    rec.reset(PXSoftRec::Create(22803, FALSE));
    AddRecord(rec.get(), 25350, NewApp({"Unsaved", -1, -1, "", ""}));
    ASSERT_EQ(1, rec->Commit());
    Run(14509, [&](HWND h) {
        EXPECT_EQ("Unsaved", Text(h, NAME));
        EXPECT_EQ("", Text(h, ID));
        EXPECT_EQ("1", Text(h, VOLUME));
    });
}
