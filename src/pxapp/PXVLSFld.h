// Line records of the program file's text form: typed fields that carry one
// value each and turn it into text and back, and AbstrRecord, an ordered
// list of fields written as one record line or filled from one. The
// delimiters of a line and the texts of the section tags are chosen by the
// section id.
#ifndef PXVLSFLD_H
#define PXVLSFLD_H

#include "PXafx.h"

#include <string>
#include <vector>

// The delimiters of the record lines of one section. A section without
// delimiters has empty texts.
struct delimiter
{
    const char* separator;
    const char* open;
    const char* close;
};

delimiter LSGetDelimiter(int nSection);

// Writes the begin tag (bEnd FALSE) or end tag of the section as one line:
// 1, or 0 for a section without tags (nothing written) or a failed write.
int LSWriteSectionTag(int nSection, BOOL bEnd);
// The tag text for comparisons while reading; empty for a section without.
CString LSSectionTag(int nSection, BOOL bEnd);

// Escaping of texts within a record line. Commas become "~,", line breaks
// and carets that could be taken for an escape become "^...^" sequences, so
// that no text can end a field or split a line.
CString LSEscapeText(const char* pszText);
// The same, appended to a text under construction.
void LSAppendEscaped(std::string& rOut, const char* pszText);
// The reverse of the "^...^" sequences; "~," has already become "," when
// the line was split.
CString LSUnescapeText(const char* pszText);

#pragma pack(push, 1)
struct tagELEMENT
{
    unsigned short wLength;     // byte length of the value
    long lType;                 // 1 byte, 3 long, 4 string
    char szName[33];            // cut to 32 characters, zero-filled
};
#pragma pack(pop)

enum
{
    LS_TYPE_UCHAR = 1,
    LS_TYPE_LONG = 3,
    LS_TYPE_STRING = 4
};

class AbstrField
{
public:
    virtual ~AbstrField();

    // Clears the value and copies it from a member of an object.
    virtual void Set(const void* pSource);
    // Clears the member and copies the value into it.
    virtual void CopyOut(void* pDest);
    virtual void CopyIn(const void* pSource);
    // The value as the text of a record line; kept as the field's last text.
    virtual CString ToText() = 0;
    // The same text appended to a line under construction (the last text
    // stays as it was): how a record writes its line.
    virtual void AppendText(std::string& rLine);
    // Stores the value read from the text of a record line.
    virtual void FromText(const char* pszText) = 0;

    const tagELEMENT& Element() const { return ElementDescr; }
    const unsigned char* Value() const { return m_pValue; }
    const CString& LastText() const { return m_LastText; }

protected:
    AbstrField(const char* pszName, unsigned short wLength, long lType);

    unsigned char* m_pValue;
    tagELEMENT ElementDescr;
    CString m_LastText;

private:
    // Values of up to 8 bytes (numbers) live here rather than on the heap.
    unsigned char m_abSmall[8];

private:
    AbstrField(const AbstrField&) = delete;
    AbstrField& operator=(const AbstrField&) = delete;
};

// An unsigned byte, written in decimal.
class UCHAR_Field : public AbstrField
{
public:
    explicit UCHAR_Field(const char* pszName);
    CString ToText() override;
    void AppendText(std::string& rLine) override;
    void FromText(const char* pszText) override;
    unsigned char GetValue() const { return m_pValue[0]; }
};

// A signed 32-bit number, written in decimal.
class LONG_Field : public AbstrField
{
public:
    explicit LONG_Field(const char* pszName);
    CString ToText() override;
    void AppendText(std::string& rLine) override;
    void FromText(const char* pszText) override;
    long GetValue() const;
};

// A 32-bit BOOL of which the lower 16 bits are written.
class BOOL_Field : public AbstrField
{
public:
    explicit BOOL_Field(const char* pszName);
    CString ToText() override;
    void AppendText(std::string& rLine) override;
    void FromText(const char* pszText) override;
    long GetValue() const;
};

// A NUL-terminated text of at most n - 1 characters.
class STRING_Field : public AbstrField
{
public:
    STRING_Field(const char* pszName, unsigned short n);
    void Set(const void* pSource) override;
    void CopyOut(void* pDest) override;
    void CopyIn(const void* pSource) override;
    CString ToText() override;
    void AppendText(std::string& rLine) override;
    void FromText(const char* pszText) override;
    const char* GetText() const { return reinterpret_cast<const char*>(m_pValue); }
};

class AbstrRecord
{
public:
    AbstrRecord();
    virtual ~AbstrRecord();

    // Appends the field; the record owns it from then on.
    virtual void AddField(AbstrField* pField);
    // 1 when the line was written; 0 when the section has no delimiters
    // (nothing written) or the write failed.
    virtual int WriteLine(int nSection);
    // 2 when the line read is the section's end tag, 1 when a record line
    // was parsed into every field, 0 when the line does not parse or the
    // file has ended (LSGetStream().AtEnd() tells which).
    virtual int ReadLine(int nSection);
    virtual int WriteLineWith(const char* pszOpen, const char* pszSep, const char* pszClose);
    virtual int ReadLineWith(const char* pszOpen, const char* pszSep, const char* pszClose,
                             const char* pszEndTag);
    // Deletes every field and empties the list.
    virtual void DeleteFields();

    int GetFieldCount() const { return static_cast<int>(m_fields.size()); }
    AbstrField* GetField(int nIndex) const;

    // The record line of the fields, without its line break.
    CString FormatLine(const char* pszOpen, const char* pszSep, const char* pszClose);
    void AppendLine(std::string& rLine, const char* pszOpen, const char* pszSep, const char* pszClose);
    // Parses one line into the fields: 2 for the end tag, 1 or 0.
    int ParseLine(const CString& line, const char* pszOpen, const char* pszSep,
                  const char* pszClose, const char* pszEndTag);

private:
    AbstrRecord(const AbstrRecord&) = delete;
    AbstrRecord& operator=(const AbstrRecord&) = delete;

    std::vector<AbstrField*> m_fields;
};

// A record line written straight from values: the same line as a record of
// LONG, UCHAR, BOOL and STRING fields holding those values writes, without
// making a field object per value (the lines of a large program go out
// fast).
class LSLineWriter
{
public:
    explicit LSLineWriter(int nSection);

    LSLineWriter& Long(long nValue);
    LSLineWriter& Byte(unsigned char nValue);
    LSLineWriter& Bool(long nValue);
    // A text as a STRING field of nWidth bytes holds it: at most nWidth - 1
    // characters.
    LSLineWriter& Text(const char* pszText, unsigned short nWidth);

    // The line so far (without the close delimiter).
    const std::string& Line() const { return m_line; }
    // Writes the line: 1, or 0 when the section has no delimiters (nothing
    // written) or the write failed.
    int Write();

private:
    delimiter m_delim;
    std::string& m_line;
};

#endif
