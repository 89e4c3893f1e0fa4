/* plexmodel: the application-model library behind the editor.
 *
 * The model keeps, per program, its pages, its blocks with their variables
 * and connections, and its symbol table (pages, blocks, voice and fax items,
 * restriction/permission lists). The editor mirrors each model object and
 * reaches it through the kvr functions below on kvrHandleType handles.
 * A handle of 0 means none or failure; a handle that no longer names a live
 * object is refused like 0.
 *
 * Calls that take no handle act on the current program and page
 * (kvrActivateProgram, kvrActivatePage; kvrAddProgram makes the new
 * program current).
 *
 * Every function catches everything at its edge: no C++ exception leaves
 * the library. Memory that the caller releases with free() comes from the
 * C runtime's malloc, which all modules of the program share.
 */
#ifndef PLEXMODEL_H
#define PLEXMODEL_H

#include <windows.h>
#include <stddef.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#define KVR_STATIC_ASSERT(e, m) static_assert(e, m)
#else
#define KVR_STATIC_ASSERT(e, m) _Static_assert(e, m)
#endif

/* Opaque handle of a program, page or block. */
typedef struct kvrHandleType kvrHandleType;

/* ---- Records exchanged with the editor (packed, byte by byte) ---------- */

#define KVR_MAX_OUTPUTS 40

/* Output entry flags. */
#define KVR_OUTPUT_GROUP     0x01 /* stands for its whole group when collapsed */
#define KVR_OUTPUT_NEVERSHOWN 0x02

#pragma pack(push, 1)

/* One output of a block type or block (7 bytes). */
typedef struct PBOutputEntry
{
    const char* name;       /* 0 */
    unsigned char flags;    /* 4: KVR_OUTPUT_* */
    unsigned char number;   /* 5: from 1; its bit in the visibility sets */
    unsigned char groupKey; /* 6: 0 when the output belongs to no group */
} PBOutputEntry;

/* Description of a block type or block (295 bytes). */
typedef struct PowerBlockInfo
{
    const char* name;        /* 0: type name; custom or library name */
    const char* description; /* 4: kept by the palette icon */
    const char* bitmapName;  /* 8 */
    unsigned char numOutputs; /* 12: at most KVR_MAX_OUTPUTS */
    short type;              /* 13 */
    PBOutputEntry outputs[KVR_MAX_OUTPUTS]; /* 15 */
} PowerBlockInfo;

/* A palette group: its block types follow as PowerBlockInfo records,
 * ended by one whose name is 0. */
typedef struct IconGroupEntry
{
    const char* name;        /* 0 */
    const char* code;        /* 4: short code */
    const char* description; /* 8 */
    const char* bitmapName;  /* 12 */
    unsigned char hidden;    /* 16: non-zero keeps the group out of palettes */
    PowerBlockInfo blocks[1]; /* 17: first of the group's records */
} IconGroupEntry;

/* The palette table: pointers to group entries, ended by a null pointer. */
#define KVR_MAX_ICON_GROUPS 31
typedef struct IconInfoTable
{
    IconGroupEntry* groups[KVR_MAX_ICON_GROUPS + 1];
} IconInfoTable;

/* A symbol of the model. The model owns it from kvrAddSymbol until
 * kvrDeleteSymbol (or the removal of its program); the editor reads and
 * writes the members from Name on directly. */
#define KVR_SYMBOL_NAME_SIZE 42
typedef struct Symbol
{
    short Type;        /* 0: KVR_SYM_* */
    short Scope;       /* 2 */
    short Defined;     /* 4 */
    unsigned long Serial; /* 6: the model's own number of the symbol */
    char Name[KVR_SYMBOL_NAME_SIZE]; /* 10: zero-ended */
    short RefCnt;      /* 52: uses by blocks */
    long ExclFlags;    /* 54: either exclusion flag keeps the symbol out */
    short ExclFlags2;  /* 58:   of the editor's item lists */
    void* Variable;    /* 60: item data block (kvrItemData, kvrListData) */
    short ItemNumber;  /* 64: item ID or list id */
} Symbol;

/* Item data block of a voice or fax item (146 bytes, allocated by the
 * editor with malloc and zero-filled). */
typedef struct kvrItemData
{
    char reserved[132];            /* 0 */
    struct kvrItemData* confirm;   /* 132: fax confirmation block or 0 */
    long zero;                     /* 136 */
    char* description;             /* 140: malloc'd text or 0 */
    short mediaKind;               /* 144: 0 voice, 3 fax */
} kvrItemData;

/* Data block of a restriction/permission list symbol (8 bytes). */
typedef struct kvrListData
{
    long listId;
    long useCount;
} kvrListData;

/* What kinds 1 and 8 of the change reports point to. */
typedef struct kvrBlockNotify
{
    kvrHandleType* program;
    kvrHandleType* block;
} kvrBlockNotify;

#pragma pack(pop)

/* The layouts the editor was written against are those of the 32-bit
 * program; the 64-bit build asserts its own. */
#if !defined(_WIN64)
KVR_STATIC_ASSERT(sizeof(PBOutputEntry) == 7, "PBOutputEntry is 7 bytes");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, name) == 0, "output name at 0");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, flags) == 4, "output flags at 4");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, number) == 5, "output number at 5");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, groupKey) == 6, "group key at 6");

KVR_STATIC_ASSERT(sizeof(PowerBlockInfo) == 295, "PowerBlockInfo is 295 bytes");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, name) == 0, "name at 0");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, description) == 4, "value at 4");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, bitmapName) == 8, "bitmap at 8");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, numOutputs) == 12, "count at 12");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, type) == 13, "type at 13");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, outputs) == 15, "outputs at 15");

KVR_STATIC_ASSERT(offsetof(IconGroupEntry, name) == 0, "group name at 0");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, code) == 4, "code at 4");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, description) == 8, "text at 8");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, bitmapName) == 12, "bitmap at 12");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, hidden) == 16, "hidden at 16");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, blocks) == 17, "blocks at 17");
KVR_STATIC_ASSERT(sizeof(IconGroupEntry) == 17 + 295, "one record inline");

KVR_STATIC_ASSERT(offsetof(Symbol, Name) == 10, "symbol name at 10");
KVR_STATIC_ASSERT(offsetof(Symbol, RefCnt) == 52, "RefCnt at 52");
KVR_STATIC_ASSERT(offsetof(Symbol, ExclFlags) == 54, "exclusion at 54");
KVR_STATIC_ASSERT(offsetof(Symbol, ExclFlags2) == 58, "exclusion at 58");
KVR_STATIC_ASSERT(offsetof(Symbol, Variable) == 60, "Variable at 60");
KVR_STATIC_ASSERT(offsetof(Symbol, ItemNumber) == 64, "item number at 64");
KVR_STATIC_ASSERT(sizeof(Symbol) == 66, "Symbol is 66 bytes");

KVR_STATIC_ASSERT(offsetof(kvrItemData, confirm) == 132, "confirm at 132");
KVR_STATIC_ASSERT(offsetof(kvrItemData, zero) == 136, "zero at 136");
KVR_STATIC_ASSERT(offsetof(kvrItemData, description) == 140, "text at 140");
KVR_STATIC_ASSERT(offsetof(kvrItemData, mediaKind) == 144, "media at 144");
KVR_STATIC_ASSERT(sizeof(kvrItemData) == 146, "item data is 146 bytes");
#else
/* The 64-bit build: the same fields, packed alike, with 8-byte pointers
 * (long stays 4 bytes). */
KVR_STATIC_ASSERT(sizeof(PBOutputEntry) == 11, "PBOutputEntry is 11 bytes");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, name) == 0, "output name at 0");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, flags) == 8, "output flags at 8");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, number) == 9, "output number at 9");
KVR_STATIC_ASSERT(offsetof(PBOutputEntry, groupKey) == 10, "group key at 10");

KVR_STATIC_ASSERT(sizeof(PowerBlockInfo) == 467, "PowerBlockInfo is 467 bytes");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, name) == 0, "name at 0");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, description) == 8, "value at 8");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, bitmapName) == 16, "bitmap at 16");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, numOutputs) == 24, "count at 24");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, type) == 25, "type at 25");
KVR_STATIC_ASSERT(offsetof(PowerBlockInfo, outputs) == 27, "outputs at 27");

KVR_STATIC_ASSERT(offsetof(IconGroupEntry, name) == 0, "group name at 0");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, code) == 8, "code at 8");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, description) == 16, "text at 16");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, bitmapName) == 24, "bitmap at 24");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, hidden) == 32, "hidden at 32");
KVR_STATIC_ASSERT(offsetof(IconGroupEntry, blocks) == 33, "blocks at 33");
KVR_STATIC_ASSERT(sizeof(IconGroupEntry) == 33 + 467, "one record inline");

KVR_STATIC_ASSERT(offsetof(Symbol, Name) == 10, "symbol name at 10");
KVR_STATIC_ASSERT(offsetof(Symbol, RefCnt) == 52, "RefCnt at 52");
KVR_STATIC_ASSERT(offsetof(Symbol, ExclFlags) == 54, "exclusion at 54");
KVR_STATIC_ASSERT(offsetof(Symbol, ExclFlags2) == 58, "exclusion at 58");
KVR_STATIC_ASSERT(offsetof(Symbol, Variable) == 60, "Variable at 60");
KVR_STATIC_ASSERT(offsetof(Symbol, ItemNumber) == 68, "item number at 68");
KVR_STATIC_ASSERT(sizeof(Symbol) == 70, "Symbol is 70 bytes");

KVR_STATIC_ASSERT(offsetof(kvrItemData, confirm) == 132, "confirm at 132");
KVR_STATIC_ASSERT(offsetof(kvrItemData, zero) == 140, "zero at 140");
KVR_STATIC_ASSERT(offsetof(kvrItemData, description) == 144, "text at 144");
KVR_STATIC_ASSERT(offsetof(kvrItemData, mediaKind) == 152, "media at 152");
KVR_STATIC_ASSERT(sizeof(kvrItemData) == 154, "item data is 154 bytes");
#endif
KVR_STATIC_ASSERT(sizeof(kvrListData) == 8, "list data is 8 bytes");

/* ---- Codes ----------------------------------------------------------- */

/* Symbol types. Block variables answer their kind of value through
 * kvrSDOGetSymbolType with the same codes. */
#define KVR_SYM_POWERBLOCK 1
#define KVR_SYM_PAGE       2
#define KVR_SYM_NUMBER     10 /* a number or a choice */
#define KVR_SYM_TEXT       11
#define KVR_SYM_TIME       12
#define KVR_SYM_DATE       13
#define KVR_SYM_RESPERM    21 /* a restriction/permission list */
#define KVR_SYM_ITEM       35 /* a voice or fax item */

/* How a block variable lies in its storage (the soft-data codes). */
#define KVR_MEM_CHAR  0x8020 /* malloc'd zero-ended text */
#define KVR_MEM_INT32 0x8080
#define KVR_MEM_INT16 0x8100
#define KVR_MEM_BOOL  0x8200 /* 32 bits */

/* Flags of kvrSDOIsOutputOptionalApplicable. */
#define KVR_OUT_CONNECTED  0x0001 /* the output has a connection */
#define KVR_OUT_OPTIONAL   0x0010 /* the output may stay unconnected */
#define KVR_OUT_APPLICABLE 0x1000 /* the output applies with the block's settings */

/* Block types with a meaning of their own to the model. */
#define KVR_PB_CUSTOM     (-100)
#define KVR_PB_SUPERCALL  (-101)
#define KVR_PB_BEGIN      142
#define KVR_PB_EXIT       181
#define KVR_PB_OBSOLETE   289
#define KVR_PB_END        396
#define KVR_PB_CONTINUE   401
#define KVR_PB_ROTARY     408
#define KVR_PB_IMPORTED   409

/* Page kinds of kvrCreatePage. */
#define KVR_PAGE_NORMAL       1 /* the main page or a SuperBlock */
#define KVR_PAGE_VERIFICATION 2

/* Change reports: sent to the program's main window with the message set
 * by kvrSetNotificationMessage, wParam the kind and lParam as given. */
#define KVR_NOTIFY_BLOCKCHANGED 1 /* lParam: kvrBlockNotify* */
#define KVR_NOTIFY_BUSY         3 /* lParam 0: long work starts */
#define KVR_NOTIFY_IDLE         4 /* lParam 0: long work ends */
#define KVR_NOTIFY_STATUS       5 /* lParam: const char* status text */
#define KVR_NOTIFY_BLOCKREDRAW  8 /* lParam: kvrBlockNotify* */

/* Results of the functions that answer 0 when done. */
#define KVR_OK           0
#define KVR_ERR_HANDLE   1  /* no live object of the right kind */
#define KVR_ERR_NAME     2  /* empty, too long or holding '$' */
#define KVR_ERR_INUSE    3  /* the name is taken */
#define KVR_ERR_ARGUMENT 4
#define KVR_ERR_NOTEMPTY 5  /* reading into a program that has content */
#define KVR_ERR_FORMAT   6  /* a line of the model's part does not parse */
#define KVR_ERR_IO       7  /* the file could not be read or written */
#define KVR_ERR_INTERNAL 60 /* anything unexpected inside the model */

/* Longest block name. */
#define KVR_MAX_BLOCK_NAME 30

/* Prompt modes of the file part. */
#define KVR_PROMPT_ASK      0 /* the model cannot ask: a bad line stops */
#define KVR_PROMPT_CONTINUE 1 /* a bad line is logged and skipped */
#define KVR_PROMPT_STOP     3

/* ---- Programs and pages ---------------------------------------------- */

kvrHandleType* kvrAddProgram(HWND hMainWnd, int bClipboard);
int kvrRemoveProgram(kvrHandleType* hProgram);
int kvrActivateProgram(kvrHandleType* hProgram);
int kvrActivatePage(kvrHandleType* hPage);

/* Makes a page in the current program. The first page of a program is
 * its main page, whose blocks the model knows by their plain names; on
 * every other page a block is known as "page$block". */
kvrHandleType* kvrCreatePage(const char* pszName, int nKind, int nFlag);
int kvrRemovePage(kvrHandleType* hPage, int nFlag);
kvrHandleType* kvrFindPage(const char* pszName);

/* The Export flag of a SuperBlock page of the program, by name: 1 when
 * other programs may call it, 0 otherwise (and for any other page). */
int kvrGetPageType(kvrHandleType* hProgram, const char* pszPage);
/* 0 done; refused for a page that is no SuperBlock. */
int kvrSetPageType(kvrHandleType* hProgram, const char* pszPage, int bExport);
/* 1 when a SuperBlock call of the page's program calls the page. */
int kvrPageInUse(kvrHandleType* hPage);
/* Gives a page that is not the main page a new name; the page's blocks
 * take it into their model names and the calls of the page call it by
 * the new name. 0 done, KVR_ERR_NAME for a name that is empty, too long
 * or holding '$', KVR_ERR_INUSE for a name the program uses. */
int kvrRenamePage(kvrHandleType* hPage, const char* pszNewName, int nKind,
                  int nFlag);
/* Up to nMax page names of the current program, in its page order, into
 * ppNames (the texts are the model's, valid until its pages change);
 * answers how many pages the program has. */
int kvrGetAllPageNames(const char** ppNames, int nMax);

/* ---- Blocks and connections ------------------------------------------ */

/* Makes a block on the current page; the custom type names the library of
 * an imported-application block (409) and the page a SuperBlock call
 * (-101) calls, which must be a page of the program. *pRetry is the
 * caller's: it is left
 * as it is when the name must be asked again (empty, too long, holding
 * '$' or already in use) and set to 0 otherwise. */
kvrHandleType* kvrCreatePowerBlock(int nType, const char* pszName,
                                   int* pRetry, const char* pszCustomType);
int kvrDeletePowerBlock(kvrHandleType* hBlock, int nFlag);
/* 0 done; otherwise refused, and *pDetail is 1 when another name may be
 * tried. */
int kvrRenamePowerBlock(kvrHandleType* hBlock, const char* pszNewName,
                        int* pDetail);
/* bQualified: the name is the model's name ("page$block" off the main
 * page); 0: a plain block name on the current page. bClipboard: search the
 * model's clipboard instead of the current program. */
kvrHandleType* kvrFindPowerBlock(const char* pszName, int bQualified,
                                 int bClipboard);
int kvrIsNameInUse(const char* pszName);

/* Connections: nIndex counts the block's outputs that are not group
 * outputs. 0 done, non-zero refused. */
int kvrCreateGoto(kvrHandleType* hBlock, kvrHandleType* hTarget, int nIndex);
int kvrDeleteGoto(kvrHandleType* hBlock, const char* pszOutput);
kvrHandleType* kvrGetGotoConnection(kvrHandleType* hBlock, int nIndex);

/* 1 when every output that applies is connected or optional, as the
 * editor last set it with kvrSDOSetIconFinished; a block marked obsolete
 * is never finished. */
int kvrIsPowerBlockFinished(kvrHandleType* hBlock);

/* ---- Block queries ----------------------------------------------------- */

/* The number of blocks of the current program. */
int kvrGetNumPBs(void);
/* Up to nMax block handles of the current program, page by page in the
 * order made; answers how many were stored. */
int kvrGetAllPBSymbols(kvrHandleType** ppBlocks, int nMax);
/* kvrIsPowerBlockFinished. */
int kvrIsPBComplete(kvrHandleType* hBlock);
/* The page a SuperBlock call calls; 0 for any other block. */
const char* kvrGetSBName(kvrHandleType* hBlock);
/* The block's type, -1 for no block. */
int kvrGetPBType(kvrHandleType* hBlock);
/* 1 when a text setting of the block (a voice sentence setting) names
 * the variable (sentence), compared without regard to case. */
int kvrIsPBUseVariable(kvrHandleType* hBlock, const char* pszVariable);
int kvrIsPBUseVSentence(kvrHandleType* hBlock, const char* pszSentence);
/* 1 when the block lies on the named page; without a name, on the main
 * page. */
int kvrIsPBInPage(kvrHandleType* hBlock, const char* pszPage);
/* The model's name of a block ("page$block" off the main page), page or
 * item (a handle of kvrPickVoiceSentence); 0 for no such object. */
const char* kvrGetSymbolName(kvrHandleType* hObject);

/* ---- Pickers of the Find dialog --------------------------------------- */

/* A variable the program's blocks use: a name held by a text setting of a
 * block that is not a voice or fax item setting (what kvrIsPBUseVariable
 * compares), with the kind of that setting (KVR_SYM_*). */
typedef struct kvrVariableInfo
{
    char Name[KVR_SYMBOL_NAME_SIZE];
    short Type;
} kvrVariableInfo;

/* The model's dialog, owned by hOwner, lists the variables of the current
 * program by name with pszName (when given) chosen; the three numbers are
 * kept for the callers that pass -1. Answers the handle of the variable
 * chosen, 0 on Cancel, without a choice or without a program. The handle
 * names the variable until the next call or the program's removal. */
kvrHandleType* kvrSelectVariable(const char* pszName, int nUnused1,
                                 int nUnused2, int nUnused3, HWND hOwner);
/* The variable of a handle of kvrSelectVariable; 0 for any other. */
const kvrVariableInfo* kvrGetVariableInfo(kvrHandleType* hVariable);
/* The model's dialog, owned by hOwner, lists the voice items of the
 * current program (items with an exclusion flag left out) with pszName
 * (when given) chosen. Answers the item's handle, whose name
 * kvrGetSymbolName gives, or 0 on Cancel, without a choice or without a
 * program. */
kvrHandleType* kvrPickVoiceSentence(HWND hOwner, const char* pszName);

/* ---- Checks of a loaded program --------------------------------------- */

/* Marks a block whose type the server no longer runs: it shows as
 * obsolete and kvrIsPowerBlockFinished answers 0 for it from now on.
 * 0 done. */
int kvrTurnObsoletePBPink(kvrHandleType* hBlock);
/* 1 when the block's description (kvrGetPowerBlockInfo) is its type's
 * own, 0 when it differs (an imported-application block names its
 * library) and the editor must take the block's. 1 also when the handle
 * names no live block: there is nothing to take. */
int kvrUsesDefaultPowerBlockInfo(kvrHandleType* hBlock);
/* Checks a block's connection entries: one per output that is not a
 * group output, each leading nowhere or to a live block of its page.
 * Entries that do not hold are dropped and the block is reported changed
 * (KVR_NOTIFY_BLOCKCHANGED). 0 when all held, KVR_ERR_FORMAT when some
 * were dropped. */
int kvrVerifyPBEntries(kvrHandleType* hBlock);

/* ---- Block types and the palette ------------------------------------ */

/* With a block handle and a record: fills the record with the block's
 * description and returns it. With a program handle: the next description
 * of a program read from an old file; this model reads no old files, so
 * there is none. */
PowerBlockInfo* kvrGetPowerBlockInfo(kvrHandleType* hObject,
                                     PowerBlockInfo* pInfo);
/* Kind 0 current blocks, 1 obsolete blocks; blocks that need a newer
 * server are left out of kind 0 when bServerVersionSupported is 0.
 * Answers the number of groups. */
int kvrGetPowerBlockList(IconInfoTable* pTable, int nKind,
                         int bServerVersionSupported);
int kvrMaxPowerBlockType(void);
/* The product's name as the editor shows it in its titles. */
const char* kvrGetProductName(void);
const char* kvrGetPowerBlockName(int nType);

/* ---- Block variables ------------------------------------------------- */

int kvrSDOGetSymbolOffset(int nType, const char* pszSymbol);
int kvrSDOGetSymbolType(int nType, const char* pszSymbol);
/* Bytes of storage of a variable: for KVR_MEM_CHAR the text with its
 * terminator must fit. */
int kvrSDOGetSymbolSize(int nType, const char* pszSymbol);
int kvrSDOGetSymbolMemRep(int nType, const char* pszSymbol);
/* The variable's storage; for KVR_MEM_CHAR the text itself. */
void* kvrSDOGetSymbolPtr(int nType, const char* pszSymbol,
                         kvrHandleType* hBlock, int nOffset);
/* New storage for a variable; for KVR_MEM_CHAR a zero-filled malloc'd
 * buffer of kvrSDOGetSymbolSize bytes that replaces the text, which the
 * caller has released with free(). */
void* kvrSDOAllocateMem(int nType, const char* pszSymbol,
                        kvrHandleType* hBlock, int nOffset);
/* Outputs of a block by index over all its outputs, from 0 without gaps. */
const char* kvrSDOGetOutputDataName(int nType, int nIndex,
                                    kvrHandleType* hBlock);
/* The name of the block the output connects to, "" for none. */
const char* kvrSDOGetOutputDataConnection(int nType, int nIndex,
                                          kvrHandleType* hBlock);
int kvrSDOIsOutputOptionalApplicable(int nType, kvrHandleType* hBlock,
                                     const char* pszOutput);
int kvrSDOSetIconFinished(kvrHandleType* hBlock, int bFinished);
/* Opens the definition of the custom block of that name for editing: 1
 * when one was opened. Custom blocks are defined on the server; this
 * model holds no custom block definitions, so it opens none. */
int kvrOpenCustomPB(const char* pszName);

/* ---- Symbols ------------------------------------------------------- */

/* Adds a symbol to the current program; stores it through ppSymbol and
 * answers 1, or 0 when the name is empty, too long or in use. */
int kvrAddSymbol(Symbol** ppSymbol, const char* pszName, int nType,
                 int nScope, short nItemNumber, int nDefined, long lFlags,
                 void* pVariable);
int kvrDeleteSymbol(const char* pszName, int nType);
int kvrGetTreeSize(int nType);
int kvrGetATypeOfSymbols(Symbol** ppSymbols, int nType);
Symbol* kvrFindSymbol(const char* pszName);
int kvrRenameVoiceFaxItem(Symbol* pSymbol, const char* pszNewName);

/* ---- Imported libraries ---------------------------------------------- */

/* Longest library text ("name.ID") with its terminator. */
#define KVR_MAX_RLL_NAME 128

/* Copies up to nMax of the program's imported libraries, in the order
 * imported, into pNames; answers how many the program has. */
int kvrGetRLList(kvrHandleType* hProgram, char (*pNames)[KVR_MAX_RLL_NAME],
                 int nMax);
/* Adds the library to the program's imports; non-zero when it was added,
 * 0 when the text is empty or too long or the library is there already
 * (also written to pLog when given). */
int kvrImportRLL(kvrHandleType* hProgram, const char* pszNameAndId,
                 FILE* pLog);
/* Imports every library the program runs: those it lists and those its
 * imported-application blocks name; a block's library that cannot be
 * taken (an empty or too long name) is written to pLog when given.
 * Answers how many libraries were added to the list. */
int kvrImportAllRLLs(kvrHandleType* hProgram, FILE* pLog);
/* Drops the library (names compared without regard to case); 0 done. */
int kvrRemoveRLL(kvrHandleType* hProgram, const char* pszNameAndId);
/* 1 when an imported-application block of the program runs the library. */
int kvrRLLInUse(kvrHandleType* hProgram, const char* pszNameAndId);

/* ---- The clipboard ---------------------------------------------------- */

/* The model's clipboard is the program registered with the clipboard flag
 * (kvrAddProgram): its first page receives blocks copied one by one, and a
 * copied page goes to the clipboard's page of the same name, which the
 * caller makes first. Connections between copies follow their originals'.
 * A paste puts copies into the current page (and the pages pasted with
 * them into the current program); names that the target uses are replaced
 * by new ones: trailing digits counted up ("Menu9" becomes "Menu10"),
 * or "1" appended. The End block is never pasted: connections to it lead
 * to the End block of the page pasted into. */
#define KVR_CLIP_BLOCKS 1
#define KVR_CLIP_PAGE   2

/* What the next copies are: KVR_CLIP_BLOCKS or KVR_CLIP_PAGE. */
int kvrSetClipType(int nType);
int kvrGetClipType(void);
/* Removes every copied block (the clipboard's pages stay for their owner
 * to remove) and forgets the copy. */
int kvrEmptyClipboard(void);
/* Copies the block of the current program ("page$block", or a plain name
 * on the current page) with its settings into the clipboard. 0 done,
 * KVR_ERR_ARGUMENT for no such block or no clipboard page to take it,
 * KVR_ERR_INUSE when it was copied already, KVR_ERR_HANDLE without a
 * clipboard program. */
int kvrCopyZiriraradur(const char* pszName);
/* A page of the current program being copied (nFlag 1), or the page that a
 * page copy copied (nFlag 0), which a page paste pastes. */
int kvrPageToCopy(const char* pszPage, int nFlag);
/* Registers a copied name with the clipboard; a copied page is pasted
 * only once registered. */
int kvrAddSymToClipboard(const char* pszName);
/* The page that a copied block (a plain name on page pszPage, or
 * "page$block") calls, when the clipboard does not have it yet; 0 when it
 * calls none or the clipboard has it. */
const char* kvrCheckForSuperVerInCopy(const char* pszBlock, const char* pszPage);
/* 1 when the clipboard holds blocks to paste (nKind 0) or a copied page
 * (nKind 1). */
int kvrCanIPaste(int nKind);
/* Page paste on (1) around a page paste, off (0) after it. */
int kvrSetupPasteSuperVerBlock(int bOn);
/* Plans the paste into the current page (nMode 1: a page paste): which
 * copied pages go with it and the new names of everything pasted. Each
 * paste starts with it; the plan holds until the next one, a copy or
 * kvrEmptyClipboard. 0 done, KVR_ERR_HANDLE without a clipboard or a page
 * to paste into, KVR_ERR_INUSE when a page can be given no free name. */
int kvrPreparePaste(int nMode);
/* 1 when the copied page goes with the planned paste. */
int kvrIsSuperBeingPasted(const char* pszPage);
/* The model name (page, or "page$block") that the planned paste gives the
 * name; "" when it stays. */
const char* kvrWhatIsNewName(const char* pszName);
/* Pastes as planned (planning first when the plan is not for the current
 * page); the pages pasted must be in the current program, empty, under
 * their new names. An imported-application block of the target
 * application itself (nTargetAppId, the ID after the library name's last
 * '.') is not pasted. 0 done, otherwise nothing is pasted. */
int kvrPasteZiriraradur(int nMode, long nTargetAppId);

/* One record of the clipboard list: a name the clipboard holds (a block
 * copied one by one, a page, or a voice or fax item registered with
 * kvrAddSymToClipboard) with what a paste is to do with it. The model owns
 * the records from the copy until kvrEmptyClipboard; the editor writes the
 * outcome members (notPasted to replace) between kvrGetAllNameConflicts
 * and the paste that follows, which takes a block's skip, notPasted and
 * newName; items are the editor's own to paste. */
#define KVR_CLIPINFO_VOICE 0
#define KVR_CLIPINFO_FAX   3
#define KVR_CLIPINFO_BLOCK 1
#define KVR_CLIPINFO_OTHER (-1) /* a page or an unknown name: never a conflict */
#define KVR_CLIPINFO_NAME  128

#pragma pack(push, 2)
typedef struct TClipInfo
{
    char name[KVR_CLIPINFO_NAME];    /* 0: zero-ended */
    short symbolType;                /* 128: KVR_SYM_* of the name */
    short modelFlags;                /* 130: the model's */
    short modelIndex;                /* 132: the model's: order of copy */
    short notPasted;                 /* 134: 1 for the End block */
    short skip;                      /* 136: 1: not pasted */
    char newName[KVR_CLIPINFO_NAME]; /* 138: "" keeps the name */
    long oldNumber;                  /* 266: item number on the clipboard */
    long newNumber;                  /* 270: 0 or below keeps it */
    long kind;                       /* 274: KVR_CLIPINFO_* */
    unsigned char replace;           /* 278: 1: replaces the target's item */
} TClipInfo;
#pragma pack(pop)

/* No pointers: one layout on both architectures. */
KVR_STATIC_ASSERT(sizeof(TClipInfo) == 280, "TClipInfo is 280 bytes");
KVR_STATIC_ASSERT(offsetof(TClipInfo, symbolType) == 128, "symbol type at 128");
KVR_STATIC_ASSERT(offsetof(TClipInfo, notPasted) == 134, "not pasted at 134");
KVR_STATIC_ASSERT(offsetof(TClipInfo, skip) == 136, "skip at 136");
KVR_STATIC_ASSERT(offsetof(TClipInfo, newName) == 138, "new name at 138");
KVR_STATIC_ASSERT(offsetof(TClipInfo, oldNumber) == 266, "old number at 266");
KVR_STATIC_ASSERT(offsetof(TClipInfo, newNumber) == 270, "new number at 270");
KVR_STATIC_ASSERT(offsetof(TClipInfo, kind) == 274, "kind at 274");
KVR_STATIC_ASSERT(offsetof(TClipInfo, replace) == 278, "replace at 278");

/* Every record of the clipboard list, in the order copied: up to nMax
 * pointers into ppList (may be 0 with nMax 0); answers how many there are.
 * The records stay valid until kvrEmptyClipboard. */
int kvrGetClipboardList(TClipInfo** ppList, int nMax);
/* The records whose names or numbers clash with the current program (a
 * block's name on the current page, or in the program when that is the
 * main page; an item's name anywhere in the program, or its number among
 * the program's items of its kind), the End block always. Every record's
 * outcome is cleared first (newNumber -1), and the paste that follows
 * takes the outcomes the caller writes. Up to nMax pointers into ppList;
 * answers how many clash. */
int kvrGetAllNameConflicts(TClipInfo** ppList, int nMax);
/* 1 for a name the model keeps for its own blocks and pages ("Begin",
 * "End", "Main", without regard to case), which no pasted block takes. */
int kvrItsAReservedPB(const char* pszName);

/* ---- Start-up settings ------------------------------------------------ */

/* Obsolete data types offered for structures and variables. Each call
 * turns the offer over and answers the new state: 1 offered, 0 not. */
int kvrToggleBackTypes(void);
/* 1 when obsolete data types are offered, 0 when not (the start). */
int kvrGetBackTypes(void);

/* The model's own user-defined settings: the user-defined multimedia
 * sentence types of section "User Defined Multimedia Sentence Types" of
 * the settings file ("Number of User Defined Types", then for each n from
 * 1 "User Defined Media n", "User Defined Name n" and "User Defined
 * Language Table n"). */
#define KVR_MAX_USERDEF_TYPES 64
#define KVR_USERDEF_TEXT      32 /* media and name: at most 31 characters */
#define KVR_MAX_LANGUAGE_TABLE 9999

typedef struct kvrUserDefType
{
    char media[KVR_USERDEF_TEXT];
    char name[KVR_USERDEF_TEXT];
    int languageTable;
} kvrUserDefType;

/* Reads the user-defined types from the settings file (a plain name is
 * looked for where the system keeps settings files; 0 or "" names
 * "KALVERODIN.INI"), in place of any read before. The count is held to
 * 0..KVR_MAX_USERDEF_TYPES; an entry with an empty or too long media or
 * name, or a language table that is not a number 0..KVR_MAX_LANGUAGE_TABLE,
 * is left out. Answers the number of types taken. */
int kvrLoadUserDefINI(const char* pszFile);
/* Forgets the user-defined types read by kvrLoadUserDefINI. */
int kvrFreeUserDefINI(void);
int kvrGetNumUserDefTypes(void);
/* Copies type nIndex (from 0) into *pType: 0 done, KVR_ERR_ARGUMENT for
 * an index out of range or no record. */
int kvrGetUserDefType(int nIndex, kvrUserDefType* pType);

/* The server version the block definitions follow: the text the server
 * answers, such as "1.06.04" or "1.06a" (at most KVR_MAX_VERSION
 * characters, beginning with a digit, digits, letters, '.' and blanks
 * only). 0 done; KVR_ERR_ARGUMENT for a text that is none of these, which
 * leaves the definitions as they were. */
#define KVR_MAX_VERSION 32
int kvrUpdatePowerblockDefinitions(const char* pszVersion);
/* The version last taken by kvrUpdatePowerblockDefinitions; "" before. */
const char* kvrGetPowerblockDefinitionsVersion(void);

/* ---- Change reports -------------------------------------------------- */

int kvrSetNotificationMessage(UINT nMessage);

/* ---- The model's part of the program file ---------------------------- */

/* Writes the current program's model between "{EndofFileHeader}" and
 * "{Program}" to pStream (or pFile when pStream is 0). 0 success. */
int kvrWriteProgram(FILE* pFile, FILE* pStream, int nPromptMode);
/* Reads it back into the current program, which must be empty, leaving
 * the stream on the "{Program}" line. Bad lines go to pLog when given.
 * 0 success. */
int kvrReadProgram(FILE* pFile, FILE* pStream, int nPromptMode, FILE* pLog);

/* ---- Building --------------------------------------------------------- */

/* Compiles a saved program file into its run-time file: the same folder
 * and name with the extension "run" (the format is described in the
 * build's source). The customer and application ID go into the run-time
 * file's header; when pListing is given, the run-time text is written
 * there too. nOptions and the reserved arguments are 0. The new file
 * takes the place of an older one only when it is complete: on failure
 * the older one stays as it was and no partial file is left.
 * 0 done; KVR_ERR_ARGUMENT for no path or one without a file name,
 * KVR_ERR_IO when the program file cannot be read or the run-time file
 * cannot be written, KVR_ERR_FORMAT when the program file has no sound
 * model part. */
int kvrBuildProgram(const char* pszProgramFile, long lCustomer, long lAppId,
                    int nOptions, FILE* pListing, int nReserved1,
                    int nReserved2, int nReserved3);


/* ---- Printing a block's fields ----------------------------------------- */

#pragma pack(push, 1)
/* One entry of a lookup table of numbered things (a language, a system
 * prompt, a list, an item) with its name; a table ends with an entry whose
 * number is KVR_COMBO_END. 6 bytes in the 32-bit program. */
typedef struct ComboStruct
{
    short number;
    const char* text;
} ComboStruct;
#pragma pack(pop)
#if !defined(_WIN64)
KVR_STATIC_ASSERT(sizeof(ComboStruct) == 6, "ComboStruct is 6 bytes");
#else
KVR_STATIC_ASSERT(sizeof(ComboStruct) == 10, "ComboStruct is 10 bytes");
#endif
#define KVR_COMBO_END 0x7fff

/* Block kinds of kvrSetupComboString: which tables a block's settings name
 * things from. */
#define KVR_COMBO_OTHER          0
#define KVR_COMBO_LANGUAGESELECT 1
#define KVR_COMBO_THRUDIAL       2
#define KVR_COMBO_ANNOUNCEMENT   3
#define KVR_COMBO_MENU           4
#define KVR_COMBO_PASSWORDCHECK  5
#define KVR_COMBO_CALLTRANSFER   6
#define KVR_COMBO_FAXSELECT      7

/* The caller's page break: finishes the page numbered nPageNumber (its
 * footer) and starts the next one; non-zero when the next page started. */
typedef struct kvrPrintPager
{
    void* context;
    int (*nextPage)(void* context, HDC hDC, int nPageNumber);
} kvrPrintPager;

/* The tables that the next kvrPrintAppPB names numbered settings from;
 * any table may be 0. The model keeps the pointers, not copies: they stay
 * the caller's and must live until the next call. 0 done. */
int kvrSetupComboString(int nKind, const ComboStruct* pLanguages,
                        const ComboStruct* pSystemPrompts,
                        const ComboStruct* pLists,
                        const ComboStruct* pVoiceItems,
                        const ComboStruct* pFaxItems);
/* Prints the settings of the block of that model name ("page$block" off
 * the main page) in the current program: one line per setting, its name at
 * the left margin and its value at the value column, in the font selected
 * into hDC, from *pY down. The layout follows the font: L its line height,
 * W its average width; margins 4L, value column 4L + 35W, text down to the
 * page height - 4L. When a line does not fit, the pager finishes page
 * *pPageNumber and starts the next; *pY and *pPageNumber come back
 * advanced. 0 done; KVR_ERR_HANDLE for no such block, KVR_ERR_ARGUMENT for
 * a missing argument, KVR_ERR_IO when the next page did not start (the
 * rest is not printed). */
int kvrPrintAppPB(const char* pszQualifiedName, HDC hDC, kvrPrintPager* pPager,
                  int* pY, int* pPageNumber);

#ifdef __cplusplus
}
#endif

#endif /* PLEXMODEL_H */
