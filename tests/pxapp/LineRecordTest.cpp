// Record lines of the program file: delimiters, section tags, every field
// kind through a line and back, escaping of hostile texts, and the record
// stream's end of file and write failures.
#include "PXTestSupport.h"

#include "FileBuffer.h"
#include "LSStream.h"
#include "PXVLSFld.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

class ScratchFile
{
public:
    ScratchFile()
    {
        char szDir[MAX_PATH];
        char szName[MAX_PATH];
        GetTempPathA(MAX_PATH, szDir);
        GetTempFileNameA(szDir, "lsr", 0, szName);
        m_path = szName;
    }
    ~ScratchFile() { DeleteFileA(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }

    std::string Read() const
    {
        std::string s;
        FILE* fp = fopen(m_path.c_str(), "rb");
        if (!fp)
            return s;
        int ch;
        while ((ch = getc(fp)) != EOF)
            s += static_cast<char>(ch);
        fclose(fp);
        return s;
    }
    void Write(const std::string& s) const
    {
        FILE* fp = fopen(m_path.c_str(), "wb");
        fwrite(s.data(), 1, s.size(), fp);
        fclose(fp);
    }

private:
    std::string m_path;
};

// Writes the lines given by fn on a fresh record stream and returns the file.
template <class Fn>
std::string WriteLines(const ScratchFile& file, Fn fn)
{
    LSStream& s = LSOpenFile(LS_WRITE, file.Path());
    EXPECT_TRUE(s.IsOpen());
    fn();
    EXPECT_TRUE(LSCloseFile(s));
    return file.Read();
}

// A closed stream after each test, whatever it did.
class LineRecordTest : public testing::Test
{
protected:
    void TearDown() override
    {
        if (LSGetStream().IsOpen())
            LSCloseFile(LSGetStream());
        FileBuffer::set_space_left(-1);
    }
    ScratchFile file;
};

} // namespace

TEST_F(LineRecordTest, DelimitersFollowTheSectionId)
{
    struct Case { int nSection; const char* sep; const char* open; const char* close; };
    const Case cases[] = {
        { 0, ",", "[", "]" }, { 5, ",", "[", "]" }, { 8, ",", "[", "]" }, { 10, ",", "[", "]" },
        { 11, ",", "[", "]" }, { 13, ",", "[", "]" }, { 19, ",", "[", "]" }, { 22, ",", "[", "]" },
        { 7, ",", "<", ">" }, { 9, ",", "<", ">" }, { 14, ",", "<", ">" }, { 17, ",", "<", ">" },
        { 12, ",", "(", ")" }, { 15, ",", "(", ")" }, { 21, ",", "(", ")" },
        { 20, "", "", "" }, { 23, "", "", "" }, { 99, "", "", "" }, { -1, "", "", "" },
    };
    for (const Case& c : cases)
    {
        delimiter d = LSGetDelimiter(c.nSection);
        EXPECT_STREQ(d.separator, c.sep) << c.nSection;
        EXPECT_STREQ(d.open, c.open) << c.nSection;
        EXPECT_STREQ(d.close, c.close) << c.nSection;
    }
}

TEST_F(LineRecordTest, SectionTagsAreWrittenAndComparedByTheirTable)
{
    struct Case { int nSection; const char* begin; const char* end; bool bWritten; bool bCompared; };
    const Case cases[] = {
        { 0, "{Segments}", "{EndofSegments}", true, true },
        { 3, "{ZirirAradur}", "{EndofZirirAradur}", true, true },
        { 4, "{Pages}", "{EndofPages}", true, true },
        { 7, "{SymbolsPointers}", "{EndofSymbolPointers}", true, true },
        { 10, "{FileHeader}", "{EndofFileHeader}", true, true },
        { 11, "{VERSION}", "{EndofVersion}", true, false },
        { 14, "{Members}", "{LastMember}", true, true },
        { 17, "{VoiceSegItem}", "{EndOfVoiceSegItem}", false, true },
        { 22, "{TextNotes}", "{EndOfTextNotes}", true, true },
        { 23, "{CommentSection}", "{EndOfCommentSection}", true, true },
        { 9, "", "", false, false },
        { 12, "", "", false, false },
        { 24, "", "", false, false },
    };
    for (const Case& c : cases)
    {
        std::string expected = c.bWritten ? std::string(c.begin) + "\r\n" + c.end + "\r\n" : "";
        std::string written = WriteLines(file, [&] {
            EXPECT_EQ(LSWriteSectionTag(c.nSection, FALSE), c.bWritten ? 1 : 0);
            EXPECT_EQ(LSWriteSectionTag(c.nSection, TRUE), c.bWritten ? 1 : 0);
        });
        EXPECT_EQ(written, expected) << c.nSection;
        EXPECT_STREQ(LSSectionTag(c.nSection, FALSE), c.bCompared ? c.begin : "") << c.nSection;
        EXPECT_STREQ(LSSectionTag(c.nSection, TRUE), c.bCompared ? c.end : "") << c.nSection;
    }
}

TEST_F(LineRecordTest, RecordLinesAreWrittenWithTheSectionsDelimiters)
{
    struct Case { int nSection; long l1; long l2; const char* psz; const char* line; int nResult; };
    const Case cases[] = {
        { 0, 10, -5, "a,b", "[10,-5,a~,b,]", 1 },
        { 7, 0, 2147483647, "", "<0,2147483647,,>", 1 },
        { 12, -2147483647 - 1, 1, "x~,y", "(-2147483648,1,x~~,y,)", 1 },
        { 20, 1, 2, "z", nullptr, 0 },
    };
    for (const Case& c : cases)
    {
        AbstrRecord rec;
        rec.AddField(new LONG_Field("A"));
        rec.AddField(new LONG_Field("B"));
        rec.AddField(new STRING_Field("C", 16));
        rec.GetField(0)->Set(&c.l1);
        rec.GetField(1)->Set(&c.l2);
        rec.GetField(2)->Set(c.psz);
        std::string written = WriteLines(file, [&] { EXPECT_EQ(rec.WriteLine(c.nSection), c.nResult); });
        EXPECT_EQ(written, c.line ? std::string(c.line) + "\r\n" : "") << c.nSection;
    }
    AbstrRecord empty;
    empty.AddField(new STRING_Field("Name", 16));
    EXPECT_EQ(WriteLines(file, [&] { empty.WriteLine(0); }), "[,]\r\n");
}

// Every field kind carries its values through a written line and back,
// hostile texts included.
TEST_F(LineRecordTest, EveryFieldKindRoundTripsThroughALine)
{
    const char* const texts[] = {
        "", "a", "a,b", ",", ",,,", "~", "a~", "~~", "a~,b", "~,", "~,~", ",~",
        "line\r\nbreak", "\r\n", "lone\nfeed", "lone\rreturn", "\n\r", "\r\r\n\n", "end\r", "end\n",
        "^Enter^", "^CR^x^LF^", "^Caret^", "^Tilde^", "a^", "^", "^^", "x^2", "^a~", "~^Tilde",
        "[x]", "]", "<>()", "{EndofPages}", " lead and trail ", "\t tab",
        "\x01\x7f\x80\xff", "ends with comma,", "a~~,,b~",
    };
    struct Numbers { unsigned char uc; long l; long b; };
    const Numbers numbers[] = {
        { 0, 0, 0 }, { 255, -1, 1 }, { 44, 2147483647, 0 }, { 1, -2147483647 - 1, 1 }, { 128, 35, 0 },
    };
    const int nSections[] = { 0, 7, 12, 22 };
    int nCase = 0;
    for (const char* psz : texts)
    {
        const Numbers& n = numbers[nCase % 5];
        int nSection = nSections[nCase % 4];
        ++nCase;
        auto build = [](AbstrRecord& rec) {
            rec.AddField(new STRING_Field("Name", 64));
            rec.AddField(new UCHAR_Field("Kind"));
            rec.AddField(new LONG_Field("Value"));
            rec.AddField(new BOOL_Field("Flag"));
            rec.AddField(new STRING_Field("Text", 64));
        };
        AbstrRecord out;
        build(out);
        out.GetField(0)->Set(psz);
        out.GetField(1)->Set(&n.uc);
        out.GetField(2)->Set(&n.l);
        out.GetField(3)->Set(&n.b);
        std::string twice = std::string(psz) + psz;
        out.GetField(4)->Set(twice.c_str());
        std::string written = WriteLines(file, [&] { EXPECT_EQ(out.WriteLine(nSection), 1); });
        // One record, one line: nothing inside a field may end it.
        ASSERT_EQ(written.find('\n'), written.size() - 1) << "text #" << nCase;
        ASSERT_EQ(written.find('\r'), written.size() - 2) << "text #" << nCase;

        LSStream& s = LSOpenFile(LS_READ, file.Path());
        ASSERT_TRUE(s.IsOpen());
        AbstrRecord in;
        build(in);
        EXPECT_EQ(in.ReadLine(nSection), 1) << written;
        char sz[64];
        in.GetField(0)->CopyOut(sz);
        EXPECT_STREQ(sz, psz) << "text #" << nCase << " line " << written;
        in.GetField(4)->CopyOut(sz);
        EXPECT_STREQ(sz, twice.c_str()) << "text #" << nCase;
        unsigned char uc = 0;
        long l = 0;
        long b = 0;
        in.GetField(1)->CopyOut(&uc);
        in.GetField(2)->CopyOut(&l);
        in.GetField(3)->CopyOut(&b);
        EXPECT_EQ(uc, n.uc);
        EXPECT_EQ(l, n.l);
        EXPECT_EQ(b, n.b);
        CString line;
        EXPECT_EQ(LSReadLine(line), 0);
        EXPECT_TRUE(s.AtEnd());
        LSCloseFile(s);
    }
}

TEST_F(LineRecordTest, TextsAreEscapedAsTheFileFormExpects)
{
    struct Case { const char* text; const char* escaped; };
    const Case cases[] = {
        { "a,b", "a~,b" },
        { "a~,b", "a~~,b" },
        { "one\r\ntwo", "one^Enter^two" },
        { "one\ntwo", "one^LF^two" },
        { "one\rtwo", "one^CR^two" },
        { "a~", "a^Tilde^" },
        { "~a", "~a" },
        { "x^2", "x^2" },
        { "^Enter^", "^Caret^Enter^" },
        { "plain text", "plain text" },
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(LSEscapeText(c.text), c.escaped);
        // The line splitter has turned "~," back into "," before the text
        // is unescaped.
        std::string split = c.escaped;
        for (size_t i = split.find("~,"); i != std::string::npos; i = split.find("~,", i + 1))
            split.erase(i, 1);
        EXPECT_STREQ(LSUnescapeText(split.c_str()), c.text);
    }
}

TEST_F(LineRecordTest, LinesOfOlderFilesReadAsBefore)
{
    // Older writers appended "~," to a text ending in a tilde and knew only
    // ^Enter^; carets that start no sequence are plain characters.
    struct Case { const char* line; const char* text; };
    const Case cases[] = {
        { "[a~~,,]", "a~," },
        { "[one^Enter^two,]", "one\r\ntwo" },
        { "[x^y^,]", "x^y^" },
        { "[^Hello^,]", "^Hello^" },
        { "garbage before [kept,] after", "kept" },
    };
    for (const Case& c : cases)
    {
        file.Write(std::string(c.line) + "\n");
        LSStream& s = LSOpenFile(LS_READ, file.Path());
        AbstrRecord rec;
        rec.AddField(new STRING_Field("T", 32));
        EXPECT_EQ(rec.ReadLine(0), 1) << c.line;
        EXPECT_STREQ(static_cast<STRING_Field*>(rec.GetField(0))->GetText(), c.text);
        LSCloseFile(s);
    }
}

TEST_F(LineRecordTest, LinesThatDoNotParse)
{
    struct Case { const char* line; int nFields; int nResult; long lFirst; };
    const Case cases[] = {
        { "{EndofPages}", 1, 2, 77 },       // the end tag changes no field
        { "[5,", 1, 0, 5 },                 // no close delimiter: the field is set
        { "[5", 1, 0, 77 },                 // no separator
        { "[1,2,]", 1, 0, 1 },              // more fields than the record
        { "[1,]", 2, 0, 1 },                // fewer fields than the record
        { "no delimiter at all", 1, 0, 77 },
        { "", 1, 0, 77 },
        { "[1,2,]trailing", 2, 1, 1 },      // after the close nothing is read
        { "[x,y,]", 2, 1, 0 },              // numbers that do not parse read 0
        { "{EndofPages} ", 1, 0, 77 },      // the whole line must be the tag
    };
    for (const Case& c : cases)
    {
        file.Write(std::string(c.line) + "\r\n");
        LSStream& s = LSOpenFile(LS_READ, file.Path());
        AbstrRecord rec;
        long lInit = 77;
        for (int i = 0; i < c.nFields; ++i)
        {
            rec.AddField(new LONG_Field("N"));
            rec.GetField(i)->Set(&lInit);
        }
        EXPECT_EQ(rec.ReadLine(4), c.nResult) << c.line;
        EXPECT_EQ(static_cast<LONG_Field*>(rec.GetField(0))->GetValue(), c.lFirst) << c.line;
        LSCloseFile(s);
    }
}

TEST_F(LineRecordTest, NumbersAreReadFromTheStartOfTheirText)
{
    struct Case { const char* text; unsigned char uc; long l; long b; };
    const Case cases[] = {
        { "300", 44, 300, 1 },
        { "65536", 0, 65536, 0 },       // BOOL looks at the lower 16 bits only
        { "2", 2, 2, 1 },
        { "  -1", 255, -1, 1 },
        { "+12abc", 12, 12, 1 },
        { "abc", 0, 0, 0 },
        { "", 0, 0, 0 },
        { "4294967297", 1, 1, 1 },
    };
    for (const Case& c : cases)
    {
        UCHAR_Field u("U");
        LONG_Field l("L");
        BOOL_Field b("B");
        u.FromText(c.text);
        l.FromText(c.text);
        b.FromText(c.text);
        EXPECT_EQ(u.GetValue(), c.uc) << c.text;
        EXPECT_EQ(l.GetValue(), c.l) << c.text;
        EXPECT_EQ(b.GetValue(), c.b) << c.text;
    }
    BOOL_Field b("B");
    long lWide = 0x10001;
    b.Set(&lWide);
    EXPECT_STREQ(b.ToText(), "1");
    EXPECT_STREQ(b.LastText(), "1");
}

TEST_F(LineRecordTest, FieldsDescribeThemselvesAndCopyWithinTheirLength)
{
    STRING_Field s("a name longer than thirty-two characters in all", 8);
    EXPECT_EQ(s.Element().wLength, 8);
    EXPECT_EQ(s.Element().lType, 4);
    EXPECT_STREQ(s.Element().szName, "a name longer than thirty-two ch");
    EXPECT_EQ(UCHAR_Field("u").Element().lType, 1);
    EXPECT_EQ(UCHAR_Field("u").Element().wLength, 1);
    EXPECT_EQ(LONG_Field("l").Element().wLength, 4);
    EXPECT_EQ(BOOL_Field("b").Element().lType, 3);

    // A longer text is cut to n - 1 characters; the destination is cleared
    // over the field's length.
    s.Set("abcdefghij");
    EXPECT_STREQ(s.GetText(), "abcdefg");
    char dest[12];
    memset(dest, 'Z', sizeof(dest));
    s.CopyOut(dest);
    EXPECT_STREQ(dest, "abcdefg");
    EXPECT_EQ(dest[8], 'Z');
    s.CopyIn("xy");
    memset(dest, 'Z', sizeof(dest));
    s.CopyOut(dest);
    EXPECT_EQ(std::string(dest, 8), std::string("xy\0\0\0\0\0\0", 8));
    s.FromText("q~,r^Enter^s");   // "~," is the line splitter's business
    EXPECT_STREQ(s.GetText(), "q~,r\r\ns");
}

TEST_F(LineRecordTest, EndOfFileEndsReadingForGood)
{
    file.Write("[1,]\r\nlast without break");
    LSStream& s = LSOpenFile(LS_READ, file.Path());
    AbstrRecord rec;
    rec.AddField(new LONG_Field("N"));
    EXPECT_EQ(rec.ReadLine(0), 1);
    CString line;
    EXPECT_EQ(LSReadLine(line), 1);
    EXPECT_STREQ(line, "last without break");
    EXPECT_FALSE(s.AtEnd());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(LSReadLine(line), 0);
        EXPECT_TRUE(line.IsEmpty());
        EXPECT_TRUE(s.AtEnd());
        EXPECT_EQ(rec.ReadLine(0), 0);
        // Sections 9 and 12 have no end tag to compare: the empty line of
        // the end of the file must not pass for one.
        EXPECT_EQ(rec.ReadLine(9), 0);
    }
    LSCloseFile(s);
}

TEST_F(LineRecordTest, StreamOpensOneFileAtATime)
{
    LSStream& s = LSOpenFile(LS_READ, "Z:\\no\\such\\dir\\x.ed");
    EXPECT_FALSE(s.IsOpen());
    CString line;
    EXPECT_EQ(LSReadLine(line), 0);
    EXPECT_EQ(LSWriteLine("x"), 0);
    EXPECT_FALSE(LSCloseFile(s));

    LSStream& w = LSOpenFile(LS_WRITE, file.Path());
    ASSERT_TRUE(w.IsOpen());
    EXPECT_PXASSERT(LSOpenFile(LS_READ, file.Path()), "IsOpen");
    EXPECT_EQ(LSReadLine(line), 0);    // a write stream reads nothing
    LSCloseFile(w);
}

TEST_F(LineRecordTest, FailedWriteIsReportedAndRemembered)
{
    LSStream& s = LSOpenFile(LS_WRITE, file.Path());
    ASSERT_TRUE(s.IsOpen());
    AbstrRecord rec;
    rec.AddField(new STRING_Field("T", 32));
    rec.GetField(0)->Set("twelve chars");
    FileBuffer::set_space_left(20);
    EXPECT_EQ(rec.WriteLine(0), 1);     // 16 bytes with the line break
    EXPECT_FALSE(s.WriteFailed());
    EXPECT_EQ(rec.WriteLine(0), 0);
    EXPECT_TRUE(s.WriteFailed());
    EXPECT_EQ(LSWriteSectionTag(4, TRUE), 0);
    FileBuffer::set_space_left(-1);
    EXPECT_FALSE(LSCloseFile(s));
}

TEST_F(LineRecordTest, AttachedStreamSharesTheOneHandleOfTheFile)
{
    // Raw bytes and record lines go through the same handle in the order
    // they are written, and are read back the same way.
    {
        FileBuffer fb(file.Path(), "w+b", FileBuffer::replace);
        ASSERT_TRUE(fb.is_open());
        LSStream& s = LSAttachFile(LS_WRITE, fb);
        ASSERT_TRUE(s.IsOpen());
        EXPECT_EQ(LSWriteSectionTag(10, FALSE), 1);
        fputs("model part\r\n", fb.file());
        EXPECT_EQ(LSWriteSectionTag(5, FALSE), 1);
        EXPECT_TRUE(LSCloseFile(s));
        EXPECT_TRUE(fb.is_open());      // the FileBuffer still owns it
        EXPECT_EQ(fb.commit(nullptr), FileBuffer::committed);
    }
    EXPECT_EQ(file.Read(), "{FileHeader}\r\nmodel part\r\n{Program}\r\n");
    FileBuffer fb(file.Path(), "rb");
    LSStream& s = LSAttachFile(LS_READ, fb);
    CString line;
    EXPECT_EQ(LSReadLine(line), 1);
    EXPECT_STREQ(line, "{FileHeader}");
    char sz[32];
    ASSERT_NE(fgets(sz, sizeof(sz), fb.file()), nullptr);
    EXPECT_STREQ(sz, "model part\r\n");
    EXPECT_EQ(LSReadLine(line), 1);
    EXPECT_STREQ(line, "{Program}");
    EXPECT_TRUE(LSCloseFile(s));
}

TEST_F(LineRecordTest, LongestTextNoteTextKeepsAllItsCharacters)
{
    // 2047 characters, the most a 2048-byte field holds, full of characters
    // that are escaped on the way.
    std::string text;
    const char pattern[] = "a,b\r\nc~d^Enter^e\nf\rg";
    while (text.size() < 2047)
        text += pattern[text.size() % (sizeof(pattern) - 1)];
    text.back() = '~';
    AbstrRecord out;
    out.AddField(new STRING_Field("Text", 2048));
    out.GetField(0)->Set(text.c_str());
    ASSERT_EQ(strlen(static_cast<STRING_Field*>(out.GetField(0))->GetText()), 2047u);
    WriteLines(file, [&] { EXPECT_EQ(out.WriteLine(22), 1); });

    LSStream& s = LSOpenFile(LS_READ, file.Path());
    AbstrRecord in;
    in.AddField(new STRING_Field("Text", 2048));
    EXPECT_EQ(in.ReadLine(22), 1);
    EXPECT_EQ(std::string(static_cast<STRING_Field*>(in.GetField(0))->GetText()), text);
    LSCloseFile(s);
}

// Damaged lines: every truncation and thousands of seeded byte mutations of
// valid record lines parse or are refused; none crashes, and no field takes
// more than it can hold.
TEST_F(LineRecordTest, DamagedLinesNeverOverrunAField)
{
    const char* const lines[] = {
        "[10,-5,a~,b,Main^Enter^x,1,]",
        "<255,2147483647,~~,,^Caret^Tilde^,0,>",
        "(0,0,,,0,)",
    };
    const char alphabet[] = "[]<>(),~^\r\n0123456789-EnterCaret\x01 a";
    unsigned int nSeed = 12345;
    auto next = [&nSeed]() { nSeed = nSeed * 1103515245u + 12345u; return (nSeed >> 16) & 0x7FFF; };
    const int nSections[] = { 0, 7, 12 };
    int nParsed = 0;
    int nRefused = 0;
    for (int nLine = 0; nLine < 3; ++nLine)
    {
        std::string good = lines[nLine];
        std::vector<std::string> damaged;
        for (size_t n = 0; n <= good.size(); ++n)
            damaged.push_back(good.substr(0, n));
        for (int i = 0; i < 2000; ++i)
        {
            std::string m = good;
            int nEdits = 1 + next() % 4;
            for (int e = 0; e < nEdits; ++e)
            {
                size_t pos = next() % (m.size() + 1);
                char ch = alphabet[next() % (sizeof(alphabet) - 1)];
                switch (next() % 3)
                {
                case 0: if (pos < m.size()) m[pos] = ch; break;
                case 1: m.insert(pos, 1, ch); break;
                default: if (pos < m.size()) m.erase(pos, 1); break;
                }
            }
            damaged.push_back(m);
        }
        for (const std::string& text : damaged)
        {
            AbstrRecord rec;
            rec.AddField(new UCHAR_Field("U"));
            rec.AddField(new LONG_Field("L"));
            rec.AddField(new STRING_Field("S", 4));
            rec.AddField(new STRING_Field("T", 8));
            rec.AddField(new BOOL_Field("B"));
            delimiter d = LSGetDelimiter(nSections[nLine]);
            int nResult = rec.ParseLine(CString(text.c_str()), d.open, d.separator, d.close, "");
            ASSERT_TRUE(nResult == 0 || nResult == 1 || nResult == 2) << text;
            (nResult == 1 ? nParsed : nRefused)++;
            ASSERT_LE(strlen(static_cast<STRING_Field*>(rec.GetField(2))->GetText()), 3u);
            ASSERT_LE(strlen(static_cast<STRING_Field*>(rec.GetField(3))->GetText()), 7u);
            long b = static_cast<BOOL_Field*>(rec.GetField(4))->GetValue();
            ASSERT_TRUE(b == 0 || b == 1);
        }
    }
    // The mutations reach both outcomes.
    EXPECT_GT(nParsed, 100);
    EXPECT_GT(nRefused, 100);
}

// The line writer writes the very line that a record of the same fields
// and values writes, texts cut to their field's width and escaped.
TEST_F(LineRecordTest, LineWriterWritesWhatTheRecordWrites)
{
    struct Case
    {
        const char* name;
        int nSection;
        long l;
        unsigned char uc;
        long b;
        const char* text;
        unsigned short nWidth;
    };
    const Case cases[] = {
        {"plain", 0, 10, 0, 0, "a", 31},
        {"negative and largest", 3, -2147483647L - 1, 255, 0x10001, "Block 1", 31},
        {"angle brackets", 7, 2147483647L, 7, -1, "", 5},
        {"parentheses", 12, -5, 1, 0xFFFF, "x,y", 8},
        {"text with escapes", 22, 0, 0, 1, "one\r\ntwo\rthree\nfour ^caret ^ a,b~", 128},
        {"cut before a line break", 1, 3, 3, 3, "abc\r\ndef", 5},
        {"cut leaving a tilde last", 2, 4, 4, 4, "ab~cd", 4},
        {"cut in a run of commas", 4, 5, 5, 5, ",,,,,,", 4},
        {"no delimiters", 20, 1, 1, 1, "t", 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        AbstrRecord r;
        LONG_Field* pL = new LONG_Field("L");
        UCHAR_Field* pU = new UCHAR_Field("U");
        BOOL_Field* pB = new BOOL_Field("B");
        STRING_Field* pS = new STRING_Field("S", c.nWidth);
        r.AddField(pL);
        r.AddField(pU);
        r.AddField(pB);
        r.AddField(pS);
        pL->Set(&c.l);
        pU->Set(&c.uc);
        pB->Set(&c.b);
        pS->Set(c.text);

        int nRecord = 0, nWriter = 0;
        ScratchFile writerFile;
        std::string byRecord = WriteLines(file, [&] { nRecord = r.WriteLine(c.nSection); });
        std::string written = WriteLines(writerFile, [&] {
            nWriter = LSLineWriter(c.nSection).Long(c.l).Byte(c.uc).Bool(c.b).Text(c.text, c.nWidth).Write();
        });
        EXPECT_EQ(nRecord, nWriter);
        EXPECT_EQ(c.nSection != 20, nWriter == 1);
        EXPECT_EQ(byRecord, written);
        EXPECT_EQ(c.nSection == 20 ? "" : std::string(r.FormatLine(LSGetDelimiter(c.nSection).open,
                                                                     LSGetDelimiter(c.nSection).separator,
                                                                     LSGetDelimiter(c.nSection).close)) +
                                              "\r\n",
                  written);
    }
}
