// TResolveConflictDlg: one clashing name or item number of a paste.
#include "TResolveConflictDlg.h"
#include "TConflictResolveObj.h"
#include "TResolveConflictRes.h"
#include "PXUIRes.h"
#include "PXWinApp.h"
#include "plexedit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
// Help topics of the two forms.
const char s_szItemTopic[] = "Item Conflict";
const char s_szBlockTopic[] = "Block Conflict";
const char s_szIdenticalTopic[] = "Idential Item Conflict";
// The most of a typed name that is read, and of a typed number.
const int MAX_TYPED_NAME = 140;
const int MAX_TYPED_ID = 4;
// Cause of the refusals.
const DWORD CAUSE_REFUSED = 0x40000;

CString LoadText(UINT nId)
{
    CString text;
    text.LoadStringA(nId);
    return text;
}

bool IsVoice(const TClipInfo* pInfo)
{
    return pInfo->kind == KVR_CLIPINFO_VOICE;
}

bool IsFax(const TClipInfo* pInfo)
{
    return pInfo->kind == KVR_CLIPINFO_FAX;
}
}

TResolveConflictDlg::TResolveConflictDlg(TWindow* pParent, TConflictResolveObj* pResolver, int nIndex,
                                         TClipInfo* pInfo, BOOL* pbAll)
    : TDialog(pParent, "DIALOG_CONFLICT1"), m_pResolver(pResolver), m_nIndex(nIndex), m_pInfo(pInfo),
      m_pbAll(pbAll), m_pbReplace(nullptr), m_szCaption(), m_nHelpId(0)
{
    Init();
}

TResolveConflictDlg::TResolveConflictDlg(TWindow* pParent, TConflictResolveObj* pResolver, int nIndex,
                                         TClipInfo* pInfo, BOOL* pbAll, BOOL* pbReplace)
    : TDialog(pParent, "DIALOG_CONFLICT2"), m_pResolver(pResolver), m_nIndex(nIndex), m_pInfo(pInfo),
      m_pbAll(pbAll), m_pbReplace(pbReplace), m_szCaption(), m_nHelpId(0)
{
    Init();
}

void TResolveConflictDlg::Init()
{
    PXASSERT(m_pResolver!=0 && m_pInfo!=0 && m_pbAll!=0);
    UINT nCaption = IsVoice(m_pInfo) ? IDS_CONFLICT_VOICECAPTION
                    : IsFax(m_pInfo) ? IDS_CONFLICT_FAXCAPTION
                                     : IDS_CONFLICT_BLOCKCAPTION;
    // The identical-item form has no caption for a block.
    if (IsItemForm() && IsBlock())
        m_szCaption[0] = 0;
    else
        _snprintf(m_szCaption, sizeof(m_szCaption) - 1, static_cast<const char*>(LoadText(nCaption)),
                  m_pResolver->GetConflictNumber(m_nIndex), m_pResolver->GetConflictCount());
    SetCaption(m_szCaption);
    const char* pszTopic = IsItemForm() ? s_szIdenticalTopic : IsBlock() ? s_szBlockTopic : s_szItemTopic;
    m_nHelpId = FindHelpID(pszTopic);
}

bool TResolveConflictDlg::IsBlock() const
{
    return !IsVoice(m_pInfo) && !IsFax(m_pInfo);
}

void TResolveConflictDlg::Enable(int nId, bool bEnable)
{
    if (HWND hCtl = ::GetDlgItem(HWindow, nId))
        ::EnableWindow(hCtl, bEnable ? TRUE : FALSE);
}

bool TResolveConflictDlg::IsChecked(int nId) const
{
    return ::IsDlgButtonChecked(HWindow, nId) == BST_CHECKED;
}

void TResolveConflictDlg::SetAllText(UINT nTextId, bool bEnable)
{
    ::SetDlgItemTextA(HWindow, IDC_CONFLICT_ALL, LoadText(nTextId));
    Enable(IDC_CONFLICT_ALL, bEnable);
}

void TResolveConflictDlg::SetupWindow()
{
    TDialog::SetupWindow();
    // Centred on the desktop, size and z-order as they are.
    RECT rc, rcDesk;
    ::GetWindowRect(HWindow, &rc);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcDesk, 0);
    ::SetWindowPos(HWindow, nullptr, rcDesk.left + ((rcDesk.right - rcDesk.left) - (rc.right - rc.left)) / 2,
                   rcDesk.top + ((rcDesk.bottom - rcDesk.top) - (rc.bottom - rc.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);

    char szText[512];
    if (IsBlock())
        _snprintf(szText, sizeof(szText) - 1, static_cast<const char*>(LoadText(IDS_CONFLICT_BLOCKMESSAGE)),
                  m_pInfo->name);
    else
        _snprintf(szText, sizeof(szText) - 1,
                  static_cast<const char*>(LoadText(IsVoice(m_pInfo) ? IDS_CONFLICT_VOICEMESSAGE
                                                                      : IDS_CONFLICT_FAXMESSAGE)),
                  m_pInfo->name, static_cast<int>(m_pInfo->oldNumber));
    szText[sizeof(szText) - 1] = 0;
    ::SetDlgItemTextA(HWindow, IDC_CONFLICT_MESSAGE, szText);
    if (!IsItemForm())
        ::SetDlgItemTextA(HWindow, IDC_CONFLICT_QUESTION,
                          LoadText(IsBlock() ? IDS_CONFLICT_BLOCKQUESTION : IDS_CONFLICT_ITEMQUESTION));

    ::CheckRadioButton(HWindow, IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFAULT);
    Enable(IDC_CONFLICT_TYPEDNAME, false);
    ::SetDlgItemTextA(HWindow, IDC_CONFLICT_DEFNAME, m_pInfo->newName[0] ? m_pInfo->newName : m_pInfo->name);
    ::SendDlgItemMessageA(HWindow, IDC_CONFLICT_TYPEDNAME, EM_LIMITTEXT, PX_MAX_PASTE_NAME, 0);
    ::SendDlgItemMessageA(HWindow, IDC_CONFLICT_TYPEDID, EM_LIMITTEXT, MAX_TYPED_ID, 0);
    if (IsBlock())
    {
        for (int nId : {IDC_CONFLICT_IDLABEL1, IDC_CONFLICT_IDLABEL2, IDC_CONFLICT_DEFID, IDC_CONFLICT_TYPEDID})
            ::ShowWindow(::GetDlgItem(HWindow, nId), SW_HIDE);
        return;
    }
    if (IsItemForm())
        ::CheckRadioButton(HWindow, IDC_CONFLICT_SKIP, IDC_CONFLICT_CHANGE, IDC_CONFLICT_CHANGE);
    for (int nId : {IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFNAME, IDC_CONFLICT_IDLABEL1,
                    IDC_CONFLICT_IDLABEL2, IDC_CONFLICT_DEFID})
        Enable(nId, true);
    Enable(IDC_CONFLICT_TYPEDNAME, false);
    Enable(IDC_CONFLICT_TYPEDID, false);
    SetAllText(IDS_CONFLICT_CHANGEALL, true);
    long lShown = m_pInfo->newNumber == -1 ? m_pInfo->oldNumber : m_pInfo->newNumber;
    ::SetDlgItemInt(HWindow, IDC_CONFLICT_DEFID, static_cast<UINT>(lShown), TRUE);
}

LRESULT TResolveConflictDlg::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    switch (id)
    {
    case IDC_CONFLICT_GROUPITEM:
    case IDC_CONFLICT_GROUPNAME:
        GroupChoice(id, notifyCode);
        return 0;
    case IDC_CONFLICT_DEFAULT:
        CmDefaultName();
        return 0;
    case IDC_CONFLICT_NEWNAME:
        CmNewName();
        return 0;
    case IDC_CONFLICT_SKIP:
        CmSkip();
        return 0;
    case IDC_CONFLICT_REPLACE:
        CmReplace();
        return 0;
    case IDC_CONFLICT_CHANGE:
        CmChange();
        return 0;
    case IDC_CONFLICT_ALL:
        CmAll();
        return 0;
    case IDC_CONFLICT_HELP:
        if (PXWinApp* pApp = GetWinApp())
            pApp->ShowHelp(m_nHelpId);
        return 0;
    default:
        return TDialog::EvCommand(id, hWndCtl, notifyCode);
    }
}

void TResolveConflictDlg::GroupChoice(UINT nGroup, UINT nButton)
{
    if (nGroup == IDC_CONFLICT_GROUPNAME && (nButton == IDC_CONFLICT_DEFAULT || nButton == IDC_CONFLICT_NEWNAME))
        EvCommand(nButton, nullptr, BN_CLICKED);
    else if (nGroup == IDC_CONFLICT_GROUPITEM && nButton >= IDC_CONFLICT_SKIP && nButton <= IDC_CONFLICT_CHANGE)
        EvCommand(nButton, nullptr, BN_CLICKED);
    else
        PXASSERT(0);
}

void TResolveConflictDlg::CmDefaultName()
{
    if (!IsChecked(IDC_CONFLICT_DEFAULT))
        return;
    ::CheckRadioButton(HWindow, IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFAULT);
    Enable(IDC_CONFLICT_TYPEDNAME, false);
    Enable(IDC_CONFLICT_TYPEDID, false);
    Enable(IDC_CONFLICT_ALL, true);
}

void TResolveConflictDlg::CmNewName()
{
    if (!IsChecked(IDC_CONFLICT_NEWNAME))
        return;
    ::CheckRadioButton(HWindow, IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_NEWNAME);
    Enable(IDC_CONFLICT_TYPEDNAME, true);
    Enable(IDC_CONFLICT_TYPEDID, !IsBlock());
    ::SetFocus(::GetDlgItem(HWindow, IDC_CONFLICT_TYPEDNAME));
    Enable(IDC_CONFLICT_ALL, false);
}

void TResolveConflictDlg::CmSkip()
{
    if (!IsItemForm() || !IsChecked(IDC_CONFLICT_SKIP))
        return;
    ::CheckRadioButton(HWindow, IDC_CONFLICT_SKIP, IDC_CONFLICT_CHANGE, IDC_CONFLICT_SKIP);
    for (int nId : {IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFNAME, IDC_CONFLICT_IDLABEL1,
                    IDC_CONFLICT_IDLABEL2, IDC_CONFLICT_DEFID, IDC_CONFLICT_TYPEDNAME, IDC_CONFLICT_TYPEDID})
        Enable(nId, false);
    SetAllText(IDS_CONFLICT_SKIPALL, true);
    *m_pbReplace = FALSE;
    m_pInfo->replace = 0;
    m_pInfo->skip = 1;
}

void TResolveConflictDlg::CmReplace()
{
    if (!IsItemForm() || !IsChecked(IDC_CONFLICT_REPLACE))
        return;
    ::CheckRadioButton(HWindow, IDC_CONFLICT_SKIP, IDC_CONFLICT_CHANGE, IDC_CONFLICT_REPLACE);
    for (int nId : {IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFNAME, IDC_CONFLICT_IDLABEL1,
                    IDC_CONFLICT_IDLABEL2, IDC_CONFLICT_DEFID, IDC_CONFLICT_TYPEDNAME, IDC_CONFLICT_TYPEDID})
        Enable(nId, false);
    SetAllText(IDS_CONFLICT_REPLACEALL, true);
    *m_pbReplace = TRUE;
    m_pInfo->replace = 1;
    m_pInfo->skip = 0;
}

void TResolveConflictDlg::CmChange()
{
    if (!IsItemForm() || !IsChecked(IDC_CONFLICT_CHANGE))
        return;
    ::CheckRadioButton(HWindow, IDC_CONFLICT_SKIP, IDC_CONFLICT_CHANGE, IDC_CONFLICT_CHANGE);
    for (int nId : {IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFNAME, IDC_CONFLICT_IDLABEL1,
                    IDC_CONFLICT_IDLABEL2, IDC_CONFLICT_DEFID, IDC_CONFLICT_TYPEDNAME, IDC_CONFLICT_TYPEDID})
        Enable(nId, true);
    ::SetDlgItemTextA(HWindow, IDC_CONFLICT_ALL, LoadText(IDS_CONFLICT_CHANGEALL));
    const bool bDefault = IsChecked(IDC_CONFLICT_DEFAULT);
    Enable(IDC_CONFLICT_TYPEDNAME, !bDefault);
    Enable(IDC_CONFLICT_TYPEDID, !bDefault);
    Enable(IDC_CONFLICT_ALL, bDefault);
    *m_pbReplace = FALSE;
    m_pInfo->replace = 0;
    m_pInfo->skip = 0;
}

void TResolveConflictDlg::CmAll()
{
    *m_pbAll = TRUE;
    CloseWindow(IDOK);
}

bool TResolveConflictDlg::Refuse(UINT nMsgId, int nField)
{
    PXArgList message(nMsgId);
    PXGetWinApp()->Report(CAUSE_REFUSED, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__,
                          __LINE__);
    HWND hField = ::GetDlgItem(HWindow, nField);
    ::SetFocus(hField);
    ::SendMessageA(hField, EM_SETSEL, 0, -1);
    return false;
}

bool TResolveConflictDlg::CanClose()
{
    if (IsItemForm() && IsChecked(IDC_CONFLICT_REPLACE))
        return true;
    if (IsItemForm() && IsChecked(IDC_CONFLICT_SKIP))
        return true;
    if (IsChecked(IDC_CONFLICT_DEFAULT))
        return true;

    char szName[MAX_TYPED_NAME + 1] = "";
    ::GetDlgItemTextA(HWindow, IDC_CONFLICT_TYPEDNAME, szName, sizeof(szName));
    const UINT nNameMsg = IsBlock() ? IDS_CONFLICT_BLOCKNAMEREFUSED
                          : IsVoice(m_pInfo) ? IDS_UI_VOICENAMEREFUSED
                                             : IDS_UI_FAXNAMEREFUSED;
    if (std::strlen(szName) > PX_MAX_PASTE_NAME || std::strchr(szName, '$') || !m_pResolver->IsNewNameValid(szName) ||
        (IsBlock() && kvrItsAReservedPB(szName)))
        return Refuse(nNameMsg, IDC_CONFLICT_TYPEDNAME);
    if (!IsBlock())
    {
        char szId[MAX_TYPED_ID + 1] = "";
        ::GetDlgItemTextA(HWindow, IDC_CONFLICT_TYPEDID, szId, sizeof(szId));
        long lId = std::atol(szId);
        if (!m_pResolver->IsIdValid(m_pInfo->kind, lId))
            return Refuse(IsVoice(m_pInfo) ? IDS_UI_VOICEIDREFUSED : IDS_UI_FAXIDREFUSED, IDC_CONFLICT_TYPEDID);
        m_pInfo->newNumber = lId;
    }
    lstrcpynA(m_pInfo->newName, szName, sizeof(m_pInfo->newName));
    if (IsBlock())
        return true;

    // Clipboard items that the new name or number now clashes with are
    // resolved later in the same run.
    int nCount = kvrGetClipboardList(nullptr, 0);
    if (nCount > 0)
    {
        std::vector<TClipInfo*> list(nCount);
        nCount = kvrGetClipboardList(list.data(), nCount);
        for (int i = 0; i < nCount; ++i)
        {
            TClipInfo* pOther = list[i];
            if (pOther == m_pInfo || pOther->kind < 0 || pOther->kind != m_pInfo->kind)
                continue;
            if (std::strcmp(pOther->name, m_pInfo->newName) == 0 || pOther->oldNumber == m_pInfo->newNumber)
                m_pResolver->Add(pOther);
        }
    }
    return true;
}
