// Program: one program of the model: its pages, its items and lists, and
// the libraries it imports.
#ifndef PLEXMODEL_PROGRAM_H
#define PLEXMODEL_PROGRAM_H

#include "plexmodel.h"
#include "kvrHandleType.h"

#include <string>
#include <vector>

namespace kvr {

struct Block;
struct Page;

// A variable listed by the variable picker; its handle lives until the
// next pick or the program's removal.
struct Variable : kvrHandleType
{
    Variable() : kvrHandleType(KVR_OBJ_VARIABLE) {}
    kvrVariableInfo info = {};
};

struct Program : kvrHandleType
{
    Program() : kvrHandleType(KVR_OBJ_PROGRAM) {}
    ~Program() override;

    HWND hMain = nullptr;
    int clipboard = 0;
    std::vector<Page*> pages;
    std::vector<Symbol*> symbols;      // items and lists, in order added
    std::vector<std::string> libraries; // imported libraries, "name.ID", in order imported
    std::vector<Variable*> variables;  // the variable picker's last list (registered)
    Page* current = nullptr;
    unsigned long nextSerial = 1;

    Page* FindPage(const std::string& name) const;
    Block* FindBlock(const std::string& modelName) const;
    Symbol* FindItemSymbol(const std::string& name) const;
    bool IsNameInUse(const std::string& name) const;
    bool IsEmpty() const { return pages.empty() && symbols.empty() && libraries.empty(); }
    void InitSymbol(Symbol* sym, int type, const std::string& name);
    // The picker's variables unregistered and deleted.
    void ForgetVariables();
};

} // namespace kvr

#endif
