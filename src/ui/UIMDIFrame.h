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

#include <vector>

class UIObject;
class Program;
class Page;
class PXMainFrame;
class PaletteMDI;

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
    // The auto-save run by timer 7 (none: nothing runs).
    typedef void (*AutoSaveCall)();
    static AutoSaveCall SetAutoSaveCall(AutoSaveCall pfn);

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
    // pane is active afterwards.
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

    // The caption of a program's windows.
    static CString CaptionFor(Program* pProgram);

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
    void PaletteFrameSize(int cx, int cy);
    LRESULT EvPaletteTabSelected(WPARAM wParam, LPARAM lParam);
    LRESULT EvPaletteDragStart(WPARAM wParam, LPARAM lParam);
    PaletteMDI* GetPaletteMDI() const { return m_pPaletteWnd; }
    void ForgetPalette(PaletteMDI* pPalette);

    // The print, zoom, About, page and Find commands (UIMDIFrameViewCmds.cpp).
    // Print (4135) and printer set-up (4136) clear the page-grid cache;
    // the others need an active page window with an edit pane, without
    // which the status line says so (34 for Set Zoom, else 33) and a beep
    // sounds.
    void CmPrint();
    void CmPrinterSetup();
    void CmSetZoom();
    void CmAbout();
    void CmNewSuperBlock();
    // 4170 and 4173 SuperBlocks, 4176 and 4177 Verification Blocks.
    void CmViewPages(UINT nId);
    void CmDefinePages(UINT nId);
    void CmFindPowerBlock();

private:
    UIMDIFrame(const UIMDIFrame&) = delete;
    UIMDIFrame& operator=(const UIMDIFrame&) = delete;

    // The frame's event table: messages, commands and enablers, ended by an
    // all-zero entry. Handlers may live in any source file of the frame.
    static const TEventEntry* EventTable();

    // Hint 33 at the error level with the warning sound.
    void NoPageWindow();

    std::vector<UIMDIChild*> m_Children;
    PXMainFrame* m_pMainFrame;      // owned, published while it lives
    UIStatusLine* m_pStatusLine;
    int m_nGridCellWidth;
    int m_nGridCellHeight;
    Program* m_pCurrentProgram;
    Page* m_pCurrentPage;
    int m_nClosing;
    bool m_bSettingPage;     // SetCurrentPage runs
    PaletteMDI* m_pPaletteWnd = nullptr;    // the "Blocks" palette window
};

#endif
