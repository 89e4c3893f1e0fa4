// The Find PowerBlock dialog.
#include "TFindPBDialog.h"

#include "EditorDlgRes.h"
#include "PXEditorFrame.h"
#include "PXMsgBox.h"
#include "PXUIMsg.h"
#include "PXWinApp.h"
#include "Page.h"
#include "Program.h"
#include "bwcc/Bwcc.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

TFindPBDialog* g_pFindDialog = nullptr;

struct ModeControl
{
    int nRadio;
    short nMode;
    int nControls[2];
};

const ModeControl g_Modes[] = {
    { IDC_FIND_ALL, PX_FIND_ALL, { 0, 0 } },
    { IDC_FIND_INCOMPLETE, PX_FIND_INCOMPLETE, { 0, 0 } },
    { IDC_FIND_CALLING, PX_FIND_CALLING, { IDC_FIND_CALLED, 0 } },
    { IDC_FIND_BYTYPE, PX_FIND_TYPE, { IDC_FIND_TYPE, 0 } },
    { IDC_FIND_BYVARIABLE, PX_FIND_VARIABLE, { IDC_FIND_PICKVARIABLE, IDC_FIND_VARIABLE } },
    { IDC_FIND_BYSENTENCE, PX_FIND_SENTENCE, { IDC_FIND_PICKSENTENCE, IDC_FIND_SENTENCE } },
};

// The text of a control, at most cbBuf - 1 characters.
void ControlText(HWND hDlg, int nId, char* pszBuf, int cbBuf)
{
    pszBuf[0] = '\0';
    ::GetDlgItemTextA(hDlg, nId, pszBuf, cbBuf);
}

// Selects the entry of a combo box that is exactly the text, or none.
void SelectExact(HWND hCombo, const char* pszText)
{
    LRESULT n = ::SendMessageA(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(pszText));
    ::SendMessageA(hCombo, CB_SETCURSEL, n == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(n), 0);
}

} // namespace

TFindPBDialog::TFindPBDialog(TWindow* pParent, Program* pProgram)
    : TBaseDialog(pParent, "FINDPOWERBLOCK"), m_pProgram(pProgram)
{
    m_szSelected[0] = '\0';
    SetCaptionFor(pProgram);
    SetHelpTopic("Find PowerBlock");
}

TFindPBDialog::~TFindPBDialog()
{
    if (g_pFindDialog == this)
        g_pFindDialog = nullptr;
}

void TFindPBDialog::SetCaptionFor(Program* pProgram)
{
    CString caption;
    caption.Format(CString(MAKEINTRESOURCEA(IDS_FIND_CAPTION)), pProgram ? pProgram->GetName() : "");
    SetCaption(caption);
}

bool TFindPBDialog::IsChecked(int nId) const
{
    return ::IsDlgButtonChecked(HWindow, nId) == BST_CHECKED;
}

bool TFindPBDialog::HasEditorWindow()
{
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    if (pFrame && pFrame->GetActivePage())
        return true;
    PXMessageBeep(MB_ICONEXCLAMATION);
    Destroy(IDCANCEL);
    return false;
}

void TFindPBDialog::EnableModeControls()
{
    TPBSearchInfo& info = GetPBSearchInfo();
    for (const ModeControl& mode : g_Modes)
        for (int nId : mode.nControls)
            if (nId)
                ::EnableWindow(GetDlgItem(nId), mode.nMode == info.m_nMode);
}

void TFindPBDialog::EnableScopeControls()
{
    ::EnableWindow(GetDlgItem(IDC_FIND_PAGE), GetPBSearchInfo().m_nScope == 1);
}

void TFindPBDialog::TransferData(TTransferDirection direction)
{
    TPBSearchInfo& info = GetPBSearchInfo();
    HWND hType = GetDlgItem(IDC_FIND_TYPE);
    HWND hPattern = GetDlgItem(IDC_FIND_PATTERN);
    char szText[PX_FIND_LINE_SIZE];
    if (direction == tdGetData)
    {
        ControlText(HWindow, IDC_FIND_PATTERN, szText, sizeof(szText));
        info.m_Pattern = szText;
        info.AddToHistory(szText);
        ControlText(HWindow, IDC_FIND_TYPE, szText, sizeof(szText));
        info.m_nPBType = TPBSearchInfo::PowerBlockTypeIndex(szText);
        return;
    }

    Search();
    ::SetDlgItemTextA(HWindow, IDC_FIND_VARIABLE, info.m_szVariable);
    ::SetDlgItemTextA(HWindow, IDC_FIND_SENTENCE, info.m_szSentence);
    ::SendMessageA(hType, CB_RESETCONTENT, 0, 0);
    int nMax = kvrMaxPowerBlockType();
    for (int i = 0; i < nMax; ++i)
    {
        const char* pszName = kvrGetPowerBlockName(i);
        if (pszName)
            ::SendMessageA(hType, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszName));
    }
    if (info.m_nPBType >= 0)
        if (const char* pszName = kvrGetPowerBlockName(info.m_nPBType))
            SelectExact(hType, pszName);
    ::SendMessageA(hPattern, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < info.m_nHistoryCount; ++i)
        ::SendMessageA(hPattern, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(static_cast<const char*>(info.m_History[i])));
    ::SetWindowTextA(hPattern, info.m_Pattern);
    for (const ModeControl& mode : g_Modes)
        ::CheckDlgButton(HWindow, mode.nRadio, mode.nMode == info.m_nMode ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(HWindow, IDC_FIND_ALLPAGES, info.m_nScope == 0 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(HWindow, IDC_FIND_ONEPAGE, info.m_nScope == 1 ? BST_CHECKED : BST_UNCHECKED);
    EnableModeControls();
    EnableScopeControls();
    CenterDialog(HWindow);
}

LRESULT TFindPBDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    TPBSearchInfo& info = GetPBSearchInfo();
    for (const ModeControl& mode : g_Modes)
    {
        if (id == static_cast<UINT>(mode.nRadio) && notifyCode == BN_CLICKED)
        {
            for (const ModeControl& checked : g_Modes)
                if (IsChecked(checked.nRadio))
                    info.m_nMode = checked.nMode;
            EnableModeControls();
            Refresh();
            return 0;
        }
    }
    switch (id)
    {
    case IDC_FIND_ALLPAGES:
    case IDC_FIND_ONEPAGE:
    case IDC_FIND_PAGE:
        if ((id == IDC_FIND_PAGE && notifyCode == CBN_SELCHANGE) || (id != IDC_FIND_PAGE && notifyCode == BN_CLICKED))
        {
            if (IsChecked(IDC_FIND_ALLPAGES))
                info.m_nScope = 0;
            else if (IsChecked(IDC_FIND_ONEPAGE))
                info.m_nScope = 1;
            EnableScopeControls();
            Refresh();
            return 0;
        }
        break;
    case IDC_FIND_SEARCH:
        if (notifyCode == BN_CLICKED || !hWndCtl)
        {
            Refresh();
            return 0;
        }
        break;
    case IDC_FIND_RESULTS:
        if (notifyCode == LBN_DBLCLK)
        {
            ShowResult();
            return 0;
        }
        break;
    case IDC_FIND_PICKVARIABLE:
    case IDC_FIND_PICKSENTENCE:
        if (notifyCode == BN_CLICKED || !hWndCtl)
        {
            if (id == IDC_FIND_PICKVARIABLE)
                PickVariable();
            else
                PickSentence();
            return 0;
        }
        break;
    case IDC_FIND_VARIABLE:
    case IDC_FIND_SENTENCE:
        if (notifyCode == EN_CHANGE)
        {
            char* pszTarget = id == IDC_FIND_VARIABLE ? info.m_szVariable : info.m_szSentence;
            ControlText(HWindow, id, pszTarget, PX_FIND_NAME_SIZE);
            return 0;
        }
        break;
    }
    return TBaseDialog::EvCommand(id, hWndCtl, notifyCode);
}

void TFindPBDialog::Refresh()
{
    if (!HWindow || !HasEditorWindow())
        return;
    PXEditorFrame* pFrame = PXWinApp::GetEditorFrame();
    Program* pProgram = pFrame->GetActivePage()->GetProgram();
    if (pProgram && pProgram != m_pProgram)
    {
        m_pProgram = pProgram;
        SetCaptionFor(pProgram);
    }
    TPBSearchInfo& info = GetPBSearchInfo();
    ControlText(HWindow, IDC_FIND_PAGE, info.m_szScopePage, PX_FIND_NAME_SIZE);
    ControlText(HWindow, IDC_FIND_CALLED, info.m_szCalledSB, PX_FIND_NAME_SIZE);
    char szText[PX_FIND_LINE_SIZE];
    ControlText(HWindow, IDC_FIND_TYPE, szText, sizeof(szText));
    info.m_nPBType = TPBSearchInfo::PowerBlockTypeIndex(szText);
    ControlText(HWindow, IDC_FIND_PATTERN, szText, sizeof(szText));
    info.m_Pattern = szText;
    if (info.AddToHistory(szText))
        ::SendDlgItemMessageA(HWindow, IDC_FIND_PATTERN, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(szText));
    Search();
}

void TFindPBDialog::Search()
{
    TPBSearchInfo& info = GetPBSearchInfo();
    int nType = info.m_nMode == PX_FIND_TYPE ? info.m_nPBType : -1;
    const char* pszScopePage = std::strcmp(info.m_szScopePage, "Main") == 0 ? nullptr : info.m_szScopePage;
    bool bOnePage = IsChecked(IDC_FIND_ONEPAGE);
    HWND hResults = GetDlgItem(IDC_FIND_RESULTS);

    // The model answers for its current program.
    if (m_pProgram)
        m_pProgram->Activate();
    int nBlocks = kvrGetNumPBs();
    std::vector<kvrHandleType*> blocks(static_cast<size_t>(nBlocks > 0 ? nBlocks : 0), nullptr);
    info.m_nPBCount = static_cast<short>(kvrGetAllPBSymbols(blocks.data(), static_cast<int>(blocks.size())));
    ::SendMessageA(hResults, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < info.m_nPBCount; ++i)
    {
        kvrHandleType* h = blocks[static_cast<size_t>(i)];
        bool bKeep = true;
        switch (info.m_nMode)
        {
        case PX_FIND_INCOMPLETE:
            bKeep = !kvrIsPBComplete(h);
            break;
        case PX_FIND_CALLING:
        {
            const char* pszCalled = kvrGetSBName(h);
            bKeep = info.m_szCalledSB[0] && pszCalled && std::strcmp(pszCalled, info.m_szCalledSB) == 0;
            break;
        }
        case PX_FIND_TYPE:
            bKeep = kvrGetPBType(h) == nType;
            break;
        case PX_FIND_VARIABLE:
            bKeep = kvrIsPBUseVariable(h, info.m_szVariable) != 0;
            break;
        case PX_FIND_SENTENCE:
            bKeep = kvrIsPBUseVSentence(h, info.m_szSentence) != 0;
            break;
        }
        if (bKeep && info.m_nScope == 1)
            bKeep = kvrIsPBInPage(h, pszScopePage) != 0;
        const char* pszName = kvrGetSymbolName(h);
        if (!bKeep || !pszName || !info.MatchPattern(pszName))
            continue;
        const char* pszShown = pszName;
        if (bOnePage)
            if (const char* pDollar = std::strchr(pszName, '$'))
                pszShown = pDollar + 1;
        ::SendMessageA(hResults, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszShown));
    }

    HWND hPages = GetDlgItem(IDC_FIND_PAGE);
    ::SendMessageA(hPages, CB_RESETCONTENT, 0, 0);
    int nPages = kvrGetAllPageNames(info.m_PageNames, PX_FIND_MAXPAGES);
    info.m_nPageCount = static_cast<short>(nPages);
    if (nPages >= PX_FIND_MAXPAGES)
    {
        BWCCMessageBox(HWindow, CString(MAKEINTRESOURCEA(IDS_FIND_TOOMANYPAGES)),
                       CString(MAKEINTRESOURCEA(IDS_EDLG_ERROR)), MB_ICONEXCLAMATION);
        nPages = PX_FIND_MAXPAGES;
    }
    for (int i = 0; i < nPages; ++i)
        if (info.m_PageNames[i])
            ::SendMessageA(hPages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.m_PageNames[i]));
    SelectExact(hPages, info.m_szScopePage);

    HWND hCalled = GetDlgItem(IDC_FIND_CALLED);
    ::SendMessageA(hCalled, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < nPages; ++i)
        if (info.m_PageNames[i] && std::strcmp(info.m_PageNames[i], "Main") != 0)
            ::SendMessageA(hCalled, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.m_PageNames[i]));
    SelectExact(hCalled, info.m_szCalledSB);
}

void TFindPBDialog::ShowResult()
{
    if (!HasEditorWindow())
        return;
    HWND hResults = GetDlgItem(IDC_FIND_RESULTS);
    LRESULT nSel = ::SendMessageA(hResults, LB_GETCURSEL, 0, 0);
    if (nSel == LB_ERR)
        return;
    LRESULT nLen = ::SendMessageA(hResults, LB_GETTEXTLEN, static_cast<WPARAM>(nSel), 0);
    if (nLen == LB_ERR)
        return;
    std::vector<char> line(static_cast<size_t>(nLen) + 1, '\0');
    ::SendMessageA(hResults, LB_GETTEXT, static_cast<WPARAM>(nSel), reinterpret_cast<LPARAM>(line.data()));
    std::snprintf(m_szSelected, sizeof(m_szSelected), "%s", line.data());
    if (!m_szSelected[0])
        return;

    // The request holds fewer characters than a result line: it is cut
    // to its own size.
    BlockRequest request;
    std::memset(&request, 0, sizeof(request));
    if (IsChecked(IDC_FIND_ONEPAGE))
    {
        char szPage[PX_FIND_NAME_SIZE];
        ControlText(HWindow, IDC_FIND_PAGE, szPage, sizeof(szPage));
        std::snprintf(request.szBlock, sizeof(request.szBlock), "%s$%s", szPage, m_szSelected);
    }
    else
        std::snprintf(request.szBlock, sizeof(request.szBlock), "%s", m_szSelected);
    request.nAction = UI_BLOCKREQUEST_SHOW;
    if (HWND hParent = GetParentHandle())
        ::SendMessageA(hParent, WM_UI_BLOCKREQUEST, 0, reinterpret_cast<LPARAM>(&request));
}

void TFindPBDialog::PickVariable()
{
    // The model's pickers list its current program.
    if (m_pProgram)
        m_pProgram->Activate();
    kvrHandleType* hVariable = kvrSelectVariable(nullptr, -1, -1, -1, HWindow);
    const kvrVariableInfo* pInfo = hVariable ? kvrGetVariableInfo(hVariable) : nullptr;
    if (!pInfo)
        return;
    TPBSearchInfo& info = GetPBSearchInfo();
    std::snprintf(info.m_szVariable, PX_FIND_NAME_SIZE, "%s", pInfo->Name);
    ::SetDlgItemTextA(HWindow, IDC_FIND_VARIABLE, info.m_szVariable);
}

void TFindPBDialog::PickSentence()
{
    if (m_pProgram)
        m_pProgram->Activate();
    kvrHandleType* hSentence = kvrPickVoiceSentence(HWindow, "");
    const char* pszName = hSentence ? kvrGetSymbolName(hSentence) : nullptr;
    if (!pszName)
        return;
    TPBSearchInfo& info = GetPBSearchInfo();
    std::snprintf(info.m_szSentence, PX_FIND_NAME_SIZE, "%s", pszName);
    ::SetDlgItemTextA(HWindow, IDC_FIND_SENTENCE, info.m_szSentence);
}

void ShowFindPowerBlock(TWindow* pFrame, Program* pProgram)
{
    if (!g_pFindDialog)
    {
        g_pFindDialog = new TFindPBDialog(pFrame, pProgram);
        if (g_pFindDialog->Create())
            g_pFindDialog->ShowWindow(SW_SHOW);
        return;
    }
    if (g_pFindDialog->IsWindow())
        ::SetFocus(g_pFindDialog->HWindow);
    else if (g_pFindDialog->Create())
        g_pFindDialog->ShowWindow(SW_SHOW);
    g_pFindDialog->Refresh();
}

void RefreshFindPowerBlock()
{
    if (g_pFindDialog && g_pFindDialog->IsWindow())
        g_pFindDialog->Refresh();
}

TFindPBDialog* GetFindPowerBlock()
{
    return g_pFindDialog;
}

void DeleteFindPowerBlock()
{
    TFindPBDialog* pDialog = g_pFindDialog;
    if (pDialog && pDialog->IsWindow())
        pDialog->Destroy(IDCANCEL);
    delete pDialog;
}
