// The module state of this module and the current-state switch.
#include "afxwin.h"

namespace {

AFX_MODULE_STATE g_moduleState = {nullptr, nullptr, nullptr, nullptr};
AFX_MODULE_STATE* g_pCurrentState = &g_moduleState;

} // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    return &g_moduleState;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return g_pCurrentState;
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState)
{
    AFX_MODULE_STATE* pPrev = g_pCurrentState;
    g_pCurrentState = pState ? pState : &g_moduleState;
    return pPrev;
}

CWinApp::CWinApp(const char* pszAppName)
    : m_pszAppName(pszAppName), m_hInstance(nullptr)
{
    g_moduleState.m_pCurrentWinApp = this;
    g_moduleState.m_lpszCurrentAppName = pszAppName;
}

CWinApp::~CWinApp()
{
    if (g_moduleState.m_pCurrentWinApp == this)
    {
        g_moduleState.m_pCurrentWinApp = nullptr;
        g_moduleState.m_lpszCurrentAppName = nullptr;
    }
}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

const char* AfxGetAppName()
{
    return AfxGetModuleState()->m_lpszCurrentAppName;
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

BOOL AfxDllAttach(HINSTANCE hInstance)
{
    g_moduleState.m_hCurrentInstanceHandle = hInstance;
    g_moduleState.m_hCurrentResourceHandle = hInstance;
    CWinApp* pApp = g_moduleState.m_pCurrentWinApp;
    if (!pApp)
        return TRUE;
    pApp->m_hInstance = hInstance;
    return pApp->InitInstance();
}

void AfxDllDetach()
{
    if (CWinApp* pApp = g_moduleState.m_pCurrentWinApp)
        pApp->ExitInstance();
}
