// The log "PlexwrightLog.txt": where it goes, its levels, its flushing, its
// closing at unload, and the context id kept out of it.
#include "PlexlinkTestSupport.h"

#include <limits.h>
#include <string.h>

namespace {

class PlexlinkLog : public testing::Test
{
protected:
    std::string LogPath() const { return dir.Path() + "PlexwrightLog.txt"; }
    // The log as another program sees it now (what was flushed), its line
    // ends read as the C library's text mode wrote them.
    std::string OnDisk() const
    {
        std::string text;
        EXPECT_TRUE(ReadTextFile(LogPath(), text));
        std::string lines;
        for (size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                lines += text[i];
        return lines;
    }
    static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

    TempDir dir;
    ProgDirSetting progDir{dir.Path()};
    PlexlinkLib lib;
};

const char* const kContextID = "ctx-7f3a9b2c4d5e6f70";

} // namespace

TEST_F(PlexlinkLog, LevelZeroWritesNoLog)
{
    WriteTextFile(LogPath(), "an earlier session\n");
    ASSERT_EQ(PXRC_OK, lib.InitOffline(0, 0));
    PXLanguageRow* pRows = nullptr;
    PXFN(lib, PXLanguagesToDisplay)(&pRows);
    PXFN(lib, PXFreeAllocatedMemory)(pRows);
    lib.Unload();
    EXPECT_EQ("an earlier session\n", OnDisk());

    DeleteFileA(LogPath().c_str());
    PlexlinkLib again;
    EXPECT_EQ(PXRC_SESSION_START_FAILED, again.InitOnline(0, 0, kContextID));
    again.Unload();
    EXPECT_FALSE(FileExists(LogPath()));
}

TEST_F(PlexlinkLog, EachSessionStartsANewLog)
{
    WriteTextFile(LogPath(), "an earlier session\n");
    ASSERT_EQ(PXRC_OK, lib.InitOffline(1, 0));
    EXPECT_EQ("Start Logging -> Log Level:1 LogInterval:0\n", OnDisk());
}

TEST_F(PlexlinkLog, WithoutProgramDirectoryTheLogGoesToTheCurrentFolder)
{
    RemoveProgDirSetting();
    char szOld[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szOld);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    int nResult = lib.InitOffline(2, 0);
    SetCurrentDirectoryA(szOld);
    EXPECT_EQ(PXRC_OK, nResult);
    EXPECT_EQ("Start Logging -> Log Level:2 LogInterval:0\n", OnDisk());
}

TEST_F(PlexlinkLog, LevelsDecideWhatIsWritten)
{
    // Level 3 "Cannot generate unused appID." is written at level 3 only;
    // the level-2 start line from level 2 on; error lines always.
    for (int nLevel = 1; nLevel <= 3; ++nLevel)
    {
        PlexlinkLib session;
        EXPECT_EQ(PXRC_SESSION_START_FAILED, session.InitOnline(nLevel, 0, kContextID));
        int nID = 0;
        PXFN(session, PXGetUnusedID)(&nID);
        session.Unload();
        std::string text = OnDisk();
        EXPECT_TRUE(Has(text, "Start Logging -> Log Level:" + std::to_string(nLevel) + " LogInterval:0\n"));
        EXPECT_TRUE(Has(text, "PXPlexwrightApp::initPlexwright, Failed init of LDAP server, hr=800401f3.\n"))
            << text;
        EXPECT_EQ(nLevel >= 2, Has(text, "PXPlexwrightApp::initPlexwright, CustID=1, ServerIP=192.0.2.10, "
                                         "UserID=4711, ContextID=")) << text;
        EXPECT_EQ(nLevel >= 3, Has(text, "Cannot generate unused appID.\n")) << text;
    }
}

TEST_F(PlexlinkLog, TheContextIdIsMasked)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(3, 0, kContextID));
    lib.Unload();
    std::string text = OnDisk();
    EXPECT_TRUE(Has(text, "ContextID=****6f70.\n")) << text;
    EXPECT_FALSE(Has(text, kContextID)) << text;
    EXPECT_FALSE(Has(text, "7f3a9b2c")) << text;
    EXPECT_FALSE(Has(text, "encoded-secret")) << text;

    // A short id shows nothing of itself.
    PlexlinkLib again;
    ASSERT_EQ(PXRC_SESSION_START_FAILED, again.InitOnline(3, 0, "abc123"));
    again.Unload();
    text = OnDisk();
    EXPECT_TRUE(Has(text, "ContextID=****.\n")) << text;
    EXPECT_FALSE(Has(text, "abc123")) << text;
}

TEST_F(PlexlinkLog, TheLogOutlivesTheSession)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(1, 0, kContextID));
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXTermPlexwright)());
    PXAppListRow* pRows = nullptr;
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFilesToPump)(&pRows));
    EXPECT_TRUE(Has(OnDisk(), "CLDAP::RetrieveApplicationList, no directory connection.\n"));
    // Open until the library goes.
    EXPECT_FALSE(DeleteFileA(LogPath().c_str()));
    lib.Unload();
    EXPECT_TRUE(DeleteFileA(LogPath().c_str()));
}

TEST_F(PlexlinkLog, IntervalZeroFlushesEveryLine)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(1, 0, kContextID));
    EXPECT_TRUE(Has(OnDisk(), "Failed init of LDAP server"));
    PXAppListRow* pRows = nullptr;
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFilesToPump)(&pRows));
    EXPECT_TRUE(Has(OnDisk(), "CLDAP::RetrieveApplicationList, no directory connection.\n"));
}

TEST_F(PlexlinkLog, ALongIntervalKeepsLinesUntilTheUnload)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(3, 100, kContextID));
    PXAppListRow* pRows = nullptr;
    PXFN(lib, PXFilesToPump)(&pRows);
    EXPECT_EQ("", OnDisk());
    // The unload closes the log: everything is there and the file is free.
    lib.Unload();
    std::string text = OnDisk();
    EXPECT_TRUE(Has(text, "Start Logging -> Log Level:3 LogInterval:100\n"));
    EXPECT_TRUE(Has(text, "CLDAP::RetrieveApplicationList, no directory connection.\n"));
    EXPECT_TRUE(DeleteFileA(LogPath().c_str()));
}

TEST_F(PlexlinkLog, AnUnwrittenLineStillCountsTowardsTheFlush)
{
    // Level 2, interval 1: every second writer call flushes. Start (1),
    // start line (2, flush), LDAP failure (3); then the level-3 line that is
    // not written is call 4 and flushes the LDAP failure line.
    {
        PlexlinkLib session;
        ASSERT_EQ(PXRC_SESSION_START_FAILED, session.InitOnline(2, 1, kContextID));
        EXPECT_TRUE(Has(OnDisk(), "ContextID=****6f70.\n"));
        EXPECT_FALSE(Has(OnDisk(), "Failed init of LDAP server"));
        int nID = 0;
        PXFN(session, PXGetUnusedID)(&nID);
        EXPECT_TRUE(Has(OnDisk(), "Failed init of LDAP server"));
        EXPECT_FALSE(Has(OnDisk(), "Cannot generate unused appID."));
    }
}

TEST_F(PlexlinkLog, LongMessagesAreCutAndPercentSignsKept)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(3, 0, kContextID));
    // The entry line of an open names the application: a name with format
    // signs, and ids that make the line longer than 511 characters.
    PXFileRequest request;
    memset(&request, 0, sizeof request);
    request.customerid = request.appprofid = request.volumeid = INT_MIN;
    std::string name = "50%s%d%n" + std::string(415, 'n');
    memcpy(request.appname, name.data(), name.size());
    PXFileInfo info;
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFileOpen)(&request, &info));
    lib.Unload();

    std::string full = "PXPlexwrightApp::fileOpen, custID=-2147483648, appID=-2147483648, appName=" + name +
                       ", VolumeID=-2147483648.\n";
    ASSERT_GT(full.size(), 511u);
    std::string text = OnDisk();
    size_t nAt = text.find("PXPlexwrightApp::fileOpen");
    ASSERT_NE(std::string::npos, nAt) << text;
    // Cut after 511 characters, no line end of its own: the next line follows.
    EXPECT_EQ(full.substr(0, 511) + "PXApplication::Open, no directory connection.\n", text.substr(nAt)) << text;
}
