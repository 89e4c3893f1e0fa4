// Damaged program files and failing disks: every truncation of a saved file
// and a few thousand seeded byte mutations of it each load (possibly
// repaired) or are refused with a message, and never crash, hang or read
// outside a buffer; a save that fails at any point leaves the previous file
// as it was.
#include "ProgramFileTestSupport.h"

#include "FileBuffer.h"
#include "IDIndex.h"

#include <memory>
#include <random>

namespace
{
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
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(m_path.c_str(), pLog));
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
        // What loaded is sound: every object of the editor is the model's.
        ExpectEditorInModel(pLoaded.get());
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
