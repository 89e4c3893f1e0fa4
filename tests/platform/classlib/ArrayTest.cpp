// Array and InsertArray: indexes from the lower bound, growth, detaching and
// inserting keep the entries contiguous.
#include "PXTestSupport.h"
#include "TestItems.h"
#include "classlib/InsertArray.h"

TEST(Array, EntriesSitAtIndexesFromTheLowerBound)
{
    Array a(4, 2);
    EXPECT_EQ(2, a.lowerBound());
    EXPECT_EQ(4, a.upperBound());
    EXPECT_EQ(3u, a.arraySize());
    a.add(*new Item(10));
    a.add(*new Item(11));
    EXPECT_EQ(10, static_cast<Item&>(a[2]).m_nKey);
    EXPECT_EQ(11, static_cast<Item&>(a[3]).m_nKey);
    EXPECT_EQ(&NOOBJECT, &a[4]);           // free slot
    EXPECT_PXASSERT(a[5], "index");
    EXPECT_PXASSERT(a[1], "index");
    Item probe(11);
    EXPECT_EQ(3, a.find(probe));
    Item missing(12);
    EXPECT_EQ(1, a.find(missing));         // lowerBound() - 1
}

TEST(Array, AddGrowsByTheDelta)
{
    // (upper bound, delta, room after 3 + 1 adds)
    struct Case { int nUpper; sizeType nDelta; sizeType nRoom; } cases[] = {
        { 2, 50, 53 },   // a layer: 0..50 growing by 50 starts with 51 slots
        { 2, 0, 4 },     // no delta: one slot at a time, nothing is lost
        { 2, 1, 4 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nDelta);
        Array a(c.nUpper, 0, c.nDelta);
        for (int k = 0; k < 4; ++k)
            a.add(*new Item(k));
        EXPECT_EQ(c.nRoom, a.arraySize());
        EXPECT_EQ((std::vector<int>{ 0, 1, 2, 3 }), Keys(a));
        EXPECT_EQ(3, static_cast<Item&>(a[3]).m_nKey);
    }
    Array layer(50, 0, 50);
    EXPECT_EQ(51u, layer.arraySize());
}

TEST(Array, DetachMovesLaterEntriesDown)
{
    Array a(5);
    a.ownsElements(0);
    Item i0(0), i1(1), i2(2), i3(3);
    for (Item* p : { &i0, &i1, &i2, &i3 })
        a.add(*p);
    a.detach(1);                            // by index
    EXPECT_EQ((std::vector<int>{ 0, 2, 3 }), Keys(a));
    EXPECT_EQ(&i2, &a[1]);
    a.detach(i3);                           // by object
    EXPECT_EQ((std::vector<int>{ 0, 2 }), Keys(a));
    EXPECT_EQ(&NOOBJECT, &a[2]);
    a.detach(4);                            // a free slot: nothing happens
    EXPECT_EQ(2u, a.getItemsInContainer());
    a.add(i1);
    EXPECT_EQ((std::vector<int>{ 0, 2, 1 }), Keys(a));
}

TEST(Array, BackwardWalkRemovesEveryMatch)
{
    // How an object pane removes the display objects of one model object.
    Array a(10);
    for (int k : { 1, 2, 1, 1, 3, 1 })
        a.add(*new Item(k));
    for (int i = static_cast<int>(a.getItemsInContainer()) - 1; i >= 0; --i)
        if (static_cast<Item&>(a[i]).m_nKey == 1)
            a.destroy(i);
    EXPECT_EQ((std::vector<int>{ 2, 3 }), Keys(a));
    EXPECT_EQ(2, Item::s_nLive);
}

TEST(Array, AddAtReplacesAndDeletesTheOldOneWhenOwning)
{
    Array a(3);
    a.add(*new Item(1));
    a.add(*new Item(2));
    a.addAt(*new Item(5), 0);
    EXPECT_EQ((std::vector<int>{ 5, 2 }), Keys(a));
    EXPECT_EQ(2, Item::s_nLive);
    a.addAt(*new Item(6), 3);               // past the end: appended
    EXPECT_EQ((std::vector<int>{ 5, 2, 6 }), Keys(a));
}

TEST(InsertArray, InsertAtMovesLaterEntriesUp)
{
    // (index, keys after inserting 9 into 0 1 2)
    struct Case { int nIndex; std::vector<int> keys; } cases[] = {
        { 0, { 9, 0, 1, 2 } },
        { 1, { 0, 9, 1, 2 } },
        { 3, { 0, 1, 2, 9 } },
        { 7, { 0, 1, 2, 9 } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nIndex);
        InsertArray a(2, 0, 20);
        for (int k = 0; k < 3; ++k)
            a.add(*new Item(k));
        a.InsertAt(c.nIndex, *new Item(9));
        EXPECT_EQ(c.keys, Keys(a));
        EXPECT_EQ(4u, a.getItemsInContainer());
        EXPECT_EQ(4u, a.arraySize());       // full: grown by one slot only
    }
    EXPECT_EQ(0, Item::s_nLive);
}

TEST(InsertArray, SegmentsOfALineInOrder)
{
    // A goto line keeps its entry segment first and appends the rest.
    InsertArray segs(20, 0, 20);
    segs.add(*new Item(100));               // entry segment
    segs.add(*new Item(300));
    segs.InsertAt(1, *new Item(200));
    segs.InsertAt(0, *new Item(50));
    EXPECT_EQ((std::vector<int>{ 50, 100, 200, 300 }), Keys(segs));
    EXPECT_EQ(21u, segs.arraySize());
    segs.destroy(0);
    EXPECT_EQ(100, static_cast<Item&>(segs[0]).m_nKey);
}

TEST(InsertArray, NegativeIndexBelowTheBoundFailsACheck)
{
    InsertArray a(5);
    Item i(1);
    EXPECT_PXASSERT(a.InsertAt(-1, i), "index");
    EXPECT_EQ(0u, a.getItemsInContainer());
}
