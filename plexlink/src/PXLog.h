// The library's log "PlexwrightLog.txt": levels 1 error, 2 information,
// 3 detail. Lines carry their own "Class::operation, " prefix and line end.
#ifndef PXLOG_H
#define PXLOG_H

#include <stddef.h>

#define PXLOG_ERROR   1
#define PXLOG_INFO    2
#define PXLOG_DETAIL  3

// Opens a new, empty log in the program directory (or the current folder
// when "ProgDir" is not set) with the level and flush interval, and writes
// its first line. Nothing happens for a level of 0 or less.
void PXOpenLog(int nLevel, int nInterval);
// Closes the log when it is open (the library's unload).
void PXCloseLog();

// Formats one message into 512 bytes (cut after 511 characters) and writes
// it when its level is at most the configured one; flushes on every
// (interval + 1)-th call that finds a log open.
void PXWriteLog(int nLevel, const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(gnu_printf, 2, 3)))
#endif
    ;

// A secret (a context id, a bearer token) as it may appear in the log:
// "****" followed by its last four characters when it has at least twelve,
// "****" alone otherwise, "(null)" for none. pszOut holds cbOut bytes.
void PXMaskSecret(const char* pszSecret, char* pszOut, size_t cbOut);

#endif
