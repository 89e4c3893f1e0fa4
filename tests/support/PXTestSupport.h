// Seams of the program answered by tests: consistency checks are caught as
// exceptions, message boxes are recorded and answered from a script.
#ifndef PXTESTSUPPORT_H
#define PXTESTSUPPORT_H

#include "PXafx.h"

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// What a failed consistency check reported. Thrown by the test handler.
struct PXAssertion
{
    std::string expr;
    std::string file;
    int line;
};

// Runs stmt and expects it to fail a consistency check whose expression
// contains exprPart. Yields the PXAssertion into the named variable.
#define EXPECT_PXASSERT(stmt, exprPart)                                      \
    do {                                                                     \
        bool pxFailed_ = false;                                              \
        try { stmt; } catch (const PXAssertion& pxA_) {                      \
            pxFailed_ = true;                                                \
            EXPECT_NE(pxA_.expr.find(exprPart), std::string::npos)           \
                << "expression was " << pxA_.expr;                           \
            EXPECT_FALSE(pxA_.file.empty());                                 \
            EXPECT_GT(pxA_.line, 0);                                         \
        }                                                                    \
        EXPECT_TRUE(pxFailed_) << "no consistency failure from " #stmt;      \
    } while (0)

// One message box the program asked for.
struct PXShownBox
{
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT uType;
};

// Records every message box while it lives and answers them in order from
// the answers queued; without a queued answer a box is answered with
// nDefault (IDOK unless changed). Only one may exist at a time.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();

    void Answer(int nAnswer) { m_answers.push_back(nAnswer); }

    std::vector<PXShownBox> boxes;
    int nDefault = IDOK;

private:
    static int Hook(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType);

    std::deque<int> m_answers;
    PXMessageBoxHook m_pfnPrev;
};

// Deletes the folder with everything in it (read-only files too); the
// folder's name may end with a backslash or not.
void PXRemoveTree(const std::string& dir);

#endif
