// An owned registry key: opened or made with the access asked for, closed
// by its destructor on every path. Values are plain texts.
#ifndef PXREGKEY_H
#define PXREGKEY_H

#include <windows.h>

#include <string>

class PXRegKey
{
public:
    PXRegKey() = default;
    ~PXRegKey();
    PXRegKey(const PXRegKey&) = delete;
    PXRegKey& operator=(const PXRegKey&) = delete;

    // Opens an existing key; false when it is not there or the access is
    // refused. A key held before is closed first.
    bool Open(HKEY hRoot, const char* pszPath, REGSAM samAccess = KEY_QUERY_VALUE);
    // Opens the key, making it and the keys above it when they are missing.
    bool Create(HKEY hRoot, const char* pszPath, REGSAM samAccess = KEY_QUERY_VALUE | KEY_SET_VALUE);
    void Close();
    bool IsOpen() const { return m_hKey != nullptr; }

    // Whether the key holds a value of that name, of whatever type.
    bool HasValue(const char* pszName) const;
    // A text value (REG_SZ, or REG_EXPAND_SZ with its variables expanded);
    // false when it is missing, of another type or longer than nMax bytes.
    bool GetString(const char* pszName, std::string& rValue, DWORD nMax = 4096) const;
    bool SetString(const char* pszName, const char* pszValue);

private:
    HKEY m_hKey = nullptr;
};

#endif
