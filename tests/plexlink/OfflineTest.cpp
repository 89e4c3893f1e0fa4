// The library without a server: every export's offline answer, the built-in
// lists, the application list from the program directory, open and new on
// local files; and what the exports answer when the start named a server
// that this build cannot reach.
#include "PlexlinkTestSupport.h"

#include <string.h>

#include <functional>
#include <set>

namespace {

const unsigned char kCanary = 0xA5;

// Buffers handed to the exports, all filled with the canary.
struct Buffers
{
    Buffers() { memset(this, kCanary, sizeof *this); }
    bool Untouched() const
    {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(this);
        for (size_t i = 0; i < sizeof *this; ++i)
            if (p[i] != kCanary)
                return false;
        return true;
    }

    PXFileInfo info;
    PXRecoveryInfo recovery;
    PXAppProfileInfo profile;
    PXFileRequest request;
    PXAppDataRequest data;
    PXResPermUseRow resPerm[2];
    PXItemInfo item[2];
    char szText[128];
    unsigned char encrypted[8];
    short nShort;
    int nInt;
};

class PlexlinkOffline : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(PXRC_OK, lib.InitOffline()); }

    TempDir dir;
    ProgDirSetting progDir{dir.Path()};
    PlexlinkLib lib;
};

// The exports that answer 0 offline and touch nothing of the caller's.
struct ShortCut
{
    const char* pszExport;
    std::function<int(PlexlinkLib&, Buffers&)> call;
};

const ShortCut kShortCuts[] = {
    {"PXGetServerVersion", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXGetServerVersion)(0, 0, b.szText); }},
    {"PXGetCustProf", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXGetCustProf)(0, &b.nShort); }},
    {"PXFileOpenOnRecovery", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXFileOpenOnRecovery)(&b.recovery); }},
    {"PXFileClose", [](PlexlinkLib& l, Buffers&) { return PXFN(l, PXFileClose)(1, 5); }},
    {"PXFileProperties", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXFileProperties)(&b.profile); }},
    {"PXFileSave", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXFileSave)(1, 5, 1, PX_SAVE_SAVE, &b.info); }},
    {"PXFileSaveAs",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXFileSaveAs)(1, 5, 1, 1, 6, "Other", 1, 0, &b.info); }},
    {"PXFileDelete", [](PlexlinkLib& l, Buffers&) { return PXFN(l, PXFileDelete)(1, 5, "Main", 0); }},
    {"PXGetDataFromPW", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXGetDataFromPW)(&b.data); }},
    {"PXFileImport", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXFileImport)(&b.data); }},
    {"PXGetResPermDataFromPW",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXGetResPermDataFromPW)(1, 5, b.resPerm); }},
    {"PXResPermUsed", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXResPermUsed)(1, 5, &b.data); }},
    {"PXManipulateItem",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXManipulateItem)(1, 5, PX_ITEM_ADD, &b.item[0]); }},
    {"PXRecordVoiceItem", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXRecordVoiceItem)(1, 5, &b.item[0]); }},
    {"PXImportVoiceItem",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXImportVoiceItem)(1, 5, &b.item[0], "a.wav"); }},
    {"PXImportFaxItem",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXImportFaxItem)(1, 5, &b.item[0], "a.tif"); }},
    {"PXCutCopyPasteItem",
     [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXCutCopyPasteItem)(1, 1, 5, &b.item[0], 1, 6, &b.item[1]); }},
    {"PXEncryptString", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXEncryptString)("secret", b.encrypted); }},
    {"PXAttachView", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXAttachView)(&b); }},
    {"PXDetachView", [](PlexlinkLib& l, Buffers& b) { return PXFN(l, PXDetachView)(&b); }},
    {"PXAboutDlg", [](PlexlinkLib& l, Buffers&) { return PXFN(l, PXAboutDlg)(); }},
    {"PXTermPlexwright", [](PlexlinkLib& l, Buffers&) { return PXFN(l, PXTermPlexwright)(); }},
};

bool AllZero(const void* p, size_t cb)
{
    const unsigned char* pb = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < cb; ++i)
        if (pb[i] != 0)
            return false;
    return true;
}

PXFileRequest Request(int nAppID, const std::string& name)
{
    PXFileRequest request;
    memset(&request, 0, sizeof request);
    request.customerid = 1;
    request.appprofid = nAppID;
    memcpy(request.appname, name.data(), name.size() < sizeof request.appname ? name.size() : sizeof request.appname);
    request.volumeid = 2;
    return request;
}

} // namespace

TEST_F(PlexlinkOffline, ExportsWithoutAnOfflineAnswerReturnZeroAndTouchNothing)
{
    for (const ShortCut& shortCut : kShortCuts)
    {
        Buffers buffers;
        EXPECT_EQ(PXRC_OK, shortCut.call(lib, buffers)) << shortCut.pszExport;
        EXPECT_TRUE(buffers.Untouched()) << shortCut.pszExport;
    }
    // The session has ended, the library stays offline.
    Buffers buffers;
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXGetServerVersion)(0, 0, buffers.szText));
    EXPECT_TRUE(buffers.Untouched());
}

TEST_F(PlexlinkOffline, ExportsWithAnOfflineAnswer)
{
    int nID = 0;
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXGetUnusedID)(&nID));
    EXPECT_EQ(1000, nID);

    int nImported = 12345;
    EXPECT_EQ(PXRC_NOT_OPEN, PXFN(lib, PXIsImported)(1, 5, &nImported));
    EXPECT_EQ(12345, nImported);

    EXPECT_EQ(PXRC_OK, PXFN(lib, PXFreeAllocatedMemory)(nullptr));
}

TEST_F(PlexlinkOffline, OfflineHoldsForTheWholeLoad)
{
    auto pfnInit = PXFN(lib, PXInitPlexwright);
    // The third argument matters only to a complete server start.
    EXPECT_EQ(PXRC_OK, pfnInit(0, 1, 1, "", "", nullptr, 0, "", 0, 0, "2", "2", 636, 0));
    // No way back to a server in the same load.
    EXPECT_EQ(PXRC_OK, pfnInit(0, 1, 0, "pw", "System", "192.0.2.10", 0, "4711", 0, 0, "ctx", "5", 636, 0));
    int nID = 0;
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXGetUnusedID)(&nID));
    EXPECT_EQ(1000, nID);
    PXLanguageRow* pRows = nullptr;
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXLanguagesToDisplay)(&pRows));
    PXFN(lib, PXFreeAllocatedMemory)(pRows);

    // A new load starts afresh.
    lib.Unload();
    PlexlinkLib next;
    EXPECT_EQ(PXRC_SESSION_START_FAILED, next.InitOnline(0, 0, "ctx"));
}

TEST_F(PlexlinkOffline, BuiltInListsEndWithAZeroRow)
{
    PXLanguageRow* pLanguages = nullptr;
    ASSERT_EQ(PXRC_OK, PXFN(lib, PXLanguagesToDisplay)(&pLanguages));
    ASSERT_NE(nullptr, pLanguages);
    const struct { int nID; const char* pszName; } kLanguages[] = {{3, "English"}, {5, "French"}, {7, "Polish"}};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(kLanguages[i].nID, pLanguages[i].vpromptlangid);
        EXPECT_EQ(kLanguages[i].nID, pLanguages[i].locallangid);
        EXPECT_EQ(1, pLanguages[i].customerid);
        EXPECT_STREQ(kLanguages[i].pszName, pLanguages[i].locallangname);
        EXPECT_EQ(0, pLanguages[i].reserved);
        EXPECT_EQ(1, pLanguages[i].modnum);
    }
    EXPECT_TRUE(AllZero(&pLanguages[3], sizeof pLanguages[3]));
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXFreeAllocatedMemory)(pLanguages));

    PXVolumeRow* pVolumes = nullptr;
    ASSERT_EQ(PXRC_OK, PXFN(lib, PXVolumeToDisplay)(&pVolumes));
    ASSERT_NE(nullptr, pVolumes);
    const struct { int nNum; const char* pszText; } kVolumes[] = {{1, "1"}, {2, "2"}, {11, "11"}};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(kVolumes[i].nNum, pVolumes[i].volumenum);
        EXPECT_STREQ(kVolumes[i].pszText, pVolumes[i].volumetext);
        EXPECT_TRUE(AllZero(pVolumes[i].volumetext + strlen(kVolumes[i].pszText),
                            sizeof pVolumes[i].volumetext - strlen(kVolumes[i].pszText)));
    }
    EXPECT_TRUE(AllZero(&pVolumes[3], sizeof pVolumes[3]));
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXFreeAllocatedMemory)(pVolumes));

    PXResPermRow* pLists = nullptr;
    ASSERT_EQ(PXRC_OK, PXFN(lib, PXResPermToDisplay)(&pLists));
    ASSERT_NE(nullptr, pLists);
    EXPECT_EQ(6, pLists[0].rplid);
    EXPECT_STREQ("RPL 1", pLists[0].rplname);
    EXPECT_EQ(4, pLists[1].rplid);
    EXPECT_STREQ("RPL 2", pLists[1].rplname);
    EXPECT_TRUE(AllZero(&pLists[2], sizeof pLists[2]));
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXFreeAllocatedMemory)(pLists));
}

TEST_F(PlexlinkOffline, ApplicationListComesFromTheProgramFiles)
{
    const std::string longName(80, 'L');
    WriteTextFile(dir.Path() + "Main.ed", "x");
    WriteTextFile(dir.Path() + "Sales.ed", "x");
    WriteTextFile(dir.Path() + longName + ".ed", "x");
    WriteTextFile(dir.Path() + "notes.txt", "x");
    CreateDirectoryA((dir.Path() + "Folder.ed").c_str(), nullptr);

    // Both list exports, the mode not applied offline.
    const std::function<int(PXAppListRow**)> kCalls[] = {
        [&](PXAppListRow** pp) { return PXFN(lib, PXFilesToDisplay)(pp, PX_LIST_IMPORTABLE, 1, 1); },
        [&](PXAppListRow** pp) { return PXFN(lib, PXFilesToPump)(pp); },
    };
    for (const auto& call : kCalls)
    {
        PXAppListRow* pRows = nullptr;
        ASSERT_EQ(PXRC_OK, call(&pRows));
        ASSERT_NE(nullptr, pRows);
        std::set<std::string> names;
        int n = 0;
        for (; pRows[n].customerid != 0; ++n)
        {
            ASSERT_LT(n, 3);
            EXPECT_EQ(1, pRows[n].customerid);
            EXPECT_EQ(1, pRows[n].appprofid);
            EXPECT_EQ(1, pRows[n].volumeid);
            EXPECT_EQ('\0', pRows[n].appname[60]);
            names.insert(pRows[n].appname);
            EXPECT_TRUE(AllZero(pRows[n].appdescr, sizeof(PXAppListRow) - offsetof(PXAppListRow, appdescr) - 8));
            EXPECT_EQ(0, pRows[n].reserved);
        }
        EXPECT_EQ(3, n);
        EXPECT_EQ((std::set<std::string>{"Main", "Sales", longName.substr(0, 60)}), names);
        EXPECT_TRUE(AllZero(&pRows[n], sizeof pRows[n]));
        EXPECT_EQ(PXRC_OK, PXFN(lib, PXFreeAllocatedMemory)(pRows));
    }
}

TEST_F(PlexlinkOffline, ApplicationListOfAnEmptyOrMissingProgramDirectory)
{
    PXAppListRow* pRows = nullptr;
    ASSERT_EQ(PXRC_OK, PXFN(lib, PXFilesToPump)(&pRows));
    ASSERT_NE(nullptr, pRows);
    EXPECT_TRUE(AllZero(&pRows[0], sizeof pRows[0]));
    PXFN(lib, PXFreeAllocatedMemory)(pRows);

    // A value longer than the 260 bytes read, and no value at all.
    PXAppListRow* pUntouched = reinterpret_cast<PXAppListRow*>(0x1234);
    {
        ProgDirSetting tooLong(dir.Path() + std::string(300 - dir.Path().size(), 'd') + "\\");
        EXPECT_EQ(PXRC_NO_PROGDIR, PXFN(lib, PXFilesToDisplay)(&pUntouched, PX_LIST_ALL, 1, 0));
        EXPECT_EQ(reinterpret_cast<PXAppListRow*>(0x1234), pUntouched);
    }
    RemoveProgDirSetting();
    EXPECT_EQ(PXRC_NO_PROGDIR, PXFN(lib, PXFilesToDisplay)(&pUntouched, PX_LIST_ALL, 1, 0));
    EXPECT_EQ(reinterpret_cast<PXAppListRow*>(0x1234), pUntouched);
}

TEST_F(PlexlinkOffline, OpenFillsOnlyTheNameAndTheId)
{
    // A name that fills the request's 424 characters without a zero.
    std::string name(sizeof(PXFileRequest::appname), 'N');
    name.replace(0, 5, "Sales");
    PXFileRequest request = Request(77, name);
    Buffers buffers;
    ASSERT_EQ(PXRC_OK, PXFN(lib, PXFileOpen)(&request, &buffers.info));
    PXFileInfo& info = buffers.info;
    EXPECT_EQ(77, info.profile.appprofid);
    EXPECT_EQ(name.substr(0, 60), std::string(info.profile.appname));
    EXPECT_EQ(0, info.profile.customerid);
    EXPECT_TRUE(AllZero(&info.profile.appvernum, offsetof(PXAppProfileInfo, appname) - 8));
    EXPECT_TRUE(AllZero(info.profile.appname + 60, sizeof info - offsetof(PXFileInfo, profile.appname) - 60));
    // Nothing past the record.
    EXPECT_EQ(kCanary, reinterpret_cast<unsigned char*>(&buffers.recovery)[0]);
}

TEST_F(PlexlinkOffline, NewCopiesTheTemplate)
{
    CreateDirectoryA((dir.Path() + "default").c_str(), nullptr);
    WriteTextFile(dir.Path() + "default\\default.ed", "template program");
    WriteTextFile(dir.Path() + "Old.ed", "an older program");

    for (const char* pszName : {"Fresh", "Old"})
    {
        PXFileRequest request = Request(5, pszName);
        Buffers buffers;
        ASSERT_EQ(PXRC_OK, PXFN(lib, PXFileNew)(&request, &buffers.info)) << pszName;
        EXPECT_STREQ(pszName, buffers.info.profile.appname);
        EXPECT_EQ(5, buffers.info.profile.appprofid);
        EXPECT_TRUE(AllZero(buffers.info.newedfilepath, sizeof buffers.info.newedfilepath));
        std::string text;
        ASSERT_TRUE(ReadTextFile(dir.Path() + pszName + ".ed", text)) << pszName;
        EXPECT_EQ("template program", text);
        EXPECT_FALSE(FileExists(dir.Path() + pszName + ".ed.new"));
    }
}

TEST_F(PlexlinkOffline, NewWithoutTemplateFailsAndKeepsTheOldFile)
{
    WriteTextFile(dir.Path() + "Old.ed", "an older program");
    PXFileRequest request = Request(5, "Old");
    PXFileInfo info;
    EXPECT_EQ(PXRC_APP_MISSING, PXFN(lib, PXFileNew)(&request, &info));
    std::string text;
    ASSERT_TRUE(ReadTextFile(dir.Path() + "Old.ed", text));
    EXPECT_EQ("an older program", text);
    EXPECT_FALSE(FileExists(dir.Path() + "Old.ed.new"));
}

TEST_F(PlexlinkOffline, NewRefusesNamesThatAreNoPlainFileName)
{
    CreateDirectoryA((dir.Path() + "default").c_str(), nullptr);
    CreateDirectoryA((dir.Path() + "sub").c_str(), nullptr);
    WriteTextFile(dir.Path() + "default\\default.ed", "template program");
    const std::string kNames[] = {"",      "..\\Escaped", "sub\\Inner", "sub/Inner", "C:Drive", "Star*",
                                  "Quest?", "CON",        "nul",       "Com1.x",    "Dot.",    "Space ",
                                  "Tab\t",  std::string(sizeof(PXFileRequest::appname), 'A')};
    for (const std::string& name : kNames)
    {
        PXFileRequest request = Request(5, name);
        Buffers buffers;
        EXPECT_EQ(PXRC_APP_MISSING, PXFN(lib, PXFileNew)(&request, &buffers.info)) << name;
        EXPECT_TRUE(buffers.Untouched()) << name;
    }
    EXPECT_FALSE(FileExists(dir.Path() + "..\\Escaped.ed"));
    EXPECT_FALSE(FileExists(dir.Path() + "sub\\Inner.ed"));
    // Only the template and the two folders are there.
    int nEntries = 0;
    WIN32_FIND_DATAA find;
    HANDLE h = FindFirstFileA((dir.Path() + "*").c_str(), &find);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    do
        if (strcmp(find.cFileName, ".") && strcmp(find.cFileName, ".."))
            ++nEntries;
    while (FindNextFileA(h, &find));
    FindClose(h);
    EXPECT_EQ(2, nEntries);
}

// A start that names a server: this build reaches none.
class PlexlinkServerUnreachable : public testing::Test
{
protected:
    TempDir dir;
    ProgDirSetting progDir{dir.Path()};
    PlexlinkLib lib;
};

TEST_F(PlexlinkServerUnreachable, StartFailsAndCallsAnswerAsWithoutServer)
{
    EXPECT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(0, 0, "context"));

    Buffers buffers;
    EXPECT_EQ(PXRC_SESSION_START_FAILED, PXFN(lib, PXGetServerVersion)(0, 0, buffers.szText));
    EXPECT_EQ(PXRC_FAILURE, PXFN(lib, PXGetCustProf)(0, &buffers.nShort));
    EXPECT_EQ(PXRC_FAILURE, PXFN(lib, PXGetUnusedID)(&buffers.nInt));
    EXPECT_TRUE(buffers.Untouched());

    PXAppListRow* pApps = nullptr;
    PXLanguageRow* pLanguages = nullptr;
    PXVolumeRow* pVolumes = nullptr;
    PXResPermRow* pLists = nullptr;
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFilesToDisplay)(&pApps, PX_LIST_ALL, 1, 0));
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFilesToPump)(&pApps));
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXLanguagesToDisplay)(&pLanguages));
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXVolumeToDisplay)(&pVolumes));
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXResPermToDisplay)(&pLists));
    EXPECT_EQ(nullptr, pApps);
    EXPECT_EQ(nullptr, pLanguages);
    EXPECT_EQ(nullptr, pVolumes);
    EXPECT_EQ(nullptr, pLists);

    PXFileRequest request = Request(5, "Main");
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFileOpen)(&request, &buffers.info));
    EXPECT_EQ(PXRC_QUERY_FAILED, PXFN(lib, PXFileNew)(&request, &buffers.info));
    EXPECT_EQ(PXRC_ENCRYPTION_FAILED, PXFN(lib, PXEncryptString)("secret", buffers.encrypted));
    EXPECT_TRUE(buffers.Untouched());

    // Not open: 48 from every export on an open application.
    buffers.data.customerid = 1;
    buffers.data.appprofid = 5;
    const std::function<int()> kOnOpen[] = {
        [&] { return PXFN(lib, PXFileClose)(1, 5); },
        [&] { return PXFN(lib, PXFileSave)(1, 5, 1, PX_SAVE_SAVE, &buffers.info); },
        [&] { return PXFN(lib, PXFileSaveAs)(1, 5, 1, 1, 6, "Other", 1, 0, &buffers.info); },
        [&] { return PXFN(lib, PXGetDataFromPW)(&buffers.data); },
        [&] { return PXFN(lib, PXFileImport)(&buffers.data); },
        [&] { return PXFN(lib, PXGetResPermDataFromPW)(1, 5, buffers.resPerm); },
        [&] { return PXFN(lib, PXResPermUsed)(1, 5, &buffers.data); },
        [&] { return PXFN(lib, PXIsImported)(1, 5, &buffers.nInt); },
        [&] { return PXFN(lib, PXManipulateItem)(1, 5, PX_ITEM_DELETE, &buffers.item[0]); },
        [&] { return PXFN(lib, PXRecordVoiceItem)(1, 5, &buffers.item[0]); },
        [&] { return PXFN(lib, PXImportVoiceItem)(1, 5, &buffers.item[0], "a.wav"); },
        [&] { return PXFN(lib, PXImportFaxItem)(1, 5, &buffers.item[0], "a.tif"); },
        [&] { return PXFN(lib, PXCutCopyPasteItem)(1, 1, 5, &buffers.item[0], 1, 6, &buffers.item[1]); },
    };
    for (size_t i = 0; i < sizeof kOnOpen / sizeof kOnOpen[0]; ++i)
        EXPECT_EQ(PXRC_NOT_OPEN, kOnOpen[i]()) << "case " << i;
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXTermPlexwright)());
}

TEST_F(PlexlinkServerUnreachable, RecoveredApplicationIsOpenUntilClosed)
{
    EXPECT_EQ(PXRC_SESSION_START_FAILED, lib.InitOnline(0, 0, "context"));
    PXRecoveryInfo recovery;
    memset(&recovery, 0, sizeof recovery);
    recovery.stored.profile.customerid = 1;
    recovery.stored.profile.appprofid = 9;
    memset(recovery.stored.profile.appname, 'R', sizeof recovery.stored.profile.appname);
    memset(recovery.stored.newedfilepath, 'p', sizeof recovery.stored.newedfilepath);
    recovery.edited = recovery.stored;

    ASSERT_EQ(PXRC_OK, PXFN(lib, PXFileOpenOnRecovery)(&recovery));
    EXPECT_EQ(PXRC_ALREADY_OPEN, PXFN(lib, PXFileOpenOnRecovery)(&recovery));

    int nImported = 7;
    EXPECT_EQ(PXRC_QUERY_FAILED, PXFN(lib, PXIsImported)(1, 9, &nImported));
    EXPECT_EQ(7, nImported);

    // Properties stamp the time into the caller's record.
    PXAppProfileInfo profile = recovery.stored.profile;
    memset(&profile.lockingdatetime, 0, sizeof profile.lockingdatetime);
    EXPECT_EQ(PXRC_OK, PXFN(lib, PXFileProperties)(&profile));
    EXPECT_GT(profile.lockingdatetime.tm_year, 100);
    PXAppProfileInfo other = profile;
    other.appprofid = 10;
    memset(&other.lockingdatetime, 0, sizeof other.lockingdatetime);
    EXPECT_EQ(PXRC_NOT_OPEN, PXFN(lib, PXFileProperties)(&other));
    EXPECT_EQ(0, other.lockingdatetime.tm_year);

    // The unlock needs the server; the application is closed all the same.
    EXPECT_EQ(PXRC_DIRECTORY_FAILED, PXFN(lib, PXFileClose)(1, 9));
    EXPECT_EQ(PXRC_NOT_OPEN, PXFN(lib, PXFileClose)(1, 9));
}
