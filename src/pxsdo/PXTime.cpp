// Time and month-day values.
#include "PXTime.h"

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

short ClampShort(long n)
{
    return static_cast<short>(n > 32767 ? 32767 : n);
}

// Reads a stored text: the first run of digits, one character skipped, the
// run of digits starting right there. Answers how many runs were found.
int ReadTwoNumbers(const CString& rText, short& rFirst, short& rSecond)
{
    const char* p = rText;
    while (IsBlank(*p))
        ++p;
    if (!IsDigit(*p))
        return 0;
    long n = 0;
    while (IsDigit(*p))
    {
        if (n < 100000)
            n = n * 10 + (*p - '0');
        ++p;
    }
    rFirst = ClampShort(n);
    if (*p == 0)
        return 1;
    ++p;
    if (!IsDigit(*p))
        return 1;
    n = 0;
    while (IsDigit(*p))
    {
        if (n < 100000)
            n = n * 10 + (*p - '0');
        ++p;
    }
    rSecond = ClampShort(n);
    return 2;
}

} // namespace

// ---------------------------------------------------------------------------
// Values

PXMonthAndDay::PXMonthAndDay(const void*, PX_FLDS_MEM) : m_sMonth(0), m_sDay(0)
{
    PXASSERT(0);
}

PXValue& PXMonthAndDay::operator=(const PXValue& rValue)
{
    PXASSERT(rValue.GetType()==PXST_TEXT);
    m_sMonth = 0;
    m_sDay = 0;
    ReadTwoNumbers(*const_cast<PXValue&>(rValue).GetText(), m_sMonth, m_sDay);
    return *this;
}

PXTime::PXTime(const void*, PX_FLDS_MEM) : m_sHour(25), m_sMinute(60)
{
    PXASSERT(0);
}

PXValue& PXTime::operator=(const PXValue& rValue)
{
    PXASSERT(rValue.GetType()==PXST_TEXT);
    m_sHour = 25;
    m_sMinute = 60;
    ReadTwoNumbers(*const_cast<PXValue&>(rValue).GetText(), m_sHour, m_sMinute);
    return *this;
}
