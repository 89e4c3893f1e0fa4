// TDefinePagesDialog: the SuperBlocks or Verification Blocks of a program:
// adding, opening, deleting, renaming, copying and pasting them, and a
// SuperBlock's Export flag. Every change takes effect at once.
#ifndef TDEFINEPAGESDIALOG_H
#define TDEFINEPAGESDIALOG_H

#include "TBaseDialog.h"

class Page;
class Program;

class TDefinePagesDialog : public TBaseDialog
{
public:
    // Kind 1 SuperBlocks, 2 Verification Blocks.
    TDefinePagesDialog(TWindow* pParent, Program* pProgram, int nKind);

    void TransferData(TTransferDirection direction) override;
    bool CanClose() override { return true; }
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    void CmAdd();
    void CmEdit();
    void CmDelete();
    void CmRename();
    void CmCopy();
    void CmPaste();
    void CmExport();

private:
    HWND List() const { return GetDlgItem(100); }
    void UpdateExport();
    void DisableExport();
    // Replaces the line at nIndex by the page's current line and selects it.
    void ReplaceLine(int nIndex, Page* pPage);

    Program* m_pProgram;        // not owned
    int m_nKind;
    Page* m_pCopied;            // the page last copied in this dialog
};

#endif
