// User applications: default profile, list fields over the application's
// own lists, and their store through the lists' commits.
#include "PXUserApp.h"
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXVoiceItem.h"
#include "PXEditorFrame.h"
#include "PXWinApp.h"
#include "Program.h"

#include <new>
#include <stdlib.h>
#include <vector>

const char PXPASSWORD_PLACEHOLDER[] = "KRVMTQZXWPLHNGDSYB";

namespace {

enum
{
    F_NAME = 25256, F_FUNCTIONS = 25250, F_VOICE = 25251, F_RESPERM = 25286, F_FAX = 25252,
    F_CUSTOMER = 25254, F_IMPORTS = 25253, F_ID = 25255, F_MEDIA = 25261, F_DESCRIPTION = 25257,
    F_SPOKENREC = 25262, F_SPOKEN = 25263, F_VERFFAX = 25264, F_VERFFAXMOD = 25265,
    F_VERFCONTACT = 25266, F_PWDNEEDED = 25267, F_PWD = 25268, F_PWDCONFIRM = 25269,
    F_MONITOR = 25270, F_EXPANSION = 25271, F_ENFORCE = 25272, F_EXPORTED = 25273,
    F_COMPLETE = 25274, F_FAXCONFMOD = 25275, F_LOCKPC = 25258, F_LOCKUSER = 25259,
    F_LOCKTIME = 25260, F_MODNUM = 25276, F_VISIBLE = 25278, F_VERSION = 25279,
    F_PREVVERSION = 25280, F_VOLUME = 25281, F_RUNPATH = 25283, F_RLLPATH = 25282,
    F_MISAPATH = 25284, F_EDPATH = 25285,
    // Fields of a used restriction/permission list.
    F_RP_LISTID = 25378, F_RP_COUNT = 25379, F_RP_NAME = 25380
};

PXObArray* NewList()
{
    PXObArray* p = new (std::nothrow) PXObArray;
    if (!p)
        PXTHROW_XMEM(0);
    return p;
}

void DeleteList(PXObArray*& rp)
{
    if (!rp)
        return;
    for (int i = 0; i < rp->GetSize(); ++i)
        delete rp->GetAt(i);
    delete rp;
    rp = nullptr;
}

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
    : PXSoftRecDataLink(22004), m_pVoiceItems(nullptr), m_pFaxItems(nullptr), m_pImports(nullptr),
      m_pFunctions(nullptr), m_pResPermItems(nullptr)
{
    ZeroMemory(m_abStoredPassword, sizeof(m_abStoredPassword));
    try
    {
        m_pVoiceItems = NewList();
        m_pFaxItems = NewList();
        m_pImports = NewList();
        m_pFunctions = NewList();
        m_pResPermItems = NewList();

        char szName[_MAX_FNAME] = "";
        _splitpath(path, nullptr, nullptr, szName, nullptr);
        PXFieldValue(F_NAME, this).SetText(szName);
        PXFieldValue(F_CUSTOMER, this).SetInt32(1);
        PXFieldValue(F_ID, this).SetInt32(0);
        PXFieldValue(F_MEDIA, this).SetInt32(0);
        PXFieldValue(F_DESCRIPTION, this).SetText("");
        PXFieldValue(F_SPOKENREC, this).SetText(PXTEXT_NO);
        PXFieldValue(F_SPOKEN, this).SetText("");
        PXFieldValue(F_VERFFAX, this).SetText("");
        PXFieldValue(F_VERFFAXMOD, this).SetInt32(0);
        PXFieldValue(F_VERFCONTACT, this).SetText("");
        PXFieldValue(F_PWDNEEDED, this).SetInt32(0);
        PXFieldValue(F_PWD, this).SetText(PXPASSWORD_PLACEHOLDER);
        PXFieldValue(F_PWDCONFIRM, this).SetText(PXPASSWORD_PLACEHOLDER);
        PXFieldValue(F_MONITOR, this).SetInt32(0);
        PXFieldValue(F_EXPANSION, this).SetText("");
        PXFieldValue(F_ENFORCE, this).SetInt32(0);
        PXFieldValue(F_EXPORTED, this).SetText(PXTEXT_NO);
        PXFieldValue(F_COMPLETE, this).SetText(PXTEXT_NO);
        PXFieldValue(F_FAXCONFMOD, this).SetInt32(0);
        PXFieldValue(F_LOCKPC, this).SetText("");
        PXFieldValue(F_LOCKUSER, this).SetText("");
        PXFieldValue(F_LOCKTIME, this).SetText("");
        PXFieldValue(F_MODNUM, this).SetInt32(0);
        PXFieldValue(F_VISIBLE, this).SetInt32(0);
        PXFieldValue(F_VERSION, this).SetInt32(0);
        PXFieldValue(F_PREVVERSION, this).SetInt32(0);
        PXFieldValue(F_VOLUME, this).SetInt32(1);
        PXFieldValue(F_RUNPATH, this).SetText("");
        PXFieldValue(F_RLLPATH, this).SetText("");
        PXFieldValue(F_MISAPATH, this).SetText("");
        PXFieldValue(F_EDPATH, this).SetText("");
        Commit();
    }
    catch (...)
    {
        DeleteLists();
        throw;
    }
}

PXUserApp::~PXUserApp()
{
    DeleteLists();
}

void PXUserApp::DeleteLists()
{
    DropCells();
    DeleteList(m_pVoiceItems);
    DeleteList(m_pFaxItems);
    DeleteList(m_pImports);
    DeleteList(m_pFunctions);
    DeleteList(m_pResPermItems);
}

void* PXUserApp::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    switch (wFieldId)
    {
    case F_FUNCTIONS: return m_pFunctions;
    case F_VOICE: return m_pVoiceItems;
    case F_FAX: return m_pFaxItems;
    case F_IMPORTS: return m_pImports;
    case F_RESPERM: return m_pResPermItems;
    default: return PXSoftRecMem::GetFieldMem(wFieldId);
    }
}

int PXUserApp::StoreField(WORD wFieldId)
{
    switch (wFieldId)
    {
    case F_FUNCTIONS:
        return 1;
    case F_VOICE:
    case F_FAX:
    case F_IMPORTS:
    case F_RESPERM:
        return PXCommitListField(this, wFieldId);
    default:
        return PXSoftRec::StoreField(wFieldId);
    }
}

void PXUserApp::ChangeVoiceItemRef(short sId, BOOL bUp)
{
    ChangeItemRef<PXVoiceItem>(m_pVoiceItems, 25301, sId, bUp);
}

void PXUserApp::ChangeFaxItemRef(short sId, BOOL bUp)
{
    ChangeItemRef<PXFaxItem>(m_pFaxItems, 25321, sId, bUp);
}

BOOL PXUserApp::HasVoiceItemID(short sId)
{
    return HasItemID(m_pVoiceItems, 25301, sId);
}

BOOL PXUserApp::HasFaxItemID(short sId)
{
    return HasItemID(m_pFaxItems, 25321, sId);
}

// Item IDs are 16-bit numbers: the first free one from 1, or 0 when every
// one is taken.
int PXUserApp::NextItemID(WORD wIdField)
{
    PXObArray* pItems = wIdField == 25301 ? m_pVoiceItems : m_pFaxItems;
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
    return NewItemRecord(22801, 25301);
}

PXSoftRec* PXUserApp::NewFaxItemRecord()
{
    return NewItemRecord(22802, 25321);
}

int PXUserApp::FindResPermItem(long lListId)
{
    PXRecArray lists(m_pResPermItems);
    return PXFindRecIndexByInt(F_RP_LISTID, lListId, lists);
}

int PXUserApp::AddResPermRef(long lListId)
{
    if (lListId < 1)
        return 0;
    char szName[16];
    wsprintfA(szName, "RP%ld", lListId);
    PXRecArray edit(PXFieldValue(F_RESPERM, this).GetRecArray());
    int nIndex = PXFindRecIndexByInt(F_RP_LISTID, lListId, edit);
    if (nIndex < 0)
    {
        PXSoftRec* pEntry = PXSoftRec::Create(22807, FALSE);
        PXFieldValue(F_RP_NAME, pEntry).SetText(szName);
        PXFieldValue(F_RP_LISTID, pEntry).SetInt32(lListId);
        PXFieldValue(F_RP_COUNT, pEntry).SetInt32(1);
        pEntry->Commit();
        edit.Add(pEntry);
    }
    else
    {
        PXSoftRec* pEntry = edit.GetAt(nIndex);
        long lCount = *PXFieldValue(F_RP_COUNT, pEntry).GetInt32();
        PXFieldValue(F_RP_NAME, pEntry).SetText(szName);
        PXFieldValue(F_RP_LISTID, pEntry).SetInt32(lListId);
        PXFieldValue(F_RP_COUNT, pEntry).SetInt32(lCount + 1);
        pEntry->Commit();
    }
    PXFieldValue(F_RESPERM, this).SetRecArray(edit);
    Commit();
    return 0;
}

int PXUserApp::ReleaseResPermRef(long lListId, BOOL bRemoveAll)
{
    if (lListId <= 0)
        return 0;
    PXRecArray edit(PXFieldValue(F_RESPERM, this).GetRecArray());
    int nIndex = PXFindRecIndexByInt(F_RP_LISTID, lListId, edit);
    if (nIndex < 0)
        return 1;
    PXSoftRec* pEntry = edit.GetAt(nIndex);
    long lCount = *PXFieldValue(F_RP_COUNT, pEntry).GetInt32();
    if (lCount < 2 || bRemoveAll)
        edit.RemoveAt(nIndex);
    else
    {
        PXFieldValue(F_RP_COUNT, pEntry).SetInt32(lCount - 1);
        pEntry->Commit();
    }
    PXFieldValue(F_RESPERM, this).SetRecArray(edit);
    Commit();
    return 0;
}

BOOL PXUserApp::IsExported()
{
    return *PXFieldValue(F_EXPORTED, this).GetText() != PXTEXT_NO;
}

void PXUserApp::SetExported(BOOL bExported)
{
    PXFieldValue(F_EXPORTED, this).SetText(bExported ? PXTEXT_YES : PXTEXT_NO);
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
