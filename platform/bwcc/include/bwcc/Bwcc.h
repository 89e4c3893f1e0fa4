// The custom-control library's entry points that the program calls. The
// program's dialogs use the system's own controls, so registering needs no
// work; the message box goes through the program's message-box seam.
#ifndef BWCC_BWCC_H
#define BWCC_BWCC_H

#include <windows.h>

// Registers the custom controls for a module: nothing to register; TRUE.
BOOL BWCCRegister(HINSTANCE hInstance);

// A message box with the caller's caption and style (MB_*); answers IDOK,
// IDCANCEL, ... as MessageBox does.
int BWCCMessageBox(HWND hWndParent, const char* pszText, const char* pszCaption, UINT uType);

#endif
