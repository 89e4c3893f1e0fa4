// What the user application tests share: the editor's own main frame over a
// real MDI client in standalone mode, a program directory of their own named
// in the program's registry key, the client library started offline and its
// calls answerable, and helpers for program files and applications.
#ifndef USERAPPTESTSUPPORT_H
#define USERAPPTESTSUPPORT_H

#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "PXSObj.h"
#include "PXUserApp.h"
#include "ProgramFile.h"
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "plexlink.h"
#include "PXImageList.h"

#include <cstring>
#include <string>

#include <memory>
#include <vector>

bool FileExists(const std::string& path);

// The programs whose last window asked the controller to close their
// application, and the recovery records the library was given (answered
// with g_nRecoveryResult).
extern std::vector<Program*> g_closed;
extern int g_nRecoveryResult;
extern int g_nRecoveries;
extern PXRecoveryInfo g_recovery;
int __cdecl RecoverOnServer(const PXRecoveryInfo* pRecovery);

class UserAppFixture : public ModelTest
{
protected:
    UserAppFixture();
    void SetUp() override;
    void TearDown() override;

    // A program file in the program directory, written from a program of
    // the model with its page "Main" and default blocks; fill adds to it.
    void WriteProgramFile(const std::string& path, void (*fill)(Program*) = nullptr);
    // A new application of that name and ID, deleted after the test.
    PXUserApp* NewUserApp(const char* pszName, long lId);

    static PXObArray& List(PXUserApp* pUserApp, WORD wField);
    static std::string Text(PXSoftRec* pRec, WORD wField);

    UIApp m_app;
    UIMDIClient m_client;
    UIMDIFrame* m_pFrame = nullptr;     // the application object's
    std::unique_ptr<UIFramePages> m_pPages;
    std::unique_ptr<PXWinApp> m_pController;
    std::vector<PXUserApp*> m_userApps;
    std::string m_dir;
    PXAppLinkCalls m_oldCalls;
};

#endif
