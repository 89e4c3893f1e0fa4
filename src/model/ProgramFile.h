// Program files: loading a whole program from its file (the text form, the
// old binary form, or an older file that only the application model reads)
// and saving it in the text form, keeping the previous file as ".BAK".
//
// A save writes a new file beside the old one through one handle and checks
// every write; only when all of it reached the disk does the old file become
// the backup and the new one take its place. A failed save leaves the last
// good file as it was and the program marked modified.
//
// In a batch run the caller passes its log: the load then writes its
// messages there ("ERROR: " lines, which set the batch-error flag) instead
// of showing boxes, and stops at the first bad record.
#ifndef PROGRAMFILE_H
#define PROGRAMFILE_H

#include "PXafx.h"
#include "plexmodel.h"

#include <stdio.h>

#include <string>

class FileBuffer;
class GroupIcon;
class Page;
class PowerBlockIcon;
class Program;

// The new program, owned by the caller, unmodified and registered with the
// application model; none when the file was not loaded (the reason has been
// shown or logged).
Program* PXFileLoadProgram(const char* pszPath, FILE* pLog);

// 1 when the program is in its file, 0 after a message (the file and the
// program's modified flag are as they were).
int PXFileSaveProgram(const char* pszPath, Program* pProgram, FILE* pLog);

// True while a program file is read or written. A load may stop to ask
// the user, whose message loop runs meanwhile: nothing may begin another
// load or save then (the record stream and the load's state are one).
bool PXFileIsBusy();

// The icon of a block type, with nOutType the type itself; the shared
// "Obsoleted" icon, with nOutType 289, for a type without one.
PowerBlockIcon* IconForBlockType(int nType, int& nOutType);

// Files older than both forms: the application model reads the whole file
// into the current program. 1 done, 0 failed.
int PXFileLoadOldProgram(FileBuffer& file, FILE* pLog);
// A block of such a file, made from the model's record on the page.
int PXFileAddOldBlock(PowerBlockInfo* pInfo, Page* pPage, GroupIcon* pCustomGroup);

// The backup name of a program file: the same path with the extension
// ".BAK". Deletes every file of that name, warning about each one that
// cannot be deleted. False when the path has no room for it.
bool PXFileMakeBackup(const char* pszPath, char* pszBackup, int nSize);
void PXFileDeleteBackups(const char* pszBackup);

// The version text written into a file header ("V9.01" or "V9.00", by the
// server's version text) into a buffer of cbBuffer bytes; nothing is written
// when the buffer is missing or smaller than PX_FILE_VERSION_TEXT_MAX.
#define PX_FILE_VERSION_TEXT_MAX  16
void PXFileVersionText(char* pszBuffer, size_t cbBuffer);
// The server version text received at login; empty in standalone mode.
void PXFileSetServerVersion(const char* pszVersion);

// The batch-error flag: set with every "ERROR: " line a load writes to its
// log; the batch run ends with -1 when it is set.
int PXGetBatchError();
void PXSetBatchError(int bError);

// The version number of a program file, compared exactly as the decimal
// number its text gives, whatever the number of its decimals: 2.0205 lies
// above 2.02 and below 2.021, and 2.010 is 2.01.
class PXFileVersion
{
public:
    PXFileVersion() {}
    // The number at the start of the text: digits, then a point and digits
    // (either part may be missing; nothing gives 0).
    explicit PXFileVersion(const char* pszNumber);

    // Below 0, 0 or above 0 as this version is below, equal to or above
    // the other.
    int Compare(const PXFileVersion& rOther) const;
    bool operator<(const PXFileVersion& r) const { return Compare(r) < 0; }
    bool operator<=(const PXFileVersion& r) const { return Compare(r) <= 0; }
    bool operator==(const PXFileVersion& r) const { return Compare(r) == 0; }
    bool operator>(const PXFileVersion& r) const { return Compare(r) > 0; }
    bool operator>=(const PXFileVersion& r) const { return Compare(r) >= 0; }

private:
    std::string m_strWhole;     // digits, without leading zeros
    std::string m_strFraction;  // digits, without trailing zeros
};

// A version text's number after its first "V" (blanks may stand between);
// false without a "V".
bool PXFileParseVersion(const char* pszText, PXFileVersion& rVersion);

#endif
