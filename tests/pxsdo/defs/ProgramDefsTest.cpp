// Every definition of the program loaded with the definition classes the
// program itself uses: record definitions through the definition cache,
// dialog and property-sheet definitions through their loaders. Loading
// checks each definition's grammar and section order; the catalogue of
// record types, dialog templates and sheet pages is then checked against
// what was read.
#include "PXTestSupport.h"

#include "PXCondSt.h"
#include "PXSDlgDf.h"
#include "PXSObj.h"
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXSdoDefIds.h"
#include "pxspsdef.h"

#include <map>
#include <vector>

namespace {

enum class Kind { Record, Dialog, Sheet };

Kind KindOf(WORD id)
{
    if (id >= 22001 && id <= 23026)
        return Kind::Record;
    if (id >= 18001 && id <= 19125)
        return Kind::Sheet;
    return Kind::Dialog;
}

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(
            static_cast<WORD>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

std::vector<WORD> DefinitionIds()
{
    std::vector<WORD> ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10) /* RT_RCDATA */,
                       CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

template <class D>
struct DefRef
{
    explicit DefRef(D* p) : p(p) {}
    ~DefRef()
    {
        if (p && p->Release() == 0)
            delete p;
    }
    D* operator->() const { return p; }
    D* p;
};

// Conditions and message statements of a statement list, blocks included.
void CountRules(PXMultiLineStatement* pList, int& rConds, int& rMsgs)
{
    for (int i = 0; i < pList->GetNbStatements(4); ++i)
    {
        PXStatement* pS = pList->GetStatement(4, i);
        if (pS->GetType() == 0x3103)
            ++rMsgs;
        if (pS->GetType() != 0x3001)
            continue;
        ++rConds;
        auto* pCond = static_cast<PXCondStatement*>(pS);
        if (pCond->FindThenBlock())
            CountRules(pCond->FindThenBlock(), rConds, rMsgs);
        if (pCond->FindElseBlock())
            CountRules(pCond->FindElseBlock(), rConds, rMsgs);
    }
}

} // namespace

TEST(ProgramDefinitions, EveryDefinitionLoadsInItsSectionOrder)
{
    std::vector<WORD> ids = DefinitionIds();
    ASSERT_GT(ids.size(), 60u);
    int nLive = PXSoftObjDef::GetLiveCount();
    for (WORD id : ids)
    {
        SCOPED_TRACE(id);
        try
        {
            switch (KindOf(id))
            {
            case Kind::Record:
            {
                DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(id));
                EXPECT_EQ(1, d->GetNbReferencesSections());
                EXPECT_GE(d->GetNbDataSections(), 1);
                // Every field has a native type of the table.
                PXSection* pData = d->GetDataSection();
                for (int i = 0; i < pData->GetNbStatements(4); ++i)
                {
                    WORD wType = pData->GetStatement(4, i)->GetParam(1);
                    EXPECT_TRUE(wType >= 1 && wType <= 7) << pData->GetStatement(4, i)->GetParam(0);
                }
                // Every verification section says how it stops.
                PXSectionArray* pVerify = d->GetSections(0x1004);
                for (int i = 0; pVerify && i < pVerify->GetSize(); ++i)
                    EXPECT_EQ(0x2201, pVerify->GetSection(i)->FindStatementOfType(5, 0x2002)->GetParam(0));
                break;
            }
            case Kind::Dialog:
            {
                DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(id));
                EXPECT_EQ(1, d->GetNbReferencesSections());
                EXPECT_GE(d->GetNbSoftControlSections(), 1);
                EXPECT_NE(0, d->GetTemplateID());
                break;
            }
            case Kind::Sheet:
            {
                DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(id));
                EXPECT_GE(d->GetReferencesSection()->GetNbStatements(4), 1);
                break;
            }
            }
        }
        catch (const PXAssertion& a)
        {
            ADD_FAILURE() << "consistency failure " << a.expr << " at " << a.file << ":" << a.line;
        }
        catch (const PXException& x)
        {
            ADD_FAILURE() << "exception " << x.m_nDescr;
        }
    }
    // Nothing stays loaded once its last user is gone.
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
}

TEST(ProgramDefinitions, RecordCatalogue)
{
    struct Rec
    {
        WORD id;
        int fields;
        WORD dialog, help, sheet;   // 0: the references hold none
        int conds, msgs;
    };
    const Rec recs[] = {
        { 22001, 3, 0, 0, 0, 0, 0 },
        { 22002, 3, 0, 0, 0, 0, 0 },
        { 22003, 2, 0, 0, 0, 0, 0 },
        { 22004, 37, 14004, 23, 18002, 3, 2 },
        { 22801, 6, 14504, 11060, 0, 2, 2 },
        { 22802, 7, 14508, 11080, 0, 2, 2 },
        { 22803, 5, 14005, 34, 18001, 0, 0 },
        { 22804, 1, 0, 0, 0, 0, 0 },
        { 22805, 2, 0, 0, 0, 0, 0 },
        { 22806, 5, 0, 0, 0, 0, 0 },
        { 22807, 4, 0, 0, 0, 0, 0 },
        { 22808, 2, 0, 0, 0, 0, 0 },
        { 22809, 2, 14520, 11163, 0, 2, 2 },
        { 23001, 11, 0, 0, 19110, 5, 3 },
        { 23002, 3, 0, 0, 19101, 0, 0 },
        { 23003, 8, 0, 0, 19111, 4, 2 },
        { 23004, 4, 0, 0, 19108, 1, 1 },
        { 23005, 3, 0, 0, 19109, 1, 1 },
        { 23006, 12, 0, 0, 19112, 25, 11 },
        { 23007, 6, 0, 0, 19102, 3, 2 },
        { 23008, 12, 0, 0, 19104, 25, 11 },
        { 23009, 4, 0, 0, 19106, 2, 1 },
        { 23010, 19, 0, 0, 19103, 21, 12 },
        { 23011, 4, 0, 0, 19107, 2, 1 },
        { 23013, 2, 0, 0, 19123, 0, 0 },
        { 23014, 2, 0, 0, 19113, 0, 0 },
        { 23015, 2, 0, 0, 19114, 0, 0 },
        { 23018, 2, 0, 0, 19117, 0, 0 },
        { 23020, 2, 0, 0, 19119, 0, 0 },
        { 23021, 3, 0, 0, 19120, 0, 0 },
        { 23024, 3, 0, 0, 0, 0, 0 },
        { 23025, 2, 0, 0, 19124, 0, 0 },
        { 23026, 2, 0, 0, 19125, 0, 0 },
        // Block types named only by the block table: notes and outputs.
        { 23012, 2, 0, 0, 0, 0, 0 }, { 23016, 2, 0, 0, 0, 0, 0 }, { 23017, 2, 0, 0, 0, 0, 0 },
        { 23019, 2, 0, 0, 0, 0, 0 }, { 23022, 2, 0, 0, 0, 0, 0 }, { 23023, 2, 0, 0, 0, 0, 0 },
    };
    for (const Rec& r : recs)
    {
        SCOPED_TRACE(r.id);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(r.id));
        EXPECT_EQ(r.fields, d->GetDataSection()->GetNbStatements(4));
        PXSection* pRefs = d->GetReferencesSection();
        if (r.dialog)
        {
            EXPECT_EQ(r.dialog, d->GetSoftDlgID());
            EXPECT_EQ(r.help, d->GetHelpID());
        }
        else
        {
            EXPECT_EQ(0, pRefs->CountOfType(4, 0x3201));
        }
        if (r.sheet)
        {
            EXPECT_EQ(r.sheet, d->GetPropSheetID());
        }
        int nConds = 0, nMsgs = 0;
        PXSectionArray* pVerify = d->GetSections(0x1004);
        for (int i = 0; pVerify && i < pVerify->GetSize(); ++i)
            CountRules(pVerify->GetSection(i), nConds, nMsgs);
        EXPECT_EQ(r.conds, nConds);
        EXPECT_EQ(r.msgs, nMsgs);
        // Block records end with the notes and the outputs.
        if (r.id >= 23001 && r.id != 23024)
        {
            PXSection* pData = d->GetDataSection();
            int n = pData->GetNbStatements(4);
            ASSERT_GE(n, 2);
            EXPECT_EQ(28116, pData->GetStatement(4, n - 2)->GetParam(0));
            EXPECT_EQ(0x8021, pData->GetStatement(4, n - 2)->GetStyle());
            EXPECT_EQ(28115, pData->GetStatement(4, n - 1)->GetParam(0));
            EXPECT_EQ(7, d->GetFieldType(28115));
            EXPECT_EQ(23024, pData->GetStatement(4, n - 1)->GetOptParamByFlag(0x8004));
        }
    }
    // A BOOL field stored as a text keeps its type.
    DefRef<PXSoftRecDef> app(PXSoftRecDef::Get(22004));
    EXPECT_EQ(4, app->GetFieldType(25277));
    EXPECT_EQ(0x8401, app->FindFieldStatement(25277)->GetStyle());
}

TEST(ProgramDefinitions, DialogTemplatesAndSheetPages)
{
    const std::map<WORD, WORD> templates = {
        { 14501, 10004 }, { 14505, 10004 }, { 14502, 10009 }, { 14503, 10010 }, { 14504, 10011 },
        { 14506, 10012 }, { 14507, 10013 }, { 14508, 10014 }, { 14509, 10001 }, { 14510, 10001 },
        { 14511, 10001 }, { 14512, 10001 }, { 14513, 10001 }, { 14514, 10001 }, { 14515, 10003 },
        { 14516, 10007 }, { 14517, 10008 }, { 14518, 10005 }, { 14519, 10006 }, { 14520, 10015 },
        { 15001, 11005 }, { 15003, 11002 }, { 15101, 11003 }, { 15102, 11013 }, { 15106, 11009 },
        { 15103, 11012 }, { 15104, 11010 }, { 15107, 11011 },
        { 15108, 11006 }, { 15109, 11007 }, { 15110, 11001 }, { 15111, 11004 }, { 15112, 11008 },
        { 15113, 11015 },
    };
    for (const auto& t : templates)
    {
        SCOPED_TRACE(t.first);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(t.first));
        EXPECT_EQ(t.second, d->GetTemplateID());
    }

    const std::map<WORD, std::vector<std::pair<WORD, WORD>>> sheets = {
        { 18001, { { 14516, 238 }, { 14517, 238 } } },
        { 18002, { { 14518, 11140 }, { 14519, 11141 } } },
        { 19101, { { 15101, 10082 }, { 15003, 10083 } } },
        { 19102, { { 15102, 10084 }, { 15003, 10085 } } },
        { 19103, { { 15103, 10215 }, { 15003, 10216 } } },
        { 19104, { { 15104, 10205 }, { 15003, 10206 } } },
        { 19106, { { 15106, 10088 }, { 15003, 10089 } } },
        { 19107, { { 15107, 10525 }, { 15003, 10526 } } },
        { 19108, { { 15108, 10180 }, { 15003, 10181 } } },
        { 19109, { { 15109, 10110 }, { 15003, 10111 } } },
        { 19110, { { 15110, 10120 }, { 15003, 10121 } } },
        { 19111, { { 15111, 10160 }, { 15003, 10161 } } },
        { 19112, { { 15112, 10190 }, { 15003, 10191 } } },
        { 19113, { { 15001, 10102 }, { 15003, 10103 } } },
        { 19114, { { 15001, 10104 }, { 15003, 10105 } } },
        { 19117, { { 15001, 10560 }, { 15003, 10561 } } },
        { 19119, { { 15001, 10550 }, { 15003, 10551 } } },
        { 19120, { { 15113, 10555 }, { 15003, 10556 } } },
        { 19123, { { 15001, 10092 }, { 15003, 10093 } } },
        { 19124, { { 15001, 10562 }, { 15003, 10563 } } },
        { 19125, { { 15001, 11170 }, { 15003, 11171 } } },
    };
    for (const auto& s : sheets)
    {
        SCOPED_TRACE(s.first);
        DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(s.first));
        PXSection* pRefs = d->GetReferencesSection();
        ASSERT_EQ(static_cast<int>(s.second.size()), pRefs->GetNbStatements(4));
        for (size_t i = 0; i < s.second.size(); ++i)
        {
            PXStatement* pPage = pRefs->GetStatement(4, static_cast<int>(i));
            EXPECT_EQ(0x3201, pPage->GetType());
            EXPECT_EQ(s.second[i].first, pPage->GetParam(0));
            EXPECT_EQ(s.second[i].second, pPage->GetParam(1));
        }
    }
}

TEST(ProgramDefinitions, DialogControlsAnswerTheRuntime)
{
    // The application chooser: a file combo group over the list controls.
    DefRef<PXSoftDlgDef> chooser(PXSoftDlgDef::Get(14509));
    ASSERT_NE(nullptr, chooser->FindCtrlStatement(5000));
    EXPECT_EQ(0x3207, chooser->FindCtrlStatement(5000)->GetType());
    EXPECT_EQ(28603, chooser->FindCtrlStatement(5000)->GetOptParamByFlag(0x8004));
    EXPECT_EQ(5000, chooser->FindGroupOfSubCtrl(2008));
    EXPECT_EQ(0x3206, chooser->FindCtrlStatement(102)->GetType());

    // The outputs page: a list view with three columns.
    DefRef<PXSoftDlgDef> outputs(PXSoftDlgDef::Get(15003));
    PXSection* pDDL = outputs->GetDlgDataLinkSection();
    ASSERT_NE(nullptr, pDDL);
    auto* pLink = static_cast<PXMultiLineStatement*>(pDDL->FindStatement(4, 0, 301, TRUE));
    EXPECT_EQ(28115, pLink->GetParam(1));
    EXPECT_EQ(3, pLink->GetNbStatements(4));

    // Define Voice Items: the dialog's own notification sets the caption.
    DefRef<PXSoftDlgDef> voice(PXSoftDlgDef::Get(14501));
    EXPECT_EQ(1000, voice->FindGroupOfSubCtrl(107));
    PXSection* pNotif = voice->GetSections(0x1008)->GetSection(0);
    EXPECT_EQ(14501, pNotif->GetStatement(5, 0)->GetParam(0));
    EXPECT_EQ(0x401, pNotif->GetStatement(5, 0)->GetParam(1));
    EXPECT_EQ(1002, pNotif->GetStatement(4, 0)->GetOptParam(0));
}

// The names that code gives ids (PXSdoDefIds.h, made from the tables) name
// what loads: each field stands in its record with its type and the table's
// name as its text, and each dialog and sheet loads.
TEST(ProgramDefinitions, NamedIdsResolveToTheLoadedDefinitions)
{
    struct Field
    {
        WORD record, field;
        WORD type;
        const char* text;
    };
    const Field fields[] = {
        { PXREC_USER_APP, PXFIELD_USER_APP_NAME, 3, "Name" },
        { PXREC_USER_APP, PXFIELD_USER_APP_ID, 2, "ID" },
        { PXREC_USER_APP, PXFIELD_USER_APP_VOICE_ITEMS, 7, "Voice items" },
        { PXREC_USER_APP, PXFIELD_USER_APP_USED_RES_PERM_LIST, 7, "Used Res/Perm list" },
        { PXREC_USER_APP, PXFIELD_USER_APP_IMPORTS, 7, nullptr },
        { PXREC_USER_APP, PXFIELD_USER_APP_TELSET_PASSWORD_ON, 4, "Telset maintenance password" },
        { PXREC_USER_APP, PXFIELD_USER_APP_TELSET_MAINTENANCE_PASSWORD, 3,
          "Telset maintenance password" },
        { PXREC_VOICE_ITEM, PXFIELD_VOICE_ITEM_ID, 1, "ID" },
        { PXREC_VOICE_ITEM, PXFIELD_VOICE_ITEM_IN_USE, 4, "In use" },
        { PXREC_FAX_ITEM, PXFIELD_FAX_ITEM_NAME, 3, "Name" },
        { PXREC_FAX_ITEM, PXFIELD_FAX_ITEM_CONFIRMATION_DESCRIPTION, 3, "Confirmation Description" },
        { PXREC_RESPERM_ITEM, PXFIELD_RESPERM_ITEM_LISTID, 2, "ListID" },
        { PXREC_SERVER, PXFIELD_SERVER_VOLUMES, 7, nullptr },
        { PXREC_OUTPUT_ROW, PXFIELD_OUTPUT_ROW_VISIBLE, 4, "Visible" },
        { PXREC_MENU, PXFIELD_OUTPUTS, 7, "Outputs" },
        { PXREC_OBSOLETE, PXFIELD_NOTES, 3, "Notes" },
        { PXREC_THRU_DIAL, PXFIELD_THRU_DIAL_RESTRICTION_PERMISSION_LIST, 2,
          "Restriction/permission list" },
        { PXREC_LANGUAGE_SELECT, PXFIELD_LANGUAGE_SELECT_SYSTEM_PROMPTING_LANGUAGE, 1,
          "System prompting language" },
    };
    for (const Field& f : fields)
    {
        SCOPED_TRACE(f.field);
        DefRef<PXSoftRecDef> d(PXSoftRecDef::Get(f.record));
        ASSERT_NE(nullptr, d->FindFieldStatement(f.field));
        EXPECT_EQ(f.type, d->GetFieldType(f.field));
        char text[64] = "";
        int n = LoadStringA(GetModuleHandleA(nullptr), f.field, text, sizeof(text));
        if (f.text)
            EXPECT_STREQ(f.text, text);
        else
            EXPECT_EQ(0, n);
    }
    // A record's kind name is the string of its id.
    char kind[64] = "";
    LoadStringA(GetModuleHandleA(nullptr), PXREC_THRU_DIAL, kind, sizeof(kind));
    EXPECT_STREQ("Thru-Dial", kind);

    const std::pair<WORD, WORD> dialogs[] = {
        { PXSDLG_VOICE_ITEM_NEW, 10009 }, { PXSDLG_VOICE_ITEM_RECORDED, 10010 },
        { PXSDLG_VOICE_ITEM_EDIT, 10011 }, { PXSDLG_FAX_ITEM_NEW, 10012 },
        { PXSDLG_FAX_ITEM_IMPORTED, 10013 }, { PXSDLG_FAX_ITEM_EDIT, 10014 },
        { PXSDLG_BLOCK_OUTPUTS_NOTES, 11002 },
    };
    for (const auto& t : dialogs)
    {
        SCOPED_TRACE(t.first);
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(t.first));
        EXPECT_EQ(t.second, d->GetTemplateID());
    }
    DefRef<PXSoftRecDef> app(PXSoftRecDef::Get(PXREC_USER_APP));
    EXPECT_EQ(PXSHEET_APP_PROPERTIES, app->GetPropSheetID());
    DefRef<PXSoftPropSheetDef> sheet(PXSoftPropSheetDef::Get(PXSHEET_APP_PROPERTIES));
    EXPECT_EQ(PXSDLG_APP_PROPERTIES_GENERAL,
              sheet->GetReferencesSection()->GetStatement(4, 0)->GetParam(0));
}
