// The Hide/Show Outputs submenu.
#include "PXGotoMenu.h"
#include "PXCmdIds.h"
#include "PXEditorFrame.h"
#include "PXSObj.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "PowerBlock.h"

namespace {

PXGotoMenu::OutputQuery g_pfnOutputQuery = kvrSDOIsOutputOptionalApplicable;

CString MenuText(UINT nId)
{
    CString text;
    text.LoadStringA(nId);
    return text;
}

} // namespace

PXGotoMenu::OutputQuery PXGotoMenu::SetOutputQuery(OutputQuery pfnQuery)
{
    OutputQuery pfnOld = g_pfnOutputQuery;
    g_pfnOutputQuery = pfnQuery ? pfnQuery : kvrSDOIsOutputOptionalApplicable;
    return pfnOld;
}

PXGotoMenu::PXGotoMenu(PowerBlock* pBlock) : pPB(pBlock)
{
    PXASSERT(pPB!=0);
}

void PXGotoMenu::Build()
{
    PXASSERT(m_hMenu!=0);
    int nOutputs = pPB->GetOutputCount();
    int nShown = 0;
    for (int j = 0; j < nOutputs && j < CM_OUTPUTCOUNT; ++j)
    {
        const char* pszName = pPB->GetInfo()->outputs[j].name;
        if (!(g_pfnOutputQuery(pPB->GetType(), pPB->GetHandle(), pszName) & KVR_OUT_APPLICABLE))
            continue;
        GotoBlock* pStub = pPB->FindGotoBlock(pszName);
        bool bShown = pStub && pStub->IsShown();
        if (bShown)
            ++nShown;
        Append(bShown ? MF_CHECKED : MF_UNCHECKED, CM_OUTPUTFIRST + j, pszName ? pszName : "");
    }
    if (nOutputs == 0)
        Append(MF_GRAYED | MF_DISABLED, CM_NOOUTPUTS, MenuText(IDS_MENU_NOOUTPUTS));
    Append(MF_SEPARATOR, 0, nullptr);
    Append(nShown == nOutputs ? MF_GRAYED | MF_DISABLED : MF_ENABLED, CM_SHOWALLOUTPUTS,
           MenuText(IDS_MENU_SHOWALL));
    Append(nShown == 0 ? MF_GRAYED | MF_DISABLED : MF_ENABLED, CM_HIDEALLOUTPUTS, MenuText(IDS_MENU_HIDEALL));
}

int PXGotoMenu::OutputOfCommand(UINT uId)
{
    if (uId < CM_OUTPUTFIRST || uId > CM_OUTPUTLAST)
        return -1;
    return static_cast<int>(uId - CM_OUTPUTFIRST);
}

bool PXGotoMenu::IsOutputsMenu(HMENU hMenu)
{
    int nCount = ::GetMenuItemCount(hMenu);
    if (nCount <= 0)
        return false;
    if (::GetMenuItemID(hMenu, 0) == CM_NOBLOCKSELECTED)
        return true;
    // Only the popup's own items: a menu holding the submenu is not it.
    for (int i = 0; i < nCount; ++i)
        if (::GetMenuItemID(hMenu, i) == CM_SHOWALLOUTPUTS)
            return true;
    return false;
}

PowerBlock* PXGotoMenu::GetSingleSelectedBlock()
{
    PXWinApp* pWinApp = GetWinApp();
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (!pWinApp || !pFrame)
        return nullptr;
    PXUserApp* pUserApp = pWinApp->GetActiveUserApp();
    if (!pUserApp || pUserApp->GetSelectionKind() != PXSEL_BLOCKS || pUserApp->GetSelectionCount() != 1)
        return nullptr;
    return static_cast<PowerBlock*>(pFrame->GetSelectedObject(0));
}

bool PXGotoMenu::InitPopup(HMENU hMenu)
{
    if (!IsOutputsMenu(hMenu))
        return false;
    while (::GetMenuItemCount(hMenu) > 0)
        ::DeleteMenu(hMenu, 0, MF_BYPOSITION);
    if (PowerBlock* pBlock = GetSingleSelectedBlock())
    {
        PXGotoMenu menu(pBlock);
        menu.Attach(hMenu);
        menu.Build();
        menu.Detach();
    }
    else
        ::AppendMenuA(hMenu, MF_GRAYED | MF_DISABLED, CM_NOBLOCKSELECTED, MenuText(IDS_MENU_NOBLOCK));
    return true;
}
