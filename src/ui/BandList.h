// BandList: the outlines that follow the mouse while objects or palette
// icons are dragged, drawn with NOT-XOR on their owner pane so that
// drawing an outline twice erases it. One list serves the program; only
// one drag runs at a time. The list owns its outlines.
#ifndef BANDLIST_H
#define BANDLIST_H

#include "UIObject.h"

#include <vector>

// One outline: a rectangle or a line, in the owner's client coordinates.
class BandObject : public UIObject
{
public:
    classType isA() const override { return 0; }
    virtual void Draw(HDC hDC) const = 0;
    virtual void Offset(long dx, long dy) = 0;
};

class RectBandObject : public BandObject
{
public:
    explicit RectBandObject(const RECT& rc) : m_rc(rc) {}
    // From (left, top) round by the stored corners, not normalised.
    void Draw(HDC hDC) const override;
    void Offset(long dx, long dy) override;
    const RECT& GetRect() const { return m_rc; }

private:
    RECT m_rc;
};

class LineBandObject : public BandObject
{
public:
    LineBandObject(long x1, long y1, long x2, long y2) : m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2) {}
    void Draw(HDC hDC) const override;
    void Offset(long dx, long dy) override;

private:
    long m_x1, m_y1, m_x2, m_y2;
};

class BandList
{
public:
    BandList() : m_hOwner(nullptr), m_nOriginX(0), m_nOriginY(0), m_bVisible(false), m_nDraws(0) {}
    ~BandList();

    // A new owner: the outlines are hidden and deleted and (x, y) becomes
    // the origin; the same owner keeps outlines and origin.
    void Start(HWND hOwner, long x, long y);
    void AddRect(const RECT& rc);
    void AddLine(long x1, long y1, long x2, long y2);
    // Draws or erases every outline when the state changes.
    void Show(bool bOn);
    // Moves every outline by (x, y) minus the origin; (x, y) becomes the
    // origin; the shown state stays.
    void Move(long x, long y);
    // Hides and deletes the outlines and forgets the owner.
    void Clear();
    // The owner window is going: the outlines are deleted without drawing
    // (nothing of them is left on a window that no longer exists).
    void ForgetWindow(HWND hWnd);

    HWND GetOwner() const { return m_hOwner; }
    bool IsVisible() const { return m_bVisible; }
    int GetCount() const { return static_cast<int>(m_Outlines.size()); }
    POINT GetOrigin() const { return {m_nOriginX, m_nOriginY}; }
    const BandObject* GetOutline(int n) const { return m_Outlines[static_cast<size_t>(n)]; }
    // Outlines drawn minus outlines erased since the list was made: 0
    // whenever nothing of them is on the screen.
    long GetInkBalance() const { return m_nDraws; }

private:
    BandList(const BandList&) = delete;
    BandList& operator=(const BandList&) = delete;

    void Append(BandObject* pBand);
    void DrawOne(const BandObject* pBand, int nInk);
    void DeleteAll();

    HWND m_hOwner;
    long m_nOriginX;
    long m_nOriginY;
    bool m_bVisible;
    long m_nDraws;
    std::vector<BandObject*> m_Outlines;
};

// The program's one outline list.
BandList& GetBandList();

#endif
