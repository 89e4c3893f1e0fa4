// Statement and section classes of record definitions: fields, the
// verification style and verification messages, the DATA and VERIFICATION
// sections.
#ifndef PXRECACC_H
#define PXRECACC_H

#include "PXSction.h"

// SRSTYLE: the verification style of a VERIFICATION section.
class PXStyleStatement : public PXStatement
{
public:
    PXStyleStatement() { m_nFixed = 1; }
    void Validate() override {}
    int GetNbOptional() override { return 0; }
};

// Style flags of a verification message.
enum
{
    PXMSG_SHOWFIELD = 0x001,    // insert: the field's name
    PXMSG_SHOWTEXT = 0x002,     // insert: the field's text
    PXMSG_OTHERFIELD = 0x100,   // the field is the message's optional word
    PXMSG_PLAIN = 0x400,        // the message without inserts
    PXMSG_SILENT = 0x800,       // no message at all
    PXMSG_COMPOSED = 0x008      // composed from the condition
};

// Verification message: a marker word (not 0), message id, style; one
// optional field word when PXMSG_SHOWFIELD or PXMSG_SHOWTEXT is set.
class PXMsgBoxStatement : public PXStatement
{
public:
    PXMsgBoxStatement() { m_nFixed = 3; }
    void Validate() override {}
    int GetNbOptional() override;
    int GetOptIndex(WORD wFlag) override;

    WORD GetMessageId() const { return GetParam(1); }
};

// Field: field id (not 0), native type, style; one optional word for each of
// the flags 0x002, 0x010, 0x004, 0x008 that is set, in this order.
class PXFieldStatement : public PXStatement
{
public:
    PXFieldStatement() { m_nFixed = 3; }
    void Validate() override {}
    int GetNbOptional() override;
    int GetOptIndex(WORD wFlag) override;

    WORD GetFieldId() const { return GetParam(0); }
    WORD GetNativeType() const { return GetParam(1); }
};

class PXDataSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

class PXVerificationSection : public PXSection
{
public:
    void CheckHeaderToken(WORD wToken) override;
    void CheckBodyToken(WORD wToken) override;
};

#endif
