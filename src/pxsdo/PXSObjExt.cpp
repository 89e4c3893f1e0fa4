// Application extensions: the controller operations that definitions run
// from their notification sections.
#include "PXSObj.h"

void PXSoftObj::CallExtension(WORD wId, PXSoftRec* pContext, short* pResult)
{
    PXSdoHost* pApp = GetApp();
    PXASSERT(pApp!=0);
    PXASSERT(pContext!=0);
    int nRV;
    BOOL bPassMinusOne;   // whether an answer of -1 is passed on
    switch (wId)
    {
    case 32000: nRV = pApp->RecordVoiceItem(pContext); bPassMinusOne = TRUE; break;
    case 32001: nRV = pApp->ImportVoiceItem(pContext); bPassMinusOne = FALSE; break;
    case 32002: nRV = pApp->ImportFaxItem(pContext); bPassMinusOne = TRUE; break;
    case 32003: nRV = pApp->RecordFaxItemVoice(pContext); bPassMinusOne = TRUE; break;
    case 32004: nRV = pApp->ImportFaxItemVoice(pContext); bPassMinusOne = FALSE; break;
    case 32005: nRV = pApp->RecordSpokenName(pContext); bPassMinusOne = TRUE; break;
    case 32006: nRV = pApp->ImportSpokenName(pContext); bPassMinusOne = FALSE; break;
    case 32007: nRV = pApp->DeleteFaxItemVoice(pContext); bPassMinusOne = FALSE; break;
    default: PXASSERT(0);
    }
    if (!pResult || (nRV == -1 && !bPassMinusOne))
        return;
    PXASSERT(nRV>=(-32767-1)&&nRV<=32767);
    *pResult = static_cast<short>(nRV);
}
