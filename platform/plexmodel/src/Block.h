// Block: one block on a page, with its variables and the blocks its
// outputs lead to.
#ifndef PLEXMODEL_BLOCK_H
#define PLEXMODEL_BLOCK_H

#include "plexmodel.h"
#include "BlockCatalogue.h"
#include "kvrHandleType.h"

#include <string>
#include <vector>

namespace kvr {

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

} // namespace kvr

#endif
