// Shared helpers of the editor dialog tests.
#include "EditorDlgTestSupport.h"

namespace {
DialogScripts* g_pScripts = nullptr;
}

DialogScripts::DialogScripts()
{
    g_pScripts = this;
    m_pfnOld = TWindow::SetModalHook(Hook);
}

DialogScripts::~DialogScripts()
{
    TWindow::SetModalHook(m_pfnOld);
    g_pScripts = nullptr;
}

void DialogScripts::Hook(TWindow* pWnd)
{
    HWND hDlg = pWnd->HWindow;
    DialogScripts* p = g_pScripts;
    if (!p)
        return;
    p->captions.push_back(Text(hDlg));
    if (p->m_scripts.empty())
    {
        ++p->nUnscripted;
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    Script script = std::move(p->m_scripts.front());
    p->m_scripts.pop_front();
    script(hDlg);
}

std::vector<std::string> ListLines(HWND hDlg, int nList)
{
    std::vector<std::string> lines;
    int n = static_cast<int>(SendDlgItemMessageA(hDlg, nList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        LRESULT nLen = SendDlgItemMessageA(hDlg, nList, LB_GETTEXTLEN, i, 0);
        std::string line(static_cast<size_t>(nLen) + 1, '\0');
        SendDlgItemMessageA(hDlg, nList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]));
        line.resize(static_cast<size_t>(nLen));
        lines.push_back(line);
    }
    return lines;
}

int FindLine(HWND hDlg, int nList, const std::string& line)
{
    std::vector<std::string> lines = ListLines(hDlg, nList);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line)
            return static_cast<int>(i);
    return -1;
}

void SelectLine(HWND hDlg, int nList, int nIndex)
{
    SendDlgItemMessageA(hDlg, nList, LB_SETCURSEL, nIndex, 0);
    Command(hDlg, nList, LBN_SELCHANGE);
}

void DoubleClickLine(HWND hDlg, int nList, int nIndex)
{
    SendDlgItemMessageA(hDlg, nList, LB_SETCURSEL, nIndex, 0);
    Command(hDlg, nList, LBN_DBLCLK);
}

void ClickButton(HWND hDlg, int nId)
{
    Command(hDlg, nId, BN_CLICKED);
}
