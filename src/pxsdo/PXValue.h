// Typed values of soft-record fields: one class per native field type, all
// with the same virtual interface, converting between each other as the
// record layer needs. Time and month-day values are in PXTime.h, the
// record-set value in PXRecArray.h.
#ifndef PXVALUE_H
#define PXVALUE_H

#include "PXafx.h"

// Native field types (PXSOFTTYPE).
typedef WORD PXSOFTTYPE;
enum
{
    PXST_NONE = 0,
    PXST_INT16 = 1,
    PXST_INT32 = 2,
    PXST_TEXT = 3,
    PXST_BOOL = 4,
    PXST_MONTHANDDAY = 5,
    PXST_TIME = 6,
    PXST_RECORDSET = 7
};

// How a field lies in a record's own storage (PX_FLDS_MEM).
typedef WORD PX_FLDS_MEM;
enum
{
    PXFM_CHAR = 0x8020,             // NUL-terminated 8-bit characters
    PXFM_MEMSTRINGTABLEID = 0x8040, // 32-bit string-table id of the text
    PXFM_INT32 = 0x8080,
    PXFM_INT16 = 0x8100,
    PXFM_BOOL = 0x8200,             // 32-bit integer, 0 false
    PXFM_STRING = 0x8400,           // a CString
    PXFM_OBARRAY = 0x8800           // a PXObArray of child soft records
};

class PXRecArray;
class PXTime;
class PXMonthAndDay;
class PXSoftRecSet;

class PXValue : public PXObject
{
public:
    PXValue() {}

    virtual PXSOFTTYPE GetType() const;
    // Reserved attribute bits of a value; every concrete value answers 0.
    virtual int GetAttributes() const;
    virtual long* GetInt32();
    virtual short* GetInt16();
    virtual CString* GetText();
    virtual PXRecArray* GetRecArray();
    virtual PXTime* GetTime();
    virtual PXMonthAndDay* GetMonthAndDay();
    virtual PXSoftRecSet* GetRecordSet();

    virtual PXValue& operator=(const PXValue& rValue);
    virtual PXValue& operator=(const long& rL);
    virtual PXValue& operator=(const short& rS);
    virtual PXValue& operator=(const CString& rText);
    virtual PXValue& operator=(PXRecArray& rRecArray);
};

class PXInt16 : public PXValue
{
public:
    PXInt16() : m_sValue(0) {}
    PXInt16(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_INT16; }
    int GetAttributes() const override { return 0; }
    short* GetInt16() override { return &m_sValue; }

    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXInt16& operator=(const PXInt16& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    PXValue& operator=(const long& rL) override;
    PXValue& operator=(const short& rS) override;
    PXValue& operator=(const CString& rText) override;
    using PXValue::operator=;

private:
    short m_sValue;
};

class PXInt32 : public PXValue
{
public:
    PXInt32() : m_lValue(0) {}
    PXInt32(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_INT32; }
    int GetAttributes() const override { return 0; }
    long* GetInt32() override { return &m_lValue; }

    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXInt32& operator=(const PXInt32& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    PXValue& operator=(const long& rL) override;
    PXValue& operator=(const short& rS) override;
    PXValue& operator=(const CString& rText) override;
    using PXValue::operator=;

private:
    long m_lValue;
};

class PXBool : public PXValue
{
public:
    PXBool() : m_lValue(0) {}
    PXBool(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_BOOL; }
    int GetAttributes() const override { return 0; }
    long* GetInt32() override { return &m_lValue; }

    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXBool& operator=(const PXBool& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    PXValue& operator=(const long& rL) override;
    PXValue& operator=(const short& rS) override;
    PXValue& operator=(const CString& rText) override;
    using PXValue::operator=;

private:
    long m_lValue;
};

class PXText : public PXValue
{
public:
    PXText() {}
    PXText(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_TEXT; }
    int GetAttributes() const override { return 0; }
    CString* GetText() override { return &m_Text; }

    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXText& operator=(const PXText& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    PXValue& operator=(const long& rL) override;
    PXValue& operator=(const short& rS) override;
    PXValue& operator=(const CString& rText) override;
    using PXValue::operator=;

private:
    CString m_Text;
};

// The decimal number at the start of a text: leading blanks and a sign are
// allowed, the first other character ends it, no digits give 0. Numbers
// beyond 32 bits are held at the nearest 32-bit limit.
long PXTextToNumber(const char* psz);

// True when the text starts with a number (after blanks and a sign) that
// lies outside lLow..lHigh, or one too large for 32 bits.
bool PXTextNumberOutOfRange(const char* psz, long lLow, long lHigh);

// The stored truth texts.
extern const char PXTEXT_YES[];     // "Yes"
extern const char PXTEXT_NO[];      // "No"

#endif
