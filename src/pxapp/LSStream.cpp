// The record stream over plexbuf's FileBuffer.
#include "LSStream.h"

#include "FileBuffer.h"

#include <string.h>

#include <string>

namespace {

LSStream g_stream;

} // namespace

BOOL LSStream::WriteFailed() const
{
    return m_pFile && m_pFile->failed();
}

LSStream& LSGetStream()
{
    return g_stream;
}

LSStream& LSOpenFile(int nMode, const char* pszPath)
{
    PXASSERT(!g_stream.IsOpen());
    PXASSERT(nMode == LS_READ || nMode == LS_WRITE);
    g_stream.m_bAtEnd = FALSE;
    g_stream.m_nMode = nMode;
    FileBuffer* pFile = new FileBuffer(pszPath, nMode == LS_READ ? "rb" : "wb");
    if (!pFile->is_open())
    {
        delete pFile;
        return g_stream;
    }
    g_stream.m_pFile = pFile;
    g_stream.m_bOwned = TRUE;
    return g_stream;
}

LSStream& LSAttachFile(int nMode, FileBuffer& file)
{
    PXASSERT(!g_stream.IsOpen());
    PXASSERT(nMode == LS_READ || nMode == LS_WRITE);
    g_stream.m_bAtEnd = FALSE;
    g_stream.m_nMode = nMode;
    if (file.is_open())
    {
        g_stream.m_pFile = &file;
        g_stream.m_bOwned = FALSE;
    }
    return g_stream;
}

BOOL LSCloseFile(LSStream& stream)
{
    PXASSERT(&stream == &g_stream);
    if (!stream.m_pFile)
        return FALSE;
    BOOL bOk;
    if (stream.m_bOwned)
    {
        bOk = stream.m_pFile->close();
        delete stream.m_pFile;
    }
    else
        bOk = stream.m_nMode == LS_READ ? TRUE : stream.m_pFile->flush();
    stream.m_pFile = nullptr;
    stream.m_bOwned = FALSE;
    return bOk;
}

int LSWriteLine(const char* pszText)
{
    return LSWriteLineN(pszText, pszText ? strlen(pszText) : 0);
}

int LSWriteLineN(const char* pchText, size_t nLen)
{
    if (!g_stream.m_pFile || g_stream.m_nMode != LS_WRITE)
        return 0;
    // One write per line: the text and its break go out together.
    static std::string s_line;
    s_line.assign(pchText ? pchText : "", pchText ? nLen : 0);
    s_line += "\r\n";
    return g_stream.m_pFile->write(s_line.data(), static_cast<long>(s_line.size()));
}

int LSReadLine(CString& text)
{
    text.Empty();
    if (!g_stream.m_pFile || g_stream.m_nMode != LS_READ)
        return 0;
    FILE* fp = g_stream.m_pFile->file();
    std::string line;
    int ch = getc(fp);
    if (ch == EOF)
    {
        g_stream.m_bAtEnd = TRUE;
        return 0;
    }
    while (ch != EOF && ch != '\n')
    {
        // A NUL byte can only come from a damaged file; it must not cut the
        // line short of its line feed.
        line += ch ? static_cast<char>(ch) : ' ';
        ch = getc(fp);
    }
    if (ch == EOF && ferror(fp))
    {
        g_stream.m_bAtEnd = TRUE;
        return 0;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    text = line.c_str();
    return 1;
}
