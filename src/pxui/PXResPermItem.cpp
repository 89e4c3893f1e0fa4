// Restriction/permission items: the list symbol follows inserts, removals
// and stored fields.
#include "PXResPermItem.h"
#include "PXFieldValue.h"
#include "PXUIRes.h"
#include "PXUIReport.h"

#include <stdlib.h>

namespace {


const int SYMBOL_LIST = 21;
const DWORD PXCAUSE_SDO = 0x40000;

// The model numbers a list's symbol in 16 bits.
bool FitsItemNumber(long lListId)
{
    return lListId >= -32768 && lListId <= 32767;
}

} // namespace

PXResPermItem::PXResPermItem()
    : PXSoftRecDataLink(PXREC_RESPERM_ITEM), m_pItemSym(nullptr)
{
    PXFieldValue(PXFIELD_RESPERM_ITEM_CONNECTED, this).SetInt32(0);
    PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, this).SetText("");
    PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, this).SetInt32(0);
    PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, this).SetInt32(0);
}

PXResPermItem::PXResPermItem(Symbol* pSymbol)
    : PXSoftRecDataLink(PXREC_RESPERM_ITEM), m_pItemSym(pSymbol)
{
    PXASSERT(pSymbol!=0);
    kvrListData* pData = static_cast<kvrListData*>(pSymbol->Variable);
    PXFieldValue(PXFIELD_RESPERM_ITEM_CONNECTED, this).SetInt32(0);
    PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, this).SetText(pSymbol->Name);
    PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, this).SetInt32(pData ? pData->listId : 0);
    PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, this).SetInt32(pData ? pData->useCount : 0);
}

PXResPermItem::~PXResPermItem()
{
}

int PXResPermItem::Insert()
{
    PXASSERT(m_pItemSym==0);
    if (*PXFieldValue(PXFIELD_RESPERM_ITEM_CONNECTED, this).GetInt32())
        return 1;
    kvrListData* pData = static_cast<kvrListData*>(malloc(sizeof(kvrListData)));
    if (!pData)
        return 0;
    long lListId = *PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, this).GetInt32();
    if (!FitsItemNumber(lListId))
    {
        free(pData);
        PXUI_REPORT(IDS_UI_LISTIDREFUSED, PXCAUSE_SDO);
        return 0;
    }
    pData->listId = lListId;
    pData->useCount = 1;
    char szName[256];
    lstrcpynA(szName, *PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, this).GetText(), sizeof(szName));
    // A name the model refuses (one it knows already) leaves the entry
    // without a symbol; the entry still counts the list's uses.
    Symbol* pSymbol = nullptr;
    if (kvrAddSymbol(&pSymbol, szName, SYMBOL_LIST, 1, static_cast<short>(lListId), 1, 0, pData) == 1 && pSymbol)
    {
        m_pItemSym = pSymbol;
        m_pItemSym->RefCnt = 1;
    }
    else
        free(pData);    // the model did not take the block
    return 1;
}

int PXResPermItem::Remove()
{
    // An entry whose name the model had already given to something else
    // has no symbol: there is nothing of the model to drop.
    if (*PXFieldValue(PXFIELD_RESPERM_ITEM_CONNECTED, this).GetInt32() == 0 && m_pItemSym)
    {
        m_pItemSym->RefCnt = 0;
        free(m_pItemSym->Variable);
        m_pItemSym->Variable = nullptr;
        char szName[KVR_SYMBOL_NAME_SIZE];
        lstrcpynA(szName, m_pItemSym->Name, sizeof(szName));
        kvrDeleteSymbol(szName, SYMBOL_LIST);
        m_pItemSym = nullptr;
    }
    return 1;
}

int PXResPermItem::StoreField(WORD wFieldId)
{
    if (wFieldId == PXFIELD_RESPERM_ITEM_LISTID && m_pItemSym
        && !FitsItemNumber(*PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, this).GetInt32()))
    {
        PXUI_REPORT(IDS_UI_LISTIDREFUSED, PXCAUSE_SDO);
        return 0;
    }
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    kvrListData* pData = static_cast<kvrListData*>(m_pItemSym->Variable);
    switch (wFieldId)
    {
    case PXFIELD_RESPERM_ITEM_LISTID:
        if (pData)
        {
            pData->listId = *PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, this).GetInt32();
            m_pItemSym->ItemNumber = static_cast<short>(pData->listId);
        }
        break;
    case PXFIELD_RESPERM_ITEM_COUNT:
    {
        long lCount = *PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, this).GetInt32();
        m_pItemSym->RefCnt = static_cast<short>(lCount);
        if (pData)
            pData->useCount = lCount;
        break;
    }
    case PXFIELD_RESPERM_ITEM_NAME:
        // The symbol's name is a fixed array: the copy is bounded.
        lstrcpynA(m_pItemSym->Name, *PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, this).GetText(), KVR_SYMBOL_NAME_SIZE);
        break;
    case PXFIELD_RESPERM_ITEM_CONNECTED:
        break;
    default:
        PXASSERT(0);
    }
    return nResult;
}
