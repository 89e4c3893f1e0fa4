// Paths and whole-file copies inside the server's storage folder.
#include "TvStorage.h"
#include "TvText.h"

#include <cwctype>

std::wstring TvAppFolder(long cust, long app)
{
    return L"apps\\" + TvFromInt(cust) + L"\\" + TvFromInt(app);
}

long TvStoragePath(const TvConfig& config, const std::wstring& serverPath, std::wstring& full)
{
    if (config.strStorageRoot.empty())
        return TVC_BAD_REQUEST;
    std::wstring p = serverPath;
    for (wchar_t& c : p)
        if (c == L'/')
            c = L'\\';
    // Doubled separators are one.
    for (size_t i; (i = p.find(L"\\\\")) != std::wstring::npos;)
        p.erase(i, 1);
    // A path on one of the server's drives lies in the storage folder of
    // that drive's letter: d:\zantrel\x is <root>d\zantrel\x.
    if (p.size() > 3 && p[1] == L':' && p[2] == L'\\' && iswalpha(p[0]) && p[0] < 128)
        p = std::wstring(1, static_cast<wchar_t>(towlower(p[0]))) + p.substr(2);
    if (p.empty() || p.size() > 200 || p[0] == L'\\' || p.find(L':') != std::wstring::npos)
        return TVC_BAD_REQUEST;
    for (const std::wstring& part : TvSplit(p, L"\\")) {
        if (part.empty() || part == L"." || part == L".." || part.find_first_of(L"*?\"<>|") != std::wstring::npos)
            return TVC_BAD_REQUEST;
        for (wchar_t c : part)
            if (c < 32)
                return TVC_BAD_REQUEST;
    }
    full = config.strStorageRoot + p;
    return full.size() < MAX_PATH ? 0L : static_cast<long>(TVC_BAD_REQUEST);
}

bool TvMakeFolders(const std::wstring& fullFilePath)
{
    size_t pos = fullFilePath.find(L'\\', 3);
    while (pos != std::wstring::npos) {
        std::wstring folder = fullFilePath.substr(0, pos);
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        pos = fullFilePath.find(L'\\', pos + 1);
    }
    return true;
}

DWORD TvCopyWhole(const std::wstring& from, const std::wstring& to)
{
    if (GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    std::wstring temp = to + L".part";
    if (!CopyFileW(from.c_str(), temp.c_str(), FALSE)) {
        DWORD err = GetLastError();
        DeleteFileW(temp.c_str());
        return err;
    }
    if (!MoveFileExW(temp.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DWORD err = GetLastError();
        DeleteFileW(temp.c_str());
        return err;
    }
    return 0;
}

void TvRemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                TvRemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}

long TvCopyMediaFile(const TvConfig& config, const std::wstring& source, const std::wstring& target)
{
    std::wstring from, to;
    if (source.find(L'\\') != std::wstring::npos || target.find(L'\\') != std::wstring::npos ||
        TvStoragePath(config, L"media\\" + source, from) || TvStoragePath(config, L"media\\" + target, to))
        return TVC_BAD_REQUEST;
    if (config.dwStorageFull)
        return static_cast<long>(config.dwStorageFull);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return TVC_NO_SUCH_OBJECT;
    long code = 0;
    if (!TvMakeFolders(to + L"\\x"))
        code = TVC_DISK_FULL;
    do {
        if (code || (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (TvCopyWhole(from + L"\\" + fd.cFileName, to + L"\\" + fd.cFileName))
            code = TVC_DISK_FULL;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return code;
}
