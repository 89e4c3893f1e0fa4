// The library's exported functions. Each one checks its handles and
// arguments and catches everything: a failure inside answers the
// function's failure value and never leaves the library as an exception.
#include "Block.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"
#include "../PlexModelRes.h"

#include <cstdlib>
#include <cstring>

#include "ExportGuard.h"

using namespace kvr;

namespace {

const int FAILED = KVR_ERR_INTERNAL;

Page* CurrentPage()
{
    if (!g_pCurrent)
        return nullptr;
    if (g_pCurrent->current)
        return g_pCurrent->current;
    return g_pCurrent->pages.empty() ? nullptr : g_pCurrent->pages.front();
}

// The block a variable call is about: the handle must name a live block
// of the given type.
Block* VarBlock(int type, kvrHandleType* hBlock)
{
    Block* block = AsBlock(hBlock);
    if (!block || block->type != type)
        return nullptr;
    return block;
}

} // namespace

extern "C" {

// ---- Programs and pages -----------------------------------------------------

kvrHandleType* kvrAddProgram(HWND hMainWnd, int bClipboard)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        return NewProgram(hMainWnd, bClipboard);
    });
}

int kvrRemoveProgram(kvrHandleType* hProgram)
{
    return Guard(FAILED, [&] {
        Program* prog = AsProgram(hProgram);
        if (!prog)
            return KVR_ERR_HANDLE;
        DeleteProgram(prog);
        return KVR_OK;
    });
}

int kvrActivateProgram(kvrHandleType* hProgram)
{
    return Guard(FAILED, [&] {
        Program* prog = AsProgram(hProgram);
        if (!prog)
            return KVR_ERR_HANDLE;
        g_pCurrent = prog;
        return KVR_OK;
    });
}

int kvrActivatePage(kvrHandleType* hPage)
{
    return Guard(FAILED, [&] {
        Page* page = AsPage(hPage);
        if (!page)
            return KVR_ERR_HANDLE;
        g_pCurrent = page->program;
        page->program->current = page;
        return KVR_OK;
    });
}

kvrHandleType* kvrCreatePage(const char* pszName, int nKind, int nFlag)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        if (!g_pCurrent)
            return nullptr;
        if (!IsValidSymbolName(pszName))
        {
            NotifyStatus(g_pCurrent, IDS_KVR_BADPAGENAME, pszName);
            return nullptr;
        }
        if (g_pCurrent->IsNameInUse(pszName))
        {
            NotifyStatus(g_pCurrent, IDS_KVR_PAGEINUSE, pszName);
            return nullptr;
        }
        int kind = nKind == KVR_PAGE_VERIFICATION ? KVR_PAGE_VERIFICATION
                                                  : KVR_PAGE_NORMAL;
        return NewPage(g_pCurrent, pszName, kind, nFlag);
    });
}

int kvrRemovePage(kvrHandleType* hPage, int nFlag)
{
    return Guard(FAILED, [&] {
        Page* page = AsPage(hPage);
        if (!page)
            return KVR_ERR_HANDLE;
        DeletePage(page);
        return KVR_OK;
    });
}

kvrHandleType* kvrFindPage(const char* pszName)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        if (!g_pCurrent || !pszName)
            return nullptr;
        return g_pCurrent->FindPage(pszName);
    });
}

// ---- Blocks and connections ---------------------------------------------------

kvrHandleType* kvrCreatePowerBlock(int nType, const char* pszName, int* pRetry,
                                   const char* pszCustomType)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        Page* page = CurrentPage();
        const char* name = pszName ? pszName : "";
        if (!page)
        {
            if (pRetry)
                *pRetry = 0;
            NotifyStatus(g_pCurrent, IDS_KVR_NOPAGE, name);
            return nullptr;
        }
        Program* prog = page->program;
        if (!IsValidBlockName(pszName))
        {
            NotifyStatus(prog, IDS_KVR_BADBLOCKNAME, name);
            return nullptr;
        }
        if (page->FindBlock(name))
        {
            NotifyStatus(prog, IDS_KVR_BLOCKINUSE, name);
            return nullptr;
        }
        if (pRetry)
            *pRetry = 0;
        std::string custom = pszCustomType ? pszCustomType : "";
        // The imported-application block names its library, the SuperBlock
        // call a page of the program that it calls.
        bool bNamed = nType == KVR_PB_IMPORTED || nType == KVR_PB_SUPERCALL;
        if (!FindBlockDef(nType) || (bNamed && custom.empty()) ||
            (nType == KVR_PB_SUPERCALL && !prog->FindPage(custom)))
        {
            NotifyStatus(prog, IDS_KVR_UNKNOWNTYPE, name);
            return nullptr;
        }
        Block* block = NewBlock(page, name, nType, bNamed ? custom : "");
        ConnectRotary(block);
        return block;
    });
}

int kvrDeletePowerBlock(kvrHandleType* hBlock, int nFlag)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        DeleteBlock(block);
        return KVR_OK;
    });
}

int kvrRenamePowerBlock(kvrHandleType* hBlock, const char* pszNewName,
                        int* pDetail)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        Program* prog = block->page->program;
        const char* name = pszNewName ? pszNewName : "";
        if (!IsValidBlockName(pszNewName))
        {
            if (pDetail)
                *pDetail = 1;
            NotifyStatus(prog, IDS_KVR_BADBLOCKNAME, name);
            return KVR_ERR_NAME;
        }
        if (block->name == name)
            return KVR_OK;
        if (block->page->FindBlock(name))
        {
            if (pDetail)
                *pDetail = 1;
            NotifyStatus(prog, IDS_KVR_BLOCKINUSE, name);
            return KVR_ERR_INUSE;
        }
        std::string oldName = block->name;
        block->name = name;
        block->page->BlockRenamed(block, oldName);
        CopyBounded(block->sym.Name, sizeof(block->sym.Name), block->ModelName());
        return KVR_OK;
    });
}

kvrHandleType* kvrFindPowerBlock(const char* pszName, int bQualified,
                                 int bClipboard)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        if (!pszName)
            return nullptr;
        Program* prog = bClipboard ? g_pClipboard : g_pCurrent;
        if (!prog)
            return nullptr;
        if (bQualified)
            return prog->FindBlock(pszName);
        Page* page = prog->current ? prog->current
                     : prog->pages.empty() ? nullptr : prog->pages.front();
        return page ? page->FindBlock(pszName) : nullptr;
    });
}

int kvrIsNameInUse(const char* pszName)
{
    return Guard(0, [&] {
        return g_pCurrent && pszName && g_pCurrent->IsNameInUse(pszName) ? 1 : 0;
    });
}

int kvrCreateGoto(kvrHandleType* hBlock, kvrHandleType* hTarget, int nIndex)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        Block* target = AsBlock(hTarget);
        if (!block || !target)
            return KVR_ERR_HANDLE;
        if (target->page != block->page || nIndex < 0 ||
            nIndex >= (int)block->conn.size())
            return KVR_ERR_ARGUMENT;
        block->conn[nIndex] = target;
        return KVR_OK;
    });
}

int kvrDeleteGoto(kvrHandleType* hBlock, const char* pszOutput)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        int c = block->ConnIndex(block->FindOutput(pszOutput));
        if (c < 0)
            return KVR_ERR_ARGUMENT;
        block->conn[c] = nullptr;
        return KVR_OK;
    });
}

kvrHandleType* kvrGetGotoConnection(kvrHandleType* hBlock, int nIndex)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        Block* block = AsBlock(hBlock);
        if (!block || nIndex < 0 || nIndex >= (int)block->conn.size())
            return nullptr;
        return block->conn[nIndex];
    });
}

int kvrIsPowerBlockFinished(kvrHandleType* hBlock)
{
    return Guard(0, [&] {
        Block* block = AsBlock(hBlock);
        return block && block->finished && !block->obsolete ? 1 : 0;
    });
}

// ---- Block types and the palette ----------------------------------------------

PowerBlockInfo* kvrGetPowerBlockInfo(kvrHandleType* hObject,
                                     PowerBlockInfo* pInfo)
{
    return Guard<PowerBlockInfo*>(nullptr, [&]() -> PowerBlockInfo* {
        Block* block = AsBlock(hObject);
        if (!block || !pInfo)
            return nullptr;
        return block->GetInfo(pInfo) ? pInfo : nullptr;
    });
}

int kvrGetPowerBlockList(IconInfoTable* pTable, int nKind,
                         int bServerVersionSupported)
{
    return Guard(0, [&] {
        if (!pTable)
            return 0;
        if (nKind != 0 && nKind != 1)
        {
            std::memset(pTable, 0, sizeof(*pTable));
            return 0;
        }
        return FillIconTable(pTable, nKind, bServerVersionSupported);
    });
}

const char* kvrGetProductName(void)
{
    return "Plexwright";
}

int kvrMaxPowerBlockType(void)
{
    return MAX_BLOCK_TYPE;
}

const char* kvrGetPowerBlockName(int nType)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        const BlockDef* def = FindBlockDef(nType);
        return def ? def->name : nullptr;
    });
}

// ---- Block variables ----------------------------------------------------------

int kvrSDOGetSymbolOffset(int nType, const char* pszSymbol)
{
    return Guard(-1, [&] {
        int offset = -1;
        return FindVar(FindBlockDef(nType), pszSymbol, &offset) ? offset : -1;
    });
}

int kvrSDOGetSymbolType(int nType, const char* pszSymbol)
{
    return Guard(0, [&] {
        const VarDef* v = FindVar(FindBlockDef(nType), pszSymbol, nullptr);
        return v ? v->symType : 0;
    });
}

int kvrSDOGetSymbolSize(int nType, const char* pszSymbol)
{
    return Guard(0, [&] {
        const VarDef* v = FindVar(FindBlockDef(nType), pszSymbol, nullptr);
        return v ? v->size : 0;
    });
}

int kvrSDOGetSymbolMemRep(int nType, const char* pszSymbol)
{
    return Guard(0, [&] {
        const VarDef* v = FindVar(FindBlockDef(nType), pszSymbol, nullptr);
        return v ? v->memRep : 0;
    });
}

void* kvrSDOGetSymbolPtr(int nType, const char* pszSymbol, kvrHandleType* hBlock,
                         int nOffset)
{
    return Guard<void*>(nullptr, [&]() -> void* {
        Block* block = VarBlock(nType, hBlock);
        int offset = -1;
        const VarDef* v = block ? FindVar(block->def, pszSymbol, &offset) : nullptr;
        if (!v || offset != nOffset)
            return nullptr;
        if (v->memRep == KVR_MEM_CHAR)
            return block->TextVar(offset);
        return &block->area[offset];
    });
}

void* kvrSDOAllocateMem(int nType, const char* pszSymbol, kvrHandleType* hBlock,
                        int nOffset)
{
    return Guard<void*>(nullptr, [&]() -> void* {
        Block* block = VarBlock(nType, hBlock);
        int offset = -1;
        const VarDef* v = block ? FindVar(block->def, pszSymbol, &offset) : nullptr;
        if (!v || offset != nOffset)
            return nullptr;
        if (v->memRep != KVR_MEM_CHAR)
            return &block->area[offset];
        // The caller has released the old text; the new buffer takes its
        // place.
        char* text = static_cast<char*>(std::calloc(v->size, 1));
        if (text)
            block->SetTextVar(offset, text);
        return text;
    });
}

const char* kvrSDOGetOutputDataName(int nType, int nIndex, kvrHandleType* hBlock)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        Block* block = VarBlock(nType, hBlock);
        const OutDef* out = block ? block->Output(nIndex) : nullptr;
        return out ? out->name : nullptr;
    });
}

const char* kvrSDOGetOutputDataConnection(int nType, int nIndex,
                                          kvrHandleType* hBlock)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        Block* block = VarBlock(nType, hBlock);
        if (!block || !block->Output(nIndex))
            return nullptr;
        int c = block->ConnIndex(nIndex);
        if (c < 0 || !block->conn[c])
            return "";
        return block->conn[c]->name.c_str();
    });
}

int kvrSDOIsOutputOptionalApplicable(int nType, kvrHandleType* hBlock,
                                     const char* pszOutput)
{
    return Guard(0, [&] {
        Block* block = VarBlock(nType, hBlock);
        return block ? block->OutputFlags(block->FindOutput(pszOutput)) : 0;
    });
}

// ---- Checks of a loaded program ---------------------------------------------

int kvrTurnObsoletePBPink(kvrHandleType* hBlock)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        block->obsolete = true;
        return KVR_OK;
    });
}

int kvrUsesDefaultPowerBlockInfo(kvrHandleType* hBlock)
{
    return Guard(1, [&] {
        Block* block = AsBlock(hBlock);
        PowerBlockInfo own;
        if (!block || !block->GetInfo(&own))
            return 1;
        const PowerBlockInfo* def = block->Info();
        auto same = [](const char* a, const char* b) {
            return a == b || (a && b && std::strcmp(a, b) == 0);
        };
        if (!same(own.name, def->name) || !same(own.description, def->description) ||
            !same(own.bitmapName, def->bitmapName) || own.type != def->type ||
            own.numOutputs != def->numOutputs)
            return 0;
        for (int i = 0; i < own.numOutputs && i < KVR_MAX_OUTPUTS; ++i)
        {
            const PBOutputEntry& a = own.outputs[i];
            const PBOutputEntry& b = def->outputs[i];
            if (!same(a.name, b.name) || a.flags != b.flags || a.number != b.number ||
                a.groupKey != b.groupKey)
                return 0;
        }
        return 1;
    });
}

int kvrVerifyPBEntries(kvrHandleType* hBlock)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        // One entry per output that is not a group output, each empty or
        // leading to a live block of the block's own page.
        int conns = 0;
        for (int i = 0; i < block->OutputCount(); ++i)
            if (block->ConnIndex(i) >= 0)
                ++conns;
        bool sound = (int)block->conn.size() == conns;
        block->conn.resize(conns, nullptr);
        for (Block*& target : block->conn)
        {
            if (target && (!AsBlock(target) || target->page != block->page))
            {
                target = nullptr;
                sound = false;
            }
        }
        if (sound)
            return KVR_OK;
        Program* prog = block->page->program;
        kvrBlockNotify report = { prog, block };
        Notify(prog, KVR_NOTIFY_BLOCKCHANGED, (LPARAM)&report);
        return KVR_ERR_FORMAT;
    });
}

int kvrSDOSetIconFinished(kvrHandleType* hBlock, int bFinished)
{
    return Guard(FAILED, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return KVR_ERR_HANDLE;
        block->finished = bFinished ? 1 : 0;
        return KVR_OK;
    });
}

int kvrOpenCustomPB(const char* pszName)
{
    return 0;
}

// ---- Symbols --------------------------------------------------------------------

int kvrAddSymbol(Symbol** ppSymbol, const char* pszName, int nType, int nScope,
                 short nItemNumber, int nDefined, long lFlags, void* pVariable)
{
    return Guard(0, [&] {
        if (!g_pCurrent || !ppSymbol || !IsValidSymbolName(pszName) ||
            (nType != KVR_SYM_ITEM && nType != KVR_SYM_RESPERM) ||
            g_pCurrent->IsNameInUse(pszName))
            return 0;
        Symbol* sym = new Symbol;
        g_pCurrent->InitSymbol(sym, nType, pszName);
        sym->Scope = (short)nScope;
        sym->Defined = (short)nDefined;
        sym->ExclFlags = lFlags;
        sym->ItemNumber = nItemNumber;
        sym->Variable = pVariable;
        try
        {
            g_pCurrent->symbols.push_back(sym);
        }
        catch (...)
        {
            delete sym;
            throw;
        }
        *ppSymbol = sym;
        return 1;
    });
}

int kvrDeleteSymbol(const char* pszName, int nType)
{
    return Guard(0, [&] {
        if (!g_pCurrent || !pszName)
            return 0;
        auto& symbols = g_pCurrent->symbols;
        for (auto it = symbols.begin(); it != symbols.end(); ++it)
        {
            if ((*it)->Type == nType && std::strcmp((*it)->Name, pszName) == 0)
            {
                delete *it;
                symbols.erase(it);
                return 1;
            }
        }
        return 0;
    });
}

int kvrGetTreeSize(int nType)
{
    return kvrGetATypeOfSymbols(nullptr, nType);
}

int kvrGetATypeOfSymbols(Symbol** ppSymbols, int nType)
{
    return Guard(0, [&] {
        if (!g_pCurrent)
            return 0;
        int n = 0;
        auto put = [&](Symbol* s) {
            if (ppSymbols)
                ppSymbols[n] = s;
            ++n;
        };
        for (Page* p : g_pCurrent->pages)
        {
            if (nType == KVR_SYM_PAGE)
                put(&p->sym);
            else if (nType == KVR_SYM_POWERBLOCK)
                for (Block* b : p->blocks)
                    put(&b->sym);
        }
        for (Symbol* s : g_pCurrent->symbols)
            if (s->Type == nType)
                put(s);
        return n;
    });
}

Symbol* kvrFindSymbol(const char* pszName)
{
    return Guard<Symbol*>(nullptr, [&]() -> Symbol* {
        if (!g_pCurrent || !pszName)
            return nullptr;
        if (Symbol* s = g_pCurrent->FindItemSymbol(pszName))
            return s;
        if (Page* p = g_pCurrent->FindPage(pszName))
            return &p->sym;
        if (Block* b = g_pCurrent->FindBlock(pszName))
            return &b->sym;
        return nullptr;
    });
}

int kvrRenameVoiceFaxItem(Symbol* pSymbol, const char* pszNewName)
{
    return Guard(0, [&] {
        Program* owner = nullptr;
        if (!IsLiveSymbol(pSymbol, &owner) || !IsValidSymbolName(pszNewName))
            return 0;
        if (std::strcmp(pSymbol->Name, pszNewName) == 0)
            return 1;
        if (owner->IsNameInUse(pszNewName))
            return 0;
        CopyBounded(pSymbol->Name, sizeof(pSymbol->Name), pszNewName);
        return 1;
    });
}

// ---- Change reports -------------------------------------------------------------

int kvrSetNotificationMessage(UINT nMessage)
{
    g_nNotifyMessage = nMessage;
    return KVR_OK;
}

} // extern "C"
