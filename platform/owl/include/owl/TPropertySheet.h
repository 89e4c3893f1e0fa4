// TPropertySheet: the system property sheet over the TPropertyPage children
// made with it as parent. Execute runs it modally. The sheet's window is
// subclassed and bound when the system has made it (SetupWindow runs then),
// so WindowProc sees its messages first; PSM_PRESSBUTTON for OK and Cancel
// reaches WindowProc as the WM_COMMAND that the button would send.
#ifndef OWL_TPROPERTYSHEET_H
#define OWL_TPROPERTYSHEET_H

#include "owl/TWindow.h"

#include <vector>

class TPropertyPage;

class TPropertySheet : public TWindow
{
public:
    TPropertySheet(TWindow* pParent, const char* pszTitle, UINT startPage = 0, bool isWizard = false,
                   DWORD flags = PSH_DEFAULT, TModule* pModule = nullptr);

    // The system's answer: positive after OK, 0 after Cancel, -1 when the
    // sheet could not be shown (no pages, a missing template).
    virtual int Execute();

    void AddPage(TPropertyPage& page);
    void RemovePage(TPropertyPage& page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    TPropertyPage* GetPage(int nIndex) const;

    // Header flags (PSH_*) for the next run.
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD flags) { m_dwFlags = flags; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EvClose() override { DefaultProcessing(); }
    bool Create() override { return false; }

protected:
    static int CALLBACK SheetCallback(HWND hWnd, UINT msg, LPARAM lParam);

    std::vector<TPropertyPage*> m_pages;
    UINT m_nStartPage;
    bool m_bWizard;
    DWORD m_dwFlags;

private:
    static TPropertySheet* s_pRunning;
};

#endif
