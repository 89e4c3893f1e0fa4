// The load/save prompt.
#include "TLSMsg.h"

#include "LSReport.h"
#include "DialogRes.h"

#include <vector>

namespace {

// The prompt has no parent, so nothing would keep the program's windows
// from File Open, Close or Exit while it asks: a second load or save would
// start inside the one that asks, or its program would go. Like a
// task-modal message box, the prompt makes every window of the thread
// wait for the answer.
class ThreadWindowsDisabled
{
public:
    ThreadWindowsDisabled() : m_hActive(::GetActiveWindow())
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&m_windows));
        for (HWND hWnd : m_windows)
            ::EnableWindow(hWnd, FALSE);
    }
    ~ThreadWindowsDisabled()
    {
        for (HWND hWnd : m_windows)
            if (::IsWindow(hWnd))
                ::EnableWindow(hWnd, TRUE);
        if (m_hActive && ::IsWindow(m_hActive))
            ::SetActiveWindow(m_hActive);
    }

private:
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

    static BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
    {
        if (::IsWindowEnabled(hWnd))
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
        return TRUE;
    }

    HWND m_hActive;
    std::vector<HWND> m_windows;
};

} // namespace

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
    ThreadWindowsDisabled waiting;
    TLSMsg dlg(nPromptMode, pszText);
    return dlg.Execute();
}

void TLSMsg::Register()
{
    LSSetPromptRunner(&TLSMsg::Prompt);
}
