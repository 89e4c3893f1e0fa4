// Display objects on a program made with the model: where each one puts its
// ink at three zooms, its hit tests at its edges and in its gaps, its
// status-line texts and its clicks.
#include "DisplayTestSupport.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "IconObject.h"
#include "LineObjects.h"
#include "PowerBlockObject.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"
#include "owl/TWindow.h"

#include <commctrl.h>
#include <cstring>
#include <string>

namespace
{
RECT Grown(const RECT& rc, long n)
{
    RECT r = rc;
    InflateRect(&r, n, n);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Str(const char* psz)
{
    return psz ? psz : "(none)";
}

const COLORREF kPink = RGB(255, 0, 255);

class TestIcon : public Icon
{
public:
    using Icon::Icon;
    classType isA() const override { return 0; }
};
const COLORREF kGray = RGB(192, 192, 192);

class DisplayTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pEnd = m_pMain->FindBlockByName("End");
        ASSERT_NE(nullptr, m_pEnd);
    }
    void TearDown() override
    {
        m_pane.Clear();
        delete m_pProgram;
        ModelTest::TearDown();
    }

    // A three-segment line from the block's output to the target's left
    // side, index 0 at the target.
    Goto* Line(PowerBlock* pFrom, const char* pszOutput, PowerBlock* pTo, long nFlags = 0)
    {
        Goto* pGoto = pFrom->FindGoto(pszOutput);
        if (!pGoto)
            pGoto = pFrom->Connect(pTo, pszOutput, 0);
        EXPECT_NE(nullptr, pGoto) << pFrom->GetName() << "." << pszOutput;
        if (!pGoto)
            return nullptr;
        pGoto->RemoveAllSegments();
        const long fx = pFrom->GetX() + 200, fy = pFrom->GetY() + 20;
        const long tx = pTo->GetX() - 60, ty = pTo->GetY() + 20;
        const long mx = (fx + tx) / 2;
        pGoto->AddSegment(mx, ty, tx, ty);
        pGoto->AddSegment(mx, fy, mx, ty);
        pGoto->AddSegment(fx, fy, mx, fy);
        pGoto->SetFlags(nFlags);
        return pGoto;
    }

    // One block of every type of the palette on the page "Main".
    std::vector<PowerBlock*> BlocksOfEveryType()
    {
        std::vector<PowerBlock*> blocks;
        int i = 0;
        ListIterator groups(s_pIcons->GetGroups());
        while (groups)
        {
            GroupIcon& group = static_cast<GroupIcon&>(groups++);
            ListIterator icons(group.GetIcons());
            while (icons)
            {
                PowerBlockIcon& icon = static_cast<PowerBlockIcon&>(icons++);
                const int nType = icon.GetInfo()->type;
                if (nType == KVR_PB_IMPORTED || m_pMain->CountBlocksOfType(nType) > 0)
                    continue;
                char szName[16];
                wsprintfA(szName, "B%d", nType);
                if (PowerBlock* pBlock = AddBlock(m_pMain, nType, szName, 400 + 700 * (i % 4), 150 + 320 * (i / 4)))
                    blocks.push_back(pBlock);
                ++i;
            }
        }
        return blocks;
    }

    TestPane m_pane;
    Program* m_pProgram = nullptr;
    Page* m_pMain = nullptr;
    PowerBlock* m_pEnd = nullptr;
};

// Draws the object on its own canvas at the zoom and checks that its ink
// lies on its rectangle; answers the canvas for further checks.
std::unique_ptr<InkCanvas> DrawAlone(DisplayObject* pObj, int nZoom, bool bExpectInk)
{
    const long margin = 40;
    const RECT& rc0 = pObj->GetRect();
    const int cx = static_cast<int>((rc0.right - rc0.left + 2 * margin + 400) * nZoom / 100 + 8);
    const int cy = static_cast<int>((rc0.bottom - rc0.top + 2 * margin) * nZoom / 100 + 8);
    auto canvas = std::make_unique<InkCanvas>(nZoom, rc0.left - margin, rc0.top - margin, cx, cy);
    pObj->Draw(canvas->GetDC(), nullptr, nullptr);
    RECT ink = canvas->InkBounds();
    RECT allowed = canvas->ToDevice(pObj->GetRect());
    if (pObj->isA() == PX_CLASS_POWERBLOCKOBJECT)
    {
        // A type name wider than the block's body is drawn beyond it.
        auto* pBlockObj = static_cast<PowerBlockObject*>(pObj);
        FontObject* pFont = g_pFonts->Find("powerblock_label");
        HGDIOBJ hOld = SelectObject(canvas->GetDC(), pFont->GetFont());
        const char* pszType = pBlockObj->GetBlock()->GetInfo()->name;
        long w = TextWidth(canvas->GetDC(), pszType);
        SelectObject(canvas->GetDC(), hOld);
        RECT rcText = {pBlockObj->GetTypeBox().left, pBlockObj->GetTypeBox().top,
                       pBlockObj->GetTypeBox().left + w + 2, pBlockObj->GetTypeBox().bottom};
        RECT dev = canvas->ToDevice(rcText);
        UnionRect(&allowed, &allowed, &dev);
    }
    const long tol = 2 + 2 * nZoom / 100;
    EXPECT_EQ(bExpectInk, !IsRectEmpty(&ink)) << "class " << pObj->isA() << " zoom " << nZoom << " rect "
                                              << rc0.left << "," << rc0.top << "-" << rc0.right << "," << rc0.bottom;
    if (!IsRectEmpty(&ink))
    {
        EXPECT_TRUE(Inside(ink, Grown(allowed, tol)))
            << "class " << pObj->isA() << " zoom " << nZoom << ": ink " << ink.left << "," << ink.top << "-"
            << ink.right << "," << ink.bottom << " rect " << allowed.left << "," << allowed.top << "-"
            << allowed.right << "," << allowed.bottom;
    }
    return canvas;
}
}

TEST_F(DisplayTest, EveryObjectDrawsAtItsRectangleAtEachZoom)
{
    std::vector<PowerBlock*> blocks = BlocksOfEveryType();
    ASSERT_GE(blocks.size(), 15u);
    PowerBlock* pMenu = m_pMain->FindBlockByName("B402");
    ASSERT_NE(nullptr, pMenu);
    Goto* pFull = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd);
    Goto* pLabelled = Line(pMenu, pMenu->GetInfo()->outputs[1].name, m_pEnd, GOTO_FLAG_LABELSTUB);
    Goto* pStub = Line(pMenu, pMenu->GetInfo()->outputs[2].name, m_pEnd, GOTO_FLAG_STUB);
    ASSERT_TRUE(pFull && pLabelled && pStub);
    PXTextUI* pNote = new PXTextUI(m_pMain, 100, 900, 1800, 2000, new FontObject("", *g_pFonts->Find("default_textnotes")));
    pNote->SetText("A note\r\nover two lines");
    m_pMain->AddNote(pNote);
    m_pane.AddPage(m_pMain);

    // Every kind of display object is there.
    for (classType n : {PX_CLASS_POWERBLOCKOBJECT, PX_CLASS_GOTOBLOCKOBJECT, PX_CLASS_BRANCHOBJECT,
                        PX_CLASS_LINESEGMENTOBJECT, PX_CLASS_LINEBLOCKOBJECT, PX_CLASS_LINELABELOBJECT,
                        PX_CLASS_TEXTDOBJ})
        EXPECT_FALSE(m_pane.FindAll(n).empty()) << "class " << n;

    for (int nZoom : {50, 100, 200})
    {
        m_pane.SetZoom(nZoom);
        for (int nSelected = 0; nSelected < 2; ++nSelected)
        {
            if (nSelected)
            {
                m_pane.SetSelection({pMenu, pFull, pNote, pMenu->FindGotoBlock(pMenu->GetInfo()->outputs[0].name)});
                m_pane.SetSecondClick(1);
            }
            else
            {
                m_pane.SetSelection({});
                m_pane.SetSecondClick(0);
            }
            for (DisplayObject* pObj : m_pane.m_Objects)
            {
                // Break handles show only on the selected line after a
                // second click.
                bool bInk = pObj->isA() != PX_CLASS_LINEBLOCKOBJECT ||
                            (nSelected && static_cast<LineBlockObject*>(pObj)->GetGoto() == pFull);
                auto canvas = DrawAlone(pObj, nZoom, bInk);
                if (HasFatalFailure())
                    return;
                const RECT dev = canvas->ToDevice(pObj->GetRect());
                switch (pObj->isA())
                {
                case PX_CLASS_POWERBLOCKOBJECT:
                {
                    auto* p = static_cast<PowerBlockObject*>(pObj);
                    EXPECT_GT(canvas->CountInk(canvas->ToDevice(p->GetNameBox())), 0) << p->GetBlock()->GetName();
                    EXPECT_GT(canvas->CountInk(canvas->ToDevice(p->GetTypeBox())), 0) << p->GetBlock()->GetName();
                    RECT icon = canvas->ToDevice(p->GetIconBox());
                    // The icon's bitmap inside the frame, and the frame in
                    // gray or pink.
                    EXPECT_GT(canvas->CountColour(icon, RGB(0, 128, 128)), 0) << p->GetBlock()->GetName();
                    RECT frame = Grown(icon, 2);
                    EXPECT_GT(canvas->CountColour(frame, kPink) + canvas->CountColour(frame, kGray), 0);
                    // The three boxes lie one under the other, inside the
                    // block's rectangle.
                    EXPECT_LT(p->GetNameBox().bottom, p->GetIconBox().top);
                    EXPECT_LT(p->GetIconBox().bottom, p->GetTypeBox().top);
                    EXPECT_EQ(p->GetRect().top, p->GetNameBox().top);
                    break;
                }
                case PX_CLASS_GOTOBLOCKOBJECT:
                {
                    const RECT& rc = pObj->GetRect();
                    if (rc.right - rc.left == rc.bottom - rc.top)
                    {
                        // A square: filled, nothing else.
                        RECT inner = Grown(dev, -1);
                        int nArea = (inner.right - inner.left) * (inner.bottom - inner.top);
                        COLORREF cr = m_pane.IsSelected(pObj->GetObject()) ? RGB(255, 0, 0) : RGB(0, 0, 0);
                        EXPECT_EQ(nArea, canvas->CountColour(inner, cr));
                    }
                    else
                    {
                        // The hatched or plain face under the output's name.
                        int nFace = canvas->CountColour(dev, GetSysColor(COLOR_BTNFACE)) + canvas->CountColour(dev, kPink);
                        EXPECT_GT(nFace, (dev.right - dev.left) * (dev.bottom - dev.top) / 3);
                        EXPECT_GT(canvas->CountOther(Grown(dev, -1),
                                                     {GetSysColor(COLOR_BTNFACE), kPink, GetSysColor(COLOR_BTNSHADOW),
                                                      GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255)}),
                                  0)
                            << static_cast<GotoBlockObject*>(pObj)->GetStub()->GetOutputName() << " zoom " << nZoom
                            << " selected " << m_pane.IsSelected(pObj->GetObject()) << " face "
                            << canvas->CountColour(dev, GetSysColor(COLOR_BTNFACE)) << " pink " << canvas->CountColour(dev, kPink)
                            << " area " << (dev.right - dev.left) * (dev.bottom - dev.top);
                    }
                    break;
                }
                case PX_CLASS_LINESEGMENTOBJECT:
                {
                    auto* p = static_cast<LineSegmentObject*>(pObj);
                    RECT r = canvas->ToDevice(p->GetRect());
                    // The line runs along the middle, one pixel past the
                    // right end when horizontal.
                    RECT middle = r;
                    if (p->IsHorizontal())
                        middle.top = middle.bottom = (r.top + r.bottom) / 2;
                    else
                        middle.left = middle.right = (r.left + r.right) / 2;
                    InflateRect(&middle, 2 + 2 * nZoom / 100, 2 + 2 * nZoom / 100);
                    EXPECT_EQ(canvas->CountInk(canvas->ToDevice(Grown(p->GetRect(), 2))), canvas->CountInk(middle));
                    COLORREF cr = m_pane.IsSelected(p->GetGoto()) ? RGB(255, 0, 0)
                                  : p->GetGoto()->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB) ? kPink
                                                                                               : RGB(0, 0, 0);
                    EXPECT_GT(canvas->CountColour(middle, cr), 0);
                    break;
                }
                case PX_CLASS_LINELABELOBJECT:
                {
                    auto* p = static_cast<LineLabelObject*>(pObj);
                    EXPECT_GT(canvas->CountColour(dev, RGB(255, 204, 204)), 0);
                    EXPECT_EQ(p->GetGoto(), pLabelled);
                    break;
                }
                case PX_CLASS_TEXTDOBJ:
                {
                    RECT inner = Grown(dev, -2);
                    EXPECT_GT(canvas->CountInk(inner), 0);
                    // A selected note is framed.
                    int nCorner = canvas->IsInk(dev.left, dev.top) ? 1 : 0;
                    EXPECT_EQ(nSelected, nCorner);
                    break;
                }
                default:
                    break;
                }
            }
        }
    }
}

TEST_F(DisplayTest, LabelTakesTheWidthOfTheTargetsName)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    Goto* pGoto = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd, GOTO_FLAG_LABELSTUB);
    ASSERT_NE(nullptr, pGoto);
    RECT rc = {100, 100, 105, 110};
    LineLabelObject label(&m_pane, pGoto, rc);
    m_pane.m_Grid.AddObject(&label);
    InkCanvas canvas(100, 0, 0, 400, 200);
    label.Draw(canvas.GetDC(), nullptr, nullptr);
    HGDIOBJ hOld = SelectObject(canvas.GetDC(), g_pFonts->Find("powerblock_label")->GetFont());
    EXPECT_EQ(100 + TextWidth(canvas.GetDC(), "End"), label.GetRect().right);
    SelectObject(canvas.GetDC(), hOld);
    // The grid takes the label out of the cells it entered.
    m_pane.m_Grid.RemoveObject(&label);
    EXPECT_EQ(nullptr, m_pane.m_Grid.FindAt(101, 101));
}

TEST_F(DisplayTest, HitTestsAtEdgesAndInGaps)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    Goto* pGoto = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd);
    ASSERT_NE(nullptr, pGoto);
    m_pane.AddBlockDisplays(pMenu);
    m_pane.AddGotoDisplays(pGoto);

    auto* pBlockObj = static_cast<PowerBlockObject*>(m_pane.Find(pMenu, PX_CLASS_POWERBLOCKOBJECT));
    ASSERT_NE(nullptr, pBlockObj);
    const RECT name = pBlockObj->GetNameBox(), icon = pBlockObj->GetIconBox(), type = pBlockObj->GetTypeBox();
    const RECT rc = pBlockObj->GetRect();
    const long cx = (icon.left + icon.right) / 2;
    const struct
    {
        long x, y;
        bool bIn;
        const char* pszWhere;
    } blockCases[] = {
        {name.left, name.top, true, "name box top-left"},
        {name.right, name.top, false, "name box right edge"},
        {cx, name.bottom, false, "gap under the name"},
        {cx, icon.top, true, "icon top edge"},
        {icon.right - 1, icon.bottom - 1, true, "icon bottom-right pixel"},
        {icon.right, (icon.top + icon.bottom) / 2, false, "icon right edge"},
        {cx, icon.bottom, false, "gap under the icon"},
        {type.left, type.bottom - 1, true, "type box"},
        {rc.left, (icon.top + icon.bottom) / 2, icon.left == rc.left, "beside the icon"},
        {cx, type.bottom, false, "under the block"},
    };
    for (const auto& c : blockCases)
        EXPECT_EQ(c.bIn, pBlockObj->Contains(c.x, c.y)) << c.pszWhere;
    // A rectangle in the block's corner beside its narrow boxes meets none.
    if (icon.left > rc.left + 2)
    {
        RECT corner = {rc.left, icon.top, rc.left + 1, icon.top + 1};
        EXPECT_FALSE(pBlockObj->Intersects(corner));
    }
    EXPECT_TRUE(pBlockObj->Intersects(icon));
    EXPECT_TRUE(pBlockObj->IsBlockObject());
    RECT outline = pBlockObj->DragOutline();
    EXPECT_TRUE(EqualRect(&outline, &icon));

    // Stubs, segments and handles include their edges.
    for (classType n : {PX_CLASS_GOTOBLOCKOBJECT, PX_CLASS_LINESEGMENTOBJECT, PX_CLASS_LINEBLOCKOBJECT})
        for (DisplayObject* p : m_pane.FindAll(n))
        {
            const RECT& r = p->GetRect();
            EXPECT_TRUE(p->Contains(r.left, r.top)) << n;
            EXPECT_TRUE(p->Contains(r.right, r.bottom)) << n;
            EXPECT_FALSE(p->Contains(r.right + 1, r.bottom)) << n;
            EXPECT_FALSE(p->Contains(r.left, r.top - 1)) << n;
        }

    // The branch mark is drawn and met by rectangles, never hit by a point.
    std::vector<DisplayObject*> branches = m_pane.FindAll(PX_CLASS_BRANCHOBJECT);
    ASSERT_EQ(1u, branches.size());
    const RECT br = branches[0]->GetRect();
    EXPECT_FALSE(branches[0]->Contains((br.left + br.right) / 2, (br.top + br.bottom) / 2));
    EXPECT_TRUE(branches[0]->Intersects(br));

    // Through the grid: a point on the stub finds the stub; a point in the
    // gap between name and icon finds nothing.
    DisplayObject* pStubObj = m_pane.FindAll(PX_CLASS_GOTOBLOCKOBJECT)[0];
    const RECT& sr = pStubObj->GetRect();
    EXPECT_EQ(pStubObj, m_pane.m_Grid.FindAt((sr.left + sr.right) / 2, (sr.top + sr.bottom) / 2));
    EXPECT_EQ(nullptr, m_pane.m_Grid.FindAt(cx, name.bottom));
    EXPECT_EQ(pBlockObj, m_pane.m_Grid.FindAt(cx, (icon.top + icon.bottom) / 2));
}

TEST_F(DisplayTest, StatusTexts)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    Goto* pGoto = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd);
    Goto* pStubGoto = Line(pMenu, pMenu->GetInfo()->outputs[1].name, m_pEnd, GOTO_FLAG_LABELSTUB);
    ASSERT_TRUE(pGoto && pStubGoto);
    m_pane.AddBlockDisplays(pMenu);
    m_pane.AddGotoDisplays(pGoto);
    m_pane.AddGotoDisplays(pStubGoto);
    DisplayObject* pBlockObj = m_pane.Find(pMenu, PX_CLASS_POWERBLOCKOBJECT);
    GotoBlock* pStub = pMenu->FindGotoBlock(pMenu->GetInfo()->outputs[0].name);
    DisplayObject* pStubObj = m_pane.Find(pStub, PX_CLASS_GOTOBLOCKOBJECT);
    DisplayObject* pSegObj = m_pane.Find(pGoto->GetSegment(1), PX_CLASS_LINESEGMENTOBJECT);
    DisplayObject* pHandleObj = m_pane.Find(pGoto->GetSegment(1), PX_CLASS_LINEBLOCKOBJECT);
    DisplayObject* pStubSegObj = m_pane.Find(pStubGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT);
    DisplayObject* pStubHandleObj = m_pane.Find(pStubGoto->GetSegment(0), PX_CLASS_LINEBLOCKOBJECT);
    DisplayObject* pLabelObj = m_pane.Find(pStubGoto, PX_CLASS_LINELABELOBJECT);
    DisplayObject* pBranchObj = m_pane.FindAll(PX_CLASS_BRANCHOBJECT)[0];
    ASSERT_TRUE(pBlockObj && pStubObj && pSegObj && pHandleObj && pStubSegObj && pStubHandleObj && pLabelObj);

    const std::string connected = std::string("Connected to: ") + m_pEnd->GetInfo()->name + " / End";
    const std::string breakLine = "Double click to break line into separate segments for rerouting.";
    const std::string clickAgain = "Click again to break line into smaller lines or drag line to manually reroute.";
    const std::string join = "Double click to remove break and join line segments.";
    const std::string addRemove = "Click again to add/remove line segments for rerouting.";
    const std::string none = "(none)";
    enum Which { HOVER, DRAG, STATUS };
    const struct
    {
        const char* pszCase;
        DisplayObject* pObj;
        std::vector<UIObject*> selection;
        int nSecondClick;
        Which which;
        std::string expected;
    } cases[] = {
        {"block", pBlockObj, {}, 0, DRAG, "Moving..."},
        {"block", pBlockObj, {}, 0, STATUS, "Drag Block to new location or double click to edit properties."},
        {"block, stub selected", pBlockObj, {pStub}, 0, HOVER, "Click to connect selected output to this Block."},
        {"stub", pStubObj, {}, 0, HOVER, "Click to connect this output to a Block."},
        {"stub selected", pStubObj, {pStub}, 0, HOVER, "Select Block to connect to."},
        {"stub", pStubObj, {}, 0, STATUS, "Select Block to connect to."},
        {"stub", pStubObj, {}, 0, DRAG, none},
        {"segment", pSegObj, {}, 0, HOVER, connected},
        {"segment selected", pSegObj, {pGoto}, 0, HOVER, clickAgain},
        {"segment selected, clicked again", pSegObj, {pGoto}, 1, HOVER, breakLine},
        {"segment among two selected", pSegObj, {pGoto, pMenu}, 0, HOVER, none},
        {"segment", pSegObj, {}, 0, STATUS, clickAgain},
        {"segment clicked again", pSegObj, {pGoto}, 1, STATUS, breakLine},
        {"segment", pSegObj, {}, 0, DRAG, "Manually rerouting line..."},
        {"stub line selected", pStubSegObj, {pStubGoto}, 1, HOVER, connected},
        {"stub line", pStubSegObj, {pStubGoto}, 1, STATUS, none},
        {"handle", pHandleObj, {}, 0, HOVER, none},
        {"handle selected", pHandleObj, {pGoto}, 0, HOVER, addRemove},
        {"handle selected, clicked again", pHandleObj, {pGoto}, 1, HOVER, join},
        {"handle among two selected", pHandleObj, {pGoto, pMenu}, 0, HOVER, none},
        {"handle", pHandleObj, {}, 0, STATUS, clickAgain},
        {"handle clicked again", pHandleObj, {pGoto}, 1, STATUS, join},
        {"stub line's handle", pStubHandleObj, {pStubGoto}, 1, HOVER, none},
        {"stub line's handle", pStubHandleObj, {pStubGoto}, 1, STATUS, none},
        {"label", pLabelObj, {}, 0, HOVER, none},
        {"label", pLabelObj, {}, 0, STATUS, none},
        {"branch", pBranchObj, {}, 0, HOVER, none},
    };
    for (const auto& c : cases)
    {
        m_pane.SetSelection(c.selection);
        m_pane.SetSecondClick(c.nSecondClick);
        const char* psz = c.which == HOVER ? c.pObj->HoverText() : c.which == DRAG ? c.pObj->DragText() : c.pObj->StatusText();
        EXPECT_EQ(c.expected, Str(psz)) << c.pszCase << " (" << c.which << ")";
    }
    m_pane.SetSelection({});

    // A block's hover text is the first line of its description, at most
    // 127 characters.
    std::string description(300, 'd');
    description[40] = '\r';
    description[41] = '\n';
    pMenu->SetDescription(description.c_str());
    EXPECT_EQ(std::string(40, 'd'), Str(pBlockObj->HoverText()));
    pMenu->SetDescription(std::string(300, 'e').c_str());
    EXPECT_EQ(std::string(127, 'e'), Str(pBlockObj->HoverText()));
    pMenu->SetDescription("");
    EXPECT_EQ("", Str(pBlockObj->HoverText()));
}

TEST_F(DisplayTest, SegmentHoverTextOfALongTypeNameIsCutToItsBuffer)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    Goto* pGoto = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd);
    ASSERT_NE(nullptr, pGoto);
    // A target whose type name is far longer than the hover buffer.
    std::string longName(600, 'T');
    PowerBlockInfo info = *m_pEnd->GetInfo();
    info.name = longName.c_str();
    PowerBlockInfo* pOld = m_pEnd->GetInfo();
    PowerBlockIcon* pOldIcon = m_pEnd->GetIcon();
    m_pEnd->SetInfo(&info, pOldIcon);
    m_pane.AddGotoDisplays(pGoto);
    DisplayObject* pSegObj = m_pane.Find(pGoto->GetSegment(0), PX_CLASS_LINESEGMENTOBJECT);
    ASSERT_NE(nullptr, pSegObj);
    const std::string text = Str(pSegObj->HoverText());
    EXPECT_EQ(127u, text.size());
    EXPECT_EQ(0u, text.find("Connected to: TTTT"));
    m_pane.Clear();
    m_pEnd->SetInfo(pOld, pOldIcon);
}

TEST_F(DisplayTest, ClicksOnGotoLines)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    Goto* pGoto = Line(pMenu, pMenu->GetInfo()->outputs[0].name, m_pEnd);
    Goto* pStubGoto = Line(pMenu, pMenu->GetInfo()->outputs[1].name, m_pEnd, GOTO_FLAG_STUB);
    ASSERT_TRUE(pGoto && pStubGoto);
    m_pane.AddGotoDisplays(pGoto);
    m_pane.AddGotoDisplays(pStubGoto);

    // The first double click on a line selects it and leaves the rest to
    // the pane; other kinds and stub lines are not handled.
    DisplayObject* pSegObj = m_pane.Find(pGoto->GetSegment(1), PX_CLASS_LINESEGMENTOBJECT);
    const RECT rc = pSegObj->GetRect();
    const long x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    EXPECT_FALSE(pSegObj->Click(x, y, DO_CLICK_LEFT));
    EXPECT_FALSE(m_pane.Find(pStubGoto->GetSegment(1), PX_CLASS_LINESEGMENTOBJECT)->Click(x, y, DO_CLICK_DOUBLE));
    EXPECT_TRUE(m_pane.m_Selects.empty());
    EXPECT_FALSE(pSegObj->Click(x, y, DO_CLICK_DOUBLE));
    ASSERT_EQ(1u, m_pane.m_Selects.size());
    EXPECT_EQ(pGoto, m_pane.m_Selects[0].pObject);
    EXPECT_EQ(3, m_pane.m_Selects[0].nKind);
    EXPECT_EQ(0, m_pane.m_Selects[0].nFlags);

    // Clicked again: the segment breaks at the point. The object that was
    // clicked is gone with the line's display objects, which come back
    // one segment more.
    m_pane.SetSecondClick(1);
    const int nBefore = pGoto->GetSegmentCount();
    EXPECT_TRUE(pSegObj->Click(x, y, DO_CLICK_DOUBLE));
    EXPECT_EQ(nBefore + 1, pGoto->GetSegmentCount());
    ASSERT_EQ(2u, m_pane.m_Notices.size());
    EXPECT_EQ(5, m_pane.m_Notices[0].nKind);
    EXPECT_EQ(6, m_pane.m_Notices[1].nKind);
    EXPECT_EQ(pGoto, m_pane.m_Notices[1].pObject);
    int nSegObjects = 0;
    for (DisplayObject* p : m_pane.FindAll(PX_CLASS_LINESEGMENTOBJECT))
        nSegObjects += static_cast<LineSegmentObject*>(p)->GetGoto() == pGoto ? 1 : 0;
    EXPECT_EQ(nBefore + 1, nSegObjects);
    EXPECT_TRUE(pGoto->HasFlag(GOTO_FLAG_HANDEDIT));

    // The handle between the two halves joins them again.
    long mx, my;
    m_pane.ViewToModel(x, y, mx, my);
    Segment* pHalf = nullptr;
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
        if (pGoto->GetSegment(i)->m_nToY == my && pGoto->GetSegment(i)->m_nFromY != my)
            pHalf = pGoto->GetSegment(i);
    for (int i = 0; i < pGoto->GetSegmentCount() && !pHalf; ++i)
        if (i > 0 && pGoto->GetSegment(i)->Direction() == pGoto->GetSegment(i - 1)->Direction())
            pHalf = pGoto->GetSegment(i);
    ASSERT_NE(nullptr, pHalf);
    DisplayObject* pHandle = m_pane.Find(pHalf, PX_CLASS_LINEBLOCKOBJECT);
    ASSERT_NE(nullptr, pHandle);
    m_pane.m_Notices.clear();
    EXPECT_TRUE(pHandle->Click(x, y, DO_CLICK_DOUBLE));
    EXPECT_EQ(nBefore, pGoto->GetSegmentCount());
    ASSERT_EQ(2u, m_pane.m_Notices.size());
}

TEST_F(DisplayTest, ClicksOnBlocks)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    m_pane.AddBlockDisplays(pMenu);
    DisplayObject* pObj = m_pane.Find(pMenu, PX_CLASS_POWERBLOCKOBJECT);
    EXPECT_FALSE(pObj->Click(0, 0, DO_CLICK_LEFT));
    EXPECT_FALSE(pObj->Click(0, 0, DO_CLICK_RIGHT));
    EXPECT_TRUE(pObj->Click(0, 0, DO_CLICK_RIGHTDOUBLE));
    EXPECT_TRUE(m_pane.m_Notices.empty());

    // A block that calls a page opens that page; without the page its
    // properties are edited (a block the model does not know has none, and
    // is repainted).
    Page* pSub = new Page(m_pProgram, "Sub1", PX_PAGE_SUPERBLOCK, 0);
    ASSERT_TRUE(pSub->HasHandle());
    m_pProgram->AddPage(pSub);
    PowerBlockInfo info = {};
    info.name = "Sub1";
    info.description = "";
    info.bitmapName = "";
    info.type = KVR_PB_SUPERCALL;
    PowerBlock call;
    call.SetOwner(m_pMain);
    call.SetType(KVR_PB_SUPERCALL);
    call.SetNameDirect("CallSub1");
    call.SetInfo(&info, nullptr);
    m_pane.AddBlockDisplays(&call);
    EXPECT_TRUE(m_pane.Find(&call, PX_CLASS_POWERBLOCKOBJECT)->Click(0, 0, DO_CLICK_OPEN));
    ASSERT_EQ(1u, m_pane.m_ShownPages.size());
    EXPECT_EQ(pSub, m_pane.m_ShownPages[0]);
    EXPECT_TRUE(m_pane.m_Notices.empty());

    info.name = "Missing";
    EXPECT_TRUE(m_pane.Find(&call, PX_CLASS_POWERBLOCKOBJECT)->Click(0, 0, DO_CLICK_OPEN));
    EXPECT_EQ(1u, m_pane.m_ShownPages.size());
    ASSERT_EQ(1u, m_pane.m_Notices.size());
    EXPECT_EQ(&call, m_pane.m_Notices[0].pObject);
    EXPECT_EQ(1, m_pane.m_Notices[0].nKind);

    // A custom block asks the model to open its definition.
    call.SetType(KVR_PB_CUSTOM);
    info.type = KVR_PB_CUSTOM;
    EXPECT_FALSE(m_pane.Find(&call, PX_CLASS_POWERBLOCKOBJECT)->Click(0, 0, DO_CLICK_OPEN));
    m_pane.RemoveDisplayObjects(&call);
}

TEST_F(DisplayTest, CurrentBlockDrawsOverItsBreakpoint)
{
    PowerBlock* pMenu = AddBlock(m_pMain, 402, "Menu1", 600, 300);
    ASSERT_NE(nullptr, pMenu);
    m_pane.AddBlockDisplays(pMenu);
    auto* pObj = static_cast<PowerBlockObject*>(m_pane.Find(pMenu, PX_CLASS_POWERBLOCKOBJECT));
    const struct
    {
        long nFlags;
        bool bSelected;
        COLORREF crBack;
    } cases[] = {
        {PB_FLAG_CURRENT | PB_FLAG_BREAKPOINT, false, RGB(0, 128, 0)},
        {PB_FLAG_CURRENT, true, RGB(0, 128, 0)},
        {PB_FLAG_BREAKPOINT, true, RGB(255, 0, 0)},
        {0, true, GetSysColor(COLOR_ACTIVECAPTION)},
    };
    for (const auto& c : cases)
    {
        pMenu->SetFlags(c.nFlags);
        m_pane.SetSelection(c.bSelected ? std::vector<UIObject*>{pMenu} : std::vector<UIObject*>{});
        auto canvas = DrawAlone(pObj, 100, true);
        EXPECT_GT(canvas->CountColour(canvas->ToDevice(pObj->GetNameBox()), c.crBack), 0) << c.nFlags;
    }
    pMenu->SetFlags(0);
    m_pane.SetSelection({});
    auto canvas = DrawAlone(pObj, 100, true);
    for (COLORREF cr : {RGB(0, 128, 0), RGB(255, 0, 0)})
        EXPECT_EQ(0, canvas->CountColour(canvas->ToDevice(pObj->GetNameBox()), cr));
}

TEST_F(DisplayTest, PaletteIconLabels)
{
    const struct
    {
        const char* pszName;
        const char* pszFirst;
        const char* pszSecond;
    } cases[] = {
        {"DataCollection", "Data", "Collection"},
        {"Menu", "Menu", ""},
        {"Give Information", "Give", "Information"},
        {"Library.1234", "Library", "1234"},
    };
    for (const auto& c : cases)
    {
        TestIcon icon(c.pszName, nullptr, "PB_MENU");
        RECT cell = {0, 0, 120, 100};
        IconObject obj(&m_pane, &icon, cell, 32, 32);
        EXPECT_FALSE(obj.Contains(60, 50));
        InkCanvas canvas(100, 0, 0, 200, 140);
        obj.Draw(canvas.GetDC(), nullptr, nullptr);
        ASSERT_TRUE(obj.IsLaidOut());
        EXPECT_EQ(std::string(c.pszFirst), obj.GetFirstLine()) << c.pszName;
        EXPECT_EQ(std::string(c.pszSecond), obj.GetSecondLine()) << c.pszName;
        const RECT& ri = obj.GetIconRect();
        EXPECT_EQ(32, ri.right - ri.left);
        EXPECT_EQ(32, ri.bottom - ri.top);
        EXPECT_LT(ri.bottom, obj.GetLabelRect().top);
        EXPECT_TRUE(obj.Contains((ri.left + ri.right) / 2, (ri.top + ri.bottom) / 2));
        EXPECT_FALSE(obj.Contains(cell.left, cell.top));
        RECT outline = obj.DragOutline();
        EXPECT_TRUE(EqualRect(&outline, &ri));
        EXPECT_GT(canvas.CountColour(canvas.ToDevice(ri), RGB(0, 128, 128)), 0);
        EXPECT_GT(canvas.CountInk(canvas.ToDevice(obj.GetLabelRect())), 0);
    }
}
