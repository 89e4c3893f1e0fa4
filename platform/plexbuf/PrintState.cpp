// plexbuf: the printer, its set-up dialog and print jobs.
#include "PrintState.h"

#include <string.h>

namespace
{
// The printer choice of the process: the DEVMODE and DEVNAMES memory of the
// last print dialog, and the DC handed out by get_printer_dc.
HGLOBAL g_hDevMode = nullptr;
HGLOBAL g_hDevNames = nullptr;
HDC g_hKeptDC = nullptr;
bool g_bChoiceChanged = false;
PrintState::PrintDialogFunc g_pfnDialog = nullptr;
char g_szOutput[MAX_PATH] = "";

BOOL RunDialog(PRINTDLGA* pDlg)
{
    return g_pfnDialog ? g_pfnDialog(pDlg) : PrintDlgA(pDlg);
}

void FreeChoice()
{
    if (g_hDevMode)
        GlobalFree(g_hDevMode);
    if (g_hDevNames)
        GlobalFree(g_hDevNames);
    g_hDevMode = g_hDevNames = nullptr;
}

// Takes the dialog's printer choice for the process.
void TakeChoice(PRINTDLGA& pd)
{
    if (pd.hDevMode != g_hDevMode && g_hDevMode)
        GlobalFree(g_hDevMode);
    if (pd.hDevNames != g_hDevNames && g_hDevNames)
        GlobalFree(g_hDevNames);
    g_hDevMode = pd.hDevMode;
    g_hDevNames = pd.hDevNames;
    g_bChoiceChanged = true;
}

// Without a choice yet, the default printer becomes the choice. False when
// there is no printer.
bool EnsureChoice(HWND hOwner)
{
    if (g_hDevNames)
        return true;
    PRINTDLGA pd;
    memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = hOwner;
    pd.Flags = PD_RETURNDEFAULT;
    if (!RunDialog(&pd) || !pd.hDevNames)
    {
        if (pd.hDevMode)
            GlobalFree(pd.hDevMode);
        if (pd.hDevNames)
            GlobalFree(pd.hDevNames);
        return false;
    }
    TakeChoice(pd);
    return true;
}

// A DC of the chosen printer, or 0.
HDC CreateChoiceDC()
{
    if (!g_hDevNames)
        return nullptr;
    const DEVNAMES* pNames = static_cast<const DEVNAMES*>(GlobalLock(g_hDevNames));
    if (!pNames)
        return nullptr;
    const char* pBase = reinterpret_cast<const char*>(pNames);
    const DEVMODEA* pMode = g_hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(g_hDevMode)) : nullptr;
    HDC hDC = CreateDCA(pBase + pNames->wDriverOffset, pBase + pNames->wDeviceOffset,
                        pNames->wOutputOffset ? pBase + pNames->wOutputOffset : nullptr, pMode);
    if (pMode)
        GlobalUnlock(g_hDevMode);
    GlobalUnlock(g_hDevNames);
    return hDC;
}
}

PrintState::PrintState(HWND hMain)
    : m_hMain(hMain), m_dwStatus(ok), m_hJobDC(nullptr), m_bInJob(0), m_bInPage(0), m_nPages(0)
{
    if (!EnsureChoice(hMain))
        m_dwStatus = no_printer;
}

PrintState::~PrintState()
{
    if (m_bInJob)
        end_job();
    if (m_hJobDC)
        DeleteDC(m_hJobDC);
}

HDC PrintState::make_printer_dc(int)
{
    if (!m_hJobDC)
        m_hJobDC = CreateChoiceDC();
    return m_hJobDC;
}

HDC PrintState::get_printer_dc(int mode)
{
    if (g_hKeptDC && mode == 2 && g_bChoiceChanged)
    {
        DeleteDC(g_hKeptDC);
        g_hKeptDC = nullptr;
    }
    if (!g_hKeptDC)
    {
        g_hKeptDC = CreateChoiceDC();
        g_bChoiceChanged = false;
    }
    return g_hKeptDC;
}

int PrintState::setup()
{
    PRINTDLGA pd;
    memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_hMain;
    pd.hDevMode = g_hDevMode;
    pd.hDevNames = g_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (!RunDialog(&pd))
        return 0;
    TakeChoice(pd);
    m_dwStatus = g_hDevNames ? ok : no_printer;
    return 1;
}

int PrintState::begin_job(const char* title)
{
    if (m_bInJob || !make_printer_dc(0))
        return 0;
    DOCINFOA di;
    memset(&di, 0, sizeof di);
    di.cbSize = sizeof di;
    di.lpszDocName = title ? title : "";
    di.lpszOutput = g_szOutput[0] ? g_szOutput : nullptr;
    if (StartDocA(m_hJobDC, &di) <= 0)
        return 0;
    m_bInJob = 1;
    m_nPages = 0;
    return 1;
}

int PrintState::new_page()
{
    if (!m_bInJob || m_bInPage)
        return 0;
    if (StartPage(m_hJobDC) <= 0)
        return 0;
    m_bInPage = 1;
    ++m_nPages;
    return 1;
}

int PrintState::end_page()
{
    if (!m_bInPage)
        return 0;
    m_bInPage = 0;
    return EndPage(m_hJobDC) > 0;
}

int PrintState::end_job()
{
    if (!m_bInJob)
        return 0;
    if (m_bInPage)
        end_page();
    m_bInJob = 0;
    return EndDoc(m_hJobDC) > 0;
}

void PrintState::cleanup(int)
{
    if (g_hKeptDC)
        DeleteDC(g_hKeptDC);
    g_hKeptDC = nullptr;
    FreeChoice();
    g_bChoiceChanged = false;
}

PrintState::PrintDialogFunc PrintState::set_dialog_func(PrintDialogFunc pfn)
{
    PrintDialogFunc pOld = g_pfnDialog;
    g_pfnDialog = pfn;
    return pOld;
}

void PrintState::set_output_file(const char* pszPath)
{
    g_szOutput[0] = '\0';
    if (pszPath)
    {
        strncpy(g_szOutput, pszPath, MAX_PATH - 1);
        g_szOutput[MAX_PATH - 1] = '\0';
    }
}
