// PowerBlock: one block on a page, an instance of a block type of the
// application model, with its name, position, output description, output
// stubs (GotoBlock) and the gotos that leave its outputs; and the table
// from block type to the record definition of its variables.
#ifndef POWERBLOCK_H
#define POWERBLOCK_H

#include "UIObject.h"
#include "classlib/Array.h"
#include "plexmodel.h"
#include "PXSoftRecPBV.h"

class Goto;
class PowerBlockIcon;
class PowerBlock;

// Block flags.
enum
{
    PB_FLAG_PRIVATEINFO = 0x1,  // the description record is the block's own copy
    PB_FLAG_BREAKPOINT = 0x2,
    PB_FLAG_CURRENT = 0x4
};

// Bytes of the output visibility sets: one bit per output number 1..40.
#define PB_SET_BYTES 5

class PowerBlockType
{
public:
    // The record definition of the type's variables (also the string-table
    // entry of the kind's name); PXREC_OBSOLETE for types without one.
    static int ResourceId(int nType);
};

// The stub of one output, drawn on the block's edge.
class GotoBlock : public ProgramObject
{
public:
    GotoBlock(PowerBlock* pBlock, const char* pszOutput);
    GotoBlock();

    classType isA() const override { return PX_CLASS_GOTOBLOCK; }
    Program* GetProgram() const override;
    Page* GetPage() const override;

    // The stub's record of the program file (ProgramText.cpp,
    // ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;

    const char* GetOutputName() const { return m_strOutput; }
    void SetOutputName(const char* psz) { m_strOutput = psz ? psz : ""; }
    long GetOffset() const { return m_nOffset; }
    void SetOffset(long nOffset) { m_nOffset = nOffset; }
    bool IsShown() const { return m_bShown != 0; }
    void SetShown(bool bShown) { m_bShown = bShown ? 1 : 0; }

private:
    CString m_strOutput;
    long m_nOffset;
    long m_bShown;
};

class PowerBlock : public ProgramObject, public PXPowerBlockLink
{
public:
    // Makes a block on the page and registers it with the application model
    // (unless hExisting gives its handle). *pRetry is the caller's
    // name-retry flag; a block the model refuses stays without a handle
    // and the caller discards it. pTemplate: the goto blocks of a copied
    // block, whose shown flags the new stubs take.
    PowerBlock(Page* pPage, const char* pszName, PowerBlockInfo* pInfo, PowerBlockIcon* pIcon,
               long x, long y, int* pRetry, kvrHandleType* hExisting, short nClipboard,
               Array* pTemplate);
    // Bare, for the loader.
    PowerBlock();
    // A block deleted on its own gives up its uses of items and lists. The
    // destructor throws nothing: a use that cannot be given up is traced
    // and counted (GetReleaseFailures) and the rest are given up still.
    ~PowerBlock() override;

    // How many times a deleted block could not give up its item uses or its
    // list uses in this run.
    static long GetReleaseFailures();

    classType isA() const override { return PX_CLASS_POWERBLOCK; }
    Program* GetProgram() const override;
    Page* GetPage() const override;

    // The block's record of the program file (ProgramText.cpp,
    // ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;
    // The name by which the application model knows the block: "page$block"
    // off the page "Main", the plain name on it.
    CString ModelName() const;

    kvrHandleType* GetHandle() const { return m_hModel; }
    bool HasHandle() const { return m_hModel != nullptr; }
    void SetHandle(kvrHandleType* hModel) { m_hModel = hModel; }
    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }
    const char* GetName() const { return m_strName; }
    void SetNameDirect(const char* psz) { m_strName = psz ? psz : ""; }
    const char* GetDescription() const override { return m_strDescription; }
    void SetDescription(const char* pszText) override { m_strDescription = pszText ? pszText : ""; }
    // Whether the stub of the output at that index is shown.
    BOOL IsOutputShown(int nIndex) const override;
    const char* GetCustomType() const { return m_strCustomType; }
    void SetCustomType(const char* pszText) { m_strCustomType = pszText ? pszText : ""; }
    PowerBlockInfo* GetInfo() const { return m_pInfo; }
    void SetInfo(PowerBlockInfo* pInfo, PowerBlockIcon* pIcon);
    PowerBlockIcon* GetIcon() const { return m_pIcon; }
    long GetX() const { return m_nX; }
    long GetY() const { return m_nY; }
    long GetFlags() const { return m_nFlags; }
    void SetFlags(long nFlags) { m_nFlags = nFlags; }
    short GetClipboardFlag() const { return m_nClipboard; }

    void SetPosition(long x, long y);
    // 1 done; 0 refused by the model, *pDetail as the model set it.
    int Rename(const char* pszNewName, int* pDetail);
    // Runs the block's property sheet. rChanged (also the answer) is 1 when
    // the block's gotos no longer match the model's connections, so that
    // the caller resynchronises and redraws them.
    int EditProperties(int& rChanged);

    // Connects the output to the target block with a new goto: Goto.cpp.
    Goto* Connect(PowerBlock* pTarget, const char* pszOutput, int bRegistered);
    void AttachGoto(Goto* pGoto);
    void AttachGotoBlock(GotoBlock* pGotoBlock);
    void RemoveGoto(Goto* pGoto);
    void RemoveGotoWithGroup(Goto* pGoto);
    Goto* FindGoto(const char* pszOutput) const;
    GotoBlock* FindGotoBlock(const char* pszOutput) const;
    PBOutputEntry* FindOutput(const char* pszOutput) const;
    // Model index of an output: the outputs before it that are not group
    // outputs; -1 for a group output or a name that is no output.
    int ModelIndexOf(const char* pszOutput) const;
    void MarkGotosForReroute();

    bool IsOutputOptional(const char* pszOutput) const;
    int CountOptionalOutputs() const;
    bool IsFinished() const;
    int CanDelete() const;

    void Refresh(int bResetVisibility);

    // Output groups.
    void ShowGroup(int nKey);
    int HideGroup(int nKey);
    int CommonTarget(int nKey, PowerBlock** ppTarget) const;

    void RepairOutputs();
    bool OutputsChanged() const;
    void SyncOutputs();
    int SyncGotos(int bCheckOnly, int bExpand, int bLoading);

    // Visibility and expansion bits by output number (1..40); numbers
    // outside read as clear and are never set.
    bool IsVisible(int nNumber) const { return TestBit(m_Visible, nNumber); }
    void SetVisible(int nNumber, bool bOn) { SetBit(m_Visible, nNumber, bOn); }
    bool IsExpanded(int nNumber) const { return TestBit(m_Expanded, nNumber); }
    void SetExpanded(int nNumber, bool bOn) { SetBit(m_Expanded, nNumber, bOn); }
    unsigned char* GetVisibleSet() { return m_Visible; }
    unsigned char* GetExpandedSet() { return m_Expanded; }

    List& GetGotos() { return m_Gotos; }
    Array& GetGotoBlocks() { return m_GotoBlocks; }
    int GetOutputCount() const;

    // Renaming a page: blocks that call it follow.
    struct PageRename
    {
        char szOld[128];
        char szNew[128];
    };
    void RenameCalledPage(const PageRename& names);

private:
    static bool TestBit(const unsigned char* pSet, int nNumber);
    static void SetBit(unsigned char* pSet, int nNumber, bool bOn);
    bool IsMember(const PBOutputEntry& entry, int nKey) const;
    PowerBlock* TargetOf(const PBOutputEntry& entry) const;
    void RemoveGotoOnly(Goto* pGoto);
    // Tells the model whether the block's settings and connections are
    // complete, through a record over the block's variables.
    void CheckFinished();
    void FreeInfo();

    CString m_strDescription;
    kvrHandleType* m_hModel;
    int m_nType;
    CString m_strCustomType;
    PowerBlockInfo* m_pInfo;
    PowerBlockIcon* m_pIcon;
    long m_nX;
    long m_nY;
    List m_Gotos;
    Array m_GotoBlocks;
    long m_nFlags;
    unsigned char m_Visible[PB_SET_BYTES];
    unsigned char m_Expanded[PB_SET_BYTES];
    short m_nClipboard;
    CString m_strName;
};

#endif
