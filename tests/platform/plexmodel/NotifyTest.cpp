// Change reports: the model sends the message named by
// kvrSetNotificationMessage to the program's main window.
#include "PlexModelTest.h"

#include <vector>

namespace {

const UINT WM_UI_MODELNOTIFY = WM_USER + 1001;

struct Report
{
    int kind;
    std::string text;               // kind 5
    kvrBlockNotify block = {};      // kinds 1 and 8
};

std::vector<Report>* g_pReports = nullptr;

LRESULT CALLBACK RecordProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_UI_MODELNOTIFY && g_pReports)
    {
        Report r;
        r.kind = (int)wParam;
        if (r.kind == KVR_NOTIFY_STATUS && lParam)
            r.text = reinterpret_cast<const char*>(lParam);
        if ((r.kind == KVR_NOTIFY_BLOCKCHANGED || r.kind == KVR_NOTIFY_BLOCKREDRAW) && lParam)
            r.block = *reinterpret_cast<const kvrBlockNotify*>(lParam);
        g_pReports->push_back(r);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// A program whose main window is a message-only window that records
// reports.
class NotifyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PlexModelNotifyTest";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowA("PlexModelNotifyTest", "", 0, 0, 0, 0, 0,
                               HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_hWnd);
        g_pReports = &m_reports;
        kvrSetNotificationMessage(WM_UI_MODELNOTIFY);
        m_prog = kvrAddProgram(m_hWnd, 0);
        m_main = kvrCreatePage("Main", KVR_PAGE_NORMAL, 0);
        kvrActivatePage(m_main);
    }

    void TearDown() override
    {
        kvrRemoveProgram(m_prog);
        kvrSetNotificationMessage(0);
        g_pReports = nullptr;
        DestroyWindow(m_hWnd);
    }

    kvrHandleType* Block(int type, const char* name)
    {
        int retry = 1;
        return kvrCreatePowerBlock(type, name, &retry, "");
    }

    std::vector<int> Kinds() const
    {
        std::vector<int> kinds;
        for (const Report& r : m_reports)
            kinds.push_back(r.kind);
        return kinds;
    }

    HWND m_hWnd = nullptr;
    kvrHandleType* m_prog = nullptr;
    kvrHandleType* m_main = nullptr;
    std::vector<Report> m_reports;
};

} // namespace

TEST_F(NotifyTest, BlocksChangedByTheModelAreReported)
{
    kvrHandleType* attendant = Block(394, "Attendant");
    kvrHandleType* menu = Block(402, "Menu1");
    Block(KVR_PB_END, "End");
    EXPECT_TRUE(m_reports.empty());
    kvrHandleType* rotary = Block(KVR_PB_ROTARY, "Rotary");
    ASSERT_NE(nullptr, rotary);
    ASSERT_EQ(2u, m_reports.size());
    for (const Report& r : m_reports)
    {
        EXPECT_EQ(KVR_NOTIFY_BLOCKCHANGED, r.kind);
        EXPECT_EQ(m_prog, r.block.program);
    }
    EXPECT_EQ(attendant, m_reports[0].block.block);
    EXPECT_EQ(menu, m_reports[1].block.block);
}

TEST_F(NotifyTest, RefusedNamesAreShownOnTheStatusLine)
{
    Block(402, "Menu1");
    m_reports.clear();
    struct { const char* name; const char* says; } rows[] = {
        { "Menu1", "\"Menu1\" already exists" },
        { "a$b", "\"a$b\" is not valid" },
    };
    for (const auto& r : rows)
    {
        m_reports.clear();
        EXPECT_EQ(nullptr, Block(402, r.name));
        ASSERT_EQ(1u, m_reports.size()) << r.name;
        EXPECT_EQ(KVR_NOTIFY_STATUS, m_reports[0].kind);
        EXPECT_NE(std::string::npos, m_reports[0].text.find(r.says)) << m_reports[0].text;
    }
    m_reports.clear();
    EXPECT_EQ(nullptr, kvrCreatePage("Main", 1, 0));
    ASSERT_EQ(1u, m_reports.size());
    EXPECT_NE(std::string::npos, m_reports[0].text.find("\"Main\" is already in use"));
}

TEST_F(NotifyTest, FileWorkIsFramedByBusyReports)
{
    TempFile file;
    ASSERT_NE(nullptr, file.f);
    EXPECT_EQ(KVR_OK, kvrWriteProgram(file.f, file.f, 0));
    std::vector<int> expected = { KVR_NOTIFY_BUSY, KVR_NOTIFY_STATUS, KVR_NOTIFY_IDLE };
    EXPECT_EQ(expected, Kinds());
}

TEST_F(NotifyTest, NoMessageNoReports)
{
    kvrSetNotificationMessage(0);
    Block(402, "Menu1");
    Block(402, "Menu1");
    Block(KVR_PB_ROTARY, "Rotary");
    EXPECT_TRUE(m_reports.empty());
}
