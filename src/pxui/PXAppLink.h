// The client-server library's calls that the user applications and the
// server record make, with the library's own signatures. They are the
// library's exports unless a test answers them.
#ifndef PXAPPLINK_H
#define PXAPPLINK_H

#include "plexlink.h"

struct PXAppLinkCalls
{
    int (__cdecl* pfnFileNew)(const PXFileRequest* pRequest, PXFileInfo* pInfo);
    int (__cdecl* pfnFileOpen)(const PXFileRequest* pRequest, PXFileInfo* pInfo);
    int (__cdecl* pfnFileOpenOnRecovery)(const PXRecoveryInfo* pRecovery);
    int (__cdecl* pfnFileClose)(int nCustID, int nAppID);
    int (__cdecl* pfnEncryptString)(const char* pszPassword, unsigned char* pEncrypted8);
    int (__cdecl* pfnIsImported)(int nCustID, int nAppID, int* pnImported);
    int (__cdecl* pfnGetDataFromPW)(const PXAppDataRequest* pRequest);
    int (__cdecl* pfnFileImport)(const PXAppDataRequest* pRequest);
    int (__cdecl* pfnGetResPermDataFromPW)(int nCustID, int nAppID, const PXResPermUseRow* pRows);
    int (__cdecl* pfnResPermUsed)(int nCustID, int nAppID, const PXAppDataRequest* pRequest);
    int (__cdecl* pfnFilesToDisplay)(PXAppListRow** ppRows, int nMode, int nCustID, int nAppID);
    int (__cdecl* pfnFilesToPump)(PXAppListRow** ppRows);
    int (__cdecl* pfnLanguagesToDisplay)(PXLanguageRow** ppRows);
    int (__cdecl* pfnResPermToDisplay)(PXResPermRow** ppRows);
    int (__cdecl* pfnVolumeToDisplay)(PXVolumeRow** ppRows);
    int (__cdecl* pfnFreeAllocatedMemory)(void* pRows);
    int (__cdecl* pfnFileSave)(int nCustID, int nAppID, int nComplete, int nSaveType, PXFileInfo* pInfo);
    int (__cdecl* pfnFileSaveAs)(int nCustID, int nAppID, int nComplete, int nNewCustID, int nNewAppID,
                                 const char* pszNewName, int nNewVolumeID, int nModNum, PXFileInfo* pInfo);
    int (__cdecl* pfnFileProperties)(PXAppProfileInfo* pProfile);
    // The application commands': a free application ID, and the deletion
    // of an application.
    int (__cdecl* pfnGetUnusedID)(int* pnAppID);
    int (__cdecl* pfnFileDelete)(int nCustID, int nAppID, const char* pszName, int nModNumber);
};

// The calls in force.
const PXAppLinkCalls& PXAppLink();
// The library's own exports.
PXAppLinkCalls PXAppLinkExports();
// Makes these the calls in force; answers the previous ones.
PXAppLinkCalls PXSetAppLink(const PXAppLinkCalls& calls);

#endif
