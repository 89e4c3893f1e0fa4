// Soft property sheets: one page per soft dialog of the sheet definition,
// all on the same record; OK validates the pages that were opened and
// commits the record once, Cancel and the close box drop its cells.
#include "PXSoftPropSheet.h"
#include "PXSction.h"
#include "PXSdoRes.h"
#include "PXSoftRec.h"
#include "PXStatmt.h"
#include "pxspsdef.h"

#include <owl/TApplication.h>
#include <owl/TFrameWindow.h>

#include <new>

// The page notification that a page keeps from the framework; it still
// reaches the page's notifier.
static const UINT PXPSN_KEEPFROMFRAMEWORK = 9;

// ---------------------------------------------------------------------------
// PXSoftPropSheet

PXSoftPropSheet::PXSoftPropSheet(WORD wSheetDefId, PXSoftRec* pRec)
    : m_pSoftDlgs(nullptr), m_pSheet(nullptr), m_pRec(pRec), m_pSoftPropSheetDef(nullptr)
{
    PXASSERT(pRec!=0);
    m_pSoftPropSheetDef = PXSoftPropSheetDef::Get(wSheetDefId);
    m_pSoftDlgs = new (std::nothrow) PXObArray;
    if (!m_pSoftDlgs)
    {
        if (m_pSoftPropSheetDef->Release() == 0)
            delete m_pSoftPropSheetDef;
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEET);
    }
}

PXSoftPropSheet::~PXSoftPropSheet()
{
    // The soft dialogs leave their pages to the sheet, which deletes them
    // with itself.
    for (int i = m_pSoftDlgs->GetSize() - 1; i >= 0; --i)
        delete static_cast<PXSoftDlg*>(m_pSoftDlgs->GetAt(i));
    delete m_pSoftDlgs;
    delete m_pSheet;
    PXASSERT(m_pSoftPropSheetDef!=0);
    if (m_pSoftPropSheetDef->Release() == 0)
        delete m_pSoftPropSheetDef;
}

PXSoftDlg* PXSoftPropSheet::GetSoftDlg(int nIndex) const
{
    PXASSERT(nIndex>=0 && nIndex<m_pSoftDlgs->GetSize());
    return static_cast<PXSoftDlg*>(m_pSoftDlgs->GetAt(nIndex));
}

void PXSoftPropSheet::AddPage(WORD wDlgDefId, DWORD dwHelpId)
{
    PXSoftDlg* pSoftDlg = new (std::nothrow) PXSoftDlg(wDlgDefId, m_pRec, dwHelpId);
    if (!pSoftDlg)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    if (!m_pSoftDlgs->Add(pSoftDlg))
    {
        delete pSoftDlg;
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEET);
    }
    // The sheet owns the page; the soft dialog only uses it.
    PXPropPage* pPage = new (std::nothrow) PXPropPage(m_pSheet, pSoftDlg->GetTemplateId(), pSoftDlg);
    if (!pPage)
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEET);
    pSoftDlg->AttachToPage(pPage);

    if (!m_pSheet->HWindow || !::GetParent(m_pSheet->HWindow))
    {
        TApplication* pApp = GetApplicationObject();
        TWindow* pMain = pApp ? pApp->GetMainWindow() : nullptr;
        if (pMain && m_pSheet->GetParentO() != pMain)
            m_pSheet->SetParent(pMain);
    }
}

int PXSoftPropSheet::Execute(int nMode)
{
    // Only the modal sheet exists, and it runs once.
    PXASSERT(nMode==1);
    PXASSERT(m_pSheet==0);

    CString caption;
    caption.LoadString(m_pRec->GetTypeId());

    m_pSheet = new (std::nothrow) PXPropSheet(this);
    if (!m_pSheet)
        PXTHROW_XMEM(IDS_SDO_NEWPROPSHEET);
    m_pSheet->SetCaption(caption);

    PXSection* pRefs = m_pSoftPropSheetDef->GetReferencesSection();
    PXASSERT(pRefs!=0);
    int nStatements = pRefs->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < nStatements; ++i)
    {
        PXStatement* pStatement = pRefs->GetStatement(PXKIND_BODY, i);
        if (pStatement->GetType() != PXTOK_SOFTDLG)
            continue;
        AddPage(pStatement->GetParam(0), pStatement->GetParam(1));
    }
    return m_pSheet->Execute();
}

int PXSoftPropSheet::EndSheet(int nId)
{
    switch (nId)
    {
    case IDOK:
        // Pages never shown have no window and nothing typed to check.
        for (int i = m_pSoftDlgs->GetSize() - 1; i >= 0; --i)
        {
            PXSoftDlg* pSoftDlg = GetSoftDlg(i);
            TWindow* pPage = pSoftDlg->GetWindow();
            if (!pPage || !pPage->HWindow)
                continue;
            if (pSoftDlg->ValidateControls(0) != 1)
                return 0;
        }
        return m_pRec->Commit();
    case IDCANCEL:
        m_pRec->DropCells();
        return 1;
    default:
        PXASSERT(0);
    }
    return 1;
}

// ---------------------------------------------------------------------------
// PXPropSheet

PXPropSheet::PXPropSheet(PXSoftPropSheet* pSoftPropSheet)
    : TPropertySheet(nullptr, nullptr, 0, false, PSH_HASHELP), m_pSoftPropSheet(pSoftPropSheet)
{
}

void PXPropSheet::SetCaption(const CString& rCaption)
{
    m_caption = rCaption;
    TWindow::SetCaption(m_caption);
}

void PXPropSheet::SetupWindow()
{
    TPropertySheet::SetupWindow();
    PXASSERT(HWindow!=0);
    // The pages have their own Help button; the caption gets no "?".
    ::SetWindowLongA(HWindow, GWL_EXSTYLE, GetExStyle() & ~WS_EX_CONTEXTHELP);
    ::SetWindowLongA(HWindow, GWL_STYLE, GetStyle() & ~DS_CONTEXTHELP);
    ::SetWindowPos(HWindow, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT PXPropSheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        {
            // A refused OK leaves the sheet open on the page it shows.
            if (!m_pSoftPropSheet->EndSheet(LOWORD(wParam)))
                return 0;
        }
        break;
    case WM_DESTROY:
        // However the sheet goes, what was not committed is dropped.
        if (m_pSoftPropSheet->EndSheet(IDCANCEL))
            return 0;
        break;
    default:
        break;
    }
    return TPropertySheet::WindowProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// PXPropPage

PXPropPage::PXPropPage(PXPropSheet* pSheet, WORD wTemplateId, PXSoftDlg* pSoftDlg)
    : TPropertyPage(pSheet, TResId(wTemplateId)), PXNotifier(pSoftDlg)
{
    GetPropSheetPage().dwFlags |= PSP_HASHELP;
}

LRESULT PXPropPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    bool bKept = msg == WM_NOTIFY && lParam &&
                 reinterpret_cast<NMHDR*>(lParam)->code == PXPSN_KEEPFROMFRAMEWORK;
    if (!bKept)
        result = TPropertyPage::WindowProc(msg, wParam, lParam);
    OnMessage(msg, wParam, lParam);
    return result;
}
