// Damaged program files and failing disks: every truncation of a saved file
// and a few thousand seeded byte mutations of it each load (possibly
// repaired) or are refused with a message, and never crash, hang or read
// outside a buffer; a save that fails at any point leaves the previous file
// as it was.
#include "ProgramFileTestSupport.h"
#include "PXTestSdoHost.h"

#include "FileBuffer.h"
#include "IDIndex.h"
#include "PXFieldValue.h"
#include "PXSoftRecPBV.h"

#include "owl/TWindow.h"

#include <cstring>
#include <memory>
#include <random>

namespace
{
// The block sheets of an edit are closed with OK; what a window procedure
// raised is kept.
std::vector<UINT> g_raised;

void PressOk(TWindow* pWnd)
{
    SendMessageA(pWnd->HWindow, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

void RecordRaised(TWindow*, UINT msg)
{
    g_raised.push_back(msg);
}

// The controller's side of the block records, which the items and lists
// of damaged files reach.
struct NoUses : PXTestSdoHost
{
    void AddVoiceItemRef(short) override {}
    void ReleaseVoiceItemRef(short) override {}
    void AddFaxItemRef(short) override {}
    void ReleaseFaxItemRef(short) override {}
    int CopyVoiceItemToClipByID(short) override { return 0; }
    int CopyFaxItemToClipByID(short) override { return 0; }
    int CopyResPermToClipByID(long) override { return 0; }
    int SelectImport(long) override { return 0; }
    int RemoveListEntry(long) override { return 0; }
    int RefreshResPermList() override { return 0; }
    int RefreshImportList() override { return 0; }
    void FreeServerRecord() override {}
    BOOL HasServerLists() override { return FALSE; }
    int FindResPermList(long) override { return -1; }
    int FindLanguage(long) override { return -1; }
};

// Reads the settings of every block of the program as an edit does (item
// uses released and added again, the settings checked), and edits the named
// block's settings in its sheet, closed with OK: no consistency check may
// fire. The caller records the message boxes.
void EditBlocks(Program* pProgram, const char* pszSheetBlock)
{
    TWindow::TModalHook pfnOldHook = TWindow::SetModalHook(PressOk);
    TWindow::TExceptionHandler pfnOldHandler = TWindow::SetExceptionHandler(RecordRaised);
    g_raised.clear();
    NoUses uses;
    PXSdoHost* pOldApp = PXSoftObj::GetApp();
    PXSoftObj::Init(&uses);
    for (ListIterator pages(pProgram->GetPages()); pages;)
    {
        Page& page = static_cast<Page&>(pages++);
        for (ListIterator blocks(page.GetBlocks()); blocks;)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            SCOPED_TRACE(block.GetName());
            try
            {
                if (std::strcmp(block.GetName(), pszSheetBlock) == 0)
                {
                    int nChanged = 0;
                    block.EditProperties(nChanged);
                }
                PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(block.GetType())), &block,
                                    block.GetHandle(), block.GetType());
                record.ReleaseItemRefs();
                record.AddItemRefs();
                record.CheckFinished();
            }
            catch (const PXAssertion& a)
            {
                ADD_FAILURE() << "consistency check " << a.expr << " at " << a.file << ":" << a.line;
            }
        }
    }
    PXSoftObj::Leave(&uses);
    if (pOldApp)
        PXSoftObj::Init(pOldApp);
    TWindow::SetModalHook(pfnOldHook);
    TWindow::SetExceptionHandler(pfnOldHandler);
    EXPECT_TRUE(g_raised.empty()) << "a window procedure raised";
}

class RobustTest : public ProgramFileTest
{
protected:
    // Loads the bytes as a program file; answers whether a program came
    // back. A refusal must come with a message (a box or a prompt).
    // With bBatch the load runs as in a batch: no prompts, and a refusal is
    // written to the batch log.
    bool LoadBytes(const std::string& bytes, int nAnswer, bool bBatch = false)
    {
        WriteWholeFile(m_path, bytes);
        s_prompts.clear();
        s_answers.assign(64, nAnswer);
        MessageBoxRecorder boxes;
        const std::string logPath = PathOf("batch.log");
        FILE* pLog = bBatch ? fopen(logPath.c_str(), "wb") : nullptr;
        std::unique_ptr<Program> pLoaded;
        try
        {
            pLoaded.reset(PXFileLoadProgram(m_path.c_str(), pLog));
        }
        catch (const PXAssertion& a)
        {
            ADD_FAILURE() << "consistency check " << a.expr << " at " << a.file << ":" << a.line;
        }
        if (pLog)
            fclose(pLog);
        EXPECT_EQ(0u, IDIndex::Get().getItemsInContainer());
        if (bBatch)
        {
            EXPECT_TRUE(s_prompts.empty());
        }
        if (!pLoaded)
        {
            bool bLogged = bBatch && ReadWholeFile(logPath).find("ERROR: ") != std::string::npos;
            EXPECT_FALSE(boxes.boxes.empty() && s_prompts.empty() && !bLogged) << "refused without a message";
            return false;
        }
        EXPECT_FALSE(pLoaded->IsModified());
        // What loaded is sound: every object of the editor is the model's,
        // and every block's settings can be read and checked.
        ExpectEditorInModel(pLoaded.get());
        EditBlocks(pLoaded.get(), "");
        return true;
    }

    std::string m_path;
};

} // namespace

TEST_F(RobustTest, EveryTruncationLoadsOrIsRefused)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    m_path = PathOf("robust.ed");
    ASSERT_EQ(1, PXFileSaveProgram(m_path.c_str(), pProgram.get(), nullptr));
    const std::string whole = ReadWholeFile(m_path);
    ASSERT_GT(whole.size(), 1000u);
    int nLoaded = 0;
    for (size_t n = 0; n < whole.size(); ++n)
    {
        SCOPED_TRACE(n);
        // Cut files answer "continue" to every prompt: the end still ends them.
        if (LoadBytes(whole.substr(0, n), IDOK))
            ++nLoaded;
        if (HasFatalFailure() || testing::Test::HasFailure())
            break;
    }
    // Only cuts within the last line (the counter) can load.
    EXPECT_LE(nLoaded, 8);
    EXPECT_TRUE(LoadBytes(whole, IDOK));
}

TEST_F(RobustTest, SeededByteMutationsLoadOrAreRefused)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    m_path = PathOf("mutant.ed");
    ASSERT_EQ(1, PXFileSaveProgram(m_path.c_str(), pProgram.get(), nullptr));
    const std::string whole = ReadWholeFile(m_path);
    std::mt19937 rng(20261210u);
    const char interesting[] = { ',', '~', '[', ']', '\r', '\n', '-', '0', '9', '^', '{', '\0', '\x1A', 'V' };
    int nLoaded = 0, nRefused = 0;
    for (int i = 0; i < 3000; ++i)
    {
        SCOPED_TRACE(i);
        std::string bytes = whole;
        int nEdits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < nEdits && !bytes.empty(); ++e)
        {
            size_t at = rng() % bytes.size();
            switch (rng() % 4)
            {
            case 0: bytes[at] = static_cast<char>(rng() & 0xFF); break;
            case 1: bytes[at] = interesting[rng() % sizeof(interesting)]; break;
            case 2: bytes.erase(at, 1 + rng() % 8); break;
            default: bytes.insert(at, 1, interesting[rng() % sizeof(interesting)]); break;
            }
        }
        // Half of them continue past every prompt, half stop at the first;
        // every third one loads as in a batch.
        if (LoadBytes(bytes, (i & 1) ? IDOK : IDCANCEL, i % 3 == 0))
            ++nLoaded;
        else
            ++nRefused;
        if (testing::Test::HasFailure())
            break;
    }
    // Both outcomes occur: the mutations reach the records.
    EXPECT_GT(nLoaded, 100);
    EXPECT_GT(nRefused, 100);
}

TEST_F(RobustTest, SaveFailingAtAnyPointKeepsThePreviousFile)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("keep.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::string good = ReadWholeFile(path);
    pProgram->GetMainPage()->FindBlockByName("Hello")->SetPosition(5, 5);
    const long long nStep = static_cast<long long>(good.size() / 97) + 1;
    int nFailed = 0;
    bool bSaved = false;
    for (long long nLeft = 0; nLeft <= static_cast<long long>(good.size()) && !bSaved; nLeft += nStep)
    {
        SCOPED_TRACE(nLeft);
        FileBuffer::set_space_left(nLeft);
        MessageBoxRecorder boxes;
        int nResult = PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr);
        FileBuffer::set_space_left(-1);
        if (nResult == 0)
        {
            ++nFailed;
            EXPECT_EQ(good, ReadWholeFile(path));
            EXPECT_TRUE(pProgram->IsModified());
            ASSERT_EQ(1u, boxes.boxes.size());
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(PathOf("keep.BAK").c_str()));
        }
        else
        {
            // The first save with room enough: the last good file is the backup.
            bSaved = true;
            EXPECT_TRUE(boxes.boxes.empty());
            EXPECT_FALSE(pProgram->IsModified());
            EXPECT_EQ(good, ReadWholeFile(PathOf("keep.BAK")));
        }
    }
    EXPECT_TRUE(bSaved);
    EXPECT_GT(nFailed, 50);
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(5, pLoaded->GetMainPage()->FindBlockByName("Hello")->GetX());
}

// A block record whose type number is not that of the model's block of the
// same name (the model keeps the variables of its own type): a record of
// another known type is refused with the block prompt, and a number without
// a block type loads the block as obsolete. Whatever loads can be edited.
TEST_F(RobustTest, ABlockRecordOfAnotherTypeThanTheModelsBlock)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    Page* pMain = pProgram->GetMainPage();
    PowerBlock* pHours = AddBlock(pMain, 406, "Hours", 1200, 100);
    ASSERT_NE(nullptr, pHours);
    {
        PXSoftRecPBV record(static_cast<WORD>(PowerBlockType::ResourceId(406)), pHours, pHours->GetHandle(), 406);
        PXFieldValue(28081, &record).SetText("8:00");
        PXFieldValue(28082, &record).SetText("12:00");
        ASSERT_EQ(1, record.Commit());
    }
    ASSERT_NE(nullptr, pHours->Connect(pMain->FindBlockByName("End"), "Period 1", 0));
    ASSERT_NE(nullptr, pHours->Connect(pMain->FindBlockByName("Hello"), "Other times", 0));
    m_path = PathOf("retyped.ed");
    ASSERT_EQ(1, PXFileSaveProgram(m_path.c_str(), pProgram.get(), nullptr));
    const std::vector<std::string> saved = SplitLines(ReadWholeFile(m_path));

    const struct
    {
        const char* pszBlock;
        int nType;
        bool bKnownType;    // a block type of the palette: the record is refused
    } cases[] = {
        { "Menu1", 406, true },  { "Menu1", 393, true },   { "Hours", 402, true },  { "Hours", 410, true },
        { "Hello", 402, true },  { "Hello", 406, true },   { "Days", 411, true },   { "Menu1", 9999, false },
        { "Hours", 391, false }, { "Hours", -7, false },   { "Menu1", 0, false },   { "Hours", -100, false },
        { "Menu1", -101, false }, { "Hours", 409, true }, { "Menu1", 289, false },
    };
    for (const auto& c : cases)
    {
        for (int nAnswer : { IDOK, IDCANCEL })
        {
            SCOPED_TRACE(testing::Message() << c.pszBlock << " as " << c.nType << ", answer " << nAnswer);
            std::vector<std::string> lines = saved;
            bool bFound = false;
            for (std::string& line : lines)
            {
                std::vector<std::string> f = SplitRecord(line);
                if (f.size() == 13 && f[1] == c.pszBlock)
                {
                    f[11] = std::to_string(c.nType);
                    line = JoinRecord(f);
                    bFound = true;
                }
            }
            ASSERT_TRUE(bFound);
            std::unique_ptr<Program> pLoaded;
            {
                WriteWholeFile(m_path, JoinLines(lines));
                s_prompts.clear();
                s_answers.assign(64, nAnswer);
                MessageBoxRecorder boxes;
                try
                {
                    pLoaded.reset(PXFileLoadProgram(m_path.c_str(), nullptr));
                }
                catch (const PXAssertion& a)
                {
                    ADD_FAILURE() << "consistency check " << a.expr << " at " << a.file << ":" << a.line;
                    continue;
                }
                EXPECT_EQ(0u, IDIndex::Get().getItemsInContainer());
                if (c.bKnownType)
                {
                    ASSERT_FALSE(s_prompts.empty());
                    EXPECT_EQ(std::string(c.pszBlock) + ". Could not load this PowerBlock.  It may be dropped.\n"
                                                        " Continue Loading?",
                              s_prompts[0].text);
                    EXPECT_EQ(nAnswer == IDOK, pLoaded != nullptr);
                    if (pLoaded)
                    {
                        EXPECT_EQ(nullptr, pLoaded->GetMainPage()->FindBlockByName(c.pszBlock));
                    }
                }
                if (!pLoaded)
                {
                    EXPECT_FALSE(boxes.boxes.empty() && s_prompts.empty()) << "refused without a message";
                    continue;
                }
            }
            ExpectEditorInModel(pLoaded.get());
            // A sheet takes its time: the retyped block's is opened once.
            MessageBoxRecorder boxes;
            EditBlocks(pLoaded.get(), nAnswer == IDOK ? c.pszBlock : "");
        }
    }
}

// A page record of another kind than the model's page: its blocks are
// looked up by other names, and a model block that a block of another page
// holds already is not taken a second time.
TEST_F(RobustTest, APageRecordOfAnotherKindTakesNoModelBlockTwice)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    m_path = PathOf("rekinded.ed");
    ASSERT_EQ(1, PXFileSaveProgram(m_path.c_str(), pProgram.get(), nullptr));
    const std::vector<std::string> saved = SplitLines(ReadWholeFile(m_path));
    for (const char* pszPage : { "Sub", "Check" })
    {
        for (int nAnswer : { IDOK, IDCANCEL })
        {
            SCOPED_TRACE(testing::Message() << pszPage << ", answer " << nAnswer);
            std::vector<std::string> lines = saved;
            for (std::string& line : lines)
            {
                std::vector<std::string> f = SplitRecord(line);
                if (f.size() == 3 && f[1] == pszPage)
                {
                    f[2] = "0";
                    line = JoinRecord(f);
                }
            }
            bool bLoaded = LoadBytes(JoinLines(lines), nAnswer);
            // "Begin" of the page names the main page's "Begin" now (a load
            // that stops does so at the first prompt).
            bool bBeginRefused = false;
            for (const Prompt& prompt : s_prompts)
                bBeginRefused = bBeginRefused ||
                    prompt.text == "Begin. Could not load this PowerBlock.  It may be dropped.\n Continue Loading?";
            EXPECT_EQ(nAnswer == IDOK, bBeginRefused);
            EXPECT_FALSE(s_prompts.empty());
            EXPECT_EQ(nAnswer == IDOK, bLoaded);
        }
    }
}
