// The pickers of the Find dialog: the variables the program's blocks use
// and the program's voice items, chosen in the model's own dialog.
#include "PlexModelTest.h"
#include "PXDialogDriver.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kPickList = 100;

void StoreText(int type, const char* name, kvrHandleType* block, const char* text)
{
    int offset = kvrSDOGetSymbolOffset(type, name);
    std::free(kvrSDOGetSymbolPtr(type, name, block, offset));
    char* mem = static_cast<char*>(kvrSDOAllocateMem(type, name, block, offset));
    ASSERT_NE(nullptr, mem);
    lstrcpynA(mem, text, kvrSDOGetSymbolSize(type, name));
}

std::vector<std::string> Lines(HWND hDlg)
{
    std::vector<std::string> lines;
    int n = static_cast<int>(SendDlgItemMessageA(hDlg, kPickList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        char sz[128] = "";
        SendDlgItemMessageA(hDlg, kPickList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(sz));
        lines.push_back(sz);
    }
    return lines;
}

// What the picker showed when it opened, and the line the script chose
// (-1 presses OK without a choice, -2 cancels).
struct Seen
{
    std::string caption;
    std::vector<std::string> lines;
    int selected = -1;
};

void Answer(Seen& seen, const char* pszChoose, bool bCancel = false)
{
    std::string choose = pszChoose ? pszChoose : "";
    AnswerNextDialog([&seen, choose, bCancel](HWND hDlg) {
        seen.caption = Text(hDlg);
        seen.lines = Lines(hDlg);
        seen.selected = static_cast<int>(SendDlgItemMessageA(hDlg, kPickList, LB_GETCURSEL, 0, 0));
        if (!choose.empty())
        {
            LRESULT n = SendDlgItemMessageA(hDlg, kPickList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(choose.c_str()));
            SendDlgItemMessageA(hDlg, kPickList, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
        }
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(bCancel ? IDCANCEL : IDOK, BN_CLICKED), 0);
    });
}

class PickerTest : public ModelTest
{
protected:
    void TearDown() override
    {
        DisarmDialogAnswer();
        ModelTest::TearDown();
    }
};

} // namespace

TEST_F(PickerTest, TheVariablePickerListsTheNamesTheBlocksUseOnce)
{
    kvrHandleType* pw1 = Block(411, "Check1");
    kvrHandleType* pw2 = Block(411, "Check2");
    kvrHandleType* menu = Block(402, "Menu1");
    StoreText(411, "Password Entry 1", pw1, "Secret");
    StoreText(411, "Confirmation Entry 1", pw1, "Again");
    StoreText(411, "Password Entry 2", pw2, "SECRET");      // the same, in other case
    StoreText(402, "Menu choices", menu, "Greeting");       // an item setting: no variable

    Seen seen;
    Answer(seen, "Again");
    kvrHandleType* h = kvrSelectVariable("secret", -1, -1, -1, nullptr);
    ASSERT_TRUE(DialogAnswerRan());
    EXPECT_EQ("Select Variable", seen.caption);
    EXPECT_EQ((std::vector<std::string>{"Again", "Secret"}), seen.lines);
    EXPECT_EQ(1, seen.selected) << "the name given is chosen at the start";
    ASSERT_NE(nullptr, h);
    const kvrVariableInfo* pInfo = kvrGetVariableInfo(h);
    ASSERT_NE(nullptr, pInfo);
    EXPECT_STREQ("Again", pInfo->Name);
    EXPECT_EQ(KVR_SYM_TEXT, pInfo->Type);
    EXPECT_EQ(1, kvrIsPBUseVariable(pw1, pInfo->Name)) << "what is picked is what Find looks for";

    // The next pick ends the last one's handle; a cancel or an OK without
    // a choice answers none.
    Seen cancelled;
    Answer(cancelled, "Secret", true);
    EXPECT_EQ(nullptr, kvrSelectVariable(nullptr, -1, -1, -1, nullptr));
    EXPECT_TRUE(DialogAnswerRan());
    EXPECT_EQ(-1, cancelled.selected);
    EXPECT_EQ(nullptr, kvrGetVariableInfo(h));
    Seen none;
    Answer(none, nullptr);
    EXPECT_EQ(nullptr, kvrSelectVariable("Unknown", -1, -1, -1, nullptr));
    EXPECT_TRUE(DialogAnswerRan());

    // Handles of other kinds are no variables.
    EXPECT_EQ(nullptr, kvrGetVariableInfo(pw1));
    EXPECT_EQ(nullptr, kvrGetVariableInfo(nullptr));
}

TEST_F(PickerTest, AProgramsRemovalEndsItsVariableHandles)
{
    kvrHandleType* pw = Block(411, "Check1");
    StoreText(411, "Password Entry 1", pw, "Code");
    Seen seen;
    Answer(seen, "Code");
    kvrHandleType* h = kvrSelectVariable(nullptr, -1, -1, -1, nullptr);
    ASSERT_NE(nullptr, h);
    ASSERT_EQ(KVR_OK, kvrRemoveProgram(m_prog));
    m_prog = nullptr;
    EXPECT_EQ(nullptr, kvrGetVariableInfo(h));
    // Without a current program there is nothing to pick from.
    AnswerNextDialog([](HWND hDlg) { PostMessageA(hDlg, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(nullptr, kvrSelectVariable(nullptr, -1, -1, -1, nullptr));
    EXPECT_EQ(nullptr, kvrPickVoiceSentence(nullptr, ""));
    EXPECT_FALSE(DialogAnswerRan()) << "no dialog without a program";
}

TEST_F(PickerTest, TheSentencePickerListsTheVoiceItems)
{
    kvrItemData* voice = static_cast<kvrItemData*>(std::calloc(1, sizeof(kvrItemData)));
    kvrItemData* fax = static_cast<kvrItemData*>(std::calloc(1, sizeof(kvrItemData)));
    fax->mediaKind = 3;
    Symbol* pWelcome = nullptr;
    Symbol* pFax = nullptr;
    Symbol* pHidden = nullptr;
    Symbol* pList = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&pWelcome, "Welcome", KVR_SYM_ITEM, 1, 1, 1, 0, voice));
    ASSERT_EQ(1, kvrAddSymbol(&pFax, "Prices", KVR_SYM_ITEM, 1, 3000, 1, 0, fax));
    ASSERT_EQ(1, kvrAddSymbol(&pHidden, "Internal", KVR_SYM_ITEM, 1, 2, 1, 1, nullptr));
    ASSERT_EQ(1, kvrAddSymbol(&pList, "Staff", KVR_SYM_RESPERM, 1, 44, 1, 0, nullptr));

    Seen seen;
    Answer(seen, "Welcome");
    kvrHandleType* h = kvrPickVoiceSentence(nullptr, "");
    ASSERT_TRUE(DialogAnswerRan());
    EXPECT_EQ("Select Voice Sentence", seen.caption);
    EXPECT_EQ((std::vector<std::string>{"Welcome"}), seen.lines);
    EXPECT_EQ(-1, seen.selected);
    ASSERT_NE(nullptr, h);
    EXPECT_STREQ("Welcome", kvrGetSymbolName(h));

    // A deleted item is no handle any more; Cancel answers none.
    ASSERT_EQ(1, kvrDeleteSymbol("Welcome", KVR_SYM_ITEM));
    std::free(voice);
    EXPECT_EQ(nullptr, kvrGetSymbolName(h));
    Seen cancelled;
    Answer(cancelled, nullptr, true);
    EXPECT_EQ(nullptr, kvrPickVoiceSentence(nullptr, "Welcome"));
    EXPECT_TRUE(cancelled.lines.empty());
    kvrDeleteSymbol("Prices", KVR_SYM_ITEM);
    std::free(fax);
}
