// Shared plumbing of the components: reference counting, the dual
// interface's IDispatch part (no type library: clients call through the
// vtable), ISupportErrorInfo, and the admin service's "code#text" errors.
#pragma once

#include "Telvanta.h"
#include <string>

void TvModuleAddRef();
void TvModuleRelease();

// Hands the caller's thread an error object whose description is
// "code#text"; returns E_FAIL for the operation to answer.
HRESULT TvSetServiceError(long lCode, const std::wstring& strText, REFIID riid);

template <class Iface>
class TvComObject : public Iface, public ISupportErrorInfo {
public:
    explicit TvComObject(REFIID riid) : m_riid(riid) { TvModuleAddRef(); }
    virtual ~TvComObject() { TvModuleRelease(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_riid))
            *ppv = static_cast<Iface*>(this);
        else if (IsEqualIID(riid, IID_ISupportErrorInfo))
            *ppv = static_cast<ISupportErrorInfo*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return n;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pn) override
    {
        if (!pn)
            return E_POINTER;
        *pn = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** pp) override
    {
        if (pp)
            *pp = nullptr;
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override
    {
        return IsEqualIID(riid, m_riid) ? S_OK : S_FALSE;
    }

    // A shield for the operations: nothing thrown leaves through COM.
    template <class F>
    HRESULT Guard(F f)
    {
        try {
            return f();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

protected:
    IID m_riid;
    LONG m_nRefs = 1;
};

// A BSTR argument as a text (a null BSTR is the empty text).
inline std::wstring TvArg(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }
HRESULT TvOutText(const std::wstring& s, BSTR* pOut);
