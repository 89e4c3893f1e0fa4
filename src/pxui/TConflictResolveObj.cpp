// TConflictResolveObj: the resolution of a paste's clashing names and item
// numbers.
#include "TConflictResolveObj.h"
#include "TResolveConflictDlg.h"
#include "PXWinApp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace
{
bool IsItemKind(long lKind)
{
    return lKind == KVR_CLIPINFO_VOICE || lKind == KVR_CLIPINFO_FAX;
}

long SymbolKind(const Symbol* pSymbol)
{
    const kvrItemData* pData = static_cast<const kvrItemData*>(pSymbol->Variable);
    return pData ? pData->mediaKind : KVR_CLIPINFO_VOICE;
}

// The name of the record, whose End block is never resolved.
bool IsEndBlock(const TClipInfo* pInfo)
{
    return pInfo->symbolType == KVR_SYM_POWERBLOCK && std::strcmp(pInfo->name, "End") == 0;
}
}

bool operator==(const TClipInfo& rLeft, const TClipInfo& rRight)
{
    if (std::strcmp(rLeft.name, rRight.name) != 0)
        return false;
    return rLeft.kind <= 0 || rLeft.oldNumber == rRight.oldNumber;
}

TConflictResolveObj::TConflictResolveObj(TClipInfo** ppList, int nCount)
    : m_pClipInfoArray(new std::vector<TClipInfo*>()), m_nIndex(0)
{
    PXWinApp* pApp = GetWinApp();
    const BOOL bSameApp = pApp && pApp->IsClipFromSameApp();
    for (int i = 0; ppList && i < nCount; ++i)
    {
        TClipInfo* pInfo = ppList[i];
        if (!pInfo)
            continue;
        pInfo->skip = 0;
        pInfo->replace = 0;
        if (IsItemKind(pInfo->kind) && bSameApp)
            continue;
        m_pClipInfoArray->push_back(pInfo);
    }
}

TConflictResolveObj::~TConflictResolveObj()
{
    delete m_pClipInfoArray;
}

int TConflictResolveObj::GetCount() const
{
    return static_cast<int>(m_pClipInfoArray->size());
}

TClipInfo* TConflictResolveObj::GetAt(int Index) const
{
    PXASSERT(Index>=0 && Index<GetCount());
    return (*m_pClipInfoArray)[static_cast<size_t>(Index)];
}

int TConflictResolveObj::GetConflictCount() const
{
    int nCount = 0;
    for (const TClipInfo* pInfo : *m_pClipInfoArray)
        if (!IsEndBlock(pInfo))
            ++nCount;
    return nCount;
}

int TConflictResolveObj::GetConflictNumber(int nIndex) const
{
    int nNumber = 0;
    for (int i = 0; i <= nIndex && i < GetCount(); ++i)
        if (!IsEndBlock(GetAt(i)))
            ++nNumber;
    return nNumber;
}

void TConflictResolveObj::Add(TClipInfo* pInfo)
{
    PXASSERT(pInfo!=0);
    m_pClipInfoArray->push_back(pInfo);
}

BOOL TConflictResolveObj::IsNameFree(const char* pszName, BOOL bClip) const
{
    // A block off the main page is known to the model by its page's name
    // too: the plain name on the current page counts as well.
    if (kvrFindSymbol(pszName) || kvrFindPowerBlock(pszName, 0, 0))
        return FALSE;
    for (int i = 0; i < m_nIndex && i < GetCount(); ++i)
        if (std::strcmp(GetAt(i)->newName, pszName) == 0)
            return FALSE;
    if (bClip)
        if (PXWinApp* pApp = GetWinApp())
            if (pApp->FindClipItem(-1, 0, pszName))
                return FALSE;
    return TRUE;
}

BOOL TConflictResolveObj::IsNewNameValid(const char* pszName) const
{
    if (!pszName || !*pszName || kvrIsNameInUse(pszName))
        return FALSE;
    return IsNameFree(pszName, FALSE);
}

BOOL TConflictResolveObj::IsIdFree(long lKind, long lNumber, BOOL bClip) const
{
    PXWinApp* pApp = GetWinApp();
    if (pApp && lKind == KVR_CLIPINFO_VOICE && pApp->VoiceItemIDExists(lNumber))
        return FALSE;
    if (pApp && lKind == KVR_CLIPINFO_FAX && pApp->FaxItemIDExists(lNumber))
        return FALSE;
    for (int i = 0; i < m_nIndex && i < GetCount(); ++i)
        if (GetAt(i)->newNumber == lNumber)
            return FALSE;
    if (bClip && pApp && IsItemKind(lKind) && pApp->FindClipItem(static_cast<int>(lKind), lNumber, ""))
        return FALSE;
    return TRUE;
}

BOOL TConflictResolveObj::IsIdValid(long lKind, long lNumber) const
{
    return lNumber >= 1 && lNumber <= PX_MAX_ITEM_ID && IsIdFree(lKind, lNumber, FALSE);
}

void TConflictResolveObj::MakeDefaultName(TClipInfo* pInfo) const
{
    const std::string name = pInfo->name;
    size_t nDigits = 0;
    while (nDigits < 9 && nDigits < name.size() && name[name.size() - 1 - nDigits] >= '0' &&
           name[name.size() - 1 - nDigits] <= '9')
        ++nDigits;
    unsigned long ulNumber =
        nDigits ? std::strtoul(name.substr(name.size() - nDigits).c_str(), nullptr, 10) + 1 : 1;
    std::string stem = name.substr(0, name.size() - nDigits);
    size_t nCut = nDigits;
    for (; ulNumber < 2147483647UL; ++ulNumber)
    {
        std::string candidate = stem + std::to_string(ulNumber);
        while (candidate.size() > PX_MAX_PASTE_NAME)
        {
            if (nCut >= 29 || stem.empty())
                return;
            stem.pop_back();
            ++nCut;
            candidate = stem + std::to_string(ulNumber);
        }
        if (IsNameFree(candidate.c_str(), TRUE))
        {
            lstrcpynA(pInfo->newName, candidate.c_str(), sizeof(pInfo->newName));
            return;
        }
    }
}

void TConflictResolveObj::MakeDefaultId(TClipInfo* pInfo) const
{
    for (long lNumber = 1; lNumber <= PX_MAX_ITEM_ID; ++lNumber)
        if (IsIdFree(pInfo->kind, lNumber, TRUE))
        {
            pInfo->newNumber = lNumber;
            return;
        }
}

BOOL TConflictResolveObj::IsIdenticalItem(const TClipInfo* pInfo) const
{
    for (int i = 0; i < m_nIndex && i < GetCount(); ++i)
    {
        const TClipInfo* pEarlier = GetAt(i);
        if (pEarlier->kind == pInfo->kind && pEarlier->newNumber == pInfo->oldNumber &&
            std::strcmp(pEarlier->newName, pInfo->name) == 0)
            return TRUE;
    }
    const Symbol* pSymbol = kvrFindSymbol(pInfo->name);
    return pSymbol && pSymbol->Type == KVR_SYM_ITEM && SymbolKind(pSymbol) == pInfo->kind &&
                   pSymbol->ItemNumber == pInfo->oldNumber
               ? TRUE
               : FALSE;
}

namespace
{
TWindow* MainWindowObject()
{
    HWND hMain = PXGetMainWindow();
    return hMain ? TWindow::GetWindowPtr(hMain) : nullptr;
}
}

int TConflictResolveObj::ResolveIdentical(TClipInfo* pInfo, BOOL& rAllIdentical, BOOL& rReplace)
{
    if (rReplace)
        pInfo->replace = 1;
    else
    {
        MakeDefaultName(pInfo);
        MakeDefaultId(pInfo);
    }
    if (rAllIdentical)
        return IDOK;
    TResolveConflictDlg dialog(MainWindowObject(), this, m_nIndex, pInfo, &rAllIdentical, &rReplace);
    return dialog.Execute();
}

int TConflictResolveObj::ResolveNameConflict(TClipInfo* pInfo, BOOL& rAllOthers)
{
    if (!IsNameFree(pInfo->name, FALSE))
        MakeDefaultName(pInfo);
    if (IsItemKind(pInfo->kind) && !IsIdFree(pInfo->kind, pInfo->oldNumber, FALSE))
        MakeDefaultId(pInfo);
    if (rAllOthers)
        return IDOK;
    TResolveConflictDlg dialog(MainWindowObject(), this, m_nIndex, pInfo, &rAllOthers);
    return dialog.Execute();
}

int TConflictResolveObj::ResolveAll()
{
    BOOL bAllIdentical = FALSE, bAllOthers = FALSE, bReplace = FALSE;
    for (m_nIndex = 0; m_nIndex < GetCount(); ++m_nIndex)
    {
        TClipInfo* pInfo = GetAt(m_nIndex);
        if (IsEndBlock(pInfo))
        {
            pInfo->notPasted = 1;
            continue;
        }
        int nAnswer = IsItemKind(pInfo->kind) && IsIdenticalItem(pInfo)
                          ? ResolveIdentical(pInfo, bAllIdentical, bReplace)
                          : ResolveNameConflict(pInfo, bAllOthers);
        // A dialog that could not be shown counts as cancelled: nothing is
        // pasted unresolved.
        if (nAnswer != IDOK)
            return PX_RESOLVE_CANCELLED;
    }
    return PX_RESOLVE_DONE;
}
