// IDIndex: while a program file loads, the map from each object ID read so
// far to its object, through which later records find the page, block or
// goto they refer to. One index serves the whole run; every load empties
// it before and after.
#ifndef IDINDEX_H
#define IDINDEX_H

#include "classlib/Btree.h"
#include "classlib/Sortable.h"

class ProgramObject;

// One entry: an ID and its object (not owned).
class IDPointer : public Sortable
{
public:
    IDPointer(long nID, ProgramObject* pObject) : m_nID(nID), m_pObject(pObject) {}

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override;
    int isLessThan(const Object& test) const override;
    void printOn(std::ostream&) const override {}

    long GetID() const { return m_nID; }
    ProgramObject* GetObject() const { return m_pObject; }

private:
    long m_nID;
    ProgramObject* m_pObject;
};

class IDIndex : public Btree
{
public:
    IDIndex() : Btree(3) { ownsElements(1); }

    // The object entered under the ID, or none.
    ProgramObject* Find(long nID) const;
    // Enters the object under the ID: 1; 0 when the ID is present already
    // (the first object keeps it) or the entry cannot be made.
    int Add(long nID, ProgramObject* pObject);
    // Empties the index, deleting its entries (never the objects).
    void Empty() { flush(TShouldDelete::Delete); }

    // The one index of the program-file readers.
    static IDIndex& Get();
};

#endif
