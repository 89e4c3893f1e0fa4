// The spatial grid: its cells, its two searches and its point test, and a
// seeded random table checked against a plain scan over every object.
#include "PXTestSupport.h"
#include "DisplayObject.h"
#include "Grid.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace
{
// A display object whose layer and rectangle the test chooses.
class TestObject : public DisplayObject
{
public:
    TestObject(const RECT& rc, int nLayer) : DisplayObject(nullptr, nullptr, rc), m_nLayer(nLayer) {}
    int Layer() const override { return m_nLayer; }

private:
    int m_nLayer;
};

RECT Rect(long l, long t, long r, long b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

std::vector<DisplayObject*> AllInRect(Grid& grid, const RECT& rc)
{
    std::vector<DisplayObject*> found;
    while (DisplayObject* p = grid.NextInRect(rc))
        found.push_back(p);
    return found;
}

std::vector<DisplayObject*> CollectInRect(Grid& grid, const RECT& rc)
{
    std::vector<DisplayObject*> found;
    while (DisplayObject* p = grid.Next(rc))
        found.push_back(p);
    return found;
}

int CellsHolding(Grid& grid, const DisplayObject* pObj)
{
    int n = 0;
    for (long i = 0; i < static_cast<long>(grid.getItemsInContainer()); ++i)
    {
        const GridElement& cell = static_cast<const GridElement&>(grid[i]);
        n += static_cast<int>(std::count(cell.GetObjects().begin(), cell.GetObjects().end(), pObj));
    }
    return n;
}
}

TEST(GridTest, CellsOfARectangle)
{
    const struct
    {
        RECT rc;
        int nCells;
        long nCellCount;
    } cases[] = {
        {{0, 0, 239, 119}, 1, 0},
        {{0, 0, 240, 120}, 4, 1},
        {{-10, -10, 10, 10}, 1, 0},   // truncation toward zero: all in (0, 0)
        {{0, 0, 500, 300}, 9, 4},
        {{250, 130, 260, 140}, 1, 0},
    };
    for (const auto& c : cases)
    {
        Grid grid(nullptr, 240, 120);
        TestObject obj(c.rc, 1);
        grid.AddObject(&obj);
        EXPECT_EQ(c.nCells, static_cast<int>(grid.getItemsInContainer())) << c.rc.left << "," << c.rc.top;
        EXPECT_EQ(c.nCells, CellsHolding(grid, &obj));
        EXPECT_EQ(c.nCellCount, grid.CellCount(c.rc));
        grid.RemoveObject(&obj);
    }
    Grid grid(nullptr, 240, 120);
    TestObject obj(Rect(-10, -10, 10, 10), 1);
    grid.AddObject(&obj);
    EXPECT_NE(nullptr, grid.FindCell(0, 0));
    EXPECT_EQ(&obj, grid.FindAt(-5, -5));
    EXPECT_EQ(&obj, grid.FindAt(10, 10));      // edges included
    EXPECT_EQ(nullptr, grid.FindAt(11, 10));
    grid.RemoveObject(&obj);
}

TEST(GridTest, PointTestAnswersTheLowestLayer)
{
    Grid grid(nullptr, 240, 120);
    TestObject stub(Rect(40, 40, 60, 50), DO_LAYER_HANDLES);
    TestObject block(Rect(0, 0, 100, 100), DO_LAYER_BLOCKS);
    TestObject note(Rect(200, 0, 230, 20), DO_LAYER_NOTES);
    grid.AddObject(&stub);
    grid.AddObject(&block);
    grid.AddObject(&note);
    EXPECT_EQ(&block, grid.FindAt(50, 45));
    EXPECT_EQ(&block, grid.FindAt(10, 10));
    EXPECT_EQ(&note, grid.FindAt(210, 10));
    EXPECT_EQ(nullptr, grid.FindAt(150, 10));
    EXPECT_EQ(nullptr, grid.FindAt(1000, 1000));   // no such cell
    const auto& objs = grid.FindCell(0, 0)->GetObjects();
    ASSERT_EQ(3u, objs.size());
    EXPECT_EQ(&note, objs[0]);
    EXPECT_EQ(&block, objs[1]);
    EXPECT_EQ(&stub, objs[2]);
}

TEST(GridTest, SearchesOverCells)
{
    Grid grid(nullptr, 240, 120);
    TestObject wide(Rect(200, 10, 300, 20), DO_LAYER_SEGMENTS);   // two cells
    TestObject block(Rect(10, 10, 50, 50), DO_LAYER_BLOCKS);
    TestObject distant(Rect(1000, 1000, 1010, 1010), DO_LAYER_BLOCKS);
    grid.AddObject(&wide);
    grid.AddObject(&block);
    grid.AddObject(&distant);
    const RECT rc = Rect(0, 0, 400, 100);

    std::vector<DisplayObject*> cellwise = AllInRect(grid, rc);
    ASSERT_EQ(3u, cellwise.size());
    EXPECT_EQ(&block, cellwise[0]);
    EXPECT_EQ(&wide, cellwise[1]);
    EXPECT_EQ(&wide, cellwise[2]);
    // At its end the search forgets the rectangle: the same one starts over.
    EXPECT_EQ(cellwise, AllInRect(grid, rc));

    std::vector<DisplayObject*> collected = CollectInRect(grid, rc);
    ASSERT_EQ(2u, collected.size());
    EXPECT_EQ(&block, collected[0]);
    EXPECT_EQ(&wide, collected[1]);
    EXPECT_EQ(collected, CollectInRect(grid, rc));

    // A rectangle that meets nothing.
    EXPECT_EQ(nullptr, grid.NextInRect(Rect(500, 500, 600, 600)));
    EXPECT_EQ(nullptr, grid.Next(Rect(500, 500, 600, 600)));
}

TEST(GridTest, EmptiedCellStays)
{
    Grid grid(nullptr, 240, 120);
    TestObject obj(Rect(10, 10, 20, 20), 1);
    grid.AddObject(&obj);
    grid.RemoveObject(&obj);
    ASSERT_NE(nullptr, grid.FindCell(0, 0));
    EXPECT_TRUE(grid.FindCell(0, 0)->GetObjects().empty());
    EXPECT_EQ(nullptr, grid.FindAt(15, 15));
    EXPECT_FALSE(grid.HasObject(&obj));
}

TEST(GridTest, ObjectThatChangedItsRectangleLeavesItsCells)
{
    Grid grid(nullptr, 240, 120);
    // A label entered across two cells takes the width of its text, which
    // is narrower; a block laid out again grows into further cells.
    auto pLabel = std::make_unique<TestObject>(Rect(200, 10, 300, 20), DO_LAYER_LABELS);
    auto pBlock = std::make_unique<TestObject>(Rect(10, 30, 20, 40), DO_LAYER_BLOCKS);
    TestObject other(Rect(700, 10, 710, 20), DO_LAYER_BLOCKS);
    grid.AddObject(pLabel.get());
    grid.AddObject(pBlock.get());
    grid.AddObject(&other);
    pLabel->SetRect(Rect(200, 10, 210, 20));
    pBlock->SetRect(Rect(10, 30, 900, 40));
    DisplayObject* pStale[] = {pLabel.get(), pBlock.get()};
    grid.RemoveObject(pLabel.get());
    grid.RemoveObject(pBlock.get());
    for (DisplayObject* p : pStale)
        EXPECT_EQ(0, CellsHolding(grid, p));
    pLabel.reset();
    pBlock.reset();
    EXPECT_EQ(nullptr, grid.FindAt(250, 15));
    EXPECT_EQ(&other, grid.FindAt(705, 15));
    grid.RemoveObject(&other);
    EXPECT_EQ(nullptr, grid.NextInRect(Rect(0, 0, 1000, 100)));
    EXPECT_EQ(nullptr, grid.Next(Rect(0, 0, 1000, 100)));
}

TEST(GridTest, MisuseFailsTheChecks)
{
    Grid grid(nullptr, 240, 120);
    TestObject obj(Rect(0, 0, 10, 10), 1);
    EXPECT_PXASSERT(grid.AddObject(nullptr), "NULL!=obj");
    EXPECT_PXASSERT(grid.RemoveObject(&obj), "m_Entered");
    grid.AddObject(&obj);
    EXPECT_PXASSERT(grid.AddObject(&obj), "HasObject");
    grid.RemoveObject(&obj);
}

TEST(GridTest, RemovalDuringASearch)
{
    Grid grid(nullptr, 240, 120);
    TestObject a(Rect(0, 0, 10, 10), 1), b(Rect(20, 0, 30, 10), 1), c(Rect(40, 0, 50, 10), 1);
    grid.AddObject(&a);
    grid.AddObject(&b);
    grid.AddObject(&c);
    const RECT rc = Rect(0, 0, 100, 100);
    // Each search goes on past an object taken out of the grid under it.
    EXPECT_EQ(&a, grid.NextInRect(rc));
    grid.RemoveObject(&a);
    EXPECT_EQ(&b, grid.NextInRect(rc));
    EXPECT_EQ(&c, grid.NextInRect(rc));
    EXPECT_EQ(nullptr, grid.NextInRect(rc));

    grid.AddObject(&a);
    EXPECT_EQ(&b, grid.Next(rc));
    grid.RemoveObject(&c);
    EXPECT_EQ(&a, grid.Next(rc));
    EXPECT_EQ(nullptr, grid.Next(rc));
}

// ---- The random table against a plain scan --------------------------------

namespace
{
struct Entry
{
    std::unique_ptr<TestObject> pObj;
    RECT entered;
    long nSeq;
    bool bIn;
};

class Reference
{
public:
    Reference(long w, long h) : m_w(w), m_h(h) {}

    bool InCell(const Entry& e, long col, long row) const
    {
        return e.bIn && e.entered.left / m_w <= col && col <= e.entered.right / m_w &&
               e.entered.top / m_h <= row && row <= e.entered.bottom / m_h;
    }

    // The cell's objects in layer order, then order of entry.
    std::vector<const Entry*> Cell(const std::vector<Entry>& all, long col, long row) const
    {
        std::vector<const Entry*> cell;
        for (const Entry& e : all)
            if (InCell(e, col, row))
                cell.push_back(&e);
        std::sort(cell.begin(), cell.end(), [](const Entry* a, const Entry* b) {
            if (a->pObj->Layer() != b->pObj->Layer())
                return a->pObj->Layer() < b->pObj->Layer();
            return a->nSeq < b->nSeq;
        });
        return cell;
    }

    DisplayObject* FindAt(const std::vector<Entry>& all, long x, long y) const
    {
        for (const Entry* e : Cell(all, x / m_w, y / m_h))
            if (e->pObj->Contains(x, y))
                return e->pObj.get();
        return nullptr;
    }

    std::vector<DisplayObject*> InRect(const std::vector<Entry>& all, const RECT& rc) const
    {
        std::vector<DisplayObject*> found;
        for (long col = rc.left / m_w; col <= rc.right / m_w; ++col)
            for (long row = rc.top / m_h; row <= rc.bottom / m_h; ++row)
                for (const Entry* e : Cell(all, col, row))
                    if (e->pObj->Intersects(rc))
                        found.push_back(e->pObj.get());
        return found;
    }

    std::vector<DisplayObject*> Collected(const std::vector<Entry>& all, const RECT& rc) const
    {
        std::vector<DisplayObject*> once;
        for (DisplayObject* p : InRect(all, rc))
            if (std::find(once.begin(), once.end(), p) == once.end())
                once.push_back(p);
        std::stable_sort(once.begin(), once.end(),
                         [](const DisplayObject* a, const DisplayObject* b) { return a->Layer() < b->Layer(); });
        return once;
    }

private:
    long m_w, m_h;
};
}

TEST(GridTest, AgreesWithAPlainScan)
{
    const long w = 240, h = 120;
    static const int s_layers[] = {0, 1, 3, 4, 5};
    for (unsigned seed : {1u, 7u, 1999u})
    {
        std::mt19937 rng(seed);
        auto rnd = [&rng](long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(rng); };
        auto randomRect = [&]() {
            long l = rnd(-300, 2000), t = rnd(-200, 1200);
            return Rect(l, t, l + rnd(0, 600), t + rnd(0, 300));
        };

        Grid grid(nullptr, w, h);
        Reference ref(w, h);
        std::vector<Entry> all;
        long nSeq = 0;
        int nDrifted = 0, nRemovedDrifted = 0;

        for (int step = 0; step < 1500; ++step)
        {
            long op = rnd(0, 9);
            std::vector<size_t> in;
            for (size_t i = 0; i < all.size(); ++i)
                if (all[i].bIn)
                    in.push_back(i);
            if (op <= 2 || in.empty())
            {
                // Insert a new object.
                Entry e;
                e.pObj = std::make_unique<TestObject>(randomRect(), s_layers[rnd(0, 4)]);
                e.entered = e.pObj->GetRect();
                e.nSeq = ++nSeq;
                e.bIn = true;
                grid.AddObject(e.pObj.get());
                all.push_back(std::move(e));
            }
            else if (op == 3)
            {
                // Move: out of the grid, a new rectangle, back in.
                Entry& e = all[in[rnd(0, static_cast<long>(in.size()) - 1)]];
                grid.RemoveObject(e.pObj.get());
                e.pObj->SetRect(randomRect());
                grid.AddObject(e.pObj.get());
                e.entered = e.pObj->GetRect();
                e.nSeq = ++nSeq;
            }
            else if (op == 4)
            {
                // The object changes its rectangle while it stays in the grid.
                Entry& e = all[in[rnd(0, static_cast<long>(in.size()) - 1)]];
                RECT rc = e.pObj->GetRect();
                rc.right += rnd(0, 700);
                rc.bottom += rnd(-50, 200);
                e.pObj->SetRect(rc);
                ++nDrifted;
            }
            else if (op == 5)
            {
                Entry& e = all[in[rnd(0, static_cast<long>(in.size()) - 1)]];
                const RECT rc = e.pObj->GetRect();
                if (!EqualRect(&rc, &e.entered))
                    ++nRemovedDrifted;
                grid.RemoveObject(e.pObj.get());
                e.bIn = false;
                // Destroyed at once: a pointer left in a cell would be
                // read by the next search.
                e.pObj.reset(new TestObject(Rect(-5000, -5000, -5000, -5000), 0));
            }
            else if (op <= 7)
            {
                long x = rnd(-300, 2600), y = rnd(-200, 1500);
                ASSERT_EQ(ref.FindAt(all, x, y), grid.FindAt(x, y)) << "seed " << seed << " step " << step;
            }
            else
            {
                RECT rc = randomRect();
                ASSERT_EQ(ref.InRect(all, rc), AllInRect(grid, rc)) << "seed " << seed << " step " << step;
                ASSERT_EQ(ref.Collected(all, rc), CollectInRect(grid, rc)) << "seed " << seed << " step " << step;
            }
        }
        EXPECT_GT(nDrifted, 0);
        EXPECT_GT(nRemovedDrifted, 0);
        for (const Entry& e : all)
            if (e.bIn)
                grid.RemoveObject(e.pObj.get());
        EXPECT_EQ(nullptr, grid.Next(Rect(-1000, -1000, 5000, 5000)));
    }
}
