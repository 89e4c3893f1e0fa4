// Group controls: the plain group, the radio group and the edit with
// up-down.
#include "PXSoftGrp.h"
#include "PXStatmt.h"
#include "PXMulStm.h"
#include "PXSoftRec.h"

#include <commctrl.h>
#include <stdlib.h>

// ---------------------------------------------------------------------------
// Plain group

int PXSoftGroupCtrl::AcceptMessage(WORD, int nKind, void*)
{
    return nKind == 10 ? 1 : 2;
}

void PXSoftGroupCtrl::React(PXSoftDlg* pSoftDlg, PXStatement* pReaction)
{
    PXASSERT(pReaction!=0&&pReaction->GetType()==PXTOK_REACTION);
    WORD wAction = pReaction->GetParam(1);
    if (wAction != PXREACT_ENABLE && wAction != PXREACT_DISABLE)
        return;
    for (int i = 0; i < GetMemberCount(); ++i)
        ::EnableWindow(pSoftDlg->GetCtrlHWND(GetMemberId(i)), wAction == PXREACT_ENABLE);
}

void PXSoftGroupCtrl::Transfer(int)
{
    // A plain group has no field.
    PXASSERT(0);
}

int PXSoftGroupCtrl::GetMemberCount() const
{
    return static_cast<PXMultiLineStatement*>(m_pStatement)->GetNbStatements(PXKIND_BODY);
}

WORD PXSoftGroupCtrl::GetMemberId(int nIndex) const
{
    PXASSERT(nIndex>=0&&nIndex<GetMemberCount());
    PXStatement* pSub = static_cast<PXMultiLineStatement*>(m_pStatement)->GetStatement(PXKIND_BODY, nIndex);
    PXASSERT(pSub->GetType()==PXTOK_SUBCTRL);
    return pSub->GetParam(0);
}

HWND PXSoftGroupCtrl::GetMemberHWND(int nIndex) const
{
    return ::GetDlgItem(m_pSoftDlg->GetDlgHWND(), GetMemberId(nIndex));
}

// ---------------------------------------------------------------------------
// Radio group

void PXSoftGroupRadio::SetUp()
{
    int nGroupStarts = 0;
    for (int i = 0; i < GetMemberCount(); ++i)
    {
        HWND hMember = GetMemberHWND(i);
        PXASSERT(hMember!=0);
        PXASSERT(PXSoftDlg::WinCtrlHasStyle(hMember,BS_AUTORADIOBUTTON));
        if (PXSoftDlg::WinCtrlHasStyle(hMember, WS_GROUP))
            ++nGroupStarts;
    }
    PXASSERT(nGroupStarts==1);
}

void PXSoftGroupRadio::Transfer(int nDirection)
{
    PXFieldValue value = GetFieldValue();
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        int nIndex = *value.GetInt16();
        // A value that names no member (the member count stored when no
        // button was checked) leaves the buttons as they are.
        if (nIndex < 0 || nIndex >= GetMemberCount())
            return;
        HWND hMember = GetMemberHWND(nIndex);
        PXASSERT(hMember!=0);
        ::SendMessageA(hMember, BM_SETCHECK, BST_CHECKED, 0);
        m_pSoftDlg->PostNotification(GetMemberId(nIndex), PXN_CLICKED, nullptr);
        return;
    }
    int nCount = GetMemberCount();
    int nChecked = nCount;
    for (int i = 0; i < nCount; ++i)
    {
        HWND hMember = GetMemberHWND(i);
        PXASSERT(hMember!=0);
        if (::SendMessageA(hMember, BM_GETCHECK, 0, 0) == BST_CHECKED)
        {
            nChecked = i;
            break;
        }
    }
    value.SetInt16(static_cast<short>(nChecked));
}

// ---------------------------------------------------------------------------
// Edit with up-down

void PXSoftGroupEditUpDown::SetUp()
{
    HWND hUpDown = GetMemberHWND(0);
    PXASSERT(hUpDown!=0);
    long lMin = static_cast<short>(m_pStatement->GetOptParam(0));
    long lMax = static_cast<short>(m_pStatement->GetOptParam(1));
    PXASSERT(lMin>=-32767&&lMin<=32767);
    PXASSERT(lMax>=-32767&&lMax<=32767);
    PXASSERT(lMax-lMin<32767);
    PXASSERT(lMin<=lMax);
    PXASSERT(PXSoftDlg::WinCtrlHasStyle(hUpDown,UDS_SETBUDDYINT|UDS_AUTOBUDDY));
    HWND hPrev = ::GetWindow(hUpDown, GW_HWNDPREV);
    PXASSERT(hPrev!=0&&CompareClassName(hPrev,"edit")==0);
    ::SendMessageA(hUpDown, UDM_SETRANGE, 0, MAKELPARAM(static_cast<short>(lMax), static_cast<short>(lMin)));
}

void PXSoftGroupEditUpDown::Transfer(int nDirection)
{
    HWND hUpDown = GetMemberHWND(0);
    PXASSERT(hUpDown!=0);
    PXFieldValue value = GetFieldValue();
    if (nDirection == PXSoftIntrfc::FieldToCtrl)
    {
        // The range as the up-down holds it, its ends as signed numbers: a
        // negative value or one past 16 bits is brought into the range too.
        LRESULT range = ::SendMessageA(hUpDown, UDM_GETRANGE, 0, 0);
        long lA = static_cast<short>(LOWORD(range));
        long lB = static_cast<short>(HIWORD(range));
        long lLower = lA < lB ? lA : lB;
        long lUpper = lA < lB ? lB : lA;
        long lValue = *value.GetInt32();
        if (lValue < lLower)
        {
            lValue = lLower;
            value.SetInt32(lValue);
        }
        else if (lValue > lUpper)
        {
            lValue = lUpper;
            value.SetInt32(lValue);
        }
        ::SendMessageA(hUpDown, UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(lValue), 0));
        PXASSERT(GetMemberCount()>=2);
        m_pSoftDlg->PostNotification(GetMemberId(1), PXN_CHANGED, nullptr);
        return;
    }
    HWND hBuddy = reinterpret_cast<HWND>(::SendMessageA(hUpDown, UDM_GETBUDDY, 0, 0));
    PXASSERT(hBuddy!=0);
    value.SetInt32(atol(GetWindowTextOf(hBuddy)));
}
