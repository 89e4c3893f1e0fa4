// TFindPBDialog: the modeless Find PowerBlock dialog: lists the blocks of
// the program of the active page window whose names match a pattern, by
// mode (all, incomplete, calling a SuperBlock, of a type, using a variable
// or voice sentence) and scope (all pages or one); a double click asks the
// main frame to show the block. At most one exists; its settings are the
// run's TPBSearchInfo.
#ifndef TFINDPBDIALOG_H
#define TFINDPBDIALOG_H

#include "TBaseDialog.h"
#include "TPBSearchInfo.h"

class Program;

// The longest result line taken, with its NUL.
#define PX_FIND_LINE_SIZE 512

class TFindPBDialog : public TBaseDialog
{
public:
    TFindPBDialog(TWindow* pParent, Program* pProgram);
    // The frame deletes its children: the one dialog is gone then.
    ~TFindPBDialog() override;

    void TransferData(TTransferDirection direction) override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // Takes the settings from the controls and searches again; without an
    // active page window the dialog beeps and closes.
    void Refresh();
    void Search();
    // The double click on a result.
    void ShowResult();
    // The "L" buttons: the model's pickers of a variable and of a voice
    // sentence of the program; the name chosen fills the mode's edit.
    void PickVariable();
    void PickSentence();

    Program* GetProgram() const { return m_pProgram; }

private:
    void SetCaptionFor(Program* pProgram);
    void EnableModeControls();
    void EnableScopeControls();
    bool IsChecked(int nId) const;
    // Whether the main frame has an active page window; otherwise beeps
    // and closes the dialog.
    bool HasEditorWindow();

    Program* m_pProgram;        // not owned
    char m_szSelected[PX_FIND_LINE_SIZE];
};

// Command 4179: shows the one Find dialog over the frame (making it, or its
// window, when missing) and refreshes its results.
void ShowFindPowerBlock(TWindow* pFrame, Program* pProgram);
// The current program changed: the results follow while the dialog shows.
void RefreshFindPowerBlock();
// The dialog object, or none before the first Find command.
TFindPBDialog* GetFindPowerBlock();
// At exit: the dialog object goes.
void DeleteFindPowerBlock();

#endif
