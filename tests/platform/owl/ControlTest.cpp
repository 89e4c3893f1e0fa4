// Controls made by a parent window: creation with the parent, the scroll
// bar's range and position under the parent's scroll messages, edit limits,
// child look-up and aliases.
#include "OwlTestSupport.h"

#include "owl/TEdit.h"
#include "owl/TScrollBar.h"

namespace {

class Pane : public TWindow
{
public:
    Pane() : TWindow(static_cast<TWindow*>(nullptr), "Pane")
    {
        Attr.Style = WS_OVERLAPPEDWINDOW;
        Attr.X = Attr.Y = 0;
        Attr.W = 300;
        Attr.H = 200;
        m_pBar = new TScrollBar(this, 1, 0, 0, 16, 150, false);
        m_pBar->Attr.Style &= ~(WS_TABSTOP | WS_GROUP);
        m_pEdit = new TEdit(this, 2, "start", 20, 0, 100, 20, 11);
    }

    const char* GetClassName() override { return "OWLTESTPANE"; }

    void SetupWindow() override
    {
        TWindow::SetupWindow();
        m_bSetUp = true;
    }

    // The framework moves the bar first; then the pane reads the position.
    void EvVScroll(UINT code, UINT pos, HWND hWndCtl) override
    {
        TWindow::EvVScroll(code, pos, hWndCtl);
        m_positions.push_back(m_pBar->GetPosition());
    }

    void Paint(HDC hDC, bool erase, RECT& rect) override { ++m_nPaints; }

    TScrollBar* m_pBar;
    TEdit* m_pEdit;
    bool m_bSetUp = false;
    int m_nPaints = 0;
    std::vector<int> m_positions;
};

class SpecialEdit : public TEdit
{
public:
    using TEdit::TEdit;
};

} // namespace

TEST(Controls, ChildrenAreMadeWithTheirParent)
{
    Pane pane;
    EXPECT_EQ(nullptr, pane.m_pBar->HWindow);
    ASSERT_TRUE(pane.Create());
    EXPECT_TRUE(pane.m_bSetUp);
    ASSERT_TRUE(pane.m_pBar->IsWindow());
    ASSERT_TRUE(pane.m_pEdit->IsWindow());
    EXPECT_EQ(pane.HWindow, GetParent(pane.m_pBar->HWindow));
    EXPECT_EQ(1, GetDlgCtrlID(pane.m_pBar->HWindow));
    EXPECT_FALSE(GetWindowLongA(pane.m_pBar->HWindow, GWL_STYLE) & (WS_TABSTOP | WS_GROUP));
    EXPECT_TRUE(GetWindowLongA(pane.m_pBar->HWindow, GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(pane.m_pEdit, pane.ChildWithId(2));
    EXPECT_EQ(nullptr, pane.ChildWithId(3));
    EXPECT_EQ(pane.m_pEdit, TWindow::GetWindowPtr(pane.m_pEdit->HWindow));
    char sz[16];
    pane.m_pEdit->GetText(sz, sizeof(sz));
    EXPECT_STREQ("start", sz);
    EXPECT_EQ(10, SendMessageA(pane.m_pEdit->HWindow, EM_GETLIMITTEXT, 0, 0));
    // Exact class: a TEdit is found, a class derived from it is not taken for one.
    EXPECT_EQ(pane.m_pEdit, FirstChildOfClass<TEdit>(pane));
    new SpecialEdit(&pane, 3, "", 0, 0, 10, 10);
    EXPECT_EQ(nullptr, FirstChildOfClass<SpecialEdit>(pane)->HWindow);   // made after set-up: no window yet
    EXPECT_EQ(pane.m_pEdit, FirstChildOfClass<TEdit>(pane));
    EXPECT_EQ(3, pane.NumChildren());
}

TEST(Controls, ScrollMessagesMoveTheBarByItsSteps)
{
    Pane pane;
    ASSERT_TRUE(pane.Create());
    TScrollBar& bar = *pane.m_pBar;
    bar.SetRange(0, 50);
    bar.LineMagnitude = 2;
    bar.PageMagnitude = 10;
    bar.SetPosition(0);
    // (code, thumb position, position after)
    struct Case { UINT code; UINT pos; int nAfter; } cases[] = {
        { SB_LINEDOWN, 0, 2 },
        { SB_PAGEDOWN, 0, 12 },
        { SB_LINEUP, 0, 10 },
        { SB_THUMBTRACK, 33, 33 },
        { SB_THUMBPOSITION, 40, 40 },
        { SB_PAGEDOWN, 0, 50 },          // clamped at the end
        { SB_PAGEDOWN, 0, 50 },
        { SB_ENDSCROLL, 0, 50 },
        { SB_TOP, 0, 0 },
        { SB_PAGEUP, 0, 0 },             // clamped at the start
        { SB_BOTTOM, 0, 50 },
    };
    std::vector<int> expected;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        SendMessageA(pane.HWindow, WM_VSCROLL, MAKEWPARAM(c.code, c.pos),
                     reinterpret_cast<LPARAM>(bar.HWindow));
        EXPECT_EQ(c.nAfter, bar.GetPosition());
        expected.push_back(c.nAfter);
    }
    EXPECT_EQ(expected, pane.m_positions);
    int nMin = -1, nMax = -1;
    bar.GetRange(nMin, nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(50, nMax);
    GetScrollRange(bar.HWindow, SB_CTL, &nMin, &nMax);
    EXPECT_EQ(50, nMax);
    bar.SetRange(0, 20);                 // the position follows into the range
    EXPECT_EQ(20, bar.GetPosition());
}

TEST(Controls, PaintAndCaptionOfAPlainWindow)
{
    Pane pane;
    ASSERT_TRUE(pane.Create());
    pane.ShowWindow(SW_SHOWNOACTIVATE);
    pane.Invalidate();
    pane.UpdateWindow();
    EXPECT_GT(pane.m_nPaints, 0);
    pane.SetCaption("Renamed");
    char sz[32];
    GetWindowTextA(pane.HWindow, sz, sizeof(sz));
    EXPECT_STREQ("Renamed", sz);
    EXPECT_STREQ("Renamed", pane.GetCaption());
}

TEST(Controls, AnAliasNeverDestroysItsWindow)
{
    Pane pane;
    ASSERT_TRUE(pane.Create());
    HWND h = pane.HWindow;
    {
        TWindow alias(h);
        EXPECT_EQ(h, alias.HWindow);
        EXPECT_TRUE(alias.IsFlagSet(wfAlias));
        EXPECT_EQ(&pane, TWindow::GetWindowPtr(h));   // the alias does not take the binding
    }
    EXPECT_TRUE(IsWindow(h));
}

TEST(Controls, DeletingAControlDestroysItsWindowAndLeavesTheParent)
{
    Pane pane;
    ASSERT_TRUE(pane.Create());
    HWND hEdit = pane.m_pEdit->HWindow;
    delete pane.m_pEdit;
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(nullptr, pane.ChildWithId(2));
    EXPECT_EQ(1, pane.NumChildren());
}

TEST(Controls, AWindowWhoseSetUpFailsIsNotMade)
{
    struct FailingPane : public Pane
    {
        void SetupWindow() override
        {
            Pane::SetupWindow();
            throw PXException(1553, "ControlTest.cpp", __LINE__);
        }
    };
    ExceptionRecorder rec;
    FailingPane pane;
    EXPECT_FALSE(pane.Create());
    EXPECT_EQ(nullptr, pane.HWindow);
    EXPECT_FALSE(pane.m_pBar->IsWindow());
    ASSERT_EQ(1u, rec.caught.size());
    EXPECT_EQ(static_cast<UINT>(WM_CREATE), rec.caught[0].msg);
}
