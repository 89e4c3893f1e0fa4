// ListIterator: walks a List from its head to its tail.
#ifndef CLASSLIB_LISTITERATOR_H
#define CLASSLIB_LISTITERATOR_H

#include "classlib/ContainerIterator.h"
#include "classlib/List.h"

class ListIterator : public ContainerIterator
{
public:
    explicit ListIterator(const List& list);

    operator int() const override { return m_pCur != nullptr; }
    Object& current() override;
    Object& operator++(int) override;
    Object& operator++() override;
    void restart() override { m_pCur = m_list.m_pHead; }

private:
    const List& m_list;
    const List::Node* m_pCur;
};

#endif
