// PowerBlock variable records: fields bound by name to the block's
// variables in the application model.
#include "PXSoftRecPBV.h"
#include "PXFieldValue.h"
#include "PXMulStm.h"
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXSoftRecMem.h"
#include "PXStatmt.h"
#include "PXSdoRes.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {

const WORD PXSTYLE_VARIABLE = 0x010;
// Prepare's argument when every field is wanted (the record prepares all of
// them at once whatever it is given).
const WORD PXPREPARE_ALL = 0xFFFF;

bool IsItemId(short s) { return s >= 1 && s <= 3000; }

} // namespace

PXSoftRecPBV::PXSoftRecPBV(WORD wDefId, PXPowerBlockLink* pBlock, kvrHandleType* hBlock,
                           int nType)
    : PXSoftRec(wDefId), m_pBlock(pBlock), m_hBlock(hBlock), m_nType(nType),
      m_bPrepared(FALSE), m_nFields(0), m_pFieldTable(nullptr), m_nVoiceFax(0),
      m_nResPerm(0), m_pOutputs(nullptr), m_pszDescription(nullptr)
{
}

PXSoftRecPBV::~PXSoftRecPBV()
{
    FreeTables();
}

void PXSoftRecPBV::FreeTables()
{
    delete[] m_pFieldTable;
    m_pFieldTable = nullptr;
    if (m_pOutputs)
    {
        for (int i = 0; i < m_pOutputs->GetSize(); ++i)
            delete m_pOutputs->GetAt(i);
        delete m_pOutputs;
        m_pOutputs = nullptr;
    }
}

int PXSoftRecPBV::GetSymbolOffset(const char* pszSymbol)
{
    return kvrSDOGetSymbolOffset(m_nType, pszSymbol);
}

CString PXSoftRecPBV::SymbolName(WORD wFieldId)
{
    PXStatement* pField = GetDef()->FindFieldStatement(wFieldId);
    PXASSERT(pField!=0);
    PXASSERT(pField->GetType()==PXTOK_FIELD);
    CString name;
    name.LoadStringA(pField->GetOptParamByFlag(PXSTYLE_VARIABLE));
    return name;
}

void PXSoftRecPBV::Prepare(WORD)
{
    if (m_bPrepared)
        return;
    PXSection* pData = GetDef()->GetDataSection();
    PXASSERT(pData!=0);
    int nStatements = pData->GetNbStatements(PXKIND_BODY);
    int nVariables = 0;
    BOOL bOutputs = FALSE;
    for (int i = 0; i < nStatements; ++i)
    {
        PXStatement* pS = pData->GetStatement(PXKIND_BODY, i);
        if (pS->HasStyle(PXSTYLE_VARIABLE))
            ++nVariables;
        if (pS->GetType() == PXTOK_FIELD && pS->GetParam(0) == PXFIELD_OUTPUTS)
            bOutputs = TRUE;
    }
    try
    {
        m_pFieldTable = new (std::nothrow) DWORD[nVariables > 0 ? nVariables : 1];
        if (!m_pFieldTable)
            PXTHROW_XMEM(0);
        m_nFields = 0;
        m_nVoiceFax = m_nResPerm = 0;
        for (int i = 0; i < nStatements; ++i)
        {
            PXStatement* pFS = pData->GetStatement(PXKIND_BODY, i);
            if (!pFS->HasStyle(PXSTYLE_VARIABLE))
                continue;
            PXASSERT(pFS->GetType()==PXTOK_FIELD);
            WORD wFieldId = pFS->GetParam(0);
            CString symbol = SymbolName(wFieldId);
            int nOffset = GetSymbolOffset(symbol);
            // The model must know every variable the record binds.
            PXASSERT(nOffset>=0);
            // The table keeps offsets in 16 bits; a variable further into
            // the block's storage would be read and written at the wrong
            // place, so the block's settings are refused instead.
            if (nOffset > 0xFFFF)
                throw PXException(IDS_SDO_PBV_FARVARIABLE, __FILE__, __LINE__);
            m_pFieldTable[m_nFields++] = (static_cast<DWORD>(nOffset) << 16) | wFieldId;
            switch (kvrSDOGetSymbolType(m_nType, symbol))
            {
            case KVR_SYM_ITEM:
                PXASSERT(m_nVoiceFax<PXPBV_MAXSYMBOLFIELDS);
                m_pVoiceFaxSoftID[m_nVoiceFax++] = wFieldId;
                break;
            case KVR_SYM_RESPERM:
                PXASSERT(m_nResPerm<PXPBV_MAXSYMBOLFIELDS);
                m_pResPermSoftID[m_nResPerm++] = wFieldId;
                break;
            }
        }
        if (bOutputs)
        {
            m_pOutputs = new (std::nothrow) PXObArray;
            if (!m_pOutputs)
                PXTHROW_XMEM(0);
            PXOutputDataStruct output;
            for (int n = 0; GetOutputData(n, output); ++n)
            {
                std::unique_ptr<PXSoftRecMem> row(new (std::nothrow) PXSoftRecMem(PXREC_OUTPUT_ROW));
                if (!row)
                    PXTHROW_XMEM(0);
                // An output the array cannot take is not silently dropped.
                if (!m_pOutputs->Add(row.get()))
                    PXTHROW_XMEM(0);
                PXSoftRecMem* pRow = row.release();
                PXFieldValue(PXFIELD_OUTPUT_ROW_NAME, pRow).SetText(output.m_strName);
                PXFieldValue(PXFIELD_OUTPUT_ROW_CONNECTION, pRow).SetText(output.m_strConnection);
                PXFieldValue(PXFIELD_OUTPUT_ROW_VISIBLE, pRow).SetInt16(output.m_sShown);
                pRow->Commit();
            }
            m_pszDescription = m_pBlock ? m_pBlock->GetDescription() : nullptr;
        }
    }
    catch (...)
    {
        FreeTables();
        m_nFields = m_nVoiceFax = m_nResPerm = 0;
        throw;
    }
    m_bPrepared = TRUE;
}

int PXSoftRecPBV::FieldOffset(WORD wFieldId) const
{
    for (int i = 0; i < m_nFields; ++i)
        if (LOWORD(m_pFieldTable[i]) == wFieldId)
            return HIWORD(m_pFieldTable[i]);
    PXASSERT(0);
}

void* PXSoftRecPBV::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    if (wFieldId == PXFIELD_OUTPUTS)
        return m_pOutputs;
    if (wFieldId == PXFIELD_NOTES)
        return const_cast<char*>(m_pszDescription ? m_pszDescription : "");
    int nOffset = FieldOffset(wFieldId);
    return kvrSDOGetSymbolPtr(m_nType, SymbolName(wFieldId), m_hBlock, nOffset);
}

int PXSoftRecPBV::GetCharFieldSize(WORD wFieldId)
{
    if (wFieldId == PXFIELD_NOTES)
        return PXPBV_DESCRIPTIONSIZE;
    return kvrSDOGetSymbolSize(m_nType, SymbolName(wFieldId));
}

int PXSoftRecPBV::StoreField(WORD wFieldId)
{
    PXFieldValue field(wFieldId, this);
    if (wFieldId == PXFIELD_NOTES)
    {
        PXASSERT(m_pBlock!=0);
        CString text = *field.GetText();
        if (text.GetLength() >= PXPBV_DESCRIPTIONSIZE)
            text = text.Left(PXPBV_DESCRIPTIONSIZE - 1);
        m_pBlock->SetDescription(text);
        m_pszDescription = m_pBlock->GetDescription();
        return 1;
    }
    CString symbol = SymbolName(wFieldId);
    int nOffset = FieldOffset(wFieldId);
    void* pMem = GetFieldMem(wFieldId);
    if (!pMem)
        pMem = kvrSDOAllocateMem(m_nType, symbol, m_hBlock, nOffset);
    PXASSERT(pMem!=0);
    switch (GetMemRep(wFieldId))
    {
    case PXFM_CHAR:
    {
        // New text storage replaces the old; the copy is bounded by the
        // size the model gives it.
        CString text = *field.GetText();
        std::free(pMem);
        char* pText = static_cast<char*>(kvrSDOAllocateMem(m_nType, symbol, m_hBlock, nOffset));
        PXASSERT(pText!=0);
        int nSize = kvrSDOGetSymbolSize(m_nType, symbol);
        PXASSERT(nSize>0);
        lstrcpynA(pText, text, nSize);
        break;
    }
    case PXFM_INT32:
        *static_cast<long*>(pMem) = *field.GetInt32();
        break;
    case PXFM_BOOL:
    {
        const CString& rText = *field.GetText();
        *static_cast<long*>(pMem) = (rText == PXTEXT_NO || rText == "0") ? 0 : 1;
        break;
    }
    case PXFM_INT16:
        *static_cast<short*>(pMem) = *field.GetInt16();
        break;
    default:
        // The model keeps no text objects of the program's own.
        PXASSERT(0);
    }
    return 1;
}

void PXSoftRecPBV::CopyFrom(PXSoftRec&)
{
    PXASSERT(0);
}

int PXSoftRecPBV::GetOutputData(int nIndex, PXOutputDataStruct& rOutput)
{
    const char* pszName = kvrSDOGetOutputDataName(m_nType, nIndex, m_hBlock);
    if (!pszName)
        return 0;
    const char* ptr = kvrSDOGetOutputDataConnection(m_nType, nIndex, m_hBlock);
    PXASSERT(ptr!=0);
    rOutput.m_strName = pszName;
    rOutput.m_strConnection = ptr;
    int nFlags = kvrSDOIsOutputOptionalApplicable(m_nType, m_hBlock, pszName);
    rOutput.m_sShown = ((nFlags & KVR_OUT_APPLICABLE) && m_pBlock &&
                        m_pBlock->IsOutputShown(nIndex)) ? 1 : 0;
    return 1;
}

short PXSoftRecPBV::ItemValue(WORD wFieldId)
{
    return *PXFieldValue(wFieldId, this).GetInt16();
}

long PXSoftRecPBV::ListValue(WORD wFieldId)
{
    return *PXFieldValue(wFieldId, this).GetInt32();
}

// Runs fn on each item id the block's fields hold (voice or fax, by the
// record's kind) and on each list id above 0: 0 is no list and -2 a list
// that the server no longer has, and neither counts uses.
template <class Fn>
void PXSoftRecPBV::ForEachItemId(Fn fn)
{
    Prepare(PXPREPARE_ALL);
    for (int i = 0; i < m_nVoiceFax; ++i)
    {
        short sId = ItemValue(m_pVoiceFaxSoftID[i]);
        if (!IsItemId(sId))
            continue;
        PXASSERT(GetApp()!=0);
        fn(sId);
    }
}

template <class Fn>
void PXSoftRecPBV::ForEachListId(Fn fn)
{
    Prepare(PXPREPARE_ALL);
    for (int i = 0; i < m_nResPerm; ++i)
    {
        long lId = ListValue(m_pResPermSoftID[i]);
        if (lId <= 0)
            continue;
        PXASSERT(GetApp()!=0);
        fn(lId);
    }
}

void PXSoftRecPBV::CopyItemsToClip()
{
    bool bFax = IsFaxRecord();
    ForEachItemId([bFax](short sId) {
        if (bFax)
            GetApp()->CopyFaxItemToClipByID(sId);
        else
            GetApp()->CopyVoiceItemToClipByID(sId);
    });
}

void PXSoftRecPBV::CopyResPermsToClip()
{
    ForEachListId([](long lId) { GetApp()->CopyResPermToClipByID(lId); });
}

void PXSoftRecPBV::ReleaseItemRefs()
{
    bool bFax = IsFaxRecord();
    ForEachItemId([bFax](short sId) {
        if (bFax)
            GetApp()->ReleaseFaxItemRef(sId);
        else
            GetApp()->ReleaseVoiceItemRef(sId);
    });
}

void PXSoftRecPBV::AddItemRefs()
{
    bool bFax = IsFaxRecord();
    ForEachItemId([bFax](short sId) {
        if (bFax)
            GetApp()->AddFaxItemRef(sId);
        else
            GetApp()->AddVoiceItemRef(sId);
    });
}

void PXSoftRecPBV::ReleaseResPermRefs()
{
    ForEachListId([](long lId) { GetApp()->RemoveListEntry(lId); });
}

void PXSoftRecPBV::AddResPermRefs()
{
    Prepare(PXPREPARE_ALL);
    if (m_nResPerm == 0)
        return;
    PXASSERT(GetApp()!=0);
    for (int i = 0; i < m_nResPerm; ++i)
    {
        long lId = ListValue(m_pResPermSoftID[i]);
        if (lId > 0)
            GetApp()->SelectImport(lId);
    }
    GetApp()->RefreshResPermList();
}

void PXSoftRecPBV::RefreshImports()
{
    Prepare(PXPREPARE_ALL);
    if (GetTypeId() != PXREC_LANGUAGE_SELECT)
        return;
    PXASSERT(GetApp()!=0);
    GetApp()->RefreshImportList();
}

// Each field that holds the old id is stored at once with the new one: a
// verifying commit would leave an incomplete block on the old item.
void PXSoftRecPBV::Renumber(short sOld, short sNew)
{
    Prepare(PXPREPARE_ALL);
    for (int i = 0; i < m_nVoiceFax; ++i)
    {
        WORD wFieldId = m_pVoiceFaxSoftID[i];
        if (ItemValue(wFieldId) != sOld)
            continue;
        PXFieldValue(wFieldId, this).SetInt16(sNew);
        StoreField(wFieldId);
    }
}

void PXSoftRecPBV::RenumberVoiceItem(short sOld, short sNew)
{
    if (!IsFaxRecord())
        Renumber(sOld, sNew);
}

void PXSoftRecPBV::RenumberFaxItem(short sOld, short sNew)
{
    if (IsFaxRecord())
        Renumber(sOld, sNew);
}

// The block's uses of items and lists are given up while its settings are
// edited and taken again from what the block holds afterwards, whatever
// the sheet's end.
int PXSoftRecPBV::EditInPropSheet()
{
    Prepare(PXPREPARE_ALL);
    // A Thru-Dial sheet fetches the server's lists afresh.
    if (GetTypeId() == PXREC_THRU_DIAL && GetApp())
        GetApp()->FreeServerRecord();
    ReleaseItemRefs();
    ReleaseResPermRefs();
    int nResult;
    try
    {
        nResult = PXSoftRec::EditInPropSheet();
    }
    catch (...)
    {
        // Nothing of an interrupted edit is kept; the uses follow the block.
        DropCells();
        AddItemRefs();
        AddResPermRefs();
        RefreshImports();
        throw;
    }
    AddItemRefs();
    AddResPermRefs();
    RefreshImports();
    return nResult;
}

// Whether a verification section of the record's definition reaches a
// message for the record as it stands.
BOOL PXSoftRecPBV::ReachesMessage()
{
    PXSectionArray* pSections = GetDef()->GetSections(PXSECT_VERIFICATION);
    for (int s = 0; pSections && s < pSections->GetSize(); ++s)
    {
        PXSection* pSection = pSections->GetSection(s);
        PXStatementPos* pPos = nullptr;
        pSection->GetFirstPos(PXKIND_BODY, this, pPos, TRUE);
        while (pPos)
        {
            if (pSection->GetStatementAt(PXKIND_BODY, pPos)->GetType() == PXTOK_MSGBOX)
            {
                delete pPos;
                return TRUE;
            }
            pSection->GetNextPos(PXKIND_BODY, this, pPos);
        }
    }
    return FALSE;
}

int PXSoftRecPBV::CheckFinished()
{
    Prepare(PXPREPARE_ALL);
    // Lists and languages the server no longer has are marked -2. Only the
    // server's own lists can tell that: while they are not known (standalone
    // mode, or not fetched yet) the administrator's settings stay.
    BOOL bServerLists = GetApp() && GetApp()->HasServerLists();
    if (GetTypeId() == PXREC_THRU_DIAL && bServerLists)
    {
        long lId = ListValue(PXFIELD_THRU_DIAL_RESTRICTION_PERMISSION_LIST);
        if (lId != 0 && GetApp()->FindResPermList(lId) < 0)
        {
            PXFieldValue(PXFIELD_THRU_DIAL_RESTRICTION_PERMISSION_LIST, this).SetInt32(-2);
            StoreField(PXFIELD_THRU_DIAL_RESTRICTION_PERMISSION_LIST);
        }
    }
    if (GetTypeId() == PXREC_LANGUAGE_SELECT && bServerLists)
    {
        long lId = ListValue(PXFIELD_LANGUAGE_SELECT_SYSTEM_PROMPTING_LANGUAGE);
        if (lId != -1 && GetApp()->FindLanguage(lId) < 0)
        {
            PXFieldValue(PXFIELD_LANGUAGE_SELECT_SYSTEM_PROMPTING_LANGUAGE, this).SetInt32(-2);
            StoreField(PXFIELD_LANGUAGE_SELECT_SYSTEM_PROMPTING_LANGUAGE);
        }
    }
    if (ReachesMessage())
    {
        kvrSDOSetIconFinished(m_hBlock, 0);
        return 0;
    }
    PXOutputDataStruct output;
    for (int n = 0; GetOutputData(n, output); ++n)
    {
        int nFlags = kvrSDOIsOutputOptionalApplicable(m_nType, m_hBlock, output.m_strName);
        if ((nFlags & KVR_OUT_APPLICABLE) &&
            !(nFlags & (KVR_OUT_CONNECTED | KVR_OUT_OPTIONAL)))
        {
            kvrSDOSetIconFinished(m_hBlock, 0);
            return 0;
        }
    }
    kvrSDOSetIconFinished(m_hBlock, 1);
    return 1;
}
