// The soft-object base: the controller and the module definitions come from.
#include "PXSObj.h"

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
