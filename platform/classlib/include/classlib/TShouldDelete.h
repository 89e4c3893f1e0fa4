// TShouldDelete: whether a container owns its elements, and whether one
// operation (detach, flush) deletes what it removes.
#ifndef CLASSLIB_TSHOULDDELETE_H
#define CLASSLIB_TSHOULDDELETE_H

class TShouldDelete
{
public:
    enum DeleteType { NoDelete, DefDelete, Delete };

    explicit TShouldDelete(DeleteType dt = Delete) : m_bOwns(dt != NoDelete) {}

    int ownsElements() const { return m_bOwns ? 1 : 0; }
    void ownsElements(int del) { m_bOwns = del != 0; }

protected:
    // Whether an element goes with an operation given dt.
    int delObj(DeleteType dt) const
    {
        return dt == Delete || (dt == DefDelete && m_bOwns);
    }

private:
    bool m_bOwns;
};

#endif
