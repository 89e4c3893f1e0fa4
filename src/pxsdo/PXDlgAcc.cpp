// Statement and section classes of dialog and property-sheet definitions.
#include "PXDlgAcc.h"

int PXNotifStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

int PXReactionStatement::GetNbOptional()
{
    CheckFirstParam();
    return GetParam(1) == 0x467 ? 1 : 0;
}

int PXDlgResStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

void PXDataLinkStatement::Validate()
{
    if (HasStyle(0x8002))
        PXASSERT(GetNbStatements(4)>0);
}

int PXDataLinkStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

void PXDataLinkStatement::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x320A);
}

int PXPlainCtrlStatement::GetNbOptional()
{
    CheckFirstParam();
    switch (GetParam(1))
    {
    case 0x4003:    // list view
    case 0x4004:    // edit
        return HasStyle(0x8001) ? 1 : 0;
    case 0x4006:    // combo box
        return HasStyle(0x8004) ? 3 : 2;
    default:
        return 1;
    }
}

int PXPlainCtrlStatement::GetOptIndex(WORD wFlag)
{
    switch (wFlag & 0x0FFF)
    {
    case 0x001: return 0;
    case 0x004: return 2;
    default: PXASSERT(0);
    }
}

int PXGroupCtrlStatement::GetNbOptional()
{
    CheckFirstParam();
    switch (GetParam(1))
    {
    case 0x4078:    // edit with up-down
        return 2;
    case 0x4079:    // application file combo
        return HasStyle(0x8004) ? 2 : 1;
    default:
        return 0;
    }
}

int PXGroupCtrlStatement::GetOptIndex(WORD wFlag)
{
    if ((wFlag & 0x0FFF) == 0x004)
        return 1;
    PXASSERT(0);
}

void PXGroupCtrlStatement::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3208);
}

int PXSubCtrlStatement::GetNbOptional()
{
    CheckFirstParam();
    return 0;
}

void PXDlgDataLinkSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(wToken==0x2001);
}

void PXDlgDataLinkSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3204);
}

void PXSoftControlSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(wToken==0x2001||wToken==0x2301);
}

void PXSoftControlSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3206||wToken==0x3207);
}

void PXNotificationSection::CheckHeaderToken(WORD wToken)
{
    PXASSERT(wToken==0x2301);
}

void PXNotificationSection::CheckBodyToken(WORD wToken)
{
    PXASSERT(wToken==0x3102||wToken==0x3001|| wToken==0x3002);
}
