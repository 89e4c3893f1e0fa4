// One application of the server as the editor holds it: a soft record of
// type PXREC_USER_APP whose plain fields are the application's profile and whose
// list fields hold its voice items, fax items, imported applications and
// the restriction/permission lists its blocks use.
#ifndef PXUSERAPP_H
#define PXUSERAPP_H

#include "PXSoftRecMem.h"
#include "plexlink.h"
#include "plexmodel.h"

// The typed password that means "the stored password stays in force".
extern const char PXPASSWORD_PLACEHOLDER[];

class Page;
class PowerBlock;
class Program;

// Modes of PXUserApp::Open.
enum
{
    PXOPEN_EXISTING = 0,    // open an application of the server
    PXOPEN_NEW = 1,         // make a new one on the server
    PXOPEN_RECOVER = 2      // reopen from the program file a crash left behind
};

// Kinds of the selection in the active page pane.
enum
{
    PXSEL_NONE = 0,
    PXSEL_BLOCKS = 1,
    PXSEL_NOTES = 2,
    PXSEL_LINES = 3
};

class PXUserApp : public PXSoftRecDataLink
{
public:
    // An application named after the file name of the path (no folder, no
    // extension), with the default profile and empty lists.
    explicit PXUserApp(CString path);
    // A row of the server's application list: its customer, ID, name,
    // description, lock holder, lock time, volume and modification number;
    // the rest as a new application has it.
    explicit PXUserApp(const PXAppListRow* pRow);
    ~PXUserApp() override;

    void* GetFieldMem(WORD wFieldId) override;
    int StoreField(WORD wFieldId) override;
    // An application joins or leaves a list without work of its own.
    int Insert() override { return 1; }
    int Remove() override { return 1; }

    // Uses of an item by blocks: one more or one fewer for the item with
    // that ID; nothing when there is none.
    void ChangeVoiceItemRef(short sId, BOOL bUp);
    void ChangeFaxItemRef(short sId, BOOL bUp);
    void AddVoiceItemRef(short sId) { ChangeVoiceItemRef(sId, TRUE); }
    void ReleaseVoiceItemRef(short sId) { ChangeVoiceItemRef(sId, FALSE); }
    void AddFaxItemRef(short sId) { ChangeFaxItemRef(sId, TRUE); }
    void ReleaseFaxItemRef(short sId) { ChangeFaxItemRef(sId, FALSE); }

    // Uses of a restriction/permission list by blocks: one more (a new
    // entry "RP<id>" with count 1 when the list is not used yet) or one
    // fewer (the entry goes when its count falls below 2, or at once with
    // bRemoveAll). Ids below 1 change nothing; 0 done, 1 no such entry.
    int AddResPermRef(long lListId);
    int ReleaseResPermRef(long lListId, BOOL bRemoveAll);
    // Index of the list's entry among the used lists, or -1.
    int FindResPermItem(long lListId);

    // Item numbers: the lowest number (from 1) that no item of the list
    // has, 0 when no 16-bit number is free; and whether a list has a number.
    int NextItemID(WORD wIdField);
    int NextVoiceItemID() { return NextItemID(PXFIELD_VOICE_ITEM_ID); }
    int NextFaxItemID() { return NextItemID(PXFIELD_FAX_ITEM_ID); }
    BOOL HasVoiceItemID(short sId);
    BOOL HasFaxItemID(short sId);
    // A plain item record with the next free number; the caller owns it.
    // None, after a message, when no number is free.
    PXSoftRec* NewVoiceItemRecord();
    PXSoftRec* NewFaxItemRecord();

    BOOL IsExported();
    void SetExported(BOOL bExported);
    int GetImportCount() const;
    // The server's answer whether other applications import this one: 0
    // and *pnImported filled, or the library's code.
    int QueryImported(int* pnImported);

    // The bound program's modified flag and zoom; a program must be bound
    // (the zoom reads 100 without one).
    BOOL IsModified();
    void SetModified();
    void SetZoom(int nPercent);
    int GetZoom();

    // The profile and the client library's file information. Texts are
    // copied bounded by their members, and the bytes no field names are
    // zero. FillFileInfo answers 0, or the encryption's code when a new
    // password could not be encrypted (the stored password then goes in).
    void SetFromFileInfo(const PXFileInfo* pInfo);
    int FillFileInfo(PXFileInfo* pInfo);
    void FillFileRequest(PXFileRequest* pRequest);
    // The program's own copy of the file information (a program must be
    // bound): written from the fields, and the fields read back from it
    // (without a commit).
    void StoreInProgram();
    void LoadFromProgram();

    // The local program file: the program directory, the Name and ".ed".
    void GetEdFileName(CString& rOut);
    // Deletes every file of the program directory named strName (the Name
    // when empty), whatever its extension.
    void DeleteLocalFiles(CString strName);
    // Opens the local program file in a page window through the main frame
    // and starts the auto-save timer; 0 done, non-zero when it would not
    // open.
    // The program shown goes to *ppProgram when given.
    int OpenProgramFile(Program** ppProgram = nullptr);

    // ---- Saving and building (PXUserAppSave.cpp). The operations answer
    // 0 done and 1 failed (reported), unless said otherwise.
    enum
    {
        PXBUILD_DONE = 0,       // written, and built when asked and complete
        PXBUILD_NOTSAVED = 1,   // the program file was not written (the writer said why)
        PXBUILD_NOTBUILT = 2    // written, but the build failed (reported)
    };
    // Writes the application's own program, with the profile copy, to its
    // local file; with bFull and a complete program also the diagnostics,
    // the run-time files and, when exported, the RLL copy of them.
    int Build(int bFull);
    // The marker step and the local save; with bToServer also the save on
    // the server (complete only when complete and built).
    int Save(int bToServer);
    // Saves the application under the Name, ID and Volume ID of pTarget;
    // a refusal leaves it under its own.
    int SaveAs(PXUserApp* pTarget);
    // The local save only: the recovery copy of the auto-save.
    int SaveRecoveryCopy();
    // Export places the Continue block, undo export takes it away; a
    // refused one puts things back.
    int Export();
    int UndoExport();
    // The properties sent to the server, after the property sheet when
    // nMode is 1: 0 done, 1 failed, -1 cancelled in the sheet.
    int EditProperties(int nMode);

    // Opens the application (PXOPEN_*): 0 done; 1 failed (reported, or
    // silently for a kept lock and for a program file that would not
    // open); -1 already open in this workspace.
    int Open(int nMode);
    // Gives the application back to the server (deleting the local files
    // first unless standalone); 1 when the server refused.
    int Close();

    // The lists read from the application model: voice items (bFax 0) or
    // fax items, imported libraries, restriction/permission list symbols.
    void LoadItems(int bFax);
    void AddItemsFromSymbols(Symbol** ppSymbols, int nCount, int nKind);
    void LoadImports();
    void LoadResPermItems();
    // Index of the imported application with that ID, or -1.
    int FindImport(long lId);
    // Imports the application that the entry (a record of this type with
    // its Name and ID) names: 0 done, and the import list keeps the entry;
    // -1 refused (its own ID: reported; imported already: silently); 1 not
    // imported (the model or the server refused: reported there). On any
    // answer but 0 the entry stays the caller's.
    int AddImport(PXSoftRecMem* pEntry);
    // Removes the imported application with the entry's ID: 0 done (the
    // list's own entry deleted); -1 its library is still used by blocks
    // (reported); 1 the server refused (reported; the entry stays).
    int RemoveImport(PXSoftRec* pEntry);
    // The SetLanguage blocks checked against the server's languages: the
    // blocks naming one it lacks are listed in a message. The number of
    // blocks named; 0 while the server's lists are not known.
    int CheckLanguages();
    // The ThruDial blocks checked likewise against the server's
    // restriction/permission lists, the used lists cut to those the server
    // has, and the rows for the server built.
    void PrepareResPermRows();
    // The import list and the used restriction/permission lists told to
    // the server: mode 1 as the saved state, otherwise as edited. The
    // library's code (failures reported).
    int SendImports(int nMode);
    int SendResPerms(int nMode);
    void BuildImportRows();
    void FreeImportRows();
    void BuildResPermRows();
    void FreeResPermRows();
    const PXImportRow* GetImportRows() const { return m_pAppArray; }

    // The program of the application's file, bound when it is opened.
    void SetProgram(Program* pProgram) { m_pProgram = pProgram; }
    Program* GetProgram() const { return m_pProgram; }
    // Every page's blocks are finished; a program must be bound.
    BOOL IsComplete();
    // Warns about the program's loops and unreachable blocks as deep as the
    // program-diagnostics level asks; never stops a build: answers 1.
    int RunDiagnostics();
    // The selection of the active page pane, whichever application they
    // are asked on: the kind of its first object (PXSEL_*) and the number
    // of objects.
    int GetSelectionKind();
    int GetSelectionCount();
    const BYTE* GetStoredPassword() const { return m_abStoredPassword; }

private:
    // The application's program written through the main frame: 1 written.
    int SaveProgramFile();
    // A restored application's marker cleared on the server: 0 go on, 1
    // failed (reported).
    int ClearRestoredMarker();
    // After a good save on the server: its profile taken in (not in
    // standalone mode) and the program no longer modified.
    int FinishServerSave(const PXFileInfo& rInfo);
    // The Continue block of export: the page it goes on, a new one placed
    // (none when the model refused it), and one taken away (the block
    // given while the page still holds it, or any block of its name).
    // The blocks of the type whose list or language the server lacks,
    // named in message nMsgId; their number.
    int CheckServerBlocks(int nType, UINT nMsgId);
    Page* ContinueBlockPage();
    PowerBlock* AddContinueBlock();
    void RemoveContinueBlock(PowerBlock* pBlock);
    PXSoftRec* NewItemRecord(WORD wType, WORD wIdField);
    // Every field at the default of a new application named pszName.
    void SetDefaults(const char* pszName);
    void CreateLists();
    // The fields from a profile (as the file information and the
    // program's copy hold it); bFromServer says which rules apply.
    void SetFromProfile(const PXAppProfileInfo& rProfile, bool bFromServer);
    void FillProfile(PXAppProfileInfo& rProfile, bool bForServer);
    // Reports a failed open, new or close of the server by its code.
    int ReportOpenResult(int nResult, int nMode);
    // Drops the cells (they may view the lists), then deletes the lists
    // with their records.
    void DeleteLists();

    PXObArray* m_pVoiceItems;       // PXFIELD_USER_APP_VOICE_ITEMS, PXVoiceItem records
    PXObArray* m_pFaxItems;         // PXFIELD_USER_APP_FAX_ITEMS, PXFaxItem records
    PXObArray* m_pImports;          // PXFIELD_USER_APP_IMPORTS, imported applications
    PXObArray* m_pFunctions;        // PXFIELD_USER_APP_FUNCTIONS, kept empty
    PXObArray* m_pResPermItems;     // PXFIELD_USER_APP_USED_RES_PERM_LIST, PXResPermItem records
    BYTE m_abStoredPassword[8];
    Program* m_pProgram = nullptr;  // not owned
    PXImportRow* m_pAppArray = nullptr;         // between build and free only
    PXResPermUseRow* m_pResPermArray = nullptr; // between build and free only
};

BOOL IsValidAppID(long lId);
BOOL IsNonEmptyText(const CString& rText);
// The name under which the model knows an imported library: the name, a
// dot and the ID, cut to fewer than 32 characters. pszOut holds 32 bytes.
void MakeNameAndID(long lId, const char* pszName, char* pszOut);
// Copies the ".run" file beside a program file over its ".rll" file.
BOOL CopyRunToRll(const char* pszEdPath);

#endif
