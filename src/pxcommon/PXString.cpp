// CString: reference-counted 8-bit text with copy on write.
#include "PXafx.h"

#include <stdio.h>
#include <string.h>
#include <stdlib.h>
#include <wchar.h>

namespace {

struct NilData
{
    CStringHeader header;
    char text[4];
};

NilData g_nil = { { -1, 0, 0 }, { 0, 0, 0, 0 } };

HINSTANCE g_hResource = nullptr;

// Largest length a buffer may have: the header, the text and the NUL must fit.
const int kMaxLength = 2147483646;

inline bool IsBlank(unsigned char c)
{
    return (c >= 9 && c <= 13) || c == 32;
}

} // namespace

CStringHeader* const afxDataNil = &g_nil.header;

HINSTANCE PXGetResourceHandle()
{
    return g_hResource ? g_hResource : GetModuleHandleA(nullptr);
}

void PXSetResourceHandle(HINSTANCE hInst)
{
    g_hResource = hInst;
}

// ---------------------------------------------------------------------------
// Buffer management

void CString::Init()
{
    m_pchData = afxDataNil->data();
}

void CString::AllocBuffer(int nLen)
{
    PXASSERT(nLen >= 0);
    PXASSERT(nLen <= kMaxLength);
    if (nLen == 0)
    {
        Init();
        return;
    }
    size_t cb = sizeof(CStringHeader) + static_cast<size_t>(nLen) + 1;
    CStringHeader* pData = static_cast<CStringHeader*>(malloc(cb));
    if (!pData)
        PXTHROW_XMEM(0);
    pData->nRefs = 1;
    pData->nDataLength = nLen;
    pData->nAllocLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

void CString::Release(CStringHeader* pData)
{
    if (pData == afxDataNil)
        return;
    PXASSERT(pData->nRefs != 0);
    if (InterlockedDecrement(&pData->nRefs) <= 0)
        free(pData);
}

void CString::Release()
{
    Release(GetData());
    Init();
}

void CString::CopyBeforeWrite()
{
    CStringHeader* pData = GetData();
    if (pData->nRefs > 1)
    {
        Release(pData);
        AllocBuffer(pData->nDataLength);
        memcpy(m_pchData, pData->data(), pData->nDataLength + 1);
    }
}

// Makes the buffer unshared and able to hold nLen characters.
void CString::AllocBeforeWrite(int nLen)
{
    CStringHeader* pData = GetData();
    if (pData == afxDataNil || pData->nRefs > 1 || nLen > pData->nAllocLength)
    {
        Release();
        AllocBuffer(nLen);
    }
}

void CString::AssignCopy(int nSrcLen, const char* pszSrc)
{
    if (nSrcLen == 0 && GetData() == afxDataNil)
        return;     // the shared empty text is never written
    AllocBeforeWrite(nSrcLen);
    CStringHeader* pData = GetData();
    if (pData == afxDataNil)
        return;
    memmove(m_pchData, pszSrc, nSrcLen);
    pData->nDataLength = nSrcLen;
    m_pchData[nSrcLen] = '\0';
}

void CString::ConcatCopy(int nLen1, const char* psz1, int nLen2, const char* psz2)
{
    PXASSERT(nLen1 <= kMaxLength - nLen2);
    int nNewLen = nLen1 + nLen2;
    if (nNewLen == 0)
        return;
    AllocBuffer(nNewLen);
    memcpy(m_pchData, psz1, nLen1);
    memcpy(m_pchData + nLen1, psz2, nLen2);
}

void CString::ConcatInPlace(int nSrcLen, const char* pszSrc)
{
    if (nSrcLen == 0)
        return;
    CStringHeader* pData = GetData();
    if (pData != afxDataNil && pData->nRefs <= 1 &&
        pData->nDataLength + static_cast<long long>(nSrcLen) <= pData->nAllocLength)
    {
        memcpy(m_pchData + pData->nDataLength, pszSrc, nSrcLen);
        pData->nDataLength += nSrcLen;
        m_pchData[pData->nDataLength] = '\0';
        return;
    }
    // pszSrc may point into our own buffer: keep it alive until copied.
    ConcatCopy(pData->nDataLength, pData->data(), nSrcLen, pszSrc);
    Release(pData);
}

void CString::AllocCopy(CString& dest, int nCopyLen, int nCopyIndex) const
{
    if (nCopyLen == 0)
    {
        dest.Empty();
        return;
    }
    dest.AllocBuffer(nCopyLen);
    memcpy(dest.m_pchData, m_pchData + nCopyIndex, nCopyLen);
}

// ---------------------------------------------------------------------------
// Construction and assignment

CString::CString()
{
    Init();
}

CString::CString(const CString& src)
{
    CStringHeader* pData = src.GetData();
    PXASSERT(pData->nRefs != 0);
    if (pData->nRefs >= 0)
    {
        m_pchData = src.m_pchData;
        InterlockedIncrement(&pData->nRefs);
    }
    else
    {
        Init();
    }
}

CString::CString(const char* psz)
{
    Init();
    if (psz == nullptr)
        return;
    if (reinterpret_cast<UINT_PTR>(psz) < 0x10000)
    {
        LoadStringA(LOWORD(reinterpret_cast<UINT_PTR>(psz)));
        return;
    }
    size_t nLen = strlen(psz);
    PXASSERT(nLen <= static_cast<size_t>(kMaxLength));
    if (nLen != 0)
    {
        AllocBuffer(static_cast<int>(nLen));
        memcpy(m_pchData, psz, nLen);
    }
}

CString::CString(char ch, int nRepeat)
{
    Init();
    if (nRepeat > 0)
    {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::~CString()
{
    Release(GetData());
}

const CString& CString::operator=(const CString& src)
{
    if (m_pchData == src.m_pchData)
        return *this;
    CStringHeader* pSrc = src.GetData();
    if (pSrc->nRefs < 0)
    {
        AssignCopy(0, "");
        return *this;
    }
    PXASSERT(pSrc->nRefs != 0);
    InterlockedIncrement(&pSrc->nRefs);     // before releasing: src may be our only owner
    Release(GetData());
    m_pchData = src.m_pchData;
    return *this;
}

const CString& CString::operator=(const char* psz)
{
    size_t nLen = psz ? strlen(psz) : 0;
    PXASSERT(nLen <= static_cast<size_t>(kMaxLength));
    AssignCopy(static_cast<int>(nLen), psz ? psz : "");
    return *this;
}

// ---------------------------------------------------------------------------
// Concatenation

CString operator+(const CString& a, const CString& b)
{
    CString s;
    s.ConcatCopy(a.GetLength(), a, b.GetLength(), b);
    return s;
}

CString operator+(const CString& a, const char* b)
{
    CString s;
    size_t n = b ? strlen(b) : 0;
    PXASSERT(n <= static_cast<size_t>(kMaxLength));
    s.ConcatCopy(a.GetLength(), a, static_cast<int>(n), b ? b : "");
    return s;
}

CString operator+(const char* a, const CString& b)
{
    CString s;
    size_t n = a ? strlen(a) : 0;
    PXASSERT(n <= static_cast<size_t>(kMaxLength));
    s.ConcatCopy(static_cast<int>(n), a ? a : "", b.GetLength(), b);
    return s;
}

CString operator+(const CString& a, char b)
{
    CString s;
    s.ConcatCopy(a.GetLength(), a, 1, &b);
    return s;
}

const CString& CString::operator+=(const char* psz)
{
    size_t n = psz ? strlen(psz) : 0;
    PXASSERT(n <= static_cast<size_t>(kMaxLength));
    ConcatInPlace(static_cast<int>(n), psz);
    return *this;
}

const CString& CString::operator+=(char ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(const CString& src)
{
    ConcatInPlace(src.GetLength(), src.m_pchData);
    return *this;
}

// ---------------------------------------------------------------------------
// Direct buffer access

char* CString::GetBuffer(int nMinBufLength)
{
    PXASSERT(nMinBufLength >= 0);
    CStringHeader* pData = GetData();
    if (pData->nRefs > 1 || nMinBufLength > pData->nAllocLength)
    {
        int nOldLen = pData->nDataLength;
        if (nMinBufLength < nOldLen)
            nMinBufLength = nOldLen;
        AllocBuffer(nMinBufLength);
        memcpy(m_pchData, pData->data(), nOldLen + 1);
        GetData()->nDataLength = nOldLen;
        Release(pData);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    CStringHeader* pData = GetData();
    if (pData == afxDataNil)
        return;     // GetBuffer(0) on an empty string: nothing was ours to write
    if (nNewLength == -1)
        nNewLength = static_cast<int>(strnlen(m_pchData, pData->nAllocLength));
    PXASSERT(nNewLength >= 0 && nNewLength <= pData->nAllocLength);
    pData->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

char* CString::GetBufferSetLength(int nNewLength)
{
    PXASSERT(nNewLength >= 0);
    GetBuffer(nNewLength);
    if (GetData() != afxDataNil)
    {
        GetData()->nDataLength = nNewLength;
        m_pchData[nNewLength] = '\0';
    }
    return m_pchData;
}

void CString::Empty()
{
    if (GetData() != afxDataNil)
        Release();
}

char CString::GetAt(int nIndex) const
{
    PXASSERT(nIndex >= 0 && nIndex < GetLength());
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    PXASSERT(nIndex >= 0 && nIndex < GetLength());
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

int CString::Compare(const char* psz) const
{
    return strcmp(m_pchData, psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const
{
    return _stricmp(m_pchData, psz ? psz : "");
}

// ---------------------------------------------------------------------------
// Searching and sub-strings

int CString::Find(char ch) const
{
    const char* p = static_cast<const char*>(memchr(m_pchData, static_cast<unsigned char>(ch), GetLength()));
    return p ? static_cast<int>(p - m_pchData) : -1;
}

int CString::Find(const char* pszSub) const
{
    const char* p = strstr(m_pchData, pszSub ? pszSub : "");
    return p ? static_cast<int>(p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
        if (static_cast<unsigned char>(m_pchData[i]) == static_cast<unsigned char>(ch))
            return i;
    return -1;
}

int CString::FindOneOf(const char* pszCharSet) const
{
    size_t n = strcspn(m_pchData, pszCharSet ? pszCharSet : "");
    return m_pchData[n] != '\0' ? static_cast<int>(n) : -1;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    CString dest;
    AllocCopy(dest, nCount, 0);
    return dest;
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    CString dest;
    AllocCopy(dest, nCount, GetLength() - nCount);
    return dest;
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - (nFirst < 0 ? 0 : nFirst));
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    int nLen = GetLength();
    if (nFirst > nLen)
        return CString();
    // Compared without adding, so first + count can never overflow.
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    if (nFirst == 0 && nCount == nLen)
        return *this;
    CString dest;
    AllocCopy(dest, nCount, nFirst);
    return dest;
}

void CString::TrimRight()
{
    CopyBeforeWrite();
    CStringHeader* pData = GetData();
    if (pData == afxDataNil)
        return;
    int n = pData->nDataLength;
    while (n > 0 && IsBlank(static_cast<unsigned char>(m_pchData[n - 1])))
        --n;
    pData->nDataLength = n;
    m_pchData[n] = '\0';
}

void CString::TrimLeft()
{
    CopyBeforeWrite();
    CStringHeader* pData = GetData();
    if (pData == afxDataNil)
        return;
    int i = 0;
    while (i < pData->nDataLength && IsBlank(static_cast<unsigned char>(m_pchData[i])))
        ++i;
    if (i == 0)
        return;
    int nNewLen = pData->nDataLength - i;
    memmove(m_pchData, m_pchData + i, nNewLen + 1);
    pData->nDataLength = nNewLen;
}

// ---------------------------------------------------------------------------
// Loading and formatting

BOOL CString::LoadStringA(UINT nID)
{
    HINSTANCE hInst = PXGetResourceHandle();
    if (!FindResourceA(hInst, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6) /* RT_STRING */))
    {
        Empty();
        return FALSE;
    }
    char szTemp[256];
    int nLen = ::LoadStringA(hInst, nID, szTemp, 256);
    if (nLen <= 0)
    {
        Empty();
        return FALSE;
    }
    if (256 - nLen > 2)
    {
        AssignCopy(nLen, szTemp);
        return nLen > 0;
    }
    // The entry filled the buffer: load it straight into our own, growing.
    int nSize = 256;
    do
    {
        nSize += 256;
        nLen = ::LoadStringA(hInst, nID, GetBuffer(nSize - 1), nSize);
    } while (nSize - nLen <= 2);
    ReleaseBuffer(-1);
    return GetLength() > 0;
}

void CString::FormatMessageA(UINT nFormatID, ...)
{
    CString strFormat;
    PXASSERT(strFormat.LoadStringA(nFormatID) != 0);

    va_list argList;
    va_start(argList, nFormatID);
    char* pszOut = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                               strFormat.m_pchData, 0, 0,
                               reinterpret_cast<LPSTR>(&pszOut), 0, &argList);
    va_end(argList);
    if (n != 0 && pszOut)
        *this = pszOut;
    else
        *this = strFormat;      // callers always expect a text: give the unformatted one
    if (pszOut)
        LocalFree(pszOut);
}

int CString::EstimateFormatLength(const char* pszFormat, va_list argList)
{
    va_list args;
    va_copy(args, argList);
    long long nMaxLen = 0;
    for (const char* p = pszFormat; *p; ++p)
    {
        if (*p != '%' || *++p == '%')
        {
            ++nMaxLen;
            continue;
        }

        long long nItemLen = 0;
        int nWidth = 0;
        for (; *p; ++p)
        {
            if (*p == '#')
                nMaxLen += 2;
            else if (*p == '*')
                nWidth = va_arg(args, int);
            else if (*p != '-' && *p != '+' && *p != '0' && *p != ' ')
                break;
        }
        if (nWidth == 0)
        {
            nWidth = atoi(p);
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        PXASSERT(nWidth >= 0);

        int nPrecision = 0;
        if (*p == '.')
        {
            ++p;
            if (*p == '*')
            {
                nPrecision = va_arg(args, int);
                ++p;
            }
            else
            {
                nPrecision = atoi(p);
                while (*p >= '0' && *p <= '9')
                    ++p;
            }
            PXASSERT(nPrecision >= 0);
        }

        enum { kNone, kShort, kLong } modifier = kNone;
        switch (*p)
        {
        case 'h': modifier = kShort; ++p; break;
        case 'l': modifier = kLong; ++p; break;
        case 'F': case 'N': case 'L': ++p; break;
        }

        char ch = *p;
        bool bText = false;
        switch (ch)
        {
        case 'c':
        case 'C':
            nItemLen = 2;
            (void)va_arg(args, int);
            bText = true;
            break;
        case 's':
        case 'S':
        {
            bool bWide = (ch == 'S' && modifier != kShort) || (ch == 's' && modifier == kLong);
            if (bWide)
            {
                const wchar_t* pwsz = va_arg(args, const wchar_t*);
                nItemLen = pwsz ? wcslen(pwsz) : 6;     // "(null)"
            }
            else
            {
                const char* psz = va_arg(args, const char*);
                nItemLen = psz ? strlen(psz) : 6;       // "(null)"
            }
            if (nItemLen == 0)
                nItemLen = 1;
            bText = true;
            break;
        }
        case 'd': case 'i': case 'o': case 'u': case 'x': case 'X': case 'p':
            (void)va_arg(args, int);
            nItemLen = 32;
            if (nItemLen < static_cast<long long>(nWidth) + nPrecision)
                nItemLen = static_cast<long long>(nWidth) + nPrecision;
            break;
        case 'e': case 'f': case 'g': case 'G':
            (void)va_arg(args, double);
            nItemLen = 128;
            if (nItemLen < static_cast<long long>(nWidth) + nPrecision)
                nItemLen = static_cast<long long>(nWidth) + nPrecision;
            break;
        case 'n':
            // Refused: no format of ours may write through an argument.
            PXAssertFailed("(%n conversion)", __FILE__, __LINE__);
        default:
            PXAssertFailed("(unsupported conversion letter)", __FILE__, __LINE__);
        }
        if (bText)
        {
            if (nPrecision != 0 && nItemLen > nPrecision)
                nItemLen = nPrecision;
            if (nItemLen < nWidth)
                nItemLen = nWidth;
        }
        nMaxLen += nItemLen;
        if (*p == '\0')
            break;
    }
    va_end(args);
    PXASSERT(nMaxLen <= kMaxLength);
    return static_cast<int>(nMaxLen);
}

void CString::FormatV(const char* pszFormat, va_list argList)
{
    int nSize = EstimateFormatLength(pszFormat, argList);
    if (nSize == 0)
    {
        Empty();    // nothing to write, and the shared empty text stays untouched
        return;
    }
    // The estimate sizes the first try only; the text is never written past
    // the buffer, and a longer result (a wide float, say) gets a larger one.
    for (;;)
    {
        char* pBuf = GetBuffer(nSize);
        va_list args;
        va_copy(args, argList);
        int n = vsnprintf(pBuf, static_cast<size_t>(nSize) + 1, pszFormat, args);
        va_end(args);
        if (n >= 0 && n <= nSize)
        {
            ReleaseBuffer(n);
            return;
        }
        PXASSERT(nSize < kMaxLength);
        nSize = (n > nSize) ? n : (nSize >= kMaxLength / 2 ? kMaxLength : nSize * 2 + 1);
    }
}

void CString::Format(const char* pszFormat, ...)
{
    va_list argList;
    va_start(argList, pszFormat);
    FormatV(pszFormat, argList);
    va_end(argList);
}
