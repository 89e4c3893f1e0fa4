// PXToolBar: the presenter that keeps the tool-bar buttons' enabled look in
// step with the command-state table. The tool strip makes it, sets itself
// as its strip and publishes it as the program's tool bar, which
// PXWinApp::UpdateCommandUI refreshes after every change of the states.
#ifndef PXTOOLBAR_H
#define PXTOOLBAR_H

#include "PXafx.h"
#include "PXCmdInterface.h"

class TWindow;

class PXToolBar : public PXCmdInterface
{
public:
    // No strip yet.
    PXToolBar();
    ~PXToolBar() override;

    // Refreshes every button whose command is in the command-state table.
    void UpdateState() override;

    // Whether the button with that id looks enabled, and its enabled look
    // changed without a repaint.
    bool IsButtonEnabled(UINT nId);
    void EnableButton(UINT nId, bool bEnable);
    // The button of the strip with that control id; the strip's window.
    HWND GetButton(UINT nId);
    HWND GetStripWindow();

    // The buttons UpdateState refreshes, in the order it does.
    static const WORD s_awRefreshed[];
    static const int s_nRefreshed;

    TWindow* m_pIconBox;    // the strip, the buttons' parent; not owned

private:
    // Gives the button the enabled look of its command; a button whose
    // look is right already is not repainted.
    void UpdateButton(UINT nId);

    PXToolBar(const PXToolBar&) = delete;
    PXToolBar& operator=(const PXToolBar&) = delete;
};

#endif
