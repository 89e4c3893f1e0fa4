// Sortable: an Object with an order, as the sorted containers (Btree) need.
#ifndef CLASSLIB_SORTABLE_H
#define CLASSLIB_SORTABLE_H

#include "classlib/Object.h"

class Sortable : public Object
{
public:
    virtual int isLessThan(const Object& test) const = 0;
    int isSortable() const override { return 1; }
};

// Both operands must be Sortable objects of the same class.
int operator<(const Sortable& a, const Sortable& b);
int operator>(const Sortable& a, const Sortable& b);
int operator<=(const Sortable& a, const Sortable& b);
int operator>=(const Sortable& a, const Sortable& b);

#endif
