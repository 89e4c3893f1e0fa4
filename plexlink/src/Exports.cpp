// The exported functions, each inside the export frame with the steps its
// contract gives (M module state, O offline short cut, E error mapping).
//
// This build serves the offline mode. A start with a server address fails
// as a start without a reachable directory does (73), and every later call
// that would need the server answers as its server call failing would.
#include <plexlink.h>

#include "CLDAP.h"
#include "PXExportFrame.h"
#include "PXLog.h"
#include "PXPlexwrightApp.h"
#include "PXReadProgDir.h"
#include "PlexlinkApp.h"

#include <windows.h>

#include <ctype.h>
#include <string.h>

#include <string>

namespace {

// The request's name as a text: the field need not hold a zero.
std::string RequestName(const PXFileRequest* pRequest)
{
    const char* pszName = pRequest->appname;
    size_t n = 0;
    while (n < sizeof pRequest->appname && pszName[n] != '\0')
        ++n;
    return std::string(pszName, n);
}

// The file information of an application opened offline: all zero but the
// application id and the name, cut to the 60 characters its field holds.
void FillOfflineInfo(const PXFileRequest* pRequest, PXFileInfo* pInfo)
{
    memset(pInfo, 0, sizeof *pInfo);
    std::string name = RequestName(pRequest);
    const size_t nMax = sizeof pInfo->profile.appname - 1;
    memcpy(pInfo->profile.appname, name.data(), name.size() < nMax ? name.size() : nMax);
    pInfo->profile.appprofid = pRequest->appprofid;
}

// Whether a name typed by the user can be a program file's name in the
// program directory: no folder parts, no characters Windows refuses, no
// device name, nothing Windows would silently change.
bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 32 || strchr("\\/:*?\"<>|", c))
            return false;
    if (name.back() == '.' || name.back() == ' ')
        return false;
    std::string stem = name.substr(0, name.find('.'));
    for (char& c : stem)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4",
                                           "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2",
                                           "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    for (const char* pszDevice : kDevices)
        if (stem == pszDevice)
            return false;
    return true;
}

// Copies the program directory's template to name + ".ed" there, replacing
// an existing file only with a complete copy.
int CopyTemplate(const std::string& name)
{
    char szDir[PX_PROGDIR_MAX + 1] = {0};
    PXReadProgDir(szDir, PX_REGKEY_PLEXWRIGHT);  // no value: an empty prefix
    std::string dir = szDir;
    std::string from = dir + "default\\default.ed";
    std::string to = dir + name + ".ed";
    if (to.size() >= MAX_PATH)
    {
        PXWriteLog(PXLOG_ERROR, "PXFileNew, program file path too long for %s.\n", name.c_str());
        return PXRC_APP_MISSING;
    }
    std::string temp = to + ".new";
    if (temp.size() >= MAX_PATH || !CopyFileA(from.c_str(), temp.c_str(), FALSE))
    {
        PXWriteLog(PXLOG_ERROR, "PXFileNew, cannot copy %s to %s.\n", from.c_str(), to.c_str());
        if (temp.size() < MAX_PATH)
            DeleteFileA(temp.c_str());
        return PXRC_APP_MISSING;
    }
    if (!MoveFileExA(temp.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
    {
        PXWriteLog(PXLOG_ERROR, "PXFileNew, cannot replace %s.\n", to.c_str());
        DeleteFileA(temp.c_str());
        return PXRC_APP_MISSING;
    }
    return PXRC_OK;
}

// An operation on an open application that needs the server: 48 when it is
// not open; otherwise the failed server call's 36.
int ServerOperation(PXFrameCall& call, const char* pszExport, int nCustID, int nAppID)
{
    if (!PXPlexwrightApp::findOpenApplication(nCustID, nAppID))
        return call.Direct(PXRC_NOT_OPEN);
    CLDAP::Instance()->LogNoConnection(pszExport);
    return PXRC_DIRECTORY_FAILED;
}

// The online part of the session start.
int InitOnline(int nCustID, const char* pszEncodedPassword, const char* pszSystemName,
               const char* pszServerAddress, const char* pszUserID, const char* pszContextID,
               const char* pszLocationID, int nSSLPort, int nSSLLevel)
{
    char szContext[32];
    PXMaskSecret(pszContextID, szContext, sizeof szContext);
    PXWriteLog(PXLOG_INFO, "PXPlexwrightApp::initPlexwright, CustID=%d, ServerIP=%s, UserID=%s, ContextID=%s.\n",
               nCustID, pszServerAddress, pszUserID ? pszUserID : "(null)", szContext);
    g_pxSession.nCustID = nCustID;
    g_pxSession.userID = pszUserID ? pszUserID : "";
    g_pxSession.lockingPC = "1.1.1.1";
    g_pxSession.encodedPassword = pszEncodedPassword ? pszEncodedPassword : "";
    g_pxSession.systemName = pszSystemName ? pszSystemName : "";
    g_pxSession.serverAddress = pszServerAddress;
    g_pxSession.locationID = pszLocationID ? pszLocationID : "";
    g_pxSession.nSSLPort = nSSLPort;
    g_pxSession.nSSLLevel = nSSLLevel;

    HRESULT hr = CLDAP::Instance()->Init(pszContextID, pszServerAddress, pszUserID, pszLocationID, "", "");
    if (FAILED(hr))
    {
        PXWriteLog(PXLOG_ERROR, "PXPlexwrightApp::initPlexwright, Failed init of LDAP server, hr=%lx.\n",
                   static_cast<unsigned long>(hr));
        return PXRC_SESSION_START_FAILED;
    }
    // The admin-service client is not part of this build: its start fails.
    PXWriteLog(PXLOG_ERROR, "PXPlexwrightApp::initPlexwright, Failed init of AOS server, rc=%d.\n", PXRC_FAILURE);
    return PXRC_SESSION_START_FAILED;
}

// A null out pointer from the caller: logged, 60.
int NullArgument(const char* pszExport)
{
    PXWriteLog(PXLOG_ERROR, "%s, null argument.\n", pszExport);
    return PXRC_FAILURE;
}

} // namespace

extern "C" {

// ---- Session ----------------------------------------------------------------

int __cdecl PXInitPlexwright(int /*nUnused1*/, int nCustID, int /*nFlagged*/, const char* pszEncodedPassword,
                             const char* pszSystemName, const char* pszServerAddress, int /*nUnused7*/,
                             const char* pszUserID, int nLogLevel, int nLogInterval, const char* pszContextID,
                             const char* pszLocationID, int nSSLPort, int nSSLLevel)
{
    PX_EXPORT_FRAME("PXInitPlexwright", PXF_M, {
        if (!pszServerAddress)
            g_pxLink.nOffline = 1;
        if (nLogLevel > 0)
            PXOpenLog(nLogLevel, nLogInterval);
        if (g_pxLink.nOffline)
            return PXRC_OK;
        return InitOnline(nCustID, pszEncodedPassword, pszSystemName, pszServerAddress, pszUserID,
                          pszContextID, pszLocationID, nSSLPort, nSSLLevel);
    });
}

int __cdecl PXTermPlexwright(void)
{
    PX_EXPORT_FRAME("PXTermPlexwright", PXF_M | PXF_O, {
        CLDAP::Release();
        return PXRC_OK;
    });
}

int __cdecl PXGetServerVersion(int, int, char* /*pszVersion*/)
{
    PX_EXPORT_FRAME("PXGetServerVersion", PXF_M | PXF_O, {
        CLDAP::Instance()->LogNoConnection("PXGetServerVersion");
        return PXRC_SESSION_START_FAILED;
    });
}

int __cdecl PXGetCustProf(int, short* /*pnMinPasswordLen*/)
{
    PX_EXPORT_FRAME("PXGetCustProf", PXF_M | PXF_O, {
        CLDAP::Instance()->LogNoConnection("PXGetCustProf");
        return PXRC_FAILURE;
    });
}

int __cdecl PXGetUnusedID(int* pnAppID)
{
    PX_EXPORT_FRAME("PXGetUnusedID", PXF_M, {
        if (!pnAppID)
            return NullArgument("PXGetUnusedID");
        if (g_pxLink.nOffline)
        {
            *pnAppID = 1000;
            return PXRC_OK;
        }
        PXWriteLog(PXLOG_DETAIL, "Cannot generate unused appID.\n");
        return PXRC_FAILURE;
    });
}

// ---- Lists ------------------------------------------------------------------

int __cdecl PXFilesToDisplay(PXAppListRow** ppRows, int nMode, int nCustID, int nAppID)
{
    PX_EXPORT_FRAME("PXFilesToDisplay", PXF_M | PXF_E, {
        if (!ppRows)
            return NullArgument("PXFilesToDisplay");
        return CLDAP::Instance()->RetrieveApplicationList(ppRows, nMode, nCustID, nAppID);
    });
}

int __cdecl PXFilesToPump(PXAppListRow** ppRows)
{
    PX_EXPORT_FRAME("PXFilesToPump", PXF_E, {
        if (!ppRows)
            return NullArgument("PXFilesToPump");
        return CLDAP::Instance()->RetrieveApplicationList(ppRows, PX_LIST_ALL, 1, 0);
    });
}

int __cdecl PXLanguagesToDisplay(PXLanguageRow** ppRows)
{
    PX_EXPORT_FRAME("PXLanguagesToDisplay", PXF_M | PXF_E, {
        if (!ppRows)
            return NullArgument("PXLanguagesToDisplay");
        return CLDAP::Instance()->RetrieveLanguageList(ppRows);
    });
}

int __cdecl PXResPermToDisplay(PXResPermRow** ppRows)
{
    PX_EXPORT_FRAME("PXResPermToDisplay", PXF_M | PXF_E, {
        if (!ppRows)
            return NullArgument("PXResPermToDisplay");
        return CLDAP::Instance()->RetrieveResPermList(ppRows);
    });
}

int __cdecl PXVolumeToDisplay(PXVolumeRow** ppRows)
{
    PX_EXPORT_FRAME("PXVolumeToDisplay", PXF_M | PXF_E, {
        if (!ppRows)
            return NullArgument("PXVolumeToDisplay");
        return CLDAP::Instance()->RetrieveVolumeList(ppRows);
    });
}

int __cdecl PXFreeAllocatedMemory(void* pRows)
{
    PX_EXPORT_FRAME("PXFreeAllocatedMemory", PXF_NONE, { return CLDAP::Instance()->FreeList(pRows); });
}

// ---- Applications -------------------------------------------------------------

int __cdecl PXFileNew(const PXFileRequest* pRequest, PXFileInfo* pInfo)
{
    PX_EXPORT_FRAME("PXFileNew", PXF_M | PXF_E | PXF_E72, {
        if (!pRequest || !pInfo)
            return NullArgument("PXFileNew");
        std::string name = RequestName(pRequest);
        if (g_pxLink.nOffline)
        {
            if (name.size() >= sizeof pRequest->appname || !IsPlainFileName(name))
            {
                PXWriteLog(PXLOG_ERROR, "PXFileNew, not a program file name: %.60s\n", name.c_str());
                return call.Direct(PXRC_APP_MISSING);
            }
            FillOfflineInfo(pRequest, pInfo);
            return call.Direct(CopyTemplate(name));
        }
        PXWriteLog(PXLOG_INFO, "PXPlexwrightApp::fileNew, custID=%d, appID=%d, appName=%s, VolumeID=%d.\n",
                   pRequest->customerid, pRequest->appprofid, name.c_str(), pRequest->volumeid);
        if (PXPlexwrightApp::findOpenApplication(pRequest->customerid, pRequest->appprofid))
            return PXRC_ALREADY_OPEN;
        CLDAP::Instance()->LogNoConnection("CLDAP::QueryApplicationExists (Id)");
        return PXRC_QUERY_FAILED;
    });
}

int __cdecl PXFileOpen(const PXFileRequest* pRequest, PXFileInfo* pInfo)
{
    PX_EXPORT_FRAME("PXFileOpen", PXF_M | PXF_E, {
        if (!pRequest || !pInfo)
            return NullArgument("PXFileOpen");
        if (g_pxLink.nOffline)
        {
            FillOfflineInfo(pRequest, pInfo);
            return PXRC_OK;
        }
        std::string name = RequestName(pRequest);
        PXWriteLog(PXLOG_INFO, "PXPlexwrightApp::fileOpen, custID=%d, appID=%d, appName=%s, VolumeID=%d.\n",
                   pRequest->customerid, pRequest->appprofid, name.c_str(), pRequest->volumeid);
        if (PXPlexwrightApp::findOpenApplication(pRequest->customerid, pRequest->appprofid))
            return PXRC_ALREADY_OPEN;
        CLDAP::Instance()->LogNoConnection("PXApplication::Open");
        return PXRC_DIRECTORY_FAILED;
    });
}

int __cdecl PXFileOpenOnRecovery(const PXRecoveryInfo* pRecovery)
{
    PX_EXPORT_FRAME("PXFileOpenOnRecovery", PXF_M | PXF_O, {
        if (!pRecovery)
            return NullArgument("PXFileOpenOnRecovery");
        // One twin per application: a second recovery of an open one would
        // leave two objects that one close cannot both end.
        if (PXPlexwrightApp::findOpenApplication(pRecovery->stored.profile.customerid,
                                                 pRecovery->stored.profile.appprofid))
            return PXRC_ALREADY_OPEN;
        return PXPlexwrightApp::fileOpenOnRecovery(pRecovery);
    });
}

int __cdecl PXFileClose(int nCustID, int nAppID)
{
    PX_EXPORT_FRAME("PXFileClose", PXF_M | PXF_O | PXF_E, {
        PXPlexwrightApp* pApp = PXPlexwrightApp::findOpenApplication(nCustID, nAppID);
        if (!pApp)
            return call.Direct(PXRC_NOT_OPEN);
        // Out of the list whatever the unlock answers.
        PXPlexwrightApp::removeOpenApplication(pApp);
        delete pApp;
        CLDAP::Instance()->LogNoConnection("PXApplication::Close");
        return PXRC_DIRECTORY_FAILED;
    });
}

int __cdecl PXFileProperties(PXAppProfileInfo* pProfile)
{
    PX_EXPORT_FRAME("PXFileProperties", PXF_M | PXF_O | PXF_E, {
        if (!pProfile)
            return NullArgument("PXFileProperties");
        int nResult = PXPlexwrightApp::setProperties(pProfile);
        return nResult == PXRC_NOT_OPEN ? call.Direct(nResult) : nResult;
    });
}

int __cdecl PXFileSave(int nCustID, int nAppID, int, int, PXFileInfo*)
{
    PX_EXPORT_FRAME("PXFileSave", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXFileSave", nCustID, nAppID); });
}

int __cdecl PXFileSaveAs(int nCustID, int nAppID, int, int, int, const char*, int, int, PXFileInfo*)
{
    PX_EXPORT_FRAME("PXFileSaveAs", PXF_M | PXF_O | PXF_E | PXF_E72,
                    { return ServerOperation(call, "PXFileSaveAs", nCustID, nAppID); });
}

int __cdecl PXFileDelete(int, int, const char*, int)
{
    PX_EXPORT_FRAME("PXFileDelete", PXF_M | PXF_O | PXF_E, {
        CLDAP::Instance()->LogNoConnection("CLDAP::QueryApplicationExists (Id)");
        return PXRC_QUERY_FAILED;
    });
}

// ---- Imported applications and restriction/permission lists ------------------

int __cdecl PXGetDataFromPW(const PXAppDataRequest* pRequest)
{
    PX_EXPORT_FRAME("PXGetDataFromPW", PXF_M | PXF_O, {
        if (!pRequest)
            return NullArgument("PXGetDataFromPW");
        return ServerOperation(call, "PXGetDataFromPW", pRequest->customerid, pRequest->appprofid);
    });
}

int __cdecl PXFileImport(const PXAppDataRequest* pRequest)
{
    PX_EXPORT_FRAME("PXFileImport", PXF_M | PXF_O | PXF_E, {
        if (!pRequest)
            return NullArgument("PXFileImport");
        return ServerOperation(call, "PXFileImport", pRequest->customerid, pRequest->appprofid);
    });
}

int __cdecl PXGetResPermDataFromPW(int nCustID, int nAppID, const PXResPermUseRow*)
{
    PX_EXPORT_FRAME("PXGetResPermDataFromPW", PXF_M | PXF_O,
                    { return ServerOperation(call, "PXGetResPermDataFromPW", nCustID, nAppID); });
}

int __cdecl PXResPermUsed(int nCustID, int nAppID, const PXAppDataRequest*)
{
    PX_EXPORT_FRAME("PXResPermUsed", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXResPermUsed", nCustID, nAppID); });
}

int __cdecl PXIsImported(int nCustID, int nAppID, int* /*pnImported*/)
{
    PX_EXPORT_FRAME("PXIsImported", PXF_NONE, {
        if (!PXPlexwrightApp::findOpenApplication(nCustID, nAppID))
            return PXRC_NOT_OPEN;
        CLDAP::Instance()->LogNoConnection("CLDAP::RetrieveInUseState (AppImp)");
        return PXRC_QUERY_FAILED;
    });
}

// ---- Voice and fax items -----------------------------------------------------

int __cdecl PXManipulateItem(int nCustID, int nAppID, int, const PXItemInfo*)
{
    PX_EXPORT_FRAME("PXManipulateItem", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXManipulateItem", nCustID, nAppID); });
}

int __cdecl PXRecordVoiceItem(int nCustID, int nAppID, const PXItemInfo*)
{
    PX_EXPORT_FRAME("PXRecordVoiceItem", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXRecordVoiceItem", nCustID, nAppID); });
}

int __cdecl PXImportVoiceItem(int nCustID, int nAppID, const PXItemInfo*, const char*)
{
    PX_EXPORT_FRAME("PXImportVoiceItem", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXImportVoiceItem", nCustID, nAppID); });
}

int __cdecl PXImportFaxItem(int nCustID, int nAppID, const PXItemInfo*, const char*)
{
    PX_EXPORT_FRAME("PXImportFaxItem", PXF_M | PXF_O | PXF_E,
                    { return ServerOperation(call, "PXImportFaxItem", nCustID, nAppID); });
}

int __cdecl PXCutCopyPasteItem(int, int nCustID, int nAppID, const PXItemInfo*, int nCustID2, int nAppID2,
                               const PXItemInfo*)
{
    PX_EXPORT_FRAME("PXCutCopyPasteItem", PXF_M | PXF_O | PXF_E, {
        if (!PXPlexwrightApp::findOpenApplication(nCustID2, nAppID2))
            return call.Direct(PXRC_NOT_OPEN);
        return ServerOperation(call, "PXCutCopyPasteItem", nCustID, nAppID);
    });
}

int __cdecl PXEncryptString(const char*, unsigned char*)
{
    PX_EXPORT_FRAME("PXEncryptString", PXF_M | PXF_O | PXF_E, {
        // The password encryption library is not part of this build.
        PXWriteLog(PXLOG_ERROR, "PXEncryptString, no password encryption.\n");
        return PXRC_ENCRYPTION_FAILED;
    });
}

// ---- Views and the about box ---------------------------------------------------

int __cdecl PXAttachView(void*)
{
    CLDAP::ClearErrors();
    return PXRC_OK;
}

int __cdecl PXDetachView(void*)
{
    CLDAP::ClearErrors();
    return PXRC_OK;
}

int __cdecl PXAboutDlg(void)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CLDAP::ClearErrors();
    return PXRC_OK;
}

} // extern "C"
