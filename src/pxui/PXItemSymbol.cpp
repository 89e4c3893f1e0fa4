// The item symbols' data blocks, renaming and deleting, for voice and fax
// items.
#include "PXItemSymbol.h"
#include "PXFieldValue.h"
#include "PXUIRes.h"
#include "PXUIReport.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int SYMBOL_ITEM = 35;

} // namespace

kvrItemData* PXNewItemBlock(short sMediaKind)
{
    kvrItemData* p = static_cast<kvrItemData*>(calloc(1, sizeof(kvrItemData)));
    if (p)
        p->mediaKind = sMediaKind;
    return p;
}

void PXFreeItemBlocks(kvrItemData* pBlock)
{
    if (!pBlock)
        return;
    if (pBlock->confirm)
    {
        free(pBlock->confirm->description);
        free(pBlock->confirm);
    }
    free(pBlock->description);
    free(pBlock);
}

void PXSetItemBlockText(kvrItemData* pBlock, const CString& rText)
{
    char* pszNew = _strdup(rText);
    if (!pszNew)
        PXTHROW_XMEM(IDS_UI_OUTOFMEMORY);
    free(pBlock->description);
    pBlock->description = pszNew;
}

void PXRenameItemSymbol(Symbol* pSymbol, PXSoftRec* pRec, WORD wNameField, UINT nRefusedMsgId)
{
    PXFieldValue name(wNameField, pRec);
    if (lstrcmpA(pSymbol->Name, *name.GetText()) == 0)
        return;
    // The model checks the whole name: one too long for it is refused
    // there, never cut to fit.
    CString newName = *name.GetText();
    if (kvrRenameVoiceFaxItem(pSymbol, newName) == 1)
        return;
    PXUI_REPORT(nRefusedMsgId, 0x1);
    name.SetText(pSymbol->Name);
}

bool PXAddItemSymbol(Symbol*& rpSymbol, const char* pszName, short sId, kvrItemData* pData,
                     UINT nRefusedMsgId)
{
    if (kvrAddSymbol(&rpSymbol, pszName, SYMBOL_ITEM, 1, sId, 1, 0, pData) == 1)
        return true;
    PXUI_REPORT(nRefusedMsgId, 0x1);
    if (rpSymbol)
    {
        PXDeleteItemSymbol(rpSymbol);
        rpSymbol = nullptr;
    }
    else
        PXFreeItemBlocks(pData);
    return false;
}

void PXDeleteItemSymbol(Symbol* pSymbol)
{
    PXFreeItemBlocks(static_cast<kvrItemData*>(pSymbol->Variable));
    pSymbol->Variable = nullptr;
    // The model frees the symbol with its name: delete by a copy.
    char szName[KVR_SYMBOL_NAME_SIZE];
    lstrcpynA(szName, pSymbol->Name, sizeof(szName));
    kvrDeleteSymbol(szName, SYMBOL_ITEM);
}
