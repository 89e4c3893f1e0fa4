// Page: registration, blocks and notes, and the default blocks of new
// pages at the places the settings file gives.
#include "Page.h"
#include "Program.h"
#include "PowerBlock.h"
#include "Goto.h"
#include "Icons.h"
#include "PXTextUI.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "ModelObserver.h"

#include <cstring>
#include <new>
#include <vector>

namespace
{
struct DefaultPosition
{
    const char* pszX;
    const char* pszY;
    int nX;
    int nY;
    long x;
    long y;
};

enum { POS_START, POS_ROTARY, POS_ATTENDANT, POS_END, POS_BEGIN, POS_SUCCESS, POS_FAILURE, POS_COUNT };

DefaultPosition s_Positions[POS_COUNT] = {
    {"Start X", "Start Y", 50, 50, 0, 0},
    {"Rotary X", "Rotary Y", 50, 420, 0, 0},
    {"Attendant X", "Attendant Y", 200, 420, 0, 0},
    {"End X", "End Y", 50, 500, 0, 0},
    {"Begin X", "Begin Y", 50, 50, 0, 0},
    {"Success X", "Success Y", 500, 50, 0, 0},
    {"Failure X", "Failure Y", 500, 150, 0, 0},
};
bool s_bMainPositionsRead = false;
bool s_bPagePositionsRead = false;

void ReadPositions(int nFirst, int nLast)
{
    const ModelSettings& settings = GetModelSettings();
    int nStep = settings.nGridStep;
    int nHalf = nStep / 2;
    for (int i = nFirst; i <= nLast; ++i)
    {
        DefaultPosition& pos = s_Positions[i];
        long x = static_cast<int>(GetPrivateProfileIntA("Default Positions", pos.pszX, pos.nX, settings.strSettingsFile));
        long y = static_cast<int>(GetPrivateProfileIntA("Default Positions", pos.pszY, pos.nY, settings.strSettingsFile));
        pos.x = nStep > 0 ? x - x % nStep : x;
        pos.y = nHalf > 0 ? y - y % nHalf : y;
    }
}

const DefaultPosition& MainPosition(int n)
{
    if (!s_bMainPositionsRead)
    {
        ReadPositions(POS_START, POS_END);
        s_bMainPositionsRead = true;
    }
    return s_Positions[n];
}

const DefaultPosition& PagePosition(int n)
{
    if (!s_bPagePositionsRead)
    {
        ReadPositions(POS_BEGIN, POS_FAILURE);
        s_bPagePositionsRead = true;
    }
    return s_Positions[n];
}

// 1 made and added; 0 after a message.
int AddDefaultBlock(Page* pPage, const char* pszName, int nType, const DefaultPosition& pos,
                    PowerBlock** ppBlock)
{
    Icons* pIcons = Icons::GetCurrent();
    PowerBlockIcon* pIcon = pIcons ? pIcons->FindByType(nType) : nullptr;
    if (!pIcon)
    {
        MODEL_REPORT(IDS_MODEL_NOREGDEFAULTS);
        return 0;
    }
    int nRetry = 0;
    PowerBlock* pBlock = new (std::nothrow)
        PowerBlock(pPage, pszName, pIcon->GetInfo(), pIcon, pos.x, pos.y, &nRetry, nullptr, 0, nullptr);
    if (!pBlock)
    {
        MODEL_REPORT(IDS_MODEL_NOMEMDEFAULTS);
        return 0;
    }
    if (!pBlock->HasHandle())
    {
        delete pBlock;
        MODEL_REPORT(IDS_MODEL_NOREGDEFAULTS);
        return 0;
    }
    pPage->AddObject(pBlock);
    if (ppBlock)
        *ppBlock = pBlock;
    return 1;
}
}

Page::Page(Program* pProgram, const char* pszName, int nKind, int nModelFlag)
    : ProgramObject(pProgram), m_hModel(nullptr), m_nKind(nKind), m_nModelFlag(nModelFlag),
      m_strName(pszName ? pszName : "")
{
    int nModelKind = (nKind == PX_PAGE_MAIN || nKind == PX_PAGE_SUPERBLOCK) ? KVR_PAGE_NORMAL
                     : nKind == PX_PAGE_VERIFICATION                      ? KVR_PAGE_VERIFICATION
                                                                          : 0;
    // The model makes the page in its current program: make it this one.
    if (pProgram && pProgram->HasHandle())
    {
        pProgram->Activate();
        m_hModel = kvrCreatePage(m_strName, nModelKind, nModelFlag);
    }
    if (!m_hModel)
        ModelReportText(IDS_MODEL_NOPAGE, m_strName, __FILE__, __LINE__);
}

Page::Page() : m_hModel(nullptr), m_nKind(PX_PAGE_MAIN), m_nModelFlag(0)
{
}

Page::~Page()
{
    m_nID = -1;
    m_Blocks.flush(TShouldDelete::Delete);
    m_Notes.flush(TShouldDelete::Delete);
    if (m_hModel && !IsProgramDying())
        kvrRemovePage(m_hModel, m_nModelFlag);
}

Program* Page::GetProgram() const
{
    return static_cast<Program*>(m_pOwner);
}

void Page::Activate()
{
    if (m_hModel)
        kvrActivatePage(m_hModel);
}

bool Page::AllBlocksFinished()
{
    ListIterator it(m_Blocks);
    while (it)
        if (!static_cast<PowerBlock&>(it++).IsFinished())
            return false;
    return true;
}

void Page::AddObject(PowerBlock* pBlock)
{
    PXASSERT(pBlock != 0);
    pBlock->SetOwner(this);
    m_Blocks.add(*pBlock);
    SetModified();
}

void Page::AddNote(PXTextUI* pNote)
{
    PXASSERT(pNote != 0);
    pNote->SetOwner(this);
    m_Notes.add(*pNote);
    SetModified();
}

void Page::RemoveNote(PXTextUI* pNote)
{
    PXASSERT(pNote != 0);
    m_Notes.detach(*pNote, TShouldDelete::Delete);
    SetModified();
}

void Page::RemoveBlock(PowerBlock* pBlock)
{
    PXASSERT(pBlock != 0);
    std::vector<std::pair<PowerBlock*, Goto*>> incoming;
    ListIterator it(m_Blocks);
    while (it)
    {
        PowerBlock& source = static_cast<PowerBlock&>(it++);
        ListIterator gotos(source.GetGotos());
        while (gotos)
        {
            Goto& line = static_cast<Goto&>(gotos++);
            if (line.GetTarget() == pBlock)
                incoming.emplace_back(&source, &line);
        }
    }
    for (auto& entry : incoming)
        entry.first->RemoveGoto(entry.second);
    m_Blocks.detach(*pBlock, TShouldDelete::Delete);
    SetModified();
}

void Page::InvalidateGotosOf(PowerBlock* pBlock)
{
    pBlock->MarkGotosForReroute();
    ListIterator it(m_Blocks);
    while (it)
    {
        PowerBlock& source = static_cast<PowerBlock&>(it++);
        ListIterator gotos(source.GetGotos());
        while (gotos)
        {
            Goto& line = static_cast<Goto&>(gotos++);
            if (line.GetTarget() == pBlock)
                line.MarkForReroute();
        }
    }
}

PowerBlock* Page::FindBlockByHandle(kvrHandleType* hBlock) const
{
    ListIterator it(m_Blocks);
    while (it)
    {
        PowerBlock& block = static_cast<PowerBlock&>(it++);
        if (block.GetHandle() == hBlock)
            return &block;
    }
    return nullptr;
}

PowerBlock* Page::FindBlockByName(const char* pszName) const
{
    ListIterator it(m_Blocks);
    while (it)
    {
        PowerBlock& block = static_cast<PowerBlock&>(it++);
        if (std::strcmp(block.GetName(), pszName ? pszName : "") == 0)
            return &block;
    }
    return nullptr;
}

void Page::RefreshBlocksOfType(int nType)
{
    ListIterator it(m_Blocks);
    while (it)
    {
        PowerBlock& block = static_cast<PowerBlock&>(it++);
        if (block.GetType() == nType && block.PeekID() != -1)
            block.Refresh(0);
    }
}

void Page::ForEachBlock(BlockFunc pfn, void* pData)
{
    ListIterator it(m_Blocks);
    while (it)
        pfn(&static_cast<PowerBlock&>(it++), pData);
}

int Page::CountBlocksOfType(int nType) const
{
    int nCount = 0;
    ListIterator it(m_Blocks);
    while (it)
        if (static_cast<PowerBlock&>(it++).GetType() == nType)
            ++nCount;
    return nCount;
}

int Page::AddMainDefaultBlocks()
{
    if (Program* pProgram = GetProgram())
        pProgram->Activate();
    Activate();
    PowerBlock* pBegin = nullptr;
    PowerBlock* pEnd = nullptr;
    PowerBlock* pAttendant = nullptr;
    PowerBlock* pRotary = nullptr;
    if (!AddDefaultBlock(this, "Begin", KVR_PB_BEGIN, MainPosition(POS_START), &pBegin) ||
        !AddDefaultBlock(this, "End", KVR_PB_END, MainPosition(POS_END), &pEnd) ||
        !AddDefaultBlock(this, "Attendant", 394, MainPosition(POS_ATTENDANT), &pAttendant) ||
        !AddDefaultBlock(this, "Rotary", KVR_PB_ROTARY, MainPosition(POS_ROTARY), &pRotary))
        return 0;
    if (!pRotary->Connect(pAttendant, "Done", 0))
    {
        MODEL_REPORT(IDS_MODEL_NODEFAULTGOTO);
        return 0;
    }
    pAttendant->SyncGotos(0, 0, 1);
    return 1;
}

int Page::AddDefaultBlocks(int nKind)
{
    if (Program* pProgram = GetProgram())
        pProgram->Activate();
    Activate();
    if (!AddDefaultBlock(this, "Begin", KVR_PB_BEGIN, PagePosition(POS_BEGIN), nullptr))
        return 0;
    if (nKind == PX_PAGE_VERIFICATION)
    {
        if (!AddDefaultBlock(this, "Success", KVR_PB_EXIT, PagePosition(POS_SUCCESS), nullptr) ||
            !AddDefaultBlock(this, "Failure", KVR_PB_EXIT, PagePosition(POS_FAILURE), nullptr))
            return 0;
    }
    return 1;
}

void Page::ForgetDefaultPositions()
{
    s_bMainPositionsRead = false;
    s_bPagePositionsRead = false;
}
