// The Find dialog's search state and its name pattern rule.
#include "TPBSearchInfo.h"

#include "plexmodel.h"

#include <cstring>

namespace {

char Fold(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool EqualFolded(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

} // namespace

TPBSearchInfo::TPBSearchInfo()
    : m_nPBType(-1), m_Pattern("*"), m_nMode(PX_FIND_ALL), m_nScope(0), m_nPageCount(0),
      m_nHistoryCount(0), m_nPBCount(0)
{
    std::memset(m_PageNames, 0, sizeof(m_PageNames));
    m_szVariable[0] = '\0';
    m_szSentence[0] = '\0';
    std::strcpy(m_szScopePage, "Main");
    m_szCalledSB[0] = '\0';
}

TPBSearchInfo& GetPBSearchInfo()
{
    static TPBSearchInfo s_Info;
    return s_Info;
}

bool TPBSearchInfo::AddToHistory(const char* pszText)
{
    if (!pszText)
        return false;
    for (int i = 0; i < m_nHistoryCount; ++i)
        if (m_History[i].Compare(pszText) == 0)
            return false;
    for (int i = PX_FIND_HISTORY - 1; i > 0; --i)
        m_History[i] = m_History[i - 1];
    m_History[0] = pszText;
    if (m_nHistoryCount < PX_FIND_HISTORY)
        ++m_nHistoryCount;
    return true;
}

bool TPBSearchInfo::MatchPattern(const char* pszName) const
{
    return MatchPattern(m_Pattern, pszName);
}

// Letters compare without regard to case. Only the part of a name after
// its first "$" is matched. The pattern's part before its first "*" must
// begin the name; after that "*", a rest ending in "*" must occur in the
// name after the beginning, and any other rest must end the name there.
// Further "*" in the rest are plain characters.
bool TPBSearchInfo::MatchPattern(const char* pszPattern, const char* pszName)
{
    if (!pszPattern || !pszName)
        return false;
    if (const char* pDollar = std::strchr(pszName, '$'))
        pszName = pDollar + 1;
    size_t nName = std::strlen(pszName);
    const char* pStar = std::strchr(pszPattern, '*');
    size_t nLead = pStar ? static_cast<size_t>(pStar - pszPattern) : std::strlen(pszPattern);
    if (nLead > nName || !EqualFolded(pszPattern, pszName, nLead))
        return false;
    if (!pStar)
        return nName == nLead;
    const char* pszRest = pStar + 1;
    size_t nRest = std::strlen(pszRest);
    if (nRest == 0)
        return true;
    if (pszRest[nRest - 1] == '*')
    {
        size_t nSub = nRest - 1;
        for (size_t i = nLead; i + nSub <= nName; ++i)
            if (EqualFolded(pszRest, pszName + i, nSub))
                return true;
        return false;
    }
    return nName - nLead >= nRest && EqualFolded(pszRest, pszName + nName - nRest, nRest);
}

int TPBSearchInfo::PowerBlockTypeIndex(const char* pszName)
{
    if (!pszName)
        return -1;
    int nMax = kvrMaxPowerBlockType();
    for (int i = 0; i < nMax; ++i)
    {
        const char* pszType = kvrGetPowerBlockName(i);
        if (pszType && std::strcmp(pszType, pszName) == 0)
            return i;
    }
    return -1;
}
