/* plexlink.h: the client-server library plexlink.dll as its callers see it.
 *
 * Every function is a plain C function (cdecl, exported by its bare name)
 * that answers an int result code, 0 when done (PXRC_* below). No exception
 * leaves the library.
 *
 * Records are flat: little-endian 32-bit and 16-bit integers and
 * zero-terminated single-byte texts at fixed offsets. The caller owns every
 * record it passes in. The row arrays that the list functions hand out
 * (PXFilesToDisplay, PXFilesToPump, PXLanguagesToDisplay, PXResPermToDisplay,
 * PXVolumeToDisplay) are allocated zero-filled with one more row than they
 * carry, so the last row is all zero; they belong to the caller, who gives
 * each back to PXFreeAllocatedMemory. Row arrays that the caller passes in
 * (PXImportRow, PXResPermUseRow) stay the caller's: the library copies them.
 *
 * The layouts checked below are the 32-bit ones, where a pointer takes 4
 * bytes; records without pointers have the same layout for 64-bit Windows.
 */
#ifndef PLEXLINK_H
#define PLEXLINK_H

#include <stddef.h>
#include <time.h>

#ifdef PLEXLINK_BUILD
#define PLEXLINK_API
#else
#define PLEXLINK_API __declspec(dllimport)
#endif

#ifdef __cplusplus
#define PLEXLINK_STATIC_ASSERT(e, m) static_assert(e, m)
extern "C" {
#else
#define PLEXLINK_STATIC_ASSERT(e, m) _Static_assert(e, m)
#endif

/* ---- Result codes ------------------------------------------------------ */

enum PXResultCode
{
    PXRC_OK                          = 0,
    PXRC_SAVEAS_ONTO_MY_INCOMPLETE   = 5,   /* save as (incomplete) onto an application this user holds locked */
    PXRC_SAVEAS_ONTO_MY_COMPLETE     = 7,   /* save as (complete) onto an application this user holds locked */
    PXRC_NO_SUCH_APP                 = 16,  /* delete: no such application */
    PXRC_SAVEAS_LOCKED_BY_OTHER      = 20,  /* save as onto an application locked by another user */
    PXRC_UNDOEXPORT_INCOMPLETE_USED  = 22,  /* undo export (incomplete): imported or assigned */
    PXRC_UNDOEXPORT_COMPLETE_USED    = 23,  /* undo export (complete): imported */
    PXRC_DELETE_LOCKED               = 25,  /* delete refused: the application is locked */
    PXRC_DELETE_OPEN                 = 26,  /* delete refused: open in this session */
    PXRC_LOCKED_BY_OTHER             = 27,  /* open refused: locked by another user */
    PXRC_ALREADY_OPEN                = 28,  /* new or open: already open in this session */
    PXRC_LOCK_NOT_BROKEN             = 29,  /* open: the user kept this user's own old lock */
    PXRC_UNRECOGNISED                = 30,  /* save type, operation or item kind unknown; no state row fits */
    PXRC_SAVEAS_TARGET_OPEN          = 31,  /* save as onto an application open here; commit failed */
    PXRC_EXPORT_INCOMPLETE           = 32,  /* export of an incomplete application */
    PXRC_APP_MISSING                 = 33,  /* no application object after open or new; offline new: copy failed */
    PXRC_NO_MEMORY                   = 34,  /* out of memory while building a list */
    PXRC_STARTED_FLAGGED             = 35,  /* session started, the third argument of PXInitPlexwright was not 0 */
    PXRC_DIRECTORY_FAILED            = 36,  /* a directory search or update failed */
    PXRC_QUERY_FAILED                = 38,  /* existence, profile or in-use query failed */
    PXRC_SERVICE_DELETE_FAILED       = 42,
    PXRC_SERVICE_READ_FAILED         = 44,
    PXRC_SERVICE_UPDATE_FAILED       = 45,
    PXRC_NOT_OPEN                    = 48,  /* no open application with that customer and application id */
    PXRC_NO_PROGDIR                  = 49,  /* the program directory ("ProgDir") is not configured */
    PXRC_MEDIA_CONVERSION_FAILED     = 57,
    PXRC_ENCRYPTION_FAILED           = 58,
    PXRC_USER_SAID_NO                = 59,
    PXRC_FAILURE                     = 60,  /* general failure: exception, COM, admin service, relogin, row read */
    PXRC_SERVER_DISK_FULL            = 62,  /* directory error 60657 */
    PXRC_DATABASE_FULL               = 63,  /* directory error 60656 */
    PXRC_MISA_FULL                   = 64,  /* directory error 60658 */
    PXRC_NO_SERVICE_ENTRY            = 65,  /* handled inside the save */
    PXRC_TARGET_IMPORTED             = 67,
    PXRC_TARGET_ASSIGNED             = 68,
    PXRC_DELETE_IMPORTED             = 69,
    PXRC_DELETE_ASSIGNED             = 70,
    PXRC_UNSUPPORTED_MEDIA           = 71,
    PXRC_APP_LIMIT                   = 72,  /* directory error 3 on new or save as */
    PXRC_SESSION_START_FAILED        = 73,  /* session start failed; or reading the server version failed */
    PXRC_SAME_APP_EXISTS             = 101, /* name and id belong to the same existing application */
    PXRC_ID_TAKEN                    = 102,
    PXRC_NAME_TAKEN                  = 103,
    PXRC_IMPORTS_MISSING             = 104
};

/* Save types of PXFileSave. */
#define PX_SAVE_SAVE          11
#define PX_SAVE_EXPORT        12
#define PX_SAVE_UNDOEXPORT    13

/* Operations of PXManipulateItem. */
#define PX_ITEM_ADD           21
#define PX_ITEM_DELETE        23
#define PX_ITEM_RESETVOICE    25

/* Item kinds of PXItemInfo. */
#define PX_ITEMKIND_VOICE     14
#define PX_ITEMKIND_FAX       15

/* Display modes of PXFilesToDisplay. */
#define PX_LIST_ALL           1
#define PX_LIST_IMPORTABLE    4

/* ---- Records ----------------------------------------------------------- */

PLEXLINK_STATIC_ASSERT(sizeof(int) == 4 && sizeof(short) == 2, "32-bit int, 16-bit short");
PLEXLINK_STATIC_ASSERT(sizeof(struct tm) == 36, "broken-down time of nine 32-bit fields");

/* One application profile version as the server stores it (908 bytes). The
 * library never writes the bytes no field covers (the fill fields). */
typedef struct PXAppProfileInfo
{
    int customerid;
    int appprofid;
    int appvernum;                  /* 0xffff: none */
    int appmediatype;
    char appdescr[256];
    char appname[61];
    char fill333[3];
    int spokennamerecorded;
    char appspokenname[31];
    char verffaxnum[21];
    int verffaxnummodifiable;
    char verfcontactid[31];
    char fill427[1];
    int updatepsswdneeded;
    unsigned char updatepsswd[8];   /* as PXEncryptString left it */
    int mntadnthrudial;
    char expansiondigits[17];
    char fill461[3];
    int enforcedial;
    int importable;                 /* exported: other applications may import this version */
    int compiledok;                 /* complete */
    int comfprmtmodifiable;
    char lockingpc[31];
    char lockinguser[40];
    char fill551[1];
    struct tm lockingdatetime;      /* local time */
    int volumeid;
    int apppreviousvernum;          /* 0xffff: none */
    char runfilepath[101];
    char rllfilepath[101];
    char misafilepath[101];
    char fill899[1];
    int visible;
    int modnum;
} PXAppProfileInfo;

/* Input of PXFileOpen and PXFileNew (436 bytes). */
typedef struct PXFileRequest
{
    int customerid;                 /* the editor passes 1 */
    int appprofid;
    char appname[424];
    int volumeid;
} PXFileRequest;

/* Output of PXFileOpen, PXFileNew, PXFileSave and PXFileSaveAs (1016 bytes). */
typedef struct PXFileInfo
{
    PXAppProfileInfo profile;
    char newedfilepath[108];        /* where saves send the program file */
} PXFileInfo;

/* The first 1012 bytes of a PXFileInfo: the profile and the first 104
 * characters of the program file's server path, which need not end in a
 * zero (PXFileInfoCopyPath reads it safely). Programs bound to a server
 * application carry this copy. */
#define PX_COPY_PATH_LEN 104
typedef struct PXFileInfoCopy
{
    PXAppProfileInfo profile;
    char newedfilepath[PX_COPY_PATH_LEN];
} PXFileInfoCopy;

/* One imported application (12 bytes). */
typedef struct PXImportRow
{
    int customerid;
    int appprofid;
    int appvernum;
} PXImportRow;

/* One use of a restriction/permission list (20 bytes). */
typedef struct PXResPermUseRow
{
    int customerid;
    int appprofid;
    int appvernum;
    int rplid;
    int usecount;
} PXResPermUseRow;

/* Input of PXFileOpenOnRecovery (2044 bytes in 32-bit Windows). */
typedef struct PXRecoveryInfo
{
    PXFileInfoCopy stored;          /* becomes the stored profile and the program file path */
    PXFileInfoCopy edited;          /* its profile becomes the edited profile */
    int reserved;                   /* 0 */
    PXImportRow* pSavedImports;     /* imported applications as last saved */
    PXImportRow* pCurrentImports;   /* imported applications as currently edited */
    PXResPermUseRow* pSavedResPerm;   /* not read */
    PXResPermUseRow* pCurrentResPerm; /* not read */
} PXRecoveryInfo;

/* Input of PXGetDataFromPW, PXFileImport and PXResPermUsed (16 bytes in
 * 32-bit Windows). */
typedef struct PXAppDataRequest
{
    int customerid;
    int appprofid;
    PXImportRow* pImports;          /* current list; ends at a row with customer or application id 0 */
    PXResPermUseRow* pResPerms;     /* current list; ends likewise */
} PXAppDataRequest;

/* The editor's item record (136 bytes); the library reads the id and kind. */
typedef struct PXItemInfo
{
    unsigned short itemid;
    unsigned short itemkind;        /* PX_ITEMKIND_VOICE or PX_ITEMKIND_FAX */
    char itemname[31];
    char itemdescr[101];
} PXItemInfo;

/* Row of an application list (440 bytes). */
typedef struct PXAppListRow
{
    int customerid;                 /* 0 in the last row */
    int appprofid;                  /* 0 in the last row */
    char appname[61];
    char appdescr[256];
    char lockingpc[31];
    char lockinguser[40];
    struct tm lockingdatetime;      /* local time */
    int volumeid;
    int reserved;
} PXAppListRow;

/* Row of the language list (52 bytes). */
typedef struct PXLanguageRow
{
    int vpromptlangid;
    int locallangid;
    int customerid;                 /* 0 in the last row */
    char locallangname[31];
    char fill43[1];
    int reserved;
    int modnum;
} PXLanguageRow;

/* Row of the restriction/permission list (32 bytes). */
typedef struct PXResPermRow
{
    int rplid;                      /* 0 in the last row */
    char rplname[26];
    char fill30[2];
} PXResPermRow;

/* Row of the volume list (12 bytes). */
typedef struct PXVolumeRow
{
    int volumenum;                  /* 0 in the last row */
    char volumetext[8];             /* at most 4 characters, zero-filled */
} PXVolumeRow;

#define PLEXLINK_CHECK_FIELD(type, field, off) \
    PLEXLINK_STATIC_ASSERT(offsetof(type, field) == (off), #type "." #field " at " #off)

PLEXLINK_STATIC_ASSERT(sizeof(PXAppProfileInfo) == 908, "PXAppProfileInfo is 908 bytes");
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, customerid, 0);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appprofid, 4);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appvernum, 8);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appmediatype, 12);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appdescr, 16);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appname, 272);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, spokennamerecorded, 336);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, appspokenname, 340);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, verffaxnum, 371);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, verffaxnummodifiable, 392);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, verfcontactid, 396);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, updatepsswdneeded, 428);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, updatepsswd, 432);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, mntadnthrudial, 440);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, expansiondigits, 444);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, enforcedial, 464);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, importable, 468);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, compiledok, 472);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, comfprmtmodifiable, 476);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, lockingpc, 480);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, lockinguser, 511);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, lockingdatetime, 552);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, volumeid, 588);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, apppreviousvernum, 592);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, runfilepath, 596);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, rllfilepath, 697);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, misafilepath, 798);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, visible, 900);
PLEXLINK_CHECK_FIELD(PXAppProfileInfo, modnum, 904);

PLEXLINK_STATIC_ASSERT(sizeof(PXFileRequest) == 436, "PXFileRequest is 436 bytes");
PLEXLINK_CHECK_FIELD(PXFileRequest, customerid, 0);
PLEXLINK_CHECK_FIELD(PXFileRequest, appprofid, 4);
PLEXLINK_CHECK_FIELD(PXFileRequest, appname, 8);
PLEXLINK_CHECK_FIELD(PXFileRequest, volumeid, 432);

PLEXLINK_STATIC_ASSERT(sizeof(PXFileInfo) == 1016, "PXFileInfo is 1016 bytes");
PLEXLINK_CHECK_FIELD(PXFileInfo, profile, 0);
PLEXLINK_CHECK_FIELD(PXFileInfo, newedfilepath, 908);
PLEXLINK_STATIC_ASSERT(sizeof(PXFileInfoCopy) == 1012, "PXFileInfoCopy is 1012 bytes");
PLEXLINK_CHECK_FIELD(PXFileInfoCopy, newedfilepath, 908);

PLEXLINK_STATIC_ASSERT(sizeof(PXImportRow) == 12, "PXImportRow is 12 bytes");
PLEXLINK_STATIC_ASSERT(sizeof(PXResPermUseRow) == 20, "PXResPermUseRow is 20 bytes");
PLEXLINK_CHECK_FIELD(PXResPermUseRow, rplid, 12);
PLEXLINK_CHECK_FIELD(PXResPermUseRow, usecount, 16);

PLEXLINK_CHECK_FIELD(PXRecoveryInfo, stored, 0);
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, edited, 1012);
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, reserved, 2024);
PLEXLINK_CHECK_FIELD(PXAppDataRequest, pImports, 8);
#if defined(_WIN64)
/* Natural 64-bit layout: the pointers are 8 bytes on 8-byte boundaries. */
PLEXLINK_STATIC_ASSERT(sizeof(PXRecoveryInfo) == 2064, "PXRecoveryInfo in 64-bit Windows");
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, pSavedImports, 2032);
PLEXLINK_STATIC_ASSERT(sizeof(PXAppDataRequest) == 24, "PXAppDataRequest in 64-bit Windows");
PLEXLINK_CHECK_FIELD(PXAppDataRequest, pResPerms, 16);
#else
PLEXLINK_STATIC_ASSERT(sizeof(PXRecoveryInfo) == 2044, "PXRecoveryInfo is 2044 bytes");
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, pSavedImports, 2028);
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, pCurrentImports, 2032);
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, pSavedResPerm, 2036);
PLEXLINK_CHECK_FIELD(PXRecoveryInfo, pCurrentResPerm, 2040);
PLEXLINK_STATIC_ASSERT(sizeof(PXAppDataRequest) == 16, "PXAppDataRequest is 16 bytes");
PLEXLINK_CHECK_FIELD(PXAppDataRequest, pResPerms, 12);
#endif

PLEXLINK_STATIC_ASSERT(sizeof(PXItemInfo) == 136, "PXItemInfo is 136 bytes");
PLEXLINK_CHECK_FIELD(PXItemInfo, itemkind, 2);
PLEXLINK_CHECK_FIELD(PXItemInfo, itemname, 4);
PLEXLINK_CHECK_FIELD(PXItemInfo, itemdescr, 35);

PLEXLINK_STATIC_ASSERT(sizeof(PXAppListRow) == 440, "PXAppListRow is 440 bytes");
PLEXLINK_CHECK_FIELD(PXAppListRow, appprofid, 4);
PLEXLINK_CHECK_FIELD(PXAppListRow, appname, 8);
PLEXLINK_CHECK_FIELD(PXAppListRow, appdescr, 69);
PLEXLINK_CHECK_FIELD(PXAppListRow, lockingpc, 325);
PLEXLINK_CHECK_FIELD(PXAppListRow, lockinguser, 356);
PLEXLINK_CHECK_FIELD(PXAppListRow, lockingdatetime, 396);
PLEXLINK_CHECK_FIELD(PXAppListRow, volumeid, 432);
PLEXLINK_CHECK_FIELD(PXAppListRow, reserved, 436);

PLEXLINK_STATIC_ASSERT(sizeof(PXLanguageRow) == 52, "PXLanguageRow is 52 bytes");
PLEXLINK_CHECK_FIELD(PXLanguageRow, locallangid, 4);
PLEXLINK_CHECK_FIELD(PXLanguageRow, customerid, 8);
PLEXLINK_CHECK_FIELD(PXLanguageRow, locallangname, 12);
PLEXLINK_CHECK_FIELD(PXLanguageRow, reserved, 44);
PLEXLINK_CHECK_FIELD(PXLanguageRow, modnum, 48);

PLEXLINK_STATIC_ASSERT(sizeof(PXResPermRow) == 32, "PXResPermRow is 32 bytes");
PLEXLINK_CHECK_FIELD(PXResPermRow, rplname, 4);

PLEXLINK_STATIC_ASSERT(sizeof(PXVolumeRow) == 12, "PXVolumeRow is 12 bytes");
PLEXLINK_CHECK_FIELD(PXVolumeRow, volumetext, 4);

/* ---- Exported functions ------------------------------------------------ */

/* Session (start, end, session-wide values). A null server address starts
 * the offline mode, in which the library serves local program files only. */
PLEXLINK_API int __cdecl PXInitPlexwright(int nUnused1, int nCustID, int nFlagged,
                                          const char* pszEncodedPassword, const char* pszSystemName,
                                          const char* pszServerAddress, int nUnused7, const char* pszUserID,
                                          int nLogLevel, int nLogInterval, const char* pszContextID,
                                          const char* pszLocationID, int nSSLPort, int nSSLLevel);
PLEXLINK_API int __cdecl PXTermPlexwright(void);
PLEXLINK_API int __cdecl PXGetServerVersion(int nUnused1, int nUnused2, char* pszVersion);
PLEXLINK_API int __cdecl PXGetCustProf(int nUnused, short* pnMinPasswordLen);
PLEXLINK_API int __cdecl PXGetUnusedID(int* pnAppID);

/* Lists for display: each hands out a row array for PXFreeAllocatedMemory. */
PLEXLINK_API int __cdecl PXFilesToDisplay(PXAppListRow** ppRows, int nMode, int nCustID, int nAppID);
PLEXLINK_API int __cdecl PXFilesToPump(PXAppListRow** ppRows);
PLEXLINK_API int __cdecl PXLanguagesToDisplay(PXLanguageRow** ppRows);
PLEXLINK_API int __cdecl PXResPermToDisplay(PXResPermRow** ppRows);
PLEXLINK_API int __cdecl PXVolumeToDisplay(PXVolumeRow** ppRows);
PLEXLINK_API int __cdecl PXFreeAllocatedMemory(void* pRows);

/* Applications. */
PLEXLINK_API int __cdecl PXFileNew(const PXFileRequest* pRequest, PXFileInfo* pInfo);
PLEXLINK_API int __cdecl PXFileOpen(const PXFileRequest* pRequest, PXFileInfo* pInfo);
PLEXLINK_API int __cdecl PXFileOpenOnRecovery(const PXRecoveryInfo* pRecovery);
PLEXLINK_API int __cdecl PXFileClose(int nCustID, int nAppID);
PLEXLINK_API int __cdecl PXFileProperties(PXAppProfileInfo* pProfile);
PLEXLINK_API int __cdecl PXFileSave(int nCustID, int nAppID, int nComplete, int nSaveType, PXFileInfo* pInfo);
PLEXLINK_API int __cdecl PXFileSaveAs(int nCustID, int nAppID, int nComplete, int nNewCustID, int nNewAppID,
                                      const char* pszNewName, int nNewVolumeID, int nUnused, PXFileInfo* pInfo);
PLEXLINK_API int __cdecl PXFileDelete(int nCustID, int nAppID, const char* pszName, int nUnused);

/* Imported applications and restriction/permission lists. */
PLEXLINK_API int __cdecl PXGetDataFromPW(const PXAppDataRequest* pRequest);
PLEXLINK_API int __cdecl PXFileImport(const PXAppDataRequest* pRequest);
PLEXLINK_API int __cdecl PXGetResPermDataFromPW(int nCustID, int nAppID, const PXResPermUseRow* pRows);
PLEXLINK_API int __cdecl PXResPermUsed(int nCustID, int nAppID, const PXAppDataRequest* pRequest);
PLEXLINK_API int __cdecl PXIsImported(int nCustID, int nAppID, int* pnImported);

/* Voice and fax items. */
PLEXLINK_API int __cdecl PXManipulateItem(int nCustID, int nAppID, int nOperation, const PXItemInfo* pItem);
PLEXLINK_API int __cdecl PXRecordVoiceItem(int nCustID, int nAppID, const PXItemInfo* pItem);
PLEXLINK_API int __cdecl PXImportVoiceItem(int nCustID, int nAppID, const PXItemInfo* pItem,
                                           const char* pszWavPath);
PLEXLINK_API int __cdecl PXImportFaxItem(int nCustID, int nAppID, const PXItemInfo* pItem,
                                         const char* pszTiffPath);
PLEXLINK_API int __cdecl PXCutCopyPasteItem(int nOperation, int nCustID, int nAppID, const PXItemInfo* pItem,
                                            int nCustID2, int nAppID2, const PXItemInfo* pItem2);
PLEXLINK_API int __cdecl PXEncryptString(const char* pszPassword, unsigned char* pEncrypted8);

/* Views and the about box. */
PLEXLINK_API int __cdecl PXAttachView(void* pView);
PLEXLINK_API int __cdecl PXDetachView(void* pView);
PLEXLINK_API int __cdecl PXAboutDlg(void);

#ifdef __cplusplus
}
#endif

/* The program file path of a 1012-byte copy, made a zero-terminated text in
 * the caller's buffer of cbPath bytes: at most the 104 stored characters and
 * never more than cbPath - 1. Header-only, so that both sides read a copy
 * the same way. */
static inline void PXFileInfoCopyPath(const PXFileInfoCopy* pCopy, char* pszPath, size_t cbPath)
{
    size_t n = 0;
    if (cbPath == 0)
        return;
    while (n < PX_COPY_PATH_LEN && n + 1 < cbPath && pCopy->newedfilepath[n] != '\0')
    {
        pszPath[n] = pCopy->newedfilepath[n];
        ++n;
    }
    pszPath[n] = '\0';
}

#endif /* PLEXLINK_H */
