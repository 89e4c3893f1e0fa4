// Object, NOOBJECT and the walks that every container shares.
#include "PXTestSupport.h"
#include "TestItems.h"

#include <sstream>

int Item::s_nLive = 0;

namespace {

int KeyAbove(const Object& obj, void* args)
{
    return static_cast<const Item&>(obj).m_nKey > *static_cast<int*>(args);
}

void SumKeys(Object& obj, void* args)
{
    *static_cast<int*>(args) += static_cast<Item&>(obj).m_nKey;
}

} // namespace

TEST(Object, SingleObjectWalksItself)
{
    Item a(5);
    int nSum = 0;
    a.forEach(SumKeys, &nSum);
    EXPECT_EQ(5, nSum);
    int nLimit = 4;
    EXPECT_EQ(&a, &a.firstThat(KeyAbove, &nLimit));
    EXPECT_EQ(&a, &a.lastThat(KeyAbove, &nLimit));
    nLimit = 5;
    EXPECT_EQ(&NOOBJECT, &a.firstThat(KeyAbove, &nLimit));
    EXPECT_EQ(&NOOBJECT, &a.lastThat(KeyAbove, &nLimit));
}

TEST(Object, EqualityNeedsSameClassAndIsEqual)
{
    Item a(1), b(1), c(2);
    Other o(1);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_TRUE(a != c);
    EXPECT_FALSE(a == o);   // same key, another class
    EXPECT_FALSE(o == a);
    EXPECT_FALSE(a == NOOBJECT);
    EXPECT_TRUE(NOOBJECT == NOOBJECT);
    EXPECT_EQ(static_cast<classType>(errorClass), NOOBJECT.isA());
}

TEST(Object, SortableComparisons)
{
    Item a(1), b(2), c(2);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(b <= c);
    EXPECT_TRUE(b >= c);
    EXPECT_FALSE(b < c);
    EXPECT_TRUE(a.isSortable());
    Other o(1);
    EXPECT_FALSE(o.isSortable());
}

TEST(Object, PrintOnWritesTheElements)
{
    List list;
    list.ownsElements(0);
    Item a(1), b(2);
    list.add(a);
    list.add(b);
    std::ostringstream os;
    os << list;
    EXPECT_EQ("List { 2, 1 }", os.str());
}

TEST(Container, WalksVisitEveryElementInOrder)
{
    // The same walks over each kind of container, in each one's own order.
    struct Case
    {
        const char* name;
        Collection* pC;
        std::vector<int> order;
    };
    List list;
    Array array(5);
    Btree tree;
    Case cases[] = {
        { "List", &list, { 3, 7, 1 } },
        { "Array", &array, { 1, 7, 3 } },
        { "Btree", &tree, { 1, 3, 7 } },
    };
    for (Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.pC->add(*new Item(1));
        c.pC->add(*new Item(7));
        c.pC->add(*new Item(3));
        EXPECT_EQ(c.order, Keys(*c.pC));
        int nSum = 0;
        c.pC->forEach(SumKeys, &nSum);
        EXPECT_EQ(11, nSum);
        int nLimit = 2;
        Object& first = c.pC->firstThat(KeyAbove, &nLimit);
        Object& last = c.pC->lastThat(KeyAbove, &nLimit);
        std::vector<int> above;
        for (int k : c.order)
            if (k > 2)
                above.push_back(k);
        EXPECT_EQ(above.front(), static_cast<Item&>(first).m_nKey);
        EXPECT_EQ(above.back(), static_cast<Item&>(last).m_nKey);
        nLimit = 7;
        EXPECT_EQ(&NOOBJECT, &c.pC->firstThat(KeyAbove, &nLimit));
        EXPECT_EQ(&NOOBJECT, &c.pC->lastThat(KeyAbove, &nLimit));
        {
            Item probe(7);
            EXPECT_TRUE(c.pC->hasMember(probe));
            EXPECT_EQ(7, static_cast<Item&>(c.pC->findMember(probe)).m_nKey);
            Item missing(8);
            EXPECT_FALSE(c.pC->hasMember(missing));
            EXPECT_EQ(&NOOBJECT, &c.pC->findMember(missing));
        }
        EXPECT_EQ(3u, c.pC->getItemsInContainer());
        EXPECT_FALSE(c.pC->isEmpty());
        c.pC->flush();
        EXPECT_TRUE(c.pC->isEmpty());
        EXPECT_EQ(0, Item::s_nLive);
    }
}

TEST(Container, OwnershipDecidesWhatFlushAndDetachDelete)
{
    // (owns, flush type, deleted?)
    struct Case
    {
        int nOwns;
        TShouldDelete::DeleteType dt;
        bool bDeleted;
    } cases[] = {
        { 1, TShouldDelete::DefDelete, true },
        { 0, TShouldDelete::DefDelete, false },
        { 1, TShouldDelete::NoDelete, false },
        { 0, TShouldDelete::Delete, true },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "owns " << c.nOwns << " type " << c.dt);
        Item keepA(1), keepB(2);
        List list;
        Array array(3, 0, 2);
        Btree tree;
        Collection* colls[] = { &list, &array, &tree };
        for (Collection* pC : colls)
        {
            pC->ownsElements(c.nOwns);
            EXPECT_EQ(c.nOwns, pC->ownsElements());
            Item* p1 = new Item(1);
            Item* p2 = new Item(2);
            pC->add(*p1);
            pC->add(*p2);
            int nBefore = Item::s_nLive;
            pC->detach(*p1, c.dt);
            EXPECT_EQ(nBefore - (c.bDeleted ? 1 : 0), Item::s_nLive);
            pC->flush(c.dt);
            EXPECT_EQ(nBefore - (c.bDeleted ? 2 : 0), Item::s_nLive);
            EXPECT_TRUE(pC->isEmpty());
            if (!c.bDeleted)
            {
                delete p1;
                delete p2;
            }
        }
    }
    EXPECT_EQ(0, Item::s_nLive);
}

TEST(Container, DestructorDeletesOnlyOwnedElements)
{
    {
        List owning;
        owning.add(*new Item(1));
        Array a(2);
        a.add(*new Item(2));
        Btree t;
        t.add(*new Item(3));
        EXPECT_EQ(3, Item::s_nLive);
    }
    EXPECT_EQ(0, Item::s_nLive);
    Item kept(4);
    {
        List notOwning;
        notOwning.ownsElements(0);
        notOwning.add(kept);
    }
    EXPECT_EQ(1, Item::s_nLive);
}

TEST(Container, DetachDefaultsToNoDelete)
{
    List list;   // owning
    Item* p = new Item(1);
    list.add(*p);
    list.detach(*p);
    EXPECT_EQ(1, Item::s_nLive);
    delete p;
    list.add(*new Item(2));
    Item probe(2);
    list.destroy(probe);   // an equal element is found and deleted
    EXPECT_EQ(1, Item::s_nLive);   // the probe only
    EXPECT_TRUE(list.isEmpty());
}
