// The catalogue of block types the model offers: names, palette groups,
// outputs and the variables of each type. The table itself is data, in
// BlockTable.cpp; this header gives its shape and the queries over it.
#ifndef PLEXMODEL_BLOCKCATALOGUE_H
#define PLEXMODEL_BLOCKCATALOGUE_H

#include "plexmodel.h"

#include <cstddef>

namespace kvr {

// One variable of a block type.
struct VarDef
{
    const char* name;   // the variable's (symbol) name
    int symType;        // KVR_SYM_*
    int memRep;         // KVR_MEM_*
    int size;           // bytes of storage; the text buffer for CHAR
    int defValue;       // initial value of a number
};

// Output behaviour beyond the PowerBlockInfo flags.
enum OutDefFlags
{
    OUT_REQUIRED = 0,   // must be connected when it applies
    OUT_OPTIONAL = 1,   // may stay unconnected
};

// One output of a block type.
struct OutDef
{
    const char* name;
    int flags;          // KVR_OUTPUT_GROUP, KVR_OUTPUT_NEVERSHOWN
    int groupKey;
    int optional;       // OUT_REQUIRED or OUT_OPTIONAL
    const char* when;   // applies only while this variable is set; 0 always
};

// Palette groups.
enum GroupId
{
    GRP_SYSTEM,     // default blocks and the imported-application block, kept out of palettes
    GRP_PROMPTS,
    GRP_ROUTING,
    GRP_MESSAGING,
    GRP_FAX,
    GRP_ADVANCED,
    GRP_OBSOLETE,   // the obsolete-blocks list
    GRP_COUNT
};

struct GroupDef
{
    GroupId id;
    const char* name;
    const char* code;
    const char* description;
    const char* bitmap;
    int hidden;
    int kind;           // 0 current blocks, 1 obsolete blocks
};

struct BlockDef
{
    int type;
    const char* name;
    const char* description;
    const char* bitmap;
    GroupId group;
    int newerServer;    // needs a server of the supported version
    const OutDef* outputs;
    int numOutputs;
    const VarDef* vars;
    int numVars;
};

// The tables (BlockTable.cpp).
extern const GroupDef g_Groups[];
extern const int g_nGroups;
extern const BlockDef g_Blocks[];
extern const int g_nBlocks;
// The SuperBlock call, outside the palette's table.
extern const BlockDef g_SuperCallDef;

// Block types run from 0 to this number minus 1.
const int MAX_BLOCK_TYPE = 416;

// The def of a type, or 0; -101 the SuperBlock call's.
const BlockDef* FindBlockDef(int type);
const VarDef* FindVar(const BlockDef* def, const char* name, int* offset);
// Bytes of variable storage a block of the type needs.
int VarAreaSize(const BlockDef* def);

// The type's description record, built once and kept for the run.
const PowerBlockInfo* TypeInfo(int type);

// Fills the palette table of one kind; answers the number of groups.
int FillIconTable(IconInfoTable* table, int kind, int serverSupported);

} // namespace kvr

#endif
