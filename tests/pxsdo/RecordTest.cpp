// Soft records: cells over storage, commit and drop, copies, and the
// verification with its messages.
#include "RecordTestSupport.h"
#include "PXSRecDf.h"
#include "PXSdoTestAlloc.h"

#include <memory>

namespace {

std::unique_ptr<PXSoftRecMem> NewRec(WORD wType)
{
    return std::unique_ptr<PXSoftRecMem>(new PXSoftRecMem(wType));
}

template <class T> T& Stored(PXSoftRec* pRec, WORD wFieldId)
{
    return *static_cast<T*>(pRec->GetFieldMem(wFieldId));
}

// A record with a text stored as characters in a fixed array.
class CharRec : public PXSoftRecMem
{
public:
    CharRec() : PXSoftRecMem(TREC_CHAR), m_sCount(0) { lstrcpyA(m_szNote, "old"); m_szGuard[0] = 'G'; }
    void* GetFieldMem(WORD wFieldId) override
    {
        if (wFieldId == TF_NOTE)
            return m_szNote;
        return &m_sCount;
    }
    int GetCharFieldSize(WORD wFieldId) override { return sizeof(m_szNote); }

    char m_szNote[8];
    char m_szGuard[4];
    short m_sCount;
};

} // namespace

TEST(SoftRec, NewRecordReadsDefaultsAndPreparesStorageOnFirstRead)
{
    auto rec = NewRec(TREC_ALL);
    EXPECT_EQ(TREC_ALL, rec->GetTypeId());
    EXPECT_FALSE(rec->IsPrepared());
    EXPECT_EQ(0, *PXFieldValue(TF_INT16, rec.get()).GetInt16());
    EXPECT_TRUE(rec->IsPrepared());
    EXPECT_EQ("", TextOf(rec.get(), TF_TEXT));
    EXPECT_EQ("No", TextOf(rec.get(), TF_BOOL));
    EXPECT_EQ("0", TextOf(rec.get(), TF_INT32));
    EXPECT_EQ(0, PXFieldValue(TF_ROWS, rec.get()).GetRecArray()->GetSize());
    EXPECT_FALSE(rec->IsModified());
}

// Storage that could not all be made is finished on the next access, so a
// record that once ran out of memory still reaches every field.
TEST(SoftRec, StorageLeftHalfMadeIsFinishedOnTheNextAccess)
{
    auto rec = NewRec(TREC_ALL);
    // The three tables and the first field's storage are made; the second
    // field's is not.
    FailNothrowAllocationAfter(4);
    EXPECT_THROW(rec->GetFieldMem(TF_INT16), PXXMem);
    ResetNothrowAllocation();
    EXPECT_NE(nullptr, rec->GetFieldMem(TF_ROWS));
    EXPECT_NE(nullptr, rec->GetFieldMem(TF_INT32));
    PXFieldValue(TF_INT32, rec.get()).SetInt32(42);
    EXPECT_EQ(1, rec->Commit());
    EXPECT_EQ(42, *static_cast<long*>(rec->GetFieldMem(TF_INT32)));
}

TEST(SoftRec, CellsConvertFromTheirFirstValueAndWritesReachEveryView)
{
    auto rec = NewRec(TREC_ALL);
    Stored<long>(rec.get(), TF_INT32) = 41;
    PXVirtualField* pCell = rec->GetCell(TF_INT32);
    EXPECT_FALSE(pCell->HasValues());
    EXPECT_EQ(41, *PXFieldValue(TF_INT32, rec.get()).GetInt32());
    EXPECT_EQ(PXST_INT32, pCell->GetSourceValue()->GetType());
    EXPECT_EQ("41", TextOf(rec.get(), TF_INT32));
    EXPECT_EQ(PXST_INT32, pCell->GetSourceValue()->GetType());
    PXFieldValue(TF_INT32, rec.get()).SetText("7");
    EXPECT_EQ(7, *PXFieldValue(TF_INT32, rec.get()).GetInt32());
    EXPECT_EQ("7", TextOf(rec.get(), TF_INT32));
    EXPECT_TRUE(pCell->IsModified());
    EXPECT_TRUE(rec->IsModified());
    // Nothing is stored before the commit.
    EXPECT_EQ(41, Stored<long>(rec.get(), TF_INT32));
}

TEST(SoftRec, CommitStoresOnlyWrittenFieldsAndDropsEveryCell)
{
    auto rec = NewRec(TREC_ALL);
    Stored<short>(rec.get(), TF_INT16) = 5;
    EXPECT_EQ(5, *PXFieldValue(TF_INT16, rec.get()).GetInt16());     // read only
    PXFieldValue(TF_TEXT, rec.get()).SetText("hello");
    // A read-only cell changed behind the record's back is not stored.
    *PXFieldValue(TF_INT16, rec.get()).GetInt16() = 9;
    EXPECT_EQ(1, rec->Commit());
    EXPECT_EQ(0, rec->GetNbCells());
    EXPECT_EQ(5, Stored<short>(rec.get(), TF_INT16));
    EXPECT_EQ("hello", std::string(Stored<CString>(rec.get(), TF_TEXT)));
}

TEST(SoftRec, DropCellsThrowsTheEditsAway)
{
    auto rec = NewRec(TREC_ALL);
    PXFieldValue(TF_TEXT, rec.get()).SetText("draft");
    rec->DropCells();
    EXPECT_EQ(0, rec->GetNbCells());
    EXPECT_EQ("", TextOf(rec.get(), TF_TEXT));
}

TEST(SoftRec, TruthFieldsStoreTheirTexts)
{
    struct { const char* text; long stored; const char* storedText; } cases[] = {
        { "No", 0, "" }, { "0", 0, "" }, { "Yes", 1, "1" }, { "maybe", 1, "1" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        auto rec = NewRec(TREC_ALL);
        PXFieldValue(TF_BOOL, rec.get()).SetText(c.text);
        PXFieldValue(TF_BOOLSTR, rec.get()).SetText(c.text);
        ASSERT_EQ(1, rec->Commit());
        EXPECT_EQ(c.stored, Stored<long>(rec.get(), TF_BOOL));
        // A truth field stored as a text keeps the field's text.
        EXPECT_EQ(c.text, std::string(Stored<CString>(rec.get(), TF_BOOLSTR)));
        EXPECT_EQ(c.stored ? "Yes" : "No", TextOf(rec.get(), TF_BOOL));
    }
}

TEST(SoftRec, CharFieldsAreStoredWithinTheirArray)
{
    CharRec rec;
    EXPECT_EQ("old", TextOf(&rec, TF_NOTE));
    PXFieldValue(TF_NOTE, &rec).SetText("a note far longer than eight");
    ASSERT_EQ(1, rec.Commit());
    EXPECT_STREQ("a note ", rec.m_szNote);
    EXPECT_EQ('G', rec.m_szGuard[0]);
}

TEST(SoftRec, MemoryRepresentationFollowsTheStyleOrTheType)
{
    auto rec = NewRec(TREC_ALL);
    struct { WORD field; PX_FLDS_MEM rep; } cases[] = {
        { TF_INT16, PXFM_INT16 }, { TF_INT32, PXFM_INT32 }, { TF_TEXT, PXFM_STRING },
        { TF_BOOL, PXFM_BOOL }, { TF_ROWS, PXFM_OBARRAY }, { TF_TIME, PXFM_STRING },
        { TF_BOOLSTR, PXFM_STRING },
    };
    for (auto& c : cases)
        EXPECT_EQ(c.rep, rec->GetMemRep(c.field)) << c.field;
    CharRec charRec;
    EXPECT_EQ(PXFM_CHAR, charRec.GetMemRep(TF_NOTE));
    EXPECT_EQ(PXFM_INT16, charRec.GetMemRep(TF_COUNT));
    EXPECT_PXASSERT(rec->GetFieldMem(12345), "(0)");
}

TEST(SoftRec, CopyFromLandsInCellsUntilCommit)
{
    auto from = NewRec(TREC_ALL);
    PXFieldValue(TF_INT16, from.get()).SetInt16(-4);
    PXFieldValue(TF_TEXT, from.get()).SetText("copied");
    PXFieldValue(TF_BOOL, from.get()).SetText("Yes");
    PXFieldValue(TF_TIME, from.get()).SetText("09:05");
    ASSERT_EQ(1, from->Commit());

    auto to = NewRec(TREC_ALL);
    to->CopyFrom(*from);
    EXPECT_EQ(0, Stored<short>(to.get(), TF_INT16));
    EXPECT_EQ("", std::string(Stored<CString>(to.get(), TF_TEXT)));
    EXPECT_EQ("copied", TextOf(to.get(), TF_TEXT));
    ASSERT_EQ(1, to->Commit());
    EXPECT_EQ(-4, Stored<short>(to.get(), TF_INT16));
    EXPECT_EQ("copied", std::string(Stored<CString>(to.get(), TF_TEXT)));
    EXPECT_EQ(1, Stored<long>(to.get(), TF_BOOL));
    // Times and dates are copied as their stored text, set or not.
    EXPECT_EQ("09:05", std::string(Stored<CString>(to.get(), TF_TIME)));
    EXPECT_EQ("", std::string(Stored<CString>(to.get(), TF_DATE)));

    auto other = NewRec(TREC_ROW);
    EXPECT_PXASSERT(to->CopyFrom(*other), "GetID()==rSoftRec.GetID()");
}

TEST(SoftRec, RecordsOfATypeShareOneDefinition)
{
    PXObject* pOb = nullptr;
    {
        auto a = NewRec(TREC_ROW);
        auto b = NewRec(TREC_ROW);
        EXPECT_EQ(a->GetDef(), b->GetDef());
        EXPECT_EQ(2, a->GetDef()->GetRefCount());
        EXPECT_TRUE(PXGetSoftDefCache().Lookup(TREC_ROW, pOb));
    }
    EXPECT_FALSE(PXGetSoftDefCache().Lookup(TREC_ROW, pOb));
}

TEST(SoftRec, FactoryMakesPlainAndTypedRecords)
{
    std::unique_ptr<PXSoftRec> plain(PXSoftRec::Create(TREC_ROW, FALSE));
    EXPECT_NE(nullptr, dynamic_cast<PXSoftRecMem*>(plain.get()));
    for (WORD wType : { 22004, 22801, 22802, 22807 })
    {
        std::unique_ptr<PXSoftRec> typed(PXSoftRec::Create(wType, TRUE));
        EXPECT_EQ(wType, typed->GetTypeId());
        EXPECT_NE(nullptr, dynamic_cast<PXSoftRecDataLink*>(typed.get()));
    }
    EXPECT_PXASSERT(PXSoftRec::Create(TREC_ROW, TRUE), "(pfnMaker!=0)");
}

// ---------------------------------------------------------------------------
// Verification

TEST(Verify, UnmodifiedRecordsPassWithoutLooking)
{
    auto rec = NewRec(TREC_SILENT);     // Count 0 would be refused
    EXPECT_EQ(1, rec->Verify(FALSE));
    EXPECT_EQ(1, rec->Commit());
}

TEST(Verify, StopAtFirstShowsOneMessageAndKeepsTheCells)
{
    auto rec = NewRec(TREC_STOPFIRST);
    PXFieldValue(TF_COUNT, rec.get()).SetInt16(25);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, rec->Commit());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Above ten.", boxes.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    }
    EXPECT_EQ(25, *PXFieldValue(TF_COUNT, rec.get()).GetInt16());
    EXPECT_EQ(0, Stored<short>(rec.get(), TF_COUNT));
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, rec->Verify(TRUE));    // check only: nothing shown
        EXPECT_TRUE(boxes.boxes.empty());
    }
    PXFieldValue(TF_COUNT, rec.get()).SetInt16(3);
    EXPECT_EQ(1, rec->Commit());
    EXPECT_EQ(3, Stored<short>(rec.get(), TF_COUNT));
}

TEST(Verify, WarningsAreAllShownAndTheCommitGoesThrough)
{
    auto rec = NewRec(TREC_WARN);
    PXFieldValue(TF_COUNT, rec.get()).SetInt16(25);
    MessageBoxRecorder boxes;
    EXPECT_EQ(1, rec->Commit());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("Above ten.", boxes.boxes[0].text);
    EXPECT_EQ("Above twenty.", boxes.boxes[1].text);
    EXPECT_EQ(25, Stored<short>(rec.get(), TF_COUNT));
}

TEST(Verify, SilentRefusalShowsNothingButBeeps)
{
    auto rec = NewRec(TREC_SILENT);
    PXFieldValue(TF_COUNT, rec.get()).SetInt16(0);
    MessageBoxRecorder boxes;
    BeepRecorder beeps;
    EXPECT_EQ(0, rec->Commit());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(1, beeps.nBeeps);
    // Check-only verification stays quiet.
    EXPECT_EQ(0, rec->Verify(TRUE));
    EXPECT_EQ(1, beeps.nBeeps);
    PXFieldValue(TF_COUNT, rec.get()).SetInt16(1);
    EXPECT_EQ(1, rec->Commit());
    EXPECT_EQ(1, beeps.nBeeps);
}

TEST(Verify, MessagesInsertTheFieldNameAndText)
{
    struct { short count; const char* code; const char* text; } cases[] = {
        { 7, "", "Field Count holds 7." },
        { 8, "K-9", "Code is K-9." },
    };
    for (auto& c : cases)
    {
        auto rec = NewRec(TREC_INSERTS);
        PXFieldValue(TF_COUNT, rec.get()).SetInt16(c.count);
        PXFieldValue(TF_CODE, rec.get()).SetText(c.code);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, rec->Commit());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.text, boxes.boxes[0].text);
    }
}

TEST(Verify, ComposedMessagesReadAsTheirCondition)
{
    struct { WORD type; short count; const char* code; const char* other; const char* text; } cases[] = {
        { 31040, 3, "", "", "The value for \"Count\" should be in the range (inclusive) [1, 5]" },
        { 31041, 5, "", "", "The value for \"Count\" should not be in the range (exclusive) [1, 5]" },
        { 31042, 0, "ABC", "", "The value for \"Code\" should be equal to ABC" },
        { 31043, 0, "Q", "", "The value for \"Code\" should not be equal to ABC" },
        { 31044, 0, "B", "A",
          "The value for \"Code\" should be greater than or equal to the value for \"Other code\" " },
        { 31045, 0, "AAA", "", "The value for \"Code\" should be less than or equal to ABC" },
        { 31046, 0, "AAA", "", "The value for \"Code\" should be less than ABC" },
        { 31047, 0, "", "", "The value for \"Code\" should be blank " },
        { 31048, 0, "", "", "The value for \"Code\" should not be in the range (inclusive) [ABC, XYZ]" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(c.type);
        auto rec = NewRec(c.type);
        PXFieldValue(TF_COUNT, rec.get()).SetInt16(c.count);
        PXFieldValue(TF_CODE, rec.get()).SetText(c.code);
        PXFieldValue(TF_OTHER, rec.get()).SetText(c.other);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, rec->Commit());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.text, boxes.boxes[0].text);
    }
}
