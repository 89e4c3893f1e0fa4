// OutDef: one output of a block type in the catalogue.
#ifndef PLEXMODEL_OUTDEF_H
#define PLEXMODEL_OUTDEF_H

namespace kvr {

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

} // namespace kvr

#endif
