// TApplication: start-up, the message loop and the accelerators.
#include "owl/TApplication.h"
#include "owl/TFrameWindow.h"
#include "owl/TXInvalidMainWindow.h"
#include "OwlFailure.h"

#include "PXafx.h"

#include <string.h>

namespace {

TApplication* g_pApp = nullptr;

} // namespace

TApplication* GetApplicationObject()
{
    return g_pApp;
}

TApplication::TApplication(const char* pszName, HINSTANCE hInstance, HINSTANCE hPrev,
                           const char* pszCmdLine, int cmdShow)
    : TModule(pszName, hInstance ? hInstance : GetModuleHandleA(nullptr)),
      hPrevInstance(hPrev), nCmdShow(cmdShow), HAccTable(nullptr), Status(0),
      m_pMainWindow(nullptr), m_pszCmdLine(nullptr), m_bBWCC(false)
{
    if (pszCmdLine)
    {
        size_t n = strlen(pszCmdLine) + 1;
        m_pszCmdLine = static_cast<char*>(malloc(n));
        if (!m_pszCmdLine)
            PXTHROW_XMEM(0);
        memcpy(m_pszCmdLine, pszCmdLine, n);
    }
    g_pApp = this;
}

TApplication::~TApplication()
{
    delete m_pMainWindow;
    m_pMainWindow = nullptr;
    free(m_pszCmdLine);
    if (g_pApp == this)
        g_pApp = nullptr;
}

TFrameWindow* TApplication::SetMainWindow(TFrameWindow* pWindow)
{
    TFrameWindow* pOld = m_pMainWindow;
    if (pOld)
        pOld->ClearFlag(wfMainWindow);
    m_pMainWindow = pWindow;
    if (pWindow)
        pWindow->SetFlag(wfMainWindow);
    return pOld;
}

void TApplication::EnableBWCC(bool enable)
{
    m_bBWCC = enable;
}

void TApplication::InitInstance()
{
    InitMainWindow();
    if (!m_pMainWindow)
        throw TXInvalidMainWindow();
    m_pMainWindow->SetFlag(wfMainWindow);
    if (!m_pMainWindow->Create())
        throw TXInvalidMainWindow();
    m_pMainWindow->ShowWindow(nCmdShow);
}

int TApplication::Run()
{
    try {
        if (!hPrevInstance)
            InitApplication();
        InitInstance();
        Status = MessageLoop();
    } catch (...) {
        OwlShowCurrentException(m_pMainWindow ? m_pMainWindow->HWindow : nullptr);
        Status = -1;
    }
    return TermInstance(Status);
}

int TApplication::MessageLoop()
{
    MSG msg;
    for (;;)
    {
        BOOL r = ::GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0)
            return static_cast<int>(msg.wParam);
        if (r == -1)
            return -1;
        if (!ProcessAppMsg(msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

bool TApplication::ProcessAppMsg(MSG& msg)
{
    // Every window from the target up to its top-level window may take the
    // message first: a modeless dialog its keys, the main window its
    // accelerators.
    HWND hDesktop = ::GetDesktopWindow();
    for (HWND h = msg.hwnd; h && h != hDesktop; h = ::GetAncestor(h, GA_PARENT))
    {
        TWindow* pWnd = TWindow::GetWindowPtr(h);
        if (pWnd && pWnd->PreProcessMsg(msg))
            return true;
    }
    return false;
}
