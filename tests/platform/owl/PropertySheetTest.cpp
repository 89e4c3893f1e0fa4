// A property sheet with two pages, driven by PSM_PRESSBUTTON from inside
// its modal loop.
#include "OwlTestSupport.h"
#include "OwlTestRes.h"

#include "owl/TEdit.h"
#include "owl/TPropertyPage.h"
#include "owl/TPropertySheet.h"

namespace {

class TestPage : public TPropertyPage
{
public:
    TestPage(TPropertySheet* pSheet, const char* pszTemplate, std::string name)
        : TPropertyPage(pSheet, pszTemplate), m_name(name)
    {
        m_pEdit = new TEdit(this, IDC_TEST_EDIT, 20);
    }

    void SetupWindow() override
    {
        TPropertyPage::SetupWindow();
        g_log.push_back(m_name + " setup");
    }

    void TransferData(TTransferDirection direction) override
    {
        if (direction == tdSetData)
            m_pEdit->SetText(m_value.c_str());
        else
        {
            char sz[32];
            m_pEdit->GetText(sz, sizeof(sz));
            m_value = sz;
            g_log.push_back(m_name + " get " + m_value);
        }
    }

    bool CanClose() override
    {
        g_log.push_back(m_name + " CanClose");
        return ++m_nAsked > m_nRefusals;
    }

    std::string m_name;
    std::string m_value;
    TEdit* m_pEdit;
    int m_nRefusals = 0;
    int m_nAsked = 0;
};

class TestSheet : public TPropertySheet
{
public:
    TestSheet() : TPropertySheet(nullptr, "Two pages") {}

    void SetupWindow() override
    {
        TPropertySheet::SetupWindow();
        g_log.push_back("sheet setup");
    }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            g_log.push_back(LOWORD(wParam) == IDOK ? "sheet OK" : "sheet Cancel");
        return TPropertySheet::WindowProc(msg, wParam, lParam);
    }
};

// What the modal hook does to the sheet.
struct SheetScript
{
    bool bVisitSecond = true;
    int nOkPresses = 1;
    bool bCancel = false;
    std::string caption;
};
SheetScript g_sheetScript;

void DriveSheet(TWindow* pWnd)
{
    char sz[64];
    GetWindowTextA(pWnd->HWindow, sz, sizeof(sz));
    g_sheetScript.caption = sz;
    HWND hPage = reinterpret_cast<HWND>(SendMessageA(pWnd->HWindow, PSM_GETCURRENTPAGEHWND, 0, 0));
    SetWindowTextA(GetDlgItem(hPage, IDC_TEST_EDIT), "alpha");
    if (g_sheetScript.bVisitSecond)
        PostMessageA(pWnd->HWindow, PSM_SETCURSEL, 1, 0);
    if (g_sheetScript.bCancel)
        PostMessageA(pWnd->HWindow, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    for (int i = 0; i < g_sheetScript.nOkPresses; ++i)
        PostMessageA(pWnd->HWindow, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

class PropertySheetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        g_sheetScript = SheetScript();
        m_pSheet = new TestSheet;
        m_pFirst = new TestPage(m_pSheet, "PAGE1", "first");
        m_pSecond = new TestPage(m_pSheet, "PAGE2", "second");
        m_pSecond->m_value = "beta";
    }
    void TearDown() override { delete m_pSheet; }

    ModalHook m_hook{ DriveSheet };
    TestSheet* m_pSheet;
    TestPage* m_pFirst;
    TestPage* m_pSecond;
};

bool Contains(const std::string& s)
{
    return std::find(g_log.begin(), g_log.end(), s) != g_log.end();
}

} // namespace

TEST_F(PropertySheetTest, OkAppliesEveryPageThatWasShown)
{
    EXPECT_EQ(2, m_pSheet->GetPageCount());
    EXPECT_EQ(2, m_pSheet->NumChildren());
    EXPECT_GT(m_pSheet->Execute(), 0);
    EXPECT_EQ("Two pages", g_sheetScript.caption);
    EXPECT_EQ("alpha", m_pFirst->m_value);
    EXPECT_EQ("beta", m_pSecond->m_value);
    EXPECT_TRUE(Contains("sheet setup"));
    EXPECT_TRUE(Contains("first setup"));
    EXPECT_TRUE(Contains("second setup"));
    EXPECT_TRUE(Contains("sheet OK"));          // PSM_PRESSBUTTON came through WindowProc
    EXPECT_TRUE(Contains("first get alpha"));
    EXPECT_TRUE(Contains("second get beta"));
    EXPECT_FALSE(m_pSheet->IsWindow());
    EXPECT_FALSE(m_pFirst->IsWindow());
}

TEST_F(PropertySheetTest, PagesNeverShownAreNotMade)
{
    g_sheetScript.bVisitSecond = false;
    EXPECT_GT(m_pSheet->Execute(), 0);
    EXPECT_TRUE(Contains("first get alpha"));
    EXPECT_FALSE(Contains("second setup"));
    EXPECT_FALSE(Contains("second get beta"));
}

TEST_F(PropertySheetTest, CancelReadsNothing)
{
    g_sheetScript.bCancel = true;
    g_sheetScript.nOkPresses = 0;
    EXPECT_EQ(0, m_pSheet->Execute());
    EXPECT_TRUE(Contains("sheet Cancel"));
    EXPECT_FALSE(Contains("first get alpha"));
    EXPECT_EQ("", m_pFirst->m_value);
}

TEST_F(PropertySheetTest, APageThatMayNotBeLeftKeepsTheSheetOpen)
{
    g_sheetScript.bVisitSecond = false;
    g_sheetScript.nOkPresses = 2;
    m_pFirst->m_nRefusals = 1;
    EXPECT_GT(m_pSheet->Execute(), 0);
    // The first OK was refused by the page, the second went through.
    EXPECT_EQ(2, std::count(g_log.begin(), g_log.end(), "sheet OK"));
    EXPECT_EQ(1, std::count(g_log.begin(), g_log.end(), "first get alpha"));
    EXPECT_EQ(2, m_pFirst->m_nAsked);
}

TEST_F(PropertySheetTest, MissingPageTemplateRunsNothing)
{
    new TestPage(m_pSheet, "NOSUCHPAGE", "third");
    EXPECT_EQ(-1, m_pSheet->Execute());
    EXPECT_TRUE(g_log.empty());
}
