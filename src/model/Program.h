// Program: one call-flow application as the editor holds it: its pages,
// its palette groups, its name and zoom, the counter that numbers its
// objects and the flag that says it has unsaved changes. Registered with
// the application model for its whole life.
#ifndef PROGRAM_H
#define PROGRAM_H

#include "UIObject.h"
#include "plexmodel.h"

#include <memory>
#include <vector>

class GroupIcon;

// The program's copy of its server file information (the first 1012 bytes
// of the client library's file-information record: the application
// profile, then the program file path).
#define PX_PROGRAM_FILEINFO_SIZE 1012

typedef void (*PageFunc)(Page* pPage, void* pData);

class Program : public ProgramObject
{
public:
    // Registers with the application model (bClipboard 1 only for the
    // clipboard program). When the model refuses, the program keeps no
    // handle and the refusal is reported: see HasHandle.
    Program(const char* pszName, int bClipboard);
    // Bare, unregistered, for the loader.
    Program();
    ~Program() override;

    classType isA() const override { return PX_CLASS_PROGRAM; }
    Program* GetProgram() const override { return const_cast<Program*>(this); }
    Page* GetPage() const override { return nullptr; }

    // The program's record line of the program file (ProgramText.cpp); the
    // binary form holds only its ID counter (ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;

    kvrHandleType* GetHandle() const { return m_hModel; }
    bool HasHandle() const { return m_hModel != nullptr; }
    // The loader binds a bare program to the model's.
    void SetHandle(kvrHandleType* hModel) { m_hModel = hModel; }

    // Sets (clears) the modified flag and refreshes the captions of the
    // program's windows and the command states.
    void SetModified();
    void ClearModified();
    bool IsModified() const { return m_bModified != 0; }

    void Activate();

    // Mode 0: every page finished; 1: every page but "Main"; 2: no page
    // besides "Main".
    int AllPagesFinished(int nMode);
    Page* FindPage(const char* pszName) const;
    Page* GetMainPage() const;
    class PowerBlock* FindBlockByHandle(kvrHandleType* hBlock) const;
    GroupIcon* FindLibraryGroup(const char* pszName) const;

    void AddPage(Page* pPage);
    void RemovePage(Page* pPage);
    void ForEachPage(PageFunc pfn, void* pData);
    void RefreshBlocksOfType(int nType);

    // The library group "Imported Applications": one block icon per
    // library imported into the program's model.
    void RefreshRllIcons();
    void LoadRllIcons(const char* pszLibrary);
    void LoadRllIconsFor();

    // The palette groups "SuperBlocks" and "Verification Blocks": one block
    // icon per page of the kind, by page name, each placing a block that
    // calls its page. Made again from the pages; blocks that call a page
    // take its icon.
    void RefreshPageIcons();

    void SetName(const char* pszName) { m_strName = pszName ? pszName : ""; }
    const char* GetName() const { return m_strName; }
    void SetComment(const char* pszComment) { m_strComment = pszComment ? pszComment : ""; }
    const char* GetComment() const { return m_strComment; }

    int GetZoom() const { return m_nZoom; }
    void SetZoom(int nZoom) { m_nZoom = nZoom; }

    // Numbering of the program's objects (the last number handed out).
    long NextID() { return ++m_nIDCounter; }
    long GetIDCounter() const { return m_nIDCounter; }
    void SetIDCounter(long nCounter) { m_nIDCounter = nCounter; }

    int GetOpenWindows() const { return m_nOpenWindows; }
    void AddOpenWindow(int nDelta) { m_nOpenWindows += nDelta; }

    List& GetPages() { return m_Pages; }
    List& GetLibraryGroups() { return m_LibraryGroups; }
    GroupIcon* GetCustomGroup() const { return m_pCustomGroup; }
    GroupIcon* GetSuperBlockGroup(int n) const { return m_pSuperGroups[n]; }

    unsigned char* GetFileInfo() { return m_FileInfo; }

private:
    void Init();
    // Refills the group with one icon per imported library; the count.
    int FillLibraryGroup(GroupIcon& group);
    void RefreshLibraryBlocks();
    // The description of the library's block: a copy of the imported-
    // application block's under the library's name, kept while the
    // program lives because blocks and icons point at it.
    PowerBlockInfo* LibraryRecord(const char* pszLibrary);

    struct LibraryInfo
    {
        PowerBlockInfo info;
        char szName[KVR_MAX_RLL_NAME];
    };
    std::vector<LibraryInfo*> m_LibraryRecords;

    // The description of the block that calls a page: kept while the
    // program lives, as blocks and icons point at it.
    PowerBlockInfo* PageCallRecord(const char* pszPage);
    struct PageCallInfo
    {
        PowerBlockInfo info;
        char szName[KVR_MAX_RLL_NAME];
    };
    std::vector<std::unique_ptr<PageCallInfo>> m_PageCallRecords;
    CString m_strPageGroupNames[2];

    int m_nOpenWindows;
    unsigned char m_bModified;
    long m_nIDCounter;
    kvrHandleType* m_hModel;
    GroupIcon* m_pCustomGroup;
    GroupIcon* m_pSuperGroups[2];
    List m_LibraryGroups;
    List m_Pages;
    CString m_strComment;
    CString m_strName;
    unsigned char m_FileInfo[PX_PROGRAM_FILEINFO_SIZE];
    int m_nZoom;
};

#endif
