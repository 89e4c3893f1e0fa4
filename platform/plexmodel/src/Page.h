// Page: one page of a program and the blocks on it.
#ifndef PLEXMODEL_PAGE_H
#define PLEXMODEL_PAGE_H

#include "plexmodel.h"
#include "kvrHandleType.h"

#include <string>
#include <vector>

namespace kvr {

struct Block;
struct Program;

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

} // namespace kvr

#endif
