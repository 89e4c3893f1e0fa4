// One coded line of a definition: the token, its fixed words (the last is
// the style word where the statement has one) and its optional words. Also
// the arrays that hold statements and sections, and the positions of a walk
// over a statement list.
#ifndef PXSTATMT_H
#define PXSTATMT_H

#include "PXafx.h"

class PXResNav;
class PXSoftRec;
class PXSection;

// Structure words of the definition format; never tokens.
enum
{
    PXW_END = 0x0000,       // end of the definition
    PXW_BEGIN = 0x0001,     // end of a header, begin of a body
    PXW_CLOSE = 0x0002,     // end of a section or block
    PXW_THEN = 0x0003,      // then marker in a condition's block
    PXW_ELSE = 0x0004       // else marker in a condition's block
};

// Section tokens.
enum
{
    PXSECT_REFERENCES = 0x1001,
    PXSECT_DATA = 0x1002,
    PXSECT_VERIFICATION = 0x1004,
    PXSECT_DLGDATALINK = 0x1006,
    PXSECT_SOFTCONTROL = 0x1007,
    PXSECT_NOTIFICATION = 0x1008
};

// Statement tokens.
enum
{
    PXTOK_SRVERSION = 0x2001,
    PXTOK_SRSTYLE = 0x2002,
    PXTOK_NOTIF = 0x2301,
    PXTOK_COND = 0x3001,
    PXTOK_EXTENSION = 0x3002,
    PXTOK_REACTION = 0x3102,
    PXTOK_MSGBOX = 0x3103,
    PXTOK_MSGBEEP = 0x3104,
    PXTOK_SOFTDLG = 0x3201,
    PXTOK_DLGRES = 0x3202,
    PXTOK_FIELD = 0x3203,
    PXTOK_DATALINK = 0x3204,
    PXTOK_PLAINCTRL = 0x3206,
    PXTOK_GROUPCTRL = 0x3207,
    PXTOK_SUBCTRL = 0x3208,
    PXTOK_PROPSHEET = 0x3209,
    PXTOK_PARAM = 0x320A,
    PXTOK_DLGHELP = 0x320B
};

class PXStatement : public PXObject
{
public:
    PXStatement();
    ~PXStatement() override;

    // Called when the statement has been read.
    virtual void Validate();
    // The number of optional words, from the fixed words already read.
    virtual int GetNbOptional();
    // The index among the optional words that holds the word of a style flag.
    virtual int GetOptIndex(WORD wFlag);
    virtual void Read(PXResNav& rResNav);

    WORD GetType() const { return m_pParams->GetAt(0); }
    WORD GetStyle() const { return m_pParams->GetAt(m_nFixed); }
    WORD GetParam(int i) const { return m_pParams->GetAt(i + 1); }
    WORD GetOptParam(int j) const { return m_pParams->GetAt(m_nFixed + 1 + j); }
    WORD GetOptParamByFlag(WORD wFlag);
    WORD GetWord(int i) const { return m_pParams->GetAt(i); }
    int GetNbWords() const { return m_pParams->GetSize(); }
    int GetNbFixed() const { return m_nFixed; }

    // Flags are written with the 0x8000 bit, which the test ignores.
    BOOL HasStyle(WORD wFlag) const { return ((wFlag & 0x0FFF) & (GetStyle() & 0x0FFF)) != 0; }
    WORD GetStyleBits(WORD wMask) const { return GetStyle() & wMask; }

    // Insert a word where the matching getter reads; used to build probes.
    void SetType(WORD wToken) { m_pParams->InsertAtIndex(0, wToken); }
    void SetParam(int i, WORD w) { m_pParams->InsertAtIndex(i + 1, w); }
    void SetStyle(WORD w) { m_pParams->InsertAtIndex(m_nFixed, w); }
    void SetOptParam(int j, WORD w) { m_pParams->InsertAtIndex(m_nFixed + 1 + j, w); }

    // Every word of this statement equals the other's word at that index.
    BOOL IsEqual(const PXStatement& rOther) const;

protected:
    // The check of statements whose first fixed word must not be 0.
    void CheckFirstParam() const;
    // Appends one word read; throws PXXMem when the words cannot grow.
    void AddParam(WORD w);

    PXWordArray* m_pParams;
    int m_nFixed;
};

class PXStatementArray : public PXObArray
{
public:
    PXStatement* GetStatement(int i) const { return static_cast<PXStatement*>(GetAt(i)); }
};

class PXSectionArray : public PXObArray
{
public:
    PXSection* GetSection(int i) const;
};

class PXCondStatementPos;

// Where a walk over a statement list stands: the index in the list and, when
// the statement there is a condition, the position inside its chosen block.
class PXStatementPos
{
public:
    PXStatementPos() : m_nIndex(0), m_pCondStatementPos(nullptr) {}
    virtual ~PXStatementPos();

    PXStatementPos(const PXStatementPos&) = delete;
    PXStatementPos& operator=(const PXStatementPos&) = delete;

    int GetIndex() const { return m_nIndex; }
    PXCondStatementPos* GetCondStatementPos() const { return m_pCondStatementPos; }

    int m_nIndex;
    PXCondStatementPos* m_pCondStatementPos;  // owned
};

class PXCondStatementPos : public PXStatementPos
{
public:
    PXCondStatementPos() : m_nBranch(1) {}

    int m_nBranch;  // 1 then, 0 else
};

#endif
