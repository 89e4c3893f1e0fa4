// The model's clipboard: the program registered with the clipboard flag
// receives copies of blocks (with their settings and the connections
// between the copies) and of the pages they call; a paste puts copies of
// them into the current program, under new names where the target
// program's names clash.
//
// A paste is planned first (kvrPreparePaste, or the first paste call after
// a copy): the plan fixes which clipboard pages are pasted and the new name
// of every pasted page and block, and it stays while the editor asks for
// those names after the paste (kvrWhatIsNewName, kvrIsSuperBeingPasted).
#include "Block.h"
#include "BlockCatalogue.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "ExportGuard.h"

using namespace kvr;

namespace {

struct PastePlan
{
    bool valid = false;
    Program* target = nullptr;
    Page* targetPage = nullptr;
    bool pageMode = false;
    std::set<std::string> pages;                    // clipboard pages pasted
    std::map<std::string, std::string> newNames;    // old model name -> new, only when it differs
    std::set<std::string> skipped;                  // clipboard blocks (main page) not pasted
};

struct ClipState
{
    int clipType = KVR_CLIP_BLOCKS;
    Program* source = nullptr;              // the program copied from last
    std::string copiedPage;                 // the page copied in page mode
    std::set<std::string> pageSymbols;      // pages registered for the paste
    std::vector<std::string> symbols;       // every name registered
    // Each copy in the clipboard with the block it was copied from, so that
    // the copies' connections follow their originals'.
    std::vector<std::pair<Block*, Block*>> copies;
    bool setupPageMode = false;
    PastePlan plan;
    std::string answer;                     // kvrWhatIsNewName's text
    // The clipboard list: one record per name copied, in the order copied.
    std::vector<std::unique_ptr<TClipInfo>> list;
    // The outcomes of the records were asked for (kvrGetAllNameConflicts)
    // and hold for the next paste.
    bool resolved = false;
};

ClipState& Clip()
{
    static ClipState state;
    return state;
}

Page* CurrentPageOf(Program* prog)
{
    if (!prog)
        return nullptr;
    if (prog->current)
        return prog->current;
    return prog->pages.empty() ? nullptr : prog->pages.front();
}

// The clipboard's page that copied blocks go to: its first page.
Page* ClipMainPage()
{
    Program* clip = g_pClipboard;
    return clip && !clip->pages.empty() ? clip->pages.front() : nullptr;
}

// A block of the current program: "page$block" or a plain name on the
// current page.
Block* SourceBlock(const char* name)
{
    if (!g_pCurrent || !name)
        return nullptr;
    if (std::strchr(name, '$'))
        return g_pCurrent->FindBlock(name);
    Page* page = CurrentPageOf(g_pCurrent);
    return page ? page->FindBlock(name) : nullptr;
}

// Settings of one block taken over by another of the same type: numbers as
// they are, texts into the copy's own buffers.
void CopySettings(Block* dst, const Block* src)
{
    const BlockDef* def = dst->def;
    if (!def || def != src->def || dst->area.size() != src->area.size())
        return;
    int offset = 0;
    for (int i = 0; i < def->numVars; ++i)
    {
        const VarDef& v = def->vars[i];
        FindVar(def, v.name, &offset);
        if (v.memRep == KVR_MEM_CHAR)
        {
            const char* text = src->TextVar(offset);
            char* mine = dst->TextVar(offset);
            if (text && mine && v.size > 0)
            {
                std::strncpy(mine, text, v.size - 1);
                mine[v.size - 1] = 0;
            }
        }
        else
        {
            size_t n = v.memRep == KVR_MEM_INT16 ? sizeof(short) : sizeof(long);
            std::memcpy(&dst->area[offset], &src->area[offset], n);
        }
    }
    dst->finished = src->finished;
    dst->obsolete = src->obsolete;
}

// The copies' connections follow their originals': a connection to a block
// that was copied leads to its copy, one to a block that was not copied
// leads nowhere. Originals that have gone since (a cut) leave their copy
// as it is.
void ConnectCopies()
{
    ClipState& clip = Clip();
    std::map<Block*, Block*> copyOf;
    for (auto& pair : clip.copies)
        if (AsBlock(pair.first) && AsBlock(pair.second))
            copyOf[pair.second] = pair.first;
    for (auto& pair : clip.copies)
    {
        Block* copy = pair.first;
        Block* original = pair.second;
        if (!AsBlock(copy) || !AsBlock(original))
            continue;
        for (size_t i = 0; i < copy->conn.size() && i < original->conn.size(); ++i)
        {
            auto it = copyOf.find(original->conn[i]);
            Block* target = it == copyOf.end() ? nullptr : it->second;
            copy->conn[i] = target && target->page == copy->page ? target : nullptr;
        }
    }
}

void ForgetPlan()
{
    Clip().plan = PastePlan();
}

TClipInfo* FindRecord(const std::string& name, long kind)
{
    for (auto& record : Clip().list)
        if (record->kind == kind && name == record->name)
            return record.get();
    return nullptr;
}

void AddRecord(const std::string& name, short symbolType, long kind, long number)
{
    ClipState& clip = Clip();
    if (FindRecord(name, kind))
        return;
    std::unique_ptr<TClipInfo> record(new TClipInfo);
    std::memset(record.get(), 0, sizeof(TClipInfo));
    CopyBounded(record->name, sizeof(record->name), name);
    record->symbolType = symbolType;
    record->modelIndex = (short)clip.list.size();
    record->oldNumber = number;
    record->newNumber = -1;
    record->kind = kind;
    clip.list.push_back(std::move(record));
}

void ClearOutcome(TClipInfo* record)
{
    record->notPasted = 0;
    record->skip = 0;
    record->newName[0] = 0;
    record->newNumber = -1;
    record->replace = 0;
}

long ItemKind(const Symbol* sym)
{
    const kvrItemData* item = static_cast<const kvrItemData*>(sym->Variable);
    return item ? item->mediaKind : KVR_CLIPINFO_VOICE;
}

// Whether a clipboard record clashes with the program and its page.
bool Clashes(const TClipInfo* record, const Program* target, const Page* page)
{
    std::string name = record->name;
    if (record->kind == KVR_CLIPINFO_BLOCK)
    {
        if (record->symbolType == KVR_SYM_POWERBLOCK && name == "End")
            return true;
        return (page && page->FindBlock(name)) || (page && page->main && target->IsNameInUse(name));
    }
    if (record->kind != KVR_CLIPINFO_VOICE && record->kind != KVR_CLIPINFO_FAX)
        return false;
    if (target->IsNameInUse(name))
        return true;
    for (const Symbol* s : target->symbols)
        if (s->Type == KVR_SYM_ITEM && s->ItemNumber == record->oldNumber && ItemKind(s) == record->kind)
            return true;
    return false;
}

// Application ID of an imported-application block: the number after the
// last '.' of its library name; -1 without one.
long ImportedAppId(const std::string& custom)
{
    size_t dot = custom.rfind('.');
    if (dot == std::string::npos || dot + 1 >= custom.size())
        return -1;
    char* end = nullptr;
    long id = std::strtol(custom.c_str() + dot + 1, &end, 10);
    return end && *end == 0 ? id : -1;
}

// The name proposed for a name that clashes: its trailing digits (at most
// 9) counted up, or 1 appended, cutting the stem while the result is
// longer than nMax; "" when no free name can be formed.
template <class IsFree>
std::string ProposeName(const std::string& name, size_t nMax, IsFree isFree)
{
    size_t digits = 0;
    while (digits < 9 && digits < name.size() &&
           name[name.size() - 1 - digits] >= '0' && name[name.size() - 1 - digits] <= '9')
        ++digits;
    unsigned long number = digits ? std::strtoul(name.substr(name.size() - digits).c_str(), nullptr, 10) + 1 : 1;
    std::string stem = name.substr(0, name.size() - digits);
    size_t cut = digits;
    for (; number < 2147483647UL; ++number)
    {
        std::string candidate = stem + std::to_string(number);
        while (candidate.size() > nMax)
        {
            if (cut >= 29 || stem.empty())
                return "";
            stem.pop_back();
            ++cut;
            candidate = stem + std::to_string(number);
        }
        if (isFree(candidate))
            return candidate;
    }
    return "";
}

std::string ModelNameOn(const Page* page, const std::string& plain)
{
    return page->main ? plain : page->name + "$" + plain;
}

// Plans the paste of the clipboard into the current page.
int MakePlan(bool pageMode)
{
    ClipState& clip = Clip();
    ForgetPlan();
    Program* clipProg = g_pClipboard;
    Page* targetPage = CurrentPageOf(g_pCurrent);
    if (!clipProg || !targetPage || g_pCurrent == clipProg)
        return KVR_ERR_HANDLE;
    Program* target = g_pCurrent;
    PastePlan& plan = clip.plan;
    plan.target = target;
    plan.targetPage = targetPage;
    plan.pageMode = pageMode;
    bool sameSource = clip.source == target && AsProgram(clip.source) != nullptr;

    // Pages: into another program all of them; into the program they came
    // from only those it no longer has, and in page mode the copied page.
    std::set<std::string> takenPages;
    for (size_t i = 1; i < clipProg->pages.size(); ++i)
    {
        Page* p = clipProg->pages[i];
        if (!clip.pageSymbols.count(p->name))
            continue;
        bool copied = pageMode && p->name == clip.copiedPage;
        if (sameSource && target->FindPage(p->name) && !copied)
            continue;
        std::string name = p->name;
        auto isFree = [&](const std::string& n) {
            return !target->IsNameInUse(n) && !takenPages.count(n);
        };
        if (!isFree(name))
            name = ProposeName(p->name, KVR_SYMBOL_NAME_SIZE - 1, isFree);
        if (name.empty())
            return KVR_ERR_INUSE;
        takenPages.insert(name);
        plan.pages.insert(p->name);
        if (name != p->name)
            plan.newNames[p->name] = name;
        for (Block* b : p->blocks)
        {
            std::string oldName = p->name + "$" + b->name;
            std::string newName = name + "$" + b->name;
            if (oldName != newName)
                plan.newNames[oldName] = newName;
        }
    }

    // Blocks copied one by one go to the target page; the End block is
    // never pasted (the page has its own), nor an imported application
    // that is the target application itself.
    Page* clipMain = ClipMainPage();
    if (!pageMode && clipMain)
    {
        std::set<std::string> taken;
        for (Block* b : clipMain->blocks)
        {
            if (b->name == "End")
            {
                plan.skipped.insert(b->name);
                continue;
            }
            auto isFree = [&](const std::string& n) {
                return !targetPage->FindBlock(n) && !taken.count(n) &&
                       !(targetPage->main && target->IsNameInUse(n));
            };
            std::string name = b->name;
            const TClipInfo* record = clip.resolved ? FindRecord(b->name, KVR_CLIPINFO_BLOCK) : nullptr;
            if (record && (record->skip || record->notPasted))
            {
                plan.skipped.insert(b->name);
                continue;
            }
            // The name the user chose stands when it is still free.
            if (record && record->newName[0] && IsValidSymbolName(record->newName) &&
                std::strlen(record->newName) <= KVR_MAX_BLOCK_NAME && isFree(record->newName))
                name = record->newName;
            if (!isFree(name))
                name = ProposeName(b->name, KVR_MAX_BLOCK_NAME, isFree);
            if (name.empty())
            {
                plan.skipped.insert(b->name);
                continue;
            }
            taken.insert(name);
            std::string newModel = ModelNameOn(targetPage, name);
            if (newModel != b->name)
                plan.newNames[b->name] = newModel;
        }
    }
    plan.valid = true;
    return KVR_OK;
}

Block* PasteBlock(Page* page, const std::string& name, const Block* from, const std::string& custom)
{
    Block* copy = NewBlock(page, name, from->type, custom);
    CopySettings(copy, from);
    return copy;
}

// A SuperBlock call follows its page's new name.
std::string CalledName(const Block* b, const PastePlan& plan)
{
    if (b->type != KVR_PB_SUPERCALL)
        return b->customType;
    auto it = plan.newNames.find(b->customType);
    return it == plan.newNames.end() ? b->customType : it->second;
}

} // namespace

namespace kvr {

// A program goes: the clipboard forgets it as the source of its copy, and
// when it is the clipboard itself, the copy.
void ClipboardProgramGone(Program* prog)
{
    ClipState& clip = Clip();
    if (clip.source == prog)
        clip.source = nullptr;
    if (clip.plan.target == prog)
        ForgetPlan();
    if (prog == g_pClipboard)
    {
        clip.copies.clear();
        clip.pageSymbols.clear();
        clip.symbols.clear();
        clip.copiedPage.clear();
    }
}

// A block goes: a copy no longer follows it, nor is it followed.
void ClipboardBlockGone(Block* block)
{
    auto& copies = Clip().copies;
    for (size_t i = copies.size(); i-- > 0;)
        if (copies[i].first == block || copies[i].second == block)
            copies.erase(copies.begin() + i);
}

} // namespace kvr

extern "C" {

int kvrSetClipType(int nType)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        if (nType != KVR_CLIP_BLOCKS && nType != KVR_CLIP_PAGE)
            return KVR_ERR_ARGUMENT;
        Clip().clipType = nType;
        return KVR_OK;
    });
}

int kvrGetClipType(void)
{
    return Clip().clipType;
}

int kvrEmptyClipboard(void)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        ClipState& clip = Clip();
        if (Program* prog = g_pClipboard)
            for (Page* p : prog->pages)
                while (!p->blocks.empty())
                    DeleteBlock(p->blocks.back());
        clip.copies.clear();
        clip.pageSymbols.clear();
        clip.symbols.clear();
        clip.list.clear();
        clip.resolved = false;
        clip.copiedPage.clear();
        clip.source = nullptr;
        clip.clipType = KVR_CLIP_BLOCKS;
        ForgetPlan();
        return KVR_OK;
    });
}

int kvrCopyZiriraradur(const char* pszName)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        ClipState& clip = Clip();
        Program* clipProg = g_pClipboard;
        if (!clipProg || g_pCurrent == clipProg)
            return KVR_ERR_HANDLE;
        Block* original = SourceBlock(pszName);
        if (!original)
            return KVR_ERR_ARGUMENT;
        Page* dest = nullptr;
        if (clip.clipType == KVR_CLIP_PAGE)
            dest = clipProg->FindPage(original->page->name);
        else
            dest = ClipMainPage();
        if (!dest)
            return KVR_ERR_ARGUMENT;
        if (dest->FindBlock(original->name))
            return KVR_ERR_INUSE;
        ForgetPlan();
        clip.source = original->page->program;
        Block* copy = PasteBlock(dest, original->name, original, original->customType);
        clip.copies.push_back(std::make_pair(copy, original));
        if (clip.clipType != KVR_CLIP_PAGE)
            AddRecord(original->name, KVR_SYM_POWERBLOCK, KVR_CLIPINFO_BLOCK, 0);
        ConnectCopies();
        return KVR_OK;
    });
}

int kvrPageToCopy(const char* pszPage, int nFlag)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        if (!pszPage || !g_pCurrent || !g_pCurrent->FindPage(pszPage))
            return KVR_ERR_ARGUMENT;
        if (nFlag == 0)
            Clip().copiedPage = pszPage;
        return KVR_OK;
    });
}

int kvrAddSymToClipboard(const char* pszName)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        if (!IsValidSymbolName(pszName))
            return KVR_ERR_NAME;
        ClipState& clip = Clip();
        for (const std::string& s : clip.symbols)
            if (s == pszName)
                return KVR_OK;
        clip.symbols.push_back(pszName);
        if (g_pCurrent && g_pCurrent->FindPage(pszName))
        {
            clip.pageSymbols.insert(pszName);
            AddRecord(pszName, KVR_SYM_PAGE, KVR_CLIPINFO_OTHER, 0);
        }
        else if (Symbol* item = g_pCurrent ? g_pCurrent->FindItemSymbol(pszName) : nullptr)
        {
            if (item->Type == KVR_SYM_ITEM)
                AddRecord(pszName, KVR_SYM_ITEM, ItemKind(item), item->ItemNumber);
            else
                AddRecord(pszName, item->Type, KVR_CLIPINFO_OTHER, item->ItemNumber);
        }
        else
            AddRecord(pszName, 0, KVR_CLIPINFO_OTHER, 0);
        return KVR_OK;
    });
}

const char* kvrCheckForSuperVerInCopy(const char* pszBlock, const char* pszPage)
{
    return Guard<const char*>(nullptr, [&]() -> const char* {
        if (!pszBlock || !g_pCurrent)
            return nullptr;
        Block* b = nullptr;
        if (std::strchr(pszBlock, '$'))
            b = g_pCurrent->FindBlock(pszBlock);
        else if (Page* page = pszPage ? g_pCurrent->FindPage(pszPage) : nullptr)
            b = page->FindBlock(pszBlock);
        if (!b || b->type != KVR_PB_SUPERCALL)
            return nullptr;
        Page* called = g_pCurrent->FindPage(b->customType);
        if (!called || (g_pClipboard && g_pClipboard->FindPage(called->name)))
            return nullptr;
        return called->name.c_str();
    });
}

int kvrSetupPasteSuperVerBlock(int bOn)
{
    Clip().setupPageMode = bOn != 0;
    if (!bOn)
        ForgetPlan();
    return KVR_OK;
}

int kvrCanIPaste(int nKind)
{
    return Guard(0, [&] {
        ClipState& clip = Clip();
        Program* clipProg = g_pClipboard;
        if (!clipProg)
            return 0;
        if (nKind == 1)
            return clip.clipType == KVR_CLIP_PAGE && !clip.copiedPage.empty() &&
                           clipProg->FindPage(clip.copiedPage)
                       ? 1 : 0;
        Page* main = ClipMainPage();
        return clip.clipType == KVR_CLIP_BLOCKS && main && !main->blocks.empty() ? 1 : 0;
    });
}

int kvrPreparePaste(int nMode)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        return MakePlan(nMode == 1 || Clip().setupPageMode);
    });
}

int kvrIsSuperBeingPasted(const char* pszPage)
{
    return Guard(0, [&] {
        ClipState& clip = Clip();
        if (!pszPage)
            return 0;
        if (!clip.plan.valid && MakePlan(clip.setupPageMode) != KVR_OK)
            return 0;
        return clip.plan.pages.count(pszPage) ? 1 : 0;
    });
}

const char* kvrWhatIsNewName(const char* pszName)
{
    return Guard<const char*>("", [&]() -> const char* {
        ClipState& clip = Clip();
        clip.answer.clear();
        if (!pszName || !clip.plan.valid)
            return "";
        auto it = clip.plan.newNames.find(pszName);
        if (it != clip.plan.newNames.end())
            clip.answer = it->second;
        return clip.answer.c_str();
    });
}

int kvrPasteZiriraradur(int nMode, long nTargetAppId)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        ClipState& clip = Clip();
        bool pageMode = nMode == 1 || clip.setupPageMode;
        Page* targetPage = CurrentPageOf(g_pCurrent);
        if (!clip.plan.valid || clip.plan.target != g_pCurrent || clip.plan.targetPage != targetPage ||
            clip.plan.pageMode != pageMode)
        {
            int nPlan = MakePlan(pageMode);
            if (nPlan != KVR_OK)
                return nPlan;
        }
        PastePlan& plan = clip.plan;
        Program* clipProg = g_pClipboard;
        Program* target = plan.target;

        // Every pasted page must be there under its new name (the editor
        // makes them); nothing is pasted otherwise.
        std::vector<std::pair<Page*, Page*>> pages;     // clipboard page, target page
        for (size_t i = 1; i < clipProg->pages.size(); ++i)
        {
            Page* p = clipProg->pages[i];
            if (!plan.pages.count(p->name))
                continue;
            auto it = plan.newNames.find(p->name);
            Page* to = target->FindPage(it == plan.newNames.end() ? p->name : it->second);
            if (!to || !to->blocks.empty())
                return KVR_ERR_ARGUMENT;
            pages.push_back(std::make_pair(p, to));
        }

        std::map<Block*, Block*> pasted;    // clipboard block -> its paste
        std::vector<Block*> made;
        try
        {
            for (auto& pair : pages)
                for (Block* b : pair.first->blocks)
                {
                    Block* copy = PasteBlock(pair.second, b->name, b, CalledName(b, plan));
                    pasted[b] = copy;
                    made.push_back(copy);
                }
            Page* clipMain = ClipMainPage();
            if (!pageMode && clipMain)
                for (Block* b : clipMain->blocks)
                {
                    if (plan.skipped.count(b->name))
                        continue;
                    if (b->type == KVR_PB_IMPORTED && nTargetAppId > 0 &&
                        ImportedAppId(b->customType) == nTargetAppId)
                        continue;
                    if (b->type == KVR_PB_SUPERCALL && !target->FindPage(CalledName(b, plan)))
                        continue;
                    auto it = plan.newNames.find(b->name);
                    std::string model = it == plan.newNames.end() ? b->name : it->second;
                    size_t dollar = model.find('$');
                    std::string plain = dollar == std::string::npos ? model : model.substr(dollar + 1);
                    Block* copy = PasteBlock(targetPage, plain, b, CalledName(b, plan));
                    pasted[b] = copy;
                    made.push_back(copy);
                }
        }
        catch (...)
        {
            for (Block* b : made)
                DeleteBlock(b);
            throw;
        }

        // Connections between pasted blocks; one to the End block that
        // was not pasted leads to the End block of the paste's page.
        for (auto& pair : pasted)
        {
            Block* from = pair.first;
            Block* copy = pair.second;
            for (size_t i = 0; i < from->conn.size() && i < copy->conn.size(); ++i)
            {
                Block* t = from->conn[i];
                if (!t)
                    continue;
                auto it = pasted.find(t);
                Block* to = it != pasted.end() ? it->second
                            : t->name == "End" ? copy->page->FindBlock("End")
                                                : nullptr;
                copy->conn[i] = to && to->page == copy->page ? to : nullptr;
            }
        }
        // The outcomes served this paste; the next one asks again.
        clip.resolved = false;
        return KVR_OK;
    });
}

int kvrGetClipboardList(TClipInfo** ppList, int nMax)
{
    return Guard(0, [&] {
        ClipState& clip = Clip();
        int n = (int)clip.list.size();
        for (int i = 0; ppList && i < n && i < nMax; ++i)
            ppList[i] = clip.list[i].get();
        return n;
    });
}

int kvrGetAllNameConflicts(TClipInfo** ppList, int nMax)
{
    return Guard(0, [&] {
        ClipState& clip = Clip();
        for (auto& record : clip.list)
            ClearOutcome(record.get());
        ForgetPlan();
        clip.resolved = true;
        Program* target = g_pCurrent;
        if (!target || target == g_pClipboard)
            return 0;
        Page* page = CurrentPageOf(target);
        int n = 0;
        for (auto& record : clip.list)
        {
            if (!Clashes(record.get(), target, page))
                continue;
            if (ppList && n < nMax)
                ppList[n] = record.get();
            ++n;
        }
        return n;
    });
}

int kvrItsAReservedPB(const char* pszName)
{
    return Guard(0, [&] {
        if (!pszName)
            return 0;
        for (const char* reserved : {"Begin", "End", "Main"})
            if (lstrcmpiA(pszName, reserved) == 0)
                return 1;
        return 0;
    });
}

} // extern "C"
