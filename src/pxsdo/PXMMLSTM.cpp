// Statements with an optional block after their own line.
#include "PXMMLSTM.h"
#include "PXResNav.h"

void PXModMultiLineStatement::Read(PXResNav& rResNav)
{
    PXStatement::Read(rResNav);
    if (rResNav.PeekNextToken() != PXW_BEGIN)
        return;
    rResNav.GetNextToken();
    ReadBody(rResNav);
}
