// The library's one directory connection: its error cache and the list
// queries. Without a server (offline) the list queries answer from built-in
// rows and the local program directory.
#ifndef CLDAP_H
#define CLDAP_H

#include <plexlink.h>
#include <windows.h>

#include <vector>

// One error of the directory component.
struct PXLdapErrorInfo
{
    int code;
    int level;
    char attribute[64];
    char text1[256];
    char text2[256];
};

class CLDAP
{
public:
    // The one connection, created on first use.
    static CLDAP* Instance();
    // The connection when it exists, else null; never creates it.
    static CLDAP* Existing();
    // Destroys the connection (session end).
    static void Release();
    // Empties the error cache when there is a connection.
    static void ClearErrors();

    // Logs in to the directory. No component of the directory is reachable
    // in this build: the answer is the failure of finding one.
    HRESULT Init(const char* pszContextID, const char* pszServer, const char* pszUserID,
                 const char* pszLocationID, const char* pszClientVersion, const char* pszClientAddress);

    // Replaces the cache with the errors the component listed last.
    void RefillErrorCache(const PXLdapErrorInfo* pErrors, int nErrors);
    // 1 and a copy of the first cached error with this code, or 0.
    int FindErrorByCode(int nCode, PXLdapErrorInfo* pError) const;

    int RetrieveApplicationList(PXAppListRow** ppRows, int nMode, int nCustID, int nAppID);
    int RetrieveLanguageList(PXLanguageRow** ppRows);
    int RetrieveVolumeList(PXVolumeRow** ppRows);
    int RetrieveResPermList(PXResPermRow** ppRows);
    int FreeList(void* pRows);

    // A directory call made without a directory component: the caller's
    // name goes to the log.
    void LogNoConnection(const char* pszCaller);

private:
    CLDAP() = default;

    std::vector<PXLdapErrorInfo> m_errors;
};

#endif
