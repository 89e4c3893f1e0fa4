// Soft records: records whose fields, checks and dialogs a record definition
// describes. The base keeps a value cell per touched field over the storage
// that the derived forms supply; writes stay in the cells until Commit
// verifies the record and stores them, DropCells throws them away.
#ifndef PXSOFTREC_H
#define PXSOFTREC_H

#include "PXSObj.h"
#include "PXSdoDefIds.h"
#include "PXValue.h"

class PXSoftRecDef;
class PXSoftRecSet;
class PXStatement;
class PXCondStatement;
class PXVirtualField;

class PXSoftRec : public PXSoftObj
{
public:
    explicit PXSoftRec(WORD wRecordTypeId);
    ~PXSoftRec() override;

    // The record factory. Typed: the application record class registered
    // for the type (PXREC_USER_APP, PXREC_VOICE_ITEM, PXREC_FAX_ITEM,
    // PXREC_RESPERM_ITEM); otherwise a PXSoftRecMem of the type.
    static PXSoftRec* Create(WORD wTypeId, BOOL bTyped);
    // Whether the typed factory has a class for the record type.
    static BOOL HasTypedClass(WORD wTypeId);
    // The application's typed records, registered at start-up by the
    // library that defines them; a maker answers a new record, or null when
    // memory ran out. A later registration of a type replaces the earlier.
    typedef PXSoftRec* (*TRecMaker)();
    static void RegisterTypedClass(WORD wTypeId, TRecMaker pfnMaker);

    WORD GetTypeId() const;
    WORD GetID() const { return GetTypeId(); }
    PXSoftRecDef* GetDef() const { return m_pSoftRecDef; }

    // The field's cell, made on first use.
    PXVirtualField* GetCell(WORD wFieldId);
    // The field's cell when one exists.
    PXVirtualField* FindCell(WORD wFieldId) const;
    int GetNbCells() const;

    // 1 when the record passes its verification sections. With bCheckOnly
    // nothing is shown and the first failed check answers 0.
    int Verify(BOOL bCheckOnly);
    void DropCells();
    BOOL IsModified() const { return m_bModified; }
    void SetModified() { m_bModified = TRUE; }

    // Edits the record in a soft dialog of its definition (dialog id 0: the
    // definition's own dialog and help ids; otherwise a help id is needed)
    // or in the definition's property sheet; both set the modified flag and
    // answer the dialog's or sheet's result.
    int EditInDialog(WORD wDlgId, WORD wHelpId);
    virtual int EditInPropSheet();

    virtual void Prepare(WORD wFieldId);
    // Verification, then the modified cells are stored and all cells
    // dropped: 1. Refused by verification: 0 and every cell kept. When a
    // field's store is refused (a record of a list field refused its own
    // commit) the answer is 0 and only the refused fields keep their cells.
    virtual int Commit();
    virtual void CopyFrom(PXSoftRec& rOther);
    virtual PXSOFTTYPE GetFieldType(WORD wFieldId);
    virtual PX_FLDS_MEM GetMemRep(WORD wFieldId);
    // Writes the field's cell into its storage; 1 stored, 0 refused.
    virtual int StoreField(WORD wFieldId);
    virtual void* GetFieldMem(WORD wFieldId);
    virtual void PrepareField(WORD wFieldId);
    // The size in characters (with the NUL) of a "CHAR" field's array; every
    // record with "CHAR" fields answers it, so that a store never writes
    // past the array.
    virtual int GetCharFieldSize(WORD wFieldId);

    // Shows the message of a reached message statement; answers the
    // reporter's answer, or 0 when nothing is shown.
    int ShowVerifyMessage(PXStatement* pMsg, PXCondStatement* pCond);

private:
    CString ComposeVerifyText(PXCondStatement* pCond);

    PXSoftRecDef* m_pSoftRecDef;
    PXMapWordToOb* m_pCells;    // field id -> PXVirtualField, owned
    BOOL m_bModified;
};

// One field of one record: its value as typed values, one per type, made
// from the record's storage on first read and converted from the first one.
class PXVirtualField : public PXObject
{
public:
    PXVirtualField(PXSoftRec* pRec, WORD wFieldId);
    ~PXVirtualField() override;

    PXValue* GetInt16();
    PXValue* GetInt32();
    PXValue* GetText();
    PXValue* GetBool();
    PXSoftRecSet* GetRecordSet();

    PXVirtualField& SetLong(long l);
    PXVirtualField& SetShort(short s);
    PXVirtualField& SetText(const CString& rText);
    PXVirtualField& SetRecArray(PXRecArray& rRecArray);
    PXVirtualField& operator=(const PXVirtualField& rOther);

    BOOL HasValues() const { return m_pValues->GetCount() > 0; }
    BOOL IsModified() const { return m_bModified; }
    void MarkModified();
    WORD GetFieldId() const { return m_wFieldId; }
    PXSoftRec* GetRecord() const { return m_pRec; }
    // The first value added; conversions start from it. Null when empty.
    PXValue* GetSourceValue() const;

private:
    PXValue* GetValue(PXSOFTTYPE type);
    PXValue* FromStorage(PXSOFTTYPE type);
    void AddValue(PXSOFTTYPE type, PXValue* pValue);
    template <class T> PXVirtualField& Write(PXSOFTTYPE ownType, const T& rContent);

    PXSoftRec* m_pRec;          // not owned
    WORD m_wFieldId;
    BOOL m_bModified;
    PXMapWordToOb* m_pValues;   // PXSOFTTYPE -> PXValue, owned
};

// A value object of a type, empty; failed allocations throw PXXMem.
PXValue* PXMakeValue(PXSOFTTYPE type);

#endif
