// Messages of the soft-data layer through the application's fault reporter.
#include "PXSdoReport.h"

int PXSdoReportMessage(UINT nMsgId, const char* pszFile, int nLine,
                       const char* pszInsert1, const char* pszInsert2)
{
    // The formatter reads as many inserts as the text names; missing ones
    // are passed as empty texts so that no text reads past its arguments.
    PXArgList message(nMsgId, pszInsert1 ? pszInsert1 : "", pszInsert2 ? pszInsert2 : "");
    return PXGetWinApp()->Report(0x40000, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK,
                                 &message, 0, 0, pszFile, nLine);
}
