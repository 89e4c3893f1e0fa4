// kvrHandleType: the base of every object the model hands out by handle
// (programs, pages, blocks, the variables of the Find dialog's picker),
// which tells their kind.
#ifndef PLEXMODEL_KVRHANDLETYPE_H
#define PLEXMODEL_KVRHANDLETYPE_H

enum kvrObjKind { KVR_OBJ_PROGRAM = 1, KVR_OBJ_PAGE, KVR_OBJ_BLOCK, KVR_OBJ_VARIABLE };

struct kvrHandleType
{
    explicit kvrHandleType(kvrObjKind k) : kind(k) {}
    virtual ~kvrHandleType() {}
    kvrObjKind kind;
};

#endif
