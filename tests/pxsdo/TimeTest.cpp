// Checking and normalising typed date and time texts: what is accepted,
// the message that refuses the rest, and the one stored form.
#include "PXTestSupport.h"
#include "PXTime.h"

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
        // Three digits read as H:MM, as they are stored.
        { "930", nullptr, "9:30" },
        { "245", nullptr, "2:45" },
        { "059", nullptr, "0:59" },
        { "160", kTimeFormat, nullptr },
        { "199", kTimeFormat, nullptr },
        { "960", kTimeFormat, nullptr },
        // Three characters with one minute digit.
        { "9 5", nullptr, "9:5" },
        { "9.5", nullptr, "9:5" },
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
