// DisplayObject: one drawable, clickable part of an object pane, bound to
// one model object and placed by a rectangle in the pane's view units. The
// pane keeps its display objects in layers and in its spatial grid, draws
// them, asks them for hit tests and status-line texts and lets them handle
// clicks. The subclasses are in IconObject.h, PowerBlockObject.h,
// LineObjects.h and PXTextDObj.h.
#ifndef DISPLAYOBJECT_H
#define DISPLAYOBJECT_H

#include "PXafx.h"
#include "classlib/Object.h"
#include "DisplayPane.h"

class UIObject;

// Class numbers of the display objects.
enum
{
    PX_CLASS_GROUPICONOBJECT = 306,
    PX_CLASS_POWERBLOCKICONOBJECT = 307,
    PX_CLASS_POWERBLOCKOBJECT = 308,
    PX_CLASS_GOTOBLOCKOBJECT = 309,
    PX_CLASS_LINESEGMENTOBJECT = 310,
    PX_CLASS_LINELABELOBJECT = 311,
    PX_CLASS_LINEBLOCKOBJECT = 312,
    PX_CLASS_BRANCHOBJECT = 313,
    PX_CLASS_TEXTDOBJ = 314
};

// The pane layers, drawn from 0 up.
enum
{
    DO_LAYER_NOTES = 0,
    DO_LAYER_BLOCKS = 1,
    DO_LAYER_LABELS = 3,
    DO_LAYER_SEGMENTS = 4,
    DO_LAYER_HANDLES = 5,
    DO_LAYER_COUNT = 6
};

// Click kinds that a pane sends.
enum
{
    DO_CLICK_LEFT = 1,
    DO_CLICK_RIGHT = 2,
    DO_CLICK_DOUBLE = 3,
    DO_CLICK_RIGHTDOUBLE = 4,
    DO_CLICK_OPEN = 7           // double click with Ctrl
};

// Where a drawing goes on the target: the painting pane passes all zeros.
struct DrawOffset
{
    long x;
    long y;
    long cx;
    long cy;
};

class DisplayObject : public Object
{
public:
    // Joins the model object's list of display objects.
    DisplayObject(DisplayPane* pPane, UIObject* pObject, const RECT& rc);
    // Leaves that list; destroys nothing else.
    ~DisplayObject() override;

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

    // A click at (x, y) in view units; true when handled. A handler may
    // destroy this object through the pane's notifications: after that it
    // touches no member.
    virtual bool Click(long x, long y, int nKind) { return false; }
    // Draws into the context, which carries the pane's mapping.
    virtual void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) {}
    // True when the object is the one shown (or, for the parts of a block
    // or a goto line, their whole).
    virtual bool Shows(const UIObject* pObject) const { return pObject == m_pObject; }
    virtual bool Intersects(const RECT& rc) const;
    // Edges included.
    virtual bool Contains(long x, long y) const;
    virtual bool IsBlockObject() const { return false; }
    virtual int Layer() const { return DO_LAYER_BLOCKS; }
    virtual RECT DragOutline() const { return m_rc; }
    // Status-line texts; none (null) leaves the line empty. A text lives
    // until the next call of the same operation.
    virtual const char* HoverText() { return nullptr; }
    virtual const char* DragText() { return nullptr; }
    virtual const char* StatusText() { return nullptr; }

    DisplayPane* GetPane() const { return m_pPane; }
    UIObject* GetObject() const { return m_pObject; }
    const RECT& GetRect() const { return m_rc; }
    void SetRect(const RECT& rc) { m_rc = rc; }

    // A text of the program's string table, loaded once per run.
    static const char* Text(UINT nId);

protected:
    DisplayPane* m_pPane;       // not owned
    UIObject* m_pObject;        // not owned
    RECT m_rc;

private:
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;
};

// The handles of the named pens and brushes that the display objects draw
// with, looked up in the program's tables. A name missing from its table
// is a consistency failure.
struct DisplayResources
{
    HPEN hGrayFrame;
    HPEN hPinkFrame;
    HPEN hNormalGoto;
    HPEN hSelectedGoto;
    HPEN hStubGoto;
    HBRUSH hNormalGotoBlock;
    HBRUSH hSelectedGotoBlock;
    HBRUSH hGotoLineBlock;
    HBRUSH hGotoLabelBackground;
    HBRUSH hTextNote;
    COLORREF crCurrent;
    COLORREF crBreakpoint;
    COLORREF crGotoLabelBackground;

    // Looked up once, and again when the tables were made anew.
    static const DisplayResources& Get();
};

// Selects a font into a context for its life and selects the previous one
// back.
class UseFont
{
public:
    UseFont(HDC hDC, HFONT hFont) : m_hDC(hDC), m_hOld(hFont ? SelectObject(hDC, hFont) : nullptr) {}
    ~UseFont()
    {
        if (m_hOld)
            SelectObject(m_hDC, m_hOld);
    }

private:
    UseFont(const UseFont&) = delete;
    UseFont& operator=(const UseFont&) = delete;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// The pane's context for the life of the object.
class PaneDC
{
public:
    explicit PaneDC(DisplayPane* pPane) : m_pPane(pPane), m_hDC(pPane->GetPaneDC()) {}
    ~PaneDC()
    {
        if (m_hDC)
            m_pPane->ReleasePaneDC(m_hDC);
    }
    operator HDC() const { return m_hDC; }

private:
    PaneDC(const PaneDC&) = delete;
    PaneDC& operator=(const PaneDC&) = delete;
    DisplayPane* m_pPane;
    HDC m_hDC;
};

// The width of a text in the context's current font, in logical units.
long TextWidth(HDC hDC, const char* pszText);

#endif
