// TViewPagesDialog: the user chooses a SuperBlock or Verification Block
// page of a program to view.
#ifndef TVIEWPAGESDIALOG_H
#define TVIEWPAGESDIALOG_H

#include "TBaseDialog.h"

class Page;
class Program;

class TViewPagesDialog : public TBaseDialog
{
public:
    // Lists the program's pages of the kind (1 SuperBlocks, 2 Verification
    // Blocks); OK stores the chosen page through ppChoice.
    TViewPagesDialog(TWindow* pParent, Program* pProgram, Page** ppChoice, int nKind);

    void TransferData(TTransferDirection direction) override;
    bool CanClose() override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

private:
    Program* m_pProgram;        // not owned
    Page** m_ppChoice;
    int m_nKind;
};

#endif
