// The block queries of the editor's Find dialog: every block of the
// current program, and what each one is, calls and uses.
#include "Block.h"
#include "BlockCatalogue.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"

#include <windows.h>

#include "ExportGuard.h"

using namespace kvr;

namespace {

// True when a text variable of the block whose kind is (or, with bOther,
// is not) symType holds the name, compared without regard to case.
bool UsesName(const Block* block, const char* name, int symType, bool bOther)
{
    if (!block->def || !name || !*name)
        return false;
    for (int i = 0; i < block->def->numVars; ++i)
    {
        const VarDef& v = block->def->vars[i];
        if (v.memRep != KVR_MEM_CHAR || (v.symType == symType) == bOther)
            continue;
        int offset = 0;
        FindVar(block->def, v.name, &offset);
        const char* text = block->TextVar(offset);
        if (text && lstrcmpiA(text, name) == 0)
            return true;
    }
    return false;
}

} // namespace

extern "C" {

int kvrGetNumPBs(void)
{
    return Guard(0, [&] {
        if (!g_pCurrent)
            return 0;
        int n = 0;
        for (Page* p : g_pCurrent->pages)
            n += static_cast<int>(p->blocks.size());
        return n;
    });
}

int kvrGetAllPBSymbols(kvrHandleType** ppBlocks, int nMax)
{
    return Guard(0, [&] {
        if (!g_pCurrent || !ppBlocks)
            return 0;
        int n = 0;
        for (Page* p : g_pCurrent->pages)
            for (Block* b : p->blocks)
                if (n < nMax)
                    ppBlocks[n++] = b;
        return n;
    });
}

int kvrIsPBComplete(kvrHandleType* hBlock)
{
    return kvrIsPowerBlockFinished(hBlock);
}

const char* kvrGetSBName(kvrHandleType* hBlock)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        Block* block = AsBlock(hBlock);
        if (!block || block->type != KVR_PB_SUPERCALL)
            return nullptr;
        return block->customType.c_str();
    });
}

int kvrGetPBType(kvrHandleType* hBlock)
{
    return Guard(-1, [&] {
        Block* block = AsBlock(hBlock);
        return block ? block->type : -1;
    });
}

int kvrIsPBUseVariable(kvrHandleType* hBlock, const char* pszVariable)
{
    return Guard(0, [&] {
        Block* block = AsBlock(hBlock);
        return block && UsesName(block, pszVariable, KVR_SYM_ITEM, true) ? 1 : 0;
    });
}

int kvrIsPBUseVSentence(kvrHandleType* hBlock, const char* pszSentence)
{
    return Guard(0, [&] {
        Block* block = AsBlock(hBlock);
        return block && UsesName(block, pszSentence, KVR_SYM_ITEM, false) ? 1 : 0;
    });
}

int kvrIsPBInPage(kvrHandleType* hBlock, const char* pszPage)
{
    return Guard(0, [&] {
        Block* block = AsBlock(hBlock);
        if (!block)
            return 0;
        if (!pszPage)
            return block->page->main ? 1 : 0;
        return block->page->name == pszPage ? 1 : 0;
    });
}

const char* kvrGetSymbolName(kvrHandleType* hObject)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        if (Block* block = AsBlock(hObject))
            return block->sym.Name;
        if (Page* page = AsPage(hObject))
            return page->sym.Name;
        // An item handed out by kvrPickVoiceSentence.
        Symbol* sym = reinterpret_cast<Symbol*>(hObject);
        if (IsLiveSymbol(sym, nullptr))
            return sym->Name;
        return nullptr;
    });
}

} // extern "C"
