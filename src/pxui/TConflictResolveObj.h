// TConflictResolveObj: the names and item numbers of a paste that the
// target application already uses, as the application model lists them
// (TClipInfo records, which stay the model's), resolved one by one: a free
// name and number proposed for each, and the user asked what to do in
// TResolveConflictDlg unless an earlier answer was given for all of them.
// The outcome is written into the records.
#ifndef TCONFLICTRESOLVEOBJ_H
#define TCONFLICTRESOLVEOBJ_H

#include "PXafx.h"
#include "plexmodel.h"

#include <vector>

// Answers of ResolveAll.
#define PX_RESOLVE_DONE 1
#define PX_RESOLVE_CANCELLED 2

// The highest item number.
#define PX_MAX_ITEM_ID 3000
// The longest name a resolution proposes or accepts.
#define PX_MAX_PASTE_NAME 30

class TConflictResolveObj
{
public:
    // Takes the records (each one's skip and replace cleared), leaving out
    // voice and fax items when the clipboard came from the active
    // application, which has them already.
    TConflictResolveObj(TClipInfo** ppList, int nCount);
    ~TConflictResolveObj();

    int GetCount() const;
    TClipInfo* GetAt(int nIndex) const;
    void Add(TClipInfo* pInfo);
    int GetIndex() const { return m_nIndex; }
    // The records a dialog may ask about: every one but the End block,
    // which is never pasted. The dialog counts its record among these, so
    // that its "n of m" names what the user is asked, not what the model
    // listed.
    int GetConflictCount() const;
    // The place (from 1) of the record at nIndex among them.
    int GetConflictNumber(int nIndex) const;

    // Resolves every record in order: PX_RESOLVE_DONE, or
    // PX_RESOLVE_CANCELLED as soon as the user cancels.
    int ResolveAll();

    // Whether a name is free: unknown to the model and to the records
    // before the current one (and, when asked, to the clipboard's items).
    BOOL IsNameFree(const char* pszName, BOOL bClip) const;
    BOOL IsNewNameValid(const char* pszName) const;
    // Whether an item number is free for the kind (0 voice, 3 fax).
    BOOL IsIdFree(long lKind, long lNumber, BOOL bClip) const;
    BOOL IsIdValid(long lKind, long lNumber) const;
    // Proposals written into the record; it keeps what it had when none
    // can be made.
    void MakeDefaultName(TClipInfo* pInfo) const;
    void MakeDefaultId(TClipInfo* pInfo) const;
    // The record names an item the target holds under the same name and
    // number (or an earlier record pastes as such).
    BOOL IsIdenticalItem(const TClipInfo* pInfo) const;

private:
    TConflictResolveObj(const TConflictResolveObj&) = delete;
    TConflictResolveObj& operator=(const TConflictResolveObj&) = delete;

    int ResolveIdentical(TClipInfo* pInfo, BOOL& rAllIdentical, BOOL& rReplace);
    int ResolveNameConflict(TClipInfo* pInfo, BOOL& rAllOthers);

    std::vector<TClipInfo*>* m_pClipInfoArray;  // owned; the records are the model's
    int m_nIndex;
};

// Two records name the same thing: equal names and, for items, equal old
// numbers.
bool operator==(const TClipInfo& rLeft, const TClipInfo& rRight);

#endif
