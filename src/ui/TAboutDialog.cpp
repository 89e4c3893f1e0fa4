// The About box.
#include "TAboutDialog.h"

#include "EditorDlgRes.h"
#include "PXProgDir.h"
#include "TBaseDialog.h"
#include "PXString.h"

#include <cstdio>

TAboutDialog::TAboutDialog(TWindow* pParent)
    : TDialog(pParent, "ABOUT")
{
}

bool TAboutDialog::ReadVersion(char* pszVersion, size_t cbVersion)
{
    if (!pszVersion || cbVersion == 0)
        return false;
    pszVersion[0] = '\0';
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, PX_REGKEY_PLEXWRIGHT, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char szValue[PX_VERSION_SIZE + 1] = "";
    DWORD dwType = 0;
    DWORD cbValue = PX_VERSION_SIZE;
    LONG nResult = ::RegQueryValueExA(hKey, PX_REGVALUE_VERSION, nullptr, &dwType,
                                      reinterpret_cast<BYTE*>(szValue), &cbValue);
    ::RegCloseKey(hKey);
    if (nResult != ERROR_SUCCESS || dwType != REG_SZ)
        return false;
    // A value stored without its NUL, or filling the buffer, ends here.
    szValue[cbValue < PX_VERSION_SIZE ? cbValue : PX_VERSION_SIZE] = '\0';
    std::snprintf(pszVersion, cbVersion, "%s", szValue);
    return true;
}

void TAboutDialog::SetupWindow()
{
    TDialog::SetupWindow();
    char szVersion[PX_VERSION_SIZE + 1];
    if (!ReadVersion(szVersion, sizeof(szVersion)))
        return;
    CString text;
    text.Format(CString(MAKEINTRESOURCEA(IDS_EDLG_BUILD)), szVersion);
    char szText[128];
    std::snprintf(szText, sizeof(szText), "%s", static_cast<const char*>(text));
    ::SetDlgItemTextA(HWindow, IDC_ABOUT_BUILD, szText);
}

void TAboutDialog::TransferData(TTransferDirection direction)
{
    if (direction == tdSetData)
        CenterDialog(HWindow);
}
