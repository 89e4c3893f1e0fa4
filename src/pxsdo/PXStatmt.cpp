// Statements: the words of one coded line and how they are read.
#include "PXStatmt.h"
#include "PXResNav.h"
#include "PXSdoRes.h"

#include <new>

PXStatement::PXStatement()
    : m_pParams(nullptr), m_nFixed(0)
{
    m_pParams = new (std::nothrow) PXWordArray;
    if (!m_pParams)
        PXTHROW_XMEM(IDS_SDO_NEWWORDARRAY);
}

PXStatement::~PXStatement()
{
    delete m_pParams;
}

void PXStatement::Validate()
{
    PXASSERT(0);
}

int PXStatement::GetNbOptional()
{
    PXASSERT(0);
}

int PXStatement::GetOptIndex(WORD wFlag)
{
    PXASSERT(0);
}

void PXStatement::CheckFirstParam() const
{
    PXASSERT(m_pParams->GetAt(1)!=(WORD)0);
}

void PXStatement::AddParam(WORD w)
{
    if (!m_pParams->Add(w))
        PXTHROW_XMEM(IDS_SDO_NEWWORDARRAY);
}

void PXStatement::Read(PXResNav& rResNav)
{
    AddParam(rResNav.GetCurrentToken());
    for (int i = 0; i < m_nFixed; ++i)
        AddParam(rResNav.GetNextToken());
    int nOptional = GetNbOptional();
    PXASSERT(nOptional >= 0);
    for (int i = 0; i < nOptional; ++i)
        AddParam(rResNav.GetNextToken());
}

WORD PXStatement::GetOptParamByFlag(WORD wFlag)
{
    return GetOptParam(GetOptIndex(wFlag));
}

BOOL PXStatement::IsEqual(const PXStatement& rOther) const
{
    int n = m_pParams->GetSize();
    if (rOther.m_pParams->GetSize() < n)
        return FALSE;
    for (int i = 0; i < n; ++i)
        if (m_pParams->GetAt(i) != rOther.m_pParams->GetAt(i))
            return FALSE;
    return TRUE;
}

PXStatementPos::~PXStatementPos()
{
    delete m_pCondStatementPos;
}
