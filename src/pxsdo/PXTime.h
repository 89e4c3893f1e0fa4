// Time-of-day and month-day values, and the checks and normalisers that a
// typed text runs through before it is stored: dates as 'M/D', times on the
// 24-hour clock as 'H:MM'.
#ifndef PXTIME_H
#define PXTIME_H

#include "PXValue.h"

class PXMonthAndDay : public PXValue
{
public:
    PXMonthAndDay() : m_sMonth(0), m_sDay(0) {}
    // There is no value of this type in a record's storage: the cell makes
    // an empty value and assigns the stored text.
    PXMonthAndDay(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_MONTHANDDAY; }
    int GetAttributes() const override { return 0; }
    // Reads a stored text: month and day as the first two runs of digits.
    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXMonthAndDay& operator=(const PXMonthAndDay& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    using PXValue::operator=;

    short GetMonth() const { return m_sMonth; }
    void SetMonth(short sMonth) { m_sMonth = sMonth; }
    short GetDay() const { return m_sDay; }
    void SetDay(short sDay) { m_sDay = sDay; }

private:
    short m_sMonth;
    short m_sDay;
};

class PXTime : public PXValue
{
public:
    // Hour 25 and minute 60 mean no hour and no minute.
    PXTime() : m_sHour(25), m_sMinute(60) {}
    PXTime(const void* pStorage, PX_FLDS_MEM wMemRepresentation);

    PXSOFTTYPE GetType() const override { return PXST_TIME; }
    int GetAttributes() const override { return 0; }
    PXValue& operator=(const PXValue& rValue) override;
    // Same-type assignment converts like any other value (never a plain copy).
    PXTime& operator=(const PXTime& r) { operator=(static_cast<const PXValue&>(r)); return *this; }
    using PXValue::operator=;

    short GetHour() const { return m_sHour; }
    void SetHour(short sHour) { m_sHour = sHour; }
    short GetMinute() const { return m_sMinute; }
    void SetMinute(short sMinute) { m_sMinute = sMinute; }

private:
    short m_sHour;
    short m_sMinute;
};

// 1 when the text is a valid date (month 1..12, day within the month, 29
// February always allowed), else 0; unless bQuiet the reason is reported.
int CheckMonthAndDay(CString text, int bQuiet);
// Rewrites an accepted date text as 'M/D' (digits as typed).
void NormalizeMonthAndDay(CString& rText);
// 1 when the text is a valid time (hours 0..23, minutes 0..59), else 0;
// unless bQuiet the reason is reported.
int CheckTime(CString text, int bQuiet);
// Rewrites an accepted time text as 'H:MM' (digits as typed; minutes
// always two digits, so that the stored form is accepted again).
void NormalizeTime(CString& rText);
// A stored time text that the check refuses but that reads as a valid time
// (earlier versions stored '9 5' as '9:5', which reads as 9:05) is
// rewritten as 'H:MM'; any other text is left as it is.
void NormalizeStoredTime(CString& rText);

#endif
