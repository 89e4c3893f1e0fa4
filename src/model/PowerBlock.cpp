// PowerBlock and GotoBlock: construction and registration, outputs and
// their stubs, output groups, and keeping the gotos in step with the
// application model's connections.
#include "PowerBlock.h"
#include "Goto.h"
#include "Icons.h"
#include "Page.h"
#include "Program.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "PXUIMsg.h"
#include "ModelObserver.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace
{
long s_nReleaseFailures = 0;

// A destructor's failure: traced for the developer and counted, since the
// uses it leaves behind keep items from being deleted on the server.
void NoteReleaseFailure(const char* pszWhat, const char* pszBlock)
{
    ++s_nReleaseFailures;
    CString strText;
    strText.Format("PowerBlock \"%s\": its %s could not be given up", pszBlock ? pszBlock : "", pszWhat);
    try
    {
        throw;
    }
    catch (PXException& x)
    {
        CString strCause;
        strText += "\n";
        strText += x.FormatText(strCause);
    }
    catch (...)
    {
    }
    strText += "\n";
    OutputDebugStringA(strText);
}

const struct
{
    int nType;
    int nResource;
} s_TypeTable[] = {
    {393, PXREC_ANNOUNCEMENT}, {394, PXREC_CALL_TRANSFER}, {395, PXREC_DAY_CONTROL},
    {KVR_PB_END, PXREC_END}, {397, PXREC_EXPRESS_VOICE_MESSAGING}, {398, PXREC_FAX_SEND},
    {399, PXREC_FAX_ITEM_MAINTENANCE}, {400, PXREC_REMOTE_ACTIVATION},
    {KVR_PB_CONTINUE, PXREC_CONTINUE}, {402, PXREC_MENU}, {403, PXREC_LANGUAGE_SELECT},
    {404, PXREC_MULTIMEDIA_MESSAGING}, {405, PXREC_THRU_DIAL}, {406, PXREC_TIME_CONTROL},
    {407, PXREC_VOICE_ITEM_MAINTENANCE}, {KVR_PB_ROTARY, PXREC_ROTARY_DIAL},
    {KVR_PB_BEGIN, PXREC_BEGIN}, {KVR_PB_IMPORTED, PXREC_IMPORTED_APPLICATION},
    {410, PXREC_DATE_CONTROL}, {411, PXREC_PASSWORD_CHECK}, {412, PXREC_EXPRESS_FAX_MESSAGING},
    {413, PXREC_FAX_SELECT}, {414, PXREC_SPEECH_ACTIVATED_SA_MESSAGING},
    {415, PXREC_CUSTOM_COMMANDS}, {KVR_PB_OBSOLETE, PXREC_OBSOLETE},
};

bool SameName(const char* a, const char* b)
{
    return a && b && std::strcmp(a, b) == 0;
}

// The one description of a SuperBlock call whose page is not found.
PowerBlockInfo* DefaultCallInfo()
{
    static PowerBlockInfo s_Info;
    static bool s_bMade = false;
    if (!s_bMade)
    {
        std::memset(&s_Info, 0, sizeof(s_Info));
        s_Info.name = "";
        s_Info.description = "";
        s_Info.bitmapName = "";
        s_Info.type = KVR_PB_SUPERCALL;
        s_bMade = true;
    }
    return &s_Info;
}

PowerBlockIcon* DefaultCallIcon()
{
    static PowerBlockIcon s_Icon(DefaultCallInfo());
    return &s_Icon;
}

void SendToMainWindow(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    HWND hMain = PXGetMainWindow();
    if (hMain && IsWindow(hMain))
        SendMessageA(hMain, uMsg, wParam, lParam);
}
}

int PowerBlockType::ResourceId(int nType)
{
    for (const auto& row : s_TypeTable)
        if (row.nType == nType || row.nType == KVR_PB_OBSOLETE)
            return row.nResource;
    return PXREC_OBSOLETE;
}

// ---- GotoBlock ---------------------------------------------------------

GotoBlock::GotoBlock(PowerBlock* pBlock, const char* pszOutput)
    : ProgramObject(pBlock), m_strOutput(pszOutput ? pszOutput : ""), m_nOffset(0), m_bShown(0)
{
}

GotoBlock::GotoBlock() : m_nOffset(0), m_bShown(0)
{
}

Program* GotoBlock::GetProgram() const
{
    return m_pOwner ? m_pOwner->GetProgram() : nullptr;
}

Page* GotoBlock::GetPage() const
{
    return m_pOwner ? m_pOwner->GetPage() : nullptr;
}

// ---- PowerBlock --------------------------------------------------------

PowerBlock::PowerBlock()
    : m_hModel(nullptr), m_nType(0), m_pInfo(nullptr), m_pIcon(nullptr), m_nX(0), m_nY(0),
      m_GotoBlocks(10, 0, 5), m_nFlags(0), m_nClipboard(0)
{
    std::memset(m_Visible, 0, sizeof(m_Visible));
    std::memset(m_Expanded, 0, sizeof(m_Expanded));
}

PowerBlock::PowerBlock(Page* pPage, const char* pszName, PowerBlockInfo* pInfo, PowerBlockIcon* pIcon,
                       long x, long y, int* pRetry, kvrHandleType* hExisting, short nClipboard,
                       Array* pTemplate)
    : ProgramObject(pPage), m_hModel(nullptr), m_nType(0), m_pInfo(pInfo), m_pIcon(pIcon), m_nX(x),
      m_nY(y), m_GotoBlocks(10, 0, 5), m_nFlags(0), m_nClipboard(nClipboard),
      m_strName(pszName ? pszName : "")
{
    PXASSERT(pInfo != 0);
    std::memset(m_Visible, 0, sizeof(m_Visible));
    std::memset(m_Expanded, 0, sizeof(m_Expanded));
    m_nType = pInfo->type;
    if (m_nType < -99 || m_nType == KVR_PB_IMPORTED)
        m_strCustomType = pInfo->name ? pInfo->name : "";

    if (nClipboard == 0)
        RepairOutputs();
    SyncOutputs();

    if (hExisting)
        m_hModel = hExisting;
    else
    {
        // The model makes the block on its current page: make it this one.
        if (pPage)
        {
            if (Program* pProgram = pPage->GetProgram())
                pProgram->Activate();
            pPage->Activate();
        }
        int nRetry = 0;
        m_hModel = kvrCreatePowerBlock(m_nType, m_strName, pRetry ? pRetry : &nRetry,
                                       m_strCustomType.IsEmpty() ? nullptr : (const char*)m_strCustomType);
        if (!m_hModel)
            return;
        try
        {
            CheckFinished();
        }
        catch (...)
        {
            // The object is not made: the model's block goes with it.
            kvrDeletePowerBlock(m_hModel, 0);
            m_hModel = nullptr;
            throw;
        }
    }

    int nCount = m_GotoBlocks.getItemsInContainer();
    for (int i = 0; i < nCount; ++i)
    {
        GotoBlock& stub = static_cast<GotoBlock&>(m_GotoBlocks[i]);
        if (pTemplate)
        {
            int nTemplate = static_cast<int>(pTemplate->getItemsInContainer());
            if (i < nTemplate)
                stub.SetShown(static_cast<GotoBlock&>((*pTemplate)[pTemplate->lowerBound() + i]).IsShown());
        }
        else
            stub.SetShown(true);
    }
}

PowerBlock::~PowerBlock()
{
    if (m_nFlags & PB_FLAG_CURRENT)
        SendToMainWindow(WM_UI_BLOCKREQUEST, static_cast<WPARAM>(-1), 0);
    m_nID = -1;
    bool bModelCalls = m_hModel && !IsProgramDying() && m_nClipboard == 0;
    if (bModelCalls)
    {
        // The block's uses of items and lists end with it, each on its
        // own: one that fails leaves the other to be given up.
        std::unique_ptr<PXSoftRecPBV> pRecord;
        try
        {
            pRecord.reset(new PXSoftRecPBV(static_cast<WORD>(PowerBlockType::ResourceId(m_nType)), this,
                                           m_hModel, m_nType));
        }
        catch (...)
        {
            NoteReleaseFailure("item and list uses", GetName());
        }
        if (pRecord)
        {
            try
            {
                pRecord->ReleaseItemRefs();
            }
            catch (...)
            {
                NoteReleaseFailure("item uses", GetName());
            }
            try
            {
                pRecord->ReleaseResPermRefs();
            }
            catch (...)
            {
                NoteReleaseFailure("list uses", GetName());
            }
        }
    }
    m_Gotos.flush(TShouldDelete::Delete);
    if (bModelCalls)
        kvrDeletePowerBlock(m_hModel, 0);
    FreeInfo();
    m_GotoBlocks.flush(TShouldDelete::Delete);
}

long PowerBlock::GetReleaseFailures()
{
    return s_nReleaseFailures;
}

void PowerBlock::FreeInfo()
{
    if ((m_nFlags & PB_FLAG_PRIVATEINFO) && m_nType >= -99)
        delete m_pInfo;
    m_pInfo = nullptr;
    m_nFlags &= ~PB_FLAG_PRIVATEINFO;
}

Program* PowerBlock::GetProgram() const
{
    return m_pOwner ? m_pOwner->GetProgram() : nullptr;
}

Page* PowerBlock::GetPage() const
{
    return static_cast<Page*>(m_pOwner);
}

void PowerBlock::SetInfo(PowerBlockInfo* pInfo, PowerBlockIcon* pIcon)
{
    if (pInfo != m_pInfo)
        FreeInfo();
    m_pInfo = pInfo;
    m_pIcon = pIcon;
}

int PowerBlock::GetOutputCount() const
{
    if (!m_pInfo)
        return 0;
    return m_pInfo->numOutputs > KVR_MAX_OUTPUTS ? KVR_MAX_OUTPUTS : m_pInfo->numOutputs;
}

bool PowerBlock::TestBit(const unsigned char* pSet, int nNumber)
{
    if (nNumber < 1 || nNumber > PB_SET_BYTES * 8)
        return false;
    return (pSet[(nNumber - 1) / 8] & (1 << ((nNumber - 1) % 8))) != 0;
}

void PowerBlock::SetBit(unsigned char* pSet, int nNumber, bool bOn)
{
    if (nNumber < 1 || nNumber > PB_SET_BYTES * 8)
        return;
    unsigned char mask = static_cast<unsigned char>(1 << ((nNumber - 1) % 8));
    if (bOn)
        pSet[(nNumber - 1) / 8] |= mask;
    else
        pSet[(nNumber - 1) / 8] &= static_cast<unsigned char>(~mask);
}

void PowerBlock::SetPosition(long x, long y)
{
    m_nX = x;
    m_nY = y;
    if (Page* pPage = GetPage())
        pPage->InvalidateGotosOf(this);
    else
        MarkGotosForReroute();
    SetModified();
}

int PowerBlock::Rename(const char* pszNewName, int* pDetail)
{
    int nDetail = 0;
    if (!pDetail)
        pDetail = &nDetail;
    *pDetail = 0;
    if (!m_hModel || kvrRenamePowerBlock(m_hModel, pszNewName, pDetail) != 0)
        return 0;
    m_strName = pszNewName;
    SetModified();
    SendToMainWindow(WM_UI_BLOCKCHANGED, 0, 1);
    return 1;
}

void PowerBlock::AttachGoto(Goto* pGoto)
{
    PXASSERT(pGoto != 0);
    m_Gotos.add(*pGoto);
}

void PowerBlock::AttachGotoBlock(GotoBlock* pGotoBlock)
{
    PXASSERT(pGotoBlock != 0);
    m_GotoBlocks.add(*pGotoBlock);
}

int PowerBlock::EditProperties(int& rChanged)
{
    rChanged = 0;
    // A block the model refused has no settings to edit.
    if (!m_hModel)
        return 0;
    {
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(m_nType)), this, m_hModel, m_nType);
        if (record.EditInPropSheet() > 0)
        {
            SetModified();
            record.CheckFinished();
            ModelObserver& windows = GetModelObserver();
            windows.NotifyChildren(this, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
            windows.NotifyChildren(this, OBJECT_ADDED, OBJECT_OWN_GOTOS);
        }
    }
    rChanged = SyncGotos(1, 1, 0);
    return rChanged;
}

void PowerBlock::RemoveGotoOnly(Goto* pGoto)
{
    m_Gotos.detach(*pGoto, TShouldDelete::Delete);
}

void PowerBlock::RemoveGoto(Goto* pGoto)
{
    PXASSERT(pGoto != 0);
    RemoveGotoOnly(pGoto);
    CheckFinished();
    SetModified();
}

void PowerBlock::CheckFinished()
{
    if (!m_hModel)
        return;
    PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(m_nType)), this, m_hModel, m_nType);
    record.CheckFinished();
}

BOOL PowerBlock::IsOutputShown(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_GotoBlocks.getItemsInContainer()))
        return FALSE;
    return static_cast<GotoBlock&>(m_GotoBlocks[nIndex]).IsShown() ? TRUE : FALSE;
}

bool PowerBlock::IsMember(const PBOutputEntry& entry, int nKey) const
{
    return (entry.flags & (KVR_OUTPUT_GROUP | KVR_OUTPUT_NEVERSHOWN)) == 0 && entry.groupKey == nKey;
}

void PowerBlock::RemoveGotoWithGroup(Goto* pGoto)
{
    PXASSERT(pGoto != 0);
    PBOutputEntry* pEntry = FindOutput(pGoto->GetOutputName());
    if (pEntry && (pEntry->flags & KVR_OUTPUT_GROUP))
    {
        for (int i = 0; i < GetOutputCount(); ++i)
        {
            const PBOutputEntry& member = m_pInfo->outputs[i];
            if (!IsMember(member, pEntry->groupKey))
                continue;
            if (Goto* pMemberGoto = FindGoto(member.name))
                RemoveGotoOnly(pMemberGoto);
        }
    }
    RemoveGotoOnly(pGoto);
    CheckFinished();
    SetModified();
}

Goto* PowerBlock::FindGoto(const char* pszOutput) const
{
    ListIterator it(m_Gotos);
    while (it)
    {
        Goto& line = static_cast<Goto&>(it++);
        if (SameName(line.GetOutputName(), pszOutput))
            return &line;
    }
    return nullptr;
}

GotoBlock* PowerBlock::FindGotoBlock(const char* pszOutput) const
{
    int nCount = m_GotoBlocks.getItemsInContainer();
    for (int i = 0; i < nCount; ++i)
    {
        GotoBlock& stub = static_cast<GotoBlock&>(m_GotoBlocks[i]);
        if (SameName(stub.GetOutputName(), pszOutput))
            return &stub;
    }
    return nullptr;
}

PBOutputEntry* PowerBlock::FindOutput(const char* pszOutput) const
{
    for (int i = 0; i < GetOutputCount(); ++i)
        if (SameName(m_pInfo->outputs[i].name, pszOutput))
            return &m_pInfo->outputs[i];
    return nullptr;
}

int PowerBlock::ModelIndexOf(const char* pszOutput) const
{
    int nIndex = 0;
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        if (SameName(entry.name, pszOutput))
            return (entry.flags & KVR_OUTPUT_GROUP) ? -1 : nIndex;
        if (!(entry.flags & KVR_OUTPUT_GROUP))
            ++nIndex;
    }
    return -1;
}

void PowerBlock::MarkGotosForReroute()
{
    ListIterator it(m_Gotos);
    while (it)
        static_cast<Goto&>(it++).MarkForReroute();
}

bool PowerBlock::IsOutputOptional(const char* pszOutput) const
{
    PXASSERT(m_pInfo != 0);
    if (!(kvrSDOIsOutputOptionalApplicable(m_nType, m_hModel, pszOutput) & KVR_OUT_APPLICABLE))
        return false;
    GotoBlock* pStub = FindGotoBlock(pszOutput);
    return pStub && pStub->IsShown();
}

int PowerBlock::CountOptionalOutputs() const
{
    PXASSERT(m_pInfo != 0);
    int nCount = 0;
    for (int i = 0; i < GetOutputCount(); ++i)
        if (IsOutputOptional(m_pInfo->outputs[i].name))
            ++nCount;
    return nCount;
}

bool PowerBlock::IsFinished() const
{
    return kvrIsPowerBlockFinished(m_hModel) != 0;
}

int PowerBlock::CanDelete() const
{
    switch (m_nType)
    {
    case KVR_PB_BEGIN:
    case KVR_PB_END:
    case KVR_PB_CONTINUE:
    case KVR_PB_ROTARY:
        return 0;
    case KVR_PB_EXIT:
    {
        Page* pPage = GetPage();
        if (pPage && pPage->GetKind() == PX_PAGE_VERIFICATION && pPage->CountBlocksOfType(KVR_PB_EXIT) < 3)
        {
            ModelReport(IDS_MODEL_NODELETEEXIT, __FILE__, __LINE__, PXICON_STOP);
            return 0;
        }
        return 1;
    }
    default:
        return 1;
    }
}

void PowerBlock::Refresh(int bResetVisibility)
{
    Program* pProgram = GetProgram();
    if (m_nType == KVR_PB_SUPERCALL)
    {
        PowerBlockIcon* pFound = nullptr;
        if (pProgram)
        {
            for (int i = 0; i < 2 && !pFound; ++i)
                if (GroupIcon* pGroup = pProgram->GetSuperBlockGroup(i))
                    pFound = pGroup->FindByName(m_strCustomType);
            ListIterator it(pProgram->GetLibraryGroups());
            while (it && !pFound)
                pFound = static_cast<GroupIcon&>(it++).FindByName(m_strCustomType);
        }
        if (pFound)
            SetInfo(pFound->GetInfo(), pFound);
        else
            SetInfo(DefaultCallInfo(), DefaultCallIcon());
        return;
    }
    if (m_nType == KVR_PB_CUSTOM)
    {
        GroupIcon* pGroup = pProgram ? pProgram->GetCustomGroup() : nullptr;
        PowerBlockIcon* pFound = pGroup ? pGroup->FindByName(m_strCustomType) : nullptr;
        if (pFound)
            SetInfo(pFound->GetInfo(), pFound);
        else
            SetInfo(nullptr, nullptr);
        return;
    }
    if (m_nType == KVR_PB_IMPORTED)
    {
        PowerBlockIcon* pFound = nullptr;
        if (pProgram && !pProgram->GetLibraryGroups().isEmpty())
        {
            GroupIcon& group = static_cast<GroupIcon&>(pProgram->GetLibraryGroups().peekHead());
            pFound = group.FindByName(m_strCustomType);
        }
        if (pFound)
            SetInfo(pFound->GetInfo(), pFound);
        else if (Icons* pIcons = Icons::GetCurrent())
        {
            // The description stays; the icon of a library group that was
            // made again may be gone, so the palette's icon stands in.
            m_pIcon = pIcons->FindByType(KVR_PB_IMPORTED);
        }
        return;
    }
    if (!(m_nFlags & PB_FLAG_PRIVATEINFO))
    {
        PowerBlockInfo* pCopy = new (std::nothrow) PowerBlockInfo;
        if (!pCopy)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMINFO);
            return;
        }
        if (m_pInfo)
            std::memcpy(pCopy, m_pInfo, sizeof(PowerBlockInfo));
        else
            std::memset(pCopy, 0, sizeof(PowerBlockInfo));
        m_pInfo = pCopy;
        m_nFlags |= PB_FLAG_PRIVATEINFO;
    }
    if (m_hModel)
        kvrGetPowerBlockInfo(m_hModel, m_pInfo);
    if (bResetVisibility)
        RepairOutputs();
}

void PowerBlock::RenameCalledPage(const PageRename& names)
{
    if (std::strcmp(m_strCustomType, names.szOld) != 0)
        return;
    m_strCustomType = names.szNew;
    // The call's description record is looked up again by the new name.
    Refresh(1);
    GetModelObserver().NotifyChildren(this, OBJECT_REBUILD, 0);
}

// ---- Output groups -------------------------------------------------------

PowerBlock* PowerBlock::TargetOf(const PBOutputEntry& entry) const
{
    Goto* pGoto = FindGoto(entry.name);
    return pGoto ? pGoto->GetTarget() : nullptr;
}

void PowerBlock::ShowGroup(int nKey)
{
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        if (entry.groupKey != nKey)
            continue;
        if (entry.flags & KVR_OUTPUT_GROUP)
        {
            SetExpanded(entry.number, true);
            SetVisible(entry.number, false);
        }
        else if (!(entry.flags & KVR_OUTPUT_NEVERSHOWN))
            SetVisible(entry.number, true);
    }
    MarkGotosForReroute();
    SetModified();
}

int PowerBlock::CommonTarget(int nKey, PowerBlock** ppTarget) const
{
    bool bFirst = true;
    PowerBlock* pCommon = nullptr;
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        if (!IsMember(entry, nKey))
            continue;
        PowerBlock* pTarget = TargetOf(entry);
        if (bFirst)
        {
            pCommon = pTarget;
            bFirst = false;
        }
        else if (pTarget != pCommon)
            return 0;
    }
    if (ppTarget)
        *ppTarget = pCommon;
    return 1;
}

int PowerBlock::HideGroup(int nKey)
{
    PowerBlock* pTarget = nullptr;
    if (!CommonTarget(nKey, &pTarget))
        return 0;
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        PBOutputEntry& entry = m_pInfo->outputs[i];
        if (entry.groupKey != nKey)
            continue;
        if (entry.flags & KVR_OUTPUT_GROUP)
        {
            SetExpanded(entry.number, false);
            SetVisible(entry.number, true);
            Goto* pGoto = FindGoto(entry.name);
            if (pTarget)
            {
                if (pGoto)
                    pGoto->SetTarget(pTarget);
                else
                {
                    Goto* pNew = new (std::nothrow) Goto(&entry, this, pTarget, 0);
                    if (!pNew)
                        MODEL_REPORT(IDS_MODEL_NOMEMGOTO);
                    else
                        m_Gotos.add(*pNew);
                }
            }
            else if (pGoto)
                RemoveGotoOnly(pGoto);
        }
        else if (!(entry.flags & KVR_OUTPUT_NEVERSHOWN))
            SetVisible(entry.number, false);
    }
    MarkGotosForReroute();
    SetModified();
    return 1;
}

// ---- Outputs and the model's connections ------------------------------------

void PowerBlock::RepairOutputs()
{
    std::memset(m_Visible, 0, sizeof(m_Visible));
    std::memset(m_Expanded, 0, sizeof(m_Expanded));
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        if (entry.flags & KVR_OUTPUT_NEVERSHOWN)
            continue;
        if ((entry.flags & KVR_OUTPUT_GROUP) || entry.groupKey == 0)
            SetVisible(entry.number, true);
    }
}

bool PowerBlock::OutputsChanged() const
{
    int nStubs = m_GotoBlocks.getItemsInContainer();
    int nOutputs = GetOutputCount();
    for (int i = 0; i < nOutputs; ++i)
    {
        if (i >= nStubs)
            return true;
        const GotoBlock& stub = static_cast<const GotoBlock&>(m_GotoBlocks[i]);
        if (!SameName(stub.GetOutputName(), m_pInfo->outputs[i].name))
            return true;
    }
    return nStubs > nOutputs;
}

void PowerBlock::SyncOutputs()
{
    m_GotoBlocks.flush(TShouldDelete::Delete);
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        GotoBlock* pStub = new (std::nothrow) GotoBlock(this, entry.name);
        if (!pStub)
        {
            MODEL_REPORT(IDS_MODEL_NOMEMGOTO);
            break;
        }
        pStub->SetShown(IsVisible(entry.number) || SameName(entry.name, "Rotary"));
        m_GotoBlocks.add(*pStub);
    }
    MarkGotosForReroute();
}

int PowerBlock::SyncGotos(int bCheckOnly, int bExpand, int bLoading)
{
    bool bChanged = false;

    // 1. Gotos of outputs the block no longer has.
    std::vector<Goto*> stale;
    {
        ListIterator it(m_Gotos);
        while (it)
        {
            Goto& line = static_cast<Goto&>(it++);
            if (!FindOutput(line.GetOutputName()))
                stale.push_back(&line);
        }
    }
    if (!stale.empty() && bCheckOnly)
        return 1;
    for (Goto* pGoto : stale)
    {
        pGoto->SetTarget(nullptr);
        RemoveGoto(pGoto);
        bChanged = true;
    }

    // 2. Connections of the outputs that the model knows.
    Page* pPage = GetPage();
    int n = 0;
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& entry = m_pInfo->outputs[i];
        if (entry.flags & KVR_OUTPUT_GROUP)
            continue;
        kvrHandleType* hConnected = m_hModel ? kvrGetGotoConnection(m_hModel, n) : nullptr;
        ++n;
        Goto* pGoto = FindGoto(entry.name);
        if (pGoto)
        {
            PowerBlock* pTarget = pGoto->GetTarget();
            kvrHandleType* hTarget = pTarget ? pTarget->GetHandle() : nullptr;
            if (hTarget == hConnected)
                continue;
            if (bCheckOnly)
                return 1;
            pGoto->SetTarget(nullptr);
            RemoveGoto(pGoto);
            bChanged = true;
        }
        PowerBlock* pTarget = hConnected && pPage ? pPage->FindBlockByHandle(hConnected) : nullptr;
        if (!pTarget)
            continue;
        if (bCheckOnly)
            return 1;
        Goto* pNew = Connect(pTarget, entry.name, 1);
        if (pNew)
        {
            bChanged = true;
            if (bLoading)
            {
                pNew->SetFlag(GOTO_FLAG_LABELSTUB);
                if (!SameName(entry.name, "Rotary"))
                    pNew->SetFlag(GOTO_FLAG_FROMMODEL);
            }
        }
    }

    // 3. Collapsed groups whose members no longer agree.
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        const PBOutputEntry& group = m_pInfo->outputs[i];
        if (!(group.flags & KVR_OUTPUT_GROUP) || IsExpanded(group.number))
            continue;
        Goto* pGroupGoto = FindGoto(group.name);
        PowerBlock* pGroupTarget = pGroupGoto ? pGroupGoto->GetTarget() : nullptr;
        for (int j = 0; j < GetOutputCount(); ++j)
        {
            const PBOutputEntry& member = m_pInfo->outputs[j];
            if (!IsMember(member, group.groupKey))
                continue;
            Goto* pMemberGoto = FindGoto(member.name);
            bool bAgree = (!pGroupGoto && !pMemberGoto) ||
                          (pGroupGoto && pMemberGoto && pMemberGoto->GetTarget() == pGroupTarget);
            if (bAgree)
                continue;
            if (bCheckOnly)
                return 1;
            if (bExpand)
                ShowGroup(group.groupKey);
            else
                MarkGotosForReroute();
            bChanged = true;
            break;
        }
    }

    if (bChanged)
        SetModified();
    return bChanged ? 1 : 0;
}
