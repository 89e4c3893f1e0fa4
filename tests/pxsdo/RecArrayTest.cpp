// Record arrays: positions under removals and additions, merge of an
// overlay, commit into the stored list, the sorted array and the finders.
#include "RecordTestSupport.h"
#include "PXSObjDf.h"

#include <memory>
#include <vector>

namespace {

// A stored list of plain rows numbered 0..n-1, deleted with its rows.
struct StoredRows
{
    explicit StoredRows(int n) { FillRows(list, n); }
    ~StoredRows()
    {
        for (int i = 0; i < list.GetSize(); ++i)
            delete list.GetAt(i);
    }
    std::vector<long> Numbers()
    {
        std::vector<long> v;
        for (int i = 0; i < list.GetSize(); ++i)
            v.push_back(NumberOf(static_cast<PXSoftRec*>(list.GetAt(i))));
        return v;
    }
    PXObArray list;
};

std::vector<long> Numbers(PXRecArray& a)
{
    std::vector<long> v;
    for (int i = 0; i < a.GetSize(); ++i)
        v.push_back(NumberOf(a.GetAt(i)));
    return v;
}

PXSoftRec* NewRow(long n)
{
    PXSoftRec* pRow = PXSoftRec::Create(TREC_ROW, FALSE);
    PXFieldValue(TF_NUMBER, pRow).SetInt32(n);
    return pRow;
}

} // namespace

TEST(RecArray, RemovalsKeepPositions)
{
    StoredRows rows(10);
    PXRecArray a(&rows.list);
    EXPECT_EQ(10, a.GetSize());
    a.RemoveAt(0);
    a.RemoveAt(4);
    EXPECT_EQ(8, a.GetSize());
    EXPECT_EQ(6, NumberOf(a.GetAt(4)));
    EXPECT_EQ((std::vector<long>{ 1, 2, 3, 4, 6, 7, 8, 9 }), Numbers(a));
    EXPECT_EQ(10, rows.list.GetSize());
}

TEST(RecArray, RemovingAnEditCopyKeepsLaterCopiesAndAdditions)
{
    StoredRows rows(5);
    PXRecArray a(&rows.list);
    PXFieldValue(TF_NUMBER, a.GetAt(3)).SetInt32(33);
    PXFieldValue(TF_NUMBER, a.GetAt(2)).SetInt32(22);
    EXPECT_EQ(5, a.Add(NewRow(50)));
    EXPECT_EQ(2, a.m_nEdited);
    a.RemoveAt(2);
    EXPECT_EQ(1, a.m_nEdited);
    EXPECT_EQ(1, a.m_nRemoved);
    EXPECT_EQ((std::vector<long>{ 0, 1, 33, 4, 50 }), Numbers(a));
}

TEST(RecArray, RemovingAnAddedRecordMovesTheLaterOnesDown)
{
    StoredRows rows(2);
    PXRecArray a(&rows.list);
    EXPECT_EQ(2, a.Add(NewRow(100)));
    EXPECT_EQ(3, a.Add(NewRow(101)));
    EXPECT_EQ(4, a.Add(NewRow(102)));
    a.RemoveAt(2);
    EXPECT_EQ(2, a.m_nAdded);
    EXPECT_EQ((std::vector<long>{ 0, 1, 101, 102 }), Numbers(a));
}

TEST(RecArray, AddAfterARemovalAnswersTheVisibleIndex)
{
    StoredRows rows(3);
    PXRecArray a(&rows.list);
    a.RemoveAt(1);
    EXPECT_EQ(2, a.Add(NewRow(7)));
    EXPECT_EQ(3, a.GetSize());
    EXPECT_EQ((std::vector<long>{ 0, 2, 7 }), Numbers(a));
}

TEST(RecArray, ReadingMakesEditCopiesAndCommitKeepsTheValues)
{
    StoredRows rows(3);
    PXRecArray a(&rows.list);
    for (int i = 0; i < a.GetSize(); ++i)
        EXPECT_NE(rows.list.GetAt(i), a.GetAt(i));
    EXPECT_EQ(3, a.m_nEdited);
    EXPECT_EQ(a.GetAt(1), a.GetAt(1));
    PXRecArray overlay(&a);
    EXPECT_EQ(1, overlay.Commit());
    EXPECT_EQ((std::vector<long>{ 0, 1, 2 }), rows.Numbers());
}

TEST(RecArray, OverlaysSeeTheirParentsChangesWithoutChangingThem)
{
    StoredRows rows(4);
    PXRecArray a(&rows.list);
    PXFieldValue(TF_NUMBER, a.GetAt(1)).SetInt32(11);
    a.RemoveAt(3);
    a.Add(NewRow(40));
    PXRecArray overlay(&a);
    EXPECT_EQ((std::vector<long>{ 0, 11, 2, 40 }), Numbers(overlay));
    EXPECT_EQ(4, overlay.m_nEdited);
    EXPECT_EQ(1, a.m_nEdited);
}

TEST(RecArray, MergeReplaysAnOverlayIntoItsParent)
{
    StoredRows rows(3);
    PXRecArray a(&rows.list);
    {
        PXRecArray overlay(&a);
        PXFieldValue(TF_NUMBER, overlay.GetAt(2)).SetInt32(20);
        overlay.Add(NewRow(30));
        overlay.Add(NewRow(31));
        overlay.RemoveAt(0);
        a.Merge(overlay);
    }
    EXPECT_EQ(2, a.m_nAdded);
    EXPECT_EQ(1, a.m_nRemoved);
    EXPECT_EQ(1, a.m_nEdited);
    EXPECT_EQ((std::vector<long>{ 1, 20, 30, 31 }), Numbers(a));
    EXPECT_EQ((std::vector<long>{ 0, 1, 2 }), rows.Numbers());

    PXRecArray commit(&a);
    EXPECT_EQ(1, commit.Commit());
    EXPECT_EQ((std::vector<long>{ 1, 20, 30, 31 }), rows.Numbers());
}

TEST(RecArray, MergeOfUnrelatedArrays)
{
    StoredRows rows(2);
    PXRecArray a(&rows.list);
    PXRecArray same(&rows.list);
    a.Merge(same);      // the same stored list: nothing to do
    EXPECT_EQ(2, a.GetSize());
    PXRecArray empty;
    empty.Merge(a);     // an empty array takes over the stored list
    EXPECT_EQ(2, empty.GetSize());
    a.Add(NewRow(9));
    PXRecArray other;
    EXPECT_PXASSERT(other.Merge(a), "m_nAdded==0");
}

// A list field of a record: the record's commit applies the list's
// changes; a row refused by its own verification refuses the record's
// commit, changes nothing in the list and keeps the edit.
TEST(RecArray, RecordCommitCarriesARefusedRowUp)
{
    PXSoftRecMem rec(TREC_ALL);
    PXObArray& stored = *static_cast<PXObArray*>(rec.GetFieldMem(TF_ROWS));
    FillRows(stored, 2);

    {
        PXRecArray edit(PXFieldValue(TF_ROWS, &rec).GetRecArray());
        PXFieldValue(TF_NUMBER, edit.GetAt(0)).SetInt32(500);
        edit.Add(NewRow(60));
        PXFieldValue(TF_ROWS, &rec).SetRecArray(edit);
    }
    PXFieldValue(TF_TEXT, &rec).SetText("kept");
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, rec.Commit());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The field 'Number' is too large.", boxes.boxes[0].text);
    }
    EXPECT_EQ(2, stored.GetSize());
    EXPECT_EQ(0, *static_cast<long*>(static_cast<PXSoftRec*>(stored.GetAt(0))->GetFieldMem(TF_NUMBER)));
    // The other fields were stored; the list's cell stays for correction.
    EXPECT_EQ("kept", std::string(*static_cast<CString*>(rec.GetFieldMem(TF_TEXT))));
    EXPECT_EQ(1, rec.GetNbCells());
    PXRecArray* pList = PXFieldValue(TF_ROWS, &rec).GetRecArray();
    EXPECT_EQ((std::vector<long>{ 500, 1, 60 }), Numbers(*pList));

    PXFieldValue(TF_NUMBER, pList->GetAt(0)).SetInt32(50);
    EXPECT_EQ(1, rec.Commit());
    ASSERT_EQ(3, stored.GetSize());
    // The added row holds the copied values in its cells (a joining record
    // does its own work in Insert); read them as every reader does.
    std::vector<long> numbers;
    for (int i = 0; i < stored.GetSize(); ++i)
        numbers.push_back(NumberOf(static_cast<PXSoftRec*>(stored.GetAt(i))));
    EXPECT_EQ((std::vector<long>{ 50, 1, 60 }), numbers);
}

namespace {

// A record whose store of its text field fails once, as an item's store
// fails when its text cannot be allocated.
class FailingStoreRec : public PXSoftRecMem
{
public:
    FailingStoreRec() : PXSoftRecMem(TREC_ALL) {}
    int StoreField(WORD wFieldId) override
    {
        if (wFieldId == TF_TEXT && m_bFail)
        {
            m_bFail = false;
            PXTHROW_XMEM(0);
        }
        return PXSoftRecMem::StoreField(wFieldId);
    }

private:
    bool m_bFail = true;
};

} // namespace

TEST(RecArray, ACommitFailingAfterItStoredAListNeverAppliesTheListTwice)
{
    FailingStoreRec rec;
    PXObArray& stored = *static_cast<PXObArray*>(rec.GetFieldMem(TF_ROWS));
    FillRows(stored, 2);
    {
        PXRecArray edit(PXFieldValue(TF_ROWS, &rec).GetRecArray());
        edit.RemoveAt(0);
        edit.Add(NewRow(60));
        PXFieldValue(TF_ROWS, &rec).SetRecArray(edit);
    }
    PXFieldValue(TF_TEXT, &rec).SetText("later");
    auto numbers = [&stored] {
        std::vector<long> v;
        for (int i = 0; i < stored.GetSize(); ++i)
            v.push_back(NumberOf(static_cast<PXSoftRec*>(stored.GetAt(i))));
        return v;
    };

    EXPECT_THROW(rec.Commit(), PXXMem);
    EXPECT_EQ((std::vector<long>{ 1, 60 }), numbers());
    // The list is in the storage already: committing again stores the
    // text and leaves the list as it is.
    EXPECT_EQ(1, rec.Commit());
    EXPECT_EQ((std::vector<long>{ 1, 60 }), numbers());
    EXPECT_EQ("later", std::string(*static_cast<CString*>(rec.GetFieldMem(TF_TEXT))));
}

TEST(RecArray, ArraysFreeTheirBookkeeping)
{
    PXObject* pOb = nullptr;
    {
        StoredRows rows(3);
        {
            PXRecArray a(&rows.list);
            a.GetAt(0);
            a.GetAt(1);
            a.Add(NewRow(5));
            a.RemoveAt(1);
            a.Add(NewRow(6));
            a.RemoveAt(2);
            // Three stored rows, the edit copy of row 0 and the added row 6.
            ASSERT_TRUE(PXGetSoftDefCache().Lookup(TREC_ROW, pOb));
            EXPECT_EQ(5, static_cast<PXSoftObjDef*>(pOb)->GetRefCount());
            EXPECT_EQ((std::vector<long>{ 0, 2, 6 }), Numbers(a));
        }
        // Only the stored rows still hold the definition.
        ASSERT_TRUE(PXGetSoftDefCache().Lookup(TREC_ROW, pOb));
        EXPECT_EQ(3, static_cast<PXSoftObjDef*>(pOb)->GetRefCount());
    }
    EXPECT_FALSE(PXGetSoftDefCache().Lookup(TREC_ROW, pOb));
}

TEST(RecArray, CommitPreconditions)
{
    StoredRows rows(1);
    PXRecArray a(&rows.list);
    EXPECT_PXASSERT(a.Commit(), "m_pParent!=0");
    PXRecArray overlay(&a);
    overlay.Add(NewRow(1));
    EXPECT_PXASSERT(overlay.Commit(), "m_nAdded==0");
    PXRecArray loose;
    PXRecArray overLoose(&loose);
    EXPECT_PXASSERT(overLoose.Commit(), "pRAB->m_pObArray!=0");
}

TEST(SortRecArray, TiesOrderEarliestFirstAscendingLatestFirstDescending)
{
    struct { std::vector<long> values; BOOL ascending; std::vector<int> order; } cases[] = {
        { { 3, 5, 5 }, FALSE, { 2, 1, 0 } },
        { { 5, 3, 3 }, TRUE, { 1, 2, 0 } },
        { { 2, 1, 3 }, TRUE, { 1, 0, 2 } },
        { { 2, 1, 3 }, FALSE, { 2, 0, 1 } },
        { { 4 }, TRUE, { 0 } },
    };
    for (auto& c : cases)
    {
        PXObArray list;
        for (long v : c.values)
        {
            PXSoftRec* pRow = NewRow(v);
            PXFieldValue(TF_LABEL, pRow).SetText(CString('a', 1) + CString(static_cast<char>('0' + list.GetSize())));
            pRow->Commit();
            list.Add(pRow);
        }
        {
            PXSortRecArray sorted(&list);
            EXPECT_EQ(c.values[0], NumberOf(sorted.GetAt(0)));  // unsorted: visible order
            sorted.Sort(TF_NUMBER, c.ascending);
            for (size_t i = 0; i < c.order.size(); ++i)
            {
                std::string label = TextOf(sorted.GetAt(static_cast<int>(i)), TF_LABEL);
                EXPECT_EQ(std::string("a") + char('0' + c.order[i]), label) << i;
            }
            // Finders over the sorted positions.
            PXSoftRec* pProbe = NewRow(c.values[c.order[0]]);
            EXPECT_EQ(0, PXFindRecIndexSorted(TF_NUMBER, PXFieldValue(TF_NUMBER, pProbe), sorted));
            delete pProbe;
        }
        for (int i = 0; i < list.GetSize(); ++i)
            delete list.GetAt(i);
    }
}

TEST(Finders, FindByValueIntTextAndStringId)
{
    StoredRows rows(4);
    PXRecArray a(&rows.list);
    EXPECT_EQ(2, PXFindRecIndexByInt(TF_NUMBER, 2, a));
    EXPECT_EQ(-1, PXFindRecIndexByInt(TF_NUMBER, 9, a));
    EXPECT_EQ(3, PXFindRecIndexByText(TF_LABEL, "row 3", a));
    EXPECT_EQ(-1, PXFindRecIndexByText(TF_LABEL, "ROW 3", a));
    std::unique_ptr<PXSoftRec> probe(NewRow(1));
    EXPECT_EQ(1, PXFindRecIndexByValue(TF_NUMBER, PXFieldValue(TF_NUMBER, probe.get()), a));
    PXFieldValue(TF_LABEL, a.GetAt(0)).SetText("ABC");
    EXPECT_EQ(0, PXFindRecIndexByStringId(TF_LABEL, TS_ABC, a));
    EXPECT_PXASSERT(PXFindRecIndexByStringId(TF_NUMBER, TS_ABC, a), "(0)");

    PXObArray none;
    PXRecArray empty(&none);
    EXPECT_EQ(-1, PXFindRecIndexByInt(TF_NUMBER, 0, empty));
    EXPECT_EQ(-1, PXFindRecIndexByText(TF_LABEL, "", empty));
    EXPECT_EQ(-1, PXFindRecIndexByStringId(TF_NUMBER, TS_ABC, empty));
}
