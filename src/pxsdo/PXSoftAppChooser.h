// The application file chooser of the server-application dialogs (Save As,
// Import, New, Open, Undo Import, Delete, Locks, and the server record's
// pages): a sortable list of the applications that the controller fetched
// from the server, with the name, ID and volume of the one chosen or typed.
// What was chosen goes into the first application record of the dialog
// record's application list, where the application command takes it from.
#ifndef PXSOFTAPPCHOOSER_H
#define PXSOFTAPPCHOOSER_H

#include "PXSoftGrp.h"

class PXSoftRec;

class PXSoftGroupApplFileCombo : public PXSoftGroupCtrl
{
public:
    // Style flags of the GroupCtrl statement.
    enum
    {
        StyleSingle = 0x001,    // one application, with name, ID and volume
        StyleMulti = 0x002,     // several applications; only the name shown
        StyleImages = 0x004     // optional word 1: the small images' bitmap
    };
    // Members, in SubCtrl order.
    enum
    {
        MemberList = 0,
        MemberName = 1,
        MemberNameLabel = 2,
        MemberId = 3,
        MemberIdLabel = 4,
        MemberVolume = 5,
        MemberVolumeLabel = 6,
        MemberCount = 7
    };

    PXSoftGroupApplFileCombo(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement);
    ~PXSoftGroupApplFileCombo() override;

    int AcceptMessage(WORD wCtrlId, int nKind, void* pData) override;
    void PreNotify(PXNotification* pNotification) override;
    void PostNotify(PXNotification* pNotification) override;
    // Stores what the members show, then answers 1.
    int Validate(int bQuiet) override;
    void Transfer(int nDirection) override;
    void SetUp() override;
    void Refresh() override {}

    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortDirection() const { return m_nSortDirection; }

    // The sort callback: low word of the sort word the field, high word the
    // direction (1 smaller first).
    static int CALLBACK Compare(LPARAM lRec1, LPARAM lRec2, LPARAM lSort);

private:
    BOOL IsShown(int nMember) const;
    // The member's control id, 0 when it is hidden.
    WORD ShownId(int nMember) const;
    HWND List() const { return GetMemberHWND(MemberList); }
    WORD ListId() const;
    void Hide(int nMember);
    void Fill(int nFrom);
    void FillVolumes();
    void ShowRecord(PXSoftRec* pRec);
    void ShowSelection();
    PXSoftRec* RecordOfItem(int nItem) const;

    BOOL m_bSetUp;
    BOOL m_bShowName;
    BOOL m_bShowId;
    BOOL m_bShowVolume;
    CString m_strDisplay;       // the last text handed to the list
    int m_nSortColumn;
    int m_nSortDirection;
    HIMAGELIST m_hImages;
};

#endif
