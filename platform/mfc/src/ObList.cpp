// The object list: a doubly linked list of pointers it does not own.
#include "afxcoll.h"

#include <new>

struct CObList::Node
{
    Node* pNext;
    Node* pPrev;
    CObject* pObject;
};

CObList::CObList(int /*nBlockSize*/)
    : m_pHead(nullptr), m_pTail(nullptr), m_nCount(0)
{
}

CObList::~CObList()
{
    RemoveAll();
}

POSITION CObList::AddTail(CObject* pObject)
{
    Node* pNode = new Node{nullptr, m_pTail, pObject};
    if (m_pTail)
        m_pTail->pNext = pNode;
    else
        m_pHead = pNode;
    m_pTail = pNode;
    ++m_nCount;
    return reinterpret_cast<POSITION>(pNode);
}

POSITION CObList::GetHeadPosition() const
{
    return reinterpret_cast<POSITION>(m_pHead);
}

CObject* CObList::GetNext(POSITION& rPos) const
{
    Node* pNode = reinterpret_cast<Node*>(rPos);
    rPos = reinterpret_cast<POSITION>(pNode->pNext);
    return pNode->pObject;
}

POSITION CObList::Find(const CObject* pObject) const
{
    for (Node* pNode = m_pHead; pNode; pNode = pNode->pNext)
        if (pNode->pObject == pObject)
            return reinterpret_cast<POSITION>(pNode);
    return nullptr;
}

void CObList::RemoveAt(POSITION pos)
{
    Node* pNode = reinterpret_cast<Node*>(pos);
    if (!pNode)
        return;
    if (pNode->pPrev)
        pNode->pPrev->pNext = pNode->pNext;
    else
        m_pHead = pNode->pNext;
    if (pNode->pNext)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        m_pTail = pNode->pPrev;
    delete pNode;
    --m_nCount;
}

void CObList::RemoveAll()
{
    Node* pNode = m_pHead;
    while (pNode)
    {
        Node* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
}
