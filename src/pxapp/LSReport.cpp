// Report of load/save problems: the log and the prompt.
#include "LSReport.h"

#include "PXAppRes.h"

#include <stdio.h>

namespace {

// Counts every report of the run. It saturates: once wrapped to a negative
// count it would log again without end.
short g_nReports = 0;
LSPromptRunner g_pfnRunner = nullptr;

const short nMaxLogged = 49;

void AppendLogLine(const char* pszText, int nCode)
{
    FILE* fp = fopen(LS_LOG_FILE, "a");
    if (!fp)
        return;
    SYSTEMTIME st;
    GetLocalTime(&st);
    fprintf(fp, "%02u/%02u/%02u %02u:%02u:%02u %d %s\n",
            st.wMonth, st.wDay, st.wYear % 100, st.wHour, st.wMinute, st.wSecond,
            nCode, pszText ? pszText : "");
    fclose(fp);
}

} // namespace

LSPromptRunner LSSetPromptRunner(LSPromptRunner pfnRunner)
{
    LSPromptRunner pfnOld = g_pfnRunner;
    g_pfnRunner = pfnRunner;
    return pfnOld;
}

short LSGetReportCount()
{
    return g_nReports;
}

void LSSetReportCount(short nCount)
{
    g_nReports = nCount < 0 ? 0 : nCount;
}

BOOL LSReportError(short& nPromptMode, const char* pszText, int nCode)
{
    if (g_nReports < 32767)
        ++g_nReports;
    if (g_nReports <= nMaxLogged)
        AppendLogLine(pszText, nCode);

    if (nPromptMode == LS_PROMPT_CONTINUE)
        return TRUE;
    CString message;
    message.LoadString(IDS_LS_ERRORHEADING);
    message += pszText ? pszText : "";
    if (nPromptMode == LS_PROMPT_STOP)
        return FALSE;
    // The prompt starts unticked.
    nPromptMode = LS_PROMPT_ASK;
    // Nobody to ask: the file's content decides nothing on its own, so the
    // operation stops as the user's Abort would stop it, and the log says
    // why.
    if (!g_pfnRunner)
    {
        if (g_nReports <= nMaxLogged)
        {
            CString note;
            note.LoadString(IDS_LS_NOPROMPT);
            AppendLogLine(note, nCode);
        }
        return FALSE;
    }
    return g_pfnRunner(nPromptMode, message) == IDOK;
}
