// The block-name dialog.
#include "TNamePBDialog.h"

#include "EditorDlgRes.h"

#include <cctype>
#include <cstring>

TNamePBDialog::TNamePBDialog(TWindow* pParent, char* pszName, const char* pszCaption, bool bRenaming)
    : TBaseDialog(pParent, "NAMEPB"), m_pszName(pszName),
      m_pEdit(new TEdit(this, IDC_NAMEPB_NAME, PX_BLOCKNAME_SIZE))
{
    if (pszCaption)
        SetCaption(pszCaption);
    SetHelpTopic(bRenaming ? "Rename block" : "Add block");
}

void TNamePBDialog::TransferData(TTransferDirection direction)
{
    if (!m_pszName)
        return;
    if (direction == tdSetData)
    {
        m_pEdit->SetText(m_pszName);
        CenterDialog(HWindow);
        return;
    }
    m_pEdit->GetText(m_pszName, PX_BLOCKNAME_SIZE);
    Normalize(m_pszName);
}

void TNamePBDialog::Normalize(char* pszName)
{
    if (!pszName)
        return;
    char* pStart = pszName;
    while (*pStart && std::isspace(static_cast<unsigned char>(*pStart)))
        ++pStart;
    size_t n = std::strlen(pStart);
    while (n > 0 && std::isspace(static_cast<unsigned char>(pStart[n - 1])))
        --n;
    std::memmove(pszName, pStart, n);
    pszName[n] = '\0';
    for (char* p = pszName; *p; ++p)
        if (*p == ' ')
            *p = '_';
}
