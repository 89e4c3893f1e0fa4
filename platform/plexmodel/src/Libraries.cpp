// The imported libraries (RLLs) of a program: the model keeps, per
// program, the list of libraries imported into it, each named by its
// "name.ID" text, and writes it with its part of the program file.
#include "Block.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"

#include <cstring>

using namespace kvr;

namespace kvr {

bool IsValidLibraryName(const char* nameAndId)
{
    if (!nameAndId || !*nameAndId)
        return false;
    return std::strlen(nameAndId) < KVR_MAX_RLL_NAME;
}

int FindLibrary(const Program* prog, const char* nameAndId)
{
    for (size_t i = 0; i < prog->libraries.size(); ++i)
        if (lstrcmpiA(prog->libraries[i].c_str(), nameAndId) == 0)
            return (int)i;
    return -1;
}

} // namespace kvr

extern "C" {

int kvrGetRLList(kvrHandleType* hProgram, char (*pNames)[KVR_MAX_RLL_NAME], int nMax)
{
    try
    {
        Program* prog = AsProgram(hProgram);
        if (!prog)
            return 0;
        int n = (int)prog->libraries.size();
        for (int i = 0; pNames && i < n && i < nMax; ++i)
            CopyBounded(pNames[i], KVR_MAX_RLL_NAME, prog->libraries[i]);
        return n;
    }
    catch (...)
    {
        return 0;
    }
}

int kvrImportRLL(kvrHandleType* hProgram, const char* pszNameAndId, FILE* pLog)
{
    try
    {
        Program* prog = AsProgram(hProgram);
        if (!prog || !IsValidLibraryName(pszNameAndId))
            return 0;
        if (FindLibrary(prog, pszNameAndId) >= 0)
        {
            if (pLog)
                std::fprintf(pLog, "Library %s is already imported.\n", pszNameAndId);
            return 0;
        }
        prog->libraries.push_back(pszNameAndId);
        return 1;
    }
    catch (...)
    {
        return 0;
    }
}

int kvrImportAllRLLs(kvrHandleType* hProgram, FILE* pLog)
{
    try
    {
        Program* prog = AsProgram(hProgram);
        if (!prog)
            return 0;
        int added = 0;
        for (Page* p : prog->pages)
            for (Block* b : p->blocks)
            {
                if (b->type != KVR_PB_IMPORTED)
                    continue;
                if (!IsValidLibraryName(b->customType.c_str()))
                {
                    if (pLog)
                        std::fprintf(pLog, "Block %s names no library that can be imported.\n", b->name.c_str());
                    continue;
                }
                if (FindLibrary(prog, b->customType.c_str()) < 0)
                {
                    prog->libraries.push_back(b->customType);
                    ++added;
                }
            }
        return added;
    }
    catch (...)
    {
        return 0;
    }
}

int kvrRemoveRLL(kvrHandleType* hProgram, const char* pszNameAndId)
{
    try
    {
        Program* prog = AsProgram(hProgram);
        if (!prog || !pszNameAndId)
            return KVR_ERR_HANDLE;
        int i = FindLibrary(prog, pszNameAndId);
        if (i < 0)
            return KVR_ERR_ARGUMENT;
        prog->libraries.erase(prog->libraries.begin() + i);
        return KVR_OK;
    }
    catch (...)
    {
        return KVR_ERR_INTERNAL;
    }
}

int kvrRLLInUse(kvrHandleType* hProgram, const char* pszNameAndId)
{
    try
    {
        Program* prog = AsProgram(hProgram);
        if (!prog || !pszNameAndId)
            return 0;
        for (Page* p : prog->pages)
            for (Block* b : p->blocks)
                if (b->type == KVR_PB_IMPORTED && lstrcmpiA(b->customType.c_str(), pszNameAndId) == 0)
                    return 1;
        return 0;
    }
    catch (...)
    {
        return 0;
    }
}

} // extern "C"
