// Reports of the controller's records: a string-table message through the
// application's fault reporter with the exclamation icon and the OK button.
#ifndef PXUIREPORT_H
#define PXUIREPORT_H

#include "PXafx.h"

inline int PXUIReportMessage(UINT nMsgId, DWORD dwCause, const char* pszFile, int nLine)
{
    PXArgList message(nMsgId);
    return PXGetWinApp()->Report(dwCause, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                                 pszFile, nLine);
}

#define PXUI_REPORT(nMsgId, dwCause) PXUIReportMessage((nMsgId), (dwCause), __FILE__, __LINE__)

#endif
