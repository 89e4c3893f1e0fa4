// The main frame's messages: its private messages (relayout, the model's
// change reports, block requests, opening a program, arranging the MDI
// windows), the application's activation, the menu's pop-up preparation
// and hints, and the few commands it answers itself (Find and the
// debugger's).
#include "UIMDIFrame.h"
#include "ClipboardProgram.h"
#include "DrawHelpers.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "FrameBars.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"
#include "PXCmdIds.h"
#include "PXGotoMenu.h"
#include "PXMainFrame.h"
#include "PXMsgBox.h"
#include "PXUIMsg.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "StatusMenuHint.h"
#include "TFindPBDialog.h"
#include "UIApp.h"
#include "UIPageFrame.h"
#include "UIRes.h"
#include "bwcc/Bwcc.h"
#include "PXFaultHandler.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// The pop-ups that EvInitMenuPopup prepares, by their index in the bar.
const UINT kSelectionPopup = 2;
const UINT kDiagnosticsPopup = 4;
const UINT kLogLevelPopup = 5;
const UINT kOutputsPopup = 6;
const UINT kSelectionItem = 5;

// The busy-cursor hook's calls: long work starts (with the wait cursor),
// long work ends.
const int kBusyStart = 3;
const int kBusyEnd = 2;

// The longest page name of a kind-10 report.
const size_t kMaxReportPage = 85;

// The file name of a path without directory and extension.
std::string BaseName(const char* pszPath)
{
    std::string s(pszPath ? pszPath : "");
    size_t nSlash = s.find_last_of("\\/:");
    if (nSlash != std::string::npos)
        s.erase(0, nSlash + 1);
    size_t nDot = s.rfind('.');
    if (nDot != std::string::npos)
        s.erase(nDot);
    return s;
}

// The text of one menu item built here.
std::string MenuString(UINT nId)
{
    char sz[64] = "";
    ::LoadStringA(TModule::GetExeModule().GetHandle(), nId, sz, sizeof(sz));
    return sz;
}

void SetBlockFlag(PowerBlock* pBlock, long nFlag, bool bSet)
{
    long nFlags = pBlock->GetFlags();
    pBlock->SetFlags(bSet ? (nFlags | nFlag) : (nFlags & ~nFlag));
}
}

// ---------------------------------------------------------------------------
// Standard messages

void UIMDIFrame::EvActivateApp(bool bActive, DWORD dwThreadId)
{
    if (!bActive)
    {
        // A palette drag does not survive the program losing the mouse.
        if (EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow()))
            if (EditChild* pPane = pWindow->GetEditPane())
                pPane->EndDrag();
    }
    TMDIFrame::EvActivateApp(bActive, dwThreadId);
}

void UIMDIFrame::EvNCMouseMove(UINT nHitTest, POINT pt)
{
    SetStatusText(nullptr, 0);
    TMDIFrame::EvNCMouseMove(nHitTest, pt);
}

void UIMDIFrame::EvMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu)
{
    StatusMenuHint::Show(*this, GetModule()->GetHandle(), GetMenu(), nItem, nFlags, hMenu);
    TMDIFrame::EvMenuSelect(nItem, nFlags, hMenu);
}

void UIMDIFrame::EvInitMenuPopup(HMENU hPopup, UINT nIndex, bool bSysMenu)
{
    TMDIFrame::EvInitMenuPopup(hPopup, nIndex, bSysMenu);
    if (bSysMenu || !hPopup)
        return;
    switch (nIndex)
    {
    case kSelectionPopup:
        ::EnableMenuItem(hPopup, kSelectionItem,
                         MF_BYPOSITION | (PXGotoMenu::GetSingleSelectedBlock() ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
        break;
    case kDiagnosticsPopup:
        if (::GetMenuItemID(hPopup, 0) == CM_DIAGNONE)
        {
            static const struct
            {
                UINT nId;
                UINT nText;
                DWORD dwLevel;
            } items[] = {{CM_DIAGNONE, IDS_MENU_NONE, 1},
                         {CM_DIAGLOW, IDS_MENU_LOW, 2},
                         {CM_DIAGMEDIUM, IDS_MENU_MEDIUM, 4},
                         {CM_DIAGHIGH, IDS_MENU_HIGH, 8}};
            while (::GetMenuItemCount(hPopup) > 0)
                ::DeleteMenu(hPopup, 0, MF_BYPOSITION);
            UIApp* pApp = UIApp::GetApp();
            for (const auto& item : items)
            {
                bool bChecked = pApp && pApp->TestDiagLevel(item.dwLevel) != 0;
                ::AppendMenuA(hPopup, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), item.nId,
                              MenuString(item.nText).c_str());
            }
        }
        break;
    case kLogLevelPopup:
        if (::GetMenuItemID(hPopup, 0) == CM_LOGLOW)
        {
            static const struct
            {
                UINT nId;
                UINT nText;
                int nLevel;
            } items[] = {{CM_LOGLOW, IDS_MENU_LOW, 1}, {CM_LOGMEDIUM, IDS_MENU_MEDIUM, 2}, {CM_LOGHIGH, IDS_MENU_HIGH, 3}};
            while (::GetMenuItemCount(hPopup) > 0)
                ::DeleteMenu(hPopup, 0, MF_BYPOSITION);
            UIApp* pApp = UIApp::GetApp();
            for (const auto& item : items)
            {
                bool bChecked = pApp && pApp->IsLogLevel(item.nLevel);
                ::AppendMenuA(hPopup, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), item.nId,
                              MenuString(item.nText).c_str());
            }
        }
        break;
    case kOutputsPopup:
        PXGotoMenu::InitPopup(hPopup);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Private messages

LRESULT UIMDIFrame::EvWindowKind(WPARAM, LPARAM)
{
    return UI_KIND_FRAME;
}

LRESULT UIMDIFrame::EvBlockChanged(WPARAM, LPARAM)
{
    return 0;
}

LRESULT UIMDIFrame::EvQueryIgnored(WPARAM, LPARAM)
{
    return 0;
}

LRESULT UIMDIFrame::EvBusyCursor(WPARAM, LPARAM lParam)
{
    const char* pszText = reinterpret_cast<const char*>(lParam);
    if (!pszText || pszText[0] != '\'')
        SetBusyCursor(kBusyStart, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
    return 0;
}

LRESULT UIMDIFrame::EvArrange(WPARAM wParam, LPARAM)
{
    TMDIClient* pClient = GetClientWindow();
    if (!pClient || !pClient->HWindow)
        return 0;
    if (wParam == 0)
        ::SendMessageA(pClient->HWindow, WM_MDITILE, MDITILE_HORIZONTAL | MDITILE_SKIPDISABLED, 0);
    else if (wParam == 1)
        ::SendMessageA(pClient->HWindow, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0);
    return 0;
}

std::vector<UIMDIChild*> UIMDIFrame::WindowsOfProgram(kvrHandleType* hProgram) const
{
    std::vector<UIMDIChild*> windows;
    if (!hProgram)
        return windows;
    for (UIMDIChild* pChild : m_Children)
        if (Program* pProgram = pChild->GetProgram())
            if (pProgram->GetHandle() == hProgram)
                windows.push_back(pChild);
    return windows;
}

void UIMDIFrame::SyncBlockOfReport(const kvrBlockNotify* pReport, bool bRedraw)
{
    if (!pReport)
        return;
    std::vector<Program*> done;
    for (UIMDIChild* pChild : WindowsOfProgram(pReport->program))
    {
        if (!IsListed(pChild))
            continue;   // closed while an earlier program was told
        Program* pProgram = pChild->GetProgram();
        if (std::find(done.begin(), done.end(), pProgram) != done.end())
            continue;
        done.push_back(pProgram);
        PowerBlock* pBlock = pProgram->FindBlockByHandle(pReport->block);
        if (!pBlock)
            continue;
        if (bRedraw)
        {
            NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
            pBlock->Refresh(1);
            if (pBlock->OutputsChanged())
                pBlock->SyncOutputs();
            pBlock->SyncGotos(0, 1, 0);
            NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
            continue;
        }
        bool bOutputs = pBlock->OutputsChanged();
        if (!bOutputs && !pBlock->SyncGotos(1, 1, 0))
            continue;   // the block agrees with the model
        NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
        if (bOutputs)
        {
            pBlock->SyncOutputs();
            pBlock->RepairOutputs();
        }
        pBlock->SyncGotos(0, 1, 0);
        NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    }
}

void UIMDIFrame::ShowReportedPage(kvrHandleType* hProgram, const char* pszPage)
{
    std::vector<UIMDIChild*> windows = WindowsOfProgram(hProgram);
    if (windows.empty())
        return;
    Program* pProgram = windows.front()->GetProgram();
    SetCurrentProgram(pProgram);
    Page* pPage = pProgram->FindPage(pszPage);
    if (!pPage)
        return;
    if (UIMDIChild* pChild = FindChildForPage(pPage))
        ActivateChild(pChild);
    else
        OpenEditWindow(pProgram, pPage);
}

LRESULT UIMDIFrame::EvNotify(WPARAM wParam, LPARAM lParam)
{
    switch (static_cast<int>(wParam))
    {
    case 1:
        SyncBlockOfReport(reinterpret_cast<const kvrBlockNotify*>(lParam), false);
        break;
    case 3:
        SetBusyCursor(kBusyStart, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
        break;
    case 4:
        SetBusyCursor(kBusyEnd, 0, 0);
        break;
    case 5:
        if (m_pStatusLine)
            m_pStatusLine->SetText(0, reinterpret_cast<const char*>(lParam), true);
        break;
    case 6:
        if (lParam)
        {
            std::vector<UIMDIChild*> windows = WindowsOfProgram(*reinterpret_cast<kvrHandleType* const*>(lParam));
            if (!windows.empty())
            {
                // Pointed away and back, the palette rebuilds its lists.
                PaletteFollowProgram(nullptr);
                PaletteFollowProgram(windows.front()->GetProgram());
            }
        }
        break;
    case 7:
        for (UIMDIChild* pChild : WindowsOfProgram(reinterpret_cast<kvrHandleType*>(lParam)))
            if (IsListed(pChild))
                pChild->LayoutPanes();
        break;
    case 8:
        SyncBlockOfReport(reinterpret_cast<const kvrBlockNotify*>(lParam), true);
        break;
    case 9:
        ShowReportedPage(reinterpret_cast<kvrHandleType*>(lParam), "Main");
        break;
    case 10:
        if (lParam)
        {
            // The page name follows the handle; it is read no further than
            // a page name may run, ended or not.
            const char* pszName = reinterpret_cast<const char*>(lParam) + sizeof(kvrHandleType*);
            std::string strPage(pszName, strnlen(pszName, kMaxReportPage));
            ShowReportedPage(*reinterpret_cast<kvrHandleType* const*>(lParam), strPage.c_str());
        }
        break;
    case 11:
        if (lParam)
        {
            // Once per matching window; the clipboard program's icons are
            // refreshed when its own handle is reported.
            kvrHandleType* hProgram = *reinterpret_cast<kvrHandleType* const*>(lParam);
            ClipboardProgram* pClip = GetClipboardProgram();
            std::vector<UIMDIChild*> children(m_Children);
            for (UIMDIChild* pChild : children)
            {
                Program* pProgram = pChild->GetProgram();
                if (pProgram && pProgram->GetHandle() == hProgram)
                    pProgram->RefreshRllIcons();
                else if (pClip && hProgram && pClip->GetHandle() == hProgram)
                    pClip->RefreshRllIcons();
            }
        }
        break;
    default:
        break;
    }
    return 0;
}

LRESULT UIMDIFrame::EvBlockRequest(WPARAM wParam, LPARAM lParam)
{
    if (wParam == static_cast<WPARAM>(-1))
    {
        // The marked block goes: its mark goes with it.
        m_pMarkedBlock = nullptr;
        return 0;
    }
    const BlockRequest* pRequest = reinterpret_cast<const BlockRequest*>(lParam);
    Program* pProgram = m_pCurrentProgram;
    if (!pRequest || !pProgram)
        return 0;
    // The sender's text need not be ended within its record.
    std::string strName(pRequest->szBlock, strnlen(pRequest->szBlock, sizeof(pRequest->szBlock)));
    std::string strPage = "Main";
    std::string strBlock = strName;
    size_t nDollar = strName.rfind('$');
    if (nDollar != std::string::npos)
    {
        size_t nStart = strName.rfind('$', nDollar == 0 ? std::string::npos : nDollar - 1);
        nStart = (nStart == std::string::npos || nDollar == 0) ? 0 : nStart + 1;
        strPage = strName.substr(nStart, nDollar - nStart);
        strBlock = strName.substr(nDollar + 1);
    }
    Page* pPage = pProgram->FindPage(strPage.c_str());
    if (!pPage)
        return 0;
    UINT nAction = pRequest->nAction;
    UIMDIChild* pWindow = FindChildForPage(pPage);
    if (pWindow)
    {
        if (nAction != UI_BLOCKREQUEST_TOGGLE && nAction != UI_BLOCKREQUEST_SET && nAction != UI_BLOCKREQUEST_CLEAR)
            ActivateChild(pWindow);
    }
    else
    {
        pWindow = OpenEditWindow(pProgram, pPage);
    }
    PowerBlock* pBlock = pPage->FindBlockByName(strBlock.c_str());
    if (!pBlock)
        return 0;
    switch (nAction)
    {
    case UI_BLOCKREQUEST_TOGGLE:
        SetBlockFlag(pBlock, PB_FLAG_BREAKPOINT, !(pBlock->GetFlags() & PB_FLAG_BREAKPOINT));
        NotifyChildren(pBlock, OBJECT_REPAINT, 0);
        break;
    case UI_BLOCKREQUEST_SET:
        SetBlockFlag(pBlock, PB_FLAG_BREAKPOINT, true);
        NotifyChildren(pBlock, OBJECT_REPAINT, 0);
        break;
    case UI_BLOCKREQUEST_CLEAR:
        SetBlockFlag(pBlock, PB_FLAG_BREAKPOINT, false);
        NotifyChildren(pBlock, OBJECT_REPAINT, 0);
        break;
    case UI_BLOCKREQUEST_MARK:
        ClearBlockMark();
        SetBlockFlag(pBlock, PB_FLAG_CURRENT, true);
        m_pMarkedBlock = pBlock;
        if (pWindow)
            pWindow->ShowObject(pBlock, false);
        NotifyChildren(pBlock, OBJECT_REPAINT, 0);
        break;
    case UI_BLOCKREQUEST_UNMARK:
        ClearBlockMark();
        break;
    default:
        if (pWindow)
            pWindow->ShowObject(pBlock, true);
        break;
    }
    return 0;
}

void UIMDIFrame::ClearBlockMark()
{
    PowerBlock* pMarked = m_pMarkedBlock;
    m_pMarkedBlock = nullptr;
    if (!pMarked)
        return;
    SetBlockFlag(pMarked, PB_FLAG_CURRENT, false);
    NotifyChildren(pMarked, OBJECT_REPAINT, 0);
}

LRESULT UIMDIFrame::EvOpenProgram(WPARAM, LPARAM lParam)
{
    const char* pszPath = reinterpret_cast<const char*>(lParam);
    if (!pszPath)
        return 0;
    std::string strWanted = BaseName(pszPath);
    for (UIMDIChild* pChild : m_Children)
    {
        Program* pProgram = pChild->GetProgram();
        if (!pProgram || ::lstrcmpiA(BaseName(pProgram->GetName()).c_str(), strWanted.c_str()) != 0)
            continue;
        SetCurrentProgram(pProgram);
        if (Page* pMain = pProgram->FindPage("Main"))
            if (UIMDIChild* pMainWindow = FindChildForPage(pMain))
                ActivateChild(pMainWindow);
        return 0;
    }
    if (Program* pProgram = PXFileLoadProgram(pszPath, nullptr))
    {
        if (Page* pMain = pProgram->GetMainPage())
            OpenEditWindow(pProgram, pMain);
        kvrImportAllRLLs(pProgram->GetHandle(), nullptr);
        pProgram->RefreshRllIcons();
    }
    else if (UIMDIChild* pActive = GetActiveEditWindow())
    {
        if (Program* pActiveProgram = pActive->GetProgram())
            pActiveProgram->Activate();
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Find and the debugger's commands

EditChild* UIMDIFrame::ActiveEditPane() const
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow());
    return pWindow ? pWindow->GetEditPane() : nullptr;
}

void UIMDIFrame::CmDebugNothing()
{
}

void UIMDIFrame::CeDebugNothing(TCommandEnabler&)
{
}

std::string UIMDIFrame::BreakpointText() const
{
    // What the debugger would be told: each selected object's name, with
    // its page's name and '$' off the page "Main", ended by character 4.
    std::string strText;
    UIMDIChild* pWindow = GetActiveEditWindow();
    if (!pWindow)
        return strText;
    Page* pPage = m_pCurrentPage;
    bool bMain = !pPage || std::strcmp(pPage->GetName(), "Main") == 0;
    for (int i = 0; i < pWindow->GetSelectionCount(); ++i)
    {
        UIObject* pObject = pWindow->GetSelectedObject(i);
        if (!pObject)
            continue;
        if (!bMain)
            strText.append(pPage->GetName()).append(1, '$');
        PowerBlock* pBlock = dynamic_cast<PowerBlock*>(pObject);
        strText.append(pBlock ? pBlock->GetName() : "").append(1, '\4');
    }
    return strText;
}

void UIMDIFrame::CmToggleBreakpoints()
{
    // No debugger takes the text: it is composed and dropped.
    if (ActiveEditPane())
        BreakpointText();
}

void UIMDIFrame::CmDebugBusy()
{
    SetBusyCursor(kBusyStart, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
    SetBusyCursor(kBusyEnd, 0, 0);
}

namespace
{
// The last write of a file; 0 when it is missing.
ULONGLONG FileTime(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

std::string LoadText(UINT nId)
{
    char sz[512] = "";
    ::LoadStringA(TModule::GetExeModule().GetHandle(), nId, sz, sizeof(sz));
    return sz;
}
}

std::string UIMDIFrame::RunFilePath(const char* pszProgramPath)
{
    std::string strPath(pszProgramPath ? pszProgramPath : "");
    size_t nSlash = strPath.find_last_of("\\/:");
    size_t nDot = strPath.rfind('.');
    if (nDot != std::string::npos && (nSlash == std::string::npos || nDot > nSlash))
        strPath.erase(nDot);
    return strPath + ".run";
}

void UIMDIFrame::CmRunProgram()
{
    UIMDIChild* pWindow = GetActiveEditWindow();
    Program* pProgram = pWindow ? pWindow->GetProgram() : nullptr;
    if (!pProgram)
    {
        NoPageWindow();
        return;
    }
    bool bRebuild = false;
    if (std::strcmp(pProgram->GetName(), "Untitled") == 0)
    {
        ShowMessage(LoadText(IDS_UI_RUNNOTSAVED).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
        UIPageFrame* pPages = GetPageFrame();
        if (!pPages || !pPages->SaveProgram(pProgram))
            return;
        bRebuild = true;
    }
    // Both paths may be as long as a path gets: the question is composed
    // to their length.
    std::string strProgram = pProgram->GetName();
    std::string strRun = RunFilePath(strProgram.c_str());
    if (FileTime(strRun) < FileTime(strProgram))
    {
        std::string strFormat = LoadText(IDS_UI_RUNOLDER);
        std::vector<char> text(strFormat.size() + strRun.size() + strProgram.size() + 1);
        std::snprintf(text.data(), text.size(), strFormat.c_str(), strRun.c_str(), strProgram.c_str());
        if (BWCCMessageBox(HWindow, text.data(), LoadText(IDS_UI_RUNOLDERCAPTION).c_str(), MB_YESNO) == IDYES)
            bRebuild = true;
    }
    if (bRebuild && !pProgram->AllPagesFinished(0))
    {
        if (ShowMessageId(IDS_UI_INCOMPLETEBUILD, nullptr, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    // No builder or runner is behind this command.
    SetBusyCursor(kBusyStart, 0, static_cast<int>(reinterpret_cast<INT_PTR>(IDC_WAIT)));
    SetBusyCursor(kBusyEnd, 0, 0);
}
