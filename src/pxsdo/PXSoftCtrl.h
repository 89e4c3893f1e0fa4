// Soft controls: the runtime objects that bind the window controls of a
// soft dialog to the fields of its record. The soft dialog makes one per
// control id on first use, from the control's SoftControl statement (or as
// a plain control when there is none), and talks to it only through the
// virtual operations of PXSoftCtrl. Group controls, which stand for several
// windows and one field, are in PXSoftGrp.h.
#ifndef PXSOFTCTRL_H
#define PXSOFTCTRL_H

#include "PXSoftDlg.h"
#include "PXFieldValue.h"

// Control class words of SoftControl statements.
enum
{
    PXCTRL_BITMAPBUTTON = 0x4001,
    PXCTRL_LISTVIEW = 0x4003,
    PXCTRL_EDIT = 0x4004,
    PXCTRL_COMBOBOX = 0x4006,
    PXCTRL_GROUP = 0x4071,
    PXCTRL_GROUPRADIO = 0x4072,
    PXCTRL_VOICEFAXPICKER = 0x4076,
    PXCTRL_VOICEFAXEDITOR = 0x4077,
    PXCTRL_EDITUPDOWN = 0x4078,
    PXCTRL_APPLFILECOMBO = 0x4079
};

class PXSoftCtrl : public PXObject
{
public:
    // pStatement: the control's PlainCtrl or GroupCtrl statement in the
    // dialog definition, or null for a plain control without one.
    PXSoftCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement);
    ~PXSoftCtrl() override;

    // Whether a window message of the control (for a group: of a member)
    // becomes a notification: 1 accept, 0 refuse; a group may answer
    // anything else to leave the decision to the member.
    virtual int AcceptMessage(WORD wCtrlId, int nKind, void* pData);
    virtual void PreNotify(PXNotification* pNotification);
    virtual void PostNotify(PXNotification* pNotification);
    // 1 when the control's content is acceptable; quiet 0 lets the field's
    // checks show their messages.
    virtual int Validate(int bQuiet);
    // Carries out a Reaction statement aimed at this control.
    virtual void React(PXSoftDlg* pSoftDlg, PXStatement* pReaction);
    // FieldToCtrl shows the field and posts the notification that a user's
    // change would have produced; CtrlToField stores the window's value.
    virtual void Transfer(int nDirection);
    virtual void SetUp();
    virtual void Refresh();

    WORD GetCtrlID() const { return m_wCtrlId; }
    PXStatement* GetStatement() const { return m_pStatement; }
    PXSoftDlg* GetSoftDlg() const { return m_pSoftDlg; }
    // The field of the control's DataLink statement; 0 when it has none
    // (then looked up again next time).
    WORD GetFieldId();
    BOOL HasDataLink() { return GetFieldId() != 0; }
    PXStatement* GetDataLink() const;
    // The linked field on the dialog's record.
    PXFieldValue GetFieldValue();
    // Writes the control's value (or its group's) into the record.
    void SyncToField();

    // The dialog item with the control id (single-window controls only).
    HWND GetHWND() const;
    // 0 when the window's class name equals the name, case-insensitively.
    static int CompareClassName(HWND hWnd, const char* pszName);
    // The window's whole text.
    static CString GetWindowTextOf(HWND hWnd);

protected:
    PXStatement* m_pStatement;
    PXSoftDlg* m_pSoftDlg;
    WORD m_wCtrlId;
    WORD m_wFieldId;
};

// Any edit, button or check box of the template, and the dialog itself.
class PXSoftPlainCtrl : public PXSoftCtrl
{
public:
    PXSoftPlainCtrl(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftCtrl(wCtrlId, pSoftDlg, pStatement) {}

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    int Validate(int bQuiet) override;
    void React(PXSoftDlg* pSoftDlg, PXStatement* pReaction) override;
    void Transfer(int nDirection) override;

protected:
    void TransferEdit(int nDirection, BOOL bZeroAsEmpty);
    void TransferCheckBox(int nDirection);
};

// An edit with a text limit (optional word 0); style flag 0x0002 shows a
// field text "0" as an empty edit.
class PXSoftEdit : public PXSoftPlainCtrl
{
public:
    PXSoftEdit(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftPlainCtrl(wCtrlId, pSoftDlg, pStatement) {}

    void SetUp() override;
    void Transfer(int nDirection) override;
};

// A drop-down list filled from an application list: optional words list
// id, text field, key field (style 0x0004, key mode; else index mode);
// style 0x0008 selects the first entry when the field matches none.
class PXSoftComboBox : public PXSoftPlainCtrl
{
public:
    PXSoftComboBox(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftPlainCtrl(wCtrlId, pSoftDlg, pStatement), m_bFilled(FALSE) {}

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    void SetUp() override;
    void Transfer(int nDirection) override;

private:
    BOOL m_bFilled;
};

// A push button that shows the icon of optional word 0; no field.
class PXSoftBitmapButton : public PXSoftPlainCtrl
{
public:
    PXSoftBitmapButton(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftPlainCtrl(wCtrlId, pSoftDlg, pStatement) {}

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    void SetUp() override;
    void Transfer(int nDirection) override;
};

// A report list view over a RECORDSET field, one column per Param
// statement of its DataLink; display only.
class PXSoftListView : public PXSoftPlainCtrl
{
public:
    PXSoftListView(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
        : PXSoftPlainCtrl(wCtrlId, pSoftDlg, pStatement), m_bColumnsMade(FALSE) {}

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    void SetUp() override;
    void Transfer(int nDirection) override;

private:
    BOOL m_bColumnsMade;
};

#endif
