// The editor's entry: one instance at a time, the splash picture, the
// application object and its run.
#include "PXafx.h"
#include "PXMsgBox.h"
#include "PXWinApp.h"
#include "FrameBars.h"
#include "UIApp.h"
#include "UIFirstStart.h"
#include "UIMDIFrame.h"
#include "UIRes.h"
#include "bwcc/Bwcc.h"
#include "owl/TDib.h"
#include "owl/TSplashWindow.h"
#include "plexmodel.h"

#include <memory>

namespace
{
const char s_szStartupEvent[] = "PlexwrightStartupEvent";
const char s_szSplashFile[] = "splash.bmp";

CString LoadText(UINT nId, const char* pszDefault)
{
    CString text;
    if (!text.LoadString(nId) || text.IsEmpty())
        text = pszDefault;
    return text;
}
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int)
{
    PXSetResourceHandle(hInstance);

    // The event only marks that an instance runs; the application object
    // closes it at exit.
    HANDLE hEvent = CreateEventA(nullptr, FALSE, TRUE, s_szStartupEvent);
    if (hEvent && GetLastError() == ERROR_ALREADY_EXISTS)
    {
        PXMessageBox(nullptr, LoadText(IDS_UI_ONEINSTANCE, "Cannot run more than one instance of Plexwright."),
                     LoadText(IDS_UI_PROGRAMNAME, "Plexwright"), MB_OK | MB_ICONSTOP);
        CloseHandle(hEvent);
        return 1;
    }
    UIApp::SetStartupEvent(hEvent);

    std::unique_ptr<TDib> dib;
    std::unique_ptr<TSplashWindow> splash;
    if (GetFileAttributesA(s_szSplashFile) != INVALID_FILE_ATTRIBUTES)
    {
        dib.reset(new TDib(s_szSplashFile));
        if (dib->IsOK())
        {
            splash.reset(new TSplashWindow(*dib, 800, 600,
                                           TSplashWindow::ShrinkToFit | TSplashWindow::MakeGauge |
                                               TSplashWindow::CaptureMouse,
                                           2000));
            if (splash->Create())
            {
                splash->SetText("");
                splash->SetPercentDone(5);
                splash->UpdateWindow();
                UIApp::SetSplash(splash.get());
            }
        }
    }

    BWCCRegister(hInstance);

    // Before anything reads the installation: one instance runs, so no
    // other start sets it up at the same time.
    UIPutInstallationInPlace(UIThisInstallation());

    // The name of the program and the first title of its main frame.
    char szName[80];
    lstrcpynA(szName, LoadText(IDS_UI_APPNAME, "Plexwright"), sizeof(szName));
    if (const char* pszProduct = kvrGetProductName())
        lstrcpynA(szName, pszProduct, sizeof(szName));

    UIMDIFrame::SetBarsFactory(MakeFrameBars);
    UIApp::SplashGauge(35);
    int nStatus;
    {
        UIApp app(szName, hInstance, pszCmdLine ? pszCmdLine : "", hPrevInstance, SW_SHOWNORMAL);
        nStatus = app.Run();
        SetErrorMode(SEM_NOGPFAULTERRORBOX);
    }
    UIApp::SetSplash(nullptr);
    return nStatus;
}
