// Shared set-up of the program-model tests: the dialog library, the
// model's observer and settings, the palette's block lists from the
// application model, and the check that the model's registrations match the
// editor's objects.
#ifndef MODELTESTSUPPORT_H
#define MODELTESTSUPPORT_H

#include "PXTestSupport.h"
#include "Goto.h"
#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ModelObserver.h"

#include <string>
#include <vector>

// The windows as the model sees them: records what it is told.
class RecordingObserver : public ModelObserver
{
public:
    struct Told
    {
        UIObject* pObject;
        int nKind;
        int nFlags;
        bool operator==(const Told& r) const
        {
            return pObject == r.pObject && nKind == r.nKind && nFlags == r.nFlags;
        }
    };

    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override
    {
        told.push_back({pObject, nKind, nFlags});
    }
    void RefreshCaptions() override { ++nCaptionRefreshes; }
    void RefreshCommandStates() override { ++nCommandRefreshes; }
    void SetStatusText(const char* pszText, int bHighlight) override
    {
        texts.push_back(pszText ? pszText : "");
        highlights.push_back(bHighlight);
    }

    std::vector<Told> told;
    int nCaptionRefreshes = 0;
    int nCommandRefreshes = 0;
    std::vector<std::string> texts;
    std::vector<int> highlights;
};

class ModelTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A new program with its page "Main" and its default blocks.
    Program* NewProgram();
    // A block of the type made, registered and added to the page.
    PowerBlock* AddBlock(Page* pPage, int nType, const char* pszName, long x = 0, long y = 0);
    static PowerBlockIcon* IconOf(int nType);
    // The page's blocks, most recently added first.
    static int CountBlocks(Program* pProgram);

    // Installed for each test.
    RecordingObserver m_observer;
    ModelObserver* m_pOldObserver = nullptr;
    static IconInfoTable* s_pTable;
    static Icons* s_pIcons;
};

// The name by which the model knows the block.
std::string QualifiedName(Page* pPage, PowerBlock* pBlock);

// Every page, block and connection of the editor's program is the model's,
// and the model has no others.
void ExpectModelMatches(Program* pProgram);

#endif
