// TDialog: a dialog from a template, run modally (Execute) or modelessly
// (Create). A template named by resource is looked up in the given module
// (by default the program's), then in the dialog library set with
// SetDialogLibrary; a template can also be given in memory.
//
// A caption given to the object (SetCaption) replaces the template's.
// Set-up creates the child objects' windows (or attaches them to the
// template's controls with their ids) and fills the controls
// (TransferData(tdSetData)). OK asks CanClose, reads the controls
// (TransferData(tdGetData)) and ends the dialog with IDOK; Cancel ends it
// with IDCANCEL.
#ifndef OWL_TDIALOG_H
#define OWL_TDIALOG_H

#include "owl/TWindow.h"

class TDialog : public TWindow
{
public:
    TDialog(TWindow* pParent, TResId resId, TModule* pModule = nullptr);
    // A template in memory, which must outlive the dialog's window.
    TDialog(TWindow* pParent, const DLGTEMPLATE* pTemplate, TModule* pModule = nullptr);

    // Runs the dialog modally: the end code (IDOK, IDCANCEL, ...), or -1
    // when the template is missing or the window could not be made.
    virtual int Execute();
    // Makes the dialog modeless; false when the template is missing or
    // the window could not be made.
    bool Create() override;
    // Ends a modal dialog with the code; destroys a modeless one.
    void Destroy(int retVal = IDCANCEL) override;
    // CanClose, then TransferData(tdGetData), then Destroy.
    void CloseWindow(int retVal = IDOK) override;
    void SetupWindow() override;

    virtual void CmOk();
    virtual void CmCancel();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
    void EvClose() override;
    bool PreProcessMsg(MSG& msg) override;
    // WM_INITDIALOG: SetupWindow; answers TRUE to let the system set the focus.
    virtual BOOL EvInitDialog(HWND hWndFocus);

    bool IsModal() const { return m_bModal; }
    TResId GetTemplateId() const { return m_resId; }

    // The module whose template this dialog would use, or none.
    HINSTANCE FindTemplateModule() const;

    // The library searched for templates after the program (none: only
    // the program). Answers the previous one.
    static HINSTANCE SetDialogLibrary(HINSTANCE hLibrary);
    static HINSTANCE GetDialogLibrary();

protected:
    // The template and the module that holds it; false when missing.
    bool LoadTemplate(const DLGTEMPLATE*& pTemplate, HINSTANCE& hInst) const;

    TResId m_resId;
    const DLGTEMPLATE* m_pTemplate;
    bool m_bModal;
};

#endif
