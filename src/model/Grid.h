// Grid: the spatial index of an object pane. The pane's view plane is cut
// into equal cells; each cell that ever received a display object is a
// GridElement in the tree and lists, by layer, the display objects whose
// rectangles reach into it. The pane finds the object under the mouse and
// the objects to paint through it. The grid owns its cells, never the
// display objects.
//
// A display object may change its rectangle while it is in the grid (a
// block lays itself out again, a goto label takes the width of its text):
// the grid keeps the rectangle each object was entered with and takes it
// out of exactly those cells.
#ifndef GRID_H
#define GRID_H

#include "PXafx.h"
#include "classlib/Btree.h"

#include <map>
#include <vector>

class DisplayObject;

class GridElement : public Sortable
{
public:
    GridElement(long nColumn, long nRow) : m_nColumn(nColumn), m_nRow(nRow), m_nCursor(0) {}

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override;
    int isLessThan(const Object& test) const override;
    void printOn(std::ostream&) const override {}

    long GetColumn() const { return m_nColumn; }
    long GetRow() const { return m_nRow; }
    // The cell's objects in ascending layer order, equal layers in order of
    // entry.
    const std::vector<DisplayObject*>& GetObjects() const { return m_Objects; }

private:
    friend class Grid;

    // After every object of the same or a lower layer; the index.
    size_t Insert(DisplayObject* pObj);
    // The index the object had; -1 when the cell does not hold it.
    long Remove(const DisplayObject* pObj);

    long m_nColumn;
    long m_nRow;
    std::vector<DisplayObject*> m_Objects;
    size_t m_nCursor;           // the cell-by-cell search's next entry
};

class Grid : public Btree
{
public:
    Grid(HWND hOwner, long nCellWidth, long nCellHeight);
    ~Grid() override;

    // Enters the object into every cell of its rectangle, making missing
    // cells. An object already in the grid is a consistency failure.
    void AddObject(DisplayObject* pObj);
    // Takes the object out of the cells it was entered into. An object not
    // in the grid is a consistency failure.
    void RemoveObject(DisplayObject* pObj);
    bool HasObject(const DisplayObject* pObj) const { return m_Entered.count(pObj) != 0; }

    // The first object of the point's cell, in layer order, that contains
    // the point; none.
    DisplayObject* FindAt(long x, long y) const;
    // The cell-by-cell search: each call answers the next object that
    // intersects the rectangle, cell by cell (columns outer, rows inner);
    // an object in several cells comes once per cell. None at the end,
    // after which the same rectangle starts over.
    DisplayObject* NextInRect(const RECT& rc);
    // The collecting search: every object that intersects the rectangle,
    // each once, in ascending layer order, one per call; none at the end,
    // after which the same rectangle collects anew.
    DisplayObject* Next(const RECT& rc);
    // Every object that intersects the rectangle, each once, into objects
    // (emptied first). Leaves the searches above alone.
    void Collect(const RECT& rc, std::vector<DisplayObject*>& objects) const;
    // The column span times the row span of the rectangle, end cells not
    // counted.
    long CellCount(const RECT& rc) const;

    // The cell of the column and row, none when it was never made.
    GridElement* FindCell(long nColumn, long nRow) const;

    // Deletes every cell (and forgets every object).
    void flush(DeleteType dt = DefDelete) override;

    long GetCellWidth() const { return m_nCellWidth; }
    long GetCellHeight() const { return m_nCellHeight; }
    HWND GetOwner() const { return m_hOwner; }

private:
    void CellsOf(const RECT& rc, long& c0, long& r0, long& c1, long& r1) const;
    void ForgetSearches();

    long m_nCellWidth;
    long m_nCellHeight;
    HWND m_hOwner;
    // Each object's rectangle as it was entered.
    std::map<const DisplayObject*, RECT> m_Entered;
};

#endif
