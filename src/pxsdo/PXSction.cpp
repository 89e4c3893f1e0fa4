// Sections: header and body lists without a line of their own.
#include "PXSction.h"
#include "PXResNav.h"

PXSection* PXSectionArray::GetSection(int i) const
{
    return static_cast<PXSection*>(GetAt(i));
}

PXSection::PXSection()
{
    m_bHasFirstLine = FALSE;
    SetSection(this);
}

void PXSection::Read(PXResNav& rResNav)
{
    PXASSERT(HasFirstLine()==0);
    PXMultiLineStatement::Read(rResNav);
}

void PXSection::CheckBodyToken(WORD wToken)
{
    // A plain section has no token list of its own: as a condition's block it
    // takes the body rule of the section that holds the condition.
    PXASSERT(GetSection()!=this);
    PXMultiLineStatement::CheckBodyToken(wToken);
}
