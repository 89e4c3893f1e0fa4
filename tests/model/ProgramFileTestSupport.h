// Shared set-up of the program-file tests: a scratch working directory (the
// load/save log goes there), a scripted load/save prompt, a varied program
// that uses every record kind and field, and the comparison of two programs.
#ifndef PROGRAMFILETESTSUPPORT_H
#define PROGRAMFILETESTSUPPORT_H

#include "ModelTestSupport.h"
#include "LSReport.h"
#include "PXTextUI.h"
#include "ProgramFile.h"

#include <deque>
#include <string>
#include <vector>

class ProgramFileTest : public ModelTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A program with pages of every kind, blocks with descriptions, flags,
    // bit sets, hidden stubs, gotos with colours, flags and segments, text
    // notes with hostile texts and fonts, and a filled application profile.
    Program* VariedProgram();

    // The path of a file in the scratch directory.
    std::string PathOf(const char* pszName) const { return m_dir + "\\" + pszName; }

public:
    struct Prompt
    {
        std::string text;
        int nCode;
    };
    // Prompts shown, and the answers to give (IDOK when none is queued).
    static std::vector<Prompt> s_prompts;
    static std::deque<int> s_answers;
    static bool s_bTickNoMoreWarnings;

protected:
    std::string m_dir;
    char m_szOldDir[MAX_PATH];
    LSPromptRunner m_pfnOldRunner = nullptr;
};

// Every page, block, stub, goto, segment, note, profile field and setting of
// the two programs is the same (objects matched by name or place); without
// bCurrent, as a file of an older version keeps it (no zoom, no italics).
void ExpectSamePrograms(Program* pExpected, Program* pActual, bool bCurrent = true);

// Every page, block and goto of the editor's program is the model's, and
// the model holds no page or block more (none that a damaged file made the
// editor drop).
void ExpectEditorInModel(Program* pProgram);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLines(const std::vector<std::string>& lines);

// The fields of a record line, with "~," kept inside its field; and back.
std::vector<std::string> SplitRecord(const std::string& line);
std::string JoinRecord(const std::vector<std::string>& fields);

#endif
