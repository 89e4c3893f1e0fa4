// The save-name dialog.
#include "TSaveProgramDialog.h"

#include "EditorDlgRes.h"
#include "PXFaultHandler.h"
#include "PXProgDir.h"
#include "bwcc/Bwcc.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char* const g_szBadChars = "\"*+,./:;<=>?\\|";

// The list line of one program file: its name, a tab and the first line
// of its description file.
void ListLine(const char* pszPath, char* pszLine, size_t cbLine)
{
    const char* pszFile = std::strrchr(pszPath, '\\');
    pszFile = pszFile ? pszFile + 1 : pszPath;
    char szName[PX_PATH_MAX];
    std::snprintf(szName, sizeof(szName), "%s", pszFile);
    if (char* pDot = std::strrchr(szName, '.'))
        *pDot = '\0';

    char szDescr[PX_DESCR_MAX] = "";
    char szDsc[PX_PATH_MAX];
    int n = std::snprintf(szDsc, sizeof(szDsc), "%s", pszPath);
    char* pDot = std::strrchr(szDsc, '.');
    if (n > 0 && static_cast<size_t>(n) < sizeof(szDsc) && pDot && pDot + 4 < szDsc + sizeof(szDsc))
    {
        std::strcpy(pDot, ".dsc");
        if (FILE* pFile = std::fopen(szDsc, "rb"))
        {
            size_t nRead = std::fread(szDescr, 1, sizeof(szDescr) - 1, pFile);
            szDescr[nRead] = '\0';
            szDescr[std::strcspn(szDescr, "\r\n")] = '\0';
            std::fclose(pFile);
        }
    }
    std::snprintf(pszLine, cbLine, "%.8s\t%s", szName, szDescr);
}

} // namespace

TSaveProgramDialog::TSaveProgramDialog(TWindow* pParent, char* pszName)
    : TBaseDialog(pParent, "SAVEAS"), m_pszName(pszName),
      m_pName(new TEdit(this, IDC_SAVEAS_NAME, PX_PROGNAME_SIZE)),
      m_pDescr(new TEdit(this, IDC_SAVEAS_DESCR, PX_PROGDESCR_SIZE))
{
    m_szDescr[0] = '\0';
    if (m_pszName)
        m_pszName[0] = '\0';
}

void TSaveProgramDialog::TransferData(TTransferDirection direction)
{
    if (direction == tdSetData)
        FillList();
}

void TSaveProgramDialog::FillList()
{
    HWND hList = GetDlgItem(IDC_SAVEAS_LIST);
    ::SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    int nTab = 76;
    ::SendMessageA(hList, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&nTab));
    char szPath[PX_PATH_MAX];
    char szLine[PX_PATH_MAX + PX_DESCR_MAX];
    for (int bFound = PXFindFirstApplication(szPath); bFound; bFound = PXFindNextApplication(szPath))
    {
        ListLine(szPath, szLine, sizeof(szLine));
        ::SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szLine));
    }
}

LRESULT TSaveProgramDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (id == IDC_SAVEAS_LIST && notifyCode == LBN_DBLCLK)
    {
        LRESULT nSel = ::SendMessageA(hWndCtl, LB_GETCURSEL, 0, 0);
        LRESULT nLen = nSel == LB_ERR ? LB_ERR : ::SendMessageA(hWndCtl, LB_GETTEXTLEN, nSel, 0);
        if (nLen != LB_ERR)
        {
            std::vector<char> line(static_cast<size_t>(nLen) + 1, '\0');
            ::SendMessageA(hWndCtl, LB_GETTEXT, nSel, reinterpret_cast<LPARAM>(line.data()));
            line[std::strcspn(line.data(), "\t")] = '\0';
            char szName[PX_PROGNAME_SIZE];
            std::snprintf(szName, sizeof(szName), "%s", line.data());
            m_pName->SetText(szName);
        }
        return 0;
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}

bool TSaveProgramDialog::IsValidName(const char* pszName)
{
    return pszName && *pszName && std::strpbrk(pszName, g_szBadChars) == nullptr;
}

bool TSaveProgramDialog::CanClose()
{
    char szName[PX_PROGNAME_SIZE];
    m_pName->GetText(szName, sizeof(szName));
    m_pDescr->GetText(m_szDescr, sizeof(m_szDescr));
    if (!IsValidName(szName))
    {
        CString text(MAKEINTRESOURCEA(IDS_EDLG_BADFILENAME));
        ShowMessageFor(HWindow, "%s", nullptr, MB_ICONSTOP, static_cast<const char*>(text));
        return false;
    }
    if (PXApplicationDescriptionExists(szName))
    {
        CString text(MAKEINTRESOURCEA(IDS_EDLG_OVERWRITE));
        CString caption(MAKEINTRESOURCEA(IDS_EDLG_WARNING));
        if (BWCCMessageBox(HWindow, text, caption, MB_YESNOCANCEL) != IDYES)
            return false;
        PXDeleteApplicationFiles(szName);
    }
    if (!PXWriteApplicationDescription(szName, m_szDescr))
    {
        CString text(MAKEINTRESOURCEA(IDS_EDLG_NOCREATE));
        ShowMessageFor(HWindow, "%s", nullptr, MB_ICONSTOP, static_cast<const char*>(text));
        return false;
    }
    if (m_pszName)
        std::strcpy(m_pszName, szName);
    return true;
}

bool AskProgramSaveName(char* pszName)
{
    if (!pszName)
        return false;
    TSaveProgramDialog dlg(TWindow::GetWindowPtr(PXGetMainWindow()), pszName);
    if (dlg.Execute() != IDOK)
        return false;
    std::strcat(pszName, ".ed");
    return true;
}
