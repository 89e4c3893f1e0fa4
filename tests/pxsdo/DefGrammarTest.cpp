// The word grammar of definitions: the cursor, fixed and optional word
// counts of every statement class, blocks of group controls, data links and
// conditions, the checks that refuse malformed definitions, and the
// descriptions that failed allocations carry.
#include "PXTestSupport.h"
#include "PXSdoTestAlloc.h"
#include "DefGrammarTestRes.h"

#include "PXCondSt.h"
#include "PXDlgAcc.h"
#include "PXObjAcc.h"
#include "PXRecAcc.h"
#include "PXResNav.h"
#include "PXSdoRes.h"

#include <memory>
#include <vector>

namespace {

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

// Reads one section of class S from the resource, as a definition does.
template <class S>
std::unique_ptr<S> ReadSection(WORD wId)
{
    PXResNav nav(wId, Module());
    std::unique_ptr<S> pSection(new S);
    pSection->Read(nav);
    pSection->Validate();
    EXPECT_EQ(0x0002, nav.GetCurrentToken());
    return pSection;
}

std::vector<WORD> Words(const PXStatement* p)
{
    std::vector<WORD> v;
    for (int i = 0; i < p->GetNbWords(); ++i)
        v.push_back(p->GetWord(i));
    return v;
}

} // namespace

TEST(ResNav, WalksTheWordsAndStopsAtTheLast)
{
    PXResNav nav(IDR_EMPTY_SECTION, Module());
    EXPECT_EQ(0x1007, nav.GetCurrentToken());
    EXPECT_EQ(0x0001, nav.PeekNextToken());
    EXPECT_EQ(0x1007, nav.GetCurrentToken());
    EXPECT_EQ(0x0001, nav.GetNextToken());
    EXPECT_EQ(0x0002, nav.GetNextToken());
    // The last word: stepping on answers 0 and stays.
    EXPECT_EQ(0, nav.PeekNextToken());
    EXPECT_EQ(0, nav.GetNextToken());
    EXPECT_EQ(0x0002, nav.GetCurrentToken());
    EXPECT_EQ(2, nav.GetWordIndex());
}

TEST(ResNav, MissingResourceThrowsCannotLoadResource)
{
    try
    {
        PXResNav nav(30999, Module());
        FAIL() << "no exception";
    }
    catch (const PXXMem&)
    {
        FAIL() << "out-of-memory instead of a load failure";
    }
    catch (const PXException& x)
    {
        EXPECT_EQ(1553u, x.m_nDescr);
        CString s;
        s.LoadStringA(x.m_nDescr);
        EXPECT_STREQ("Cannot load resource", s);
    }
}

TEST(Section, EmptySectionReadsAsEmpty)
{
    auto p = ReadSection<PXSoftControlSection>(IDR_EMPTY_SECTION);
    EXPECT_EQ(0, p->GetNbStatements(5));
    EXPECT_EQ(0, p->GetNbStatements(4));
    EXPECT_FALSE(p->HasFirstLine());
    EXPECT_EQ(p.get(), p->GetSection());
}

TEST(Section, FieldStatementsTakeOneWordPerFlagInOrder)
{
    auto p = ReadSection<PXDataSection>(IDR_DATA_SECTION);
    ASSERT_EQ(1, p->GetNbStatements(5));
    EXPECT_EQ((std::vector<WORD>{ 0x2001, 1, 1 }), Words(p->GetStatement(5, 0)));
    ASSERT_EQ(5, p->GetNbStatements(4));

    PXStatement* pSet = p->GetStatement(4, 0);
    EXPECT_EQ((std::vector<WORD>{ 0x3203, 25250, 7, 0x8005, 22003 }), Words(pSet));
    EXPECT_EQ(0x3203, pSet->GetType());
    EXPECT_EQ(25250, pSet->GetParam(0));
    EXPECT_EQ(7, pSet->GetParam(1));
    EXPECT_EQ(0x8005, pSet->GetStyle());
    EXPECT_EQ(22003, pSet->GetOptParamByFlag(0x8004));
    EXPECT_TRUE(pSet->HasStyle(0x8004));
    EXPECT_TRUE(pSet->HasStyle(0x0001));
    EXPECT_FALSE(pSet->HasStyle(0x8010));
    EXPECT_FALSE(pSet->HasStyle(0x8000));   // the marker bit is no flag
    EXPECT_EQ(0x0005, pSet->GetStyleBits(0x0FFF));

    PXStatement* p2 = p->GetStatement(4, 2);
    EXPECT_EQ(2, p2->GetNbWords() - 4);
    EXPECT_EQ(111, p2->GetOptParamByFlag(0x8010));
    EXPECT_EQ(222, p2->GetOptParamByFlag(0x8004));

    struct { WORD flag; WORD word; } all[] = { { 0x8002, 10 }, { 0x8010, 20 }, { 0x8004, 30 }, { 0x8008, 40 } };
    PXStatement* p3 = p->GetStatement(4, 3);
    for (const auto& c : all)
        EXPECT_EQ(c.word, p3->GetOptParamByFlag(c.flag)) << std::hex << c.flag;

    PXStatement* p4 = p->GetStatement(4, 4);
    EXPECT_EQ(4, p4->GetNbWords());
    EXPECT_PXASSERT(p4->GetOptParamByFlag(0x8004), "HasStyle");
    EXPECT_PXASSERT(p4->GetOptParamByFlag(0x8040), "(0)");

    // Queries over the list.
    EXPECT_EQ(p2, p->FindStatement(4, 0, 2, TRUE));
    EXPECT_EQ(nullptr, p->FindStatement(4, 0, 99, FALSE));
    EXPECT_PXASSERT(p->FindStatement(4, 0, 99, TRUE), "(0)");
    EXPECT_EQ(pSet, p->FindStatementOfType(4, 0x3203));
    EXPECT_PXASSERT(p->FindStatementOfType(4, 0x3103), "(0)");
    EXPECT_EQ(5, p->CountOfType(4, 0x3203));
    EXPECT_EQ(0, p->CountOfType(4, 0x3103));
    EXPECT_EQ(3, p->CountWithStyle(4, 0x8004));
    EXPECT_EQ(0, p->GetNbStatements(1));
    EXPECT_PXASSERT(p->GetNbStatements(0), "(0)");
    EXPECT_PXASSERT(p->GetNbStatements(6), "(0)");
}

TEST(Section, ControlStatementsTakeWordsByClass)
{
    auto p = ReadSection<PXSoftControlSection>(IDR_SOFTCONTROL_SECTION);
    ASSERT_EQ(10, p->GetNbStatements(4));

    // Group control 1000 with members 101 and 103, no optional word.
    auto* pGroup = static_cast<PXMultiLineStatement*>(p->GetStatement(4, 0));
    EXPECT_EQ((std::vector<WORD>{ 0x3207, 1000, 0x4077, 0x8001 }), Words(pGroup));
    EXPECT_TRUE(pGroup->HasFirstLine());
    ASSERT_EQ(2, pGroup->GetNbStatements(4));
    EXPECT_EQ(0, pGroup->GetNbStatements(5));
    EXPECT_EQ((std::vector<WORD>{ 0x3208, 101 }), Words(pGroup->GetStatement(4, 0)));
    EXPECT_EQ((std::vector<WORD>{ 0x3208, 103 }), Words(pGroup->GetStatement(4, 1)));

    struct Case { int index; std::vector<WORD> words; };
    Case cases[] = {
        { 1, { 0x3206, 301, 0x4006, 0x8004, 2313, 25376, 25374 } },    // combo, 0x004: 3
        { 2, { 0x3206, 302, 0x4006, 0x8000, 2312, 25372 } },           // combo: 2
        { 3, { 0x3206, 303, 0x4004, 0x8001, 30 } },                    // edit, 0x001: 1
        { 4, { 0x3206, 304, 0x4004, 0x8000 } },                        // edit: 0
        { 5, { 0x3206, 305, 0x4003, 0x8000 } },                        // list view: 0
        { 6, { 0x3206, 306, 0x4072, 0x8000, 7 } },                     // other class: 1
        { 7, { 0x3207, 1002, 0x4078, 0x8000, 1, 60 } },                // up-down group: 2
        { 8, { 0x3207, 5000, 0x4079, 0x8005, 2307, 28603 } },          // file combo, 0x004: 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.words, Words(p->GetStatement(4, c.index))) << c.index;
    // File combo without flag 0x004: one word, and an empty member block.
    auto* pLast = static_cast<PXMultiLineStatement*>(p->GetStatement(4, 9));
    EXPECT_EQ((std::vector<WORD>{ 0x3207, 5001, 0x4079, 0x8001, 2307 }), Words(pLast));
    EXPECT_EQ(0, pLast->GetNbStatements(4));
    EXPECT_EQ(2, static_cast<PXMultiLineStatement*>(p->GetStatement(4, 7))->GetNbStatements(4));

    EXPECT_EQ(25374, p->GetStatement(4, 1)->GetOptParamByFlag(0x8004));
    EXPECT_EQ(2313, p->GetStatement(4, 1)->GetOptParamByFlag(0x8001));
    EXPECT_EQ(30, p->GetStatement(4, 3)->GetOptParamByFlag(0x8001));
    EXPECT_EQ(28603, p->GetStatement(4, 8)->GetOptParamByFlag(0x8004));
    EXPECT_PXASSERT(p->GetStatement(4, 3)->GetOptParamByFlag(0x8002), "(0)");
    EXPECT_PXASSERT(p->GetStatement(4, 8)->GetOptParamByFlag(0x8001), "(0)");
}

TEST(Section, DataLinksHaveABlockOnlyWhenOneFollows)
{
    auto p = ReadSection<PXDlgDataLinkSection>(IDR_DDL_SECTION);
    ASSERT_EQ(3, p->GetNbStatements(4));
    auto* pPlain = static_cast<PXMultiLineStatement*>(p->GetStatement(4, 0));
    EXPECT_EQ((std::vector<WORD>{ 0x3204, 2001, 25301, 0x8000 }), Words(pPlain));
    EXPECT_EQ(0, pPlain->GetNbStatements(4));
    auto* pList = static_cast<PXMultiLineStatement*>(p->GetStatement(4, 1));
    ASSERT_EQ(2, pList->GetNbStatements(4));
    EXPECT_EQ((std::vector<WORD>{ 0x320A, 28111, 0x8000 }), Words(pList->GetStatement(4, 0)));
    EXPECT_EQ((std::vector<WORD>{ 0x320A, 28115, 0x8001, 28111, 30991 }), Words(pList->GetStatement(4, 1)));
    EXPECT_EQ((std::vector<WORD>{ 0x3204, 304, 28116, 0x8000 }), Words(p->GetStatement(4, 2)));
}

TEST(Section, NotificationHeaderReactionsAndExtensions)
{
    auto p = ReadSection<PXNotificationSection>(IDR_NOTIF_SECTION);
    ASSERT_EQ(1, p->GetNbStatements(5));
    EXPECT_EQ((std::vector<WORD>{ 0x2301, 304, 0x404 }), Words(p->GetStatement(5, 0)));
    ASSERT_EQ(3, p->GetNbStatements(4));
    auto* pCond = static_cast<PXCondStatement*>(p->GetStatement(4, 0));
    EXPECT_EQ((std::vector<WORD>{ 0x3001, 28023, 0x8101, 0 }), Words(pCond));
    EXPECT_EQ(p.get(), pCond->GetSection());
    ASSERT_NE(nullptr, pCond->FindThenBlock());
    EXPECT_EQ(nullptr, pCond->FindElseBlock());
    PXSection* pThen = pCond->FindThenBlock();
    ASSERT_EQ(2, pThen->GetNbStatements(4));
    EXPECT_EQ((std::vector<WORD>{ 0x3102, 1304, 0x465, 0x8000 }), Words(pThen->GetStatement(4, 0)));
    EXPECT_EQ((std::vector<WORD>{ 0x3002, 32000, 0x8000 }), Words(pThen->GetStatement(4, 1)));
    EXPECT_EQ((std::vector<WORD>{ 0x3102, 14501, 0x467, 0x8000, 1002 }), Words(p->GetStatement(4, 1)));
    EXPECT_EQ((std::vector<WORD>{ 0x3102, 305, 0x469, 0x8000 }), Words(p->GetStatement(4, 2)));
}

TEST(Section, ConditionsReadThenAndElseBlocks)
{
    auto p = ReadSection<PXVerificationSection>(IDR_VERIFY_SECTION);
    ASSERT_EQ(2, p->GetNbStatements(5));
    EXPECT_EQ((std::vector<WORD>{ 0x2002, 0x2201 }), Words(p->GetStatement(5, 1)));
    ASSERT_EQ(3, p->GetNbStatements(4));

    // Without a block: exactly the next statement is the then block.
    auto* c1 = static_cast<PXCondStatement*>(p->GetStatement(4, 0));
    EXPECT_EQ((std::vector<WORD>{ 0x3001, 25301, 0x8301, 1 }), Words(c1));
    ASSERT_NE(nullptr, c1->FindThenBlock());
    EXPECT_EQ(nullptr, c1->FindElseBlock());
    ASSERT_EQ(1, c1->FindThenBlock()->GetNbStatements(4));
    auto* pMsg = c1->FindThenBlock()->GetStatement(4, 0);
    EXPECT_EQ((std::vector<WORD>{ 0x3103, 0x8000, 8056, 0x8101, 25301 }), Words(pMsg));
    EXPECT_EQ(25301, pMsg->GetOptParamByFlag(0x8100));

    // Statements before a marker go to then; 0x0004 switches to else and
    // 0x0003 back to then.
    auto* c2 = static_cast<PXCondStatement*>(p->GetStatement(4, 1));
    PXSection* pThen = c2->FindThenBlock();
    PXSection* pElse = c2->FindElseBlock();
    ASSERT_NE(nullptr, pThen);
    ASSERT_NE(nullptr, pElse);
    ASSERT_EQ(3, pThen->GetNbStatements(4));
    EXPECT_EQ(0x3001, pThen->GetStatement(4, 0)->GetType());
    EXPECT_EQ(0x3001, pThen->GetStatement(4, 1)->GetType());
    EXPECT_EQ((std::vector<WORD>{ 0x3103, 0x8000, 8055, 0x8102, 28062 }), Words(pThen->GetStatement(4, 2)));
    ASSERT_EQ(1, pElse->GetNbStatements(4));
    EXPECT_EQ((std::vector<WORD>{ 0x3103, 0x8000, 8078, 0x8400 }), Words(pElse->GetStatement(4, 0)));

    // A nested range condition takes two operands; its single statement is
    // a message whose style takes no word.
    auto* c21 = static_cast<PXCondStatement*>(pThen->GetStatement(4, 0));
    EXPECT_EQ((std::vector<WORD>{ 0x3001, 28003, 0x8011, 1, 5 }), Words(c21));
    EXPECT_EQ(p.get(), c21->GetSection());
    EXPECT_EQ((std::vector<WORD>{ 0x3103, 0x8000, 8073, 0x8101, 28003 }), Words(c21->FindThenBlock()->GetStatement(4, 0)));
    auto* c22 = static_cast<PXCondStatement*>(pThen->GetStatement(4, 1));
    EXPECT_EQ((std::vector<WORD>{ 0x3103, 0x8000, 0, 0x8800 }), Words(c22->FindThenBlock()->GetStatement(4, 0)));

    // An empty test takes no operand; a block with only an else part has
    // no then block.
    auto* c3 = static_cast<PXCondStatement*>(p->GetStatement(4, 2));
    EXPECT_EQ((std::vector<WORD>{ 0x3001, 28062, 0x8040 }), Words(c3));
    EXPECT_EQ(nullptr, c3->FindThenBlock());
    ASSERT_NE(nullptr, c3->FindElseBlock());
    EXPECT_EQ(1, c3->FindElseBlock()->GetNbStatements(4));
}

TEST(Section, ReferencesTakeDialogsSheetsTemplatesAndHelp)
{
    auto p = ReadSection<PXReferencesSection>(IDR_REFS_SECTION);
    ASSERT_EQ(4, p->GetNbStatements(4));
    EXPECT_EQ((std::vector<WORD>{ 0x3202, 10004 }), Words(p->GetStatement(4, 0)));
    EXPECT_EQ((std::vector<WORD>{ 0x3201, 14504, 11060 }), Words(p->GetStatement(4, 1)));
    EXPECT_EQ((std::vector<WORD>{ 0x3209, 18002 }), Words(p->GetStatement(4, 2)));
    EXPECT_EQ((std::vector<WORD>{ 0x320B, 23 }), Words(p->GetStatement(4, 3)));
}

// ---------------------------------------------------------------------------
// Malformed definitions

namespace {

enum SectKind { kRefs, kData, kVerify, kDDL, kSoftCtrl, kNotif };

void ReadBad(SectKind k, WORD wId)
{
    PXResNav nav(wId, Module());
    std::unique_ptr<PXSection> p;
    switch (k)
    {
    case kRefs: p.reset(new PXReferencesSection); break;
    case kData: p.reset(new PXDataSection); break;
    case kVerify: p.reset(new PXVerificationSection); break;
    case kDDL: p.reset(new PXDlgDataLinkSection); break;
    case kSoftCtrl: p.reset(new PXSoftControlSection); break;
    case kNotif: p.reset(new PXNotificationSection); break;
    }
    p->Read(nav);
    p->Validate();
}

} // namespace

TEST(Section, MalformedDefinitionsFailTheirChecks)
{
    struct Case { SectKind kind; WORD id; const char* expr; };
    const Case cases[] = {
        { kRefs, IDR_BAD_REFS_HEADER, "(0)" },
        { kData, IDR_BAD_DATA_HEADER, "(wToken==0x2001)" },
        { kData, IDR_BAD_DATA_BODY, "(wToken==0x3203)" },
        { kVerify, IDR_BAD_VERIFY_BODY, "(wToken==0x3103||wToken==0x3001)" },
        { kSoftCtrl, IDR_BAD_SOFTCTRL_BODY, "(wToken==0x3206||wToken==0x3207)" },
        { kDDL, IDR_BAD_DDL_BODY, "(wToken==0x3204)" },
        { kNotif, IDR_BAD_NOTIF_HEADER, "(wToken==0x2301)" },
        { kNotif, IDR_BAD_NOTIF_BODY, "(wToken==0x3102||wToken==0x3001|| wToken==0x3002)" },
        { kSoftCtrl, IDR_BAD_GROUP_MEMBER, "(wToken==0x3208)" },
        { kSoftCtrl, IDR_BAD_GROUP_HEADER, "(0)" },
        { kDDL, IDR_BAD_DATALINK_PARAM, "(wToken==0x320A)" },
        { kDDL, IDR_BAD_DATALINK_EMPTY, "(GetNbStatements(4)>0)" },
        { kDDL, IDR_BAD_DATALINK_NOBLOCK, "(GetNbStatements(4)>0)" },
        { kSoftCtrl, IDR_BAD_UNKNOWN_TOKEN, "(wToken==0x3206||wToken==0x3207)" },
        { kData, IDR_BAD_FIELD_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kSoftCtrl, IDR_BAD_CONTROL_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kVerify, IDR_BAD_COND_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kData, IDR_BAD_VERSION_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kSoftCtrl, IDR_BAD_SUBCTRL_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kNotif, IDR_BAD_NOTIF_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kNotif, IDR_BAD_REACTION_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kNotif, IDR_BAD_EXTENSION_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kRefs, IDR_BAD_DLGRES_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kRefs, IDR_BAD_DLGHELP_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kDDL, IDR_BAD_PARAM_ZERO, "(m_pParams->GetAt(1)!=(WORD)0)" },
        { kSoftCtrl, IDR_BAD_UNCLOSED_BODY, "(0)" },
        { kSoftCtrl, IDR_BAD_UNCLOSED_BODY_EOF, "(0)" },
        { kData, IDR_BAD_NO_BEGIN, "(pResNav->GetCurrentToken()==0x0001)" },
        { kVerify, IDR_BAD_COND_BLOCK_TOKEN, "(wToken==0x3103||wToken==0x3001)" },
        { kNotif, IDR_BAD_COND_SINGLE_TOKEN, "(wToken==0x3102||wToken==0x3001|| wToken==0x3002)" },
        { kVerify, IDR_BAD_COND_UNCLOSED, "(pResNav->GetCurrentToken()==0x0002)" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        EXPECT_PXASSERT(ReadBad(c.kind, c.id), c.expr);
    }
}

TEST(Factory, UnknownAndUnsupportedTokensFail)
{
    const WORD bad[] = { 0x3205, 0x3104, 0x1001, 0x0005, 0x2003, 0x320C };
    for (WORD w : bad)
    {
        SCOPED_TRACE(w);
        EXPECT_PXASSERT(PXMultiLineStatement::CreateStatement(w), "(0)");
    }
}

TEST(Factory, FailedAllocationsCarryTheStatementsMessage)
{
    struct Case { WORD token; unsigned descr; const char* text; };
    const Case cases[] = {
        { 0x2001, 1522, "New SRVERSION Statement" },
        { 0x2002, 1527, "New SRSTYLE Statement" },
        { 0x2301, 1520, "New Notif Statement" },
        { 0x3001, 1502, "New PXCondStatement" },
        { 0x3002, 1524, "New Extension Statement" },
        { 0x3102, 1516, "" },
        { 0x3103, 1501, "New PXMsgBoxStatement" },
        { 0x3201, 1521, "New SoftDlg Statement" },
        { 0x3202, 1518, "New DlgRes Statement" },
        { 0x3203, 1504, "New Field Statement" },
        { 0x3204, 1503, "New DataLink Statement" },
        { 0x3206, 1526, "New PLAINCTRL Statement" },
        { 0x3207, 1519, "New GroupCtrl Statement" },
        { 0x3208, 1523, "New SUBCTRL Statement" },
        { 0x3209, 1539, "New PROPSHEET Statement" },
        { 0x320A, 1540, "" },
        { 0x320B, 1541, "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.token);
        // The statement itself.
        FailNothrowAllocationAfter(0);
        try
        {
            delete PXMultiLineStatement::CreateStatement(c.token);
            ADD_FAILURE() << "no exception";
        }
        catch (const PXXMem& x)
        {
            EXPECT_EQ(c.descr, x.m_nDescr);
            CString s;
            s.LoadStringA(x.m_nDescr);
            EXPECT_STREQ(c.text, s);
        }
        // Its word array.
        FailNothrowAllocationAfter(1);
        try
        {
            delete PXMultiLineStatement::CreateStatement(c.token);
            ADD_FAILURE() << "no exception";
        }
        catch (const PXXMem& x)
        {
            EXPECT_EQ(1513u, x.m_nDescr);
        }
        ResetNothrowAllocation();
        // Made normally it is of its token's class and has no words yet.
        std::unique_ptr<PXStatement> p(PXMultiLineStatement::CreateStatement(c.token));
        EXPECT_EQ(0, p->GetNbWords());
    }
}

TEST(Factory, FailedListAllocationCarriesStatementArray)
{
    PXResNav nav(IDR_REFS_SECTION, Module());
    PXReferencesSection s;
    // The first statement is made, then its list fails.
    FailNothrowAllocationAfter(2);
    try
    {
        s.Read(nav);
        ADD_FAILURE() << "no exception";
    }
    catch (const PXXMem& x)
    {
        EXPECT_EQ(1512u, x.m_nDescr);
        CString str;
        str.LoadStringA(x.m_nDescr);
        EXPECT_STREQ("New StatementArray", str);
    }
    ResetNothrowAllocation();
    EXPECT_EQ(0, s.GetNbStatements(4));
}

// ---------------------------------------------------------------------------
// Statements built as probes and compared

TEST(Statement, ProbesAreBuiltByInsertingWords)
{
    PXNotifStatement probe;
    probe.SetType(0x2301);
    // A place beyond the words so far cannot be filled.
    EXPECT_PXASSERT(probe.SetParam(1, 0x401), "GetSize()");
    probe.SetParam(0, 0x401);
    probe.SetParam(0, 14501);   // inserted before the word already there
    EXPECT_EQ((std::vector<WORD>{ 0x2301, 14501, 0x401 }), Words(&probe));

    PXReactionStatement r;
    r.SetType(0x3102);
    r.SetParam(0, 5);
    r.SetParam(1, 0x467);
    r.SetStyle(0x8000);
    r.SetOptParam(0, 1002);
    EXPECT_EQ((std::vector<WORD>{ 0x3102, 5, 0x467, 0x8000, 1002 }), Words(&r));
    EXPECT_EQ(0x8000, r.GetStyle());
    EXPECT_EQ(1002, r.GetOptParam(0));
    EXPECT_PXASSERT(r.GetOptParam(1), "GetSize()");
}

TEST(Statement, IsEqualComparesAsFarAsThisReaches)
{
    auto Make = [](std::initializer_list<WORD> words) {
        auto* p = new PXNotifStatement;
        int i = 0;
        for (WORD w : words)
        {
            if (i == 0)
                p->SetType(w);
            else
                p->SetParam(i - 1, w);
            ++i;
        }
        return std::unique_ptr<PXStatement>(p);
    };
    auto a = Make({ 0x2301, 1, 2 });
    auto b = Make({ 0x2301, 1, 2 });
    auto shorter = Make({ 0x2301, 1 });
    auto other = Make({ 0x2301, 1, 3 });
    EXPECT_TRUE(a->IsEqual(*b));
    EXPECT_TRUE(shorter->IsEqual(*a));
    EXPECT_FALSE(a->IsEqual(*shorter));
    EXPECT_FALSE(a->IsEqual(*other));
}

TEST(Statement, BaseOperationsAreConsistencyFailures)
{
    PXStatement s;
    EXPECT_PXASSERT(s.Validate(), "(0)");
    EXPECT_PXASSERT(s.GetNbOptional(), "(0)");
    EXPECT_PXASSERT(s.GetOptIndex(0x8001), "(0)");
    PXMultiLineStatement m;
    EXPECT_PXASSERT(m.Validate(), "(0)");
    EXPECT_PXASSERT(m.CheckHeaderToken(0x2001), "(0)");
    // A plain section has no body rule of its own.
    PXSection plain;
    EXPECT_PXASSERT(plain.CheckBodyToken(0x3103), "(GetSection()!=this)");
    EXPECT_PXASSERT(PXSRVersionStatement().GetOptIndex(0x8001), "(0)");
}
