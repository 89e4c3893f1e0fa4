// The library's twin of an application open in the editor, and the
// process-wide list of open applications.
#ifndef PXPLEXWRIGHTAPP_H
#define PXPLEXWRIGHTAPP_H

#include <afxcoll.h>
#include <plexlink.h>

#include <string>

class PXPlexwrightApp : public CObject
{
public:
    PXPlexwrightApp();

    int m_nCustID;
    int m_nAppID;
    std::string m_name;
    std::string m_currentEdFilePath;
    std::string m_newEdFilePath;
    PXAppProfileInfo m_storedProfile;
    PXAppProfileInfo m_editedProfile;

    // The open application with these ids, or null.
    static PXPlexwrightApp* findOpenApplication(int nCustID, int nAppID);
    static void addOpenApplication(PXPlexwrightApp* pApp);
    static void removeOpenApplication(PXPlexwrightApp* pApp);

    // Re-creates an open application from a recovery record: ids and name
    // from the first copy's profile, both profiles, and the program file
    // path of the first copy. Nothing goes to the server.
    static int fileOpenOnRecovery(const PXRecoveryInfo* pRecovery);

    // Stamps the local time into the record and takes it as the edited
    // profile; 48 when the application is not open.
    static int setProperties(PXAppProfileInfo* pProfile);

    // Frees every open application (the library's unload).
    static void deleteAll();
};

#endif
