// The owner of one edit control.
#include "PXEdit.h"

PXEdit::~PXEdit()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool PXEdit::Create(DWORD dwStyle, const RECT& rect, HWND hParent)
{
    if (m_hWnd)
        return true;
    HINSTANCE hInstance = hParent ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hParent, GWLP_HINSTANCE))
                                  : GetModuleHandleA(nullptr);
    m_hWnd = CreateWindowExA(0, "EDIT", "", dwStyle, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, hParent, nullptr, hInstance, nullptr);
    return m_hWnd != nullptr;
}

void PXEdit::SetWindowText(const char* pszText)
{
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, pszText ? pszText : "");
}

int PXEdit::GetWindowText(char* pszBuffer, int nSize) const
{
    if (!pszBuffer || nSize <= 0)
        return 0;
    pszBuffer[0] = '\0';
    return m_hWnd ? ::GetWindowTextA(m_hWnd, pszBuffer, nSize) : 0;
}

int PXEdit::GetWindowTextLength() const
{
    return m_hWnd ? ::GetWindowTextLengthA(m_hWnd) : 0;
}

void PXEdit::LimitText(int nChars)
{
    if (m_hWnd)
        SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void PXEdit::SetFont(HFONT hFont, bool bRedraw)
{
    if (m_hWnd)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), MAKELPARAM(bRedraw ? TRUE : FALSE, 0));
}

void PXEdit::SetFocus()
{
    if (m_hWnd)
        ::SetFocus(m_hWnd);
}

void PXEdit::GetRectInParent(RECT* pRect) const
{
    if (!pRect)
        return;
    SetRectEmpty(pRect);
    if (!m_hWnd)
        return;
    GetWindowRect(m_hWnd, pRect);
    if (HWND hParent = GetParent(m_hWnd))
        MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(pRect), 2);
}
