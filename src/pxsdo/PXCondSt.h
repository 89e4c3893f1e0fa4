// Condition statement: tests one field of a record against constants or
// other fields and selects its then block or its else block.
#ifndef PXCONDST_H
#define PXCONDST_H

#include "PXStatmt.h"

// Style flags of a condition.
enum
{
    PXCOND_NOT = 0x001,         // negate the result
    PXCOND_RANGEINCL = 0x010,   // operand 0 <= v <= operand 1
    PXCOND_RANGEEXCL = 0x020,   // operand 0 < v < operand 1
    PXCOND_EMPTY = 0x040,       // the field's text is empty
    PXCOND_RESERVED = 0x080,
    PXCOND_EQUAL = 0x100,
    PXCOND_GREATER = 0x200,
    PXCOND_FIELDOPS = 0x400,    // operands are ids of fields of the record
    PXCOND_MINLENGTH = 0x800    // compare a text's length with the minimum length
};

class PXCondStatement : public PXStatement
{
public:
    enum ResultDecision { ResultNone = 0, ResultThen = 1, ResultElse = 2 };

    PXCondStatement();
    ~PXCondStatement() override;

    void Validate() override {}
    int GetNbOptional() override;
    void Read(PXResNav& rResNav) override;

    BOOL Evaluate(PXSoftRec* pRec);

    // The blocks, made empty on first request.
    PXSection* GetThenBlock();
    PXSection* GetElseBlock();
    // The blocks as read: null when the block has no statement.
    PXSection* FindThenBlock() const { return m_pThenBlock; }
    PXSection* FindElseBlock() const { return m_pElseBlock; }

    PXCondStatementPos* GetFirstPosInBranch(int nKind, PXSoftRec* pRec);
    void GetNextPosInBranch(int nKind, PXSoftRec* pRec, PXCondStatementPos*& pPos);
    PXStatement* GetStatementAtInBranch(int nKind, const PXCondStatementPos* pPos) const;

    WORD GetFieldId() const { return GetParam(0); }
    void SetSection(PXSection* pSection) { m_pSection = pSection; }
    PXSection* GetSection() const { return m_pSection; }

private:
    void ReadIntoBlock(WORD wToken, PXResNav& rResNav);
    PXSection* GetBlock(PXSection*& rpBlock);
    PXSection* BranchBlock(int nBranch) const { return nBranch ? m_pThenBlock : m_pElseBlock; }

    ResultDecision m_ResultDecision;
    PXSection* m_pThenBlock;    // owned
    PXSection* m_pElseBlock;    // owned
    PXSection* m_pSection;      // the section whose body holds the condition
};

#endif
