// The recent-programs list on the real File menu of the main frame: read
// from the settings file, built at set-up, entries added, moved, dropped
// and removed, the labels, the capacity, and the file written back when
// the frame goes.
#include "PageTestSupport.h"
#include "PXCmdIds.h"
#include "UIApp.h"
#include "UIMDIClient.h"
#include "UIMDIFrame.h"
#include "owl/TMDIChild.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
// The page tests' frames keep their settings in a file of their own.
const char s_szSettings[] = "PXPAGESTEST.INI";
const bool s_bSettingsFile = (UIApp::SetSettingsFile(s_szSettings), true);
const char s_szSection[] = "Plexwright Past Programs Opened";

std::vector<std::string> g_opened;
int g_nOpenResult = 0;

int RecordOpen(const char* pszEntry)
{
    g_opened.push_back(pszEntry);
    return g_nOpenResult;
}

std::string SlotKey(int n)
{
    return "Last Opened " + std::to_string(n);
}

void WriteSlots(const char* pszCapacity, const std::vector<std::string>& slots)
{
    WritePrivateProfileStringA(s_szSection, nullptr, nullptr, s_szSettings);
    if (pszCapacity)
        WritePrivateProfileStringA(s_szSection, "Number of Past Programs Opened", pszCapacity, s_szSettings);
    for (size_t i = 0; i < slots.size(); ++i)
        WritePrivateProfileStringA(s_szSection, SlotKey(static_cast<int>(i) + 1).c_str(), slots[i].c_str(),
                                   s_szSettings);
}

std::string ReadKey(const char* pszKey)
{
    char sz[256] = "";
    GetPrivateProfileStringA(s_szSection, pszKey, "(none)", sz, sizeof(sz), s_szSettings);
    return sz;
}

// The entry the controller builds: name, '|', ID, '|', volume ID.
std::string Entry(const std::string& name, int nId = 7)
{
    return name + "|" + std::to_string(nId) + "|1";
}
}

class FrameRecentTest : public ModelTest
{
protected:
    FrameRecentTest() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

    void SetUp() override
    {
        ModelTest::SetUp();
        g_opened.clear();
        g_nOpenResult = 0;
        m_pfnOldOpener = UIMDIFrame::SetRecentOpener(RecordOpen);
    }
    void TearDown() override
    {
        CloseFrame();
        UIMDIFrame::SetRecentOpener(m_pfnOldOpener);
        WritePrivateProfileStringA(s_szSection, nullptr, nullptr, s_szSettings);
        ModelTest::TearDown();
    }

    // A frame as the program starts it: the settings read, the window made.
    void StartFrame()
    {
        m_pFrame = new UIMDIFrame(*new UIMDIClient);
        m_app.SetMainWindow(m_pFrame);
        ASSERT_TRUE(m_pFrame->Create());
    }
    // The frame goes and writes its list.
    void CloseFrame()
    {
        if (!m_pFrame)
            return;
        m_app.SetMainWindow(nullptr);
        delete m_pFrame;
        m_pFrame = nullptr;
    }

    // The File menu's items after Exit: "-" for a separator, else
    // "id label".
    std::vector<std::string> RecentItems() const
    {
        std::vector<std::string> items;
        HMENU hFile = m_pFrame->GetFileMenu();
        int nCount = GetMenuItemCount(hFile);
        int nExit = -1;
        for (int i = 0; i < nCount; ++i)
            if (GetMenuItemID(hFile, i) == CM_EXIT)
                nExit = i;
        for (int i = nExit + 1; i < nCount; ++i)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoA(hFile, i, TRUE, &info);
            if (info.fType & MFT_SEPARATOR)
            {
                items.push_back("-");
                continue;
            }
            char sz[256] = "";
            GetMenuStringA(hFile, i, sz, sizeof(sz), MF_BYPOSITION);
            items.push_back(std::to_string(GetMenuItemID(hFile, i)) + " " + sz);
        }
        return items;
    }
    void Choose(UINT nId) { SendMessageA(m_pFrame->HWindow, WM_COMMAND, nId, 0); }

    UIApp m_app;
    UIMDIFrame* m_pFrame = nullptr;
    UIMDIFrame::RecentOpener m_pfnOldOpener = nullptr;
};

TEST_F(FrameRecentTest, TheStoredListIsShownAfterExitAndChosenEntriesMoveToTheTop)
{
    WriteSlots("10", {Entry("ALPHA"), Entry("BRAVO"), Entry("CHARLIE"), Entry("DELTA")});
    StartFrame();
    EXPECT_EQ(4, m_pFrame->GetRecentCount());
    EXPECT_EQ(std::vector<std::string>(
                  {"-", "4211 &1 ALPHA", "4212 &2 BRAVO", "4213 &3 CHARLIE", "4214 &4 DELTA"}),
              RecentItems());

    // Slot 3 chosen: it opens and moves to the top.
    Choose(4213);
    EXPECT_EQ(std::vector<std::string>{Entry("CHARLIE")}, g_opened);
    EXPECT_EQ(std::vector<std::string>(
                  {"-", "4211 &1 CHARLIE", "4212 &2 ALPHA", "4213 &3 BRAVO", "4214 &4 DELTA"}),
              RecentItems());

    // The first slot chosen: nothing moves.
    Choose(4211);
    EXPECT_EQ(Entry("CHARLIE"), m_pFrame->GetRecentEntry(1));

    // A program that cannot be opened any more leaves the list.
    g_nOpenResult = 1;
    Choose(4212);
    EXPECT_EQ(std::vector<std::string>({"-", "4211 &1 CHARLIE", "4212 &2 BRAVO", "4213 &3 DELTA"}), RecentItems());
    EXPECT_EQ(3, m_pFrame->GetRecentCount());

    CloseFrame();
    EXPECT_EQ("10", ReadKey("Number of Past Programs Opened"));
    EXPECT_EQ(Entry("CHARLIE"), ReadKey("Last Opened 1"));
    EXPECT_EQ(Entry("BRAVO"), ReadKey("Last Opened 2"));
    EXPECT_EQ(Entry("DELTA"), ReadKey("Last Opened 3"));
    EXPECT_EQ("", ReadKey("Last Opened 4"));
    EXPECT_EQ("", ReadKey("Last Opened 10"));
}

TEST_F(FrameRecentTest, AddingMovesOrInsertsAndAFullListDropsItsLast)
{
    std::vector<std::string> slots;
    for (int n = 1; n <= 10; ++n)
        slots.push_back(Entry("PROG" + std::to_string(n)));
    WriteSlots("10", slots);
    StartFrame();
    ASSERT_EQ(10, m_pFrame->GetRecentCount());

    // The entry in slot 1 again: nothing changes.
    m_pFrame->AddRecentProgram(Entry("PROG1").c_str());
    EXPECT_EQ(Entry("PROG1"), m_pFrame->GetRecentEntry(1));
    EXPECT_EQ(Entry("PROG2"), m_pFrame->GetRecentEntry(2));

    // A new entry: the tenth is dropped, all ten are relabelled, the
    // tenth with its "1&0" form.
    m_pFrame->AddRecentProgram(Entry("NEW").c_str());
    EXPECT_EQ(10, m_pFrame->GetRecentCount());
    std::vector<std::string> items = RecentItems();
    ASSERT_EQ(11u, items.size());
    EXPECT_EQ("4211 &1 NEW", items[1]);
    EXPECT_EQ("4219 &9 PROG8", items[9]);
    EXPECT_EQ("4220 1&0 PROG9", items[10]);

    // The same program in other letters is the same entry: moved, never
    // listed twice.
    m_pFrame->AddRecentProgram(Entry("prog5").c_str());
    items = RecentItems();
    ASSERT_EQ(11u, items.size());
    EXPECT_EQ("4211 &1 PROG5", items[1]);
    EXPECT_EQ("4212 &2 NEW", items[2]);
    int nFives = 0;
    for (int n = 1; n <= 10; ++n)
        if (lstrcmpiA(m_pFrame->GetRecentEntry(n), Entry("PROG5").c_str()) == 0)
            ++nFives;
    EXPECT_EQ(1, nFives);

    EXPECT_EQ(0, m_pFrame->MoveRecentToTop(0));
    EXPECT_EQ(0, m_pFrame->MoveRecentToTop(11));
    EXPECT_EQ(nullptr, m_pFrame->GetRecentEntry(0));
    EXPECT_EQ(nullptr, m_pFrame->GetRecentEntry(11));
}

TEST_F(FrameRecentTest, TheCapacityIsHeldToZeroToTenAndLimitsTheItemsButNotTheSlots)
{
    const struct
    {
        const char* pszStored;
        int nCapacity;
        const char* pszWritten;
    } cases[] = {
        {"25", 10, "10"}, {"-2", 0, "0"}, {nullptr, 10, "10"}, {"many", 10, "10"}, {"3", 3, "3"}, {"0", 0, "0"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszStored ? c.pszStored : "(none)");
        WriteSlots(c.pszStored, {Entry("A"), Entry("B"), Entry("C"), Entry("D"), Entry("E"), Entry("F"), Entry("G")});
        StartFrame();
        EXPECT_EQ(c.nCapacity, m_pFrame->GetRecentCapacity());
        int nShown = std::min(c.nCapacity, 7);
        EXPECT_EQ(nShown, m_pFrame->GetRecentCount());
        EXPECT_EQ(nShown ? static_cast<size_t>(nShown) + 1 : 0u, RecentItems().size());
        m_pFrame->AddRecentProgram(Entry("NEW").c_str());
        CloseFrame();
        EXPECT_EQ(c.pszWritten, ReadKey("Number of Past Programs Opened"));
        if (c.nCapacity == 0)
        {
            // Additions are ignored; the stored slots go back unchanged.
            EXPECT_EQ(Entry("A"), ReadKey("Last Opened 1"));
            EXPECT_EQ(Entry("G"), ReadKey("Last Opened 7"));
            EXPECT_EQ("", ReadKey("Last Opened 8"));
        }
        else
        {
            // Every slot shifts, whatever the capacity.
            EXPECT_EQ(Entry("NEW"), ReadKey("Last Opened 1"));
            EXPECT_EQ(Entry("G"), ReadKey("Last Opened 8"));
        }
    }
}

TEST_F(FrameRecentTest, ACopyBeyondTheShownItemsIsNotKeptTwice)
{
    WriteSlots("2", {Entry("A"), Entry("B"), Entry("C"), Entry("D")});
    StartFrame();
    m_pFrame->AddRecentProgram(Entry("C").c_str());
    EXPECT_EQ(std::vector<std::string>({"-", "4211 &1 C", "4212 &2 A"}), RecentItems());
    CloseFrame();
    EXPECT_EQ(Entry("C"), ReadKey("Last Opened 1"));
    EXPECT_EQ(Entry("A"), ReadKey("Last Opened 2"));
    EXPECT_EQ(Entry("B"), ReadKey("Last Opened 3"));
    EXPECT_EQ(Entry("D"), ReadKey("Last Opened 4"));
    EXPECT_EQ("", ReadKey("Last Opened 5"));
}

TEST_F(FrameRecentTest, RemovingTheOnlyEntryKeepsOneSeparatorWhateverFollows)
{
    WriteSlots("10", {Entry("ONLY")});
    StartFrame();
    EXPECT_EQ(1, m_pFrame->RemoveRecentProgram(Entry("only").c_str()));
    EXPECT_EQ(0, m_pFrame->RemoveRecentProgram(Entry("ONLY").c_str()));
    EXPECT_EQ(0, m_pFrame->GetRecentCount());
    EXPECT_EQ(std::vector<std::string>{"-"}, RecentItems());
    // Added again: the separator is there already.
    m_pFrame->AddRecentProgram(Entry("AGAIN").c_str());
    m_pFrame->RemoveRecentProgram(Entry("AGAIN").c_str());
    m_pFrame->AddRecentProgram(Entry("THIRD").c_str());
    EXPECT_EQ(std::vector<std::string>({"-", "4211 &1 THIRD"}), RecentItems());
}

TEST_F(FrameRecentTest, TheFileMenuIsFoundWhileAMaximisedWindowPutsItsSystemMenuFirst)
{
    WriteSlots("10", {Entry("FIRST")});
    StartFrame();
    TMDIChild* pChild = new TMDIChild(*m_pFrame->GetClientWindow(), "page");
    ASSERT_TRUE(pChild->Create());
    ShowWindow(pChild->HWindow, SW_SHOWMAXIMIZED);
    HMENU hBar = GetMenu(m_pFrame->HWindow);
    // The maximised child's system menu comes first in the bar.
    ASSERT_NE(nullptr, m_pFrame->GetFileMenu());
    EXPECT_NE(GetSubMenu(hBar, 0), m_pFrame->GetFileMenu());
    EXPECT_EQ(GetSubMenu(hBar, 1), m_pFrame->GetFileMenu());
    m_pFrame->AddRecentProgram(Entry("SECOND").c_str());
    EXPECT_EQ(std::vector<std::string>({"-", "4211 &1 SECOND", "4212 &2 FIRST"}), RecentItems());
    // The maximised window goes while the frame still stands: its going
    // lays the palette window out again.
    delete pChild;
}

TEST_F(FrameRecentTest, TheLongestEntriesAreCutToTheirSlotsAndShowOnlyTheirNames)
{
    std::string strLong = std::string(140, 'N') + "|12|1";
    WriteSlots("10", {strLong});
    StartFrame();
    ASSERT_EQ(1, m_pFrame->GetRecentCount());
    EXPECT_EQ(127u, std::strlen(m_pFrame->GetRecentEntry(1)));
    m_pFrame->AddRecentProgram((std::string(300, 'L') + "|1|1").c_str());
    EXPECT_EQ(std::string(127, 'L'), m_pFrame->GetRecentEntry(1));
    std::vector<std::string> items = RecentItems();
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ("4211 &1 " + std::string(127, 'L'), items[1]);
    EXPECT_EQ("4212 &2 " + std::string(127, 'N'), items[2]);
}
