// Soft records: cells over the record's storage, verification with its
// messages, commit and drop.
#include "PXSoftRec.h"
#include "PXCondSt.h"
#include "PXFieldValue.h"
#include "PXMulStm.h"
#include "PXRecAcc.h"
#include "PXRecArray.h"
#include "PXSction.h"
#include "PXSdoReport.h"
#include "PXSdoRes.h"
#include "PXSdoValueRes.h"
#include "PXSoftPropSheet.h"
#include "PXSoftRecMem.h"
#include "PXSRecDf.h"
#include "PXTime.h"

#include <new>

namespace {

const WORD PXSRSTYLE_STOPATFIRST = 0x2201;

CString LoadText(UINT nId)
{
    CString s;
    s.LoadString(nId);
    return s;
}

CString Quoted(UINT nFieldId)
{
    return CString("\"") + LoadText(nFieldId) + "\"";
}

} // namespace

// ---------------------------------------------------------------------------
// PXSoftRec

PXSoftRec::PXSoftRec(WORD wRecordTypeId)
    : m_pSoftRecDef(nullptr), m_pCells(nullptr), m_bModified(FALSE)
{
    m_pSoftRecDef = PXSoftRecDef::Get(wRecordTypeId);
    m_pCells = new (std::nothrow) PXMapWordToOb;
    if (!m_pCells)
    {
        if (m_pSoftRecDef->Release() == 0)
            delete m_pSoftRecDef;
        PXTHROW_XMEM(0);
    }
}

PXSoftRec::~PXSoftRec()
{
    DropCells();
    delete m_pCells;
    if (m_pSoftRecDef->Release() == 0)
        delete m_pSoftRecDef;
}

namespace {

// The typed records of the application: few, registered once.
struct TypedClass
{
    WORD m_wTypeId;
    PXSoftRec::TRecMaker m_pfnMaker;
};
const int MAXTYPEDCLASSES = 16;
TypedClass g_typedClasses[MAXTYPEDCLASSES];
int g_nTypedClasses = 0;

PXSoftRec::TRecMaker FindTypedClass(WORD wTypeId)
{
    for (int i = 0; i < g_nTypedClasses; ++i)
        if (g_typedClasses[i].m_wTypeId == wTypeId)
            return g_typedClasses[i].m_pfnMaker;
    return nullptr;
}

} // namespace

void PXSoftRec::RegisterTypedClass(WORD wTypeId, TRecMaker pfnMaker)
{
    PXASSERT(pfnMaker!=0);
    for (int i = 0; i < g_nTypedClasses; ++i)
    {
        if (g_typedClasses[i].m_wTypeId == wTypeId)
        {
            g_typedClasses[i].m_pfnMaker = pfnMaker;
            return;
        }
    }
    PXASSERT(g_nTypedClasses<MAXTYPEDCLASSES);
    g_typedClasses[g_nTypedClasses].m_wTypeId = wTypeId;
    g_typedClasses[g_nTypedClasses].m_pfnMaker = pfnMaker;
    ++g_nTypedClasses;
}

PXSoftRec* PXSoftRec::Create(WORD wTypeId, BOOL bTyped)
{
    PXSoftRec* pRec = nullptr;
    if (bTyped)
    {
        TRecMaker pfnMaker = FindTypedClass(wTypeId);
        PXASSERT(pfnMaker!=0);
        pRec = pfnMaker();
    }
    else
        pRec = new (std::nothrow) PXSoftRecMem(wTypeId);
    if (!pRec)
        PXTHROW_XMEM(0);
    return pRec;
}

BOOL PXSoftRec::HasTypedClass(WORD wTypeId)
{
    return FindTypedClass(wTypeId) != nullptr;
}

WORD PXSoftRec::GetTypeId() const
{
    return m_pSoftRecDef->GetID();
}

PXVirtualField* PXSoftRec::FindCell(WORD wFieldId) const
{
    PXObject* pOb = nullptr;
    if (m_pCells->Lookup(wFieldId, pOb))
        return static_cast<PXVirtualField*>(pOb);
    return nullptr;
}

PXVirtualField* PXSoftRec::GetCell(WORD wFieldId)
{
    PXVirtualField* pCell = FindCell(wFieldId);
    if (pCell)
        return pCell;
    pCell = new (std::nothrow) PXVirtualField(this, wFieldId);
    if (!pCell)
        PXTHROW_XMEM(0);
    try
    {
        m_pCells->SetAt(wFieldId, pCell);
    }
    catch (...)
    {
        delete pCell;
        throw;
    }
    return pCell;
}

int PXSoftRec::GetNbCells() const
{
    return m_pCells->GetCount();
}

void PXSoftRec::DropCells()
{
    int pos = m_pCells->GetStartPosition();
    while (pos)
    {
        WORD wKey;
        PXObject* pOb;
        m_pCells->GetNextAssoc(pos, wKey, pOb);
        delete pOb;
    }
    m_pCells->RemoveAll();
}

void PXSoftRec::Prepare(WORD)
{
}

void PXSoftRec::PrepareField(WORD wFieldId)
{
    Prepare(wFieldId);
}

void PXSoftRec::CopyFrom(PXSoftRec&)
{
    PXASSERT(0);
}

void* PXSoftRec::GetFieldMem(WORD)
{
    PXASSERT(0);
}

int PXSoftRec::GetCharFieldSize(WORD)
{
    PXASSERT(0);
}

PXSOFTTYPE PXSoftRec::GetFieldType(WORD wFieldId)
{
    return m_pSoftRecDef->GetFieldType(wFieldId);
}

PX_FLDS_MEM PXSoftRec::GetMemRep(WORD wFieldId)
{
    PXSection* pData = m_pSoftRecDef->GetDataSection();
    PXASSERT(pData!=0);
    PXStatement* pField = pData->FindStatement(PXKIND_BODY, 0, wFieldId, TRUE);
    WORD wStyle = pField->GetStyle();
    // A storage flag of the style gives the representation in place of the type.
    const WORD wStorage = PXFM_CHAR | PXFM_MEMSTRINGTABLEID | PXFM_INT16 | PXFM_BOOL | PXFM_STRING;
    if (wStyle & wStorage & 0x0FFF)
        return static_cast<PX_FLDS_MEM>(wStyle & wStorage);
    switch (pField->GetParam(1))
    {
    case PXST_INT16: return PXFM_INT16;
    case PXST_INT32: return PXFM_INT32;
    case PXST_TEXT: return PXFM_STRING;
    case PXST_BOOL: return PXFM_BOOL;
    case PXST_RECORDSET: return PXFM_OBARRAY;
    default: PXASSERT(0);
    }
}

int PXSoftRec::StoreField(WORD wFieldId)
{
    void* pMem = GetFieldMem(wFieldId);
    PXASSERT(pMem!=0);
    PXFieldValue field(wFieldId, this);
    switch (GetMemRep(wFieldId))
    {
    case PXFM_CHAR:
    {
        int nSize = GetCharFieldSize(wFieldId);
        PXASSERT(nSize>0);
        lstrcpynA(static_cast<char*>(pMem), *field.GetText(), nSize);
        break;
    }
    case PXFM_INT32:
        *static_cast<long*>(pMem) = *field.GetInt32();
        break;
    case PXFM_INT16:
        *static_cast<short*>(pMem) = *field.GetInt16();
        break;
    case PXFM_BOOL:
    {
        const CString& rText = *field.GetText();
        *static_cast<long*>(pMem) = (rText == PXTEXT_NO || rText == "0") ? 0 : 1;
        break;
    }
    case PXFM_STRING:
        *static_cast<CString*>(pMem) = *field.GetText();
        break;
    default:
        PXASSERT(0);
    }
    return 1;
}

int PXSoftRec::Commit()
{
    if (Verify(FALSE) != 1)
        return 0;
    // Fields whose store was refused keep their cells so that the edit can
    // be corrected; every other cell is dropped, stored or not, so that a
    // second commit never applies a list's changes twice.
    PXMapWordToOb* pKept = new (std::nothrow) PXMapWordToOb;
    if (!pKept)
        PXTHROW_XMEM(0);
    int nResult = 1;
    // The fields stored so far, in case a later store fails.
    PXWordArray* pStored = new (std::nothrow) PXWordArray;
    if (!pStored)
    {
        delete pKept;
        PXTHROW_XMEM(0);
    }
    try
    {
        int pos = m_pCells->GetStartPosition();
        while (pos)
        {
            WORD wFieldId;
            PXObject* pOb;
            m_pCells->GetNextAssoc(pos, wFieldId, pOb);
            PXVirtualField* pCell = static_cast<PXVirtualField*>(pOb);
            // A PowerBlock record's outputs are never stored by a commit.
            if (wFieldId != PXFIELD_OUTPUTS && pCell->HasValues() && pCell->IsModified())
            {
                if (StoreField(wFieldId) != 1)
                {
                    nResult = 0;
                    pKept->SetAt(wFieldId, pCell);
                }
                else if (!pStored->Add(wFieldId))
                    PXTHROW_XMEM(0);
            }
        }
    }
    catch (...)
    {
        // What was stored is in the storage now: those cells go, so that
        // committing again never applies a list's changes twice. The
        // others stay for the next commit.
        for (int i = 0; i < pStored->GetSize(); ++i)
        {
            PXObject* pOb = nullptr;
            WORD wFieldId = pStored->GetAt(i);
            if (m_pCells->Lookup(wFieldId, pOb))
            {
                m_pCells->RemoveKey(wFieldId);
                delete pOb;
            }
        }
        delete pStored;
        delete pKept;
        throw;
    }
    delete pStored;
    int pos = m_pCells->GetStartPosition();
    while (pos)
    {
        WORD wFieldId;
        PXObject* pOb;
        PXObject* pKeptCell;
        m_pCells->GetNextAssoc(pos, wFieldId, pOb);
        if (!pKept->Lookup(wFieldId, pKeptCell))
            delete pOb;
    }
    delete m_pCells;
    m_pCells = pKept;
    return nResult;
}

int PXSoftRec::EditInPropSheet()
{
    PXSoftPropSheet* pSheet = GetDef()->CreateSoftPropSheet(this);
    SetModified();
    int nResult;
    try
    {
        nResult = pSheet->Execute(1);
    }
    catch (...)
    {
        delete pSheet;
        throw;
    }
    delete pSheet;
    return nResult;
}

int PXSoftRec::Verify(BOOL bCheckOnly)
{
    if (!m_bModified)
        return 1;
    PXSectionArray* pSections = m_pSoftRecDef->GetSections(PXSECT_VERIFICATION);
    if (!pSections)
        return 1;
    for (int s = 0; s < pSections->GetSize(); ++s)
    {
        PXSection* pSection = pSections->GetSection(s);
        BOOL bStopAtFirst =
            pSection->FindStatementOfType(PXKIND_HEADER, PXTOK_SRSTYLE)->GetParam(0) == PXSRSTYLE_STOPATFIRST;
        PXStatementPos* pPos = nullptr;
        pSection->GetFirstPos(PXKIND_BODY, this, pPos, TRUE);
        while (pPos)
        {
            PXStatement* pStatement = pSection->GetStatementAt(PXKIND_BODY, pPos);
            if (pStatement->GetType() == PXTOK_MSGBOX)
            {
                if (bCheckOnly)
                {
                    delete pPos;
                    return 0;
                }
                // A message always stands inside a condition of the body.
                PXStatement* pTop = pSection->GetStatement(PXKIND_BODY, pPos->GetIndex());
                PXASSERT(pTop->GetType()==PXTOK_COND);
                PXCondStatement* pCond = static_cast<PXCondStatement*>(pTop);
                ShowVerifyMessage(pStatement, pCond);
                if (bStopAtFirst)
                {
                    // A silent refusal still tells the user that OK did
                    // not go through.
                    if (pStatement->HasStyle(0x8000 | PXMSG_SILENT))
                        PXMessageBeep(MB_ICONEXCLAMATION);
                    delete pPos;
                    return 0;
                }
            }
            pSection->GetNextPos(PXKIND_BODY, this, pPos);
        }
    }
    return 1;
}

int PXSoftRec::ShowVerifyMessage(PXStatement* pMsg, PXCondStatement* pCond)
{
    if (pMsg->HasStyle(0x8000 | PXMSG_SILENT))
        return 0;
    if (pMsg->HasStyle(0x8000 | PXMSG_COMPOSED))
    {
        CString text = ComposeVerifyText(pCond);
        return PXSDO_REPORT(IDS_SDO_COMPOSED, text);
    }
    WORD wMsgId = pMsg->GetParam(1);
    if (pMsg->HasStyle(0x8000 | PXMSG_PLAIN))
        return PXSDO_REPORT(wMsgId);

    WORD wFieldId = pMsg->HasStyle(0x8000 | PXMSG_OTHERFIELD) ? pMsg->GetOptParam(0) : pCond->GetFieldId();
    CString name = LoadText(wFieldId);
    switch (pMsg->GetStyle() & 0x0007)
    {
    case PXMSG_SHOWFIELD:
        return PXSDO_REPORT(wMsgId, name);
    case PXMSG_SHOWTEXT:
        return PXSDO_REPORT(wMsgId, *PXFieldValue(wFieldId, this).GetText());
    case PXMSG_SHOWFIELD | PXMSG_SHOWTEXT:
    {
        CString text = *PXFieldValue(wFieldId, this).GetText();
        return PXSDO_REPORT(wMsgId, name, text);
    }
    default:
        PXASSERT(0);
    }
}

// "The value for "Name" should be ..." from the condition that led to the
// message. A negated condition reads negated.
CString PXSoftRec::ComposeVerifyText(PXCondStatement* pCond)
{
    WORD wFieldId = pCond->GetFieldId();
    BOOL bNot = pCond->HasStyle(0x8000 | PXCOND_NOT);
    CString text = LoadText(IDS_SDO_VERIFY_VALUEFOR) + Quoted(wFieldId) + " ";

    if (pCond->HasStyle(0x8000 | PXCOND_EQUAL | PXCOND_GREATER))
    {
        PXASSERT(GetFieldType(wFieldId)==PXST_TEXT);
        BOOL bEqual = pCond->HasStyle(0x8000 | PXCOND_EQUAL);
        if (pCond->HasStyle(0x8000 | PXCOND_GREATER))
        {
            // Not greater is less or equal; not greater-or-equal is less.
            text += LoadText(IDS_SDO_VERIFY_SHOULDBE);
            if (bNot)
            {
                text += LoadText(IDS_SDO_VERIFY_LESSTHAN);
                if (!bEqual)
                    text += LoadText(IDS_SDO_VERIFY_OREQUALTO);
            }
            else
            {
                text += LoadText(IDS_SDO_VERIFY_GREATERTHAN);
                if (bEqual)
                    text += LoadText(IDS_SDO_VERIFY_OREQUALTO);
            }
        }
        else
        {
            text += LoadText(bNot ? IDS_SDO_VERIFY_SHOULDNOTBE : IDS_SDO_VERIFY_SHOULDBE);
            text += LoadText(IDS_SDO_VERIFY_EQUALTO);
        }
        if (pCond->HasStyle(0x8000 | PXCOND_FIELDOPS))
            text += LoadText(IDS_SDO_VERIFY_OTHERFIELD) + Quoted(pCond->GetOptParam(0)) + " ";
        else
            text += LoadText(pCond->GetOptParam(0));
        return text;
    }

    text += LoadText(bNot ? IDS_SDO_VERIFY_SHOULDNOTBE : IDS_SDO_VERIFY_SHOULDBE);
    if (pCond->HasStyle(0x8000 | PXCOND_EMPTY))
        text += LoadText(IDS_SDO_VERIFY_BLANK);
    if (pCond->HasStyle(0x8000 | PXCOND_RANGEINCL | PXCOND_RANGEEXCL))
    {
        text += LoadText(pCond->HasStyle(0x8000 | PXCOND_RANGEINCL) ? IDS_SDO_VERIFY_RANGEINCL
                                                                     : IDS_SDO_VERIFY_RANGEEXCL);
        text += " [";
        WORD wLo = pCond->GetOptParam(0), wHi = pCond->GetOptParam(1);
        switch (GetFieldType(wFieldId))
        {
        case PXST_INT16:
        case PXST_INT32:
        {
            CString bounds;
            bounds.Format("%d, %d", static_cast<int>(wLo), static_cast<int>(wHi));
            text += bounds;
            break;
        }
        case PXST_TEXT:
            text += LoadText(wLo) + ", " + LoadText(wHi);
            break;
        default:
            PXASSERT(0);
        }
        text += "]";
    }
    return text;
}

// ---------------------------------------------------------------------------
// PXVirtualField

PXValue* PXMakeValue(PXSOFTTYPE type)
{
    PXValue* pValue = nullptr;
    switch (type)
    {
    case PXST_INT16: pValue = new (std::nothrow) PXInt16; break;
    case PXST_INT32: pValue = new (std::nothrow) PXInt32; break;
    case PXST_TEXT: pValue = new (std::nothrow) PXText; break;
    case PXST_BOOL: pValue = new (std::nothrow) PXBool; break;
    case PXST_MONTHANDDAY: pValue = new (std::nothrow) PXMonthAndDay; break;
    case PXST_TIME: pValue = new (std::nothrow) PXTime; break;
    case PXST_RECORDSET: pValue = new (std::nothrow) PXSoftRecSet; break;
    default: PXASSERT(0);
    }
    if (!pValue)
        PXTHROW_XMEM(0);
    return pValue;
}

PXVirtualField::PXVirtualField(PXSoftRec* pRec, WORD wFieldId)
    : m_pRec(pRec), m_wFieldId(wFieldId), m_bModified(FALSE), m_pValues(nullptr)
{
    PXASSERT(pRec!=0);
    m_pValues = new (std::nothrow) PXMapWordToOb;
    if (!m_pValues)
        PXTHROW_XMEM(0);
}

PXVirtualField::~PXVirtualField()
{
    int pos = m_pValues->GetStartPosition();
    while (pos)
    {
        WORD wKey;
        PXObject* pOb;
        m_pValues->GetNextAssoc(pos, wKey, pOb);
        delete pOb;
    }
    delete m_pValues;
}

PXValue* PXVirtualField::GetSourceValue() const
{
    if (m_pValues->GetCount() == 0)
        return nullptr;
    int pos = m_pValues->GetStartPosition();
    WORD wKey;
    PXObject* pOb;
    m_pValues->GetNextAssoc(pos, wKey, pOb);
    return static_cast<PXValue*>(pOb);
}

void PXVirtualField::AddValue(PXSOFTTYPE type, PXValue* pValue)
{
    try
    {
        m_pValues->SetAt(type, pValue);
    }
    catch (...)
    {
        delete pValue;
        throw;
    }
}

PXValue* PXVirtualField::FromStorage(PXSOFTTYPE type)
{
    void* pMem = m_pRec->GetFieldMem(m_wFieldId);
    PX_FLDS_MEM wRep = m_pRec->GetMemRep(m_wFieldId);
    PXValue* pValue = nullptr;
    switch (type)
    {
    case PXST_INT16: pValue = new (std::nothrow) PXInt16(pMem, wRep); break;
    case PXST_INT32: pValue = new (std::nothrow) PXInt32(pMem, wRep); break;
    case PXST_TEXT: pValue = new (std::nothrow) PXText(pMem, wRep); break;
    case PXST_BOOL: pValue = new (std::nothrow) PXBool(pMem, wRep); break;
    case PXST_RECORDSET: pValue = new (std::nothrow) PXSoftRecSet(pMem, wRep); break;
    case PXST_MONTHANDDAY: pValue = new (std::nothrow) PXMonthAndDay(pMem, wRep); break;
    case PXST_TIME: pValue = new (std::nothrow) PXTime(pMem, wRep); break;
    default: PXASSERT(0);
    }
    if (!pValue)
        PXTHROW_XMEM(0);
    return pValue;
}

PXValue* PXVirtualField::GetValue(PXSOFTTYPE type)
{
    PXObject* pOb = nullptr;
    if (m_pValues->Lookup(type, pOb))
        return static_cast<PXValue*>(pOb);
    PXValue* pValue;
    PXValue* pSource = GetSourceValue();
    if (!pSource)
        pValue = FromStorage(type);
    else
    {
        pValue = PXMakeValue(type);
        try
        {
            *pValue = *pSource;
        }
        catch (...)
        {
            delete pValue;
            throw;
        }
    }
    AddValue(type, pValue);
    return pValue;
}

PXValue* PXVirtualField::GetInt16() { return GetValue(PXST_INT16); }
PXValue* PXVirtualField::GetInt32() { return GetValue(PXST_INT32); }
PXValue* PXVirtualField::GetText() { return GetValue(PXST_TEXT); }
PXValue* PXVirtualField::GetBool() { return GetValue(PXST_BOOL); }
PXSoftRecSet* PXVirtualField::GetRecordSet()
{
    return static_cast<PXSoftRecSet*>(GetValue(PXST_RECORDSET));
}

void PXVirtualField::MarkModified()
{
    m_bModified = TRUE;
    m_pRec->SetModified();
}

template <class T>
PXVirtualField& PXVirtualField::Write(PXSOFTTYPE ownType, const T& rContent)
{
    MarkModified();
    if (m_pValues->GetCount() == 0)
        AddValue(ownType, FromStorage(ownType));
    int pos = m_pValues->GetStartPosition();
    while (pos)
    {
        WORD wKey;
        PXObject* pOb;
        m_pValues->GetNextAssoc(pos, wKey, pOb);
        *static_cast<PXValue*>(pOb) = rContent;
    }
    return *this;
}

PXVirtualField& PXVirtualField::SetLong(long l) { return Write(PXST_INT32, l); }
PXVirtualField& PXVirtualField::SetShort(short s) { return Write(PXST_INT16, s); }
PXVirtualField& PXVirtualField::SetText(const CString& rText) { return Write(PXST_TEXT, rText); }

PXVirtualField& PXVirtualField::SetRecArray(PXRecArray& rRecArray)
{
    MarkModified();
    if (m_pValues->GetCount() == 0)
        AddValue(PXST_RECORDSET, FromStorage(PXST_RECORDSET));
    int pos = m_pValues->GetStartPosition();
    while (pos)
    {
        WORD wKey;
        PXObject* pOb;
        m_pValues->GetNextAssoc(pos, wKey, pOb);
        *static_cast<PXValue*>(pOb) = rRecArray;
    }
    return *this;
}

PXVirtualField& PXVirtualField::operator=(const PXVirtualField& rOther)
{
    MarkModified();
    PXValue* pSource = rOther.GetSourceValue();
    PXValue* pTemporary = nullptr;
    if (!pSource)
    {
        // A time or date field that was never set is copied as its stored
        // text; it has no value of its own type to be built from storage.
        PXSOFTTYPE otherType = rOther.m_pRec->GetFieldType(rOther.m_wFieldId);
        if (otherType == PXST_TIME || otherType == PXST_MONTHANDDAY)
            otherType = PXST_TEXT;
        pSource = pTemporary = const_cast<PXVirtualField&>(rOther).FromStorage(otherType);
    }
    try
    {
        if (m_pValues->GetCount() == 0)
        {
            // Times and dates keep their text: their own values cannot hold
            // a field that was never set, and reading them is by text.
            PXSOFTTYPE type = m_pRec->GetFieldType(m_wFieldId);
            if ((type == PXST_TIME || type == PXST_MONTHANDDAY) && pSource->GetType() == PXST_TEXT)
                type = PXST_TEXT;
            PXValue* pValue = PXMakeValue(type);
            try
            {
                *pValue = *pSource;
            }
            catch (...)
            {
                delete pValue;
                throw;
            }
            AddValue(type, pValue);
        }
        else
        {
            int pos = m_pValues->GetStartPosition();
            while (pos)
            {
                WORD wKey;
                PXObject* pOb;
                m_pValues->GetNextAssoc(pos, wKey, pOb);
                *static_cast<PXValue*>(pOb) = *pSource;
            }
        }
    }
    catch (...)
    {
        delete pTemporary;
        throw;
    }
    delete pTemporary;
    return *this;
}
