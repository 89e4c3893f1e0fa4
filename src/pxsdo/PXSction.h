// A section of a definition: a header list and a body list, no words of its
// own. A plain section is also the then or else block of a condition, whose
// body check is that of the section holding the condition.
#ifndef PXSCTION_H
#define PXSCTION_H

#include "PXMulStm.h"

class PXSection : public PXMultiLineStatement
{
public:
    PXSection();

    void Validate() override {}
    void Read(PXResNav& rResNav) override;
    void CheckBodyToken(WORD wToken) override;
};

#endif
