// List: a linked list of objects. add() puts an element at the head, so a
// walk visits the elements newest first and a search finds the most
// recently added match; addAtTail() appends instead.
#ifndef CLASSLIB_LIST_H
#define CLASSLIB_LIST_H

#include "classlib/Collection.h"

class ListIterator;

class List : public Collection
{
public:
    List();
    ~List() override;

    void add(Object& obj) override;
    void addAtTail(Object& obj);
    void detach(Object& obj, DeleteType dt = NoDelete) override;
    void flush(DeleteType dt = DefDelete) override;

    // The first (last) element, NOOBJECT when the list is empty.
    Object& peekHead() const;
    Object& peekTail() const;

    countType getItemsInContainer() const override { return m_nItems; }
    ContainerIterator& initIterator() const override;

    classType isA() const override { return listClass; }
    const char* nameOf() const override { return "List"; }

private:
    friend class ListIterator;

    struct Node
    {
        Object* pObj;
        Node* pNext;
    };

    Node* m_pHead;
    Node* m_pTail;
    countType m_nItems;
};

#endif

// The walk over a list comes with it: callers of this header use both.
#include "classlib/ListIterator.h"
