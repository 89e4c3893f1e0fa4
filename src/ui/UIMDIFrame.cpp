// The main frame's page-window registry, current program and page, change
// fan-out, captions and status text.
#include "UIMDIFrame.h"
#include "PrintEdit.h"
#include "DrawHelpers.h"
#include "UIApp.h"
#include "UIRes.h"
#include "FrameBars.h"
#include "IconBoxChild.h"
#include "PXCmdIds.h"
#include "PXUIMsg.h"
#include "StatusLineChild.h"
#include "TFindPBDialog.h"
#include "Page.h"
#include "Program.h"
#include "PXCmdIds.h"
#include "PXMainFrame.h"
#include "PXPaletteManager.h"
#include "PXMsgBox.h"
#include "PXWinApp.h"
#include "owl/TApplication.h"
#include "owl/TMDIChild.h"

#include <algorithm>
#include <cstdio>

namespace
{
UIMDIFrame::EditWindowFactory s_pfnEditWindowFactory = nullptr;
UIMDIFrame::AutoSaveCall s_pfnAutoSave = &UIMDIFrame::RunAutoSaveTick;
UIMDIFrame::BarsFactory s_pfnBarsFactory = nullptr;

// The menu items that show the option bits, in the order they are checked.
const struct
{
    DWORD dwBit;
    UINT nCommand;
} s_OptionChecks[] = {
    {UI_OPT_STATUSLINE, 4157},      // View, Status Line
    {UI_OPT_TOOLBAR, 4156},         // View, Tool Bar
    {UI_OPT_SMARTROUTING, 4163},    // Options, Smart Routing
    {UI_OPT_LABELSTUBS, 4172},      // Options, Label Stub Gotos
    {UI_OPT_CONFIRMDELETE, 4210},   // Options, Confirm Paste/Delete
    {UI_OPT_AUTONAME, 4247},        // Options, Auto Name
    {UI_OPT_OLDVARTYPES, 4200},     // Options, Old Variable Types
    {UI_OPT_SNAPTOGRID, 4175},      // Options, Snap to Grid
    {UI_OPT_PRINTGRID, 4195},       // View, Page Grid
    {UI_OPT_PRINTFRAME, 4196},      // Options, Print Frame
};
const UINT kAutoSaveTimer = 7;

void WriteMainInt(const char* pszKey, long nValue)
{
    char sz[16];
    std::snprintf(sz, sizeof(sz), "%ld", nValue);
    WritePrivateProfileStringA("Main", pszKey, sz, UIApp::SettingsFile());
}
}

void UIMDIFrame::GetWindowClass(WNDCLASSA& wc)
{
    TMDIFrame::GetWindowClass(wc);
    HINSTANCE hModule = GetModule() ? GetModule()->GetHandle() : nullptr;
    if (HICON hIcon = hModule ? ::LoadIconA(hModule, "KVRICON") : nullptr)
        wc.hIcon = hIcon;
}

bool UIMDIFrame::CanClose()
{
    if (HWindow)
    {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        if (::GetWindowPlacement(HWindow, &placement) && placement.showCmd != 0)
        {
            WriteMainInt("left", placement.rcNormalPosition.left);
            WriteMainInt("top", placement.rcNormalPosition.top);
            WriteMainInt("right", placement.rcNormalPosition.right);
            WriteMainInt("bottom", placement.rcNormalPosition.bottom);
            WriteMainInt("WinState", static_cast<long>(placement.showCmd));
        }
    }
    if (UIMDIChild* pActive = GetActiveEditWindow())
    {
        int nZoom = pActive->GetEditZoom();
        if (nZoom >= 0)
            WriteMainInt("Zoom Level", nZoom);
        else
            ShowMessageId(IDS_UI_NOEDITCHILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        NoPageWindow();
    }
    m_nClosing = 1;
    bool bCanClose;
    try
    {
        bCanClose = TMDIFrame::CanClose();
    }
    catch (...)
    {
        m_nClosing = 0;
        throw;
    }
    PrinterCleanup();
    m_nClosing = 0;
    return bCanClose;
}

void UIMDIFrame::EvGetMinMaxInfo(MINMAXINFO& info)
{
    TMDIFrame::EvGetMinMaxInfo(info);
    if (m_pMainFrame && m_pMainFrame->IsFullScreen())
    {
        RECT rc = m_pMainFrame->GetFullScreenRect();
        info.ptMaxTrackSize.x = std::max<LONG>(info.ptMaxTrackSize.x, rc.right - rc.left);
        info.ptMaxTrackSize.y = std::max<LONG>(info.ptMaxTrackSize.y, rc.bottom - rc.top);
        info.ptMaxSize = info.ptMaxTrackSize;
    }
}

const TEventEntry* UIMDIFrame::EventTable()
{
    typedef TEventFor<UIMDIFrame> E;
    static const TEventEntry s_Table[] = {
        // Messages.
        E::Size(&UIMDIFrame::EvSize),
        E::Close(&UIMDIFrame::EvClose),
        E::ActivateApp(&UIMDIFrame::EvActivateApp),
        E::SetCursor(&UIMDIFrame::EvSetCursor),
        E::GetMinMaxInfo(&UIMDIFrame::EvGetMinMaxInfo),
        E::NCMouseMove(&UIMDIFrame::EvNCMouseMove),
        E::Timer(&UIMDIFrame::EvTimer),
        E::InitMenuPopup(&UIMDIFrame::EvInitMenuPopup),
        E::MenuSelect(&UIMDIFrame::EvMenuSelect),
        E::Message(WM_PLT_TABSELECTED, &UIMDIFrame::EvPaletteTabSelected),
        E::Message(WM_PLT_DRAGSTART, &UIMDIFrame::EvPaletteDragStart),
        E::Message(WM_UI_RELAYOUT, &UIMDIFrame::EvRelayout),
        E::Message(WM_UI_MODELNOTIFY, &UIMDIFrame::EvNotify),
        E::Message(WM_UI_WINDOWKIND, &UIMDIFrame::EvWindowKind),
        E::Message(WM_UI_BLOCKREQUEST, &UIMDIFrame::EvBlockRequest),
        E::Message(WM_UI_OPENPROGRAM, &UIMDIFrame::EvOpenProgram),
        E::Message(WM_UI_BLOCKCHANGED, &UIMDIFrame::EvBlockChanged),
        E::Message(WM_UI_BUSYCURSOR, &UIMDIFrame::EvBusyCursor),
        E::Message(WM_UI_ARRANGE, &UIMDIFrame::EvArrange),
        E::Message(WM_USER + 1102, &UIMDIFrame::EvQueryIgnored),
        // Commands.
        E::Command(CM_FINDPOWERBLOCK, &UIMDIFrame::CmFindPowerBlock),
        E::Command(CM_PRINTBLOCKS, &UIMDIFrame::CmPrintBlockDetails),
        E::Command(CM_PRINTITEMS, &UIMDIFrame::CmPrintVoiceFaxItems),
        E::Command(CM_PRINTSUPERBLOCKS, &UIMDIFrame::CmPrintSuperBlockReport),
        E::Command(4182, &UIMDIFrame::CmDebugNothing),
        E::Command(4183, &UIMDIFrame::CmDebugNothing),
        E::Command(4184, &UIMDIFrame::CmDebugNothing),
        E::Command(4185, &UIMDIFrame::CmDebugNothing),
        E::Command(4186, &UIMDIFrame::CmDebugNothing),
        E::Command(4187, &UIMDIFrame::CmDebugNothing),
        E::Command(4188, &UIMDIFrame::CmDebugNothing),
        E::Command(CM_TOGGLEBREAKPOINTS, &UIMDIFrame::CmToggleBreakpoints),
        E::Command(4190, &UIMDIFrame::CmDebugNothing),
        E::Command(4191, &UIMDIFrame::CmDebugNothing),
        E::Command(4192, &UIMDIFrame::CmDebugNothing),
        E::Command(CM_RUNPROGRAM, &UIMDIFrame::CmRunProgram),
        E::Command(CM_DEBUGBUSY, &UIMDIFrame::CmDebugBusy),
        E::CommandId(CM_RECENTFIRST + 0, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 1, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 2, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 3, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 4, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 5, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 6, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 7, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 8, &UIMDIFrame::CmOpenRecent),
        E::CommandId(CM_RECENTFIRST + 9, &UIMDIFrame::CmOpenRecent),
        E::Command(CM_PALETTE, &UIMDIFrame::TogglePalette),
        E::Command(CM_PRINTFLOW, &UIMDIFrame::CmPrint),
        E::Command(CM_PRINTSETUP, &UIMDIFrame::CmPrinterSetup),
        E::Command(CM_SETZOOM, &UIMDIFrame::CmSetZoom),
        E::Command(CM_ZOOMIN, &UIMDIFrame::CmZoomIn),
        E::Command(CM_ZOOMOUT, &UIMDIFrame::CmZoomOut),
        E::Command(CM_ZOOMNORMAL, &UIMDIFrame::CmZoomNormal),
        E::Command(CM_FULLSCREEN, &UIMDIFrame::CmFullScreen),
        E::Command(CM_ABOUT, &UIMDIFrame::CmAbout),
        E::Command(CM_NEWSUPERBLOCK, &UIMDIFrame::CmNewSuperBlock),
        E::CommandId(CM_VIEWSUPERBLOCKS, &UIMDIFrame::CmViewPages),
        E::CommandId(CM_VIEWVERIFBLOCKS, &UIMDIFrame::CmViewPages),
        E::CommandId(CM_DEFINESUPERBLOCKS, &UIMDIFrame::CmDefinePages),
        E::CommandId(CM_DEFINEVERIFBLOCKS, &UIMDIFrame::CmDefinePages),
        E::Command(CM_AUTOSAVEOPTIONS, &UIMDIFrame::CmAutoSaveOptions),
        // The File menu.
        E::Command(CM_FILENEW, &UIMDIFrame::CmFileNew),
        E::Command(CM_FILEOPEN, &UIMDIFrame::CmFileOpen),
        E::Command(CM_FILECLOSE, &UIMDIFrame::CmFileClose),
        E::Command(CM_FILESAVE, &UIMDIFrame::CmFileSave),
        E::Command(CM_FILESAVEAS, &UIMDIFrame::CmFileSaveAs),
        E::Command(CM_FILEPROPERTIES, &UIMDIFrame::CmFileProperties),
        E::Command(CM_FILEIMPORT, &UIMDIFrame::CmFileImport),
        E::Command(CM_FILEREMOVEIMPORT, &UIMDIFrame::CmFileRemoveImport),
        E::Command(CM_FILEEXPORT, &UIMDIFrame::CmFileExport),
        E::Command(CM_FILEUNDOEXPORT, &UIMDIFrame::CmFileUndoExport),
        E::Command(CM_FILEDELETE, &UIMDIFrame::CmFileDelete),
        E::Command(CM_FILELOCKS, &UIMDIFrame::CmFileLocks),
        E::Command(CM_EXIT, &UIMDIFrame::CmExit),
        // The Edit menu and its commands that no menu item carries.
        E::Command(CM_EDITCUT, &UIMDIFrame::CmEditCut),
        E::Command(CM_EDITCOPY, &UIMDIFrame::CmEditCopy),
        E::Command(CM_EDITPASTE, &UIMDIFrame::CmEditPaste),
        E::Command(CM_EDITDELETE, &UIMDIFrame::CmEditDelete),
        E::Command(CM_CANCELPASTE, &UIMDIFrame::CmCancelPaste),
        E::Command(CM_RENAME, &UIMDIFrame::CmRename),
        E::Command(CM_BLOCKPROPERTIES, &UIMDIFrame::CmBlockProperties),
        E::Command(CM_CONFIGUREBLOCK, &UIMDIFrame::CmConfigureBlock),
        E::Command(CM_REROUTELINE, &UIMDIFrame::CmRerouteLine),
        E::Command(CM_REROUTEALLLINES, &UIMDIFrame::CmRerouteAllLines),
        E::Command(CM_STUBLINE, &UIMDIFrame::CmStubLine),
        E::Command(CM_TEXTNOTE, &UIMDIFrame::CmCreateTextNote),
        E::Command(CM_TEXTNOTEFONT, &UIMDIFrame::CmTextNoteFont),
        E::Command(CM_EDITTEXTNOTE, &UIMDIFrame::CmEditTextNote),
        E::Command(CM_SBCOMMENT, &UIMDIFrame::CmSuperBlockComment),
        E::Command(CM_PROGRAMCOMMENT, &UIMDIFrame::CmProgramComment),
        E::CommandId(CM_SHOWALLOUTPUTS, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_HIDEALLOUTPUTS, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 0, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 1, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 2, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 3, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 4, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 5, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 6, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 7, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 8, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 9, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 10, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 11, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 12, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 13, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 14, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 15, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 16, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 17, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 18, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 19, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 20, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 21, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 22, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 23, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 24, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 25, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 26, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 27, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 28, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 29, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 30, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 31, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 32, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 33, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 34, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 35, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 36, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 37, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 38, &UIMDIFrame::CmHideShowOutput),
        E::CommandId(CM_OUTPUTFIRST + 39, &UIMDIFrame::CmHideShowOutput),
        // The View, Options, build and Help commands.
        E::CommandId(CM_CONFIRMPASTE, &UIMDIFrame::CmToggleOption),
        E::CommandId(CM_PRINTFRAME, &UIMDIFrame::CmToggleOption),
        E::CommandId(CM_AUTONAME, &UIMDIFrame::CmToggleOption),
        E::CommandId(CM_SMARTROUTING, &UIMDIFrame::CmToggleOption),
        E::CommandId(CM_LABELSTUBS, &UIMDIFrame::CmToggleOption),
        E::CommandId(CM_SNAPTOGRID, &UIMDIFrame::CmToggleOption),
        E::Command(CM_OLDVARTYPES, &UIMDIFrame::CmOldVarTypes),
        E::Command(CM_STATUSLINE, &UIMDIFrame::CmStatusLine),
        E::Command(CM_TOOLBAR, &UIMDIFrame::CmToolBar),
        E::Command(CM_PAGEGRID, &UIMDIFrame::CmPageGrid),
        E::CommandId(CM_DIAGNONE, &UIMDIFrame::CmDiagLevel),
        E::CommandId(CM_DIAGLOW, &UIMDIFrame::CmDiagLevel),
        E::CommandId(CM_DIAGMEDIUM, &UIMDIFrame::CmDiagLevel),
        E::CommandId(CM_DIAGHIGH, &UIMDIFrame::CmDiagLevel),
        E::CommandId(CM_LOGLOW, &UIMDIFrame::CmLogLevel),
        E::CommandId(CM_LOGMEDIUM, &UIMDIFrame::CmLogLevel),
        E::CommandId(CM_LOGHIGH, &UIMDIFrame::CmLogLevel),
        E::CommandId(CM_BLOCKFONT, &UIMDIFrame::CmNamedFont),
        E::CommandId(CM_PALETTEFONT, &UIMDIFrame::CmNamedFont),
        E::CommandId(CM_DEFAULTNOTEFONT, &UIMDIFrame::CmNamedFont),
        E::Command(CM_OBSOLETEPALETTE, &UIMDIFrame::CmObsoletePalette),
        E::CommandId(CM_PAGEUP, &UIMDIFrame::CmScroll),
        E::CommandId(CM_PAGEDOWN, &UIMDIFrame::CmScroll),
        E::CommandId(CM_PAGELEFT, &UIMDIFrame::CmScroll),
        E::CommandId(CM_PAGERIGHT, &UIMDIFrame::CmScroll),
        E::CommandId(CM_LINEUP, &UIMDIFrame::CmScroll),
        E::CommandId(CM_LINEDOWN, &UIMDIFrame::CmScroll),
        E::CommandId(CM_LINELEFT, &UIMDIFrame::CmScroll),
        E::CommandId(CM_LINERIGHT, &UIMDIFrame::CmScroll),
        E::CommandId(CM_HOME, &UIMDIFrame::CmScroll),
        E::CommandId(CM_TOP, &UIMDIFrame::CmScroll),
        E::Command(CM_BUILD, &UIMDIFrame::CmBuild),
        E::CommandId(CM_HELPTOPICS, &UIMDIFrame::CmHelp),
        E::CommandId(CM_HELPOVERVIEW, &UIMDIFrame::CmHelp),
        E::CommandId(CM_HELPUSING, &UIMDIFrame::CmHelp),
        E::Command(CM_TUTORIAL, &UIMDIFrame::CmTutorial),
        E::Command(CM_DOCUMENTATION, &UIMDIFrame::CmDocumentation),
        // Enablers.
        E::Enabler(4182, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4183, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4184, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4185, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4186, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4187, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4188, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4189, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4190, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4191, &UIMDIFrame::CeDebugNothing),
        E::Enabler(4192, &UIMDIFrame::CeDebugNothing),
        {},
    };
    return s_Table;
}

bool UIMDIFrame::Find(TEventInfo& info)
{
    if (const TEventEntry* pEntry = FindEventEntry(EventTable(), info))
    {
        info.Entry = pEntry;
        return true;
    }
    return TMDIFrame::Find(info);
}

LRESULT UIMDIFrame::EvRelayout(WPARAM, LPARAM)
{
    PXASSERT(::IsWindow(HWindow));
    TMDIClient* pClient = GetClientWindow();
    HWND hClient = pClient ? pClient->HWindow : nullptr;
    // Only a lock of our own is undone: another window's stays.
    bool bLocked = ::LockWindowUpdate(HWindow) != FALSE;
    RECT rc = {};
    ::GetClientRect(HWindow, &rc);
    RECT rcClient = LayoutFrameBars(*this, rc);
    if (hClient && !::IsIconic(HWindow))
        ::SetWindowPos(hClient, nullptr, rcClient.left, rcClient.top, rcClient.right - rcClient.left,
                       rcClient.bottom - rcClient.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    PXASSERT(m_pMainFrame != 0);
    m_pMainFrame->Attach(HWindow, hClient);
    PaletteFrameSize(rc.right - rc.left, rc.bottom - rc.top);
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    if (hClient)
    {
        ::InvalidateRect(hClient, nullptr, TRUE);
        ::UpdateWindow(hClient);
    }
    return 0;
}

void UIMDIFrame::RelayoutBars()
{
    if (HWindow)
        ::SendMessageA(HWindow, WM_UI_RELAYOUT, 0, 0);
}

void UIMDIFrame::EvSize(UINT sizeType, int cx, int cy)
{
    DefaultProcessing();
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED)
    {
        Attr.W = cx;
        Attr.H = cy;
    }
    RelayoutBars();
}

void UIMDIFrame::EvTimer(UINT timerId)
{
    if (PXLongOperation::DeferTimer(HWindow, timerId))   // no save in the middle of a routing search
        return;
    if (timerId == kAutoSaveTimer && s_pfnAutoSave)
        s_pfnAutoSave();
}

UIMDIFrame::AutoSaveCall UIMDIFrame::SetAutoSaveCall(AutoSaveCall pfn)
{
    AutoSaveCall pfnOld = s_pfnAutoSave;
    s_pfnAutoSave = pfn;
    return pfnOld;
}

UIMDIFrame::UIMDIFrame(TMDIClient& client, TModule* pModule)
    : TMDIFrame(GetApplicationObject() ? GetApplicationObject()->GetName() : "", "MAINMENU", client, pModule),
      m_pMainFrame(new PXMainFrame), m_pStatusLine(nullptr), m_nGridCellWidth(0), m_nGridCellHeight(0),
      m_pCurrentProgram(nullptr), m_pCurrentPage(nullptr), m_nClosing(0), m_bSettingPage(false),
      m_pMarkedBlock(nullptr), m_nRecentCapacity(0), m_nRecentCount(0)
{
    ReadRecentPrograms();
    SetPXMainFrame(m_pMainFrame);
    PXWinApp::SetEditorFrame(this);
    PXWinApp::SetCurrentProgramSource(CurrentProgramPath);
    if (s_pfnBarsFactory)
        s_pfnBarsFactory(*this);
}

const char* UIMDIFrame::CurrentProgramPath()
{
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    Program* pProgram = pFrame ? pFrame->GetCurrentProgram() : nullptr;
    return pProgram ? pProgram->GetName() : nullptr;
}

TWindow* UIMDIFrame::WindowFromPoint(POINT ptScreen)
{
    HWND hWnd = ::WindowFromPoint(ptScreen);
    return hWnd ? TWindow::GetWindowPtr(hWnd) : nullptr;
}

UIMDIFrame::BarsFactory UIMDIFrame::SetBarsFactory(BarsFactory pfnFactory)
{
    BarsFactory pfnOld = s_pfnBarsFactory;
    s_pfnBarsFactory = pfnFactory;
    return pfnOld;
}

void UIMDIFrame::SetupWindow()
{
    m_nGridCellWidth = 0;
    m_nGridCellHeight = 0;
    UIApp::SplashGauge(80);
    TMDIFrame::SetupWindow();
    TMDIClient* pClient = GetClientWindow();
    m_pMainFrame->Attach(HWindow, pClient ? pClient->HWindow : nullptr);
    MakeClipboardProgram();
    for (const auto& check : s_OptionChecks)
        if (UIApp::IsOptionSet(check.dwBit))
            SetMenuCheck(check.nCommand, true);
    if (StatusLineChild* pLine = GetFrameStatusLine(*this))
        if (UIApp::IsOptionSet(UI_OPT_STATUSLINE))
            pLine->Show(true);
    if (IconBoxChild* pStrip = GetFrameToolStrip(*this))
        if (UIApp::IsOptionSet(UI_OPT_TOOLBAR))
            pStrip->Show(true);
    SetupPalette();
    RelayoutBars();
    AddRecentProgram(nullptr);
    PXWinApp::UpdateCommandUI();
}

// The menu holding the command among the menu's items and, at any depth,
// its pop-ups' items.
static HMENU MenuHolding(HMENU hMenu, UINT nId)
{
    int nItems = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    for (int j = 0; j < nItems; ++j)
    {
        if (HMENU hSub = ::GetSubMenu(hMenu, j))
        {
            if (HMENU hFound = MenuHolding(hSub, nId))
                return hFound;
        }
        else if (::GetMenuItemID(hMenu, j) == nId)
        {
            return hMenu;
        }
    }
    return nullptr;
}

HMENU UIMDIFrame::FindMenuHolding(UINT nId) const
{
    HMENU hBar = GetMenu();
    int nPopups = hBar ? ::GetMenuItemCount(hBar) : 0;
    for (int i = 0; i < nPopups; ++i)
        if (HMENU hPopup = MenuHolding(::GetSubMenu(hBar, i), nId))
            return hPopup;
    return nullptr;
}

void UIMDIFrame::SetMenuCheck(UINT nId, bool bChecked)
{
    if (HMENU hPopup = FindMenuHolding(nId))
        ::CheckMenuItem(hPopup, nId, MF_BYCOMMAND | (bChecked ? MF_CHECKED : MF_UNCHECKED));
}

bool UIMDIFrame::IsMenuChecked(UINT nId) const
{
    HMENU hPopup = FindMenuHolding(nId);
    return hPopup && (::GetMenuState(hPopup, nId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

BOOL UIMDIFrame::IsPaletteShown()
{
    // The palette manager holds the palette window while it is shown.
    return m_pMainFrame->m_pPaletteManager && m_pMainFrame->m_pPaletteManager->IsOpen();
}

BOOL UIMDIFrame::IsFullScreen()
{
    return m_pMainFrame->IsFullScreen();
}

BOOL UIMDIFrame::IsEditingTextNote()
{
    UIMDIChild* pActive = GetActiveEditWindow();
    return pActive ? pActive->IsEditingTextNote() : FALSE;
}

int UIMDIFrame::GetSelectionCount()
{
    UIMDIChild* pActive = GetActiveEditWindow();
    return pActive ? pActive->GetSelectionCount() : 0;
}

UIObject* UIMDIFrame::GetSelectedObject(int nIndex)
{
    UIMDIChild* pActive = GetActiveEditWindow();
    return pActive ? pActive->GetSelectedObject(nIndex) : nullptr;
}

Page* UIMDIFrame::GetActivePage()
{
    UIMDIChild* pActive = GetActiveEditWindow();
    return pActive ? pActive->GetPage() : nullptr;
}

void UIMDIFrame::ShowPage(Page* pPage)
{
    if (!pPage)
        return;
    if (FindChildForPage(pPage))
        SetCurrentPage(pPage);
    else if (pPage->GetProgram())
        OpenEditWindow(pPage->GetProgram(), pPage);
}

void UIMDIFrame::ClosePageWindows(Page* pPage)
{
    if (!pPage)
        return;
    // Each window closes itself and leaves the list, so look again from
    // the start after each one.
    while (UIMDIChild* pChild = FindChildForPage(pPage))
    {
        size_t nBefore = m_Children.size();
        pChild->ObjectChanged(pPage, OBJECT_CHANGING, 0);
        if (m_Children.size() == nBefore)
            break;  // a window that would not close: leave it
    }
}

UIMDIFrame::~UIMDIFrame()
{
    m_nClosing = 1;
    WriteRecentPrograms();
    if (PXWinApp::GetEditorFrame() == this)
        PXWinApp::SetEditorFrame(nullptr);
    delete m_pMainFrame;
    m_pMainFrame = nullptr;
    FreeClipboardProgram();
    if (ModelIsObserver(this))
        ModelSetObserver(nullptr);
    m_Children.clear();
    m_pCurrentProgram = nullptr;
    m_pCurrentPage = nullptr;
}

UIMDIFrame::EditWindowFactory UIMDIFrame::SetEditWindowFactory(EditWindowFactory pfnFactory)
{
    EditWindowFactory pfnOld = s_pfnEditWindowFactory;
    s_pfnEditWindowFactory = pfnFactory;
    return pfnOld;
}

UIMDIChild* UIMDIFrame::OpenEditWindow(Program* pProgram, Page* pPage)
{
    PXASSERT(pProgram != 0);
    if (!s_pfnEditWindowFactory)
        return nullptr;
    CString strCaption = CaptionFor(pProgram, pPage);
    UIMDIChild* pChild = s_pfnEditWindowFactory(*this, pProgram, pPage, strCaption);
    if (!pChild)
        return nullptr;
    if (HWND hWnd = pChild->GetHandle())
        ::ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    AddChild(pChild);
    return pChild;
}

void UIMDIFrame::AddChild(UIMDIChild* pChild)
{
    PXASSERT(pChild != 0);
    PXASSERT(!IsListed(pChild));
    m_Children.push_back(pChild);
    if (Program* pProgram = pChild->GetProgram())
        pProgram->AddOpenWindow(1);
    pChild->LayoutPanes();
    RefreshCaptions();
    if (pChild == GetActiveEditWindow())
        RefreshFindPowerBlock();
}

void UIMDIFrame::CloseChild(UIMDIChild* pChild)
{
    auto it = std::find(m_Children.begin(), m_Children.end(), pChild);
    if (it != m_Children.end())
    {
        m_Children.erase(it);
        Program* pProgram = pChild->GetProgram();
        if (pProgram)
            pProgram->AddOpenWindow(-1);
        int nRemoved = pChild->GetWindowNumber();
        for (UIMDIChild* pOther : m_Children)
            if (pProgram && pOther->GetProgram() == pProgram)
                pOther->AdjustIndexOnRemove(nRemoved);
        // What the window showed may be gone with it.
        if (m_pCurrentPage && m_pCurrentPage == pChild->GetPage() && !FindChildForPage(m_pCurrentPage))
            m_pCurrentPage = nullptr;
        if (pProgram && pProgram->GetOpenWindows() <= 0)
            PaletteForgetProgram(pProgram);
        if (pProgram && m_pCurrentProgram == pProgram && pProgram->GetOpenWindows() <= 0)
        {
            m_pCurrentProgram = nullptr;
            m_pCurrentPage = nullptr;
        }
    }
    RefreshCaptions();
}

UIMDIChild* UIMDIFrame::GetChild(int nIndex) const
{
    PXASSERT(nIndex >= 0 && nIndex < GetChildCount());
    return m_Children[static_cast<size_t>(nIndex)];
}

bool UIMDIFrame::IsListed(const UIMDIChild* pChild) const
{
    return std::find(m_Children.begin(), m_Children.end(), pChild) != m_Children.end();
}

void UIMDIFrame::SetCurrentProgram(Program* pProgram)
{
    if (pProgram == m_pCurrentProgram)
        return;
    m_pCurrentProgram = pProgram;
    PaletteFollowProgram(pProgram);
    // An open Find dialog follows the current program. A page window
    // being made is not listed yet: AddChild refreshes for it.
    if (GetActiveEditWindow())
        RefreshFindPowerBlock();
}

void UIMDIFrame::SetCurrentPage(Page* pPage)
{
    if (pPage == m_pCurrentPage)
        return;
    // The activation of a page window tells the frame of its page; the
    // page asked for here is made current below in any case.
    if (!m_bSettingPage)
    {
        if (UIMDIChild* pChild = pPage ? FindChildForPage(pPage) : nullptr)
        {
            m_bSettingPage = true;
            try
            {
                ActivateChild(pChild);
            }
            catch (...)
            {
                m_bSettingPage = false;
                throw;
            }
            m_bSettingPage = false;
        }
    }
    m_pCurrentPage = pPage;
    Program* pProgram = pPage ? pPage->GetProgram() : nullptr;
    if (pProgram != m_pCurrentProgram)
        SetCurrentProgram(pProgram);
}

UIMDIChild* UIMDIFrame::GetActiveEditWindow() const
{
    TMDIClient* pClient = GetClientWindow();
    if (!pClient || !pClient->HWindow)
        return nullptr;
    HWND hActive = reinterpret_cast<HWND>(::SendMessageA(pClient->HWindow, WM_MDIGETACTIVE, 0, 0));
    if (!hActive)
        return nullptr;
    for (UIMDIChild* pChild : m_Children)
        if (pChild->GetHandle() == hActive)
            return pChild;
    return nullptr;
}

bool UIMDIFrame::ActivateChild(UIMDIChild* pChild)
{
    PXASSERT(pChild != 0);
    HWND hWnd = pChild->GetHandle();
    if (hWnd && ::IsWindow(hWnd))
    {
        if (!::IsZoomed(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        ::BringWindowToTop(hWnd);
        ::SetFocus(hWnd);
        TMDIClient* pClient = GetClientWindow();
        if (pClient && pClient->HWindow && ::GetParent(hWnd) == pClient->HWindow)
            ::SendMessageA(pClient->HWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    UIMDIChild* pActive = GetActiveEditWindow();
    if (!pActive)
    {
        NoPageWindow();
        return false;
    }
    if (pActive->GetEditZoom() < 0)
    {
        ShowMessageId(IDS_UI_NOEDITCHILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The palette's icons take the size of the active page's zoom.
    RebuildResizedIcons(pActive->GetEditZoom());
    return true;
}

void UIMDIFrame::NoPageWindow()
{
    ShowStatusHint(IDS_UI_SELECTPROGRAMWINDOW, 1);
    PXMessageBeep(MB_ICONEXCLAMATION);
}

void UIMDIFrame::NotifyChildren(UIObject* pObject, int nKind, int nFlags)
{
    // A window may close while it is told, itself or another one; walk a
    // copy and tell only those still listed (a closed one may be gone).
    std::vector<UIMDIChild*> children(m_Children);
    for (UIMDIChild* pChild : children)
        if (IsListed(pChild))
            pChild->ObjectChanged(pObject, nKind, nFlags);
}

void UIMDIFrame::RelayoutChildren()
{
    std::vector<UIMDIChild*> children(m_Children);
    for (UIMDIChild* pChild : children)
        if (IsListed(pChild))
            pChild->LayoutPanes();
}

void UIMDIFrame::RereadChildResources()
{
    std::vector<UIMDIChild*> children(m_Children);
    for (UIMDIChild* pChild : children)
        if (IsListed(pChild))
            pChild->RereadResources();
}

CString UIMDIFrame::CaptionFor(Program* pProgram, Page* pPage)
{
    CString strPath(pProgram->GetName());
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    CString strFile = nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
    int nDot = strFile.ReverseFind('.');
    if (nDot >= 0)
        strFile = strFile.Left(nDot);
    if (pPage && pPage->GetKind() != PX_PAGE_MAIN)
    {
        CString strFormat;
        strFormat.LoadString(IDS_UI_PAGECAPTION);
        CString strPaged;
        strPaged.Format(strFormat, static_cast<const char*>(strFile), pPage->GetName());
        strFile = strPaged;
    }
    if (pProgram->IsModified())
        strFile += " *";
    return strFile;
}

void UIMDIFrame::RefreshCaptions()
{
    for (UIMDIChild* pChild : m_Children)
    {
        Program* pProgram = pChild->GetProgram();
        HWND hWnd = pChild->GetHandle();
        if (!pProgram || !hWnd)
            continue;
        CString strCaption = CaptionFor(pProgram, pChild->GetPage());
        char szNow[MAX_PATH + 8] = "";
        ::GetWindowTextA(hWnd, szNow, sizeof(szNow));
        if (strCaption.Compare(szNow) != 0)
            ::SetWindowTextA(hWnd, strCaption);
    }
}

UIMDIChild* UIMDIFrame::FindChildForPage(Page* pPage) const
{
    for (UIMDIChild* pChild : m_Children)
        if (pChild->GetPage() == pPage)
            return pChild;
    return nullptr;
}

void UIMDIFrame::RefreshCommandStates()
{
    UIApp::RefreshCommandStates();
}

void UIMDIFrame::SetStatusText(const char* pszText, int bHighlight)
{
    if (m_pStatusLine)
        m_pStatusLine->SetText(bHighlight ? 3 : 0, pszText, bHighlight != 0);
}

void UIMDIFrame::ShowStatusHint(UINT nId, int bHighlight)
{
    // The string comes from the module of the window that is active now.
    HINSTANCE hModule = nullptr;
    if (HWND hActive = ::GetActiveWindow())
        hModule = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(hActive, GWLP_HINSTANCE));
    char szText[128] = "";
    if (!hModule || ::LoadStringA(hModule, nId, szText, sizeof(szText)) <= 0)
    {
        // Not every window's module carries the program's texts.
        if (::LoadStringA(TModule::GetExeModule().GetHandle(), nId, szText, sizeof(szText)) <= 0)
            return;
    }
    SetStatusText(szText, bHighlight);
}
