// The model's own part of the program file: one section of text lines
// between the editor's file header and its "{Program}" line.
//
//   {ApplicationModel}
//   Page|name|kind|flag|main[|exported]
//   Block|page|name|type|custom type|finished
//   Var|variable|value                  (of the block above)
//   Symbol|type|name|scope|defined|uses|exclusion|exclusion 2|number
//   Item|media kind|description|has confirmation|confirmation description
//   List|list id|use count               (data of the symbol above)
//   Goto|page|block|connection index|target block
//   Library|name.ID                      (an imported library)
//   {EndofApplicationModel}
//
// Fields are separated by '|'; '\' escapes '|', '\' and line breaks.
#include "Block.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"
#include "../PlexModelRes.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace kvr;

namespace {

const char kBegin[] = "{ApplicationModel}";
const char kEnd[] = "{EndofApplicationModel}";
const char kProgram[] = "{Program}";

} // namespace

std::string kvr::VarValueText(const Block* b, const VarDef& v, int offset)
{
    switch (v.memRep)
    {
    case KVR_MEM_CHAR:
    {
        const char* text = b->TextVar(offset);
        return text ? text : "";
    }
    case KVR_MEM_INT16:
    {
        short value;
        std::memcpy(&value, &b->area[offset], sizeof(value));
        return std::to_string(value);
    }
    default:
    {
        long value;
        std::memcpy(&value, &b->area[offset], sizeof(value));
        return std::to_string(value);
    }
    }
}

void kvr::AppendEscaped(std::string& out, const std::string& text)
{
    for (char c : text)
    {
        switch (c)
        {
        case '\\': out += "\\\\"; break;
        case '|':  out += "\\|"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default:   out += c; break;
        }
    }
}

namespace {

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i)
    {
        char c = line[i];
        if (c == '|')
            fields.emplace_back();
        else if (c == '\\' && i + 1 < line.size())
        {
            char e = line[++i];
            fields.back() += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
        }
        else
            fields.back() += c;
    }
    return fields;
}

class Writer
{
public:
    explicit Writer(FILE* f) : m_f(f) {}

    void Line(std::initializer_list<std::string> fields)
    {
        // One buffer for every line, written with one call.
        m_line.clear();
        bool first = true;
        for (const std::string& f : fields)
        {
            if (!first)
                m_line += '|';
            AppendEscaped(m_line, f);
            first = false;
        }
        m_line += '\n';
        std::fwrite(m_line.data(), 1, m_line.size(), m_f);
    }

    void Tag(const char* tag)
    {
        std::fputs(tag, m_f);
        std::fputc('\n', m_f);
    }

private:
    FILE* m_f;
    std::string m_line;
};

std::string Num(long n) { return std::to_string(n); }

void WriteSymbolData(Writer& w, const Symbol* s)
{
    if (!s->Variable)
        return;
    if (s->Type == KVR_SYM_ITEM)
    {
        const kvrItemData* item = static_cast<const kvrItemData*>(s->Variable);
        const kvrItemData* conf = item->confirm;
        w.Line({ "Item", Num(item->mediaKind),
                 item->description ? item->description : "",
                 conf ? "1" : "0",
                 conf && conf->description ? conf->description : "" });
    }
    else if (s->Type == KVR_SYM_RESPERM)
    {
        const kvrListData* list = static_cast<const kvrListData*>(s->Variable);
        w.Line({ "List", Num(list->listId), Num(list->useCount) });
    }
}

int WriteModel(Program* prog, FILE* out)
{
    Writer w(out);
    w.Tag(kBegin);
    for (Page* p : prog->pages)
    {
        // An exported SuperBlock has a sixth field.
        if (p->exported)
            w.Line({ "Page", p->name, Num(p->kind), Num(p->flag), p->main ? "1" : "0", "1" });
        else
            w.Line({ "Page", p->name, Num(p->kind), Num(p->flag), p->main ? "1" : "0" });
    }
    for (Page* p : prog->pages)
    {
        for (Block* b : p->blocks)
        {
            w.Line({ "Block", p->name, b->name, Num(b->type), b->customType,
                     Num(b->finished) });
            // The variables lie in the area in their order.
            int offset = 0;
            for (int i = 0; b->def && i < b->def->numVars; ++i)
            {
                const VarDef& v = b->def->vars[i];
                w.Line({ "Var", v.name, VarValueText(b, v, offset) });
                offset += SlotSize(v);
            }
        }
    }
    for (Symbol* s : prog->symbols)
    {
        w.Line({ "Symbol", Num(s->Type), s->Name, Num(s->Scope), Num(s->Defined),
                 Num(s->RefCnt), Num(s->ExclFlags), Num(s->ExclFlags2),
                 Num(s->ItemNumber) });
        WriteSymbolData(w, s);
    }
    for (Page* p : prog->pages)
        for (Block* b : p->blocks)
            for (size_t c = 0; c < b->conn.size(); ++c)
                if (b->conn[c])
                    w.Line({ "Goto", p->name, b->name, Num((long)c),
                             b->conn[c]->name });
    for (const std::string& lib : prog->libraries)
        w.Line({ "Library", lib });
    w.Tag(kEnd);
    std::fflush(out);
    return std::ferror(out) ? KVR_ERR_IO : KVR_OK;
}

// ---- Reading ----------------------------------------------------------------

bool ReadLine(FILE* in, std::string& line)
{
    line.clear();
    char buf[512];
    bool any = false;
    while (std::fgets(buf, sizeof(buf), in))
    {
        any = true;
        line += buf;
        if (!line.empty() && line.back() == '\n')
            break;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return any;
}

bool ToLong(const std::string& text, long* value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    *value = std::strtol(text.c_str(), &end, 10);
    return end && *end == 0;
}

char* MallocText(const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy)
        throw std::bad_alloc();
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

kvrItemData* NewItemData(long media, const std::string& text)
{
    kvrItemData* item = static_cast<kvrItemData*>(std::calloc(1, sizeof(kvrItemData)));
    if (!item)
        throw std::bad_alloc();
    item->mediaKind = (short)media;
    if (!text.empty())
    {
        try { item->description = MallocText(text); }
        catch (...) { std::free(item); throw; }
    }
    return item;
}

class Reader
{
public:
    explicit Reader(Program* prog) : m_prog(prog) {}

    // false when the line does not parse.
    bool Apply(const std::vector<std::string>& f)
    {
        const std::string& tag = f[0];
        if (tag == "Page" && (f.size() == 5 || f.size() == 6))
            return ReadPage(f);
        if (tag == "Block" && f.size() == 6)
            return ReadBlock(f);
        if (tag == "Var" && f.size() == 3)
            return ReadVar(f);
        if (tag == "Symbol" && f.size() == 9)
            return ReadSymbol(f);
        if (tag == "Item" && f.size() == 5)
            return ReadItem(f);
        if (tag == "List" && f.size() == 3)
            return ReadList(f);
        if (tag == "Goto" && f.size() == 5)
            return ReadGoto(f);
        if (tag == "Library" && f.size() == 2)
            return ReadLibrary(f);
        return false;
    }

private:
    bool ReadLibrary(const std::vector<std::string>& f)
    {
        if (!IsValidLibraryName(f[1].c_str()) || FindLibrary(m_prog, f[1].c_str()) >= 0)
            return false;
        m_prog->libraries.push_back(f[1]);
        return true;
    }

    bool ReadPage(const std::vector<std::string>& f)
    {
        long kind, flag, main;
        if (!IsValidSymbolName(f[1].c_str()) || m_prog->IsNameInUse(f[1]) ||
            !ToLong(f[2], &kind) || !ToLong(f[3], &flag) || !ToLong(f[4], &main))
            return false;
        Page* page = NewPage(m_prog, f[1],
                             kind == KVR_PAGE_VERIFICATION ? KVR_PAGE_VERIFICATION
                                                           : KVR_PAGE_NORMAL,
                             (int)flag);
        // One main page only: blocks of a second one would share the model
        // names of the first. The page is kept as an ordinary page and the
        // line reported.
        bool mainTaken = false;
        for (Page* p : m_prog->pages)
            mainTaken = mainTaken || (p != page && p->main);
        page->main = main != 0 && !mainTaken;
        page->exported = f.size() == 6 && f[5] == "1";
        return main == 0 || !mainTaken;
    }

    bool ReadBlock(const std::vector<std::string>& f)
    {
        m_block = nullptr;
        m_sym = nullptr;
        Page* page = m_prog->FindPage(f[1]);
        long type, finished;
        if (!page || !IsValidBlockName(f[2].c_str()) || page->FindBlock(f[2]) ||
            !ToLong(f[3], &type) || !FindBlockDef((int)type) ||
            !ToLong(f[5], &finished))
            return false;
        m_block = NewBlock(page, f[2], (int)type, f[4]);
        m_block->finished = finished ? 1 : 0;
        return true;
    }

    bool ReadVar(const std::vector<std::string>& f)
    {
        int offset = 0;
        const VarDef* v = m_block ? FindVar(m_block->def, f[1].c_str(), &offset)
                                   : nullptr;
        if (!v)
            return false;
        if (v->memRep == KVR_MEM_CHAR)
        {
            CopyBounded(m_block->TextVar(offset), v->size, f[2]);
            return true;
        }
        long value;
        if (!ToLong(f[2], &value))
            return false;
        if (v->memRep == KVR_MEM_INT16)
        {
            short s = (short)value;
            std::memcpy(&m_block->area[offset], &s, sizeof(s));
        }
        else
            std::memcpy(&m_block->area[offset], &value, sizeof(value));
        return true;
    }

    bool ReadSymbol(const std::vector<std::string>& f)
    {
        m_block = nullptr;
        m_sym = nullptr;
        long v[7];
        for (int i = 0; i < 7; ++i)
            if (!ToLong(f[i == 0 ? 1 : i + 2], &v[i]))
                return false;
        // The editor writes the names of items and lists into their symbols
        // itself (a list renamed on the server keeps the server's name), so
        // a name is taken as the model held it when it was written: any text
        // that fits the symbol, even an empty one or one also used elsewhere.
        if ((v[0] != KVR_SYM_ITEM && v[0] != KVR_SYM_RESPERM) ||
            f[2].size() >= KVR_SYMBOL_NAME_SIZE)
            return false;
        Symbol* sym = new Symbol;
        m_prog->InitSymbol(sym, (int)v[0], f[2]);
        sym->Scope = (short)v[1];
        sym->Defined = (short)v[2];
        sym->RefCnt = (short)v[3];
        sym->ExclFlags = v[4];
        sym->ExclFlags2 = (short)v[5];
        sym->ItemNumber = (short)v[6];
        try { m_prog->symbols.push_back(sym); }
        catch (...) { delete sym; throw; }
        m_sym = sym;
        return true;
    }

    bool ReadItem(const std::vector<std::string>& f)
    {
        long media, hasConf;
        if (!m_sym || m_sym->Type != KVR_SYM_ITEM || m_sym->Variable ||
            !ToLong(f[1], &media) || !ToLong(f[3], &hasConf))
            return false;
        kvrItemData* item = NewItemData(media, f[2]);
        if (hasConf)
        {
            try { item->confirm = NewItemData(media, f[4]); }
            catch (...) { std::free(item->description); std::free(item); throw; }
        }
        m_sym->Variable = item;
        return true;
    }

    bool ReadList(const std::vector<std::string>& f)
    {
        long id, uses;
        if (!m_sym || m_sym->Type != KVR_SYM_RESPERM || m_sym->Variable ||
            !ToLong(f[1], &id) || !ToLong(f[2], &uses))
            return false;
        kvrListData* list = static_cast<kvrListData*>(std::malloc(sizeof(kvrListData)));
        if (!list)
            throw std::bad_alloc();
        list->listId = id;
        list->useCount = uses;
        m_sym->Variable = list;
        return true;
    }

    bool ReadGoto(const std::vector<std::string>& f)
    {
        m_block = nullptr;
        m_sym = nullptr;
        Page* page = m_prog->FindPage(f[1]);
        Block* from = page ? page->FindBlock(f[2]) : nullptr;
        Block* to = page ? page->FindBlock(f[4]) : nullptr;
        long index;
        if (!from || !to || !ToLong(f[3], &index) || index < 0 ||
            index >= (long)from->conn.size())
            return false;
        from->conn[index] = to;
        return true;
    }

    Program* m_prog;
    Block* m_block = nullptr;   // the block that Var lines belong to
    Symbol* m_sym = nullptr;    // the symbol that Item and List lines belong to
};

void Log(FILE* log, UINT id, const std::string& insert)
{
    if (!log)
        return;
    std::string text = LoadText(id, insert.c_str());
    std::fputs(text.c_str(), log);
    std::fputc('\n', log);
}

int ReadModel(Program* prog, FILE* in, int mode, FILE* log)
{
    long start = std::ftell(in);
    std::string line;
    if (!ReadLine(in, line))
        return KVR_ERR_IO;
    if (line != kBegin)
    {
        // Leave a following "{Program}" line for the editor.
        if (line.compare(0, sizeof(kProgram) - 1, kProgram) == 0 && start >= 0)
            std::fseek(in, start, SEEK_SET);
        Log(log, IDS_KVR_NOMODELPART, "");
        return KVR_ERR_FORMAT;
    }
    Reader reader(prog);
    while (ReadLine(in, line))
    {
        if (line == kEnd)
            return KVR_OK;
        std::vector<std::string> fields = Split(line);
        if (reader.Apply(fields))
            continue;
        Log(log, IDS_KVR_BADLINE, line);
        if (mode != KVR_PROMPT_CONTINUE)
            return KVR_ERR_FORMAT;
    }
    return std::ferror(in) ? KVR_ERR_IO : KVR_ERR_FORMAT;
}

} // namespace

int kvr::ReadModelPart(Program* prog, FILE* in, int mode, FILE* log)
{
    return ReadModel(prog, in, mode, log);
}

extern "C" {

int kvrWriteProgram(FILE* pFile, FILE* pStream, int nPromptMode)
{
    Program* prog = g_pCurrent;
    try
    {
        FILE* out = pStream ? pStream : pFile;
        if (!prog)
            return KVR_ERR_HANDLE;
        if (!out)
            return KVR_ERR_ARGUMENT;
        Notify(prog, KVR_NOTIFY_BUSY, 0);
        NotifyStatus(prog, IDS_KVR_WRITING, "");
        int result = WriteModel(prog, out);
        Notify(prog, KVR_NOTIFY_IDLE, 0);
        return result;
    }
    catch (...)
    {
        Notify(prog, KVR_NOTIFY_IDLE, 0);
        return KVR_ERR_INTERNAL;
    }
}

int kvrReadProgram(FILE* pFile, FILE* pStream, int nPromptMode, FILE* pLog)
{
    Program* prog = g_pCurrent;
    try
    {
        FILE* in = pStream ? pStream : pFile;
        if (!prog)
            return KVR_ERR_HANDLE;
        if (!in)
            return KVR_ERR_ARGUMENT;
        if (!prog->IsEmpty())
            return KVR_ERR_NOTEMPTY;
        Notify(prog, KVR_NOTIFY_BUSY, 0);
        NotifyStatus(prog, IDS_KVR_READING, "");
        int result = ReadModel(prog, in, nPromptMode, pLog);
        Notify(prog, KVR_NOTIFY_IDLE, 0);
        return result;
    }
    catch (...)
    {
        Notify(prog, KVR_NOTIFY_IDLE, 0);
        return KVR_ERR_INTERNAL;
    }
}

} // extern "C"
