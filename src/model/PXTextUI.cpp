// Text notes: the text box and the page's note object.
#include "PXTextUI.h"
#include "Page.h"
#include "FontObject.h"

PXTextBase::PXTextBase()
    : m_nLeft(0), m_nRight(0), m_nTop(0), m_nBottom(0), m_hFont(nullptr), m_pEdit(nullptr)
{
}

PXTextBase::PXTextBase(long left, long right, long top, long bottom, const char* pszText, HFONT hFont)
    : m_nLeft(left), m_nRight(right), m_nTop(top), m_nBottom(bottom), m_hFont(hFont), m_pEdit(nullptr)
{
    SetText(pszText);
}

PXTextBase::~PXTextBase()
{
}

void PXTextBase::GetRect(long& left, long& right, long& top, long& bottom) const
{
    left = m_nLeft;
    right = m_nRight;
    top = m_nTop;
    bottom = m_nBottom;
}

void PXTextBase::SetRect(long left, long right, long top, long bottom)
{
    m_nLeft = left;
    m_nRight = right;
    m_nTop = top;
    m_nBottom = bottom;
}

void PXTextBase::SetText(const char* pszText)
{
    CString strText(pszText ? pszText : "");
    if (strText.GetLength() > PX_TEXTNOTE_MAX)
        strText = strText.Left(PX_TEXTNOTE_MAX);
    m_strText = strText;
}

PXTextUI::PXTextUI(Page* pPage, long left, long right, long top, long bottom, FontObject* pFont)
    : ProgramObject(pPage), m_pTextBox(new PXTextBase(left, right, top, bottom, "", pFont ? pFont->GetFont() : nullptr)),
      m_pFont(pFont)
{
}

PXTextUI::PXTextUI() : m_pTextBox(new PXTextBase()), m_pFont(nullptr)
{
}

PXTextUI::~PXTextUI()
{
    delete m_pTextBox;
    delete m_pFont;
}

Program* PXTextUI::GetProgram() const
{
    return m_pOwner ? m_pOwner->GetProgram() : nullptr;
}

Page* PXTextUI::GetPage() const
{
    return static_cast<Page*>(m_pOwner);
}

void PXTextUI::GetRect(long& left, long& right, long& top, long& bottom) const
{
    m_pTextBox->GetRect(left, right, top, bottom);
}

void PXTextUI::SetRect(long left, long right, long top, long bottom)
{
    m_pTextBox->SetRect(left, right, top, bottom);
    SetModified();
}

void PXTextUI::SetText(const char* pszText)
{
    m_pTextBox->SetText(pszText);
    SetModified();
}

void PXTextUI::SetFontObject(FontObject* pFont)
{
    if (pFont == m_pFont)
        return;
    delete m_pFont;
    m_pFont = pFont;
    m_pTextBox->SetFont(pFont ? pFont->GetFont() : nullptr);
}
