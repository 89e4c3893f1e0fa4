// What the program's definitions refer to, read through the definition
// classes from this module (which compiles every definition of the program):
// the module holds exactly the program's definitions; every field, variable
// and kind has its name in the string table, and every message, caption and
// output name its text; every referenced record type, sheet and page is a
// definition of the right kind; the check boxes of block pages name outputs
// that their block type has in the application-model library. Loading and
// the record catalogue are checked in ProgramDefsTest.cpp.
#include "PXTestSupport.h"

#include "PXCondSt.h"
#include "PXSDlgDf.h"
#include "PXSObj.h"
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXSdoDefRes.h"
#include "pxspsdef.h"
#include "plexmodel.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

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

} // namespace

TEST(DefinitionReferences, ModuleHoldsExactlyTheProgramsDefinitions)
{
    const std::vector<WORD> records = [] {
        std::vector<WORD> v = Range(22001, 22004);
        for (auto r : { Range(22801, 22809), Range(23001, 23026) })
            v.insert(v.end(), r.begin(), r.end());
        return v;
    }();
    const std::vector<WORD> dialogs = [] {
        std::vector<WORD> v = Range(14501, 14520);
        for (auto r : { Range(15001, 15001), Range(15003, 15003), Range(15101, 15104),
                        Range(15106, 15113) })
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
}

TEST(DefinitionReferences, SheetsPagesAndDialogsAreDefinitionsOfTheProgram)
{
    const int nLive = PXSoftObjDef::GetLiveCount();
    for (WORD id : ResourceIds(Kind::Record))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id));
        PXSection* pRefs = d->GetReferencesSection();
        // every block type has a property sheet, so Block Properties works on
        // each of them
        if (id >= 23001 && id != 23024) {
            EXPECT_EQ(1, pRefs->CountOfType(4, 0x3209));
        }
        if (pRefs->CountOfType(4, 0x3209)) {
            DefRef<PXSoftPropSheetDef> sheet(PXSoftPropSheetDef::Get(d->GetPropSheetID()));
            EXPECT_NE(nullptr, sheet.p);
        }
        // dialogs 14004 and 14005 of the user application and the server
        // record are never opened: their callers name their own dialogs
        if (pRefs->CountOfType(4, 0x3201) && d->GetSoftDlgID() != 14004
            && d->GetSoftDlgID() != 14005) {
            DefRef<PXSoftDlgDef> dlg(PXSoftDlgDef::Get(d->GetSoftDlgID()));
            EXPECT_NE(nullptr, dlg.p);
        }
    }
    for (WORD id : ResourceIds(Kind::Sheet))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(id));
        PXSection* pRefs = d->GetReferencesSection();
        ASSERT_GE(pRefs->GetNbStatements(4), 1);
        for (int i = 0; i < pRefs->GetNbStatements(4); ++i)
        {
            PXStatement* pPage = pRefs->GetStatement(4, i);
            EXPECT_EQ(0x3201, pPage->GetType());
            EXPECT_NE(0, pPage->GetParam(1)) << "help id";
            DefRef<PXSoftDlgDef> page(PXSoftDlgDef::Get(pPage->GetParam(0)));
            EXPECT_NE(nullptr, page.p);
        }
    }
    for (WORD id : ResourceIds(Kind::Dialog))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id));
        // every member of a group control is found as a member of a group
        PXSection* pSoft = d->GetSoftControlSection();
        for (int i = 0; i < pSoft->GetNbStatements(4); ++i)
        {
            PXStatement* pS = pSoft->GetStatement(4, i);
            EXPECT_EQ(pS, d->FindCtrlStatement(pS->GetParam(0)));
            if (pS->GetType() != 0x3207)
                continue;
            auto* pGroup = static_cast<PXMultiLineStatement*>(pS);
            ASSERT_GT(pGroup->GetNbStatements(4), 0);
            for (int m = 0; m < pGroup->GetNbStatements(4); ++m) {
                EXPECT_NE(0, d->FindGroupOfSubCtrl(pGroup->GetStatement(4, m)->GetParam(0)));
            }
        }
    }
    // released definitions are gone, and the cache holds none of them
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
    EXPECT_EQ(0, PXGetSoftDefCache().GetCount());
}

TEST(DefinitionReferences, EveryFieldVariableAndKindHasItsName)
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

TEST(DefinitionReferences, MessagesCaptionsAndOutputNamesHaveTheirTexts)
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

TEST(DefinitionReferences, CheckBoxesNameOutputsOfTheirBlockType)
{
    // Block pages whose check boxes also show or hide an output of the
    // block: the output row is found by the text of the parameter's string.
    const std::map<WORD, int> pageTypes = { { 15103, 411 /* Password Check */ },
                                            { 15108, 413 /* Fax Select */ } };
    IconInfoTable table = {};
    ASSERT_GT(kvrGetPowerBlockList(&table, 0, 1), 0);
    auto outputsOf = [&](int type) {
        std::set<std::string> names;
        for (int g = 0; table.groups[g]; ++g)
            for (const PowerBlockInfo* rec = table.groups[g]->blocks; rec->name; ++rec)
                if (rec->type == type)
                    for (int i = 0; i < rec->numOutputs; ++i)
                        names.insert(rec->outputs[i].name);
        return names;
    };
    int nChecked = 0;
    for (WORD id : ResourceIds(Kind::Dialog))
    {
        SCOPED_TRACE(id);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id));
        ForEachSection(d->GetSections(0x1006), [&](PXSection* pL) {
            ForEach(pL, [&](PXStatement* pLink) {
                auto* pM = static_cast<PXMultiLineStatement*>(pLink);
                for (int i = 0; i < pM->GetNbStatements(4); ++i)
                {
                    PXStatement* pP = pM->GetStatement(4, i);
                    if (!pP->HasStyle(0x8001))
                        continue;
                    auto it = pageTypes.find(id);
                    ASSERT_NE(pageTypes.end(), it) << "a block page not listed here";
                    const std::string name = Text(pP->GetOptParam(1));
                    EXPECT_EQ(1u, outputsOf(it->second).count(name)) << name;
                    ++nChecked;
                }
            });
        });
    }
    EXPECT_EQ(6, nChecked);     // five passwords and the attendant
}
