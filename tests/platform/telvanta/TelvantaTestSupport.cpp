// Support of the COM-driven tests of the Telvanta components.
#include "TelvantaTestSupport.h"

#include <cstdio>
#include <cstdlib>

namespace {

void CALLBACK OnLimit(PVOID param, BOOLEAN)
{
    fprintf(stderr, "call did not finish in time: %s\n", static_cast<const char*>(param));
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

std::wstring Env(const wchar_t* name)
{
    const wchar_t* v = _wgetenv(name);
    return v ? v : L"";
}

void SetString(HKEY hKey, const wchar_t* name, const std::wstring& value)
{
    RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY hKey, const wchar_t* name, DWORD value)
{
    RegSetValueExW(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

} // namespace

CallLimit::CallLimit(const char* what, DWORD ms) : m_pszWhat(what)
{
    CreateTimerQueueTimer(&m_hTimer, nullptr, OnLimit, const_cast<char*>(what), ms, 0, WT_EXECUTEONLYONCE);
}

CallLimit::~CallLimit()
{
    if (m_hTimer)
        DeleteTimerQueueTimer(nullptr, m_hTimer, INVALID_HANDLE_VALUE);
}

DWORD TvRegisterComponents()
{
    wchar_t self[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring dll = self;
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"telvanta.dll";
    std::wstring exe = std::wstring(system) + L"\\regsvr32.exe";
    return TvRunProcess(exe, L"\"" + exe + L"\" /s \"" + dll + L"\"");
}

DWORD TvRunProcess(const std::wstring& exe, std::wstring cmd)
{
    STARTUPINFOW si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 1000;
    DWORD code = 1001;
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1002);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool TvReadTestEnv(TvTestEnv& env)
{
    env.port = Env(L"PLEX_DIRECTORY_PORT");
    env.suffix = Env(L"PLEX_DIRECTORY_SUFFIX");
    env.servicePassword = Env(L"PLEX_DIRECTORY_SERVICE_PASSWORD");
    env.storageRoot = Env(L"PLEX_STORAGE_ROOT");
    return !env.port.empty() && !env.suffix.empty() && !env.servicePassword.empty() && !env.storageRoot.empty();
}

void TvWriteConfig(const TvTestEnv& env, DWORD storageFull, DWORD maxApplications)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Zantrel\\Telvanta\\Server", 0, nullptr,
                                             0, KEY_SET_VALUE, nullptr, &hKey, nullptr));
    SetString(hKey, L"DirectoryHost", L"127.0.0.1");
    SetDword(hKey, L"DirectoryPort", static_cast<DWORD>(_wtoi(env.port.c_str())));
    SetString(hKey, L"Suffix", env.suffix);
    SetString(hKey, L"ServicePassword", env.servicePassword);
    SetString(hKey, L"StorageRoot", env.storageRoot);
    SetDword(hKey, L"StorageFull", storageFull);
    SetDword(hKey, L"MaxApplications", maxApplications);
    SetDword(hKey, L"TimeoutSeconds", 10);
    SetDword(hKey, L"ContextSeconds", 8 * 3600);
    SetDword(hKey, L"DirectorySslPort", 636);
    RegCloseKey(hKey);
}

void TvSetConfigNumber(const wchar_t* name, DWORD value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Zantrel\\Telvanta\\Server", 0,
                                           KEY_SET_VALUE, &hKey));
    SetDword(hKey, name, value);
    RegCloseKey(hKey);
}

std::vector<TvItem> TvErrorsOf(ILDAPBean* bean)
{
    std::vector<TvItem> items;
    ComPtr<ILDAPErrors> errors;
    if (FAILED(bean->GetErrors(errors.Out())) || !errors.Get())
        return items;
    long count = 0;
    if (FAILED(errors->get_Count(&count)))
        return items;
    for (long i = 0; i < count; ++i) {
        ComPtr<ILDAPError> item;
        if (FAILED(errors->get_Item(i, item.Out())))
            break;
        TvItem it;
        Bstr a, t1, t2;
        item->get_Code(&it.code);
        item->get_Level(&it.level);
        item->get_Attribute(a.Out());
        item->get_Text1(t1.Out());
        item->get_Text2(t2.Out());
        it.attribute = a.Text();
        it.text1 = t1.Text();
        it.text2 = t2.Text();
        items.push_back(it);
    }
    return items;
}

bool TvHasCode(const std::vector<TvItem>& items, long code)
{
    for (const TvItem& it : items)
        if (it.code == code)
            return true;
    return false;
}

std::wstring TvValueOf(const std::vector<TvItem>& items, const wchar_t* attribute)
{
    for (const TvItem& it : items)
        if (it.attribute == attribute)
            return it.text1;
    return L"<none>";
}

std::wstring TvServiceError()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return L"";
    Bstr description;
    info->GetDescription(description.Out());
    info->Release();
    return description.Text();
}

std::vector<std::wstring> TvRows(ILDAPBean* bean)
{
    std::vector<std::wstring> rows;
    for (;;) {
        Bstr row;
        CallLimit limit("NextRow");
        if (FAILED(bean->NextRow(row.Out())) || row.IsNull())
            return rows;
        rows.push_back(row.Text());
    }
}

std::vector<std::wstring> TvSplitText(const std::wstring& s, const std::wstring& sep)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        if (p == std::wstring::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, p - start));
        start = p + sep.size();
    }
}
