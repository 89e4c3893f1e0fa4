// Test seams of a copy of the client library built for the tests
// (plexlinkseam.dll): its export frame's hook, its error cache and its
// module state, reached through a few extra exports.
#include "CLDAP.h"
#include "PXExportFrame.h"

#include <afxwin.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

int g_nMode = 0;
std::string g_target;
std::vector<PXLdapErrorInfo> g_errors;
std::string g_lastExport;
int g_nOwnStateInHook = -1;
AFX_MODULE_STATE g_foreignState = {nullptr, nullptr, nullptr, "Foreign"};

void Hook(const char* pszExport)
{
    g_lastExport = pszExport;
    g_nOwnStateInHook = AfxGetModuleState() == AfxGetStaticModuleState();
    if (g_target != "*" && g_target != pszExport)
        return;
    switch (g_nMode)
    {
    case 1:
        throw std::runtime_error("thrown by the test");
    case 2:
        throw 42;
    case 3:
        CLDAP::Instance()->RefillErrorCache(g_errors.data(), static_cast<int>(g_errors.size()));
        break;
    }
}

std::vector<PXLdapErrorInfo> Errors(int nCodes, const int* pCodes)
{
    std::vector<PXLdapErrorInfo> errors(nCodes);
    for (int i = 0; i < nCodes; ++i)
    {
        errors[i] = PXLdapErrorInfo{};
        errors[i].code = pCodes[i];
    }
    return errors;
}

} // namespace

extern "C" {

// Mode 0 only records, 1 throws a standard exception, 2 throws an int, 3
// puts errors with the given codes into the error cache as a failed
// directory call of the export would; pszTarget names the export ("*" any).
void __cdecl PXTestSetFrameHook(int nMode, const char* pszTarget, int nCodes, const int* pCodes)
{
    g_nMode = nMode;
    g_target = pszTarget ? pszTarget : "*";
    g_errors = Errors(nCodes, pCodes);
    g_lastExport.clear();
    g_nOwnStateInHook = -1;
    g_pfnPXFrameHook = Hook;
}

// The export the hook saw last ("" when none) and whether the library's own
// module state was current then (-1 when the hook did not run).
int __cdecl PXTestLastHook(char* pszExport, int cbExport)
{
    lstrcpynA(pszExport, g_lastExport.c_str(), cbExport);
    return g_nOwnStateInHook;
}

// Errors left in the cache by an earlier call.
void __cdecl PXTestRefillErrorCache(int nCodes, const int* pCodes)
{
    std::vector<PXLdapErrorInfo> errors = Errors(nCodes, pCodes);
    CLDAP::Instance()->RefillErrorCache(errors.data(), nCodes);
}

// Makes a caller's module state current (1) or the library's own (0);
// answers whether the caller's state is current.
int __cdecl PXTestForeignState(int nSet)
{
    if (nSet >= 0)
        AfxSetModuleState(nSet ? &g_foreignState : AfxGetStaticModuleState());
    return AfxGetModuleState() == &g_foreignState;
}

// The application name of the library's own module state.
const char* __cdecl PXTestAppName()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp() ? AfxGetAppName() : nullptr;
}

} // extern "C"
