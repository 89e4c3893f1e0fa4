// The main frame's list of the programs opened last: the slots kept in the
// settings file, the items at the end of the File menu and the command
// that opens a program again.
#include "UIMDIFrame.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "Program.h"
#include "PXCmdIds.h"
#include "PXMsgBox.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "UIApp.h"
#include "UIRes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
const char kRecentSection[] = "Plexwright Past Programs Opened";
const char kRecentCapacityKey[] = "Number of Past Programs Opened";
const int kDefaultRecentCapacity = 10;

UIMDIFrame::RecentOpener s_pfnRecentOpener = nullptr;

std::string SlotKey(int n)
{
    char szKey[32];
    std::snprintf(szKey, sizeof(szKey), "Last Opened %d", n);
    return szKey;
}

bool SameEntry(const char* pszA, const char* pszB)
{
    return ::lstrcmpiA(pszA, pszB) == 0;
}
}

UIMDIFrame::RecentOpener UIMDIFrame::SetRecentOpener(RecentOpener pfnOpen)
{
    RecentOpener pfnOld = s_pfnRecentOpener;
    s_pfnRecentOpener = pfnOpen;
    return pfnOld;
}

void UIMDIFrame::ReadRecentPrograms()
{
    const char* pszFile = UIApp::SettingsFile();
    char szValue[32] = "";
    ::GetPrivateProfileStringA(kRecentSection, kRecentCapacityKey, "", szValue, sizeof(szValue), pszFile);
    char* pEnd = nullptr;
    long nCapacity = std::strtol(szValue, &pEnd, 10);
    if (pEnd == szValue)
        nCapacity = kDefaultRecentCapacity;
    m_nRecentCapacity = static_cast<int>(std::max(0L, std::min<long>(nCapacity, MAX_RECENT)));
    m_nRecentCount = 0;
    for (int n = 1; n <= MAX_RECENT; ++n)
        ::GetPrivateProfileStringA(kRecentSection, SlotKey(n).c_str(), "", m_szRecent[n - 1],
                                   sizeof(m_szRecent[n - 1]), pszFile);
}

void UIMDIFrame::WriteRecentPrograms()
{
    const char* pszFile = UIApp::SettingsFile();
    char szValue[16];
    std::snprintf(szValue, sizeof(szValue), "%d", m_nRecentCapacity);
    ::WritePrivateProfileStringA(kRecentSection, kRecentCapacityKey, szValue, pszFile);
    for (int n = 1; n <= MAX_RECENT; ++n)
        ::WritePrivateProfileStringA(kRecentSection, SlotKey(n).c_str(), m_szRecent[n - 1], pszFile);
}

HMENU UIMDIFrame::GetFileMenu() const
{
    // Found by what it holds: a maximised page window puts its system menu
    // first in the bar, which moves the File menu along.
    return FindMenuHolding(CM_EXIT);
}

std::string UIMDIFrame::RecentLabel(int n) const
{
    char szFormat[32] = "";
    HINSTANCE hModule = TModule::GetExeModule().GetHandle();
    char szNumber[32] = "";
    if (n < MAX_RECENT)
    {
        ::LoadStringA(hModule, IDS_UI_RECENTLABEL, szFormat, sizeof(szFormat));
        std::snprintf(szNumber, sizeof(szNumber), szFormat, n);
    }
    else
    {
        ::LoadStringA(hModule, IDS_UI_RECENTLABEL10, szFormat, sizeof(szFormat));
        std::snprintf(szNumber, sizeof(szNumber), szFormat, 1, 0);
    }
    // The item shows the application's name: the entry up to its first '|'.
    const char* pszEntry = m_szRecent[n - 1];
    const char* pszBar = std::strchr(pszEntry, '|');
    std::string strName = pszBar ? std::string(pszEntry, pszBar) : std::string(pszEntry);
    return szNumber + strName;
}

void UIMDIFrame::AppendRecentItem(HMENU hFile, int n)
{
    if (n == 1)
    {
        // One separator before the list, however often the list emptied.
        int nItems = ::GetMenuItemCount(hFile);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        bool bSeparator = nItems > 0 && ::GetMenuItemInfoA(hFile, nItems - 1, TRUE, &info) &&
                          (info.fType & MFT_SEPARATOR);
        if (!bSeparator)
            ::AppendMenuA(hFile, MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuA(hFile, MF_STRING, CM_RECENTFIRST + n - 1, RecentLabel(n).c_str());
}

void UIMDIFrame::RelabelRecentItem(HMENU hFile, int n)
{
    UINT nId = CM_RECENTFIRST + n - 1;
    if (hFile && ::GetMenuState(hFile, nId, MF_BYCOMMAND) != static_cast<UINT>(-1))
        ::ModifyMenuA(hFile, nId, MF_BYCOMMAND | MF_STRING, nId, RecentLabel(n).c_str());
}

void UIMDIFrame::AddRecentProgram(const char* pszEntry)
{
    if (m_nRecentCapacity == 0)
        return;
    HMENU hFile = GetFileMenu();
    if (!pszEntry)
    {
        if (!hFile)
            return;
        for (int n = 1; m_nRecentCount < m_nRecentCapacity && n <= MAX_RECENT; ++n)
        {
            if (!m_szRecent[n - 1][0])
                break;
            AppendRecentItem(hFile, n);
            ++m_nRecentCount;
        }
        return;
    }
    char szEntry[RECENT_SIZE];
    std::snprintf(szEntry, sizeof(szEntry), "%s", pszEntry);
    for (int n = 1; n <= m_nRecentCount; ++n)
    {
        if (!SameEntry(m_szRecent[n - 1], szEntry))
            continue;
        if (n > 1)
            MoveRecentToTop(n);
        return;
    }
    // An older copy beyond the shown items is dropped, not pushed along:
    // the list never holds an entry twice.
    int nLast = MAX_RECENT;
    for (int n = m_nRecentCount + 1; n <= MAX_RECENT; ++n)
        if (SameEntry(m_szRecent[n - 1], szEntry))
        {
            nLast = n;
            break;
        }
    if (m_nRecentCount < m_nRecentCapacity)
    {
        ++m_nRecentCount;
        if (hFile)
            AppendRecentItem(hFile, m_nRecentCount);
    }
    for (int n = nLast; n >= 2; --n)
        std::memcpy(m_szRecent[n - 1], m_szRecent[n - 2], RECENT_SIZE);
    std::memcpy(m_szRecent[0], szEntry, RECENT_SIZE);
    for (int n = 1; n <= m_nRecentCount; ++n)
        RelabelRecentItem(hFile, n);
}

int UIMDIFrame::MoveRecentToTop(int n)
{
    if (n < 1 || n > MAX_RECENT)
        return 0;
    if (n == 1)
        return 1;
    HMENU hFile = GetFileMenu();
    char szKept[RECENT_SIZE];
    std::memcpy(szKept, m_szRecent[n - 1], RECENT_SIZE);
    for (int k = n; k >= 2; --k)
    {
        std::memcpy(m_szRecent[k - 1], m_szRecent[k - 2], RECENT_SIZE);
        RelabelRecentItem(hFile, k);
    }
    std::memcpy(m_szRecent[0], szKept, RECENT_SIZE);
    RelabelRecentItem(hFile, 1);
    return 1;
}

int UIMDIFrame::RemoveRecentProgram(const char* pszEntry)
{
    if (!pszEntry)
        return 0;
    int nFound = 0;
    for (int n = 1; n <= m_nRecentCount && !nFound; ++n)
        if (SameEntry(m_szRecent[n - 1], pszEntry))
            nFound = n;
    if (!nFound)
        return 0;
    HMENU hFile = GetFileMenu();
    for (int k = nFound; k <= m_nRecentCount; ++k)
    {
        if (k == m_nRecentCount)
        {
            m_szRecent[k - 1][0] = '\0';
            if (hFile)
                ::DeleteMenu(hFile, CM_RECENTFIRST + k - 1, MF_BYCOMMAND);
        }
        else
        {
            std::memcpy(m_szRecent[k - 1], m_szRecent[k], RECENT_SIZE);
            RelabelRecentItem(hFile, k);
        }
    }
    --m_nRecentCount;
    return 1;
}

const char* UIMDIFrame::GetRecentEntry(int n) const
{
    if (n < 1 || n > MAX_RECENT)
        return nullptr;
    return m_szRecent[n - 1];
}

void UIMDIFrame::CmOpenRecent(UINT nId)
{
    int n = static_cast<int>(nId) - CM_RECENTFIRST + 1;
    const char* pszSlot = GetRecentEntry(n);
    if (!pszSlot || !s_pfnRecentOpener)
        return;
    // The slots move while the program opens.
    std::string strEntry(pszSlot);
    if (s_pfnRecentOpener(strEntry.c_str()) != 0)
    {
        RemoveRecentProgram(strEntry.c_str());
        return;
    }
    AddRecentProgram(strEntry.c_str());
    ApplyStoredZoom();
}
