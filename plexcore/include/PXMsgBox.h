// The one seam through which the program shows a system message box (and
// sounds its beep). Tests install a hook that records the box and answers it.
#ifndef PXMSGBOX_H
#define PXMSGBOX_H

#include <windows.h>

typedef int (*PXMessageBoxHook)(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType);

// Installs a hook and returns the previous one; null restores MessageBoxA.
PXMessageBoxHook PXSetMessageBoxHook(PXMessageBoxHook pfnHook);

// MessageBoxA, or the installed hook. Answers IDOK, IDCANCEL, ... or 0 when
// the box could not be shown.
int PXMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType);

// The warning sound that goes with a box, through a seam of its own.
typedef void (*PXMessageBeepHook)(UINT uType);

// Installs a hook and returns the previous one; null restores MessageBeep.
PXMessageBeepHook PXSetMessageBeepHook(PXMessageBeepHook pfnHook);

void PXMessageBeep(UINT uType);

#endif
