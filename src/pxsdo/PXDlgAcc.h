// Statement and section classes of dialog and property-sheet definitions:
// references, soft controls, data links and notifications.
#ifndef PXDLGACC_H
#define PXDLGACC_H

#include "PXMMLSTM.h"
#include "PXSction.h"

// Header of a NOTIFICATION section: control id (not 0), notification code.
class PXNotifStatement : public PXStatement
{
public:
    PXNotifStatement() { m_nFixed = 2; }
    void Validate() override {}
    int GetNbOptional() override;
};

// Reaction: target control id (not 0), action, style; the string id of the
// text action 0x467 as optional word.
class PXReactionStatement : public PXStatement
{
public:
    PXReactionStatement() { m_nFixed = 3; }
    void Validate() override {}
    int GetNbOptional() override;
};

// A soft dialog: dialog definition id, help id.
class PXSoftDlgStatement : public PXStatement
{
public:
    PXSoftDlgStatement() { m_nFixed = 2; }
    void Validate() override {}
    int GetNbOptional() override { return 0; }
};

// The dialog template id (not 0).
class PXDlgResStatement : public PXStatement
{
public:
    PXDlgResStatement() { m_nFixed = 1; }
    void Validate() override {}
    int GetNbOptional() override;
};

// Data link: control id (not 0), field id, style; with 0x001 after its words
// a block of parameter statements, which style 0x002 requires.
class PXDataLinkStatement : public PXModMultiLineStatement
{
public:
    PXDataLinkStatement() { m_nFixed = 3; }
    void Validate() override;
    int GetNbOptional() override;
    void CheckBodyToken(WORD wToken) override;
};

// Plain soft control: control id (not 0), control class, style, optional
// words by control class.
class PXPlainCtrlStatement : public PXStatement
{
public:
    PXPlainCtrlStatement() { m_nFixed = 3; }
    void Validate() override {}
    int GetNbOptional() override;
    int GetOptIndex(WORD wFlag) override;
};

// Group control: as a plain control, then always a block of member controls.
class PXGroupCtrlStatement : public PXMultiLineStatement
{
public:
    PXGroupCtrlStatement() { m_bHasFirstLine = TRUE; m_nFixed = 3; }
    void Validate() override {}
    int GetNbOptional() override;
    int GetOptIndex(WORD wFlag) override;
    void CheckBodyToken(WORD wToken) override;
};

// Member of a group control: its control id (not 0).
class PXSubCtrlStatement : public PXStatement
{
public:
    PXSubCtrlStatement() { m_nFixed = 1; }
    void Validate() override {}
    int GetNbOptional() override;
};

// The property-sheet definition id.
class PXSoftPropSheetStatement : public PXStatement
{
public:
    PXSoftPropSheetStatement() { m_nFixed = 1; }
    void Validate() override {}
    int GetNbOptional() override { return 0; }
};

class PXDlgDataLinkSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

class PXSoftControlSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

class PXNotificationSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

#endif
