// TFrameWindow: a top-level window with a menu and an optional client
// window. Menu and accelerator commands are routed: first to the window
// with the focus and its parents up to the frame, then to the client, then
// to the frame itself; command enablers follow the same road when a pop-up
// menu opens.
#ifndef OWL_TFRAMEWINDOW_H
#define OWL_TFRAMEWINDOW_H

#include "owl/TWindow.h"

class TFrameWindow : public TWindow
{
public:
    TFrameWindow(TWindow* pParent, const char* pszTitle = nullptr, TWindow* pClientWnd = nullptr,
                 bool shrinkToClient = false, TModule* pModule = nullptr);
    ~TFrameWindow() override;

    // The menu resource the window gets (loaded from the module at Create;
    // set at once when the window exists).
    bool AssignMenu(TResId menuResId);
    HMENU GetMenu() const { return HWindow ? ::GetMenu(HWindow) : m_hMenu; }

    TWindow* GetClientWindow() const { return m_pClientWnd; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreProcessMsg(MSG& msg) override;
    void EvInitMenuPopup(HMENU hPopup, UINT index, bool sysMenu) override;
    void EvSize(UINT sizeType, int cx, int cy) override;

    // Offers a command to the routing road; true when someone took it.
    bool RouteCommand(UINT id, HWND hWndCtl, UINT notifyCode, LRESULT& result);
    bool RouteCommandEnable(TCommandEnabler& ce);

    // The accelerators of this window (besides the application's table
    // when this is the main window).
    HACCEL HAccel;

protected:
    HMENU CreationMenu() override;

    // The routing road: the windows from the focus up to this frame, the
    // client window (once), then this frame; stops at the first whose
    // tryWindow(TWindow*) answers true.
    template <class Try>
    bool Route(Try tryWindow);

    TWindow* m_pClientWnd;
    HMENU m_hMenu;
    TResId m_menuResId;
    bool m_bMenuOwned;      // loaded and not yet given to the window
};

#endif
