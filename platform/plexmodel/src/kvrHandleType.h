// kvrHandleType: the base of every object the model hands out by handle
// (programs, pages, blocks), which tells their kind.
#ifndef PLEXMODEL_KVRHANDLETYPE_H
#define PLEXMODEL_KVRHANDLETYPE_H

enum kvrObjKind { KVR_OBJ_PROGRAM = 1, KVR_OBJ_PAGE, KVR_OBJ_BLOCK };

struct kvrHandleType
{
    explicit kvrHandleType(kvrObjKind k) : kind(k) {}
    virtual ~kvrHandleType() {}
    kvrObjKind kind;
};

#endif
