// The display objects of a goto line: LineSegmentObject (one segment),
// LineBlockObject (the break handle at a segment's end) and
// LineLabelObject (the name of the target beside a labelled stub).
#ifndef LINEOBJECTS_H
#define LINEOBJECTS_H

#include "DisplayObject.h"

class Goto;
class Segment;

class LineSegmentObject : public DisplayObject
{
public:
    // Also joins the list of the segment's goto.
    LineSegmentObject(DisplayPane* pPane, Segment* pSegment, const RECT& rc, int bHorizontal);
    ~LineSegmentObject() override;

    classType isA() const override { return PX_CLASS_LINESEGMENTOBJECT; }
    // A double click on a selected line breaks the segment in two.
    bool Click(long x, long y, int nKind) override;
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    bool Shows(const UIObject* pObject) const override;
    int Layer() const override { return DO_LAYER_SEGMENTS; }
    const char* HoverText() override;
    const char* DragText() override;
    const char* StatusText() override;

    Segment* GetSegment() const;
    Goto* GetGoto() const { return m_pGoto; }
    bool IsHorizontal() const { return m_bHorizontal != 0; }

private:
    Goto* m_pGoto;              // not owned
    int m_bHorizontal;
};

class LineBlockObject : public DisplayObject
{
public:
    // Also joins the list of the segment's goto.
    LineBlockObject(DisplayPane* pPane, Segment* pSegment, const RECT& rc);
    ~LineBlockObject() override;

    classType isA() const override { return PX_CLASS_LINEBLOCKOBJECT; }
    // A double click on the handle of a selected line joins the segment
    // with the one before it.
    bool Click(long x, long y, int nKind) override;
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    bool Shows(const UIObject* pObject) const override;
    int Layer() const override { return DO_LAYER_HANDLES; }
    const char* HoverText() override;
    const char* StatusText() override;

    Segment* GetSegment() const;
    Goto* GetGoto() const { return m_pGoto; }

private:
    Goto* m_pGoto;              // not owned
};

class LineLabelObject : public DisplayObject
{
public:
    LineLabelObject(DisplayPane* pPane, Goto* pGoto, const RECT& rc);

    classType isA() const override { return PX_CLASS_LINELABELOBJECT; }
    // Takes the width of the target's name, which it keeps from then on.
    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    int Layer() const override { return DO_LAYER_LABELS; }

    Goto* GetGoto() const;
};

#endif
