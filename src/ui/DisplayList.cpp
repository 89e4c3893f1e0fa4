// The layers of an object pane.
#include "DisplayList.h"
#include "PXAssert.h"

DisplayList::DisplayList(int nCount) : m_nCount(nCount)
{
    PXASSERT(nCount > 0 && nCount <= DISPLAYLIST_MAX_LAYERS);
    for (int i = 0; i < DISPLAYLIST_MAX_LAYERS; ++i)
    {
        m_pLayers[i] = nullptr;
        if (i < nCount)
        {
            m_pLayers[i] = new InsertArray(50, 0, 50);
            m_pLayers[i]->ownsElements(0);
        }
    }
}

DisplayList::~DisplayList()
{
    for (InsertArray* pLayer : m_pLayers)
        delete pLayer;
}

void DisplayList::Flush()
{
    for (int i = 0; i < m_nCount; ++i)
        m_pLayers[i]->flush(TShouldDelete::Delete);
}
