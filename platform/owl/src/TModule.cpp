// TModule: resources of one module.
#include "owl/TModule.h"

#include <string.h>

TModule::TModule(const char* pszName, HINSTANCE hInstance)
    : m_hInstance(hInstance)
{
    m_szName[0] = '\0';
    SetName(pszName);
}

TModule::~TModule()
{
}

void TModule::SetName(const char* pszName)
{
    if (!pszName)
        pszName = "";
    lstrcpynA(m_szName, pszName, sizeof(m_szName));
}

bool TModule::HasResource(TResId id, LPCSTR type) const
{
    return m_hInstance && !id.IsNull() && FindResourceA(m_hInstance, id, type) != nullptr;
}

int TModule::LoadString(UINT id, char* pszBuf, int nBufSize) const
{
    if (!pszBuf || nBufSize <= 0)
        return 0;
    pszBuf[0] = '\0';
    if (!m_hInstance)
        return 0;
    return ::LoadStringA(m_hInstance, id, pszBuf, nBufSize);
}

HMENU TModule::LoadMenu(TResId id) const
{
    return m_hInstance ? ::LoadMenuA(m_hInstance, id) : nullptr;
}

HACCEL TModule::LoadAccelerators(TResId id) const
{
    return m_hInstance ? ::LoadAcceleratorsA(m_hInstance, id) : nullptr;
}

HICON TModule::LoadIcon(TResId id) const
{
    return m_hInstance ? ::LoadIconA(m_hInstance, id) : nullptr;
}

TModule& TModule::GetExeModule()
{
    static TModule s_exe("", GetModuleHandleA(nullptr));
    return s_exe;
}
