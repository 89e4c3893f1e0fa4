// A soft property sheet: a tabbed sheet whose pages are soft dialogs on one
// record. Every page sees the values entered on the others; OK validates
// the pages that were opened and commits the record once.
#ifndef PXSOFTPROPSHEET_H
#define PXSOFTPROPSHEET_H

#include "PXSoftDlg.h"
#include <owl/TPropertySheet.h>
#include <owl/TPropertyPage.h>

class PXSoftPropSheetDef;
class PXPropSheet;

class PXSoftPropSheet : public PXSoftObj
{
public:
    // Loads the property-sheet definition and takes one reference.
    PXSoftPropSheet(WORD wSheetDefId, PXSoftRec* pRec);
    // Deletes the soft dialogs (last to first), then the sheet window
    // object, and releases the definition.
    ~PXSoftPropSheet() override;

    // Builds the sheet and its pages and runs it modally (mode 1); answers
    // the framework's result of the modal sheet.
    int Execute(int nMode);
    // OK and Cancel: non-zero lets the sheet close.
    int EndSheet(int nId);

    PXSoftRec* GetRecord() const { return m_pRec; }
    int GetPageCount() const { return m_pSoftDlgs->GetSize(); }
    PXSoftDlg* GetSoftDlg(int nIndex) const;
    PXPropSheet* GetSheet() const { return m_pSheet; }

private:
    PXSoftPropSheet(const PXSoftPropSheet&) = delete;
    PXSoftPropSheet& operator=(const PXSoftPropSheet&) = delete;

    // One page: its soft dialog on the record and the page hosting it.
    void AddPage(WORD wDlgDefId, DWORD dwHelpId);

    PXObArray* m_pSoftDlgs;         // the pages' soft dialogs; owned
    PXPropSheet* m_pSheet;          // owned; none until Execute
    PXSoftRec* m_pRec;              // not owned
    PXSoftPropSheetDef* m_pSoftPropSheetDef;
};

class PXPropSheet : public TPropertySheet
{
public:
    PXPropSheet(PXSoftPropSheet* pSoftPropSheet);

    void SetCaption(const CString& rCaption);
    const CString& GetCaption() const { return m_caption; }

    void SetupWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    PXSoftPropSheet* m_pSoftPropSheet;
    CString m_caption;
};

class PXPropPage : public TPropertyPage, public PXNotifier
{
public:
    PXPropPage(PXPropSheet* pSheet, WORD wTemplateId, PXSoftDlg* pSoftDlg);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

#endif
