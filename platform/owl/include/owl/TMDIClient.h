// TMDIClient: the MDI client window of a TMDIFrame (system class
// "MDICLIENT"), parent of the MDI children. It answers the Window menu's
// commands: cascade, tile, arrange icons and close all.
#ifndef OWL_TMDICLIENT_H
#define OWL_TMDICLIENT_H

#include "owl/TWindow.h"

class TMDIChild;

enum
{
    CM_CASCADECHILDREN = 24361,
    CM_TILECHILDREN = 24362,
    CM_ARRANGEICONS = 24363,
    CM_CLOSECHILDREN = 24364
};

// The id of the first MDI child; children get the ids after it.
const UINT IDW_FIRSTMDICHILD = 0xFF00;

class TMDIClient : public TWindow
{
public:
    explicit TMDIClient(TModule* pModule = nullptr);

    bool Create() override;
    const char* GetClassName() override { return "MDICLIENT"; }
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // The active MDI child's object, or none.
    TMDIChild* GetActiveMDIChild() const;

    virtual void CmCascadeChildren();
    virtual void CmTileChildren();
    virtual void CmArrangeIcons();
    virtual void CmCloseChildren();
    // Closes every child when every child may close; true when closed.
    bool CloseChildren();

private:
    CLIENTCREATESTRUCT m_ccs;
};

#endif
