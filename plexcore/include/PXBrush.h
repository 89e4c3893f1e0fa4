// PXBrush holds a pattern brush.
#ifndef PXBRUSH_H
#define PXBRUSH_H

#include "PXafx.h"

class PXBitmap;

class PXBrush
{
public:
    PXBrush() : m_hObject(0) {}
    ~PXBrush();

    BOOL CreatePatternBrush(PXBitmap* pBitmap);

    HBRUSH m_hObject;

private:
    PXBrush(const PXBrush&) = delete;
    PXBrush& operator=(const PXBrush&) = delete;
};

#endif
