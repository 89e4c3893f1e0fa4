// Every soft definition of the program, loaded through the real definition
// classes from this module (which compiles the program's definitions): each
// loads with its sections in the order of its kind, every record has its
// fields and rules, and every name and text a definition refers to is in the
// string table.
#include "PXTestSupport.h"

#include "PXCondSt.h"
#include "PXSDlgDf.h"
#include "PXSObj.h"
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXSdoDefRes.h"
#include "PXWinApp.h"
#include "pxspsdef.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

// Definitions load from the controller's module: this test program.
class ControllerEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        PXSoftObj::Init(m_pApp);
    }
    PXWinApp* m_pApp = nullptr;
};

testing::Environment* const g_pEnv = testing::AddGlobalTestEnvironment(new ControllerEnvironment);

enum class Kind { Record, Dialog, Sheet };

Kind KindOf(WORD id)
{
    if (id >= 22001 && id <= 23026) return Kind::Record;
    if (id >= 18001 && id <= 19125) return Kind::Sheet;
    return Kind::Dialog;
}

// Holds the one reference a loader hands out; deletes at the last.
template <class D>
struct DefRef
{
    explicit DefRef(D* p) : p(p) {}
    ~DefRef() { if (p && p->Release() == 0) delete p; }
    DefRef(const DefRef&) = delete;
    DefRef& operator=(const DefRef&) = delete;
    D* operator->() const { return p; }
    D* p;
};

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(
            static_cast<WORD>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

std::vector<WORD> ResourceIds(Kind kind)
{
    std::vector<WORD> all, ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10) /* RT_RCDATA */,
                       CollectId, reinterpret_cast<LONG_PTR>(&all));
    for (WORD id : all)
        if (KindOf(id) == kind)
            ids.push_back(id);
    return ids;
}

std::vector<WORD> Range(UINT first, UINT last)
{
    std::vector<WORD> v;
    for (UINT i = first; i <= last; ++i)
        v.push_back(static_cast<WORD>(i));
    return v;
}

std::string Text(UINT id)
{
    CString s;
    return s.LoadStringA(id) ? std::string(s) : std::string();
}

// Every statement of a list and of the blocks of its conditions.
void ForEach(PXSection* pList, const std::function<void(PXStatement*)>& f)
{
    if (pList == nullptr)
        return;
    for (int i = 0; i < pList->GetNbStatements(4); ++i)
    {
        PXStatement* pS = pList->GetStatement(4, i);
        f(pS);
        if (pS->GetType() == 0x3001)
        {
            auto* pC = static_cast<PXCondStatement*>(pS);
            ForEach(pC->FindThenBlock(), f);
            ForEach(pC->FindElseBlock(), f);
        }
    }
}

void ForEachSection(PXSectionArray* pArray, const std::function<void(PXSection*)>& f)
{
    for (int i = 0; pArray && i < pArray->GetSize(); ++i)
        f(static_cast<PXSection*>(pArray->GetAt(i)));
}

// Fields of the records that have no display name.
const std::set<WORD> kNameless = { 25152, 25201, 25253, 25350, 25351, 25352, 25353, 25287,
                                   25402, 25403 };

bool Loads(WORD id)
{
    try {
        switch (KindOf(id))
        {
        case Kind::Record: { DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id)); return d.p != nullptr; }
        case Kind::Dialog: { DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id)); return d.p != nullptr; }
        case Kind::Sheet: { DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(id)); return d.p != nullptr; }
        }
    } catch (const PXAssertion& a) {
        ADD_FAILURE() << id << ": " << a.expr << " at " << a.file << ":" << a.line;
    } catch (const PXException& e) {
        ADD_FAILURE() << id << ": exception " << e.m_nDescr;
    }
    return false;
}

} // namespace

TEST(ProgramDefinitions, ModuleHoldsEveryDefinitionAndEachLoads)
{
    const std::vector<WORD> records = [] {
        std::vector<WORD> v = Range(22001, 22004);
        for (auto r : { Range(22801, 22809), Range(23001, 23026) })
            v.insert(v.end(), r.begin(), r.end());
        return v;
    }();
    const std::vector<WORD> dialogs = [] {
        std::vector<WORD> v = Range(14501, 14520);
        for (auto r : { Range(15001, 15001), Range(15003, 15003), Range(15103, 15104),
                        Range(15107, 15113) })
            v.insert(v.end(), r.begin(), r.end());
        return v;
    }();
    const std::vector<WORD> sheets = [] {
        std::vector<WORD> v = Range(18001, 18002);
        for (WORD id : Range(19101, 19125))
            v.push_back(id);
        return v;
    }();
    EXPECT_EQ(records, ResourceIds(Kind::Record));
    EXPECT_EQ(dialogs, ResourceIds(Kind::Dialog));
    EXPECT_EQ(sheets, ResourceIds(Kind::Sheet));

    const int nLive = PXSoftObjDef::GetLiveCount();
    for (const auto* list : { &records, &dialogs, &sheets })
        for (WORD id : *list)
            EXPECT_TRUE(Loads(id)) << id;
    // released definitions are gone, and the cache holds none of them
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
    EXPECT_EQ(0, PXGetSoftDefCache().GetCount());
}

TEST(ProgramDefinitions, SectionsOfEachKind)
{
    for (WORD id : ResourceIds(Kind::Record))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id));
        EXPECT_EQ(1, d->GetNbReferencesSections());
        EXPECT_EQ(1, d->GetNbDataSections());
        // a verification section carries SRVERSION 1 1 and SRSTYLE 0x2201
        ForEachSection(d->GetSections(0x1004), [](PXSection* pV) {
            PXStatement* pStyle = pV->FindStatementOfType(5, 0x2002);
            EXPECT_EQ(0x2201, pStyle->GetParam(0));
            PXStatement* pVersion = pV->FindStatementOfType(5, 0x2001);
            EXPECT_EQ(1, pVersion->GetParam(0));
            EXPECT_EQ(1, pVersion->GetParam(1));
        });
    }
    for (WORD id : ResourceIds(Kind::Dialog))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id));
        EXPECT_EQ(1, d->GetNbReferencesSections());
        EXPECT_EQ(1, d->GetNbSoftControlSections());
        EXPECT_LE(d->GetNbDlgDataLinkSections(), 1);
        EXPECT_GE(d->GetTemplateID(), 10001);
        EXPECT_LE(d->GetTemplateID(), 12006);
        // every group member names its group
        PXSection* pSoft = d->GetSoftControlSection();
        for (int i = 0; i < pSoft->GetNbStatements(4); ++i)
        {
            PXStatement* pS = pSoft->GetStatement(4, i);
            EXPECT_EQ(pS, d->FindCtrlStatement(pS->GetParam(0)));
            if (pS->GetType() != 0x3207)
                continue;
            auto* pGroup = static_cast<PXMultiLineStatement*>(pS);
            ASSERT_GT(pGroup->GetNbStatements(4), 0);
            for (int m = 0; m < pGroup->GetNbStatements(4); ++m)
                EXPECT_NE(0, d->FindGroupOfSubCtrl(pGroup->GetStatement(4, m)->GetParam(0)));
        }
    }
    for (WORD id : ResourceIds(Kind::Sheet))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(id));
        PXSection* pRefs = d->GetReferencesSection();
        ASSERT_NE(nullptr, pRefs);
        ASSERT_GE(pRefs->GetNbStatements(4), 1);
        EXPECT_EQ(pRefs->GetNbStatements(4), pRefs->CountOfType(4, 0x3201));
        // each page is a dialog definition of the program
        for (int i = 0; i < pRefs->GetNbStatements(4); ++i)
        {
            DefRef<PXSoftDlgDef> page(PXSoftDlgDef::Get(pRefs->GetStatement(4, i)->GetParam(0)));
            EXPECT_NE(nullptr, page.p);
        }
    }
}

TEST(ProgramDefinitions, RecordsHaveTheirFieldsAndRules)
{
    struct Case { WORD id; int fields, conditions, messages; };
    const Case cases[] = {
        { 22001, 3, 0, 0 }, { 22002, 3, 0, 0 }, { 22003, 2, 0, 0 }, { 22004, 37, 3, 2 },
        { 22801, 6, 2, 2 }, { 22802, 7, 2, 2 }, { 22803, 5, 0, 0 }, { 22804, 1, 0, 0 },
        { 22805, 2, 0, 0 }, { 22806, 5, 0, 0 }, { 22807, 4, 0, 0 }, { 22808, 2, 0, 0 },
        { 22809, 2, 2, 2 },
        { 23001, 11, 5, 3 }, { 23003, 8, 4, 2 }, { 23004, 4, 1, 1 }, { 23005, 3, 1, 1 },
        { 23006, 12, 25, 11 }, { 23008, 12, 25, 11 }, { 23010, 19, 21, 12 },
        { 23011, 4, 2, 1 }, { 23021, 3, 0, 0 }, { 23024, 3, 0, 0 },
        { 23002, 2, 0, 0 }, { 23007, 2, 0, 0 }, { 23009, 2, 0, 0 }, { 23012, 2, 0, 0 },
        { 23013, 2, 0, 0 }, { 23014, 2, 0, 0 }, { 23015, 2, 0, 0 }, { 23016, 2, 0, 0 },
        { 23017, 2, 0, 0 }, { 23018, 2, 0, 0 }, { 23019, 2, 0, 0 }, { 23020, 2, 0, 0 },
        { 23022, 2, 0, 0 }, { 23023, 2, 0, 0 }, { 23025, 2, 0, 0 }, { 23026, 2, 0, 0 },
    };
    EXPECT_EQ(std::size(cases), ResourceIds(Kind::Record).size());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(c.id));
        PXSection* pData = d->GetDataSection();
        const int nFields = pData->GetNbStatements(4);
        EXPECT_EQ(c.fields, nFields);
        int conditions = 0, messages = 0;
        ForEachSection(d->GetSections(0x1004), [&](PXSection* pV) {
            ForEach(pV, [&](PXStatement* pS) {
                conditions += pS->GetType() == 0x3001;
                messages += pS->GetType() == 0x3103;
            });
        });
        EXPECT_EQ(c.conditions, conditions);
        EXPECT_EQ(c.messages, messages);

        if (c.id < 23001 || c.id == 23024)
            continue;
        // block records: their own sheet, and "Notes" (CHAR) and "Outputs"
        // (rows of 23024) last
        DefRef<PXSoftPropSheetDef> sheet(PXSoftPropSheetDef::Get(d->GetPropSheetID()));
        EXPECT_NE(nullptr, sheet.p);
        ASSERT_GE(nFields, 2);
        PXStatement* pNotes = pData->GetStatement(4, nFields - 2);
        PXStatement* pOutputs = pData->GetStatement(4, nFields - 1);
        EXPECT_EQ(28116, pNotes->GetParam(0));
        EXPECT_EQ(3, d->GetFieldType(28116));
        EXPECT_EQ(0x8021, pNotes->GetStyle());
        EXPECT_EQ(28115, pOutputs->GetParam(0));
        EXPECT_EQ(7, d->GetFieldType(28115));
        EXPECT_EQ(23024, pOutputs->GetOptParamByFlag(0x8004));
        // every other field is bound to a block variable
        for (int i = 0; i < nFields - 2; ++i)
            EXPECT_TRUE(pData->GetStatement(4, i)->HasStyle(0x8010));
    }
    // the stored representations the records rely on
    DefRef<PXSoftRecDef> app(PXSoftRecDef::Get(22004));
    EXPECT_EQ(4, app->GetFieldType(25277));
    EXPECT_EQ(0x8401, app->FindFieldStatement(25277)->GetStyle());
    EXPECT_EQ(18002, app->GetPropSheetID());
    DefRef<PXSoftRecDef> voice(PXSoftRecDef::Get(22801));
    EXPECT_EQ(14504, voice->GetSoftDlgID());
    EXPECT_EQ(11060, voice->GetHelpID());
}

TEST(ProgramDefinitions, EveryFieldVariableAndKindHasItsName)
{
    for (WORD id : ResourceIds(Kind::Record))
    {
        SCOPED_TRACE(id);
        if (id == 22004 || (id >= 23001 && id != 23024)) {
            EXPECT_FALSE(Text(id).empty()) << "kind name";
        }
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id));
        PXSection* pData = d->GetDataSection();
        for (int i = 0; i < pData->GetNbStatements(4); ++i)
        {
            PXStatement* pF = pData->GetStatement(4, i);
            const WORD fid = pF->GetParam(0);
            if (kNameless.count(fid)) {
                EXPECT_TRUE(Text(fid).empty()) << fid;
            } else {
                EXPECT_FALSE(Text(fid).empty()) << "field " << fid;
            }
            if (pF->HasStyle(0x8010)) {
                EXPECT_FALSE(Text(pF->GetOptParamByFlag(0x8010)).empty()) << "variable of " << fid;
            }
            // a record set's rows are a record type of the program
            if (pF->GetParam(1) == 7) {
                DefRef<PXSoftRecDef> rows(PXSoftRecDef::Get(pF->GetOptParamByFlag(0x8004)));
                EXPECT_NE(nullptr, rows.p);
            }
        }
    }
    EXPECT_EQ("Telset maintenance password", Text(25268));
    EXPECT_EQ("Menu choices", Text(29001));
    EXPECT_EQ("Speech Activated (SA) Messaging", Text(23021));
    EXPECT_EQ("File properties", Text(22004));
}

TEST(ProgramDefinitions, MessagesCaptionsAndOutputNamesHaveTheirTexts)
{
    auto check = [](PXStatement* pS) {
        if (pS->GetType() == 0x3103 && !pS->HasStyle(0x8800))
        {
            EXPECT_FALSE(Text(pS->GetParam(1)).empty()) << "message " << pS->GetParam(1);
            if (pS->HasStyle(0x8100)) {
                EXPECT_FALSE(Text(pS->GetOptParamByFlag(0x8100)).empty()) << "insert";
            }
        }
        if (pS->GetType() == 0x3102 && pS->GetParam(1) == 0x467) {
            EXPECT_FALSE(Text(pS->GetOptParam(0)).empty()) << "caption " << pS->GetOptParam(0);
        }
    };
    for (WORD id : ResourceIds(Kind::Record))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id));
        ForEachSection(d->GetSections(0x1004), [&](PXSection* pV) { ForEach(pV, check); });
    }
    for (WORD id : ResourceIds(Kind::Dialog))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id));
        ForEachSection(d->GetSections(0x1008), [&](PXSection* pN) { ForEach(pN, check); });
        // parameters of check boxes name an output row by its text
        ForEachSection(d->GetSections(0x1006), [&](PXSection* pL) {
            ForEach(pL, [](PXStatement* pLink) {
                auto* pM = static_cast<PXMultiLineStatement*>(pLink);
                for (int i = 0; i < pM->GetNbStatements(4); ++i)
                {
                    PXStatement* pP = pM->GetStatement(4, i);
                    if (pP->HasStyle(0x8001)) {
                        EXPECT_FALSE(Text(pP->GetOptParam(1)).empty()) << "output name";
                    }
                }
            });
        });
    }
    EXPECT_EQ("The save interval must be between 1 and 60 minutes.", Text(IDS_DEF_SAVEINTERVAL));
    EXPECT_EQ("The password in field '%1' is less than the minimum accepted length.  \n"
              "Please refer to Security Administration for the correct value.",
              Text(IDS_DEF_PWDTOOSHORT));
    EXPECT_EQ("Define voice items", Text(IDS_DEF_DEFINEVOICE));
}
