// The model's programs, pages, blocks and symbols, and the change reports
// they send to the editor's main window.
#include "Block.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"
#include "../PlexModelRes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>

namespace kvr {

Program* g_pCurrent = nullptr;
Program* g_pClipboard = nullptr;
UINT g_nNotifyMessage = 0;

static std::set<kvrHandleType*>& Live()
{
    static std::set<kvrHandleType*> live;
    return live;
}

void Register(kvrHandleType* h) { Live().insert(h); }
void Unregister(kvrHandleType* h) { Live().erase(h); }

static kvrHandleType* Checked(kvrHandleType* h, kvrObjKind kind)
{
    if (!h || Live().count(h) == 0 || h->kind != kind)
        return nullptr;
    return h;
}

Program* AsProgram(kvrHandleType* h)
{
    return static_cast<Program*>(Checked(h, KVR_OBJ_PROGRAM));
}

Page* AsPage(kvrHandleType* h)
{
    return static_cast<Page*>(Checked(h, KVR_OBJ_PAGE));
}

Block* AsBlock(kvrHandleType* h)
{
    return static_cast<Block*>(Checked(h, KVR_OBJ_BLOCK));
}

Variable* AsVariable(kvrHandleType* h)
{
    return static_cast<Variable*>(Checked(h, KVR_OBJ_VARIABLE));
}

bool IsLiveSymbol(Symbol* sym, Program** owner)
{
    if (!sym)
        return false;
    for (kvrHandleType* h : Live())
    {
        if (h->kind != KVR_OBJ_PROGRAM)
            continue;
        Program* prog = static_cast<Program*>(h);
        if (std::find(prog->symbols.begin(), prog->symbols.end(), sym) !=
            prog->symbols.end())
        {
            if (owner)
                *owner = prog;
            return true;
        }
    }
    return false;
}

// ---- Names ------------------------------------------------------------------

static bool IsValidName(const char* name, size_t maxLen)
{
    if (!name || !*name)
        return false;
    size_t len = std::strlen(name);
    if (len > maxLen)
        return false;
    for (const char* p = name; *p; ++p)
        if (*p == '$' || (unsigned char)*p < ' ')
            return false;
    return true;
}

bool IsValidBlockName(const char* name)
{
    return IsValidName(name, KVR_MAX_BLOCK_NAME);
}

bool IsValidSymbolName(const char* name)
{
    return IsValidName(name, KVR_SYMBOL_NAME_SIZE - 1);
}

void CopyBounded(char* dest, size_t size, const std::string& src)
{
    if (size == 0)
        return;
    size_t n = std::min(size - 1, src.size());
    std::memcpy(dest, src.data(), n);
    std::memset(dest + n, 0, size - n);
}

// ---- Blocks -----------------------------------------------------------------

std::string Block::ModelName() const
{
    if (!page || page->main)
        return name;
    return page->name + "$" + name;
}

bool Block::GetInfo(PowerBlockInfo* info) const
{
    const PowerBlockInfo* typeInfo = Info();
    if (!typeInfo)
        return false;
    std::memcpy(info, typeInfo, sizeof(*info));
    if (type == KVR_PB_IMPORTED)
        info->name = customType.c_str();
    return true;
}

int Block::OutputCount() const
{
    return def ? std::min(def->numOutputs, KVR_MAX_OUTPUTS) : 0;
}

const OutDef* Block::Output(int index) const
{
    if (index < 0 || index >= OutputCount())
        return nullptr;
    return &def->outputs[index];
}

int Block::FindOutput(const char* outName) const
{
    if (!outName)
        return -1;
    for (int i = 0; i < OutputCount(); ++i)
        if (std::strcmp(def->outputs[i].name, outName) == 0)
            return i;
    return -1;
}

int Block::ConnIndex(int outputIndex) const
{
    const OutDef* out = Output(outputIndex);
    if (!out || (out->flags & KVR_OUTPUT_GROUP))
        return -1;
    int n = 0;
    for (int i = 0; i < outputIndex; ++i)
        if (!(def->outputs[i].flags & KVR_OUTPUT_GROUP))
            ++n;
    return n;
}

char* Block::TextVar(int offset) const
{
    char* text = nullptr;
    std::memcpy(&text, &area[offset], sizeof(text));
    return text;
}

void Block::SetTextVar(int offset, char* text)
{
    std::memcpy(&area[offset], &text, sizeof(text));
}

bool Block::IsVarSet(const char* varName) const
{
    int offset = 0;
    const VarDef* v = FindVar(def, varName, &offset);
    if (!v)
        return false;
    switch (v->memRep)
    {
    case KVR_MEM_CHAR:
    {
        const char* text = TextVar(offset);
        return text && *text;
    }
    case KVR_MEM_INT16:
    {
        short value;
        std::memcpy(&value, &area[offset], sizeof(value));
        return value != 0;
    }
    default:
    {
        long value;
        std::memcpy(&value, &area[offset], sizeof(value));
        return value != 0;
    }
    }
}

int Block::OutputFlags(int outputIndex) const
{
    const OutDef* out = Output(outputIndex);
    if (!out)
        return 0;
    if (out->flags & KVR_OUTPUT_NEVERSHOWN)
        return KVR_OUT_OPTIONAL;
    int flags = 0;
    if (out->optional == OUT_OPTIONAL || (out->flags & KVR_OUTPUT_GROUP))
        flags |= KVR_OUT_OPTIONAL;
    if (!out->when || IsVarSet(out->when))
        flags |= KVR_OUT_APPLICABLE;
    int c = ConnIndex(outputIndex);
    if (c >= 0 && conn[c])
        flags |= KVR_OUT_CONNECTED;
    return flags;
}

// Every variable starts at its initial value; every text variable has
// its buffer from the start.
void Block::InitVariables()
{
    area.assign(VarAreaSize(def), 0);
    int offset = 0;
    for (int i = 0; def && i < def->numVars; ++i)
    {
        const VarDef& v = def->vars[i];
        FindVar(def, v.name, &offset);
        switch (v.memRep)
        {
        case KVR_MEM_CHAR:
        {
            char* text = static_cast<char*>(std::calloc(v.size, 1));
            if (!text)
                throw std::bad_alloc();
            SetTextVar(offset, text);
            break;
        }
        case KVR_MEM_INT16:
        {
            short value = (short)v.defValue;
            std::memcpy(&area[offset], &value, sizeof(value));
            break;
        }
        default:
        {
            long value = v.defValue;
            std::memcpy(&area[offset], &value, sizeof(value));
            break;
        }
        }
    }
}

Block::~Block()
{
    int offset = 0;
    for (int i = 0; def && i < def->numVars; ++i)
    {
        const VarDef& v = def->vars[i];
        FindVar(def, v.name, &offset);
        if (v.memRep == KVR_MEM_CHAR && !area.empty())
            std::free(TextVar(offset));
    }
}

// ---- Pages --------------------------------------------------------------------

Page::~Page() {}

Block* Page::FindBlock(const std::string& plainName) const
{
    auto it = m_byName.find(plainName);
    return it != m_byName.end() ? it->second : nullptr;
}

void Page::IndexFirstNamed(const std::string& name)
{
    m_byName.erase(name);
    for (Block* b : blocks)
        if (b->name == name)
        {
            m_byName.emplace(name, b);
            return;
        }
}

void Page::BlockAdded(Block* block)
{
    // A block added behind another of its name does not take its place.
    m_byName.emplace(block->name, block);
}

void Page::BlockRemoved(Block* block)
{
    auto it = m_byName.find(block->name);
    if (it != m_byName.end() && it->second == block)
        IndexFirstNamed(block->name);
}

void Page::BlockRenamed(Block* block, const std::string& oldName)
{
    auto it = m_byName.find(oldName);
    if (it != m_byName.end() && it->second == block)
        IndexFirstNamed(oldName);
    IndexFirstNamed(block->name);
}

Block* Page::FindType(int type) const
{
    for (Block* b : blocks)
        if (b->type == type)
            return b;
    return nullptr;
}

// ---- Programs -------------------------------------------------------------------

Program::~Program()
{
    ForgetVariables();
    for (Symbol* s : symbols)
        delete s;
}

void Program::ForgetVariables()
{
    for (Variable* v : variables)
    {
        Unregister(v);
        delete v;
    }
    variables.clear();
}

Page* Program::FindPage(const std::string& name) const
{
    for (Page* p : pages)
        if (p->name == name)
            return p;
    return nullptr;
}

Block* Program::FindBlock(const std::string& modelName) const
{
    // "page$block" off the main page, the plain name on it; no name holds
    // a '$' of its own, so the page is found first and only its blocks are
    // compared (a whole program's model names would be built otherwise).
    size_t nDollar = modelName.find('$');
    for (Page* p : pages)
    {
        if (nDollar == std::string::npos ? !p->main
                                         : (p->main || p->name.compare(0, std::string::npos, modelName, 0, nDollar) != 0))
            continue;
        Block* b = p->FindBlock(nDollar == std::string::npos ? modelName : modelName.substr(nDollar + 1));
        if (b)
            return b;
    }
    return nullptr;
}

Symbol* Program::FindItemSymbol(const std::string& name) const
{
    for (Symbol* s : symbols)
        if (name == s->Name)
            return s;
    return nullptr;
}

bool Program::IsNameInUse(const std::string& name) const
{
    return FindPage(name) || FindBlock(name) || FindItemSymbol(name);
}

void Program::InitSymbol(Symbol* sym, int type, const std::string& name)
{
    std::memset(sym, 0, sizeof(*sym));
    sym->Type = (short)type;
    sym->Serial = nextSerial++;
    CopyBounded(sym->Name, sizeof(sym->Name), name);
}

// ---- Object life ------------------------------------------------------------------

Program* NewProgram(HWND hMain, int clipboard)
{
    Program* prog = new Program;
    prog->hMain = hMain;
    prog->clipboard = clipboard ? 1 : 0;
    Register(prog);
    if (prog->clipboard)
        g_pClipboard = prog;
    else
        g_pCurrent = prog;
    return prog;
}

void DeleteProgram(Program* prog)
{
    ClipboardProgramGone(prog);
    while (!prog->pages.empty())
        DeletePage(prog->pages.back());
    if (g_pCurrent == prog)
        g_pCurrent = nullptr;
    if (g_pClipboard == prog)
        g_pClipboard = nullptr;
    Unregister(prog);
    delete prog;
}

Page* NewPage(Program* prog, const std::string& name, int kind, int flag)
{
    Page* page = new Page;
    page->program = prog;
    page->name = name;
    page->kind = kind;
    page->flag = flag;
    page->main = prog->pages.empty();
    prog->InitSymbol(&page->sym, KVR_SYM_PAGE, name);
    prog->pages.push_back(page);
    Register(page);
    return page;
}

void DeletePage(Page* page)
{
    while (!page->blocks.empty())
        DeleteBlock(page->blocks.back());
    Program* prog = page->program;
    prog->pages.erase(std::find(prog->pages.begin(), prog->pages.end(), page));
    if (prog->current == page)
        prog->current = nullptr;
    Unregister(page);
    delete page;
}

Block* NewBlock(Page* page, const std::string& name, int type,
                const std::string& customType)
{
    Block* block = new Block;
    block->page = page;
    block->name = name;
    block->type = type;
    block->customType = customType;
    block->def = FindBlockDef(type);
    try
    {
        block->InitVariables();
        int conns = 0;
        for (int i = 0; i < block->OutputCount(); ++i)
            if (!(block->def->outputs[i].flags & KVR_OUTPUT_GROUP))
                ++conns;
        block->conn.assign(conns, nullptr);
        page->program->InitSymbol(&block->sym, KVR_SYM_POWERBLOCK,
                                  block->ModelName());
        block->sym.ItemNumber = (short)type;
        page->blocks.push_back(block);
        try { page->BlockAdded(block); }
        catch (...) { page->blocks.pop_back(); throw; }
    }
    catch (...)
    {
        delete block;
        throw;
    }
    Register(block);
    return block;
}

void DeleteBlock(Block* block)
{
    // Connections of other blocks into this one go with it.
    for (Page* p : block->page->program->pages)
        for (Block* b : p->blocks)
            for (Block*& target : b->conn)
                if (target == block)
                    target = nullptr;
    ClipboardBlockGone(block);
    Page* page = block->page;
    page->blocks.erase(std::find(page->blocks.begin(), page->blocks.end(), block));
    page->BlockRemoved(block);
    Unregister(block);
    delete block;
}

static bool ConnectRotaryOutput(Block* block, Block* rotary)
{
    int out = block->FindOutput("Rotary");
    int c = block->ConnIndex(out);
    if (c < 0 || block->conn[c])
        return false;
    block->conn[c] = rotary;
    return true;
}

// Callers without touch tones go to the page's Rotary Dial block: a new
// block's "Rotary" output is connected to it, and a new Rotary Dial block
// takes every "Rotary" output of the page that leads nowhere yet. Blocks
// changed besides the new one are reported to the editor.
void ConnectRotary(Block* block)
{
    Page* page = block->page;
    if (block->type == KVR_PB_ROTARY)
    {
        // Reported once all are connected: the editor may call back.
        std::vector<Block*> changed;
        for (Block* b : page->blocks)
            if (b != block && ConnectRotaryOutput(b, block))
                changed.push_back(b);
        Program* prog = page->program;
        for (Block* b : changed)
        {
            if (!AsBlock(b))
                continue;
            kvrBlockNotify report = { prog, b };
            Notify(prog, KVR_NOTIFY_BLOCKCHANGED, (LPARAM)&report);
        }
        return;
    }
    if (Block* rotary = page->FindType(KVR_PB_ROTARY))
        ConnectRotaryOutput(block, rotary);
}

// ---- Change reports ---------------------------------------------------------------

void Notify(Program* prog, int kind, LPARAM lParam)
{
    if (!g_nNotifyMessage || !prog || !prog->hMain || !IsWindow(prog->hMain))
        return;
    SendMessageA(prog->hMain, g_nNotifyMessage, (WPARAM)kind, lParam);
}

HINSTANCE ModuleHandle()
{
    HMODULE h = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleHandle), &h);
    return h;
}

std::string LoadText(UINT idText, const char* insert)
{
    char format[256] = "";
    LoadStringA(ModuleHandle(), idText, format, sizeof(format));
    char text[512];
    std::snprintf(text, sizeof(text), format, insert ? insert : "");
    return text;
}

void NotifyStatus(Program* prog, UINT idText, const char* insert)
{
    std::string text = LoadText(idText, insert);
    Notify(prog, KVR_NOTIFY_STATUS, (LPARAM)text.c_str());
}

} // namespace kvr
