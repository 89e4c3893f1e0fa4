// Statement and section classes that record, dialog and property-sheet
// definitions share.
#ifndef PXOBJACC_H
#define PXOBJACC_H

#include "PXSction.h"

// SRVERSION: two version words, the first not 0.
class PXSRVersionStatement : public PXStatement
{
public:
    PXSRVersionStatement() { m_nFixed = 2; }
    void Validate() override {}
    int GetNbOptional() override;
};

// Extension call: extension id (not 0), style.
class PXExtensionStatement : public PXStatement
{
public:
    PXExtensionStatement() { m_nFixed = 2; }
    void Validate() override {}
    int GetNbOptional() override;
};

// Parameter of a data link: field id (not 0), style, two optional words with
// flag 0x001.
class PXParamStatement : public PXStatement
{
public:
    PXParamStatement() { m_nFixed = 2; }
    void Validate() override {}
    int GetNbOptional() override;
};

// Help id of a dialog (not 0).
class PXDlgHelpStatement : public PXStatement
{
public:
    PXDlgHelpStatement() { m_nFixed = 1; }
    void Validate() override {}
    int GetNbOptional() override;
};

class PXReferencesSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

#endif
