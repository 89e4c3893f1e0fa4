// Support of the tests that drive the Telvanta components through COM, as
// their clients do: the server's configuration for the test directory,
// creation by ProgID, BSTR handling, a time limit on every call, and the
// error collection read back.
#pragma once

#include "Telvanta.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// A BSTR that frees itself.
class Bstr {
public:
    Bstr() = default;
    Bstr(const std::wstring& s) : m_b(SysAllocStringLen(s.c_str(), static_cast<UINT>(s.size()))) {}
    Bstr(const wchar_t* s) : m_b(s ? SysAllocString(s) : nullptr) {}
    ~Bstr() { SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_b; }
    BSTR* Out()
    {
        SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    std::wstring Text() const { return m_b ? std::wstring(m_b, SysStringLen(m_b)) : std::wstring(); }
    bool IsNull() const { return m_b == nullptr; }

private:
    BSTR m_b = nullptr;
};

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Out()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// Ends the test process when one call takes longer than its limit: a
// directory call that hangs must fail the test, not stall the run.
class CallLimit {
public:
    explicit CallLimit(const char* what, DWORD ms = 30000);
    ~CallLimit();

private:
    HANDLE m_hTimer = nullptr;
    const char* m_pszWhat;
};

struct TvItem {
    long code = 0, level = 0;
    std::wstring attribute, text1, text2;
};

struct TvTestEnv {
    std::wstring port, suffix, servicePassword, storageRoot, storageFolder;
};

// Registers telvanta.dll (beside the test program) with regsvr32, as an
// installation does; regsvr32's exit code, or a code above 1000 when it could
// not be run or did not end in time.
DWORD TvRegisterComponents();
// Runs the program with the command line and waits for it (60 s at most):
// its exit code, 1000 when it could not start, 1002 when it was stopped.
DWORD TvRunProcess(const std::wstring& exe, std::wstring cmd);

// The test directory's settings from the environment scripts/test sets.
bool TvReadTestEnv(TvTestEnv& env);
// Writes the server configuration for the test directory; storageFull is a
// forced storage-full code or 0.
void TvWriteConfig(const TvTestEnv& env, DWORD storageFull = 0, DWORD maxApplications = 0);
// Sets one number of the server configuration.
void TvSetConfigNumber(const wchar_t* name, DWORD value);

template <class T>
HRESULT TvCreate(const wchar_t* progId, REFIID iid, ComPtr<T>& out)
{
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(out.Out()));
}

std::vector<TvItem> TvErrorsOf(ILDAPBean* bean);
bool TvHasCode(const std::vector<TvItem>& items, long code);
std::wstring TvValueOf(const std::vector<TvItem>& items, const wchar_t* attribute);
// The thread's error description after a failed admin-service call.
std::wstring TvServiceError();
std::vector<std::wstring> TvRows(ILDAPBean* bean);
std::vector<std::wstring> TvSplitText(const std::wstring& s, const std::wstring& sep);
