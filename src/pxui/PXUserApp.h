// One application of the server as the editor holds it: a soft record of
// type PXREC_USER_APP whose plain fields are the application's profile and whose
// list fields hold its voice items, fax items, imported applications and
// the restriction/permission lists its blocks use.
#ifndef PXUSERAPP_H
#define PXUSERAPP_H

#include "PXSoftRecMem.h"

// The typed password that means "the stored password stays in force".
extern const char PXPASSWORD_PLACEHOLDER[];

class Program;

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
    PXSoftRec* NewItemRecord(WORD wType, WORD wIdField);
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
};

BOOL IsValidAppID(long lId);
BOOL IsNonEmptyText(const CString& rText);

#endif
