// TLSMsg: the prompt of a load or save that met a bad record ("DORVO_LS_MSG").
// It shows the report and asks whether to go on; its check box "Do not
// display further warnings" makes the rest of the operation continue
// without asking.
#ifndef TLSMSG_H
#define TLSMSG_H

#include "PXafx.h"
#include "TBaseDialog.h"
#include "owl/TControl.h"

class TLSMsg : public TBaseDialog
{
public:
    // No parent window. Sets the prompt mode to 0 (ask).
    TLSMsg(short& nPromptMode, const char* pszText);

    void SetupWindow() override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // Makes this dialog the prompt of LSReportError; the program does it
    // once at start-up.
    static void Register();
    // The prompt runner: runs the dialog modally, answers its end code
    // (IDOK Continue, IDCANCEL Abort, -1 when it could not be shown).
    static int Prompt(short& nPromptMode, const char* pszText);

private:
    CString m_strText;
    short* m_pnPromptMode;
    TControl* m_pCheckBox;
    TControl* m_pMessage;
};

#endif
