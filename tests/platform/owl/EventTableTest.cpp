// Event tables: entries of a derived frame before its base's, the base's
// table before the virtual handlers, commands, enablers, plain messages
// and the unpacking of the standard messages.
#include "OwlTestSupport.h"
#include "OwlTestRes.h"

#include "owl/TEventTable.h"
#include "owl/TMDIClient.h"
#include "owl/TMDIFrame.h"

namespace {

const UINT WM_TEST_TABLE = WM_USER + 40;
const UINT WM_TEST_BASEONLY = WM_USER + 41;
const UINT IDM_TEST_RANGE = 300;

// A frame with a table of its own.
class BaseTableFrame : public TMDIFrame
{
public:
    explicit BaseTableFrame(TMDIClient& client) : TMDIFrame("Table frame", "TESTMENU", client) {}
    const char* GetClassName() override { return "OWLTABLEFRAME"; }

    bool Find(TEventInfo& info) override
    {
        if (const TEventEntry* p = FindEventEntry(Table(), info))
        {
            info.Entry = p;
            return true;
        }
        return TMDIFrame::Find(info);
    }

    void CmBaseCommand() { g_log.push_back("base command"); }
    void CmBaseCommand2() { g_log.push_back("base command 2"); }
    LRESULT EvBaseOnly(WPARAM wParam, LPARAM lParam)
    {
        g_log.push_back("base only " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 31;
    }
    LRESULT EvTableMsg(WPARAM, LPARAM)
    {
        g_log.push_back("base table message");
        return 1;
    }

    // Without an entry, the virtual handler.
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override
    {
        if (id == IDM_TEST_CHILDCMD)
        {
            g_log.push_back("virtual command");
            return 0;
        }
        return TMDIFrame::EvCommand(id, hWndCtl, notifyCode);
    }
    void EvTimer(UINT timerId) override { g_log.push_back("virtual timer " + std::to_string(timerId)); }

private:
    static const TEventEntry* Table()
    {
        typedef TEventFor<BaseTableFrame> E;
        static const TEventEntry s_Table[] = {
            E::Command(IDM_TEST_CMD, &BaseTableFrame::CmBaseCommand),
            E::Command(IDM_TEST_CMD2, &BaseTableFrame::CmBaseCommand2),
            E::Message(WM_TEST_TABLE, &BaseTableFrame::EvTableMsg),
            E::Message(WM_TEST_BASEONLY, &BaseTableFrame::EvBaseOnly),
            {},
        };
        return s_Table;
    }
};

// The derived frame takes one command, the enablers, a private message and
// the standard messages through its own table.
class TableFrame : public BaseTableFrame
{
public:
    using BaseTableFrame::BaseTableFrame;

    bool Find(TEventInfo& info) override
    {
        if (const TEventEntry* p = FindEventEntry(Table(), info))
        {
            info.Entry = p;
            return true;
        }
        return BaseTableFrame::Find(info);
    }

    void CmDerivedCommand() { g_log.push_back("derived command"); }
    void CmRange(UINT id) { g_log.push_back("range " + std::to_string(id)); }
    void CeCommand2(TCommandEnabler& ce) { ce.Enable(false); }
    void CeCommand(TCommandEnabler& ce) { ce.SetCheck(1); }
    LRESULT EvTableMsg(WPARAM wParam, LPARAM lParam)
    {
        g_log.push_back("derived table message " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 42;
    }
    void OnTimer(UINT timerId) { g_log.push_back("table timer " + std::to_string(timerId)); }
    void OnSize(UINT sizeType, int cx, int cy)
    {
        g_log.push_back("size " + std::to_string(sizeType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnMenuSelect(UINT item, UINT flags, HMENU hMenu)
    {
        g_log.push_back("menu select " + std::to_string(item) + " " + std::to_string(flags) +
                        (hMenu ? " menu" : " none"));
    }
    void OnNCMouseMove(UINT hitTest, POINT pt)
    {
        g_log.push_back("nc move " + std::to_string(hitTest) + " " + std::to_string(pt.x) + "," +
                        std::to_string(pt.y));
    }

private:
    static const TEventEntry* Table()
    {
        typedef TEventFor<TableFrame> E;
        static const TEventEntry s_Table[] = {
            E::Command(IDM_TEST_CMD, &TableFrame::CmDerivedCommand),
            E::CommandId(IDM_TEST_RANGE, &TableFrame::CmRange),
            E::CommandId(IDM_TEST_RANGE + 1, &TableFrame::CmRange),
            E::Enabler(IDM_TEST_CMD2, &TableFrame::CeCommand2),
            E::Enabler(IDM_TEST_CMD, &TableFrame::CeCommand),
            E::Message(WM_TEST_TABLE, &TableFrame::EvTableMsg),
            E::Timer(&TableFrame::OnTimer),
            E::Size(&TableFrame::OnSize),
            E::MenuSelect(&TableFrame::OnMenuSelect),
            E::NCMouseMove(&TableFrame::OnNCMouseMove),
            {},
        };
        return s_Table;
    }
};

class EventTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        m_pClient = new TMDIClient;
        m_pFrame = new TableFrame(*m_pClient);
        ASSERT_TRUE(m_pFrame->Create());
        Pump();
        g_log.clear();
    }
    void TearDown() override
    {
        delete m_pFrame;
        Pump();
    }

    TMDIClient* m_pClient;
    TableFrame* m_pFrame;
};

} // namespace

TEST_F(EventTableTest, TheDerivedTableComesFirstThenTheBaseTableThenTheVirtualHandlers)
{
    struct Case
    {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        const char* pszLog;
        LRESULT result;
    } cases[] = {
        {WM_COMMAND, IDM_TEST_CMD, 0, "derived command", 0},
        {WM_COMMAND, IDM_TEST_CMD2, 0, "base command 2", 0},
        {WM_COMMAND, IDM_TEST_CHILDCMD, 0, "virtual command", 0},
        {WM_COMMAND, IDM_TEST_RANGE + 1, 0, "range 301", 0},
        {WM_COMMAND, MAKEWPARAM(IDM_TEST_RANGE, 1), 0, "range 300", 0},
        {WM_TEST_TABLE, 5, 6, "derived table message 5 6", 42},
        {WM_TEST_BASEONLY, 7, 8, "base only 7 8", 31},
        {WM_TIMER, 9, 0, "table timer 9", 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(120, 80), "size 2 120x80", 0},
        {WM_MENUSELECT, MAKEWPARAM(4129, MF_HILITE), 0, "menu select 4129 128 none", 0},
        {WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(-3, 14), "nc move 2 -3,14", 0},
    };
    for (const Case& c : cases)
    {
        g_log.clear();
        LRESULT r = SendMessageA(m_pFrame->HWindow, c.msg, c.wParam, c.lParam);
        ASSERT_EQ(1u, g_log.size()) << c.pszLog;
        EXPECT_EQ(c.pszLog, g_log[0]);
        EXPECT_EQ(c.result, r) << c.pszLog;
    }
}

TEST_F(EventTableTest, EnablerEntriesSetTheItemsOfAnOpeningPopup)
{
    HMENU hFile = GetSubMenu(GetMenu(m_pFrame->HWindow), 0);
    ASSERT_NE(nullptr, hFile);
    SendMessageA(m_pFrame->HWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, 0));
    EXPECT_TRUE(GetMenuState(hFile, IDM_TEST_CMD2, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(hFile, IDM_TEST_CMD, MF_BYCOMMAND) & MF_CHECKED);
    // No enabler for the child command: it stays as it was.
    UINT state = GetMenuState(hFile, IDM_TEST_CHILDCMD, MF_BYCOMMAND);
    EXPECT_FALSE(state & (MF_GRAYED | MF_CHECKED));
}

TEST(EventTable, TheSearchStopsAtTheAllZeroEntryAndMatchesMessageAndId)
{
    typedef TEventFor<TMDIFrame> E;
    const TEventEntry table[] = {
        E::Message(WM_USER + 1, nullptr),
        E::Command(5, nullptr),
        {},
        E::Command(6, nullptr),
    };
    // Only searched here: the handlers are never called.
    EXPECT_EQ(&table[0], FindEventEntry(table, TEventInfo(WM_USER + 1)));
    EXPECT_EQ(&table[1], FindEventEntry(table, TEventInfo(0, 5)));
    EXPECT_EQ(nullptr, FindEventEntry(table, TEventInfo(0, 6)));
    EXPECT_EQ(nullptr, FindEventEntry(table, TEventInfo(WM_USER + 1, 5)));
    EXPECT_EQ(nullptr, FindEventEntry(table, TEventInfo(kCommandEnableMsg, 5)));
    EXPECT_EQ(nullptr, FindEventEntry(nullptr, TEventInfo(WM_USER + 1)));
}
