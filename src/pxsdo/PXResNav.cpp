// Cursor over a definition resource of the program's module.
#include "PXResNav.h"
#include "PXSdoRes.h"

PXResNav::PXResNav(WORD wResourceId, HINSTANCE hModule)
    : m_hResource(nullptr), m_wResourceId(wResourceId), m_pwPos(nullptr),
      m_pwStart(nullptr), m_dwSize(0), m_hModule(hModule)
{
    HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA(wResourceId), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!hInfo)
        throw PXException(IDS_SDO_CANNOTLOADRES, __FILE__, __LINE__);
    m_hResource = LoadResource(hModule, hInfo);
    if (!m_hResource)
        throw PXException(IDS_SDO_CANNOTLOADRES, __FILE__, __LINE__);
    m_pwStart = static_cast<const WORD*>(LockResource(m_hResource));
    if (!m_pwStart)
    {
        FreeResource(m_hResource);
        m_hResource = nullptr;
        throw PXException(IDS_SDO_CANNOTLOADRES, __FILE__, __LINE__);
    }
    m_dwSize = SizeofResource(hModule, hInfo);
    if (m_dwSize < sizeof(WORD))
    {
        // Not even one word: nothing that could be read as a definition.
        FreeResource(m_hResource);
        m_hResource = nullptr;
        throw PXException(IDS_SDO_CANNOTLOADRES, __FILE__, __LINE__);
    }
    m_pwPos = m_pwStart;
}

PXResNav::~PXResNav()
{
    // Resources of a module stay mapped with it; FreeResource only drops the
    // handle, as the 16-bit API asked.
    if (m_hResource)
        FreeResource(m_hResource);
}

WORD PXResNav::GetCurrentToken()
{
    PXASSERT(m_pwPos!=0);
    return *m_pwPos;
}

WORD PXResNav::GetNextToken()
{
    PXASSERT(m_pwPos!=0);
    if (IsLastWord())
        return 0;
    ++m_pwPos;
    return *m_pwPos;
}

WORD PXResNav::PeekNextToken()
{
    PXASSERT(m_pwPos!=0);
    if (IsLastWord())
        return 0;
    return m_pwPos[1];
}
