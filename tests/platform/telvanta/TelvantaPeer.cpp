// A second process that uses a login context made by the test process: it
// searches with the context and ends with 0 on success, or the first error
// code of the component.
#include "TelvantaTestSupport.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    CoInitialize(nullptr);
    int result = 1;
    {
        TvTestEnv env;
        ComPtr<ILDAPBean> bean;
        if (TvReadTestEnv(env) && SUCCEEDED(TvCreate(TELVANTA_PROGID_LDAPBEAN, IID_ILDAPBean, bean))) {
            CallLimit limit("peer search");
            HRESULT hr = bean->Search(Bstr(argv[2]), 2, Bstr(L"(&(objectclass=LOCALLANGUAGE)(customerid=1))"),
                                      Bstr(L"locallangname"), 0, Bstr(L""), 0, Bstr(argv[1]));
            if (SUCCEEDED(hr))
                result = TvRows(bean.Get()).size() == 3 ? 0 : 4;
            else {
                std::vector<TvItem> errors = TvErrorsOf(bean.Get());
                result = errors.empty() ? 5 : static_cast<int>(errors[0].code);
            }
        }
    }
    CoUninitialize();
    return result;
}
