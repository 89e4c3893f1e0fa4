// The flat records that cross between the editor and the library: sizes and
// offsets (the 32-bit layout where pointers take 4 bytes, the natural one
// otherwise), and the program file path of a 1012-byte copy.
#include "PlexlinkTestSupport.h"

#include <stddef.h>
#include <string.h>

namespace {

struct Layout
{
    const char* pszField;
    size_t nOffset;
    size_t nExpected;
};

#define FIELD(type, field, off) {#type "." #field, offsetof(type, field), off}

const Layout kLayouts[] = {
    FIELD(PXFileRequest, customerid, 0), FIELD(PXFileRequest, appprofid, 4),
    FIELD(PXFileRequest, appname, 8), FIELD(PXFileRequest, volumeid, 432),
    FIELD(PXAppProfileInfo, appvernum, 8), FIELD(PXAppProfileInfo, appmediatype, 12),
    FIELD(PXAppProfileInfo, appdescr, 16), FIELD(PXAppProfileInfo, appname, 272),
    FIELD(PXAppProfileInfo, spokennamerecorded, 336), FIELD(PXAppProfileInfo, appspokenname, 340),
    FIELD(PXAppProfileInfo, verffaxnum, 371), FIELD(PXAppProfileInfo, verffaxnummodifiable, 392),
    FIELD(PXAppProfileInfo, verfcontactid, 396), FIELD(PXAppProfileInfo, updatepsswdneeded, 428),
    FIELD(PXAppProfileInfo, updatepsswd, 432), FIELD(PXAppProfileInfo, mntadnthrudial, 440),
    FIELD(PXAppProfileInfo, expansiondigits, 444), FIELD(PXAppProfileInfo, enforcedial, 464),
    FIELD(PXAppProfileInfo, importable, 468), FIELD(PXAppProfileInfo, compiledok, 472),
    FIELD(PXAppProfileInfo, comfprmtmodifiable, 476), FIELD(PXAppProfileInfo, lockingpc, 480),
    FIELD(PXAppProfileInfo, lockinguser, 511), FIELD(PXAppProfileInfo, lockingdatetime, 552),
    FIELD(PXAppProfileInfo, volumeid, 588), FIELD(PXAppProfileInfo, apppreviousvernum, 592),
    FIELD(PXAppProfileInfo, runfilepath, 596), FIELD(PXAppProfileInfo, rllfilepath, 697),
    FIELD(PXAppProfileInfo, misafilepath, 798), FIELD(PXAppProfileInfo, visible, 900),
    FIELD(PXAppProfileInfo, modnum, 904),
    FIELD(PXFileInfo, newedfilepath, 908), FIELD(PXFileInfoCopy, newedfilepath, 908),
    FIELD(PXRecoveryInfo, edited, 1012), FIELD(PXRecoveryInfo, reserved, 2024),
    FIELD(PXImportRow, appprofid, 4), FIELD(PXImportRow, appvernum, 8),
    FIELD(PXResPermUseRow, appvernum, 8), FIELD(PXResPermUseRow, rplid, 12), FIELD(PXResPermUseRow, usecount, 16),
    FIELD(PXItemInfo, itemkind, 2), FIELD(PXItemInfo, itemname, 4), FIELD(PXItemInfo, itemdescr, 35),
    FIELD(PXAppListRow, appname, 8), FIELD(PXAppListRow, appdescr, 69), FIELD(PXAppListRow, lockingpc, 325),
    FIELD(PXAppListRow, lockinguser, 356), FIELD(PXAppListRow, lockingdatetime, 396),
    FIELD(PXAppListRow, volumeid, 432), FIELD(PXAppListRow, reserved, 436),
    FIELD(PXLanguageRow, locallangid, 4), FIELD(PXLanguageRow, customerid, 8),
    FIELD(PXLanguageRow, locallangname, 12), FIELD(PXLanguageRow, reserved, 44), FIELD(PXLanguageRow, modnum, 48),
    FIELD(PXResPermRow, rplname, 4), FIELD(PXVolumeRow, volumetext, 4),
#if defined(_WIN64)
    FIELD(PXRecoveryInfo, pSavedImports, 2032), FIELD(PXRecoveryInfo, pCurrentImports, 2040),
    FIELD(PXRecoveryInfo, pSavedResPerm, 2048), FIELD(PXRecoveryInfo, pCurrentResPerm, 2056),
    FIELD(PXAppDataRequest, pImports, 8), FIELD(PXAppDataRequest, pResPerms, 16),
#else
    FIELD(PXRecoveryInfo, pSavedImports, 2028), FIELD(PXRecoveryInfo, pCurrentImports, 2032),
    FIELD(PXRecoveryInfo, pSavedResPerm, 2036), FIELD(PXRecoveryInfo, pCurrentResPerm, 2040),
    FIELD(PXAppDataRequest, pImports, 8), FIELD(PXAppDataRequest, pResPerms, 12),
#endif
};

const struct { const char* pszRecord; size_t nSize; size_t nExpected; } kSizes[] = {
    {"PXFileRequest", sizeof(PXFileRequest), 436},
    {"PXAppProfileInfo", sizeof(PXAppProfileInfo), 908},
    {"PXFileInfo", sizeof(PXFileInfo), 1016},
    {"PXFileInfoCopy", sizeof(PXFileInfoCopy), 1012},
    {"PXImportRow", sizeof(PXImportRow), 12},
    {"PXResPermUseRow", sizeof(PXResPermUseRow), 20},
    {"PXItemInfo", sizeof(PXItemInfo), 136},
    {"PXAppListRow", sizeof(PXAppListRow), 440},
    {"PXLanguageRow", sizeof(PXLanguageRow), 52},
    {"PXResPermRow", sizeof(PXResPermRow), 32},
    {"PXVolumeRow", sizeof(PXVolumeRow), 12},
#if defined(_WIN64)
    {"PXRecoveryInfo", sizeof(PXRecoveryInfo), 2064},
    {"PXAppDataRequest", sizeof(PXAppDataRequest), 24},
#else
    {"PXRecoveryInfo", sizeof(PXRecoveryInfo), 2044},
    {"PXAppDataRequest", sizeof(PXAppDataRequest), 16},
#endif
};

} // namespace

TEST(PlexlinkRecords, SizesAreTheContracts)
{
    for (const auto& size : kSizes)
        EXPECT_EQ(size.nExpected, size.nSize) << size.pszRecord;
}

TEST(PlexlinkRecords, FieldsLieAtTheContractsOffsets)
{
    for (const Layout& layout : kLayouts)
        EXPECT_EQ(layout.nExpected, layout.nOffset) << layout.pszField;
}

TEST(PlexlinkRecords, TheCopysPathIsReadAsAText)
{
    const std::string full(PX_COPY_PATH_LEN, 'p');
    const struct
    {
        const char* pszCase;
        std::string stored;      // bytes of the path field (the rest stays 'x')
        size_t cbOut;
        std::string expected;
    } kCases[] = {
        {"short path", "\\\\srv\\apps\\A.ed", 200, "\\\\srv\\apps\\A.ed"},
        {"all 104 characters, no zero of its own", full, 200, full},
        {"buffer smaller than the path", "abcdefgh", 5, "abcd"},
        {"buffer of one byte", "abc", 1, ""},
        {"empty path", "", 200, ""},
    };
    for (const auto& c : kCases)
    {
        PXRecoveryInfo info;
        memset(&info, 'x', sizeof info);
        memcpy(info.stored.newedfilepath, c.stored.data(), c.stored.size());
        if (c.stored.size() < PX_COPY_PATH_LEN)
            info.stored.newedfilepath[c.stored.size()] = '\0';
        char szOut[256];
        memset(szOut, '#', sizeof szOut);
        PXFileInfoCopyPath(&info.stored, szOut, c.cbOut);
        EXPECT_EQ(c.expected, std::string(szOut)) << c.pszCase;
        EXPECT_EQ('#', szOut[c.cbOut]) << c.pszCase << ": wrote past the buffer";
    }
}
