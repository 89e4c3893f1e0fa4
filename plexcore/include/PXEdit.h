// PXEdit: the owner of one Windows "edit" control that it creates and
// destroys. The in-place editor of a text note is one.
#ifndef PXEDIT_H
#define PXEDIT_H

#include <windows.h>

class PXEdit
{
public:
    PXEdit() : m_hWnd(nullptr) {}
    // Destroys the control when it exists.
    virtual ~PXEdit();

    // Creates the control once, as a child of the parent at the rectangle
    // (the parent's client coordinates), without caption or id; true when
    // a control exists.
    bool Create(DWORD dwStyle, const RECT& rect, HWND hParent);
    HWND GetHandle() const { return m_hWnd; }

    void SetWindowText(const char* pszText);
    // At most nSize - 1 characters and the NUL; the count copied.
    int GetWindowText(char* pszBuffer, int nSize) const;
    int GetWindowTextLength() const;
    // The most characters that can be typed (EM_LIMITTEXT).
    void LimitText(int nChars);
    void SetFont(HFONT hFont, bool bRedraw);
    void SetFocus();
    // The control's rectangle in its parent's client coordinates.
    void GetRectInParent(RECT* pRect) const;

private:
    PXEdit(const PXEdit&) = delete;
    PXEdit& operator=(const PXEdit&) = delete;

    HWND m_hWnd;
};

#endif
