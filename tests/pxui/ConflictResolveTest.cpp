// The resolution of a paste's clashing names and item numbers: proposals,
// the two forms of the conflict dialog answered as the user would, and the
// clipboard application's items, lists and imports pasted into another
// application under the resolved names and numbers.
#include "PXUITestSupport.h"
#include "PXDialogDriver.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftRec.h"
#include "PXUserApp.h"
#include "Page.h"
#include "Program.h"
#include "PXWinApp.h"
#include "TConflictResolveObj.h"
#include "TResolveConflictDlg.h"
#include "TResolveConflictRes.h"
#include "plexlink.h"
#include "plexmodel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Arms the scripts for the dialogs to come, one each, in order.
void ArmAnswers(std::vector<std::function<void(HWND)>> scripts, size_t nNext = 0)
{
    if (nNext >= scripts.size())
        return;
    AnswerNextDialog([scripts, nNext](HWND hDlg) {
        ArmAnswers(scripts, nNext + 1);
        scripts[nNext](hDlg);
    });
}

void PressButton(HWND hDlg, int nId)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

TClipInfo Record(const char* pszName, long lKind, long lNumber = 0, short nSymbolType = KVR_SYM_ITEM)
{
    TClipInfo info = {};
    lstrcpynA(info.name, pszName, sizeof(info.name));
    info.kind = lKind;
    info.oldNumber = lNumber;
    info.newNumber = -1;
    info.symbolType = lKind == KVR_CLIPINFO_BLOCK ? KVR_SYM_POWERBLOCK : nSymbolType;
    return info;
}

// Two applications, "Items" (ID 4711) and "Other" (ID 4712), each over a
// program of the application model with a page "Main"; "Items" is active.
class ConflictTest : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        app->SetStandalone(TRUE);
        items = Open("C:\\progs\\Items.ed", 4711, itemsProgram);
        other = Open("C:\\progs\\Other.ed", 4712, otherProgram);
        Activate(items);
    }
    void TearDown() override
    {
        DisarmDialogAnswer();
        kvrEmptyClipboard();
        RegisteredController::TearDown();
        programs.clear();
    }

    PXUserApp* Open(const char* pszPath, long lId, kvrHandleType*& rProgram)
    {
        Program* pProgram = new Program(pszPath, 0);
        programs.emplace_back(pProgram);
        Page* pMain = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
        pProgram->AddPage(pMain);
        rProgram = pProgram->GetHandle();
        EXPECT_NE(nullptr, rProgram);
        kvrActivateProgram(rProgram);
        kvrActivatePage(pMain->GetHandle());
        s_pszProgram = pszPath;
        PXUserApp* pApp = new PXUserApp(pszPath);
        PXFieldValue(PXFIELD_USER_APP_ID, pApp).SetInt32(lId);
        EXPECT_EQ(1, pApp->Commit());
        pApp->SetProgram(pProgram);
        app->AddUserApp(pApp);
        return pApp;
    }
    void Activate(PXUserApp* pApp)
    {
        s_pszProgram = pApp == items ? "C:\\progs\\Items.ed" : "C:\\progs\\Other.ed";
        kvrActivateProgram(pApp == items ? itemsProgram : otherProgram);
    }
    // A voice (bFax false) or fax item of the active application.
    int AddItem(PXUserApp* pApp, bool bFax, const char* pszName, short sId)
    {
        WORD wList = bFax ? PXFIELD_USER_APP_FAX_ITEMS : PXFIELD_USER_APP_VOICE_ITEMS;
        PXSoftRec* pRec = PXSoftRec::Create(bFax ? PXREC_FAX_ITEM : PXREC_VOICE_ITEM, FALSE);
        PXFieldValue(bFax ? PXFIELD_FAX_ITEM_NAME : PXFIELD_VOICE_ITEM_NAME, pRec).SetText(pszName);
        PXFieldValue(bFax ? PXFIELD_FAX_ITEM_ID : PXFIELD_VOICE_ITEM_ID, pRec).SetInt16(sId);
        PXRecArray edit(PXFieldValue(wList, pApp).GetRecArray());
        edit.Add(pRec);
        PXFieldValue(wList, pApp).SetRecArray(edit);
        return pApp->Commit();
    }
    // The items of an application: "name:number" each.
    std::vector<std::string> Items(PXUserApp* pApp, bool bFax)
    {
        PXObArray* pList = static_cast<PXObArray*>(
            pApp->GetFieldMem(bFax ? PXFIELD_USER_APP_FAX_ITEMS : PXFIELD_USER_APP_VOICE_ITEMS));
        std::vector<std::string> out;
        for (int i = 0; i < pList->GetSize(); ++i)
        {
            PXSoftRec* pRec = static_cast<PXSoftRec*>(pList->GetAt(i));
            out.push_back(std::string(*PXFieldValue(bFax ? PXFIELD_FAX_ITEM_NAME : PXFIELD_VOICE_ITEM_NAME, pRec)
                                           .GetText()) +
                          ":" +
                          std::to_string(*PXFieldValue(bFax ? PXFIELD_FAX_ITEM_ID : PXFIELD_VOICE_ITEM_ID, pRec)
                                              .GetInt16()));
        }
        return out;
    }
    PXSoftRec* ItemRecord(PXUserApp* pApp, bool bFax, int nIndex)
    {
        PXObArray* pList = static_cast<PXObArray*>(
            pApp->GetFieldMem(bFax ? PXFIELD_USER_APP_FAX_ITEMS : PXFIELD_USER_APP_VOICE_ITEMS));
        return static_cast<PXSoftRec*>(pList->GetAt(nIndex));
    }
    // The model's conflict records for the active program.
    std::vector<TClipInfo*> Conflicts()
    {
        int n = kvrGetAllNameConflicts(nullptr, 0);
        std::vector<TClipInfo*> list(n > 0 ? n : 0);
        if (n > 0)
            kvrGetAllNameConflicts(list.data(), n);
        return list;
    }

    std::vector<std::unique_ptr<Program>> programs;
    kvrHandleType* itemsProgram = nullptr;
    kvrHandleType* otherProgram = nullptr;
    PXUserApp* items = nullptr;
    PXUserApp* other = nullptr;
};

} // namespace

TEST_F(ConflictTest, ProposedNamesCountTrailingDigitsUpAndCutLongStems)
{
    ASSERT_EQ(1, AddItem(items, false, "Choices1", 1));
    struct Case { const char* name; const char* proposed; } cases[] = {
        {"Choices", "Choices2"},        // Choices1 is taken
        {"Menu9", "Menu10"},
        {"Item007", "Item8"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "ABCDEFGHIJKLMNOPQRSTUVWXYZABC1"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZAB99", "ABCDEFGHIJKLMNOPQRSTUVWXYZA100"},
    };
    for (const Case& c : cases)
    {
        TClipInfo info = Record(c.name, KVR_CLIPINFO_VOICE, 1);
        TClipInfo* p = &info;
        TConflictResolveObj resolver(&p, 1);
        resolver.MakeDefaultName(&info);
        EXPECT_EQ(c.proposed, std::string(info.newName)) << c.name;
    }
}

TEST_F(ConflictTest, ProposedNumbersAreTheSmallestFreeOfTheKind)
{
    for (short s : {1, 2, 4})
        ASSERT_EQ(1, AddItem(items, false, ("V" + std::to_string(s)).c_str(), s));
    ASSERT_EQ(1, AddItem(items, true, "F3", 3));
    TClipInfo voice = Record("Hello", KVR_CLIPINFO_VOICE, 1);
    TClipInfo fax = Record("Doc", KVR_CLIPINFO_FAX, 3);
    TClipInfo* list[] = {&voice, &fax};
    TConflictResolveObj resolver(list, 2);
    resolver.MakeDefaultId(&voice);
    resolver.MakeDefaultId(&fax);
    EXPECT_EQ(3, voice.newNumber);      // 1 and 2 are voice items; fax 3 does not count
    EXPECT_EQ(1, fax.newNumber);
    // Typed numbers: 1 to 3000 and free.
    for (long n : {0L, 3001L, 1L, -5L})
        EXPECT_FALSE(resolver.IsIdValid(KVR_CLIPINFO_VOICE, n)) << n;
    EXPECT_TRUE(resolver.IsIdValid(KVR_CLIPINFO_VOICE, 3000));
    EXPECT_TRUE(resolver.IsIdValid(KVR_CLIPINFO_FAX, 1));
    // Names: in use in the model, or empty, are not valid.
    EXPECT_FALSE(resolver.IsNewNameValid("V1"));
    EXPECT_FALSE(resolver.IsNewNameValid(""));
    EXPECT_TRUE(resolver.IsNewNameValid("Fresh"));
}

TEST_F(ConflictTest, LaterRecordsAvoidTheNamesAndNumbersOfEarlierOnes)
{
    // Voice items Menu and Menu1 pasted where both names exist: Menu is
    // proposed as Menu2, then Menu1 as Menu3.
    ASSERT_EQ(1, AddItem(items, false, "Menu", 1));
    ASSERT_EQ(1, AddItem(items, false, "Menu1", 2));
    TClipInfo menu = Record("Menu", KVR_CLIPINFO_VOICE, 10);
    TClipInfo menu1 = Record("Menu1", KVR_CLIPINFO_VOICE, 11);
    TClipInfo* list[] = {&menu, &menu1};
    TConflictResolveObj resolver(list, 2);
    std::vector<std::string> captions;
    ArmAnswers({[&](HWND hDlg) {
                    captions.push_back(Text(hDlg));
                    PressButton(hDlg, IDOK);
                },
                [&](HWND hDlg) {
                    captions.push_back(Text(hDlg));
                    EXPECT_EQ("Menu3", Text(hDlg, IDC_CONFLICT_DEFNAME));
                    PressButton(hDlg, IDOK);
                }});
    EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    EXPECT_EQ((std::vector<std::string>{"Voice item conflict (1 of 2)", "Voice item conflict (2 of 2)"}), captions);
    EXPECT_EQ("Menu2", std::string(menu.newName));
    EXPECT_EQ("Menu3", std::string(menu1.newName));
    // Numbers 10 and 11 are free: they stay.
    EXPECT_EQ(-1, menu.newNumber);
    EXPECT_EQ(-1, menu1.newNumber);
}

TEST_F(ConflictTest, TheEndBlockIsMarkedAndChangeAllAnswersTheRest)
{
    TClipInfo end = Record("End", KVR_CLIPINFO_BLOCK);
    TClipInfo a = Record("Menu1", KVR_CLIPINFO_BLOCK);
    TClipInfo b = Record("Menu2", KVR_CLIPINFO_BLOCK);
    end.skip = 1;   // cleared when the resolver takes it
    TClipInfo* list[] = {&end, &a, &b};
    int nMade = 0;
    kvrCreatePowerBlock(402, "Menu1", &nMade, "");
    kvrCreatePowerBlock(402, "Menu2", &nMade, "");
    TConflictResolveObj resolver(list, 3);
    EXPECT_EQ(0, end.skip);
    int nDialogs = 0;
    ArmAnswers({[&](HWND hDlg) {
                    ++nDialogs;
                    EXPECT_EQ("Block Name conflict (1 of 2)", Text(hDlg));
                    EXPECT_EQ("The application already contains a block called 'Menu1'",
                              Text(hDlg, IDC_CONFLICT_MESSAGE));
                    EXPECT_EQ("Would you like to change the name of the block being pasted?",
                              Text(hDlg, IDC_CONFLICT_QUESTION));
                    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_CONFLICT_DEFID)));
                    EXPECT_FALSE(Enabled(hDlg, IDC_CONFLICT_TYPEDNAME));
                    EXPECT_EQ("Menu3", Text(hDlg, IDC_CONFLICT_DEFNAME));
                    PressButton(hDlg, IDC_CONFLICT_ALL);
                },
                [&](HWND hDlg) {
                    ++nDialogs;
                    PressButton(hDlg, IDCANCEL);
                }});
    EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    DisarmDialogAnswer();
    EXPECT_EQ(1, nDialogs);
    EXPECT_EQ(1, end.notPasted);
    EXPECT_EQ("", std::string(end.newName));
    EXPECT_EQ("Menu3", std::string(a.newName));
    EXPECT_EQ("Menu4", std::string(b.newName));
}

// The caption counts the records the user may be asked about: the End
// block that came along with the copy is never one of them, wherever the
// model lists it.
TEST_F(ConflictTest, TheCaptionCountsOnlyTheConflictsThatAreAskedAbout)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    int nMade = 0;
    kvrCreatePowerBlock(402, "Menu1", &nMade, "");
    kvrCreatePowerBlock(402, "Menu2", &nMade, "");
    const struct
    {
        const char* pszCase;
        std::vector<const char*> records;   // "End", "Menu1", "Menu2" blocks; "Hello" a voice item
        std::vector<std::string> captions;
    } cases[] = {
        {"one block", {"Menu1"}, {"Block Name conflict (1 of 1)"}},
        {"one block and the End block", {"End", "Menu1"}, {"Block Name conflict (1 of 1)"}},
        {"the End block last", {"Menu1", "End"}, {"Block Name conflict (1 of 1)"}},
        {"two blocks", {"Menu1", "End", "Menu2"}, {"Block Name conflict (1 of 2)", "Block Name conflict (2 of 2)"}},
        {"a block and an item", {"End", "Menu1", "Hello"},
         {"Block Name conflict (1 of 2)", "Voice item conflict (2 of 2)"}},
        {"only the End block", {"End"}, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        std::vector<TClipInfo> records;
        for (const char* pszName : c.records)
            records.push_back(std::string(pszName) == "Hello" ? Record(pszName, KVR_CLIPINFO_VOICE, 9)
                                                             : Record(pszName, KVR_CLIPINFO_BLOCK));
        std::vector<TClipInfo*> list;
        for (TClipInfo& r : records)
            list.push_back(&r);
        TConflictResolveObj resolver(list.data(), static_cast<int>(list.size()));
        EXPECT_EQ(static_cast<int>(c.captions.size()), resolver.GetConflictCount());
        std::vector<std::string> captions;
        std::vector<std::function<void(HWND)>> answers;
        for (size_t i = 0; i < c.captions.size() + 1; ++i)
            answers.push_back([&](HWND hDlg) {
                captions.push_back(Text(hDlg));
                PressButton(hDlg, IDOK);
            });
        ArmAnswers(answers);
        EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
        DisarmDialogAnswer();
        EXPECT_EQ(c.captions, captions);
    }
}

TEST_F(ConflictTest, CancelStopsTheRunAndLeavesLaterRecords)
{
    TClipInfo a = Record("Menu1", KVR_CLIPINFO_BLOCK);
    TClipInfo b = Record("Menu2", KVR_CLIPINFO_BLOCK);
    int nMade = 0;
    kvrCreatePowerBlock(402, "Menu1", &nMade, "");
    kvrCreatePowerBlock(402, "Menu2", &nMade, "");
    TClipInfo* list[] = {&a, &b};
    TConflictResolveObj resolver(list, 2);
    ArmAnswers({[](HWND hDlg) { PressButton(hDlg, IDCANCEL); }});
    EXPECT_EQ(PX_RESOLVE_CANCELLED, resolver.ResolveAll());
    EXPECT_EQ("", std::string(b.newName));
}

TEST_F(ConflictTest, ATypedNameInUseKeepsTheDialogOpenWithTheNameSelected)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    ASSERT_EQ(1, AddItem(items, false, "Taken", 4));
    TClipInfo hello = Record("Hello", KVR_CLIPINFO_VOICE, 9);
    TClipInfo* p = &hello;
    TConflictResolveObj resolver(&p, 1);
    MessageBoxRecorder boxes;
    bool bStayedOpen = false;
    DWORD dwSel = 0;
    ArmAnswers({[&](HWND hDlg) {
        EXPECT_EQ("The application already contains a voice item called 'Hello' or with ID '9'",
                  Text(hDlg, IDC_CONFLICT_MESSAGE));
        EXPECT_EQ("9", Text(hDlg, IDC_CONFLICT_DEFID));
        EXPECT_EQ("Hello1", Text(hDlg, IDC_CONFLICT_DEFNAME));
        Click(hDlg, IDC_CONFLICT_NEWNAME);
        EXPECT_TRUE(Enabled(hDlg, IDC_CONFLICT_TYPEDNAME));
        EXPECT_FALSE(Enabled(hDlg, IDC_CONFLICT_ALL));
        Type(hDlg, IDC_CONFLICT_TYPEDNAME, "Taken");
        Type(hDlg, IDC_CONFLICT_TYPEDID, "12");
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        bStayedOpen = IsWindow(hDlg) && IsWindowVisible(hDlg);
        dwSel = static_cast<DWORD>(SendDlgItemMessageA(hDlg, IDC_CONFLICT_TYPEDNAME, EM_GETSEL, 0, 0));
        // A free name with number 0 is refused for its number.
        Type(hDlg, IDC_CONFLICT_TYPEDNAME, "Fresh");
        Type(hDlg, IDC_CONFLICT_TYPEDID, "0");
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Type(hDlg, IDC_CONFLICT_TYPEDID, "3001");
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Type(hDlg, IDC_CONFLICT_TYPEDID, "12");
        PressButton(hDlg, IDOK);
    }});
    EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    EXPECT_TRUE(bStayedOpen);
    EXPECT_EQ(MAKELONG(0, 5), dwSel);
    ASSERT_EQ(3u, boxes.boxes.size());
    EXPECT_EQ("The specified voice item name is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ("The specified voice item ID is either invalid or currently in use.", boxes.boxes[1].text);
    EXPECT_EQ("The specified voice item ID is either invalid or currently in use.", boxes.boxes[2].text);
    EXPECT_EQ("Fresh", std::string(hello.newName));
    EXPECT_EQ(12, hello.newNumber);
}

TEST_F(ConflictTest, IdenticalItemsAskSkipReplaceOrChangeAndReplaceAllCarriesOn)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    ASSERT_EQ(1, AddItem(items, false, "Bye", 4));
    ASSERT_EQ(1, AddItem(items, true, "Doc", 5));
    TClipInfo hello = Record("Hello", KVR_CLIPINFO_VOICE, 3);
    TClipInfo bye = Record("Bye", KVR_CLIPINFO_VOICE, 4);
    TClipInfo doc = Record("Doc", KVR_CLIPINFO_FAX, 5);
    TClipInfo* list[] = {&hello, &bye, &doc};
    TConflictResolveObj resolver(list, 3);
    EXPECT_TRUE(resolver.IsIdenticalItem(&hello));
    int nDialogs = 0;
    ArmAnswers({[&](HWND hDlg) {
                    ++nDialogs;
                    EXPECT_EQ("Voice item conflict (1 of 3)", Text(hDlg));
                    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_CONFLICT_CHANGE));
                    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_CONFLICT_SKIP));
                    Click(hDlg, IDC_CONFLICT_REPLACE);
                    EXPECT_EQ("Replace All", Text(hDlg, IDC_CONFLICT_ALL));
                    EXPECT_FALSE(Enabled(hDlg, IDC_CONFLICT_DEFNAME));
                    Click(hDlg, IDC_CONFLICT_SKIP);
                    EXPECT_EQ("Skip All", Text(hDlg, IDC_CONFLICT_ALL));
                    Click(hDlg, IDC_CONFLICT_REPLACE);
                    PressButton(hDlg, IDC_CONFLICT_ALL);
                },
                [&](HWND hDlg) {
                    // The fax item has its own form's dialog.
                    ++nDialogs;
                    EXPECT_EQ("Fax item conflict (3 of 3)", Text(hDlg));
                    Click(hDlg, IDC_CONFLICT_SKIP);
                    PressButton(hDlg, IDOK);
                }});
    EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    DisarmDialogAnswer();
    // "Replace All" answers every later identical item, the fax item too:
    // no further dialog.
    EXPECT_EQ(1, nDialogs);
    EXPECT_EQ(1, hello.replace);
    EXPECT_EQ(0, hello.skip);
    EXPECT_EQ(1, bye.replace);
    EXPECT_EQ(1, doc.replace);
}

TEST_F(ConflictTest, ItemsCopiedFromTheActiveApplicationAreLeftOut)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    PXSoftRec* pHello = ItemRecord(items, false, 0);
    app->BeginClipCopy();
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(pHello, FALSE));
    EXPECT_TRUE(app->IsClipFromSameApp());
    TClipInfo hello = Record("Hello", KVR_CLIPINFO_VOICE, 3);
    TClipInfo block = Record("Menu1", KVR_CLIPINFO_BLOCK);
    TClipInfo* list[] = {&hello, &block};
    TConflictResolveObj same(list, 2);
    EXPECT_EQ(1, same.GetCount());
    EXPECT_EQ(&block, same.GetAt(0));
    // In another application both are resolved; standalone compares names.
    Activate(other);
    EXPECT_FALSE(app->IsClipFromSameApp());
    TConflictResolveObj into(list, 2);
    EXPECT_EQ(2, into.GetCount());
    // Into its own application the paste brings nothing; into another one
    // the item.
    Activate(items);
    EXPECT_EQ(0, app->PasteVoiceItemsFromClip(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Hello:3"}), Items(items, false));
    Activate(other);
    EXPECT_EQ(0, app->PasteVoiceItemsFromClip(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Hello:3"}), Items(other, false));
}

TEST_F(ConflictTest, TheClipboardApplicationFindsItsItemsAndImports)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    ASSERT_EQ(1, AddItem(items, true, "Doc", 5));
    EXPECT_FALSE(app->FindClipItem(-1, 0, "Hello"));
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(ItemRecord(items, false, 0), FALSE));
    ASSERT_EQ(0, app->CopyFaxItemsToClip(ItemRecord(items, true, 0), FALSE));
    struct Case { int kind; long number; const char* name; bool found; } cases[] = {
        {0, 3, "", true}, {0, 5, "", false}, {3, 5, "", true}, {0, 0, "Hello", true}, {0, 0, "Doc", false},
        {-1, 0, "Doc", true}, {-1, 0, "hello", false}, {-1, 0, "", false}, {3, 0, "Doc", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, app->FindClipItem(c.kind, c.number, c.name) != FALSE) << c.kind << " " << c.name;

    // Import references split at the last period; each ID once.
    EXPECT_EQ(0, app->CopyImportToClip("Orders.v2.12"));
    EXPECT_EQ(-1, app->CopyImportToClip("Other.12"));
    EXPECT_EQ(0, app->CopyImportToClip("4712"));
    PXObArray* pImports = static_cast<PXObArray*>(app->GetClipUserApp()->GetFieldMem(PXFIELD_USER_APP_IMPORTS));
    ASSERT_EQ(2, pImports->GetSize());
    PXSoftRec* pFirst = static_cast<PXSoftRec*>(pImports->GetAt(0));
    EXPECT_EQ("Orders.v2", std::string(*PXFieldValue(PXFIELD_USER_APP_NAME, pFirst).GetText()));
    EXPECT_EQ(12, *PXFieldValue(PXFIELD_USER_APP_ID, pFirst).GetInt32());

    // Pasting imports: the target's own ID and what it imports already
    // stay out.
    Activate(other);
    EXPECT_EQ(0, app->PasteImportsFromClip());
    ASSERT_EQ(0, other->FindImport(12));
    EXPECT_LT(other->FindImport(4712), 0);
    EXPECT_EQ(0, app->PasteImportsFromClip());
    EXPECT_EQ(1, static_cast<PXObArray*>(other->GetFieldMem(PXFIELD_USER_APP_IMPORTS))->GetSize());

    // Only lists copied: not from the same application, whatever it is.
    app->ClearClip();
    EXPECT_EQ(-1, app->PasteImportsFromClip());
    EXPECT_EQ(-1, app->PasteResPermFromClip());
    EXPECT_EQ(-1, app->PasteVoiceItemsFromClip(nullptr));
    EXPECT_FALSE(app->IsClipFromSameApp());
}

namespace {
std::vector<std::pair<PXItemInfo, PXItemInfo>> g_serverCopies;
int g_nServerAnswer = 0;
int __cdecl ServerCopy(int, int, int, const PXItemInfo* pFrom, int, int, const PXItemInfo* pTo)
{
    g_serverCopies.emplace_back(*pFrom, *pTo);
    return g_nServerAnswer;
}
}

TEST_F(ConflictTest, PastedItemsTakeTheResolvedNamesAndNumbersOnTheServerToo)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 7));
    ASSERT_EQ(1, AddItem(items, false, "Bye", 8));
    ASSERT_EQ(1, AddItem(items, true, "Doc", 5));
    app->BeginClipCopy();
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(ItemRecord(items, false, 0), FALSE));
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(ItemRecord(items, false, 1), FALSE));
    ASSERT_EQ(0, app->CopyFaxItemsToClip(ItemRecord(items, true, 0), FALSE));

    // The target has voice item 7 under another name, and a "Bye".
    Activate(other);
    ASSERT_EQ(1, AddItem(other, false, "Greeting", 7));
    ASSERT_EQ(1, AddItem(other, false, "Bye", 8));
    app->SetStandalone(FALSE);
    PXWinApp::ItemPasteCall pfnOld = PXWinApp::SetItemPasteCall(ServerCopy);
    g_serverCopies.clear();
    g_nServerAnswer = 0;

    std::vector<TClipInfo*> list = Conflicts();
    ASSERT_EQ(2u, list.size());
    TConflictResolveObj resolver(list.data(), static_cast<int>(list.size()));
    // Hello clashes by number: proposed 1; Bye is the same item: skipped.
    ArmAnswers({[](HWND hDlg) {
                    EXPECT_EQ("1", Text(hDlg, IDC_CONFLICT_DEFID));
                    PressButton(hDlg, IDOK);
                },
                [](HWND hDlg) {
                    Click(hDlg, IDC_CONFLICT_SKIP);
                    PressButton(hDlg, IDOK);
                }});
    ASSERT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    EXPECT_EQ(0, app->PasteVoiceItemsFromClip(&resolver));
    EXPECT_EQ(0, app->PasteFaxItemsFromClip(&resolver));
    PXWinApp::SetItemPasteCall(pfnOld);
    app->SetStandalone(TRUE);

    EXPECT_EQ((std::vector<std::string>{"Greeting:7", "Bye:8", "Hello:1"}), Items(other, false));
    EXPECT_EQ((std::vector<std::string>{"Doc:5"}), Items(other, true));
    ASSERT_EQ(2u, g_serverCopies.size());
    EXPECT_EQ(7, g_serverCopies[0].first.itemid);
    EXPECT_EQ(1, g_serverCopies[0].second.itemid);
    EXPECT_EQ(PX_ITEMKIND_VOICE, g_serverCopies[0].second.itemkind);
    EXPECT_EQ(PX_ITEMKIND_FAX, g_serverCopies[1].second.itemkind);
    // The model knows the pasted item under its new number.
    Symbol* pSym = kvrFindSymbol("Hello");
    ASSERT_NE(nullptr, pSym);
    EXPECT_EQ(1, pSym->ItemNumber);
}

TEST_F(ConflictTest, AServerRefusalStopsThePasteWithItsMessage)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 7));
    ASSERT_EQ(1, AddItem(items, false, "Bye", 8));
    app->BeginClipCopy();
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(ItemRecord(items, false, 0), FALSE));
    ASSERT_EQ(0, app->CopyVoiceItemsToClip(ItemRecord(items, false, 1), FALSE));
    Activate(other);
    app->SetStandalone(FALSE);
    PXWinApp::ItemPasteCall pfnOld = PXWinApp::SetItemPasteCall(ServerCopy);
    struct Case { int code; const char* text; } cases[] = {
        {62, "Server disk is full. Server will not perform any operation"},
        {60, "The system could not add the voice item on the server.\r\nPlease check the connection to the server "
             "and try again."},
    };
    for (const Case& c : cases)
    {
        MessageBoxRecorder boxes;
        g_serverCopies.clear();
        g_nServerAnswer = c.code;
        EXPECT_EQ(1, app->PasteVoiceItemsFromClip(nullptr));
        EXPECT_EQ(1u, g_serverCopies.size());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.text, boxes.boxes[0].text);
    }
    PXWinApp::SetItemPasteCall(pfnOld);
    app->SetStandalone(TRUE);
    EXPECT_TRUE(Items(other, false).empty());
}

TEST_F(ConflictTest, TheDialogTemplatesLoad)
{
    TClipInfo info = Record("Hello", KVR_CLIPINFO_VOICE, 3);
    TClipInfo* p = &info;
    TConflictResolveObj resolver(&p, 1);
    BOOL bAll = FALSE, bReplace = FALSE;
    TResolveConflictDlg first(nullptr, &resolver, 0, &info, &bAll);
    TResolveConflictDlg second(nullptr, &resolver, 0, &info, &bAll, &bReplace);
    EXPECT_NE(nullptr, first.FindTemplateModule());
    EXPECT_NE(nullptr, second.FindTemplateModule());
    ArmAnswers({[](HWND hDlg) {
        for (int nId : {IDC_CONFLICT_MESSAGE, IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME, IDC_CONFLICT_DEFNAME,
                        IDC_CONFLICT_TYPEDNAME, IDC_CONFLICT_ALL, IDC_CONFLICT_DEFID, IDC_CONFLICT_TYPEDID, IDOK,
                        IDCANCEL, IDC_CONFLICT_HELP, IDC_CONFLICT_SKIP, IDC_CONFLICT_REPLACE, IDC_CONFLICT_CHANGE})
            EXPECT_NE(nullptr, GetDlgItem(hDlg, nId)) << nId;
        EXPECT_EQ(nullptr, GetDlgItem(hDlg, IDC_CONFLICT_QUESTION));
        PressButton(hDlg, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, second.Execute());
    ArmAnswers({[](HWND hDlg) {
        for (int nId : {IDC_CONFLICT_MESSAGE, IDC_CONFLICT_QUESTION, IDC_CONFLICT_DEFAULT, IDC_CONFLICT_NEWNAME,
                        IDC_CONFLICT_DEFNAME, IDC_CONFLICT_TYPEDNAME, IDC_CONFLICT_ALL, IDOK, IDCANCEL,
                        IDC_CONFLICT_HELP})
            EXPECT_NE(nullptr, GetDlgItem(hDlg, nId)) << nId;
        EXPECT_EQ("Change All", Text(hDlg, IDC_CONFLICT_ALL));
        PressButton(hDlg, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, first.Execute());
}

TEST_F(ConflictTest, BlocksSharingAnItemBringItOnce)
{
    ASSERT_EQ(1, AddItem(items, false, "Hello", 3));
    ASSERT_EQ(1, AddItem(items, true, "Doc", 3));
    app->BeginClipCopy();
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(0, app->CopyVoiceItemToClipByID(3));
        EXPECT_EQ(0, app->CopyFaxItemToClipByID(3));
    }
    PXUserApp* pClip = app->GetClipUserApp();
    ASSERT_NE(nullptr, pClip);
    EXPECT_EQ(1, static_cast<PXObArray*>(pClip->GetFieldMem(PXFIELD_USER_APP_VOICE_ITEMS))->GetSize());
    EXPECT_EQ(1, static_cast<PXObArray*>(pClip->GetFieldMem(PXFIELD_USER_APP_FAX_ITEMS))->GetSize());
    // Pasted into another application, each comes once and without a
    // complaint.
    Activate(other);
    EXPECT_EQ(0, app->PasteVoiceItemsFromClip(nullptr));
    EXPECT_EQ(0, app->PasteFaxItemsFromClip(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Hello:3"}), Items(other, false));
    EXPECT_EQ((std::vector<std::string>{"Doc:3"}), Items(other, true));
}

TEST_F(ConflictTest, ATypedBlockNameMustBeFreeShortAndNotTheModelsOwn)
{
    int nRetry = 0;
    ASSERT_NE(nullptr, kvrCreatePowerBlock(402, "Menu1", &nRetry, ""));
    TClipInfo menu = Record("Menu1", KVR_CLIPINFO_BLOCK);
    TClipInfo* p = &menu;
    TConflictResolveObj resolver(&p, 1);
    MessageBoxRecorder boxes;
    ArmAnswers({[&](HWND hDlg) {
        Click(hDlg, IDC_CONFLICT_NEWNAME);
        for (const char* pszName : {"Menu1", "End", "main", "A$B", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE", ""})
        {
            Type(hDlg, IDC_CONFLICT_TYPEDNAME, pszName);
            SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        Type(hDlg, IDC_CONFLICT_TYPEDNAME, "Choice");
        PressButton(hDlg, IDOK);
    }});
    EXPECT_EQ(PX_RESOLVE_DONE, resolver.ResolveAll());
    // In use, reserved (in any case), holding '$', longer than 30
    // characters, empty: each refused, the dialog open.
    std::vector<std::string> texts;
    for (const PXShownBox& box : boxes.boxes)
        texts.push_back(box.text);
    EXPECT_EQ(std::vector<std::string>(6, "The specified Block Name is either invalid or currently in use."), texts);
    EXPECT_EQ("Choice", std::string(menu.newName));
}
