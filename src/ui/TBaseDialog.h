// TBaseDialog: the base of the editor's own dialogs. Its template comes
// from the program or, failing that, from the dialog library "pxdlg" that
// the application object loads at start (TDialog::SetDialogLibrary); a
// template found in neither is reported when the dialog is made. Its Help
// button (id 9) opens the program's help file at the dialog's topic.
#ifndef TBASEDIALOG_H
#define TBASEDIALOG_H

#include "owl/TDialog.h"

class TBaseDialog : public TDialog
{
public:
    // The template is looked up in the module (the program when none is
    // given), then in the dialog library.
    TBaseDialog(TWindow* pParent, TResId resId, TModule* pModule = nullptr);
    ~TBaseDialog() override;

    // The class of TDialog, private to the program.
    void GetWindowClass(WNDCLASSA& wc) override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // Opens the help file at the dialog's topic (its contents when the
    // dialog has none).
    virtual void Help();

    UINT GetHelpId() const { return m_nHelpId; }
    // The dialog's help topic by name (FindHelpID); an unknown name leaves
    // the dialog without a topic.
    void SetHelpTopic(const char* pszTopic);

    // The way to the help program, WinHelp's own signature: tests answer
    // it instead of starting the help program. Answers the previous one.
    typedef BOOL (WINAPI* HelpCall)(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData);
    static HelpCall SetHelpCall(HelpCall pfn);

protected:
    UINT m_nHelpId;             // help context of the dialog's topic; 0 none
};

// Centres a dialog over its owner when it then lies wholly on the screen,
// otherwise (and without an owner) on the screen.
void CenterDialog(HWND hDlg);

#endif
