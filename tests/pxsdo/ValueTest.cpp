// Typed values: construction from storage, assignment between the types and
// from numbers and texts, and what each type refuses.
#include "PXTestSupport.h"
#include "PXValue.h"
#include "PXTime.h"

#include <memory>

namespace {

// The content of any value as text, through a PXText.
std::string AsText(const PXValue& v)
{
    PXText t;
    t = v;
    return static_cast<const char*>(*t.GetText());
}

// Storage of one field in every representation.
struct Storage
{
    char chars[32] = "";
    long id = 0;
    long i32 = 0;
    short i16 = 0;
    long b = 0;
    CString str;

    const void* At(PX_FLDS_MEM rep) const
    {
        switch (rep)
        {
        case PXFM_CHAR: return chars;
        case PXFM_MEMSTRINGTABLEID: return &id;
        case PXFM_INT32: return &i32;
        case PXFM_INT16: return &i16;
        case PXFM_BOOL: return &b;
        case PXFM_STRING: return &str;
        default: return &i32;
        }
    }
};

std::unique_ptr<PXValue> FromStorage(PXSOFTTYPE type, const Storage& s, PX_FLDS_MEM rep)
{
    const void* p = s.At(rep);
    switch (type)
    {
    case PXST_INT16: return std::unique_ptr<PXValue>(new PXInt16(p, rep));
    case PXST_INT32: return std::unique_ptr<PXValue>(new PXInt32(p, rep));
    case PXST_BOOL: return std::unique_ptr<PXValue>(new PXBool(p, rep));
    case PXST_TEXT: return std::unique_ptr<PXValue>(new PXText(p, rep));
    default: return nullptr;
    }
}

long Number(PXValue& v)
{
    return v.GetType() == PXST_INT16 ? *v.GetInt16() : *v.GetInt32();
}

} // namespace

TEST(Value, TypesAndReservedQuery)
{
    PXValue base;
    PXInt16 i16;
    PXInt32 i32;
    PXText text;
    PXBool b;
    PXMonthAndDay md;
    PXTime t;
    struct { PXValue* v; PXSOFTTYPE type; } cases[] = {
        { &i16, PXST_INT16 }, { &i32, PXST_INT32 }, { &text, PXST_TEXT }, { &b, PXST_BOOL },
        { &md, PXST_MONTHANDDAY }, { &t, PXST_TIME } };
    EXPECT_EQ(PXST_NONE, base.GetType());
    EXPECT_PXASSERT(base.GetAttributes(), "(0)");
    for (auto& c : cases)
    {
        EXPECT_EQ(c.type, c.v->GetType());
        EXPECT_EQ(0, c.v->GetAttributes());
    }
    EXPECT_EQ(0, *i16.GetInt16());
    EXPECT_EQ(0, md.GetMonth());
    EXPECT_EQ(0, md.GetDay());
    EXPECT_EQ(25, t.GetHour());
    EXPECT_EQ(60, t.GetMinute());
}

// Table A: every class from every representation it reads.
TEST(Value, ConstructionFromStorage)
{
    Storage s;
    lstrcpyA(s.chars, "  -12ab");
    s.id = 9101;        // "Stored text" in the test string table
    s.i32 = -70000;
    s.i16 = -5;
    s.b = 5;
    s.str = "42 apples";
    struct { PXSOFTTYPE type; PX_FLDS_MEM rep; long number; const char* text; } cases[] = {
        { PXST_INT16, PXFM_CHAR, -12, "-12" },
        { PXST_INT16, PXFM_INT16, -5, "-5" },
        { PXST_INT16, PXFM_BOOL, 5, "5" },
        { PXST_INT16, PXFM_STRING, 42, "42" },
        { PXST_INT32, PXFM_CHAR, -12, "-12" },
        { PXST_INT32, PXFM_INT32, -70000, "-70000" },
        { PXST_INT32, PXFM_INT16, -5, "-5" },
        { PXST_INT32, PXFM_BOOL, 5, "5" },
        { PXST_BOOL, PXFM_INT16, -5, "Yes" },
        { PXST_BOOL, PXFM_BOOL, 5, "Yes" },
        { PXST_BOOL, PXFM_STRING, 1, "Yes" },
        { PXST_TEXT, PXFM_CHAR, 0, "  -12ab" },
        { PXST_TEXT, PXFM_MEMSTRINGTABLEID, 0, "Stored text" },
        { PXST_TEXT, PXFM_INT32, 0, "-70000" },
        { PXST_TEXT, PXFM_INT16, 0, "-5" },
        { PXST_TEXT, PXFM_BOOL, 0, "Yes" },
        { PXST_TEXT, PXFM_STRING, 0, "42 apples" },
    };
    for (auto& c : cases)
    {
        auto v = FromStorage(c.type, s, c.rep);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " rep 0x" << std::hex << c.rep);
        if (c.type != PXST_TEXT)
        {
            EXPECT_EQ(c.number, Number(*v));
        }
        EXPECT_EQ(c.text, AsText(*v));
    }
}

TEST(Value, ConstructionEdgeCases)
{
    Storage s;
    // An empty CHAR text and a text without digits give 0; digits then
    // letters give the digits.
    EXPECT_EQ(0, *PXInt16(s.At(PXFM_CHAR), PXFM_CHAR).GetInt16());
    lstrcpyA(s.chars, "12xy");
    EXPECT_EQ(12, *PXInt16(s.At(PXFM_CHAR), PXFM_CHAR).GetInt16());
    lstrcpyA(s.chars, "x12");
    EXPECT_EQ(0, *PXInt32(s.At(PXFM_CHAR), PXFM_CHAR).GetInt32());
    EXPECT_EQ(0, *PXInt16(s.At(PXFM_STRING), PXFM_STRING).GetInt16());
    // BOOL storage 0 reads "No"; STRING "No" is true because it is not empty.
    EXPECT_EQ("No", AsText(PXText(s.At(PXFM_BOOL), PXFM_BOOL)));
    s.str = "No";
    EXPECT_EQ(1, *PXBool(s.At(PXFM_STRING), PXFM_STRING).GetInt32());
    s.str = "";
    EXPECT_EQ(0, *PXBool(s.At(PXFM_STRING), PXFM_STRING).GetInt32());
    // INT16 keeps its sign into INT32 and BOOL; BOOL into INT16 takes the low word.
    s.i16 = -1;
    EXPECT_EQ(-1, *PXInt32(s.At(PXFM_INT16), PXFM_INT16).GetInt32());
    s.b = 0x12345;
    EXPECT_EQ(0x2345, *PXInt16(s.At(PXFM_BOOL), PXFM_BOOL).GetInt16());
}

TEST(Value, RepresentationsNotReadAreConsistencyFailures)
{
    Storage s;
    struct { PXSOFTTYPE type; PX_FLDS_MEM rep; } refused[] = {
        { PXST_INT16, PXFM_MEMSTRINGTABLEID }, { PXST_INT16, PXFM_INT32 }, { PXST_INT16, PXFM_OBARRAY },
        { PXST_INT32, PXFM_MEMSTRINGTABLEID }, { PXST_INT32, PXFM_STRING }, { PXST_INT32, PXFM_OBARRAY },
        { PXST_BOOL, PXFM_CHAR }, { PXST_BOOL, PXFM_MEMSTRINGTABLEID }, { PXST_BOOL, PXFM_INT32 },
        { PXST_BOOL, PXFM_OBARRAY }, { PXST_TEXT, PXFM_OBARRAY }, { PXST_TEXT, 0x1234 },
    };
    for (auto& c : refused)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " rep 0x" << std::hex << c.rep);
        EXPECT_PXASSERT(FromStorage(c.type, s, c.rep), "(0)");
    }
    EXPECT_PXASSERT(PXTime(&s.str, PXFM_STRING), "(0)");
    EXPECT_PXASSERT(PXMonthAndDay(&s.str, PXFM_STRING), "(0)");
}

// Table B: assignment from a value of each type.
TEST(Value, AssignmentFromValues)
{
    PXInt16 i16;
    i16 = short(-3);
    PXInt32 i32;
    i32 = long(70000);
    PXText text;
    text = CString("0");
    PXBool b;
    b = long(7);
    PXMonthAndDay md;
    md.SetMonth(12);
    md.SetDay(3);
    PXTime t;
    t.SetHour(9);
    t.SetMinute(5);

    struct { PXValue* source; long i16; long i32; long b; const char* text; } cases[] = {
        { &i16, -3, -3, -3, "-3" },
        { &i32, 32767, 70000, 70000, "70000" },     // held at the 16-bit limit
        { &text, 0, 0, 1, "0" },                    // only "No" is false for a text value
        { &b, 7, 7, 7, "Yes" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "source type " << c.source->GetType());
        PXInt16 a; a = *c.source;
        PXInt32 d; d = *c.source;
        PXBool e; e = *c.source;
        PXText f; f = *c.source;
        EXPECT_EQ(c.i16, *a.GetInt16());
        EXPECT_EQ(c.i32, *d.GetInt32());
        EXPECT_EQ(c.b, *e.GetInt32());
        EXPECT_EQ(c.text, AsText(f));
    }
    EXPECT_EQ("12/3", AsText(md));
    EXPECT_EQ("9:5", AsText(t));

    // Values of the same type copy their content.
    PXInt16 i16b; i16b = i16;
    PXInt32 i32b; i32b = i32;
    PXBool bb; bb = b;
    PXText textb; textb = text;
    EXPECT_EQ(-3, *i16b.GetInt16());
    EXPECT_EQ(70000, *i32b.GetInt32());
    EXPECT_EQ(7, *bb.GetInt32());
    EXPECT_EQ("0", AsText(textb));

    PXText no;
    no = CString("No");
    PXBool b2;
    b2 = no;
    EXPECT_EQ(0, *b2.GetInt32());

    // Times, dates and record sets convert only to text.
    PXInt16 a;
    PXInt32 d;
    PXBool e;
    for (PXValue* target : std::initializer_list<PXValue*>{ &a, &d, &e })
    {
        EXPECT_PXASSERT(*target = md, "(0)");
        EXPECT_PXASSERT(*target = t, "(0)");
    }
}

// Table C: assignment from numbers and texts.
TEST(Value, AssignmentFromNumbersAndTexts)
{
    struct { const char* text; long i16; long i32; long b; } textCases[] = {
        { "Yes", 0, 0, 1 },
        { "No", 0, 0, 0 },
        { "0", 0, 0, 0 },
        { "no", 0, 0, 1 },          // comparisons are exact
        { " -17 left", -17, -17, 1 },
        { "+8", 8, 8, 1 },
        { "", 0, 0, 1 },
        { "99999", 32767, 99999, 1 },
        { "-99999", -32768, -99999, 1 },
        { "99999999999", 32767, 2147483647, 1 },
    };
    for (auto& c : textCases)
    {
        SCOPED_TRACE(c.text);
        PXInt16 a; a = CString(c.text);
        PXInt32 d; d = CString(c.text);
        PXBool e; e = CString(c.text);
        PXText f; f = CString(c.text);
        EXPECT_EQ(c.i16, *a.GetInt16());
        EXPECT_EQ(c.i32, *d.GetInt32());
        EXPECT_EQ(c.b, *e.GetInt32());
        EXPECT_EQ(c.text, AsText(f));
    }

    PXInt16 a;
    a = long(40000);
    EXPECT_EQ(32767, *a.GetInt16());
    a = long(-40000);
    EXPECT_EQ(-32768, *a.GetInt16());
    a = short(-2);
    EXPECT_EQ(-2, *a.GetInt16());
    PXInt32 d;
    d = short(-1);
    EXPECT_EQ(-1, *d.GetInt32());
    PXBool e;
    e = long(7);                    // not reduced to 0 or 1
    EXPECT_EQ(7, *e.GetInt32());
    EXPECT_EQ("Yes", AsText(e));
    e = short(-1);
    EXPECT_EQ(-1, *e.GetInt32());
    PXText f;
    f = long(-123456);
    EXPECT_EQ("-123456", AsText(f));
    f = short(12);
    EXPECT_EQ("12", AsText(f));
}

TEST(Value, AccessorsNotProvidedAreConsistencyFailures)
{
    PXInt16 i16;
    PXInt32 i32;
    PXText text;
    PXBool b;
    PXMonthAndDay md;
    PXTime t;
    EXPECT_PXASSERT(i16.GetInt32(), "(0)");
    EXPECT_PXASSERT(i16.GetText(), "(0)");
    EXPECT_PXASSERT(i32.GetInt16(), "(0)");
    EXPECT_PXASSERT(b.GetText(), "(0)");
    EXPECT_PXASSERT(text.GetInt32(), "(0)");
    EXPECT_PXASSERT(text.GetRecArray(), "(0)");
    for (PXValue* v : std::initializer_list<PXValue*>{ &i16, &i32, &text, &b, &md, &t })
    {
        EXPECT_PXASSERT(v->GetTime(), "(0)");
        EXPECT_PXASSERT(v->GetMonthAndDay(), "(0)");
        EXPECT_PXASSERT(v->GetRecordSet(), "(0)");
    }
    EXPECT_PXASSERT(md.GetInt32(), "(0)");
    EXPECT_PXASSERT(t.GetText(), "(0)");
    EXPECT_PXASSERT(md = long(1), "(0)");
    EXPECT_PXASSERT(t = short(1), "(0)");
    EXPECT_PXASSERT(t = CString("9:30"), "(0)");
    // A time or a date is assigned only from a text value, never from its own type.
    PXTime t2;
    EXPECT_PXASSERT(t2 = t, "GetType()==PXST_TEXT");
    PXMonthAndDay md2;
    EXPECT_PXASSERT(md2 = md, "GetType()==PXST_TEXT");
    EXPECT_PXASSERT(md2 = i16, "GetType()==PXST_TEXT");
}

TEST(Value, TimeAndDateReadStoredTexts)
{
    struct { const char* text; short first; short second; } times[] = {
        { "9:30", 9, 30 }, { "  09:05", 9, 5 }, { "", 25, 60 }, { "x", 25, 60 },
        { "12", 12, 60 }, { "12:", 12, 60 }, { "12::30", 12, 60 }, { "23:59 ", 23, 59 },
    };
    for (auto& c : times)
    {
        SCOPED_TRACE(c.text);
        PXText text;
        text = CString(c.text);
        PXTime t;
        t = text;
        EXPECT_EQ(c.first, t.GetHour());
        EXPECT_EQ(c.second, t.GetMinute());
    }
    struct { const char* text; short first; short second; } dates[] = {
        { "12/25", 12, 25 }, { "1/2", 1, 2 }, { "", 0, 0 }, { "/3", 0, 0 }, { "7", 7, 0 }, { "7-", 7, 0 },
    };
    for (auto& c : dates)
    {
        SCOPED_TRACE(c.text);
        PXText text;
        text = CString(c.text);
        PXMonthAndDay md;
        md = text;
        EXPECT_EQ(c.first, md.GetMonth());
        EXPECT_EQ(c.second, md.GetDay());
    }
}
