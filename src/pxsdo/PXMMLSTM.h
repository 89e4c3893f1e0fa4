// A statement with a line of its own and an optional block without header:
// the block follows only when the next word is 0x0001 (data links).
#ifndef PXMMLSTM_H
#define PXMMLSTM_H

#include "PXMulStm.h"

class PXModMultiLineStatement : public PXMultiLineStatement
{
public:
    PXModMultiLineStatement() { m_bHasFirstLine = TRUE; }

    void Read(PXResNav& rResNav) override;
};

#endif
