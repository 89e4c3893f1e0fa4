// The library's application object and its process-wide state: one set per
// loaded library, all zero at load.
#ifndef PLEXLINKAPP_H
#define PLEXLINKAPP_H

#include <afxwin.h>
#include <stdio.h>

#include <string>

class CPlexlinkApp : public CWinApp
{
public:
    CPlexlinkApp();

    BOOL InitInstance() override;
    // Closes the log: it stays open from the session's start to the unload.
    int ExitInstance() override;
};

struct PXLinkState
{
    int nOffline;          // set by a start without a server address, never cleared
    FILE* pLogFile;        // null while no log is open
    int nLogLevel;         // 0: no logging
    int nLogInterval;      // writer calls between forced flushes
    int nFlushCountdown;
};

extern PXLinkState g_pxLink;

// The session record: what the start was given and what it found.
struct PXSession
{
    int nCustID = 1;
    std::string userID;
    std::string lockingPC;
    std::string encodedPassword;
    std::string systemName;
    std::string serverAddress;
    std::string locationID;
    std::string userMailAddress;
    int nSSLPort = 636;
    int nSSLLevel = 0;
    short nSwitchType = 0;
};

extern PXSession g_pxSession;

#endif
