// The export frame, driven through the test copy of the library: the
// catch-all that turns an exception into 60, the module state, the offline
// short cut, and the mapping of the directory's storage-full errors, which
// never takes errors left from an earlier call.
#include "PlexlinkTestSupport.h"

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace {

typedef void(__cdecl* SetFrameHookFn)(int nMode, const char* pszTarget, int nCodes, const int* pCodes);
typedef int(__cdecl* LastHookFn)(char* pszExport, int cbExport);
typedef void(__cdecl* RefillFn)(int nCodes, const int* pCodes);
typedef int(__cdecl* ForeignStateFn)(int nSet);

enum { kRecord = 0, kThrowStd = 1, kThrowInt = 2, kFillCache = 3 };

class PlexlinkFrame : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, lib.Handle());
        setHook = lib.Get<SetFrameHookFn>("PXTestSetFrameHook");
        lastHook = lib.Get<LastHookFn>("PXTestLastHook");
        refill = lib.Get<RefillFn>("PXTestRefillErrorCache");
        foreignState = lib.Get<ForeignStateFn>("PXTestForeignState");
        ASSERT_TRUE(setHook && lastHook && refill && foreignState);
    }

    std::string LastExport(int* pnOwnState = nullptr)
    {
        char sz[64] = {0};
        int nOwn = lastHook(sz, sizeof sz);
        if (pnOwnState)
            *pnOwnState = nOwn;
        return sz;
    }

    std::string Log()
    {
        std::string text;
        ReadTextFile(dir.Path() + "PlexwrightLog.txt", text);
        return text;
    }

    TempDir dir;
    ProgDirSetting progDir{dir.Path()};
    PlexlinkLib lib{"plexlinkseam.dll"};
    SetFrameHookFn setHook = nullptr;
    LastHookFn lastHook = nullptr;
    RefillFn refill = nullptr;
    ForeignStateFn foreignState = nullptr;
};

struct FramedCall
{
    const char* pszExport;
    std::function<int(PlexlinkLib&)> call;
};

PXFileRequest g_request = {1, 5, "Main", 1};
PXFileInfo g_info;
PXAppProfileInfo g_profile;
PXAppDataRequest g_data = {1, 5, nullptr, nullptr};
PXItemInfo g_item;
int g_nOut;
short g_nShort;
char g_szText[64];
unsigned char g_encrypted[8];
PXAppListRow* g_pApps;
PXLanguageRow* g_pLanguages;
PXResPermRow* g_pLists;
PXVolumeRow* g_pVolumes;
PXRecoveryInfo g_recovery;

// Every export that runs inside the catch-all.
const FramedCall kFramed[] = {
    {"PXTermPlexwright", [](PlexlinkLib& l) { return PXFN(l, PXTermPlexwright)(); }},
    {"PXGetServerVersion", [](PlexlinkLib& l) { return PXFN(l, PXGetServerVersion)(0, 0, g_szText); }},
    {"PXGetCustProf", [](PlexlinkLib& l) { return PXFN(l, PXGetCustProf)(0, &g_nShort); }},
    {"PXGetUnusedID", [](PlexlinkLib& l) { return PXFN(l, PXGetUnusedID)(&g_nOut); }},
    {"PXFilesToDisplay", [](PlexlinkLib& l) { return PXFN(l, PXFilesToDisplay)(&g_pApps, 1, 1, 0); }},
    {"PXFilesToPump", [](PlexlinkLib& l) { return PXFN(l, PXFilesToPump)(&g_pApps); }},
    {"PXLanguagesToDisplay", [](PlexlinkLib& l) { return PXFN(l, PXLanguagesToDisplay)(&g_pLanguages); }},
    {"PXResPermToDisplay", [](PlexlinkLib& l) { return PXFN(l, PXResPermToDisplay)(&g_pLists); }},
    {"PXVolumeToDisplay", [](PlexlinkLib& l) { return PXFN(l, PXVolumeToDisplay)(&g_pVolumes); }},
    {"PXFreeAllocatedMemory", [](PlexlinkLib& l) { return PXFN(l, PXFreeAllocatedMemory)(nullptr); }},
    {"PXFileNew", [](PlexlinkLib& l) { return PXFN(l, PXFileNew)(&g_request, &g_info); }},
    {"PXFileOpen", [](PlexlinkLib& l) { return PXFN(l, PXFileOpen)(&g_request, &g_info); }},
    {"PXFileOpenOnRecovery", [](PlexlinkLib& l) { return PXFN(l, PXFileOpenOnRecovery)(&g_recovery); }},
    {"PXFileClose", [](PlexlinkLib& l) { return PXFN(l, PXFileClose)(1, 5); }},
    {"PXFileProperties", [](PlexlinkLib& l) { return PXFN(l, PXFileProperties)(&g_profile); }},
    {"PXFileSave", [](PlexlinkLib& l) { return PXFN(l, PXFileSave)(1, 5, 1, 11, &g_info); }},
    {"PXFileSaveAs", [](PlexlinkLib& l) { return PXFN(l, PXFileSaveAs)(1, 5, 1, 1, 6, "B", 1, 0, &g_info); }},
    {"PXFileDelete", [](PlexlinkLib& l) { return PXFN(l, PXFileDelete)(1, 5, "Main", 0); }},
    {"PXGetDataFromPW", [](PlexlinkLib& l) { return PXFN(l, PXGetDataFromPW)(&g_data); }},
    {"PXFileImport", [](PlexlinkLib& l) { return PXFN(l, PXFileImport)(&g_data); }},
    {"PXGetResPermDataFromPW", [](PlexlinkLib& l) { return PXFN(l, PXGetResPermDataFromPW)(1, 5, nullptr); }},
    {"PXResPermUsed", [](PlexlinkLib& l) { return PXFN(l, PXResPermUsed)(1, 5, &g_data); }},
    {"PXIsImported", [](PlexlinkLib& l) { return PXFN(l, PXIsImported)(1, 5, &g_nOut); }},
    {"PXManipulateItem", [](PlexlinkLib& l) { return PXFN(l, PXManipulateItem)(1, 5, 21, &g_item); }},
    {"PXRecordVoiceItem", [](PlexlinkLib& l) { return PXFN(l, PXRecordVoiceItem)(1, 5, &g_item); }},
    {"PXImportVoiceItem", [](PlexlinkLib& l) { return PXFN(l, PXImportVoiceItem)(1, 5, &g_item, "a.wav"); }},
    {"PXImportFaxItem", [](PlexlinkLib& l) { return PXFN(l, PXImportFaxItem)(1, 5, &g_item, "a.tif"); }},
    {"PXCutCopyPasteItem",
     [](PlexlinkLib& l) { return PXFN(l, PXCutCopyPasteItem)(1, 1, 5, &g_item, 1, 6, &g_item); }},
    {"PXEncryptString", [](PlexlinkLib& l) { return PXFN(l, PXEncryptString)("pw", g_encrypted); }},
};

// The exports that skip the module-state switch.
bool SkipsModuleState(const std::string& name)
{
    return name == "PXFilesToPump" || name == "PXFreeAllocatedMemory" || name == "PXIsImported";
}

} // namespace

TEST_F(PlexlinkFrame, AnExceptionInAnyExportBecomes60AndOneLogLine)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(1, 0, "context-id-000000"));
    for (int nMode : {kThrowStd, kThrowInt})
    {
        for (const FramedCall& framed : kFramed)
        {
            setHook(nMode, framed.pszExport, 0, nullptr);
            std::string before = Log();
            EXPECT_EQ(PXRC_FAILURE, framed.call(lib)) << framed.pszExport;
            EXPECT_EQ(framed.pszExport, LastExport()) << framed.pszExport;
            std::string added = Log().substr(before.size());
            EXPECT_EQ(0u, added.find("Exception occurred @ File: ")) << framed.pszExport << ": " << added;
            EXPECT_NE(std::string::npos, added.find("Exports.cpp, line ")) << added;
            EXPECT_EQ('\n', added.back()) << added;
            EXPECT_EQ(1, std::count(added.begin(), added.end(), '\n')) << added;
        }
    }
    // PXInitPlexwright itself: the start's exception is 60 too.
    setHook(kThrowStd, "PXInitPlexwright", 0, nullptr);
    EXPECT_EQ(PXRC_FAILURE, lib.InitOnline(1, 0, "context-id-000000"));
}

TEST_F(PlexlinkFrame, OfflineTheShortCutComesBeforeTheOperation)
{
    ASSERT_EQ(PXRC_OK, lib.InitOffline(1, 0));
    const std::set<std::string> kRunOffline = {"PXGetUnusedID",     "PXFilesToDisplay", "PXFilesToPump",
                                               "PXLanguagesToDisplay", "PXResPermToDisplay", "PXVolumeToDisplay",
                                               "PXFreeAllocatedMemory", "PXFileNew", "PXFileOpen", "PXIsImported"};
    for (const FramedCall& framed : kFramed)
    {
        setHook(kThrowStd, framed.pszExport, 0, nullptr);
        bool bRuns = kRunOffline.count(framed.pszExport) != 0;
        EXPECT_EQ(bRuns ? PXRC_FAILURE : PXRC_OK, framed.call(lib)) << framed.pszExport;
        EXPECT_EQ(bRuns ? framed.pszExport : "", LastExport()) << framed.pszExport;
    }
}

TEST_F(PlexlinkFrame, TheLibrarysModuleStateIsCurrentDuringTheCall)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(0, 0, "context-id-000000"));
    for (int nMode : {kRecord, kThrowStd})
    {
        for (const FramedCall& framed : kFramed)
        {
            setHook(nMode, framed.pszExport, 0, nullptr);
            foreignState(1);  // the caller's state
            framed.call(lib);
            int nOwn = -1;
            EXPECT_EQ(framed.pszExport, LastExport(&nOwn));
            EXPECT_EQ(SkipsModuleState(framed.pszExport) ? 0 : 1, nOwn) << framed.pszExport;
            EXPECT_EQ(1, foreignState(-1)) << framed.pszExport << ": the caller's state is not back";
        }
    }
    foreignState(0);
}

TEST_F(PlexlinkFrame, StorageFullErrorsOfTheCallMapToTheirCodes)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(0, 0, "context-id-000000"));
    const struct
    {
        const char* pszExport;
        std::vector<int> errors;
        int nExpected;
    } kCases[] = {
        {"PXFilesToDisplay", {60657}, PXRC_SERVER_DISK_FULL},
        {"PXFilesToDisplay", {60656}, PXRC_DATABASE_FULL},
        {"PXFilesToDisplay", {60658}, PXRC_MISA_FULL},
        {"PXFilesToDisplay", {7, 60658, 60656}, PXRC_DATABASE_FULL},   // 60656 is looked for first
        {"PXFilesToDisplay", {60656, 60657}, PXRC_SERVER_DISK_FULL},   // ... after 60657
        {"PXFilesToDisplay", {3}, PXRC_DIRECTORY_FAILED},              // 72 only for new and save as
        {"PXFilesToDisplay", {4711}, PXRC_DIRECTORY_FAILED},
        {"PXFileNew", {3}, PXRC_APP_LIMIT},
        {"PXFileNew", {3, 60658}, PXRC_MISA_FULL},
        {"PXEncryptString", {60656}, PXRC_DATABASE_FULL},
        {"PXFileClose", {60656}, PXRC_NOT_OPEN},                       // the frame's own 48
        {"PXFileSaveAs", {3}, PXRC_NOT_OPEN},
        {"PXGetUnusedID", {60656}, PXRC_FAILURE},                      // no mapping
        {"PXGetServerVersion", {60656}, PXRC_SESSION_START_FAILED},
        {"PXIsImported", {60656}, PXRC_NOT_OPEN},
    };
    for (const auto& c : kCases)
    {
        setHook(kFillCache, c.pszExport, static_cast<int>(c.errors.size()), c.errors.data());
        const FramedCall* pFramed = nullptr;
        for (const FramedCall& framed : kFramed)
            if (c.pszExport == std::string(framed.pszExport))
                pFramed = &framed;
        ASSERT_NE(nullptr, pFramed);
        EXPECT_EQ(c.nExpected, pFramed->call(lib)) << c.pszExport << " with " << c.errors.front();
    }
}

TEST_F(PlexlinkFrame, ErrorsOfAnEarlierCallAreNotMapped)
{
    ASSERT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(0, 0, "context-id-000000"));
    setHook(kRecord, "*", 0, nullptr);
    const int kFull[] = {60656, 60657, 60658, 3};
    // Left in the cache by a failed call before: each export starts afresh.
    const struct
    {
        const char* pszExport;
        int nExpected;
    } kCases[] = {
        {"PXFilesToDisplay", PXRC_DIRECTORY_FAILED},
        {"PXLanguagesToDisplay", PXRC_DIRECTORY_FAILED},
        {"PXFileNew", PXRC_QUERY_FAILED},
        {"PXFileOpen", PXRC_DIRECTORY_FAILED},
        {"PXEncryptString", PXRC_ENCRYPTION_FAILED},
    };
    for (const auto& c : kCases)
    {
        refill(4, kFull);
        for (const FramedCall& framed : kFramed)
        {
            if (c.pszExport == std::string(framed.pszExport))
            {
                EXPECT_EQ(c.nExpected, framed.call(lib)) << c.pszExport;
            }
        }
    }
}
