// Dialog definition: the template of a soft dialog, its soft controls, which
// control shows which record field, and what the dialog does on the
// notifications of its controls. Not shared: every soft dialog reads its own.
#ifndef PXSDLGDF_H
#define PXSDLGDF_H

#include "PXSObjDf.h"

class PXSoftDlgDef : public PXSoftObjDef
{
public:
    explicit PXSoftDlgDef(WORD wDlgId);
    ~PXSoftDlgDef() override;

    // A new, loaded definition with one reference.
    static PXSoftDlgDef* Get(WORD wDlgId);

    void Validate() override;
    PXSectionArray* GetSections(WORD wSectionToken) override;
    void AddSection(PXSection* pSection, WORD wSectionToken) override;
    void CheckSectionOrder(WORD wSectionToken) override;

    WORD GetDlgID() const { return m_wDlgId; }
    // The dialog template named by the first REFERENCES section.
    WORD GetTemplateID() const;
    // The first group control of the first SOFTCONTROL section that lists
    // the control as a member; 0 when none.
    WORD FindGroupOfSubCtrl(WORD wControlId) const;
    // The soft-control statement of a control id; null when none.
    PXStatement* FindCtrlStatement(WORD wControlId) const;

    PXSection* GetReferencesSection() const { return FirstSection(m_pReferencesSections); }
    PXSection* GetSoftControlSection() const { return FirstSection(m_pSoftControlSections); }
    PXSection* GetDlgDataLinkSection() const { return FirstSection(m_pDDLSections); }
    int GetNbReferencesSections() const { return CountSections(m_pReferencesSections); }
    int GetNbSoftControlSections() const { return CountSections(m_pSoftControlSections); }
    int GetNbDlgDataLinkSections() const { return CountSections(m_pDDLSections); }
    int GetNbNotifSections() const { return CountSections(m_pNotifSections); }

private:
    WORD m_wDlgId;
    PXSectionArray* m_pReferencesSections;
    PXSectionArray* m_pDDLSections;
    PXSectionArray* m_pNotifSections;
    PXSectionArray* m_pSoftControlSections;
    BOOL m_bReferencesDone;
    BOOL m_bSoftControlDone;
};

#endif
