// TPBSearchInfo: the settings of the Find PowerBlock dialog, kept for the
// whole run so that they outlive the dialog's window: the name pattern and
// its history, the search mode and scope and their choices.
#ifndef TPBSEARCHINFO_H
#define TPBSEARCHINFO_H

#include "PXafx.h"

// Search modes.
enum
{
    PX_FIND_ALL = 0,
    PX_FIND_INCOMPLETE = 1,
    PX_FIND_CALLING = 2,
    PX_FIND_TYPE = 3,
    PX_FIND_VARIABLE = 4,
    PX_FIND_SENTENCE = 5
};

#define PX_FIND_MAXPAGES 250
#define PX_FIND_HISTORY 10
// The name buffers, with their NUL: 39 characters.
#define PX_FIND_NAME_SIZE 40

class TPBSearchInfo
{
public:
    TPBSearchInfo();

    // Puts the text at the top of the history unless it is there already
    // (compared with case): true when it was added. The oldest of ten
    // entries is dropped.
    bool AddToHistory(const char* pszText);
    // The name against the pattern: see the rule in the source.
    bool MatchPattern(const char* pszName) const;
    static bool MatchPattern(const char* pszPattern, const char* pszName);

    // The first block type whose name is exactly the text; -1 none.
    static int PowerBlockTypeIndex(const char* pszName);

    const char* m_PageNames[PX_FIND_MAXPAGES];
    int m_nPBType;
    CString m_Pattern;
    CString m_History[PX_FIND_HISTORY];
    char m_szVariable[PX_FIND_NAME_SIZE];
    char m_szSentence[PX_FIND_NAME_SIZE];
    char m_szScopePage[PX_FIND_NAME_SIZE];
    char m_szCalledSB[PX_FIND_NAME_SIZE];
    short m_nMode;
    short m_nScope;
    short m_nPageCount;
    short m_nHistoryCount;
    short m_nPBCount;
};

// The one search state of the run.
TPBSearchInfo& GetPBSearchInfo();

#endif
