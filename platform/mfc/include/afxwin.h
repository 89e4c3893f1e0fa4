// The application object and the module state of a module built on our MFC
// layer. Each module that links the layer has its own module state, holding
// its application object, instance and resource handles and application
// name. The current module state is the one the module's code works in; an
// entry point of a library makes its own state current for the length of the
// call with AFX_MANAGE_STATE and gives the caller's back on every way out.
#ifndef PLEX_MFC_AFXWIN_H
#define PLEX_MFC_AFXWIN_H

#include <windows.h>

// Root of the classes kept in object lists.
class CObject
{
public:
    virtual ~CObject() {}

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

class CWinApp;

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    const char* m_lpszCurrentAppName;
};

// This module's own state.
AFX_MODULE_STATE* AfxGetStaticModuleState();
// The state the module's code works in now.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes pState current and answers the state that was current.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState);

// Makes a module state current while it lives and restores the previous one
// when it goes, also when an exception leaves the scope.
class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
        : m_pPrevState(AfxSetModuleState(pNewState)) {}
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }

private:
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

    AFX_MODULE_STATE* m_pPrevState;
};

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// The module's one application object. Constructing it makes it the
// module's application with the given name (the caption of the module's
// message boxes).
class CWinApp : public CObject
{
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    const char* m_pszAppName;
    HINSTANCE m_hInstance;
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Entry and exit of a library module, called from its DllMain: attaching
// records the module's handle and runs the application's InitInstance
// (FALSE when it fails), detaching runs its ExitInstance.
BOOL AfxDllAttach(HINSTANCE hInstance);
void AfxDllDetach();

#endif
