// The handle through which the program reads and writes one field of one
// soft record. Every access goes through the record's cell for the field,
// so reads see uncommitted edits and writes wait for the commit.
#ifndef PXFIELDVALUE_H
#define PXFIELDVALUE_H

#include "PXValue.h"

class PXSoftRec;
class PXRecArray;

class PXFieldValue : public PXObject
{
public:
    PXFieldValue() : m_pRec(nullptr), m_wFieldId(0) {}
    PXFieldValue(WORD wFieldId, PXSoftRec* pRec) : m_pRec(pRec), m_wFieldId(wFieldId) {}
    PXFieldValue(const PXFieldValue& r) : PXObject(), m_pRec(r.m_pRec), m_wFieldId(r.m_wFieldId) {}
    PXFieldValue& operator=(const PXFieldValue& r)
    {
        m_pRec = r.m_pRec;
        m_wFieldId = r.m_wFieldId;
        return *this;
    }

    WORD GetFieldId() const { return m_wFieldId; }
    void SetFieldId(WORD wFieldId) { m_wFieldId = wFieldId; }
    PXSoftRec* GetRecord() const { return m_pRec; }
    void SetRecord(PXSoftRec* pRec) { m_pRec = pRec; }

    // Typed contents; valid while the cell lives. Write only by the setters.
    long* GetInt32() const;
    short* GetInt16() const;
    CString* GetText() const;
    PXRecArray* GetRecArray() const;

    PXFieldValue SetText(CString text);
    PXFieldValue SetInt32(long l);
    PXFieldValue SetInt16(short s);
    PXFieldValue SetRecArray(PXRecArray& rRecArray);
    // This field becomes a copy of the other field's value.
    PXFieldValue Assign(const PXFieldValue& rOther);

    int IsEqual(const PXFieldValue& rOther) const;
    int IsLess(const PXFieldValue& rOther) const;

    // The check of a typed text by the field's type: dates and times are
    // checked and, when accepted, normalised; INT16 and INT32 numbers must
    // lie in their range. 1 accepted; unless bQuiet a refusal is reported.
    int CheckText(CString& rText, int bQuiet) const;

private:
    PXSOFTTYPE GetType() const;

    PXSoftRec* m_pRec;
    WORD m_wFieldId;
};

#endif
