// Driving real dialogs and property sheets as the user would.
#include "PXDialogDriver.h"

#include <commctrl.h>
#include <prsht.h>

std::string Text(HWND hWnd)
{
    char sz[256] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

std::string Text(HWND hDlg, int nId)
{
    return Text(GetDlgItem(hDlg, nId));
}

void Type(HWND hDlg, int nEdit, const char* pszText)
{
    HWND hEdit = GetDlgItem(hDlg, nEdit);
    SetWindowTextA(hEdit, pszText);
    // A single-line edit reports WM_SETTEXT as a change; a multi-line edit
    // does not, and typing would.
    if (GetWindowLongA(hEdit, GWL_STYLE) & ES_MULTILINE)
        Command(hDlg, nEdit, EN_CHANGE);
}

void Click(HWND hDlg, int nId)
{
    SendMessageA(GetDlgItem(hDlg, nId), BM_CLICK, 0, 0);
}

void Command(HWND hDlg, int nId, int nCode)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, nCode), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

void Choose(HWND hDlg, int nCombo, int nIndex)
{
    SendDlgItemMessageA(hDlg, nCombo, CB_SETCURSEL, nIndex, 0);
    Command(hDlg, nCombo, CBN_SELCHANGE);
}

std::vector<std::string> Entries(HWND hDlg, int nCombo)
{
    std::vector<std::string> entries;
    int n = static_cast<int>(SendDlgItemMessageA(hDlg, nCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        char sz[256] = "";
        if (SendDlgItemMessageA(hDlg, nCombo, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof(sz)))
            SendDlgItemMessageA(hDlg, nCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
        entries.push_back(sz);
    }
    return entries;
}

int Selection(HWND hDlg, int nCombo)
{
    return static_cast<int>(SendDlgItemMessageA(hDlg, nCombo, CB_GETCURSEL, 0, 0));
}

bool Enabled(HWND hDlg, int nId)
{
    return IsWindowEnabled(GetDlgItem(hDlg, nId)) != 0;
}

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void OpenPage(HWND hSheet, int nIndex)
{
    SendMessageA(hSheet, PSM_SETCURSEL, nIndex, 0);
}

void Press(HWND hSheet, int nButton)
{
    SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
}

namespace
{
std::function<void(HWND)> g_dialogScript;
UINT_PTR g_nDialogTimer = 0;
bool g_bDialogRan = false;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    // A modal dialog disables its owner: the enabled one is the newest.
    if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd))
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DialogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hDlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&hDlg));
    if (!hDlg || !g_dialogScript)
        return;
    std::function<void(HWND)> script = std::move(g_dialogScript);
    DisarmDialogAnswer();
    g_bDialogRan = true;
    script(hDlg);
}
}

void AnswerNextDialog(std::function<void(HWND)> script)
{
    DisarmDialogAnswer();
    g_bDialogRan = false;
    g_dialogScript = std::move(script);
    g_nDialogTimer = SetTimer(nullptr, 0, 20, DialogTimer);
}

bool DialogAnswerRan()
{
    return g_bDialogRan;
}

void DisarmDialogAnswer()
{
    if (g_nDialogTimer)
        KillTimer(nullptr, g_nDialogTimer);
    g_nDialogTimer = 0;
    g_dialogScript = nullptr;
}
