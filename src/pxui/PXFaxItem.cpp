// Fax items: as voice items, with a confirmation block beside the item's
// data block in the application model.
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXWinApp.h"

#include <stdlib.h>
#include <string.h>

namespace {

enum { F_NAME = 25320, F_ID = 25321, F_DESCRIPTION = 25322, F_CONFDESCRIPTION = 25323, F_INUSE = 25324,
       F_CONNECTED = 25325, F_PASTEMODE = 25326 };

const int SYMBOL_ITEM = 35;
const short MEDIA_FAX = 3;

kvrItemData* NewFaxBlock()
{
    kvrItemData* p = static_cast<kvrItemData*>(calloc(1, sizeof(kvrItemData)));
    if (p)
        p->mediaKind = MEDIA_FAX;
    return p;
}

void FreeFaxBlocks(kvrItemData* pData)
{
    if (!pData)
        return;
    if (pData->confirm)
    {
        free(pData->confirm->description);
        free(pData->confirm);
    }
    free(pData->description);
    free(pData);
}

// Replaces a block's description by a copy of the text.
void SetBlockText(kvrItemData* pBlock, const CString& rText)
{
    char* pszNew = _strdup(rText);
    if (!pszNew)
        PXTHROW_XMEM(IDS_UI_OUTOFMEMORY);
    free(pBlock->description);
    pBlock->description = pszNew;
}

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
            kvrItemData* pItemRCConf = NewFaxBlock();
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
    PXWinApp* pApp = PXSoftObj::GetApp();
    PXASSERT(pApp!=0);
    int bNameOk = 1, bIdOk = 1;
    if (!pApp->CheckFaxItem(this, bNameOk, bIdOk))
        return 0;

    char szName[256];
    lstrcpynA(szName, *PXFieldValue(F_NAME, this).GetText(), sizeof(szName));
    CString description = *PXFieldValue(F_DESCRIPTION, this).GetText();
    kvrItemData* pData = NewFaxBlock();
    kvrItemData* pConf = NewFaxBlock();
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
    if (kvrAddSymbol(&m_pItemSym, szName, SYMBOL_ITEM, 1, sId, 1, 0, pData) != 1)
    {
        PXUI_REPORT(IDS_UI_FAXITEMNOTADDED, 0x1);
        if (m_pItemSym)
            DeleteSymbol();
        else
            FreeFaxBlocks(pData);
        return 0;
    }
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
    PXWinApp* pApp = PXSoftObj::GetApp();
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
    FreeFaxBlocks(static_cast<kvrItemData*>(m_pItemSym->Variable));
    m_pItemSym->Variable = nullptr;
    char szName[KVR_SYMBOL_NAME_SIZE];
    lstrcpynA(szName, m_pItemSym->Name, sizeof(szName));
    kvrDeleteSymbol(szName, SYMBOL_ITEM);
    m_pItemSym = nullptr;
}

int PXFaxItem::StoreField(WORD wFieldId)
{
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    kvrItemData* pItemRCFax = static_cast<kvrItemData*>(m_pItemSym->Variable);
    switch (wFieldId)
    {
    case F_NAME:
    {
        const CString& rName = *PXFieldValue(F_NAME, this).GetText();
        if (lstrcmpA(m_pItemSym->Name, rName) != 0)
        {
            char szNew[32];
            ZeroMemory(szNew, sizeof(szNew));
            lstrcpynA(szNew, rName, sizeof(szNew));
            kvrRenameVoiceFaxItem(m_pItemSym, szNew);
        }
        break;
    }
    case F_ID:
        m_pItemSym->ItemNumber = *PXFieldValue(F_ID, this).GetInt16();
        break;
    case F_DESCRIPTION:
        PXASSERT(pItemRCFax!=0);
        SetBlockText(pItemRCFax, *PXFieldValue(F_DESCRIPTION, this).GetText());
        break;
    case F_CONFDESCRIPTION:
    {
        PXASSERT(pItemRCFax!=0);
        kvrItemData* pItemRCConf = pItemRCFax->confirm;
        PXASSERT(pItemRCConf!=0);
        SetBlockText(pItemRCConf, *PXFieldValue(F_CONFDESCRIPTION, this).GetText());
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
    else
    {
        PXASSERT(m_pItemSym->RefCnt>0);
        --m_pItemSym->RefCnt;
    }
    PXFieldValue(F_INUSE, this).SetText(m_pItemSym->RefCnt < 1 ? PXTEXT_NO : PXTEXT_YES);
}
