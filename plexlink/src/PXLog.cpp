// The log writer and the log file's life.
#include "PXLog.h"

#include "PXReadProgDir.h"
#include "PlexlinkApp.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <string>

void PXOpenLog(int nLevel, int nInterval)
{
    if (nLevel <= 0)
        return;
    char szDir[PX_PROGDIR_MAX + 1] = {0};
    PXReadProgDir(szDir, PX_REGKEY_PLEXWRIGHT);  // no value: the current folder
    std::string path = std::string(szDir) + "PlexwrightLog.txt";
    if (g_pxLink.pLogFile)
        fclose(g_pxLink.pLogFile);
    g_pxLink.pLogFile = fopen(path.c_str(), "w");
    if (!g_pxLink.pLogFile)
        return;
    g_pxLink.nLogLevel = nLevel;
    g_pxLink.nLogInterval = nInterval;
    g_pxLink.nFlushCountdown = nInterval;
    PXWriteLog(PXLOG_ERROR, "Start Logging -> Log Level:%d LogInterval:%d\n", nLevel, nInterval);
}

void PXCloseLog()
{
    if (g_pxLink.pLogFile)
    {
        fclose(g_pxLink.pLogFile);
        g_pxLink.pLogFile = nullptr;
    }
}

void PXWriteLog(int nLevel, const char* pszFormat, ...)
{
    if (!g_pxLink.pLogFile || g_pxLink.nLogLevel == 0)
        return;
    char szLine[512] = {0};
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(szLine, sizeof szLine, pszFormat, args);
    va_end(args);
    szLine[sizeof szLine - 1] = '\0';
    if (nLevel <= g_pxLink.nLogLevel)
        fputs(szLine, g_pxLink.pLogFile);
    if (g_pxLink.nFlushCountdown <= 0)
    {
        g_pxLink.nFlushCountdown = g_pxLink.nLogInterval;
        fflush(g_pxLink.pLogFile);
    }
    else
        --g_pxLink.nFlushCountdown;
}

void PXMaskSecret(const char* pszSecret, char* pszOut, size_t cbOut)
{
    if (cbOut == 0)
        return;
    std::string masked;
    if (!pszSecret)
        masked = "(null)";
    else
    {
        masked = "****";
        size_t n = strlen(pszSecret);
        if (n >= 12)
            masked.append(pszSecret + n - 4);
    }
    size_t nCopy = masked.size() < cbOut - 1 ? masked.size() : cbOut - 1;
    memcpy(pszOut, masked.data(), nCopy);
    pszOut[nCopy] = '\0';
}
