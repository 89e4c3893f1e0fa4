// Conditions evaluated on records: every test of the style word on every
// field type that supports it, field operands, negation, the minimum text
// length, the refused combinations; and the walk over the statements of a
// list that apply to a record.
#include "PXTestSupport.h"
#include "CondTestRes.h"

#include "PXCondSt.h"
#include "PXFieldValue.h"
#include "PXRecAcc.h"
#include "PXResNav.h"
#include "PXSdoTestAlloc.h"
#include "PXSObj.h"
#include "PXSoftRecMem.h"
#include "PXWinApp.h"

#include <memory>
#include <vector>

namespace {

// The controller, in standalone mode: no minimum text length applies.
class ControllerEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        m_pApp->SetStandalone(TRUE);
        PXSoftObj::Init(m_pApp);
    }
    PXWinApp* m_pApp = nullptr;
};

testing::Environment* const g_pEnv = testing::AddGlobalTestEnvironment(new ControllerEnvironment);

// A condition built word by word: field, style, operands.
std::unique_ptr<PXCondStatement> Cond(WORD wField, WORD wStyle, std::vector<WORD> ops = {})
{
    std::unique_ptr<PXCondStatement> p(new PXCondStatement);
    p->SetType(0x3001);
    p->SetParam(0, wField);
    p->SetStyle(wStyle);
    for (size_t j = 0; j < ops.size(); ++j)
        p->SetOptParam(static_cast<int>(j), ops[j]);
    return p;
}

struct Record
{
    Record() : rec(CREC_FIELDS) {}
    PXSoftRecMem rec;
    void I16(WORD f, short s) { PXFieldValue(f, &rec).SetInt16(s); }
    void I32(WORD f, long l) { PXFieldValue(f, &rec).SetInt32(l); }
    void Text(WORD f, const char* psz) { PXFieldValue(f, &rec).SetText(CString(psz)); }
};

} // namespace

TEST(Condition, NumbersAgainstConstants)
{
    struct Case { WORD field; WORD style; std::vector<WORD> ops; long value; bool result; };
    const Case cases[] = {
        // INT16: the operand is a signed 16-bit number.
        { CFLD_I16, 0x8100, { 1 }, 1, true },
        { CFLD_I16, 0x8100, { 1 }, 2, false },
        { CFLD_I16, 0x8100, { 0xFFFF }, -1, true },
        { CFLD_I16, 0x8100, { 0xFFFF }, 1, false },
        { CFLD_I16, 0x8101, { 1 }, 1, false },
        { CFLD_I16, 0x8101, { 1 }, 0, true },
        { CFLD_I16, 0x8200, { 3 }, 4, true },
        { CFLD_I16, 0x8200, { 3 }, 3, false },
        { CFLD_I16, 0x8200, { 3 }, -5, false },
        { CFLD_I16, 0x8200, { 0xFFFE }, -1, true },
        { CFLD_I16, 0x8300, { 10 }, 10, true },
        { CFLD_I16, 0x8300, { 10 }, 11, true },
        { CFLD_I16, 0x8300, { 10 }, 9, false },
        { CFLD_I16, 0x8301, { 1 }, 0, true },
        { CFLD_I16, 0x8301, { 1 }, 1, false },
        { CFLD_I16, 0x8010, { 1, 5 }, 1, true },
        { CFLD_I16, 0x8010, { 1, 5 }, 3, true },
        { CFLD_I16, 0x8010, { 1, 5 }, 5, true },
        { CFLD_I16, 0x8010, { 1, 5 }, 0, false },
        { CFLD_I16, 0x8010, { 1, 5 }, 6, false },
        { CFLD_I16, 0x8020, { 1, 5 }, 1, false },
        { CFLD_I16, 0x8020, { 1, 5 }, 2, true },
        { CFLD_I16, 0x8020, { 1, 5 }, 4, true },
        { CFLD_I16, 0x8020, { 1, 5 }, 5, false },
        { CFLD_I16, 0x8011, { 1, 5 }, 0, true },
        { CFLD_I16, 0x8011, { 1, 5 }, 3, false },
        { CFLD_I16, 0x8010, { 0xFFFE, 2 }, -2, true },
        { CFLD_I16, 0x8010, { 0xFFFE, 2 }, -3, false },
        // INT32: the operand is an unsigned 16-bit number; values compare signed.
        { CFLD_I32, 0x8100, { 0xFFFF }, 65535, true },
        { CFLD_I32, 0x8100, { 0xFFFF }, -1, false },
        { CFLD_I32, 0x8200, { 0 }, 1, true },
        { CFLD_I32, 0x8200, { 0 }, -1, false },
        { CFLD_I32, 0x8201, { 0 }, 0, true },
        { CFLD_I32, 0x8300, { 60 }, 60, true },
        { CFLD_I32, 0x8200, { 60 }, 61, true },
        { CFLD_I32, 0x8010, { 1, 13 }, 13, true },
        { CFLD_I32, 0x8010, { 1, 13 }, 14, false },
        { CFLD_I32, 0x8011, { 1, 5 }, 6, true },
        { CFLD_I32, 0x8011, { 1, 5 }, 1, false },
        { CFLD_I32, 0x8020, { 1, 5 }, 5, false },
        { CFLD_I32, 0x8020, { 1, 5 }, 70000, false },
        { CFLD_I32, 0x8010, { 1, 0xFFFF }, 65535, true },
        // BOOL: equality of the 32-bit truth value.
        { CFLD_BOOL, 0x8100, { 1 }, 1, true },
        { CFLD_BOOL, 0x8100, { 1 }, 0, false },
        { CFLD_BOOL, 0x8100, { 1 }, 7, false },
        { CFLD_BOOL, 0x8101, { 0 }, 7, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.field << " style " << std::hex << c.style << std::dec << " value " << c.value);
        Record r;
        if (c.field == CFLD_I16)
            r.I16(c.field, static_cast<short>(c.value));
        else
            r.I32(c.field, c.value);
        EXPECT_EQ(c.result, Cond(c.field, c.style, c.ops)->Evaluate(&r.rec) != 0);
    }
}

TEST(Condition, TextsAgainstStringTableTexts)
{
    struct Case { WORD style; std::vector<WORD> ops; const char* value; bool result; };
    const Case cases[] = {
        { 0x8100, { CS_ABC }, "abc", true },
        { 0x8100, { CS_ABC }, "abd", false },
        { 0x8101, { CS_ABC }, "abd", true },
        { 0x8200, { CS_ABC }, "abd", true },
        { 0x8200, { CS_ABC }, "abc", false },
        { 0x8200, { CS_ABC }, "ab", false },
        { 0x8300, { CS_ABC }, "abc", true },
        { 0x8010, { CS_ABC, CS_B }, "abc", true },
        { 0x8010, { CS_ABC, CS_B }, "abcz", true },
        { 0x8010, { CS_ABC, CS_B }, "b", true },
        { 0x8010, { CS_ABC, CS_B }, "c", false },
        { 0x8020, { CS_ABC, CS_B }, "abc", false },
        { 0x8020, { CS_ABC, CS_B }, "abd", true },
        { 0x8020, { CS_ABC, CS_B }, "b", false },
        // Empty texts.
        { 0x8040, {}, "", true },
        { 0x8040, {}, "x", false },
        { 0x8041, {}, "", false },
        { 0x8041, {}, "x", true },
        // Minimum length without a server: the test passes before negation.
        { 0x8900, {}, "", true },
        { 0x8A00, {}, "abc", true },
        { 0x8B01, {}, "a", false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << std::hex << c.style << " value '" << c.value << "'");
        Record r;
        r.Text(CFLD_TEXT, c.value);
        EXPECT_EQ(c.result, Cond(CFLD_TEXT, c.style, c.ops)->Evaluate(&r.rec) != 0);
    }
}

TEST(Condition, EmptyTestReadsEveryTypeAsText)
{
    Record r;
    r.I16(CFLD_I16, 0);
    EXPECT_FALSE(Cond(CFLD_I16, 0x8040)->Evaluate(&r.rec));   // "0" is not empty
    EXPECT_TRUE(Cond(CFLD_I16, 0x8041)->Evaluate(&r.rec));
    r.I32(CFLD_BOOL, 0);
    EXPECT_TRUE(Cond(CFLD_BOOL, 0x8041)->Evaluate(&r.rec));   // "No"
}

TEST(Condition, OperandsNamingOtherFields)
{
    Record r;
    r.I16(CFLD_I16, 3);
    r.I16(CFLD_I16B, 3);
    r.I16(CFLD_I16C, 5);
    r.I32(CFLD_I32, 10);
    r.I32(CFLD_I32B, 9);
    r.Text(CFLD_TEXT, "secret");
    r.Text(CFLD_TEXTB, "secret");
    EXPECT_TRUE(Cond(CFLD_I16, 0x8500, { CFLD_I16B })->Evaluate(&r.rec));
    EXPECT_FALSE(Cond(CFLD_I16, 0x8501, { CFLD_I16B })->Evaluate(&r.rec));
    EXPECT_FALSE(Cond(CFLD_I16, 0x8600, { CFLD_I16C })->Evaluate(&r.rec));
    EXPECT_TRUE(Cond(CFLD_I32, 0x8600, { CFLD_I32B })->Evaluate(&r.rec));
    EXPECT_TRUE(Cond(CFLD_I16, 0x8410, { CFLD_I16B, CFLD_I16C })->Evaluate(&r.rec));
    EXPECT_FALSE(Cond(CFLD_I16, 0x8420, { CFLD_I16B, CFLD_I16C })->Evaluate(&r.rec));
    // The password rule: the confirmation differs from the entry.
    EXPECT_FALSE(Cond(CFLD_TEXTB, 0x8501, { CFLD_TEXT })->Evaluate(&r.rec));
    r.Text(CFLD_TEXTB, "secreT");
    EXPECT_TRUE(Cond(CFLD_TEXTB, 0x8501, { CFLD_TEXT })->Evaluate(&r.rec));
    // Edits not yet committed are what the condition sees.
    r.I16(CFLD_I16B, 4);
    EXPECT_TRUE(Cond(CFLD_I16, 0x8501, { CFLD_I16B })->Evaluate(&r.rec));
}

TEST(Condition, RefusedCombinationsAreConsistencyFailures)
{
    Record r;
    r.I16(CFLD_I16, 1);
    r.I32(CFLD_I32, 1);
    r.I32(CFLD_BOOL, 1);
    r.Text(CFLD_TEXT, "abc");
    r.Text(CFLD_TIME, "10:00");
    struct Case { WORD field; WORD style; std::vector<WORD> ops; const char* expr; };
    const Case cases[] = {
        { CFLD_I16, 0x8001, { 1 }, "(HasStyle(0x8300)||HasStyle(0x8030)|| HasStyle(0x8040)||HasStyle(0x8080))" },
        { CFLD_I16, 0x8400, { 1 }, "(HasStyle(0x8300)||HasStyle(0x8030)|| HasStyle(0x8040)||HasStyle(0x8080))" },
        { CFLD_I16, 0x8080, { 1 }, "(0)" },
        { CFLD_I16, 0x8010, { 5, 1 }, "(sLo<sHi)" },
        { CFLD_I16, 0x8020, { 5, 5 }, "(sLo<sHi)" },
        { CFLD_I32, 0x8010, { 5, 1 }, "(iLo<iHi)" },
        { CFLD_TEXT, 0x8010, { CS_B, CS_ABC }, "(stringLo<stringHi)" },
        { CFLD_BOOL, 0x8200, { 0 }, "(0)" },
        { CFLD_BOOL, 0x8010, { 0, 1 }, "(0)" },
        { CFLD_TIME, 0x8100, { 1 }, "(0)" },
        { CFLD_TIME, 0x8200, { 1 }, "(0)" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.field << " style " << std::hex << c.style);
        EXPECT_PXASSERT(Cond(c.field, c.style, c.ops)->Evaluate(&r.rec), c.expr);
    }
}

// ---------------------------------------------------------------------------
// The walk over the statements that apply

namespace {

std::unique_ptr<PXVerificationSection> ReadVerification(WORD wId)
{
    PXResNav nav(wId, GetModuleHandleA(nullptr));
    std::unique_ptr<PXVerificationSection> p(new PXVerificationSection);
    p->Read(nav);
    return p;
}

// The message ids of the statements that apply, in walk order.
std::vector<int> Walk(PXSection* pSection, PXSoftRec* pRec)
{
    std::vector<int> ids;
    PXStatementPos* pPos = nullptr;
    pSection->GetFirstPos(4, pRec, pPos, TRUE);
    while (pPos)
    {
        ids.push_back(pSection->GetStatementAt(4, pPos)->GetParam(1));
        pSection->GetNextPos(4, pRec, pPos);
    }
    return ids;
}

} // namespace

TEST(ConditionWalk, AppliesTheBranchEachConditionChooses)
{
    auto pSection = ReadVerification(CSECT_WALK);
    struct Case { short i16; long i32; std::vector<int> ids; };
    const Case cases[] = {
        { 1, 2, { 101, 102, 104, 105, 107 } },
        { 1, 0, { 101, 104, 105, 107 } },
        { 0, 2, { 103, 105, 107 } },
        { 5, 0, { 103, 105, 106, 107 } },
        { 7, 0, { 103, 105 } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.i16 << ", " << c.i32);
        Record r;
        r.I16(CFLD_I16, c.i16);
        r.I32(CFLD_I32, c.i32);
        EXPECT_EQ(c.ids, Walk(pSection.get(), &r.rec));
    }
}

TEST(ConditionWalk, PositionKeepsTheBranchTakenWhenTheWalkReachedIt)
{
    auto pSection = ReadVerification(CSECT_WALK);
    Record r;
    r.I16(CFLD_I16, 1);
    r.I32(CFLD_I32, 2);
    PXStatementPos* pPos = nullptr;
    ASSERT_NE(nullptr, pSection->GetFirstPos(4, &r.rec, pPos, TRUE));
    EXPECT_EQ(101, pSection->GetStatementAt(4, pPos)->GetParam(1));
    ASSERT_NE(nullptr, pPos->GetCondStatementPos());
    EXPECT_EQ(1, pPos->GetCondStatementPos()->m_nBranch);
    // A change after the condition was evaluated does not move the walk to
    // the other branch.
    r.I16(CFLD_I16, 0);
    pSection->GetNextPos(4, &r.rec, pPos);
    EXPECT_EQ(102, pSection->GetStatementAt(4, pPos)->GetParam(1));
    delete pPos;

    // A new position must start empty.
    PXStatementPos* pUsed = new PXStatementPos;
    EXPECT_PXASSERT(pSection->GetFirstPos(4, &r.rec, pUsed, TRUE), "(pSPos==0)");
    delete pUsed;
}

// A step that fails inside a condition's block ends the walk as a failed
// step at the top of the list does: the position is freed and cleared, so
// the caller holds nothing that points at freed memory.
TEST(ConditionWalk, AStepThatFailsInsideABlockClearsThePosition)
{
    auto pSection = ReadVerification(CSECT_WALK);
    Record r;
    r.I16(CFLD_I16, 1);     // the INT32 field has no cell yet
    PXStatementPos* pPos = nullptr;
    ASSERT_NE(nullptr, pSection->GetFirstPos(4, &r.rec, pPos, TRUE));
    ASSERT_EQ(101, pSection->GetStatementAt(4, pPos)->GetParam(1));
    // The next step evaluates the inner condition, whose field's cell
    // cannot be made.
    FailNothrowAllocationAfter(0);
    EXPECT_THROW(pSection->GetNextPos(4, &r.rec, pPos), PXXMem);
    ResetNothrowAllocation();
    EXPECT_EQ(nullptr, pPos);
}

TEST(ConditionWalk, NothingAppliesWhenTheOnlyConditionFails)
{
    auto pSection = ReadVerification(CSECT_FAILING);
    Record r;
    r.I16(CFLD_I16, 2);
    PXStatementPos* pPos = nullptr;
    EXPECT_EQ(nullptr, pSection->GetFirstPos(4, &r.rec, pPos, TRUE));
    EXPECT_EQ(nullptr, pPos);
    // A position passed in to be filled is deleted when nothing applies.
    pPos = new PXStatementPos;
    EXPECT_EQ(nullptr, pSection->GetFirstPos(4, &r.rec, pPos, FALSE));
    EXPECT_EQ(nullptr, pPos);
    r.I16(CFLD_I16, 1);
    EXPECT_EQ(std::vector<int>{ 101 }, Walk(pSection.get(), &r.rec));
}
