// The editor's dialog base: template look-up, private class, Help.
#include "TBaseDialog.h"

#include "DialogRes.h"
#include "PXFaultHandler.h"
#include "PXProgDir.h"
#include "PXString.h"
#include "bwcc/Bwcc.h"
#include "plexedit.h"

#include <cstdio>
#include <string.h>

namespace {

BOOL WINAPI SystemHelp(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    return ::WinHelpA(hWnd, pszFile, uCommand, dwData);
}

TBaseDialog::HelpCall g_pfnHelp = SystemHelp;

} // namespace

TBaseDialog::TBaseDialog(TWindow* pParent, TResId resId, TModule* pModule)
    : TDialog(pParent, resId, pModule), m_nHelpId(0)
{
    // FindTemplateModule searches the program (or the given module), then
    // the dialog library, as the dialog will when it runs.
    if (!FindTemplateModule())
    {
        CString text;
        CString caption;
        text.LoadString(IDS_DLG_NOTEMPLATE);
        caption.LoadString(IDS_DLG_ERRORCAPTION);
        BWCCMessageBox(nullptr, text, caption, MB_ICONEXCLAMATION);
    }
}

TBaseDialog::~TBaseDialog()
{
}

void TBaseDialog::GetWindowClass(WNDCLASSA& wc)
{
    TDialog::GetWindowClass(wc);
    wc.style &= ~CS_GLOBALCLASS;
}

LRESULT TBaseDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_DLG_HELP && (notifyCode == BN_CLICKED || !hWndCtl))
    {
        Help();
        return 0;
    }
    return TDialog::EvCommand(id, hWndCtl, notifyCode);
}

void TBaseDialog::SetHelpTopic(const char* pszTopic)
{
    m_nHelpId = FindHelpID(pszTopic);
}

TBaseDialog::HelpCall TBaseDialog::SetHelpCall(HelpCall pfn)
{
    HelpCall pfnOld = g_pfnHelp;
    g_pfnHelp = pfn ? pfn : SystemHelp;
    return pfnOld;
}

void TBaseDialog::Help()
{
    char szPath[PX_PATH_MAX + 32];
    char szDir[PX_PATH_MAX];
    PXGetHelpDir(szDir, sizeof(szDir));
    CString file;
    file.LoadString(IDS_DLG_HELPFILE);
    // A directory with which the file does not fit is left out, and a file
    // text that does not fit alone is cut at the buffer's end.
    if (strlen(szDir) + file.GetLength() >= sizeof(szPath))
        szDir[0] = '\0';
    snprintf(szPath, sizeof(szPath), "%s%s", szDir, static_cast<const char*>(file));

    BOOL bDone = m_nHelpId != 0
        ? g_pfnHelp(HWindow, szPath, HELP_CONTEXT, m_nHelpId)
        : g_pfnHelp(HWindow, szPath, HELP_CONTENTS, 0);
    if (!bDone)
    {
        CString text;
        text.LoadString(IDS_DLG_NOWINHELP);
        ShowMessage("%s", nullptr, MB_ICONEXCLAMATION, static_cast<const char*>(text));
    }
}

void CenterDialog(HWND hDlg)
{
    RECT rc;
    if (!::GetWindowRect(hDlg, &rc))
        return;
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);

    int x = (cxScreen - w) / 2;
    int y = (cyScreen - h) / 2;
    HWND hOwner = ::GetWindow(hDlg, GW_OWNER);
    RECT rcOwner;
    if (hOwner && ::GetWindowRect(hOwner, &rcOwner))
    {
        int xo = rcOwner.left + (rcOwner.right - rcOwner.left - w) / 2;
        int yo = rcOwner.top + (rcOwner.bottom - rcOwner.top - h) / 2;
        if (xo >= 0 && yo >= 0 && xo + w <= cxScreen && yo + h <= cyScreen)
        {
            x = xo;
            y = yo;
        }
    }
    ::SetWindowPos(hDlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hDlg, nullptr, TRUE);
}
