// The local program directory: its place from the registry, the listings of
// program files and block libraries, descriptions and deletion.
#include "PXafx.h"
#include "PXProgDir.h"

#include <stdlib.h>
#include <string.h>

namespace {

// One listing runs at a time; it keeps its directory so that every result
// of a listing names the same one.
enum SearchKind { SEARCH_NONE, SEARCH_APPS, SEARCH_RLLS };

HANDLE g_hSearch = INVALID_HANDLE_VALUE;
SearchKind g_searchKind = SEARCH_NONE;
char g_szSearchDir[PX_PATH_MAX];        // the program directory of the listing
WIN32_FIND_DATAA g_found;

// Copies the parts into pszOut (PX_PATH_MAX bytes) when the whole fits.
bool JoinPath(char* pszOut, const char* psz1, const char* psz2, const char* psz3 = "")
{
    size_t n1 = strlen(psz1), n2 = strlen(psz2), n3 = strlen(psz3);
    if (n1 + n2 + n3 >= PX_PATH_MAX)
        return false;
    memcpy(pszOut, psz1, n1);
    memcpy(pszOut + n1, psz2, n2);
    memcpy(pszOut + n1 + n2, psz3, n3 + 1);
    return true;
}

// Copies the whole text into a buffer of cbOut bytes, or empties the buffer
// when the text does not fit: a directory is never cut.
bool CopyWhole(char* pszOut, size_t cbOut, const char* psz)
{
    size_t n = strlen(psz);
    if (n >= cbOut)
    {
        pszOut[0] = '\0';
        return false;
    }
    memcpy(pszOut, psz, n + 1);
    return true;
}

// A directory value of the program's key: true with the value, ending in a
// backslash when not empty; false when it cannot be read or would not fit.
bool ReadDirValue(const char* pszValue, char* pszOut)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PX_REGKEY_PLEXWRIGHT, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char szRaw[PX_PATH_MAX + 1];
    DWORD cb = PX_PATH_MAX;
    DWORD dwType = 0;
    LONG lResult = RegQueryValueExA(hKey, pszValue, nullptr, &dwType, reinterpret_cast<BYTE*>(szRaw), &cb);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) || cb > PX_PATH_MAX)
        return false;
    szRaw[cb] = '\0';           // the stored value need not end with a NUL

    char szValue[PX_PATH_MAX];
    if (dwType == REG_EXPAND_SZ)
    {
        DWORD n = ExpandEnvironmentStringsA(szRaw, szValue, PX_PATH_MAX);
        if (n == 0 || n > PX_PATH_MAX)
            return false;
    }
    else
    {
        if (strlen(szRaw) >= PX_PATH_MAX)
            return false;
        strcpy(szValue, szRaw);
    }

    size_t nLen = strlen(szValue);
    if (nLen > 0 && szValue[nLen - 1] != '\\' && szValue[nLen - 1] != '/')
    {
        if (nLen + 1 >= PX_PATH_MAX)
            return false;
        szValue[nLen++] = '\\';
        szValue[nLen] = '\0';
    }
    memcpy(pszOut, szValue, nLen + 1);
    return true;
}

// A program name as the directory's files use it: no directory parts and no
// wildcards.
bool IsProgramName(const char* pszName)
{
    if (!pszName || !*pszName)
        return false;
    if (strcmp(pszName, ".") == 0 || strcmp(pszName, "..") == 0)
        return false;
    for (const char* p = pszName; *p; ++p)
    {
        if (static_cast<unsigned char>(*p) < 0x20 || strchr("\\/:*?\"<>|", *p))
            return false;
    }
    return true;
}

// Whether the file found has exactly this extension (".ed", ".rll").
bool HasExtension(const char* pszFile, const char* pszExt)
{
    const char* pDot = strrchr(pszFile, '.');
    return pDot && lstrcmpiA(pDot, pszExt) == 0;
}

bool IsFile(const WIN32_FIND_DATAA& fd)
{
    return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void EndSearch()
{
    if (g_hSearch != INVALID_HANDLE_VALUE)
        FindClose(g_hSearch);
    g_hSearch = INVALID_HANDLE_VALUE;
    g_searchKind = SEARCH_NONE;
}

// Reads the first line of a description file, at most PX_DESCR_MAX - 1
// characters; empty when it cannot be read.
void ReadDescription(const char* pszPath, char* pszDescr)
{
    pszDescr[0] = '\0';
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    char szText[PX_DESCR_MAX];
    DWORD nRead = 0;
    BOOL bRead = ReadFile(hFile, szText, PX_DESCR_MAX - 1, &nRead, nullptr);
    CloseHandle(hFile);
    if (!bRead || nRead > PX_DESCR_MAX - 1)
        return;
    DWORD n = 0;
    while (n < nRead && szText[n] != '\0' && szText[n] != '\r' && szText[n] != '\n')
        ++n;
    memcpy(pszDescr, szText, n);
    pszDescr[n] = '\0';
}

// The next program file of the listing, or false at its end.
bool NextApplication(char* pszPath, bool bFirst)
{
    for (;;)
    {
        if (!bFirst && !FindNextFileA(g_hSearch, &g_found))
            return false;
        bFirst = false;
        if (IsFile(g_found) && HasExtension(g_found.cFileName, ".ed") &&
            JoinPath(pszPath, g_szSearchDir, g_found.cFileName))
            return true;
    }
}

// The next block library of the listing, or false at its end.
bool NextRll(char* pszName, char* pszDescr, bool bFirst)
{
    for (;;)
    {
        if (!bFirst && !FindNextFileA(g_hSearch, &g_found))
            return false;
        bFirst = false;
        if (!IsFile(g_found) || !HasExtension(g_found.cFileName, ".rll"))
            continue;
        size_t nBase = strcspn(g_found.cFileName, ".");
        if (nBase == 0)
            continue;
        char szBase[PX_PATH_MAX];
        memcpy(szBase, g_found.cFileName, nBase);
        szBase[nBase] = '\0';
        char szDsc[PX_PATH_MAX];
        if (!JoinPath(szDsc, g_szSearchDir, szBase, ".dsc"))
            continue;
        strcpy(pszName, szBase);
        ReadDescription(szDsc, pszDescr);
        return true;
    }
}

// Starts a listing of the program directory's pszSub + pszPattern, with the
// program directory current.
bool StartSearch(SearchKind kind, const char* pszSub, const char* pszPattern)
{
    EndSearch();
    PXGetProgramDir(g_szSearchDir, sizeof(g_szSearchDir));
    if (!SetCurrentDirectoryA(g_szSearchDir))
        return false;
    char szPattern[PX_PATH_MAX];
    if (!JoinPath(szPattern, g_szSearchDir, pszSub, pszPattern))
        return false;
    g_hSearch = FindFirstFileA(szPattern, &g_found);
    if (g_hSearch == INVALID_HANDLE_VALUE)
        return false;
    g_searchKind = kind;
    return true;
}

// Whether a listing of this kind is running with its directory made
// current; makes the program directory current either way. A listing whose
// directory cannot be made current any more ends: the callers' relative
// names would not find its files.
bool ContinueSearch(SearchKind kind)
{
    if (g_searchKind != kind || g_hSearch == INVALID_HANDLE_VALUE)
    {
        char szDir[PX_PATH_MAX];
        PXGetProgramDir(szDir, sizeof(szDir));
        SetCurrentDirectoryA(szDir);    // best effort: the answer is "no listing" whatever it does
        return false;
    }
    return SetCurrentDirectoryA(g_szSearchDir) != FALSE;
}

// The program directory made current; false when it cannot be made
// current or a file of pszName + pszExt cannot be named in it.
bool ProgramFilePath(char* pszPath, const char* pszName, const char* pszExt)
{
    char szDir[PX_PATH_MAX];
    PXGetProgramDir(szDir, sizeof(szDir));
    if (!SetCurrentDirectoryA(szDir))
        return false;
    return IsProgramName(pszName) && JoinPath(pszPath, szDir, pszName, pszExt);
}

} // namespace

int PXGetProgramDir(char* pszDir, size_t cbDir)
{
    if (!pszDir || cbDir == 0)
        return 0;
    char szValue[PX_PATH_MAX];
    bool bRead = ReadDirValue("ProgDir", szValue) && szValue[0] != '\0';
    if (!CopyWhole(pszDir, cbDir, bRead ? szValue : PX_DEFAULT_PROGDIR))
        return 0;
    return bRead ? 1 : 0;
}

void PXGetHelpDir(char* pszDir, size_t cbDir)
{
    if (!pszDir || cbDir == 0)
        return;
    char szValue[PX_PATH_MAX];
    if (!ReadDirValue("HelpDir", szValue) || !CopyWhole(pszDir, cbDir, szValue))
        pszDir[0] = '\0';
}

int PXFindFirstApplication(char* pszPath)
{
    pszPath[0] = '\0';
    if (StartSearch(SEARCH_APPS, "", "*.ed") && NextApplication(pszPath, true))
        return 1;
    EndSearch();
    pszPath[0] = '\0';
    return 0;
}

int PXFindNextApplication(char* pszPath)
{
    pszPath[0] = '\0';
    if (ContinueSearch(SEARCH_APPS) && NextApplication(pszPath, false))
        return 1;
    EndSearch();
    pszPath[0] = '\0';
    return 0;
}

int PXApplicationDescriptionExists(const char* pszName)
{
    char szPath[PX_PATH_MAX];
    if (!ProgramFilePath(szPath, pszName, ".dsc"))
        return 0;
    DWORD dwAttr = GetFileAttributesA(szPath);
    return (dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0) ? 1 : 0;
}

int PXWriteApplicationDescription(const char* pszName, const char* pszDescr)
{
    char szPath[PX_PATH_MAX];
    if (!ProgramFilePath(szPath, pszName, ".dsc"))
        return 0;
    HANDLE hFile = CreateFileA(szPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    if (!pszDescr)
        pszDescr = "";
    DWORD nSize = static_cast<DWORD>(strlen(pszDescr)) + 1;    // with its NUL
    DWORD nWritten = 0;
    BOOL bWritten = WriteFile(hFile, pszDescr, nSize, &nWritten, nullptr);
    BOOL bClosed = CloseHandle(hFile);
    if (!bWritten || nWritten != nSize || !bClosed)
    {
        DeleteFileA(szPath);        // no half-written description stays behind
        return 0;
    }
    return 1;
}

void PXDeleteApplicationFiles(const char* pszName)
{
    if (!pszName)
        return;
    // The name part: no directory, no extension.
    const char* pStart = pszName;
    for (const char* p = pszName; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            pStart = p + 1;
    char szName[PX_PATH_MAX];
    if (strlen(pStart) >= PX_PATH_MAX)
        return;
    strcpy(szName, pStart);
    if (char* pDot = strrchr(szName, '.'))
        *pDot = '\0';
    if (!IsProgramName(szName))
        return;

    char szDir[PX_PATH_MAX];
    PXGetProgramDir(szDir, sizeof(szDir));
    char szPattern[PX_PATH_MAX];
    if (!JoinPath(szPattern, szDir, szName, ".*"))
        return;

    // Collect first, delete after, so that the search is not disturbed; a
    // file belongs to the program when its name before the last dot is the
    // program's name ("Sales.old.ed" is not one of "Sales").
    size_t nName = strlen(szName);
    char (*pFiles)[PX_PATH_MAX] = nullptr;
    size_t nFiles = 0, nRoom = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const char* pDot = strrchr(fd.cFileName, '.');
        if (!IsFile(fd) || !pDot || static_cast<size_t>(pDot - fd.cFileName) != nName ||
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, fd.cFileName, static_cast<int>(nName),
                           szName, static_cast<int>(nName)) != CSTR_EQUAL)
            continue;
        if (nFiles == nRoom)
        {
            size_t nNewRoom = nRoom ? nRoom * 2 : 8;
            void* p = realloc(pFiles, nNewRoom * sizeof(*pFiles));
            if (!p)
                break;
            pFiles = static_cast<char (*)[PX_PATH_MAX]>(p);
            nRoom = nNewRoom;
        }
        if (JoinPath(pFiles[nFiles], szDir, fd.cFileName))
            ++nFiles;
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);

    for (size_t i = 0; i < nFiles; ++i)
        DeleteFileA(pFiles[i]);
    free(pFiles);
}

int PXFindFirstRll(char* pszName, char* pszDescr)
{
    pszName[0] = '\0';
    pszDescr[0] = '\0';
    if (StartSearch(SEARCH_RLLS, "Export\\", "*.rll") && NextRll(pszName, pszDescr, true))
        return 1;
    EndSearch();
    pszName[0] = '\0';
    pszDescr[0] = '\0';
    return 0;
}

int PXFindNextRll(char* pszName, char* pszDescr)
{
    pszName[0] = '\0';
    pszDescr[0] = '\0';
    if (ContinueSearch(SEARCH_RLLS) && NextRll(pszName, pszDescr, false))
        return 1;
    EndSearch();
    pszName[0] = '\0';
    pszDescr[0] = '\0';
    return 0;
}
