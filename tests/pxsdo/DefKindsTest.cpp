// Record, dialog and property-sheet definitions: the order of their
// sections, the questions the runtime asks them, the definition cache that
// shares record definitions, and the soft-object base they load through.
// No controller is made here: the definitions come from this executable.
#include "PXTestSupport.h"
#include "DefKindsTestRes.h"
#include "PXSdoTestAlloc.h"

#include "PXDlgAcc.h"
#include "PXSDlgDf.h"
#include "PXSObj.h"
#include "PXSRecDf.h"
#include "PXResNav.h"
#include "PXSction.h"
#include "pxspsdef.h"

#include <memory>

namespace {

// Releases the reference a loader handed out and deletes at 0.
template <class D>
void Drop(D* pDef)
{
    if (pDef && pDef->Release() == 0)
        delete pDef;
}

template <class D>
struct DefRef
{
    explicit DefRef(D* p) : p(p) {}
    ~DefRef() { Drop(p); }
    D* operator->() const { return p; }
    D* p;
};

bool IsCached(WORD wId)
{
    PXObject* p = nullptr;
    return PXGetSoftDefCache().Lookup(wId, p) != 0;
}

} // namespace

TEST(SoftObj, WithoutControllerDefinitionsComeFromTheExecutable)
{
    ASSERT_EQ(nullptr, PXSoftObj::GetApp());
    EXPECT_EQ(GetModuleHandleA(nullptr), PXSoftObj::GetModule());
}

TEST(SoftObj, TypeAndRepresentationNames)
{
    struct { WORD code; const char* name; } types[] = {
        { 0, "NONE       " }, { 1, "INT16      " }, { 2, "INT32      " }, { 3, "TEXT       " },
        { 4, "BOOL       " }, { 5, "MONTHANDDAY" }, { 6, "TIME       " }, { 7, "RECORDSET  " },
    };
    for (const auto& t : types)
        EXPECT_STREQ(t.name, PXSoftObj::TypeName(t.code)) << t.code;
    EXPECT_PXASSERT(PXSoftObj::TypeName(8), "(0)");

    struct { WORD code; const char* name; } reps[] = {
        { 0x8020, "CHAR" }, { 0x8040, "MEMSTRINGTABLEID" }, { 0x8080, "INT32" }, { 0x8100, "INT16" },
        { 0x8200, "BOOL" }, { 0x8400, "STRING" }, { 0x8800, "OBARRAY" },
    };
    for (const auto& r : reps)
        EXPECT_STREQ(r.name, PXSoftObj::MemReprName(r.code)) << r.code;
    EXPECT_PXASSERT(PXSoftObj::MemReprName(0x8000), "(0)");
    EXPECT_PXASSERT(PXSoftObj::MemReprName(0x8010), "(0)");

    EXPECT_TRUE(PXSoftObj::HasFlag(0x8005, 0x8004));
    EXPECT_FALSE(PXSoftObj::HasFlag(0x8005, 0x8002));
    EXPECT_FALSE(PXSoftObj::HasFlag(0x8005, 0x8000));
}

// ---------------------------------------------------------------------------
// Record definitions

TEST(RecDef, ReadsFieldsReferencesAndVerification)
{
    DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(IDR_REC_GOOD));
    EXPECT_EQ(IDR_REC_GOOD, d->GetID());
    EXPECT_EQ(1, d->GetRefCount());
    EXPECT_EQ(1, d->GetNbReferencesSections());
    EXPECT_EQ(1, d->GetNbDataSections());
    EXPECT_EQ(1, d->GetNbVerificationSections());
    EXPECT_EQ(14504, d->GetSoftDlgID());
    EXPECT_EQ(11060, d->GetHelpID());
    EXPECT_EQ(18002, d->GetPropSheetID());

    struct { WORD field; WORD type; } fields[] = { { 1001, 1 }, { 1002, 2 }, { 1003, 3 }, { 1004, 4 }, { 1005, 7 } };
    for (const auto& f : fields)
        EXPECT_EQ(f.type, d->GetFieldType(f.field)) << f.field;
    // A BOOL field stored as a text keeps its type.
    EXPECT_EQ(0x8401, d->FindFieldStatement(1004)->GetStyle());
    EXPECT_EQ(22003, d->FindFieldStatement(1005)->GetOptParamByFlag(0x8004));
    EXPECT_EQ(nullptr, d->FindFieldStatement(999));
    EXPECT_PXASSERT(d->GetFieldType(999), "(0)");

    PXSectionArray* pVerify = d->GetSections(0x1004);
    ASSERT_NE(nullptr, pVerify);
    PXSection* pV = pVerify->GetSection(0);
    EXPECT_EQ(0x2201, pV->FindStatementOfType(5, 0x2002)->GetParam(0));
    EXPECT_EQ(1, pV->CountOfType(4, 0x3001));
    EXPECT_PXASSERT(d->GetSections(0x1007), "(0)");
}

TEST(RecDef, DefinitionMayEndWithTheResource)
{
    DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(IDR_REC_NO_END_WORD));
    EXPECT_EQ(3, d->GetFieldType(1));
    EXPECT_EQ(nullptr, d->GetSections(0x1004));
    EXPECT_EQ(0, d->GetNbVerificationSections());
}

TEST(RecDef, MissingStatementsOfTheReferencesAreConsistencyFailures)
{
    DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(IDR_REC_NO_REFS_STATEMENTS));
    EXPECT_PXASSERT(d->GetSoftDlgID(), "(0)");
    EXPECT_PXASSERT(d->GetHelpID(), "(0)");
    EXPECT_PXASSERT(d->GetPropSheetID(), "(0)");
}

TEST(RecDef, VerificationWithoutStyleReadsAndOnlyTheFirstDataCounts)
{
    DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(IDR_REC_NO_SRSTYLE));
    EXPECT_EQ(2, d->GetNbDataSections());
    EXPECT_EQ(3, d->GetFieldType(1));
    EXPECT_PXASSERT(d->GetFieldType(2), "(0)");
    PXSection* pV = d->GetSections(0x1004)->GetSection(0);
    EXPECT_PXASSERT(pV->FindStatementOfType(5, 0x2002), "(0)");
}

TEST(RecDef, SectionOrderIsChecked)
{
    struct { WORD id; const char* expr; } cases[] = {
        { IDR_REC_VERIFY_BEFORE_DATA, "(m_bDataDone==1)" },
        { IDR_REC_TWO_REFS, "(m_bReferencesDone!=1)" },
        { IDR_REC_DATA_FIRST, "(m_bReferencesDone==1)" },
        { IDR_REC_NO_DATA, "(m_bDataDone==1)" },
        { IDR_REC_DIALOG_SECTION, "(0)" },
        { IDR_REC_BAD_FIELD, "(m_pParams->GetAt(1)!=(WORD)0)" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        int nLive = PXSoftObjDef::GetLiveCount();
        EXPECT_PXASSERT(PXSoftRecDef::Get(c.id), c.expr);
        // The partly read definition is freed and never cached.
        EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
        EXPECT_FALSE(IsCached(c.id));
    }
}

TEST(RecDef, MissingResourceThrowsAndLeavesNothing)
{
    int nLive = PXSoftObjDef::GetLiveCount();
    try
    {
        PXSoftRecDef::Get(IDR_MISSING);
        ADD_FAILURE() << "no exception";
    }
    catch (const PXException& x)
    {
        EXPECT_EQ(1553u, x.m_nDescr);
    }
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
    EXPECT_FALSE(IsCached(IDR_MISSING));
}

TEST(RecDef, CacheSharesADefinitionWhileItIsUsed)
{
    int nLive = PXSoftObjDef::GetLiveCount();
    PXSoftRecDef* a = PXSoftRecDef::Get(IDR_REC_GOOD);
    PXSoftRecDef* b = PXSoftRecDef::Get(IDR_REC_GOOD);
    EXPECT_EQ(a, b);
    EXPECT_EQ(2, a->GetRefCount());
    EXPECT_EQ(nLive + 1, PXSoftObjDef::GetLiveCount());
    EXPECT_TRUE(IsCached(IDR_REC_GOOD));

    // Released once: still alive and cached.
    EXPECT_EQ(1, a->Release());
    EXPECT_TRUE(IsCached(IDR_REC_GOOD));
    EXPECT_EQ(0, b->Release());
    delete b;
    EXPECT_FALSE(IsCached(IDR_REC_GOOD));
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());

    // The next user reads the resource again.
    PXSoftRecDef* c = PXSoftRecDef::Get(IDR_REC_GOOD);
    EXPECT_EQ(1, c->GetRefCount());
    EXPECT_EQ(nLive + 1, PXSoftObjDef::GetLiveCount());
    Drop(c);
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
}

TEST(RecDef, FailedAllocationsCarryTheirMessages)
{
    // The definition object itself.
    FailNothrowAllocationAfter(0);
    try
    {
        PXSoftRecDef::Get(IDR_REC_GOOD);
        ADD_FAILURE() << "no exception";
    }
    catch (const PXXMem& x)
    {
        EXPECT_EQ(1506u, x.m_nDescr);
        CString s;
        s.LoadStringA(x.m_nDescr);
        EXPECT_STREQ("New SoftRecDef", s);
    }
    // The first section, its word array, then the section array: the
    // definition is freed.
    int nLive = PXSoftObjDef::GetLiveCount();
    struct { int skip; unsigned descr; } cases[] = { { 1, 1528 }, { 2, 1513 }, { 3, 1514 } };
    for (const auto& c : cases)
    {
        FailNothrowAllocationAfter(c.skip);
        try
        {
            PXSoftRecDef::Get(IDR_REC_GOOD);
            ADD_FAILURE() << "no exception";
        }
        catch (const PXXMem& x)
        {
            EXPECT_EQ(c.descr, x.m_nDescr);
        }
        ResetNothrowAllocation();
        EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
        EXPECT_FALSE(IsCached(IDR_REC_GOOD));
    }
    ResetNothrowAllocation();
}

// ---------------------------------------------------------------------------
// Dialog and property-sheet definitions

TEST(DlgDef, AnswersTemplateControlsAndGroups)
{
    DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(IDR_DLG_GOOD));
    EXPECT_EQ(IDR_DLG_GOOD, d->GetDlgID());
    EXPECT_EQ(1, d->GetRefCount());
    EXPECT_EQ(10004, d->GetTemplateID());
    EXPECT_EQ(1, d->GetNbReferencesSections());
    EXPECT_EQ(1, d->GetNbSoftControlSections());
    EXPECT_EQ(1, d->GetNbDlgDataLinkSections());
    EXPECT_EQ(2, d->GetNbNotifSections());

    struct { WORD control; WORD group; } groups[] = {
        { 101, 1000 }, { 103, 1000 }, { 104, 1000 }, { 105, 1001 }, { 2001, 0 }, { 1000, 0 }, { 777, 0 },
    };
    for (const auto& g : groups)
        EXPECT_EQ(g.group, d->FindGroupOfSubCtrl(g.control)) << g.control;

    ASSERT_NE(nullptr, d->FindCtrlStatement(2001));
    EXPECT_EQ(0x3206, d->FindCtrlStatement(2001)->GetType());
    EXPECT_EQ(4, d->FindCtrlStatement(2001)->GetOptParamByFlag(0x8001));
    EXPECT_EQ(0x3207, d->FindCtrlStatement(1001)->GetType());
    EXPECT_EQ(nullptr, d->FindCtrlStatement(777));     // only a data link names it
    EXPECT_EQ(nullptr, d->FindCtrlStatement(101));     // a member, not a control of its own

    EXPECT_EQ(28051, d->GetDlgDataLinkSection()->GetStatement(4, 0)->GetParam(1));
}

TEST(DlgDef, FindSectionByNotificationHeader)
{
    DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(IDR_DLG_GOOD));
    struct { WORD control; WORD code; int section; } cases[] = {
        { IDR_DLG_GOOD, 0x401, 0 }, { 2010, 0x404, 1 }, { 2010, 0x401, -1 }, { 2011, 0x404, -1 },
    };
    PXSectionArray* pNotif = d->GetSections(0x1008);
    ASSERT_NE(nullptr, pNotif);
    for (const auto& c : cases)
    {
        PXNotifStatement probe;
        probe.SetType(0x2301);
        probe.SetParam(0, c.control);
        probe.SetParam(1, c.code);
        PXSection* pFound = d->FindSection(0x1008, probe);
        if (c.section < 0)
            EXPECT_EQ(nullptr, pFound) << c.control << " " << c.code;
        else
            EXPECT_EQ(pNotif->GetSection(c.section), pFound) << c.control << " " << c.code;
    }
    PXNotifStatement probe;
    probe.SetType(0x2301);
    probe.SetParam(0, 2010);
    probe.SetParam(1, 0x404);
    PXSection* pButton = d->FindSection(0x1008, probe);
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(32000, pButton->GetStatement(4, 0)->GetParam(0));
}

TEST(DlgDef, EmptySoftControlSectionIsValid)
{
    DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(IDR_DLG_EMPTY_CONTROLS));
    EXPECT_EQ(11005, d->GetTemplateID());
    for (WORD w : { 1, 101, 1000, 11005 })
    {
        EXPECT_EQ(nullptr, d->FindCtrlStatement(w));
        EXPECT_EQ(0, d->FindGroupOfSubCtrl(w));
    }
    // A kind the definition holds no section of.
    PXNotifStatement probe;
    probe.SetType(0x2301);
    probe.SetParam(0, 1);
    probe.SetParam(1, 0x401);
    EXPECT_EQ(nullptr, d->FindSection(0x1008, probe));
    EXPECT_EQ(nullptr, d->GetDlgDataLinkSection());
    EXPECT_EQ(0, d->GetNbNotifSections());
}

TEST(DlgDef, SectionOrderIsChecked)
{
    struct { WORD id; const char* expr; } cases[] = {
        { IDR_DLG_DDL_FIRST, "(m_bSoftControlDone==1)" },
        { IDR_DLG_NOTIF_FIRST, "(m_bSoftControlDone==1)" },
        { IDR_DLG_CONTROLS_FIRST, "(m_bReferencesDone==1)" },
        { IDR_DLG_NO_CONTROLS, "(m_bSoftControlDone==1)" },
        { IDR_DLG_DATA_SECTION, "(0)" },
        { IDR_DLG_TWO_REFS, "(m_bReferencesDone!=1)" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        int nLive = PXSoftObjDef::GetLiveCount();
        EXPECT_PXASSERT(PXSoftDlgDef::Get(c.id), c.expr);
        EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
    }
}

TEST(DlgDef, DefinitionsAreNotShared)
{
    DefRef<PXSoftDlgDef> a(PXSoftDlgDef::Get(IDR_DLG_EMPTY_CONTROLS));
    DefRef<PXSoftDlgDef> b(PXSoftDlgDef::Get(IDR_DLG_EMPTY_CONTROLS));
    EXPECT_NE(a.p, b.p);
    EXPECT_EQ(1, a->GetRefCount());
    EXPECT_FALSE(IsCached(IDR_DLG_EMPTY_CONTROLS));
}

TEST(SheetDef, PagesAndSectionOrder)
{
    DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(IDR_SHEET_GOOD));
    PXSection* pRefs = d->GetReferencesSection();
    ASSERT_NE(nullptr, pRefs);
    ASSERT_EQ(2, pRefs->GetNbStatements(4));
    EXPECT_EQ(14518, pRefs->GetStatement(4, 0)->GetParam(0));
    EXPECT_EQ(11140, pRefs->GetStatement(4, 0)->GetParam(1));
    EXPECT_EQ(14519, pRefs->GetStatement(4, 1)->GetParam(0));
    // The sheet kind keeps the base's section lookup.
    EXPECT_PXASSERT(d->GetSections(0x1001), "(0)");

    EXPECT_PXASSERT(PXSoftPropSheetDef::Get(IDR_SHEET_TWO_REFS), "(m_bReferencesDone!=1)");
    EXPECT_PXASSERT(PXSoftPropSheetDef::Get(IDR_SHEET_CONTROLS), "(0)");
    try
    {
        PXSoftPropSheetDef::Get(IDR_MISSING);
        ADD_FAILURE() << "no exception";
    }
    catch (const PXException& x)
    {
        EXPECT_EQ(1553u, x.m_nDescr);
    }
}

TEST(DefKinds, FailedAllocationsOfSectionsAndDefinitionsCarryTheirMessages)
{
    struct { WORD token; unsigned descr; const char* text; } sections[] = {
        { 0x1001, 1528, "New REFERENCES Section" },
        { 0x1002, 1532, "New DATA Section" },
        { 0x1004, 1533, "New VERIFICATION Section" },
        { 0x1006, 1535, "New DLGDATALINK Section" },
        { 0x1007, 1534, "New SOFTCONTROL Section" },
        { 0x1008, 1536, "New NOTIFICATION Section" },
    };
    for (const auto& c : sections)
    {
        SCOPED_TRACE(c.token);
        PXSoftDlgDef def(IDR_DLG_GOOD);
        PXResNav nav(IDR_DLG_GOOD, GetModuleHandleA(nullptr));
        FailNothrowAllocationAfter(0);
        try
        {
            def.CreateSection(c.token, nav);
            ADD_FAILURE() << "no exception";
        }
        catch (const PXXMem& x)
        {
            EXPECT_EQ(c.descr, x.m_nDescr);
            CString s;
            s.LoadStringA(x.m_nDescr);
            EXPECT_STREQ(c.text, s);
        }
        ResetNothrowAllocation();
    }
    PXSoftDlgDef def(IDR_DLG_GOOD);
    PXResNav nav(IDR_DLG_GOOD, GetModuleHandleA(nullptr));
    EXPECT_PXASSERT(def.CreateSection(0x1003, nav), "(0)");

    struct { int which; unsigned descr; const char* text; } defs[] = {
        { 0, 1507, "New SoftDlgDef" },
        { 1, 1538, "New PROPSHEETDEF" },
    };
    for (const auto& c : defs)
    {
        FailNothrowAllocationAfter(0);
        try
        {
            if (c.which == 0)
                PXSoftDlgDef::Get(IDR_DLG_GOOD);
            else
                PXSoftPropSheetDef::Get(IDR_SHEET_GOOD);
            ADD_FAILURE() << "no exception";
        }
        catch (const PXXMem& x)
        {
            EXPECT_EQ(c.descr, x.m_nDescr);
            CString s;
            s.LoadStringA(x.m_nDescr);
            EXPECT_STREQ(c.text, s);
        }
        ResetNothrowAllocation();
    }
}
