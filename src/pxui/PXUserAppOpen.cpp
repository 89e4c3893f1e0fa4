// User applications: opening on the server (or from the local program file
// after a crash) into a page window, the lists read from the application
// model, the lists told to the server, and closing.
#include "PXUserApp.h"
#include "PXAppLink.h"
#include "PXEditorFrame.h"
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXResPermItem.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXVoiceItem.h"
#include "PXWinApp.h"
#include "Page.h"
#include "Program.h"
#include "ProgramFile.h"
#include "ModelObserver.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

const DWORD PXCAUSE_REFUSED = 0x40000;
const DWORD PXCAUSE_SERVER = 0x10000000;
const int SYMBOL_ITEM = 35;
const int SYMBOL_LIST = 21;
const short MEDIA_VOICE = 0;
const short MEDIA_FAX = 3;

long AppID(PXSoftRec* pRec)
{
    return *PXFieldValue(PXFIELD_USER_APP_ID, pRec).GetInt32();
}

// The server's full disks have their own messages whatever the operation.
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

// The model's symbols of one type, in the model's order.
std::vector<Symbol*> SymbolsOfType(int nType)
{
    int nCount = kvrGetTreeSize(nType);
    std::vector<Symbol*> symbols(nCount > 0 ? static_cast<size_t>(nCount) : 0);
    if (nCount > 0)
    {
        int nGot = kvrGetATypeOfSymbols(symbols.data(), nType);
        PXASSERT(nGot==nCount);
        if (nGot < nCount)
            symbols.resize(nGot > 0 ? static_cast<size_t>(nGot) : 0);
    }
    return symbols;
}

bool IsExcluded(const Symbol* pSymbol)
{
    return pSymbol->ExclFlags != 0 || pSymbol->ExclFlags2 != 0;
}

// Every window of the program closes; the last one takes the program.
void CloseProgramWindows(Program* pProgram)
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!pFrame || !pProgram)
        return;
    std::vector<Page*> pages;
    pProgram->ForEachPage([](Page* pPage, void* pData) { static_cast<std::vector<Page*>*>(pData)->push_back(pPage); },
                          &pages);
    for (Page* pPage : pages)
        pFrame->ClosePageWindows(pPage);
}

} // namespace

void MakeNameAndID(long lId, const char* pszName, char* pszOut)
{
    char szId[16];
    snprintf(szId, sizeof(szId), ".%ld", lId);
    size_t nId = strlen(szId);
    size_t nName = strlen(pszName);
    if (nName + nId >= 32)
        nName = 30 - nId;
    memcpy(pszOut, pszName, nName);
    memcpy(pszOut + nName, szId, nId + 1);
    PXASSERT(strlen(pszOut) < 32);
}

int PXUserApp::ReportOpenResult(int nResult, int nMode)
{
    UINT nMsgId = DiskFullMessage(nResult);
    DWORD dwCause = PXCAUSE_REFUSED;
    int nAnswer = 1;
    switch (nResult)
    {
    case PXRC_LOCKED_BY_OTHER: nMsgId = IDS_UI_APPLOCKED; break;
    case PXRC_ALREADY_OPEN:
        if (nMode == PXOPEN_EXISTING)
        {
            nMsgId = IDS_UI_APPALREADYOPEN;
            nAnswer = -1;
        }
        else
            nMsgId = IDS_UI_APPNAMEIDTAKEN;
        break;
    case PXRC_LOCK_NOT_BROKEN: return 1;     // the user chose so in the library
    case PXRC_APP_LIMIT: nMsgId = IDS_UI_APPLIMIT; break;
    case PXRC_SAME_APP_EXISTS: nMsgId = IDS_UI_APPNAMEIDTAKEN; break;
    case PXRC_ID_TAKEN: nMsgId = IDS_UI_APPIDTAKEN; break;
    case PXRC_NAME_TAKEN: nMsgId = IDS_UI_APPNAMETAKEN; break;
    default:
        dwCause = PXCAUSE_SERVER;
        if (!nMsgId)
            nMsgId = IDS_UI_APPNOTLOADED;
        break;
    }
    PXUI_REPORT(nMsgId, dwCause);
    return nAnswer;
}

int StartAutoSaveTimer()
{
    const char* pszSettings = GetModelSettings().strSettingsFile;
    char szEnabled[128] = "";
    GetPrivateProfileStringA("Main", "Auto Save Enabled", "TRUE", szEnabled, sizeof(szEnabled), pszSettings);
    if (lstrcmpiA(szEnabled, "TRUE") != 0)
        return -1;
    int nMinutes = static_cast<int>(GetPrivateProfileIntA("Main", "Auto Save Interval", 10, pszSettings));
    // Only the settings file itself can hold a period the options refuse:
    // it is kept within theirs, so that the timer neither races nor
    // overflows.
    if (nMinutes < 1)
        nMinutes = 1;
    else if (nMinutes > 60)
        nMinutes = 60;
    HWND hMain = PXGetMainWindow();
    if (!hMain)
        return 0;
    return static_cast<int>(SetTimer(hMain, PXAUTOSAVE_TIMER, static_cast<UINT>(nMinutes) * 60000u, nullptr));
}

int PXUserApp::OpenProgramFile(Program** ppProgram)
{
    if (ppProgram)
        *ppProgram = nullptr;
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!pFrame)
        return 1;
    CString strPath;
    GetEdFileName(strPath);
    Program* pProgram = nullptr;
    int nResult = pFrame->OpenProgram(strPath, &pProgram);
    if (nResult == 0)
        StartAutoSaveTimer();
    if (ppProgram)
        *ppProgram = nResult == 0 ? pProgram : nullptr;
    return nResult;
}

int PXUserApp::Open(int nMode)
{
    PXWinApp* pApp = GetWinApp();
    PXASSERT(pApp!=0);
    bool bStandalone = !pApp || pApp->IsStandalone();
    if (nMode == PXOPEN_EXISTING || nMode == PXOPEN_NEW)
    {
        PXFileRequest request;
        FillFileRequest(&request);
        PXFileInfo info;
        memset(&info, 0, sizeof(info));
        int nResult = nMode == PXOPEN_NEW ? PXAppLink().pfnFileNew(&request, &info)
                                          : PXAppLink().pfnFileOpen(&request, &info);
        if (nResult != 0)
            return ReportOpenResult(nResult, nMode);
        if (!bStandalone)
            SetFromFileInfo(&info);
    }

    Program* pProgram = nullptr;
    if (OpenProgramFile(&pProgram) != 0 || !pProgram)
    {
        // The server gave the application to this workspace: give it back,
        // and the program file it copied here with it.
        if (nMode != PXOPEN_RECOVER)
        {
            if (!bStandalone)
                DeleteLocalFiles("");
            PXAppLink().pfnFileClose(1, AppID(this));
        }
        return 1;
    }
    m_pProgram = pProgram;

    LoadItems(0);
    LoadItems(1);
    LoadImports();
    LoadResPermItems();
    {
        PXRecArray voice(m_pVoiceItems), fax(m_pFaxItems), imports(m_pImports), lists(m_pResPermItems);
        PXFieldValue(PXFIELD_USER_APP_VOICE_ITEMS, this).SetRecArray(voice);
        PXFieldValue(PXFIELD_USER_APP_FAX_ITEMS, this).SetRecArray(fax);
        PXFieldValue(PXFIELD_USER_APP_IMPORTS, this).SetRecArray(imports);
        PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).SetRecArray(lists);
    }

    if (nMode == PXOPEN_RECOVER)
    {
        LoadFromProgram();
        PXFileInfo info;
        FillFileInfo(&info);
        BuildImportRows();
        PXRecoveryInfo recovery;
        memset(&recovery, 0, sizeof(recovery));
        memcpy(&recovery.stored, &info, sizeof(recovery.stored));
        memcpy(&recovery.edited, &info, sizeof(recovery.edited));
        recovery.reserved = 0;
        recovery.pSavedImports = m_pAppArray;
        recovery.pCurrentImports = m_pAppArray;
        recovery.pSavedResPerm = nullptr;
        recovery.pCurrentResPerm = nullptr;
        int nResult = PXAppLink().pfnFileOpenOnRecovery(&recovery);
        FreeImportRows();
        if (nResult != 0)
        {
            // Without the server's twin nothing of this application could be
            // saved: it does not open. Its program file stays for another try.
            PXUI_REPORT(IDS_UI_APPNOTLOADED, PXCAUSE_SERVER);
            DropCells();
            m_pProgram = nullptr;
            CloseProgramWindows(pProgram);
            return 1;
        }
    }
    else
    {
        // The program's copy takes the profile and the program is kept in
        // its local file.
        Build(0);
    }

    SendImports(1);
    SendResPerms(1);
    CheckLanguages();
    Commit();
    if (nMode == PXOPEN_RECOVER)
        m_pProgram->SetModified();
    else
        m_pProgram->ClearModified();
    return 0;
}

int PXUserApp::Close()
{
    PXWinApp* pApp = GetWinApp();
    if (pApp && !pApp->IsStandalone())
        DeleteLocalFiles("");
    return PXAppLink().pfnFileClose(1, AppID(this)) != 0 ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Lists read from the application model

void PXUserApp::LoadItems(int bFax)
{
    std::vector<Symbol*> symbols = SymbolsOfType(SYMBOL_ITEM);
    AddItemsFromSymbols(symbols.data(), static_cast<int>(symbols.size()), bFax ? MEDIA_FAX : MEDIA_VOICE);
}

void PXUserApp::AddItemsFromSymbols(Symbol** ppSymbols, int nCount, int nKind)
{
    if (!ppSymbols)
        return;
    PXASSERT(nKind==MEDIA_VOICE || nKind==MEDIA_FAX);
    for (int i = 0; i < nCount; ++i)
    {
        Symbol* pSymbol = ppSymbols[i];
        // A symbol without its item data comes from a damaged program file:
        // it is no item of the lists.
        kvrItemData* pData = pSymbol ? static_cast<kvrItemData*>(pSymbol->Variable) : nullptr;
        if (!pData || IsExcluded(pSymbol) || pData->mediaKind != nKind)
            continue;
        if (nKind == MEDIA_FAX)
            m_pFaxItems->Add(new PXFaxItem(pSymbol));
        else
            m_pVoiceItems->Add(new PXVoiceItem(pSymbol));
    }
}

void PXUserApp::LoadImports()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return;
    // The server's application list names the imports; without it (no
    // server session) the library's text does. In standalone mode the
    // chooser's list of local program files is no server's list: their
    // IDs are all the same.
    PXRecArray* pServerApps = nullptr;
    PXFieldValue serverApps(0, nullptr);
    PXWinApp* pApp = GetWinApp();
    if (pApp && !pApp->IsStandalone())
    {
        pApp->GetFieldValue(2306, serverApps);
        if (serverApps.GetRecord())
            pServerApps = serverApps.GetRecArray();
    }
    int nCount = kvrGetRLList(m_pProgram->GetHandle(), nullptr, 0);
    if (nCount <= 0)
        return;
    std::vector<char> names(static_cast<size_t>(nCount) * KVR_MAX_RLL_NAME);
    char (*pNames)[KVR_MAX_RLL_NAME] = reinterpret_cast<char (*)[KVR_MAX_RLL_NAME]>(names.data());
    nCount = kvrGetRLList(m_pProgram->GetHandle(), pNames, nCount);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[KVR_MAX_RLL_NAME];
        lstrcpynA(szText, pNames[i], sizeof(szText));
        char* pDot = strrchr(szText, '.');
        long lId = pDot ? atol(pDot + 1) : 0;
        PXUserApp* pEntry = new PXUserApp(CString());
        PXFieldValue(PXFIELD_USER_APP_ID, pEntry).SetInt32(lId);
        int nServer = pServerApps ? PXFindRecIndexByInt(PXFIELD_USER_APP_ID, lId, *pServerApps) : -1;
        if (nServer >= 0)
            PXFieldValue(PXFIELD_USER_APP_NAME, pEntry)
                .SetText(*PXFieldValue(PXFIELD_USER_APP_NAME, pServerApps->GetAt(nServer)).GetText());
        else
        {
            if (pDot)
                *pDot = '\0';
            PXFieldValue(PXFIELD_USER_APP_NAME, pEntry).SetText(szText);
        }
        pEntry->Commit();
        m_pImports->Add(pEntry);
    }
}

void PXUserApp::LoadResPermItems()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return;
    std::vector<Symbol*> symbols = SymbolsOfType(SYMBOL_LIST);
    for (Symbol* pSymbol : symbols)
    {
        // A list symbol without its data comes from a damaged program file.
        if (!pSymbol || !pSymbol->Variable || IsExcluded(pSymbol))
            continue;
        PXResPermItem* pItem = new PXResPermItem(pSymbol);
        pItem->Commit();
        m_pResPermItems->Add(pItem);
    }
    PXRecArray lists(m_pResPermItems);
    PXFieldValue(PXFIELD_USER_APP_USED_RES_PERM_LIST, this).SetRecArray(lists);
    Commit();
}

int PXUserApp::FindImport(long lId)
{
    if (!m_pImports)
        return -1;
    PXRecArray imports(m_pImports);
    return PXFindRecIndexByInt(PXFIELD_USER_APP_ID, lId, imports);
}

// ---------------------------------------------------------------------------
// Lists told to the server

void PXUserApp::BuildImportRows()
{
    if (m_pAppArray)
        FreeImportRows();
    int nCount = m_pImports ? m_pImports->GetSize() : 0;
    m_pAppArray = static_cast<PXImportRow*>(calloc(static_cast<size_t>(nCount) + 1, sizeof(PXImportRow)));
    if (!m_pAppArray)
        PXTHROW_XMEM(IDS_UI_OUTOFMEMORY);
    for (int i = 0; i < nCount; ++i)
    {
        m_pAppArray[i].customerid = 1;
        m_pAppArray[i].appprofid = AppID(static_cast<PXSoftRec*>(m_pImports->GetAt(i)));
        m_pAppArray[i].appvernum = 0;
    }
}

void PXUserApp::FreeImportRows()
{
    PXASSERT(m_pAppArray!=0);
    free(m_pAppArray);
    m_pAppArray = nullptr;
}

void PXUserApp::BuildResPermRows()
{
    if (m_pResPermArray)
        FreeResPermRows();
    int nCount = m_pResPermItems ? m_pResPermItems->GetSize() : 0;
    m_pResPermArray =
        static_cast<PXResPermUseRow*>(calloc(static_cast<size_t>(nCount) + 1, sizeof(PXResPermUseRow)));
    if (!m_pResPermArray)
        PXTHROW_XMEM(IDS_UI_OUTOFMEMORY);
    long lCustomer = *PXFieldValue(PXFIELD_USER_APP_CUSTOMER_NUMBER, this).GetInt32();
    long lVersion = *PXFieldValue(PXFIELD_USER_APP_VERSION_NUMBER, this).GetInt32();
    for (int i = 0; i < nCount; ++i)
    {
        PXSoftRec* pEntry = static_cast<PXSoftRec*>(m_pResPermItems->GetAt(i));
        m_pResPermArray[i].customerid = lCustomer;
        m_pResPermArray[i].appprofid = AppID(this);
        m_pResPermArray[i].appvernum = lVersion;
        m_pResPermArray[i].rplid = *PXFieldValue(PXFIELD_RESPERM_ITEM_LISTID, pEntry).GetInt32();
        m_pResPermArray[i].usecount = *PXFieldValue(PXFIELD_RESPERM_ITEM_COUNT, pEntry).GetInt32();
    }
}

void PXUserApp::FreeResPermRows()
{
    PXASSERT(m_pResPermArray!=0);
    free(m_pResPermArray);
    m_pResPermArray = nullptr;
}

int PXUserApp::SendImports(int nMode)
{
    BuildImportRows();
    PXAppDataRequest request;
    memset(&request, 0, sizeof(request));
    request.customerid = 1;
    request.appprofid = AppID(this);
    request.pImports = m_pAppArray;
    int nResult = nMode == 1 ? PXAppLink().pfnGetDataFromPW(&request) : PXAppLink().pfnFileImport(&request);
    FreeImportRows();
    if (nResult != 0)
    {
        UINT nMsgId = DiskFullMessage(nResult);
        PXUI_REPORT(nMsgId ? nMsgId : IDS_UI_IMPORTSNOTSENT, PXCAUSE_SERVER);
    }
    return nResult;
}

int PXUserApp::SendResPerms(int nMode)
{
    PrepareResPermRows();
    int nResult;
    if (nMode == 1)
        nResult = PXAppLink().pfnGetResPermDataFromPW(1, AppID(this), m_pResPermArray);
    else
    {
        PXAppDataRequest request;
        memset(&request, 0, sizeof(request));
        request.customerid = 1;
        request.appprofid = AppID(this);
        request.pImports = m_pAppArray;
        request.pResPerms = m_pResPermArray;
        nResult = PXAppLink().pfnResPermUsed(1, AppID(this), &request);
    }
    FreeResPermRows();
    if (nResult != 0)
    {
        UINT nMsgId = DiskFullMessage(nResult);
        PXUI_REPORT(nMsgId ? nMsgId : IDS_UI_RESPERMNOTSENT, PXCAUSE_SERVER);
    }
    return nResult;
}
