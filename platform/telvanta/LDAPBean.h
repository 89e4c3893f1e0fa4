// "Telvanta.LDAPBean": the server's directory component.
#pragma once

#include "TvServer.h"
#include "TvText.h"

class LDAPBean : public TvComObject<ILDAPBean> {
public:
    LDAPBean() : TvComObject(IID_ILDAPBean) {}

    HRESULT STDMETHODCALLTYPE AddEntry(BSTR bstrCtx, BSTR bstrDN, BSTR bstrAttrVals, BSTR* pbstrOut) override;
    HRESULT STDMETHODCALLTYPE Search(BSTR bstrBase, long lScope, BSTR bstrFilter, BSTR bstrAttrs,
                                     short nNamesOnly, BSTR bstrSortAttr, long lReserved, BSTR bstrCtx) override;
    HRESULT STDMETHODCALLTYPE NextRow(BSTR* pbstrRow) override;
    HRESULT STDMETHODCALLTYPE ModifyEntry(BSTR bstrDN, BSTR bstrAttrVals, BSTR bstrCtx) override;
    HRESULT STDMETHODCALLTYPE DeleteEntry(BSTR bstrDN, BSTR bstrCtx) override;
    HRESULT STDMETHODCALLTYPE GetContextID(BSTR* pbstrCtx) override;
    HRESULT STDMETHODCALLTYPE EndContext(BSTR bstrCtx) override;
    HRESULT STDMETHODCALLTYPE GetErrors(ILDAPErrors** ppErrors) override;
    HRESULT STDMETHODCALLTYPE LockApplication(BSTR bstrBase, long lScope, long lCustomerId, long lAppId,
                                              BSTR bstrFilter, long lUnlock, BSTR bstrCtx) override;
    HRESULT STDMETHODCALLTYPE SetSSL(long lOn) override;
    HRESULT STDMETHODCALLTYPE Login(long lVersion, BSTR bstrServer, long lPort, long lSSLPort,
                                    BSTR bstrCertDbDir, BSTR bstrSuffix, BSTR bstrUser, BSTR bstrLocation,
                                    BSTR bstrPassword, BSTR bstrCtx, long lFlags, BSTR bstrClientVersion,
                                    BSTR bstrClientAddress) override;

private:
    enum class Mode { None, Anonymous, User };

    HRESULT Fail(long lCode, const std::wstring& text, const std::wstring& attr = std::wstring());
    HRESULT FailLdap(ULONG rc);
    HRESULT Complete(const std::vector<TvErrorItem>& values);
    // 0 when the operation may go on; otherwise it has failed already.
    HRESULT Access(const std::wstring& ctx, bool bWrite, TvContext* pCtx);
    // The client's DN of an entry below the suffix, escaped; false for a DN
    // that is malformed, lies elsewhere or names the server's own entries.
    bool Resolve(const std::wstring& dn, std::vector<TvRdn>& leading, std::wstring& out);

    HRESULT NewApplication(long cust, long app, const std::vector<TvAttrValues>& values, const std::wstring& who);
    HRESULT Commit(long cust, long app, const std::vector<TvAttrValues>& values);
    HRESULT ChangePassword(const std::wstring& userDN, const std::vector<std::wstring>& values);
    HRESULT CopyMediaFile(const std::vector<TvRdn>& leading, const std::vector<TvAttrValues>& values);
    void MirrorLock(long cust, long app, const std::wstring& pc, const std::wstring& user, const std::wstring& when);
    long PasswordRule(const std::wstring& userDN, const std::wstring& password);

    std::wstring AppDN(long cust, long app) const;
    std::wstring ProfileDN(long cust, long app, long long ver) const;

    TvServer m_server;
    Mode m_mode = Mode::None;
    bool m_bSSL = false;
    std::wstring m_strServer;
    std::wstring m_strCtx;
    std::vector<std::wstring> m_rows;
    size_t m_nNextRow = 0;
    std::vector<TvErrorItem> m_errors;
};
