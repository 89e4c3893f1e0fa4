// Page: one page of a program and the blocks on it.
#ifndef PLEXMODEL_PAGE_H
#define PLEXMODEL_PAGE_H

#include "plexmodel.h"
#include "kvrHandleType.h"

#include <string>
#include <unordered_map>
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

    // The name index follows the blocks: whoever adds a block to `blocks`,
    // removes one or renames one tells the page here.
    void BlockAdded(Block* block);
    void BlockRemoved(Block* block);
    void BlockRenamed(Block* block, const std::string& oldName);

private:
    // The first block of each name, in the order of `blocks`: a program's
    // pages hold thousands of blocks, and every load, save and paste looks
    // blocks up by name.
    std::unordered_map<std::string, Block*> m_byName;

    void IndexFirstNamed(const std::string& name);
};

} // namespace kvr

#endif
