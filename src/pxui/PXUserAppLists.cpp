// User applications: importing and removing imported applications, and the
// checks that ThruDial and SetLanguage blocks name restriction/permission
// lists and languages that the server has.
#include "PXUserApp.h"
#include "PXEditorFrame.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftRecPBV.h"
#include "PXUIRes.h"
#include "PXException.h"
#include "PXWinApp.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"

#include <stdio.h>
#include <string.h>

namespace {

const DWORD PXCAUSE_REFUSED = 0x40000;
const DWORD PXCAUSE_IMPORT = 0x20000;
const int PB_SETLANGUAGE = 403;
const int PB_THRUDIAL = 405;
// The blocks a message names at most; more are summed up in one line.
const int MAX_NAMED_BLOCKS = 10;

void ReportWith(UINT nMsgId, DWORD dwCause, const char* pszInsert, const char* pszFile, int nLine)
{
    PXArgList message(nMsgId, pszInsert ? pszInsert : "");
    PXGetWinApp()->Report(dwCause, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, pszFile, nLine);
}

#define PXLIST_REPORT(nMsgId, dwCause, pszInsert) ReportWith((nMsgId), (dwCause), (pszInsert), __FILE__, __LINE__)

long AppID(PXSoftRec* pRec)
{
    return *PXFieldValue(PXFIELD_USER_APP_ID, pRec).GetInt32();
}

// The walk over the program's blocks of one type that name something the
// server lacks: their names, one a line, at most MAX_NAMED_BLOCKS of them;
// a further one found on the same page adds the "more blocks" line instead.
struct BlockWalk
{
    int nType;
    bool (*pfnMissing)(PowerBlock* pBlock);
    int nCount = 0;
    bool bPageDone = false;
    CString strNames;
};

void WalkPageBlock(PowerBlock* pBlock, void* pData)
{
    BlockWalk& rWalk = *static_cast<BlockWalk*>(pData);
    if (rWalk.bPageDone || pBlock->GetType() != rWalk.nType || !rWalk.pfnMissing(pBlock))
        return;
    if (rWalk.nCount < MAX_NAMED_BLOCKS)
    {
        rWalk.strNames += pBlock->GetName();
        rWalk.strNames += "\n";
        ++rWalk.nCount;
        return;
    }
    CString strMore;
    strMore.LoadStringA(IDS_UI_MOREBLOCKS);
    rWalk.strNames += strMore;
    rWalk.bPageDone = true;
}

void WalkPage(Page* pPage, void* pData)
{
    BlockWalk& rWalk = *static_cast<BlockWalk*>(pData);
    if (rWalk.nCount >= MAX_NAMED_BLOCKS)
        return;
    rWalk.bPageDone = false;
    pPage->ForEachBlock(WalkPageBlock, pData);
}

bool ListMissing(PowerBlock* pBlock)
{
    PXSoftRecPBV record(PXREC_THRU_DIAL, pBlock, pBlock->GetHandle(), PB_THRUDIAL);
    long lListId = *PXFieldValue(PXFIELD_THRU_DIAL_RESTRICTION_PERMISSION_LIST, &record).GetInt32();
    return lListId != 0 && GetWinApp()->FindResPermList(lListId) < 0;
}

bool LanguageMissing(PowerBlock* pBlock)
{
    PXSoftRecPBV record(PXREC_LANGUAGE_SELECT, pBlock, pBlock->GetHandle(), PB_SETLANGUAGE);
    short sLanguage = *PXFieldValue(PXFIELD_LANGUAGE_SELECT_SYSTEM_PROMPTING_LANGUAGE, &record).GetInt16();
    return sLanguage != -1 && GetWinApp()->FindLanguage(sLanguage) < 0;
}

// The palette shows the program's block icons again.
void RefreshPalette(Program* pProgram)
{
    if (PXEditorFrame* pFrame = PXWinApp::GetEditorFrame())
        pFrame->RefreshPalette(pProgram);
}

} // namespace

int PXUserApp::CheckServerBlocks(int nType, UINT nMsgId)
{
    PXWinApp* pApp = GetWinApp();
    PXASSERT(m_pProgram!=0);
    if (!pApp || !m_pProgram)
        return 0;
    // The server's lists are read again for the check.
    pApp->FreeServerRecord();
    if (!pApp->HasServerLists())
        return 0;
    BlockWalk walk;
    walk.nType = nType;
    walk.pfnMissing = nType == PB_THRUDIAL ? ListMissing : LanguageMissing;
    m_pProgram->ForEachPage(WalkPage, &walk);
    if (walk.nCount > 0)
        PXLIST_REPORT(nMsgId, PXCAUSE_REFUSED, walk.strNames);
    return walk.nCount;
}

int PXUserApp::CheckLanguages()
{
    return CheckServerBlocks(PB_SETLANGUAGE, IDS_UI_LANGUAGEMISSING);
}

void PXUserApp::PrepareResPermRows()
{
    CheckServerBlocks(PB_THRUDIAL, IDS_UI_RESPERMMISSING);
    // Only the lists the server has are told to it. While the server's
    // lists are not known (no session) every list is.
    PXWinApp* pApp = GetWinApp();
    if (pApp && pApp->HasServerLists())
    {
        PXRecArray edit(PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).GetRecArray());
        for (int i = edit.GetSize() - 1; i >= 0; --i)
        {
            long lListId = *PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, edit.GetAt(i)).GetInt32();
            if (pApp->FindResPermList(lListId) < 0)
                edit.RemoveAt(i);
        }
        PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).SetRecArray(edit);
        Commit();
    }
    BuildResPermRows();
}

// ---------------------------------------------------------------------------
// Imported applications

int PXUserApp::AddImport(PXSoftRecMem* pEntry)
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram || !pEntry)
        return 1;
    long lId = AppID(pEntry);
    if (lId == AppID(this))
    {
        char szId[16];
        snprintf(szId, sizeof(szId), "%ld", lId);
        PXLIST_REPORT(IDS_UI_IMPORTSELF, PXCAUSE_IMPORT, szId);
        return -1;
    }
    if (FindImport(lId) >= 0)
        return -1;
    char szLibrary[32];
    MakeNameAndID(lId, *PXFieldValue(PXFIELD_USER_APP_NAME, pEntry).GetText(), szLibrary);
    if (!kvrImportRLL(m_pProgram->GetHandle(), szLibrary, nullptr))
        return 1;
    if (!m_pImports->Add(pEntry))
    {
        CharUpperA(szLibrary);
        kvrRemoveRLL(m_pProgram->GetHandle(), szLibrary);
        PXTHROW_XMEM(IDS_UI_OUTOFMEMORY);
    }
    if (SendImports(0) != 0)
    {
        // The server does not know of it: neither does the program. The
        // entry stays the caller's.
        int nIndex = FindImport(lId);
        PXASSERT(nIndex>=0);
        if (nIndex >= 0)
            m_pImports->RemoveAt(nIndex);
        CharUpperA(szLibrary);
        kvrRemoveRLL(m_pProgram->GetHandle(), szLibrary);
        return 1;
    }
    m_pProgram->SetModified();
    m_pProgram->LoadRllIcons(szLibrary);
    RefreshPalette(m_pProgram);
    return 0;
}

int PXUserApp::RemoveImport(PXSoftRec* pEntry)
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram || !pEntry)
        return 1;
    long lId = AppID(pEntry);
    char szLibrary[32];
    MakeNameAndID(lId, *PXFieldValue(PXFIELD_USER_APP_NAME, pEntry).GetText(), szLibrary);
    int nIndex = FindImport(lId);
    PXASSERT(nIndex>=0);
    if (nIndex < 0)
        return 1;
    if (kvrRLLInUse(m_pProgram->GetHandle(), szLibrary) == 1)
    {
        PXLIST_REPORT(IDS_UI_IMPORTINUSE, PXCAUSE_IMPORT, szLibrary);
        return -1;
    }
    PXObject* pImport = m_pImports->GetAt(nIndex);
    m_pImports->RemoveAt(nIndex);
    if (SendImports(0) != 0)
    {
        m_pImports->InsertAt(nIndex, pImport);
        return 1;
    }
    delete pImport;
    CharUpperA(szLibrary);
    kvrRemoveRLL(m_pProgram->GetHandle(), szLibrary);
    m_pProgram->LoadRllIconsFor();
    m_pProgram->SetModified();
    RefreshPalette(m_pProgram);
    return 0;
}
