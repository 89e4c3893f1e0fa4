// Reports of the program model.
#include "ModelReport.h"

void ModelReport(unsigned nId, const char* pszFile, int nLine, PXIconKind icon)
{
    PXArgList message(nId);
    PXGetWinApp()->Report(PX_CAUSE_MODEL, icon, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                          pszFile, nLine);
}

void ModelReportText(unsigned nId, const char* pszInsert, const char* pszFile, int nLine)
{
    PXArgList message(nId, pszInsert ? pszInsert : "");
    PXGetWinApp()->Report(PX_CAUSE_MODEL, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message,
                          nullptr, 0, pszFile, nLine);
}
