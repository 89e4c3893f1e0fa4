// The editor links the client library by name through its import library.
#include <windows.h>

#include <plexlink.h>

#include <gtest/gtest.h>

TEST(PlexlinkImport, CallsReachTheLibraryLinkedByName)
{
    EXPECT_NE(nullptr, GetModuleHandleA("plexlink.dll"));
    EXPECT_EQ(PXRC_OK, PXAttachView(nullptr));
    EXPECT_EQ(PXRC_OK, PXDetachView(nullptr));
    EXPECT_EQ(PXRC_OK, PXAboutDlg());
    EXPECT_EQ(PXRC_OK, PXFreeAllocatedMemory(nullptr));
    EXPECT_EQ(PXRC_OK, PXInitPlexwright(0, 1, 0, "", "", nullptr, 0, "", 0, 0, "2", "2", 636, 0));
    int nID = 0;
    EXPECT_EQ(PXRC_OK, PXGetUnusedID(&nID));
    EXPECT_EQ(1000, nID);
    EXPECT_EQ(PXRC_OK, PXTermPlexwright());
}
