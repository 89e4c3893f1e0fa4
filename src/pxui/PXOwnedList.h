// An array that owns the records it holds: made empty, and deleted with
// every record in it.
#ifndef PXOWNEDLIST_H
#define PXOWNEDLIST_H

#include "PXafx.h"
#include "PXException.h"

#include <new>

inline PXObArray* PXNewOwnedList()
{
    PXObArray* p = new (std::nothrow) PXObArray;
    if (!p)
        PXTHROW_XMEM(0);
    return p;
}

// Deletes the records and the array, and clears the pointer; none is left
// as it is.
inline void PXDeleteOwnedList(PXObArray*& rp)
{
    if (!rp)
        return;
    for (int i = 0; i < rp->GetSize(); ++i)
        delete rp->GetAt(i);
    delete rp;
    rp = nullptr;
}

#endif
