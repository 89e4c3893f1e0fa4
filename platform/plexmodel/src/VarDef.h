// VarDef: one variable of a block type in the catalogue.
#ifndef PLEXMODEL_VARDEF_H
#define PLEXMODEL_VARDEF_H

namespace kvr {

struct VarDef
{
    const char* name;   // the variable's (symbol) name
    int symType;        // KVR_SYM_*
    int memRep;         // KVR_MEM_*
    int size;           // bytes of storage; the text buffer for CHAR
    int defValue;       // initial value of a number
};

} // namespace kvr

#endif
