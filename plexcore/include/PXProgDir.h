// The local program directory: where the editor keeps the program files
// (".ed") and descriptions (".dsc") of the applications it works on, and the
// block libraries (".rll") of its "Export\" folder. Its place comes from the
// program's registry key (read only) or a built-in default.
//
// Every buffer is NUL-terminated; directory texts end with a backslash when
// not empty. Path and name buffers hold PX_PATH_MAX bytes, descriptions
// PX_DESCR_MAX. A path that would not fit is refused, never cut. Results: 1
// success, 0 failure.
#ifndef PXPROGDIR_H
#define PXPROGDIR_H

#include <stddef.h>

#define PX_PATH_MAX   260
#define PX_DESCR_MAX  100

#define PX_REGKEY_PLEXWRIGHT  "SOFTWARE\\Zantrel\\Telvanta\\Plexwright"   // under HKEY_LOCAL_MACHINE
#define PX_DEFAULT_PROGDIR    "C:\\Zantrel\\Dorvo\\Uprog\\"

// 1 with the "ProgDir" value; 0 with the default directory when the key or
// the value cannot be read or the value does not fit. cbDir is the size of
// the buffer (PX_PATH_MAX holds every result); a directory that does not fit
// in it gives 0 and an empty text.
int PXGetProgramDir(char* pszDir, size_t cbDir);

// The "HelpDir" value, or an empty text when it cannot be read or does not
// fit in the cbDir bytes of the buffer.
void PXGetHelpDir(char* pszDir, size_t cbDir);

// Listing of the program files: full paths of the ".ed" files in the program
// directory. Each call makes the program directory current. 0 and an empty
// text at the end. One listing (of either kind) runs at a time.
int PXFindFirstApplication(char* pszPath);
int PXFindNextApplication(char* pszPath);

// Whether name + ".dsc" exists in the program directory (made current).
int PXApplicationDescriptionExists(const char* pszName);

// Creates name + ".dsc" in the program directory (made current) with the
// text and its NUL; 0 when it exists already or cannot be written whole (a
// partial file is removed).
int PXWriteApplicationDescription(const char* pszName, const char* pszDescr);

// Deletes the files of one program in the program directory: every file
// whose name before its last dot is the program's name. Takes a name or a
// path (its directory and extension are dropped). Leaves the current
// directory alone.
void PXDeleteApplicationFiles(const char* pszName);

// Listing of the block libraries in "Export\": the library's name (its file
// name cut at the first dot) and the first line of that name's ".dsc" in the
// program directory (empty when it cannot be read). The program directory
// is current afterwards.
int PXFindFirstRll(char* pszName, char* pszDescr);
int PXFindNextRll(char* pszName, char* pszDescr);

#endif
