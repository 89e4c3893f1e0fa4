// The editor's main frame: the registry of open page windows, the current
// program and page, the captions of the page windows, the fan-out of model
// changes to every open window, the status line, and the operations the
// program model calls on it as its observer.
#ifndef UIMDIFRAME_H
#define UIMDIFRAME_H

#include "PXafx.h"
#include "ModelObserver.h"
#include "PXEditorFrame.h"
#include "owl/TEventTable.h"
#include "owl/TMDIFrame.h"

#include <string>
#include <vector>

class UIObject;
class PowerBlock;
struct kvrBlockNotify;
struct kvrHandleType;
class Program;
class Page;
class PXMainFrame;
class PaletteMDI;
class UIFramePages;

// A page window as the frame lists it. The page window class implements it
// beside its MDI child window; the frame asks nothing else of it.
class UIMDIChild
{
public:
    virtual ~UIMDIChild() {}
    // A model object changed: kind an ObjectChange, flags ObjectChangeFlags.
    virtual void ObjectChanged(UIObject* pObject, int nKind, int nFlags) = 0;
    virtual Program* GetProgram() const = 0;
    virtual Page* GetPage() const = 0;
    virtual HWND GetHandle() const = 0;

    // Lays its panes out again (after a font or page-grid change).
    virtual void LayoutPanes() {}
    // Brings the object into view, selecting it when bSelect.
    virtual void ShowObject(UIObject* pObject, bool bSelect) {}
    // Reads its resources (fonts, pens) again.
    virtual void RereadResources() {}
    // The window's number among the windows of its program, and the
    // renumbering after a window of the same program with number nRemoved
    // closed.
    virtual int GetWindowNumber() const { return 0; }
    virtual void AdjustIndexOnRemove(int nRemoved) {}
    // The zoom percent of the window's edit pane, or -1 when it has none.
    virtual int GetEditZoom() const { return -1; }
    // The edit pane's in-place text edit and its selection list (count and
    // entries in selection order); without an edit pane false, 0, none.
    virtual BOOL IsEditingTextNote() const { return FALSE; }
    virtual int GetSelectionCount() const { return 0; }
    virtual UIObject* GetSelectedObject(int nIndex) const { return nullptr; }
};

// The frame's status line.
class UIStatusLine
{
public:
    virtual ~UIStatusLine() {}
    // Level 0 plain text, 2 progress, 3 error (reset after 4000 ms); none
    // clears the line; with bUpdate it paints at once.
    virtual void SetText(int nLevel, const char* pszText, bool bUpdate) = 0;
};

class UIMDIFrame : public TMDIFrame, public ModelObserver, public PXEditorFrame
{
public:
    // Makes the frame's bars (status line, tool strip) as children of the
    // frame; the status line is handed over with SetStatusLine. The bars
    // install it; without one the frame has no bars.
    typedef void (*BarsFactory)(UIMDIFrame& frame);
    static BarsFactory SetBarsFactory(BarsFactory pfnFactory);

    // Makes a page window for a page of a program in the frame's MDI
    // client with the caption given, creates it and answers it (none when
    // it could not be made). The page windows install it.
    typedef UIMDIChild* (*EditWindowFactory)(UIMDIFrame& frame, Program* pProgram, Page* pPage,
                                             const char* pszCaption);

    // The frame over the MDI client, titled with the application's name,
    // with the menu "MAINMENU"; makes and publishes the main-frame wrapper
    // (GetPXMainFrame) and the bars.
    explicit UIMDIFrame(TMDIClient& client, TModule* pModule = nullptr);
    // Sets the closing flag, empties the registry without deleting windows;
    // stops being the model's observer when it is the installed one.
    ~UIMDIFrame() override;

    const char* GetClassName() override { return "UIFRAME"; }
    // The page-grid cell cleared, the splash at 80, the child windows made,
    // the wrapper given the window, each set option's menu item checked,
    // the command states refreshed.
    void SetupWindow() override;
    PXMainFrame* GetPXFrame() const { return m_pMainFrame; }

    // The menu bar's pop-up holding an item with that command id, or none;
    // the item's check mark.
    HMENU FindMenuHolding(UINT nId) const;
    void SetMenuCheck(UINT nId, bool bChecked);
    bool IsMenuChecked(UINT nId) const;

    // What the controller asks of the frame (PXEditorFrame): the palette,
    // the full-screen mode, and the active page window's edit pane.
    BOOL IsPaletteShown() override;
    BOOL IsFullScreen() override;
    BOOL IsEditingTextNote() override;
    int GetSelectionCount() override;
    UIObject* GetSelectedObject(int nIndex) override;
    // The page of the active page window; the page's window activated, or
    // one opened on it; every window of a page that goes closed without a
    // question.
    Page* GetActivePage() override;
    void ShowPage(Page* pPage) override;
    void ClosePageWindows(Page* pPage) override;
    // The editor clipboard's page mode (UIMDIFrameClipboard.cpp): the page
    // with the pages it calls copied into the clipboard program, and pasted
    // into the active page window's program.
    BOOL CopyPageToClipboard(Page* pPage) override;
    BOOL CanPastePage() override;
    int PastePage() override;
    // The clipboard program of the run, made with the frame's window and
    // freed with the frame.
    void MakeClipboardProgram();
    void FreeClipboardProgram();
    // A user application's program file opened or brought forward
    // (UIMDIFrameApps.cpp).
    int OpenProgram(const char* pszPath, Program** ppProgram) override;
    // A user application's own program written to its local file,
    // whichever window is active (UIMDIFrameApps.cpp).
    int SaveProgramFile(Program* pProgram) override;
    // The palette pointed at no program and back at this one, so that it
    // shows the program's imported libraries (UIMDIFrameApps.cpp).
    void RefreshPalette(Program* pProgram) override;

    // The cached size of one page-grid cell (0: not measured).
    void SetPageGridCell(int nWidth, int nHeight) { m_nGridCellWidth = nWidth; m_nGridCellHeight = nHeight; }
    int GetPageGridCellWidth() const { return m_nGridCellWidth; }
    int GetPageGridCellHeight() const { return m_nGridCellHeight; }
    // The icon "KVRICON" of the program's module, when it has one.
    void GetWindowClass(WNDCLASSA& wc) override;
    // Writes the placement (unless its show command is 0) and the active
    // page window's zoom to section "Main" of the settings file; then, with
    // the closing flag set, asks every MDI child. The close goes on whatever
    // was written.
    bool CanClose() override;
    // In full-screen mode the frame may grow beyond the screen by its
    // borders, caption and menu bar.
    void EvGetMinMaxInfo(MINMAXINFO& info) override;
    // The MDI client takes what the shown bars leave of the client area.
    void EvSize(UINT sizeType, int cx, int cy) override;
    // WM_UI_RELAYOUT (a bar shown or hidden) lays the bars out again.
    LRESULT EvRelayout(WPARAM wParam, LPARAM lParam);
    void RelayoutBars();
    // Timer 7 is the auto-save timer; every other timer is ignored.
    void EvTimer(UINT timerId) override;

    // ---- The frame's messages (UIMDIFrameMessages.cpp)
    // The program losing activation ends a palette drag of the active page
    // window's edit pane.
    void EvActivateApp(bool bActive, DWORD dwThreadId) override;
    // The mouse over the frame's border clears the status line.
    void EvNCMouseMove(UINT nHitTest, POINT pt) override;
    // Menu hints: a command's string, a pop-up's text by its place in the
    // bar; a separator, a command without a hint or the menu closing
    // clear the line. Plain level: an error text in force stays.
    void EvMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu) override;
    // After the enablers: the Program Diagnostics and Log Level pop-ups
    // rebuilt with their check marks, the Hide/Show Outputs pop-up
    // rebuilt from the one selected block.
    void EvInitMenuPopup(HMENU hPopup, UINT nIndex, bool bSysMenu) override;
    // WM_UI_WINDOWKIND: the frame (1).
    LRESULT EvWindowKind(WPARAM wParam, LPARAM lParam);
    // WM_UI_MODELNOTIFY: the application model's change reports, kinds 1
    // to 11, to every window of the program concerned.
    LRESULT EvNotify(WPARAM nKind, LPARAM lParam);
    // WM_UI_BLOCKREQUEST: a block named "page$block" (or a block of
    // "Main") shown, selected, given or cleared the breakpoint mark, or
    // made the one current block; wParam -1 forgets the current block.
    LRESULT EvBlockRequest(WPARAM wParam, LPARAM lParam);
    // WM_UI_OPENPROGRAM: the program file at the path (lParam) made
    // current when a window shows a program of that file name, else
    // loaded and opened on its main page.
    LRESULT EvOpenProgram(WPARAM wParam, LPARAM lParam);
    // WM_UI_BLOCKCHANGED and WM_USER+1102: nothing to do.
    LRESULT EvBlockChanged(WPARAM wParam, LPARAM lParam);
    LRESULT EvQueryIgnored(WPARAM wParam, LPARAM lParam);
    // WM_UI_BUSYCURSOR: the busy cursor, unless the text starts with a
    // single quote.
    LRESULT EvBusyCursor(WPARAM wParam, LPARAM lParam);
    // WM_UI_ARRANGE: 0 tiles the MDI windows, 1 cascades them; any other
    // value changes nothing.
    LRESULT EvArrange(WPARAM wParam, LPARAM lParam);
    // Commands no menu item carries: Find PowerBlock (4179) on the active
    // page window's program; the debugger's commands, which have no
    // debugger to talk to: 4182 to 4188 and 4190 to 4192 and their
    // enablers do nothing, Toggle Breakpoints (4189) composes its text
    // and drops it, 4194 shows the busy cursor and takes it away.
    void CmFindPowerBlock();
    // The printed reports on the frame's current program: Print Block
    // Details (51), Print Voice/Fax Items (4178) and the SuperBlock report
    // (4225); without a current program hint 33 and a beep.
    void CmPrintBlockDetails();
    void CmPrintVoiceFaxItems();
    void CmPrintSuperBlockReport();
    void CmDebugNothing();
    void CeDebugNothing(TCommandEnabler& ce);
    void CmToggleBreakpoints();
    void CmDebugBusy();
    // Run Program (4193) on the active page window's program: an unsaved
    // program is saved first, a run file older than the program (or
    // missing) offers a rebuild, an incomplete program asks before one;
    // nothing is built or run.
    void CmRunProgram();
    // The run file of a program file: its extension replaced by ".run".
    static std::string RunFilePath(const char* pszProgramPath);
    // The text of Toggle Breakpoints: each selected object's name, with
    // the current page's name and '$' before it off the page "Main", and
    // character 4 after it.
    std::string BreakpointText() const;
    // The block carrying the current-block mark, or none.
    PowerBlock* GetMarkedBlock() const { return m_pMarkedBlock; }

    // ---- The recent programs (UIMDIFrameRecent.cpp)
    enum { MAX_RECENT = 10, RECENT_SIZE = 128 };
    // Without an entry: the File menu's items from the slots (set-up).
    // With one: the entry at the top of the list (moved there when it is
    // in it already; compared without regard to case).
    void AddRecentProgram(const char* pszEntry);
    // 1 when the entry was listed and is removed, else 0.
    int RemoveRecentProgram(const char* pszEntry);
    // Slot n (1 to 10) to the top; 0 outside 1 to 10.
    int MoveRecentToTop(int n);
    // The text of slot n, or none outside 1 to 10.
    const char* GetRecentEntry(int n) const;
    int GetRecentCount() const { return m_nRecentCount; }
    int GetRecentCapacity() const { return m_nRecentCapacity; }
    // The File menu: the pop-up of the bar holding Exit.
    HMENU GetFileMenu() const;
    // Commands 4211 to 4220: the program of the slot opened again; a
    // failed open drops the entry, a good one moves it to the top.
    void CmOpenRecent(UINT nId);
    // Opens a program from its recent entry: 0 when it opened (the
    // application commands install it).
    typedef int (*RecentOpener)(const char* pszEntry);
    static RecentOpener SetRecentOpener(RecentOpener pfnOpen);
    // The auto-save run by timer 7: by default the controller's tick
    // (RunAutoSaveTick, UIMDIFrameAutoSave.cpp); none: nothing runs.
    typedef void (*AutoSaveCall)();
    static AutoSaveCall SetAutoSaveCall(AutoSaveCall pfn);
    static void RunAutoSaveTick();
    // Options menu: Auto Save Options, answered by the controller.
    void CmAutoSaveOptions();

    // The page windows' maker (none: OpenEditWindow makes nothing).
    static EditWindowFactory SetEditWindowFactory(EditWindowFactory pfnFactory);

    // A page window for the page, captioned with the program's file name,
    // shown maximised and listed (AddChild); none without a maker.
    UIMDIChild* OpenEditWindow(Program* pProgram, Page* pPage);
    // A page window opened: appended to the list, counted in its program's
    // open windows, its panes laid out, captions refreshed; an open Find
    // dialog follows it when it is the active window.
    void AddChild(UIMDIChild* pChild);
    // A page window closing: taken out of the list and counted out of its
    // program's open windows (a page window counts itself neither way), the
    // windows of its program renumbered, captions refreshed. A window not listed changes
    // nothing but the captions. When it showed the current page or program
    // they are current no more.
    void CloseChild(UIMDIChild* pChild);
    int GetChildCount() const { return static_cast<int>(m_Children.size()); }
    UIMDIChild* GetChild(int nIndex) const;
    bool IsListed(const UIMDIChild* pChild) const;

    // The program and page whose window was activated last, or none.
    Program* GetCurrentProgram() const { return m_pCurrentProgram; }
    Page* GetCurrentPage() const { return m_pCurrentPage; }
    // The program becomes current (none allowed).
    void SetCurrentProgram(Program* pProgram);
    // Nothing when the page is current already. Otherwise the first window
    // showing the page is activated, the page becomes current and its
    // program the current program. A page window's activation calls this
    // again for its own page; that inner call only records the page.
    void SetCurrentPage(Page* pPage);
    // Shows the window (normally unless it is maximised), brings it to the
    // top and activates it in the MDI client. Then, for a page window
    // without an edit pane, message 19; with no page window active, hint 33
    // at the error level and a beep. True when a page window with an edit
    // pane is active afterwards; the palette's icons then follow its zoom.
    bool ActivateChild(UIMDIChild* pChild);
    // The framework's window object under a screen point, or none.
    static TWindow* WindowFromPoint(POINT ptScreen);
    // The file path of the main frame's current program, or none: what the
    // controller's active application follows.
    static const char* CurrentProgramPath();

    // The active MDI child when it is a listed page window, or none.
    UIMDIChild* GetActiveEditWindow() const;

    // Non-zero while CanClose runs and from the start of the destructor; a
    // page window asked whether it may close activates itself first.
    int IsClosing() const { return m_nClosing; }

    // Calls ObjectChanged of every listed window, in list order.
    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override;
    // LayoutPanes and RereadResources of every listed window, in list order.
    void RelayoutChildren();
    void RereadChildResources();
    // Every listed window's caption: its program file's name without
    // directory and extension, with " *" while the program is modified; set
    // only when it differs.
    void RefreshCaptions() override;
    // The application's command states (UIApp::RefreshCommandStates).
    void RefreshCommandStates() override;
    // The first listed window showing the page, or none.
    UIMDIChild* FindChildForPage(Page* pPage) const;
    // Shows the text on the status line, at the error level when bHighlight.
    void SetStatusText(const char* pszText, int bHighlight) override;
    // The string (at most 127 characters) from the module of the active
    // window, shown like SetStatusText; a missing string changes nothing.
    void ShowStatusHint(UINT nId, int bHighlight);
    void SetStatusLine(UIStatusLine* pStatusLine) { m_pStatusLine = pStatusLine; }
    UIStatusLine* GetStatusLine() const { return m_pStatusLine; }

    // The caption of a page window: the program's file name, and for any
    // page but "Main" the page's name too, so that the windows of one
    // program can be told apart; " *" while the program is modified.
    static CString CaptionFor(Program* pProgram, Page* pPage = nullptr);

    // The frame's event table first, then the MDI frame's own look-up.
    bool Find(TEventInfo& info) override;

    // The block palette (UIMDIFramePalette.cpp): its manager and window made
    // at set-up together with the "Blocks" palette window, whose groups
    // fill the palette's tabs; the Palette command (4162); the palette
    // closed around the frame's close and reopened when the close is
    // refused; the palette following the current program and the main
    // window's size; the palette's tab choice (WM_PLT_TABSELECTED) and
    // drag start (WM_PLT_DRAGSTART); the palette window's departure.
    void SetupPalette();
    void TogglePalette();
    void EvClose() override;
    void EvDestroy() override;
    void PaletteFollowProgram(Program* pProgram);
    // A program about to go: the palette that follows it follows none.
    void PaletteForgetProgram(Program* pProgram);
    void PaletteFrameSize(int cx, int cy);
    LRESULT EvPaletteTabSelected(WPARAM wParam, LPARAM lParam);
    LRESULT EvPaletteDragStart(WPARAM wParam, LPARAM lParam);
    PaletteMDI* GetPaletteMDI() const { return m_pPaletteWnd; }
    void ForgetPalette(PaletteMDI* pPalette);
    // The palette's block icons made again at the size of a page pane's
    // zoom (zoom * 40 / 100 pixels square) while the palette is open, its
    // tabs refilled with the chosen one kept. Nothing when they are of
    // that size already, or while a rebuild runs; true when the icons
    // were replaced.
    bool RebuildResizedIcons(int nZoom);
    static int ResizedIconSize(int nZoom);
    // Full-screen mode on or off (4233).
    void CmFullScreen();

    // The print, zoom, About, page and Find commands (UIMDIFrameViewCmds.cpp).
    // Print (4135) and printer set-up (4136) clear the page-grid cache;
    // the others need an active page window with an edit pane, without
    // which the status line says so (34 for Set Zoom, else 33) and a beep
    // sounds.
    void CmPrint();
    void CmPrinterSetup();
    void CmSetZoom();
    // Zoom In (4142) and Zoom Out (4143) one step of the zoom ladder (35 to
    // 100 percent), Zoom Normal (4165) back to 100; the active application
    // keeps the zoom and the palette's icons follow it.
    void CmZoomIn();
    void CmZoomOut();
    void CmZoomNormal();
    void CmAbout();
    void CmNewSuperBlock();
    // 4170 and 4173 SuperBlocks, 4176 and 4177 Verification Blocks.
    void CmViewPages(UINT nId);
    void CmDefinePages(UINT nId);

    // The File menu (UIMDIFrameFile.cpp). The application commands go to
    // the controller; Open then gives the active pane the application's
    // stored zoom. Close asks the active MDI child (not the palette) to
    // close, Exit the frame, each after ending an in-place note edit.
    void CmFileNew();
    void CmFileOpen();
    void CmFileClose();
    void CmFileSave();
    void CmFileSaveAs();
    void CmFileProperties();
    void CmFileImport();
    void CmFileRemoveImport();
    void CmFileExport();
    void CmFileUndoExport();
    void CmFileDelete();
    void CmFileLocks();
    void CmExit();
    // Writes the active page window's program to its local file, asking
    // for a name while it is "Untitled": 1 when written, 0 when not (no
    // page window, no name chosen, a read-only file, a failed write). The
    // first save of a run makes "%KVR%\UPROG" the current folder; a
    // relative file name is made absolute first.
    int FileSave();
    // Whether that folder change has happened (tests start a run afresh).
    static void SetSaveFolderDone(bool bDone);
    // The active pane takes the active application's stored zoom, brought
    // onto the zoom ladder's range.
    void ApplyStoredZoom();
    // The page windows' frame with the controller's save and close behind
    // their questions, and the recent list opening through the controller;
    // the caller owns it.
    UIFramePages* MakeApplicationPages();
    // The Edit menu's commands on the selection of the active page
    // window's edit pane, and the commands of the same kind that no menu
    // item carries (UIMDIFrameEdit.cpp). Without a page window each says
    // so on the status line (hint 33, an error) with a beep; a page window
    // without an edit pane says so in a box. Cut, Copy, Paste and Delete
    // go to a note edited in place as its own clipboard operation or key.
    void CmEditCut();
    void CmEditCopy();
    void CmEditPaste();
    void CmEditDelete();
    // Delete: each selected block, note and line removed (protected blocks
    // reported, output stubs refused with a beep), after the question of
    // option "Confirm Paste/Delete"; objects that an earlier removal took
    // with it are passed over.
    void DeleteSelection();
    // Esc: a pending paste is given up; otherwise nothing, not even a hint.
    void CmCancelPaste();
    void CmRename();
    void CmBlockProperties();
    void CmConfigureBlock();
    // The Hide/Show Outputs submenu: Show all, Hide all, or the output of
    // the item (an index the block does not have changes nothing).
    void CmHideShowOutput(UINT nId);
    void CmRerouteLine();
    void CmRerouteAllLines();
    void CmStubLine();
    void CmCreateTextNote();
    void CmTextNoteFont();
    void CmEditTextNote();
    void CmSuperBlockComment();
    void CmProgramComment();

    // The View and Options commands on the option bits, the levels and the
    // named fonts (UIMDIFrameOptions.cpp). A toggle flips its menu item's
    // check mark and the option bit with it (an item in no menu reads as
    // unchecked, so its bit is set).
    void CmToggleOption(UINT nId);
    // Old Variable Types (4200): the application model's offer of obsolete
    // data types turned over, then toggled like the others.
    void CmOldVarTypes();
    // Status Line (4157) and Tool Bar (4156): check mark, bit and the bar
    // shown or hidden with the frame laid out again.
    void CmStatusLine();
    void CmToolBar();
    // Page Grid (4195): turned on only while a default printer is set
    // (message 8051 otherwise); every page window then redraws its grid.
    void CmPageGrid();
    // Program Diagnostics (4250 to 4253) and Log Level (4254 to 4256): an
    // item already checked changes nothing.
    void CmDiagLevel(UINT nId);
    void CmLogLevel(UINT nId);
    // The font dialog over a named font of the font table (4158
    // "powerblock_label", 4166 "icon_label", 4223 "default_textnotes");
    // the chosen font replaces it and every page window lays out again.
    void CmNamedFont(UINT nId);
    static const char* FontNameOf(UINT nId);
    // Obsolete Palette (4171): one more palette window over the obsolete
    // blocks each time.
    void CmObsoletePalette();

    // The scrolling keys (4237 to 4246) on the active edit pane; while a
    // note is edited in place, the key goes to the note's editor instead
    // (or nothing happens).
    void CmScroll(UINT nId);
    // Build (4167): an unsaved program is saved first; an incomplete one
    // is reported.
    void CmBuild();

    // The Help menu (UIMDIFrameHelp.cpp): the help file's contents, its
    // overview topic and the help on help; the tutorial program; the
    // online documentation in the web browser.
    void CmHelp(UINT nId);
    void CmTutorial();
    void CmDocumentation();
    // The help file: the help folder followed by "plexstudio.hlp".
    static std::string HelpFilePath();
    // The tutorial program "pwtutor.EXE" in the help folder.
    static std::string TutorialPath();
    // The documentation's address for a server title (its part before
    // the first blank is the host; none means this machine).
    static std::string DocumentationAddress(const char* pszServerTitle);
    // The ways out to the help program, a started program and the web
    // browser: tests answer them instead. Each answers the previous one.
    typedef BOOL (WINAPI* HelpCall)(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData);
    static HelpCall SetHelpCall(HelpCall pfn);
    typedef void (*ProgramStart)(const char* pszPath);
    static ProgramStart SetProgramStart(ProgramStart pfn);
    typedef void (*AddressOpen)(HWND hWnd, const char* pszAddress);
    static AddressOpen SetAddressOpen(AddressOpen pfn);

private:
    UIMDIFrame(const UIMDIFrame&) = delete;
    UIMDIFrame& operator=(const UIMDIFrame&) = delete;

    // The frame's event table: messages, commands and enablers, ended by an
    // all-zero entry. Handlers may live in any source file of the frame.
    static const TEventEntry* EventTable();

    // Hint 33 at the error level with the warning sound.
    void NoPageWindow();

    // The listed windows whose program has the model handle, in list order.
    std::vector<UIMDIChild*> WindowsOfProgram(kvrHandleType* hProgram) const;
    // Kinds 1 and 8: the block of a report brought in line with the model
    // once per program.
    void SyncBlockOfReport(const kvrBlockNotify* pReport, bool bRedraw);
    // Kinds 9 and 10: the program made current and its page shown.
    void ShowReportedPage(kvrHandleType* hProgram, const char* pszPage);
    // The edit pane of the active page window, or none.
    class EditChild* ActiveEditPane() const;
    // The same for a command that works on a page: without a page window the
    // hint goes to the status line as an error with a beep; a page window
    // without its edit pane says so in a box.
    class EditChild* ActivePaneOrHint(UINT nNoWindowHint, class EditMDI** ppWindow = nullptr);
    // Most commands end an in-place note edit of the pane before they act.
    static void EndNoteEdit(class EditChild* pPane);
    // The current-block mark taken off its block.
    void ClearBlockMark();

    void ReadRecentPrograms();
    void WriteRecentPrograms();
    std::string RecentLabel(int n) const;
    void AppendRecentItem(HMENU hFile, int n);
    void RelabelRecentItem(HMENU hFile, int n);

    std::vector<UIMDIChild*> m_Children;
    PXMainFrame* m_pMainFrame;      // owned, published while it lives
    UIStatusLine* m_pStatusLine;
    int m_nGridCellWidth;
    int m_nGridCellHeight;
    Program* m_pCurrentProgram;
    Page* m_pCurrentPage;
    int m_nClosing;
    bool m_bSettingPage;     // SetCurrentPage runs
    PowerBlock* m_pMarkedBlock;     // carries the current-block flag
    int m_nRecentCapacity;          // 0 to 10; 0 turns the list off
    int m_nRecentCount;             // recent items in the File menu
    char m_szRecent[MAX_RECENT][RECENT_SIZE];   // slot 1 the most recent
    PaletteMDI* m_pPaletteWnd = nullptr;    // the "Blocks" palette window
    bool m_bRebuildingIcons = false;        // RebuildResizedIcons runs
};

#endif
