// The owned registry key: see PXRegKey.h.
#include "PXRegKey.h"

#include <string.h>

#include <vector>

PXRegKey::~PXRegKey()
{
    Close();
}

bool PXRegKey::Open(HKEY hRoot, const char* pszPath, REGSAM samAccess)
{
    Close();
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszPath, 0, samAccess, &hKey) != ERROR_SUCCESS)
        return false;
    m_hKey = hKey;
    return true;
}

bool PXRegKey::Create(HKEY hRoot, const char* pszPath, REGSAM samAccess)
{
    Close();
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, pszPath, 0, nullptr, 0, samAccess, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    m_hKey = hKey;
    return true;
}

void PXRegKey::Close()
{
    if (m_hKey)
        RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

bool PXRegKey::HasValue(const char* pszName) const
{
    return m_hKey && RegQueryValueExA(m_hKey, pszName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool PXRegKey::GetString(const char* pszName, std::string& rValue, DWORD nMax) const
{
    if (!m_hKey)
        return false;
    DWORD dwType = 0;
    DWORD cb = 0;
    if (RegQueryValueExA(m_hKey, pszName, nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS ||
        (dwType != REG_SZ && dwType != REG_EXPAND_SZ) || cb > nMax)
        return false;
    // One more byte: the stored value need not end with a NUL.
    std::vector<char> raw(cb + 1, '\0');
    if (RegQueryValueExA(m_hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(raw.data()), &cb) !=
            ERROR_SUCCESS ||
        cb >= raw.size())
        return false;
    raw[cb] = '\0';
    if (dwType == REG_SZ)
    {
        rValue = raw.data();
        return true;
    }
    DWORD n = ExpandEnvironmentStringsA(raw.data(), nullptr, 0);
    if (n == 0)
        return false;
    std::vector<char> expanded(n + 1, '\0');
    DWORD nDone = ExpandEnvironmentStringsA(raw.data(), expanded.data(), n + 1);
    if (nDone == 0 || nDone > n + 1)
        return false;
    rValue = expanded.data();
    return true;
}

bool PXRegKey::SetString(const char* pszName, const char* pszValue)
{
    if (!m_hKey || !pszValue)
        return false;
    const DWORD cb = static_cast<DWORD>(strlen(pszValue) + 1);
    return RegSetValueExA(m_hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue), cb) == ERROR_SUCCESS;
}
