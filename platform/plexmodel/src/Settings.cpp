// The model's start-up state: the offer of obsolete data types, the
// user-defined settings read from the settings file, and the server
// version the block definitions follow.
#include "plexmodel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char s_szDefaultFile[] = "KALVERODIN.INI";
const char s_szSection[] = "User Defined Multimedia Sentence Types";

bool s_bBackTypes = false;
std::vector<kvrUserDefType> s_userTypes;
char s_szVersion[KVR_MAX_VERSION + 1] = "";

// A key's text; false when it is longer than the longest value taken.
bool ReadText(const char* pszFile, const char* pszKey, std::string& rText)
{
    char sz[256] = "";
    DWORD n = GetPrivateProfileStringA(s_szSection, pszKey, "", sz, sizeof(sz), pszFile);
    if (n >= sizeof(sz) - 1)
        return false;
    rText.assign(sz, n);
    return true;
}

// Decimal digits only, possibly between blanks, at most nMax; with bHold
// a larger number is taken as nMax.
bool ParseNumber(const std::string& text, long nMax, long& rValue, bool bHold = false)
{
    size_t i = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (i == std::string::npos)
        return false;
    long n = 0;
    for (; i <= end; ++i)
    {
        char c = text[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > nMax)
        {
            if (!bHold)
                return false;
            n = nMax;
        }
    }
    rValue = n;
    return true;
}

bool IsUsableText(const std::string& text)
{
    return !text.empty() && text.size() < KVR_USERDEF_TEXT;
}

bool IsVersionText(const char* psz)
{
    if (!psz || *psz < '0' || *psz > '9')
        return false;
    size_t n = 0;
    for (; psz[n]; ++n)
    {
        if (n >= KVR_MAX_VERSION)
            return false;
        char c = psz[n];
        bool bTaken = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '.' || c == ' ';
        if (!bTaken)
            return false;
    }
    return true;
}

} // namespace

extern "C" {

int kvrToggleBackTypes(void)
{
    s_bBackTypes = !s_bBackTypes;
    return s_bBackTypes ? 1 : 0;
}

int kvrGetBackTypes(void)
{
    return s_bBackTypes ? 1 : 0;
}

int kvrLoadUserDefINI(const char* pszFile)
{
    try
    {
        s_userTypes.clear();
        const char* pszName = (pszFile && *pszFile) ? pszFile : s_szDefaultFile;
        std::string text;
        long nCount = 0;
        if (!ReadText(pszName, "Number of User Defined Types", text) ||
            !ParseNumber(text, KVR_MAX_USERDEF_TYPES, nCount, true))
            nCount = 0;
        for (long i = 1; i <= nCount; ++i)
        {
            char szKey[64];
            std::string media, name, table;
            std::snprintf(szKey, sizeof(szKey), "User Defined Media %ld", i);
            bool bRead = ReadText(pszName, szKey, media);
            std::snprintf(szKey, sizeof(szKey), "User Defined Name %ld", i);
            bRead = ReadText(pszName, szKey, name) && bRead;
            std::snprintf(szKey, sizeof(szKey), "User Defined Language Table %ld", i);
            bRead = ReadText(pszName, szKey, table) && bRead;
            long nTable = 0;
            if (!bRead || !IsUsableText(media) || !IsUsableText(name) ||
                !ParseNumber(table, KVR_MAX_LANGUAGE_TABLE, nTable))
                continue;
            kvrUserDefType type = {};
            std::memcpy(type.media, media.c_str(), media.size() + 1);
            std::memcpy(type.name, name.c_str(), name.size() + 1);
            type.languageTable = static_cast<int>(nTable);
            s_userTypes.push_back(type);
        }
        return static_cast<int>(s_userTypes.size());
    }
    catch (...)
    {
        s_userTypes.clear();
        return 0;
    }
}

int kvrFreeUserDefINI(void)
{
    std::vector<kvrUserDefType>().swap(s_userTypes);
    return KVR_OK;
}

int kvrGetNumUserDefTypes(void)
{
    return static_cast<int>(s_userTypes.size());
}

int kvrGetUserDefType(int nIndex, kvrUserDefType* pType)
{
    if (!pType || nIndex < 0 || nIndex >= static_cast<int>(s_userTypes.size()))
        return KVR_ERR_ARGUMENT;
    *pType = s_userTypes[static_cast<size_t>(nIndex)];
    return KVR_OK;
}

int kvrUpdatePowerblockDefinitions(const char* pszVersion)
{
    if (!IsVersionText(pszVersion))
        return KVR_ERR_ARGUMENT;
    std::strcpy(s_szVersion, pszVersion);
    return KVR_OK;
}

const char* kvrGetPowerblockDefinitionsVersion(void)
{
    return s_szVersion;
}

} // extern "C"
