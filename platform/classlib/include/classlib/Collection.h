// Collection: a container that elements can be added to and detached from.
#ifndef CLASSLIB_COLLECTION_H
#define CLASSLIB_COLLECTION_H

#include "classlib/Container.h"

class Collection : public Container
{
public:
    virtual void add(Object& obj) = 0;
    virtual void detach(Object& obj, DeleteType dt = NoDelete) = 0;
    void destroy(Object& obj) { detach(obj, Delete); }
};

#endif
