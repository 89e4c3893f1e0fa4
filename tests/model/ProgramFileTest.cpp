// Program files: round trips of every record kind and field, the version
// text and version gates with the type corrections of older files, the
// old binary form, the repair pass, batch logs, backups, and the faults
// that a load or save must survive: end of file, bad records, damaged
// binary records, a full disk.
#include "ProgramFileTestSupport.h"

#include "Buffer.h"
#include "FileBuffer.h"
#include "FontObject.h"
#include "IDIndex.h"
#include "ModelRes.h"

#include <stdio.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
// Index of the first line equal to the text, or -1.
int FindLine(const std::vector<std::string>& lines, const char* psz)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == psz)
            return static_cast<int>(i);
    return -1;
}

// The record lines of a section (between its tags).
std::vector<int> SectionLines(const std::vector<std::string>& lines, const char* pszBegin, const char* pszEnd)
{
    std::vector<int> result;
    int b = FindLine(lines, pszBegin);
    int e = FindLine(lines, pszEnd);
    for (int i = b + 1; b >= 0 && i < e; ++i)
        result.push_back(i);
    return result;
}

// The type a file of the version stores for a block that loads as nType.
int StoredTypeFor(int nType, const PXFileVersion& version)
{
    for (int nStored = nType - 40; nStored <= nType; ++nStored)
    {
        int n = nStored;
        if (version < PXFileVersion("7.01") && n > 361)
            n += 11;
        if (version < PXFileVersion("8.01") && n > 372)
            n += 18;
        if (version < PXFileVersion("8.03") && n > 390)
            n += 1;
        if (version < PXFileVersion("8.04") && n > 391)
            n += 1;
        if (n == nType)
            return nStored;
    }
    return nType;
}

// A saved file as a writer of the version would have written it: its
// header, the program fields of the version, the block types before their
// corrections and, before 9.0, text notes without italics.
void Downgrade(std::vector<std::string>& lines, const char* pszVersion)
{
    PXFileVersion version;
    EXPECT_TRUE(PXFileParseVersion(pszVersion, version));
    lines[1] = std::string("[Zantrel Plexwright Graphical Editor File,") + pszVersion + ",]";
    int nProgram = FindLine(lines, "{Program}") + 1;
    std::vector<std::string> f = SplitRecord(lines[nProgram]);
    f.resize(version < PXFileVersion("7.0")    ? 1
             : version < PXFileVersion("8.02") ? 29
             : version < PXFileVersion("9.01") ? 37
                                               : 38);
    lines[nProgram] = JoinRecord(f);
    for (int i : SectionLines(lines, "{ZirirAradur}", "{EndofZirirAradur}"))
    {
        std::vector<std::string> b = SplitRecord(lines[i]);
        b[11] = std::to_string(StoredTypeFor(std::stoi(b[11]), version));
        lines[i] = JoinRecord(b);
    }
    if (version < PXFileVersion("9.0"))
    {
        for (int i : SectionLines(lines, "{TextNotes}", "{EndOfTextNotes}"))
        {
            std::vector<std::string> n = SplitRecord(lines[i]);
            n.pop_back();
            lines[i] = JoinRecord(n);
        }
    }
}

int CountObjects(Program* pProgram, int nClass)
{
    int n = 0;
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            if (nClass == PX_CLASS_POWERBLOCK)
                ++n;
            if (nClass == PX_CLASS_GOTO)
                n += block.GetGotos().getItemsInContainer();
        }
    }
    return n;
}
} // namespace

TEST_F(ProgramFileTest, RoundTripKeepsEveryObjectFieldAndConnection)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("sales.ed");
    EXPECT_TRUE(pProgram->IsModified());
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    EXPECT_FALSE(pProgram->IsModified());
    EXPECT_TRUE(s_prompts.empty());

    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ("{FileHeader}", lines[0]);
    EXPECT_EQ("[Zantrel Plexwright Graphical Editor File,V9.01,]", lines[1]);
    EXPECT_EQ("{EndofFileHeader}", lines[2]);
    // The sections in their order, the counter last.
    const char* tags[] = { "{Program}", "{EndofProgram}", "{Pages}", "{EndofPages}", "{ZirirAradur}",
                           "{EndofZirirAradur}", "{GotoBlocks}", "{EndofGotoBlocks}", "{Gotos}", "{EndofGotos}",
                           "{Segments}", "{EndofSegments}", "{TextNotes}", "{EndOfTextNotes}" };
    int nLast = 2;
    for (const char* pszTag : tags)
    {
        int n = FindLine(lines, pszTag);
        EXPECT_GT(n, nLast) << pszTag;
        nLast = n;
    }
    EXPECT_EQ(std::to_string(pProgram->GetIDCounter()), lines.back());
    // No text splits a record line: every line between the tags is a record.
    for (int i : SectionLines(lines, "{TextNotes}", "{EndOfTextNotes}"))
        EXPECT_EQ(']', lines[i].back()) << lines[i];

    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_TRUE(s_prompts.empty());
    EXPECT_FALSE(pLoaded->IsModified());
    ExpectSamePrograms(pProgram.get(), pLoaded.get());
    ExpectModelMatches(pLoaded.get());
    EXPECT_EQ(0u, IDIndex::Get().getItemsInContainer());

    // Saved again, it loads the same once more.
    const std::string again = PathOf("again.ed");
    ASSERT_EQ(1, PXFileSaveProgram(again.c_str(), pLoaded.get(), nullptr));
    std::unique_ptr<Program> pThird(PXFileLoadProgram(again.c_str(), nullptr));
    ExpectSamePrograms(pProgram.get(), pThird.get());
}

TEST_F(ProgramFileTest, SecondSaveKeepsThePreviousFileAsBackup)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("app.ed");
    const std::string backup = PathOf("app.BAK");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(backup.c_str()));
    const std::string first = ReadWholeFile(path);

    pProgram->GetMainPage()->FindBlockByName("Hello")->SetPosition(1234, 567);
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    EXPECT_EQ(first, ReadWholeFile(backup));
    EXPECT_NE(first, ReadWholeFile(path));

    // A write-protected backup: the user is warned, the save goes on, and
    // the old backup keeps its content.
    SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string second = ReadWholeFile(path);
    pProgram->GetMainPage()->FindBlockByName("Hello")->SetPosition(1, 2);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("A backup copy of the current program cannot be made because the existing backup is write protected.",
                  boxes.boxes[0].text);
        EXPECT_EQ("Warning!", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    }
    EXPECT_EQ(first, ReadWholeFile(backup));
    EXPECT_NE(second, ReadWholeFile(path));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(1, pLoaded->GetMainPage()->FindBlockByName("Hello")->GetX());
}

TEST_F(ProgramFileTest, FullDiskFailsTheSaveAndKeepsTheLastGoodFile)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("disk.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::string good = ReadWholeFile(path);
    pProgram->GetMainPage()->FindBlockByName("Hello")->SetPosition(77, 77);
    for (long long nLeft : { 0LL, 10LL, 300LL, static_cast<long long>(good.size() / 3) })
    {
        SCOPED_TRACE(nLeft);
        FileBuffer::set_space_left(nLeft);
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
        FileBuffer::set_space_left(-1);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Error writing to file.  Program save is not complete.", boxes.boxes[0].text);
        EXPECT_EQ("Error!", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
        EXPECT_EQ(good, ReadWholeFile(path));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(PathOf("disk.BAK").c_str()));
        EXPECT_TRUE(pProgram->IsModified());
    }
    // Nothing of the failed saves is left in the directory.
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(PathOf("*").c_str(), &fd);
    int nFiles = 0;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(fd.cFileName, "kvrlslog.txt") != 0)
            ++nFiles;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    EXPECT_EQ(1, nFiles);
}

TEST_F(ProgramFileTest, FileThatCannotBeOpenedIsReported)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("nodir\\x.ed");
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
        EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_EQ(2u, boxes.boxes.size());
        for (const PXShownBox& box : boxes.boxes)
        {
            EXPECT_EQ("Error opening selected file.", box.text);
            EXPECT_EQ("Error!", box.caption);
        }
    }
    // In a batch: the save logs without the error prefix, the load with it.
    const std::string logPath = PathOf("batch.log");
    FILE* pLog = fopen(logPath.c_str(), "wb");
    EXPECT_EQ(0, PXFileSaveProgram(path.c_str(), pProgram.get(), pLog));
    EXPECT_EQ(0, PXGetBatchError());
    EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), pLog));
    EXPECT_EQ(1, PXGetBatchError());
    fclose(pLog);
    EXPECT_EQ("Error opening " + path + "\nERROR: Error opening selected file.\n", ReadWholeFile(logPath));
}

TEST_F(ProgramFileTest, VersionTextFollowsTheServerVersion)
{
    // (server version, version text)
    const struct
    {
        const char* pszServer;
        const char* pszText;
    } cases[] = {
        { "", "V9.01" },         { "01.07.03", "V9.00" }, { "02.00.01", "V9.01" }, { "1.07", "V9.01" },
        { "01.06", "V9.00" },    { "01.0x", "V9.00" },    { "03.1", "V9.01" },     { "x2.0 1.07", "V9.01" },
    };
    for (const auto& c : cases)
    {
        PXFileSetServerVersion(c.pszServer);
        char sz[PX_FILE_VERSION_TEXT_MAX] = "";
        PXFileVersionText(sz, sizeof(sz));
        EXPECT_STREQ(c.pszText, sz) << c.pszServer;
    }
    PXFileVersionText(nullptr, PX_FILE_VERSION_TEXT_MAX);

    // A buffer smaller than the promised size is left alone.
    char szSmall[PX_FILE_VERSION_TEXT_MAX] = "untouched";
    PXFileVersionText(szSmall, PX_FILE_VERSION_TEXT_MAX - 1);
    EXPECT_STREQ("untouched", szSmall);
    PXFileSetServerVersion("");
}

TEST_F(ProgramFileTest, VersionsCompareExactlyAsNumbers)
{
    // (text, parsed, the number it equals)
    const struct
    {
        const char* pszText;
        bool bParsed;
        const char* pszEqual;
    } parsed[] = {
        { "V9.01", true, "9.01" },   { "V8.03", true, "8.030" },  { "V2.021", true, "2.021" },
        { "V8.5", true, "8.50" },    { "V7", true, "7.0" },       { "xV6.0", true, "6" },
        { "V 2.02", true, "2.02" },  { "V2.0299", true, "2.0299" }, { "abc", false, "" },
        { "V", true, "0" },          { "V009.010x", true, "9.01" }, { "V.5", true, "0.5" },
    };
    for (const auto& c : parsed)
    {
        SCOPED_TRACE(c.pszText);
        PXFileVersion version;
        ASSERT_EQ(c.bParsed, PXFileParseVersion(c.pszText, version));
        EXPECT_TRUE(version == PXFileVersion(c.pszEqual));
    }
    // Ordered pairs, compared both ways: no decimal is rounded away.
    const char* const ordered[][2] = {
        { "2.0", "2.0000001" }, { "2.01", "2.0100000001" }, { "2.02", "2.0205" }, { "2.0205", "2.021" },
        { "2.0299", "2.03" },   { "2.03", "2.0300001" },    { "8.02", "8.1" },     { "9.0", "10.0" },
        { "99", "100" },        { "1.999999999999", "2" },  { "0", "0.000000000001" },
    };
    for (const auto& pair : ordered)
    {
        SCOPED_TRACE(testing::Message() << pair[0] << " < " << pair[1]);
        PXFileVersion low(pair[0]), high(pair[1]);
        EXPECT_TRUE(low < high);
        EXPECT_TRUE(high > low);
        EXPECT_FALSE(high <= low);
        EXPECT_FALSE(low == high);
        EXPECT_EQ(-1, low.Compare(high));
        EXPECT_EQ(1, high.Compare(low));
        EXPECT_EQ(0, low.Compare(PXFileVersion(pair[0])));
    }
}

TEST_F(ProgramFileTest, OlderVersionsLoadWithTheirFieldsAndTypeCorrections)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("old.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::vector<std::string> saved = SplitLines(ReadWholeFile(path));

    // (version, notes keep italics, profile kept, "Hello" (393) stored as)
    const struct
    {
        const char* pszVersion;
        bool bItalic;
        int nProfile;       // 2 whole, 1 the fields of 7.0, 0 none
        int nHelloStored;
    } cases[] = {
        { "V9.00", true, 2, 393 },
        { "V8.5", false, 2, 393 },
        { "V8.03", false, 2, 392 },
        { "V8.02", false, 2, 391 },
        { "V7.0", false, 1, 362 },
        { "V6.0", false, 0, 362 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszVersion);
        std::vector<std::string> lines = saved;
        Downgrade(lines, c.pszVersion);
        bool bHelloSeen = false;
        for (int i : SectionLines(lines, "{ZirirAradur}", "{EndofZirirAradur}"))
        {
            std::vector<std::string> f = SplitRecord(lines[i]);
            if (f[1] == "Hello")
            {
                EXPECT_EQ(std::to_string(c.nHelloStored), f[11]);
                bHelloSeen = true;
            }
        }
        EXPECT_TRUE(bHelloSeen);
        WriteWholeFile(path, JoinLines(lines));
        s_prompts.clear();
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_TRUE(s_prompts.empty()) << (s_prompts.empty() ? "" : s_prompts[0].text);
        // Every object and connection is there; the zoom came with 9.01.
        ExpectSamePrograms(pProgram.get(), pLoaded.get(), false);
        EXPECT_EQ(100, pLoaded->GetZoom());
        const unsigned char* pInfo = pLoaded->GetFileInfo();
        if (c.nProfile == 2)
        {
            EXPECT_EQ(0, std::memcmp(pProgram->GetFileInfo(), pInfo, PX_PROGRAM_FILEINFO_SIZE));
        }
        else
        {
            EXPECT_EQ(c.nProfile == 1 ? 4711 : 0, *reinterpret_cast<const long*>(pInfo + 4));
            // The fields of 8.02 keep the values of a new program.
            EXPECT_EQ(0, *reinterpret_cast<const long*>(pInfo + 8));
            EXPECT_EQ(0, pInfo[908]);
        }
        // Notes of files before 9.0 are never italic; from 9.0 they keep it.
        Page* pMain = pLoaded->FindPage("Main");
        ASSERT_EQ(1, pMain->GetNotes().getItemsInContainer());
        PXTextUI& note = static_cast<PXTextUI&>(pMain->GetNotes().peekHead());
        EXPECT_EQ(c.bItalic ? 1 : 0, note.GetFontObject()->GetItalic());
        ExpectModelMatches(pLoaded.get());
    }
}

TEST_F(ProgramFileTest, TypeCorrectionsApplyStepByStep)
{
    // Each gate adds to the result of the one before: 363 in a 7.0 file is
    // 394 (363, 374, 392, 393, 394); 393 in an 8.03 file is 394; 391 stays
    // 391, a type without an icon, which loads as the obsolete type. The
    // model's block "Probe" is of the type loaded (Call Transfer where the
    // block loads as obsolete).
    // (version, stored type of "Probe", loaded type)
    const struct
    {
        const char* pszVersion;
        int nStored;
        int nLoaded;
    } cases[] = {
        { "V7.0", 363, 394 }, { "V8.03", 393, 394 }, { "V8.03", 391, 289 }, { "V8.04", 394, 394 },
        { "V7.01", 363, 289 }, { "V8.01", 373, 289 }, { "V8.0", 374, 394 }, { "V8.0", 373, 393 },
    };
    const std::string path = PathOf("types.ed");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszVersion << " " << c.nStored);
        std::unique_ptr<Program> pProgram(NewProgram());
        ASSERT_NE(nullptr, AddBlock(pProgram->GetMainPage(), c.nLoaded == KVR_PB_OBSOLETE ? 394 : c.nLoaded, "Probe"));
        ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
        std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
        Downgrade(lines, c.pszVersion);
        for (int i : SectionLines(lines, "{ZirirAradur}", "{EndofZirirAradur}"))
        {
            std::vector<std::string> b = SplitRecord(lines[i]);
            if (b[1] == "Probe")
                b[11] = std::to_string(c.nStored);
            lines[i] = JoinRecord(b);
        }
        WriteWholeFile(path, JoinLines(lines));
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_TRUE(s_prompts.empty());
        PowerBlock* pProbe = pLoaded->GetMainPage()->FindBlockByName("Probe");
        ASSERT_NE(nullptr, pProbe);
        EXPECT_EQ(c.nLoaded, pProbe->GetType());
    }
}

TEST_F(ProgramFileTest, EndOfFileEndsTheLoadEvenWhenContinuing)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("cut.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    int nGotos = FindLine(lines, "{Gotos}");
    // Cut inside the gotos, with a damaged line first: the user ticks "no
    // more warnings" and continues; the end of the file still ends the load.
    lines.resize(nGotos + 3);
    lines[nGotos + 1] = "[damaged";
    WriteWholeFile(path, JoinLines(lines));
    s_bTickNoMoreWarnings = true;
    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), nullptr));
    EXPECT_EQ(1u, s_prompts.size());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Error reading file or unexpected end of file", boxes.boxes[0].text);
    EXPECT_EQ("Error!", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_EQ(0u, IDIndex::Get().getItemsInContainer());
}

TEST_F(ProgramFileTest, IdCounterNeverFallsBelowTheIdsLoaded)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("count.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const long nCounter = pProgram->GetIDCounter();
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    // (last line, counter after the load)
    const struct
    {
        const char* pszLast;    // none: the line is missing
        long nExpected;
    } cases[] = {
        { nullptr, nCounter }, { "garbage", nCounter }, { "3", nCounter }, { "100000", 100000 },
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> copy = lines;
        if (c.pszLast)
            copy.back() = c.pszLast;
        else
            copy.pop_back();
        WriteWholeFile(path, JoinLines(copy));
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_EQ(c.nExpected, pLoaded->GetIDCounter()) << (c.pszLast ? c.pszLast : "missing");
        // A new object takes a number no loaded object holds.
        PowerBlock* pNew = AddBlock(pLoaded->GetMainPage(), 393, "Fresh");
        EXPECT_GT(pNew->GetID(), nCounter);
    }
}

TEST_F(ProgramFileTest, RecordProblemsPromptAndTheAnswerDecides)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("bad.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::vector<std::string> saved = SplitLines(ReadWholeFile(path));
    const int nPages = FindLine(saved, "{Pages}");
    const int nSegments = FindLine(saved, "{Segments}");

    // A page the model does not know: it is not made, and the blocks that
    // name it fail their own check.
    {
        std::vector<std::string> lines = saved;
        int nSubLine = -1;
        for (int i : SectionLines(lines, "{Pages}", "{EndofPages}"))
            if (SplitRecord(lines[i])[1] == "Sub")
                nSubLine = i;
        ASSERT_GE(nSubLine, 0);
        std::vector<std::string> f = SplitRecord(lines[nSubLine]);
        f[1] = "Ghost";
        lines[nSubLine] = JoinRecord(f);
        WriteWholeFile(path, JoinLines(lines));
        s_prompts.clear();
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_EQ(nullptr, pLoaded->FindPage("Ghost"));
        EXPECT_EQ(nullptr, pLoaded->FindPage("Sub"));
        // The model lets the page it had made go with its blocks.
        pLoaded->Activate();
        EXPECT_EQ(nullptr, kvrFindPage("Sub"));
        EXPECT_EQ(nullptr, kvrFindPowerBlock("Sub$Greet", 1, 0));
        ASSERT_GE(s_prompts.size(), 3u);
        EXPECT_EQ("Ghost. Could not load this PowerBlock.  It may be dropped.\n Continue Loading?", s_prompts[0].text);
        std::vector<std::string> texts;
        for (const Prompt& p : s_prompts)
            texts.push_back(p.text);
        for (const char* pszBlock : { "Begin", "Greet" })
            EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(),
                                             std::string(pszBlock) + ". Could not load this PowerBlock.  It may be dropped.\n Continue Loading?"));
        ExpectEditorInModel(pLoaded.get());
        (void)nPages;
    }
    // The program record does not parse: stop ends the load at once,
    // continue loads the rest.
    for (int nAnswer : { IDCANCEL, IDOK })
    {
        SCOPED_TRACE(nAnswer);
        std::vector<std::string> lines = saved;
        int n = FindLine(lines, "{Program}") + 1;
        lines[n] = lines[n].substr(0, lines[n].size() - 1);
        WriteWholeFile(path, JoinLines(lines));
        s_prompts.clear();
        s_answers = { nAnswer };
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_EQ(1u, s_prompts.size());
        EXPECT_EQ("Invalid file header found.\n Continue Loading?", s_prompts[0].text);
        EXPECT_EQ(nAnswer == IDOK, pLoaded != nullptr);
        EXPECT_EQ(nAnswer == IDOK ? 0u : 1u, boxes.boxes.size());
    }
    // A segment of a goto that does not exist: the segment is dropped after
    // the prompt, or the load stops with the read error.
    for (int nAnswer : { IDOK, IDCANCEL })
    {
        SCOPED_TRACE(nAnswer);
        std::vector<std::string> lines = saved;
        std::vector<std::string> f = SplitRecord(lines[nSegments + 1]);
        f[4] = "99999";
        lines[nSegments + 1] = JoinRecord(f);
        WriteWholeFile(path, JoinLines(lines));
        s_prompts.clear();
        s_answers = { nAnswer };
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_EQ(1u, s_prompts.size());
        EXPECT_EQ("Could not connect two blocks properly. \n Continue Loading?", s_prompts[0].text);
        EXPECT_EQ(nAnswer == IDOK, pLoaded != nullptr);
    }
    // Stored flag bits of the running editor are not taken from a file.
    {
        std::vector<std::string> lines = saved;
        for (int i : SectionLines(lines, "{ZirirAradur}", "{EndofZirirAradur}"))
        {
            std::vector<std::string> f = SplitRecord(lines[i]);
            f[5] = "263";
            lines[i] = JoinRecord(f);
        }
        WriteWholeFile(path, JoinLines(lines));
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_EQ(256, pLoaded->GetMainPage()->FindBlockByName("Hello")->GetFlags());
    }
}

TEST_F(ProgramFileTest, SaveOfAGotoWithoutItsOutputPrompts)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("lost.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::string good = ReadWholeFile(path);
    Goto* pGoto = pProgram->GetMainPage()->FindBlockByName("Hello")->FindGoto("Done");
    ASSERT_NE(nullptr, pGoto);
    pGoto->SetOutputName("Obsolete");
    pProgram->SetModified();
    // Abort: the save fails and the file stays; continue: the goto is left out.
    s_answers = { IDCANCEL };
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(0, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
        EXPECT_EQ(1u, boxes.boxes.size());
    }
    ASSERT_EQ(1u, s_prompts.size());
    EXPECT_EQ("Hello\nInvalid connection found between two blocks.\n Continue Saving?", s_prompts[0].text);
    EXPECT_EQ(good, ReadWholeFile(path));
    EXPECT_TRUE(pProgram->IsModified());
    EXPECT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(CountObjects(pProgram.get(), PX_CLASS_GOTO) - 1, CountObjects(pLoaded.get(), PX_CLASS_GOTO));
}

TEST_F(ProgramFileTest, AGotoLeftOutOfASaveTakesItsSegmentsWithIt)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    Goto* pGoto = pProgram->GetMainPage()->FindBlockByName("Menu1")->FindGoto("1");
    ASSERT_NE(nullptr, pGoto);
    ASSERT_EQ(3, pGoto->GetSegmentCount());
    pGoto->SetOutputName("Obsolete");
    const std::string path = PathOf("lostsegs.ed");
    // Continue: the goto is left out, and so are its lines.
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    ASSERT_EQ(1u, s_prompts.size());
    s_prompts.clear();
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    EXPECT_EQ(1u, SectionLines(lines, "{Segments}", "{EndofSegments}").size());

    // The file loads whole, also in a batch, which stops at any bad record.
    const std::string logPath = PathOf("batch.log");
    FILE* pLog = fopen(logPath.c_str(), "wb");
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), pLog));
    fclose(pLog);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(0, PXGetBatchError());
    EXPECT_EQ("", ReadWholeFile(logPath));
    EXPECT_EQ(CountObjects(pProgram.get(), PX_CLASS_GOTO) - 1, CountObjects(pLoaded.get(), PX_CLASS_GOTO));
}

TEST_F(ProgramFileTest, ASecondObjectWithATakenIdIsNumberedAfresh)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("dupid.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    Page* pMain = pProgram->GetMainPage();
    const std::string done = std::to_string(pMain->FindBlockByName("Hello")->FindGoto("Done")->PeekID());
    const std::string one = std::to_string(pMain->FindBlockByName("Menu1")->FindGoto("1")->PeekID());
    // A damaged file gives the goto "Done" the number of the goto "1".
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    for (int i : SectionLines(lines, "{Gotos}", "{EndofGotos}"))
    {
        std::vector<std::string> f = SplitRecord(lines[i]);
        if (f[0] == done)
            f[0] = one;
        lines[i] = JoinRecord(f);
    }
    WriteWholeFile(path, JoinLines(lines));

    // The goto read first keeps the number and the lines that name it.
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    Goto* pOne = pLoaded->GetMainPage()->FindBlockByName("Menu1")->FindGoto("1");
    Goto* pDone = pLoaded->GetMainPage()->FindBlockByName("Hello")->FindGoto("Done");
    ASSERT_NE(nullptr, pOne);
    ASSERT_NE(nullptr, pDone);
    EXPECT_NE(pOne->GetID(), pDone->GetID());
    const int nOne = pOne->GetSegmentCount();
    const int nDone = pDone->GetSegmentCount();
    EXPECT_EQ(3, nOne + nDone);

    // The lines of each goto stay its own through the next save and load.
    pOne->AddSegment(10, 20, 30, 20);
    pDone->AddSegment(10, 40, 30, 40);
    pDone->AddSegment(30, 40, 30, 60);
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pLoaded.get(), nullptr));
    std::unique_ptr<Program> pAgain(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(nOne + 1, pAgain->GetMainPage()->FindBlockByName("Menu1")->FindGoto("1")->GetSegmentCount());
    EXPECT_EQ(nDone + 2, pAgain->GetMainPage()->FindBlockByName("Hello")->FindGoto("Done")->GetSegmentCount());
    EXPECT_TRUE(s_prompts.empty());
}

TEST_F(ProgramFileTest, GotoOfAnOutputTheBlockLacksLoadsAsObsolete)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("obs.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    for (int i : SectionLines(lines, "{Gotos}", "{EndofGotos}"))
    {
        std::vector<std::string> f = SplitRecord(lines[i]);
        if (f[0] == std::to_string(pProgram->GetMainPage()->FindBlockByName("Fax, send")->FindGoto("Sent")->PeekID()))
            f[1] = "39";
        lines[i] = JoinRecord(f);
    }
    WriteWholeFile(path, JoinLines(lines));
    {
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Unknown or obsolete goto encountered in PowerBlock Fax, send.", boxes.boxes[0].text);
        EXPECT_EQ("Warning!", boxes.boxes[0].caption);
        EXPECT_NE(nullptr, pLoaded->GetMainPage()->FindBlockByName("Fax, send")->FindGoto("Obsolete"));
    }
    // In a batch the log takes the warning and the batch-error flag is set.
    const std::string logPath = PathOf("batch.log");
    FILE* pLog = fopen(logPath.c_str(), "wb");
    std::unique_ptr<Program> pBatch(PXFileLoadProgram(path.c_str(), pLog));
    fclose(pLog);
    EXPECT_NE(nullptr, pBatch);
    EXPECT_EQ(1, PXGetBatchError());
    EXPECT_EQ("ERROR: Unknown or obsolete goto encountered in PowerBlock Fax, send\n", ReadWholeFile(logPath));
}

TEST_F(ProgramFileTest, BatchLoadStopsAtTheFirstBadRecordWithoutAsking)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("batch.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    lines[FindLine(lines, "{Segments}") + 1] = "[1,2,bad";
    WriteWholeFile(path, JoinLines(lines));
    const std::string logPath = PathOf("batch.log");
    FILE* pLog = fopen(logPath.c_str(), "wb");
    EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), pLog));
    fclose(pLog);
    EXPECT_TRUE(s_prompts.empty());
    EXPECT_EQ(1, PXGetBatchError());
    EXPECT_EQ("ERROR: Error reading file or unexpected end of file\n", ReadWholeFile(logPath));
    // The report was logged all the same.
    EXPECT_NE(std::string::npos, ReadWholeFile(PathOf("kvrlslog.txt")).find(" 0 Could not connect two blocks"));
}

TEST_F(ProgramFileTest, FilesOfNeitherFormAndDamagedHeaders)
{
    const std::string path = PathOf("odd.ed");
    // (content, prompt answer, load succeeds, read error shown)
    const std::string binaryNoVersion =
        std::string("Kalverodin graphical editor program file.\n\n\x1A", 44) + std::string(48, '\0');
    const struct
    {
        const char* pszName;
        std::string bytes;
        int nAnswer;
        bool bReadError;
        size_t nPrompts;
    } cases[] = {
        { "50 bytes", std::string(50, 'x'), IDOK, true, 0 },
        { "200 bytes", std::string(200, 'y'), IDOK, true, 0 },
        { "binary without a version", binaryNoVersion, IDOK, true, 0 },
        { "bad header, stop", "{FileHeader}\r\n[broken\r\n", IDCANCEL, false, 1 },
        { "bad header, continue", "{FileHeader}\r\n[broken\r\n", IDOK, true, 1 },
        { "bad header in a batch", "{FileHeader}\r\n[broken\r\n", -1, false, 0 },
        { "header only", "{FileHeader}\r\n", IDOK, true, 0 },
        { "empty", "", IDOK, true, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        WriteWholeFile(path, c.bytes);
        s_prompts.clear();
        s_answers = { c.nAnswer };
        MessageBoxRecorder boxes;
        if (c.nAnswer < 0)
        {
            // A batch stops at the header by itself and logs the failure.
            const std::string logPath = PathOf("batch.log");
            FILE* pLog = fopen(logPath.c_str(), "wb");
            PXSetBatchError(0);
            EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), pLog));
            fclose(pLog);
            EXPECT_TRUE(s_prompts.empty());
            EXPECT_TRUE(boxes.boxes.empty());
            EXPECT_EQ("ERROR: Error reading file or unexpected end of file\n", ReadWholeFile(logPath));
            EXPECT_EQ(1, PXGetBatchError());
            continue;
        }
        EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), nullptr));
        EXPECT_EQ(c.nPrompts, s_prompts.size());
        if (c.bReadError)
        {
            ASSERT_FALSE(boxes.boxes.empty());
            EXPECT_EQ("Error reading file or unexpected end of file", boxes.boxes.back().text);
        }
        else
        {
            EXPECT_TRUE(boxes.boxes.empty());
        }
    }
}

TEST_F(ProgramFileTest, VersionFiveFilesReadNoTextNotes)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("five.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    Downgrade(lines, "V5.0");
    WriteWholeFile(path, JoinLines(lines));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(0, pLoaded->GetMainPage()->GetNotes().getItemsInContainer());
    // "{TextNotes}" stood where the counter is read: the highest ID counts.
    EXPECT_GE(pLoaded->GetIDCounter(), pProgram->GetMainPage()->FindBlockByName("Hello")->PeekID());
}

TEST_F(ProgramFileTest, TextNotesKeepAllTheirCharacters)
{
    PXTextBase box;
    std::string longText(PX_TEXTNOTE_MAX + 40, 'q');
    box.SetText(longText.c_str());
    EXPECT_EQ(static_cast<size_t>(2047), std::strlen(box.GetText()));
    // The varied program's long note holds 2047 characters ending in 'Z'.
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("notes.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    PXTextUI& note = static_cast<PXTextUI&>(pLoaded->FindPage("Sub")->GetNotes().peekHead());
    ASSERT_EQ(static_cast<size_t>(2047), std::strlen(note.GetText()));
    EXPECT_EQ('Z', note.GetText()[2046]);
}

// ---- The old binary form ---------------------------------------------------

namespace
{
// Writes a binary program file of the program: the magic, the version, the
// model's own part and the records, with a few ways to damage it.
struct BinaryOptions
{
    const char* pszVersion = "V2.04";
    int nSetCount = 5;
    bool bBadRecordType = false;
    bool bUnknownSegmentGoto = false;
    bool bLongName = false;
    // A block whose record carries another type than its model block.
    const char* pszRetyped = nullptr;
    int nRetype = 0;
};

void WriteBinary(const std::string& path, Program* pProgram, const BinaryOptions& o)
{
    FileBuffer file(path.c_str(), "w+b");
    ASSERT_TRUE(file.is_open());
    unsigned char head[92] = {};
    std::memcpy(head, "Kalverodin graphical editor program file.\n\n\x1A", 44);
    std::strcpy(reinterpret_cast<char*>(head + 80), o.pszVersion);
    file.write(head, sizeof(head));
    pProgram->Activate();
    ASSERT_EQ(0, kvrWriteProgram(file.file(), nullptr, 0));
    PXFileVersion version;
    ASSERT_TRUE(PXFileParseVersion(o.pszVersion, version));
    const bool bCountedSets = version > PXFileVersion("2.02");
    const bool bExpandedSet = version >= PXFileVersion("2.02");
    const bool bOldTypes = version <= PXFileVersion("2.03");
    const bool bNamedStubs = version <= PXFileVersion("2.0");
    const bool bOldBits = version <= PXFileVersion("2.01");
    file.write_word(PX_CLASS_PROGRAM);
    file.write_long(static_cast<unsigned long>(pProgram->GetIDCounter()));
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        file.write_word(PX_CLASS_PAGE);
        file.write_long(static_cast<unsigned long>(page.GetID()));
        file.write_string(page.GetName());
        file.write_word(static_cast<unsigned short>(page.GetKind()));
    }
    std::vector<Goto*> gotos;
    for (ListIterator pi(pProgram->GetPages()); pi;)
    {
        Page& page = static_cast<Page&>(pi++);
        for (ListIterator bi(page.GetBlocks()); bi;)
        {
            PowerBlock& block = static_cast<PowerBlock&>(bi++);
            file.write_word(PX_CLASS_POWERBLOCK);
            file.write_long(static_cast<unsigned long>(block.GetID()));
            std::string name = block.GetName();
            if (o.bLongName && name == "Hello")
                name = std::string(300, 'n');
            file.write_string(name.c_str());
            file.write_string(block.GetDescription());
            file.write_word(static_cast<unsigned short>(block.GetX()));
            file.write_word(static_cast<unsigned short>(block.GetY()));
            file.write_word(static_cast<unsigned short>(block.GetFlags()));
            if (bCountedSets)
            {
                file.write_byte(static_cast<unsigned char>(o.nSetCount));
                for (int i = 0; i < o.nSetCount; ++i)
                    file.write_byte(i < 5 ? block.GetVisibleSet()[i] : 0);
                file.write_byte(5);
                file.write(block.GetExpandedSet(), 5);
            }
            else
            {
                file.write(block.GetVisibleSet(), 4);
                if (bExpandedSet)
                    file.write(block.GetExpandedSet(), 4);
            }
            file.write_long(static_cast<unsigned long>(page.GetID()));
            int nType = block.GetType();
            if (o.pszRetyped && name == o.pszRetyped)
                nType = o.nRetype;
            if (bOldTypes && nType >= 337)
                nType -= 1;
            file.write_word(static_cast<unsigned short>(nType));
            if (block.GetType() <= KVR_PB_CUSTOM || block.GetType() == KVR_PB_IMPORTED)
                file.write_string(block.GetCustomType());
            Array& stubs = block.GetGotoBlocks();
            for (int i = 0; i < static_cast<int>(stubs.getItemsInContainer()); ++i)
            {
                GotoBlock& stub = static_cast<GotoBlock&>(stubs[i]);
                file.write_word(PX_CLASS_GOTOBLOCK);
                int nBit = block.FindOutput(stub.GetOutputName())->number;
                if (bNamedStubs)
                    file.write_string(stub.GetOutputName());
                else
                    file.write_word(static_cast<unsigned short>(bOldBits ? nBit - 4 : nBit));
                file.write_word(static_cast<unsigned short>(stub.GetOffset()));
                file.write_long(static_cast<unsigned long>(block.GetID()));
            }
            for (ListIterator gi(block.GetGotos()); gi;)
                gotos.push_back(&static_cast<Goto&>(gi++));
        }
    }
    if (o.bBadRecordType)
        file.write_word(999);
    for (Goto* pGoto : gotos)
    {
        PowerBlock* pBlock = pGoto->GetBlock();
        file.write_word(PX_CLASS_GOTO);
        file.write_long(static_cast<unsigned long>(pGoto->GetID()));
        int nBit = pBlock->FindOutput(pGoto->GetOutputName())->number;
        file.write_word(static_cast<unsigned short>(bOldBits ? nBit - 4 : nBit));
        file.write_word(static_cast<unsigned short>(pGoto->GetColor()));
        file.write_word(static_cast<unsigned short>(pGoto->GetFlags()));
        file.write_long(static_cast<unsigned long>(pBlock->GetID()));
        file.write_long(static_cast<unsigned long>(pGoto->GetTarget()->GetID()));
    }
    for (Goto* pGoto : gotos)
    {
        for (int i = 0; i < pGoto->GetSegmentCount(); ++i)
        {
            Segment* s = pGoto->GetSegment(i);
            file.write_word(PX_CLASS_SEGMENT);
            file.write_word(static_cast<unsigned short>(s->m_nFromX));
            file.write_word(static_cast<unsigned short>(s->m_nFromY));
            file.write_word(static_cast<unsigned short>(s->m_nToX));
            file.write_word(static_cast<unsigned short>(s->m_nToY));
            file.write_long(o.bUnknownSegmentGoto ? 88888u : static_cast<unsigned long>(pGoto->GetID()));
        }
    }
    file.write_word(0xFFFF);
    file.write_long(static_cast<unsigned long>(pProgram->GetIDCounter()));
    ASSERT_TRUE(file.close());
}
} // namespace

TEST_F(ProgramFileTest, BinaryFilesLoadWithEveryObject)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    pProgram->GetIDCounter();
    // Number every object before writing.
    const std::string scratch = PathOf("numbers.ed");
    ASSERT_EQ(1, PXFileSaveProgram(scratch.c_str(), pProgram.get(), nullptr));
    const std::string path = PathOf("binary.ed");
    for (const char* pszVersion : { "V2.04", "V2.021", "V2.02" })
    {
        SCOPED_TRACE(pszVersion);
        BinaryOptions o;
        o.pszVersion = pszVersion;
        WriteBinary(path, pProgram.get(), o);
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(pProgram->GetIDCounter(), pLoaded->GetIDCounter());
        PowerBlock* pMenu = pLoaded->GetMainPage()->FindBlockByName("Menu1");
        ASSERT_NE(nullptr, pMenu);
        EXPECT_STREQ(pProgram->GetMainPage()->FindBlockByName("Menu1")->GetDescription(), pMenu->GetDescription());
        Goto* pOne = pMenu->FindGoto("1");
        ASSERT_NE(nullptr, pOne);
        EXPECT_STREQ("Hello", pOne->GetTarget()->GetName());
        EXPECT_EQ(3, pOne->GetSegmentCount());
        EXPECT_EQ(-20, pOne->GetSegment(1)->m_nToX);
        EXPECT_EQ(0x3456, pOne->GetColor());
        EXPECT_EQ(CountObjects(pProgram.get(), PX_CLASS_GOTO), CountObjects(pLoaded.get(), PX_CLASS_GOTO));
        ExpectModelMatches(pLoaded.get());
    }
}

TEST_F(ProgramFileTest, BinaryFilesLoadAtEveryVersionGateAndBetween)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string scratch = PathOf("numbers.ed");
    ASSERT_EQ(1, PXFileSaveProgram(scratch.c_str(), pProgram.get(), nullptr));
    PowerBlock* pMenu = pProgram->GetMainPage()->FindBlockByName("Menu1");
    const std::string path = PathOf("gates.ed");
    // (version, stubs kept: above 2.01 the stubs of the file are the block's)
    const struct
    {
        const char* pszVersion;
        bool bStubsKept;
    } cases[] = {
        { "V1.9", false },   { "V2", false },      { "V2.0", false },    { "V2.000", false }, { "V2.0001", false },
        { "V2.005", false }, { "V2.01", false },   { "V2.0100", false }, { "V2.0105", true }, { "V2.011", true },
        { "V2.015", true },  { "V2.02", true },    { "V2.0200", true },  { "V2.0205", true }, { "V2.021", true },
        { "V2.025", true },  { "V2.03", true },    { "V2.0305", true },  { "V2.031", true },  { "V2.04", true },
        { "V2.1", true },    { "V3", true },       { "V10.0", true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszVersion);
        BinaryOptions o;
        o.pszVersion = c.pszVersion;
        WriteBinary(path, pProgram.get(), o);
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_TRUE(boxes.boxes.empty());
        PowerBlock* pLoadedMenu = pLoaded->GetMainPage()->FindBlockByName("Menu1");
        ASSERT_NE(nullptr, pLoadedMenu);
        EXPECT_EQ(402, pLoadedMenu->GetType());
        Goto* pOne = pLoadedMenu->FindGoto("1");
        ASSERT_NE(nullptr, pOne);
        EXPECT_STREQ("Hello", pOne->GetTarget()->GetName());
        EXPECT_EQ(3, pOne->GetSegmentCount());
        Array& stubs = pLoadedMenu->GetGotoBlocks();
        ASSERT_EQ(pMenu->GetGotoBlocks().getItemsInContainer(), stubs.getItemsInContainer());
        EXPECT_FALSE(pLoadedMenu->OutputsChanged());
        for (int i = 0; i < static_cast<int>(stubs.getItemsInContainer()); ++i)
        {
            GotoBlock& stub = static_cast<GotoBlock&>(stubs[i]);
            GotoBlock& saved = static_cast<GotoBlock&>(pMenu->GetGotoBlocks()[i]);
            EXPECT_STREQ(saved.GetOutputName(), stub.GetOutputName());
            if (c.bStubsKept)
            {
                EXPECT_EQ(saved.GetOffset(), stub.GetOffset()) << i;
            }
            else
            {
                EXPECT_EQ(0, stub.GetOffset()) << i;
            }
        }
        EXPECT_EQ(CountObjects(pProgram.get(), PX_CLASS_GOTO), CountObjects(pLoaded.get(), PX_CLASS_GOTO));
        ExpectModelMatches(pLoaded.get());
    }
}

TEST_F(ProgramFileTest, OldBinaryFilesShiftGotoBitsAndRebuildStubs)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string scratch = PathOf("numbers.ed");
    ASSERT_EQ(1, PXFileSaveProgram(scratch.c_str(), pProgram.get(), nullptr));
    const std::string path = PathOf("v201.ed");
    BinaryOptions o;
    o.pszVersion = "V2.01";
    WriteBinary(path, pProgram.get(), o);
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    PowerBlock* pMenu = pLoaded->GetMainPage()->FindBlockByName("Menu1");
    Goto* pOne = pMenu->FindGoto("1");
    ASSERT_NE(nullptr, pOne);
    EXPECT_TRUE(pOne->IsRerouteMarked());
    // The stubs were dropped and the repair pass made them from the outputs.
    EXPECT_EQ(pMenu->GetOutputCount(), static_cast<int>(pMenu->GetGotoBlocks().getItemsInContainer()));
    EXPECT_FALSE(pMenu->OutputsChanged());
}

TEST_F(ProgramFileTest, DamagedBinaryRecordsEndTheLoadWithMessage58)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string scratch = PathOf("numbers.ed");
    ASSERT_EQ(1, PXFileSaveProgram(scratch.c_str(), pProgram.get(), nullptr));
    const std::string path = PathOf("damaged.ed");
    // (damage, captions of the boxes in order)
    struct Case
    {
        const char* pszName;
        BinaryOptions o;
        std::vector<std::string> captions;
        std::vector<std::string> texts;
    };
    std::vector<Case> cases(5);
    cases[0].pszName = "bit set of 6 bytes";
    cases[0].o.nSetCount = 6;
    cases[0].captions = { "Error -- [powerblock]", "Error!" };
    cases[1].pszName = "text longer than any name";
    cases[1].o.bLongName = true;
    cases[1].captions = { "Error -- [powerblock]", "Error!" };
    cases[2].pszName = "segment of an unknown goto";
    cases[2].o.bUnknownSegmentGoto = true;
    cases[2].captions = { "Error -- [segment]", "Error!" };
    cases[3].pszName = "unknown record type";
    cases[3].o.bBadRecordType = true;
    cases[3].captions = { "Error!" };
    cases[3].texts = { "Unknown record type in file.  Can not load program." };
    cases[4].pszName = "block of another type than the model's";
    cases[4].o.pszRetyped = "Menu1";
    cases[4].o.nRetype = 406;
    cases[4].captions = { "Error -- [kvr_pb]", "Error!" };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        WriteBinary(path, pProgram.get(), c.o);
        MessageBoxRecorder boxes;
        EXPECT_EQ(nullptr, PXFileLoadProgram(path.c_str(), nullptr));
        ASSERT_EQ(c.captions.size(), boxes.boxes.size());
        for (size_t i = 0; i < c.captions.size(); ++i)
            EXPECT_EQ(c.captions[i], boxes.boxes[i].caption);
        if (c.texts.empty())
        {
            EXPECT_EQ("Input file is inconsistant and can not be read.", boxes.boxes[0].text);
            EXPECT_EQ("Error reading file or unexpected end of file", boxes.boxes[1].text);
        }
        else
        {
            EXPECT_EQ(c.texts[0], boxes.boxes[0].text);
        }
        EXPECT_EQ(0u, IDIndex::Get().getItemsInContainer());
    }
}

TEST(IDIndexTest, FirstObjectKeepsItsIdAndEmptyingKeepsTheObjects)
{
    IDIndex& index = IDIndex::Get();
    index.Empty();
    Page a, b, c;
    EXPECT_EQ(1, index.Add(5, &a));
    EXPECT_EQ(0, index.Add(5, &b));
    EXPECT_EQ(1, index.Add(2, &c));
    EXPECT_EQ(1, index.Add(9, &b));
    EXPECT_EQ(&a, index.Find(5));
    EXPECT_EQ(&c, index.Find(2));
    EXPECT_EQ(&b, index.Find(9));
    EXPECT_EQ(nullptr, index.Find(7));
    index.Empty();
    EXPECT_EQ(nullptr, index.Find(5));
    EXPECT_EQ(0u, index.getItemsInContainer());
}

TEST_F(ProgramFileTest, OnlyTheFirstTwelveCharactersNameTheTextForm)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    const std::string path = PathOf("tag.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    lines[0] = "{FileHeader} and more";
    WriteWholeFile(path, JoinLines(lines));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ExpectSamePrograms(pProgram.get(), pLoaded.get());
}

TEST_F(ProgramFileTest, FileOfTheModelAloneLoadsWithAPageMain)
{
    const std::string path = PathOf("model.ed");
    WriteWholeFile(path, "{ApplicationModel}\n{EndofApplicationModel}\n" + std::string(120, '#') + "\n");
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_FALSE(pLoaded->IsModified());
    Page* pMain = pLoaded->GetMainPage();
    ASSERT_NE(nullptr, pMain);
    EXPECT_STREQ("Main", pMain->GetName());
    EXPECT_EQ(0, pMain->GetBlocks().getItemsInContainer());
    ExpectModelMatches(pLoaded.get());
}

TEST_F(ProgramFileTest, EveryTextOfTheProgramFilesLoads)
{
    for (UINT nId = IDS_FILE_BADHEADER; nId <= IDS_FILE_BATCHOBSOLETEGOTO; ++nId)
    {
        CString text;
        EXPECT_TRUE(text.LoadString(nId)) << nId;
        EXPECT_FALSE(text.IsEmpty()) << nId;
    }
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_FILE_INCONSISTENT));
    EXPECT_STREQ("Input file is inconsistant and can not be read.", text);
}

TEST_F(ProgramFileTest, ImportedLibrariesComeBackWithTheirBlocks)
{
    std::unique_ptr<Program> pProgram(VariedProgram());
    ASSERT_NE(0, kvrImportRLL(pProgram->GetHandle(), "Orders.12", nullptr));
    pProgram->LoadRllIcons("Orders.12");
    PowerBlock* pRun = AddBlock(pProgram->GetMainPage(), 409, "RunOrders", 50, 900);
    ASSERT_NE(nullptr, pRun);
    pRun->SetCustomType("Orders.12");
    pRun->Refresh(0);
    const std::string path = PathOf("rll.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    GroupIcon* pGroup = pLoaded->FindLibraryGroup("Imported Applications");
    ASSERT_NE(nullptr, pGroup);
    PowerBlockIcon* pIcon = pGroup->FindByName("Orders.12");
    ASSERT_NE(nullptr, pIcon);
    PowerBlock* pLoadedRun = pLoaded->GetMainPage()->FindBlockByName("RunOrders");
    ASSERT_NE(nullptr, pLoadedRun);
    EXPECT_EQ(KVR_PB_IMPORTED, pLoadedRun->GetType());
    EXPECT_STREQ("Orders.12", pLoadedRun->GetCustomType());
    EXPECT_EQ(pIcon, pLoadedRun->GetIcon());
    ExpectSamePrograms(pProgram.get(), pLoaded.get());
}

TEST_F(ProgramFileTest, LoadedObsoleteBlocksAreNeverFinished)
{
    // A block of a type the server no longer runs is finished while it is
    // placed (it has no outputs); loaded from a file of either form the
    // model marks it, and its page is no longer finished.
    std::unique_ptr<Program> pProgram(VariedProgram());
    Page* pMain = pProgram->GetMainPage();
    int nType = KVR_PB_OBSOLETE;
    PowerBlockIcon* pIcon = IconForBlockType(nType, nType);
    ASSERT_NE(nullptr, pIcon);
    int nRetry = 1;
    PowerBlock* pOld = new PowerBlock(pMain, "Old1", pIcon->GetInfo(), pIcon, 600, 900, &nRetry, nullptr, 0, nullptr);
    ASSERT_TRUE(pOld->HasHandle());
    pMain->AddObject(pOld);
    ASSERT_TRUE(pOld->IsFinished());
    const std::string path = PathOf("obsolete.ed");
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr));
    const std::string binary = PathOf("obsolete.bin");
    BinaryOptions o;
    WriteBinary(binary, pProgram.get(), o);

    for (const std::string& file : { path, binary })
    {
        SCOPED_TRACE(file);
        MessageBoxRecorder boxes;
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(file.c_str(), nullptr));
        ASSERT_NE(nullptr, pLoaded);
        EXPECT_TRUE(boxes.boxes.empty());
        PowerBlock* pLoadedOld = pLoaded->GetMainPage()->FindBlockByName("Old1");
        ASSERT_NE(nullptr, pLoadedOld);
        EXPECT_EQ(KVR_PB_OBSOLETE, pLoadedOld->GetType());
        EXPECT_FALSE(pLoadedOld->IsFinished());
        EXPECT_FALSE(pLoaded->GetMainPage()->AllBlocksFinished());
        // The other blocks keep what they were.
        for (ListIterator it(pMain->GetBlocks()); it;)
        {
            PowerBlock& block = static_cast<PowerBlock&>(it++);
            if (&block == pOld)
                continue;
            PowerBlock* pLoadedBlock = pLoaded->GetMainPage()->FindBlockByName(block.GetName());
            ASSERT_NE(nullptr, pLoadedBlock) << block.GetName();
            EXPECT_EQ(block.IsFinished(), pLoadedBlock->IsFinished()) << block.GetName();
        }
        ExpectModelMatches(pLoaded.get());
    }
    // The mark changes nothing that the file keeps.
    std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
    ASSERT_NE(nullptr, pLoaded);
    ExpectSamePrograms(pProgram.get(), pLoaded.get());
}
