// Property-sheet definitions.
#include "pxspsdef.h"
#include "PXSction.h"
#include "PXSdoRes.h"

#include <new>

PXSoftPropSheetDef::PXSoftPropSheetDef(WORD wSheetId)
    : PXSoftObjDef(wSheetId), m_pReferencesSections(nullptr), m_bReferencesDone(FALSE)
{
}

PXSoftPropSheetDef::~PXSoftPropSheetDef()
{
    PXASSERT(m_nRefCount==0);
    DeleteSections(m_pReferencesSections);
}

PXSoftPropSheetDef* PXSoftPropSheetDef::Get(WORD wSheetId)
{
    PXSoftPropSheetDef* pDef = new (std::nothrow) PXSoftPropSheetDef(wSheetId);
    if (!pDef)
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEETDEF);
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

void PXSoftPropSheetDef::Validate()
{
    PXASSERT(m_bReferencesDone==1);
}

void PXSoftPropSheetDef::AddSection(PXSection* pSection, WORD wSectionToken)
{
    if (wSectionToken != PXSECT_REFERENCES)
        PXASSERT(0);
    AppendSection(m_pReferencesSections, pSection);
}

void PXSoftPropSheetDef::CheckSectionOrder(WORD wToken)
{
    if (wToken != PXSECT_REFERENCES)
        PXASSERT(0);
    PXASSERT(m_bReferencesDone!=1);
    m_bReferencesDone = TRUE;
}
