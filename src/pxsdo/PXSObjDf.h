// Base of the definition kinds (record, dialog, property sheet): loads a
// definition resource section by section and counts its users. Beside it
// the definition cache through which record definitions are shared.
#ifndef PXSOBJDF_H
#define PXSOBJDF_H

#include "PXStatmt.h"

class PXResNav;

class PXSoftObjDef : public PXObject
{
public:
    explicit PXSoftObjDef(WORD wResourceId);
    ~PXSoftObjDef() override;

    // Called after the last section has been read.
    virtual void Validate();
    virtual PXSectionArray* GetSections(WORD wSectionToken);
    virtual void AddSection(PXSection* pSection, WORD wSectionToken);
    // Reads the whole resource from the program's module.
    virtual void Load();
    // Makes, registers, reads and validates one section.
    virtual void CreateSection(WORD wSectionToken, PXResNav& rResNav);
    virtual void CheckSectionOrder(WORD wSectionToken);

    WORD GetID() const { return m_wResourceId; }
    int AddRef() { return ++m_nRefCount; }
    int Release() { return --m_nRefCount; }
    int GetRefCount() const { return m_nRefCount; }

    // The first section of the kind one of whose header statements equals
    // the probe; null when none.
    PXSection* FindSection(WORD wSectionToken, const PXStatement& rProbe);

    // Definition objects alive now, of every kind (diagnostics).
    static int GetLiveCount() { return s_nLive; }

protected:
    // Appends the section to the array, making the array on first use.
    static void AppendSection(PXSectionArray*& rpArray, PXSection* pSection);
    static void DeleteSections(PXSectionArray*& rpArray);
    static PXSection* FirstSection(PXSectionArray* pArray);
    static int CountSections(PXSectionArray* pArray) { return pArray ? pArray->GetSize() : 0; }

    int m_nRefCount;
    WORD m_wResourceId;

private:
    static int s_nLive;
};

// The definition cache: record definitions by resource id, each while a
// record uses it. The map does not own the definitions.
PXMapWordToOb& PXGetSoftDefCache();

#endif
