// What the record tests share: the application controller the soft-data
// layer needs (its module holds the tests' definitions), and helpers.
#ifndef RECORDTESTSUPPORT_H
#define RECORDTESTSUPPORT_H

#include "PXTestSupport.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftRec.h"
#include "PXSoftRecMem.h"
#include "RecordTestRes.h"

#include <string>

// Text of a field through a handle.
inline std::string TextOf(PXSoftRec* pRec, WORD wFieldId)
{
    return static_cast<const char*>(*PXFieldValue(wFieldId, pRec).GetText());
}

// Records the beeps made while it lives.
class BeepRecorder
{
public:
    BeepRecorder();
    ~BeepRecorder();
    int nBeeps = 0;

private:
    static void Hook(UINT uType);
    PXMessageBeepHook m_pfnPrev;
};

// The stored list of a record as plain rows of type TREC_ROW.
void FillRows(PXObArray& rList, int nCount);
long NumberOf(PXSoftRec* pRec);

#endif
