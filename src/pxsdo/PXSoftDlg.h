// The runtime of a soft dialog: a dialog template brought to life by a
// dialog definition. PXSoftDlg owns the soft controls of the template, turns
// window messages into soft notifications, runs the definition's
// Notification sections and moves values between the record and the
// controls. PXNotifier is the bridge from a window procedure to it;
// PXDialog is the window of a stand-alone soft dialog (a property page can
// host one instead, see PXSoftPropSheet.h).
#ifndef PXSOFTDLG_H
#define PXSOFTDLG_H

#include "PXSObj.h"
#include <owl/TDialog.h>

class PXSoftDlgDef;
class PXSoftRec;
class PXSoftCtrl;
class PXStatement;
class PXPropPage;
class PXDialog;

// Soft notification codes.
enum
{
    PXN_READY = 0x401,          // dialog initialised or page activated
    PXN_BUTTONENABLED = 0x402,
    PXN_BUTTONDISABLED = 0x403,
    PXN_CLICKED = 0x404,
    PXN_CHECKED = 0x405,
    PXN_UNCHECKED = 0x406,
    PXN_ITEMCHANGED = 0x407,
    PXN_DISPINFO = 0x408,
    PXN_COLUMNCLICK = 0x409,
    PXN_DOUBLECLICK = 0x40A,
    PXN_SETFOCUS = 0x40B,
    PXN_KILLFOCUS = 0x40C,
    PXN_CHANGED = 0x40D,
    PXN_APPNOTIFY = 0x40E
};

// Reaction actions (fixed word 1 of a Reaction statement).
enum
{
    PXREACT_ENABLE = 0x465,
    PXREACT_DISABLE = 0x466,
    PXREACT_SETTEXT = 0x467,
    PXREACT_FOCUS = 0x469
};

// The application's message to the current view, and the control id it is
// delivered under.
#define PXWM_APPNOTIFY (WM_USER + 10001)
#define PXAPPNOTIFY_CTRLID 2008

class PXSoftIntrfc : public PXSoftObj
{
public:
    enum
    {
        FieldToCtrl = 1,        // record field to window control
        CtrlToField = 2         // window control to record field
    };
};

class PXNotification : public PXObject
{
public:
    PXNotification() : m_wCtrlId(0), m_wCode(0), m_pData(nullptr) {}
    // Codes 0x400 to 0x40E only.
    PXNotification(WORD wCtrlId, WORD wCode, void* pData);

    WORD GetCtrlID() const { return m_wCtrlId; }
    WORD GetCode() const { return m_wCode; }
    void* GetData() const { return m_pData; }
    void SetCtrlID(WORD wCtrlId) { m_wCtrlId = wCtrlId; }
    void SetCode(WORD wCode) { m_wCode = wCode; }
    void SetData(void* pData) { m_pData = pData; }

    BOOL operator==(const PXNotification& r) const
    {
        return m_wCtrlId == r.m_wCtrlId && m_wCode == r.m_wCode && m_pData == r.m_pData;
    }
    BOOL operator!=(const PXNotification& r) const { return !(*this == r); }

private:
    WORD m_wCtrlId;
    WORD m_wCode;
    void* m_pData;
};

class PXSoftDlg : public PXSoftIntrfc
{
public:
    // Loads the dialog definition and takes one reference; no window yet.
    PXSoftDlg(WORD wDlgDefId, PXSoftRec* pRec, DWORD dwHelpId);
    // Deletes the window (unless a page hosts it), the soft controls and the
    // map, and releases the definition.
    ~PXSoftDlg() override;

    // Runs the dialog; only mode 1 (modal). Answers IDOK or IDCANCEL.
    int Execute(int nMode);
    // The page becomes the window; the soft dialog does not own it.
    void AttachToPage(PXPropPage* pPage);

    WORD GetTemplateId() const;
    // The definition's id, which is also the dialog's own control id.
    WORD GetDefId() const;
    DWORD GetHelpId() const { return m_dwHelpId; }
    PXSoftDlgDef* GetDef() const { return m_pSoftDlgDef; }
    PXSoftRec* GetRecord() const { return m_pRec; }
    BOOL IsHosted() const { return m_bHosted; }
    BOOL IsReady() const { return m_bReady; }
    BOOL IsTransferred() const { return m_bTransferred; }
    // The window: the stand-alone dialog or the hosting page.
    TWindow* GetWindow() const { return m_pDialog; }

    // The soft control of a control id, made on first use; null when the id
    // names neither a soft control of the definition nor a window of the
    // template (nor the dialog itself).
    PXSoftCtrl* GetSoftCtrl(WORD wCtrlId);
    // The soft control already made for the id, or null; makes none.
    PXSoftCtrl* FindSoftCtrl(WORD wCtrlId) const;
    // The group control that lists the id as a member, or null.
    PXSoftCtrl* GetGroupCtrl(WORD wCtrlId);
    // The DataLink statement of a control in the first DlgDataLink section,
    // or null; and its field id (0 when none).
    PXStatement* GetDataLink(WORD wCtrlId) const;
    WORD GetDataLinkField(WORD wCtrlId) const;

    // Queues a notification (the soft dialog takes it over) unless an equal
    // one was already posted in this processing cycle; answers whether it
    // was queued.
    BOOL PostNotification(PXNotification* pNotification);
    BOOL PostNotification(WORD wCtrlId, WORD wCode, void* pData = nullptr);
    // Drains the queue: one processing cycle.
    void ProcessQueue();
    // Runs the Notification section of the notification, if any.
    void HandleNotification(PXNotification* pNotification);

    void SetupControls();
    void RefreshControls();
    // FieldToCtrl only: shows every data-linked field in its control.
    int TransferToControls(int nDirection);
    // 1 when every data-linked control is valid, else 0.
    int ValidateControls(int bQuiet);
    // OK and Cancel: non-zero lets the window close.
    int EndDialog(int nId);
    // Writes a check state into the record of a RECORDSET field that a
    // check box's DataLink parameters name; kind 1 only.
    void SetRecordSetCheck(WORD wCtrlId, int nKind, short sValue);

    // A factory asked first for the soft control of every statement of the
    // definition; it answers null to leave the statement to the built-in
    // classes (tests bring controls of their own). Answers the one before.
    typedef PXSoftCtrl* (*TCtrlFactory)(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement);
    static TCtrlFactory SetCtrlFactory(TCtrlFactory pfnFactory);
    // The application's domain controls (the item picker and editor, the
    // application file chooser), registered by class word at start-up by the
    // library that defines them. A later registration of a class word
    // replaces the earlier.
    typedef PXSoftCtrl* (*TCtrlMaker)(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement);
    static void RegisterCtrlClass(WORD wClassWord, TCtrlMaker pfnMaker);

    HWND GetDlgHWND() const;
    HWND GetCtrlHWND(WORD wCtrlId) const;
    BOOL WinCtrlHasStyle(WORD wCtrlId, DWORD dwMask) const;
    static BOOL WinCtrlHasStyle(HWND hWnd, DWORD dwMask);
    void ShowHelp() const;

private:
    PXSoftDlg(const PXSoftDlg&) = delete;
    PXSoftDlg& operator=(const PXSoftDlg&) = delete;

    PXSoftCtrl* CreateSoftCtrl(WORD wCtrlId, PXStatement* pStatement);
    void CleanUpCycle();
    // One notification taken from the queue.
    void ProcessOne(PXNotification* pNotification);
    // One statement of a Notification section.
    void RunStatement(PXStatement* pStatement);
    // Statement i of the first SoftControl section, or null past the end.
    PXStatement* GetSoftControlStatement(int i) const;
    static BOOL IsListed(const PXObArray* pArray, const PXObject* pOb);
    static void Unlist(PXObArray* pArray, const PXObject* pOb);

    PXObQueue* m_pQueue;            // pending notifications, first in first out
    PXObArray* m_pNotifArray;       // every notification of the current cycle; owns them
    PXMapWordToOb* m_pCtrlMap;      // control id to soft control; owns them
    DWORD m_dwHelpId;
    BOOL m_bReady;
    BOOL m_bTransferred;
    PXSoftDlgDef* m_pSoftDlgDef;    // one counted reference
    PXSoftRec* m_pRec;              // not owned
    BOOL m_bHosted;
    TWindow* m_pDialog;             // owned PXDialog, or the hosting page
    int m_nDepth;                   // nesting of ProcessQueue
    PXObArray* m_pInWork;           // notifications that drains are working on
};

// Turns the window messages of one soft dialog's window into notifications.
class PXNotifier : public PXObject
{
public:
    explicit PXNotifier(PXSoftDlg* pSoftDlg) :
        m_pSoftDlg(pSoftDlg), m_bBusy(FALSE), m_bActive(FALSE) {}
    ~PXNotifier() override {}

    // Called by the window procedure after (or instead of) the framework.
    void OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether a classified message becomes a notification.
    BOOL Accept(int nKind, WORD wCtrlId, void* pData);
    void PostAndProcess(int nKind, WORD wCtrlId, void* pData);
    // Sets the code (and sometimes the data) of a notification whose
    // control id is set.
    void Translate(int nKind, PXNotification& rNotification, void* pData);
    void ShowHelp();

    PXSoftDlg* GetSoftDlg() const { return m_pSoftDlg; }
    BOOL IsBusy() const { return m_bBusy; }
    BOOL IsActive() const { return m_bActive; }

protected:
    PXSoftDlg* m_pSoftDlg;
    BOOL m_bBusy;
    BOOL m_bActive;
};

// The window of a stand-alone soft dialog.
class PXDialog : public TDialog, public PXNotifier
{
public:
    PXDialog(TWindow* pParent, WORD wTemplateId, PXSoftDlg* pSoftDlg);

    void SetupWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

#endif
