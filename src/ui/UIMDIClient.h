// UIMDIClient: the main frame's MDI client. Moving the mouse over it
// clears the status line; tiling and cascading go to the main frame as
// WM_UI_ARRANGE; "Reposition all windows to their initial state" puts the
// palette window back where its layout record places it.
#ifndef UIMDICLIENT_H
#define UIMDICLIENT_H

#include "PXCmdIds.h"
#include "owl/TMDIClient.h"

class UIMDIClient : public TMDIClient
{
public:
    explicit UIMDIClient(TModule* pModule = nullptr) : TMDIClient(pModule) {}

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
    void EvMouseMove(UINT modKeys, POINT pt) override;

    void CmRepositionWindows();
};

#endif
