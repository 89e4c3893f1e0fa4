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

enum { F_NAME = 25320, F_ID = 25321, F_DESCRIPTION = 25322, F_CONFDESCRIPTION = 25323, F_INUSE = 25324,
       F_CONNECTED = 25325, F_PASTEMODE = 25326 };

const short MEDIA_FAX = 3;

} // namespace

PXFaxItem::PXFaxItem(Symbol* pSymbol)
    : PXSoftRecDataLink(22802), m_lInUse(0), m_pItemSym(pSymbol)
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
        PXFieldValue(F_NAME, this).SetText(m_pItemSym->Name);
        PXFieldValue(F_ID, this).SetInt16(m_pItemSym->ItemNumber);
        PXFieldValue(F_DESCRIPTION, this).SetText(pItemRCFax->description ? pItemRCFax->description : "");
        PXFieldValue(F_CONFDESCRIPTION, this).SetText(pItemRCConf->description ? pItemRCConf->description : "");
        PXFieldValue(F_CONNECTED, this).SetInt32(0);
        PXFieldValue(F_PASTEMODE, this).SetInt32(0);
        Commit();
    }
    else
    {
        PXFieldValue(F_NAME, this).SetText("");
        PXFieldValue(F_DESCRIPTION, this).SetText("");
        PXFieldValue(F_CONFDESCRIPTION, this).SetText("");
        PXFieldValue(F_ID, this).SetInt16(0);
    }
    PXFieldValue(F_CONNECTED, this).SetInt32(0);
    PXFieldValue(F_PASTEMODE, this).SetInt32(0);
}

PXFaxItem::~PXFaxItem()
{
}

void PXFaxItem::Prepare(WORD wFieldId)
{
    if (wFieldId == F_INUSE && m_pItemSym)
        m_lInUse = m_pItemSym->RefCnt > 0 ? 1 : 0;
    PXSoftRecDataLink::Prepare(wFieldId);
}

void* PXFaxItem::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    if (wFieldId == F_INUSE)
        return &m_lInUse;
    return PXSoftRecDataLink::GetFieldMem(wFieldId);
}

int PXFaxItem::Insert()
{
    PXASSERT(m_pItemSym==0);
    if (*PXFieldValue(F_CONNECTED, this).GetInt32())
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
    lstrcpynA(szName, *PXFieldValue(F_NAME, this).GetText(), sizeof(szName));
    CString description = *PXFieldValue(F_DESCRIPTION, this).GetText();
    kvrItemData* pData = PXNewItemBlock(MEDIA_FAX);
    kvrItemData* pConf = PXNewItemBlock(MEDIA_FAX);
    char* pszDescription = _strdup(description);
    char* pszConf = _strdup(*PXFieldValue(F_CONFDESCRIPTION, this).GetText());
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
    short sId = *PXFieldValue(F_ID, this).GetInt16();
    if (!PXAddItemSymbol(m_pItemSym, szName, sId, pData, IDS_UI_FAXITEMNOTADDED))
        return 0;
    if (*PXFieldValue(F_PASTEMODE, this).GetInt32() == 0
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
    if (*PXFieldValue(F_CONNECTED, this).GetInt32())
        return 1;
    PXASSERT(m_pItemSym!=0);
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    if (pApp->DeleteFaxItem(*PXFieldValue(F_NAME, this).GetText(), *PXFieldValue(F_ID, this).GetInt16(),
                            *PXFieldValue(F_DESCRIPTION, this).GetText()) != 0)
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
    if (wFieldId == F_NAME && m_pItemSym)
        PXRenameItemSymbol(m_pItemSym, this, F_NAME, IDS_UI_FAXNAMEREFUSED);
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    kvrItemData* pItemRCFax = static_cast<kvrItemData*>(m_pItemSym->Variable);
    switch (wFieldId)
    {
    case F_NAME:
        break;      // renamed before the store
    case F_ID:
        m_pItemSym->ItemNumber = *PXFieldValue(F_ID, this).GetInt16();
        break;
    case F_DESCRIPTION:
        PXASSERT(pItemRCFax!=0);
        PXSetItemBlockText(pItemRCFax, *PXFieldValue(F_DESCRIPTION, this).GetText());
        break;
    case F_CONFDESCRIPTION:
    {
        PXASSERT(pItemRCFax!=0);
        kvrItemData* pItemRCConf = pItemRCFax->confirm;
        PXASSERT(pItemRCConf!=0);
        PXSetItemBlockText(pItemRCConf, *PXFieldValue(F_CONFDESCRIPTION, this).GetText());
        break;
    }
    case F_INUSE:
    case F_CONNECTED:
    case F_PASTEMODE:
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
    PXFieldValue(F_INUSE, this).SetText(m_pItemSym->RefCnt < 1 ? PXTEXT_NO : PXTEXT_YES);
}
