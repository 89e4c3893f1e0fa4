// The main frame's File menu: the application commands handed to the
// controller, Close and Exit, and the save of the active program to its
// local file; and the controller's commands behind the page windows' save
// and close questions and the recent-program list.
#include "UIMDIFrame.h"
#include "EditChild.h"
#include "EditCmdRes.h"
#include "EditMDI.h"
#include "PaletteMDI.h"
#include "Program.h"
#include "ProgramFile.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "TNamePBDialog.h"
#include "TSaveProgramDialog.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIRes.h"
#include "bwcc/Bwcc.h"
#include "owl/TMDIClient.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
// Whether the first save of the run has made the program folder current.
bool s_bSaveFolderSet = false;

std::string LoadText(UINT nId)
{
    char sz[256] = "";
    ::LoadStringA(PXGetResourceHandle(), nId, sz, sizeof(sz));
    return sz;
}

bool IsRelativePath(const char* pszPath)
{
    if (!pszPath || !*pszPath)
        return false;
    if (pszPath[0] == '\\' || pszPath[0] == '/')
        return false;
    return !(pszPath[1] == ':');
}

// The program's file name made absolute against the current folder.
void MakeNameAbsolute(Program* pProgram)
{
    const char* pszName = pProgram->GetName();
    if (!IsRelativePath(pszName) || std::strcmp(pszName, "Untitled") == 0)
        return;
    char szFull[MAX_PATH];
    DWORD n = ::GetFullPathNameA(pszName, sizeof(szFull), szFull, nullptr);
    if (n > 0 && n < sizeof(szFull))
        pProgram->SetName(szFull);
}

// The edit pane of the active page window ending its in-place note edit.
void EndNoteEditOf(UIMDIChild* pWindow)
{
    EditMDI* pEdit = dynamic_cast<EditMDI*>(pWindow);
    EditChild* pPane = pEdit ? pEdit->GetEditPane() : nullptr;
    if (pPane && pPane->GetMouseMode() == MODE_TEXTEDIT)
        pPane->EndTextEdit();
}

int OpenRecentEntry(const char* pszEntry)
{
    PXWinApp* pController = GetWinApp();
    return pController ? pController->FileOpen(pszEntry) : 1;
}

bool SaveApplication(Program* pProgram)
{
    PXWinApp* pController = GetWinApp();
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    if (!pController)
        return false;
    // The application saved is the program's, whichever window is active.
    if (pFrame && pProgram && pFrame->GetCurrentProgram() != pProgram)
        pFrame->SetCurrentProgram(pProgram);
    return pController->FileSave() == 0;
}

// The name of a block dropped from the palette, asked in the block-name
// dialog over the page pane; false when the user cancels (nothing is
// added) or the dialog cannot be shown (after a message).
bool AskNewBlockName(HWND hOwner, const char* pszPrompt, char* pszName, int nSize)
{
    if (!pszName || nSize <= 0)
        return false;
    TWindow* pParent = TWindow::GetWindowPtr(hOwner);
    if (!pParent)
        pParent = UIApp::GetMainFrame();
    char szName[PX_BLOCKNAME_SIZE] = "";
    lstrcpynA(szName, pszName, sizeof(szName));
    TNamePBDialog dlg(pParent, szName, pszPrompt, false);
    const int nAnswer = dlg.Execute();
    if (nAnswer == -1)
    {
        ShowMessageId(IDS_EDIT_NOMEMDIALOG, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (nAnswer != IDOK)
        return false;
    lstrcpynA(pszName, szName, nSize);
    return true;
}

bool CloseApplication(Program* pProgram)
{
    PXWinApp* pController = GetWinApp();
    UIMDIFrame* pFrame = UIApp::GetMainFrame();
    if (!pController)
        return false;
    // The application closed is the program's, whichever window is active.
    if (pFrame && pProgram && pFrame->GetCurrentProgram() != pProgram)
        pFrame->SetCurrentProgram(pProgram);
    pController->FileClose();
    return true;
}
}

void UIMDIFrame::SetSaveFolderDone(bool bDone)
{
    s_bSaveFolderSet = bDone;
}

UIFramePages* UIMDIFrame::MakeApplicationPages()
{
    UIFramePages* pPages = new UIFramePages(*this);
    pPages->pfnSave = SaveApplication;
    pPages->pfnClose = CloseApplication;
    pPages->pfnAskName = AskNewBlockName;
    SetRecentOpener(OpenRecentEntry);
    return pPages;
}

void UIMDIFrame::ApplyStoredZoom()
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow());
    if (!pWindow)
    {
        NoPageWindow();
        return;
    }
    EditChild* pPane = pWindow->GetEditPane();
    if (!pPane)
    {
        ShowMessageId(IDS_UI_NOEDITCHILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    PXWinApp* pController = GetWinApp();
    PXUserApp* pApp = pController ? pController->GetActiveUserApp() : nullptr;
    if (pApp && pApp->GetProgram())
    {
        // A damaged or old program file may hold any number: the pane takes
        // it onto the zoom ladder's range.
        int nPercent = pApp->GetZoom();
        int nStep = 1;
        NormalizeZoom(nPercent, nStep);
        pPane->SetZoom(nPercent, nStep);
    }
    // The palette's icons follow the zoom the program opened with.
    RebuildResizedIcons(pPane->GetZoom());
}

void UIMDIFrame::CmFileNew()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileNew();
}

void UIMDIFrame::CmFileOpen()
{
    PXWinApp* pController = GetWinApp();
    if (!pController || pController->FileOpen(nullptr) != 0)
        return;
    ApplyStoredZoom();
}

void UIMDIFrame::CmFileClose()
{
    EndNoteEditOf(GetActiveEditWindow());
    TMDIClient* pClient = GetClientWindow();
    HWND hActive = pClient && pClient->HWindow
                       ? reinterpret_cast<HWND>(::SendMessageA(pClient->HWindow, WM_MDIGETACTIVE, 0, 0))
                       : nullptr;
    if (!hActive || dynamic_cast<PaletteMDI*>(TWindow::GetWindowPtr(hActive)))
        return;
    ::SendMessageA(hActive, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The application commands on the active application: each reports its
// own failures.
void UIMDIFrame::CmFileSave()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileSave();
}

void UIMDIFrame::CmFileSaveAs()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileSaveAs();
}

void UIMDIFrame::CmFileProperties()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileProperties();
}

void UIMDIFrame::CmFileImport()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileImport();
}

void UIMDIFrame::CmFileRemoveImport()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileRemoveImport();
}

void UIMDIFrame::CmFileExport()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileExport();
}

void UIMDIFrame::CmFileUndoExport()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileUndoExport();
}

void UIMDIFrame::CmFileDelete()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileDelete();
}

void UIMDIFrame::CmFileLocks()
{
    if (PXWinApp* pController = GetWinApp())
        pController->FileLocks();
}

void UIMDIFrame::CmExit()
{
    EndNoteEditOf(GetActiveEditWindow());
    ::SendMessageA(HWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int UIMDIFrame::FileSave()
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow());
    if (!pWindow)
    {
        NoPageWindow();
        return 0;
    }
    EditChild* pPane = pWindow->GetEditPane();
    if (!pPane)
    {
        ShowMessageId(IDS_UI_NOEDITCHILD, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
        pPane->EndTextEdit();
    Program* pProgram = pWindow->GetProgram();
    if (!pProgram)
        return 0;

    // A relative file name means the folder current when the program was
    // named: it is made absolute before the folder changes under it.
    MakeNameAbsolute(pProgram);
    if (!s_bSaveFolderSet)
    {
        char szKvr[MAX_PATH] = "";
        DWORD n = ::GetEnvironmentVariableA("KVR", szKvr, sizeof(szKvr));
        if (n == 0 || n >= sizeof(szKvr))
            std::strcpy(szKvr, "\\KVR");
        char szFolder[MAX_PATH + 8];
        std::snprintf(szFolder, sizeof(szFolder), "%s\\UPROG", szKvr);
        ::SetCurrentDirectoryA(szFolder);
        s_bSaveFolderSet = true;
    }

    if (std::strcmp(pProgram->GetName(), "Untitled") == 0)
    {
        char szName[PX_SAVENAME_SIZE] = "";
        if (!AskProgramSaveName(szName))
            return 0;
        pProgram->SetName(szName);
        MakeNameAbsolute(pProgram);
        RefreshCaptions();
    }
    else
    {
        DWORD dwAttr = ::GetFileAttributesA(pProgram->GetName());
        if (dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_READONLY))
        {
            BWCCMessageBox(HWindow, LoadText(IDS_UI_READONLYPROGRAM).c_str(),
                           LoadText(IDS_UI_ERRORCAPTION2).c_str(), MB_OK | MB_ICONSTOP);
            return 0;
        }
    }
    return PXFileSaveProgram(pProgram->GetName(), pProgram, nullptr) == 1 ? 1 : 0;
}
