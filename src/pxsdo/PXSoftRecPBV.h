// The soft record over one PowerBlock's variables, which live in the
// application model: each variable field reads and writes its variable
// through the model's kvrSDO calls; the record also presents the block's
// outputs as rows (PXREC_OUTPUT_ROW) and its description, keeps the application's
// counts of item and list uses in step, and decides whether the block's
// settings are complete.
#ifndef PXSOFTRECPBV_H
#define PXSOFTRECPBV_H

#include "PXSoftRec.h"
#include "plexmodel.h"

// What the record needs of the block it presents; the model's PowerBlock
// answers it.
class PXPowerBlockLink
{
public:
    virtual ~PXPowerBlockLink() {}
    virtual const char* GetDescription() const = 0;
    virtual void SetDescription(const char* pszText) = 0;
    // Whether the stub of the output at that index of the block's output
    // table is shown.
    virtual BOOL IsOutputShown(int nIndex) const = 0;
};

// One output of a block.
struct PXOutputDataStruct
{
    CString m_strName;
    CString m_strConnection;
    short m_sShown = 0;
};

// Room of the item and list field tables.
const int PXPBV_MAXSYMBOLFIELDS = 20;
// Characters of a block's description, with the NUL.
const int PXPBV_DESCRIPTIONSIZE = 512;

class PXSoftRecPBV : public PXSoftRec
{
public:
    PXSoftRecPBV(WORD wDefId, PXPowerBlockLink* pBlock, kvrHandleType* hBlock, int nType);
    ~PXSoftRecPBV() override;

    void Prepare(WORD wFieldId) override;
    int StoreField(WORD wFieldId) override;
    void* GetFieldMem(WORD wFieldId) override;
    int GetCharFieldSize(WORD wFieldId) override;
    void CopyFrom(PXSoftRec& rOther) override;
    // The block's property sheet; answers the sheet's result.
    int EditInPropSheet() override;
    virtual int GetSymbolOffset(const char* pszSymbol);

    void CopyItemsToClip();
    void CopyResPermsToClip();
    void ReleaseItemRefs();
    void AddItemRefs();
    void ReleaseResPermRefs();
    void AddResPermRefs();
    void RefreshImports();
    void RenumberVoiceItem(short sOld, short sNew);
    void RenumberFaxItem(short sOld, short sNew);
    int GetOutputData(int nIndex, PXOutputDataStruct& rOutput);
    int CheckFinished();

    int GetNbItemFields() const { return m_nVoiceFax; }
    int GetNbResPermFields() const { return m_nResPerm; }
    PXObArray* GetOutputRows() const { return m_pOutputs; }

private:
    CString SymbolName(WORD wFieldId);
    int FieldOffset(WORD wFieldId) const;
    BOOL IsFaxRecord() const { return GetTypeId() == PXREC_FAX_SELECT; }
    short ItemValue(WORD wFieldId);
    long ListValue(WORD wFieldId);
    template <class Fn> void ForEachItemId(Fn fn);
    template <class Fn> void ForEachListId(Fn fn);
    void Renumber(short sOld, short sNew);
    BOOL ReachesMessage();
    void FreeTables();

    PXPowerBlockLink* m_pBlock;     // not owned
    kvrHandleType* m_hBlock;
    int m_nType;
    BOOL m_bPrepared;
    int m_nFields;
    DWORD* m_pFieldTable;           // offset << 16 | field id, per variable field
    WORD m_pVoiceFaxSoftID[PXPBV_MAXSYMBOLFIELDS];
    int m_nVoiceFax;
    WORD m_pResPermSoftID[PXPBV_MAXSYMBOLFIELDS];
    int m_nResPerm;
    PXObArray* m_pOutputs;          // PXSoftRecMem rows, owned
    const char* m_pszDescription;
};

#endif
