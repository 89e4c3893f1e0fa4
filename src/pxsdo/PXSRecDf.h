// Record definition: the fields of a record type with their native types
// and storage flags, its verification rules, and the dialog and property
// sheet it is edited in. Shared by all records of the type through the
// definition cache.
#ifndef PXSRECDF_H
#define PXSRECDF_H

#include "PXSObjDf.h"

class PXSoftDlg;
class PXSoftPropSheet;
class PXSoftRec;

class PXSoftRecDef : public PXSoftObjDef
{
public:
    explicit PXSoftRecDef(WORD wRecordTypeId);
    ~PXSoftRecDef() override;

    // The shared, loaded definition of the record type with one more
    // reference; the caller that releases the last one deletes it.
    static PXSoftRecDef* Get(WORD wRecordTypeId);

    void Validate() override;
    PXSectionArray* GetSections(WORD wSectionToken) override;
    void AddSection(PXSection* pSection, WORD wSectionToken) override;
    void CheckSectionOrder(WORD wSectionToken) override;

    PXSection* GetReferencesSection() const { return FirstSection(m_pReferencesSections); }
    PXSection* GetDataSection() const { return FirstSection(m_pDataSections); }
    int GetNbReferencesSections() const { return CountSections(m_pReferencesSections); }
    int GetNbDataSections() const { return CountSections(m_pDataSections); }
    int GetNbVerificationSections() const { return CountSections(m_pVerificationSections); }

    // The native type of a field of the first DATA section; must exist.
    WORD GetFieldType(WORD wFieldId) const;
    // The field statement of a field; null when the record has no such field.
    PXStatement* FindFieldStatement(WORD wFieldId) const;

    // The default dialog (0x3201) and property sheet (0x3209) of the record.
    WORD GetSoftDlgID() const;
    WORD GetHelpID() const;
    WORD GetPropSheetID() const;
    // The record's soft dialog (dialog id 0: both ids from the references)
    // and property sheet; the caller owns them.
    PXSoftDlg* CreateSoftDlg(PXSoftRec* pRec, WORD wDlgId, WORD wHelpId) const;
    PXSoftPropSheet* CreateSoftPropSheet(PXSoftRec* pRec) const;

private:
    PXSectionArray* m_pReferencesSections;
    PXSectionArray* m_pDataSections;
    PXSectionArray* m_pVerificationSections;
    BOOL m_bReferencesDone;
    BOOL m_bDataDone;
};

#endif
