// The checks the editor makes on each block of a program it has loaded:
// obsolete blocks, blocks whose description is their own, and the
// connection entries of a block.
#include "PlexModelTest.h"

TEST_F(ModelTest, AnObsoleteBlockIsNeverFinished)
{
    kvrHandleType* obsolete = Block(KVR_PB_OBSOLETE, "Old1");
    kvrHandleType* menu = Block(402, "Menu1");
    for (kvrHandleType* h : { obsolete, menu })
    {
        ASSERT_EQ(KVR_OK, kvrSDOSetIconFinished(h, 1));
        EXPECT_EQ(1, kvrIsPowerBlockFinished(h));
    }

    ASSERT_EQ(KVR_OK, kvrTurnObsoletePBPink(obsolete));
    EXPECT_EQ(0, kvrIsPowerBlockFinished(obsolete));
    // The editor's later finished checks do not lift the mark.
    ASSERT_EQ(KVR_OK, kvrSDOSetIconFinished(obsolete, 1));
    EXPECT_EQ(0, kvrIsPowerBlockFinished(obsolete));
    // Marking again changes nothing; other blocks keep their state.
    EXPECT_EQ(KVR_OK, kvrTurnObsoletePBPink(obsolete));
    EXPECT_EQ(0, kvrIsPowerBlockFinished(obsolete));
    EXPECT_EQ(1, kvrIsPowerBlockFinished(menu));
}

TEST_F(ModelTest, ABlockUsesItsTypesDescriptionUnlessItHasItsOwn)
{
    struct { int type; const char* name; const char* custom; int expected; } rows[] = {
        { KVR_PB_BEGIN, "Begin", "", 1 },
        { 402, "Menu1", "", 1 },
        { 395, "Day1", "", 1 },                     // with group outputs
        { KVR_PB_OBSOLETE, "Old1", "", 1 },
        { KVR_PB_IMPORTED, "Lib1", "APP.7", 0 },    // names its library
        { KVR_PB_IMPORTED, "Lib2", "Imported Application", 1 },
    };
    for (const auto& r : rows)
    {
        kvrHandleType* h = Block(r.type, r.name, r.custom);
        EXPECT_EQ(r.expected, kvrUsesDefaultPowerBlockInfo(h)) << r.name;
    }
}

TEST_F(ModelTest, LoadChecksRefuseWhatIsNoLiveBlock)
{
    kvrHandleType* gone = Block(402, "Menu1");
    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(gone, 0));
    for (kvrHandleType* h : { (kvrHandleType*)nullptr, gone, m_main, m_prog })
    {
        EXPECT_EQ(KVR_ERR_HANDLE, kvrTurnObsoletePBPink(h));
        EXPECT_EQ(KVR_ERR_HANDLE, kvrVerifyPBEntries(h));
        // Nothing to take from the model, so nothing to refresh.
        EXPECT_EQ(1, kvrUsesDefaultPowerBlockInfo(h));
    }
}

TEST_F(ModelTest, SoundConnectionEntriesStandAsTheyAre)
{
    kvrHandleType* day = Block(395, "Day1");
    kvrHandleType* end1 = Block(KVR_PB_END, "End1");
    kvrHandleType* end2 = Block(KVR_PB_END, "End2");
    int monday = ConnIndex(day, "Monday");
    int sunday = ConnIndex(day, "Sunday");
    ASSERT_GE(monday, 0);
    ASSERT_GE(sunday, 0);
    ASSERT_EQ(KVR_OK, kvrCreateGoto(day, end1, monday));
    ASSERT_EQ(KVR_OK, kvrCreateGoto(day, end2, sunday));

    EXPECT_EQ(KVR_OK, kvrVerifyPBEntries(day));
    EXPECT_EQ(end1, kvrGetGotoConnection(day, monday));
    EXPECT_EQ(end2, kvrGetGotoConnection(day, sunday));

    // A connection whose end went leads nowhere, which is sound too.
    ASSERT_EQ(KVR_OK, kvrDeletePowerBlock(end2, 0));
    EXPECT_EQ(KVR_OK, kvrVerifyPBEntries(day));
    EXPECT_EQ(end1, kvrGetGotoConnection(day, monday));
    EXPECT_EQ(nullptr, kvrGetGotoConnection(day, sunday));
    EXPECT_EQ(KVR_OK, kvrVerifyPBEntries(end1));
}
