// Queries over the block catalogue: lookup by type, variable layout,
// the description records of the types and the palette tables.
#include "BlockCatalogue.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace kvr {

const BlockDef* FindBlockDef(int type)
{
    if (type == KVR_PB_SUPERCALL)
        return &g_SuperCallDef;
    for (int i = 0; i < g_nBlocks; ++i)
        if (g_Blocks[i].type == type)
            return &g_Blocks[i];
    return nullptr;
}

// Bytes a variable takes in a block's variable area: text lives in its
// own buffer, the area keeps the pointer.
int SlotSize(const VarDef& v)
{
    switch (v.memRep)
    {
    case KVR_MEM_CHAR:  return (int)sizeof(char*);
    case KVR_MEM_INT16: return 2;
    default:            return 4;
    }
}

const VarDef* FindVar(const BlockDef* def, const char* name, int* offset)
{
    if (!def || !name)
        return nullptr;
    int at = 0;
    for (int i = 0; i < def->numVars; ++i)
    {
        const VarDef& v = def->vars[i];
        if (std::strcmp(v.name, name) == 0)
        {
            if (offset)
                *offset = at;
            return &v;
        }
        at += SlotSize(v);
    }
    return nullptr;
}

int VarAreaSize(const BlockDef* def)
{
    int size = 0;
    for (int i = 0; def && i < def->numVars; ++i)
        size += SlotSize(def->vars[i]);
    return size;
}

static void BuildInfo(const BlockDef& def, PowerBlockInfo* info)
{
    std::memset(info, 0, sizeof(*info));
    info->name = def.name;
    info->description = def.description;
    info->bitmapName = def.bitmap;
    info->type = (short)def.type;
    int n = def.numOutputs < KVR_MAX_OUTPUTS ? def.numOutputs : KVR_MAX_OUTPUTS;
    info->numOutputs = (unsigned char)n;
    for (int i = 0; i < n; ++i)
    {
        info->outputs[i].name = def.outputs[i].name;
        info->outputs[i].flags = (unsigned char)def.outputs[i].flags;
        info->outputs[i].number = (unsigned char)(i + 1);
        info->outputs[i].groupKey = (unsigned char)def.outputs[i].groupKey;
    }
}

const PowerBlockInfo* TypeInfo(int type)
{
    static std::map<int, PowerBlockInfo> infos;
    auto it = infos.find(type);
    if (it != infos.end())
        return &it->second;
    const BlockDef* def = FindBlockDef(type);
    if (!def)
        return nullptr;
    PowerBlockInfo& info = infos[type];
    BuildInfo(*def, &info);
    return &info;
}

// One palette table per kind and server flag, built on first use and kept
// for the run: the editor keeps pointers into it.
struct PaletteTable
{
    std::vector<std::unique_ptr<unsigned char[]>> groups;
};

int FillIconTable(IconInfoTable* table, int kind, int serverSupported)
{
    static std::map<int, PaletteTable> built;
    int key = kind * 2 + (serverSupported ? 1 : 0);
    auto it = built.find(key);
    if (it == built.end())
    {
        PaletteTable pt;
        for (int g = 0; g < g_nGroups; ++g)
        {
            const GroupDef& gs = g_Groups[g];
            if (gs.kind != kind)
                continue;
            std::vector<const BlockDef*> members;
            for (int b = 0; b < g_nBlocks; ++b)
                if (g_Blocks[b].group == gs.id &&
                    (serverSupported || !g_Blocks[b].newerServer || kind != 0))
                    members.push_back(&g_Blocks[b]);
            if (members.empty())
                continue;
            // The header, the records and one record whose name is 0.
            size_t size = offsetof(IconGroupEntry, blocks) +
                          (members.size() + 1) * sizeof(PowerBlockInfo);
            std::unique_ptr<unsigned char[]> mem(new unsigned char[size]());
            IconGroupEntry* entry = reinterpret_cast<IconGroupEntry*>(mem.get());
            entry->name = gs.name;
            entry->code = gs.code;
            entry->description = gs.description;
            entry->bitmapName = gs.bitmap;
            entry->hidden = (unsigned char)gs.hidden;
            PowerBlockInfo* rec = entry->blocks;
            for (size_t i = 0; i < members.size(); ++i)
                BuildInfo(*members[i], &rec[i]);
            pt.groups.push_back(std::move(mem));
        }
        it = built.emplace(key, std::move(pt)).first;
    }
    int n = 0;
    for (auto& mem : it->second.groups)
    {
        if (n >= KVR_MAX_ICON_GROUPS)
            break;
        table->groups[n++] = reinterpret_cast<IconGroupEntry*>(mem.get());
    }
    for (int i = n; i <= KVR_MAX_ICON_GROUPS; ++i)
        table->groups[i] = nullptr;
    return n;
}

} // namespace kvr
