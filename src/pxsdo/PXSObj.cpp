// The soft-object base: the controller and the module definitions come from.
#include "PXSObj.h"
#include "PXValue.h"

#include <commctrl.h>

PXSdoHost* PXSoftObj::m_pWinApp = nullptr;

void PXSoftObj::Init(PXSdoHost* pApp)
{
    m_pWinApp = pApp;
    InitCommonControls();
}

void PXSoftObj::Leave(PXSdoHost* pApp)
{
    if (m_pWinApp == pApp)
        m_pWinApp = nullptr;
}

HINSTANCE PXSoftObj::GetModule()
{
    // Headless users of the soft-data layer (tools, tests) read the
    // definitions of their own executable.
    if (!m_pWinApp)
        return GetModuleHandleA(nullptr);
    HINSTANCE hInstance = m_pWinApp->GetInstance();
    PXASSERT(hInstance!=0);
    return hInstance;
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
    case PXFM_CHAR: return CString("CHAR");
    case PXFM_MEMSTRINGTABLEID: return CString("MEMSTRINGTABLEID");
    case PXFM_INT32: return CString("INT32");
    case PXFM_INT16: return CString("INT16");
    case PXFM_BOOL: return CString("BOOL");
    case PXFM_STRING: return CString("STRING");
    case PXFM_OBARRAY: return CString("OBARRAY");
    default: PXASSERT(0);
    }
}
