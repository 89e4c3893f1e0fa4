// One connection to the directory server through the system's LDAP client,
// with a time limit on every call; the server's configuration.
#pragma once

#include <windows.h>
#include <winldap.h>
#include <winber.h>
#include <map>
#include <string>
#include <vector>

// Where the server's directory and storage are (written by the server's
// installation; the tests write it for their own directory).
struct TvConfig {
    std::wstring strHost;           // empty: the server name the client gives
    DWORD dwPort = 389;
    DWORD dwSslPort = 636;
    std::wstring strSuffix;
    std::wstring strServiceDN;
    std::wstring strServicePassword;
    std::wstring strStorageRoot;    // ends with a backslash
    DWORD dwStorageFull = 0;        // a forced storage-full code, or 0
    DWORD dwContextSeconds = 8 * 3600;
    DWORD dwMaxApplications = 0;    // 0: no limit
    DWORD dwTimeoutSeconds = 15;

    static TvConfig Read();
};

#define TV_CONFIG_KEY L"SOFTWARE\\Zantrel\\Telvanta\\Server"

struct TvEntry {
    std::wstring strDN;
    std::map<std::wstring, std::vector<std::wstring>> attrs;   // names in lower case

    const std::vector<std::wstring>* Values(const std::wstring& name) const;
    std::wstring First(const std::wstring& name) const;
};

struct TvMod {
    ULONG op;      // LDAP_MOD_ADD, LDAP_MOD_DELETE or LDAP_MOD_REPLACE
    std::wstring strName;
    std::vector<std::wstring> values;
};

class TvDirectory {
public:
    TvDirectory() = default;
    ~TvDirectory() { Close(); }
    TvDirectory(const TvDirectory&) = delete;
    TvDirectory& operator=(const TvDirectory&) = delete;

    // Opens a connection; answers an LDAP result code.
    ULONG Open(const std::wstring& host, ULONG port, bool ssl, ULONG timeoutSeconds);
    void Close();
    bool IsOpen() const { return m_ld != nullptr; }

    ULONG Bind(const std::wstring& dn, const std::wstring& password);
    ULONG BindAnonymous();
    ULONG Search(const std::wstring& base, ULONG scope, const std::wstring& filter,
                 const std::vector<std::wstring>& attrs, const std::wstring& sortAttr,
                 std::vector<TvEntry>& out, ULONG sizeLimit = 0);

    // The size limit of the server's own whole-directory work: above the
    // page size the clients get.
    static const ULONG kNoPageLimit = 1000000;
    ULONG Add(const std::wstring& dn, const std::vector<TvMod>& attrs);
    ULONG Modify(const std::wstring& dn, const std::vector<TvMod>& mods);
    ULONG Delete(const std::wstring& dn);

    // The server's text for the last failure.
    std::wstring LastText() const { return m_strLastText; }

private:
    ULONG Finish(ULONG rc);
    ULONG ConnectPlain();
    ULONG ConnectWithDeadline();

    LDAP* m_ld = nullptr;
    ULONG m_timeout = 15;
    std::wstring m_strLastText;
};
