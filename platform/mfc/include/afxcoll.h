// A list of object pointers that owns nothing it holds, walked by position.
#ifndef PLEX_MFC_AFXCOLL_H
#define PLEX_MFC_AFXCOLL_H

#include "afxwin.h"

struct __POSITION;
typedef __POSITION* POSITION;

class CObList : public CObject
{
public:
    explicit CObList(int nBlockSize = 10);
    ~CObList() override;

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION AddTail(CObject* pObject);
    POSITION GetHeadPosition() const;
    // The object at rPos; rPos moves on to the next (null after the last).
    CObject* GetNext(POSITION& rPos) const;
    // The position of pObject (by identity) from the head, or null.
    POSITION Find(const CObject* pObject) const;
    void RemoveAt(POSITION pos);
    void RemoveAll();

private:
    struct Node;
    Node* m_pHead;
    Node* m_pTail;
    int m_nCount;
};

#endif
