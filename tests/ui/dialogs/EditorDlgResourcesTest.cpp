// Every template and text of the editor's dialogs loads from the resource
// scripts that the program includes.
#include "PXTestSupport.h"

#include "EditorDlgRes.h"

#include <string>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

TEST(EditorDialogResources, EveryTemplateLoadsAndMakesItsDialog)
{
    const char* templates[] = { "NAMEPB", "SCALE", "SAVEAS", "ABOUT", "FINDPOWERBLOCK",
                                "NAMEPAGE", "VIEWPAGES", "DEFINEPAGES" };
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    for (const char* pszName : templates)
    {
        HRSRC hRes = FindResourceA(hInst, pszName, MAKEINTRESOURCEA(5));
        ASSERT_NE(nullptr, hRes) << pszName;
        HGLOBAL hData = LoadResource(hInst, hRes);
        ASSERT_NE(nullptr, hData) << pszName;
        HWND hDlg = CreateDialogIndirectParamA(hInst, static_cast<const DLGTEMPLATE*>(LockResource(hData)),
                                               nullptr, PlainDialogProc, 0);
        EXPECT_NE(nullptr, hDlg) << pszName;
        if (hDlg)
            DestroyWindow(hDlg);
    }
}

TEST(EditorDialogResources, EveryTextLoads)
{
    const UINT ids[] = {
        IDS_PAGES_SELECTDELETE, IDS_PAGES_SELECTEDIT, IDS_PAGES_SELECTRENAME, IDS_PAGES_INUSE,
        IDS_PAGES_NOMEMORY, IDS_PAGES_SELECTVIEW, IDS_EDLG_BADFILENAME, IDS_EDLG_OVERWRITE,
        IDS_EDLG_WARNING, IDS_EDLG_NOCREATE, IDS_EDLG_BADZOOM, IDS_EDLG_BUILD, IDS_EDLG_ERROR,
        IDS_FIND_CAPTION, IDS_FIND_TOOMANYPAGES, IDS_PAGES_SBPROMPT, IDS_PAGES_SBADD,
        IDS_PAGES_VBPROMPT, IDS_PAGES_VBADD, IDS_PAGES_NAMEINUSE, IDS_PAGES_SBVIEW,
        IDS_PAGES_VBVIEW, IDS_PAGES_SBDEFINE, IDS_PAGES_VBDEFINE, IDS_PAGES_SBAVAILABLE,
        IDS_PAGES_VBAVAILABLE, IDS_PAGES_EXPORT, IDS_PAGES_INTERNAL, IDS_PAGES_ASKDELETE,
        IDS_PAGES_RENAMING, IDS_PAGES_SELECTCOPY, IDS_PAGES_NOCOPY, IDS_PAGES_EMPTYNAME,
        IDS_PAGES_NORENAME,
    };
    for (UINT id : ids)
    {
        char sz[256] = "";
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), id, sz, sizeof(sz)), 0) << id;
    }
}
