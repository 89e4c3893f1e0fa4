// The service connection and the login contexts.
#include "TvServer.h"
#include "TvText.h"

#include <ctime>

extern "C" BOOLEAN WINAPI SystemFunction036(PVOID, ULONG);   // RtlGenRandom

long long TvNow()
{
    return static_cast<long long>(time(nullptr));
}

std::wstring TvRandomId()
{
    unsigned char bytes[16] = {};
    if (!SystemFunction036(bytes, sizeof(bytes)))
        throw std::bad_alloc();
    return TvToHex(bytes, sizeof(bytes));
}

std::wstring TvLdapText(ULONG rc, const std::wstring& serverText)
{
    PWCHAR text = ldap_err2stringW(rc);
    std::wstring s = text ? text : L"directory error";
    if (!serverText.empty())
        s += L": " + serverText;
    return s;
}

ULONG TvServer::OpenService(const std::wstring& server, bool ssl)
{
    m_bService = false;
    std::wstring host = m_config.strHost.empty() ? server : m_config.strHost;
    ULONG rc = m_dir.Open(host, ssl ? m_config.dwSslPort : m_config.dwPort, ssl, m_config.dwTimeoutSeconds);
    if (rc != LDAP_SUCCESS)
        return rc;
    rc = m_dir.Bind(m_config.strServiceDN, m_config.strServicePassword);
    if (rc != LDAP_SUCCESS) {
        m_dir.Close();
        return rc;
    }
    m_bService = true;
    return LDAP_SUCCESS;
}

void TvServer::Close()
{
    m_dir.Close();
    m_bService = false;
}

std::wstring TvServer::ContextDN(const std::wstring& ctx) const
{
    return L"tvctxid=" + TvEscapeDNValue(ctx) + L",ou=contexts," + m_config.strSuffix;
}

long TvServer::CheckContext(const std::wstring& ctx, TvContext* pOut)
{
    if (ctx.size() != 32 || ctx.find_first_not_of(L"0123456789ABCDEF") != std::wstring::npos)
        return TVC_CONTEXT_INVALID;
    if (!ServiceOpen())
        return TVC_CONTEXT_INVALID;
    std::vector<TvEntry> found;
    ULONG rc = m_dir.Search(ContextDN(ctx), LDAP_SCOPE_BASE, L"(objectClass=TVCONTEXT)",
                            { L"tvctxuserdn", L"tvctxexpires", L"tvctxmailbox" }, L"", found);
    if (rc != LDAP_SUCCESS || found.size() != 1)
        return TVC_CONTEXT_INVALID;
    long long expires = 0;
    if (!TvToInt(found[0].First(L"tvctxexpires"), expires) || expires <= TvNow())
        return TVC_CONTEXT_INVALID;
    if (pOut) {
        pOut->strId = ctx;
        pOut->strUserDN = found[0].First(L"tvctxuserdn");
        pOut->strMailbox = found[0].First(L"tvctxmailbox");
        pOut->llExpires = expires;
    }
    return 0;
}

long TvServer::CreateContext(const std::wstring& userDN, const std::wstring& mailbox,
                             const std::wstring& clientVersion, const std::wstring& clientAddress,
                             std::wstring& ctxOut)
{
    std::wstring id = TvRandomId();
    std::vector<TvMod> attrs = {
        { LDAP_MOD_ADD, L"objectClass", { L"TVCONTEXT" } },
        { LDAP_MOD_ADD, L"tvctxid", { id } },
        { LDAP_MOD_ADD, L"tvctxuserdn", { userDN } },
        { LDAP_MOD_ADD, L"tvctxexpires", { TvFromInt(TvNow() + m_config.dwContextSeconds) } },
    };
    if (!mailbox.empty())
        attrs.push_back({ LDAP_MOD_ADD, L"tvctxmailbox", { mailbox } });
    if (!clientVersion.empty())
        attrs.push_back({ LDAP_MOD_ADD, L"tvctxclientversion", { clientVersion } });
    if (!clientAddress.empty())
        attrs.push_back({ LDAP_MOD_ADD, L"tvctxclientaddress", { clientAddress } });
    ULONG rc = m_dir.Add(ContextDN(id), attrs);
    if (rc != LDAP_SUCCESS)
        return static_cast<long>(rc);
    ctxOut = id;
    return 0;
}

long TvServer::EndContext(const std::wstring& ctx)
{
    if (CheckContext(ctx, nullptr) != 0)
        return TVC_CONTEXT_INVALID;
    return static_cast<long>(m_dir.Delete(ContextDN(ctx)));
}

namespace {

// "5.1.0" as comparable numbers; false for anything else.
bool ParseVersion(const std::wstring& s, std::vector<long long>& out)
{
    out.clear();
    if (s.empty() || s.size() > 40)
        return false;
    for (const std::wstring& part : TvSplit(s, L".")) {
        long long n = 0;
        if (!TvToInt(part, n) || n < 0)
            return false;
        out.push_back(n);
    }
    return true;
}

} // namespace

long TvServer::CheckClientVersion(const std::wstring& version)
{
    std::vector<TvEntry> found;
    ULONG rc = m_dir.Search(SystemDN(), LDAP_SCOPE_BASE, L"(objectClass=SYSTEMSERVICEPROF)",
                            { L"minclientversion" }, L"", found);
    if (rc != LDAP_SUCCESS || found.size() != 1)
        return static_cast<long>(rc ? rc : static_cast<ULONG>(LDAP_NO_SUCH_OBJECT));
    std::wstring minimum = found[0].First(L"minclientversion");
    if (minimum.empty())
        return 0;
    std::vector<long long> have, need;
    if (!ParseVersion(version, have) || !ParseVersion(minimum, need))
        return TVC_CLIENT_VERSION_REFUSED;
    return have < need ? static_cast<long>(TVC_CLIENT_VERSION_REFUSED) : 0L;
}
