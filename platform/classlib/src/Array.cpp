// Array and InsertArray: contiguous entries in a growable block of slots.
#include "classlib/Array.h"
#include "classlib/ArrayIterator.h"
#include "classlib/InsertArray.h"

#include "PXafx.h"

#include <new>
#include <stdlib.h>
#include <string.h>

namespace {

const sizeType kMaxRoom = 0x3fffffff;

} // namespace

Array::Array(int upper, int lower, sizeType delta)
    : m_ppItems(nullptr), m_nLower(lower), m_nRoom(0), m_nDelta(delta), m_nItems(0)
{
    PXASSERT(upper >= lower - 1);
    long long nRoom = static_cast<long long>(upper) - lower + 1;
    PXASSERT(nRoom <= kMaxRoom);
    if (nRoom > 0)
    {
        m_ppItems = static_cast<Object**>(calloc(static_cast<size_t>(nRoom), sizeof(Object*)));
        if (!m_ppItems)
            PXTHROW_XMEM(0);
        m_nRoom = static_cast<sizeType>(nRoom);
    }
}

Array::~Array()
{
    flush();
    free(m_ppItems);
}

void Array::GrowForOne(bool byOne)
{
    if (m_nItems < m_nRoom)
        return;
    sizeType nGrow = (byOne || m_nDelta == 0) ? 1 : m_nDelta;
    PXASSERT(m_nRoom <= kMaxRoom - nGrow);
    sizeType nRoom = m_nRoom + nGrow;
    Object** pp = static_cast<Object**>(realloc(m_ppItems, nRoom * sizeof(Object*)));
    if (!pp)
        PXTHROW_XMEM(0);
    memset(pp + m_nRoom, 0, nGrow * sizeof(Object*));
    m_ppItems = pp;
    m_nRoom = nRoom;
}

void Array::OpenSlot(countType pos)
{
    PXASSERT(pos <= m_nItems && m_nItems < m_nRoom);
    memmove(m_ppItems + pos + 1, m_ppItems + pos, (m_nItems - pos) * sizeof(Object*));
    m_ppItems[pos] = nullptr;
}

void Array::add(Object& obj)
{
    GrowForOne(false);
    m_ppItems[m_nItems++] = &obj;
}

void Array::addAt(Object& obj, int index)
{
    PXASSERT(index >= m_nLower);
    long long pos = static_cast<long long>(index) - m_nLower;
    if (pos >= m_nItems)
    {
        add(obj);
        return;
    }
    Object* pOld = m_ppItems[pos];
    m_ppItems[pos] = &obj;
    if (pOld != &obj && delObj(DefDelete))
        delete pOld;
}

int Array::PositionOf(const Object& obj) const
{
    for (countType i = 0; i < m_nItems; ++i)
        if (m_ppItems[i] == &obj)
            return static_cast<int>(i);
    for (countType i = 0; i < m_nItems; ++i)
        if (*m_ppItems[i] == obj)
            return static_cast<int>(i);
    return -1;
}

void Array::RemoveAtPosition(countType pos, DeleteType dt)
{
    Object* pObj = m_ppItems[pos];
    memmove(m_ppItems + pos, m_ppItems + pos + 1, (m_nItems - pos - 1) * sizeof(Object*));
    m_ppItems[--m_nItems] = nullptr;
    if (delObj(dt))
        delete pObj;
}

void Array::detach(Object& obj, DeleteType dt)
{
    int pos = PositionOf(obj);
    if (pos >= 0)
        RemoveAtPosition(static_cast<countType>(pos), dt);
}

void Array::detach(int index, DeleteType dt)
{
    PXASSERT(index >= m_nLower);
    long long pos = static_cast<long long>(index) - m_nLower;
    if (pos >= m_nItems)
        return;
    RemoveAtPosition(static_cast<countType>(pos), dt);
}

void Array::flush(DeleteType dt)
{
    bool bDelete = delObj(dt) != 0;
    countType n = m_nItems;
    m_nItems = 0;
    for (countType i = 0; i < n; ++i)
    {
        Object* pObj = m_ppItems[i];
        m_ppItems[i] = nullptr;
        if (bDelete)
            delete pObj;
    }
}

Object& Array::operator[](int index) const
{
    PXASSERT(index >= lowerBound() && index <= upperBound());
    countType pos = static_cast<countType>(static_cast<long long>(index) - m_nLower);
    return pos < m_nItems ? *m_ppItems[pos] : NOOBJECT;
}

int Array::find(const Object& obj) const
{
    int pos = PositionOf(obj);
    return pos < 0 ? m_nLower - 1 : m_nLower + pos;
}

ContainerIterator& Array::initIterator() const
{
    ArrayIterator* p = new (std::nothrow) ArrayIterator(*this);
    if (!p)
        PXTHROW_XMEM(0);
    return *p;
}

// ---------------------------------------------------------------------------
// ArrayIterator

ArrayIterator::ArrayIterator(const Array& array)
    : m_array(array), m_nPos(0)
{
}

Object& ArrayIterator::current()
{
    return m_nPos < m_array.m_nItems ? *m_array.m_ppItems[m_nPos] : NOOBJECT;
}

Object& ArrayIterator::operator++(int)
{
    if (m_nPos >= m_array.m_nItems)
        return NOOBJECT;
    return *m_array.m_ppItems[m_nPos++];
}

Object& ArrayIterator::operator++()
{
    if (m_nPos < m_array.m_nItems)
        ++m_nPos;
    return current();
}

// ---------------------------------------------------------------------------
// InsertArray

void InsertArray::InsertAt(int index, Object& obj)
{
    PXASSERT(index >= m_nLower);
    long long pos = static_cast<long long>(index) - m_nLower;
    if (pos > m_nItems)
        pos = m_nItems;
    GrowForOne(true);
    OpenSlot(static_cast<countType>(pos));
    m_ppItems[pos] = &obj;
    ++m_nItems;
}
