// Iteration and search shared by every container.
#include "classlib/Container.h"

#include <ostream>

namespace {

// Deletes the iterator when the walk ends, however it ends.
class IteratorHolder
{
public:
    explicit IteratorHolder(ContainerIterator& it) : m_it(it) {}
    ~IteratorHolder() { delete &m_it; }
    ContainerIterator& get() { return m_it; }

private:
    ContainerIterator& m_it;
};

} // namespace

void Container::forEach(iterFuncType func, void* args)
{
    IteratorHolder h(initIterator());
    ContainerIterator& it = h.get();
    while (it)
        func(it++, args);
}

Object& Container::firstThat(condFuncType test, void* args) const
{
    IteratorHolder h(initIterator());
    ContainerIterator& it = h.get();
    while (it)
    {
        Object& obj = it++;
        if (test(obj, args))
            return obj;
    }
    return NOOBJECT;
}

Object& Container::lastThat(condFuncType test, void* args) const
{
    IteratorHolder h(initIterator());
    ContainerIterator& it = h.get();
    Object* pLast = &NOOBJECT;
    while (it)
    {
        Object& obj = it++;
        if (test(obj, args))
            pLast = &obj;
    }
    return *pLast;
}

int Container::hasMember(const Object& obj) const
{
    return &findMember(obj) != &NOOBJECT;
}

Object& Container::findMember(const Object& obj) const
{
    IteratorHolder h(initIterator());
    ContainerIterator& it = h.get();
    while (it)
    {
        Object& o = it++;
        if (o == obj)
            return o;
    }
    return NOOBJECT;
}

int Container::isEqual(const Object& test) const
{
    const Container& other = static_cast<const Container&>(test);
    if (getItemsInContainer() != other.getItemsInContainer())
        return 0;
    IteratorHolder h1(initIterator());
    IteratorHolder h2(other.initIterator());
    ContainerIterator& a = h1.get();
    ContainerIterator& b = h2.get();
    while (a && b)
    {
        if (a++ != b++)
            return 0;
    }
    return 1;
}

void Container::printOn(std::ostream& os) const
{
    os << nameOf() << " {";
    IteratorHolder h(initIterator());
    ContainerIterator& it = h.get();
    bool bFirst = true;
    while (it)
    {
        os << (bFirst ? " " : ", ") << it++;
        bFirst = false;
    }
    os << " }";
}
