// Array: objects at the indexes lowerBound() .. lowerBound() + count - 1.
// The entries stay contiguous: detaching one moves the later ones down by
// one place, so walks that remove entries go from the last to the first.
// The room (lowerBound() .. upperBound()) grows by the delta given when an
// add finds it full (by one slot when the delta is 0); slots past the last
// entry read as NOOBJECT.
#ifndef CLASSLIB_ARRAY_H
#define CLASSLIB_ARRAY_H

#include "classlib/Collection.h"

class ArrayIterator;

class Array : public Collection
{
public:
    Array(int upper, int lower = 0, sizeType delta = 0);
    ~Array() override;

    // Appends after the last entry.
    void add(Object& obj) override;
    // Puts obj at the index: an index past the last entry appends; an entry
    // already there is replaced (deleted when the array owns its elements).
    void addAt(Object& obj, int index);
    void detach(Object& obj, DeleteType dt = NoDelete) override;
    void detach(int index, DeleteType dt = NoDelete);
    void destroy(int index) { detach(index, Delete); }
    using Collection::destroy;
    void flush(DeleteType dt = DefDelete) override;

    // The entry at the index; NOOBJECT for a free slot. An index outside
    // lowerBound() .. upperBound() is a consistency failure.
    Object& operator[](int index) const;

    // Index of obj itself, else of the first equal entry; lowerBound() - 1
    // when there is none.
    int find(const Object& obj) const;

    int lowerBound() const { return m_nLower; }
    int upperBound() const { return m_nLower + static_cast<int>(m_nRoom) - 1; }
    sizeType arraySize() const { return m_nRoom; }
    sizeType delta() const { return m_nDelta; }

    countType getItemsInContainer() const override { return m_nItems; }
    ContainerIterator& initIterator() const override;

    classType isA() const override { return arrayClass; }
    const char* nameOf() const override { return "Array"; }

protected:
    // Makes room for one more entry: by the delta, or by one slot when
    // byOne is set or the delta is 0.
    void GrowForOne(bool byOne);
    // Opens a free slot at position pos (0-based) by moving later entries.
    void OpenSlot(countType pos);

    Object** m_ppItems;
    int m_nLower;
    sizeType m_nRoom;
    sizeType m_nDelta;
    countType m_nItems;

private:
    friend class ArrayIterator;
    int PositionOf(const Object& obj) const;
    void RemoveAtPosition(countType pos, DeleteType dt);
};

#endif
