// The DLL's COM entry points: class factory, self-registration of the four
// components (apartment model, by ProgID and class id), and unloading.
#include "LDAPBean.h"
#include "TvComponents.h"

#include <olectl.h>
#include <shlwapi.h>

namespace {

HMODULE g_hModule;
LONG g_nObjects;
LONG g_nLocks;

struct ClassInfo {
    const CLSID* pClsid;
    const wchar_t* pszProgId;
    const wchar_t* pszName;
    IUnknown* (*pfnMake)();
};

const ClassInfo kClasses[] = {
    { &CLSID_TelvantaLDAPBean, TELVANTA_PROGID_LDAPBEAN, L"Telvanta directory component", TvNewLDAPBean },
    { &CLSID_TelvantaConfigWizard, TELVANTA_PROGID_CONFIGWIZARD, L"Telvanta admin service", TvNewConfigWizard },
    { &CLSID_TelvantaFileTransfer, TELVANTA_PROGID_FILETRANSFER, L"Telvanta file transfer", TvNewFileTransfer },
    { &CLSID_TelvantaPwdEncoder, TELVANTA_PROGID_PWDENCODER, L"Telvanta password encoder", TvNewPwdEncoder },
};

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ClassInfo& info) : m_info(info) { TvModuleAddRef(); }
    virtual ~ClassFactory() { TvModuleRelease(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        IUnknown* p = nullptr;
        try {
            p = m_info.pfnMake();
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        HRESULT hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        if (fLock)
            InterlockedIncrement(&g_nLocks);
        else
            InterlockedDecrement(&g_nLocks);
        return S_OK;
    }

private:
    const ClassInfo& m_info;
    LONG m_nRefs = 1;
};

std::wstring GuidText(const GUID& g)
{
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return buf;
}

bool SetKey(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

} // namespace

void TvModuleAddRef()
{
    InterlockedIncrement(&g_nObjects);
}

void TvModuleRelease()
{
    InterlockedDecrement(&g_nObjects);
}

HRESULT TvOutText(const std::wstring& s, BSTR* pOut)
{
    if (!pOut)
        return E_POINTER;
    *pOut = SysAllocStringLen(s.c_str(), static_cast<UINT>(s.size()));
    return *pOut ? S_OK : E_OUTOFMEMORY;
}

HRESULT TvSetServiceError(long lCode, const std::wstring& strText, REFIID riid)
{
    ICreateErrorInfo* pCreate = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&pCreate))) {
        std::wstring description = std::to_wstring(lCode) + L"#" + strText;
        pCreate->SetGUID(riid);
        pCreate->SetSource(const_cast<LPOLESTR>(L"Telvanta"));
        pCreate->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* pInfo = nullptr;
        if (SUCCEEDED(pCreate->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&pInfo)))) {
            SetErrorInfo(0, pInfo);
            pInfo->Release();
        }
        pCreate->Release();
    }
    return E_FAIL;
}

IUnknown* TvNewLDAPBean()
{
    return static_cast<ILDAPBean*>(new LDAPBean());
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (const ClassInfo& info : kClasses) {
        if (!IsEqualCLSID(rclsid, *info.pClsid))
            continue;
        ClassFactory* pFactory = new (std::nothrow) ClassFactory(info);
        if (!pFactory)
            return E_OUTOFMEMORY;
        HRESULT hr = pFactory->QueryInterface(riid, ppv);
        pFactory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_nObjects == 0 && g_nLocks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(g_hModule, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return SELFREG_E_CLASS;
    for (const ClassInfo& info : kClasses) {
        std::wstring clsid = GuidText(*info.pClsid);
        std::wstring key = L"CLSID\\" + clsid;
        if (!SetKey(key, nullptr, info.pszName) || !SetKey(key + L"\\InprocServer32", nullptr, path) ||
            !SetKey(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            !SetKey(key + L"\\ProgID", nullptr, info.pszProgId) || !SetKey(info.pszProgId, nullptr, info.pszName) ||
            !SetKey(std::wstring(info.pszProgId) + L"\\CLSID", nullptr, clsid))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    for (const ClassInfo& info : kClasses) {
        SHDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(*info.pClsid)).c_str());
        SHDeleteKeyW(HKEY_CLASSES_ROOT, info.pszProgId);
    }
    return S_OK;
}
