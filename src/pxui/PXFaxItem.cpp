// Fax items: as voice items, with a confirmation block beside the item's
// data block in the application model.
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXItemSymbol.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXWinApp.h"

#include <stdlib.h>

namespace {


const short MEDIA_FAX = 3;

} // namespace

PXFaxItem::PXFaxItem(Symbol* pSymbol)
    : PXSoftRecDataLink(PXREC_FAX_ITEM), m_lInUse(0), m_pItemSym(pSymbol)
{
    if (m_pItemSym)
    {
        kvrItemData* pItemRCFax = static_cast<kvrItemData*>(m_pItemSym->Variable);
        PXASSERT(pItemRCFax!=0);
        if (!pItemRCFax->confirm)
        {
            kvrItemData* pItemRCConf = PXNewItemBlock(MEDIA_FAX);
            PXASSERT(pItemRCConf!=0);
            pItemRCFax->confirm = pItemRCConf;
        }
        kvrItemData* pItemRCConf = pItemRCFax->confirm;
        PXFieldValue(PXFIELD_FAX_ITEM_NAME, this).SetText(m_pItemSym->Name);
        PXFieldValue(PXFIELD_FAX_ITEM_ID, this).SetInt16(m_pItemSym->ItemNumber);
        PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, this)
            .SetText(pItemRCFax->description ? pItemRCFax->description : "");
        PXFieldValue(PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION, this)
            .SetText(pItemRCConf->description ? pItemRCConf->description : "");
        PXFieldValue(PXFIELD_FAX_ITEM_CONNECTED, this).SetInt32(0);
        PXFieldValue(PXFIELD_FAX_ITEM_PASTE_MODE, this).SetInt32(0);
        Commit();
    }
    else
    {
        PXFieldValue(PXFIELD_FAX_ITEM_NAME, this).SetText("");
        PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, this).SetText("");
        PXFieldValue(PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION, this).SetText("");
        PXFieldValue(PXFIELD_FAX_ITEM_ID, this).SetInt16(0);
    }
    PXFieldValue(PXFIELD_FAX_ITEM_CONNECTED, this).SetInt32(0);
    PXFieldValue(PXFIELD_FAX_ITEM_PASTE_MODE, this).SetInt32(0);
}

PXFaxItem::~PXFaxItem()
{
}

void PXFaxItem::Prepare(WORD wFieldId)
{
    if (wFieldId == PXFIELD_FAX_ITEM_IN_USE && m_pItemSym)
        m_lInUse = m_pItemSym->RefCnt > 0 ? 1 : 0;
    PXSoftRecDataLink::Prepare(wFieldId);
}

void* PXFaxItem::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    if (wFieldId == PXFIELD_FAX_ITEM_IN_USE)
        return &m_lInUse;
    return PXSoftRecDataLink::GetFieldMem(wFieldId);
}

int PXFaxItem::Insert()
{
    PXASSERT(m_pItemSym==0);
    if (*PXFieldValue(PXFIELD_FAX_ITEM_CONNECTED, this).GetInt32())
        return 1;
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    int bNameOk = 1, bIdOk = 1;
    if (!pApp->CheckFaxItem(this, bNameOk, bIdOk))
    {
        PXUI_REPORT(IDS_UI_FAXITEMNOTADDED, 0x1);
        return 0;
    }

    char szName[256];
    lstrcpynA(szName, *PXFieldValue(PXFIELD_FAX_ITEM_NAME, this).GetText(), sizeof(szName));
    CString description = *PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, this).GetText();
    kvrItemData* pData = PXNewItemBlock(MEDIA_FAX);
    kvrItemData* pConf = PXNewItemBlock(MEDIA_FAX);
    char* pszDescription = _strdup(description);
    char* pszConf = _strdup(*PXFieldValue(PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION, this).GetText());
    if (!pData || !pConf || !pszDescription || !pszConf)
    {
        free(pData);
        free(pConf);
        free(pszDescription);
        free(pszConf);
        PXUI_REPORT(IDS_UI_OUTOFMEMORY, 0x40);
        return 0;
    }
    pData->description = pszDescription;
    pData->confirm = pConf;
    pConf->description = pszConf;
    short sId = *PXFieldValue(PXFIELD_FAX_ITEM_ID, this).GetInt16();
    if (!PXAddItemSymbol(m_pItemSym, szName, sId, pData, IDS_UI_FAXITEMNOTADDED))
        return 0;
    if (*PXFieldValue(PXFIELD_FAX_ITEM_PASTE_MODE, this).GetInt32() == 0
        && pApp->AddFaxItem(szName, sId, description) != 0)
    {
        DeleteSymbol();
        return 0;
    }
    return 1;
}

int PXFaxItem::Remove()
{
    // A connected record joined without a symbol and leaves without one.
    if (*PXFieldValue(PXFIELD_FAX_ITEM_CONNECTED, this).GetInt32())
        return 1;
    PXASSERT(m_pItemSym!=0);
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    if (pApp->DeleteFaxItem(*PXFieldValue(PXFIELD_FAX_ITEM_NAME, this).GetText(),
                            *PXFieldValue(PXFIELD_FAX_ITEM_ID, this).GetInt16(),
                            *PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, this).GetText()) != 0)
        return 0;
    DeleteSymbol();
    return 1;
}

void PXFaxItem::DeleteSymbol()
{
    PXASSERT(m_pItemSym!=0);
    PXDeleteItemSymbol(m_pItemSym);
    m_pItemSym = nullptr;
}

int PXFaxItem::StoreField(WORD wFieldId)
{
    if (wFieldId == PXFIELD_FAX_ITEM_NAME && m_pItemSym)
        PXRenameItemSymbol(m_pItemSym, this, PXFIELD_FAX_ITEM_NAME, IDS_UI_FAXNAMEREFUSED);
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    kvrItemData* pItemRCFax = static_cast<kvrItemData*>(m_pItemSym->Variable);
    switch (wFieldId)
    {
    case PXFIELD_FAX_ITEM_NAME:
        break;      // renamed before the store
    case PXFIELD_FAX_ITEM_ID:
        m_pItemSym->ItemNumber = *PXFieldValue(PXFIELD_FAX_ITEM_ID, this).GetInt16();
        break;
    case PXFIELD_FAX_ITEM_DESCRIPTION:
        PXASSERT(pItemRCFax!=0);
        PXSetItemBlockText(pItemRCFax, *PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, this).GetText());
        break;
    case PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION:
    {
        PXASSERT(pItemRCFax!=0);
        kvrItemData* pItemRCConf = pItemRCFax->confirm;
        PXASSERT(pItemRCConf!=0);
        PXSetItemBlockText(pItemRCConf, *PXFieldValue(PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION, this).GetText());
        break;
    }
    case PXFIELD_FAX_ITEM_IN_USE:
    case PXFIELD_FAX_ITEM_CONNECTED:
    case PXFIELD_FAX_ITEM_PASTE_MODE:
        break;
    default:
        PXASSERT(0);
    }
    return nResult;
}

void PXFaxItem::ChangeRefCount(bool bUp)
{
    PXASSERT(m_pItemSym!=0);
    if (bUp)
        ++m_pItemSym->RefCnt;
    else if (m_pItemSym->RefCnt > 0)
        --m_pItemSym->RefCnt;
    PXFieldValue(PXFIELD_FAX_ITEM_IN_USE, this).SetText(m_pItemSym->RefCnt < 1 ? PXTEXT_NO : PXTEXT_YES);
}
