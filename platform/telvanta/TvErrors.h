// The error collection of the directory component and its items.
#pragma once

#include "TvCom.h"
#include <vector>

struct TvErrorItem {
    long lCode = 0;
    long lLevel = 1;
    std::wstring strAttribute, strText1, strText2;
};

class TvErrors : public TvComObject<ILDAPErrors> {
public:
    TvErrors() : TvComObject(IID_ILDAPErrors) {}
    explicit TvErrors(const std::vector<TvErrorItem>& items) : TvComObject(IID_ILDAPErrors), m_items(items) {}

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** ppunk) override;
    HRESULT STDMETHODCALLTYPE Add(long lCode, long lLevel, BSTR bstrAttribute, BSTR bstrText1,
                                  BSTR bstrText2) override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE get_Count(long* plCount) override;
    HRESULT STDMETHODCALLTYPE get_Item(long lIndex, ILDAPError** ppItem) override;

private:
    std::vector<TvErrorItem> m_items;
};
