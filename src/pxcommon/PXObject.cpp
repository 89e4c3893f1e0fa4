// Containers of object pointers and words. Room starts at 11 and grows two
// slots at a time; new slots are null.
#include "PXafx.h"
#include "PXObject.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int kInitialRoom = 11;
const int kGrowBy = 2;

// The room that holds nNeeded: the current room plus whole growth steps.
int RoomFor(int nRoom, int nNeeded)
{
    long long n = nRoom;
    while (n < nNeeded)
        n += kGrowBy;
    return n > 0x7fffffff ? -1 : static_cast<int>(n);
}

PXContainerReallocFn g_pfnRealloc = realloc;

} // namespace

PXContainerReallocFn PXSetContainerRealloc(PXContainerReallocFn pfn)
{
    PXContainerReallocFn pfnOld = g_pfnRealloc;
    g_pfnRealloc = pfn ? pfn : realloc;
    return pfnOld;
}

// ---------------------------------------------------------------------------
// PXObArray

PXObArray::PXObArray()
    : m_pArray(nullptr), m_nSize(0), m_nRoom(0)
{
    m_pArray = static_cast<PXObject**>(calloc(kInitialRoom, sizeof(PXObject*)));
    if (!m_pArray)
        PXTHROW_XMEM(0);
    m_nRoom = kInitialRoom;
}

PXObArray::~PXObArray()
{
    PXASSERT(m_pArray);
    free(m_pArray);
}

bool PXObArray::Grow(int nNeeded)
{
    if (nNeeded <= m_nRoom)
        return true;
    int nRoom = RoomFor(m_nRoom, nNeeded);
    if (nRoom < 0 || static_cast<size_t>(nRoom) > SIZE_MAX / sizeof(PXObject*))
        return false;
    PXObject** p = static_cast<PXObject**>(g_pfnRealloc(m_pArray, nRoom * sizeof(PXObject*)));
    if (!p)
        return false;
    memset(p + m_nRoom, 0, (nRoom - m_nRoom) * sizeof(PXObject*));
    m_pArray = p;
    m_nRoom = nRoom;
    return true;
}

PXObject* PXObArray::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nSize)
        PXAssertFailed("(0)", __FILE__, __LINE__);
    return m_pArray[nIndex];
}

int PXObArray::Add(PXObject* pOb)
{
    if (m_nSize == 0x7fffffff || !Grow(m_nSize + 1))
        return 0;
    m_pArray[m_nSize++] = pOb;
    return 1;
}

void PXObArray::InsertAt(int nIndex, PXObject* pOb, int nCount)
{
    PXASSERT(nIndex >= 0);
    PXASSERT(nCount > 0);
    int nOldSize = m_nSize;
    long long nNewSize = (nIndex >= nOldSize ? static_cast<long long>(nIndex) : nOldSize) + nCount;
    PXASSERT(nNewSize <= 0x7fffffff);
    if (!Grow(static_cast<int>(nNewSize)))
        PXTHROW_XMEM(0);
    if (nIndex < nOldSize)
        memmove(m_pArray + nIndex + nCount, m_pArray + nIndex, (nOldSize - nIndex) * sizeof(PXObject*));
    else
        memset(m_pArray + nOldSize, 0, (nIndex - nOldSize) * sizeof(PXObject*));
    for (int i = 0; i < nCount; ++i)
        m_pArray[nIndex + i] = pOb;
    m_nSize = static_cast<int>(nNewSize);
}

void PXObArray::RemoveAt(int nIndex, int nCount)
{
    PXASSERT(nIndex >= 0);
    PXASSERT(nCount >= 0);
    PXASSERT(nIndex<GetSize());
    PXASSERT(nIndex+nCount-1<GetSize());
    int nMove = m_nSize - (nIndex + nCount);
    if (nMove > 0)
        memmove(m_pArray + nIndex, m_pArray + nIndex + nCount, nMove * sizeof(PXObject*));
    m_nSize -= nCount;
    memset(m_pArray + m_nSize, 0, nCount * sizeof(PXObject*));
}

// ---------------------------------------------------------------------------
// PXObQueue

void PXObQueue::Enqueue(PXObject* pOb)
{
    // Counted only once stored: a failed insertion leaves the queue as it was.
    InsertAt(m_nLast + 1, pOb, 1);
    ++m_nLast;
}

PXObject* PXObQueue::Dequeue()
{
    PXASSERT(!IsEmpty());
    PXObject* pOb = GetAt(0);
    RemoveAt(0, 1);
    --m_nLast;
    return pOb;
}

// ---------------------------------------------------------------------------
// PXWordArray

PXWordArray::PXWordArray()
    : m_pArray(nullptr), m_nSize(0), m_nRoom(0)
{
    m_pArray = static_cast<WORD*>(calloc(kInitialRoom, sizeof(WORD)));
    if (!m_pArray)
        PXTHROW_XMEM(IDS_PX_NEWWORDARRAY);
    m_nRoom = kInitialRoom;
}

PXWordArray::~PXWordArray()
{
    PXASSERT(m_pArray);
    free(m_pArray);
}

bool PXWordArray::Grow(int nNeeded)
{
    if (nNeeded <= m_nRoom)
        return true;
    int nRoom = RoomFor(m_nRoom, nNeeded);
    if (nRoom < 0)
        return false;
    WORD* p = static_cast<WORD*>(g_pfnRealloc(m_pArray, static_cast<size_t>(nRoom) * sizeof(WORD)));
    if (!p)
        return false;
    memset(p + m_nRoom, 0, (nRoom - m_nRoom) * sizeof(WORD));
    m_pArray = p;
    m_nRoom = nRoom;
    return true;
}

WORD PXWordArray::GetAt(int nIndex) const
{
    PXASSERT(nIndex >= 0);
    PXASSERT(nIndex<GetSize());
    return m_pArray[nIndex];
}

void PXWordArray::SetAt(int nIndex, WORD w)
{
    PXASSERT(nIndex >= 0);
    PXASSERT(nIndex<GetSize());
    m_pArray[nIndex] = w;
}

int PXWordArray::Add(WORD w)
{
    if (m_nSize == 0x7fffffff || !Grow(m_nSize + 1))
        return 0;
    m_pArray[m_nSize++] = w;
    return 1;
}

void PXWordArray::InsertAt(int nIndex, WORD w, int nCount)
{
    PXASSERT(nIndex >= 0);
    PXASSERT(nCount > 0);
    int nOldSize = m_nSize;
    long long nNewSize = (nIndex >= nOldSize ? static_cast<long long>(nIndex) : nOldSize) + nCount;
    PXASSERT(nNewSize <= 0x7fffffff);
    if (!Grow(static_cast<int>(nNewSize)))
        PXTHROW_XMEM(IDS_PX_NEWWORDARRAY);
    if (nIndex < nOldSize)
        memmove(m_pArray + nIndex + nCount, m_pArray + nIndex, (nOldSize - nIndex) * sizeof(WORD));
    else
        memset(m_pArray + nOldSize, 0, (nIndex - nOldSize) * sizeof(WORD));
    for (int i = 0; i < nCount; ++i)
        m_pArray[nIndex + i] = w;
    m_nSize = static_cast<int>(nNewSize);
}

void PXWordArray::InsertAtIndex(int nIndex, WORD w)
{
    // Checked like every other index: a bad one never writes outside the array.
    PXASSERT(nIndex >= 0);
    PXASSERT(nIndex <= GetSize());
    InsertAt(nIndex, w, 1);
}

// ---------------------------------------------------------------------------
// PXMapWordToOb

PXMapWordToOb::~PXMapWordToOb()
{
    RemoveAll();
}

PXMapWordToOb::ImplPair* PXMapWordToOb::PairAt(int nIndex) const
{
    ImplPair* pIP = static_cast<ImplPair*>(GetAt(nIndex));
    PXASSERT(pIP!=0);
    return pIP;
}

int PXMapWordToOb::FindKey(WORD wKey) const
{
    for (int i = 0; i < GetSize(); ++i)
        if (PairAt(i)->m_wKey == wKey)
            return i;
    return -1;
}

int PXMapWordToOb::Lookup(UINT nKey, PXObject*& rValue) const
{
    int i = FindKey(LOWORD(nKey));
    if (i < 0)
        return 0;
    rValue = PairAt(i)->m_pValue;
    return 1;
}

void PXMapWordToOb::SetAt(UINT nKey, PXObject* pValue)
{
    int i = FindKey(LOWORD(nKey));
    if (i >= 0)
    {
        PairAt(i)->m_pValue = pValue;
        return;
    }
    ImplPair* pIP = new ImplPair(LOWORD(nKey), pValue);
    if (!Add(pIP))
    {
        delete pIP;
        PXTHROW_XMEM(0);
    }
}

void PXMapWordToOb::RemoveKey(UINT nKey)
{
    int i = FindKey(LOWORD(nKey));
    if (i < 0)
        return;
    ImplPair* pIP = PairAt(i);
    RemoveAt(i, 1);
    delete pIP;
}

void PXMapWordToOb::RemoveAll()
{
    for (int i = GetSize() - 1; i >= 0; --i)
    {
        ImplPair* pIP = PairAt(i);
        RemoveAt(i, 1);
        delete pIP;
    }
}

void PXMapWordToOb::GetNextAssoc(int& rNextPosition, WORD& rKey, PXObject*& rValue) const
{
    PXASSERT(rNextPosition!=0);
    PXASSERT(rNextPosition > 0 && rNextPosition <= GetSize());
    ImplPair* pIP = PairAt(rNextPosition - 1);
    rKey = pIP->m_wKey;
    rValue = pIP->m_pValue;
    rNextPosition = (rNextPosition < GetSize()) ? rNextPosition + 1 : 0;
}
