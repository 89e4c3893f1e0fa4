// Group controls: one soft control for several windows of a soft dialog,
// listed by the SubCtrl statements of its GroupCtrl statement. A group is
// enabled and disabled as a whole, is asked first whether a member's
// message becomes a notification, and a data-linked group binds one field
// to its members together.
#ifndef PXSOFTGRP_H
#define PXSOFTGRP_H

#include "PXSoftCtrl.h"

class PXSoftGroupCtrl : public PXSoftCtrl
{
public:
    PXSoftGroupCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftCtrl(wCtrlId, pSoftDlg, pStatement) {}

    // Kind 10 from any member is accepted; otherwise no opinion (2).
    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    // Enables (0x465) or disables (0x466) every member.
    void React(PXSoftDlg* pSoftDlg, PXStatement* pReaction) override;
    // A plain group is never data-linked.
    void Transfer(int nDirection) override;

    int GetMemberCount() const;
    WORD GetMemberId(int nIndex) const;
    // The member's window; null when the template has none.
    HWND GetMemberHWND(int nIndex) const;
};

// Automatic radio buttons; the INT16 field holds the index of the checked
// member.
class PXSoftGroupRadio : public PXSoftGroupCtrl
{
public:
    PXSoftGroupRadio(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftGroupCtrl(wCtrlId, pSoftDlg, pStatement) {}

    void SetUp() override;
    void Transfer(int nDirection) override;
};

// An up-down (member 0) with its buddy edit (member 1); optional words
// minimum and maximum; the INT32 field holds the number in the edit.
class PXSoftGroupEditUpDown : public PXSoftGroupCtrl
{
public:
    PXSoftGroupEditUpDown(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftGroupCtrl(wCtrlId, pSoftDlg, pStatement) {}

    void SetUp() override;
    void Transfer(int nDirection) override;
};

#endif
