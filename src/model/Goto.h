// Goto: the connection from one output of a block to another block of the
// same page, drawn as a line of horizontal and vertical Segments. The goto
// of a plain output is also a connection of the application model; the
// goto of a group output exists only in the editor.
#ifndef GOTO_H
#define GOTO_H

#include "UIObject.h"
#include "classlib/InsertArray.h"
#include "plexmodel.h"

class PowerBlock;
class Goto;
class GotoRoutePane;

// Flag bits of a goto.
enum
{
    GOTO_FLAG_GROUP = 0x01,     // goto of a group output: not in the model
    GOTO_FLAG_REROUTE = 0x02,   // must be routed again
    GOTO_FLAG_HANDEDIT = 0x04,  // the line was edited by hand
    GOTO_FLAG_STUB = 0x08,      // drawn as a short stub without a label
    GOTO_FLAG_LABELSTUB = 0x10, // drawn as a short stub with the target's name
    GOTO_FLAG_FROMMODEL = 0x20  // made from the model while loading, not yet looked at
};

// Directions of a segment.
enum
{
    SEG_EAST = 1,
    SEG_SOUTH = 2,
    SEG_WEST = 4,
    SEG_NORTH = 8
};

class Segment : public ProgramObject
{
public:
    Segment(Goto* pGoto, long fromX, long fromY, long toX, long toY);
    Segment();

    classType isA() const override { return PX_CLASS_SEGMENT; }
    Program* GetProgram() const override;
    Page* GetPage() const override;

    // The segment's record of the program file (ProgramText.cpp,
    // ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;

    int Direction() const;
    bool IsHorizontal() const { return m_nFromX != m_nToX; }
    bool IsVertical() const { return m_nFromX == m_nToX; }
    bool IsPoint() const { return m_nFromX == m_nToX && m_nFromY == m_nToY; }
    bool IsFirst() const;

    void Set(long fromX, long fromY, long toX, long toY)
    {
        m_nFromX = fromX;
        m_nFromY = fromY;
        m_nToX = toX;
        m_nToY = toY;
    }
    void SetFrom(long x, long y) { m_nFromX = x; m_nFromY = y; }
    void SetTo(long x, long y) { m_nToX = x; m_nToY = y; }

    long m_nFromX;
    long m_nFromY;
    long m_nToX;
    long m_nToY;
};

class Goto : public ProgramObject
{
public:
    // The goto of the output of the block to the target; registered with
    // the model unless bRegistered says the model already has it. A goto
    // that the model refuses loses its target; the caller reports it.
    Goto(PBOutputEntry* pEntry, PowerBlock* pBlock, PowerBlock* pTarget, int bRegistered);
    // A copy for pasting: output name, colour and flags; no owner, target
    // or segments.
    explicit Goto(const Goto& other);
    // Bare, for the loader.
    Goto();
    ~Goto() override;

    classType isA() const override { return PX_CLASS_GOTO; }
    Program* GetProgram() const override;
    Page* GetPage() const override;

    // The goto's record of the program file (ProgramText.cpp,
    // ProgramBinary.cpp).
    int WriteText(LSStream& stream) override;
    int ReadText(LSStream& stream) override;
    bool ReadBinary(Buffer& buf) override;

    // The registration step: flag 0x1 for a group output, otherwise the
    // model's connection (unless bRegistered).
    void Register(PBOutputEntry* pEntry, int bRegistered);

    PowerBlock* GetBlock() const;
    PowerBlock* GetTarget() const { return m_pTarget; }
    void SetTarget(PowerBlock* pTarget) { m_pTarget = pTarget; }
    const char* GetOutputName() const { return m_strOutput; }
    void SetOutputName(const char* psz) { m_strOutput = psz ? psz : ""; }
    long GetColor() const { return m_nColor; }
    void SetColor(long nColor) { m_nColor = nColor; }
    long GetFlags() const { return m_nFlags; }
    void SetFlags(long nFlags) { m_nFlags = nFlags; }

    bool HasFlag(long nBits) const { return (m_nFlags & nBits) != 0; }
    void SetFlag(long nBits) { m_nFlags |= nBits; }
    void ClearFlag(long nBits) { m_nFlags &= ~nBits; }
    void MarkForReroute() { SetFlag(GOTO_FLAG_REROUTE); }
    bool IsRerouteMarked() const { return HasFlag(GOTO_FLAG_REROUTE); }
    static bool IsSelectableAlone(const Goto* pGoto) { return !pGoto->HasFlag(GOTO_FLAG_FROMMODEL); }

    InsertArray& GetSegments() { return m_Segments; }
    int GetSegmentCount() const { return static_cast<int>(m_Segments.getItemsInContainer()); }
    Segment* GetSegment(int nIndex) const;
    Segment* AddSegment(long fromX, long fromY, long toX, long toY, int nAt = -1);
    void AppendSegment(Segment* pSegment);
    int IndexOf(const Segment* pSegment) const;
    void RemoveSegment(Segment* pSegment);
    void RemoveAllSegments();

    // The line's segments, laid out first when it has none or is marked
    // for routing (GotoRoute.cpp).
    InsertArray& Route(GotoRoutePane* pPane);
    // Lays the line out again from the pane's stub and block places.
    void RouteLine(GotoRoutePane* pPane);
    // Where a routed line leaves its exit run (a, b) and joins its entry
    // run (c, d), as RouteLine lays them out now; false when the output is
    // not drawn or has no target.
    bool GetRouteEnds(GotoRoutePane* pPane, long& a, long& b, long& c, long& d);
    // The three-segment line from (a, b) to the goal (c, d).
    void SimpleRoute(GotoRoutePane* pPane, long a, long b, long c, long d);
    // The line of the search of "Smart Routing" from (a, b) to the goal
    // (c, d), appended; 1 when the search found one, 0 when it gave up,
    // was stopped with Escape or could not start because another routing
    // runs.
    int MazeRoute(GotoRoutePane* pPane, long a, long b, long c, long d);
    // Adapts a line edited by hand to the moved ends: 1 when it could.
    int KeepManualRoute(long sx, long sy, long tx, long ty, long w);
    // Drops an end segment that doubles back over its neighbour.
    void TrimRouteEnds();

    // Hand edits of the line.
    void MoveSegment(Segment* pSegment, long x, long y);
    void SplitSegment(Segment* pSegment, long x, long y);
    void JoinSegment(Segment* pSegment);

private:
    Goto& operator=(const Goto&) = delete;

    CString m_strOutput;
    long m_nColor;
    long m_nFlags;
    InsertArray m_Segments;
    PowerBlock* m_pTarget;
};

#endif
