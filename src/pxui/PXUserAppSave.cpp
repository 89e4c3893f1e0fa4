// User applications: the local save with its optional build, the saves on
// the server (save, save as, export, undo export), the recovery copy and
// the properties.
//
// Every operation writes the application's own program to its local file
// before the server hears of it. A program that could not be written is
// not sent: it stays modified and the operation fails. A program that
// could not be built is never sent as complete.
#include "PXUserApp.h"
#include "CUserAppChecker.h"
#include "PXAppLink.h"
#include "PXEditorFrame.h"
#include "PXFieldValue.h"
#include "PXMsgBox.h"
#include "PXUIMsg.h"
#include "PXUIRes.h"
#include "PXWinApp.h"
#include "ModelObserver.h"
#include "Page.h"
#include "Icons.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"

#include <new>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD PXCAUSE_REFUSED = 0x40000;
const DWORD PXCAUSE_SERVER = 0x10000000;

// A description the server gives an application it has restored; any save
// first clears it on the server.
const char kRestoredMarker[] = "This application is newly restored. Administrator must reopen and resave.";

// The Continue block that an exported application carries.
const char kContinueName[] = "Continue";
const long kContinueX = 505;
const long kContinueY = 300;

long Int32(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetInt32();
}

CString Text(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetText();
}

CString LoadText(UINT nId)
{
    CString str;
    str.LoadStringA(nId);
    return str;
}

void Report(UINT nMsgId, DWORD dwCause, PXIconKind nIcon, const char* pszFile, int nLine)
{
    PXArgList message(nMsgId);
    PXGetWinApp()->Report(dwCause, nIcon, PXBTN_OK, PXANS_OK, &message, nullptr, 0, pszFile, nLine);
}

#define PXSAVE_REPORT(nMsgId, dwCause, nIcon) Report((nMsgId), (dwCause), (nIcon), __FILE__, __LINE__)

// The server's full disks have their own messages in every operation.
UINT DiskFullMessage(int nResult)
{
    switch (nResult)
    {
    case PXRC_SERVER_DISK_FULL: return IDS_UI_SERVERDISKFULL;
    case PXRC_DATABASE_FULL: return IDS_UI_DATABASEFULL;
    case PXRC_MISA_FULL: return IDS_UI_MISAFULL;
    default: return 0;
    }
}

bool IsStandalone()
{
    PXWinApp* pApp = GetWinApp();
    return !pApp || pApp->IsStandalone();
}

// The box that says an incomplete application will not run, unless the
// diagnostics are off.
void WarnIncomplete()
{
    if (PXTestDiagLevel(1))
        return;
    PXMessageBox(GetActiveWindow(), LoadText(IDS_UI_INCOMPLETENOSERVICE), LoadText(IDS_UI_ALERTCAPTION),
                 MB_ICONINFORMATION);
}

struct BlockSearch
{
    const PowerBlock* pBlock;
    bool bFound;
};

bool PageHoldsBlock(Page* pPage, const PowerBlock* pBlock)
{
    BlockSearch search = {pBlock, false};
    pPage->ForEachBlock(
        [](PowerBlock* pOn, void* pData) {
            BlockSearch& rSearch = *static_cast<BlockSearch*>(pData);
            if (pOn == rSearch.pBlock)
                rSearch.bFound = true;
        },
        &search);
    return search.bFound;
}

// The windows let go of the block, the page takes it off (with the lines
// that end at it) and deletes it.
void RemovePageBlock(Page* pPage, PowerBlock* pBlock)
{
    GetModelObserver().NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_INCOMING_GOTOS | OBJECT_OWN_GOTOS);
    pPage->RemoveBlock(pBlock);
    if (HWND hMain = PXGetMainWindow())
        SendMessageA(hMain, WM_UI_BLOCKCHANGED, 0, 1);
}

} // namespace

BOOL CopyRunToRll(const char* pszEdPath)
{
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR], szName[_MAX_FNAME], szExt[_MAX_EXT];
    if (!pszEdPath || strlen(pszEdPath) >= _MAX_PATH)
        return FALSE;
    _splitpath(pszEdPath, szDrive, szDir, szName, szExt);
    char szRun[_MAX_PATH], szRll[_MAX_PATH];
    _makepath(szRun, szDrive, szDir, szName, "run");
    _makepath(szRll, szDrive, szDir, szName, "rll");
    return CopyFileA(szRun, szRll, FALSE);
}

// ---------------------------------------------------------------------------
// Local save and build

int PXUserApp::SaveProgramFile()
{
    PXASSERT(m_pProgram!=0);
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!m_pProgram || !pFrame)
        return 0;
    return pFrame->SaveProgramFile(m_pProgram);
}

int PXUserApp::Build(int bFull)
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return PXBUILD_NOTSAVED;
    StoreInProgram();
    if (!SaveProgramFile())
        return PXBUILD_NOTSAVED;
    if (!bFull || !IsComplete())
        return PXBUILD_DONE;
    RunDiagnostics();
    CString strPath;
    GetEdFileName(strPath);
    int nBuilt = kvrBuildProgram(strPath, Int32(this, PXFIELD_USER_APP_CUSTOMER_NUMBER),
                                 Int32(this, PXFIELD_USER_APP_ID), 0, nullptr, 0, 0, 0);
    if (nBuilt != 0)
    {
        // The old run-time files stay as they were: the application must
        // not go to the server as complete.
        PXSAVE_REPORT(IDS_UI_APPNOTBUILT, PXCAUSE_REFUSED, PXICON_EXCLAMATION);
        return PXBUILD_NOTBUILT;
    }
    if (IsExported())
        CopyRunToRll(strPath);
    return PXBUILD_DONE;
}

int PXUserApp::ClearRestoredMarker()
{
    if (Text(this, PXFIELD_USER_APP_DESCRIPTION) != kRestoredMarker)
        return 0;
    PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, this).SetText("");
    Commit();
    PXFileInfo info;
    memset(&info, 0, sizeof(info));
    FillFileInfo(&info);
    int nResult = PXAppLink().pfnFileProperties(&info.profile);
    if (nResult == 0)
        return 0;
    UINT nMsgId = DiskFullMessage(nResult);
    PXSAVE_REPORT(nMsgId ? nMsgId : IDS_UI_PROPSNOTSENT, PXCAUSE_SERVER, PXICON_EXCLAMATION);
    return 1;
}

int PXUserApp::FinishServerSave(const PXFileInfo& rInfo)
{
    // The server's new profile (versions, modification number, paths) goes
    // into the fields and into the program file. In standalone mode the
    // library answers without one.
    if (!IsStandalone())
    {
        SetFromFileInfo(&rInfo);
        if (Build(0) != PXBUILD_DONE)
            return 1;
    }
    m_pProgram->ClearModified();
    return 0;
}

// ---------------------------------------------------------------------------
// Saves on the server

int PXUserApp::Save(int bToServer)
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return 1;
    if (ClearRestoredMarker())
        return 1;
    int nBuild = Build(bToServer);
    if (nBuild == PXBUILD_NOTSAVED)
        return 1;
    if (!bToServer)
        return 0;

    BOOL bComplete = IsComplete() && nBuild == PXBUILD_DONE;
    if (!IsComplete())
        WarnIncomplete();
    PXFileInfo info;
    memset(&info, 0, sizeof(info));
    int nResult = PXAppLink().pfnFileSave(1, Int32(this, PXFIELD_USER_APP_ID), bComplete, PX_SAVE_SAVE, &info);
    if (nResult != 0)
    {
        m_pProgram->SetModified();
        if (nResult == PXRC_USER_SAID_NO)
            return 1;
        UINT nMsgId = DiskFullMessage(nResult);
        if (nMsgId)
            PXSAVE_REPORT(nMsgId, PXCAUSE_SERVER, PXICON_STOP);
        else if (nResult == PXRC_TARGET_ASSIGNED)
            PXSAVE_REPORT(IDS_UI_APPASSIGNED, PXCAUSE_SERVER, PXICON_EXCLAMATION);
        else
            PXSAVE_REPORT(IDS_UI_APPNOTSAVED, PXCAUSE_SERVER, PXICON_STOP);
        return 1;
    }
    return FinishServerSave(info);
}

int PXUserApp::SaveAs(PXUserApp* pTarget)
{
    PXASSERT(m_pProgram!=0 && pTarget!=0);
    if (!m_pProgram || !pTarget)
        return 1;
    if (ClearRestoredMarker())
        return 1;

    CString strOldName = Text(this, PXFIELD_USER_APP_NAME);
    long lOldId = Int32(this, PXFIELD_USER_APP_ID);
    long lOldVolume = Int32(this, PXFIELD_USER_APP_VOLUME_ID);
    CString strNewName = Text(pTarget, PXFIELD_USER_APP_NAME);
    long lNewId = Int32(pTarget, PXFIELD_USER_APP_ID);
    long lNewVolume = Int32(pTarget, PXFIELD_USER_APP_VOLUME_ID);
    auto takeIdentity = [this](const CString& rName, long lId, long lVolume) {
        PXFieldValue(PXFIELD_USER_APP_NAME, this).SetText(rName);
        PXFieldValue(PXFIELD_USER_APP_ID, this).SetInt32(lId);
        PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, this).SetInt32(lVolume);
        Commit();
    };
    // The program's file name follows the Name.
    takeIdentity(strNewName, lNewId, lNewVolume);

    int nBuild = Build(1);
    if (nBuild == PXBUILD_NOTSAVED)
    {
        // Nothing was written under the new name.
        takeIdentity(strOldName, lOldId, lOldVolume);
        m_pProgram->SetModified();
        return 1;
    }
    BOOL bComplete = IsComplete() && nBuild == PXBUILD_DONE;
    if (!IsComplete())
        WarnIncomplete();
    PXFileInfo info;
    memset(&info, 0, sizeof(info));
    int nResult = PXAppLink().pfnFileSaveAs(1, lOldId, bComplete, 1, lNewId, strNewName, lNewVolume,
                                            Int32(this, PXFIELD_USER_APP_MODIFICATION_NUMBER), &info);
    if (nResult != 0)
    {
        m_pProgram->SetModified();
        UINT nMsgId = DiskFullMessage(nResult);
        DWORD dwCause = PXCAUSE_SERVER;
        PXIconKind nIcon = PXICON_STOP;
        switch (nResult)
        {
        case PXRC_USER_SAID_NO: break;
        case PXRC_SAVEAS_LOCKED_BY_OTHER: nMsgId = IDS_UI_TARGETLOCKED; break;
        case PXRC_TARGET_IMPORTED: nMsgId = IDS_UI_SAVEASNOTEXPORTED; break;
        case PXRC_TARGET_ASSIGNED: nMsgId = IDS_UI_APPASSIGNED; break;
        case PXRC_ID_TAKEN:
        case PXRC_NAME_TAKEN:
            nMsgId = nResult == PXRC_ID_TAKEN ? IDS_UI_APPIDTAKEN : IDS_UI_APPNAMETAKEN;
            dwCause = PXCAUSE_REFUSED;
            nIcon = PXICON_EXCLAMATION;
            break;
        default:
            if (!nMsgId)
                nMsgId = IDS_UI_APPNOTSAVED;
            break;
        }
        if (nMsgId)
            PXSAVE_REPORT(nMsgId, dwCause, nIcon);
        DeleteLocalFiles(strNewName);
        takeIdentity(strOldName, lOldId, lOldVolume);
        return 1;
    }

    // The library answers in standalone mode without a profile: the fields
    // keep the new name and ID, and the files just written stand.
    if (IsStandalone())
        return 0;
    SetFromFileInfo(&info);
    if (Build(1) == PXBUILD_NOTSAVED)
        return 1;
    DeleteLocalFiles(strOldName);
    return 0;
}

int PXUserApp::SaveRecoveryCopy()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return 1;
    if (ClearRestoredMarker())
        return 1;
    StoreInProgram();
    return SaveProgramFile() ? 0 : 1;
}

// ---------------------------------------------------------------------------
// Export and undo export

Page* PXUserApp::ContinueBlockPage()
{
    // The page shown, when it is one of this application's; else its page
    // "Main".
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    Page* pPage = pFrame ? pFrame->GetActivePage() : nullptr;
    if (pPage && pPage->GetProgram() == m_pProgram)
        return pPage;
    return m_pProgram ? m_pProgram->GetMainPage() : nullptr;
}

PowerBlock* PXUserApp::AddContinueBlock()
{
    Page* pPage = ContinueBlockPage();
    int nType = 0;
    PowerBlockIcon* pIcon = IconForBlockType(KVR_PB_CONTINUE, nType);
    if (!pPage || !pIcon || nType != KVR_PB_CONTINUE)
        return nullptr;
    const long nUnit = GetModelSettings().nGridStep > 0 ? GetModelSettings().nGridStep : MODEL_DEFAULT_GRIDSTEP;
    long x = nUnit * (kContinueX / nUnit);
    long y = (nUnit / 2) * (kContinueY / (nUnit / 2));
    int nRetry = 0;
    PowerBlock* pBlock = new PowerBlock(pPage, kContinueName, pIcon->GetInfo(), pIcon, x, y, &nRetry, nullptr, 0,
                                        nullptr);
    if (!pBlock->HasHandle())
    {
        // The model refused it (a block of that name is there already).
        delete pBlock;
        return nullptr;
    }
    pPage->AddObject(pBlock);
    ModelObserver& observer = GetModelObserver();
    observer.NotifyChildren(pBlock, OBJECT_ADDED, 0);
    observer.NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
    pBlock->SyncGotos(0, 0, 1);
    observer.NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    observer.NotifyChildren(pBlock, OBJECT_REPAINT, 0);
    return pBlock;
}

void PXUserApp::RemoveContinueBlock(PowerBlock* pBlock)
{
    Page* pPage = ContinueBlockPage();
    if (!pPage)
        return;
    if (!pBlock)
        pBlock = pPage->FindBlockByName(kContinueName);
    else if (!PageHoldsBlock(pPage, pBlock))
        return;
    if (pBlock)
        RemovePageBlock(pPage, pBlock);
}

int PXUserApp::Export()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return 1;
    SetExported(TRUE);
    PowerBlock* pAdded = AddContinueBlock();
    if (ClearRestoredMarker())
        return 1;
    int nBuild = Build(1);
    int nResult = 0;
    if (nBuild == PXBUILD_DONE)
    {
        PXFileInfo info;
        memset(&info, 0, sizeof(info));
        nResult = PXAppLink().pfnFileSave(1, Int32(this, PXFIELD_USER_APP_ID), 1, PX_SAVE_EXPORT, &info);
        if (nResult == 0)
            return FinishServerSave(info);
    }
    // Not exported: only the Continue block this export placed goes, not
    // one the page had already.
    SetExported(FALSE);
    if (pAdded)
        RemoveContinueBlock(pAdded);
    m_pProgram->SetModified();
    if (nBuild == PXBUILD_DONE)
    {
        UINT nMsgId = DiskFullMessage(nResult);
        PXSAVE_REPORT(nMsgId ? nMsgId : IDS_UI_NOTEXPORTED, PXCAUSE_SERVER, PXICON_STOP);
    }
    return 1;
}

int PXUserApp::UndoExport()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return 1;
    SetExported(FALSE);
    RemoveContinueBlock(nullptr);
    if (ClearRestoredMarker())
        return 1;
    int nBuild = Build(1);
    int nResult = PXRC_FAILURE;
    if (nBuild != PXBUILD_NOTSAVED)
    {
        BOOL bComplete = IsComplete() && nBuild == PXBUILD_DONE;
        PXFileInfo info;
        memset(&info, 0, sizeof(info));
        nResult = PXAppLink().pfnFileSave(1, Int32(this, PXFIELD_USER_APP_ID), bComplete, PX_SAVE_UNDOEXPORT,
                                          &info);
        if (nResult == 0)
            return FinishServerSave(info);
    }
    SetExported(TRUE);
    AddContinueBlock();
    m_pProgram->SetModified();
    if (nBuild == PXBUILD_NOTSAVED || nResult == PXRC_USER_SAID_NO)
        return 1;
    UINT nMsgId = DiskFullMessage(nResult);
    if (!nMsgId)
    {
        switch (nResult)
        {
        case PXRC_UNDOEXPORT_INCOMPLETE_USED: nMsgId = IDS_UI_UNDOEXPORTUSED; break;
        case PXRC_UNDOEXPORT_COMPLETE_USED: nMsgId = IDS_UI_UNDOEXPORTIMPORTED; break;
        default: nMsgId = IDS_UI_EXPORTNOTUNDONE; break;
        }
    }
    PXSAVE_REPORT(nMsgId, PXCAUSE_SERVER, PXICON_STOP);
    return 1;
}

// ---------------------------------------------------------------------------
// Properties

int PXUserApp::EditProperties(int nMode)
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return 1;
    PXFieldValue(PXFIELD_USER_APP_COMPLETE, this).SetText(IsComplete() ? PXTEXT_YES : PXTEXT_NO);
    if (nMode == 1 && EditInPropSheet() != 1)
        return -1;
    PXFileInfo info;
    memset(&info, 0, sizeof(info));
    FillFileInfo(&info);
    int nResult = PXAppLink().pfnFileProperties(&info.profile);
    if (nResult != 0)
    {
        UINT nMsgId = DiskFullMessage(nResult);
        PXSAVE_REPORT(nMsgId ? nMsgId : IDS_UI_PROPSNOTSENT, PXCAUSE_SERVER, PXICON_EXCLAMATION);
        return 1;
    }
    Commit();
    return 0;
}
