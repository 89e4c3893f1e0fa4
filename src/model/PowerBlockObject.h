// The display objects of a block: PowerBlockObject (the block's name, icon
// and type name), GotoBlockObject (the stub of one output) and
// BranchObject (the bus that joins the block's output side to its stubs).
#ifndef POWERBLOCKOBJECT_H
#define POWERBLOCKOBJECT_H

#include "DisplayObject.h"

#include <vector>

class PowerBlock;
class GotoBlock;

class PowerBlockObject : public DisplayObject
{
public:
    // Lays itself out at once in the pane's font.
    PowerBlockObject(DisplayPane* pPane, PowerBlock* pBlock, const RECT& rc);

    classType isA() const override { return PX_CLASS_POWERBLOCKOBJECT; }
    bool Click(long x, long y, int nKind) override;
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    // Overlaps the rectangle and one of the three boxes.
    bool Intersects(const RECT& rc) const override;
    // In one of the three boxes (right and bottom edges excluded).
    bool Contains(long x, long y) const override;
    bool IsBlockObject() const override { return true; }
    RECT DragOutline() const override { return m_rcIcon; }
    const char* HoverText() override;
    const char* DragText() override;
    const char* StatusText() override;

    PowerBlock* GetBlock() const;
    const RECT& GetNameBox() const { return m_rcName; }
    const RECT& GetIconBox() const { return m_rcIcon; }
    const RECT& GetTypeBox() const { return m_rcType; }

private:
    // The three boxes from the rectangle, in the context's current font;
    // the rectangle takes the left and right of the widest.
    void Layout(HDC hDC);
    const char* TypeName() const;
    // Edits the block's properties and brings its display objects in line.
    static void EditProperties(DisplayPane* pPane, PowerBlock* pBlock);

    RECT m_rcName;
    RECT m_rcIcon;
    RECT m_rcType;
};

class GotoBlockObject : public DisplayObject
{
public:
    // Also joins the block's list of display objects.
    GotoBlockObject(DisplayPane* pPane, GotoBlock* pStub, const RECT& rc, PowerBlock* pBlock);
    ~GotoBlockObject() override;

    classType isA() const override { return PX_CLASS_GOTOBLOCKOBJECT; }
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    bool Shows(const UIObject* pObject) const override;
    int Layer() const override { return DO_LAYER_HANDLES; }
    const char* HoverText() override;
    const char* StatusText() override;

    PowerBlock* GetBlock() const { return m_pBlock; }
    GotoBlock* GetStub() const;

private:
    PowerBlock* m_pBlock;       // not owned
};

class BranchObject : public DisplayObject
{
public:
    // Copies the points; without memory for them message 57 is shown and
    // the object has none.
    BranchObject(DisplayPane* pPane, PowerBlock* pBlock, const RECT& rc, POINT ptStart, const POINT* pPoints,
                 int nCount);

    classType isA() const override { return PX_CLASS_BRANCHOBJECT; }
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    // A branch mark is never hit by a point.
    bool Contains(long, long) const override { return false; }

    POINT GetStart() const { return m_ptStart; }
    int GetPointCount() const { return static_cast<int>(m_Points.size()); }
    const POINT* GetPoints() const { return m_Points.data(); }

private:
    POINT m_ptStart;
    std::vector<POINT> m_Points;
};

#endif
