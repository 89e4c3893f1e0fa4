// The application controller: the program's fault reporter, the owner of
// the applications opened for editing, and the services that soft records
// and dialogs ask of the application (active application, field provider,
// attached view, item checks and the application extensions).
#ifndef PXWINAPP_H
#define PXWINAPP_H

#include "PXafx.h"
#include "PXSdoHost.h"

class PXSoftRec;
class PXServerRec;
class PXUserApp;
class PXFieldValue;
class PXCmdInterface;
class PXCommandHandler;
class PXEditorFrame;
class PXMainMenu;
class TConflictResolveObj;
class ClipboardHost;
struct TClipInfo;
struct PXItemInfo;
class PXServerRec;
class PXRecArray;

// The client-server library's session calls that the login and logout
// make, with the library's own signatures: the library's exports unless a
// test answers them. A call set to none answers 60.
struct PXLinkCalls
{
    int (*pfnInit)(int nUnused1, int nCustomerId, int nRunThrough, const char* pszPassword,
                   const char* pszSystemName, const char* pszServer, int nUnused7, const char* pszUserId,
                   int nLogLevel, int nLogInterval, const char* pszContextId, const char* pszLocationId,
                   int nSslPort, int nSslLevel);
    int (*pfnTerm)();
    int (*pfnGetServerVersion)(int nUnused1, int nUnused2, char* pszVersionOut);
};

// The fields of the launch argument list that the login reads, numbered
// as the login library writes them (field 0, the program's name, and the
// ignored fields are not kept).
struct PXLaunchArgs
{
    CString strLocation;     // 1
    CString strSystemName;   // 2
    CString strServer;       // 4
    long lServerPort;        // 5
    long lUnused6;           // 6
    CString strUserId;       // 8
    long lCustomerId;        // 10
    CString strPassword;     // 12
    CString strLocationId;   // 13
    CString strContextId;    // 14
    long lSslPort;           // 15
    long lSslLevel;          // 16
    long lUnused17;          // 17: the last field has no separator after it, so it reads 0
};

// The exit code of a process whose login failed.
#define PX_EXIT_LOGINFAILED 2

// Version texts: major, minor, build and letter flag.
struct PXVersion
{
    int nMajor;
    int nMinor;
    int nBuild;
    int nLetter;
};
PXVersion ParseVersionString(const char* pszText);
// 0 equal, 1 the first greater, 2 the first less.
int CompareVersionStrings(const char* pszFirst, const char* pszSecond);

// The server version text of the session (at most 33 characters; empty
// in standalone mode or when the query failed).
const char* PXGetServerVersionText();

// The file path of the program shown in the main frame's active page
// window, or null when there is none. The main frame supplies it.
typedef const char* (*PXCurrentProgramSource)();

// The controller is the soft-data layer's host: it registers itself with
// the layer for its lifetime, together with the application's typed records
// and domain controls.
class PXWinApp : public PXFaultHandlerObj, public PXSdoHost
{
public:
    explicit PXWinApp(HINSTANCE hInstance);
    ~PXWinApp() override;

    // "%1 - Plexwright" with the active application's name, else the base.
    void LoadCaption() override;

    HINSTANCE GetInstance() const override { return m_hInstance; }
    BOOL IsStandalone() const override { return m_bStandalone; }

    // The session: the launch argument list read, the client-server
    // library started (offline for an empty command line, which is
    // standalone mode), the server version asked for in server mode. A
    // failed start is reported (message 8115) and ends the process with
    // PX_EXIT_LOGINFAILED; the call then does not return.
    void Login(const char* pszCmdLine, int nLogLevel, int nLogInterval);
    // Ends the session; true when the library answered non-zero.
    bool Logout();
    // Reads the fields of a launch argument list.
    static void ReadLaunchArgs(const char* pszCmdLine, PXLaunchArgs& rArgs);
    // The location and the system's title (with the server version once
    // it is known).
    const char* GetLocation() const { return m_szLocation; }
    const char* GetServerTitle() const { return m_szServerTitle; }
    // Server mode and a server version from 1.06.04 on, or standalone.
    BOOL IsServerVersionSupported() const;

    // The library's session calls (answers the previous ones).
    static PXLinkCalls SetLinkCalls(const PXLinkCalls& calls);
    // How the process ends after a failed login (answers the previous
    // one); by default at once, without destructors.
    typedef void (*ExitCall)(int nCode);
    static ExitCall SetExitCall(ExitCall pfn);
    void SetStandalone(BOOL bStandalone) { m_bStandalone = bStandalone ? 1 : 0; }
    // A server session runs: from a login in server mode to the logout.
    // The server's lists are read only while one does.
    void SetServerSession(BOOL bSession) { m_bServerSession = bSession ? 1 : 0; }
    // The customer's minimum password length; 0 when the server does not
    // answer (always in standalone mode).
    short GetCustomerProfile() override;

    // The open applications.
    void AddUserApp(PXUserApp* pUserApp);
    void RemoveUserApp(PXUserApp* pUserApp);
    int GetUserAppCount() const { return m_pUserAppArray->GetSize(); }
    // Names are compared without regard to case, as the program files that
    // they name are.
    PXUserApp* FindUserAppByName(const char* pszName) const;
    PXUserApp* FindUserAppByID(long lId) const;
    // The application of the program in the active page window, or null.
    PXUserApp* GetActiveUserApp() const;
    static void SetCurrentProgramSource(PXCurrentProgramSource pfnSource);

    // The File menu's application commands (PXWinAppFile.cpp). Each answers
    // 0 done, -1 refused or cancelled before any server work, 1 failed
    // after the server was asked (already reported). Open takes a recent
    // entry ("name|ID|volume") or, without one, lets the user choose.
    int FileNew();
    int FileOpen(const char* pszRecentEntry = nullptr);
    int FileClose();
    int FileSave();
    // Save As answers 0 only when the application was saved under the new
    // name (which then enters the recent list).
    int FileSaveAs();
    int FileProperties();
    int FileImport();
    int FileRemoveImport();
    int FileExport();
    int FileUndoExport();
    int FileDelete();
    int FileLocks();
    // The application chooser: runs the dialog over a server record until
    // the choice is accepted (1) or the dialog is cancelled (0). With
    // bSeed the dialog starts with a free ID; bIdCheck and bNameCheck
    // validate the choice; the accepted choice goes to pTarget's ID, Name
    // and Volume ID, or (with pOut) to pOut's application list.
    int RunAppChooser(WORD wDialogId, WORD wHelpId, BOOL bSeed, BOOL bIdCheck, BOOL bNameCheck,
                      PXUserApp* pTarget, PXServerRec* pOut);
    // The record's application list gets one entry with a free ID.
    void FillUnusedID(PXServerRec* pServerRec);
    // 1 when the entry passes the checks asked for, else 0 (reported). An
    // ID of -1 is stored as 0.
    int ValidateChoice(BOOL bIdCheck, BOOL bNameCheck, PXSoftRec* pEntry);
    // The names of a typed text ("A" "B" or a plain name) added to the
    // array as plain application records; answers how many.
    static int ParseAppNames(const char* pszText, PXRecArray& rArray);

    // Auto-save and recovery at start (PXWinAppAutoSave.cpp). The tick of
    // timer 7 writes the active application's recovery copy when it is
    // modified and leaves it modified: -1 without an active application,
    // else 0. StopAutoSaveIfIdle kills the timer once no application is
    // open. AutoSaveOptions is the Options menu's command: the settings
    // edited in their dialog and written at once; 0. RecoverApplications
    // offers each program file left in the program directory for
    // reopening (server mode only); 0.
    int OnAutoSaveTimer();
    void StopAutoSaveIfIdle();
    int AutoSaveOptions();
    int RecoverApplications();

    // Command states: the one table, recomputed by UpdateCommandUI, which
    // then refreshes the main menu bar and the tool bar from it.
    static void UpdateCommandUI();
    void RefreshMainMenu();
    void RefreshToolBar();
    PXCommandHandler* GetCommandHandler() const { return m_pCommandHandler; }
    // The tool bar's presenter, published by the tool-bar strip that makes
    // it; none until then.
    static void SetToolBar(PXCmdInterface* pToolBar);
    static PXCmdInterface* GetToolBar();
    // The main frame's answers on the palette, full-screen mode and the
    // active page pane; none while there is no main frame.
    static void SetEditorFrame(PXEditorFrame* pFrame);
    static PXEditorFrame* GetEditorFrame();
    BOOL IsPaletteShown() const;
    BOOL IsFullScreen() const;

    // Points the handle at the record and field that a soft control with
    // this id shows; no record when the list's owner is not there.
    void GetFieldValue(WORD wControlId, PXFieldValue& rFieldValue) override;

    void AttachView(void* pView) override;
    void DetachView(void* pView) override;
    BOOL HasAttachedView() const override { return m_pAttachedView != nullptr; }

    // Opens the program's help file at a topic; context 0 opens its
    // contents.
    void ShowHelp(DWORD dwContext) override;
    // The way to the help program, WinHelp's own signature: tests answer
    // it instead of starting the help program. Answers the previous one.
    typedef BOOL (WINAPI* HelpCall)(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData);
    static HelpCall SetHelpCall(HelpCall pfn);

    // Item checks: the name must be unknown to the application model and
    // the ID free among the active application's items. Answer both flags.
    BOOL CheckVoiceItemNameID(const CString& rName, short sId, int& rNameOk, int& rIdOk);
    BOOL CheckFaxItemNameID(const CString& rName, short sId, int& rNameOk, int& rIdOk);
    BOOL CheckVoiceItem(PXSoftRec* pRec, int& rNameOk, int& rIdOk);
    BOOL CheckFaxItem(PXSoftRec* pRec, int& rNameOk, int& rIdOk);

    // An item joins or leaves the active application on the server; 0
    // done, -1 failed or no active application (reported).
    int AddVoiceItem(const CString& rName, short sId, const CString& rDescription);
    int DeleteVoiceItem(const CString& rName, short sId, const CString& rDescription);
    int AddFaxItem(const CString& rName, short sId, const CString& rDescription);
    int DeleteFaxItem(const CString& rName, short sId, const CString& rDescription);

    // Uses of the active application's items by blocks; an active
    // application must exist.
    void AddVoiceItemRef(short sId) override;
    void ReleaseVoiceItemRef(short sId) override;
    void AddFaxItemRef(short sId) override;
    void ReleaseFaxItemRef(short sId) override;

    // Uses of restriction/permission lists by blocks in the active
    // application, and the refreshes after a block's lists or language
    // changed; without an active application message 8010 (8012 for the
    // removal) and -1, else 0.
    int SelectImport(long lListId) override;
    int RemoveListEntry(long lListId) override;
    int RefreshResPermList() override;
    int RefreshImportList() override;

    // The server's lists. They come with a server session; without one
    // (standalone mode) the controller holds no server record, and the
    // lists are not known: the finds then answer -1, which says nothing
    // about a list's absence (HasServerLists tells).
    void FreeServerRecord() override;
    BOOL HasServerLists() override;
    // The cached server record: made on the first request with that kind
    // (the display mode of its application list) and kept, whatever kind
    // is asked later, until it is freed or reloaded. None without a
    // server session (standalone mode).
    PXServerRec* GetServerRecord(int nKind);
    // Lists 2305 to 2310: a new server record of the list's kind with the
    // server's applications (in standalone mode too: the client library
    // serves the local program files and its offline volumes, and the
    // application choosers show them); more applications from the pump
    // files, from the position that pData points at. 2314: nothing.
    void ReloadServerRecord(WORD wListId) override;
    void SetServerRecordParam(WORD wListId, void* pData) override;
    // The kind of server record that a list of the soft dialogs shows.
    static int ServerRecordKind(WORD wListId);
    int FindResPermList(long lListId) override;
    int FindLanguage(long lLanguageId) override;

    // The clipboard application: copies of the items and lists that copied
    // blocks use. A copy never changes the active application; the copies
    // are marked connected so that they touch neither the application
    // model nor the server. Each answers 0, or -1 when there is nothing to
    // copy (no active application, or no item with that number).
    int CopyVoiceItemsToClip(PXSoftRec* pItem, BOOL bResetInUse);
    int CopyFaxItemsToClip(PXSoftRec* pItem, BOOL bResetInUse);
    int CopyResPermToClip(PXSoftRec* pList);
    int CopyVoiceItemToClipByID(short sId) override;
    int CopyFaxItemToClipByID(short sId) override;
    int CopyResPermToClipByID(long lListId) override;
    // A new copy of blocks begins: the clipboard application and the marks
    // of what was copied are dropped, the blocks mark is set and the
    // command states refreshed. 0.
    int BeginClipCopy();
    BOOL IsClipEmpty() const { return !m_bClipBlocks; }
    BOOL IsClipVoiceEmpty() const { return !m_bClipVoice; }
    BOOL IsClipFaxEmpty() const { return !m_bClipFax; }
    BOOL IsClipResPermEmpty() const { return !m_bClipResPerm; }
    PXUserApp* GetClipUserApp() const { return m_pClipUserApp; }
    // Between applications (PXWinAppClipboard.cpp): the clipboard
    // application and every mark dropped, the clipboard program emptied; 0.
    int ClearClip();
    // The clipboard was filled from the active application: by name in
    // standalone mode, by ID with a server. False when no block, item or
    // import was copied, or there is no clipboard application.
    BOOL IsClipFromSameApp() const;
    // The clipboard application holds a voice item (kind 0) or fax item
    // (kind 3) of that number (when not 0) or else that name, or either
    // kind of that name (kind -1).
    BOOL FindClipItem(int nKind, long lNumber, const char* pszName) const;
    // The active application has a voice (fax) item of that number.
    BOOL VoiceItemIDExists(long lId) const;
    BOOL FaxItemIDExists(long lId) const;
    // The library ("name.ID") of a copied imported-application block joins
    // the clipboard application's imports: 0 added, -1 there already.
    int CopyImportToClip(const char* pszReference);
    // The clipboard's items pasted into the active application under the
    // names and numbers the resolver chose: -1 nothing of the kind was
    // copied, 0 done (or nothing to do), 1 the server refused (reported).
    int PasteVoiceItemsFromClip(TConflictResolveObj* pResolver);
    int PasteFaxItemsFromClip(TConflictResolveObj* pResolver);
    // -1 when no import (list) was copied, else 0.
    int PasteImportsFromClip();
    int PasteResPermFromClip();
    // The clipboard program's blocks use the new number in place of the old.
    void RenumberClipVoiceItem(short sOld, short sNew);
    void RenumberClipFaxItem(short sOld, short sNew);
    // What the clipboard program asks of the controller.
    static ClipboardHost* GetClipboardHost();
    // The server's copy of an item's media between applications, the
    // client library's own signature: PXCutCopyPasteItem unless a test
    // answers it. Asked with a server only. Answers the previous one.
    typedef int (__cdecl* ItemPasteCall)(int nOperation, int nCustID, int nAppID, const PXItemInfo* pItem,
                                          int nCustID2, int nAppID2, const PXItemInfo* pItem2);
    static ItemPasteCall SetItemPasteCall(ItemPasteCall pfn);
    // A new plain item record of the active application with the next free
    // number; the caller owns it.
    PXSoftRec* NewVoiceItem();
    PXSoftRec* NewFaxItem();

    // Application extensions 32000..32007 on the context record.
    int RecordVoiceItem(PXSoftRec* pContext) override;
    int ImportVoiceItem(PXSoftRec* pContext) override;
    int ImportFaxItem(PXSoftRec* pContext) override;
    int RecordFaxItemVoice(PXSoftRec* pContext) override;
    int ImportFaxItemVoice(PXSoftRec* pContext) override;
    int RecordSpokenName(PXSoftRec* pContext) override;
    int ImportSpokenName(PXSoftRec* pContext) override;
    int DeleteFaxItemVoice(PXSoftRec* pContext) override;

    HINSTANCE m_hInstance;

private:
    // Reports message nMsgId (cause, exclamation, OK).
    void ReportMessage(UINT nMsgId, DWORD dwCause, const char* pszFile, int nLine);
    // 0 when there is an active application; otherwise reports nNoAppMsgId
    // (the call that cannot be made without one) and answers -1.
    int CheckActiveUserApp(UINT nNoAppMsgId, const char* pszFile, int nLine);
    // The active application, which the caller's work needs.
    PXUserApp* NeedActiveUserApp() const;
    BOOL ItemIdInUse(WORD wListField, WORD wIdField, short sId) const;
    // An item operation of the active application on the server, framed by
    // the cursors and the command-state refresh: 0 done, -1 failed or no
    // active application (nNoAppMsgId).
    int ItemOnServer(UINT nNoAppMsgId, int (PXUserApp::*pfnOperation)(CString, int, CString), const CString& rName,
                     short sId, const CString& rDescription, const char* pszFile, int nLine);
    PXUserApp* ClipUserApp(PXUserApp* pActive);
    int CopyItemToClip(PXSoftRec* pItem, WORD wType, WORD wList, WORD wInUse, WORD wConnected,
                       BOOL bResetInUse);
    int CopyItemToClipByID(short sId, WORD wList, WORD wIdField, BOOL bFax);
    int PasteItemsFromClip(TConflictResolveObj* pResolver, BOOL bFax);
    void ResolvePastedItem(TConflictResolveObj* pResolver, PXSoftRec* pCopy, BOOL bFax, BOOL& rSkip,
                           BOOL& rReplace);
    void RenumberClipItem(short sOld, short sNew, BOOL bFax);
    // Opens an application of the Open command: Open's answer, or -1 after
    // a message when standalone mode has an application of that name open.
    int OpenChosen(PXUserApp* pApp);

    char m_szLocation[255];
    char m_szServerTitle[255];
    BYTE m_bStandalone;
    BYTE m_bClipBlocks;
    BYTE m_bClipVoice;
    BYTE m_bClipFax;
    BYTE m_bClipImports;
    BYTE m_bClipResPerm;
    void* m_pAttachedView;
    PXObArray* m_pUserAppArray;     // owned, with its elements
    PXUserApp* m_pClipUserApp;      // owned; none until something is copied
    PXCommandHandler* m_pCommandHandler;    // owned
    PXMainMenu* m_pMainMenu;        // owned, made on the first refresh; the menu bar is the frame's
    PXServerRec* m_pServerRec = nullptr;    // owned, cached; none until asked for
    BYTE m_bServerSession = 0;
};

// The active page pane edits a text note in place.
BOOL IsEditingTextNote();

// The system cursors IDC_WAIT, IDC_ARROW, IDC_CROSS and IDC_NO made
// current; each answers the cursor it replaced.
HCURSOR SetWaitCursor();
HCURSOR SetArrowCursor();
HCURSOR SetCrossCursor();
HCURSOR SetNoCursor();

// The module instance handle the controller was made with.
HINSTANCE GetAppInstance();
// The controller, once made; null before and after it.
PXWinApp* GetWinApp();

#endif
