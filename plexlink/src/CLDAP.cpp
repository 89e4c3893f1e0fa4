// The directory connection's error cache and list queries.
#include "CLDAP.h"

#include "PXLog.h"
#include "PXReadProgDir.h"
#include "PlexlinkApp.h"

#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

CLDAP* g_pInstance = nullptr;

// Copies at most nMax characters of pszFrom and a zero into pszTo.
void CopyBounded(char* pszTo, const char* pszFrom, size_t nMax)
{
    size_t n = 0;
    while (n < nMax && pszFrom[n] != '\0')
    {
        pszTo[n] = pszFrom[n];
        ++n;
    }
    pszTo[n] = '\0';
}

// A zero-filled block of n rows and one more, the terminating zero row.
template <class Row>
Row* AllocRows(size_t nRows)
{
    return static_cast<Row*>(calloc(nRows + 1, sizeof(Row)));
}

} // namespace

CLDAP* CLDAP::Instance()
{
    if (!g_pInstance)
        g_pInstance = new CLDAP;
    return g_pInstance;
}

CLDAP* CLDAP::Existing()
{
    return g_pInstance;
}

void CLDAP::Release()
{
    delete g_pInstance;
    g_pInstance = nullptr;
}

void CLDAP::ClearErrors()
{
    if (g_pInstance)
        g_pInstance->m_errors.clear();
}

HRESULT CLDAP::Init(const char*, const char*, const char*, const char*, const char*, const char*)
{
    // "Telvanta.LDAPBean" is not among the registered components.
    return CO_E_CLASSSTRING;
}

void CLDAP::RefillErrorCache(const PXLdapErrorInfo* pErrors, int nErrors)
{
    m_errors.clear();
    for (int i = 0; i < nErrors; ++i)
        m_errors.push_back(pErrors[i]);
}

int CLDAP::FindErrorByCode(int nCode, PXLdapErrorInfo* pError) const
{
    if (!pError)
        return 0;
    for (const PXLdapErrorInfo& error : m_errors)
    {
        if (error.code == nCode)
        {
            *pError = error;
            return 1;
        }
    }
    return 0;
}

void CLDAP::LogNoConnection(const char* pszCaller)
{
    // No component, so no error list to take into the cache.
    PXWriteLog(PXLOG_ERROR, "%s, no directory connection.\n", pszCaller);
}

int CLDAP::RetrieveApplicationList(PXAppListRow** ppRows, int /*nMode*/, int /*nCustID*/, int /*nAppID*/)
{
    if (!g_pxLink.nOffline)
    {
        LogNoConnection("CLDAP::RetrieveApplicationList");
        return PXRC_DIRECTORY_FAILED;
    }

    char szDir[PX_PROGDIR_MAX + 1] = {0};
    if (PXReadProgDir(szDir, PX_REGKEY_PLEXWRIGHT) != PXRC_OK)
        return PXRC_NO_PROGDIR;
    std::string pattern = std::string(szDir) + "*.ed";

    // Each program file gives one row named after the file (the mode does
    // not apply offline).
    std::vector<std::string> names;
    WIN32_FIND_DATAA find;
    HANDLE hFind = FindFirstFileA(pattern.c_str(), &find);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            std::string name = find.cFileName;
            size_t nDot = name.rfind('.');
            if (nDot != std::string::npos)
                name.erase(nDot);
            names.push_back(name);
        } while (FindNextFileA(hFind, &find));
        FindClose(hFind);
    }

    PXAppListRow* pRows = AllocRows<PXAppListRow>(names.size());
    if (!pRows)
        return PXRC_NO_MEMORY;
    for (size_t i = 0; i < names.size(); ++i)
    {
        pRows[i].customerid = 1;
        pRows[i].appprofid = 1;
        CopyBounded(pRows[i].appname, names[i].c_str(), sizeof pRows[i].appname - 1);
        pRows[i].volumeid = 1;
    }
    *ppRows = pRows;
    return PXRC_OK;
}

int CLDAP::RetrieveLanguageList(PXLanguageRow** ppRows)
{
    if (!g_pxLink.nOffline)
    {
        LogNoConnection("CLDAP::RetrieveLanguageList");
        return PXRC_DIRECTORY_FAILED;
    }
    static const struct { int nID; const char* pszName; } kLanguages[] = {
        {3, "English"}, {5, "French"}, {7, "Polish"}};
    const size_t nRows = sizeof kLanguages / sizeof kLanguages[0];
    PXLanguageRow* pRows = AllocRows<PXLanguageRow>(nRows);
    if (!pRows)
        return PXRC_NO_MEMORY;
    for (size_t i = 0; i < nRows; ++i)
    {
        pRows[i].vpromptlangid = kLanguages[i].nID;
        pRows[i].locallangid = kLanguages[i].nID;
        pRows[i].customerid = 1;
        CopyBounded(pRows[i].locallangname, kLanguages[i].pszName, sizeof pRows[i].locallangname - 1);
        pRows[i].modnum = 1;
    }
    *ppRows = pRows;
    return PXRC_OK;
}

int CLDAP::RetrieveVolumeList(PXVolumeRow** ppRows)
{
    if (!g_pxLink.nOffline)
    {
        LogNoConnection("CLDAP::RetrieveVolumeList");
        return PXRC_DIRECTORY_FAILED;
    }
    static const struct { int nNum; const char* pszText; } kVolumes[] = {{1, "1"}, {2, "2"}, {11, "11"}};
    const size_t nRows = sizeof kVolumes / sizeof kVolumes[0];
    PXVolumeRow* pRows = AllocRows<PXVolumeRow>(nRows);
    if (!pRows)
        return PXRC_NO_MEMORY;
    for (size_t i = 0; i < nRows; ++i)
    {
        pRows[i].volumenum = kVolumes[i].nNum;
        CopyBounded(pRows[i].volumetext, kVolumes[i].pszText, 4);
    }
    *ppRows = pRows;
    return PXRC_OK;
}

int CLDAP::RetrieveResPermList(PXResPermRow** ppRows)
{
    if (!g_pxLink.nOffline)
    {
        LogNoConnection("CLDAP::RetrieveResPermList");
        return PXRC_DIRECTORY_FAILED;
    }
    static const struct { int nID; const char* pszName; } kLists[] = {{6, "RPL 1"}, {4, "RPL 2"}};
    const size_t nRows = sizeof kLists / sizeof kLists[0];
    PXResPermRow* pRows = AllocRows<PXResPermRow>(nRows);
    if (!pRows)
        return PXRC_NO_MEMORY;
    for (size_t i = 0; i < nRows; ++i)
    {
        pRows[i].rplid = kLists[i].nID;
        CopyBounded(pRows[i].rplname, kLists[i].pszName, sizeof pRows[i].rplname - 1);
    }
    *ppRows = pRows;
    return PXRC_OK;
}

int CLDAP::FreeList(void* pRows)
{
    free(pRows);
    return PXRC_OK;
}
