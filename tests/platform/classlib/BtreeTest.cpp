// Btree: ascending order, equal elements, ranks and the least element.
#include "PXTestSupport.h"
#include "TestItems.h"

TEST(Btree, KeepsElementsAscending)
{
    Btree t;
    for (int k : { 5, 3, 9, 1, 7, 3 })
        t.add(*new Item(k));
    EXPECT_EQ((std::vector<int>{ 1, 3, 3, 5, 7, 9 }), Keys(t));
    EXPECT_EQ(1, static_cast<Item&>(t[0]).m_nKey);
    EXPECT_EQ(9, static_cast<Item&>(t[5]).m_nKey);
    EXPECT_EQ(&NOOBJECT, &t[6]);
    EXPECT_EQ(&NOOBJECT, &t[-1]);
    EXPECT_EQ(3, t.order());
}

TEST(Btree, EqualElementsKeepTheirOrderOfAdding)
{
    Btree t;
    t.ownsElements(0);
    Item a(4, 1), b(4, 2), c(4, 3), low(2);
    t.add(a);
    t.add(low);
    t.add(b);
    t.add(c);
    EXPECT_EQ(&low, &t[0]);
    EXPECT_EQ(&a, &t[1]);
    EXPECT_EQ(&b, &t[2]);
    EXPECT_EQ(&c, &t[3]);
    EXPECT_EQ(2, t.rank(b));                // b itself, not the first equal
    Item probe(4);
    EXPECT_EQ(1, t.rank(probe));            // not held: the first equal
    EXPECT_EQ(&a, &t.findMember(probe));
    t.detach(b);                            // the object itself goes
    EXPECT_EQ(&a, &t[1]);
    EXPECT_EQ(&c, &t[2]);
    Item missing(5);
    EXPECT_EQ(-1, t.rank(missing));
    EXPECT_FALSE(t.hasMember(missing));
}

TEST(Btree, TakingTheLeastRepeatedlyEmptiesInOrder)
{
    // How a best-first search uses its open set.
    Btree open;
    for (int k : { 40, 10, 30, 20, 50, 10 })
        open.add(*new Item(k));
    std::vector<int> taken;
    while (!open.isEmpty())
    {
        Item& least = static_cast<Item&>(open[0]);
        taken.push_back(least.m_nKey);
        open.detach(least, TShouldDelete::Delete);
    }
    EXPECT_EQ((std::vector<int>{ 10, 10, 20, 30, 40, 50 }), taken);
    EXPECT_EQ(0, Item::s_nLive);
}

TEST(Btree, ManyElementsStaySorted)
{
    Btree t;
    unsigned seed = 12345;
    for (int i = 0; i < 3000; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        t.add(*new Item(static_cast<int>((seed >> 8) % 1000), i));
    }
    ASSERT_EQ(3000u, t.getItemsInContainer());
    for (long i = 1; i < 3000; ++i)
        ASSERT_FALSE(static_cast<Item&>(t[i]) < static_cast<Item&>(t[i - 1])) << i;
    t.flush(TShouldDelete::Delete);
    EXPECT_EQ(0, Item::s_nLive);
}

TEST(Btree, OnlySortableObjectsGoIn)
{
    Btree t;
    Other o(1);
    EXPECT_PXASSERT(t.add(o), "isSortable");
    EXPECT_TRUE(t.isEmpty());
    EXPECT_FALSE(t.hasMember(o));
}
