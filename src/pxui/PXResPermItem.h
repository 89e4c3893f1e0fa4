// A restriction/permission list used by an application: a soft record of
// type PXREC_RESPERM_ITEM mirrored by a list symbol of the application model.
#ifndef PXRESPERMITEM_H
#define PXRESPERMITEM_H

#include "PXSoftRecMem.h"
#include "plexmodel.h"

class PXResPermItem : public PXSoftRecDataLink
{
public:
    PXResPermItem();
    explicit PXResPermItem(Symbol* pSymbol);
    ~PXResPermItem() override;

    int StoreField(WORD wFieldId) override;
    int Insert() override;
    int Remove() override;

    Symbol* GetSymbol() const { return m_pItemSym; }

private:
    Symbol* m_pItemSym;     // the model's, not owned
};

#endif
