// The status line on a plain parent window: the priority rule over
// sequences of texts, the reset timer (driven with WM_TIMER, and once for
// real), long texts, appending, the red error text, and its layout.
#include "BarsTestSupport.h"
#include "FontObject.h"
#include "StatusLineChild.h"
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "owl/TMDIClient.h"

#include <memory>
#include <string>

namespace {

class StatusLineChildTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDrawingTables();
        line = new StatusLineChild(&parent);
        ASSERT_TRUE(parent.Create());
        ShowWindow(parent.HWindow, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(line->IsWindow());
        line->Show(true);
        RECT rc = parent.GetClientRect();
        line->Layout(rc);
        UpdateWindow(parent.HWindow);
    }

    void Timer() { SendMessageA(line->HWindow, WM_TIMER, StatusLineChild::TIMER_ID, 0); }

    // True when the line's timer was running (it is stopped by asking).
    bool TimerRunning() { return KillTimer(line->HWindow, StatusLineChild::TIMER_ID) != 0; }

    TestParent parent;
    StatusLineChild* line = nullptr;    // the parent's child
};

enum Op { SET, APPEND, TIMER, RESET };

struct Step
{
    Op op;
    int nLevel;
    const char* pszText;        // none: no text
    const char* pszShown;       // afterwards
    int nShownLevel;
};

struct Sequence
{
    const char* name;
    std::vector<Step> steps;
};

} // namespace

TEST_F(StatusLineChildTest, TheModelsLongOperationsShowTheirProgressOnIt)
{
    ASSERT_EQ(static_cast<ModelStatusLine*>(line), GetModelStatusLine());
    ModelStatusLine* pModelLine = GetModelStatusLine();
    pModelLine->SetText(2, "Routing goto lines.", true);
    pModelLine->AppendText(2, ".", true);
    EXPECT_STREQ("Routing goto lines..", line->GetText());
    EXPECT_EQ(2, line->GetLevel());
    pModelLine->ResetLevel();
    pModelLine->SetText(0, nullptr, true);
    EXPECT_STREQ("", line->GetText());
    EXPECT_EQ(0, line->GetLevel());

    // A line that goes takes itself away from the model.
    StatusLineChild* pOther = new StatusLineChild(&parent);
    EXPECT_EQ(static_cast<ModelStatusLine*>(pOther), GetModelStatusLine());
    delete pOther;
    EXPECT_EQ(nullptr, GetModelStatusLine());
}

TEST_F(StatusLineChildTest, ItStartsPlainWithItsFirstText)
{
    StatusLineChild fresh(&parent);
    EXPECT_STREQ("Initializing...", fresh.GetText());
    EXPECT_EQ(0, fresh.GetLevel());
    EXPECT_FALSE(fresh.IsShown());
}

TEST_F(StatusLineChildTest, TheLevelsDecideWhichTextIsShown)
{
    const char* const kErr = "Select window containing a program before executing this command.";
    const Sequence sequences[] = {
        { "plain texts replace each other",
          { { SET, 0, "a", "a", 0 }, { SET, 0, "b", "b", 0 }, { SET, 0, nullptr, "", 0 } } },
        { "an error text holds until the timer fires",
          { { SET, 3, kErr, kErr, 3 }, { SET, 0, "hint", kErr, 3 }, { SET, 2, "progress", kErr, 3 },
            { APPEND, 0, "more", kErr, 3 }, { TIMER, 0, nullptr, kErr, 0 }, { SET, 0, "hint", "hint", 0 } } },
        { "a later error text replaces an earlier one",
          { { SET, 3, "first", "first", 3 }, { SET, 3, "second", "second", 3 } } },
        { "progress over plain texts, errors over progress",
          { { SET, 2, "Routing goto lines.", "Routing goto lines.", 2 }, { SET, 0, "hint", "Routing goto lines.", 2 },
            { SET, 3, kErr, kErr, 3 } } },
        { "a progress text gives way after the timer",
          { { SET, 2, "Routing goto lines.", "Routing goto lines.", 2 }, { SET, 0, "hint", "Routing goto lines.", 2 },
            { TIMER, 0, nullptr, "Routing goto lines.", 0 }, { SET, 0, "hint", "hint", 0 } } },
        { "the router sets the level back when it ends",
          { { SET, 2, "Routing goto lines.", "Routing goto lines.", 2 }, { RESET, 0, nullptr, "Routing goto lines.", 0 },
            { SET, 0, nullptr, "", 0 } } },
        { "appending at, above and below the level",
          { { SET, 0, "abc", "abc", 0 }, { APPEND, 0, "def", "abcdef", 0 }, { APPEND, 2, "xyz", "xyz", 2 },
            { APPEND, 0, "q", "xyz", 2 }, { APPEND, 2, "!", "xyz!", 2 }, { APPEND, 3, "e", "e", 3 } } },
        { "the timer only lowers the level",
          { { SET, 0, "plain", "plain", 0 }, { TIMER, 0, nullptr, "plain", 0 }, { SET, 3, "e", "e", 3 },
            { TIMER, 0, nullptr, "e", 0 }, { TIMER, 0, nullptr, "e", 0 } } },
    };
    for (const Sequence& seq : sequences)
    {
        SCOPED_TRACE(seq.name);
        line->ResetLevel();
        line->SetText(0, "", false);
        int nStep = 0;
        for (const Step& s : seq.steps)
        {
            switch (s.op)
            {
            case SET: line->SetText(s.nLevel, s.pszText, false); break;
            case APPEND: line->AppendText(s.nLevel, s.pszText, false); break;
            case TIMER: Timer(); break;
            case RESET: line->ResetLevel(); break;
            }
            EXPECT_STREQ(s.pszShown, line->GetText()) << "step " << nStep;
            EXPECT_EQ(s.nShownLevel, line->GetLevel()) << "step " << nStep;
            ++nStep;
        }
    }
}

TEST_F(StatusLineChildTest, TextsAboveThePlainLevelStartTheTimer)
{
    const struct
    {
        int nLevel;
        bool bTimer;
    } cases[] = { { 0, false }, { 2, true }, { 3, true } };
    for (const auto& c : cases)
    {
        line->ResetLevel();
        TimerRunning();
        line->SetText(c.nLevel, "text", false);
        EXPECT_EQ(c.bTimer, TimerRunning()) << "level " << c.nLevel;
        EXPECT_EQ(c.nLevel, line->GetLevel());
    }
    // A text below the current level starts nothing.
    line->SetText(3, "error", false);
    TimerRunning();
    line->SetText(2, "progress", false);
    EXPECT_FALSE(TimerRunning());
}

TEST_F(StatusLineChildTest, WithoutATimerAnErrorTextIsAPlainOne)
{
    StatusLineChild unmade(&parent);
    unmade.ClearFlag(wfAutoCreate);
    unmade.SetText(3, "error", false);
    EXPECT_STREQ("error", unmade.GetText());
    EXPECT_EQ(0, unmade.GetLevel());
    unmade.SetText(0, "hint", false);
    EXPECT_STREQ("hint", unmade.GetText());
}

TEST_F(StatusLineChildTest, TheTimerResetsTheLevelAfterFourSeconds)
{
    line->SetText(3, "error", true);
    DWORD dwStart = GetTickCount();
    while (line->GetLevel() != 0 && GetTickCount() - dwStart < 8000)
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    DWORD dwElapsed = GetTickCount() - dwStart;
    EXPECT_EQ(0, line->GetLevel());
    EXPECT_GE(dwElapsed, 3500u);
    EXPECT_LT(dwElapsed, 8000u);
    EXPECT_STREQ("error", line->GetText());
}

TEST_F(StatusLineChildTest, LongTextsKeepTheirFirst255Characters)
{
    std::string long300(300, 'x');
    for (size_t i = 0; i < long300.size(); ++i)
        long300[i] = static_cast<char>('a' + i % 26);
    line->SetText(0, long300.c_str(), false);
    EXPECT_EQ(long300.substr(0, 255), line->GetText());

    // Only the first 254 characters are compared.
    std::string base(260, 'b');
    line->SetText(0, base.c_str(), false);
    std::string late = base;
    late[254] = 'L';
    line->SetText(0, late.c_str(), false);
    EXPECT_EQ(base.substr(0, 255), line->GetText());
    std::string early = base;
    early[253] = 'E';
    line->SetText(0, early.c_str(), false);
    EXPECT_EQ(early.substr(0, 255), line->GetText());

    // Appending stops at 255 characters in all.
    line->SetText(0, std::string(250, 'c').c_str(), false);
    line->AppendText(0, "0123456789", false);
    EXPECT_EQ(std::string(250, 'c') + "01234", line->GetText());
    line->AppendText(0, "more", false);
    EXPECT_EQ(255u, strlen(line->GetText()));
}

// Whatever reads windows reads the shown text as the window's own, cut
// to the reader's buffer.
TEST_F(StatusLineChildTest, TheWindowsTextIsTheShownText)
{
    line->SetText(0, "Click to connect this output to a Block.", false);
    char szText[64] = "";
    EXPECT_EQ(40, GetWindowTextLengthA(line->HWindow));
    EXPECT_EQ(40, GetWindowTextA(line->HWindow, szText, sizeof(szText)));
    EXPECT_STREQ("Click to connect this output to a Block.", szText);
    char szShort[6] = "";
    EXPECT_EQ(5, SendMessageA(line->HWindow, WM_GETTEXT, sizeof(szShort), reinterpret_cast<LPARAM>(szShort)));
    EXPECT_STREQ("Click", szShort);
    EXPECT_EQ(0, SendMessageA(line->HWindow, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(szShort)));
    std::string long300(300, 'y');
    line->SetText(0, long300.c_str(), false);
    char szLong[400] = "";
    EXPECT_EQ(255, GetWindowTextA(line->HWindow, szLong, sizeof(szLong)));
    line->SetText(0, nullptr, false);
    EXPECT_EQ(0, GetWindowTextLengthA(line->HWindow));
}

TEST_F(StatusLineChildTest, AnErrorTextIsRedAndAPlainOneIsNot)
{
    RECT rc = line->GetClientRect();
    RECT all = { 0, 0, rc.right, rc.bottom };
    const COLORREF red = RGB(255, 0, 0);
    line->SetText(3, "Out of memory:  unable to create banding object.", true);
    {
        Canvas canvas(rc.right, rc.bottom, RGB(0, 0, 255));
        canvas.Print(line->HWindow);
        EXPECT_GT(canvas.Count(all, red), 20);
        EXPECT_EQ(RGB(192, 192, 192), canvas.At(2, 1)) << "the brush status_background";
    }
    Timer();
    line->SetText(0, "Out of memory:  unable to create banding object (plain).", true);
    {
        Canvas canvas(rc.right, rc.bottom, RGB(0, 0, 255));
        canvas.Print(line->HWindow);
        EXPECT_EQ(0, canvas.Count(all, red));
        EXPECT_GT(canvas.Count(all, GetSysColor(COLOR_WINDOWTEXT)), 20);
    }
}

TEST_F(StatusLineChildTest, ShownTheLineTakesItsHeightFromTheBottom)
{
    FontObject* pFont = g_pFonts->Find("status_line");
    ASSERT_NE(nullptr, pFont);
    int nHeight = pFont->GetCharHeight() + 3 * pFont->GetInternalLeading();
    EXPECT_EQ(nHeight, line->GetHeight());
    EXPECT_EQ(1, parent.nRelayouts);

    RECT rcFree = { 5, 10, 305, 200 };
    line->Layout(rcFree);
    EXPECT_EQ(200 - nHeight, rcFree.bottom);
    EXPECT_EQ(10, rcFree.top);
    RECT rc = line->GetWindowRect();
    MapWindowPoints(nullptr, parent.HWindow, reinterpret_cast<POINT*>(&rc), 2);
    RECT expected = { 5, 200 - nHeight, 305, 200 };
    EXPECT_TRUE(EqualRect(&expected, &rc));

    line->Show(false);
    EXPECT_EQ(2, parent.nRelayouts);
    EXPECT_FALSE(line->IsShown());
    rcFree = { 0, 0, 300, 200 };
    line->Layout(rcFree);
    EXPECT_EQ(200, rcFree.bottom);
}

TEST_F(StatusLineChildTest, TheFramesStatusTextGoesToTheLine)
{
    UIApp app("Plexwright", GetModuleHandleA(nullptr), "");
    TMDIClient client;
    UIMDIFrame frame(client);
    frame.SetStatusLine(line);
    frame.SetStatusText("error", 1);
    EXPECT_STREQ("error", line->GetText());
    EXPECT_EQ(3, line->GetLevel());
    EXPECT_TRUE(TimerRunning());
    frame.SetStatusText("hint", 0);
    EXPECT_STREQ("error", line->GetText());
    Timer();
    frame.SetStatusText("hint", 0);
    EXPECT_STREQ("hint", line->GetText());
    frame.SetStatusText(nullptr, 0);
    EXPECT_STREQ("", line->GetText());
    frame.SetStatusLine(nullptr);
}

// Start-up is over once the program's message loop runs: the start-up text
// gives way to the empty line, but a text shown in the meantime stays.
TEST_F(StatusLineChildTest, TheStartupTextGoesOnceTheMessagesAreHandled)
{
    struct Case
    {
        const char* pszSetBefore;   // none: nothing shown during start-up
        int nLevel;
        const char* pszAfter;
    } cases[] = {
        {nullptr, 0, ""},
        {"Open an existing application.", 0, "Open an existing application."},
        {"Select window containing a program before executing this command.", 3,
         "Select window containing a program before executing this command."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszSetBefore ? c.pszSetBefore : "(none)");
        std::unique_ptr<StatusLineChild> fresh(new StatusLineChild(&parent));
        ASSERT_TRUE(fresh->Create());
        EXPECT_STREQ("Initializing...", fresh->GetText());
        if (c.pszSetBefore)
            fresh->SetText(c.nLevel, c.pszSetBefore, false);
        PumpMessages();
        EXPECT_STREQ(c.pszAfter, fresh->GetText());
        char sz[300] = "";
        GetWindowTextA(fresh->HWindow, sz, sizeof(sz));
        EXPECT_STREQ(c.pszAfter, sz);
        fresh->Destroy();
    }
}
