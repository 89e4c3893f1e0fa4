// Exceptions with a string-table description, the thrower's file and line.
#include "PXafx.h"

PXException::PXException(unsigned nDescr, CString fileName, int nLine)
    : m_nDescr(nDescr), m_FileName(fileName), m_nLine(nLine)
{
    PXASSERT(!(fileName.IsEmpty())&&nLine!=0);
}

PXException::PXException(const PXException& rX)
    : m_nDescr(rX.m_nDescr), m_FileName(rX.m_FileName), m_nLine(rX.m_nLine)
{
    PXASSERT(!(rX.m_FileName.IsEmpty())&&rX.m_nLine!=0);
}

CString& PXException::FormatText(CString& out)
{
    // Id 0 is what an out-of-memory rethrow carries: it gets a generic text.
    out.Format("Error# %d\n", static_cast<int>(m_nDescr));
    CString strDescr;
    strDescr.LoadStringA(m_nDescr != 0 ? m_nDescr : IDS_PX_NODESCR);
    out += strDescr;
    out += "\n\nDEBUG info:\n\n";
    out += "   File: \"";
    out += m_FileName;
    CString strLine;
    strLine.Format("\"\n   Line: %d", m_nLine);
    out += strLine;
    return out;
}

PXXMem::PXXMem(unsigned nDescr, CString fileName, int nLine)
    : PXException(nDescr, fileName, nLine)
{
}

PXXMem::PXXMem(const PXXMem& rX)
    : PXException(rX)
{
}

CString& PXXMem::FormatText(CString& out)
{
    return PXException::FormatText(out);
}
