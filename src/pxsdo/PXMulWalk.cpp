// The walk over the statements of a list that apply to a record: conditions
// are evaluated when the walk reaches them, and a position inside a
// condition's block keeps the branch chosen then.
#include "PXMulStm.h"
#include "PXCondSt.h"

#include <new>

BOOL PXMultiLineStatement::FindApplicable(int nKind, PXSoftRec* pRec, int i, PXStatementPos& rPos)
{
    int n = GetNbStatements(nKind);
    for (; i < n; ++i)
    {
        PXStatement* pStatement = GetStatement(nKind, i);
        PXCondStatementPos* pNested = nullptr;
        if (pStatement->GetType() == PXTOK_COND)
        {
            pNested = static_cast<PXCondStatement*>(pStatement)->GetFirstPosInBranch(nKind, pRec);
            if (!pNested)
                continue;
        }
        delete rPos.m_pCondStatementPos;
        rPos.m_nIndex = i;
        rPos.m_pCondStatementPos = pNested;
        return TRUE;
    }
    return FALSE;
}

PXStatementPos* PXMultiLineStatement::GetFirstPos(int nKind, PXSoftRec* pRec, PXStatementPos*& pPos, BOOL bCreate)
{
    PXStatementPos* pSPos = pPos;
    if (bCreate)
        PXASSERT(pSPos==0);
    if (!pPos)
    {
        pPos = new (std::nothrow) PXStatementPos;
        if (!pPos)
            PXTHROW_XMEM(0);
    }
    BOOL bFound;
    try
    {
        bFound = FindApplicable(nKind, pRec, 0, *pPos);
    }
    catch (...)
    {
        delete pPos;
        pPos = nullptr;
        throw;
    }
    if (!bFound)
    {
        delete pPos;
        pPos = nullptr;
    }
    return pPos;
}

PXStatementPos* PXMultiLineStatement::GetNextPos(int nKind, PXSoftRec* pRec, PXStatementPos*& pPos)
{
    PXStatementPos* pSPos = pPos;
    PXASSERT(pSPos!=0);
    int i = pSPos->m_nIndex;
    int sType = nKind;
    PXASSERT(i<GetNbStatements(sType));
    PXStatement* pStatement = GetStatement(nKind, i);
    if (pSPos->GetCondStatementPos())
    {
        PXStatement* pCS = pStatement;
        PXASSERT(pCS->GetType()==0x3001);
        PXCondStatementPos* pNested = pSPos->m_pCondStatementPos;
        try
        {
            static_cast<PXCondStatement*>(pCS)->GetNextPosInBranch(nKind, pRec, pNested);
        }
        catch (...)
        {
            // The block's walk has freed its position; this one goes too.
            pSPos->m_pCondStatementPos = pNested;
            delete pPos;
            pPos = nullptr;
            throw;
        }
        pSPos->m_pCondStatementPos = pNested;
        if (pNested)
            return pSPos;
    }
    BOOL bFound;
    try
    {
        bFound = FindApplicable(nKind, pRec, i + 1, *pSPos);
    }
    catch (...)
    {
        delete pPos;
        pPos = nullptr;
        throw;
    }
    if (!bFound)
    {
        delete pPos;
        pPos = nullptr;
    }
    return pPos;
}

PXStatement* PXMultiLineStatement::GetStatementAt(int nKind, const PXStatementPos* pPos) const
{
    PXASSERT(pPos!=0);
    PXStatement* pStatement = GetStatement(nKind, pPos->m_nIndex);
    if (!pPos->GetCondStatementPos())
        return pStatement;
    PXASSERT(pStatement->GetType()==0x3001);
    return static_cast<PXCondStatement*>(pStatement)->GetStatementAtInBranch(nKind, pPos->GetCondStatementPos());
}

