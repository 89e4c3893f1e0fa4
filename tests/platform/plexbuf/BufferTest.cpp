// plexbuf: encoding of words, longs and strings, bounded string reads, and
// the save that writes a new file beside the old one.
#include "PXTestSupport.h"

#include "FileBuffer.h"

#include <string.h>

#include <string>

namespace {

// A scratch directory of one test, removed with what it holds.
class ScratchDir
{
public:
    ScratchDir()
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        char szName[MAX_PATH];
        GetTempFileNameA(szTemp, "pbt", 0, szName);
        DeleteFileA(szName);
        CreateDirectoryA(szName, nullptr);
        m_dir = szName;
    }
    ~ScratchDir()
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((m_dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE)
        {
            do {
                std::string f = m_dir + "\\" + fd.cFileName;
                SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(f.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(m_dir.c_str());
    }
    std::string Path(const char* pszName) const { return m_dir + "\\" + pszName; }
    int FileCount() const
    {
        int n = 0;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((m_dir + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return 0;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++n;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return n;
    }

private:
    std::string m_dir;
};

std::string ReadAll(const std::string& path)
{
    std::string s;
    FILE* fp = fopen(path.c_str(), "rb");
    if (!fp)
        return "<missing>";
    int ch;
    while ((ch = getc(fp)) != EOF)
        s += static_cast<char>(ch);
    fclose(fp);
    return s;
}

void WriteAll(const std::string& path, const std::string& s)
{
    FILE* fp = fopen(path.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    fwrite(s.data(), 1, s.size(), fp);
    fclose(fp);
}

// Restores an unlimited disk after a test that limited it.
struct SpaceLimit
{
    explicit SpaceLimit(long long n) { FileBuffer::set_space_left(n); }
    ~SpaceLimit() { FileBuffer::set_space_left(-1); }
};

} // namespace

TEST(BufferTest, WordsLongsBytesAndStringsReadBackAsWritten)
{
    ScratchDir dir;
    std::string path = dir.Path("enc.bin");
    {
        FileBuffer fb(path.c_str(), "wb");
        ASSERT_TRUE(fb.is_open());
        EXPECT_TRUE(fb.write_byte(0xAB));
        EXPECT_TRUE(fb.write_word(0x1234));
        EXPECT_TRUE(fb.write_word(0xFFFF));
        EXPECT_TRUE(fb.write_long(0x89ABCDEFul));
        EXPECT_TRUE(fb.write_long(static_cast<unsigned long>(-5L)));
        EXPECT_TRUE(fb.write_string("Main"));
        EXPECT_TRUE(fb.write_string(""));
        EXPECT_TRUE(fb.close());
    }
    // The encoding is low byte first, strings counted by a word.
    EXPECT_EQ(ReadAll(path), std::string("\xAB\x34\x12\xFF\xFF\xEF\xCD\xAB\x89\xFB\xFF\xFF\xFF"
                                         "\x04\x00Main\x00\x00", 21));
    FileBuffer fb(path.c_str(), "rb");
    ASSERT_TRUE(fb.is_open());
    unsigned char b = 0;
    unsigned short w = 0;
    short sw = 0;
    unsigned long ul = 0;
    long l = 0;
    char sz[16];
    EXPECT_TRUE(fb.read_byte(b));
    EXPECT_EQ(b, 0xAB);
    EXPECT_TRUE(fb.read_word(w));
    EXPECT_EQ(w, 0x1234);
    EXPECT_TRUE(fb.read_word(sw));
    EXPECT_EQ(sw, -1);
    EXPECT_TRUE(fb.read_long(ul));
    EXPECT_EQ(ul, 0x89ABCDEFul);
    EXPECT_TRUE(fb.read_long(l));
    EXPECT_EQ(l, -5L);
    EXPECT_TRUE(fb.read_string(sz, sizeof(sz)));
    EXPECT_STREQ(sz, "Main");
    EXPECT_TRUE(fb.read_string(sz, sizeof(sz)));
    EXPECT_STREQ(sz, "");
    // At the end every read fails.
    EXPECT_FALSE(fb.read_byte(b));
    EXPECT_FALSE(fb.read_word(w));
    EXPECT_FALSE(fb.read_long(l));
    EXPECT_TRUE(fb.at_end());
}

TEST(BufferTest, SeekAndRawReadsAnswerWhetherAllBytesCame)
{
    ScratchDir dir;
    std::string path = dir.Path("raw.bin");
    WriteAll(path, "0123456789");
    FileBuffer fb(path.c_str(), "rb");
    char ab[8] = {};
    EXPECT_TRUE(fb.seek(6));
    EXPECT_EQ(fb.tell(), 6);
    EXPECT_TRUE(fb.read(ab, 4));
    EXPECT_EQ(std::string(ab, 4), "6789");
    EXPECT_TRUE(fb.seek(8));
    EXPECT_FALSE(fb.read(ab, 4));   // a short read is a failure
}

TEST(BufferTest, StringReadsAreBoundedByTheCallersBuffer)
{
    struct Case
    {
        std::string bytes;  // the stored string
        int nSize;          // the caller's buffer
        bool bOk;
        const char* pszText;
    };
    const Case cases[] = {
        { std::string("\x05\x00" "abcde", 7), 6, true, "abcde" },    // fits with its NUL
        { std::string("\x06\x00" "abcdef", 8), 6, false, "" },       // one too long
        { std::string("\xFF\xFF" "abc", 5), 16, false, "" },         // damaged count
        { std::string("\x04\x00" "ab", 4), 16, false, "" },          // file ends inside
        { std::string("\x01", 1), 16, false, "" },                   // count cut short
    };
    ScratchDir dir;
    std::string path = dir.Path("str.bin");
    for (const Case& c : cases)
    {
        WriteAll(path, c.bytes);
        FileBuffer fb(path.c_str(), "rb");
        char buf[32];
        memset(buf, 'Z', sizeof(buf));
        EXPECT_EQ(fb.read_string(buf, c.nSize) != 0, c.bOk) << c.bytes;
        EXPECT_STREQ(buf, c.pszText);
        for (int i = c.nSize; i < static_cast<int>(sizeof(buf)); ++i)
            ASSERT_EQ(buf[i], 'Z') << "written beyond the buffer at " << i;
    }
}

TEST(BufferTest, FileThatCannotBeOpenedHasNoHandleAndRefusesEverything)
{
    ScratchDir dir;
    std::string missing = dir.Path("none.ed");
    FileBuffer rd(missing.c_str(), "rb");
    EXPECT_FALSE(rd.is_open());
    EXPECT_EQ(rd.file(), nullptr);
    unsigned char b;
    EXPECT_FALSE(rd.read_byte(b));

    std::string badDir = dir.Path("no such dir\\prog.ed");
    FileBuffer wr(badDir.c_str(), "w+b");
    EXPECT_FALSE(wr.is_open());
    EXPECT_FALSE(wr.write_word(1));
    EXPECT_TRUE(wr.failed());

    FileBuffer nw(badDir.c_str(), "w+b", FileBuffer::replace);
    EXPECT_FALSE(nw.is_open());
    EXPECT_EQ(nw.commit(nullptr), FileBuffer::commit_failed);
}

TEST(BufferTest, FullDiskFailsTheWriteAndTheFlagStays)
{
    ScratchDir dir;
    std::string path = dir.Path("full.bin");
    FileBuffer fb(path.c_str(), "wb");
    ASSERT_TRUE(fb.is_open());
    SpaceLimit limit(5);
    EXPECT_TRUE(fb.write_long(1));
    EXPECT_FALSE(fb.failed());
    EXPECT_FALSE(fb.write_long(2));     // only one byte left
    EXPECT_TRUE(fb.failed());
    FileBuffer::set_space_left(-1);
    EXPECT_TRUE(fb.write_long(3));      // later writes go on, the failure is kept
    EXPECT_TRUE(fb.failed());
    EXPECT_FALSE(fb.close());
}

TEST(BufferTest, FailedWriteOfAnotherWriterOnTheHandleFailsTheClose)
{
    ScratchDir dir;
    std::string path = dir.Path("shared.bin");
    WriteAll(path, "content");
    FileBuffer fb(path.c_str(), "rb");
    ASSERT_TRUE(fb.is_open());
    // A write through the handle of a file open for reading fails in the
    // C library; the FileBuffer sees it when it flushes and closes.
    EXPECT_EQ(fputs("x", fb.file()), EOF);
    EXPECT_FALSE(fb.flush());
    EXPECT_FALSE(fb.close());
}

TEST(BufferTest, SaveBesideKeepsTheOldFileUntilCommit)
{
    ScratchDir dir;
    std::string path = dir.Path("app.ed");
    std::string bak = dir.Path("app.BAK");
    WriteAll(path, "old program");
    {
        FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
        ASSERT_TRUE(fb.is_open());
        EXPECT_STRNE(fb.path(), fb.name());
        EXPECT_TRUE(fb.write("new program", 11));
        EXPECT_EQ(ReadAll(path), "old program");
        EXPECT_EQ(dir.FileCount(), 2);
        EXPECT_EQ(fb.commit(bak.c_str()), FileBuffer::committed);
        EXPECT_FALSE(fb.is_open());
    }
    EXPECT_EQ(ReadAll(path), "new program");
    EXPECT_EQ(ReadAll(bak), "old program");
    EXPECT_EQ(dir.FileCount(), 2);

    // The next save replaces the older backup.
    {
        FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
        EXPECT_TRUE(fb.write("third", 5));
        EXPECT_EQ(fb.commit(bak.c_str()), FileBuffer::committed);
    }
    EXPECT_EQ(ReadAll(path), "third");
    EXPECT_EQ(ReadAll(bak), "new program");
}

TEST(BufferTest, NewFileWithoutOldOneAndWithoutBackup)
{
    ScratchDir dir;
    std::string path = dir.Path("fresh.ed");
    FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
    EXPECT_TRUE(fb.write("x", 1));
    EXPECT_EQ(fb.commit(dir.Path("fresh.BAK").c_str()), FileBuffer::committed);
    EXPECT_EQ(ReadAll(path), "x");
    EXPECT_EQ(dir.FileCount(), 1);
}

TEST(BufferTest, FailedOrAbandonedSaveLeavesTheLastGoodFile)
{
    ScratchDir dir;
    std::string path = dir.Path("app.ed");
    std::string bak = dir.Path("app.BAK");
    // At every point of the write the disk fills up: the old file and its
    // backup are untouched and no new file is left behind.
    const std::string content(300, 'n');
    for (long long nSpace = 0; nSpace < 300; nSpace += 37)
    {
        WriteAll(path, "good");
        WriteAll(bak, "older");
        {
            SpaceLimit limit(nSpace);
            FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
            ASSERT_TRUE(fb.is_open());
            for (size_t i = 0; i < content.size(); i += 10)
                fb.write(content.data() + i, 10);
            EXPECT_TRUE(fb.failed());
            EXPECT_EQ(fb.commit(bak.c_str()), FileBuffer::commit_failed);
        }
        EXPECT_EQ(ReadAll(path), "good");
        EXPECT_EQ(ReadAll(bak), "older");
        EXPECT_EQ(dir.FileCount(), 2) << "space " << nSpace;
    }
    // A save given up without commit removes its new file.
    {
        FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
        EXPECT_TRUE(fb.write("half", 4));
    }
    EXPECT_EQ(ReadAll(path), "good");
    EXPECT_EQ(dir.FileCount(), 2);
}

TEST(BufferTest, ReadOnlyBackupIsKeptAndTheNewFileStillTakesItsPlace)
{
    ScratchDir dir;
    std::string path = dir.Path("app.ed");
    std::string bak = dir.Path("app.BAK");
    WriteAll(path, "previous");
    WriteAll(bak, "protected");
    SetFileAttributesA(bak.c_str(), FILE_ATTRIBUTE_READONLY);
    FileBuffer fb(path.c_str(), "w+b", FileBuffer::replace);
    EXPECT_TRUE(fb.write("latest", 6));
    EXPECT_EQ(fb.commit(bak.c_str()), FileBuffer::committed_without_backup);
    EXPECT_EQ(ReadAll(path), "latest");
    EXPECT_EQ(ReadAll(bak), "protected");
}
