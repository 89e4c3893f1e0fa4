// Inside the foundation library: a memory context of the screen with one
// bitmap selected; both go back at the end of the scope.
#ifndef PXMEMDC_H
#define PXMEMDC_H

#include "PXWnd.h"
#include "PXDC.h"
#include "PXBitmap.h"

class PXMemDC
{
public:
    explicit PXMemDC(PXBitmap* pBitmap)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectBitmap(pBitmap);
    }
    HDC Handle() const { return m_dc.m_hDC; }
    PXDC& DC() { return m_dc; }

private:
    PXDC m_dc;
};

#endif
