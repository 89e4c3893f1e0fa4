// What the record readers and writers of a program file share while one
// load or save runs (ProgramFile.cpp owns it).
#ifndef PROGRAMFILESTATE_H
#define PROGRAMFILESTATE_H

#include "PXafx.h"
#include "plexmodel.h"
#include "ProgramFile.h"

#include <stdio.h>

#include <unordered_set>

class FileBuffer;
class Program;
class PowerBlock;
class ProgramObject;

struct PXFileState
{
    Program* pProgram = nullptr;    // the program being loaded or saved
    PXFileVersion version;          // of the file
    BOOL bTextLoad = FALSE;
    BOOL bTextSave = FALSE;
    short nPromptMode = 0;          // for LSReportError
    FILE* pLog = nullptr;           // the batch log of a load, or none
    FileBuffer* pFile = nullptr;    // the open file
    long nHighestID = 0;            // the highest object ID read
    // The model blocks that the blocks read so far hold: a later block that
    // names one of them again is dropped. A set, since a program's blocks
    // run to thousands and each is checked once.
    std::unordered_set<kvrHandleType*> heldBlocks;
};

PXFileState& PXFileGetState();

// Whether a block read before holds the model block; PXFileHoldBlock records
// that one now does.
bool PXFileBlockHeld(kvrHandleType* hBlock);
void PXFileHoldBlock(kvrHandleType* hBlock);

// Version gates: the file's version against the gate's number ("2.01").
bool PXFileVersionBelow(const char* pszGate);
bool PXFileVersionAtMost(const char* pszGate);

// A load/save prompt: the text is a string-table entry, after an optional
// name; TRUE to go on.
BOOL PXFilePrompt(const char* pszName, UINT nText, int nCode);
// Keeps the highest ID read, which the ID counter must not fall below.
void PXFileNoteID(long nID);
// A box of the program-file code with a string-table text and caption; in
// a batch load (bBatch and a log) the text goes to the log as an "ERROR: "
// line instead.
void PXFileMessage(UINT nText, UINT nCaption, UINT uIcon, bool bBatch, const char* pszInsert = nullptr);
// Message 58 with the caption of the record that is inconsistent; shown
// also in a batch.
void PXFileInconsistent(UINT nCaption);
// An "ERROR: " line in the batch log; sets the batch-error flag.
void PXFileBatchError(const char* pszText);
// The warning about a goto whose output the start block no longer has.
void PXFileObsoleteGoto(const char* pszBlock);
// The model's checks of a block read with its model handle: an obsolete
// block is marked as such, and a block whose description the model keeps
// as its own takes it (a refresh with the given reset of visibility).
void PXFileCheckBlock(PowerBlock* pBlock, int bResetVisibility);
// Whether the model's block is of the type the file gives the block: its
// settings are the variables of the model's type, which the editor reads as
// those of its own. Obsolete and custom blocks, which have no settings of
// their own, match any.
bool PXFileModelTypeMatches(const PowerBlock* pBlock, kvrHandleType* hBlock);
// The checks of a goto's start block: an obsolete block is marked, and a
// block that calls a page has its connections verified (bVerifyCalls).
void PXFileCheckGotoStart(PowerBlock* pStart, bool bVerifyCalls);

#endif
