// The two object panes of a palette window: the group pane keeps the list
// of block groups and the current one; the block pane keeps the block
// icons of the current group and, whenever it is laid out, refills the
// list of the block palette window with them.
#ifndef PALETTEPANES_H
#define PALETTEPANES_H

#include "ObjectChild.h"
#include "classlib/List.h"

class GroupIcon;
class PaletteMDI;

class GroupPaletteChild : public ObjectChild
{
public:
    // Every group of the list is shown, in order; none is current.
    GroupPaletteChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight, List* pGroups);
    ~GroupPaletteChild() override;

    const char* GetClassName() override { return "GROUPPALETTE"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void Relayout() override {}
    void ReadScale() override {}
    int PaneType() override { return 258; }
    bool Select(UIObject* pObject, bool bExclusive, int nHow) override;
    DisplayObject* CreateItemObject(UIObject* pItem, const RECT& rcCell) override;
    List* GetItemList() override { return &m_Groups; }

    // The program's library groups (none for no program), then the groups
    // of the palette list. The third group becomes current, or the last one
    // when there are fewer; the palette window shows it and refills its
    // tabs.
    void RebuildGroups(List* pModelGroups, List* pProgramGroups);

    GroupIcon* GetCurrentGroup() const { return m_pCurrentGroup; }
    void SetCurrentGroup(GroupIcon* pGroup) { m_pCurrentGroup = pGroup; }

private:
    PaletteMDI* GetPaletteWindow() const;

    List m_Groups;                  // holds the groups, does not own them
    GroupIcon* m_pCurrentGroup;
};

class PowerBlockPaletteChild : public ObjectChild
{
public:
    PowerBlockPaletteChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight, List* pItems);

    const char* GetClassName() override { return "PBPALETTE"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void ReadScale() override {}
    int PaneType() override { return 259; }
    // Refills the block palette's list with the icons, when the palette is
    // open.
    void Relayout() override;
    int CanAcceptDrop(DragState* pState, int x, int y) override;
    void Outline(DragState* pState, BandList* pOutlines, int x, int y) override;
    DisplayObject* CreateItemObject(UIObject* pItem, const RECT& rcCell) override;
    List* GetItemList() override { return m_pItems; }

    // The selection goes, the list (not owned; none) is shown and laid out.
    void SetDisplayList(List* pItems);
    RECT GetItemRect(UIObject* pItem, long x, long y) const;

private:
    List* m_pItems;
};

#endif
