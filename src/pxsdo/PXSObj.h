// Base of everything that runs on definitions (soft records, dialogs and
// property sheets): the application controller handed over at start-up, the
// module definitions are loaded from, and the application extensions that
// definitions call.
#ifndef PXSOBJ_H
#define PXSOBJ_H

#include "PXafx.h"

class PXWinApp;
class PXSoftRec;

class PXSoftObj : public PXObject
{
public:
    PXSoftObj() {}

    // Once at start-up, after the controller is made.
    static void Init(PXWinApp* pApp);
    static PXWinApp* GetApp() { return m_pWinApp; }
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
    static PXWinApp* m_pWinApp;
};

#endif
