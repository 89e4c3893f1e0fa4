// The error collection handed out by the directory component: a snapshot of
// the errors of its last failed operation.
#include "TvErrors.h"

namespace {

class TvErrorObj : public TvComObject<ILDAPError> {
public:
    explicit TvErrorObj(const TvErrorItem& item) : TvComObject(IID_ILDAPError), m_item(item) {}

    HRESULT STDMETHODCALLTYPE get_Code(long* p) override
    {
        if (!p)
            return E_POINTER;
        *p = m_item.lCode;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Level(long* p) override
    {
        if (!p)
            return E_POINTER;
        *p = m_item.lLevel;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Attribute(BSTR* p) override { return TvOutText(m_item.strAttribute, p); }
    HRESULT STDMETHODCALLTYPE get_Text1(BSTR* p) override { return TvOutText(m_item.strText1, p); }
    HRESULT STDMETHODCALLTYPE get_Text2(BSTR* p) override { return TvOutText(m_item.strText2, p); }

private:
    TvErrorItem m_item;
};

} // namespace

HRESULT TvErrors::get__NewEnum(IUnknown** ppunk)
{
    if (ppunk)
        *ppunk = nullptr;
    return E_NOTIMPL;
}

HRESULT TvErrors::Add(long lCode, long lLevel, BSTR bstrAttribute, BSTR bstrText1, BSTR bstrText2)
{
    return Guard([&] {
        m_items.push_back(TvErrorItem{ lCode, lLevel, TvArg(bstrAttribute), TvArg(bstrText1), TvArg(bstrText2) });
        return S_OK;
    });
}

HRESULT TvErrors::Clear()
{
    m_items.clear();
    return S_OK;
}

HRESULT TvErrors::get_Count(long* plCount)
{
    if (!plCount)
        return E_POINTER;
    *plCount = static_cast<long>(m_items.size());
    return S_OK;
}

HRESULT TvErrors::get_Item(long lIndex, ILDAPError** ppItem)
{
    if (!ppItem)
        return E_POINTER;
    *ppItem = nullptr;
    if (lIndex < 0 || static_cast<size_t>(lIndex) >= m_items.size())
        return E_INVALIDARG;
    return Guard([&] {
        *ppItem = new TvErrorObj(m_items[static_cast<size_t>(lIndex)]);
        return S_OK;
    });
}
