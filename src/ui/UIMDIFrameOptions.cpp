// The main frame's View and Options commands on the application's settings:
// the option toggles, the status line and the tool strip, the page grid,
// the program diagnostics and log levels, the named fonts of the font
// table, and the palette window over the obsolete blocks.
#include "UIMDIFrame.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "FontObject.h"
#include "FrameBars.h"
#include "IconBoxChild.h"
#include "Icons.h"
#include "LayoutRecord.h"
#include "PaletteMDI.h"
#include "PXCmdIds.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "StatusLineChild.h"
#include "UIApp.h"
#include "UIRes.h"
#include "owl/TMDIClient.h"
#include "plexmodel.h"

#include <cstring>
#include <new>

namespace
{
// The commands that only turn an option bit over.
const struct
{
    UINT nId;
    DWORD dwBit;
} s_Toggles[] = {
    {CM_CONFIRMPASTE, UI_OPT_CONFIRMDELETE},
    {CM_PRINTFRAME, UI_OPT_PRINTFRAME},
    {CM_AUTONAME, UI_OPT_AUTONAME},
    {CM_SMARTROUTING, UI_OPT_SMARTROUTING},
    {CM_LABELSTUBS, UI_OPT_LABELSTUBS},
    {CM_SNAPTOGRID, UI_OPT_SNAPTOGRID},
    {CM_OLDVARTYPES, UI_OPT_OLDVARTYPES},
};

const struct
{
    UINT nId;
    const char* pszFont;
} s_FontCommands[] = {
    {CM_BLOCKFONT, "powerblock_label"},
    {CM_PALETTEFONT, "icon_label"},
    {CM_DEFAULTNOTEFONT, "default_textnotes"},
};

// The page grid's message: a settings fault, shown with the warning icon.
const PXCause kCauseSettings = 0x1;

// The default printer as WIN.INI names it, "NONE" without one.
const int kDeviceSize = 256;

DWORD BitOf(UINT nId)
{
    for (const auto& toggle : s_Toggles)
        if (toggle.nId == nId)
            return toggle.dwBit;
    return 0;
}

void SetOptionBit(DWORD dwBit, bool bOn)
{
    if (UIApp* pApp = UIApp::GetApp())
        pApp->SetOption(dwBit, bOn);
}

// A note edited in place in the active page window's edit pane ends.
void EndActiveNoteEdit(UIMDIChild* pActive)
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(pActive);
    EditChild* pPane = pWindow ? pWindow->GetEditPane() : nullptr;
    if (pPane && pPane->GetMouseMode() == MODE_TEXTEDIT)
        pPane->EndTextEdit();
}
}

// An item that some menu carries shows its state by its check mark; the
// commands that no menu item carries keep theirs in the option bit, so
// that they turn it over too.
static bool IsOptionChecked(const UIMDIFrame& frame, UINT nId, DWORD dwBit)
{
    if (frame.FindMenuHolding(nId))
        return frame.IsMenuChecked(nId);
    return UIApp::IsOptionSet(dwBit);
}

void UIMDIFrame::CmToggleOption(UINT nId)
{
    const DWORD dwBit = BitOf(nId);
    PXASSERT(dwBit != 0);
    const bool bOn = !IsOptionChecked(*this, nId, dwBit);
    SetMenuCheck(nId, bOn);
    SetOptionBit(dwBit, bOn);
}

void UIMDIFrame::CmOldVarTypes()
{
    kvrToggleBackTypes();
    CmToggleOption(CM_OLDVARTYPES);
}

void UIMDIFrame::CmStatusLine()
{
    const bool bOn = !IsOptionChecked(*this, CM_STATUSLINE, UI_OPT_STATUSLINE);
    SetMenuCheck(CM_STATUSLINE, bOn);
    SetOptionBit(UI_OPT_STATUSLINE, bOn);
    if (StatusLineChild* pLine = GetFrameStatusLine(*this))
        pLine->Show(bOn);
}

void UIMDIFrame::CmToolBar()
{
    const bool bOn = !IsOptionChecked(*this, CM_TOOLBAR, UI_OPT_TOOLBAR);
    SetMenuCheck(CM_TOOLBAR, bOn);
    SetOptionBit(UI_OPT_TOOLBAR, bOn);
    if (IconBoxChild* pStrip = GetFrameToolStrip(*this))
        pStrip->Show(bOn);
}

void UIMDIFrame::CmPageGrid()
{
    char szDevice[kDeviceSize] = "";
    ::GetProfileStringA("windows", "device", "NONE", szDevice, sizeof(szDevice));
    if (IsOptionChecked(*this, CM_PAGEGRID, UI_OPT_PRINTGRID))
    {
        SetMenuCheck(CM_PAGEGRID, false);
        SetOptionBit(UI_OPT_PRINTGRID, false);
    }
    // An empty entry names no printer either.
    else if (szDevice[0] != '\0' && std::strcmp(szDevice, "NONE") != 0)
    {
        SetMenuCheck(CM_PAGEGRID, true);
        SetOptionBit(UI_OPT_PRINTGRID, true);
    }
    else if (PXFaultHandlerObj* pReporter = PXGetWinApp())
    {
        PXArgList message(IDS_UI_NOPAGEGRID);
        pReporter->Report(kCauseSettings, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                          "src\\pxui\\src\\ui", __LINE__);
    }
    RereadChildResources();
    RelayoutChildren();
}

void UIMDIFrame::CmDiagLevel(UINT nId)
{
    if (IsMenuChecked(nId))
        return;
    DWORD dwLevel;
    switch (nId)
    {
    case CM_DIAGNONE: dwLevel = 1; break;
    case CM_DIAGLOW: dwLevel = 2; break;
    case CM_DIAGMEDIUM: dwLevel = 4; break;
    default: dwLevel = 8; break;
    }
    if (UIApp* pApp = UIApp::GetApp())
        pApp->SetDiagLevel(dwLevel);
}

void UIMDIFrame::CmLogLevel(UINT nId)
{
    if (IsMenuChecked(nId))
        return;
    // Low 1, medium 2, high 3: the client library takes it at the next login.
    if (UIApp* pApp = UIApp::GetApp())
        pApp->SetLogLevel(static_cast<int>(nId - CM_LOGLOW) + 1);
}

const char* UIMDIFrame::FontNameOf(UINT nId)
{
    for (const auto& command : s_FontCommands)
        if (command.nId == nId)
            return command.pszFont;
    return nullptr;
}

void UIMDIFrame::CmNamedFont(UINT nId)
{
    const char* pszFont = FontNameOf(nId);
    PXASSERT(pszFont != nullptr);
    if (nId == CM_BLOCKFONT)
    {
        SetPageGridCell(0, 0);
        EndActiveNoteEdit(GetActiveEditWindow());
    }
    FontObject* pCurrent = g_pFonts ? g_pFonts->Find(pszFont) : nullptr;
    // A table without the font offers nothing to start from.
    if (!pCurrent)
    {
        PXMessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    FontObject* pChosen = FontObject::Choose(pCurrent, HWindow);
    if (!pChosen)
        return;
    g_pFonts->Add(pChosen, TRUE);
    RereadChildResources();
    RelayoutChildren();
}

void UIMDIFrame::CmObsoletePalette()
{
    TMDIClient* pClient = GetClientWindow();
    const LayoutRecord* pRecord = LayoutRecord::Find(LAYOUT_PALETTE);
    Icons* pIcons = Icons::GetObsolete();
    if (!pClient || !pClient->HWindow || !pRecord || !pIcons)
        return;
    PaletteMDI* pWindow = new (std::nothrow) PaletteMDI(*pClient, pRecord, pIcons, "Old ZirirAradur");
    if (pWindow && !pWindow->Create())
        delete pWindow;
}
