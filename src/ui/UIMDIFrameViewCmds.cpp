// The main frame's commands around the editor's dialogs: printing the
// active page and the printer set-up, the zoom of the active page pane
// (its ladder steps and the Set Zoom dialog),
// the About box, new SuperBlock pages, viewing and defining SuperBlock and
// Verification Block pages, and the Find PowerBlock dialog.
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
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "TAboutDialog.h"
#include "TDefinePagesDialog.h"
#include "TFindPBDialog.h"
#include "TNamePageDialog.h"
#include "TScaleDialog.h"
#include "TViewPagesDialog.h"
#include "UIRes.h"

#include <new>

namespace
{
// The kinds of page of the page commands.
const int kSuperBlocks = PX_PAGE_SUPERBLOCK;
const int kVerificationBlocks = PX_PAGE_VERIFICATION;

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
    if (pPage->AddDefaultBlocks(kSuperBlocks))
        OpenEditWindow(pProgram, pPage);
    else
        pProgram->RemovePage(pPage);
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
