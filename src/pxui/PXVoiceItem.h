// A voice item of an application: a soft record of type PXREC_VOICE_ITEM mirrored
// by an item symbol of the application model.
#ifndef PXVOICEITEM_H
#define PXVOICEITEM_H

#include "PXSoftRecMem.h"
#include "plexmodel.h"

class PXVoiceItem : public PXSoftRecDataLink
{
public:
    // Over an existing symbol, or none for a record that a list commit
    // will insert.
    explicit PXVoiceItem(Symbol* pSymbol);
    ~PXVoiceItem() override;

    void Prepare(WORD wFieldId) override;
    void* GetFieldMem(WORD wFieldId) override;
    int StoreField(WORD wFieldId) override;
    // Creates the item in the model and on the server.
    int Insert() override;
    // Deletes it on the server and in the model.
    int Remove() override;

    void ChangeRefCount(bool bUp);
    void DeleteSymbol();
    Symbol* GetSymbol() const { return m_pItemSym; }

private:
    long m_lInUse;          // the In use flag word
    Symbol* m_pItemSym;     // the model's, not owned
};

#endif
