// What the controller and item tests share: a controller registered as the
// program makes it, whose active application is the one of the program the
// test names as shown.
#ifndef PXUITESTSUPPORT_H
#define PXUITESTSUPPORT_H

#include "PXTestSupport.h"
#include "PXAppLink.h"
#include "PXSObj.h"
#include "PXWinApp.h"

#include <memory>

class RegisteredController : public testing::Test
{
protected:
    void SetUp() override
    {
        app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
        PXSoftObj::Init(app.get());
        PXSetWinApp(app.get());
        PXWinApp::SetCurrentProgramSource(CurrentProgram);
        s_pszProgram = nullptr;
        // The server takes every item and every use of a list.
        PXAppLinkCalls calls = PXAppLinkExports();
        calls.pfnManipulateItem = TakeItem;
        calls.pfnResPermUsed = TakeListUses;
        m_oldLink = PXSetAppLink(calls);
    }
    void TearDown() override
    {
        PXSetAppLink(m_oldLink);
        PXWinApp::SetCurrentProgramSource(nullptr);
        PXSetWinApp(nullptr);
        app.reset();
    }

    // The file path of the program in the active page window; none at first.
    inline static const char* s_pszProgram = nullptr;
    std::unique_ptr<PXWinApp> app;

private:
    static const char* CurrentProgram() { return s_pszProgram; }
    static int __cdecl TakeItem(int, int, int, const PXItemInfo*) { return 0; }
    static int __cdecl TakeListUses(int, int, const PXAppDataRequest*) { return 0; }
    PXAppLinkCalls m_oldLink;
};

#endif
