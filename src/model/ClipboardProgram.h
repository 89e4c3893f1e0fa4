// ClipboardProgram: the hidden program "Clipboard" that holds the editor's
// copies of copied blocks (positions, shown outputs, descriptions), their
// gotos, text notes and the pages the blocks call, beside the application
// model's own clipboard, which holds the blocks' settings and connections
// and names what a paste makes. The main frame makes one for the whole run.
#ifndef CLIPBOARDPROGRAM_H
#define CLIPBOARDPROGRAM_H

#include "Program.h"

#include <memory>
#include <vector>

class Page;
class Array;
class PowerBlock;
class PXTextUI;
class UIObject;

// What the clipboard asks of the application controller.
class ClipboardHost
{
public:
    virtual ~ClipboardHost() {}
    // A copied imported-application block's library ("name.ID") joins the
    // clipboard application's imports.
    virtual int CopyImportToClip(const char* pszCustomType) = 0;
};

void SetClipboardHost(ClipboardHost* pHost);

// The page pane that a paste selects what it pasted in.
class PasteSelection
{
public:
    virtual ~PasteSelection() {}
    virtual void AddPasted(UIObject* pObject) = 0;
};

// The source program ID of an empty clipboard.
#define PX_CLIP_NOSOURCE (-1)
// Copy kinds.
#define PX_CLIP_KIND_BLOCKS 0
#define PX_CLIP_KIND_PAGE 2

class ClipboardProgram : public Program
{
public:
    ClipboardProgram();
    ~ClipboardProgram() override;

    classType isA() const override { return PX_CLASS_PROGRAM; }

    // Empties both clipboards: the model's, the copied blocks and notes,
    // every page but "Clipboard", the library groups. 0.
    int Clear();
    // Copies the blocks (the page's End block with them, for the gotos that
    // end there, taken out of the list again before the answer). 0 or the
    // model's refusal.
    int CopyBlocks(std::vector<PowerBlock*>& blocks, Page* pSource);
    // Copies the notes; nBlocksCopied says whether blocks came first. 0.
    int CopyNotes(const std::vector<PXTextUI*>& notes, Page* pSource, int nBlocksCopied);
    // Copies a whole page with the pages its blocks call. 0 or the model's
    // refusal.
    int CopyPage(Page* pPage, Page* pSource);
    // The gotos between copied blocks.
    void CopyGotos(Page* pSource);
    // Pastes the copied blocks (nMode 0) or the copied page (nMode 1) into
    // the page, with the pages they call; the pane, when given, selects
    // what was pasted. 0 or the model's refusal (nothing pasted).
    int Paste(Page* pTarget, PasteSelection* pPane, int nMode);
    int PasteNotes(Page* pTarget, PasteSelection* pPane);
    // 0, or 1 when the clipboard has no page of that name.
    int PastePage(Page* pTarget, const char* pszName, Page* pPastePage, std::vector<PowerBlock*>& pasted);

    Page* GetClipboardPage() const { return m_pClipPage; }
    long GetSourceProgramID() const { return m_nSourceID; }
    Page* GetCopiedPage() const { return m_pCopiedPage; }
    void SetCopiedPage(Page* pPage) { m_pCopiedPage = pPage; }
    void SetPastePoint(long x, long y) { m_nPasteX = x; m_nPasteY = y; }
    long GetPasteX() const { return m_nPasteX; }
    long GetPasteY() const { return m_nPasteY; }
    long GetSmallestX() const { return m_nSmallestX; }
    long GetSmallestY() const { return m_nSmallestY; }
    bool HasEndBlock() const { return m_nEndBlock != 0; }
    int GetCopyKind() const { return m_nCopyKind; }
    void SetCopyKind(int nKind) { m_nCopyKind = nKind; }

private:
    // The blocks of the page that B calls: its page copied, or, for a call
    // into an imported library, that library imported.
    int CopyCalledPage(PowerBlock* pBlock, Program* pSource, Page* pSourcePage);
    void ImportCallLibrary(const char* pszPage, Program* pSource);
    PowerBlock* MakeCopy(Page* pOn, PowerBlock* pFrom, kvrHandleType* hCopy, PowerBlockInfo* pRecord);
    PowerBlockInfo* NewRecord(const PowerBlockInfo* pFrom);
    PowerBlock* MakePasted(Page* pOn, PowerBlock* pFrom, const char* pszName, long x, long y,
                           kvrHandleType* hPasted, Array* pTemplate);
    void TakeCustomType(PowerBlock* pPasted, PowerBlock* pFrom, Program* pTarget);
    void CopyNote(PXTextUI* pNote, Page* pOn, long dx, long dy, PasteSelection* pPane, bool bAdd);
    void PasteGotos(PowerBlock* pFrom, PowerBlock* pTo, Page* pOn);
    void UpdateSmallest(long x, long y);
    void ImportLibraries(Program* pTarget);

    long m_nSourceID;
    Program* m_pSource;
    Page* m_pClipPage;
    Page* m_pCopiedPage;
    long m_nPasteX;
    long m_nPasteY;
    long m_nSmallestY;
    long m_nSmallestX;
    short m_nEndBlock;
    int m_nCopyKind;
    bool m_bSmallestSet;
    // Description records of SuperBlock calls, which their blocks do not
    // free; kept for the run.
    std::vector<std::unique_ptr<PowerBlockInfo>> m_CallRecords;
};

// The clipboard program of the run (none before the frame makes it).
void SetClipboardProgram(ClipboardProgram* pClip);
ClipboardProgram* GetClipboardProgram();

#endif
