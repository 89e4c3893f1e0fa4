// User applications: default profile, list fields over the application's
// own lists, and their store through the lists' commits.
#include "PXUserApp.h"
#include "PXOwnedList.h"
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXVoiceItem.h"
#include "PXEditorFrame.h"
#include "PXWinApp.h"
#include "ModelObserver.h"
#include "Program.h"

#include <new>
#include <stdlib.h>
#include <vector>

const char PXPASSWORD_PLACEHOLDER[] = "KRVMTQZXWPLHNGDSYB";

namespace {

// The first item of the list whose ID field holds sId counts one use more
// or less; no such item: nothing.
template <class Item>
void ChangeItemRef(PXObArray* pItems, WORD wIdField, short sId, BOOL bUp)
{
    for (int i = 0; i < pItems->GetSize(); ++i)
    {
        Item* pItem = static_cast<Item*>(pItems->GetAt(i));
        if (*PXFieldValue(wIdField, pItem).GetInt16() == sId)
        {
            pItem->ChangeRefCount(bUp != FALSE);
            return;
        }
    }
}

BOOL HasItemID(PXObArray* pItems, WORD wIdField, short sId)
{
    if (!pItems)
        return FALSE;
    PXRecArray items(pItems);
    return PXFindRecIndexByInt(wIdField, sId, items) >= 0;
}

} // namespace

PXUserApp::PXUserApp(CString path)
    : PXSoftRecDataLink(PXREC_USER_APP), m_pVoiceItems(nullptr), m_pFaxItems(nullptr), m_pImports(nullptr),
      m_pFunctions(nullptr), m_pResPermItems(nullptr)
{
    ZeroMemory(m_abStoredPassword, sizeof(m_abStoredPassword));
    try
    {
        CreateLists();
        char szName[_MAX_FNAME] = "";
        _splitpath(path, nullptr, nullptr, szName, nullptr);
        SetDefaults(szName);
        Commit();
    }
    catch (...)
    {
        DeleteLists();
        throw;
    }
}

void PXUserApp::CreateLists()
{
    m_pVoiceItems = PXNewOwnedList();
    m_pFaxItems = PXNewOwnedList();
    m_pImports = PXNewOwnedList();
    m_pFunctions = PXNewOwnedList();
    m_pResPermItems = PXNewOwnedList();
}

void PXUserApp::SetDefaults(const char* pszName)
{
    PXFieldValue(PXFIELD_USER_APP_NAME, this).SetText(pszName);
    PXFieldValue(PXFIELD_USER_APP_CUSTOMER_NUMBER, this).SetInt32(1);
    PXFieldValue(PXFIELD_USER_APP_ID, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_MEDIA_TYPE, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME_RECORDED, this).SetText(PXTEXT_NO);
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER_MODIFIABLE, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_CONTACT, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_TELSET_PASSWORD_ON, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_TELSET_MAINTENANCE_PASSWORD, this).SetText(PXPASSWORD_PLACEHOLDER);
    PXFieldValue(PXFIELD_USER_APP_PASSWORD_CONFIRMATION, this).SetText(PXPASSWORD_PLACEHOLDER);
    PXFieldValue(PXFIELD_USER_APP_MONITOR_THRU_DIAL, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_EXPANSION_DIGITS, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_ENFORCE_DIAL, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_EXPORTED, this).SetText(PXTEXT_NO);
    PXFieldValue(PXFIELD_USER_APP_COMPLETE, this).SetText(PXTEXT_NO);
    PXFieldValue(PXFIELD_USER_APP_FAX_CONFIRMATION_MODIFIABLE_BY_TELSET, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_LOCKING_PC, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_LOCKING_USER, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_LOCKING_DATE_TIME, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_VISIBLE_FLAG, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_VERSION_NUMBER, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_PREVIOUS_VERSION_NUMBER, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, this).SetInt32(1);
    PXFieldValue(PXFIELD_USER_APP_RUN_FILE_PATH, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_RLL_FILE_PATH, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_MISA_FILE_PATH, this).SetText("");
    PXFieldValue(PXFIELD_USER_APP_ED_FILE_PATH, this).SetText("");
}

PXUserApp::~PXUserApp()
{
    DeleteLists();
}

void PXUserApp::DeleteLists()
{
    DropCells();
    PXDeleteOwnedList(m_pVoiceItems);
    PXDeleteOwnedList(m_pFaxItems);
    PXDeleteOwnedList(m_pImports);
    PXDeleteOwnedList(m_pFunctions);
    PXDeleteOwnedList(m_pResPermItems);
}

void* PXUserApp::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    switch (wFieldId)
    {
    case PXFIELD_USER_APP_FUNCTIONS: return m_pFunctions;
    case PXFIELD_USER_APP_VOICE_ITEMS: return m_pVoiceItems;
    case PXFIELD_USER_APP_FAX_ITEMS: return m_pFaxItems;
    case PXFIELD_USER_APP_IMPORTS: return m_pImports;
    case PXFIELD_USER_APP_USED_RES_PERM_LIST: return m_pResPermItems;
    default: return PXSoftRecMem::GetFieldMem(wFieldId);
    }
}

int PXUserApp::StoreField(WORD wFieldId)
{
    // Any committed change of an open application is a change of its
    // program.
    if (m_pProgram)
        m_pProgram->SetModified();
    switch (wFieldId)
    {
    case PXFIELD_USER_APP_FUNCTIONS:
        return 1;
    case PXFIELD_USER_APP_VOICE_ITEMS:
    case PXFIELD_USER_APP_FAX_ITEMS:
    case PXFIELD_USER_APP_IMPORTS:
    case PXFIELD_USER_APP_USED_RES_PERM_LIST:
        return PXCommitListField(this, wFieldId);
    case PXFIELD_USER_APP_NAME:
    {
        // The Name names the local program file too.
        int nResult = PXSoftRec::StoreField(wFieldId);
        if (m_pProgram)
        {
            CString strPath;
            GetEdFileName(strPath);
            m_pProgram->SetName(strPath);
            GetModelObserver().RefreshCaptions();
        }
        return nResult;
    }
    default:
        return PXSoftRec::StoreField(wFieldId);
    }
}

void PXUserApp::ChangeVoiceItemRef(short sId, BOOL bUp)
{
    ChangeItemRef<PXVoiceItem>(m_pVoiceItems, PXFIELD_VOICE_ITEM_ID, sId, bUp);
}

void PXUserApp::ChangeFaxItemRef(short sId, BOOL bUp)
{
    ChangeItemRef<PXFaxItem>(m_pFaxItems, PXFIELD_FAX_ITEM_ID, sId, bUp);
}

BOOL PXUserApp::HasVoiceItemID(short sId)
{
    return HasItemID(m_pVoiceItems, PXFIELD_VOICE_ITEM_ID, sId);
}

BOOL PXUserApp::HasFaxItemID(short sId)
{
    return HasItemID(m_pFaxItems, PXFIELD_FAX_ITEM_ID, sId);
}

// Item IDs are 16-bit numbers: the first free one from 1, or 0 when every
// one is taken.
int PXUserApp::NextItemID(WORD wIdField)
{
    PXObArray* pItems = wIdField == PXFIELD_VOICE_ITEM_ID ? m_pVoiceItems : m_pFaxItems;
    std::vector<bool> used(0x8000, false);
    for (int i = 0; pItems && i < pItems->GetSize(); ++i)
    {
        short sId = *PXFieldValue(wIdField, static_cast<PXSoftRec*>(pItems->GetAt(i))).GetInt16();
        if (sId > 0)
            used[sId] = true;
    }
    for (int nId = 1; nId < 0x8000; ++nId)
        if (!used[nId])
            return nId;
    return 0;
}

PXSoftRec* PXUserApp::NewItemRecord(WORD wType, WORD wIdField)
{
    int nId = NextItemID(wIdField);
    if (nId == 0)
    {
        PXUI_REPORT(IDS_UI_NOFREEITEMID, 0x40000);
        return nullptr;
    }
    PXSoftRec* pRec = PXSoftRec::Create(wType, FALSE);
    PXFieldValue(wIdField, pRec).SetInt16(static_cast<short>(nId));
    return pRec;
}

PXSoftRec* PXUserApp::NewVoiceItemRecord()
{
    return NewItemRecord(PXREC_VOICE_ITEM, PXFIELD_VOICE_ITEM_ID);
}

PXSoftRec* PXUserApp::NewFaxItemRecord()
{
    return NewItemRecord(PXREC_FAX_ITEM, PXFIELD_FAX_ITEM_ID);
}

int PXUserApp::FindResPermItem(long lListId)
{
    PXRecArray lists(m_pResPermItems);
    return PXFindRecIndexByInt(PXFIELD_RESPERM_ITEM_LISTID, lListId, lists);
}

int PXUserApp::AddResPermRef(long lListId)
{
    if (lListId < 1)
        return 0;
    char szName[16];
    wsprintfA(szName, "RP%ld", lListId);
    PXRecArray edit(PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).GetRecArray());
    int nIndex = PXFindRecIndexByInt(PXFIELD_RESPERM_ITEM_LISTID, lListId, edit);
    if (nIndex < 0)
    {
        PXSoftRec* pEntry = PXSoftRec::Create(PXREC_RESPERM_ITEM, FALSE);
        PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, pEntry).SetText(szName);
        PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, pEntry).SetInt32(lListId);
        PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).SetInt32(1);
        pEntry->Commit();
        edit.Add(pEntry);
    }
    else
    {
        PXSoftRec* pEntry = edit.GetAt(nIndex);
        long lCount = *PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).GetInt32();
        PXFieldValue(PXFIELD_RESPERM_ITEM_NAME, pEntry).SetText(szName);
        PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, pEntry).SetInt32(lListId);
        PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).SetInt32(lCount + 1);
        pEntry->Commit();
    }
    PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).SetRecArray(edit);
    Commit();
    return 0;
}

int PXUserApp::ReleaseResPermRef(long lListId, BOOL bRemoveAll)
{
    if (lListId <= 0)
        return 0;
    PXRecArray edit(PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).GetRecArray());
    int nIndex = PXFindRecIndexByInt(PXFIELD_RESPERM_ITEM_LISTID, lListId, edit);
    if (nIndex < 0)
        return 1;
    PXSoftRec* pEntry = edit.GetAt(nIndex);
    long lCount = *PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).GetInt32();
    if (lCount < 2 || bRemoveAll)
        edit.RemoveAt(nIndex);
    else
    {
        PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).SetInt32(lCount - 1);
        pEntry->Commit();
    }
    PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).SetRecArray(edit);
    Commit();
    return 0;
}

BOOL PXUserApp::IsExported()
{
    return *PXFieldValue(PXFIELD_USER_APP_EXPORTED, this).GetText() != PXTEXT_NO;
}

void PXUserApp::SetExported(BOOL bExported)
{
    PXFieldValue(PXFIELD_USER_APP_EXPORTED, this).SetText(bExported ? PXTEXT_YES : PXTEXT_NO);
    Commit();
}

int PXUserApp::GetImportCount() const
{
    return m_pImports ? m_pImports->GetSize() : 0;
}

BOOL IsValidAppID(long lId)
{
    return lId >= 1000 && lId <= 49999;
}

BOOL IsNonEmptyText(const CString& rText)
{
    return !rText.IsEmpty();
}

// ---------------------------------------------------------------------------
// State of the program and of the active page pane

BOOL PXUserApp::IsComplete()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return FALSE;
    return m_pProgram->AllPagesFinished(0) ? TRUE : FALSE;
}

int PXUserApp::GetSelectionKind()
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!pFrame || pFrame->GetSelectionCount() <= 0)
        return PXSEL_NONE;
    UIObject* pFirst = pFrame->GetSelectedObject(0);
    if (!pFirst)
        return PXSEL_NONE;
    switch (pFirst->isA())
    {
    case PX_CLASS_POWERBLOCK: return PXSEL_BLOCKS;
    case PX_CLASS_TEXTUI: return PXSEL_NOTES;
    case PX_CLASS_GOTO: return PXSEL_LINES;
    default: return PXSEL_NONE;
    }
}

int PXUserApp::GetSelectionCount()
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    return pFrame ? pFrame->GetSelectionCount() : 0;
}
