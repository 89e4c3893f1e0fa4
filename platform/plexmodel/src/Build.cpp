// The build: compiles a saved program file into the run-time file that the
// server runs, "<name>.run" beside it.
//
// The run-time form is plain text, one record a line, fields separated by
// '|' and escaped as in the model's part of the program file ('\' before
// '|' and '\', line breaks as \r and \n):
//
//   {PlexwrightRun}
//   Format|1
//   Application|customer|application ID|program file name (no folder)
//   Page|name|kind|main|exported         (kind 1 normal, 2 verification)
//   Block|number|page|name|type|type name|custom type
//   Var|name|value                       (of the block above)
//   Out|output|target number             (of the block above; 0 none)
//   Item|name|number|media kind          (a voice or fax item)
//   List|name|list id                    (a restriction/permission list)
//   Library|name.ID                      (an imported application)
//   Start|number                         (the Begin block of the main page)
//   {EndofPlexwrightRun}
//
// Blocks are numbered from 1 over the whole program, page by page in page
// order; an output leads to a block of its own page by that number. Group
// outputs stand for their members and are not written.
//
// The file is written beside the old one and put in its place only when
// every byte is written: a failed build leaves the old run-time file as it
// was and no partial file behind.
#include "Block.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

using namespace kvr;

namespace {

const char kModelBegin[] = "{ApplicationModel}";
const char kRunBegin[] = "{PlexwrightRun}";
const char kRunEnd[] = "{EndofPlexwrightRun}";
const int kRunFormat = 1;

// The run-time file's path: the program file's with the extension "run".
bool RunPath(const char* pszProgram, std::string& runPath)
{
    std::string path(pszProgram);
    size_t nName = path.find_last_of("\\/:");
    nName = nName == std::string::npos ? 0 : nName + 1;
    size_t nDot = path.rfind('.');
    if (nDot == std::string::npos || nDot < nName)
        nDot = path.size();
    if (nDot == nName)
        return false; // no file name
    runPath = path.substr(0, nDot) + ".run";
    return runPath.size() < MAX_PATH;
}

// Positions the file on the line "{ApplicationModel}".
bool SeekModelPart(FILE* in)
{
    char buf[512];
    long at = std::ftell(in);
    std::string line;
    while (std::fgets(buf, sizeof(buf), in))
    {
        line += buf;
        if (line.back() != '\n' && !std::feof(in))
            continue;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line == kModelBegin)
            return std::fseek(in, at, SEEK_SET) == 0;
        line.clear();
        at = std::ftell(in);
    }
    return false;
}

// A program read from a file for the build only: registered while it lives
// (the model's calls check their objects), never current.
class ScratchProgram
{
public:
    ScratchProgram() : m_prog(new Program) { Register(m_prog); }
    ~ScratchProgram()
    {
        // The data blocks of items and lists were made by the reader.
        for (Symbol* s : m_prog->symbols)
        {
            if (s->Type == KVR_SYM_ITEM && s->Variable)
            {
                kvrItemData* item = static_cast<kvrItemData*>(s->Variable);
                if (item->confirm)
                {
                    std::free(item->confirm->description);
                    std::free(item->confirm);
                }
                std::free(item->description);
            }
            std::free(s->Variable);
            s->Variable = nullptr;
        }
        DeleteProgram(m_prog);
    }
    Program* Get() const { return m_prog; }

private:
    Program* m_prog;
};

class RunWriter
{
public:
    explicit RunWriter(FILE* f, FILE* listing) : m_f(f), m_listing(listing) {}

    void Line(std::initializer_list<std::string> fields)
    {
        m_line.clear();
        bool first = true;
        for (const std::string& f : fields)
        {
            if (!first)
                m_line += '|';
            AppendEscaped(m_line, f);
            first = false;
        }
        Put();
    }
    void Tag(const char* tag)
    {
        m_line = tag;
        Put();
    }
    bool Failed() const { return m_bFailed; }

private:
    void Put()
    {
        m_line += "\r\n";
        if (std::fwrite(m_line.data(), 1, m_line.size(), m_f) != m_line.size())
            m_bFailed = true;
        if (m_listing)
            std::fwrite(m_line.data(), 1, m_line.size(), m_listing);
    }

    FILE* m_f;
    FILE* m_listing;
    std::string m_line;
    bool m_bFailed = false;
};

std::string Num(long n) { return std::to_string(n); }


void WriteRun(RunWriter& w, const Program* prog, long customer, long appId, const std::string& fileName)
{
    std::map<const Block*, long> numbers;
    long next = 0;
    for (const Page* p : prog->pages)
        for (const Block* b : p->blocks)
            numbers[b] = ++next;

    w.Tag(kRunBegin);
    w.Line({ "Format", Num(kRunFormat) });
    w.Line({ "Application", Num(customer), Num(appId), fileName });
    long start = 0;
    for (const Page* p : prog->pages)
        w.Line({ "Page", p->name, Num(p->kind), p->main ? "1" : "0", p->exported ? "1" : "0" });
    for (const Page* p : prog->pages)
    {
        for (const Block* b : p->blocks)
        {
            const PowerBlockInfo* info = b->Info();
            w.Line({ "Block", Num(numbers[b]), p->name, b->name, Num(b->type),
                     info && info->name ? info->name : "", b->customType });
            if (p->main && b->type == KVR_PB_BEGIN && !start)
                start = numbers[b];
            int offset = 0;
            for (int i = 0; b->def && i < b->def->numVars; ++i)
            {
                const VarDef& v = b->def->vars[i];
                w.Line({ "Var", v.name, VarValueText(b, v, offset) });
                offset += SlotSize(v);
            }
            for (int i = 0; i < b->OutputCount(); ++i)
            {
                int c = b->ConnIndex(i);
                if (c < 0 || c >= (int)b->conn.size())
                    continue;
                const Block* to = b->conn[c];
                w.Line({ "Out", b->Output(i)->name, Num(to ? numbers[to] : 0) });
            }
        }
    }
    for (const Symbol* s : prog->symbols)
    {
        if (s->Type == KVR_SYM_ITEM)
        {
            const kvrItemData* item = static_cast<const kvrItemData*>(s->Variable);
            w.Line({ "Item", s->Name, Num(s->ItemNumber), Num(item ? item->mediaKind : 0) });
        }
        else if (s->Type == KVR_SYM_RESPERM)
        {
            const kvrListData* list = static_cast<const kvrListData*>(s->Variable);
            w.Line({ "List", s->Name, Num(list ? list->listId : s->ItemNumber) });
        }
    }
    for (const std::string& lib : prog->libraries)
        w.Line({ "Library", lib });
    w.Line({ "Start", Num(start) });
    w.Tag(kRunEnd);
}

int Build(const char* pszProgram, long customer, long appId, FILE* listing)
{
    if (!pszProgram || !*pszProgram)
        return KVR_ERR_ARGUMENT;
    std::string runPath;
    if (!RunPath(pszProgram, runPath))
        return KVR_ERR_ARGUMENT;

    ScratchProgram scratch;
    {
        FILE* in = std::fopen(pszProgram, "rb");
        if (!in)
            return KVR_ERR_IO;
        int result = SeekModelPart(in) ? ReadModelPart(scratch.Get(), in, KVR_PROMPT_ASK, nullptr)
                                       : (std::ferror(in) ? KVR_ERR_IO : KVR_ERR_FORMAT);
        std::fclose(in);
        if (result != KVR_OK)
            return result;
    }

    // The new file goes beside the old one, so that putting it in place is
    // a rename within one folder.
    std::string folder = runPath.substr(0, runPath.find_last_of("\\/:") == std::string::npos
                                              ? 0
                                              : runPath.find_last_of("\\/:") + 1);
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "kvb", 0, temp))
        return KVR_ERR_IO;
    FILE* out = std::fopen(temp, "wb");
    if (!out)
    {
        DeleteFileA(temp);
        return KVR_ERR_IO;
    }
    size_t nName = std::string(pszProgram).find_last_of("\\/:");
    std::string fileName = nName == std::string::npos ? pszProgram : std::string(pszProgram).substr(nName + 1);
    bool ok;
    try
    {
        RunWriter w(out, listing);
        WriteRun(w, scratch.Get(), customer, appId, fileName);
        ok = !w.Failed() && std::fflush(out) == 0 && !std::ferror(out);
    }
    catch (...)
    {
        std::fclose(out);
        DeleteFileA(temp);
        throw;
    }
    ok = std::fclose(out) == 0 && ok;
    if (!ok || !MoveFileExA(temp, runPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DeleteFileA(temp);
        return KVR_ERR_IO;
    }
    return KVR_OK;
}

} // namespace

extern "C" int kvrBuildProgram(const char* pszProgramFile, long lCustomer, long lAppId, int nOptions,
                               FILE* pListing, int nReserved1, int nReserved2, int nReserved3)
{
    (void)nOptions;
    (void)nReserved1;
    (void)nReserved2;
    (void)nReserved3;
    try
    {
        return Build(pszProgramFile, lCustomer, lAppId, pListing);
    }
    catch (...)
    {
        return KVR_ERR_INTERNAL;
    }
}
