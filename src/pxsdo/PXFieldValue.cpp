// Field values: typed access to one field through its cell, comparisons for
// sorting and finding, and the check of typed texts.
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSdoReport.h"
#include "PXSdoValueRes.h"
#include "PXSoftRec.h"
#include "PXTime.h"

PXSOFTTYPE PXFieldValue::GetType() const
{
    PXASSERT(m_pRec!=0);
    return m_pRec->GetFieldType(m_wFieldId);
}

long* PXFieldValue::GetInt32() const
{
    PXASSERT(m_pRec!=0);
    PXVirtualField* pCell = m_pRec->GetCell(m_wFieldId);
    if (GetType() == PXST_BOOL)
        return pCell->GetBool()->GetInt32();
    return pCell->GetInt32()->GetInt32();
}

short* PXFieldValue::GetInt16() const
{
    PXASSERT(m_pRec!=0);
    return m_pRec->GetCell(m_wFieldId)->GetInt16()->GetInt16();
}

CString* PXFieldValue::GetText() const
{
    PXASSERT(m_pRec!=0);
    return m_pRec->GetCell(m_wFieldId)->GetText()->GetText();
}

PXRecArray* PXFieldValue::GetRecArray() const
{
    PXASSERT(m_pRec!=0);
    return m_pRec->GetCell(m_wFieldId)->GetRecordSet()->GetRecArray();
}

PXFieldValue PXFieldValue::SetText(CString text)
{
    PXASSERT(m_pRec!=0);
    m_pRec->GetCell(m_wFieldId)->SetText(text);
    return *this;
}

PXFieldValue PXFieldValue::SetInt32(long l)
{
    PXASSERT(m_pRec!=0);
    m_pRec->GetCell(m_wFieldId)->SetLong(l);
    return *this;
}

PXFieldValue PXFieldValue::SetInt16(short s)
{
    PXASSERT(m_pRec!=0);
    m_pRec->GetCell(m_wFieldId)->SetShort(s);
    return *this;
}

PXFieldValue PXFieldValue::SetRecArray(PXRecArray& rRecArray)
{
    PXASSERT(m_pRec!=0);
    m_pRec->GetCell(m_wFieldId)->SetRecArray(rRecArray);
    return *this;
}

PXFieldValue PXFieldValue::Assign(const PXFieldValue& rOther)
{
    PXASSERT(m_pRec!=0);
    PXASSERT(rOther.m_pRec!=0);
    PXVirtualField* pOther = rOther.m_pRec->GetCell(rOther.m_wFieldId);
    *m_pRec->GetCell(m_wFieldId) = *pOther;
    return *this;
}

int PXFieldValue::IsEqual(const PXFieldValue& rOther) const
{
    switch (GetType())
    {
    case PXST_INT16: return *GetInt16() == *rOther.GetInt16() ? 1 : 0;
    case PXST_INT32: return *GetInt32() == *rOther.GetInt32() ? 1 : 0;
    default: PXASSERT(0);
    }
}

int PXFieldValue::IsLess(const PXFieldValue& rOther) const
{
    switch (GetType())
    {
    case PXST_INT16: return *GetInt16() < *rOther.GetInt16() ? 1 : 0;
    case PXST_INT32: return *GetInt32() < *rOther.GetInt32() ? 1 : 0;
    case PXST_TEXT: return lstrcmpA(*GetText(), *rOther.GetText()) < 0 ? 1 : 0;
    default: PXASSERT(0);
    }
}

int PXFieldValue::CheckText(CString& rText, int bQuiet) const
{
    long lLow, lHigh;
    switch (GetType())
    {
    case PXST_MONTHANDDAY:
        if (!CheckMonthAndDay(rText, bQuiet))
            return 0;
        NormalizeMonthAndDay(rText);
        return 1;
    case PXST_TIME:
        if (!CheckTime(rText, bQuiet))
            return 0;
        NormalizeTime(rText);
        return 1;
    case PXST_INT16:
        lLow = -32768;
        lHigh = 32767;
        break;
    case PXST_INT32:
        lLow = -2147483647L - 1;
        lHigh = 2147483647L;
        break;
    default:
        return 1;
    }
    // A number the field cannot hold is refused, never cut to fit.
    if (!PXTextNumberOutOfRange(rText, lLow, lHigh))
        return 1;
    if (!bQuiet)
    {
        CString low, high;
        low.Format("%ld", lLow);
        high.Format("%ld", lHigh);
        PXSDO_REPORT(IDS_SDO_NUMBERRANGE, low, high);
    }
    return 0;
}
