// Text notes: the text box and the page's note object.
#include "PXTextUI.h"
#include "Page.h"
#include "FontObject.h"
#include "PXEdit.h"

#include <vector>

PXTextBase::PXTextBase()
    : m_nLeft(0), m_nRight(0), m_nTop(0), m_nBottom(0), m_hFont(nullptr), m_pEdit(nullptr), m_hEditFont(nullptr)
{
}

PXTextBase::PXTextBase(long left, long right, long top, long bottom, const char* pszText, HFONT hFont)
    : m_nLeft(left), m_nRight(right), m_nTop(top), m_nBottom(bottom), m_hFont(hFont), m_pEdit(nullptr),
      m_hEditFont(nullptr)
{
    SetText(pszText);
}

PXTextBase::~PXTextBase()
{
    // A note that goes while it is edited takes its editor along.
    CloseEditor();
}

void PXTextBase::CloseEditor()
{
    // The editor is let go before its window goes: the focus change that
    // its destruction causes may ask to end the edit again.
    PXEdit* pEdit = m_pEdit;
    m_pEdit = nullptr;
    delete pEdit;
    if (m_hEditFont)
    {
        DeleteObject(m_hEditFont);
        m_hEditFont = nullptr;
    }
}

int PXTextBase::BeginEdit(HWND hParent, BOOL bOwnRect, long x1, long y1, long x2, long y2, int nZoom)
{
    if (m_pEdit)
        return 1;
    if (bOwnRect)
    {
        x1 = m_nLeft;
        y1 = m_nTop;
        x2 = m_nRight;
        y2 = m_nBottom;
    }
    const long fx = GetSystemMetrics(SM_CXFRAME);
    const long fy = GetSystemMetrics(SM_CYFRAME);
    RECT rc;
    rc.left = x1 - fx;
    rc.top = y1 - fy;
    rc.right = rc.left + (x2 - x1 + 2 * fx);
    rc.bottom = rc.top + (y2 - y1 + 2 * fy);

    PXEdit* pEdit = new PXEdit();
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | WS_THICKFRAME | ES_MULTILINE | ES_AUTOVSCROLL, rc, hParent))
    {
        delete pEdit;
        return 0;
    }
    m_pEdit = pEdit;

    LOGFONTA lf;
    if (m_hFont && GetObjectA(m_hFont, sizeof(lf), &lf))
    {
        lf.lfHeight = static_cast<LONG>(lf.lfHeight * nZoom * 0.01);
        m_hEditFont = CreateFontIndirectA(&lf);
        if (m_hEditFont)
            m_pEdit->SetFont(m_hEditFont, false);
    }
    // The field of the program file keeps PX_TEXTNOTE_MAX characters.
    m_pEdit->LimitText(PX_TEXTNOTE_MAX);
    m_pEdit->SetWindowText(m_strText);

    // A click into it gives it the focus and the caret.
    const LPARAM lPoint = MAKELPARAM(2 * fx, 2 * fy);
    HWND hEdit = m_pEdit->GetHandle();
    SendMessageA(hEdit, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageA(hEdit, WM_LBUTTONUP, 0, lPoint);
    return 1;
}

void PXTextBase::EndEdit(BOOL bOwnRect, RECT* pOut)
{
    if (!m_pEdit)
        return;
    const int nLength = m_pEdit->GetWindowTextLength();
    std::vector<char> text(static_cast<size_t>(nLength) + 1, '\0');
    m_pEdit->GetWindowText(text.data(), nLength + 1);
    SetText(text.data());

    const long fx = GetSystemMetrics(SM_CXFRAME);
    const long fy = GetSystemMetrics(SM_CYFRAME);
    RECT rc;
    m_pEdit->GetRectInParent(&rc);
    rc.left += fx;
    rc.top += fy;
    rc.right -= fx;
    rc.bottom -= fy;
    if (rc.right - rc.left < 4 * fx)
        rc.right = rc.left + 4 * fx;
    if (rc.bottom - rc.top < 4 * fy)
        rc.bottom = rc.top + 4 * fy;
    if (bOwnRect)
        SetRect(rc.left, rc.right, rc.top, rc.bottom);
    else if (pOut)
        *pOut = rc;
    CloseEditor();
}

bool PXTextBase::HitTestEdit(long x, long y) const
{
    if (!m_pEdit)
        return false;
    RECT rc;
    m_pEdit->GetRectInParent(&rc);
    POINT pt = {x, y};
    return PtInRect(&rc, pt) != FALSE;
}

HWND PXTextBase::GetEditWindow() const
{
    return m_pEdit ? m_pEdit->GetHandle() : nullptr;
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
