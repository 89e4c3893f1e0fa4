// "Telvanta.LDAPBean": logins, entries, searches and the locks of
// applications, with every failure reported through the error collection.
#include "LDAPBean.h"
#include "TvStorage.h"
#include "TvText.h"

#include <algorithm>
#include <ctime>
#include <set>

namespace {

const size_t kMaxText = 1024;       // longest value, DN or attribute list taken
const size_t kMaxFilter = 4096;

// Attributes that no client may read or write.
bool IsProtectedAttr(const std::wstring& name)
{
    std::wstring n = TvLower(name);
    return n == L"userpassword" || n.compare(0, 3, L"pwd") == 0 || n.compare(0, 5, L"tvctx") == 0 ||
           n == L"objectclass";
}

// The class of an entry the clients add, from the names of its RDN.
std::wstring ClassOf(const TvRdn& rdn)
{
    std::set<std::wstring> names;
    for (const auto& p : rdn)
        names.insert(TvLower(p.first));
    static const struct { const wchar_t* cls; std::set<std::wstring> names; } kTable[] = {
        { L"APPLICATION", { L"appid", L"customerid" } },
        { L"APPPROFILE", { L"appprofid", L"customerid", L"appvernum" } },
        { L"APPIMP", { L"appimpid", L"customerid", L"appvernum", L"impedappid", L"impedcustid" } },
        { L"APPRPL", { L"rplid", L"apprplid", L"customerid", L"appvernum" } },
        { L"APPSERVICE", { L"appid", L"sysserviceid" } },
        { L"MMFSRECORD", { L"mmfsfileid", L"mmfsrecid", L"mmfsrectype" } },
        { L"LOCALLANGUAGE", { L"vpromptlangid", L"customerid" } },
        { L"RESTRICTIONPERMISSION", { L"rplid" } },
    };
    for (const auto& row : kTable)
        if (row.names == names)
            return row.cls;
    return std::wstring();
}

const TvAttrValues* FindValue(const std::vector<TvAttrValues>& values, const wchar_t* name)
{
    for (const TvAttrValues& v : values)
        if (TvEqualNoCase(v.strName, name))
            return &v;
    return nullptr;
}

std::wstring FirstValue(const std::vector<TvAttrValues>& values, const wchar_t* name)
{
    const TvAttrValues* v = FindValue(values, name);
    return v && !v->values.empty() ? v->values[0] : std::wstring();
}

long long ParseGeneralizedTime(const std::wstring& s)
{
    if (s.size() < 15)
        return 0;
    struct tm t = {};
    t.tm_year = _wtoi(s.substr(0, 4).c_str()) - 1900;
    t.tm_mon = _wtoi(s.substr(4, 2).c_str()) - 1;
    t.tm_mday = _wtoi(s.substr(6, 2).c_str());
    t.tm_hour = _wtoi(s.substr(8, 2).c_str());
    t.tm_min = _wtoi(s.substr(10, 2).c_str());
    t.tm_sec = _wtoi(s.substr(12, 2).c_str());
    return static_cast<long long>(_mkgmtime(&t));
}

bool AllSame(const std::wstring& s)
{
    return s.find_first_not_of(s[0]) == std::wstring::npos;
}

bool IsRun(const std::wstring& s)
{
    if (s.size() < 2)
        return false;
    int step = s[1] - s[0];
    if (step != 1 && step != -1)
        return false;
    for (size_t i = 1; i < s.size(); ++i)
        if (s[i] - s[i - 1] != step)
            return false;
    return true;
}

} // namespace

std::wstring LDAPBean::AppDN(long cust, long app) const
{
    return L"appid=" + TvFromInt(app) + L"+customerid=" + TvFromInt(cust) + L"," + m_server.Config().strSuffix;
}

std::wstring LDAPBean::ProfileDN(long cust, long app, long long ver) const
{
    return L"appprofid=" + TvFromInt(app) + L"+customerid=" + TvFromInt(cust) + L"+appvernum=" +
           TvFromInt(ver) + L"," + m_server.Config().strSuffix;
}

HRESULT LDAPBean::Fail(long lCode, const std::wstring& text, const std::wstring& attr)
{
    m_errors.clear();
    m_errors.push_back(TvErrorItem{ lCode, 1, attr, text, std::wstring() });
    return E_FAIL;
}

HRESULT LDAPBean::FailLdap(ULONG rc)
{
    return Fail(static_cast<long>(rc), TvLdapText(rc, m_server.Dir().LastText()));
}

HRESULT LDAPBean::Complete(const std::vector<TvErrorItem>& values)
{
    m_errors.clear();
    m_errors.push_back(TvErrorItem{ TVC_COMPLETED, 0, std::wstring(), L"completed", std::wstring() });
    m_errors.insert(m_errors.end(), values.begin(), values.end());
    return E_FAIL;
}

HRESULT LDAPBean::Access(const std::wstring& ctx, bool bWrite, TvContext* pCtx)
{
    if (!ctx.empty()) {
        if (!m_server.ServiceOpen()) {
            std::wstring server = m_strServer.empty() ? m_server.Config().strHost : m_strServer;
            ULONG rc = m_server.OpenService(server, m_bSSL);
            if (rc != LDAP_SUCCESS)
                return FailLdap(rc);
            m_mode = Mode::None;
        }
        if (m_server.CheckContext(ctx, pCtx) != 0)
            return Fail(TVC_CONTEXT_INVALID, L"the login context is not valid");
    } else if (m_mode == Mode::User) {
        if (m_server.CheckContext(m_strCtx, pCtx) != 0)
            return Fail(TVC_CONTEXT_INVALID, L"the login context is not valid");
    } else if (m_mode != Mode::Anonymous || bWrite) {
        return Fail(TVC_INSUFFICIENT_ACCESS, L"not logged in");
    }
    if (bWrite && m_server.Config().dwStorageFull)
        return Fail(static_cast<long>(m_server.Config().dwStorageFull), L"server storage full");
    return S_OK;
}

bool LDAPBean::Resolve(const std::wstring& dn, std::vector<TvRdn>& leading, std::wstring& out)
{
    std::vector<TvRdn> rdns, suffix;
    if (dn.size() > kMaxText || !TvParseDN(dn, rdns) || !TvParseDN(m_server.Config().strSuffix, suffix) ||
        rdns.size() <= suffix.size())
        return false;
    size_t n = rdns.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i) {
        const TvRdn& a = rdns[n + i];
        const TvRdn& b = suffix[i];
        if (a.size() != b.size())
            return false;
        for (size_t j = 0; j < a.size(); ++j)
            if (!TvEqualNoCase(a[j].first, b[j].first) || !TvEqualNoCase(a[j].second, b[j].second))
                return false;
    }
    const TvRdn& top = rdns[n - 1];
    for (const auto& p : top) {
        std::wstring name = TvLower(p.first), value = TvLower(p.second);
        if ((name == L"ou" && (value == L"contexts" || value == L"policies")) || name == L"cn")
            return false;
    }
    for (const TvRdn& r : rdns)
        for (const auto& p : r)
            if (IsProtectedAttr(p.first))
                return false;
    leading.assign(rdns.begin(), rdns.begin() + static_cast<long>(n));
    out = TvFormatDN(rdns);
    return true;
}

HRESULT LDAPBean::Login(long lVersion, BSTR bstrServer, long lPort, long lSSLPort, BSTR bstrCertDbDir,
                        BSTR bstrSuffix, BSTR bstrUser, BSTR bstrLocation, BSTR bstrPassword, BSTR bstrCtx,
                        long lFlags, BSTR bstrClientVersion, BSTR bstrClientAddress)
{
    return Guard([&]() -> HRESULT {
        std::wstring server = TvArg(bstrServer), suffix = TvArg(bstrSuffix), user = TvArg(bstrUser);
        std::wstring location = TvArg(bstrLocation), password = TvArg(bstrPassword), ctx = TvArg(bstrCtx);
        std::wstring clientVersion = TvArg(bstrClientVersion), clientAddress = TvArg(bstrClientAddress);
        m_mode = Mode::None;
        m_strCtx.clear();
        m_rows.clear();
        m_server.Close();
        if (server.empty() || server.size() > 255 || user.size() > 64 || location.size() > 31 ||
            password.size() > 128 || clientVersion.size() > 40 || clientAddress.size() > 64)
            return Fail(TVC_BAD_REQUEST, L"a login value is missing or too long");
        if (!suffix.empty() && !TvEqualNoCase(suffix, m_server.Config().strSuffix))
            return Fail(TVC_NO_SUCH_OBJECT, L"this server holds no directory of that suffix");
        m_strServer = server;
        ULONG rc = m_server.OpenService(server, m_bSSL);
        if (rc != LDAP_SUCCESS)
            return FailLdap(rc);
        long code = m_server.CheckClientVersion(clientVersion);
        if (code == TVC_CLIENT_VERSION_REFUSED)
            return Fail(code, L"this client version is not supported");
        if (code != 0)
            return FailLdap(static_cast<ULONG>(code));

        if (!ctx.empty()) {
            // A login that an earlier process made: the same user goes on with it.
            TvContext c;
            if (m_server.CheckContext(ctx, &c) != 0)
                return Fail(TVC_CONTEXT_INVALID, L"the login context is not valid");
            if (!user.empty() && !TvEqualNoCase(user, c.strMailbox))
                return Fail(TVC_CONTEXT_INVALID, L"the login context belongs to another user");
            m_strCtx = ctx;
            m_mode = Mode::User;
            return S_OK;
        }
        if (user.empty()) {
            // Anonymous: only what the directory shows to everybody.
            TvDirectory& dir = m_server.Dir();
            m_server.Close();
            std::wstring host = m_server.Config().strHost.empty() ? server : m_server.Config().strHost;
            rc = dir.Open(host, m_bSSL ? m_server.Config().dwSslPort : m_server.Config().dwPort, m_bSSL,
                          m_server.Config().dwTimeoutSeconds);
            if (rc == LDAP_SUCCESS)
                rc = dir.BindAnonymous();
            if (rc != LDAP_SUCCESS)
                return FailLdap(rc);
            m_mode = Mode::Anonymous;
            return S_OK;
        }

        if (location.empty())
            location = L"2";
        std::vector<TvEntry> found;
        std::wstring filter = L"(&(objectClass=TELVANTAUSER)(usermailboxnum=" + TvEscapeFilterValue(user) +
                              L")(locationid=" + TvEscapeFilterValue(location) + L"))";
        rc = m_server.Dir().Search(m_server.Config().strSuffix, LDAP_SCOPE_SUBTREE, filter,
                                   { L"usermailboxnum", L"pwdChangedTime", L"pwdPolicySubentry",
                                     L"pwdAccountLockedTime" }, L"", found);
        if (rc != LDAP_SUCCESS)
            return FailLdap(rc);
        if (found.size() != 1)
            return Fail(TVC_INVALID_CREDENTIALS, L"invalid credentials");
        const TvEntry& userEntry = found[0];

        TvDirectory asUser;
        std::wstring host = m_server.Config().strHost.empty() ? server : m_server.Config().strHost;
        rc = asUser.Open(host, m_bSSL ? m_server.Config().dwSslPort : m_server.Config().dwPort, m_bSSL,
                         m_server.Config().dwTimeoutSeconds);
        if (rc == LDAP_SUCCESS)
            rc = asUser.Bind(userEntry.strDN, password);
        if (rc != LDAP_SUCCESS) {
            // The lock-out time is set by the bind that locked the account.
            std::vector<TvEntry> again;
            m_server.Dir().Search(userEntry.strDN, LDAP_SCOPE_BASE, L"(objectClass=*)",
                                  { L"pwdAccountLockedTime" }, L"", again);
            if (rc == LDAP_INVALID_CREDENTIALS && again.size() == 1 &&
                !again[0].First(L"pwdAccountLockedTime").empty())
                return Fail(TVC_ACCOUNT_LOCKED, L"the account is locked");
            return Fail(static_cast<long>(rc), L"invalid credentials");
        }
        asUser.Close();

        // Expiry and warning from the user's password policy.
        std::wstring policyDN = userEntry.First(L"pwdPolicySubentry");
        if (policyDN.empty())
            policyDN = L"cn=default,ou=policies," + m_server.Config().strSuffix;
        std::vector<TvEntry> policy;
        m_server.Dir().Search(policyDN, LDAP_SCOPE_BASE, L"(objectClass=*)",
                              { L"pwdMaxAge", L"pwdExpireWarning" }, L"", policy);
        long long maxAge = 0, warning = 0;
        if (policy.size() == 1) {
            TvToInt(policy[0].First(L"pwdMaxAge"), maxAge);
            TvToInt(policy[0].First(L"pwdExpireWarning"), warning);
        }
        long result = 0;
        long long changed = ParseGeneralizedTime(userEntry.First(L"pwdChangedTime"));
        if (maxAge > 0 && changed > 0) {
            long long left = changed + maxAge - TvNow();
            if (left <= 0)
                result = TVC_PASSWORD_EXPIRED;
            else if (warning > 0 && left <= warning)
                result = TVC_PASSWORD_EXPIRING;
        }
        code = m_server.CreateContext(userEntry.strDN, userEntry.First(L"usermailboxnum"), clientVersion,
                                      clientAddress, m_strCtx);
        if (code != 0)
            return FailLdap(static_cast<ULONG>(code));
        m_mode = Mode::User;
        if (result == TVC_PASSWORD_EXPIRED)
            return Fail(result, L"the password has expired");
        if (result == TVC_PASSWORD_EXPIRING)
            return Fail(result, L"the password is about to expire");
        return S_OK;
    });
}

HRESULT LDAPBean::GetContextID(BSTR* pbstrCtx)
{
    if (!pbstrCtx)
        return E_POINTER;
    *pbstrCtx = nullptr;
    if (m_mode != Mode::User || m_strCtx.empty())
        return Fail(TVC_CONTEXT_INVALID, L"no login context");
    return TvOutText(m_strCtx, pbstrCtx);
}

HRESULT LDAPBean::EndContext(BSTR bstrCtx)
{
    return Guard([&]() -> HRESULT {
        std::wstring ctx = TvArg(bstrCtx);
        if (ctx.empty())
            ctx = m_strCtx;
        HRESULT hr = Access(ctx, false, nullptr);
        if (FAILED(hr))
            return hr;
        long code = m_server.EndContext(ctx);
        if (ctx == m_strCtx) {
            m_strCtx.clear();
            m_mode = Mode::None;
        }
        return code ? FailLdap(static_cast<ULONG>(code)) : S_OK;
    });
}

HRESULT LDAPBean::GetErrors(ILDAPErrors** ppErrors)
{
    if (!ppErrors)
        return E_POINTER;
    return Guard([&] {
        *ppErrors = new TvErrors(m_errors);
        return S_OK;
    });
}

HRESULT LDAPBean::SetSSL(long lOn)
{
    m_bSSL = lOn != 0;
    return S_OK;
}

HRESULT LDAPBean::Search(BSTR bstrBase, long lScope, BSTR bstrFilter, BSTR bstrAttrs, short nNamesOnly,
                         BSTR bstrSortAttr, long, BSTR bstrCtx)
{
    return Guard([&]() -> HRESULT {
        m_rows.clear();
        m_nNextRow = 0;
        std::wstring base = TvArg(bstrBase), filter = TvArg(bstrFilter), attrText = TvArg(bstrAttrs);
        std::wstring sortAttr = TvArg(bstrSortAttr);
        HRESULT hr = Access(TvArg(bstrCtx), false, nullptr);
        if (FAILED(hr))
            return hr;
        if (lScope < 0 || lScope > 2 || filter.size() > kMaxFilter || !TvFilterBalanced(filter) ||
            attrText.size() > kMaxText || (!sortAttr.empty() && !TvIsAttrName(sortAttr)))
            return Fail(TVC_BAD_REQUEST, L"malformed search");
        std::vector<std::wstring> attrs;
        for (const std::wstring& a : TvSplit(attrText, L",")) {
            if (!TvIsAttrName(a) || IsProtectedAttr(a))
                return Fail(TVC_BAD_REQUEST, L"attribute not available", a);
            attrs.push_back(a);
        }
        std::vector<TvRdn> leading;
        std::wstring resolved;
        if (base.empty() || TvEqualNoCase(base, m_server.Config().strSuffix))
            resolved = m_server.Config().strSuffix;
        else if (!Resolve(base, leading, resolved))
            return Fail(TVC_BAD_REQUEST, L"search base outside the directory");
        // The server's own entries never answer a client's search.
        std::wstring guarded = L"(&" + filter +
                               L"(!(objectClass=TVCONTEXT))(!(objectClass=pwdPolicy))(!(objectClass=simpleSecurityObject)))";
        std::vector<TvEntry> found;
        ULONG rc = m_server.Dir().Search(resolved, static_cast<ULONG>(lScope), guarded, attrs, sortAttr, found);
        if (rc != LDAP_SUCCESS && rc != LDAP_SIZELIMIT_EXCEEDED)
            return FailLdap(rc);
        for (const TvEntry& e : found) {
            std::wstring row;
            for (size_t i = 0; i < attrs.size(); ++i) {
                if (i)
                    row += TV_SEP_VALUE;
                const std::vector<std::wstring>* values = e.Values(attrs[i]);
                // The directory names "userid" by its other name.
                if (!values && TvEqualNoCase(attrs[i], L"userid"))
                    values = e.Values(L"uid");
                if (!values)
                    continue;
                if (nNamesOnly) {
                    row += attrs[i];
                    continue;
                }
                for (size_t j = 0; j < values->size(); ++j) {
                    if (j)
                        row += TV_SEP_MV;
                    row += (*values)[j];
                }
            }
            m_rows.push_back(row);
        }
        // A full page: the rows delivered so far are there to be read.
        if (rc == LDAP_SIZELIMIT_EXCEEDED)
            return Fail(TVC_SIZE_LIMIT, L"size limit exceeded");
        return S_OK;
    });
}

HRESULT LDAPBean::NextRow(BSTR* pbstrRow)
{
    if (!pbstrRow)
        return E_POINTER;
    *pbstrRow = nullptr;
    if (m_nNextRow >= m_rows.size())
        return S_OK;
    return TvOutText(m_rows[m_nNextRow++], pbstrRow);
}

HRESULT LDAPBean::AddEntry(BSTR bstrCtx, BSTR bstrDN, BSTR bstrAttrVals, BSTR* pbstrOut)
{
    return Guard([&]() -> HRESULT {
        if (pbstrOut)
            *pbstrOut = nullptr;
        TvContext ctx;
        HRESULT hr = Access(TvArg(bstrCtx), true, &ctx);
        if (FAILED(hr))
            return hr;
        std::vector<TvRdn> leading;
        std::wstring dn;
        std::vector<TvAttrValues> values;
        if (!Resolve(TvArg(bstrDN), leading, dn) || leading.size() != 1)
            return Fail(TVC_BAD_REQUEST, L"the entry name is not valid");
        if (!TvParseAttrValues(TvArg(bstrAttrVals), values))
            return Fail(TVC_BAD_REQUEST, L"the attribute list is not valid");
        std::wstring cls = ClassOf(leading[0]);
        if (cls.empty())
            return Fail(TVC_BAD_REQUEST, L"no entry of this kind can be added");
        for (const TvAttrValues& v : values)
            for (const std::wstring& s : v.values)
                if (IsProtectedAttr(v.strName) || s.size() > kMaxText)
                    return Fail(TVC_BAD_REQUEST, L"value refused", v.strName);
        if (cls == L"APPLICATION") {
            long long cust = 0, app = 0;
            for (const auto& p : leading[0]) {
                if (TvEqualNoCase(p.first, L"customerid"))
                    TvToInt(p.second, cust);
                else
                    TvToInt(p.second, app);
            }
            if (cust <= 0 || app <= 0 || cust > 0x7fffffff || app > 0x7fffffff)
                return Fail(TVC_BAD_REQUEST, L"the application ids are not valid");
            return NewApplication(static_cast<long>(cust), static_cast<long>(app), values, ctx.strMailbox);
        }
        std::vector<TvMod> attrs = { { LDAP_MOD_ADD, L"objectClass", { cls } } };
        for (const auto& p : leading[0])
            if (!FindValue(values, p.first.c_str()))
                attrs.push_back({ LDAP_MOD_ADD, p.first, { p.second } });
        for (const TvAttrValues& v : values)
            if (!v.values.empty())
                attrs.push_back({ LDAP_MOD_ADD, v.strName, v.values });
        ULONG rc = m_server.Dir().Add(dn, attrs);
        if (rc != LDAP_SUCCESS)
            return FailLdap(rc);
        if (pbstrOut)
            TvOutText(dn, pbstrOut);
        return S_OK;
    });
}

HRESULT LDAPBean::NewApplication(long cust, long app, const std::vector<TvAttrValues>& values, const std::wstring& who)
{
    const TvConfig& cfg = m_server.Config();
    if (cfg.dwMaxApplications) {
        std::vector<TvEntry> apps;
        m_server.Dir().Search(cfg.strSuffix, LDAP_SCOPE_SUBTREE,
                              L"(&(objectClass=APPLICATION)(customerid=" + TvFromInt(cust) + L"))",
                              { L"appid" }, L"", apps, TvDirectory::kNoPageLimit);
        if (apps.size() >= cfg.dwMaxApplications)
            return Fail(TVC_APP_LIMIT, L"the server holds no more applications");
    }
    std::wstring pc = FirstValue(values, L"lockingpc"), user = FirstValue(values, L"lockinguser");
    std::wstring name = FirstValue(values, L"appname"), volume = FirstValue(values, L"volumeid");
    if (user.empty())
        user = who;
    if (pc.empty() || user.empty() || name.empty() || name.size() > 60)
        return Fail(TVC_BAD_REQUEST, L"a new application needs its name and its locker");
    long long volumeId = 1;
    if (!volume.empty() && !TvToInt(volume, volumeId))
        return Fail(TVC_BAD_REQUEST, L"the volume is not a number", L"volumeid");
    std::wstring folder = TvAppFolder(cust, app);
    std::wstring current = folder + L"\\" + TvFromInt(app) + L"_1.ED";
    std::wstring next = folder + L"\\" + TvFromInt(app) + L"_2.ED";
    std::wstring now = TvFromInt(TvNow());
    ULONG rc = m_server.Dir().Add(AppDN(cust, app), {
        { LDAP_MOD_ADD, L"objectClass", { L"APPLICATION" } },
        { LDAP_MOD_ADD, L"appid", { TvFromInt(app) } },
        { LDAP_MOD_ADD, L"customerid", { TvFromInt(cust) } },
        { LDAP_MOD_ADD, L"appname", { name } },
        { LDAP_MOD_ADD, L"volumeid", { TvFromInt(volumeId) } },
        { LDAP_MOD_ADD, L"lockingpc", { pc } },
        { LDAP_MOD_ADD, L"lockinguser", { user } },
        { LDAP_MOD_ADD, L"lockingdatetime", { now } },
        { LDAP_MOD_ADD, L"appvernum", { L"1" } },
        { LDAP_MOD_ADD, L"apppreviousvernum", { L"65535" } },
        { LDAP_MOD_ADD, L"currentedfilepath", { current } },
        { LDAP_MOD_ADD, L"newedfilepath", { next } },
    });
    if (rc != LDAP_SUCCESS)
        return FailLdap(rc);
    std::wstring appText = TvFromInt(app);
    rc = m_server.Dir().Add(ProfileDN(cust, app, 1), {
        { LDAP_MOD_ADD, L"objectClass", { L"APPPROFILE" } },
        { LDAP_MOD_ADD, L"appprofid", { appText } }, { LDAP_MOD_ADD, L"customerid", { TvFromInt(cust) } },
        { LDAP_MOD_ADD, L"appvernum", { L"1" } }, { LDAP_MOD_ADD, L"appmediatype", { L"0" } },
        { LDAP_MOD_ADD, L"importable", { L"0" } }, { LDAP_MOD_ADD, L"compiledok", { L"0" } },
        { LDAP_MOD_ADD, L"appname", { name } }, { LDAP_MOD_ADD, L"spokennamerecorded", { L"0" } },
        { LDAP_MOD_ADD, L"verffaxnummodifiable", { L"0" } }, { LDAP_MOD_ADD, L"updatepsswdneeded", { L"0" } },
        { LDAP_MOD_ADD, L"updatepsswd", { L"0000000000000000" } }, { LDAP_MOD_ADD, L"mntadnthrudial", { L"0" } },
        { LDAP_MOD_ADD, L"comfprmtmodifiable", { L"0" } }, { LDAP_MOD_ADD, L"volumeid", { TvFromInt(volumeId) } },
        { LDAP_MOD_ADD, L"runfilepath", { folder + L"\\" + appText + L"_1.RUN" } },
        { LDAP_MOD_ADD, L"rllfilepath", { folder + L"\\" + appText + L"_1.RLL" } },
        { LDAP_MOD_ADD, L"misafilepath", { L"M" + appText } }, { LDAP_MOD_ADD, L"visible", { L"0" } },
        { LDAP_MOD_ADD, L"lockingpc", { pc } }, { LDAP_MOD_ADD, L"lockinguser", { user } },
        { LDAP_MOD_ADD, L"lockingdatetime", { now } }, { LDAP_MOD_ADD, L"apppreviousvernum", { L"65535" } },
        { LDAP_MOD_ADD, L"modnum", { L"1" } },
    });
    if (rc != LDAP_SUCCESS) {
        ULONG addRc = rc;
        m_server.Dir().Delete(AppDN(cust, app));
        return FailLdap(addRc);
    }
    return Complete({ { TVC_COMPLETED, 0, L"currentedfilepath", current, L"" },
                      { TVC_COMPLETED, 0, L"newedfilepath", next, L"" } });
}

HRESULT LDAPBean::LockApplication(BSTR bstrBase, long lScope, long lCustomerId, long lAppId, BSTR bstrFilter,
                                  long lUnlock, BSTR bstrCtx)
{
    return Guard([&]() -> HRESULT {
        m_rows.clear();
        m_nNextRow = 0;
        TvContext ctx;
        HRESULT hr = Access(TvArg(bstrCtx), true, &ctx);
        if (FAILED(hr))
            return hr;
        std::wstring filter = TvArg(bstrFilter);
        if (lCustomerId <= 0 || lAppId <= 0 || filter.size() > kMaxFilter || !TvFilterBalanced(filter))
            return Fail(TVC_BAD_REQUEST, L"malformed lock request");
        std::wstring pc, user, volume;
        for (const auto& term : TvFilterTerms(filter)) {
            if (TvEqualNoCase(term.first, L"lockingpc"))
                pc = term.second;
            else if (TvEqualNoCase(term.first, L"lockinguser"))
                user = term.second;
            else if (TvEqualNoCase(term.first, L"volumeid"))
                volume = term.second;
        }
        std::wstring dn = AppDN(lCustomerId, lAppId);
        TvDirectory& dir = m_server.Dir();
        if (lUnlock) {
            // Removing values that are not there fails: no lock, nothing changes.
            ULONG rc = dir.Modify(dn, { { LDAP_MOD_DELETE, L"lockinguser", {} },
                                        { LDAP_MOD_DELETE, L"lockingpc", {} } });
            if (rc == LDAP_NO_SUCH_ATTRIBUTE)
                return Fail(TVC_NO_SUCH_OBJECT, L"the application is not locked");
            if (rc != LDAP_SUCCESS)
                return FailLdap(rc);
            MirrorLock(lCustomerId, lAppId, L"", L"", L"");
            return S_OK;
        }
        if (user.empty())
            user = ctx.strMailbox;
        if (pc.empty() || user.empty() || pc.size() > 30 || user.size() > 39)
            return Fail(TVC_BAD_REQUEST, L"a lock needs its PC and user");
        long long volumeId = 0;
        if (!volume.empty() && !TvToInt(volume, volumeId))
            return Fail(TVC_BAD_REQUEST, L"the volume is not a number", L"volumeid");
        // One change: adding a second holder to the single-valued lock
        // attributes fails, so two lockers can never both succeed.
        std::wstring now = TvFromInt(TvNow());
        std::vector<TvMod> mods = { { LDAP_MOD_ADD, L"lockinguser", { user } },
                                    { LDAP_MOD_ADD, L"lockingpc", { pc } },
                                    { LDAP_MOD_REPLACE, L"lockingdatetime", { now } } };
        if (!volume.empty())
            mods.push_back({ LDAP_MOD_REPLACE, L"volumeid", { TvFromInt(volumeId) } });
        ULONG rc = dir.Modify(dn, mods);
        if (rc == LDAP_CONSTRAINT_VIOLATION || rc == LDAP_ATTRIBUTE_OR_VALUE_EXISTS) {
            std::vector<TvEntry> holder;
            dir.Search(dn, LDAP_SCOPE_BASE, L"(objectClass=APPLICATION)", { L"lockinguser", L"lockingpc" }, L"",
                       holder);
            m_errors.clear();
            m_errors.push_back({ TVC_LOCKED_BY_OTHER, 1, L"", L"the application is locked", L"" });
            if (holder.size() == 1) {
                m_errors.push_back({ TVC_LOCKED_BY_OTHER, 1, L"lockinguser", holder[0].First(L"lockinguser"), L"" });
                m_errors.push_back({ TVC_LOCKED_BY_OTHER, 1, L"lockingpc", holder[0].First(L"lockingpc"), L"" });
            }
            return E_FAIL;
        }
        if (rc != LDAP_SUCCESS)
            return FailLdap(rc);
        std::vector<TvEntry> app;
        rc = dir.Search(dn, LDAP_SCOPE_BASE, L"(objectClass=APPLICATION)",
                        { L"currentedfilepath", L"newedfilepath", L"appvernum" }, L"", app);
        if (rc != LDAP_SUCCESS || app.size() != 1)
            return FailLdap(rc ? rc : static_cast<ULONG>(LDAP_NO_SUCH_OBJECT));
        std::wstring current = app[0].First(L"currentedfilepath"), next = app[0].First(L"newedfilepath");
        std::wstring ver = app[0].First(L"appvernum");
        MirrorLock(lCustomerId, lAppId, pc, user, now);
        m_rows.push_back(next + TV_SEP_VALUE + current);
        return Complete({ { TVC_COMPLETED, 0, L"currentedfilepath", current, L"" },
                          { TVC_COMPLETED, 0, L"newedfilepath", next, L"" },
                          { TVC_COMPLETED, 0, L"appvernum", ver, L"" } });
    });
}

// The application lists and the state look-up read the holder from the
// profiles: the shown version and the working one. An empty holder is no
// holder (the attributes are removed).
void LDAPBean::MirrorLock(long cust, long app, const std::wstring& pc, const std::wstring& user,
                          const std::wstring& when)
{
    TvDirectory& dir = m_server.Dir();
    std::vector<TvEntry> app_, profiles;
    dir.Search(AppDN(cust, app), LDAP_SCOPE_BASE, L"(objectClass=APPLICATION)", { L"appvernum" }, L"", app_);
    std::wstring ver = app_.size() == 1 ? app_[0].First(L"appvernum") : std::wstring();
    long long verNum = -1;
    TvToInt(ver, verNum);
    dir.Search(m_server.Config().strSuffix, LDAP_SCOPE_SUBTREE,
               L"(&(objectClass=APPPROFILE)(appprofid=" + TvFromInt(app) + L")(customerid=" + TvFromInt(cust) +
                   L")(|(visible=1)(appvernum=" + TvFromInt(verNum) + L")))",
               { L"appvernum" }, L"", profiles, TvDirectory::kNoPageLimit);
    for (const TvEntry& e : profiles) {
        std::vector<TvMod> mods = { { LDAP_MOD_REPLACE, L"lockingpc", {} }, { LDAP_MOD_REPLACE, L"lockinguser", {} } };
        if (!pc.empty())
            mods[0].values.push_back(pc);
        if (!user.empty())
            mods[1].values.push_back(user);
        if (!when.empty())
            mods.push_back({ LDAP_MOD_REPLACE, L"lockingdatetime", { when } });
        dir.Modify(e.strDN, mods);
    }
}

HRESULT LDAPBean::ModifyEntry(BSTR bstrDN, BSTR bstrAttrVals, BSTR bstrCtx)
{
    return Guard([&]() -> HRESULT {
        TvContext ctx;
        HRESULT hr = Access(TvArg(bstrCtx), true, &ctx);
        if (FAILED(hr))
            return hr;
        std::vector<TvRdn> leading;
        std::wstring dn;
        std::vector<TvAttrValues> values;
        if (!Resolve(TvArg(bstrDN), leading, dn))
            return Fail(TVC_BAD_REQUEST, L"the entry name is not valid");
        if (!TvParseAttrValues(TvArg(bstrAttrVals), values) || values.empty())
            return Fail(TVC_BAD_REQUEST, L"the attribute list is not valid");
        const TvAttrValues* password = FindValue(values, L"usermailboxpsswd");
        if (password) {
            if (leading.size() != 1 || leading[0].size() != 1 ||
                !(TvEqualNoCase(leading[0][0].first, L"userid") || TvEqualNoCase(leading[0][0].first, L"uid")))
                return Fail(TVC_BAD_REQUEST, L"a password belongs to a user entry");
            return ChangePassword(L"uid=" + TvEscapeDNValue(leading[0][0].second) + L"," +
                                  m_server.Config().strSuffix, password->values);
        }
        for (const TvAttrValues& v : values)
            for (const std::wstring& s : v.values)
                if (IsProtectedAttr(v.strName) || s.size() > kMaxText)
                    return Fail(TVC_BAD_REQUEST, L"value refused", v.strName);
        if (leading.size() == 1 && ClassOf(leading[0]) == L"APPLICATION") {
            long long cust = 0, app = 0;
            for (const auto& p : leading[0])
                TvToInt(p.second, TvEqualNoCase(p.first, L"customerid") ? cust : app);
            return Commit(static_cast<long>(cust), static_cast<long>(app), values);
        }
        if (leading.size() == 3 && leading[0].size() == 1 && TvEqualNoCase(leading[0][0].first, L"mmfsfileid"))
            return CopyMediaFile(leading, values);
        std::vector<TvMod> mods;
        for (const TvAttrValues& v : values)
            mods.push_back({ LDAP_MOD_REPLACE, v.strName, v.values });
        ULONG rc = m_server.Dir().Modify(dn, mods);
        return rc == LDAP_SUCCESS ? S_OK : FailLdap(rc);
    });
}

HRESULT LDAPBean::Commit(long cust, long app, const std::vector<TvAttrValues>& values)
{
    std::wstring user = FirstValue(values, L"lockinguser");
    if (cust <= 0 || app <= 0 || user.empty())
        return Fail(TVC_BAD_REQUEST, L"a commit names the locking user");
    TvDirectory& dir = m_server.Dir();
    std::wstring dn = AppDN(cust, app);
    std::vector<TvEntry> found;
    ULONG rc = dir.Search(dn, LDAP_SCOPE_BASE, L"(objectClass=APPLICATION)",
                          { L"appvernum", L"newedfilepath" }, L"", found);
    if (rc != LDAP_SUCCESS || found.size() != 1)
        return FailLdap(rc ? rc : static_cast<ULONG>(LDAP_NO_SUCH_OBJECT));
    long long ver = 0;
    if (!TvToInt(found[0].First(L"appvernum"), ver))
        return Fail(TVC_BAD_REQUEST, L"the application has no version");
    std::wstring saved = found[0].First(L"newedfilepath");
    std::wstring next = TvAppFolder(cust, app) + L"\\" + TvFromInt(app) + L"_" + TvFromInt(ver + 2) + L".ED";
    // One change, made only by the lock's holder and only on the version read.
    rc = dir.Modify(dn, { { LDAP_MOD_DELETE, L"lockinguser", { user } },
                          { LDAP_MOD_ADD, L"lockinguser", { user } },
                          { LDAP_MOD_DELETE, L"appvernum", { TvFromInt(ver) } },
                          { LDAP_MOD_ADD, L"appvernum", { TvFromInt(ver + 1) } },
                          { LDAP_MOD_REPLACE, L"currentedfilepath", { saved } },
                          { LDAP_MOD_REPLACE, L"newedfilepath", { next } } });
    if (rc == LDAP_NO_SUCH_ATTRIBUTE)
        return Fail(TVC_LOCKED_BY_OTHER, L"the application is not locked by this user", L"lockinguser");
    if (rc != LDAP_SUCCESS)
        return FailLdap(rc);
    // The committed version becomes the one the lists show; a new working
    // version follows it.
    std::vector<TvEntry> profile;
    dir.Search(ProfileDN(cust, app, ver), LDAP_SCOPE_BASE, L"(objectClass=APPPROFILE)", {}, L"", profile);
    if (profile.size() == 1) {
        std::vector<TvEntry> visible;
        dir.Search(m_server.Config().strSuffix, LDAP_SCOPE_SUBTREE,
                   L"(&(objectClass=APPPROFILE)(appprofid=" + TvFromInt(app) + L")(customerid=" + TvFromInt(cust) +
                       L")(visible=1))", { L"appvernum" }, L"", visible, TvDirectory::kNoPageLimit);
        for (const TvEntry& e : visible)
            dir.Modify(e.strDN, { { LDAP_MOD_REPLACE, L"visible", { L"0" } } });
        dir.Modify(ProfileDN(cust, app, ver), { { LDAP_MOD_REPLACE, L"visible", { L"1" } } });
        std::vector<TvMod> attrs;
        for (const auto& a : profile[0].attrs) {
            if (a.first == L"appvernum" || a.first == L"visible" || a.first == L"apppreviousvernum")
                continue;
            attrs.push_back({ LDAP_MOD_ADD, a.first, a.second });
        }
        attrs.push_back({ LDAP_MOD_ADD, L"appvernum", { TvFromInt(ver + 1) } });
        attrs.push_back({ LDAP_MOD_ADD, L"visible", { L"0" } });
        attrs.push_back({ LDAP_MOD_ADD, L"apppreviousvernum", { TvFromInt(ver) } });
        dir.Add(ProfileDN(cust, app, ver + 1), attrs);
    }
    return Complete({ { TVC_COMPLETED, 0, L"currentedfilepath", saved, L"" },
                      { TVC_COMPLETED, 0, L"newedfilepath", next, L"" } });
}

long LDAPBean::PasswordRule(const std::wstring& userDN, const std::wstring& password)
{
    TvDirectory& dir = m_server.Dir();
    std::vector<TvEntry> user, security;
    dir.Search(userDN, LDAP_SCOPE_BASE, L"(objectClass=TELVANTAUSER)", { L"usermailboxnum" }, L"", user);
    dir.Search(m_server.Config().strSuffix, LDAP_SCOPE_SUBTREE, L"(objectClass=SECURITYPROF)", { L"minpsswdlen" },
               L"", security);
    long long minimum = 6;
    if (security.size() == 1)
        TvToInt(security[0].First(L"minpsswdlen"), minimum);
    if (static_cast<long long>(password.size()) < minimum)
        return TVC_PASSWORD_TOO_SHORT;
    if (AllSame(password))
        return TVC_PASSWORD_REPEATED_DIGITS;
    if (IsRun(password))
        return TVC_PASSWORD_SEQUENCE;
    if (user.size() == 1 && password == user[0].First(L"usermailboxnum"))
        return TVC_PASSWORD_IS_MAILBOX;
    return 0;
}

HRESULT LDAPBean::ChangePassword(const std::wstring& userDN, const std::vector<std::wstring>& values)
{
    if (values.size() != 2 || values[0].empty() || values[0].size() > 128 || values[1].size() > 128)
        return Fail(TVC_BAD_REQUEST, L"a password change gives the new and the old password", L"usermailboxpsswd");
    const std::wstring& newPassword = values[0];
    const std::wstring& oldPassword = values[1];
    long rule = PasswordRule(userDN, newPassword);
    if (rule)
        return Fail(rule, L"the new password breaks the password rules", L"usermailboxpsswd");
    // The user changes his own password: the old one must let him in.
    TvDirectory asUser;
    std::wstring host = m_server.Config().strHost.empty() ? m_strServer : m_server.Config().strHost;
    ULONG rc = asUser.Open(host, m_bSSL ? m_server.Config().dwSslPort : m_server.Config().dwPort, m_bSSL,
                           m_server.Config().dwTimeoutSeconds);
    if (rc == LDAP_SUCCESS)
        rc = asUser.Bind(userDN, oldPassword);
    if (rc != LDAP_SUCCESS)
        return Fail(static_cast<long>(rc), L"the old password is not correct", L"usermailboxpsswd");
    rc = asUser.Modify(userDN, { { LDAP_MOD_REPLACE, L"userPassword", { newPassword } } });
    if (rc == LDAP_SUCCESS)
        return S_OK;
    // Length and trivial passwords were checked above: what the directory's
    // policy still refuses is a password of its history.
    std::wstring text = TvLower(asUser.LastText());
    if (text.find(L"short") != std::wstring::npos)
        return Fail(TVC_PASSWORD_TOO_SHORT, L"the password is too short", L"usermailboxpsswd");
    if (rc == LDAP_CONSTRAINT_VIOLATION)
        return Fail(TVC_PASSWORD_IN_HISTORY, L"the password was used before", L"usermailboxpsswd");
    return Fail(static_cast<long>(rc), TvLdapText(rc, asUser.LastText()), L"usermailboxpsswd");
}

HRESULT LDAPBean::CopyMediaFile(const std::vector<TvRdn>& leading, const std::vector<TvAttrValues>& values)
{
    std::wstring source = leading[0][0].second, target = FirstValue(values, L"destmmfsfileid");
    long code = TvCopyMediaFile(m_server.Config(), source, target);
    if (code)
        return Fail(code, L"the media file could not be copied", L"destmmfsfileid");
    return S_OK;
}

HRESULT LDAPBean::DeleteEntry(BSTR bstrDN, BSTR bstrCtx)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Access(TvArg(bstrCtx), true, nullptr);
        if (FAILED(hr))
            return hr;
        std::vector<TvRdn> leading;
        std::wstring dn;
        if (!Resolve(TvArg(bstrDN), leading, dn))
            return Fail(TVC_BAD_REQUEST, L"the entry name is not valid");
        if (leading.size() == 1 && leading[0].size() == 1 &&
            (TvEqualNoCase(leading[0][0].first, L"uid") || TvEqualNoCase(leading[0][0].first, L"userid")))
            return Fail(TVC_INSUFFICIENT_ACCESS, L"users are not deleted here");
        ULONG rc = m_server.Dir().Delete(dn);
        return rc == LDAP_SUCCESS ? S_OK : FailLdap(rc);
    });
}
