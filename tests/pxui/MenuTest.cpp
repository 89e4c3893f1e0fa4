// The menus on real menu handles: the resources "MAINMENU", "KEYS", the
// context menus and every hint; the main menu bar, the context menus and
// the Hide/Show Outputs submenu showing the command states.
#include "MenuTestSupport.h"
#include "PXCmdIds.h"
#include "PXCommandHandler.h"
#include "PXGotoMenu.h"
#include "PXMenu.h"
#include "PXTextUI.h"
#include "PXWnd.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// One item of a menu as the system holds it: command id (or -1 for a
// popup, 0 for a separator), text and state flags.
struct Item
{
    int id;
    std::string text;
    UINT state;
    HMENU hSub;
};

std::vector<Item> Items(HMENU hMenu)
{
    std::vector<Item> items;
    int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        EXPECT_TRUE(GetMenuItemInfoA(hMenu, i, TRUE, &info));
        Item item;
        item.hSub = info.hSubMenu;
        item.id = (info.fType & MFT_SEPARATOR) ? 0 : info.hSubMenu ? -1 : static_cast<int>(info.wID);
        item.text = (info.fType & MFT_SEPARATOR) ? "-" : szText;
        item.state = GetMenuState(hMenu, i, MF_BYPOSITION);
        items.push_back(item);
    }
    return items;
}

std::string Str(UINT nId)
{
    char sz[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), nId, sz, sizeof(sz));
    return sz;
}

bool Grayed(HMENU hMenu, UINT uId)
{
    UINT uState = GetMenuState(hMenu, uId, MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), uState) << uId;
    return (uState & MF_GRAYED) != 0;
}

bool Checked(HMENU hMenu, UINT uId)
{
    UINT uState = GetMenuState(hMenu, uId, MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), uState) << uId;
    return (uState & MF_CHECKED) != 0;
}

struct MenuLine
{
    int id;     // 0 separator, -1 popup
    const char* text;
};

void ExpectMenu(HMENU hMenu, const std::vector<MenuLine>& lines)
{
    std::vector<Item> items = Items(hMenu);
    ASSERT_EQ(lines.size(), items.size());
    for (size_t i = 0; i < lines.size(); ++i)
    {
        EXPECT_EQ(lines[i].id, items[i].id) << i;
        EXPECT_EQ(lines[i].text, items[i].text) << i;
    }
}

// The 41 commands of the table.
const int s_anCommands[] = {
    4132, 4131, 101, 4232, 4136, 4135, 51, 4178, 4145, 4146, 4162, 4233, 4142, 4143, 4165, 4144, 4130,
    4228, 4203, 4229, 4138, 4139, 4141, 4140, 4150, 4221, 4202, 4154, 4174, 4222, 4237, 4238, 4239,
    4240, 4241, 4242, 4243, 4244, 4245, 4246, 4249,
};

} // namespace

// ---------------------------------------------------------------------------
// Resources

TEST(MenuResources, MainMenuHoldsEveryItemInOrder)
{
    HMENU hMenu = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENU");
    ASSERT_NE(nullptr, hMenu);
    ExpectMenu(hMenu, { { -1, "&File" }, { -1, "&Edit" }, { -1, "&View" }, { -1, "&Options" }, { -1, "&Define" },
                        { -1, "&Window" }, { -1, "&Help" } });
    ExpectMenu(GetSubMenu(hMenu, 0), {
        { 4128, "&New...\tCtrl+N" }, { 4129, "&Open...\tCtrl+O" }, { 4132, "&Close" }, { 0, "-" },
        { 4130, "&Save\tCtrl+S" }, { 4131, "Save &As..." }, { 101, "&Import..." }, { 4228, "&Remove Import..." },
        { 4203, "&Export" }, { 4229, "&Undo Export" }, { 4167, "Build Pro&gram" }, { 0, "-" },
        { 4230, "&Delete..." }, { 4231, "&Locks..." }, { 4232, "&Properties..." }, { 0, "-" },
        { 4136, "Prin&t Setup..." }, { 4135, "Print &Flow...\tCtrl+P" }, { 51, "Print &Block Details..." },
        { 4178, "Print &Voice/Fax Items..." }, { 4225, "Print SuperBloc&k Details..." }, { 0, "-" },
        { 24310, "E&xit" } });
    HMENU hEdit = GetSubMenu(hMenu, 1);
    ExpectMenu(hEdit, {
        { 4138, "Cu&t\tCtrl+X" }, { 4139, "&Copy\tCtrl+C" }, { 4140, "&Paste\tCtrl+V" }, { 4141, "&Delete\tDel" },
        { 4150, "&Rename" }, { 0, "-" }, { -1, "&Hide/Show Outputs" }, { 4202, "&Block Properties..." },
        { 4154, "Reroute &Line\tCtrl+R" }, { 4174, "&Stub/Restore Line\tCtrl+L" }, { 0, "-" },
        { 4221, "Create Text &Note\tCtrl+T" }, { 4222, "Change Text Note &Font..." },
        { 4249, "&Edit Text Note\tCtrl+E" }, { 0, "-" }, { 4179, "F&ind...\tCtrl+F" },
        { 4168, "Reroute &All Lines" } });
    HMENU hOutputs = GetSubMenu(hEdit, 6);
    ExpectMenu(hOutputs, { { 4096, "(No block selected)" } });
    EXPECT_TRUE(GetMenuState(hOutputs, 0, MF_BYPOSITION) & MF_GRAYED);
    ExpectMenu(GetSubMenu(hMenu, 2), {
        { 4162, "&Palette" }, { 4156, "&Tool Bar" }, { 4195, "Page &Grid" }, { 0, "-" }, { 4233, "F&ull screen" },
        { 0, "-" }, { 4142, "Zoom &In\t+" }, { 4143, "Zoom &Out\t-" }, { 4165, "&Zoom Normal\tCtrl+PgUp" },
        { 4144, "&Set Zoom..." }, { 0, "-" }, { 4237, "Pag&e Up\tPgUp" }, { 4238, "Page &Down\tPgDn" },
        { 4239, "Page &Left\tCtrl+LeftArrow" }, { 4240, "Page &Right\tCtrl+RightArrow" }, { 0, "-" },
        { 4170, "Super&Blocks..." }, { 4176, "&Verification Blocks..." }, { 0, "-" }, { 4157, "Status Li&ne" },
        { 4171, "Old Block P&alette" } });
    HMENU hOptions = GetSubMenu(hMenu, 3);
    ExpectMenu(hOptions, {
        { 4210, "&Confirm Paste/Delete" }, { 4196, "Print &Frame" }, { 4247, "&Auto Name Ziriraradur" }, { 0, "-" },
        { -1, "&Program Diagnostics" }, { -1, "&Log Level" }, { 0, "-" },
        { 4223, "Set Default &Text Note Font..." }, { 4248, "Auto &Save Options..." }, { 0, "-" },
        { 4163, "S&mart Routing" }, { 4172, "Label Stub &Gotos" }, { 4175, "Snap to G&rid" },
        { 4200, "Old &Variable Types" }, { 0, "-" }, { 4158, "PowerBlock Fo&nt..." }, { 4166, "Pal&ette Font..." } });
    ExpectMenu(GetSubMenu(hOptions, 4), { { 4253, "None" }, { 4250, "Low" }, { 4251, "Medium" }, { 4252, "High" } });
    ExpectMenu(GetSubMenu(hOptions, 5), { { 4254, "Low" }, { 4255, "Medium" }, { 4256, "High" } });
    ExpectMenu(GetSubMenu(hMenu, 4), {
        { 4145, "&Voice Items..." }, { 4146, "&Fax Items..." }, { 0, "-" }, { 4173, "&SuperBlocks..." },
        { 4177, "V&erification Blocks..." }, { 4169, "&New SuperBlock..." }, { 0, "-" },
        { 4226, "&Program Comment..." }, { 4224, "Super&Block Comment..." } });
    ExpectMenu(GetSubMenu(hMenu, 5),
               { { 24362, "&Tile" }, { 24361, "&Cascade" }, { 4199, "&Reposition Windows" } });
    ExpectMenu(GetSubMenu(hMenu, 6), {
        { 4160, "&Help Topics\tF1" }, { 4204, "Help on &Plexwright" }, { 0, "-" }, { 4205, "&Using Help..." },
        { 0, "-" }, { 4234, "&Tutorial..." }, { 4235, "Online Telvanta &Documentation..." }, { 0, "-" },
        { 4161, "&About Plexwright..." } });
    DestroyMenu(hMenu);
}

TEST(MenuResources, KeysBindEveryKeyOfTheTable)
{
    HACCEL hAccel = LoadAcceleratorsA(GetModuleHandleA(nullptr), "KEYS");
    ASSERT_NE(nullptr, hAccel);
    ACCEL accel[64];
    int n = CopyAcceleratorTableA(hAccel, accel, 64);
    struct Key { WORD key; bool ctrl; WORD id; };
    const Key keys[] = {
        { VK_DELETE, false, 4141 }, { VK_ESCAPE, false, 4201 }, { 'X', true, 4138 }, { 'C', true, 4139 },
        { 'V', true, 4140 }, { 'T', true, 4221 }, { 'E', true, 4249 }, { 'N', true, 4128 }, { 'O', true, 4129 },
        { 'S', true, 4130 }, { 'P', true, 4135 }, { 'L', true, 4174 }, { 'R', true, 4154 }, { 'F', true, 4179 }, { VK_PRIOR, true, 4165 }, { VK_F1, false, 4160 },
        { VK_ADD, false, 4142 }, { VK_SUBTRACT, false, 4143 }, { VK_PRIOR, false, 4237 }, { VK_NEXT, false, 4238 },
        { VK_UP, true, 4237 }, { VK_DOWN, true, 4238 }, { VK_LEFT, true, 4239 }, { VK_RIGHT, true, 4240 },
        { VK_UP, false, 4241 }, { VK_DOWN, false, 4242 }, { VK_LEFT, false, 4243 }, { VK_RIGHT, false, 4244 },
        { VK_HOME, false, 4245 }, { VK_HOME, true, 4246 },
    };
    ASSERT_EQ(static_cast<int>(sizeof(keys) / sizeof(keys[0])), n);
    for (const Key& k : keys)
    {
        bool bFound = false;
        for (int i = 0; i < n; ++i)
        {
            bool bCtrl = (accel[i].fVirt & FCONTROL) != 0;
            if (accel[i].key == k.key && bCtrl == k.ctrl)
            {
                EXPECT_FALSE(bFound) << "key " << k.key << " bound twice";
                bFound = true;
                EXPECT_EQ(k.id, accel[i].cmd) << "key " << k.key;
                EXPECT_TRUE(accel[i].fVirt & FVIRTKEY) << "key " << k.key;
                EXPECT_FALSE(accel[i].fVirt & (FSHIFT | FALT)) << "key " << k.key;
            }
        }
        EXPECT_TRUE(bFound) << "key " << k.key << (k.ctrl ? " with Ctrl" : "");
    }
    DestroyAcceleratorTable(hAccel);
}

TEST(MenuResources, ContextMenusAndMenuTextsLoad)
{
    HMENU hBlock = LoadMenuA(GetModuleHandleA(nullptr), "PBCTXTMENU");
    ASSERT_NE(nullptr, hBlock);
    ExpectMenu(GetSubMenu(hBlock, 0), { { 4138, "Cu&t" }, { 4139, "&Copy" }, { 4141, "&Delete" }, { 4150, "&Rename" },
                                        { 0, "-" }, { -1, "Hide/Show Outputs" }, { 0, "-" }, { 4202, "P&roperties" } });
    DestroyMenu(hBlock);
    HMENU hPage = LoadMenuA(GetModuleHandleA(nullptr), "APPCTXTMENU");
    ASSERT_NE(nullptr, hPage);
    ExpectMenu(GetSubMenu(hPage, 0), { { 4130, "Save" }, { 0, "-" }, { 4142, "Zoom In" }, { 4143, "Zoom Out" },
                                       { 4165, "Zoom Normal" }, { 0, "-" }, { 4140, "Paste" }, { 0, "-" },
                                       { 4221, "Create Text Note" }, { 4249, "Edit Text Note" } });
    DestroyMenu(hPage);
    EXPECT_EQ("(No block selected)", Str(IDS_MENU_NOBLOCK));
    EXPECT_EQ("(No outputs)", Str(IDS_MENU_NOOUTPUTS));
    EXPECT_EQ("&Show all", Str(IDS_MENU_SHOWALL));
    EXPECT_EQ("&Hide all", Str(IDS_MENU_HIDEALL));
}

TEST(MenuResources, EveryCommandHasItsHint)
{
    const std::map<int, const char*> hints = {
        { 4130, "Save the current application." }, { 4131, "Save the current application under a new name." },
        { 4132, "Close the current application." }, { 101, "Bring in an exported application." },
        { 4228, "Remove a previously imported application." }, { 4203, "Export the current application." },
        { 4229, "Stop the current application from being exported." },
        { 4232, "Display the properties of the current application." }, { 4136, "Select and setup a printer." },
        { 4135, "Print application flow." }, { 51, "Print block report." }, { 4178, "Print script of voice/fax items." },
        { 4138, "Remove the selected program elements and place in clipboard." },
        { 4139, "Copy the selected program elements to the clipboard." },
        { 4140, "Paste the clipboard contents to the current program." },
        { 4141, "Delete the currently selected program elements." }, { 4150, "Rename the selected block." },
        { 4202, "Display the property sheet of the selected block." },
        { 4154, "Return the selected line to its default routing." },
        { 4174, "Replace a line with a label or redraw a full line from a label." },
        { 4221, "Create a new Text Note." }, { 4222, "Change the font of all selected Text Notes." },
        { 4249, "Edit a Text Note." }, { 4162, "Show palette window if checked, hide if not checked." },
        { 4233, "FullScreen mode on if checked, off if unchecked." }, { 4142, "Zoom in (make objects larger)." },
        { 4143, "Zoom out (make objects smaller)." }, { 4165, "Return to normal viewing mode." },
        { 4144, "Change view scale." }, { 4237, "Move a page up." }, { 4238, "Move a page down." },
        { 4239, "Move a page left." }, { 4240, "Move a page right." },
        { 4145, "Create, edit, or delete voice items." }, { 4146, "Create, edit, or delete fax items." },
        { 4128, "Create a new application." }, { 4129, "Open an existing application." },
        { 4230, "Delete an application." }, { 4231, "Display a list of file locks." }, { 24310, "Close Plexwright." },
        { 4156, "Show Tool Bar if checked, hide if not checked." },
        { 4195, "Display page grid lines if checked, hide if not checked." },
        { 4210, "Require confirmation of paste/delete actions if checked, no confirmation if unchecked." },
        { 4196, "Display a border when printing flow if checked, no border if unchecked." },
        { 4247, "If checked, will automatically assign names to new blocks placed onto the canvas." },
        { 4253, "If checked, program diagnostics will be turned off." },
        { 4250, "If checked, program diagnostic level will be set to low." },
        { 4251, "If checked, program diagnostic level will be set to medium." },
        { 4252, "If checked, program diagnostic level will be set to high." },
        { 4254, "If checked, logging level will be set to low." },
        { 4255, "If checked, logging level will be set to medium." },
        { 4256, "If checked, logging level will be set to high." },
        { 4223, "Change the font for all new Text Notes." }, { 4248, "Turn On/Off Application Auto Save." },
        { 24362, "Tile windows on the desktop." }, { 24361, "Cascade windows on the desktop." },
        { 4160, "Display the contents of Plexwright help." }, { 4204, "Display Plexwright overview" },
        { 4205, "Show how to use on-line help." }, { 4234, "Start the online Plexwright Tutorial" },
        { 4235, "Open the online reference guide" },
        { 4161, "Display version and copyright information about Plexwright." }, { 4096, "Show the output if checked, hide if unchecked." },
        { 4167, "Build program in current window." }, { 4225, "Print SuperBlock report." },
        { 4179, "Find ZirirAradur or VoiceSentences in Current Program" },
        { 4168, "Return every line of the page to its default routing." },
        { 4170, "Selects SuperBlocks to View or Edit." }, { 4176, "Selects Verification Blocks to View or Edit." },
        { 4157, "Show Status Line if checked, hide if not checked." },
        { 4171, "Open or restore Obsolete PowerBlock palette window." },
        { 4163, "Route goto lines to avoid intersections if checked." },
        { 4172, "Label stubbed goto lines with name of connected PowerBlock if checked." },
        { 4175, "Drag/Drop PowerBlock on a Grid" },
        { 4200, "Display obsolete data types for creating structures and variables." },
        { 4158, "Change Powerblock display font." }, { 4166, "Change PowerBlock Palette display font." },
        { 4173, "Define program SuperBlocks." }, { 4177, "Define program Verification Blocks." },
        { 4169, "Create a new SuperBlock page." }, { 4226, "Edit the comment of the current program." },
        { 4224, "Edit the comment of the current SuperBlock." },
        { 4199, "Reposition all windows to their initial state." },
    };
    for (const auto& h : hints)
        EXPECT_EQ(h.second, Str(h.first)) << h.first;
    // Each output item of the submenu has the hint of the outputs.
    for (int j = 0; j < CM_OUTPUTCOUNT; ++j)
        EXPECT_EQ("Show the output if checked, hide if unchecked.", Str(CM_OUTPUTFIRST + j)) << j;
    // Every item of the menu bar with a command has its hint; the keyboard
    // scrolling commands have none.
    HMENU hMenu = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENU");
    for (int p = 0; p < GetMenuItemCount(hMenu); ++p)
        for (const Item& item : Items(GetSubMenu(hMenu, p)))
        {
            if (item.id > 0)
            {
                EXPECT_NE(hints.end(), hints.find(item.id)) << item.id;
            }
        }
    DestroyMenu(hMenu);
    for (int nId = 4241; nId <= 4246; ++nId)
        EXPECT_EQ("", Str(nId)) << nId;
}

// ---------------------------------------------------------------------------
// Menus showing the command states

namespace {

class Menus : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        m_hMenuBar = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENU");
        ASSERT_NE(nullptr, m_hMenuBar);
        m_hWnd = CreateWindowExA(0, "STATIC", "Plexwright", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 m_hMenuBar, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hWnd);
        PXSetMainWindow(m_hWnd);
    }
    void TearDown() override
    {
        PXSetMainWindow(nullptr);
        MenuTest::TearDown();
        if (m_hWnd)
            DestroyWindow(m_hWnd);
    }

    // A program with a block of the type selected in the active pane.
    PowerBlock* OpenWithBlock(int nType)
    {
        Program* pProgram = NewProgram();
        PowerBlock* pBlock = AddBlock(pProgram->GetMainPage(), nType, "B1", 300, 300);
        OpenApp("C:\\apps\\Sales.ed", pProgram);
        frame.selection = { pBlock };
        return pBlock;
    }

    HMENU m_hMenuBar = nullptr;
    HWND m_hWnd = nullptr;
};

void ExpectShowsTable(HMENU hMenu, const std::vector<int>& ids, PXCommandHandler* pHandler)
{
    for (int nId : ids)
    {
        EXPECT_EQ(!pHandler->IsEnabled(nId), Grayed(hMenu, nId)) << nId;
        EXPECT_EQ(pHandler->IsChecked(nId), Checked(hMenu, nId)) << nId;
    }
}

} // namespace

TEST_F(Menus, MenuBarFollowsTheTableAndOutlivesTheController)
{
    const std::vector<int> items = { 4132, 4131, 101, 4232, 4136, 4135, 51, 4178, 4221, 4145, 4146, 4162, 4233,
                                     4142, 4143, 4165, 4144, 4130, 4228, 4203, 4229, 4138, 4139, 4141, 4140, 4150,
                                     4202, 4154, 4174, 4222, 4237, 4238, 4239, 4240, 4249 };
    ASSERT_EQ(static_cast<int>(items.size()), PXMainMenu::s_nItems);
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i], PXMainMenu::s_awItems[i]);

    // No application: only Palette and Full screen, checked as the frame says.
    frame.bPalette = TRUE;
    PXWinApp::UpdateCommandUI();
    ExpectShowsTable(m_hMenuBar, items, app->GetCommandHandler());
    for (int nId : items)
        EXPECT_EQ(nId != 4162 && nId != 4233, Grayed(m_hMenuBar, nId)) << nId;
    EXPECT_TRUE(Checked(m_hMenuBar, 4162));
    EXPECT_FALSE(Checked(m_hMenuBar, 4233));

    // One block selected in an open application, full screen.
    OpenWithBlock(393);
    frame.bPalette = FALSE;
    frame.bFullScreen = TRUE;
    PXWinApp::UpdateCommandUI();
    ExpectShowsTable(m_hMenuBar, items, app->GetCommandHandler());
    const int enabled[] = { 4130, 4138, 4139, 4141, 4150, 4202, 4237, 4162, 4233 };
    for (int nId : enabled)
        EXPECT_FALSE(Grayed(m_hMenuBar, nId)) << nId;
    const int grayed[] = { 4140, 4154, 4174, 4222, 4249, 4228, 4229 };
    for (int nId : grayed)
        EXPECT_TRUE(Grayed(m_hMenuBar, nId)) << nId;
    EXPECT_FALSE(Checked(m_hMenuBar, 4162));
    EXPECT_TRUE(Checked(m_hMenuBar, 4233));

    // Lines selected: the look follows the next refresh.
    Goto line1, line2;
    frame.selection = { &line1, &line2 };
    PXWinApp::UpdateCommandUI();
    ExpectShowsTable(m_hMenuBar, items, app->GetCommandHandler());
    EXPECT_FALSE(Grayed(m_hMenuBar, 4154));
    EXPECT_FALSE(Grayed(m_hMenuBar, 4174));
    EXPECT_TRUE(Grayed(m_hMenuBar, 4138));
    EXPECT_TRUE(Grayed(m_hMenuBar, 4150));

    // Commands outside the table keep the look the frame gives them.
    const int outside[] = { 4128, 4129, 4230, 4231, 24310, 4156, 4195, 4210, 24361, 4161 };
    for (int nId : outside)
    {
        EXPECT_FALSE(Grayed(m_hMenuBar, nId)) << nId;
        EXPECT_FALSE(Checked(m_hMenuBar, nId)) << nId;
    }

    // The controller goes; the frame's menu bar stays.
    app.reset();
    EXPECT_TRUE(IsMenu(m_hMenuBar));
    EXPECT_EQ(m_hMenuBar, GetMenu(m_hWnd));
    EXPECT_EQ(7, GetMenuItemCount(m_hMenuBar));
}

TEST_F(Menus, BlockContextMenuShowsItsCommandsAndTheOutputs)
{
    PowerBlock* pBlock = OpenWithBlock(393);
    struct Case { const char* name; int nSelected; bool bCut; bool bRename; };
    const Case cases[] = { { "one block", 1, true, true }, { "two blocks", 2, true, false }, { "nothing", 0, false, false } };
    PowerBlock other;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        frame.selection.clear();
        if (c.nSelected >= 1)
            frame.selection.push_back(pBlock);
        if (c.nSelected >= 2)
            frame.selection.push_back(&other);
        PXWinApp::UpdateCommandUI();
        PXPBCtxtMenu menu(pBlock);
        ASSERT_TRUE(menu.CreatePopup());
        menu.Build();
        menu.UpdateState();
        HMENU hMenu = menu.GetHandle();
        ExpectMenu(hMenu, { { 4138, "Cu&t" }, { 4139, "&Copy" }, { 4141, "&Delete" }, { 4150, "&Rename" }, { 0, "-" },
                            { -1, "Hide/Show Outputs" }, { 0, "-" }, { 4202, "P&roperties" } });
        EXPECT_EQ(4202u, GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED));
        EXPECT_EQ(!c.bCut, Grayed(hMenu, 4138));
        EXPECT_EQ(!c.bCut, Grayed(hMenu, 4139));
        EXPECT_EQ(!c.bCut, Grayed(hMenu, 4141));
        EXPECT_EQ(!c.bRename, Grayed(hMenu, 4150));
        EXPECT_EQ(!c.bRename, Grayed(hMenu, 4202));
        // The announcement's outputs, both shown as made.
        HMENU hOutputs = GetSubMenu(hMenu, 5);
        ExpectMenu(hOutputs, { { CM_OUTPUTFIRST, "Done" }, { CM_OUTPUTFIRST + 1, "Rotary" }, { 0, "-" },
                               { 4124, "&Show all" }, { 4125, "&Hide all" } });
        EXPECT_TRUE(Checked(hOutputs, CM_OUTPUTFIRST));
        EXPECT_TRUE(Checked(hOutputs, CM_OUTPUTFIRST + 1));
        EXPECT_TRUE(Grayed(hOutputs, 4124));
        EXPECT_FALSE(Grayed(hOutputs, 4125));
    }
    EXPECT_PXASSERT(PXPBCtxtMenu(nullptr), "pPB!=0");
    PXPBCtxtMenu unbuilt(pBlock);
    EXPECT_PXASSERT(unbuilt.Build(), "m_hMenu!=0");
}

TEST_F(Menus, PageContextMenuShowsItsCommands)
{
    struct Case { const char* name; bool bOpen; bool bNote; bool bClip; };
    const Case cases[] = { { "no application", false, false, false }, { "open", true, false, false },
                           { "one note, clipboard", true, true, true } };
    PXTextUI note;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.bOpen && !s_pszProgram)
            OpenApp("C:\\apps\\Sales.ed", NewProgram());
        frame.selection.clear();
        if (c.bNote)
            frame.selection.push_back(&note);
        if (c.bClip)
            app->BeginClipCopy();
        PXWinApp::UpdateCommandUI();
        PXUserAppCtxtMenu menu;
        ASSERT_TRUE(menu.CreatePopup());
        menu.Build();
        menu.UpdateState();
        HMENU hMenu = menu.GetHandle();
        ExpectMenu(hMenu, { { 4130, "Save" }, { 0, "-" }, { 4142, "Zoom In" }, { 4143, "Zoom Out" },
                            { 4165, "Zoom Normal" }, { 0, "-" }, { 4140, "Paste" }, { 0, "-" },
                            { 4221, "Create Text Note" }, { 4249, "Edit Text Note" } });
        for (int nId : { 4130, 4142, 4143, 4165 })
            EXPECT_EQ(!c.bOpen, Grayed(hMenu, nId)) << nId;
        EXPECT_EQ(!c.bClip, Grayed(hMenu, 4140));
        EXPECT_EQ(!c.bNote, Grayed(hMenu, 4249));
        // Create Text Note keeps the look it was appended with.
        EXPECT_FALSE(Grayed(hMenu, 4221));
    }
    PXUserAppCtxtMenu unbuilt;
    EXPECT_PXASSERT(unbuilt.Build(), "m_hMenu!=0");
}

// ---------------------------------------------------------------------------
// The Hide/Show Outputs submenu

namespace {

// A block of the test's own description: up to 40 outputs, those of the
// optional set marked by the model's answer, those of the shown set with
// their stubs shown.
class OutputsBlock
{
public:
    OutputsBlock(int nOutputs, std::set<int> optional, std::set<int> shown)
    {
        std::memset(&m_info, 0, sizeof(m_info));
        m_info.name = "Test";
        m_info.type = 402;
        m_info.numOutputs = static_cast<unsigned char>(nOutputs);
        for (int j = 0; j < nOutputs; ++j)
        {
            m_names.push_back("Out " + std::to_string(j + 1));
            if (optional.count(j))
                s_optional.insert(m_names.back());
        }
        for (int j = 0; j < nOutputs; ++j)
        {
            m_info.outputs[j].name = m_names[j].c_str();
            m_info.outputs[j].number = static_cast<unsigned char>(j + 1);
        }
        block.SetType(402);
        block.SetInfo(&m_info, nullptr);
        block.SyncOutputs();
        for (int j = 0; j < nOutputs; ++j)
            block.FindGotoBlock(m_names[j].c_str())->SetShown(shown.count(j) != 0);
        m_pfnOld = PXGotoMenu::SetOutputQuery(Query);
    }
    ~OutputsBlock()
    {
        PXGotoMenu::SetOutputQuery(m_pfnOld);
        s_optional.clear();
        block.SetInfo(nullptr, nullptr);
    }

    PowerBlock block;

private:
    static int Query(int nType, kvrHandleType*, const char* pszOutput)
    {
        EXPECT_EQ(402, nType);
        return s_optional.count(pszOutput) ? KVR_OUT_APPLICABLE | KVR_OUT_OPTIONAL : KVR_OUT_OPTIONAL;
    }

    inline static std::set<std::string> s_optional;
    PowerBlockInfo m_info;
    std::vector<std::string> m_names;
    PXGotoMenu::OutputQuery m_pfnOld;
};

std::set<int> Range(int nFrom, int nTo, int nStep = 1)
{
    std::set<int> s;
    for (int j = nFrom; j < nTo; j += nStep)
        s.insert(j);
    return s;
}

} // namespace

TEST(GotoMenu, ItemsFollowTheOutputsAndTheirStubs)
{
    struct Case
    {
        const char* name;
        int nOutputs;
        std::set<int> optional;
        std::set<int> shown;
        bool bShowAll;
        bool bHideAll;
    };
    const Case cases[] = {
        { "no outputs", 0, {}, {}, false, false },
        { "forty optional outputs, all shown", 40, Range(0, 40), Range(0, 40), false, true },
        { "forty optional outputs, none shown", 40, Range(0, 40), {}, true, false },
        { "forty optional outputs, some shown", 40, Range(0, 40), Range(0, 40, 3), true, true },
        { "every other output optional, those shown", 40, Range(1, 40, 2), Range(0, 40), true, true },
        { "no optional output, all shown", 5, {}, Range(0, 5), true, false },
        { "one output", 1, { 0 }, { 0 }, false, true },
    };
    HMENU hMainMenu = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENU");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        OutputsBlock outputs(c.nOutputs, c.optional, c.shown);
        PXGotoMenu menu(&outputs.block);
        ASSERT_TRUE(menu.CreatePopup());
        menu.Build();
        std::vector<MenuLine> expected;
        std::vector<std::string> names;
        for (int j = 0; j < c.nOutputs; ++j)
            names.push_back("Out " + std::to_string(j + 1));
        for (int j = 0; j < c.nOutputs; ++j)
            if (c.optional.count(j))
                expected.push_back({ CM_OUTPUTFIRST + j, names[j].c_str() });
        if (c.nOutputs == 0)
            expected.push_back({ 0xFFFF, "(No outputs)" });
        expected.push_back({ 0, "-" });
        expected.push_back({ 4124, "&Show all" });
        expected.push_back({ 4125, "&Hide all" });
        HMENU hMenu = menu.GetHandle();
        ExpectMenu(hMenu, expected);
        std::set<int> ids;
        for (const Item& item : Items(hMenu))
        {
            if (item.id == 0)
                continue;
            EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " twice";
            int j = PXGotoMenu::OutputOfCommand(item.id);
            if (j < 0)
                continue;
            EXPECT_EQ(c.shown.count(j) != 0, (item.state & MF_CHECKED) != 0) << j;
            EXPECT_FALSE(item.state & MF_GRAYED) << j;
            // No output takes the number of another command.
            EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(hMainMenu, item.id, MF_BYCOMMAND)) << item.id;
            for (int nCommand : s_anCommands)
                EXPECT_NE(nCommand, item.id);
            EXPECT_NE(4124, item.id);
            EXPECT_NE(4125, item.id);
            EXPECT_NE(4201, item.id);
        }
        if (c.nOutputs == 0)
        {
            EXPECT_TRUE(Grayed(hMenu, 0xFFFF));
        }
        EXPECT_EQ(!c.bShowAll, Grayed(hMenu, 4124));
        EXPECT_EQ(!c.bHideAll, Grayed(hMenu, 4125));
    }
    DestroyMenu(hMainMenu);
}

TEST(GotoMenu, CommandsMapBackToOutputs)
{
    struct { UINT id; int output; } cases[] = {
        { CM_OUTPUTFIRST, 0 }, { CM_OUTPUTFIRST + 27, 27 }, { CM_OUTPUTFIRST + 39, 39 }, { CM_OUTPUTFIRST + 40, -1 },
        { CM_OUTPUTFIRST - 1, -1 }, { 4096, -1 }, { 4124, -1 }, { 4125, -1 }, { 4128, -1 }, { 0xFFFF, -1 },
    };
    for (auto& c : cases)
        EXPECT_EQ(c.output, PXGotoMenu::OutputOfCommand(c.id)) << c.id;
}

TEST(GotoMenu, MisuseFailsItsChecks)
{
    EXPECT_PXASSERT(PXGotoMenu(nullptr), "pPB!=0");
    OutputsBlock outputs(2, { 0 }, { 0 });
    PXGotoMenu menu(&outputs.block);
    EXPECT_PXASSERT(menu.Build(), "m_hMenu!=0");
    ASSERT_TRUE(menu.CreatePopup());
    EXPECT_PXASSERT(menu.Attach(CreatePopupMenu()), "m_hMenu==0");
    PXMenu none;
    EXPECT_PXASSERT(none.Append(MF_STRING, 1, "x"), "IsMenu");
}

TEST_F(Menus, SubmenuOfTheMenuBarIsRebuiltEachTimeItOpens)
{
    HMENU hEdit = GetSubMenu(m_hMenuBar, 1);
    HMENU hOutputs = GetSubMenu(hEdit, 6);
    ASSERT_NE(nullptr, hOutputs);
    EXPECT_FALSE(PXGotoMenu::IsOutputsMenu(hEdit));
    EXPECT_FALSE(PXGotoMenu::IsOutputsMenu(GetSubMenu(m_hMenuBar, 0)));
    EXPECT_FALSE(PXGotoMenu::InitPopup(hEdit));

    // No application: the placeholder.
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    ExpectMenu(hOutputs, { { 4096, "(No block selected)" } });
    EXPECT_TRUE(Grayed(hOutputs, 4096));

    // One block: its outputs. The Menu block's first output is a group.
    PowerBlock* pBlock = OpenWithBlock(402);
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    std::vector<Item> items = Items(hOutputs);
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(4125, items.back().id);
    int nOutputItems = 0;
    for (const Item& item : items)
    {
        int j = PXGotoMenu::OutputOfCommand(item.id);
        if (j < 0)
            continue;
        ++nOutputItems;
        ASSERT_LT(j, pBlock->GetOutputCount());
        EXPECT_EQ(pBlock->GetInfo()->outputs[j].name, item.text);
        EXPECT_EQ(pBlock->FindGotoBlock(item.text.c_str())->IsShown(), (item.state & MF_CHECKED) != 0) << item.text;
    }
    EXPECT_GT(nOutputItems, 0);
    // Recognised again, whatever item it starts with now, and not grown.
    EXPECT_FALSE(PXGotoMenu::IsOutputsMenu(hEdit));
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    EXPECT_EQ(items.size(), Items(hOutputs).size());

    // Two objects selected, or a text note: the placeholder again.
    PXTextUI note;
    frame.selection = { pBlock, pBlock };
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    ExpectMenu(hOutputs, { { 4096, "(No block selected)" } });
    frame.selection = { &note };
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    ExpectMenu(hOutputs, { { 4096, "(No block selected)" } });

    // A block without outputs leaves "(No outputs)" first; still recognised.
    Page* pMain = programs.back()->GetMainPage();
    PowerBlock* pEnd = AddBlock(pMain, 396, "Last", 500, 500);
    frame.selection = { pEnd };
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    ExpectMenu(hOutputs, { { 0xFFFF, "(No outputs)" }, { 0, "-" }, { 4124, "&Show all" }, { 4125, "&Hide all" } });
    frame.selection.clear();
    ASSERT_TRUE(PXGotoMenu::InitPopup(hOutputs));
    ExpectMenu(hOutputs, { { 4096, "(No block selected)" } });
}

// ---------------------------------------------------------------------------
// Tracking

namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK RecordCommands(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

} // namespace

TEST_F(Menus, ChosenContextCommandReachesTheOwnerWindow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordCommands;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PXMENUOWNERTEST";
    RegisterClassA(&wc);
    HWND hOwner = CreateWindowExA(0, "PXMENUOWNERTEST", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hOwner);
    SetForegroundWindow(hOwner);
    PXWnd owner;
    owner.m_hWnd = hOwner;

    // An open application without a selection: Save is the first enabled
    // item of the page menu.
    OpenApp("C:\\apps\\Sales.ed", NewProgram());
    PXWinApp::UpdateCommandUI();
    PXUserAppCtxtMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.Build();
    menu.UpdateState();
    g_commands.clear();
    PostMessageA(hOwner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(hOwner, WM_KEYDOWN, VK_RETURN, 0);
    menu.TrackPopup(TPM_RIGHTBUTTON, 20, 20, &owner, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(static_cast<WPARAM>(4130), g_commands[0]);
    owner.m_hWnd = nullptr;
    DestroyWindow(hOwner);
}
