// List: newest first, search by equality, detach, head and tail.
#include "PXTestSupport.h"
#include "TestItems.h"

TEST(List, AddPutsNewestFirst)
{
    List list;
    for (int k : { 1, 2, 3 })
        list.add(*new Item(k));
    EXPECT_EQ((std::vector<int>{ 3, 2, 1 }), Keys(list));
    EXPECT_EQ(3, static_cast<Item&>(list.peekHead()).m_nKey);
    EXPECT_EQ(1, static_cast<Item&>(list.peekTail()).m_nKey);
}

TEST(List, AddAtTailAppends)
{
    List list;
    list.addAtTail(*new Item(1));
    list.add(*new Item(0));
    list.addAtTail(*new Item(2));
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Keys(list));
    EXPECT_EQ(2, static_cast<Item&>(list.peekTail()).m_nKey);
}

TEST(List, EmptyListAnswersNoObject)
{
    List list;
    EXPECT_EQ(&NOOBJECT, &list.peekHead());
    EXPECT_EQ(&NOOBJECT, &list.peekTail());
    EXPECT_TRUE(list.isEmpty());
    ListIterator it(list);
    EXPECT_FALSE(it);
    EXPECT_EQ(&NOOBJECT, &it.current());
    EXPECT_EQ(&NOOBJECT, &it++);
}

TEST(List, SearchFindsTheMostRecentlyAddedMatch)
{
    List list;
    list.add(*new Item(5, 1));
    list.add(*new Item(6, 2));
    list.add(*new Item(5, 3));
    Item probe(5);
    EXPECT_EQ(3, static_cast<Item&>(list.findMember(probe)).m_nSerial);
}

TEST(List, DetachTakesTheObjectItselfBeforeAnEqualOne)
{
    List list;
    list.ownsElements(0);
    Item a(5, 1), b(5, 2), c(6, 3);
    list.add(a);
    list.add(b);
    list.add(c);
    list.detach(a);                 // a itself, though b is equal and nearer the head
    ListIterator it(list);
    EXPECT_EQ(&c, &(Object&)it++);
    EXPECT_EQ(&b, &(Object&)it++);
    EXPECT_FALSE(it);
    Item probe(5);
    list.detach(probe);             // not held: the first equal one
    EXPECT_EQ(1u, list.getItemsInContainer());
    EXPECT_EQ(&c, &list.peekHead());
    EXPECT_EQ(&c, &list.peekTail());
    Item none(9);
    list.detach(none);              // nothing equal: nothing happens
    EXPECT_EQ(1u, list.getItemsInContainer());
}

TEST(List, DetachKeepsHeadAndTailRight)
{
    // Detach each position of a three-element list.
    for (int nGone = 1; nGone <= 3; ++nGone)
    {
        SCOPED_TRACE(nGone);
        List list;
        list.ownsElements(0);
        Item a(1), b(2), c(3);
        list.addAtTail(a);
        list.addAtTail(b);
        list.addAtTail(c);
        Item* items[] = { &a, &b, &c };
        list.detach(*items[nGone - 1]);
        std::vector<int> expected;
        for (int k = 1; k <= 3; ++k)
            if (k != nGone)
                expected.push_back(k);
        EXPECT_EQ(expected, Keys(list));
        EXPECT_EQ(expected.front(), static_cast<Item&>(list.peekHead()).m_nKey);
        EXPECT_EQ(expected.back(), static_cast<Item&>(list.peekTail()).m_nKey);
        list.addAtTail(*items[nGone - 1]);
        EXPECT_EQ(nGone, static_cast<Item&>(list.peekTail()).m_nKey);
    }
}

TEST(List, IteratorRestartsAndPreIncrements)
{
    List list;
    list.add(*new Item(1));
    list.add(*new Item(2));
    ListIterator it(list);
    EXPECT_EQ(2, static_cast<Item&>(it.current()).m_nKey);
    EXPECT_EQ(1, static_cast<Item&>(++it).m_nKey);
    EXPECT_EQ(&NOOBJECT, &++it);
    EXPECT_FALSE(it);
    it.restart();
    EXPECT_TRUE(it);
    EXPECT_EQ(2, static_cast<Item&>((Object&)it).m_nKey);
}

TEST(List, FlushLetsElementsDetachThemselves)
{
    // An element whose destructor detaches it from the list being flushed.
    struct SelfDetaching : public Item
    {
        SelfDetaching(List& rList, int nKey) : Item(nKey), m_rList(rList) {}
        ~SelfDetaching() override { m_rList.detach(*this); }
        List& m_rList;
    };
    List list;
    list.add(*new SelfDetaching(list, 1));
    list.add(*new SelfDetaching(list, 2));
    list.flush();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(0, Item::s_nLive);
}
