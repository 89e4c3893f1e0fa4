// Fields and records of the program file's record lines.
#include "PXVLSFld.h"

#include "LSStream.h"

#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

struct SectionTags
{
    const char* pszBegin;
    const char* pszEnd;
};

// Begin and end tags by section id; 9 and 12 have none. Id 11 is written
// but not compared, and 17 is only compared.
const SectionTags g_tags[] = {
    { "{Segments}", "{EndofSegments}" },                       // 0
    { "{Gotos}", "{EndofGotos}" },                             // 1
    { "{GotoBlocks}", "{EndofGotoBlocks}" },                   // 2
    { "{ZirirAradur}", "{EndofZirirAradur}" },                 // 3
    { "{Pages}", "{EndofPages}" },                             // 4
    { "{Program}", "{EndofProgram}" },                         // 5
    { "{Symbols}", "{EndofSymbols}" },                         // 6
    { "{SymbolsPointers}", "{EndofSymbolPointers}" },          // 7
    { "{ZirirAradur}", "{EndofZirirAradur}" },                 // 8
    { nullptr, nullptr },                                      // 9
    { "{FileHeader}", "{EndofFileHeader}" },                   // 10
    { "{VERSION}", "{EndofVersion}" },                         // 11
    { nullptr, nullptr },                                      // 12
    { "{Structures}", "{EndofStructures}" },                   // 13
    { "{Members}", "{LastMember}" },                           // 14
    { "{VoiceSegment}", "{EndOfVoiceSegment}" },               // 15
    { "{VoiceSegItem}", "{EndOfVoiceSegItem}" },               // 16
    { "{VoiceSegItem}", "{EndOfVoiceSegItem}" },               // 17
    { "{DLLs}", "{EndOfDLLs}" },                               // 18
    { "{CustomZiriraradur}", "{EndOfCustomZiriraradur}" },     // 19
    { "{DiskDefaults}", "{EndofDiskDefaults}" },               // 20
    { "{VerifyTables}", "{EndofVerifyTables}" },               // 21
    { "{TextNotes}", "{EndOfTextNotes}" },                     // 22
    { "{CommentSection}", "{EndOfCommentSection}" },           // 23
};
const int g_nTags = sizeof(g_tags) / sizeof(g_tags[0]);

// The "^...^" sequences of a text field and the characters they stand for.
// A caret is written as "^Caret^" only where a letter follows it, which is
// where it could be read as the start of a sequence.
struct TextEscape
{
    const char* pszSeq;
    const char* pszText;
};
const TextEscape g_escapes[] = {
    { "^Enter^", "\r\n" },
    { "^CR^", "\r" },
    { "^LF^", "\n" },
    { "^Caret^", "^" },
    { "^Tilde^", "~" },
};

bool IsLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

// The decimal number at the start of a text: leading blanks and a sign are
// allowed, no digits give 0; the value wraps rather than overflowing.
unsigned long long ParseNumber(const char* psz)
{
    if (!psz)
        return 0;
    while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r'))
        ++psz;
    bool bNeg = false;
    if (*psz == '+' || *psz == '-')
        bNeg = *psz++ == '-';
    unsigned long long n = 0;
    while (*psz >= '0' && *psz <= '9')
        n = n * 10 + static_cast<unsigned>(*psz++ - '0');
    return bNeg ? 0 - n : n;
}

// A number in decimal, as "%ld" writes it.
void AppendNumber(std::string& rOut, long nValue)
{
    char sz[16];
    char* p = sz + sizeof(sz);
    unsigned long u = nValue < 0 ? 0ul - static_cast<unsigned long>(nValue) : static_cast<unsigned long>(nValue);
    do
    {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (nValue < 0)
        *--p = '-';
    rOut.append(p, static_cast<size_t>(sz + sizeof(sz) - p));
}

void* AllocValue(size_t n)
{
    void* p = calloc(n, 1);
    if (!p)
        PXTHROW_XMEM(0);
    return p;
}

} // namespace

delimiter LSGetDelimiter(int nSection)
{
    switch (nSection)
    {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 8:
    case 10: case 11: case 13: case 18: case 19: case 22:
        return { ",", "[", "]" };
    case 7: case 9: case 14: case 16: case 17:
        return { ",", "<", ">" };
    case 12: case 15: case 21:
        return { ",", "(", ")" };
    default:
        return { "", "", "" };
    }
}

int LSWriteSectionTag(int nSection, BOOL bEnd)
{
    if (nSection < 0 || nSection >= g_nTags || nSection == 17 || !g_tags[nSection].pszBegin)
        return 0;
    return LSWriteLine(bEnd ? g_tags[nSection].pszEnd : g_tags[nSection].pszBegin);
}

namespace {

// The tag compared while reading, without making a text of it per line.
const char* ComparedTag(int nSection, BOOL bEnd)
{
    if (nSection < 0 || nSection >= g_nTags || nSection == 11 || !g_tags[nSection].pszBegin)
        return "";
    return bEnd ? g_tags[nSection].pszEnd : g_tags[nSection].pszBegin;
}

} // namespace

CString LSSectionTag(int nSection, BOOL bEnd)
{
    return CString(ComparedTag(nSection, bEnd));
}

CString LSEscapeText(const char* pszText)
{
    std::string out;
    LSAppendEscaped(out, pszText);
    return CString(out.c_str());
}

void LSAppendEscaped(std::string& out, const char* pszText)
{
    const char* p = pszText ? pszText : "";
    for (; *p; ++p)
    {
        // Runs of plain characters go in at once.
        const char* pRun = p;
        while (*p && *p != ',' && *p != '\r' && *p != '\n' && *p != '^' && *p != '~')
            ++p;
        out.append(pRun, static_cast<size_t>(p - pRun));
        if (!*p)
            break;
        char ch = *p;
        if (ch == ',')
            out += "~,";
        else if (ch == '\r' && p[1] == '\n')
        {
            out += "^Enter^";
            ++p;
        }
        else if (ch == '\r')
            out += "^CR^";
        else if (ch == '\n')
            out += "^LF^";
        else if (ch == '^' && IsLetter(p[1]))
            out += "^Caret^";
        else if (ch == '~' && p[1] == '\0')
            // A tilde before the separator would escape it.
            out += "^Tilde^";
        else
            out += ch;
    }
}

CString LSUnescapeText(const char* pszText)
{
    if (!pszText || !strchr(pszText, '^'))
        return CString(pszText ? pszText : "");
    std::string out;
    const char* p = pszText ? pszText : "";
    while (*p)
    {
        if (*p == '^')
        {
            const TextEscape* pFound = nullptr;
            for (const TextEscape& e : g_escapes)
                if (strncmp(p, e.pszSeq, strlen(e.pszSeq)) == 0)
                {
                    pFound = &e;
                    break;
                }
            if (pFound)
            {
                out += pFound->pszText;
                p += strlen(pFound->pszSeq);
                continue;
            }
        }
        out += *p++;
    }
    return CString(out.c_str());
}

// Fields ---------------------------------------------------------------

AbstrField::AbstrField(const char* pszName, unsigned short wLength, long lType)
{
    if (wLength < 1)
        wLength = 1;
    if (wLength <= sizeof(m_abSmall))
    {
        memset(m_abSmall, 0, sizeof(m_abSmall));
        m_pValue = m_abSmall;
    }
    else
        m_pValue = static_cast<unsigned char*>(AllocValue(wLength));
    memset(&ElementDescr, 0, sizeof(ElementDescr));
    ElementDescr.wLength = wLength;
    ElementDescr.lType = lType;
    if (pszName)
        strncpy(ElementDescr.szName, pszName, sizeof(ElementDescr.szName) - 1);
}

AbstrField::~AbstrField()
{
    if (m_pValue != m_abSmall)
        free(m_pValue);
}

void AbstrField::AppendText(std::string& rLine)
{
    rLine += static_cast<const char*>(ToText());
}

void AbstrField::Set(const void* pSource)
{
    PXASSERT(pSource != nullptr);
    memcpy(m_pValue, pSource, ElementDescr.wLength);
}

void AbstrField::CopyOut(void* pDest)
{
    PXASSERT(pDest != nullptr);
    memcpy(pDest, m_pValue, ElementDescr.wLength);
}

void AbstrField::CopyIn(const void* pSource)
{
    Set(pSource);
}

UCHAR_Field::UCHAR_Field(const char* pszName)
    : AbstrField(pszName, 1, LS_TYPE_UCHAR)
{
}

CString UCHAR_Field::ToText()
{
    m_LastText.Format("%u", static_cast<unsigned>(m_pValue[0]));
    return m_LastText;
}

void UCHAR_Field::AppendText(std::string& rLine)
{
    AppendNumber(rLine, m_pValue[0]);
}

void UCHAR_Field::FromText(const char* pszText)
{
    m_pValue[0] = static_cast<unsigned char>(ParseNumber(pszText) & 0xFF);
}

LONG_Field::LONG_Field(const char* pszName)
    : AbstrField(pszName, 4, LS_TYPE_LONG)
{
}

long LONG_Field::GetValue() const
{
    long l;
    memcpy(&l, m_pValue, 4);
    return l;
}

CString LONG_Field::ToText()
{
    m_LastText.Format("%ld", GetValue());
    return m_LastText;
}

void LONG_Field::AppendText(std::string& rLine)
{
    AppendNumber(rLine, GetValue());
}

void LONG_Field::FromText(const char* pszText)
{
    unsigned long u = static_cast<unsigned long>(ParseNumber(pszText) & 0xFFFFFFFFu);
    memcpy(m_pValue, &u, 4);
}

BOOL_Field::BOOL_Field(const char* pszName)
    : AbstrField(pszName, 4, LS_TYPE_LONG)
{
}

long BOOL_Field::GetValue() const
{
    long l;
    memcpy(&l, m_pValue, 4);
    return l;
}

CString BOOL_Field::ToText()
{
    m_LastText.Format("%hd", static_cast<short>(GetValue() & 0xFFFF));
    return m_LastText;
}

void BOOL_Field::AppendText(std::string& rLine)
{
    AppendNumber(rLine, static_cast<short>(GetValue() & 0xFFFF));
}

void BOOL_Field::FromText(const char* pszText)
{
    long l = (ParseNumber(pszText) & 0xFFFF) != 0 ? 1 : 0;
    memcpy(m_pValue, &l, 4);
}

STRING_Field::STRING_Field(const char* pszName, unsigned short n)
    : AbstrField(pszName, n, LS_TYPE_STRING)
{
}

void STRING_Field::Set(const void* pSource)
{
    PXASSERT(pSource != nullptr);
    size_t nMax = ElementDescr.wLength - 1u;
    const char* psz = static_cast<const char*>(pSource);
    memset(m_pValue, 0, ElementDescr.wLength);
    size_t n = 0;
    while (n < nMax && psz[n])
        ++n;
    memcpy(m_pValue, psz, n);
}

void STRING_Field::CopyIn(const void* pSource)
{
    Set(pSource);
}

void STRING_Field::CopyOut(void* pDest)
{
    PXASSERT(pDest != nullptr);
    memset(pDest, 0, ElementDescr.wLength);
    strncpy(static_cast<char*>(pDest), GetText(), ElementDescr.wLength);
}

CString STRING_Field::ToText()
{
    m_LastText = LSEscapeText(GetText());
    return m_LastText;
}

void STRING_Field::AppendText(std::string& rLine)
{
    LSAppendEscaped(rLine, GetText());
}

void STRING_Field::FromText(const char* pszText)
{
    if (pszText && !strchr(pszText, '^'))
    {
        Set(pszText);
        return;
    }
    CString text = LSUnescapeText(pszText);
    Set(static_cast<const char*>(text));
}

// Records --------------------------------------------------------------

AbstrRecord::AbstrRecord()
{
    // Room for the fields of every record line of a program file at once.
    m_fields.reserve(16);
}

AbstrRecord::~AbstrRecord()
{
    DeleteFields();
}

void AbstrRecord::AddField(AbstrField* pField)
{
    PXASSERT(pField != nullptr);
    m_fields.push_back(pField);
}

AbstrField* AbstrRecord::GetField(int nIndex) const
{
    PXASSERT(nIndex >= 0 && nIndex < GetFieldCount());
    return m_fields[static_cast<size_t>(nIndex)];
}

void AbstrRecord::DeleteFields()
{
    for (AbstrField* pField : m_fields)
        delete pField;
    m_fields.clear();
}

CString AbstrRecord::FormatLine(const char* pszOpen, const char* pszSep, const char* pszClose)
{
    std::string line;
    AppendLine(line, pszOpen, pszSep, pszClose);
    return CString(line.c_str());
}

void AbstrRecord::AppendLine(std::string& rLine, const char* pszOpen, const char* pszSep, const char* pszClose)
{
    rLine += pszOpen;
    for (AbstrField* pField : m_fields)
    {
        pField->AppendText(rLine);
        rLine += pszSep;
    }
    rLine += pszClose;
}

int AbstrRecord::WriteLine(int nSection)
{
    delimiter d = LSGetDelimiter(nSection);
    if (!*d.separator)
        return 0;
    return WriteLineWith(d.open, d.separator, d.close);
}

int AbstrRecord::WriteLineWith(const char* pszOpen, const char* pszSep, const char* pszClose)
{
    static std::string s_line;
    s_line.clear();
    AppendLine(s_line, pszOpen, pszSep, pszClose);
    return LSWriteLineN(s_line.data(), s_line.size()) ? 1 : 0;
}

int AbstrRecord::ReadLine(int nSection)
{
    delimiter d = LSGetDelimiter(nSection);
    if (!*d.separator)
        return 0;
    return ReadLineWith(d.open, d.separator, d.close, ComparedTag(nSection, TRUE));
}

int AbstrRecord::ReadLineWith(const char* pszOpen, const char* pszSep, const char* pszClose,
                              const char* pszEndTag)
{
    CString line;
    if (!LSReadLine(line))
        return 0;
    return ParseLine(line, pszOpen, pszSep, pszClose, pszEndTag);
}

int AbstrRecord::ParseLine(const CString& lineIn, const char* pszOpen, const char* pszSep,
                           const char* pszClose, const char* pszEndTag)
{
    if (lineIn == (pszEndTag ? pszEndTag : ""))
        return 2;
    if (!pszOpen || !pszSep || !pszClose || !*pszSep)
        return 0;
    // Lines are not parsed from two places at once: one buffer serves all.
    static std::string s_line;
    std::string& line = s_line;
    line.assign(static_cast<const char*>(lineIn), static_cast<size_t>(lineIn.GetLength()));
    size_t nSep = strlen(pszSep);
    size_t p = line.find(pszOpen);
    if (p == std::string::npos)
        return 0;
    p += strlen(pszOpen);
    for (AbstrField* pField : m_fields)
    {
        size_t q = line.find(pszSep, p);
        while (q != std::string::npos && q > p && line[q - 1] == '~')
        {
            // "~," stands for a comma of the text: drop the tilde and search
            // on after the comma that remains.
            line.erase(q - 1, 1);
            q = line.find(pszSep, q - 1 + nSep);
        }
        if (q == std::string::npos)
            return 0;
        // The field's text ends where its separator starts, for the moment.
        char chSep = line[q];
        line[q] = '\0';
        pField->FromText(line.c_str() + p);
        line[q] = chSep;
        p = q + nSep;
    }
    return line.compare(p, strlen(pszClose), pszClose) == 0 ? 1 : 0;
}

// Line writer ----------------------------------------------------------

namespace {

// Lines are not written from two places at once: one buffer serves all.
std::string& LineBuffer()
{
    static std::string s_line;
    return s_line;
}

} // namespace

LSLineWriter::LSLineWriter(int nSection) : m_delim(LSGetDelimiter(nSection)), m_line(LineBuffer())
{
    m_line.assign(m_delim.open);
}

LSLineWriter& LSLineWriter::Long(long nValue)
{
    AppendNumber(m_line, nValue);
    m_line += m_delim.separator;
    return *this;
}

LSLineWriter& LSLineWriter::Byte(unsigned char nValue)
{
    AppendNumber(m_line, nValue);
    m_line += m_delim.separator;
    return *this;
}

LSLineWriter& LSLineWriter::Bool(long nValue)
{
    AppendNumber(m_line, static_cast<short>(nValue & 0xFFFF));
    m_line += m_delim.separator;
    return *this;
}

LSLineWriter& LSLineWriter::Text(const char* pszText, unsigned short nWidth)
{
    const char* psz = pszText ? pszText : "";
    size_t nMax = nWidth > 0 ? nWidth - 1u : 0u;
    size_t n = 0;
    while (n < nMax && psz[n])
        ++n;
    if (psz[n] == '\0')
        LSAppendEscaped(m_line, psz);
    else
    {
        // Cut first, then escaped, as the field does.
        static std::string s_cut;
        s_cut.assign(psz, n);
        LSAppendEscaped(m_line, s_cut.c_str());
    }
    m_line += m_delim.separator;
    return *this;
}

int LSLineWriter::Write()
{
    if (!*m_delim.separator)
        return 0;
    m_line += m_delim.close;
    return LSWriteLineN(m_line.data(), m_line.size()) ? 1 : 0;
}
