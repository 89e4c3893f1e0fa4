// The main frame's report commands: Print Block Details, Print Voice/Fax
// Items and the SuperBlock report, each on the frame's current program.
#include "UIMDIFrame.h"
#include "PXReports.h"

void UIMDIFrame::CmPrintBlockDetails()
{
    if (!GetCurrentProgram())
    {
        NoPageWindow();
        return;
    }
    PrintBlockReport(GetCurrentProgram());
}

void UIMDIFrame::CmPrintVoiceFaxItems()
{
    if (!GetCurrentProgram())
    {
        NoPageWindow();
        return;
    }
    PrintVoiceFaxScript(GetCurrentProgram());
}

void UIMDIFrame::CmPrintSuperBlockReport()
{
    if (!GetCurrentProgram())
    {
        NoPageWindow();
        return;
    }
    PrintSuperBlockReport(GetCurrentProgram());
}
