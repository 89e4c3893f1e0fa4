// The custom-control library's entry points.
#include "bwcc/Bwcc.h"

#include "PXMsgBox.h"

BOOL BWCCRegister(HINSTANCE)
{
    return TRUE;
}

int BWCCMessageBox(HWND hWndParent, const char* pszText, const char* pszCaption, UINT uType)
{
    if (hWndParent && !::IsWindow(hWndParent))
        hWndParent = nullptr;
    return PXMessageBox(hWndParent, pszText ? pszText : "", pszCaption ? pszCaption : "", uType);
}
