// Consistency-check handler and the message-box seam.
#include "PXafx.h"

#include <stdio.h>

namespace {

void DefaultAssertHandler(const char* pszExpr, const char* pszFile, int nLine)
{
    char szText[1024];
    _snprintf(szText, sizeof(szText) - 1, "Assertion failed: %s, file %s, line %d",
              pszExpr, pszFile, nLine);
    szText[sizeof(szText) - 1] = '\0';
    OutputDebugStringA(szText);
    fprintf(stderr, "%s\n", szText);
    fflush(stderr);
    PXMessageBox(nullptr, szText, "Plexwright", MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

PXAssertHandler g_pfnAssert = DefaultAssertHandler;
PXMessageBoxHook g_pfnMessageBox = nullptr;
PXMessageBeepHook g_pfnMessageBeep = nullptr;

} // namespace

PXAssertHandler PXSetAssertHandler(PXAssertHandler pfnHandler)
{
    PXAssertHandler pfnOld = g_pfnAssert;
    g_pfnAssert = pfnHandler ? pfnHandler : DefaultAssertHandler;
    return pfnOld;
}

void PXAssertFailed(const char* pszExpr, const char* pszFile, int nLine)
{
    g_pfnAssert(pszExpr, pszFile, nLine);
    ExitProcess(3);
}

PXMessageBoxHook PXSetMessageBoxHook(PXMessageBoxHook pfnHook)
{
    PXMessageBoxHook pfnOld = g_pfnMessageBox;
    g_pfnMessageBox = pfnHook;
    return pfnOld;
}

int PXMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType)
{
    if (g_pfnMessageBox)
        return g_pfnMessageBox(hOwner, pszText, pszCaption, uType);
    return MessageBoxA(hOwner, pszText, pszCaption, uType);
}

PXMessageBeepHook PXSetMessageBeepHook(PXMessageBeepHook pfnHook)
{
    PXMessageBeepHook pfnOld = g_pfnMessageBeep;
    g_pfnMessageBeep = pfnHook;
    return pfnOld;
}

void PXMessageBeep(UINT uType)
{
    if (g_pfnMessageBeep)
        g_pfnMessageBeep(uType);
    else
        MessageBeep(uType);
}
