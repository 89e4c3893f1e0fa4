// Consistency checks. A failed check names the expression, the source path
// and the line and ends the program; it goes through one handler that a test
// can replace to observe the failure instead.
#ifndef PXASSERT_H
#define PXASSERT_H

typedef void (*PXAssertHandler)(const char* pszExpr, const char* pszFile, int nLine);

// Installs a handler and returns the previous one; null restores the default,
// which reports the failure and ends the process with exit code 3.
PXAssertHandler PXSetAssertHandler(PXAssertHandler pfnHandler);

// Runs the handler. When the handler returns the process still ends.
[[noreturn]] void PXAssertFailed(const char* pszExpr, const char* pszFile, int nLine);

#define PXASSERT(expr) \
    ((expr) ? (void)0 : PXAssertFailed("(" #expr ")", __FILE__, __LINE__))

#endif
