// plexbuf: a Buffer over one open file of the C library. The file opened
// through a FileBuffer is the one handle of a load or save: the record lines
// of the text form and the application model's own part go through it too
// (file()).
//
// A save does not write over the last good file: opened with `replace`, the
// FileBuffer writes a new file beside the named one, and commit() puts it in
// place (keeping the old one as the backup) only after every write, the
// flush and the close succeeded. A FileBuffer destroyed without commit()
// removes the new file and leaves the old one untouched.
#ifndef PLEXBUF_FILEBUFFER_H
#define PLEXBUF_FILEBUFFER_H

#include "Buffer.h"

#include <stdio.h>

class FileBuffer : public Buffer
{
public:
    enum { replace = 1 };

    // Opens name with a C-library mode ("rb", "w+b", ...).
    FileBuffer(const char* name, const char* mode);
    // With `replace`, a write mode opens a new file beside name instead.
    FileBuffer(const char* name, const char* mode, int flags);
    ~FileBuffer() override;

    // The open file, or none when the open failed or the file was closed.
    FILE* file() const { return m_fp; }
    int is_open() const { return m_fp != nullptr; }
    // The file named by the caller, and the file actually written (the new
    // file beside it for `replace`).
    const char* name() const { return m_pszName; }
    const char* path() const { return m_pszPath; }

    int seek(long position);
    long tell() const;
    int read(void* pBuffer, long nCount) override;
    int write(const void* pBuffer, long nCount) override;
    int flush();
    // Non-zero once a write or flush has failed; stays set.
    int failed() const { return m_bFailed; }
    // Non-zero once a read met the end of the file.
    int at_end() const;

    // Closes the file. Non-zero when no write, flush or the close failed.
    int close();

    // Results of commit.
    enum { commit_failed = 0, committed = 1, committed_without_backup = 2 };
    // `replace` only: closes the new file and puts it in place of name. With
    // a backup name the old file (if there is one) becomes the backup first,
    // replacing an older backup; when it cannot, the new file still takes
    // its place and the result says so. Any failure before the new file is
    // in place removes the new file and leaves the old one where it was.
    int commit(const char* backup);

    // Test seam standing in for a full disk: from now on only nBytes more
    // bytes can be written through FileBuffers (-1: no limit).
    static void set_space_left(long long nBytes);

private:
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

    void open(const char* name, const char* mode, int flags);
    void discard();

    FILE* m_fp = nullptr;
    char* m_pszName = nullptr;
    char* m_pszPath = nullptr;
    int m_bReplace = 0;
    int m_bFailed = 0;
};

#endif
