// List: singly linked, with a tail pointer for appending.
#include "classlib/List.h"
#include "classlib/ListIterator.h"

#include "PXafx.h"

#include <new>

namespace {

void* NewNode(size_t n)
{
    void* p = ::operator new(n, std::nothrow);
    if (!p)
        PXTHROW_XMEM(0);
    return p;
}

} // namespace

List::List()
    : m_pHead(nullptr), m_pTail(nullptr), m_nItems(0)
{
}

List::~List()
{
    flush();
}

void List::add(Object& obj)
{
    Node* p = static_cast<Node*>(NewNode(sizeof(Node)));
    p->pObj = &obj;
    p->pNext = m_pHead;
    m_pHead = p;
    if (!m_pTail)
        m_pTail = p;
    ++m_nItems;
}

void List::addAtTail(Object& obj)
{
    Node* p = static_cast<Node*>(NewNode(sizeof(Node)));
    p->pObj = &obj;
    p->pNext = nullptr;
    if (m_pTail)
        m_pTail->pNext = p;
    else
        m_pHead = p;
    m_pTail = p;
    ++m_nItems;
}

void List::detach(Object& obj, DeleteType dt)
{
    // The object itself first; only when it is not held, the first equal one.
    Node* pPrev = nullptr;
    Node* pFound = nullptr;
    Node* pFoundPrev = nullptr;
    for (Node* p = m_pHead; p; pPrev = p, p = p->pNext)
    {
        if (p->pObj == &obj)
        {
            pFound = p;
            pFoundPrev = pPrev;
            break;
        }
        if (!pFound && *p->pObj == obj)
        {
            pFound = p;
            pFoundPrev = pPrev;
        }
    }
    if (!pFound)
        return;
    if (pFoundPrev)
        pFoundPrev->pNext = pFound->pNext;
    else
        m_pHead = pFound->pNext;
    if (m_pTail == pFound)
        m_pTail = pFoundPrev;
    --m_nItems;
    Object* pObj = pFound->pObj;
    ::operator delete(pFound);
    if (delObj(dt))
        delete pObj;
}

void List::flush(DeleteType dt)
{
    bool bDelete = delObj(dt) != 0;
    // Unlink first, so that destructors of the elements see a consistent list.
    Node* p = m_pHead;
    m_pHead = m_pTail = nullptr;
    m_nItems = 0;
    while (p)
    {
        Node* pNext = p->pNext;
        Object* pObj = p->pObj;
        ::operator delete(p);
        if (bDelete)
            delete pObj;
        p = pNext;
    }
}

Object& List::peekHead() const
{
    return m_pHead ? *m_pHead->pObj : NOOBJECT;
}

Object& List::peekTail() const
{
    return m_pTail ? *m_pTail->pObj : NOOBJECT;
}

ContainerIterator& List::initIterator() const
{
    ListIterator* p = new (std::nothrow) ListIterator(*this);
    if (!p)
        PXTHROW_XMEM(0);
    return *p;
}

// ---------------------------------------------------------------------------
// ListIterator

ListIterator::ListIterator(const List& list)
    : m_list(list), m_pCur(list.m_pHead)
{
}

Object& ListIterator::current()
{
    return m_pCur ? *m_pCur->pObj : NOOBJECT;
}

Object& ListIterator::operator++(int)
{
    if (!m_pCur)
        return NOOBJECT;
    Object& obj = *m_pCur->pObj;
    m_pCur = m_pCur->pNext;
    return obj;
}

Object& ListIterator::operator++()
{
    if (m_pCur)
        m_pCur = m_pCur->pNext;
    return current();
}
