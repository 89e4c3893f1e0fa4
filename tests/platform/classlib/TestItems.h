// Objects for the container tests: a sortable item with a key that decides
// equality and order, a serial number that tells equal items apart, and a
// count of live items so that tests see what a container deleted.
#ifndef CLASSLIB_TESTITEMS_H
#define CLASSLIB_TESTITEMS_H

#include "classlib/Array.h"
#include "classlib/Btree.h"
#include "classlib/List.h"

#include <ostream>
#include <string>
#include <vector>

class Item : public Sortable
{
public:
    explicit Item(int nKey, int nSerial = 0) : m_nKey(nKey), m_nSerial(nSerial) { ++s_nLive; }
    ~Item() override { --s_nLive; }

    classType isA() const override { return 400; }
    const char* nameOf() const override { return "Item"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override
    {
        return m_nKey == static_cast<const Item&>(test).m_nKey;
    }
    int isLessThan(const Object& test) const override
    {
        return m_nKey < static_cast<const Item&>(test).m_nKey;
    }
    void printOn(std::ostream& os) const override { os << m_nKey; }

    int m_nKey;
    int m_nSerial;
    static int s_nLive;
};

// An object of another class whose key compares like an Item's.
class Other : public Object
{
public:
    explicit Other(int nKey) : m_nKey(nKey) {}
    classType isA() const override { return 401; }
    const char* nameOf() const override { return "Other"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override
    {
        return m_nKey == static_cast<const Other&>(test).m_nKey;
    }
    void printOn(std::ostream& os) const override { os << "o" << m_nKey; }
    int m_nKey;
};

// The keys of a container in walk order, through its iterator.
inline std::vector<int> Keys(const Container& c)
{
    std::vector<int> keys;
    ContainerIterator& it = c.initIterator();
    while (it)
        keys.push_back(static_cast<Item&>(it++).m_nKey);
    delete &it;
    return keys;
}

#endif
