// "Telvanta.AOSClient_ConfigWizard": the admin service. Each instance is
// connected once and then does one thing; failures leave "code#text" in the
// thread's error object.
#include "TvComponents.h"
#include "TvServer.h"
#include "TvStorage.h"
#include "TvText.h"

#include <algorithm>

namespace {

class KeyCode : public TvComObject<IKeyCode> {
public:
    KeyCode(const std::wstring& key, const std::wstring& system, short type)
        : TvComObject(IID_IKeyCode), m_strKey(key), m_strSystem(system), m_nType(type) {}
    HRESULT STDMETHODCALLTYPE get_KeyCode(BSTR* p) override { return TvOutText(m_strKey, p); }
    HRESULT STDMETHODCALLTYPE get_SystemName(BSTR* p) override { return TvOutText(m_strSystem, p); }
    HRESULT STDMETHODCALLTYPE get_SwitchType(short* p) override
    {
        if (!p)
            return E_POINTER;
        *p = m_nType;
        return S_OK;
    }

private:
    std::wstring m_strKey, m_strSystem;
    short m_nType;
};

class ConfigWizard : public TvComObject<IAOSConfigWizard> {
public:
    ConfigWizard() : TvComObject(IID_IAOSConfigWizard) {}

    HRESULT STDMETHODCALLTYPE Connect(BSTR bstrCtx, BSTR bstrCode, BSTR bstrServer) override
    {
        return Guard([&]() -> HRESULT {
            m_bConnected = false;
            std::wstring server = TvArg(bstrServer), ctx = TvArg(bstrCtx);
            if (TvArg(bstrCode) != L"32")
                return Error(TVC_INSUFFICIENT_ACCESS, L"Unknown application code");
            if (server.empty() || server.size() > 255)
                return Error(TVC_BAD_REQUEST, L"No server named");
            if (ctx.size() > 64)
                return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
            ULONG rc = m_server.OpenService(server, false);
            if (rc != LDAP_SUCCESS)
                return Error(static_cast<long>(rc), L"Cannot reach the server's directory");
            if (!ctx.empty() && m_server.CheckContext(ctx, &m_ctx) != 0)
                return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
            m_strCtx = ctx;
            m_bConnected = true;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE GetUnusedAppID(BSTR bstrCtx, BSTR bstrUser, long lRequest, long* plAppId) override
    {
        return Guard([&]() -> HRESULT {
            if (!plAppId)
                return E_POINTER;
            HRESULT hr = Ready(bstrCtx, bstrUser);
            if (FAILED(hr))
                return hr;
            if (lRequest < 0)
                return Error(TVC_BAD_REQUEST, L"Invalid request");
            // The counter moves by one change that fails when another client
            // moved it first; then the next value is tried.
            for (int attempt = 0; attempt < 20; ++attempt) {
                std::vector<TvEntry> found;
                ULONG rc = m_server.Dir().Search(m_server.SystemDN(), LDAP_SCOPE_BASE,
                                                 L"(objectClass=SYSTEMSERVICEPROF)", { L"nextappid" }, L"", found);
                long long next = 0;
                if (rc != LDAP_SUCCESS || found.size() != 1 || !TvToInt(found[0].First(L"nextappid"), next))
                    return Error(static_cast<long>(rc ? rc : static_cast<ULONG>(LDAP_NO_SUCH_OBJECT)), L"No application id counter");
                if (next <= 0 || next >= 0x7fffffff)
                    return Error(TVC_APP_LIMIT, L"No application id left");
                rc = m_server.Dir().Modify(m_server.SystemDN(),
                                           { { LDAP_MOD_DELETE, L"nextappid", { TvFromInt(next) } },
                                             { LDAP_MOD_ADD, L"nextappid", { TvFromInt(next + 1) } } });
                if (rc == LDAP_NO_SUCH_ATTRIBUTE)
                    continue;
                if (rc != LDAP_SUCCESS)
                    return Error(static_cast<long>(rc), L"The application id counter could not move");
                *plAppId = static_cast<long>(next);
                return S_OK;
            }
            return Error(TVC_BAD_REQUEST, L"The application id counter is busy");
        });
    }

    HRESULT STDMETHODCALLTYPE GetKeyCode(BSTR bstrCtx, BSTR bstrUser, IKeyCode** ppKey) override
    {
        return Guard([&]() -> HRESULT {
            if (!ppKey)
                return E_POINTER;
            *ppKey = nullptr;
            HRESULT hr = Ready(bstrCtx, bstrUser);
            if (FAILED(hr))
                return hr;
            std::vector<TvEntry> found;
            ULONG rc = m_server.Dir().Search(m_server.SystemDN(), LDAP_SCOPE_BASE,
                                             L"(objectClass=SYSTEMSERVICEPROF)", { L"switchtype", L"vernum" }, L"",
                                             found);
            long long type = 0;
            if (rc != LDAP_SUCCESS || found.size() != 1 || !TvToInt(found[0].First(L"switchtype"), type))
                return Error(static_cast<long>(rc ? rc : static_cast<ULONG>(LDAP_NO_SUCH_OBJECT)), L"No key code");
            *ppKey = new KeyCode(found[0].First(L"vernum"), m_server.Config().strSuffix, static_cast<short>(type));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE StartVersionManager(BSTR bstrCtx, BSTR bstrUser, long, long) override
    {
        return Guard([&]() -> HRESULT { return Ready(bstrCtx, bstrUser); });
    }

    // Profiles and program files of applications whose entry is gone.
    HRESULT STDMETHODCALLTYPE CleanUpDeleted(BSTR bstrCtx, BSTR bstrUser, long) override
    {
        return Guard([&]() -> HRESULT {
            HRESULT hr = Ready(bstrCtx, bstrUser);
            if (FAILED(hr))
                return hr;
            TvDirectory& dir = m_server.Dir();
            const std::wstring& suffix = m_server.Config().strSuffix;
            std::vector<TvEntry> apps, profiles;
            ULONG rc = dir.Search(suffix, LDAP_SCOPE_SUBTREE, L"(objectClass=APPLICATION)",
                                  { L"appid", L"customerid" }, L"", apps, TvDirectory::kNoPageLimit);
            if (rc == LDAP_SUCCESS)
                rc = dir.Search(suffix, LDAP_SCOPE_SUBTREE, L"(objectClass=APPPROFILE)",
                                { L"appprofid", L"customerid" }, L"", profiles, TvDirectory::kNoPageLimit);
            if (rc != LDAP_SUCCESS)
                return Error(static_cast<long>(rc), L"The applications could not be read");
            std::vector<std::pair<std::wstring, std::wstring>> live;
            for (const TvEntry& e : apps)
                live.emplace_back(e.First(L"customerid"), e.First(L"appid"));
            for (const TvEntry& e : profiles) {
                std::pair<std::wstring, std::wstring> key(e.First(L"customerid"), e.First(L"appprofid"));
                if (std::find(live.begin(), live.end(), key) != live.end())
                    continue;
                dir.Delete(e.strDN);
                long long cust = 0, app = 0;
                std::wstring folder;
                if (TvToInt(key.first, cust) && TvToInt(key.second, app) &&
                    TvStoragePath(m_server.Config(), TvAppFolder(static_cast<long>(cust), static_cast<long>(app)),
                                  folder) == 0)
                    TvRemoveTree(folder);
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE GetLdapSuffix(BSTR* pbstrSuffix) override
    {
        if (!pbstrSuffix)
            return E_POINTER;
        *pbstrSuffix = nullptr;
        if (!m_bConnected)
            return Error(TVC_CONTEXT_INVALID, L"Not connected");
        return TvOutText(m_server.Config().strSuffix, pbstrSuffix);
    }

private:
    HRESULT Error(long code, const std::wstring& text)
    {
        return TvSetServiceError(code, text, IID_IAOSConfigWizard);
    }

    // An operation needs the connection and the login it was connected with.
    HRESULT Ready(BSTR bstrCtx, BSTR bstrUser)
    {
        if (!m_bConnected)
            return Error(TVC_CONTEXT_INVALID, L"Not connected");
        std::wstring ctx = TvArg(bstrCtx);
        if (ctx.empty() || ctx != m_strCtx || m_server.CheckContext(ctx, &m_ctx) != 0)
            return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
        std::wstring user = TvArg(bstrUser);
        if (user.size() > 64)
            return Error(TVC_BAD_REQUEST, L"User id too long");
        // The user named is the one who logged in.
        std::wstring prefix = TvLower(L"uid=" + TvEscapeDNValue(user) + L",");
        if (user.empty() || TvLower(m_ctx.strUserDN).compare(0, prefix.size(), prefix) != 0)
            return Error(TVC_INSUFFICIENT_ACCESS, L"User not logged in with this context");
        return S_OK;
    }

    TvServer m_server;
    TvContext m_ctx;
    std::wstring m_strCtx;
    bool m_bConnected = false;
};

} // namespace

IUnknown* TvNewConfigWizard()
{
    return static_cast<IAOSConfigWizard*>(new ConfigWizard());
}
