// What the window benchmarks share: the message boxes counted and printed
// instead of shown, a clock, a message pump, and a frame of one page window
// that the model's changes reach.
#ifndef BENCHFRAME_H
#define BENCHFRAME_H

#include "BitmapObject.h"
#include "BrushObject.h"
#include "EditMDI.h"
#include "FontObject.h"
#include "Icons.h"
#include "ModelObserver.h"
#include "PenObject.h"
#include "PXSObj.h"
#include "PXWinApp.h"
#include "Program.h"
#include "UIPageFrame.h"
#include "owl/TMDIFrame.h"

#include <stdio.h>
#include <memory>
#include <windows.h>

namespace
{

int g_nBoxes = 0;

int QuietBox(HWND, const char* pszText, const char* pszCaption, UINT)
{
    ++g_nBoxes;
    fprintf(stderr, "box: %s: %s\n", pszCaption, pszText);
    return IDOK;
}

double Now()
{
    static LARGE_INTEGER freq = {};
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Flush()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// The frame of the benchmark: one page window, changes told to it.
class BenchFrame : public TMDIFrame, public UIPageFrame, public ModelObserver
{
public:
    BenchFrame(TMDIClient& client, const char* pszTitle, const char* pszClass)
        : TMDIFrame(pszTitle, TResId(), client), m_pszClass(pszClass)
    {
        Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
        Attr.X = 0;
        Attr.Y = 0;
        Attr.W = 1024;
        Attr.H = 768;
    }
    const char* GetClassName() override { return m_pszClass; }

    void ActivateChild(UIMDIChildWindow* pChild) override
    {
        ::SendMessageA(GetClientWindow()->HWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->HWindow), 0);
    }
    void SetCurrentProgram(Program*) override {}
    void SetCurrentPage(Page*) override {}
    Program* GetCurrentProgram() const override { return nullptr; }
    void CloseChild(UIMDIChildWindow* pChild) override
    {
        if (pChild == pWindow)
        {
            pWindow->GetProgram()->AddOpenWindow(-1);
            pWindow = nullptr;
        }
    }
    void ShowPage(Page*) override {}
    bool IsClosing() const override { return false; }
    bool SaveProgram(Program*) override { return true; }
    void CloseProgram(Program*) override {}
    bool AskBlockName(HWND, const char*, char*, int) override { return false; }
    bool ClipboardHasEndBlock() override { return false; }
    int PasteClipboard(Page*, ObjectChild*, long, long) override { return 0; }
    void RefreshPalette(Program*) override {}
    bool BeginImageDrag(int, POINT) override { return false; }
    void MoveImageDrag(UINT, POINT, ObjectChild*) override {}
    void EndImageDrag(POINT) override {}
    void CancelImageDrag() override {}
    void GetPageGridSize(long& cx, long& cy) override { cx = cy = 0; }
    HWND GetPaletteWindow() override { return nullptr; }
    void TogglePalette() override {}

    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override
    {
        if (pWindow)
            pWindow->ObjectChanged(pObject, nKind, nFlags);
    }
    void RefreshCaptions() override {}
    void RefreshCommandStates() override {}
    void SetStatusText(const char*, int) override {}

    EditMDI* pWindow = nullptr;

private:
    const char* m_pszClass;
};

// What the editor makes at start-up and the benchmarks need: the drawing
// tables, the controller, the current block icons and the frame over its
// MDI client, observing the model. Start answers false without a frame
// window (no display).
class BenchSession
{
public:
    bool Start(const char* pszTitle, const char* pszClass)
    {
        g_pFonts = new Fonts(DefaultFontRows);
        g_pBrushes = new Brushes(DefaultBrushRows);
        g_pPens = new Pens(DefaultPenRows);
        g_pBitmaps = new Bitmaps();
        app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(app.get());
        PXSetWinApp(app.get());

        kvrGetPowerBlockList(&table, 0, 1);
        icons.reset(new Icons(&table));
        Icons::SetCurrent(icons.get());

        pClient = new TMDIClient();
        pFrame = new BenchFrame(*pClient, pszTitle, pszClass);
        if (!pFrame->Create())
            return false;
        ModelSetObserver(pFrame);
        SetPageFrame(pFrame);
        return true;
    }

    std::unique_ptr<PXWinApp> app;
    IconInfoTable table = {};
    std::unique_ptr<Icons> icons;
    TMDIClient* pClient = nullptr;
    BenchFrame* pFrame = nullptr;
};

} // namespace

#endif
