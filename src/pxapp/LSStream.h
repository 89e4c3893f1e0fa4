// The record stream: the one stream of the program through which the record
// lines of a program file are written and read. One file is open on it at a
// time, during one load or save.
//
// The stream either opens its own file (LSOpenFile) or works on the file of
// a FileBuffer that the load or save already holds (LSAttachFile), so that
// one handle carries every byte of the file. Lines end with CR LF on disk; a
// line read back ends at its line feed and loses a CR before it.
#ifndef LSSTREAM_H
#define LSSTREAM_H

#include "PXafx.h"

class FileBuffer;

enum LSOpenMode
{
    LS_READ = 1,
    LS_WRITE = 2
};

class LSStream
{
public:
    // Whether a file is open on the stream.
    BOOL IsOpen() const { return m_pFile != nullptr; }
    // Whether a write has failed since the file was opened (stays set).
    BOOL WriteFailed() const;
    // Whether the last LSReadLine found the end of the file (or a read error).
    BOOL AtEnd() const { return m_bAtEnd; }

private:
    friend LSStream& LSOpenFile(int nMode, const char* pszPath);
    friend LSStream& LSAttachFile(int nMode, FileBuffer& file);
    friend BOOL LSCloseFile(LSStream& stream);
    friend int LSWriteLine(const char* pszText);
// The same for nLen characters of a text that need not end with a NUL.
int LSWriteLineN(const char* pchText, size_t nLen);
    friend int LSWriteLineN(const char* pchText, size_t nLen);
    friend int LSReadLine(CString& text);

    FileBuffer* m_pFile = nullptr;
    BOOL m_bOwned = FALSE;
    BOOL m_bAtEnd = FALSE;
    int m_nMode = 0;
};

// Opens pszPath on the record stream (LS_READ or LS_WRITE) and answers the
// stream; IsOpen tells whether the file opened.
LSStream& LSOpenFile(int nMode, const char* pszPath);
// Uses the open file of a FileBuffer, from its current position; the
// FileBuffer stays the owner of the file.
LSStream& LSAttachFile(int nMode, FileBuffer& file);
// Closes the file (or lets go of an attached one after flushing it). TRUE
// when every line written reached the file.
BOOL LSCloseFile(LSStream& stream);
// The stream, open or not.
LSStream& LSGetStream();

// Writes the text and a line break: 1, or 0 when the write failed (the
// stream remembers the failure).
int LSWriteLine(const char* pszText);
// The same for nLen characters of a text that need not end with a NUL.
int LSWriteLineN(const char* pchText, size_t nLen);
// Reads the next line without its line break: 1, or 0 at the end of the
// file, on a read error or when no file is open (text is then empty).
int LSReadLine(CString& text);

#endif
