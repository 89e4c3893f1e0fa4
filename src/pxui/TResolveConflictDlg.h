// TResolveConflictDlg: asks the user what to do with one clashing name or
// item number of a paste. The first form ("DIALOG_CONFLICT1") offers the
// proposed name and number or typed ones; the second ("DIALOG_CONFLICT2"),
// for an item the target holds already under the same name and number,
// offers Skip, Replace or Change first.
#ifndef TRESOLVECONFLICTDLG_H
#define TRESOLVECONFLICTDLG_H

#include "owl/TDialog.h"
#include "plexmodel.h"

class TConflictResolveObj;

class TResolveConflictDlg : public TDialog
{
public:
    // The first form: pbAll is the caller's flag for all remaining
    // conflicts of this form.
    TResolveConflictDlg(TWindow* pParent, TConflictResolveObj* pResolver, int nIndex, TClipInfo* pInfo,
                        BOOL* pbAll);
    // The second form, with the caller's replace flag.
    TResolveConflictDlg(TWindow* pParent, TConflictResolveObj* pResolver, int nIndex, TClipInfo* pInfo,
                        BOOL* pbAll, BOOL* pbReplace);

    void SetupWindow() override;
    bool CanClose() override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    UINT GetHelpId() const { return m_nHelpId; }
    bool IsItemForm() const { return m_pbReplace != nullptr; }

private:
    void Init();
    bool IsBlock() const;
    void Enable(int nId, bool bEnable);
    bool IsChecked(int nId) const;
    void SetAllText(UINT nTextId, bool bEnable);
    void CmDefaultName();
    void CmNewName();
    void CmSkip();
    void CmReplace();
    void CmChange();
    void CmAll();
    // A radio button's choice that came through its group.
    void GroupChoice(UINT nGroup, UINT nButton);
    // Refuses a field: the message, the focus on the field with its text
    // selected.
    bool Refuse(UINT nMsgId, int nField);

    TConflictResolveObj* m_pResolver;
    int m_nIndex;
    TClipInfo* m_pInfo;
    BOOL* m_pbAll;
    BOOL* m_pbReplace;
    char m_szCaption[128];
    UINT m_nHelpId;
};

#endif
