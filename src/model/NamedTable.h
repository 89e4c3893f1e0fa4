// The look-up that the tables of named drawing resources (fonts, pens,
// brushes, bitmaps) share: the first entry whose name is the one asked for.
#ifndef NAMEDTABLE_H
#define NAMEDTABLE_H

#include "PXafx.h"
#include "classlib/Array.h"

// T is the table's entry class and answers GetName(). Names compare exactly
// (case-sensitive); no name finds nothing.
template <class T>
T* FindByName(const Array& table, const char* pszName)
{
    if (!pszName)
        return nullptr;
    const int nEnd = table.lowerBound() + static_cast<int>(table.getItemsInContainer());
    for (int i = table.lowerBound(); i < nEnd; ++i)
    {
        T& entry = static_cast<T&>(table[i]);
        if (lstrcmpA(entry.GetName(), pszName) == 0)
            return &entry;
    }
    return nullptr;
}

#endif
