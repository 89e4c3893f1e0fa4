// The controller's session: the launch argument list, the client-server
// library's start and end, the server version and its comparison.
#include "PXWinApp.h"
#include "PXUIRes.h"
#include "ProgramFile.h"
#include "plexlink.h"
#include "plexmodel.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

PXLinkCalls s_linkCalls = {PXInitPlexwright, PXTermPlexwright, PXGetServerVersion};
char s_szServerVersion[34] = "";

void ExitAtOnce(int nCode)
{
    _exit(nCode);
}

PXWinApp::ExitCall s_pfnExit = ExitAtOnce;

const DWORD PXCAUSE_SERVER = 0x10000000;

// The launch list's separator.
const char s_szSeparator[] = " : ";

// Cuts the next field off the front of the text: the text before the first
// separator, the rest kept after it; without a separator the field is
// empty and the rest loses its first two characters.
CString NextField(CString& rRest)
{
    int nAt = rRest.Find(s_szSeparator);
    if (nAt < 0)
    {
        rRest = rRest.GetLength() > 2 ? rRest.Mid(2) : CString();
        return CString();
    }
    CString strField = rRest.Left(nAt);
    rRest = rRest.Mid(nAt + static_cast<int>(sizeof(s_szSeparator)) - 1);
    return strField;
}

long NumberField(CString& rRest)
{
    CString strField = NextField(rRest);
    strField.TrimLeft();
    strField.TrimRight();
    return std::atol(strField);
}

// Leading decimal digits from p; p is left after them.
int Digits(const char*& p)
{
    int n = 0;
    while (*p >= '0' && *p <= '9')
    {
        if (n < 100000000)
            n = n * 10 + (*p - '0');
        ++p;
    }
    return n;
}

} // namespace

const char* PXGetServerVersionText()
{
    return s_szServerVersion;
}

PXVersion ParseVersionString(const char* pszText)
{
    PXVersion v = {0, 0, 0, 0};
    const char* p = pszText ? pszText : "";
    v.nMajor = Digits(p);
    if (*p == '\0')
        return v;
    const char* pDot = std::strchr(p, '.');
    if (!pDot)
        return v;
    p = pDot + 1;
    v.nMinor = Digits(p);
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '.' && p[1] >= '0' && p[1] <= '9')
    {
        ++p;
        v.nBuild = Digits(p);
    }
    else if (*p >= 'A' && *p <= 'Z')
    {
        v.nBuild = *p - 38;
        v.nLetter = 1;
    }
    else if (*p >= 'a' && *p <= 'z')
    {
        v.nBuild = *p - 96;
        v.nLetter = 1;
    }
    return v;
}

int CompareVersionStrings(const char* pszFirst, const char* pszSecond)
{
    PXVersion a = ParseVersionString(pszFirst);
    PXVersion b = ParseVersionString(pszSecond);
    const int first[] = {a.nMajor, a.nMinor, a.nBuild, a.nLetter};
    const int second[] = {b.nMajor, b.nMinor, b.nBuild, b.nLetter};
    for (int i = 0; i < 4; ++i)
    {
        if (first[i] > second[i])
            return 1;
        if (first[i] < second[i])
            return 2;
    }
    return 0;
}

PXLinkCalls PXWinApp::SetLinkCalls(const PXLinkCalls& calls)
{
    PXLinkCalls old = s_linkCalls;
    s_linkCalls = calls;
    return old;
}

PXWinApp::ExitCall PXWinApp::SetExitCall(ExitCall pfn)
{
    ExitCall pfnOld = s_pfnExit;
    s_pfnExit = pfn ? pfn : ExitAtOnce;
    return pfnOld;
}

void PXWinApp::ReadLaunchArgs(const char* pszCmdLine, PXLaunchArgs& rArgs)
{
    // The whole list is copied: no length is assumed.
    CString strRest(pszCmdLine ? pszCmdLine : "");
    strRest.TrimLeft();
    strRest.TrimRight();
    NextField(strRest);                             // 0 the program's name
    rArgs.strLocation = NextField(strRest);         // 1
    rArgs.strSystemName = NextField(strRest);       // 2
    NumberField(strRest);                           // 3
    rArgs.strServer = NextField(strRest);           // 4
    rArgs.lServerPort = NumberField(strRest);       // 5
    rArgs.lUnused6 = NumberField(strRest);          // 6
    NextField(strRest);                             // 7
    rArgs.strUserId = NextField(strRest);           // 8
    NumberField(strRest);                           // 9
    rArgs.lCustomerId = NumberField(strRest);       // 10
    NumberField(strRest);                           // 11
    rArgs.strPassword = NextField(strRest);         // 12
    rArgs.strLocationId = NextField(strRest);       // 13
    rArgs.strContextId = NextField(strRest);        // 14
    rArgs.lSslPort = NumberField(strRest);          // 15
    rArgs.lSslLevel = NumberField(strRest);         // 16
    rArgs.lUnused17 = NumberField(strRest);         // 17
}

void PXWinApp::Login(const char* pszCmdLine, int nLogLevel, int nLogInterval)
{
    SetWaitCursor();
    const char* pszLine = pszCmdLine ? pszCmdLine : "";
    if (*pszLine == '\0')
        m_bStandalone = 1;

    PXLaunchArgs args;
    ReadLaunchArgs(pszLine, args);
    lstrcpynA(m_szLocation, args.strLocation, sizeof(m_szLocation));
    lstrcpynA(m_szServerTitle, args.strSystemName, sizeof(m_szServerTitle));

    if (HWND hMain = PXGetMainWindow())
        SetParent(hMain);

    int nResult = 60;
    if (s_linkCalls.pfnInit)
    {
        if (m_bStandalone)
            nResult = s_linkCalls.pfnInit(args.lUnused6, args.lCustomerId, args.lServerPort, "", nullptr,
                                          nullptr, args.lUnused17, args.strUserId, nLogLevel, nLogInterval,
                                          "2", "2", 636, 0);
        else
            nResult = s_linkCalls.pfnInit(args.lUnused6, args.lCustomerId, args.lServerPort, args.strPassword,
                                          args.strSystemName, args.strServer, args.lUnused17, args.strUserId,
                                          nLogLevel, nLogInterval, args.strContextId, args.strLocationId,
                                          args.lSslPort, args.lSslLevel);
    }

    if (nResult == 0 && !m_bStandalone)
        m_bServerSession = 1;
    if (nResult == 0 && !m_bStandalone && s_linkCalls.pfnGetServerVersion)
    {
        char szVersion[sizeof(s_szServerVersion)] = "";
        if (s_linkCalls.pfnGetServerVersion(args.lServerPort, 0, szVersion) == 0)
        {
            szVersion[sizeof(szVersion) - 1] = '\0';
            lstrcpynA(s_szServerVersion, szVersion, sizeof(s_szServerVersion));
            PXFileSetServerVersion(s_szServerVersion);
            // The model follows the server's block definitions; a version
            // it cannot take is reported, and the login goes on with the
            // definitions it has.
            if (kvrUpdatePowerblockDefinitions(s_szServerVersion) != 0)
            {
                PXArgList message(IDS_UI_BLOCKDEFSREFUSED, s_szServerVersion);
                Report(PXCAUSE_SERVER, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__,
                       __LINE__);
            }
            // The title is made in a buffer of its own: it is formatted
            // from its own previous text.
            char szTitle[sizeof(m_szServerTitle)];
            int n = std::snprintf(szTitle, sizeof(szTitle), "%s (Telvanta Server Version %s)", m_szServerTitle,
                                  s_szServerVersion);
            if (n < 0 || n >= static_cast<int>(sizeof(szTitle)))
                szTitle[sizeof(szTitle) - 1] = '\0';
            lstrcpynA(m_szServerTitle, szTitle, sizeof(m_szServerTitle));
        }
    }

    if (nResult != 0)
    {
        SetArrowCursor();
        PXArgList message(IDS_UI_SERVERNOTAVAILABLE);
        Report(PXCAUSE_SERVER, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__, __LINE__);
        SetErrorMode(SEM_NOGPFAULTERRORBOX);
        // A failed start must not look like a clean exit to whoever
        // started the editor.
        s_pfnExit(PX_EXIT_LOGINFAILED);
        return;
    }
    SetArrowCursor();
    UpdateCommandUI();
}

bool PXWinApp::Logout()
{
    SetWaitCursor();
    FreeServerRecord();
    m_bServerSession = 0;
    int nResult = s_linkCalls.pfnTerm ? s_linkCalls.pfnTerm() : 60;
    SetArrowCursor();
    return nResult != 0;
}

BOOL PXWinApp::IsServerVersionSupported() const
{
    if (m_bStandalone)
        return TRUE;
    return CompareVersionStrings(s_szServerVersion, "1.06.04") != 2;
}
