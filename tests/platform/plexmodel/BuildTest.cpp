// The build: a saved program file compiled into its run-time file beside
// it, read back line by line; and the builds that fail, which leave the
// older run-time file as it was and nothing half-written.
#include "PlexModelTest.h"

#include <vector>

namespace {

const char kHeader[] = "{FileHeader}\r\n[Zantrel Plexwright Graphical Editor File,V9.01,]\r\n"
                       "{EndofFileHeader}\r\n";
const char kAfter[] = "{Program}\r\n[1,]\r\n{EndofProgram}\r\n";

// A scratch folder with the program file "Sales.ed" in it.
class BuildFolder
{
public:
    BuildFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "kvb", 0, m_dir);
        DeleteFileA(m_dir);
        CreateDirectoryA(m_dir, nullptr);
        program = std::string(m_dir) + "\\Sales.ed";
        run = std::string(m_dir) + "\\Sales.run";
    }
    ~BuildFolder()
    {
        for (const std::string& name : Files())
        {
            std::string path = std::string(m_dir) + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(m_dir);
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((std::string(m_dir) + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }
    static void Put(const std::string& path, const std::string& text)
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    static std::string Get(const std::string& path)
    {
        std::string text;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return text;
        int c;
        while ((c = std::fgetc(f)) != EOF)
            text += static_cast<char>(c);
        std::fclose(f);
        return text;
    }
    std::string program;
    std::string run;

private:
    char m_dir[MAX_PATH] = "";
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size())
    {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

class BuildTest : public ModelTest
{
protected:
    // The current program saved as the editor saves it.
    void Save()
    {
        TempFile model;
        ASSERT_EQ(KVR_OK, kvrWriteProgram(model.f, model.f, 0));
        std::string part = model.Text();
        // The model ends its lines with a line feed; the editor's file has
        // CR LF elsewhere: the build reads both.
        BuildFolder::Put(folder.program, kHeader + part + kAfter);
    }
    BuildFolder folder;
};

} // namespace

TEST_F(BuildTest, BuildsBlocksVariablesOutputsAndTheirTargets)
{
    kvrHandleType* begin = Block(KVR_PB_BEGIN, "Begin");
    kvrHandleType* menu = Block(402, "Main|Menu");
    kvrHandleType* end = Block(KVR_PB_END, "End");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(begin, menu, 0));
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, end, ConnIndex(menu, "1")));
    ASSERT_EQ(KVR_OK, kvrCreateGoto(menu, menu, ConnIndex(menu, "*")));
    *static_cast<long*>(kvrSDOGetSymbolPtr(402, "Max number of no responses", menu,
                                            kvrSDOGetSymbolOffset(402, "Max number of no responses"))) = 5;
    kvrHandleType* sub = kvrCreatePage("Sub", KVR_PAGE_NORMAL, 0);
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(KVR_OK, kvrActivatePage(sub));
    kvrHandleType* subBegin = Block(KVR_PB_BEGIN, "Begin");
    kvrHandleType* say = Block(393, "Say");
    ASSERT_EQ(KVR_OK, kvrCreateGoto(subBegin, say, 0));
    ASSERT_NE(0, kvrImportRLL(m_prog, "Orders.12", nullptr));
    Save();

    TempFile listing;
    ASSERT_EQ(KVR_OK, kvrBuildProgram(folder.program.c_str(), 1, 4711, 0, listing.f, 0, 0, 0));
    std::string run = BuildFolder::Get(folder.run);
    EXPECT_EQ(run, listing.Text());
    std::vector<std::string> lines = Lines(run);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ("{PlexwrightRun}", lines.front());
    EXPECT_EQ("{EndofPlexwrightRun}", lines.back());
    EXPECT_EQ("Format|1", lines[1]);
    EXPECT_EQ("Application|1|4711|Sales.ed", lines[2]);

    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Page|Main|1|1|0"));
    EXPECT_TRUE(has("Page|Sub|1|0|0"));
    EXPECT_TRUE(has("Block|1|Main|Begin|142|Begin|"));
    EXPECT_TRUE(has("Block|2|Main|Main\\|Menu|402|Menu|"));
    EXPECT_TRUE(has("Block|3|Main|End|396|End|"));
    EXPECT_TRUE(has("Block|4|Sub|Begin|142|Begin|"));
    EXPECT_TRUE(has("Block|5|Sub|Say|393|Announcement|"));
    EXPECT_TRUE(has("Var|Max number of no responses|5"));
    EXPECT_TRUE(has("Library|Orders.12"));
    EXPECT_TRUE(has("Start|1"));

    // The lines of one block follow its Block line: its variables, then
    // one Out line per output that is not a group output.
    auto at = std::find(lines.begin(), lines.end(), "Block|2|Main|Main\\|Menu|402|Menu|");
    ASSERT_NE(lines.end(), at);
    std::vector<std::string> outs;
    for (++at; at != lines.end() && at->compare(0, 6, "Block|") != 0; ++at)
        if (at->compare(0, 4, "Out|") == 0)
            outs.push_back(*at);
    EXPECT_EQ((std::vector<std::string>{"Out|1|3", "Out|2|0", "Out|3|0", "Out|4|0", "Out|5|0", "Out|6|0",
                                        "Out|7|0", "Out|8|0", "Out|9|0", "Out|0|0", "Out|*|2", "Out|#|0",
                                        "Out|No response|0", "Out|Invalid choice|0", "Out|Rotary|0"}),
              outs);
    EXPECT_TRUE(has("Out|Start|2"));
    EXPECT_TRUE(has("Out|Start|5"));
    // Only the program file and its run-time file are in the folder.
    EXPECT_EQ(2u, folder.Files().size());
}

TEST_F(BuildTest, ABuildReplacesTheOlderRunTimeFile)
{
    Block(KVR_PB_BEGIN, "Begin");
    Save();
    BuildFolder::Put(folder.run, "old");
    ASSERT_EQ(KVR_OK, kvrBuildProgram(folder.program.c_str(), 1, 7, 0, nullptr, 0, 0, 0));
    std::vector<std::string> lines = Lines(BuildFolder::Get(folder.run));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("{PlexwrightRun}", lines.front());
    EXPECT_EQ(2u, folder.Files().size());
}

TEST_F(BuildTest, AFailedBuildLeavesTheOlderFileAndNothingElse)
{
    Block(KVR_PB_BEGIN, "Begin");
    struct Case
    {
        const char* name;
        const char* content; // of the program file; 0: no program file
        int result;
    };
    const Case cases[] = {
        {"no program file", nullptr, KVR_ERR_IO},
        {"no model part", "{FileHeader}\r\n{EndofFileHeader}\r\n{Program}\r\n{EndofProgram}\r\n", KVR_ERR_FORMAT},
        {"a line that does not parse",
         "{FileHeader}\r\n{EndofFileHeader}\r\n{ApplicationModel}\r\nPage|Main|1|0|1\r\nBlock|Main|X|99999|"
         "|0\r\n{EndofApplicationModel}\r\n{Program}\r\n",
         KVR_ERR_FORMAT},
        {"a model part without its end", "{ApplicationModel}\r\nPage|Main|1|0|1\r\n", KVR_ERR_FORMAT},
        {"an empty file", "", KVR_ERR_FORMAT},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DeleteFileA(folder.program.c_str());
        if (c.content)
            BuildFolder::Put(folder.program, c.content);
        BuildFolder::Put(folder.run, "old");
        EXPECT_EQ(c.result, kvrBuildProgram(folder.program.c_str(), 1, 7, 0, nullptr, 0, 0, 0));
        EXPECT_EQ("old", BuildFolder::Get(folder.run));
        EXPECT_EQ(c.content ? 2u : 1u, folder.Files().size());
    }
}

TEST_F(BuildTest, ARunTimeFileThatCannotBeReplacedFailsTheBuild)
{
    Block(KVR_PB_BEGIN, "Begin");
    Save();
    // A folder of the run-time file's name cannot be replaced by a file.
    ASSERT_TRUE(CreateDirectoryA(folder.run.c_str(), nullptr));
    EXPECT_EQ(KVR_ERR_IO, kvrBuildProgram(folder.program.c_str(), 1, 7, 0, nullptr, 0, 0, 0));
    DWORD dwAttributes = GetFileAttributesA(folder.run.c_str());
    EXPECT_TRUE(dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(1u, folder.Files().size());
    RemoveDirectoryA(folder.run.c_str());
}

TEST_F(BuildTest, PathsWithoutAFileNameAreRefused)
{
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrBuildProgram(nullptr, 1, 7, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrBuildProgram("", 1, 7, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrBuildProgram("C:\\folder\\", 1, 7, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(KVR_ERR_ARGUMENT, kvrBuildProgram("C:\\folder\\.ed", 1, 7, 0, nullptr, 0, 0, 0));
}
