// Dialog definitions: section order and the runtime's questions.
#include "PXSDlgDf.h"
#include "PXSction.h"
#include "PXSdoRes.h"

#include <new>

PXSoftDlgDef::PXSoftDlgDef(WORD wDlgId)
    : PXSoftObjDef(wDlgId), m_wDlgId(wDlgId),
      m_pReferencesSections(nullptr), m_pDDLSections(nullptr), m_pNotifSections(nullptr),
      m_pSoftControlSections(nullptr), m_bReferencesDone(FALSE), m_bSoftControlDone(FALSE)
{
}

PXSoftDlgDef::~PXSoftDlgDef()
{
    PXASSERT(m_nRefCount==0);
    DeleteSections(m_pReferencesSections);
    DeleteSections(m_pDDLSections);
    DeleteSections(m_pNotifSections);
    DeleteSections(m_pSoftControlSections);
}

PXSoftDlgDef* PXSoftDlgDef::Get(WORD wDlgId)
{
    PXSoftDlgDef* pDef = new (std::nothrow) PXSoftDlgDef(wDlgId);
    if (!pDef)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLGDEF);
    try
    {
        pDef->Load();
    }
    catch (...)
    {
        delete pDef;
        throw;
    }
    pDef->AddRef();
    return pDef;
}

void PXSoftDlgDef::Validate()
{
    PXASSERT(m_bReferencesDone==1);
    PXASSERT(m_bSoftControlDone==1);
}

PXSectionArray* PXSoftDlgDef::GetSections(WORD wSectionToken)
{
    switch (wSectionToken)
    {
    case PXSECT_REFERENCES:   return m_pReferencesSections;
    case PXSECT_SOFTCONTROL:  return m_pSoftControlSections;
    case PXSECT_DLGDATALINK:  return m_pDDLSections;
    case PXSECT_NOTIFICATION: return m_pNotifSections;
    default: PXASSERT(0);
    }
}

void PXSoftDlgDef::AddSection(PXSection* pSection, WORD wSectionToken)
{
    switch (wSectionToken)
    {
    case PXSECT_REFERENCES:   AppendSection(m_pReferencesSections, pSection); break;
    case PXSECT_SOFTCONTROL:  AppendSection(m_pSoftControlSections, pSection); break;
    case PXSECT_DLGDATALINK:  AppendSection(m_pDDLSections, pSection); break;
    case PXSECT_NOTIFICATION: AppendSection(m_pNotifSections, pSection); break;
    default: PXASSERT(0);
    }
}

void PXSoftDlgDef::CheckSectionOrder(WORD wToken)
{
    switch (wToken)
    {
    case PXSECT_REFERENCES:
        PXASSERT(m_bReferencesDone!=1);
        m_bReferencesDone = TRUE;
        break;
    case PXSECT_SOFTCONTROL:
        PXASSERT(m_bReferencesDone==1);
        m_bSoftControlDone = TRUE;
        break;
    case PXSECT_DLGDATALINK:
    case PXSECT_NOTIFICATION:
        PXASSERT(m_bReferencesDone==1);
        PXASSERT(m_bSoftControlDone==1);
        break;
    default:
        PXASSERT(0);
    }
}

WORD PXSoftDlgDef::GetTemplateID() const
{
    PXSection* pRefs = GetReferencesSection();
    PXASSERT(pRefs!=0);
    return pRefs->FindStatementOfType(PXKIND_BODY, PXTOK_DLGRES)->GetParam(0);
}

WORD PXSoftDlgDef::FindGroupOfSubCtrl(WORD wControlId) const
{
    PXSection* pSCSection = GetSoftControlSection();
    PXASSERT(pSCSection!=0);
    int n = pSCSection->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pS = pSCSection->GetStatement(PXKIND_BODY, i);
        if (pS->GetType() != PXTOK_GROUPCTRL)
            continue;
        PXMultiLineStatement* pGroup = static_cast<PXMultiLineStatement*>(pS);
        int nMembers = pGroup->GetNbStatements(PXKIND_BODY);
        for (int j = 0; j < nMembers; ++j)
        {
            PXStatement* pSubS = pGroup->GetStatement(PXKIND_BODY, j);
            PXASSERT(pSubS->GetType()==0x3208);
            if (pSubS->GetParam(0) == wControlId)
                return pGroup->GetParam(0);
        }
    }
    return 0;
}

PXStatement* PXSoftDlgDef::FindCtrlStatement(WORD wControlId) const
{
    PXSection* pSCSection = GetSoftControlSection();
    PXASSERT(pSCSection!=0);
    int n = pSCSection->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pS = pSCSection->GetStatement(PXKIND_BODY, i);
        PXASSERT(pS->GetType()==0x3207||pS->GetType()==0x3206);
        if (pS->GetParam(0) == wControlId)
            return pS;
    }
    return nullptr;
}
