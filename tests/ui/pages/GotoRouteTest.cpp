// Goto lines laid out on a real page pane: with "Smart Routing" around the
// blocks between the output and its target, without it in three runs; the
// search's budget, its progress on the status line, Escape, and what
// happens to a routing, a command or a timer that a running search lets
// through.
#include "PageTestSupport.h"
#include "DrawHelpers.h"
#include "GotoRouter.h"
#include "PXFaultHandler.h"
#include "classlib/ListIterator.h"

#include <functional>
#include <sstream>

namespace
{
// The status line as the search uses it: what it is told, and a hook that
// runs when the search shows its progress.
class RecordingStatusLine : public ModelStatusLine
{
public:
    void SetText(int nLevel, const char* pszText, bool bUpdate) override
    {
        calls.push_back("set " + std::to_string(nLevel) + " " + (pszText ? pszText : "") + (bUpdate ? " now" : ""));
        if (nLevel == 2)
        {
            bMainEnabledDuringSearch = IsWindowEnabled(PXGetMainWindow()) != FALSE;
            if (onProgress)
                onProgress();
        }
    }
    void AppendText(int nLevel, const char* pszText, bool) override
    {
        calls.push_back("append " + std::to_string(nLevel) + " " + (pszText ? pszText : ""));
    }
    void ResetLevel() override { calls.push_back("reset"); }

    std::vector<std::string> calls;
    std::function<void()> onProgress;
    bool bMainEnabledDuringSearch = true;
};

// A window whose WM_APP runs the hook: work that a message dispatched by
// the running search's Escape poll does.
std::function<void()> g_onMessage;

LRESULT CALLBACK HookProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_APP && g_onMessage)
        g_onMessage();
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

HWND MakeHookWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HookProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PXROUTEHOOK";
    RegisterClassA(&wc);
    return CreateWindowA("PXROUTEHOOK", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

struct Line
{
    long fx, fy, tx, ty;
    bool operator==(const Line& r) const { return fx == r.fx && fy == r.fy && tx == r.tx && ty == r.ty; }
};

std::vector<Line> LinesOf(Goto* pGoto)
{
    std::vector<Line> lines;
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
    {
        Segment* p = pGoto->GetSegment(i);
        lines.push_back({p->m_nFromX, p->m_nFromY, p->m_nToX, p->m_nToY});
    }
    return lines;
}

std::string Describe(Goto* pGoto)
{
    std::ostringstream os;
    for (const Line& l : LinesOf(pGoto))
        os << "(" << l.fx << "," << l.fy << ")-(" << l.tx << "," << l.ty << ") ";
    return os.str();
}

// Whether a segment passes through the inside of a rectangle.
bool Crosses(const Line& l, const RECT& rc)
{
    if (l.fy == l.ty)
        return rc.top < l.fy && l.fy < rc.bottom && std::max(l.fx, l.tx) > rc.left && std::min(l.fx, l.tx) < rc.right;
    return rc.left < l.fx && l.fx < rc.right && std::max(l.fy, l.ty) > rc.top && std::min(l.fy, l.ty) < rc.bottom;
}
}

class GotoRouteTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        pWindow = OpenProgram(&pProgram);
        pPane = PaneOf(pWindow);
        pMain = pProgram->GetMainPage();
        pOldMain = PXGetMainWindow();
        PXSetMainWindow(frame->HWindow);
        pOldStatus = ModelSetStatusLine(&status);
        SetSmartRouting(true);
        // The size of a block as drawn gives the layouts their cells.
        PowerBlock* pProbe = Add("Probe", 0, 0);
        DisplayObject* pObj = pPane->FindOwnDisplayObject(pProbe, PX_CLASS_POWERBLOCKOBJECT);
        ASSERT_NE(nullptr, pObj);
        const RECT rc = pPane->ViewRectToModel(pObj->GetRect());
        nCellX = (rc.right - rc.left) * 3;
        nCellY = (rc.bottom - rc.top) * 2;
        nOffsetX = pProbe->GetX() - rc.left;
        nOffsetY = pProbe->GetY() - rc.top;
        Flush();
    }

    void TearDown() override
    {
        ModelSetStatusLine(pOldStatus);
        PXSetMainWindow(pOldMain);
        PageTest::TearDown();
    }

    void SetSmartRouting(bool bOn)
    {
        ModelSettings settings = GetModelSettings();
        settings.dwOptions = bOn ? (settings.dwOptions | MODEL_OPT_SMARTROUTING)
                                 : (settings.dwOptions & ~static_cast<DWORD>(MODEL_OPT_SMARTROUTING));
        ModelSetSettings(settings);
    }

    PowerBlock* Add(const char* pszName, long x, long y)
    {
        PowerBlock* pBlock = AddBlock(pMain, 402, pszName, x, y);
        EXPECT_NE(nullptr, pBlock);
        if (pBlock)
            frame->NotifyChildren(pBlock, OBJECT_ADDED, 0);
        return pBlock;
    }

    // A block whose body's top left corner is at the cell (column, row) of
    // the layout area, right of and below the program's default blocks. A
    // cell is three blocks wide and two high: blocks a third of a column or
    // half a row apart touch.
    PowerBlock* AddAt(const char* pszName, double column, double row)
    {
        return Add(pszName, 2000 + static_cast<long>(column * nCellX) + nOffsetX,
                   1000 + static_cast<long>(row * nCellY) + nOffsetY);
    }

    // Connects the block's first output that is drawn to the target; the
    // pane lays the line out.
    Goto* Connect(PowerBlock* pFrom, PowerBlock* pTo)
    {
        for (int i = 0; i < pFrom->GetOutputCount(); ++i)
        {
            const char* pszOutput = pFrom->GetInfo()->outputs[i].name;
            if (!pFrom->IsOutputOptional(pszOutput) || pFrom->FindGoto(pszOutput))
                continue;
            Goto* pGoto = pFrom->Connect(pTo, pszOutput, 0);
            if (pGoto)
                frame->NotifyChildren(pGoto, OBJECT_ADDED, 0);
            return pGoto;
        }
        ADD_FAILURE() << "no output to connect";
        return nullptr;
    }

    // Lays the line out again.
    void Reroute(Goto* pGoto)
    {
        pGoto->MarkForReroute();
        frame->NotifyChildren(pGoto, OBJECT_REBUILD, 0);
    }

    // The line is orthogonal and unbroken from the output's stub to the
    // target's entry point.
    void ExpectConnected(Goto* pGoto, const char* pszCase)
    {
        ASSERT_GE(pGoto->GetSegmentCount(), 2) << pszCase;
        long sx, sy, w, tx, ty, a, b;
        pPane->GetObjectCentre(pGoto->GetBlock(), pGoto->GetOutputName(), sx, sy, w);
        pPane->GetGotoAnchors(pGoto->GetTarget(), tx, ty, a, b);
        const std::vector<Line> lines = LinesOf(pGoto);
        EXPECT_EQ(tx, lines.front().tx) << pszCase;
        EXPECT_EQ(ty, lines.front().ty) << pszCase;
        EXPECT_EQ(sx, lines.back().fx) << pszCase;
        EXPECT_EQ(sy, lines.back().fy) << pszCase;
        for (size_t i = 0; i < lines.size(); ++i)
        {
            EXPECT_TRUE(lines[i].fx == lines[i].tx || lines[i].fy == lines[i].ty) << pszCase << ": " << Describe(pGoto);
            if (i + 1 < lines.size())
            {
                EXPECT_EQ(lines[i].fx, lines[i + 1].tx) << pszCase << ": " << Describe(pGoto);
                EXPECT_EQ(lines[i].fy, lines[i + 1].ty) << pszCase << ": " << Describe(pGoto);
            }
        }
    }

    // No run of the line passes through a block as it is drawn (the
    // rectangle of its name, icon and type); the entry run ends at its
    // target's icon, and the exit run starts at its own block's stub.
    void ExpectAroundBlocks(Goto* pGoto, const char* pszCase)
    {
        const std::vector<Line> lines = LinesOf(pGoto);
        for (ListIterator it(pMain->GetBlocks()); it; ++it)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(&it.current());
            DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
            ASSERT_NE(nullptr, pObj);
            const RECT rc = pPane->ViewRectToModel(pObj->GetRect());
            for (size_t i = 0; i < lines.size(); ++i)
            {
                if ((i == 0 && pBlock == pGoto->GetTarget()) || (i + 1 == lines.size() && pBlock == pGoto->GetBlock()))
                    continue;
                EXPECT_FALSE(Crosses(lines[i], rc))
                    << pszCase << ": segment " << i << " crosses " << pBlock->GetName() << ": " << Describe(pGoto);
            }
        }
    }

    Program* pProgram = nullptr;
    EditMDI* pWindow = nullptr;
    EditChild* pPane = nullptr;
    Page* pMain = nullptr;
    HWND pOldMain = nullptr;
    RecordingStatusLine status;
    ModelStatusLine* pOldStatus = nullptr;
    long nCellX = 0, nCellY = 0, nOffsetX = 0, nOffsetY = 0;
};

TEST_F(GotoRouteTest, LinesGoAroundTheBlocksInTheirWay)
{
    struct Place
    {
        double column, row;
    };
    const struct
    {
        const char* pszCase;
        Place source, target;
        std::vector<Place> others;
        const char* pszOthersName; // a long name makes a block wide
    } cases[] = {
        {"target right", {2, 2}, {4, 2}, {}},
        {"target left", {4, 2}, {2, 2}, {}},
        {"target above", {2, 4}, {2, 2}, {}},
        {"target below", {2, 2}, {2, 4}, {}},
        {"target above right", {2, 4}, {4, 2}, {}},
        {"target below left", {4, 2}, {2, 4}, {}},
        {"behind a wall", {0, 2}, {4, 2}, {{2, 1}, {2, 2}, {2, 3}}},
        {"behind a wall, to the left", {4, 2}, {0, 2}, {{2, 1}, {2, 2}, {2, 3}}},
        {"blocks on the straight way", {0, 2}, {6, 2}, {{2, 2}, {4, 2}}},
        {"behind a block, below", {2, 0}, {2, 4}, {{2, 2}}},
        // Going round a wall of touching blocks costs more turns and length
        // than passing through one of them would.
        {"behind a solid wall", {0, 2}, {4, 2}, {{2, 0.5}, {2, 1}, {2, 1.5}, {2, 2}, {2, 2.5}, {2, 3}, {2, 3.5}}},
        {"behind a solid wall, to the left", {4, 2}, {0, 2}, {{2, 0.5}, {2, 1}, {2, 1.5}, {2, 2}, {2, 2.5}, {2, 3}, {2, 3.5}}},
        {"past a wide block, below", {2, 0}, {2, 4}, {{2, 2}}, "Wide with a long name"},
        {"past a wide block, above", {2, 4}, {2, 0}, {{2, 2}}, "Wide with a long name"},
        // A long name makes a block's rectangle wider than its icon and type:
        // the corners beside them belong to the block as well.
        {"up to a target beside a wide block", {2, 6}, {4, 3}, {{3, 3}}, "Wide with a long name"},
        {"to a target beside a wide block a little higher", {0, 5}, {4, 3}, {{3.1, 2.9}}, "Wide with a long name"},
        {"to a target beside a wide block, from below", {0, 6}, {4, 3}, {{3.1, 3}}, "Wide with a long name"},
    };
    int n = 0;
    for (const auto& c : cases)
    {
        // Each layout in its own stretch of the page.
        const int nBase = n++ * 10;
        std::string name = "S" + std::to_string(n);
        PowerBlock* pFrom = AddAt(name.c_str(), nBase + c.source.column, c.source.row);
        name = "T" + std::to_string(n);
        PowerBlock* pTo = AddAt(name.c_str(), nBase + c.target.column, c.target.row);
        int m = 0;
        for (const Place& p : c.others)
        {
            name = (c.pszOthersName ? c.pszOthersName : std::string("O")) + std::to_string(n) + "_" + std::to_string(m++);
            AddAt(name.c_str(), nBase + p.column, p.row);
        }
        ASSERT_TRUE(pFrom && pTo) << c.pszCase;
        Goto* pGoto = Connect(pFrom, pTo);
        ASSERT_NE(nullptr, pGoto) << c.pszCase;
        EXPECT_TRUE(GotoRouter::LastStats().bFound)
            << c.pszCase << ": " << GotoRouter::LastStats().nExpanded << " of " << GotoRouter::LastStats().nBudget;
        EXPECT_FALSE(pGoto->IsRerouteMarked()) << c.pszCase;
        ExpectConnected(pGoto, c.pszCase);
        ExpectAroundBlocks(pGoto, c.pszCase);
    }
    ExpectModelMatches(pProgram);
}

TEST_F(GotoRouteTest, AnEnclosedTargetIsStillReachedAndTheBudgetHolds)
{
    // The target in a closed ring of blocks: no way round exists.
    PowerBlock* pTo = AddAt("Inside", 2, 2);
    for (int col = 1; col <= 3; ++col)
        for (int row = 1; row <= 3; ++row)
            if (col != 2 || row != 2)
                AddAt(("Ring" + std::to_string(col) + std::to_string(row)).c_str(), col, row);
    PowerBlock* pFrom = AddAt("Outside", 6, 2);
    Goto* pGoto = Connect(pFrom, pTo);
    ASSERT_NE(nullptr, pGoto);
    ExpectConnected(pGoto, "enclosed");
    const GotoRouteStats& stats = GotoRouter::LastStats();
    EXPECT_LE(stats.nExpanded, stats.nBudget + 1);
    EXPECT_GE(stats.nBudget, 250);
    EXPECT_LE(stats.nBudget, 1000);
}

TEST_F(GotoRouteTest, WithoutSmartRoutingALineToTheRightHasFiveSegments)
{
    SetSmartRouting(false);
    PowerBlock* pFrom = AddAt("From", 0, 0);
    PowerBlock* pTo = AddAt("To", 3, 1);
    Goto* pGoto = Connect(pFrom, pTo);
    ASSERT_NE(nullptr, pGoto);
    EXPECT_TRUE(status.calls.empty()) << "no search";
    long sx, sy, w, tx, ty, nameOver, typeOver;
    pPane->GetObjectCentre(pFrom, pGoto->GetOutputName(), sx, sy, w);
    pPane->GetGotoAnchors(pTo, tx, ty, nameOver, typeOver);
    const long approach = std::max(nameOver, typeOver) + 8 <= 10 ? 10 : std::max(nameOver, typeOver) + 8;
    const long a = sx + w + 10, c = tx - approach, m = a + (c - a) / 2;
    const std::vector<Line> expected = {
        {c, ty, tx, ty}, {m, ty, c, ty}, {m, sy, m, ty}, {a, sy, m, sy}, {sx, sy, a, sy}};
    EXPECT_EQ(expected, LinesOf(pGoto)) << Describe(pGoto);
}

TEST_F(GotoRouteTest, TheSearchShowsItsProgressWithTheMainWindowDisabled)
{
    PowerBlock* pFrom = AddAt("From", 0, 2);
    AddAt("Wall", 2, 2);
    PowerBlock* pTo = AddAt("To", 4, 2);
    ::EnableWindow(frame->HWindow, TRUE);
    status.calls.clear();
    Goto* pGoto = Connect(pFrom, pTo);
    ASSERT_NE(nullptr, pGoto);
    ASSERT_GE(status.calls.size(), 4u);
    EXPECT_EQ("set 2 Routing goto lines. now", status.calls.front());
    EXPECT_EQ("append 2 .", status.calls[1]);
    EXPECT_EQ("reset", status.calls[status.calls.size() - 2]);
    EXPECT_EQ("set 0  now", status.calls.back());
    EXPECT_FALSE(status.bMainEnabledDuringSearch);
    EXPECT_TRUE(IsWindowEnabled(frame->HWindow));

    // A main window that was disabled before (a modal dialog is up) stays
    // so.
    ::EnableWindow(frame->HWindow, FALSE);
    Reroute(pGoto);
    EXPECT_FALSE(IsWindowEnabled(frame->HWindow));
    ::EnableWindow(frame->HWindow, TRUE);
}

TEST_F(GotoRouteTest, EscapeDuringTheSearchLeavesTheThreeRunLine)
{
    PowerBlock* pFrom = AddAt("From", 0, 2);
    AddAt("Wall", 2, 2);
    PowerBlock* pTo = AddAt("To", 4, 2);

    // The line without the search, for comparison.
    SetSmartRouting(false);
    Goto* pGoto = Connect(pFrom, pTo);
    ASSERT_NE(nullptr, pGoto);
    const std::vector<Line> simple = LinesOf(pGoto);
    SetSmartRouting(true);
    Reroute(pGoto);
    ASSERT_NE(simple, LinesOf(pGoto)) << "the search goes round the wall";

    // The key is pressed once the search has begun.
    status.onProgress = [this]() { ::PostMessageA(pPane->HWindow, WM_KEYDOWN, VK_ESCAPE, 0); };
    Reroute(pGoto);
    EXPECT_TRUE(GotoRouter::LastStats().bEscaped);
    EXPECT_EQ(0, GotoRouter::LastStats().nExpanded);
    EXPECT_EQ(simple, LinesOf(pGoto)) << Describe(pGoto);
    EXPECT_FALSE(pGoto->IsRerouteMarked());
    EXPECT_EQ("set 0  now", status.calls.back()) << "the status line is reset";
    EXPECT_TRUE(IsWindowEnabled(frame->HWindow));
}

TEST_F(GotoRouteTest, ARoutingOrCommandLetThroughByARunningSearchStartsNoSecondOne)
{
    PowerBlock* pFrom = AddAt("From", 0, 2);
    AddAt("Wall", 2, 2);
    PowerBlock* pTo = AddAt("To", 4, 2);
    PowerBlock* pOtherFrom = AddAt("OtherFrom", 0, 5);
    PowerBlock* pOtherTo = AddAt("OtherTo", 4, 5);
    AddAt("OtherWall", 2, 5);
    Goto* pGoto = Connect(pFrom, pTo);
    Goto* pOther = Connect(pOtherFrom, pOtherTo);
    ASSERT_TRUE(pGoto && pOther);
    const std::vector<Line> routed = LinesOf(pGoto);
    const std::vector<Line> otherRouted = LinesOf(pOther);
    SetSmartRouting(false);
    Reroute(pOther);
    const std::vector<Line> otherSimple = LinesOf(pOther);
    SetSmartRouting(true);
    ASSERT_NE(otherSimple, otherRouted);

    // While the search runs, a message it dispatches asks for the other
    // line to be laid out and for the page's marked lines to be routed.
    HWND hHook = MakeHookWindow();
    ASSERT_NE(nullptr, hHook);
    int nAsked = 0, nHandled = 0;
    status.onProgress = [&]() {
        if (nAsked++ == 0)
            ::PostMessageA(hHook, WM_APP, 0, 0);
    };
    g_onMessage = [&]() {
        ++nHandled;
        EXPECT_TRUE(PXLongOperation::IsRunning());
        Reroute(pOther);
        pOther->MarkForReroute();
        pPane->RouteGotoLines();
    };
    Reroute(pGoto);
    g_onMessage = nullptr;
    DestroyWindow(hHook);
    EXPECT_EQ(1, nAsked) << "one search ran";
    EXPECT_EQ(1, nHandled);
    EXPECT_EQ(routed, LinesOf(pGoto)) << "the running search was not disturbed: " << Describe(pGoto);
    EXPECT_TRUE(GotoRouter::LastStats().bFound);
    EXPECT_EQ(otherSimple, LinesOf(pOther)) << "laid out without a search: " << Describe(pOther);
    EXPECT_TRUE(pOther->IsRerouteMarked()) << "and left for the next routing";
    EXPECT_NE(nullptr, pPane->FindOwnDisplayObject(pOther->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT));

    // The next routing pass lays it properly.
    status.onProgress = nullptr;
    pPane->RouteGotoLines();
    EXPECT_EQ(otherRouted, LinesOf(pOther)) << Describe(pOther);
    EXPECT_FALSE(pOther->IsRerouteMarked());
}
