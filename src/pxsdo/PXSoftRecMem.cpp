// Records with their own storage, and the list-field store that the
// application records share.
#include "PXSoftRecMem.h"
#include "PXFieldValue.h"
#include "PXMulStm.h"
#include "PXRecArray.h"
#include "PXSction.h"
#include "PXSRecDf.h"

#include <new>

PXSoftRecMem::PXSoftRecMem(WORD wRecordTypeId)
    : PXSoftRec(wRecordTypeId), m_nFields(0), m_ppStorage(nullptr), m_pwIds(nullptr), m_pwReps(nullptr),
      m_bComplete(FALSE)
{
}

PXSoftRecMem::~PXSoftRecMem()
{
    // Cells may hold record sets over the storage: they go first.
    DropCells();
    FreeStorage();
}

void PXSoftRecMem::FreeStorage()
{
    for (int i = 0; i < m_nFields; ++i)
    {
        void* p = m_ppStorage[i];
        if (!p)
            continue;
        switch (m_pwReps[i])
        {
        case PXFM_INT32:
        case PXFM_BOOL: delete static_cast<long*>(p); break;
        case PXFM_INT16: delete static_cast<short*>(p); break;
        case PXFM_STRING: delete static_cast<CString*>(p); break;
        case PXFM_OBARRAY:
        {
            PXObArray* pArray = static_cast<PXObArray*>(p);
            for (int j = 0; j < pArray->GetSize(); ++j)
                delete pArray->GetAt(j);
            delete pArray;
            break;
        }
        default: PXASSERT(0);
        }
    }
    delete[] m_ppStorage;
    delete[] m_pwIds;
    delete[] m_pwReps;
    m_ppStorage = nullptr;
    m_pwIds = nullptr;
    m_pwReps = nullptr;
    m_nFields = 0;
    m_bComplete = FALSE;
}

void PXSoftRecMem::Prepare(WORD)
{
    if (m_bComplete)
        return;
    PXSection* pData = GetDef()->GetDataSection();
    PXASSERT(pData!=0);
    int n = pData->GetNbStatements(PXKIND_BODY);
    if (!m_ppStorage)
    {
        void** ppStorage = new (std::nothrow) void*[n > 0 ? n : 1];
        WORD* pwIds = new (std::nothrow) WORD[n > 0 ? n : 1];
        PX_FLDS_MEM* pwReps = new (std::nothrow) PX_FLDS_MEM[n > 0 ? n : 1];
        if (!ppStorage || !pwIds || !pwReps)
        {
            delete[] ppStorage;
            delete[] pwIds;
            delete[] pwReps;
            PXTHROW_XMEM(0);
        }
        for (int i = 0; i < n; ++i)
            ppStorage[i] = nullptr;
        m_ppStorage = ppStorage;
        m_pwIds = pwIds;
        m_pwReps = pwReps;
    }
    // The tables keep what was made so far when an allocation fails; the
    // next access makes the rest.
    for (int i = 0; i < n; ++i)
    {
        if (i < m_nFields && m_ppStorage[i])
            continue;
        WORD wId = pData->GetStatement(PXKIND_BODY, i)->GetParam(0);
        PX_FLDS_MEM wRep = GetMemRep(wId);
        m_pwIds[i] = wId;
        m_pwReps[i] = wRep;
        if (m_nFields < i + 1)
            m_nFields = i + 1;
        void* p = nullptr;
        switch (wRep)
        {
        case PXFM_INT32:
        case PXFM_BOOL: p = new (std::nothrow) long(0); break;
        case PXFM_INT16: p = new (std::nothrow) short(0); break;
        case PXFM_STRING: p = new (std::nothrow) CString; break;
        // A list field holds its records as the stored array that a record
        // set reads.
        case PXFM_OBARRAY: p = new (std::nothrow) PXObArray; break;
        default: m_nFields = i; PXASSERT(0);
        }
        if (!p)
            PXTHROW_XMEM(0);
        m_ppStorage[i] = p;
    }
    m_bComplete = TRUE;
}

void* PXSoftRecMem::GetFieldMem(WORD wFieldId)
{
    Prepare(wFieldId);
    for (int i = 0; i < m_nFields; ++i)
        if (m_pwIds[i] == wFieldId)
            return m_ppStorage[i];
    PXASSERT(0);
}

void PXSoftRecMem::CopyFrom(PXSoftRec& rSoftRec)
{
    PXASSERT(GetID()==rSoftRec.GetID());
    PXSection* pData = GetDef()->GetDataSection();
    PXASSERT(pData!=0);
    int n = pData->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        WORD wId = pData->GetStatement(PXKIND_BODY, i)->GetParam(0);
        PXFieldValue(wId, this).Assign(PXFieldValue(wId, &rSoftRec));
    }
}

int PXSoftRecMem::StoreField(WORD wFieldId)
{
    if (GetMemRep(wFieldId) == PXFM_OBARRAY)
        return PXCommitListField(this, wFieldId);
    return PXSoftRec::StoreField(wFieldId);
}

int PXCommitListField(PXSoftRec* pRec, WORD wFieldId)
{
    PXRecArray* pList = PXFieldValue(wFieldId, pRec).GetRecArray();
    PXRecArray overlay(pList);
    return overlay.Commit();
}
