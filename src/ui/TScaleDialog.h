// TScaleDialog: "Set Zoom": shows the current zoom percent and takes a
// new one between 35 and 100.
#ifndef TSCALEDIALOG_H
#define TSCALEDIALOG_H

#include "TBaseDialog.h"

#define PX_ZOOM_MIN 35
#define PX_ZOOM_MAX 100

class TScaleDialog : public TBaseDialog
{
public:
    // The caller's percent: shown when the dialog opens, replaced on OK.
    TScaleDialog(TWindow* pParent, int* pnZoom);

    void TransferData(TTransferDirection direction) override;
    bool CanClose() override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // A zoom entry: one to four characters, digits with at most one "%"
    // as the last, the number between PX_ZOOM_MIN and PX_ZOOM_MAX.
    static bool IsValidZoom(const char* pszEntry);

private:
    int* m_pnZoom;              // not owned
};

#endif
