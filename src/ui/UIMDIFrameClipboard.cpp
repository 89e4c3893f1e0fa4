// The main frame's clipboard program: made once with the frame's window and
// kept for the run; the page dialogs copy and paste whole SuperBlock and
// Verification Block pages through it.
#include "UIMDIFrame.h"
#include "ClipboardProgram.h"
#include "Page.h"
#include "Program.h"
#include "PXWinApp.h"
#include "UIPageFrame.h"

void UIMDIFrame::MakeClipboardProgram()
{
    if (GetClipboardProgram())
        return;
    ClipboardProgram* pClip = new ClipboardProgram();
    SetClipboardProgram(pClip);
    SetClipboardHost(PXWinApp::GetClipboardHost());
}

void UIMDIFrame::FreeClipboardProgram()
{
    ClipboardProgram* pClip = GetClipboardProgram();
    SetClipboardProgram(nullptr);
    SetClipboardHost(nullptr);
    delete pClip;
}

BOOL UIMDIFrame::CopyPageToClipboard(Page* pPage)
{
    ClipboardProgram* pClip = GetClipboardProgram();
    Program* pProgram = pPage ? pPage->GetProgram() : nullptr;
    if (!pClip || !pProgram)
        return FALSE;
    Page* pCurrent = GetActivePage();
    if (!pCurrent || pCurrent->GetProgram() != pProgram)
        pCurrent = pPage;
    pClip->Clear();
    pClip->SetCopyKind(PX_CLIP_KIND_PAGE);
    pClip->SetCopiedPage(pPage);
    int nResult = pClip->CopyPage(pPage, pCurrent);
    if (nResult != 0)
    {
        pClip->Clear();
        return FALSE;
    }
    pClip->CopyGotos(pCurrent);
    pProgram->Activate();
    kvrPageToCopy(pPage->GetName(), 0);
    return TRUE;
}

BOOL UIMDIFrame::CanPastePage()
{
    ClipboardProgram* pClip = GetClipboardProgram();
    return pClip && pClip->GetCopyKind() == PX_CLIP_KIND_PAGE && kvrCanIPaste(1) && pClip->GetCopiedPage()
               ? TRUE
               : FALSE;
}

int UIMDIFrame::PastePage()
{
    ClipboardProgram* pClip = GetClipboardProgram();
    Page* pPage = GetActivePage();
    if (!pClip || !pPage || !pPage->GetProgram())
        return -1;
    kvrSetupPasteSuperVerBlock(1);
    int nResult = pClip->Paste(pPage, nullptr, 1);
    kvrSetupPasteSuperVerBlock(0);
    if (nResult == 0)
        if (UIPageFrame* pFrame = GetPageFrame())
            pFrame->RefreshPalette(pPage->GetProgram());
    return nResult;
}
