// The application file chooser: see PXSoftAppChooser.h.
#include "PXSoftAppChooser.h"

#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftRec.h"
#include "PXStatmt.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

namespace
{
// Fields of the records involved.
const WORD FIELD_APPS = 25350;      // the dialog record's applications
const WORD FIELD_NAME = 25256;
const WORD FIELD_ID = 25255;
const WORD FIELD_VOLUME = 25281;
const WORD FIELD_LOCKER = 25259;
const WORD FIELD_DESCRIPTION = 25257;
const WORD FIELD_VOLUME_ROW_ID = 25400;
const WORD LIST_VOLUMES = 2316;
const WORD REC_USER_APP = 22004;

struct Column
{
    WORD wField;
    int nWidth;
    int nFormat;
};
const Column s_aColumns[] = {
    {FIELD_NAME, 160, LVCFMT_LEFT},
    {FIELD_ID, 44, LVCFMT_RIGHT},
    {FIELD_VOLUME, 70, LVCFMT_RIGHT},
    {FIELD_LOCKER, 75, LVCFMT_LEFT},
    {FIELD_DESCRIPTION, 200, LVCFMT_LEFT},
};
const int COLUMNS = sizeof(s_aColumns) / sizeof(s_aColumns[0]);

// A field of a record as text: numbers in decimal.
CString FieldText(PXSoftRec* pRec, WORD wField)
{
    PXFieldValue value(wField, pRec);
    switch (pRec->GetFieldType(wField))
    {
    case PXST_INT32:
    {
        char sz[16];
        snprintf(sz, sizeof(sz), "%ld", *value.GetInt32());
        return CString(sz);
    }
    case PXST_INT16:
    {
        char sz[16];
        snprintf(sz, sizeof(sz), "%d", *value.GetInt16());
        return CString(sz);
    }
    default:
        return *value.GetText();
    }
}

// An unsigned decimal number; 0 when the text is none.
long ParseNumber(const CString& text)
{
    const char* psz = text;
    if (!*psz)
        return 0;
    unsigned long n = 0;
    for (; *psz; ++psz)
    {
        if (*psz < '0' || *psz > '9')
            return 0;
        n = n * 10 + static_cast<unsigned long>(*psz - '0');
    }
    return static_cast<long>(n);
}
} // namespace

PXSoftGroupApplFileCombo::PXSoftGroupApplFileCombo(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
    : PXSoftGroupCtrl(wCtrlId, pSoftDlg, pStatement), m_bSetUp(FALSE), m_bShowName(TRUE), m_bShowId(TRUE),
      m_bShowVolume(TRUE), m_nSortColumn(0), m_nSortDirection(0), m_hImages(nullptr)
{
}

PXSoftGroupApplFileCombo::~PXSoftGroupApplFileCombo()
{
    if (m_hImages)
        ImageList_Destroy(m_hImages);
}

WORD PXSoftGroupApplFileCombo::ListId() const
{
    return m_pStatement->GetOptParam(0);
}

BOOL PXSoftGroupApplFileCombo::IsShown(int nMember) const
{
    switch (nMember)
    {
    case MemberName: case MemberNameLabel: return m_bShowName;
    case MemberId: case MemberIdLabel: return m_bShowId;
    case MemberVolume: case MemberVolumeLabel: return m_bShowVolume;
    default: return TRUE;
    }
}

WORD PXSoftGroupApplFileCombo::ShownId(int nMember) const
{
    return IsShown(nMember) ? GetMemberId(nMember) : 0;
}

void PXSoftGroupApplFileCombo::Hide(int nMember)
{
    HWND hWnd = GetMemberHWND(nMember);
    PXASSERT(hWnd!=0);
    ::ShowWindow(hWnd, SW_HIDE);
    switch (nMember)
    {
    case MemberName: case MemberNameLabel: m_bShowName = FALSE; break;
    case MemberId: case MemberIdLabel: m_bShowId = FALSE; break;
    case MemberVolume: case MemberVolumeLabel: m_bShowVolume = FALSE; break;
    default: PXASSERT(0);
    }
}

void PXSoftGroupApplFileCombo::SetUp()
{
    if (m_bSetUp)
        return;
    m_bSetUp = TRUE;
    PXASSERT(GetMemberCount()==MemberCount);
    for (int i = 0; i < MemberCount; ++i)
        PXASSERT(GetMemberHWND(i)!=0);

    HWND hList = List();
    PXASSERT(::IsWindow(hList));
    LONG_PTR lStyle = ::GetWindowLongPtrA(hList, GWL_STYLE);
    lStyle |= LVS_SHOWSELALWAYS;
    if (!m_pStatement->HasStyle(StyleMulti))
        lStyle |= LVS_SINGLESEL;
    ::SetWindowLongPtrA(hList, GWL_STYLE, lStyle);
    LONG_PTR lExStyle = ::GetWindowLongPtrA(hList, GWL_EXSTYLE);
    ::SetWindowLongPtrA(hList, GWL_EXSTYLE, lExStyle & ~static_cast<LONG_PTR>(WS_EX_NOPARENTNOTIFY));
    PXASSERT((::GetWindowLongPtrA(hList, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT);
    PXASSERT((::GetWindowLongPtrA(hList, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0);

    if (m_pStatement->HasStyle(StyleMulti))
    {
        Hide(MemberId);
        Hide(MemberIdLabel);
        Hide(MemberVolume);
        Hide(MemberVolumeLabel);
    }
    else if (!m_pStatement->HasStyle(StyleSingle))
    {
        Hide(MemberName);
        Hide(MemberNameLabel);
        Hide(MemberId);
        Hide(MemberIdLabel);
        Hide(MemberVolume);
        Hide(MemberVolumeLabel);
    }

    if (m_pStatement->HasStyle(StyleImages) && PXSoftObj::GetApp())
    {
        m_hImages = ImageList_LoadImageA(PXSoftObj::GetApp()->GetInstance(),
                                         MAKEINTRESOURCEA(m_pStatement->GetOptParamByFlag(StyleImages)), 16, 0,
                                         RGB(255, 0, 255), IMAGE_BITMAP, 0);
        // A missing bitmap leaves the list without images.
        if (m_hImages)
            ::SendMessageA(hList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_hImages));
    }

    for (int i = 0; i < COLUMNS; ++i)
    {
        CString title;
        title.LoadStringA(s_aColumns[i].wField);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = s_aColumns[i].nFormat;
        column.cx = s_aColumns[i].nWidth;
        column.pszText = const_cast<char*>(static_cast<const char*>(title));
        column.iSubItem = i;
        ::SendMessageA(hList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }

    if (PXSoftObj::GetApp())
        PXSoftObj::GetApp()->ReloadServerRecord(ListId());
    Fill(0);
    FillVolumes();

    // The application the command gives is shown once the volumes are
    // there, or its volume could not be chosen and OK would store the
    // first volume in its place.
    PXSoftRec* pRec = m_pSoftDlg->GetRecord();
    if (pRec)
    {
        PXRecArray* pApps = PXFieldValue(FIELD_APPS, pRec).GetRecArray();
        if (pApps && pApps->GetSize() > 0)
        {
            // The command that runs the chooser gives one application at most.
            PXASSERT(pApps->GetSize()==1);
            ShowRecord(pApps->GetAt(0));
        }
    }
}

int PXSoftGroupApplFileCombo::Validate(int)
{
    // Typing makes no notification: a name typed and taken with Enter
    // reaches the record here, before the record is committed.
    Transfer(PXSoftIntrfc::CtrlToField);
    return 1;
}

void PXSoftGroupApplFileCombo::Fill(int nFrom)
{
    if (!PXSoftObj::GetApp())
        return;
    PXFieldValue list;
    PXSoftObj::GetApp()->GetFieldValue(ListId(), list);
    if (!list.GetRecord())
        return;
    PXRecArray* pApps = list.GetRecArray();
    if (!pApps)
        return;
    HWND hList = List();
    for (int i = nFrom < 0 ? 0 : nFrom; i < pApps->GetSize(); ++i)
    {
        PXSoftRec* pApp = pApps->GetAt(i);
        CString name = FieldText(pApp, FIELD_NAME);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<char*>(static_cast<const char*>(name));
        item.lParam = reinterpret_cast<LPARAM>(pApp);
        if (m_pStatement->HasStyle(StyleSingle))
        {
            item.mask |= LVIF_IMAGE;
            item.iImage = 0;
        }
        int nItem = static_cast<int>(::SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (nItem < 0)
            continue;
        for (int nSub = 1; nSub < COLUMNS; ++nSub)
        {
            LVITEMA sub = {};
            sub.iSubItem = nSub;
            sub.pszText = LPSTR_TEXTCALLBACKA;
            ::SendMessageA(hList, LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

void PXSoftGroupApplFileCombo::FillVolumes()
{
    if (!m_bShowVolume || !PXSoftObj::GetApp())
        return;
    HWND hCombo = GetMemberHWND(MemberVolume);
    ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
    PXFieldValue list;
    PXSoftObj::GetApp()->GetFieldValue(LIST_VOLUMES, list);
    PXRecArray* pVolumes = list.GetRecord() ? list.GetRecArray() : nullptr;
    for (int i = 0; pVolumes && i < pVolumes->GetSize(); ++i)
    {
        CString text = FieldText(pVolumes->GetAt(i), FIELD_VOLUME_ROW_ID);
        ::SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
    }
    ::SendMessageA(hCombo, CB_SETCURSEL, 0, 0);
}

void PXSoftGroupApplFileCombo::ShowRecord(PXSoftRec* pRec)
{
    PXASSERT(pRec!=0);
    if (m_bShowName)
        ::SetWindowTextA(GetMemberHWND(MemberName), FieldText(pRec, FIELD_NAME));
    // An application that has no ID or volume yet (-1, as a choice of
    // several is stored) shows none.
    if (m_bShowId)
    {
        CString id = FieldText(pRec, FIELD_ID);
        ::SetWindowTextA(GetMemberHWND(MemberId), id == "-1" ? "" : static_cast<const char*>(id));
    }
    if (m_bShowVolume)
    {
        CString volume = FieldText(pRec, FIELD_VOLUME);
        if (volume != "-1")
            ::SendMessageA(GetMemberHWND(MemberVolume), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(static_cast<const char*>(volume)));
    }
}

PXSoftRec* PXSoftGroupApplFileCombo::RecordOfItem(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (!::SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<PXSoftRec*>(item.lParam);
}

void PXSoftGroupApplFileCombo::ShowSelection()
{
    HWND hList = List();
    int nSelected = static_cast<int>(::SendMessageA(hList, LVM_GETSELECTEDCOUNT, 0, 0));
    if (nSelected == 0)
        return;
    if (nSelected == 1)
    {
        int nItem = static_cast<int>(::SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (PXSoftRec* pRec = RecordOfItem(nItem))
            ShowRecord(pRec);
        return;
    }
    CString names;
    for (int nItem = -1;
         (nItem = static_cast<int>(::SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), LVNI_SELECTED))) >= 0;)
    {
        PXSoftRec* pRec = RecordOfItem(nItem);
        if (!pRec)
            continue;
        names += '"';
        names += FieldText(pRec, FIELD_NAME);
        names += "\" ";
    }
    if (m_bShowName)
        ::SetWindowTextA(GetMemberHWND(MemberName), names);
    if (m_bShowId)
        ::SetWindowTextA(GetMemberHWND(MemberId), "");
    if (m_bShowVolume)
        ::SendMessageA(GetMemberHWND(MemberVolume), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(""));
}

int PXSoftGroupApplFileCombo::AcceptMessage(WORD wCtrlId, int nKind, void* pData)
{
    if (wCtrlId == GetMemberId(MemberList))
    {
        if (nKind == PXN_APPNOTIFY)
            return 1;
        if (nKind != WM_NOTIFY || !pData)
            return 0;
        NMHDR* pHdr = static_cast<NMHDR*>(pData);
        switch (static_cast<int>(pHdr->code))
        {
        case static_cast<int>(LVN_GETDISPINFOA):
        case static_cast<int>(LVN_COLUMNCLICK):
            return 1;
        case static_cast<int>(LVN_ITEMCHANGED):
        {
            NMLISTVIEW* pLv = reinterpret_cast<NMLISTVIEW*>(pHdr);
            if (pLv->uChanged != LVIF_STATE)
                return 0;
            bool bSelected = (pLv->uNewState & LVIS_SELECTED) && !(pLv->uOldState & ~static_cast<UINT>(LVIS_FOCUSED));
            bool bFocused = (pLv->uNewState & LVIS_FOCUSED) && !(pLv->uOldState & LVIS_FOCUSED);
            return bSelected || bFocused ? 1 : 0;
        }
        case static_cast<int>(NM_DBLCLK):
            return (m_pStatement->HasStyle(StyleSingle) || m_pStatement->HasStyle(StyleMulti)) &&
                           ::SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0) == 1
                       ? 1
                       : 0;
        default:
            return 0;
        }
    }
    if ((wCtrlId == ShownId(MemberName) || wCtrlId == ShownId(MemberId)) && wCtrlId != 0)
        return nKind == EN_SETFOCUS || nKind == EN_KILLFOCUS ? 1 : 0;
    return PXSoftGroupCtrl::AcceptMessage(wCtrlId, nKind, pData);
}

void PXSoftGroupApplFileCombo::PreNotify(PXNotification* pN)
{
    const WORD wCtrlId = pN->GetCtrlID();
    if (wCtrlId == GetMemberId(MemberList))
    {
        switch (pN->GetCode())
        {
        case PXN_ITEMCHANGED:
            ShowSelection();
            return;
        case PXN_DISPINFO:
        {
            NMLVDISPINFOA* pInfo = static_cast<NMLVDISPINFOA*>(pN->GetData());
            if (!pInfo || !(pInfo->item.mask & LVIF_TEXT))
                return;
            int nSub = pInfo->item.iSubItem;
            PXSoftRec* pRec = reinterpret_cast<PXSoftRec*>(pInfo->item.lParam);
            if (!pRec)
                pRec = RecordOfItem(pInfo->item.iItem);
            if (!pRec || nSub < 0 || nSub >= COLUMNS)
                return;
            m_strDisplay = FieldText(pRec, s_aColumns[nSub].wField);
            if (pInfo->item.pszText && pInfo->item.cchTextMax > 0)
                lstrcpynA(pInfo->item.pszText, m_strDisplay, pInfo->item.cchTextMax);
            return;
        }
        case PXN_COLUMNCLICK:
        {
            NMLISTVIEW* pLv = static_cast<NMLISTVIEW*>(pN->GetData());
            if (!pLv || pLv->iSubItem < 0 || pLv->iSubItem >= COLUMNS)
                return;
            m_nSortDirection = pLv->iSubItem == m_nSortColumn && m_nSortDirection == 1 ? 0 : 1;
            m_nSortColumn = pLv->iSubItem;
            ::SendMessageA(List(), LVM_SORTITEMS,
                           static_cast<WPARAM>(MAKELONG(s_aColumns[m_nSortColumn].wField, m_nSortDirection)),
                           reinterpret_cast<LPARAM>(Compare));
            return;
        }
        case PXN_DOUBLECLICK:
            ::PostMessageA(m_pSoftDlg->GetDlgHWND(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return;
        case PXN_APPNOTIFY:
            if (PXSoftObj::GetApp())
                PXSoftObj::GetApp()->SetServerRecordParam(ListId(), pN->GetData());
            return;
        default:
            PXASSERT(0);
        }
    }
    PXASSERT(wCtrlId==ShownId(MemberName)||wCtrlId==ShownId(MemberId)||wCtrlId==ShownId(MemberVolume));
    if (pN->GetCode() == PXN_SETFOCUS)
    {
        // A typed value and a choice in the list must not compete.
        int nItem = static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (nItem >= 0)
        {
            LVITEMA item = {};
            item.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
            item.state = 0;
            ::SendMessageA(List(), LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item));
        }
    }
}

void PXSoftGroupApplFileCombo::PostNotify(PXNotification* pN)
{
    if (pN->GetCtrlID() == GetMemberId(MemberList) && pN->GetCode() == PXN_APPNOTIFY)
        Fill(static_cast<int>(reinterpret_cast<INT_PTR>(pN->GetData())));
}

int CALLBACK PXSoftGroupApplFileCombo::Compare(LPARAM lRec1, LPARAM lRec2, LPARAM lSort)
{
    PXSoftRec* pRec1 = reinterpret_cast<PXSoftRec*>(lRec1);
    PXSoftRec* pRec2 = reinterpret_cast<PXSoftRec*>(lRec2);
    WORD wField = LOWORD(lSort);
    int nDirection = HIWORD(lSort);
    int n;
    if (wField == FIELD_ID)
    {
        long l1 = *PXFieldValue(wField, pRec1).GetInt32();
        long l2 = *PXFieldValue(wField, pRec2).GetInt32();
        n = l1 < l2 ? -1 : l1 > l2 ? 1 : 0;
    }
    else
    {
        n = strcmp(FieldText(pRec1, wField), FieldText(pRec2, wField));
        n = n < 0 ? -1 : n > 0 ? 1 : 0;
    }
    return nDirection == 1 ? n : -n;
}

void PXSoftGroupApplFileCombo::Transfer(int nDirection)
{
    if (nDirection != PXSoftIntrfc::CtrlToField)
        return;
    if (!m_pStatement->HasStyle(StyleSingle) && !m_pStatement->HasStyle(StyleMulti))
        return;
    PXSoftRec* pRec = m_pSoftDlg->GetRecord();
    if (!pRec)
        return;
    CString name = m_bShowName ? GetWindowTextOf(GetMemberHWND(MemberName)) : CString();
    PXFieldValue apps(FIELD_APPS, pRec);
    PXRecArray view(apps.GetRecArray());
    if (view.GetSize() == 0)
        view.Add(PXSoftRec::Create(REC_USER_APP, PXSoftRec::HasTypedClass(REC_USER_APP)));
    PXSoftRec* pApp = view.GetAt(0);
    PXASSERT(pApp!=0);
    long lId = -1, lVolume = -1;
    if (!m_pStatement->HasStyle(StyleMulti) && m_pStatement->HasStyle(StyleSingle))
    {
        lId = ParseNumber(m_bShowId ? GetWindowTextOf(GetMemberHWND(MemberId)) : CString());
        lVolume = ParseNumber(m_bShowVolume ? GetWindowTextOf(GetMemberHWND(MemberVolume)) : CString());
    }
    PXFieldValue(FIELD_NAME, pApp).SetText(name);
    PXFieldValue(FIELD_ID, pApp).SetInt32(lId);
    PXFieldValue(FIELD_VOLUME, pApp).SetInt32(lVolume);
    apps.SetRecArray(view);
}
