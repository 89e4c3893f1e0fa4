// The catalogue of block types the model offers: names, palette groups,
// outputs and the variables of each type. The table itself is data, in
// BlockTable.cpp; this header gives its shape and the queries over it.
#ifndef PLEXMODEL_BLOCKCATALOGUE_H
#define PLEXMODEL_BLOCKCATALOGUE_H

#include "plexmodel.h"
#include "BlockDef.h"
#include "GroupDef.h"
#include "OutDef.h"
#include "VarDef.h"

namespace kvr {

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
// Bytes one variable takes in the area; the variables lie in their order.
int SlotSize(const VarDef& v);

// The type's description record, built once and kept for the run.
const PowerBlockInfo* TypeInfo(int type);

// Fills the palette table of one kind; answers the number of groups.
int FillIconTable(IconInfoTable* table, int kind, int serverSupported);

} // namespace kvr

#endif
