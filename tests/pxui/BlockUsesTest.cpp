// The controller as the block records' service: uses of items and lists by
// blocks counted in the active application, the clipboard application that
// copied blocks fill, and the server's lists, which standalone mode does
// not know.
#include "PXUITestSupport.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXResPermItem.h"
#include "PXSoftRecPBV.h"
#include "PXUserApp.h"
#include "PXVoiceItem.h"
#include "PXWinApp.h"
#include "plexmodel.h"

#include <memory>
#include <string>

namespace {

struct NoBlock : PXPowerBlockLink
{
    const char* GetDescription() const override { return ""; }
    void SetDescription(const char*) override {}
    BOOL IsOutputShown(int) const override { return TRUE; }
};

// The active application "Items" with voice item 3 "Hello" and fax item 5
// "Doc", over a program of the application model with a page "Main".
class BlockUses : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        s_pszProgram = "C:\\progs\\Items.ed";
        program = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, program);
        kvrActivateProgram(program);
        kvrActivatePage(kvrCreatePage("Main", KVR_PAGE_NORMAL, 0));
        userApp = new PXUserApp(s_pszProgram);
        PXFieldValue(25255, userApp).SetInt32(4711);
        ASSERT_EQ(1, userApp->Commit());
        app->AddUserApp(userApp);
        ASSERT_EQ(1, AddItem(25251, 22801, 25300, 25301, "Hello", 3));
        ASSERT_EQ(1, AddItem(25252, 22802, 25320, 25321, "Doc", 5));
    }
    void TearDown() override
    {
        RegisteredController::TearDown();
        kvrRemoveProgram(program);
    }

    int AddItem(WORD wList, WORD wType, WORD wName, WORD wId, const char* pszName, short sId)
    {
        PXSoftRec* pRec = PXSoftRec::Create(wType, FALSE);
        PXFieldValue(wName, pRec).SetText(pszName);
        PXFieldValue(wId, pRec).SetInt16(sId);
        PXRecArray edit(PXFieldValue(wList, userApp).GetRecArray());
        edit.Add(pRec);
        PXFieldValue(wList, userApp).SetRecArray(edit);
        return userApp->Commit();
    }
    kvrHandleType* Make(int nType, const char* pszName)
    {
        int retry = 1;
        kvrHandleType* h = kvrCreatePowerBlock(nType, pszName, &retry, "");
        EXPECT_NE(nullptr, h) << pszName;
        return h;
    }
    static void* Var(int nType, const char* pszName, kvrHandleType* h)
    {
        return kvrSDOGetSymbolPtr(nType, pszName, h, kvrSDOGetSymbolOffset(nType, pszName));
    }
    // A ThruDial block on list lListId.
    kvrHandleType* ThruDial(const char* pszName, long lListId)
    {
        kvrHandleType* h = Make(405, pszName);
        *static_cast<long*>(Var(405, "Restriction/permission list", h)) = lListId;
        return h;
    }
    PXObArray& Stored(PXUserApp* pApp, WORD wList)
    {
        return *static_cast<PXObArray*>(pApp->GetFieldMem(wList));
    }
    long Int(PXSoftRec* pRec, WORD wField) { return *PXFieldValue(wField, pRec).GetInt32(); }
    std::string Text(PXSoftRec* pRec, WORD wField)
    {
        return static_cast<const char*>(*PXFieldValue(wField, pRec).GetText());
    }
    // The use count of list lListId in the active application, 0 without
    // an entry.
    long ListUses(long lListId)
    {
        int n = userApp->FindResPermItem(lListId);
        return n < 0 ? 0 : Int(static_cast<PXSoftRec*>(Stored(userApp, 25286).GetAt(n)), 25379);
    }

    kvrHandleType* program = nullptr;
    PXUserApp* userApp = nullptr;
    NoBlock block;
};

} // namespace

TEST(BlockRecordApp, TheControllerServesBlockRecordsForItsLifetime)
{
    PXSoftObj::Leave(PXSoftObj::GetApp());
    {
        PXWinApp app(GetModuleHandleA(nullptr));
        EXPECT_EQ(static_cast<PXSdoHost*>(&app), PXSoftObj::GetApp());
    }
    EXPECT_EQ(nullptr, PXSoftObj::GetApp());

    // A controller that is no longer the registered one leaves the
    // registration alone when it goes.
    PXWinApp* pOld = new PXWinApp(GetModuleHandleA(nullptr));
    {
        PXWinApp current(GetModuleHandleA(nullptr));
        delete pOld;
        EXPECT_EQ(static_cast<PXSdoHost*>(&current), PXSoftObj::GetApp());
    }
    EXPECT_EQ(nullptr, PXSoftObj::GetApp());
}

TEST_F(BlockUses, ItemUsesOfBlocksGoUpAndDown)
{
    kvrHandleType* menu1 = Make(402, "Menu1");
    kvrHandleType* menu2 = Make(402, "Menu2");
    kvrHandleType* fax = Make(413, "Fax1");
    lstrcpyA(static_cast<char*>(Var(402, "Menu choices", menu1)), "3");
    lstrcpyA(static_cast<char*>(Var(402, "Menu choices", menu2)), "3");
    lstrcpyA(static_cast<char*>(Var(413, "Fax Item", fax)), "5");
    Symbol* pHello = kvrFindSymbol("Hello");
    Symbol* pDoc = kvrFindSymbol("Doc");
    ASSERT_NE(nullptr, pHello);
    ASSERT_NE(nullptr, pDoc);

    PXSoftRecPBV r1(23001, &block, menu1, 402), r2(23001, &block, menu2, 402), rf(23004, &block, fax, 413);
    r1.AddItemRefs();
    r2.AddItemRefs();
    rf.AddItemRefs();
    EXPECT_EQ(2, pHello->RefCnt);
    EXPECT_EQ(1, pDoc->RefCnt);
    EXPECT_EQ("Yes", Text(static_cast<PXSoftRec*>(Stored(userApp, 25251).GetAt(0)), 25303));

    // A block deleted or edited gives its uses back, as the model does it.
    r1.ReleaseItemRefs();
    r1.ReleaseResPermRefs();
    EXPECT_EQ(1, pHello->RefCnt);
    r2.ReleaseItemRefs();
    rf.ReleaseItemRefs();
    EXPECT_EQ(0, pHello->RefCnt);
    EXPECT_EQ(0, pDoc->RefCnt);
    EXPECT_EQ("No", Text(static_cast<PXSoftRec*>(Stored(userApp, 25251).GetAt(0)), 25303));
}

TEST_F(BlockUses, ListUsesOfBlocksMakeCountAndDropTheListEntry)
{
    kvrHandleType* thru1 = ThruDial("Thru1", 8);
    kvrHandleType* thru2 = ThruDial("Thru2", 8);
    PXSoftRecPBV r1(23003, &block, thru1, 405), r2(23003, &block, thru2, 405);

    r1.AddResPermRefs();
    ASSERT_EQ(1, ListUses(8));
    PXSoftRec* pEntry = static_cast<PXSoftRec*>(Stored(userApp, 25286).GetAt(0));
    EXPECT_EQ("RP8", Text(pEntry, 25380));
    Symbol* pSym = kvrFindSymbol("RP8");
    ASSERT_NE(nullptr, pSym);
    EXPECT_EQ(1, pSym->RefCnt);
    r2.AddResPermRefs();
    EXPECT_EQ(2, ListUses(8));
    EXPECT_EQ(2, pSym->RefCnt);
    EXPECT_EQ(1, Stored(userApp, 25286).GetSize());

    r1.ReleaseItemRefs();
    r1.ReleaseResPermRefs();
    EXPECT_EQ(1, ListUses(8));
    EXPECT_EQ(1, pSym->RefCnt);
    r2.ReleaseResPermRefs();
    EXPECT_EQ(0, Stored(userApp, 25286).GetSize());
    EXPECT_EQ(nullptr, kvrFindSymbol("RP8"));

    // No list, a list the server lacks, and a list never counted.
    struct { long list; } rows[] = { { 0 }, { -2 } };
    for (const auto& r : rows)
    {
        kvrHandleType* h = ThruDial(r.list == 0 ? "ThruNone" : "ThruGone", r.list);
        PXSoftRecPBV rec(23003, &block, h, 405);
        rec.AddResPermRefs();
        EXPECT_EQ(0, Stored(userApp, 25286).GetSize()) << r.list;
        rec.ReleaseResPermRefs();
    }
    EXPECT_EQ(1, userApp->ReleaseResPermRef(12, FALSE));
    EXPECT_EQ(0, userApp->AddResPermRef(0));
    EXPECT_EQ(0, Stored(userApp, 25286).GetSize());
}

// The name "RP8" may already belong to an item: the list entry then has no
// symbol of its own, and the block still goes without ending the program.
TEST_F(BlockUses, AListEntryWhoseNameIsTakenStillLeaves)
{
    ASSERT_EQ(1, AddItem(25251, 22801, 25300, 25301, "RP8", 4));
    kvrHandleType* thru = ThruDial("Thru1", 8);
    PXSoftRecPBV rec(23003, &block, thru, 405);
    rec.AddResPermRefs();
    ASSERT_EQ(1, ListUses(8));
    rec.ReleaseResPermRefs();
    EXPECT_EQ(0, Stored(userApp, 25286).GetSize());
    Symbol* pItem = kvrFindSymbol("RP8");
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ(KVR_SYM_ITEM, pItem->Type);
}

TEST_F(BlockUses, StandaloneModeKeepsTheBlocksListsAndLanguages)
{
    app->SetStandalone(TRUE);
    EXPECT_FALSE(app->HasServerLists());
    kvrHandleType* thru = ThruDial("Thru1", 8);
    kvrHandleType* lang = Make(403, "Lang1");
    *static_cast<short*>(Var(403, "System prompt", lang)) = 7;
    {
        PXSoftRecPBV rec(23003, &block, thru, 405);
        rec.CheckFinished();
        PXSoftRecPBV lrec(23005, &block, lang, 403);
        lrec.CheckFinished();
    }
    EXPECT_EQ(8, *static_cast<long*>(Var(405, "Restriction/permission list", thru)));
    EXPECT_EQ(7, *static_cast<short*>(Var(403, "System prompt", lang)));
    EXPECT_EQ(-1, app->FindResPermList(8));
    EXPECT_EQ(-1, app->FindLanguage(7));
}

TEST_F(BlockUses, WithoutAnActiveApplicationListUsesAreRefusedWithAMessage)
{
    kvrHandleType* thru = ThruDial("Thru1", 8);
    s_pszProgram = nullptr;
    MessageBoxRecorder boxes;
    PXSoftRecPBV rec(23003, &block, thru, 405);
    rec.ReleaseResPermRefs();
    rec.AddResPermRefs();
    ASSERT_EQ(3u, boxes.boxes.size());
    EXPECT_EQ("Select an application window before attempting to remove an import.", boxes.boxes[0].text);
    EXPECT_EQ("Select an application window before attempting to import.", boxes.boxes[1].text);
    EXPECT_EQ("Select an application window before attempting to import.", boxes.boxes[2].text);
    EXPECT_EQ(-1, app->SelectImport(8));
    EXPECT_EQ(-1, app->RemoveListEntry(8));
    EXPECT_EQ(-1, app->RefreshImportList());
    EXPECT_EQ(-1, app->RefreshResPermList());
    EXPECT_EQ(-1, app->CopyVoiceItemToClipByID(3));
    EXPECT_EQ(nullptr, app->GetClipUserApp());
}

TEST_F(BlockUses, CopiedBlocksBringCopiesOfTheirItemsAndLists)
{
    kvrHandleType* menu = Make(402, "Menu1");
    kvrHandleType* fax = Make(413, "Fax1");
    kvrHandleType* thru = ThruDial("Thru1", 8);
    lstrcpyA(static_cast<char*>(Var(402, "Menu choices", menu)), "3");
    lstrcpyA(static_cast<char*>(Var(402, "Invalid choice", menu)), "9");     // no such item
    lstrcpyA(static_cast<char*>(Var(413, "Fax Item", fax)), "5");
    PXSoftRecPBV rm(23001, &block, menu, 402), rf(23004, &block, fax, 413), rt(23003, &block, thru, 405);
    rm.AddItemRefs();
    rt.AddResPermRefs();
    EXPECT_TRUE(app->IsClipVoiceEmpty());

    rm.CopyItemsToClip();
    rf.CopyItemsToClip();
    rt.CopyResPermsToClip();
    PXUserApp* pClip = app->GetClipUserApp();
    ASSERT_NE(nullptr, pClip);
    EXPECT_NE(userApp, pClip);
    EXPECT_EQ("Items", Text(pClip, 25256));
    EXPECT_EQ(4711, Int(pClip, 25255));
    EXPECT_FALSE(app->IsClipVoiceEmpty());
    EXPECT_FALSE(app->IsClipFaxEmpty());
    EXPECT_FALSE(app->IsClipResPermEmpty());

    struct { WORD list; WORD idField; long id; WORD connected; } copies[] = {
        { 25251, 25301, 3, 25304 }, { 25252, 25321, 5, 25325 }, { 25286, 25378, 8, 25381 },
    };
    for (const auto& c : copies)
    {
        ASSERT_EQ(1, Stored(pClip, c.list).GetSize()) << c.list;
        PXSoftRec* pCopy = static_cast<PXSoftRec*>(Stored(pClip, c.list).GetAt(0));
        EXPECT_EQ(c.id, c.list == 25286 ? Int(pCopy, c.idField) : *PXFieldValue(c.idField, pCopy).GetInt16());
        EXPECT_EQ(1, Int(pCopy, c.connected)) << c.list;
        // The application's own records stay as they were.
        PXSoftRec* pOwn = static_cast<PXSoftRec*>(Stored(userApp, c.list).GetAt(0));
        EXPECT_EQ(0, Int(pOwn, c.connected)) << c.list;
    }
    EXPECT_EQ("Hello", Text(static_cast<PXSoftRec*>(Stored(pClip, 25251).GetAt(0)), 25300));
    // The copies are not items of the model: one symbol per item still.
    EXPECT_EQ(1, kvrFindSymbol("Hello")->RefCnt);

    // The application's own list entry still leaves the model with its
    // last use, and the clipboard keeps its copy.
    rt.ReleaseResPermRefs();
    EXPECT_EQ(nullptr, kvrFindSymbol("RP8"));
    EXPECT_EQ(1, Stored(pClip, 25286).GetSize());
    EXPECT_EQ(-1, app->CopyFaxItemToClipByID(77));
    EXPECT_EQ(0, app->CopyResPermToClipByID(77));
    EXPECT_EQ(1, Stored(pClip, 25252).GetSize());
}
