// InsertArray: an Array into which an entry can be put at an index, moving
// the later entries up.
#ifndef CLASSLIB_INSERTARRAY_H
#define CLASSLIB_INSERTARRAY_H

#include "classlib/Array.h"

class InsertArray : public Array
{
public:
    InsertArray(int upper, int lower = 0, sizeType delta = 0)
        : Array(upper, lower, delta) {}

    // Inserts obj before the entry at the index; an index at or past the
    // end appends. Grows by one slot when the last slot is taken.
    void InsertAt(int index, Object& obj);

    classType isA() const override { return insertArrayClass; }
    const char* nameOf() const override { return "InsertArray"; }
};

#endif
