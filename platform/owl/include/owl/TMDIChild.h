// TMDIChild: a document window inside a TMDIClient. It is created through
// the client, its default processing is the system's MDI child procedure,
// and the object deletes itself when its window is destroyed.
#ifndef OWL_TMDICHILD_H
#define OWL_TMDICHILD_H

#include "owl/TWindow.h"

class TMDIClient;

class TMDIChild : public TWindow
{
public:
    TMDIChild(TMDIClient& parent, const char* pszTitle = nullptr, TWindow* pClientWnd = nullptr,
              bool shrinkToClient = false, TModule* pModule = nullptr);

    bool Create() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // WM_MDIACTIVATE: the window activated and the one deactivated.
    virtual void EvMDIActivate(HWND hWndActivated, HWND hWndDeactivated);

protected:
    LRESULT DefProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

#endif
