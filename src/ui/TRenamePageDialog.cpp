// The page rename dialog.
#include "TRenamePageDialog.h"

#include "EditorDlgRes.h"
#include "PXFaultHandler.h"
#include "Page.h"
#include "plexmodel.h"

#include <cctype>

TRenamePageDialog::TRenamePageDialog(TWindow* pParent, const char* pszCurrent, const char* pszCaption,
                                     char* pszNewName)
    : TNamePageDialog(pParent, pszNewName, PX_PAGE_SUPERBLOCK),
      m_strCurrent(pszCurrent ? pszCurrent : ""), m_strCaption(pszCaption ? pszCaption : "")
{
}

void TRenamePageDialog::SetupWindow()
{
    TNamePageDialog::SetupWindow();
    if (!m_strCaption.IsEmpty())
        SetCaption(m_strCaption);
    SetHelpTopic("Rename");
}

bool TRenamePageDialog::CanClose()
{
    char szName[PX_PAGENAME_SIZE];
    m_pEdit->GetText(szName, sizeof(szName));
    bool bBlank = true;
    for (const char* p = szName; *p && bBlank; ++p)
        bBlank = std::isspace(static_cast<unsigned char>(*p)) != 0;
    if (bBlank)
    {
        ShowMessageFor(HWindow, "%s", nullptr, MB_ICONSTOP,
                       static_cast<const char*>(CString(MAKEINTRESOURCEA(IDS_PAGES_EMPTYNAME))));
        return false;
    }
    if (kvrIsNameInUse(szName))
    {
        ShowMessageFor(HWindow, "%s", nullptr, MB_ICONSTOP,
                       static_cast<const char*>(CString(MAKEINTRESOURCEA(IDS_PAGES_NAMEINUSE))));
        return false;
    }
    if (m_pszName)
        lstrcpynA(m_pszName, szName, PX_PAGENAME_SIZE);
    return true;
}
