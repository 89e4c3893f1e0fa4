// The block-name, zoom, save-name and About dialogs: names trimmed and
// refused, zoom limits, the program directory's list and files, and the
// build text from the registry.
#include "EditorDlgTestSupport.h"

#include "EditorDlgRes.h"
#include "PXProgDir.h"
#include "TAboutDialog.h"
#include "TNamePBDialog.h"
#include "TSaveProgramDialog.h"
#include "TScaleDialog.h"
#include "plexedit.h"

#include <cstring>
#include <string>

namespace {

const char* const kKey = PX_REGKEY_PLEXWRIGHT;

void RemoveKey()
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
    {
        RegDeleteValueA(hKey, "ProgDir");
        RegDeleteValueA(hKey, PX_REGVALUE_VERSION);
        RegCloseKey(hKey);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel\\Telvanta");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel");
}

void SetValue(const char* pszName, const void* pData, DWORD cb, DWORD dwType)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb));
    RegCloseKey(hKey);
}

void SetString(const char* pszName, const std::string& value)
{
    SetValue(pszName, value.c_str(), static_cast<DWORD>(value.size() + 1), REG_SZ);
}

// Keys typed as the message loop delivers them.
void TypeKeys(HWND hDlg, int nId, const char* pszText)
{
    HWND hEdit = GetDlgItem(hDlg, nId);
    for (const char* p = pszText; *p; ++p)
        SendMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(*p), 1);
}

} // namespace

// ---------------------------------------------------------------------------
// Block name

TEST(NamePBDialog, TypedNamesAreTrimmedAndBlanksJoined)
{
    struct Case
    {
        const char* pszTyped;
        const char* pszStored;
    } cases[] = {
        { "  my block  ", "my_block" },
        { "plain", "plain" },
        { "a b  c", "a_b__c" },
        { "\tTabbed\t", "Tabbed" },
        { "   ", "" },
    };
    for (const Case& c : cases)
    {
        DialogScripts scripts;
        std::string typed = c.pszTyped;
        scripts.Add([typed](HWND hDlg) {
            Type(hDlg, IDC_NAMEPB_NAME, typed.c_str());
            ClickButton(hDlg, IDOK);
        });
        char szName[PX_BLOCKNAME_SIZE] = "Old";
        TNamePBDialog dlg(nullptr, szName, "Add Menu Block", false);
        EXPECT_EQ(IDOK, dlg.Execute()) << c.pszTyped;
        EXPECT_STREQ(c.pszStored, szName) << c.pszTyped;
        EXPECT_EQ(0, scripts.nUnscripted);
    }
}

TEST(NamePBDialog, ShowsTheNameAndCaptionAndStopsAtThirtyCharacters)
{
    DialogScripts scripts;
    std::string shown;
    LRESULT nLimit = 0;
    scripts.Add([&](HWND hDlg) {
        shown = Text(hDlg, IDC_NAMEPB_NAME);
        nLimit = SendDlgItemMessageA(hDlg, IDC_NAMEPB_NAME, EM_GETLIMITTEXT, 0, 0);
        Type(hDlg, IDC_NAMEPB_NAME, "");
        TypeKeys(hDlg, IDC_NAMEPB_NAME, "abcdefghijklmnopqrstuvwxyz0123456789");
        ClickButton(hDlg, IDOK);
    });
    char szName[PX_BLOCKNAME_SIZE] = "Menu1";
    TNamePBDialog dlg(nullptr, szName, "Add Menu Block", true);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ("Menu1", shown);
    EXPECT_EQ(30, nLimit);
    EXPECT_STREQ("abcdefghijklmnopqrstuvwxyz0123", szName);
    ASSERT_EQ(1u, scripts.captions.size());
    EXPECT_EQ("Add Menu Block", scripts.captions[0]);
    EXPECT_EQ(FindHelpID("Rename block"), dlg.GetHelpId());
}

TEST(NamePBDialog, CancelKeepsTheBuffer)
{
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        Type(hDlg, IDC_NAMEPB_NAME, "other");
        ClickButton(hDlg, IDCANCEL);
    });
    char szName[PX_BLOCKNAME_SIZE] = "Kept";
    TNamePBDialog dlg(nullptr, szName, "Add Menu Block", false);
    EXPECT_EQ(IDCANCEL, dlg.Execute());
    EXPECT_STREQ("Kept", szName);
    EXPECT_EQ(FindHelpID("Add block"), dlg.GetHelpId());
}

// ---------------------------------------------------------------------------
// Zoom

TEST(ScaleDialog, ZoomEntries)
{
    const char* accepted[] = { "50", "50%", "100%", "35", "100", "099" };
    const char* refused[] = { "34", "101", "5%0", "%50", "50a", "1000%", "", "%", "1000", "50%%", " 50" };
    for (const char* psz : accepted)
        EXPECT_TRUE(TScaleDialog::IsValidZoom(psz)) << psz;
    for (const char* psz : refused)
        EXPECT_FALSE(TScaleDialog::IsValidZoom(psz)) << psz;
    EXPECT_FALSE(TScaleDialog::IsValidZoom(nullptr));
}

TEST(ScaleDialog, ShowsTheZoomOffersTheChoicesAndRefusesBadEntries)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    std::string current;
    std::string entry;
    std::vector<std::string> choices;
    bool bStayed = false;
    scripts.Add([&](HWND hDlg) {
        current = Text(hDlg, IDC_SCALE_CURRENT);
        entry = Text(hDlg, IDC_SCALE_NEW);
        choices = Entries(hDlg, IDC_SCALE_NEW);
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "34");
        ClickButton(hDlg, IDOK);
        bStayed = IsWindow(hDlg) && IsWindowEnabled(hDlg);
        Choose(hDlg, IDC_SCALE_NEW, 2);
        ClickButton(hDlg, IDOK);
    });
    int nZoom = 75;
    TScaleDialog dlg(nullptr, &nZoom);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ("75", current);
    EXPECT_EQ("75", entry);
    EXPECT_EQ((std::vector<std::string>{ "50", "60", "70", "80", "90", "100" }), choices);
    EXPECT_TRUE(bStayed);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("     Invalid Entry  \n    Please try again", boxes.boxes[0].text);
    EXPECT_EQ(70, nZoom);
    EXPECT_EQ(FindHelpID("View Options"), dlg.GetHelpId());
}

TEST(ScaleDialog, PercentSignEndsTheNumber)
{
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "45%");
        ClickButton(hDlg, IDOK);
    });
    int nZoom = 100;
    TScaleDialog dlg(nullptr, &nZoom);
    EXPECT_EQ(IDOK, dlg.Execute());
    EXPECT_EQ(45, nZoom);
}

TEST(ScaleDialog, CancelKeepsTheZoom)
{
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        SetDlgItemTextA(hDlg, IDC_SCALE_NEW, "60");
        ClickButton(hDlg, IDCANCEL);
    });
    int nZoom = 90;
    TScaleDialog dlg(nullptr, &nZoom);
    EXPECT_EQ(IDCANCEL, dlg.Execute());
    EXPECT_EQ(90, nZoom);
}

// ---------------------------------------------------------------------------
// Save name

namespace {

std::string TempRoot()
{
    char sz[MAX_PATH];
    GetTempPathA(sizeof(sz), sz);
    return std::string(sz) + "plexsaveas\\";
}

void WriteText(const std::string& path, const std::string& text)
{
    FILE* p = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, p) << path;
    fwrite(text.data(), 1, text.size(), p);
    fclose(p);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadText(const std::string& path)
{
    std::string text;
    if (FILE* p = fopen(path.c_str(), "rb"))
    {
        char buf[256];
        size_t n;
        while ((n = fread(buf, 1, sizeof(buf), p)) > 0)
            text.append(buf, n);
        fclose(p);
    }
    return text;
}

class SaveProgramDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        char sz[MAX_PATH];
        GetCurrentDirectoryA(sizeof(sz), sz);
        m_strOldCwd = sz;
        dir = TempRoot();
        Clean();
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        RemoveKey();
        SetString("ProgDir", dir);
        WriteText(dir + "sales.ed", "x");
        WriteText(dir + "sales.dsc", std::string("Sales line\r\nmore", 17));
        WriteText(dir + "orders.ed", "x");
        WriteText(dir + "orders.dsc", std::string("Orders\0", 7));
        WriteText(dir + "notes.txt", "not a program");
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_strOldCwd.c_str());
        Clean();
        RemoveKey();
    }
    void Clean()
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileA((dir + fd.cFileName).c_str());
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string dir;
    std::string m_strOldCwd;
};

} // namespace

TEST_F(SaveProgramDialog, ListsTheProgramsAndTakesADoubleClickedName)
{
    DialogScripts scripts;
    std::vector<std::string> lines;
    std::string taken;
    scripts.Add([&](HWND hDlg) {
        lines = ListLines(hDlg, IDC_SAVEAS_LIST);
        DoubleClickLine(hDlg, IDC_SAVEAS_LIST, 1);
        taken = Text(hDlg, IDC_SAVEAS_NAME);
        ClickButton(hDlg, IDCANCEL);
    });
    char szName[PX_SAVENAME_SIZE] = "Untitled";
    EXPECT_FALSE(AskProgramSaveName(szName));
    EXPECT_STREQ("", szName);
    EXPECT_EQ((std::vector<std::string>{ "orders\tOrders", "sales\tSales line" }), lines);
    EXPECT_EQ("sales", taken);
}

TEST_F(SaveProgramDialog, BadNamesAreRefused)
{
    const char* refused[] = { "", "a.b", "a\"b", "a*", "a+b", "a,b", "a/b", "a:b", "a;b", "a<b", "a=b", "a>b",
                              "a?b", "a\\b", "a|b" };
    for (const char* psz : refused)
        EXPECT_FALSE(TSaveProgramDialog::IsValidName(psz)) << psz;
    EXPECT_TRUE(TSaveProgramDialog::IsValidName("sales"));
    EXPECT_TRUE(TSaveProgramDialog::IsValidName("a-b_c 1"));

    MessageBoxRecorder boxes;
    DialogScripts scripts;
    bool bStayed = false;
    scripts.Add([&](HWND hDlg) {
        Type(hDlg, IDC_SAVEAS_NAME, "new.ed");
        ClickButton(hDlg, IDOK);
        Type(hDlg, IDC_SAVEAS_NAME, "");
        ClickButton(hDlg, IDOK);
        bStayed = IsWindow(hDlg) != FALSE;
        ClickButton(hDlg, IDCANCEL);
    });
    char szName[PX_SAVENAME_SIZE];
    EXPECT_FALSE(AskProgramSaveName(szName));
    EXPECT_TRUE(bStayed);
    ASSERT_EQ(2u, boxes.boxes.size());
    for (const PXShownBox& box : boxes.boxes)
    {
        EXPECT_EQ("Invalid filename.", box.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), box.uType & MB_ICONMASK);
    }
    EXPECT_FALSE(Exists(dir + "new.dsc"));
}

TEST_F(SaveProgramDialog, APlainNameIsTakenWithItsDescription)
{
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    scripts.Add([](HWND hDlg) {
        Type(hDlg, IDC_SAVEAS_NAME, "billing");
        Type(hDlg, IDC_SAVEAS_DESCR, "Monthly billing");
        ClickButton(hDlg, IDOK);
    });
    char szName[PX_SAVENAME_SIZE];
    EXPECT_TRUE(AskProgramSaveName(szName));
    EXPECT_STREQ("billing.ed", szName);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(std::string("Monthly billing", 16), ReadText(dir + "billing.dsc"));
}

TEST_F(SaveProgramDialog, OverwriteQuestion)
{
    struct Case
    {
        int nAnswer;
        bool bSaved;
    } cases[] = { { IDNO, false }, { IDCANCEL, false }, { IDYES, true } };
    for (const Case& c : cases)
    {
        MessageBoxRecorder boxes;
        boxes.Answer(c.nAnswer);
        DialogScripts scripts;
        bool bOpenAfterAnswer = false;
        scripts.Add([&](HWND hDlg) {
            Type(hDlg, IDC_SAVEAS_NAME, "sales");
            Type(hDlg, IDC_SAVEAS_DESCR, "New sales");
            ClickButton(hDlg, IDOK);
            bOpenAfterAnswer = IsWindow(hDlg) && !c.bSaved;
            if (!c.bSaved)
                ClickButton(hDlg, IDCANCEL);
        });
        char szName[PX_SAVENAME_SIZE];
        EXPECT_EQ(c.bSaved, AskProgramSaveName(szName)) << c.nAnswer;
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("That file already exists. Do you wish to overwrite it?", boxes.boxes[0].text);
        EXPECT_EQ("Warning", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), boxes.boxes[0].uType & MB_TYPEMASK);
        if (c.bSaved)
        {
            EXPECT_STREQ("sales.ed", szName);
            EXPECT_FALSE(Exists(dir + "sales.ed"));
            EXPECT_EQ(std::string("New sales", 10), ReadText(dir + "sales.dsc"));
        }
        else
        {
            EXPECT_TRUE(bOpenAfterAnswer);
            EXPECT_TRUE(Exists(dir + "sales.ed"));
            EXPECT_EQ(std::string("Sales line\r\nmore", 17), ReadText(dir + "sales.dsc"));
        }
    }
}

TEST_F(SaveProgramDialog, ADescriptionThatCannotBeWrittenKeepsTheDialogOpen)
{
    SetString("ProgDir", dir + "missing\\");
    MessageBoxRecorder boxes;
    DialogScripts scripts;
    std::vector<std::string> lines{ "x" };
    bool bOpen = false;
    scripts.Add([&](HWND hDlg) {
        lines = ListLines(hDlg, IDC_SAVEAS_LIST);
        Type(hDlg, IDC_SAVEAS_NAME, "billing");
        ClickButton(hDlg, IDOK);
        bOpen = IsWindow(hDlg) != FALSE;
        ClickButton(hDlg, IDCANCEL);
    });
    char szName[PX_SAVENAME_SIZE];
    EXPECT_FALSE(AskProgramSaveName(szName));
    EXPECT_TRUE(bOpen);
    EXPECT_TRUE(lines.empty());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Could not create the file.", boxes.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
}

// ---------------------------------------------------------------------------
// About

namespace {

class AboutDialog : public testing::Test
{
protected:
    void SetUp() override { RemoveKey(); }
    void TearDown() override { RemoveKey(); }

    std::string ShownBuild()
    {
        DialogScripts scripts;
        std::string shown;
        scripts.Add([&](HWND hDlg) {
            shown = Text(hDlg, IDC_ABOUT_BUILD);
            ClickButton(hDlg, IDOK);
        });
        TAboutDialog dlg(nullptr);
        EXPECT_EQ(IDOK, dlg.Execute());
        EXPECT_EQ(std::vector<std::string>{ "About Plexwright" }, scripts.captions);
        return shown;
    }
};

} // namespace

TEST_F(AboutDialog, ShowsTheBuildFromTheRegistry)
{
    SetString(PX_REGVALUE_VERSION, "4.2.118");
    EXPECT_EQ("Plexwright for Telvanta (Build 4.2.118)", ShownBuild());
}

TEST_F(AboutDialog, WithoutTheKeyTheTemplateTextStays)
{
    EXPECT_EQ("Plexwright for Telvanta", ShownBuild());
}

TEST_F(AboutDialog, ValuesThatCannotBeReadLeaveTheTemplateText)
{
    SetString(PX_REGVALUE_VERSION, std::string(40, '9'));
    EXPECT_EQ("Plexwright for Telvanta", ShownBuild());
    DWORD dw = 7;
    SetValue(PX_REGVALUE_VERSION, &dw, sizeof(dw), REG_DWORD);
    EXPECT_EQ("Plexwright for Telvanta", ShownBuild());
}

TEST_F(AboutDialog, AValueWithoutItsNulIsEndedInTheBuffer)
{
    // Stored without its terminator: the text ends where the value does.
    std::string full(31, '7');
    SetValue(PX_REGVALUE_VERSION, full.data(), 31, REG_SZ);
    char szVersion[PX_VERSION_SIZE + 1];
    std::memset(szVersion, 'x', sizeof(szVersion));
    ASSERT_TRUE(TAboutDialog::ReadVersion(szVersion, sizeof(szVersion)));
    EXPECT_EQ(full, std::string(szVersion));
    EXPECT_EQ("Plexwright for Telvanta (Build " + full + ")", ShownBuild());
}
