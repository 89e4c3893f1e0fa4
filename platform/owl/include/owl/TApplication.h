// TApplication: the program's application object: its name, instance,
// command line and show command, the main window, and the message loop
// with the accelerator table HAccTable.
#ifndef OWL_TAPPLICATION_H
#define OWL_TAPPLICATION_H

#include "owl/TModule.h"

class TFrameWindow;

class TApplication : public TModule
{
public:
    // The object becomes the application object that GetApplicationObject
    // returns until it is destroyed.
    TApplication(const char* pszName = nullptr, HINSTANCE hInstance = nullptr,
                 HINSTANCE hPrevInstance = nullptr, const char* pszCmdLine = nullptr,
                 int cmdShow = SW_SHOWNORMAL);
    // Deletes the main window object.
    ~TApplication() override;

    // InitApplication (first instance only), InitInstance, the message
    // loop; answers the status (the WM_QUIT code). Any exception ends the
    // run: it is reported and the status becomes -1.
    virtual int Run();
    virtual void InitApplication() {}
    // InitMainWindow, then creates and shows the main window (raises
    // TXInvalidMainWindow when there is none).
    virtual void InitInstance();
    virtual void InitMainWindow() {}
    virtual int TermInstance(int status) { return status; }
    virtual int MessageLoop();
    // Keyboard translation of one message before dispatch; true when used.
    virtual bool ProcessAppMsg(MSG& msg);

    TFrameWindow* GetMainWindow() const { return m_pMainWindow; }
    // Answers the previous main window, which the caller now owns.
    virtual TFrameWindow* SetMainWindow(TFrameWindow* pWindow);

    const char* GetCmdLine() const { return m_pszCmdLine ? m_pszCmdLine : ""; }

    // The custom-control library needs nothing from the framework; the
    // flag tells that the program asked for it.
    void EnableBWCC(bool enable = true);
    bool BWCCEnabled() const { return m_bBWCC; }

    HINSTANCE hPrevInstance;
    int nCmdShow;
    HACCEL HAccTable;
    int Status;

private:
    TFrameWindow* m_pMainWindow;
    char* m_pszCmdLine;
    bool m_bBWCC;
};

// The application object, or none.
TApplication* GetApplicationObject();

#endif
