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
    // of the palette list. The group the user chose last stays current
    // while one of its name is listed; otherwise the third group becomes
    // current, or the last one when there are fewer, or the first the
    // palette lists when that one is not listed. The palette window shows
    // it and refills its tabs.
    void RebuildGroups(List* pModelGroups, List* pProgramGroups);

    GroupIcon* GetCurrentGroup() const { return m_pCurrentGroup; }
    void SetCurrentGroup(GroupIcon* pGroup) { m_pCurrentGroup = pGroup; }
    // The group the user chose: current, and kept when the groups are
    // made again.
    void ChooseGroup(GroupIcon* pGroup);
    // The place of a group among the groups the palette lists as tabs; -1
    // when it is not one of them.
    int TabIndexOf(const GroupIcon* pGroup);
    // The group of a tab; none for an index out of range.
    GroupIcon* GroupOfTab(int nTab);

private:
    PaletteMDI* GetPaletteWindow() const;

    List m_Groups;                  // holds the groups, does not own them
    GroupIcon* m_pCurrentGroup;
    CString m_strChosen;            // the name of the group the user chose
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
