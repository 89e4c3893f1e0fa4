// Soft controls: the base, the plain control of ordinary edits, buttons and
// check boxes, and the edit, combo box, bitmap button and list view.
#include "PXSoftCtrl.h"
#include "PXSoftGrp.h"
#include "PXStatmt.h"
#include "PXMulStm.h"
#include "PXSoftRec.h"
#include "PXRecArray.h"
#include "PXTime.h"

#include <commctrl.h>
#include <string>

CString PXSoftCtrl::GetWindowTextOf(HWND hWnd)
{
    int nLen = ::GetWindowTextLengthA(hWnd);
    std::string buf(static_cast<size_t>(nLen > 0 ? nLen : 0) + 1, '\0');
    int nGot = ::GetWindowTextA(hWnd, &buf[0], static_cast<int>(buf.size()));
    buf.resize(nGot > 0 ? static_cast<size_t>(nGot) : 0);
    return CString(buf.c_str());
}

// ---------------------------------------------------------------------------
// Base

PXSoftCtrl::PXSoftCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
    : m_pStatement(pStatement), m_pSoftDlg(pSoftDlg), m_wCtrlId(wCtrlId), m_wFieldId(0)
{
}

PXSoftCtrl::~PXSoftCtrl()
{
}

int PXSoftCtrl::AcceptMessage(WORD, int, void*)
{
    PXASSERT(0);
}

void PXSoftCtrl::PreNotify(PXNotification*)
{
}

void PXSoftCtrl::PostNotify(PXNotification*)
{
}

int PXSoftCtrl::Validate(int)
{
    return 1;
}

void PXSoftCtrl::React(PXSoftDlg*, PXStatement*)
{
    PXASSERT(0);
}

void PXSoftCtrl::Transfer(int)
{
    PXASSERT(0);
}

void PXSoftCtrl::SetUp()
{
}

void PXSoftCtrl::Refresh()
{
}

WORD PXSoftCtrl::GetFieldId()
{
    if (!m_wFieldId)
        m_wFieldId = m_pSoftDlg->GetDataLinkField(m_wCtrlId);
    return m_wFieldId;
}

PXStatement* PXSoftCtrl::GetDataLink() const
{
    return m_pSoftDlg->GetDataLink(m_wCtrlId);
}

PXFieldValue PXSoftCtrl::GetFieldValue()
{
    return PXFieldValue(GetFieldId(), m_pSoftDlg->GetRecord());
}

void PXSoftCtrl::SyncToField()
{
    if (HasDataLink())
    {
        Transfer(PXSoftIntrfc::CtrlToField);
        return;
    }
    PXSoftCtrl* pGroup = m_pSoftDlg->GetGroupCtrl(m_wCtrlId);
    if (pGroup && pGroup->HasDataLink())
        pGroup->Transfer(PXSoftIntrfc::CtrlToField);
}

HWND PXSoftCtrl::GetHWND() const
{
    PXASSERT(m_pStatement==0||m_pStatement->GetType()!=PXTOK_GROUPCTRL);
    return m_pSoftDlg->GetCtrlHWND(m_wCtrlId);
}

int PXSoftCtrl::CompareClassName(HWND hWnd, const char* pszName)
{
    // Class names are at most 256 characters; one that fills the buffer
    // entirely was cut and names another class.
    char szClass[258];
    int nLen = ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (nLen <= 0 || nLen >= static_cast<int>(sizeof(szClass)) - 1)
        return 1;
    szClass[sizeof(szClass) - 1] = '\0';
    return ::lstrcmpiA(szClass, pszName) == 0 ? 0 : 1;
}

// ---------------------------------------------------------------------------
// Plain control

int PXSoftPlainCtrl::AcceptMessage(WORD, int nKind, void*)
{
    HWND hWnd = GetHWND();
    if (CompareClassName(hWnd, "edit") == 0)
        return nKind == EN_CHANGE ? 1 : 0;
    if (CompareClassName(hWnd, "button") == 0)
        return nKind == BN_CLICKED ? 1 : 0;
    return 0;
}

int PXSoftPlainCtrl::Validate(int bQuiet)
{
    HWND hWnd = GetHWND();
    if (CompareClassName(hWnd, "edit") != 0)
        return 1;
    CString text = GetWindowTextOf(hWnd);
    if (text.IsEmpty())
        return 1;
    return GetFieldValue().CheckText(text, bQuiet) == 1 ? 1 : 0;
}

void PXSoftPlainCtrl::React(PXSoftDlg*, PXStatement* pReaction)
{
    PXASSERT(pReaction!=0&&pReaction->GetType()==PXTOK_REACTION);
    HWND hWnd = GetHWND();
    switch (pReaction->GetParam(1))
    {
    case PXREACT_ENABLE:
        ::EnableWindow(hWnd, TRUE);
        break;
    case PXREACT_DISABLE:
        ::EnableWindow(hWnd, FALSE);
        break;
    case PXREACT_SETTEXT:
    {
        CString text;
        text.LoadString(pReaction->GetOptParam(0));
        ::SetWindowTextA(hWnd, text);
        break;
    }
    case PXREACT_FOCUS:
        ::SetFocus(hWnd);
        break;
    default:
        break;
    }
}

void PXSoftPlainCtrl::Transfer(int nDirection)
{
    HWND hWnd = GetHWND();
    if (CompareClassName(hWnd, "edit") == 0)
        TransferEdit(nDirection, FALSE);
    else if (CompareClassName(hWnd, "button") == 0)
        TransferCheckBox(nDirection);
    else
        PXASSERT(0);
}

void PXSoftPlainCtrl::TransferEdit(int nDirection, BOOL bZeroAsEmpty)
{
    HWND hWnd = GetHWND();
    PXFieldValue value = GetFieldValue();
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        CString text = *value.GetText();
        if (bZeroAsEmpty && text == "0")
            text.Empty();
        // A time stored in an older form is shown as the check accepts it,
        // or the quiet transfer back would store it as empty; the record
        // stores that form when it is committed.
        if (value.GetRecord()->GetFieldType(value.GetFieldId()) == PXST_TIME)
        {
            CString stored = text;
            NormalizeStoredTime(text);
            if (text != stored)
                value.SetText(text);
        }
        ::SetWindowTextA(hWnd, text);
        m_pSoftDlg->PostNotification(m_wCtrlId, PXN_CHANGED, nullptr);
        return;
    }
    CString text = GetWindowTextOf(hWnd);
    if (!text.IsEmpty() && value.CheckText(text, 1) != 1)
        text.Empty();
    value.SetText(text);
}

void PXSoftPlainCtrl::TransferCheckBox(int nDirection)
{
    HWND hWnd = GetHWND();
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hWnd,0x3)||PXSoftDlg::WinCtrlHasStyle(hWnd,0x6));
    PXFieldValue value = GetFieldValue();
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        BOOL bChecked = *value.GetInt16() != 0;
        ::SendMessageA(hWnd, BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
        m_pSoftDlg->PostNotification(m_wCtrlId, bChecked ? PXN_CHECKED : PXN_UNCHECKED, nullptr);
        return;
    }
    short sState = ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    value.SetInt16(sState);
    PXStatement* pLink = GetDataLink();
    if (pLink && pLink->HasStyle(0x0002))
        m_pSoftDlg->SetRecordSetCheck(m_wCtrlId, 1, sState);
}

// ---------------------------------------------------------------------------
// Edit

void PXSoftEdit::SetUp()
{
    // The limit is there only with its style flag.
    if (m_pStatement && m_pStatement->HasStyle(0x0001))
        ::SendMessageA(GetHWND(), EM_LIMITTEXT, m_pStatement->GetOptParam(0), 0);
}

void PXSoftEdit::Transfer(int nDirection)
{
    if (nDirection == PXSoftIntrfc::FieldToCtrl && m_pStatement && m_pStatement->HasStyle(0x0002))
    {
        PXASSERT(CompareClassName(GetHWND(),"edit")==0);
        TransferEdit(nDirection, TRUE);
        return;
    }
    PXSoftPlainCtrl::Transfer(nDirection);
}

// ---------------------------------------------------------------------------
// Combo box

namespace {

// The application list behind a combo box; null when its owner is not there.
PXRecArray* ComboList(PXStatement* pStatement)
{
    PXFieldValue list;
    PXSdoHost* pApp = PXSoftObj::GetApp();
    if (!pApp)
        return nullptr;
    pApp->GetFieldValue(pStatement->GetOptParam(0), list);
    if (!list.GetRecord())
        return nullptr;
    return list.GetRecArray();
}

} // namespace

int PXSoftComboBox::AcceptMessage(WORD, int nKind, void*)
{
    return nKind == CBN_SELCHANGE ? 1 : 0;
}

void PXSoftComboBox::SetUp()
{
    if (m_bFilled)
        return;
    HWND hWnd = GetHWND();
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hWnd,CBS_DROPDOWNLIST));
    ::SendMessageA(hWnd, CB_RESETCONTENT, 0, 0);
    PXRecArray* pList = ComboList(m_pStatement);
    if (pList)
    {
        WORD wTextField = m_pStatement->GetOptParam(1);
        for (int i = 0; i < pList->GetSize(); ++i)
        {
            CString text = *PXFieldValue(wTextField, pList->GetAt(i)).GetText();
            ::SendMessageA(hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
        }
    }
    m_bFilled = TRUE;
}

void PXSoftComboBox::Transfer(int nDirection)
{
    HWND hWnd = GetHWND();
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hWnd,CBS_DROPDOWNLIST));
    PXFieldValue value = GetFieldValue();
    BOOL bKeyMode = m_pStatement->HasStyle(0x0004);
    BOOL bFirstWhenNone = m_pStatement->HasStyle(0x0008);
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        int nIndex;
        if (bKeyMode)
        {
            PXRecArray* pList = ComboList(m_pStatement);
            nIndex = pList ? PXFindRecIndexByInt(m_pStatement->GetOptParam(2), *value.GetInt32(), *pList) : -1;
            if (nIndex < 0)
                nIndex = bFirstWhenNone ? 0 : -1;
        }
        else
        {
            nIndex = *value.GetInt16();
            if (nIndex < 0)
                nIndex = bFirstWhenNone ? 0 : -1;
        }
        ::SendMessageA(hWnd, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
        m_pSoftDlg->PostNotification(m_wCtrlId, PXN_CHANGED, nullptr);
        return;
    }
    int nSel = static_cast<int>(::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    if (!bKeyMode)
    {
        value.SetInt16(static_cast<short>(nSel));
        return;
    }
    PXRecArray* pList = nSel >= 0 ? ComboList(m_pStatement) : nullptr;
    // A list that shrank under the box names no record at the selection.
    if (!pList || nSel >= pList->GetSize())
    {
        value.SetInt32(-1);
        return;
    }
    value.SetInt32(*PXFieldValue(m_pStatement->GetOptParam(2), pList->GetAt(nSel)).GetInt32());
}

// ---------------------------------------------------------------------------
// Bitmap button

int PXSoftBitmapButton::AcceptMessage(WORD, int nKind, void*)
{
    return nKind == BN_CLICKED ? 1 : 0;
}

void PXSoftBitmapButton::SetUp()
{
    HWND hWnd = GetHWND();
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hWnd,BS_ICON));
    HICON hIcon = ::LoadIconA(PXSoftObj::GetModule(), MAKEINTRESOURCEA(m_pStatement->GetOptParam(0)));
    ::SendMessageA(hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon));
}

void PXSoftBitmapButton::Transfer(int)
{
    // A bitmap button shows no field.
    PXASSERT(0);
}

// ---------------------------------------------------------------------------
// List view

int PXSoftListView::AcceptMessage(WORD, int, void*)
{
    return 0;
}

void PXSoftListView::SetUp()
{
    if (m_bColumnsMade)
        return;
    HWND hWnd = GetHWND();
    if (m_pStatement->HasStyle(0x0001))
    {
        HIMAGELIST hList = ImageList_LoadImageA(PXSoftObj::GetModule(),
                                                MAKEINTRESOURCEA(m_pStatement->GetOptParam(0)), 16, 0,
                                                RGB(255, 0, 255), IMAGE_BITMAP, 0);
        ::SendMessageA(hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hList));
    }
    if (m_pStatement->HasStyle(0x0002))
    {
        HIMAGELIST hList = ImageList_LoadImageA(PXSoftObj::GetModule(), MAKEINTRESOURCEA(123), 16, 0,
                                                RGB(255, 0, 255), IMAGE_BITMAP, 0);
        ::SendMessageA(hWnd, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(hList));
    }
    PXStatement* pLink = GetDataLink();
    PXASSERT(pLink!=0);
    PXMultiLineStatement* pBlock = static_cast<PXMultiLineStatement*>(pLink);
    int nParams = pBlock->GetNbStatements(PXKIND_BODY);
    PXASSERT(nParams>0);
    for (int i = 0; i < nParams; ++i)
    {
        PXStatement* pParam = pBlock->GetStatement(PXKIND_BODY, i);
        PXASSERT(pParam->GetType()==PXTOK_PARAM);
        CString title;
        title.LoadString(pParam->GetParam(0));
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        col.fmt = LVCFMT_LEFT;
        col.cx = 150;
        col.pszText = const_cast<char*>(static_cast<const char*>(title));
        if (i > 0)
        {
            col.mask |= LVCF_SUBITEM;
            col.iSubItem = i;
        }
        ::SendMessageA(hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
        ::SendMessageA(hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), LVSCW_AUTOSIZE_USEHEADER);
    }
    m_bColumnsMade = TRUE;
}

void PXSoftListView::Transfer(int nDirection)
{
    // The list view only shows its records.
    if (nDirection != PXSoftIntrfc::FieldToCtrl)
        return;
    HWND hWnd = GetHWND();
    PXStatement* pLink = GetDataLink();
    PXASSERT(pLink!=0);
    PXMultiLineStatement* pBlock = static_cast<PXMultiLineStatement*>(pLink);
    int nParams = pBlock->GetNbStatements(PXKIND_BODY);
    ::SendMessageA(hWnd, LVM_DELETEALLITEMS, 0, 0);
    PXRecArray* pList = GetFieldValue().GetRecArray();
    int nRecords = pList ? pList->GetSize() : 0;
    for (int i = 0; i < nRecords; ++i)
    {
        PXSoftRec* pRec = pList->GetAt(i);
        for (int j = 0; j < nParams; ++j)
        {
            CString text = *PXFieldValue(pBlock->GetStatement(PXKIND_BODY, j)->GetParam(0), pRec).GetText();
            LVITEMA item = {};
            item.iItem = i;
            item.iSubItem = j;
            item.pszText = const_cast<char*>(static_cast<const char*>(text));
            item.mask = LVIF_TEXT;
            if (j == 0)
            {
                item.mask |= LVIF_PARAM;
                item.lParam = reinterpret_cast<LPARAM>(pRec);
                if (m_pStatement->HasStyle(0x0001))
                {
                    item.mask |= LVIF_IMAGE;
                    item.iImage = 0;
                }
                if (m_pStatement->HasStyle(0x0002))
                {
                    item.mask |= LVIF_STATE;
                    item.state = INDEXTOSTATEIMAGEMASK(2);
                    item.stateMask = LVIS_STATEIMAGEMASK;
                }
                ::SendMessageA(hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            }
            else
                ::SendMessageA(hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    for (int j = 0; j < nParams; ++j)
        ::SendMessageA(hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(j), LVSCW_AUTOSIZE_USEHEADER);
}
