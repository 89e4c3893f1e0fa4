// The base of the library's containers: ownership of the elements, counting,
// iteration and search by equality.
//
// Ownership: a container made without saying otherwise owns its elements
// (ownsElements(1)): flush() with DefDelete and the container's destructor
// delete them. ownsElements(0) makes it hold pointers only. Every detach and
// flush can override this with NoDelete or Delete.
//
// Equality: searches (findMember, hasMember, detach) compare with ==, that is
// the same isA and isEqual. detach(obj) removes obj itself when it is held,
// otherwise the first element equal to it.
#ifndef CLASSLIB_CONTAINER_H
#define CLASSLIB_CONTAINER_H

#include "classlib/ContainerIterator.h"
#include "classlib/Object.h"
#include "classlib/TShouldDelete.h"

class Container : public Object, public TShouldDelete
{
public:
    Container() {}
    ~Container() override {}

    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    virtual void flush(DeleteType dt = DefDelete) = 0;
    virtual int isEmpty() const { return getItemsInContainer() == 0; }
    virtual countType getItemsInContainer() const = 0;

    // A new iterator that the caller deletes.
    virtual ContainerIterator& initIterator() const = 0;

    void forEach(iterFuncType func, void* args) override;
    Object& firstThat(condFuncType test, void* args) const override;
    Object& lastThat(condFuncType test, void* args) const override;

    virtual int hasMember(const Object& obj) const;
    virtual Object& findMember(const Object& obj) const;

    classType isA() const override { return containerClass; }
    const char* nameOf() const override { return "Container"; }
    hashValueType hashValue() const override { return 0; }
    // Equal when of the same class with equal elements in the same order.
    int isEqual(const Object& test) const override;
    void printOn(std::ostream& os) const override;
};

#endif
