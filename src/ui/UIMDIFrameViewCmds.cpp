// The main frame's commands around the editor's dialogs: printing the
// active page and the printer set-up, the zoom of the active page pane
// (its ladder steps and the Set Zoom dialog),
// the About box, new SuperBlock pages, viewing and defining SuperBlock and
// Verification Block pages, the Find PowerBlock dialog, the scrolling
// keys and the build of the active program.
#include "UIMDIFrame.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "EditorDlgRes.h"
#include "Page.h"
#include "PrintEdit.h"
#include "PXCmdIds.h"
#include "Program.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "PXTextUI.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "TAboutDialog.h"
#include "TDefinePagesDialog.h"
#include "TFindPBDialog.h"
#include "TNamePageDialog.h"
#include "TScaleDialog.h"
#include "TViewPagesDialog.h"
#include "UIRes.h"
#include "ScrollBar.h"

#include <cstring>
#include <new>

namespace
{
// The kinds of page of the page commands.
const int kSuperBlocks = PX_PAGE_SUPERBLOCK;
const int kVerificationBlocks = PX_PAGE_VERIFICATION;
// The reporter's cause of a missing printer.
const PXCause kCauseNoPrinter = 0x1;

// Whether a listed window still shows the program: the last window of a
// program deletes it, and a page dialog may close windows.
bool IsShown(const UIMDIFrame& frame, const Program* pProgram)
{
    for (int i = 0; i < frame.GetChildCount(); ++i)
        if (frame.GetChild(i)->GetProgram() == pProgram)
            return true;
    return false;
}

// The pane takes the zoom; the active application keeps it with its
// program; the palette's icons follow it.
void ApplyZoom(UIMDIFrame& frame, EditChild* pPane, int nPercent, int nStep)
{
    pPane->SetZoom(nPercent, nStep);
    PXWinApp* pController = GetWinApp();
    PXUserApp* pApp = pController ? pController->GetActiveUserApp() : nullptr;
    if (pApp && pApp->GetProgram())
        pApp->SetZoom(nPercent);
    frame.RebuildResizedIcons(nPercent);
}

// The scrolling keys: the bar asked for one move (vertical 0, horizontal
// 1; direction 2 back, 3 forward; kind 4 a line, 5 a page, 6 the start),
// Home moving the horizontal bar to its start as well; the key a note
// edited in place gets instead (0: the key does nothing then).
const struct ScrollMove
{
    UINT nId;
    int nBar;
    int nDirection;
    int nKind;
    bool bAlsoLeft;
    UINT nNoteKey;
} s_ScrollMoves[] = {
    {CM_PAGEUP, 0, 2, 5, false, VK_UP},
    {CM_PAGEDOWN, 0, 3, 5, false, VK_DOWN},
    {CM_PAGELEFT, 1, 2, 5, false, 0},
    {CM_PAGERIGHT, 1, 3, 5, false, 0},
    {CM_LINEUP, 0, 2, 4, false, VK_UP},
    {CM_LINEDOWN, 0, 3, 4, false, VK_DOWN},
    {CM_LINELEFT, 1, 2, 4, false, VK_LEFT},
    {CM_LINERIGHT, 1, 3, 4, false, VK_RIGHT},
    {CM_HOME, 0, 2, 6, true, VK_HOME},
    {CM_TOP, 0, 2, 6, false, 0},
};

// One move of a bar, and the pane scrolled to where the bar is then.
void ScrollPane(EditChild* pPane, int nBar, int nDirection, int nKind)
{
    pPane->ScrollBarRequest(nBar, nDirection, nKind);
    ScrollBar* pBar = nBar == 0 ? pPane->GetVScrollBar() : pPane->GetHScrollBar();
    if (pBar)
        pPane->ScrollTo(pBar->GetPosition(), nBar == 1);
}

int PageKindOf(UINT nId)
{
    return nId == CM_VIEWVERIFBLOCKS || nId == CM_DEFINEVERIFBLOCKS ? kVerificationBlocks : kSuperBlocks;
}
}

EditChild* UIMDIFrame::ActivePaneOrHint(UINT nNoWindowHint, EditMDI** ppWindow)
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow());
    if (!pWindow)
    {
        ShowStatusHint(nNoWindowHint, 1);
        PXMessageBeep(MB_ICONEXCLAMATION);
        return nullptr;
    }
    EditChild* pPane = pWindow->GetEditPane();
    if (!pPane)
    {
        ShowMessageId(IDS_UI_NOEDITCHILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (ppWindow)
        *ppWindow = pWindow;
    return pPane;
}

void UIMDIFrame::EndNoteEdit(EditChild* pPane)
{
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
        pPane->EndTextEdit();
}

void UIMDIFrame::CmPrint()
{
    SetPageGridCell(0, 0);
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    // Without a printer the print would end before its first page, and the
    // user would not know why nothing came out.
    if (!PrinterAvailable())
    {
        if (PXFaultHandlerObj* pReporter = PXGetWinApp())
        {
            PXArgList message(IDS_UI_NOPRINTER);
            pReporter->Report(kCauseNoPrinter, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                              __FILE__, __LINE__);
        }
        return;
    }
    Program* pProgram = pWindow->GetProgram();
    const bool bWasModified = pProgram && pProgram->IsModified();
    pPane->SetPageGridFlag(1);
    PrintPage(pWindow->GetPage(), pPane);
    pPane->Relayout();
    // Printing leaves a clean program clean.
    if (pProgram && !bWasModified)
        pProgram->ClearModified();
}

void UIMDIFrame::CmPrinterSetup()
{
    SetPageGridCell(0, 0);
    PrinterSetup();
    RereadChildResources();
    if (EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow()))
        if (EditChild* pPane = pWindow->GetEditPane())
        {
            pPane->SetPageGridFlag(1);
            pPane->Relayout();
        }
}

void UIMDIFrame::CmSetZoom()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTSCALEWINDOW);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    int nZoom = pPane->GetZoom();
    TScaleDialog dlg(this, &nZoom);
    if (dlg.Execute() != IDOK)
        return;
    // Step 0: the next Zoom In or Out first brings the percent onto the
    // ladder.
    ApplyZoom(*this, pPane, nZoom, 0);
}

void UIMDIFrame::CmZoomIn()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    int nPercent = pPane->GetZoom(), nStep = pPane->GetZoomStep();
    NormalizeZoom(nPercent, nStep);
    nPercent += nStep + 1;
    ++nStep;
    if (nPercent > 100)
    {
        nPercent = 100;
        nStep = 11;
    }
    ApplyZoom(*this, pPane, nPercent, nStep);
}

void UIMDIFrame::CmZoomOut()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    int nPercent = pPane->GetZoom(), nStep = pPane->GetZoomStep();
    NormalizeZoom(nPercent, nStep);
    nPercent -= nStep;
    --nStep;
    if (nPercent < 35)
    {
        nPercent = 35;
        nStep = 1;
    }
    ApplyZoom(*this, pPane, nPercent, nStep);
}

void UIMDIFrame::CmZoomNormal()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTSCALEWINDOW);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    ApplyZoom(*this, pPane, 100, 11);
}

void UIMDIFrame::CmAbout()
{
    TAboutDialog dlg(this);
    dlg.Execute();
}

void UIMDIFrame::CmNewSuperBlock()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    Program* pProgram = pWindow->GetProgram();
    char szName[PX_PAGENAME_SIZE] = "";
    Page* pPage = nullptr;
    for (;;)
    {
        TNamePageDialog dlg(this, szName, kSuperBlocks);
        if (dlg.Execute() != IDOK)
            return;
        pPage = new (std::nothrow) Page(pProgram, szName, kSuperBlocks, 0);
        if (!pPage)
        {
            ShowMessageId(IDS_PAGES_NOMEMORY, nullptr, MB_OK | MB_ICONSTOP);
            return;
        }
        if (pPage->HasHandle())
            break;
        // The model refused the name: asked again with the name entered.
        delete pPage;
    }
    pProgram->AddPage(pPage);
    if (!pPage->AddDefaultBlocks(kSuperBlocks))
    {
        pProgram->RemovePage(pPage);
        return;
    }
    OpenEditWindow(pProgram, pPage);
    // The new SuperBlock is offered in the palette for placing.
    RefreshPalette(pProgram);
}

void UIMDIFrame::CmViewPages(UINT nId)
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    const int nKind = PageKindOf(nId);
    Program* pProgram = pWindow->GetProgram();
    const bool bWasModified = pProgram->IsModified();
    Page* pChoice = nullptr;
    TViewPagesDialog dlg(this, pProgram, &pChoice, nKind);
    if (dlg.Execute() != IDOK || !pChoice)
        return;
    if (UIMDIChild* pShowing = FindChildForPage(pChoice))
        ActivateChild(pShowing);
    else
        OpenEditWindow(pProgram, pChoice);
    if (nKind == kSuperBlocks && !bWasModified && IsShown(*this, pProgram))
        pProgram->ClearModified();
}

void UIMDIFrame::CmDefinePages(UINT nId)
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    Program* pProgram = pWindow->GetProgram();
    TDefinePagesDialog dlg(this, pProgram, PageKindOf(nId));
    dlg.Execute();
    // Deleting the page of the program's last window deletes the program.
    if (IsShown(*this, pProgram))
        pProgram->SetModified();
}

void UIMDIFrame::CmFindPowerBlock()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    ShowFindPowerBlock(this, pWindow->GetProgram());
}

void UIMDIFrame::CmScroll(UINT nId)
{
    const ScrollMove* pMove = nullptr;
    for (const ScrollMove& move : s_ScrollMoves)
        if (move.nId == nId)
            pMove = &move;
    PXASSERT(pMove != nullptr);
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
    {
        // The key moves the caret in the note instead.
        PXTextUI* pNote = pPane->GetEditedTextNote();
        HWND hEditor = pNote && pNote->GetTextBox() ? pNote->GetTextBox()->GetEditWindow() : nullptr;
        if (hEditor && pMove->nNoteKey)
        {
            ::SendMessageA(hEditor, WM_KEYDOWN, pMove->nNoteKey, 0);
            ::SendMessageA(hEditor, WM_KEYUP, pMove->nNoteKey, 0);
        }
        return;
    }
    ScrollPane(pPane, pMove->nBar, pMove->nDirection, pMove->nKind);
    if (pMove->bAlsoLeft)
        ScrollPane(pPane, 1, pMove->nDirection, pMove->nKind);
}

void UIMDIFrame::CmBuild()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    Program* pProgram = pWindow->GetProgram();
    if (!pProgram)
        return;
    if (std::strcmp(pProgram->GetName(), "Untitled") == 0)
    {
        ShowMessageId(IDS_UI_SAVEBEFOREBUILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
        if (!FileSave())
            return;
    }
    // The application is built for the server when it is saved: here the
    // program is only checked for pages left unfinished.
    if (pProgram->AllPagesFinished(0))
        return;
    ShowMessageId(IDS_UI_CANNOTBUILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
}
