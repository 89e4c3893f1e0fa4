// Checking and normalising typed date and time texts: what is accepted,
// the message that refuses the rest, and the one stored form.
#include "PXTestSupport.h"
#include "PXTime.h"

#include <algorithm>
#include <string>

namespace {

const char* const kIncomplete = "Incomplete date.";
const char* const kAlphaDate = "Alphabetical characters are not allowed in dates.";
const char* const kMonthDigits = "Months must only have one or two digits.";
const char* const kDayDigits = "Days must only have one or two digits.";
const char* const kMonthRange = "Months must be between 1 and 12.";
const char* const kAfterDay = "Only blanks or punctuation may follow the day of a date.";
const char* const kAlphaTime = "Alphabetical characters are not allowed in times.";
const char* const kTimeFormat = "Times must be entered in the format HH:MM\r\n(hours 0-23, minutes 0-59).";

struct Case
{
    const char* text;
    const char* message;        // null: accepted
    const char* normalised;     // the stored form of an accepted text
};

// Runs the check loudly, then quietly; both must agree, and only the loud
// run may show the message.
void RunCheck(int (*pfnCheck)(CString, int), void (*pfnNormalize)(CString&), const Case& c)
{
    SCOPED_TRACE(testing::Message() << "text '" << c.text << "'");
    {
        MessageBoxRecorder rec;
        int nResult = pfnCheck(c.text, 0);
        EXPECT_EQ(c.message ? 0 : 1, nResult);
        if (c.message)
        {
            ASSERT_EQ(1u, rec.boxes.size());
            EXPECT_EQ(c.message, rec.boxes[0].text);
            EXPECT_EQ("Plexwright", rec.boxes[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), rec.boxes[0].uType & MB_ICONMASK);
            EXPECT_EQ(static_cast<UINT>(MB_OK), rec.boxes[0].uType & MB_TYPEMASK);
        }
        else
            EXPECT_TRUE(rec.boxes.empty());
    }
    {
        MessageBoxRecorder rec;
        EXPECT_EQ(c.message ? 0 : 1, pfnCheck(c.text, 1));
        EXPECT_TRUE(rec.boxes.empty());
    }
    if (!c.message)
    {
        CString text(c.text);
        pfnNormalize(text);
        EXPECT_STREQ(c.normalised, text);
    }
}

} // namespace

TEST(MonthAndDay, CheckAndNormalise)
{
    const Case cases[] = {
        { "12/25", nullptr, "12/25" },
        { "2/29", nullptr, "2/29" },
        { "1/31", nullptr, "1/31" },
        { "  12 / 25  ", nullptr, "12/25" },
        { "01 - 05", nullptr, "01/05" },
        { "12.25", nullptr, "12/25" },
        { "12/25.", nullptr, "12/25" },
        { "4/30", nullptr, "4/30" },
        { "2/30", "Days must be between 1 and 29 for month number 2.", nullptr },
        { "4/31", "Days must be between 1 and 30 for month number 4.", nullptr },
        { "12/0", "Days must be between 1 and 31 for month number 12.", nullptr },
        { "13/1", kMonthRange, nullptr },
        { "0/5", kMonthRange, nullptr },
        { "12", kIncomplete, nullptr },
        { "12/", kIncomplete, nullptr },
        { "", kIncomplete, nullptr },
        { "   ", kIncomplete, nullptr },
        { "Dec 25", kAlphaDate, nullptr },
        { "12/2x", kAlphaDate, nullptr },
        { "123/4", kMonthDigits, nullptr },
        { "/12", kMonthDigits, nullptr },
        { "12/345", kDayDigits, nullptr },
        // A digit after the end of the day is refused, never folded into it.
        { "12/2 5", kAfterDay, nullptr },
        { "4/3 1", kAfterDay, nullptr },
        { "4/3-1", kAfterDay, nullptr },
    };
    for (const Case& c : cases)
        RunCheck(CheckMonthAndDay, NormalizeMonthAndDay, c);
}

TEST(MonthAndDay, SeparatorMessageNamesTheCharacter)
{
    MessageBoxRecorder rec;
    // A character of no class (neither letter, digit, blank nor printable
    // punctuation) cannot separate month and day.
    EXPECT_EQ(0, CheckMonthAndDay("12/\x01" "5", 0));
    ASSERT_EQ(1u, rec.boxes.size());
    EXPECT_EQ("'\x01' is not a valid month/day separator.", rec.boxes[0].text);
}

TEST(Time, CheckAndNormalise)
{
    const Case cases[] = {
        { "9:30", nullptr, "9:30" },
        { "09.30", nullptr, "09:30" },
        { "21 05", nullptr, "21:05" },
        { "12:30 ", nullptr, "12:30" },
        { "  7:45", nullptr, "7:45" },
        { "1230", nullptr, "12:30" },
        { "0930", nullptr, "09:30" },
        { "2359", nullptr, "23:59" },
        { "0000", nullptr, "00:00" },
        { "0930.", nullptr, "09:30" },
        { "2359 -", nullptr, "23:59" },
        // Three digits read as H:MM, as they are stored.
        { "930", nullptr, "9:30" },
        { "245", nullptr, "2:45" },
        { "059", nullptr, "0:59" },
        { "160", kTimeFormat, nullptr },
        { "199", kTimeFormat, nullptr },
        { "960", kTimeFormat, nullptr },
        // Three characters with one minute digit: stored with two.
        { "9 5", nullptr, "9:05" },
        { "9.5", nullptr, "9:05" },
        { "1-2", nullptr, "1:02" },
        { "0\t0", nullptr, "0:00" },
        { "9 :", nullptr, "9:00" },
        // An hour and two blanks: three characters too.
        { "9  ", nullptr, "9:00" },
        { " 7\t ", nullptr, "7:00" },
        // What an earlier version stored for them, typed again.
        { "9:5", kTimeFormat, nullptr },
        { "12:3", kTimeFormat, nullptr },
        { "12 3", kTimeFormat, nullptr },
        { "12:345", kTimeFormat, nullptr },
        { "24:00", kTimeFormat, nullptr },
        { "23:60", kTimeFormat, nullptr },
        { "2400", kTimeFormat, nullptr },
        { "12", kTimeFormat, nullptr },
        { "12:", kTimeFormat, nullptr },
        { ":30", kTimeFormat, nullptr },
        { "", kTimeFormat, nullptr },
        { "9pm", kAlphaTime, nullptr },
        { "12:30 pm", kAlphaTime, nullptr },
    };
    for (const Case& c : cases)
        RunCheck(CheckTime, NormalizeTime, c);
}

// What the normaliser writes reads back as the time or date that was checked.
TEST(Time, StoredFormReadsBackAsChecked)
{
    struct { const char* text; short hour; short minute; } times[] = {
        { "930", 9, 30 }, { "245", 2, 45 }, { "1230", 12, 30 }, { "21 05", 21, 5 }, { "9 5", 9, 5 },
        { "9.5", 9, 5 },  { "7 :", 7, 0 },
    };
    for (auto& c : times)
    {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(1, CheckTime(c.text, 1));
        CString text(c.text);
        NormalizeTime(text);
        PXText stored;
        stored = text;
        PXTime t;
        t = stored;
        EXPECT_EQ(c.hour, t.GetHour());
        EXPECT_EQ(c.minute, t.GetMinute());
    }
    CString date("01 - 05");
    ASSERT_EQ(1, CheckMonthAndDay(date, 1));
    NormalizeMonthAndDay(date);
    PXText stored;
    stored = date;
    PXMonthAndDay md;
    md = stored;
    EXPECT_EQ(1, md.GetMonth());
    EXPECT_EQ(5, md.GetDay());
}

namespace {

// The time or date a text accepted by its check stands for, read the way a
// person reads it: a time of four digits in a row HHMM and of three digits
// alone HMM, otherwise the leading digits and the next run of digits (none
// gives 0).
void Meant(const std::string& text, bool bTime, int& rFirst, int& rSecond)
{
    size_t b = text.find_first_not_of(" \t\n\v\f\r");
    size_t e = text.find_last_not_of(" \t\n\v\f\r");
    std::string t = text.substr(b, e - b + 1);
    size_t n = std::min(t.find_first_not_of("0123456789"), t.size());
    if (bTime && (n == 4 || (n == 3 && t.size() == 3)))
    {
        rFirst = std::stoi(t.substr(0, n - 2));
        rSecond = std::stoi(t.substr(n - 2, 2));
        return;
    }
    rFirst = std::stoi(t.substr(0, n));
    size_t m = t.find_first_of("0123456789", n);
    rSecond = m == std::string::npos ? 0 : std::stoi(t.substr(m, t.find_first_not_of("0123456789", m) - m));
}

} // namespace

// Every text the checks accept, over digits, blanks and separators up to
// five characters: its stored form is accepted again, stays as it is when
// normalised again, and reads back as the time or date the text meant.
TEST(Time, EveryAcceptedTextIsStoredInAFormTheCheckAcceptsAgain)
{
    const char alphabet[] = { '0', '1', '2', '3', '5', '9', ' ', ':', '.', '/', '-', '\t' };
    const int nLetters = sizeof(alphabet);
    int nTimes = 0, nDates = 0;
    std::string text;
    for (int nLength = 1; nLength <= 5; ++nLength)
    {
        int nCount = 1;
        for (int i = 0; i < nLength; ++i)
            nCount *= nLetters;
        for (int k = 0; k < nCount; ++k)
        {
            text.clear();
            for (int i = 0, n = k; i < nLength; ++i, n /= nLetters)
                text += alphabet[n % nLetters];
            if (CheckTime(text.c_str(), 1))
            {
                ++nTimes;
                CString stored(text.c_str());
                NormalizeTime(stored);
                ASSERT_EQ(1, CheckTime(stored, 1)) << "'" << text << "' stored as '" << stored << "'";
                CString again(stored);
                NormalizeTime(again);
                ASSERT_STREQ(stored, again) << text;
                PXText storedText;
                storedText = stored;
                PXTime t;
                t = storedText;
                int nHour, nMinute;
                Meant(text, true, nHour, nMinute);
                ASSERT_EQ(nHour, t.GetHour()) << "'" << text << "' stored as '" << stored << "'";
                ASSERT_EQ(nMinute, t.GetMinute()) << "'" << text << "' stored as '" << stored << "'";
            }
            if (CheckMonthAndDay(text.c_str(), 1))
            {
                ++nDates;
                CString stored(text.c_str());
                NormalizeMonthAndDay(stored);
                ASSERT_EQ(1, CheckMonthAndDay(stored, 1)) << "'" << text << "' stored as '" << stored << "'";
                CString again(stored);
                NormalizeMonthAndDay(again);
                ASSERT_STREQ(stored, again) << text;
                PXText storedText;
                storedText = stored;
                PXMonthAndDay md;
                md = storedText;
                int nMonth, nDay;
                Meant(text, false, nMonth, nDay);
                ASSERT_EQ(nMonth, md.GetMonth()) << "'" << text << "' stored as '" << stored << "'";
                ASSERT_EQ(nDay, md.GetDay()) << "'" << text << "' stored as '" << stored << "'";
            }
        }
    }
    // The alphabet reaches every accepted form: three characters, separators,
    // four digits, trailing punctuation.
    EXPECT_GT(nTimes, 1000);
    EXPECT_GT(nDates, 1000);
}

// Times an earlier version stored with one minute digit are read as they
// always read and shown in the stored form; the rest is left alone.
TEST(Time, StoredTextsOfEarlierVersionsAreReadLeniently)
{
    const struct
    {
        const char* stored;
        const char* shown;
    } cases[] = {
        { "9:5", "9:05" },    { "23:7", "23:07" },  { "0:0", "0:00" },  { "9:30", "9:30" },   { "09:30", "09:30" },
        { "930", "930" },     { "", "" },           { "abc", "abc" },   { "24:5", "24:5" },   { "9:60", "9:60" },
        { "9:", "9:" },       { " 7:4", "7:04" },
    };
    for (const auto& c : cases)
    {
        CString text(c.stored);
        NormalizeStoredTime(text);
        EXPECT_STREQ(c.shown, text) << "'" << c.stored << "'";
        if (CheckTime(c.shown, 1) == 0)
            continue;
        // What is shown is what it read as.
        PXText before, after;
        before = CString(c.stored);
        after = text;
        PXTime t1, t2;
        t1 = before;
        t2 = after;
        EXPECT_EQ(t1.GetHour(), t2.GetHour()) << c.stored;
        EXPECT_EQ(t1.GetMinute(), t2.GetMinute()) << c.stored;
    }
}
