// The object-ID index of the program-file readers.
#include "IDIndex.h"

#include <new>

int IDPointer::isEqual(const Object& test) const
{
    return m_nID == static_cast<const IDPointer&>(test).m_nID;
}

int IDPointer::isLessThan(const Object& test) const
{
    return m_nID < static_cast<const IDPointer&>(test).m_nID;
}

ProgramObject* IDIndex::Find(long nID) const
{
    IDPointer probe(nID, nullptr);
    long nRank = rank(probe);
    if (nRank < 0)
        return nullptr;
    return static_cast<IDPointer&>((*this)[nRank]).GetObject();
}

int IDIndex::Add(long nID, ProgramObject* pObject)
{
    IDPointer probe(nID, nullptr);
    if (rank(probe) >= 0)
        return 0;
    IDPointer* pEntry = new (std::nothrow) IDPointer(nID, pObject);
    if (!pEntry)
        return 0;
    add(*pEntry);
    return 1;
}

IDIndex& IDIndex::Get()
{
    static IDIndex s_index;
    return s_index;
}
