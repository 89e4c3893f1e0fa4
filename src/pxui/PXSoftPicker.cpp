// The voice and fax item picker: fill, transfer in both directions, the
// New/Edit button and its item dialogs, and the check on OK.
#include "PXSoftPicker.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSdoRes.h"
#include "PXSoftRec.h"
#include "PXStatmt.h"
#include "PXUIRes.h"
#include "PXWinApp.h"

#include <memory>
#include <new>
#include <stdlib.h>

namespace {

const DWORD PXCAUSE_SOFTDATA = 0x40000;

// The members, in SubCtrl order.
enum
{
    MEMBER_COMBO = 0,
    MEMBER_ID = 1,
    MEMBER_BUTTON = 2
};

} // namespace

const PXSoftGroupVoiceFaxPicker::Kind PXSoftGroupVoiceFaxPicker::s_voiceKind = {
    2302, PXFIELD_VOICE_ITEM_NAME, PXFIELD_VOICE_ITEM_ID,
    PXSDLG_VOICE_ITEM_NEW, 11050, PXSDLG_VOICE_ITEM_RECORDED, 11055, PXSDLG_VOICE_ITEM_EDIT, 11060,
    IDS_SDO_PICK_NEWVOICE,
    IDS_UI_VOICENAMEREFUSED, IDS_UI_VOICEIDREFUSED, IDS_UI_VOICELEFTASNEW, IDS_UI_ADDVOICENOAPP
};

const PXSoftGroupVoiceFaxPicker::Kind PXSoftGroupVoiceFaxPicker::s_faxKind = {
    2303, PXFIELD_FAX_ITEM_NAME, PXFIELD_FAX_ITEM_ID,
    PXSDLG_FAX_ITEM_NEW, 11070, PXSDLG_FAX_ITEM_IMPORTED, 11075, PXSDLG_FAX_ITEM_EDIT, 11080,
    IDS_SDO_PICK_NEWFAX,
    IDS_UI_FAXNAMEREFUSED, IDS_UI_FAXIDREFUSED, IDS_UI_FAXLEFTASNEW, IDS_UI_ADDFAXNOAPP
};

PXSoftGroupVoiceFaxPicker::PXSoftGroupVoiceFaxPicker(WORD wCtrlId, PXSoftDlg* pSoftDlg,
                                                     PXStatement* pStatement)
    : PXSoftGroupCtrl(wCtrlId, pSoftDlg, pStatement), m_wFixedCount(0), m_bNoChoice(FALSE)
{
}

BOOL PXSoftGroupVoiceFaxPicker::IsFax() const
{
    PXASSERT(m_pStatement!=0);
    if (m_pStatement->HasStyle(StyleVoice))
        return FALSE;
    PXASSERT(m_pStatement->HasStyle(StyleFax));
    return TRUE;
}

const PXSoftGroupVoiceFaxPicker::Kind& PXSoftGroupVoiceFaxPicker::GetKind() const
{
    return IsFax() ? s_faxKind : s_voiceKind;
}

BOOL PXSoftGroupVoiceFaxPicker::HasEntry(WORD wFlag) const
{
    return m_pStatement->HasStyle(wFlag);
}

void PXSoftGroupVoiceFaxPicker::CheckDefinition() const
{
    PXASSERT(m_pStatement!=0);
    PXASSERT(m_pStatement->HasStyle(StyleVoice) || m_pStatement->HasStyle(StyleFax));
    // The default system prompt is a voice prompt.
    PXASSERT(!(IsFax() && HasEntry(StyleDefault)));
    PXASSERT(GetMemberCount() > MEMBER_BUTTON);
    HWND hCombo = GetCombo();
    PXASSERT(hCombo!=0);
    PXASSERT(!PXSoftDlg::WinCtrlHasStyle(hCombo, CBS_SORT));
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hCombo, CBS_DROPDOWNLIST));
}

HWND PXSoftGroupVoiceFaxPicker::GetCombo() const
{
    return GetMemberHWND(MEMBER_COMBO);
}

int PXSoftGroupVoiceFaxPicker::GetSelection() const
{
    return static_cast<int>(SendMessageA(GetCombo(), CB_GETCURSEL, 0, 0));
}

BOOL PXSoftGroupVoiceFaxPicker::IsNewItemEntry(int nSel) const
{
    return HasEntry(StyleNewItem) && nSel >= 0 && nSel == m_wFixedCount - 1;
}

std::unique_ptr<PXSortRecArray> PXSoftGroupVoiceFaxPicker::GetSortedItems(PXFieldValue& rList) const
{
    std::unique_ptr<PXSortRecArray> pSorted;
    PXWinApp* pApp = GetWinApp();
    if (!pApp)
        return pSorted;
    pApp->GetFieldValue(GetKind().wListId, rList);
    if (!rList.GetRecord())
        return pSorted;
    pSorted.reset(new (std::nothrow) PXSortRecArray(rList.GetRecArray()));
    if (!pSorted)
        PXTHROW_XMEM(0);
    pSorted->Sort(GetKind().wNameField, TRUE);
    return pSorted;
}

int PXSoftGroupVoiceFaxPicker::GetItemIdAt(int nPos) const
{
    PXFieldValue list;
    std::unique_ptr<PXSortRecArray> pSorted = GetSortedItems(list);
    if (!pSorted)
        return -1;
    if (nPos < 0 || nPos >= pSorted->GetSize())
        return -1;
    return *PXFieldValue(GetKind().wIdField, pSorted->GetAt(nPos)).GetInt16();
}

int PXSoftGroupVoiceFaxPicker::FindItemPos(short sId) const
{
    PXFieldValue list;
    std::unique_ptr<PXSortRecArray> pSorted = GetSortedItems(list);
    if (!pSorted)
        return -1;
    for (int i = 0; i < pSorted->GetSize(); ++i)
        if (*PXFieldValue(GetKind().wIdField, pSorted->GetAt(i)).GetInt16() == sId)
            return i;
    return -1;
}

void PXSoftGroupVoiceFaxPicker::Fill()
{
    CheckDefinition();
    HWND hCombo = GetCombo();
    SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
    WORD wCount = 0;
    struct { WORD wFlag; UINT nText; } fixed[] = {
        { StyleNone, IDS_SDO_PICK_NONE },
        { StyleDefault, IDS_SDO_PICK_DEFAULTPROMPT },
        { StyleNewItem, GetKind().nNewEntryText },
    };
    for (auto& f : fixed)
    {
        if (!HasEntry(f.wFlag))
            continue;
        CString text;
        text.LoadStringA(f.nText);
        SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
        ++wCount;
    }
    m_wFixedCount = wCount;

    PXFieldValue list;
    std::unique_ptr<PXSortRecArray> pSorted = GetSortedItems(list);
    if (!pSorted)
        return;
    for (int i = 0; i < pSorted->GetSize(); ++i)
    {
        CString name = *PXFieldValue(GetKind().wNameField, pSorted->GetAt(i)).GetText();
        SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(name)));
    }
}

void PXSoftGroupVoiceFaxPicker::SetUp()
{
    // The items can change while a page is not shown (a picker on another
    // page made one), so every activation fills the list anew; filling
    // empties it first.
    Fill();
}

void PXSoftGroupVoiceFaxPicker::Refresh()
{
    Fill();
    Transfer(PXSoftIntrfc::FieldToCtrl);
}

void PXSoftGroupVoiceFaxPicker::ShowItemId(int nSel)
{
    char szId[16] = "";
    if (nSel >= m_wFixedCount)
    {
        int nId = GetItemIdAt(nSel - m_wFixedCount);
        if (nId >= 0)
            wsprintfA(szId, "%d", nId);
    }
    HWND hId = GetMemberHWND(MEMBER_ID);
    PXASSERT(hId!=0);
    SetWindowTextA(hId, szId);
}

void PXSoftGroupVoiceFaxPicker::SetField(short sValue)
{
    GetFieldValue().SetInt16(sValue);
}

void PXSoftGroupVoiceFaxPicker::Transfer(int nDirection)
{
    HWND hCombo = GetCombo();
    PXASSERT(hCombo!=0);
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        short v = *GetFieldValue().GetInt16();
        int nSel = -1;
        BOOL bItem = FALSE;
        if (v == ValueNewItem && HasEntry(StyleNewItem))
            nSel = m_wFixedCount - 1;
        else if (v == ValueDefault && HasEntry(StyleDefault))
            nSel = HasEntry(StyleNone) ? 1 : 0;
        else if (v >= 1 && v <= MaxItemId && v != ValueDefault)
        {
            int nPos = FindItemPos(v);
            if (nPos >= 0)
            {
                nSel = m_wFixedCount + nPos;
                bItem = TRUE;
            }
        }
        // None, and every value that names nothing this picker offers (an
        // item the application no longer has, the default prompt without
        // its entry, a negative number), shows the first entry, as 0 does.
        // The field keeps such a value until a choice (or a refresh of the
        // page) stores the entry shown. A picker without fixed entries
        // shows its first item then: a selection is always there to read.
        if (nSel < 0 && SendMessageA(hCombo, CB_GETCOUNT, 0, 0) > 0)
            nSel = 0;
        if (!bItem)
            SetWindowTextA(hCombo, "");
        SendMessageA(hCombo, CB_SETCURSEL, static_cast<WPARAM>(nSel), 0);
        ShowItemId(nSel);
        m_pSoftDlg->PostNotification(GetMemberId(MEMBER_COMBO), PXN_CHANGED);
        return;
    }

    PXASSERT(nDirection==PXSoftIntrfc::CtrlToField);
    // A list closed without a choice (also when the combo box merely loses
    // the focus) chose nothing: a value that names no entry stays as it is.
    if (m_bNoChoice)
        return;
    int nSel = GetSelection();
    if (nSel < 0)
    {
        SetField(-1);
        return;
    }
    if (nSel < m_wFixedCount)
    {
        if (IsNewItemEntry(nSel))
        {
            SetField(ValueNewItem);
            return;
        }
        if (!HasEntry(StyleNone) && HasEntry(StyleDefault) && nSel == 0)
            nSel = 1;
        SetField(static_cast<short>(nSel == 1 ? ValueDefault : nSel));
        return;
    }
    // An item: the ID that member 1 shows.
    char szId[16] = "";
    HWND hId = GetMemberHWND(MEMBER_ID);
    PXASSERT(hId!=0);
    GetWindowTextA(hId, szId, sizeof(szId));
    // Item IDs are 16-bit numbers: a larger one names no item and is not
    // squeezed into another's.
    unsigned long ulId = strtoul(szId, nullptr, 10);
    if (ulId > 0x7FFF)
    {
        ReportMessage(IDS_UI_ITEMIDREFUSED);
        return;
    }
    SetField(static_cast<short>(ulId));
}

void PXSoftGroupVoiceFaxPicker::PostNotify(PXNotification* pNotification)
{
    m_bNoChoice = FALSE;
    PXSoftGroupCtrl::PostNotify(pNotification);
}

int PXSoftGroupVoiceFaxPicker::AcceptMessage(WORD wCtrlId, int nKind, void* pData)
{
    if (wCtrlId == GetMemberId(MEMBER_COMBO) && nKind == CBN_SELCHANGE)
        return 1;
    return PXSoftGroupCtrl::AcceptMessage(wCtrlId, nKind, pData);
}

void PXSoftGroupVoiceFaxPicker::PreNotify(PXNotification* pNotification)
{
    PXASSERT(pNotification!=0);
    WORD wCtrlId = pNotification->GetCtrlID();
    WORD wCode = pNotification->GetCode();
    if (wCtrlId == GetMemberId(MEMBER_COMBO) && wCode == CBN_SELENDCANCEL)
    {
        m_bNoChoice = TRUE;
        return;
    }
    if (wCtrlId == GetMemberId(MEMBER_COMBO) && wCode == PXN_CHANGED)
    {
        int nSel = GetSelection();
        PXASSERT(nSel>=0);
        if (nSel < 0)
            return;
        BOOL bEnable;
        UINT nText;
        if (IsNewItemEntry(nSel))
        {
            nText = IDS_SDO_PICK_NEW;
            bEnable = TRUE;
        }
        else
        {
            nText = IDS_SDO_PICK_EDIT;
            bEnable = nSel >= m_wFixedCount;
        }
        // A picker that a reaction disabled keeps its button disabled when
        // its field is shown again.
        if (!IsWindowEnabled(GetCombo()))
            bEnable = FALSE;
        HWND hButton = GetMemberHWND(MEMBER_BUTTON);
        PXASSERT(hButton!=0);
        CString text;
        text.LoadStringA(nText);
        SetWindowTextA(hButton, text);
        EnableWindow(hButton, bEnable);
        WORD wButton = GetMemberId(MEMBER_BUTTON);
        m_pSoftDlg->PostNotification(wButton, bEnable ? PXN_BUTTONENABLED : PXN_BUTTONDISABLED);
        m_pSoftDlg->PostNotification(wButton, PXN_CHANGED);
        ShowItemId(nSel);
        m_pSoftDlg->PostNotification(GetMemberId(MEMBER_ID), PXN_CHANGED);
        return;
    }
    if (wCtrlId == GetMemberId(MEMBER_BUTTON) && wCode == PXN_CLICKED)
    {
        int nSel = GetSelection();
        if (IsNewItemEntry(nSel))
            NewItem();
        else if (nSel >= m_wFixedCount)
        {
            int nId = GetItemIdAt(nSel - m_wFixedCount);
            if (nId >= 0)
                EditItem(static_cast<short>(nId), GetKind().wEditDlg, GetKind().wEditHelp);
        }
        else
            return;
        m_pSoftDlg->RefreshControls();
    }
}

int PXSoftGroupVoiceFaxPicker::Validate(int)
{
    HWND hCombo = GetCombo();
    if (IsNewItemEntry(GetSelection()) && IsWindowEnabled(hCombo))
    {
        ReportMessage(GetKind().nLeftAsNew);
        return 0;
    }
    return 1;
}

void PXSoftGroupVoiceFaxPicker::React(PXSoftDlg* pSoftDlg, PXStatement* pReaction)
{
    PXSoftGroupCtrl::React(pSoftDlg, pReaction);
    WORD wAction = pReaction->GetParam(1);
    if (wAction != PXREACT_ENABLE && wAction != PXREACT_DISABLE)
        return;
    int nSel = GetSelection();
    BOOL bEnable = wAction == PXREACT_ENABLE && nSel >= 0
                   && (nSel >= m_wFixedCount || IsNewItemEntry(nSel));
    HWND hButton = GetMemberHWND(MEMBER_BUTTON);
    PXASSERT(hButton!=0);
    EnableWindow(hButton, bEnable);
}

BOOL PXSoftGroupVoiceFaxPicker::CheckItem(PXSoftRec* pItem, int& rNameOk, int& rIdOk) const
{
    PXWinApp* pApp = GetWinApp();
    return IsFax() ? pApp->CheckFaxItem(pItem, rNameOk, rIdOk) : pApp->CheckVoiceItem(pItem, rNameOk, rIdOk);
}

void PXSoftGroupVoiceFaxPicker::ReportMessage(UINT nMsgId) const
{
    PXArgList message(nMsgId);
    PXGetWinApp()->Report(PXCAUSE_SOFTDATA, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0,
                          __FILE__, __LINE__);
}

void PXSoftGroupVoiceFaxPicker::NewItem()
{
    const Kind& k = GetKind();
    PXWinApp* pApp = GetWinApp();
    PXFieldValue list;
    if (pApp)
        pApp->GetFieldValue(k.wListId, list);
    PXSoftRec* pUserApp = list.GetRecord();
    if (!pUserApp)
    {
        // No application window is active: there is nothing to add to.
        ReportMessage(k.nNoApp);
        return;
    }

    short sNewId = 0;
    {
        PXRecArray edit(list.GetRecArray());
        PXSoftRec* pNew = IsFax() ? pApp->NewFaxItem() : pApp->NewVoiceItem();
        if (!pNew)
            return;     // no number is free (reported)
        int nIndex = edit.Add(pNew);
        for (;;)
        {
            if (pNew->EditInDialog(k.wNewDlg, k.wNewHelp) != IDOK)
            {
                edit.RemoveAt(nIndex);
                SetField(ValueNone);
                return;
            }
            int bNameOk = 1, bIdOk = 1;
            if (CheckItem(pNew, bNameOk, bIdOk))
                break;
            ReportMessage(bNameOk ? k.nIdRefused : k.nNameRefused);
        }
        list.SetRecArray(edit);
        if (pUserApp->Commit() != 1)
        {
            // The application refused (and said why) and kept the list
            // change for its next commit, which would add the item unasked
            // and give the next new item the same ID: the item goes again.
            // The change is the last added record of a kept cell; a cell
            // the commit dropped reads the stored list, with nothing added.
            PXRecArray* pKept = list.GetRecArray();
            if (pKept->m_nAdded > 0)
                pKept->RemoveAt(pKept->GetSize() - 1);
            return;
        }
        // The commit drops the application's cells, which the edit
        // overlaid: from here on only the new record itself is read.
        int bNameOk = 1, bIdOk = 1;
        if (CheckItem(pNew, bNameOk, bIdOk))
            return;     // the application refused the item (reported)
        sNewId = *PXFieldValue(k.wIdField, pNew).GetInt16();
    }
    SetField(sNewId);
    EditItem(sNewId, k.wMediaDlg, k.wMediaHelp);
}

int PXSoftGroupVoiceFaxPicker::EditItem(short sId, WORD wDlgId, WORD wHelpId)
{
    const Kind& k = GetKind();
    PXWinApp* pApp = GetWinApp();
    PXFieldValue list;
    std::unique_ptr<PXSortRecArray> pSorted = GetSortedItems(list);
    if (!pSorted)
        return IDCANCEL;
    int nPos = -1;
    for (int i = 0; i < pSorted->GetSize() && nPos < 0; ++i)
        if (*PXFieldValue(k.wIdField, pSorted->GetAt(i)).GetInt16() == sId)
            nPos = i;
    if (nPos < 0)
        return IDCANCEL;
    PXSoftRec* pItem = pSorted->GetAt(nPos);
    CString oldName = *PXFieldValue(k.wNameField, pItem).GetText();
    // The item as the application holds it, and its place in the list, in
    // case the application refuses the change.
    std::unique_ptr<PXSoftRec> pBefore(PXSoftRec::Create(pItem->GetTypeId(), FALSE));
    PXASSERT(pBefore!=nullptr);
    pBefore->CopyFrom(*pItem);
    int nIndex = -1;
    PXRecArray& rUnsorted = *pSorted;
    for (int i = 0; i < rUnsorted.GetSize() && nIndex < 0; ++i)
        if (rUnsorted.GetAt(i) == pItem)
            nIndex = i;
    PXASSERT(nIndex>=0);
    for (;;)
    {
        if (pItem->EditInDialog(wDlgId, wHelpId) != IDOK)
            return IDCANCEL;
        CString name = *PXFieldValue(k.wNameField, pItem).GetText();
        short sNewId = *PXFieldValue(k.wIdField, pItem).GetInt16();
        int bNameOk = 1, bIdOk = 1;
        if (IsFax())
            pApp->CheckFaxItemNameID(name, sNewId, bNameOk, bIdOk);
        else
            pApp->CheckVoiceItemNameID(name, sNewId, bNameOk, bIdOk);
        // The item's own name and ID are in use by the item itself.
        if (!bNameOk && name != oldName)
        {
            ReportMessage(k.nNameRefused);
            continue;
        }
        if (!bIdOk && sNewId != sId)
        {
            ReportMessage(k.nIdRefused);
            continue;
        }
        list.SetRecArray(*pSorted);
        PXSoftRec* pUserApp = list.GetRecord();
        pSorted.reset();
        // The picker that edits an item shows it: its field follows the
        // item's ID once the application has taken the change.
        if (pUserApp->Commit() == 1)
        {
            SetField(sNewId);
            return IDOK;
        }
        // The application refused (and said why) and kept the list change
        // for its next commit, which would apply it unchecked: the item is
        // put back as it is stored.
        PXRecArray* pKept = list.GetRecArray();
        if (nIndex < pKept->GetSize())
            pKept->GetAt(nIndex)->CopyFrom(*pBefore);
        return IDOK;
    }
}
