// BlockDef: one block type of the catalogue: its palette group, outputs
// and variables.
#ifndef PLEXMODEL_BLOCKDEF_H
#define PLEXMODEL_BLOCKDEF_H

#include "GroupDef.h"
#include "OutDef.h"
#include "VarDef.h"

namespace kvr {

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

} // namespace kvr

#endif
