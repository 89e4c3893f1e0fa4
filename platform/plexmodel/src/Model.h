// The model's objects: programs with their pages, blocks and symbols.
// Handles given out are pointers to these objects; every call checks a
// handle against the set of live objects before it uses it.
#ifndef PLEXMODEL_MODEL_H
#define PLEXMODEL_MODEL_H

#include "plexmodel.h"
#include "BlockCatalogue.h"

#include <string>
#include <vector>

enum kvrObjKind { KVR_OBJ_PROGRAM = 1, KVR_OBJ_PAGE, KVR_OBJ_BLOCK };

struct kvrHandleType
{
    explicit kvrHandleType(kvrObjKind k) : kind(k) {}
    virtual ~kvrHandleType() {}
    kvrObjKind kind;
};

namespace kvr {

struct Program;
struct Page;

struct Block : kvrHandleType
{
    Block() : kvrHandleType(KVR_OBJ_BLOCK) {}
    ~Block() override;

    Page* page = nullptr;
    std::string name;           // plain name on its page
    std::string customType;     // library name (409)
    int type = 0;
    int finished = 0;
    bool obsolete = false;      // marked while loading: never finished
    const BlockDef* def = nullptr;
    std::vector<unsigned char> area;   // the variables (text: pointers)
    std::vector<Block*> conn;          // per output that is not a group output
    Symbol sym;                        // its entry in the symbol table

    std::string ModelName() const;
    const PowerBlockInfo* Info() const { return TypeInfo(type); }
    // The block's own description: its type's, with the library name of
    // an imported-application block. False for a type without one.
    bool GetInfo(PowerBlockInfo* info) const;
    int OutputCount() const;
    const OutDef* Output(int index) const;
    int FindOutput(const char* outName) const;     // index, or -1
    int ConnIndex(int outputIndex) const;          // -1 for group outputs
    bool IsVarSet(const char* varName) const;
    int OutputFlags(int outputIndex) const;        // KVR_OUT_*
    char* TextVar(int offset) const;
    void SetTextVar(int offset, char* text);
    void InitVariables();
};

struct Page : kvrHandleType
{
    Page() : kvrHandleType(KVR_OBJ_PAGE) {}
    ~Page() override;

    Program* program = nullptr;
    std::string name;
    int kind = KVR_PAGE_NORMAL;
    int flag = 0;
    bool main = false;
    bool exported = false;      // a SuperBlock other programs may call
    std::vector<Block*> blocks;
    Symbol sym;

    Block* FindBlock(const std::string& plainName) const;
    Block* FindType(int type) const;
};

struct Program : kvrHandleType
{
    Program() : kvrHandleType(KVR_OBJ_PROGRAM) {}
    ~Program() override;

    HWND hMain = nullptr;
    int clipboard = 0;
    std::vector<Page*> pages;
    std::vector<Symbol*> symbols;      // items and lists, in order added
    std::vector<std::string> libraries; // imported libraries, "name.ID", in order imported
    Page* current = nullptr;
    unsigned long nextSerial = 1;

    Page* FindPage(const std::string& name) const;
    Block* FindBlock(const std::string& modelName) const;
    Symbol* FindItemSymbol(const std::string& name) const;
    bool IsNameInUse(const std::string& name) const;
    bool IsEmpty() const { return pages.empty() && symbols.empty() && libraries.empty(); }
    void InitSymbol(Symbol* sym, int type, const std::string& name);
};

// The live objects and the current state.
void Register(kvrHandleType* h);
void Unregister(kvrHandleType* h);
Program* AsProgram(kvrHandleType* h);
Page* AsPage(kvrHandleType* h);
Block* AsBlock(kvrHandleType* h);
bool IsLiveSymbol(Symbol* sym, Program** owner);

extern Program* g_pCurrent;
extern Program* g_pClipboard;
extern UINT g_nNotifyMessage;

// Object life.
Program* NewProgram(HWND hMain, int clipboard);
void DeleteProgram(Program* prog);
Page* NewPage(Program* prog, const std::string& name, int kind, int flag);
void DeletePage(Page* page);
Block* NewBlock(Page* page, const std::string& name, int type,
                const std::string& customType);
void DeleteBlock(Block* block);
void ConnectRotary(Block* block);

// Names.
bool IsValidBlockName(const char* name);
bool IsValidSymbolName(const char* name);
void CopyBounded(char* dest, size_t size, const std::string& src);

// Imported libraries: the index of the library among the program's
// (names compared without regard to case), -1 when it is not there.
int FindLibrary(const Program* prog, const char* nameAndId);
bool IsValidLibraryName(const char* nameAndId);

// Change reports to the program's main window.
void Notify(Program* prog, int kind, LPARAM lParam);
void NotifyStatus(Program* prog, UINT idText, const char* insert);
std::string LoadText(UINT idText, const char* insert);

} // namespace kvr

#endif
