// Shared statement and section classes of the definitions.
#include "PXObjAcc.h"

int PXSRVersionStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

int PXExtensionStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

int PXParamStatement::GetNbOptional()
{
    CheckFirstParam();
    return HasStyle(0x8001) ? 2 : 0;
}

int PXDlgHelpStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

void PXReferencesSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(0);
}

void PXReferencesSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3201||wToken==0x3202||wToken==0x3209||wToken==0x320B);
}
