// The page queries and edits of the editor's page dialogs: the Export
// flag of SuperBlocks, whether a page is still called, renaming a page,
// and the list of page names.
#include "Block.h"
#include "BlockCatalogue.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"

#include <cstring>

#include "ExportGuard.h"

using namespace kvr;

namespace {

} // namespace

extern "C" {

int kvrGetPageType(kvrHandleType* hProgram, const char* pszPage)
{
    return Guard(0, [&] {
        Program* prog = AsProgram(hProgram);
        Page* page = prog && pszPage ? prog->FindPage(pszPage) : nullptr;
        return page && page->exported ? 1 : 0;
    });
}

int kvrSetPageType(kvrHandleType* hProgram, const char* pszPage, int bExport)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        Program* prog = AsProgram(hProgram);
        if (!prog)
            return KVR_ERR_HANDLE;
        Page* page = pszPage ? prog->FindPage(pszPage) : nullptr;
        if (!page || page->main || page->kind != KVR_PAGE_NORMAL)
            return KVR_ERR_ARGUMENT;
        page->exported = bExport != 0;
        return KVR_OK;
    });
}

int kvrPageInUse(kvrHandleType* hPage)
{
    return Guard(0, [&] {
        Page* page = AsPage(hPage);
        if (!page)
            return 0;
        for (Page* p : page->program->pages)
            for (Block* b : p->blocks)
                if (b->type == KVR_PB_SUPERCALL && b->customType == page->name)
                    return 1;
        return 0;
    });
}

int kvrRenamePage(kvrHandleType* hPage, const char* pszNewName, int nKind, int nFlag)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        Page* page = AsPage(hPage);
        if (!page)
            return KVR_ERR_HANDLE;
        if (page->main || !IsValidSymbolName(pszNewName))
            return KVR_ERR_NAME;
        if (page->name == pszNewName)
            return KVR_OK;
        Program* prog = page->program;
        if (prog->IsNameInUse(pszNewName))
            return KVR_ERR_INUSE;
        std::string oldName = page->name;
        page->name = pszNewName;
        CopyBounded(page->sym.Name, sizeof(page->sym.Name), page->name);
        for (Block* b : page->blocks)
            CopyBounded(b->sym.Name, sizeof(b->sym.Name), b->ModelName());
        for (Page* p : prog->pages)
            for (Block* b : p->blocks)
                if (b->type == KVR_PB_SUPERCALL && b->customType == oldName)
                    b->customType = page->name;
        return KVR_OK;
    });
}

int kvrGetAllPageNames(const char** ppNames, int nMax)
{
    return Guard(0, [&] {
        if (!g_pCurrent)
            return 0;
        int n = 0;
        for (Page* p : g_pCurrent->pages)
        {
            if (ppNames && n < nMax)
                ppNames[n] = p->name.c_str();
            ++n;
        }
        return n;
    });
}

} // extern "C"
