// Reports of the program model: string-table messages with the exclamation
// (or stop) icon and the OK button, through the application controller.
#ifndef MODELREPORT_H
#define MODELREPORT_H

#include "PXafx.h"

// Cause bit of the model's reports.
#define PX_CAUSE_MODEL 0x2000

void ModelReport(unsigned nId, const char* pszFile, int nLine, PXIconKind icon = PXICON_EXCLAMATION);
void ModelReportText(unsigned nId, const char* pszInsert, const char* pszFile, int nLine);

#define MODEL_REPORT(id) ModelReport((id), __FILE__, __LINE__)

#endif
