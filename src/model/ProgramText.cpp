// The text form of the program file: the record line of every model class,
// its version gates, the type corrections of older files, and how each
// record's references are resolved through the ID index on reading.
//
// ReadText attaches the object to its owner only when its record is sound;
// an object left without an owner is the loader's to destroy.
#include "FontObject.h"
#include "Goto.h"
#include "IDIndex.h"
#include "Icons.h"
#include "LSStream.h"
#include "ModelRes.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "ProgramFileState.h"
#include "PXTextUI.h"
#include "PXVLSFld.h"

#include <cstring>
#include <new>

namespace
{
// Section ids of the line layer.
enum
{
    SEC_SEGMENTS = 0,
    SEC_GOTOS = 1,
    SEC_GOTOBLOCKS = 2,
    SEC_BLOCKS = 3,
    SEC_PAGES = 4,
    SEC_PROGRAM = 5,
    SEC_TEXTNOTES = 22
};

// A record line built field by field.
class Record : public AbstrRecord
{
public:
    LONG_Field* Long(const char* pszName, long nValue = 0)
    {
        LONG_Field* p = new LONG_Field(pszName);
        AddField(p);
        p->Set(&nValue);
        return p;
    }
    UCHAR_Field* Byte(const char* pszName, unsigned char nValue = 0)
    {
        UCHAR_Field* p = new UCHAR_Field(pszName);
        AddField(p);
        p->Set(&nValue);
        return p;
    }
    BOOL_Field* Bool(const char* pszName)
    {
        BOOL_Field* p = new BOOL_Field(pszName);
        AddField(p);
        return p;
    }
    STRING_Field* Text(const char* pszName, unsigned short nWidth, const char* pszValue = "")
    {
        STRING_Field* p = new STRING_Field(pszName, nWidth);
        AddField(p);
        p->Set(pszValue ? pszValue : "");
        return p;
    }

    // 1 parsed, 2 the section's end tag, 0 not parsed, -1 the file ended.
    int Read(int nSection)
    {
        int n = ReadLine(nSection);
        if (n == 0 && LSGetStream().AtEnd())
            return -1;
        return n;
    }
};

IDIndex& Index()
{
    return IDIndex::Get();
}

template <class T>
T* Lookup(long nID, classType nClass)
{
    if (nID <= 0)
        return nullptr;
    ProgramObject* p = Index().Find(nID);
    return p && p->isA() == nClass ? static_cast<T*>(p) : nullptr;
}

// The object takes its stored number unless an object read before holds
// it: the later one is numbered afresh when saved, so that the references
// to each stay its own.
void Enter(ProgramObject* pObject, long nID)
{
    PXFileNoteID(nID);
    if (nID > 0 && Index().Add(nID, pObject))
        pObject->SetID(nID);
}

// Bytes 0 to 3 of a bit set as one number, byte 0 the least significant.
long SetLow(const unsigned char* pSet)
{
    return static_cast<long>(static_cast<unsigned long>(pSet[0]) | (static_cast<unsigned long>(pSet[1]) << 8) |
                             (static_cast<unsigned long>(pSet[2]) << 16) |
                             (static_cast<unsigned long>(pSet[3]) << 24));
}

void SetFromLow(unsigned char* pSet, long nLow, unsigned char nHigh)
{
    unsigned long u = static_cast<unsigned long>(nLow);
    pSet[0] = static_cast<unsigned char>(u & 0xFF);
    pSet[1] = static_cast<unsigned char>((u >> 8) & 0xFF);
    pSet[2] = static_cast<unsigned char>((u >> 16) & 0xFF);
    pSet[3] = static_cast<unsigned char>((u >> 24) & 0xFF);
    pSet[4] = nHigh;
}

// The program record's fields after its ID: where each lies in the program's
// copy of the application profile, and the first file version that has it.
struct ProfileField
{
    const char* pszName;
    char kind;              // 'L' long, 'B' bool, 'U' byte, 'S' text
    unsigned short nWidth;  // texts
    int nOffset;
    const char* pszFrom;    // the version
};

const ProfileField s_Profile[] = {
    {"custID", 'L', 0, 0, "7.0"},
    {"appID", 'L', 0, 4, "7.0"},
    {"mediaType", 'L', 0, 12, "7.0"},
    {"description", 'S', 256, 16, "7.0"},
    {"name", 'S', 61, 272, "7.0"},
    {"spokenAppNameRecorded", 'B', 0, 336, "7.0"},
    {"spokenAppName", 'S', 31, 340, "7.0"},
    {"verfFaxNumber", 'S', 21, 371, "7.0"},
    {"verificationFaxNumModifiable", 'B', 0, 392, "7.0"},
    {"verificationContactID", 'S', 31, 396, "7.0"},
    {"telsetMaintPsswdNeeded", 'B', 0, 428, "7.0"},
    {"telsetMaintPsswd1", 'U', 0, 432, "7.0"},
    {"telsetMaintPsswd2", 'U', 0, 433, "7.0"},
    {"telsetMaintPsswd3", 'U', 0, 434, "7.0"},
    {"telsetMaintPsswd4", 'U', 0, 435, "7.0"},
    {"telsetMaintPsswd5", 'U', 0, 436, "7.0"},
    {"telsetMaintPsswd6", 'U', 0, 437, "7.0"},
    {"telsetMaintPsswd7", 'U', 0, 438, "7.0"},
    {"telsetMaintPsswd8", 'U', 0, 439, "7.0"},
    {"monitorThruDial", 'B', 0, 440, "7.0"},
    {"expansionDigits", 'S', 17, 444, "7.0"},
    {"enforceDial", 'B', 0, 464, "7.0"},
    {"importable", 'B', 0, 468, "7.0"},
    {"compiledOK", 'B', 0, 472, "7.0"},
    {"confirmationPromptModifiableByTelset", 'B', 0, 476, "7.0"},
    {"lockingPC", 'S', 31, 480, "7.0"},
    {"lockingUserID", 'S', 40, 511, "7.0"},
    {"modificationNum", 'L', 0, 904, "7.0"},
    {"Visible", 'B', 0, 900, "8.02"},
    {"VersionNum", 'L', 0, 8, "8.02"},
    {"PreviousVersionNum", 'L', 0, 592, "8.02"},
    {"VolumeID", 'L', 0, 588, "8.02"},
    {"RUNFilePath", 'S', 101, 596, "8.02"},
    {"RLLFilePath", 'S', 101, 697, "8.02"},
    {"MISAFilePath", 'S', 101, 798, "8.02"},
    {"EDFilePath", 'S', 101, 908, "8.02"},
};
const char ZOOM_FROM[] = "9.01";
const char ITALIC_FROM[] = "9.0";

AbstrField* AddProfileField(Record& r, const ProfileField& f)
{
    switch (f.kind)
    {
    case 'L': return r.Long(f.pszName);
    case 'B': return r.Bool(f.pszName);
    case 'U': return r.Byte(f.pszName);
    default: return r.Text(f.pszName, f.nWidth);
    }
}

PowerBlock* AsBlock(ProgramObject* p)
{
    return p && p->isA() == PX_CLASS_POWERBLOCK ? static_cast<PowerBlock*>(p) : nullptr;
}

CString WithBreak(const char* pszName)
{
    CString s(pszName ? pszName : "");
    s += "\n";
    return s;
}
} // namespace

// ---- Program -------------------------------------------------------------

int Program::WriteText(LSStream&)
{
    Record r;
    r.Long("ID", GetID());
    for (const ProfileField& f : s_Profile)
        if (!PXFileVersionBelow(f.pszFrom))
            AddProfileField(r, f)->Set(&m_FileInfo[f.nOffset]);
    if (!PXFileVersionBelow(ZOOM_FROM))
        r.Long("ZoomLevel", m_nZoom);
    return r.WriteLine(SEC_PROGRAM) ? 1 : 0;
}

int Program::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pID = r.Long("ID");
    AbstrField* fields[sizeof(s_Profile) / sizeof(s_Profile[0])] = {};
    int i = 0;
    for (const ProfileField& f : s_Profile)
    {
        if (!PXFileVersionBelow(f.pszFrom))
            fields[i] = AddProfileField(r, f);
        ++i;
    }
    LONG_Field* pZoom = PXFileVersionBelow(ZOOM_FROM) ? nullptr : r.Long("ZoomLevel");
    int n = r.Read(SEC_PROGRAM);
    if (n < 0)
        return 0;
    if (n != 1)
        return PXFilePrompt(nullptr, IDS_FILE_BADHEADER, SEC_PROGRAM);
    Enter(this, pID->GetValue());
    i = 0;
    for (const ProfileField& f : s_Profile)
    {
        if (fields[i])
            fields[i]->CopyOut(&m_FileInfo[f.nOffset]);
        ++i;
    }
    // A zoom the editor's panes cannot show keeps the program's own.
    if (pZoom && pZoom->GetValue() > 0 && pZoom->GetValue() <= 1000)
        m_nZoom = static_cast<int>(pZoom->GetValue());
    return 1;
}

// ---- Page ----------------------------------------------------------------

int Page::WriteText(LSStream&)
{
    Record r;
    r.Long("ID", GetID());
    r.Text("Name", 16, m_strName);
    r.Long("TYPE", m_nKind);
    if (!r.WriteLine(SEC_PAGES))
        return 0;
    kvrHandleType* hPage = kvrFindPage(m_strName);
    if (!hPage)
        return PXFilePrompt(m_strName, IDS_FILE_PAGESAVE, SEC_PAGES);
    m_hModel = hPage;
    return 1;
}

int Page::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pID = r.Long("ID");
    STRING_Field* pName = r.Text("Name", 16);
    LONG_Field* pType = r.Long("TYPE");
    int n = r.Read(SEC_PAGES);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    if (n == 0)
        return PXFilePrompt(pName->GetText(), IDS_FILE_PAGELOAD, SEC_PAGES);
    Program* pProgram = PXFileGetState().pProgram;
    m_strName = pName->GetText();
    m_nKind = static_cast<int>(pType->GetValue());
    // A page the model does not know, or a second page of the same name,
    // is not made: it never enters the index.
    kvrHandleType* hPage = kvrFindPage(m_strName);
    if (!hPage || pProgram->FindPage(m_strName))
        return PXFilePrompt(m_strName, IDS_FILE_BLOCKLOAD, SEC_PAGES);
    m_hModel = hPage;
    pProgram->AddPage(this);
    Enter(this, pID->GetValue());
    return 1;
}

// ---- PowerBlock ----------------------------------------------------------

CString PowerBlock::ModelName() const
{
    Page* pPage = GetPage();
    if (pPage && pPage->GetKind() != PX_PAGE_MAIN)
    {
        CString name(pPage->GetName());
        name += "$";
        name += m_strName;
        return name;
    }
    return m_strName;
}

int PowerBlock::WriteText(LSStream&)
{
    // The visible set follows the stubs: the i-th stub shows the i-th output.
    int nStubs = m_GotoBlocks.getItemsInContainer();
    for (int i = 0; i < GetOutputCount(); ++i)
    {
        bool bShown = i < nStubs && static_cast<GotoBlock&>(m_GotoBlocks[i]).IsShown();
        SetVisible(m_pInfo->outputs[i].number, bShown);
    }
    Page* pPage = GetPage();
    bool bOnPage = pPage && pPage->isA() == PX_CLASS_PAGE;
    bool bCustomName = m_nType <= KVR_PB_CUSTOM || m_nType == KVR_PB_IMPORTED;

    // ID, Name, Description, X, Y, Flags, VisibleFlags4, VisibleFlags5,
    // ExpandedFlags4, ExpandedFlags5, Owner, Type, CustomType.
    LSLineWriter w(SEC_BLOCKS);
    w.Long(GetID()).Text(m_strName, 31).Text(m_strDescription, 512).Long(m_nX).Long(m_nY).Long(m_nFlags);
    w.Long(SetLow(m_Visible)).Byte(m_Visible[4]).Long(SetLow(m_Expanded)).Byte(m_Expanded[4]);
    w.Long(bOnPage ? pPage->GetID() : 0).Long(m_nType);
    w.Text(bCustomName ? static_cast<const char*>(m_strCustomType) : "", 256);
    if (!w.Write())
        return 0;
    kvrHandleType* hBlock = bOnPage ? kvrFindPowerBlock(ModelName(), 1, 0) : nullptr;
    if (!hBlock)
        return PXFilePrompt(m_strName, IDS_FILE_BLOCKSAVE, SEC_BLOCKS);
    m_hModel = hBlock;
    return 1;
}

int PowerBlock::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pID = r.Long("ID");
    STRING_Field* pName = r.Text("Name", 31);
    STRING_Field* pDescr = r.Text("Description", 512);
    LONG_Field* pX = r.Long("X");
    LONG_Field* pY = r.Long("Y");
    LONG_Field* pFlags = r.Long("Flags");
    LONG_Field* pVisible4 = r.Long("VisibleFlags4");
    UCHAR_Field* pVisible5 = r.Byte("VisibleFlags5");
    LONG_Field* pExpanded4 = r.Long("ExpandedFlags4");
    UCHAR_Field* pExpanded5 = r.Byte("ExpandedFlags5");
    LONG_Field* pOwner = r.Long("Owner");
    LONG_Field* pType = r.Long("Type");
    STRING_Field* pCustom = r.Text("CustomType", 256);
    int n = r.Read(SEC_BLOCKS);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    if (n == 0)
        return PXFilePrompt(pName->GetText(), IDS_FILE_BLOCKLOAD, SEC_BLOCKS);

    m_strName = pName->GetText();
    if (*pDescr->GetText())
        m_strDescription = pDescr->GetText();
    m_nX = pX->GetValue() < 0 ? 0 : pX->GetValue();
    m_nY = pY->GetValue() < 0 ? 0 : pY->GetValue();
    // The block's own copy of its description is made at run time, never
    // taken from a file: a stored bit would free the palette's record.
    m_nFlags = pFlags->GetValue() & ~(PB_FLAG_PRIVATEINFO | PB_FLAG_BREAKPOINT | PB_FLAG_CURRENT);
    SetFromLow(m_Visible, pVisible4->GetValue(), pVisible5->GetValue());
    SetFromLow(m_Expanded, pExpanded4->GetValue(), pExpanded5->GetValue());

    Page* pPage = Lookup<Page>(pOwner->GetValue(), PX_CLASS_PAGE);
    if (!pPage)
        return PXFilePrompt(m_strName, IDS_FILE_BLOCKLOAD, SEC_BLOCKS);
    pPage->AddObject(this);

    int nType = static_cast<int>(pType->GetValue());
    if (PXFileVersionBelow("7.01") && nType > 361)
        nType += 11;
    if (PXFileVersionBelow("8.01") && nType > 372)
        nType += 18;
    if (PXFileVersionBelow("8.03") && nType > 390)
        nType += 1;
    if (PXFileVersionBelow("8.04") && nType > 391)
        nType += 1;
    m_nType = nType;
    if (nType <= KVR_PB_CUSTOM)
    {
        m_strCustomType = pCustom->GetText();
        Refresh(0);
    }
    else
    {
        int nOutType = nType;
        PowerBlockIcon* pIcon = IconForBlockType(nType, nOutType);
        m_nType = nOutType;
        SetInfo(pIcon ? pIcon->GetInfo() : nullptr, pIcon);
        if (m_nType == KVR_PB_IMPORTED)
        {
            m_strCustomType = pCustom->GetText();
            Refresh(0);
        }
    }

    // A block the model does not know, whose model block another block of
    // the program holds already (a page of another kind than the model's
    // names other blocks), or whose model block is of another type, is
    // dropped.
    kvrHandleType* hBlock = kvrFindPowerBlock(ModelName(), 1, 0);
    if (!hBlock || PXFileBlockHeld(hBlock) || !PXFileModelTypeMatches(this, hBlock))
    {
        pPage->GetBlocks().detach(*this, TShouldDelete::NoDelete);
        SetOwner(nullptr);
        return PXFilePrompt(m_strName, IDS_FILE_BLOCKLOAD, SEC_BLOCKS);
    }
    m_hModel = hBlock;
    PXFileHoldBlock(hBlock);
    Enter(this, pID->GetValue());
    PXFileCheckBlock(this, 0);
    return 1;
}

// ---- GotoBlock -----------------------------------------------------------

int GotoBlock::WriteText(LSStream&)
{
    PowerBlock* pBlock = AsBlock(m_pOwner);
    if (!pBlock)
        return PXFilePrompt("\n", IDS_FILE_CONNSAVE, SEC_GOTOBLOCKS);
    PBOutputEntry* pEntry = pBlock->FindOutput(m_strOutput);
    if (!pEntry)
        return PXFilePrompt(WithBreak(pBlock->GetName()), IDS_FILE_CONNSAVE, SEC_GOTOS);
    // GotoBit, Offset, Owner.
    return LSLineWriter(SEC_GOTOBLOCKS).Long(pEntry->number).Long(m_nOffset).Long(pBlock->GetID()).Write();
}

int GotoBlock::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pBit = r.Long("GotoBit");
    LONG_Field* pOffset = r.Long("Offset");
    LONG_Field* pOwner = r.Long("Owner");
    int n = r.Read(SEC_GOTOBLOCKS);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    PowerBlock* pBlock = n == 1 ? Lookup<PowerBlock>(pOwner->GetValue(), PX_CLASS_POWERBLOCK) : nullptr;
    if (!pBlock)
        return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_GOTOBLOCKS);
    long nBit = pBit->GetValue();
    for (int i = 0; i < pBlock->GetOutputCount(); ++i)
        if (pBlock->GetInfo()->outputs[i].number == nBit)
            m_strOutput = pBlock->GetInfo()->outputs[i].name;
    m_bShown = pBlock->IsVisible(static_cast<int>(nBit)) ? 1 : 0;
    m_nOffset = pOffset->GetValue();
    SetOwner(pBlock);
    pBlock->AttachGotoBlock(this);
    return 1;
}

// ---- Goto ----------------------------------------------------------------

int Goto::WriteText(LSStream&)
{
    PowerBlock* pStart = AsBlock(m_pOwner);
    PBOutputEntry* pEntry = pStart ? pStart->FindOutput(m_strOutput) : nullptr;
    if (!pEntry)
        return PXFilePrompt(WithBreak(pStart ? pStart->GetName() : ""), IDS_FILE_CONNSAVE, SEC_GOTOS);
    PowerBlock* pEnd = AsBlock(m_pTarget);
    // ID, GotoBit, Color, Flags, StartPB, EndPB.
    LSLineWriter w(SEC_GOTOS);
    w.Long(GetID()).Long(pEntry->number).Long(m_nColor).Long(m_nFlags).Long(pStart->GetID());
    w.Long(pEnd && pEnd->GetProgram() ? pEnd->GetID() : 0);
    if (!w.Write())
        return 0;
    if (!pEnd)
        return PXFilePrompt(WithBreak(pStart->GetName()), IDS_FILE_CONNSAVE, SEC_GOTOS);
    return 1;
}

int Goto::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pID = r.Long("ID");
    LONG_Field* pBit = r.Long("GotoBit");
    LONG_Field* pColor = r.Long("Color");
    LONG_Field* pFlags = r.Long("Flags");
    LONG_Field* pStartID = r.Long("StartPB");
    LONG_Field* pEndID = r.Long("EndPB");
    int n = r.Read(SEC_GOTOS);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    if (n == 0)
        return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_GOTOS);
    PowerBlock* pStart = Lookup<PowerBlock>(pStartID->GetValue(), PX_CLASS_POWERBLOCK);
    if (!pStart)
        return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_GOTOS);
    m_nColor = pColor->GetValue();
    // Whether the goto is a group output's is the outputs' to say.
    m_nFlags = pFlags->GetValue() & ~GOTO_FLAG_GROUP;
    long nBit = pBit->GetValue();
    PBOutputEntry* pEntry = nullptr;
    for (int i = 0; i < pStart->GetOutputCount() && !pEntry; ++i)
        if (pStart->GetInfo()->outputs[i].number == nBit)
            pEntry = &pStart->GetInfo()->outputs[i];

    // The end must be a block of the same page, and an output leads to
    // one block only.
    PowerBlock* pEnd = Lookup<PowerBlock>(pEndID->GetValue(), PX_CLASS_POWERBLOCK);
    if (!pEnd || pEnd->GetPage() != pStart->GetPage() || (pEntry && pStart->FindGoto(pEntry->name)))
        return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_GOTOS);
    SetOwner(pStart);
    pStart->AttachGoto(this);
    m_pTarget = pEnd;
    if (!pEntry)
    {
        PXFileObsoleteGoto(pStart->GetName());
        m_strOutput = "Obsolete";
    }
    else
    {
        m_strOutput = pEntry->name;
        Register(pEntry, 0);
        if (!m_pTarget)
        {
            // The model refused the connection.
            pStart->GetGotos().detach(*this, TShouldDelete::NoDelete);
            SetOwner(nullptr);
            return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_GOTOS);
        }
    }
    PXFileCheckGotoStart(pStart, false);
    Enter(this, pID->GetValue());
    return 1;
}

// ---- Segment -------------------------------------------------------------

int Segment::WriteText(LSStream&)
{
    ProgramObject* pGoto = m_pOwner && m_pOwner->isA() == PX_CLASS_GOTO ? m_pOwner : nullptr;
    // From_X, From_Y, To_X, To_Y, GotoID.
    LSLineWriter w(SEC_SEGMENTS);
    w.Long(m_nFromX).Long(m_nFromY).Long(m_nToX).Long(m_nToY).Long(pGoto ? pGoto->GetID() : 0);
    if (!w.Write())
        return 0;
    if (!pGoto)
        return PXFilePrompt(nullptr, IDS_FILE_CONNSAVE, SEC_SEGMENTS);
    return 1;
}

int Segment::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pFromX = r.Long("From_X");
    LONG_Field* pFromY = r.Long("From_Y");
    LONG_Field* pToX = r.Long("To_X");
    LONG_Field* pToY = r.Long("To_Y");
    LONG_Field* pGotoID = r.Long("GotoID");
    int n = r.Read(SEC_SEGMENTS);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    Goto* pGoto = n == 1 ? Lookup<Goto>(pGotoID->GetValue(), PX_CLASS_GOTO) : nullptr;
    if (!pGoto)
        return PXFilePrompt(nullptr, IDS_FILE_CONNLOAD, SEC_SEGMENTS);
    Set(pFromX->GetValue(), pFromY->GetValue(), pToX->GetValue(), pToY->GetValue());
    pGoto->AppendSegment(this);
    return 1;
}

// ---- Text notes ----------------------------------------------------------

int PXTextUI::WriteText(LSStream&)
{
    Page* pPage = GetPage();
    long left, right, top, bottom;
    GetRect(left, right, top, bottom);
    Record r;
    r.Long("Owner", pPage ? pPage->GetID() : 0);
    r.Long("Left", left);
    r.Long("Right", right);
    r.Long("Top", top);
    r.Long("Bottom", bottom);
    r.Text("FontName", 128, m_pFont ? m_pFont->GetFace() : "");
    r.Long("FontSize", m_pFont ? m_pFont->GetHeight() : 0);
    r.Long("FontWeight", m_pFont ? m_pFont->GetWeight() : 0);
    r.Text("Text", PX_TEXTNOTE_MAX + 1, GetText());
    r.Long("FontItalic", m_pFont ? m_pFont->GetItalic() : 0);
    return r.WriteLine(SEC_TEXTNOTES) ? 1 : 0;
}

int PXTextUI::ReadText(LSStream&)
{
    Record r;
    LONG_Field* pOwner = r.Long("Owner");
    LONG_Field* pLeft = r.Long("Left");
    LONG_Field* pRight = r.Long("Right");
    LONG_Field* pTop = r.Long("Top");
    LONG_Field* pBottom = r.Long("Bottom");
    STRING_Field* pFace = r.Text("FontName", 128);
    LONG_Field* pSize = r.Long("FontSize");
    LONG_Field* pWeight = r.Long("FontWeight");
    STRING_Field* pText = r.Text("Text", PX_TEXTNOTE_MAX + 1);
    LONG_Field* pItalic = PXFileVersionBelow(ITALIC_FROM) ? nullptr : r.Long("FontItalic");
    int n = r.Read(SEC_TEXTNOTES);
    if (n < 0)
        return 0;
    if (n == 2)
        return 2;
    Page* pPage = n == 1 ? Lookup<Page>(pOwner->GetValue(), PX_CLASS_PAGE) : nullptr;
    if (!pPage)
        return PXFilePrompt(nullptr, IDS_FILE_NOTELOAD, SEC_TEXTNOTES);
    m_pTextBox->SetRect(pLeft->GetValue(), pRight->GetValue(), pTop->GetValue(), pBottom->GetValue());
    BYTE bItalic = pItalic ? static_cast<BYTE>(pItalic->GetValue() & 0xFF) : 0;
    FontObject* pFont = new (std::nothrow) FontObject("", pFace->GetText(), static_cast<int>(pSize->GetValue()),
                                                      static_cast<int>(pWeight->GetValue()), bItalic);
    SetFontObject(pFont);
    m_pTextBox->SetText(pText->GetText());
    pPage->AddNote(this);
    return 1;
}
