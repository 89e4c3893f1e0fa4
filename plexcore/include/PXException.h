// Exceptions of the program: a string-table description id, the source path
// and the line of the thrower. Failed allocations are thrown as PXXMem.
//
// Classes: PXException, PXXMem.
#ifndef PXEXCEPTION_H
#define PXEXCEPTION_H

#include "PXString.h"
#include "PXCommonRes.h"

class PXException
{
public:
    PXException(unsigned nDescr, CString fileName, int nLine);
    PXException(const PXException& rX);
    virtual ~PXException() = default;

    virtual CString& FormatText(CString& out);

    unsigned m_nDescr;
    CString m_FileName;
    int m_nLine;
};

class PXXMem : public PXException
{
public:
    PXXMem(unsigned nDescr, CString fileName, int nLine);
    PXXMem(const PXXMem& rX);

    CString& FormatText(CString& out) override;
};

// Throws PXXMem naming the thrower's own file and line.
#define PXTHROW_XMEM(nDescr) throw PXXMem((nDescr), __FILE__, __LINE__)

#endif
