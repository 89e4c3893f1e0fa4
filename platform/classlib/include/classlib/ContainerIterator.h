// ContainerIterator: the walk over the elements of any container.
#ifndef CLASSLIB_CONTAINERITERATOR_H
#define CLASSLIB_CONTAINERITERATOR_H

#include "classlib/Object.h"

// Walks a container: while (it) { Object& o = it++; ... }. An iterator
// reflects the container as it was when made or restarted; changing the
// container while walking it is not supported.
class ContainerIterator
{
public:
    virtual ~ContainerIterator() {}

    // Non-zero while an element is left.
    virtual operator int() const = 0;
    // The current element, NOOBJECT past the end.
    virtual Object& current() = 0;
    operator Object&() { return current(); }
    // Post-increment answers the current element, then moves on;
    // pre-increment moves on, then answers the new current element.
    virtual Object& operator++(int) = 0;
    virtual Object& operator++() = 0;
    virtual void restart() = 0;
};

#endif
