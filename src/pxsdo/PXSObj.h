// Base of everything that runs on definitions (soft records, dialogs and
// property sheets): the application controller handed over at start-up (as
// the host interface it implements), the module definitions are loaded from,
// and the application extensions that definitions call.
#ifndef PXSOBJ_H
#define PXSOBJ_H

#include "PXafx.h"
#include "PXSdoHost.h"

class PXSoftRec;

class PXSoftObj : public PXObject
{
public:
    PXSoftObj() {}

    // Once at start-up, after the controller is made: the controller
    // registers itself as the layer's one host.
    static void Init(PXSdoHost* pApp);
    // The registered controller; null before Init and after it left.
    static PXSdoHost* GetApp() { return m_pWinApp; }
    // The controller goes: the layer forgets it when it is the registered
    // one.
    static void Leave(PXSdoHost* pApp);
    // The program's own module, which the controller received when made;
    // without a controller the executable's own module.
    static HINSTANCE GetModule();
    static BOOL HasFlag(WORD wStyle, WORD wFlag)
    {
        return ((wFlag & 0x0FFF) & (wStyle & 0x0FFF)) != 0;
    }
    // Runs extension 32000..32007 on the context record; the answer is
    // stored in *pResult when one is given and the extension passes it on.
    static void CallExtension(WORD wId, PXSoftRec* pContext, short* pResult);
    // Names of native types and memory representations for diagnostics.
    static CString TypeName(WORD wNativeType);
    static CString MemReprName(WORD wRepresentation);

private:
    static PXSdoHost* m_pWinApp;
};

#endif
