// A block's settings printed for the block report: numbered settings named
// from the lookup tables, the page break through the caller's pager, and
// the blocks found by their model names.
#include "PlexModelTest.h"

#include <string>
#include <vector>

namespace {

struct Pager
{
    std::vector<int> finished;  // the page numbers handed over
    int result = 1;
    static int Next(void* context, HDC, int page)
    {
        Pager* p = static_cast<Pager*>(context);
        p->finished.push_back(page);
        return p->result;
    }
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM lParam)
{
    auto* texts = reinterpret_cast<std::vector<std::string>*>(lParam);
    if (rec->iType == EMR_EXTTEXTOUTW)
    {
        const EMREXTTEXTOUTW* p = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        const WCHAR* pw = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) + p->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < p->emrtext.nChars; ++i)
            text += static_cast<char>(pw[i]);
        texts->push_back(text);
    }
    return 1;
}

// A metafile DC on the screen with a font of the report's body selected.
HFONT g_hFont = nullptr;
HDC NewDC()
{
    HDC hDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (!g_hFont)
        g_hFont = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Helv");
    SelectObject(hDC, g_hFont);
    return hDC;
}

// The texts drawn into a metafile DC, which is closed.
std::vector<std::string> Close(HDC hDC)
{
    std::vector<std::string> texts;
    SelectObject(hDC, GetStockObject(SYSTEM_FONT));
    HENHMETAFILE emf = CloseEnhMetaFile(hDC);
    EnumEnhMetaFile(nullptr, emf, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(emf);
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& s)
{
    for (const std::string& t : texts)
        if (t == s)
            return true;
    return false;
}

void SetText(int type, kvrHandleType* block, const char* var, const char* value)
{
    char* text = static_cast<char*>(kvrSDOGetSymbolPtr(type, var, block, kvrSDOGetSymbolOffset(type, var)));
    ASSERT_NE(nullptr, text) << var;
    std::strcpy(text, value);
}

template <class T>
void SetNumber(int type, kvrHandleType* block, const char* var, T value)
{
    T* p = static_cast<T*>(kvrSDOGetSymbolPtr(type, var, block, kvrSDOGetSymbolOffset(type, var)));
    ASSERT_NE(nullptr, p) << var;
    *p = value;
}

} // namespace

class PrintTest : public ModelTest
{
protected:
    void TearDown() override
    {
        kvrSetupComboString(KVR_COMBO_OTHER, nullptr, nullptr, nullptr, nullptr, nullptr);
        ModelTest::TearDown();
    }
    int Print(const char* name, HDC hDC, int& y, int& page)
    {
        kvrPrintPager p = { &pager, &Pager::Next };
        return kvrPrintAppPB(name, hDC, &p, &y, &page);
    }
    Pager pager;
};

TEST_F(PrintTest, NumberedSettingsAreNamedFromTheTablesOfTheBlocksKind)
{
    const ComboStruct voice[] = { { 3, "Welcome" }, { KVR_COMBO_END, nullptr } };
    const ComboStruct fax[] = { { 3, "Order form" }, { KVR_COMBO_END, nullptr } };
    const ComboStruct lists[] = { { 7, "Staff" }, { KVR_COMBO_END, nullptr } };
    const ComboStruct prompts[] = { { 0, "English" }, { 0, "French" }, { KVR_COMBO_END, nullptr } };

    kvrHandleType* thru = Block(405, "Thru1");
    SetText(405, thru, "Thru-Dial greeting", "3");
    SetNumber<long>(405, thru, "Restriction/permission list", 7);
    kvrHandleType* faxSelect = Block(413, "Fax1");
    SetText(413, faxSelect, "Fax Item", "3");
    kvrHandleType* language = Block(403, "Lang1");
    SetNumber<short>(403, language, "System prompt", 1);
    kvrHandleType* unnamed = Block(405, "Thru2");
    SetText(405, unnamed, "Thru-Dial greeting", "12");

    struct Row { const char* block; int kind; const char* expected; } rows[] = {
        { "Thru1", KVR_COMBO_THRUDIAL, "Welcome (3)" },
        { "Thru1", KVR_COMBO_THRUDIAL, "Staff (7)" },
        { "Fax1", KVR_COMBO_FAXSELECT, "Order form (3)" },
        { "Lang1", KVR_COMBO_LANGUAGESELECT, "French" },
        { "Thru2", KVR_COMBO_THRUDIAL, "12" },      // not in the table
        { "Thru2", KVR_COMBO_THRUDIAL, "None" },    // no list
    };
    for (const Row& r : rows)
    {
        ASSERT_EQ(KVR_OK, kvrSetupComboString(r.kind, nullptr, prompts, lists, voice, fax));
        HDC hDC = NewDC();
        int y = 0, page = 1;
        EXPECT_EQ(KVR_OK, Print(r.block, hDC, y, page));
        EXPECT_GT(y, 0);
        EXPECT_EQ(1, page);
        const std::vector<std::string> texts = Close(hDC);
        EXPECT_TRUE(Has(texts, r.expected)) << r.block << ": " << r.expected;
    }
    EXPECT_TRUE(pager.finished.empty());

    // Without tables the numbers stand as they are.
    ASSERT_EQ(KVR_OK, kvrSetupComboString(KVR_COMBO_THRUDIAL, nullptr, nullptr, nullptr, nullptr, nullptr));
    HDC hDC = NewDC();
    int y = 0, page = 1;
    EXPECT_EQ(KVR_OK, Print("Thru1", hDC, y, page));
    const std::vector<std::string> texts = Close(hDC);
    EXPECT_TRUE(Has(texts, "3"));
    EXPECT_TRUE(Has(texts, "Thru-Dial greeting"));
}

// An announcement's and a transfer's voice items by name; the pickers'
// "<none>" (0) and "<default system prompt>" (5000) are not items.
TEST_F(PrintTest, VoiceItemSettingsNameTheItemNoneOrTheSystemsPrompt)
{
    const ComboStruct voice[] = { { 3, "Welcome" }, { 5000, "Not an item" }, { KVR_COMBO_END, nullptr } };
    kvrHandleType* hello = Block(393, "Hello");
    kvrHandleType* transfer = Block(394, "Transfer");
    kvrHandleType* quiet = Block(394, "Quiet");
    SetText(393, hello, "Voice Item", "3");
    SetText(394, transfer, "Transfer prompt", "5000");
    SetText(394, quiet, "Transfer prompt", "0");
    struct Row { const char* block; int kind; const char* label; const char* expected; } rows[] = {
        { "Hello", KVR_COMBO_ANNOUNCEMENT, "Voice Item", "Welcome (3)" },
        { "Transfer", KVR_COMBO_CALLTRANSFER, "Transfer prompt", "Default system prompt" },
        { "Quiet", KVR_COMBO_CALLTRANSFER, "Transfer prompt", "None" },
        { "Transfer", KVR_COMBO_CALLTRANSFER, "Number of rings", "4" },
    };
    for (const Row& r : rows)
    {
        ASSERT_EQ(KVR_OK, kvrSetupComboString(r.kind, nullptr, nullptr, nullptr, voice, nullptr));
        HDC hDC = NewDC();
        int y = 0, page = 1;
        EXPECT_EQ(KVR_OK, Print(r.block, hDC, y, page));
        const std::vector<std::string> texts = Close(hDC);
        // Each label is followed by its value.
        bool found = false;
        for (size_t i = 0; i + 1 < texts.size(); ++i)
            found = found || (texts[i] == r.label && texts[i + 1] == r.expected);
        EXPECT_TRUE(found) << r.block << ": " << r.label << " " << r.expected;
    }
}

TEST_F(PrintTest, ALineBelowTheBottomGoesToTheNextPageOfThePager)
{
    kvrHandleType* menu = Block(402, "Menu1");
    ASSERT_NE(nullptr, menu);
    HDC hDC = NewDC();
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(hDC, &tm));
    const int L = tm.tmHeight + tm.tmExternalLeading;
    const int bottom = GetDeviceCaps(hDC, VERTRES) - 4 * L;
    int y = bottom - L / 2, page = 4;
    EXPECT_EQ(KVR_OK, Print("Menu1", hDC, y, page));
    ASSERT_EQ(1u, pager.finished.size());
    EXPECT_EQ(4, pager.finished[0]);
    EXPECT_EQ(5, page);
    EXPECT_GT(y, 4 * L);
    EXPECT_LE(y, bottom);

    // A page that does not start: the rest is not printed.
    pager.result = 0;
    y = bottom - L / 2;
    EXPECT_EQ(KVR_ERR_IO, Print("Menu1", hDC, y, page));
    EXPECT_EQ(5, page);
    Close(hDC);
}

TEST_F(PrintTest, BlocksAreFoundByTheirModelNames)
{
    kvrHandleType* sub = kvrCreatePage("Sub1", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(KVR_OK, kvrActivatePage(sub));
    Block(402, "Menu1");
    HDC hDC = NewDC();
    int y = 0, page = 1;
    EXPECT_EQ(KVR_OK, Print("Sub1$Menu1", hDC, y, page));
    EXPECT_EQ(KVR_ERR_HANDLE, Print("Menu1", hDC, y, page));
    EXPECT_EQ(KVR_ERR_HANDLE, Print("Sub1$Nothing", hDC, y, page));
    EXPECT_EQ(KVR_ERR_ARGUMENT, Print(nullptr, hDC, y, page));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrPrintAppPB("Sub1$Menu1", hDC, nullptr, &y, &page));
    EXPECT_EQ(KVR_ERR_ARGUMENT, Print("Sub1$Menu1", nullptr, y, page));
    Close(hDC);
}
