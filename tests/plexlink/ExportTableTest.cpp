// The library's export table: exactly the contract's functions, by their
// bare names (C linkage, no decoration), nothing else.
#include "PlexlinkTestSupport.h"

#include <algorithm>
#include <set>

namespace {

const char* const kContract[] = {
    "PXInitPlexwright", "PXTermPlexwright", "PXGetServerVersion", "PXGetCustProf", "PXGetUnusedID",
    "PXFilesToDisplay", "PXFilesToPump", "PXLanguagesToDisplay", "PXResPermToDisplay", "PXVolumeToDisplay",
    "PXFreeAllocatedMemory", "PXFileNew", "PXFileOpen", "PXFileOpenOnRecovery", "PXFileClose",
    "PXFileProperties", "PXFileSave", "PXFileSaveAs", "PXFileDelete", "PXGetDataFromPW", "PXFileImport",
    "PXGetResPermDataFromPW", "PXResPermUsed", "PXIsImported", "PXManipulateItem", "PXRecordVoiceItem",
    "PXImportVoiceItem", "PXImportFaxItem", "PXCutCopyPasteItem", "PXEncryptString", "PXAttachView",
    "PXDetachView", "PXAboutDlg"};

// The names in a loaded module's export directory.
std::set<std::string> ExportedNames(HMODULE hModule)
{
    std::set<std::string> names;
    const BYTE* pBase = reinterpret_cast<const BYTE*>(hModule);
    const IMAGE_DOS_HEADER* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const IMAGE_NT_HEADERS* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0)
        return names;
    const IMAGE_EXPORT_DIRECTORY* pExports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + dir.VirtualAddress);
    const DWORD* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
    for (DWORD i = 0; i < pExports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(pBase + pNames[i]));
    return names;
}

} // namespace

TEST(PlexlinkExports, TheDllExportsExactlyTheContract)
{
    PlexlinkLib lib;
    ASSERT_NE(nullptr, lib.Handle());
    std::set<std::string> expected(std::begin(kContract), std::end(kContract));
    EXPECT_EQ(expected, ExportedNames(lib.Handle()));
    for (const char* pszName : kContract)
        EXPECT_NE(nullptr, GetProcAddress(lib.Handle(), pszName)) << pszName;
}

TEST(PlexlinkExports, TheTestCopyExportsTheContractAndItsSeams)
{
    PlexlinkLib lib("plexlinkseam.dll");
    ASSERT_NE(nullptr, lib.Handle());
    std::set<std::string> names = ExportedNames(lib.Handle());
    for (const char* pszName : kContract)
        EXPECT_EQ(1u, names.count(pszName)) << pszName;
    EXPECT_EQ(1u, names.count("PXTestSetFrameHook"));
}

TEST(PlexlinkExports, TheApplicationObjectIsNamedPlexwright)
{
    PlexlinkLib lib("plexlinkseam.dll");
    auto pfnAppName = lib.Get<const char*(__cdecl*)()>("PXTestAppName");
    ASSERT_NE(nullptr, pfnAppName);
    ASSERT_NE(nullptr, pfnAppName());
    EXPECT_STREQ("Plexwright", pfnAppName());
}
