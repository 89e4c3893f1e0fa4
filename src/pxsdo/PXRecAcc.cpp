// Statement and section classes of record definitions.
#include "PXRecAcc.h"

int PXMsgBoxStatement::GetNbOptional()
{
    CheckFirstParam();
    return HasStyle(0x8000 | PXMSG_SHOWFIELD) || HasStyle(0x8000 | PXMSG_SHOWTEXT) ? 1 : 0;
}

int PXMsgBoxStatement::GetOptIndex(WORD wFlag)
{
    if ((wFlag & 0x0FFF) == PXMSG_OTHERFIELD)
        return 0;
    PXASSERT(0);
}

namespace {
// The flags of a field statement that bring an optional word, in word order.
const WORD kFieldOptFlags[] = { 0x002, 0x010, 0x004, 0x008 };
}

int PXFieldStatement::GetNbOptional()
{
    CheckFirstParam();
    int n = 0;
    for (WORD wFlag : kFieldOptFlags)
        if (HasStyle(wFlag))
            ++n;
    return n;
}

int PXFieldStatement::GetOptIndex(WORD wFlag)
{
    WORD wBit = wFlag & 0x0FFF;
    int nIndex = 0;
    for (WORD wOpt : kFieldOptFlags)
    {
        if (wOpt == wBit)
        {
            // Only a flag that is set has a word.
            PXASSERT(HasStyle(wFlag));
            return nIndex;
        }
        if (HasStyle(wOpt))
            ++nIndex;
    }
    PXASSERT(0);
}

void PXDataSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(wToken==0x2001);
}

void PXDataSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3203);
}

void PXVerificationSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(wToken==0x2001||wToken==0x2002);
}

void PXVerificationSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3103||wToken==0x3001);
}
