// The application object, the process-wide state and the library's entry.
#include "PlexlinkApp.h"

#include "PXLog.h"

PXLinkState g_pxLink = {0, nullptr, 0, 0, 0};
PXSession g_pxSession;

// Named "Plexwright": the caption of every message box of the library.
static CPlexlinkApp theApp;

CPlexlinkApp::CPlexlinkApp()
    : CWinApp("Plexwright")
{
}

BOOL CPlexlinkApp::InitInstance()
{
    return TRUE;
}

int CPlexlinkApp::ExitInstance()
{
    PXCloseLog();
    return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*pReserved*/)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(hInstance);
        return AfxDllAttach(hInstance);
    case DLL_PROCESS_DETACH:
        AfxDllDetach();
        break;
    }
    return TRUE;
}
