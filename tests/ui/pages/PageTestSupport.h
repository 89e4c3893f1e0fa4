// What the page-window tests share: the program model's set-up, a main
// frame over a real MDI client that opens page windows from the layout
// record, fans model changes out to them and answers the page windows'
// questions from the test, and helpers that drive a pane with mouse
// messages.
#ifndef PAGETESTSUPPORT_H
#define PAGETESTSUPPORT_H

#include "../../model/ModelTestSupport.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "ModelObserver.h"
#include "UIMDIFrame.h"
#include "UIPageFrame.h"
#include "owl/TMDIFrame.h"
#include "DisplayObject.h"
#include "PXWinApp.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class PageTestFrame : public TMDIFrame, public UIPageFrame, public ModelObserver
{
public:
    explicit PageTestFrame(TMDIClient& client);
    ~PageTestFrame() override;

    const char* GetClassName() override { return "PXPAGETESTFRAME"; }

    // A page window on the page, created, maximised unless told otherwise,
    // laid out.
    EditMDI* OpenEditWindow(Program* pProgram, Page* pPage, bool bMaximise = true);
    std::vector<EditMDI*> children;

    // UIPageFrame
    void ActivateChild(UIMDIChildWindow* pChild) override;
    void SetCurrentProgram(Program* pProgram) override { pCurrentProgram = pProgram; }
    void SetCurrentPage(Page* pPage) override { pCurrentPage = pPage; }
    Program* GetCurrentProgram() const override { return pCurrentProgram; }
    void CloseChild(UIMDIChildWindow* pChild) override;
    void ShowPage(Page* pPage) override { shownPages.push_back(pPage); }
    bool IsClosing() const override { return bClosing; }
    bool SaveProgram(Program* pProgram) override;
    void CloseProgram(Program* pProgram) override { closedPrograms.push_back(pProgram); }
    bool AskBlockName(HWND hOwner, const char* pszPrompt, char* pszName, int nSize) override;
    bool ClipboardHasEndBlock() override { return bEndBlock; }
    int PasteClipboard(Page* pPage, ObjectChild* pPane, long mx, long my) override;
    void RefreshPalette(Program* pProgram) override { ++nPaletteRefreshes; }
    bool BeginImageDrag(int, POINT) override { return false; }
    void MoveImageDrag(UINT, POINT, ObjectChild*) override {}
    void EndImageDrag(POINT) override {}
    void CancelImageDrag() override {}
    void GetPageGridSize(long& cx, long& cy) override { cx = cy = 0; }
    HWND GetPaletteWindow() override { return hPalette; }
    void TogglePalette() override { ++nPaletteToggles; }

    // ModelObserver: every listed window is told.
    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override;
    void RefreshCaptions() override {}
    void RefreshCommandStates() override {}
    void SetStatusText(const char* pszText, int) override { status = pszText ? pszText : ""; }

    Program* pCurrentProgram = nullptr;
    Page* pCurrentPage = nullptr;
    bool bClosing = false;
    bool bSaveSucceeds = true;
    bool bEndBlock = false;
    int nPaletteRefreshes = 0;
    HWND hPalette = nullptr;
    int nPaletteToggles = 0;
    std::vector<Program*> savedPrograms;
    std::vector<Program*> closedPrograms;
    std::vector<Page*> shownPages;
    std::vector<std::string> prompts;
    std::deque<std::string> names;      // answers of the naming dialog; empty: Cancel
    struct Paste
    {
        Page* pPage;
        ObjectChild* pPane;
        long mx, my;
    };
    std::vector<Paste> pastes;
    std::string status;
};

class PageTest : public ModelTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A program with its page "Main" and default blocks, owned by the
    // window that shows it (the last window deletes it).
    EditMDI* OpenProgram(Program** ppProgram = nullptr);
    static EditChild* PaneOf(EditMDI* pWindow) { return pWindow->GetEditPane(); }

    // Mouse messages to a pane at a client point.
    static void Press(ObjectChild* pPane, POINT pt, UINT nKeys = 0);
    static void Move(ObjectChild* pPane, POINT pt, UINT nKeys = MK_LBUTTON);
    static void Release(ObjectChild* pPane, POINT pt, UINT nKeys = 0);
    static void Click(ObjectChild* pPane, POINT pt, UINT nKeys = 0);
    static void Flush();
    // The client point over the middle of the block's icon.
    static POINT PointOf(ObjectChild* pPane, PowerBlock* pBlock);
    // The client point of a view point.
    static POINT DevicePoint(ObjectChild* pPane, long vx, long vy);

    std::unique_ptr<PXWinApp> app;
    std::unique_ptr<TMDIClient> client;
    PageTestFrame* frame = nullptr;
    ModelObserver* pOldObserver = nullptr;
};

// What the frame suites record through the frame's seams: every beep, and
// the status line's texts as "level:text"; and a program close that always
// succeeds.
extern std::vector<UINT> g_beeps;
void RecordBeep(UINT uType);
bool CloseProgram(Program* pProgram);

struct StatusRecorder : UIStatusLine
{
    void SetText(int nLevel, const char* pszText, bool) override
    {
        lines.push_back(std::to_string(nLevel) + ":" + (pszText ? pszText : ""));
    }
    std::vector<std::string> lines;
};

#endif
