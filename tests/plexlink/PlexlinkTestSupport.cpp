// Helpers of the client library's tests.
#include "PXTestSupport.h"
#include "PlexlinkTestSupport.h"

#include <stdio.h>

namespace {

const char* const kKey = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";

} // namespace

PlexlinkLib::PlexlinkLib(const char* pszDll)
    : m_hDll(LoadLibraryA(pszDll))
{
    EXPECT_NE(nullptr, m_hDll) << pszDll << " does not load";
}

PlexlinkLib::~PlexlinkLib()
{
    Unload();
}

FARPROC PlexlinkLib::Proc(const char* pszName) const
{
    FARPROC p = m_hDll ? GetProcAddress(m_hDll, pszName) : nullptr;
    EXPECT_NE(nullptr, p) << pszName << " is not exported";
    return p;
}

void PlexlinkLib::Unload()
{
    if (m_hDll)
    {
        FreeLibrary(m_hDll);
        m_hDll = nullptr;
    }
}

int PlexlinkLib::InitOffline(int nLogLevel, int nLogInterval)
{
    auto pfnInit = PXFN(*this, PXInitPlexwright);
    return pfnInit ? pfnInit(0, 1, 0, "", "", nullptr, 0, "", nLogLevel, nLogInterval, "2", "2", 636, 0) : -1;
}

int PlexlinkLib::InitOnline(int nLogLevel, int nLogInterval, const char* pszContextID)
{
    auto pfnInit = PXFN(*this, PXInitPlexwright);
    return pfnInit ? pfnInit(0, 1, 0, "encoded-secret", "System A", "192.0.2.10", 0, "4711", nLogLevel,
                             nLogInterval, pszContextID, "5", 636, 1)
                   : -1;
}

TempDir::TempDir()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nCount = 0;
    char szName[64];
    snprintf(szName, sizeof szName, "pxlink%lu_%d\\", GetCurrentProcessId(), ++s_nCount);
    m_path = std::string(szTemp) + szName;
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempDir::~TempDir()
{
    PXRemoveTree(m_path);
}

ProgDirSetting::ProgDirSetting(const std::string& dir)
{
    HKEY hKey;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, "ProgDir", 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(dir.c_str()),
                                            static_cast<DWORD>(dir.size() + 1)));
    RegCloseKey(hKey);
}

ProgDirSetting::~ProgDirSetting()
{
    RemoveProgDirSetting();
}

void RemoveProgDirSetting()
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
    {
        RegDeleteValueA(hKey, "ProgDir");
        RegCloseKey(hKey);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel\\Telvanta");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zantrel");
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    DWORD n = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(h);
}

bool ReadTextFile(const std::string& path, std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0)
        text.append(buf, n);
    CloseHandle(h);
    return true;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
