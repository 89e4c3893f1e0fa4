// Gotos and segments: connecting outputs, model indexes, group outputs,
// and the hand edits of a line.
#include "ModelTestSupport.h"
#include "ModelRes.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct Seg
{
    long fx, fy, tx, ty;
};

std::vector<Seg> SegmentsOf(Goto* pGoto)
{
    std::vector<Seg> segs;
    for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
    {
        Segment* p = pGoto->GetSegment(i);
        segs.push_back({p->m_nFromX, p->m_nFromY, p->m_nToX, p->m_nToY});
    }
    return segs;
}

void ExpectSegments(Goto* pGoto, const std::vector<Seg>& expected)
{
    std::vector<Seg> actual = SegmentsOf(pGoto);
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(expected[i].fx, actual[i].fx) << i;
        EXPECT_EQ(expected[i].fy, actual[i].fy) << i;
        EXPECT_EQ(expected[i].tx, actual[i].tx) << i;
        EXPECT_EQ(expected[i].ty, actual[i].ty) << i;
    }
    // Each segment starts where the one after it ends.
    for (size_t i = 0; i + 1 < actual.size(); ++i)
    {
        EXPECT_EQ(actual[i + 1].tx, actual[i].fx) << i;
        EXPECT_EQ(actual[i + 1].ty, actual[i].fy) << i;
    }
}

void SetSegments(Goto* pGoto, const std::vector<Seg>& segs)
{
    pGoto->RemoveAllSegments();
    for (const Seg& s : segs)
        pGoto->AddSegment(s.fx, s.fy, s.tx, s.ty);
}

int g_nBeeps = 0;
void CountBeep(UINT)
{
    ++g_nBeeps;
}
}

class GotoTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pBegin = m_pMain->FindBlockByName("Begin");
        m_pEnd = m_pMain->FindBlockByName("End");
        m_pGoto = m_pBegin->Connect(m_pEnd, "Start", 0);
        g_nBeeps = 0;
        m_pfnPrevBeep = PXSetMessageBeepHook(CountBeep);
    }
    void TearDown() override
    {
        PXSetMessageBeepHook(m_pfnPrevBeep);
        delete m_pProgram;
        ModelTest::TearDown();
    }

    Program* m_pProgram = nullptr;
    Page* m_pMain = nullptr;
    PowerBlock* m_pBegin = nullptr;
    PowerBlock* m_pEnd = nullptr;
    Goto* m_pGoto = nullptr;
    PXMessageBeepHook m_pfnPrevBeep = nullptr;
};

TEST_F(GotoTest, ConnectRegistersAndRefusesASecondGotoFromAnOutput)
{
    ASSERT_NE(nullptr, m_pGoto);
    EXPECT_EQ(m_pEnd, m_pGoto->GetTarget());
    EXPECT_EQ(GOTO_FLAG_REROUTE, m_pGoto->GetFlags());
    EXPECT_EQ(359u, m_pGoto->isA());
    ExpectModelMatches(m_pProgram);

    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, m_pBegin->Connect(m_pMain->FindBlockByName("Attendant"), "Start", 0));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_NE(std::string::npos, boxes.boxes[0].text.find("A goto already exists"));
    EXPECT_EQ(m_pEnd, m_pBegin->FindGoto("Start")->GetTarget());
    EXPECT_EQ(1, static_cast<int>(m_pBegin->GetGotos().getItemsInContainer()));
    ExpectModelMatches(m_pProgram);
}

TEST_F(GotoTest, ModelIndexSkipsGroupOutputs)
{
    PowerBlock* pDay = AddBlock(m_pMain, 395, "Days");
    const struct
    {
        const char* pszOutput;
        int nIndex;
    } cases[] = {{"Weekdays", -1}, {"Monday", 0}, {"Tuesday", 1}, {"Weekend", -1}, {"Saturday", 5}, {"Nothing", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nIndex, pDay->ModelIndexOf(c.pszOutput)) << c.pszOutput;
    ASSERT_NE(nullptr, pDay->Connect(m_pEnd, "Tuesday", 0));
    EXPECT_EQ(m_pEnd->GetHandle(), kvrGetGotoConnection(pDay->GetHandle(), 1));
    ExpectModelMatches(m_pProgram);
}

TEST_F(GotoTest, FailedGroupMemberTakesBackTheMembersAlreadyMade)
{
    // A description with more members than the model's block has
    // connections: the eighth member is refused.
    static const char* names[9] = {"G", "Monday", "Tuesday", "Wednesday", "Thursday",
                                   "Friday", "Saturday", "Sunday", "Extra"};
    PowerBlockInfo info;
    std::memcpy(&info, IconOf(395)->GetInfo(), sizeof(info));
    info.numOutputs = 9;
    for (int i = 0; i < 9; ++i)
    {
        info.outputs[i].name = names[i];
        info.outputs[i].flags = i == 0 ? KVR_OUTPUT_GROUP : 0;
        info.outputs[i].number = static_cast<unsigned char>(i + 1);
        info.outputs[i].groupKey = 1;
    }
    int nRetry = 1;
    PowerBlock* pBlock = new PowerBlock(m_pMain, "Crafted", &info, nullptr, 0, 0, &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(pBlock->HasHandle());
    m_pMain->AddObject(pBlock);

    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, pBlock->Connect(m_pEnd, "G", 0));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Error creating goto object.", boxes.boxes[0].text);
    EXPECT_TRUE(pBlock->GetGotos().isEmpty());
    for (int n = 0; n < 7; ++n)
        EXPECT_EQ(nullptr, kvrGetGotoConnection(pBlock->GetHandle(), n)) << n;
    m_pMain->RemoveBlock(pBlock);
    ExpectModelMatches(m_pProgram);
}

TEST_F(GotoTest, ConnectToABlockOfAnotherPageIsRefused)
{
    Page* pSub = new Page(m_pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
    m_pProgram->AddPage(pSub);
    ASSERT_EQ(1, pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK));
    m_pBegin->RemoveGoto(m_pGoto);
    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, m_pBegin->Connect(pSub->FindBlockByName("Begin"), "Start", 0));
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(nullptr, m_pBegin->FindGoto("Start"));
    ExpectModelMatches(m_pProgram);
}

TEST_F(GotoTest, SegmentDirections)
{
    const struct
    {
        Seg s;
        int nDirection;
        bool bPoint;
    } cases[] = {
        {{0, 0, 10, 0}, SEG_EAST, false},  {{0, 0, 0, 10}, SEG_SOUTH, false}, {{10, 0, 0, 0}, SEG_WEST, false},
        {{0, 10, 0, 0}, SEG_NORTH, false}, {{5, 5, 5, 5}, SEG_NORTH, true},
    };
    for (const auto& c : cases)
    {
        Segment seg(nullptr, c.s.fx, c.s.fy, c.s.tx, c.s.ty);
        EXPECT_EQ(c.nDirection, seg.Direction());
        EXPECT_EQ(c.bPoint, seg.IsPoint());
    }
}

TEST_F(GotoTest, MovingAMiddleSegment)
{
    // Perpendicular neighbours follow the moved segment.
    SetSegments(m_pGoto, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}});
    m_pProgram->ClearModified();
    m_pGoto->MoveSegment(m_pGoto->GetSegment(1), 70, 999);
    ExpectSegments(m_pGoto, {{70, 100, 100, 100}, {70, 0, 70, 100}, {0, 0, 70, 0}});
    EXPECT_TRUE(m_pGoto->HasFlag(GOTO_FLAG_HANDEDIT));
    EXPECT_TRUE(m_pProgram->IsModified());
    EXPECT_TRUE(m_pGoto->GetSegment(0)->IsFirst());

    // Collinear neighbours get connectors.
    SetSegments(m_pGoto, {{0, 200, 0, 300}, {0, 100, 0, 200}, {0, 0, 0, 100}});
    m_pGoto->MoveSegment(m_pGoto->GetSegment(1), 40, 0);
    ExpectSegments(m_pGoto, {{0, 200, 0, 300}, {40, 200, 0, 200}, {40, 100, 40, 200}, {0, 100, 40, 100}, {0, 0, 0, 100}});
    EXPECT_TRUE(m_observer.texts.empty());
}

TEST_F(GotoTest, FirstAndLastSegmentsDoNotMove)
{
    SetSegments(m_pGoto, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}});
    m_pGoto->ClearFlag(GOTO_FLAG_HANDEDIT);
    for (int i : {0, 2})
    {
        m_pGoto->MoveSegment(m_pGoto->GetSegment(i), 10, 10);
        ExpectSegments(m_pGoto, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}});
    }
    ASSERT_EQ(2u, m_observer.texts.size());
    EXPECT_EQ("Can not move first or last segments in a goto line.", m_observer.texts[0]);
    EXPECT_NE(0, m_observer.highlights[0]);
    EXPECT_EQ(2, g_nBeeps);
    EXPECT_FALSE(m_pGoto->HasFlag(GOTO_FLAG_HANDEDIT));
}

TEST_F(GotoTest, SplittingASegment)
{
    SetSegments(m_pGoto, {{0, 10, 100, 10}});
    m_pGoto->SplitSegment(m_pGoto->GetSegment(0), 40, 99);
    ExpectSegments(m_pGoto, {{40, 10, 100, 10}, {0, 10, 40, 10}});
    EXPECT_TRUE(m_pGoto->HasFlag(GOTO_FLAG_HANDEDIT));

    SetSegments(m_pGoto, {{20, 0, 20, 80}});
    m_pGoto->SplitSegment(m_pGoto->GetSegment(0), 99, 30);
    ExpectSegments(m_pGoto, {{20, 30, 20, 80}, {20, 0, 20, 30}});
}

TEST_F(GotoTest, JoiningSegments)
{
    // Across a zero-length piece to the next one of the same direction.
    SetSegments(m_pGoto, {{50, 0, 100, 0}, {50, 0, 50, 0}, {0, 0, 50, 0}});
    m_pGoto->JoinSegment(m_pGoto->GetSegment(2));
    ExpectSegments(m_pGoto, {{0, 0, 100, 0}});
    EXPECT_TRUE(m_observer.texts.empty());

    // The segment at the target has nothing to join.
    m_pGoto->JoinSegment(m_pGoto->GetSegment(0));
    ExpectSegments(m_pGoto, {{0, 0, 100, 0}});

    // A bend is refused.
    SetSegments(m_pGoto, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}});
    m_pGoto->JoinSegment(m_pGoto->GetSegment(2));
    ExpectSegments(m_pGoto, {{50, 100, 100, 100}, {50, 0, 50, 100}, {0, 0, 50, 0}});
    ASSERT_EQ(1u, m_observer.texts.size());
    EXPECT_EQ("Segments must be in same direction and aligned before they can be joined.", m_observer.texts[0]);
    EXPECT_EQ(1, g_nBeeps);
}

TEST_F(GotoTest, RemovingSegmentsAndCopies)
{
    SetSegments(m_pGoto, {{50, 0, 100, 0}, {0, 0, 50, 0}});
    Segment* pLast = m_pGoto->GetSegment(1);
    EXPECT_EQ(1, m_pGoto->IndexOf(pLast));
    m_pGoto->RemoveSegment(pLast);
    EXPECT_EQ(1, m_pGoto->GetSegmentCount());
    EXPECT_EQ(-1, m_pGoto->IndexOf(pLast));

    m_pGoto->SetColor(7);
    m_pGoto->SetFlag(GOTO_FLAG_STUB);
    Goto copy(*m_pGoto);
    EXPECT_STREQ("Start", copy.GetOutputName());
    EXPECT_EQ(7, copy.GetColor());
    EXPECT_EQ(m_pGoto->GetFlags(), copy.GetFlags());
    EXPECT_EQ(nullptr, copy.GetTarget());
    EXPECT_EQ(0, copy.GetSegmentCount());
    EXPECT_EQ(nullptr, copy.GetOwner());
}

TEST_F(GotoTest, DestroyingTheGotoOfAGroupOutputMakesNoModelCall)
{
    // The model knows "Monday" as a plain output; the block's description
    // makes it a group output, so its goto is the editor's alone.
    PowerBlockInfo info;
    std::memcpy(&info, IconOf(395)->GetInfo(), sizeof(info));
    info.outputs[1].flags = KVR_OUTPUT_GROUP;
    int nRetry = 1;
    PowerBlock* pBlock = new PowerBlock(m_pMain, "Grouped", &info, nullptr, 0, 0, &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(pBlock->HasHandle());
    m_pMain->AddObject(pBlock);
    ASSERT_EQ(0, kvrCreateGoto(pBlock->GetHandle(), m_pEnd->GetHandle(), 0));

    Goto* pGoto = new Goto(&info.outputs[1], pBlock, m_pEnd, 0);
    EXPECT_TRUE(pGoto->HasFlag(GOTO_FLAG_GROUP));
    EXPECT_EQ(m_pEnd, pGoto->GetTarget());
    pBlock->AttachGoto(pGoto);
    pBlock->RemoveGoto(pGoto);
    EXPECT_EQ(m_pEnd->GetHandle(), kvrGetGotoConnection(pBlock->GetHandle(), 0));

    // A plain goto's destruction does remove the connection.
    Goto* pPlain = new Goto(&IconOf(395)->GetInfo()->outputs[1], pBlock, m_pEnd, 1);
    pBlock->AttachGoto(pPlain);
    pBlock->RemoveGoto(pPlain);
    EXPECT_EQ(nullptr, kvrGetGotoConnection(pBlock->GetHandle(), 0));
    m_pMain->RemoveBlock(pBlock);
}
