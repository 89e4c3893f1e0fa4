// CString: the program's one text type. Copies share one buffer under an
// interlocked reference count; a change first makes a private copy. A text
// pointer below 0x10000 given to the constructor names a string-table entry.
#ifndef PXSTRING_H
#define PXSTRING_H

#include <windows.h>
#include <stdarg.h>

// Stands in the same allocation immediately before the characters.
struct CStringHeader
{
    volatile LONG nRefs;    // -1 only for afxDataNil
    int nDataLength;        // characters in use, without the NUL
    int nAllocLength;       // characters the buffer can hold, without the NUL

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

// The one static empty header; every empty string points at its text.
extern CStringHeader* const afxDataNil;

// The module whose string table the program's texts come from (by default the
// executable). Texts never come from whatever module made the active window.
HINSTANCE PXGetResourceHandle();
void PXSetResourceHandle(HINSTANCE hInst);

class CString
{
public:
    CString();
    CString(const CString& src);
    CString(const char* psz);
    CString(char ch, int nRepeat = 1);
    ~CString();

    const CString& operator=(const CString& src);
    const CString& operator=(const char* psz);

    const CString& operator+=(const CString& src);
    const CString& operator+=(const char* psz);
    const CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);

    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    bool IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    operator const char*() const { return m_pchData; }

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    char* GetBufferSetLength(int nNewLength);

    int Find(char ch) const;
    int Find(const char* pszSub) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    void TrimRight();
    void TrimLeft();

    // Windows' headers map these names to their A forms; both spellings work.
    BOOL LoadStringA(UINT nID);
    void FormatMessageA(UINT nFormatID, ...);

    void Format(const char* pszFormat, ...);
    void FormatV(const char* pszFormat, va_list argList);

    // The length that Format reserves for pszFormat with these arguments. A
    // malformed conversion is a consistency failure, and so is %n.
    static int EstimateFormatLength(const char* pszFormat, va_list argList);

    CStringHeader* GetData() const
    {
        return reinterpret_cast<CStringHeader*>(m_pchData) - 1;
    }

private:
    void Init();
    void AllocBuffer(int nLen);
    void Release();
    static void Release(CStringHeader* pData);
    void AllocBeforeWrite(int nLen);
    void AssignCopy(int nSrcLen, const char* pszSrc);
    void ConcatCopy(int nLen1, const char* psz1, int nLen2, const char* psz2);
    void ConcatInPlace(int nSrcLen, const char* pszSrc);
    void CopyBeforeWrite();
    void AllocCopy(CString& dest, int nCopyLen, int nCopyIndex) const;

    char* m_pchData;
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }

#endif
