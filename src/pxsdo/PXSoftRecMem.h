// Soft records that keep the stored value of each field themselves, laid
// out by the fields' memory representations; and the base of every
// application record, which adds the questions a list asks a record that
// joins or leaves it.
#ifndef PXSOFTRECMEM_H
#define PXSOFTRECMEM_H

#include "PXSoftRec.h"

class PXSoftRecMem : public PXSoftRec
{
public:
    explicit PXSoftRecMem(WORD wRecordTypeId);
    ~PXSoftRecMem() override;

    // Makes the storage of every field on first need.
    void Prepare(WORD wFieldId) override;
    void* GetFieldMem(WORD wFieldId) override;
    void CopyFrom(PXSoftRec& rOther) override;
    // List fields are stored by committing the changes of their list.
    int StoreField(WORD wFieldId) override;

    int GetNbFields() const { return m_nFields; }
    BOOL IsPrepared() const { return m_ppStorage != nullptr; }

private:
    void FreeStorage();

    int m_nFields;
    void** m_ppStorage;     // one storage block per field, owned
    WORD* m_pwIds;          // the field id of each entry
    PX_FLDS_MEM* m_pwReps;  // the representation each block was made for
    BOOL m_bComplete;       // every field's storage is made
};

class PXSoftRecDataLink : public PXSoftRecMem
{
public:
    explicit PXSoftRecDataLink(WORD wRecordTypeId) : PXSoftRecMem(wRecordTypeId) {}

    // Called on a new record that a list commit is about to append; the
    // record does its own joining work and answers 1 to be appended.
    virtual int Insert() = 0;
    // Called on a record that a list commit is about to remove; 1 lets it go.
    virtual int Remove() = 0;
};

// Commits the changes that a list field's cell holds into the stored list:
// a temporary overlay of the cell's array is committed. 1 when every
// changed record was accepted.
int PXCommitListField(PXSoftRec* pRec, WORD wFieldId);

#endif
