// Record definitions and their sharing through the definition cache.
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXSdoRes.h"
#include "PXSoftPropSheet.h"

#include <new>

PXSoftRecDef::PXSoftRecDef(WORD wRecordTypeId)
    : PXSoftObjDef(wRecordTypeId),
      m_pReferencesSections(nullptr), m_pDataSections(nullptr), m_pVerificationSections(nullptr),
      m_bReferencesDone(FALSE), m_bDataDone(FALSE)
{
}

PXSoftRecDef::~PXSoftRecDef()
{
    PXASSERT(m_nRefCount==0);
    DeleteSections(m_pReferencesSections);
    DeleteSections(m_pDataSections);
    DeleteSections(m_pVerificationSections);
    // Only the cached definition of the id leaves the cache.
    PXMapWordToOb& rCache = PXGetSoftDefCache();
    PXObject* pCached = nullptr;
    if (rCache.Lookup(m_wResourceId, pCached) && pCached == this)
        rCache.RemoveKey(m_wResourceId);
}

PXSoftRecDef* PXSoftRecDef::Get(WORD wRecordTypeId)
{
    PXMapWordToOb& rCache = PXGetSoftDefCache();
    PXObject* pOb = nullptr;
    PXSoftRecDef* pDef;
    if (rCache.Lookup(wRecordTypeId, pOb))
    {
        pDef = static_cast<PXSoftRecDef*>(pOb);
    }
    else
    {
        pDef = new (std::nothrow) PXSoftRecDef(wRecordTypeId);
        if (!pDef)
            PXTHROW_XMEM(IDS_SDO_NEWSOFTRECDEF);
        // A definition that cannot be read is freed and never cached.
        try
        {
            pDef->Load();
            rCache.SetAt(wRecordTypeId, pDef);
        }
        catch (...)
        {
            delete pDef;
            throw;
        }
    }
    pDef->AddRef();
    return pDef;
}

void PXSoftRecDef::Validate()
{
    PXASSERT(m_bReferencesDone==1);
    PXASSERT(m_bDataDone==1);
}

PXSectionArray* PXSoftRecDef::GetSections(WORD wSectionToken)
{
    switch (wSectionToken)
    {
    case PXSECT_REFERENCES:   return m_pReferencesSections;
    case PXSECT_DATA:         return m_pDataSections;
    case PXSECT_VERIFICATION: return m_pVerificationSections;
    default: PXASSERT(0);
    }
}

void PXSoftRecDef::AddSection(PXSection* pSection, WORD wSectionToken)
{
    switch (wSectionToken)
    {
    case PXSECT_REFERENCES:   AppendSection(m_pReferencesSections, pSection); break;
    case PXSECT_DATA:         AppendSection(m_pDataSections, pSection); break;
    case PXSECT_VERIFICATION: AppendSection(m_pVerificationSections, pSection); break;
    default: PXASSERT(0);
    }
}

void PXSoftRecDef::CheckSectionOrder(WORD wToken)
{
    switch (wToken)
    {
    case PXSECT_REFERENCES:
        PXASSERT(m_bReferencesDone!=1);
        m_bReferencesDone = TRUE;
        break;
    case PXSECT_DATA:
        PXASSERT(m_bReferencesDone==1);
        m_bDataDone = TRUE;
        break;
    case PXSECT_VERIFICATION:
        PXASSERT(m_bReferencesDone==1);
        PXASSERT(m_bDataDone==1);
        break;
    default:
        PXASSERT(0);
    }
}

PXStatement* PXSoftRecDef::FindFieldStatement(WORD wFieldId) const
{
    PXSection* pData = GetDataSection();
    PXASSERT(pData!=0);
    return pData->FindStatement(PXKIND_BODY, 0, wFieldId, FALSE);
}

WORD PXSoftRecDef::GetFieldType(WORD wFieldId) const
{
    PXSection* pData = GetDataSection();
    PXASSERT(pData!=0);
    return pData->FindStatement(PXKIND_BODY, 0, wFieldId, TRUE)->GetParam(1);
}

WORD PXSoftRecDef::GetSoftDlgID() const
{
    PXSection* pRefs = GetReferencesSection();
    PXASSERT(pRefs!=0);
    return pRefs->FindStatementOfType(PXKIND_BODY, PXTOK_SOFTDLG)->GetParam(0);
}

WORD PXSoftRecDef::GetHelpID() const
{
    PXSection* pRefs = GetReferencesSection();
    PXASSERT(pRefs!=0);
    return pRefs->FindStatementOfType(PXKIND_BODY, PXTOK_SOFTDLG)->GetParam(1);
}

WORD PXSoftRecDef::GetPropSheetID() const
{
    PXSection* pRefs = GetReferencesSection();
    PXASSERT(pRefs!=0);
    return pRefs->FindStatementOfType(PXKIND_BODY, PXTOK_PROPSHEET)->GetParam(0);
}

PXSoftPropSheet* PXSoftRecDef::CreateSoftPropSheet(PXSoftRec* pRec) const
{
    PXSoftPropSheet* pSheet = new (std::nothrow) PXSoftPropSheet(GetPropSheetID(), pRec);
    if (!pSheet)
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEET);
    return pSheet;
}
