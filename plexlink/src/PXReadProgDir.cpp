// Reading the program directory from the registry.
#include "PXReadProgDir.h"

#include <plexlink.h>
#include <windows.h>

#include <string.h>

int PXReadProgDir(char* pszDir, const char* pszKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return PXRC_NO_PROGDIR;
    char szValue[PX_PROGDIR_MAX + 1] = {0};
    DWORD cb = PX_PROGDIR_MAX;  // at most 260 bytes; the last byte stays a zero
    DWORD dwType = 0;
    LONG rc = RegQueryValueExA(hKey, "ProgDir", nullptr, &dwType, reinterpret_cast<BYTE*>(szValue), &cb);
    RegCloseKey(hKey);
    if (rc != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
    {
        pszDir[0] = '\0';
        return PXRC_NO_PROGDIR;
    }
    strcpy(pszDir, szValue);
    return PXRC_OK;
}
