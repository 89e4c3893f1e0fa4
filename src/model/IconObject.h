// IconObject: one entry of a palette pane, a block or group icon drawn over
// its label of one or two lines.
#ifndef ICONOBJECT_H
#define ICONOBJECT_H

#include "DisplayObject.h"

class Icon;

class IconObject : public DisplayObject
{
public:
    // The cell the entry fills and the size of its icon; the layout is
    // made at the first drawing.
    IconObject(DisplayPane* pPane, Icon* pIcon, const RECT& rcCell, long nIconWidth, long nIconHeight);

    void Draw(HDC hDC, const DrawOffset* pOffset, const RECT* pClip) override;
    // In the icon or in its label.
    bool Contains(long x, long y) const override;
    RECT DragOutline() const override { return m_rcIcon; }

    Icon* GetIcon() const;
    bool IsLaidOut() const { return m_bLaidOut; }
    const RECT& GetIconRect() const { return m_rcIcon; }
    const RECT& GetLabelRect() const { return m_rcLabel; }
    const char* GetFirstLine() const { return m_strFirst; }
    const char* GetSecondLine() const { return m_strSecond; }

private:
    void Layout(HDC hDC);

    RECT m_rcIcon;
    RECT m_rcLabel;
    bool m_bLaidOut;
    CString m_strFirst;
    CString m_strSecond;
    long m_nFirstX;
    long m_nSecondX;
    long m_nIconWidth;
    long m_nIconHeight;
};

// The entry of one block type in the block palette pane.
class PowerBlockIconObject : public IconObject
{
public:
    using IconObject::IconObject;
    classType isA() const override { return PX_CLASS_POWERBLOCKICONOBJECT; }
    const char* StatusText() override;
    const char* DragText() override;
    const char* HoverText() override;
};

// The entry of one group in the group palette pane.
class PowerBlockGroupIconObject : public IconObject
{
public:
    using IconObject::IconObject;
    classType isA() const override { return PX_CLASS_GROUPICONOBJECT; }
    const char* StatusText() override;
    const char* HoverText() override;
};

#endif
