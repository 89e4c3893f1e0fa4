// SelectedList: the model objects selected in one object pane, in the
// order selected. Every object added or taken out is told to the pane
// (object notification 1) so that its look follows. The list never owns
// the objects.
#ifndef SELECTEDLIST_H
#define SELECTEDLIST_H

#include "classlib/List.h"

class ObjectChild;
class UIObject;

class SelectedList : public List
{
public:
    explicit SelectedList(ObjectChild* pOwner) : m_pOwner(pOwner) { ownsElements(0); }
    ~SelectedList() override;

    void add(Object& obj) override;
    void detach(Object& obj, DeleteType dt = NoDelete) override;
    void flush(DeleteType dt = DefDelete) override;

    // The first selected object; none when the list is empty.
    UIObject* First() const;
    bool Holds(const UIObject* pObject) const;
    int Count() const { return static_cast<int>(getItemsInContainer()); }
    // The object at the index in selection order; none.
    UIObject* At(int nIndex) const;
    ObjectChild* GetOwner() const { return m_pOwner; }

private:
    ObjectChild* m_pOwner;
};

#endif
