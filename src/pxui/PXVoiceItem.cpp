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


const short MEDIA_VOICE = 0;

} // namespace

PXVoiceItem::PXVoiceItem(Symbol* pSymbol)
    : PXSoftRecDataLink(PXREC_VOICE_ITEM), m_lInUse(0), m_pItemSym(pSymbol)
{
    if (m_pItemSym)
    {
        kvrItemData* pData = static_cast<kvrItemData*>(m_pItemSym->Variable);
        PXFieldValue(PXFIELD_VOICE_ITEM_NAME, this).SetText(m_pItemSym->Name);
        PXFieldValue(PXFIELD_VOICE_ITEM_ID, this).SetInt16(m_pItemSym->ItemNumber);
        PXFieldValue(PXFIELD_VOICE_ITEM_DESCRIPTION, this)
            .SetText(pData && pData->description ? pData->description : "");
        PXFieldValue(PXFIELD_VOICE_ITEM_CONNECTED, this).SetInt32(0);
        PXFieldValue(PXFIELD_VOICE_ITEM_PASTE_MODE, this).SetInt32(0);
        Commit();
    }
    else
    {
        PXFieldValue(PXFIELD_VOICE_ITEM_NAME, this).SetText("");
        PXFieldValue(PXFIELD_VOICE_ITEM_DESCRIPTION, this).SetText("");
        PXFieldValue(PXFIELD_VOICE_ITEM_ID, this).SetInt16(0);
    }
    PXFieldValue(PXFIELD_VOICE_ITEM_CONNECTED, this).SetInt32(0);
    PXFieldValue(PXFIELD_VOICE_ITEM_PASTE_MODE, this).SetInt32(0);
}

PXVoiceItem::~PXVoiceItem()
{
}

void PXVoiceItem::Prepare(WORD wFieldId)
{
    // In use follows the symbol's count of uses; a record without a symbol
    // (not yet inserted, or connected) keeps what it holds.
    if (wFieldId == PXFIELD_VOICE_ITEM_IN_USE && m_pItemSym)
        m_lInUse = m_pItemSym->RefCnt > 0 ? 1 : 0;
    PXSoftRecDataLink::Prepare(wFieldId);
}

void* PXVoiceItem::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    if (wFieldId == PXFIELD_VOICE_ITEM_IN_USE)
        return &m_lInUse;
    return PXSoftRecDataLink::GetFieldMem(wFieldId);
}

int PXVoiceItem::Insert()
{
    PXASSERT(m_pItemSym==0);
    if (*PXFieldValue(PXFIELD_VOICE_ITEM_CONNECTED, this).GetInt32())
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
    lstrcpynA(szName, *PXFieldValue(PXFIELD_VOICE_ITEM_NAME, this).GetText(), sizeof(szName));
    CString description = *PXFieldValue(PXFIELD_VOICE_ITEM_DESCRIPTION, this).GetText();
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
    short sId = *PXFieldValue(PXFIELD_VOICE_ITEM_ID, this).GetInt16();
    if (!PXAddItemSymbol(m_pItemSym, szName, sId, pData, IDS_UI_VOICEITEMNOTADDED))
        return 0;
    if (*PXFieldValue(PXFIELD_VOICE_ITEM_PASTE_MODE, this).GetInt32() == 0
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
    if (*PXFieldValue(PXFIELD_VOICE_ITEM_CONNECTED, this).GetInt32())
        return 1;
    PXASSERT(m_pItemSym!=0);
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    if (pApp->DeleteVoiceItem(*PXFieldValue(PXFIELD_VOICE_ITEM_NAME, this).GetText(),
                              *PXFieldValue(PXFIELD_VOICE_ITEM_ID, this).GetInt16(),
                              *PXFieldValue(PXFIELD_VOICE_ITEM_DESCRIPTION, this).GetText()) != 0)
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
    if (wFieldId == PXFIELD_VOICE_ITEM_NAME && m_pItemSym)
        PXRenameItemSymbol(m_pItemSym, this, PXFIELD_VOICE_ITEM_NAME, IDS_UI_VOICENAMEREFUSED);
    int nResult = PXSoftRecDataLink::StoreField(wFieldId);
    if (!m_pItemSym)
        return nResult;
    switch (wFieldId)
    {
    case PXFIELD_VOICE_ITEM_NAME:
        break;      // renamed before the store
    case PXFIELD_VOICE_ITEM_ID:
        m_pItemSym->ItemNumber = *PXFieldValue(PXFIELD_VOICE_ITEM_ID, this).GetInt16();
        break;
    case PXFIELD_VOICE_ITEM_DESCRIPTION:
    {
        kvrItemData* pData = static_cast<kvrItemData*>(m_pItemSym->Variable);
        if (pData)
            PXSetItemBlockText(pData, *PXFieldValue(PXFIELD_VOICE_ITEM_DESCRIPTION, this).GetText());
        break;
    }
    case PXFIELD_VOICE_ITEM_IN_USE:
    case PXFIELD_VOICE_ITEM_CONNECTED:
    case PXFIELD_VOICE_ITEM_PASTE_MODE:
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
    PXFieldValue(PXFIELD_VOICE_ITEM_IN_USE, this).SetText(m_pItemSym->RefCnt < 1 ? PXTEXT_NO : PXTEXT_YES);
}
