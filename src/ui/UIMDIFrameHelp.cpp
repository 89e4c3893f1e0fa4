// The main frame's Help menu: the help file (contents, overview topic and
// help on help), the tutorial program beside it, and the online
// documentation opened in the web browser. None of them reports a help
// program, tutorial or browser that does not start.
#include "UIMDIFrame.h"
#include "PXCmdIds.h"
#include "PXProgDir.h"
#include "PXWinApp.h"

#include <process.h>
#include <shellapi.h>
#include <stdlib.h>
#include <cstring>
#include <string>

namespace
{
// The help file in the help folder, and the window its topics open in.
const char kHelpFile[] = "plexstudio.hlp";
const char kHelpWindow[] = ">proc4";
// The overview topic of 4204.
const ULONG_PTR kOverviewTopic = 10020;
// The length of the help folder's value.
const size_t kHelpDirSize = 260;
const char kDocumentationPath[] = "/tvmgr/tvaa/en-us/default.asp";

BOOL WINAPI SystemHelp(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    return ::WinHelpA(hWnd, pszFile, uCommand, dwData);
}

// Started without waiting, with two empty arguments after its own path.
void SystemStart(const char* pszPath)
{
    _spawnl(_P_NOWAIT, pszPath, pszPath, "", "", static_cast<const char*>(nullptr));
}

void SystemOpen(HWND hWnd, const char* pszAddress)
{
    ::ShellExecuteA(hWnd, nullptr, pszAddress, nullptr, nullptr, SW_SHOW);
}

UIMDIFrame::HelpCall s_pfnHelp = SystemHelp;
UIMDIFrame::ProgramStart s_pfnStart = SystemStart;
UIMDIFrame::AddressOpen s_pfnOpen = SystemOpen;

std::string HelpDir()
{
    char szDir[kHelpDirSize] = "";
    PXGetHelpDir(szDir, sizeof(szDir));
    return szDir;
}
}

UIMDIFrame::HelpCall UIMDIFrame::SetHelpCall(HelpCall pfn)
{
    HelpCall pfnOld = s_pfnHelp;
    s_pfnHelp = pfn ? pfn : SystemHelp;
    return pfnOld;
}

UIMDIFrame::ProgramStart UIMDIFrame::SetProgramStart(ProgramStart pfn)
{
    ProgramStart pfnOld = s_pfnStart;
    s_pfnStart = pfn ? pfn : SystemStart;
    return pfnOld;
}

UIMDIFrame::AddressOpen UIMDIFrame::SetAddressOpen(AddressOpen pfn)
{
    AddressOpen pfnOld = s_pfnOpen;
    s_pfnOpen = pfn ? pfn : SystemOpen;
    return pfnOld;
}

std::string UIMDIFrame::HelpFilePath()
{
    return HelpDir() + kHelpFile;
}

std::string UIMDIFrame::TutorialPath()
{
    // The help folder's value split as a path: its drive and directory
    // hold the tutorial.
    const std::string dir = HelpDir();
    char szDrive[_MAX_DRIVE] = "", szDir[_MAX_DIR] = "", szName[_MAX_FNAME] = "", szExt[_MAX_EXT] = "";
    if (_splitpath_s(dir.c_str(), szDrive, sizeof(szDrive), szDir, sizeof(szDir), szName, sizeof(szName), szExt,
                     sizeof(szExt)) != 0)
        return std::string("pwtutor.EXE");
    return std::string(szDrive) + szDir + "pwtutor.EXE";
}

std::string UIMDIFrame::DocumentationAddress(const char* pszServerTitle)
{
    // The host is the title's part before its first blank; a title without
    // one names no host.
    std::string host;
    if (pszServerTitle)
    {
        const char* pszBlank = std::strchr(pszServerTitle, ' ');
        if (pszBlank)
            host.assign(pszServerTitle, pszBlank);
    }
    if (host.empty())
        host = "localhost";
    return "http://" + host + kDocumentationPath;
}

void UIMDIFrame::CmHelp(UINT nId)
{
    const std::string file = HelpFilePath();
    switch (nId)
    {
    case CM_HELPTOPICS:
        s_pfnHelp(HWindow, file.c_str(), HELP_FINDER, 0);
        break;
    case CM_HELPOVERVIEW:
        s_pfnHelp(HWindow, (file + kHelpWindow).c_str(), HELP_CONTEXT, kOverviewTopic);
        break;
    case CM_HELPUSING:
        s_pfnHelp(HWindow, (file + kHelpWindow).c_str(), HELP_HELPONHELP, 0);
        break;
    default:
        break;
    }
}

void UIMDIFrame::CmTutorial()
{
    s_pfnStart(TutorialPath().c_str());
}

void UIMDIFrame::CmDocumentation()
{
    PXWinApp* pController = GetWinApp();
    s_pfnOpen(HWindow, DocumentationAddress(pController ? pController->GetServerTitle() : nullptr).c_str());
}
