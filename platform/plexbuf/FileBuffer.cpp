// File access of plexbuf: checked writes, and the new-file-beside-the-old
// save with its commit.
#include "FileBuffer.h"

#include <windows.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

namespace {

long long g_nSpaceLeft = -1;

char* CopyText(const char* psz)
{
    size_t n = strlen(psz) + 1;
    char* p = static_cast<char*>(malloc(n));
    if (p)
        memcpy(p, psz, n);
    return p;
}

BOOL FileExists(const char* psz)
{
    return GetFileAttributesA(psz) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

FileBuffer::FileBuffer(const char* name, const char* mode)
{
    open(name, mode, 0);
}

FileBuffer::FileBuffer(const char* name, const char* mode, int flags)
{
    open(name, mode, flags);
}

FileBuffer::~FileBuffer()
{
    if (m_bReplace)
        discard();
    else if (m_fp)
        fclose(m_fp);
    free(m_pszName);
    free(m_pszPath);
}

void FileBuffer::open(const char* name, const char* mode, int flags)
{
    if (!name || !mode || !*name)
        return;
    m_pszName = CopyText(name);
    if (!m_pszName)
        return;
    bool bWrite = strpbrk(mode, "wa") != nullptr;
    if ((flags & replace) && bWrite)
    {
        // The new file goes into the directory of the old one, so that the
        // final move is a rename within one volume.
        char szDir[MAX_PATH];
        const char* pszSlash = nullptr;
        for (const char* p = name; *p; ++p)
            if (*p == '\\' || *p == '/' || *p == ':')
                pszSlash = p;
        size_t nDir = pszSlash ? static_cast<size_t>(pszSlash - name) + 1 : 0;
        if (nDir == 0)
            strcpy(szDir, ".");
        else if (nDir < MAX_PATH - 14)
        {
            memcpy(szDir, name, nDir);
            szDir[nDir] = '\0';
        }
        else
            return;
        char szTemp[MAX_PATH];
        if (!GetTempFileNameA(szDir, "pxs", 0, szTemp))
            return;
        m_pszPath = CopyText(szTemp);
        if (!m_pszPath)
        {
            DeleteFileA(szTemp);
            return;
        }
        m_bReplace = 1;
        m_fp = fopen(m_pszPath, mode);
        if (!m_fp)
        {
            DeleteFileA(m_pszPath);
            m_bReplace = 0;
        }
        return;
    }
    m_pszPath = CopyText(name);
    if (m_pszPath)
        m_fp = fopen(name, mode);
}

int FileBuffer::seek(long position)
{
    return m_fp && fseek(m_fp, position, SEEK_SET) == 0;
}

long FileBuffer::tell() const
{
    return m_fp ? ftell(m_fp) : -1;
}

int FileBuffer::read(void* pBuffer, long nCount)
{
    if (!m_fp || nCount < 0)
        return 0;
    if (nCount == 0)
        return 1;
    return fread(pBuffer, 1, static_cast<size_t>(nCount), m_fp) == static_cast<size_t>(nCount);
}

int FileBuffer::write(const void* pBuffer, long nCount)
{
    if (!m_fp || nCount < 0)
    {
        m_bFailed = 1;
        return 0;
    }
    if (nCount == 0)
        return 1;
    size_t nAllowed = static_cast<size_t>(nCount);
    if (g_nSpaceLeft >= 0 && g_nSpaceLeft < nCount)
        nAllowed = static_cast<size_t>(g_nSpaceLeft);
    size_t nDone = nAllowed ? fwrite(pBuffer, 1, nAllowed, m_fp) : 0;
    if (g_nSpaceLeft >= 0)
        g_nSpaceLeft -= static_cast<long long>(nDone);
    if (nDone != static_cast<size_t>(nCount))
    {
        m_bFailed = 1;
        return 0;
    }
    return 1;
}

int FileBuffer::flush()
{
    if (!m_fp || fflush(m_fp) != 0 || ferror(m_fp))
        m_bFailed = 1;
    return !m_bFailed;
}

int FileBuffer::at_end() const
{
    return !m_fp || feof(m_fp);
}

int FileBuffer::close()
{
    if (!m_fp)
        return 0;
    // Others write through file() too (the application model's part of a
    // program file): their failures show in the stream's error flag.
    if (fflush(m_fp) != 0 || ferror(m_fp))
        m_bFailed = 1;
    if (fclose(m_fp) != 0)
        m_bFailed = 1;
    m_fp = nullptr;
    return !m_bFailed;
}

void FileBuffer::discard()
{
    if (m_fp)
    {
        fclose(m_fp);
        m_fp = nullptr;
    }
    if (m_bReplace && m_pszPath)
        DeleteFileA(m_pszPath);
    m_bReplace = 0;
}

int FileBuffer::commit(const char* backup)
{
    if (!m_bReplace || !m_fp)
    {
        discard();
        return commit_failed;
    }
    if (!close())
    {
        discard();
        return commit_failed;
    }
    BOOL bOld = FileExists(m_pszName);
    BOOL bKept = FALSE;
    if (bOld && backup && *backup)
    {
        // A write-protected backup is left as it is (some file systems would
        // let a rename replace it).
        DWORD dwAttr = GetFileAttributesA(backup);
        if (dwAttr == INVALID_FILE_ATTRIBUTES || !(dwAttr & FILE_ATTRIBUTE_READONLY))
            bKept = MoveFileExA(m_pszName, backup, MOVEFILE_REPLACE_EXISTING);
    }
    if (!MoveFileExA(m_pszPath, m_pszName, MOVEFILE_REPLACE_EXISTING))
    {
        if (bKept)
            MoveFileExA(backup, m_pszName, 0);
        discard();
        return commit_failed;
    }
    m_bReplace = 0;
    free(m_pszPath);
    m_pszPath = CopyText(m_pszName);
    if (bOld && backup && *backup && !bKept)
        return committed_without_backup;
    return committed;
}

void FileBuffer::set_space_left(long long nBytes)
{
    g_nSpaceLeft = nBytes < 0 ? -1 : nBytes;
}
