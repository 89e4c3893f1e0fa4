// The voice and fax item picker on a real soft dialog over an open
// application with items: what each field value shows, what each choice
// stores, the New/Edit button, the item dialogs behind it (answered through
// the modal seam) and the check on OK.
#include "PXUITestSupport.h"
#include "PXDialogDriver.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSoftDlg.h"
#include "PXSoftPicker.h"
#include "PXSoftRec.h"
#include "PXUserApp.h"
#include "PXWinApp.h"
#include "PickerTestRes.h"
#include "plexmodel.h"

#include <owl/TWindow.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::function<void(HWND)> Script;

// The scripts that answer the modal dialogs, in the order the dialogs open.
std::deque<Script> g_scripts;

void AnswerModal(TWindow* pWnd)
{
    HWND hDlg = pWnd->HWindow;
    if (g_scripts.empty())
    {
        ADD_FAILURE() << "a modal dialog opened that no script answers";
    }
    else
    {
        Script script = g_scripts.front();
        g_scripts.pop_front();
        script(hDlg);
    }
    // Whatever the script left open ends: a dialog already ended is gone
    // before the message would arrive.
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// An open application "Items" with voice items "Welcome" (12) and "Alpha"
// (3) and fax item "Invoice" (4), shown in the active window, over a
// program of the application model with a block "Menu1"; a record of the
// pickers' fields.
class PickerTest : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        s_pszProgram = "C:\\progs\\Items.ed";
        program = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, program);
        kvrActivateProgram(program);
        kvrHandleType* main = kvrCreatePage("Main", KVR_PAGE_NORMAL, 0);
        ASSERT_NE(nullptr, main);
        ASSERT_EQ(KVR_OK, kvrActivatePage(main));
        int retry = 1;
        ASSERT_NE(nullptr, kvrCreatePowerBlock(402, "Menu1", &retry, ""));
        userApp = new PXUserApp(s_pszProgram);
        app->AddUserApp(userApp);
        ASSERT_EQ(1, AddItem(25251, 22801, "Welcome", 12));
        ASSERT_EQ(1, AddItem(25251, 22801, "Alpha", 3));
        ASSERT_EQ(1, AddItem(25252, 22802, "Invoice", 4));
        rec.reset(PXSoftRec::Create(TREC_PICK, FALSE));
        // Every picker on a value that lets OK pass.
        SetFields(0, 5000, 4, 0);
        g_scripts.clear();
        m_pfnOldHook = TWindow::SetModalHook(AnswerModal);
    }
    void TearDown() override
    {
        TWindow::SetModalHook(m_pfnOldHook);
        EXPECT_TRUE(g_scripts.empty()) << "a dialog the test expected did not open";
        g_scripts.clear();
        rec.reset();
        RegisteredController::TearDown();
        kvrRemoveProgram(program);
    }

    int AddItem(WORD wList, WORD wType, const char* pszName, short sId)
    {
        PXSoftRec* pItem = PXSoftRec::Create(wType, FALSE);
        PXFieldValue(wType == 22801 ? 25300 : 25320, pItem).SetText(pszName);
        PXFieldValue(wType == 22801 ? 25301 : 25321, pItem).SetInt16(sId);
        PXRecArray edit(PXFieldValue(wList, userApp).GetRecArray());
        edit.Add(pItem);
        PXFieldValue(wList, userApp).SetRecArray(edit);
        return userApp->Commit();
    }
    void SetFields(short a, short b, short c, short d)
    {
        PXFieldValue(TF_PICK_A, rec.get()).SetInt16(a);
        PXFieldValue(TF_PICK_B, rec.get()).SetInt16(b);
        PXFieldValue(TF_PICK_C, rec.get()).SetInt16(c);
        PXFieldValue(TF_PICK_D, rec.get()).SetInt16(d);
        ASSERT_EQ(1, rec->Commit());
    }
    short Field(WORD wField)
    {
        return *PXFieldValue(wField, rec.get()).GetInt16();
    }
    // The stored items of a list: "name=id" in list order.
    std::vector<std::string> Items(WORD wList)
    {
        std::vector<std::string> items;
        PXObArray* pItems = static_cast<PXObArray*>(userApp->GetFieldMem(wList));
        for (int i = 0; i < pItems->GetSize(); ++i)
        {
            PXSoftRec* pItem = static_cast<PXSoftRec*>(pItems->GetAt(i));
            WORD wName = wList == 25251 ? 25300 : 25320;
            items.push_back(std::string(static_cast<const char*>(*PXFieldValue(wName, pItem).GetText())) + "="
                            + std::to_string(*PXFieldValue(wName + 1, pItem).GetInt16()));
        }
        return items;
    }
    // Runs the page of pickers with the scripts; answers its end code.
    int Run(std::vector<Script> scripts)
    {
        for (auto& s : scripts)
            g_scripts.push_back(s);
        PXSoftDlg dlg(TDLG_PICK, rec.get(), 1);
        dialog = &dlg;
        int nEnd = dlg.Execute(1);
        dialog = nullptr;
        return nEnd;
    }

    kvrHandleType* program = nullptr;
    PXUserApp* userApp = nullptr;
    std::unique_ptr<PXSoftRec> rec;
    PXSoftDlg* dialog = nullptr;        // while Run runs
    TWindow::TModalHook m_pfnOldHook = nullptr;
};

typedef std::vector<std::string> Strings;

const char* const NONE = "<none>";
const char* const DEFAULT = "<default system prompt>";
const char* const NEWVOICE = "<new voice item>";
const char* const NEWFAX = "<new fax item>";

} // namespace

TEST_F(PickerTest, EachPickerListsItsFixedEntriesThenTheItemsByName)
{
    int nEnd = Run({ [&](HWND h) {
        EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_A_COMBO));
        EXPECT_EQ((Strings{ DEFAULT, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_B_COMBO));
        EXPECT_EQ((Strings{ NEWFAX, "Invoice" }), Entries(h, IDC_C_COMBO));
        EXPECT_EQ((Strings{ NONE, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_D_COMBO));
        Command(h, IDOK, BN_CLICKED);
    } });
    EXPECT_EQ(IDOK, nEnd);
}

// What a field value shows in the picker with "<none>", the default prompt
// and the new-item entry, and in the one with only the default prompt and
// the new-item entry; values that name nothing the picker offers show its
// first entry and leave the dialog usable.
TEST_F(PickerTest, FieldValuesShowTheirEntryAndItemID)
{
    struct Case
    {
        short value;
        int selA; const char* idA; const char* buttonA; bool enabledA;
        int selB; const char* idB;
    } cases[] = {
        { 0, 0, "", "&Edit...", false, 0, "" },
        { 5000, 1, "", "&Edit...", false, 0, "" },
        { 12, 4, "12", "&Edit...", true, 3, "12" },
        { 3, 3, "3", "&Edit...", true, 2, "3" },
        { PXSoftGroupVoiceFaxPicker::ValueNewItem, 2, "", "&New...", true, 1, "" },
        // Nothing the pickers offer: an ID no item has, a number above the
        // IDs, a negative number.
        { 77, 0, "", "&Edit...", false, 0, "" },
        { 3001, 0, "", "&Edit...", false, 0, "" },
        { -1, 0, "", "&Edit...", false, 0, "" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        SetFields(c.value, c.value, 4, 0);
        MessageBoxRecorder boxes;
        Run({ [&](HWND h) {
            EXPECT_EQ(c.selA, Selection(h, IDC_A_COMBO));
            EXPECT_EQ(c.idA, Text(h, IDC_A_ID));
            EXPECT_EQ(c.buttonA, Text(h, IDC_A_BUTTON));
            EXPECT_EQ(c.enabledA, Enabled(h, IDC_A_BUTTON));
            EXPECT_EQ(c.selB, Selection(h, IDC_B_COMBO));
            EXPECT_EQ(c.idB, Text(h, IDC_B_ID));
            Command(h, IDCANCEL, BN_CLICKED);
        } });
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

// A value that names nothing is shown as the first entry but kept until
// the user works with the picker; closing the dialog (the combo box loses
// the focus) writes nothing into the committed or dropped record.
TEST_F(PickerTest, AValueThatNamesNothingIsKeptUntilTheUserChooses)
{
    struct { short value; int end; } cases[] = { { 77, IDOK }, { 3001, IDOK }, { -1, IDOK }, { 77, IDCANCEL } };
    for (auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.value << " end " << c.end);
        SetFields(c.value, c.value, 4, 0);
        MessageBoxRecorder boxes;
        int nEnd = Run({ [&](HWND h) {
            EXPECT_EQ(0, Selection(h, IDC_A_COMBO));
            EXPECT_EQ(0, Selection(h, IDC_B_COMBO));
            SetFocus(GetDlgItem(h, IDC_A_COMBO));
            Command(h, c.end, BN_CLICKED);
        } });
        EXPECT_EQ(c.end, nEnd);
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(0, rec->GetNbCells());
        EXPECT_EQ(c.value, Field(TF_PICK_A));
        EXPECT_EQ(c.value, Field(TF_PICK_B));
    }
}

TEST_F(PickerTest, ChoicesAreStoredAsNoneDefaultPromptOrTheItemsID)
{
    struct Case { int combo; int index; WORD field; short stored; } cases[] = {
        { IDC_A_COMBO, 0, TF_PICK_A, 0 },
        { IDC_A_COMBO, 1, TF_PICK_A, 5000 },
        { IDC_A_COMBO, 4, TF_PICK_A, 12 },
        { IDC_A_COMBO, 3, TF_PICK_A, 3 },
        // Only the default prompt and the new-item entry: the default
        // prompt is 5000 although it is the first entry.
        { IDC_B_COMBO, 0, TF_PICK_B, 5000 },
        { IDC_B_COMBO, 3, TF_PICK_B, 12 },
        { IDC_D_COMBO, 0, TF_PICK_D, 0 },
        { IDC_D_COMBO, 3, TF_PICK_D, 12 },
        { IDC_C_COMBO, 1, TF_PICK_C, 4 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.combo << " entry " << c.index);
        SetFields(12, 3, 4, 3);
        int nEnd = Run({ [&](HWND h) {
            Choose(h, c.combo, c.index);
            EXPECT_EQ(c.stored, Field(c.field));
            Command(h, IDOK, BN_CLICKED);
        } });
        EXPECT_EQ(IDOK, nEnd);
        EXPECT_EQ(c.stored, Field(c.field));
    }
}

TEST_F(PickerTest, OnlyTheDefaultPromptShowsZeroAsTheDefaultPromptAndStoresIt5000)
{
    SetFields(0, 0, 4, 0);
    int nEnd = Run({ [&](HWND h) {
        EXPECT_EQ(0, Selection(h, IDC_B_COMBO));
        EXPECT_EQ(DEFAULT, Entries(h, IDC_B_COMBO)[0]);
        Choose(h, IDC_B_COMBO, 0);
        Command(h, IDOK, BN_CLICKED);
    } });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ(5000, Field(TF_PICK_B));
}

// The button follows the choice, and the button's state is posted to the
// definition (which here writes it into a label).
TEST_F(PickerTest, TheButtonFollowsTheChoiceAndPostsItsState)
{
    Run({ [&](HWND h) {
        struct { int index; const char* text; bool enabled; const char* posted; } steps[] = {
            { 2, "&New...", true, "enabled" },
            { 0, "&Edit...", false, "disabled" },
            { 3, "&Edit...", true, "enabled" },
            { 1, "&Edit...", false, "disabled" },
        };
        for (auto& s : steps)
        {
            Choose(h, IDC_A_COMBO, s.index);
            EXPECT_EQ(s.text, Text(h, IDC_A_BUTTON)) << s.index;
            EXPECT_EQ(s.enabled, Enabled(h, IDC_A_BUTTON)) << s.index;
            EXPECT_EQ(s.posted, Text(h, IDC_BUTTONSTATE)) << s.index;
        }
        Command(h, IDCANCEL, BN_CLICKED);
    } });
}

// The new-item entry is kept as a value of its own: it never reads back as
// the default prompt or an item, and OK refuses it.
TEST_F(PickerTest, OkRefusesTheNewItemEntry)
{
    struct Case { int combo; int index; WORD field; const char* message; } cases[] = {
        { IDC_A_COMBO, 2, TF_PICK_A, "A voice item cannot be left as '<new voice item>'" },
        { IDC_B_COMBO, 1, TF_PICK_B, "A voice item cannot be left as '<new voice item>'" },
        { IDC_C_COMBO, 0, TF_PICK_C, "A fax item cannot be left as '<new fax item>'" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.combo);
        SetFields(12, 3, 4, 0);
        MessageBoxRecorder boxes;
        int nEnd = Run({ [&](HWND h) {
            Choose(h, c.combo, c.index);
            short sValue = Field(c.field);
            EXPECT_EQ(PXSoftGroupVoiceFaxPicker::ValueNewItem, sValue);
            Command(h, IDOK, BN_CLICKED);
            EXPECT_TRUE(IsWindow(h));
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ(c.message, boxes.boxes[0].text);
            Command(h, IDCANCEL, BN_CLICKED);
        } });
        EXPECT_EQ(IDCANCEL, nEnd);
        EXPECT_EQ(1u, boxes.boxes.size());
    }
}

// Enabling the group enables the button only for an item or the new-item
// entry; a disabled picker keeps its button disabled whatever it shows,
// also when a refresh shows its field again, and is not checked on OK.
TEST_F(PickerTest, ReactionsEnableTheButtonOnlyForAnItemOrTheNewItemEntry)
{
    SetFields(0, 5000, 4, 0);
    MessageBoxRecorder boxes;
    int nEnd = Run({
        [&](HWND h) {
            struct { int index; bool button; } choices[] = { { 0, false }, { 1, false }, { 2, true }, { 4, true } };
            for (auto& c : choices)
            {
                Choose(h, IDC_A_COMBO, c.index);
                Click(h, IDC_SWITCH);      // checked: enable the group
                EXPECT_TRUE(Enabled(h, IDC_A_COMBO));
                EXPECT_TRUE(Enabled(h, IDC_A_LABEL));
                EXPECT_EQ(c.button, Enabled(h, IDC_A_BUTTON)) << c.index;
                Click(h, IDC_SWITCH);      // unchecked: disable it
                EXPECT_FALSE(Enabled(h, IDC_A_COMBO));
                EXPECT_FALSE(Enabled(h, IDC_A_ID));
                EXPECT_FALSE(Enabled(h, IDC_A_BUTTON)) << c.index;
                EXPECT_FALSE(Enabled(h, IDC_A_LABEL));
            }
            // A new item made in another picker refreshes this one too.
            Choose(h, IDC_D_COMBO, 1);
            Command(h, IDC_D_BUTTON, BN_CLICKED);
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Spare", "Welcome" }), Entries(h, IDC_A_COMBO));
            EXPECT_EQ(5, Selection(h, IDC_A_COMBO));
            EXPECT_FALSE(Enabled(h, IDC_A_BUTTON));
            // Left on the new-item entry while disabled: OK is not refused.
            Choose(h, IDC_A_COMBO, 2);
            Click(h, IDC_SWITCH);
            EXPECT_TRUE(Enabled(h, IDC_A_BUTTON));
            Click(h, IDC_SWITCH);
            EXPECT_FALSE(Enabled(h, IDC_A_COMBO));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2002, "Spare");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Command(h, IDCANCEL, BN_CLICKED);         // the media dialog
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(PXSoftGroupVoiceFaxPicker::ValueNewItem, Field(TF_PICK_A));
    EXPECT_EQ(1, Field(TF_PICK_D));
}

TEST_F(PickerTest, CancellingTheNewItemDialogLeavesTheItemsAndStoresNone)
{
    SetFields(12, 5000, 4, 0);
    int nEnd = Run({
        [&](HWND h) {
            Choose(h, IDC_A_COMBO, 2);
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ(0, Field(TF_PICK_A));
            EXPECT_EQ(0, Selection(h, IDC_A_COMBO));
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_A_COMBO));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("New voice item", Text(h));
            EXPECT_EQ("1", Text(h, 2001));      // the next free number
            Type(h, 2002, "Unwanted");
            Command(h, IDCANCEL, BN_CLICKED);
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ((Strings{ "Welcome=12", "Alpha=3" }), Items(25251));
    EXPECT_EQ(0, Field(TF_PICK_A));
    EXPECT_EQ(0, kvrIsNameInUse("Unwanted"));
}

// A name in use (by a block) and then an ID in use are refused and the
// dialog opens again with what was entered; the accepted item joins the
// application, the picker shows and stores it, its media dialog follows,
// and every other picker of the page lists it.
TEST_F(PickerTest, NewItemIsCheckedAddedChosenAndListedByEveryPicker)
{
    MessageBoxRecorder boxes;
    int nEnd = Run({
        [&](HWND h) {
            Choose(h, IDC_A_COMBO, 2);
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ(1, Field(TF_PICK_A));
            EXPECT_EQ(4, Selection(h, IDC_A_COMBO));
            EXPECT_EQ("1", Text(h, IDC_A_ID));
            EXPECT_EQ("&Edit...", Text(h, IDC_A_BUTTON));
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Fresh", "Welcome" }), Entries(h, IDC_A_COMBO));
            EXPECT_EQ((Strings{ DEFAULT, NEWVOICE, "Alpha", "Fresh", "Welcome" }), Entries(h, IDC_B_COMBO));
            EXPECT_EQ((Strings{ NONE, NEWVOICE, "Alpha", "Fresh", "Welcome" }), Entries(h, IDC_D_COMBO));
            // The other pickers still show their own fields.
            EXPECT_EQ(0, Selection(h, IDC_B_COMBO));
            EXPECT_EQ(0, Selection(h, IDC_D_COMBO));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("New voice item", Text(h));
            Type(h, 2002, "Menu1");
            Type(h, 2003, "Hello");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("New voice item", Text(h));
            EXPECT_EQ("Menu1", Text(h, 2002));
            EXPECT_EQ("Hello", Text(h, 2003));
            Type(h, 2002, "Fresh");
            Type(h, 2001, "12");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Fresh", Text(h, 2002));
            EXPECT_EQ("12", Text(h, 2001));
            Type(h, 2001, "1");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Voice item media", Text(h));
            EXPECT_EQ("Fresh", Text(h, 2002));
            EXPECT_EQ("1", Text(h, 2001));
            Command(h, IDCANCEL, BN_CLICKED);
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("The specified voice item name is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ("The specified voice item ID is either invalid or currently in use.", boxes.boxes[1].text);
    EXPECT_EQ((Strings{ "Welcome=12", "Alpha=3", "Fresh=1" }), Items(25251));
    EXPECT_EQ(1, kvrIsNameInUse("Fresh"));
    EXPECT_EQ(1, Field(TF_PICK_A));
}

// An application that refuses to commit (its telset passwords differ) does
// not take the new item, and the item is not left waiting in it either: a
// later commit of the application would add it behind the user's back, and
// the next new item would be given the same ID.
TEST_F(PickerTest, ANewItemTheApplicationRefusesIsNotLeftWaitingInIt)
{
    PXFieldValue(25267, userApp).SetInt32(1);
    PXFieldValue(25268, userApp).SetText("one");
    PXFieldValue(25269, userApp).SetText("two");
    MessageBoxRecorder boxes;
    int nEnd = Run({
        [&](HWND h) {
            Choose(h, IDC_A_COMBO, 2);
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ(1u, boxes.boxes.size());      // the application's own message
            EXPECT_EQ(PXSoftGroupVoiceFaxPicker::ValueNewItem, Field(TF_PICK_A));
            EXPECT_EQ(2, Selection(h, IDC_A_COMBO));
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_A_COMBO));
            // The passwords agree again: the next item is the only one added.
            PXFieldValue(25269, userApp).SetText("one");
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ(1, Field(TF_PICK_A));
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Taken", "Welcome" }), Entries(h, IDC_A_COMBO));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2002, "Refused");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("1", Text(h, 2001));
            Type(h, 2002, "Taken");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Voice item media", Text(h));
            Command(h, IDCANCEL, BN_CLICKED);
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ((Strings{ "Welcome=12", "Alpha=3", "Taken=1" }), Items(25251));
    EXPECT_EQ(0, kvrIsNameInUse("Refused"));
    EXPECT_EQ(1, Field(TF_PICK_A));
}

TEST_F(PickerTest, NewFaxItemIsRefusedByNameThenAdded)
{
    SetFields(0, 5000, 0, 0);
    MessageBoxRecorder boxes;
    int nEnd = Run({
        [&](HWND h) {
            EXPECT_EQ(0, Selection(h, IDC_C_COMBO));
            EXPECT_EQ("&New...", Text(h, IDC_C_BUTTON));
            Command(h, IDC_C_BUTTON, BN_CLICKED);
            EXPECT_EQ(1, Field(TF_PICK_C));
            EXPECT_EQ((Strings{ NEWFAX, "Invoice", "Order" }), Entries(h, IDC_C_COMBO));
            EXPECT_EQ(2, Selection(h, IDC_C_COMBO));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("New fax item", Text(h));
            Type(h, 2002, "Invoice");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2002, "Order");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Fax item media", Text(h));
            Command(h, IDOK, BN_CLICKED);
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The specified fax item name is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ((Strings{ "Invoice=4", "Order=1" }), Items(25252));
    EXPECT_EQ(1, Field(TF_PICK_C));
}

// Editing keeps the item's own name although it is in use; another name
// in use is refused; a free name renames the item in the application.
TEST_F(PickerTest, EditingAnItemChecksOnlyANewName)
{
    SetFields(12, 5000, 4, 0);
    MessageBoxRecorder boxes;
    int nEnd = Run({
        [&](HWND h) {
            EXPECT_EQ("&Edit...", Text(h, IDC_A_BUTTON));
            Command(h, IDC_A_BUTTON, BN_CLICKED);     // own name: passes
            EXPECT_TRUE(boxes.boxes.empty());
            Command(h, IDC_A_BUTTON, BN_CLICKED);     // "Alpha" refused, then "Hello"
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Hello" }), Entries(h, IDC_A_COMBO));
            EXPECT_EQ(4, Selection(h, IDC_A_COMBO));
            EXPECT_EQ("12", Text(h, IDC_A_ID));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Edit voice item", Text(h));
            EXPECT_EQ("Welcome", Text(h, 2002));
            Type(h, 2002, "Welcome");
            Type(h, 2003, "Greets the caller");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2002, "Alpha");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("Alpha", Text(h, 2002));
            Type(h, 2002, "Hello");
            Command(h, IDOK, BN_CLICKED);
        },
    });
    EXPECT_EQ(IDOK, nEnd);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The specified voice item name is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ((Strings{ "Hello=12", "Alpha=3" }), Items(25251));
    PXSoftRec* pItem = static_cast<PXSoftRec*>(static_cast<PXObArray*>(userApp->GetFieldMem(25251))->GetAt(0));
    EXPECT_STREQ("Greets the caller", *PXFieldValue(25302, pItem).GetText());
    EXPECT_EQ(1, kvrIsNameInUse("Hello"));
    EXPECT_EQ(0, kvrIsNameInUse("Welcome"));
    EXPECT_EQ(12, Field(TF_PICK_A));
}

// An edit the application refuses to commit is not left waiting in it
// either: the item keeps its stored name, also through the application's
// next commit.
TEST_F(PickerTest, AnEditTheApplicationRefusesIsNotLeftWaitingInIt)
{
    SetFields(12, 5000, 4, 0);
    PXFieldValue(25267, userApp).SetInt32(1);
    PXFieldValue(25268, userApp).SetText("one");
    PXFieldValue(25269, userApp).SetText("two");
    MessageBoxRecorder boxes;
    Run({
        [&](HWND h) {
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ(1u, boxes.boxes.size());      // the application's own message
            EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Welcome" }), Entries(h, IDC_A_COMBO));
            EXPECT_EQ(4, Selection(h, IDC_A_COMBO));
            EXPECT_EQ("12", Text(h, IDC_A_ID));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2002, "Hello");
            Type(h, 2001, "20");
            Command(h, IDOK, BN_CLICKED);
        },
    });
    EXPECT_EQ(1u, boxes.boxes.size());
    PXFieldValue(25269, userApp).SetText("one");
    EXPECT_EQ(1, userApp->Commit());
    EXPECT_EQ((Strings{ "Welcome=12", "Alpha=3" }), Items(25251));
    EXPECT_EQ(0, kvrIsNameInUse("Hello"));
    EXPECT_EQ(12, Field(TF_PICK_A));
}

// Changing an item's ID to another item's would give two items one ID: it
// is refused like a new item's; its own ID passes.
TEST_F(PickerTest, EditingAnItemRefusesAnotherItemsID)
{
    SetFields(12, 5000, 4, 0);
    MessageBoxRecorder boxes;
    Run({
        [&](HWND h) {
            Command(h, IDC_A_BUTTON, BN_CLICKED);
            EXPECT_EQ("20", Text(h, IDC_A_ID));
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            Type(h, 2001, "3");
            Command(h, IDOK, BN_CLICKED);
        },
        [&](HWND h) {
            EXPECT_EQ("3", Text(h, 2001));
            Type(h, 2001, "20");
            Command(h, IDOK, BN_CLICKED);
        },
    });
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The specified voice item ID is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ((Strings{ "Welcome=20", "Alpha=3" }), Items(25251));
    EXPECT_EQ(20, Field(TF_PICK_A));
}

// A page shown again sets its controls up and shows its fields again; the
// items may have changed meanwhile (a picker on another page made one), so
// the list is filled anew and the field's item is found in it.
TEST_F(PickerTest, SettingUpAgainShowsTheItemsAsTheyAreNow)
{
    SetFields(12, 5000, 4, 0);
    Run({ [&](HWND h) {
        EXPECT_EQ(4, Selection(h, IDC_A_COMBO));
        ASSERT_EQ(1, AddItem(25251, 22801, "Beta", 40));
        dialog->SetupControls();
        dialog->TransferToControls(PXSoftIntrfc::FieldToCtrl);
        EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE, "Alpha", "Beta", "Welcome" }), Entries(h, IDC_A_COMBO));
        EXPECT_EQ(5, Selection(h, IDC_A_COMBO));
        EXPECT_EQ("12", Text(h, IDC_A_ID));
        Command(h, IDCANCEL, BN_CLICKED);
    } });
}

namespace {

std::vector<UINT> g_exceptions;     // messages whose handling raised

void RecordException(TWindow*, UINT msg)
{
    g_exceptions.push_back(msg);
}

} // namespace

// The definition and the template must agree: the default prompt with fax
// items, a combo box that sorts itself (positions would not be the name
// order) or one the user can type into are consistency failures.
TEST_F(PickerTest, PickersTheTemplateOrDefinitionGetsWrongFailTheirChecks)
{
    TWindow::TExceptionHandler pfnOld = TWindow::SetExceptionHandler(RecordException);
    g_exceptions.clear();
    g_scripts.push_back([&](HWND h) {
        PXSoftDlg* s = dialog;
        EXPECT_PXASSERT(s->GetSoftCtrl(IDG_FAXDEFAULT)->SetUp(), "StyleDefault");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDG_SORTED)->SetUp(), "CBS_SORT");
        EXPECT_PXASSERT(s->GetSoftCtrl(IDG_DROPDOWN)->SetUp(), "CBS_DROPDOWNLIST");
        Command(h, IDCANCEL, BN_CLICKED);
    });
    PXSoftDlg dlg(TDLG_BADPICK, rec.get(), 1);
    dialog = &dlg;
    EXPECT_EQ(IDCANCEL, dlg.Execute(1));
    dialog = nullptr;
    TWindow::SetExceptionHandler(pfnOld);
    // The first picker's failure was raised while the dialog became ready
    // and was caught at the window's edge.
    ASSERT_EQ(1u, g_exceptions.size());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), g_exceptions[0]);
}

// A picker without fixed entries offers the items only. A value that names
// none of them shows the first item, as it shows the first entry
// elsewhere, and is kept until the user chooses; the button edits the item
// shown. The list closing without a choice, as it does when the combo box
// loses the focus, is no choice.
TEST_F(PickerTest, APickerWithoutFixedEntriesShowsTheFirstItemForAValueThatNamesNone)
{
    struct Case { short value; int sel; const char* id; } cases[] = {
        { 12, 1, "12" },
        { 3, 0, "3" },
        { 0, 0, "3" },
        { 5000, 0, "3" },
        { 77, 0, "3" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        SetFields(c.value, 5000, 4, 0);
        MessageBoxRecorder boxes;
        g_scripts.push_back([&](HWND h) {
            EXPECT_EQ((Strings{ "Alpha", "Welcome" }), Entries(h, 401));
            EXPECT_EQ(c.sel, Selection(h, 401));
            EXPECT_EQ(c.id, Text(h, 402));
            EXPECT_EQ("&Edit...", Text(h, 403));
            EXPECT_TRUE(Enabled(h, 403));
            Command(h, 401, CBN_SELENDCANCEL);
            EXPECT_EQ(c.sel, Selection(h, 401));
            Command(h, IDOK, BN_CLICKED);
        });
        PXSoftDlg dlg(TDLG_BAREPICK, rec.get(), 1);
        EXPECT_EQ(IDOK, dlg.Execute(1));
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(c.value, Field(TF_PICK_A));
    }
}

// Without an active application the pickers offer their fixed entries
// only, and New tells the user instead of failing.
// Item IDs are 16-bit numbers: an ID shown that is larger names no item and
// is refused, not stored as another number.
TEST_F(PickerTest, AnItemIdBeyondSixteenBitsIsRefusedNotSqueezed)
{
    SetFields(12, 5000, 4, 0);
    MessageBoxRecorder boxes;
    Run({ [&](HWND h) {
        SetDlgItemTextA(h, IDC_A_ID, "70000");
        dialog->GetSoftCtrl(IDG_A)->Transfer(PXSoftIntrfc::CtrlToField);
        EXPECT_EQ(12, Field(TF_PICK_A));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The item ID shown is too large. The item was not chosen.", boxes.boxes[0].text);
        Command(h, IDCANCEL, BN_CLICKED);
    } });
}

TEST_F(PickerTest, WithoutAnActiveApplicationNewIsRefusedWithAMessage)
{
    s_pszProgram = nullptr;
    SetFields(0, 5000, 0, 0);
    MessageBoxRecorder boxes;
    Run({ [&](HWND h) {
        EXPECT_EQ((Strings{ NONE, DEFAULT, NEWVOICE }), Entries(h, IDC_A_COMBO));
        Choose(h, IDC_A_COMBO, 2);
        Command(h, IDC_A_BUTTON, BN_CLICKED);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Select an application window before attempting to add voice items.", boxes.boxes[0].text);
        Command(h, IDCANCEL, BN_CLICKED);
    } });
    EXPECT_EQ((Strings{ "Welcome=12", "Alpha=3" }), Items(25251));
}
