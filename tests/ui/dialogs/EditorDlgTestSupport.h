// What the tests of the editor's dialogs share: modal dialogs answered by
// scripts in the order they open, a stand-in for the main frame, and the
// lines of list boxes.
#ifndef EDITORDLGTESTSUPPORT_H
#define EDITORDLGTESTSUPPORT_H

#include "ModelTestSupport.h"
#include "PXDialogDriver.h"
#include "PXEditorFrame.h"
#include "PXWinApp.h"
#include "owl/TWindow.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Each modal dialog, once ready, runs the next script queued; a dialog
// with no script left is cancelled and counted.
class DialogScripts
{
public:
    typedef std::function<void(HWND)> Script;

    DialogScripts();
    ~DialogScripts();

    void Add(Script script) { m_scripts.push_back(std::move(script)); }
    bool AllRun() const { return m_scripts.empty(); }

    int nUnscripted = 0;
    // The caption of every dialog as it opened, in order.
    std::vector<std::string> captions;

private:
    static void Hook(TWindow* pWnd);

    std::deque<Script> m_scripts;
    TWindow::TModalHook m_pfnOld;
};

// The main frame as the dialogs see it.
class TestEditorFrame : public PXEditorFrame
{
public:
    BOOL IsPaletteShown() override { return FALSE; }
    BOOL IsFullScreen() override { return FALSE; }
    BOOL IsEditingTextNote() override { return FALSE; }
    int GetSelectionCount() override { return 0; }
    UIObject* GetSelectedObject(int) override { return nullptr; }
    Page* GetActivePage() override { return pActive; }
    void ShowPage(Page* pPage) override { shown.push_back(pPage); }
    void ClosePageWindows(Page* pPage) override { closed.push_back(pPage); }
    void RefreshPalette(Program* pProgram) override { palettes.push_back(pProgram); }
    BOOL CopyPageToClipboard(Page* pPage) override
    {
        copied.push_back(pPage);
        return bCopyWorks;
    }
    BOOL CanPastePage() override { return bCanPaste; }
    int PastePage() override
    {
        ++nPastes;
        return nPasteResult;
    }

    Page* pActive = nullptr;
    std::vector<Page*> shown;
    std::vector<Page*> closed;
    std::vector<Program*> palettes;     // the programs the palette was shown afresh for
    std::vector<Page*> copied;
    BOOL bCopyWorks = TRUE;
    BOOL bCanPaste = FALSE;
    int nPastes = 0;
    int nPasteResult = 0;
};

// Model tests with the frame registered.
class EditorDialogTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_pOldFrame = PXWinApp::GetEditorFrame();
        PXWinApp::SetEditorFrame(&frame);
    }
    void TearDown() override
    {
        PXWinApp::SetEditorFrame(m_pOldFrame);
        ModelTest::TearDown();
    }

    TestEditorFrame frame;
    PXEditorFrame* m_pOldFrame = nullptr;
};

// The lines of a list box, and the index of the line that is the text.
std::vector<std::string> ListLines(HWND hDlg, int nList);
int FindLine(HWND hDlg, int nList, const std::string& line);
// Selects the line as the user would (LBN_SELCHANGE follows).
void SelectLine(HWND hDlg, int nList, int nIndex);
// The user double-clicks the line.
void DoubleClickLine(HWND hDlg, int nList, int nIndex);
// Presses a button of the dialog as a click does (WM_COMMAND, BN_CLICKED).
void ClickButton(HWND hDlg, int nId);

#endif
