// Field values: typed access through the cells, comparisons, and the check
// of typed texts by the field's type.
#include "RecordTestSupport.h"

#include <memory>

namespace {

std::unique_ptr<PXSoftRecMem> NewAll()
{
    return std::unique_ptr<PXSoftRecMem>(new PXSoftRecMem(TREC_ALL));
}

} // namespace

TEST(FieldValue, HandlesNameARecordAndAField)
{
    auto rec = NewAll();
    PXFieldValue empty;
    EXPECT_EQ(nullptr, empty.GetRecord());
    EXPECT_EQ(0, empty.GetFieldId());
    PXFieldValue v(TF_TEXT, rec.get());
    PXFieldValue returned = v.SetText("x");
    EXPECT_EQ(rec.get(), returned.GetRecord());
    EXPECT_EQ(TF_TEXT, returned.GetFieldId());
    PXFieldValue copy(v);
    EXPECT_EQ(rec.get(), copy.GetRecord());
    copy.SetFieldId(TF_INT16);
    EXPECT_EQ(TF_TEXT, v.GetFieldId());
}

TEST(FieldValue, TruthFieldsReadAsNumbersAndTexts)
{
    struct { long value; const char* text; } cases[] = { { 0, "No" }, { 1, "Yes" }, { 7, "Yes" } };
    for (auto& c : cases)
    {
        auto rec = NewAll();
        PXFieldValue flag(TF_BOOL, rec.get());
        EXPECT_EQ(0, *flag.GetInt32());
        flag.SetInt32(c.value);
        EXPECT_EQ(c.value, *flag.GetInt32());
        EXPECT_EQ(c.text, TextOf(rec.get(), TF_BOOL));
    }
}

TEST(FieldValue, AssignCopiesAnotherFieldsValue)
{
    auto a = NewAll();
    auto b = NewAll();
    PXFieldValue(TF_INT32, a.get()).SetInt32(1234);
    PXFieldValue(TF_TEXT, b.get()).Assign(PXFieldValue(TF_INT32, a.get()));
    EXPECT_EQ("1234", TextOf(b.get(), TF_TEXT));
    // A never-touched source is read from its storage.
    PXFieldValue(TF_INT16, b.get()).Assign(PXFieldValue(TF_INT16, a.get()));
    EXPECT_EQ(0, *PXFieldValue(TF_INT16, b.get()).GetInt16());
    EXPECT_TRUE(b->GetCell(TF_INT16)->IsModified());
}

TEST(FieldValue, EqualAndLessByType)
{
    struct { WORD field; const char* a; const char* b; int equal; int less; } cases[] = {
        { TF_INT32, "5", "5", 1, 0 },
        { TF_INT32, "4", "5", 0, 1 },
        { TF_INT32, "5", "4", 0, 0 },
        { TF_INT32, "-7", "3", 0, 1 },
        { TF_INT16, "-2", "-2", 1, 0 },
        { TF_INT16, "-3", "-2", 0, 1 },
        { TF_TEXT, "abc", "abd", -1, 1 },
        { TF_TEXT, "abd", "abc", -1, 0 },
        { TF_TEXT, "abc", "abc", -1, 0 },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.a << " " << c.b);
        auto ra = NewAll();
        auto rb = NewAll();
        PXFieldValue a(c.field, ra.get());
        PXFieldValue b(c.field, rb.get());
        a.SetText(c.a);
        b.SetText(c.b);
        if (c.equal >= 0)
        {
            EXPECT_EQ(c.equal, a.IsEqual(b));
            EXPECT_EQ(c.equal, b.IsEqual(a));
        }
        EXPECT_EQ(c.less, a.IsLess(b));
    }
    auto r = NewAll();
    EXPECT_PXASSERT(PXFieldValue(TF_TEXT, r.get()).IsEqual(PXFieldValue(TF_TEXT, r.get())), "(0)");
    EXPECT_PXASSERT(PXFieldValue(TF_BOOL, r.get()).IsLess(PXFieldValue(TF_BOOL, r.get())), "(0)");
}

TEST(FieldValue, CheckTextByFieldType)
{
    struct { WORD field; const char* text; int result; const char* after; const char* message; } cases[] = {
        { TF_TEXT, " any 12:99 text ", 1, " any 12:99 text ", nullptr },
        { TF_BOOL, "whatever", 1, "whatever", nullptr },
        { TF_TIME, "0930", 1, "09:30", nullptr },
        { TF_TIME, "25:00", 0, "25:00", "Times must be entered in the format HH:MM\r\n(hours 0-23, minutes 0-59)." },
        { TF_DATE, "12 / 25", 1, "12/25", nullptr },
        { TF_DATE, "12/2 5", 0, "12/2 5", "Only blanks or punctuation may follow the day of a date." },
        { TF_INT16, "32767", 1, "32767", nullptr },
        { TF_INT16, "-32768", 1, "-32768", nullptr },
        { TF_INT16, "40000", 0, "40000", "Numbers in this field must be between -32768 and 32767." },
        { TF_INT16, "-32769", 0, "-32769", "Numbers in this field must be between -32768 and 32767." },
        { TF_INT16, "abc", 1, "abc", nullptr },
        { TF_INT32, "2147483647", 1, "2147483647", nullptr },
        { TF_INT32, "99999999999", 0, "99999999999",
          "Numbers in this field must be between -2147483648 and 2147483647." },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        auto rec = NewAll();
        for (int bQuiet = 0; bQuiet <= 1; ++bQuiet)
        {
            MessageBoxRecorder boxes;
            CString text(c.text);
            EXPECT_EQ(c.result, PXFieldValue(c.field, rec.get()).CheckText(text, bQuiet));
            EXPECT_STREQ(c.after, text);
            if (c.message && !bQuiet)
            {
                ASSERT_EQ(1u, boxes.boxes.size());
                EXPECT_EQ(c.message, boxes.boxes[0].text);
            }
            else
                EXPECT_TRUE(boxes.boxes.empty());
        }
    }
}

// A number too large for its field never ends the program; the check
// refuses it and stored data out of range is held at the limit.
TEST(FieldValue, OutOfRangeNumbersAreHeldNotFatal)
{
    auto rec = NewAll();
    PXFieldValue(TF_INT16, rec.get()).SetText("70000");
    EXPECT_EQ(32767, *PXFieldValue(TF_INT16, rec.get()).GetInt16());
    PXFieldValue(TF_INT16, rec.get()).SetInt32(-70000);
    EXPECT_EQ(-32768, *PXFieldValue(TF_INT16, rec.get()).GetInt16());
}
