// Page: one drawing of a program: the page "Main", a SuperBlock or a
// Verification Block, holding blocks and text notes. Registered with the
// application model while it lives.
#ifndef PAGE_H
#define PAGE_H

#include "UIObject.h"
#include "plexmodel.h"

class PowerBlock;
class PXTextUI;

// Page kinds.
enum
{
    PX_PAGE_MAIN = 0,
    PX_PAGE_SUPERBLOCK = 1,
    PX_PAGE_VERIFICATION = 2
};

typedef void (*BlockFunc)(PowerBlock* pBlock, void* pData);

class Page : public ProgramObject
{
public:
    // Registers with the application model in the program's model program.
    // A refusal is reported and leaves the page without a handle; the
    // caller then does not add it (see HasHandle).
    Page(Program* pProgram, const char* pszName, int nKind, int nModelFlag);
    // Bare, unregistered, for the loader.
    Page();
    ~Page() override;

    classType isA() const override { return PX_CLASS_PAGE; }
    Program* GetProgram() const override;
    Page* GetPage() const override { return const_cast<Page*>(this); }

    // The page's record of the program file (ProgramText.cpp,
    // ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;

    kvrHandleType* GetHandle() const { return m_hModel; }
    bool HasHandle() const { return m_hModel != nullptr; }
    void SetHandle(kvrHandleType* hModel) { m_hModel = hModel; }
    int GetKind() const { return m_nKind; }
    void SetKind(int nKind) { m_nKind = nKind; }
    int GetModelFlag() const { return m_nModelFlag; }

    void Activate();
    bool AllBlocksFinished();

    void AddObject(PowerBlock* pBlock);
    void AddNote(PXTextUI* pNote);
    void RemoveNote(PXTextUI* pNote);
    // Removes every goto that ends at the block, then the block itself.
    void RemoveBlock(PowerBlock* pBlock);
    void InvalidateGotosOf(PowerBlock* pBlock);

    PowerBlock* FindBlockByHandle(kvrHandleType* hBlock) const;
    PowerBlock* FindBlockByName(const char* pszName) const;
    void RefreshBlocksOfType(int nType);
    void ForEachBlock(BlockFunc pfn, void* pData);
    // Number of blocks of the type on the page.
    int CountBlocksOfType(int nType) const;

    void SetName(const char* pszName) { m_strName = pszName ? pszName : ""; }
    const char* GetName() const { return m_strName; }
    void SetComment(const char* pszComment) { m_strComment = pszComment ? pszComment : ""; }
    const char* GetComment() const { return m_strComment; }

    // Default blocks of a new program's page "Main", of a new SuperBlock or
    // Verification Block page: 1 done, 0 after a message.
    int AddMainDefaultBlocks();
    int AddDefaultBlocks(int nKind);

    List& GetBlocks() { return m_Blocks; }
    List& GetNotes() { return m_Notes; }

    // The default places are read once per run; tests read them again.
    static void ForgetDefaultPositions();

private:
    List m_Blocks;
    List m_Notes;
    CString m_strComment;
    kvrHandleType* m_hModel;
    int m_nKind;
    int m_nModelFlag;
    CString m_strName;
};

#endif
