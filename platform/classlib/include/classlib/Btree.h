// Btree: Sortable objects kept in ascending order (isLessThan). Equal
// elements may be held several times; a new one goes after those it equals.
// tree[0] is the least element. Elements that are equal (isEqual) must also
// sort equal, which searches rely on.
#ifndef CLASSLIB_BTREE_H
#define CLASSLIB_BTREE_H

#include "classlib/Collection.h"
#include "classlib/Sortable.h"

class BtreeIterator;

class Btree : public Collection
{
public:
    // The order is kept for the callers' sake; the tree is kept as one
    // sorted run, which serves the sizes this program uses.
    explicit Btree(int order = 3);
    ~Btree() override;

    // obj must be Sortable (consistency check).
    void add(Object& obj) override;
    void detach(Object& obj, DeleteType dt = NoDelete) override;
    void flush(DeleteType dt = DefDelete) override;

    int hasMember(const Object& obj) const override;
    Object& findMember(const Object& obj) const override;

    // The element of that rank (0 the least); NOOBJECT outside the tree.
    Object& operator[](long index) const;
    // The rank of obj itself or of the first element equal to it; -1 when
    // there is none.
    long rank(const Object& obj) const;

    int order() const { return m_nOrder; }

    countType getItemsInContainer() const override { return m_nItems; }
    ContainerIterator& initIterator() const override;

    classType isA() const override { return btreeClass; }
    const char* nameOf() const override { return "Btree"; }

private:
    friend class BtreeIterator;

    // First position whose element is not less than obj.
    countType LowerBound(const Sortable& obj) const;
    // First position whose element obj is less than.
    countType UpperBound(const Sortable& obj) const;
    long PositionOf(const Object& obj) const;

    Object** m_ppItems;
    countType m_nItems;
    countType m_nRoom;
    int m_nOrder;
};

#endif
