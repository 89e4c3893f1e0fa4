// The model's live objects (Program, Page, Block) and the calls over them.
// Handles given out are pointers to these objects; every call checks a
// handle against the set of live objects before it uses it.
#ifndef PLEXMODEL_MODEL_H
#define PLEXMODEL_MODEL_H

#include "plexmodel.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace kvr {

struct Block;
struct Page;
struct Program;

// The live objects and the current state.
void Register(kvrHandleType* h);
void Unregister(kvrHandleType* h);
Program* AsProgram(kvrHandleType* h);
Page* AsPage(kvrHandleType* h);
Block* AsBlock(kvrHandleType* h);
struct Variable;
struct VarDef;
Variable* AsVariable(kvrHandleType* h);
bool IsLiveSymbol(Symbol* sym, Program** owner);

extern Program* g_pCurrent;
extern Program* g_pClipboard;
extern UINT g_nNotifyMessage;

// Object life.
Program* NewProgram(HWND hMain, int clipboard);
void DeleteProgram(Program* prog);
Page* NewPage(Program* prog, const std::string& name, int kind, int flag);
void DeletePage(Page* page);
Block* NewBlock(Page* page, const std::string& name, int type,
                const std::string& customType);
void DeleteBlock(Block* block);
void ConnectRotary(Block* block);
// The clipboard forgets a program that goes (Clipboard.cpp).
void ClipboardProgramGone(Program* prog);
void ClipboardBlockGone(Block* block);

// Names.
bool IsValidBlockName(const char* name);
bool IsValidSymbolName(const char* name);
void CopyBounded(char* dest, size_t size, const std::string& src);

// Imported libraries: the index of the library among the program's
// (names compared without regard to case), -1 when it is not there.
int FindLibrary(const Program* prog, const char* nameAndId);
bool IsValidLibraryName(const char* nameAndId);

// The model's part of the program file: '|' and '\\' escaped with a
// backslash, line breaks as \r and \n. ReadModelPart reads the part from
// its "{ApplicationModel}" line into an empty program.
void AppendEscaped(std::string& out, const std::string& text);
int ReadModelPart(Program* prog, FILE* in, int mode, FILE* log);
// A block's variable at its offset in the block's area as text: the text
// itself, or the number in decimal.
std::string VarValueText(const Block* b, const VarDef& v, int offset);

// Change reports to the program's main window.
void Notify(Program* prog, int kind, LPARAM lParam);
void NotifyStatus(Program* prog, UINT idText, const char* insert);
std::string LoadText(UINT idText, const char* insert);
// The library's own module, which holds its texts and dialogs.
HINSTANCE ModuleHandle();

} // namespace kvr

#endif
