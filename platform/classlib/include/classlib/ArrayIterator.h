// ArrayIterator: walks an Array from its first entry to its last.
#ifndef CLASSLIB_ARRAYITERATOR_H
#define CLASSLIB_ARRAYITERATOR_H

#include "classlib/Array.h"
#include "classlib/ContainerIterator.h"

class ArrayIterator : public ContainerIterator
{
public:
    explicit ArrayIterator(const Array& array);

    operator int() const override { return m_nPos < m_array.m_nItems; }
    Object& current() override;
    Object& operator++(int) override;
    Object& operator++() override;
    void restart() override { m_nPos = 0; }

private:
    const Array& m_array;
    countType m_nPos;
};

#endif
