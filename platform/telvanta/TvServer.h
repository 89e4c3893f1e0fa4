// What the three server components share: the server's configuration, a
// connection bound as the server's own service account, and the login
// contexts kept in the directory (so that any process can use them).
#pragma once

#include "TvDirectory.h"
#include "TvErrors.h"

struct TvContext {
    std::wstring strId, strUserDN, strMailbox;
    long long llExpires = 0;
};

class TvServer {
public:
    TvServer() : m_config(TvConfig::Read()) {}

    const TvConfig& Config() const { return m_config; }
    TvDirectory& Dir() { return m_dir; }

    // Opens the service connection to the directory of the server the client
    // names (unless the configuration names the host); an LDAP code.
    ULONG OpenService(const std::wstring& server, bool ssl);
    bool ServiceOpen() const { return m_bService && m_dir.IsOpen(); }
    void Close();

    // 0 when the context names a login that has neither ended nor expired.
    long CheckContext(const std::wstring& ctx, TvContext* pOut);
    long CreateContext(const std::wstring& userDN, const std::wstring& mailbox,
                       const std::wstring& clientVersion, const std::wstring& clientAddress,
                       std::wstring& ctxOut);
    long EndContext(const std::wstring& ctx);

    // Whether the directory's oldest accepted client version admits this one.
    long CheckClientVersion(const std::wstring& version);

    std::wstring ContextDN(const std::wstring& ctx) const;
    std::wstring SystemDN() const { return L"sysserviceid=3," + m_config.strSuffix; }

private:
    TvConfig m_config;
    TvDirectory m_dir;
    bool m_bService = false;
};

long long TvNow();
std::wstring TvRandomId();
// Maps an LDAP result code to a text for the error items.
std::wstring TvLdapText(ULONG rc, const std::wstring& serverText);
