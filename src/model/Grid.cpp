// The spatial grid of an object pane.
#include "Grid.h"
#include "DisplayObject.h"

#include <algorithm>
#include <unordered_set>

namespace
{
// The two searches keep their state across calls; one search of each kind
// runs at a time over all grids.
struct CellSearch
{
    const Grid* pGrid;
    bool bActive;
    RECT rc;
    long nColumn, nRow;
    long nFirstColumn, nFirstRow, nLastColumn, nLastRow;
    GridElement* pCell;     // the cell the last answer came from
};
CellSearch s_cell = {};

struct CollectSearch
{
    const Grid* pGrid;
    bool bActive;
    RECT rc;
    size_t nRead;
};
CollectSearch s_collect = {};
std::vector<DisplayObject*> s_collected;

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Insertion point after every entry of the same or a lower layer.
size_t UpperBoundByLayer(const std::vector<DisplayObject*>& list, int nLayer)
{
    auto it = std::upper_bound(list.begin(), list.end(), nLayer,
                               [](int n, const DisplayObject* p) { return n < p->Layer(); });
    return static_cast<size_t>(it - list.begin());
}
}

// ---- GridElement ---------------------------------------------------------

int GridElement::isEqual(const Object& test) const
{
    const GridElement& other = static_cast<const GridElement&>(test);
    return m_nColumn == other.m_nColumn && m_nRow == other.m_nRow;
}

int GridElement::isLessThan(const Object& test) const
{
    const GridElement& other = static_cast<const GridElement&>(test);
    if (m_nRow != other.m_nRow)
        return m_nRow < other.m_nRow;
    return m_nColumn < other.m_nColumn;
}

size_t GridElement::Insert(DisplayObject* pObj)
{
    size_t nAt = UpperBoundByLayer(m_Objects, pObj->Layer());
    m_Objects.insert(m_Objects.begin() + static_cast<std::ptrdiff_t>(nAt), pObj);
    return nAt;
}

long GridElement::Remove(const DisplayObject* pObj)
{
    auto it = std::find(m_Objects.begin(), m_Objects.end(), pObj);
    if (it == m_Objects.end())
        return -1;
    long nAt = static_cast<long>(it - m_Objects.begin());
    m_Objects.erase(it);
    return nAt;
}

// ---- Grid ----------------------------------------------------------------

Grid::Grid(HWND hOwner, long nCellWidth, long nCellHeight)
    : Btree(3), m_nCellWidth(nCellWidth), m_nCellHeight(nCellHeight), m_hOwner(hOwner)
{
    PXASSERT(nCellWidth > 0 && nCellHeight > 0);
    ownsElements(1);
}

Grid::~Grid()
{
    ForgetSearches();
    Btree::flush(Delete);
}

void Grid::flush(DeleteType)
{
    // The cells are the grid's own, whatever is asked.
    ForgetSearches();
    m_Entered.clear();
    Btree::flush(Delete);
}

void Grid::ForgetSearches()
{
    if (s_cell.pGrid == this)
        s_cell = CellSearch();
    if (s_collect.pGrid == this)
    {
        s_collect = CollectSearch();
        s_collected.clear();
    }
}

void Grid::CellsOf(const RECT& rc, long& c0, long& r0, long& c1, long& r1) const
{
    // Division truncates toward zero: (-10, -10) lies in the cell (0, 0).
    c0 = rc.left / m_nCellWidth;
    c1 = rc.right / m_nCellWidth;
    r0 = rc.top / m_nCellHeight;
    r1 = rc.bottom / m_nCellHeight;
}

GridElement* Grid::FindCell(long nColumn, long nRow) const
{
    GridElement key(nColumn, nRow);
    Object& found = findMember(key);
    return found == NOOBJECT ? nullptr : static_cast<GridElement*>(&found);
}

void Grid::AddObject(DisplayObject* pObj)
{
    DisplayObject* obj = pObj;
    PXASSERT(NULL!=obj);
    PXASSERT(!HasObject(obj));
    const RECT rc = obj->GetRect();
    long c0, r0, c1, r1;
    CellsOf(rc, c0, r0, c1, r1);
    for (long c = c0; c <= c1; ++c)
        for (long r = r0; r <= r1; ++r)
        {
            GridElement* pCell = FindCell(c, r);
            if (!pCell)
            {
                pCell = new GridElement(c, r);
                add(*pCell);
            }
            size_t nAt = pCell->Insert(obj);
            // A running cell-by-cell search keeps its place in the cell.
            if (s_cell.pCell == pCell && nAt < pCell->m_nCursor)
                ++pCell->m_nCursor;
        }
    m_Entered[obj] = rc;
}

void Grid::RemoveObject(DisplayObject* pObj)
{
    DisplayObject* obj = pObj;
    PXASSERT(NULL!=obj);
    auto entered = m_Entered.find(obj);
    PXASSERT(entered != m_Entered.end());
    long c0, r0, c1, r1;
    CellsOf(entered->second, c0, r0, c1, r1);
    for (long c = c0; c <= c1; ++c)
        for (long r = r0; r <= r1; ++r)
        {
            GridElement* pCell = FindCell(c, r);
            if (!pCell)
                continue;
            long nAt = pCell->Remove(obj);
            PXASSERT(nAt >= 0);
            if (s_cell.pCell == pCell && static_cast<size_t>(nAt) < pCell->m_nCursor)
                --pCell->m_nCursor;
        }
    m_Entered.erase(entered);

    // A running collection does not answer the object any more.
    if (s_collect.pGrid == this && s_collect.bActive)
    {
        auto it = std::find(s_collected.begin(), s_collected.end(), obj);
        if (it != s_collected.end())
        {
            if (static_cast<size_t>(it - s_collected.begin()) < s_collect.nRead)
                --s_collect.nRead;
            s_collected.erase(it);
        }
    }
}

DisplayObject* Grid::FindAt(long x, long y) const
{
    GridElement* pCell = FindCell(x / m_nCellWidth, y / m_nCellHeight);
    if (!pCell)
        return nullptr;
    for (DisplayObject* pObj : pCell->m_Objects)
        if (pObj->Contains(x, y))
            return pObj;
    return nullptr;
}

DisplayObject* Grid::NextInRect(const RECT& rc)
{
    CellSearch& s = s_cell;
    auto searchCell = [&rc](GridElement& cell) -> DisplayObject* {
        while (cell.m_nCursor < cell.m_Objects.size())
        {
            DisplayObject* pObj = cell.m_Objects[cell.m_nCursor++];
            if (pObj->Intersects(rc))
                return pObj;
        }
        return nullptr;
    };

    if (s.bActive && s.pGrid == this && SameRect(s.rc, rc))
    {
        if (s.pCell)
        {
            if (DisplayObject* pObj = searchCell(*s.pCell))
                return pObj;
            s.pCell = nullptr;
            ++s.nRow;
        }
    }
    else
    {
        s = CellSearch();
        s.pGrid = this;
        s.bActive = true;
        s.rc = rc;
        CellsOf(rc, s.nFirstColumn, s.nFirstRow, s.nLastColumn, s.nLastRow);
        s.nColumn = s.nFirstColumn;
        s.nRow = s.nFirstRow;
    }

    for (; s.nColumn <= s.nLastColumn; ++s.nColumn, s.nRow = s.nFirstRow)
    {
        for (; s.nRow <= s.nLastRow; ++s.nRow)
        {
            GridElement* pCell = FindCell(s.nColumn, s.nRow);
            if (!pCell)
                continue;
            pCell->m_nCursor = 0;
            if (DisplayObject* pObj = searchCell(*pCell))
            {
                s.pCell = pCell;
                return pObj;
            }
        }
    }
    s = CellSearch();
    return nullptr;
}

DisplayObject* Grid::Next(const RECT& rc)
{
    CollectSearch& c = s_collect;
    if (!(c.bActive && c.pGrid == this && SameRect(c.rc, rc)))
    {
        c = CollectSearch();
        c.pGrid = this;
        c.bActive = true;
        c.rc = rc;
        s_collected.clear();
        std::unordered_set<const DisplayObject*> seen;
        long c0, r0, c1, r1;
        CellsOf(rc, c0, r0, c1, r1);
        for (long col = c0; col <= c1; ++col)
            for (long row = r0; row <= r1; ++row)
            {
                GridElement* pCell = FindCell(col, row);
                if (!pCell)
                    continue;
                for (DisplayObject* pObj : pCell->m_Objects)
                {
                    if (!pObj->Intersects(rc))
                        continue;
                    if (!seen.insert(pObj).second)
                        continue;
                    size_t nAt = UpperBoundByLayer(s_collected, pObj->Layer());
                    s_collected.insert(s_collected.begin() + static_cast<std::ptrdiff_t>(nAt), pObj);
                }
            }
    }
    if (c.nRead < s_collected.size())
        return s_collected[c.nRead++];
    c = CollectSearch();
    s_collected.clear();
    return nullptr;
}

void Grid::Collect(const RECT& rc, std::vector<DisplayObject*>& objects) const
{
    objects.clear();
    long c0, r0, c1, r1;
    CellsOf(rc, c0, r0, c1, r1);
    for (long col = c0; col <= c1; ++col)
        for (long row = r0; row <= r1; ++row)
        {
            GridElement* pCell = FindCell(col, row);
            if (!pCell)
                continue;
            for (DisplayObject* pObj : pCell->m_Objects)
                if (pObj->Intersects(rc) && std::find(objects.begin(), objects.end(), pObj) == objects.end())
                    objects.push_back(pObj);
        }
}

long Grid::CellCount(const RECT& rc) const
{
    long c0, r0, c1, r1;
    CellsOf(rc, c0, r0, c1, r1);
    return (c1 - c0) * (r1 - r0);
}
