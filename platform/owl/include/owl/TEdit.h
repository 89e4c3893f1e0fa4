// TEdit: an edit control. The text limit counts the terminating NUL: a
// limit of 31 lets 30 characters be typed (0: the system's limit).
#ifndef OWL_TEDIT_H
#define OWL_TEDIT_H

#include "owl/TControl.h"

class TEdit : public TControl
{
public:
    TEdit(TWindow* pParent, int id, const char* pszText, int x, int y, int w, int h,
          UINT textLimit = 0, bool multiline = false, TModule* pModule = nullptr);
    TEdit(TWindow* pParent, int resourceId, UINT textLimit = 0, TModule* pModule = nullptr);

    const char* GetClassName() override { return "EDIT"; }
    void SetupWindow() override;

    // Copies at most nMax - 1 characters and the NUL; answers the count.
    int GetText(char* pszBuf, int nMax) const { return GetWindowText(pszBuf, nMax); }
    void SetText(const char* psz) { SetWindowText(psz); }
    int GetTextLen() const { return GetWindowTextLength(); }
    void SetTextLimit(UINT textLimit);
    UINT GetTextLimit() const { return TextLimit; }
    void SetSelection(int nStart, int nEnd);

    UINT TextLimit;
};

#endif
