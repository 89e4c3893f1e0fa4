// TPropertyPage: one page of a TPropertySheet, a dialog from a template
// found like TDialog's. The page's window is made by the system property
// sheet when the page is first shown; the object is bound to it through
// PROPSHEETPAGE.lParam. Leaving the page asks CanClose; Apply (OK) reads
// the controls (TransferData(tdGetData)).
#ifndef OWL_TPROPERTYPAGE_H
#define OWL_TPROPERTYPAGE_H

#include "owl/TDialog.h"

class TPropertySheet;

class TPropertyPage : public TDialog
{
public:
    TPropertyPage(TPropertySheet* pParent, TResId resId, const char* pszTitle = nullptr,
                  TResId iconResId = TResId(), TModule* pModule = nullptr);

    // The page description handed to the system; flags may be added
    // before the sheet runs.
    PROPSHEETPAGEA& GetPropSheetPage() { return m_psp; }
    // Fills the description for a run of the sheet; false when the
    // template is missing.
    bool PreparePage();

    TPropertySheet* GetSheet() const;

    LRESULT EvNotify(UINT id, NMHDR& hdr) override;
    // PSN_APPLY: reads the controls; answers PSNRET_NOERROR.
    virtual int Apply();
    // PSN_KILLACTIVE: true when the page may be left (CanClose).
    virtual bool KillActive();

    int Execute() override { return -1; }
    bool Create() override { return false; }
    void Destroy(int retVal = 0) override {}

protected:
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    PROPSHEETPAGEA m_psp;
};

#endif
