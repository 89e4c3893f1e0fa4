// Loading a definition: sections in resource order, each checked against
// the order its definition kind allows.
#include "PXSObjDf.h"
#include "PXDlgAcc.h"
#include "PXObjAcc.h"
#include "PXRecAcc.h"
#include "PXResNav.h"
#include "PXSObj.h"
#include "PXSdoRes.h"

#include <new>

int PXSoftObjDef::s_nLive = 0;

PXMapWordToOb& PXGetSoftDefCache()
{
    // Made before first use and kept for the whole run.
    static PXMapWordToOb* s_pCache = new PXMapWordToOb;
    return *s_pCache;
}

PXSoftObjDef::PXSoftObjDef(WORD wResourceId)
    : m_nRefCount(0), m_wResourceId(wResourceId)
{
    ++s_nLive;
}

PXSoftObjDef::~PXSoftObjDef()
{
    --s_nLive;
}

void PXSoftObjDef::Validate()
{
    PXASSERT(0);
}

PXSectionArray* PXSoftObjDef::GetSections(WORD wSectionToken)
{
    PXASSERT(0);
}

void PXSoftObjDef::AddSection(PXSection* pSection, WORD wSectionToken)
{
    PXASSERT(0);
}

void PXSoftObjDef::CheckSectionOrder(WORD wSectionToken)
{
    PXASSERT(0);
}

void PXSoftObjDef::Load()
{
    PXResNav resNav(m_wResourceId, PXSoftObj::GetModule());
    // The definition ends at a 0x0000 word or at the end of the resource,
    // where stepping on answers 0.
    WORD wToken = resNav.GetCurrentToken();
    while (wToken != PXW_END)
    {
        CheckSectionOrder(wToken);
        CreateSection(wToken, resNav);
        PXASSERT(resNav.GetCurrentToken()==0x0002);
        wToken = resNav.GetNextToken();
    }
    Validate();
}

namespace {

template <class T>
PXSection* MakeSection(unsigned nDescr)
{
    PXSection* p = new (std::nothrow) T;
    if (!p)
        throw PXXMem(nDescr, __FILE__, __LINE__);
    return p;
}

} // namespace

void PXSoftObjDef::CreateSection(WORD wSectionToken, PXResNav& rResNav)
{
    PXSection* pSection = nullptr;
    switch (wSectionToken)
    {
    case PXSECT_REFERENCES:   pSection = MakeSection<PXReferencesSection>(IDS_SDO_NEWREFERENCESSECT); break;
    case PXSECT_DATA:         pSection = MakeSection<PXDataSection>(IDS_SDO_NEWDATASECT); break;
    case PXSECT_VERIFICATION: pSection = MakeSection<PXVerificationSection>(IDS_SDO_NEWVERIFICATIONSECT); break;
    case PXSECT_DLGDATALINK:  pSection = MakeSection<PXDlgDataLinkSection>(IDS_SDO_NEWDLGDATALINKSECT); break;
    case PXSECT_SOFTCONTROL:  pSection = MakeSection<PXSoftControlSection>(IDS_SDO_NEWSOFTCONTROLSECT); break;
    case PXSECT_NOTIFICATION: pSection = MakeSection<PXNotificationSection>(IDS_SDO_NEWNOTIFICATIONSECT); break;
    default: PXASSERT(0);
    }
    try
    {
        AddSection(pSection, wSectionToken);
    }
    catch (...)
    {
        delete pSection;
        throw;
    }
    // The definition owns the section from here, even when reading fails.
    pSection->Read(rResNav);
    pSection->Validate();
}

PXSection* PXSoftObjDef::FindSection(WORD wSectionToken, const PXStatement& rProbe)
{
    PXSectionArray* pArray = GetSections(wSectionToken);
    if (!pArray)
        return nullptr;
    for (int i = 0; i < pArray->GetSize(); ++i)
    {
        PXSection* pSection = pArray->GetSection(i);
        int n = pSection->GetNbStatements(PXKIND_HEADER);
        for (int j = 0; j < n; ++j)
            if (pSection->GetStatement(PXKIND_HEADER, j)->IsEqual(rProbe))
                return pSection;
    }
    return nullptr;
}

void PXSoftObjDef::AppendSection(PXSectionArray*& rpArray, PXSection* pSection)
{
    if (!rpArray)
    {
        rpArray = new (std::nothrow) PXSectionArray;
        if (!rpArray)
            PXTHROW_XMEM(IDS_SDO_NEWSECTIONARRAY);
    }
    if (!rpArray->Add(static_cast<PXObject*>(pSection)))
        PXTHROW_XMEM(IDS_SDO_NEWSECTIONARRAY);
}

void PXSoftObjDef::DeleteSections(PXSectionArray*& rpArray)
{
    if (!rpArray)
        return;
    for (int i = 0; i < rpArray->GetSize(); ++i)
        delete rpArray->GetSection(i);
    delete rpArray;
    rpArray = nullptr;
}

PXSection* PXSoftObjDef::FirstSection(PXSectionArray* pArray)
{
    return (pArray && pArray->GetSize() > 0) ? pArray->GetSection(0) : nullptr;
}
