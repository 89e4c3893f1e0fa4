// The soft-object base: controller, module and application extensions.
#include "PXSObj.h"
#include "PXWinApp.h"

#include <commctrl.h>

PXWinApp* PXSoftObj::m_pWinApp = nullptr;

void PXSoftObj::Init(PXWinApp* pApp)
{
    m_pWinApp = pApp;
    InitCommonControls();
}

HINSTANCE PXSoftObj::GetModule()
{
    PXASSERT(m_pWinApp!=0);
    PXASSERT(m_pWinApp->m_hInstance!=0);
    return m_pWinApp->m_hInstance;
}

void PXSoftObj::CallExtension(WORD wId, PXSoftRec* pContext, short* pResult)
{
    PXWinApp* pApp = GetApp();
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

CString PXSoftObj::TypeName(WORD wNativeType)
{
    static const char* const kNames[] = {
        "NONE", "INT16", "INT32", "TEXT", "BOOL", "MONTHANDDAY", "TIME", "RECORDSET"
    };
    if (wNativeType > 7)
        PXASSERT(0);
    CString s(kNames[wNativeType]);
    while (s.GetLength() < 11)
        s += ' ';
    return s;
}

CString PXSoftObj::MemReprName(WORD wRepresentation)
{
    switch (wRepresentation)
    {
    case 0x8020: return CString("CHAR");
    case 0x8040: return CString("MEMSTRINGTABLEID");
    case 0x8080: return CString("INT32");
    case 0x8100: return CString("INT16");
    case 0x8200: return CString("BOOL");
    case 0x8400: return CString("STRING");
    case 0x8800: return CString("OBARRAY");
    default: PXASSERT(0);
    }
}
