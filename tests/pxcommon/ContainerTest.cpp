// Object arrays, queues, word arrays and word maps: room and growth, order,
// bounds, and what is (not) deleted.
#include "PXTestSupport.h"

namespace {

// Counts live instances so tests can see what a container deleted.
struct Tracked : PXObject
{
    explicit Tracked(int n = 0) : n(n) { ++live; }
    ~Tracked() override { --live; }
    int n;
    static int live;
};
int Tracked::live = 0;

} // namespace

TEST(ObArray, RoomElevenGrowsByTwo)
{
    PXObArray a;
    EXPECT_EQ(0, a.GetSize());
    EXPECT_EQ(11, a.GetRoom());
    Tracked t;
    struct { int adds; int room; } steps[] = { { 11, 11 }, { 12, 13 }, { 13, 13 }, { 14, 15 }, { 30, 31 } };
    int n = 0;
    for (const auto& s : steps)
    {
        while (n < s.adds)
        {
            EXPECT_EQ(1, a.Add(&t));
            ++n;
        }
        EXPECT_EQ(s.adds, a.GetSize());
        EXPECT_EQ(s.room, a.GetRoom());
    }
}

TEST(ObArray, InsertAndRemoveKeepOrder)
{
    Tracked t[5] = { Tracked(0), Tracked(1), Tracked(2), Tracked(3), Tracked(4) };
    PXObArray a;
    a.Add(&t[0]);
    a.Add(&t[3]);
    a.InsertAt(1, &t[1]);
    a.InsertAt(2, &t[2]);
    a.InsertAt(4, &t[4], 2);
    ASSERT_EQ(6, a.GetSize());
    int want[] = { 0, 1, 2, 3, 4, 4 };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(want[i], static_cast<Tracked*>(a.GetAt(i))->n) << i;
    a.RemoveAt(1, 2);
    ASSERT_EQ(4, a.GetSize());
    EXPECT_EQ(&t[3], a.GetAt(1));
    // An index past the end extends the array with null elements first.
    a.InsertAt(7, &t[0]);
    EXPECT_EQ(8, a.GetSize());
    EXPECT_EQ(nullptr, a.GetAt(5));
    EXPECT_EQ(&t[0], a.GetAt(7));
}

TEST(ObArray, BadIndexesAreConsistencyFailures)
{
    PXObArray a;
    Tracked t;
    a.Add(&t);
    EXPECT_PXASSERT(a.GetAt(1), "(0)");
    EXPECT_PXASSERT(a.GetAt(-1), "(0)");
    EXPECT_PXASSERT(a.RemoveAt(1, 1), "nIndex<GetSize()");
    EXPECT_PXASSERT(a.RemoveAt(0, 2), "nIndex+nCount-1<GetSize()");
    EXPECT_PXASSERT(a.RemoveAt(-1, 1), "nIndex >= 0");
    EXPECT_PXASSERT(a.InsertAt(-1, &t), "nIndex >= 0");
    EXPECT_PXASSERT(a.InsertAt(0, &t, 0), "nCount > 0");
    EXPECT_EQ(1, a.GetSize());
}

TEST(ObArray, DestroyingContainersLeavesObjectsAlive)
{
    Tracked::live = 0;
    Tracked* p1 = new Tracked;
    Tracked* p2 = new Tracked;
    {
        PXObArray a;
        a.Add(p1);
        PXObQueue q;
        q.Enqueue(p2);
        PXMapWordToOb m;
        m.SetAt(1, p1);
        m.SetAt(2, p2);
    }
    EXPECT_EQ(2, Tracked::live);
    delete p1;
    delete p2;
    EXPECT_EQ(0, Tracked::live);
}

TEST(ObQueue, FirstInFirstOut)
{
    Tracked a(1), b(2), c(3);
    PXObQueue q;
    EXPECT_TRUE(q.IsEmpty());
    q.Enqueue(&a);
    q.Enqueue(&b);
    q.Enqueue(&c);
    EXPECT_EQ(2, q.m_nLast);
    EXPECT_EQ(&a, q.Dequeue());
    EXPECT_EQ(&b, q.Dequeue());
    EXPECT_EQ(&c, q.Dequeue());
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(-1, q.m_nLast);
    EXPECT_EQ(0, q.GetSize());
    EXPECT_PXASSERT(q.Dequeue(), "!IsEmpty()");
}

TEST(WordArray, GrowthOrderAndBounds)
{
    PXWordArray w;
    EXPECT_EQ(11, w.GetRoom());
    for (int i = 0; i < 12; ++i)
        w.Add(static_cast<WORD>(i));
    EXPECT_EQ(12, w.GetSize());
    EXPECT_EQ(13, w.GetRoom());
    w.InsertAt(0, 100, 2);
    w.InsertAtIndex(3, 200);
    w.SetAt(13, 0xffff);
    WORD want[] = { 100, 100, 0, 200, 1, 2 };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(want[i], w.GetAt(i)) << i;
    EXPECT_EQ(0xffff, w.GetAt(13));
    EXPECT_EQ(15, w.GetSize());
    EXPECT_PXASSERT(w.GetAt(15), "nIndex<GetSize()");
    EXPECT_PXASSERT(w.SetAt(-1, 1), "nIndex >= 0");
    EXPECT_PXASSERT(w.InsertAtIndex(16, 1), "nIndex <= GetSize()");
    EXPECT_PXASSERT(w.InsertAtIndex(-3, 1), "nIndex >= 0");
    EXPECT_PXASSERT(w.InsertAt(0, 1, 0), "nCount > 0");
    EXPECT_EQ(15, w.GetSize());
    w.InsertAtIndex(15, 7);     // at the end is allowed
    EXPECT_EQ(7, w.GetAt(15));
}

TEST(MapWordToOb, KeysOrderAndWalk)
{
    Tracked a(1), b(2), c(3);
    PXMapWordToOb m;
    EXPECT_EQ(0, m.GetStartPosition());
    m.SetAt(5, &a);
    m.SetAt(9, &b);
    m.SetAt(7, &c);
    m.SetAt(9, &a);     // existing key keeps its place
    EXPECT_EQ(3, m.GetCount());

    PXObject* pValue = nullptr;
    EXPECT_EQ(1, m.Lookup(0x10005, pValue));   // keys compare on 16 bits
    EXPECT_EQ(&a, pValue);
    pValue = &c;
    EXPECT_EQ(0, m.Lookup(6, pValue));
    EXPECT_EQ(&c, pValue);                      // untouched on a miss

    WORD keys[3];
    PXObject* values[3];
    int n = 0;
    for (int pos = m.GetStartPosition(); pos != 0;)
    {
        ASSERT_LT(n, 3);
        m.GetNextAssoc(pos, keys[n], values[n]);
        ++n;
    }
    EXPECT_EQ(3, n);
    EXPECT_EQ(5, keys[0]);
    EXPECT_EQ(9, keys[1]);
    EXPECT_EQ(7, keys[2]);
    EXPECT_EQ(&a, values[1]);

    int pos = 0;
    WORD k;
    EXPECT_PXASSERT(m.GetNextAssoc(pos, k, pValue), "rNextPosition!=0");
}

TEST(MapWordToOb, RemovingPairsKeepsValues)
{
    Tracked::live = 0;
    Tracked* p = new Tracked;
    PXMapWordToOb m;
    m.SetAt(3, p);
    m.RemoveKey(4);
    EXPECT_EQ(1, m.GetCount());
    m.RemoveKey(3);
    EXPECT_EQ(0, m.GetCount());
    EXPECT_EQ(0, m.GetStartPosition());
    EXPECT_EQ(1, Tracked::live);
    m.SetAt(1, p);
    m.SetAt(2, p);
    m.RemoveAll();
    EXPECT_EQ(0, m.GetCount());
    EXPECT_EQ(1, Tracked::live);
    delete p;
}

namespace {

void* NoRoom(void*, size_t)
{
    return nullptr;
}

// Containers whose storage cannot grow while it lives.
class ContainerWithoutRoom : public testing::Test
{
protected:
    void SetUp() override { m_pfnOld = PXSetContainerRealloc(NoRoom); }
    void TearDown() override { PXSetContainerRealloc(m_pfnOld); }

    PXContainerReallocFn m_pfnOld = nullptr;
};

} // namespace

// Both arrays fail one way: Add answers 0 and keeps what it held, InsertAt
// (which answers nothing) throws PXXMem.
TEST_F(ContainerWithoutRoom, AddAnswersZeroAndInsertThrows)
{
    PXObArray obs;
    PXWordArray words;
    PXObject ob;
    for (int i = 0; i < 11; ++i)
    {
        ASSERT_EQ(1, obs.Add(&ob));
        ASSERT_EQ(1, words.Add(static_cast<WORD>(i)));
    }
    EXPECT_EQ(0, obs.Add(&ob));
    EXPECT_EQ(0, words.Add(99));
    EXPECT_EQ(11, obs.GetSize());
    EXPECT_EQ(11, words.GetSize());
    EXPECT_EQ(11, obs.GetRoom());
    EXPECT_EQ(10, words.GetAt(10));

    EXPECT_THROW(obs.InsertAt(0, &ob), PXXMem);
    EXPECT_THROW(words.InsertAt(0, 5), PXXMem);
    EXPECT_EQ(11, obs.GetSize());
    EXPECT_EQ(11, words.GetSize());
    EXPECT_EQ(0, words.GetAt(0));
    obs.RemoveAt(0, 11);
}
