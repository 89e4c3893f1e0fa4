// Driving real dialogs and property sheets as the user would: typing into
// edits, clicking, choosing in combo boxes, pressing the sheet's buttons,
// and reading back what the windows show. Plain Win32, for every window
// test.
#ifndef PXDIALOGDRIVER_H
#define PXDIALOGDRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The window text of a window, or of a dialog's control.
std::string Text(HWND hWnd);
std::string Text(HWND hDlg, int nId);

// Types over the whole text of an edit; the edit tells its dialog of the
// change (EN_CHANGE), as typing does, multi-line edits included.
void Type(HWND hDlg, int nEdit, const char* pszText);
// The user clicks the control: a check box or radio button changes its
// state, and the control tells its dialog (BM_CLICK).
void Click(HWND hDlg, int nId);
// The control tells its dialog of an event (WM_COMMAND with the code),
// whatever the control's state.
void Command(HWND hDlg, int nId, int nCode);
// The user chooses an entry of a combo box.
void Choose(HWND hDlg, int nCombo, int nIndex);

// What a combo box offers and which entry is chosen (-1 none).
std::vector<std::string> Entries(HWND hDlg, int nCombo);
int Selection(HWND hDlg, int nCombo);
bool Enabled(HWND hDlg, int nId);

// Property sheets: the page shown, another page opened, a button of the
// sheet pressed (PSBTN_OK, PSBTN_CANCEL, ...).
HWND CurrentPage(HWND hSheet);
void OpenPage(HWND hSheet, int nIndex);
void Press(HWND hSheet, int nButton);

// Dialogs that a library runs with DialogBox, without the framework's
// modal hook: the next dialog window of this thread that shows up while
// the thread's messages are dispatched (in the dialog's own loop) is given
// to the script once; the answer is armed until it has run or until
// DisarmDialogAnswer. True when the last armed script has run.
void AnswerNextDialog(std::function<void(HWND)> script);
bool DialogAnswerRan();
void DisarmDialogAnswer();

#endif
