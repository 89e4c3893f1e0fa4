// Statements that own statement lists: reading their header and body, the
// list queries, the walk over the statements that apply to a record, and the
// factory that makes the statement class of a token.
#include "PXMulStm.h"
#include "PXCondSt.h"
#include "PXDlgAcc.h"
#include "PXObjAcc.h"
#include "PXRecAcc.h"
#include "PXResNav.h"
#include "PXSction.h"
#include "PXSdoRes.h"

#include <new>

PXMultiLineStatement::PXMultiLineStatement()
    : m_bHasFirstLine(FALSE), m_pLists{}, m_pSection(nullptr)
{
}

PXMultiLineStatement::~PXMultiLineStatement()
{
    for (PXStatementArray*& pList : m_pLists)
    {
        if (!pList)
            continue;
        for (int i = 0; i < pList->GetSize(); ++i)
            delete pList->GetStatement(i);
        delete pList;
        pList = nullptr;
    }
}

void PXMultiLineStatement::Validate()
{
    PXASSERT(0);
}

PXStatementArray* PXMultiLineStatement::GetList(int nKind, BOOL bCreate)
{
    if (nKind < 1 || nKind > 5)
        PXASSERT(0);
    PXStatementArray*& pList = m_pLists[nKind - 1];
    if (!pList && bCreate)
    {
        pList = new (std::nothrow) PXStatementArray;
        if (!pList)
            PXTHROW_XMEM(IDS_SDO_NEWSTATEMENTARRAY);
    }
    return pList;
}

PXStatementArray* PXMultiLineStatement::GetList(int nKind) const
{
    if (nKind < 1 || nKind > 5)
        PXASSERT(0);
    return m_pLists[nKind - 1];
}

void PXMultiLineStatement::Read(PXResNav& rResNav)
{
    if (HasFirstLine())
        PXStatement::Read(rResNav);
    ReadHeader(rResNav);
    PXResNav* pResNav = &rResNav;
    PXASSERT(pResNav->GetCurrentToken()==0x0001);
    ReadBody(rResNav);
}

void PXMultiLineStatement::ReadHeader(PXResNav& rResNav)
{
    for (;;)
    {
        WORD wToken = rResNav.GetNextToken();
        if (wToken == PXW_END || wToken == PXW_BEGIN)
            return;
        CheckHeaderToken(wToken);
        AddStatement(wToken, PXKIND_HEADER, rResNav);
    }
}

void PXMultiLineStatement::ReadBody(PXResNav& rResNav)
{
    for (;;)
    {
        WORD wToken = rResNav.GetNextToken();
        if (wToken == PXW_CLOSE)
        {
            Validate();
            return;
        }
        // A body must be closed before the definition ends.
        if (wToken == PXW_END)
            PXASSERT(0);
        CheckBodyToken(wToken);
        AddStatement(wToken, PXKIND_BODY, rResNav);
    }
}

void PXMultiLineStatement::AddStatement(WORD wToken, int nKind, PXResNav& rResNav)
{
    PXStatement* pStatement = CreateStatement(wToken);
    if (wToken == PXTOK_COND)
        static_cast<PXCondStatement*>(pStatement)->SetSection(m_pSection);

    int nList = (wToken == PXTOK_EXTENSION || nKind != PXKIND_HEADER) ? PXKIND_BODY : PXKIND_HEADER;
    PXStatementArray* pList;
    try
    {
        pList = GetList(nList, TRUE);
    }
    catch (...)
    {
        delete pStatement;
        throw;
    }
    if (!pList->Add(pStatement))
    {
        delete pStatement;
        PXTHROW_XMEM(IDS_SDO_NEWSTATEMENTARRAY);
    }
    // From here the list owns the statement, even when reading it fails.
    pStatement->Read(rResNav);
    pStatement->Validate();
}

void PXMultiLineStatement::CheckHeaderToken(WORD wToken)
{
    PXASSERT(0);
}

void PXMultiLineStatement::CheckBodyToken(WORD wToken)
{
    PXASSERT(m_pSection!=0);
    m_pSection->CheckBodyToken(wToken);
}

int PXMultiLineStatement::GetNbStatements(int nKind) const
{
    PXStatementArray* pList = GetList(nKind);
    return pList ? pList->GetSize() : 0;
}

PXStatement* PXMultiLineStatement::GetStatement(int nKind, int i) const
{
    PXStatementArray* pList = GetList(nKind);
    PXASSERT(pList!=0);
    return pList->GetStatement(i);
}

PXStatement* PXMultiLineStatement::FindStatement(int nKind, int nParamIndex, WORD wValue, BOOL bMustExist) const
{
    int n = GetNbStatements(nKind);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pStatement = GetStatement(nKind, i);
        if (pStatement->GetNbFixed() > nParamIndex && pStatement->GetParam(nParamIndex) == wValue)
            return pStatement;
    }
    if (bMustExist)
        PXASSERT(0);
    return nullptr;
}

PXStatement* PXMultiLineStatement::FindStatementOfType(int nKind, WORD wToken) const
{
    int n = GetNbStatements(nKind);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pStatement = GetStatement(nKind, i);
        if (pStatement->GetType() == wToken)
            return pStatement;
    }
    PXASSERT(0);
}

int PXMultiLineStatement::CountWithStyle(int nKind, WORD wFlag) const
{
    int nCount = 0;
    int n = GetNbStatements(nKind);
    for (int i = 0; i < n; ++i)
        if (GetStatement(nKind, i)->HasStyle(wFlag))
            ++nCount;
    return nCount;
}

int PXMultiLineStatement::CountOfType(int nKind, WORD wToken) const
{
    int nCount = 0;
    int n = GetNbStatements(nKind);
    for (int i = 0; i < n; ++i)
        if (GetStatement(nKind, i)->GetType() == wToken)
            ++nCount;
    return nCount;
}

// ---------------------------------------------------------------------------
// Factory

namespace {

// Makes a statement of class T, or throws PXXMem with the class's message.
template <class T>
PXStatement* Make(unsigned nDescr)
{
    PXStatement* p = new (std::nothrow) T;
    if (!p)
        throw PXXMem(nDescr, __FILE__, __LINE__);
    return p;
}

} // namespace

PXStatement* PXMultiLineStatement::CreateStatement(WORD wToken)
{
    switch (wToken)
    {
    case PXTOK_SRVERSION:   return Make<PXSRVersionStatement>(IDS_SDO_NEWSRVERSIONSTM);
    case PXTOK_SRSTYLE:     return Make<PXStyleStatement>(IDS_SDO_NEWSRSTYLESTM);
    case PXTOK_NOTIF:       return Make<PXNotifStatement>(IDS_SDO_NEWNOTIFSTM);
    case PXTOK_COND:        return Make<PXCondStatement>(IDS_SDO_NEWCONDSTM);
    case PXTOK_EXTENSION:   return Make<PXExtensionStatement>(IDS_SDO_NEWEXTENSIONSTM);
    case PXTOK_REACTION:    return Make<PXReactionStatement>(IDS_SDO_NEWREACTIONSTM);
    case PXTOK_MSGBOX:      return Make<PXMsgBoxStatement>(IDS_SDO_NEWMSGBOXSTM);
    case PXTOK_SOFTDLG:     return Make<PXSoftDlgStatement>(IDS_SDO_NEWSOFTDLGSTM);
    case PXTOK_DLGRES:      return Make<PXDlgResStatement>(IDS_SDO_NEWDLGRESSTM);
    case PXTOK_FIELD:       return Make<PXFieldStatement>(IDS_SDO_NEWFIELDSTM);
    case PXTOK_DATALINK:    return Make<PXDataLinkStatement>(IDS_SDO_NEWDATALINKSTM);
    case PXTOK_PLAINCTRL:   return Make<PXPlainCtrlStatement>(IDS_SDO_NEWPLAINCTRLSTM);
    case PXTOK_GROUPCTRL:   return Make<PXGroupCtrlStatement>(IDS_SDO_NEWGROUPCTRLSTM);
    case PXTOK_SUBCTRL:     return Make<PXSubCtrlStatement>(IDS_SDO_NEWSUBCTRLSTM);
    case PXTOK_PROPSHEET:   return Make<PXSoftPropSheetStatement>(IDS_SDO_NEWPROPSHEETSTM);
    case PXTOK_PARAM:       return Make<PXParamStatement>(IDS_SDO_NEWPARAMSTM);
    case PXTOK_DLGHELP:     return Make<PXDlgHelpStatement>(IDS_SDO_NEWDLGHELPSTM);
    case PXTOK_MSGBEEP:     // MSGBEEP is not supported: a definition must not use it
    default:
        PXASSERT(0);
    }
}
