// Palette icons and their lists; default block names.
#include "Icons.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "BitmapObject.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace
{
Icons* s_pCurrentIcons = nullptr;
Icons* s_pObsoleteIcons = nullptr;

const int MAX_DEFAULT_NAME = 15;
}

Icon::Icon(const char* pszName, const void* pSecond, const char* pszBitmapName)
    : m_pszName(pszName), m_pSecond(pSecond), m_pszBitmapName(pszBitmapName), m_pBitmap(nullptr)
{
}

BitmapObject* Icon::GetBitmap()
{
    if (!m_pBitmap && g_pBitmaps && m_pszBitmapName && *m_pszBitmapName)
        m_pBitmap = BitmapObject::Get(*g_pBitmaps, m_pszBitmapName);
    return m_pBitmap;
}

PowerBlockIcon::PowerBlockIcon(PowerBlockInfo* pInfo)
    : Icon(pInfo->name, pInfo->description, pInfo->bitmapName), m_pInfo(pInfo)
{
}

const char* PowerBlockIcon::NameWord(int nType)
{
    static const struct
    {
        int nType;
        const char* pszWord;
    } s_Words[] = {
        {393, "Announcement"}, {394, "Call_Transfer"}, {395, "Day_Control"},
        {397, "Expr_Vce_Msg"}, {398, "Fax_Send"}, {399, "FIM"},
        {402, "Menu"}, {403, "Lang_Select"}, {404, "MultimediaMsg"},
        {405, "Thru_Dial"}, {406, "Time_Control"}, {407, "VIM"},
        {410, "Date_Control"}, {411, "Pwd_Check"}, {412, "Expr_Fax_Msg"},
        {413, "Fax_Select"}, {414, "SA_Msg"}, {415, "Custom_Cmds"},
        {409, "ImportedPB"},
    };
    for (const auto& row : s_Words)
        if (row.nType == nType)
            return row.pszWord;
    return "Block";
}

bool PowerBlockIcon::MakeUniqueName(char* pszBuffer, int nSize, int nMaxNumber) const
{
    PXASSERT(pszBuffer != 0 && nSize > MAX_DEFAULT_NAME);
    pszBuffer[0] = '\0';
    const char* pszWord = NameWord(m_pInfo->type);
    int nWordLen = static_cast<int>(std::strlen(pszWord));
    for (int n = 1; n <= nMaxNumber; ++n)
    {
        char szDigits[12];
        int nDigits = std::snprintf(szDigits, sizeof(szDigits), "%d", n);
        int nKeep = nWordLen + nDigits > MAX_DEFAULT_NAME ? MAX_DEFAULT_NAME - nDigits : nWordLen;
        char szCandidate[MAX_DEFAULT_NAME + 1];
        std::snprintf(szCandidate, sizeof(szCandidate), "%.*s%s", nKeep, pszWord, szDigits);
        if (kvrFindPowerBlock(szCandidate, 0, 0) == nullptr && !kvrIsNameInUse(szCandidate))
        {
            lstrcpynA(pszBuffer, szCandidate, nSize);
            return true;
        }
    }
    return false;
}

GroupIcon::GroupIcon(IconGroupEntry* pEntry)
    : Icon(pEntry->name, pEntry->description, pEntry->bitmapName), m_pEntry(pEntry), m_bFixed(false)
{
    int nCount = 0;
    while (pEntry->blocks[nCount].name != nullptr)
        ++nCount;
    // Made from the last to the first, each put at the head: the list ends
    // in table order.
    for (int i = nCount - 1; i >= 0; --i)
    {
        PowerBlockIcon* pIcon = new (std::nothrow) PowerBlockIcon(&pEntry->blocks[i]);
        if (!pIcon)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMICON);
            return;
        }
        m_Icons.add(*pIcon);
    }
}

GroupIcon::GroupIcon(const char* pszName, const char* pszTip, const char* pszBitmapName)
    : Icon(pszName, pszTip, pszBitmapName), m_pEntry(nullptr), m_bFixed(true)
{
}

bool GroupIcon::IsShownInPalette() const
{
    return m_pEntry ? m_pEntry->hidden == 0 : true;
}

PowerBlockIcon* GroupIcon::FindByType(int nType) const
{
    ListIterator it(m_Icons);
    while (it)
    {
        PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(it++);
        if (icon.GetInfo()->type == nType)
            return &icon;
    }
    return nullptr;
}

PowerBlockIcon* GroupIcon::FindByName(const char* pszName) const
{
    ListIterator it(m_Icons);
    while (it)
    {
        PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(it++);
        const char* pszIconName = icon.GetInfo()->name;
        if (pszIconName && pszName && std::strcmp(pszIconName, pszName) == 0)
            return &icon;
    }
    return nullptr;
}

Icons::Icons(IconInfoTable* pTable) : m_pTable(pTable)
{
    if (!pTable)
        return;
    for (int i = 0; i < KVR_MAX_ICON_GROUPS && pTable->groups[i]; ++i)
    {
        GroupIcon* pGroup = new (std::nothrow) GroupIcon(pTable->groups[i]);
        if (!pGroup)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMGROUPICON);
            return;
        }
        m_Groups.addAtTail(*pGroup);
    }
}

Icons::~Icons()
{
    if (s_pCurrentIcons == this)
        s_pCurrentIcons = nullptr;
    if (s_pObsoleteIcons == this)
        s_pObsoleteIcons = nullptr;
    m_Groups.flush(TShouldDelete::Delete);
}

PowerBlockIcon* Icons::FindByType(int nType) const
{
    ListIterator it(m_Groups);
    while (it)
    {
        GroupIcon& group = static_cast<GroupIcon&>(it++);
        if (PowerBlockIcon* pIcon = group.FindByType(nType))
            return pIcon;
    }
    return nullptr;
}

Icons* Icons::GetCurrent()
{
    return s_pCurrentIcons;
}

void Icons::SetCurrent(Icons* pIcons)
{
    s_pCurrentIcons = pIcons;
}

Icons* Icons::GetObsolete()
{
    return s_pObsoleteIcons;
}

void Icons::SetObsolete(Icons* pIcons)
{
    s_pObsoleteIcons = pIcons;
}
