// DisplayList: the layers of an object pane's display objects, each an
// InsertArray that does not own its entries; flushing deletes the display
// objects.
#ifndef DISPLAYLIST_H
#define DISPLAYLIST_H

#include "classlib/InsertArray.h"

#define DISPLAYLIST_MAX_LAYERS 6

class DisplayList
{
public:
    explicit DisplayList(int nCount);
    ~DisplayList();

    // Deletes the display objects of every layer and empties them.
    void Flush();
    int GetCount() const { return m_nCount; }
    InsertArray& Layer(int n) const { return *m_pLayers[n]; }

private:
    DisplayList(const DisplayList&) = delete;
    DisplayList& operator=(const DisplayList&) = delete;

    InsertArray* m_pLayers[DISPLAYLIST_MAX_LAYERS];
    int m_nCount;
};

#endif
