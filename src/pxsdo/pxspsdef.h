// Property-sheet definition: one REFERENCES section whose soft-dialog
// statements are the pages, in page order.
#ifndef PXSPSDEF_H
#define PXSPSDEF_H

#include "PXSObjDf.h"

class PXSoftPropSheetDef : public PXSoftObjDef
{
public:
    explicit PXSoftPropSheetDef(WORD wSheetId);
    ~PXSoftPropSheetDef() override;

    // A new, loaded definition with one reference.
    static PXSoftPropSheetDef* Get(WORD wSheetId);

    void Validate() override;
    void AddSection(PXSection* pSection, WORD wSectionToken) override;
    void CheckSectionOrder(WORD wSectionToken) override;

    PXSection* GetReferencesSection() const { return FirstSection(m_pReferencesSections); }

private:
    PXSectionArray* m_pReferencesSections;
    BOOL m_bReferencesDone;
};

#endif
