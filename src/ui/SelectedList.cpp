// The selection list of an object pane.
#include "SelectedList.h"
#include "classlib/ListIterator.h"
#include "ObjectChild.h"
#include "UIObject.h"

#include <vector>

SelectedList::~SelectedList()
{
    // The pane is going: the objects are let go without telling it.
    List::flush(NoDelete);
}

void SelectedList::add(Object& obj)
{
    List::addAtTail(obj);
    if (m_pOwner)
        m_pOwner->ObjectNotify(static_cast<UIObject*>(&obj), 1, 0);
}

void SelectedList::detach(Object& obj, DeleteType dt)
{
    List::detach(obj, NoDelete);
    if (m_pOwner)
        m_pOwner->ObjectNotify(static_cast<UIObject*>(&obj), 1, 0);
}

void SelectedList::flush(DeleteType)
{
    std::vector<Object*> objects;
    for (ListIterator it(*this); it; ++it)
        objects.push_back(&it.current());
    for (Object* pObj : objects)
        detach(*pObj);
    List::flush(NoDelete);
}

UIObject* SelectedList::First() const
{
    if (getItemsInContainer() == 0)
        return nullptr;
    return static_cast<UIObject*>(&peekHead());
}

bool SelectedList::Holds(const UIObject* pObject) const
{
    if (!pObject)
        return false;
    for (ListIterator it(*this); it; ++it)
        if (&it.current() == pObject)
            return true;
    return false;
}

UIObject* SelectedList::At(int nIndex) const
{
    int i = 0;
    for (ListIterator it(*this); it; ++it, ++i)
        if (i == nIndex)
            return static_cast<UIObject*>(&it.current());
    return nullptr;
}
