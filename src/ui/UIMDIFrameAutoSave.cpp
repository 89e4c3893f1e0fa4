// The main frame's share of the auto-save: timer 7's tick and the Options
// menu's Auto Save Options command both go to the controller.
#include "UIMDIFrame.h"
#include "PXWinApp.h"

void UIMDIFrame::RunAutoSaveTick()
{
    if (PXWinApp* pController = GetWinApp())
        pController->OnAutoSaveTimer();
}

void UIMDIFrame::CmAutoSaveOptions()
{
    if (PXWinApp* pController = GetWinApp())
        pController->AutoSaveOptions();
}
