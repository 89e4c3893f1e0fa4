// Record arrays: a list of soft records edited without touching the stored
// list until the owning record commits. An array views a stored PXObArray
// or overlays another array (its parent) and keeps its changes as
// bookkeeping: edit copies of the records read, records added, positions
// removed. Also the sorted array of the list dialogs, the record-set value
// and the finders.
#ifndef PXRECARRAY_H
#define PXRECARRAY_H

#include "PXValue.h"

class PXSoftRec;
class PXFieldValue;
class PXRecArray;

// The bookkeeping. Positions 0..B-1 are the base records (B the parent's
// visible count or the stored array's size), B.. the added records in order
// of addition; a removed base record keeps its position.
class PXRecArrayBase
{
public:
    PXRecArrayBase();
    virtual ~PXRecArrayBase();

    PXRecArrayBase(const PXRecArrayBase&) = delete;
    PXRecArrayBase& operator=(const PXRecArrayBase&) = delete;

    PXMapWordToOb* m_pMap;      // position -> edit copy or added record
    PXWordArray* m_pRemoved;    // removed base positions, ascending
    PXRecArray* m_pParent;
    PXObArray* m_pObArray;
    int m_nRemoved;
    int m_nAdded;
    int m_nEdited;
};

class PXRecArray : public PXObject, public PXRecArrayBase
{
public:
    PXRecArray();
    explicit PXRecArray(PXRecArray* pParent);
    explicit PXRecArray(PXObArray* pObArray);
    // The array owns its bookkeeping: the edit copies and the records
    // handed to Add are deleted with it.
    ~PXRecArray() override;

    int GetSize() const;
    PXSoftRec* GetAt(int nIndex);
    // Appends the record as added; the array takes it over. Answers its
    // visible index.
    int Add(PXSoftRec* pRec);
    void RemoveAt(int nIndex);
    // Takes over the changes of an overlay of this array.
    void Merge(PXRecArray& rOther);
    // Called on an empty overlay: applies its parent's changes to the
    // parent's stored array. 1 when every changed record was accepted; 0
    // when an edited record refused its commit, and then nothing was
    // changed.
    int Commit();

    int GetBaseSize() const;
    BOOL IsEdited(int nPosition) const;
    BOOL IsAdded(int nPosition) const;

private:
    int PositionOf(int nIndex) const;
    int IndexOf(int nPosition) const;
    // The record at a visible index without making an edit copy.
    PXSoftRec* Peek(int nIndex) const;
    PXSoftRec* MapAt(int nPosition) const;
    void MapSet(int nPosition, PXSoftRec* pRec);
    void InsertRemoved(int nPosition);
    // Positions of the edit copies in map order, and of the added records
    // in order of addition.
    void Collect(PXWordArray& rEdited, PXWordArray& rAdded) const;
    PXMapWordToOb& Map();
};

class PXSortRecArray : public PXRecArray
{
public:
    explicit PXSortRecArray(PXRecArray* pParent) : PXRecArray(pParent), m_pSortedIndex(nullptr) {}
    explicit PXSortRecArray(PXObArray* pObArray) : PXRecArray(pObArray), m_pSortedIndex(nullptr) {}
    ~PXSortRecArray() override;

    // Orders the visible records by a field (INT16, INT32 or TEXT): equal
    // values keep their order ascending and come latest first descending.
    void Sort(WORD wFieldId, BOOL bAscending);
    // The record at a sorted position.
    PXSoftRec* GetAt(int nSortedPos);

private:
    PXWordArray* m_pSortedIndex;
};

// The RECORDSET value: a record array carried in a field cell.
class PXSoftRecSet : public PXValue
{
public:
    PXSoftRecSet();
    PXSoftRecSet(const void* pStorage, PX_FLDS_MEM wMemRepresentation);
    ~PXSoftRecSet() override;

    PXSOFTTYPE GetType() const override { return PXST_RECORDSET; }
    int GetAttributes() const override { return 0; }
    PXRecArray* GetRecArray() override;
    PXValue& operator=(const PXValue& rValue) override;
    PXValue& operator=(PXRecArray& rRecArray) override;
    PXSoftRecSet& operator=(const PXSoftRecSet& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    using PXValue::operator=;

private:
    PXRecArray* m_pRecordArray;
};

int PXFindRecIndexSorted(WORD wFieldId, const PXFieldValue& rValue, PXSortRecArray& rArray);
int PXFindRecIndexByValue(WORD wFieldId, const PXFieldValue& rValue, PXRecArray& rArray);
int PXFindRecIndexByInt(WORD wFieldId, long lValue, PXRecArray& rArray);
int PXFindRecIndexByText(WORD wFieldId, CString text, PXRecArray& rArray);
int PXFindRecIndexByStringId(WORD wFieldId, UINT nStringId, PXRecArray& rArray);

#endif
