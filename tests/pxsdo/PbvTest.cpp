// PowerBlock variable records over the application model: variables of
// the block records read and written, outputs and their connections,
// completeness told to the model, item and list uses kept in step.
#include "PXTestSupport.h"
#include "PXTestSdoHost.h"
#include "PXFieldValue.h"
#include "PXMulStm.h"
#include "PXSRecDf.h"
#include "PXSction.h"
#include "PXStatmt.h"
#include "PXSdoRes.h"
#include "PXSObj.h"
#include "PXSoftPropSheet.h"
#include "PXSoftRecPBV.h"
#include "PXWinApp.h"

#include <functional>

#include <map>
#include <string>
#include <vector>

// The object arrays grow with realloc: the tests can make one growth fail.
namespace {
int g_nFailReallocAfter = -1;
}

extern "C" void* realloc(void* p, size_t n)
{
    typedef void* (__cdecl* Realloc)(void*, size_t);
    static Realloc pfnRealloc =
        reinterpret_cast<Realloc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "realloc")));
    if (g_nFailReallocAfter == 0)
    {
        g_nFailReallocAfter = -1;
        return nullptr;
    }
    if (g_nFailReallocAfter > 0)
        --g_nFailReallocAfter;
    return pfnRealloc(p, n);
}

namespace {

class PbvEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        PXSoftObj::Init(m_pApp);
    }
    void TearDown() override
    {
        PXSoftObj::Init(nullptr);
        delete m_pApp;
    }
    PXWinApp* m_pApp = nullptr;
};
testing::Environment* const s_pEnv = testing::AddGlobalTestEnvironment(new PbvEnvironment);

// The block side: a description and the shown flags of its stubs.
struct TestBlock : PXPowerBlockLink
{
    const char* GetDescription() const override { return description.c_str(); }
    void SetDescription(const char* pszText) override { description = pszText; }
    BOOL IsOutputShown(int nIndex) const override
    {
        return nIndex < (int)shown.size() && shown[nIndex];
    }
    std::string description;
    std::vector<bool> shown;
};

// The controller side: counts every use and call.
struct TestApp : PXTestSdoHost
{
    void AddVoiceItemRef(short s) override { ++voice[s]; voiceCalls.push_back(s); }
    void ReleaseVoiceItemRef(short s) override { --voice[s]; voiceCalls.push_back(-s); }
    void AddFaxItemRef(short s) override { ++fax[s]; }
    void ReleaseFaxItemRef(short s) override { --fax[s]; }
    int CopyVoiceItemToClipByID(short s) override { clipVoice.push_back(s); return 0; }
    int CopyFaxItemToClipByID(short s) override { clipFax.push_back(s); return 0; }
    int CopyResPermToClipByID(long l) override { clipLists.push_back(l); return 0; }
    int SelectImport(long l) override { ++lists[l]; return 0; }
    int RemoveListEntry(long l) override { --lists[l]; return 0; }
    int RefreshResPermList() override { ++listRefreshes; return 0; }
    int RefreshImportList() override { ++importRefreshes; return 0; }
    void FreeServerRecord() override { ++serverRecordsFreed; }
    BOOL HasServerLists() override { return serverKnown; }
    int FindResPermList(long l) override { return serverLists.count(l) ? 0 : -1; }
    int FindLanguage(long l) override { return serverLanguages.count(l) ? 0 : -1; }

    std::map<short, int> voice, fax;
    std::vector<int> voiceCalls;    // +id a use taken, -id a use given up
    std::map<long, int> lists;
    std::vector<short> clipVoice, clipFax;
    std::vector<long> clipLists;
    int listRefreshes = 0, importRefreshes = 0;
    int serverRecordsFreed = 0;
    std::map<long, int> serverLists, serverLanguages;
    BOOL serverKnown = TRUE;
};

struct TypeRow { int type; WORD def; };

// Block types and their settings records.
const TypeRow kTypes[] = {
    { 402, 23001 }, { 393, 23002 }, { 405, 23003 }, { 413, 23004 }, { 403, 23005 },
    { 406, 23006 }, { 394, 23007 }, { 410, 23008 }, { 397, 23009 }, { 411, 23010 },
    { 412, 23011 }, { 395, 23012 }, { 142, 23013 }, { 408, 23014 }, { 398, 23016 },
    { 399, 23017 }, { 407, 23018 }, { 400, 23019 }, { 404, 23020 }, { 414, 23021 },
    { 396, 23022 }, { 401, 23023 }, { 415, 23025 },
};

class PbvTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PXSoftObj::Init(&m_app);
        m_prog = kvrAddProgram(nullptr, 0);
        kvrActivatePage(kvrCreatePage("Main", KVR_PAGE_NORMAL, 0));
    }
    void TearDown() override
    {
        kvrRemoveProgram(m_prog);
        PXSoftObj::Init(static_cast<PbvEnvironment*>(s_pEnv)->m_pApp);
    }

    kvrHandleType* Make(int type, const char* name)
    {
        int retry = 1;
        kvrHandleType* h = kvrCreatePowerBlock(type, name, &retry, "");
        EXPECT_NE(nullptr, h) << name;
        return h;
    }

    // Reads a variable as the model holds it.
    static void* Var(int type, const char* name, kvrHandleType* h)
    {
        return kvrSDOGetSymbolPtr(type, name, h, kvrSDOGetSymbolOffset(type, name));
    }

    TestApp m_app;
    TestBlock m_block;
    kvrHandleType* m_prog = nullptr;
};

} // namespace

TEST_F(PbvTest, EveryBlockRecordPreparesOverTheModel)
{
    int n = 0;
    for (const TypeRow& t : kTypes)
    {
        std::string name = "Block" + std::to_string(++n);
        kvrHandleType* h = Make(t.type, name.c_str());
        PXSoftRecPBV rec(t.def, &m_block, h, t.type);
        rec.Prepare(0xffff);
        ASSERT_NE(nullptr, rec.GetOutputRows()) << t.def;
        PowerBlockInfo info;
        kvrGetPowerBlockInfo(h, &info);
        EXPECT_EQ(info.numOutputs, rec.GetOutputRows()->GetSize()) << t.def;
        // Item and list fields as the model types its variables.
        struct { WORD def; int items; int lists; } counts[] = {
            { 23001, 3, 0 }, { 23003, 1, 1 }, { 23004, 1, 0 }, { 23010, 1, 0 }, { 23006, 0, 0 },
            { 23002, 1, 0 }, { 23007, 1, 0 }, { 23009, 0, 0 },
        };
        for (const auto& c : counts)
            if (c.def == t.def)
            {
                EXPECT_EQ(c.items, rec.GetNbItemFields()) << t.def;
                EXPECT_EQ(c.lists, rec.GetNbResPermFields()) << t.def;
            }
    }
}

// An output row that the rows' array cannot take fails the preparation
// instead of disappearing from the block's outputs.
TEST_F(PbvTest, AnOutputTheRowsCannotTakeIsNotDropped)
{
    kvrHandleType* h = Make(402, "Menu1");
    PowerBlockInfo info;
    kvrGetPowerBlockInfo(h, &info);
    ASSERT_GT(info.numOutputs, 0);
    int nRefused = 0;
    for (int nSkip = 0; nSkip < 200; ++nSkip)
    {
        PXSoftRecPBV rec(23001, &m_block, h, 402);
        g_nFailReallocAfter = nSkip;
        bool bRefused = false;
        try
        {
            rec.Prepare(0xffff);
        }
        catch (PXXMem&)
        {
            bRefused = true;
        }
        bool bFailed = g_nFailReallocAfter < 0;
        g_nFailReallocAfter = -1;
        if (bRefused)
        {
            ++nRefused;
            continue;
        }
        ASSERT_NE(nullptr, rec.GetOutputRows()) << nSkip;
        EXPECT_EQ(info.numOutputs, rec.GetOutputRows()->GetSize()) << nSkip;
        if (!bFailed)
            break;  // the preparation grows nothing more
    }
    EXPECT_GT(nRefused, 0);
}

// The field table keeps variable offsets in 16 bits: a variable further
// into the block's storage refuses the block's settings rather than reading
// and writing another variable's place.
TEST_F(PbvTest, AVariableBeyondSixteenBitOffsetsIsRefused)
{
    struct FarRecord : PXSoftRecPBV
    {
        using PXSoftRecPBV::PXSoftRecPBV;
        int GetSymbolOffset(const char* pszSymbol) override
        {
            return PXSoftRecPBV::GetSymbolOffset(pszSymbol) + nShift;
        }
        int nShift = 0;
    };
    kvrHandleType* h = Make(402, "Menu1");
    struct { int shift; bool refused; } rows[] = { { 0, false }, { 0x10000, true } };
    for (const auto& r : rows)
    {
        FarRecord rec(23001, &m_block, h, 402);
        rec.nShift = r.shift;
        bool bRefused = false;
        try
        {
            rec.Prepare(0xffff);
        }
        catch (PXXMem&)
        {
            throw;
        }
        catch (PXException& x)
        {
            EXPECT_EQ(unsigned(IDS_SDO_PBV_FARVARIABLE), x.m_nDescr);
            bRefused = true;
        }
        EXPECT_EQ(r.refused, bRefused) << r.shift;
    }
}

TEST_F(PbvTest, FieldsReadAndWriteTheVariables)
{
    kvrHandleType* menu = Make(402, "Menu1");
    {
        PXSoftRecPBV rec(23001, &m_block, menu, 402);
        EXPECT_EQ(3, *PXFieldValue(28003, &rec).GetInt32());   // initial value
        EXPECT_EQ(0, *PXFieldValue(28002, &rec).GetInt16());
        PXFieldValue(28001, &rec).SetInt16(12);                // a voice item, kept as text
        PXFieldValue(28002, &rec).SetInt16(1);
        PXFieldValue(28003, &rec).SetInt32(4);
        PXFieldValue(28004, &rec).SetInt16(7);
        PXFieldValue(28005, &rec).SetInt16(0);
        ASSERT_EQ(1, rec.Commit());
    }
    EXPECT_STREQ("12", static_cast<const char*>(Var(402, "Menu choices", menu)));
    EXPECT_EQ(1, *static_cast<short*>(Var(402, "Max no responses", menu)));
    EXPECT_EQ(4, *static_cast<long*>(Var(402, "Max number of no responses", menu)));
    PXSoftRecPBV again(23001, &m_block, menu, 402);
    EXPECT_EQ(12, *PXFieldValue(28001, &again).GetInt16());
    EXPECT_EQ(4, *PXFieldValue(28003, &again).GetInt32());

    kvrHandleType* pwd = Make(411, "Pwd1");
    PXSoftRecPBV prec(23010, &m_block, pwd, 411);
    PXFieldValue(28130, &prec).SetText("4711");
    ASSERT_EQ(1, prec.StoreField(28130));
    EXPECT_STREQ("4711", static_cast<const char*>(Var(411, "Password Entry 1", pwd)));
}

TEST_F(PbvTest, TextStoresAreBoundedByTheModelsStorage)
{
    kvrHandleType* pwd = Make(411, "Pwd1");
    PXSoftRecPBV rec(23010, &m_block, pwd, 411);
    std::string longText(300, '9');
    PXFieldValue(28130, &rec).SetText(longText.c_str());
    ASSERT_EQ(1, rec.StoreField(28130));
    int size = kvrSDOGetSymbolSize(411, "Password Entry 1");
    EXPECT_EQ(std::string(size - 1, '9'),
              static_cast<const char*>(Var(411, "Password Entry 1", pwd)));
    EXPECT_EQ(size, rec.GetCharFieldSize(28130));

    // The description is the block's; a new one goes to the block, bounded.
    m_block.description = "Greets the caller";
    PXSoftRecPBV other(23010, &m_block, pwd, 411);
    EXPECT_STREQ("Greets the caller", *PXFieldValue(PXFIELD_NOTES, &other).GetText());
    PXFieldValue(PXFIELD_NOTES, &rec).SetText(std::string(600, 'd').c_str());
    ASSERT_EQ(1, rec.StoreField(PXFIELD_NOTES));
    EXPECT_EQ(std::string(PXPBV_DESCRIPTIONSIZE - 1, 'd'), m_block.description);
}

TEST_F(PbvTest, OutputRowsCarryNamesConnectionsAndShownFlags)
{
    kvrHandleType* menu = Make(402, "Menu1");
    kvrHandleType* hello = Make(393, "Hello");
    kvrCreateGoto(menu, hello, 0);                 // output "1"
    *static_cast<short*>(Var(402, "Max no responses", menu)) = 1;
    m_block.shown = { true, true, false };         // Choices, 1, 2
    m_block.shown.resize(16, true);
    PXSoftRecPBV rec(23001, &m_block, menu, 402);
    PXObArray* rows = static_cast<PXObArray*>(rec.GetFieldMem(PXFIELD_OUTPUTS));
    ASSERT_NE(nullptr, rows);
    ASSERT_EQ(16, rows->GetSize());
    struct { int index; const char* name; const char* conn; short shown; } expect[] = {
        { 0, "Choices", "", 1 }, { 1, "1", "Hello", 1 }, { 2, "2", "", 0 },
        { 13, "No response", "", 1 }, { 14, "Invalid choice", "", 0 },  // does not apply
    };
    for (const auto& e : expect)
    {
        PXSoftRec* row = static_cast<PXSoftRec*>(rows->GetAt(e.index));
        EXPECT_STREQ(e.name, *PXFieldValue(PXFIELD_OUTPUT_ROW_NAME, row).GetText());
        EXPECT_STREQ(e.conn, *PXFieldValue(PXFIELD_OUTPUT_ROW_CONNECTION, row).GetText());
        EXPECT_EQ(e.shown, *PXFieldValue(PXFIELD_OUTPUT_ROW_VISIBLE, row).GetInt16()) << e.name;
    }
    PXOutputDataStruct out;
    EXPECT_EQ(0, rec.GetOutputData(16, out));
}

TEST_F(PbvTest, CompletenessIsToldToTheModel)
{
    kvrHandleType* hello = Make(393, "Hello");
    kvrHandleType* end = Make(396, "End");
    m_block.shown.assign(4, true);
    {
        PXSoftRecPBV rec(23002, &m_block, hello, 393);
        EXPECT_EQ(0, rec.CheckFinished());         // "Done" leads nowhere
    }
    EXPECT_EQ(0, kvrIsPowerBlockFinished(hello));
    kvrCreateGoto(hello, end, 0);
    {
        PXSoftRecPBV rec(23002, &m_block, hello, 393);
        EXPECT_EQ(1, rec.CheckFinished());
    }
    EXPECT_EQ(1, kvrIsPowerBlockFinished(hello));

    // A record whose verification reaches a message is not complete.
    kvrHandleType* time = Make(406, "Time1");
    kvrCreateGoto(time, end, 5);                   // "Other times"
    {
        PXSoftRecPBV rec(23006, &m_block, time, 406);
        EXPECT_EQ(0, rec.CheckFinished());         // no period used
    }
    EXPECT_EQ(0, kvrIsPowerBlockFinished(time));
}

TEST_F(PbvTest, ListsAndLanguagesTheServerLacksAreMarked)
{
    kvrHandleType* thru = Make(405, "Thru1");
    kvrHandleType* lang = Make(403, "Lang1");
    m_app.serverLists[5] = 1;
    m_app.serverLanguages[2] = 1;
    struct { long list; long stored; } lists[] = { { 5, 5 }, { 9, -2 }, { 0, 0 } };
    for (const auto& l : lists)
    {
        *static_cast<long*>(Var(405, "Restriction/permission list", thru)) = l.list;
        PXSoftRecPBV rec(23003, &m_block, thru, 405);
        rec.CheckFinished();
        EXPECT_EQ(l.stored, *static_cast<long*>(Var(405, "Restriction/permission list", thru)));
    }
    struct { short language; short stored; } languages[] = { { 2, 2 }, { 7, -2 }, { -1, -1 } };
    for (const auto& l : languages)
    {
        *static_cast<short*>(Var(403, "System prompt", lang)) = l.language;
        PXSoftRecPBV rec(23005, &m_block, lang, 403);
        rec.CheckFinished();
        EXPECT_EQ(l.stored, *static_cast<short*>(Var(403, "System prompt", lang)));
    }
}

// Without the server's lists a find below 0 says nothing about absence:
// the block keeps the list and language the administrator chose.
TEST_F(PbvTest, ListsAndLanguagesStayWhileTheServersListsAreUnknown)
{
    kvrHandleType* thru = Make(405, "Thru1");
    kvrHandleType* lang = Make(403, "Lang1");
    struct { BOOL fromController; } rows[] = { { FALSE }, { TRUE } };
    for (const auto& r : rows)
    {
        // The fake controller without lists, then the real one in
        // standalone mode.
        m_app.serverKnown = FALSE;
        PXWinApp* pReal = static_cast<PbvEnvironment*>(s_pEnv)->m_pApp;
        pReal->SetStandalone(TRUE);
        PXSoftObj::Init(r.fromController ? static_cast<PXSdoHost*>(pReal) : &m_app);
        *static_cast<long*>(Var(405, "Restriction/permission list", thru)) = 9;
        *static_cast<short*>(Var(403, "System prompt", lang)) = 7;
        PXSoftRecPBV rec(23003, &m_block, thru, 405);
        rec.CheckFinished();
        PXSoftRecPBV lrec(23005, &m_block, lang, 403);
        lrec.CheckFinished();
        EXPECT_EQ(9, *static_cast<long*>(Var(405, "Restriction/permission list", thru))) << r.fromController;
        EXPECT_EQ(7, *static_cast<short*>(Var(403, "System prompt", lang))) << r.fromController;
    }
}

// The real controller with no application active: a block on a list that
// gives up its use gets a message, not the end of the program, and keeps
// its list.
TEST_F(PbvTest, TheRealControllerTakesListUsesWithoutAnApplication)
{
    PXWinApp* pReal = static_cast<PbvEnvironment*>(s_pEnv)->m_pApp;
    PXSoftObj::Init(pReal);
    kvrHandleType* thru = Make(405, "Thru1");
    *static_cast<long*>(Var(405, "Restriction/permission list", thru)) = 8;
    MessageBoxRecorder boxes;
    PXSoftRecPBV rec(23003, &m_block, thru, 405);
    rec.ReleaseResPermRefs();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Select an application window before attempting to remove an import.", boxes.boxes[0].text);
    EXPECT_EQ(8, *static_cast<long*>(Var(405, "Restriction/permission list", thru)));
}

TEST_F(PbvTest, ItemUsesCountOnlyRealItemIds)
{
    kvrHandleType* menu = Make(402, "Menu1");
    kvrHandleType* fax = Make(413, "Fax1");
    struct { const char* value; int counted; } rows[] = {
        { "0", 0 }, { "1", 1 }, { "3000", 1 }, { "3001", 0 }, { "-2", 0 },
    };
    for (const auto& r : rows)
    {
        m_app.voice.clear();
        m_app.fax.clear();
        lstrcpyA(static_cast<char*>(Var(402, "Menu choices", menu)), r.value);
        lstrcpyA(static_cast<char*>(Var(413, "Fax Item", fax)), r.value);
        PXSoftRecPBV mrec(23001, &m_block, menu, 402);
        PXSoftRecPBV frec(23004, &m_block, fax, 413);
        mrec.AddItemRefs();
        frec.AddItemRefs();
        short id = (short)atoi(r.value);
        EXPECT_EQ(r.counted, m_app.voice[id]) << r.value;
        EXPECT_EQ(r.counted, m_app.fax[id]) << r.value;
        mrec.ReleaseItemRefs();
        frec.ReleaseItemRefs();
        EXPECT_EQ(0, m_app.voice[id]);
        EXPECT_EQ(0, m_app.fax[id]);
        mrec.CopyItemsToClip();
        frec.CopyItemsToClip();
        EXPECT_EQ((size_t)r.counted, m_app.clipVoice.size());
        EXPECT_EQ((size_t)r.counted, m_app.clipFax.size());
        m_app.clipVoice.clear();
        m_app.clipFax.clear();
    }
}

TEST_F(PbvTest, ListUsesCountOnlyListIdsAboveZero)
{
    kvrHandleType* thru = Make(405, "Thru1");
    struct { long list; int counted; } rows[] = { { 0, 0 }, { -2, 0 }, { 8, 1 } };
    for (const auto& r : rows)
    {
        m_app.lists.clear();
        m_app.listRefreshes = 0;
        *static_cast<long*>(Var(405, "Restriction/permission list", thru)) = r.list;
        PXSoftRecPBV rec(23003, &m_block, thru, 405);
        rec.AddResPermRefs();
        EXPECT_EQ(r.counted, m_app.lists[r.list]) << r.list;
        EXPECT_EQ(1, m_app.listRefreshes);
        rec.ReleaseResPermRefs();
        EXPECT_EQ(0, m_app.lists[r.list]) << r.list;
        rec.CopyResPermsToClip();
        EXPECT_EQ((size_t)r.counted, m_app.clipLists.size());
        m_app.clipLists.clear();
    }
    // Only Language Select refreshes the imports.
    kvrHandleType* lang = Make(403, "Lang1");
    PXSoftRecPBV lrec(23005, &m_block, lang, 403);
    lrec.RefreshImports();
    PXSoftRecPBV trec(23003, &m_block, thru, 405);
    trec.RefreshImports();
    EXPECT_EQ(1, m_app.importRefreshes);
}

TEST_F(PbvTest, RenumberingStoresEvenWhenTheBlockIsIncomplete)
{
    kvrHandleType* menu = Make(402, "Menu1");
    kvrHandleType* fax = Make(413, "Fax1");
    lstrcpyA(static_cast<char*>(Var(402, "Menu choices", menu)), "5");
    lstrcpyA(static_cast<char*>(Var(402, "Invalid choice", menu)), "5");
    lstrcpyA(static_cast<char*>(Var(402, "No response", menu)), "6");
    lstrcpyA(static_cast<char*>(Var(413, "Fax Item", fax)), "5");
    // Retries without a count of 1 to 5: the record would not verify.
    *static_cast<short*>(Var(402, "Max no responses", menu)) = 1;
    *static_cast<long*>(Var(402, "Max number of no responses", menu)) = 9;
    {
        PXSoftRecPBV rec(23001, &m_block, menu, 402);
        rec.RenumberVoiceItem(5, 17);
        rec.RenumberFaxItem(5, 18);                 // not a fax block: nothing
        PXSoftRecPBV frec(23004, &m_block, fax, 413);
        frec.RenumberVoiceItem(5, 19);              // a fax block: nothing
        frec.RenumberFaxItem(5, 20);
    }
    EXPECT_STREQ("17", static_cast<const char*>(Var(402, "Menu choices", menu)));
    EXPECT_STREQ("17", static_cast<const char*>(Var(402, "Invalid choice", menu)));
    EXPECT_STREQ("6", static_cast<const char*>(Var(402, "No response", menu)));
    EXPECT_STREQ("20", static_cast<const char*>(Var(413, "Fax Item", fax)));
    // A block without item fields changes nothing.
    kvrHandleType* time = Make(406, "Time1");
    PXSoftRecPBV trec(23006, &m_block, time, 406);
    trec.RenumberFaxItem(5, 21);
    EXPECT_EQ(0, trec.GetNbItemFields());
}

// Every variable field of every block record: written through one record,
// stored in the model, saved in the model's part of the program file, read
// back into another program and shown by another record there.
TEST_F(PbvTest, EveryVariableOfEveryRecordRoundTrips)
{
    int n = 0;
    int checked = 0;
    std::vector<std::vector<std::pair<WORD, std::string>>> all;
    for (const TypeRow& t : kTypes)
    {
        std::string name = "Block" + std::to_string(++n);
        kvrHandleType* h = Make(t.type, name.c_str());
        all.emplace_back();
        std::vector<std::pair<WORD, std::string>>& written = all.back();
        {
            PXSoftRecPBV rec(t.def, &m_block, h, t.type);
            PXSection* pData = rec.GetDef()->GetDataSection();
            for (int i = 0; i < pData->GetNbStatements(PXKIND_BODY); ++i)
            {
                PXStatement* pS = pData->GetStatement(PXKIND_BODY, i);
                if (!pS->HasStyle(0x010))
                    continue;
                WORD id = pS->GetParam(0);
                PXFieldValue field(id, &rec);
                switch (pS->GetParam(1))
                {
                case PXST_INT16: field.SetInt16((short)(i + 1)); break;
                case PXST_INT32: field.SetInt32(i + 100); break;
                case PXST_TEXT: field.SetText(("t" + std::to_string(i)).c_str()); break;
                case PXST_TIME: field.SetText(("1" + std::to_string(i % 10) + ":30").c_str()); break;
                case PXST_MONTHANDDAY: field.SetText(("3/" + std::to_string(i + 1)).c_str()); break;
                default: ADD_FAILURE() << id;
                }
                written.push_back({ id, static_cast<const char*>(*field.GetText()) });
                ASSERT_EQ(1, rec.StoreField(id)) << id;
            }
        }
    }

    char szDir[MAX_PATH], szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    ASSERT_NE(0u, GetTempFileNameA(szDir, "pbv", 0, szPath));
    FILE* f = fopen(szPath, "w+");
    ASSERT_NE(nullptr, f);
    ASSERT_EQ(KVR_OK, kvrWriteProgram(f, f, 0));
    rewind(f);
    kvrHandleType* loaded = kvrAddProgram(nullptr, 0);
    ASSERT_EQ(KVR_OK, kvrReadProgram(f, f, KVR_PROMPT_ASK, nullptr));
    fclose(f);
    DeleteFileA(szPath);

    n = 0;
    for (const TypeRow& t : kTypes)
    {
        std::string name = "Block" + std::to_string(++n);
        kvrHandleType* h = kvrFindPowerBlock(name.c_str(), 1, 0);
        ASSERT_NE(nullptr, h) << name;
        PXSoftRecPBV back(t.def, &m_block, h, t.type);
        for (const auto& w : all[n - 1])
        {
            EXPECT_EQ(w.second, static_cast<const char*>(*PXFieldValue(w.first, &back).GetText()))
                << t.def << " field " << w.first;
            ++checked;
        }
    }
    kvrRemoveProgram(loaded);
    kvrActivateProgram(m_prog);
    // Every variable field of the block records.
    EXPECT_EQ(65, checked);
}

namespace {

// The modal seam: what the test does with the sheet once it is up.
std::function<void(HWND)> g_sheetScript;
void RunSheetScript(TWindow* pWnd)
{
    if (g_sheetScript)
        g_sheetScript(pWnd->HWindow);
}

const WORD TPBV_ITEMS = 31850;
const WORD TPBV_NOSHEET = 31860;

} // namespace

// The block's uses of items are given up while its sheet runs and taken
// from what the block holds when it closes, whichever way it closes.
TEST_F(PbvTest, EditingInTheSheetGivesUpTheItemUsesAndTakesThemAgain)
{
    const struct
    {
        int nButton;
        int nResult;
        short sFirstAfter;
        std::vector<int> calls;
    } cases[] = {
        { PSBTN_CANCEL, 0, 5, { -5, -7, 5, 7 } },
        { PSBTN_OK, 1, 9, { -5, -7, 9, 7 } },
    };
    TWindow::TModalHook pfnOld = TWindow::SetModalHook(RunSheetScript);
    int n = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nButton);
        std::string name = "Menu" + std::to_string(++n);
        kvrHandleType* h = Make(402, name.c_str());
        {
            PXSoftRecPBV rec(TPBV_ITEMS, &m_block, h, 402);
            PXFieldValue(28001, &rec).SetInt16(5);
            PXFieldValue(28004, &rec).SetInt16(7);
            ASSERT_EQ(1, rec.Commit());
        }
        m_app.voice.clear();
        m_app.voiceCalls.clear();
        std::vector<int> callsWhileShown;
        g_sheetScript = [&](HWND hSheet) {
            callsWhileShown = m_app.voiceCalls;
            HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            SetWindowTextA(GetDlgItem(hPage, 101), "9");
            SendMessageA(hSheet, PSM_PRESSBUTTON, c.nButton, 0);
        };
        PXSoftRecPBV rec(TPBV_ITEMS, &m_block, h, 402);
        EXPECT_EQ(c.nResult, rec.EditInPropSheet());
        g_sheetScript = nullptr;
        EXPECT_EQ((std::vector<int>{ -5, -7 }), callsWhileShown);
        EXPECT_EQ(c.calls, m_app.voiceCalls);
        // The model keeps these item variables as text.
        EXPECT_STREQ(std::to_string(c.sFirstAfter).c_str(), static_cast<const char*>(Var(402, "Menu choices", h)));
        EXPECT_STREQ("7", static_cast<const char*>(Var(402, "No response", h)));
    }
    TWindow::SetModalHook(pfnOld);
}

// A sheet that cannot be made leaves the block's item uses as they were.
TEST_F(PbvTest, ASheetThatCannotBeMadeGivesBackTheItemUses)
{
    kvrHandleType* h = Make(402, "Menu");
    PXSoftRecPBV rec(TPBV_NOSHEET, &m_block, h, 402);
    PXFieldValue(28001, &rec).SetInt16(5);
    PXFieldValue(28004, &rec).SetInt16(7);
    ASSERT_EQ(1, rec.Commit());
    m_app.voice.clear();
    m_app.voiceCalls.clear();
    int nDescr = 0;
    try
    {
        rec.EditInPropSheet();
    }
    catch (const PXException& e)
    {
        nDescr = e.m_nDescr;
    }
    EXPECT_EQ(1553, nDescr);
    EXPECT_EQ((std::vector<int>{ -5, -7, 5, 7 }), m_app.voiceCalls);
    EXPECT_EQ(0, m_app.voice[5]);
    EXPECT_EQ(0, m_app.voice[7]);
    EXPECT_STREQ("5", static_cast<const char*>(Var(402, "Menu choices", h)));
}

// Whatever the sheet's end (here it cannot be shown: this program has no
// page templates), a Thru-Dial block drops the server record first, so that
// its sheet reads the server's lists afresh, and its list and item uses are
// given up and taken again; a Language Select block refreshes the imports.
TEST_F(PbvTest, TheBlockSheetsOwnPreparationsRunWhateverTheSheetsEnd)
{
    const struct
    {
        int nType;
        WORD wDef;
        int nFreed;
        int nImportRefreshes;
    } cases[] = {
        { 405, 23003, 1, 0 },
        { 413, 23004, 0, 0 },
        { 403, 23005, 0, 1 },
    };
    int n = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.wDef);
        std::string name = "Block" + std::to_string(++n);
        kvrHandleType* h = Make(c.nType, name.c_str());
        if (c.wDef == 23003)
        {
            PXSoftRecPBV rec(c.wDef, &m_block, h, c.nType);
            PXFieldValue(28021, &rec).SetInt16(12);
            PXFieldValue(28026, &rec).SetInt32(40);
            ASSERT_EQ(1, rec.StoreField(28021));
            ASSERT_EQ(1, rec.StoreField(28026));
        }
        m_app = TestApp();
        PXSoftRecPBV rec(c.wDef, &m_block, h, c.nType);
        EXPECT_EQ(-1, rec.EditInPropSheet());
        EXPECT_EQ(c.nFreed, m_app.serverRecordsFreed);
        EXPECT_EQ(c.nImportRefreshes, m_app.importRefreshes);
        if (c.wDef == 23003)
        {
            EXPECT_EQ((std::vector<int>{ -12, 12 }), m_app.voiceCalls);
            EXPECT_EQ(0, m_app.lists[40]);
            EXPECT_EQ(1, m_app.listRefreshes);
        }
    }
}
