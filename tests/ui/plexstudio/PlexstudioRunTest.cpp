// The real editor started as a process: its main frame with its title and
// menu bar, the exit code 0 when the frame closes, the second instance's
// message and exit code 1, and the settings file read at start and written
// at exit. Message boxes of the started processes are found on the desktop,
// read and answered with OK, as a user would.
#include "PXTestSupport.h"
#include "PlexstudioProcess.h"

#include <string>
#include <vector>

namespace
{
const char s_szSettings[] = "KALVERODIN.INI";

std::string ReadKey(const char* pszSection, const char* pszKey)
{
    char sz[128] = "";
    GetPrivateProfileStringA(pszSection, pszKey, "(none)", sz, sizeof(sz), s_szSettings);
    return sz;
}

void ForgetSections()
{
    for (const char* pszSection : {"Main", "Edit", "Palette", "TextNote", "User Defined Multimedia Sentence Types"})
        WritePrivateProfileStringA(pszSection, nullptr, nullptr, s_szSettings);
}
}

TEST(Plexstudio, StartsStandaloneOnceReadsAndWritesItsSettingsAndExitsCleanly)
{
    ForgetSections();
    // Values the start reads and the exit writes back as read.
    WritePrivateProfileStringA("Main", "Auto Name", "true", s_szSettings);
    WritePrivateProfileStringA("Main", "Tool Bar", "yes", s_szSettings);
    WritePrivateProfileStringA("Main", "Diag Level", "8", s_szSettings);
    WritePrivateProfileStringA("Main", "Log Level", "12", s_szSettings);   // out of range: the default
    WritePrivateProfileStringA("Main", "left", "40", s_szSettings);
    WritePrivateProfileStringA("Main", "top", "30", s_szSettings);
    WritePrivateProfileStringA("Main", "right", "640", s_szSettings);
    WritePrivateProfileStringA("Main", "bottom", "470", s_szSettings);
    WritePrivateProfileStringA("Main", "WinState", "1", s_szSettings);

    Started first = Start();
    ASSERT_TRUE(first.bOk);
    HWND hFrame = WaitForWindow(first, "UIFRAME");
    ASSERT_NE(nullptr, hFrame) << "no main frame; exit code " << WaitForExit(first, 0);
    // The frame is seen as soon as it shows; its start is over once the
    // program waits for input.
    WaitForInputIdle(first.pi.hProcess, 20000);
    char szTitle[128] = "";
    GetWindowTextA(hFrame, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Plexwright", szTitle);
    EXPECT_NE(nullptr, GetMenu(hFrame));
    RECT rc = {};
    GetWindowRect(hFrame, &rc);
    EXPECT_EQ(600, rc.right - rc.left);
    EXPECT_EQ(440, rc.bottom - rc.top);
    // The status line is shown (the tool strip is not: "Tool Bar" read
    // false): the MDI client leaves room for it at the bottom.
    HWND hClient = FindWindowExA(hFrame, nullptr, "MDICLIENT", nullptr);
    ASSERT_NE(nullptr, hClient);
    RECT rcFrameClient = {}, rcMdi = {};
    GetClientRect(hFrame, &rcFrameClient);
    GetWindowRect(hClient, &rcMdi);
    MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&rcMdi), 2);
    EXPECT_EQ(0, rcMdi.top);
    EXPECT_LT(rcMdi.bottom, rcFrameClient.bottom);

    // A second start while the first runs.
    Started second = Start();
    ASSERT_TRUE(second.bOk);
    HWND hBox = WaitForWindow(second, "#32770");
    ASSERT_NE(nullptr, hBox) << "no message; exit code " << WaitForExit(second, 0);
    std::string text, caption;
    ReadAndAnswer(hBox, text, caption);
    EXPECT_EQ("Cannot run more than one instance of Plexwright.", text);
    EXPECT_EQ("Plexwright", caption);
    EXPECT_EQ(1u, WaitForExit(second));
    Close(second);
    EXPECT_EQ("8", ReadKey("Main", "Diag Level"));     // not touched by the second start
    EXPECT_EQ("(none)", ReadKey("Main", "Status Line"));

    // The frame closes: the program ends with 0 and writes its settings.
    PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, WaitForExit(first));
    Close(first);
    const struct
    {
        const char* pszSection;
        const char* pszKey;
        const char* pszValue;
    } written[] = {
        {"Main", "Status Line", "TRUE"},
        {"Main", "Tool Bar", "FALSE"},
        {"Main", "Auto Name", "TRUE"},
        {"Main", "Smart Routing", "TRUE"},
        {"Main", "Old Variable Types", "FALSE"},
        {"Main", "Diag Level", "8"},
        {"Main", "Log Level", "3"},
        {"Main", "Log Interval", "0"},
        {"Main", "left", "40"},
        {"Main", "top", "30"},
        {"Main", "right", "640"},
        {"Main", "bottom", "470"},
        {"Main", "WinState", "1"},
        {"Edit", "Font Typeface", "arial"},
        {"Palette", "Font Typeface", "arial"},
        {"TextNote", "Font Typeface", "arial"},
        {"User Defined Multimedia Sentence Types", "Number of User Defined Types", "0"},
        {"User Defined Multimedia Sentence Types", "User Defined Media 1", "Voice"},
    };
    for (const auto& w : written)
        EXPECT_EQ(w.pszValue, ReadKey(w.pszSection, w.pszKey)) << w.pszSection << "/" << w.pszKey;

    // The instance is gone: the next start runs again.
    Started again = Start();
    ASSERT_TRUE(again.bOk);
    HWND hAgain = WaitForWindow(again, "UIFRAME");
    EXPECT_NE(nullptr, hAgain);
    if (hAgain)
        PostMessageA(hAgain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, WaitForExit(again));
    Close(again);
    ForgetSections();
}

// Starts the editor standalone, waits until it waits for input and closes
// its frame; true when it ended with 0.
bool StartAndClose()
{
    Started s = Start();
    if (!s.bOk)
        return false;
    HWND hFrame = WaitForWindow(s, "UIFRAME");
    EXPECT_NE(nullptr, hFrame) << "no main frame";
    if (hFrame)
    {
        WaitForInputIdle(s.pi.hProcess, 20000);
        PostMessageA(hFrame, WM_CLOSE, 0, 0);
    }
    DWORD dwCode = WaitForExit(s);
    Close(s);
    return hFrame && dwCode == 0;
}

TEST(Plexstudio, TheRecentProgramsAreKeptAcrossTwoStarts)
{
    const char szSection[] = "Plexwright Past Programs Opened";
    WritePrivateProfileStringA(szSection, nullptr, nullptr, s_szSettings);
    // A capacity beyond ten and three entries, one of them longer than a
    // slot holds.
    std::string strLong = std::string(150, 'L') + "|3|1";
    WritePrivateProfileStringA(szSection, "Number of Past Programs Opened", "25", s_szSettings);
    WritePrivateProfileStringA(szSection, "Last Opened 1", "ORDERS|12|1", s_szSettings);
    WritePrivateProfileStringA(szSection, "Last Opened 2", "Billing|40|2", s_szSettings);
    WritePrivateProfileStringA(szSection, "Last Opened 3", strLong.c_str(), s_szSettings);

    for (int nStart = 1; nStart <= 2; ++nStart)
    {
        SCOPED_TRACE("start " + std::to_string(nStart));
        ASSERT_TRUE(StartAndClose());
        // All eleven keys are written, the capacity held to ten, the
        // entries in their order, the long one cut to its slot.
        EXPECT_EQ("10", ReadKey(szSection, "Number of Past Programs Opened"));
        EXPECT_EQ("ORDERS|12|1", ReadKey(szSection, "Last Opened 1"));
        EXPECT_EQ("Billing|40|2", ReadKey(szSection, "Last Opened 2"));
        EXPECT_EQ(strLong.substr(0, 127), ReadKey(szSection, "Last Opened 3"));
        for (int n = 4; n <= 10; ++n)
            EXPECT_EQ("", ReadKey(szSection, ("Last Opened " + std::to_string(n)).c_str())) << n;
    }
    WritePrivateProfileStringA(szSection, nullptr, nullptr, s_szSettings);
    ForgetSections();
}

TEST(Plexstudio, AFailedLoginShowsItsMessageAndEndsWithANonZeroCode)
{
    // A launch list with a server address: the client library cannot start
    // a server session yet and answers 73.
    Started s = Start("plexlogin : Oslo : Fjord : 3 : srv.invalid : 389 : 6 : x : 4711 : 9 : 1 : 1 : E : L : C : 636 : 0 : 0");
    ASSERT_TRUE(s.bOk);
    HWND hBox = WaitForWindow(s, "#32770");
    ASSERT_NE(nullptr, hBox) << "no message; exit code " << WaitForExit(s, 0);
    std::string text, caption;
    ReadAndAnswer(hBox, text, caption);
    EXPECT_EQ("Server not available.Please check connection.", text);
    EXPECT_EQ("Plexwright", caption);
    DWORD dwCode = WaitForExit(s);
    EXPECT_NE(0u, dwCode);
    EXPECT_EQ(2u, dwCode);
    Close(s);
}
