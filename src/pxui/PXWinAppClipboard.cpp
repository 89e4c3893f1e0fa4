// The clipboard between applications: what copied blocks bring along of
// their application (voice and fax items, restriction/permission lists,
// imported applications), kept in the clipboard application, and its paste
// into the active application under the names and numbers that the
// conflict resolution chose.
#include "PXWinApp.h"
#include "ClipboardProgram.h"
#include "Page.h"
#include "PowerBlock.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftRec.h"
#include "PXSoftRecPBV.h"
#include "PXUIClasses.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXUserApp.h"
#include "TConflictResolveObj.h"
#include "plexlink.h"
#include "plexmodel.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace
{
// Cause of the paste's server refusals.
const DWORD CAUSE_SERVER = 0x10000000;
// Server calls always name customer 1.
const int CUSTOMER = 1;
// Operation of PXCutCopyPasteItem: copy.
const int ITEM_COPY = 0;

PXWinApp::ItemPasteCall g_pfnItemPaste = &PXCutCopyPasteItem;

// The fields of one kind of item.
struct ItemFields
{
    WORD wType;
    WORD wList;
    WORD wName;
    WORD wId;
    WORD wDescription;
    WORD wConnected;
    WORD wPasteMode;
    long lKind;             // in the conflict records
    unsigned short nServerKind;
    UINT nRefusedMsg;
};

const ItemFields s_Voice = {PXREC_VOICE_ITEM,
                            PXFIELD_USER_APP_VOICE_ITEMS,
                            PXFIELD_VOICE_ITEM_NAME,
                            PXFIELD_VOICE_ITEM_ID,
                            PXFIELD_VOICE_ITEM_DESCRIPTION,
                            PXFIELD_VOICE_ITEM_CONNECTED,
                            PXFIELD_VOICE_ITEM_PASTE_MODE,
                            KVR_CLIPINFO_VOICE,
                            PX_ITEMKIND_VOICE,
                            IDS_UI_VOICEITEMNOTADDED};
const ItemFields s_Fax = {PXREC_FAX_ITEM,
                          PXFIELD_USER_APP_FAX_ITEMS,
                          PXFIELD_FAX_ITEM_NAME,
                          PXFIELD_FAX_ITEM_ID,
                          PXFIELD_FAX_ITEM_DESCRIPTION,
                          PXFIELD_FAX_ITEM_CONNECTED,
                          PXFIELD_FAX_ITEM_PASTE_MODE,
                          KVR_CLIPINFO_FAX,
                          PX_ITEMKIND_FAX,
                          IDS_UI_FAXITEMNOTADDED};

CString Text(WORD wField, PXSoftRec* pRec)
{
    return *PXFieldValue(wField, pRec).GetText();
}

long Int32(WORD wField, PXSoftRec* pRec)
{
    return *PXFieldValue(wField, pRec).GetInt32();
}

long ItemId(const ItemFields& f, PXSoftRec* pRec)
{
    return *PXFieldValue(f.wId, pRec).GetInt16();
}

PXObArray* RecordList(PXUserApp* pApp, WORD wField)
{
    return static_cast<PXObArray*>(pApp->GetFieldMem(wField));
}

// The request of one item for the server, texts bounded by its members.
void FillItemInfo(PXItemInfo& rInfo, const ItemFields& f, PXSoftRec* pItem)
{
    std::memset(&rInfo, 0, sizeof(rInfo));
    rInfo.itemid = static_cast<unsigned short>(ItemId(f, pItem));
    rInfo.itemkind = f.nServerKind;
    lstrcpynA(rInfo.itemname, Text(f.wName, pItem), sizeof(rInfo.itemname));
    lstrcpynA(rInfo.itemdescr, Text(f.wDescription, pItem), sizeof(rInfo.itemdescr));
}

UINT ServerMessage(int nCode, UINT nOther)
{
    switch (nCode)
    {
    case 62:
        return IDS_UI_SERVERDISKFULL;
    case 63:
        return IDS_UI_DATABASEFULL;
    case 64:
        return IDS_UI_MISAFULL;
    default:
        return nOther;
    }
}

// The controller as the clipboard program's host.
class ClipHost : public ClipboardHost
{
public:
    int CopyImportToClip(const char* pszCustomType) override
    {
        PXWinApp* pApp = GetWinApp();
        return pApp ? pApp->CopyImportToClip(pszCustomType) : -1;
    }
};

ClipHost s_Host;
}

ClipboardHost* PXWinApp::GetClipboardHost()
{
    return &s_Host;
}

PXWinApp::ItemPasteCall PXWinApp::SetItemPasteCall(ItemPasteCall pfn)
{
    ItemPasteCall pfnOld = g_pfnItemPaste;
    g_pfnItemPaste = pfn ? pfn : &PXCutCopyPasteItem;
    return pfnOld;
}

int PXWinApp::ClearClip()
{
    delete m_pClipUserApp;
    m_pClipUserApp = nullptr;
    m_bClipBlocks = m_bClipVoice = m_bClipFax = m_bClipImports = m_bClipResPerm = 0;
    if (ClipboardProgram* pClip = GetClipboardProgram())
        pClip->Clear();
    return 0;
}

BOOL PXWinApp::IsClipFromSameApp() const
{
    if (!m_bClipBlocks && !m_bClipVoice && !m_bClipFax && !m_bClipImports)
        return FALSE;
    PXUserApp* pActive = GetActiveUserApp();
    // After a copy of blocks alone there is no clipboard application: the
    // blocks brought nothing to compare.
    if (!pActive || !m_pClipUserApp)
        return FALSE;
    if (IsStandalone())
        return Text(PXFIELD_USER_APP_NAME, pActive) == Text(PXFIELD_USER_APP_NAME, m_pClipUserApp) ? TRUE : FALSE;
    return Int32(PXFIELD_USER_APP_ID, pActive) == Int32(PXFIELD_USER_APP_ID, m_pClipUserApp) ? TRUE : FALSE;
}

BOOL PXWinApp::FindClipItem(int nKind, long lNumber, const char* pszName) const
{
    PXASSERT(nKind == KVR_CLIPINFO_VOICE || nKind == KVR_CLIPINFO_FAX || nKind == -1);
    if (!m_pClipUserApp)
        return FALSE;
    const CString name = pszName ? pszName : "";
    for (const ItemFields* f : {&s_Voice, &s_Fax})
    {
        if (nKind != -1 && nKind != f->lKind)
            continue;
        PXObArray* pList = RecordList(m_pClipUserApp, f->wList);
        for (int i = 0; pList && i < pList->GetSize(); ++i)
        {
            PXSoftRec* pItem = static_cast<PXSoftRec*>(pList->GetAt(i));
            if (nKind != -1 && lNumber != 0)
            {
                if (ItemId(*f, pItem) == lNumber)
                    return TRUE;
            }
            else if (!name.IsEmpty() && Text(f->wName, pItem) == name)
                return TRUE;
        }
    }
    return FALSE;
}

BOOL PXWinApp::VoiceItemIDExists(long lId) const
{
    PXUserApp* pActive = GetActiveUserApp();
    return pActive && pActive->HasVoiceItemID(static_cast<short>(lId));
}

BOOL PXWinApp::FaxItemIDExists(long lId) const
{
    PXUserApp* pActive = GetActiveUserApp();
    return pActive && pActive->HasFaxItemID(static_cast<short>(lId));
}

int PXWinApp::CopyImportToClip(const char* pszReference)
{
    PXUserApp* pActive = GetActiveUserApp();
    if (!pActive || !pszReference)
        return -1;
    m_bClipImports = 1;
    // "name.ID", split at the last period; without one the whole text is
    // the ID.
    std::string reference = pszReference;
    size_t nDot = reference.rfind('.');
    std::string name = nDot == std::string::npos ? std::string() : reference.substr(0, nDot);
    long lId = std::atol(nDot == std::string::npos ? reference.c_str() : reference.c_str() + nDot + 1);
    PXUserApp* pClip = ClipUserApp(pActive);
    if (pClip->FindImport(lId) >= 0)
        return -1;
    PXSoftRec* pImport = PXSoftRec::Create(PXREC_USER_APP, FALSE);
    PXFieldValue(PXFIELD_USER_APP_NAME, pImport).SetText(name.c_str());
    PXFieldValue(PXFIELD_USER_APP_ID, pImport).SetInt32(lId);
    pImport->Commit();
    PXRecArray edit(PXFieldValue(PXFIELD_USER_APP_IMPORTS, pClip).GetRecArray());
    edit.Add(pImport);
    PXFieldValue(PXFIELD_USER_APP_IMPORTS, pClip).SetRecArray(edit);
    pClip->Commit();
    return 0;
}

void PXWinApp::RenumberClipItem(short sOld, short sNew, BOOL bFax)
{
    ClipboardProgram* pClip = GetClipboardProgram();
    if (!pClip)
        return;
    ListIterator pages(pClip->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            if (!block.HasHandle())
                continue;
            PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(block.GetType())), &block,
                                block.GetHandle(), block.GetType());
            if (bFax)
                record.RenumberFaxItem(sOld, sNew);
            else
                record.RenumberVoiceItem(sOld, sNew);
        }
    }
}

void PXWinApp::RenumberClipVoiceItem(short sOld, short sNew)
{
    RenumberClipItem(sOld, sNew, FALSE);
}

void PXWinApp::RenumberClipFaxItem(short sOld, short sNew)
{
    RenumberClipItem(sOld, sNew, TRUE);
}

void PXWinApp::ResolvePastedItem(TConflictResolveObj* pResolver, PXSoftRec* pCopy, BOOL bFax, BOOL& rSkip,
                                 BOOL& rReplace)
{
    const ItemFields& f = bFax ? s_Fax : s_Voice;
    rSkip = rReplace = FALSE;
    if (!pResolver)
        return;
    const CString name = Text(f.wName, pCopy);
    const long lNumber = ItemId(f, pCopy);
    for (int i = 0; i < pResolver->GetCount(); ++i)
    {
        TClipInfo* pInfo = pResolver->GetAt(i);
        if (pInfo->kind != f.lKind || name != pInfo->name || pInfo->oldNumber != lNumber)
            continue;
        if (pInfo->skip)
            rSkip = TRUE;
        else if (pInfo->replace)
            rReplace = TRUE;
        else
        {
            if (pInfo->newName[0])
                PXFieldValue(f.wName, pCopy).SetText(pInfo->newName);
            if (pInfo->newNumber > 0)
            {
                PXFieldValue(f.wId, pCopy).SetInt16(static_cast<short>(pInfo->newNumber));
                RenumberClipItem(static_cast<short>(lNumber), static_cast<short>(pInfo->newNumber), bFax);
            }
            pCopy->Commit();
        }
        return;
    }
}

int PXWinApp::PasteItemsFromClip(TConflictResolveObj* pResolver, BOOL bFax)
{
    const ItemFields& f = bFax ? s_Fax : s_Voice;
    PXUserApp* pUserApp = GetActiveUserApp();
    PXASSERT(pUserApp!=0);
    if (!(bFax ? m_bClipFax : m_bClipVoice))
        return -1;
    PXASSERT(m_pClipUserApp!=0);
    if (IsClipFromSameApp())
        return 0;
    PXObArray* pClipItems = RecordList(m_pClipUserApp, f.wList);
    for (int i = 0; pClipItems && i < pClipItems->GetSize(); ++i)
    {
        PXSoftRec* pFrom = static_cast<PXSoftRec*>(pClipItems->GetAt(i));
        PXSoftRec* pCopy = PXSoftRec::Create(f.wType, FALSE);
        try
        {
            pCopy->CopyFrom(*pFrom);
            PXFieldValue(f.wPasteMode, pCopy).SetInt32(1);
            PXFieldValue(f.wConnected, pCopy).SetInt32(0);
            pCopy->Commit();
            BOOL bSkip = FALSE, bReplace = FALSE;
            ResolvePastedItem(pResolver, pCopy, bFax, bSkip, bReplace);
            if (bSkip)
            {
                delete pCopy;
                continue;
            }
            // With a server, the item's media goes along into the target.
            if (!IsStandalone())
            {
                PXItemInfo source, target;
                FillItemInfo(source, f, pFrom);
                FillItemInfo(target, f, pCopy);
                int nCode = g_pfnItemPaste(ITEM_COPY, CUSTOMER, Int32(PXFIELD_USER_APP_ID, m_pClipUserApp), &source,
                                           CUSTOMER, Int32(PXFIELD_USER_APP_ID, pUserApp), &target);
                if (nCode != 0)
                {
                    delete pCopy;
                    PXUI_REPORT(ServerMessage(nCode, f.nRefusedMsg), CAUSE_SERVER);
                    return 1;
                }
            }
            if (bReplace)
            {
                PXRecArray items(RecordList(pUserApp, f.wList));
                int nItemIndex = PXFindRecIndexByInt(f.wId, ItemId(f, pCopy), items);
                PXASSERT(nItemIndex>=0);
                PXSoftRec* pItem = static_cast<PXSoftRec*>(RecordList(pUserApp, f.wList)->GetAt(nItemIndex));
                pItem->CopyFrom(*pCopy);
                delete pCopy;
                pCopy = nullptr;
                pItem->Commit();
                continue;
            }
        }
        catch (...)
        {
            delete pCopy;
            throw;
        }
        PXRecArray edit(PXFieldValue(f.wList, pUserApp).GetRecArray());
        edit.Add(pCopy);
        PXFieldValue(f.wList, pUserApp).SetRecArray(edit);
        pUserApp->Commit();
    }
    return 0;
}

int PXWinApp::PasteVoiceItemsFromClip(TConflictResolveObj* pResolver)
{
    return PasteItemsFromClip(pResolver, FALSE);
}

int PXWinApp::PasteFaxItemsFromClip(TConflictResolveObj* pResolver)
{
    return PasteItemsFromClip(pResolver, TRUE);
}

int PXWinApp::PasteImportsFromClip()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    PXASSERT(pUserApp!=0);
    if (!m_bClipImports)
        return -1;
    PXASSERT(m_pClipUserApp!=0);
    const long lActiveId = Int32(PXFIELD_USER_APP_ID, pUserApp);
    PXObArray* pImports = RecordList(m_pClipUserApp, PXFIELD_USER_APP_IMPORTS);
    for (int i = 0; pImports && i < pImports->GetSize(); ++i)
    {
        PXSoftRec* pFrom = static_cast<PXSoftRec*>(pImports->GetAt(i));
        const long lId = Int32(PXFIELD_USER_APP_ID, pFrom);
        // An application does not import itself, nor twice.
        if (lId == lActiveId || pUserApp->FindImport(lId) >= 0)
            continue;
        PXSoftRec* pCopy = PXSoftRec::Create(PXREC_USER_APP, FALSE);
        PXFieldValue(PXFIELD_USER_APP_NAME, pCopy).SetText(Text(PXFIELD_USER_APP_NAME, pFrom));
        PXFieldValue(PXFIELD_USER_APP_ID, pCopy).SetInt32(lId);
        pCopy->Commit();
        PXRecArray edit(PXFieldValue(PXFIELD_USER_APP_IMPORTS, pUserApp).GetRecArray());
        edit.Add(pCopy);
        PXFieldValue(PXFIELD_USER_APP_IMPORTS, pUserApp).SetRecArray(edit);
        pUserApp->Commit();
    }
    UpdateCommandUI();
    return 0;
}

int PXWinApp::PasteResPermFromClip()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    PXASSERT(pUserApp!=0);
    if (!m_bClipResPerm)
        return -1;
    PXASSERT(m_pClipUserApp!=0);
    PXObArray* pLists = RecordList(m_pClipUserApp, PXFIELD_USER_APP_USED_RES_PERM_LIST);
    for (int i = 0; pLists && i < pLists->GetSize(); ++i)
        pUserApp->AddResPermRef(Int32(PXFIELD_RESPERM_ITEM_LISTID, static_cast<PXSoftRec*>(pLists->GetAt(i))));
    pUserApp->Commit();
    pUserApp->SendResPerms(0);
    return 0;
}
