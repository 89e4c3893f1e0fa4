// The frame around every exported function: the library's module state, the
// offline short cut, the catch-all that turns any exception into 60, and
// the mapping of the directory's storage-full errors to result codes.
#ifndef PXEXPORTFRAME_H
#define PXEXPORTFRAME_H

#include "CLDAP.h"
#include "PXLog.h"
#include "PlexlinkApp.h"

#include <afxwin.h>

#include <optional>

enum PXFrameStep : unsigned
{
    PXF_NONE = 0,
    PXF_M = 0x1,    // the library's module state for the length of the call
    PXF_O = 0x2,    // offline: answer 0 at once, touching nothing
    PXF_E = 0x4,    // a failure maps cached errors 60657, 60656, 60658 to 62, 63, 64
    PXF_E72 = 0x8   // ... and then error 3 to 72
};

// Called inside the catch-all of every framed export, before its operation,
// with the export's name; null in the shipped library. Test builds set it to
// throw or to stand in for a failed directory call.
typedef void (*PXFrameHook)(const char* pszExport);
extern PXFrameHook g_pfnPXFrameHook;

// What an operation tells the frame besides its result.
class PXFrameCall
{
public:
    // A result the export gives itself (48, 33): returned without mapping.
    int Direct(int nResult)
    {
        m_bDirect = true;
        return nResult;
    }
    bool IsDirect() const { return m_bDirect; }

private:
    bool m_bDirect = false;
};

// The result after the error-cache mapping of a failed operation.
int PXMapCachedErrors(int nResult, bool bWithLimit);

template <class Operation>
int PXRunExport(const char* pszExport, unsigned nSteps, const char* pszFile, int nLine, Operation operation)
{
    std::optional<AFX_MAINTAIN_STATE2> state;
    if (nSteps & PXF_M)
        state.emplace(AfxGetStaticModuleState());
    // Errors of an earlier call say nothing about this one.
    CLDAP::ClearErrors();
    if ((nSteps & PXF_O) && g_pxLink.nOffline)
        return 0;
    PXFrameCall call;
    int nResult;
    try
    {
        if (g_pfnPXFrameHook)
            g_pfnPXFrameHook(pszExport);
        nResult = operation(call);
    }
    catch (...)
    {
        PXWriteLog(PXLOG_ERROR, "Exception occurred @ File: %s, line %d\n", pszFile, nLine);
        return 60;
    }
    if (nResult != 0 && (nSteps & PXF_E) && !call.IsDirect())
        nResult = PXMapCachedErrors(nResult, (nSteps & PXF_E72) != 0);
    return nResult;
}

// The body of an export inside its frame; the body sees `call` and returns
// the operation's result.
#define PX_EXPORT_FRAME(name, steps, body) \
    return PXRunExport(name, steps, __FILE__, __LINE__, [&](PXFrameCall & call) -> int { (void)call; body })

#endif
