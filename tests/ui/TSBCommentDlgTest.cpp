// The comment dialog: its template, typing into it and what "Done" and
// "Cancel" leave in the page's and the program's comment.
#include "PXTestSupport.h"
#include "CommentDlgRes.h"
#include "Page.h"
#include "Program.h"
#include "TSBCommentDlg.h"

#include <functional>
#include <string>

namespace
{
std::function<void(HWND)> g_script;
std::string g_caption;
std::string g_shown;
LRESULT g_limit = 0;

void RunScript(TWindow* pWnd)
{
    HWND hDlg = pWnd->HWindow;
    char sz[64];
    GetWindowTextA(hDlg, sz, sizeof(sz));
    g_caption = sz;
    HWND hEdit = GetDlgItem(hDlg, IDC_SBCOMMENT_TEXT);
    int n = GetWindowTextLengthA(hEdit);
    std::string shown(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(hEdit, &shown[0], n + 1);
    shown.resize(static_cast<size_t>(n));
    g_shown = shown;
    g_limit = SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0);
    if (g_script)
        g_script(hDlg);
}

// Keys typed as the message loop delivers them.
void Type(HWND hDlg, const char* pszText)
{
    HWND hEdit = GetDlgItem(hDlg, IDC_SBCOMMENT_TEXT);
    for (const char* p = pszText; *p; ++p)
        PostMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(*p), 1);
}

void Press(HWND hDlg, int nId)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

class CommentDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pfnOldHook = TWindow::SetModalHook(RunScript);
        g_script = nullptr;
        g_caption.clear();
        g_shown.clear();
    }
    void TearDown() override
    {
        TWindow::SetModalHook(m_pfnOldHook);
        g_script = nullptr;
    }

    TWindow::TModalHook m_pfnOldHook = nullptr;
};
}

TEST_F(CommentDialogTest, DoneStoresTheTypedPageComment)
{
    Page page;
    page.SetComment("Old text");
    g_script = [](HWND hDlg) {
        SendDlgItemMessageA(hDlg, IDC_SBCOMMENT_TEXT, EM_SETSEL, 0, -1);
        Type(hDlg, "First line\rSecond line");
        Press(hDlg, IDOK);
    };
    EXPECT_EQ(1, EditSuperBlockComment(nullptr, &page));
    EXPECT_EQ("SuperBlock Comment", g_caption);
    EXPECT_EQ("Old text", g_shown);
    EXPECT_EQ("First line\r\nSecond line", std::string(page.GetComment()));
}

TEST_F(CommentDialogTest, CancelKeepsTheComment)
{
    Page page;
    page.SetComment("Kept");
    g_script = [](HWND hDlg) {
        Type(hDlg, "typed");
        Press(hDlg, IDCANCEL);
    };
    EXPECT_EQ(0, EditSuperBlockComment(nullptr, &page));
    EXPECT_EQ("Kept", std::string(page.GetComment()));
}

TEST_F(CommentDialogTest, ProgramComment)
{
    Program program;
    g_script = [](HWND hDlg) {
        Type(hDlg, "About this program");
        Press(hDlg, IDOK);
    };
    EXPECT_EQ(1, EditProgramComment(nullptr, &program));
    EXPECT_EQ("Program Comment", g_caption);
    EXPECT_EQ("About this program", std::string(program.GetComment()));
}

TEST_F(CommentDialogTest, TypingStopsAtTheBuffersLength)
{
    Page page;
    page.SetComment(std::string(PX_COMMENT_SIZE - 2, 'a').c_str());
    g_script = [](HWND hDlg) {
        SendDlgItemMessageA(hDlg, IDC_SBCOMMENT_TEXT, EM_SETSEL, PX_COMMENT_SIZE, PX_COMMENT_SIZE);
        Type(hDlg, "bcd");
        Press(hDlg, IDOK);
    };
    EXPECT_EQ(1, EditSuperBlockComment(nullptr, &page));
    EXPECT_EQ(PX_COMMENT_SIZE - 1, g_limit);
    EXPECT_EQ(std::string(PX_COMMENT_SIZE - 2, 'a') + "b", std::string(page.GetComment()));
}

TEST_F(CommentDialogTest, TheTemplateLoads)
{
    char szBuffer[PX_COMMENT_SIZE] = "text";
    TSBCommentDlg dlg(nullptr, szBuffer);
    EXPECT_NE(nullptr, dlg.FindTemplateModule());
    g_script = [](HWND hDlg) {
        RECT rc;
        GetClientRect(GetDlgItem(hDlg, IDC_SBCOMMENT_TEXT), &rc);
        EXPECT_GT(rc.right, 0);
        LONG_PTR style = GetWindowLongPtrA(GetDlgItem(hDlg, IDC_SBCOMMENT_TEXT), GWL_STYLE);
        EXPECT_EQ(ES_MULTILINE | ES_WANTRETURN, style & (ES_MULTILINE | ES_WANTRETURN));
        EXPECT_NE(nullptr, GetDlgItem(hDlg, IDOK));
        EXPECT_NE(nullptr, GetDlgItem(hDlg, IDCANCEL));
        Press(hDlg, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.Execute());
    EXPECT_EQ("Superblock Comment", g_caption);
    EXPECT_EQ("text", g_shown);
}
