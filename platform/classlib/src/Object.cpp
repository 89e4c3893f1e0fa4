// Object, Sortable and the empty object NOOBJECT.
#include "classlib/Object.h"
#include "classlib/Sortable.h"

#include "PXAssert.h"

#include <ostream>

namespace {

// What NOOBJECT is: equal only to itself.
class NoObject : public Object
{
public:
    classType isA() const override { return errorClass; }
    const char* nameOf() const override { return "Error"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return &test == this; }
    void printOn(std::ostream& os) const override { os << "Error"; }
};

NoObject g_noObject;

} // namespace

Object* const Object::ZERO = &g_noObject;

void Object::forEach(iterFuncType func, void* args)
{
    func(*this, args);
}

Object& Object::firstThat(condFuncType test, void* args) const
{
    return test(*this, args) ? const_cast<Object&>(*this) : NOOBJECT;
}

Object& Object::lastThat(condFuncType test, void* args) const
{
    return test(*this, args) ? const_cast<Object&>(*this) : NOOBJECT;
}

int operator==(const Object& a, const Object& b)
{
    return a.isA() == b.isA() && a.isEqual(b);
}

int operator!=(const Object& a, const Object& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& os, const Object& obj)
{
    obj.printOn(os);
    return os;
}

// ---------------------------------------------------------------------------
// Sortable comparisons

namespace {

void CheckComparable(const Sortable& a, const Sortable& b)
{
    PXASSERT(a.isA() == b.isA());
}

} // namespace

int operator<(const Sortable& a, const Sortable& b)
{
    CheckComparable(a, b);
    return a.isLessThan(b);
}

int operator>(const Sortable& a, const Sortable& b)
{
    CheckComparable(a, b);
    return b.isLessThan(a);
}

int operator<=(const Sortable& a, const Sortable& b)
{
    CheckComparable(a, b);
    return !b.isLessThan(a);
}

int operator>=(const Sortable& a, const Sortable& b)
{
    CheckComparable(a, b);
    return !a.isLessThan(b);
}
