// What the command-state and menu tests share: the program model's set-up,
// a controller registered as the program makes it, and a main frame whose
// palette, full-screen mode and active page pane the test sets.
#ifndef MENUTESTSUPPORT_H
#define MENUTESTSUPPORT_H

#include "../model/ModelTestSupport.h"
#include "PXEditorFrame.h"
#include "PXSObj.h"
#include "PXUserApp.h"
#include "PXWinApp.h"

#include <memory>
#include <vector>

class TestFrame : public PXEditorFrame
{
public:
    BOOL IsPaletteShown() override { return bPalette; }
    BOOL IsFullScreen() override { return bFullScreen; }
    BOOL IsEditingTextNote() override { return bEditingNote; }
    int GetSelectionCount() override { return static_cast<int>(selection.size()); }
    UIObject* GetSelectedObject(int nIndex) override
    {
        return nIndex >= 0 && nIndex < GetSelectionCount() ? selection[nIndex] : nullptr;
    }
    Page* GetActivePage() override { return nullptr; }
    void ShowPage(Page*) override {}
    void ClosePageWindows(Page*) override {}
    BOOL CopyPageToClipboard(Page*) override { return FALSE; }
    BOOL CanPastePage() override { return FALSE; }
    int PastePage() override { return 1; }

    BOOL bPalette = FALSE;
    BOOL bFullScreen = FALSE;
    BOOL bEditingNote = FALSE;
    std::vector<UIObject*> selection;
};

class MenuTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(app.get());
        PXSetWinApp(app.get());
        PXWinApp::SetCurrentProgramSource(CurrentProgram);
        PXWinApp::SetEditorFrame(&frame);
        s_pszProgram = nullptr;
    }
    void TearDown() override
    {
        PXWinApp::SetEditorFrame(nullptr);
        PXWinApp::SetCurrentProgramSource(nullptr);
        PXSetWinApp(nullptr);
        app.reset();
        programs.clear();
        ModelTest::TearDown();
    }

    // An open application over the program, shown in the active page
    // window.
    PXUserApp* OpenApp(const char* pszPath, Program* pProgram)
    {
        programs.emplace_back(pProgram);
        PXUserApp* pApp = new PXUserApp(pszPath);
        pApp->SetProgram(pProgram);
        app->AddUserApp(pApp);
        s_pszProgram = pszPath;
        return pApp;
    }

    inline static const char* s_pszProgram = nullptr;
    std::unique_ptr<PXWinApp> app;
    std::vector<std::unique_ptr<Program>> programs;
    TestFrame frame;

private:
    static const char* CurrentProgram() { return s_pszProgram; }
};

#endif
