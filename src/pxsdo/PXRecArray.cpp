// Record arrays: bookkeeping over a stored list or a parent array, merge of
// an overlay, commit into the stored list; sorting; record sets; finders.
#include "PXRecArray.h"
#include "PXFieldValue.h"
#include "PXSoftRec.h"
#include "PXSoftRecMem.h"

#include <new>

// ---------------------------------------------------------------------------
// PXRecArrayBase

PXRecArrayBase::PXRecArrayBase()
    : m_pMap(nullptr), m_pRemoved(nullptr), m_pParent(nullptr), m_pObArray(nullptr),
      m_nRemoved(0), m_nAdded(0), m_nEdited(0)
{
}

PXRecArrayBase::~PXRecArrayBase()
{
    if (m_pMap)
    {
        int pos = m_pMap->GetStartPosition();
        while (pos)
        {
            WORD wKey;
            PXObject* pOb;
            m_pMap->GetNextAssoc(pos, wKey, pOb);
            delete pOb;
        }
        delete m_pMap;
    }
    delete m_pRemoved;
}

// ---------------------------------------------------------------------------
// PXRecArray

PXRecArray::PXRecArray()
{
}

PXRecArray::PXRecArray(PXRecArray* pParent)
{
    PXASSERT(pParent!=0);
    m_pParent = pParent;
}

PXRecArray::PXRecArray(PXObArray* pObArray)
{
    PXASSERT(pObArray!=0);
    m_pObArray = pObArray;
}

PXRecArray::~PXRecArray()
{
}

PXMapWordToOb& PXRecArray::Map()
{
    if (!m_pMap)
    {
        m_pMap = new (std::nothrow) PXMapWordToOb;
        if (!m_pMap)
            PXTHROW_XMEM(0);
    }
    return *m_pMap;
}

PXSoftRec* PXRecArray::MapAt(int nPosition) const
{
    PXObject* pOb = nullptr;
    if (m_pMap && m_pMap->Lookup(static_cast<UINT>(nPosition), pOb))
        return static_cast<PXSoftRec*>(pOb);
    return nullptr;
}

void PXRecArray::MapSet(int nPosition, PXSoftRec* pRec)
{
    PXASSERT(nPosition>=0&&nPosition<=0xFFFF);
    Map().SetAt(static_cast<UINT>(nPosition), pRec);
}

int PXRecArray::GetBaseSize() const
{
    if (m_pParent)
        return m_pParent->GetSize();
    return m_pObArray ? m_pObArray->GetSize() : 0;
}

int PXRecArray::GetSize() const
{
    return GetBaseSize() + m_nAdded - m_nRemoved;
}

BOOL PXRecArray::IsEdited(int nPosition) const
{
    return nPosition < GetBaseSize() && MapAt(nPosition) != nullptr;
}

BOOL PXRecArray::IsAdded(int nPosition) const
{
    return nPosition >= GetBaseSize() && MapAt(nPosition) != nullptr;
}

int PXRecArray::PositionOf(int nIndex) const
{
    int p = nIndex;
    for (int i = 0; m_pRemoved && i < m_pRemoved->GetSize(); ++i)
        if (m_pRemoved->GetAt(i) <= p)
            ++p;
    return p;
}

int PXRecArray::IndexOf(int nPosition) const
{
    int n = nPosition;
    for (int i = 0; m_pRemoved && i < m_pRemoved->GetSize(); ++i)
        if (m_pRemoved->GetAt(i) < nPosition)
            --n;
    return n;
}

void PXRecArray::InsertRemoved(int nPosition)
{
    if (!m_pRemoved)
    {
        m_pRemoved = new (std::nothrow) PXWordArray;
        if (!m_pRemoved)
            PXTHROW_XMEM(0);
    }
    int i = 0;
    while (i < m_pRemoved->GetSize() && m_pRemoved->GetAt(i) < nPosition)
        ++i;
    m_pRemoved->InsertAtIndex(i, static_cast<WORD>(nPosition));
    ++m_nRemoved;
}

PXSoftRec* PXRecArray::Peek(int nIndex) const
{
    PXASSERT(nIndex>=0&&nIndex<GetSize());
    int p = PositionOf(nIndex);
    if (PXSoftRec* pRec = MapAt(p))
        return pRec;
    if (m_pParent)
        return m_pParent->Peek(p);
    PXASSERT(m_pObArray!=0);
    return static_cast<PXSoftRec*>(m_pObArray->GetAt(p));
}

PXSoftRec* PXRecArray::GetAt(int nIndex)
{
    PXASSERT(nIndex>=0&&nIndex<GetSize());
    int p = PositionOf(nIndex);
    if (PXSoftRec* pRec = MapAt(p))
        return pRec;
    // An added position must be in the map.
    if (p >= GetBaseSize())
        PXASSERT(0);
    PXSoftRec* pParentSRec = m_pParent ? m_pParent->Peek(p)
                                       : static_cast<PXSoftRec*>(m_pObArray ? m_pObArray->GetAt(p) : nullptr);
    PXASSERT(pParentSRec!=0);
    PXSoftRec* pSRec = PXSoftRec::Create(pParentSRec->GetTypeId(), FALSE);
    PXASSERT(pSRec!=0);
    try
    {
        pSRec->CopyFrom(*pParentSRec);
        MapSet(p, pSRec);
    }
    catch (...)
    {
        delete pSRec;
        throw;
    }
    ++m_nEdited;
    return pSRec;
}

int PXRecArray::Add(PXSoftRec* pRec)
{
    PXASSERT(pRec!=0);
    int p = GetBaseSize() + m_nAdded;
    MapSet(p, pRec);
    ++m_nAdded;
    return IndexOf(p);
}

void PXRecArray::RemoveAt(int nIndex)
{
    PXASSERT(nIndex>=0&&nIndex<GetSize());
    int adjI = PositionOf(nIndex);
    int nBase = GetBaseSize();
    if (adjI >= nBase)
    {
        // An added record: it goes, and the later ones move down.
        PXSoftRec* pRec = MapAt(adjI);
        PXASSERT(pRec!=0);
        m_pMap->RemoveKey(static_cast<UINT>(adjI));
        delete pRec;
        --m_nAdded;
        for (int p = adjI + 1; p <= nBase + m_nAdded; ++p)
        {
            PXSoftRec* pLater = MapAt(p);
            PXASSERT(pLater!=0);
            m_pMap->RemoveKey(static_cast<UINT>(p));
            MapSet(p - 1, pLater);
        }
        return;
    }
    if (PXSoftRec* pCopy = MapAt(adjI))
    {
        PXASSERT(IsEdited(adjI));
        InsertRemoved(adjI);
        m_pMap->RemoveKey(static_cast<UINT>(adjI));
        delete pCopy;
        --m_nEdited;
        return;
    }
    InsertRemoved(adjI);
}

void PXRecArray::Collect(PXWordArray& rEdited, PXWordArray& rAdded) const
{
    int nBase = GetBaseSize();
    if (!m_pMap)
        return;
    int pos = m_pMap->GetStartPosition();
    while (pos)
    {
        WORD wPos;
        PXObject* pOb;
        m_pMap->GetNextAssoc(pos, wPos, pOb);
        if (wPos < nBase && !rEdited.Add(wPos))
            PXTHROW_XMEM(0);
    }
    for (int p = nBase; p < nBase + m_nAdded; ++p)
        if (!rAdded.Add(static_cast<WORD>(p)))
            PXTHROW_XMEM(0);
}

void PXRecArray::Merge(PXRecArray& rOther)
{
    PXRecArrayBase& rRecArrayBase = rOther;
    if (rOther.m_pParent != this)
    {
        PXASSERT(rRecArrayBase.m_nAdded==0);
        PXASSERT(rRecArrayBase.m_nRemoved==0);
        PXASSERT(rRecArrayBase.m_nEdited==0);
        PXASSERT(m_nAdded==0);
        PXASSERT(m_nRemoved==0);
        PXASSERT(m_nEdited==0);
        if (m_pObArray && m_pObArray == rOther.m_pObArray)
            return;
        // An empty array takes over the other's stored list.
        PXASSERT(m_pParent==0);
        PXASSERT(m_pObArray==0);
        PXASSERT(rRecArrayBase.m_pParent==0);
        m_pObArray = rOther.m_pObArray;
        return;
    }

    PXWordArray edited, added;
    rOther.Collect(edited, added);
    for (int i = 0; i < edited.GetSize(); ++i)
    {
        WORD p = edited.GetAt(i);
        GetAt(p)->CopyFrom(*rOther.MapAt(p));
    }
    for (int i = 0; i < added.GetSize(); ++i)
    {
        PXSoftRec* pAdded = rOther.MapAt(added.GetAt(i));
        PXASSERT(pAdded!=0);
        PXSoftRec* pNew = PXSoftRec::Create(pAdded->GetTypeId(), FALSE);
        try
        {
            pNew->CopyFrom(*pAdded);
            Add(pNew);
        }
        catch (...)
        {
            delete pNew;
            throw;
        }
    }
    for (int i = rOther.m_pRemoved ? rOther.m_pRemoved->GetSize() - 1 : -1; i >= 0; --i)
        RemoveAt(rOther.m_pRemoved->GetAt(i));
}

int PXRecArray::Commit()
{
    PXASSERT(m_pParent!=0);
    PXASSERT(m_nAdded==0);
    PXASSERT(m_nRemoved==0);
    PXASSERT(m_nEdited==0);
    PXRecArray* pRAB = m_pParent;
    PXASSERT(pRAB->m_pObArray!=0);
    PXObArray& rStored = *pRAB->m_pObArray;

    PXWordArray edited, added;
    pRAB->Collect(edited, added);

    // An edited record that its own verification refuses stops the commit
    // before anything of the list changes; its messages are shown.
    for (int i = 0; i < edited.GetSize(); ++i)
    {
        PXSoftRec* pCopy = pRAB->MapAt(edited.GetAt(i));
        if (pCopy->Verify(TRUE) != 1 && pCopy->Verify(FALSE) != 1)
            return 0;
    }

    int nResult = 1;
    for (int i = 0; i < edited.GetSize(); ++i)
    {
        WORD p = edited.GetAt(i);
        PXSoftRec* pStoredRec = static_cast<PXSoftRec*>(rStored.GetAt(p));
        PXASSERT(pStoredRec!=0);
        pStoredRec->CopyFrom(*pRAB->MapAt(p));
        if (pStoredRec->Commit() != 1)
            nResult = 0;
    }

    for (int i = 0; i < added.GetSize(); ++i)
    {
        PXSoftRec* pAdded = pRAB->MapAt(added.GetAt(i));
        PXASSERT(pAdded!=0);
        WORD wType = pAdded->GetTypeId();
        PXSoftRec* pNew = PXSoftRec::Create(wType, PXSoftRec::HasTypedClass(wType));
        try
        {
            pNew->CopyFrom(*pAdded);
            PXSoftRecDataLink* pLink = dynamic_cast<PXSoftRecDataLink*>(pNew);
            if (pLink && pLink->Insert() != 1)
            {
                delete pNew;
                continue;
            }
            if (!rStored.Add(pNew))
                PXTHROW_XMEM(0);
        }
        catch (...)
        {
            delete pNew;
            throw;
        }
    }

    for (int i = pRAB->m_pRemoved ? pRAB->m_pRemoved->GetSize() - 1 : -1; i >= 0; --i)
    {
        int p = pRAB->m_pRemoved->GetAt(i);
        PXSoftRec* pStoredRec = static_cast<PXSoftRec*>(rStored.GetAt(p));
        PXSoftRecDataLink* pLink = dynamic_cast<PXSoftRecDataLink*>(pStoredRec);
        if (pLink && pLink->Remove() != 1)
            continue;
        rStored.RemoveAt(p);
        delete pStoredRec;
    }
    return nResult;
}

// ---------------------------------------------------------------------------
// PXSortRecArray

PXSortRecArray::~PXSortRecArray()
{
    delete m_pSortedIndex;
}

void PXSortRecArray::Sort(WORD wFieldId, BOOL bAscending)
{
    int n = GetSize();
    // An index made for another count of records is made anew.
    if (m_pSortedIndex && m_pSortedIndex->GetSize() != n)
    {
        delete m_pSortedIndex;
        m_pSortedIndex = nullptr;
    }
    if (!m_pSortedIndex)
    {
        m_pSortedIndex = new (std::nothrow) PXWordArray;
        if (!m_pSortedIndex)
            PXTHROW_XMEM(0);
        for (int i = 0; i < n; ++i)
            if (!m_pSortedIndex->Add(static_cast<WORD>(i)))
                PXTHROW_XMEM(0);
    }
    for (int i = 0; i < n - 1; ++i)
    {
        int nBest = i;
        for (int j = i + 1; j < n; ++j)
        {
            PXFieldValue candidate(wFieldId, GetAt(j));
            PXFieldValue best(wFieldId, GetAt(nBest));
            int bLess = candidate.IsLess(best);
            if (bAscending ? bLess : !bLess)
                nBest = j;
        }
        if (nBest != i)
        {
            WORD w = m_pSortedIndex->GetAt(i);
            m_pSortedIndex->SetAt(i, m_pSortedIndex->GetAt(nBest));
            m_pSortedIndex->SetAt(nBest, w);
        }
    }
}

PXSoftRec* PXSortRecArray::GetAt(int nSortedPos)
{
    if (!m_pSortedIndex)
        return PXRecArray::GetAt(nSortedPos);
    return PXRecArray::GetAt(m_pSortedIndex->GetAt(nSortedPos));
}

// ---------------------------------------------------------------------------
// PXSoftRecSet

PXSoftRecSet::PXSoftRecSet() : m_pRecordArray(nullptr)
{
    m_pRecordArray = new (std::nothrow) PXRecArray;
    if (!m_pRecordArray)
        PXTHROW_XMEM(0);
}

PXSoftRecSet::PXSoftRecSet(const void* pStorage, PX_FLDS_MEM wMemRepresentation) : m_pRecordArray(nullptr)
{
    PXASSERT(wMemRepresentation==0x8800);
    PXASSERT(pStorage!=0);
    m_pRecordArray = new (std::nothrow) PXRecArray(static_cast<PXObArray*>(const_cast<void*>(pStorage)));
    if (!m_pRecordArray)
        PXTHROW_XMEM(0);
}

PXSoftRecSet::~PXSoftRecSet()
{
    delete m_pRecordArray;
}

PXRecArray* PXSoftRecSet::GetRecArray()
{
    PXASSERT(m_pRecordArray!=0);
    return m_pRecordArray;
}

PXValue& PXSoftRecSet::operator=(const PXValue& rValue)
{
    PXASSERT(rValue.GetType()==PXST_RECORDSET);
    return operator=(*const_cast<PXValue&>(rValue).GetRecArray());
}

PXValue& PXSoftRecSet::operator=(PXRecArray& rRecArray)
{
    GetRecArray()->Merge(rRecArray);
    return *this;
}

// ---------------------------------------------------------------------------
// Finders

int PXFindRecIndexSorted(WORD wFieldId, const PXFieldValue& rValue, PXSortRecArray& rArray)
{
    for (int i = 0; i < rArray.GetSize(); ++i)
        if (PXFieldValue(wFieldId, rArray.GetAt(i)).IsEqual(rValue))
            return i;
    return -1;
}

int PXFindRecIndexByValue(WORD wFieldId, const PXFieldValue& rValue, PXRecArray& rArray)
{
    for (int i = 0; i < rArray.GetSize(); ++i)
        if (PXFieldValue(wFieldId, rArray.GetAt(i)).IsEqual(rValue))
            return i;
    return -1;
}

int PXFindRecIndexByInt(WORD wFieldId, long lValue, PXRecArray& rArray)
{
    for (int i = 0; i < rArray.GetSize(); ++i)
        if (*PXFieldValue(wFieldId, rArray.GetAt(i)).GetInt32() == lValue)
            return i;
    return -1;
}

int PXFindRecIndexByText(WORD wFieldId, CString text, PXRecArray& rArray)
{
    for (int i = 0; i < rArray.GetSize(); ++i)
        if (lstrcmpA(*PXFieldValue(wFieldId, rArray.GetAt(i)).GetText(), text) == 0)
            return i;
    return -1;
}

int PXFindRecIndexByStringId(WORD wFieldId, UINT nStringId, PXRecArray& rArray)
{
    if (rArray.GetSize() == 0)
        return -1;
    if (rArray.GetAt(0)->GetFieldType(wFieldId) != PXST_TEXT)
    {
        PXASSERT(0);
        return -1;
    }
    CString text;
    text.LoadString(nStringId);
    return PXFindRecIndexByText(wFieldId, text, rArray);
}
