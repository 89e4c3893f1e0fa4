// Voice items: their symbol in the application model and their item on the
// server follow the record's inserts, removals and stored fields.
#include "PXVoiceItem.h"
#include "PXFieldValue.h"
#include "PXItemSymbol.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXWinApp.h"

#include <stdlib.h>

namespace {

enum { F_NAME = 25300, F_ID = 25301, F_DESCRIPTION = 25302, F_INUSE = 25303, F_CONNECTED = 25304,
       F_PASTEMODE = 25305 };

const short MEDIA_VOICE = 0;

} // namespace

PXVoiceItem::PXVoiceItem(Symbol* pSymbol)
    : PXSoftRecDataLink(22801), m_lInUse(0), m_pItemSym(pSymbol)
{
    if (m_pItemSym)
    {
        kvrItemData* pData = static_cast<kvrItemData*>(m_pItemSym->Variable);
        PXFieldValue(F_NAME, this).SetText(m_pItemSym->Name);
        PXFieldValue(F_ID, this).SetInt16(m_pItemSym->ItemNumber);
        PXFieldValue(F_DESCRIPTION, this).SetText(pData && pData->description ? pData->description : "");
        PXFieldValue(F_CONNECTED, this).SetInt32(0);
        PXFieldValue(F_PASTEMODE, this).SetInt32(0);
        Commit();
    }
    else
    {
        PXFieldValue(F_NAME, this).SetText("");
        PXFieldValue(F_DESCRIPTION, this).SetText("");
        PXFieldValue(F_ID, this).SetInt16(0);
    }
    PXFieldValue(F_CONNECTED, this).SetInt32(0);
    PXFieldValue(F_PASTEMODE, this).SetInt32(0);
}

PXVoiceItem::~PXVoiceItem()
{
}

void PXVoiceItem::Prepare(WORD wFieldId)
{
    // In use follows the symbol's count of uses; a record without a symbol
    // (not yet inserted, or connected) keeps what it holds.
    if (wFieldId == F_INUSE && m_pItemSym)
        m_lInUse = m_pItemSym->RefCnt > 0 ? 1 : 0;
    PXSoftRecDataLink::Prepare(wFieldId);
}

void* PXVoiceItem::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    if (wFieldId == F_INUSE)
        return &m_lInUse;
    return PXSoftRecDataLink::GetFieldMem(wFieldId);
}

int PXVoiceItem::Insert()
{
    PXASSERT(m_pItemSym==0);
    if (*PXFieldValue(F_CONNECTED, this).GetInt32())
        return 1;
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    int bNameOk = 1, bIdOk = 1;
    if (!pApp->CheckVoiceItem(this, bNameOk, bIdOk))
    {
        PXUI_REPORT(IDS_UI_VOICEITEMNOTADDED, 0x1);
        return 0;
    }

    char szName[256];
    lstrcpynA(szName, *PXFieldValue(F_NAME, this).GetText(), sizeof(szName));
    CString description = *PXFieldValue(F_DESCRIPTION, this).GetText();
    kvrItemData* pData = PXNewItemBlock(MEDIA_VOICE);
    char* pszDescription = _strdup(description);
    if (!pData || !pszDescription)
    {
        free(pData);
        free(pszDescription);
        PXUI_REPORT(IDS_UI_OUTOFMEMORY, 0x40);
        return 0;
    }
    pData->description = pszDescription;
    short sId = *PXFieldValue(F_ID, this).GetInt16();
    if (!PXAddItemSymbol(m_pItemSym, szName, sId, pData, IDS_UI_VOICEITEMNOTADDED))
        return 0;
    if (*PXFieldValue(F_PASTEMODE, this).GetInt32() == 0
        && pApp->AddVoiceItem(szName, sId, description) != 0)
    {
        DeleteSymbol();
        return 0;
    }
    return 1;
}

int PXVoiceItem::Remove()
{
    // A connected record joined without a symbol and leaves without one.
    if (*PXFieldValue(F_CONNECTED, this).GetInt32())
        return 1;
    PXASSERT(m_pItemSym!=0);
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    if (pApp->DeleteVoiceItem(*PXFieldValue(F_NAME, this).GetText(), *PXFieldValue(F_ID, this).GetInt16(),
                              *PXFieldValue(F_DESCRIPTION, this).GetText()) != 0)
        return 0;
    DeleteSymbol();
    return 1;
}

void PXVoiceItem::DeleteSymbol()
{
    PXASSERT(m_pItemSym!=0);
    PXDeleteItemSymbol(m_pItemSym);
    m_pItemSym = nullptr;
}

int PXVoiceItem::StoreField(WORD wFieldId)
{
    if (wFieldId == F_NAME && m_pItemSym)
        PXRenameItemSymbol(m_pItemSym, this, F_NAME, IDS_UI_VOICENAMEREFUSED);
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    switch (wFieldId)
    {
    case F_NAME:
        break;      // renamed before the store
    case F_ID:
        m_pItemSym->ItemNumber = *PXFieldValue(F_ID, this).GetInt16();
        break;
    case F_DESCRIPTION:
    {
        kvrItemData* pData = static_cast<kvrItemData*>(m_pItemSym->Variable);
        if (pData)
            PXSetItemBlockText(pData, *PXFieldValue(F_DESCRIPTION, this).GetText());
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

void PXVoiceItem::ChangeRefCount(bool bUp)
{
    PXASSERT(m_pItemSym!=0);
    if (bUp)
        ++m_pItemSym->RefCnt;
    else if (m_pItemSym->RefCnt > 0)
        --m_pItemSym->RefCnt;
    PXFieldValue(F_INUSE, this).SetText(m_pItemSym->RefCnt < 1 ? PXTEXT_NO : PXTEXT_YES);
}
