// Loading and saving whole programs: the file forms are recognised, the
// sections run in their fixed order, the repair pass follows a load, and a
// save reaches the disk whole before it replaces the last good file.
#include "ProgramFile.h"
#include "ProgramFileState.h"

#include "DrawHelpers.h"
#include "FileBuffer.h"
#include "Goto.h"
#include "IDIndex.h"
#include "Icons.h"
#include "LSReport.h"
#include "LSStream.h"
#include "ModelRes.h"
#include "PXMsgBox.h"
#include "PXTextUI.h"
#include "PXVLSFld.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

namespace
{
PXFileState g_state;
int g_bBatchError = 0;
char g_szServerVersion[64] = "";

const char HEADER_TEXT[] = "Zantrel Plexwright Graphical Editor File";
const char TEXT_MAGIC[] = "{FileHeader}";
// The binary form's magic, with its terminating zero.
const char BINARY_MAGIC[] = "Kalverodin graphical editor program file.\n\n\x1A";
const int BINARY_HEAD = 92;
const int BUSY_START = 3;
const int BUSY_END = 2;

enum
{
    SEC_SEGMENTS = 0,
    SEC_GOTOS = 1,
    SEC_GOTOBLOCKS = 2,
    SEC_BLOCKS = 3,
    SEC_PAGES = 4,
    SEC_PROGRAM = 5,
    SEC_HEADER = 10,
    SEC_TEXTNOTES = 22
};

CString Text(UINT nId)
{
    CString s;
    s.LoadString(nId);
    return s;
}

void Box(const char* pszText, UINT nCaption, UINT uIcon)
{
    PXMessageBox(PXGetMainWindow(), pszText, Text(nCaption), uIcon | MB_OK);
}

// A line of a save's batch log (no "ERROR: " prefix, no flag).
void SaveLog(const char* pszText)
{
    if (g_state.pLog)
    {
        std::fputs(pszText, g_state.pLog);
        std::fputs("\n", g_state.pLog);
        std::fflush(g_state.pLog);
    }
}

// ---- The icon table --------------------------------------------------------

std::vector<PowerBlockIcon*> g_icons;

void EnterIcons(Icons* pIcons)
{
    if (!pIcons)
        return;
    ListIterator groups(pIcons->GetGroups());
    while (groups)
    {
        GroupIcon& group = static_cast<GroupIcon&>(groups++);
        ListIterator icons(group.GetIcons());
        while (icons)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(icons++);
            PowerBlockInfo* pInfo = icon.GetInfo();
            if (pInfo && pInfo->type >= 0 && pInfo->type < static_cast<int>(g_icons.size()))
                g_icons[pInfo->type] = &icon;
        }
    }
}

bool BuildIconTable()
{
    int nTypes = kvrMaxPowerBlockType();
    try
    {
        g_icons.assign(nTypes > 0 ? static_cast<size_t>(nTypes) : 0u, nullptr);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    EnterIcons(Icons::GetCurrent());
    EnterIcons(Icons::GetObsolete());
    return true;
}

PowerBlockIcon* ObsoletedIcon()
{
    static PowerBlockInfo s_info;
    static PowerBlockIcon* s_pIcon = nullptr;
    if (!s_pIcon)
    {
        std::memset(&s_info, 0, sizeof(s_info));
        s_info.name = "Obsoleted";
        s_info.description = "";
        s_info.bitmapName = "";
        s_info.type = KVR_PB_OBSOLETE;
        s_pIcon = new PowerBlockIcon(&s_info);
    }
    return s_pIcon;
}

// ---- Loading ----------------------------------------------------------------

// Reads the objects of one section: true at its end tag, false when the
// load must stop.
template <class T>
bool ReadSection(LSStream& stream)
{
    for (;;)
    {
        T* pObject = new (std::nothrow) T();
        if (!pObject)
            return false;
        int nResult = pObject->ReadText(stream);
        // What its record did not attach to the program is the loader's.
        if (!pObject->GetOwner())
            delete pObject;
        if (nResult == 0)
            return false;
        if (nResult == 2)
            return true;
    }
}

void SkipLine()
{
    CString line;
    LSReadLine(line);
}

long ReadCounterLine()
{
    CString line;
    if (!LSReadLine(line))
        return 0;
    return std::strtol(line, nullptr, 10);
}

// The text form after its first line. False for the read error; bSilent
// when the user stopped at the header and wants no further message.
bool LoadText(LSStream& stream, Program* pProgram, bool& bSilent)
{
    g_state.nPromptMode = g_state.pLog ? LS_PROMPT_STOP : LS_PROMPT_ASK;
    AbstrRecord header;
    STRING_Field* pHeader = new STRING_Field("Header", 256);
    STRING_Field* pVersion = new STRING_Field("Version", 16);
    header.AddField(pHeader);
    header.AddField(pVersion);
    int n = header.ReadLine(SEC_HEADER);
    if (n == 0 && stream.AtEnd())
        return false;
    if (n == 1)
        SkipLine();
    else if (!PXFilePrompt(nullptr, IDS_FILE_BADHEADER, SEC_HEADER))
    {
        // The user who stopped wants no further message; a batch, which
        // stops by itself, must still log the failure and set its flag.
        bSilent = g_state.pLog == nullptr;
        return false;
    }
    if (!PXFileParseVersion(pVersion->GetText(), g_state.version))
        return false;

    FILE* fp = g_state.pFile->file();
    pProgram->Activate();
    if (kvrReadProgram(fp, fp, g_state.nPromptMode, nullptr) != 0)
        return false;
    pProgram->RefreshRllIcons();

    g_state.nPromptMode = g_state.pLog ? LS_PROMPT_STOP : LS_PROMPT_ASK;
    SkipLine();
    if (!pProgram->ReadText(stream))
        return false;
    SkipLine();
    SkipLine();
    if (!ReadSection<Page>(stream))
        return false;
    SkipLine();
    if (!ReadSection<PowerBlock>(stream))
        return false;
    SkipLine();
    if (!ReadSection<GotoBlock>(stream))
        return false;
    SkipLine();
    if (!ReadSection<Goto>(stream))
        return false;
    SkipLine();
    if (!ReadSection<Segment>(stream))
        return false;
    if (!PXFileVersionBelow("6.0"))
    {
        SkipLine();
        if (!ReadSection<PXTextUI>(stream))
            return false;
    }
    pProgram->SetIDCounter(ReadCounterLine());
    return true;
}

ProgramObject* MakeRecord(unsigned short nType)
{
    switch (nType)
    {
    case PX_CLASS_PAGE: return new (std::nothrow) Page();
    case PX_CLASS_POWERBLOCK: return new (std::nothrow) PowerBlock();
    case PX_CLASS_GOTO: return new (std::nothrow) Goto();
    case PX_CLASS_SEGMENT: return new (std::nothrow) Segment();
    case PX_CLASS_GOTOBLOCK: return new (std::nothrow) GotoBlock();
    default: return nullptr;
    }
}

enum BinaryResult
{
    BIN_DONE,
    BIN_READERROR,
    BIN_REPORTED        // the load ended with its own message
};

BinaryResult LoadBinary(FileBuffer& file, const unsigned char* pHead, Program* pProgram)
{
    char szVersion[13];
    std::memcpy(szVersion, pHead + 80, 12);
    szVersion[12] = '\0';
    if (!PXFileParseVersion(szVersion, g_state.version))
        return BIN_READERROR;
    pProgram->Activate();
    if (kvrReadProgram(file.file(), nullptr, LS_PROMPT_ASK, nullptr) != 0)
        return BIN_READERROR;
    pProgram->RefreshRllIcons();

    unsigned short nType = 0;
    if (!file.read_word(nType) || nType != PX_CLASS_PROGRAM || !pProgram->ReadBinary(file))
        return BIN_READERROR;
    for (;;)
    {
        if (!file.read_word(nType))
            return BIN_READERROR;
        if (nType == 0xFFFF)
            break;
        if (nType != PX_CLASS_PAGE && nType != PX_CLASS_POWERBLOCK && nType != PX_CLASS_GOTO &&
            nType != PX_CLASS_SEGMENT && nType != PX_CLASS_GOTOBLOCK)
        {
            PXFileMessage(IDS_FILE_BADRECORD, IDS_FILE_ERRORCAPTION, MB_ICONSTOP, true);
            return BIN_REPORTED;
        }
        ProgramObject* pObject = MakeRecord(nType);
        if (!pObject)
        {
            char szType[16];
            std::snprintf(szType, sizeof(szType), "%u", nType);
            if (g_state.pLog)
                PXFileBatchError((Text(IDS_FILE_BATCHNOMEMRECORD) + szType + "]"));
            else
            {
                char szText[128];
                std::snprintf(szText, sizeof(szText), Text(IDS_FILE_NOMEMRECORD), static_cast<int>(nType));
                Box(szText, IDS_FILE_ERRORCAPTION, MB_ICONSTOP);
            }
            return BIN_REPORTED;
        }
        bool bRead = pObject->ReadBinary(file);
        if (!pObject->GetOwner())
            delete pObject;
        if (!bRead)
            return BIN_READERROR;
    }
    long nCounter = 0;
    if (!file.read_long(nCounter))
        return BIN_READERROR;
    pProgram->SetIDCounter(nCounter);
    return BIN_DONE;
}

bool IsRepairedType(int nType)
{
    return nType == 178 || nType == 11 || nType == 229 || nType == 309;
}

void RepairPass(Program* pProgram)
{
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            if (!block.OutputsChanged())
                continue;
            block.SyncOutputs();
            if (PXFileVersionBelow("9.0") && IsRepairedType(block.GetType()))
                block.RepairOutputs();
            block.SyncGotos(0, 0, 1);
        }
    }
}

// The model names of the program's symbols of one type; copies, since
// removing a model object releases its symbol.
std::vector<std::string> ModelNames(int nType)
{
    std::vector<std::string> names;
    int n = kvrGetTreeSize(nType);
    if (n <= 0)
        return names;
    std::vector<Symbol*> symbols(n);
    n = kvrGetATypeOfSymbols(symbols.data(), nType);
    for (int i = 0; i < n && i < static_cast<int>(symbols.size()); ++i)
        names.push_back(symbols[i]->Name);
    return names;
}

// A repaired load may drop pages and blocks of the program part that the
// model's part had made: the model lets them go too, so that it holds no
// object the editor cannot show, save or rename around.
void DropModelObjectsNotLoaded(Program* pProgram)
{
    pProgram->Activate();
    // The model handles the loaded program holds, gathered once: a program
    // has thousands of blocks, and each model block is looked up in them.
    std::unordered_set<kvrHandleType*> pages, blocks;
    for (ListIterator it(pProgram->GetPages()); it;)
    {
        Page& page = static_cast<Page&>(it++);
        pages.insert(page.GetHandle());
        for (ListIterator it2(page.GetBlocks()); it2;)
            blocks.insert(static_cast<PowerBlock&>(it2++).GetHandle());
    }
    for (const std::string& name : ModelNames(KVR_SYM_PAGE))
    {
        kvrHandleType* hPage = kvrFindPage(name.c_str());
        if (hPage && !pages.count(hPage))
            kvrRemovePage(hPage, 0);
    }
    for (const std::string& name : ModelNames(KVR_SYM_POWERBLOCK))
    {
        kvrHandleType* hBlock = kvrFindPowerBlock(name.c_str(), 1, 0);
        if (hBlock && !blocks.count(hBlock))
            kvrDeletePowerBlock(hBlock, 0);
    }
}

Program* LoadFailed(Program* pProgram, bool bSilent)
{
    if (!bSilent)
        PXFileMessage(IDS_FILE_READERROR, IDS_FILE_ERRORCAPTION, MB_ICONSTOP, true);
    LSStream& stream = LSGetStream();
    if (stream.IsOpen())
        LSCloseFile(stream);
    delete pProgram;
    IDIndex::Get().Empty();
    SetBusyCursor(BUSY_END, 0, 0);
    g_state.pProgram = nullptr;
    g_state.pFile = nullptr;
    return nullptr;
}

// ---- Saving -----------------------------------------------------------------

template <class T>
bool WriteEach(List& list, LSStream& stream)
{
    ListIterator it(list);
    while (it)
        if (!static_cast<T&>(it++).WriteText(stream))
            return false;
    return true;
}

bool WriteAll(LSStream& stream, Program* pProgram, const char* pszVersion)
{
    if (!LSWriteSectionTag(SEC_HEADER, FALSE))
        return false;
    AbstrRecord header;
    STRING_Field* pHeader = new STRING_Field("Header", 256);
    STRING_Field* pVersion = new STRING_Field("Version", 16);
    header.AddField(pHeader);
    header.AddField(pVersion);
    pHeader->Set(HEADER_TEXT);
    pVersion->Set(pszVersion);
    if (!header.WriteLine(SEC_HEADER) || !LSWriteSectionTag(SEC_HEADER, TRUE))
        return false;

    FILE* fp = g_state.pFile->file();
    pProgram->Activate();
    if (kvrWriteProgram(fp, fp, LS_PROMPT_ASK) != 0)
        return false;

    if (!LSWriteSectionTag(SEC_PROGRAM, FALSE) || !pProgram->WriteText(stream) ||
        !LSWriteSectionTag(SEC_PROGRAM, TRUE))
        return false;

    List& pages = pProgram->GetPages();
    if (!LSWriteSectionTag(SEC_PAGES, FALSE) || !WriteEach<Page>(pages, stream) ||
        !LSWriteSectionTag(SEC_PAGES, TRUE))
        return false;

    if (!LSWriteSectionTag(SEC_BLOCKS, FALSE))
        return false;
    for (ListIterator it(pages); it;)
        if (!WriteEach<PowerBlock>(static_cast<Page&>(it++).GetBlocks(), stream))
            return false;
    if (!LSWriteSectionTag(SEC_BLOCKS, TRUE) || !LSWriteSectionTag(SEC_GOTOBLOCKS, FALSE))
        return false;
    for (ListIterator it(pages); it;)
    {
        for (ListIterator blocks(static_cast<Page&>(it++).GetBlocks()); blocks;)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            Array& stubs = block.GetGotoBlocks();
            int nStubs = stubs.getItemsInContainer();
            for (int i = 0; i < nStubs; ++i)
                if (!static_cast<GotoBlock&>(stubs[i]).WriteText(stream))
                    return false;
        }
    }
    if (!LSWriteSectionTag(SEC_GOTOBLOCKS, TRUE) || !LSWriteSectionTag(SEC_GOTOS, FALSE))
        return false;
    for (ListIterator it(pages); it;)
        for (ListIterator blocks(static_cast<Page&>(it++).GetBlocks()); blocks;)
            if (!WriteEach<Goto>(static_cast<PowerBlock&>(blocks++).GetGotos(), stream))
                return false;
    if (!LSWriteSectionTag(SEC_GOTOS, TRUE) || !LSWriteSectionTag(SEC_SEGMENTS, FALSE))
        return false;
    for (ListIterator it(pages); it;)
    {
        for (ListIterator blocks(static_cast<Page&>(it++).GetBlocks()); blocks;)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            for (ListIterator gotos(block.GetGotos()); gotos;)
            {
                Goto& line = static_cast<Goto&>(gotos++);
                // A goto whose output is gone was left out (after its
                // prompt): its lines go with it, or the file would name a
                // goto it does not hold.
                if (!block.FindOutput(line.GetOutputName()))
                    continue;
                for (int i = 0; i < line.GetSegmentCount(); ++i)
                    if (!line.GetSegment(i)->WriteText(stream))
                        return false;
            }
        }
    }
    if (!LSWriteSectionTag(SEC_SEGMENTS, TRUE) || !LSWriteSectionTag(SEC_TEXTNOTES, FALSE))
        return false;
    for (ListIterator it(pages); it;)
        if (!WriteEach<PXTextUI>(static_cast<Page&>(it++).GetNotes(), stream))
            return false;
    if (!LSWriteSectionTag(SEC_TEXTNOTES, TRUE))
        return false;
    char szCounter[16];
    std::snprintf(szCounter, sizeof(szCounter), "%ld", pProgram->GetIDCounter());
    return LSWriteLine(szCounter) && !stream.WriteFailed();
}
} // namespace

// ---- Shared helpers of the record readers and writers ----------------------

namespace
{
int g_nBusy = 0;

// Marks a load or save under way for as long as it runs.
struct BusyMark
{
    BusyMark() { ++g_nBusy; }
    ~BusyMark() { --g_nBusy; }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;
};
}

bool PXFileIsBusy()
{
    return g_nBusy > 0;
}

PXFileState& PXFileGetState()
{
    return g_state;
}

BOOL PXFilePrompt(const char* pszName, UINT nText, int nCode)
{
    CString text(pszName ? pszName : "");
    text += Text(nText);
    return LSReportError(g_state.nPromptMode, text, nCode);
}

bool PXFileBlockHeld(kvrHandleType* hBlock)
{
    return g_state.heldBlocks.count(hBlock) != 0;
}

void PXFileHoldBlock(kvrHandleType* hBlock)
{
    g_state.heldBlocks.insert(hBlock);
}

void PXFileNoteID(long nID)
{
    if (nID > g_state.nHighestID)
        g_state.nHighestID = nID;
}

void PXFileBatchError(const char* pszText)
{
    if (!g_state.pLog)
        return;
    std::fputs(Text(IDS_FILE_BATCHERROR), g_state.pLog);
    std::fputs(pszText, g_state.pLog);
    std::fputs("\n", g_state.pLog);
    std::fflush(g_state.pLog);
    g_bBatchError = 1;
}

void PXFileMessage(UINT nText, UINT nCaption, UINT uIcon, bool bBatch, const char* pszInsert)
{
    CString text = Text(nText);
    if (pszInsert)
        text += pszInsert;
    if (bBatch && g_state.pLog)
        PXFileBatchError(text);
    else
        Box(text, nCaption, uIcon);
}

void PXFileInconsistent(UINT nCaption)
{
    Box(Text(IDS_FILE_INCONSISTENT), nCaption, MB_ICONSTOP);
}

void PXFileObsoleteGoto(const char* pszBlock)
{
    if (g_state.pLog)
    {
        PXFileBatchError(Text(IDS_FILE_BATCHOBSOLETEGOTO) + (pszBlock ? pszBlock : ""));
        return;
    }
    char szText[256];
    std::snprintf(szText, sizeof(szText), Text(IDS_FILE_OBSOLETEGOTO), pszBlock ? pszBlock : "");
    Box(szText, IDS_FILE_WARNINGCAPTION, MB_ICONEXCLAMATION);
}

// ---- Public operations --------------------------------------------------------

int PXGetBatchError()
{
    return g_bBatchError;
}

void PXSetBatchError(int bError)
{
    g_bBatchError = bError ? 1 : 0;
}

void PXFileSetServerVersion(const char* pszVersion)
{
    std::snprintf(g_szServerVersion, sizeof(g_szServerVersion), "%s", pszVersion ? pszVersion : "");
}

void PXFileVersionText(char* pszBuffer, size_t cbBuffer)
{
    if (!pszBuffer || cbBuffer < PX_FILE_VERSION_TEXT_MAX)
        return;
    const char* psz = g_szServerVersion;
    auto at1 = [psz](const char* pszPart) {
        const char* p = std::strstr(psz, pszPart);
        return p == psz + 1;
    };
    const char* pszResult = "V9.01";
    if (*psz && !at1("2.0") && (at1("1.07") || at1("1.06") || at1("1.0")))
        pszResult = "V9.00";
    std::strcpy(pszBuffer, pszResult);
}

PXFileVersion::PXFileVersion(const char* pszNumber)
{
    const char* p = pszNumber ? pszNumber : "";
    while (*p == '0')
        ++p;
    const char* pWhole = p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
        ++p;
    m_strWhole.assign(pWhole, p);
    if (*p != '.')
        return;
    const char* pFraction = ++p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
        ++p;
    m_strFraction.assign(pFraction, p);
    while (!m_strFraction.empty() && m_strFraction.back() == '0')
        m_strFraction.pop_back();
}

int PXFileVersion::Compare(const PXFileVersion& rOther) const
{
    // Whole parts without leading zeros: the longer is the larger.
    if (m_strWhole.size() != rOther.m_strWhole.size())
        return m_strWhole.size() < rOther.m_strWhole.size() ? -1 : 1;
    int n = m_strWhole.compare(rOther.m_strWhole);
    if (n != 0)
        return n < 0 ? -1 : 1;
    // Fractions without trailing zeros compare digit by digit.
    n = m_strFraction.compare(rOther.m_strFraction);
    return n < 0 ? -1 : n > 0 ? 1 : 0;
}

bool PXFileParseVersion(const char* pszText, PXFileVersion& rVersion)
{
    const char* p = pszText ? std::strchr(pszText, 'V') : nullptr;
    if (!p)
        return false;
    ++p;
    while (*p == ' ' || *p == '\t')
        ++p;
    rVersion = PXFileVersion(p);
    return true;
}

bool PXFileVersionBelow(const char* pszGate)
{
    return g_state.version < PXFileVersion(pszGate);
}

bool PXFileVersionAtMost(const char* pszGate)
{
    return g_state.version <= PXFileVersion(pszGate);
}

PowerBlockIcon* IconForBlockType(int nType, int& nOutType)
{
    if (nType >= 0 && nType < static_cast<int>(g_icons.size()) && g_icons[nType] && g_icons[nType]->GetInfo())
    {
        nOutType = nType;
        return g_icons[nType];
    }
    nOutType = KVR_PB_OBSOLETE;
    return ObsoletedIcon();
}

bool PXFileMakeBackup(const char* pszPath, char* pszBackup, int nSize)
{
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR], szName[_MAX_FNAME], szExt[_MAX_EXT];
    if (!pszPath || std::strlen(pszPath) >= _MAX_PATH)
        return false;
    _splitpath(pszPath, szDrive, szDir, szName, szExt);
    int n = std::snprintf(pszBackup, static_cast<size_t>(nSize), "%s%s%s.BAK", szDrive, szDir, szName);
    if (n < 0 || n >= nSize)
        return false;
    PXFileDeleteBackups(pszBackup);
    return true;
}

void PXFileDeleteBackups(const char* pszBackup)
{
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR], szName[_MAX_FNAME], szExt[_MAX_EXT];
    _splitpath(pszBackup, szDrive, szDir, szName, szExt);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(pszBackup, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::string path = std::string(szDrive) + szDir + fd.cFileName;
        if (!DeleteFileA(path.c_str()))
            Box(Text(IDS_FILE_BACKUPLOCKED), IDS_FILE_WARNINGCAPTION, MB_ICONEXCLAMATION);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

void PXFileCheckBlock(PowerBlock* pBlock, int bResetVisibility)
{
    kvrHandleType* hBlock = pBlock->GetHandle();
    if (!hBlock)
        return;
    if (pBlock->GetType() == KVR_PB_OBSOLETE)
        kvrTurnObsoletePBPink(hBlock);
    if (pBlock->GetType() > KVR_PB_CUSTOM && kvrUsesDefaultPowerBlockInfo(hBlock) == 0)
        pBlock->Refresh(bResetVisibility);
}

bool PXFileModelTypeMatches(const PowerBlock* pBlock, kvrHandleType* hBlock)
{
    int nType = pBlock->GetType();
    if (nType <= KVR_PB_CUSTOM || nType == KVR_PB_OBSOLETE)
        return true;
    PowerBlockInfo info;
    std::memset(&info, 0, sizeof(info));
    return kvrGetPowerBlockInfo(hBlock, &info) && info.type == nType;
}

void PXFileCheckGotoStart(PowerBlock* pStart, bool bVerifyCalls)
{
    kvrHandleType* hStart = pStart->GetHandle();
    if (!hStart)
        return;
    if (pStart->GetType() == KVR_PB_OBSOLETE)
        kvrTurnObsoletePBPink(hStart);
    if (bVerifyCalls && pStart->GetType() == KVR_PB_SUPERCALL)
        kvrVerifyPBEntries(hStart);
}

int PXFileAddOldBlock(PowerBlockInfo* pInfo, Page* pPage, GroupIcon* pCustomGroup)
{
    PowerBlockIcon* pIcon = nullptr;
    int nType = pInfo->type;
    if (nType == KVR_PB_CUSTOM && pCustomGroup)
    {
        ListIterator it(pCustomGroup->GetIcons());
        while (it)
        {
            PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(it++);
            if (icon.GetInfo() && icon.GetInfo()->name && pInfo->name &&
                std::strcmp(icon.GetInfo()->name, pInfo->name) == 0)
                pIcon = &icon;
        }
    }
    if (!pIcon)
        pIcon = IconForBlockType(nType, nType);
    int nBlocks = pPage->GetBlocks().getItemsInContainer();
    long x = (nBlocks % 8) * 256 + 50;
    long y = (nBlocks / 8) * 112 + 50;
    int nRetry = 0;
    PowerBlock* pBlock = new (std::nothrow)
        PowerBlock(pPage, pInfo->name, pIcon->GetInfo(), pIcon, x, y, &nRetry, nullptr, 0, nullptr);
    if (!pBlock || !pBlock->HasHandle())
    {
        delete pBlock;
        Box(Text(IDS_FILE_NOMEMBLOCK), IDS_FILE_ERRORCAPTION, MB_ICONSTOP);
        return 0;
    }
    if (pBlock->GetType() == KVR_PB_OBSOLETE)
        kvrTurnObsoletePBPink(pBlock->GetHandle());
    pPage->AddObject(pBlock);
    return 1;
}

int PXFileLoadOldProgram(FileBuffer& file, FILE* pLog)
{
    Program* pProgram = g_state.pProgram;
    if (!file.seek(0))
        return 0;
    pProgram->Activate();
    if (kvrReadProgram(file.file(), nullptr, LS_PROMPT_ASK, pLog) != 0)
        return 0;
    Page* pMain = new (std::nothrow) Page(pProgram, "Main", PX_PAGE_MAIN, 0);
    if (!pMain || !pMain->HasHandle())
    {
        delete pMain;
        return 0;
    }
    pProgram->AddPage(pMain);
    PowerBlockInfo info;
    while (kvrGetPowerBlockInfo(pProgram->GetHandle(), &info))
        if (!PXFileAddOldBlock(&info, pMain, pProgram->GetCustomGroup()))
            return 0;
    ListIterator blocks(pMain->GetBlocks());
    while (blocks)
    {
        PowerBlock& block = static_cast<PowerBlock&>(blocks++);
        if (kvrUsesDefaultPowerBlockInfo(block.GetHandle()) == 0)
            block.Refresh(1);
        block.SyncGotos(0, 1, 0);
    }
    return 1;
}

Program* PXFileLoadProgram(const char* pszPath, FILE* pLog)
{
    BusyMark busy;
    g_state = PXFileState();
    g_state.pLog = pLog;
    IDIndex::Get().Empty();
    FileBuffer file(pszPath, "rb");
    if (!file.is_open())
    {
        PXFileMessage(IDS_FILE_NOOPEN, IDS_FILE_ERRORCAPTION, MB_ICONEXCLAMATION, true);
        return nullptr;
    }
    g_state.pFile = &file;
    if (!BuildIconTable())
    {
        PXFileMessage(IDS_FILE_NOMEMICONS, IDS_FILE_ERRORCAPTION, MB_ICONSTOP, false);
        return nullptr;
    }
    Program* pProgram = new (std::nothrow) Program(pszPath, 0);
    if (!pProgram || !pProgram->HasHandle())
    {
        // A program the model refused has been reported by the model.
        if (!pProgram)
        {
            if (pLog)
                PXFileBatchError(Text(IDS_FILE_BATCHNOMEMPROGRAM) + pszPath + ".");
            else
                Box(Text(IDS_FILE_NOMEMPROGRAM), IDS_FILE_ERRORCAPTION, MB_ICONSTOP);
        }
        delete pProgram;
        return nullptr;
    }
    g_state.pProgram = pProgram;
    SetBusyCursor(BUSY_START, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
    g_state.bTextLoad = TRUE;
    LSStream& stream = LSAttachFile(LS_READ, file);
    if (!stream.IsOpen())
    {
        PXFileMessage(IDS_FILE_NOOPEN, IDS_FILE_ERRORCAPTION, MB_ICONEXCLAMATION, true);
        delete pProgram;
        SetBusyCursor(BUSY_END, 0, 0);
        return nullptr;
    }

    CString first;
    LSReadLine(first);
    bool bSilent = false;
    if (std::strncmp(first, TEXT_MAGIC, sizeof(TEXT_MAGIC) - 1) == 0)
    {
        if (!LoadText(stream, pProgram, bSilent))
            return LoadFailed(pProgram, bSilent);
        LSCloseFile(stream);
    }
    else
    {
        g_state.bTextLoad = FALSE;
        LSCloseFile(stream);
        unsigned char head[BINARY_HEAD];
        if (!file.seek(0) || !file.read(head, BINARY_HEAD))
            return LoadFailed(pProgram, false);
        if (std::memcmp(head, BINARY_MAGIC, sizeof(BINARY_MAGIC)) != 0)
        {
            if (!PXFileLoadOldProgram(file, pLog))
                return LoadFailed(pProgram, false);
            pProgram->ClearModified();
            IDIndex::Get().Empty();
            SetBusyCursor(BUSY_END, 0, 0);
            g_state.pProgram = nullptr;
            g_state.pFile = nullptr;
            return pProgram;
        }
        BinaryResult result = LoadBinary(file, head, pProgram);
        if (result != BIN_DONE)
            return LoadFailed(pProgram, result == BIN_REPORTED);
    }

    // New objects must never take a number that a loaded object holds.
    if (pProgram->GetIDCounter() < g_state.nHighestID)
        pProgram->SetIDCounter(g_state.nHighestID);
    RepairPass(pProgram);
    DropModelObjectsNotLoaded(pProgram);
    pProgram->ClearModified();
    IDIndex::Get().Empty();
    SetBusyCursor(BUSY_END, 0, 0);
    g_state.pProgram = nullptr;
    g_state.pFile = nullptr;
    return pProgram;
}

int PXFileSaveProgram(const char* pszPath, Program* pProgram, FILE* pLog)
{
    PXASSERT(pProgram != 0);
    BusyMark busy;
    g_state = PXFileState();
    g_state.pLog = pLog;
    FileBuffer file(pszPath, "w+b", FileBuffer::replace);
    if (!file.is_open())
    {
        if (pLog)
            SaveLog(Text(IDS_FILE_BATCHNOOPEN) + pszPath);
        else
            Box(Text(IDS_FILE_NOOPEN), IDS_FILE_ERRORCAPTION, MB_ICONEXCLAMATION);
        return 0;
    }
    g_state.pProgram = pProgram;
    g_state.pFile = &file;
    SetBusyCursor(BUSY_START, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
    g_state.bTextSave = TRUE;
    g_state.nPromptMode = LS_PROMPT_ASK;
    char szVersion[PX_FILE_VERSION_TEXT_MAX];
    PXFileVersionText(szVersion, sizeof(szVersion));
    PXFileParseVersion(szVersion, g_state.version);

    LSStream& stream = LSAttachFile(LS_WRITE, file);
    bool bDone = stream.IsOpen() && WriteAll(stream, pProgram, szVersion);
    if (stream.IsOpen() && !LSCloseFile(stream))
        bDone = false;
    if (bDone)
    {
        // Only now does the old file become the backup and the new one take
        // its place.
        char szBackup[_MAX_PATH + 8];
        bool bBackup = PXFileMakeBackup(pszPath, szBackup, sizeof(szBackup));
        bDone = file.commit(bBackup ? szBackup : nullptr) != FileBuffer::commit_failed;
    }
    g_state.pProgram = nullptr;
    g_state.pFile = nullptr;
    if (!bDone)
    {
        if (pLog)
            SaveLog(Text(IDS_FILE_WRITEERROR));
        else
            Box(Text(IDS_FILE_WRITEERROR), IDS_FILE_ERRORCAPTION, MB_ICONSTOP);
        SetBusyCursor(BUSY_END, 0, 0);
        return 0;
    }
    pProgram->ClearModified();
    SetBusyCursor(BUSY_END, 0, 0);
    return 1;
}
