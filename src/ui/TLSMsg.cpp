// The load/save prompt.
#include "TLSMsg.h"

#include "LSReport.h"
#include "DialogRes.h"

TLSMsg::TLSMsg(short& nPromptMode, const char* pszText)
    : TBaseDialog(nullptr, "DORVO_LS_MSG"),
      m_strText(pszText ? pszText : ""),
      m_pnPromptMode(&nPromptMode)
{
    nPromptMode = LS_PROMPT_ASK;
    m_pCheckBox = new TControl(this, IDC_LS_NOMOREWARNINGS);
    m_pMessage = new TControl(this, IDC_LS_MESSAGE);
}

void TLSMsg::SetupWindow()
{
    TBaseDialog::SetupWindow();
    m_pMessage->SetWindowText(m_strText);
    m_pCheckBox->SendMessage(BM_SETCHECK, BST_UNCHECKED);
}

LRESULT TLSMsg::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_LS_NOMOREWARNINGS && notifyCode == BN_CLICKED)
    {
        *m_pnPromptMode = *m_pnPromptMode != LS_PROMPT_CONTINUE ? LS_PROMPT_CONTINUE : LS_PROMPT_ASK;
        return 0;
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}

int TLSMsg::Prompt(short& nPromptMode, const char* pszText)
{
    TLSMsg dlg(nPromptMode, pszText);
    return dlg.Execute();
}

void TLSMsg::Register()
{
    LSSetPromptRunner(&TLSMsg::Prompt);
}
