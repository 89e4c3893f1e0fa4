// "Telvanta.AOSClient_FileTransfer": copies between the server's storage
// folder and the client's files, media records and time stamps. A time
// stamp is the server file's last-write time.
#include "TvComponents.h"
#include "TvServer.h"
#include "TvStorage.h"
#include "TvText.h"

#include <cstdio>

namespace {

const wchar_t kAccount[] = L"rowelbisqu";
const wchar_t kCompanion[] = L"_KWTZBHoym_";

bool LocalPathOk(const std::wstring& p)
{
    return !p.empty() && p.size() < MAX_PATH && p.find_first_of(L"*?\"<>|") == std::wstring::npos;
}

bool LastWrite(const std::wstring& path, FILETIME& ft)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    ft = data.ftLastWriteTime;
    return true;
}

std::wstring StampText(const FILETIME& ft)
{
    wchar_t buf[32];
    swprintf(buf, 32, L"%08lX%08lX", static_cast<unsigned long>(ft.dwHighDateTime),
             static_cast<unsigned long>(ft.dwLowDateTime));
    return buf;
}

class FileTransfer : public TvComObject<IAOSFileTransfer> {
public:
    FileTransfer() : TvComObject(IID_IAOSFileTransfer) {}

    HRESULT STDMETHODCALLTYPE Connect(BSTR bstrCtx, BSTR bstrCode, BSTR bstrAccount, BSTR bstrCompanion,
                                      BSTR bstrServer) override
    {
        return Guard([&]() -> HRESULT {
            m_bConnected = false;
            std::wstring ctx = TvArg(bstrCtx), code = TvArg(bstrCode), server = TvArg(bstrServer);
            if (TvArg(bstrAccount) != kAccount || TvArg(bstrCompanion) != kCompanion)
                return Error(TVC_INSUFFICIENT_ACCESS, L"Unknown account");
            if (!(code.empty() && ctx.empty()) && code != L"32")
                return Error(TVC_INSUFFICIENT_ACCESS, L"Unknown application code");
            if (server.empty() || server.size() > 255 || ctx.size() > 64)
                return Error(TVC_BAD_REQUEST, L"No server named");
            ULONG rc = m_server.OpenService(server, false);
            if (rc != LDAP_SUCCESS)
                return Error(static_cast<long>(rc), L"Cannot reach the server");
            if (!ctx.empty() && m_server.CheckContext(ctx, nullptr) != 0)
                return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
            m_strCtx = ctx;
            m_bConnected = true;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE ReceiveFile(BSTR bstrCtx, BSTR bstrUser, BSTR bstrServerPath,
                                          BSTR bstrLocalPath) override
    {
        return Guard([&]() -> HRESULT {
            std::wstring full, local = TvArg(bstrLocalPath);
            HRESULT hr = Ready(bstrCtx, false);
            if (FAILED(hr))
                return hr;
            if (TvStoragePath(m_server.Config(), TvArg(bstrServerPath), full) || !LocalPathOk(local))
                return Error(TVC_BAD_REQUEST, L"Invalid path");
            DWORD err = TvCopyWhole(full, local);
            if (err)
                return Error(err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? TVC_NO_SUCH_OBJECT
                                                                                       : static_cast<long>(err),
                             L"The file could not be received");
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE SendFile(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalPath, BSTR bstrServerPath) override
    {
        return Guard([&]() -> HRESULT {
            std::wstring full, local = TvArg(bstrLocalPath);
            HRESULT hr = Ready(bstrCtx, true);
            if (FAILED(hr))
                return hr;
            if (TvStoragePath(m_server.Config(), TvArg(bstrServerPath), full) || !LocalPathOk(local))
                return Error(TVC_BAD_REQUEST, L"Invalid path");
            return Store(local, full);
        });
    }

    HRESULT STDMETHODCALLTYPE SendMediaRecord(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalPath,
                                              BSTR bstrServerFolder, long lRecord, long lKind, long) override
    {
        return Guard([&]() -> HRESULT {
            std::wstring full, local = TvArg(bstrLocalPath), folder = TvArg(bstrServerFolder);
            HRESULT hr = Ready(bstrCtx, true);
            if (FAILED(hr))
                return hr;
            if (lRecord < 1 || lRecord > 65535 || (lKind != 1 && lKind != 2))
                return Error(TVC_BAD_REQUEST, L"Invalid record");
            std::wstring name = folder + L"\\R" + TvFromInt(lRecord) + (lKind == 2 ? L".VOX" : L".FAX");
            if (folder.empty() || TvStoragePath(m_server.Config(), name, full) || !LocalPathOk(local))
                return Error(TVC_BAD_REQUEST, L"Invalid path");
            return Store(local, full);
        });
    }

    HRESULT STDMETHODCALLTYPE ReceiveTimeStamp(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalStampFile,
                                               BSTR bstrServerPath) override
    {
        return Guard([&]() -> HRESULT {
            std::wstring full, local = TvArg(bstrLocalStampFile);
            HRESULT hr = Ready(bstrCtx, false);
            if (FAILED(hr))
                return hr;
            FILETIME ft;
            if (TvStoragePath(m_server.Config(), TvArg(bstrServerPath), full) || !LocalPathOk(local))
                return Error(TVC_BAD_REQUEST, L"Invalid path");
            if (!LastWrite(full, ft))
                return Error(TVC_NO_SUCH_OBJECT, L"No such server file");
            std::wstring text = StampText(ft);
            std::string bytes(text.begin(), text.end());
            std::wstring temp = local + L".part";
            HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h == INVALID_HANDLE_VALUE)
                return Error(static_cast<long>(GetLastError()), L"The time stamp could not be written");
            DWORD written = 0;
            BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      written == bytes.size();
            CloseHandle(h);
            if (!ok || !MoveFileExW(temp.c_str(), local.c_str(), MOVEFILE_REPLACE_EXISTING)) {
                DeleteFileW(temp.c_str());
                return Error(TVC_BAD_REQUEST, L"The time stamp could not be written");
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE CompareTimeStamp(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalStampFile,
                                               BSTR bstrServerPath, long* plSame) override
    {
        return Guard([&]() -> HRESULT {
            if (!plSame)
                return E_POINTER;
            *plSame = 0;
            std::wstring full, local = TvArg(bstrLocalStampFile);
            HRESULT hr = Ready(bstrCtx, false);
            if (FAILED(hr))
                return hr;
            FILETIME ft;
            if (TvStoragePath(m_server.Config(), TvArg(bstrServerPath), full) || !LocalPathOk(local))
                return Error(TVC_BAD_REQUEST, L"Invalid path");
            if (!LastWrite(full, ft))
                return Error(TVC_NO_SUCH_OBJECT, L"No such server file");
            char buf[64] = {};
            DWORD read = 0;
            HANDLE h = CreateFileW(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                ReadFile(h, buf, sizeof(buf) - 1, &read, nullptr);
                CloseHandle(h);
            }
            std::wstring stamp = StampText(ft);
            *plSame = read == stamp.size() && std::string(buf, read) == std::string(stamp.begin(), stamp.end()) ? 1 : 0;
            return S_OK;
        });
    }

private:
    HRESULT Error(long code, const std::wstring& text)
    {
        return TvSetServiceError(code, text, IID_IAOSFileTransfer);
    }

    // Reading needs the connection; writing needs a login too.
    HRESULT Ready(BSTR bstrCtx, bool bWrite)
    {
        if (!m_bConnected)
            return Error(TVC_CONTEXT_INVALID, L"Not connected");
        std::wstring ctx = TvArg(bstrCtx);
        if (ctx != m_strCtx)
            return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
        if (!ctx.empty() && m_server.CheckContext(ctx, nullptr) != 0)
            return Error(TVC_CONTEXT_INVALID, L"Login context not valid");
        if (bWrite && ctx.empty())
            return Error(TVC_INSUFFICIENT_ACCESS, L"Login needed");
        return S_OK;
    }

    HRESULT Store(const std::wstring& local, const std::wstring& full)
    {
        if (m_server.Config().dwStorageFull)
            return Error(static_cast<long>(m_server.Config().dwStorageFull), L"Server storage full");
        if (GetFileAttributesW(local.c_str()) == INVALID_FILE_ATTRIBUTES)
            return Error(TVC_NO_SUCH_OBJECT, L"No such local file");
        if (!TvMakeFolders(full))
            return Error(TVC_DISK_FULL, L"The server folder could not be made");
        DWORD err = TvCopyWhole(local, full);
        if (err)
            return Error(err == ERROR_DISK_FULL ? TVC_DISK_FULL : static_cast<long>(err), L"The file could not be sent");
        return S_OK;
    }

    TvServer m_server;
    std::wstring m_strCtx;
    bool m_bConnected = false;
};

} // namespace

IUnknown* TvNewFileTransfer()
{
    return static_cast<IAOSFileTransfer*>(new FileTransfer());
}
