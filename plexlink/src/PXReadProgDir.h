// The local program directory as the server installation names it: the
// "ProgDir" value of the program's registry key, with its final backslash,
// so that file names are appended to it directly.
#ifndef PXREADPROGDIR_H
#define PXREADPROGDIR_H

#define PX_PROGDIR_MAX        260
#define PX_REGKEY_PLEXWRIGHT  "SOFTWARE\\Zantrel\\Telvanta\\Plexwright"

// Reads "ProgDir" of pszKey under HKEY_LOCAL_MACHINE into pszDir, which
// holds PX_PROGDIR_MAX + 1 bytes and always ends zero-terminated. 0 done;
// 49 when the key cannot be opened (the buffer is left as it was) or the
// value cannot be read (the buffer becomes empty).
int PXReadProgDir(char* pszDir, const char* pszKey);

#endif
