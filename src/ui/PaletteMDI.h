// PaletteMDI: the MDI window that shows the groups of a palette list and
// the blocks of the chosen group, through its group pane and block pane;
// pointed at a program it adds the program's library groups and shows the
// program's custom, SuperBlock and Verification Block lists.
#ifndef PALETTEMDI_H
#define PALETTEMDI_H

#include "UIMDIChildWindow.h"
#include "classlib/List.h"

class Icons;
class GroupIcon;
class GroupPaletteChild;
class PowerBlockPaletteChild;
class List;

class PaletteMDI : public UIMDIChildWindow
{
public:
    PaletteMDI(TMDIClient& client, const LayoutRecord* pRecord, Icons* pIcons, const char* pszTitle,
               TWindow* pClientWnd = nullptr);
    ~PaletteMDI() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void SetProgram(Program* pProgram);
    // The program the palette follows (none without one).
    Program* GetFollowedProgram() const { return m_pProgram; }
    // The blocks the palette offers, when they are known only after the
    // window was made; SetProgram then shows their groups.
    void SetIcons(Icons* pIcons) { m_pIcons = pIcons; }
    void ShowGroup(GroupIcon* pGroup);
    // The group of the tab the user chose (again): it becomes the group
    // pane's current group and is shown, its blocks listed anew.
    void ChooseGroup(GroupIcon* pGroup);
    // The palette's tabs refilled from the group pane.
    void InitGroupTabs();
    void UpdateGroupTabs();
    void RefreshGroupTabs(int nIndex);

    GroupPaletteChild* GetGroupPane() const { return m_pGroupPane; }
    PowerBlockPaletteChild* GetBlockPane() const { return m_pBlockPane; }
    Icons* GetIcons() const { return m_pIcons; }
    // The library groups of the program the palette follows (none without one).
    List* GetLibraryGroups() const { return m_pLibraryGroups; }
    // 1 the custom group shown; 0 otherwise.
    int GetCustomShown() const { return m_nCustomShown; }
    // 1 SuperBlocks, 2 Verification Blocks shown; 0 otherwise.
    int GetPageKindShown() const { return m_nPageKindShown; }
    // 3 an imported library shown; 0 otherwise.
    int GetLibraryShown() const { return m_nLibraryShown; }

private:
    // Empties the tabs and adds one per shown group, selecting the tab
    // nSelect, or the current group's when nSelect is -1; false without a
    // palette window.
    bool FillTabs(bool bRequireWindow, int nSelect);
    List* ListOfCurrent() const;

    Icons* m_pIcons;
    Program* m_pProgram;
    PowerBlockPaletteChild* m_pBlockPane;
    List* m_pCustomBlocks;
    List* m_pSuperBlocks;
    List* m_pVerifyBlocks;
    List* m_pLibraryGroups;
    int m_nCustomShown;
    int m_nPageKindShown;
    int m_nLibraryShown;
    GroupPaletteChild* m_pGroupPane;
    // The groups of the palette list followed by the program's SuperBlock
    // and Verification Block groups; holds them, does not own them.
    List m_ListedGroups;
    GroupIcon* m_pPageGroups[2];
};

#endif
