// The voice and fax item picker of the block property pages: a drop-down
// list of fixed entries ("<none>", "<default system prompt>", the new-item
// entry) and the active application's items by name, a window that shows
// the chosen item's ID, and a button that creates a new item or edits the
// chosen one. One INT16 field: 0 none, 5000 the default system prompt,
// 1 to 3000 an item's ID.
#ifndef PXSOFTPICKER_H
#define PXSOFTPICKER_H

#include "PXSoftGrp.h"

#include <memory>

class PXSoftRec;
class PXSortRecArray;

class PXSoftGroupVoiceFaxPicker : public PXSoftGroupCtrl
{
public:
    // Style flags of the GroupCtrl statement.
    enum
    {
        StyleVoice = 0x001,
        StyleFax = 0x002,
        StyleNone = 0x004,
        StyleDefault = 0x008,
        StyleNewItem = 0x010
    };
    // Field values with a meaning of their own.
    enum
    {
        ValueNone = 0,
        ValueDefault = 5000,
        MaxItemId = 3000,
        // What the field holds while the new-item entry is chosen: never an
        // item's ID, never none or the default prompt; it shows the new-item
        // entry again, and OK refuses it.
        ValueNewItem = -2
    };

    PXSoftGroupVoiceFaxPicker(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement);

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    void PreNotify(PXNotification* pNotification) override;
    void PostNotify(PXNotification* pNotification) override;
    int Validate(int bQuiet) override;
    void React(PXSoftDlg* pSoftDlg, PXStatement* pReaction) override;
    void Transfer(int nDirection) override;
    void SetUp() override;
    void Refresh() override;

    // The number of fixed entries at the top of the list.
    int GetFixedCount() const { return m_wFixedCount; }

private:
    // What differs between voice and fax items.
    struct Kind
    {
        WORD wListId;           // the controller's list
        WORD wNameField;
        WORD wIdField;
        WORD wNewDlg, wNewHelp;
        WORD wMediaDlg, wMediaHelp;
        WORD wEditDlg, wEditHelp;
        UINT nNewEntryText;
        UINT nNameRefused, nIdRefused, nLeftAsNew, nNoApp;
    };

    static const Kind s_voiceKind;
    static const Kind s_faxKind;

    BOOL IsFax() const;
    const Kind& GetKind() const;
    BOOL HasEntry(WORD wFlag) const;
    // The definition and the template must agree.
    void CheckDefinition() const;
    void Fill();
    HWND GetCombo() const;
    int GetSelection() const;
    BOOL IsNewItemEntry(int nSel) const;
    // An edit of the active application's items in name order, with the
    // list field in rList; null when there is no active application.
    std::unique_ptr<PXSortRecArray> GetSortedItems(PXFieldValue& rList) const;
    // The ID of the item at a position of the name order; -1 when none.
    int GetItemIdAt(int nPos) const;
    // The position of the item with the ID in the name order; -1 when none.
    int FindItemPos(short sId) const;
    void ShowItemId(int nSel);
    void SetField(short sValue);
    BOOL CheckItem(PXSoftRec* pItem, int& rNameOk, int& rIdOk) const;
    void ReportMessage(UINT nMsgId) const;

    void NewItem();
    // Edits the stored item with the ID in a dialog until the name and ID
    // are accepted or the dialog is cancelled; answers the dialog's result.
    int EditItem(short sId, WORD wDlgId, WORD wHelpId);

    WORD m_wFixedCount;
    // Set while the combo box's CBN_SELENDCANCEL is notified: the list
    // closed or lost its focus without a choice, so nothing is stored.
    BOOL m_bNoChoice;
};

#endif
