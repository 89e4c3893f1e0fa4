// What the controller and item tests share: a controller registered as the
// program makes it, whose active application is the one of the program the
// test names as shown.
#ifndef PXUITESTSUPPORT_H
#define PXUITESTSUPPORT_H

#include "PXTestSupport.h"
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
    }
    void TearDown() override
    {
        PXWinApp::SetCurrentProgramSource(nullptr);
        PXSetWinApp(nullptr);
        app.reset();
    }

    // The file path of the program in the active page window; none at first.
    inline static const char* s_pszProgram = nullptr;
    std::unique_ptr<PXWinApp> app;

private:
    static const char* CurrentProgram() { return s_pszProgram; }
};

#endif
