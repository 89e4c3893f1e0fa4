// GroupDef: one palette group of the catalogue.
#ifndef PLEXMODEL_GROUPDEF_H
#define PLEXMODEL_GROUPDEF_H

namespace kvr {

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

} // namespace kvr

#endif
