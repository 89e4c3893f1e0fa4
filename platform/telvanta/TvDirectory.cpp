// The directory connection of the components over wldap32.
#include "TvDirectory.h"
#include "TvText.h"

#include <memory>

namespace {

std::wstring ReadString(HKEY hKey, const wchar_t* name)
{
    wchar_t buf[520] = {};
    DWORD cb = sizeof(buf) - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &cb) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    buf[cb / sizeof(wchar_t)] = 0;
    return buf;
}

DWORD ReadDword(HKEY hKey, const wchar_t* name, DWORD dflt)
{
    DWORD v = 0, cb = sizeof(v), type = 0;
    if (RegQueryValueExW(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &cb) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return dflt;
    return v;
}

// Mods in the form wldap32 takes, owning their arrays.
struct ModArrays {
    std::vector<LDAPModW> mods;
    std::vector<std::vector<PWCHAR>> values;
    std::vector<LDAPModW*> ptrs;

    explicit ModArrays(const std::vector<TvMod>& in)
    {
        mods.resize(in.size());
        values.resize(in.size());
        for (size_t i = 0; i < in.size(); ++i) {
            for (const std::wstring& v : in[i].values)
                values[i].push_back(const_cast<PWCHAR>(v.c_str()));
            values[i].push_back(nullptr);
            mods[i].mod_op = in[i].op;
            mods[i].mod_type = const_cast<PWCHAR>(in[i].strName.c_str());
            mods[i].mod_vals.modv_strvals = in[i].values.empty() && in[i].op != LDAP_MOD_ADD
                                                ? nullptr : values[i].data();
            ptrs.push_back(&mods[i]);
        }
        ptrs.push_back(nullptr);
    }
};

} // namespace

TvConfig TvConfig::Read()
{
    TvConfig c;
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TV_CONFIG_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return c;
    c.strHost = ReadString(hKey, L"DirectoryHost");
    c.dwPort = ReadDword(hKey, L"DirectoryPort", 389);
    c.dwSslPort = ReadDword(hKey, L"DirectorySslPort", 636);
    c.strSuffix = ReadString(hKey, L"Suffix");
    c.strServiceDN = ReadString(hKey, L"ServiceDN");
    if (c.strServiceDN.empty() && !c.strSuffix.empty())
        c.strServiceDN = L"cn=aos," + c.strSuffix;
    c.strServicePassword = ReadString(hKey, L"ServicePassword");
    c.strStorageRoot = ReadString(hKey, L"StorageRoot");
    if (!c.strStorageRoot.empty() && c.strStorageRoot.back() != L'\\')
        c.strStorageRoot += L'\\';
    c.dwStorageFull = ReadDword(hKey, L"StorageFull", 0);
    c.dwContextSeconds = ReadDword(hKey, L"ContextSeconds", 8 * 3600);
    c.dwMaxApplications = ReadDword(hKey, L"MaxApplications", 0);
    c.dwTimeoutSeconds = ReadDword(hKey, L"TimeoutSeconds", 15);
    RegCloseKey(hKey);
    return c;
}

const std::vector<std::wstring>* TvEntry::Values(const std::wstring& name) const
{
    auto it = attrs.find(TvLower(name));
    return it == attrs.end() ? nullptr : &it->second;
}

std::wstring TvEntry::First(const std::wstring& name) const
{
    const std::vector<std::wstring>* v = Values(name);
    return v && !v->empty() ? (*v)[0] : std::wstring();
}

ULONG TvDirectory::Open(const std::wstring& host, ULONG port, bool ssl, ULONG timeoutSeconds)
{
    Close();
    m_timeout = timeoutSeconds ? timeoutSeconds : 15;
    m_strLastText.clear();
    if (host.empty() || host.size() > 255)
        return LDAP_PARAM_ERROR;
    m_ld = ssl ? ldap_sslinitW(const_cast<PWCHAR>(host.c_str()), port, 1)
               : ldap_initW(const_cast<PWCHAR>(host.c_str()), port);
    if (!m_ld)
        return LDAP_CONNECT_ERROR;
    ULONG version = LDAP_VERSION3;
    ldap_set_optionW(m_ld, LDAP_OPT_PROTOCOL_VERSION, &version);
    ULONG limit = m_timeout;
    ldap_set_optionW(m_ld, LDAP_OPT_TIMELIMIT, &limit);
    ldap_set_optionW(m_ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    if (ssl) {
        // The server's certificate must be verified.
        ULONG on = 1;
        ldap_set_optionW(m_ld, LDAP_OPT_SSL, &on);
    }
    ULONG rc = ssl ? ConnectWithDeadline() : ConnectPlain();
    if (rc != LDAP_SUCCESS) {
        Close();
        return rc;
    }
    return LDAP_SUCCESS;
}

ULONG TvDirectory::ConnectPlain()
{
    l_timeval tv = { static_cast<LONG>(m_timeout), 0 };
    return ldap_connect(m_ld, &tv);
}

namespace {

// A connect that may outlive its caller: whichever of the two lets go last
// frees the connection.
struct PendingConnect {
    LDAP* ld;
    ULONG timeout;
    ULONG rc = LDAP_TIMEOUT;
    LONG refs = 2;
    HMODULE module = nullptr;   // held by the thread while it runs our code
};

void ReleasePending(PendingConnect* p, bool abandoned)
{
    if (InterlockedDecrement(&p->refs) == 0) {
        if (abandoned)
            ldap_unbind(p->ld);
        delete p;
    }
}

DWORD WINAPI ConnectThread(LPVOID param)
{
    PendingConnect* p = static_cast<PendingConnect*>(param);
    l_timeval tv = { static_cast<LONG>(p->timeout), 0 };
    p->rc = ldap_connect(p->ld, &tv);
    // The handshake may wait for the first request: an anonymous bind, which
    // the caller's own bind replaces.
    if (p->rc == LDAP_SUCCESS)
        p->rc = ldap_simple_bind_sW(p->ld, nullptr, nullptr);
    HMODULE module = p->module;
    ReleasePending(p, true);
    // An abandoned connect can outlast every user of this library: the
    // reference it holds keeps the code it returns to loaded until here.
    if (module)
        FreeLibraryAndExitThread(module, 0);
    return 0;
}

} // namespace

// A secure handshake with a server that does not answer it can outlast the
// connect's own time limit: it runs on a thread of its own, and when the
// limit passes the connection is given up to that thread.
ULONG TvDirectory::ConnectWithDeadline()
{
    PendingConnect* p = new PendingConnect{ m_ld, m_timeout };
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&ConnectThread), &p->module))
        p->module = nullptr;
    HANDLE h = CreateThread(nullptr, 0, ConnectThread, p, 0, nullptr);
    if (!h) {
        if (p->module)
            FreeLibrary(p->module);
        delete p;
        return ConnectPlain();
    }
    DWORD wait = WaitForSingleObject(h, (m_timeout + 1) * 1000);
    CloseHandle(h);
    if (wait == WAIT_OBJECT_0) {
        ULONG rc = p->rc;
        p->refs = 1;
        ReleasePending(p, false);
        return rc;
    }
    // The thread owns the connection from now on.
    m_ld = nullptr;
    ReleasePending(p, false);
    return LDAP_TIMEOUT;
}

void TvDirectory::Close()
{
    if (m_ld) {
        ldap_unbind(m_ld);
        m_ld = nullptr;
    }
}

ULONG TvDirectory::Finish(ULONG rc)
{
    m_strLastText.clear();
    if (rc != LDAP_SUCCESS && m_ld) {
        PWCHAR text = nullptr;
        if ((ldap_get_optionW(m_ld, LDAP_OPT_SERVER_ERROR, &text) == LDAP_SUCCESS && text) ||
            (ldap_get_optionW(m_ld, LDAP_OPT_ERROR_STRING, &text) == LDAP_SUCCESS && text)) {
            m_strLastText = text;
            ldap_memfreeW(text);
        }
    }
    return rc;
}

ULONG TvDirectory::Bind(const std::wstring& dn, const std::wstring& password)
{
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    // An empty password would be an unauthenticated bind, which succeeds.
    if (password.empty())
        return LDAP_INVALID_CREDENTIALS;
    return Finish(ldap_simple_bind_sW(m_ld, const_cast<PWCHAR>(dn.c_str()),
                                      const_cast<PWCHAR>(password.c_str())));
}

ULONG TvDirectory::BindAnonymous()
{
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    return Finish(ldap_simple_bind_sW(m_ld, nullptr, nullptr));
}

ULONG TvDirectory::Search(const std::wstring& base, ULONG scope, const std::wstring& filter,
                          const std::vector<std::wstring>& attrs, const std::wstring& sortAttr,
                          std::vector<TvEntry>& out, ULONG sizeLimit)
{
    out.clear();
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    std::vector<PWCHAR> attrPtrs;
    for (const std::wstring& a : attrs)
        attrPtrs.push_back(const_cast<PWCHAR>(a.c_str()));
    attrPtrs.push_back(nullptr);

    PLDAPControlW sortControl = nullptr;
    LDAPSortKeyW key = {};
    PLDAPSortKeyW keys[2] = { &key, nullptr };
    if (!sortAttr.empty()) {
        key.sk_attrtype = const_cast<PWCHAR>(sortAttr.c_str());
        if (ldap_create_sort_controlW(m_ld, keys, 1, &sortControl) != LDAP_SUCCESS)
            sortControl = nullptr;
    }
    PLDAPControlW controls[2] = { sortControl, nullptr };
    l_timeval tv = { static_cast<LONG>(m_timeout), 0 };
    LDAPMessage* res = nullptr;
    ULONG rc = ldap_search_ext_sW(m_ld, const_cast<PWCHAR>(base.c_str()), scope,
                                  const_cast<PWCHAR>(filter.c_str()),
                                  attrs.empty() ? nullptr : attrPtrs.data(), 0,
                                  sortControl ? controls : nullptr, nullptr, &tv, sizeLimit, &res);
    if (sortControl)
        ldap_control_freeW(sortControl);
    if (res) {
        for (LDAPMessage* e = ldap_first_entry(m_ld, res); e; e = ldap_next_entry(m_ld, e)) {
            TvEntry entry;
            PWCHAR dn = ldap_get_dnW(m_ld, e);
            if (dn) {
                entry.strDN = dn;
                ldap_memfreeW(dn);
            }
            BerElement* ber = nullptr;
            for (PWCHAR a = ldap_first_attributeW(m_ld, e, &ber); a; a = ldap_next_attributeW(m_ld, e, ber)) {
                std::vector<std::wstring>& values = entry.attrs[TvLower(a)];
                PWCHAR* vals = ldap_get_valuesW(m_ld, e, a);
                for (ULONG i = 0; vals && vals[i]; ++i)
                    values.push_back(vals[i]);
                if (vals)
                    ldap_value_freeW(vals);
                ldap_memfreeW(a);
            }
            if (ber)
                ber_free(ber, 0);
            out.push_back(entry);
        }
        ldap_msgfree(res);
    }
    return Finish(rc);
}

ULONG TvDirectory::Add(const std::wstring& dn, const std::vector<TvMod>& attrs)
{
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    ModArrays m(attrs);
    return Finish(ldap_add_ext_sW(m_ld, const_cast<PWCHAR>(dn.c_str()), m.ptrs.data(), nullptr, nullptr));
}

ULONG TvDirectory::Modify(const std::wstring& dn, const std::vector<TvMod>& mods)
{
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    ModArrays m(mods);
    return Finish(ldap_modify_ext_sW(m_ld, const_cast<PWCHAR>(dn.c_str()), m.ptrs.data(), nullptr, nullptr));
}

ULONG TvDirectory::Delete(const std::wstring& dn)
{
    if (!m_ld)
        return LDAP_SERVER_DOWN;
    return Finish(ldap_delete_ext_sW(m_ld, const_cast<PWCHAR>(dn.c_str()), nullptr, nullptr));
}
