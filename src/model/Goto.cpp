// Goto and Segment: registration of connections, making gotos from an
// output, and the hand edits of a line.
#include "Goto.h"
#include "PowerBlock.h"
#include "Page.h"
#include "Program.h"
#include "DrawHelpers.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "PXUIMsg.h"

#include <cstring>
#include <new>
#include <vector>

// ---- Segment -----------------------------------------------------------

Segment::Segment(Goto* pGoto, long fromX, long fromY, long toX, long toY)
    : ProgramObject(pGoto), m_nFromX(fromX), m_nFromY(fromY), m_nToX(toX), m_nToY(toY)
{
}

Segment::Segment() : m_nFromX(0), m_nFromY(0), m_nToX(0), m_nToY(0)
{
}

Program* Segment::GetProgram() const
{
    return m_pOwner ? m_pOwner->GetProgram() : nullptr;
}

Page* Segment::GetPage() const
{
    return m_pOwner ? m_pOwner->GetPage() : nullptr;
}

int Segment::Direction() const
{
    if (m_nFromX < m_nToX)
        return SEG_EAST;
    if (m_nFromY < m_nToY)
        return SEG_SOUTH;
    if (m_nToX < m_nFromX)
        return SEG_WEST;
    return SEG_NORTH;
}

bool Segment::IsFirst() const
{
    Goto* pGoto = static_cast<Goto*>(m_pOwner);
    return pGoto && pGoto->IndexOf(this) == 0;
}

// ---- Goto ----------------------------------------------------------------

Goto::Goto(PBOutputEntry* pEntry, PowerBlock* pBlock, PowerBlock* pTarget, int bRegistered)
    : ProgramObject(pBlock), m_nColor(0), m_nFlags(GOTO_FLAG_REROUTE), m_Segments(20, 0, 20),
      m_pTarget(pTarget)
{
    PXASSERT(pBlock != 0);
    if (pEntry && pEntry->name)
        m_strOutput = pEntry->name;
    Register(pEntry, bRegistered);
}

Goto::Goto(const Goto& other)
    : ProgramObject(nullptr), m_strOutput(other.m_strOutput), m_nColor(other.m_nColor),
      m_nFlags(other.m_nFlags), m_Segments(20, 0, 20), m_pTarget(nullptr)
{
}

Goto::Goto() : m_nColor(0), m_nFlags(0), m_Segments(20, 0, 20), m_pTarget(nullptr)
{
}

Goto::~Goto()
{
    m_nID = -1;
    PowerBlock* pBlock = GetBlock();
    if (m_pTarget && pBlock && pBlock->GetHandle() && !IsProgramDying() && !HasFlag(GOTO_FLAG_GROUP))
        kvrDeleteGoto(pBlock->GetHandle(), m_strOutput);
    m_Segments.flush(TShouldDelete::Delete);
}

PowerBlock* Goto::GetBlock() const
{
    return static_cast<PowerBlock*>(m_pOwner);
}

Program* Goto::GetProgram() const
{
    return m_pOwner ? m_pOwner->GetProgram() : nullptr;
}

Page* Goto::GetPage() const
{
    return m_pOwner ? m_pOwner->GetPage() : nullptr;
}

void Goto::Register(PBOutputEntry* pEntry, int bRegistered)
{
    PowerBlock* pBlock = GetBlock();
    PXASSERT(pBlock != 0);
    if (!pEntry)
        pEntry = pBlock->FindOutput(m_strOutput);
    if (pEntry && (pEntry->flags & KVR_OUTPUT_GROUP))
    {
        SetFlag(GOTO_FLAG_GROUP);
        return;
    }
    if (bRegistered)
        return;
    int nIndex = pBlock->ModelIndexOf(m_strOutput);
    if (nIndex < 0 || !m_pTarget || !pBlock->GetHandle() || !m_pTarget->GetHandle() ||
        kvrCreateGoto(pBlock->GetHandle(), m_pTarget->GetHandle(), nIndex) != 0)
        m_pTarget = nullptr;
}

Segment* Goto::GetSegment(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSegmentCount())
        return nullptr;
    return static_cast<Segment*>(&m_Segments[nIndex]);
}

Segment* Goto::AddSegment(long fromX, long fromY, long toX, long toY, int nAt)
{
    Segment* pSegment = new (std::nothrow) Segment(this, fromX, fromY, toX, toY);
    if (!pSegment)
    {
        MODEL_REPORT(IDS_MODEL_NOMEMSEGMENT);
        return nullptr;
    }
    if (nAt < 0)
        m_Segments.add(*pSegment);
    else
        m_Segments.InsertAt(nAt, *pSegment);
    SetModified();
    return pSegment;
}

void Goto::AppendSegment(Segment* pSegment)
{
    PXASSERT(pSegment != 0);
    pSegment->SetOwner(this);
    m_Segments.add(*pSegment);
}

int Goto::IndexOf(const Segment* pSegment) const
{
    for (int i = 0; i < GetSegmentCount(); ++i)
        if (&m_Segments[i] == pSegment)
            return i;
    return -1;
}

void Goto::RemoveSegment(Segment* pSegment)
{
    int nIndex = IndexOf(pSegment);
    if (nIndex < 0)
        return;
    m_Segments.detach(nIndex, TShouldDelete::Delete);
    SetModified();
}

void Goto::RemoveAllSegments()
{
    m_Segments.flush(TShouldDelete::Delete);
}

void Goto::MoveSegment(Segment* pSegment, long x, long y)
{
    int nIndex = IndexOf(pSegment);
    PXASSERT(nIndex >= 0);
    if (nIndex == 0 || nIndex == GetSegmentCount() - 1)
    {
        ShowStatusMessage(CString(MAKEINTRESOURCEA(IDS_MODEL_NOMOVEEND)), 1);
        return;
    }
    bool bVertical = pSegment->IsVertical();
    long oldFromX = pSegment->m_nFromX, oldFromY = pSegment->m_nFromY;
    long oldToX = pSegment->m_nToX, oldToY = pSegment->m_nToY;
    long newFromX = bVertical ? x : oldFromX, newFromY = bVertical ? oldFromY : y;
    long newToX = bVertical ? x : oldToX, newToY = bVertical ? oldToY : y;

    // Towards the output.
    Segment* pAfter = GetSegment(nIndex + 1);
    if (pAfter->IsVertical() == bVertical)
        AddSegment(oldFromX, oldFromY, newFromX, newFromY, nIndex + 1);
    else
        pAfter->SetTo(newFromX, newFromY);

    // Towards the target.
    Segment* pBefore = GetSegment(nIndex - 1);
    if (pBefore->IsVertical() == bVertical)
        AddSegment(newToX, newToY, oldToX, oldToY, nIndex);
    else
        pBefore->SetFrom(newToX, newToY);

    pSegment->Set(newFromX, newFromY, newToX, newToY);
    SetFlag(GOTO_FLAG_HANDEDIT);
    SetModified();
}

void Goto::SplitSegment(Segment* pSegment, long x, long y)
{
    int nIndex = IndexOf(pSegment);
    PXASSERT(nIndex >= 0);
    long breakX = pSegment->IsVertical() ? pSegment->m_nFromX : x;
    long breakY = pSegment->IsVertical() ? y : pSegment->m_nFromY;
    Segment* pToTarget = new (std::nothrow) Segment(this, breakX, breakY, pSegment->m_nToX, pSegment->m_nToY);
    Segment* pFromOutput =
        new (std::nothrow) Segment(this, pSegment->m_nFromX, pSegment->m_nFromY, breakX, breakY);
    if (!pToTarget || !pFromOutput)
    {
        delete pToTarget;
        delete pFromOutput;
        MODEL_REPORT(IDS_MODEL_NOMEMSEGMENT);
        return;
    }
    m_Segments.detach(nIndex, TShouldDelete::Delete);
    m_Segments.InsertAt(nIndex, *pFromOutput);
    m_Segments.InsertAt(nIndex, *pToTarget);
    SetFlag(GOTO_FLAG_HANDEDIT);
    SetModified();
}

void Goto::JoinSegment(Segment* pSegment)
{
    int nIndex = IndexOf(pSegment);
    PXASSERT(nIndex >= 0);
    for (int j = nIndex - 1; j >= 0; --j)
    {
        Segment* pPred = GetSegment(j);
        if (pPred->Direction() == pSegment->Direction())
        {
            pSegment->SetTo(pPred->m_nToX, pPred->m_nToY);
            m_Segments.detach(j, TShouldDelete::Delete);
            SetModified();
            return;
        }
        if (pPred->IsPoint())
        {
            m_Segments.detach(j, TShouldDelete::Delete);
            SetModified();
            continue;
        }
        ShowStatusMessage(CString(MAKEINTRESOURCEA(IDS_MODEL_NOJOIN)), 1);
        return;
    }
}

// ---- Connecting an output ------------------------------------------------

Goto* PowerBlock::Connect(PowerBlock* pTarget, const char* pszOutput, int bRegistered)
{
    if (FindGoto(pszOutput))
    {
        MODEL_REPORT(IDS_MODEL_GOTOEXISTS);
        return nullptr;
    }
    PBOutputEntry* pEntry = FindOutput(pszOutput);
    if (!pEntry || !pTarget)
    {
        MODEL_REPORT(IDS_MODEL_GOTOFAILED);
        return nullptr;
    }
    if (pEntry->flags & KVR_OUTPUT_GROUP)
    {
        // The members first; when one of them fails, those made here go
        // again, from the block and from the model.
        std::vector<Goto*> made;
        for (int i = 0; i < GetOutputCount(); ++i)
        {
            PBOutputEntry& member = GetInfo()->outputs[i];
            if ((member.flags & (KVR_OUTPUT_GROUP | KVR_OUTPUT_NEVERSHOWN)) || member.groupKey != pEntry->groupKey)
                continue;
            if (FindGoto(member.name))
                continue;
            Goto* pMember = new (std::nothrow) Goto(&member, this, pTarget, bRegistered);
            bool bFailed = !pMember || !pMember->GetTarget();
            if (bFailed)
            {
                MODEL_REPORT(pMember ? IDS_MODEL_GOTOFAILED : IDS_MODEL_NOMEMGOTO);
                delete pMember;
                for (Goto* pDone : made)
                    GetGotos().detach(*pDone, TShouldDelete::Delete);
                if (!made.empty())
                    SetModified();
                return nullptr;
            }
            GetGotos().add(*pMember);
            made.push_back(pMember);
            SetModified();
        }
    }
    Goto* pGoto = new (std::nothrow) Goto(pEntry, this, pTarget, bRegistered);
    if (!pGoto)
    {
        MODEL_REPORT(IDS_MODEL_NOMEMGOTO);
        return nullptr;
    }
    if (!pGoto->GetTarget())
    {
        MODEL_REPORT(IDS_MODEL_GOTOFAILED);
        delete pGoto;
        return nullptr;
    }
    GetGotos().add(*pGoto);
    HWND hMain = PXGetMainWindow();
    if (hMain && IsWindow(hMain))
        SendMessageA(hMain, WM_UI_BLOCKCHANGED, 0, 1);
    SetModified();
    return pGoto;
}
