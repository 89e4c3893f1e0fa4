// BtreeIterator: walks a Btree from its least element to its greatest.
#ifndef CLASSLIB_BTREEITERATOR_H
#define CLASSLIB_BTREEITERATOR_H

#include "classlib/Btree.h"
#include "classlib/ContainerIterator.h"

class BtreeIterator : public ContainerIterator
{
public:
    explicit BtreeIterator(const Btree& tree);

    operator int() const override { return m_nPos < m_tree.m_nItems; }
    Object& current() override;
    Object& operator++(int) override;
    Object& operator++() override;
    void restart() override { m_nPos = 0; }

private:
    const Btree& m_tree;
    countType m_nPos;
};

#endif
