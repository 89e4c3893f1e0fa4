// Btree: one sorted run of element pointers, searched by bisection.
#include "classlib/Btree.h"
#include "classlib/BtreeIterator.h"

#include "PXafx.h"

#include <new>
#include <stdlib.h>
#include <string.h>

namespace {

const countType kMaxItems = 0x3fffffff;

const Sortable& AsSortable(const Object& obj)
{
    PXASSERT(obj.isSortable());
    return static_cast<const Sortable&>(obj);
}

} // namespace

Btree::Btree(int order)
    : m_ppItems(nullptr), m_nItems(0), m_nRoom(0), m_nOrder(order < 3 ? 3 : order)
{
}

Btree::~Btree()
{
    flush();
    free(m_ppItems);
}

countType Btree::LowerBound(const Sortable& obj) const
{
    countType lo = 0, hi = m_nItems;
    while (lo < hi)
    {
        countType mid = lo + (hi - lo) / 2;
        if (static_cast<const Sortable*>(m_ppItems[mid])->isLessThan(obj))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

countType Btree::UpperBound(const Sortable& obj) const
{
    countType lo = 0, hi = m_nItems;
    while (lo < hi)
    {
        countType mid = lo + (hi - lo) / 2;
        if (obj.isLessThan(*m_ppItems[mid]))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void Btree::add(Object& obj)
{
    const Sortable& s = AsSortable(obj);
    if (m_nItems == m_nRoom)
    {
        PXASSERT(m_nRoom < kMaxItems);
        countType nRoom = m_nRoom < 8 ? 8 : (m_nRoom > kMaxItems / 2 ? kMaxItems : m_nRoom * 2);
        Object** pp = static_cast<Object**>(realloc(m_ppItems, nRoom * sizeof(Object*)));
        if (!pp)
            PXTHROW_XMEM(0);
        m_ppItems = pp;
        m_nRoom = nRoom;
    }
    countType pos = UpperBound(s);
    memmove(m_ppItems + pos + 1, m_ppItems + pos, (m_nItems - pos) * sizeof(Object*));
    m_ppItems[pos] = &obj;
    ++m_nItems;
}

long Btree::PositionOf(const Object& obj) const
{
    if (!obj.isSortable() || m_nItems == 0)
        return -1;
    const Sortable& s = static_cast<const Sortable&>(obj);
    countType lo = LowerBound(s);
    countType hi = UpperBound(s);
    for (countType i = lo; i < hi; ++i)
        if (m_ppItems[i] == &obj)
            return static_cast<long>(i);
    for (countType i = lo; i < hi; ++i)
        if (*m_ppItems[i] == obj)
            return static_cast<long>(i);
    return -1;
}

void Btree::detach(Object& obj, DeleteType dt)
{
    long pos = PositionOf(obj);
    if (pos < 0)
        return;
    Object* pObj = m_ppItems[pos];
    memmove(m_ppItems + pos, m_ppItems + pos + 1, (m_nItems - pos - 1) * sizeof(Object*));
    --m_nItems;
    if (delObj(dt))
        delete pObj;
}

void Btree::flush(DeleteType dt)
{
    bool bDelete = delObj(dt) != 0;
    countType n = m_nItems;
    m_nItems = 0;
    for (countType i = 0; i < n; ++i)
        if (bDelete)
            delete m_ppItems[i];
}

int Btree::hasMember(const Object& obj) const
{
    return PositionOf(obj) >= 0;
}

Object& Btree::findMember(const Object& obj) const
{
    long pos = PositionOf(obj);
    return pos < 0 ? NOOBJECT : *m_ppItems[pos];
}

Object& Btree::operator[](long index) const
{
    if (index < 0 || static_cast<countType>(index) >= m_nItems)
        return NOOBJECT;
    return *m_ppItems[index];
}

long Btree::rank(const Object& obj) const
{
    return PositionOf(obj);
}

ContainerIterator& Btree::initIterator() const
{
    BtreeIterator* p = new (std::nothrow) BtreeIterator(*this);
    if (!p)
        PXTHROW_XMEM(0);
    return *p;
}

// ---------------------------------------------------------------------------
// BtreeIterator

BtreeIterator::BtreeIterator(const Btree& tree)
    : m_tree(tree), m_nPos(0)
{
}

Object& BtreeIterator::current()
{
    return m_nPos < m_tree.m_nItems ? *m_tree.m_ppItems[m_nPos] : NOOBJECT;
}

Object& BtreeIterator::operator++(int)
{
    if (m_nPos >= m_tree.m_nItems)
        return NOOBJECT;
    return *m_tree.m_ppItems[m_nPos++];
}

Object& BtreeIterator::operator++()
{
    if (m_nPos < m_tree.m_nItems)
        ++m_nPos;
    return current();
}
