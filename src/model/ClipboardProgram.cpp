// ClipboardProgram: copy and paste of blocks, gotos, text notes and whole
// SuperBlock and Verification Block pages.
#include "ClipboardProgram.h"
#include "FontObject.h"
#include "Goto.h"
#include "Icons.h"
#include "ModelReport.h"
#include "ModelRes.h"
#include "Page.h"
#include "PowerBlock.h"
#include "PXTextUI.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace
{
ClipboardProgram* s_pClipboard = nullptr;
ClipboardHost* s_pHost = nullptr;

const char s_szClipPage[] = "Clipboard";
const char s_szEnd[] = "End";
// Where the application ID lies in the program's copy of its profile.
const size_t PROFILE_APPID_OFFSET = 4;
// Cause bit of the paste's reports.
const PXCause PX_CAUSE_PASTE = 0x20000;

long TargetAppID(Program* pProgram)
{
    long nID = 0;
    std::memcpy(&nID, pProgram->GetFileInfo() + PROFILE_APPID_OFFSET, sizeof(nID));
    return nID;
}

// The part of a model name after "$" (all of it without one).
std::string PlainName(const std::string& name)
{
    size_t n = name.find('$');
    return n == std::string::npos ? name : name.substr(n + 1);
}

// The model's new name for a pasted name, the name itself when it stays.
std::string NewName(const char* pszName)
{
    const char* pszNew = kvrWhatIsNewName(pszName);
    return pszNew && *pszNew ? pszNew : pszName;
}

// The application ID of an imported-application block: the number after
// the last "." of its custom type; -1 without one.
long ImportedAppID(const char* pszCustom)
{
    const char* pszDot = pszCustom ? std::strrchr(pszCustom, '.') : nullptr;
    if (!pszDot || !pszDot[1])
        return -1;
    char* pszEnd = nullptr;
    long nID = std::strtol(pszDot + 1, &pszEnd, 10);
    return pszEnd && *pszEnd == 0 ? nID : -1;
}

// The caller's list holds the End block only while the copy runs: it
// leaves again on every way out.
class EndBlockInList
{
public:
    EndBlockInList(std::vector<PowerBlock*>& blocks, PowerBlock* pEnd) : m_Blocks(blocks), m_pEnd(nullptr)
    {
        if (pEnd && std::find(blocks.begin(), blocks.end(), pEnd) == blocks.end())
        {
            blocks.push_back(pEnd);
            m_pEnd = pEnd;
        }
    }
    ~EndBlockInList()
    {
        if (!m_pEnd)
            return;
        auto it = std::find(m_Blocks.begin(), m_Blocks.end(), m_pEnd);
        if (it != m_Blocks.end())
            m_Blocks.erase(it);
    }

    bool IsAdded(const PowerBlock* pBlock) const { return pBlock == m_pEnd; }

private:
    std::vector<PowerBlock*>& m_Blocks;
    PowerBlock* m_pEnd;
};
}

void SetClipboardHost(ClipboardHost* pHost)
{
    s_pHost = pHost;
}

void SetClipboardProgram(ClipboardProgram* pClip)
{
    s_pClipboard = pClip;
}

ClipboardProgram* GetClipboardProgram()
{
    return s_pClipboard;
}

ClipboardProgram::ClipboardProgram()
    : Program(s_szClipPage, 1), m_nSourceID(PX_CLIP_NOSOURCE), m_pSource(nullptr), m_pClipPage(nullptr),
      m_pCopiedPage(nullptr), m_nPasteX(0), m_nPasteY(0), m_nSmallestY(0), m_nSmallestX(0), m_nEndBlock(0),
      m_nCopyKind(PX_CLIP_KIND_BLOCKS), m_bSmallestSet(false)
{
    m_pClipPage = new Page(this, s_szClipPage, PX_PAGE_MAIN, 0);
    m_pClipPage->SetOwner(this);
    GetPages().add(*m_pClipPage);
}

ClipboardProgram::~ClipboardProgram()
{
    m_nSourceID = PX_CLIP_NOSOURCE;
    if (s_pClipboard == this)
        s_pClipboard = nullptr;
}

void ClipboardProgram::UpdateSmallest(long x, long y)
{
    if (!m_bSmallestSet)
    {
        m_nSmallestX = x;
        m_nSmallestY = y;
        m_bSmallestSet = true;
        return;
    }
    m_nSmallestX = std::min(m_nSmallestX, x);
    m_nSmallestY = std::min(m_nSmallestY, y);
}

int ClipboardProgram::Clear()
{
    kvrEmptyClipboard();
    m_pClipPage->GetBlocks().flush(TShouldDelete::Delete);
    m_pClipPage->GetNotes().flush(TShouldDelete::Delete);
    std::vector<Page*> others;
    ListIterator it(GetPages());
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (&page != m_pClipPage)
            others.push_back(&page);
    }
    for (Page* pPage : others)
        GetPages().detach(*pPage, TShouldDelete::Delete);
    GetLibraryGroups().flush(TShouldDelete::Delete);
    // The model's libraries of the clipboard go with the groups.
    int nCount = GetHandle() ? kvrGetRLList(GetHandle(), nullptr, 0) : 0;
    if (nCount > 0)
    {
        std::unique_ptr<char[][KVR_MAX_RLL_NAME]> names(new char[nCount][KVR_MAX_RLL_NAME]);
        nCount = std::min(nCount, kvrGetRLList(GetHandle(), names.get(), nCount));
        for (int i = 0; i < nCount; ++i)
            kvrRemoveRLL(GetHandle(), names[i]);
    }
    m_nSourceID = PX_CLIP_NOSOURCE;
    m_pSource = nullptr;
    m_nEndBlock = 0;
    m_pCopiedPage = nullptr;
    m_bSmallestSet = false;
    m_nSmallestX = m_nSmallestY = 0;
    return 0;
}

PowerBlockInfo* ClipboardProgram::NewRecord(const PowerBlockInfo* pFrom)
{
    PowerBlockInfo* pRecord = new PowerBlockInfo;
    std::memcpy(pRecord, pFrom, sizeof(*pRecord));
    return pRecord;
}

// A block of the clipboard: made on the clipboard's page with the model's
// copy, never registered, never unregistered.
PowerBlock* ClipboardProgram::MakeCopy(Page* pOn, PowerBlock* pFrom, kvrHandleType* hCopy, PowerBlockInfo* pRecord)
{
    PowerBlock* pCopy = new PowerBlock(pOn, pFrom->GetName(), pRecord, pFrom->GetIcon(), pFrom->GetX(), pFrom->GetY(),
                                       nullptr, hCopy, 1, &pFrom->GetGotoBlocks());
    if (pFrom->GetType() >= -99)
        pCopy->SetFlags(pCopy->GetFlags() | PB_FLAG_PRIVATEINFO);
    pCopy->SetDescription(pFrom->GetDescription());
    std::memcpy(pCopy->GetVisibleSet(), pFrom->GetVisibleSet(), PB_SET_BYTES);
    std::memcpy(pCopy->GetExpandedSet(), pFrom->GetExpandedSet(), PB_SET_BYTES);
    if (*pFrom->GetCustomType())
    {
        pCopy->SetCustomType(pFrom->GetCustomType());
        pRecord->name = pCopy->GetCustomType();
    }
    pCopy->SetOwner(pOn);
    pOn->GetBlocks().addAtTail(*pCopy);
    return pCopy;
}

void ClipboardProgram::ImportCallLibrary(const char* pszPage, Program* pSource)
{
    std::string library = pszPage ? pszPage : "";
    size_t nDot = library.rfind('.');
    library = (nDot == std::string::npos ? library : library.substr(0, nDot)) + ".RLL";
    Activate();
    if (!FindLibraryGroup(library.c_str()) && kvrImportRLL(GetHandle(), library.c_str(), nullptr))
        LoadRllIcons(library.c_str());
    pSource->Activate();
}

int ClipboardProgram::CopyCalledPage(PowerBlock* pBlock, Program* pSource, Page* pSourcePage)
{
    const char* pszCalled = pBlock->GetInfo() && pBlock->GetInfo()->name ? pBlock->GetInfo()->name
                                                                        : pBlock->GetCustomType();
    if (Page* pCalled = pSource->FindPage(pszCalled))
    {
        if (FindPage(pCalled->GetName()))
            return 0;
        return CopyPage(pCalled, pSourcePage);
    }
    ImportCallLibrary(pszCalled, pSource);
    return 0;
}

int ClipboardProgram::CopyBlocks(std::vector<PowerBlock*>& blocks, Page* pSource)
{
    PXASSERT(pSource != 0);
    Program* pProgram = pSource->GetProgram();
    PXASSERT(pProgram != 0);
    m_nSourceID = pProgram->GetID();
    m_pSource = pProgram;
    EndBlockInList end(blocks, pSource->FindBlockByName(s_szEnd));

    for (PowerBlock* pBlock : blocks)
        if (pBlock->GetType() == KVR_PB_SUPERCALL)
        {
            int nResult = CopyCalledPage(pBlock, pProgram, pSource);
            if (nResult != 0)
                return nResult;
        }

    pSource->Activate();
    for (PowerBlock* pBlock : blocks)
    {
        if (pBlock->GetType() == KVR_PB_EXIT)
            m_nEndBlock = 1;
        // The page's End block comes along for the gotos that end there; it
        // is never pasted, so it does not move the pasted blocks.
        if (!end.IsAdded(pBlock))
            UpdateSmallest(pBlock->GetX(), pBlock->GetY());
        if (const char* pszCalled = kvrCheckForSuperVerInCopy(pBlock->GetName(), pSource->GetName()))
        {
            std::string called = pszCalled;
            if (Page* pCalled = pProgram->FindPage(called.c_str()))
            {
                int nResult = CopyPage(pCalled, pSource);
                if (nResult != 0)
                    return nResult;
            }
            pSource->Activate();
        }
        kvrSetClipType(KVR_CLIP_BLOCKS);
        int nResult = kvrCopyZiriraradur(pBlock->GetName());
        if (nResult != 0)
            return nResult;
        kvrHandleType* hCopy = kvrFindPowerBlock(pBlock->GetName(), 1, 1);
        if (hCopy && pBlock->GetInfo())
        {
            PowerBlockInfo* pRecord = NewRecord(pBlock->GetInfo());
            if (pBlock->GetType() < -99)
                m_CallRecords.emplace_back(pRecord);
            MakeCopy(m_pClipPage, pBlock, hCopy, pRecord);
        }
        if (pBlock->HasHandle())
        {
            PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(pBlock->GetType())), pBlock,
                                pBlock->GetHandle(), pBlock->GetType());
            record.CopyItemsToClip();
            record.CopyResPermsToClip();
        }
        if (pBlock->GetType() == KVR_PB_IMPORTED)
        {
            // The paste gives the target the library the block runs.
            if (GetHandle() && kvrImportRLL(GetHandle(), pBlock->GetCustomType(), nullptr))
                LoadRllIcons(pBlock->GetCustomType());
            if (s_pHost)
                s_pHost->CopyImportToClip(pBlock->GetCustomType());
        }
    }
    CopyGotos(pSource);
    return 0;
}

void ClipboardProgram::CopyNote(PXTextUI* pNote, Page* pOn, long dx, long dy, PasteSelection* pPane, bool bAdd)
{
    long left, right, top, bottom;
    pNote->GetRect(left, right, top, bottom);
    FontObject* pFont = nullptr;
    if (FontObject* pFrom = pNote->GetFontObject())
        pFont = new FontObject(pFrom->GetName(), *pFrom);
    PXTextUI* pCopy = new PXTextUI(pOn, left + dx, right + dx, top + dy, bottom + dy, pFont);
    pCopy->SetText(pNote->GetText());
    if (bAdd)
        pOn->AddNote(pCopy);
    else
    {
        pCopy->SetOwner(pOn);
        pOn->GetNotes().addAtTail(*pCopy);
    }
    if (pPane)
        pPane->AddPasted(pCopy);
}

int ClipboardProgram::CopyNotes(const std::vector<PXTextUI*>& notes, Page* pSource, int nBlocksCopied)
{
    PXASSERT(pSource != 0);
    if (!nBlocksCopied)
    {
        m_nSourceID = pSource->GetProgram() ? pSource->GetProgram()->GetID() : PX_CLIP_NOSOURCE;
        m_pSource = pSource->GetProgram();
        kvrSetClipType(KVR_CLIP_BLOCKS);
        m_bSmallestSet = false;
    }
    for (PXTextUI* pNote : notes)
    {
        long left, right, top, bottom;
        pNote->GetRect(left, right, top, bottom);
        UpdateSmallest(left, top);
        CopyNote(pNote, m_pClipPage, 0, 0, nullptr, false);
    }
    return 0;
}

int ClipboardProgram::CopyPage(Page* pPage, Page* pSource)
{
    PXASSERT(pPage != 0);
    if (FindPage(pPage->GetName()))
        return 0;
    Program* pProgram = pPage->GetProgram();
    PXASSERT(pProgram != 0);
    if (!m_pSource)
    {
        m_pSource = pProgram;
        m_nSourceID = pProgram->GetID();
    }
    std::string name = pPage->GetName();
    pProgram->Activate();
    kvrPageToCopy(name.c_str(), 1);
    Activate();
    Page* pNew = new Page(this, name.c_str(), pPage->GetKind(), 1);
    if (!pNew->HasHandle())
    {
        delete pNew;
        pProgram->Activate();
        return KVR_ERR_ARGUMENT;
    }
    pNew->SetComment(pPage->GetComment());
    pProgram->Activate();
    kvrSetClipType(KVR_CLIP_PAGE);
    kvrAddSymToClipboard(name.c_str());
    if (pPage == m_pCopiedPage)
        m_pCopiedPage = pNew;
    pNew->SetOwner(this);
    GetPages().addAtTail(*pNew);

    ListIterator it(pPage->GetBlocks());
    std::vector<PowerBlock*> blocks;
    while (it)
        blocks.push_back(&static_cast<PowerBlock&>(it++));
    for (PowerBlock* pBlock : blocks)
    {
        if (pBlock->GetType() == KVR_PB_SUPERCALL)
        {
            int nResult = CopyCalledPage(pBlock, pProgram, pSource);
            if (nResult != 0)
                return nResult;
        }
        pProgram->Activate();
        std::string qualified = name + "$" + pBlock->GetName();
        if (const char* pszCalled = kvrCheckForSuperVerInCopy(qualified.c_str(), name.c_str()))
        {
            std::string called = pszCalled;
            if (Page* pCalled = pProgram->FindPage(called.c_str()))
            {
                int nResult = CopyPage(pCalled, pSource);
                if (nResult != 0)
                    return nResult;
            }
            pProgram->Activate();
        }
        kvrSetClipType(KVR_CLIP_PAGE);
        int nResult = kvrCopyZiriraradur(qualified.c_str());
        if (nResult != 0)
            return nResult;
        std::string copyName = NewName(qualified.c_str());
        kvrHandleType* hCopy = kvrFindPowerBlock(copyName.c_str(), 1, 1);
        if (hCopy && pBlock->GetInfo())
        {
            PowerBlockInfo* pRecord = NewRecord(pBlock->GetInfo());
            kvrGetPowerBlockInfo(hCopy, pRecord);
            if (pBlock->GetType() < -99)
                m_CallRecords.emplace_back(pRecord);
            MakeCopy(pNew, pBlock, hCopy, pRecord);
        }
    }
    ListIterator notes(pPage->GetNotes());
    while (notes)
        CopyNote(&static_cast<PXTextUI&>(notes++), pNew, 0, 0, nullptr, false);
    pProgram->Activate();
    return 0;
}

void ClipboardProgram::CopyGotos(Page* pSource)
{
    PXASSERT(pSource != 0);
    Program* pProgram = pSource->GetProgram();
    ListIterator pages(GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        std::string from = NewName(page.GetName());
        Page* pFromPage = pProgram ? pProgram->FindPage(from.c_str()) : nullptr;
        if (!pFromPage || &page == m_pClipPage)
            pFromPage = pSource;
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            if (block.GetType() == KVR_PB_SUPERCALL)
                continue;
            PowerBlock* pOriginal = pFromPage->FindBlockByName(block.GetName());
            if (!pOriginal)
                continue;
            ListIterator gotos(pOriginal->GetGotos());
            while (gotos)
            {
                Goto& line = static_cast<Goto&>(gotos++);
                if (!line.GetTarget() || block.FindGoto(line.GetOutputName()))
                    continue;
                PowerBlock* pTarget = page.FindBlockByName(line.GetTarget()->GetName());
                if (!pTarget)
                    continue;
                Goto* pCopy = new Goto(line);
                pCopy->SetTarget(pTarget);
                pCopy->SetFlag(GOTO_FLAG_GROUP);
                pCopy->SetOwner(&block);
                block.AttachGoto(pCopy);
            }
        }
    }
}

void ClipboardProgram::ImportLibraries(Program* pTarget)
{
    int nCount = GetHandle() ? kvrGetRLList(GetHandle(), nullptr, 0) : 0;
    if (nCount <= 0 || !pTarget->GetHandle())
        return;
    std::unique_ptr<char[][KVR_MAX_RLL_NAME]> names(new char[nCount][KVR_MAX_RLL_NAME]);
    nCount = std::min(nCount, kvrGetRLList(GetHandle(), names.get(), nCount));
    long nAppID = TargetAppID(pTarget);
    for (int i = 0; i < nCount; ++i)
    {
        // An application does not import itself.
        if (ImportedAppID(names[i]) == nAppID)
            continue;
        if (kvrImportRLL(pTarget->GetHandle(), names[i], nullptr))
            pTarget->LoadRllIcons(names[i]);
    }
}

// A pasted block: the model's record with the copied block's outputs.
PowerBlock* ClipboardProgram::MakePasted(Page* pOn, PowerBlock* pFrom, const char* pszName, long x, long y,
                                         kvrHandleType* hPasted, Array* pTemplate)
{
    PowerBlockInfo* pRecord = NewRecord(pFrom->GetInfo());
    kvrGetPowerBlockInfo(hPasted, pRecord);
    std::memcpy(pRecord->outputs, pFrom->GetInfo()->outputs, sizeof(pRecord->outputs));
    pRecord->numOutputs = pFrom->GetInfo()->numOutputs;
    if (pFrom->GetType() < -99)
        m_CallRecords.emplace_back(pRecord);
    PowerBlock* pBlock = new PowerBlock(pOn, pszName, pRecord, pFrom->GetIcon(), x, y, nullptr, hPasted, 0, pTemplate);
    if (pFrom->GetType() >= -99)
        pBlock->SetFlags(pBlock->GetFlags() | PB_FLAG_PRIVATEINFO);
    pBlock->SetDescription(pFrom->GetDescription());
    std::memcpy(pBlock->GetVisibleSet(), pFrom->GetVisibleSet(), PB_SET_BYTES);
    std::memcpy(pBlock->GetExpandedSet(), pFrom->GetExpandedSet(), PB_SET_BYTES);
    return pBlock;
}

void ClipboardProgram::TakeCustomType(PowerBlock* pPasted, PowerBlock* pFrom, Program* pTarget)
{
    if (pFrom->GetType() == KVR_PB_SUPERCALL)
    {
        std::string called = NewName(pFrom->GetCustomType());
        if (pTarget->FindPage(called.c_str()))
            pPasted->SetCustomType(called.c_str());
        else
            pPasted->SetCustomType(pFrom->GetCustomType());
        pPasted->GetInfo()->name = pPasted->GetCustomType();
        pPasted->Refresh(0);
    }
    else if (*pFrom->GetCustomType())
    {
        pPasted->SetCustomType(pFrom->GetCustomType());
        pPasted->GetInfo()->name = pPasted->GetCustomType();
    }
}

// The copied block's gotos, led to the blocks of the page that the
// model's paste named after their targets ("End" stays "End").
void ClipboardProgram::PasteGotos(PowerBlock* pFrom, PowerBlock* pTo, Page* pOn)
{
    if (pFrom->GetType() == KVR_PB_SUPERCALL)
        return;
    Page* pFromPage = pFrom->GetPage();
    ListIterator gotos(pFrom->GetGotos());
    while (gotos)
    {
        Goto& line = static_cast<Goto&>(gotos++);
        if (!line.GetTarget() || pTo->FindGoto(line.GetOutputName()))
            continue;
        std::string target = line.GetTarget()->GetName();
        if (target != s_szEnd)
        {
            std::string qualified = pFromPage == m_pClipPage ? target : std::string(pFromPage->GetName()) + "$" + target;
            target = PlainName(NewName(qualified.c_str()));
        }
        PowerBlock* pTarget = pOn->FindBlockByName(target.c_str());
        PBOutputEntry* pEntry = pTo->FindOutput(line.GetOutputName());
        if (!pTarget || !pEntry)
            continue;
        Goto* pCopy = new Goto(line);
        pCopy->SetTarget(pTarget);
        if (!(pEntry->flags & KVR_OUTPUT_GROUP))
            pCopy->ClearFlag(GOTO_FLAG_GROUP);
        pCopy->SetOwner(pTo);
        pTo->AttachGoto(pCopy);
    }
}

int ClipboardProgram::Paste(Page* pTarget, PasteSelection* pPane, int nMode)
{
    PXASSERT(pTarget != 0);
    Program* pProgram = pTarget->GetProgram();
    PXASSERT(pProgram != 0);
    long nAppID = TargetAppID(pProgram);

    // The model plans the paste: which pages go with it, the new names.
    pTarget->Activate();
    int nResult = kvrPreparePaste(nMode);
    if (nResult != 0)
        return nResult;

    std::vector<Page*> made;
    ListIterator pages(GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        if (&page == m_pClipPage || !kvrIsSuperBeingPasted(page.GetName()))
            continue;
        std::string name = NewName(page.GetName());
        if (pProgram->FindPage(name.c_str()))
            continue;
        Page* pNew = new Page(pProgram, name.c_str(), page.GetKind(), 0);
        if (!pNew->HasHandle())
        {
            delete pNew;
            continue;
        }
        pProgram->AddPage(pNew);
        made.push_back(pNew);
    }
    ImportLibraries(pProgram);

    pTarget->Activate();
    nResult = kvrPasteZiriraradur(nMode, nAppID);
    if (nResult != 0)
    {
        for (Page* pPage : made)
            pProgram->RemovePage(pPage);
        return nResult;
    }

    std::vector<std::pair<PowerBlock*, PowerBlock*>> pasted;    // clipboard block, pasted block
    ListIterator copied(GetPages());
    while (copied)
    {
        Page& page = static_cast<Page&>(copied++);
        if (&page == m_pClipPage || !kvrIsSuperBeingPasted(page.GetName()))
            continue;
        std::string name = NewName(page.GetName());
        Page* pPastePage = pProgram->FindPage(name.c_str());
        if (!pPastePage)
            continue;
        std::vector<PowerBlock*> blocks;
        nResult = PastePage(pPastePage, page.GetName(), pTarget, blocks);
        if (nResult != 0)
            return nResult;
        ListIterator from(page.GetBlocks());
        while (from)
        {
            PowerBlock& block = static_cast<PowerBlock&>(from++);
            PowerBlock* pTo = pPastePage->FindBlockByName(block.GetName());
            if (pTo && std::find(blocks.begin(), blocks.end(), pTo) != blocks.end())
                pasted.emplace_back(&block, pTo);
        }
    }

    pTarget->Activate();
    ListIterator blocks(m_pClipPage->GetBlocks());
    while (blocks)
    {
        PowerBlock& block = static_cast<PowerBlock&>(blocks++);
        long x = m_nPasteX + block.GetX() - m_nSmallestX;
        long y = m_nPasteY + block.GetY() - m_nSmallestY;
        std::string newName = NewName(block.GetName());
        std::string plain = PlainName(newName);
        if (block.GetType() == KVR_PB_IMPORTED && ImportedAppID(block.GetCustomType()) == nAppID)
        {
            char szID[16];
            wsprintfA(szID, "%ld", nAppID);
            PXArgList message(IDS_MODEL_IMPORTSELF, szID);
            PXGetWinApp()->Report(PX_CAUSE_PASTE, PXICON_EXCLAMATION, PXBTN_OKCANCEL, PXANS_OK, &message, nullptr, 0,
                                  __FILE__, __LINE__);
            continue;
        }
        kvrHandleType* hPasted = kvrFindPowerBlock(newName.c_str(), 1, 0);
        // A block the paste did not make (the End block stays the page's
        // own) is not the clipboard's to mirror.
        if (!hPasted || pProgram->FindBlockByHandle(hPasted) || !block.GetInfo())
            continue;
        PowerBlock* pBlock = MakePasted(pTarget, &block, plain.c_str(), x, y, hPasted, &block.GetGotoBlocks());
        TakeCustomType(pBlock, &block, pProgram);
        pTarget->AddObject(pBlock);
        if (pPane)
            pPane->AddPasted(pBlock);
        pasted.emplace_back(&block, pBlock);
    }

    for (auto& pair : pasted)
    {
        PowerBlock* pBlock = pair.second;
        if (!pBlock->HasHandle())
            continue;
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(pBlock->GetType())), pBlock,
                            pBlock->GetHandle(), pBlock->GetType());
        record.AddItemRefs();
    }
    // The gotos between pasted blocks, then each block in step with the
    // model's connections.
    for (auto& pair : pasted)
        PasteGotos(pair.first, pair.second, pair.second->GetPage());
    for (auto& pair : pasted)
        if (pair.first->GetType() != KVR_PB_SUPERCALL)
            pair.second->SyncGotos(0, 0, 0);
    return 0;
}

int ClipboardProgram::PastePage(Page* pTarget, const char* pszName, Page* pPastePage, std::vector<PowerBlock*>& pasted)
{
    PXASSERT(pTarget != 0);
    pTarget->Activate();
    Page* pFrom = FindPage(pszName);
    if (!pFrom)
        return 1;
    Program* pProgram = pTarget->GetProgram();
    std::string pageName = NewName(pszName);
    ListIterator blocks(pFrom->GetBlocks());
    while (blocks)
    {
        PowerBlock& block = static_cast<PowerBlock&>(blocks++);
        std::string qualified = pageName + "$" + block.GetName();
        std::string newName = NewName((std::string(pszName) + "$" + block.GetName()).c_str());
        if (newName == std::string(pszName) + "$" + block.GetName())
            newName = qualified;
        kvrHandleType* hPasted = kvrFindPowerBlock(newName.c_str(), 1, 0);
        if (!hPasted || !block.GetInfo() || pProgram->FindBlockByHandle(hPasted))
            continue;
        PowerBlock* pBlock = MakePasted(pTarget, &block, PlainName(newName).c_str(), block.GetX(), block.GetY(),
                                        hPasted, nullptr);
        TakeCustomType(pBlock, &block, pProgram);
        pTarget->AddObject(pBlock);
        pasted.push_back(pBlock);
    }
    pTarget->SetComment(pFrom->GetComment());
    ListIterator notes(pFrom->GetNotes());
    while (notes)
        CopyNote(&static_cast<PXTextUI&>(notes++), pTarget, 0, 0, nullptr, true);
    if (pPastePage && pPastePage->GetProgram())
        pPastePage->GetProgram()->Activate();
    return 0;
}

int ClipboardProgram::PasteNotes(Page* pTarget, PasteSelection* pPane)
{
    PXASSERT(pTarget != 0);
    std::vector<PXTextUI*> notes;
    ListIterator it(m_pClipPage->GetNotes());
    while (it)
        notes.push_back(&static_cast<PXTextUI&>(it++));
    for (PXTextUI* pNote : notes)
        CopyNote(pNote, pTarget, m_nPasteX - m_nSmallestX, m_nPasteY - m_nSmallestY, pPane, true);
    return 0;
}
