// The help topics of the editor's dialogs: every topic a dialog names has
// a context number of its own; other texts have none.
#include "plexedit.h"

#include <gtest/gtest.h>

#include <set>

TEST(HelpTopics, EveryDialogTopicHasItsOwnNumber)
{
    const char* topics[] = { "Add block", "Rename block", "Rename", "View Options", "Find PowerBlock",
                             "View SuperBlock", "View Verification Block", "Define SuperBlocks",
                             "Define Verification Blocks" };
    std::set<unsigned> seen;
    for (const char* topic : topics)
    {
        unsigned id = FindHelpID(topic);
        EXPECT_NE(0u, id) << topic;
        EXPECT_TRUE(seen.insert(id).second) << topic << " shares its number";
    }
}

TEST(HelpTopics, CaseDoesNotMatter)
{
    EXPECT_EQ(FindHelpID("Find PowerBlock"), FindHelpID("FIND powerblock"));
}

TEST(HelpTopics, UnknownTopicsHaveNone)
{
    EXPECT_EQ(0u, FindHelpID(nullptr));
    EXPECT_EQ(0u, FindHelpID(""));
    EXPECT_EQ(0u, FindHelpID("No such topic"));
    EXPECT_EQ(0u, FindHelpID("Rename "));
}
