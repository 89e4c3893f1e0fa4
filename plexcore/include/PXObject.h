// PXObject, the root of the program's own classes, and the containers of
// object pointers and 16-bit words. No container deletes what it holds; the
// word map deletes only its own pairs.
//
// Classes: PXObject, PXObArray, PXObQueue, PXWordArray, PXMapWordToOb.
#ifndef PXOBJECT_H
#define PXOBJECT_H

#include <windows.h>

class PXObject
{
public:
    PXObject() {}
    virtual ~PXObject() {}
    virtual void AssertValid() const {}

    PXObject(const PXObject&) = delete;
    PXObject& operator=(const PXObject&) = delete;
};

// The reallocation the containers grow their storage with (realloc unless a
// test puts in one of its own); answers the one it replaces.
typedef void* (*PXContainerReallocFn)(void* p, size_t cb);
PXContainerReallocFn PXSetContainerRealloc(PXContainerReallocFn pfn);

class PXObArray : public PXObject
{
public:
    PXObArray();
    ~PXObArray() override;

    int GetSize() const { return m_nSize; }
    int GetRoom() const { return m_nRoom; }
    PXObject* GetAt(int nIndex) const;
    PXObject* operator[](int nIndex) const { return GetAt(nIndex); }

    // 1 when stored, 0 when the storage could not grow (nothing changes).
    int Add(PXObject* pOb);
    // Throws PXXMem when the storage cannot grow.
    void InsertAt(int nIndex, PXObject* pOb, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);

protected:
    PXObject** m_pArray;

private:
    bool Grow(int nNeeded);

    int m_nSize;
    int m_nRoom;
};

class PXObQueue : public PXObArray
{
public:
    PXObQueue() : m_nLast(-1) {}

    void Enqueue(PXObject* pOb);
    PXObject* Dequeue();
    bool IsEmpty() const { return m_nLast < 0; }

    int m_nLast;
};

class PXWordArray : public PXObject
{
public:
    PXWordArray();
    ~PXWordArray() override;

    int GetSize() const { return m_nSize; }
    int GetRoom() const { return m_nRoom; }
    WORD GetAt(int nIndex) const;
    void SetAt(int nIndex, WORD w);
    // Like PXObArray: 1 when stored, 0 when the storage could not grow
    // (nothing changes); InsertAt throws PXXMem when it cannot grow.
    int Add(WORD w);
    void InsertAt(int nIndex, WORD w, int nCount = 1);
    void InsertAtIndex(int nIndex, WORD w);

protected:
    WORD* m_pArray;

private:
    bool Grow(int nNeeded);

    int m_nSize;
    int m_nRoom;
};

class PXMapWordToOb : public PXObArray
{
public:
    class ImplPair : public PXObject
    {
    public:
        ImplPair(WORD wKey, PXObject* pValue) : m_wKey(wKey), m_pValue(pValue) {}
        WORD m_wKey;
        PXObject* m_pValue;
    };

    PXMapWordToOb() {}
    ~PXMapWordToOb() override;

    int Lookup(UINT nKey, PXObject*& rValue) const;
    void SetAt(UINT nKey, PXObject* pValue);
    void RemoveKey(UINT nKey);
    void RemoveAll();
    int GetCount() const { return GetSize(); }

    // A walk: pos = GetStartPosition(); while (pos) GetNextAssoc(pos, key, value);
    int GetStartPosition() const { return GetSize() > 0 ? 1 : 0; }
    void GetNextAssoc(int& rNextPosition, WORD& rKey, PXObject*& rValue) const;

private:
    ImplPair* PairAt(int nIndex) const;
    int FindKey(WORD wKey) const;
};

#endif
