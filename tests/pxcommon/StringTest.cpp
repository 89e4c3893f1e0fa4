// CString: sharing, the empty header, sub-strings, trimming, searching,
// string-table loads and formatting.
#include "PXTestSupport.h"

#include <string.h>

namespace {

const char* Id(UINT n) { return reinterpret_cast<const char*>(static_cast<UINT_PTR>(n)); }

std::string Expected(char first, int modulo, int len)
{
    std::string s;
    for (int i = 0; i < len; ++i)
        s += static_cast<char>(first + i % modulo);
    return s;
}

int Estimate(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    int n = CString::EstimateFormatLength(fmt, args);
    va_end(args);
    return n;
}

} // namespace

TEST(StringTable, PointerBelow64KLoadsEntry)
{
    EXPECT_STREQ("Plexwright", CString(Id(8002)));
    EXPECT_STREQ("%1 - Plexwright", CString(Id(8001)));
    EXPECT_TRUE(CString(Id(4711)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(afxDataNil, CString(Id(4711)).GetData());
}

TEST(StringTable, LongEntriesTakeLaterPasses)
{
    struct { UINT id; std::string text; } cases[] = {
        { 9001, Expected('a', 26, 253) },   // fits the first 256-character pass
        { 9002, Expected('A', 26, 254) },   // needs the pass with room for 512
        { 9003, Expected('0', 10, 600) },   // needs a third pass
    };
    for (const auto& c : cases)
    {
        CString s;
        EXPECT_TRUE(s.LoadStringA(c.id)) << c.id;
        EXPECT_EQ(c.text, std::string(s)) << c.id;
        EXPECT_EQ(static_cast<int>(c.text.size()), s.GetLength()) << c.id;
    }
    CString missing("keep");
    EXPECT_FALSE(missing.LoadStringA(4711));
    EXPECT_TRUE(missing.IsEmpty());
}

TEST(StringTable, FormatMessageInsertsArguments)
{
    CString s;
    s.FormatMessageA(8001, "Sales");
    EXPECT_STREQ("Sales - Plexwright", s);
    s.FormatMessageA(9004, "one", 2);
    EXPECT_STREQ("Insert one and 2 here", s);
    EXPECT_PXASSERT(s.FormatMessageA(4711), "LoadStringA(nFormatID) != 0");
}

TEST(Sharing, CopiesShareUntilWritten)
{
    CString a("hello");
    CString b(a);
    EXPECT_EQ(a.GetData(), b.GetData());
    EXPECT_EQ(2, a.GetData()->nRefs);
    b += " world";
    EXPECT_STREQ("hello", a);
    EXPECT_STREQ("hello world", b);
    EXPECT_NE(a.GetData(), b.GetData());
    EXPECT_EQ(1, a.GetData()->nRefs);

    CString c;
    c = a;
    EXPECT_EQ(a.GetData(), c.GetData());
    c.SetAt(0, 'J');
    EXPECT_STREQ("hello", a);
    EXPECT_STREQ("Jello", c);

    CString d(a);
    d.TrimRight();   // changes in place unshare first, even when nothing is cut
    EXPECT_NE(a.GetData(), d.GetData());
}

TEST(Sharing, SelfAssignmentAndAssignmentFromSoleOwner)
{
    CString a("abc");
    a = a;
    EXPECT_STREQ("abc", a);
    CString* pb = new CString("xyz");
    CString c(*pb);
    delete pb;
    c = c;
    EXPECT_STREQ("xyz", c);
    EXPECT_EQ(1, c.GetData()->nRefs);
}

TEST(EmptyHeader, EveryEmptyStringSharesItAndItsCountStays)
{
    {
        CString made;
        CString bySubstring = CString("abc").Mid(5);
        CString byConcat = CString() + "";
        CString byChar('x', 0);
        CString byEmpty("abc");
        byEmpty.Empty();
        CString fromText("");
        for (const CString* p : { &made, &bySubstring, &byConcat, &byChar, &byEmpty, &fromText })
            EXPECT_EQ(afxDataNil, p->GetData());
        for (int i = 0; i < 100; ++i)
        {
            CString copy(made);
            CString assigned;
            assigned = made;
        }
    }
    EXPECT_EQ(-1, afxDataNil->nRefs);
    EXPECT_EQ(0, afxDataNil->nDataLength);
    EXPECT_EQ(0, afxDataNil->nAllocLength);
    EXPECT_EQ('\0', afxDataNil->data()[0]);
}

TEST(EmptyHeader, IsNeverWritten)
{
    // Poison the NUL that follows the empty header's text: any write of a
    // terminator there would show as a changed byte.
    char* pNil = afxDataNil->data();
    CString a;
    a = "";
    EXPECT_EQ(afxDataNil, a.GetData());
    char* p = a.GetBuffer(0);
    EXPECT_EQ(pNil, p);
    a.ReleaseBuffer();
    EXPECT_EQ(afxDataNil, a.GetData());
    a.ReleaseBuffer(0);
    a.GetBufferSetLength(0);
    a.TrimLeft();
    a.TrimRight();
    a.Format("%s", "");
    EXPECT_STREQ("", a);
    a.Format("");
    EXPECT_EQ(afxDataNil, a.GetData());
    EXPECT_EQ(0, afxDataNil->nDataLength);
    EXPECT_EQ(-1, afxDataNil->nRefs);
}

TEST(Assignment, EmptyTextKeepsUnsharedBuffer)
{
    CString a("abcdef");
    CStringHeader* pData = a.GetData();
    a = "";
    EXPECT_EQ(pData, a.GetData());
    EXPECT_EQ(0, a.GetLength());
    EXPECT_EQ(6, a.GetAllocLength());
    a = "xyz";      // fits in place
    EXPECT_EQ(pData, a.GetData());
    EXPECT_STREQ("xyz", a);
    a = "longer than six";
    EXPECT_STREQ("longer than six", a);
    EXPECT_EQ(15, a.GetAllocLength());
    a = static_cast<const char*>(nullptr);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Concatenation, ExactSizesAndNullOperands)
{
    CString a("ab");
    CString b = a + "cd";
    EXPECT_STREQ("abcd", b);
    EXPECT_EQ(4, b.GetAllocLength());
    EXPECT_STREQ("xab", "x" + a);
    EXPECT_STREQ("abab", a + a);
    EXPECT_STREQ("ab!", a + '!');
    EXPECT_STREQ("ab", a + static_cast<const char*>(nullptr));
    CString c("12");
    c += c;         // appending a string to itself
    EXPECT_STREQ("1212", c);
    c += static_cast<const char*>(nullptr);
    EXPECT_STREQ("1212", c);
    c.GetBuffer(10);
    CStringHeader* pData = c.GetData();
    c += "34";      // room enough: in place
    EXPECT_EQ(pData, c.GetData());
    EXPECT_STREQ("121234", c);
}

TEST(Buffer, GetAndReleaseBuffer)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    EXPECT_EQ(3, s.GetLength());
    EXPECT_EQ(10, s.GetAllocLength());
    strcpy(p, "abcdefgh");
    s.ReleaseBuffer();
    EXPECT_STREQ("abcdefgh", s);
    s.ReleaseBuffer(2);
    EXPECT_STREQ("ab", s);
    EXPECT_PXASSERT(s.ReleaseBuffer(11), "nNewLength <= pData->nAllocLength");
    EXPECT_PXASSERT(s.GetBuffer(-1), "nMinBufLength >= 0");
    char* q = s.GetBufferSetLength(5);
    EXPECT_EQ(5, s.GetLength());
    EXPECT_EQ('\0', q[5]);
    EXPECT_PXASSERT(s.SetAt(5, 'x'), "nIndex < GetLength()");
    EXPECT_PXASSERT(s.SetAt(-1, 'x'), "nIndex >= 0");
}

TEST(Substrings, ClampsOfLeftRightMid)
{
    struct { const char* what; CString got; const char* want; } cases[] = {
        { "Mid(5) of abc", CString("abc").Mid(5), "" },
        { "Left(-3)", CString("abc").Left(-3), "" },
        { "Right(10)", CString("abc").Right(10), "abc" },
        { "Right(2)", CString("abc").Right(2), "bc" },
        { "Right(-1)", CString("abc").Right(-1), "" },
        { "Mid(-2,2)", CString("abc").Mid(-2, 2), "ab" },
        { "Mid(1,-4)", CString("abc").Mid(1, -4), "" },
        { "Mid(1,big)", CString("abc").Mid(1, 0x7fffffff), "bc" },
        { "Mid(2,big)", CString("abcd").Mid(2, 2147483647), "cd" },
        { "Mid(3)", CString("abc").Mid(3), "" },
        { "Mid(1)", CString("abc").Mid(1), "bc" },
        { "Left(2)", CString("abc").Left(2), "ab" },
        { "Left(9)", CString("abc").Left(9), "abc" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.want, c.got) << c.what;
}

TEST(Trim, BlanksAreNineToThirteenAndSpace)
{
    CString s("x \t\r\n");
    s.TrimRight();
    EXPECT_STREQ("x", s);
    CString blanks(" \t\v\f\r\n ");
    blanks.TrimLeft();
    EXPECT_STREQ("", blanks);
    EXPECT_EQ(0, blanks.GetLength());
    CString high("\xa0x\xa0");
    high.TrimLeft();
    high.TrimRight();
    EXPECT_STREQ("\xa0x\xa0", high);
    CString both("  a b  ");
    both.TrimLeft();
    EXPECT_STREQ("a b  ", both);
    both.TrimRight();
    EXPECT_STREQ("a b", both);
}

TEST(Search, FindReverseFindFindOneOf)
{
    CString s("axbx");
    EXPECT_EQ(1, s.Find('x'));
    EXPECT_EQ(3, s.ReverseFind('x'));
    EXPECT_EQ(1, s.FindOneOf("bx"));
    EXPECT_EQ(2, s.Find("bx"));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(-1, s.FindOneOf("yz"));
    EXPECT_EQ(-1, s.Find("xx"));
    CString hi("a\xe9" "b\xe9" "c");
    EXPECT_EQ(1, hi.Find('\xe9'));
    EXPECT_EQ(3, hi.ReverseFind('\xe9'));
}

TEST(Format, EstimatesOfThePart)
{
    const char* p40 = "0123456789012345678901234567890123456789";
    EXPECT_EQ(16, Estimate("%-16.16s", p40));
    EXPECT_EQ(10, Estimate("%.50s", "0123456789"));
    EXPECT_EQ(5, Estimate("%5s", "ab"));
    EXPECT_EQ(1, Estimate("%%"));
    EXPECT_EQ(34, Estimate("%#x", 255));
    EXPECT_EQ(32, Estimate("%d", 1));
    EXPECT_EQ(50, Estimate("%40.10d", 1));
    EXPECT_EQ(128, Estimate("%f", 1.5));
    EXPECT_EQ(2, Estimate("%c", 'x'));
    EXPECT_EQ(1, Estimate("%s", ""));
    EXPECT_EQ(6, Estimate("%s", static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, Estimate("%ls", L"abc"));
    EXPECT_EQ(8, Estimate("%*s", 8, "ab"));
    EXPECT_EQ(4 + 32, Estimate("a=%d b", 7));
}

TEST(Format, MalformedConversionsAreConsistencyFailures)
{
    EXPECT_PXASSERT(Estimate("%E", 1.0), "conversion");
    EXPECT_PXASSERT(Estimate("%n", nullptr), "%n");
    EXPECT_PXASSERT(Estimate("%*d", -3, 1), "nWidth >= 0");
    EXPECT_PXASSERT(Estimate("%.*s", -1, "x"), "nPrecision >= 0");
    CString s;
    int n = 0;
    EXPECT_PXASSERT(s.Format("%d%n", 5, &n), "%n");
    EXPECT_EQ(0, n);
}

TEST(Format, OutputIsSizedExactly)
{
    CString s;
    s.Format("%s=%d", "x", 42);
    EXPECT_STREQ("x=42", s);
    EXPECT_EQ(4, s.GetLength());
    s.Format("%s", static_cast<const char*>(nullptr));
    EXPECT_STREQ("(null)", s);
    // A floating value longer than the 128-character estimate gets room.
    s.Format("%f", 1e200);
    EXPECT_EQ(200 + 7, s.GetLength());
    EXPECT_STREQ("9999999999", s.Left(10));
    EXPECT_STREQ(".000000", s.Right(7));
    s.Format("%.3f|%5.1f|%-4d|%04x|%c", 2.5, 3.25, 7, 255, 'z');
    EXPECT_STREQ("2.500|  3.2|7   |00ff|z", s);
    CString big('q', 5000);
    s.Format("<%s>", static_cast<const char*>(big));
    EXPECT_EQ(5002, s.GetLength());
}

TEST(Compare, EqualityAndOrder)
{
    CString a("abc");
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != CString("abd"));
    EXPECT_TRUE(a < CString("abd"));
    EXPECT_EQ(0, a.CompareNoCase("ABC"));
}
