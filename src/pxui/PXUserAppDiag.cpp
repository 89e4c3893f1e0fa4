// The program diagnostics of a user application: the checker's loops and
// unreachable blocks shown as warnings before a build. They never stop it.
#include "PXUserApp.h"

#include "CUserAppChecker.h"
#include "PXAssert.h"
#include "PXDiagRes.h"
#include "PXMsgBox.h"

namespace
{
CString Text(UINT nId)
{
    CString str;
    str.LoadStringA(nId);
    return str;
}
} // namespace

int PXUserApp::RunDiagnostics()
{
    PXASSERT(GetProgram() != 0);
    if (PXTestDiagLevel(1))
        return 1;
    CUserAppChecker checker(GetProgram());
    checker.FindLoops();
    if (PXTestDiagLevel(4 | 8))
        checker.FindUnreachable();
    if (checker.LoopsFound())
    {
        CString strText = Text(IDS_DIAG_WARNING);
        strText += Text(IDS_DIAG_LOOPDESCR);
        strText += Text(IDS_DIAG_LOOPAREAS);
        checker.FormatLoops(strText);
        strText += Text(IDS_DIAG_DISABLE);
        CString strCaption = Text(IDS_DIAG_LOOPCAPTION);
        PXMessageBox(GetActiveWindow(), strText, strCaption, MB_OK | MB_ICONEXCLAMATION);
    }
    if (checker.UnreachableFound())
    {
        CString strText = Text(IDS_DIAG_UNREACHABLE);
        checker.FormatUnreachable(strText);
        strText += "\n ";
        CString strCaption = Text(IDS_DIAG_CAPTION);
        PXMessageBox(GetActiveWindow(), strText, strCaption, MB_OK);
    }
    return 1;
}
