// The zoom dialog.
#include "TScaleDialog.h"

#include "EditorDlgRes.h"
#include "PXFaultHandler.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const g_Choices[] = { "50", "60", "70", "80", "90", "100" };

// The longest entry that can be valid, with its NUL.
const int ZOOM_ENTRY_SIZE = 5;

} // namespace

TScaleDialog::TScaleDialog(TWindow* pParent, int* pnZoom)
    : TBaseDialog(pParent, "SCALE"), m_pnZoom(pnZoom)
{
    SetHelpTopic("View Options");
}

void TScaleDialog::TransferData(TTransferDirection direction)
{
    if (!m_pnZoom)
        return;
    if (direction == tdSetData)
    {
        HWND hCombo = GetDlgItem(IDC_SCALE_NEW);
        ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
        for (const char* psz : g_Choices)
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        ::SendDlgItemMessageA(HWindow, IDC_SCALE_CURRENT, EM_LIMITTEXT, 10, 0);
        char sz[16];
        std::snprintf(sz, sizeof(sz), "%d", *m_pnZoom);
        ::SetDlgItemTextA(HWindow, IDC_SCALE_CURRENT, sz);
        ::SetWindowTextA(hCombo, sz);
        return;
    }
    char sz[ZOOM_ENTRY_SIZE];
    ::GetDlgItemTextA(HWindow, IDC_SCALE_NEW, sz, sizeof(sz));
    *m_pnZoom = static_cast<int>(std::atol(sz));
}

bool TScaleDialog::CanClose()
{
    char sz[32];
    ::GetDlgItemTextA(HWindow, IDC_SCALE_NEW, sz, sizeof(sz));
    if (IsValidZoom(sz))
        return true;
    CString text(MAKEINTRESOURCEA(IDS_EDLG_BADZOOM));
    ShowMessageFor(HWindow, "%s", nullptr, 0, static_cast<const char*>(text));
    return false;
}

LRESULT TScaleDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_SCALE_NEW && notifyCode == CBN_SELCHANGE)
    {
        // The edit field follows the list at once.
        LRESULT nSel = ::SendMessageA(hWndCtl, CB_GETCURSEL, 0, 0);
        if (nSel != CB_ERR)
            ::SendMessageA(hWndCtl, CB_SETCURSEL, static_cast<WPARAM>(nSel), 0);
        return 0;
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}

bool TScaleDialog::IsValidZoom(const char* pszEntry)
{
    if (!pszEntry)
        return false;
    size_t n = std::strlen(pszEntry);
    if (n < 1 || n > 4 || pszEntry[0] < '0' || pszEntry[0] > '9')
        return false;
    size_t nDigits = n;
    if (pszEntry[n - 1] == '%')
        nDigits = n - 1;
    for (size_t i = 0; i < nDigits; ++i)
        if (pszEntry[i] < '0' || pszEntry[i] > '9')
            return false;
    long nZoom = std::atol(pszEntry);
    return nZoom >= PX_ZOOM_MIN && nZoom <= PX_ZOOM_MAX;
}
