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
