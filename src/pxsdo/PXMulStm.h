// A statement that owns lists of statements: sections, the blocks of group
// controls and data links. Kind 5 is the header list and kind 4 the body
// list; kinds 1 to 3 are accepted by the list operations but never filled.
#ifndef PXMULSTM_H
#define PXMULSTM_H

#include "PXStatmt.h"

enum
{
    PXKIND_HEADER = 5,
    PXKIND_BODY = 4,
    PXKIND_BLOCKBODY = 6    // body of a condition's block when adding
};

class PXMultiLineStatement : public PXStatement
{
public:
    PXMultiLineStatement();
    ~PXMultiLineStatement() override;

    void Validate() override;
    void Read(PXResNav& rResNav) override;
    virtual void ReadHeader(PXResNav& rResNav);
    virtual void AddStatement(WORD wToken, int nKind, PXResNav& rResNav);
    virtual void CheckHeaderToken(WORD wToken);
    virtual void CheckBodyToken(WORD wToken);

    int GetNbStatements(int nKind) const;
    PXStatement* GetStatement(int nKind, int i) const;
    PXStatement* FindStatement(int nKind, int nParamIndex, WORD wValue, BOOL bMustExist) const;
    PXStatement* FindStatementOfType(int nKind, WORD wToken) const;
    int CountWithStyle(int nKind, WORD wFlag) const;
    int CountOfType(int nKind, WORD wToken) const;

    // The walk over the statements of a list that apply to a record.
    PXStatementPos* GetFirstPos(int nKind, PXSoftRec* pRec, PXStatementPos*& pPos, BOOL bCreate);
    PXStatementPos* GetNextPos(int nKind, PXSoftRec* pRec, PXStatementPos*& pPos);
    PXStatement* GetStatementAt(int nKind, const PXStatementPos* pPos) const;

    // The statement factory: the statement class of a token.
    static PXStatement* CreateStatement(WORD wToken);

    BOOL HasFirstLine() const { return m_bHasFirstLine; }
    PXSection* GetSection() const { return m_pSection; }
    void SetSection(PXSection* pSection) { m_pSection = pSection; }

protected:
    // The list of a kind, made on first use when bCreate.
    PXStatementArray* GetList(int nKind, BOOL bCreate);
    PXStatementArray* GetList(int nKind) const;
    // Reads the body up to its closing word.
    void ReadBody(PXResNav& rResNav);
    // From index i on: the first applicable statement, filled into rPos.
    BOOL FindApplicable(int nKind, PXSoftRec* pRec, int i, PXStatementPos& rPos);

    BOOL m_bHasFirstLine;

private:
    // Kinds 1..5 at indexes 0..4; m_pCoreStatements is kind 4.
    PXStatementArray* m_pLists[5];
    PXSection* m_pSection;  // the holding section, not owned
};

#endif
