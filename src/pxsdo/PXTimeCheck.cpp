// Checking and normalising typed date and time texts.
#include "PXTime.h"
#include "PXSdoReport.h"
#include "PXSdoValueRes.h"

namespace {

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}
// The printable ASCII characters that are neither letters, digits nor blanks.
bool IsPunct(char ch)
{
    unsigned char c = static_cast<unsigned char>(ch);
    return c > 0x20 && c < 0x7f && !IsLetter(ch) && !IsDigit(ch);
}

CString TrimmedLeft(CString text)
{
    int i = 0;
    while (i < text.GetLength() && IsBlank(text[i]))
        ++i;
    return text.Mid(i);
}

CString Trimmed(CString text)
{
    text = TrimmedLeft(text);
    int n = text.GetLength();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return text.Left(n);
}

int DigitsValue(const char* psz, int nCount)
{
    int n = 0;
    for (int i = 0; i < nCount; ++i)
        n = n * 10 + (psz[i] - '0');
    return n;
}

// The leading digits, the separator, then the first run of digits after
// them; sEmptySecond stands in when no digit follows.
CString JoinRuns(const CString& rText, char chSeparator, const char* pszEmptySecond)
{
    const char* p = rText;
    const char* pFirst = p;
    while (IsDigit(*p))
        ++p;
    CString result(pFirst);
    result = result.Left(static_cast<int>(p - pFirst));
    result += chSeparator;
    while (*p && !IsDigit(*p))
        ++p;
    const char* pSecond = p;
    while (IsDigit(*p))
        ++p;
    if (p == pSecond)
        result += pszEmptySecond;
    else
        result += CString(pSecond).Left(static_cast<int>(p - pSecond));
    return result;
}

} // namespace

// ---------------------------------------------------------------------------
// Date texts

int CheckMonthAndDay(CString text, int bQuiet)
{
#define FAIL_DATE(id, ...) \
    do { if (!bQuiet) PXSDO_REPORT(id, ##__VA_ARGS__); return 0; } while (0)

    text = TrimmedLeft(text);
    enum { MONTH = 1, SEPARATOR = 2, DAY = 3, AFTERDAY = 4 };
    int nState = MONTH;
    char szMonth[3] = { 0 };
    char szDay[3] = { 0 };
    int nCount = 0;
    bool bDaySeen = false;

    for (int i = 0; i < text.GetLength(); ++i)
    {
        char ch = text[i];
        if (IsLetter(ch))
            FAIL_DATE(IDS_SDO_DATEALPHA);
        switch (nState)
        {
        case MONTH:
            if (IsDigit(ch))
            {
                if (nCount == 2)
                    FAIL_DATE(IDS_SDO_MONTHDIGITS);
                szMonth[nCount++] = ch;
            }
            else if (nCount == 0)
                FAIL_DATE(IDS_SDO_MONTHDIGITS);
            else
            {
                nCount = 0;
                nState = SEPARATOR;
            }
            break;
        case SEPARATOR:
            if (IsPunct(ch) || IsBlank(ch))
                break;
            if (IsDigit(ch))
            {
                szDay[0] = ch;
                nCount = 1;
                bDaySeen = true;
                nState = DAY;
                break;
            }
            {
                char szChar[2] = { ch, 0 };
                FAIL_DATE(IDS_SDO_DATESEPARATOR, szChar);
            }
        case DAY:
            if (IsDigit(ch))
            {
                if (nCount == 2)
                    FAIL_DATE(IDS_SDO_DAYDIGITS);
                szDay[nCount++] = ch;
            }
            else
                nState = AFTERDAY;
            break;
        case AFTERDAY:
            // The day has ended: a further digit would be read as part of it
            // by nobody, so it is refused rather than silently dropped.
            if (IsDigit(ch))
                FAIL_DATE(IDS_SDO_AFTERDAY);
            break;
        }
    }

    if (!bDaySeen)
        FAIL_DATE(IDS_SDO_DATEINCOMPLETE);

    int nMonth = DigitsValue(szMonth, lstrlenA(szMonth));
    int nDay = DigitsValue(szDay, lstrlenA(szDay));
    if (nMonth < 1 || nMonth > 12)
        FAIL_DATE(IDS_SDO_MONTHRANGE);
    static const int s_nLastDay[12] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    int nLastDay = s_nLastDay[nMonth - 1];
    if (nDay < 1 || nDay > nLastDay)
    {
        CString last, month;
        last.Format("%d", nLastDay);
        month.Format("%d", nMonth);
        FAIL_DATE(IDS_SDO_DAYRANGE, last, month);
    }
    return 1;
#undef FAIL_DATE
}

void NormalizeMonthAndDay(CString& rText)
{
    rText = JoinRuns(Trimmed(rText), '/', "");
}

// ---------------------------------------------------------------------------
// Time texts

int CheckTime(CString text, int bQuiet)
{
#define FAIL_TIME(id) \
    do { if (!bQuiet) PXSDO_REPORT(id); return 0; } while (0)

    text = TrimmedLeft(text);
    const int nLength = text.GetLength();
    const bool bColon = text.Find(':') >= 0;
    enum { HOUR = 1, SEPARATOR = 2, MINUTE = 3 };
    int nState = HOUR;
    int nCount = 0;
    char szHour[3] = { 0 };
    char szMinute[3] = { 0 };
    bool bComplete = false;
    bool bRanToEnd = true;

    for (int i = 0; i < nLength && bRanToEnd; ++i)
    {
        char ch = text[i];
        const bool bLast = (i == nLength - 1);
        if (IsLetter(ch))
            FAIL_TIME(IDS_SDO_TIMEALPHA);
        switch (nState)
        {
        case HOUR:
            if (IsDigit(ch))
            {
                if (nCount == 2)
                {
                    // Four digits in a row: hours, then minutes.
                    nCount = 0;
                    nState = SEPARATOR;
                    --i;
                }
                else
                    szHour[nCount++] = ch;
            }
            else if (nCount == 0)
                FAIL_TIME(IDS_SDO_TIMEFORMAT);
            else if (bLast)
                bRanToEnd = false;
            else
            {
                nCount = 0;
                nState = SEPARATOR;
            }
            break;
        case SEPARATOR:
            if (IsPunct(ch) || IsBlank(ch))
                break;
            if (!IsDigit(ch))
                FAIL_TIME(IDS_SDO_TIMEFORMAT);
            if (bLast && bColon)
            {
                bRanToEnd = false;
                break;
            }
            szMinute[0] = ch;
            nCount = 1;
            nState = MINUTE;
            break;
        case MINUTE:
            if (IsDigit(ch))
            {
                if (nCount == 2)
                    FAIL_TIME(IDS_SDO_TIMEFORMAT);
                szMinute[nCount++] = ch;
                if (nCount == 2)
                    bComplete = true;
            }
            else if (nCount == 2)
                bComplete = true;
            else
                FAIL_TIME(IDS_SDO_TIMEFORMAT);
            break;
        }
    }

    const bool bThreeDigits = nLength == 3 && IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2]);
    if (nLength == 3 && bRanToEnd)
        bComplete = true;
    if (!bComplete)
        FAIL_TIME(IDS_SDO_TIMEFORMAT);

    int nHour, nMinute;
    if (bThreeDigits)
    {
        // Three digits are always H MM, as the stored text writes them.
        nHour = text[0] - '0';
        nMinute = DigitsValue(static_cast<const char*>(text) + 1, 2);
    }
    else
    {
        nHour = DigitsValue(szHour, lstrlenA(szHour));
        nMinute = DigitsValue(szMinute, lstrlenA(szMinute));
    }
    if (nHour < 0 || nHour > 23 || nMinute < 0 || nMinute > 59)
        FAIL_TIME(IDS_SDO_TIMEFORMAT);
    return 1;
#undef FAIL_TIME
}

void NormalizeTime(CString& rText)
{
    CString text = Trimmed(rText);
    int nLeading = 0;
    while (nLeading < text.GetLength() && IsDigit(text[nLeading]))
        ++nLeading;
    // Four digits in a row are hours, then minutes ('0930', also before
    // trailing punctuation); three digits alone are H MM ('930').
    if (nLeading == 4)
        text = text.Left(2) + ":" + text.Mid(2, 2);
    else if (nLeading == 3 && text.GetLength() == 3)
        text = text.Left(1) + ":" + text.Mid(1);
    else
    {
        // An hour without minutes ('9  ') gets "00", and one minute digit
        // ('9 5') is written with two: '9' and '9:5' are no time texts.
        text = JoinRuns(text, ':', "00");
        int nColon = text.Find(':');
        if (text.GetLength() - nColon - 1 == 1)
            text = text.Left(nColon + 1) + "0" + text.Mid(nColon + 1);
    }
    rText = text;
}

void NormalizeStoredTime(CString& rText)
{
    if (CheckTime(rText, 1))
        return;
    PXText stored;
    stored = rText;
    PXTime time;
    time = stored;
    if (time.GetHour() < 0 || time.GetHour() > 23 || time.GetMinute() < 0 || time.GetMinute() > 59)
        return;
    rText.Format("%d:%02d", time.GetHour(), time.GetMinute());
}
