// Conditions: their words and how their then and else blocks are read.
#include "PXCondSt.h"
#include "PXResNav.h"
#include "PXSction.h"

#include <new>

PXCondStatement::PXCondStatement()
    : m_ResultDecision(ResultNone), m_pThenBlock(nullptr), m_pElseBlock(nullptr), m_pSection(nullptr)
{
    m_nFixed = 2;
}

PXCondStatement::~PXCondStatement()
{
    delete m_pThenBlock;
    delete m_pElseBlock;
}

int PXCondStatement::GetNbOptional()
{
    CheckFirstParam();
    if (HasStyle(0x8000 | PXCOND_RANGEINCL) || HasStyle(0x8000 | PXCOND_RANGEEXCL))
        return 2;
    if (HasStyle(0x8000 | PXCOND_EMPTY) || HasStyle(0x8000 | PXCOND_MINLENGTH))
        return 0;
    return 1;
}

PXSection* PXCondStatement::GetBlock(PXSection*& rpBlock)
{
    if (!rpBlock)
    {
        rpBlock = new (std::nothrow) PXSection;
        if (!rpBlock)
            PXTHROW_XMEM(0);
        rpBlock->SetSection(m_pSection);
    }
    return rpBlock;
}

PXSection* PXCondStatement::GetThenBlock()
{
    return GetBlock(m_pThenBlock);
}

PXSection* PXCondStatement::GetElseBlock()
{
    return GetBlock(m_pElseBlock);
}

void PXCondStatement::Read(PXResNav& rResNav)
{
    PXStatement::Read(rResNav);
    m_ResultDecision = ResultNone;
    PXResNav* pResNav = &rResNav;
    WORD wToken = rResNav.GetNextToken();
    if (wToken == PXW_BEGIN)
    {
        for (;;)
        {
            wToken = rResNav.GetNextToken();
            if (wToken == PXW_END || wToken == PXW_CLOSE)
                break;
            if (wToken == PXW_THEN)
                m_ResultDecision = ResultThen;
            else if (wToken == PXW_ELSE)
                m_ResultDecision = ResultElse;
            else
            {
                if (m_ResultDecision == ResultNone)
                    m_ResultDecision = ResultThen;
                ReadIntoBlock(wToken, rResNav);
            }
        }
        PXASSERT(pResNav->GetCurrentToken()==0x0002);
    }
    else
    {
        // Without a block exactly one statement follows: the then block.
        m_ResultDecision = ResultThen;
        if (wToken != PXW_CLOSE)
            ReadIntoBlock(wToken, rResNav);
    }
}

void PXCondStatement::ReadIntoBlock(WORD wToken, PXResNav& rResNav)
{
    PXASSERT(m_ResultDecision!=ResultNone);
    // A block takes its body rule from the section holding the condition.
    PXASSERT(m_pSection!=0);
    PXSection* pBlock = (m_ResultDecision == ResultThen) ? GetThenBlock() : GetElseBlock();
    pBlock->CheckBodyToken(wToken);
    pBlock->AddStatement(wToken, 6, rResNav);
}
