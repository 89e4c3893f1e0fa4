// Messages of the soft-data layer: shown through the application's fault
// reporter with cause 0x40000, the exclamation icon and the OK button.
#ifndef PXSDOREPORT_H
#define PXSDOREPORT_H

#include "PXafx.h"

// Shows string-table message nMsgId with up to two text inserts (%1, %2);
// answers the reporter's answer (0 OK).
int PXSdoReportMessage(UINT nMsgId, const char* pszFile, int nLine,
                       const char* pszInsert1 = 0, const char* pszInsert2 = 0);

#define PXSDO_REPORT(nMsgId, ...) PXSdoReportMessage((nMsgId), __FILE__, __LINE__, ##__VA_ARGS__)

#endif
