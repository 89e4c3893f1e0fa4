// The old binary form of the program file, read only: the record of every
// model class, read from the file's Buffer at its current position. Every
// text and bit set is read within its own buffer; a record that cannot be
// what it claims to be ends the load with message 58.
#include "Buffer.h"
#include "FileBuffer.h"
#include "Goto.h"
#include "IDIndex.h"
#include "Icons.h"
#include "ModelRes.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "ProgramFileState.h"

#include <cstring>

namespace
{
// Room for the texts of the old form; a longer stored text is damage.
const int NAME_ROOM = 256;
const int DESCR_ROOM = 2048;

// A failed read: the end of the file gives the read error alone; a read
// that failed before the end found a text that cannot be (message 58).
bool Failed(UINT nCaption)
{
    FileBuffer* pFile = PXFileGetState().pFile;
    if (pFile && !pFile->at_end())
        PXFileInconsistent(nCaption);
    return false;
}

bool ReadString(Buffer& buf, char* psz, int nSize, UINT nCaption)
{
    return buf.read_string(psz, nSize) ? true : Failed(nCaption);
}

bool ReadShort(Buffer& buf, long& n)
{
    short w = 0;
    if (!buf.read_word(w))
        return false;
    n = w;
    return true;
}

// One bit set of a block: a count and that many bytes, of which a set holds
// PB_SET_BYTES.
bool ReadCountedSet(Buffer& buf, unsigned char* pSet)
{
    unsigned char n = 0;
    if (!buf.read_byte(n))
        return false;
    if (n > PB_SET_BYTES)
        return Failed(IDS_FILE_CAPBLOCK);
    std::memset(pSet, 0, PB_SET_BYTES);
    return n == 0 || buf.read(pSet, n);
}

template <class T>
T* Lookup(long nID, classType nClass)
{
    if (nID <= 0)
        return nullptr;
    ProgramObject* p = IDIndex::Get().Find(nID);
    return p && p->isA() == nClass ? static_cast<T*>(p) : nullptr;
}

// As in the text form: a number that an object read before holds is not
// taken again.
void Enter(ProgramObject* pObject, long nID)
{
    PXFileNoteID(nID);
    if (nID > 0 && IDIndex::Get().Add(nID, pObject))
        pObject->SetID(nID);
}
} // namespace

bool Program::ReadBinary(Buffer& buf)
{
    long nCounter = 0;
    if (!buf.read_long(nCounter))
        return false;
    m_nIDCounter = nCounter;
    return true;
}

bool Page::ReadBinary(Buffer& buf)
{
    long nID = 0;
    long nKind = 0;
    char szName[NAME_ROOM];
    if (!buf.read_long(nID) || !ReadString(buf, szName, sizeof(szName), IDS_FILE_CAPPAGE) || !ReadShort(buf, nKind))
        return false;
    m_strName = szName;
    m_nKind = static_cast<int>(nKind);
    Program* pProgram = PXFileGetState().pProgram;
    kvrHandleType* hPage = kvrFindPage(m_strName);
    if (!hPage || pProgram->FindPage(m_strName))
    {
        PXFileInconsistent(IDS_FILE_CAPPAGE);
        return false;
    }
    m_hModel = hPage;
    pProgram->AddPage(this);
    Enter(this, nID);
    return true;
}

bool PowerBlock::ReadBinary(Buffer& buf)
{
    long nID = 0;
    char szName[NAME_ROOM];
    char szDescr[DESCR_ROOM];
    long x = 0, y = 0, nFlags = 0;
    if (!buf.read_long(nID))
        return false;
    Enter(this, nID);
    if (!ReadString(buf, szName, sizeof(szName), IDS_FILE_CAPBLOCK) ||
        !ReadString(buf, szDescr, sizeof(szDescr), IDS_FILE_CAPBLOCK) || !ReadShort(buf, x) || !ReadShort(buf, y) ||
        !ReadShort(buf, nFlags))
        return false;
    m_strName = szName;
    m_strDescription = szDescr;
    m_nX = x < 0 ? 0 : x;
    m_nY = y < 0 ? 0 : y;
    m_nFlags = (nFlags & 0xFFFF) & ~(PB_FLAG_PRIVATEINFO | PB_FLAG_BREAKPOINT | PB_FLAG_CURRENT);

    std::memset(m_Visible, 0, sizeof(m_Visible));
    std::memset(m_Expanded, 0, sizeof(m_Expanded));
    if (!PXFileVersionAtMost("2.02"))
    {
        if (!ReadCountedSet(buf, m_Visible) || !ReadCountedSet(buf, m_Expanded))
            return false;
    }
    else if (!PXFileVersionBelow("2.02"))
    {
        if (!buf.read(m_Visible, 4) || !buf.read(m_Expanded, 4))
            return false;
    }
    else if (!buf.read(m_Visible, 4))
        return false;

    long nPageID = 0;
    if (!buf.read_long(nPageID))
        return false;
    Page* pPage = Lookup<Page>(nPageID, PX_CLASS_PAGE);
    if (!pPage)
    {
        PXFileInconsistent(IDS_FILE_CAPBLOCK);
        return false;
    }
    pPage->AddObject(this);

    long nType = 0;
    if (!ReadShort(buf, nType))
        return false;
    if (PXFileVersionAtMost("2.03") && nType >= 336)
        nType += 1;
    m_nType = static_cast<int>(nType);
    char szCustom[NAME_ROOM];
    if (m_nType <= KVR_PB_CUSTOM)
    {
        if (!ReadString(buf, szCustom, sizeof(szCustom), IDS_FILE_CAPBLOCK))
            return false;
        m_strCustomType = szCustom;
        Refresh(0);
    }
    else
    {
        int nOutType = m_nType;
        PowerBlockIcon* pIcon = IconForBlockType(m_nType, nOutType);
        m_nType = nOutType;
        SetInfo(pIcon ? pIcon->GetInfo() : nullptr, pIcon);
        if (m_nType == KVR_PB_IMPORTED)
        {
            if (!ReadString(buf, szCustom, sizeof(szCustom), IDS_FILE_CAPBLOCK))
                return false;
            m_strCustomType = szCustom;
            Refresh(0);
        }
    }
    kvrHandleType* hBlock = kvrFindPowerBlock(ModelName(), 1, 0);
    if (!hBlock || PXFileBlockHeld(hBlock) || !PXFileModelTypeMatches(this, hBlock))
    {
        PXFileInconsistent(IDS_FILE_CAPBLOCKHANDLE);
        return false;
    }
    m_hModel = hBlock;
    PXFileHoldBlock(hBlock);
    PXFileCheckBlock(this, 0);
    return true;
}

bool GotoBlock::ReadBinary(Buffer& buf)
{
    long nOffset = 0;
    long nOwner = 0;
    if (PXFileVersionAtMost("2.0"))
    {
        // Stubs of these files name their output; they are dropped, and the
        // repair pass of the load makes them again.
        char szOutput[NAME_ROOM];
        return ReadString(buf, szOutput, sizeof(szOutput), IDS_FILE_CAPSTUB) && ReadShort(buf, nOffset) &&
               buf.read_long(nOwner);
    }
    long nBit = 0;
    if (!ReadShort(buf, nBit) || !ReadShort(buf, nOffset) || !buf.read_long(nOwner))
        return false;
    // Up to 2.01 output bits are numbered the old way (the gotos of these
    // files gain 4): these stubs are dropped as well.
    if (PXFileVersionAtMost("2.01"))
        return true;
    PowerBlock* pBlock = Lookup<PowerBlock>(nOwner, PX_CLASS_POWERBLOCK);
    if (!pBlock)
    {
        PXFileInconsistent(IDS_FILE_CAPSTUB);
        return false;
    }
    for (int i = 0; i < pBlock->GetOutputCount(); ++i)
        if (pBlock->GetInfo()->outputs[i].number == nBit)
            m_strOutput = pBlock->GetInfo()->outputs[i].name;
    m_nOffset = nOffset;
    m_bShown = pBlock->IsVisible(static_cast<int>(nBit)) ? 1 : 0;
    SetOwner(pBlock);
    pBlock->AttachGotoBlock(this);
    return true;
}

bool Goto::ReadBinary(Buffer& buf)
{
    long nID = 0, nBit = 0, nColor = 0, nFlags = 0, nStart = 0, nEnd = 0;
    if (!buf.read_long(nID))
        return false;
    Enter(this, nID);
    if (!ReadShort(buf, nBit) || !ReadShort(buf, nColor) || !ReadShort(buf, nFlags))
        return false;
    m_nColor = nColor & 0xFFFF;
    m_nFlags = (nFlags & 0xFFFF) & ~GOTO_FLAG_GROUP;
    if (PXFileVersionAtMost("2.01"))
    {
        nBit += 4;
        MarkForReroute();
    }
    if (!buf.read_long(nStart))
        return false;
    PowerBlock* pStart = Lookup<PowerBlock>(nStart, PX_CLASS_POWERBLOCK);
    if (!pStart)
    {
        PXFileInconsistent(IDS_FILE_CAPGOTO);
        return false;
    }
    PBOutputEntry* pEntry = nullptr;
    for (int i = 0; i < pStart->GetOutputCount() && !pEntry; ++i)
        if (pStart->GetInfo()->outputs[i].number == nBit)
            pEntry = &pStart->GetInfo()->outputs[i];
    if (!buf.read_long(nEnd))
        return false;
    PowerBlock* pEnd = Lookup<PowerBlock>(nEnd, PX_CLASS_POWERBLOCK);
    if (!pEnd || pEnd->GetPage() != pStart->GetPage() || (pEntry && pStart->FindGoto(pEntry->name)))
    {
        PXFileInconsistent(IDS_FILE_CAPCONNECTION);
        return false;
    }
    SetOwner(pStart);
    pStart->AttachGoto(this);
    m_pTarget = pEnd;
    if (!pEntry)
    {
        PXFileObsoleteGoto(pStart->GetName());
        m_strOutput = "Obsolete";
        PXFileCheckGotoStart(pStart, true);
        return true;
    }
    m_strOutput = pEntry->name;
    Register(pEntry, 0);
    if (!m_pTarget)
    {
        pStart->GetGotos().detach(*this, TShouldDelete::NoDelete);
        SetOwner(nullptr);
        PXFileInconsistent(IDS_FILE_CAPCONNECTION);
        return false;
    }
    PXFileCheckGotoStart(pStart, true);
    return true;
}

bool Segment::ReadBinary(Buffer& buf)
{
    long fromX = 0, fromY = 0, toX = 0, toY = 0, nGoto = 0;
    if (!ReadShort(buf, fromX) || !ReadShort(buf, fromY) || !ReadShort(buf, toX) || !ReadShort(buf, toY) ||
        !buf.read_long(nGoto))
        return false;
    Goto* pGoto = Lookup<Goto>(nGoto, PX_CLASS_GOTO);
    if (!pGoto)
    {
        PXFileInconsistent(IDS_FILE_CAPSEGMENT);
        return false;
    }
    Set(fromX, fromY, toX, toY);
    pGoto->AppendSegment(this);
    return true;
}
