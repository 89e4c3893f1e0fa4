// Open applications: the twin objects and their list.
#include "PXPlexwrightApp.h"

#include "PXLog.h"

#include <string.h>
#include <time.h>

namespace {

// The list of open applications; it owns nothing, the library deletes each
// application when it closes.
CObList g_openApps(10);

void DefaultProfile(PXAppProfileInfo& profile)
{
    memset(&profile, 0, sizeof profile);
    profile.appvernum = 0xffff;
    profile.apppreviousvernum = 0xffff;
    time_t now = time(nullptr);
    if (const struct tm* pNow = localtime(&now))
        profile.lockingdatetime = *pNow;
}

struct OpenListCleanup
{
    ~OpenListCleanup() { PXPlexwrightApp::deleteAll(); }
} g_cleanup;

} // namespace

PXPlexwrightApp::PXPlexwrightApp()
    : m_nCustID(0), m_nAppID(0)
{
    DefaultProfile(m_storedProfile);
    DefaultProfile(m_editedProfile);
}

PXPlexwrightApp* PXPlexwrightApp::findOpenApplication(int nCustID, int nAppID)
{
    for (POSITION pos = g_openApps.GetHeadPosition(); pos;)
    {
        PXPlexwrightApp* pApp = static_cast<PXPlexwrightApp*>(g_openApps.GetNext(pos));
        if (pApp->m_nCustID == nCustID && pApp->m_nAppID == nAppID)
            return pApp;
    }
    return nullptr;
}

void PXPlexwrightApp::addOpenApplication(PXPlexwrightApp* pApp)
{
    g_openApps.AddTail(pApp);
}

void PXPlexwrightApp::removeOpenApplication(PXPlexwrightApp* pApp)
{
    g_openApps.RemoveAt(g_openApps.Find(pApp));
}

int PXPlexwrightApp::fileOpenOnRecovery(const PXRecoveryInfo* pRecovery)
{
    const PXAppProfileInfo& stored = pRecovery->stored.profile;
    char szName[sizeof stored.appname];
    memcpy(szName, stored.appname, sizeof szName);
    szName[sizeof szName - 1] = '\0';

    PXPlexwrightApp* pApp = new PXPlexwrightApp;
    pApp->m_nCustID = stored.customerid;
    pApp->m_nAppID = stored.appprofid;
    pApp->m_name = szName;
    pApp->m_storedProfile = stored;
    pApp->m_editedProfile = pRecovery->edited.profile;
    // The copy holds only the first 104 characters of the path, with no
    // zero of its own when the path was longer.
    char szPath[PX_COPY_PATH_LEN + 1];
    PXFileInfoCopyPath(&pRecovery->stored, szPath, sizeof szPath);
    pApp->m_newEdFilePath = szPath;
    addOpenApplication(pApp);
    return PXRC_OK;
}

int PXPlexwrightApp::setProperties(PXAppProfileInfo* pProfile)
{
    PXPlexwrightApp* pApp = findOpenApplication(pProfile->customerid, pProfile->appprofid);
    if (!pApp)
        return PXRC_NOT_OPEN;
    time_t now = time(nullptr);
    if (const struct tm* pNow = localtime(&now))
        pProfile->lockingdatetime = *pNow;
    pApp->m_editedProfile = *pProfile;
    return PXRC_OK;
}

void PXPlexwrightApp::deleteAll()
{
    for (POSITION pos = g_openApps.GetHeadPosition(); pos;)
        delete static_cast<PXPlexwrightApp*>(g_openApps.GetNext(pos));
    g_openApps.RemoveAll();
}
