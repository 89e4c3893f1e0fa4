// Program: registration, pages, the modified flag, lookups.
#include "Program.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Icons.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "ModelObserver.h"

#include <algorithm>
#include <memory>
#include <cstring>
#include <new>
#include <vector>

Program::Program(const char* pszName, int bClipboard)
    : m_strName(pszName ? pszName : "")
{
    Init();
    m_hModel = kvrAddProgram(PXGetMainWindow(), bClipboard);
    if (!m_hModel)
        ModelReportText(IDS_MODEL_NOPROGRAM, m_strName, __FILE__, __LINE__);
}

Program::Program()
{
    Init();
}

void Program::Init()
{
    m_nOpenWindows = 0;
    m_bModified = 0;
    m_nIDCounter = 0;
    m_hModel = nullptr;
    m_pCustomGroup = nullptr;
    m_pSuperGroups[0] = m_pSuperGroups[1] = nullptr;
    m_nZoom = 100;
    std::memset(m_FileInfo, 0, sizeof(m_FileInfo));
}

Program::~Program()
{
    m_nID = -1;
    m_Pages.flush(TShouldDelete::Delete);
    if (m_hModel)
        kvrRemoveProgram(m_hModel);
    delete m_pCustomGroup;
    delete m_pSuperGroups[0];
    delete m_pSuperGroups[1];
    m_LibraryGroups.flush(TShouldDelete::Delete);
    for (LibraryInfo* pRecord : m_LibraryRecords)
        delete pRecord;
}

void Program::SetModified()
{
    m_bModified = 1;
    ModelObserver& windows = GetModelObserver();
    windows.RefreshCaptions();
    windows.RefreshCommandStates();
}

void Program::ClearModified()
{
    m_bModified = 0;
    ModelObserver& windows = GetModelObserver();
    windows.RefreshCaptions();
    windows.RefreshCommandStates();
}

void Program::Activate()
{
    if (m_hModel)
        kvrActivateProgram(m_hModel);
}

int Program::AllPagesFinished(int nMode)
{
    ListIterator it(m_Pages);
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        bool bMain = page.GetKind() == PX_PAGE_MAIN;
        switch (nMode)
        {
        case 0:
            if (!page.AllBlocksFinished())
                return 0;
            break;
        case 1:
            if (!bMain && !page.AllBlocksFinished())
                return 0;
            break;
        default:
            if (!bMain)
                return 0;
            break;
        }
    }
    return 1;
}

Page* Program::FindPage(const char* pszName) const
{
    ListIterator it(m_Pages);
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (std::strcmp(page.GetName(), pszName ? pszName : "") == 0)
            return &page;
    }
    return nullptr;
}

Page* Program::GetMainPage() const
{
    ListIterator it(m_Pages);
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (page.GetKind() == PX_PAGE_MAIN)
            return &page;
    }
    return nullptr;
}

PowerBlock* Program::FindBlockByHandle(kvrHandleType* hBlock) const
{
    ListIterator it(m_Pages);
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (PowerBlock* pBlock = page.FindBlockByHandle(hBlock))
            return pBlock;
    }
    return nullptr;
}

GroupIcon* Program::FindLibraryGroup(const char* pszName) const
{
    ListIterator it(m_LibraryGroups);
    while (it)
    {
        GroupIcon& group = static_cast<GroupIcon&>(it++);
        if (!group.HasRecord())
            break;
        if (std::strcmp(group.GetName(), pszName ? pszName : "") == 0)
            return &group;
    }
    return nullptr;
}

void Program::AddPage(Page* pPage)
{
    PXASSERT(pPage != 0);
    pPage->SetOwner(this);
    m_Pages.add(*pPage);
    SetModified();
}

void Program::RemovePage(Page* pPage)
{
    PXASSERT(pPage != 0);
    m_Pages.detach(*pPage, TShouldDelete::Delete);
    SetModified();
}

void Program::ForEachPage(PageFunc pfn, void* pData)
{
    ListIterator it(m_Pages);
    while (it)
        pfn(&static_cast<Page&>(it++), pData);
}

void Program::RefreshBlocksOfType(int nType)
{
    ListIterator it(m_Pages);
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (page.PeekID() != -1)
            page.RefreshBlocksOfType(nType);
    }
}

// ---- Library groups ------------------------------------------------------

namespace
{
char s_szLibraryGroup[] = "Imported Applications";
char s_szLibraryBitmap[] = "RLL";
}

PowerBlockInfo* Program::LibraryRecord(const char* pszLibrary)
{
    for (LibraryInfo* pRecord : m_LibraryRecords)
        if (std::strcmp(pRecord->szName, pszLibrary) == 0)
            return &pRecord->info;
    Icons* pIcons = Icons::GetCurrent();
    PowerBlockIcon* pTemplate = pIcons ? pIcons->FindByType(KVR_PB_IMPORTED) : nullptr;
    if (!pTemplate)
        return nullptr;
    LibraryInfo* pRecord = new (std::nothrow) LibraryInfo;
    if (!pRecord)
        return nullptr;
    std::memcpy(&pRecord->info, pTemplate->GetInfo(), sizeof(PowerBlockInfo));
    lstrcpynA(pRecord->szName, pszLibrary, sizeof(pRecord->szName));
    pRecord->info.name = pRecord->szName;
    m_LibraryRecords.push_back(pRecord);
    return &pRecord->info;
}

int Program::FillLibraryGroup(GroupIcon& group)
{
    group.GetIcons().flush(TShouldDelete::Delete);
    int nCount = m_hModel ? kvrGetRLList(m_hModel, nullptr, 0) : 0;
    if (nCount <= 0)
        return 0;
    std::unique_ptr<char[][KVR_MAX_RLL_NAME]> names(new char[nCount][KVR_MAX_RLL_NAME]);
    nCount = std::min(nCount, kvrGetRLList(m_hModel, names.get(), nCount));
    for (int i = 0; i < nCount; ++i)
    {
        PowerBlockInfo* pInfo = LibraryRecord(names[i]);
        PowerBlockIcon* pIcon = pInfo ? new (std::nothrow) PowerBlockIcon(pInfo) : nullptr;
        if (!pIcon)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMICON);
            break;
        }
        group.GetIcons().addAtTail(*pIcon);
    }
    return nCount;
}

void Program::RefreshRllIcons()
{
    int nCount = m_hModel ? kvrGetRLList(m_hModel, nullptr, 0) : 0;
    std::unique_ptr<char[][KVR_MAX_RLL_NAME]> names(new char[nCount > 0 ? nCount : 1][KVR_MAX_RLL_NAME]);
    if (nCount > 0)
        nCount = std::min(nCount, kvrGetRLList(m_hModel, names.get(), nCount));
    m_LibraryGroups.flush(TShouldDelete::Delete);
    for (int i = 0; i < nCount; ++i)
        LoadRllIcons(names[i]);
    RefreshLibraryBlocks();
}

// The library icons were made again: blocks that showed one of the old
// ones take the new one (or, when their library is gone, the palette's).
void Program::RefreshLibraryBlocks()
{
    RefreshBlocksOfType(KVR_PB_SUPERCALL);
    RefreshBlocksOfType(KVR_PB_IMPORTED);
}

void Program::LoadRllIcons(const char* pszLibrary)
{
    if (!pszLibrary || !*pszLibrary)
        return;
    if (m_LibraryGroups.isEmpty())
    {
        GroupIcon* pGroup = new (std::nothrow) GroupIcon(s_szLibraryGroup, s_szLibraryGroup, s_szLibraryBitmap);
        if (!pGroup)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMGROUP);
            return;
        }
        m_LibraryGroups.add(*pGroup);
    }
    FillLibraryGroup(static_cast<GroupIcon&>(m_LibraryGroups.peekHead()));
    RefreshLibraryBlocks();
}

void Program::LoadRllIconsFor()
{
    if (m_LibraryGroups.isEmpty())
        return;
    GroupIcon& group = static_cast<GroupIcon&>(m_LibraryGroups.peekHead());
    if (FillLibraryGroup(group) == 0)
        m_LibraryGroups.detach(group, TShouldDelete::Delete);
    RefreshLibraryBlocks();
}

// ---- SuperBlock and Verification Block groups ----------------------------

PowerBlockInfo* Program::PageCallRecord(const char* pszPage)
{
    for (const auto& pRecord : m_PageCallRecords)
        if (std::strcmp(pRecord->szName, pszPage) == 0)
            return &pRecord->info;
    std::unique_ptr<PageCallInfo> pRecord(new (std::nothrow) PageCallInfo);
    if (!pRecord)
        return nullptr;
    std::memset(pRecord.get(), 0, sizeof(PageCallInfo));
    lstrcpynA(pRecord->szName, pszPage, sizeof(pRecord->szName));
    pRecord->info.name = pRecord->szName;
    pRecord->info.description = "";
    pRecord->info.bitmapName = "";
    pRecord->info.type = KVR_PB_SUPERCALL;
    m_PageCallRecords.push_back(std::move(pRecord));
    return &m_PageCallRecords.back()->info;
}

void Program::RefreshPageIcons()
{
    static const UINT s_nGroupNames[2] = {IDS_MODEL_SUPERGROUP, IDS_MODEL_VERIFYGROUP};
    bool bChanged = false;
    for (int i = 0; i < 2; ++i)
    {
        if (!m_pSuperGroups[i])
        {
            m_strPageGroupNames[i].LoadString(s_nGroupNames[i]);
            m_pSuperGroups[i] = new (std::nothrow)
                GroupIcon(m_strPageGroupNames[i], m_strPageGroupNames[i], "");
            if (!m_pSuperGroups[i])
            {
                MODEL_REPORT(IDS_MODEL_NOMEMGROUP);
                continue;
            }
        }
        const int nKind = i == 0 ? PX_PAGE_SUPERBLOCK : PX_PAGE_VERIFICATION;
        std::vector<const char*> pages;
        for (ListIterator it(m_Pages); it; ++it)
        {
            Page& page = static_cast<Page&>(it.current());
            if (page.GetKind() == nKind && page.PeekID() != -1)
                pages.push_back(page.GetName());
        }
        std::sort(pages.begin(), pages.end(),
                  [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });

        List& icons = m_pSuperGroups[i]->GetIcons();
        std::vector<PowerBlockIcon*> kept;
        for (ListIterator it(icons); it; ++it)
            kept.push_back(static_cast<PowerBlockIcon*>(&it.current()));
        bool bSame = kept.size() == pages.size();
        for (size_t n = 0; bSame && n < pages.size(); ++n)
            bSame = std::strcmp(kept[n]->GetInfo()->name, pages[n]) == 0;
        if (bSame)
            continue;

        // An icon whose page is still there stays the same object: the
        // palette's list and the blocks that call the page point at it.
        bChanged = true;
        icons.flush(TShouldDelete::NoDelete);
        for (const char* pszPage : pages)
        {
            auto found = std::find_if(kept.begin(), kept.end(), [pszPage](PowerBlockIcon* pIcon) {
                return std::strcmp(pIcon->GetInfo()->name, pszPage) == 0;
            });
            PowerBlockIcon* pIcon = nullptr;
            if (found != kept.end())
            {
                pIcon = *found;
                kept.erase(found);
            }
            else
            {
                PowerBlockInfo* pInfo = PageCallRecord(pszPage);
                pIcon = pInfo ? new (std::nothrow) PowerBlockIcon(pInfo) : nullptr;
                if (!pIcon)
                {
                    MODEL_REPORT(IDS_MODEL_NOMEMICON);
                    break;
                }
            }
            icons.addAtTail(*pIcon);
        }
        for (PowerBlockIcon* pIcon : kept)
            delete pIcon;
    }
    if (bChanged)
        RefreshBlocksOfType(KVR_PB_SUPERCALL);
}
